#pragma once

#include "app/mainpage.h"

#include <array>

class QLineEdit;

// The test identification page: who tested which building, when, and under what conditions.
class TestIdFm2 : public MainPage {
    Q_OBJECT
  public:
    explicit TestIdFm2(PageHost& host);

    void Form_Load() override;

    void Command3D1_Click(); // Next
    void Command3D2_Click(); // Back
    void Command3D3_Click(); // Clear All
    void mnuSave_Click();
    void mnuSaveAs_Click();
    void mnuExit_Click();
    void mnuInstructions_Click();
    void mnuAbout_Click();

    static QString instructionsText();

  private:
    struct Row {
        QLineEdit* entry;
        QString TestRecord::*field;
    };
    static constexpr int kRows = 13;
    std::array<Row, kRows> rows_{};
    QLineEdit* dateName_ = nullptr;
};
