#pragma once

#include "core/record/testrecord.h"

#include <QList>
#include <QString>

#include <optional>

// Whether a test is good enough to report, and how uncertain its figures are: 95 % confidence
// intervals of the fit and the checks of the usual fan-pressurisation rules, computed from the
// same valid points and the same F^2-weighted fit of ln F on ln |P - baseline| as the figures.
namespace testquality {

struct Interval {
    double low = 0.0;
    double high = 0.0;
};

struct Check {
    QString name; // min_points, max_pressure, ... as the analyser prints them
    bool pass = false;
    QString reason; // in words, with the figures used
};

struct Quality {
    int validPoints = 0;
    // No interval with fewer than 3 valid points or with all of them at one pressure; ACH50's
    // also needs a volume.
    std::optional<Interval> exponent;
    std::optional<Interval> coefficient; // cfm at 1 in.wc
    std::optional<Interval> flow50;      // cfm
    std::optional<Interval> ach50;
    QList<Check> checks;
};

// Of a record whose calculation has run (its baseline, exponent and correlation are read).
Quality assess(const TestRecord& r);

// Student's t at 97.5 % for 1 to 7 degrees of freedom (nine points at most); 0 outside.
double studentT975(int degreesOfFreedom);

} // namespace testquality
