#include "ui/calc/measurementpage.h"

#include "core/calc/leakagecalc.h"
#include "core/calc/plates.h"
#include "core/calc/reentry.h"
#include "core/calc/units.h"
#include "core/util/numtext.h"
#include "ui/common/messages.h"
#include "ui/common/twips.h"
#include "ui/report/reportcommands.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include <algorithm>
#include <optional>

namespace {

constexpr int kBoxHeight = 315;
constexpr int kRowPitch = 360;
constexpr int kFirstPointRow = 1080;
constexpr int kLabelGap = 30; // between a label and its box, a box and its caption
constexpr int kGroupGap = 60; // between one figure and the next on a result row

const QString kBreak = QStringLiteral("\n\r");

void paint(QWidget* w, uint32_t rgb) {
    QPalette p = w->palette();
    const QColor c = QColor::fromRgb(static_cast<QRgb>(rgb));
    if (qobject_cast<QLineEdit*>(w)) {
        p.setColor(QPalette::Base, c);
    } else {
        p.setColor(QPalette::Window, c);
        w->setAutoFillBackground(true);
    }
    w->setPalette(p);
}

// Widths of texts in twips, with a little room on either side.
int textTwips(const QWidget* w, const QString& text) {
    const int px = w->fontMetrics().horizontalAdvance(text) + 4;
    return twips::fromPixels(px, twips::logicalDpi(w));
}

QString staticTip(bool negative) {
    return negative ? QStringLiteral("Red indicates less than -5 Pa (0.02\"wc) which is outside "
                                     "EN 13829 limits")
                    : QStringLiteral("Red indicates greater than +5 Pa (0.02\"wc) which is "
                                     "outside EN 13829 limits");
}

} // namespace

BDMeasFm4::BDMeasFm4(PageHost& host) : MainPage(host, QStringLiteral("BDMeasFm4")) {
    // Small enough for every row of figures to fit the page's width at 96 DPI.
    QFont f = font();
    f.setPointSizeF(7.5);
    setFont(f);
    buildMenus();
    buildControls();
}

void BDMeasFm4::buildMenus() {
    auto menu = [this](const QString& name, const QString& caption) {
        QMenu* m = menuBar()->addMenu(caption);
        m->setObjectName(name);
        m->menuAction()->setObjectName(name);
        return m;
    };
    auto item = [this](QMenu* m, const QString& name, const QString& caption, auto handler) {
        QAction* a = m->addAction(caption);
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };

    QMenu* file = menu(QStringLiteral("mnuFile"), QStringLiteral("&File"));
    item(file, QStringLiteral("mnuSave"), QStringLiteral("&Save"),
         [this] { host().saveCommand(this, true); });
    item(file, QStringLiteral("mnuSaveAs"), QStringLiteral("Sav&e As"),
         [this] { host().saveAsCommand(this); });
    file->addSeparator();
    item(file, QStringLiteral("mnuExit"), QStringLiteral("&Exit"),
         [this] { host().exitCommand(this); });

    // The graph is not part of this program yet: its item stays disabled.
    QMenu* print = menu(QStringLiteral("mnuPrint"), QStringLiteral("&Print"));
    const auto none = [] {};
    const bool preview = host().offers(PageId::Preview);
    item(print, QStringLiteral("mnuPrevCustRept"), QStringLiteral("Preview &Customer Report"),
         [this] { report_Click(false, true); })
        ->setEnabled(preview);
    item(print, QStringLiteral("mnuPrintCustRpt"), QStringLiteral("Print Cus&tomer Report"),
         [this] { report_Click(false, false); });
    print->addSeparator();
    item(print, QStringLiteral("mnuPrevTecRpt"), QStringLiteral("Preview Te&chnical Report"),
         [this] { report_Click(true, true); })
        ->setEnabled(preview);
    item(print, QStringLiteral("mnuPrTecRpt"), QStringLiteral("Print Techn&ical Report"),
         [this] { report_Click(true, false); });
    print->addSeparator();
    item(print, QStringLiteral("mnuPrintGraph"), QStringLiteral("Print &Graph"), none)
        ->setEnabled(false);

    QMenu* unitsMenu = menu(QStringLiteral("mnuUnits"), QStringLiteral("&Units"));
    item(unitsMenu, QStringLiteral("mnuInWcCfm"), QStringLiteral("In&WcCfm"),
         [this] { units_Click(units::InWcCfm); });
    item(unitsMenu, QStringLiteral("mnuPaCfm"), QStringLiteral("P&aCfm"),
         [this] { units_Click(units::PaCfm); });
    item(unitsMenu, QStringLiteral("mnuPaM3s"), QStringLiteral("Pa&M3h"),
         [this] { units_Click(units::PaM3h); });

    QMenu* help = menu(QStringLiteral("mnuHelp"), QStringLiteral("&Help"));
    item(help, QStringLiteral("mnuInstructions"), QStringLiteral("&Instructions"),
         [this] { mnuInstructions_Click(); });
    item(help, QStringLiteral("mnuAbout"), QStringLiteral("A&bout"),
         [this] { host().aboutCommand(this); });
}

void BDMeasFm4::buildControls() {
    QFrame* frame = makeFrame();

    auto label = [this, frame](const QString& text, int x, int y, int w,
                               Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
        auto* l = new QLabel(text, frame);
        l->setObjectName(QStringLiteral("Label%1").arg(++labelCount_));
        l->setAlignment(align);
        paint(l, resultdisplay::kGrey);
        twips::place(l, x, y, w, kBoxHeight);
        return l;
    };
    // A label that ends just left of `boxX`.
    auto labelBefore = [&](const QString& text, int boxX, int y) {
        const int w = textTwips(frame, text);
        return label(text, boxX - kLabelGap - w, y, w, Qt::AlignRight | Qt::AlignVCenter);
    };
    auto caption = [frame](const QString& name, int x, int y, int w, const QString& text = {}) {
        auto* l = new QLabel(text, frame);
        l->setObjectName(name);
        l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        paint(l, resultdisplay::kGrey);
        twips::place(l, x, y, w, kBoxHeight);
        return l;
    };
    auto box = [frame](const QString& name, int x, int y, int w, bool readOnly) {
        auto* b = new QLineEdit(frame);
        b->setObjectName(name);
        b->setReadOnly(readOnly);
        if (readOnly) {
            // setText leaves the cursor at the end, which scrolls a long figure to its tail.
            QObject::connect(b, &QLineEdit::cursorPositionChanged, b, [b](int, int now) {
                if (now != 0 && !b->hasFocus())
                    b->setCursorPosition(0);
            });
            b->setFocusPolicy(Qt::ClickFocus);
            paint(b, resultdisplay::kLightYellow);
        }
        twips::place(b, x, y, w, kBoxHeight);
        return b;
    };
    // The widest caption a unit box can show in any system.
    auto captionWidth = [frame](QString units::Captions::*member) {
        int w = 0;
        for (int16_t s : {units::InWcCfm, units::PaCfm, units::PaM3h})
            w = std::max(w, textTwips(frame, units::captions(s).*member));
        return w;
    };

    QFont bold = frame->font();
    bold.setBold(true);
    for (const auto& [text, x] : {std::pair{QStringLiteral("Input Data"), 2160},
                                  std::pair{QStringLiteral("Calculations"), 6480}}) {
        QLabel* l = label(text, x, 0, 1800);
        l->setFont(bold);
        twips::place(l, x, 0, 1800, 225);
    }

    // Static rows: the pressure itself, then the averages of its negative and positive readings.
    const int staticCaptionW = captionWidth(&units::Captions::staticPressure);
    auto staticRow = [&](int y, const QString& title, const QString& prefix, int unitBase) {
        labelBefore(title, 2160, y);
        QLineEdit* st = box(QStringLiteral("txt%1TstSPres").arg(prefix), 2160, y, 900, false);
        staticUnits_[unitBase] =
            caption(QStringLiteral("txt%1StPresUnits").arg(prefix), 3090, y, staticCaptionW);
        labelBefore(QStringLiteral("Negative Avg="), 5400, y);
        QLineEdit* neg = box(QStringLiteral("txt%1TstNegSPres").arg(prefix), 5400, y, 810, false);
        staticUnits_[unitBase + 1] = caption(QStringLiteral("txt%1NegStPresUnits").arg(prefix),
                                             5400 + 810 + kLabelGap, y, staticCaptionW);
        labelBefore(QStringLiteral("Positive Avg="), 7920, y);
        QLineEdit* pos = box(QStringLiteral("txt%1TstPosSPres").arg(prefix), 7920, y, 810, false);
        staticUnits_[unitBase + 2] = caption(QStringLiteral("txt%1PosStPresUnits").arg(prefix),
                                             7920 + 810 + kLabelGap, y, staticCaptionW);
        for (QLineEdit* b : {st, neg, pos})
            paint(b, resultdisplay::kLightYellow);
        neg->setToolTip(staticTip(true));
        pos->setToolTip(staticTip(false));
        return std::array<QLineEdit*, 3>{st, neg, pos};
    };
    const auto pre =
        staticRow(240, QStringLiteral("Pre-test Static Pressure="), QStringLiteral("Pre"), 0);
    txtPreTstSPres_ = pre[0];
    txtPreTstNegSPres_ = pre[1];
    txtPreTstPosSPres_ = pre[2];
    const auto post =
        staticRow(4320, QStringLiteral("Post-test Static Pressure="), QStringLiteral("Post"), 3);
    txtPostTstSPres_ = post[0];
    txtPostTstNegSPres_ = post[1];
    txtPostTstPosSPres_ = post[2];

    // Column headings over the point rows.
    struct Column {
        int x, w;
    };
    const Column presCol{600, 1335}, flowCol{2160, 1200}, plateCol{3480, 1860}, fanCol{5400, 1080},
        fitCol{6600, 1080}, errCol{7800, 1080};
    const auto centred = Qt::AlignHCenter | Qt::AlignVCenter;
    auto heading = [&](const Column& c, const QString& top) {
        QLabel* l = label(top, c.x, 600, c.w, centred);
        twips::place(l, c.x, 600, c.w, 240);
        return l;
    };
    auto bottom = [&](const Column& c, const QString& name) {
        QLabel* l = caption(name, c.x, 840, c.w);
        l->setAlignment(centred);
        twips::place(l, c.x, 840, c.w, 240);
        return l;
    };
    heading(presCol, QStringLiteral("Pres Gauge"));
    txtPresGBot_ = bottom(presCol, QStringLiteral("txtPresGBot"));
    heading(flowCol, QStringLiteral("Flow Gauge"));
    txtFlowGBot_ = bottom(flowCol, QStringLiteral("txtFlowGBot"));
    heading(plateCol, QStringLiteral("Low Flow Plate"));
    twips::place(label(QStringLiteral("Correction"), plateCol.x, 840, plateCol.w, centred),
                 plateCol.x, 840, plateCol.w, 240);
    heading(fanCol, QStringLiteral("Fan Flow"));
    txtFanFBot_ = bottom(fanCol, QStringLiteral("txtFanFBot"));
    heading(fitCol, QStringLiteral("Curve Fit"));
    txtFanCBot_ = bottom(fitCol, QStringLiteral("txtFanCBot"));
    heading(errCol, QStringLiteral("Fit Error"));
    twips::place(label(QStringLiteral("(%)"), errCol.x, 840, errCol.w, centred), errCol.x, 840,
                 errCol.w, 240);

    for (int i = 1; i <= TestRecord::kPoints; ++i) {
        const int y = kFirstPointRow + kRowPitch * (i - 1);
        txtMeasNum_[i] = caption(QStringLiteral("txtMeasNum%1").arg(i), 240, y, 330,
                                 QStringLiteral("#%1").arg(i));
        txtPresGage_[i] =
            box(QStringLiteral("txtPresGage%1").arg(i), presCol.x, y, presCol.w, false);
        txtFlowGage_[i] =
            box(QStringLiteral("txtFlowGage%1").arg(i), flowCol.x, y, flowCol.w, false);
        auto* list = new QComboBox(frame);
        list->setObjectName(QStringLiteral("comLowFlow%1").arg(i));
        twips::place(list, plateCol.x, y, plateCol.w, kBoxHeight);
        comLowFlow_[i] = list;
        txtFanFlow_[i] = box(QStringLiteral("txtFanFlow%1").arg(i), fanCol.x, y, fanCol.w, true);
        txtFlowFit_[i] = box(QStringLiteral("txtFlowFit%1").arg(i), fitCol.x, y, fitCol.w, true);
        txtFlowError_[i] =
            box(QStringLiteral("txtFlowError%1").arg(i), errCol.x, y, errCol.w, true);
    }

    // Result rows: a heading, then label, box and unit caption for each figure, left to right.
    int x = 0;
    int y = 0;
    auto startRow = [&](int rowY, const QString& title) {
        y = rowY;
        x = 1200;
        if (!title.isEmpty()) {
            QLabel* l = label(title, 120, y, 1050);
            l->setWordWrap(true);
            twips::place(l, 120, y - 15, 1050, kRowPitch - 15);
        }
    };
    auto nextLabel = [&](const QString& text) {
        const int w = textTwips(frame, text);
        label(text, x, y, w, Qt::AlignRight | Qt::AlignVCenter);
        x += w + kLabelGap;
    };
    auto nextBox = [&](const QString& name, int w) {
        QLineEdit* b = box(name, x, y, w, true);
        x += w + kLabelGap;
        return b;
    };
    auto nextCaption = [&](const QString& name, QString units::Captions::*member) {
        const int w = captionWidth(member);
        QLabel* l = caption(name, x, y, w);
        x += w + kGroupGap;
        return l;
    };
    auto gap = [&] { x += kGroupGap - kLabelGap; };
    using C = units::Captions;

    startRow(4680, QStringLiteral("Curve Fit:"));
    nextLabel(QStringLiteral("Correlation="));
    txtCorrelVal_ = nextBox(QStringLiteral("txtCorrelVal"), 810);
    gap();
    nextLabel(QStringLiteral("Pressure Exponent="));
    txtPresExpVal_ = nextBox(QStringLiteral("txtPresExpVal"), 750);
    txtPresExpVal_->setToolTip(QStringLiteral("normally between 0.5 and 0.85"));
    gap();
    nextLabel(QStringLiteral("Flow Coefficient="));
    txtFlowCoefVal_ = nextBox(QStringLiteral("txtFlowCoefVal"), 810);
    txtFloCoefUnits_ = nextCaption(QStringLiteral("txtFloCoefUnits"), &C::flowCoefficient);

    startRow(5040, QStringLiteral("Leakage Area:"));
    nextLabel(QStringLiteral("ELA-CGSB@10Pa="));
    txtElaCgsbVal_ = nextBox(QStringLiteral("txtElaCgsbVal"), 810);
    txtElaCgsbUn_ = nextCaption(QStringLiteral("txtElaCgsbUn"), &C::leakageArea);
    nextLabel(QStringLiteral("ELA-LBL@4Pa="));
    txtElaLblVal_ = nextBox(QStringLiteral("txtElaLblVal"), 810);
    txtElaLblUnits_ = nextCaption(QStringLiteral("txtElaLblUnits"), &C::leakageArea);
    nextLabel(QStringLiteral("LR@10Pa="));
    txtLR10PaVal_ = nextBox(QStringLiteral("txtLR10PaVal"), 810);
    txtLR10PaUnits_ = nextCaption(QStringLiteral("txtLR10PaUnits"), &C::leakageRatio);

    startRow(5400, QStringLiteral("50 Pa Leakage:"));
    nextLabel(QStringLiteral("ACH50="));
    txtACH50Val_ = nextBox(QStringLiteral("txtACH50Val"), 900);
    gap();
    nextLabel(QStringLiteral("Flow50="));
    txtFlow50Val_ = nextBox(QStringLiteral("txtFlow50Val"), 900);
    txtFlo50Units_ = nextCaption(QStringLiteral("txtFlo50Units"), &C::flow50);
    nextLabel(QStringLiteral("Perm Index="));
    txtBldgIndxVal_ = nextBox(QStringLiteral("txtBldgIndxVal"), 810);
    txtBldgIndxUnits_ = nextCaption(QStringLiteral("txtBldgIndxUnits"), &C::permeability);

    startRow(5760, QStringLiteral("Avg Annual Infiltration:"));
    nextLabel(QStringLiteral("Inf.ACH="));
    txtInfACHVal_ = nextBox(QStringLiteral("txtInfACHVal"), 810);
    gap();
    nextLabel(QStringLiteral("Flow="));
    txtInfFloVal_ = nextBox(QStringLiteral("txtInfFloVal"), 900);
    txtInfFloUnitsOr_ = nextCaption(QStringLiteral("txtInfFloUnitsOr"), &C::infiltrationFlow);
    txtInfFloPrsVal_ = nextBox(QStringLiteral("txtInfFloPrsVal"), 900);
    txtInfFloPersUor_ = nextCaption(QStringLiteral("txtInfFloPersUor"), &C::perPerson);
    txtInfFloRmVal_ = nextBox(QStringLiteral("txtInfFloRmVal"), 900);
    txtInfFloBRUor_ = nextCaption(QStringLiteral("txtInfFloBRUor"), &C::perBedroom);

    startRow(6120, QString());
    nextLabel(QStringLiteral("Inf.DEAP.Index="));
    txtInfIndexVal_ = nextBox(QStringLiteral("txtInfIndexVal"), 810);
    txtInfIndexUn_ = nextCaption(QStringLiteral("txtInfIndexUn"), &C::deapIndex);
    nextLabel(QStringLiteral("USACE="));
    txtUSACEindxVal_ = nextBox(QStringLiteral("txtUSACEindxVal"), 750);
    txtUSACEindxUnits_ = nextCaption(QStringLiteral("txtUSACEindxUnits"), &C::usace);
    nextLabel(QStringLiteral("Q4PaSurf="));
    txtQ4PaSurfVal_ = nextBox(QStringLiteral("txtQ4PaSurfVal"), 750);
    txtQ4PaSurfUnits_ = nextCaption(QStringLiteral("txtQ4PaSurfUnits"), &C::q4PaSurf);

    // Below the last result row, so that no figure has to make room for them.
    Command3D2_ = new QPushButton(QStringLiteral("Back"), frame);
    Command3D2_->setObjectName(QStringLiteral("Command3D2"));
    twips::place(Command3D2_, 120, 6480, 900, 300);
    Command3D1_ = new QPushButton(QStringLiteral("Graph"), frame);
    Command3D1_->setObjectName(QStringLiteral("Command3D1"));
    twips::place(Command3D1_, 8520, 6480, 840, 300);
    Command3D1_->setEnabled(host().offers(PageId::Graph));
    connect(Command3D2_, &QPushButton::clicked, this,
            [this] { host().showPage(PageId::Building); });
    connect(Command3D1_, &QPushButton::clicked, this, &BDMeasFm4::Command3D1_Click);

    // Handlers last, so that building the page runs none of them.
    for (int i = 1; i <= TestRecord::kPoints; ++i) {
        connect(txtPresGage_[i], &QLineEdit::textChanged, this,
                [this, i] { txtPresGage_Change(i); });
        connect(txtFlowGage_[i], &QLineEdit::textChanged, this,
                [this, i] { txtFlowGage_Change(i); });
        connect(comLowFlow_[i], &QComboBox::activated, this, [this, i] { comLowFlow_Click(i); });
        txtPresGage_[i]->installEventFilter(this);
        txtFlowGage_[i]->installEventFilter(this);
    }
    connect(txtPreTstSPres_, &QLineEdit::textChanged, this, &BDMeasFm4::txtPreTstSPres_Change);
    connect(txtPostTstSPres_, &QLineEdit::textChanged, this, &BDMeasFm4::txtPostTstSPres_Change);
    txtPreTstSPres_->installEventFilter(this);
    txtPostTstSPres_->installEventFilter(this);
    connect(txtPreTstNegSPres_, &QLineEdit::textChanged, this,
            [this] { averageChanged(txtPreTstNegSPres_, &TestRecord::PreTestNegAvgG); });
    connect(txtPreTstPosSPres_, &QLineEdit::textChanged, this,
            [this] { averageChanged(txtPreTstPosSPres_, &TestRecord::PreTestPosAvgG); });
    connect(txtPostTstNegSPres_, &QLineEdit::textChanged, this,
            [this] { averageChanged(txtPostTstNegSPres_, &TestRecord::PostTestNegAvgG); });
    connect(txtPostTstPosSPres_, &QLineEdit::textChanged, this,
            [this] { averageChanged(txtPostTstPosSPres_, &TestRecord::PostTestPosAvgG); });
}

void BDMeasFm4::setUnitCaptions() {
    const units::Captions c = units::captions(rec().UnitSystemG);
    txtPresGBot_->setText(c.pressureHeading);
    txtFlowGBot_->setText(c.flowHeading);
    txtFanFBot_->setText(c.flowHeading);
    txtFanCBot_->setText(c.flowHeading);
    for (QLabel* l : staticUnits_)
        l->setText(c.staticPressure);
}

void BDMeasFm4::Form_Load() {
    TestRecord& r = rec();
    const int16_t sys = r.UnitSystemG;

    sizeAndCentre();
    setWindowTitle(r.ProgramNameG + QStringLiteral(" ") + r.ProgramVersionG +
                   QStringLiteral("    Blower Door Measurements") + QStringLiteral("    File: ") +
                   r.FileNameG);

    setUnitCaptions();
    show();

    const QStringList settings = plates::settingTexts();
    for (int i = 1; i <= TestRecord::kPoints; ++i) {
        comLowFlow_[i]->clear();
        comLowFlow_[i]->addItems(settings);
        comLowFlow_[i]->setCurrentIndex(-1);
    }

    paint(txtPreTstNegSPres_, resultdisplay::negativeAverageColour(r.PreTestNegAvgG));
    paint(txtPostTstNegSPres_, resultdisplay::negativeAverageColour(r.PostTestNegAvgG));
    paint(txtPreTstPosSPres_, resultdisplay::positiveAverageColour(r.PreTestPosAvgG));
    paint(txtPostTstPosSPres_, resultdisplay::positiveAverageColour(r.PostTestPosAvgG));

    // Every write below runs the box's handler, as typing would: what is shown is stored.
    txtPreTstSPres_->setText(staticPressureBoxText(r.PreTestStaticPresG, sys));
    txtPreTstNegSPres_->setText(staticPressureBoxText(r.PreTestNegAvgG, sys));
    txtPreTstPosSPres_->setText(staticPressureBoxText(r.PreTestPosAvgG, sys));
    txtPostTstSPres_->setText(staticPressureBoxText(r.PostTestStaticPresG, sys));
    txtPostTstNegSPres_->setText(staticPressureBoxText(r.PostTestNegAvgG, sys));
    txtPostTstPosSPres_->setText(staticPressureBoxText(r.PostTestPosAvgG, sys));
    r.StaticPresBaselineG = staticBaseline(r);
    const float density = densityCorrectionFactor(r);

    for (int i = 1; i <= TestRecord::kPoints; ++i) {
        txtPresGage_[i]->setText(buildingPressureBoxText(r.PresGageG[i], sys));
        txtFlowFit_[i]->setText(resultdisplay::fanFlowBoxText(r.FlowFitG[i], sys));
        txtFlowGage_[i]->setText(flowReadingBoxText(r.FlowGageG[i], sys));
        txtFlowError_[i]->setText(numText(roundHalfEven(r.FlowErrorG[i], 2)));
        r.FanFlowG[i] = toSingle(fanFlowOf(r, i, density));
        showFanFlow(i, false);
    }

    for (int i = 1; i <= TestRecord::kPoints; ++i) {
        const std::optional<QString> text = plates::textOf(r.LowFlowFactorG[i]);
        comLowFlow_[i]->setCurrentIndex(text ? comLowFlow_[i]->findText(*text) : -1);
    }

    showLoadedResults();
}

void BDMeasFm4::showLoadedResults() {
    TestRecord& r = rec();
    const resultdisplay::ResultTexts t = resultdisplay::loadedResultTexts(r);
    const units::Captions c = units::captions(r.UnitSystemG);

    txtCorrelVal_->setText(t.correlation);
    txtFlowCoefVal_->setText(t.flowCoefficient);
    txtFloCoefUnits_->setText(c.flowCoefficient);
    txtPresExpVal_->setText(t.exponent);
    paint(txtPresExpVal_, t.exponentColour);
    txtElaCgsbVal_->setText(t.elaCgsb);
    txtElaCgsbUn_->setText(c.leakageArea);
    txtElaLblVal_->setText(t.elaLbl);
    txtElaLblUnits_->setText(c.leakageArea);
    txtLR10PaVal_->setText(t.leakageRatio);
    txtLR10PaUnits_->setText(c.leakageRatio);
    txtACH50Val_->setText(t.ach50);
    txtFlow50Val_->setText(t.flow50);
    txtFlo50Units_->setText(c.flow50);
    txtBldgIndxVal_->setText(t.permeability);
    txtBldgIndxUnits_->setText(c.permeability);
    txtUSACEindxVal_->setText(t.usace);
    txtUSACEindxUnits_->setText(c.usace);
    txtQ4PaSurfVal_->setText(t.q4PaSurf);
    txtQ4PaSurfUnits_->setText(c.q4PaSurf);
    txtInfACHVal_->setText(t.infiltrationAch);
    txtInfFloVal_->setText(t.infiltrationFlow);
    txtInfFloUnitsOr_->setText(c.infiltrationFlow);
    txtInfFloPrsVal_->setText(t.perOccupant);
    txtInfFloPersUor_->setText(c.perPerson);
    txtInfFloRmVal_->setText(t.perBedroom);
    txtInfFloBRUor_->setText(c.perBedroom);
    txtInfIndexVal_->setText(t.deapIndex);
    txtInfIndexUn_->setText(c.deapIndex);
}

void BDMeasFm4::subFlowFitFlowError() {
    const resultdisplay::ResultTexts t = resultdisplay::flowFitFlowErrorTexts(rec());
    for (int i = 1; i <= TestRecord::kPoints; ++i) {
        txtFlowFit_[i]->setText(t.flowFit[i]);
        txtFlowError_[i]->setText(t.flowError[i]);
    }
    txtCorrelVal_->setText(t.correlation);
    txtFlowCoefVal_->setText(t.flowCoefficient);
    txtPresExpVal_->setText(t.exponent);
    paint(txtPresExpVal_, t.exponentColour);
    txtElaCgsbVal_->setText(t.elaCgsb);
    txtElaLblVal_->setText(t.elaLbl);
    txtLR10PaVal_->setText(t.leakageRatio);
    txtACH50Val_->setText(t.ach50);
    txtFlow50Val_->setText(t.flow50);
    txtUSACEindxVal_->setText(t.usace);
    txtQ4PaSurfVal_->setText(t.q4PaSurf);
    txtBldgIndxVal_->setText(t.permeability);
    txtInfACHVal_->setText(t.infiltrationAch);
    txtInfFloVal_->setText(t.infiltrationFlow);
    txtInfFloPrsVal_->setText(t.perOccupant);
    txtInfFloRmVal_->setText(t.perBedroom);
    txtInfIndexVal_->setText(t.deapIndex);
}

void BDMeasFm4::txtPresGage_Change(int row) {
    TestRecord& r = rec();
    QLineEdit* b = txtPresGage_[row];
    if (buildingPressureOverLimit(leadingNumber(b->text()), r.UnitSystemG))
        b->setText(QStringLiteral("?")); // runs this handler again, which stores 0
    if (const auto v = buildingPressureEntered(b->text(), r.UnitSystemG))
        r.PresGageG[row] = *v;
    subLeakageCalc(r);
    subFlowFitFlowError();
}

void BDMeasFm4::txtFlowGage_Change(int row) {
    TestRecord& r = rec();
    if (const auto v = flowReadingEntered(txtFlowGage_[row]->text(), r.UnitSystemG))
        r.FlowGageG[row] = *v;
    r.FanFlowG[row] = toSingle(fanFlowOf(r, row, densityCorrectionFactor(r)));
    showFanFlow(row, false);
    subLeakageCalc(r);
    subFlowFitFlowError();
}

void BDMeasFm4::comLowFlow_Click(int row) {
    TestRecord& r = rec();
    const float density = densityCorrectionFactor(r);
    const QString text = comLowFlow_[row]->currentText();
    if (const auto factor = plates::factorOf(text))
        r.LowFlowFactorG[row] = *factor;
    r.LowFlowSetupG[row] = text;

    if (row == 1) {
        // The first row's choice sets the plate for the whole test; the other rows' fan flows
        // follow at once, so that none shows a flow of the old setting.
        for (int j = 2; j <= TestRecord::kPoints; ++j) {
            comLowFlow_[j]->setCurrentIndex(comLowFlow_[1]->currentIndex());
            r.LowFlowFactorG[j] = r.LowFlowFactorG[1];
            r.LowFlowSetupG[j] = r.LowFlowSetupG[1];
            if (r.LowFlowFactorG[j] != 0.0f) {
                r.FanFlowG[j] = toSingle(fanFlowOf(r, j, density));
                showFanFlow(j, false);
            }
        }
    }
    if (r.LowFlowFactorG[row] != 0.0f) {
        r.FanFlowG[row] = toSingle(fanFlowOf(r, row, density));
        showFanFlow(row, row != 1);
    }
    subLeakageCalc(r);
    subFlowFitFlowError();
}

void BDMeasFm4::txtPreTstSPres_Change() {
    TestRecord& r = rec();
    if (const auto v = staticPressureEntered(txtPreTstSPres_->text(), r.UnitSystemG))
        r.PreTestStaticPresG = *v;
    r.StaticPresBaselineG = staticBaseline(r);
    subLeakageCalc(r);
    subFlowFitFlowError();
}

void BDMeasFm4::txtPostTstSPres_Change() {
    TestRecord& r = rec();
    if (const auto v = staticPressureEntered(txtPostTstSPres_->text(), r.UnitSystemG))
        r.PostTestStaticPresG = *v;
    r.StaticPresBaselineG = staticBaseline(r);
    subLeakageCalc(r);
    subFlowFitFlowError();
}

void BDMeasFm4::averageChanged(QLineEdit* box, float TestRecord::*field) {
    // Stored only; the colour is decided when the page loads.
    if (const auto v = staticPressureEntered(box->text(), rec().UnitSystemG))
        rec().*field = *v;
}

void BDMeasFm4::showFanFlow(int row, bool fullPrecision) {
    const float flow = rec().FanFlowG[row];
    const int16_t sys = rec().UnitSystemG;
    txtFanFlow_[row]->setText(fullPrecision ? resultdisplay::fanFlowFullText(flow, sys)
                                            : resultdisplay::fanFlowBoxText(flow, sys));
}

bool BDMeasFm4::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (auto* b = qobject_cast<QLineEdit*>(watched)) {
            // A placeholder is cleared so the user types into an empty box; "0" is a value.
            if (b->text() == QLatin1String("?") || b->text() == QLatin1String(" 0"))
                b->clear();
        }
    }
    return MainPage::eventFilter(watched, event);
}

void BDMeasFm4::units_Click(int16_t system) {
    setUnitSystem(rec(), system);
    host().showPage(PageId::Measurement);
}

void BDMeasFm4::Command3D1_Click() {
    // The reload stores the inputs as shown before the graph reads them.
    host().showPage(PageId::Measurement);
    host().showPage(PageId::Graph);
}

void BDMeasFm4::report_Click(bool technical, bool preview) {
    if (preview) {
        rec().ReportKindG = technical ? 1 : 0;
        host().showPage(PageId::Preview);
    } else if (technical) {
        reportcommands::printTechnicalReport(this, rec());
    } else {
        reportcommands::printCustomerReport(this, rec());
    }
}

void BDMeasFm4::mnuInstructions_Click() {
    for (const QString& text : instructionTexts())
        showInformation(this, QStringLiteral("Instructions"), text);
}

QStringList BDMeasFm4::instructionTexts() {
    auto box = [](int page, const QString& section, const QStringList& lines) {
        return QStringLiteral("VENTREL Blower Door Measurement Page (Page %1 of 5)").arg(page) +
               kBreak + kBreak + section + kBreak + lines.join(kBreak);
    };
    return {
        box(1, QStringLiteral("General:"),
            {QStringLiteral("You can select from metric, US or mixed units by clicking on "
                            "'Units' on the menu bar."),
             QStringLiteral("You must enter at least one 'single-point measurement' of blower "
                            "door data: pressure, flow and low-flow plate setting."),
             QStringLiteral("You can enter up to nine 'multi-point' measurements of blower door "
                            "data: pressure, flow and low-flow plate."),
             QStringLiteral("A 'single-point' blower door test measured near 50 Pa (0.2 in.wc) "
                            "is fine for building comparisons."),
             QStringLiteral("A 'multi-point' blower door test is generally more accurate for "
                            "infiltration and leakge areas."),
             QStringLiteral("The 'Back' button will take you back to the Building and "
                            "Environment Page."),
             QStringLiteral("The 'Graph' button will take you to the log-pressure versus "
                            "log-flow graph Page."),
             QStringLiteral("The 'Infiltration Conversion Factor' is calculated from 'Stories "
                            "Above Grade' and 'Wind Shielding'.")}),
        box(2, QStringLiteral("Calculation - Curve Fit:"),
            {QStringLiteral("Curve fit compares your flow (Q) and pressure (P) data to an ideal "
                            "leakage flow (power law) formula: Q=C*P^N."),
             QStringLiteral("The 'Correlation' shows how close your data is to the ideal: 1.000 "
                            "is perfect, 0.8 is pretty bad, try to get 0.99 or better."),
             QStringLiteral("The 'Pressure Exponent' (N) is typically about 0.65.  Values less "
                            "than 0.45 or greater than 0.85 are suspicious."),
             QStringLiteral("The 'Flow Coefficient' (C) depends on the your choice of flow and "
                            "pressure units.  It is the flow at either 1 Pa or 1 in.wc."),
             QStringLiteral("What good is all this? If you know C and N, then you can compute "
                            "the flow Q at any pressure by the formula Q=C*P^N.")}),
        box(3, QStringLiteral("Calculation - Leakage Area:"),
            {QStringLiteral("ELA-CGSB@10Pa is Equivalent Leakage Area by the CGSB method at 10 "
                            "Pa. It is approximately open window area."),
             QStringLiteral("ELA-LBL@4Pa is Effective Leakage Area computed by the LBL method at "
                            "4 Pa. Used in LBL infiltration model."),
             QStringLiteral("LR@10Pa is Leakage Ratio. It is ELA-CGSB10Pa divided by Building "
                            "Floor Area.  LR measures construction quality.")}),
        box(4, QStringLiteral("Calculation - 50 Pa Leakage:"),
            {QStringLiteral("ACH50 is the building air change rate at 50 Pa pressure (0.2 "
                            "in.wc). A widely known measure of construction quality."),
             QStringLiteral("Flow50 is the building air flow at 50 Pa pressure.  ACH50 = "
                            "Flow50(cfm)*60/Volume(ft3) = Flow50(m3/h)/Volume(m3)"),
             QStringLiteral("Building Permeability Index is Flow50 divided by the building "
                            "surface area. Another measure of building construction quality.")}),
        box(5, QStringLiteral("Calculation - Infiltration:"),
            {QStringLiteral("Infiltration ACH is an estimate of average annual infiltration. It "
                            "is ACH50/Infiltration Factor. Very rough estimate."),
             QStringLiteral("Infiltration Flow is an estimate of average annual infiltration. It "
                            "is Flow50/Infiltration Factor. Very rough estimate."),
             QStringLiteral("Infiltration Per Person is an estimate of the average annual "
                            "infiltration per person in the building.  Very rough estimate."),
             QStringLiteral("Infiltration Per Bedroom is an estimate of the average annual "
                            "infiltration per bedroom in the building. Very rough estimate."),
             QStringLiteral("The infiltration estimates above are very approximate, but they are "
                            "the best we have to avoid making buildings too tight.")}),
    };
}
