#pragma once

#include "core/record/testrecord.h"

#include <cmath>

// Nine points of a typical house test.
inline TestRecord houseTest() {
    TestRecord r;
    applyStartupValues(r);
    applyNewFileDefaults(r, 2);
    r.BuildingVolumeCuFtG = 16500;
    r.BuildingSurfaceAreaSqFtG = 5900;
    r.BuildingFloorAreaSqFtG = 2100;
    r.TemperatureInsideFG = 70;
    r.TemperatureOutsideFG = 41;
    r.PressurizeOrDepressG = QStringLiteral("D");
    r.PreTestStaticPresG = -1.2f / 249.1f;
    r.PostTestStaticPresG = -1.6f / 249.1f;
    for (int i = 1; i <= TestRecord::kPoints; ++i) {
        const double pa = 60.0 - 5.0 * (i - 1);
        r.PresGageG[i] = -pa / 249.1;
        r.FlowGageG[i] = 3600.0 * std::pow(pa / 50.0, 0.64) * (1.0 + 0.01 * (i % 3));
        r.LowFlowFactorG[i] = 1.0f;
    }
    return r;
}
