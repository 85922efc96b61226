#include "app/measured_data_window.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressDialog>
#include <QVBoxLayout>

#include "files/safe_replace.h"

namespace humidraw::app {
namespace {

QString ui(const char* source) {
    return QCoreApplication::translate("MeasuredDataWindow", source);
}

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

QPushButton* button(const char* text, QWidget* parent, QBoxLayout* row) {
    auto* b = new QPushButton(ui(text), parent);
    row->addWidget(b);
    return b;
}

}  // namespace

MeasuredDataWindow::MeasuredDataWindow(MeasuredDataHost& host, QWidget* parent)
    : QDialog(parent), host_(host) {
    setWindowTitle(ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "測定データとゾーン")));
    setObjectName("MeasuredDataWindow");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "データセット（チェックで表示）")), this));
    sets = new QListWidget(this);
    sets->setObjectName("sets");
    layout->addWidget(sets);
    auto* setRow = new QHBoxLayout;
    importButton = button(QT_TRANSLATE_NOOP("MeasuredDataWindow", "読み込み(&I)..."), this, setRow);
    densityButton =
        button(QT_TRANSLATE_NOOP("MeasuredDataWindow", "点/密度の切り替え(&D)"), this, setRow);
    removeSetButton = button(QT_TRANSLATE_NOOP("MeasuredDataWindow", "削除(&R)"), this, setRow);
    layout->addLayout(setRow);
    layout->addWidget(new QLabel(ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "ゾーン")), this));
    zones = new QListWidget(this);
    zones->setObjectName("zones");
    layout->addWidget(zones);
    auto* zoneRow = new QHBoxLayout;
    addZoneButton =
        button(QT_TRANSLATE_NOOP("MeasuredDataWindow", "ゾーン追加(&A)..."), this, zoneRow);
    addComfortButton =
        button(QT_TRANSLATE_NOOP("MeasuredDataWindow", "快適域追加(&K)..."), this, zoneRow);
    editZoneButton = button(QT_TRANSLATE_NOOP("MeasuredDataWindow", "変更(&E)..."), this, zoneRow);
    removeZoneButton =
        button(QT_TRANSLATE_NOOP("MeasuredDataWindow", "ゾーン削除(&Z)"), this, zoneRow);
    layout->addLayout(zoneRow);
    layout->addWidget(
        new QLabel(ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "ゾーン内の点の数")), this));
    counts = new QTableWidget(0, 9, this);
    counts->setObjectName("counts");
    counts->setHorizontalHeaderLabels({ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "ゾーン")),
                                       ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "データ")),
                                       ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "範囲内")),
                                       ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "全数")),
                                       ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "割合")),
                                       ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "高温")),
                                       ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "低温")),
                                       ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "多湿")),
                                       ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "乾燥"))});
    counts->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    counts->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(counts);
    auto* exportRow = new QHBoxLayout;
    exportRow->addStretch();
    exportButton =
        button(QT_TRANSLATE_NOOP("MeasuredDataWindow", "CSV書き出し(&C)..."), this, exportRow);
    layout->addLayout(exportRow);
    resize(720, 560);

    connect(importButton, &QPushButton::clicked, this, [this] { chooseAndImport(); });
    connect(removeSetButton, &QPushButton::clicked, this, [this] { removeSet(); });
    connect(densityButton, &QPushButton::clicked, this, [this] { toggleDensity(); });
    connect(sets, &QListWidget::itemChanged, this,
            [this](QListWidgetItem* i) { setVisibility(i); });
    connect(addZoneButton, &QPushButton::clicked, this, [this] { editZone(-1); });
    connect(addComfortButton, &QPushButton::clicked, this, [this] { addComfortZones(); });
    connect(editZoneButton, &QPushButton::clicked, this, [this] { editZone(zones->currentRow()); });
    connect(zones, &QListWidget::itemDoubleClicked, this,
            [this] { editZone(zones->currentRow()); });
    connect(removeZoneButton, &QPushButton::clicked, this, [this] { removeZone(); });
    connect(exportButton, &QPushButton::clicked, this, [this] { exportCounts(); });
}

void MeasuredDataWindow::refresh() {
    const MeasuredData d = host_.measuredData();
    filling_ = true;
    const int setRow = sets->currentRow(), zoneRow = zones->currentRow();
    sets->clear();
    for (const DataSet& s : d.sets) {
        auto* item = new QListWidgetItem(
            q(s.name) + QString(" (%1 %2)")
                            .arg(s.points.size())
                            .arg(s.density ? ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "密度"))
                                           : ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "点"))),
            sets);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(s.visible ? Qt::Checked : Qt::Unchecked);
        item->setForeground(
            QColor(s.colour & 0xFF, (s.colour >> 8) & 0xFF, (s.colour >> 16) & 0xFF));
    }
    zones->clear();
    for (const Zone& z : d.zones) zones->addItem(q(z.name));
    sets->setCurrentRow(std::min(setRow, sets->count() - 1));
    zones->setCurrentRow(std::min(zoneRow, zones->count() - 1));
    filling_ = false;
    fillCounts(d);
}

void MeasuredDataWindow::fillCounts(const MeasuredData& d) {
    rows_.clear();
    StateCalculator calc(host_.chartPressure());
    for (const Zone& z : d.zones)
        for (const DataSet& s : d.sets)
            if (s.visible) rows_.push_back({z.name, s.name, countInZone(z, s, calc)});
    counts->setRowCount(static_cast<int>(rows_.size()));
    for (int r = 0; r < static_cast<int>(rows_.size()); ++r) {
        const ZoneCount& c = rows_[r].count;
        const QString cells[] = {q(rows_[r].zone),
                                 q(rows_[r].dataSet),
                                 QString::number(c.inside),
                                 QString::number(c.total),
                                 QString::number(100 * c.share(), 'f', 1) + " %",
                                 QString::number(c.tooHot),
                                 QString::number(c.tooCold),
                                 QString::number(c.tooHumid),
                                 QString::number(c.tooDry)};
        for (int col = 0; col < 9; ++col) counts->setItem(r, col, new QTableWidgetItem(cells[col]));
    }
}

std::string MeasuredDataWindow::countsText() const {
    return "\xEF\xBB\xBF" + countsCsv(rows_);
}

void MeasuredDataWindow::chooseAndImport() {
    const auto path = host_.chooseDataFile(
        ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "測定データの読み込み")).toStdString(),
        ui(QT_TRANSLATE_NOOP("MeasuredDataWindow",
                             "測定データ (*.csv *.txt *.tsv *.epw);;すべてのファイル (*)"))
            .toStdString(),
        false);
    if (path) importPath(*path);
}

ImportOutcome MeasuredDataWindow::importPath(const std::string& path,
                                             std::optional<CsvChoice> choice) {
    const bool epw = QString::fromStdString(path).endsWith(".epw", Qt::CaseInsensitive);
    if (!epw && !choice) {
        const auto header = csvFileHeader(path);
        if (!header) {
            host_.tellData(
                ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "測定データの読み込み")).toStdString(),
                (q(header.error())).toStdString());
            return ImportOutcome::Failed;
        }
        choice = askCsvColumns(*header, this);
        if (!choice) return ImportOutcome::Cancelled;
    }
    CsvChoice c = choice.value_or(CsvChoice{});
    c.pressureMmHg = host_.chartPressure();
    QProgressDialog progress(
        ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "測定データを読み込んでいます...")),
        ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "キャンセル")), 0, 1000, this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    // Cancelled when the progress said to stop: the import then gives nothing.
    auto r = importFile(path, c, [&progress](double done) {
        progress.setValue(static_cast<int>(done * 1000));
        QCoreApplication::processEvents();
        return !progress.wasCanceled();
    });
    progress.reset();
    if (!r) {
        lastReport =
            r.reason() == Reason::Cancelled
                ? ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "読み込みを中止しました。"))
                : ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "読み込めません。\n")) + q(r.error());
        host_.tellData(
            ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "測定データの読み込み")).toStdString(),
            (lastReport).toStdString());
        return r.reason() == Reason::Cancelled ? ImportOutcome::Cancelled : ImportOutcome::Failed;
    }
    const ImportReport& rep = r->report;
    lastReport = ui(QT_TRANSLATE_NOOP("MeasuredDataWindow",
                                      "%1 行を読み、%2 行を使い、%3 行を飛ばしました。"))
                     .arg(rep.rows)
                     .arg(rep.used)
                     .arg(rep.skipped);
    for (const SkippedRow& s : rep.firstSkipped)
        lastReport +=
            "\n" +
            ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "%1 行目: %2")).arg(s.line).arg(q(s.reason));
    MeasuredData d = host_.measuredData();
    static const Colour32 colours[] = {0x00B05000, 0x000050D0, 0x00008000, 0x00800080};
    r->set.colour = colours[d.sets.size() % 4];
    d.sets.push_back(std::move(r->set));
    host_.changeMeasuredData(std::move(d));
    refresh();
    if (rep.skipped > 0)
        host_.tellData(
            ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "測定データの読み込み")).toStdString(),
            (lastReport).toStdString());
    return ImportOutcome::Added;
}

void MeasuredDataWindow::removeSet() {
    MeasuredData d = host_.measuredData();
    const int row = sets->currentRow();
    if (row < 0 || row >= static_cast<int>(d.sets.size())) return;
    d.sets.erase(d.sets.begin() + row);
    host_.changeMeasuredData(std::move(d));
    refresh();
}

void MeasuredDataWindow::toggleDensity() {
    MeasuredData d = host_.measuredData();
    const int row = sets->currentRow();
    if (row < 0 || row >= static_cast<int>(d.sets.size())) return;
    d.sets[row].density = !d.sets[row].density;
    host_.changeMeasuredData(std::move(d));
    refresh();
}

void MeasuredDataWindow::setVisibility(QListWidgetItem* item) {
    if (filling_) return;
    MeasuredData d = host_.measuredData();
    const int row = sets->row(item);
    if (row < 0 || row >= static_cast<int>(d.sets.size())) return;
    d.sets[row].visible = item->checkState() == Qt::Checked;
    host_.changeMeasuredData(std::move(d));
    refresh();
}

void MeasuredDataWindow::putZone(const Zone& z, int index) {
    MeasuredData d = host_.measuredData();
    if (index >= 0 && index < static_cast<int>(d.zones.size()))
        d.zones[index] = z;
    else
        d.zones.push_back(z);
    host_.changeMeasuredData(std::move(d));
    refresh();
}

void MeasuredDataWindow::editZone(int index) {
    const MeasuredData d = host_.measuredData();
    const bool existing = index >= 0 && index < static_cast<int>(d.zones.size());
    // A comfort zone is changed in its own dialog: the plain one would keep only its ranges.
    if (existing && (d.zones[index].pmv || d.zones[index].adaptive)) {
        const auto z =
            askComfortZones(&d.zones[index], d, this, host_.chartUnits(), host_.dataPrompts());
        if (z && !z->empty()) putZone(z->front(), index);
        return;
    }
    const auto z = askZone(existing ? d.zones[index] : zonePresets().front().zone, this,
                           host_.chartUnits(), host_.dataPrompts());
    if (z) putZone(*z, existing ? index : -1);
}

void MeasuredDataWindow::addComfortZones() {
    const auto zones =
        askComfortZones(nullptr, host_.measuredData(), this, host_.chartUnits(), host_.dataPrompts());
    if (!zones || zones->empty()) return;
    // One step of the history for the summer and the winter zone together.
    MeasuredData d = host_.measuredData();
    for (const Zone& z : *zones) d.zones.push_back(z);
    host_.changeMeasuredData(std::move(d));
    refresh();
}

void MeasuredDataWindow::removeZone() {
    MeasuredData d = host_.measuredData();
    const int row = zones->currentRow();
    if (row < 0 || row >= static_cast<int>(d.zones.size())) return;
    d.zones.erase(d.zones.begin() + row);
    host_.changeMeasuredData(std::move(d));
    refresh();
}

void MeasuredDataWindow::exportCounts() {
    const auto path = host_.chooseDataFile(
        ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "CSV書き出し")).toStdString(),
        ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "CSV ファイル (*.csv)")).toStdString(), true);
    if (path) writeCounts(*path);
}

bool MeasuredDataWindow::writeCounts(const std::string& path) {
    const WriteResult w = replaceFile(path, countsText());
    if (!w.ok())
        host_.tellData(
            ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "CSV書き出し")).toStdString(),
            (ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "ファイルを作成出来ません．\n")) +
             q(writeProblemText(w)))
                .toStdString());
    return w.ok();
}

}  // namespace humidraw::app
