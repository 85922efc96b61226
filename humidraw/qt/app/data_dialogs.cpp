// The dialogs of the measured-data window: the CSV columns, a zone and a comfort zone.
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
#include <QStackedWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
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

namespace humidraw::app {
namespace {

// A number field with its text, for the comfort dialog's rows.
QLineEdit* numberField(double v, QWidget* parent, const char* name) {
    auto* e = new QLineEdit(QString::fromStdString(formatShortest(v)), parent);
    e->setObjectName(name);
    return e;
}

// ISO 7730's categories and the PMV limits each allows.
struct PmvCategory {
    const char* label;
    double limit;
};
const PmvCategory kPmvCategories[] = {
    {QT_TRANSLATE_NOOP("MeasuredDataWindow", "カテゴリ A (PMV ±0.2)"), 0.2},
    {QT_TRANSLATE_NOOP("MeasuredDataWindow", "カテゴリ B (PMV ±0.5)"), 0.5},
    {QT_TRANSLATE_NOOP("MeasuredDataWindow", "カテゴリ C (PMV ±0.7)"), 0.7},
};
constexpr int kUserLimits = 3;  // the item after the categories: limits typed

}  // namespace

std::optional<std::vector<Zone>> askComfortZones(const Zone* editing, const MeasuredData& data,
                                                 QWidget* parent, UnitSystem units,
                                                 Prompts& prompts) {
    const QString caption = ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "快適域"));
    QDialog d(parent);
    d.setObjectName("ComfortZoneDialog");
    d.setWindowTitle(caption);
    auto* layout = new QVBoxLayout(&d);
    auto* kind = new QComboBox(&d);
    kind->setObjectName("kind");
    kind->addItem(ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "PMV 快適域 (ISO 7730, ASHRAE 55)")));
    kind->addItem(ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "適応快適域 (ASHRAE 55, 自然換気)")));
    layout->addWidget(kind);
    auto* pages = new QStackedWidget(&d);
    layout->addWidget(pages);

    // The PMV page: the occupant, the limits and the humidity limit.
    const PmvBounds pmvStart = editing && editing->pmv ? *editing->pmv : PmvBounds{};
    auto* pmvPage = new QWidget(pages);
    auto* pmvForm = new QFormLayout(pmvPage);
    auto* met = numberField(pmvStart.inputs.met, pmvPage, "met");
    auto* cloSummer = numberField(pmvStart.inputs.clo, pmvPage, "cloSummer");
    auto* winterToo =
        new QCheckBox(ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "冬の快適域も加える(&W)")), pmvPage);
    winterToo->setObjectName("winterToo");
    auto* cloWinter = numberField(1.0, pmvPage, "cloWinter");
    auto* speed = numberField(pmvStart.inputs.airSpeed, pmvPage, "airSpeed");
    auto* mrt = numberField(pmvStart.inputs.mrtOffset, pmvPage, "mrtOffset");
    auto* work = numberField(pmvStart.inputs.externalWork, pmvPage, "work");
    auto* category = new QComboBox(pmvPage);
    category->setObjectName("category");
    for (const PmvCategory& c : kPmvCategories) category->addItem(ui(c.label));
    category->addItem(ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "指定 (下限と上限)")));
    auto* low = numberField(pmvStart.low, pmvPage, "pmvLow");
    auto* high = numberField(pmvStart.high, pmvPage, "pmvHigh");
    // The humidity limit in the chart's unit of x; empty for none.
    const std::optional<double> xStart =
        editing && editing->pmv ? editing->ranges[kZoneX].high : std::optional(kComfortMaxXg);
    const auto xShown = [&](double g) {
        return QString::fromStdString(formatPrintfGeneral(zoneBoundShown(kZoneX, g, units), 10));
    };
    auto* maxX = new QLineEdit(xStart ? xShown(*xStart) : QString(), pmvPage);
    maxX->setObjectName("maxX");
    pmvForm->addRow(ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "代謝量 [met]")), met);
    pmvForm->addRow(ui(editing ? QT_TRANSLATE_NOOP("MeasuredDataWindow", "着衣量 [clo]")
                               : QT_TRANSLATE_NOOP("MeasuredDataWindow", "着衣量 夏 [clo]")),
                    cloSummer);
    pmvForm->addRow(QString(), winterToo);
    pmvForm->addRow(ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "着衣量 冬 [clo]")), cloWinter);
    pmvForm->addRow(ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "気流速度 [m/s]")), speed);
    pmvForm->addRow(
        ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "平均放射温度 − 乾球温度 [K]")), mrt);
    pmvForm->addRow(ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "外部仕事 [met]")), work);
    pmvForm->addRow(ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "PMV の範囲")), category);
    pmvForm->addRow(ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "PMV 下限")), low);
    pmvForm->addRow(ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "PMV 上限")), high);
    pmvForm->addRow(ui(units == UnitSystem::IP
                           ? QT_TRANSLATE_NOOP("MeasuredDataWindow",
                                               "絶対湿度の上限 [gr/lb(DA)]（空欄: なし）")
                           : QT_TRANSLATE_NOOP("MeasuredDataWindow",
                                               "絶対湿度の上限 [kg/kg(DA)]（空欄: なし）")),
                    maxX);
    pages->addWidget(pmvPage);
    // A zone being changed is one zone; a new one may come with its winter companion.
    winterToo->setChecked(!editing);
    winterToo->setVisible(!editing);
    cloWinter->setVisible(!editing);
    pmvForm->labelForField(cloWinter)->setVisible(!editing);
    const auto limitsTyped = [=](int i) {
        low->setEnabled(i == kUserLimits);
        high->setEnabled(i == kUserLimits);
        if (i < kUserLimits) {
            low->setText(QString::fromStdString(formatShortest(-kPmvCategories[i].limit)));
            high->setText(QString::fromStdString(formatShortest(kPmvCategories[i].limit)));
        }
    };
    int startCategory = kUserLimits;
    for (int i = 0; i < kUserLimits; ++i)
        if (pmvStart.low == -kPmvCategories[i].limit && pmvStart.high == kPmvCategories[i].limit)
            startCategory = i;
    category->setCurrentIndex(startCategory);
    limitsTyped(startCategory);
    QObject::connect(category, &QComboBox::currentIndexChanged, &d, limitsTyped);
    QObject::connect(winterToo, &QCheckBox::toggled, cloWinter, &QWidget::setEnabled);

    // The adaptive page: the month, the acceptability and the prevailing mean, typed or the
    // month's mean of a data set with date-times.
    const AdaptiveBand bandStart = editing && editing->adaptive ? *editing->adaptive : AdaptiveBand{};
    auto* adaptivePage = new QWidget(pages);
    auto* adaptiveForm = new QFormLayout(adaptivePage);
    auto* month = new QComboBox(adaptivePage);
    month->setObjectName("month");
    for (int m = 1; m <= 12; ++m)
        month->addItem(ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "%1 月")).arg(m));
    month->setCurrentIndex(std::clamp(bandStart.month, 1, 12) - 1);
    auto* acceptability = new QComboBox(adaptivePage);
    acceptability->setObjectName("acceptability");
    acceptability->addItem("80 %");
    acceptability->addItem("90 %");
    acceptability->setCurrentIndex(bandStart.acceptability == 90 ? 1 : 0);
    auto* source = new QComboBox(adaptivePage);
    source->setObjectName("meanSource");
    source->addItem(ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "入力した値")));
    std::vector<const DataSet*> weather;
    for (const DataSet& s : data.sets)
        if (!s.times.empty()) {
            weather.push_back(&s);
            source->addItem(ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "%1 の月平均"))
                                .arg(QString::fromStdString(s.name)));
        }
    const auto tShown = [&](double c) {
        return QString::fromStdString(formatFixed(zoneBoundShown(kZoneDB, c, units), 2));
    };
    auto* mean = new QLineEdit(std::isfinite(bandStart.prevailingMean)
                                   ? tShown(bandStart.prevailingMean)
                                   : QString(),
                               adaptivePage);
    mean->setObjectName("mean");
    auto* band = new QLabel(adaptivePage);
    band->setObjectName("band");
    adaptiveForm->addRow(ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "月")), month);
    adaptiveForm->addRow(ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "許容率")), acceptability);
    adaptiveForm->addRow(ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "代表外気温度")), source);
    adaptiveForm->addRow(ui(units == UnitSystem::IP
                                ? QT_TRANSLATE_NOOP("MeasuredDataWindow", "代表外気温度 [°F]")
                                : QT_TRANSLATE_NOOP("MeasuredDataWindow", "代表外気温度 [°C]")),
                         mean);
    adaptiveForm->addRow(ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "許容範囲")), band);
    pages->addWidget(adaptivePage);
    // The mean as typed, in °C; empty when it is not a number.
    const auto typedMean = [=]() -> std::optional<double> {
        const auto v = parseDecimal(mean->text().trimmed().toStdString());
        if (!v) return std::nullopt;
        return zoneBoundStored(kZoneDB, *v, units);
    };
    const auto showBand = [=] {
        const auto t = typedMean();
        if (!t || *t < comfort::kAdaptiveMinMean || *t > comfort::kAdaptiveMaxMean) {
            band->setText(ui(QT_TRANSLATE_NOOP(
                "MeasuredDataWindow", "代表外気温度は 10～33.5 °C の範囲で決まります")));
            return;
        }
        AdaptiveBand b;
        b.prevailingMean = *t;
        b.acceptability = acceptability->currentIndex() == 1 ? 90 : 80;
        const ZoneRange r = adaptiveRange(b);
        band->setText(QString("%1 – %2 %3")
                          .arg(tShown(*r.low), tShown(*r.high),
                               units == UnitSystem::IP ? "°F" : "°C"));
    };
    // The month's mean of the chosen set, or a message when it has no hours of that month; the
    // mean itself is kept, the field showing it rounded.
    std::optional<double> setMean;
    const auto takeMean = [=, &setMean] {
        const int i = source->currentIndex();
        mean->setReadOnly(i > 0);
        setMean.reset();
        if (i <= 0) return;
        const auto means = monthlyMeanDB(*weather[i - 1]);
        const auto m = means[month->currentIndex()];
        setMean = m;
        mean->setText(m ? tShown(*m) : QString());
        if (!m)
            band->setText(ui(QT_TRANSLATE_NOOP("MeasuredDataWindow",
                                               "このデータにはその月の時刻の点がありません")));
        else
            showBand();
    };
    QObject::connect(source, &QComboBox::currentIndexChanged, &d, takeMean);
    QObject::connect(month, &QComboBox::currentIndexChanged, &d, takeMean);
    QObject::connect(acceptability, &QComboBox::currentIndexChanged, &d, showBand);
    QObject::connect(mean, &QLineEdit::textChanged, &d, showBand);
    showBand();

    kind->setCurrentIndex(editing && editing->adaptive ? 1 : 0);
    pages->setCurrentIndex(kind->currentIndex());
    kind->setEnabled(!editing);
    QObject::connect(kind, &QComboBox::currentIndexChanged, pages, &QStackedWidget::setCurrentIndex);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &d);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    std::vector<Zone> result;
    const auto refuse = [&](const QString& why) {
        prompts.tell(caption.toStdString(), why.toStdString(), PromptIcon::Warning);
    };
    QObject::connect(buttons, &QDialogButtonBox::accepted, &d, [&] {
        std::vector<Zone> zones;
        // A number of a field, or the user told which field is not one.
        const auto number = [&](QLineEdit* e, double& out) {
            const auto v = parseDecimal(e->text().trimmed().toStdString());
            if (v && std::isfinite(*v)) {
                out = *v;
                return true;
            }
            refuse(ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "数値ではありません: ")) + e->text());
            e->setFocus();
            return false;
        };
        if (kind->currentIndex() == 0) {
            PmvBounds b;
            if (!number(met, b.inputs.met) || !number(cloSummer, b.inputs.clo) ||
                !number(speed, b.inputs.airSpeed) || !number(mrt, b.inputs.mrtOffset) ||
                !number(work, b.inputs.externalWork) || !number(low, b.low) || !number(high, b.high))
                return;
            std::optional<double> xLimit;
            if (!maxX->text().trimmed().isEmpty()) {
                double shown = 0;
                if (!number(maxX, shown)) return;
                // A limit left as shown keeps its value exactly.
                xLimit = xStart && maxX->text() == xShown(*xStart)
                             ? *xStart
                             : zoneBoundStored(kZoneX, shown, units);
            }
            if (const std::string p = comfort::inputsProblem(b.inputs); !p.empty())
                return refuse(QString::fromStdString(p));
            zones.push_back(pmvZone(b, xLimit));
            if (winterToo->isChecked()) {
                PmvBounds winter = b;
                if (!number(cloWinter, winter.inputs.clo)) return;
                if (const std::string p = comfort::inputsProblem(winter.inputs); !p.empty())
                    return refuse(QString::fromStdString(p));
                zones.push_back(pmvZone(winter, xLimit));
            }
        } else {
            AdaptiveBand b;
            b.month = month->currentIndex() + 1;
            b.acceptability = acceptability->currentIndex() == 1 ? 90 : 80;
            if (mean->text().trimmed().isEmpty())
                return refuse(ui(QT_TRANSLATE_NOOP("MeasuredDataWindow",
                                                   "代表外気温度がありません")));
            double shown = 0;
            if (!number(mean, shown)) return;
            // A mean left as shown keeps its value exactly.
            if (setMean && mean->text() == tShown(*setMean))
                b.prevailingMean = *setMean;
            else if (editing && editing->adaptive &&
                     mean->text() == tShown(bandStart.prevailingMean))
                b.prevailingMean = bandStart.prevailingMean;
            else
                b.prevailingMean = zoneBoundStored(kZoneDB, shown, units);
            zones.push_back(adaptiveZone(b));
        }
        for (Zone& z : zones) {
            if (const std::string p = zoneProblem(z); !p.empty())
                return refuse(ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "このゾーンは使えません: ")) +
                              QString::fromStdString(p));
            // A zone changed keeps how it was drawn.
            if (editing) {
                z.colour = editing->colour;
                z.filled = editing->filled;
            }
        }
        result = std::move(zones);
        d.accept();
    });
    if (d.exec() != QDialog::Accepted) return std::nullopt;
    return result;
}

}  // namespace humidraw::app
