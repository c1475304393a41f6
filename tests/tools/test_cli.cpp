#include "core/calc/analysis.h"
#include "core/record/lkdfile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

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

TestRecord houseTest(int16_t system) {
    TestRecord r;
    applyStartupValues(r);
    applyNewFileDefaults(r, system);
    r.BuildingVolumeCuFtG = 16500;
    r.BuildingSurfaceAreaSqFtG = 5900;
    r.BuildingFloorAreaSqFtG = 2100;
    r.TemperatureOutsideFG = 41;
    r.PreTestStaticPresG = float(-1.2 / 249.1);
    r.PostTestStaticPresG = float(-1.6 / 249.1);
    const double pascals[] = {-60.02, -50, -40.004, -30, -20.5};
    const double flows[] = {3900.04, 3480, 3010.3, 2490, 1880.25};
    for (int i = 1; i <= 5; ++i) {
        r.PresGageG[i] = pascals[i - 1] / 249.1;
        r.FlowGageG[i] = flows[i - 1];
        r.LowFlowFactorG[i] = 1.0f;
    }
    return r;
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
    void jsonMatchesTheEngine_data() {
        QTest::addColumn<bool>("exact");
        QTest::newRow("as loaded") << false;
        QTest::newRow("exact") << true;
    }
    void jsonMatchesTheEngine() {
        QFETCH(bool, exact);
        const TestRecord r = houseTest(2);
        const QString path = write(QStringLiteral("house.lkd"), r);
        QStringList args{QStringLiteral("analyse"), path};
        if (exact)
            args.insert(1, QStringLiteral("--exact"));
        const Run run = runCli(args);
        QCOMPARE(run.status, 0);
        QVERIFY2(run.err.isEmpty(), run.err.constData());
        QJsonParseError perr;
        const QJsonDocument doc = QJsonDocument::fromJson(run.out, &perr);
        QVERIFY2(perr.error == QJsonParseError::NoError, qPrintable(perr.errorString()));
        QCOMPARE(doc.array().size(), 1);
        const QJsonObject o = doc.array().at(0).toObject();

        TestRecord readBack;
        QVERIFY(readLkdFile(path, readBack));
        const Analysis a = analyse(path, readBack);
        QCOMPARE(o.value(QStringLiteral("file")).toString(), path);
        QCOMPARE(o.value(QStringLiteral("unit_system")).toInt(), 2);
        QCOMPARE(o.value(QStringLiteral("point_count")).toInt(), 5);
        // Every number reads back to the value the engine stored.
        QCOMPARE(float(o.value(QStringLiteral("pressure_exponent")).toDouble()),
                 a.record.PressureExponentG);
        QCOMPARE(float(o.value(QStringLiteral("flow_coefficient")).toDouble()),
                 a.record.FlowCoefficientG);
        QCOMPARE(float(o.value(QStringLiteral("ach50")).toDouble()), a.record.Ach50G);
        QCOMPARE(float(o.value(QStringLiteral("q4pa_surf")).toDouble()), a.record.Q4PaSurfG);
        QCOMPARE(float(o.value(QStringLiteral("baseline_inwc")).toDouble()),
                 a.record.StaticPresBaselineG);
        const QJsonArray points = o.value(QStringLiteral("points")).toArray();
        QCOMPARE(points.size(), 9);
        const QJsonObject p1 = points.at(0).toObject();
        QCOMPARE(p1.value(QStringLiteral("pressure_inwc")).toDouble(), a.record.PresGageG[1]);
        // Stored values as they are, with or without the old --exact.
        QCOMPARE(points.at(2).toObject().value(QStringLiteral("pressure_inwc")).toDouble(),
                 -40.004 / 249.1);
        QCOMPARE(p1.value(QStringLiteral("used")).toBool(), true);
        QCOMPARE(points.at(8).toObject().value(QStringLiteral("used")).toBool(), false);
        QCOMPARE(float(p1.value(QStringLiteral("fit_error_pct")).toDouble()),
                 a.record.FlowErrorG[1]);
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
        QVERIFY((status == 0 ? run.out : run.err).contains("Usage: ventrel-cli analyse"));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
