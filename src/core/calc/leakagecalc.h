#pragma once

#include "core/record/testrecord.h"

#include <vector>

// The density correction factor of the test's temperatures and direction, as a Single:
// sqrt(outside R / inside R) for a depressurisation test ("D"), the inverse otherwise.
// 0 when the temperatures give no real factor (at or below absolute zero).
float densityCorrectionFactor(const TestRecord& r);

// A point's fan flow by the plate rule: factor x reading / plate factor when the plate factor
// is positive, factor x reading otherwise (0 included).
double fanFlowOf(const TestRecord& r, int point, float densityFactor);

// Whether a point takes part in the fit: a reading above 0, a pressure other than 0 and at
// least half a gauge count (1/80 Pa) from the baseline, a plate setting, and a positive fan flow.
bool isFitPoint(const TestRecord& r, int point, float densityFactor);

// A point that takes part in the fit: its row, fan flow (cfm, in double as the fit uses it)
// and |pressure - baseline| (in.wc).
struct FitPoint {
    int row;
    double fanFlow;
    double deltaP;
};
// The points of the fit, in row order, against the record's stored baseline.
std::vector<FitPoint> fitPoints(const TestRecord& r);

// The baseline static pressure the fit subtracts: the mean of the pre- and post-test statics.
float staticBaseline(const TestRecord& r);

// The weighted power-law fit Q = C*P^n over the valid points, every point's fitted flow and
// error, and the leakage and infiltration figures; everything written back into the record.
void subLeakageCalc(TestRecord& r);

// The four figures divided by an envelope area, recomputed from the stored flows each time the
// results are shown: permeability, USACE, 4 Pa and DEAP indices.
void recomputeEnvelopeFigures(TestRecord& r);

// After an entry: the fit and every figure, the envelope figures and the flow display factor.
void recalculate(TestRecord& r);

// Every figure of a test from its stored inputs: the baseline, the fit and its figures, and
// each row's fan flow by the plate rule. What the measurement page shows once it has loaded
// and what the analyser prints; the inputs themselves are never touched.
void calculateTest(TestRecord& r);
