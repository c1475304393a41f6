#pragma once

#include "ui/common/inputpage.h"

#include <array>

class QLineEdit;

// The test identification page: who tested which building, when, and under what conditions.
class TestIdFm2 : public InputPage {
    Q_OBJECT
  public:
    explicit TestIdFm2(PageHost& host);

    void Form_Load() override;

    void Command3D1_Click() override;
    void Command3D2_Click() override;
    void Command3D3_Click() override;
    void mnuInstructions_Click() override;

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
