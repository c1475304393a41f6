#include "core/calc/leakagecalc.h"
#include "core/calc/pointentry.h"
#include "core/calc/resultdisplay.h"
#include "support/testrecords.h"

#include <QTest>

#include <cmath>
#include <limits>
#include <map>

using resultdisplay::ResultTexts;

namespace {

// The stored figures with the box each one is shown in.
struct Figure {
    float TestRecord::*field;
    QString ResultTexts::*box;
};
const std::map<QString, Figure> kFigures{
    {u"Correlation"_qs, {&TestRecord::CorrelationG, &ResultTexts::correlation}},
    {u"Coefficient"_qs, {&TestRecord::FlowCoefficientG, &ResultTexts::flowCoefficient}},
    {u"Exponent"_qs, {&TestRecord::PressureExponentG, &ResultTexts::exponent}},
    {u"ElaCgsb"_qs, {&TestRecord::ElaCgsbG, &ResultTexts::elaCgsb}},
    {u"ElaLbl"_qs, {&TestRecord::ElaLblG, &ResultTexts::elaLbl}},
    {u"LeakageRatio"_qs, {&TestRecord::LeakageRatioG, &ResultTexts::leakageRatio}},
    {u"Ach50"_qs, {&TestRecord::Ach50G, &ResultTexts::ach50}},
    {u"Flow50"_qs, {&TestRecord::Flow50G, &ResultTexts::flow50}},
    {u"InfAch"_qs, {&TestRecord::InfiltrationAchG, &ResultTexts::infiltrationAch}},
    {u"InfFlow"_qs, {&TestRecord::InfiltrationFlowG, &ResultTexts::infiltrationFlow}},
    {u"PerOccupant"_qs, {&TestRecord::InfiltrationPerOccupantG, &ResultTexts::perOccupant}},
    {u"PerBedroom"_qs, {&TestRecord::InfiltrationPerBedroomG, &ResultTexts::perBedroom}},
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
    void firstChars_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("k");
        QTest::addColumn<QString>("shown");
        QTest::newRow("cut after the point") << " .99887766" << 8 << " .998877";
        QTest::newRow("whole number kept") << " 16975773.8" << 7 << " 16975773";
        QTest::newRow("negative exponent") << " 1.234567E-06" << 8 << " 1.2E-06";
        QTest::newRow("exponent wider than k") << "-9.87654E-12" << 4 << "-9E-12";
    }
    void firstChars() {
        QFETCH(QString, text);
        QFETCH(int, k);
        QFETCH(QString, shown);
        QCOMPARE(resultdisplay::firstChars(text, k), shown);
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
        QTest::addColumn<QString>("figure");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("running");
        QTest::addColumn<QString>("loaded");
        auto row = [](int sys, const char* figure, double v, const char* running,
                      const char* loaded) {
            QTest::addRow("%s %g in system %d", figure, v, sys)
                << sys << QString::fromLatin1(figure) << v << QString::fromLatin1(running)
                << QString::fromLatin1(loaded);
        };
        row(1, "Correlation", 0.9988374, " .9988", " .998837");
        row(1, "Correlation", 1.234568e-6, " 0", " 1.2E-06");
        row(1, "Coefficient", 12.3456789, " 12.3", " 12.345");
        row(2, "Coefficient", 12.3456789, " 12.3", " 12.3456");
        row(3, "Coefficient", 12.3456789, " 21", " 20.9753");
        row(1, "Exponent", 0.64783, " .648", " .6478");
        row(1, "ElaCgsb", 9.2705, " 9.27", " 9.270");
        row(3, "ElaCgsb", 10.0, " 64.52", " 64.51");
        row(1, "ElaCgsb", 123456.7, " 123456.7", " 123456"); // whole digits never cut
        row(2, "ElaLbl", 4.9386, " 4.94", " 4.938");
        row(1, "LeakageRatio", 0.61803, " .62", " .6180");
        row(2, "LeakageRatio", 1234.56, " 1234.56", " 1234.");
        row(3, "LeakageRatio", 9.29, " 6.45", " 6.451");
        row(1, "Ach50", 0.53706, " .54", " .53706");
        row(2, "Flow50", 89.51, " 89.5", " 89.51");
        row(3, "Flow50", 100.0, " 169.9", " 169.9");
        row(1, "InfAch", 0.026853, " .0269", " .0268");
        row(1, "InfFlow", 4.475485, " 4.475485", " 4.475485");
        row(3, "InfFlow", 10.0, " 16.99", " 16.99");
        row(3, "PerOccupant", 1.0, " 1.699", " 1.699");
        row(3, "PerBedroom", 2.5, " 4.248", " 4.2475");
    }
    void figureFormats() {
        QFETCH(int, system);
        QFETCH(QString, figure);
        QFETCH(double, value);
        QFETCH(QString, running);
        QFETCH(QString, loaded);
        TestRecord r = testrecords::newTest(int16_t(system));
        r.PressureExponentG = 0.0f;
        const Figure& f = kFigures.at(figure);
        r.*f.field = static_cast<float>(value);
        const auto [afterCalc, atLoad] = runningAndLoaded(r);
        QCOMPARE(afterCalc.*f.box, running);
        QCOMPARE(atLoad.*f.box, loaded);
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
        QFETCH(QStringList, running);
        QFETCH(QStringList, loaded);
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
        QCOMPARE((QStringList{t.permeability, t.usace, t.q4PaSurf, t.deapIndex}), running);
        QCOMPARE((QStringList{l.permeability, l.usace, l.q4PaSurf, l.deapIndex}), loaded);
        // The record keeps the 0 the boxes show where a figure has no defined value.
        QCOMPARE(r.PermeabilityIndexG == 0.0f, surface == 0.0);
        QCOMPARE(r.Q4PaSurfG == 0.0f, surface == 0.0 || floor == 0.0 || floor == surface);
    }

    // Exponent box: 0.45 to 0.85 are usual, compared as Singles. Static averages, as their
    // boxes store them from Pa or in.wc: red beyond 4.999 Pa on the box's own side.
    void colours_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("system");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("red");
        auto row = [](const char* box, int system, const char* typed, bool red) {
            QTest::addRow("%s %s in system %d", box, typed, system)
                << QString::fromLatin1(box) << system << QString::fromLatin1(typed) << red;
        };
        row("exponent", 1, "0.85", false);
        row("exponent", 1, "0.45", false);
        row("exponent", 1, "0.850000083", true); // the next Single above 0.85
        row("exponent", 1, "0.449999958", true); // and below 0.45
        row("negative", 3, "-4.999", false);
        row("negative", 1, "-.0201", true); // -5.007 Pa
        row("positive", 1, "-.0201", false);
        row("negative", 1, "-.02", false); // -4.982 Pa
        row("positive", 1, ".0201", true);
        row("negative", 1, ".0201", false);
    }
    void colours() {
        QFETCH(QString, box);
        QFETCH(int, system);
        QFETCH(QString, typed);
        QFETCH(bool, red);
        TestRecord r = testrecords::newTest(int16_t(system));
        r.PressureExponentG = typed.toFloat();
        const float stored =
            *pointentry::staticPressureEntered(typed, static_cast<int16_t>(system));
        const uint32_t colour =
            box == u"exponent"_qs   ? resultdisplay::flowFitFlowErrorTexts(r).exponentColour
            : box == u"negative"_qs ? resultdisplay::negativeAverageColour(stored)
                                    : resultdisplay::positiveAverageColour(stored);
        QCOMPARE(colour, red ? resultdisplay::kRed
                             : (box == u"exponent"_qs ? resultdisplay::kExponentOk
                                                      : resultdisplay::kWhite));
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
            for (const auto& [name, figure] : kFigures)
                r.*figure.field = value;
            r.Flow75G = r.Flow4G = r.InfiltrationDeapIndexG = value;
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
