#pragma once

#include <QString>

#include <array>
#include <cstdint>

// The one store of everything known about the test being worked on. Every number is held in
// US units (in.wc, cfm, ft3, ft2, deg F, in2) whatever unit system is shown. Per-point arrays
// are indexed by point number 1 to 9; index 0 is never used.
struct TestRecord {
    static constexpr int kPoints = 9;
    template <typename T> using PerPoint = std::array<T, kPoints + 1>;

    // Run-time fields
    QString LanguageG;
    int16_t UnitSystemG = 0;
    QString UnitSystemTextG;
    QString FileNameG;
    QString FilePathG;
    QString ProgramNameG;
    QString ProgramVersionG;
    QString ScratchTextG;
    int16_t ExitAfterSaveG = 0;
    int16_t ReportKindG = 0;
    int16_t PrintGraphNowG = 0;
    double FlowDisplayFactorG = 0.0;
    int16_t PointCountG = 0;

    // Test identification
    QString TestDateTimeG;
    QString TestingCompanyG;
    QString BuildingTestedG;
    QString BuildingAddressG;
    QString TechnicianG;
    QString WindConditionsG;
    QString InteriorDoorsG;
    QString TemporarySealingG;
    QString BasementDoorG;
    QString BlowerDoorIdG;
    QString Comment1G;
    QString Comment2G;
    QString Comment3G;
    QString Comment4G;
    QString Comment5G;
    QString Comment6G;

    // Building and environment
    double BuildingVolumeCuFtG = 0.0;
    double BuildingSurfaceAreaSqFtG = 0.0;
    double BuildingFloorAreaSqFtG = 0.0;
    QString StoriesAboveGradeG;
    float TemperatureInsideFG = 0.0f;
    float TemperatureOutsideFG = 0.0f;
    QString WindShieldingFactorG;
    QString NumberOfOccupantsG;
    QString NumberofBedroomsG;
    QString PressurizeOrDepressG;
    float DivideBy20FactorG = 0.0f;

    // Measurement points
    PerPoint<double> PresGageG{};
    PerPoint<double> FlowGageG{};
    PerPoint<float> FlowFitG{};
    PerPoint<float> FlowErrorG{};
    PerPoint<float> LowFlowFactorG{};
    PerPoint<QString> LowFlowSetupG{};
    PerPoint<float> FanFlowG{};

    // Static pressures
    float PreTestStaticPresG = 0.0f;
    float PostTestStaticPresG = 0.0f;
    float PreTestNegAvgG = 0.0f;
    float PreTestPosAvgG = 0.0f;
    float PostTestNegAvgG = 0.0f;
    float PostTestPosAvgG = 0.0f;
    float StaticPresBaselineG = 0.0f;

    // Results
    float CorrelationG = 0.0f;
    float FlowCoefficientG = 0.0f;
    float PressureExponentG = 0.0f;
    float ElaCgsbG = 0.0f;
    float ElaLblG = 0.0f;
    float LeakageRatioG = 0.0f;
    float Ach50G = 0.0f;
    float Flow50G = 0.0f;
    float PermeabilityIndexG = 0.0f;
    float InfiltrationAchG = 0.0f;
    float InfiltrationFlowG = 0.0f;
    float InfiltrationPerOccupantG = 0.0f;
    float InfiltrationPerBedroomG = 0.0f;
    float UsaceIndexG = 0.0f;
    float Q4PaSurfG = 0.0f;
    float InfiltrationDeapIndexG = 0.0f;
    float Flow75G = 0.0f;
    float Flow4G = 0.0f;

    // Reserved numbers, saved and read back only
    float BarometricPresG = 0.0f;
    float Reserved1G = 0.0f;
    float Reserved2G = 0.0f;
};

inline const QString kProgramName = QStringLiteral("Ventrel");
inline const QString kProgramVersion = QStringLiteral("2.11 DEMO");
inline const QString kUntitled = QStringLiteral("Untitled");

// Values set each time the start page loads.
void applyStartupValues(TestRecord& r);

// Both temperatures of a new test, and what a cleared or failed temperature entry falls back to.
inline constexpr float kDefaultTemperatureF = 68.0f;

// Building defaults of a new test in unit system `unitSystem`; the identification, the points,
// the statics, the results and the file name stay as they were.
void applyNewFileDefaults(TestRecord& r, int16_t unitSystem);

// Clear All of the test identification page: the sixteen saved identification texts.
void clearTestIdentification(TestRecord& r);

// The Units menus: the system and its text form, nothing else.
void setUnitSystem(TestRecord& r, int16_t unitSystem);

// " 1", " 2", " 3": the number text of a unit system, as the data file holds it.
QString unitSystemText(int16_t unitSystem);

// A value above 0 in the building volume means that a test is in memory.
bool holdsTest(const TestRecord& r);
