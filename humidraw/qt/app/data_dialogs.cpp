// The dialogs of the measured-data window: the CSV columns and a zone.
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <iterator>

#include "app/measured_data_window.h"
#include "text/number_format.h"

namespace humidraw::app {
namespace {

QString ui(const char* source) {
    return QCoreApplication::translate("MeasuredDataWindow", source);
}

// A property and its unit, chosen together: "DB [°C]", "x [g/kg(DA)]", ….
struct PropertyUnit {
    Quantity q;
    Unit u;
    const char* label;
};
const PropertyUnit kPropertyUnits[] = {
    {Quantity::DB, Unit::Celsius, QT_TRANSLATE_NOOP("MeasuredDataWindow", "乾球温度 DB [°C]")},
    {Quantity::RH, Unit::Percent, QT_TRANSLATE_NOOP("MeasuredDataWindow", "相対湿度 RH [%]")},
    {Quantity::X, Unit::GPerKg, QT_TRANSLATE_NOOP("MeasuredDataWindow", "絶対湿度 x [g/kg(DA)]")},
    {Quantity::X, Unit::KgPerKg, QT_TRANSLATE_NOOP("MeasuredDataWindow", "絶対湿度 x [kg/kg(DA)]")},
    {Quantity::H, Unit::KJPerKg,
     QT_TRANSLATE_NOOP("MeasuredDataWindow", "比エンタルピ h [kJ/kg(DA)]")},
    {Quantity::H, Unit::KcalPerKg,
     QT_TRANSLATE_NOOP("MeasuredDataWindow", "比エンタルピ h [kcal/kg(DA)]")},
    {Quantity::WB, Unit::Celsius, QT_TRANSLATE_NOOP("MeasuredDataWindow", "湿球温度 WB [°C]")},
    {Quantity::SV, Unit::M3PerKg, QT_TRANSLATE_NOOP("MeasuredDataWindow", "比容積 SV [m³/kg(DA)]")},
    {Quantity::DP, Unit::Celsius, QT_TRANSLATE_NOOP("MeasuredDataWindow", "露点温度 DP [°C]")},
    // IP units after the others, so that the first two stay DB and RH.
    {Quantity::DB, Unit::Fahrenheit, QT_TRANSLATE_NOOP("MeasuredDataWindow", "乾球温度 DB [°F]")},
    {Quantity::X, Unit::GrPerLb, QT_TRANSLATE_NOOP("MeasuredDataWindow", "絶対湿度 x [gr/lb(DA)]")},
    {Quantity::H, Unit::BtuPerLb,
     QT_TRANSLATE_NOOP("MeasuredDataWindow", "比エンタルピ h [Btu/lb(DA)]")},
    {Quantity::WB, Unit::Fahrenheit, QT_TRANSLATE_NOOP("MeasuredDataWindow", "湿球温度 WB [°F]")},
    {Quantity::SV, Unit::Ft3PerLb,
     QT_TRANSLATE_NOOP("MeasuredDataWindow", "比容積 SV [ft³/lb(DA)]")},
    {Quantity::DP, Unit::Fahrenheit, QT_TRANSLATE_NOOP("MeasuredDataWindow", "露点温度 DP [°F]")},
};

QComboBox* columnBox(const std::vector<std::string>& header, QWidget* parent, int pick,
                     bool optional) {
    auto* box = new QComboBox(parent);
    if (optional) box->addItem(ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "（なし）")));
    for (const std::string& h : header) box->addItem(QString::fromStdString(h));
    box->setCurrentIndex(std::clamp(pick, 0, box->count() - 1));
    return box;
}

QComboBox* propertyBox(QWidget* parent, int pick) {
    auto* box = new QComboBox(parent);
    for (const PropertyUnit& p : kPropertyUnits) box->addItem(ui(p.label));
    box->setCurrentIndex(pick);
    return box;
}

}  // namespace

std::optional<CsvChoice> askCsvColumns(const std::vector<std::string>& header, QWidget* parent) {
    QDialog d(parent);
    d.setObjectName("CsvColumnsDialog");
    d.setWindowTitle(ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "CSV の列")));
    auto* form = new QFormLayout(&d);
    form->addRow(
        new QLabel(ui(QT_TRANSLATE_NOOP("MeasuredDataWindow",
                                        "状態を決める2つの列と、その量と単位を選んでください。")),
                   &d));
    // What the header names, as humidraw-cli takes it; else the first two columns as DB and RH.
    const Result<CsvChoice> proposal = proposeCsvColumns(header);
    const auto columnIndex = [](const std::string& number) { return std::stoi(number) - 1; };
    const auto propertyIndex = [](const CsvColumn& c) {
        for (size_t i = 0; i < std::size(kPropertyUnits); ++i)
            if (kPropertyUnits[i].q == c.quantity && kPropertyUnits[i].u == c.unit)
                return static_cast<int>(i);
        return 0;
    };
    auto* first = columnBox(header, &d, proposal ? columnIndex(proposal->first.column) : 0, false);
    auto* firstQ = propertyBox(&d, proposal ? propertyIndex(proposal->first) : 0);
    auto* second =
        columnBox(header, &d, proposal ? columnIndex(proposal->second.column) : 1, false);
    auto* secondQ = propertyBox(&d, proposal ? propertyIndex(proposal->second) : 1);
    auto* time = columnBox(
        header, &d,
        proposal && !proposal->timeColumn.empty() ? columnIndex(proposal->timeColumn) + 1 : 0,
        true);
    form->addRow(ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "第1の列")), first);
    form->addRow(ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "第1の量と単位")), firstQ);
    form->addRow(ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "第2の列")), second);
    form->addRow(ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "第2の量と単位")), secondQ);
    form->addRow(ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "日時の列")), time);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &d);
    form->addRow(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &d, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    if (d.exec() != QDialog::Accepted || header.empty()) return std::nullopt;
    CsvChoice c;
    const PropertyUnit& a = kPropertyUnits[firstQ->currentIndex()];
    const PropertyUnit& b = kPropertyUnits[secondQ->currentIndex()];
    c.first = {std::to_string(first->currentIndex() + 1), a.q, a.u};
    c.second = {std::to_string(second->currentIndex() + 1), b.q, b.u};
    if (time->currentIndex() > 0) c.timeColumn = std::to_string(time->currentIndex());
    return c;
}

namespace {

QString boundText(const std::optional<double>& v) {
    return v ? QString::fromStdString(formatPrintfGeneral(*v, 10)) : QString();
}

// The zone's rows as the chart labels its axes: x in kg/kg(DA) in engineering and SI units, h
// in kcal/kg(DA) or, on an SI chart, kJ/kg(DA); on an IP chart °F, gr/lb(DA) and Btu/lb(DA).
// Zones keep °C, g/kg(DA) and kJ/kg(DA) (zone.h).
const char* const kZoneLabels[] = {
    QT_TRANSLATE_NOOP("MeasuredDataWindow", "乾球温度 DB [°C]"),
    QT_TRANSLATE_NOOP("MeasuredDataWindow", "相対湿度 RH [%]"),
    QT_TRANSLATE_NOOP("MeasuredDataWindow", "絶対湿度 x [kg/kg(DA)]"),
    QT_TRANSLATE_NOOP("MeasuredDataWindow", "露点温度 DP [°C]"),
    QT_TRANSLATE_NOOP("MeasuredDataWindow", "湿球温度 WB [°C]"),
    QT_TRANSLATE_NOOP("MeasuredDataWindow", "比エンタルピ h [kcal/kg(DA)]")};
const char kSiEnthalpyLabel[] =
    QT_TRANSLATE_NOOP("MeasuredDataWindow", "比エンタルピ h [kJ/kg(DA)]");
const char* const kIpZoneLabels[] = {
    QT_TRANSLATE_NOOP("MeasuredDataWindow", "乾球温度 DB [°F]"),
    QT_TRANSLATE_NOOP("MeasuredDataWindow", "相対湿度 RH [%]"),
    QT_TRANSLATE_NOOP("MeasuredDataWindow", "絶対湿度 x [gr/lb(DA)]"),
    QT_TRANSLATE_NOOP("MeasuredDataWindow", "露点温度 DP [°F]"),
    QT_TRANSLATE_NOOP("MeasuredDataWindow", "湿球温度 WB [°F]"),
    QT_TRANSLATE_NOOP("MeasuredDataWindow", "比エンタルピ h [Btu/lb(DA)]")};

const char* zoneLabel(int property, UnitSystem units) {
    if (units == UnitSystem::IP) return kIpZoneLabels[property];
    if (units == UnitSystem::SI && property == kZoneH) return kSiEnthalpyLabel;
    return kZoneLabels[property];
}

}  // namespace

std::optional<Zone> askZone(const Zone& start, QWidget* parent, UnitSystem units,
                            Prompts& prompts) {
    QDialog d(parent);
    d.setObjectName("ZoneDialog");
    d.setWindowTitle(ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "ゾーン")));
    auto* grid = new QGridLayout(&d);
    auto* preset = new QComboBox(&d);
    preset->addItem(ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "（ユーザー定義）")));
    for (const ZonePreset& p : zonePresets()) preset->addItem(QString::fromStdString(p.zone.name));
    grid->addWidget(new QLabel(ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "プリセット")), &d), 0,
                    0);
    grid->addWidget(preset, 0, 1, 1, 2);
    auto* name = new QLineEdit(&d);
    grid->addWidget(new QLabel(ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "名前")), &d), 1, 0);
    grid->addWidget(name, 1, 1, 1, 2);
    grid->addWidget(
        new QLabel(ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "下限（空欄: なし）")), &d), 2, 1);
    grid->addWidget(
        new QLabel(ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "上限（空欄: なし）")), &d), 2, 2);
    QLineEdit *low[kZonePropertyCount], *high[kZonePropertyCount];
    for (int i = 0; i < kZonePropertyCount; ++i) {
        grid->addWidget(new QLabel(ui(zoneLabel(i, units)), &d), 3 + i, 0);
        grid->addWidget(low[i] = new QLineEdit(&d), 3 + i, 1);
        grid->addWidget(high[i] = new QLineEdit(&d), 3 + i, 2);
    }
    Colour32 colour = start.colour;
    auto* colourButton =
        new QPushButton(ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "色(&C)...")), &d);
    auto* fill = new QCheckBox(ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "薄く塗る(&F)")), &d);
    grid->addWidget(colourButton, 9, 1);
    grid->addWidget(fill, 9, 2);
    // What each bound shows, and the zone's own value behind it: a bound left as shown keeps
    // its value exactly, through the round trip of the units.
    Zone shown = start;
    const auto display = [&](const std::optional<double>& v, int i) {
        return boundText(
            v ? std::optional<double>(zoneBoundShown(static_cast<ZoneProperty>(i), *v, units))
              : std::nullopt);
    };
    const auto show = [&](const Zone& z) {
        shown = z;
        name->setText(QString::fromStdString(z.name));
        for (int i = 0; i < kZonePropertyCount; ++i) {
            low[i]->setText(display(z.ranges[i].low, i));
            high[i]->setText(display(z.ranges[i].high, i));
        }
        fill->setChecked(z.filled);
        colour = z.colour;
        colourButton->setStyleSheet(QString("color: rgb(%1,%2,%3)")
                                        .arg(colour & 0xFF)
                                        .arg((colour >> 8) & 0xFF)
                                        .arg((colour >> 16) & 0xFF));
    };
    show(start);
    QObject::connect(preset, &QComboBox::currentIndexChanged, &d, [&](int i) {
        if (i > 0) show(zonePresets()[i - 1].zone);
    });
    QObject::connect(colourButton, &QPushButton::clicked, &d, [&] {
        const QColor c = QColorDialog::getColor(
            QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF), &d);
        if (!c.isValid()) return;
        Zone z;
        z.colour = static_cast<Colour32>(c.red() | (c.green() << 8) | (c.blue() << 16));
        colour = z.colour;
        colourButton->setStyleSheet(QString("color: %1").arg(c.name()));
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &d);
    grid->addWidget(buttons, 10, 0, 1, 3);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    Zone result;
    QObject::connect(buttons, &QDialogButtonBox::accepted, &d, [&] {
        Zone z;
        z.name = name->text().trimmed().toStdString();
        z.colour = colour;
        z.filled = fill->isChecked();
        for (int i = 0; i < kZonePropertyCount; ++i) {
            for (QLineEdit* e : {low[i], high[i]}) {
                const std::string t = e->text().trimmed().toStdString();
                if (t.empty()) continue;
                const std::optional<double>& before =
                    e == low[i] ? shown.ranges[i].low : shown.ranges[i].high;
                if (e->text() == display(before, i)) {
                    (e == low[i] ? z.ranges[i].low : z.ranges[i].high) = before;
                    continue;
                }
                const auto v = parseDecimal(t);
                if (!v) {
                    prompts.tell(
                        ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "ゾーン")).toStdString(),
                        (ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "数値ではありません: ")) +
                         e->text())
                            .toStdString(),
                        PromptIcon::Warning);
                    return;
                }
                (e == low[i] ? z.ranges[i].low : z.ranges[i].high) =
                    zoneBoundStored(static_cast<ZoneProperty>(i), *v, units);
            }
        }
        if (z.name.empty())
            z.name = ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "ゾーン")).toStdString();
        if (!zoneProblem(z).empty()) {
            prompts.tell(ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "ゾーン")).toStdString(),
                         (ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "このゾーンは使えません: ")) +
                          QString::fromStdString(zoneProblem(z)))
                             .toStdString(),
                         PromptIcon::Warning);
            return;
        }
        result = z;
        d.accept();
    });
    if (d.exec() != QDialog::Accepted) return std::nullopt;
    return result;
}

}  // namespace humidraw::app
