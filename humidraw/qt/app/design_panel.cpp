#include "app/design_panel.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <cmath>

#include "design/design_edit.h"
#include "files/safe_replace.h"
#include "text/number_format.h"

namespace humidraw::app {
namespace {

using design::Property;
using design::UnitSystem;
using units::Quantity;

QString ui(const char* source) {
    return QCoreApplication::translate("Design", source);
}

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

// The kinds as the table names them, in the order of ProcessKind.
const char* const kKindCells[design::kProcessKindCount] = {
    QT_TRANSLATE_NOOP("Design", "直線"),     QT_TRANSLATE_NOOP("Design", "顕熱"),
    QT_TRANSLATE_NOOP("Design", "コイル"),   QT_TRANSLATE_NOOP("Design", "蒸気加湿"),
    QT_TRANSLATE_NOOP("Design", "水噴霧"),   QT_TRANSLATE_NOOP("Design", "混合"),
    QT_TRANSLATE_NOOP("Design", "吹出し"),   QT_TRANSLATE_NOOP("Design", "SHF"),
};

enum PointColumn { kName, kDB, kWB, kDP, kRH, kX, kH, kSV, kPW, kDensity, kMu, kPointColumns };
// The total in tons of refrigeration follows BF in IP units only, beside the Btu/h.
enum ProcessColumn {
    kKind, kFrom, kTo, kFlow, kG, kTotal, kSensible, kLatent, kShf, kWater, kAdp, kBf, kTons,
    kMostProcessColumns
};

int processColumns(UnitSystem u) {
    return u == UnitSystem::IP ? kTons + 1 : kTons;
}

// The unit tons of refrigeration are written in (12,000 Btu/h each, units::tons).
const char* const kTonsUnit = "tons";

// The column of a defining property: the properties stand in their own order after the name.
int columnOf(Property p) {
    return 1 + static_cast<int>(p);
}

// Decimals a property is shown with in `u`.
int decimalsOf(Property p, UnitSystem u) {
    return shownDecimals(design::quantityOf(p), u);
}

QString fixed(double v, int decimals) {
    return q(formatFixed(v, decimals));
}

// A defining value: as typed when it has up to two decimals more than the column shows
// (26.25 °C), else at the column's decimals (a point put by a click).
QString typedText(double v, int decimals) {
    for (int d = decimals; d <= decimals + 2; ++d) {
        const double scale = std::pow(10.0, d);
        if (std::abs(std::round(v * scale) / scale - v) <= 1e-9 * std::max(1.0, std::abs(v)))
            return fixed(v, d);
    }
    return fixed(v, decimals);
}

// A number without trailing zeros, to at most `decimals`.
QString trimmed(double v, int decimals) {
    QString s = fixed(v, decimals);
    if (s.contains('.')) {
        while (s.endsWith('0')) s.chop(1);
        if (s.endsWith('.')) s.chop(1);
    }
    return s;
}

// A value of `q` the process may not have, shown in `u`.
QString optional(const std::optional<double>& v, Quantity q, UnitSystem u, int decimals) {
    return v ? fixed(units::shown(q, *v, u), decimals) : QString();
}

QString optionalLoad(const std::optional<double>& kcal, UnitSystem u) {
    return optional(kcal, Quantity::Load, u, shownDecimals(Quantity::Load, u));
}

// A figure without a unit.
QString optional(const std::optional<double>& v, int decimals) {
    return v ? fixed(*v, decimals) : QString();
}

QTableWidget* table(const char* name, int columns, QWidget* parent) {
    auto* t = new QTableWidget(0, columns, parent);
    t->setObjectName(name);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::ExtendedSelection);
    t->setContextMenuPolicy(Qt::CustomContextMenu);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    t->verticalHeader()->hide();
    // Rows as high as the text and a little room, so a screen shows many points at once.
    t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 6);
    // Tab goes on to the next table, not along the cells.
    t->setTabKeyNavigation(false);
    t->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                       QAbstractItemView::AnyKeyPressed);
    return t;
}

// A CSV field, quoted when it holds a separator, a quote or a line break.
QString csvField(const QString& s) {
    if (!s.contains(',') && !s.contains('"') && !s.contains('\n') && !s.contains('\r')) return s;
    QString quoted = s;
    quoted.replace('"', "\"\"");
    return '"' + quoted + '"';
}

QString cell(const QTableWidget* t, int row, int column) {
    const QTableWidgetItem* i = t->item(row, column);
    return i ? i->text() : QString();
}

QString header(const QTableWidget* t, int column) {
    const QTableWidgetItem* i = t->horizontalHeaderItem(column);
    return i ? i->text() : QString();
}

std::vector<int> rowsOrAll(const QTableWidget* t, const std::vector<int>& rows) {
    if (!rows.empty()) return rows;
    std::vector<int> all(t->rowCount());
    for (int r = 0; r < t->rowCount(); ++r) all[r] = r;
    return all;
}

}  // namespace

DesignPanel::DesignPanel(DesignHost& host, QWidget* parent) : QDockWidget(parent), host_(host) {
    setObjectName("DesignPanel");
    setWindowTitle(ui(QT_TRANSLATE_NOOP("Design", "状態点と状態変化")));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea |
                    Qt::BottomDockWidgetArea);
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(new QLabel(ui(QT_TRANSLATE_NOOP("Design", "状態点")), body));
    points = table("points", kPointColumns, body);
    layout->addWidget(points, 3);
    layout->addWidget(new QLabel(ui(QT_TRANSLATE_NOOP("Design", "状態変化")), body));
    processes = table("processes", kTons, body);
    processes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(processes, 2);
    status = new QLabel(body);
    status->setObjectName("status");
    status->setWordWrap(true);
    status->setStyleSheet("color: #B00000");
    status->hide();
    layout->addWidget(status);
    setWidget(body);
    for (QTableWidget* t : {points, processes}) {
        t->installEventFilter(this);
        connect(t, &QWidget::customContextMenuRequested, this,
                [this, t](const QPoint& at) { contextMenu(t, at); });
    }
    connect(points, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* i) {
        if (filling_) return;
        // Taken once the table is done with its editor: the change fills the table anew.
        const int row = i->row(), column = i->column();
        const QString text = i->text();
        QMetaObject::invokeMethod(
            this, [this, row, column, text] { cellEdited(row, column, text); },
            Qt::QueuedConnection);
    });
    setHeaders();
}

void DesignPanel::setHeaders() {
    const UnitSystem u = host_.designUnits();
    QStringList p{ui(QT_TRANSLATE_NOOP("Design", "名前"))};
    for (Property k : design::kProperties)
        p << q(std::string(design::propertyName(k))) + " [" + q(design::propertyUnit(k, u)) + "]";
    p << "PW [" + q(design::pressureUnit(u)) + "]"
      << unitCaption(QT_TRANSLATE_NOOP("Design", "密度 [kg/m³]"),
                     QT_TRANSLATE_NOOP("Design", "密度 [%1]"), Quantity::Density, u)
      << ui(QT_TRANSLATE_NOOP("Design", "飽和度 μ [%]"));
    points->setHorizontalHeaderLabels(p);
    const QString load = q(design::loadUnit(u));
    QStringList h{ui(QT_TRANSLATE_NOOP("Design", "種類")),
                  ui(QT_TRANSLATE_NOOP("Design", "入口")),
                  ui(QT_TRANSLATE_NOOP("Design", "出口")),
                  unitCaption(QT_TRANSLATE_NOOP("Design", "風量 [m³/h]"),
                              QT_TRANSLATE_NOOP("Design", "風量 [%1]"), Quantity::AirFlow, u),
                  unitCaption(QT_TRANSLATE_NOOP("Design", "G [kg/h]"),
                              QT_TRANSLATE_NOOP("Design", "G [%1]"), Quantity::MassFlow, u),
                  ui(QT_TRANSLATE_NOOP("Design", "全熱 [%1]")).arg(load),
                  ui(QT_TRANSLATE_NOOP("Design", "顕熱 [%1]")).arg(load),
                  ui(QT_TRANSLATE_NOOP("Design", "潜熱 [%1]")).arg(load),
                  "SHF",
                  unitCaption(QT_TRANSLATE_NOOP("Design", "水分 [kg/h]"),
                              QT_TRANSLATE_NOOP("Design", "水分 [%1]"), Quantity::MassFlow, u),
                  "ADP [" + q(units::unitText(Quantity::Temperature, u)) + "]",
                  "BF"};
    if (processColumns(u) > kTons)
        h << ui(QT_TRANSLATE_NOOP("Design", "全熱 [%1]")).arg(QLatin1String(kTonsUnit));
    processes->setColumnCount(processColumns(u));
    processes->setHorizontalHeaderLabels(h);
}

void DesignPanel::refresh() {
    filling_ = true;
    setHeaders();
    fillPoints();
    fillProcesses();
    const design::DesignResult& r = host_.currentDesignResult();
    status->setText(r.status ? QString() : q(r.status.error()));
    status->setVisible(!r.status);
    filling_ = false;
}

void DesignPanel::fillPoints() {
    const design::Design& d = host_.currentDesign();
    const design::DesignResult& r = host_.currentDesignResult();
    const UnitSystem u = host_.designUnits();
    // Every defined point, computed or not, then the points processes made.
    rows_.clear();
    for (size_t i = 0; i < d.points.size(); ++i) {
        int state = -1;
        for (size_t s = 0; s < r.points.size(); ++s)
            if (r.points[s].definedAs == static_cast<int>(i)) state = static_cast<int>(s);
        rows_.push_back({static_cast<int>(i), state});
    }
    for (size_t s = 0; s < r.points.size(); ++s)
        if (r.points[s].definedAs < 0) rows_.push_back({-1, static_cast<int>(s)});
    shownDefining_.assign(rows_.size(), {});
    points->setRowCount(static_cast<int>(rows_.size()));
    for (int row = 0; row < static_cast<int>(rows_.size()); ++row) {
        const PointRow& pr = rows_[row];
        std::array<QString, kPointColumns> cells;
        const design::Point* defined = pr.defined >= 0 ? &d.points[pr.defined] : nullptr;
        cells[kName] = q(defined ? defined->name : r.points[pr.state].name);
        if (pr.state >= 0) {
            const design::AirProperties& a = r.points[pr.state].air;
            for (Property k : design::kProperties)
                cells[columnOf(k)] = fixed(design::shownValue(k, a.value(k), u), decimalsOf(k, u));
            cells[kPW] =
                fixed(design::shownPressure(a.PW, u), shownDecimals(Quantity::Pressure, u));
            cells[kDensity] = fixed(units::shown(Quantity::Density, a.density, u),
                                    shownDecimals(Quantity::Density, u));
            cells[kMu] = fixed(a.mu, 1);
        }
        if (defined) {
            const design::Given* given[] = {&defined->first, &defined->second};
            for (int w = 0; w < 2; ++w) {
                const Property k = given[w]->kind;
                cells[columnOf(k)] =
                    typedText(design::shownValue(k, given[w]->value, u), decimalsOf(k, u));
                shownDefining_[row][w] = cells[columnOf(k)];
            }
        }
        for (int c = 0; c < kPointColumns; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
            if (c != kName) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (defined && (c == columnOf(defined->first.kind) ||
                            c == columnOf(defined->second.kind))) {
                // The defining values: shown bold, and typed over to change the point.
                flags |= Qt::ItemIsEditable;
                QFont f = item->font();
                f.setBold(true);
                item->setFont(f);
            }
            if (!defined && c == kName)
                item->setToolTip(ui(QT_TRANSLATE_NOOP("Design", "状態変化で求めた点")));
            item->setFlags(flags);
            points->setItem(row, c, item);
        }
    }
}

void DesignPanel::fillProcesses() {
    const design::Design& d = host_.currentDesign();
    const design::DesignResult& r = host_.currentDesignResult();
    const UnitSystem u = host_.designUnits();
    processes->setRowCount(static_cast<int>(d.processes.size()));
    for (int row = 0; row < static_cast<int>(d.processes.size()); ++row) {
        const design::Process& p = d.processes[row];
        std::array<QString, kMostProcessColumns> cells;
        cells[kKind] = ui(kKindCells[static_cast<int>(p.kind)]);
        QStringList from, flows;
        for (const std::string& f : p.from) from << q(f);
        for (double f : p.flows)
            flows << trimmed(units::shown(Quantity::AirFlow, f, u),
                             shownDecimals(Quantity::AirFlow, u));
        cells[kFrom] = from.join(" + ");
        cells[kTo] = q(p.to);
        cells[kFlow] = flows.join(" + ");
        if (row < static_cast<int>(r.processes.size())) {
            const design::ProcessFigures& f = r.processes[row];
            cells[kG] = optional(f.G, Quantity::MassFlow, u, shownDecimals(Quantity::MassFlow, u));
            cells[kTotal] = optionalLoad(f.total, u);
            cells[kSensible] = optionalLoad(f.sensible, u);
            cells[kLatent] = optionalLoad(f.latent, u);
            cells[kShf] = optional(f.shf, 2);
            // Water to a hundredth of a kg/h or lb/h: a steam humidifier's few kg/h.
            cells[kWater] = optional(f.water, Quantity::MassFlow, u, 2);
            if (f.adpMet)
                cells[kAdp] = optional(f.adp, Quantity::Temperature, u,
                                       shownDecimals(Quantity::Temperature, u));
            cells[kBf] = optional(f.bf, 2);
            if (f.total) cells[kTons] = fixed(units::tons(*f.total), 2);
        }
        for (int c = 0; c < processColumns(u); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            if (c > kTo) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            processes->setItem(row, c, item);
        }
    }
}

void DesignPanel::cellEdited(int row, int column, const QString& text) {
    if (row < 0 || row >= static_cast<int>(rows_.size()) || rows_[row].defined < 0) return;
    const design::Design& d = host_.currentDesign();
    const size_t index = static_cast<size_t>(rows_[row].defined);
    if (index >= d.points.size()) return;
    const design::Point& p = d.points[index];
    const int which = column == columnOf(p.first.kind) ? 0 : column == columnOf(p.second.kind) ? 1 : -1;
    if (which < 0 || text == shownDefining_[row][which]) return;
    const Property k = which == 0 ? p.first.kind : p.second.kind;
    const std::string caption = windowTitle().toStdString();
    const auto v = typedValue(text);
    if (!v) {
        host_.designPrompts().tell(
            caption,
            ui(QT_TRANSLATE_NOOP("Design", "%1: 数値ではありません: '%2'"))
                .arg(q(std::string(design::propertyName(k))), text)
                .toStdString(),
            PromptIcon::Warning);
        refresh();
        return;
    }
    auto changed = design::withDefiningValue(host_.designAir(), d, index, which,
                                             design::storedValue(k, *v, host_.designUnits()));
    if (!changed) {
        host_.designPrompts().tell(caption, changed.error(), PromptIcon::Warning);
        refresh();
        return;
    }
    host_.takeDesign(std::move(*changed));
    refresh();
}

std::vector<int> DesignPanel::selectedRows(const QTableWidget* t) {
    std::vector<int> rows;
    for (const QModelIndex& i : t->selectionModel()->selectedRows()) rows.push_back(i.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

QString DesignPanel::tableText(const QTableWidget* t, const std::vector<int>& rows) const {
    QStringList line;
    for (int c = 0; c < t->columnCount(); ++c) line << header(t, c);
    QString text = line.join('\t') + '\n';
    for (int r : rowsOrAll(t, rows)) {
        line.clear();
        for (int c = 0; c < t->columnCount(); ++c) line << cell(t, r, c);
        text += line.join('\t') + '\n';
    }
    return text;
}

QString DesignPanel::tableHtml(const QTableWidget* t, const std::vector<int>& rows) const {
    QString html = "<table>\n<tr>";
    for (int c = 0; c < t->columnCount(); ++c) html += "<th>" + header(t, c).toHtmlEscaped() + "</th>";
    html += "</tr>\n";
    for (int r : rowsOrAll(t, rows)) {
        html += "<tr>";
        for (int c = 0; c < t->columnCount(); ++c)
            html += "<td>" + cell(t, r, c).toHtmlEscaped() + "</td>";
        html += "</tr>\n";
    }
    return html + "</table>\n";
}

void DesignPanel::copyRows(QTableWidget* t) {
    const std::vector<int> rows = selectedRows(t);
    auto* data = new QMimeData;
    data->setText(tableText(t, rows));
    data->setHtml(tableHtml(t, rows));
    QApplication::clipboard()->setMimeData(data);
}

std::string DesignPanel::csvText(const QTableWidget* t) const {
    QStringList line;
    for (int c = 0; c < t->columnCount(); ++c) line << csvField(header(t, c));
    QString text = line.join(',') + '\n';
    for (int r = 0; r < t->rowCount(); ++r) {
        line.clear();
        for (int c = 0; c < t->columnCount(); ++c) line << csvField(cell(t, r, c));
        text += line.join(',') + '\n';
    }
    return "\xEF\xBB\xBF" + text.toStdString();
}

bool DesignPanel::writeCsv(const QTableWidget* t, const std::string& path) {
    const WriteResult w = replaceFile(path, csvText(t));
    if (!w.ok())
        host_.designPrompts().tell(
            ui(QT_TRANSLATE_NOOP("Design", "CSV書き出し")).toStdString(),
            (ui(QT_TRANSLATE_NOOP("Design", "ファイルを作成出来ません．\n")) +
             q(path + "\n" + writeProblemText(w)))
                .toStdString(),
            PromptIcon::Warning);
    return w.ok();
}

void DesignPanel::exportCsv(const QTableWidget* t) {
    const auto path =
        host_.chooseExportFile(ui(QT_TRANSLATE_NOOP("Design", "CSV書き出し")).toStdString(),
                               ui(QT_TRANSLATE_NOOP("Design", "CSV ファイル (*.csv)")).toStdString());
    if (path) writeCsv(t, *path);
}

void DesignPanel::removeSelected(QTableWidget* t) {
    const std::vector<int> rows = selectedRows(t);
    if (rows.empty()) return;
    design::Design d = host_.currentDesign();
    const design::DesignResult& r = host_.currentDesignResult();
    // The processes first, the last first, so that the indexes of the others hold; then the
    // defined points, the last first (removing a process moves no point).
    std::vector<int> removedProcesses, removedPoints;
    for (int row : rows) {
        if (t == processes) {
            if (row < static_cast<int>(d.processes.size())) removedProcesses.push_back(row);
        } else if (row < static_cast<int>(rows_.size())) {
            if (rows_[row].defined >= 0)
                removedPoints.push_back(rows_[row].defined);
            else if (const int made = r.points[rows_[row].state].madeBy; made >= 0)
                removedProcesses.push_back(made);
        }
    }
    const auto descending = [](std::vector<int>& v) {
        std::sort(v.begin(), v.end(), std::greater<>());
        v.erase(std::unique(v.begin(), v.end()), v.end());
    };
    descending(removedProcesses);
    descending(removedPoints);
    for (int i : removedProcesses)
        if (i < static_cast<int>(d.processes.size())) d = design::withoutProcess(d, i);
    for (int i : removedPoints)
        if (i < static_cast<int>(d.points.size())) d = design::withoutPoint(d, i);
    host_.takeDesign(std::move(d));
    refresh();
}

void DesignPanel::contextMenu(QTableWidget* t, const QPoint& at) {
    QMenu menu(this);
    const bool any = !selectedRows(t).empty();
    QAction* copy = menu.addAction(any ? ui(QT_TRANSLATE_NOOP("Design", "選択した行をコピー(&C)"))
                                       : ui(QT_TRANSLATE_NOOP("Design", "すべてコピー(&C)")));
    copy->setShortcut(QKeySequence::Copy);
    QAction* all = menu.addAction(ui(QT_TRANSLATE_NOOP("Design", "すべて選択(&A)")));
    menu.addSeparator();
    QAction* csv = menu.addAction(ui(QT_TRANSLATE_NOOP("Design", "CSV書き出し(&S)...")));
    menu.addSeparator();
    QAction* remove = menu.addAction(ui(QT_TRANSLATE_NOOP("Design", "削除(&D)")));
    remove->setShortcut(QKeySequence::Delete);
    remove->setEnabled(any);
    QAction* chosen = menu.exec(t->viewport()->mapToGlobal(at));
    if (chosen == copy) copyRows(t);
    if (chosen == all) t->selectAll();
    if (chosen == csv) exportCsv(t);
    if (chosen == remove) removeSelected(t);
}

bool DesignPanel::eventFilter(QObject* watched, QEvent* e) {
    auto* t = qobject_cast<QTableWidget*>(watched);
    if (!t || (t != points && t != processes)) return QDockWidget::eventFilter(watched, e);
    if (e->type() != QEvent::ShortcutOverride && e->type() != QEvent::KeyPress)
        return QDockWidget::eventFilter(watched, e);
    auto* k = static_cast<QKeyEvent*>(e);
    const bool copy = k->matches(QKeySequence::Copy);
    const bool remove = k->key() == Qt::Key_Delete && k->modifiers() == Qt::NoModifier;
    if (!copy && !remove) return QDockWidget::eventFilter(watched, e);
    // The table's keys, before the window's shortcuts (its Delete removes drawn objects).
    if (e->type() == QEvent::ShortcutOverride) {
        e->accept();
        return true;
    }
    if (copy) copyRows(t);
    if (remove) removeSelected(t);
    return true;
}

}  // namespace humidraw::app
