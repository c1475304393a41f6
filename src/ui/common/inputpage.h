#pragma once

#include "ui/common/mainpage.h"

class QFrame;
class QPushButton;

// What the test identification and building pages share: a frame headed "DATA NAME" and
// "DATA ENTRY", Back, Clear All and Next along its bottom, and the File and Help commands.
class InputPage : public MainPage {
    Q_OBJECT
  public:
    virtual void Command3D1_Click() = 0; // Next
    virtual void Command3D2_Click() = 0; // Back
    virtual void Command3D3_Click() = 0; // Clear All
    virtual void mnuInstructions_Click() = 0;
    void mnuSave_Click();
    void mnuSaveAs_Click();
    void mnuExit_Click();
    void mnuAbout_Click();

  protected:
    InputPage(PageHost& host, const QString& formName);

    // The frame, with the heads of the name and entry columns (positions in twips).
    QFrame* makeInputFrame(int nameLeft, int nameWidth, int entryLeft, int entryWidth,
                           int headHeight);
    // Back, Clear All and Next, left to right, each wired to its handler. Returns Next.
    QPushButton* addCommandButtons(QFrame* frame);
    void addFileMenu();
    void addHelpMenu();
};
