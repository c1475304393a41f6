#include "core/record/testrecord.h"

#include "core/util/numtext.h"

void applyStartupValues(TestRecord& r) {
    r.DivideBy20FactorG = 20.0f;
    r.ProgramNameG = kProgramName;
    r.ProgramVersionG = kProgramVersion;
    if (r.FileNameG.isEmpty())
        r.FileNameG = kUntitled;
    if (r.LanguageG.isEmpty())
        r.LanguageG = QStringLiteral("E");
}

void applyNewFileDefaults(TestRecord& r, int16_t unitSystem) {
    setUnitSystem(r, unitSystem);
    r.BuildingVolumeCuFtG = 0.0;
    r.BuildingSurfaceAreaSqFtG = 0.0;
    r.BuildingFloorAreaSqFtG = 0.0;
    r.StoriesAboveGradeG = QStringLiteral("1");
    r.TemperatureInsideFG = kDefaultTemperatureF;
    r.TemperatureOutsideFG = kDefaultTemperatureF;
    r.WindShieldingFactorG = QStringLiteral("1");
    r.NumberOfOccupantsG = QStringLiteral("4");
    r.NumberofBedroomsG = QStringLiteral("2");
    r.PressurizeOrDepressG = QStringLiteral("D");
}

void clearTestIdentification(TestRecord& r) {
    for (QString* f : {&r.TestDateTimeG, &r.TestingCompanyG, &r.BuildingTestedG,
                       &r.BuildingAddressG, &r.TechnicianG, &r.WindConditionsG, &r.InteriorDoorsG,
                       &r.TemporarySealingG, &r.BasementDoorG, &r.BlowerDoorIdG, &r.Comment1G,
                       &r.Comment2G, &r.Comment3G, &r.Comment4G, &r.Comment5G, &r.Comment6G})
        f->clear();
}

void setUnitSystem(TestRecord& r, int16_t unitSystem) {
    r.UnitSystemG = unitSystem;
    r.UnitSystemTextG = unitSystemText(unitSystem);
}

QString unitSystemText(int16_t unitSystem) {
    return numText(static_cast<double>(unitSystem));
}

bool holdsTest(const TestRecord& r) {
    return r.BuildingVolumeCuFtG > 0.0;
}
