#include "core/calc/buildingvalues.h"

#include <QTest>

namespace {

struct EntryRow {
    const char* name;
    BuildingEntry entry;
    int16_t system;
    const char* text;
    bool fails;
    const char* fallback;
};

} // namespace

class TestBuildingValues : public QObject {
    Q_OBJECT
  private slots:
    // The factor from stories and wind shielding, and its box cut (not rounded) to 1 place.
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
        row("two and a half stories", "2.5", "1", 14.84908f, " 14.8");
        row("both empty (Clear All)", "", "", 20.0f, " 20");
        row("negative stories", "-2", "1", 20.0f, " 20");
        row("text after the numbers", "2 floors", "1.1 normal", 17.56256f, " 17.5");
        row("negative wind", "1", "-1", -20.0f, "-20");
        row("beyond a Single", "1", "1e300", 0.0f, " 0");
    }
    void factor() {
        QFETCH(QString, stories);
        QFETCH(QString, wind);
        QFETCH(float, factor);
        QFETCH(QString, shown);
        const float got = infiltrationFactor(stories, wind);
        QVERIFY2(qAbs(got - factor) <= 1e-4f * qMax(1.0f, qAbs(factor)),
                 qPrintable(QString::number(got, 'g', 9)));
        QCOMPARE(infiltrationFactorText(got), shown);
    }

    // The conversions themselves are checked through the page; here, the widths texts are cut to.
    void boxTexts() {
        QCOMPARE(volumeBoxText(12345.6789, 2), QStringLiteral(" 12345.68"));
        QCOMPARE(volumeBoxText(340.0 / 0.02832, 3), QStringLiteral(" 340"));
        QCOMPARE(areaBoxText(4280.123, 1), QStringLiteral(" 4280.12"));
        QCOMPARE(temperatureBoxText(70.0f, 3), QStringLiteral(" 21.1"));
    }

    // Each range at its edges, and what a failing box shows instead.
    void entryChecks_data() {
        QTest::addColumn<EntryRow>("row");
        using E = BuildingEntry;
        const EntryRow rows[] = {
            {"volume half", E::Volume, 1, "0.5", true, "?"},
            {"volume one", E::Volume, 3, "1", false, "?"},
            {"volume top", E::Volume, 1, "99999999", false, "?"},
            {"volume above top", E::Volume, 2, "100000000", true, "?"},
            {"stories 4", E::Stories, 1, "4", false, "1"},
            {"stories 4.5", E::Stories, 3, "4.5", true, "1"},
            {"stories 0", E::Stories, 1, "0", true, "1"},
            {"inside empty, metric", E::InsideTemp, 3, "", true, "20"},
            {"inside -99", E::InsideTemp, 1, "-99", false, "68"},
            {"inside -100", E::InsideTemp, 2, "-100", true, "68"},
            {"inside 199", E::InsideTemp, 1, "199", false, "68"},
            {"outside 200, metric", E::OutsideTemp, 3, "200", true, "20"},
            {"outside text is 0", E::OutsideTemp, 1, "cold", false, "68"},
            {"wind 0.9", E::WindShielding, 1, "0.9", false, "1"},
            {"wind 1.3", E::WindShielding, 1, "1.3", true, "1"},
            {"wind .8", E::WindShielding, 1, ".8", true, "1"},
            {"occupants 99", E::Occupants, 1, "99", false, "4"},
            {"occupants 100", E::Occupants, 1, "100", true, "4"},
            {"bedrooms empty", E::Bedrooms, 1, "", true, "2"},
        };
        for (const EntryRow& row : rows)
            QTest::newRow(row.name) << row;
    }
    void entryChecks() {
        QFETCH(EntryRow, row);
        QCOMPARE(buildingEntryFails(row.entry, QString::fromLatin1(row.text)), row.fails);
        QCOMPARE(buildingEntryFallback(row.entry, row.system), QString::fromLatin1(row.fallback));
    }
};

QTEST_APPLESS_MAIN(TestBuildingValues)
#include "test_buildingvalues.moc"
