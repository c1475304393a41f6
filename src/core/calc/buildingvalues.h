#pragma once

#include "core/record/testrecord.h"

#include <QString>
#include <QStringView>

#include <cstdint>

// What the building and environment page shows and checks, kept apart from the window so the
// analyser and the tests see the same numbers.

// The infiltration conversion factor: 20 x wind shielding / stories^0.325, or 20 when the
// stories text holds no positive number. Both texts are read by their leading number.
float infiltrationFactor(QStringView stories, QStringView windShielding);

// Box texts: the number text cut to the width each box was given.
QString volumeBoxText(double cuFt, int16_t system);     // 9 characters, ft3 or m3
QString areaBoxText(double sqFt, int16_t system);       // 8 characters, ft2 or m2
QString temperatureBoxText(float degF, int16_t system); // 5 characters, F or C
QString infiltrationFactorText(float factor);           // 5 characters

// The entries that Next checks, in the order it checks them.
enum class BuildingEntry {
    Volume,
    Stories,
    InsideTemp,
    OutsideTemp,
    WindShielding,
    Occupants,
    Bedrooms
};

// True when Next must replace the box's text: its number lies outside the entry's range (in
// the units shown), or a temperature box is empty.
bool buildingEntryFails(BuildingEntry entry, QStringView boxText);

// What a failing box is replaced by: "?" for the volume, a default for the others (the
// temperature default in degrees C in the metric system).
QString buildingEntryFallback(BuildingEntry entry, int16_t system);

// A volume the user may go on with (1 to 99999999 in the units shown).
bool volumeInRange(double shownValue);

// What a failing entry stores beside its fallback text: the volume 0, a temperature the
// default 68 F, a text entry the fallback itself.
void storeBuildingFallback(TestRecord& r, BuildingEntry entry, const QString& fallback);

// Clear All: the building's entries empty or 0, both temperatures 68 F, depressurisation.
void clearBuildingValues(TestRecord& r);
