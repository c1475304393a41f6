#include "core/calc/leakagecalc.h"
#include "core/calc/pointentry.h"
#include "core/calc/resultdisplay.h"
#include "support/testrecords.h"

#include <QTest>

#include <cmath>
#include <limits>

using resultdisplay::ResultTexts;

namespace {

// A stored figure with the box it is shown in.
struct Figure {
    float TestRecord::*field;
    QString ResultTexts::*box;
};

QStringList perPoint(const TestRecord::PerPoint<QString>& texts) {
    return QStringList(texts.begin() + 1, texts.end()); // index 0 is never used
}

// Every box: the summary, then fit and error of points 1 to 9.
QStringList allTexts(const ResultTexts& t) {
    QStringList out{t.correlation,      t.flowCoefficient, t.exponent,   t.elaCgsb,
                    t.elaLbl,           t.leakageRatio,    t.ach50,      t.flow50,
                    t.permeability,     t.usace,           t.q4PaSurf,   t.infiltrationAch,
                    t.infiltrationFlow, t.perOccupant,     t.perBedroom, t.deapIndex};
    return out + perPoint(t.flowFit) + perPoint(t.flowError);
}

// The texts after a calculation (which updates `r`) and at load, from the same figures.
std::pair<ResultTexts, ResultTexts> runningAndLoaded(const TestRecord& r) {
    return {resultdisplay::flowFitFlowErrorTexts(r), resultdisplay::loadedResultTexts(r)};
}

} // namespace

class TestResultDisplay : public QObject {
    Q_OBJECT
  private slots:
    // The load cuts several figures to their first characters, never into the whole number
    // nor through an exponent.
    void firstChars() {
        QCOMPARE(resultdisplay::firstChars(u" .99887766"_qs, 8), u" .998877"_qs);
        QCOMPARE(resultdisplay::firstChars(u" 16975773.8"_qs, 7), u" 16975773"_qs);
        QCOMPARE(resultdisplay::firstChars(u" 1.234567E-06"_qs, 8), u" 1.2E-06"_qs);
        QCOMPARE(resultdisplay::firstChars(u"-9.87654E-12"_qs, 4), u"-9E-12"_qs);
    }

    // At load the per-point texts are those of the last calculation, but for the last
    // point's error, which the load writes itself, rounded to 2 places.
    void loadedPerPointTexts() {
        TestRecord r = testrecords::newTest(1); // the worked example's points in rows 1, 2 and 9
        testrecords::setPoint(r, 1, 20, 50);
        testrecords::setPoint(r, 2, 35, 70);
        testrecords::setPoint(r, 9, 50, 90);
        subLeakageCalc(r);
        const auto [running, loaded] = runningAndLoaded(r);
        QStringList errors = perPoint(running.flowError);
        QCOMPARE(errors.last(), u" .544"_qs);
        errors.last() = u" .54"_qs;
        QCOMPARE(perPoint(loaded.flowError), errors);
        QCOMPARE(perPoint(loaded.flowFit), perPoint(running.flowFit));
    }

    // One figure set in the record: its box after a calculation (rounded) and at load (cut to
    // a width, or plain). The exponent is 0, so a coefficient in Pa is the flow at 1 Pa as is.
    void figureFormats_data() {
        QTest::addColumn<int>("system");
        QTest::addColumn<Figure>("figure");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("running");
        QTest::addColumn<QString>("loaded");
#define ROW(sys, field, box, v, running, loaded)                                                   \
    QTest::addRow("%s %g in system %d", #field, v, sys)                                            \
        << sys << Figure{&TestRecord::field, &ResultTexts::box} << v << QStringLiteral(running)    \
        << QStringLiteral(loaded)
        ROW(1, CorrelationG, correlation, 0.9988374, " .9988", " .998837");
        ROW(1, CorrelationG, correlation, 1.234568e-6, " 0", " 1.2E-06");
        ROW(1, FlowCoefficientG, flowCoefficient, 12.3456789, " 12.3", " 12.345");
        ROW(2, FlowCoefficientG, flowCoefficient, 12.3456789, " 12.3", " 12.3456");
        ROW(3, FlowCoefficientG, flowCoefficient, 12.3456789, " 21", " 20.9753");
        ROW(1, PressureExponentG, exponent, 0.64783, " .648", " .6478");
        ROW(1, ElaCgsbG, elaCgsb, 9.2705, " 9.27", " 9.270");
        ROW(3, ElaCgsbG, elaCgsb, 10.0, " 64.52", " 64.51");
        ROW(1, ElaCgsbG, elaCgsb, 123456.7, " 123456.7", " 123456"); // whole digits never cut
        ROW(2, ElaLblG, elaLbl, 4.9386, " 4.94", " 4.938");
        ROW(1, LeakageRatioG, leakageRatio, 0.61803, " .62", " .6180");
        ROW(2, LeakageRatioG, leakageRatio, 1234.56, " 1234.56", " 1234.");
        ROW(3, LeakageRatioG, leakageRatio, 9.29, " 6.45", " 6.451");
        ROW(1, Ach50G, ach50, 0.53706, " .54", " .53706");
        ROW(2, Flow50G, flow50, 89.51, " 89.5", " 89.51");
        ROW(3, Flow50G, flow50, 100.0, " 169.9", " 169.9");
        ROW(1, InfiltrationAchG, infiltrationAch, 0.026853, " .0269", " .0268");
        ROW(1, InfiltrationFlowG, infiltrationFlow, 4.475485, " 4.475485", " 4.475485");
        ROW(3, InfiltrationFlowG, infiltrationFlow, 10.0, " 16.99", " 16.99");
        ROW(3, InfiltrationPerOccupantG, perOccupant, 1.0, " 1.699", " 1.699");
        ROW(3, InfiltrationPerBedroomG, perBedroom, 2.5, " 4.248", " 4.2475");
#undef ROW
    }
    void figureFormats() {
        QFETCH(int, system);
        QFETCH(Figure, figure);
        QFETCH(double, value);
        TestRecord r = testrecords::newTest(int16_t(system));
        r.PressureExponentG = 0.0f;
        r.*figure.field = static_cast<float>(value);
        const auto [afterCalc, atLoad] = runningAndLoaded(r);
        QTEST(afterCalc.*figure.box, "running");
        QTEST(atLoad.*figure.box, "loaded");
    }

    // The envelope-area figures come from the flows and areas, never from the stored indices.
    void envelopeFigures_data() {
        QTest::addColumn<int>("system");
        QTest::addColumn<double>("surface");
        QTest::addColumn<double>("floor");
        QTest::addColumn<QStringList>("running"); // perm, USACE, Q4, DEAP
        QTest::addColumn<QStringList>("loaded");
        const QStringList cfm{u" .0179"_qs, u" .02"_qs, u" 0"_qs, u" .0009"_qs};
        const QStringList cfmLoaded{u" .0178"_qs, u" .02"_qs, u" 0"_qs, u" .0008"_qs};
        const QStringList zeros(4, u" 0"_qs);
        QTest::newRow("in.wc") << 1 << 5000.0 << 1500.0 << cfm << cfmLoaded;
        QTest::newRow("m3/h") << 3 << 5000.0 << 1500.0
                              << QStringList{u" .33"_qs, u" .43"_qs, u" .09"_qs, u" .0164"_qs}
                              << QStringList{u" .3266"_qs, u" .43"_qs, u" .09"_qs, u" .0163"_qs};
        QTest::newRow("no surface area") << 1 << 0.0 << 1500.0 << zeros << zeros;
        QTest::newRow("no floor area") << 2 << 5000.0 << 0.0 << cfm << cfmLoaded;
        QTest::newRow("floor equal to surface") << 2 << 5000.0 << 5000.0 << cfm << cfmLoaded;
    }
    void envelopeFigures() {
        QFETCH(int, system);
        QFETCH(double, surface);
        QFETCH(double, floor);
        TestRecord r = testrecords::newTest(int16_t(system));
        r.BuildingSurfaceAreaSqFtG = surface;
        r.BuildingFloorAreaSqFtG = floor;
        // The permeability index is rounded to 4 places after a calculation, cut at load.
        r.Flow50G = 89.3f;
        r.Flow75G = 116.40f;
        r.Flow4G = 17.428f;
        r.InfiltrationFlowG = 4.475485f;
        // Figures of an earlier test that must not survive.
        r.PermeabilityIndexG = r.UsaceIndexG = r.Q4PaSurfG = r.InfiltrationDeapIndexG = 7.0f;
        recomputeEnvelopeFigures(r);
        const auto [t, l] = runningAndLoaded(r);
        QTEST((QStringList{t.permeability, t.usace, t.q4PaSurf, t.deapIndex}), "running");
        QTEST((QStringList{l.permeability, l.usace, l.q4PaSurf, l.deapIndex}), "loaded");
        // The record keeps the 0 the boxes show where a figure has no defined value.
        QCOMPARE(r.PermeabilityIndexG == 0.0f, surface == 0.0);
        QCOMPARE(r.Q4PaSurfG == 0.0f, surface == 0.0 || floor == 0.0 || floor == surface);
    }

    // Exponent box: 0.45 to 0.85 are usual, compared as Singles. Static averages, as their
    // boxes store them from in.wc: red beyond 4.999 Pa on the box's own side.
    void colours_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<uint>("colour");
        auto row = [](const char* box, const char* typed, uint32_t colour) {
            QTest::addRow("%s %s", box, typed)
                << QString::fromLatin1(box) << QString::fromLatin1(typed) << uint(colour);
        };
        using namespace resultdisplay;
        row("exponent", "0.85", kExponentOk);
        row("exponent", "0.45", kExponentOk);
        row("exponent", "0.850000083", kRed); // the next Single above 0.85
        row("exponent", "0.449999958", kRed); // and below 0.45
        row("negative", "-.0201", kRed);      // -5.007 Pa
        row("positive", "-.0201", kWhite);
        row("negative", "-.02", kWhite); // -4.982 Pa
        row("positive", ".0201", kRed);
        row("negative", ".0201", kWhite);
    }
    void colours() {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        TestRecord r = testrecords::newTest(1);
        r.PressureExponentG = typed.toFloat();
        const float stored = *pointentry::staticPressureEntered(typed, 1);
        QTEST(uint(box == u"exponent"_qs
                       ? resultdisplay::flowFitFlowErrorTexts(r).exponentColour
                       : (box == u"negative"_qs ? resultdisplay::negativeAverageColour(stored)
                                                : resultdisplay::positiveAverageColour(stored))),
              "colour");
    }

    // No valid point leaves zeros; figures that are not numbers (a damaged file) show as zeros.
    void undefinedFiguresShowZero_data() {
        QTest::addColumn<float>("value");
        QTest::newRow("zero") << 0.0f;
        QTest::newRow("NaN") << std::numeric_limits<float>::quiet_NaN();
        QTest::newRow("+inf") << std::numeric_limits<float>::infinity();
    }
    void undefinedFiguresShowZero() {
        QFETCH(float, value);
        for (int system : {1, 2, 3}) {
            TestRecord r = testrecords::newTest(int16_t(system));
            r.BuildingSurfaceAreaSqFtG = 5000;
            r.BuildingFloorAreaSqFtG = 1500;
            r.CorrelationG = r.FlowCoefficientG = r.PressureExponentG = r.ElaCgsbG = r.ElaLblG =
                value;
            r.LeakageRatioG = r.Ach50G = r.Flow50G = r.Flow75G = r.Flow4G = value;
            r.InfiltrationAchG = r.InfiltrationFlowG = r.InfiltrationPerOccupantG = value;
            r.InfiltrationPerBedroomG = r.InfiltrationDeapIndexG = value;
            for (int i = 1; i <= 9; ++i)
                r.FlowFitG[i] = r.FlowErrorG[i] = value;
            const auto [running, loaded] = runningAndLoaded(r);
            QCOMPARE(running.exponentColour, resultdisplay::kRed);
            QCOMPARE(allTexts(running), QStringList(16 + 2 * 9, u" 0"_qs));
            QCOMPARE(allTexts(loaded), QStringList(16 + 2 * 9, u" 0"_qs));
        }
    }
};

QTEST_GUILESS_MAIN(TestResultDisplay)
#include "test_resultdisplay.moc"
