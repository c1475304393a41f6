#include "ui/app/pageflow.h"

#include "ui/app/aboutbox.h"
#include "ui/common/messages.h"
#include "ui/common/pagemenus.h"
#include "ui/record/openpage.h"
#include "ui/record/savepage.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

PageFlow::PageFlow(std::function<void()> endProgram)
    : endProgram_(std::move(endProgram)), programFolder_(defaultProgramFolder()) {
    if (!endProgram_) {
        // Queued, so that an end asked for before the event loop runs still takes effect.
        endProgram_ = [] {
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        };
    }
}

PageFlow::~PageFlow() {
    delete openPage_.data();
    delete savePage_.data();
    delete about_.data();
    delete current_.data();
}

QString PageFlow::defaultProgramFolder() {
    return programFolderFor(QCoreApplication::applicationDirPath());
}

QString PageFlow::programFolderFor(const QString& own) {
    const QFileInfo info(own);
    if (!own.isEmpty() && info.isDir() && info.isWritable())
        return QDir::toNativeSeparators(own);
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        documents = QDir::homePath();
    QDir().mkpath(documents);
    return QDir::toNativeSeparators(documents);
}

void PageFlow::registerPage(PageId page, PageFactory factory) {
    factories_[page] = std::move(factory);
}

bool PageFlow::offers(PageId page) const {
    return factories_.count(page) != 0;
}

void PageFlow::showPage(PageId page) {
    const auto it = factories_.find(page);
    if (it == factories_.end() || ended_)
        return;
    if (current_)
        current_->unload();
    MainPage* next = it->second(*this);
    current_ = next;
    next->Form_Load();
    // The new page takes the keyboard, so that its first box gets the focus it asks for.
    next->activateWindow();
}

void PageFlow::saveCommand(QWidget* from, bool usaceOnLine98) {
    if (!holdsTest(record_) || isUntitledName(record_.FileNameG)) {
        openSavePage();
        return;
    }
    writeRecordReporting(from, record_, record_.FilePathG,
                         usaceOnLine98 ? Line98::UsaceIndex : Line98::Extra);
}

void PageFlow::saveAsCommand(QWidget*) {
    openSavePage();
}

void PageFlow::exitCommand(QWidget* from) {
    if (ended_)
        return;
    if (!holdsTest(record_)) {
        endProgram();
        return;
    }
    const QString& br = pagemenus::kBreak;
    const QString text = br + QStringLiteral("The current ") + record_.FileNameG +
                         QStringLiteral(" file has been modified.") + br +
                         QStringLiteral("Do you want to save the file before closing it? Then "
                                        "press YES.") +
                         br +
                         QStringLiteral("If press NO, then all modifications since the last save "
                                        "will be lost.");
    const auto answer =
        askQuestion(from, QStringLiteral("Close"), text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::No);
    if (answer == QMessageBox::Yes) {
        record_.ExitAfterSaveG = 1;
        openSavePage();
    } else if (answer == QMessageBox::No) {
        endProgram();
    }
}

void PageFlow::aboutCommand(QWidget* from) {
    if (about_)
        about_->close();
    about_ = new AboutBoxFm(record_, from);
    about_->show();
}

void PageFlow::newFile(int16_t unitSystem) {
    applyNewFileDefaults(record_, unitSystem);
    showPage(PageId::TestId);
    if (gaugeOpener_)
        gaugeOpener_();
}

void PageFlow::oldFile() {
    if (gaugeOpener_)
        gaugeOpener_();
    if (openPage_)
        openPage_->Command1_Click();
    auto* page = new FileViewFm(*this);
    openPage_ = page;
    page->Form_Load();
}

bool PageFlow::openFile(const QString& path) {
    const QString name = record_.FileNameG;
    const QString oldPath = record_.FilePathG;
    const QFileInfo info(path);
    record_.FileNameG = info.fileName();
    record_.FilePathG = QDir::toNativeSeparators(info.absoluteFilePath());
    if (!readChosenFile(current_, record_)) {
        record_.FileNameG = name;
        record_.FilePathG = oldPath;
        return false;
    }
    if (gaugeOpener_)
        gaugeOpener_();
    showPage(PageId::TestId);
    return true;
}

void PageFlow::openSavePage() {
    if (savePage_)
        savePage_->Command1_Click();
    auto* page = new FileSaveFm(*this);
    savePage_ = page;
    page->Form_Load();
}

FileViewFm* PageFlow::openPage() const {
    return qobject_cast<FileViewFm*>(openPage_.data());
}
FileSaveFm* PageFlow::savePage() const {
    return qobject_cast<FileSaveFm*>(savePage_.data());
}
AboutBoxFm* PageFlow::aboutBox() const {
    return about_.data();
}

void PageFlow::fileWasRead(QDialog* page) {
    page->hide();
    page->deleteLater();
    closeFilePages();
    showPage(PageId::TestId);
}

void PageFlow::fileWasSaved(QDialog* page) {
    page->hide();
    page->deleteLater();
    if (record_.ExitAfterSaveG == 1)
        endProgram();
}

void PageFlow::filePageCancelled(QDialog* page) {
    page->hide();
    page->deleteLater();
}

void PageFlow::closeFilePages() {
    for (FileChooser* page : {openPage_.data(), savePage_.data()}) {
        if (page)
            page->dismiss();
    }
}

void PageFlow::endProgram() {
    if (ended_)
        return;
    ended_ = true;
    closeFilePages();
    if (about_)
        about_->close();
    if (current_)
        current_->unload();
    // Windows opened beside the pages (the gauge window) close with the program.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && !qobject_cast<MainPage*>(w))
            w->close();
    }
    endProgram_();
}
