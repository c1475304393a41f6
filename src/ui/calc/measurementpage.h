#pragma once

#include "core/calc/pointentry.h"
#include "core/calc/resultdisplay.h"
#include "core/record/testrecord.h"
#include "ui/common/mainpage.h"

#include <QPointer>

#include <array>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QualityFm;

// The measurement page: up to nine points and the static pressures in, every result out. Each
// change of an input box stores it, runs the calculation and rewrites every result box.
class BDMeasFm4 : public MainPage {
    Q_OBJECT
  public:
    explicit BDMeasFm4(PageHost& host);

    void Form_Load() override;

    // Writes every result box from the record (after each calculation).
    void subFlowFitFlowError();

    // Input handlers, public so that the gauge page and tests drive the same paths.
    void txtPresGage_Change(int row);
    void txtFlowGage_Change(int row);
    void comLowFlow_Click(int row);
    void txtPreTstSPres_Change();
    void txtPostTstSPres_Change();

    void mnuInstructions_Click();

    // The Print menu's reports: preview (closes this page) or print.
    void report_Click(bool technical, bool preview);

    // The five instruction texts, line breaks as LF CR.
    static QStringList instructionTexts();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    template <typename T> using Rows = std::array<T*, TestRecord::kPoints + 1>;

    class Controls;
    void buildControls();
    void buildHeadings(Controls& c);
    void buildStaticRows(Controls& c);
    void buildPointRows(Controls& c);
    void buildResultRows(Controls& c);
    void buildButtons(QFrame* frame);
    void connectHandlers();
    void buildMenus();
    void setUnitCaptions();
    struct ResultBox;
    static const std::array<ResultBox, 16> kResultBoxes;
    void showResults(const resultdisplay::ResultTexts& t, bool withCaptions);
    void showLoadedResults();
    void staticChanged(QLineEdit* box, pointentry::Static which);
    void recalculateAndShow();
    void mnuTestQuality_Click();
    void mnuPrintGraph_Click();
    void showQuality();
    void showFanFlow(int row, bool fullPrecision);
    void Command3D1_Click();
    void units_Click(int16_t system);

    Rows<QLabel> txtMeasNum_{};
    Rows<QLineEdit> txtPresGage_{};
    Rows<QLineEdit> txtFlowGage_{};
    Rows<QComboBox> comLowFlow_{};
    Rows<QLineEdit> txtFanFlow_{};
    Rows<QLineEdit> txtFlowFit_{};
    Rows<QLineEdit> txtFlowError_{};

    QLineEdit* txtPreTstSPres_ = nullptr;
    QLineEdit* txtPreTstNegSPres_ = nullptr;
    QLineEdit* txtPreTstPosSPres_ = nullptr;
    QLineEdit* txtPostTstSPres_ = nullptr;
    QLineEdit* txtPostTstNegSPres_ = nullptr;
    QLineEdit* txtPostTstPosSPres_ = nullptr;
    std::array<QLabel*, 6> staticUnits_{};

    QLabel* txtPresGBot_ = nullptr;
    QLabel* txtFlowGBot_ = nullptr;
    QLabel* txtFanFBot_ = nullptr;
    QLabel* txtFanCBot_ = nullptr;

    QLineEdit* txtCorrelVal_ = nullptr;
    QLineEdit* txtPresExpVal_ = nullptr;
    QLineEdit* txtFlowCoefVal_ = nullptr;
    QLineEdit* txtElaCgsbVal_ = nullptr;
    QLineEdit* txtElaLblVal_ = nullptr;
    QLineEdit* txtLR10PaVal_ = nullptr;
    QLineEdit* txtACH50Val_ = nullptr;
    QLineEdit* txtFlow50Val_ = nullptr;
    QLineEdit* txtBldgIndxVal_ = nullptr;
    QLineEdit* txtInfACHVal_ = nullptr;
    QLineEdit* txtInfFloVal_ = nullptr;
    QLineEdit* txtInfFloPrsVal_ = nullptr;
    QLineEdit* txtInfFloRmVal_ = nullptr;
    QLineEdit* txtInfIndexVal_ = nullptr;
    QLineEdit* txtUSACEindxVal_ = nullptr;
    QLineEdit* txtQ4PaSurfVal_ = nullptr;

    QLabel* txtFloCoefUnits_ = nullptr;
    QLabel* txtElaCgsbUn_ = nullptr;
    QLabel* txtElaLblUnits_ = nullptr;
    QLabel* txtLR10PaUnits_ = nullptr;
    QLabel* txtFlo50Units_ = nullptr;
    QLabel* txtBldgIndxUnits_ = nullptr;
    QLabel* txtInfFloUnitsOr_ = nullptr;
    QLabel* txtInfFloPersUor_ = nullptr;
    QLabel* txtInfFloBRUor_ = nullptr;
    QLabel* txtInfIndexUn_ = nullptr;
    QLabel* txtUSACEindxUnits_ = nullptr;
    QLabel* txtQ4PaSurfUnits_ = nullptr;

    QPushButton* Command3D1_ = nullptr; // Graph
    QPushButton* Command3D2_ = nullptr; // Back

    int labelCount_ = 0;
    bool loading_ = false; // the load is showing stored values
    QPointer<QualityFm> quality_;
    static bool qualityWasOpen_;
};
