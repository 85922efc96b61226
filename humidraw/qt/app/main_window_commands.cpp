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

struct Command {
    const char* name;
    const char* category;
    const char* caption;
    const char* hint;  // "" none
    int image;         // 0 none
};

const Command kCommands[] = {
    {"Fnew", "A_File1", QT_TRANSLATE_NOOP("TFmIX", "新規作成(&N)"),
     QT_TRANSLATE_NOOP("TFmIX", "新規作成"), 6},
    {"Fopen", "A_File1", QT_TRANSLATE_NOOP("TFmIX", "開く(&O)"), QT_TRANSLATE_NOOP("TFmIX", "開く"),
     7},
    {"Fsave", "A_File1", QT_TRANSLATE_NOOP("TFmIX", "上書き保存(&S)"),
     QT_TRANSLATE_NOOP("TFmIX", "上書き保存"), 8},
    {"Fsaveas", "A_File1", QT_TRANSLATE_NOOP("TFmIX", "名前を付けて保存(&A)"),
     QT_TRANSLATE_NOOP("TFmIX", "名前を付けて保存"), 0},
    {"PrintIx", "A_File1", QT_TRANSLATE_NOOP("TFmIX", "印刷(&P)"),
     QT_TRANSLATE_NOOP("TFmIX", "印刷"), 14},
    {"MetaSave", "A_File1", QT_TRANSLATE_NOOP("TFmIX", "ﾒﾀﾌｧｲﾙ作成(&M)"),
     QT_TRANSLATE_NOOP("TFmIX", "ﾒﾀﾌｧｲﾙ作成"), 0},
    {"Fend", "A_File1", QT_TRANSLATE_NOOP("TFmIX", "Humidrawの終了(&X)"),
     QT_TRANSLATE_NOOP("TFmIX", "Humidrawの終了"), 31},
    {"Undo", "A_Edit1", QT_TRANSLATE_NOOP("TFmIX", "元に戻す(&U)"),
     QT_TRANSLATE_NOOP("TFmIX", "元に戻す"), 40},
    {"Redo", "A_Edit1", QT_TRANSLATE_NOOP("TFmIX", "やり直し(&R)"),
     QT_TRANSLATE_NOOP("TFmIX", "やり直し"), 41},
    {"DataClear", "A_Edit1", QT_TRANSLATE_NOOP("TFmIX", "全消去(&A)"), "", 0},
    {"SsErase", "A_Edit1", QT_TRANSLATE_NOOP("TFmIX", "図形削除(&E)"),
     QT_TRANSLATE_NOOP("TFmIX", "図形削除"), 30},
    {"ToClip", "A_Edit1", QT_TRANSLATE_NOOP("TFmIX", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞ出力(&B)"),
     QT_TRANSLATE_NOOP("TFmIX", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞ出力"), 10},
    {"Select", "A_Edit1", QT_TRANSLATE_NOOP("TFmIX", "選択(&S)"),
     QT_TRANSLATE_NOOP("TFmIX", "選択"), 42},
    {"SelectAll", "A_Edit1", QT_TRANSLATE_NOOP("TFmIX", "すべて選択(&L)"), "", 0},
    {"DeleteSelected", "A_Edit1", QT_TRANSLATE_NOOP("TFmIX", "選択した図形の削除(&D)"), "", 0},
    {"ACancel", "A_Edit1", QT_TRANSLATE_NOOP("TFmIX", "ｺﾏﾝﾄﾞ終了"),
     QT_TRANSLATE_NOOP("TFmIX", "ｺﾏﾝﾄﾞ終了"), 0},
    {"ZoomOrg", "A_View1", QT_TRANSLATE_NOOP("TFmIX", "等倍表示(&G)"), "", 0},
    {"ZoomIn", "A_View1", QT_TRANSLATE_NOOP("TFmIX", "拡大表示(&I)"),
     QT_TRANSLATE_NOOP("TFmIX", "拡大表示"), 26},
    {"ZoomOut", "A_View1", QT_TRANSLATE_NOOP("TFmIX", "縮小表示(&O)"),
     QT_TRANSLATE_NOOP("TFmIX", "縮小表示"), 27},
    {"ZoomAll", "A_View1", QT_TRANSLATE_NOOP("TFmIX", "全体表示(&A)"),
     QT_TRANSLATE_NOOP("TFmIX", "全体表示"), 29},
    {"Zoom", "A_View1", QT_TRANSLATE_NOOP("TFmIX", "ズーム(&Z)"),
     QT_TRANSLATE_NOOP("TFmIX", "ズーム"), 12},
    {"Panning", "A_View1", QT_TRANSLATE_NOOP("TFmIX", "画面移動(&P)"),
     QT_TRANSLATE_NOOP("TFmIX", "画面移動"), 17},
    {"ViewIx", "A_View1", QT_TRANSLATE_NOOP("TFmIX", "表示"), "", 0},
    {"M_LineG", "A_Draw1", QT_TRANSLATE_NOOP("TFmIX", "状態変化直線(&L)"), "", 34},
    {"M_Free", "A_Draw1", QT_TRANSLATE_NOOP("TFmIX", "線分記入(&F)"),
     QT_TRANSLATE_NOOP("TFmIX", "線分記入"), 32},
    {"M_TextG", "A_Draw1", QT_TRANSLATE_NOOP("TFmIX", "文字記入"),
     QT_TRANSLATE_NOOP("TFmIX", "文字記入"), 25},
    {"M_Point", "A_Draw1", "O K", "", 0},
    {"M_Line", "A_Draw1", "O K", "", 0},
    {"M_Text", "A_Draw1", "O K", "", 23},
    {"A_Ahu1G", "A_Draw2", QT_TRANSLATE_NOOP("TFmIX", "ｼﾝｸﾞﾙｺｲﾙ"), "", 0},
    {"A_Ahu1", "A_Draw2", QT_TRANSLATE_NOOP("TFmIX", "記入"), "", 0},
    {"Options", "A_Option1", QT_TRANSLATE_NOOP("TFmIX", "設定"), "", 0},
    {"Humidrawabout", "", QT_TRANSLATE_NOOP("TFmIX", "Humidrawについて(&A)"), "", 0},
};

struct MenuItem {
    const char* action;  // nullptr: a separator
    const char* itemName;
    const char* caption;  // replaces the action's caption on the item when given
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
         {{"Fnew", "New1", nullptr},
          {"Fopen", "OpenFile", nullptr},
          {"Fsave", "Save1", nullptr},
          {"Fsaveas", "SaveAs1", nullptr},
          {nullptr, "h0", nullptr},
          {"RecentFiles", "Recent1", nullptr},
          {nullptr, "h1", nullptr},
          {"PrintIx", "Print1", nullptr},
          {nullptr, "h2", nullptr},
          {"MetaSave", "M1", nullptr},
          {nullptr, "N2", nullptr},
          {"Fend", "HumidrawX1", nullptr}}},
        {"Edit1",
         QT_TRANSLATE_NOOP("TFmIX", "編集(&E)"),
         {{"Undo", "UNDO1", nullptr},
          {"Redo", "REDO1", nullptr},
          {nullptr, "N4", nullptr},
          {"DataClear", "ALL_ERASE", nullptr},
          {"SsErase", "ERASE1", nullptr},
          {nullptr, "N5", nullptr},
          {"Select", "SELECT1", nullptr},
          {"SelectAll", "SELECT_ALL", nullptr},
          {"DeleteSelected", "DELETE1", nullptr},
          {nullptr, "N3", nullptr},
          {"ToClip", "B1", nullptr}}},
        {"View1",
         QT_TRANSLATE_NOOP("TFmIX", "表示(&V)"),
         {{"ZoomOrg", "ZOOM_ORG", nullptr},
          {"ZoomIn", "ZOOM_IN", nullptr},
          {"ZoomOut", "ZOOM_OUT", nullptr},
          {"ZoomAll", "ZOOM_ALL", nullptr},
          {nullptr, "N1", nullptr},
          {"Panning", "P1", nullptr}}},
        {"Draw1",
         QT_TRANSLATE_NOOP("TFmIX", "作成(&D)"),
         {{"M_LineG", "FIXLINE", nullptr}, {"M_Free", "LINE", nullptr}}},
        {"Draw2",
         QT_TRANSLATE_NOOP("TFmIX", "自動記入(&A)"),
         {{"A_Ahu1G", "AUTO_AHU", QT_TRANSLATE_NOOP("TFmIX", "ｼﾝｸﾞﾙｺｲﾙ方式(&S)")}}},
        {"Option1", QT_TRANSLATE_NOOP("TFmIX", "設定(&O)"), {{"Options", "IxOption", nullptr}}},
        {"Help1", QT_TRANSLATE_NOOP("TFmIX", "ﾍﾙﾌﾟ(&H)"), {{"Humidrawabout", "About1", nullptr}}},
    };
    return m;
}

}  // namespace

void TFmIX::createCommands() {
    for (const Command& c : kCommands) {
        auto* a = new QAction(tr(c.caption), this);
        a->setObjectName(c.name);
        a->setProperty("category", c.category);
        a->setProperty("image", c.image);
        a->setToolTip(*c.hint ? tr(c.hint) : QString());
        a->setStatusTip(a->toolTip());
        if (c.image) a->setIcon(commandIcon(c.image));
        a->setIconVisibleInMenu(c.image != 0);
        d->actions[c.name] = a;
    }
    const auto on = [this](const char* name, auto f) {
        connect(d->actions.at(name), &QAction::triggered, this, f);
    };
    on("ZoomIn", [this] { ZoomIn(); });
    on("ZoomOut", [this] { ZoomOut(); });
    on("ZoomAll", [this] { ZoomAll(); });
    on("ZoomOrg", [this] { ZoomOrg(); });
    on("Zoom", [this] { d->editor.startZoomMode(); });
    on("Panning", [this] { d->editor.startPanningMode(); });
    on("ViewIx", [this] { ViewIx(); });
    on("ACancel", [this] { d->editor.commandEnd(); });
    on("Fend", [this] { Fend(); });
    on("Fnew", [this] { Fnew(); });
    on("Fopen", [this] { Fopen(); });
    on("Fsave", [this] { Fsave(); });
    on("Fsaveas", [this] { Fsaveas(); });
    on("M_Free", [this] { M_Free(); });
    on("SsErase", [this] { SsErase(); });
    on("M_LineG", [this] { M_LineG(); });
    on("M_TextG", [this] { M_TextG(); });
    on("DataClear", [this] { DataClear(); });
    on("Undo", [this] { Undo(); });
    on("Redo", [this] { Redo(); });
    on("Select", [this] { Select(); });
    on("SelectAll", [this] {
        if (!d->editor.selectMode()) Select();
        d->editor.selectAll();
    });
    on("DeleteSelected", [this] { d->editor.deleteSelected(); });
    on("A_Ahu1G", [this] { A_Ahu1G(); });
    on("PrintIx", [this] { PrintIx(); });
    on("MetaSave", [this] { MetaSave(); });
    on("ToClip", [this] { ToClip(); });
    on("Options", [this] {
        d->editor.commandEnd();
        showDialog(d->options);
        d->editor.setLastCommand(6);
    });
    on("Humidrawabout", [this] { showDialog(d->about); });
}

void TFmIX::createMenus() {
    for (const Menu& m : menus()) {
        QMenu* menu = menuBar()->addMenu(tr(m.caption));
        menu->setObjectName(m.name);
        for (const MenuItem& item : m.items) {
            if (!item.action) {
                menu->addSeparator()->setObjectName(item.itemName);
                continue;
            }
            if (std::string(item.action) == "RecentFiles") {
                // Filled from the settings file each time it opens.
                d->recentMenu = menu->addMenu(tr("最近使ったファイル"));
                d->recentMenu->setObjectName(item.itemName);
                connect(d->recentMenu, &QMenu::aboutToShow, this, [this] { openingRecentMenu(); });
                fillRecentMenu();
                continue;
            }
            QAction* a = d->actions.at(item.action);
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
    const std::vector<const char*> buttons = {
        "Fnew",   "Fopen",   "Fsave",   nullptr,   "PrintIx", nullptr,   "Undo",    "Redo",
        nullptr,  "Select",  "SsErase", nullptr,   "M_LineG", "M_Free",  "M_TextG", nullptr,
        "ZoomIn", "ZoomOut", "Zoom",    "ZoomAll", nullptr,   "Panning", nullptr,   "Fend"};
    for (const char* b : buttons) {
        if (!b) {
            d->commandBar->addSeparator();
            continue;
        }
        d->commandBar->addAction(d->actions.at(b));
        auto* button = qobject_cast<QToolButton*>(d->commandBar->widgetForAction(d->actions.at(b)));
        if (!button) continue;
        button->setObjectName(std::string("btn_").append(b).c_str());
        button->setFixedSize(23, 22);
        if (std::string(b) == "ZoomIn" || std::string(b) == "ZoomOut") {
            button->setObjectName(std::string(b) == "ZoomIn" ? "btn_zoom_up" : "btn_zoom_down");
            button->setAutoRepeat(true);
            button->setAutoRepeatDelay(300);
            button->setAutoRepeatInterval(50);
        }
        if (std::string(b) == "M_LineG") button->setToolTip(QString());
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
