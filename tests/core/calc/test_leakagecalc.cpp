#include "core/calc/leakagecalc.h"
#include "core/calc/pointentry.h"
#include "support/testrecords.h"

#include <QTest>

#include <cmath>
#include <functional>

using namespace testrecords;
using Edit = std::function<void(TestRecord&)>;

namespace {

// Equal to the stated figure within half a unit of its last digit.
#define CHECK_NEAR(actual, stated, halfUnit)                                                       \
    QVERIFY2(std::fabs(double(actual) - (stated)) <= (halfUnit),                                   \
             qPrintable(QStringLiteral(#actual " = %1").arg(double(actual), 0, 'g', 9)))

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
        CHECK_NEAR(r.PressureExponentG, 0.64783, 5e-6);
        CHECK_NEAR(r.FlowCoefficientG, 253.32, 5e-3);
        CHECK_NEAR(r.CorrelationG, 0.99884, 5e-6);
        CHECK_NEAR(r.FlowFitG[1], 49.439, 5e-4);
        CHECK_NEAR(r.FlowFitG[2], 71.043, 5e-4);
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

        // The sign of the pressures does not matter, taken from statics of the same sign.
        TestRecord a = workedExample(), b = workedExample();
        for (int i = 1; i <= 3; ++i)
            b.PresGageG[i] = -b.PresGageG[i];
        setStatics(a, 2, 2);
        setStatics(b, -2, -2);
        calculate(a);
        calculate(b);
        QCOMPARE(b.PressureExponentG, a.PressureExponentG);
        QCOMPARE(b.FlowCoefficientG, a.FlowCoefficientG);
    }

    void singlePoint() {
        TestRecord r = newTest();
        setPoint(r, 4, 50, 90);
        subLeakageCalc(r);
        QCOMPARE(r.PointCountG, int16_t(1));
        QCOMPARE(r.PressureExponentG, 0.65f);
        QCOMPARE(r.CorrelationG, 0.0f);
        CHECK_NEAR(r.FlowCoefficientG, 255.60, 5e-3);
        CHECK_NEAR(r.Flow50G, 90.0, 1e-5);
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
        CHECK_NEAR(r.PressureExponentG, 0.64783, 5e-6);
    }

    // A plate factor divides the reading; a negative or zero one leaves it undivided.
    void plateDivides() {
        TestRecord r = newTest();
        r.FlowGageG[1] = 952;
        r.LowFlowFactorG[1] = 9.52f;
        CHECK_NEAR(fanFlowOf(r, 1, 1.0f), 100.0, 1e-4);
        for (float plate : {-1.0f, 0.0f}) {
            r.LowFlowFactorG[1] = plate;
            QCOMPARE(fanFlowOf(r, 1, 1.0f), 952.0);
        }
    }

    void density_data() {
        QTest::addColumn<QString>("direction");
        QTest::addColumn<float>("inside");
        QTest::addColumn<float>("outside");
        QTest::addColumn<double>("factor");
        QTest::newRow("equal") << "D" << 68.0f << 68.0f << 1.0;
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
        CHECK_NEAR(densityCorrectionFactor(r), factor, 1e-6);
    }

    void exponentOutOfRange_data() {
        QTest::addColumn<double>("exponent");
        QTest::addColumn<bool>("inRange");
        QTest::newRow("n = 4.2") << 4.2 << false;
        QTest::newRow("n = 3.9") << 3.9 << true;
        QTest::newRow("n = -4.5") << -4.5 << false;
    }
    void exponentOutOfRange() {
        QFETCH(double, exponent);
        QFETCH(bool, inRange);
        TestRecord r = newTest();
        r.BuildingVolumeCuFtG = 10000;
        setPoint(r, 1, 10, 10); // and 20 Pa: n = log2(high / 10)
        setPoint(r, 2, 20, 10.0 * std::pow(2.0, exponent));
        subLeakageCalc(r);
        QCOMPARE(r.FlowCoefficientG != 0.0f, inRange);
        if (!inRange) {
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

    // Inputs that leave a figure undefined, after a first calculation of the worked example:
    // 0 in its place, never a figure of the earlier run, and no figure that is not finite.
    void undefinedInputsStayFinite_data() {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<Edit>("check");
        QTest::newRow("temperatures without a density: no point, nothing left")
            << Edit([](TestRecord& r) { r.TemperatureInsideFG = -470.0f; })
            << Edit([](TestRecord& r) {
                   QCOMPARE(r.PointCountG, int16_t(0));
                   QCOMPARE(results(r), QList<float>(results(r).size(), 0.0f));
               });
        QTest::newRow("all points at one pressure") << Edit([](TestRecord& r) {
            for (int i = 1; i <= 3; ++i)
                setPoint(r, i, 50, 30 + 20 * i);
        }) << Edit([](TestRecord& r) { // the single-point rule through their mean
            QCOMPARE(r.PointCountG, int16_t(3));
            QCOMPARE(r.PressureExponentG, 0.65f);
            QCOMPARE(r.FlowCoefficientG, 198.79729f); // 70 x (249.1 / 50)^0.65
            QCOMPARE(r.Ach50G, 0.42f);
            QCOMPARE(r.FlowErrorG[1], -40.0f);
            QCOMPARE(r.FlowErrorG[3], 22.222221f);
        });
        // The Double 35 Pa differs from the Single baseline by about 1e-9 in.wc.
        QTest::newRow("one point within 1/80 Pa of the baseline") << Edit([](TestRecord& r) {
            r.PreTestStaticPresG = r.PostTestStaticPresG = float(35 / kPaPerInWc);
        }) << Edit([](TestRecord& r) {
            QCOMPARE(r.PointCountG, int16_t(2));
            QCOMPARE(r.FlowFitG[2], 0.0f);
        });
        QTest::newRow("single point at the baseline") << Edit([](TestRecord& r) {
            r = newTest();
            setPoint(r, 1, 3, 90);
            r.PreTestStaticPresG = r.PostTestStaticPresG = float(r.PresGageG[1]);
            r.PresGageG[1] = r.PreTestStaticPresG;
        }) << Edit([](TestRecord& r) { QCOMPARE(r.PointCountG, int16_t(0)); });
        QTest::newRow("equal fan flows") << Edit([](TestRecord& r) {
            setPoint(r, 1, 20, 70);
            setPoint(r, 3, 50, 70);
        }) << Edit([](TestRecord& r) { QCOMPARE(r.CorrelationG + r.PressureExponentG, 0.0f); });
        QTest::newRow("no occupants or bedrooms") << Edit([](TestRecord& r) {
            r.NumberOfOccupantsG = QStringLiteral("none");
            r.NumberofBedroomsG = QStringLiteral("0");
        }) << Edit([](TestRecord& r) {
            QCOMPARE(r.InfiltrationPerOccupantG + r.InfiltrationPerBedroomG, 0.0f);
            QVERIFY(r.InfiltrationFlowG > 0.0f);
        });
        QTest::newRow("surface equals floor")
            << Edit([](TestRecord& r) { r.BuildingFloorAreaSqFtG = r.BuildingSurfaceAreaSqFtG; })
            << Edit([](TestRecord& r) {
                   QCOMPARE(r.Q4PaSurfG, 0.0f);
                   QVERIFY(r.UsaceIndexG > 0.0f);
               });
        QTest::newRow("factor zero") << Edit([](TestRecord& r) {
            r.DivideBy20FactorG = 0;
        }) << Edit([](TestRecord& r) {
            QCOMPARE(r.InfiltrationAchG + r.InfiltrationFlowG + r.InfiltrationDeapIndexG, 0.0f);
        });
        QTest::newRow("no building data") << Edit([](TestRecord& r) {
            r.BuildingVolumeCuFtG = r.BuildingFloorAreaSqFtG = r.BuildingSurfaceAreaSqFtG = 0;
        }) << Edit([](TestRecord& r) {
            for (float f : {r.Ach50G, r.InfiltrationAchG, r.LeakageRatioG, r.PermeabilityIndexG,
                            r.UsaceIndexG, r.Q4PaSurfG, r.InfiltrationDeapIndexG})
                QCOMPARE(f, 0.0f);
            QVERIFY(r.Flow50G > 0.0f);
        });
    }
    void undefinedInputsStayFinite() {
        QFETCH(Edit, edit);
        QFETCH(Edit, check);
        TestRecord r = workedExample();
        calculate(r);
        edit(r);
        calculate(r);
        for (float f : results(r))
            QVERIFY(std::isfinite(f));
        check(r);
    }
};

QTEST_APPLESS_MAIN(TestLeakageCalc)
#include "test_leakagecalc.moc"
