#include "ui/pages/testidpage.h"

#include "ui/common/entrywidgets.h"
#include "ui/common/pagemenus.h"
#include "ui/common/twips.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>

namespace {

struct RowLayout {
    const char16_t* nameBox;
    const char16_t* nameText;
    const char16_t* entryBox;
    QString TestRecord::*field;
};

// The date row's name depends on the language and is filled at load.
const RowLayout kRowLayouts[] = {
    {u"Text3", u"", u"Text4", &TestRecord::TestDateTimeG},
    {u"Text5", u"Testing Company:", u"Text6", &TestRecord::TestingCompanyG},
    {u"Text7", u"Building Tested:", u"Text8", &TestRecord::BuildingTestedG},
    {u"Text9", u"Building Address:", u"Text10", &TestRecord::BuildingAddressG},
    {u"Text11", u"Technician:", u"Text12", &TestRecord::TechnicianG},
    {u"Text13", u"Wind Conditions:", u"Text14", &TestRecord::WindConditionsG},
    {u"Text15", u"All interior doors open?", u"Text16", &TestRecord::InteriorDoorsG},
    {u"Text17", u"Temporary sealing for test?", u"Text18", &TestRecord::TemporarySealingG},
    {u"Text19", u"Basement Door Closed?", u"Text20", &TestRecord::BasementDoorG},
    {u"Text21", u"Blower Door ID:", u"Text22", &TestRecord::BlowerDoorIdG},
    {u"Text23", u"Comments:", u"Text24", &TestRecord::Comment1G},
    {nullptr, nullptr, u"Text25", &TestRecord::Comment2G},
    {nullptr, nullptr, u"Text26", &TestRecord::Comment3G},
};

constexpr int kNameLeft = 240;
constexpr int kNameWidth = 3000;
constexpr int kEntryLeft = 3300;
constexpr int kEntryWidth = 5920;
constexpr int kRowTop = 660;
constexpr int kRowStep = 345;
constexpr int kRowHeight = 315;

QString str(const char16_t* s) {
    return QString::fromUtf16(s);
}

} // namespace

TestIdFm2::TestIdFm2(PageHost& host) : InputPage(host, QStringLiteral("TestIdFm2")) {
    using namespace entrywidgets;
    QFrame* frame = makeInputFrame(kNameLeft, kNameWidth, kEntryLeft, kEntryWidth, kRowHeight);

    for (int i = 0; i < kRows; ++i) {
        const RowLayout& layout = kRowLayouts[i];
        const int top = kRowTop + i * kRowStep;
        if (layout.nameBox) {
            QLineEdit* name = nameBox(frame, str(layout.nameBox), str(layout.nameText), kNameLeft,
                                      top, kNameWidth, kRowHeight);
            if (i == 0)
                dateName_ = name;
        }
        QLineEdit* entry =
            entryBox(frame, str(layout.entryBox), kEntryLeft, top, kEntryWidth, kRowHeight);
        rows_[i] = {entry, layout.field};
        QString TestRecord::*field = layout.field;
        connect(entry, &QLineEdit::textChanged, this,
                [this, field](const QString& text) { rec().*field = text; });
    }

    auto* label1 = new QLabel(
        QStringLiteral(
            "None of the data above is used for calculations. It is important for documenting "
            "the test."),
        frame);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setAlignment(Qt::AlignCenter);
    twips::place(label1, kNameLeft, kRowTop + kRows * kRowStep + 120, 8980, 360);

    addCommandButtons(frame);
    addFileMenu();
    addHelpMenu();
}

void TestIdFm2::Form_Load() {
    sizeAndCentre();
    setWindowTitle(pageCaption(QStringLiteral("Test Identification Page")));
    dateName_->setText(rec().LanguageG == QStringLiteral("F")
                           ? QStringLiteral("Date et heure de test")
                           : QStringLiteral("Test date and time"));
    for (const Row& row : rows_)
        entrywidgets::setBoxText(row.entry, rec().*row.field);
    show();
    rows_[0].entry->setFocus();
}

void TestIdFm2::Command3D1_Click() {
    host().showPage(PageId::Building);
}
void TestIdFm2::Command3D2_Click() {
    host().showPage(PageId::Start);
}
void TestIdFm2::Command3D3_Click() {
    clearTestIdentification(rec());
    host().showPage(PageId::TestId);
}
void TestIdFm2::mnuInstructions_Click() {
    pagemenus::showInstructions(this, {instructionsText()});
}

QString TestIdFm2::instructionsText() {
    return pagemenus::pageText(QStringLiteral("testid-instructions"));
}
