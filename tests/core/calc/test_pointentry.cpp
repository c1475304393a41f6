#include "core/calc/analysis.h"
#include "core/calc/plates.h"
#include "core/calc/pointentry.h"
#include "core/calc/units.h"
#include "core/record/lkdfile.h"
#include "support/testrecords.h"

#include <QTest>

#include <cmath>

using namespace pointentry;
using namespace testrecords;

class TestPointEntry : public QObject {
    Q_OBJECT
  private slots:
    // What the pages cannot show: the Single factor in shown pressures and the coefficient
    // moved to 1 Pa.
    void conversions() {
        QCOMPARE(units::pressureShown(1.0, 2), double(249.1f));
        QVERIFY(units::pressureShown(1.0, 2) != 249.1);
        QCOMPARE(units::temperatureEntered(20, 3), 68.0);
        QCOMPARE(units::leakageRatioShown(9.29, 3), 6.4516);
        QCOMPARE(units::flowCoefficientShown(253.32f, 0.64783f, 1), double(253.32f));
        QVERIFY(std::fabs(units::flowCoefficientShown(253.32f, 0.64783f, 2) - 7.0994) < 1e-4);
        QVERIFY(std::fabs(units::flowCoefficientShown(253.32f, 0.64783f, 3) - 12.062) < 5e-4);
    }

    // Every plate setting leads back to itself; the text must match in letter case.
    void plateTable() {
        for (const plates::Setting& s : plates::settings()) {
            QCOMPARE(*plates::factorOf(s.text), s.factor);
            QCOMPARE(*plates::textOf(s.factor), s.text);
        }
        QVERIFY(!plates::factorOf(QStringLiteral("mag:plate off")).has_value());
        QVERIFY(!plates::textOf(0.0f).has_value());
    }

    void boxTexts() {
        const double fifty = 50.0 / 249.1;
        QCOMPARE(buildingPressureText(fifty, 2), u" 50"_qs);
        QCOMPARE(buildingPressureText(fifty, 1), u" .2007"_qs);
        QCOMPARE(buildingPressureText(-12.345 / 249.1, 3), u"-12.35"_qs);
        QCOMPARE(buildingPressureText(0.25, 0), u" .25"_qs); // unknown system: the stored value
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

    // The stored figures of the house sample are those of its stored inputs.
    void houseSampleHoldsItsOwnResults() {
        TestRecord stored;
        const QString path = qEnvironmentVariable("VENTREL_SOURCE_DIR") +
                             QStringLiteral("/samples/house-depress.lkd");
        QString why;
        QVERIFY2(readLkdFile(path, stored, &why), qPrintable(why));
        const Analysis a = analyse(path, stored);
        QCOMPARE(a.record.PointCountG, int16_t(7));
        const auto figures = [](const TestRecord& r) {
            QList<float> f{r.CorrelationG, r.FlowCoefficientG, r.PressureExponentG, r.Ach50G,
                           r.InfiltrationPerBedroomG};
            return f << QList<float>(r.FlowFitG.begin() + 1, r.FlowFitG.end());
        };
        QCOMPARE(figures(a.record), figures(stored));
    }
};

QTEST_APPLESS_MAIN(TestPointEntry)
#include "test_pointentry.moc"
