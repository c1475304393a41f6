// The building and environment page: names and units by unit system, the checks on Next,
// the infiltration factor, focus rules, and round trips through the unit menus.

#include "guitest.h"

#include "pages/bldgenvfm3.h"
#include "pages/buildingvalues.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

class TestBuildingPage : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { quietSizeHints(); }
    void namesAndUnits_data();
    void namesAndUnits();
    void nextChecks_data();
    void nextChecks();
    void invalidVolumeDisablesNextUntilFixed();
    void unitRoundTrips_data();
    void unitRoundTrips();
    void metricEntriesStoreUsUnits_data();
    void metricEntriesStoreUsUnits();
    void factorFollowsStoriesAndWind_data();
    void factorFollowsStoriesAndWind();
    void clearAll();
    void focusEmptiesPlaceholders_data();
    void focusEmptiesPlaceholders();
    void direction();

  private:
    QTemporaryDir dir_;
};

namespace {

// Opens the building page of a new test in `system`.
void openBuilding(FlowUnderTest& t, int system) {
    t.newFile(system);
    t.click(QStringLiteral("Command3D1"));
    QCOMPARE(t.currentName(), QStringLiteral("BldgEnvFm3"));
}

} // namespace

void TestBuildingPage::namesAndUnits_data() {
    QTest::addColumn<int>("system");
    QTest::addColumn<QStringList>("boxes"); // name=text
    const QStringList common = {
        QStringLiteral("Text1=DATA NAME"),
        QStringLiteral("Text2=DATA ENTRY"),
        QStringLiteral("Text3=Building Volume (for Air Change Rate)="),
        QStringLiteral("Text5=Building Surface Area (for Permeability Index)="),
        QStringLiteral("Text15=Wind Shielding Factor (0.9 to 1.2, default 1)="),
        QStringLiteral("Text17=Number of Occupants (1 to 99, default 4)="),
        QStringLiteral("Text19=Number of Bedrooms (1 to 99, default 2)="),
        QStringLiteral("Text21=Pressurize or Depressurize"),
        QStringLiteral("Text23=Infiltration Factor (Divide by 20 approximation)="),
        QStringLiteral("Text10=1"),
        QStringLiteral("Text16=1"),
        QStringLiteral("Text18=4"),
        QStringLiteral("Text20=2"),
        QStringLiteral("Text24= 20"),
    };
    const QStringList us = {
        QStringLiteral("Text7=Building Floor Area (for leakage ratio)="),
        QStringLiteral("Text9=Stories Above Grade(1 to 4, default 1)="),
        QStringLiteral("Text11=Inside Temperature (default 68 F or 20 C)="),
        QStringLiteral("Text13=Outside Temperature (default 68 F or 20 C)="),
        QStringLiteral("Text25=Ft3"),
        QStringLiteral("Text26=Ft2"),
        QStringLiteral("Text27=Ft2"),
        QStringLiteral("Text28=F"),
        QStringLiteral("Text29=F"),
        QStringLiteral("Text12= 68"),
        QStringLiteral("Text14= 68"),
    };
    QTest::newRow("in.wc, cfm") << 1 << common + us;
    QTest::newRow("Pa, cfm") << 2 << common + us;
    QTest::newRow("Pa, m3/h")
        << 3
        << common + QStringList{
                        QStringLiteral("Text7=Building Floor Area (for Leakage Ratio calc)="),
                        QStringLiteral("Text9=Stories Above Grade(1 to 4, default=1)="),
                        QStringLiteral("Text11=Inside Temperature (degrees F, default 68 F)="),
                        QStringLiteral("Text13=Outside Temperature (degrees F, default 68 F)="),
                        QStringLiteral("Text25=m3"),
                        QStringLiteral("Text26=m2"),
                        QStringLiteral("Text27=m2"),
                        QStringLiteral("Text28=C"),
                        QStringLiteral("Text29=C"),
                        QStringLiteral("Text12= 20"),
                        QStringLiteral("Text14= 20"),
                    };
}

void TestBuildingPage::namesAndUnits() {
    QFETCH(int, system);
    QFETCH(QStringList, boxes);
    FlowUnderTest t(dir_.path());
    openBuilding(t, system);
    for (const QString& pair : boxes) {
        const QString name = pair.section(QLatin1Char('='), 0, 0);
        const QString text = pair.section(QLatin1Char('='), 1);
        QCOMPARE(t.text(name), text);
    }
    QCOMPARE(t.child<QRadioButton>(QStringLiteral("Option1"))->text(),
             QStringLiteral("Depressurize"));
    QCOMPARE(t.child<QRadioButton>(QStringLiteral("Option2"))->text(),
             QStringLiteral("Pressurize"));
    const std::pair<const char*, const char*> buttons[] = {
        {"Command3D1", "Next"}, {"Command3D2", "Back"}, {"Command3D3", "Clear All"}};
    for (const auto& [name, caption] : buttons)
        QCOMPARE(t.child<QPushButton>(QString::fromLatin1(name))->text(),
                 QString::fromLatin1(caption));
    // Loading stores nothing new: the defaults stay as they were.
    QCOMPARE(t.flow.record().TemperatureInsideFG, 68.0f);
    QCOMPARE(t.flow.record().BuildingVolumeCuFtG, 0.0);
}

void TestBuildingPage::nextChecks_data() {
    QTest::addColumn<int>("system");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shownAfter");
    QTest::addColumn<int>("beeps");
    QTest::addColumn<bool>("movesOn");

    QTest::newRow("volume 0.5") << 1 << "Text4"
                                << "0.5"
                                << "?" << 1 << false;
    QTest::newRow("volume above the top") << 2 << "Text4"
                                          << "100000000"
                                          << "?" << 1 << false;
    QTest::newRow("volume at the top") << 2 << "Text4"
                                       << "99999999"
                                       << "99999999" << 0 << true;
    QTest::newRow("volume 1 m3") << 3 << "Text4"
                                 << "1"
                                 << "1" << 0 << true;
    QTest::newRow("stories 5") << 1 << "Text10"
                               << "5"
                               << "1" << 1 << true;
    QTest::newRow("stories 0.5") << 1 << "Text10"
                                 << "0.5"
                                 << "1" << 1 << true;
    QTest::newRow("stories 4") << 1 << "Text10"
                               << "4"
                               << "4" << 0 << true;
    QTest::newRow("inside empty") << 1 << "Text12"
                                  << ""
                                  << "68" << 1 << true;
    QTest::newRow("inside empty, metric") << 3 << "Text12"
                                          << ""
                                          << "20" << 1 << true;
    QTest::newRow("inside 200") << 2 << "Text12"
                                << "200"
                                << "68" << 1 << true;
    QTest::newRow("inside -99") << 2 << "Text12"
                                << "-99"
                                << "-99" << 0 << true;
    QTest::newRow("outside -100") << 1 << "Text14"
                                  << "-100"
                                  << "68" << 1 << true;
    QTest::newRow("outside -100 C") << 3 << "Text14"
                                    << "-100"
                                    << "20" << 1 << true;
    QTest::newRow("wind 1.3") << 1 << "Text16"
                              << "1.3"
                              << "1" << 1 << true;
    QTest::newRow("wind 0.89") << 1 << "Text16"
                               << "0.89"
                               << "1" << 1 << true;
    QTest::newRow("wind 1.2") << 1 << "Text16"
                              << "1.2"
                              << "1.2" << 0 << true;
    QTest::newRow("occupants 100") << 1 << "Text18"
                                   << "100"
                                   << "4" << 1 << true;
    QTest::newRow("occupants none") << 1 << "Text18"
                                    << ""
                                    << "4" << 1 << true;
    QTest::newRow("bedrooms 0") << 1 << "Text20"
                                << "0"
                                << "2" << 1 << true;
    QTest::newRow("bedrooms 99") << 1 << "Text20"
                                 << "99"
                                 << "99" << 0 << true;
}

void TestBuildingPage::nextChecks() {
    QFETCH(int, system);
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, shownAfter);
    QFETCH(int, beeps);
    QFETCH(bool, movesOn);
    FlowUnderTest t(dir_.path());
    openBuilding(t, system);
    if (box != QStringLiteral("Text4"))
        t.type(QStringLiteral("Text4"), QStringLiteral("300"));
    t.type(box, typed);

    QPointer<MainPage> page = t.flow.currentPage();
    page->findChild<QPushButton*>(QStringLiteral("Command3D1"))->click();
    // The page that was left is still there to look at until deferred deletes run.
    QVERIFY(page);
    QCOMPARE(page->findChild<QLineEdit*>(box)->text(), shownAfter);
    QCOMPARE(t.messages.beeps, beeps);
    FlowUnderTest::flushDeletes();
    QCOMPARE(t.currentName(), movesOn ? QStringLiteral("BDMeasFm4") : QStringLiteral("BldgEnvFm3"));

    // The record holds what the box shows, in US units.
    const TestRecord& r = t.flow.record();
    const double shown = shownAfter.toDouble();
    if (box == QStringLiteral("Text4"))
        QCOMPARE(r.BuildingVolumeCuFtG, system == 3 ? shown / 0.02832 : shown);
    else if (box == QStringLiteral("Text10"))
        QCOMPARE(r.StoriesAboveGradeG, shownAfter);
    else if (box == QStringLiteral("Text12"))
        QCOMPARE(r.TemperatureInsideFG, float(system == 3 ? shown * 9 / 5 + 32 : shown));
    else if (box == QStringLiteral("Text14"))
        QCOMPARE(r.TemperatureOutsideFG, float(system == 3 ? shown * 9 / 5 + 32 : shown));
    else if (box == QStringLiteral("Text16"))
        QCOMPARE(r.WindShieldingFactorG, shownAfter);
    else if (box == QStringLiteral("Text18"))
        QCOMPARE(r.NumberOfOccupantsG, shownAfter);
    else
        QCOMPARE(r.NumberofBedroomsG, shownAfter);
}

void TestBuildingPage::invalidVolumeDisablesNextUntilFixed() {
    FlowUnderTest t(dir_.path());
    openBuilding(t, 1);
    t.type(QStringLiteral("Text4"), QStringLiteral("0.5"));
    t.type(QStringLiteral("Text10"), QStringLiteral("9"));
    t.type(QStringLiteral("Text20"), QStringLiteral("0"));
    t.click(QStringLiteral("Command3D1"));
    // Every failing check beeps, not only the first.
    QCOMPARE(t.messages.beeps, 3);
    QCOMPARE(t.text(QStringLiteral("Text4")), QStringLiteral("?"));
    QCOMPARE(t.text(QStringLiteral("Text10")), QStringLiteral("1"));
    QCOMPARE(t.text(QStringLiteral("Text20")), QStringLiteral("2"));
    QCOMPARE(t.flow.record().BuildingVolumeCuFtG, 0.0);
    auto* next = t.child<QPushButton>(QStringLiteral("Command3D1"));
    QVERIFY(!next->isEnabled());
    QCOMPARE(QApplication::focusWidget(), t.child<QWidget>(QStringLiteral("Text4")));
    QCOMPARE(t.text(QStringLiteral("Text4")), QStringLiteral("?")); // the "?" stays on entry

    // Out-of-range values do not enable it; a volume in range does.
    t.type(QStringLiteral("Text4"), QStringLiteral("0"));
    QVERIFY(!next->isEnabled());
    t.type(QStringLiteral("Text4"), QStringLiteral("12000"));
    QVERIFY(next->isEnabled());
    QCOMPARE(t.flow.record().BuildingVolumeCuFtG, 12000.0);
    t.click(QStringLiteral("Command3D1"));
    QCOMPARE(t.currentName(), QStringLiteral("BDMeasFm4"));
    QCOMPARE(t.messages.beeps, 3);
}

void TestBuildingPage::unitRoundTrips_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typedUs");
    QTest::addColumn<QString>("shownMetric");
    QTest::addColumn<QString>("shownUsAgain");
    QTest::newRow("volume") << "Text4"
                            << "12000"
                            << " 339.84"
                            << " 12000";
    QTest::newRow("surface area") << "Text6"
                                  << "4280"
                                  << " 397.612"
                                  << " 4280";
    QTest::newRow("floor area") << "Text8"
                                << "1500"
                                << " 139.35"
                                << " 1500";
    QTest::newRow("inside temperature") << "Text12"
                                        << "32"
                                        << " 0"
                                        << " 32";
    QTest::newRow("outside temperature") << "Text14"
                                         << "-4"
                                         << "-20"
                                         << "-4";
    QTest::newRow("stories stay text") << "Text10"
                                       << "2"
                                       << "2"
                                       << "2";
}

void TestBuildingPage::unitRoundTrips() {
    QFETCH(QString, box);
    QFETCH(QString, typedUs);
    QFETCH(QString, shownMetric);
    QFETCH(QString, shownUsAgain);
    FlowUnderTest t(dir_.path());
    openBuilding(t, 1);
    t.type(box, typedUs);
    t.trigger(QStringLiteral("mnuPaM3h"));
    QCOMPARE(t.flow.record().UnitSystemG, int16_t(3));
    QCOMPARE(t.flow.record().UnitSystemTextG, QStringLiteral(" 3"));
    QCOMPARE(t.text(box), shownMetric);
    t.trigger(QStringLiteral("mnuPaCfm"));
    QCOMPARE(t.flow.record().UnitSystemTextG, QStringLiteral(" 2"));
    QCOMPARE(t.text(box), shownUsAgain);
    t.trigger(QStringLiteral("mnuInWcCfm"));
    QCOMPARE(t.flow.record().UnitSystemG, int16_t(1));
    QCOMPARE(t.text(box), shownUsAgain);
}

void TestBuildingPage::metricEntriesStoreUsUnits_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("stored");
    QTest::addColumn<QString>("shownAfterReload");
    QTest::newRow("340 m3") << "Text4"
                            << "340" << 340 / 0.02832 << " 340";
    QTest::newRow("150 m2 surface") << "Text6"
                                    << "150" << 150 / 0.0929 << " 150";
    QTest::newRow("120.5 m2 floor") << "Text8"
                                    << "120.5" << 120.5 / 0.0929 << " 120.5";
    QTest::newRow("21 C inside") << "Text12"
                                 << "21" << double(float(21 * 9.0 / 5 + 32)) << " 21";
    QTest::newRow("-10 C outside") << "Text14"
                                   << "-10" << 14.0 << "-10";
}

void TestBuildingPage::metricEntriesStoreUsUnits() {
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(double, stored);
    QFETCH(QString, shownAfterReload);
    FlowUnderTest t(dir_.path());
    openBuilding(t, 3);
    t.type(box, typed);
    const TestRecord& r = t.flow.record();
    double got = 0;
    if (box == QStringLiteral("Text4"))
        got = r.BuildingVolumeCuFtG;
    else if (box == QStringLiteral("Text6"))
        got = r.BuildingSurfaceAreaSqFtG;
    else if (box == QStringLiteral("Text8"))
        got = r.BuildingFloorAreaSqFtG;
    else if (box == QStringLiteral("Text12"))
        got = r.TemperatureInsideFG;
    else
        got = r.TemperatureOutsideFG;
    QVERIFY2(qAbs(got - stored) <= 1e-9 * qMax(1.0, qAbs(stored)),
             qPrintable(QString::number(got, 'g', 17)));
    t.flow.showPage(PageId::Building);
    FlowUnderTest::flushDeletes();
    QCOMPARE(t.text(box), shownAfterReload);
}

void TestBuildingPage::factorFollowsStoriesAndWind_data() {
    QTest::addColumn<QString>("stories");
    QTest::addColumn<QString>("wind");
    QTest::addColumn<QString>("shown");
    QTest::newRow("2.5 stories") << "2.5"
                                 << "1"
                                 << " 14.8";
    QTest::newRow("2 stories") << "2"
                               << "1"
                               << " 15.9";
    QTest::newRow("shielded") << "1"
                              << "1.2"
                              << " 24";
    QTest::newRow("no wind figure") << "1"
                                    << "0"
                                    << " 0";
    QTest::newRow("stories empty") << ""
                                   << "1"
                                   << " 20";
}

void TestBuildingPage::factorFollowsStoriesAndWind() {
    QFETCH(QString, stories);
    QFETCH(QString, wind);
    QFETCH(QString, shown);
    FlowUnderTest t(dir_.path());
    openBuilding(t, 2);
    t.type(QStringLiteral("Text10"), stories);
    t.type(QStringLiteral("Text16"), wind);
    QCOMPARE(t.text(QStringLiteral("Text24")), shown);
    // The record holds the factor the box shows.
    QCOMPARE(infiltrationFactorText(t.flow.record().DivideBy20FactorG), shown);
    // Typing in the factor box stores nothing: it only shows.
    auto* factorBox = t.child<QLineEdit>(QStringLiteral("Text24"));
    QVERIFY(factorBox->isReadOnly());
    // A reload recomputes it from the stored texts.
    t.flow.showPage(PageId::Building);
    FlowUnderTest::flushDeletes();
    QCOMPARE(t.text(QStringLiteral("Text24")), shown);
}

void TestBuildingPage::clearAll() {
    FlowUnderTest t(dir_.path());
    openBuilding(t, 1);
    t.type(QStringLiteral("Text4"), QStringLiteral("12000"));
    t.type(QStringLiteral("Text6"), QStringLiteral("4000"));
    t.type(QStringLiteral("Text10"), QStringLiteral("3"));
    t.type(QStringLiteral("Text12"), QStringLiteral("75"));
    t.type(QStringLiteral("Text18"), QStringLiteral("5"));
    t.child<QRadioButton>(QStringLiteral("Option2"))->click();
    QCOMPARE(t.flow.record().PressurizeOrDepressG, QStringLiteral("P"));
    t.click(QStringLiteral("Command3D3"));

    const TestRecord& r = t.flow.record();
    QCOMPARE(t.currentName(), QStringLiteral("BldgEnvFm3"));
    QCOMPARE(r.StoriesAboveGradeG, QString());
    QCOMPARE(r.WindShieldingFactorG, QString());
    QCOMPARE(r.NumberOfOccupantsG, QString());
    QCOMPARE(r.NumberofBedroomsG, QString());
    QCOMPARE(r.BuildingVolumeCuFtG, 0.0);
    QCOMPARE(r.BuildingSurfaceAreaSqFtG, 0.0);
    QCOMPARE(r.TemperatureInsideFG, 68.0f);
    QCOMPARE(r.PressurizeOrDepressG, QStringLiteral("D"));
    QCOMPARE(r.DivideBy20FactorG, 20.0f);
    QCOMPARE(t.text(QStringLiteral("Text24")), QStringLiteral(" 20"));
    QCOMPARE(t.text(QStringLiteral("Text10")), QString());
    QCOMPARE(t.text(QStringLiteral("Text12")), QStringLiteral(" 68"));
    QVERIFY(t.child<QRadioButton>(QStringLiteral("Option1"))->isChecked());
}

void TestBuildingPage::focusEmptiesPlaceholders_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("afterEntry");
    QTest::newRow("volume 0") << "Text4"
                              << " 0"
                              << "";
    QTest::newRow("volume ?") << "Text4"
                              << "?"
                              << "?";
    QTest::newRow("surface 0") << "Text6"
                               << " 0"
                               << "";
    QTest::newRow("floor ?") << "Text8"
                             << "?"
                             << "";
    QTest::newRow("stories ?") << "Text10"
                               << "?"
                               << "";
    QTest::newRow("occupants 0 without blank") << "Text18"
                                               << "0"
                                               << "0";
    QTest::newRow("bedrooms value") << "Text20"
                                    << " 3"
                                    << " 3";
}

void TestBuildingPage::focusEmptiesPlaceholders() {
    QFETCH(QString, box);
    QFETCH(QString, shown);
    QFETCH(QString, afterEntry);
    FlowUnderTest t(dir_.path());
    openBuilding(t, 1);
    auto* edit = t.child<QLineEdit>(box);
    auto* other = t.child<QLineEdit>(box == QStringLiteral("Text12") ? QStringLiteral("Text14")
                                                                     : QStringLiteral("Text12"));
    other->setFocus();
    QCoreApplication::processEvents();
    edit->setText(shown);
    edit->setFocus();
    QCoreApplication::processEvents();
    QCOMPARE(QApplication::focusWidget(), edit);
    QCOMPARE(edit->text(), afterEntry);
}

void TestBuildingPage::direction() {
    FlowUnderTest t(dir_.path());
    openBuilding(t, 1);
    QVERIFY(t.child<QRadioButton>(QStringLiteral("Option1"))->isChecked());
    t.child<QRadioButton>(QStringLiteral("Option2"))->click();
    QCOMPARE(t.flow.record().PressurizeOrDepressG, QStringLiteral("P"));
    t.flow.showPage(PageId::Building);
    FlowUnderTest::flushDeletes();
    QVERIFY(t.child<QRadioButton>(QStringLiteral("Option2"))->isChecked());
    // Anything but "D" shows as Pressurize, and loading does not rewrite it.
    t.flow.record().PressurizeOrDepressG = QStringLiteral("x");
    t.flow.showPage(PageId::Building);
    FlowUnderTest::flushDeletes();
    QVERIFY(t.child<QRadioButton>(QStringLiteral("Option2"))->isChecked());
    QCOMPARE(t.flow.record().PressurizeOrDepressG, QStringLiteral("x"));
    t.child<QRadioButton>(QStringLiteral("Option1"))->click();
    QCOMPARE(t.flow.record().PressurizeOrDepressG, QStringLiteral("D"));
}

QTEST_MAIN(TestBuildingPage)
#include "test_buildingpage.moc"
