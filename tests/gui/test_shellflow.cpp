// The start page, the way pages lead to one another, Exit with its save prompt, and About.

#include "guitest.h"

#include "app/aboutboxfm.h"
#include "app/introfm1.h"
#include "pages/bldgenvfm3.h"
#include "pages/testidfm2.h"
#include "record/filesavefm.h"
#include "record/lkdfile.h"

#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

using Answers = QList<int>;

class TestShellFlow : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { quietSizeHints(); }
    void startPageTexts();
    void pageCaptions_data();
    void pageCaptions();
    void menus_data();
    void menus();
    void typicalRoadToMeasurement();
    void backAndForth();
    void newFileKeepsTheTest();
    void languageChangesOnlyTheDateName_data();
    void languageChangesOnlyTheDateName();
    void testIdEntriesAndClearAll();
    void exitPaths_data();
    void exitPaths();
    void exitFromEveryPage_data();
    void exitFromEveryPage();
    void windowFrameActsAsExit();
    void exitClosesEveryWindow();
    void measurementSaveKeepsUsaceIndex();
    void aboutBox_data();
    void aboutBox();
    void instructions_data();
    void instructions();
    void unregisteredPageIsNotOffered();

  private:
    QTemporaryDir dir_;
};

void TestShellFlow::startPageTexts() {
    FlowUnderTest t(dir_.path());
    QCOMPARE(t.currentName(), QStringLiteral("IntroFm1"));
    MainPage* page = t.flow.currentPage();
    QCOMPARE(page->windowTitle(), QStringLiteral("Ventrel 2.11 DEMO  File: Untitled"));
    QVERIFY(page->isVisible());

    const std::pair<const char*, const char*> captions[] = {
        {"Option1", "New File (\"wc, Cfm)"},
        {"Option2", "New File (Pa, M3/h)"},
        {"Option3", "Old File"},
        {"Option4", "New File (Pa, Cfm)"},
        {"Option5", "English"},
        {"Option6", "French"},
    };
    for (const auto& [name, caption] : captions)
        QCOMPARE(t.child<QRadioButton>(QString::fromLatin1(name))->text(),
                 QString::fromUtf8(caption));
    QCOMPARE(t.child<QGroupBox>(QStringLiteral("Frame1"))->title(), QStringLiteral("Language"));
    QCOMPARE(t.child<QGroupBox>(QStringLiteral("Frame3D2"))->title(),
             QStringLiteral("Select Blower Door Data File to Start:"));
    QCOMPARE(t.child<QLabel>(QStringLiteral("Label4"))->text(),
             QStringLiteral("VENTREL Version 2.11 DEMO"));
    QCOMPARE(t.child<QLabel>(QStringLiteral("Label4"))->font().pointSize(), 12);
    QCOMPARE(t.child<QLabel>(QStringLiteral("Label5"))->text(),
             QStringLiteral("Norvane Model K7 Blower Door Data Analysis Software"));
    QCOMPARE(t.child<QLabel>(QStringLiteral("Label5"))->font().pointSize(), 10);
    QVERIFY(t.child<QLabel>(QStringLiteral("Label3"))
                ->text()
                .startsWith(QStringLiteral("INSTRUCTIONS: Go to the top of the each page and click "
                                           "on Help, and then on \nInstructions.  You will find")));
    const QString notice = IntroFm1::noticeText();
    QVERIFY(notice.contains(QStringLiteral("\n\r\n\rCOPIES:")));
    QVERIFY(notice.contains(QStringLiteral("\n\r\n\rWARRANTY:")));

    // Start-up values, English selected.
    const TestRecord& r = t.flow.record();
    QCOMPARE(r.ProgramNameG, QStringLiteral("Ventrel"));
    QCOMPARE(r.ProgramVersionG, QStringLiteral("2.11 DEMO"));
    QCOMPARE(r.FileNameG, QStringLiteral("Untitled"));
    QCOMPARE(r.DivideBy20FactorG, 20.0f);
    QCOMPARE(r.LanguageG, QStringLiteral("E"));
    QVERIFY(t.child<QRadioButton>(QStringLiteral("Option5"))->isChecked());
    QVERIFY(!t.child<QRadioButton>(QStringLiteral("Option6"))->isChecked());
}

void TestShellFlow::pageCaptions_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("caption");
    QTest::newRow("test id") << int(PageId::TestId) << "Untitled"
                             << "Ventrel 2.11 DEMO  Test Identification Page    File: Untitled";
    QTest::newRow("building") << int(PageId::Building) << "house.lkd"
                              << "Ventrel 2.11 DEMO  Building and Environment Page    File: "
                                 "house.lkd";
    QTest::newRow("start") << int(PageId::Start) << "house.lkd"
                           << "Ventrel 2.11 DEMO  File: house.lkd";
}

void TestShellFlow::pageCaptions() {
    QFETCH(int, page);
    QFETCH(QString, fileName);
    QFETCH(QString, caption);
    FlowUnderTest t(dir_.path());
    t.newFile(2);
    t.flow.record().FileNameG = fileName;
    t.flow.showPage(static_cast<PageId>(page));
    FlowUnderTest::flushDeletes();
    QCOMPARE(t.flow.currentPage()->windowTitle(), caption);
    // Main pages are 9600 x 7500 twips (640 x 500 pixels at 96 DPI), the frame 9460 x 6800.
    QCOMPARE(t.flow.currentPage()->size(), QSize(640, 500));
    QCOMPARE(t.child<QWidget>(QStringLiteral("Frame3D1"))->size(), QSize(631, 453));
}

void TestShellFlow::menus_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("menuBar");
    QTest::addColumn<QStringList>("items");
    const QStringList file = {QStringLiteral("mnuSave=&Save"), QStringLiteral("mnuSaveAs=Sav&e As"),
                              QStringLiteral("mnuExit=&Exit")};
    const QStringList help = {QStringLiteral("mnuInstructions=&Instructions"),
                              QStringLiteral("mnuAbout=&About")};
    QTest::newRow("start") << int(PageId::Start)
                           << QStringList{QStringLiteral("mnuExit=&Exit"),
                                          QStringLiteral("mnuHelp=&Help")}
                           << help;
    QTest::newRow("test id") << int(PageId::TestId)
                             << QStringList{QStringLiteral("mnuFile=&File"),
                                            QStringLiteral("mnuHelp=&Help")}
                             << file + help;
    QTest::newRow("building") << int(PageId::Building)
                              << QStringList{QStringLiteral("mnuFile=&File"),
                                             QStringLiteral("mnuUnits=&Units"),
                                             QStringLiteral("mnuHelp=&Help")}
                              << file +
                                     QStringList{QStringLiteral("mnuInWcCfm=&InWcCfm"),
                                                 QStringLiteral("mnuPaCfm=&PaCfm"),
                                                 QStringLiteral("mnuPaM3h=Pa&M3h")} +
                                     help;
}

void TestShellFlow::menus() {
    QFETCH(int, page);
    QFETCH(QStringList, menuBar);
    QFETCH(QStringList, items);
    FlowUnderTest t(dir_.path());
    t.flow.record().UnitSystemG = 1;
    t.flow.showPage(static_cast<PageId>(page));
    FlowUnderTest::flushDeletes();
    QStringList bar;
    QStringList inMenus;
    for (QAction* a : t.flow.currentPage()->menuBar()->actions()) {
        bar << a->objectName() + QLatin1Char('=') + a->text();
        if (a->menu()) {
            for (QAction* item : a->menu()->actions())
                inMenus << item->objectName() + QLatin1Char('=') + item->text();
        }
    }
    QCOMPARE(bar, menuBar);
    QCOMPARE(inMenus, items);
}

void TestShellFlow::typicalRoadToMeasurement() {
    FlowUnderTest t(dir_.path());
    t.click(QStringLiteral("Option4")); // New File (Pa, Cfm)
    QCOMPARE(t.currentName(), QStringLiteral("TestId"
                                             "Fm2"));
    QCOMPARE(t.flow.record().UnitSystemG, int16_t(2));
    QCOMPARE(t.flow.record().UnitSystemTextG, QStringLiteral(" 2"));

    t.type(QStringLiteral("Text6"), QStringLiteral("Acme Testing"));
    t.type(QStringLiteral("Text8"), QStringLiteral("12 Elm Street"));
    QCOMPARE(t.flow.record().TestingCompanyG, QStringLiteral("Acme Testing"));
    QCOMPARE(t.flow.record().BuildingTestedG, QStringLiteral("12 Elm Street"));
    t.click(QStringLiteral("Command3D1"));

    QCOMPARE(t.currentName(), QStringLiteral("BldgEnvFm3"));
    QCOMPARE(t.text(QStringLiteral("Text4")), QString()); // " 0" emptied on entering the box
    t.type(QStringLiteral("Text4"), QStringLiteral("12000"));
    QCOMPARE(t.flow.record().BuildingVolumeCuFtG, 12000.0);
    t.type(QStringLiteral("Text10"), QStringLiteral("2"));
    QCOMPARE(t.text(QStringLiteral("Text24")), QStringLiteral(" 15.9"));
    t.click(QStringLiteral("Command3D1"));

    QCOMPARE(t.currentName(), QStringLiteral("BDMeasFm4"));
    QCOMPARE(t.messages.beeps, 0);
    QCOMPARE(t.flow.record().StoriesAboveGradeG, QStringLiteral("2"));
    QVERIFY(qAbs(t.flow.record().DivideBy20FactorG - 15.96597f) < 1e-4f);
    QCOMPARE(t.ends, 0);
    // Only one main page is left standing.
    int visiblePages = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        visiblePages += qobject_cast<MainPage*>(w) && w->isVisible();
    QCOMPARE(visiblePages, 1);
}

void TestShellFlow::backAndForth() {
    FlowUnderTest t(dir_.path());
    t.newFile(1);
    t.click(QStringLiteral("Command3D1"));
    t.type(QStringLiteral("Text4"), QStringLiteral("9000"));
    t.click(QStringLiteral("Command3D1"));
    QCOMPARE(t.currentName(), QStringLiteral("BDMeasFm4"));
    static_cast<StandInMeasurementPage*>(t.flow.currentPage())->back();
    FlowUnderTest::flushDeletes();
    QCOMPARE(t.currentName(), QStringLiteral("BldgEnvFm3"));
    QCOMPARE(t.text(QStringLiteral("Text4")), QStringLiteral(" 9000"));
    t.click(QStringLiteral("Command3D2"));
    QCOMPARE(t.currentName(), QStringLiteral("TestIdFm2"));
    t.click(QStringLiteral("Command3D2"));
    QCOMPARE(t.currentName(), QStringLiteral("IntroFm1"));
    // Back on the start page the infiltration factor starts again from 20.
    QCOMPARE(t.flow.record().DivideBy20FactorG, 20.0f);
    QCOMPARE(t.flow.record().BuildingVolumeCuFtG, 9000.0);
}

void TestShellFlow::newFileKeepsTheTest() {
    FlowUnderTest t(dir_.path());
    t.newFile(1);
    TestRecord& r = t.flow.record();
    r.TechnicianG = QStringLiteral("J. Smith");
    r.Comment5G = QStringLiteral("fifth");
    r.PresGageG[3] = 0.2;
    r.FlowGageG[3] = 1500.0;
    r.Flow50G = 2100.0f;
    r.BuildingVolumeCuFtG = 15000.0;
    r.StoriesAboveGradeG = QStringLiteral("3");
    r.TemperatureInsideFG = 72.0f;
    r.PressurizeOrDepressG = QStringLiteral("P");
    t.click(QStringLiteral("Command3D2"));
    QCOMPARE(t.currentName(), QStringLiteral("IntroFm1"));
    t.newFile(3);

    QCOMPARE(r.TechnicianG, QStringLiteral("J. Smith"));
    QCOMPARE(r.Comment5G, QStringLiteral("fifth"));
    QCOMPARE(r.PresGageG[3], 0.2);
    QCOMPARE(r.FlowGageG[3], 1500.0);
    QCOMPARE(r.Flow50G, 2100.0f);
    QCOMPARE(r.BuildingVolumeCuFtG, 0.0);
    QCOMPARE(r.StoriesAboveGradeG, QStringLiteral("1"));
    QCOMPARE(r.TemperatureInsideFG, 68.0f);
    QCOMPARE(r.PressurizeOrDepressG, QStringLiteral("D"));
    QCOMPARE(r.UnitSystemG, int16_t(3));
    QCOMPARE(t.text(QStringLiteral("Text12")), QStringLiteral("J. Smith"));
}

void TestShellFlow::languageChangesOnlyTheDateName_data() {
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("dateName");
    QTest::newRow("English") << "Option5"
                             << "E"
                             << "Test date and time";
    QTest::newRow("French") << "Option6"
                            << "F"
                            << "Date et heure de test";
}

void TestShellFlow::languageChangesOnlyTheDateName() {
    QFETCH(QString, option);
    QFETCH(QString, language);
    QFETCH(QString, dateName);
    FlowUnderTest t(dir_.path());
    t.click(option);
    QCOMPARE(t.flow.record().LanguageG, language);
    t.newFile(1);
    QCOMPARE(t.text(QStringLiteral("Text3")), dateName);
    QCOMPARE(t.text(QStringLiteral("Text5")), QStringLiteral("Testing Company:"));
    QCOMPARE(t.text(QStringLiteral("Text1")), QStringLiteral("DATA NAME"));
    QCOMPARE(t.child<QPushButton>(QStringLiteral("Command3D2"))->text(), QStringLiteral("Back"));
    // The start page shows the language chosen when the user comes back to it.
    t.click(QStringLiteral("Command3D2"));
    QVERIFY(t.child<QRadioButton>(option)->isChecked());
    QCOMPARE(t.flow.record().LanguageG, language);
}

void TestShellFlow::testIdEntriesAndClearAll() {
    FlowUnderTest t(dir_.path());
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
    for (const auto& [box, field] : boxes) {
        const QString value = QStringLiteral("value of ") + QString::fromLatin1(box);
        t.type(QString::fromLatin1(box), value);
        QCOMPARE(r.*field, value);
    }
    r.Comment4G = QStringLiteral("four");
    r.Comment6G = QStringLiteral("six");
    // A reload shows every field again.
    t.flow.showPage(PageId::TestId);
    FlowUnderTest::flushDeletes();
    for (const auto& [box, field] : boxes)
        QCOMPARE(t.text(QString::fromLatin1(box)), r.*field);

    t.click(QStringLiteral("Command3D3"));
    QCOMPARE(t.currentName(), QStringLiteral("TestIdFm2"));
    for (const auto& [box, field] : boxes) {
        QCOMPARE(r.*field, QString());
        QCOMPARE(t.text(QString::fromLatin1(box)), QString());
    }
    QCOMPARE(r.Comment4G, QString());
    QCOMPARE(r.Comment6G, QString());
    QCOMPARE(t.child<QLabel>(QStringLiteral("Label1"))->text(),
             QStringLiteral("None of the data above is used for calculations. It is important for "
                            "documenting the test."));
}

void TestShellFlow::exitPaths_data() {
    QTest::addColumn<double>("volume");
    QTest::addColumn<Answers>("answers"); // Exit prompt first, then what the save page does
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("savePageShown");
    QTest::addColumn<int>("ends");
    QTest::addColumn<bool>("written");

    // 0 = Cancel the save page, 1 = type a name and Save, then Save again later.
    QTest::newRow("no volume") << 0.0 << Answers{} << false << false << 1 << false;
    QTest::newRow("No") << 12000.0 << Answers{QMessageBox::No} << true << false << 1 << false;
    QTest::newRow("Cancel") << 12000.0 << Answers{QMessageBox::Cancel} << true << false << 0
                            << false;
    QTest::newRow("Yes then Save")
        << 12000.0 << Answers{QMessageBox::Yes, 1} << true << true << 1 << true;
    QTest::newRow("Yes then Cancel")
        << 12000.0 << Answers{QMessageBox::Yes, 0} << true << true << 0 << false;
    QTest::newRow("Yes then Cancel then Save")
        << 12000.0 << Answers{QMessageBox::Yes, 0, 1} << true << true << 1 << true;
}

void TestShellFlow::exitPaths() {
    QFETCH(double, volume);
    QFETCH(Answers, answers);
    QFETCH(bool, asked);
    QFETCH(bool, savePageShown);
    QFETCH(int, ends);
    QFETCH(bool, written);

    QTemporaryDir folder;
    FlowUnderTest t(folder.path());
    t.newFile(2);
    t.click(QStringLiteral("Command3D1"));
    TestRecord& r = t.flow.record();
    if (volume > 0)
        t.type(QStringLiteral("Text4"), QString::number(volume));
    const TestRecord before = r;

    if (!answers.isEmpty())
        t.messages.answers.push_back(static_cast<QMessageBox::StandardButton>(answers.takeFirst()));
    t.trigger(QStringLiteral("mnuExit"));

    QCOMPARE(t.messages.requests.size(), asked ? size_t(1) : size_t(0));
    if (asked) {
        const MessageRequest& q = t.messages.requests.front();
        QCOMPARE(q.title, QStringLiteral("Close"));
        QCOMPARE(q.text, QStringLiteral("\n\rThe current Untitled file has been modified.\n\r"
                                        "Do you want to save the file before closing it? Then "
                                        "press YES.\n\r"
                                        "If press NO, then all modifications since the last save "
                                        "will be lost."));
        QCOMPARE(q.icon, QMessageBox::Question);
        QCOMPARE(q.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(q.defaultButton, QMessageBox::No);
    }
    QCOMPARE(t.flow.savePage() != nullptr && t.flow.savePage()->isVisible(), savePageShown);

    while (!answers.isEmpty()) {
        const int step = answers.takeFirst();
        if (!t.flow.savePage()) // a later Save goes through the save page again
            t.trigger(QStringLiteral("mnuSave"));
        FileSaveFm* save = t.flow.savePage();
        QVERIFY(save);
        if (step == 0) {
            save->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        } else {
            QTest::keyClicks(save->findChild<QLineEdit*>(QStringLiteral("Text5")),
                             QStringLiteral("house"));
            save->findChild<QPushButton*>(QStringLiteral("Command2"))->click();
        }
        FlowUnderTest::flushDeletes();
        QVERIFY(!t.flow.savePage());
    }

    QCOMPARE(t.ends, ends);
    QCOMPARE(t.flow.hasEnded(), ends > 0);
    QCOMPARE(QFile::exists(folder.filePath(QStringLiteral("house.lkd"))), written);
    if (ends == 0) {
        // The page stays and the test is untouched.
        QCOMPARE(t.currentName(), QStringLiteral("BldgEnvFm3"));
        QVERIFY(t.flow.currentPage()->isVisible());
        QCOMPARE(r.BuildingVolumeCuFtG, before.BuildingVolumeCuFtG);
        QCOMPARE(r.FileNameG, QStringLiteral("Untitled"));
    }
    if (savePageShown)
        QCOMPARE(r.ExitAfterSaveG, int16_t(1));
    if (written) {
        TestRecord back;
        QVERIFY(readLkdFile(folder.filePath(QStringLiteral("house.lkd")), back));
        QCOMPARE(back.BuildingVolumeCuFtG, volume);
    }
}

void TestShellFlow::exitFromEveryPage_data() {
    QTest::addColumn<int>("page");
    QTest::newRow("start") << int(PageId::Start);
    QTest::newRow("test id") << int(PageId::TestId);
    QTest::newRow("building") << int(PageId::Building);
    QTest::newRow("measurement") << int(PageId::Measurement);
}

void TestShellFlow::exitFromEveryPage() {
    QFETCH(int, page);
    QTemporaryDir folder;
    FlowUnderTest t(folder.path());
    t.flow.record().UnitSystemG = 2;
    t.flow.record().BuildingVolumeCuFtG = 500.0;
    t.flow.showPage(static_cast<PageId>(page));
    FlowUnderTest::flushDeletes();
    QCOMPARE(t.flow.record().BuildingVolumeCuFtG, 500.0);

    t.messages.answers = {QMessageBox::Yes};
    if (auto* stand = qobject_cast<StandInMeasurementPage*>(t.flow.currentPage()))
        stand->exit();
    else
        t.trigger(QStringLiteral("mnuExit"));
    QCOMPARE(t.messages.titles(), QStringList{QStringLiteral("Close")});
    FileSaveFm* save = t.flow.savePage();
    QVERIFY(save);
    QTest::keyClicks(save->findChild<QLineEdit*>(QStringLiteral("Text5")), QStringLiteral("a"));
    save->Command2_Click();
    QCOMPARE(t.ends, 1);
    QVERIFY(QFile::exists(folder.filePath(QStringLiteral("a.lkd"))));
}

void TestShellFlow::windowFrameActsAsExit() {
    FlowUnderTest t(dir_.path());
    t.newFile(1);
    t.flow.record().BuildingVolumeCuFtG = 100.0;
    t.messages.answers = {QMessageBox::Cancel};
    QPointer<MainPage> page = t.flow.currentPage();
    page->close();
    FlowUnderTest::flushDeletes();
    QVERIFY(page);
    QVERIFY(page->isVisible());
    QCOMPARE(t.ends, 0);
    QCOMPARE(t.messages.titles(), QStringList{QStringLiteral("Close")});

    t.flow.record().BuildingVolumeCuFtG = 0.0;
    page->close();
    QCOMPARE(t.ends, 1);
}

void TestShellFlow::exitClosesEveryWindow() {
    FlowUnderTest t(dir_.path());
    t.newFile(1);
    t.flow.aboutCommand(t.flow.currentPage());
    QWidget beside; // a window opened beside the pages, as the gauge window is
    beside.show();
    t.trigger(QStringLiteral("mnuExit"));
    QCOMPARE(t.ends, 1);
    QVERIFY(!beside.isVisible());
    for (QWidget* w : QApplication::topLevelWidgets())
        QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
    // Nothing more happens once the program has ended.
    t.flow.exitCommand(nullptr);
    QCOMPARE(t.ends, 1);
}

void TestShellFlow::measurementSaveKeepsUsaceIndex() {
    QTemporaryDir folder;
    FlowUnderTest t(folder.path());
    t.newFile(1);
    TestRecord& r = t.flow.record();
    r.BuildingVolumeCuFtG = 8000.0;
    r.UsaceIndexG = 0.375f;
    r.FileNameG = QStringLiteral("m.lkd");
    r.FilePathG = folder.filePath(QStringLiteral("m.lkd"));
    t.flow.registerPage(PageId::Measurement,
                        [](PageHost& host) { return new StandInMeasurementPage(host); });
    t.flow.showPage(PageId::Measurement);
    static_cast<StandInMeasurementPage*>(t.flow.currentPage())->save();
    QVERIFY(!t.flow.savePage());
    QFile f(r.FilePathG);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = f.readAll().split('\n');
    QVERIFY(lines.size() >= 118);
    QCOMPARE(lines.at(97).trimmed(), QByteArray(".375"));
    QCOMPARE(lines.at(98).trimmed(), QByteArray("\"extra\""));

    // The same test saved from the building page carries "extra" there.
    t.flow.showPage(PageId::Building);
    t.trigger(QStringLiteral("mnuSave"));
    f.close();
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll().split('\n').at(97).trimmed(), QByteArray("\"extra\""));
}

void TestShellFlow::aboutBox_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("OK clicked") << "click";
    QTest::newRow("key on the button") << "buttonKey";
    QTest::newRow("key on the window") << "windowKey";
}

void TestShellFlow::aboutBox() {
    QFETCH(QString, how);
    FlowUnderTest t(dir_.path());
    t.trigger(QStringLiteral("mnuAbout"));
    QPointer<AboutBoxFm> box = t.flow.aboutBox();
    QVERIFY(box);
    QVERIFY(box->isVisible());
    QCOMPARE(box->findChild<QLabel*>(QStringLiteral("LAB_1"))->text(),
             QStringLiteral("Norvane Model K7 Blower Door Software"));
    QCOMPARE(box->findChild<QLabel*>(QStringLiteral("LAB_2"))->text(),
             QStringLiteral("Ventrel  Version 2.11 DEMO"));
    for (const char* name : {"PIC_Icon", "Label1", "Label2"})
        QVERIFY(box->findChild<QLabel*>(QString::fromLatin1(name)));
    auto* ok = box->findChild<QPushButton*>(QStringLiteral("OkayButton"));
    if (how == QStringLiteral("click"))
        ok->click();
    else if (how == QStringLiteral("buttonKey"))
        QTest::keyClick(ok, Qt::Key_X);
    else
        QTest::keyClick(box.data(), Qt::Key_Q);
    FlowUnderTest::flushDeletes();
    QVERIFY(!box || !box->isVisible());
    QCOMPARE(t.ends, 0);
    QCOMPARE(t.currentName(), QStringLiteral("IntroFm1"));
}

void TestShellFlow::instructions_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("starts");
    QTest::addColumn<QStringList>("contains");
    QTest::newRow("start") << int(PageId::Start)
                           << QStringList{QStringLiteral(
                                  "Instructions for VENTREL Introductory Page:\n\r\n\rGeneral "
                                  "Information:\n\r This program is designed")}
                           << QStringList{QStringLiteral(
                                  "units on later screens.\n\r If you enter data and then come "
                                  "back to this page, click 'New File' to return to your data.")};
    QTest::newRow("test id")
        << int(PageId::TestId)
        << QStringList{QStringLiteral("\tVENTREL Test Identification Page - The data on this page "
                                      "is for test documentation, not calculations.\n\r\tThis")}
        << QStringList{QStringLiteral("\tTemporary sealing for test?\tBroken window temporarily "
                                      "sealed\n\r\tNote: Seal intentional leaks like "
                                      "ventilators.\n\r\tNote: Seal large leaks")};
    QTest::newRow("building")
        << int(PageId::Building)
        << QStringList{QStringLiteral("VENTREL Building and Environmental Data Page (1 of 2)"),
                       QStringLiteral("VENTREL Building and Environmental Data Page (2 of 2)")}
        << QStringList{QStringLiteral("Data Name:\tSample Entry:\tComment:\n\rBuilding Volume=\t"
                                      "12000 ft3\tUsed for Air Changes per Hour (ACH) "
                                      "calculations."),
                       QStringLiteral("Calculations:\n\rInfiltration Factor=")};
}

void TestShellFlow::instructions() {
    QFETCH(int, page);
    QFETCH(QStringList, starts);
    QFETCH(QStringList, contains);
    FlowUnderTest t(dir_.path());
    t.flow.record().UnitSystemG = 1;
    t.flow.showPage(static_cast<PageId>(page));
    FlowUnderTest::flushDeletes();
    t.trigger(QStringLiteral("mnuInstructions"));
    QCOMPARE(int(t.messages.requests.size()), int(starts.size()));
    for (int i = 0; i < starts.size(); ++i) {
        const MessageRequest& m = t.messages.requests.at(size_t(i));
        QCOMPARE(m.title, QStringLiteral("Instructions"));
        QCOMPARE(m.icon, QMessageBox::Information);
        QCOMPARE(m.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY2(m.text.startsWith(starts.at(i)), qPrintable(m.text.left(200)));
        QVERIFY2(m.text.contains(contains.at(i)), qPrintable(m.text));
    }
}

void TestShellFlow::unregisteredPageIsNotOffered() {
    FlowUnderTest t(dir_.path(), /*withMeasurement=*/false);
    QVERIFY(!t.flow.offers(PageId::Measurement));
    t.newFile(1);
    t.click(QStringLiteral("Command3D1"));
    QVERIFY(!t.child<QPushButton>(QStringLiteral("Command3D1"))->isEnabled());
    t.type(QStringLiteral("Text4"), QStringLiteral("12000"));
    QVERIFY(!t.child<QPushButton>(QStringLiteral("Command3D1"))->isEnabled());
    t.flow.showPage(PageId::Measurement);
    QCOMPARE(t.currentName(), QStringLiteral("BldgEnvFm3"));
}

QTEST_MAIN(TestShellFlow)
#include "test_shellflow.moc"
