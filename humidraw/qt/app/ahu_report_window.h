#pragma once
// The air-handling unit's report: for each season the states the air passes and the
// components' loads and water in the chart's units, the season's sum, and the targets not
// reached; copied to the clipboard as tab-separated text and HTML.
#include <QPushButton>
#include <QTextBrowser>
#include <QWidget>
#include <string>

#include "ahu/ahu.h"
#include "app/prompts.h"
#include "units/unit_system.h"

namespace humidraw::app {

class AhuReportWindow : public QWidget {
  public:
    AhuReportWindow(UserPrompts& prompts, QWidget* parent);

    // The report of a computed unit in `units`, shown and raised.
    void showReport(const ahu::UnitResult& result, UnitSystem units);
    // Tab-separated text and HTML on the clipboard.
    void copy();
    // The report on the printer chosen in the print dialog; a failure is told.
    void print();

    const std::string& tsv() const { return tsv_; }
    const std::string& html() const { return html_; }

    QTextBrowser* view;
    QPushButton* copyButton;   // "コピー(&C)"
    QPushButton* printButton;  // "印刷(&P)"
    QPushButton* closeButton;  // "閉じる"

  protected:
    void keyPressEvent(QKeyEvent* e) override;

  private:
    UserPrompts& prompts_;
    std::string tsv_, html_;
};

// The report as tab-separated text and as HTML, in `units`.
void ahuReport(const ahu::UnitResult& result, UnitSystem units, std::string& tsv,
               std::string& html);

}  // namespace humidraw::app
