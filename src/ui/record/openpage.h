#pragma once

#include "ui/record/filechooser.h"

class QLabel;

// The open page: choose a data file and read it into the test record.
class FileViewFm : public FileChooser {
    Q_OBJECT
  public:
    explicit FileViewFm(FilePageHost& host);

    void Form_Load();

    void File1_Click(const QString& fileName) override;
    void File1_DblClick(const QString& fileName) override;
    void Command2_Click();

  private:
    QLabel* label1_ = nullptr;
};
