#pragma once

#include "ui/common/mainpage.h"

class QPlainTextEdit;
class QPushButton;

// The print preview: the technical or the customer report (ReportKindG 1 or 0) as one
// scrollable text, composed when the page loads. Back returns to the measurement page.
class PPreview : public MainPage {
    Q_OBJECT
  public:
    explicit PPreview(PageHost& host);

    void Form_Load() override;

    void Command3D1_Click();

  private:
    QPlainTextEdit* Text1_ = nullptr;
    QPushButton* Command3D1_ = nullptr;
};
