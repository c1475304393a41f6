#include "ui/record/savepage.h"

#include "ui/common/messages.h"

#include <QEvent>
#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr int kWidth = 6400;
constexpr int kHeight = 3200;
} // namespace

FileSaveFm::FileSaveFm(FilePageHost& host)
    : FileChooser(host, QStringLiteral("FileSaveFm"), QStringLiteral("Save")) {
    text5_ = new QLineEdit;
    text5_->setObjectName(QStringLiteral("Text5"));
    text5_->installEventFilter(this);
    buildControls(text5_, QStringLiteral("Save"), kWidth, kHeight);
    connect(text5_, &QLineEdit::textChanged, this, &FileSaveFm::Text5_Change);
    connect(actionButton(), &QPushButton::clicked, this, &FileSaveFm::Command2_Click);
}

void FileSaveFm::Form_Load() {
    startInProgramFolder(kWidth, kHeight);
    const QString name = isUntitledName(rec().FileNameG) ? QString() : rec().FileNameG;
    // The name-box change runs even when the text does not change.
    const QSignalBlocker blocker(text5_);
    text5_->setText(name);
    Text5_Change(name);
    show();
    text5_->setFocus();
}

void FileSaveFm::Text5_Change(const QString& text) {
    if (isDataFileName(text))
        rec().FileNameG = text;
    else
        rec().FileNameG = text + QStringLiteral(".lkd");
    rec().FilePathG = joinFolderAndName(fileListFolder(), rec().FileNameG);
}

void FileSaveFm::Text5_DblClick() {
    text5_->setText(rec().FilePathG + QLatin1Char(' ') + fileListFolder() + QLatin1Char(' ') +
                    rec().FileNameG);
}

void FileSaveFm::File1_Click(const QString& fileName) {
    rec().FilePathG = joinFolderAndName(fileListFolder(), fileName);
    text5_->setText(fileName);
    rec().FileNameG = text5_->text();
}

void FileSaveFm::File1_DblClick(const QString& fileName) {
    File1_Click(fileName);
    readAndContinue();
}

void FileSaveFm::Command2_Click() {
    // An empty box would make a file called ".lkd" that no list shows as a test.
    if (text5_->text().trimmed().isEmpty()) {
        showInformation(this, QStringLiteral("Save"), QStringLiteral("Please type a File Name"));
        text5_->setFocus();
        return;
    }
    if (!writeRecordReporting(this, rec(), rec().FilePathG, Line98::Extra))
        return;
    markFinished();
    host().fileWasSaved(this);
}

bool FileSaveFm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == text5_ && event->type() == QEvent::MouseButtonDblClick) {
        Text5_DblClick();
        return true;
    }
    return FileChooser::eventFilter(watched, event);
}
