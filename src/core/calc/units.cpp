#include "core/calc/units.h"

#include <cmath>

namespace units {

bool isKnownSystem(int16_t system) {
    return system >= InWcCfm && system <= PaM3h;
}
bool pressuresInPascals(int16_t system) {
    return system == PaCfm || system == PaM3h;
}
bool flowsInM3h(int16_t system) {
    return system == PaM3h;
}
bool isMetric(int16_t system) {
    return system == PaM3h;
}

Captions captions(int16_t system) {
    const bool pa = pressuresInPascals(system);
    const bool m3h = flowsInM3h(system);
    Captions c;
    c.pressureHeading = pa ? QStringLiteral("(Pa)") : QStringLiteral("(in.wc)");
    c.flowHeading = m3h ? QStringLiteral("(m3/h)") : QStringLiteral("(cfm)");
    c.staticPressure = pa ? QStringLiteral("Pa") : QStringLiteral("in.wc");
    c.flowCoefficient = m3h  ? QStringLiteral("m3/h @ 1 Pa")
                        : pa ? QStringLiteral("cfm @ 1 Pa")
                             : QStringLiteral("cfm @ 1 in.wc");
    c.leakageArea = m3h ? QStringLiteral("cm2") : QStringLiteral("in2");
    c.leakageRatio = m3h ? QStringLiteral("cm2/m2") : QStringLiteral("in2/100 ft2");
    c.flow50 = m3h ? QStringLiteral("m3/h") : QStringLiteral("cfm");
    c.permeability = m3h ? QStringLiteral("m3/h@50Pa/m2") : QStringLiteral("cfm@50Pa/ft2");
    c.usace = m3h ? QStringLiteral("m3/h@75Pa/m2") : QStringLiteral("cfm@75Pa/ft2");
    c.q4PaSurf = m3h ? QStringLiteral("m3/h/m2") : QStringLiteral("cfm/ft2");
    c.infiltrationFlow = m3h ? QStringLiteral("m3/h or") : QStringLiteral("cfm, or");
    c.perPerson = m3h ? QStringLiteral("m3/h/person, or") : QStringLiteral("cfm/person, or");
    c.perBedroom = m3h ? QStringLiteral("m3/h/bedroom") : QStringLiteral("cfm/bedroom");
    c.deapIndex = m3h ? QStringLiteral("m3/h/m2") : QStringLiteral("cfm/ft2");
    return c;
}

double pressureEntered(double typed, int16_t system) {
    return pressuresInPascals(system) ? typed / kPaPerInWc : typed;
}
double flowEntered(double typed, int16_t system) {
    return flowsInM3h(system) ? typed / kM3hPerCfm : typed;
}
double volumeEntered(double typed, int16_t system) {
    return isMetric(system) ? typed / kM3PerFt3 : typed;
}
double areaEntered(double typed, int16_t system) {
    return isMetric(system) ? typed / kM2PerFt2 : typed;
}
double temperatureEntered(double typed, int16_t system) {
    return isMetric(system) ? typed * 9.0 / 5.0 + 32.0 : typed;
}

double pressureShown(double inWc, int16_t system) {
    return pressuresInPascals(system) ? inWc * static_cast<double>(kPaPerInWcSingle) : inWc;
}
float pressureShown(float inWc, int16_t system) {
    return pressuresInPascals(system) ? inWc * kPaPerInWcSingle : inWc;
}
double flowShown(double cfm, int16_t system) {
    return flowsInM3h(system) ? cfm * kM3hPerCfm : cfm;
}
double volumeShown(double cuFt, int16_t system) {
    return isMetric(system) ? cuFt * kM3PerFt3 : cuFt;
}
double areaShown(double sqFt, int16_t system) {
    return isMetric(system) ? sqFt * kM2PerFt2 : sqFt;
}
double temperatureShown(double degF, int16_t system) {
    return isMetric(system) ? (degF - 32.0) * 5.0 / 9.0 : degF;
}
double leakageAreaShown(double sqIn, int16_t system) {
    return isMetric(system) ? sqIn * kCm2PerIn2 : sqIn;
}
double leakageRatioShown(double ratio, int16_t system) {
    return isMetric(system) ? ratio * kCm2PerIn2 / 9.29 : ratio;
}
double indexShown(double cfmPerSqFt, int16_t system) {
    return isMetric(system) ? cfmPerSqFt * kM3hPerCfm / kM2PerFt2 : cfmPerSqFt;
}

double flowCoefficientShown(float c, float n, int16_t system) {
    const double cd = c;
    if (!pressuresInPascals(system))
        return cd;
    const double atOnePa = cd * std::pow(1.0 / kPaPerInWc, static_cast<double>(n));
    return flowsInM3h(system) ? atOnePa * kM3hPerCfm : atOnePa;
}

} // namespace units
