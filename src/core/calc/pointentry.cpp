#include "core/calc/pointentry.h"

#include "core/calc/leakagecalc.h"
#include "core/calc/plates.h"
#include "core/calc/units.h"
#include "core/util/numtext.h"

#include <cmath>

namespace pointentry {

namespace {

template <typename T> QString pressureText(T inWc, int16_t system) {
    if (units::pressuresInPascals(system))
        return numText(roundHalfEven(units::pressureShown(inWc, system), 2));
    if (system == units::InWcCfm)
        return numText(roundHalfEven(inWc, 4));
    return numText(inWc);
}

void updateFanFlow(TestRecord& r, int row) {
    r.FanFlowG[row] = toSingle(fanFlowOf(r, row, densityCorrectionFactor(r)));
}

} // namespace

QString buildingPressureText(double inWc, int16_t system) {
    return pressureText(inWc, system);
}

QString staticPressureText(float inWc, int16_t system) {
    return pressureText(inWc, system);
}

QString flowReadingText(double cfm, int16_t system) {
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

bool typeBuildingPressure(TestRecord& r, int row, QStringView text) {
    if (const auto v = buildingPressureEntered(text, r.UnitSystemG))
        r.PresGageG[row] = *v;
    return !buildingPressureOverLimit(leadingNumber(text), r.UnitSystemG);
}

void typeFlowReading(TestRecord& r, int row, QStringView text) {
    if (const auto v = flowReadingEntered(text, r.UnitSystemG))
        r.FlowGageG[row] = *v;
    updateFanFlow(r, row);
}

float& staticField(TestRecord& r, Static which) {
    switch (which) {
    case Static::PreTest:
        return r.PreTestStaticPresG;
    case Static::PreTestNeg:
        return r.PreTestNegAvgG;
    case Static::PreTestPos:
        return r.PreTestPosAvgG;
    case Static::PostTest:
        return r.PostTestStaticPresG;
    case Static::PostTestNeg:
        return r.PostTestNegAvgG;
    case Static::PostTestPos:
        break;
    }
    return r.PostTestPosAvgG;
}

void typeStaticPressure(TestRecord& r, Static which, QStringView text) {
    if (const auto v = staticPressureEntered(text, r.UnitSystemG))
        staticField(r, which) = *v;
    r.StaticPresBaselineG = staticBaseline(r);
}

void choosePlate(TestRecord& r, int row, const QString& settingText) {
    if (const auto factor = plates::factorOf(settingText))
        r.LowFlowFactorG[row] = *factor;
    r.LowFlowSetupG[row] = settingText;
    if (row == 1) {
        for (int j = 2; j <= TestRecord::kPoints; ++j) {
            r.LowFlowFactorG[j] = r.LowFlowFactorG[1];
            r.LowFlowSetupG[j] = r.LowFlowSetupG[1];
        }
    }
    for (int j = 1; j <= TestRecord::kPoints; ++j) {
        if ((j == row || row == 1) && r.LowFlowFactorG[j] != 0.0f)
            updateFanFlow(r, j);
    }
}

void storeGaugePoint(TestRecord& r, int row, double pressureInWc, double flowCfm,
                     std::optional<float> plateFactor) {
    r.PresGageG[row] = pressureInWc;
    r.FlowGageG[row] = flowCfm;
    if (plateFactor)
        r.LowFlowFactorG[row] = *plateFactor;
    updateFanFlow(r, row);
}

void storeGaugeStatics(TestRecord& r, bool postTest, float all, float neg, float pos) {
    if (postTest) {
        r.PostTestStaticPresG = all;
        r.PostTestNegAvgG = neg;
        r.PostTestPosAvgG = pos;
    } else {
        r.PreTestStaticPresG = all;
        r.PreTestNegAvgG = neg;
        r.PreTestPosAvgG = pos;
    }
    r.StaticPresBaselineG = staticBaseline(r);
}

} // namespace pointentry
