#include "app/ahu_report_window.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMimeData>
#include <QPrinter>
#include <QVBoxLayout>
#include <vector>

#include "app/coil_report_window.h"
#include "app/design_dialogs.h"
#include "design/units.h"
#include "text/number_format.h"

namespace humidraw::app {
namespace {

using units::Quantity;

std::string text(const char* source) {
    return QCoreApplication::translate("AhuReportWindow", source).toStdString();
}

std::string escaped(const std::string& s) {
    return QString::fromStdString(s).toHtmlEscaped().toStdString();
}

std::string value(Quantity q, double stored, UnitSystem u) {
    return formatFixed(units::shown(q, stored, u), shownDecimals(q, u));
}

std::string withUnit(const char* name, Quantity q, UnitSystem u) {
    return std::string(name) + " [" + units::unitText(q, u) + "]";
}

std::string partCaption(ahu::Part p) {
    switch (p) {
        case ahu::Part::Recovery:
            return text(QT_TRANSLATE_NOOP("AhuReportWindow", "熱交換器"));
        case ahu::Part::Mixing:
            return text(QT_TRANSLATE_NOOP("AhuReportWindow", "混合"));
        case ahu::Part::Preheat:
            return text(QT_TRANSLATE_NOOP("AhuReportWindow", "予熱"));
        case ahu::Part::Coil:
            return text(QT_TRANSLATE_NOOP("AhuReportWindow", "冷却コイル"));
        case ahu::Part::Reheat:
            return text(QT_TRANSLATE_NOOP("AhuReportWindow", "再熱"));
        case ahu::Part::Humidifier:
            return text(QT_TRANSLATE_NOOP("AhuReportWindow", "加湿器"));
        case ahu::Part::Fan:
            return text(QT_TRANSLATE_NOOP("AhuReportWindow", "送風機"));
    }
    return {};
}

// Rows of cells, the first the header; written as text and as an HTML table.
using Table = std::vector<std::vector<std::string>>;

void write(const Table& t, std::string& tsv, std::string& html) {
    html += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\">";
    for (std::size_t r = 0; r < t.size(); ++r) {
        html += "<tr>";
        for (std::size_t c = 0; c < t[r].size(); ++c) {
            tsv += (c ? "\t" : "") + t[r][c];
            const char* cell = r == 0 ? "th" : "td";
            html += std::string("<") + cell + (r && c ? " align=\"right\"" : "") + ">" +
                    escaped(t[r][c]) + "</" + cell + ">";
        }
        tsv += "\n";
        html += "</tr>";
    }
    html += "</table>";
}

void season(const char* title, const ahu::SeasonResult& s, UnitSystem u, std::string& tsv,
            std::string& html) {
    const std::string name = text(title);
    tsv += name + "\n";
    html += "<h3>" + escaped(name) + "</h3>";
    const bool ip = u == UnitSystem::IP;
    Table states = {{text(QT_TRANSLATE_NOOP("AhuReportWindow", "状態")),
                     withUnit("DB", Quantity::Temperature, u),
                     withUnit("WB", Quantity::Temperature, u),
                     withUnit("DP", Quantity::Temperature, u), "RH [%]",
                     withUnit("x", Quantity::HumidityRatio, u),
                     withUnit("h", Quantity::Enthalpy, u), withUnit("SV", Quantity::Volume, u)}};
    for (const ahu::NamedState& n : s.states) {
        const design::AirProperties& a = n.air;
        states.push_back(
            {n.name, value(Quantity::Temperature, a.DB, u), value(Quantity::Temperature, a.WB, u),
             value(Quantity::Temperature, a.DP, u), value(Quantity::RelativeHumidity, a.RH, u),
             value(Quantity::HumidityRatio, a.x, u), value(Quantity::Enthalpy, a.h, u),
             value(Quantity::Volume, a.SV, u)});
    }
    write(states, tsv, html);
    tsv += "\n";
    std::vector<std::string> header = {
        text(QT_TRANSLATE_NOOP("AhuReportWindow", "機器")),
        text(QT_TRANSLATE_NOOP("AhuReportWindow", "出口")),
        withUnit(text(QT_TRANSLATE_NOOP("AhuReportWindow", "全熱")).c_str(), Quantity::Load, u)};
    if (ip) header.push_back(text(QT_TRANSLATE_NOOP("AhuReportWindow", "全熱 [ton]")));
    for (const std::string& h :
         {withUnit(text(QT_TRANSLATE_NOOP("AhuReportWindow", "顕熱")).c_str(), Quantity::Load, u),
          withUnit(text(QT_TRANSLATE_NOOP("AhuReportWindow", "潜熱")).c_str(), Quantity::Load, u),
          withUnit(text(QT_TRANSLATE_NOOP("AhuReportWindow", "水量")).c_str(), Quantity::MassFlow,
                   u),
          withUnit("ADP", Quantity::Temperature, u), std::string("BF")})
        header.push_back(h);
    Table parts = {header};
    const auto loads = [&](std::vector<std::string>& row, double total, double sensible,
                           double latent, double water) {
        row.push_back(value(Quantity::Load, total, u));
        if (ip) row.push_back(formatFixed(units::tons(total), 2));
        row.push_back(value(Quantity::Load, sensible, u));
        row.push_back(value(Quantity::Load, latent, u));
        row.push_back(value(Quantity::MassFlow, water, u));
    };
    for (const ahu::Component& c : s.components) {
        std::vector<std::string> row = {partCaption(c.kind), c.name};
        loads(row, c.total, c.sensible, c.latent, c.water);
        row.push_back(c.adp ? value(Quantity::Temperature, *c.adp, u) : "");
        row.push_back(c.bf ? formatFixed(*c.bf, 3) : "");
        parts.push_back(row);
    }
    std::vector<std::string> sum = {text(QT_TRANSLATE_NOOP("AhuReportWindow", "合計")), ""};
    loads(sum, s.sum.total, s.sum.sensible, s.sum.latent, s.sum.water);
    sum.push_back("");
    sum.push_back("");
    parts.push_back(sum);
    write(parts, tsv, html);
    const std::string flow = withUnit(text(QT_TRANSLATE_NOOP("AhuReportWindow", "給気量")).c_str(),
                                      Quantity::AirFlow, u);
    const std::string flowValue = value(Quantity::AirFlow, s.supplyFlow, u);
    tsv += flow + "\t" + flowValue + "\n\n";
    html += "<p>" + escaped(flow) + " " + flowValue + "</p>";
}

}  // namespace

void ahuReport(const ahu::UnitResult& r, UnitSystem u, std::string& tsv, std::string& html) {
    tsv.clear();
    html = "<html><body>";
    if (r.summer.computed)
        season(QT_TRANSLATE_NOOP("AhuReportWindow", "夏期"), r.summer, u, tsv, html);
    if (r.winter.computed)
        season(QT_TRANSLATE_NOOP("AhuReportWindow", "冬期"), r.winter, u, tsv, html);
    if (!r.warnings.empty()) {
        const std::string title = text(QT_TRANSLATE_NOOP("AhuReportWindow", "注意"));
        tsv += title + "\n";
        html += "<h3>" + escaped(title) + "</h3><ul>";
        for (const std::string& w : r.warnings) {
            tsv += w + "\n";
            html += "<li>" + escaped(w) + "</li>";
        }
        html += "</ul>";
    }
    html += "</body></html>";
}

AhuReportWindow::AhuReportWindow(UserPrompts& prompts, QWidget* parent)
    : QWidget(parent, Qt::Window), prompts_(prompts) {
    setObjectName("AhuReport");
    setWindowTitle(QString::fromStdString(
        text(QT_TRANSLATE_NOOP("AhuReportWindow", "Humidraw 空調機設計 計算結果"))));
    view = new QTextBrowser(this);
    view->setObjectName("ReportView");
    // The keys go to the window: Ctrl+C copies the whole report, not a selection.
    view->setFocusPolicy(Qt::NoFocus);
    copyButton = new QPushButton(
        QString::fromStdString(text(QT_TRANSLATE_NOOP("AhuReportWindow", "コピー(&C)"))), this);
    copyButton->setObjectName("CopyButton");
    closeButton = new QPushButton(
        QString::fromStdString(text(QT_TRANSLATE_NOOP("AhuReportWindow", "閉じる"))), this);
    closeButton->setObjectName("CloseButton");
    printButton = new QPushButton(
        QString::fromStdString(text(QT_TRANSLATE_NOOP("AhuReportWindow", "印刷(&P)"))), this);
    printButton->setObjectName("PrintButton");
    connect(copyButton, &QPushButton::clicked, this, [this] { copy(); });
    connect(printButton, &QPushButton::clicked, this, [this] { print(); });
    connect(closeButton, &QPushButton::clicked, this, [this] { hide(); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(copyButton);
    buttons->addWidget(printButton);
    buttons->addWidget(closeButton);
    auto* all = new QVBoxLayout(this);
    all->addWidget(view);
    all->addLayout(buttons);
    resize(760, 700);
}

void AhuReportWindow::print() {
    QPrinter printer(QPrinter::HighResolution);
    if (!prompts_.setUpPrinter(printer)) return;
    if (!printReportHtml(printer, html_, view->font()))
        prompts_.tell(
            "Humidraw",
            text(QT_TRANSLATE_NOOP("AhuReportWindow", "印刷処理が中断されました")),
            PromptIcon::Error);
}

// A window of its own: Esc closes it as 閉じる does, Ctrl+C copies the whole report.
void AhuReportWindow::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        hide();
        e->accept();
        return;
    }
    if (e->matches(QKeySequence::Copy)) {
        copy();
        e->accept();
        return;
    }
    QWidget::keyPressEvent(e);
}

void AhuReportWindow::showReport(const ahu::UnitResult& result, UnitSystem units) {
    ahuReport(result, units, tsv_, html_);
    view->setHtml(QString::fromStdString(html_));
    show();
    raise();
}

void AhuReportWindow::copy() {
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(tsv_));
    data->setHtml(QString::fromStdString(html_));
    QApplication::clipboard()->setMimeData(data);
}

}  // namespace humidraw::app
