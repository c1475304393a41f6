// ventrel-cli: works with blower-door data files without opening a window. Each command
// lives in tools/cli/ and parses its own options.

#include "cli/analyse.h"
#include "cli/cliio.h"
#include "cli/graph.h"
#include "cli/report.h"

#include <QGuiApplication>

#include <QString>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

namespace {

const char* const kUsage = "Usage: ventrel-cli COMMAND [OPTIONS] FILE...\n"
                           "\n"
                           "Commands:\n"
                           "  analyse    the figures of data files, as JSON or CSV\n"
                           "  graph      the log-log graph of a data file, as PNG, SVG or PDF\n"
                           "  report     the technical report or the customer letter of a data\n"
                           "             file, as text or printed into a PDF\n"
                           "\n"
                           "ventrel-cli COMMAND --help describes a command.\n";

} // namespace

int main(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const QString command = args.value(0);
    const QStringList rest = args.mid(1);

    if (command == QStringLiteral("analyse"))
        return runAnalyseCommand(rest);
    if (command == QStringLiteral("report"))
        return runReportCommand(rest);
    if (command == QStringLiteral("graph")) {
        // Drawing needs Qt's Gui; no window is opened, so no display is needed either.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        // Without a desktop session Qt remarks on the missing runtime folder; nothing to act on.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& m) {
            if (!m.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
                std::fprintf(stderr, "%s\n", m.toLocal8Bit().constData());
            if (type == QtFatalMsg)
                std::abort();
        });
        QGuiApplication app(argc, argv);
        return runGraphCommand(rest);
    }

    if (command == QStringLiteral("--help") || command == QStringLiteral("-h")) {
        std::fputs(kUsage, stdout);
        std::fputs("\n", stdout);
        std::fputs(kAnalyseUsage, stdout);
        std::fputs("\n", stdout);
        std::fputs(kGraphUsage, stdout);
        return cli::kOk;
    }
    return cli::usageError(command.isEmpty() ? QStringLiteral("no command given")
                                             : QStringLiteral("unknown command '%1'").arg(command),
                           kUsage);
}
