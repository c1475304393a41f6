// The data-file reader on any bytes: bytes -> record -> figures -> written bytes -> record
// again. Whatever reads must give finite numbers, the figures, the quality intervals and the
// graph's coordinates must be finite, and what the program writes must read back to the same
// numbers and texts and write the same bytes again.

#include "fuzz.h"

#include "core/calc/leakagecalc.h"
#include "core/calc/testquality.h"
#include "core/record/lkdfile.h"
#include "core/report/graphmodel.h"

#include <QByteArray>
#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

using R = TestRecord;

// Every number the file holds, by name.
template <typename F> void forEachFileNumber(const R& r, F&& f) {
    f("UnitSystemG", double(r.UnitSystemG));
    f("BuildingVolumeCuFtG", r.BuildingVolumeCuFtG);
    f("BuildingSurfaceAreaSqFtG", r.BuildingSurfaceAreaSqFtG);
    f("BuildingFloorAreaSqFtG", r.BuildingFloorAreaSqFtG);
    f("TemperatureInsideFG", r.TemperatureInsideFG);
    f("TemperatureOutsideFG", r.TemperatureOutsideFG);
    f("DivideBy20FactorG", r.DivideBy20FactorG);
    f("PreTestStaticPresG", r.PreTestStaticPresG);
    for (int i = 1; i <= R::kPoints; ++i) {
        f("PresGageG", r.PresGageG[i]);
        f("FlowGageG", r.FlowGageG[i]);
        f("FlowFitG", r.FlowFitG[i]);
        f("FlowErrorG", r.FlowErrorG[i]);
        f("LowFlowFactorG", r.LowFlowFactorG[i]);
    }
    f("PostTestStaticPresG", r.PostTestStaticPresG);
    for (auto [name, field] : {std::pair{"CorrelationG", &R::CorrelationG},
                               {"FlowCoefficientG", &R::FlowCoefficientG},
                               {"PressureExponentG", &R::PressureExponentG},
                               {"ElaCgsbG", &R::ElaCgsbG},
                               {"ElaLblG", &R::ElaLblG},
                               {"LeakageRatioG", &R::LeakageRatioG},
                               {"Ach50G", &R::Ach50G},
                               {"Flow50G", &R::Flow50G},
                               {"PermeabilityIndexG", &R::PermeabilityIndexG},
                               {"InfiltrationAchG", &R::InfiltrationAchG},
                               {"InfiltrationFlowG", &R::InfiltrationFlowG},
                               {"InfiltrationPerOccupantG", &R::InfiltrationPerOccupantG},
                               {"InfiltrationPerBedroomG", &R::InfiltrationPerBedroomG},
                               {"BarometricPresG", &R::BarometricPresG},
                               {"Reserved1G", &R::Reserved1G},
                               {"Reserved2G", &R::Reserved2G},
                               {"PreTestNegAvgG", &R::PreTestNegAvgG},
                               {"PreTestPosAvgG", &R::PreTestPosAvgG},
                               {"PostTestNegAvgG", &R::PostTestNegAvgG},
                               {"PostTestPosAvgG", &R::PostTestPosAvgG}})
        f(name, r.*field);
}

// The figures the calculation adds, which the file does not hold.
template <typename F> void forEachFigure(const R& r, F&& f) {
    f("FlowDisplayFactorG", r.FlowDisplayFactorG);
    f("StaticPresBaselineG", r.StaticPresBaselineG);
    for (int i = 1; i <= R::kPoints; ++i)
        f("FanFlowG", r.FanFlowG[i]);
    for (auto [name, field] : {std::pair{"UsaceIndexG", &R::UsaceIndexG},
                               {"Q4PaSurfG", &R::Q4PaSurfG},
                               {"InfiltrationDeapIndexG", &R::InfiltrationDeapIndexG},
                               {"Flow75G", &R::Flow75G},
                               {"Flow4G", &R::Flow4G}})
        f(name, r.*field);
}

template <typename F> void forEachText(const R& r, F&& f) {
    for (auto field : {&R::ProgramNameG,        &R::UnitSystemTextG,
                       &R::TestDateTimeG,       &R::TestingCompanyG,
                       &R::BuildingTestedG,     &R::BuildingAddressG,
                       &R::TechnicianG,         &R::WindConditionsG,
                       &R::InteriorDoorsG,      &R::TemporarySealingG,
                       &R::BasementDoorG,       &R::BlowerDoorIdG,
                       &R::Comment1G,           &R::Comment2G,
                       &R::Comment3G,           &R::Comment4G,
                       &R::Comment5G,           &R::Comment6G,
                       &R::StoriesAboveGradeG,  &R::WindShieldingFactorG,
                       &R::NumberOfOccupantsG,  &R::NumberofBedroomsG,
                       &R::PressurizeOrDepressG})
        f(r.*field);
}

void checkFinite(const R& r, const char* stage) {
    const auto finite = [stage](const char* name, auto v) {
        FUZZ_CHECK(std::isfinite(v), "%s: %s is %g", stage, name, double(v));
    };
    forEachFileNumber(r, finite);
    forEachFigure(r, finite);
}

bool sameNumber(double a, double b) {
    return a == b; // finite here; -0 and 0 are the same number
}

void checkSameFile(const R& written, const R& read) {
    // Both walks visit the fields in the same order; pair them up by position.
    double values[256];
    int n = 0;
    forEachFileNumber(written, [&](const char*, auto v) { values[n++] = double(v); });
    int k = 0;
    forEachFileNumber(read, [&](const char* name, auto v) {
        FUZZ_CHECK(sameNumber(values[k], double(v)), "%s written as %.17g reads back as %.17g",
                   name, values[k], double(v));
        ++k;
    });

    QString texts[32];
    n = 0;
    forEachText(written, [&](const QString& s) { texts[n++] = s; });
    k = 0;
    forEachText(read, [&](const QString& s) {
        // The writer turns line breaks inside a text into blanks; nothing else may change.
        QString expected = texts[k++];
        expected.replace(u'\r', u' ').replace(u'\n', u' ');
        FUZZ_CHECK(s == expected, "text \"%s\" reads back as \"%s\"", qPrintable(expected),
                   qPrintable(s));
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    R stored;
    QString error;
    if (!parseLkd(bytes, stored, &error)) {
        FUZZ_CHECK(!error.isEmpty(), "a failed read gives no reason");
        return 0;
    }
    checkFinite(stored, "read");

    R shown = stored;
    calculateTest(shown);
    checkFinite(shown, "figures");

    const testquality::Quality q = testquality::assess(shown);
    for (const auto& i : {q.exponent, q.coefficient, q.flow50, q.ach50})
        FUZZ_CHECK(!i || (std::isfinite(i->low) && std::isfinite(i->high)),
                   "an interval is %g to %g", i->low, i->high);
    for (int16_t system = 1; system <= 3; ++system) {
        const graph::Model m = graph::buildGraph(shown, system);
        for (const graph::Point& p : m.points)
            FUZZ_CHECK(std::isfinite(p.x) && std::isfinite(p.y) && p.x >= 0 &&
                           p.x <= graph::kBoxWidth && p.y >= graph::kAreaTop &&
                           p.y <= graph::kBoxHeight,
                       "point %d at %g, %g", p.row, p.x, p.y);
        for (const graph::Line& l : m.lines)
            FUZZ_CHECK(std::isfinite(l.x1 + l.y1 + l.x2 + l.y2), "a grid line is not finite");
        if (m.fit)
            FUZZ_CHECK(std::isfinite(m.fit->x1 + m.fit->y1 + m.fit->x2 + m.fit->y2),
                       "the fitted line is not finite");
    }

    const QByteArray written = composeLkd(shown);
    R again;
    FUZZ_CHECK(parseLkd(written, again, &error), "what was written does not read: %s",
               qPrintable(error));
    checkSameFile(shown, again);
    const QByteArray rewritten = composeLkd(again);
    FUZZ_CHECK(rewritten == written, "the file changes when written a second time");

    // The measurement page's variant differs on line 98 only, which the reader skips.
    R fromVariant;
    FUZZ_CHECK(parseLkd(composeLkd(shown, Line98::UsaceIndex), fromVariant, &error),
               "the measurement page's file does not read: %s", qPrintable(error));
    FUZZ_CHECK(composeLkd(fromVariant) == written, "line 98 changes what is read");
    return 0;
}
