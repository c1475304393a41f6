#include "core/report/graphmodel.h"

#include "core/calc/units.h"
#include "core/util/numtext.h"

#include <algorithm>
#include <cmath>

namespace graph {

namespace {

constexpr double kM3hPerCfm = 1.699;
constexpr double kPaPerInWc = 249.1;

// The flow scale factor: thresholds tested in order, the last that applies kept. Flows from
// 0.7 to 7 cfm (1.1 to 11 m3/h) would ask for 1000, whose ticks 0.4 ... 7 by 0.1 do not round
// to whole numbers (the step becomes 0): the next factor, 100, serves that band as well.
double flowFactor(double largest, double limit) {
    double factor = 1;
    for (const double k : {10000.0, 1000.0, 100.0, 10.0, 1.0, 0.1}) {
        if (largest > limit / k)
            factor = k / 10;
    }
    return factor == 1000 ? 100 : factor;
}

double whole(double v) {
    return roundHalfEven(v, 0);
}

struct Mapping {
    double lnPmin, lnPspan, lnQmin, lnQspan;
    double x(double p) const { return kX0 + (kX1 - kX0) * (std::log(p) - lnPmin) / lnPspan; }
    double y(double q) const { return kY0 + (kY1 - kY0) * (std::log(q) - lnQmin) / lnQspan; }
};

double clampX(double x) {
    return std::isfinite(x) ? std::clamp(x, 0.0, kBoxWidth) : 0.0;
}
double clampY(double y) {
    return std::isfinite(y) ? std::clamp(y, kAreaTop, kBoxHeight) : kBoxHeight;
}

// Liang-Barsky: the part of the segment inside the drawn area, if any.
std::optional<Line> clipped(Line l) {
    if (!std::isfinite(l.x1) || !std::isfinite(l.y1) || !std::isfinite(l.x2) ||
        !std::isfinite(l.y2))
        return std::nullopt;
    const double dx = l.x2 - l.x1, dy = l.y2 - l.y1;
    double t0 = 0, t1 = 1;
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {l.x1 - 0, kBoxWidth - l.x1, l.y1 - kAreaTop, kBoxHeight - l.y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return std::nullopt;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return std::nullopt;
    }
    return Line{l.x1 + t0 * dx, l.y1 + t0 * dy, l.x1 + t1 * dx, l.y1 + t1 * dy, l.colour};
}

void pressureAxis(Model& m, const Mapping& map) {
    const bool inWc = m.unitSystem == 1;
    const int first = inWc ? 2 : 4;
    const int last = inWc ? 39 : 100;
    const QList<int> labelled =
        inWc ? QList<int>{2, 3, 4, 5, 6, 8, 10, 15, 20, 25, 30, 35}
             : QList<int>{4, 5, 6, 7, 8, 9, 10, 20, 30, 40, 50, 60, 70, 80, 90};
    const int every = inWc ? 5 : 10;
    for (int k = first; k <= last; ++k) {
        const double p = inWc ? k / 100.0 : k;
        const double x = map.x(p);
        if (k <= 10 || k % every == 0) {
            const bool black = inWc && (k == 2 || k == 30);
            m.lines.append({x, kY0, x, kY1, black ? Colour::Black : Colour::Grey});
        }
        if (labelled.contains(k)) {
            double shift = inWc ? 200 : 120;
            if (!inWc && k == 4)
                shift = 100;
            else if (!inWc && k == 70)
                shift = 170;
            else if (!inWc && k == 80)
                shift = 185;
            else if (!inWc && k == 90)
                shift = 200;
            m.labels.append({numText(p), x - shift, kY0 + 30});
        }
    }
}

// "10k" ... "1M" for the ticks from 1000 up (before the factor) of the two smallest factors.
std::optional<QString> shortForm(double tick, double q, double factor) {
    if ((factor != 0.1 && factor != 0.01) || tick < 1000)
        return std::nullopt;
    if (q >= 1e6)
        return QStringLiteral("%1M").arg(q / 1e6);
    return QStringLiteral("%1k").arg(q / 1000);
}

void flowAxis(Model& m, const Mapping& map) {
    const bool m3h = m.unitSystem == 3;
    const double f = m.flowFactor;
    const double thousand = whole(1000 / f);
    const double black1 = whole((m3h ? 200 : 400) / f);
    const double black2 = whole((m3h ? 4000 : 7000) / f);
    const int ticks = static_cast<int>(std::llround((m.qmax - m.qmin) / m.qstep));
    for (int k = 0; k <= ticks; ++k) {
        const double q = m.qmin + k * m.qstep;
        if (q <= thousand || std::fmod(q, thousand) == 0) {
            const double y = map.y(q);
            const bool black = q == black1 || q == black2;
            m.lines.append({kX0 + 50, y, kX1, y, black ? Colour::Black : Colour::Grey});
        }
    }
    QList<double> labelled =
        m3h ? QList<double>{600, 700, 800, 900} : QList<double>{400, 500, 600, 700, 800, 900};
    for (double v = 1000; v <= (m3h ? 10000 : 7000); v += 1000)
        labelled.append(v);
    for (const double v : labelled) {
        const double q = whole(v / f);
        const double y = map.y(q);
        Label l{QLatin1Char(' ') + QString::number(q, 'f', 0), kX0 - 650,
                y - (q == m.qmin ? 175 : 100)};
        if (const auto s = shortForm(v, q, f)) {
            l.text = *s;
            l.left += 35;
        } else if (m3h && v == 9000 && (f == 1 || f == 10)) {
            l.text = f == 1 ? QStringLiteral("9000") : QStringLiteral("900");
            l.left += 50;
        }
        m.labels.append(l);
    }
    const double yThousand = map.y(thousand);
    m.flowCaption = {QStringLiteral("Flow"), kX0 - 650, yThousand - 900};
    m.flowUnitCaption = {m3h ? QStringLiteral("(m3/h)") : QStringLiteral("(cfm)"), kX0 - 650,
                         yThousand - 650};
}

void measuredPoints(Model& m, const TestRecord& r, const Mapping& map) {
    const bool pascals = m.unitSystem != 1;
    for (int i = 1; i <= TestRecord::kPoints; ++i) {
        if (r.PresGageG[i] == 0 || r.FanFlowG[i] == 0 || r.LowFlowFactorG[i] == 0)
            continue;
        double p = std::fabs(r.PresGageG[i] - static_cast<double>(r.StaticPresBaselineG));
        if (pascals)
            p *= kPaPerInWc;
        const double flow = static_cast<double>(r.FanFlowG[i]);
        const double q = whole(m.unitSystem == 3 ? kM3hPerCfm * flow : flow);
        // Nothing at or below zero has a place on a logarithmic axis.
        if (!(p > 0) || !(q > 0) || !std::isfinite(p) || !std::isfinite(q))
            continue;
        m.points.append({i, clampX(map.x(p)), clampY(map.y(q))});
    }
}

void fittedLine(Model& m, const TestRecord& r, const Mapping& map) {
    const double c = static_cast<double>(r.FlowCoefficientG) * (m.unitSystem == 3 ? kM3hPerCfm : 1);
    const double n = r.PressureExponentG;
    if (!(c > 0) || !std::isfinite(c) || !std::isfinite(n))
        return;
    const bool pascals = m.unitSystem != 1;
    auto fitted = [&](double p) { return whole(c * std::pow(pascals ? p / kPaPerInWc : p, n)); };
    const double step = (pascals ? 0.01 : 0.0001) / m.flowFactor;
    // The first pressure on the search's steps whose fitted flow reaches the axis; none when the
    // fit stays below it all the way to pmax. The fitted flow never falls as the pressure rises
    // when n > 0 (and never rises when n <= 0), so the step is found by halving, not by walking
    // up to a million steps.
    const int steps = static_cast<int>(std::floor((m.pmax - m.pmin) / step + 1e-9));
    const auto reaches = [&](int k) { return fitted(m.pmin + k * step) >= m.qmin; };
    std::optional<double> start;
    if (reaches(0)) {
        start = m.pmin;
    } else if (n > 0 && reaches(steps)) {
        int below = 0, above = steps; // reaches(below) is false, reaches(above) true
        while (above - below > 1) {
            const int mid = below + (above - below) / 2;
            (reaches(mid) ? above : below) = mid;
        }
        start = m.pmin + above * step;
    }
    const double end = fitted(m.pmax);
    if (!start || !(end > 0))
        return;
    m.fit =
        clipped({map.x(*start), map.y(fitted(*start)), map.x(m.pmax), map.y(end), Colour::Blue});
}

} // namespace

uint32_t rgb(Colour c) {
    switch (c) {
    case Colour::Black:
        return 0x000000;
    case Colour::Grey:
        return 0x808080;
    case Colour::White:
        return 0xFFFFFF;
    case Colour::Red:
        return 0xFF0000;
    case Colour::Blue:
        break;
    }
    return 0x0000FF;
}

Model buildGraph(const TestRecord& r, int16_t unitSystem) {
    Model m;
    m.unitSystem = unitSystem == 1 || unitSystem == 3 ? unitSystem : 2;
    const bool inWc = m.unitSystem == 1;
    m.pmin = inWc ? 0.01 : 3;
    m.pmax = inWc ? 0.4 : 100;

    double largest = -1;
    for (int i = 1; i <= TestRecord::kPoints; ++i) {
        const double f = std::fabs(static_cast<double>(r.FanFlowG[i]));
        if (std::isfinite(f))
            largest = std::max(largest, f);
    }
    m.cfmFactor = flowFactor(largest, 7000);
    m.m3hFactor = flowFactor(kM3hPerCfm * largest, 11000);
    m.flowFactor = m.unitSystem == 3 ? m.m3hFactor : m.cfmFactor;
    const bool m3h = m.unitSystem == 3;
    m.qmin = whole((m3h ? 600 : 400) / m.flowFactor);
    m.qmax = whole((m3h ? 11000 : 7000) / m.flowFactor);
    m.qstep = whole(100 / m.flowFactor);

    const Mapping map{std::log(m.pmin), std::log(m.pmax) - std::log(m.pmin), std::log(m.qmin),
                      std::log(m.qmax) - std::log(m.qmin)};
    m.title = QStringLiteral("LOG-LOG PLOT OF BLOWER DOOR DATA AND CURVE FIT");
    m.pressureCaption = {inWc ? QStringLiteral("Pressure (in wc)")
                              : QStringLiteral("Pressure (Pascals)"),
                         (kX0 + kX1) / 2 - 700, kY0 + 290};
    m.lines.append({kX0, kY0, kX0, kY1, Colour::Black});
    m.lines.append({kX0, kY0, kX1, kY0, Colour::Black});
    pressureAxis(m, map);
    flowAxis(m, map);
    measuredPoints(m, r, map);
    fittedLine(m, r, map);
    return m;
}

} // namespace graph
