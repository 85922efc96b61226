#include "app/options_dialog.h"

#include <QButtonGroup>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <optional>

#include "air/air.h"
#include "chart/frame.h"
#include "moistek_internal/ip_units.h"
#include "text/number_format.h"

namespace humidraw::app {
namespace {

const char* const kFlagCaptions[kViewFlagCount] = {
    QT_TRANSLATE_NOOP("TFOption", "乾球温度 DB[℃]"),
    QT_TRANSLATE_NOOP("TFOption", "相対湿度 RH[%]"),
    QT_TRANSLATE_NOOP("TFOption", "絶対湿度 x[kg/kg']"),
    QT_TRANSLATE_NOOP("TFOption", "比ｴﾝﾀﾙﾋﾟ h[kcal/kg]"),
    QT_TRANSLATE_NOOP("TFOption", "湿球温度 WB[℃]"),
    QT_TRANSLATE_NOOP("TFOption", "比容積 v[m^3/kg]"),
    QT_TRANSLATE_NOOP("TFOption", "顕熱比 SHF"),
    QT_TRANSLATE_NOOP("TFOption", "熱水分比[kcal/kg]"),
    QT_TRANSLATE_NOOP("TFOption", "詳細データ表"),
};

// A spin edit that takes any whole number typed and sets one outside its range to the nearest
// bound (a plain spin edit drops the key that leaves the range); a text that is no number
// reads as the lower bound.
class BoundSpinBox : public QSpinBox {
  public:
    using QSpinBox::QSpinBox;

  protected:
    QValidator::State validate(QString& text, int&) const override {
        static const QRegularExpression number("^[+-]?[0-9]{0,9}$");
        const QString t = text.trimmed();
        if (!number.match(t).hasMatch()) return QValidator::Invalid;
        bool ok = false;
        const int v = t.toInt(&ok);
        return ok && v >= minimum() && v <= maximum() ? QValidator::Acceptable
                                                      : QValidator::Intermediate;
    }
    void fixup(QString& text) const override {
        bool ok = false;
        const int v = text.trimmed().toInt(&ok);
        text = QString::number(ok ? std::clamp(v, minimum(), maximum()) : minimum());
    }
};

QSpinBox* spin(int lo, int hi, QWidget* parent) {
    auto* s = new BoundSpinBox(parent);
    s->setRange(lo, hi);
    s->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    return s;
}

// The pressure field: as BoundSpinBox, with as many decimals as the unit shows (none for mmHg,
// three for kPa); a comma may stand for the decimal point. Shown with a point, as the chart
// shows numbers. In kPa a step is one mmHg and lands on a whole mmHg, the pressure the dialog
// then holds.
class PressureSpinBox : public QDoubleSpinBox {
  public:
    using QDoubleSpinBox::QDoubleSpinBox;
    bool inKPa() const { return decimals() > 0; }

  protected:
    QValidator::State validate(QString& text, int&) const override {
        const QRegularExpression number(
            inKPa() ? QStringLiteral("^[+-]?[0-9]{0,9}([.,][0-9]{0,%1})?$").arg(decimals())
                    : QStringLiteral("^[+-]?[0-9]{0,9}$"));
        const QString t = text.trimmed();
        if (!number.match(t).hasMatch()) return QValidator::Invalid;
        const std::optional<double> v = typed(t);
        return v && *v >= minimum() && *v <= maximum() ? QValidator::Acceptable
                                                       : QValidator::Intermediate;
    }
    void fixup(QString& text) const override {
        const std::optional<double> v = typed(text);
        text = textFromValue(v ? std::clamp(*v, minimum(), maximum()) : minimum());
    }
    double valueFromText(const QString& text) const override {
        return typed(text).value_or(minimum());
    }
    QString textFromValue(double v) const override {
        return QString::number(v, 'f', decimals());
    }
    void stepBy(int steps) override {
        QDoubleSpinBox::stepBy(steps);
        if (inKPa()) setValue(std::round(value() * kMmHgPerKPa) / kMmHgPerKPa);
    }

  private:
    static std::optional<double> typed(const QString& text) {
        return parseTypedDecimal(text.trimmed().toStdString(), ",");
    }
};

// The altitude field: whole metres, or none. None is the minimum, one below the lowest
// altitude, shown as "—" and typed as an empty field; a number outside the altitudes goes to
// the nearest one, never to none, and a text that is no number reads as none.
class AltitudeSpinBox : public QSpinBox {
  public:
    AltitudeSpinBox(QWidget* parent) : QSpinBox(parent) {
        setRange(kMinAltitudeM - 1, kMaxAltitudeM);
        setSpecialValueText(QStringLiteral("—"));
        setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    }
  protected:
    QValidator::State validate(QString& text, int& pos) const override {
        // Typing into the "—" replaces it.
        const QString none = specialValueText();
        if (const qsizetype at = text.indexOf(none); at >= 0 && text != none) {
            text.remove(at, none.size());
            if (pos > at) pos = std::max<int>(at, pos - none.size());
        }
        static const QRegularExpression number("^[+-]?[0-9]{0,9}$");
        const QString t = text.trimmed();
        if (t.isEmpty() || t == none) return QValidator::Acceptable;
        if (!number.match(t).hasMatch()) return QValidator::Invalid;
        bool ok = false;
        const int v = t.toInt(&ok);
        return ok && v > minimum() && v <= maximum() ? QValidator::Acceptable
                                                     : QValidator::Intermediate;
    }
    void fixup(QString& text) const override {
        bool ok = false;
        const int v = text.trimmed().toInt(&ok);
        text = ok ? QString::number(std::clamp(v, minimum() + 1, maximum())) : QString();
    }
    int valueFromText(const QString& text) const override {
        bool ok = false;
        const int v = text.trimmed().toInt(&ok);
        return ok ? std::clamp(v, minimum(), maximum()) : minimum();
    }
};

}  // namespace

TFOption::TFOption(OptionsHost& host, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), host_(host) {
    setObjectName("FOption");
    setWindowTitle(tr("Humidrawの設定"));
    setWindowModality(Qt::ApplicationModal);

    auto* conditions = new QGroupBox(tr("条件設定"), this);
    auto* cg = new QGridLayout(conditions);
    // Created in the order of the rows, which is the order of the tab key.
    auto* pressure = new PressureSpinBox(conditions);
    pressure->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    CSpa = pressure;
    auto* altitude = new AltitudeSpinBox(conditions);
    CSalt = altitude;
    CSdbmin = spin(kLowestLowerLimit, kHighestLowerLimit, conditions);
    CSdbmax = spin(kLowestUpperLimit, kHighestUpperLimit, conditions);
    pressureLabel_ = new QLabel(tr("大気圧(mmHg)："), conditions);
    lowerLabel_ = new QLabel(tr("乾球温度下限(℃)："), conditions);
    upperLabel_ = new QLabel(tr("乾球温度上限(℃)："), conditions);
    QLabel* labels[] = {pressureLabel_, new QLabel(tr("標高(m)："), conditions), lowerLabel_,
                        upperLabel_};
    QAbstractSpinBox* spins[] = {CSpa, CSalt, CSdbmin, CSdbmax};
    for (int i = 0; i < 4; ++i) {
        cg->addWidget(labels[i], i, 0);
        cg->addWidget(spins[i], i, 1);
        labels[i]->setBuddy(spins[i]);
        spins[i]->installEventFilter(this);
    }
    connect(CSpa, &QDoubleSpinBox::valueChanged, this, [this] {
        if (!showing_) pressureTyped();
    });
    // The altitude goes as soon as the pressure is edited, before the text is a pressure.
    connect(CSpa->findChild<QLineEdit*>(), &QLineEdit::textEdited, this, [this] {
        if (!showing_) CSalt->setValue(CSalt->minimum());
    });
    // A pressure typed in kPa is held as a whole mmHg, which the field shows once confirmed.
    connect(CSpa, &QAbstractSpinBox::editingFinished, this, [this] { showPressure(); });
    connect(CSalt, &QSpinBox::valueChanged, this, [this] {
        if (!showing_) altitudeTyped();
    });
    CSpa->setObjectName("CSpa");
    CSalt->setObjectName("CSalt");
    CSdbmin->setObjectName("CSdbmin");
    CSdbmax->setObjectName("CSdbmax");

    auto* fontBox = new QGroupBox(tr("ﾌｫﾝﾄの選択"), this);
    auto* fg = new QGridLayout(fontBox);
    FontCB = new QComboBox(fontBox);
    FontCB->setObjectName("FontCB");
    FontCB->addItems(QFontDatabase::families());
    CSFont = spin(1, 72, fontBox);
    CSFont->setObjectName("CSFont");
    fg->addWidget(new QLabel(tr("ﾌｫﾝﾄ名："), fontBox), 0, 0);
    fg->addWidget(FontCB, 0, 1);
    fg->addWidget(new QLabel(tr("ﾌｫﾝﾄｻｲｽﾞ："), fontBox), 1, 0);
    fg->addWidget(CSFont, 1, 1);

    auto* language = new QGroupBox(tr("表示言語"), this);
    auto* lg = new QVBoxLayout(language);
    LanguageCB = new QComboBox(language);
    LanguageCB->setObjectName("LanguageCB");
    // Each language named in itself; the first follows the locale.
    LanguageCB->addItems({tr("自動"), QStringLiteral("日本語"), QStringLiteral("English")});
    lg->addWidget(LanguageCB);

    auto* view = new QGroupBox(tr("表示線図"), this);
    auto* vg = new QGridLayout(view);
    for (int i = 0; i < kViewFlagCount; ++i) {
        flags[i] = new QCheckBox(tr(kFlagCaptions[i]), view);
        flags[i]->setObjectName(kViewFlagKeys[i]);
        vg->addWidget(flags[i], i / 3, i % 3);
    }

    auto* units = new QGroupBox(tr("使用単位"), this);
    units->setObjectName("Tani");
    auto* ug = new QVBoxLayout(units);
    siItem = new QRadioButton(tr("ＳＩ 単位"), units);
    traditionalItem = new QRadioButton(tr("従来単位"), units);
    ipItem = new QRadioButton(tr("ＩＰ 単位"), units);
    ipItem->setObjectName("ipItem");
    ug->addWidget(siItem);
    ug->addWidget(traditionalItem);
    ug->addWidget(ipItem);
    // The pressure and the range in the units chosen, converted from what the dialog holds.
    for (QRadioButton* b : {siItem, traditionalItem, ipItem})
        connect(b, &QRadioButton::toggled, this, [this](bool on) {
            if (!on) return;
            showPressure();
            showRangeUnits();
            showFlagCaptions(chosenUnits());
        });
    showPressure();

    auto* saveButton = new QPushButton(tr("設定保存(&S)"), this);
    auto* applyButton = new QPushButton(tr("適用(&A)"), this);
    auto* applyCloseButton = new QPushButton(tr("適用後閉じる(&D)"), this);
    auto* closeButton = new QPushButton(tr("閉じる(&C)"), this);
    saveButton->setObjectName("Button3");
    applyButton->setObjectName("Button1");
    applyCloseButton->setObjectName("Button4");
    closeButton->setObjectName("Button2");
    connect(saveButton, &QPushButton::clicked, this, [this] { save(); });
    connect(applyButton, &QPushButton::clicked, this, [this] { apply(); });
    connect(applyCloseButton, &QPushButton::clicked, this, [this] { applyAndClose(); });
    connect(closeButton, &QPushButton::clicked, this, [this] { hide(); });
    closeButton_ = closeButton;

    auto* top = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(conditions);
    left->addWidget(fontBox);
    left->addWidget(language);
    auto* right = new QVBoxLayout;
    right->addWidget(view);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(units);
    auto* buttons = new QGridLayout;
    buttons->addWidget(saveButton, 0, 0);
    buttons->addWidget(applyButton, 0, 1);
    buttons->addWidget(applyCloseButton, 1, 0);
    buttons->addWidget(closeButton, 1, 1);
    bottom->addLayout(buttons);
    right->addLayout(bottom);
    top->addLayout(left);
    top->addLayout(right);
    setLayout(top);
}

void TFOption::toControls(const Settings& s) {
    CSFont->setValue(s.fontSize);
    // A pressure no chart is drawn at (a damaged document) held as the field shows it.
    pressureMmHg_ = std::isnan(s.pressureMmHg)
                        ? kStandardPressureMmHg
                        : std::clamp(s.pressureMmHg, kMinPressureMmHg, kMaxPressureMmHg);
    showing_ = true;
    const std::optional<double> altitude = matchingAltitude(s);
    CSalt->setValue(altitude ? static_cast<int>(*altitude) : CSalt->minimum());
    showing_ = false;
    (s.isSI() ? siItem : s.isIP() ? ipItem : traditionalItem)->setChecked(true);
    showPressure();
    showRangeUnits();
    if (s.isIP()) {
        CSdbmin->setValue(static_cast<int>(std::round(fahrenheitFromCelsius(s.dbMin))));
        CSdbmax->setValue(static_cast<int>(std::round(fahrenheitFromCelsius(s.dbMax))));
    } else {
        CSdbmin->setValue(static_cast<int>(s.dbMin));
        CSdbmax->setValue(static_cast<int>(s.dbMax));
    }
    for (int i = 0; i < kViewFlagCount; ++i) flags[i]->setChecked(s.view[i]);
    LanguageCB->setCurrentIndex(s.language == "ja" ? 1 : s.language == "en" ? 2 : 0);
    showFlagCaptions(s.units);
    // The entry equal to the font name; with several the last; with none, no selection.
    int found = -1;
    for (int i = 0; i < FontCB->count(); ++i)
        if (FontCB->itemText(i).toStdString() == s.fontName) found = i;
    FontCB->setCurrentIndex(found);
}

Settings TFOption::fromControls(const Settings& base) const {
    Settings s = base;
    s.pressureMmHg = pressureMmHg_;
    if (CSalt->value() > CSalt->minimum())
        s.altitudeM = CSalt->value();
    else
        s.altitudeM.reset();
    s.units = chosenUnits();
    if (s.isIP()) {
        s.dbMin = celsiusFromFahrenheit(CSdbmin->value());
        s.dbMax = celsiusFromFahrenheit(CSdbmax->value());
    } else {
        s.dbMin = CSdbmin->value();
        s.dbMax = CSdbmax->value();
    }
    for (int i = 0; i < kViewFlagCount; ++i) s.view[i] = flags[i]->isChecked();
    s.fontSize = CSFont->value();
    if (FontCB->currentIndex() >= 0) s.fontName = FontCB->currentText().toStdString();
    const char* const languages[] = {"", "ja", "en"};
    s.language = languages[std::clamp(LanguageCB->currentIndex(), 0, 2)];
    return s;
}

Settings TFOption::shown() {
    // A number still being typed counts as it reads, brought into its range.
    for (QAbstractSpinBox* s : std::initializer_list<QAbstractSpinBox*>{CSpa, CSalt, CSdbmin,
                                                                        CSdbmax, CSFont})
        s->interpretText();
    showPressure();
    return fromControls(host_.currentSettings());
}

void TFOption::showFlagCaptions(UnitSystem u) {
    const bool si = u == UnitSystem::SI, ip = u == UnitSystem::IP;
    for (int i = 0; i < kViewFlagCount; ++i) flags[i]->setText(tr(kFlagCaptions[i]));
    if (ip) {
        flags[CB_DB]->setText(tr("乾球温度 DB[°F]"));
        flags[CB_AH]->setText(tr("絶対湿度 x[gr/lb]"));
        flags[CB_WB]->setText(tr("湿球温度 WB[°F]"));
        flags[CB_SV]->setText(tr("比容積 v[ft^3/lb]"));
    }
    flags[CB_EN]->setText(si ? tr("比ｴﾝﾀﾙﾋﾟ h[kJ/kg]")
                          : ip ? tr("比ｴﾝﾀﾙﾋﾟ h[Btu/lb]")
                               : tr("比ｴﾝﾀﾙﾋﾟ h[kcal/kg]"));
    flags[CB_NE]->setText(si ? tr("熱水分比[kJ/kg]")
                          : ip ? tr("熱水分比[Btu/lb]")
                               : tr("熱水分比[kcal/kg]"));
}

UnitSystem TFOption::chosenUnits() const {
    return siItem->isChecked() ? UnitSystem::SI
           : ipItem->isChecked() ? UnitSystem::IP
                                 : UnitSystem::Engineering;
}

void TFOption::showRangeUnits() {
    const bool ip = chosenUnits() == UnitSystem::IP;
    if (ip == rangeInFahrenheit_) return;
    // The range as typed, converted to the other scale (whole degrees); the default range of
    // one is the default of the other.
    CSdbmin->interpretText();
    CSdbmax->interpretText();
    const double lo = CSdbmin->value(), hi = CSdbmax->value();
    const ChartSettings defaults;
    double newLo, newHi;
    if (ip) {
        const bool isDefault = lo == defaults.dbMin && hi == defaults.dbMax;
        newLo = isDefault ? kDefaultIpDbMinF : std::round(fahrenheitFromCelsius(lo));
        newHi = isDefault ? kDefaultIpDbMaxF : std::round(fahrenheitFromCelsius(hi));
    } else {
        const bool isDefault = lo == kDefaultIpDbMinF && hi == kDefaultIpDbMaxF;
        newLo = isDefault ? defaults.dbMin : std::round(celsiusFromFahrenheit(lo));
        newHi = isDefault ? defaults.dbMax : std::round(celsiusFromFahrenheit(hi));
    }
    // The fields' bounds are the same temperatures in either scale: −20 to 60 °C (−4 to
    // 140 °F) and 30 to 80 °C (86 to 176 °F).
    const auto bound = [ip](double c) {
        return static_cast<int>(ip ? std::round(fahrenheitFromCelsius(c)) : c);
    };
    CSdbmin->setRange(bound(kLowestLowerLimit), bound(kHighestLowerLimit));
    CSdbmax->setRange(bound(kLowestUpperLimit), bound(kHighestUpperLimit));
    CSdbmin->setValue(static_cast<int>(newLo));
    CSdbmax->setValue(static_cast<int>(newHi));
    lowerLabel_->setText(ip ? tr("乾球温度下限(°F)：") : tr("乾球温度下限(℃)："));
    upperLabel_->setText(ip ? tr("乾球温度上限(°F)：") : tr("乾球温度上限(℃)："));
    rangeInFahrenheit_ = ip;
}

void TFOption::showPressure() {
    const UnitSystem u = chosenUnits();
    const bool kPa = u == UnitSystem::SI, psia = u == UnitSystem::IP;
    showing_ = true;
    pressureLabel_->setText(kPa ? tr("大気圧(kPa)：") : psia ? tr("大気圧(psia)：") : tr("大気圧(mmHg)："));
    CSpa->setDecimals(kPa || psia ? 3 : 0);
    const double unit = kPa ? kMmHgPerKPa : psia ? 1 / kPsiPerMmHg : 1;
    CSpa->setRange(kMinPressureMmHg / unit, kMaxPressureMmHg / unit);
    CSpa->setSingleStep(1 / unit);
    CSpa->setValue(pressureMmHg_ / unit);
    showing_ = false;
}

void TFOption::pressureTyped() {
    const UnitSystem u = chosenUnits();
    const double unit = u == UnitSystem::SI ? kMmHgPerKPa : u == UnitSystem::IP ? 1 / kPsiPerMmHg : 1;
    pressureMmHg_ = unit != 1 ? std::round(CSpa->value() * unit) : CSpa->value();
    showing_ = true;
    CSalt->setValue(CSalt->minimum());
    showing_ = false;
}

void TFOption::altitudeTyped() {
    if (CSalt->value() <= CSalt->minimum()) return;  // none: the pressure stays
    pressureMmHg_ = pressureForAltitude(CSalt->value());
    showPressure();
}

void TFOption::apply() {
    host_.applySettings(shown());
}

void TFOption::applyAndClose() {
    if (host_.applySettings(shown())) hide();
}

void TFOption::save() {
    host_.saveSettings(shown());
}

void TFOption::showEvent(QShowEvent* e) {
    // The record is copied in when the dialog opens, not on every activation: coming back
    // from a message must not replace what the user typed.
    toControls(host_.currentSettings());
    host_.setMainEnabled(false);
    QWidget::showEvent(e);
}

void TFOption::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        closeButton_->click();
        return;
    }
    QWidget::keyPressEvent(e);
}

void TFOption::closeEvent(QCloseEvent* e) {
    e->ignore();
    closeButton_->click();
}

void TFOption::hideEvent(QHideEvent* e) {
    host_.setMainEnabled(true);
    QWidget::hideEvent(e);
}

bool TFOption::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            static_cast<QAbstractSpinBox*>(watched)->interpretText();
            if (watched == CSpa) showPressure();
            focusNextChild();
            return true;
        }
    }
    return QWidget::eventFilter(watched, e);
}

}  // namespace humidraw::app
