#include "core/calc/leakagecalc.h"
#include "core/calc/testquality.h"
#include "support/testrecords.h"

#include <QTest>

#include <cmath>

using namespace testquality;
using namespace testrecords;

namespace {

// Points at `pascals` with `cfm`, 68 F inside and out, so each fan flow is its reading.
TestRecord typed(const QList<double>& pascals, const QList<double>& cfm, double staticPa = 0) {
    TestRecord r = newTest(2);
    r.BuildingVolumeCuFtG = 20000;
    for (int i = 0; i < pascals.size(); ++i)
        setPoint(r, i + 1, -pascals[i], cfm[i]);
    setStatics(r, -staticPa, staticPa);
    calculateTest(r);
    return r;
}

QString passes(const Quality& q) {
    QString out;
    for (const Check& c : q.checks)
        out += c.pass ? u'P' : u'F';
    return out;
}

bool near(double got, double expected) {
    return std::fabs(got - expected) <= 1e-9 * std::fabs(expected);
}

} // namespace

class TestTestQuality : public QObject {
    Q_OBJECT
  private slots:
    // Intervals worked out apart from the program (weighted sums over ln F and ln(P / 249.1)
    // with w = F^2, t = 3.182446 for 3 degrees of freedom).
    void fivePoints() {
        const Quality q = assess(typed({15, 25, 35, 50, 60}, {1000, 1390, 1700, 2110, 2350}));
        QCOMPARE(q.validPoints, 5);
        QVERIFY(q.exponent && q.coefficient && q.flow50 && q.ach50);
        QVERIFY(near(q.exponent->low, 0.5910569748964799));
        QVERIFY(near(q.exponent->high, 0.6287105598680879));
        QVERIFY(near(q.coefficient->low, 5424.126011997157));
        QVERIFY(near(q.coefficient->high, 5807.284815136608));
        QVERIFY(near(q.flow50->low, 2090.7178790275593));
        QVERIFY(near(q.flow50->high, 2124.8928899244142));
        QVERIFY(near(q.ach50->high, 6.374678669773243));
        // The 35 to 50 Pa step is a gap of 15 Pa.
        QCOMPARE(passes(q), u"PPPPFPPP"_qs);
        QCOMPARE(q.checks[4].name, u"pressure_gaps"_qs);
        QVERIFY2(q.checks[4].reason.contains(u"15 Pa"_qs), qPrintable(q.checks[4].reason));
    }

    void edgeCases_data() {
        QTest::addColumn<QList<double>>("pascals");
        QTest::addColumn<QList<double>>("cfm");
        QTest::addColumn<double>("staticPa");
        QTest::addColumn<bool>("interval");
        QTest::addColumn<QString>("checks");
        auto row = [](const char* name, QList<double> pascals, QList<double> cfm, double staticPa,
                      bool interval, const char* checks) {
            QTest::newRow(name) << pascals << cfm << staticPa << interval
                                << QString::fromLatin1(checks);
        };
        row("two points", {20, 50}, {1000, 1800}, 0, false, "FPPPFPPF");
        row("all at one pressure", {50, 50, 50}, {2000, 2050, 2100}, 0, false, "FPPPPPFF");
        QList<double> exact; // 1000 x (P / 10)^0.65 exactly: the intervals have no width
        for (int k = 1; k <= 5; ++k)
            exact << 1000 * std::pow(k, 0.65);
        row("perfect fit", {10, 20, 30, 40, 50}, exact, 0, true, "PPPPPPPP");
        // Statics are kept as Singles: 2.5 and 5 Pa come back a few 1e-8 above.
        QList<double> fromTwelve; // a power law from 12.5 Pa, in steps of 10 Pa
        for (int k = 0; k < 5; ++k)
            fromTwelve << 1000 * std::pow(1.25 + k, 0.65);
        row("statics 2.5 Pa: 12.5 Pa is exactly five times", {12.5, 22.5, 32.5, 42.5, 52.5},
            fromTwelve, 2.5, true, "PPPPPPPP");
        row("statics 2.5 Pa: 12.49 Pa is under five times", {12.49, 22.4, 32.4, 42.4, 52.4},
            fromTwelve, 2.5, true, "PPFPPPPP");
        row("statics 5 Pa: at the limit", {25, 35, 45, 55, 65}, {1800, 2240, 2640, 3000, 3330}, 5,
            true, "PPPPPPPP");
        row("statics 5.5 Pa", {30, 40, 50, 60, 70}, {1520, 1830, 2110, 2350, 2590}, 5.5, true,
            "PPPFPPPP");
        row("nothing typed", {}, {}, 0, false, "FFFPFFFF");
    }
    void edgeCases() {
        QFETCH(QList<double>, pascals);
        QFETCH(QList<double>, cfm);
        QFETCH(double, staticPa);
        const Quality q = assess(typed(pascals, cfm, staticPa));
        QTEST(q.flow50.has_value(), "interval");
        QTEST(q.exponent.has_value(), "interval");
        QTEST(passes(q), "checks");
        if (QTest::currentDataTag() == QByteArray("perfect fit")) {
            QVERIFY(std::fabs(q.exponent->high - q.exponent->low) < 1e-6);
            QVERIFY(std::fabs(q.flow50->high / q.flow50->low - 1) < 1e-6);
        }
        for (const Check& c : q.checks)
            QVERIFY2(!c.reason.isEmpty() && !c.reason.contains(u"nan"_qs), qPrintable(c.name));
    }
};

QTEST_APPLESS_MAIN(TestTestQuality)
#include "test_testquality.moc"
