#include "core/calc/leakagecalc.h"
#include "core/report/graphmodel.h"
#include "support/testrecords.h"

#include <QTest>

#include <cmath>

using namespace graph;
using namespace testrecords;

namespace {

// A test whose largest fan flow is `cfm`, with a second point at 60 % of it.
TestRecord largestFlow(double cfm, int16_t system) {
    TestRecord r = newTest(system);
    setPoint(r, 1, -50, cfm);
    setPoint(r, 2, -20, cfm * 0.6);
    calculateTest(r);
    return r;
}

QStringList texts(const QList<Label>& labels, double left, double right) {
    QStringList out;
    for (const Label& l : labels)
        if (l.left >= left && l.left < right)
            out << l.text;
    return out;
}

bool allFinite(const Model& m) {
    for (const Line& l : m.lines)
        if (!std::isfinite(l.x1 + l.y1 + l.x2 + l.y2))
            return false;
    for (const Point& p : m.points)
        if (!std::isfinite(p.x + p.y) || p.x < 0 || p.x > kBoxWidth || p.y < kAreaTop ||
            p.y > kBoxHeight)
            return false;
    return !m.fit || std::isfinite(m.fit->x1 + m.fit->y1 + m.fit->x2 + m.fit->y2);
}

} // namespace

class TestGraphModel : public QObject {
    Q_OBJECT
  private slots:
    // The flow axis for the largest fan flow: its factor, bounds, step and labels, and whether
    // the fitted line reaches it.
    void flowAxis_data() {
        QTest::addColumn<double>("cfm"); // 0: no points
        QTest::addColumn<int>("system");
        QTest::addColumn<double>("factor");
        QTest::addColumn<QList<double>>("axis"); // qmin, qmax, step
        QTest::addColumn<QString>("labels");
        QTest::addColumn<bool>("line");
        const QString cfm = u"400 500 600 700 800 900 1000 2000 3000 4000 5000 6000 7000"_qs;
        const QString small = u"4 5 6 7 8 9 10 20 30 40 50 60 70"_qs;
        QTest::newRow("no points, cfm")
            << 0.0 << 2 << 1.0 << QList<double>{400, 7000, 100} << cfm << false;
        QTest::newRow("no points, m3/h")
            << 0.0 << 3 << 1.0 << QList<double>{600, 11000, 100}
            << u"600 700 800 900 1000 2000 3000 4000 5000 6000 7000 8000 9000 10000"_qs << false;
        QTest::newRow("50 cfm") << 50.0 << 2 << 100.0 << QList<double>{4, 70, 1} << small << true;
        QTest::newRow("8000 cfm") << 8000.0 << 1 << 0.1 << QList<double>{4000, 70000, 1000}
                                  << u"4000 5000 6000 7000 8000 9000 10k 20k 30k 40k 50k 60k 70k"_qs
                                  << true;
        // 1.699 x 7000 is above 11000: s' = 0.1 while s stays 1.
        QTest::newRow("7000 cfm in m3/h")
            << 7000.0 << 3 << 0.1 << QList<double>{6000, 110000, 1000}
            << u"6000 7000 8000 9000 10k 20k 30k 40k 50k 60k 70k 80k 90k 100k"_qs << true;
        QTest::newRow("7000 cfm in cfm")
            << 7000.0 << 2 << 1.0 << QList<double>{400, 7000, 100} << cfm << true;
        QTest::newRow("500 m3/h: 9000 reads 900")
            << 500 / 1.699 << 3 << 10.0 << QList<double>{60, 1100, 10}
            << u"60 70 80 90 100 200 300 400 500 600 700 800 900 1000"_qs << true;
        // 0.7 to 7 cfm would ask for 1000, whose ticks do not round to whole numbers. At 3 m3/h
        // the fit stays below the axis's 6 m3/h up to 100 Pa: no line.
        QTest::newRow("3 cfm") << 3.0 << 2 << 100.0 << QList<double>{4, 70, 1} << small << true;
        QTest::newRow("3 m3/h") << 3 / 1.699 << 3 << 100.0 << QList<double>{6, 110, 1}
                                << u"6 7 8 9 10 20 30 40 50 60 70 80 90 100"_qs << false;
        QTest::newRow("200000 cfm")
            << 200000.0 << 2 << 0.01 << QList<double>{40000, 700000, 10000}
            << u"40000 50000 60000 70000 80000 90000 100k 200k 300k 400k 500k 600k 700k"_qs << true;
    }
    void flowAxis() {
        QFETCH(double, cfm);
        QFETCH(int, system);
        QFETCH(double, factor);
        QFETCH(QList<double>, axis);
        QFETCH(QString, labels);
        QFETCH(bool, line);
        const TestRecord r = cfm > 0 ? largestFlow(cfm, int16_t(system)) : newTest(int16_t(system));
        const Model m = buildGraph(r, int16_t(system));
        QCOMPARE(m.flowFactor, factor);
        QCOMPARE((QList<double>{m.qmin, m.qmax, m.qstep}), axis);
        QCOMPARE(texts(m.labels, kX0 - 700, kX0).join(u' ').simplified(), labels);
        QVERIFY(allFinite(m));
        QCOMPARE(m.points.size(), cfm > 0 ? 2 : 0);
        QCOMPARE(m.fit.has_value(), line);
    }

    // in.wc: labels .02 to .35, black grid lines at 0.02 and 0.30; Pa: all grey.
    void pressureAxis() {
        const Model inWc = buildGraph(newTest(1), 1);
        QCOMPARE(texts(inWc.labels, kX0 - 300, kX1).join(u' '),
                 u" .02  .03  .04  .05  .06  .08  .1  .15  .2  .25  .3  .35"_qs);
        QList<double> black;
        for (const Line& l : inWc.lines)
            if (l.colour == Colour::Black && l.x1 == l.x2 && l.x1 > kX0)
                black << l.x1;
        const double span = std::log(0.4 / 0.01);
        QCOMPARE(black.size(), 2);
        QCOMPARE(black[0], kX0 + (kX1 - kX0) * std::log(2.0) / span);
        QCOMPARE(black[1], kX0 + (kX1 - kX0) * std::log(30.0) / span);
        const Model pa = buildGraph(newTest(2), 2);
        QCOMPARE(texts(pa.labels, kX0 - 300, kX1).size(), 15);
        for (const Line& l : pa.lines)
            QVERIFY(l.colour == Colour::Grey || l.x1 != l.x2 || l.x1 == kX0);
    }

    // A depressurisation point sits at the magnitude of its difference from the baseline.
    void pointAtItsDifference() {
        TestRecord r = newTest(2);
        setPoint(r, 3, -50, 2000);
        setStatics(r, -2, -2);
        calculateTest(r);
        const Model m = buildGraph(r, 2);
        QCOMPARE(m.points.size(), 1);
        const double p = std::fabs(-50 / 249.1 - double(float(-2 / 249.1))) * 249.1;
        QVERIFY(std::fabs(m.points[0].x -
                          (kX0 + (kX1 - kX0) * std::log(p / 3) / std::log(100.0 / 3))) < 1e-9);
        QCOMPARE(m.points[0].y,
                 kY0 + (kY1 - kY0) * std::log(2000.0 / 400) / std::log(7000.0 / 400));
    }

    // Fits and points that have no place on a log axis draw nothing, and loops end.
    void unusable_data() {
        QTest::addColumn<double>("c");
        QTest::addColumn<double>("n");
        QTest::addColumn<bool>("line");
        QTest::newRow("usual fit") << 5660.0 << 0.65 << true;
        QTest::newRow("no fit") << 0.0 << 0.65 << false;
        QTest::newRow("never reaches the axis") << 1e-6 << 0.65 << false;
        QTest::newRow("falling") << 3000.0 << -0.5 << true;
        QTest::newRow("steep, clipped to the page") << 5e6 << 6.0 << true;
    }
    void unusable() {
        QFETCH(double, c);
        QFETCH(double, n);
        QFETCH(bool, line);
        TestRecord r = largestFlow(2000, 2);
        r.FlowCoefficientG = float(c);
        r.PressureExponentG = float(n);
        r.FanFlowG[5] = 0.4f; // rounds to 0: skipped
        r.PresGageG[5] = -0.1;
        r.LowFlowFactorG[5] = 1;
        r.PresGageG[6] = double(r.StaticPresBaselineG); // no difference: skipped
        r.FanFlowG[6] = 900;
        r.LowFlowFactorG[6] = 1;
        const Model m = buildGraph(r, 2);
        QCOMPARE(m.fit.has_value(), line);
        QCOMPARE(m.points.size(), 2);
        QVERIFY(allFinite(m));
        if (m.fit)
            QVERIFY(m.fit->y2 >= kAreaTop && m.fit->x2 <= kBoxWidth);
    }
};

QTEST_APPLESS_MAIN(TestGraphModel)
#include "test_graphmodel.moc"
