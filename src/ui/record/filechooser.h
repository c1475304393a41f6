#pragma once

#include "core/record/lkdfile.h"
#include "core/record/testrecord.h"

#include <QDialog>
#include <QStringList>

#include <functional>

class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// What the open and save pages ask of the application.
class FilePageHost {
  public:
    virtual ~FilePageHost() = default;
    virtual TestRecord& record() = 0;
    // Where both pages start, every time they open.
    virtual QString programFolder() const = 0;
    // The file at FilePathG has been read into the record: close `page` and move on.
    virtual void fileWasRead(QDialog* page) = 0;
    // The save page has written the file.
    virtual void fileWasSaved(QDialog* page) = 0;
    // The page closed without reading or writing (Cancel, or its window frame).
    virtual void filePageCancelled(QDialog* page) = 0;
};

// Reads FilePathG into the record. On failure the record is left as it was and the user is told
// "There is a problem with the File you selected".
bool readChosenFile(QWidget* parent, TestRecord& r);

// Writes the record to `path`. On failure the user is told which file and why, and the old file
// is left as it was. Returns whether the file was written.
bool writeRecordReporting(QWidget* parent, const TestRecord& r, const QString& path, Line98 line98);

// The full path of `name` in `folder`: one native separator between them.
QString joinFolderAndName(const QString& folder, const QString& name);

// True for names ending in ".lkd" in any letter case.
bool isDataFileName(const QString& name);

// The drive, folder and file lists shared by the open and save pages. The pages keep the chosen
// file only in FileNameG and FilePathG; a Cancel puts back the name and path that were current
// when the page opened, so that a file merely clicked never becomes the target of a later Save.
class FileChooser : public QDialog {
    Q_OBJECT
  public:
    FileChooser(FilePageHost& host, const QString& formName, const QString& caption);

    // The folder File1 lists.
    QString fileListFolder() const { return folder_; }

    // Replaces the list of drives (tests); an empty function restores the mounted volumes.
    static void setDriveSource(std::function<QStringList()> source);

    // The mounted volumes that can hold files, by their root paths.
    static QStringList mountedDrives();

    // Handlers, public so the page's behaviour can be driven directly.
    void Drive1_Change(int index);
    void Dir1_Change(const QString& folder);
    virtual void File1_Click(const QString& fileName) = 0;
    virtual void File1_DblClick(const QString& fileName) = 0;
    void Command1_Click();

    // Closes the page for good, putting nothing back (the file was read or written).
    void dismiss();

  protected:
    void reject() override;

    // Lays out the common controls; `nameRow` stands beside "File Name:".
    void buildControls(QWidget* nameRow, const QString& actionCaption, int width, int height);

    // Sizes and centres the page, and points every list at the program's own folder.
    void startInProgramFolder(int width, int height);

    // Reads the file at FilePathG; on success the host moves on.
    void readAndContinue();

    FilePageHost& host() { return host_; }
    TestRecord& rec() { return host_.record(); }
    QPushButton* actionButton() const { return command2_; }

  private:
    bool showFolder(const QString& folder);
    void fillFolderList();
    void fillFileList();
    void selectDriveOf(const QString& folder);

    FilePageHost& host_;
    QString savedName_;
    QString savedPath_;
    QString folder_;
    int driveIndex_ = -1;
    bool finished_ = false;

    QComboBox* drive1_ = nullptr;
    QListWidget* dir1_ = nullptr;
    QListWidget* file1_ = nullptr;
    QPushButton* command1_ = nullptr;
    QPushButton* command2_ = nullptr;

  protected:
    // Called by a page that is done (read or saved): nothing is put back.
    void markFinished() { finished_ = true; }
};
