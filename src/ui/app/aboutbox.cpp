#include "ui/app/aboutbox.h"

#include "core/record/testrecord.h"
#include "ui/app/housepicture.h"
#include "ui/common/twips.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace {
constexpr int kWidth = 5700;
constexpr int kHeight = 3300;

QLabel* label(QWidget* parent, const QString& name, const QString& text, int pointSize = 0) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setWordWrap(pointSize == 0);
    if (pointSize > 0) {
        QFont f = l->font();
        f.setPointSize(pointSize);
        l->setFont(f);
    }
    return l;
}
} // namespace

AboutBoxFm::AboutBoxFm(const TestRecord& r, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBoxFm"));
    setWindowTitle(QStringLiteral("About ") + r.ProgramNameG);
    setWindowModality(Qt::ApplicationModal);
    setAttribute(Qt::WA_DeleteOnClose);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("PIC_Icon"));
    twips::place(icon, 240, 240, 720, 720);
    icon->setPixmap(housePicture(icon->height()));

    twips::place(label(this, QStringLiteral("LAB_1"),
                       QStringLiteral("Norvane Model K7 Blower Door Software"), 10),
                 1140, 240, 4400, 360);
    twips::place(label(this, QStringLiteral("LAB_2"),
                       r.ProgramNameG + QStringLiteral("  Version ") + r.ProgramVersionG, 10),
                 1140, 660, 4400, 320);
    twips::place(label(this, QStringLiteral("Label1"),
                       QStringLiteral("Made by Norvane for the analysis of blower door tests. "
                                      "This demonstration copy may be shared freely.")),
                 1140, 1100, 4340, 720);
    twips::place(label(this, QStringLiteral("Label2"), QStringLiteral("www.norvane.example")), 1080,
                 1900, 4400, 300);

    okayButton_ = new QPushButton(QStringLiteral("OK"), this);
    okayButton_->setObjectName(QStringLiteral("OkayButton"));
    okayButton_->setDefault(true);
    okayButton_->installEventFilter(this);
    twips::place(okayButton_, kWidth - 240 - 1300, kHeight - 240 - 420, 1300, 420);
    connect(okayButton_, &QPushButton::clicked, this, &AboutBoxFm::OkayButton_Click);

    twips::sizeAndCentre(this, kWidth, kHeight);
    okayButton_->setFocus();
}

void AboutBoxFm::OkayButton_Click() {
    close();
}

void AboutBoxFm::keyPressEvent(QKeyEvent* event) {
    event->accept();
    close();
}

bool AboutBoxFm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == okayButton_ && event->type() == QEvent::KeyPress) {
        close();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
