#include "ui/app/startpage.h"

#include "ui/app/housepicture.h"
#include "ui/app/pageflow.h"
#include "ui/common/messages.h"
#include "ui/common/pagemenus.h"
#include "ui/common/twips.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

namespace {

QRadioButton* option(QWidget* parent, const QString& name, const QString& caption) {
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(name);
    return button;
}

QLabel* label(QWidget* parent, const QString& name, int pointSize) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    QFont f = l->font();
    f.setPointSize(pointSize);
    l->setFont(f);
    return l;
}

} // namespace

IntroFm1::IntroFm1(PageFlow& flow) : MainPage(flow, QStringLiteral("IntroFm1")), flow_(flow) {
    QFrame* frame = makeFrame();

    auto* picture = new QLabel(frame);
    picture->setObjectName(QStringLiteral("Picture1"));
    twips::place(picture, 360, 240, 1200, 1200);
    picture->setPixmap(housePicture(picture->height()));

    label4_ = label(frame, QStringLiteral("Label4"), 12);
    label4_->setAlignment(Qt::AlignCenter);
    twips::place(label4_, 1800, 360, 6000, 420);
    label5_ = label(frame, QStringLiteral("Label5"), 10);
    label5_->setAlignment(Qt::AlignCenter);
    twips::place(label5_, 1800, 840, 6000, 360);

    auto* frame1 = new QGroupBox(QStringLiteral("Language"), frame);
    frame1->setObjectName(QStringLiteral("Frame1"));
    twips::place(frame1, 360, 1620, 2400, 1500);
    option5_ = option(frame1, QStringLiteral("Option5"), QStringLiteral("English"));
    option6_ = option(frame1, QStringLiteral("Option6"), QStringLiteral("French"));
    twips::place(option5_, 240, 420, 2000, 400);
    twips::place(option6_, 240, 900, 2000, 400);

    auto* frame3d2 = new QGroupBox(QStringLiteral("Select Blower Door Data File to Start:"), frame);
    frame3d2->setObjectName(QStringLiteral("Frame3D2"));
    twips::place(frame3d2, 3000, 1620, 6100, 1500);
    QRadioButton* option1 =
        option(frame3d2, QStringLiteral("Option1"), QStringLiteral("New File (\"wc, Cfm)"));
    QRadioButton* option4 =
        option(frame3d2, QStringLiteral("Option4"), QStringLiteral("New File (Pa, Cfm)"));
    QRadioButton* option2 =
        option(frame3d2, QStringLiteral("Option2"), QStringLiteral("New File (Pa, M3/h)"));
    QRadioButton* option3 = option(frame3d2, QStringLiteral("Option3"), QStringLiteral("Old File"));
    twips::place(option1, 240, 420, 2800, 400);
    twips::place(option4, 240, 900, 2800, 400);
    twips::place(option2, 3200, 420, 2700, 400);
    twips::place(option3, 3200, 900, 2700, 400);

    label3_ = label(frame, QStringLiteral("Label3"), 9);
    label3_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label3_->setFrameShape(QFrame::StyledPanel);
    label3_->setFrameShadow(QFrame::Sunken);
    label3_->setMargin(twips::toPixels(90, twips::logicalDpi(label3_)));
    twips::place(label3_, 360, 3360, 8740, 3180);

    connect(option1, &QRadioButton::clicked, this, &IntroFm1::Option1_Click);
    connect(option2, &QRadioButton::clicked, this, &IntroFm1::Option2_Click);
    connect(option3, &QRadioButton::clicked, this, &IntroFm1::Option3_Click);
    connect(option4, &QRadioButton::clicked, this, &IntroFm1::Option4_Click);
    connect(option5_, &QRadioButton::clicked, this, &IntroFm1::Option5_Click);
    connect(option6_, &QRadioButton::clicked, this, &IntroFm1::Option6_Click);

    pagemenus::addBarItem(this, QStringLiteral("mnuExit"), QStringLiteral("&Exit"),
                          [this] { mnuExit_Click(); });
    QMenu* help = pagemenus::addMenu(this, QStringLiteral("mnuHelp"), QStringLiteral("&Help"));
    pagemenus::addItem(help, QStringLiteral("mnuInstructions"), QStringLiteral("&Instructions"),
                       [this] { mnuInstructions_Click(); });
    pagemenus::addItem(help, QStringLiteral("mnuAbout"), QStringLiteral("&About"),
                       [this] { mnuAbout_Click(); });
}

void IntroFm1::Form_Load() {
    sizeAndCentre();
    TestRecord& r = rec();
    applyStartupValues(r);
    setWindowTitle(r.ProgramNameG + QStringLiteral(" ") + r.ProgramVersionG +
                   QStringLiteral("  File: ") + r.FileNameG);
    show();

    QRadioButton* language = r.LanguageG == QStringLiteral("F") ? option6_ : option5_;
    language->setChecked(true);
    language->setFocus();
    if (r.LanguageG != QStringLiteral("F"))
        r.LanguageG = QStringLiteral("E");

    label4_->setText(QStringLiteral("VENTREL Version ") + r.ProgramVersionG);
    label5_->setText(QStringLiteral("Norvane Model K7 Blower Door Data Analysis Software"));
    label3_->setText(messageDisplayText(noticeText()));
}

QString IntroFm1::noticeText() {
    return pagemenus::pageText(QStringLiteral("start-notice"));
}

QString IntroFm1::instructionsText() {
    return pagemenus::pageText(QStringLiteral("start-instructions"));
}

void IntroFm1::Option1_Click() {
    flow_.newFile(1);
}
void IntroFm1::Option4_Click() {
    flow_.newFile(2);
}
void IntroFm1::Option2_Click() {
    flow_.newFile(3);
}
void IntroFm1::Option3_Click() {
    flow_.oldFile();
}
void IntroFm1::Option5_Click() {
    rec().LanguageG = QStringLiteral("E");
}
void IntroFm1::Option6_Click() {
    rec().LanguageG = QStringLiteral("F");
}
void IntroFm1::mnuExit_Click() {
    host().exitCommand(this);
}
void IntroFm1::mnuInstructions_Click() {
    pagemenus::showInstructions(this, {instructionsText()});
}
void IntroFm1::mnuAbout_Click() {
    host().aboutCommand(this);
}
