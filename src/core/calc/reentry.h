#pragma once

#include "core/record/testrecord.h"

#include <QString>
#include <QStringView>

#include <optional>

// The measurement page shows every stored input in a box and reads it straight back, so the
// stored inputs become the rounded values shown. These are the texts it writes and the values
// its boxes store; the page and the analyser both use them, so they cannot disagree.

// Box texts at page load.
QString buildingPressureBoxText(double inWc, int16_t system); // 4 places in.wc / 2 places Pa
QString staticPressureBoxText(float inWc, int16_t system);    // the same, for the six statics
QString flowReadingBoxText(double cfm, int16_t system);       // 1 place cfm / m3/h

// The limit of a building-pressure box: 1.0 in.wc, or 250 Pa.
bool buildingPressureOverLimit(double typedValue, int16_t system);

// What a box stores for its text; nothing in an unknown unit system. A building-pressure text
// over the limit is replaced by "?" by the page, which then stores 0.
std::optional<double> buildingPressureEntered(QStringView text, int16_t system);
std::optional<float> staticPressureEntered(QStringView text, int16_t system);
std::optional<double> flowReadingEntered(QStringView text, int16_t system);

// Re-enters every stored input as the page load does (statics, then each point's pressure and
// reading), without running the calculation in between: only the last run matters.
void reenterInputs(TestRecord& r);

// What the measurement page holds after it has loaded: inputs re-entered, the baseline set,
// the calculation run and the envelope figures recomputed. With exact = true the stored inputs
// are used as they are.
void calculateAsLoaded(TestRecord& r, bool exact = false);
