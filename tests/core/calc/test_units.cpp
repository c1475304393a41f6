#include "core/calc/plates.h"
#include "core/calc/units.h"

#include <QTest>

#include <cmath>

// What the page tests cannot show: the Single factor in shown pressures, the coefficient moved
// to 1 Pa, and every plate setting leading back to itself.
class TestUnits : public QObject {
    Q_OBJECT
  private slots:
    void conversions() {
        QCOMPARE(units::pressureShown(1.0, 2), double(249.1f));
        QVERIFY(units::pressureShown(1.0, 2) != 249.1);
        QCOMPARE(units::temperatureEntered(20, 3), 68.0);
        QCOMPARE(units::leakageRatioShown(9.29, 3), 6.4516);
        QCOMPARE(units::flowCoefficientShown(253.32f, 0.64783f, 1), double(253.32f));
        QVERIFY(std::fabs(units::flowCoefficientShown(253.32f, 0.64783f, 2) - 7.0994) < 1e-4);
        QVERIFY(std::fabs(units::flowCoefficientShown(253.32f, 0.64783f, 3) - 12.062) < 5e-4);
    }

    void plateTable() {
        QCOMPARE(plates::settings().size(), 14);
        for (const plates::Setting& s : plates::settings()) {
            QCOMPARE(*plates::factorOf(s.text), s.factor);
            QCOMPARE(*plates::textOf(s.factor), s.text);
        }
        QVERIFY(!plates::factorOf(QStringLiteral("mag:plate off")).has_value());
        QVERIFY(!plates::textOf(0.0f).has_value());
    }
};

QTEST_APPLESS_MAIN(TestUnits)
#include "test_units.moc"
