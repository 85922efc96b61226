#pragma once
// The dialogs of the design layer: a named air state typed as two of its properties, and a
// process from points to the state it makes. Each tries what was typed on the document's
// design; a refusal is told over the dialog, which stays open with what was typed, and what is
// taken replaces the design as one step of the history.
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <optional>

#include "ahu/ahu.h"
#include <string>

#include "air/air.h"
#include "design/design.h"
#include "design/units.h"
#include "session/prompts.h"

namespace humidraw::app {

// What the design's dialogs and its panel work on: the main window's document and chart.
class DesignHost {
  public:
    virtual ~DesignHost() = default;
    // The document's design as defined, and as computed at the chart's pressure.
    virtual const design::Design& currentDesign() const = 0;
    virtual const design::DesignResult& currentDesignResult() const = 0;
    // The air at the chart's pressure, which the design is computed at.
    virtual MoistAir designAir() const = 0;
    // The chart's units, which values are shown and typed in.
    virtual design::UnitSystem designUnits() const = 0;
    // How a new point or process is drawn: the pickers' colour, width and style.
    virtual design::Look designLook() const = 0;
    // Replaces the design as one step of the history (nothing when it is the same).
    virtual void takeDesign(design::Design d) = 0;
    // The document's air-handling unit: none until one is drawn or opened.
    virtual const std::optional<ahu::Unit>& currentUnit() const = 0;
    // Takes the unit and draws it in place of the unit drawn before, as one step of the history
    // (nothing when it is the same); a unit that cannot be computed is told and not taken.
    virtual void takeUnit(ahu::Unit u) = 0;
    // The main window's messages and questions.
    virtual Prompts& designPrompts() = 0;
    // A file to write an export to, chosen in the main window's file dialog and folder (an
    // existing file replaced only when the user says so); none when cancelled.
    virtual std::optional<std::string> chooseExportFile(const std::string& caption,
                                                        const std::string& filters) = 0;
};

// A value as the dialogs and the table read it: a decimal point or the locale's comma; none
// for a text that is not a number.
std::optional<double> typedValue(const QString& text);
// A number as a field is filled with: to at most `decimals`, without trailing zeros.
QString typedNumber(double v, int decimals);
// A field's value of `q` typed in the units `from`, written again in `to`: 26 °C as 78.8 °F,
// to one decimal more than the tables show. A text that is no number, or a unit the same in
// both, stays as typed.
void reexpress(QLineEdit* e, units::Quantity q, design::UnitSystem from, design::UnitSystem to);
// The name of a property with its unit in `u`: "乾球温度 DB [°C]".
QString propertyCaption(design::Property p, design::UnitSystem u);
// Decimals a value of `q` is shown with in `u`: enough to read the chart by, no more (a humidity
// ratio to 0.0001 kg/kg(DA) or 0.1 gr/lb(DA), a volume to 0.001 m³/kg(DA) or 0.01 ft³/lb(DA)).
int shownDecimals(units::Quantity q, design::UnitSystem u);
// A caption that names the unit of `q`: `fixed` ("風量 [m³/h]", the unit written in) where `u`
// has that unit, which is the engineering one; else `withUnit` ("風量 [%1]") with `u`'s unit.
// Both are translated ("Design").
QString unitCaption(const char* fixed, const char* withUnit, units::Quantity q,
                    design::UnitSystem u);

// A point typed by name and two properties.
class DesignPointDialog : public QDialog {
  public:
    DesignPointDialog(DesignHost& host, QWidget* parent);
    // Ready for a new point: the first free name, the units of the chart; the properties and
    // values kept from the last use.
    void prepare();
    // Takes what was typed: true when the point was added (the dialog then closes).
    bool confirm();

    QLineEdit* name;
    QComboBox* first;
    QComboBox* second;
    QLineEdit* firstValue;
    QLineEdit* secondValue;
    QDialogButtonBox* buttons;

  private:
    void refuse(const QString& why);
    DesignHost& host_;
    // The units the kept values were typed in: written again in the chart's when they differ.
    design::UnitSystem typedIn_ = design::UnitSystem::Engineering;
};

// A process: its kind, where it starts, the state it makes and what fixes it.
class DesignProcessDialog : public QDialog {
  public:
    DesignProcessDialog(DesignHost& host, QWidget* parent);
    // Ready for a new process: the points of the design in the selectors, the first free name
    // for the state made, the basis of the design, the units of the chart.
    void prepare();
    // Takes what was typed: true when the process was added (the dialog then closes).
    bool confirm();
    // The kind shown (its index among the kinds), the fields it asks for.
    void setKind(design::ProcessKind k);
    design::ProcessKind kind() const;
    // The mixing's streams: `count` rows, each a point and its flow.
    void setStreamCount(int count);

    QComboBox* kindBox;
    QComboBox* from;             // the inlet (the room for supply and shf)
    QTableWidget* streams;       // mixing: point selectors and flows
    QPushButton *addStream, *removeStream;
    QLineEdit* toName;           // the state made
    QComboBox* toPoint;          // line: the point it leads to
    QLineEdit* flow;             // in the chart's units (m³/h or cfm), optional
    QStackedWidget* parameters;  // one page a kind
    // Sensible: to a DB, or by a load.
    QComboBox* sensibleBy;
    QLineEdit* sensibleValue;
    // Coil: by the leaving state's two properties, or by ADP and BF.
    QComboBox* coilBy;
    QComboBox *coilFirst, *coilSecond;
    QLineEdit *coilFirstValue, *coilSecondValue;
    QLineEdit *adp, *bf;
    // Steam: to an x or an RH; spray: to an x or an RH, or by the saturation efficiency.
    QComboBox* steamBy;
    QLineEdit* steamValue;
    QComboBox* sprayBy;
    QLineEdit* sprayValue;
    // Supply: the room's sensible and latent loads.
    QLineEdit *supplySensible, *supplyLatent;
    // Shf: a factor, or the room's sensible and latent loads.
    QComboBox* shfBy;
    QLineEdit* shfValue;
    QLineEdit *shfSensible, *shfLatent;
    QCheckBox* standardAir;  // the design's basis
    QCheckBox* loadLabel;
    QDialogButtonBox* buttons;

  private:
    void refuse(const QString& why);
    // Fills the unit captions for the chart's units.
    void showUnits();
    // The values kept from the last use, typed in other units, written again in the chart's.
    void reexpressKept(design::UnitSystem to);
    void showPageFields();
    // The point names the selectors offer: every computed point of the design.
    QStringList pointNames() const;
    QComboBox* pointSelector(QWidget* parent) const;
    DesignHost& host_;
    // The captions that name a load's unit, with their Japanese text ("%1" the unit).
    std::vector<std::pair<QLabel*, const char*>> loadCaptions_;
    QLabel* fromLabel_;
    QLabel* streamsLabel_;
    QLabel* toLabel_;
    QLabel* flowLabel_;
    QLabel* adpLabel_;
    QWidget* streamRow_;  // the stream buttons
    design::UnitSystem typedIn_ = design::UnitSystem::Engineering;  // as the point dialog's
};

}  // namespace humidraw::app
