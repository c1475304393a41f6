#include "ui/pages/buildingpage.h"

#include "core/calc/buildingvalues.h"
#include "core/calc/units.h"
#include "core/util/numtext.h"
#include "ui/common/entrywidgets.h"
#include "ui/common/messages.h"
#include "ui/common/pagemenus.h"
#include "ui/common/twips.h"

#include <QEvent>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

constexpr int kNameLeft = 240;
constexpr int kNameWidth = 4700;
constexpr int kEntryLeft = 5000;
constexpr int kEntryWidth = 2500;
constexpr int kUnitLeft = 7560;
constexpr int kUnitWidth = 900;
constexpr int kRowTop = 700;
constexpr int kRowStep = 440;
constexpr int kRowHeight = 345;

int rowTop(int row) {
    return kRowTop + row * kRowStep;
}

// Names that read differently in the metric system.
struct RowNames {
    const char* nameBox;
    QString us;
    QString metric;
};

const RowNames& rowNames(int row) {
    static const RowNames names[] = {
        {"Text3", QStringLiteral("Building Volume (for Air Change Rate)="), {}},
        {"Text5", QStringLiteral("Building Surface Area (for Permeability Index)="), {}},
        {"Text7", QStringLiteral("Building Floor Area (for leakage ratio)="),
         QStringLiteral("Building Floor Area (for Leakage Ratio calc)=")},
        {"Text9", QStringLiteral("Stories Above Grade(1 to 4, default 1)="),
         QStringLiteral("Stories Above Grade(1 to 4, default=1)=")},
        {"Text11", QStringLiteral("Inside Temperature (default 68 F or 20 C)="),
         QStringLiteral("Inside Temperature (degrees F, default 68 F)=")},
        {"Text13", QStringLiteral("Outside Temperature (default 68 F or 20 C)="),
         QStringLiteral("Outside Temperature (degrees F, default 68 F)=")},
        {"Text15", QStringLiteral("Wind Shielding Factor (0.9 to 1.2, default 1)="), {}},
        {"Text17", QStringLiteral("Number of Occupants (1 to 99, default 4)="), {}},
        {"Text19", QStringLiteral("Number of Bedrooms (1 to 99, default 2)="), {}},
        {"Text21", QStringLiteral("Pressurize or Depressurize"), {}},
        {"Text23", QStringLiteral("Infiltration Factor (Divide by 20 approximation)="), {}},
    };
    return names[row];
}
constexpr int kNamedRows = 11;

} // namespace

BldgEnvFm3::BldgEnvFm3(PageHost& host) : InputPage(host, QStringLiteral("BldgEnvFm3")) {
    using namespace entrywidgets;
    QFrame* frame = makeInputFrame(kNameLeft, kNameWidth, kEntryLeft,
                                   kUnitLeft + kUnitWidth - kEntryLeft, kRowHeight);
    for (int row = 0; row < kNamedRows; ++row)
        nameBox(frame, QString::fromLatin1(rowNames(row).nameBox), {}, kNameLeft, rowTop(row),
                kNameWidth, kRowHeight);

    auto entry = [&](const char* objectName, int row) {
        QLineEdit* box = entryBox(frame, QString::fromLatin1(objectName), kEntryLeft, rowTop(row),
                                  kEntryWidth, kRowHeight);
        box->installEventFilter(this);
        return box;
    };
    text4_ = entry("Text4", 0);
    text6_ = entry("Text6", 1);
    text8_ = entry("Text8", 2);
    text10_ = entry("Text10", 3);
    text12_ = entry("Text12", 4);
    text14_ = entry("Text14", 5);
    text16_ = entry("Text16", 6);
    text18_ = entry("Text18", 7);
    text20_ = entry("Text20", 8);
    text24_ = nameBox(frame, QStringLiteral("Text24"), {}, kEntryLeft, rowTop(10), kEntryWidth,
                      kRowHeight);

    const std::pair<const char*, int> unitBoxes[] = {
        {"Text25", 0}, {"Text26", 1}, {"Text27", 2}, {"Text28", 4}, {"Text29", 5}};
    for (const auto& [objectName, row] : unitBoxes)
        nameBox(frame, QString::fromLatin1(objectName), {}, kUnitLeft, rowTop(row), kUnitWidth,
                kRowHeight);

    option1_ = new QRadioButton(QStringLiteral("Depressurize"), frame);
    option1_->setObjectName(QStringLiteral("Option1"));
    twips::place(option1_, kEntryLeft, rowTop(9), 1700, kRowHeight);
    option2_ = new QRadioButton(QStringLiteral("Pressurize"), frame);
    option2_->setObjectName(QStringLiteral("Option2"));
    twips::place(option2_, kEntryLeft + 1800, rowTop(9), 1700, kRowHeight);

    next_ = addCommandButtons(frame);

    connect(text4_, &QLineEdit::textChanged, this, &BldgEnvFm3::Text4_Change);
    connect(text6_, &QLineEdit::textChanged, this, &BldgEnvFm3::Text6_Change);
    connect(text8_, &QLineEdit::textChanged, this, &BldgEnvFm3::Text8_Change);
    connect(text10_, &QLineEdit::textChanged, this, &BldgEnvFm3::Text10_Change);
    connect(text12_, &QLineEdit::textChanged, this, &BldgEnvFm3::Text12_Change);
    connect(text14_, &QLineEdit::textChanged, this, &BldgEnvFm3::Text14_Change);
    connect(text16_, &QLineEdit::textChanged, this, &BldgEnvFm3::Text16_Change);
    connect(text18_, &QLineEdit::textChanged, this, &BldgEnvFm3::Text18_Change);
    connect(text20_, &QLineEdit::textChanged, this, &BldgEnvFm3::Text20_Change);
    connect(option1_, &QRadioButton::clicked, this, &BldgEnvFm3::Option1_Click);
    connect(option2_, &QRadioButton::clicked, this, &BldgEnvFm3::Option2_Click);

    addFileMenu();
    using pagemenus::addItem;
    QMenu* unitsMenu =
        pagemenus::addMenu(this, QStringLiteral("mnuUnits"), QStringLiteral("&Units"));
    addItem(unitsMenu, QStringLiteral("mnuInWcCfm"), QStringLiteral("&InWcCfm"),
            [this] { mnuUnits_Click(units::InWcCfm); });
    addItem(unitsMenu, QStringLiteral("mnuPaCfm"), QStringLiteral("&PaCfm"),
            [this] { mnuUnits_Click(units::PaCfm); });
    addItem(unitsMenu, QStringLiteral("mnuPaM3h"), QStringLiteral("Pa&M3h"),
            [this] { mnuUnits_Click(units::PaM3h); });
    addHelpMenu();
}

int16_t BldgEnvFm3::system() const {
    return const_cast<BldgEnvFm3*>(this)->rec().UnitSystemG;
}

QLineEdit* BldgEnvFm3::name(const char* objectName) const {
    return findChild<QLineEdit*>(QString::fromLatin1(objectName));
}

void BldgEnvFm3::Form_Load() {
    using entrywidgets::setBoxText;
    sizeAndCentre();
    setWindowTitle(pageCaption(QStringLiteral("Building and Environment Page")));

    const int16_t sys = system();
    const bool metric = units::isMetric(sys);
    for (int row = 0; row < kNamedRows; ++row) {
        const RowNames& names = rowNames(row);
        setBoxText(name(names.nameBox),
                   metric && !names.metric.isEmpty() ? names.metric : names.us);
    }
    const QString volumeUnit = metric ? QStringLiteral("m3") : QStringLiteral("Ft3");
    const QString areaUnit = metric ? QStringLiteral("m2") : QStringLiteral("Ft2");
    const QString tempUnit = metric ? QStringLiteral("C") : QStringLiteral("F");
    setBoxText(name("Text25"), volumeUnit);
    setBoxText(name("Text26"), areaUnit);
    setBoxText(name("Text27"), areaUnit);
    setBoxText(name("Text28"), tempUnit);
    setBoxText(name("Text29"), tempUnit);

    nextOffered_ = host().offers(PageId::Measurement);
    next_->setEnabled(nextOffered_);

    // Each box's handler runs as it is filled (it enables Next for a volume in range).
    const TestRecord stored = rec();
    setBoxText(text4_, volumeBoxText(stored.BuildingVolumeCuFtG, sys));
    setBoxText(text6_, areaBoxText(stored.BuildingSurfaceAreaSqFtG, sys));
    setBoxText(text8_, areaBoxText(stored.BuildingFloorAreaSqFtG, sys));
    setBoxText(text10_, stored.StoriesAboveGradeG);
    setBoxText(text12_, temperatureBoxText(stored.TemperatureInsideFG, sys));
    setBoxText(text14_, temperatureBoxText(stored.TemperatureOutsideFG, sys));
    setBoxText(text16_, stored.WindShieldingFactorG);
    setBoxText(text18_, stored.NumberOfOccupantsG);
    setBoxText(text20_, stored.NumberofBedroomsG);
    // The boxes show cut and converted texts; storing those back would change a test merely
    // by viewing it (150 m2 would come back as 149.999 after a switch of units and back), so
    // the sizes and temperatures keep the values they had. Typing stores as usual.
    TestRecord& r = rec();
    r.BuildingVolumeCuFtG = stored.BuildingVolumeCuFtG;
    r.BuildingSurfaceAreaSqFtG = stored.BuildingSurfaceAreaSqFtG;
    r.BuildingFloorAreaSqFtG = stored.BuildingFloorAreaSqFtG;
    r.TemperatureInsideFG = stored.TemperatureInsideFG;
    r.TemperatureOutsideFG = stored.TemperatureOutsideFG;

    if (stored.PressurizeOrDepressG == QStringLiteral("D"))
        option1_->setChecked(true);
    else
        option2_->setChecked(true);

    showInfiltrationFactor();
    show();
    text4_->setFocus();
}

void BldgEnvFm3::showInfiltrationFactor() {
    TestRecord& r = rec();
    r.DivideBy20FactorG = infiltrationFactor(r.StoriesAboveGradeG, r.WindShieldingFactorG);
    text24_->setText(infiltrationFactorText(r.DivideBy20FactorG));
}

void BldgEnvFm3::Text4_Change(const QString& text) {
    const double value = leadingNumber(text);
    rec().BuildingVolumeCuFtG = units::volumeEntered(value, system());
    if (volumeInRange(value))
        next_->setEnabled(nextOffered_);
}

void BldgEnvFm3::Text6_Change(const QString& text) {
    rec().BuildingSurfaceAreaSqFtG = units::areaEntered(leadingNumber(text), system());
}

void BldgEnvFm3::Text8_Change(const QString& text) {
    rec().BuildingFloorAreaSqFtG = units::areaEntered(leadingNumber(text), system());
}

void BldgEnvFm3::Text10_Change(const QString& text) {
    rec().StoriesAboveGradeG = text;
    showInfiltrationFactor();
}

void BldgEnvFm3::Text12_Change(const QString& text) {
    rec().TemperatureInsideFG = toSingle(units::temperatureEntered(leadingNumber(text), system()));
}

void BldgEnvFm3::Text14_Change(const QString& text) {
    rec().TemperatureOutsideFG = toSingle(units::temperatureEntered(leadingNumber(text), system()));
}

void BldgEnvFm3::Text16_Change(const QString& text) {
    rec().WindShieldingFactorG = text;
    showInfiltrationFactor();
}

void BldgEnvFm3::Text18_Change(const QString& text) {
    rec().NumberOfOccupantsG = text;
}
void BldgEnvFm3::Text20_Change(const QString& text) {
    rec().NumberofBedroomsG = text;
}
void BldgEnvFm3::Option1_Click() {
    rec().PressurizeOrDepressG = QStringLiteral("D");
}
void BldgEnvFm3::Option2_Click() {
    rec().PressurizeOrDepressG = QStringLiteral("P");
}

void BldgEnvFm3::Command3D1_Click() {
    const int16_t sys = system();
    const std::pair<BuildingEntry, QLineEdit*> checks[] = {
        {BuildingEntry::Volume, text4_},         {BuildingEntry::Stories, text10_},
        {BuildingEntry::InsideTemp, text12_},    {BuildingEntry::OutsideTemp, text14_},
        {BuildingEntry::WindShielding, text16_}, {BuildingEntry::Occupants, text18_},
        {BuildingEntry::Bedrooms, text20_},
    };
    TestRecord& r = rec();
    for (const auto& [entry, box] : checks) {
        if (!buildingEntryFails(entry, box->text()))
            continue;
        beep();
        const QString fallback = buildingEntryFallback(entry, sys);
        box->setText(fallback);
        storeBuildingFallback(r, entry, fallback);
        if (entry == BuildingEntry::Volume) {
            box->setFocus();
            next_->setEnabled(false);
        }
    }
    if (next_->isEnabled())
        host().showPage(PageId::Measurement);
}

void BldgEnvFm3::Command3D2_Click() {
    host().showPage(PageId::TestId);
}

void BldgEnvFm3::Command3D3_Click() {
    clearBuildingValues(rec());
    host().showPage(PageId::Building);
}

void BldgEnvFm3::mnuUnits_Click(int16_t unitSystem) {
    setUnitSystem(rec(), unitSystem);
    host().showPage(PageId::Building);
}

void BldgEnvFm3::mnuInstructions_Click() {
    pagemenus::showInstructions(this, instructionsTexts());
}

bool BldgEnvFm3::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (auto* box = qobject_cast<QLineEdit*>(watched)) {
            const QString text = box->text();
            // A "?" in the volume box stays until the user replaces it.
            const bool empties =
                text == QStringLiteral(" 0") || (box != text4_ && text == QStringLiteral("?"));
            if (empties)
                box->clear();
        }
    }
    return MainPage::eventFilter(watched, event);
}

QStringList BldgEnvFm3::instructionsTexts() {
    return {pagemenus::pageText(QStringLiteral("building-instructions-1")),
            pagemenus::pageText(QStringLiteral("building-instructions-2"))};
}
