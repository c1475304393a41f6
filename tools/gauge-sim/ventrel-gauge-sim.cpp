// ventrel-gauge-sim: a two-channel gauge on a pseudo-terminal, so the gauge window can be
// tried without hardware. It prints the terminal's path first, then sends a line about once a
// second: a static phase, then pressure steps with the fan flow of a power law, then a second
// static phase, and starts again. Point the window's Com1 at it with VENTREL_COM1=<path>.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRandomGenerator>

#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <stdlib.h>
#include <thread>
#include <unistd.h>

namespace {

const char* const kHelp =
    "Usage: ventrel-gauge-sim [--interval MS] [--c C] [--n N] [--units D] [--plate D]\n"
    "                         [--static PA] [--noise PA] [--steps LIST] [--count N]\n"
    "\n"
    "Opens a pseudo-terminal, prints its path as the first line, and sends gauge lines such\n"
    "as +00493,-00012,0,250,00100 to it.\n"
    "\n"
    "  --interval MS   time between lines (default 1000)\n"
    "  --c C           flow coefficient, cfm at 1 Pa (default 120)\n"
    "  --n N           flow exponent (default 0.65)\n"
    "  --units D       unit digit: 0 Pa and m3/h, 1 Pa and cfm (default), 2 in.wc and cfm\n"
    "  --plate D       plate digit 0 to 6 (default 0)\n"
    "  --static PA     static building pressure in the static phases (default -1.5)\n"
    "  --noise PA      pressure noise, plus or minus (default 0.3)\n"
    "  --steps LIST    building pressures of the steps, Pa (default 60,50,40,30,20)\n"
    "  --count N       lines per phase or step (default 35 for statics, 5 for steps)\n"
    "\n"
    "Every fourth line is written in two pieces, as a serial line may deliver it.\n";

// Fortieths of a pascal with their sign, five digits at least.
QByteArray field(long counts) {
    return (counts < 0 ? "-" : "+") + QByteArray::number(std::labs(counts)).rightJustified(5, '0');
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption interval(QStringLiteral("interval"), {}, QStringLiteral("ms"),
                                      QStringLiteral("1000"));
    const QCommandLineOption c(QStringLiteral("c"), {}, QStringLiteral("c"), QStringLiteral("120"));
    const QCommandLineOption n(QStringLiteral("n"), {}, QStringLiteral("n"),
                               QStringLiteral("0.65"));
    const QCommandLineOption units(QStringLiteral("units"), {}, QStringLiteral("d"),
                                   QStringLiteral("1"));
    const QCommandLineOption plate(QStringLiteral("plate"), {}, QStringLiteral("d"),
                                   QStringLiteral("0"));
    const QCommandLineOption staticPa(QStringLiteral("static"), {}, QStringLiteral("pa"),
                                      QStringLiteral("-1.5"));
    const QCommandLineOption noise(QStringLiteral("noise"), {}, QStringLiteral("pa"),
                                   QStringLiteral("0.3"));
    const QCommandLineOption steps(QStringLiteral("steps"), {}, QStringLiteral("list"),
                                   QStringLiteral("60,50,40,30,20"));
    const QCommandLineOption count(QStringLiteral("count"), {}, QStringLiteral("n"));
    parser.addOptions({help, interval, c, n, units, plate, staticPa, noise, steps, count});
    if (!parser.parse(app.arguments())) {
        std::fprintf(stderr, "ventrel-gauge-sim: %s\n\n%s", qPrintable(parser.errorText()), kHelp);
        return 2;
    }
    if (parser.isSet(help)) {
        std::fputs(kHelp, stdout);
        return 0;
    }
    const int pauseMs = std::max(1, parser.value(interval).toInt());
    const double coefficient = parser.value(c).toDouble();
    const double exponent = parser.value(n).toDouble();
    const int unitDigit = std::clamp(parser.value(units).toInt(), 0, 5);
    const int plateDigit = std::clamp(parser.value(plate).toInt(), 0, 9);
    const double baseline = parser.value(staticPa).toDouble();
    const double jitter = std::fabs(parser.value(noise).toDouble());
    QList<double> pressures;
    for (const QString& p : parser.value(steps).split(QLatin1Char(','), Qt::SkipEmptyParts))
        pressures << std::fabs(p.toDouble());

    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        std::perror("ventrel-gauge-sim: cannot open a pseudo-terminal");
        return 1;
    }
    std::printf("%s\n", ptsname(master));
    std::fflush(stdout);

    QRandomGenerator random(2026);
    auto noisy = [&](double pa) { return pa + jitter * (2 * random.generateDouble() - 1); };
    auto send = [&](double pa, double cfm, long sent) {
        // The flow in the unit of the unit digit: m3/h for 0, cfm otherwise.
        const double flow = unitDigit == 0 ? cfm * 1.699 : cfm;
        const QByteArray line =
            field(std::lround(pa * 40)) + ",-00012,0," + QByteArray::number(std::lround(flow)) +
            ",00" + QByteArray::number(unitDigit) + QByteArray::number(plateDigit) + "0\r\n";
        const qsizetype cut = sent % 4 == 3 ? line.size() / 2 : line.size();
        if (::write(master, line.constData(), size_t(cut)) < 0 ||
            (cut < line.size() &&
             ::write(master, line.constData() + cut, size_t(line.size() - cut)) < 0))
            std::perror("ventrel-gauge-sim: write");
        std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
    };
    const int staticLines = parser.isSet(count) ? parser.value(count).toInt() : 35;
    const int stepLines = parser.isSet(count) ? parser.value(count).toInt() : 5;
    for (long sent = 0;;) {
        for (int i = 0; i < staticLines; ++i)
            send(noisy(baseline), 0, sent++);
        for (const double p : pressures)
            for (int i = 0; i < stepLines; ++i)
                send(-noisy(p), coefficient * std::pow(p, exponent), sent++);
        for (int i = 0; i < staticLines; ++i)
            send(noisy(baseline), 0, sent++);
    }
}
