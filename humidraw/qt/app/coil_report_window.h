#pragma once
// The single-coil report beside the coil dialog: both seasons' states and the loads, water and
// dew point of the last run; copied to the clipboard as a table or printed on one page.
#include <QPushButton>
#include <QTextBrowser>
#include <QWidget>
#include <string>

#include "app/prompts.h"
#include "coil/coil_report.h"

class QPrinter;
class QFont;

namespace humidraw::app {

// Where a window whose frame is `frameSize` goes beside a dialog's frame within `area` (its frame's
// place and size): right of it, else left of it, tops aligned; where neither side has room, on
// the side with more, narrowed to it but not below `narrowest`; narrower still, against the
// area's edge on that side at its full width.
QRect placeBeside(const QRect& dialogFrame, const QSize& frameSize, const QRect& area,
                  int narrowest);

class CoilReportWindow : public QWidget {
  public:
    CoilReportWindow(UserPrompts& prompts, QWidget* parent);

    // The report of a complete run in the chart's unit system; a window not yet shown opens
    // beside the coil dialog, one already shown stays where the user left it.
    void showReport(const coil::CoilRun& run, const coil::CoilReport& report, UnitSystem units,
                    const QWidget& dialog);
    // Tab-separated text and HTML on the clipboard.
    void copy();
    // The print dialog, then the report scaled to one page.
    void print();
    // The report on one page of `printer`; false when nothing could be drawn.
    bool printOn(QPrinter& printer) const;

    const std::string& tsv() const { return tsv_; }

    QTextBrowser* view;
    QPushButton* copyButton;   // "コピー(&C)"
    QPushButton* printButton;  // "印刷(&P)"
    QPushButton* closeButton;  // "閉じる"

  protected:
    void keyPressEvent(QKeyEvent* e) override;

  private:
    void placeBeside(const QWidget& dialog);

    UserPrompts& prompts_;
    std::string tsv_, html_;
};

// A report's HTML on one page of the printer, laid out across it and shrunk when taller; false
// when the printing could not be done.
bool printReportHtml(QPrinter& printer, const std::string& html, const QFont& font);

}  // namespace humidraw::app
