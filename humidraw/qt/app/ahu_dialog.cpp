#include "app/ahu_dialog.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>

#include "app/ahu_report_window.h"
#include "text/number_format.h"

namespace humidraw::app {
namespace {

using design::Property;
using design::UnitSystem;
using units::Quantity;

QString ui(const char* source) {
    return QCoreApplication::translate("AhuDialog", source);
}

Property propertyOf(const QComboBox* c) {
    return static_cast<Property>(c->currentData().toInt());
}

QComboBox* choice(QWidget* parent, std::initializer_list<const char*> items, int current) {
    auto* c = new QComboBox(parent);
    for (const char* i : items) c->addItem(ui(i));
    c->setCurrentIndex(current);
    return c;
}

QGroupBox* part(const char* title, bool on, QWidget* parent, QGridLayout*& grid) {
    auto* g = new QGroupBox(ui(title), parent);
    g->setCheckable(true);
    g->setChecked(on);
    grid = new QGridLayout(g);
    return g;
}

// A combo box's choice enables the fields of that choice only.
void enableBy(QComboBox* c, std::vector<std::vector<QWidget*>> perChoice) {
    const auto apply = [c, perChoice] {
        for (int i = 0; i < static_cast<int>(perChoice.size()); ++i)
            for (QWidget* w : perChoice[i]) w->setEnabled(i == c->currentIndex());
    };
    QObject::connect(c, &QComboBox::currentIndexChanged, c, apply);
    apply();
}

}  // namespace

ahu::Unit defaultUnit() {
    ahu::Unit u;
    ahu::Season& s = u.summer;
    s.outdoor1 = {Property::DB, 34}, s.outdoor2 = {Property::WB, 27};
    s.outdoorBy = ahu::OutdoorBy::Flow, s.outdoorFlow = 2500, s.outdoorFraction = 0.25;
    s.room1 = {Property::DB, 26}, s.room2 = {Property::RH, 50};
    s.sensibleLoad = 25000, s.latentLoad = 7400;
    s.supplyBy = ahu::SupplyBy::Flow, s.supplyFlow = 10000, s.supplyDifference = 9;
    s.recovery = {true, ahu::RecoveryKind::Total, 0.6, 0.6};
    s.mixing.on = true;
    s.preheat = {false, 20};
    s.coil.on = true, s.coil.mode = ahu::CoilMode::DbAtRh, s.coil.DB = 14, s.coil.RH = 95;
    s.coil.first = {Property::DB, 14}, s.coil.second = {Property::RH, 95};
    s.reheat.on = true;
    s.humidifier = {false, ahu::HumidifierKind::Steam, 0.6};
    s.fan = {true, ahu::FanMode::Rise, 0.5, 3};
    ahu::Season& w = u.winter;
    w.outdoor1 = {Property::DB, 0}, w.outdoor2 = {Property::RH, 40};
    w.outdoorBy = ahu::OutdoorBy::Flow, w.outdoorFlow = 2500, w.outdoorFraction = 0.25;
    w.room1 = {Property::DB, 22}, w.room2 = {Property::RH, 40};
    w.sensibleLoad = -20000, w.latentLoad = 1000;
    w.supplyBy = ahu::SupplyBy::Flow, w.supplyFlow = 10000, w.supplyDifference = 7;
    w.recovery = {true, ahu::RecoveryKind::Total, 0.6, 0.6};
    w.mixing.on = true;
    w.preheat = {false, 15};
    w.coil.on = false;
    w.reheat.on = true;
    w.humidifier = {true, ahu::HumidifierKind::Vaporising, 0.6};
    w.fan = {true, ahu::FanMode::Rise, 0.5, 3};
    return u;
}

AhuDialog::AhuDialog(DesignHost& host, UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), host_(host), prompts_(prompts) {
    setObjectName("AhuDialog");
    setWindowTitle(ui(QT_TRANSLATE_NOOP("AhuDialog", "空調機設計")));
    const ahu::Unit d = defaultUnit();
    auto* columns = new QWidget(this);
    auto* row = new QHBoxLayout(columns);
    row->addWidget(seasonColumn(summer, d.summer, QT_TRANSLATE_NOOP("AhuDialog", "夏期")));
    row->addWidget(seasonColumn(winter, d.winter, QT_TRANSLATE_NOOP("AhuDialog", "冬期")));
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(columns);
    scroll->setWidgetResizable(true);
    // Both columns side by side; as tall as the screen lets it, the rest scrolled.
    scroll->setMinimumWidth(columns->sizeHint().width() + 24);
    scroll->setMinimumHeight(std::min(columns->sizeHint().height() + 4, 600));
    computeButton = new QPushButton(ui(QT_TRANSLATE_NOOP("AhuDialog", "計算(&C)")), this);
    computeButton->setObjectName("Compute");
    drawButton = new QPushButton(ui(QT_TRANSLATE_NOOP("AhuDialog", "記入(&D)")), this);
    drawButton->setObjectName("Draw");
    drawButton->setDefault(true);
    drawButton->setAutoDefault(true);
    computeButton->setAutoDefault(false);
    cancelButton = new QPushButton(ui(QT_TRANSLATE_NOOP("AhuDialog", "キャンセル")), this);
    cancelButton->setObjectName("Cancel");
    cancelButton->setAutoDefault(false);
    connect(computeButton, &QPushButton::clicked, this, [this] { run(false); });
    connect(drawButton, &QPushButton::clicked, this, [this] { run(true); });
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(computeButton);
    buttons->addWidget(drawButton);
    buttons->addWidget(cancelButton);
    auto* all = new QVBoxLayout(this);
    all->addWidget(scroll);
    all->addLayout(buttons);
    showUnits();
}

QLineEdit* AhuDialog::field(QGridLayout* grid, const char* name, Quantity q, bool convert,
                            double value) {
    QWidget* parent = grid->parentWidget();
    auto* label = new QLabel(parent);
    auto* e = new QLineEdit(typedNumber(value, 6), parent);
    e->setMinimumWidth(80);
    const int r = grid->rowCount();
    grid->addWidget(label, r, 0);
    grid->addWidget(e, r, 1, 1, 2);
    fields_.push_back({e, label, name, q, convert});
    return e;
}

void AhuDialog::propertyRow(QGridLayout* grid, design::Given g, QComboBox*& box,
                            QLineEdit*& value) {
    QWidget* parent = grid->parentWidget();
    box = new QComboBox(parent);
    for (Property p : design::kProperties) box->addItem(QString(), static_cast<int>(p));
    box->setCurrentIndex(static_cast<int>(g.kind));
    value = new QLineEdit(typedNumber(g.value, 6), parent);
    value->setMinimumWidth(80);
    const int r = grid->rowCount();
    grid->addWidget(box, r, 0, 1, 2);
    grid->addWidget(value, r, 2);
    propertyFields_.emplace_back(box, value);
}

QGroupBox* AhuDialog::seasonColumn(AhuSeasonFields& s, const ahu::Season& d, const char* title) {
    s.column = new QGroupBox(ui(title), this);
    s.column->setObjectName(title);
    s.column->setCheckable(true);
    s.column->setChecked(d.on);
    auto* v = new QVBoxLayout(s.column);
    const auto group = [&](const char* caption, QGridLayout*& grid) {
        auto* g = new QGroupBox(ui(caption), s.column);
        grid = new QGridLayout(g);
        v->addWidget(g);
        return g;
    };
    QGridLayout* grid;

    group(QT_TRANSLATE_NOOP("AhuDialog", "外気"), grid);
    propertyRow(grid, d.outdoor1, s.outdoor1, s.outdoor1Value);
    propertyRow(grid, d.outdoor2, s.outdoor2, s.outdoor2Value);
    s.outdoorBy = choice(
        grid->parentWidget(),
        {QT_TRANSLATE_NOOP("AhuDialog", "外気量で"), QT_TRANSLATE_NOOP("AhuDialog", "外気率で")},
        d.outdoorBy == ahu::OutdoorBy::Flow ? 0 : 1);
    grid->addWidget(s.outdoorBy, grid->rowCount(), 0, 1, 3);
    s.outdoorFlow = field(grid, QT_TRANSLATE_NOOP("AhuDialog", "外気量 [%1]"), Quantity::AirFlow,
                          true, d.outdoorFlow);
    s.outdoorFraction = field(grid, QT_TRANSLATE_NOOP("AhuDialog", "外気率 [%]"),
                              Quantity::RelativeHumidity, false, d.outdoorFraction * 100);
    enableBy(s.outdoorBy, {{s.outdoorFlow}, {s.outdoorFraction}});

    group(QT_TRANSLATE_NOOP("AhuDialog", "室内と負荷"), grid);
    propertyRow(grid, d.room1, s.room1, s.room1Value);
    propertyRow(grid, d.room2, s.room2, s.room2Value);
    s.sensible = field(grid, QT_TRANSLATE_NOOP("AhuDialog", "顕熱負荷 [%1]"), Quantity::Load, true,
                       d.sensibleLoad);
    s.latent = field(grid, QT_TRANSLATE_NOOP("AhuDialog", "潜熱負荷 [%1]"), Quantity::Load, true,
                     d.latentLoad);

    group(QT_TRANSLATE_NOOP("AhuDialog", "給気"), grid);
    s.supplyBy = choice(grid->parentWidget(),
                        {QT_TRANSLATE_NOOP("AhuDialog", "給気量で"),
                         QT_TRANSLATE_NOOP("AhuDialog", "吹出し温度差で")},
                        d.supplyBy == ahu::SupplyBy::Flow ? 0 : 1);
    grid->addWidget(s.supplyBy, 0, 0, 1, 3);
    s.supplyFlow = field(grid, QT_TRANSLATE_NOOP("AhuDialog", "給気量 [%1]"), Quantity::AirFlow,
                         true, d.supplyFlow);
    s.supplyDifference = field(grid, QT_TRANSLATE_NOOP("AhuDialog", "吹出し温度差 [%1]"),
                               Quantity::TemperatureDifference, true, d.supplyDifference);
    enableBy(s.supplyBy, {{s.supplyFlow}, {s.supplyDifference}});

    s.recovery = part(QT_TRANSLATE_NOOP("AhuDialog", "熱交換器"), d.recovery.on, s.column, grid);
    v->addWidget(s.recovery);
    s.recoveryKind = choice(s.recovery,
                            {QT_TRANSLATE_NOOP("AhuDialog", "顕熱交換器"),
                             QT_TRANSLATE_NOOP("AhuDialog", "全熱交換器")},
                            d.recovery.kind == ahu::RecoveryKind::Sensible ? 0 : 1);
    grid->addWidget(s.recoveryKind, 0, 0, 1, 3);
    s.et = field(grid, QT_TRANSLATE_NOOP("AhuDialog", "温度効率 εt"), Quantity::RelativeHumidity,
                 false, d.recovery.temperatureEffectiveness);
    s.eh = field(grid, QT_TRANSLATE_NOOP("AhuDialog", "エンタルピ効率 εh"),
                 Quantity::RelativeHumidity, false, d.recovery.enthalpyEffectiveness);
    enableBy(s.recoveryKind, {{}, {s.eh}});

    s.mixing = part(QT_TRANSLATE_NOOP("AhuDialog", "還気との混合"), d.mixing.on, s.column, grid);
    v->addWidget(s.mixing);
    grid->addWidget(new QLabel(ui(QT_TRANSLATE_NOOP("AhuDialog", "還気は室内の状態")), s.mixing), 0,
                    0);

    s.preheat = part(QT_TRANSLATE_NOOP("AhuDialog", "予熱"), d.preheat.on, s.column, grid);
    v->addWidget(s.preheat);
    s.preheatDB = field(grid, QT_TRANSLATE_NOOP("AhuDialog", "出口乾球温度 [%1]"),
                        Quantity::Temperature, true, d.preheat.DB);

    s.coil = part(QT_TRANSLATE_NOOP("AhuDialog", "冷却コイル"), d.coil.on, s.column, grid);
    v->addWidget(s.coil);
    s.coilMode = choice(s.coil,
                        {QT_TRANSLATE_NOOP("AhuDialog", "出口の2つの状態値"),
                         QT_TRANSLATE_NOOP("AhuDialog", "装置露点とバイパスファクタ"),
                         QT_TRANSLATE_NOOP("AhuDialog", "出口乾球温度と相対湿度")},
                        static_cast<int>(d.coil.mode));
    grid->addWidget(s.coilMode, 0, 0, 1, 3);
    propertyRow(grid, d.coil.first, s.coil1, s.coil1Value);
    propertyRow(grid, d.coil.second, s.coil2, s.coil2Value);
    s.adp = field(grid, QT_TRANSLATE_NOOP("AhuDialog", "装置露点 ADP [%1]"), Quantity::Temperature,
                  true, d.coil.adp);
    s.bf = field(grid, QT_TRANSLATE_NOOP("AhuDialog", "バイパスファクタ BF"),
                 Quantity::RelativeHumidity, false, d.coil.bf);
    s.coilDB = field(grid, QT_TRANSLATE_NOOP("AhuDialog", "出口乾球温度 [%1]"),
                     Quantity::Temperature, true, d.coil.DB);
    s.coilRH = field(grid, QT_TRANSLATE_NOOP("AhuDialog", "出口相対湿度 [%]"),
                     Quantity::RelativeHumidity, false, d.coil.RH);
    enableBy(s.coilMode,
             {{s.coil1, s.coil1Value, s.coil2, s.coil2Value}, {s.adp, s.bf}, {s.coilDB, s.coilRH}});

    s.reheat =
        part(QT_TRANSLATE_NOOP("AhuDialog", "再熱（給気温度まで）"), d.reheat.on, s.column, grid);
    v->addWidget(s.reheat);
    grid->addWidget(
        new QLabel(ui(QT_TRANSLATE_NOOP("AhuDialog", "送風機の昇温を除いて給気温度まで")),
                   s.reheat),
        0, 0);

    s.humidifier = part(QT_TRANSLATE_NOOP("AhuDialog", "加湿器（給気の絶対湿度まで）"),
                        d.humidifier.on, s.column, grid);
    v->addWidget(s.humidifier);
    s.humidifierKind =
        choice(s.humidifier,
               {QT_TRANSLATE_NOOP("AhuDialog", "蒸気"), QT_TRANSLATE_NOOP("AhuDialog", "水噴霧"),
                QT_TRANSLATE_NOOP("AhuDialog", "気化式")},
               static_cast<int>(d.humidifier.kind));
    grid->addWidget(s.humidifierKind, 0, 0, 1, 3);
    s.efficiency = field(grid, QT_TRANSLATE_NOOP("AhuDialog", "飽和効率 η"),
                         Quantity::RelativeHumidity, false, d.humidifier.efficiency);
    enableBy(s.humidifierKind, {{}, {}, {s.efficiency}});

    s.fan = part(QT_TRANSLATE_NOOP("AhuDialog", "送風機"), d.fan.on, s.column, grid);
    v->addWidget(s.fan);
    s.fanMode = choice(
        s.fan, {QT_TRANSLATE_NOOP("AhuDialog", "昇温で"), QT_TRANSLATE_NOOP("AhuDialog", "動力で")},
        d.fan.mode == ahu::FanMode::Rise ? 0 : 1);
    grid->addWidget(s.fanMode, 0, 0, 1, 3);
    s.fanRise = field(grid, QT_TRANSLATE_NOOP("AhuDialog", "昇温 [%1]"),
                      Quantity::TemperatureDifference, true, d.fan.rise);
    s.fanPower = field(grid, QT_TRANSLATE_NOOP("AhuDialog", "動力 [kW]"),
                       Quantity::RelativeHumidity, false, d.fan.powerKW);
    enableBy(s.fanMode, {{s.fanRise}, {s.fanPower}});
    v->addStretch();
    return s.column;
}

void AhuDialog::showUnits() {
    const UnitSystem u = host_.designUnits();
    for (const Field& f : fields_)
        f.label->setText(
            f.convert ? ui(f.name).arg(QString::fromStdString(units::unitText(f.quantity, u)))
                      : ui(f.name));
    for (const auto& [box, value] : propertyFields_)
        for (int i = 0; i < box->count(); ++i)
            box->setItemText(i,
                             propertyCaption(static_cast<Property>(box->itemData(i).toInt()), u));
}

void AhuDialog::showSeason(AhuSeasonFields& f, const ahu::Season& s) {
    const auto put = [](QLineEdit* e, double v) { e->setText(typedNumber(v, 6)); };
    const auto putGiven = [&](QComboBox* c, QLineEdit* e, design::Given g) {
        c->setCurrentIndex(c->findData(static_cast<int>(g.kind)));
        put(e, g.value);
    };
    f.column->setChecked(s.on);
    putGiven(f.outdoor1, f.outdoor1Value, s.outdoor1);
    putGiven(f.outdoor2, f.outdoor2Value, s.outdoor2);
    f.outdoorBy->setCurrentIndex(s.outdoorBy == ahu::OutdoorBy::Flow ? 0 : 1);
    put(f.outdoorFlow, s.outdoorFlow);
    put(f.outdoorFraction, s.outdoorFraction * 100);
    putGiven(f.room1, f.room1Value, s.room1);
    putGiven(f.room2, f.room2Value, s.room2);
    put(f.sensible, s.sensibleLoad);
    put(f.latent, s.latentLoad);
    f.supplyBy->setCurrentIndex(s.supplyBy == ahu::SupplyBy::Flow ? 0 : 1);
    put(f.supplyFlow, s.supplyFlow);
    put(f.supplyDifference, s.supplyDifference);
    f.recovery->setChecked(s.recovery.on);
    f.recoveryKind->setCurrentIndex(s.recovery.kind == ahu::RecoveryKind::Sensible ? 0 : 1);
    put(f.et, s.recovery.temperatureEffectiveness);
    put(f.eh, s.recovery.enthalpyEffectiveness);
    f.mixing->setChecked(s.mixing.on);
    f.preheat->setChecked(s.preheat.on);
    put(f.preheatDB, s.preheat.DB);
    f.coil->setChecked(s.coil.on);
    f.coilMode->setCurrentIndex(static_cast<int>(s.coil.mode));
    putGiven(f.coil1, f.coil1Value, s.coil.first);
    putGiven(f.coil2, f.coil2Value, s.coil.second);
    put(f.adp, s.coil.adp);
    put(f.bf, s.coil.bf);
    put(f.coilDB, s.coil.DB);
    put(f.coilRH, s.coil.RH);
    f.reheat->setChecked(s.reheat.on);
    f.humidifier->setChecked(s.humidifier.on);
    f.humidifierKind->setCurrentIndex(static_cast<int>(s.humidifier.kind));
    put(f.efficiency, s.humidifier.efficiency);
    f.fan->setChecked(s.fan.on);
    f.fanMode->setCurrentIndex(s.fan.mode == ahu::FanMode::Rise ? 0 : 1);
    put(f.fanRise, s.fan.rise);
    put(f.fanPower, s.fan.powerKW);
}

void AhuDialog::showUnit(const ahu::Unit& u) {
    // The unit keeps engineering units: written so, then shown in the chart's.
    showSeason(summer, u.summer);
    showSeason(winter, u.winter);
    typedIn_ = UnitSystem::Engineering;
    prepare();
}

void AhuDialog::prepare() {
    const UnitSystem u = host_.designUnits();
    for (const Field& f : fields_)
        if (f.convert) reexpress(f.edit, f.quantity, typedIn_, u);
    for (const auto& [box, value] : propertyFields_)
        reexpress(value, design::quantityOf(propertyOf(box)), typedIn_, u);
    typedIn_ = u;
    showUnits();
}

void AhuDialog::refuse(const QString& why) {
    host_.designPrompts().tell(windowTitle().toStdString(), why.toStdString(), PromptIcon::Warning);
}

// Why a field's text cannot be taken, naming the season and the field.
bool AhuDialog::number(const AhuSeasonFields& f, QLineEdit* e, double& out) {
    const auto it =
        std::find_if(fields_.begin(), fields_.end(), [e](const Field& x) { return x.edit == e; });
    const auto v = typedValue(e->text());
    if (!v) {
        QString caption = it->label->text();
        refuse(QCoreApplication::translate("Design", "%1: 数値ではありません: '%2'")
                   .arg(f.column->title() + " " + caption, e->text()));
        e->setFocus();
        return false;
    }
    out = it->convert ? units::stored(it->quantity, *v, host_.designUnits()) : *v;
    return true;
}

bool AhuDialog::given(const AhuSeasonFields& f, QComboBox* c, QLineEdit* e, design::Given& out) {
    const auto v = typedValue(e->text());
    if (!v) {
        refuse(QCoreApplication::translate("Design", "%1: 数値ではありません: '%2'")
                   .arg(f.column->title() + " " + c->currentText(), e->text()));
        e->setFocus();
        return false;
    }
    const Property p = propertyOf(c);
    out = {p, design::storedValue(p, *v, host_.designUnits())};
    return true;
}

bool AhuDialog::readSeason(const AhuSeasonFields& f, ahu::Season& s) {
    s.on = f.column->isChecked();
    if (!s.on) return true;
    double fraction = 0;
    if (!given(f, f.outdoor1, f.outdoor1Value, s.outdoor1) ||
        !given(f, f.outdoor2, f.outdoor2Value, s.outdoor2))
        return false;
    s.outdoorBy =
        f.outdoorBy->currentIndex() == 0 ? ahu::OutdoorBy::Flow : ahu::OutdoorBy::Fraction;
    if (!(s.outdoorBy == ahu::OutdoorBy::Flow ? number(f, f.outdoorFlow, s.outdoorFlow)
                                              : number(f, f.outdoorFraction, fraction)))
        return false;
    s.outdoorFraction = fraction / 100;
    if (!given(f, f.room1, f.room1Value, s.room1) || !given(f, f.room2, f.room2Value, s.room2) ||
        !number(f, f.sensible, s.sensibleLoad) || !number(f, f.latent, s.latentLoad))
        return false;
    s.supplyBy = f.supplyBy->currentIndex() == 0 ? ahu::SupplyBy::Flow
                                                 : ahu::SupplyBy::TemperatureDifference;
    if (!(s.supplyBy == ahu::SupplyBy::Flow ? number(f, f.supplyFlow, s.supplyFlow)
                                            : number(f, f.supplyDifference, s.supplyDifference)))
        return false;
    s.recovery.on = f.recovery->isChecked();
    s.recovery.kind = f.recoveryKind->currentIndex() == 0 ? ahu::RecoveryKind::Sensible
                                                          : ahu::RecoveryKind::Total;
    if (s.recovery.on && (!number(f, f.et, s.recovery.temperatureEffectiveness) ||
                          (s.recovery.kind == ahu::RecoveryKind::Total &&
                           !number(f, f.eh, s.recovery.enthalpyEffectiveness))))
        return false;
    s.mixing.on = f.mixing->isChecked();
    s.preheat.on = f.preheat->isChecked();
    if (s.preheat.on && !number(f, f.preheatDB, s.preheat.DB)) return false;
    s.coil.on = f.coil->isChecked();
    s.coil.mode = static_cast<ahu::CoilMode>(f.coilMode->currentIndex());
    if (s.coil.on) {
        switch (s.coil.mode) {
            case ahu::CoilMode::Leaving:
                if (!given(f, f.coil1, f.coil1Value, s.coil.first) ||
                    !given(f, f.coil2, f.coil2Value, s.coil.second))
                    return false;
                break;
            case ahu::CoilMode::AdpBf:
                if (!number(f, f.adp, s.coil.adp) || !number(f, f.bf, s.coil.bf)) return false;
                break;
            case ahu::CoilMode::DbAtRh:
                if (!number(f, f.coilDB, s.coil.DB) || !number(f, f.coilRH, s.coil.RH))
                    return false;
                break;
        }
    }
    s.reheat.on = f.reheat->isChecked();
    s.humidifier.on = f.humidifier->isChecked();
    s.humidifier.kind = static_cast<ahu::HumidifierKind>(f.humidifierKind->currentIndex());
    if (s.humidifier.on && s.humidifier.kind == ahu::HumidifierKind::Vaporising &&
        !number(f, f.efficiency, s.humidifier.efficiency))
        return false;
    s.fan.on = f.fan->isChecked();
    s.fan.mode = f.fanMode->currentIndex() == 0 ? ahu::FanMode::Rise : ahu::FanMode::Power;
    if (s.fan.on && !(s.fan.mode == ahu::FanMode::Rise ? number(f, f.fanRise, s.fan.rise)
                                                       : number(f, f.fanPower, s.fan.powerKW)))
        return false;
    return true;
}

std::optional<ahu::Unit> AhuDialog::unit() {
    ahu::Unit u;
    u.basis = host_.currentDesign().basis;
    if (!readSeason(summer, u.summer) || !readSeason(winter, u.winter)) return std::nullopt;
    return u;
}

bool AhuDialog::run(bool draw) {
    const std::optional<ahu::Unit> u = unit();
    if (!u) return false;
    if (!u->summer.on && !u->winter.on) {
        refuse(ui(QT_TRANSLATE_NOOP("AhuDialog", "夏期か冬期のどちらかを選んでください。")));
        return false;
    }
    const ahu::UnitResult r = ahu::computeUnit(host_.designAir(), *u);
    if (!r.status.ok()) {
        refuse(QString::fromStdString(r.status.error()));
        return false;
    }
    if (!report_) report_ = new AhuReportWindow(prompts_, parentWidget() ? parentWidget() : this);
    report_->showReport(r, host_.designUnits());
    if (!draw) return true;
    host_.takeUnit(*u);
    accept();
    return true;
}

}  // namespace humidraw::app
