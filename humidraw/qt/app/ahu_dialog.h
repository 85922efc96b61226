#pragma once
// The air-handling unit designer: a summer and a winter column, each with the outdoor and room
// states, the room loads and the supply, then the unit's components in air-flow order, each
// switched on or off. Values are typed in the chart's units and kept in engineering units in
// the unit; 計算 shows the report, 記入 also draws the unit on the design layer in place of the
// unit drawn before, as one step of the history.
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <optional>
#include <vector>

#include "ahu/ahu.h"
#include "app/design_dialogs.h"
#include "app/prompts.h"

namespace humidraw::app {

class AhuReportWindow;

// One season's fields.
struct AhuSeasonFields {
    QGroupBox* column;  // checkable: the season on or off
    QComboBox *outdoor1, *outdoor2, *room1, *room2;
    QLineEdit *outdoor1Value, *outdoor2Value, *room1Value, *room2Value;
    QComboBox* outdoorBy;  // flow or fraction
    QLineEdit *outdoorFlow, *outdoorFraction;
    QLineEdit *sensible, *latent;
    QComboBox* supplyBy;  // flow or temperature difference
    QLineEdit *supplyFlow, *supplyDifference;
    QGroupBox *recovery, *mixing, *preheat, *coil, *reheat, *humidifier, *fan;
    QComboBox* recoveryKind;
    QLineEdit *et, *eh;
    QLineEdit* preheatDB;
    QComboBox* coilMode;
    QComboBox *coil1, *coil2;
    QLineEdit *coil1Value, *coil2Value, *adp, *bf, *coilDB, *coilRH;
    QComboBox* humidifierKind;
    QLineEdit* efficiency;
    QComboBox* fanMode;
    QLineEdit *fanRise, *fanPower;
};

class AhuDialog : public QDialog {
  public:
    AhuDialog(DesignHost& host, UserPrompts& prompts, QWidget* parent);
    // Ready to be shown: captions in the chart's units, what was typed in other units written
    // again in the chart's.
    void prepare();
    // The fields set from a unit (the document's, when it has one), shown in the chart's units.
    void showUnit(const ahu::Unit& u);
    // The unit as typed, in engineering units; none when a field is no number (told, naming it).
    std::optional<ahu::Unit> unit();
    // Computes and shows the report; with `draw` also draws the unit (the dialog then closes).
    // False when a field or a season cannot be taken (told; the dialog keeps what was typed).
    bool run(bool draw);
    // The report of the last run; none before it.
    AhuReportWindow* report() const { return report_; }

    AhuSeasonFields summer, winter;
    QPushButton *computeButton, *drawButton, *cancelButton;

  private:
    struct Field {
        QLineEdit* edit;
        QLabel* label;
        const char* name;          // its caption, "%1" the unit
        units::Quantity quantity;  // how it is typed in each unit system
        bool convert;              // false: the same number in every unit system
    };
    QGroupBox* seasonColumn(AhuSeasonFields& s, const ahu::Season& defaults, const char* title);
    QLineEdit* field(QGridLayout* grid, const char* name, units::Quantity q, bool convert,
                     double value);
    void propertyRow(QGridLayout* grid, design::Given g, QComboBox*& box, QLineEdit*& value);
    bool readSeason(const AhuSeasonFields& f, ahu::Season& s);
    void showSeason(AhuSeasonFields& f, const ahu::Season& s);
    bool number(const AhuSeasonFields& f, QLineEdit* e, double& out);
    bool given(const AhuSeasonFields& f, QComboBox* c, QLineEdit* e, design::Given& out);
    void showUnits();
    void refuse(const QString& why);

    DesignHost& host_;
    UserPrompts& prompts_;
    std::vector<Field> fields_;
    // The value fields beside a property selector.
    std::vector<std::pair<QComboBox*, QLineEdit*>> propertyFields_;
    AhuReportWindow* report_ = nullptr;
    design::UnitSystem typedIn_ = design::UnitSystem::Engineering;
};

// The unit the dialog opens with: a Tokyo office of 10,000 m³/h with a total heat exchanger.
ahu::Unit defaultUnit();

}  // namespace humidraw::app
