#include "core/calc/leakagecalc.h"

#include "core/calc/plates.h"
#include "core/calc/units.h"
#include "core/util/numtext.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

// Constants of the leakage areas, as Singles.
constexpr float kAreaFactor = 4.1995759f;
constexpr float kBarometricStd = 29.921f; // inches of mercury
constexpr float kRankineStd = 527.7f;
constexpr float kCgsbOrifice = 0.0588658117f; // LBL constant / 0.61
constexpr float kLblOrifice = 0.0359081477f;  // cfm at in.wc to in2, discharge coefficient 1
constexpr float kRankineOffset = 459.67f;
constexpr float kSinglePointExponent = 0.65f;
// The gauge reads in fortieths of a pascal.
constexpr double kHalfGaugeCountInWc = 1.0 / 80.0 / units::kPaPerInWc;

struct PointData {
    bool valid = false;
    double fanFlow = 0.0;
    double deltaP = 0.0;
};

// A point takes part in the fit when it has a reading, a pressure and a plate setting. Two
// guards keep the logarithms defined: a point exactly at the baseline, and a fan flow that is
// not positive (temperatures without a density factor), are left out like an empty row.
PointData pointData(const TestRecord& r, int i, float density, double baseline) {
    PointData p;
    const double x = r.FlowGageG[i];
    const double pressure = r.PresGageG[i];
    const float plate = r.LowFlowFactorG[i];
    if (!(x > 0.0) || pressure == 0.0 || plate == 0.0f)
        return p;
    p.fanFlow = static_cast<double>(density) * x / plates::divisor(plate);
    p.deltaP = std::fabs(pressure - baseline);
    // A difference below half a gauge count is no difference: the baseline is stored as a
    // Single and the pressure as a Double, so a point typed at the baseline differs by a
    // rounding error, and dividing by that would give absurd figures.
    p.valid = std::isfinite(p.fanFlow) && p.fanFlow > 0.0 && std::isfinite(p.deltaP) &&
              p.deltaP >= kHalfGaugeCountInWc;
    return p;
}

double leakageAreaCommonFactor(float c) {
    return static_cast<double>(c) * static_cast<double>(kAreaFactor) *
           std::sqrt(static_cast<double>(kBarometricStd) / static_cast<double>(kRankineStd));
}

void setLeakageAreas(TestRecord& r, bool inRange) {
    if (!inRange) {
        r.ElaCgsbG = 0.0f;
        r.ElaLblG = 0.0f;
        return;
    }
    const double a = leakageAreaCommonFactor(r.FlowCoefficientG);
    const double exponent = static_cast<double>(r.PressureExponentG) - 0.5;
    const double pa = static_cast<double>(units::kPaPerInWcSingle);
    r.ElaCgsbG = toSingle(a * static_cast<double>(kCgsbOrifice) * std::pow(10.0 / pa, exponent));
    r.ElaLblG = toSingle(a * static_cast<double>(kLblOrifice) * std::pow(4.0 / pa, exponent));
}

void setAch50(TestRecord& r) {
    const double volume = r.BuildingVolumeCuFtG;
    r.Ach50G = volume > 0.0 ? toSingle(static_cast<double>(r.Flow50G) * 60.0 / volume) : 0.0f;
}

// Annual infiltration estimates. A factor that is not positive, or no occupants or bedrooms,
// gives 0 for the figures it would divide.
void setInfiltration(TestRecord& r) {
    const float factor = r.DivideBy20FactorG;
    if (!(factor > 0.0f)) {
        r.InfiltrationAchG = 0.0f;
        r.InfiltrationFlowG = 0.0f;
        r.InfiltrationDeapIndexG = 0.0f;
        r.InfiltrationPerOccupantG = 0.0f;
        r.InfiltrationPerBedroomG = 0.0f;
        return;
    }
    r.InfiltrationAchG = toSingle(static_cast<double>(r.Ach50G) / static_cast<double>(factor));
    r.InfiltrationFlowG = toSingle(static_cast<double>(r.Flow50G) / static_cast<double>(factor));
    const double flow = r.InfiltrationFlowG;
    const double surface = r.BuildingSurfaceAreaSqFtG;
    r.InfiltrationDeapIndexG = surface > 0.0 ? toSingle(flow / surface) : 0.0f;
    const double occupants = leadingNumber(r.NumberOfOccupantsG);
    const double bedrooms = leadingNumber(r.NumberofBedroomsG);
    r.InfiltrationPerOccupantG = occupants > 0.0 ? toSingle(flow / occupants) : 0.0f;
    r.InfiltrationPerBedroomG = bedrooms > 0.0 ? toSingle(flow / bedrooms) : 0.0f;
}

void setRatioAndPermeability(TestRecord& r) {
    const double floor = r.BuildingFloorAreaSqFtG;
    const double surface = r.BuildingSurfaceAreaSqFtG;
    r.LeakageRatioG =
        floor > 0.0 ? toSingle(static_cast<double>(r.ElaCgsbG) * 100.0 / floor) : 0.0f;
    r.PermeabilityIndexG =
        surface > 0.0 ? toSingle(static_cast<double>(r.Flow50G) / surface) : 0.0f;
}

// No fit: the fit and every figure 0. Per-point fields are left to the caller.
void clearResults(TestRecord& r) {
    r.CorrelationG = 0.0f;
    r.FlowCoefficientG = 0.0f;
    r.PressureExponentG = 0.0f;
    for (float* f : {&r.ElaCgsbG, &r.ElaLblG, &r.LeakageRatioG, &r.Ach50G, &r.Flow50G, &r.Flow75G,
                     &r.Flow4G, &r.PermeabilityIndexG, &r.UsaceIndexG, &r.Q4PaSurfG,
                     &r.InfiltrationAchG, &r.InfiltrationFlowG, &r.InfiltrationPerOccupantG,
                     &r.InfiltrationPerBedroomG, &r.InfiltrationDeapIndexG})
        *f = 0.0f;
}

double referencePressure(double pascals) {
    return pascals / units::kPaPerInWc;
}

// Each valid point's fitted flow C * dP^n and its error against the measured fan flow, in %.
void setFittedFlows(TestRecord& r, const std::array<PointData, TestRecord::kPoints + 1>& points,
                    double c, double n) {
    for (int i = 1; i <= TestRecord::kPoints; ++i) {
        const PointData& p = points[i];
        if (!p.valid)
            continue;
        r.FlowFitG[i] = toSingle(c * std::pow(p.deltaP, n));
        r.FlowErrorG[i] =
            toSingle(100.0 * (p.fanFlow - static_cast<double>(r.FlowFitG[i])) / p.fanFlow);
    }
}

int lastValid(const std::array<PointData, TestRecord::kPoints + 1>& points) {
    int last = 0;
    for (int i = 1; i <= TestRecord::kPoints; ++i)
        if (points[i].valid)
            last = i;
    return last;
}

// One pressure difference only: the exponent is taken as 0.65 and the coefficient goes through
// that difference and the mean fan flow of the points there (one point, or a reading repeated).
void singlePointFit(TestRecord& r, const std::array<PointData, TestRecord::kPoints + 1>& points,
                    int count) {
    double sumFlow = 0.0;
    double deltaP = 0.0;
    for (const PointData& p : points) {
        if (p.valid) {
            sumFlow += p.fanFlow;
            deltaP = p.deltaP;
        }
    }
    const double meanFlow = sumFlow / count;
    const double n = kSinglePointExponent;
    r.CorrelationG = 0.0f;
    r.PressureExponentG = kSinglePointExponent;
    r.FlowCoefficientG = toSingle(meanFlow * std::pow(1.0 / deltaP, n));
    const double c = r.FlowCoefficientG;
    setFittedFlows(r, points, c, n);
    if (count == 1)
        r.FlowErrorG[lastValid(points)] = 0.0f; // a single point lies on its own curve

    r.Flow50G = toSingle(meanFlow * std::pow(referencePressure(50.0) / deltaP, n));
    r.Flow75G = toSingle(meanFlow * std::pow(referencePressure(75.0) / deltaP, n));
    r.Flow4G = toSingle(c * std::pow(referencePressure(4.0), n));
    setAch50(r);
    setInfiltration(r);
    setLeakageAreas(r, true);
    setRatioAndPermeability(r);
}

void multiPointFit(TestRecord& r, const std::array<PointData, TestRecord::kPoints + 1>& points) {
    double sw = 0, swx = 0, swxx = 0, swy = 0, swyy = 0, swxy = 0;
    for (int i = 1; i <= TestRecord::kPoints; ++i) {
        const PointData& p = points[i];
        if (!p.valid)
            continue;
        const double w = p.fanFlow * p.fanFlow;
        const double x = std::log(p.deltaP);
        const double y = std::log(p.fanFlow);
        sw += w;
        swx += w * x;
        swxx += w * x * x;
        swy += w * y;
        swyy += w * y * y;
        swxy += w * x * y;
    }
    const double sxx = sw * swxx - swx * swx;
    const double syy = sw * swyy - swy * swy;
    const double sxy = sw * swxy - swy * swx;

    // Differences whose spread is lost in rounding give no slope: no fit, no figures.
    if (!(sxx > 0.0) || !std::isfinite(sxx) || !std::isfinite(sxy)) {
        clearResults(r);
        for (int i = 1; i <= TestRecord::kPoints; ++i) {
            r.FlowFitG[i] = 0.0f;
            r.FlowErrorG[i] = 0.0f;
        }
        return;
    }

    // Equal fan flows make Syy zero: the correlation is 0 rather than a figure of an earlier run.
    const double product = sxx * syy;
    r.CorrelationG = product > 0.0 ? toSingle(std::min(1.0, std::sqrt(sxy * sxy / product))) : 0.0f;
    r.PressureExponentG = toSingle(sxy / sxx);
    const double n = r.PressureExponentG;
    const bool inRange = n >= -4.0 && n <= 4.0;
    r.FlowCoefficientG = inRange ? toSingle(std::exp(swy / sw - n * swx / sw)) : 0.0f;
    const double c = r.FlowCoefficientG;

    setLeakageAreas(r, inRange);
    r.Flow50G = toSingle(c * std::pow(referencePressure(50.0), n));
    r.Flow75G = toSingle(c * std::pow(referencePressure(75.0), n));
    r.Flow4G = toSingle(c * std::pow(referencePressure(4.0), n));
    setAch50(r);

    setFittedFlows(r, points, c, n);
    setInfiltration(r);
    setRatioAndPermeability(r);
}

} // namespace

float densityCorrectionFactor(const TestRecord& r) {
    const float inside = r.TemperatureInsideFG + kRankineOffset;
    const float outside = r.TemperatureOutsideFG + kRankineOffset;
    if (!(inside > 0.0f) || !(outside > 0.0f))
        return 0.0f;
    const float ratio =
        r.PressurizeOrDepressG == QLatin1String("D") ? outside / inside : inside / outside;
    if (!std::isfinite(ratio) || !(ratio > 0.0f))
        return 0.0f;
    return toSingle(std::sqrt(static_cast<double>(ratio)));
}

double fanFlowOf(const TestRecord& r, int point, float densityFactor) {
    return static_cast<double>(densityFactor) * r.FlowGageG[point] /
           plates::divisor(r.LowFlowFactorG[point]);
}

float staticBaseline(const TestRecord& r) {
    // Summed in double: two statics near the Single limit would overflow a Single sum, and
    // their mean always fits.
    return static_cast<float>(
        (static_cast<double>(r.PostTestStaticPresG) + static_cast<double>(r.PreTestStaticPresG)) /
        2.0);
}

bool isFitPoint(const TestRecord& r, int point, float densityFactor) {
    return pointData(r, point, densityFactor, r.StaticPresBaselineG).valid;
}

std::vector<FitPoint> fitPoints(const TestRecord& r) {
    const float density = densityCorrectionFactor(r);
    std::vector<FitPoint> out;
    for (int i = 1; i <= TestRecord::kPoints; ++i) {
        const PointData p = pointData(r, i, density, r.StaticPresBaselineG);
        if (p.valid)
            out.push_back({i, p.fanFlow, p.deltaP});
    }
    return out;
}

void subLeakageCalc(TestRecord& r) {
    const float density = densityCorrectionFactor(r);
    const double baseline = r.StaticPresBaselineG;
    std::array<PointData, TestRecord::kPoints + 1> points{};
    int count = 0;
    int last = 0;
    for (int i = 1; i <= TestRecord::kPoints; ++i) {
        points[i] = pointData(r, i, density, baseline);
        if (!points[i].valid) {
            r.FlowFitG[i] = 0.0f;
            r.FanFlowG[i] = 0.0f;
            r.FlowErrorG[i] = 0.0f;
            continue;
        }
        ++count;
        last = i;
    }
    r.PointCountG = static_cast<int16_t>(count);

    bool oneDifference = true;
    for (const PointData& p : points) {
        if (p.valid && p.deltaP != points[last].deltaP)
            oneDifference = false;
    }
    if (count == 0)
        clearResults(r);
    else if (oneDifference)
        singlePointFit(r, points, count);
    else
        multiPointFit(r, points);
}

void recalculate(TestRecord& r) {
    subLeakageCalc(r);
    r.FlowDisplayFactorG = units::flowsInM3h(r.UnitSystemG) ? units::kM3hPerCfm : 1.0;
    recomputeEnvelopeFigures(r);
}

void calculateTest(TestRecord& r) {
    r.StaticPresBaselineG = staticBaseline(r);
    recalculate(r);
    const float density = densityCorrectionFactor(r);
    for (int i = 1; i <= TestRecord::kPoints; ++i)
        r.FanFlowG[i] = toSingle(fanFlowOf(r, i, density));
}

void recomputeEnvelopeFigures(TestRecord& r) {
    const double surface = r.BuildingSurfaceAreaSqFtG;
    const double floor = r.BuildingFloorAreaSqFtG;
    if (!(surface > 0.0)) {
        r.PermeabilityIndexG = 0.0f;
        r.UsaceIndexG = 0.0f;
        r.Q4PaSurfG = 0.0f;
        r.InfiltrationDeapIndexG = 0.0f;
        return;
    }
    r.PermeabilityIndexG = toSingle(static_cast<double>(r.Flow50G) / surface);
    r.UsaceIndexG = toSingle(static_cast<double>(r.Flow75G) / surface);
    // The 4 Pa index is per ft2 of envelope above the floor: with no floor area, or none left
    // once the floor is taken away, there is nothing to divide by and it is 0.
    const double aboveFloor = surface - floor;
    r.Q4PaSurfG = (floor != 0.0 && aboveFloor != 0.0)
                      ? toSingle(static_cast<double>(r.Flow4G) / aboveFloor)
                      : 0.0f;
    r.InfiltrationDeapIndexG = toSingle(static_cast<double>(r.InfiltrationFlowG) / surface);
}
