// The building and environment page: the checks on Next, round trips through the unit menus,
// focus rules, the infiltration factor, the test direction and Clear All.

#include "ui/guitest.h"

#include "core/calc/buildingvalues.h"

#include <QHash>
#include <QPushButton>
#include <QRadioButton>

using Qt::StringLiterals::operator""_s;

namespace {

// What the record holds for a box: the text field, or the number stored in US units.
QString held(const TestRecord& r, QAnyStringView box) {
    auto n = [](double v, int digits = 10) { return QString::number(v, 'g', digits); };
    const QHash<QString, QString> fields = {
        {u"Text4"_s, n(r.BuildingVolumeCuFtG)},     {u"Text6"_s, n(r.BuildingSurfaceAreaSqFtG)},
        {u"Text8"_s, n(r.BuildingFloorAreaSqFtG)},  {u"Text10"_s, r.StoriesAboveGradeG},
        {u"Text12"_s, n(r.TemperatureInsideFG, 7)}, {u"Text14"_s, n(r.TemperatureOutsideFG, 7)},
        {u"Text16"_s, r.WindShieldingFactorG},      {u"Text18"_s, r.NumberOfOccupantsG},
        {u"Text20"_s, r.NumberofBedroomsG}};
    return fields.value(box.toString(), u"<no field>"_s);
}

struct NextCheck {
    const char* name;
    int system;
    const char *box, *typed, *shownAfter, *held;
};

struct RoundTrip {
    const char* name;
    int system;
    const char *box, *typed, *held, *shownOther, *shownBack;
};

} // namespace

class TestBuildingPage : public QObject {
    Q_OBJECT
  private slots:
    // Each box's reset on Next writes its own field; the limits apply in the units shown.
    void nextChecks_data() {
        QTest::addColumn<NextCheck>("row");
        const NextCheck rows[] = {
            {"volume 0.5", 1, "Text4", "0.5", "?", "0"},
            {"volume 1 m3", 3, "Text4", "1", "1", "35.31073446"},
            {"stories 5", 1, "Text10", "5", "1", "1"},
            {"inside empty", 2, "Text12", "", "68", "68"},
            {"outside -100 C", 3, "Text14", "-100", "20", "68"},
            {"wind 1.3", 1, "Text16", "1.3", "1", "1"},
            {"occupants none", 1, "Text18", "", "4", "4"},
            {"bedrooms 0", 1, "Text20", "0", "2", "2"},
        };
        for (const NextCheck& row : rows)
            QTest::newRow(row.name) << row;
    }

    void nextChecks() {
        QFETCH(NextCheck, row);
        const char* box = row.box;
        FlowUnderTest t;
        t.toBuildingPage(row.system);
        if (qstrcmp(box, "Text4") != 0)
            t.type("Text4", "300");
        t.type(box, row.typed);
        QPointer<MainPage> page = t.flow.currentPage();
        page->findChild<QPushButton*>(u"Command3D1"_s)->click();
        // The page that was left is still there to look at until deferred deletes run.
        QVERIFY(page);
        QCOMPARE(page->findChild<QLineEdit*>(QLatin1String(box))->text(),
                 QLatin1String(row.shownAfter));
        QCOMPARE(held(t.flow.record(), box), QLatin1String(row.held));
        const bool passed = qstrcmp(row.shownAfter, row.typed) == 0;
        QCOMPARE(t.messages.beeps, passed ? 0 : 1);
        FlowUnderTest::flushDeletes();
        // Only a bad volume keeps the user on the page.
        QCOMPARE(t.currentName(),
                 QLatin1String(row.shownAfter) == u"?"_s ? u"BldgEnvFm3"_s : u"BDMeasFm4"_s);
    }

    void invalidVolumeDisablesNextUntilFixed() {
        FlowUnderTest t;
        t.toBuildingPage(1);
        t.type("Text4", "100000000");
        t.type("Text10", "9");
        t.type("Text20", "0");
        t.child<QWidget>("Text20")->setFocus();
        t.click("Command3D1");
        QCOMPARE(t.messages.beeps, 3); // every failing check beeps, not only the first
        auto* next = t.child<QPushButton>("Command3D1");
        QVERIFY(!next->isEnabled());
        QCOMPARE(QApplication::focusWidget(), t.child<QWidget>("Text4"));
        QCOMPARE(t.text("Text4"), u"?"_s); // the "?" stays on entry
        // Out-of-range values do not enable it; a volume in range does.
        t.type("Text4", "0");
        QVERIFY(!next->isEnabled());
        t.type("Text4", "12000");
        t.click("Command3D1");
        QCOMPARE(t.currentName(), u"BDMeasFm4"_s);
        QCOMPARE(t.messages.beeps, 3);
    }

    // A program without the measurement page offers no Next, whatever the volume.
    void nextNeedsAMeasurementPage() {
        FlowUnderTest t({}, {PageId::Measurement});
        t.toBuildingPage(1);
        t.type("Text4", "12000");
        QVERIFY(!t.child<QPushButton>("Command3D1")->isEnabled());
        t.show(PageId::Measurement);
        QCOMPARE(t.currentName(), u"BldgEnvFm3"_s);
    }

    // Typed in one system and stored in US units; shown in the other system, and again as typed
    // after a reload (metric) and after switching back.
    void unitRoundTrips_data() {
        QTest::addColumn<RoundTrip>("row");
        const RoundTrip rows[] = {
            {"12000 ft3", 1, "Text4", "12000", "12000", " 339.84", " 12000"},
            {"32 F inside", 1, "Text12", "32", "32", " 0", " 32"},
            {"stories stay text", 1, "Text10", "2", "2", "2", "2"},
            {"340 m3", 3, "Text4", "340", "12005.64972", " 12005.65", " 340"},
            {"150 m2 surface", 3, "Text6", "150", "1614.639397", " 1614.63", " 150"},
            {"21 C inside", 3, "Text12", "21", "69.8", " 69.8", " 21"},
        };
        for (const RoundTrip& row : rows)
            QTest::newRow(row.name) << row;
    }

    void unitRoundTrips() {
        QFETCH(RoundTrip, row);
        const char* box = row.box;
        FlowUnderTest t;
        t.toBuildingPage(row.system);
        t.type(box, row.typed);
        QCOMPARE(held(t.flow.record(), box), QLatin1String(row.held));
        const bool metric = row.system == 3;
        if (metric) {
            t.show(PageId::Building);
            QCOMPARE(t.text(box), QLatin1String(row.shownBack));
        }
        t.trigger(metric ? u"mnuPaCfm"_s : u"mnuPaM3h"_s);
        QCOMPARE(t.flow.record().UnitSystemTextG, metric ? u" 2"_s : u" 3"_s);
        QCOMPARE(t.text(box), QLatin1String(row.shownOther));
        // Units and the metric wording of the names follow the system.
        QCOMPARE(t.text("Text25"), metric ? u"Ft3"_s : u"m3"_s);
        QCOMPARE(t.text("Text11").contains(u"degrees F"_s), !metric);
        // Back in the system it was typed in: shown as before, and viewing it in other units
        // changed nothing that is stored.
        t.trigger(row.system == 1   ? u"mnuInWcCfm"_s
                  : row.system == 2 ? u"mnuPaCfm"_s
                                    : u"mnuPaM3h"_s);
        QCOMPARE(t.flow.record().UnitSystemG, int16_t(row.system));
        QCOMPARE(t.text(box), QLatin1String(row.shownBack));
        QCOMPARE(t.text("Text28"), metric ? u"C"_s : u"F"_s);
        QCOMPARE(held(t.flow.record(), box), QLatin1String(row.held));
    }

    // Entering a box empties " 0" and "?", except that the volume box keeps its "?".
    void focusEmptiesPlaceholders_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("afterEntry");
        const char* rows[][4] = {
            {"volume 0", "Text4", " 0", ""},      {"volume ?", "Text4", "?", "?"},
            {"floor ?", "Text8", "?", ""},        {"occupants 0 without blank", "Text18", "0", "0"},
            {"bedrooms 3", "Text20", " 3", " 3"},
        };
        for (const auto& row : rows)
            QTest::newRow(row[0]) << QString::fromLatin1(row[1]) << QString::fromLatin1(row[2])
                                  << QString::fromLatin1(row[3]);
    }

    void focusEmptiesPlaceholders() {
        QFETCH(QString, box);
        QFETCH(QString, shown);
        QFETCH(QString, afterEntry);
        FlowUnderTest t;
        t.toBuildingPage(1);
        auto* edit = t.child<QLineEdit>(box);
        t.child<QLineEdit>("Text12")->setFocus();
        edit->setText(shown);
        edit->setFocus();
        QCoreApplication::processEvents();
        QCOMPARE(QApplication::focusWidget(), edit);
        QCOMPARE(edit->text(), afterEntry);
    }

    void factorDirectionAndClearAll() {
        FlowUnderTest t;
        t.toBuildingPage(2);
        TestRecord& r = t.flow.record();
        t.type("Text10", "2.5");
        QCOMPARE(t.text("Text24"), u" 14.8"_s);
        t.type("Text16", "1.2");
        QCOMPARE(t.text("Text24"), u" 17.8"_s);
        QCOMPARE(infiltrationFactorText(r.DivideBy20FactorG), u" 17.8"_s);
        QVERIFY(t.child<QLineEdit>("Text24")->isReadOnly());

        auto option = [&t](const char* name) { return t.child<QRadioButton>(name); };
        QVERIFY(option("Option1")->isChecked());
        option("Option2")->click();
        QCOMPARE(r.PressurizeOrDepressG, u"P"_s);
        // Anything but "D" shows as Pressurize, and loading does not rewrite it; the factor is
        // recomputed from the stored texts.
        r.PressurizeOrDepressG = u"x"_s;
        r.DivideBy20FactorG = 1.0f;
        t.show(PageId::Building);
        QVERIFY(option("Option2")->isChecked());
        QCOMPARE(r.PressurizeOrDepressG, u"x"_s);
        QCOMPARE(t.text("Text24"), u" 17.8"_s);

        const char* boxes[] = {"Text4",  "Text6",  "Text8",  "Text10", "Text12",
                               "Text14", "Text16", "Text18", "Text20"};
        for (const char* box : boxes)
            t.type(box, "3");
        t.click("Command3D3");
        QStringList cleared;
        for (const char* box : boxes)
            cleared << held(r, box);
        QCOMPARE(cleared, (QStringList{u"0"_s, u"0"_s, u"0"_s, {}, u"68"_s, u"68"_s, {}, {}, {}}));
        QCOMPARE(r.PressurizeOrDepressG, u"D"_s);
        QVERIFY(option("Option1")->isChecked());
        // Empty stories and wind shielding give the factor 20.
        QCOMPARE(t.text("Text24"), u" 20"_s);
        QCOMPARE(r.DivideBy20FactorG, 20.0f);
    }
};

QTEST_MAIN(TestBuildingPage)
#include "test_buildingpage.moc"
