#include "core/calc/reentry.h"

#include "core/calc/leakagecalc.h"
#include "core/calc/units.h"
#include "core/util/numtext.h"

#include <cmath>

QString buildingPressureBoxText(double inWc, int16_t system) {
    if (units::pressuresInPascals(system))
        return numText(roundHalfEven(units::pressureShown(inWc, system), 2));
    if (system == units::InWcCfm)
        return numText(roundHalfEven(inWc, 4));
    return numText(inWc);
}

QString staticPressureBoxText(float inWc, int16_t system) {
    if (units::pressuresInPascals(system))
        return numText(roundHalfEven(units::pressureShown(inWc, system), 2));
    if (system == units::InWcCfm)
        return numText(roundHalfEven(inWc, 4));
    return numText(inWc);
}

QString flowReadingBoxText(double cfm, int16_t system) {
    return numText(roundHalfEven(units::flowShown(cfm, system), 1));
}

bool buildingPressureOverLimit(double typedValue, int16_t system) {
    if (system == units::InWcCfm)
        return std::fabs(typedValue) > 1.0;
    if (units::pressuresInPascals(system))
        return std::fabs(typedValue) > 250.0;
    return false;
}

std::optional<double> buildingPressureEntered(QStringView text, int16_t system) {
    if (!units::isKnownSystem(system))
        return std::nullopt;
    const double typed = leadingNumber(text);
    // The page shows "?" instead, which reads as 0.
    if (buildingPressureOverLimit(typed, system))
        return 0.0;
    return units::pressureEntered(typed, system);
}

std::optional<float> staticPressureEntered(QStringView text, int16_t system) {
    if (!units::isKnownSystem(system))
        return std::nullopt;
    return toSingle(units::pressureEntered(leadingNumber(text), system));
}

std::optional<double> flowReadingEntered(QStringView text, int16_t system) {
    if (!units::isKnownSystem(system))
        return std::nullopt;
    return units::flowEntered(leadingNumber(text), system);
}

void reenterInputs(TestRecord& r) {
    const int16_t system = r.UnitSystemG;
    if (!units::isKnownSystem(system))
        return;
    for (float* stat : {&r.PreTestStaticPresG, &r.PreTestNegAvgG, &r.PreTestPosAvgG,
                        &r.PostTestStaticPresG, &r.PostTestNegAvgG, &r.PostTestPosAvgG})
        *stat = *staticPressureEntered(staticPressureBoxText(*stat, system), system);
    for (int i = 1; i <= TestRecord::kPoints; ++i) {
        r.PresGageG[i] =
            *buildingPressureEntered(buildingPressureBoxText(r.PresGageG[i], system), system);
        r.FlowGageG[i] = *flowReadingEntered(flowReadingBoxText(r.FlowGageG[i], system), system);
    }
}

void calculateAsLoaded(TestRecord& r, bool exact) {
    if (!exact)
        reenterInputs(r);
    r.StaticPresBaselineG = staticBaseline(r);
    subLeakageCalc(r);
    r.FlowDisplayFactorG = units::flowsInM3h(r.UnitSystemG) ? units::kM3hPerCfm : 1.0;
    recomputeEnvelopeFigures(r);
    const float density = densityCorrectionFactor(r);
    for (int i = 1; i <= TestRecord::kPoints; ++i)
        r.FanFlowG[i] = isFitPoint(r, i, density) ? toSingle(fanFlowOf(r, i, density)) : 0.0f;
}
