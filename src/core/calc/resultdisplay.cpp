#include "core/calc/resultdisplay.h"

#include "core/calc/leakagecalc.h"
#include "core/calc/units.h"
#include "core/util/numtext.h"

#include <algorithm>

namespace resultdisplay {

namespace {

// A Single is rounded on its own digits; a figure converted for display is a Double.
QString rounded(float v, int places) {
    return numText(roundHalfEven(v, places));
}
QString rounded(double v, int places) {
    return numText(roundHalfEven(v, places));
}
QString truncated(float v, int places) {
    return numText(truncDown(v, places));
}
QString truncated(double v, int places) {
    return numText(truncDown(v, places));
}
// Plain figures are Singles, converted ones included: seven digits at most.
QString plain(float v) {
    return numText(v);
}
QString plain(double v) {
    return numText(toSingle(v));
}

double wide(float v) {
    return static_cast<double>(v);
}

bool inM3h(int16_t system) {
    return system == units::PaM3h;
}

// The DEAP index in m3/h per m2, in the order the page has always converted it.
double deapShownM3h(float cfmPerSqFt) {
    return wide(cfmPerSqFt) / units::kM2PerFt2 * units::kM3hPerCfm;
}

} // namespace

ResultTexts flowFitFlowErrorTexts(const TestRecord& r) {
    const int16_t sys = r.UnitSystemG;
    const bool m3h = inM3h(sys);

    ResultTexts t;
    for (int i = 1; i <= TestRecord::kPoints; ++i) {
        t.flowFit[i] =
            m3h ? rounded(wide(r.FlowFitG[i]) * units::kM3hPerCfm, 1) : rounded(r.FlowFitG[i], 1);
        t.flowError[i] = truncated(r.FlowErrorG[i], 3);
    }
    t.correlation = rounded(r.CorrelationG, 4);
    t.flowCoefficient =
        units::pressuresInPascals(sys)
            ? rounded(units::flowCoefficientShown(r.FlowCoefficientG, r.PressureExponentG, sys), 1)
            : rounded(r.FlowCoefficientG, 1);
    t.exponent = rounded(r.PressureExponentG, 3);
    t.exponentColour = exponentColour(r.PressureExponentG);

    if (m3h) {
        t.elaCgsb = rounded(units::leakageAreaShown(wide(r.ElaCgsbG), sys), 2);
        t.elaLbl = rounded(units::leakageAreaShown(wide(r.ElaLblG), sys), 2);
        t.leakageRatio = rounded(units::leakageRatioShown(wide(r.LeakageRatioG), sys), 2);
    } else {
        t.elaCgsb = rounded(r.ElaCgsbG, 2);
        t.elaLbl = rounded(r.ElaLblG, 2);
        t.leakageRatio = rounded(r.LeakageRatioG, 2);
    }
    t.ach50 = rounded(r.Ach50G, 2);
    t.flow50 = m3h ? rounded(wide(r.Flow50G) * units::kM3hPerCfm, 1) : rounded(r.Flow50G, 1);

    if (m3h) {
        t.usace = rounded(units::indexShown(wide(r.UsaceIndexG), sys), 2);
        t.q4PaSurf = rounded(units::indexShown(wide(r.Q4PaSurfG), sys), 2);
        t.permeability = rounded(units::indexShown(wide(r.PermeabilityIndexG), sys), 2);
    } else {
        t.usace = rounded(r.UsaceIndexG, 2);
        t.q4PaSurf = rounded(r.Q4PaSurfG, 2);
        t.permeability = rounded(r.PermeabilityIndexG, 4);
    }

    t.infiltrationAch = rounded(r.InfiltrationAchG, 4);
    if (m3h) {
        t.infiltrationFlow = rounded(wide(r.InfiltrationFlowG) * units::kM3hPerCfm, 2);
        t.perOccupant = rounded(wide(r.InfiltrationPerOccupantG) * units::kM3hPerCfm, 3);
        t.perBedroom = rounded(wide(r.InfiltrationPerBedroomG) * units::kM3hPerCfm, 3);
        t.deapIndex = rounded(deapShownM3h(r.InfiltrationDeapIndexG), 4);
    } else {
        t.infiltrationFlow = plain(r.InfiltrationFlowG);
        t.perOccupant = plain(r.InfiltrationPerOccupantG);
        t.perBedroom = plain(r.InfiltrationPerBedroomG);
        t.deapIndex = rounded(r.InfiltrationDeapIndexG, 4);
    }
    return t;
}

ResultTexts loadedResultTexts(const TestRecord& r) {
    ResultTexts t = flowFitFlowErrorTexts(r);
    const int16_t sys = r.UnitSystemG;
    const bool m3h = inM3h(sys);

    // The load writes each point's error after that point's reading; only the last point's
    // text is not rewritten by a later calculation.
    t.flowError[TestRecord::kPoints] = rounded(r.FlowErrorG[TestRecord::kPoints], 2);

    t.correlation = firstChars(numText(r.CorrelationG), 8);
    t.flowCoefficient = units::pressuresInPascals(sys)
                            ? firstChars(numText(units::flowCoefficientShown(
                                             r.FlowCoefficientG, r.PressureExponentG, sys)),
                                         8)
                            : firstChars(numText(r.FlowCoefficientG), 7);
    t.exponent = firstChars(numText(r.PressureExponentG), 6);

    if (m3h) {
        t.elaCgsb = firstChars(numText(units::leakageAreaShown(wide(r.ElaCgsbG), sys)), 6);
        t.elaLbl = firstChars(numText(units::leakageAreaShown(wide(r.ElaLblG), sys)), 6);
        t.leakageRatio =
            firstChars(numText(units::leakageRatioShown(wide(r.LeakageRatioG), sys)), 6);
    } else {
        t.elaCgsb = firstChars(numText(r.ElaCgsbG), 6);
        t.elaLbl = firstChars(numText(r.ElaLblG), 6);
        t.leakageRatio = firstChars(numText(r.LeakageRatioG), 6);
    }
    t.ach50 = plain(r.Ach50G);
    t.flow50 = m3h ? plain(wide(r.Flow50G) * units::kM3hPerCfm) : plain(r.Flow50G);

    // USACE and 4 Pa as after a calculation; the permeability index is cut, not rounded.
    t.permeability = m3h ? truncated(units::indexShown(wide(r.PermeabilityIndexG), sys), 4)
                         : truncated(r.PermeabilityIndexG, 4);

    t.infiltrationAch = truncated(r.InfiltrationAchG, 4);
    if (m3h) {
        t.infiltrationFlow = plain(wide(r.InfiltrationFlowG) * units::kM3hPerCfm);
        t.perOccupant = plain(wide(r.InfiltrationPerOccupantG) * units::kM3hPerCfm);
        t.perBedroom = plain(wide(r.InfiltrationPerBedroomG) * units::kM3hPerCfm);
        t.deapIndex = truncated(deapShownM3h(r.InfiltrationDeapIndexG), 4);
    } else {
        t.infiltrationFlow = plain(r.InfiltrationFlowG);
        t.perOccupant = plain(r.InfiltrationPerOccupantG);
        t.perBedroom = plain(r.InfiltrationPerBedroomG);
        t.deapIndex = truncated(r.InfiltrationDeapIndexG, 4);
    }
    return t;
}

uint32_t exponentColour(float n) {
    // Compared as Singles, so an exponent of exactly 0.85 is inside.
    return (n >= 0.45f && n <= 0.85f) ? kExponentOk : kRed;
}

namespace {
// 4.999 Pa in in.wc, as the Single the boxes store.
float averageLimit() {
    return toSingle(4.999 / units::kPaPerInWc);
}
} // namespace

uint32_t negativeAverageColour(float inWc) {
    return inWc < -averageLimit() ? kRed : kWhite;
}
uint32_t positiveAverageColour(float inWc) {
    return inWc > averageLimit() ? kRed : kWhite;
}

QString fanFlowBoxText(float cfm, int16_t system) {
    return inM3h(system) ? rounded(wide(cfm) * units::kM3hPerCfm, 1) : rounded(cfm, 1);
}

QString fanFlowFullText(float cfm, int16_t system) {
    return inM3h(system) ? plain(wide(cfm) * units::kM3hPerCfm) : plain(cfm);
}

QString firstChars(const QString& numberText, int k) {
    if (numberText.size() <= k)
        return numberText;
    const qsizetype e = numberText.indexOf(QLatin1Char('E'));
    const QString mantissa = e < 0 ? numberText : numberText.left(e);
    const QString exponent = e < 0 ? QString() : numberText.mid(e);
    const qsizetype dot = mantissa.indexOf(QLatin1Char('.'));
    const qsizetype wholeEnd = dot < 0 ? mantissa.size() : dot;
    if (exponent.isEmpty())
        return leftChars(mantissa, static_cast<int>(std::max<qsizetype>(k, wholeEnd)));
    QString kept = mantissa.left(std::max<qsizetype>(k - exponent.size(), wholeEnd));
    if (kept.endsWith(QLatin1Char('.')))
        kept.chop(1);
    return kept + exponent;
}

} // namespace resultdisplay
