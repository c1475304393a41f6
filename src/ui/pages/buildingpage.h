#pragma once

#include "ui/common/inputpage.h"

class QLineEdit;
class QPushButton;
class QRadioButton;

// The building and environment page: sizes, temperatures, occupancy and test direction, shown
// in the current unit system and stored in US units; the only page that checks its entries.
class BldgEnvFm3 : public InputPage {
    Q_OBJECT
  public:
    explicit BldgEnvFm3(PageHost& host);

    void Form_Load() override;

    void Text4_Change(const QString& text);
    void Text6_Change(const QString& text);
    void Text8_Change(const QString& text);
    void Text10_Change(const QString& text);
    void Text12_Change(const QString& text);
    void Text14_Change(const QString& text);
    void Text16_Change(const QString& text);
    void Text18_Change(const QString& text);
    void Text20_Change(const QString& text);
    void Option1_Click();
    void Option2_Click();
    void Command3D1_Click() override;
    void Command3D2_Click() override;
    void Command3D3_Click() override;
    void mnuUnits_Click(int16_t unitSystem);
    void mnuInstructions_Click() override;

    static QStringList instructionsTexts();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void showInfiltrationFactor();
    int16_t system() const;

    QLineEdit* name(const char* objectName) const;

    QLineEdit* text4_ = nullptr;  // volume
    QLineEdit* text6_ = nullptr;  // surface area
    QLineEdit* text8_ = nullptr;  // floor area
    QLineEdit* text10_ = nullptr; // stories
    QLineEdit* text12_ = nullptr; // inside temperature
    QLineEdit* text14_ = nullptr; // outside temperature
    QLineEdit* text16_ = nullptr; // wind shielding
    QLineEdit* text18_ = nullptr; // occupants
    QLineEdit* text20_ = nullptr; // bedrooms
    QLineEdit* text24_ = nullptr; // infiltration factor
    QRadioButton* option1_ = nullptr;
    QRadioButton* option2_ = nullptr;
    QPushButton* next_ = nullptr;
    bool nextOffered_ = true;
};
