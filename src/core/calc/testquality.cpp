#include "core/calc/testquality.h"

#include "core/calc/leakagecalc.h"
#include "core/calc/units.h"
#include "core/util/numtext.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace testquality {

namespace {

constexpr int kMinPoints = 5;
constexpr double kMaxPressureAtLeastPa = 50.0;
constexpr double kMinPressureAtLeastPa = 10.0;
constexpr double kStaticTimesAtLeast = 5.0;
constexpr double kStaticAtMostPa = 5.0;
constexpr double kGapAtMostPa = 10.0;
constexpr double kExponentLow = 0.5;
constexpr double kExponentHigh = 1.0;
constexpr double kCorrelationAtLeast = 0.99;
constexpr double kFlow50Band = 0.05;

// Limits are inclusive. Pascals come back from in.wc through 249.1, and the statics, the
// exponent and the correlation are kept as Singles (good to about 1e-7 of their size), so a
// static typed as 2.5 Pa reads 2.5000000915 Pa and 5 times it is above a point typed at
// 12.5 Pa. A difference of a millionth is far below any gauge's resolution and does not count.
constexpr double kLimitTolerance = 1e-6;
bool atLeast(double value, double limit) {
    return value >= limit - kLimitTolerance * std::max(1.0, std::fabs(limit));
}
bool atMost(double value, double limit) {
    return value <= limit + kLimitTolerance * std::max(1.0, std::fabs(limit));
}

QString pa(double pascals) {
    return numText(roundHalfEven(pascals, 2)).trimmed() + QStringLiteral(" Pa");
}

QString plain(double value, int places) {
    return numText(roundHalfEven(value, places)).trimmed();
}

struct Fit {
    double n = 0.0, lnC = 0.0, s2 = 0.0, sw = 0.0, xMean = 0.0, sxx = 0.0;
};

// The weighted fit in double, with what the intervals need. Empty when the points give no slope.
std::optional<Fit> weightedFit(const std::vector<FitPoint>& points) {
    double sw = 0.0, swx = 0.0, swy = 0.0;
    for (const FitPoint& p : points) {
        const double w = p.fanFlow * p.fanFlow;
        sw += w;
        swx += w * std::log(p.deltaP);
        swy += w * std::log(p.fanFlow);
    }
    if (!(sw > 0.0) || !std::isfinite(sw))
        return std::nullopt;
    Fit f;
    f.sw = sw;
    f.xMean = swx / sw;
    const double yMean = swy / sw;
    double sxy = 0.0;
    for (const FitPoint& p : points) {
        const double w = p.fanFlow * p.fanFlow;
        const double dx = std::log(p.deltaP) - f.xMean;
        f.sxx += w * dx * dx;
        sxy += w * dx * (std::log(p.fanFlow) - yMean);
    }
    if (!(f.sxx > 0.0) || !std::isfinite(f.sxx) || !std::isfinite(sxy))
        return std::nullopt;
    f.n = sxy / f.sxx;
    f.lnC = yMean - f.n * f.xMean;
    double swe2 = 0.0;
    for (const FitPoint& p : points) {
        const double e = std::log(p.fanFlow) - (f.lnC + f.n * std::log(p.deltaP));
        swe2 += p.fanFlow * p.fanFlow * e * e;
    }
    f.s2 = swe2 / static_cast<double>(points.size() - 2);
    if (!std::isfinite(f.s2))
        return std::nullopt;
    return f;
}

Interval around(double centre, double halfWidth) {
    return {centre - halfWidth, centre + halfWidth};
}

Interval expOf(const Interval& i) {
    return {std::exp(i.low), std::exp(i.high)};
}

bool finite(const Interval& i) {
    return std::isfinite(i.low) && std::isfinite(i.high);
}

void setIntervals(Quality& q, const std::vector<FitPoint>& points, double volume) {
    if (points.size() < 3)
        return;
    const std::optional<Fit> f = weightedFit(points);
    if (!f)
        return;
    const double t = studentT975(static_cast<int>(points.size()) - 2);
    const double x50 = std::log(50.0 / units::kPaPerInWc);
    const Interval n = around(f->n, t * std::sqrt(f->s2 / f->sxx));
    const Interval lnC =
        around(f->lnC, t * std::sqrt(f->s2 * (1.0 / f->sw + f->xMean * f->xMean / f->sxx)));
    const double d50 = x50 - f->xMean;
    const Interval lnQ50 =
        around(f->lnC + f->n * x50, t * std::sqrt(f->s2 * (1.0 / f->sw + d50 * d50 / f->sxx)));
    const Interval c = expOf(lnC);
    const Interval q50 = expOf(lnQ50);
    if (!finite(n) || !finite(c) || !finite(q50))
        return;
    q.exponent = n;
    q.coefficient = c;
    q.flow50 = q50;
    if (volume > 0.0) {
        const Interval ach{q50.low * 60.0 / volume, q50.high * 60.0 / volume};
        if (finite(ach))
            q.ach50 = ach;
    }
}

} // namespace

double studentT975(int degreesOfFreedom) {
    static constexpr double kT[] = {12.706204736174704, 4.302652729749464, 3.182446305284263,
                                    2.7764451051977934, 2.570581835636314, 2.4469118511449692,
                                    2.3646242515927844};
    if (degreesOfFreedom < 1 || degreesOfFreedom > 7)
        return 0.0;
    return kT[degreesOfFreedom - 1];
}

Quality assess(const TestRecord& r) {
    Quality q;
    const std::vector<FitPoint> points = fitPoints(r);
    q.validPoints = static_cast<int>(points.size());
    setIntervals(q, points, r.BuildingVolumeCuFtG);

    std::vector<double> diffs;
    for (const FitPoint& p : points)
        diffs.push_back(p.deltaP * units::kPaPerInWc);
    std::sort(diffs.begin(), diffs.end());
    const double preSigned = static_cast<double>(r.PreTestStaticPresG) * units::kPaPerInWc;
    const double postSigned = static_cast<double>(r.PostTestStaticPresG) * units::kPaPerInWc;
    const double pre = std::fabs(preSigned);
    const double post = std::fabs(postSigned);
    const double statics = std::max(pre, post);
    const QString none = QStringLiteral("no valid points");

    auto add = [&q](const char* name, bool pass, const QString& reason) {
        q.checks.append({QString::fromLatin1(name), pass, reason});
    };

    add("min_points", q.validPoints >= kMinPoints,
        QStringLiteral("%1 valid points; at least %2 are needed")
            .arg(q.validPoints)
            .arg(kMinPoints));

    if (diffs.empty()) {
        add("max_pressure", false, none);
        add("min_pressure", false, none);
    } else {
        const double high = diffs.back();
        add("max_pressure", atLeast(high, kMaxPressureAtLeastPa),
            QStringLiteral("the highest pressure difference is %1; at least %2 is needed")
                .arg(pa(high), pa(kMaxPressureAtLeastPa)));
        const double low = diffs.front();
        const double floor = std::max(kMinPressureAtLeastPa, kStaticTimesAtLeast * statics);
        add("min_pressure",
            atLeast(low, kMinPressureAtLeastPa) && atLeast(low, kStaticTimesAtLeast * statics),
            QStringLiteral("the lowest pressure difference is %1; at least %2 is needed (10 Pa, "
                           "and 5 times the larger static pressure, %3)")
                .arg(pa(low), pa(floor), pa(statics)));
    }

    add("static_pressure", atMost(pre, kStaticAtMostPa) && atMost(post, kStaticAtMostPa),
        QStringLiteral("pre-test static %1, post-test static %2; neither may exceed %3 either way")
            .arg(pa(preSigned), pa(postSigned), pa(kStaticAtMostPa)));

    if (diffs.empty()) {
        add("pressure_gaps", false, none);
    } else {
        double widest = 0.0;
        for (size_t i = 1; i < diffs.size(); ++i)
            widest = std::max(widest, diffs[i] - diffs[i - 1]);
        add("pressure_gaps", atMost(widest, kGapAtMostPa),
            QStringLiteral("the widest gap between neighbouring pressure differences is %1; at "
                           "most %2 is allowed")
                .arg(pa(widest), pa(kGapAtMostPa)));
    }

    const double n = r.PressureExponentG;
    add("exponent_range", atLeast(n, kExponentLow) && atMost(n, kExponentHigh),
        QStringLiteral("the exponent is %1; it should be from %2 to %3")
            .arg(plain(n, 3), plain(kExponentLow, 1), plain(kExponentHigh, 1)));

    const double correlation = r.CorrelationG;
    add("correlation", atLeast(correlation, kCorrelationAtLeast),
        QStringLiteral("the correlation is %1; at least %2 is needed")
            .arg(plain(correlation, 4), plain(kCorrelationAtLeast, 2)));

    if (!q.flow50) {
        add("flow50_interval", false,
            QStringLiteral("no confidence interval: it needs at least 3 valid points at two or "
                           "more pressures"));
    } else {
        const double centre = std::sqrt(q.flow50->low * q.flow50->high); // the fitted Q50
        const bool pass = atLeast(q.flow50->low, (1.0 - kFlow50Band) * centre) &&
                          atMost(q.flow50->high, (1.0 + kFlow50Band) * centre);
        add("flow50_interval", pass,
            QStringLiteral("the 95 % interval of the flow at 50 Pa is %1 to %2 cfm, %3 % to "
                           "+%4 % of %5 cfm; within 5 % is needed")
                .arg(plain(q.flow50->low, 1), plain(q.flow50->high, 1),
                     plain(100.0 * (q.flow50->low / centre - 1.0), 2),
                     plain(100.0 * (q.flow50->high / centre - 1.0), 2), plain(centre, 1)));
    }
    return q;
}

} // namespace testquality
