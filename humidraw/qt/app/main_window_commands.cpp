// The command table: every action with its caption, hint and image, the menus and tool bars.
#include <QMenuBar>
#include <QToolButton>

#include "app/about_box.h"
#include "app/icons.h"
#include "app/main_window.h"
#include "app/main_window_p.h"
#include "app/pickers.h"

namespace humidraw::app {
namespace {

// One row of the table: the command, its action's object name and category, its texts and image.
struct CommandRow {
    Command id;
    const char* name;
    const char* category;
    const char* caption;
    const char* hint;  // "" none
    int image;         // 0 none
};

const CommandRow kCommands[] = {
    {Command::New, "Fnew", "A_File1", QT_TRANSLATE_NOOP("TFmIX", "新規作成(&N)"),
     QT_TRANSLATE_NOOP("TFmIX", "新規作成"), 6},
    {Command::Open, "Fopen", "A_File1", QT_TRANSLATE_NOOP("TFmIX", "開く(&O)"),
     QT_TRANSLATE_NOOP("TFmIX", "開く"), 7},
    {Command::Save, "Fsave", "A_File1", QT_TRANSLATE_NOOP("TFmIX", "上書き保存(&S)"),
     QT_TRANSLATE_NOOP("TFmIX", "上書き保存"), 8},
    {Command::SaveAs, "Fsaveas", "A_File1", QT_TRANSLATE_NOOP("TFmIX", "名前を付けて保存(&A)"),
     QT_TRANSLATE_NOOP("TFmIX", "名前を付けて保存"), 0},
    {Command::Print, "PrintIx", "A_File1", QT_TRANSLATE_NOOP("TFmIX", "印刷(&P)"),
     QT_TRANSLATE_NOOP("TFmIX", "印刷"), 14},
    {Command::Metafile, "MetaSave", "A_File1", QT_TRANSLATE_NOOP("TFmIX", "ﾒﾀﾌｧｲﾙ作成(&M)"),
     QT_TRANSLATE_NOOP("TFmIX", "ﾒﾀﾌｧｲﾙ作成"), 0},
    {Command::Exit, "Fend", "A_File1", QT_TRANSLATE_NOOP("TFmIX", "Humidrawの終了(&X)"),
     QT_TRANSLATE_NOOP("TFmIX", "Humidrawの終了"), 31},
    {Command::Undo, "Undo", "A_Edit1", QT_TRANSLATE_NOOP("TFmIX", "元に戻す(&U)"),
     QT_TRANSLATE_NOOP("TFmIX", "元に戻す"), 40},
    {Command::Redo, "Redo", "A_Edit1", QT_TRANSLATE_NOOP("TFmIX", "やり直し(&R)"),
     QT_TRANSLATE_NOOP("TFmIX", "やり直し"), 41},
    {Command::ClearAll, "DataClear", "A_Edit1", QT_TRANSLATE_NOOP("TFmIX", "全消去(&A)"), "", 0},
    {Command::Erase, "SsErase", "A_Edit1", QT_TRANSLATE_NOOP("TFmIX", "図形削除(&E)"),
     QT_TRANSLATE_NOOP("TFmIX", "図形削除"), 30},
    {Command::ToClipboard, "ToClip", "A_Edit1", QT_TRANSLATE_NOOP("TFmIX", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞ出力(&B)"),
     QT_TRANSLATE_NOOP("TFmIX", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞ出力"), 10},
    {Command::Select, "Select", "A_Edit1", QT_TRANSLATE_NOOP("TFmIX", "選択(&S)"),
     QT_TRANSLATE_NOOP("TFmIX", "選択"), 42},
    {Command::SelectAll, "SelectAll", "A_Edit1", QT_TRANSLATE_NOOP("TFmIX", "すべて選択(&L)"), "",
     0},
    {Command::DeleteSelected, "DeleteSelected", "A_Edit1",
     QT_TRANSLATE_NOOP("TFmIX", "選択した図形の削除(&D)"), "", 0},
    {Command::EndCommand, "ACancel", "A_Edit1", QT_TRANSLATE_NOOP("TFmIX", "ｺﾏﾝﾄﾞ終了"),
     QT_TRANSLATE_NOOP("TFmIX", "ｺﾏﾝﾄﾞ終了"), 0},
    {Command::ZoomOriginal, "ZoomOrg", "A_View1", QT_TRANSLATE_NOOP("TFmIX", "等倍表示(&G)"), "",
     0},
    {Command::ZoomIn, "ZoomIn", "A_View1", QT_TRANSLATE_NOOP("TFmIX", "拡大表示(&I)"),
     QT_TRANSLATE_NOOP("TFmIX", "拡大表示"), 26},
    {Command::ZoomOut, "ZoomOut", "A_View1", QT_TRANSLATE_NOOP("TFmIX", "縮小表示(&O)"),
     QT_TRANSLATE_NOOP("TFmIX", "縮小表示"), 27},
    {Command::ZoomAll, "ZoomAll", "A_View1", QT_TRANSLATE_NOOP("TFmIX", "全体表示(&A)"),
     QT_TRANSLATE_NOOP("TFmIX", "全体表示"), 29},
    {Command::ZoomMode, "Zoom", "A_View1", QT_TRANSLATE_NOOP("TFmIX", "ズーム(&Z)"),
     QT_TRANSLATE_NOOP("TFmIX", "ズーム"), 12},
    {Command::PanMode, "Panning", "A_View1", QT_TRANSLATE_NOOP("TFmIX", "画面移動(&P)"),
     QT_TRANSLATE_NOOP("TFmIX", "画面移動"), 17},
    {Command::Repaint, "ViewIx", "A_View1", QT_TRANSLATE_NOOP("TFmIX", "表示"), "", 0},
    {Command::StateLine, "M_LineG", "A_Draw1", QT_TRANSLATE_NOOP("TFmIX", "状態変化直線(&L)"), "",
     34},
    {Command::FreeSegment, "M_Free", "A_Draw1", QT_TRANSLATE_NOOP("TFmIX", "線分記入(&F)"),
     QT_TRANSLATE_NOOP("TFmIX", "線分記入"), 32},
    {Command::Text, "M_TextG", "A_Draw1", QT_TRANSLATE_NOOP("TFmIX", "文字記入"),
     QT_TRANSLATE_NOOP("TFmIX", "文字記入"), 25},
    {Command::PointOk, "M_Point", "A_Draw1", "O K", "", 0},
    {Command::StateLineOk, "M_Line", "A_Draw1", "O K", "", 0},
    {Command::TextOk, "M_Text", "A_Draw1", "O K", "", 23},
    {Command::DesignPoint, "DesignPoint", "A_Design1", QT_TRANSLATE_NOOP("TFmIX", "状態点を置く(&P)"),
     QT_TRANSLATE_NOOP("TFmIX", "図上をクリックして状態点を置く"), 0},
    {Command::DesignPointDialog, "DesignPointDialog", "A_Design1",
     QT_TRANSLATE_NOOP("TFmIX", "状態点を入力(&I)..."), "", 0},
    {Command::DesignProcess, "DesignProcess", "A_Design1",
     QT_TRANSLATE_NOOP("TFmIX", "状態変化を追加(&C)..."), "", 0},
    {Command::DesignPanel, "DesignPanel", "A_Design1",
     QT_TRANSLATE_NOOP("TFmIX", "状態点と状態変化の表(&T)"), "", 0},
    {Command::CoilDialog, "A_Ahu1G", "A_Draw2", QT_TRANSLATE_NOOP("TFmIX", "ｼﾝｸﾞﾙｺｲﾙ"), "", 0},
    {Command::CoilRun, "A_Ahu1", "A_Draw2", QT_TRANSLATE_NOOP("TFmIX", "記入"), "", 0},
    {Command::AhuDialog, "AhuDialog", "A_Draw2", QT_TRANSLATE_NOOP("TFmIX", "空調機設計(&U)..."),
     "", 0},
    {Command::Options, "Options", "A_Option1", QT_TRANSLATE_NOOP("TFmIX", "設定"), "", 0},
    {Command::About, "Humidrawabout", "", QT_TRANSLATE_NOOP("TFmIX", "Humidrawについて(&A)"), "",
     0},
};

struct MenuItem {
    Command command;  // None: a separator, or the recent-files submenu
    const char* itemName;
    const char* caption = nullptr;  // replaces the action's caption on the item when given
    bool recentFiles = false;
};

struct Menu {
    const char* name;
    const char* caption;
    std::vector<MenuItem> items;
};

const std::vector<Menu>& menus() {
    static const std::vector<Menu> m = {
        {"File1",
         QT_TRANSLATE_NOOP("TFmIX", "ﾌｧｲﾙ(&F)"),
         {{Command::New, "New1", nullptr},
          {Command::Open, "OpenFile", nullptr},
          {Command::Save, "Save1", nullptr},
          {Command::SaveAs, "SaveAs1", nullptr},
          {Command::None, "h0", nullptr},
          {Command::None, "Recent1", nullptr, true},
          {Command::None, "h1", nullptr},
          {Command::Print, "Print1", nullptr},
          {Command::None, "h2", nullptr},
          {Command::Metafile, "M1", nullptr},
          {Command::None, "N2", nullptr},
          {Command::Exit, "HumidrawX1", nullptr}}},
        {"Edit1",
         QT_TRANSLATE_NOOP("TFmIX", "編集(&E)"),
         {{Command::Undo, "UNDO1", nullptr},
          {Command::Redo, "REDO1", nullptr},
          {Command::None, "N4", nullptr},
          {Command::ClearAll, "ALL_ERASE", nullptr},
          {Command::Erase, "ERASE1", nullptr},
          {Command::None, "N5", nullptr},
          {Command::Select, "SELECT1", nullptr},
          {Command::SelectAll, "SELECT_ALL", nullptr},
          {Command::DeleteSelected, "DELETE1", nullptr},
          {Command::None, "N3", nullptr},
          {Command::ToClipboard, "B1", nullptr}}},
        {"View1",
         QT_TRANSLATE_NOOP("TFmIX", "表示(&V)"),
         {{Command::ZoomOriginal, "ZOOM_ORG", nullptr},
          {Command::ZoomIn, "ZOOM_IN", nullptr},
          {Command::ZoomOut, "ZOOM_OUT", nullptr},
          {Command::ZoomAll, "ZOOM_ALL", nullptr},
          {Command::None, "N1", nullptr},
          {Command::PanMode, "P1", nullptr}}},
        {"Draw1",
         QT_TRANSLATE_NOOP("TFmIX", "作成(&D)"),
         {{Command::StateLine, "FIXLINE", nullptr}, {Command::FreeSegment, "LINE", nullptr}}},
        {"Draw2",
         QT_TRANSLATE_NOOP("TFmIX", "自動記入(&A)"),
         {{Command::CoilDialog, "AUTO_AHU", QT_TRANSLATE_NOOP("TFmIX", "ｼﾝｸﾞﾙｺｲﾙ方式(&S)")},
          {Command::AhuDialog, "AUTO_AHU_DESIGN", nullptr}}},
        // S: 作成 has D, and two menus of one access key would take turns at opening.
        {"Design1",
         QT_TRANSLATE_NOOP("TFmIX", "設計(&S)"),
         {{Command::DesignPoint, "DESIGN_POINT", nullptr},
          {Command::DesignPointDialog, "DESIGN_POINT_DIALOG", nullptr},
          {Command::DesignProcess, "DESIGN_PROCESS", nullptr},
          {Command::None, "N6", nullptr},
          {Command::DesignPanel, "DESIGN_PANEL", nullptr}}},
        {"Option1",
         QT_TRANSLATE_NOOP("TFmIX", "設定(&O)"),
         {{Command::Options, "IxOption", nullptr}}},
        {"Help1", QT_TRANSLATE_NOOP("TFmIX", "ﾍﾙﾌﾟ(&H)"), {{Command::About, "About1", nullptr}}},
    };
    return m;
}

}  // namespace

void TFmIX::createCommands() {
    for (const CommandRow& c : kCommands) {
        auto* a = new QAction(tr(c.caption), this);
        a->setObjectName(c.name);
        a->setProperty("category", c.category);
        a->setProperty("image", c.image);
        a->setToolTip(*c.hint ? tr(c.hint) : QString());
        a->setStatusTip(a->toolTip());
        if (c.image) a->setIcon(commandIcon(c.image));
        a->setIconVisibleInMenu(c.image != 0);
        d->actions[static_cast<int>(c.id)] = a;
    }
    const auto on = [this](Command c, auto f) { connect(action(c), &QAction::triggered, this, f); };
    on(Command::ZoomIn, [this] { ZoomIn(); });
    on(Command::ZoomOut, [this] { ZoomOut(); });
    on(Command::ZoomAll, [this] { ZoomAll(); });
    on(Command::ZoomOriginal, [this] { ZoomOrg(); });
    on(Command::ZoomMode, [this] { d->editor.startZoomMode(); });
    on(Command::PanMode, [this] { d->editor.startPanningMode(); });
    on(Command::Repaint, [this] { ViewIx(); });
    on(Command::EndCommand, [this] { d->editor.commandEnd(); });
    on(Command::Exit, [this] { Fend(); });
    on(Command::New, [this] { Fnew(); });
    on(Command::Open, [this] { Fopen(); });
    on(Command::Save, [this] { Fsave(); });
    on(Command::SaveAs, [this] { Fsaveas(); });
    on(Command::FreeSegment, [this] { M_Free(); });
    on(Command::Erase, [this] { SsErase(); });
    on(Command::StateLine, [this] { M_LineG(); });
    on(Command::Text, [this] { M_TextG(); });
    on(Command::ClearAll, [this] { DataClear(); });
    on(Command::Undo, [this] { Undo(); });
    on(Command::Redo, [this] { Redo(); });
    on(Command::Select, [this] { Select(); });
    on(Command::SelectAll, [this] {
        if (!d->editor.selectMode()) Select();
        d->editor.selectAll();
    });
    on(Command::DeleteSelected, [this] { d->editor.deleteSelected(); });
    on(Command::CoilDialog, [this] { A_Ahu1G(); });
    on(Command::AhuDialog, [this] { showAhuDialog(); });
    on(Command::DesignPoint, [this] { startDesignPoint(); });
    on(Command::DesignPointDialog, [this] { showDesignPointDialog(); });
    on(Command::DesignProcess, [this] { showDesignProcessDialog(); });
    action(Command::DesignPanel)->setCheckable(true);
    connect(action(Command::DesignPanel), &QAction::toggled, this,
            [this](bool on) { showDesignPanel(on); });
    on(Command::Print, [this] { PrintIx(); });
    on(Command::Metafile, [this] { MetaSave(); });
    on(Command::ToClipboard, [this] { ToClip(); });
    on(Command::Options, [this] {
        d->editor.commandEnd();
        showDialog(d->options);
        d->editor.setLastCommand(Command::Options);
    });
    on(Command::About, [this] { showDialog(d->about); });
}

void TFmIX::createMenus() {
    for (const Menu& m : menus()) {
        QMenu* menu = menuBar()->addMenu(tr(m.caption));
        menu->setObjectName(m.name);
        for (const MenuItem& item : m.items) {
            if (item.recentFiles) {
                // Filled from the settings file each time it opens.
                d->recentMenu = menu->addMenu(tr("最近使ったファイル"));
                d->recentMenu->setObjectName(item.itemName);
                connect(d->recentMenu, &QMenu::aboutToShow, this, [this] { openingRecentMenu(); });
                fillRecentMenu();
                continue;
            }
            if (item.command == Command::None) {
                menu->addSeparator()->setObjectName(item.itemName);
                continue;
            }
            QAction* a = action(item.command);
            if (item.caption) {
                // The menu item carries its own caption and runs the same command.
                auto* own = menu->addAction(a->icon(), tr(item.caption));
                own->setObjectName(item.itemName);
                connect(own, &QAction::triggered, a, &QAction::trigger);
            } else {
                menu->addAction(a);
            }
        }
    }
}

void TFmIX::createToolBars() {
    d->commandBar = new QToolBar(tr("Humidraw ﾂｰﾙﾊﾞｰ1"), this);
    d->commandBar->setObjectName("Toolbar1");
    d->commandBar->setIconSize(QSize(16, 16));
    d->commandBar->setMovable(true);
    d->commandBar->setFloatable(true);
    d->commandBar->setAllowedAreas(Qt::AllToolBarAreas);
    using C = Command;  // None: a separator
    const C buttons[] = {C::New,       C::Open,        C::Save, C::None,    C::Print,  C::None,
                         C::Undo,      C::Redo,        C::None, C::Select,  C::Erase,  C::None,
                         C::StateLine, C::FreeSegment, C::Text, C::None,    C::ZoomIn, C::ZoomOut,
                         C::ZoomMode,  C::ZoomAll,     C::None, C::PanMode, C::None,   C::Exit};
    for (const C b : buttons) {
        if (b == C::None) {
            d->commandBar->addSeparator();
            continue;
        }
        QAction* a = action(b);
        d->commandBar->addAction(a);
        auto* button = qobject_cast<QToolButton*>(d->commandBar->widgetForAction(a));
        if (!button) continue;
        button->setObjectName("btn_" + a->objectName());
        button->setFixedSize(23, 22);
        if (b == C::ZoomIn || b == C::ZoomOut) {
            button->setObjectName(b == C::ZoomIn ? "btn_zoom_up" : "btn_zoom_down");
            button->setAutoRepeat(true);
            button->setAutoRepeatDelay(300);
            button->setAutoRepeatInterval(50);
        }
        if (b == C::StateLine) button->setToolTip(QString());
    }
    addToolBar(Qt::TopToolBarArea, d->commandBar);
    addToolBarBreak(Qt::TopToolBarArea);

    d->propertyBar = new QToolBar(tr("Humidraw 線の設定"), this);
    d->propertyBar->setObjectName("Toolbar2");
    d->propertyBar->setMovable(true);
    d->propertyBar->setFloatable(true);
    d->propertyBar->setAllowedAreas(Qt::AllToolBarAreas);
    d->colourPicker = new GlyphComboBox(
        [](QPainter& p, const QRect& r, int item) {
            const Colour c = paletteColour(item + 1);
            drawSwatch(p, r, QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
        },
        80, 10, d->propertyBar);
    d->colourPicker->setObjectName("ColorCB");
    for (int i = 1; i <= 13; ++i) d->colourPicker->addItem(QString::number(i));
    d->widthPicker = new GlyphComboBox(
        [](QPainter& p, const QRect& r, int item) { drawWidthSample(p, r, item); }, 80, 5,
        d->propertyBar);
    d->widthPicker->setObjectName("LineWidth");
    for (int i = 0; i <= 4; ++i) d->widthPicker->addItem(QString::number(i));
    d->stylePicker = new GlyphComboBox(
        [](QPainter& p, const QRect& r, int item) { drawStyleSample(p, r, item); }, 115, 5,
        d->propertyBar);
    d->stylePicker->setObjectName("LineStyle");
    for (const char* name : kStyleNames)
        d->stylePicker->addItem(QCoreApplication::translate("Document", name));
    d->colourPicker->setCurrentIndex(6);
    d->widthPicker->setCurrentIndex(3);
    d->stylePicker->setCurrentIndex(0);
    connect(d->colourPicker, &QComboBox::currentIndexChanged, this,
            [this](int i) { pickerChanged(LineAttribute::Colour, i + 1); });
    connect(d->widthPicker, &QComboBox::currentIndexChanged, this,
            [this](int i) { pickerChanged(LineAttribute::Width, i); });
    connect(d->stylePicker, &QComboBox::currentIndexChanged, this,
            [this](int i) { pickerChanged(LineAttribute::Style, i); });
    const std::pair<const char*, GlyphComboBox*> items[] = {
        {QT_TR_NOOP(" 色："), d->colourPicker},
        {QT_TR_NOOP(" 幅："), d->widthPicker},
        {QT_TR_NOOP(" 線種："), d->stylePicker}};
    int n = 1;
    for (const auto& [label, picker] : items) {
        auto* l = new PickerLabel(tr(label), picker, d->propertyBar);
        l->setObjectName(QString("Label%1").arg(n++));
        d->propertyBar->addWidget(l);
        d->propertyBar->addWidget(picker);
        d->propertyBar->addSeparator();
    }
    addToolBar(Qt::TopToolBarArea, d->propertyBar);
    // The bars can move and float but are never closed.
    for (QToolBar* bar : {d->commandBar, d->propertyBar})
        bar->toggleViewAction()->setEnabled(false);
    setContextMenuPolicy(Qt::PreventContextMenu);
}

}  // namespace humidraw::app
