// The measurement page on the offscreen platform, driven by control names as a person would.

#include "calc/bdmeasfm4.h"
#include "calc/leakagecalc.h"
#include "calc/plates.h"
#include "calc/reentry.h"
#include "calc/resultdisplay.h"
#include "record/lkdfile.h"
#include "util/messages.h"
#include "util/numtext.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <vector>

namespace {

// Stands for the application: records what the page asks and reloads it on request.
class FakeHost : public PageHost {
  public:
    ~FakeHost() override {
        delete page;
        flush();
    }
    TestRecord& record() override { return rec; }
    bool offers(PageId id) const override { return id != PageId::Graph || graphPage; }
    void showPage(PageId id) override {
        shown.push_back(id);
        if (page)
            page->unload();
        page = nullptr;
        if (id == PageId::Measurement) {
            page = new BDMeasFm4(*this);
            page->Form_Load();
        }
    }
    void saveCommand(QWidget*, bool usaceOnLine98) override {
        ++saves;
        usace = usaceOnLine98;
    }
    void saveAsCommand(QWidget*) override { ++saveAs; }
    void exitCommand(QWidget*) override { ++exits; }
    void aboutCommand(QWidget*) override { ++abouts; }

    static void flush() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    TestRecord rec;
    QPointer<BDMeasFm4> page;
    std::vector<PageId> shown;
    int saves = 0, saveAs = 0, exits = 0, abouts = 0;
    bool usace = false;
    bool graphPage = false;
};

TestRecord newTest(int16_t system) {
    TestRecord r;
    applyStartupValues(r);
    applyNewFileDefaults(r, system);
    r.FileNameG = QStringLiteral("Untitled");
    return r;
}

struct PageFixture {
    explicit PageFixture(const TestRecord& r) {
        host.rec = r;
        host.showPage(PageId::Measurement);
    }
    BDMeasFm4* page() { return host.page; }

    template <typename T = QLineEdit> T* get(const QString& name) {
        T* w = host.page ? host.page->findChild<T*>(name) : nullptr;
        if (!w)
            qWarning("no control %s", qPrintable(name));
        return w;
    }
    QString text(const QString& name) {
        auto* w = get(name);
        return w ? w->text() : QStringLiteral("<missing>");
    }
    // Replaces a box's text key by key.
    void type(const QString& name, const QString& text) {
        QLineEdit* w = get(name);
        QVERIFY(w);
        w->selectAll();
        if (text.isEmpty())
            w->del();
        else
            QTest::keyClicks(w, text);
    }
    // A person's choice in a plate list.
    void choose(int row, const QString& setting) {
        auto* list = get<QComboBox>(QStringLiteral("comLowFlow%1").arg(row));
        QVERIFY(list);
        const int index = list->findText(setting);
        QVERIFY(index >= 0);
        list->setCurrentIndex(index);
        emit list->activated(index);
    }
    void menu(const QString& name) {
        auto* action = get<QAction>(name);
        QVERIFY(action);
        QVERIFY(action->isEnabled());
        action->trigger();
        FakeHost::flush();
    }
    uint colour(const QString& name) {
        auto* w = get(name);
        return w ? w->palette().color(QPalette::Base).rgb() & 0xFFFFFFu : 0u;
    }

    FakeHost host;
};

QString fromInWc(double pascals) {
    return QString::number(pascals / 249.1, 'g', 17);
}

const QStringList kSummaryBoxes{
    u"txtCorrelVal"_qs,   u"txtFlowCoefVal"_qs,  u"txtPresExpVal"_qs,  u"txtElaCgsbVal"_qs,
    u"txtElaLblVal"_qs,   u"txtLR10PaVal"_qs,    u"txtACH50Val"_qs,    u"txtFlow50Val"_qs,
    u"txtBldgIndxVal"_qs, u"txtUSACEindxVal"_qs, u"txtQ4PaSurfVal"_qs, u"txtInfACHVal"_qs,
    u"txtInfFloVal"_qs,   u"txtInfFloPrsVal"_qs, u"txtInfFloRmVal"_qs, u"txtInfIndexVal"_qs};

QStringList summaryTexts(const resultdisplay::ResultTexts& t) {
    return {t.correlation,      t.flowCoefficient, t.exponent,   t.elaCgsb,
            t.elaLbl,           t.leakageRatio,    t.ach50,      t.flow50,
            t.permeability,     t.usace,           t.q4PaSurf,   t.infiltrationAch,
            t.infiltrationFlow, t.perOccupant,     t.perBedroom, t.deapIndex};
}

} // namespace

class TestMeasPage : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { QApplication::setEffectEnabled(Qt::UI_AnimateTooltip, false); }

    // New file in Pa and cfm: plate in row 1, one point, then a second one.
    void typicalRoad() {
        TestRecord r = newTest(2);
        r.BuildingVolumeCuFtG = 16000;
        PageFixture f(r);
        QCOMPARE(f.page()->objectName(), u"BDMeasFm4"_qs);
        QCOMPARE(f.text(u"txtPresGage1"_qs), u" 0"_qs);

        f.choose(1, u"MAG:Plate Off"_qs);
        for (int i = 1; i <= 9; ++i) {
            QCOMPARE(f.get<QComboBox>(QStringLiteral("comLowFlow%1").arg(i))->currentText(),
                     u"MAG:Plate Off"_qs);
            QCOMPARE(f.host.rec.LowFlowFactorG[i], 1.0f);
        }
        f.type(u"txtPresGage1"_qs, u"50"_qs);
        f.type(u"txtFlowGage1"_qs, u"2000"_qs);
        QCOMPARE(f.host.rec.PresGageG[1], 50 / 249.1);
        QCOMPARE(f.host.rec.FlowGageG[1], 2000.0);
        QCOMPARE(f.host.rec.PointCountG, int16_t(1));
        QCOMPARE(f.text(u"txtFanFlow1"_qs), u" 2000"_qs);
        QCOMPARE(f.text(u"txtFlowFit1"_qs), u" 2000"_qs);
        QCOMPARE(f.text(u"txtFlowError1"_qs), u" 0"_qs);
        QCOMPARE(f.text(u"txtPresExpVal"_qs), u" .65"_qs);
        QCOMPARE(f.colour(u"txtPresExpVal"_qs), uint(resultdisplay::kExponentOk));
        QCOMPARE(f.text(u"txtCorrelVal"_qs), u" 0"_qs);
        QCOMPARE(f.text(u"txtFlow50Val"_qs), u" 2000"_qs);
        QCOMPARE(f.text(u"txtACH50Val"_qs), u" 7.5"_qs);

        // A second point makes it a fit through both.
        f.type(u"txtPresGage2"_qs, u"25"_qs);
        f.type(u"txtFlowGage2"_qs, u"1300"_qs);
        QCOMPARE(f.host.rec.PointCountG, int16_t(2));
        QCOMPARE(f.text(u"txtCorrelVal"_qs), u" 1"_qs);
        QCOMPARE(f.text(u"txtPresExpVal"_qs), u" .621"_qs); // ln(2000/1300) / ln 2
        QCOMPARE(f.text(u"txtFlowError2"_qs), u" 0"_qs);
        QCOMPARE(f.text(u"txtFlow50Val"_qs), u" 2000"_qs);
    }

    void workedExampleTyped_data() {
        QTest::addColumn<int>("system");
        QTest::addColumn<QStringList>("pressures");
        QTest::addColumn<QStringList>("flows");
        QTest::addColumn<QStringList>("fits");
        QTest::addColumn<QString>("coefficient");
        QTest::addColumn<QString>("flowCaption");
        QTest::newRow("in.wc cfm")
            << 1 << QStringList{fromInWc(20), fromInWc(35), fromInWc(50)}
            << QStringList{u"50"_qs, u"70"_qs, u"90"_qs}
            << QStringList{u" 49.4"_qs, u" 71"_qs, u" 89.5"_qs} << u" 253.3"_qs << u"(cfm)"_qs;
        QTest::newRow("Pa m3/h") << 3 << QStringList{u"20"_qs, u"35"_qs, u"50"_qs}
                                 << QStringList{u"84.95"_qs, u"118.93"_qs, u"152.91"_qs}
                                 << QStringList{u" 84"_qs, u" 120.7"_qs, u" 152.1"_qs}
                                 << u" 12.1"_qs << u"(m3/h)"_qs;
    }
    void workedExampleTyped() {
        QFETCH(int, system);
        QFETCH(QStringList, pressures);
        QFETCH(QStringList, flows);
        QFETCH(QStringList, fits);
        QFETCH(QString, coefficient);
        QFETCH(QString, flowCaption);
        TestRecord r = newTest(static_cast<int16_t>(system));
        r.BuildingVolumeCuFtG = 10000;
        r.BuildingFloorAreaSqFtG = 1500;
        r.BuildingSurfaceAreaSqFtG = 5000;
        PageFixture f(r);
        f.choose(1, u"MAG:Plate Off"_qs);
        for (int i = 1; i <= 3; ++i) {
            f.type(QStringLiteral("txtPresGage%1").arg(i), pressures[i - 1]);
            f.type(QStringLiteral("txtFlowGage%1").arg(i), flows[i - 1]);
        }
        for (int i = 1; i <= 3; ++i)
            QCOMPARE(f.text(QStringLiteral("txtFlowFit%1").arg(i)), fits[i - 1]);
        QCOMPARE(f.text(u"txtFlowError1"_qs), u" 1.121"_qs);
        QCOMPARE(f.text(u"txtFlowError2"_qs), u"-1.49"_qs);
        QCOMPARE(f.text(u"txtFlowError3"_qs), u" .544"_qs);
        QCOMPARE(f.text(u"txtCorrelVal"_qs), u" .9988"_qs);
        QCOMPARE(f.text(u"txtFlowCoefVal"_qs), coefficient);
        QCOMPARE(f.text(u"txtPresExpVal"_qs), u" .648"_qs);
        QCOMPARE(f.colour(u"txtPresExpVal"_qs), uint(resultdisplay::kExponentOk));
        QCOMPARE(f.get<QLabel>(u"txtFanCBot"_qs)->text(), flowCaption);
        QCOMPARE(f.text(u"txtFlowFit4"_qs), u" 0"_qs);
    }

    void buildingPressureLimit_data() {
        QTest::addColumn<int>("system");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<double>("stored");
        QTest::newRow("260 Pa") << 2 << u"260"_qs << u"?"_qs << 0.0;
        QTest::newRow("-260 Pa") << 3 << u"-260"_qs << u"?"_qs << 0.0;
        QTest::newRow("250 Pa") << 2 << u"250"_qs << u"250"_qs << 250 / 249.1;
        QTest::newRow("250.01 Pa") << 3 << u"250.01"_qs << u"?"_qs << 0.0;
        QTest::newRow("1.2 in.wc") << 1 << u"1.2"_qs << u"?"_qs << 0.0;
        QTest::newRow("1.0 in.wc") << 1 << u"1.0"_qs << u"1.0"_qs << 1.0;
        QTest::newRow("-1 in.wc") << 1 << u"-1"_qs << u"-1"_qs << -1.0;
        QTest::newRow("text") << 2 << u"abc"_qs << u"abc"_qs << 0.0;
    }
    void buildingPressureLimit() {
        QFETCH(int, system);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(double, stored);
        TestRecord r = newTest(static_cast<int16_t>(system));
        PageFixture f(r);
        f.choose(1, u"MAG:Plate Off"_qs);
        f.type(u"txtFlowGage1"_qs, u"1500"_qs);
        f.type(u"txtPresGage1"_qs, typed);
        QCOMPARE(f.text(u"txtPresGage1"_qs), shown);
        QCOMPARE(f.host.rec.PresGageG[1], stored);
        QCOMPARE(f.host.rec.PointCountG, int16_t(stored != 0.0 ? 1 : 0));
        QCOMPARE(f.text(u"txtFlowFit1"_qs) == u" 0"_qs, stored == 0.0);
    }

    // 249.5 Pa is within the limit in Pa, but 1.0016 in.wc is not.
    void limitAfterUnitSwitch() {
        PageFixture f(newTest(2));
        f.choose(1, u"MAG:Plate Off"_qs);
        f.type(u"txtPresGage1"_qs, u"249.5"_qs);
        f.type(u"txtFlowGage1"_qs, u"3000"_qs);
        QCOMPARE(f.host.rec.PointCountG, int16_t(1));
        f.menu(u"mnuInWcCfm"_qs);
        QCOMPARE(f.host.rec.UnitSystemG, int16_t(1));
        QCOMPARE(f.text(u"txtPresGage1"_qs), u"?"_qs);
        QCOMPARE(f.host.rec.PresGageG[1], 0.0);
        QCOMPARE(f.host.rec.PointCountG, int16_t(0));
        QCOMPARE(f.text(u"txtPresExpVal"_qs), u" 0"_qs);
        QCOMPARE(f.colour(u"txtPresExpVal"_qs), uint(resultdisplay::kRed));
    }

    void focusEmptiesPlaceholders_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("pressure 0") << u"txtPresGage1"_qs << u" 0"_qs << QString();
        QTest::newRow("pressure ?") << u"txtPresGage9"_qs << u"?"_qs << QString();
        QTest::newRow("pressure value") << u"txtPresGage3"_qs << u" 12.5"_qs << u" 12.5"_qs;
        QTest::newRow("reading 0") << u"txtFlowGage2"_qs << u" 0"_qs << QString();
        QTest::newRow("reading bare 0") << u"txtFlowGage2"_qs << u"0"_qs << u"0"_qs;
        QTest::newRow("pre-test static") << u"txtPreTstSPres"_qs << u" 0"_qs << QString();
        QTest::newRow("post-test static ?") << u"txtPostTstSPres"_qs << u"?"_qs << QString();
        QTest::newRow("average not emptied") << u"txtPreTstNegSPres"_qs << u" 0"_qs << u" 0"_qs;
    }
    void focusEmptiesPlaceholders() {
        QFETCH(QString, box);
        QFETCH(QString, before);
        QFETCH(QString, after);
        PageFixture f(newTest(2));
        QLineEdit* b = f.get(box);
        QVERIFY(b);
        b->setText(before);
        QCOMPARE(b->text(), before);
        f.page()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.page()));
        b->setFocus(Qt::TabFocusReason);
        QVERIFY(b->hasFocus());
        QCOMPARE(b->text(), after);
    }

    void plates() {
        TestRecord r = newTest(2);
        PageFixture f(r);
        f.choose(1, u"PG5:2 Holes Open"_qs);
        for (int i = 1; i <= 9; ++i) {
            QCOMPARE(f.get<QComboBox>(QStringLiteral("comLowFlow%1").arg(i))->currentText(),
                     u"PG5:2 Holes Open"_qs);
            QCOMPARE(f.host.rec.LowFlowFactorG[i], -12.0f);
            QCOMPARE(f.host.rec.LowFlowSetupG[i], u"PG5:2 Holes Open"_qs);
        }
        f.type(u"txtFlowGage4"_qs, u"952"_qs);
        QCOMPARE(f.text(u"txtFanFlow4"_qs), u" 952"_qs);
        f.choose(4, u"MAG:1 Hole Open"_qs);
        QCOMPARE(f.host.rec.LowFlowFactorG[4], 9.52f);
        QCOMPARE(f.host.rec.LowFlowFactorG[3], -12.0f);
        QCOMPARE(f.host.rec.LowFlowFactorG[5], -12.0f);
        QCOMPARE(f.get<QComboBox>(u"comLowFlow5"_qs)->currentText(), u"PG5:2 Holes Open"_qs);
        f.type(u"txtFlowGage4"_qs, u"952"_qs);
        QCOMPARE(f.text(u"txtFanFlow4"_qs), u" 100"_qs);
        f.choose(4, u"MAG:7 Holes Open"_qs);
        QCOMPARE(f.text(u"txtFanFlow4"_qs), u" 952"_qs);

        // Row 1 again: every row follows, the fan flows with it.
        f.choose(1, u"MAG:4 Holes Open"_qs);
        QCOMPARE(f.host.rec.LowFlowFactorG[4], 1.69f);
        QCOMPARE(f.text(u"txtFanFlow4"_qs), u" 563.3"_qs);
    }

    // A file's plates come back in every row as stored; nothing is copied from row 1.
    void platesRestoredWithoutPropagation() {
        TestRecord r = newTest(1);
        const QList<plates::Setting>& all = plates::settings();
        for (int i = 1; i <= 9; ++i)
            r.LowFlowFactorG[i] = all[(i * 3) % all.size()].factor;
        r.LowFlowFactorG[7] = 0.0f;
        const TestRecord before = r;
        PageFixture f(r);
        for (int i = 1; i <= 9; ++i) {
            auto* list = f.get<QComboBox>(QStringLiteral("comLowFlow%1").arg(i));
            QCOMPARE(list->count(), 14);
            QCOMPARE(list->itemText(0), u"MAG:Plate Off"_qs);
            QCOMPARE(list->itemText(13), u"PG5:K76 fan"_qs);
            QCOMPARE(f.host.rec.LowFlowFactorG[i], before.LowFlowFactorG[i]);
            if (i == 7)
                QCOMPARE(list->currentIndex(), -1);
            else
                QCOMPARE(list->currentText(), all[(i * 3) % all.size()].text);
        }
    }

    // In m3/h a reading of 169.9 is 100 cfm.
    void readingInM3h() {
        PageFixture f(newTest(3));
        f.choose(1, u"MAG:Plate Off"_qs);
        f.type(u"txtPresGage1"_qs, u"50"_qs);
        f.type(u"txtFlowGage1"_qs, u"169.9"_qs);
        QCOMPARE(f.host.rec.FlowGageG[1], 100.0);
        QCOMPARE(f.host.rec.FanFlowG[1], 100.0f);
        QCOMPARE(f.text(u"txtFanFlow1"_qs), u" 169.9"_qs);
    }

    void staticBaselineAndAverages() {
        PageFixture f(newTest(2));
        f.type(u"txtPreTstSPres"_qs, u"-2"_qs);
        f.type(u"txtPostTstSPres"_qs, u"-4"_qs);
        QCOMPARE(f.host.rec.PreTestStaticPresG, float(-2 / 249.1));
        QCOMPARE(f.host.rec.StaticPresBaselineG, (float(-4 / 249.1) + float(-2 / 249.1)) / 2.0f);
        // Averages are stored; their colour waits for the next load.
        f.type(u"txtPreTstNegSPres"_qs, u"-5"_qs);
        f.type(u"txtPostTstNegSPres"_qs, u"-4.999"_qs);
        f.type(u"txtPreTstPosSPres"_qs, u"4.999"_qs);
        f.type(u"txtPostTstPosSPres"_qs, u"5"_qs);
        QCOMPARE(f.host.rec.PreTestNegAvgG, float(-5 / 249.1));
        QCOMPARE(f.colour(u"txtPreTstNegSPres"_qs), uint(resultdisplay::kWhite));
        QCOMPARE(f.colour(u"txtPostTstPosSPres"_qs), uint(resultdisplay::kWhite));
        f.menu(u"mnuPaCfm"_qs);
        QCOMPARE(f.colour(u"txtPreTstNegSPres"_qs), uint(resultdisplay::kRed));
        QCOMPARE(f.colour(u"txtPostTstNegSPres"_qs), uint(resultdisplay::kWhite));
        QCOMPARE(f.colour(u"txtPreTstPosSPres"_qs), uint(resultdisplay::kWhite));
        QCOMPARE(f.colour(u"txtPostTstPosSPres"_qs), uint(resultdisplay::kRed));
        QCOMPARE(f.text(u"txtPreTstSPres"_qs), u"-2"_qs);
    }

    void unitRoundTrip() {
        PageFixture f(newTest(2));
        f.type(u"txtPresGage1"_qs, u"50.004"_qs);
        QCOMPARE(f.host.rec.PresGageG[1], 50.004 / 249.1);
        f.menu(u"mnuPaCfm"_qs); // a reload stores what is shown
        QCOMPARE(f.host.rec.PresGageG[1], 50 / 249.1);
        f.menu(u"mnuInWcCfm"_qs);
        QCOMPARE(f.text(u"txtPresGage1"_qs), u" .2007"_qs);
        QCOMPARE(f.host.rec.UnitSystemTextG, u" 1"_qs);
        QCOMPARE(f.host.rec.PresGageG[1], 0.2007); // stored as shown
        QCOMPARE(f.get<QLabel>(u"txtPresGBot"_qs)->text(), u"(in.wc)"_qs);
        QCOMPARE(f.get<QLabel>(u"txtPostStPresUnits"_qs)->text(), u"in.wc"_qs);
        f.menu(u"mnuPaCfm"_qs);
        QCOMPARE(f.text(u"txtPresGage1"_qs), u" 49.99"_qs); // .2007 in.wc in Pa
        f.menu(u"mnuPaM3s"_qs);
        QCOMPARE(f.host.rec.UnitSystemG, int16_t(3));
        QCOMPARE(f.host.rec.UnitSystemTextG, u" 3"_qs);
        QCOMPARE(f.get<QLabel>(u"txtFlowGBot"_qs)->text(), u"(m3/h)"_qs);
        QCOMPARE(f.get<QLabel>(u"txtFloCoefUnits"_qs)->text(), u"m3/h @ 1 Pa"_qs);
        QCOMPARE(f.get<QLabel>(u"txtInfFloUnitsOr"_qs)->text(), u"m3/h or"_qs);
        QCOMPARE(f.text(u"txtPresGage1"_qs), u" 49.99"_qs);
        const std::vector<PageId> reloads(4, PageId::Measurement);
        QCOMPARE(std::vector<PageId>(f.host.shown.begin() + 1, f.host.shown.end()), reloads);
    }

    void hoverTips() {
        PageFixture f(newTest(2));
        const QString less = u"Red indicates less than -5 Pa (0.02\"wc) which is outside EN "
                             u"13829 limits"_qs;
        const QString greater = u"Red indicates greater than +5 Pa (0.02\"wc) which is outside "
                                u"EN 13829 limits"_qs;
        const std::map<QString, QString> expected{
            {u"txtPreTstNegSPres"_qs, less},
            {u"txtPostTstNegSPres"_qs, less},
            {u"txtPreTstPosSPres"_qs, greater},
            {u"txtPostTstPosSPres"_qs, greater},
            {u"txtPresExpVal"_qs, u"normally between 0.5 and 0.85"_qs}};
        std::map<QString, QString> found;
        for (QWidget* w : f.page()->findChildren<QWidget*>())
            if (!w->toolTip().isEmpty())
                found[w->objectName()] = w->toolTip();
        QCOMPARE(found, expected);
    }

    void commands() {
        PageFixture f(newTest(1));
        f.menu(u"mnuSave"_qs);
        QCOMPARE(f.host.saves, 1);
        QVERIFY(f.host.usace);
        f.menu(u"mnuSaveAs"_qs);
        QCOMPARE(f.host.saveAs, 1);
        f.menu(u"mnuAbout"_qs);
        QCOMPARE(f.host.abouts, 1);
        f.menu(u"mnuExit"_qs);
        QCOMPARE(f.host.exits, 1);
        // No report pages yet: their items are there, but disabled.
        for (const QString& name : {u"mnuPrevCustRept"_qs, u"mnuPrintCustRpt"_qs,
                                    u"mnuPrevTecRpt"_qs, u"mnuPrTecRpt"_qs, u"mnuPrintGraph"_qs})
            QVERIFY(!f.get<QAction>(name)->isEnabled());
        QCOMPARE(f.get<QAction>(u"mnuPaM3s"_qs)->text(), u"Pa&M3h"_qs);
        auto* graph = f.get<QPushButton>(u"Command3D1"_qs);
        QCOMPARE(graph->text(), u"Graph"_qs);
        QVERIFY(!graph->isEnabled());
        auto* back = f.get<QPushButton>(u"Command3D2"_qs);
        QCOMPARE(back->text(), u"Back"_qs);
        back->click();
        FakeHost::flush();
        QCOMPARE(f.host.shown.back(), PageId::Building);
        QVERIFY(!f.host.page);
    }

    // With a graph page in the program, Graph reloads this page once and then opens it.
    void graphButton() {
        FakeHost host;
        host.rec = newTest(2);
        host.graphPage = true;
        host.showPage(PageId::Measurement);
        auto* graph = host.page->findChild<QPushButton*>(u"Command3D1"_qs);
        QVERIFY(graph->isEnabled());
        graph->click();
        FakeHost::flush();
        QCOMPARE(host.shown,
                 (std::vector<PageId>{PageId::Measurement, PageId::Measurement, PageId::Graph}));
    }

    void instructions_data() {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("section");
        QTest::addColumn<int>("sentences");
        QTest::addColumn<QString>("last");
        QTest::newRow("1") << 1 << u"General:"_qs << 8
                           << u"The 'Infiltration Conversion Factor' is calculated from 'Stories "
                              u"Above Grade' and 'Wind Shielding'."_qs;
        QTest::newRow("2") << 2 << u"Calculation - Curve Fit:"_qs << 5
                           << u"What good is all this? If you know C and N, then you can compute "
                              u"the flow Q at any pressure by the formula Q=C*P^N."_qs;
        QTest::newRow("3") << 3 << u"Calculation - Leakage Area:"_qs << 3
                           << u"LR@10Pa is Leakage Ratio. It is ELA-CGSB10Pa divided by "
                              u"Building Floor Area.  LR measures construction quality."_qs;
        QTest::newRow("4") << 4 << u"Calculation - 50 Pa Leakage:"_qs << 3
                           << u"Building Permeability Index is Flow50 divided by the building "
                              u"surface area. Another measure of building construction "
                              u"quality."_qs;
        QTest::newRow("5") << 5 << u"Calculation - Infiltration:"_qs << 5
                           << u"The infiltration estimates above are very approximate, but they "
                              u"are the best we have to avoid making buildings too tight."_qs;
    }
    void instructions() {
        QFETCH(int, box);
        QFETCH(QString, section);
        QFETCH(int, sentences);
        QFETCH(QString, last);
        PageFixture f(newTest(1));
        std::vector<MessageRequest> shown;
        const MessageHandler previous = setMessageHandler([&](const MessageRequest& m) {
            shown.push_back(m);
            return QMessageBox::Ok;
        });
        f.menu(u"mnuInstructions"_qs);
        setMessageHandler(previous);
        QCOMPARE(int(shown.size()), 5);
        const MessageRequest& m = shown[box - 1];
        QCOMPARE(m.title, u"Instructions"_qs);
        QCOMPARE(m.icon, QMessageBox::Information);
        QCOMPARE(m.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        const QStringList lines = m.text.split(u"\n\r"_qs);
        QCOMPARE(lines.size(), 3 + sentences);
        QCOMPARE(lines[0],
                 QStringLiteral("VENTREL Blower Door Measurement Page (Page %1 of 5)").arg(box));
        QCOMPARE(lines[1], QString());
        QCOMPARE(lines[2], section);
        QCOMPARE(lines.last(), last);
        QCOMPARE(m.text.count(u'\n'), lines.size() - 1);
        QCOMPARE(m.text.count(u'\r'), lines.size() - 1);
    }

    // Opening a file: the page shows exactly what the analyser computes from the same file.
    void pageAgreesWithAnalyser_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("system");
        const QDir samples(qEnvironmentVariable("VENTREL_SOURCE_DIR") + u"/samples"_qs);
        for (const QString& name : samples.entryList({u"*.lkd"_qs}, QDir::Files))
            for (int s : {1, 2, 3})
                QTest::addRow("%s in system %d", qPrintable(name), s)
                    << samples.filePath(name) << s;
        // Tests made here, so the comparison never depends on the shipped samples alone.
        for (int s : {1, 2, 3})
            QTest::addRow("made: odd values in system %d", s) << u"made:odd"_qs << s;
        for (int s : {1, 3})
            QTest::addRow("made: over the limit in system %d", s) << u"made:limit"_qs << s;
        QTest::addRow("made: no building data") << u"made:bare"_qs << 2;
    }
    void pageAgreesWithAnalyser() {
        QFETCH(QString, file);
        QFETCH(int, system);
        TestRecord stored = newTest(2);
        QTemporaryDir dir;
        if (file.startsWith(u"made:"_qs)) {
            TestRecord made = newTest(2);
            const double pa[] = {0, 61.237, 48.5, 39.9, 30.04, 24.96, 19.55, 15.02, 12.5, 10.1};
            for (int i = 1; i <= 9; ++i) {
                made.PresGageG[i] = -pa[i] / 249.1;
                made.FlowGageG[i] = 3210.77 / (10 - i) + 0.333;
                made.LowFlowFactorG[i] = plates::settings()[(i * 5) % 14].factor;
            }
            made.PreTestStaticPresG = -1.234f / 249.1f;
            made.PostTestStaticPresG = -2.0049f / 249.1f;
            made.PreTestNegAvgG = -4.9999f / 249.1f;
            made.TemperatureInsideFG = 71.3f;
            made.TemperatureOutsideFG = 12.7f;
            made.PressurizeOrDepressG = u"D"_qs;
            made.BuildingVolumeCuFtG = 23456.7;
            made.BuildingSurfaceAreaSqFtG = 7777.7;
            made.BuildingFloorAreaSqFtG = 2345.6;
            made.NumberOfOccupantsG = u"3"_qs;
            made.NumberofBedroomsG = u"0"_qs;
            if (file == u"made:limit"_qs)
                made.PresGageG[2] = 249.7 / 249.1; // under 250 Pa, over 1 in.wc
            if (file == u"made:bare"_qs) {
                made.BuildingVolumeCuFtG = 0;
                made.BuildingSurfaceAreaSqFtG = 0;
                made.BuildingFloorAreaSqFtG = 0;
                made.DivideBy20FactorG = 0;
            }
            file = dir.filePath(u"made.lkd"_qs);
            QVERIFY(writeLkdFile(made, file));
        }
        QString error;
        QVERIFY2(readLkdFile(file, stored, &error), qPrintable(error));
        setUnitSystem(stored, static_cast<int16_t>(system));

        TestRecord analysed = stored;
        calculateAsLoaded(analysed);
        const resultdisplay::ResultTexts expected = resultdisplay::loadedResultTexts(analysed);
        const float density = densityCorrectionFactor(analysed);

        PageFixture f(stored);
        for (int k = 0; k < kSummaryBoxes.size(); ++k)
            QCOMPARE(f.text(kSummaryBoxes[k]), summaryTexts(expected)[k]);
        QCOMPARE(f.colour(u"txtPresExpVal"_qs), uint(expected.exponentColour));
        const auto sys = static_cast<int16_t>(system);
        for (int i = 1; i <= 9; ++i) {
            QCOMPARE(f.text(QStringLiteral("txtFlowFit%1").arg(i)), expected.flowFit[i]);
            QCOMPARE(f.text(QStringLiteral("txtFlowError%1").arg(i)), expected.flowError[i]);
            QCOMPARE(f.text(QStringLiteral("txtFanFlow%1").arg(i)),
                     resultdisplay::fanFlowBoxText(toSingle(fanFlowOf(analysed, i, density)), sys));
            QCOMPARE(f.host.rec.PresGageG[i], analysed.PresGageG[i]);
            QCOMPARE(f.host.rec.FlowGageG[i], analysed.FlowGageG[i]);
        }
        QCOMPARE(f.host.rec.CorrelationG, analysed.CorrelationG);
        QCOMPARE(f.host.rec.FlowCoefficientG, analysed.FlowCoefficientG);
        QCOMPARE(f.host.rec.Flow50G, analysed.Flow50G);
        QCOMPARE(f.host.rec.StaticPresBaselineG, analysed.StaticPresBaselineG);
    }

    // Every label and caption is wide enough for its text, and no two controls overlap.
    void layoutFits_data() {
        QTest::addColumn<int>("system");
        QTest::newRow("in.wc") << 1;
        QTest::newRow("Pa cfm") << 2;
        QTest::newRow("m3/h") << 3;
    }
    void layoutFits() {
        QFETCH(int, system);
        TestRecord r = newTest(static_cast<int16_t>(system));
        r.BuildingVolumeCuFtG = 123456;
        r.BuildingSurfaceAreaSqFtG = 23456;
        r.BuildingFloorAreaSqFtG = 7890;
        r.NumberOfOccupantsG = u"7"_qs;
        r.NumberofBedroomsG = u"3"_qs;
        // A large, leaky building: long numbers in every box.
        const double pa[] = {0, 60.5, 52.25, 45.75, 40.5, 35.25, 30.75, 25.5, 20.25, 15.75};
        for (int i = 1; i <= 9; ++i) {
            r.PresGageG[i] = -pa[i] / 249.1;
            r.FlowGageG[i] = 12345.6 * std::pow(pa[i] / 50.0, 0.63) + i * 0.37;
            r.LowFlowFactorG[i] = i == 1 ? 1.0f : -17.0f;
        }
        r.PreTestStaticPresG = -12.34f / 249.1f;
        r.PostTestPosAvgG = 123.45f / 249.1f;
        PageFixture f(r);
        QWidget* frame = f.get<QWidget>(u"Frame3D1"_qs);
        QVERIFY(frame);
        QList<QWidget*> controls;
        for (QWidget* w : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (w->isVisibleTo(f.page()))
                controls << w;
        QVERIFY2(controls.size() > 140, qPrintable(QString::number(controls.size())));
        const QRect inside = frame->rect();
        for (QWidget* w : controls) {
            QVERIFY2(inside.contains(w->geometry()),
                     qPrintable(w->objectName() + u" ends at "_qs +
                                QString::number(w->geometry().right()) + u" of "_qs +
                                QString::number(inside.right())));
            QString text;
            int room = w->width();
            if (auto* l = qobject_cast<QLabel*>(w)) {
                text = l->text();
                if (l->wordWrap())
                    continue;
            } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
                text = e->text();
                room = e->width() - 8; // frame and margins
            } else if (auto* c = qobject_cast<QComboBox*>(w)) {
                text = c->currentText();
                room = c->width() - 22; // the arrow
            }
            QVERIFY2(w->fontMetrics().horizontalAdvance(text) <= room,
                     qPrintable(w->objectName() + u": "_qs + text));
        }
        for (int a = 0; a < controls.size(); ++a)
            for (int b = a + 1; b < controls.size(); ++b)
                QVERIFY2(
                    !controls[a]->geometry().intersects(controls[b]->geometry()),
                    qPrintable(controls[a]->objectName() + u" / "_qs + controls[b]->objectName()));
        // Result boxes are for reading only.
        for (const QString& name : kSummaryBoxes)
            QVERIFY(f.get(name)->isReadOnly());
        for (int i = 1; i <= 9; ++i) {
            QVERIFY(f.get(QStringLiteral("txtFanFlow%1").arg(i))->isReadOnly());
            QVERIFY(!f.get(QStringLiteral("txtPresGage%1").arg(i))->isReadOnly());
        }
    }

    void captionAndSize() {
        TestRecord r = newTest(1);
        r.FileNameG = u"HOUSE.LKD"_qs;
        PageFixture f(r);
        QCOMPARE(f.page()->windowTitle(),
                 u"Ventrel 2.11 DEMO    Blower Door Measurements    File: HOUSE.LKD"_qs);
        QCOMPARE(f.page()->size(), QSize(640, 500));
        QCOMPARE(f.get<QLabel>(u"txtMeasNum9"_qs)->text(), u"#9"_qs);
        QCOMPARE(f.get<QLabel>(u"txtMeasNum9"_qs)->palette().color(QPalette::Window).rgb() &
                     0xFFFFFFu,
                 uint(resultdisplay::kGrey));
        QCOMPARE(f.get<QLineEdit>(u"txtPresGage4"_qs)->geometry().topLeft(),
                 QPoint(40, (1080 + 3 * 360) / 15));
    }
};

QTEST_MAIN(TestMeasPage)
#include "test_measpage.moc"
