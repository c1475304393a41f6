#include "ui/record/openpage.h"

#include "ui/common/messages.h"

#include <QLabel>
#include <QPushButton>

namespace {
constexpr int kWidth = 6400;
constexpr int kHeight = 7500 * 4 / 9; // 7500 / 2.25
} // namespace

FileViewFm::FileViewFm(FilePageHost& host)
    : FileChooser(host, QStringLiteral("FileViewFm"), QStringLiteral("Open")) {
    label1_ = new QLabel;
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setFrameShape(QFrame::StyledPanel);
    label1_->setFrameShadow(QFrame::Sunken);
    buildControls(label1_, QStringLiteral("Open"), kWidth, kHeight);
    connect(actionButton(), &QPushButton::clicked, this, &FileViewFm::Command2_Click);
}

void FileViewFm::Form_Load() {
    startInProgramFolder(kWidth, kHeight);
    label1_->setText(rec().FileNameG);
    show();
}

void FileViewFm::File1_Click(const QString& fileName) {
    rec().FilePathG = joinFolderAndName(fileListFolder(), fileName);
    label1_->setText(fileName);
    rec().FileNameG = fileName;
}

void FileViewFm::File1_DblClick(const QString& fileName) {
    File1_Click(fileName);
    readAndContinue();
}

void FileViewFm::Command2_Click() {
    if (rec().FileNameG == kUntitled) {
        showInformation(this, QStringLiteral("There is no Untitled File"),
                        QStringLiteral("Please select another File"));
        return;
    }
    readAndContinue();
}
