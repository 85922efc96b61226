#pragma once
// The options dialog: total pressure (shown only), dry-bulb limits, chart font, view flags and
// unit system, the display language. Apply rebuilds the chart; Save writes the settings file.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
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
class TFOption : public QWidget {
    Q_DECLARE_TR_FUNCTIONS(TFOption)

  public:
    TFOption(OptionsHost& host, QWidget* parent);

    // The controls' values as a settings record, starting from `base`.
    Settings fromControls(const Settings& base) const;
    // Copies the record into the controls.
    void toControls(const Settings& s);

    QSpinBox* CSpa;
    QSpinBox* CSdbmin;
    QSpinBox* CSdbmax;
    QComboBox* FontCB;
    QSpinBox* CSFont;
    std::array<QCheckBox*, kViewFlagCount> flags;
    QRadioButton* siItem;
    QRadioButton* traditionalItem;
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
    OptionsHost& host_;
    QPushButton* closeButton_ = nullptr;
};

}  // namespace humidraw::app
