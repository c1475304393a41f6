#include "core/calc/leakagecalc.h"
#include "core/record/lkdfile.h"
#include "core/report/graphmodel.h"
#include "support/testrecords.h"
#include "tools/clirun.h"

#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using testrecords::houseTest;

namespace {

using Run = CliRun;

Run runCli(const QStringList& args) {
    return runCliWith(args);
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    QString write(const QString& name, const TestRecord& r) {
        const QString path = dir.filePath(name);
        QString error;
        if (!writeLkdFile(r, path, Line98::Extra, &error))
            qFatal("cannot write %s: %s", qPrintable(path), qPrintable(error));
        return path;
    }

  private slots:
    // The house sample's figures, computed apart from the program (a weighted least-squares
    // fit of ln Q on ln |P - baseline| with weights Q^2, worked in a separate script from the
    // file's stored pressures, readings, plates, temperatures and areas).
    void houseSampleFigures_data() {
        QTest::addColumn<QStringList>("options");
        QTest::newRow("default") << QStringList{};
        QTest::newRow("--exact, kept for older scripts") << QStringList{u"--exact"_qs};
    }
    void houseSampleFigures() {
        QFETCH(QStringList, options);
        const QString path =
            qEnvironmentVariable("VENTREL_SOURCE_DIR") + u"/samples/house-depress.lkd"_qs;
        const Run run = runCli(QStringList{u"analyse"_qs} + options + QStringList{path});
        QCOMPARE(run.status, 0);
        QVERIFY2(run.err.isEmpty(), run.err.constData());
        QJsonParseError perr;
        const QJsonDocument doc = QJsonDocument::fromJson(run.out, &perr);
        QVERIFY2(perr.error == QJsonParseError::NoError, qPrintable(perr.errorString()));
        const QJsonObject o = doc.array().at(0).toObject();
        QCOMPARE(o.value(u"point_count"_qs).toInt(), 7);
        const std::pair<const char*, double> expected[] = {
            {"pressure_exponent", 0.63393969},
            {"flow_coefficient", 9708.8536},
            {"correlation", 0.99890099},
            {"flow50_cfm", 3507.9715},
            {"ach50", 12.756260},
            {"permeability_index", 0.59457144},
            {"usace_index", 0.76883878},
            {"q4pa_surf", 0.18616484},
        };
        for (const auto& [key, value] : expected) {
            const double got = o.value(QLatin1String(key)).toDouble();
            QVERIFY2(std::fabs(got - value) <= 2e-7 * value,
                     qPrintable(u"%1 = %2, expected %3"_qs.arg(QLatin1String(key))
                                    .arg(got, 0, 'g', 9)
                                    .arg(value, 0, 'g', 9)));
        }
        const QJsonObject p6 = o.value(u"points"_qs).toArray().at(5).toObject();
        QCOMPARE(p6.value(u"flow_reading_cfm"_qs).toDouble(), 3504.0);
        QCOMPARE(p6.value(u"used"_qs).toBool(), true);
        QCOMPARE(o.value(u"points"_qs).toArray().at(7).toObject().value(u"used"_qs).toBool(),
                 false);
    }

    // The quality intervals against the formulas worked here from the printed points: weights
    // F^2, x = ln |P - baseline|, y = ln F, Student's t for N - 2 degrees of freedom.
    void qualityIntervals_data() {
        QTest::addColumn<int>("variant");
        for (int v = 0; v < 4; ++v)
            QTest::newRow(qPrintable(u"generated %1"_qs.arg(v))) << v;
    }
    void qualityIntervals() {
        QFETCH(int, variant);
        TestRecord r = houseTest(int16_t(1 + variant % 3));
        for (int i = 1; i <= 5; ++i)
            r.FlowGageG[i] *= 1.0 + 0.013 * ((i * (variant + 3)) % 5 - 2);
        if (variant == 3)
            testrecords::setPoint(r, 6, -12.5, 1400, 1.69f);
        const Run run = runCli({u"analyse"_qs, write(u"q.lkd"_qs, r)});
        QCOMPARE(run.status, 0);
        const QJsonObject o = QJsonDocument::fromJson(run.out).array().at(0).toObject();
        const double baseline = o.value(u"baseline_inwc"_qs).toDouble();
        double sw = 0, swx = 0, swy = 0;
        QList<std::array<double, 2>> xy;
        for (const QJsonValue v : o.value(u"points"_qs).toArray()) {
            const QJsonObject p = v.toObject();
            if (!p.value(u"used"_qs).toBool())
                continue;
            const double f = p.value(u"fan_flow_cfm"_qs).toDouble();
            const double x =
                std::log(std::fabs(p.value(u"pressure_inwc"_qs).toDouble() - baseline));
            xy.append({x, std::log(f)});
            sw += f * f;
            swx += f * f * x;
            swy += f * f * std::log(f);
        }
        const double xm = swx / sw, ym = swy / sw;
        double sxx = 0, sxy = 0;
        for (const auto& [x, y] : xy) {
            const double w = std::exp(2 * y);
            sxx += w * (x - xm) * (x - xm);
            sxy += w * (x - xm) * (y - ym);
        }
        const double n = sxy / sxx, lnC = ym - n * xm;
        double s2 = 0;
        for (const auto& [x, y] : xy)
            s2 += std::exp(2 * y) * std::pow(y - lnC - n * x, 2);
        s2 /= double(xy.size() - 2);
        const double t = xy.size() == 5 ? 3.182446305284263 : 2.7764451051977934;
        const double x50 = std::log(50 / 249.1);
        const double hn = t * std::sqrt(s2 / sxx);
        const double hc = t * std::sqrt(s2 * (1 / sw + xm * xm / sxx));
        const double hq = t * std::sqrt(s2 * (1 / sw + (x50 - xm) * (x50 - xm) / sxx));
        const double q50 = lnC + n * x50;
        const QJsonObject q = o.value(u"quality"_qs).toObject();
        const std::pair<const char*, std::array<double, 2>> expected[] = {
            {"n_ci95", {n - hn, n + hn}},
            {"c_ci95", {std::exp(lnC - hc), std::exp(lnC + hc)}},
            {"flow50_ci95_cfm", {std::exp(q50 - hq), std::exp(q50 + hq)}},
            {"ach50_ci95", {std::exp(q50 - hq) * 60 / 16500, std::exp(q50 + hq) * 60 / 16500}},
        };
        for (const auto& [key, ends] : expected) {
            const QJsonArray got = q.value(QLatin1String(key)).toArray();
            for (int k = 0; k < 2; ++k)
                QVERIFY2(std::fabs(got.at(k).toDouble() / ends[k] - 1) < 1e-6,
                         qPrintable(u"%1: %2 against %3"_qs.arg(QLatin1String(key))
                                        .arg(got.at(k).toDouble(), 0, 'g', 12)
                                        .arg(ends[k], 0, 'g', 12)));
        }
        QCOMPARE(q.value(u"checks"_qs).toArray().size(), 8);
        QCOMPARE(q.value(u"checks"_qs).toArray().at(7).toObject().value(u"name"_qs).toString(),
                 u"flow50_interval"_qs);
    }

    // The graph through the same painter as the page: a red disc where the model puts the
    // point, at (x / 15, (y + 300) / 15); SVG and PDF written; one output only.
    void graphFiles() {
        TestRecord r = houseTest(2);
        calculateTest(r);
        const QString data = write(u"g.lkd"_qs, r);
        const graph::Model m = graph::buildGraph(r, 3);
        const QString png = dir.filePath(u"g.png"_qs);
        QCOMPARE(runCli({u"graph"_qs, u"--units"_qs, u"3"_qs, u"--png"_qs, png, data}).status, 0);
        const QImage image(png);
        QCOMPARE(image.size(), QSize(630, 453)); // 9450 x 6800 twips
        for (const graph::Point& p : m.points) { // a red disc, crossed by the blue line
            const int cx = int(p.x / 15), cy = int((p.y + 300) / 15);
            int red = 0;
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx)
                    red += (image.pixel(cx + dx, cy + dy) & 0xFFFFFFu) == 0xFF0000u;
            QVERIFY2(red >= 6, qPrintable(QString::number(red)));
        }
        const QString svg = dir.filePath(u"g.svg"_qs), pdf = dir.filePath(u"g.pdf"_qs);
        QCOMPARE(runCli({u"graph"_qs, u"--svg"_qs, svg, data}).status, 0);
        QVERIFY(QFile(svg).open(QIODevice::ReadOnly));
        QCOMPARE(runCli({u"graph"_qs, u"--pdf"_qs, pdf, data}).status, 0);
        QVERIFY(QFileInfo(pdf).size() > 1000);
        const Run both = runCli({u"graph"_qs, u"--png"_qs, png, u"--pdf"_qs, pdf, data});
        QCOMPARE(both.status, 2);
        QVERIFY(both.err.contains("give one of --png, --svg and --pdf"));
        const Run unwritable =
            runCli({u"graph"_qs, u"--png"_qs, dir.filePath(u"none/g.png"_qs), data});
        QCOMPARE(unwritable.status, 1);
        QVERIFY(unwritable.err.contains("cannot be written"));
    }

    // Without a display the program says what it needs and ends, instead of Qt's abort.
    void programWithoutDisplayExplains() {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(name));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(VENTREL_APP_PATH), {});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 1);
        const QByteArray err = p.readAllStandardError();
        QVERIFY2(err.contains("needs a desktop session") && err.contains("xvfb-run"),
                 err.constData());
    }

    // --help and --version answer on a terminal without a display, and start nothing.
    void programHelpWithoutDisplay_data() {
        QTest::addColumn<QString>("arg");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("help") << u"--help"_qs << QByteArray("Usage: ventrel [FILE.lkd]");
        QTest::newRow("version") << u"--version"_qs << QByteArray("ventrel 2.");
    }
    void programHelpWithoutDisplay() {
        QFETCH(QString, arg);
        QFETCH(QByteArray, expected);
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(name));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(VENTREL_APP_PATH), {arg});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 0);
        const QByteArray out = p.readAllStandardOutput();
        QVERIFY2(out.startsWith(expected), out.constData());
    }

    void unreadableFileIsReportedAndOthersGoOn() {
        const QString good = write(QStringLiteral("good.lkd"), houseTest(1));
        const QString missing = dir.filePath(QStringLiteral("missing.lkd"));
        const Run run = runCli({QStringLiteral("analyse"), missing, good});
        QCOMPARE(run.status, 1);
        // Named once, with the reason.
        QCOMPARE(run.err, (u"ventrel-cli: "_qs + missing + u" does not exist\n"_qs).toLocal8Bit());
        const QJsonArray arr = QJsonDocument::fromJson(run.out).array();
        QCOMPARE(arr.size(), 1);
        QCOMPARE(arr.at(0).toObject().value(QStringLiteral("file")).toString(), good);
    }

    void csvRows() {
        const QString a = write(QStringLiteral("a,b.lkd"), houseTest(1));
        const QString b = write(QStringLiteral("b.lkd"), houseTest(3));
        const Run run = runCli(
            {QStringLiteral("analyse"), QStringLiteral("--format"), QStringLiteral("csv"), a, b});
        QCOMPARE(run.status, 0);
        const QList<QByteArray> lines = run.out.trimmed().split('\n');
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[0].startsWith("file,unit_system,point_count,baseline_inwc,correlation,"));
        QVERIFY(lines[0].contains(",deap_index,infiltration_factor,n_ci95_low,n_ci95_high,"));
        QVERIFY(lines[0].endsWith(",ach50_ci95_low,ach50_ci95_high"));
        QVERIFY(lines[1].startsWith('"')); // the comma in the name is quoted
        QCOMPARE(lines[1].count(','), lines[0].count(',') + 1);
        QCOMPARE(lines[2].count(','), lines[0].count(','));
    }

    void usage_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::newRow("help") << QStringList{QStringLiteral("--help")} << 0;
        QTest::newRow("nothing") << QStringList{} << 2;
        QTest::newRow("unknown command") << QStringList{QStringLiteral("print")} << 2;
        QTest::newRow("no file") << QStringList{QStringLiteral("analyse")} << 2;
        QTest::newRow("bad format")
            << QStringList{QStringLiteral("analyse"), QStringLiteral("--format"),
                           QStringLiteral("xml"), QStringLiteral("x")}
            << 2;
        QTest::newRow("unknown option")
            << QStringList{QStringLiteral("analyse"), QStringLiteral("--fast"), QStringLiteral("x")}
            << 2;
    }
    void usage() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        const Run run = runCli(args);
        QCOMPARE(run.status, status);
        QVERIFY((status == 0 ? run.out : run.err).contains("Usage: ventrel-cli "));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
