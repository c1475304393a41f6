#include "core/calc/buildingvalues.h"

#include <QTest>

class TestBuildingValues : public QObject {
    Q_OBJECT
  private slots:
    // The factor from stories and wind shielding, and its box cut (not rounded) to 1 place
    // (2.5 stories, wind 1.2 and both empty are checked through the page).
    void factor_data() {
        QTest::addColumn<QString>("stories");
        QTest::addColumn<QString>("wind");
        QTest::addColumn<float>("factor");
        QTest::addColumn<QString>("shown");
        auto row = [](const char* name, const char* stories, const char* wind, float factor,
                      const char* shown) {
            QTest::newRow(name) << QString::fromLatin1(stories) << QString::fromLatin1(wind)
                                << factor << QString::fromLatin1(shown);
        };
        row("two stories", "2", "1", 15.96597f, " 15.9");
        row("negative stories", "-2", "1", 20.0f, " 20");
        row("text after the numbers", "2 floors", "1.1 normal", 17.56256f, " 17.5");
        row("negative wind", "1", "-1", -20.0f, "-20");
        row("beyond a Single", "1", "1e300", 0.0f, " 0");
    }
    void factor() {
        QFETCH(QString, stories);
        QFETCH(QString, wind);
        const float got = infiltrationFactor(stories, wind);
        QTEST(got, "factor");
        QTEST(infiltrationFactorText(got), "shown");
    }

    // The conversions themselves are checked through the page; here, the widths texts are cut to.
    void boxTexts() {
        QCOMPARE(volumeBoxText(12345.6789, 2), QStringLiteral(" 12345.68"));
        QCOMPARE(volumeBoxText(340.0 / 0.02832, 3), QStringLiteral(" 340"));
        QCOMPARE(areaBoxText(4280.123, 1), QStringLiteral(" 4280.12"));
        QCOMPARE(temperatureBoxText(70.0f, 3), QStringLiteral(" 21.1"));
    }

    // Each range at its edges (the page's Next checks take the other side of several).
    void entryChecks_data() {
        QTest::addColumn<BuildingEntry>("entry");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("fails");
        const auto row = [](const char* name, BuildingEntry entry, const char* text, bool fails) {
            QTest::newRow(name) << entry << QString::fromLatin1(text) << fails;
        };
        using E = BuildingEntry;
        row("volume one", E::Volume, "1", false);
        row("volume top", E::Volume, "99999999", false);
        row("stories 4", E::Stories, "4", false);
        row("stories 4.5", E::Stories, "4.5", true);
        row("stories 0", E::Stories, "0", true);
        row("inside -99", E::InsideTemp, "-99", false);
        row("inside -100", E::InsideTemp, "-100", true);
        row("inside 199", E::InsideTemp, "199", false);
        row("outside 200", E::OutsideTemp, "200", true);
        row("outside text is 0", E::OutsideTemp, "cold", false);
        row("wind 0.9", E::WindShielding, "0.9", false);
        row("wind .8", E::WindShielding, ".8", true);
        row("occupants 99", E::Occupants, "99", false);
        row("occupants 100", E::Occupants, "100", true);
        row("bedrooms empty", E::Bedrooms, "", true);
    }
    void entryChecks() {
        QFETCH(BuildingEntry, entry);
        QFETCH(QString, text);
        QTEST(buildingEntryFails(entry, text), "fails");
    }
};

QTEST_APPLESS_MAIN(TestBuildingValues)
#include "test_buildingvalues.moc"
