#pragma once

// The one builder of test records for every test: a new test as the start page makes it,
// points typed in pascals and cfm, and the few whole tests the figures are known for.

#include "core/record/testrecord.h"

#include <cstdint>

namespace testrecords {

inline constexpr double kPaPerInWc = 249.1;

// A new test in `system`, as New File leaves it.
inline TestRecord newTest(int16_t system = 2) {
    TestRecord r;
    applyStartupValues(r);
    applyNewFileDefaults(r, system);
    return r;
}

// Point `i` at `pascals` (negative when depressurising) and `cfm`, plate factor `plate`.
inline void setPoint(TestRecord& r, int i, double pascals, double cfm, float plate = 1.0f) {
    r.PresGageG[i] = pascals / kPaPerInWc;
    r.FlowGageG[i] = cfm;
    r.LowFlowFactorG[i] = plate;
}

// Static pressures in pascals.
inline void setStatics(TestRecord& r, double prePa, double postPa) {
    r.PreTestStaticPresG = float(prePa / kPaPerInWc);
    r.PostTestStaticPresG = float(postPa / kPaPerInWc);
}

// The three-point test of the worked example: 20, 35 and 50 Pa at 50, 70 and 90 cfm in a
// 10000 ft3 house of 1500 ft2 floor and 5000 ft2 envelope, infiltration factor 20.
inline TestRecord workedExample(int16_t system = 2) {
    TestRecord r = newTest(system);
    setPoint(r, 1, 20, 50);
    setPoint(r, 2, 35, 70);
    setPoint(r, 3, 50, 90);
    r.BuildingVolumeCuFtG = 10000;
    r.BuildingFloorAreaSqFtG = 1500;
    r.BuildingSurfaceAreaSqFtG = 5000;
    r.DivideBy20FactorG = 20;
    return r;
}

// A five-point depressurisation of a 16500 ft3 house at 41 F outside.
inline TestRecord houseTest(int16_t system = 2) {
    TestRecord r = newTest(system);
    r.BuildingVolumeCuFtG = 16500;
    r.BuildingSurfaceAreaSqFtG = 5900;
    r.BuildingFloorAreaSqFtG = 2100;
    r.TemperatureOutsideFG = 41;
    setStatics(r, -1.2, -1.6);
    const double pascals[] = {-60.02, -50, -40.004, -30, -20.5};
    const double flows[] = {3900.04, 3480, 3010.3, 2490, 1880.25};
    for (int i = 1; i <= 5; ++i)
        setPoint(r, i, pascals[i - 1], flows[i - 1]);
    return r;
}

// A test as the reports see it: the identification filled in, three depressurisation points
// (-50, -35, -20 Pa) and results set to chosen figures rather than computed, so that every
// line of a report can be written out by hand.
inline TestRecord reportTest(int16_t system = 1) {
    TestRecord r = newTest(system);
    r.FileNameG = QStringLiteral("MAPLE.LKD");
    r.TestDateTimeG = QStringLiteral("12/07/2026 10:15");
    r.TestingCompanyG = QStringLiteral("Brightwall Energy Audits");
    r.BuildingTestedG = QStringLiteral("12 Maple Lane");
    r.BuildingAddressG = QStringLiteral("12 Maple Lane, Springfield");
    r.TechnicianG = QStringLiteral("R. Okafor");
    r.WindConditionsG = QStringLiteral("calm");
    r.InteriorDoorsG = QStringLiteral("open");
    r.TemporarySealingG = QStringLiteral("none");
    r.BlowerDoorIdG = QStringLiteral("K7-0412");
    r.Comment1G = QStringLiteral("Dry day");
    r.Comment2G = QStringLiteral("Attic hatch taped");
    r.Comment5G = QStringLiteral("Fireplace damper closed");
    r.BuildingVolumeCuFtG = 12000.5;
    r.BuildingSurfaceAreaSqFtG = 5000;
    r.BuildingFloorAreaSqFtG = 1500;
    r.StoriesAboveGradeG = QStringLiteral("2");
    r.TemperatureInsideFG = 70;
    r.TemperatureOutsideFG = 40;
    r.NumberofBedroomsG = QStringLiteral("3");
    r.DivideBy20FactorG = 15.97f;
    setPoint(r, 1, -50, 2000.25, 1.0f);
    setPoint(r, 2, -35, 1500, -14.0f);
    setPoint(r, 3, -20, 1100.04, 1.69f);
    r.LowFlowSetupG[1] = QStringLiteral("MAG:Plate Off");
    r.LowFlowSetupG[2] = QStringLiteral("PG5:4 Holes Open");
    r.LowFlowSetupG[3] = QStringLiteral("MAG:4 Holes Open");
    r.FlowFitG[1] = 1990.46f;
    r.FlowFitG[2] = 1510.5f;
    r.FlowFitG[3] = 1098.75f;
    r.FlowErrorG[1] = 0.4966f;
    r.FlowErrorG[2] = -0.7021f;
    r.FlowErrorG[3] = 0.1136f;
    r.PointCountG = 3;
    setStatics(r, -1.2, -1.6);
    r.PreTestNegAvgG = float(-1.5 / kPaPerInWc);
    r.PreTestPosAvgG = float(0.3 / kPaPerInWc);
    r.PostTestNegAvgG = float(-2.04 / kPaPerInWc);
    r.PostTestPosAvgG = float(0.66 / kPaPerInWc);
    r.StaticPresBaselineG = float(-1.4 / kPaPerInWc);
    r.CorrelationG = 0.998765f;
    r.FlowCoefficientG = 5000.123f;
    r.PressureExponentG = 0.65f;
    r.ElaCgsbG = 123.4567f;
    r.ElaLblG = 65.4321f;
    r.LeakageRatioG = 0.0823f;
    r.Ach50G = 6.54321f;
    r.Flow50G = 1308.642f;
    r.PermeabilityIndexG = 0.26173f;
    r.UsaceIndexG = 0.34567f;
    r.Q4PaSurfG = 0.0456f;
    r.InfiltrationAchG = 0.40987f;
    r.InfiltrationDeapIndexG = 0.0163f;
    r.InfiltrationFlowG = 81.7901f;
    r.InfiltrationPerOccupantG = 20.4475f;
    r.InfiltrationPerBedroomG = 27.2634f;
    return r;
}

} // namespace testrecords
