#pragma once

#include "core/report/graphmodel.h"
#include "ui/common/mainpage.h"

#include <QStringList>

class QPushButton;
class QWidget;

// The log-log graph page: the test's points and fitted line on log axes, drawn from the record
// in the current unit system each time it is loaded.
class fmGraph : public MainPage {
    Q_OBJECT
  public:
    explicit fmGraph(PageHost& host);

    void Form_Load() override;

    void Command3D1_Click(); // Back
    void mnuInstructions_Click();
    static QString instructionsText();

  private:
    void units_Click(int16_t system);

    QWidget* drawing_ = nullptr;
    QPushButton* Command3D1_ = nullptr;
    graph::Model model_;
};

// Prints the graph of `r` in its unit system on a printer the user chooses; resets
// PrintGraphNowG. Cancel prints nothing; a printer or file that fails is said in a message.
// Returns whether a page was printed.
bool printGraph(QWidget* parent, TestRecord& r);
