#pragma once

#include "ui/common/mainpage.h"

class PageFlow;
class QLabel;
class QRadioButton;

// The start page: language, and how to begin (a new test in one of three unit systems, or an
// existing file).
class IntroFm1 : public MainPage {
    Q_OBJECT
  public:
    explicit IntroFm1(PageFlow& flow);

    void Form_Load() override;

    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Option4_Click();
    void Option5_Click();
    void Option6_Click();
    void mnuExit_Click();
    void mnuInstructions_Click();
    void mnuAbout_Click();

    // The texts the page shows, composed with LF CR line breaks.
    static QString noticeText();
    static QString instructionsText();

  private:
    PageFlow& flow_;
    QRadioButton* option5_ = nullptr;
    QRadioButton* option6_ = nullptr;
    QLabel* label3_ = nullptr;
    QLabel* label4_ = nullptr;
    QLabel* label5_ = nullptr;
};
