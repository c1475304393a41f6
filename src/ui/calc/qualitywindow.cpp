#include "ui/calc/qualitywindow.h"

#include "core/calc/units.h"
#include "core/util/numtext.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// What each check looks at, in the order the checks come.
const char* const kCheckTitles[] = {"Valid points",     "Highest pressure", "Lowest pressure",
                                    "Static pressures", "Pressure steps",   "Exponent",
                                    "Correlation",      "Flow at 50 Pa"};

QString figure(double value, int places) {
    return numText(roundHalfEven(value, places)).trimmed();
}

QString range(const std::optional<testquality::Interval>& i, double factor, int places,
              const QString& unit) {
    if (!i)
        return QStringLiteral("no interval (3 valid points at two pressures are needed)");
    QString text =
        figure(i->low * factor, places) + QStringLiteral(" to ") + figure(i->high * factor, places);
    return unit.isEmpty() ? text : text + QLatin1Char(' ') + unit;
}

} // namespace

QualityFm::QualityFm(QWidget* page) : QWidget(page, Qt::Tool) {
    setObjectName(QStringLiteral("QualityFm"));
    setWindowTitle(QStringLiteral("Test Quality"));
    auto* column = new QVBoxLayout(this);
    column->setSizeConstraint(QLayout::SetMinimumSize);
    QFont bold = font();
    bold.setBold(true);
    auto heading = [&](const char* text) {
        auto* label = new QLabel(QString::fromLatin1(text), this);
        label->setFont(bold);
        column->addWidget(label);
    };

    // Narrow enough to stand beside a centred page on a laptop screen: each check's mark and
    // title on one line, its reason wrapped below the title.
    heading("Checks of the readings");
    auto* checks = new QGridLayout;
    column->addLayout(checks);
    for (int i = 0; i < kChecks; ++i) {
        marks_[i] = new QLabel(this);
        marks_[i]->setObjectName(QStringLiteral("lblQualityMark%1").arg(i + 1));
        marks_[i]->setFont(bold);
        reasons_[i] = new QLabel(this);
        reasons_[i]->setObjectName(QStringLiteral("lblQualityReason%1").arg(i + 1));
        reasons_[i]->setWordWrap(true);
        reasons_[i]->setFixedWidth(270);
        auto* text = new QVBoxLayout;
        text->setSpacing(1);
        text->addWidget(new QLabel(QString::fromLatin1(kCheckTitles[i]), this));
        text->addWidget(reasons_[i]);
        checks->addWidget(marks_[i], i, 0, Qt::AlignTop);
        checks->addLayout(text, i, 1);
    }

    heading("95 % confidence intervals");
    auto* intervals = new QGridLayout;
    column->addLayout(intervals);
    const char* const titles[] = {"Pressure exponent", "Flow coefficient", "Flow50", "ACH50"};
    for (int i = 0; i < 4; ++i) {
        intervals_[i] = new QLabel(this);
        intervals_[i]->setObjectName(QStringLiteral("lblQualityInterval%1").arg(i + 1));
        intervals->addWidget(new QLabel(QString::fromLatin1(titles[i]), this), i, 0);
        intervals->addWidget(intervals_[i], i, 1);
    }
    intervals->setColumnStretch(1, 1);
}

void QualityFm::showQuality(const testquality::Quality& q, int16_t unitSystem) {
    for (int i = 0; i < kChecks && i < q.checks.size(); ++i) {
        const bool pass = q.checks[i].pass;
        marks_[i]->setText(pass ? QStringLiteral("\u2713") : QStringLiteral("\u2717"));
        marks_[i]->setStyleSheet(pass ? QStringLiteral("color: #1a7f37")
                                      : QStringLiteral("color: #c0392b"));
        reasons_[i]->setText(q.checks[i].reason);
    }
    const units::Captions c = units::captions(unitSystem);
    const bool m3h = units::flowsInM3h(unitSystem);
    intervals_[0]->setText(range(q.exponent, 1.0, 3, QString()));
    // The coefficient's ends move to 1 Pa with the fitted exponent, as the page's figure does.
    std::optional<testquality::Interval> coefficient = q.coefficient;
    if (coefficient && q.exponent) {
        const auto n = static_cast<float>((q.exponent->low + q.exponent->high) / 2.0);
        coefficient->low =
            units::flowCoefficientShown(static_cast<float>(coefficient->low), n, unitSystem);
        coefficient->high =
            units::flowCoefficientShown(static_cast<float>(coefficient->high), n, unitSystem);
    }
    intervals_[1]->setText(range(coefficient, 1.0, 1, c.flowCoefficient));
    intervals_[2]->setText(range(q.flow50, m3h ? units::kM3hPerCfm : 1.0, 1, c.flow50));
    intervals_[3]->setText(range(q.ach50, 1.0, 2, QString()));
    adjustSize(); // reasons change length as the readings change
}

void QualityFm::closeEvent(QCloseEvent* event) {
    emit closedByUser();
    QWidget::closeEvent(event);
}
