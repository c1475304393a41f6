#pragma once

#include "core/record/testrecord.h"

#include <QString>
#include <QStringView>

#include <optional>

// How a measurement reaches the test: a value typed into the measurement page, a plate chosen
// there, or a reading saved from the gauge. The page, the gauge window and the analyser all
// store through these, so a point is stored alike whichever way it came.
namespace pointentry {

// Box texts of stored values in the current units: 4 places in.wc / 2 places Pa for the
// building and static pressures, 1 place for a flow reading. Showing a value never stores it.
QString buildingPressureText(double inWc, int16_t system);
QString staticPressureText(float inWc, int16_t system);
QString flowReadingText(double cfm, int16_t system);

// The limit of a typed building pressure: 1.0 in.wc, or 250 Pa.
bool buildingPressureOverLimit(double typedValue, int16_t system);

// What a typed text stores; nothing in an unknown unit system. A building pressure over the
// limit stores 0 (the page shows "?").
std::optional<double> buildingPressureEntered(QStringView text, int16_t system);
std::optional<float> staticPressureEntered(QStringView text, int16_t system);
std::optional<double> flowReadingEntered(QStringView text, int16_t system);

// A typed building pressure for a row. Returns false when the text is over the limit: 0 is
// stored and the box is to show "?".
bool typeBuildingPressure(TestRecord& r, int row, QStringView text);
// A typed flow reading for a row; the row's fan flow follows.
void typeFlowReading(TestRecord& r, int row, QStringView text);

// The six static pressures; the pre- and post-test statics move the baseline.
enum class Static { PreTest, PreTestNeg, PreTestPos, PostTest, PostTestNeg, PostTestPos };
float& staticField(TestRecord& r, Static which);
void typeStaticPressure(TestRecord& r, Static which, QStringView text);

// A plate setting chosen for a row. The first row's choice sets every row, as the whole test
// runs on one plate; each row with a plate gets its fan flow at once.
void choosePlate(TestRecord& r, int row, const QString& settingText);

// A reading saved from the gauge into a point: pressure in in.wc, flow in cfm, and the plate
// the gauge reports (nothing keeps the row's plate).
void storeGaugePoint(TestRecord& r, int row, double pressureInWc, double flowCfm,
                     std::optional<float> plateFactor);
// Three averages (all, negative, positive) saved from the gauge, in in.wc.
void storeGaugeStatics(TestRecord& r, bool postTest, float all, float neg, float pos);

} // namespace pointentry
