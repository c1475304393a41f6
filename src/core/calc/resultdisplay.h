#pragma once

#include "core/record/testrecord.h"

#include <QString>

#include <cstdint>

// The texts of the measurement page's result boxes, composed from the record so that the page,
// the analyser and the tests share one definition of what each box shows.
namespace resultdisplay {

// Background colours as 0xRRGGBB.
constexpr uint32_t kGrey = 0xC0C0C0;        // labels and captions
constexpr uint32_t kLightYellow = 0xFFFFC0; // result and static boxes
constexpr uint32_t kExponentOk = 0xFFFFE0;  // exponent within the usual range
constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kWhite = 0xFFFFFF;

struct ResultTexts {
    TestRecord::PerPoint<QString> flowFit;   // txtFlowFit1..9
    TestRecord::PerPoint<QString> flowError; // txtFlowError1..9
    QString correlation;                     // txtCorrelVal
    QString flowCoefficient;                 // txtFlowCoefVal
    QString exponent;                        // txtPresExpVal
    uint32_t exponentColour = kRed;
    QString elaCgsb;          // txtElaCgsbVal
    QString elaLbl;           // txtElaLblVal
    QString leakageRatio;     // txtLR10PaVal
    QString ach50;            // txtACH50Val
    QString flow50;           // txtFlow50Val
    QString permeability;     // txtBldgIndxVal
    QString usace;            // txtUSACEindxVal
    QString q4PaSurf;         // txtQ4PaSurfVal
    QString infiltrationAch;  // txtInfACHVal
    QString infiltrationFlow; // txtInfFloVal
    QString perOccupant;      // txtInfFloPrsVal
    QString perBedroom;       // txtInfFloRmVal
    QString deapIndex;        // txtInfIndexVal
};

// What subFlowFitFlowError writes after each calculation. A box whose figure has no defined
// value (no surface area, no floor area) shows the 0 the record holds.
ResultTexts flowFitFlowErrorTexts(const TestRecord& r);

// The summary boxes as the page shows them right after it has loaded (shorter, cut or plain
// forms). The per-point texts are those of the last calculation, except the last point's
// error, which the load writes rounded to 2 places.
ResultTexts loadedResultTexts(const TestRecord& r);

// Exponent box: light yellow from 0.45 to 0.85 (both included), red otherwise.
uint32_t exponentColour(float n);

// Static-average boxes at page load: red beyond 4.999 Pa on the box's side, white otherwise.
uint32_t negativeAverageColour(float inWc);
uint32_t positiveAverageColour(float inWc);

// A fan-flow box: rounded to 1 place after each reading, or the full value (a plate chosen in
// rows 2 to 9); m3/h in system 3.
QString fanFlowBoxText(float cfm, int16_t system);
QString fanFlowFullText(float cfm, int16_t system);

// The first k characters of a number's text, as the load shows several figures. Never cuts
// into the whole-number digits or drops an exponent, so the text still reads as the value.
QString firstChars(const QString& numberText, int k);

} // namespace resultdisplay
