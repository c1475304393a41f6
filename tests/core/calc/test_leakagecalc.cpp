#include "core/calc/leakagecalc.h"
#include "core/calc/pointentry.h"
#include "support/testrecords.h"

#include <QTest>

#include <cmath>
#include <functional>

using namespace testrecords;
using Edit = std::function<void(TestRecord&)>;

namespace {

// Every figure a calculation writes, summary and per point.
QList<float> results(const TestRecord& r) {
    QList<float> out;
    out << r.CorrelationG << r.FlowCoefficientG << r.PressureExponentG << r.ElaCgsbG << r.ElaLblG
        << r.LeakageRatioG << r.Ach50G << r.Flow50G << r.PermeabilityIndexG << r.InfiltrationAchG
        << r.InfiltrationFlowG << r.InfiltrationPerOccupantG << r.InfiltrationPerBedroomG
        << r.UsaceIndexG << r.Q4PaSurfG << r.InfiltrationDeapIndexG << r.Flow75G << r.Flow4G;
    for (int i = 1; i <= 9; ++i)
        out << r.FlowFitG[i] << r.FlowErrorG[i] << r.FanFlowG[i];
    return out;
}

// A figure to `digits` significant digits, to compare with the stated one.
QByteArray sig(double v, int digits) {
    return QByteArray::number(v, 'g', digits);
}

void calculate(TestRecord& r) {
    r.StaticPresBaselineG = staticBaseline(r);
    subLeakageCalc(r);
    recomputeEnvelopeFigures(r);
}

} // namespace

class TestLeakageCalc : public QObject {
    Q_OBJECT
  private slots:
    // The weighted fit (an unweighted one gives n = 0.63792) and every figure it leads to.
    void workedExampleFit() {
        TestRecord r = workedExample();
        calculate(r);
        QCOMPARE(r.PointCountG, int16_t(3));
        QCOMPARE(
            (QByteArrayList{sig(r.PressureExponentG, 5), sig(r.FlowCoefficientG, 5),
                            sig(r.CorrelationG, 5), sig(r.FlowFitG[1], 5), sig(r.FlowFitG[2], 5),
                            sig(r.FlowErrorG[1], 4), sig(r.FlowErrorG[2], 4),
                            sig(r.FlowErrorG[3], 3), sig(r.ElaCgsbG, 5), sig(r.ElaLblG, 5)}),
            (QByteArrayList{"0.64783", "253.32", "0.99884", "49.439", "71.043", "1.122", "-1.49",
                            "0.545", "9.2705", "4.9386"}));
        QCOMPARE(
            (QByteArrayList{sig(r.Flow50G, 5), sig(r.Flow75G, 5), sig(r.Flow4G, 5),
                            sig(r.Ach50G, 5), sig(r.LeakageRatioG, 5), sig(r.PermeabilityIndexG, 5),
                            sig(r.UsaceIndexG, 5), sig(r.InfiltrationAchG, 5),
                            sig(r.InfiltrationFlowG, 5), sig(r.InfiltrationPerOccupantG, 5),
                            sig(r.InfiltrationPerBedroomG, 5), sig(r.Q4PaSurfG, 5),
                            sig(r.InfiltrationDeapIndexG, 5)}),
            (QByteArrayList{"89.51", "116.4", "17.428", "0.53706", "0.61803", "0.017902", "0.02328",
                            "0.026853", "4.4755", "1.1189", "2.2377", "0.0049795", "0.0008951"}));

        // The sign of the pressures does not matter, taken from statics of the same sign.
        TestRecord a = workedExample(), b = workedExample();
        setStatics(a, 2, 2);
        setStatics(b, -2, -2);
        for (int i = 1; i <= 3; ++i)
            b.PresGageG[i] = -b.PresGageG[i];
        calculate(a);
        calculate(b);
        QCOMPARE(results(b), results(a));
    }

    void singlePoint() {
        TestRecord r = newTest();
        setPoint(r, 4, 50, 90);
        subLeakageCalc(r);
        QCOMPARE(r.PointCountG, int16_t(1));
        QCOMPARE(r.PressureExponentG, 0.65f);
        QCOMPARE(r.CorrelationG, 0.0f);
        QCOMPARE(sig(r.FlowCoefficientG, 5), "255.6");
        QCOMPARE(r.Flow50G, 90.0f);
    }

    // A point without flow, pressure or plate is left out, and its old figures cleared.
    void invalidPoints_data() {
        QTest::addColumn<double>("pascals");
        QTest::addColumn<double>("flow");
        QTest::addColumn<float>("plate");
        QTest::newRow("negative flow") << 50.0 << -10.0 << 1.0f;
        QTest::newRow("no pressure") << 0.0 << 90.0 << 1.0f;
        QTest::newRow("no plate") << 50.0 << 90.0 << 0.0f;
    }
    void invalidPoints() {
        QFETCH(double, pascals);
        QFETCH(double, flow);
        QFETCH(float, plate);
        TestRecord r = workedExample();
        setPoint(r, 5, pascals, flow, plate);
        r.FlowFitG[5] = r.FlowErrorG[5] = r.FanFlowG[5] = 7;
        subLeakageCalc(r);
        QCOMPARE(r.PointCountG, int16_t(3));
        QCOMPARE(r.FlowFitG[5] + r.FlowErrorG[5] + r.FanFlowG[5], 0.0f);
        QCOMPARE(sig(r.PressureExponentG, 5), "0.64783");
    }

    void density_data() {
        QTest::addColumn<QString>("direction");
        QTest::addColumn<float>("inside");
        QTest::addColumn<float>("outside");
        QTest::addColumn<double>("factor");
        QTest::newRow("cold outside D") << "D" << 68.0f << 32.0f << std::sqrt(491.67 / 527.67);
        QTest::newRow("lower case d is pressurising")
            << "d" << 68.0f << 32.0f << std::sqrt(527.67 / 491.67);
        QTest::newRow("absolute zero inside") << "D" << -459.67f << 32.0f << 0.0;
        QTest::newRow("below absolute zero") << "P" << 68.0f << -500.0f << 0.0;
    }
    void density() {
        QFETCH(QString, direction);
        QFETCH(float, inside);
        QFETCH(float, outside);
        QFETCH(double, factor);
        TestRecord r = newTest();
        r.PressurizeOrDepressG = direction;
        r.TemperatureInsideFG = inside;
        r.TemperatureOutsideFG = outside;
        QVERIFY(std::fabs(densityCorrectionFactor(r) - factor) <= 1e-6);
    }

    // n = log2(flow at 20 Pa / flow at 10 Pa). Beyond 4 either way no figure is kept; equal
    // flows give n = 0 and no correlation.
    void exponentRange_data() {
        QTest::addColumn<double>("exponent");
        QTest::addColumn<bool>("inRange");
        QTest::newRow("n = 4.2") << 4.2 << false;
        QTest::newRow("n = 3.9") << 3.9 << true;
        QTest::newRow("n = -4.5") << -4.5 << false;
        QTest::newRow("n = 0") << 0.0 << true;
    }
    void exponentRange() {
        QFETCH(double, exponent);
        QFETCH(bool, inRange);
        TestRecord r = newTest();
        r.BuildingVolumeCuFtG = 10000;
        setPoint(r, 1, 10, 10);
        setPoint(r, 2, 20, 10.0 * std::pow(2.0, exponent));
        subLeakageCalc(r);
        for (float f : results(r))
            QVERIFY(std::isfinite(f));
        QCOMPARE(r.FlowCoefficientG != 0.0f, inRange);
        if (inRange) { // two points lie on their curve, unless the flows are equal
            QCOMPARE(r.CorrelationG, exponent == 0 ? 0.0f : 1.0f);
        } else {
            for (float f : {r.ElaCgsbG, r.ElaLblG, r.Flow50G, r.Ach50G, r.FlowFitG[1]})
                QCOMPARE(f, 0.0f);
            QCOMPARE(r.FlowErrorG[2], 100.0f);
        }
    }

    // Two statics near the Single limit: their sum would overflow, their mean does not.
    void baselineOfHugeStaticsStaysFinite() {
        TestRecord r = workedExample();
        r.PreTestStaticPresG = r.PostTestStaticPresG = 3.0e38f;
        QCOMPARE(staticBaseline(r), 3.0e38f);
        r.PostTestStaticPresG = -3.0e38f;
        QCOMPARE(staticBaseline(r), 0.0f);
    }

    // Points the fit cannot spread, after a first calculation of the worked example.
    void degeneratePoints() {
        TestRecord r = workedExample();
        calculate(r);
        for (int i = 1; i <= 3; ++i) // all at one pressure: the single-point rule on their mean
            setPoint(r, i, 50, 30 + 20 * i);
        calculate(r);
        QCOMPARE(r.PointCountG, int16_t(3));
        QCOMPARE(r.PressureExponentG, 0.65f);
        QCOMPARE(r.FlowCoefficientG, 198.79729f); // 70 x (249.1 / 50)^0.65
        QCOMPARE(r.Ach50G, 0.42f);
        QCOMPARE(r.FlowErrorG[1], -40.0f);
        QCOMPARE(r.FlowErrorG[3], 22.222221f);
        // Within 1/80 Pa of the baseline a point is left out: the Double 35 Pa differs from the
        // Single baseline by about 1e-9 in.wc.
        r = workedExample();
        r.PreTestStaticPresG = r.PostTestStaticPresG = float(35 / kPaPerInWc);
        calculate(r);
        QCOMPARE(r.PointCountG, int16_t(2));
        QCOMPARE(r.FlowFitG[2], 0.0f);
        // A single point at the baseline leaves no point at all.
        r = newTest();
        setPoint(r, 1, 3, 90);
        r.PreTestStaticPresG = r.PostTestStaticPresG = float(r.PresGageG[1]);
        r.PresGageG[1] = r.PreTestStaticPresG;
        calculate(r);
        QCOMPARE(r.PointCountG, int16_t(0));
        QCOMPARE(r.FlowCoefficientG, 0.0f);
    }

    // Inputs that leave figures undefined, after a first calculation of the worked example:
    // those are 0 (never a figure of the earlier run), every other figure is as before.
    void undefinedFiguresZero_data() {
        using F = QList<float TestRecord::*>;
        using T = TestRecord;
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<F>("zeroed"); // empty: every figure
        QTest::newRow("temperatures without a density")
            << Edit([](T& r) { r.TemperatureInsideFG = -470.0f; }) << F{};
        QTest::newRow("no occupants or bedrooms") << Edit([](T& r) {
            r.NumberOfOccupantsG = QStringLiteral("none");
            r.NumberofBedroomsG = QStringLiteral("0");
        }) << F{&T::InfiltrationPerOccupantG, &T::InfiltrationPerBedroomG};
        QTest::newRow("factor zero")
            << Edit([](T& r) { r.DivideBy20FactorG = 0; })
            << F{&T::InfiltrationAchG, &T::InfiltrationFlowG, &T::InfiltrationPerOccupantG,
                 &T::InfiltrationPerBedroomG, &T::InfiltrationDeapIndexG};
        QTest::newRow("no building data") << Edit([](T& r) {
            r.BuildingVolumeCuFtG = r.BuildingFloorAreaSqFtG = r.BuildingSurfaceAreaSqFtG = 0;
        }) << F{&T::Ach50G,
                &T::InfiltrationAchG,
                &T::LeakageRatioG,
                &T::PermeabilityIndexG,
                &T::UsaceIndexG,
                &T::Q4PaSurfG,
                &T::InfiltrationDeapIndexG};
    }
    void undefinedFiguresZero() {
        QFETCH(Edit, edit);
        QFETCH(QList<float TestRecord::*>, zeroed);
        TestRecord r = workedExample();
        calculate(r);
        TestRecord expected = r;
        for (float TestRecord::*f : zeroed)
            expected.*f = 0.0f;
        edit(r);
        calculate(r);
        QCOMPARE(results(r),
                 zeroed.isEmpty() ? QList<float>(results(r).size(), 0.0f) : results(expected));
    }
};

QTEST_APPLESS_MAIN(TestLeakageCalc)
#include "test_leakagecalc.moc"
