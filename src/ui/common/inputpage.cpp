#include "ui/common/inputpage.h"

#include "ui/common/entrywidgets.h"
#include "ui/common/pagemenus.h"

#include <QFrame>
#include <QPushButton>

InputPage::InputPage(PageHost& host, const QString& formName) : MainPage(host, formName) {}

QFrame* InputPage::makeInputFrame(int nameLeft, int nameWidth, int entryLeft, int entryWidth,
                                  int headHeight) {
    QFrame* frame = makeFrame();
    entrywidgets::nameBox(frame, QStringLiteral("Text1"), QStringLiteral("DATA NAME"), nameLeft,
                          240, nameWidth, headHeight);
    entrywidgets::nameBox(frame, QStringLiteral("Text2"), QStringLiteral("DATA ENTRY"), entryLeft,
                          240, entryWidth, headHeight);
    return frame;
}

QPushButton* InputPage::addCommandButtons(QFrame* frame) {
    using entrywidgets::commandButton;
    const int top = 6100;
    QPushButton* back =
        commandButton(frame, QStringLiteral("Command3D2"), QStringLiteral("Back"), 240, top);
    QPushButton* clearAll =
        commandButton(frame, QStringLiteral("Command3D3"), QStringLiteral("Clear All"), 3980, top);
    QPushButton* next = commandButton(frame, QStringLiteral("Command3D1"), QStringLiteral("Next"),
                                      9220 - 1500, top);
    connect(next, &QPushButton::clicked, this, &InputPage::Command3D1_Click);
    connect(back, &QPushButton::clicked, this, &InputPage::Command3D2_Click);
    connect(clearAll, &QPushButton::clicked, this, &InputPage::Command3D3_Click);
    return next;
}

void InputPage::addFileMenu() {
    using pagemenus::addItem;
    QMenu* file = pagemenus::addMenu(this, QStringLiteral("mnuFile"), QStringLiteral("&File"));
    addItem(file, QStringLiteral("mnuSave"), QStringLiteral("&Save"), [this] { mnuSave_Click(); });
    addItem(file, QStringLiteral("mnuSaveAs"), QStringLiteral("Sav&e As"),
            [this] { mnuSaveAs_Click(); });
    addItem(file, QStringLiteral("mnuExit"), QStringLiteral("&Exit"), [this] { mnuExit_Click(); });
}

void InputPage::addHelpMenu() {
    using pagemenus::addItem;
    QMenu* help = pagemenus::addMenu(this, QStringLiteral("mnuHelp"), QStringLiteral("&Help"));
    addItem(help, QStringLiteral("mnuInstructions"), QStringLiteral("&Instructions"),
            [this] { mnuInstructions_Click(); });
    addItem(help, QStringLiteral("mnuAbout"), QStringLiteral("&About"),
            [this] { mnuAbout_Click(); });
}

void InputPage::mnuSave_Click() {
    host().saveCommand(this);
}
void InputPage::mnuSaveAs_Click() {
    host().saveAsCommand(this);
}
void InputPage::mnuExit_Click() {
    host().exitCommand(this);
}
void InputPage::mnuAbout_Click() {
    host().aboutCommand(this);
}
