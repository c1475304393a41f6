#include "core/calc/leakagecalc.h"
#include "core/calc/pointentry.h"
#include "support/testrecords.h"

#include <QTest>

#include <cmath>

namespace {

using testrecords::setPoint;
using testrecords::workedExample;

TestRecord baseRecord() {
    return testrecords::newTest(2);
}

// Equal to the stated figure within half a unit of its last digit.
bool near(double actual, double stated, double halfUnit) {
    return std::fabs(actual - stated) <= halfUnit;
}

#define CHECK_NEAR(actual, stated, halfUnit)                                                       \
    QVERIFY2(near((actual), (stated), (halfUnit)),                                                 \
             qPrintable(QStringLiteral("%1 = %2, expected %3")                                     \
                            .arg(QStringLiteral(#actual))                                          \
                            .arg(double(actual), 0, 'g', 9)                                        \
                            .arg(double(stated), 0, 'g', 9)))

bool allFinite(const TestRecord& r) {
    for (float f : {r.CorrelationG, r.FlowCoefficientG, r.PressureExponentG, r.ElaCgsbG, r.ElaLblG,
                    r.LeakageRatioG, r.Ach50G, r.Flow50G, r.PermeabilityIndexG, r.InfiltrationAchG,
                    r.InfiltrationFlowG, r.InfiltrationPerOccupantG, r.InfiltrationPerBedroomG,
                    r.UsaceIndexG, r.Q4PaSurfG, r.InfiltrationDeapIndexG, r.Flow75G, r.Flow4G})
        if (!std::isfinite(f))
            return false;
    for (int i = 1; i <= 9; ++i)
        if (!std::isfinite(r.FlowFitG[i]) || !std::isfinite(r.FlowErrorG[i]) ||
            !std::isfinite(r.FanFlowG[i]))
            return false;
    return true;
}

} // namespace

class TestLeakageCalc : public QObject {
    Q_OBJECT
  private slots:
    void workedExampleFit() {
        TestRecord r = workedExample();
        subLeakageCalc(r);
        recomputeEnvelopeFigures(r);
        QCOMPARE(r.PointCountG, int16_t(3));
        CHECK_NEAR(r.PressureExponentG, 0.64783, 5e-6);
        CHECK_NEAR(r.FlowCoefficientG, 253.32, 5e-3);
        CHECK_NEAR(r.CorrelationG, 0.99884, 5e-6);
        CHECK_NEAR(r.FlowFitG[1], 49.439, 5e-4);
        CHECK_NEAR(r.FlowFitG[2], 71.043, 5e-4);
        CHECK_NEAR(r.FlowFitG[3], 89.510, 5e-4);
        CHECK_NEAR(r.FlowErrorG[1], 1.122, 5e-4);
        CHECK_NEAR(r.FlowErrorG[2], -1.490, 5e-4);
        CHECK_NEAR(r.FlowErrorG[3], 0.545, 5e-4);
        CHECK_NEAR(r.ElaCgsbG, 9.2705, 5e-5);
        CHECK_NEAR(r.ElaLblG, 4.9386, 5e-5);
        CHECK_NEAR(r.Flow50G, 89.510, 5e-4);
        CHECK_NEAR(r.Flow75G, 116.40, 5e-3);
        CHECK_NEAR(r.Flow4G, 17.428, 5e-4);
        CHECK_NEAR(r.Ach50G, 0.53706, 5e-6);
        CHECK_NEAR(r.LeakageRatioG, 0.61803, 5e-6);
        CHECK_NEAR(r.PermeabilityIndexG, 0.017902, 5e-7);
        CHECK_NEAR(r.UsaceIndexG, 0.023280, 5e-7);
        CHECK_NEAR(r.InfiltrationAchG, 0.026853, 5e-7);
        CHECK_NEAR(r.InfiltrationFlowG, 4.4755, 5e-5);
        CHECK_NEAR(r.InfiltrationPerOccupantG, 1.1189, 5e-5);
        CHECK_NEAR(r.InfiltrationPerBedroomG, 2.2377, 5e-5);
        CHECK_NEAR(r.Q4PaSurfG, 0.0049795, 5e-8);
        CHECK_NEAR(r.InfiltrationDeapIndexG, 4.4755 / 5000, 1e-8);
    }

    void weightsMatter() {
        // An unweighted fit of the same points gives 0.63792.
        TestRecord r = workedExample();
        subLeakageCalc(r);
        QVERIFY(std::fabs(r.PressureExponentG - 0.63792f) > 0.005f);
    }

    void singlePoint() {
        TestRecord r = baseRecord();
        setPoint(r, 4, 50, 90);
        subLeakageCalc(r);
        QCOMPARE(r.PointCountG, int16_t(1));
        QCOMPARE(r.PressureExponentG, 0.65f);
        QCOMPARE(r.CorrelationG, 0.0f);
        CHECK_NEAR(r.FlowCoefficientG, 255.60, 5e-3);
        CHECK_NEAR(r.FlowFitG[4], 90.0, 1e-4);
        QCOMPARE(r.FlowErrorG[4], 0.0f);
        CHECK_NEAR(r.Flow50G, 90.0, 1e-5);
        QVERIFY(r.ElaCgsbG > 0.0f && r.ElaLblG > 0.0f);
        QCOMPARE(r.Ach50G, 0.0f); // no volume
    }

    void typicalRoad() {
        // 50 Pa and 2000 cfm on "MAG:Plate Off" with equal temperatures: the single-point figures.
        TestRecord r = baseRecord();
        setPoint(r, 1, 50, 2000);
        r.BuildingVolumeCuFtG = 12000;
        subLeakageCalc(r);
        CHECK_NEAR(r.Flow50G, 2000.0, 1e-3);
        CHECK_NEAR(r.Ach50G, 10.0, 1e-5);
        CHECK_NEAR(r.InfiltrationAchG, 0.5, 1e-6);
        CHECK_NEAR(r.InfiltrationPerOccupantG, 25.0, 1e-4);
        CHECK_NEAR(r.InfiltrationPerBedroomG, 50.0, 1e-4);
    }

    void invalidPoints_data() {
        QTest::addColumn<double>("pascals");
        QTest::addColumn<double>("flow");
        QTest::addColumn<float>("plate");
        QTest::newRow("no flow") << 50.0 << 0.0 << 1.0f;
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
        r.FlowFitG[5] = 77;
        r.FlowErrorG[5] = 7;
        r.FanFlowG[5] = 7;
        subLeakageCalc(r);
        QCOMPARE(r.PointCountG, int16_t(3));
        QCOMPARE(r.FlowFitG[5], 0.0f);
        QCOMPARE(r.FlowErrorG[5], 0.0f);
        QCOMPARE(r.FanFlowG[5], 0.0f);
        CHECK_NEAR(r.PressureExponentG, 0.64783, 5e-6);
    }

    void negativePlateIsUndivided() {
        TestRecord a = workedExample();
        TestRecord b = workedExample();
        for (int i = 1; i <= 3; ++i)
            b.LowFlowFactorG[i] = -12.0f;
        subLeakageCalc(a);
        subLeakageCalc(b);
        QCOMPARE(b.FlowCoefficientG, a.FlowCoefficientG);
        QCOMPARE(b.PressureExponentG, a.PressureExponentG);
    }

    void plateDivides() {
        TestRecord r = baseRecord();
        r.FlowGageG[1] = 952;
        r.LowFlowFactorG[1] = 9.52f;
        QVERIFY(std::fabs(fanFlowOf(r, 1, 1.0f) - 100.0) < 1e-4);
        r.LowFlowFactorG[1] = -1.0f;
        QCOMPARE(fanFlowOf(r, 1, 1.0f), 952.0);
        r.LowFlowFactorG[1] = 0.0f;
        QCOMPARE(fanFlowOf(r, 1, 1.0f), 952.0);
    }

    void signOfPressuresIrrelevant() {
        TestRecord a = workedExample();
        TestRecord b = workedExample();
        for (int i = 1; i <= 3; ++i)
            b.PresGageG[i] = -b.PresGageG[i];
        a.PreTestStaticPresG = a.PostTestStaticPresG = float(2 / 249.1);
        b.PreTestStaticPresG = b.PostTestStaticPresG = float(-2 / 249.1);
        a.StaticPresBaselineG = staticBaseline(a);
        b.StaticPresBaselineG = staticBaseline(b);
        subLeakageCalc(a);
        subLeakageCalc(b);
        QCOMPARE(b.PressureExponentG, a.PressureExponentG);
        QCOMPARE(b.FlowCoefficientG, a.FlowCoefficientG);
    }

    void density_data() {
        QTest::addColumn<QString>("direction");
        QTest::addColumn<float>("inside");
        QTest::addColumn<float>("outside");
        QTest::addColumn<double>("factor");
        QTest::newRow("equal D") << "D" << 68.0f << 68.0f << 1.0;
        QTest::newRow("equal P") << "P" << 68.0f << 68.0f << 1.0;
        QTest::newRow("cold outside D") << "D" << 68.0f << 32.0f << std::sqrt(491.67 / 527.67);
        QTest::newRow("cold outside P") << "P" << 68.0f << 32.0f << std::sqrt(527.67 / 491.67);
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
        TestRecord r = baseRecord();
        r.PressurizeOrDepressG = direction;
        r.TemperatureInsideFG = inside;
        r.TemperatureOutsideFG = outside;
        CHECK_NEAR(densityCorrectionFactor(r), factor, 1e-6);
    }

    void impossibleTemperaturesGiveNoFit() {
        TestRecord r = workedExample();
        r.TemperatureInsideFG = -470.0f;
        subLeakageCalc(r);
        QCOMPARE(r.PointCountG, int16_t(0));
        QCOMPARE(r.FlowCoefficientG, 0.0f);
        QVERIFY(allFinite(r));
    }

    void noValidPointClearsEverything() {
        TestRecord r = workedExample();
        subLeakageCalc(r);
        recomputeEnvelopeFigures(r);
        for (int i = 1; i <= 3; ++i)
            r.FlowGageG[i] = 0;
        subLeakageCalc(r);
        recomputeEnvelopeFigures(r);
        QCOMPARE(r.PointCountG, int16_t(0));
        for (float f :
             {r.CorrelationG, r.FlowCoefficientG, r.PressureExponentG, r.ElaCgsbG, r.ElaLblG,
              r.LeakageRatioG, r.Ach50G, r.Flow50G, r.Flow75G, r.Flow4G, r.PermeabilityIndexG,
              r.UsaceIndexG, r.Q4PaSurfG, r.InfiltrationAchG, r.InfiltrationFlowG,
              r.InfiltrationPerOccupantG, r.InfiltrationPerBedroomG, r.InfiltrationDeapIndexG})
            QCOMPARE(f, 0.0f);
    }

    void exponentOutOfRange_data() {
        QTest::addColumn<double>("highFlow");
        QTest::addColumn<bool>("inRange");
        // Two points, 10 and 20 Pa: n = log2(high / 10).
        QTest::newRow("n = 4.5") << 10.0 * std::pow(2.0, 4.5) << false;
        QTest::newRow("n = 4.2") << 10.0 * std::pow(2.0, 4.2) << false;
        QTest::newRow("n = 3.9") << 10.0 * std::pow(2.0, 3.9) << true;
        QTest::newRow("n = -4.5") << 10.0 * std::pow(2.0, -4.5) << false;
    }
    void exponentOutOfRange() {
        QFETCH(double, highFlow);
        QFETCH(bool, inRange);
        TestRecord r = workedExample();
        r = baseRecord();
        r.BuildingVolumeCuFtG = 10000;
        setPoint(r, 1, 10, 10);
        setPoint(r, 2, 20, highFlow);
        subLeakageCalc(r);
        QCOMPARE(r.FlowCoefficientG != 0.0f, inRange);
        if (!inRange) {
            for (float f : {r.ElaCgsbG, r.ElaLblG, r.Flow50G, r.Ach50G, r.InfiltrationFlowG})
                QCOMPARE(f, 0.0f);
            QCOMPARE(r.FlowFitG[1], 0.0f);
            QCOMPARE(r.FlowErrorG[1], 100.0f);
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

    void undefinedInputsStayFinite_data() {
        QTest::addColumn<int>("caseNo");
        QTest::newRow("all points at one pressure") << 0;
        QTest::newRow("one point within 1/80 Pa of the baseline") << 1;
        QTest::newRow("single point at the baseline") << 2;
        QTest::newRow("equal fan flows") << 3;
        QTest::newRow("no occupants or bedrooms") << 4;
        QTest::newRow("surface equals floor") << 5;
        QTest::newRow("factor zero") << 6;
    }
    void undefinedInputsStayFinite() {
        QFETCH(int, caseNo);
        TestRecord r = workedExample();
        // Figures of an earlier run must never survive into the new one.
        subLeakageCalc(r);
        recomputeEnvelopeFigures(r);
        switch (caseNo) {
        case 0:
            setPoint(r, 1, 50, 50);
            setPoint(r, 2, 50, 70);
            setPoint(r, 3, 50, 90);
            break;
        case 1:
            // The Double 35 Pa differs from the Single baseline by about 1e-9 in.wc.
            r.PreTestStaticPresG = r.PostTestStaticPresG = float(35 / 249.1);
            break;
        case 2:
            r = baseRecord();
            setPoint(r, 1, 3, 90);
            r.PreTestStaticPresG = r.PostTestStaticPresG = float(r.PresGageG[1]);
            r.PresGageG[1] = r.PreTestStaticPresG;
            break;
        case 3:
            setPoint(r, 1, 20, 70);
            setPoint(r, 3, 50, 70);
            break;
        case 4:
            r.NumberOfOccupantsG = QStringLiteral("none");
            r.NumberofBedroomsG = QStringLiteral("0");
            break;
        case 5:
            r.BuildingFloorAreaSqFtG = r.BuildingSurfaceAreaSqFtG;
            break;
        case 6:
            r.DivideBy20FactorG = 0;
            break;
        }
        r.StaticPresBaselineG = staticBaseline(r);
        subLeakageCalc(r);
        recomputeEnvelopeFigures(r);
        QVERIFY(allFinite(r));
        switch (caseNo) {
        case 0:
            // One pressure, three readings: the single-point rule through their mean, 70 cfm.
            QCOMPARE(r.PointCountG, int16_t(3));
            QCOMPARE(r.PressureExponentG, 0.65f);
            QCOMPARE(r.CorrelationG, 0.0f);
            QCOMPARE(r.FlowCoefficientG, 198.79729f); // 70 x (249.1 / 50)^0.65
            QCOMPARE(r.Flow50G, 70.0f);
            QCOMPARE(r.Ach50G, 0.42f);
            QCOMPARE(r.FlowFitG[2], 70.0f);
            QCOMPARE(r.FlowErrorG[1], -40.0f);
            QCOMPARE(r.FlowErrorG[3], 22.222221f);
            break;
        case 1:
            QCOMPARE(r.PointCountG, int16_t(2));
            QCOMPARE(r.FlowFitG[2], 0.0f);
            break;
        case 2:
            QCOMPARE(r.PointCountG, int16_t(0));
            QCOMPARE(r.FlowCoefficientG, 0.0f);
            break;
        case 3:
            QCOMPARE(r.CorrelationG, 0.0f);
            QCOMPARE(r.PressureExponentG, 0.0f);
            break;
        case 4:
            QCOMPARE(r.InfiltrationPerOccupantG, 0.0f);
            QCOMPARE(r.InfiltrationPerBedroomG, 0.0f);
            QVERIFY(r.InfiltrationFlowG > 0.0f);
            break;
        case 5:
            QCOMPARE(r.Q4PaSurfG, 0.0f);
            QVERIFY(r.UsaceIndexG > 0.0f);
            break;
        case 6:
            QCOMPARE(r.InfiltrationAchG, 0.0f);
            QCOMPARE(r.InfiltrationFlowG, 0.0f);
            QCOMPARE(r.InfiltrationDeapIndexG, 0.0f);
            QCOMPARE(r.InfiltrationPerOccupantG, 0.0f);
            break;
        }
    }

    void missingBuildingData() {
        TestRecord r = workedExample();
        r.BuildingVolumeCuFtG = 0;
        r.BuildingFloorAreaSqFtG = 0;
        r.BuildingSurfaceAreaSqFtG = 0;
        subLeakageCalc(r);
        recomputeEnvelopeFigures(r);
        QCOMPARE(r.Ach50G, 0.0f);
        QCOMPARE(r.InfiltrationAchG, 0.0f);
        QCOMPARE(r.LeakageRatioG, 0.0f);
        QCOMPARE(r.PermeabilityIndexG, 0.0f);
        QCOMPARE(r.UsaceIndexG, 0.0f);
        QCOMPARE(r.Q4PaSurfG, 0.0f);
        QCOMPARE(r.InfiltrationDeapIndexG, 0.0f);
        QVERIFY(r.Flow50G > 0.0f);
    }
};

QTEST_APPLESS_MAIN(TestLeakageCalc)
#include "test_leakagecalc.moc"
