#pragma once
// The design panel: the tables of the document's points and processes beside the chart. Every
// property of each point and the figures of each process, in the chart's units (in IP units the
// total in tons of refrigeration too); a defined point's two defining values can be typed over,
// a selection copied (tab-separated text and an HTML table) or removed, a table written as CSV.
// Each change is one step of the history.
#include <QDockWidget>
#include <QLabel>
#include <QTableWidget>
#include <string>
#include <vector>

#include "app/design_dialogs.h"

namespace humidraw::app {

class DesignPanel : public QDockWidget {
  public:
    DesignPanel(DesignHost& host, QWidget* parent);

    // The tables from the document's design as it is now.
    void refresh();

    // The rows of a table (all of them when `rows` is empty) under its header: cells joined by
    // tabs, each row ending in a line feed; and the same as an HTML table.
    QString tableText(const QTableWidget* t, const std::vector<int>& rows = {}) const;
    QString tableHtml(const QTableWidget* t, const std::vector<int>& rows = {}) const;
    // The selected rows of a table (all of them when none is) on the clipboard, as both.
    void copyRows(QTableWidget* t);
    // A whole table as CSV, as the export writes it: UTF-8 behind a byte-order mark, by which
    // spreadsheet programs know the encoding of the names; the header, then one line a row.
    std::string csvText(const QTableWidget* t) const;
    // Writes a table's CSV to `path`; false (the user told why) when it could not be written.
    bool writeCsv(const QTableWidget* t, const std::string& path);
    // The selected points or processes removed, as one step.
    void removeSelected(QTableWidget* t);

    // The selected rows of a table, in order.
    static std::vector<int> selectedRows(const QTableWidget* t);

    QTableWidget* points;
    QTableWidget* processes;
    QLabel* status;  // why the design could not be computed in full; hidden when it could

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    // What a row of the points table shows: a defined point (its index among the design's
    // points) and its computed state (its index in the result), either -1 when there is none.
    struct PointRow {
        int defined = -1;
        int state = -1;
    };
    void fillPoints();
    void fillProcesses();
    void setHeaders();
    // A typed cell taken (after the table has finished with the edit).
    void cellEdited(int row, int column, const QString& text);
    void contextMenu(QTableWidget* t, const QPoint& at);
    void exportCsv(const QTableWidget* t);

    DesignHost& host_;
    std::vector<PointRow> rows_;
    // The text each defining cell showed when filled: an edit that leaves it is no change.
    std::vector<std::array<QString, 2>> shownDefining_;
    bool filling_ = false;
};

}  // namespace humidraw::app
