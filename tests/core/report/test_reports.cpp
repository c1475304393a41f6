// The technical and customer reports, paper and screen: whole texts for a full test, and the
// single lines the edge cases change.

#include "core/report/customerreport.h"
#include "core/report/technicalreport.h"
#include "support/testrecords.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace testrecords;

namespace {

QString crlf(const QStringList& lines) {
    return lines.join(u"\r\n"_qs);
}

QStringList linesOf(const QString& text) {
    return text.split(u"\r\n"_qs);
}

const QString kUnder74(74, u'_');
const QString kUnder69(69, u'_');

// Paper, unit system 1, English.
const QStringList kTechnicalPaper1 =
    QStringList(7, u"\t"_qs) +
    QStringList{
        u"\t\t\t\t\tAIR LEAKAGE TEST REPORT"_qs,
        u"\t\t"_qs + kUnder74,
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

// Paper, unit system 3, French, with a basement door: the lines that differ from system 1.
QStringList technicalPaper3French() {
    QStringList l = kTechnicalPaper1;
    l[13] = u"\t\tDate et heur de test: \t\t12/07/2026 10:15"_qs;
    l.insert(21, u"\t\tBasement Door:    \t\tclosed"_qs);
    const int b = 27; // the building section, one line further down
    l[b] = u"\t\tVolume of Building=               \t\t 339.9  m3"_qs;
    l[b + 1] = u"\t\tSurface Area of Building=         \t\t 464.5  m2"_qs;
    l[b + 2] = u"\t\tFloor Area of Building=           \t\t 139.4  m2"_qs;
    l[b + 3] = u"\t\tStories above Grade=              \t\t2"_qs;
    l[b + 4] = u"\t\tTemperature Inside=               \t\t 21.1  C"_qs;
    l[b + 5] = u"\t\tTemperature Outside=              \t\t 4.44444  C"_qs;
    const int t = 41;
    l[t] = u"\t\t(Pa)      \t(m3/h)\t\t(m3/h)     \t(%)\t\t(factor)  \tSetup"_qs;
    l[t + 1] = u"\t\t-50\t\t 3398.4\t\t 3381.8\t\t .497\t\t 1\t\tMAG:Plate Off"_qs;
    l[t + 2] = u"\t\t-35\t\t 2548.5\t\t 2566.3\t\t-.702\t\t1\t\tPG5:4 Holes Open"_qs;
    l[t + 3] = u"\t\t-20\t\t 1869\t\t 1866.8\t\t .114\t\t 1.69\t\tMAG:4 Holes Open"_qs;
    l[t + 4] = u"\t\tPre-Test Static Pressure=\t-1.2 Pa\tNeg Avg=-1.5 Pa  \tPositive Avg= .3 Pa"_qs;
    l[t + 5] = u"\t\tPost-Test Static Pressure=\t-1.6 Pa\tNeg Avg=-2 Pa  \tPositive Avg= .7 Pa"_qs;
    l[t + 8] = u"\t\tFlow Coefficient=\t\t 235.250  m3/h @ 1 Pa"_qs;
    const int k = 54;
    const QStringList leakage{
        u"\t\tELA-CGSB @ 10 Pa=             \t 796.4  cm2"_qs,
        u"\t\tELA - LBL @ 4 Pa=             \t 422.1  cm2"_qs,
        u"\t\tLeakage Ratio @ 10 Pa=        \t .0571  cm2 leakage/m2 floor"_qs,
        u"\t\t     50 Pa Flow:"_qs,
        u"\t\tACH @ 50 Pa=                  \t 6.543  air changes per hr"_qs,
        u"\t\tFlow @ 50 Pa=                 \t 2223.  m3/h"_qs,
        u"\t\tPermeability Index @ 50 Pa=\t 4.786  m3/h/m2 surface"_qs,
        u"\t\tUSACE Leak Index @ 75 Pa=\t 6.321  m3/h/m2 surface"_qs,
        u"\t\tQ4PaSurf Leak Index @ 4 Pa=\t .8339  m3/h/m2 surface-floor"_qs,
        u"\t\t     Infiltration:"_qs,
        u"\t\tEstimated Annual Infiltration=\t .4098 changes per hour"_qs,
        u"\t\tInfiltration DEAP Index=\t .2981 m3/h/m2 surface"_qs,
        u"\t\tInfiltration total flow=      \t 138.9 m3/h"_qs,
        u"\t\tInfiltration/Occupant=        \t 34.74  m3/h/occupant"_qs,
        u"\t\tInfiltration/BedRoom=         \t 46.32  m3/h/bedroom"_qs,
    };
    l = l.mid(0, k) + leakage;
    return l;
}

// Screen, unit system 2, English.
const QStringList kTechnicalScreen2{
    u"\t\t\t\tAIR LEAKAGE TEST REPORT"_qs,
    u"\t"_qs + kUnder69,
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

// A short template that meets every rule once, and its paper text in systems 1 and 3.
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
                               "An opening 7.7 inches.\n"
                               "Leaks of 2.8 square feet.\n"
                               "A 24 inch wide opening 17.0 inches\n"
                               "A crack 1 inch wide and 34.0 feet long.\n"
                               "Air changes 19.4 a day\n"
                               "Too many: 11.0 a day\n"
                               "Plain 34.0 item\n"
                               "one,   two\n"
                               "END\n"
                               "not read\n"_qs;

const QStringList kHeadOfRules{
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
};
const QStringList kTailOfRules{
    u"\t\tAir changes  9.83  a day"_qs,
    u"\t\tToo many:  1.43  a day"_qs,
    u"\t\t\tPlain 123.45 item"_qs,
    u"\t\tone"_qs,
    u"\t\ttwo"_qs,
    u""_qs,
};

QString rulesPaper1() {
    return crlf(QStringList{u"\t\t\t\t\tAIR LEAKAGE TEST RESULTS"_qs} + kHeadOfRules +
                QStringList{
                    u"\t\tTarget about  .732 square feet , or  .732 square feet ."_qs,
                    u"\t\tAn opening  4.39 inches ."_qs,
                    u"\t\tLeaks of  .857 square feet ."_qs,
                    u"\t\tA 24 inch wide opening  5.14 inches "_qs,
                    u"\t\tA crack 1 inch wide and  10.2 feet  long."_qs,
                } +
                kTailOfRules);
}

QString rulesPaper3() {
    return crlf(QStringList{u"\t\t\t\tAIR LEAKAGE TEST RESULTS"_qs} + kHeadOfRules +
                QStringList{
                    u"\t\tTarget about  680.1 centimeters2 , or  680. centimeters2 ."_qs,
                    u"\t\tAn opening  11.1 centimeters ."_qs,
                    u"\t\tLeaks of  796.4 centimeters2 ."_qs,
                    u"\t\tA  60.9 centimeters  wide opening  13.0 centimeters "_qs,
                    u"\t\tA crack  1 centimeter  wide and  7.96 meters  long."_qs,
                } +
                kTailOfRules);
}

QString sourceFile(const QString& relative) {
    return qEnvironmentVariable("VENTREL_SOURCE_DIR") + u'/' + relative;
}

} // namespace

// A change to the test record before the report is composed.
using Change = std::function<void(TestRecord&)>;
Q_DECLARE_METATYPE(Change)

class TestReports : public QObject {
    Q_OBJECT
  private slots:
    void technicalWholeTexts() {
        const TestRecord r1 = reportTest(1);
        QCOMPARE(linesOf(report::technicalReportText(r1, u"E"_qs, 1)), kTechnicalPaper1);
        QCOMPARE(report::technicalReportText(r1, u"E"_qs, 1), crlf(kTechnicalPaper1));

        TestRecord r3 = reportTest(3);
        r3.BasementDoorG = u"closed"_qs;
        QCOMPARE(linesOf(report::technicalReportText(r3, u"F"_qs, 3)), technicalPaper3French());

        TestRecord r2 = reportTest(2);
        QCOMPARE(linesOf(report::previewTechnicalReport(r2)), kTechnicalScreen2);
        QCOMPARE(report::previewTechnicalReport(r2), crlf(kTechnicalScreen2));
    }

    void technicalLines_data() {
        // Where ("paper" or "screen", unit system, language), a change to the record, and
        // lines that must be there; those written "!part" must appear nowhere in the text.
        QTest::addColumn<QString>("where");
        QTest::addColumn<Change>("change");
        QTest::addColumn<QStringList>("lines");
        const Change none = [](TestRecord&) {};

        QTest::newRow("system 2: Pa in the table and statics, in2 and cfm below")
            << u"paper 2 E"_qs << none
            << QStringList{
                   u"\t\t-50\t\t 2000.2\t\t 1990.5\t\t .497\t\t 1\t\tMAG:Plate Off"_qs,
                   u"\t\tPre-Test Static Pressure=\t-1.2 Pa\tNeg Avg=-1.5 Pa  \tPositive Avg= .3 Pa"_qs,
                   u"\t\tFlow Coefficient=\t\t 138.464  cfm @ 1 Pa"_qs,
                   u"\t\tELA-CGSB @ 10 Pa=             \t 123.4  in2   (equivalent open window)"_qs,
                   u"\t\tFlow @ 50 Pa=                 \t 1308.  cfm"_qs};
        QTest::newRow("volume 123.456789 prints nine characters")
            << u"paper 1 E"_qs << Change([](TestRecord& r) { r.BuildingVolumeCuFtG = 123.456789; })
            << QStringList{u"\t\tVolume of Building=               \t\t 123.4567  ft3"_qs};
        QTest::newRow("no basement door, comment or leakage ratio: lines absent")
            << u"paper 1 E"_qs << Change([](TestRecord& r) {
                   r.Comment1G.clear();
                   r.Comment2G.clear();
                   r.LeakageRatioG = 0;
               })
            << QStringList{u"\t\tBlower Door:      \t\tK7-0412"_qs,
                           u""_qs,
                           u"\t\tELA - LBL @ 4 Pa=             \t 65.43  in2"_qs,
                           u"\t\t     50 Pa Flow:              "_qs,
                           u"!Basement"_qs,
                           u"!Comment"_qs,
                           u"!Attic"_qs,
                           u"!Leakage Ratio"_qs};
        QTest::newRow("comments 5 and 6 on screen only (paper)")
            << u"paper 1 E"_qs << Change([](TestRecord& r) { r.Comment6G = u"six"_qs; })
            << QStringList{u"!Fireplace"_qs, u"!six"_qs};
        QTest::newRow("comments 5 and 6 on screen only (screen)")
            << u"screen 1 E"_qs << Change([](TestRecord& r) { r.Comment6G = u"six"_qs; })
            << QStringList{u"\t\t\tFireplace damper closed"_qs, u"\t\t\tsix"_qs};
        QTest::newRow("points 1 and 4 empty: the valid points, in order")
            << u"paper 2 E"_qs << Change([](TestRecord& r) {
                   r.PresGageG[4] = r.PresGageG[3];
                   r.FlowGageG[4] = r.FlowGageG[3];
                   r.LowFlowFactorG[4] = r.LowFlowFactorG[3];
                   r.LowFlowSetupG[4] = r.LowFlowSetupG[3];
                   r.FlowGageG[3] = 0;
                   r.FlowGageG[1] = 0;
                   r.PointCountG = 2;
               })
            << QStringList{u"\t\t(Pa)      \t(cfm)\t\t(cfm)     \t(%)\t\t(factor)  \tSetup"_qs,
                           u"\t\t-35\t\t 1500\t\t 1510.5\t\t-.702\t\t1\t\tPG5:4 Holes Open"_qs,
                           u"\t\t-20\t\t 1100\t\t 0\t\t 0\t\t 1.69\t\tMAG:4 Holes Open"_qs,
                           u"!MAG:Plate Off"_qs, u"!\t\t-50"_qs};
        QTest::newRow("a stale setting text prints the plate's own")
            << u"paper 1 E"_qs << Change([](TestRecord& r) {
                   r.LowFlowSetupG[1] = u"PG5:K76 fan"_qs;
                   r.LowFlowFactorG[3] = 2.5f;
                   r.LowFlowSetupG[3] = u"custom plate"_qs;
               })
            << QStringList{u"\t\t-.2007\t\t 2000.2\t\t 1990.5\t\t .497\t\t 1\t\tMAG:Plate Off"_qs,
                           u"\t\t-.0803\t\t 1100\t\t 1098.8\t\t .114\t\t 2.5\t\tcustom plate"_qs,
                           u"!K76"_qs};
        QTest::newRow("large flows keep their whole digits")
            << u"paper 3 E"_qs << Change([](TestRecord& r) { r.Flow50G = 123456; })
            << QStringList{u"\t\tFlow @ 50 Pa=                 \t 209751  m3/h"_qs};
        QTest::newRow("tiny figures without an exponent")
            << u"paper 1 E"_qs << Change([](TestRecord& r) { r.ElaLblG = 1e-6f; })
            << QStringList{u"\t\tELA - LBL @ 4 Pa=             \t .0000  in2"_qs, u"!E-"_qs};
        QTest::newRow("TAB and line breaks inside texts print as blanks")
            << u"paper 1 E"_qs
            << Change([](TestRecord& r) { r.BuildingTestedG = u"12\tMaple\r\nLane"_qs; })
            << QStringList{u"\t\tBuilding:         \t\t\t12 Maple  Lane"_qs};
        QTest::newRow("French screen, system 3")
            << u"screen 3 F"_qs << none
            << QStringList{u"\tDate et heure de test:\t\t12/07/2026 10:15"_qs,
                           u"\tStories above Grade=\t\t 2"_qs,
                           u"\tTemperature Outside=\t\t 4.4  C"_qs,
                           u"\tFlow Coefficient=\t\t 235.251  m3/h @ 1 Pa"_qs,
                           u"\tELA-CGSB @ 10 Pa=\t\t 796.4  cm2"_qs,
                           u"\tPermeability Index @ 50 Pa=\t 4.786  m3/h/m2"_qs,
                           u"\tInfiltration/BedRoom=\t 46.32  m3/h/bedroom"_qs,
                           u"\tInfiltration DEAP Index=\t .2981 m3/h/m2"_qs};
        QTest::newRow("English screen, system 3")
            << u"screen 3 E"_qs << none
            << QStringList{u"\tPermeability Index @ 50 Pa=\t 4.786  m3/h/m2 surface"_qs,
                           u"\tInfiltration DEAP Index=\t .2981 m3/h/m2 surface"_qs};
        QTest::newRow("French paper, system 1: DEAP unit")
            << u"paper 1 F"_qs << none
            << QStringList{u"\t\tInfiltration DEAP Index=\t .0163  cfm/ft2 surface"_qs};
    }

    void technicalLines() {
        QFETCH(QString, where);
        QFETCH(Change, change);
        QFETCH(QStringList, lines);
        const QStringList words = where.split(u' ');
        const auto system = static_cast<int16_t>(words[1].toInt());
        TestRecord r = reportTest(system);
        change(r);
        const QString text = words[0] == u"screen"
                                 ? report::technicalScreenText(r, words[2], system)
                                 : report::technicalReportText(r, words[2], system);
        const QStringList shown = linesOf(text);
        for (const QString& line : lines) {
            const bool absent = line.startsWith(u'!');
            QVERIFY2(absent ? !text.contains(line.mid(1)) : shown.contains(line),
                     qPrintable(QString(line).replace(u'\t', u"→"_qs)));
        }
    }

    void technicalPreviewStoresOnlyDeap_data() {
        QTest::addColumn<int>("system");
        QTest::addColumn<double>("surface");
        QTest::addColumn<float>("permeability");
        QTest::addColumn<float>("deapAfter");
        QTest::addColumn<bool>("deapShown");

        const float refreshed = 81.7901f / 5000.0f;
        QTest::newRow("system 1: refreshed") << 1 << 5000.0 << 0.26173f << refreshed << true;
        QTest::newRow("system 3: refreshed") << 3 << 5000.0 << 0.26173f << refreshed << true;
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

        const QString text = report::previewTechnicalReport(r);
        QCOMPARE(text.contains(u"DEAP"_qs), deapShown);
        QCOMPARE(r.InfiltrationDeapIndexG, deapAfter);
        // Nothing else of the record moves: compare through the paper text, which shows it all.
        QCOMPARE(report::technicalReportText(r, u"E"_qs, r.UnitSystemG),
                 report::technicalReportText(expected, u"E"_qs, r.UnitSystemG));
        QCOMPARE(r.Ach50G, expected.Ach50G);
        QCOMPARE(r.DivideBy20FactorG, expected.DivideBy20FactorG);
    }

    void customerWholeTexts() {
        const TestRecord r = reportTest(1);
        QCOMPARE(report::customerReportText(r, 1, kRulesTemplate), rulesPaper1());
        QCOMPARE(report::customerReportText(r, 3, kRulesTemplate), rulesPaper3());
        // The screen: one TAB less before each item, two TABs before the title in every system,
        // "24 inch" with "7.7 inches" in system 3, and "1 inch wide" taken as a whole.
        TestRecord s = reportTest(3);
        const QStringList screen = linesOf(report::customerScreenText(s, 3, kRulesTemplate));
        QCOMPARE(screen.first(), u"\t\t\tAIR LEAKAGE TEST RESULTS"_qs);
        QVERIFY(screen.contains(u"\tReport Prepared For:\t\t12 Maple Lane"_qs));
        QVERIFY(screen.contains(u"\tA crack  1 centimeter  and  7.96 meters  long."_qs));
        const QString withWidth = u"\"An opening 24 inch wide and 7.7 inches high\"\n"_qs;
        QCOMPARE(report::customerScreenText(s, 3, withWidth),
                 u"\tAn opening  60.9 centimeters  wide and  11.1 centimeters  high\r\n"_qs);
        QCOMPARE(report::customerReportText(s, 3, withWidth),
                 u"\t\tAn opening 24 inch wide and  11.1 centimeters  high\r\n"_qs);
    }

    void customerItems_data() {
        QTest::addColumn<int>("system");
        QTest::addColumn<Change>("change");
        QTest::addColumn<QString>("templateText");
        QTest::addColumn<QString>("expected");
        const Change none = [](TestRecord&) {};

        QTest::newRow("third item empty: two items")
            << 1 << none << u"A\nB\n\nC\nEND\n"_qs << u"\t\tA\r\n\t\tB\r\n"_qs;
        QTest::newRow("no END: to the end of the file")
            << 1 << none << u"A\r\nB"_qs << u"\t\tA\r\n\t\tB\r\n"_qs;
        QTest::newRow("ELA 40 in system 3: 258.0 cm2")
            << 3 << Change([](TestRecord& r) { r.ElaCgsbG = 40; })
            << u"We found 2.8 square feet here\n"_qs
            << u"\t\tWe found  258.0 centimeters2  here\r\n"_qs;
        QTest::newRow("ACH .5 and ELA 144: .7 square feet") << 1 << Change([](TestRecord& r) {
            r.InfiltrationAchG = 0.5f;
            r.ElaCgsbG = 144;
        }) << u"About 1.3 square feet\n"_qs << u"\t\tAbout  .7 square feet \r\n"_qs;
        QTest::newRow("no air changes: 0, not infinity")
            << 1 << Change([](TestRecord& r) { r.InfiltrationAchG = 0; })
            << u"About 1.3 square feet\n7.7 inches\n"_qs
            << u"\t\tAbout  0 square feet \r\n\t\t 0 inches \r\n"_qs;
        QTest::newRow("a crack of 34.0 feet stays 34.0")
            << 1 << Change([](TestRecord& r) { r.ElaCgsbG = 408.6f; })
            << u"2.8 square feet\nA crack 34.0 feet long\n"_qs
            << u"\t\t 2.83 square feet \r\n\t\tA crack  34.0 feet  long\r\n"_qs;
        QTest::newRow("a name with 34.0 stays 34.0")
            << 1 << Change([](TestRecord& r) { r.BuildingTestedG = u"Unit 34.0"_qs; })
            << u"Report Prepared For\n"_qs << u"\t\tReport Prepared For\t\tUnit 34.0\r\n"_qs;
        QTest::newRow("an open quote ends at its line")
            << 1 << none << u"\"open, quote\nnext\n"_qs << u"\t\topen, quote\r\n\t\tnext\r\n"_qs;
        QTest::newRow("an item of 256 characters ends the report")
            << 1 << none << u"A\n"_qs + QString(256, u'x') + u"\nB\n"_qs << u"\t\tA\r\n"_qs;
        QTest::newRow("255 characters still print") << 1 << none << QString(255, u'x') + u"\n"_qs
                                                    << u"\t\t"_qs + QString(255, u'x') + u"\r\n"_qs;
        QTest::newRow("TAB inside a name prints as a blank")
            << 1 << Change([](TestRecord& r) { r.TechnicianG = u"R.\tOkafor"_qs; })
            << u"Prepared By:\n"_qs << u"\t\tPrepared By:\t\tR. Okafor\r\n"_qs;
        QString many;
        QString first100;
        for (int i = 1; i <= 101; ++i) {
            many += u"item %1\n"_qs.arg(i);
            if (i <= 100)
                first100 += u"\t\titem %1\r\n"_qs.arg(i);
        }
        QTest::newRow("100 items at most") << 1 << none << many << first100;
    }

    void customerItems() {
        QFETCH(int, system);
        QFETCH(Change, change);
        QFETCH(QString, templateText);
        QFETCH(QString, expected);
        TestRecord r = reportTest(static_cast<int16_t>(system));
        change(r);
        QCOMPARE(report::customerReportText(r, static_cast<int16_t>(system), templateText),
                 expected);
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
        const QString text = report::previewCustomerReport(r, u"About 1.3 square feet\n19.4\n"_qs);
        QCOMPARE(text, expected);
        QCOMPARE(r.DivideBy20FactorG, factorAfter);
        QCOMPARE(r.InfiltrationAchG, factorAfter == 20.0f ? 0.5f : r.Ach50G / factorAfter);
    }

    void shippedTemplate() {
        QString text, error;
        QVERIFY2(report::readCustomerTemplate(sourceFile(u"data/Customer.txt"_qs), text, error),
                 qPrintable(error));
        const QStringList items = report::templateItems(text);
        QVERIFY(items.size() > 30 && items.size() < 100);
        QCOMPARE(items.last(), u"[TAB2]The test team"_qs);
        for (const int system : {1, 2, 3}) {
            for (const bool screen : {false, true}) {
                TestRecord r = reportTest(static_cast<int16_t>(system));
                const QString out =
                    screen ? report::customerScreenText(r, static_cast<int16_t>(system), text)
                           : report::customerReportText(r, static_cast<int16_t>(system), text);
                // Every marker and example figure is replaced.
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
        QVERIFY(report::missingTemplateMessage(u"\n"_qs).contains(u"Customer.txt"_qs));
    }
};

QTEST_GUILESS_MAIN(TestReports)
#include "test_reports.moc"
