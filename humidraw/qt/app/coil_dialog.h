#pragma once
// The single-coil dialog: cooling and heating conditions, loads and volumes.
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app/command_dialogs.h"
#include "coil/coil.h"

namespace humidraw::app {

// The single-coil air-handling unit dialog: summer and winter inputs, plotted by 記入.
class TAhu1 : public CommandDialog {
    Q_DECLARE_TR_FUNCTIONS(TAhu1)

  public:
    TAhu1(std::function<void(bool)> setMainEnabled, QWidget* parent);

    coil::CoilInputs inputs() const;
    // Shows the rewritten supply volume and temperature difference.
    void showFields(const coil::CoilInputs& in);
    // Unit texts and defaults, only when the unit system changed since the last time: between
    // engineering and SI units the loads, to or from IP every value and selector.
    void applyUnits(UnitSystem units);
    void selectDefaults();

    QComboBox *CB1, *CB2, *CB10, *CB20, *HCB1, *HCB2, *HCB10, *HCB20;
    QLineEdit *X1, *X2, *EOA, *X10, *X20, *EQS, *EQL, *EDT, *ESA;
    QLineEdit *HX1, *HX2, *HEOA, *HX10, *HX20, *HEQS, *HESA;
    QLabel *Label2, *Label3, *Label7;
    // The units of the air volumes and of the temperature difference.
    QLabel *LabelEOA, *LabelEDT, *LabelESA, *LabelHEOA, *LabelHESA;
    QRadioButton *Kasitu1, *Kasitu2;
    QPushButton* Button1;  // "記入": A_Ahu1
    QPushButton* Button2;  // "ｷｬﾝｾﾙ"

  private:
    UnitSystem units_ = UnitSystem::Engineering;  // what the fields are typed in
};

}  // namespace humidraw::app
