#pragma once

#include <QDialog>

class QPushButton;
struct TestRecord;

// The About box: program name and version, the maker's notice, and OK. Any key closes it.
class AboutBoxFm : public QDialog {
    Q_OBJECT
  public:
    AboutBoxFm(const TestRecord& r, QWidget* parent = nullptr);

    void OkayButton_Click();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QPushButton* okayButton_ = nullptr;
};
