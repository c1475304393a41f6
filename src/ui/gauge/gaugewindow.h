#pragma once

#include "core/gauge/gaugeinput.h"

#include <QMainWindow>

#include <array>
#include <functional>

class GaugePort;
class PageFlow;
class QLabel;
class QPushButton;
class QRadioButton;

// The gauge window: beside the test pages, it reads the two-channel gauge over a serial port,
// shows its readings, takes the 30-second static averages and saves readings as measurement
// points, after which the measurement page shows them.
class frmPG5ser : public QMainWindow {
    Q_OBJECT
  public:
    explicit frmPG5ser(PageFlow& flow, QWidget* parent = nullptr);

    // Opens (or raises) the window; the point counter starts afresh.
    void Form_Load();

    void OptionN_Click(int n);
    void cmdStartPreTestStaticPresAvg_Click();
    void cmdSavePreTestStaticPresAvg_Click();
    void cmdStartPostTestStaticPresAvg_Click();
    void cmdSavePostTestStaticPresAvg_Click();
    void cmdSavePG5PresFlowLowflow_Click();
    void cmdSkipUpPresFlowNum_Click();
    void cmdSkipDownPresFlowNum_Click();
    void mnuHelp_Click();
    static QStringList helpTexts();

    // The clock the readings are stamped and averaged with (tests drive their own).
    void setClock(std::function<gauge::Moment()> clock) { clock_ = std::move(clock); }

    // The characters of the port, as they arrive.
    void handleChunk(const QByteArray& chunk);

    int16_t PortNumber = 0;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void saveAverage(bool postTest, bool keepComment);
    void reloadMeasurementPage();
    void showNextPoint();

    PageFlow& flow_;
    GaugePort* port_;
    gauge::GaugeInput input_;
    std::function<gauge::Moment()> clock_;
    std::array<QRadioButton*, 10> options_{};
    QLabel *label1_, *label2_, *label3_, *label5_, *label6_, *label7_, *label8_, *label9_;
};
