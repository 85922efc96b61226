#pragma once
// The dialogs of the drawing commands: the point dialog (typed segment ends), the state-change
// line dialog and the text dialog. Each disables the main window while it is shown; their
// fields keep what the user typed from one use to the next.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSpacerItem>
#include <QWidget>
#include <functional>

#include "units/unit_system.h"

namespace humidraw::app {

// A secondary window: its activation disables the main window, its hiding enables it. Enter
// presses the focused button, or the confirming one from any other control; Esc and the
// window's close box press the cancelling one.
class CommandDialog : public QWidget {
    Q_DECLARE_TR_FUNCTIONS(CommandDialog)

  public:
    CommandDialog(std::function<void(bool)> setMainEnabled, QWidget* parent, Qt::WindowFlags f);
    std::function<void()> onHide;  // besides enabling the main window

  protected:
    bool event(QEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void setKeyButtons(QPushButton* confirm, QPushButton* cancel);
    // A fixed size wide enough for the whole caption (the layout must be vertical).
    void fitCaption();

  private:
    QSpacerItem* captionSpace_ = nullptr;
    std::function<void(bool)> setMainEnabled_;
    QPushButton* confirm_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

// The frame of a small tool window: a title with the close box, no minimise or maximise.
inline constexpr Qt::WindowFlags kToolWindowFlags =
    Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
    Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

// The seven items of the property selectors (the last one empty).
QComboBox* propertySelector(QWidget* parent, int initial);
// The units in the selector's items: DB, x, h, WB and v as `units` types them.
void setPropertyUnits(QComboBox* selector, UnitSystem units);

// The point dialog: a free segment's start or end point typed as any two properties.
class TID_Point : public CommandDialog {
    Q_DECLARE_TR_FUNCTIONS(TID_Point)

  public:
    TID_Point(std::function<void(bool)> setMainEnabled, QWidget* parent);
    void setCaption(const QString& caption);
    QComboBox* CB1;
    QComboBox* CB2;
    QLineEdit* X1;
    QLineEdit* X2;
    QPushButton* Button1;  // "O K": M_Point
    QPushButton* Button2;  // "ｷｬﾝｾﾙ"
    QPushButton* Button3;  // "ｺﾏﾝﾄﾞ終了": ACancel
};

// The state-change line dialog: two states by value, each with an optional label.
class TMk_Line : public CommandDialog {
    Q_DECLARE_TR_FUNCTIONS(TMk_Line)

  public:
    TMk_Line(std::function<void(bool)> setMainEnabled, QWidget* parent);
    QComboBox *CB1, *CB2, *CB10, *CB20;
    QLineEdit *X1, *X2, *X10, *X20;
    QCheckBox *HB1, *HB10;
    QLineEdit *PTX1, *PTX2;
    QComboBox *TXP1, *TXP2;
    QPushButton* Button1;  // "O K": M_Line
    QPushButton* Button2;  // "ｷｬﾝｾﾙ"
};

// The text dialog: the text that 文字記入 then places with the mouse, or a placed text's string
// and label position when it is changed.
class TEdText1 : public CommandDialog {
    Q_DECLARE_TR_FUNCTIONS(TEdText1)

  public:
    TEdText1(std::function<void(bool)> setMainEnabled, QWidget* parent);
    // Empty, for a text to be placed with the mouse.
    void forNewText();
    // A placed text's string and label position, to be changed.
    void forPlacedText(const QString& text, int labelPosition);
    QLineEdit* EdTextData;
    QWidget* positionRow;
    QComboBox* TXP;              // label position, shown for a placed text only
    QPushButton* Ed_Ok_Btn;      // "O K": M_Text
    QPushButton* Ed_Cancel_Btn;  // "ｷｬﾝｾﾙ"
};

}  // namespace humidraw::app
