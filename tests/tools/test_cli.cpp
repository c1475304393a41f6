#include "core/record/lkdfile.h"
#include "support/testrecords.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using testrecords::houseTest;

namespace {

struct Run {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

Run runCli(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(VENTREL_CLI_PATH), args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
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
        QVERIFY(lines[0].endsWith(",deap_index,infiltration_factor"));
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
