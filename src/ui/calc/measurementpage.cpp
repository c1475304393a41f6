#include "ui/calc/measurementpage.h"

#include "core/calc/leakagecalc.h"
#include "core/calc/plates.h"
#include "core/calc/pointentry.h"
#include "core/calc/units.h"
#include "core/util/numtext.h"
#include "ui/calc/qualitywindow.h"
#include "ui/common/messages.h"
#include "ui/common/pagemenus.h"
#include "ui/common/twips.h"
#include "ui/report/graphpage.h"
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
#include <QScopedValueRollback>
#include <QScreen>

#include <algorithm>
#include <optional>

namespace {

constexpr int kBoxHeight = 315;
constexpr int kRowPitch = 360;
constexpr int kFirstPointRow = 1080;
constexpr int kLabelGap = 30; // between a label and its box, a box and its caption
constexpr int kGroupGap = 60; // between one figure and the next on a result row

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
    using pagemenus::addItem;
    using pagemenus::addMenu;
    QMenu* file = addMenu(this, QStringLiteral("mnuFile"), QStringLiteral("&File"));
    addItem(file, QStringLiteral("mnuSave"), QStringLiteral("&Save"),
            [this] { host().saveCommand(this, true); });
    addItem(file, QStringLiteral("mnuSaveAs"), QStringLiteral("Sav&e As"),
            [this] { host().saveAsCommand(this); });
    file->addSeparator();
    addItem(file, QStringLiteral("mnuExit"), QStringLiteral("&Exit"),
            [this] { host().exitCommand(this); });

    QMenu* print = addMenu(this, QStringLiteral("mnuPrint"), QStringLiteral("&Print"));
    const bool preview = host().offers(PageId::Preview);
    addItem(print, QStringLiteral("mnuPrevCustRept"), QStringLiteral("Preview &Customer Report"),
            [this] { report_Click(false, true); })
        ->setEnabled(preview);
    addItem(print, QStringLiteral("mnuPrintCustRpt"), QStringLiteral("Print Cus&tomer Report"),
            [this] { report_Click(false, false); });
    print->addSeparator();
    addItem(print, QStringLiteral("mnuPrevTecRpt"), QStringLiteral("Preview Te&chnical Report"),
            [this] { report_Click(true, true); })
        ->setEnabled(preview);
    addItem(print, QStringLiteral("mnuPrTecRpt"), QStringLiteral("Print Techn&ical Report"),
            [this] { report_Click(true, false); });
    print->addSeparator();
    addItem(print, QStringLiteral("mnuPrintGraph"), QStringLiteral("Print &Graph"),
            [this] { mnuPrintGraph_Click(); });

    QMenu* unitsMenu = addMenu(this, QStringLiteral("mnuUnits"), QStringLiteral("&Units"));
    addItem(unitsMenu, QStringLiteral("mnuInWcCfm"), QStringLiteral("In&WcCfm"),
            [this] { units_Click(units::InWcCfm); });
    addItem(unitsMenu, QStringLiteral("mnuPaCfm"), QStringLiteral("P&aCfm"),
            [this] { units_Click(units::PaCfm); });
    addItem(unitsMenu, QStringLiteral("mnuPaM3s"), QStringLiteral("Pa&M3h"),
            [this] { units_Click(units::PaM3h); });

    QMenu* quality = addMenu(this, QStringLiteral("mnuQuality"), QStringLiteral("&Quality"));
    addItem(quality, QStringLiteral("mnuTestQuality"), QStringLiteral("Test &Quality\u2026"),
            [this] { mnuTestQuality_Click(); });

    QMenu* help = addMenu(this, QStringLiteral("mnuHelp"), QStringLiteral("&Help"));
    addItem(help, QStringLiteral("mnuInstructions"), QStringLiteral("&Instructions"),
            [this] { mnuInstructions_Click(); });
    addItem(help, QStringLiteral("mnuAbout"), QStringLiteral("A&bout"),
            [this] { host().aboutCommand(this); });
}

// Makes the page's labels, captions and boxes on its frame, placed in twips.
class BDMeasFm4::Controls {
  public:
    Controls(QFrame* frame, int& labelCount) : frame(frame), labelCount_(labelCount) {}

    QLabel* label(const QString& text, int x, int y, int w,
                  Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
        auto* l = new QLabel(text, frame);
        l->setObjectName(QStringLiteral("Label%1").arg(++labelCount_));
        l->setAlignment(align);
        paint(l, resultdisplay::kGrey);
        twips::place(l, x, y, w, kBoxHeight);
        return l;
    }
    // A label that ends just left of `boxX`.
    QLabel* labelBefore(const QString& text, int boxX, int y) {
        const int w = textTwips(frame, text);
        return label(text, boxX - kLabelGap - w, y, w, Qt::AlignRight | Qt::AlignVCenter);
    }
    QLabel* caption(const QString& name, int x, int y, int w, const QString& text = {}) {
        auto* l = new QLabel(text, frame);
        l->setObjectName(name);
        l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        paint(l, resultdisplay::kGrey);
        twips::place(l, x, y, w, kBoxHeight);
        return l;
    }
    QLineEdit* box(const QString& name, int x, int y, int w, bool readOnly) {
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
    }
    // The widest caption a unit box can show in any system.
    int captionWidth(QString units::Captions::*member) const {
        int w = 0;
        for (int16_t s : {units::InWcCfm, units::PaCfm, units::PaM3h})
            w = std::max(w, textTwips(frame, units::captions(s).*member));
        return w;
    }

    // A result row: a heading, then label, box and unit caption for each figure, left to right.
    void startRow(int rowY, const QString& title) {
        y_ = rowY;
        x_ = 1200;
        if (!title.isEmpty()) {
            QLabel* l = label(title, 120, y_, 1050);
            l->setWordWrap(true);
            twips::place(l, 120, y_ - 15, 1050, kRowPitch - 15);
        }
    }
    void nextLabel(const QString& text) {
        const int w = textTwips(frame, text);
        label(text, x_, y_, w, Qt::AlignRight | Qt::AlignVCenter);
        x_ += w + kLabelGap;
    }
    QLineEdit* nextBox(const QString& name, int w) {
        QLineEdit* b = box(name, x_, y_, w, true);
        x_ += w + kLabelGap;
        return b;
    }
    QLabel* nextCaption(const QString& name, QString units::Captions::*member) {
        const int w = captionWidth(member);
        QLabel* l = caption(name, x_, y_, w);
        x_ += w + kGroupGap;
        return l;
    }
    void gap() { x_ += kGroupGap - kLabelGap; }

    QFrame* const frame;

  private:
    int& labelCount_;
    int x_ = 0;
    int y_ = 0;
};

void BDMeasFm4::buildControls() {
    Controls c(makeFrame(), labelCount_);
    buildHeadings(c);
    buildStaticRows(c);
    buildPointRows(c);
    buildResultRows(c);
    buildButtons(c.frame);
    // Handlers last, so that building the page runs none of them.
    connectHandlers();
}

void BDMeasFm4::buildHeadings(Controls& c) {
    QFont bold = c.frame->font();
    bold.setBold(true);
    for (const auto& [text, x] : {std::pair{QStringLiteral("Input Data"), 2160},
                                  std::pair{QStringLiteral("Calculations"), 6480}}) {
        QLabel* l = c.label(text, x, 0, 1800);
        l->setFont(bold);
        twips::place(l, x, 0, 1800, 225);
    }
}

// Static rows: the pressure itself, then the averages of its negative and positive readings.
void BDMeasFm4::buildStaticRows(Controls& c) {
    const int captionW = c.captionWidth(&units::Captions::staticPressure);
    auto staticRow = [&](int y, const QString& title, const QString& prefix, int unitBase) {
        c.labelBefore(title, 2160, y);
        QLineEdit* st = c.box(QStringLiteral("txt%1TstSPres").arg(prefix), 2160, y, 900, false);
        staticUnits_[unitBase] =
            c.caption(QStringLiteral("txt%1StPresUnits").arg(prefix), 3090, y, captionW);
        c.labelBefore(QStringLiteral("Negative Avg="), 5400, y);
        QLineEdit* neg = c.box(QStringLiteral("txt%1TstNegSPres").arg(prefix), 5400, y, 810, false);
        staticUnits_[unitBase + 1] = c.caption(QStringLiteral("txt%1NegStPresUnits").arg(prefix),
                                               5400 + 810 + kLabelGap, y, captionW);
        c.labelBefore(QStringLiteral("Positive Avg="), 7920, y);
        QLineEdit* pos = c.box(QStringLiteral("txt%1TstPosSPres").arg(prefix), 7920, y, 810, false);
        staticUnits_[unitBase + 2] = c.caption(QStringLiteral("txt%1PosStPresUnits").arg(prefix),
                                               7920 + 810 + kLabelGap, y, captionW);
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
}

// The nine point rows under their column headings.
void BDMeasFm4::buildPointRows(Controls& c) {
    struct Column {
        int x, w;
    };
    const Column presCol{600, 1335}, flowCol{2160, 1200}, plateCol{3480, 1860}, fanCol{5400, 1080},
        fitCol{6600, 1080}, errCol{7800, 1080};
    const auto centred = Qt::AlignHCenter | Qt::AlignVCenter;
    auto heading = [&](const Column& col, const QString& top) {
        QLabel* l = c.label(top, col.x, 600, col.w, centred);
        twips::place(l, col.x, 600, col.w, 240);
        return l;
    };
    auto bottom = [&](const Column& col, const QString& name) {
        QLabel* l = c.caption(name, col.x, 840, col.w);
        l->setAlignment(centred);
        twips::place(l, col.x, 840, col.w, 240);
        return l;
    };
    auto bottomLabel = [&](const Column& col, const QString& text) {
        twips::place(c.label(text, col.x, 840, col.w, centred), col.x, 840, col.w, 240);
    };
    heading(presCol, QStringLiteral("Pres Gauge"));
    txtPresGBot_ = bottom(presCol, QStringLiteral("txtPresGBot"));
    heading(flowCol, QStringLiteral("Flow Gauge"));
    txtFlowGBot_ = bottom(flowCol, QStringLiteral("txtFlowGBot"));
    heading(plateCol, QStringLiteral("Low Flow Plate"));
    bottomLabel(plateCol, QStringLiteral("Correction"));
    heading(fanCol, QStringLiteral("Fan Flow"));
    txtFanFBot_ = bottom(fanCol, QStringLiteral("txtFanFBot"));
    heading(fitCol, QStringLiteral("Curve Fit"));
    txtFanCBot_ = bottom(fitCol, QStringLiteral("txtFanCBot"));
    heading(errCol, QStringLiteral("Fit Error"));
    bottomLabel(errCol, QStringLiteral("(%)"));

    for (int i = 1; i <= TestRecord::kPoints; ++i) {
        const int y = kFirstPointRow + kRowPitch * (i - 1);
        txtMeasNum_[i] = c.caption(QStringLiteral("txtMeasNum%1").arg(i), 240, y, 330,
                                   QStringLiteral("#%1").arg(i));
        txtPresGage_[i] =
            c.box(QStringLiteral("txtPresGage%1").arg(i), presCol.x, y, presCol.w, false);
        txtFlowGage_[i] =
            c.box(QStringLiteral("txtFlowGage%1").arg(i), flowCol.x, y, flowCol.w, false);
        auto* list = new QComboBox(c.frame);
        list->setObjectName(QStringLiteral("comLowFlow%1").arg(i));
        twips::place(list, plateCol.x, y, plateCol.w, kBoxHeight);
        comLowFlow_[i] = list;
        txtFanFlow_[i] = c.box(QStringLiteral("txtFanFlow%1").arg(i), fanCol.x, y, fanCol.w, true);
        txtFlowFit_[i] = c.box(QStringLiteral("txtFlowFit%1").arg(i), fitCol.x, y, fitCol.w, true);
        txtFlowError_[i] =
            c.box(QStringLiteral("txtFlowError%1").arg(i), errCol.x, y, errCol.w, true);
    }
}

void BDMeasFm4::buildResultRows(Controls& c) {
    using C = units::Captions;
    c.startRow(4680, QStringLiteral("Curve Fit:"));
    c.nextLabel(QStringLiteral("Correlation="));
    txtCorrelVal_ = c.nextBox(QStringLiteral("txtCorrelVal"), 810);
    c.gap();
    c.nextLabel(QStringLiteral("Pressure Exponent="));
    txtPresExpVal_ = c.nextBox(QStringLiteral("txtPresExpVal"), 750);
    txtPresExpVal_->setToolTip(QStringLiteral("normally between 0.5 and 0.85"));
    c.gap();
    c.nextLabel(QStringLiteral("Flow Coefficient="));
    txtFlowCoefVal_ = c.nextBox(QStringLiteral("txtFlowCoefVal"), 810);
    txtFloCoefUnits_ = c.nextCaption(QStringLiteral("txtFloCoefUnits"), &C::flowCoefficient);

    c.startRow(5040, QStringLiteral("Leakage Area:"));
    c.nextLabel(QStringLiteral("ELA-CGSB@10Pa="));
    txtElaCgsbVal_ = c.nextBox(QStringLiteral("txtElaCgsbVal"), 810);
    txtElaCgsbUn_ = c.nextCaption(QStringLiteral("txtElaCgsbUn"), &C::leakageArea);
    c.nextLabel(QStringLiteral("ELA-LBL@4Pa="));
    txtElaLblVal_ = c.nextBox(QStringLiteral("txtElaLblVal"), 810);
    txtElaLblUnits_ = c.nextCaption(QStringLiteral("txtElaLblUnits"), &C::leakageArea);
    c.nextLabel(QStringLiteral("LR@10Pa="));
    txtLR10PaVal_ = c.nextBox(QStringLiteral("txtLR10PaVal"), 810);
    txtLR10PaUnits_ = c.nextCaption(QStringLiteral("txtLR10PaUnits"), &C::leakageRatio);

    c.startRow(5400, QStringLiteral("50 Pa Leakage:"));
    c.nextLabel(QStringLiteral("ACH50="));
    txtACH50Val_ = c.nextBox(QStringLiteral("txtACH50Val"), 900);
    c.gap();
    c.nextLabel(QStringLiteral("Flow50="));
    txtFlow50Val_ = c.nextBox(QStringLiteral("txtFlow50Val"), 900);
    txtFlo50Units_ = c.nextCaption(QStringLiteral("txtFlo50Units"), &C::flow50);
    c.nextLabel(QStringLiteral("Perm Index="));
    txtBldgIndxVal_ = c.nextBox(QStringLiteral("txtBldgIndxVal"), 810);
    txtBldgIndxUnits_ = c.nextCaption(QStringLiteral("txtBldgIndxUnits"), &C::permeability);

    c.startRow(5760, QStringLiteral("Avg Annual Infiltration:"));
    c.nextLabel(QStringLiteral("Inf.ACH="));
    txtInfACHVal_ = c.nextBox(QStringLiteral("txtInfACHVal"), 810);
    c.gap();
    c.nextLabel(QStringLiteral("Flow="));
    txtInfFloVal_ = c.nextBox(QStringLiteral("txtInfFloVal"), 900);
    txtInfFloUnitsOr_ = c.nextCaption(QStringLiteral("txtInfFloUnitsOr"), &C::infiltrationFlow);
    txtInfFloPrsVal_ = c.nextBox(QStringLiteral("txtInfFloPrsVal"), 900);
    txtInfFloPersUor_ = c.nextCaption(QStringLiteral("txtInfFloPersUor"), &C::perPerson);
    txtInfFloRmVal_ = c.nextBox(QStringLiteral("txtInfFloRmVal"), 900);
    txtInfFloBRUor_ = c.nextCaption(QStringLiteral("txtInfFloBRUor"), &C::perBedroom);

    c.startRow(6120, QString());
    c.nextLabel(QStringLiteral("Inf.DEAP.Index="));
    txtInfIndexVal_ = c.nextBox(QStringLiteral("txtInfIndexVal"), 810);
    txtInfIndexUn_ = c.nextCaption(QStringLiteral("txtInfIndexUn"), &C::deapIndex);
    c.nextLabel(QStringLiteral("USACE="));
    txtUSACEindxVal_ = c.nextBox(QStringLiteral("txtUSACEindxVal"), 750);
    txtUSACEindxUnits_ = c.nextCaption(QStringLiteral("txtUSACEindxUnits"), &C::usace);
    c.nextLabel(QStringLiteral("Q4PaSurf="));
    txtQ4PaSurfVal_ = c.nextBox(QStringLiteral("txtQ4PaSurfVal"), 750);
    txtQ4PaSurfUnits_ = c.nextCaption(QStringLiteral("txtQ4PaSurfUnits"), &C::q4PaSurf);
}

// Below the last result row, so that no figure has to make room for them.
void BDMeasFm4::buildButtons(QFrame* frame) {
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
}

void BDMeasFm4::connectHandlers() {
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
    using pointentry::Static;
    connect(txtPreTstNegSPres_, &QLineEdit::textChanged, this,
            [this] { staticChanged(txtPreTstNegSPres_, Static::PreTestNeg); });
    connect(txtPreTstPosSPres_, &QLineEdit::textChanged, this,
            [this] { staticChanged(txtPreTstPosSPres_, Static::PreTestPos); });
    connect(txtPostTstNegSPres_, &QLineEdit::textChanged, this,
            [this] { staticChanged(txtPostTstNegSPres_, Static::PostTestNeg); });
    connect(txtPostTstPosSPres_, &QLineEdit::textChanged, this,
            [this] { staticChanged(txtPostTstPosSPres_, Static::PostTestPos); });
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

    {
        // Showing the stored values stores nothing back: the handlers wait for typing.
        const QScopedValueRollback<bool> loading(loading_, true);
        using namespace pointentry;
        txtPreTstSPres_->setText(staticPressureText(r.PreTestStaticPresG, sys));
        txtPreTstNegSPres_->setText(staticPressureText(r.PreTestNegAvgG, sys));
        txtPreTstPosSPres_->setText(staticPressureText(r.PreTestPosAvgG, sys));
        txtPostTstSPres_->setText(staticPressureText(r.PostTestStaticPresG, sys));
        txtPostTstNegSPres_->setText(staticPressureText(r.PostTestNegAvgG, sys));
        txtPostTstPosSPres_->setText(staticPressureText(r.PostTestPosAvgG, sys));
        for (int i = 1; i <= TestRecord::kPoints; ++i) {
            txtPresGage_[i]->setText(buildingPressureText(r.PresGageG[i], sys));
            txtFlowGage_[i]->setText(flowReadingText(r.FlowGageG[i], sys));
        }
    }
    calculateTest(r);
    for (int i = 1; i <= TestRecord::kPoints; ++i) {
        showFanFlow(i, false);
        const std::optional<QString> text = plates::textOf(r.LowFlowFactorG[i]);
        comLowFlow_[i]->setCurrentIndex(text ? comLowFlow_[i]->findText(*text) : -1);
    }
    showLoadedResults();
    if (qualityWasOpen_)
        mnuTestQuality_Click();
}

// Each summary box with its figure's text, and the caption box beside it (if any) with its
// caption: one table for the load and for every calculation.
struct BDMeasFm4::ResultBox {
    QLineEdit* BDMeasFm4::*box;
    QString resultdisplay::ResultTexts::*text;
    QLabel* BDMeasFm4::*caption;
    QString units::Captions::*captionText;
};

const std::array<BDMeasFm4::ResultBox, 16> BDMeasFm4::kResultBoxes = {{
    {&BDMeasFm4::txtCorrelVal_, &resultdisplay::ResultTexts::correlation, nullptr, nullptr},
    {&BDMeasFm4::txtFlowCoefVal_, &resultdisplay::ResultTexts::flowCoefficient,
     &BDMeasFm4::txtFloCoefUnits_, &units::Captions::flowCoefficient},
    {&BDMeasFm4::txtPresExpVal_, &resultdisplay::ResultTexts::exponent, nullptr, nullptr},
    {&BDMeasFm4::txtElaCgsbVal_, &resultdisplay::ResultTexts::elaCgsb, &BDMeasFm4::txtElaCgsbUn_,
     &units::Captions::leakageArea},
    {&BDMeasFm4::txtElaLblVal_, &resultdisplay::ResultTexts::elaLbl, &BDMeasFm4::txtElaLblUnits_,
     &units::Captions::leakageArea},
    {&BDMeasFm4::txtLR10PaVal_, &resultdisplay::ResultTexts::leakageRatio,
     &BDMeasFm4::txtLR10PaUnits_, &units::Captions::leakageRatio},
    {&BDMeasFm4::txtACH50Val_, &resultdisplay::ResultTexts::ach50, nullptr, nullptr},
    {&BDMeasFm4::txtFlow50Val_, &resultdisplay::ResultTexts::flow50, &BDMeasFm4::txtFlo50Units_,
     &units::Captions::flow50},
    {&BDMeasFm4::txtBldgIndxVal_, &resultdisplay::ResultTexts::permeability,
     &BDMeasFm4::txtBldgIndxUnits_, &units::Captions::permeability},
    {&BDMeasFm4::txtUSACEindxVal_, &resultdisplay::ResultTexts::usace,
     &BDMeasFm4::txtUSACEindxUnits_, &units::Captions::usace},
    {&BDMeasFm4::txtQ4PaSurfVal_, &resultdisplay::ResultTexts::q4PaSurf,
     &BDMeasFm4::txtQ4PaSurfUnits_, &units::Captions::q4PaSurf},
    {&BDMeasFm4::txtInfACHVal_, &resultdisplay::ResultTexts::infiltrationAch, nullptr, nullptr},
    {&BDMeasFm4::txtInfFloVal_, &resultdisplay::ResultTexts::infiltrationFlow,
     &BDMeasFm4::txtInfFloUnitsOr_, &units::Captions::infiltrationFlow},
    {&BDMeasFm4::txtInfFloPrsVal_, &resultdisplay::ResultTexts::perOccupant,
     &BDMeasFm4::txtInfFloPersUor_, &units::Captions::perPerson},
    {&BDMeasFm4::txtInfFloRmVal_, &resultdisplay::ResultTexts::perBedroom,
     &BDMeasFm4::txtInfFloBRUor_, &units::Captions::perBedroom},
    {&BDMeasFm4::txtInfIndexVal_, &resultdisplay::ResultTexts::deapIndex,
     &BDMeasFm4::txtInfIndexUn_, &units::Captions::deapIndex},
}};

void BDMeasFm4::showResults(const resultdisplay::ResultTexts& t, bool withCaptions) {
    for (int i = 1; i <= TestRecord::kPoints; ++i) {
        txtFlowFit_[i]->setText(t.flowFit[i]);
        txtFlowError_[i]->setText(t.flowError[i]);
    }
    const units::Captions c = units::captions(rec().UnitSystemG);
    for (const ResultBox& b : kResultBoxes) {
        (this->*b.box)->setText(t.*b.text);
        if (withCaptions && b.caption)
            (this->*b.caption)->setText(c.*b.captionText);
    }
    paint(txtPresExpVal_, t.exponentColour);
}

void BDMeasFm4::showLoadedResults() {
    showResults(resultdisplay::loadedResultTexts(rec()), true);
}

void BDMeasFm4::subFlowFitFlowError() {
    showResults(resultdisplay::flowFitFlowErrorTexts(rec()), false);
}

void BDMeasFm4::txtPresGage_Change(int row) {
    if (loading_)
        return;
    TestRecord& r = rec();
    if (!pointentry::typeBuildingPressure(r, row, txtPresGage_[row]->text())) {
        const QScopedValueRollback<bool> replacing(loading_, true);
        txtPresGage_[row]->setText(QStringLiteral("?"));
    }
    recalculateAndShow();
}

void BDMeasFm4::txtFlowGage_Change(int row) {
    if (loading_)
        return;
    TestRecord& r = rec();
    pointentry::typeFlowReading(r, row, txtFlowGage_[row]->text());
    showFanFlow(row, false);
    recalculateAndShow();
}

void BDMeasFm4::comLowFlow_Click(int row) {
    TestRecord& r = rec();
    pointentry::choosePlate(r, row, comLowFlow_[row]->currentText());
    if (row == 1) {
        // The first row's choice sets the plate for the whole test; the other rows' fan flows
        // follow at once, so that none shows a flow of the old setting.
        for (int j = 2; j <= TestRecord::kPoints; ++j) {
            comLowFlow_[j]->setCurrentIndex(comLowFlow_[1]->currentIndex());
            if (r.LowFlowFactorG[j] != 0.0f)
                showFanFlow(j, false);
        }
    }
    if (r.LowFlowFactorG[row] != 0.0f)
        showFanFlow(row, row != 1);
    recalculateAndShow();
}

void BDMeasFm4::txtPreTstSPres_Change() {
    staticChanged(txtPreTstSPres_, pointentry::Static::PreTest);
}

void BDMeasFm4::txtPostTstSPres_Change() {
    staticChanged(txtPostTstSPres_, pointentry::Static::PostTest);
}

void BDMeasFm4::staticChanged(QLineEdit* box, pointentry::Static which) {
    if (loading_)
        return;
    pointentry::typeStaticPressure(rec(), which, box->text());
    // An average is stored only; its colour is decided when the page loads.
    if (which == pointentry::Static::PreTest || which == pointentry::Static::PostTest)
        recalculateAndShow();
}

void BDMeasFm4::recalculateAndShow() {
    recalculate(rec());
    subFlowFitFlowError();
    showQuality();
}

// The quality window stays open across reloads of this page (a unit switch, Back from the
// graph): the page that follows opens it again.
bool BDMeasFm4::qualityWasOpen_ = false;

void BDMeasFm4::mnuTestQuality_Click() {
    if (!quality_) {
        quality_ = new QualityFm(this);
        connect(quality_, &QualityFm::closedByUser, this, [] { qualityWasOpen_ = false; });
    }
    showQuality();
    // Beside the page, or as near it as the screen allows.
    const QRect page = frameGeometry();
    const QRect room = screen() ? screen()->availableGeometry() : page;
    const int x =
        std::max(room.left(), std::min(page.right() + 8, room.right() - quality_->width()));
    quality_->move(x, std::max(room.top(), page.top()));
    quality_->show();
    quality_->raise();
    qualityWasOpen_ = true;
}

void BDMeasFm4::showQuality() {
    if (quality_)
        quality_->showQuality(testquality::assess(rec()), rec().UnitSystemG);
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
    // The graph plots each row's fan flow by the plate rule, as a fresh load of this page
    // computes them; nothing typed is stored differently by it.
    calculateTest(rec());
    host().showPage(PageId::Graph);
}

// The graph printed as the graph page draws it; the user stays on this page.
void BDMeasFm4::mnuPrintGraph_Click() {
    TestRecord& r = rec();
    r.PrintGraphNowG = 1;
    TestRecord drawn = r;
    calculateTest(drawn);
    printGraph(this, drawn);
    r.PrintGraphNowG = drawn.PrintGraphNowG;
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
    pagemenus::showInstructions(this, instructionTexts());
}

QStringList BDMeasFm4::instructionTexts() {
    QStringList boxes;
    for (int i = 1; i <= 5; ++i)
        boxes << pagemenus::pageText(QStringLiteral("measurement-instructions-%1").arg(i));
    return boxes;
}
