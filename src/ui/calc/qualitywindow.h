#pragma once

#include "core/calc/testquality.h"

#include <QWidget>

#include <array>
#include <cstdint>

class QLabel;

// The test quality window: each check with a tick or a cross and its reason, and the 95 %
// intervals in the page's units. A small tool window beside the measurement page, never
// modal; the page refreshes it after every calculation.
class QualityFm : public QWidget {
    Q_OBJECT
  public:
    explicit QualityFm(QWidget* page);

    void showQuality(const testquality::Quality& q, int16_t unitSystem);

  signals:
    void closedByUser();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    static constexpr int kChecks = 8;
    std::array<QLabel*, kChecks> marks_{};
    std::array<QLabel*, kChecks> reasons_{};
    std::array<QLabel*, 4> intervals_{};
};
