#include "core/report/technicalreport.h"

#include "core/calc/leakagecalc.h"
#include "core/calc/plates.h"
#include "core/calc/units.h"
#include "core/report/reporttext.h"
#include "core/util/numtext.h"

#include <QStringList>

#include <cmath>

namespace report {

namespace {

const QString kStandards = QStringLiteral("EN 13829, TM-23, ASTM E779-03 & CGSB-149.1-2002");

QString tabs(int n) {
    return QString(n, u'\t');
}

double wide(float v) {
    return static_cast<double>(v);
}

bool pascals(int16_t system) {
    return units::pressuresInPascals(system);
}
bool metric(int16_t system) {
    return units::isMetric(system);
}

// Fan-setting codes of readings used undivided: the factor column shows 1 for them.
bool isFanCode(float factor) {
    for (const float code : {-10.0f, -11.0f, -12.0f, -13.0f, -14.0f, -17.0f, -20.0f, -21.0f}) {
        if (factor == code)
            return true;
    }
    return false;
}

QString factorText(float factor) {
    return isFanCode(factor) ? QStringLiteral("1") : firstOf(num(factor), 6);
}

// The columns of one table row, shared by paper and screen.
struct PointColumns {
    QString pressure, reading, fit, error, factor, setup;
};

PointColumns pointColumns(const TestRecord& r, int i, int16_t system) {
    PointColumns c;
    c.pressure = pascals(system) ? rounded(r.PresGageG[i] * units::kPaPerInWc, 2)
                                 : rounded(r.PresGageG[i], 4);
    if (metric(system)) {
        c.reading = rounded(r.FlowGageG[i] * units::kM3hPerCfm, 1);
        c.fit = rounded(wide(r.FlowFitG[i]) * units::kM3hPerCfm, 1);
    } else {
        c.reading = rounded(r.FlowGageG[i], 1);
        c.fit = rounded(r.FlowFitG[i], 1);
    }
    c.error = rounded(r.FlowErrorG[i], 3);
    c.factor = factorText(r.LowFlowFactorG[i]);
    c.setup = field(lowFlowSetupText(r, i));
    return c;
}

double flowCoefficient(const TestRecord& r, int16_t system) {
    return units::flowCoefficientShown(r.FlowCoefficientG, r.PressureExponentG, system);
}

QString flowCoefficientUnit(int16_t system) {
    return metric(system)    ? QStringLiteral("  m3/h @ 1 Pa")
           : pascals(system) ? QStringLiteral("  cfm @ 1 Pa")
                             : QStringLiteral("  cfm @ 1 in.wc");
}

double pa(float inWc) {
    return wide(inWc) * units::kPaPerInWc;
}

double storiesValue(const TestRecord& r) {
    return leadingNumber(r.StoriesAboveGradeG);
}

bool showsDeap(const TestRecord& r, int16_t system) {
    return metric(system) ? r.BuildingSurfaceAreaSqFtG != 0.0 : r.PermeabilityIndexG != 0.0f;
}

// The leakage section's figures in the unit system, as both layouts print them.
struct Leakage {
    QString elaCgsb, elaLbl, ratio, ach50, flow50, permeability, usace, q4, infAch, deap, infFlow,
        perOccupant, perBedroom;
};

Leakage leakage(const TestRecord& r, int16_t system) {
    Leakage l;
    const auto six = [](const QString& s) { return firstOf(s, 6); };
    l.ach50 = six(cut4(r.Ach50G));
    l.infAch = six(cut4(r.InfiltrationAchG));
    if (metric(system)) {
        l.elaCgsb = six(num(units::leakageAreaShown(wide(r.ElaCgsbG), system)));
        l.elaLbl = six(num(units::leakageAreaShown(wide(r.ElaLblG), system)));
        l.ratio = six(num(units::leakageRatioShown(wide(r.LeakageRatioG), system)));
        l.flow50 = six(num(wide(r.Flow50G) * units::kM3hPerCfm));
        l.permeability = six(cut4(units::indexShown(wide(r.PermeabilityIndexG), system)));
        l.usace = six(cut4(units::indexShown(wide(r.UsaceIndexG), system)));
        l.q4 = six(cut4(units::indexShown(wide(r.Q4PaSurfG), system)));
        l.deap = six(cut4(units::indexShown(wide(r.InfiltrationDeapIndexG), system)));
        l.infFlow = six(num(wide(r.InfiltrationFlowG) * units::kM3hPerCfm));
        l.perOccupant = six(num(wide(r.InfiltrationPerOccupantG) * units::kM3hPerCfm));
        l.perBedroom = six(num(wide(r.InfiltrationPerBedroomG) * units::kM3hPerCfm));
    } else {
        l.elaCgsb = six(num(r.ElaCgsbG));
        l.elaLbl = six(num(r.ElaLblG));
        l.ratio = six(num(r.LeakageRatioG));
        l.flow50 = six(num(r.Flow50G));
        l.permeability = six(cut4(r.PermeabilityIndexG));
        l.usace = six(cut4(r.UsaceIndexG));
        l.q4 = six(cut4(r.Q4PaSurfG));
        l.deap = six(num(r.InfiltrationDeapIndexG));
        l.infFlow = six(num(r.InfiltrationFlowG));
        l.perOccupant = six(num(r.InfiltrationPerOccupantG));
        l.perBedroom = six(num(r.InfiltrationPerBedroomG));
    }
    return l;
}

} // namespace

std::vector<int> reportedPoints(const TestRecord& r) {
    std::vector<int> points;
    const float density = densityCorrectionFactor(r);
    for (int i = 1; i <= TestRecord::kPoints; ++i) {
        if (isFitPoint(r, i, density))
            points.push_back(i);
    }
    return points;
}

QString lowFlowSetupText(const TestRecord& r, int point) {
    return plates::textOf(r.LowFlowFactorG[point]).value_or(r.LowFlowSetupG[point]);
}

QString technicalReportText(const TestRecord& r, const QString& language, int16_t system) {
    const bool french = isFrench(language);
    const QString t2 = tabs(2);
    QStringList out;
    for (int i = 0; i < 7; ++i)
        out << kTab;

    out << tabs(5) + QStringLiteral("AIR LEAKAGE TEST REPORT");
    out << t2 + QString(74, u'_');
    out << tabs(5) + QStringLiteral("TEST IDENTIFICATION DATA");
    out << t2 + QStringLiteral("Data File:") + tabs(3) + field(r.FileNameG);
    out << t2 + QStringLiteral("Software:") + tabs(3) + field(r.ProgramNameG) + u' ' +
               field(r.ProgramVersionG);
    out << t2 + QStringLiteral("Standard Calculations:") + t2 + kStandards;
    out << t2 +
               (french ? QStringLiteral("Date et heur de test: ")
                       : QStringLiteral("Test Date & Time: ")) +
               t2 + field(r.TestDateTimeG);
    out << t2 + QStringLiteral("Building:         ") + tabs(3) + field(r.BuildingTestedG);
    out << t2 + QStringLiteral("Address:          ") + tabs(3) + field(r.BuildingAddressG);
    out << t2 + QStringLiteral("Testing Company:  ") + t2 + field(r.TestingCompanyG);
    out << t2 + QStringLiteral("Tested By:        ") + tabs(3) + field(r.TechnicianG);
    out << t2 + QStringLiteral("Wind Conditions:  ") + t2 + field(r.WindConditionsG);
    out << t2 + QStringLiteral("Interior Doors:   ") + t2 + field(r.InteriorDoorsG);
    out << t2 + QStringLiteral("Temporary Sealing:") + t2 + field(r.TemporarySealingG);
    if (!r.BasementDoorG.isEmpty())
        out << t2 + QStringLiteral("Basement Door:    ") + t2 + field(r.BasementDoorG);
    out << t2 + QStringLiteral("Blower Door:      ") + t2 + field(r.BlowerDoorIdG);
    if (!r.Comment1G.isEmpty())
        out << t2 + QStringLiteral("Comment:          ") + t2 + field(r.Comment1G);
    for (const QString* c : {&r.Comment2G, &r.Comment3G, &r.Comment4G}) {
        if (!c->isEmpty())
            out << t2 + QString(18, u' ') + field(*c);
    }
    out << QString();
    out << tabs(3) + QStringLiteral("BUILDING AND ENVIRONMENTAL DATA");

    if (metric(system)) {
        out << t2 + QStringLiteral("Volume of Building=               ") + t2 +
                   rounded(units::volumeShown(r.BuildingVolumeCuFtG, system), 1) +
                   QStringLiteral("  m3");
        if (r.BuildingSurfaceAreaSqFtG != 0.0)
            out << t2 + QStringLiteral("Surface Area of Building=         ") + t2 +
                       rounded(units::areaShown(r.BuildingSurfaceAreaSqFtG, system), 1) +
                       QStringLiteral("  m2");
        if (r.BuildingFloorAreaSqFtG != 0.0)
            out << t2 + QStringLiteral("Floor Area of Building=           ") + t2 +
                       rounded(units::areaShown(r.BuildingFloorAreaSqFtG, system), 1) +
                       QStringLiteral("  m2");
        out << t2 + QStringLiteral("Stories above Grade=              ") + t2 +
                   field(r.StoriesAboveGradeG);
        out << t2 + QStringLiteral("Temperature Inside=               ") + t2 +
                   rounded(units::temperatureShown(r.TemperatureInsideFG, system), 1) +
                   QStringLiteral("  C");
        out << t2 + QStringLiteral("Temperature Outside=              ") + t2 +
                   rounded(units::temperatureShown(r.TemperatureOutsideFG, system), 5) +
                   QStringLiteral("  C");
    } else {
        out << t2 + QStringLiteral("Volume of Building=               ") + t2 +
                   firstOf(num(r.BuildingVolumeCuFtG), 9) + QStringLiteral("  ft3");
        if (r.BuildingSurfaceAreaSqFtG != 0.0)
            out << t2 + QStringLiteral("Surface Area of Building=         ") + t2 +
                       rounded(r.BuildingSurfaceAreaSqFtG, 1) + QStringLiteral("  ft2");
        if (r.BuildingFloorAreaSqFtG != 0.0)
            out << t2 + QStringLiteral("Floor Area of Building=           ") + t2 +
                       rounded(r.BuildingFloorAreaSqFtG, 1) + QStringLiteral("  ft2");
        out << t2 + QStringLiteral("Stories above Grade=              ") + t2 +
                   rounded(storiesValue(r), 1);
        out << t2 + QStringLiteral("Temperature Inside=               ") + t2 +
                   rounded(r.TemperatureInsideFG, 1) + QStringLiteral("  F");
        out << t2 + QStringLiteral("Temperature Outside=              ") + t2 +
                   rounded(r.TemperatureOutsideFG, 1) + QStringLiteral("  F");
    }
    out << t2 + QStringLiteral("Wind Shielding=                   ") + t2 +
               field(r.WindShieldingFactorG);
    out << t2 + QStringLiteral("Number of Occupants=              ") + kTab +
               field(r.NumberOfOccupantsG);
    out << t2 + QStringLiteral("Number of Rooms=                  ") + t2 +
               field(r.NumberofBedroomsG);
    out << t2 + QStringLiteral("Pressurize (P) or Depressurize (D)") + kTab +
               field(r.PressurizeOrDepressG);
    out << t2 + QStringLiteral("Infiltration Conversion Factor=   ") + kTab +
               firstOf(num(r.DivideBy20FactorG), 5);
    out << QString();
    out << tabs(3) + QStringLiteral("BLOWER DOOR MEASUREMENTS AND CURVE FIT");

    out << QStringLiteral("\t\tPres Gauge\tFlow Gauge\tFlow Fit\t\tError\t\tLowFlow\tLowFlow");
    const QString pressureUnit =
        pascals(system) ? QStringLiteral("(Pa)      ") : QStringLiteral("(in. wc)  ");
    const QString flowUnit = metric(system) ? QStringLiteral("(m3/h)") : QStringLiteral("(cfm)");
    const QString fitUnit =
        metric(system) ? QStringLiteral("(m3/h)     ") : QStringLiteral("(cfm)     ");
    out << t2 + pressureUnit + kTab + flowUnit + t2 + fitUnit + kTab + QStringLiteral("(%)") + t2 +
               QStringLiteral("(factor)  ") + kTab + QStringLiteral("Setup");
    for (const int i : reportedPoints(r)) {
        const PointColumns c = pointColumns(r, i, system);
        out << t2 + c.pressure + t2 + c.reading + t2 + c.fit + t2 + c.error + t2 + c.factor + t2 +
                   c.setup;
    }

    if (pascals(system)) {
        const auto line = [&](const QString& label, float stat, float neg, float pos) {
            return t2 + label + kTab + rounded(pa(stat), 2) + QStringLiteral(" Pa") + kTab +
                   QStringLiteral("Neg Avg=") + rounded(pa(neg), 1) + QStringLiteral(" Pa  ") +
                   kTab + QStringLiteral("Positive Avg=") + rounded(pa(pos), 1) +
                   QStringLiteral(" Pa");
        };
        out << line(QStringLiteral("Pre-Test Static Pressure="), r.PreTestStaticPresG,
                    r.PreTestNegAvgG, r.PreTestPosAvgG);
        out << line(QStringLiteral("Post-Test Static Pressure="), r.PostTestStaticPresG,
                    r.PostTestNegAvgG, r.PostTestPosAvgG);
    } else {
        const auto line = [&](const QString& label, float stat, float neg, float pos) {
            return t2 + label + kTab + rounded(stat, 4) + QStringLiteral(" in.wc   ") + kTab +
                   QStringLiteral("Negative Avg=") + rounded(neg, 3) + QStringLiteral(" in.wc   ") +
                   kTab + QStringLiteral("Positive Avg=") + rounded(pos, 3) +
                   QStringLiteral(" in.wc");
        };
        out << line(QStringLiteral("Pre-Test Static Pressure="), r.PreTestStaticPresG,
                    r.PreTestNegAvgG, r.PreTestPosAvgG);
        out << line(QStringLiteral("Post-Test Static Pressure="), r.PostTestStaticPresG,
                    r.PostTestNegAvgG, r.PostTestPosAvgG);
    }

    out << t2 + QStringLiteral("     Curve Fit Estimates");
    out << t2 + QStringLiteral("Correlation (0 to 1)=") + t2 + firstOf(num(r.CorrelationG), 6);
    const QString coefficient = pascals(system) ? firstOf(num(flowCoefficient(r, system)), 8)
                                                : firstOf(num(r.FlowCoefficientG), 8);
    out << t2 + QStringLiteral("Flow Coefficient=") + t2 + coefficient +
               flowCoefficientUnit(system);
    out << t2 + QStringLiteral("Pressure Exponent=") + t2 + firstOf(num(r.PressureExponentG), 6) +
               QStringLiteral("  (dimensionless)");
    out << QString();
    out << tabs(4) + QStringLiteral("LEAKAGE AND FLOW ESTIMATES");
    out << t2 + QStringLiteral("     Leakage Area:");

    const Leakage l = leakage(r, system);
    const auto row = [&](const QString& label, const QString& value, const QString& unit) {
        return t2 + label + kTab + value + unit;
    };
    if (metric(system)) {
        out << row(QStringLiteral("ELA-CGSB @ 10 Pa=             "), l.elaCgsb,
                   QStringLiteral("  cm2"));
        out << row(QStringLiteral("ELA - LBL @ 4 Pa=             "), l.elaLbl,
                   QStringLiteral("  cm2"));
        if (r.LeakageRatioG != 0.0f)
            out << row(QStringLiteral("Leakage Ratio @ 10 Pa=        "), l.ratio,
                       QStringLiteral("  cm2 leakage/m2 floor"));
        out << t2 + QStringLiteral("     50 Pa Flow:");
        out << row(QStringLiteral("ACH @ 50 Pa=                  "), l.ach50,
                   QStringLiteral("  air changes per hr"));
        out << row(QStringLiteral("Flow @ 50 Pa=                 "), l.flow50,
                   QStringLiteral("  m3/h"));
        if (r.PermeabilityIndexG != 0.0f)
            out << row(QStringLiteral("Permeability Index @ 50 Pa="), l.permeability,
                       QStringLiteral("  m3/h/m2 surface"));
        if (r.UsaceIndexG != 0.0f)
            out << row(QStringLiteral("USACE Leak Index @ 75 Pa="), l.usace,
                       QStringLiteral("  m3/h/m2 surface"));
        if (r.Q4PaSurfG != 0.0f)
            out << row(QStringLiteral("Q4PaSurf Leak Index @ 4 Pa="), l.q4,
                       QStringLiteral("  m3/h/m2 surface-floor"));
        out << t2 + QStringLiteral("     Infiltration:");
        out << row(QStringLiteral("Estimated Annual Infiltration="), l.infAch,
                   QStringLiteral(" changes per hour"));
        if (showsDeap(r, system))
            out << row(QStringLiteral("Infiltration DEAP Index="), l.deap,
                       french ? QStringLiteral(" m3/h/m2 surface") : QStringLiteral(" m3/h/m2"));
        out << row(QStringLiteral("Infiltration total flow=      "), l.infFlow,
                   QStringLiteral(" m3/h"));
        out << row(QStringLiteral("Infiltration/Occupant=        "), l.perOccupant,
                   QStringLiteral("  m3/h/occupant"));
        out << row(QStringLiteral("Infiltration/BedRoom=         "), l.perBedroom,
                   QStringLiteral("  m3/h/bedroom"));
    } else {
        out << row(QStringLiteral("ELA-CGSB @ 10 Pa=             "), l.elaCgsb,
                   QStringLiteral("  in2   (equivalent open window)"));
        out << row(QStringLiteral("ELA - LBL @ 4 Pa=             "), l.elaLbl,
                   QStringLiteral("  in2"));
        if (r.LeakageRatioG != 0.0f)
            out << row(QStringLiteral("Leakage Ratio @ 10 Pa=        "), l.ratio,
                       QStringLiteral("  in2 leakage/100 ft2 floor"));
        out << t2 + QStringLiteral("     50 Pa Flow:              ");
        out << row(QStringLiteral("ACH @ 50 Pa=                  "), l.ach50,
                   QStringLiteral("  air changes per hr"));
        out << row(QStringLiteral("Flow @ 50 Pa=                 "), l.flow50,
                   QStringLiteral("  cfm"));
        if (r.PermeabilityIndexG != 0.0f)
            out << row(QStringLiteral("Permeability Index @ 50 Pa="), l.permeability,
                       QStringLiteral("  cfm/ft2 surface"));
        if (r.UsaceIndexG != 0.0f)
            out << row(QStringLiteral("USACE Leak Index @ 75 Pa="), l.usace,
                       QStringLiteral("  cfm/ft2 surface"));
        if (r.Q4PaSurfG != 0.0f)
            out << row(QStringLiteral("Q4PaSurf Leak Index @ 4 Pa="), l.q4,
                       QStringLiteral("  cfm/ft2 surface-floor"));
        out << t2 + QStringLiteral("     Infiltration:");
        out << row(QStringLiteral("Estimated Annual Infiltration="), l.infAch,
                   QStringLiteral("  air changes per hour"));
        if (showsDeap(r, system))
            out << row(QStringLiteral("Infiltration DEAP Index="), l.deap,
                       french ? QStringLiteral("  cfm/ft2 surface") : QStringLiteral("  cfm/ft2"));
        out << row(QStringLiteral("Infiltration total flow=      "), l.infFlow,
                   QStringLiteral("  cfm"));
        out << row(QStringLiteral("Infiltration/Occupant=        "), l.perOccupant,
                   QStringLiteral("  cfm/occupant"));
        out << row(QStringLiteral("Infiltration/Bedroom=         "), l.perBedroom,
                   QStringLiteral("  cfm/bedroom"));
    }
    return joinLines(out);
}

QString technicalScreenText(const TestRecord& r, const QString& language, int16_t system) {
    const bool french = isFrench(language);
    const QString t1 = kTab;
    QStringList out;
    out << tabs(4) + QStringLiteral("AIR LEAKAGE TEST REPORT");
    out << t1 + QString(69, u'_');
    out << tabs(3) + QStringLiteral("TEST IDENTIFICATION DATA");
    const auto id = [&](const QString& label, int gap, const QString& value) {
        return t1 + label + tabs(gap) + field(value);
    };
    out << id(QStringLiteral("Data File:"), 3, r.FileNameG);
    out << id(QStringLiteral("Software:"), 3, r.ProgramNameG + u' ' + r.ProgramVersionG);
    out << t1 + QStringLiteral("Standard Calculations:") + t1 + kStandards;
    out << id(french ? QStringLiteral("Date et heure de test:")
                     : QStringLiteral("Test Date & Time:"),
              2, r.TestDateTimeG);
    out << id(QStringLiteral("Building:"), 3, r.BuildingTestedG);
    out << id(QStringLiteral("Address:"), 3, r.BuildingAddressG);
    out << id(QStringLiteral("Testing Company:"), 2, r.TestingCompanyG);
    out << id(QStringLiteral("Tested By:"), 2, r.TechnicianG);
    out << id(QStringLiteral("Wind Conditions:"), 2, r.WindConditionsG);
    out << id(QStringLiteral("Interior Doors:"), 2, r.InteriorDoorsG);
    out << id(QStringLiteral("Temporary Sealing:"), 2, r.TemporarySealingG);
    out << id(QStringLiteral("Basement Door:"), 2, r.BasementDoorG);
    out << id(QStringLiteral("Blower Door:"), 2, r.BlowerDoorIdG);
    if (!r.Comment1G.isEmpty())
        out << id(QStringLiteral("Comment:"), 2, r.Comment1G);
    for (const QString* c :
         {&r.Comment2G, &r.Comment3G, &r.Comment4G, &r.Comment5G, &r.Comment6G}) {
        if (!c->isEmpty())
            out << tabs(3) + field(*c);
    }

    out << QString();
    out << tabs(2) + QStringLiteral("BUILDING AND ENVIRONMENTAL DATA");
    const bool m = metric(system);
    const QString volumeUnit = m ? QStringLiteral("  m3") : QStringLiteral("  ft3");
    const QString areaUnit = m ? QStringLiteral("  m2") : QStringLiteral("  ft2");
    const QString tempUnit = m ? QStringLiteral("  C") : QStringLiteral("  F");
    out << t1 + QStringLiteral("Volume of Building=") + tabs(3) +
               rounded(units::volumeShown(r.BuildingVolumeCuFtG, system), 1) + volumeUnit;
    if (r.BuildingSurfaceAreaSqFtG != 0.0)
        out << t1 + QStringLiteral("Surface Area of Building=") + tabs(2) +
                   rounded(units::areaShown(r.BuildingSurfaceAreaSqFtG, system), 1) + areaUnit;
    if (r.BuildingFloorAreaSqFtG != 0.0)
        out << t1 + QStringLiteral("Floor Area of Building=") + tabs(2) +
                   rounded(units::areaShown(r.BuildingFloorAreaSqFtG, system), 1) + areaUnit;
    out << t1 + QStringLiteral("Stories above Grade=") + tabs(2) + rounded(storiesValue(r), 1);
    out << t1 + QStringLiteral("Temperature Inside=") + tabs(2) +
               rounded(units::temperatureShown(r.TemperatureInsideFG, system), 1) + tempUnit;
    out << t1 + QStringLiteral("Temperature Outside=") + tabs(2) +
               rounded(units::temperatureShown(r.TemperatureOutsideFG, system), 1) + tempUnit;
    out << id(QStringLiteral("Wind Shielding="), 3, r.WindShieldingFactorG);
    out << id(QStringLiteral("Number of Occupants="), 2, r.NumberOfOccupantsG);
    out << id(QStringLiteral("Number of Rooms="), 3, r.NumberofBedroomsG);
    out << id(QStringLiteral("Pressurize (P) or Depressurize (D)"), 1, r.PressurizeOrDepressG);
    out << t1 + QStringLiteral("Infiltration Conversion Factor=") + tabs(2) +
               rounded(r.DivideBy20FactorG, 2);

    out << QString();
    out << tabs(2) + QStringLiteral("BLOWER DOOR MEASUREMENTS AND CURVE FIT");
    out << QStringLiteral("\tPres Gauge\tFlow Gauge\tFlow Fit\tError\tLowFlow\tLowFlow");
    const QString pressureUnit =
        pascals(system) ? QStringLiteral("(Pa)      ") : QStringLiteral("(in. wc)  ");
    const QString flowUnit = m ? QStringLiteral("(m3/h)") : QStringLiteral("(cfm)");
    const QString fitUnit = m ? QStringLiteral("(m3/h)     ") : QStringLiteral("(cfm)     ");
    out << t1 + pressureUnit + tabs(2) + flowUnit + tabs(2) + fitUnit + t1 + QStringLiteral("(%)") +
               t1 + QStringLiteral("(factor)   ") + t1 + QStringLiteral("Setup");
    for (const int i : reportedPoints(r)) {
        const PointColumns c = pointColumns(r, i, system);
        out << t1 + c.pressure + tabs(2) + c.reading + tabs(2) + c.fit + t1 + c.error + t1 +
                   c.factor + t1 + c.setup;
    }

    if (pascals(system)) {
        const auto line = [&](const QString& label, float stat, float neg, float pos) {
            return t1 + label + t1 + rounded(pa(stat), 2) + QStringLiteral(" Pa   ") + t1 +
                   QStringLiteral("Neg Avg= ") + rounded(pa(neg), 2) + QStringLiteral(" Pa   ") +
                   t1 + QStringLiteral("Pos Avg= ") + rounded(pa(pos), 2) + QStringLiteral(" Pa");
        };
        out << line(QStringLiteral("Pre-Test Static Pressure="), r.PreTestStaticPresG,
                    r.PreTestNegAvgG, r.PreTestPosAvgG);
        out << line(QStringLiteral("Post-Test Static Pressure="), r.PostTestStaticPresG,
                    r.PostTestNegAvgG, r.PostTestPosAvgG);
    } else {
        const auto line = [&](const QString& label, const QString& negLabel, float stat, float neg,
                              float pos) {
            return t1 + label + rounded(stat, 4) + QStringLiteral(" in.wc") + t1 + negLabel +
                   rounded(neg, 4) + QStringLiteral(" in.wc   ") + t1 +
                   QStringLiteral("Pos Avg= ") + rounded(pos, 4) + QStringLiteral(" in.wc");
        };
        out << line(QStringLiteral("Pre-Test Static Pressure= "), QStringLiteral("Neg Avg= "),
                    r.PreTestStaticPresG, r.PreTestNegAvgG, r.PreTestPosAvgG);
        out << line(QStringLiteral("Post-Test Static Pressure= "), QStringLiteral("Neg Avg ="),
                    r.PostTestStaticPresG, r.PostTestNegAvgG, r.PostTestPosAvgG);
    }

    out << t1 + QStringLiteral("     Curve Fit Estimates");
    out << t1 + QStringLiteral("Correlation (0 to 1)=") + tabs(2) + rounded(r.CorrelationG, 4);
    const QString coefficient =
        pascals(system) ? rounded(flowCoefficient(r, system), 3) : rounded(r.FlowCoefficientG, 1);
    out << t1 + QStringLiteral("Flow Coefficient=") + tabs(2) + coefficient +
               flowCoefficientUnit(system);
    out << t1 + QStringLiteral("Pressure Exponent=") + t1 + rounded(r.PressureExponentG, 3) +
               QStringLiteral("  (dimensionless)");

    out << QString();
    out << tabs(3) + QStringLiteral("LEAKAGE AND FLOW ESTIMATES");
    out << t1 + QStringLiteral("     Leakage Area:");
    Leakage l = leakage(r, system);
    if (!m) {
        l.elaCgsb = rounded(r.ElaCgsbG, 1);
        l.elaLbl = rounded(r.ElaLblG, 1);
    }
    const auto row = [&](const QString& label, int gap, const QString& value, const QString& unit) {
        return t1 + label + tabs(gap) + value + unit;
    };
    const QString areaWord = m ? QStringLiteral("  cm2") : QStringLiteral("  in2");
    out << row(QStringLiteral("ELA-CGSB @ 10 Pa="), 2, l.elaCgsb,
               m ? areaWord : QStringLiteral("  in2   (equivalent open window)"));
    out << row(QStringLiteral("ELA - LBL @ 4 Pa="), 2, l.elaLbl, areaWord);
    if (r.LeakageRatioG != 0.0f)
        out << row(QStringLiteral("Leakage Ratio @ 10 Pa="), 1, l.ratio,
                   m ? QStringLiteral("  cm2 leakage/m2 floor")
                     : QStringLiteral("  in2 leakage/100 ft2 floor"));
    out << t1 + QStringLiteral("     50 Pa Flow:");
    out << row(QStringLiteral("ACH @ 50 Pa="), 2, l.ach50, QStringLiteral("  air changes per hr"));
    out << row(QStringLiteral("Flow @ 50 Pa="), 2, l.flow50,
               m ? QStringLiteral("  m3/h") : QStringLiteral("  cfm"));
    if (r.PermeabilityIndexG != 0.0f)
        out << row(QStringLiteral("Permeability Index @ 50 Pa="), 1, l.permeability,
                   !m       ? QStringLiteral("  cfm/ft2 surface")
                   : french ? QStringLiteral("  m3/h/m2")
                            : QStringLiteral("  m3/h/m2 surface"));
    if (r.UsaceIndexG != 0.0f)
        out << row(QStringLiteral("USACE Leak Index @ 75 Pa="), 1, l.usace,
                   m ? QStringLiteral("  m3/h/m2 surface") : QStringLiteral("  cfm/ft2 surface"));
    if (r.Q4PaSurfG != 0.0f)
        out << row(QStringLiteral("Q4PaSurf Leak Index @ 4 Pa="), 1, l.q4,
                   m ? QStringLiteral("  m3/h/m2 surface-floor")
                     : QStringLiteral("  cfm/ft2 surface-floor"));
    out << t1 + QStringLiteral("     Infiltration:");
    out << row(QStringLiteral("Estimated Annual Infiltration="), 1, l.infAch,
               m ? QStringLiteral(" changes per hour") : QStringLiteral("  air changes per hour"));
    out << row(QStringLiteral("Infiltration total flow="), 1, l.infFlow,
               m ? QStringLiteral(" m3/h") : QStringLiteral("  cfm"));
    out << row(QStringLiteral("Infiltration/Occupant="), 1, l.perOccupant,
               m ? QStringLiteral("  m3/h/occupant") : QStringLiteral("  cfm/occupant"));
    out << row(
        m ? QStringLiteral("Infiltration/BedRoom=") : QStringLiteral("Infiltration/Bedroom="), 1,
        l.perBedroom, m ? QStringLiteral("  m3/h/bedroom") : QStringLiteral("  cfm/bedroom"));
    if (showsDeap(r, system)) {
        const QString deap = m ? l.deap : firstOf(cut4(r.InfiltrationDeapIndexG), 6);
        out << row(QStringLiteral("Infiltration DEAP Index="), 1, deap,
                   !m       ? QStringLiteral(" cfm/ft2")
                   : french ? QStringLiteral(" m3/h/m2")
                            : QStringLiteral(" m3/h/m2 surface"));
    }
    return joinLines(out);
}

void refreshDeapIndex(TestRecord& r, int16_t system) {
    // A surface area of 0 (or a negative one from a damaged file) gives no index to store.
    if (showsDeap(r, system) && r.BuildingSurfaceAreaSqFtG > 0.0)
        r.InfiltrationDeapIndexG = toSingle(wide(r.InfiltrationFlowG) / r.BuildingSurfaceAreaSqFtG);
}

QString previewTechnicalReport(TestRecord& r) {
    refreshDeapIndex(r, r.UnitSystemG);
    return technicalScreenText(r, r.LanguageG, r.UnitSystemG);
}

} // namespace report
