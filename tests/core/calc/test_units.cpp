#include "core/calc/plates.h"
#include "core/calc/units.h"

#include <QTest>

#include <cmath>

class TestUnits : public QObject {
    Q_OBJECT
  private slots:
    void captions_data() {
        QTest::addColumn<int>("system");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("in.wc, cfm")
            << 1
            << QStringLiteral("(in.wc)|(cfm)|in.wc|cfm @ 1 in.wc|in2|in2/100 "
                              "ft2|cfm|cfm@50Pa/ft2|cfm@75Pa/ft2|cfm/ft2|cfm, or|cfm/person, "
                              "or|cfm/bedroom|cfm/ft2")
                   .split(QLatin1Char('|'));
        QTest::newRow("Pa, cfm") << 2
                                 << QStringLiteral("(Pa)|(cfm)|Pa|cfm @ 1 Pa|in2|in2/100 "
                                                   "ft2|cfm|cfm@50Pa/ft2|cfm@75Pa/ft2|cfm/ft2|cfm, "
                                                   "or|cfm/person, or|cfm/bedroom|cfm/ft2")
                                        .split(QLatin1Char('|'));
        QTest::newRow("Pa, m3/h") << 3
                                  << QStringLiteral(
                                         "(Pa)|(m3/h)|Pa|m3/h @ 1 "
                                         "Pa|cm2|cm2/m2|m3/h|m3/h@50Pa/m2|m3/h@75Pa/m2|m3/h/m2|m3/"
                                         "h or|m3/h/person, or|m3/h/bedroom|m3/h/m2")
                                         .split(QLatin1Char('|'));
    }
    void captions() {
        QFETCH(int, system);
        QFETCH(QStringList, texts);
        const units::Captions c = units::captions(int16_t(system));
        const QStringList got{
            c.pressureHeading,  c.flowHeading, c.staticPressure, c.flowCoefficient, c.leakageArea,
            c.leakageRatio,     c.flow50,      c.permeability,   c.usace,           c.q4PaSurf,
            c.infiltrationFlow, c.perPerson,   c.perBedroom,     c.deapIndex};
        QCOMPARE(got, texts);
    }

    void conversions() {
        QCOMPARE(units::pressureEntered(50, 2), 50 / 249.1);
        QCOMPARE(units::pressureEntered(0.2, 1), 0.2);
        QCOMPARE(units::flowEntered(1699, 3), 1000.0);
        QCOMPARE(units::flowEntered(1699, 2), 1699.0);
        QCOMPARE(units::volumeEntered(2.832, 3), 100.0);
        QCOMPARE(units::areaEntered(9.29, 3), 100.0);
        QCOMPARE(units::temperatureEntered(20, 3), 68.0);
        QCOMPARE(units::temperatureShown(68, 3), 20.0);
        QCOMPARE(units::temperatureShown(68, 2), 68.0);
        // Pressures are shown with the Single 249.1.
        QCOMPARE(units::pressureShown(1.0, 2), double(249.1f));
        QVERIFY(units::pressureShown(1.0, 2) != 249.1);
        QCOMPARE(units::leakageAreaShown(1, 3), 6.4516);
        QCOMPARE(units::leakageRatioShown(9.29, 3), 6.4516);
        QCOMPARE(units::indexShown(0.0929, 3), 1.699);
        QCOMPARE(units::flowShown(100, 3), 169.9);
        QCOMPARE(units::flowShown(100, 1), 100.0);
    }

    void flowCoefficientAtOnePascal() {
        QCOMPARE(units::flowCoefficientShown(253.32f, 0.64783f, 1), double(253.32f));
        QVERIFY(std::fabs(units::flowCoefficientShown(253.32f, 0.64783f, 2) - 7.0994) < 1e-4);
        QVERIFY(std::fabs(units::flowCoefficientShown(253.32f, 0.64783f, 3) - 12.062) < 5e-4);
    }

    void plateTable() {
        const QStringList texts = plates::settingTexts();
        QCOMPARE(texts.size(), 14);
        QCOMPARE(texts.first(), QStringLiteral("MAG:Plate Off"));
        QCOMPARE(texts.last(), QStringLiteral("PG5:K76 fan"));
        // Every setting has its own value, and the value leads back to the setting.
        for (const plates::Setting& s : plates::settings()) {
            QCOMPARE(*plates::factorOf(s.text), s.factor);
            QCOMPARE(*plates::textOf(s.factor), s.text);
        }
        QCOMPARE(*plates::factorOf(QStringLiteral("MAG:7 Holes Open")), -1.0f);
        QCOMPARE(*plates::factorOf(QStringLiteral("PG5:2 Holes Open")), -12.0f);
        QCOMPARE(*plates::factorOf(QStringLiteral("MAG:1 Hole Open")), 9.52f);
        QVERIFY(!plates::factorOf(QStringLiteral("mag:plate off")).has_value());
        QVERIFY(!plates::textOf(0.0f).has_value());
        QCOMPARE(plates::divisor(-12.0f), 1.0);
        QCOMPARE(plates::divisor(0.0f), 1.0);
        QCOMPARE(plates::divisor(1.69f), double(1.69f));
    }
};

QTEST_APPLESS_MAIN(TestUnits)
#include "test_units.moc"
