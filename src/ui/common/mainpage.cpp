#include "ui/common/mainpage.h"

#include "ui/common/twips.h"

#include <QCloseEvent>
#include <QFrame>

MainPage::MainPage(PageHost& host, const QString& formName) : host_(host) {
    setObjectName(formName);
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void MainPage::unload() {
    unloading_ = true;
    close();
    deleteLater();
}

void MainPage::closeEvent(QCloseEvent* event) {
    if (unloading_) {
        event->accept();
        return;
    }
    // Through the window frame: the Exit command decides; the page stays unless it ends.
    event->ignore();
    host_.exitCommand(this);
}

QFrame* MainPage::makeFrame(int frameWidth, int frameHeight) {
    auto* holder = new QWidget(this);
    setCentralWidget(holder);
    auto* frame = new QFrame(holder);
    frame->setObjectName(QStringLiteral("Frame3D1"));
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(QFrame::Raised);
    frame->setLineWidth(2);
    twips::place(frame, 0, 0, frameWidth, frameHeight);
    return frame;
}

void MainPage::sizeAndCentre(int width, int height) {
    twips::sizeAndCentre(this, width, height);
}

QString MainPage::pageCaption(const QString& pageName) const {
    const TestRecord& r = host_.record();
    return QStringLiteral("Ventrel ") + r.ProgramVersionG + QStringLiteral("  ") + pageName +
           QStringLiteral("    File: ") + r.FileNameG;
}
