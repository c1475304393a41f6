#include "ui/record/filechooser.h"

#include "ui/common/messages.h"
#include "ui/common/twips.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>
#include <QStyle>

#include <algorithm>

namespace {

const QString kBreak = QStringLiteral("\n\r");

std::function<QStringList()>& driveSource() {
    static std::function<QStringList()> source;
    return source;
}

QString nativeFolder(const QString& folder) {
    return QDir::toNativeSeparators(folder);
}

QLabel* labelBox(QWidget* parent, const QString& name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

} // namespace

bool readChosenFile(QWidget* parent, TestRecord& r) {
    const QString path = r.FilePathG;
    QString error;
    if (readLkdFile(path, r, &error))
        return true;
    showInformation(parent, QStringLiteral("There is a problem with the File you selected"),
                    QStringLiteral("Please select another File"));
    return false;
}

bool writeRecordReporting(QWidget* parent, const TestRecord& r, const QString& path,
                          Line98 line98) {
    QString error;
    if (writeLkdFile(r, path, line98, &error))
        return true;
    showInformation(parent, QStringLiteral("The File could not be saved"),
                    // The reason names the file already.
                    QStringLiteral("The test could not be written:") + kBreak + error + kBreak +
                        kBreak +
                        QStringLiteral("The test is still in memory and any earlier copy of the "
                                       "file is unchanged. Please choose another name or "
                                       "folder with Save As."));
    return false;
}

QString joinFolderAndName(const QString& folder, const QString& name) {
    QString path = nativeFolder(folder);
    if (!path.endsWith(QDir::separator()))
        path += QDir::separator();
    return path + name;
}

bool isDataFileName(const QString& name) {
    return name.endsWith(QStringLiteral(".lkd"), Qt::CaseInsensitive);
}

void FileChooser::setDriveSource(std::function<QStringList()> source) {
    driveSource() = std::move(source);
}

QStringList FileChooser::mountedDrives() {
    if (driveSource())
        return driveSource()();
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady() && !volume.rootPath().isEmpty())
            roots << nativeFolder(volume.rootPath());
    }
    roots.removeDuplicates();
    std::sort(roots.begin(), roots.end());
    return roots;
}

FileChooser::FileChooser(FilePageHost& host, const QString& formName, const QString& caption)
    : host_(host), savedName_(host.record().FileNameG), savedPath_(host.record().FilePathG) {
    setObjectName(formName);
    setWindowTitle(caption);
    setWindowModality(Qt::ApplicationModal);
}

void FileChooser::buildControls(QWidget* nameRow, const QString& actionCaption, int width,
                                int height) {
    const int left = 120;
    const int colWidth = (width - 3 * left) / 2;
    const int right = left * 2 + colWidth;
    const int listTop = 330;
    const int bottomRow = height - 500;
    const int driveRow = bottomRow - 460;
    const int listHeight = driveRow - listTop - 90;

    twips::place(labelBox(this, QStringLiteral("Text3"), QStringLiteral("Folder:")), left, 60,
                 colWidth, 260);
    dir1_ = new QListWidget(this);
    dir1_->setObjectName(QStringLiteral("Dir1"));
    twips::place(dir1_, left, listTop, colWidth, listHeight);

    twips::place(labelBox(this, QStringLiteral("Text1"), QStringLiteral("Test Files:")), right, 60,
                 colWidth, 260);
    file1_ = new QListWidget(this);
    file1_->setObjectName(QStringLiteral("File1"));
    twips::place(file1_, right, listTop, colWidth, listHeight);

    twips::place(labelBox(this, QStringLiteral("Text2"), QStringLiteral("Drive:")), left,
                 driveRow + 40, 700, 300);
    drive1_ = new QComboBox(this);
    drive1_->setObjectName(QStringLiteral("Drive1"));
    twips::place(drive1_, left + 700, driveRow, colWidth - 700, 360);

    command2_ = new QPushButton(actionCaption, this);
    command2_->setObjectName(QStringLiteral("Command2"));
    command2_->setDefault(true);
    command1_ = new QPushButton(QStringLiteral("&Cancel"), this);
    command1_->setObjectName(QStringLiteral("Command1"));
    const int buttonWidth = (colWidth - left) / 2;
    twips::place(command2_, right, driveRow - 20, buttonWidth, 400);
    twips::place(command1_, right + buttonWidth + left, driveRow - 20, buttonWidth, 400);

    twips::place(labelBox(this, QStringLiteral("Text4"), QStringLiteral("File Name:")), left,
                 bottomRow + 40, 1000, 300);
    nameRow->setParent(this);
    twips::place(nameRow, left + 1000, bottomRow, width - 2 * left - 1000, 360);

    for (const QString& root : mountedDrives())
        drive1_->addItem(style()->standardIcon(QStyle::SP_DriveHDIcon), root, root);

    connect(drive1_, &QComboBox::activated, this, &FileChooser::Drive1_Change);
    connect(dir1_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { Dir1_Change(item->data(Qt::UserRole).toString()); });
    connect(file1_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { File1_Click(item->text()); });
    connect(file1_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { File1_DblClick(item->text()); });
    connect(command1_, &QPushButton::clicked, this, &FileChooser::Command1_Click);
}

void FileChooser::startInProgramFolder(int width, int height) {
    twips::sizeAndCentre(this, width, height);
    QString start = host_.programFolder();
    if (!showFolder(start)) {
        start = QDir::homePath();
        showFolder(start);
    }
}

void FileChooser::selectDriveOf(const QString& folder) {
    const QString root = nativeFolder(QStorageInfo(folder).rootPath());
    int index = drive1_->findData(root);
    if (index < 0 && !root.isEmpty()) {
        drive1_->addItem(style()->standardIcon(QStyle::SP_DriveHDIcon), root, root);
        index = drive1_->count() - 1;
    }
    drive1_->setCurrentIndex(index);
    driveIndex_ = index;
}

bool FileChooser::showFolder(const QString& folder) {
    const QDir dir(folder);
    if (folder.isEmpty() || !dir.exists() || !dir.isReadable())
        return false;
    folder_ = nativeFolder(dir.absolutePath());
    selectDriveOf(folder_);
    fillFolderList();
    fillFileList();
    return true;
}

void FileChooser::fillFolderList() {
    dir1_->clear();
    QStringList chain;
    QDir dir(folder_);
    chain.prepend(dir.absolutePath());
    while (dir.cdUp())
        chain.prepend(dir.absolutePath());

    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    int depth = 0;
    for (const QString& path : chain) {
        const QString name = QDir(path).isRoot() ? nativeFolder(path) : QDir(path).dirName();
        auto* item = new QListWidgetItem(openIcon, QString(depth * 2, QLatin1Char(' ')) + name);
        item->setData(Qt::UserRole, nativeFolder(path));
        dir1_->addItem(item);
        ++depth;
    }
    if (dir1_->count() > 0)
        dir1_->setCurrentRow(dir1_->count() - 1);

    const QStringList subfolders =
        QDir(folder_).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& sub : subfolders) {
        auto* item = new QListWidgetItem(closedIcon, QString(depth * 2, QLatin1Char(' ')) + sub);
        item->setData(Qt::UserRole, joinFolderAndName(folder_, sub));
        dir1_->addItem(item);
    }
}

void FileChooser::fillFileList() {
    file1_->clear();
    QStringList names = QDir(folder_).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    names.erase(std::remove_if(names.begin(), names.end(),
                               [](const QString& n) { return !isDataFileName(n); }),
                names.end());
    file1_->addItems(names);
}

void FileChooser::Drive1_Change(int index) {
    if (index < 0 || index >= drive1_->count())
        return;
    const QString root = drive1_->itemData(index).toString();
    if (showFolder(root))
        return;
    showInformation(this, QStringLiteral("Drive not ready"),
                    QStringLiteral("The drive ") + root + QStringLiteral(" cannot be read.") +
                        kBreak + QStringLiteral("Please select another drive."));
    drive1_->setCurrentIndex(driveIndex_);
}

void FileChooser::Dir1_Change(const QString& folder) {
    if (showFolder(folder))
        return;
    showInformation(this, QStringLiteral("Folder not readable"),
                    QStringLiteral("The folder ") + folder + QStringLiteral(" cannot be read."));
}

void FileChooser::readAndContinue() {
    if (!readChosenFile(this, rec()))
        return;
    markFinished();
    host_.fileWasRead(this);
}

void FileChooser::Command1_Click() {
    if (finished_)
        return;
    rec().FileNameG = savedName_;
    rec().FilePathG = savedPath_;
    markFinished();
    hide();
    host_.filePageCancelled(this);
}

void FileChooser::dismiss() {
    markFinished();
    hide();
    deleteLater();
}

void FileChooser::reject() {
    if (finished_)
        QDialog::reject();
    else
        Command1_Click();
}
