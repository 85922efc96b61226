#include "app/command_dialogs.h"

#include <QCloseEvent>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>
#include <iterator>

#include "app/prompts.h"
#include "document/attributes.h"

namespace humidraw::app {

CommandDialog::CommandDialog(std::function<void(bool)> setMainEnabled, QWidget* parent,
                             Qt::WindowFlags f)
    : QWidget(parent, f), setMainEnabled_(std::move(setMainEnabled)) {
    setWindowModality(Qt::ApplicationModal);
}

bool CommandDialog::event(QEvent* e) {
    if (e->type() == QEvent::Show) setMainEnabled_(false);
    return QWidget::event(e);
}

void CommandDialog::hideEvent(QHideEvent* e) {
    setMainEnabled_(true);
    if (onHide) onHide();
    QWidget::hideEvent(e);
    // The keyboard goes back to the main window (a window manager may leave it nowhere when
    // the window that had it, a message over this dialog, is gone).
    if (!e->spontaneous() && parentWidget()) parentWidget()->window()->activateWindow();
}

void CommandDialog::setKeyButtons(QPushButton* confirm, QPushButton* cancel) {
    confirm_ = confirm;
    cancel_ = cancel;
    confirm->setDefault(true);
}

void CommandDialog::fitCaption() {
    const int room = captionRoom(windowTitle(), font());
    if (!captionSpace_) {
        captionSpace_ = new QSpacerItem(room, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
        layout()->addItem(captionSpace_);
        // Fixed: the window manager then offers no maximise button either.
        layout()->setSizeConstraint(QLayout::SetFixedSize);
    } else {
        captionSpace_->changeSize(room, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
    }
    layout()->invalidate();
    adjustSize();
}

void CommandDialog::keyPressEvent(QKeyEvent* e) {
    // Keys the focused control leaves alone (line edits, selectors, check boxes) come here.
    if (e->key() == Qt::Key_Escape && cancel_) {
        cancel_->click();
        return;
    }
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && confirm_) {
        auto* focused = qobject_cast<QPushButton*>(focusWidget());
        (focused && focused->isEnabled() ? focused : confirm_)->click();
        return;
    }
    QWidget::keyPressEvent(e);
}

void CommandDialog::closeEvent(QCloseEvent* e) {
    if (!cancel_) {
        QWidget::closeEvent(e);
        return;
    }
    e->ignore();  // the cancelling button hides the window and ends what it began
    cancel_->click();
}

QComboBox* propertySelector(QWidget* parent, int initial) {
    auto* c = new QComboBox(parent);
    for (int i = 0; i < 7; ++i) c->addItem(QString());  // six properties and none
    setPropertyUnits(c, UnitSystem::Engineering);
    c->setCurrentIndex(initial);
    return c;
}

void setPropertyUnits(QComboBox* c, UnitSystem units) {
    const bool ip = units == UnitSystem::IP;
    const char* const items[6] = {ip ? QT_TRANSLATE_NOOP("CommandDialog", "乾球温度 DB[°F]")
                                     : QT_TRANSLATE_NOOP("CommandDialog", "乾球温度 DB[℃]"),
                                  QT_TRANSLATE_NOOP("CommandDialog", "相対湿度 RH[%]"),
                                  ip ? QT_TRANSLATE_NOOP("CommandDialog", "絶対湿度 x[gr/lb']")
                                     : QT_TRANSLATE_NOOP("CommandDialog", "絶対湿度 x[kg/kg']"),
                                  ip ? QT_TRANSLATE_NOOP("CommandDialog", "比ｴﾝﾀﾙﾋﾟ h[Btu/lb]")
                                  : units == UnitSystem::SI
                                      ? QT_TRANSLATE_NOOP("CommandDialog", "比ｴﾝﾀﾙﾋﾟ h[kJ/kg]")
                                      : QT_TRANSLATE_NOOP("CommandDialog", "比ｴﾝﾀﾙﾋﾟ h[kcal/kg]"),
                                  ip ? QT_TRANSLATE_NOOP("CommandDialog", "湿球温度 WB[°F]")
                                     : QT_TRANSLATE_NOOP("CommandDialog", "湿球温度 WB[℃]"),
                                  ip ? QT_TRANSLATE_NOOP("CommandDialog", "比容積 v[ft^3/lb]")
                                     : QT_TRANSLATE_NOOP("CommandDialog", "比容積 v[m^3/kg]")};
    for (int i = 0; i < 6 && i < c->count(); ++i) c->setItemText(i, CommandDialog::tr(items[i]));
}

namespace {
QPushButton* button(const char* name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}
}  // namespace

TID_Point::TID_Point(std::function<void(bool)> setMainEnabled, QWidget* parent)
    : CommandDialog(std::move(setMainEnabled), parent, kToolWindowFlags) {
    setObjectName("ID_Point");
    setWindowTitle(tr("Humidraw ポイント作成"));
    auto* group = new QGroupBox(tr("データ入力"), this);
    group->setObjectName("GroupBox2");
    CB1 = propertySelector(group, 0);
    CB2 = propertySelector(group, 1);
    X1 = new QLineEdit("26", group);
    X2 = new QLineEdit("50", group);
    CB1->setObjectName("CB1");
    CB2->setObjectName("CB2");
    X1->setObjectName("X1");
    X2->setObjectName("X2");
    auto* g = new QGridLayout(group);
    g->addWidget(CB1, 0, 0);
    g->addWidget(X1, 0, 1);
    g->addWidget(CB2, 1, 0);
    g->addWidget(X2, 1, 1);
    Button1 = button("Button1", QStringLiteral("O K"), this);
    Button2 = button("Button2", tr("ｷｬﾝｾﾙ"), this);
    Button3 = button("Button3", tr("ｺﾏﾝﾄﾞ終了"), this);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    buttons->addWidget(Button3);
    auto* top = new QHBoxLayout;
    top->addWidget(group);
    top->addLayout(buttons);
    (new QVBoxLayout(this))->addLayout(top);
    setKeyButtons(Button1, Button2);
    QWidget* order[] = {CB1, X1, CB2, X2, Button1, Button2, Button3};
    for (size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
}

void TID_Point::setCaption(const QString& caption) {
    setWindowTitle(caption);
    fitCaption();
}

TMk_Line::TMk_Line(std::function<void(bool)> setMainEnabled, QWidget* parent)
    : CommandDialog(std::move(setMainEnabled), parent, Qt::Window) {
    setObjectName("Mk_Line");
    setWindowTitle(tr("Humidraw 状態変化直線の作成"));
    resize(423, 193);
    struct Side {
        const char *group, *groupName, *cbA, *cbB, *xA, *xB, *hb, *hbCaption, *label, *ptx,
            *labelPos, *txp;
    };
    const Side sides[2] = {
        {QT_TR_NOOP("始点のデータ入力"), "GroupBox2", "CB1", "CB2", "X1", "X2", "HB1",
         QT_TR_NOOP("始点に○印を記入する"), QT_TR_NOOP("始点の記号："), "PTX1", "Label3", "TXP1"},
        {QT_TR_NOOP("終点のデータ入力"), "GroupBox1", "CB10", "CB20", "X10", "X20", "HB10",
         QT_TR_NOOP("終点に○印を記入する"), QT_TR_NOOP("終点の記号："), "PTX2", "Label4", "TXP2"},
    };
    QComboBox** cbs[2][2] = {{&CB1, &CB2}, {&CB10, &CB20}};
    QLineEdit** xs[2][2] = {{&X1, &X2}, {&X10, &X20}};
    QCheckBox** hbs[2] = {&HB1, &HB10};
    QLineEdit** ptxs[2] = {&PTX1, &PTX2};
    QComboBox** txps[2] = {&TXP1, &TXP2};
    auto* top = new QHBoxLayout;
    for (int s = 0; s < 2; ++s) {
        const Side& d = sides[s];
        auto* group = new QGroupBox(tr(d.group), this);
        group->setObjectName(d.groupName);
        auto* g = new QGridLayout(group);
        *cbs[s][0] = propertySelector(group, 0);
        *cbs[s][1] = propertySelector(group, 1);
        (*cbs[s][0])->setObjectName(d.cbA);
        (*cbs[s][1])->setObjectName(d.cbB);
        *xs[s][0] = new QLineEdit("26", group);
        *xs[s][1] = new QLineEdit("50", group);
        (*xs[s][0])->setObjectName(d.xA);
        (*xs[s][1])->setObjectName(d.xB);
        *hbs[s] = new QCheckBox(tr(d.hbCaption), group);
        (*hbs[s])->setObjectName(d.hb);
        (*hbs[s])->setChecked(true);
        *ptxs[s] = new QLineEdit(group);
        (*ptxs[s])->setObjectName(d.ptx);
        *txps[s] = new QComboBox(group);
        (*txps[s])->setObjectName(d.txp);
        for (const char* item : kLabelPositionNames)
            (*txps[s])->addItem(QCoreApplication::translate("Document", item));
        g->addWidget(*cbs[s][0], 0, 0);
        g->addWidget(*xs[s][0], 0, 1);
        g->addWidget(*cbs[s][1], 1, 0);
        g->addWidget(*xs[s][1], 1, 1);
        g->addWidget(*hbs[s], 2, 0, 1, 2);
        g->addWidget(new QLabel(tr(d.label), group), 3, 0);
        g->addWidget(*ptxs[s], 3, 1);
        g->addWidget(new QLabel(tr("文字基点："), group), 4, 0);
        g->addWidget(*txps[s], 4, 1);
        top->addWidget(group);
    }
    Button1 = button("Button1", QStringLiteral("O K"), this);
    Button2 = button("Button2", tr("ｷｬﾝｾﾙ"), this);
    setKeyButtons(Button1, Button2);
    // Tab goes through each state's fields in reading order.
    QWidget* order[] = {CB1, X1,   CB2, X2,   HB1,  PTX1, TXP1,    CB10,
                        X10, CB20, X20, HB10, PTX2, TXP2, Button1, Button2};
    for (size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addLayout(buttons);
    connect(Button2, &QPushButton::clicked, this, [this] { hide(); });
}

TEdText1::TEdText1(std::function<void(bool)> setMainEnabled, QWidget* parent)
    : CommandDialog(std::move(setMainEnabled), parent, kToolWindowFlags) {
    setObjectName("EdText1");
    setWindowTitle(tr("Humidraw 文字作成"));
    auto* label = new QLabel(tr("文字を入力してください。"), this);
    label->setObjectName("Label1");
    EdTextData = new QLineEdit(this);
    EdTextData->setObjectName("EdTextData");
    Ed_Cancel_Btn = button("Ed_Cancel_Btn", tr("ｷｬﾝｾﾙ"), this);
    Ed_Ok_Btn = button("Ed_Ok_Btn", QStringLiteral("O K"), this);
    setKeyButtons(Ed_Ok_Btn, Ed_Cancel_Btn);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Ed_Cancel_Btn);
    buttons->addWidget(Ed_Ok_Btn);
    // Changing a placed text also offers where its anchor sits.
    positionRow = new QWidget(this);
    auto* row = new QHBoxLayout(positionRow);
    row->setContentsMargins(0, 0, 0, 0);
    auto* positionLabel = new QLabel(tr("ラベル位置："), positionRow);
    TXP = new QComboBox(positionRow);
    TXP->setObjectName("TXP");
    for (const char* item : kLabelPositionNames)
        TXP->addItem(QCoreApplication::translate("Document", item));
    positionLabel->setBuddy(TXP);
    row->addWidget(positionLabel);
    row->addWidget(TXP, 1);
    positionRow->hide();
    auto* all = new QVBoxLayout(this);
    all->addWidget(label);
    all->addWidget(EdTextData);
    all->addWidget(positionRow);
    all->addLayout(buttons);
    connect(Ed_Cancel_Btn, &QPushButton::clicked, this, [this] { hide(); });
    fitCaption();
}

void TEdText1::forNewText() {
    EdTextData->clear();
    positionRow->hide();
}

void TEdText1::forPlacedText(const QString& text, int labelPosition) {
    EdTextData->setText(text);
    EdTextData->selectAll();
    TXP->setCurrentIndex(labelPosition);
    positionRow->show();
}

}  // namespace humidraw::app
