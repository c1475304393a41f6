// ventrel-cli and ventrel run as programs: figures, intervals, graph files, report texts and
// the answers to wrong use.

#include "core/calc/leakagecalc.h"
#include "core/record/lkdfile.h"
#include "core/report/customerreport.h"
#include "core/report/graphmodel.h"
#include "core/report/technicalreport.h"
#include "support/testrecords.h"

#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace testrecords;

namespace {

struct Run {
    int status = -1; // -1 when it did not end normally
    QByteArray out, err;
};

// ventrel-cli with `args`, or the program itself without a display.
Run run(const QStringList& args, bool app = false) {
    QProcess p;
    if (app) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(name));
        p.setProcessEnvironment(env);
    }
    p.start(app ? QStringLiteral(VENTREL_APP_PATH) : QStringLiteral(VENTREL_CLI_PATH), args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

QJsonObject firstResult(const Run& r) {
    return QJsonDocument::fromJson(r.out).array().at(0).toObject();
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    QString write(const QString& name, const TestRecord& r) {
        const QString path = dir.filePath(name);
        if (!writeLkdFile(r, path, Line98::Extra))
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

  private slots:
    // The house sample's figures, computed apart from the program (a weighted least-squares
    // fit of ln Q on ln |P - baseline| with weights Q^2, worked in a separate script from the
    // file's stored pressures, readings, plates, temperatures and areas).
    void houseSampleFigures() {
        const QString path =
            qEnvironmentVariable("VENTREL_SOURCE_DIR") + u"/samples/house-depress.lkd"_qs;
        const Run r = run({u"analyse"_qs, path});
        QCOMPARE(r.status, 0);
        QVERIFY2(r.err.isEmpty(), r.err.constData());
        const QJsonObject o = firstResult(r);
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
                     qPrintable(u"%1 = %2"_qs.arg(QLatin1String(key)).arg(got, 0, 'g', 9)));
        }
        const QJsonArray points = o.value(u"points"_qs).toArray();
        QCOMPARE(points.at(5).toObject().value(u"flow_reading_cfm"_qs).toDouble(), 3504.0);
        QCOMPARE(points.at(5).toObject().value(u"used"_qs).toBool(), true);
        QCOMPARE(points.at(7).toObject().value(u"used"_qs).toBool(), false);
    }

    // The quality intervals of a six-point metric test (the core's tests work five points in
    // US units) against the formulas worked here from the printed points: weights F^2,
    // x = ln |P - baseline|, y = ln F, Student's t for 4 degrees of freedom.
    void qualityIntervals() {
        TestRecord r = houseTest(1);
        setPoint(r, 6, -12.5, 1400, 1.69f);
        const Run res = run({u"analyse"_qs, write(u"q.lkd"_qs, r)});
        QCOMPARE(res.status, 0);
        const QJsonObject o = firstResult(res);
        const double baseline = o.value(u"baseline_inwc"_qs).toDouble();
        double sw = 0, xm = 0, ym = 0;
        QList<std::array<double, 2>> xy;
        for (const QJsonValue v : o.value(u"points"_qs).toArray()) {
            const QJsonObject p = v.toObject();
            if (!p.value(u"used"_qs).toBool())
                continue;
            const double f = p.value(u"fan_flow_cfm"_qs).toDouble();
            xy.append({std::log(std::fabs(p.value(u"pressure_inwc"_qs).toDouble() - baseline)),
                       std::log(f)});
            sw += f * f;
            xm += f * f * xy.last()[0];
            ym += f * f * xy.last()[1];
        }
        xm /= sw;
        ym /= sw;
        double sxx = 0, sxy = 0;
        for (const auto& [x, y] : xy) {
            sxx += std::exp(2 * y) * (x - xm) * (x - xm);
            sxy += std::exp(2 * y) * (x - xm) * (y - ym);
        }
        const double n = sxy / sxx, lnC = ym - n * xm;
        double s2 = 0;
        for (const auto& [x, y] : xy)
            s2 += std::exp(2 * y) * std::pow(y - lnC - n * x, 2) / double(xy.size() - 2);
        QCOMPARE(xy.size(), 6);
        const double t = 2.7764451051977934;
        const double x50 = std::log(50 / 249.1), q50 = lnC + n * x50;
        const double hn = t * std::sqrt(s2 / sxx);
        const double hc = t * std::sqrt(s2 * (1 / sw + xm * xm / sxx));
        const double hq = t * std::sqrt(s2 * (1 / sw + (x50 - xm) * (x50 - xm) / sxx));
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
                QVERIFY2(std::fabs(got.at(k).toDouble() / ends[k] - 1) < 1e-6, key);
        }
        const QJsonArray checks = q.value(u"checks"_qs).toArray();
        QCOMPARE(checks.size(), 8);
        QCOMPARE(checks.at(7).toObject().value(u"name"_qs).toString(), u"flow50_interval"_qs);
    }

    // The graph through the same painter as the page: a red disc where the model puts the
    // point, at (x / 15, (y + 300) / 15); SVG and PDF written; one output only.
    void graphFiles() {
        TestRecord r = houseTest(2);
        calculateTest(r);
        const QString data = write(u"g.lkd"_qs, r);
        const QString png = dir.filePath(u"g.png"_qs), svg = dir.filePath(u"g.svg"_qs),
                      pdf = dir.filePath(u"g.pdf"_qs);
        QCOMPARE(run({u"graph"_qs, u"--units"_qs, u"3"_qs, u"--png"_qs, png, data}).status, 0);
        const QImage image(png);
        QCOMPARE(image.size(), QSize(630, 453)); // 9450 x 6800 twips
        for (const graph::Point& p : graph::buildGraph(r, 3).points) {
            const int cx = int(p.x / 15), cy = int((p.y + 300) / 15);
            int red = 0; // a red disc, crossed by the blue line
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx)
                    red += (image.pixel(cx + dx, cy + dy) & 0xFFFFFFu) == 0xFF0000u;
            QVERIFY2(red >= 6, qPrintable(QString::number(red)));
        }
        QCOMPARE(run({u"graph"_qs, u"--svg"_qs, svg, data}).status, 0);
        QVERIFY(readAll(svg).contains("<svg"));
        QCOMPARE(run({u"graph"_qs, u"--pdf"_qs, pdf, data}).status, 0);
        QVERIFY(QFileInfo(pdf).size() > 1000);
        const Run both = run({u"graph"_qs, u"--png"_qs, png, u"--pdf"_qs, pdf, data});
        QCOMPARE(both.status, 2);
        QVERIFY(both.err.contains("give one of --png, --svg and --pdf"));
        const Run unwritable =
            run({u"graph"_qs, u"--png"_qs, dir.filePath(u"none/g.png"_qs), data});
        QCOMPARE(unwritable.status, 1);
        QVERIFY(unwritable.err.contains("cannot be written"));
    }

    void unreadableFileIsReportedAndOthersGoOn() {
        const QString good = write(u"good.lkd"_qs, houseTest(1));
        const QString missing = dir.filePath(u"missing.lkd"_qs);
        const Run r = run({u"analyse"_qs, missing, good});
        QCOMPARE(r.status, 1);
        // Named once, with the reason.
        QCOMPARE(r.err, (u"ventrel-cli: "_qs + missing + u" does not exist\n"_qs).toLocal8Bit());
        const QJsonArray arr = QJsonDocument::fromJson(r.out).array();
        QCOMPARE(arr.size(), 1);
        QCOMPARE(arr.at(0).toObject().value(u"file"_qs).toString(), good);
    }

    void csvRows() {
        const QString a = write(u"a,b.lkd"_qs, houseTest(1)), b = write(u"b.lkd"_qs, houseTest(3));
        const Run r = run({u"analyse"_qs, u"--format"_qs, u"csv"_qs, a, b});
        QCOMPARE(r.status, 0);
        const QList<QByteArray> lines = r.out.trimmed().split('\n');
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[0].startsWith("file,unit_system,point_count,baseline_inwc,correlation,"));
        QVERIFY(lines[0].contains(",deap_index,infiltration_factor,n_ci95_low,n_ci95_high,"));
        QVERIFY(lines[0].endsWith(",ach50_ci95_low,ach50_ci95_high"));
        QVERIFY(lines[1].startsWith('"')); // the comma in the name is quoted
        QCOMPARE(lines[1].count(','), lines[0].count(',') + 1);
        QCOMPARE(lines[2].count(','), lines[0].count(','));
    }

    // `report`: the texts the printer and the preview get, byte for byte, and the PDF.
    void reportTexts() {
        const QString file = write(u"maple.lkd"_qs, reportTest(2));
        const QString letter = dir.filePath(u"letter.txt"_qs);
        QFile t(letter);
        QVERIFY(t.open(QIODevice::WriteOnly));
        t.write("\"Report Prepared For:\"\r\n\"About 1.3 square feet\"\r\n\"Caf\xE9\"\r\nEND\r\n");
        t.close();
        const QByteArray stored = readAll(file);

        // The record as the program holds it once the file is opened in system 3.
        TestRecord r;
        applyStartupValues(r);
        r.FileNameG = u"maple.lkd"_qs;
        QVERIFY(readLkdFile(file, r));
        calculateTest(r);
        setUnitSystem(r, 3);
        calculateTest(r);
        r.LanguageG = u"F"_qs;
        const QStringList french{u"report"_qs, u"--technical"_qs, u"--units"_qs,
                                 u"3"_qs,      u"--lang"_qs,      u"F"_qs};

        const Run paper = run(french + QStringList{file});
        QCOMPARE(paper.status, 0);
        QCOMPARE(paper.out, report::technicalReportText(r, u"F"_qs, 3).toUtf8());

        TestRecord preview = r;
        const Run screen = run(french + QStringList{u"--preview"_qs, file});
        QCOMPARE(screen.status, 0);
        QCOMPARE(screen.out, report::previewTechnicalReport(preview).toUtf8());

        // The customer preview refreshes the infiltration figures, but saves nothing.
        TestRecord customer = r;
        setUnitSystem(customer, 2);
        calculateTest(customer);
        customer.LanguageG = u"E"_qs;
        const Run l = run({u"report"_qs, u"--customer"_qs, u"--preview"_qs, u"--units"_qs, u"2"_qs,
                           u"--template"_qs, letter, file});
        QCOMPARE(l.status, 0);
        QCOMPARE(
            l.out,
            report::previewCustomerReport(customer, decodeWindows1252(readAll(letter))).toUtf8());
        QCOMPARE(readAll(file), stored);

        const QString pdf = dir.filePath(u"maple.pdf"_qs);
        const Run printed = run({u"report"_qs, u"--technical"_qs, u"--pdf"_qs, pdf, file});
        QCOMPARE(printed.status, 0);
        QVERIFY(printed.out.isEmpty());
        QProcess text;
        text.start(u"pdftotext"_qs, {pdf, u"-"_qs});
        QVERIFY(text.waitForFinished(30000));
        const QByteArray pdfText = text.readAllStandardOutput();
        QVERIFY(pdfText.contains("AIR LEAKAGE TEST REPORT") && pdfText.contains("maple.lkd"));
    }

    // Wrong use and the answers that need no data: the status, and what is said (on standard
    // output when all is well, else on standard error with nothing on standard output). The
    // program itself runs without a display; SAMPLE stands for a readable data file.
    void answers_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArrayList>("said");
        const QByteArrayList usage{"Usage: ventrel-cli "};
        const QByteArrayList kind{"--technical or --customer", "Usage: ventrel-cli report"};
        QTest::newRow("help") << u"ventrel-cli --help"_qs << 0 << usage;
        QTest::newRow("--exact, kept for older scripts")
            << u"ventrel-cli analyse --exact SAMPLE"_qs << 0 << QByteArrayList{"[\n{"};
        QTest::newRow("nothing") << u"ventrel-cli"_qs << 2 << usage;
        QTest::newRow("unknown command") << u"ventrel-cli print"_qs << 2 << usage;
        QTest::newRow("no file") << u"ventrel-cli analyse"_qs << 2 << usage;
        QTest::newRow("bad format") << u"ventrel-cli analyse --format xml x"_qs << 2 << usage;
        QTest::newRow("unknown option") << u"ventrel-cli analyse --fast x"_qs << 2 << usage;
        QTest::newRow("report, no kind") << u"ventrel-cli report x.lkd"_qs << 2 << kind;
        QTest::newRow("report, both kinds")
            << u"ventrel-cli report --technical --customer x.lkd"_qs << 2 << kind;
        QTest::newRow("report, bad units") << u"ventrel-cli report --technical --units 4 x.lkd"_qs
                                           << 2 << QByteArrayList{"--units"};
        QTest::newRow("report, missing file")
            << u"ventrel-cli report --technical /nonexistent/x.lkd"_qs << 1
            << QByteArrayList{"x.lkd"};
        QTest::newRow("report, missing template")
            << u"ventrel-cli report --customer --template /nonexistent/Customer.txt SAMPLE"_qs << 1
            << QByteArrayList{"/nonexistent/Customer.txt"};
        // Without a display the program says what it needs and ends, instead of Qt's abort;
        // --help and --version answer on a terminal and start nothing.
        QTest::newRow("program without display")
            << u"ventrel"_qs << 1 << QByteArrayList{"needs a desktop session", "xvfb-run"};
        QTest::newRow("program --help")
            << u"ventrel --help"_qs << 0 << QByteArrayList{"Usage: ventrel [FILE.lkd]"};
        QTest::newRow("program --version")
            << u"ventrel --version"_qs << 0 << QByteArrayList{"ventrel 2."};
    }
    void answers() {
        QFETCH(QString, command);
        QFETCH(int, status);
        QFETCH(QByteArrayList, said);
        QStringList args = command.split(u' ');
        const bool app = args.takeFirst() == u"ventrel";
        args.replaceInStrings(u"SAMPLE"_qs, write(u"sample.lkd"_qs, reportTest(1)));
        const Run r = run(args, app);
        QCOMPARE(r.status, status);
        QVERIFY2(status == 0 || r.out.isEmpty(), r.out.constData());
        for (const QByteArray& part : said)
            QVERIFY2(status == 0 ? r.out.startsWith(part) : r.err.contains(part),
                     (status == 0 ? r.out : r.err).constData());
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
