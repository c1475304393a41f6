#pragma once

#include <QString>

#include <cstdint>

// The three unit systems and every conversion between them and the record's US units.
// Factors are used exactly as written; "shown" multiplies, "entered" divides.
namespace units {

constexpr double kPaPerInWc = 249.1;
// The measurement page shows pressures with the Single 249.1 (249.1000061).
constexpr float kPaPerInWcSingle = 249.1f;
constexpr double kM3hPerCfm = 1.699;
constexpr double kM3PerFt3 = 0.02832;
constexpr double kM2PerFt2 = 0.0929;
constexpr double kCm2PerIn2 = 6.4516;

enum System : int16_t { InWcCfm = 1, PaCfm = 2, PaM3h = 3 };

bool isKnownSystem(int16_t system);
bool pressuresInPascals(int16_t system); // systems 2 and 3
bool flowsInM3h(int16_t system);         // system 3
bool isMetric(int16_t system);           // system 3: volumes, areas, temperatures too

// Captions shown beside values, by unit system.
struct Captions {
    QString pressureHeading;  // "(in.wc)" / "(Pa)"
    QString flowHeading;      // "(cfm)" / "(m3/h)"
    QString staticPressure;   // "in.wc" / "Pa"
    QString flowCoefficient;  // "cfm @ 1 in.wc" / "cfm @ 1 Pa" / "m3/h @ 1 Pa"
    QString leakageArea;      // "in2" / "cm2"
    QString leakageRatio;     // "in2/100 ft2" / "cm2/m2"
    QString flow50;           // "cfm" / "m3/h"
    QString permeability;     // "cfm@50Pa/ft2" / "m3/h@50Pa/m2"
    QString usace;            // "cfm@75Pa/ft2" / "m3/h@75Pa/m2"
    QString q4PaSurf;         // "cfm/ft2" / "m3/h/m2"
    QString infiltrationFlow; // "cfm, or" / "m3/h or"
    QString perPerson;        // "cfm/person, or" / "m3/h/person, or"
    QString perBedroom;       // "cfm/bedroom" / "m3/h/bedroom"
    QString deapIndex;        // "cfm/ft2" / "m3/h/m2"
};
Captions captions(int16_t system);

// Entry: a typed value to the record's unit.
double pressureEntered(double typed, int16_t system);    // Pa / 249.1 in systems 2 and 3
double flowEntered(double typed, int16_t system);        // m3/h / 1.699 in system 3
double volumeEntered(double typed, int16_t system);      // m3 / 0.02832 in system 3
double areaEntered(double typed, int16_t system);        // m2 / 0.0929 in system 3
double temperatureEntered(double typed, int16_t system); // C * 9 / 5 + 32 in system 3

// Display: a record value in the system's unit.
double pressureShown(double inWc, int16_t system); // x 249.1000061 in systems 2 and 3
float pressureShown(float inWc, int16_t system);   // the same for a Single, in Single arithmetic
double flowShown(double cfm, int16_t system);      // x 1.699 in system 3
double volumeShown(double cuFt, int16_t system);
double areaShown(double sqFt, int16_t system);
double temperatureShown(double degF, int16_t system);   // (F - 32) * 5 / 9 in system 3
double leakageAreaShown(double sqIn, int16_t system);   // x 6.4516 in system 3
double leakageRatioShown(double ratio, int16_t system); // x 6.4516 / 9.29 in system 3
double indexShown(double cfmPerSqFt, int16_t system);   // x 1.699 / 0.0929 in system 3

// C of Q = C*P^n in the system's unit: at 1 in.wc in system 1, at 1 Pa otherwise.
double flowCoefficientShown(float c, float n, int16_t system);

} // namespace units
