#pragma once
// The options dialog: total pressure (or the altitude that gives it), dry-bulb limits, chart
// font, view flags and unit system, the display language. Apply rebuilds the chart; Save writes
// the settings file.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QWidget>
#include <array>

#include "settings/settings.h"

namespace humidraw::app {

class OptionsHost {
  public:
    virtual ~OptionsHost() = default;
    virtual const Settings& currentSettings() const = 0;
    // Takes the settings and rebuilds the chart; false (nothing changed) when refused.
    virtual bool applySettings(const Settings& s) = 0;
    // Takes the settings into the record and writes the settings file; false when refused.
    virtual bool saveSettings(const Settings& s) = 0;
    virtual void setMainEnabled(bool enabled) = 0;
};

// The options dialog: pressure, dry-bulb limits, font, units and which families are drawn.
// The pressure is kept in mmHg and shown in kPa while the SI radio button is checked; an
// altitude sets it by the standard atmosphere, and a pressure typed by hand clears the altitude.
class TFOption : public QWidget {
    Q_DECLARE_TR_FUNCTIONS(TFOption)

  public:
    TFOption(OptionsHost& host, QWidget* parent);

    // The controls' values as a settings record, starting from `base`.
    Settings fromControls(const Settings& base) const;
    // Copies the record into the controls.
    void toControls(const Settings& s);

    // mmHg as a whole number, or kPa with three decimals under SI units.
    QDoubleSpinBox* CSpa;
    // Whole metres; at its minimum it shows "—", no altitude.
    QSpinBox* CSalt;
    QSpinBox* CSdbmin;
    QSpinBox* CSdbmax;
    QComboBox* FontCB;
    QSpinBox* CSFont;
    std::array<QCheckBox*, kViewFlagCount> flags;
    QRadioButton* siItem;
    QRadioButton* traditionalItem;
    QRadioButton* ipItem;  // the dry-bulb range in whole °F, the pressure in psia
    QComboBox* LanguageCB;  // 自動 (the locale's), 日本語, English

    void apply();          // "適用(&A)"
    void applyAndClose();  // "適用後閉じる(&D)"
    void save();           // "設定保存(&S)"

  protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;  // Esc: 閉じる
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    // The settings as the dialog shows them, typed numbers included.
    Settings shown();
    // Shows pressureMmHg_ in the unit the radio buttons choose.
    void showPressure();
    // The unit system the radio buttons choose.
    UnitSystem chosenUnits() const;
    // Shows the dry-bulb range fields in the chosen units, converting what they hold.
    void showRangeUnits();
    // The line families' check boxes with the units of `u`.
    void showFlagCaptions(UnitSystem u);
    // The pressure field or the altitude field changed by the user.
    void pressureTyped();
    void altitudeTyped();
    OptionsHost& host_;
    QPushButton* closeButton_ = nullptr;
    QLabel* pressureLabel_ = nullptr;
    QLabel* lowerLabel_ = nullptr;
    QLabel* upperLabel_ = nullptr;
    bool rangeInFahrenheit_ = false;  // what the range fields hold
    // The pressure the dialog holds, mmHg: the record's until the user sets another, which is
    // a whole number. The field shows it rounded.
    double pressureMmHg_ = 760;
    // Set while the dialog itself writes into the pressure and altitude fields.
    bool showing_ = false;
};

}  // namespace humidraw::app
