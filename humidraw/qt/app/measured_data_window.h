#pragma once
// The measured-data window: the document's data sets (shown or hidden, dots or density), its
// zones, and the table of points inside each zone, exported as CSV. Every change goes to the
// main window as one step of the document's history.
#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <optional>
#include <string>

#include "measured/import.h"
#include "measured/overlay.h"
#include "session/prompts.h"

namespace humidraw::app {

class MeasuredDataHost {
  public:
    virtual ~MeasuredDataHost() = default;
    // The document's data; empty when it has none.
    virtual MeasuredData measuredData() const = 0;
    // Replaces the document's data as one step that can be undone.
    virtual void changeMeasuredData(MeasuredData data) = 0;
    virtual double chartPressure() const = 0;
    // The chart's unit system: zones are typed in its units (zone.h, zoneBoundShown).
    virtual UnitSystem chartUnits() const = 0;
    // A message to the user (the main window's prompts).
    virtual void tellData(const std::string& caption, const std::string& text) = 0;
    // A file to read or (`save`) to write, chosen in the main window's file dialog and folder;
    // nothing when the user cancels.
    virtual std::optional<std::string> chooseDataFile(const std::string& caption,
                                                      const std::string& filters, bool save) = 0;
    // What the window's dialogs ask and tell through (the main window's prompts).
    virtual Prompts& dataPrompts() = 0;
};

// How an import ended: a set added, cancelled by the user (in the column dialog or while
// reading), or failed with the user told why.
enum class ImportOutcome { Added, Cancelled, Failed };

class MeasuredDataWindow : public QDialog {
  public:
    MeasuredDataWindow(MeasuredDataHost& host, QWidget* parent);

    // The lists and the table from the document's data as it is now.
    void refresh();
    // Imports a file: the column dialog first for a CSV file unless `choice` is given, then the
    // import with a progress dialog that can cancel, then its report.
    ImportOutcome importPath(const std::string& path,
                             std::optional<CsvChoice> choice = std::nullopt);
    // Adds the zone, or replaces the zone at `index`.
    void putZone(const Zone& z, int index = -1);
    // The counts table as CSV, as the export writes it: UTF-8 with a byte-order mark, by which
    // spreadsheet programs on Windows know the encoding of the zones' and sets' names.
    std::string countsText() const;
    // Writes the counts to `path`; false (the user told why) when it could not be written.
    bool writeCounts(const std::string& path);

    QListWidget* sets;
    QListWidget* zones;
    QTableWidget* counts;
    QPushButton *importButton, *removeSetButton, *densityButton;
    QPushButton *addZoneButton, *addComfortButton, *editZoneButton, *removeZoneButton,
        *exportButton;
    // The message of the last import, for the tests and the status line.
    QString lastReport;

  private:
    void chooseAndImport();
    void removeSet();
    void toggleDensity();
    void setVisibility(QListWidgetItem* item);
    void editZone(int index);
    void addComfortZones();
    void removeZone();
    void exportCounts();
    void fillCounts(const MeasuredData& d);

    MeasuredDataHost& host_;
    std::vector<ZoneCountRow> rows_;
    bool filling_ = false;
};

// The CSV column choice: the header's columns for the two properties and their units, and the
// optional date-time column. Empty when cancelled.
std::optional<CsvChoice> askCsvColumns(const std::vector<std::string>& header, QWidget* parent);

// The zone dialog: name, preset, ranges in the chart's units (x in kg/kg(DA), h in kcal/kg(DA),
// with SI kJ/kg(DA); with IP °F, gr/lb(DA) and Btu/lb(DA)), colour, fill; what cannot be taken
// is told through `prompts`. Empty when cancelled.
std::optional<Zone> askZone(const Zone& start, QWidget* parent, UnitSystem units, Prompts& prompts);

// The comfort-zone dialog: a PMV zone (when adding, with a winter zone of heavier clothing
// beside it) or an adaptive band for a month, its prevailing mean typed or the month's mean of
// one of `data`'s sets with date-times. Changing `editing` (a comfort zone) gives one zone of the
// same kind, drawn as it was. What cannot be taken is told through `prompts`. Empty when
// cancelled.
std::optional<std::vector<Zone>> askComfortZones(const Zone* editing, const MeasuredData& data,
                                                 QWidget* parent, UnitSystem units,
                                                 Prompts& prompts);

}  // namespace humidraw::app
