#include "pages/buildingvalues.h"

#include <QTest>

class TestBuildingValues : public QObject {
    Q_OBJECT
  private slots:
    void factor_data();
    void factor();
    void boxTexts_data();
    void boxTexts();
    void entryChecks_data();
    void entryChecks();
    void fallbacks_data();
    void fallbacks();
};

void TestBuildingValues::factor_data() {
    QTest::addColumn<QString>("stories");
    QTest::addColumn<QString>("wind");
    QTest::addColumn<float>("factor");
    QTest::addColumn<QString>("shown");

    QTest::newRow("one story, normal") << "1"
                                       << "1" << 20.0f << " 20";
    QTest::newRow("two stories") << "2"
                                 << "1" << 15.96597f << " 15.9";
    QTest::newRow("shielded") << "1"
                              << "1.2" << 24.0f << " 24";
    QTest::newRow("no wind figure") << "1"
                                    << "0" << 0.0f << " 0";
    QTest::newRow("two and a half stories") << "2.5"
                                            << "1" << 14.84908f << " 14.8";
    QTest::newRow("empty stories") << ""
                                   << "1" << 20.0f << " 20";
    QTest::newRow("both empty (Clear All)") << ""
                                            << "" << 20.0f << " 20";
    QTest::newRow("stories not a number") << "two"
                                          << "1" << 20.0f << " 20";
    QTest::newRow("negative stories") << "-2"
                                      << "1" << 20.0f << " 20";
    QTest::newRow("text after the number") << "2 floors"
                                           << "1.1 normal" << 17.56256f << " 17.5";
    QTest::newRow("negative wind") << "1"
                                   << "-1" << -20.0f << "-20";
    QTest::newRow("beyond a Single") << "1"
                                     << "1e300" << 0.0f << " 0";
}

void TestBuildingValues::factor() {
    QFETCH(QString, stories);
    QFETCH(QString, wind);
    QFETCH(float, factor);
    QFETCH(QString, shown);
    const float got = infiltrationFactor(stories, wind);
    QVERIFY2(qAbs(got - factor) <= 1e-4f * qMax(1.0f, qAbs(factor)),
             qPrintable(QString::number(got, 'g', 9)));
    QCOMPARE(infiltrationFactorText(got), shown);
}

void TestBuildingValues::boxTexts_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("system");
    QTest::addColumn<QString>("text");

    QTest::newRow("volume ft3") << "volume" << 12000.0 << 1 << " 12000";
    QTest::newRow("volume m3") << "volume" << 12000.0 << 3 << " 339.84";
    QTest::newRow("volume 340 m3 back") << "volume" << 340.0 / 0.02832 << 3 << " 340";
    QTest::newRow("volume cut to 9") << "volume" << 12345.6789 << 2 << " 12345.68";
    QTest::newRow("volume zero") << "volume" << 0.0 << 1 << " 0";
    QTest::newRow("area cut to 8") << "area" << 4280.123 << 1 << " 4280.12";
    QTest::newRow("area m2") << "area" << 1500.0 << 3 << " 139.35";
    QTest::newRow("temperature F") << "temperature" << 68.0 << 1 << " 68";
    QTest::newRow("temperature C") << "temperature" << 68.0 << 3 << " 20";
    QTest::newRow("temperature C cut to 5") << "temperature" << 70.0 << 3 << " 21.1";
    QTest::newRow("temperature below zero C") << "temperature" << 14.0 << 3 << "-10";
}

void TestBuildingValues::boxTexts() {
    QFETCH(QString, kind);
    QFETCH(double, value);
    QFETCH(int, system);
    QFETCH(QString, text);
    const auto sys = static_cast<int16_t>(system);
    if (kind == QStringLiteral("volume"))
        QCOMPARE(volumeBoxText(value, sys), text);
    else if (kind == QStringLiteral("area"))
        QCOMPARE(areaBoxText(value, sys), text);
    else
        QCOMPARE(temperatureBoxText(static_cast<float>(value), sys), text);
}

void TestBuildingValues::entryChecks_data() {
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("fails");

    const int vol = int(BuildingEntry::Volume), sto = int(BuildingEntry::Stories),
              tin = int(BuildingEntry::InsideTemp), tout = int(BuildingEntry::OutsideTemp),
              wind = int(BuildingEntry::WindShielding), occ = int(BuildingEntry::Occupants),
              bed = int(BuildingEntry::Bedrooms);
    QTest::newRow("volume half") << vol << "0.5" << true;
    QTest::newRow("volume one") << vol << "1" << false;
    QTest::newRow("volume top") << vol << "99999999" << false;
    QTest::newRow("volume above top") << vol << "100000000" << true;
    QTest::newRow("volume question mark") << vol << "?" << true;
    QTest::newRow("volume empty") << vol << "" << true;
    QTest::newRow("stories 4") << sto << "4" << false;
    QTest::newRow("stories 4.5") << sto << "4.5" << true;
    QTest::newRow("stories 0") << sto << "0" << true;
    QTest::newRow("inside empty") << tin << "" << true;
    QTest::newRow("inside -99") << tin << "-99" << false;
    QTest::newRow("inside -100") << tin << "-100" << true;
    QTest::newRow("inside 199") << tin << "199" << false;
    QTest::newRow("outside 200") << tout << "200" << true;
    QTest::newRow("outside text is 0") << tout << "cold" << false;
    QTest::newRow("wind 0.9") << wind << "0.9" << false;
    QTest::newRow("wind 1.3") << wind << "1.3" << true;
    QTest::newRow("wind .8") << wind << ".8" << true;
    QTest::newRow("occupants 99") << occ << "99" << false;
    QTest::newRow("occupants 100") << occ << "100" << true;
    QTest::newRow("bedrooms empty") << bed << "" << true;
    QTest::newRow("bedrooms 1") << bed << "1" << false;
}

void TestBuildingValues::entryChecks() {
    QFETCH(int, entry);
    QFETCH(QString, text);
    QFETCH(bool, fails);
    QCOMPARE(buildingEntryFails(static_cast<BuildingEntry>(entry), text), fails);
}

void TestBuildingValues::fallbacks_data() {
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("system");
    QTest::addColumn<QString>("text");
    QTest::newRow("volume") << int(BuildingEntry::Volume) << 1 << "?";
    QTest::newRow("stories") << int(BuildingEntry::Stories) << 3 << "1";
    QTest::newRow("inside US") << int(BuildingEntry::InsideTemp) << 2 << "68";
    QTest::newRow("inside metric") << int(BuildingEntry::InsideTemp) << 3 << "20";
    QTest::newRow("outside metric") << int(BuildingEntry::OutsideTemp) << 3 << "20";
    QTest::newRow("wind") << int(BuildingEntry::WindShielding) << 1 << "1";
    QTest::newRow("occupants") << int(BuildingEntry::Occupants) << 1 << "4";
    QTest::newRow("bedrooms") << int(BuildingEntry::Bedrooms) << 1 << "2";
}

void TestBuildingValues::fallbacks() {
    QFETCH(int, entry);
    QFETCH(int, system);
    QFETCH(QString, text);
    QCOMPARE(buildingEntryFallback(static_cast<BuildingEntry>(entry), static_cast<int16_t>(system)),
             text);
}

QTEST_APPLESS_MAIN(TestBuildingValues)
#include "test_buildingvalues.moc"
