#include "app/options_dialog.h"

#include <QButtonGroup>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>
#include <algorithm>

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

}  // namespace

TFOption::TFOption(OptionsHost& host, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), host_(host) {
    setObjectName("FOption");
    setWindowTitle(tr("Humidrawの設定"));
    setWindowModality(Qt::ApplicationModal);

    auto* conditions = new QGroupBox(tr("条件設定"), this);
    auto* cg = new QGridLayout(conditions);
    CSpa = spin(0, 100000, conditions);
    CSpa->setEnabled(false);
    CSdbmin = spin(-20, 60, conditions);
    CSdbmax = spin(30, 80, conditions);
    const char* labels[] = {QT_TR_NOOP("大気圧(mmHg)："), QT_TR_NOOP("乾球温度下限(℃)："),
                            QT_TR_NOOP("乾球温度上限(℃)：")};
    QSpinBox* spins[] = {CSpa, CSdbmin, CSdbmax};
    for (int i = 0; i < 3; ++i) {
        cg->addWidget(new QLabel(tr(labels[i]), conditions), i, 0);
        cg->addWidget(spins[i], i, 1);
        spins[i]->installEventFilter(this);
    }
    CSpa->setObjectName("CSpa");
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
    ug->addWidget(siItem);
    ug->addWidget(traditionalItem);

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
    CSpa->setValue(static_cast<int>(s.pressureMmHg));
    CSdbmin->setValue(static_cast<int>(s.dbMin));
    CSdbmax->setValue(static_cast<int>(s.dbMax));
    for (int i = 0; i < kViewFlagCount; ++i) flags[i]->setChecked(s.view[i]);
    (s.si ? siItem : traditionalItem)->setChecked(true);
    LanguageCB->setCurrentIndex(s.language == "ja" ? 1 : s.language == "en" ? 2 : 0);
    flags[CB_EN]->setText(s.si ? tr("比ｴﾝﾀﾙﾋﾟ h[kJ/kg]") : tr("比ｴﾝﾀﾙﾋﾟ h[kcal/kg]"));
    flags[CB_NE]->setText(s.si ? tr("熱水分比[kJ/kg]") : tr("熱水分比[kcal/kg]"));
    // The entry equal to the font name; with several the last; with none, no selection.
    int found = -1;
    for (int i = 0; i < FontCB->count(); ++i)
        if (FontCB->itemText(i).toStdString() == s.fontName) found = i;
    FontCB->setCurrentIndex(found);
}

Settings TFOption::fromControls(const Settings& base) const {
    Settings s = base;
    s.pressureMmHg = CSpa->value();
    s.dbMin = CSdbmin->value();
    s.dbMax = CSdbmax->value();
    for (int i = 0; i < kViewFlagCount; ++i) s.view[i] = flags[i]->isChecked();
    s.fontSize = CSFont->value();
    if (FontCB->currentIndex() >= 0) s.fontName = FontCB->currentText().toStdString();
    const char* const languages[] = {"", "ja", "en"};
    s.language = languages[std::clamp(LanguageCB->currentIndex(), 0, 2)];
    if (siItem->isChecked())
        s.si = true;
    else if (traditionalItem->isChecked())
        s.si = false;
    return s;
}

Settings TFOption::shown() {
    // A number still being typed counts as it reads, brought into its range.
    for (QSpinBox* s : {CSpa, CSdbmin, CSdbmax, CSFont}) s->interpretText();
    return fromControls(host_.currentSettings());
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
            focusNextChild();
            return true;
        }
    }
    return QWidget::eventFilter(watched, e);
}

}  // namespace humidraw::app
