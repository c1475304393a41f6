#include "calc/leakagecalc.h"
#include "calc/reentry.h"
#include "calc/resultdisplay.h"
#include "util/numtext.h"

#include <QTest>

#include <cmath>
#include <limits>
#include <map>

using resultdisplay::ResultTexts;

namespace {

TestRecord baseRecord(int16_t system) {
    TestRecord r;
    applyStartupValues(r);
    applyNewFileDefaults(r, system);
    return r;
}

void setPoint(TestRecord& r, int i, double pascals, double flow, float plate = 1.0f) {
    r.PresGageG[i] = pascals / 249.1;
    r.FlowGageG[i] = flow;
    r.LowFlowFactorG[i] = plate;
}

// Three points, 20, 35 and 50 Pa at 50, 70 and 90 cfm, in a house with known areas.
TestRecord exampleRecord(int16_t system) {
    TestRecord r = baseRecord(system);
    setPoint(r, 1, 20, 50);
    setPoint(r, 2, 35, 70);
    setPoint(r, 3, 50, 90);
    r.BuildingVolumeCuFtG = 10000;
    r.BuildingFloorAreaSqFtG = 1500;
    r.BuildingSurfaceAreaSqFtG = 5000;
    r.DivideBy20FactorG = 20;
    r.NumberOfOccupantsG = QStringLiteral("4");
    r.NumberofBedroomsG = QStringLiteral("2");
    return r;
}

// The record's result fields and the texts' boxes by name, so that tables can name them.
const std::map<QString, float TestRecord::*>& figureFields() {
    static const std::map<QString, float TestRecord::*> fields{
        {QStringLiteral("Correlation"), &TestRecord::CorrelationG},
        {QStringLiteral("Exponent"), &TestRecord::PressureExponentG},
        {QStringLiteral("ElaCgsb"), &TestRecord::ElaCgsbG},
        {QStringLiteral("ElaLbl"), &TestRecord::ElaLblG},
        {QStringLiteral("LeakageRatio"), &TestRecord::LeakageRatioG},
        {QStringLiteral("Ach50"), &TestRecord::Ach50G},
        {QStringLiteral("Flow50"), &TestRecord::Flow50G},
        {QStringLiteral("Flow75"), &TestRecord::Flow75G},
        {QStringLiteral("Flow4"), &TestRecord::Flow4G},
        {QStringLiteral("InfAch"), &TestRecord::InfiltrationAchG},
        {QStringLiteral("InfFlow"), &TestRecord::InfiltrationFlowG},
        {QStringLiteral("PerOccupant"), &TestRecord::InfiltrationPerOccupantG},
        {QStringLiteral("PerBedroom"), &TestRecord::InfiltrationPerBedroomG},
    };
    return fields;
}

const std::map<QString, QString ResultTexts::*>& boxes() {
    static const std::map<QString, QString ResultTexts::*> b{
        {QStringLiteral("txtCorrelVal"), &ResultTexts::correlation},
        {QStringLiteral("txtFlowCoefVal"), &ResultTexts::flowCoefficient},
        {QStringLiteral("txtPresExpVal"), &ResultTexts::exponent},
        {QStringLiteral("txtElaCgsbVal"), &ResultTexts::elaCgsb},
        {QStringLiteral("txtElaLblVal"), &ResultTexts::elaLbl},
        {QStringLiteral("txtLR10PaVal"), &ResultTexts::leakageRatio},
        {QStringLiteral("txtACH50Val"), &ResultTexts::ach50},
        {QStringLiteral("txtFlow50Val"), &ResultTexts::flow50},
        {QStringLiteral("txtBldgIndxVal"), &ResultTexts::permeability},
        {QStringLiteral("txtUSACEindxVal"), &ResultTexts::usace},
        {QStringLiteral("txtQ4PaSurfVal"), &ResultTexts::q4PaSurf},
        {QStringLiteral("txtInfACHVal"), &ResultTexts::infiltrationAch},
        {QStringLiteral("txtInfFloVal"), &ResultTexts::infiltrationFlow},
        {QStringLiteral("txtInfFloPrsVal"), &ResultTexts::perOccupant},
        {QStringLiteral("txtInfFloRmVal"), &ResultTexts::perBedroom},
        {QStringLiteral("txtInfIndexVal"), &ResultTexts::deapIndex},
    };
    return b;
}

QStringList allTexts(const ResultTexts& t) {
    QStringList out;
    for (const auto& [name, member] : boxes())
        out << t.*member;
    for (int i = 1; i <= 9; ++i)
        out << t.flowFit[i] << t.flowError[i];
    return out;
}

} // namespace

class TestResultDisplay : public QObject {
    Q_OBJECT
  private slots:
    // The three-point example through the calculation, shown after each change.
    void workedExample_data() {
        QTest::addColumn<int>("system");
        QTest::addColumn<QStringList>("fits");
        QTest::addColumn<QString>("coefficient");
        QTest::addColumn<QStringList>("others"); // ELA, LBL, LR, ACH50, Flow50, perm, USACE, Q4

        QTest::newRow("in.wc cfm")
            << 1 << QStringList{u" 49.4"_qs, u" 71"_qs, u" 89.5"_qs} << u" 253.3"_qs
            << QStringList{u" 9.27"_qs, u" 4.94"_qs,  u" .62"_qs, u" .54"_qs,
                           u" 89.5"_qs, u" .0179"_qs, u" .02"_qs, u" 0"_qs};
        QTest::newRow("Pa cfm") << 2 << QStringList{u" 49.4"_qs, u" 71"_qs, u" 89.5"_qs}
                                << u" 7.1"_qs
                                << QStringList{u" 9.27"_qs, u" 4.94"_qs,  u" .62"_qs, u" .54"_qs,
                                               u" 89.5"_qs, u" .0179"_qs, u" .02"_qs, u" 0"_qs};
        QTest::newRow("Pa m3/h") << 3 << QStringList{u" 84"_qs, u" 120.7"_qs, u" 152.1"_qs}
                                 << u" 12.1"_qs
                                 << QStringList{u" 59.81"_qs, u" 31.86"_qs, u" .43"_qs, u" .54"_qs,
                                                u" 152.1"_qs, u" .33"_qs,   u" .43"_qs, u" .09"_qs};
    }
    void workedExample() {
        QFETCH(int, system);
        QFETCH(QStringList, fits);
        QFETCH(QString, coefficient);
        QFETCH(QStringList, others);
        TestRecord r = exampleRecord(static_cast<int16_t>(system));
        subLeakageCalc(r);
        const ResultTexts t = resultdisplay::flowFitFlowErrorTexts(r);

        QCOMPARE(r.FlowDisplayFactorG, system == 3 ? 1.699 : 1.0);
        for (int i = 1; i <= 3; ++i)
            QCOMPARE(t.flowFit[i], fits[i - 1]);
        // Errors are cut, not rounded, and are the same in every system.
        QCOMPARE(t.flowError[1], u" 1.121"_qs);
        QCOMPARE(t.flowError[2], u"-1.49"_qs);
        QCOMPARE(t.flowError[3], u" .544"_qs);
        QCOMPARE(t.correlation, u" .9988"_qs);
        QCOMPARE(t.flowCoefficient, coefficient);
        QCOMPARE(t.exponent, u" .648"_qs);
        QCOMPARE(t.exponentColour, resultdisplay::kExponentOk);
        const QStringList shown{t.elaCgsb, t.elaLbl,       t.leakageRatio, t.ach50,
                                t.flow50,  t.permeability, t.usace,        t.q4PaSurf};
        QCOMPARE(shown, others);
        // Unused rows show a plain zero.
        for (int i = 4; i <= 9; ++i) {
            QCOMPARE(t.flowFit[i], u" 0"_qs);
            QCOMPARE(t.flowError[i], u" 0"_qs);
        }
    }

    // Formats of single figures, set directly in the record: after a calculation and at load.
    void figureFormats_data() {
        QTest::addColumn<int>("system");
        QTest::addColumn<QString>("field");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("running");
        QTest::addColumn<QString>("loaded");

        auto row = [](const char* name, int sys, const char* field, double v, const char* box,
                      const char* running, const char* loaded) {
            QTest::newRow(name) << sys << QString::fromLatin1(field) << v
                                << QString::fromLatin1(box) << QString::fromLatin1(running)
                                << QString::fromLatin1(loaded);
        };
        row("correlation 4 places / 8 chars", 1, "Correlation", 0.9988374, "txtCorrelVal", " .9988",
            " .998837");
        row("correlation short", 2, "Correlation", 0.5, "txtCorrelVal", " .5", " .5");
        row("exponent 3 places / 6 chars", 1, "Exponent", 0.64783, "txtPresExpVal", " .648",
            " .6478");
        row("exponent half to even", 1, "Exponent", 0.6125, "txtPresExpVal", " .612", " .6125");
        row("ELA in2", 1, "ElaCgsb", 9.2705, "txtElaCgsbVal", " 9.27", " 9.270");
        row("ELA cm2", 3, "ElaCgsb", 10.0, "txtElaCgsbVal", " 64.52", " 64.51");
        row("ELA large keeps its digits", 1, "ElaCgsb", 123456.7, "txtElaCgsbVal", " 123456.7",
            " 123456");
        row("LBL in2", 2, "ElaLbl", 4.9386, "txtElaLblVal", " 4.94", " 4.938");
        row("LR in2/100ft2", 1, "LeakageRatio", 0.61803, "txtLR10PaVal", " .62", " .6180");
        row("LR cm2/m2", 3, "LeakageRatio", 9.29, "txtLR10PaVal", " 6.45", " 6.451");
        row("ACH50 plain at load", 1, "Ach50", 0.53706, "txtACH50Val", " .54", " .53706");
        row("Flow50 cfm", 2, "Flow50", 89.51, "txtFlow50Val", " 89.5", " 89.51");
        row("Flow50 m3/h", 3, "Flow50", 100.0, "txtFlow50Val", " 169.9", " 169.9");
        row("Inf ACH 4 places / cut", 1, "InfAch", 0.026853, "txtInfACHVal", " .0269", " .0268");
        row("Inf flow plain", 1, "InfFlow", 4.475485, "txtInfFloVal", " 4.475485", " 4.475485");
        row("Inf flow m3/h", 3, "InfFlow", 10.0, "txtInfFloVal", " 16.99", " 16.99");
        row("per person plain", 2, "PerOccupant", 1.118871, "txtInfFloPrsVal", " 1.118871",
            " 1.118871");
        row("per person m3/h 3 places", 3, "PerOccupant", 1.0, "txtInfFloPrsVal", " 1.699",
            " 1.699");
        row("per bedroom m3/h", 3, "PerBedroom", 2.5, "txtInfFloRmVal", " 4.248", " 4.2475");
        row("negative figure", 1, "LeakageRatio", -0.25, "txtLR10PaVal", "-.25", "-.25");
    }
    void figureFormats() {
        QFETCH(int, system);
        QFETCH(QString, field);
        QFETCH(double, value);
        QFETCH(QString, box);
        QFETCH(QString, running);
        QFETCH(QString, loaded);
        TestRecord r = baseRecord(static_cast<int16_t>(system));
        r.*figureFields().at(field) = static_cast<float>(value);
        TestRecord copy = r;
        QCOMPARE(resultdisplay::flowFitFlowErrorTexts(r).*boxes().at(box), running);
        QCOMPARE(resultdisplay::loadedResultTexts(copy).*boxes().at(box), loaded);
    }

    // The flow coefficient in each system's unit; n = 0 makes the flow at 1 Pa equal C.
    void flowCoefficient_data() {
        QTest::addColumn<int>("system");
        QTest::addColumn<double>("c");
        QTest::addColumn<double>("n");
        QTest::addColumn<QString>("running");
        QTest::addColumn<QString>("loaded");
        QTest::newRow("in.wc 7 chars") << 1 << 12.3456789 << 0.65 << u" 12.3"_qs << u" 12.345"_qs;
        QTest::newRow("Pa 8 chars") << 2 << 12.3456789 << 0.0 << u" 12.3"_qs << u" 12.3456"_qs;
        QTest::newRow("m3/h") << 3 << 12.3456789 << 0.0 << u" 21"_qs << u" 20.9753"_qs;
        QTest::newRow("worked example at 1 Pa")
            << 2 << 253.32 << 0.64783 << u" 7.1"_qs << u" 7.09948"_qs;
    }
    void flowCoefficient() {
        QFETCH(int, system);
        QFETCH(double, c);
        QFETCH(double, n);
        QFETCH(QString, running);
        QFETCH(QString, loaded);
        TestRecord r = baseRecord(static_cast<int16_t>(system));
        r.FlowCoefficientG = static_cast<float>(c);
        r.PressureExponentG = static_cast<float>(n);
        TestRecord copy = r;
        QCOMPARE(resultdisplay::flowFitFlowErrorTexts(r).flowCoefficient, running);
        QCOMPARE(resultdisplay::loadedResultTexts(copy).flowCoefficient, loaded);
    }

    // The envelope-area figures come from the flows and areas, not from the stored indices.
    void envelopeFigures_data() {
        QTest::addColumn<int>("system");
        QTest::addColumn<double>("surface");
        QTest::addColumn<double>("floor");
        QTest::addColumn<QStringList>("running"); // perm, USACE, Q4, DEAP
        QTest::addColumn<QStringList>("loaded");
        QTest::newRow("in.wc") << 1 << 5000.0 << 1500.0
                               << QStringList{u" .0179"_qs, u" .02"_qs, u" 0"_qs, u" .0009"_qs}
                               << QStringList{u" .0179"_qs, u" .02"_qs, u" 0"_qs, u" .0008"_qs};
        QTest::newRow("m3/h") << 3 << 5000.0 << 1500.0
                              << QStringList{u" .33"_qs, u" .43"_qs, u" .09"_qs, u" .0164"_qs}
                              << QStringList{u" .3274"_qs, u" .43"_qs, u" .09"_qs, u" .0163"_qs};
        QTest::newRow("no surface area")
            << 1 << 0.0 << 1500.0 << QStringList{u" 0"_qs, u" 0"_qs, u" 0"_qs, u" 0"_qs}
            << QStringList{u" 0"_qs, u" 0"_qs, u" 0"_qs, u" 0"_qs};
        QTest::newRow("no floor area: no 4 Pa index")
            << 2 << 5000.0 << 0.0 << QStringList{u" .0179"_qs, u" .02"_qs, u" 0"_qs, u" .0009"_qs}
            << QStringList{u" .0179"_qs, u" .02"_qs, u" 0"_qs, u" .0008"_qs};
        QTest::newRow("floor equal to surface")
            << 2 << 5000.0 << 5000.0
            << QStringList{u" .0179"_qs, u" .02"_qs, u" 0"_qs, u" .0009"_qs}
            << QStringList{u" .0179"_qs, u" .02"_qs, u" 0"_qs, u" .0008"_qs};
    }
    void envelopeFigures() {
        QFETCH(int, system);
        QFETCH(double, surface);
        QFETCH(double, floor);
        QFETCH(QStringList, running);
        QFETCH(QStringList, loaded);
        TestRecord r = baseRecord(static_cast<int16_t>(system));
        r.BuildingSurfaceAreaSqFtG = surface;
        r.BuildingFloorAreaSqFtG = floor;
        r.Flow50G = 89.51f;
        r.Flow75G = 116.40f;
        r.Flow4G = 17.428f;
        r.InfiltrationFlowG = 4.475485f;
        // Figures of an earlier test that must not survive.
        r.PermeabilityIndexG = r.UsaceIndexG = r.Q4PaSurfG = r.InfiltrationDeapIndexG = 7.0f;
        TestRecord copy = r;

        const ResultTexts t = resultdisplay::flowFitFlowErrorTexts(r);
        QCOMPARE((QStringList{t.permeability, t.usace, t.q4PaSurf, t.deapIndex}), running);
        const ResultTexts l = resultdisplay::loadedResultTexts(copy);
        QCOMPARE((QStringList{l.permeability, l.usace, l.q4PaSurf, l.deapIndex}), loaded);
        if (!(surface > 0.0)) {
            QCOMPARE(r.PermeabilityIndexG, 0.0f);
            QCOMPARE(r.UsaceIndexG, 0.0f);
            QCOMPARE(r.Q4PaSurfG, 0.0f);
        }
        if (floor == 0.0 || floor == surface)
            QCOMPARE(r.Q4PaSurfG, 0.0f);
    }

    void exponentColour_data() {
        QTest::addColumn<float>("n");
        QTest::addColumn<uint>("colour");
        const uint ok = resultdisplay::kExponentOk;
        const uint red = resultdisplay::kRed;
        QTest::newRow("typical") << 0.65f << ok;
        QTest::newRow("0.85 exactly") << 0.85f << ok;
        QTest::newRow("0.45 exactly") << 0.45f << ok;
        QTest::newRow("just above 0.85") << std::nextafter(0.85f, 1.0f) << red;
        QTest::newRow("just below 0.45") << std::nextafter(0.45f, 0.0f) << red;
        QTest::newRow("0.9") << 0.9f << red;
        QTest::newRow("no fit") << 0.0f << red;
        QTest::newRow("negative") << -0.65f << red;
        QTest::newRow("not a number") << std::numeric_limits<float>::quiet_NaN() << red;
    }
    void exponentColour() {
        QFETCH(float, n);
        QFETCH(uint, colour);
        QCOMPARE(uint(resultdisplay::exponentColour(n)), colour);
        TestRecord r = baseRecord(1);
        r.PressureExponentG = n;
        QCOMPARE(uint(resultdisplay::flowFitFlowErrorTexts(r).exponentColour), colour);
    }

    // Averages as the boxes store them, typed in Pa or in.wc.
    void staticAverageColour_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("system");
        QTest::addColumn<bool>("negativeBox");
        QTest::addColumn<uint>("colour");
        const uint white = resultdisplay::kWhite;
        const uint red = resultdisplay::kRed;
        QTest::newRow("-5 Pa") << u"-5"_qs << 2 << true << red;
        QTest::newRow("-4.999 Pa") << u"-4.999"_qs << 2 << true << white;
        QTest::newRow("-4.999 Pa, m3/h system") << u"-4.999"_qs << 3 << true << white;
        QTest::newRow("-5.01 Pa") << u"-5.01"_qs << 3 << true << red;
        QTest::newRow("4.999 Pa") << u" 4.999"_qs << 2 << false << white;
        QTest::newRow("5 Pa") << u"5"_qs << 2 << false << red;
        QTest::newRow("-.0201 in.wc is -5.007 Pa") << u"-.0201"_qs << 1 << true << red;
        QTest::newRow("-.02 in.wc is -4.982 Pa") << u"-.02"_qs << 1 << true << white;
        QTest::newRow("positive value in the negative box") << u"8"_qs << 2 << true << white;
        QTest::newRow("negative value in the positive box") << u"-8"_qs << 2 << false << white;
        QTest::newRow("nothing") << u" 0"_qs << 2 << true << white;
    }
    void staticAverageColour() {
        QFETCH(QString, typed);
        QFETCH(int, system);
        QFETCH(bool, negativeBox);
        QFETCH(uint, colour);
        const float stored = *staticPressureEntered(typed, static_cast<int16_t>(system));
        const uint shown = negativeBox ? resultdisplay::negativeAverageColour(stored)
                                       : resultdisplay::positiveAverageColour(stored);
        QCOMPARE(shown, colour);
    }

    void fanFlowTexts_data() {
        QTest::addColumn<float>("cfm");
        QTest::addColumn<int>("system");
        QTest::addColumn<QString>("rounded");
        QTest::addColumn<QString>("full");
        QTest::newRow("m3/h") << 100.0f << 3 << u" 169.9"_qs << u" 169.9"_qs;
        QTest::newRow("half to even") << 730.45f << 1 << u" 730.4"_qs << u" 730.45"_qs;
        QTest::newRow("1 Hole plate") << 952.0f / 9.52f << 2 << u" 100"_qs << u" 99.99999"_qs;
        QTest::newRow("full precision") << 58.823529f << 1 << u" 58.8"_qs << u" 58.82353"_qs;
        QTest::newRow("zero") << 0.0f << 3 << u" 0"_qs << u" 0"_qs;
    }
    void fanFlowTexts() {
        QFETCH(float, cfm);
        QFETCH(int, system);
        QFETCH(QString, rounded);
        QFETCH(QString, full);
        QCOMPARE(resultdisplay::fanFlowBoxText(cfm, static_cast<int16_t>(system)), rounded);
        QCOMPARE(resultdisplay::fanFlowFullText(cfm, static_cast<int16_t>(system)), full);
    }

    void firstChars_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("k");
        QTest::addColumn<QString>("shown");
        QTest::newRow("cut decimals") << u" .9988374"_qs << 8 << u" .998837"_qs;
        QTest::newRow("short text unchanged") << u" 5"_qs << 6 << u" 5"_qs;
        QTest::newRow("cut leaves the point") << u" 1234.56"_qs << 6 << u" 1234."_qs;
        QTest::newRow("whole digits kept") << u" 123456.7"_qs << 6 << u" 123456"_qs;
        QTest::newRow("negative whole digits kept") << u"-1234567.5"_qs << 6 << u"-1234567"_qs;
        QTest::newRow("small with exponent") << u" 1.234568E-05"_qs << 8 << u" 1.2E-05"_qs;
        QTest::newRow("exponent never dropped") << u" 1.234568E-05"_qs << 6 << u" 1E-05"_qs;
        QTest::newRow("large with exponent") << u"-1.5E+15"_qs << 6 << u"-1E+15"_qs;
    }
    void firstChars() {
        QFETCH(QString, text);
        QFETCH(int, k);
        QFETCH(QString, shown);
        QCOMPARE(resultdisplay::firstChars(text, k), shown);
    }

    // Points the fit leaves out, and fits that give nothing, show plain zeros.
    void pointsLeftOut_data() {
        QTest::addColumn<int>("point");
        QTest::addColumn<double>("pascals");
        QTest::addColumn<double>("flow");
        QTest::addColumn<float>("plate");
        QTest::newRow("no pressure") << 4 << 0.0 << 120.0 << 1.0f;
        QTest::newRow("no flow") << 5 << 60.0 << 0.0 << 1.0f;
        QTest::newRow("no plate chosen") << 9 << 60.0 << 120.0 << 0.0f;
        QTest::newRow("negative reading") << 6 << 60.0 << -120.0 << -10.0f;
    }
    void pointsLeftOut() {
        QFETCH(int, point);
        QFETCH(double, pascals);
        QFETCH(double, flow);
        QFETCH(float, plate);
        TestRecord r = exampleRecord(1);
        setPoint(r, point, pascals, flow, plate);
        subLeakageCalc(r);
        const ResultTexts t = resultdisplay::flowFitFlowErrorTexts(r);
        QCOMPARE(t.flowFit[point], u" 0"_qs);
        QCOMPARE(t.flowError[point], u" 0"_qs);
        QCOMPARE(t.correlation, u" .9988"_qs);
    }

    void noValidPoint() {
        TestRecord r = exampleRecord(2);
        for (int i = 1; i <= 9; ++i)
            r.FlowGageG[i] = 0.0;
        subLeakageCalc(r);
        const ResultTexts t = resultdisplay::flowFitFlowErrorTexts(r);
        for (const QString& s : allTexts(t))
            QCOMPARE(s, u" 0"_qs);
        QCOMPARE(t.exponentColour, resultdisplay::kRed);
    }

    // An exponent beyond 4 gives no coefficient: every valid point misses by 100 %.
    void exponentOutOfRange() {
        TestRecord r = baseRecord(1);
        setPoint(r, 1, 10, 10);
        setPoint(r, 2, 20, 10 * std::pow(2.0, 4.5));
        r.BuildingVolumeCuFtG = 10000;
        subLeakageCalc(r);
        const ResultTexts t = resultdisplay::flowFitFlowErrorTexts(r);
        QCOMPARE(t.exponent, u" 4.5"_qs);
        QCOMPARE(t.exponentColour, resultdisplay::kRed);
        QCOMPARE(t.flowCoefficient, u" 0"_qs);
        QCOMPARE(t.flowFit[1], u" 0"_qs);
        QCOMPARE(t.flowError[1], u" 100"_qs);
        QCOMPARE(t.flowError[2], u" 100"_qs);
        QCOMPARE(t.elaCgsb, u" 0"_qs);
        QCOMPARE(t.flow50, u" 0"_qs);
    }

    // Figures that are not numbers (a damaged file) never reach a box as such.
    void nonFiniteFiguresShowZero_data() {
        QTest::addColumn<float>("value");
        QTest::newRow("NaN") << std::numeric_limits<float>::quiet_NaN();
        QTest::newRow("+inf") << std::numeric_limits<float>::infinity();
        QTest::newRow("-inf") << -std::numeric_limits<float>::infinity();
    }
    void nonFiniteFiguresShowZero() {
        QFETCH(float, value);
        for (int16_t system : {1, 2, 3}) {
            TestRecord r = baseRecord(system);
            r.BuildingSurfaceAreaSqFtG = 5000;
            r.BuildingFloorAreaSqFtG = 1500;
            r.FlowCoefficientG = value;
            for (const auto& [name, member] : figureFields())
                r.*member = value;
            for (int i = 1; i <= 9; ++i)
                r.FlowFitG[i] = r.FlowErrorG[i] = value;
            TestRecord copy = r;
            for (const ResultTexts& t : {resultdisplay::flowFitFlowErrorTexts(r),
                                         resultdisplay::loadedResultTexts(copy)}) {
                for (const QString& s : allTexts(t)) {
                    QVERIFY2(!s.contains(u"nan"_qs, Qt::CaseInsensitive) &&
                                 !s.contains(u"inf"_qs, Qt::CaseInsensitive),
                             qPrintable(s));
                    QCOMPARE(s, u" 0"_qs);
                }
            }
        }
    }

    // The last point's error is the one the load writes itself, rounded to 2 places.
    void loadedPerPointTexts() {
        TestRecord r = exampleRecord(1);
        setPoint(r, 9, 50, 90);
        setPoint(r, 3, 0, 0);
        subLeakageCalc(r);
        TestRecord copy = r;
        const ResultTexts running = resultdisplay::flowFitFlowErrorTexts(r);
        const ResultTexts loaded = resultdisplay::loadedResultTexts(copy);
        QCOMPARE(loaded.flowError[9], u" .54"_qs);
        QCOMPARE(running.flowError[9], u" .544"_qs);
        for (int i = 1; i <= 8; ++i) {
            QCOMPARE(loaded.flowError[i], running.flowError[i]);
            QCOMPARE(loaded.flowFit[i], running.flowFit[i]);
        }
    }
};

QTEST_GUILESS_MAIN(TestResultDisplay)
#include "test_resultdisplay.moc"
