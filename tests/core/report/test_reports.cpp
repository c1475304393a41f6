// The technical and customer reports, paper and screen: a whole text for each layout, and the
// other unit systems, languages and edge cases as changes to it, the whole text still compared.

#include "core/report/customerreport.h"
#include "core/report/technicalreport.h"
#include "support/testrecords.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace testrecords;

// A change to the test record before the report is composed.
using Change = std::function<void(TestRecord&)>;
Q_DECLARE_METATYPE(Change)
// Changes to a text: each `from` stands once in one line and becomes `to`; a null `to` takes
// that line out, and a `to` may hold line ends.
using Edits = QList<std::pair<QString, QString>>;

namespace {

QStringList linesOf(const QString& text) {
    return text.split(u"\r\n"_qs);
}

// `lines` with `edits` made; an edit without its one place adds a line that names it.
QStringList edited(QStringList lines, const Edits& edits) {
    for (const auto& [from, to] : edits) {
        const QStringList hits = lines.filter(from);
        const qsizetype at =
            hits.size() == 1 && hits[0].count(from) == 1 ? lines.indexOf(hits[0]) : -1;
        if (at < 0)
            lines << u"(no single place for \"%1\")"_qs.arg(from);
        else if (to.isNull())
            lines.removeAt(at);
        else
            lines[at].replace(from, to);
    }
    return linesOf(lines.join(u"\r\n"_qs));
}

// Paper, unit system 1, English.
const QStringList kTechnicalPaper1 =
    QStringList(7, u"\t"_qs) +
    QStringList{
        u"\t\t\t\t\tAIR LEAKAGE TEST REPORT"_qs,
        u"\t\t"_qs + QString(74, u'_'),
        u"\t\t\t\t\tTEST IDENTIFICATION DATA"_qs,
        u"\t\tData File:\t\t\tMAPLE.LKD"_qs,
        u"\t\tSoftware:\t\t\tVentrel 2.11 DEMO"_qs,
        u"\t\tStandard Calculations:\t\tEN 13829, TM-23, ASTM E779-03 & CGSB-149.1-2002"_qs,
        u"\t\tTest Date & Time: \t\t12/07/2026 10:15"_qs,
        u"\t\tBuilding:         \t\t\t12 Maple Lane"_qs,
        u"\t\tAddress:          \t\t\t12 Maple Lane, Springfield"_qs,
        u"\t\tTesting Company:  \t\tBrightwall Energy Audits"_qs,
        u"\t\tTested By:        \t\t\tR. Okafor"_qs,
        u"\t\tWind Conditions:  \t\tcalm"_qs,
        u"\t\tInterior Doors:   \t\topen"_qs,
        u"\t\tTemporary Sealing:\t\tnone"_qs,
        u"\t\tBlower Door:      \t\tK7-0412"_qs,
        u"\t\tComment:          \t\tDry day"_qs,
        u"\t\t                  Attic hatch taped"_qs,
        u""_qs,
        u"\t\t\tBUILDING AND ENVIRONMENTAL DATA"_qs,
        u"\t\tVolume of Building=               \t\t 12000.5  ft3"_qs,
        u"\t\tSurface Area of Building=         \t\t 5000  ft2"_qs,
        u"\t\tFloor Area of Building=           \t\t 1500  ft2"_qs,
        u"\t\tStories above Grade=              \t\t 2"_qs,
        u"\t\tTemperature Inside=               \t\t 70  F"_qs,
        u"\t\tTemperature Outside=              \t\t 40  F"_qs,
        u"\t\tWind Shielding=                   \t\t1"_qs,
        u"\t\tNumber of Occupants=              \t4"_qs,
        u"\t\tNumber of Rooms=                  \t\t3"_qs,
        u"\t\tPressurize (P) or Depressurize (D)\tD"_qs,
        u"\t\tInfiltration Conversion Factor=   \t 15.9"_qs,
        u""_qs,
        u"\t\t\tBLOWER DOOR MEASUREMENTS AND CURVE FIT"_qs,
        u"\t\tPres Gauge\tFlow Gauge\tFlow Fit\t\tError\t\tLowFlow\tLowFlow"_qs,
        u"\t\t(in. wc)  \t(cfm)\t\t(cfm)     \t(%)\t\t(factor)  \tSetup"_qs,
        u"\t\t-.2007\t\t 2000.2\t\t 1990.5\t\t .497\t\t 1\t\tMAG:Plate Off"_qs,
        u"\t\t-.1405\t\t 1500\t\t 1510.5\t\t-.702\t\t1\t\tPG5:4 Holes Open"_qs,
        u"\t\t-.0803\t\t 1100\t\t 1098.8\t\t .114\t\t 1.69\t\tMAG:4 Holes Open"_qs,
        u"\t\tPre-Test Static Pressure=\t-.0048 in.wc   \tNegative Avg=-.006 in.wc   \tPositive Avg= .001 in.wc"_qs,
        u"\t\tPost-Test Static Pressure=\t-.0064 in.wc   \tNegative Avg=-.008 in.wc   \tPositive Avg= .003 in.wc"_qs,
        u"\t\t     Curve Fit Estimates"_qs,
        u"\t\tCorrelation (0 to 1)=\t\t .9987"_qs,
        u"\t\tFlow Coefficient=\t\t 5000.12  cfm @ 1 in.wc"_qs,
        u"\t\tPressure Exponent=\t\t .65  (dimensionless)"_qs,
        u""_qs,
        u"\t\t\t\tLEAKAGE AND FLOW ESTIMATES"_qs,
        u"\t\t     Leakage Area:"_qs,
        u"\t\tELA-CGSB @ 10 Pa=             \t 123.4  in2   (equivalent open window)"_qs,
        u"\t\tELA - LBL @ 4 Pa=             \t 65.43  in2"_qs,
        u"\t\tLeakage Ratio @ 10 Pa=        \t .0823  in2 leakage/100 ft2 floor"_qs,
        u"\t\t     50 Pa Flow:              "_qs,
        u"\t\tACH @ 50 Pa=                  \t 6.543  air changes per hr"_qs,
        u"\t\tFlow @ 50 Pa=                 \t 1308.  cfm"_qs,
        u"\t\tPermeability Index @ 50 Pa=\t .2617  cfm/ft2 surface"_qs,
        u"\t\tUSACE Leak Index @ 75 Pa=\t .3456  cfm/ft2 surface"_qs,
        u"\t\tQ4PaSurf Leak Index @ 4 Pa=\t .0456  cfm/ft2 surface-floor"_qs,
        u"\t\t     Infiltration:"_qs,
        u"\t\tEstimated Annual Infiltration=\t .4098  air changes per hour"_qs,
        u"\t\tInfiltration DEAP Index=\t .0163  cfm/ft2"_qs,
        u"\t\tInfiltration total flow=      \t 81.79  cfm"_qs,
        u"\t\tInfiltration/Occupant=        \t 20.44  cfm/occupant"_qs,
        u"\t\tInfiltration/Bedroom=         \t 27.26  cfm/bedroom"_qs,
    };

// Screen, unit system 2, English.
const QStringList kTechnicalScreen2{
    u"\t\t\t\tAIR LEAKAGE TEST REPORT"_qs,
    u"\t"_qs + QString(69, u'_'),
    u"\t\t\tTEST IDENTIFICATION DATA"_qs,
    u"\tData File:\t\t\tMAPLE.LKD"_qs,
    u"\tSoftware:\t\t\tVentrel 2.11 DEMO"_qs,
    u"\tStandard Calculations:\tEN 13829, TM-23, ASTM E779-03 & CGSB-149.1-2002"_qs,
    u"\tTest Date & Time:\t\t12/07/2026 10:15"_qs,
    u"\tBuilding:\t\t\t12 Maple Lane"_qs,
    u"\tAddress:\t\t\t12 Maple Lane, Springfield"_qs,
    u"\tTesting Company:\t\tBrightwall Energy Audits"_qs,
    u"\tTested By:\t\tR. Okafor"_qs,
    u"\tWind Conditions:\t\tcalm"_qs,
    u"\tInterior Doors:\t\topen"_qs,
    u"\tTemporary Sealing:\t\tnone"_qs,
    u"\tBasement Door:\t\t"_qs,
    u"\tBlower Door:\t\tK7-0412"_qs,
    u"\tComment:\t\tDry day"_qs,
    u"\t\t\tAttic hatch taped"_qs,
    u"\t\t\tFireplace damper closed"_qs,
    u""_qs,
    u"\t\tBUILDING AND ENVIRONMENTAL DATA"_qs,
    u"\tVolume of Building=\t\t\t 12000.5  ft3"_qs,
    u"\tSurface Area of Building=\t\t 5000  ft2"_qs,
    u"\tFloor Area of Building=\t\t 1500  ft2"_qs,
    u"\tStories above Grade=\t\t 2"_qs,
    u"\tTemperature Inside=\t\t 70  F"_qs,
    u"\tTemperature Outside=\t\t 40  F"_qs,
    u"\tWind Shielding=\t\t\t1"_qs,
    u"\tNumber of Occupants=\t\t4"_qs,
    u"\tNumber of Rooms=\t\t\t3"_qs,
    u"\tPressurize (P) or Depressurize (D)\tD"_qs,
    u"\tInfiltration Conversion Factor=\t\t 15.97"_qs,
    u""_qs,
    u"\t\tBLOWER DOOR MEASUREMENTS AND CURVE FIT"_qs,
    u"\tPres Gauge\tFlow Gauge\tFlow Fit\tError\tLowFlow\tLowFlow"_qs,
    u"\t(Pa)      \t\t(cfm)\t\t(cfm)     \t(%)\t(factor)   \tSetup"_qs,
    u"\t-50\t\t 2000.2\t\t 1990.5\t .497\t 1\tMAG:Plate Off"_qs,
    u"\t-35\t\t 1500\t\t 1510.5\t-.702\t1\tPG5:4 Holes Open"_qs,
    u"\t-20\t\t 1100\t\t 1098.8\t .114\t 1.69\tMAG:4 Holes Open"_qs,
    u"\tPre-Test Static Pressure=\t-1.2 Pa   \tNeg Avg= -1.5 Pa   \tPos Avg=  .3 Pa"_qs,
    u"\tPost-Test Static Pressure=\t-1.6 Pa   \tNeg Avg= -2.04 Pa   \tPos Avg=  .66 Pa"_qs,
    u"\t     Curve Fit Estimates"_qs,
    u"\tCorrelation (0 to 1)=\t\t .9988"_qs,
    u"\tFlow Coefficient=\t\t 138.464  cfm @ 1 Pa"_qs,
    u"\tPressure Exponent=\t .65  (dimensionless)"_qs,
    u""_qs,
    u"\t\t\tLEAKAGE AND FLOW ESTIMATES"_qs,
    u"\t     Leakage Area:"_qs,
    u"\tELA-CGSB @ 10 Pa=\t\t 123.5  in2   (equivalent open window)"_qs,
    u"\tELA - LBL @ 4 Pa=\t\t 65.4  in2"_qs,
    u"\tLeakage Ratio @ 10 Pa=\t .0823  in2 leakage/100 ft2 floor"_qs,
    u"\t     50 Pa Flow:"_qs,
    u"\tACH @ 50 Pa=\t\t 6.543  air changes per hr"_qs,
    u"\tFlow @ 50 Pa=\t\t 1308.  cfm"_qs,
    u"\tPermeability Index @ 50 Pa=\t .2617  cfm/ft2 surface"_qs,
    u"\tUSACE Leak Index @ 75 Pa=\t .3456  cfm/ft2 surface"_qs,
    u"\tQ4PaSurf Leak Index @ 4 Pa=\t .0456  cfm/ft2 surface-floor"_qs,
    u"\t     Infiltration:"_qs,
    u"\tEstimated Annual Infiltration=\t .4098  air changes per hour"_qs,
    u"\tInfiltration total flow=\t 81.79  cfm"_qs,
    u"\tInfiltration/Occupant=\t 20.44  cfm/occupant"_qs,
    u"\tInfiltration/Bedroom=\t 27.26  cfm/bedroom"_qs,
    u"\tInfiltration DEAP Index=\t .0163 cfm/ft2"_qs,
};

// Paper from system 1 to a system of pascals.
const Edits kPascalPaper{
    {u"-.2007\t"_qs, u"-50\t"_qs},
    {u"-.1405\t"_qs, u"-35\t"_qs},
    {u"-.0803\t"_qs, u"-20\t"_qs},
    {u"(in. wc)  "_qs, u"(Pa)      "_qs},
    {u"-.0048 in.wc   \tNegative Avg=-.006 in.wc   \tPositive Avg= .001 in.wc"_qs,
     u"-1.2 Pa\tNeg Avg=-1.5 Pa  \tPositive Avg= .3 Pa"_qs},
    {u"-.0064 in.wc   \tNegative Avg=-.008 in.wc   \tPositive Avg= .003 in.wc"_qs,
     u"-1.6 Pa\tNeg Avg=-2 Pa  \tPositive Avg= .7 Pa"_qs},
};

// Paper and screen alike, from cfm to m3/h, ft to m, F to C.
const Edits kMetric{
    {u" 12000.5  ft3"_qs, u" 339.9  m3"_qs},
    {u" 5000  ft2"_qs, u" 464.5  m2"_qs},
    {u" 1500  ft2"_qs, u" 139.4  m2"_qs},
    {u" 70  F"_qs, u" 21.1  C"_qs},
    {u"(cfm)\t\t(cfm)"_qs, u"(m3/h)\t\t(m3/h)"_qs},
    {u" 2000.2\t\t 1990.5"_qs, u" 3398.4\t\t 3381.8"_qs},
    {u" 1500\t\t 1510.5"_qs, u" 2548.5\t\t 2566.3"_qs},
    {u" 1100\t\t 1098.8"_qs, u" 1869\t\t 1866.8"_qs},
    {u" .0823  in2 leakage/100 ft2 floor"_qs, u" .0571  cm2 leakage/m2 floor"_qs},
    {u" 1308.  cfm"_qs, u" 2223.  m3/h"_qs},
    {u" .2617  cfm/ft2 surface"_qs, u" 4.786  m3/h/m2 surface"_qs},
    {u" .3456  cfm/ft2 surface"_qs, u" 6.321  m3/h/m2 surface"_qs},
    {u" .0456  cfm/ft2 surface-floor"_qs, u" .8339  m3/h/m2 surface-floor"_qs},
    {u" .4098  air changes per hour"_qs, u" .4098 changes per hour"_qs},
    {u" 81.79  cfm"_qs, u" 138.9 m3/h"_qs},
    {u" 20.44  cfm/occupant"_qs, u" 34.74  m3/h/occupant"_qs},
    {u"Bedroom="_qs, u"BedRoom="_qs},
    {u" 27.26  cfm/bedroom"_qs, u" 46.32  m3/h/bedroom"_qs},
};

// Paper in system 3, French, with a basement door.
const Edits kPaper3French =
    kPascalPaper + kMetric +
    Edits{
        {u"Test Date & Time: "_qs, u"Date et heur de test: "_qs},
        {u"\t\tBlower Door:"_qs, u"\t\tBasement Door:    \t\tclosed\r\n\t\tBlower Door:"_qs},
        {u"above Grade=              \t\t 2"_qs, u"above Grade=              \t\t2"_qs},
        {u" 40  F"_qs, u" 4.44444  C"_qs},
        {u" 5000.12  cfm @ 1 in.wc"_qs, u" 235.250  m3/h @ 1 Pa"_qs},
        {u" 123.4  in2   (equivalent open window)"_qs, u" 796.4  cm2"_qs},
        {u" 65.43  in2"_qs, u" 422.1  cm2"_qs},
        {u"50 Pa Flow:              "_qs, u"50 Pa Flow:"_qs},
        {u" .0163  cfm/ft2"_qs, u" .2981 m3/h/m2 surface"_qs},
    };

// Screen in system 3, English.
const Edits kScreen3 =
    kMetric + Edits{
                  {u" 40  F"_qs, u" 4.4  C"_qs},
                  {u" 138.464  cfm"_qs, u" 235.251  m3/h"_qs},
                  {u" 123.5  in2   (equivalent open window)"_qs, u" 796.4  cm2"_qs},
                  {u" 65.4  in2"_qs, u" 422.1  cm2"_qs},
                  {u" .0163 cfm/ft2"_qs, u" .2981 m3/h/m2 surface"_qs},
              };

// A short template that meets every rule once, and its paper text in system 1.
const QString kRulesTemplate = u"\"AIR LEAKAGE TEST RESULTS\"\n"
                               "\"[TAB1]x\"\n"
                               "Report Prepared For:\n"
                               "Prepared By:\r\n"
                               "Testing Company:\n"
                               "Date of Test:\n"
                               "Building [BuildingID].\n"
                               "By [Technician]\n"
                               "For [TestingCompany]\n"
                               "On [TestDateAndTime].\n"
                               "\"[TAB2]indented\"\n"
                               "HOW MUCH AIR LEAKAGE DO YOU NEED?\n"
                               "\"Target about 1.3 square feet, or [ASHRAErecommendedELA].\"\n"
                               "An opening 24 inch wide and 7.7 inches.\n"
                               "Leaks of 2.8 square feet.\n"
                               "A 24 inch wide opening 17.0 inches\n"
                               "A crack 1 inch wide and 34.0 feet long.\n"
                               "Air changes 19.4 a day\n"
                               "Too many: 11.0 a day\n"
                               "Plain 34.0 item\n"
                               "one,   two\n"
                               "END\n"
                               "not read\n"_qs;

const QStringList kRulesPaper1{
    u"\t\t\t\t\tAIR LEAKAGE TEST RESULTS"_qs,
    u"\t\t\tx"_qs,
    u"\t\tReport Prepared For:\t\t12 Maple Lane"_qs,
    u"\t\tPrepared By:\t\tR. Okafor"_qs,
    u"\t\tTesting Company:\t\tBrightwall Energy Audits"_qs,
    u"\t\tDate of Test:\t\t12/07/2026 10:15"_qs,
    u"\t\tBuilding .\t\t12 Maple Lane"_qs,
    u"\t\tBy \t\tR. Okafor"_qs,
    u"\t\tFor \t\tBrightwall Energy Audits"_qs,
    u"\t\tOn .\t\t12/07/2026 10:15"_qs,
    u"\t\t\t\tindented"_qs,
    u"\t\t\tHOW MUCH AIR LEAKAGE DO YOU NEED?"_qs,
    u"\t\tTarget about  .732 square feet , or  .732 square feet ."_qs,
    u"\t\tAn opening 24 inch wide and  4.39 inches ."_qs,
    u"\t\tLeaks of  .857 square feet ."_qs,
    u"\t\tA 24 inch wide opening  5.14 inches "_qs,
    u"\t\tA crack 1 inch wide and  10.2 feet  long."_qs,
    u"\t\tAir changes  9.83  a day"_qs,
    u"\t\tToo many:  1.43  a day"_qs,
    u"\t\t\tPlain 123.45 item"_qs,
    u"\t\tone"_qs,
    u"\t\ttwo"_qs,
    u""_qs,
};

// Paper in system 3: two TABs before the title, metric figures, "24 inch" kept beside a height.
const Edits kRulesPaper3{
    {u"\t\t\t\t\tAIR"_qs, u"\t\t\t\tAIR"_qs},
    {u"  .732 square feet , or  .732 square feet ."_qs,
     u"  680.1 centimeters2 , or  680. centimeters2 ."_qs},
    {u" 4.39 inches ."_qs, u" 11.1 centimeters ."_qs},
    {u" .857 square feet ."_qs, u" 796.4 centimeters2 ."_qs},
    {u"A 24 inch wide opening  5.14 inches "_qs,
     u"A  60.9 centimeters  wide opening  13.0 centimeters "_qs},
    {u"A crack 1 inch wide and  10.2 feet  long."_qs,
     u"A crack  1 centimeter  wide and  7.96 meters  long."_qs},
};

QString sourceFile(const QString& relative) {
    return qEnvironmentVariable("VENTREL_SOURCE_DIR") + u'/' + relative;
}

} // namespace

class TestReports : public QObject {
    Q_OBJECT
  private slots:
    void technical_data() {
        // Where ("paper" or "screen", unit system, language), a change to the record, and the
        // edits to the layout's whole text (paper: system 1, screen: system 2, both English).
        QTest::addColumn<QString>("where");
        QTest::addColumn<Change>("change");
        QTest::addColumn<Edits>("edits");
        const Change none = [](TestRecord&) {};
        const Change basement = [](TestRecord& r) { r.BasementDoorG = u"closed"_qs; };

        QTest::newRow("paper, system 1") << u"paper 1 E"_qs << none << Edits{};
        QTest::newRow("paper, system 2: pascals, the rest in cfm")
            << u"paper 2 E"_qs << none
            << kPascalPaper + Edits{{u" 5000.12  cfm @ 1 in.wc"_qs, u" 138.464  cfm @ 1 Pa"_qs}};
        QTest::newRow("paper, system 3, French, basement door")
            << u"paper 3 F"_qs << basement << kPaper3French;
        QTest::newRow("paper, French in system 1: date and DEAP unit")
            << u"paper 1 F"_qs << none
            << Edits{{u"Test Date & Time: "_qs, u"Date et heur de test: "_qs},
                     {u" .0163  cfm/ft2"_qs, u" .0163  cfm/ft2 surface"_qs}};
        QTest::newRow("screen, system 2") << u"screen 2 E"_qs << none << Edits{};
        QTest::newRow("screen, system 3") << u"screen 3 E"_qs << none << kScreen3;
        QTest::newRow("screen, system 3, French")
            << u"screen 3 F"_qs << none
            << kScreen3 + Edits{{u"Test Date & Time:"_qs, u"Date et heure de test:"_qs},
                                {u" 4.786  m3/h/m2 surface"_qs, u" 4.786  m3/h/m2"_qs},
                                {u" .2981 m3/h/m2 surface"_qs, u" .2981 m3/h/m2"_qs}};
        QTest::newRow("volume 123.456789 prints nine characters")
            << u"paper 1 E"_qs << Change([](TestRecord& r) { r.BuildingVolumeCuFtG = 123.456789; })
            << Edits{{u" 12000.5  ft3"_qs, u" 123.4567  ft3"_qs}};
        QTest::newRow("no comments 1 and 2 nor leakage ratio; comment 6 on screen only")
            << u"paper 1 E"_qs << Change([](TestRecord& r) {
                   r.Comment1G.clear();
                   r.Comment2G.clear();
                   r.LeakageRatioG = 0;
                   r.Comment6G = u"six"_qs;
               })
            << Edits{{u"Dry day"_qs, {}}, {u"Attic"_qs, {}}, {u"Leakage Ratio"_qs, {}}};
        QTest::newRow("comment 6 on screen")
            << u"screen 2 E"_qs << Change([](TestRecord& r) { r.Comment6G = u"six"_qs; })
            << Edits{{u"Fireplace damper closed"_qs, u"Fireplace damper closed\r\n\t\t\tsix"_qs}};
        QTest::newRow("points 1 and 3 empty: the valid points, in order")
            << u"paper 1 E"_qs << Change([](TestRecord& r) {
                   r.PresGageG[4] = r.PresGageG[3];
                   r.FlowGageG[4] = r.FlowGageG[3];
                   r.LowFlowFactorG[4] = r.LowFlowFactorG[3];
                   r.LowFlowSetupG[4] = r.LowFlowSetupG[3];
                   r.FlowGageG[3] = 0;
                   r.FlowGageG[1] = 0;
                   r.PointCountG = 2;
               })
            << Edits{{u"Plate Off"_qs, {}}, {u" 1098.8\t\t .114"_qs, u" 0\t\t 0"_qs}};
        QTest::newRow("a stale setting text prints the plate's own")
            << u"paper 1 E"_qs << Change([](TestRecord& r) {
                   r.LowFlowSetupG[1] = u"PG5:K76 fan"_qs;
                   r.LowFlowFactorG[3] = 2.5f;
                   r.LowFlowSetupG[3] = u"custom plate"_qs;
               })
            << Edits{{u" 1.69\t\tMAG:4 Holes Open"_qs, u" 2.5\t\tcustom plate"_qs}};
        QTest::newRow("large flows keep their whole digits")
            << u"paper 3 F"_qs << Change([basement](TestRecord& r) {
                   basement(r);
                   r.Flow50G = 123456;
               })
            << kPaper3French + Edits{{u" 2223.  m3/h"_qs, u" 209751  m3/h"_qs}};
        QTest::newRow("tiny figures without an exponent")
            << u"paper 1 E"_qs << Change([](TestRecord& r) { r.ElaLblG = 1e-6f; })
            << Edits{{u" 65.43  in2"_qs, u" .0000  in2"_qs}};
        QTest::newRow("TAB and line breaks inside texts print as blanks")
            << u"paper 1 E"_qs << Change([](TestRecord& r) {
                   r.BuildingAddressG = u"12\tMaple\r\nLane, Springfield"_qs;
               })
            << Edits{{u"12 Maple Lane,"_qs, u"12 Maple  Lane,"_qs}};
    }

    void technical() {
        QFETCH(QString, where);
        QFETCH(Change, change);
        QFETCH(Edits, edits);
        const QStringList words = where.split(u' ');
        const auto system = static_cast<int16_t>(words[1].toInt());
        TestRecord r = reportTest(system);
        change(r);
        const bool screen = words[0] == u"screen";
        const QString text = screen ? report::technicalScreenText(r, words[2], system)
                                    : report::technicalReportText(r, words[2], system);
        QCOMPARE(linesOf(text), edited(screen ? kTechnicalScreen2 : kTechnicalPaper1, edits));
    }

    void technicalPreviewStoresOnlyDeap_data() {
        QTest::addColumn<int>("system");
        QTest::addColumn<double>("surface");
        QTest::addColumn<float>("permeability");
        QTest::addColumn<float>("deapAfter");
        QTest::addColumn<bool>("deapShown");
        const float refreshed = 81.7901f / 5000.0f;
        QTest::newRow("system 1: refreshed") << 1 << 5000.0 << 0.26173f << refreshed << true;
        QTest::newRow("system 3, no surface area: unchanged, no line")
            << 3 << 0.0 << 0.26173f << 0.5f << false;
        QTest::newRow("system 1, no permeability: unchanged, no line")
            << 1 << 5000.0 << 0.0f << 0.5f << false;
        // A damaged file: an index but no area to divide by.
        QTest::newRow("system 2, index but no area: nothing divided")
            << 2 << 0.0 << 0.26173f << 0.5f << true;
    }

    void technicalPreviewStoresOnlyDeap() {
        QFETCH(int, system);
        QFETCH(double, surface);
        QFETCH(float, permeability);
        QFETCH(float, deapAfter);
        QFETCH(bool, deapShown);
        TestRecord r = reportTest(static_cast<int16_t>(system));
        r.BuildingSurfaceAreaSqFtG = surface;
        r.PermeabilityIndexG = permeability;
        r.InfiltrationDeapIndexG = 0.5f;
        TestRecord expected = r;
        expected.InfiltrationDeapIndexG = deapAfter;
        QCOMPARE(report::previewTechnicalReport(r).contains(u"DEAP"_qs), deapShown);
        QCOMPARE(r.InfiltrationDeapIndexG, deapAfter);
        // Nothing else of the record moves: compare through the paper text, which shows it all.
        QCOMPARE(report::technicalReportText(r, u"E"_qs, r.UnitSystemG),
                 report::technicalReportText(expected, u"E"_qs, r.UnitSystemG));
    }

    // The screen puts one TAB less before each item, turns "24 inch" into centimetres beside a
    // height too, and takes "1 inch wide" as a whole.
    void customerWholeTexts() {
        TestRecord r = reportTest(1);
        const QStringList paper3 = edited(kRulesPaper1, kRulesPaper3);
        QStringList screen3 =
            edited(paper3, {{u"opening 24 inch wide"_qs, u"opening  60.9 centimeters  wide"_qs},
                            {u"centimeter  wide and  7.96"_qs, u"centimeter  and  7.96"_qs}});
        for (QString& line : screen3)
            line.remove(QRegularExpression(u"^\t"_qs));
        QCOMPARE(linesOf(report::customerReportText(r, 1, kRulesTemplate)), kRulesPaper1);
        QCOMPARE(linesOf(report::customerReportText(r, 3, kRulesTemplate)), paper3);
        QCOMPARE(linesOf(report::customerScreenText(r, 3, kRulesTemplate)), screen3);
    }

    void customerItems_data() {
        QTest::addColumn<Change>("change");
        QTest::addColumn<QString>("templateText");
        QTest::addColumn<QString>("expected");
        const Change none = [](TestRecord&) {};
        QTest::newRow("third item empty: two items")
            << none << u"A\nB\n\nC\nEND\n"_qs << u"\t\tA\r\n\t\tB\r\n"_qs;
        QTest::newRow("no END: to the end of the file")
            << none << u"A\r\nB"_qs << u"\t\tA\r\n\t\tB\r\n"_qs;
        QTest::newRow("no air changes: 0, not infinity")
            << Change([](TestRecord& r) { r.InfiltrationAchG = 0; })
            << u"About 1.3 square feet\n7.7 inches\n"_qs
            << u"\t\tAbout  0 square feet \r\n\t\t 0 inches \r\n"_qs;
        QTest::newRow("a crack of 34.0 feet stays 34.0")
            << Change([](TestRecord& r) { r.ElaCgsbG = 408.6f; })
            << u"2.8 square feet\nA crack 34.0 feet long\n"_qs
            << u"\t\t 2.83 square feet \r\n\t\tA crack  34.0 feet  long\r\n"_qs;
        QTest::newRow("a name with 34.0 stays 34.0")
            << Change([](TestRecord& r) { r.BuildingTestedG = u"Unit\t34.0"_qs; })
            << u"Report Prepared For\n"_qs << u"\t\tReport Prepared For\t\tUnit 34.0\r\n"_qs;
        QTest::newRow("an open quote ends at its line")
            << none << u"\"open, quote\nnext\n"_qs << u"\t\topen, quote\r\n\t\tnext\r\n"_qs;
        QTest::newRow("255 characters print, an item of 256 ends the report")
            << none << QString(255, u'x') + u"\n"_qs + QString(256, u'y') + u"\nB\n"_qs
            << u"\t\t"_qs + QString(255, u'x') + u"\r\n"_qs;
        QString many;
        QString first100;
        for (int i = 1; i <= 101; ++i) {
            many += u"item %1\n"_qs.arg(i);
            if (i <= 100)
                first100 += u"\t\titem %1\r\n"_qs.arg(i);
        }
        QTest::newRow("100 items at most") << none << many << first100;
    }

    void customerItems() {
        QFETCH(Change, change);
        QFETCH(QString, templateText);
        QFETCH(QString, expected);
        TestRecord r = reportTest(1);
        change(r);
        QCOMPARE(report::customerReportText(r, 1, templateText), expected);
    }

    void customerPreviewRefreshesInfiltration_data() {
        QTest::addColumn<int>("system");
        QTest::addColumn<QString>("windShielding");
        QTest::addColumn<float>("factorAfter");
        QTest::addColumn<QString>("expected");
        // 20 / 2^0.325 = 15.966; ACH 6.54321 / 15.966 = .40982: the area of .35 ACH is .7322 ft2.
        QTest::newRow("system 1, 2 stories, shielding 1")
            << 1 << u"1"_qs << 15.965968f << u"\tAbout  .732 square feet \r\n\t 9.83 \r\n"_qs;
        // Stored ACH .5 stays: the area of .35 ACH is (.35/.5) x 123.4567/144 = .6001 ft2.
        QTest::newRow("shielding no number: nothing changed")
            << 2 << u"calm"_qs << 20.0f << u"\tAbout  .600 square feet \r\n\t 12 \r\n"_qs;
        QTest::newRow("system 3: nothing changed")
            << 3 << u"1"_qs << 20.0f << u"\tAbout  557.5 centimeters2 \r\n\t 12 \r\n"_qs;
    }

    void customerPreviewRefreshesInfiltration() {
        QFETCH(int, system);
        QFETCH(QString, windShielding);
        QFETCH(float, factorAfter);
        QFETCH(QString, expected);
        TestRecord r = reportTest(static_cast<int16_t>(system));
        r.WindShieldingFactorG = windShielding;
        r.DivideBy20FactorG = 20;
        r.InfiltrationAchG = 0.5f;
        QCOMPARE(report::previewCustomerReport(r, u"About 1.3 square feet\n19.4\n"_qs), expected);
        QCOMPARE(r.DivideBy20FactorG, factorAfter);
        QCOMPARE(r.InfiltrationAchG, factorAfter == 20.0f ? 0.5f : r.Ach50G / factorAfter);
    }

    // The shipped template, paper and screen in every system: every marker and example figure
    // replaced, each name twice.
    void shippedTemplate() {
        QString text, error;
        QVERIFY2(report::readCustomerTemplate(sourceFile(u"data/Customer.txt"_qs), text, error),
                 qPrintable(error));
        const QStringList items = report::templateItems(text);
        QVERIFY(items.size() > 30 && items.size() < 100);
        QCOMPARE(items.last(), u"[TAB2]The test team"_qs);
        for (const int16_t system : {1, 2, 3}) {
            TestRecord r = reportTest(system);
            for (const QString& out : {report::customerReportText(r, system, text),
                                       report::customerScreenText(r, system, text)}) {
                for (const char16_t* left : {u"[", u"1.3 square", u"7.7 inches", u"2.8 square",
                                             u"17.0 inches", u"34.0 feet", u"19.4", u"11.0"})
                    QVERIFY2(!out.contains(QStringView(left)),
                             qPrintable(QString::fromUtf16(left)));
                for (const QString& value :
                     {r.BuildingTestedG, r.TechnicianG, r.TestingCompanyG, r.TestDateTimeG})
                    QCOMPARE(out.count(value), 2);
                QVERIFY(system == 3 ? !out.contains(u"inch"_qs) && !out.contains(u"feet"_qs) &&
                                          out.contains(u" 796.4 centimeters2 "_qs)
                                    : out.contains(u" .857 square feet "_qs));
            }
        }
    }

    // Windows-1252 bytes read as such; a missing file is said with its name.
    void templateFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Customer.txt"_qs);
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("\"Caf\xE9 \x80 5\"\r\nEND\r\n");
        f.close();
        QString text, error;
        QVERIFY(report::readCustomerTemplate(path, text, error));
        QCOMPARE(report::templateItems(text), QStringList{u"Café € 5"_qs});
        QVERIFY(!report::readCustomerTemplate(dir.filePath(u"none.txt"_qs), text, error));
        QVERIFY(error.contains(u"none.txt"_qs));
    }
};

QTEST_GUILESS_MAIN(TestReports)
#include "test_reports.moc"
