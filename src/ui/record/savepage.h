#pragma once

#include "ui/record/filechooser.h"

class QLineEdit;

// The save page: choose a name and folder and write the test there.
class FileSaveFm : public FileChooser {
    Q_OBJECT
  public:
    explicit FileSaveFm(FilePageHost& host);

    void Form_Load();

    void Text5_Change(const QString& text);
    void Text5_DblClick();
    void File1_Click(const QString& fileName) override;
    void File1_DblClick(const QString& fileName) override;
    void Command2_Click();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLineEdit* text5_ = nullptr;
};
