// The open and save pages with real files in temporary folders, and every way a read or a
// write can fail.

#include "ui/guitest.h"

#include "core/record/lkdfile.h"
#include "support/testrecords.h"
#include "ui/record/filechooser.h"
#include "ui/record/openpage.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

using Qt::StringLiterals::operator""_s;

namespace {

// A test of 12000 ft3 in unit system 2, written to `path`.
void writeSample(const QString& path, const QString& company) {
    TestRecord r = testrecords::newTest(2);
    r.TestingCompanyG = company;
    r.BuildingVolumeCuFtG = 12000.0;
    QVERIFY(writeLkdFile(r, path));
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QStringList listed(const QDialog* page, const QString& list) {
    QStringList out;
    for (const QListWidgetItem* item :
         page->findChild<QListWidget*>(list)->findItems(u"*"_s, Qt::MatchWildcard))
        out << item->text().trimmed();
    return out;
}

double volumeIn(const QString& path) {
    TestRecord back;
    return readLkdFile(path, back) ? back.BuildingVolumeCuFtG : -1.0;
}

void clickFile(FileChooser* page, bool twice) {
    auto* file1 = page->findChild<QListWidget*>(u"File1"_s);
    QVERIFY(file1->count() > 0);
    const QPoint at = file1->visualItemRect(file1->item(0)).center();
    QTest::mouseClick(file1->viewport(), Qt::LeftButton, {}, at);
    if (twice)
        QTest::mouseDClick(file1->viewport(), Qt::LeftButton, {}, at);
}

// A new test on the building page, with a volume so that it asks to be saved.
void startTest(FlowUnderTest& t) {
    t.toBuildingPage(2);
    t.type("Text4", "12000");
}

// Ways to open a file.
enum How { OpenButton, DoubleClick, SavePageDoubleClick, CommandLine };

} // namespace

class TestFilePages : public QObject {
    Q_OBJECT
  private slots:
    void cleanup() { FileChooser::setDriveSource({}); }

    void openPageListsOnlyDataFiles() {
        FlowUnderTest t;
        for (const char* name : {"b.lkd", "A.LKD", "c.Lkd", "notes.txt", "d.lkd.bak", "lkd"})
            writeBytes(t.path(QLatin1String(name)), "x");
        QDir(t.flow.programFolder()).mkdir(u"folder.lkd"_s);
        t.click("Option3");
        FileViewFm* open = t.flow.openPage();
        QVERIFY(open && open->isVisible());
        QCOMPARE(listed(open, u"File1"_s), (QStringList{u"A.LKD"_s, u"b.lkd"_s, u"c.Lkd"_s}));
        // The start page stays beneath the open page; Cancel returns there.
        QCOMPARE(t.currentName(), u"IntroFm1"_s);
        open->findChild<QPushButton*>(u"Command1"_s)->click();
        FlowUnderTest::flushDeletes();
        QVERIFY(!t.flow.openPage());
        QCOMPARE(t.currentName(), u"IntroFm1"_s);
        QVERIFY(t.flow.currentPage()->isVisible());
    }

    void saveAsNames_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("no extension") << u"house"_s << u"house.lkd"_s;
        QTest::newRow("capital extension") << u"HOUSE.LKD"_s << u"HOUSE.LKD"_s;
        QTest::newRow("other extension") << u"house.txt"_s << u"house.txt.lkd"_s;
    }

    // Save As writes under the name typed, with the extension added when it is missing.
    void saveAsNames() {
        QFETCH(QString, typed);
        QFETCH(QString, fileName);
        FlowUnderTest t;
        startTest(t);
        t.trigger("mnuSaveAs");
        t.saveAs(typed);
        QCOMPARE(t.flow.record().FileNameG, fileName);
        QCOMPARE(t.flow.record().FilePathG, t.path(fileName));
        QCOMPARE(volumeIn(t.path(fileName)), 12000.0);
        QCOMPARE(t.messages.requests.size(), size_t(0));
    }

    // Save opens the save page while the test has no usable name or no volume; on the page, an
    // empty name (or blanks alone) asks for one. Nothing is written.
    void saveWithoutUsableName_data() {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<double>("volume");
        QTest::newRow("Untitled") << u"Untitled"_s << 100.0;
        QTest::newRow("UNTITLED.LKD") << u"UNTITLED.LKD"_s << 100.0;
        QTest::newRow(".lkd") << u".lkd"_s << 100.0;
        QTest::newRow("named but no volume") << u"named.lkd"_s << 0.0;
    }

    void saveWithoutUsableName() {
        QFETCH(QString, fileName);
        QFETCH(double, volume);
        FlowUnderTest t;
        t.newFile(1);
        TestRecord& r = t.flow.record();
        r.FileNameG = fileName;
        r.FilePathG = t.path(u"named.lkd"_s);
        r.BuildingVolumeCuFtG = volume;
        t.trigger("mnuSave");
        QVERIFY(t.flow.savePage() && t.flow.savePage()->isVisible());
        for (const QString& name : {QString(), u"  "_s}) {
            t.saveAs(name);
            QCOMPARE(t.messages.titles(), QStringList{u"Save"_s});
            QCOMPARE(t.messages.requests.front().text, u"Please type a File Name"_s);
            QVERIFY(t.flow.savePage() && t.flow.savePage()->isVisible());
            t.messages.requests.clear();
        }
        QCOMPARE(QDir(t.flow.programFolder()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    void opens_data() {
        QTest::addColumn<How>("how");
        QTest::newRow("Open button") << OpenButton;
        QTest::newRow("double click") << DoubleClick;
        QTest::newRow("double click on the save page") << SavePageDoubleClick;
        QTest::newRow("command line, another folder") << CommandLine;
    }

    // Every way of opening replaces the test and moves on to the test identification page. Save
    // then writes back to the file read; Save As starts in the program folder with its name.
    void opens() {
        QFETCH(How, how);
        QTemporaryDir elsewhere;
        FlowUnderTest t;
        const QString path =
            how == CommandLine ? elsewhere.filePath(u"house.lkd"_s) : t.path(u"house.lkd"_s);
        writeSample(path, u"From the file"_s);
        if (how == SavePageDoubleClick) {
            startTest(t);
            t.trigger("mnuSaveAs");
            clickFile(t.flow.savePage(), true);
        } else if (how == CommandLine) {
            QVERIFY(t.flow.openFile(path));
        } else {
            t.click("Option3");
            clickFile(t.flow.openPage(), how == DoubleClick);
            QCOMPARE(t.flow.openPage()->findChild<QLabel*>(u"Label1"_s)->text(), u"house.lkd"_s);
            if (how == OpenButton)
                t.flow.openPage()->findChild<QPushButton*>(u"Command2"_s)->click();
        }
        FlowUnderTest::flushDeletes();
        QVERIFY(!t.flow.openPage() && !t.flow.savePage());
        QCOMPARE(t.messages.titles(), QStringList());
        QCOMPARE(t.currentName(), u"TestIdFm2"_s);
        QCOMPARE(t.text("Text6"), u"From the file"_s);
        const TestRecord& r = t.flow.record();
        QCOMPARE(r.BuildingVolumeCuFtG, 12000.0);
        QCOMPARE(r.FilePathG, QDir::toNativeSeparators(path));

        t.type("Text6", "Changed");
        const QByteArray before = fileBytes(path);
        if (how == CommandLine) {
            t.trigger("mnuSaveAs");
            auto* save = static_cast<FileChooser*>(t.flow.savePage());
            QCOMPARE(save->fileListFolder(), t.flow.programFolder());
            QCOMPARE(save->findChild<QLineEdit*>(u"Text5"_s)->text(), u"house.lkd"_s);
            save->findChild<QPushButton*>(u"Command2"_s)->click();
            QCOMPARE(fileBytes(path), before);
            QVERIFY(fileBytes(t.path(u"house.lkd"_s)).contains("Changed"));
        } else {
            t.trigger("mnuSave");
            QVERIFY(!t.flow.savePage());
            QVERIFY(fileBytes(path).contains("Changed"));
        }
    }

    void readFailures_data() {
        QTest::addColumn<QByteArray>("bytes"); // null: no such file
        QTest::addColumn<How>("how");
        const QByteArray text = "not a test\r\n";
        QTest::newRow("Open with no file chosen") << QByteArray() << OpenButton;
        QTest::newRow("no such file") << QByteArray() << DoubleClick;
        QTest::newRow("not a data file, Open") << text << OpenButton;
        QTest::newRow("not a data file, double click") << text << DoubleClick;
        QTest::newRow("not a data file, command line") << text << CommandLine;
    }

    // The user is told, the test in memory stays as it was, and so does the page.
    void readFailures() {
        QFETCH(QByteArray, bytes);
        QFETCH(How, how);
        const bool chosen = !bytes.isNull() || how == DoubleClick;
        FlowUnderTest t;
        const QString path = t.path(u"bad.lkd"_s);
        if (!bytes.isNull())
            writeBytes(path, bytes);
        TestRecord& r = t.flow.record();
        r.TechnicianG = u"kept"_s;
        if (how == CommandLine) {
            QVERIFY(!t.flow.openFile(path));
        } else {
            t.click("Option3");
            FileViewFm* open = t.flow.openPage();
            if (how == DoubleClick) {
                open->File1_DblClick(u"bad.lkd"_s);
            } else {
                if (chosen)
                    open->File1_Click(u"bad.lkd"_s);
                open->Command2_Click();
            }
        }
        FlowUnderTest::flushDeletes();
        QCOMPARE(t.messages.titles(),
                 QStringList{chosen ? u"There is a problem with the File you selected"_s
                                    : u"There is no Untitled File"_s});
        QCOMPARE(t.messages.requests.front().text, u"Please select another File"_s);
        QCOMPARE(r.TechnicianG, u"kept"_s);
        QCOMPARE(t.currentName(), u"IntroFm1"_s);
        if (how == CommandLine) { // nothing of the bad file is kept either
            QCOMPARE(r.FileNameG, u"Untitled"_s);
            QCOMPARE(r.FilePathG, QString());
        } else {
            QVERIFY(t.flow.openPage() && t.flow.openPage()->isVisible());
        }
    }

    void cancelAfterClickKeepsTheTarget_data() {
        QTest::addColumn<bool>("onSavePage");
        QTest::newRow("open page") << false;
        QTest::newRow("save page") << true;
    }

    // A file only clicked and then abandoned with Cancel never becomes the target of a later Save.
    void cancelAfterClickKeepsTheTarget() {
        QFETCH(bool, onSavePage);
        FlowUnderTest t;
        const QString mine = t.path(u"mine.lkd"_s), other = t.path(u"other.lkd"_s);
        writeSample(other, u"someone else's test"_s);
        const QByteArray otherBytes = fileBytes(other);
        startTest(t);
        t.trigger("mnuSaveAs");
        t.saveAs("mine");
        QVERIFY(QFile::exists(mine));

        if (onSavePage)
            t.trigger("mnuSaveAs");
        else
            t.flow.oldFile(); // as from the start page
        FileChooser* page = onSavePage ? static_cast<FileChooser*>(t.flow.savePage())
                                       : static_cast<FileChooser*>(t.flow.openPage());
        page->File1_Click(u"other.lkd"_s);
        QCOMPARE(t.flow.record().FileNameG, u"other.lkd"_s);
        page->findChild<QPushButton*>(u"Command1"_s)->click();
        FlowUnderTest::flushDeletes();
        QCOMPARE(t.flow.record().FileNameG, u"mine.lkd"_s);
        QCOMPARE(t.flow.record().FilePathG, QDir::toNativeSeparators(mine));
        t.type("Text4", "13000");
        t.trigger("mnuSave");
        QCOMPARE(fileBytes(other), otherBytes);
        QCOMPARE(volumeIn(mine), 13000.0);
    }

    void writeFailures_data() {
        QTest::addColumn<bool>("viaExit");
        QTest::newRow("Save") << false;
        QTest::newRow("after Yes in the Exit prompt") << true;
    }

    // A folder stands where the file would go: the user is told which file, and the record and
    // the page stay as they were. After Yes in the Exit prompt the program keeps running, with the
    // save page open for another name.
    void writeFailures() {
        QFETCH(bool, viaExit);
        FlowUnderTest t;
        startTest(t);
        const QString target = t.path(u"dir.lkd"_s);
        QVERIFY(QDir().mkdir(target));
        TestRecord& r = t.flow.record();
        if (viaExit) {
            t.messages.answers = {QMessageBox::Yes};
            t.trigger("mnuExit");
            t.saveAs("dir");
        } else {
            r.FileNameG = u"dir.lkd"_s;
            r.FilePathG = target;
            t.trigger("mnuSave");
        }
        QCOMPARE(t.messages.titles().size(), viaExit ? 2 : 1); // after "Close"
        QCOMPARE(t.messages.titles().last(), u"The File could not be saved"_s);
        QVERIFY2(t.messages.requests.back().text.contains(target),
                 qPrintable(t.messages.requests.back().text));
        QCOMPARE(r.FilePathG, target);
        QCOMPARE(r.BuildingVolumeCuFtG, 12000.0);
        QCOMPARE(t.ends, 0);
        QCOMPARE(t.currentName(), u"BldgEnvFm3"_s);
        QCOMPARE(t.flow.savePage() != nullptr, viaExit);
        if (viaExit) { // another name is written, and that ends the program
            t.saveAs("free");
            QCOMPARE(t.ends, 1);
            QCOMPARE(volumeIn(t.path(u"free.lkd"_s)), 12000.0);
        }
    }

    // The lists start in the program folder on every opening and follow the folder and drive
    // chosen; a drive that cannot be read is refused and the lists stay.
    void foldersAndDrives() {
        FlowUnderTest t;
        QVERIFY(QDir(t.flow.programFolder()).mkdir(u"inner"_s));
        writeSample(t.path(u"inner/x.lkd"_s), u"x"_s);
        const QString missing = u"/no-such-drive-for-ventrel"_s;
        FileChooser::setDriveSource([missing] { return QStringList{u"/"_s, missing}; });
        const QString start = t.flow.programFolder();
        for (int opening = 0; opening < 2; ++opening) {
            t.click("Option3"); // Old File
            FileViewFm* open = t.flow.openPage();
            QCOMPARE(open->fileListFolder(), start);
            auto* dir1 = open->findChild<QListWidget*>(u"Dir1"_s);
            const auto inner = dir1->findItems(u"*inner"_s, Qt::MatchWildcard);
            QCOMPARE(inner.size(), 1);
            emit dir1->itemActivated(inner.front());
            QCOMPARE(open->fileListFolder(), t.path(u"inner"_s));
            QCOMPARE(listed(open, u"File1"_s), QStringList{u"x.lkd"_s});
            if (opening == 0) {
                open->Command1_Click();
            } else { // the path joins the folder listed, not the program folder
                open->File1_DblClick(u"x.lkd"_s);
                QCOMPARE(t.flow.record().FilePathG, t.path(u"inner/x.lkd"_s));
            }
            FlowUnderTest::flushDeletes();
        }
        QCOMPARE(t.currentName(), u"TestIdFm2"_s);

        t.flow.oldFile();
        QPointer<FileViewFm> open = t.flow.openPage();
        auto* drive1 = open->findChild<QComboBox*>(u"Drive1"_s);
        const int before = drive1->currentIndex();
        const int bad = drive1->findData(missing);
        drive1->setCurrentIndex(bad);
        open->Drive1_Change(bad);
        QCOMPARE(t.messages.titles(), QStringList{u"Drive not ready"_s});
        QVERIFY(t.messages.requests.front().text.contains(missing));
        QCOMPARE(drive1->currentIndex(), before);
        QCOMPARE(open->fileListFolder(), start);
        open->Drive1_Change(drive1->findData(u"/"_s));
        QCOMPARE(open->fileListFolder(), u"/"_s);
        // Old File again while the page is open replaces it with a fresh one.
        t.flow.oldFile();
        FlowUnderTest::flushDeletes();
        QVERIFY(!open);
        QCOMPARE(t.flow.openPage()->fileListFolder(), start);
    }
};

QTEST_MAIN(TestFilePages)
#include "test_filepages.moc"
