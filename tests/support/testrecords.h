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

} // namespace testrecords
