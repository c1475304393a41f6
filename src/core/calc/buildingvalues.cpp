#include "core/calc/buildingvalues.h"

#include "core/calc/units.h"
#include "core/util/numtext.h"

#include <cmath>

float infiltrationFactor(QStringView stories, QStringView windShielding) {
    const double s = leadingNumber(stories);
    const double w = leadingNumber(windShielding);
    if (s > 0.0)
        return toSingle((w * 20.0) / std::pow(s, 0.325));
    return 20.0f;
}

QString volumeBoxText(double cuFt, int16_t system) {
    return leftChars(numText(toSingle(units::volumeShown(cuFt, system))), 9);
}

QString areaBoxText(double sqFt, int16_t system) {
    return leftChars(numText(toSingle(units::areaShown(sqFt, system))), 8);
}

QString temperatureBoxText(float degF, int16_t system) {
    return leftChars(numText(toSingle(units::temperatureShown(degF, system))), 5);
}

QString infiltrationFactorText(float factor) {
    return leftChars(numText(factor), 5);
}

bool volumeInRange(double shownValue) {
    return shownValue >= 1.0 && shownValue <= 99999999.0;
}

bool buildingEntryFails(BuildingEntry entry, QStringView boxText) {
    const double v = leadingNumber(boxText);
    switch (entry) {
    case BuildingEntry::Volume:
        return !volumeInRange(v);
    case BuildingEntry::Stories:
        return v > 4.0 || v < 1.0;
    case BuildingEntry::InsideTemp:
    case BuildingEntry::OutsideTemp:
        return v > 199.0 || v < -99.0 || boxText.isEmpty();
    case BuildingEntry::WindShielding:
        return v > 1.2 || v < 0.9;
    case BuildingEntry::Occupants:
    case BuildingEntry::Bedrooms:
        return v > 99.0 || v < 1.0;
    }
    return false;
}

QString buildingEntryFallback(BuildingEntry entry, int16_t system) {
    switch (entry) {
    case BuildingEntry::Volume:
        return QStringLiteral("?");
    case BuildingEntry::Stories:
    case BuildingEntry::WindShielding:
        return QStringLiteral("1");
    case BuildingEntry::InsideTemp:
    case BuildingEntry::OutsideTemp:
        return units::isMetric(system) ? QStringLiteral("20") : QStringLiteral("68");
    case BuildingEntry::Occupants:
        return QStringLiteral("4");
    case BuildingEntry::Bedrooms:
        return QStringLiteral("2");
    }
    return {};
}

void storeBuildingFallback(TestRecord& r, BuildingEntry entry, const QString& fallback) {
    switch (entry) {
    case BuildingEntry::Volume:
        r.BuildingVolumeCuFtG = 0.0;
        break;
    case BuildingEntry::Stories:
        r.StoriesAboveGradeG = fallback;
        break;
    case BuildingEntry::InsideTemp:
        r.TemperatureInsideFG = kDefaultTemperatureF;
        break;
    case BuildingEntry::OutsideTemp:
        r.TemperatureOutsideFG = kDefaultTemperatureF;
        break;
    case BuildingEntry::WindShielding:
        r.WindShieldingFactorG = fallback;
        break;
    case BuildingEntry::Occupants:
        r.NumberOfOccupantsG = fallback;
        break;
    case BuildingEntry::Bedrooms:
        r.NumberofBedroomsG = fallback;
        break;
    }
}

void clearBuildingValues(TestRecord& r) {
    r.StoriesAboveGradeG.clear();
    r.WindShieldingFactorG.clear();
    r.NumberOfOccupantsG.clear();
    r.NumberofBedroomsG.clear();
    r.BuildingVolumeCuFtG = 0.0;
    r.BuildingSurfaceAreaSqFtG = 0.0;
    r.BuildingFloorAreaSqFtG = 0.0;
    r.TemperatureInsideFG = kDefaultTemperatureF;
    r.TemperatureOutsideFG = kDefaultTemperatureF;
    r.PressurizeOrDepressG = QStringLiteral("D");
}
