#pragma once

#include "ui/common/mainpage.h"
#include "ui/common/pagehost.h"
#include "ui/record/filechooser.h"

#include <QPointer>

#include <functional>
#include <map>

class AboutBoxFm;
class FileSaveFm;
class FileViewFm;

// Runs the program: owns the one test record, keeps one main page open at a time, and carries
// out the commands every page shares (Save, Save As, Exit, About) and the start page's choices.
class PageFlow : public PageHost, public FilePageHost {
  public:
    using PageFactory = std::function<MainPage*(PageHost&)>;

    // `endProgram` is called once every window is closed; by default it quits the event loop.
    explicit PageFlow(std::function<void()> endProgram = {});
    ~PageFlow() override;
    PageFlow(const PageFlow&) = delete;
    PageFlow& operator=(const PageFlow&) = delete;

    // One line per page in main(): pages without a factory are not offered.
    void registerPage(PageId page, PageFactory factory);

    // Opened beside the pages when a test is begun (New File, Old File).
    void setGaugeOpener(std::function<void()> opener) { gaugeOpener_ = std::move(opener); }

    TestRecord& record() override { return record_; }
    bool offers(PageId page) const override;
    void showPage(PageId page) override;
    void saveCommand(QWidget* from, bool usaceOnLine98 = false) override;
    void saveAsCommand(QWidget* from) override;
    void exitCommand(QWidget* from) override;
    void aboutCommand(QWidget* from) override;

    // The start page's choices.
    void newFile(int16_t unitSystem);
    void oldFile();

    // Reads `path` as the open page would and continues on the test identification page; on
    // failure the user is told and stays where he is. For a file named on the command line.
    bool openFile(const QString& path);

    // Where the open and save pages start: the program's folder when it is writable, else the
    // user's documents folder.
    QString programFolder() const override { return programFolder_; }
    void setProgramFolder(const QString& folder) { programFolder_ = folder; }
    static QString defaultProgramFolder();
    // The program's folder when it can be written (a copy unpacked in the user's folder),
    // otherwise the user's documents folder (an installed program), made if missing.
    static QString programFolderFor(const QString& executableFolder);

    // Closes every window and ends the program.
    void endProgram();
    bool hasEnded() const { return ended_; }

    MainPage* currentPage() const { return current_; }
    FileViewFm* openPage() const;
    FileSaveFm* savePage() const;
    AboutBoxFm* aboutBox() const;

    // FilePageHost
    void fileWasRead(QDialog* page) override;
    void fileWasSaved(QDialog* page) override;
    void filePageCancelled(QDialog* page) override;

  private:
    void openSavePage();
    void closeFilePages();

    TestRecord record_;
    std::map<PageId, PageFactory> factories_;
    std::function<void()> endProgram_;
    std::function<void()> gaugeOpener_;
    QString programFolder_;
    QPointer<MainPage> current_;
    QPointer<FileChooser> openPage_;
    QPointer<FileChooser> savePage_;
    QPointer<AboutBoxFm> about_;
    bool ended_ = false;
};
