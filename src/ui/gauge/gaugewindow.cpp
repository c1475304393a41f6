#include "ui/gauge/gaugewindow.h"

#include "core/util/numtext.h"
#include "ui/app/pageflow.h"
#include "ui/common/messages.h"
#include "ui/common/pagemenus.h"
#include "ui/gauge/gaugeport.h"

#include <QCloseEvent>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

QLabel* label(QWidget* parent, const char* name, const QString& text = {}) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

gauge::Moment systemClock() {
    static QElapsedTimer monotonic;
    if (!monotonic.isValid())
        monotonic.start();
    return {QDateTime::currentDateTime(), monotonic.elapsed()};
}

const QString kTitle = QStringLiteral("Ventrel");

} // namespace

frmPG5ser::frmPG5ser(PageFlow& flow, QWidget* parent)
    : QMainWindow(parent), flow_(flow), port_(new GaugePort(this)), clock_(systemClock) {
    setObjectName(QStringLiteral("frmPG5ser"));
    pagemenus::addBarItem(this, QStringLiteral("mnuExit"), QStringLiteral("&Exit"),
                          [this] { close(); });
    pagemenus::addBarItem(this, QStringLiteral("mnuHelp"), QStringLiteral("&Help"),
                          [this] { mnuHelp_Click(); });

    auto* body = new QWidget(this);
    auto* column = new QVBoxLayout(body);
    setCentralWidget(body);

    auto* frame1 = new QGroupBox(QStringLiteral("1. Select PG5 Com Port"), body);
    frame1->setObjectName(QStringLiteral("Frame1"));
    auto* ports = new QGridLayout(frame1);
    for (int n = 1; n <= 9; ++n) {
        auto* o = new QRadioButton(QStringLiteral("Com%1").arg(n), frame1);
        o->setObjectName(QStringLiteral("Option%1").arg(n));
        ports->addWidget(o, (n - 1) / 5, (n - 1) % 5);
        connect(o, &QRadioButton::clicked, this, [this, n] { OptionN_Click(n); });
        options_[n] = o;
    }
    column->addWidget(frame1);
    label5_ = label(body, "Label5");
    label1_ = label(body, "Label1");
    label3_ = label(body, "Label3");
    label6_ = label(body, "Label6");
    label7_ = label(body, "Label7");
    for (QLabel* l : {label5_, label1_, label3_, label6_, label7_})
        column->addWidget(l);
    label1_->setWordWrap(true);

    auto step = [&](const char* name, const QString& caption) {
        QLabel* l = label(body, name, caption);
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        column->addSpacing(6);
        column->addWidget(l);
    };
    auto buttonRow = [&](QPushButton* a, QPushButton* b) {
        auto* row = new QHBoxLayout;
        row->addWidget(a);
        row->addWidget(b);
        column->addLayout(row);
    };
    const QString start = QStringLiteral("Start 30 Sec Static Pres Avg");
    const QString save = QStringLiteral("Save 30 Sec Static Pres Avg");

    step("Label11", QStringLiteral("2. Measure Pre Test Static Pressure by EN 13829 Standard"));
    QPushButton* startPre = button(body, "cmdStartPreTestStaticPresAvg", start);
    QPushButton* savePre = button(body, "cmdSavePreTestStaticPresAvg", save);
    buttonRow(startPre, savePre);
    label9_ = label(body, "Label9");
    column->addWidget(label9_);

    step("Label10", QStringLiteral("3. Input PG5 Pressure/Flow/LowFlow on to Ventrel"));
    QPushButton* savePoint =
        button(body, "cmdSavePG5PresFlowLowflow", QStringLiteral("Save PG5 Pres and Flow"));
    auto* next = new QHBoxLayout;
    next->addWidget(savePoint);
    next->addWidget(label(body, "Label4", QStringLiteral("Next Pres and Flow #")));
    label2_ = label(body, "Label2");
    next->addWidget(label2_);
    next->addStretch();
    column->addLayout(next);
    QPushButton* skipUp =
        button(body, "cmdSkipUpPresFlowNum", QStringLiteral("Skip Up Pres and Flow #"));
    QPushButton* skipDown =
        button(body, "cmdSkipDownPresFlowNum", QStringLiteral("Skip Down Pres and Flow #"));
    buttonRow(skipUp, skipDown);

    step("Label12", QStringLiteral("4. Measure Post Test Static Pressure by EN 13829 Standard"));
    QPushButton* startPost = button(body, "cmdStartPostTestStaticPresAvg", start);
    QPushButton* savePost = button(body, "cmdSavePostTestStaticPresAvg", save);
    buttonRow(startPost, savePost);
    label8_ = label(body, "Label8");
    column->addWidget(label8_);

    column->addSpacing(6);
    column->addWidget(label(body, "Label13",
                            QStringLiteral("Click here to bring back PG5 auto data entry window")));
    QPushButton* exit =
        button(body, "cmdExitWindow", QStringLiteral("Exit if not using serial cable to PG5"));
    column->addWidget(exit);

    connect(startPre, &QPushButton::clicked, this, &frmPG5ser::cmdStartPreTestStaticPresAvg_Click);
    connect(savePre, &QPushButton::clicked, this, &frmPG5ser::cmdSavePreTestStaticPresAvg_Click);
    connect(startPost, &QPushButton::clicked, this,
            &frmPG5ser::cmdStartPostTestStaticPresAvg_Click);
    connect(savePost, &QPushButton::clicked, this, &frmPG5ser::cmdSavePostTestStaticPresAvg_Click);
    connect(savePoint, &QPushButton::clicked, this, &frmPG5ser::cmdSavePG5PresFlowLowflow_Click);
    connect(skipUp, &QPushButton::clicked, this, &frmPG5ser::cmdSkipUpPresFlowNum_Click);
    connect(skipDown, &QPushButton::clicked, this, &frmPG5ser::cmdSkipDownPresFlowNum_Click);
    connect(exit, &QPushButton::clicked, this, &QWidget::close);
    connect(port_, &GaugePort::received, this, &frmPG5ser::handleChunk);

    label9_->setText(QStringLiteral("No Pre Test Pressure Averaging Done"));
    label8_->setText(QStringLiteral("No Post Test Pressure Averaging Done"));
}

void frmPG5ser::Form_Load() {
    const TestRecord& r = flow_.record();
    setWindowTitle(r.ProgramNameG + QLatin1Char(' ') + r.ProgramVersionG +
                   QStringLiteral("  PG5 Auto Data Entry Page"));
    input_.windowOpened();
    showNextPoint();
    label1_->setText(QStringLiteral("No data from PG5 detected"));
    label5_->setText(QStringLiteral("No Com port selected"));
    // Which device each Com option stands for.
    for (int n = 1; n <= 9; ++n) {
        const QString device = GaugePort::deviceFor(n);
        options_[n]->setToolTip(device.isEmpty() ? QStringLiteral("No serial device") : device);
    }
    if (!isVisible() && screen()) // beside the pages, at the screen's left edge
        move(screen()->availableGeometry().topLeft() + QPoint(8, 8));
    show();
    raise();
}

void frmPG5ser::OptionN_Click(int n) {
    PortNumber = static_cast<int16_t>(n);
    input_.portChanged();
    const bool opened = port_->open(n);
    label5_->setText(QStringLiteral("Com") + numText(static_cast<double>(n)) +
                     (opened ? QStringLiteral(" Exists") : QStringLiteral(" Does Not Exist")));
    label1_->setText(QStringLiteral("No data from PG5 detected"));
}

void frmPG5ser::handleChunk(const QByteArray& chunk) {
    TestRecord& r = flow_.record();
    const gauge::ChunkResult result = input_.ParseChars(chunk, r, clock_());
    bool reload = false;
    for (const gauge::LineResult& line : result.lines) {
        label1_->setText(line.label1);
        label3_->setText(line.label3);
        if (line.label6)
            label6_->setText(*line.label6);
        if (line.label7)
            label7_->setText(*line.label7);
        if (line.average)
            (line.average->postTest ? label8_ : label9_)->setText(line.average->text);
        for (const gauge::Notice n : {line.deviceNotice, line.unitNotice})
            if (n != gauge::Notice::None)
                showInformation(this, kTitle, gauge::noticeText(n));
        reload = reload || line.unitSystemChanged;
    }
    if (reload && flow_.currentPage() &&
        flow_.currentPage()->objectName() == QLatin1String("BDMeasFm4"))
        reloadMeasurementPage();
}

void frmPG5ser::cmdStartPreTestStaticPresAvg_Click() {
    input_.averager.start(false);
}

void frmPG5ser::cmdStartPostTestStaticPresAvg_Click() {
    input_.averager.start(true);
}

void frmPG5ser::cmdSavePreTestStaticPresAvg_Click() {
    saveAverage(false, false);
}

void frmPG5ser::cmdSavePostTestStaticPresAvg_Click() {
    const TestRecord& r = flow_.record();
    bool keep = false;
    if (gauge::GaugeInput::commentWouldBeLost(r)) {
        keep = askQuestion(this, kTitle,
                           QStringLiteral("The second comment line holds your own text:") +
                               pagemenus::kBreak + r.Comment2G + pagemenus::kBreak +
                               QStringLiteral("Replace it with the post-test average?"),
                           QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes;
    }
    saveAverage(true, keep);
}

void frmPG5ser::saveAverage(bool postTest, bool keepComment) {
    if (input_.saveStaticAverage(flow_.record(), postTest, clock_().wall, keepComment) ==
        gauge::SaveOutcome::NoAverage) {
        showInformation(
            this, kTitle,
            QStringLiteral("No %1 average has been taken yet. Press Start and let "
                           "the gauge send for 30 seconds first.")
                .arg(postTest ? QStringLiteral("post-test") : QStringLiteral("pre-test")));
        return;
    }
    reloadMeasurementPage();
}

void frmPG5ser::cmdSavePG5PresFlowLowflow_Click() {
    switch (input_.savePoint(flow_.record())) {
    case gauge::SaveOutcome::NoData:
        showInformation(this, kTitle, QStringLiteral("No Data! Please select PG5 com port"));
        return;
    case gauge::SaveOutcome::AreaUnits:
        showInformation(this, kTitle, gauge::noticeText(gauge::Notice::AreaUnits));
        return;
    default:
        break;
    }
    showNextPoint();
    reloadMeasurementPage();
}

void frmPG5ser::cmdSkipUpPresFlowNum_Click() {
    input_.counter.skipUp();
    showNextPoint();
}

void frmPG5ser::cmdSkipDownPresFlowNum_Click() {
    input_.counter.skipDown();
    showNextPoint();
}

void frmPG5ser::mnuHelp_Click() {
    pagemenus::showInstructions(this, helpTexts());
}

QStringList frmPG5ser::helpTexts() {
    QStringList boxes;
    for (int i = 1; i <= 4; ++i)
        boxes << pagemenus::pageText(QStringLiteral("gauge-help-%1").arg(i));
    return boxes;
}

void frmPG5ser::closeEvent(QCloseEvent* event) {
    port_->close();
    QMainWindow::closeEvent(event);
}

void frmPG5ser::reloadMeasurementPage() {
    flow_.showPage(PageId::Measurement);
}

void frmPG5ser::showNextPoint() {
    label2_->setText(numText(static_cast<double>(input_.counter.nextPoint())));
}
