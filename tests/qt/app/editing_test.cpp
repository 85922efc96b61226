// Everyday editing in the window: undo and redo of whole commands, the caption, the pickers over
// a selection, editing a placed text, recent files, dropped documents and the command keys.
#include <QApplication>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

#include "app/coil_dialog.h"
#include "app/language_choice.h"
#include "app/pickers.h"
#include "qt/app/window_fixture.h"

using namespace humidraw;
using namespace humidraw::app;
using namespace humidraw::app::fixture;

namespace {

std::string caption(const TFmIX& w) {
    return w.windowTitle().toStdString();
}

// Sends a drop of one URL onto the window, as a file manager would.
bool drop(TFmIX& w, const QUrl& url) {
    QMimeData data;
    data.setUrls({url});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent dropped(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &dropped);
    return dropped.isAccepted();
}

}  // namespace

TEST_F(Window, UndoAndRedoTakeWholeCommandsAndTheModifiedFlagFollows) {
    TFmIX& w = open();
    const std::string program = caption(w);
    EXPECT_FALSE(w.action("Undo")->isEnabled());
    EXPECT_FALSE(w.action("Redo")->isEnabled());
    drawLineAB(w);  // five objects
    w.A_Ahu1G();
    w.coilDialog()->Button1->click();  // both seasons: 29 objects
    ASSERT_EQ(w.documentObjects().count(), 34);
    script.answers = {Answer::Yes};
    w.DataClear();
    EXPECT_EQ(w.documentObjects().count(), 0);
    EXPECT_EQ(caption(w), program) << "a document without a file shows only the program";

    w.Undo();  // 全消去
    int live = 0;
    w.documentObjects().walk([&live](int, const ObjectRecord&) { ++live; });
    EXPECT_EQ(live, 34);
    w.Undo();  // the coil run, both seasons at once
    EXPECT_EQ(w.documentObjects().count(), 5);
    EXPECT_TRUE(w.action("Redo")->isEnabled());
    w.Undo();
    EXPECT_EQ(w.documentObjects().count(), 0);
    EXPECT_FALSE(w.modified()) << "back where the new document started";
    EXPECT_FALSE(w.action("Undo")->isEnabled());
    w.Redo();
    EXPECT_EQ(w.documentObjects().count(), 5);

    // Saved: the caption names the file; a change puts "*" before it, undoing it takes it off.
    script.files = {(dir / "plan").string()};
    ASSERT_TRUE(w.Fsave());
    EXPECT_EQ(caption(w), program + " - plan.hdw");
    w.Redo();
    EXPECT_TRUE(w.modified());
    EXPECT_EQ(caption(w), program + " - *plan.hdw");
    w.Undo();
    EXPECT_FALSE(w.modified());
    EXPECT_EQ(caption(w), program + " - plan.hdw");
    EXPECT_TRUE(w.close()) << "no question: the document is what the file holds";
    EXPECT_TRUE(said.empty() || said.back().text != "現在編集中の図面を保存しますか？");

    // Opening and New start without history.
    TFmIX& again = open();
    ASSERT_TRUE(again.openDocument((dir / "plan.hdw").string()));
    EXPECT_FALSE(again.action("Undo")->isEnabled());
    drawLineAB(again);
    script.answers = {Answer::No};
    again.Fnew();
    EXPECT_FALSE(again.action("Undo")->isEnabled());
    EXPECT_EQ(caption(again), program);
}

TEST_F(Window, PickersChangeTheSelectionAndADoubleClickedTextIsEdited) {
    TFmIX& w = open();
    drawLineAB(w);
    w.Select();
    w.editor().selectAll();  // the line and its two labels, not the rows
    EXPECT_EQ(w.colourPicker()->currentIndex(), 6) << "colour 7 shown";
    w.colourPicker()->setCurrentIndex(1);  // colour 2
    const ObjectTable& t = w.documentObjects();
    EXPECT_EQ(t.at(4).colour, 2);
    EXPECT_EQ(t.at(0).colour, 2) << "the label A";
    EXPECT_EQ(t.at(1).colour, 7) << "a row of the table is not selected";
    EXPECT_EQ(w.history().steps(), 2u) << "the line, then the colour";
    // Without a selection the picker shows, and sets, the colour of new objects again.
    w.editor().escapeKey();
    EXPECT_EQ(w.colourPicker()->currentIndex(), 6);
    w.Undo();
    EXPECT_EQ(t.at(4).colour, 7);

    // The label A as a placed text: its string and label position in the text dialog.
    w.editText(0);
    TEdText1* d = w.textDialog();
    ASSERT_TRUE(d->isVisible());
    EXPECT_EQ(d->EdTextData->text().toStdString(), "A");
    EXPECT_FALSE(d->positionRow->isHidden());
    d->EdTextData->setText("OA");
    d->TXP->setCurrentIndex(6);
    d->Ed_Ok_Btn->click();
    EXPECT_EQ(t.at(0).text, "OA");
    EXPECT_EQ(t.at(0).labelPosition, 6);
    EXPECT_EQ(w.documentObjects().count(), 5) << "changed in place, nothing placed";
    // 文字記入 afterwards offers an empty dialog without the position.
    w.M_TextG();
    EXPECT_TRUE(d->EdTextData->text().isEmpty());
    EXPECT_TRUE(d->positionRow->isHidden());
    d->hide();
}

TEST_F(Window, RecentFilesAndDroppedDocuments) {
    TFmIX& w = open();
    EXPECT_FALSE(w.findChild<QMenu*>("Recent1")->menuAction()->isEnabled()) << "nothing yet";
    drawLineAB(w);
    script.files = {(dir / "one").string()};
    ASSERT_TRUE(w.Fsave());
    script.files = {(dir / "two").string()};
    ASSERT_TRUE(w.Fsaveas());
    EXPECT_EQ(w.recentFiles(),
              (std::vector<std::string>{(dir / "two.hdw").string(), (dir / "one.hdw").string()}));
    EXPECT_NE(iniText().find("one.hdw"), std::string::npos) << "kept in the settings file";
    fs::remove(dir / "one.hdw");
    window.reset();

    TFmIX& next = open();
    ASSERT_EQ(next.recentFiles().size(), 2u) << "read back at start";
    auto* menu = next.findChild<QMenu*>("Recent1");
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->menuAction()->isEnabled()) << "the submenu can be opened";
    emit menu->aboutToShow();
    const auto items = menu->actions();
    ASSERT_EQ(items.size(), 2);
    EXPECT_TRUE(items[0]->isEnabled());
    EXPECT_FALSE(items[1]->isEnabled()) << "a document that is gone";
    items[0]->trigger();
    EXPECT_EQ(next.documentTitle(), "two");
    EXPECT_EQ(next.documentObjects().count(), 5);

    // Drops: a document opens after the save question; anything else is refused.
    drawLineAB(next);
    script.answers = {Answer::Cancel};
    EXPECT_TRUE(
        drop(next, QUrl::fromLocalFile(QString::fromStdString((dir / "two.hdw").string()))));
    EXPECT_EQ(next.documentObjects().count(), 10) << "Cancel keeps the document";
    std::ofstream(dir / "notes.txt") << "x";
    EXPECT_FALSE(
        drop(next, QUrl::fromLocalFile(QString::fromStdString((dir / "notes.txt").string()))));
    EXPECT_FALSE(drop(next, QUrl("https://example.com/a.hdw")));
    script.answers = {Answer::No};
    EXPECT_TRUE(
        drop(next, QUrl::fromLocalFile(QString::fromStdString((dir / "two.hdw").string()))));
    EXPECT_EQ(next.documentObjects().count(), 5);
    EXPECT_FALSE(next.modified());
}

TEST_F(Window, CommandKeysAndCtrlQClosesAsTheCloseBoxDoes) {
    TFmIX& w = open();
    const std::vector<std::pair<std::string, std::string>> keys = {
        {"Fnew", "Ctrl+N"},          {"Fopen", "Ctrl+O"},     {"Fsave", "Ctrl+S"},
        {"Fsaveas", "Ctrl+Shift+S"}, {"PrintIx", "Ctrl+P"},   {"Undo", "Ctrl+Z"},
        {"Redo", "Ctrl+Y"},          {"SelectAll", "Ctrl+A"}, {"DeleteSelected", "Del"},
        {"ZoomIn", "Ctrl++"},        {"ZoomOut", "Ctrl+-"},   {"ZoomAll", "Ctrl+0"},
        {"Humidrawabout", "F1"},     {"Quit", "Ctrl+Q"}};
    for (const auto& [name, key] : keys) {
        ASSERT_NE(w.action(name), nullptr) << name;
        EXPECT_EQ(w.action(name)->shortcut().toString().toStdString(), key) << name;
    }
    EXPECT_EQ(w.action("Redo")->shortcuts().value(1).toString().toStdString(), "Ctrl+Shift+Z");
    w.show();
    drawLineAB(w);
    script.answers = {Answer::Cancel};
    w.action("Quit")->trigger();
    EXPECT_TRUE(w.isVisible()) << "the save question was cancelled";
    EXPECT_EQ(said.back().text, "現在編集中の図面を保存しますか？");
    script.answers = {Answer::No};
    w.action("Quit")->trigger();
    EXPECT_FALSE(w.isVisible());
    EXPECT_NE(iniText().find("CurrentDir"), std::string::npos) << "the closing steps ran";
}

TEST_F(Window, TwoWindowsKeepEachOthersRecentFilesAndAnyNameShowsAsItIs) {
    TFmIX& a = open();
    Script other;
    auto b = std::make_unique<TFmIX>(ini, dir.string(), std::make_unique<ScriptedPrompts>(other));
    drawLineAB(*b);
    other.files = {(dir / "from_B").string()};
    ASSERT_TRUE(b->Fsave());
    b.reset();  // B ends first
    drawLineAB(a);
    script.files = {(dir / "R&D plan").string()};
    ASSERT_TRUE(a.Fsave());
    const std::string plan = (dir / "R&D plan.hdw").string();
    EXPECT_EQ(a.recentFiles(), (std::vector<std::string>{plan, (dir / "from_B.hdw").string()}));

    // A name that is not UTF-8 (a copy of the plan named with the byte FF), dropped as a file
    // manager sends it: percent-escaped in the URL.
    const std::string bad = (dir / "bad\xff.hdw").string();
    fs::copy_file(plan, bad);
    script.answers = {Answer::No};
    ASSERT_TRUE(drop(a, QUrl("file://" + QString::fromStdString(dir.string()) + "/bad%FF.hdw")));
    EXPECT_EQ(a.documentTitle(), "bad\xff");
    EXPECT_EQ(a.documentObjects().count(), 5);
    const std::string shown = " - bad\\xff.hdw";  // the byte written as \xff
    EXPECT_EQ(caption(a).substr(caption(a).size() - shown.size()), shown);
    window.reset();

    TFmIX& next = open();
    auto* menu = next.findChild<QMenu*>("Recent1");
    emit menu->aboutToShow();
    QStringList texts;
    for (QAction* item : menu->actions()) {
        EXPECT_TRUE(item->isEnabled()) << item->text().toStdString();
        texts << item->text();
    }
    const QString d = QString::fromStdString(dir.string());
    // '&' doubled: the menu shows "R&D plan", not "RD plan" with D as the access key.
    EXPECT_EQ(texts, (QStringList{"&1 " + d + "/bad\\xff.hdw", "&2 " + d + "/R&&D plan.hdw",
                                  "&3 " + d + "/from_B.hdw"}));
    menu->actions()[0]->trigger();
    EXPECT_EQ(next.documentTitle(), "bad\xff") << "opened by its bytes";
}

TEST(CommandLine, TheDocumentArgumentKeepsItsBytes) {
    struct Case {
        std::vector<std::string> args;
        std::string document;
    } cases[] = {
        {{"humidraw", "bad\xff.hdw"}, "/home/u/bad\xff.hdw"},
        {{"humidraw", "--lang", "en", "./sub/../a.hdw"}, "/home/u/a.hdw"},
        {{"humidraw", "--lang=en", "/abs//b.hdw"}, "/abs/b.hdw"},
        {{"humidraw", "--", "-dash.hdw"}, "/home/u/-dash.hdw"},
        {{"humidraw", "-x"}, ""},
        {{"humidraw", "--lang", "a.hdw"}, ""},
        {{"humidraw"}, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(documentArgument(c.args, "/home/u"), c.document) << c.args.back();
}
