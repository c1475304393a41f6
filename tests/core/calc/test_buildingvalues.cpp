#include "core/calc/buildingvalues.h"

#include <QTest>

namespace {

struct FactorRow {
    const char *name, *stories, *wind;
    float factor;
    const char* shown;
};

struct BoxRow {
    const char* name;
    char kind; // volume, area, temperature
    double value;
    int16_t system;
    const char* text;
};

struct EntryRow {
    const char* name;
    BuildingEntry entry;
    int16_t system;
    const char* text;
    bool fails;
    const char* fallback;
};

QString q(const char* text) {
    return QString::fromUtf8(text);
}

} // namespace

class TestBuildingValues : public QObject {
    Q_OBJECT
  private slots:
    void factor_data();
    void factor();
    void boxTexts_data();
    void boxTexts();
    void entryChecks_data();
    void entryChecks();
};

void TestBuildingValues::factor_data() {
    QTest::addColumn<FactorRow>("row");
    const FactorRow rows[] = {
        {"one story, normal", "1", "1", 20.0f, " 20"},
        {"two stories", "2", "1", 15.96597f, " 15.9"},
        {"shielded", "1", "1.2", 24.0f, " 24"},
        {"no wind figure", "1", "0", 0.0f, " 0"},
        {"two and a half stories", "2.5", "1", 14.84908f, " 14.8"},
        {"both empty (Clear All)", "", "", 20.0f, " 20"},
        {"negative stories", "-2", "1", 20.0f, " 20"},
        {"text after the numbers", "2 floors", "1.1 normal", 17.56256f, " 17.5"},
        {"negative wind", "1", "-1", -20.0f, "-20"},
        {"beyond a Single", "1", "1e300", 0.0f, " 0"},
    };
    for (const FactorRow& row : rows)
        QTest::newRow(row.name) << row;
}

void TestBuildingValues::factor() {
    QFETCH(FactorRow, row);
    const float got = infiltrationFactor(q(row.stories), q(row.wind));
    QVERIFY2(qAbs(got - row.factor) <= 1e-4f * qMax(1.0f, qAbs(row.factor)),
             qPrintable(QString::number(got, 'g', 9)));
    QCOMPARE(infiltrationFactorText(got), q(row.shown));
}

// The conversions themselves are checked through the page; here, the widths texts are cut to.
void TestBuildingValues::boxTexts_data() {
    QTest::addColumn<BoxRow>("row");
    const BoxRow rows[] = {
        {"volume cut to 9", 'v', 12345.6789, 2, " 12345.68"},
        {"volume 340 m3 back", 'v', 340.0 / 0.02832, 3, " 340"},
        {"volume zero", 'v', 0.0, 1, " 0"},
        {"area cut to 8", 'a', 4280.123, 1, " 4280.12"},
        {"temperature C cut to 5", 't', 70.0, 3, " 21.1"},
        {"temperature below zero C", 't', 14.0, 3, "-10"},
    };
    for (const BoxRow& row : rows)
        QTest::newRow(row.name) << row;
}

void TestBuildingValues::boxTexts() {
    QFETCH(BoxRow, row);
    QCOMPARE(row.kind == 'v'   ? volumeBoxText(row.value, row.system)
             : row.kind == 'a' ? areaBoxText(row.value, row.system)
                               : temperatureBoxText(static_cast<float>(row.value), row.system),
             q(row.text));
}

// Each range at its edges, and what a failing box shows instead.
void TestBuildingValues::entryChecks_data() {
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
        {"bedrooms 1", E::Bedrooms, 1, "1", false, "2"},
    };
    for (const EntryRow& row : rows)
        QTest::newRow(row.name) << row;
}

void TestBuildingValues::entryChecks() {
    QFETCH(EntryRow, row);
    QCOMPARE(buildingEntryFails(row.entry, q(row.text)), row.fails);
    QCOMPARE(buildingEntryFallback(row.entry, row.system), q(row.fallback));
}

QTEST_APPLESS_MAIN(TestBuildingValues)
#include "test_buildingvalues.moc"
