// The start page, the way pages lead to one another, Exit with its save prompt, and About.

#include "ui/guitest.h"

#include "core/record/lkdfile.h"

#include <QPushButton>
#include <QRadioButton>

using Qt::StringLiterals::operator""_s;

namespace {

// After Yes in the Exit prompt: Cancel or Save on the save page, or Save from the File menu.
enum Step { CancelSavePage, SaveAsHouse, SaveFromMenu };

struct ExitRow {
    const char* name;
    PageId page;
    QMessageBox::StandardButton answer; // NoButton: no volume, so no question
    std::vector<Step> steps;
    bool ends;
    bool byFrame = false; // closing the window frame instead of Exit
};

} // namespace

class TestShellFlow : public QObject {
    Q_OBJECT
  private slots:
    // The typical road to the measurement page and back to the start page, which keeps the whole
    // test; New File (in French now) then resets only the building values.
    void typicalRoadAndBack() {
        FlowUnderTest t;
        TestRecord& r = t.flow.record();
        QCOMPARE(r.LanguageG, u"E"_s); // every run starts in English
        QVERIFY(t.child<QRadioButton>("Option5")->isChecked());
        t.click("Option4"); // New File (Pa, Cfm)
        QCOMPARE(r.UnitSystemTextG, u" 2"_s);
        QCOMPARE(t.text("Text3"), u"Test date and time"_s);
        t.type("Text6", "Acme Testing");
        t.click("Command3D1");
        t.type("Text4", "12000");
        t.type("Text10", "2");
        QCOMPARE(t.text("Text24"), u" 15.9"_s);
        t.click("Command3D1");
        QCOMPARE(t.currentName(), u"BDMeasFm4"_s);
        int visiblePages = 0; // only one main page is left standing
        for (QWidget* w : QApplication::topLevelWidgets())
            visiblePages += qobject_cast<MainPage*>(w) && w->isVisible();
        QCOMPARE(visiblePages, 1);

        r.PresGageG[3] = 0.2;
        r.TemperatureInsideFG = 72.0f;
        t.click("Command3D2");
        QCOMPARE(t.text("Text4"), u" 12000"_s);
        t.click("Command3D2");
        t.click("Command3D2");
        QCOMPARE(t.currentName(), u"IntroFm1"_s);
        QCOMPARE(r.DivideBy20FactorG, 20.0f); // the start page sets it afresh
        QCOMPARE(r.BuildingVolumeCuFtG, 12000.0);
        t.click("Option6"); // French changes only the date name
        t.newFile(3);
        QCOMPARE(t.text("Text3"), u"Date et heure de test"_s);
        QCOMPARE(t.text("Text6"), u"Acme Testing"_s);
        QCOMPARE(r.PresGageG[3], 0.2);
        QCOMPARE(r.BuildingVolumeCuFtG, 0.0);
        QCOMPARE(r.TemperatureInsideFG, 68.0f);
        t.click("Command3D2"); // the start page shows the language chosen
        QVERIFY(t.child<QRadioButton>("Option6")->isChecked());
        QCOMPARE(r.LanguageG, u"F"_s);
    }

    void testIdEntriesAndClearAll() {
        FlowUnderTest t;
        t.newFile(2);
        const std::pair<const char*, QString TestRecord::*> boxes[] = {
            {"Text4", &TestRecord::TestDateTimeG},   {"Text6", &TestRecord::TestingCompanyG},
            {"Text8", &TestRecord::BuildingTestedG}, {"Text10", &TestRecord::BuildingAddressG},
            {"Text12", &TestRecord::TechnicianG},    {"Text14", &TestRecord::WindConditionsG},
            {"Text16", &TestRecord::InteriorDoorsG}, {"Text18", &TestRecord::TemporarySealingG},
            {"Text20", &TestRecord::BasementDoorG},  {"Text22", &TestRecord::BlowerDoorIdG},
            {"Text24", &TestRecord::Comment1G},      {"Text25", &TestRecord::Comment2G},
            {"Text26", &TestRecord::Comment3G},
        };
        TestRecord& r = t.flow.record();
        for (const auto& [box, field] : boxes)
            t.type(box, box);
        r.Comment4G = r.Comment6G = u"no box"_s;
        t.show(PageId::TestId); // a reload shows every field again
        for (const auto& [box, field] : boxes)
            QCOMPARE(t.text(box) + r.*field, QLatin1String(box) + QLatin1String(box));
        t.click("Command3D3");
        for (const auto& [box, field] : boxes)
            QCOMPARE(t.text(box) + r.*field, QString());
        QCOMPARE(r.Comment4G + r.Comment6G, QString());
    }

    void exitPaths_data() {
        QTest::addColumn<ExitRow>("row");
        const auto B = PageId::Building;
        const auto yes = QMessageBox::Yes;
        const ExitRow rows[] = {
            {"no volume", B, QMessageBox::NoButton, {}, true},
            {"No", B, QMessageBox::No, {}, true},
            {"Cancel", B, QMessageBox::Cancel, {}, false},
            {"Yes, Save", B, yes, {SaveAsHouse}, true},
            {"Yes, Cancel, later Save", B, yes, {CancelSavePage, SaveFromMenu, SaveAsHouse}, true},
            {"Yes, Save, start page", PageId::Start, yes, {SaveAsHouse}, true},
            {"Yes, Save, measurement page", PageId::Measurement, yes, {SaveAsHouse}, true},
            {"window frame, no volume", PageId::TestId, QMessageBox::NoButton, {}, true, true},
            {"window frame, Cancel", PageId::TestId, QMessageBox::Cancel, {}, false, true},
        };
        for (const ExitRow& row : rows)
            QTest::newRow(row.name) << row;
    }

    void exitPaths() {
        QFETCH(ExitRow, row);
        const bool asked = row.answer != QMessageBox::NoButton;
        FlowUnderTest t;
        t.newFile(2);
        TestRecord& r = t.flow.record();
        r.BuildingVolumeCuFtG = asked ? 500.0 : 0.0;
        t.show(row.page);
        if (asked)
            t.messages.answers.push_back(row.answer);
        t.flow.aboutCommand(t.flow.currentPage());
        QWidget beside; // a window opened beside the pages, as the gauge window is
        beside.show();
        QPointer<MainPage> page = t.flow.currentPage();
        if (row.byFrame)
            page->close();
        else
            t.trigger("mnuExit");

        QCOMPARE(t.messages.requests.size(), size_t(asked));
        if (asked) {
            const MessageRequest& q = t.messages.requests.front();
            QCOMPARE(q.title, u"Close"_s);
            QVERIFY(q.text.startsWith(u"\n\rThe current Untitled file has been modified."_s));
            QCOMPARE(q.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            QCOMPARE(q.defaultButton, QMessageBox::No);
        }
        QCOMPARE(t.flow.savePage() != nullptr, row.answer == QMessageBox::Yes);
        for (Step step : row.steps) {
            if (step == SaveFromMenu)
                t.trigger("mnuSave"); // the test has no name yet: the save page again
            else if (step == SaveAsHouse)
                t.saveAs("house");
            else
                t.flow.savePage()->findChild<QPushButton*>(u"Command1"_s)->click();
            FlowUnderTest::flushDeletes();
            QCOMPARE(t.flow.savePage() != nullptr, step == SaveFromMenu);
        }

        QCOMPARE(t.ends, row.ends ? 1 : 0);
        const QString path = t.path(u"house.lkd"_s);
        const bool written = !row.steps.empty() && row.steps.back() == SaveAsHouse;
        TestRecord back;
        QCOMPARE(readLkdFile(path, back) && back.BuildingVolumeCuFtG == 500.0, written);
        if (row.ends) { // every window closes, and nothing more happens
            for (QWidget* w : QApplication::topLevelWidgets()) // but the page still in its close
                QVERIFY2(!w->isVisible() || (row.byFrame && w == page),
                         qPrintable(w->objectName()));
            t.flow.exitCommand(nullptr);
            QCOMPARE(t.ends, 1);
        } else { // the page stays and the test is untouched
            QVERIFY(page && page->isVisible() && beside.isVisible());
            QCOMPARE(r.BuildingVolumeCuFtG, 500.0);
            QCOMPARE(r.FileNameG, u"Untitled"_s);
        }
    }

    // Save from the measurement page writes the USACE index on line 98, from the others "extra".
    void measurementSaveKeepsUsaceIndex() {
        FlowUnderTest t;
        t.newFile(1);
        TestRecord& r = t.flow.record();
        r.BuildingVolumeCuFtG = 8000.0;
        r.FileNameG = u"m.lkd"_s;
        r.FilePathG = t.path(u"m.lkd"_s);
        t.show(PageId::Measurement);
        r.UsaceIndexG = 0.375f;
        t.trigger("mnuSave");
        QVERIFY(!t.flow.savePage());
        QCOMPARE(fileBytes(r.FilePathG).split('\n').value(97).trimmed(), QByteArray(".375"));
        t.show(PageId::Building);
        t.trigger("mnuSave");
        QCOMPARE(fileBytes(r.FilePathG).split('\n').value(97).trimmed(), QByteArray("\"extra\""));
    }

    // The About box closes on OK, on a key on the button, or on a key on the box.
    void aboutBox() {
        FlowUnderTest t;
        for (int how = 0; how < 3; ++how) {
            t.trigger("mnuAbout");
            QPointer<AboutBoxFm> box = t.flow.aboutBox();
            QVERIFY(box && box->isVisible());
            auto* ok = box->findChild<QPushButton*>(u"OkayButton"_s);
            if (how == 0)
                ok->click();
            else
                QTest::keyClick(how == 1 ? static_cast<QWidget*>(ok) : box.data(), Qt::Key_X);
            FlowUnderTest::flushDeletes();
            QVERIFY(!box || !box->isVisible());
        }
        QCOMPARE(t.ends, 0);
        QCOMPARE(t.currentName(), u"IntroFm1"_s);
    }

    // Messages are written with LF CR between lines; a box shows each break once, whichever
    // order the two characters come in.
    void messageLineBreaks() {
        QCOMPARE(messageDisplayText(u"one\n\rtwo"_s), u"one\ntwo"_s);
        QCOMPARE(messageDisplayText(u"one\n\r\n\rtwo"_s), u"one\n\ntwo"_s);
        QCOMPARE(messageDisplayText(u"one\r\ntwo"_s), u"one\ntwo"_s);
        QCOMPARE(messageDisplayText(u"one\rtwo"_s), u"one\ntwo"_s);
    }
};

QTEST_MAIN(TestShellFlow)
#include "test_shellflow.moc"
