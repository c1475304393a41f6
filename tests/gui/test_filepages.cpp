// The open and save pages with real files in temporary folders, and every way a read or a
// write can fail.

#include "guitest.h"

#include "app/aboutboxfm.h"
#include "record/filechooser.h"
#include "record/filesavefm.h"
#include "record/fileviewfm.h"
#include "record/lkdfile.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

#include <unistd.h>

namespace {

TestRecord sampleTest() {
    TestRecord r;
    applyStartupValues(r);
    applyNewFileDefaults(r, 2);
    r.TestingCompanyG = QStringLiteral("Acme Testing");
    r.BuildingVolumeCuFtG = 12000.0;
    r.PresGageG[1] = 0.2;
    r.FlowGageG[1] = 2000.0;
    return r;
}

void writeSample(const QString& path, const QString& company) {
    TestRecord r = sampleTest();
    r.TestingCompanyG = company;
    QVERIFY(writeLkdFile(r, path));
}

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QStringList listed(QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

// Starts a test on the building page with a volume, ready to be saved.
void startTest(FlowUnderTest& t, const QString& volume = QStringLiteral("12000")) {
    t.newFile(2);
    t.click(QStringLiteral("Command3D1"));
    t.type(QStringLiteral("Text4"), volume);
}

} // namespace

class TestFilePages : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { quietSizeHints(); }
    void cleanup() { FileChooser::setDriveSource({}); }
    void pageLayout_data();
    void pageLayout();
    void fileListShowsOnlyDataFiles();
    void saveAsNames_data();
    void saveAsNames();
    void emptyNameAsksForOne();
    void saveWritesAtOnceOnceNamed();
    void saveWithoutUsableName_data();
    void saveWithoutUsableName();
    void openRoundTrip();
    void openWithoutChoosingAFile();
    void readFailures_data();
    void readFailures();
    void cancelAfterClickKeepsTheTarget_data();
    void cancelAfterClickKeepsTheTarget();
    void writeFailures_data();
    void writeFailures();
    void failedWriteAfterExitYesKeepsRunning();
    void doubleClickOnSavePageOpens();
    void pagesStartInProgramFolderEveryTime();
    void saveAsCopiesIntoProgramFolder();
    void unreadableDriveGoesBack();
    void folderListMoves();
    void commandLineOpen_data();
    void commandLineOpen();
};

void TestFilePages::pageLayout_data() {
    QTest::addColumn<bool>("save");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("action");
    // 6400 x 3333 and 6400 x 3200 twips at 96 DPI.
    QTest::newRow("open") << false << "Open" << QSize(427, 222) << "Open";
    QTest::newRow("save") << true << "Save" << QSize(427, 213) << "Save";
}

void TestFilePages::pageLayout() {
    QFETCH(bool, save);
    QFETCH(QString, caption);
    QFETCH(QSize, size);
    QFETCH(QString, action);
    QTemporaryDir folder;
    FlowUnderTest t(folder.path());
    FileChooser* page = nullptr;
    if (save) {
        t.flow.saveAsCommand(t.flow.currentPage());
        page = t.flow.savePage();
    } else {
        t.click(QStringLiteral("Option3"));
        page = t.flow.openPage();
    }
    QVERIFY(page);
    QVERIFY(page->isVisible());
    QCOMPARE(page->windowTitle(), caption);
    QCOMPARE(page->size(), size);
    QCOMPARE(page->findChild<QPushButton*>(QStringLiteral("Command2"))->text(), action);
    QCOMPARE(page->findChild<QPushButton*>(QStringLiteral("Command1"))->text(),
             QStringLiteral("&Cancel"));
    const std::pair<const char*, const char*> labels[] = {{"Text1", "Test Files:"},
                                                          {"Text2", "Drive:"},
                                                          {"Text3", "Folder:"},
                                                          {"Text4", "File Name:"}};
    for (const auto& [name, text] : labels)
        QCOMPARE(page->findChild<QLabel*>(QString::fromLatin1(name))->text(),
                 QString::fromLatin1(text));
    // Every control lies inside the page.
    for (QWidget* w : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        QVERIFY2(page->rect().contains(w->geometry()), qPrintable(w->objectName()));
    // The open page is modal over the start page, which stays beneath it.
    QCOMPARE(page->windowModality(), Qt::ApplicationModal);
    QCOMPARE(t.currentName(), QStringLiteral("IntroFm1"));
}

void TestFilePages::fileListShowsOnlyDataFiles() {
    QTemporaryDir folder;
    for (const char* name : {"b.lkd", "A.LKD", "c.Lkd", "notes.txt", "d.lkd.bak", "lkd"})
        writeBytes(folder.filePath(QString::fromLatin1(name)), "x");
    QDir(folder.path()).mkdir(QStringLiteral("folder.lkd"));
    FlowUnderTest t(folder.path());
    t.click(QStringLiteral("Option3"));
    FileViewFm* open = t.flow.openPage();
    QVERIFY(open);
    QCOMPARE(
        listed(open->findChild<QListWidget*>(QStringLiteral("File1"))),
        (QStringList{QStringLiteral("A.LKD"), QStringLiteral("b.lkd"), QStringLiteral("c.Lkd")}));
    QCOMPARE(open->findChild<QLabel*>(QStringLiteral("Label1"))->text(),
             QStringLiteral("Untitled"));
    // The folder list holds the subfolder, the file list does not.
    QVERIFY(listed(open->findChild<QListWidget*>(QStringLiteral("Dir1")))
                .filter(QStringLiteral("folder.lkd"))
                .size() == 1);
}

void TestFilePages::saveAsNames_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("fileName");
    QTest::newRow("no extension") << "house"
                                  << "house.lkd";
    QTest::newRow("capital extension") << "HOUSE.LKD"
                                       << "HOUSE.LKD";
    QTest::newRow("mixed extension") << "Barn.Lkd"
                                     << "Barn.Lkd";
    QTest::newRow("other extension") << "house.txt"
                                     << "house.txt.lkd";
    QTest::newRow("blank inside") << "my house"
                                  << "my house.lkd";
}

void TestFilePages::saveAsNames() {
    QFETCH(QString, typed);
    QFETCH(QString, fileName);
    QTemporaryDir folder;
    FlowUnderTest t(folder.path());
    startTest(t);
    t.trigger(QStringLiteral("mnuSaveAs"));
    FileSaveFm* save = t.flow.savePage();
    QVERIFY(save);
    auto* text5 = save->findChild<QLineEdit*>(QStringLiteral("Text5"));
    QCOMPARE(text5->text(), QString()); // "Untitled" is not offered as a name
    QTest::keyClicks(text5, typed);
    QCOMPARE(t.flow.record().FileNameG, fileName);
    QCOMPARE(t.flow.record().FilePathG,
             QDir::toNativeSeparators(folder.path() + QLatin1Char('/') + fileName));
    save->findChild<QPushButton*>(QStringLiteral("Command2"))->click();
    FlowUnderTest::flushDeletes();
    QVERIFY(!t.flow.savePage());
    QCOMPARE(t.ends, 0);
    TestRecord back;
    QVERIFY(readLkdFile(folder.filePath(fileName), back));
    QCOMPARE(back.BuildingVolumeCuFtG, 12000.0);
    QCOMPARE(t.messages.requests.size(), size_t(0));
}

void TestFilePages::emptyNameAsksForOne() {
    QTemporaryDir folder;
    FlowUnderTest t(folder.path());
    startTest(t);
    t.trigger(QStringLiteral("mnuSave")); // no name yet: the save page
    FileSaveFm* save = t.flow.savePage();
    QVERIFY(save);
    save->Command2_Click();
    QCOMPARE(t.messages.titles(), QStringList{QStringLiteral("Save")});
    QCOMPARE(t.messages.requests.front().text, QStringLiteral("Please type a File Name"));
    QVERIFY(!QFile::exists(folder.filePath(QStringLiteral(".lkd"))));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    QVERIFY(t.flow.savePage());
    QVERIFY(save->isVisible());
    // Blanks alone are no name either.
    QTest::keyClicks(save->findChild<QLineEdit*>(QStringLiteral("Text5")), QStringLiteral("  "));
    save->Command2_Click();
    QCOMPARE(t.messages.requests.size(), size_t(2));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

void TestFilePages::saveWritesAtOnceOnceNamed() {
    QTemporaryDir folder;
    FlowUnderTest t(folder.path());
    startTest(t);
    t.trigger(QStringLiteral("mnuSaveAs"));
    QTest::keyClicks(t.flow.savePage()->findChild<QLineEdit*>(QStringLiteral("Text5")),
                     QStringLiteral("one"));
    t.flow.savePage()->Command2_Click();
    FlowUnderTest::flushDeletes();
    const QString path = folder.filePath(QStringLiteral("one.lkd"));
    QVERIFY(QFile::exists(path));

    t.type(QStringLiteral("Text4"), QStringLiteral("15000"));
    t.trigger(QStringLiteral("mnuSave"));
    QVERIFY(!t.flow.savePage());
    QCOMPARE(t.messages.requests.size(), size_t(0));
    TestRecord back;
    QVERIFY(readLkdFile(path, back));
    QCOMPARE(back.BuildingVolumeCuFtG, 15000.0);
    // The page stays as it was, its caption too.
    QCOMPARE(t.currentName(), QStringLiteral("BldgEnvFm3"));
    QVERIFY(t.flow.currentPage()->windowTitle().endsWith(QStringLiteral("File: Untitled")));
}

void TestFilePages::saveWithoutUsableName_data() {
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<double>("volume");
    QTest::newRow("Untitled") << "Untitled" << 100.0;
    QTest::newRow("UNTITLED.LKD") << "UNTITLED.LKD" << 100.0;
    QTest::newRow("untitled") << "untitled" << 100.0;
    QTest::newRow(".lkd") << ".lkd" << 100.0;
    QTest::newRow("empty") << "" << 100.0;
    QTest::newRow("named but no volume") << "named.lkd" << 0.0;
    QTest::newRow("named, negative volume") << "named.lkd" << -5.0;
}

void TestFilePages::saveWithoutUsableName() {
    QFETCH(QString, fileName);
    QFETCH(double, volume);
    QTemporaryDir folder;
    FlowUnderTest t(folder.path());
    t.newFile(1);
    TestRecord& r = t.flow.record();
    r.FileNameG = fileName;
    r.FilePathG = folder.filePath(QStringLiteral("named.lkd"));
    r.BuildingVolumeCuFtG = volume;
    t.trigger(QStringLiteral("mnuSave"));
    QVERIFY(t.flow.savePage());
    QVERIFY(t.flow.savePage()->isVisible());
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

void TestFilePages::openRoundTrip() {
    QTemporaryDir folder;
    writeSample(folder.filePath(QStringLiteral("house.lkd")), QStringLiteral("From the file"));
    FlowUnderTest t(folder.path());
    t.flow.record().TechnicianG = QStringLiteral("before");
    t.click(QStringLiteral("Option3"));
    FileViewFm* open = t.flow.openPage();
    QVERIFY(open);
    auto* file1 = open->findChild<QListWidget*>(QStringLiteral("File1"));
    QCOMPARE(file1->count(), 1);
    QTest::mouseClick(file1->viewport(), Qt::LeftButton, {},
                      file1->visualItemRect(file1->item(0)).center());
    QCOMPARE(t.flow.record().FileNameG, QStringLiteral("house.lkd"));
    QCOMPARE(open->findChild<QLabel*>(QStringLiteral("Label1"))->text(),
             QStringLiteral("house.lkd"));
    open->findChild<QPushButton*>(QStringLiteral("Command2"))->click();
    FlowUnderTest::flushDeletes();

    QVERIFY(!t.flow.openPage());
    QCOMPARE(t.currentName(), QStringLiteral("TestIdFm2"));
    QCOMPARE(t.text(QStringLiteral("Text6")), QStringLiteral("From the file"));
    QCOMPARE(t.flow.record().BuildingVolumeCuFtG, 12000.0);
    QCOMPARE(t.flow.record().UnitSystemG, int16_t(2));
    QVERIFY(t.flow.currentPage()->windowTitle().endsWith(QStringLiteral("File: house.lkd")));
    // The start page has gone.
    for (QWidget* w : QApplication::topLevelWidgets())
        QVERIFY(!(w->objectName() == QStringLiteral("IntroFm1") && w->isVisible()));

    // Save now writes straight back to the file that was read.
    t.type(QStringLiteral("Text6"), QStringLiteral("Changed"));
    t.trigger(QStringLiteral("mnuSave"));
    QVERIFY(!t.flow.savePage());
    TestRecord back;
    QVERIFY(readLkdFile(folder.filePath(QStringLiteral("house.lkd")), back));
    QCOMPARE(back.TestingCompanyG, QStringLiteral("Changed"));
}

void TestFilePages::openWithoutChoosingAFile() {
    QTemporaryDir folder;
    writeSample(folder.filePath(QStringLiteral("house.lkd")), QStringLiteral("x"));
    FlowUnderTest t(folder.path());
    t.click(QStringLiteral("Option3"));
    t.flow.openPage()->Command2_Click();
    QCOMPARE(t.messages.titles(), QStringList{QStringLiteral("There is no Untitled File")});
    QCOMPARE(t.messages.requests.front().text, QStringLiteral("Please select another File"));
    QCOMPARE(t.messages.requests.front().icon, QMessageBox::Information);
    QVERIFY(t.flow.openPage());
    QCOMPARE(t.currentName(), QStringLiteral("IntroFm1"));
    // Cancel returns to the start page beneath.
    t.flow.openPage()->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    FlowUnderTest::flushDeletes();
    QVERIFY(!t.flow.openPage());
    QCOMPARE(t.currentName(), QStringLiteral("IntroFm1"));
    QVERIFY(t.flow.currentPage()->isVisible());
}

void TestFilePages::readFailures_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("doubleClick");
    QTest::newRow("too short, Open") << "short" << false;
    QTest::newRow("too short, double click") << "short" << true;
    QTest::newRow("text where a number belongs") << "garbage" << false;
    QTest::newRow("empty file") << "empty" << true;
    QTest::newRow("removed after listing") << "missing" << false;
    QTest::newRow("a folder by that name") << "folder" << false;
}

void TestFilePages::readFailures() {
    QFETCH(QString, kind);
    QFETCH(bool, doubleClick);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("bad.lkd"));
    writeSample(path, QStringLiteral("x"));
    const QList<QByteArray> good = bytesOf(path).split('\n');
    FlowUnderTest t(folder.path());
    t.click(QStringLiteral("Option3"));
    FileViewFm* open = t.flow.openPage();
    QVERIFY(open);

    if (kind == QStringLiteral("short"))
        writeBytes(path, good.mid(0, 60).join('\n'));
    else if (kind == QStringLiteral("garbage")) {
        QList<QByteArray> lines = good;
        lines[19] = "twelve thousand\r";
        writeBytes(path, lines.join('\n'));
    } else if (kind == QStringLiteral("empty"))
        writeBytes(path, {});
    else if (kind == QStringLiteral("missing"))
        QVERIFY(QFile::remove(path));
    else {
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("bad.lkd")));
    }

    TestRecord& r = t.flow.record();
    r.TechnicianG = QStringLiteral("kept");
    r.BuildingVolumeCuFtG = 777.0;
    if (doubleClick)
        open->File1_DblClick(QStringLiteral("bad.lkd"));
    else {
        open->File1_Click(QStringLiteral("bad.lkd"));
        open->Command2_Click();
    }
    FlowUnderTest::flushDeletes();
    QCOMPARE(t.messages.titles(),
             QStringList{QStringLiteral("There is a problem with the File you selected")});
    QCOMPARE(t.messages.requests.front().text, QStringLiteral("Please select another File"));
    QCOMPARE(r.TechnicianG, QStringLiteral("kept"));
    QCOMPARE(r.BuildingVolumeCuFtG, 777.0);
    QVERIFY(t.flow.openPage());
    QVERIFY(t.flow.openPage()->isVisible());
    QCOMPARE(t.currentName(), QStringLiteral("IntroFm1"));
}

void TestFilePages::cancelAfterClickKeepsTheTarget_data() {
    QTest::addColumn<bool>("onSavePage");
    QTest::newRow("open page") << false;
    QTest::newRow("save page") << true;
}

void TestFilePages::cancelAfterClickKeepsTheTarget() {
    QFETCH(bool, onSavePage);
    QTemporaryDir folder;
    const QString mine = folder.filePath(QStringLiteral("mine.lkd"));
    const QString other = folder.filePath(QStringLiteral("other.lkd"));
    writeSample(other, QStringLiteral("someone else's test"));
    const QByteArray otherBytes = bytesOf(other);

    FlowUnderTest t(folder.path());
    startTest(t);
    t.trigger(QStringLiteral("mnuSaveAs"));
    QTest::keyClicks(t.flow.savePage()->findChild<QLineEdit*>(QStringLiteral("Text5")),
                     QStringLiteral("mine"));
    t.flow.savePage()->Command2_Click();
    FlowUnderTest::flushDeletes();
    QVERIFY(QFile::exists(mine));

    FileChooser* page = nullptr;
    if (onSavePage) {
        t.trigger(QStringLiteral("mnuSaveAs"));
        page = t.flow.savePage();
    } else {
        // The open page is reached from the start page.
        t.flow.oldFile();
        page = t.flow.openPage();
    }
    QVERIFY(page);
    page->File1_Click(QStringLiteral("other.lkd"));
    QCOMPARE(t.flow.record().FileNameG, QStringLiteral("other.lkd"));
    page->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    FlowUnderTest::flushDeletes();

    QCOMPARE(t.flow.record().FileNameG, QStringLiteral("mine.lkd"));
    QCOMPARE(t.flow.record().FilePathG, QDir::toNativeSeparators(mine));
    t.type(QStringLiteral("Text4"), QStringLiteral("13000"));
    t.trigger(QStringLiteral("mnuSave"));
    QCOMPARE(bytesOf(other), otherBytes);
    TestRecord back;
    QVERIFY(readLkdFile(mine, back));
    QCOMPARE(back.BuildingVolumeCuFtG, 13000.0);
}

void TestFilePages::writeFailures_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("read-only folder") << "readonly";
    QTest::newRow("path is a folder") << "folder";
    QTest::newRow("folder removed") << "removed";
}

void TestFilePages::writeFailures() {
    QFETCH(QString, kind);
    QTemporaryDir folder;
    FlowUnderTest t(folder.path());
    startTest(t);
    TestRecord& r = t.flow.record();
    QString target;
    QByteArray oldBytes;
    if (kind == QStringLiteral("readonly")) {
        if (geteuid() == 0) {
            // Permissions do not stop root; a pseudo file system does.
            target = QStringLiteral("/proc/ventrel-test.lkd");
        } else {
            const QString locked = folder.filePath(QStringLiteral("locked"));
            QVERIFY(QDir().mkdir(locked));
            target = locked + QStringLiteral("/t.lkd");
            writeSample(target, QStringLiteral("old"));
            oldBytes = bytesOf(target);
            QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
        }
    } else if (kind == QStringLiteral("folder")) {
        target = folder.filePath(QStringLiteral("dir.lkd"));
        QVERIFY(QDir().mkdir(target));
    } else {
        const QString gone = folder.filePath(QStringLiteral("gone"));
        QVERIFY(QDir().mkdir(gone));
        target = gone + QStringLiteral("/t.lkd");
        QVERIFY(QDir().rmdir(gone));
    }
    r.FileNameG = QFileInfo(target).fileName();
    r.FilePathG = target;
    const TestRecord before = r;

    t.trigger(QStringLiteral("mnuSave"));
    QCOMPARE(t.messages.titles(), QStringList{QStringLiteral("The File could not be saved")});
    QVERIFY2(t.messages.requests.front().text.contains(target),
             qPrintable(t.messages.requests.front().text));
    QCOMPARE(r.FileNameG, before.FileNameG);
    QCOMPARE(r.FilePathG, before.FilePathG);
    QCOMPARE(r.BuildingVolumeCuFtG, before.BuildingVolumeCuFtG);
    QCOMPARE(t.ends, 0);
    QCOMPARE(t.currentName(), QStringLiteral("BldgEnvFm3"));
    if (!oldBytes.isEmpty()) {
        QCOMPARE(bytesOf(target), oldBytes);
        QFile::setPermissions(QFileInfo(target).path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    if (kind == QStringLiteral("folder"))
        QVERIFY(QFileInfo(target).isDir());
}

void TestFilePages::failedWriteAfterExitYesKeepsRunning() {
    QTemporaryDir folder;
    FlowUnderTest t(folder.path());
    startTest(t);
    QVERIFY(QDir().mkdir(folder.filePath(QStringLiteral("taken.lkd"))));
    t.messages.answers = {QMessageBox::Yes};
    t.trigger(QStringLiteral("mnuExit"));
    FileSaveFm* save = t.flow.savePage();
    QVERIFY(save);
    QTest::keyClicks(save->findChild<QLineEdit*>(QStringLiteral("Text5")), QStringLiteral("taken"));
    save->Command2_Click();
    FlowUnderTest::flushDeletes();
    QCOMPARE(t.ends, 0);
    QCOMPARE(t.messages.titles(),
             (QStringList{QStringLiteral("Close"), QStringLiteral("The File could not be saved")}));
    // The save page stays for another name; that one is written and ends the program.
    QVERIFY(t.flow.savePage());
    auto* text5 = save->findChild<QLineEdit*>(QStringLiteral("Text5"));
    text5->clear();
    QTest::keyClicks(text5, QStringLiteral("free"));
    save->Command2_Click();
    QCOMPARE(t.ends, 1);
    QVERIFY(QFile::exists(folder.filePath(QStringLiteral("free.lkd"))));
}

void TestFilePages::doubleClickOnSavePageOpens() {
    QTemporaryDir folder;
    writeSample(folder.filePath(QStringLiteral("older.lkd")), QStringLiteral("Older test"));
    FlowUnderTest t(folder.path());
    startTest(t, QStringLiteral("5000"));
    t.trigger(QStringLiteral("mnuSaveAs"));
    FileSaveFm* save = t.flow.savePage();
    auto* file1 = save->findChild<QListWidget*>(QStringLiteral("File1"));
    QCOMPARE(file1->count(), 1);
    const QPoint at = file1->visualItemRect(file1->item(0)).center();
    QTest::mouseClick(file1->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(file1->viewport(), Qt::LeftButton, {}, at);
    FlowUnderTest::flushDeletes();
    QCOMPARE(t.messages.titles(), QStringList());
    QVERIFY(!t.flow.savePage());
    QCOMPARE(t.currentName(), QStringLiteral("TestIdFm2"));
    QCOMPARE(t.flow.record().TestingCompanyG, QStringLiteral("Older test"));
    QCOMPARE(t.flow.record().BuildingVolumeCuFtG, 12000.0);
    QCOMPARE(t.flow.record().FileNameG, QStringLiteral("older.lkd"));
}

void TestFilePages::pagesStartInProgramFolderEveryTime() {
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("sub")));
    writeSample(folder.filePath(QStringLiteral("sub/inner.lkd")), QStringLiteral("x"));
    FlowUnderTest t(folder.path());
    t.click(QStringLiteral("Option3"));
    FileViewFm* open = t.flow.openPage();
    const QString start = open->fileListFolder();
    QCOMPARE(start, QDir::toNativeSeparators(folder.path()));
    open->Dir1_Change(folder.filePath(QStringLiteral("sub")));
    QCOMPARE(listed(open->findChild<QListWidget*>(QStringLiteral("File1"))),
             QStringList{QStringLiteral("inner.lkd")});
    open->Command1_Click();
    FlowUnderTest::flushDeletes();
    t.click(QStringLiteral("Option3"));
    QCOMPARE(t.flow.openPage()->fileListFolder(), start);
    // Old File again while the page is open replaces it with a fresh one.
    QPointer<FileViewFm> first = t.flow.openPage();
    t.flow.oldFile();
    FlowUnderTest::flushDeletes();
    QVERIFY(!first);
    QVERIFY(t.flow.openPage());
}

void TestFilePages::saveAsCopiesIntoProgramFolder() {
    QTemporaryDir program;
    QTemporaryDir elsewhere;
    const QString original = elsewhere.filePath(QStringLiteral("away.lkd"));
    writeSample(original, QStringLiteral("Away"));
    const QByteArray originalBytes = bytesOf(original);
    FlowUnderTest t(program.path());
    QVERIFY(t.flow.openFile(original));
    FlowUnderTest::flushDeletes();
    QCOMPARE(t.currentName(), QStringLiteral("TestIdFm2"));
    t.trigger(QStringLiteral("mnuSaveAs"));
    FileSaveFm* save = t.flow.savePage();
    QCOMPARE(save->findChild<QLineEdit*>(QStringLiteral("Text5"))->text(),
             QStringLiteral("away.lkd"));
    QCOMPARE(save->fileListFolder(), QDir::toNativeSeparators(program.path()));
    save->Command2_Click();
    QVERIFY(QFile::exists(program.filePath(QStringLiteral("away.lkd"))));
    QCOMPARE(bytesOf(original), originalBytes);
}

void TestFilePages::unreadableDriveGoesBack() {
    QTemporaryDir folder;
    const QString missing = QStringLiteral("/no-such-drive-for-ventrel");
    FileChooser::setDriveSource([missing] { return QStringList{QStringLiteral("/"), missing}; });
    FlowUnderTest t(folder.path());
    t.click(QStringLiteral("Option3"));
    FileViewFm* open = t.flow.openPage();
    auto* drive1 = open->findChild<QComboBox*>(QStringLiteral("Drive1"));
    const int before = drive1->currentIndex();
    const QString folderBefore = open->fileListFolder();
    const int bad = drive1->findData(missing);
    QVERIFY(bad >= 0);
    drive1->setCurrentIndex(bad);
    open->Drive1_Change(bad);
    QCOMPARE(t.messages.titles(), QStringList{QStringLiteral("Drive not ready")});
    QVERIFY(t.messages.requests.front().text.contains(missing));
    QCOMPARE(drive1->currentIndex(), before);
    QCOMPARE(open->fileListFolder(), folderBefore);
    QVERIFY(open->isVisible());

    // A drive that can be read moves both lists there.
    const int root = drive1->findData(QStringLiteral("/"));
    open->Drive1_Change(root);
    QCOMPARE(open->fileListFolder(), QStringLiteral("/"));
}

void TestFilePages::folderListMoves() {
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("inner")));
    writeSample(folder.filePath(QStringLiteral("inner/x.lkd")), QStringLiteral("x"));
    FlowUnderTest t(folder.path());
    t.trigger(QStringLiteral("mnuAbout")); // nothing to do with it, but must not get in the way
    t.flow.aboutBox()->close();
    t.click(QStringLiteral("Option3"));
    FileViewFm* open = t.flow.openPage();
    auto* dir1 = open->findChild<QListWidget*>(QStringLiteral("Dir1"));
    QListWidgetItem* inner = nullptr;
    for (int i = 0; i < dir1->count(); ++i) {
        if (dir1->item(i)->text().trimmed() == QStringLiteral("inner"))
            inner = dir1->item(i);
    }
    QVERIFY(inner);
    emit dir1->itemActivated(inner);
    QCOMPARE(open->fileListFolder(),
             QDir::toNativeSeparators(folder.filePath(QStringLiteral("inner"))));
    QCOMPARE(listed(open->findChild<QListWidget*>(QStringLiteral("File1"))),
             QStringList{QStringLiteral("x.lkd")});
    // The chain of parents stays above, the current folder selected.
    QCOMPARE(dir1->currentItem()->text().trimmed(), QStringLiteral("inner"));
    QCOMPARE(dir1->item(0)->data(Qt::UserRole).toString(),
             QDir::toNativeSeparators(QDir::rootPath()));
    open->File1_DblClick(QStringLiteral("x.lkd"));
    FlowUnderTest::flushDeletes();
    QCOMPARE(t.flow.record().FilePathG,
             QDir::toNativeSeparators(folder.filePath(QStringLiteral("inner/x.lkd"))));
    QCOMPARE(t.currentName(), QStringLiteral("TestIdFm2"));
}

void TestFilePages::commandLineOpen_data() {
    QTest::addColumn<bool>("good");
    QTest::newRow("readable") << true;
    QTest::newRow("not a data file") << false;
}

void TestFilePages::commandLineOpen() {
    QFETCH(bool, good);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("cli.lkd"));
    if (good)
        writeSample(path, QStringLiteral("From the command line"));
    else
        writeBytes(path, "not a test\r\n");
    FlowUnderTest t(folder.path());
    QCOMPARE(t.flow.openFile(path), good);
    FlowUnderTest::flushDeletes();
    if (good) {
        QCOMPARE(t.currentName(), QStringLiteral("TestIdFm2"));
        QCOMPARE(t.flow.record().FileNameG, QStringLiteral("cli.lkd"));
        QCOMPARE(t.text(QStringLiteral("Text6")), QStringLiteral("From the command line"));
        QVERIFY(t.messages.requests.empty());
    } else {
        QCOMPARE(t.currentName(), QStringLiteral("IntroFm1"));
        QCOMPARE(t.messages.titles(),
                 QStringList{QStringLiteral("There is a problem with the File you selected")});
        QCOMPARE(t.flow.record().FileNameG, QStringLiteral("Untitled"));
        QCOMPARE(t.flow.record().FilePathG, QString());
    }
}

QTEST_MAIN(TestFilePages)
#include "test_filepages.moc"
