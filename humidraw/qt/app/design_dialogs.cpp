#include "app/design_dialogs.h"

#include <QCoreApplication>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>

#include "design/design_edit.h"
#include "text/number_format.h"

namespace humidraw::app {
namespace {

using design::ProcessKind;
using design::Property;
using design::UnitSystem;
using units::Quantity;

QString ui(const char* source) {
    return QCoreApplication::translate("Design", source);
}

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

// The names of the kinds as the selector shows them, in the order of ProcessKind.
const char* const kKindNames[design::kProcessKindCount] = {
    QT_TRANSLATE_NOOP("Design", "直線"),
    QT_TRANSLATE_NOOP("Design", "顕熱変化（加熱・冷却）"),
    QT_TRANSLATE_NOOP("Design", "冷却除湿コイル"),
    QT_TRANSLATE_NOOP("Design", "蒸気加湿"),
    QT_TRANSLATE_NOOP("Design", "水噴霧加湿"),
    QT_TRANSLATE_NOOP("Design", "混合"),
    QT_TRANSLATE_NOOP("Design", "吹出し状態"),
    QT_TRANSLATE_NOOP("Design", "SHF線"),
};

const char* const kPropertyNames[design::kPropertyCount] = {
    QT_TRANSLATE_NOOP("Design", "乾球温度 DB"), QT_TRANSLATE_NOOP("Design", "湿球温度 WB"),
    QT_TRANSLATE_NOOP("Design", "露点温度 DP"), QT_TRANSLATE_NOOP("Design", "相対湿度 RH"),
    QT_TRANSLATE_NOOP("Design", "絶対湿度 x"),  QT_TRANSLATE_NOOP("Design", "比エンタルピ h"),
    QT_TRANSLATE_NOOP("Design", "比容積 SV"),
};

// The seven properties in a selector, each item's data its Property.
QComboBox* propertyBox(QWidget* parent, Property initial) {
    auto* c = new QComboBox(parent);
    for (Property p : design::kProperties) c->addItem(QString(), static_cast<int>(p));
    c->setCurrentIndex(static_cast<int>(initial));
    return c;
}

// The items of a property selector captioned in the units `u`.
void captionProperties(QComboBox* c, UnitSystem u) {
    for (int i = 0; i < c->count(); ++i)
        c->setItemText(i, propertyCaption(static_cast<Property>(c->itemData(i).toInt()), u));
}

Property propertyOf(const QComboBox* c) {
    return static_cast<Property>(c->currentData().toInt());
}

QLineEdit* valueEdit(QWidget* parent, const QString& text = {}) {
    auto* e = new QLineEdit(text, parent);
    e->setMinimumWidth(90);
    return e;
}

// Why a field's text cannot be taken, naming the field.
QString notANumber(const QString& field, const QString& text) {
    return ui(QT_TRANSLATE_NOOP("Design", "%1: 数値ではありません: '%2'")).arg(field, text);
}

// The caption of a field in a form, without its access key marker and colon.
QString fieldName(const QString& caption) {
    QString s = caption;
    s.remove('&');
    if (s.endsWith(QStringLiteral("：")) || s.endsWith(':')) s.chop(1);
    return s.trimmed();
}

}  // namespace

// A number as a field is filled with: to at most `decimals`, without trailing zeros.
QString typedNumber(double v, int decimals) {
    QString s = q(formatFixed(v, decimals));
    if (s.contains('.')) {
        while (s.endsWith('0')) s.chop(1);
        if (s.endsWith('.')) s.chop(1);
    }
    return s == "-0" ? QStringLiteral("0") : s;
}

// A field's value of `q` typed in the units `from`, written again in `to`: 26 °C as 78.8 °F,
// to one decimal more than the tables show. A text that is no number, or a unit the same in
// both, stays as typed.
void reexpress(QLineEdit* e, Quantity q, UnitSystem from, UnitSystem to) {
    if (units::unitText(q, from) == units::unitText(q, to)) return;
    const auto v = typedValue(e->text());
    if (!v) return;
    e->setText(
        typedNumber(units::shown(q, units::stored(q, *v, from), to), shownDecimals(q, to) + 1));
}


std::optional<double> typedValue(const QString& text) {
    return parseTypedDecimal(text.trimmed().toStdString());
}

QString propertyCaption(Property p, UnitSystem u) {
    return ui(kPropertyNames[static_cast<int>(p)]) + " [" + q(design::propertyUnit(p, u)) + "]";
}

int shownDecimals(Quantity q, UnitSystem u) {
    const bool si = u == UnitSystem::SI, ip = u == UnitSystem::IP;
    switch (q) {
        case Quantity::Temperature:
        case Quantity::TemperatureDifference:
        case Quantity::RelativeHumidity:
            return 1;
        case Quantity::HumidityRatio:
            return ip ? 1 : 4;
        case Quantity::Enthalpy:
        case Quantity::EnthalpyDifference:
        case Quantity::MoistureRatio:
            return 2;
        case Quantity::Volume:
            return ip ? 2 : 3;
        case Quantity::Density:
            return ip ? 4 : 3;  // lb/ft³ near 0.075
        case Quantity::Pressure:
            return ip ? 4 : si ? 3 : 2;
        case Quantity::Load:
            return si ? 2 : 0;
        case Quantity::AirFlow:
            return 2;
        case Quantity::MassFlow:
            return 1;
        case Quantity::Length:
            return 0;
    }
    return 2;
}

QString unitCaption(const char* fixed, const char* withUnit, Quantity quantity, UnitSystem u) {
    const std::string unit = units::unitText(quantity, u);
    if (unit == units::unitText(quantity, UnitSystem::Engineering)) return ui(fixed);
    return ui(withUnit).arg(q(unit));
}

// ---- the point dialog ------------------------------------------------------------------------

DesignPointDialog::DesignPointDialog(DesignHost& host, QWidget* parent)
    : QDialog(parent), host_(host) {
    setObjectName("DesignPointDialog");
    setWindowTitle(ui(QT_TRANSLATE_NOOP("Design", "状態点の入力")));
    setModal(true);
    name = new QLineEdit(this);
    name->setObjectName("name");
    first = propertyBox(this, Property::DB);
    first->setObjectName("first");
    second = propertyBox(this, Property::RH);
    second->setObjectName("second");
    firstValue = valueEdit(this, "26");
    firstValue->setObjectName("firstValue");
    secondValue = valueEdit(this, "50");
    secondValue->setObjectName("secondValue");
    auto* grid = new QGridLayout;
    auto* nameLabel = new QLabel(ui(QT_TRANSLATE_NOOP("Design", "名前(&N)：")), this);
    nameLabel->setBuddy(name);
    grid->addWidget(nameLabel, 0, 0);
    grid->addWidget(name, 0, 1);
    grid->addWidget(first, 1, 0);
    grid->addWidget(firstValue, 1, 1);
    grid->addWidget(second, 2, 0);
    grid->addWidget(secondValue, 2, 1);
    buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* all = new QVBoxLayout(this);
    all->addLayout(grid);
    all->addWidget(new QLabel(
        ui(QT_TRANSLATE_NOOP("Design", "色・幅・線種はツールバーで選んだものになります。")),
        this));
    all->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { confirm(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    setTabOrder(name, first);
    setTabOrder(first, firstValue);
    setTabOrder(firstValue, second);
    setTabOrder(second, secondValue);
}

void DesignPointDialog::prepare() {
    const UnitSystem u = host_.designUnits();
    name->setText(q(design::freePointName(host_.currentDesign())));
    captionProperties(first, u);
    captionProperties(second, u);
    reexpress(firstValue, design::quantityOf(propertyOf(first)), typedIn_, u);
    reexpress(secondValue, design::quantityOf(propertyOf(second)), typedIn_, u);
    typedIn_ = u;
    name->selectAll();
    name->setFocus();
}

void DesignPointDialog::refuse(const QString& why) {
    host_.designPrompts().tell(windowTitle().toStdString(), why.toStdString(),
                               PromptIcon::Warning);
}

bool DesignPointDialog::confirm() {
    const UnitSystem u = host_.designUnits();
    design::Point p;
    p.name = name->text().trimmed().toStdString();
    p.look = host_.designLook();
    const std::pair<QComboBox*, QLineEdit*> fields[] = {{first, firstValue},
                                                        {second, secondValue}};
    design::Given* given[] = {&p.first, &p.second};
    for (int i = 0; i < 2; ++i) {
        const auto v = typedValue(fields[i].second->text());
        if (!v) {
            refuse(notANumber(fields[i].first->currentText(), fields[i].second->text()));
            fields[i].second->setFocus();
            return false;
        }
        const Property k = propertyOf(fields[i].first);
        *given[i] = {k, design::storedValue(k, *v, u)};
    }
    auto d = design::withPoint(host_.designAir(), host_.currentDesign(), p);
    if (!d) {
        refuse(q(d.error()));
        return false;
    }
    host_.takeDesign(std::move(*d));
    accept();
    return true;
}

// ---- the process dialog ----------------------------------------------------------------------

namespace {

// The pages of the parameters, in the order of ProcessKind.
QWidget* page(QStackedWidget* stack) {
    auto* w = new QWidget(stack);
    stack->addWidget(w);
    return w;
}

QFormLayout* form(QWidget* w) {
    auto* f = new QFormLayout(w);
    f->setContentsMargins(0, 0, 0, 0);
    return f;
}

}  // namespace

DesignProcessDialog::DesignProcessDialog(DesignHost& host, QWidget* parent)
    : QDialog(parent), host_(host) {
    setObjectName("DesignProcessDialog");
    setWindowTitle(ui(QT_TRANSLATE_NOOP("Design", "状態変化の追加")));
    setModal(true);
    kindBox = new QComboBox(this);
    kindBox->setObjectName("kind");
    for (const char* k : kKindNames) kindBox->addItem(ui(k));
    from = new QComboBox(this);
    from->setObjectName("from");
    streams = new QTableWidget(0, 2, this);
    streams->setObjectName("streams");
    streams->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    streams->verticalHeader()->hide();
    streams->setMinimumHeight(110);
    addStream = new QPushButton(ui(QT_TRANSLATE_NOOP("Design", "流れを追加(&A)")), this);
    addStream->setObjectName("addStream");
    removeStream = new QPushButton(ui(QT_TRANSLATE_NOOP("Design", "流れを削除(&R)")), this);
    removeStream->setObjectName("removeStream");
    streamRow_ = new QWidget(this);
    auto* streamButtons = new QHBoxLayout(streamRow_);
    streamButtons->setContentsMargins(0, 0, 0, 0);
    streamButtons->addWidget(addStream);
    streamButtons->addWidget(removeStream);
    streamButtons->addStretch();
    toName = new QLineEdit(this);
    toName->setObjectName("toName");
    toPoint = new QComboBox(this);
    toPoint->setObjectName("toPoint");
    flow = valueEdit(this);
    flow->setObjectName("flow");
    flow->setPlaceholderText(ui(QT_TRANSLATE_NOOP("Design", "空欄: 負荷を求めない")));

    parameters = new QStackedWidget(this);
    parameters->setObjectName("parameters");
    // Line: nothing more.
    page(parameters);
    {  // Sensible
        QFormLayout* f = form(page(parameters));
        sensibleBy = new QComboBox(parameters);
        sensibleBy->setObjectName("sensibleBy");
        sensibleBy->addItems({QString(), QString()});
        sensibleValue = valueEdit(parameters);
        sensibleValue->setObjectName("sensibleValue");
        f->addRow(sensibleBy, sensibleValue);
    }
    {  // Coil
        QFormLayout* f = form(page(parameters));
        coilBy = new QComboBox(parameters);
        coilBy->setObjectName("coilBy");
        coilBy->addItems({ui(QT_TRANSLATE_NOOP("Design", "出口状態の2つの値")),
                          ui(QT_TRANSLATE_NOOP("Design", "装置露点 ADP とバイパスファクタ BF"))});
        f->addRow(coilBy);
        coilFirst = propertyBox(parameters, Property::DB);
        coilFirst->setObjectName("coilFirst");
        coilSecond = propertyBox(parameters, Property::RH);
        coilSecond->setObjectName("coilSecond");
        coilFirstValue = valueEdit(parameters, "15");
        coilFirstValue->setObjectName("coilFirstValue");
        coilSecondValue = valueEdit(parameters, "95");
        coilSecondValue->setObjectName("coilSecondValue");
        f->addRow(coilFirst, coilFirstValue);
        f->addRow(coilSecond, coilSecondValue);
        adp = valueEdit(parameters, "12");
        adp->setObjectName("adp");
        bf = valueEdit(parameters, "0.15");
        bf->setObjectName("bf");
        adpLabel_ = new QLabel(parameters);
        f->addRow(adpLabel_, adp);
        f->addRow(ui(QT_TRANSLATE_NOOP("Design", "BF [0〜1]：")), bf);
        connect(coilBy, &QComboBox::currentIndexChanged, this, [this] { showPageFields(); });
    }
    {  // Steam
        QFormLayout* f = form(page(parameters));
        steamBy = new QComboBox(parameters);
        steamBy->setObjectName("steamBy");
        steamBy->addItem(QString(), static_cast<int>(Property::X));
        steamBy->addItem(QString(), static_cast<int>(Property::RH));
        steamValue = valueEdit(parameters);
        steamValue->setObjectName("steamValue");
        f->addRow(steamBy, steamValue);
    }
    {  // Spray
        QFormLayout* f = form(page(parameters));
        sprayBy = new QComboBox(parameters);
        sprayBy->setObjectName("sprayBy");
        sprayBy->addItem(QString(), static_cast<int>(Property::X));
        sprayBy->addItem(QString(), static_cast<int>(Property::RH));
        sprayBy->addItem(ui(QT_TRANSLATE_NOOP("Design", "飽和効率 [0〜1]")), -1);
        sprayValue = valueEdit(parameters);
        sprayValue->setObjectName("sprayValue");
        f->addRow(sprayBy, sprayValue);
    }
    // Mixing: the streams above.
    page(parameters);
    {  // Supply
        QFormLayout* f = form(page(parameters));
        supplySensible = valueEdit(parameters);
        supplySensible->setObjectName("supplySensible");
        supplyLatent = valueEdit(parameters);
        supplyLatent->setObjectName("supplyLatent");
        auto* s = new QLabel(parameters);
        auto* l = new QLabel(parameters);
        loadCaptions_.push_back({s, QT_TRANSLATE_NOOP("Design", "室内顕熱負荷 [%1]：")});
        loadCaptions_.push_back({l, QT_TRANSLATE_NOOP("Design", "室内潜熱負荷 [%1]：")});
        f->addRow(s, supplySensible);
        f->addRow(l, supplyLatent);
    }
    {  // Shf
        QFormLayout* f = form(page(parameters));
        shfBy = new QComboBox(parameters);
        shfBy->setObjectName("shfBy");
        shfBy->addItems({ui(QT_TRANSLATE_NOOP("Design", "顕熱比 SHF")),
                         ui(QT_TRANSLATE_NOOP("Design", "室内の顕熱負荷と潜熱負荷"))});
        f->addRow(shfBy);
        shfValue = valueEdit(parameters, "0.8");
        shfValue->setObjectName("shfValue");
        f->addRow(ui(QT_TRANSLATE_NOOP("Design", "SHF [0〜1]：")), shfValue);
        shfSensible = valueEdit(parameters);
        shfSensible->setObjectName("shfSensible");
        shfLatent = valueEdit(parameters);
        shfLatent->setObjectName("shfLatent");
        auto* s = new QLabel(parameters);
        auto* l = new QLabel(parameters);
        loadCaptions_.push_back({s, QT_TRANSLATE_NOOP("Design", "室内顕熱負荷 [%1]：")});
        loadCaptions_.push_back({l, QT_TRANSLATE_NOOP("Design", "室内潜熱負荷 [%1]：")});
        f->addRow(s, shfSensible);
        f->addRow(l, shfLatent);
        connect(shfBy, &QComboBox::currentIndexChanged, this, [this] { showPageFields(); });
    }

    standardAir = new QCheckBox(this);
    standardAir->setObjectName("standardAir");
    loadLabel = new QCheckBox(ui(QT_TRANSLATE_NOOP("Design", "負荷を線の横に書く(&L)")), this);
    loadLabel->setObjectName("loadLabel");

    auto* f = new QFormLayout;
    f->addRow(ui(QT_TRANSLATE_NOOP("Design", "種類(&K)：")), kindBox);
    fromLabel_ = new QLabel(this);
    f->addRow(fromLabel_, from);
    streamsLabel_ = new QLabel(ui(QT_TRANSLATE_NOOP("Design", "混合する流れ：")), this);
    f->addRow(streamsLabel_, streams);
    f->addRow(QString(), streamRow_);
    toLabel_ = new QLabel(ui(QT_TRANSLATE_NOOP("Design", "出口の状態点(&T)：")), this);
    auto* toRow = new QHBoxLayout;
    toRow->addWidget(toName);
    toRow->addWidget(toPoint);
    f->addRow(toLabel_, toRow);
    flowLabel_ = new QLabel(this);
    flowLabel_->setBuddy(flow);
    f->addRow(flowLabel_, flow);
    f->addRow(parameters);
    f->addRow(standardAir);
    f->addRow(new QLabel(
        ui(QT_TRANSLATE_NOOP("Design", "（標準空気の指定は設計のすべての状態変化に適用されます）")),
        this));
    f->addRow(loadLabel);
    buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* all = new QVBoxLayout(this);
    all->addLayout(f);
    all->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { confirm(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(kindBox, &QComboBox::currentIndexChanged, this, [this](int i) {
        parameters->setCurrentIndex(i);
        showPageFields();
    });
    connect(addStream, &QPushButton::clicked, this,
            [this] { setStreamCount(streams->rowCount() + 1); });
    connect(removeStream, &QPushButton::clicked, this,
            [this] { setStreamCount(streams->rowCount() - 1); });
    for (QComboBox* c : {sensibleBy, steamBy, sprayBy})
        connect(c, &QComboBox::currentIndexChanged, this, [this] { showPageFields(); });
    setStreamCount(2);
    setKind(ProcessKind::Sensible);
    showUnits();
}

QStringList DesignProcessDialog::pointNames() const {
    QStringList names;
    for (const design::PointState& p : host_.currentDesignResult().points) names << q(p.name);
    return names;
}

QComboBox* DesignProcessDialog::pointSelector(QWidget* parent) const {
    auto* c = new QComboBox(parent);
    c->addItems(pointNames());
    return c;
}

void DesignProcessDialog::setStreamCount(int count) {
    count = std::clamp(count, 2, static_cast<int>(design::kMostStreams));
    const int before = streams->rowCount();
    streams->setRowCount(count);
    for (int r = before; r < count; ++r) {
        QComboBox* c = pointSelector(streams);
        c->setCurrentIndex(std::min(r, c->count() - 1));
        streams->setCellWidget(r, 0, c);
        streams->setCellWidget(r, 1, valueEdit(streams));
    }
    addStream->setEnabled(count < static_cast<int>(design::kMostStreams));
    removeStream->setEnabled(count > 2);
}

void DesignProcessDialog::setKind(ProcessKind k) {
    kindBox->setCurrentIndex(static_cast<int>(k));
    parameters->setCurrentIndex(static_cast<int>(k));
    showPageFields();
}

ProcessKind DesignProcessDialog::kind() const {
    return static_cast<ProcessKind>(std::max(0, kindBox->currentIndex()));
}

void DesignProcessDialog::showPageFields() {
    const ProcessKind k = kind();
    const bool mixing = k == ProcessKind::Mixing;
    const bool room = k == ProcessKind::Supply || k == ProcessKind::Shf;
    fromLabel_->setText(room ? ui(QT_TRANSLATE_NOOP("Design", "室内の状態点(&R)："))
                             : ui(QT_TRANSLATE_NOOP("Design", "入口の状態点(&I)：")));
    fromLabel_->setBuddy(from);
    for (QWidget* w : std::initializer_list<QWidget*>{fromLabel_, from})
        w->setVisible(!mixing);
    for (QWidget* w : std::initializer_list<QWidget*>{streamsLabel_, streams, streamRow_})
        w->setVisible(mixing);
    toLabel_->setVisible(k != ProcessKind::Shf);
    toName->setVisible(k != ProcessKind::Line && k != ProcessKind::Shf);
    toPoint->setVisible(k == ProcessKind::Line);
    toLabel_->setBuddy(k == ProcessKind::Line ? static_cast<QWidget*>(toPoint) : toName);
    // A mixing's flows are its streams'; an SHF line carries no air.
    flowLabel_->setVisible(!mixing && k != ProcessKind::Shf);
    flow->setVisible(!mixing && k != ProcessKind::Shf);
    const bool byState = coilBy->currentIndex() == 0;
    for (QWidget* w : std::initializer_list<QWidget*>{coilFirst, coilSecond, coilFirstValue,
                                                      coilSecondValue})
        w->setEnabled(byState);
    for (QWidget* w : std::initializer_list<QWidget*>{adp, bf}) w->setEnabled(!byState);
    const bool byFactor = shfBy->currentIndex() == 0;
    shfValue->setEnabled(byFactor);
    shfSensible->setEnabled(!byFactor);
    shfLatent->setEnabled(!byFactor);
    // The page shown takes its own height, not the tallest page's.
    for (int i = 0; i < parameters->count(); ++i)
        parameters->widget(i)->setSizePolicy(
            i == parameters->currentIndex() ? QSizePolicy::Preferred : QSizePolicy::Ignored,
            i == parameters->currentIndex() ? QSizePolicy::Preferred : QSizePolicy::Ignored);
    parameters->adjustSize();
    if (isVisible()) adjustSize();
}

void DesignProcessDialog::showUnits() {
    const UnitSystem u = host_.designUnits();
    streams->setHorizontalHeaderLabels(
        {ui(QT_TRANSLATE_NOOP("Design", "状態点")),
         unitCaption(QT_TRANSLATE_NOOP("Design", "風量 [m³/h]"),
                     QT_TRANSLATE_NOOP("Design", "風量 [%1]"), Quantity::AirFlow, u)});
    flowLabel_->setText(unitCaption(QT_TRANSLATE_NOOP("Design", "風量 [m³/h](&F)："),
                                    QT_TRANSLATE_NOOP("Design", "風量 [%1](&F)："),
                                    Quantity::AirFlow, u));
    adpLabel_->setText(unitCaption(QT_TRANSLATE_NOOP("Design", "ADP [°C]："),
                                   QT_TRANSLATE_NOOP("Design", "ADP [%1]："), Quantity::Temperature,
                                   u));
    // The standard air's density, as its unit writes it: 1.2 kg/m³, 0.0749 lb/ft³.
    if (units::unitText(Quantity::Density, u) ==
        units::unitText(Quantity::Density, UnitSystem::Engineering))
        standardAir->setText(
            ui(QT_TRANSLATE_NOOP("Design", "標準空気（1.2 kg/m³）で風量を質量流量にする(&S)")));
    else
        standardAir->setText(
            ui(QT_TRANSLATE_NOOP("Design", "標準空気（%1）で風量を質量流量にする(&S)"))
                .arg(q(formatFixed(units::shown(Quantity::Density, design::kStandardAirDensity, u),
                                   shownDecimals(Quantity::Density, u)) +
                       " " + units::unitText(Quantity::Density, u))));
    const QString load = q(design::loadUnit(u));
    for (auto& [label, caption] : loadCaptions_) label->setText(ui(caption).arg(load));
    sensibleBy->setItemText(0, propertyCaption(Property::DB, u));
    sensibleBy->setItemText(
        1, ui(QT_TRANSLATE_NOOP("Design", "加熱量（冷却は負） [%1]")).arg(load));
    for (QComboBox* c : {steamBy, sprayBy})
        for (int i = 0; i < 2; ++i)
            c->setItemText(i, propertyCaption(static_cast<Property>(c->itemData(i).toInt()), u));
    captionProperties(coilFirst, u);
    captionProperties(coilSecond, u);
}

void DesignProcessDialog::prepare() {
    const QStringList names = pointNames();
    const auto refill = [&](QComboBox* c, int preferred) {
        const QString kept = c->currentText();
        c->clear();
        c->addItems(names);
        const int at = names.indexOf(kept);
        c->setCurrentIndex(at >= 0 ? at : std::min(preferred, int(names.size()) - 1));
    };
    refill(from, 0);
    refill(toPoint, 1);
    for (int r = 0; r < streams->rowCount(); ++r)
        refill(static_cast<QComboBox*>(streams->cellWidget(r, 0)), r);
    toName->setText(q(design::freePointName(host_.currentDesign())));
    standardAir->setChecked(host_.currentDesign().basis == design::AirBasis::Standard);
    showUnits();
    reexpressKept(host_.designUnits());
    showPageFields();
    kindBox->setFocus();
}

void DesignProcessDialog::reexpressKept(UnitSystem to) {
    const UnitSystem from = typedIn_;
    typedIn_ = to;
    if (from == to) return;
    const auto property = [](const QComboBox* c) {
        return design::quantityOf(static_cast<Property>(c->currentData().toInt()));
    };
    reexpress(flow, Quantity::AirFlow, from, to);
    for (int r = 0; r < streams->rowCount(); ++r)
        reexpress(static_cast<QLineEdit*>(streams->cellWidget(r, 1)), Quantity::AirFlow, from, to);
    reexpress(sensibleValue,
              sensibleBy->currentIndex() == 0 ? Quantity::Temperature : Quantity::Load, from, to);
    reexpress(coilFirstValue, property(coilFirst), from, to);
    reexpress(coilSecondValue, property(coilSecond), from, to);
    reexpress(adp, Quantity::Temperature, from, to);
    reexpress(steamValue, property(steamBy), from, to);
    if (sprayBy->currentData().toInt() >= 0)  // not the efficiency, which has no unit
        reexpress(sprayValue, property(sprayBy), from, to);
    for (QLineEdit* e : {supplySensible, supplyLatent, shfSensible, shfLatent})
        reexpress(e, Quantity::Load, from, to);
}

void DesignProcessDialog::refuse(const QString& why) {
    host_.designPrompts().tell(windowTitle().toStdString(), why.toStdString(),
                               PromptIcon::Warning);
}

bool DesignProcessDialog::confirm() {
    const UnitSystem u = host_.designUnits();
    const ProcessKind k = kind();
    design::Process p;
    p.kind = k;
    p.look = host_.designLook();
    p.loadLabel = loadLabel->isChecked();
    // A number from a field that must hold one; false (the user told) when it does not.
    const auto number = [&](QLineEdit* e, const QString& field, double& out) {
        const auto v = typedValue(e->text());
        if (!v) {
            refuse(notANumber(fieldName(field), e->text()));
            e->setFocus();
            return false;
        }
        out = *v;
        return true;
    };
    const auto load = [&](QLineEdit* e, const QString& field, std::optional<double>& out) {
        double v;
        if (!number(e, field, v)) return false;
        out = design::storedLoad(v, u);
        return true;
    };
    const auto given = [&](Property kind, QLineEdit* e, const QString& field) {
        double v;
        if (!number(e, field, v)) return false;
        p.leaving.push_back({kind, design::storedValue(kind, v, u)});
        return true;
    };
    if (k == ProcessKind::Mixing) {
        for (int r = 0; r < streams->rowCount(); ++r) {
            auto* point = static_cast<QComboBox*>(streams->cellWidget(r, 0));
            auto* f = static_cast<QLineEdit*>(streams->cellWidget(r, 1));
            double v;
            if (!number(f, ui(QT_TRANSLATE_NOOP("Design", "流れ %1 の風量")).arg(r + 1), v))
                return false;
            p.from.push_back(point->currentText().toStdString());
            p.flows.push_back(units::stored(Quantity::AirFlow, v, u));
        }
    } else {
        p.from.push_back(from->currentText().toStdString());
        if (k != ProcessKind::Shf && !flow->text().trimmed().isEmpty()) {
            double v;
            if (!number(flow, flowLabel_->text(), v)) return false;
            p.flows.push_back(units::stored(Quantity::AirFlow, v, u));
        }
    }
    if (k == ProcessKind::Line)
        p.to = toPoint->currentText().toStdString();
    else if (k != ProcessKind::Shf)
        p.to = toName->text().trimmed().toStdString();

    switch (k) {
        case ProcessKind::Line:
        case ProcessKind::Mixing:
            break;
        case ProcessKind::Sensible:
            if (sensibleBy->currentIndex() == 0) {
                if (!given(Property::DB, sensibleValue, sensibleBy->currentText())) return false;
            } else if (!load(sensibleValue, sensibleBy->currentText(), p.load)) {
                return false;
            }
            break;
        case ProcessKind::Coil:
            if (coilBy->currentIndex() == 0) {
                if (!given(propertyOf(coilFirst), coilFirstValue, coilFirst->currentText()) ||
                    !given(propertyOf(coilSecond), coilSecondValue, coilSecond->currentText()))
                    return false;
            } else {
                double a, b;
                if (!number(adp, QStringLiteral("ADP"), a) || !number(bf, QStringLiteral("BF"), b))
                    return false;
                p.adp = units::stored(Quantity::Temperature, a, u);
                p.bf = b;
            }
            break;
        case ProcessKind::Steam:
            if (!given(static_cast<Property>(steamBy->currentData().toInt()), steamValue,
                       steamBy->currentText()))
                return false;
            break;
        case ProcessKind::Spray:
            if (sprayBy->currentData().toInt() < 0) {
                double e;
                if (!number(sprayValue, sprayBy->currentText(), e)) return false;
                p.efficiency = e;
            } else if (!given(static_cast<Property>(sprayBy->currentData().toInt()), sprayValue,
                              sprayBy->currentText())) {
                return false;
            }
            break;
        case ProcessKind::Supply:
            if (!load(supplySensible, loadCaptions_[0].first->text(), p.sensibleLoad) ||
                !load(supplyLatent, loadCaptions_[1].first->text(), p.latentLoad))
                return false;
            break;
        case ProcessKind::Shf:
            if (shfBy->currentIndex() == 0) {
                double f;
                if (!number(shfValue, QStringLiteral("SHF"), f)) return false;
                p.shf = f;
            } else if (!load(shfSensible, loadCaptions_[2].first->text(), p.sensibleLoad) ||
                       !load(shfLatent, loadCaptions_[3].first->text(), p.latentLoad)) {
                return false;
            }
            break;
    }
    // The basis belongs to the whole design: the process is tried with the one chosen here.
    design::Design d = host_.currentDesign();
    d.basis = standardAir->isChecked() ? design::AirBasis::Standard : design::AirBasis::Actual;
    auto changed = design::withProcess(host_.designAir(), d, p);
    if (!changed) {
        refuse(q(changed.error()));
        return false;
    }
    host_.takeDesign(std::move(*changed));
    accept();
    return true;
}

}  // namespace humidraw::app
