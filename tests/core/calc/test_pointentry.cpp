#include "core/calc/analysis.h"
#include "core/calc/leakagecalc.h"
#include "core/calc/pointentry.h"
#include "core/record/lkdfile.h"
#include "support/testrecords.h"

#include <QTest>

using namespace pointentry;
using namespace testrecords;

class TestPointEntry : public QObject {
    Q_OBJECT
  private slots:
    void boxTexts_data() {
        QTest::addColumn<int>("system");
        QTest::addColumn<double>("inWc");
        QTest::addColumn<QString>("text");
        QTest::newRow("50 Pa in Pa") << 2 << 50.0 / 249.1 << " 50";
        QTest::newRow("50 Pa in in.wc") << 1 << 50.0 / 249.1 << " .2007";
        QTest::newRow("negative Pa") << 3 << -12.345 / 249.1 << "-12.35";
        QTest::newRow("unknown system shows the stored value") << 0 << 0.25 << " .25";
    }
    void boxTexts() {
        QFETCH(int, system);
        QFETCH(double, inWc);
        QFETCH(QString, text);
        QCOMPARE(buildingPressureText(inWc, int16_t(system)), text);
    }

    // Typed texts: the box's limit, and what the text stores.
    void typedPressure_data() {
        QTest::addColumn<int>("system");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<double>("stored");
        QTest::newRow("250 Pa") << 2 << "250" << true << 250 / 249.1;
        QTest::newRow("-250 Pa") << 3 << "-250" << true << -250 / 249.1;
        QTest::newRow("260 Pa") << 2 << "260" << false << 0.0;
        QTest::newRow("1.0 in.wc") << 1 << "1.0" << true << 1.0;
        QTest::newRow("1.2 in.wc") << 1 << "1.2" << false << 0.0;
        QTest::newRow("question mark") << 1 << "?" << true << 0.0;
    }
    void typedPressure() {
        QFETCH(int, system);
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QFETCH(double, stored);
        TestRecord r = newTest(int16_t(system));
        r.PresGageG[4] = 0.3;
        QCOMPARE(typeBuildingPressure(r, 4, text), accepted);
        QCOMPARE(r.PresGageG[4], stored);
    }

    void flowsAndStatics() {
        TestRecord r = newTest(3);
        typeFlowReading(r, 2, u" 169.9");
        QCOMPARE(r.FlowGageG[2], 100.0);
        typeStaticPressure(r, Static::PreTest, u"-3");
        typeStaticPressure(r, Static::PostTest, u"-5");
        QCOMPARE(r.StaticPresBaselineG, float(-4 / 249.1));
        typeStaticPressure(r, Static::PostTestPos, u"-300"); // no limit on a static
        QCOMPARE(r.PostTestPosAvgG, float(-300 / 249.1));
        r.UnitSystemG = 4;
        typeFlowReading(r, 2, u"5");
        QCOMPARE(r.FlowGageG[2], 100.0);
    }

    // Row 1 sets the plate of every row; another row sets its own only.
    void plateChoice() {
        TestRecord r = newTest(2);
        setPoint(r, 1, 50, 952, 0);
        setPoint(r, 5, 20, 476, 0);
        choosePlate(r, 1, QStringLiteral("MAG:Plate Off"));
        const float off = r.LowFlowFactorG[1];
        for (int i = 2; i <= 9; ++i)
            QCOMPARE(r.LowFlowFactorG[i], off);
        QCOMPARE(r.FanFlowG[5], 476.0f);
        choosePlate(r, 5, QStringLiteral("MAG:1 Hole Open"));
        QCOMPARE(r.LowFlowFactorG[5], 9.52f);
        QCOMPARE(r.LowFlowSetupG[4], QStringLiteral("MAG:Plate Off"));
        QCOMPARE(r.FanFlowG[5], 50.0f);
    }

    // A gauge reading is stored as read, never rounded to a box's places.
    void gaugeValuesKept() {
        TestRecord r = newTest(1);
        storeGaugePoint(r, 3, 493.0 / 40 / 249.1, 2500.5, std::nullopt);
        storeGaugeStatics(r, false, float(-4.999 / 249.1), 0, 0);
        const TestRecord before = r;
        calculateTest(r);
        QCOMPARE(r.PresGageG[3], before.PresGageG[3]);
        QCOMPARE(r.PreTestStaticPresG, before.PreTestStaticPresG);
    }

    // The stored figures of the house sample are those of its stored inputs.
    void houseSampleHoldsItsOwnResults() {
        TestRecord stored;
        const QString path = qEnvironmentVariable("VENTREL_SOURCE_DIR") +
                             QStringLiteral("/samples/house-depress.lkd");
        QString why;
        QVERIFY2(readLkdFile(path, stored, &why), qPrintable(why));
        const Analysis a = analyse(path, stored);
        QCOMPARE(a.record.PointCountG, int16_t(7));
        QCOMPARE(a.record.CorrelationG, stored.CorrelationG);
        QCOMPARE(a.record.FlowCoefficientG, stored.FlowCoefficientG);
        QCOMPARE(a.record.PressureExponentG, stored.PressureExponentG);
        QCOMPARE(a.record.Ach50G, stored.Ach50G);
        QCOMPARE(a.record.InfiltrationPerBedroomG, stored.InfiltrationPerBedroomG);
        for (int i = 1; i <= 9; ++i)
            QCOMPARE(a.record.FlowFitG[i], stored.FlowFitG[i]);
    }
};

QTEST_APPLESS_MAIN(TestPointEntry)
#include "test_pointentry.moc"
