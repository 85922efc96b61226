// 選択: picking lines and texts, changing them, moving and editing texts, each change one step
// of the history, with a fake window.
#include <gtest/gtest.h>

#include <cmath>

#include "interaction/editor.h"
#include "core/interaction/fake_host.h"

using namespace humidraw;
using humidraw::testing_support::FakeHost;

namespace {

class Selection : public testing::Test {
  protected:
    // Objects drawn at known paint-box pixels (zoom 1): a horizontal line 100–300 at y 100, a
    // vertical line at x 400 from y 100 to 300, the text "room" anchored at (500.5, 400.5) with
    // label position 2, a value-table row and an erased line.
    void SetUp() override {
        line(100.5, 100.5, 300.5, 100.5);
        line(400.5, 100.5, 400.5, 300.5);
        ObjectRecord t;
        t.kind = kTextObject;
        t.colour = 7;
        const StatePoint p = w.frame().inverse(500.5, 400.5);
        t.h1 = p.h, t.x1 = p.x;
        t.labelPosition = 2;
        t.text = "room";
        w.table.append(t);
        ObjectRecord row;
        row.kind = kTableRow;
        row.text = "A,26.5,50.0";
        w.table.append(row);
        line(100.5, 500.5, 200.5, 500.5);
        w.table.markDeleted(4);
    }
    void line(double ax, double ay, double bx, double by) {
        ObjectRecord r;
        r.kind = kLineBothMarkers;
        r.colour = 7, r.width = 3, r.style = 0;
        const StatePoint a = w.frame().inverse(ax, ay), b = w.frame().inverse(bx, by);
        r.h1 = a.h, r.x1 = a.x, r.h2 = b.h, r.x2 = b.x;
        w.table.append(r);
    }
    void click(int x, int y, bool shift = false) {
        editor.mouseMove(false, false, x, y);
        editor.mouseDown(MouseButton::Left, shift, x, y);
        editor.mouseUp(MouseButton::Left, x, y);
    }
    // The text's box with the fake's metrics (4 pixels a byte, 8 high) and label position 2:
    // left = X + 4, top = Y − 12, so "room" covers x 504–520, y 388–396 of the anchor (500, 400).
    static constexpr int kTextX = 510, kTextY = 392;
    FakeHost w;
    Editor editor{w};
};

TEST_F(Selection, ClicksPickShiftAddsAndEscClearsThenEnds) {
    editor.startSelect();
    EXPECT_TRUE(editor.selectMode());
    EXPECT_EQ(w.cursor, kCursorPick);
    click(200, 103);  // 3 pixels below the first line
    EXPECT_EQ(editor.selection(), (std::vector<int>{0}));
    click(404, 200);
    EXPECT_EQ(editor.selection(), (std::vector<int>{1})) << "a plain click replaces";
    click(200, 97, true);
    EXPECT_EQ(editor.selection(), (std::vector<int>{1, 0})) << "Shift adds";
    click(kTextX, kTextY, true);
    EXPECT_EQ(editor.selection(), (std::vector<int>{1, 0, 2}));
    click(200, 97, true);
    click(700, 700, true);
    EXPECT_EQ(editor.selection().size(), 3u) << "Shift on a picked object or on paper adds nothing";
    const int highlights = w.highlights;
    editor.repainted();
    EXPECT_EQ(w.highlights, highlights + 3) << "the selection is drawn again after a repaint";
    click(150, 500);  // the erased line and the empty paper
    EXPECT_TRUE(editor.selection().empty());
    editor.selectAll();
    EXPECT_EQ(editor.selection(), (std::vector<int>{0, 1, 2})) << "no rows, no erased objects";
    const int changes = w.selectionChanges;
    editor.escapeKey();
    EXPECT_TRUE(editor.selection().empty());
    EXPECT_TRUE(editor.selectMode()) << "the first Esc only clears";
    EXPECT_GT(w.selectionChanges, changes);
    editor.escapeKey();
    EXPECT_FALSE(editor.selectMode());
    EXPECT_EQ(w.cursor, kCursorCross);
    EXPECT_EQ(w.hist.steps(), 0u) << "picking changes nothing";
}

TEST_F(Selection, EachChangeOfTheSelectionIsOneStep) {
    EXPECT_FALSE(editor.changeSelected(LineAttribute::Colour, 3)) << "no select command";
    editor.startSelect();
    editor.selectAll();
    CurrentAttributes shown;
    ASSERT_TRUE(editor.selectionAttributes(CurrentAttributes{1, 0, 4}, shown));
    EXPECT_EQ(shown.colour, 7);
    EXPECT_EQ(shown.width, 3) << "the first line's, not the current attributes";
    ASSERT_TRUE(editor.changeSelected(LineAttribute::Colour, 3));
    ASSERT_TRUE(editor.changeSelected(LineAttribute::Width, 1));
    ASSERT_TRUE(editor.changeSelected(LineAttribute::Style, 2));
    EXPECT_FALSE(editor.changeSelected(LineAttribute::Style, 2)) << "the same again: no step";
    EXPECT_EQ(w.hist.steps(), 3u);
    for (int i : {0, 1}) {
        EXPECT_EQ(w.table.at(i).colour, 3);
        EXPECT_EQ(w.table.at(i).width, 1);
        EXPECT_EQ(w.table.at(i).style, 2);
    }
    EXPECT_EQ(w.table.at(2).colour, 3) << "a text takes the colour";
    EXPECT_EQ(w.table.at(2).width, 0) << "and nothing else";
    EXPECT_EQ(w.table.at(3).colour, 0) << "rows are never changed";
    w.hist.undo(w.table);
    EXPECT_EQ(w.table.at(0).style, 0);
    EXPECT_EQ(w.table.at(0).width, 1);

    // Delete: every selected object in one step, and undo brings all of them back.
    ASSERT_TRUE(editor.deleteSelected());
    EXPECT_TRUE(editor.selection().empty());
    for (int i : {0, 1, 2}) EXPECT_EQ(w.table.at(i).kind, kDeleted);
    EXPECT_FALSE(editor.deleteSelected()) << "nothing selected";
    ASSERT_TRUE(w.hist.undo(w.table));
    EXPECT_EQ(w.table.at(0).kind, kLineBothMarkers);
    EXPECT_EQ(w.table.at(2).kind, kTextObject);
}

TEST_F(Selection, ATextIsDraggedToANewPlace) {
    editor.startSelect();
    editor.mouseMove(false, false, kTextX, kTextY);
    editor.mouseDown(MouseButton::Left, false, kTextX, kTextY);
    EXPECT_EQ(editor.selection(), (std::vector<int>{2})) << "pressed: picked at once";
    const int outlines = w.outlines;
    editor.mouseMove(true, false, kTextX + 2, kTextY - 1);
    EXPECT_EQ(w.outlines, outlines) << "two pixels are play, not a move";
    editor.mouseMove(true, false, kTextX + 30, kTextY - 10);
    editor.mouseMove(true, false, kTextX + 50, kTextY - 20);
    EXPECT_EQ(w.outlines, outlines + 3) << "drawn, then taken off and drawn again";
    editor.mouseUp(MouseButton::Left, kTextX + 50, kTextY - 20);
    EXPECT_EQ(w.outlines, outlines + 4) << "taken off at the drop";
    // The anchor moved by (50, −20) pixels: from (500.5, 400.5) to (550.5, 380.5).
    const ChartPoint p = w.frame().map(w.table.at(2).h1, w.table.at(2).x1);
    EXPECT_NEAR(p.x, 550.5, 1e-6);
    EXPECT_NEAR(p.y, 380.5, 1e-6);
    EXPECT_EQ(w.hist.steps(), 1u);
    // A click on the text without moving it leaves it where it is.
    click(kTextX + 50, kTextY - 20);
    EXPECT_EQ(w.hist.steps(), 1u);
    ASSERT_TRUE(w.hist.undo(w.table));
    const ChartPoint back = w.frame().map(w.table.at(2).h1, w.table.at(2).x1);
    EXPECT_NEAR(back.x, 500.5, 1e-6);
}

// A press on a text moves it only once the pointer has gone 3 pixels or more from the press
// either way; less is play, so that a click is not a move.
TEST_F(Selection, APressMovesATextOnlyBeyondThePlay) {
    const struct {
        int dx, dy;
        bool dragged;
    } cases[] = {
        {2, 0, false}, {3, 0, true},  {-2, 0, false}, {-3, 0, true},  {0, 2, false},
        {0, 3, true},  {0, -3, true}, {2, 2, false},  {2, -2, false}, {3, 2, true},
    };
    for (const auto& c : cases) {
        editor.startSelect();
        editor.mouseDown(MouseButton::Left, false, kTextX, kTextY);
        const int outlines = w.outlines;
        editor.mouseMove(true, false, kTextX + c.dx, kTextY + c.dy);
        EXPECT_EQ(w.outlines - outlines, c.dragged ? 1 : 0) << c.dx << "," << c.dy;
        editor.escapeKey();
        editor.mouseUp(MouseButton::Left, kTextX + c.dx, kTextY + c.dy);
        editor.commandEnd();
    }
    EXPECT_EQ(w.hist.steps(), 0u) << "nothing dropped";
}

TEST_F(Selection, DoubleClickAndEnterEditAText) {
    editor.doubleClick(200, 100);
    EXPECT_TRUE(w.editedTexts.empty()) << "a line has no text to edit";
    EXPECT_FALSE(editor.selectMode());
    editor.doubleClick(kTextX, kTextY);
    EXPECT_TRUE(editor.selectMode()) << "from no command, the double click selects";
    EXPECT_EQ(editor.selection(), (std::vector<int>{2}));
    EXPECT_EQ(w.editedTexts, (std::vector<int>{2}));
    editor.enterKey();
    EXPECT_EQ(w.editedTexts, (std::vector<int>{2, 2})) << "Enter with one text selected";
    click(200, 100, true);
    editor.enterKey();
    EXPECT_EQ(w.editedTexts.size(), 2u) << "not with two objects";

    EXPECT_FALSE(editor.changeText(0, "x", 2)) << "a line";
    EXPECT_FALSE(editor.changeText(2, "", 2)) << "an empty text";
    EXPECT_FALSE(editor.changeText(2, "x", 8)) << "no such label position";
    EXPECT_FALSE(editor.changeText(700, "x", 2));
    ASSERT_TRUE(editor.changeText(2, "office", 5));
    EXPECT_EQ(w.table.at(2).text, "office");
    EXPECT_EQ(w.table.at(2).labelPosition, 5);
    EXPECT_EQ(w.hist.steps(), 1u);
    w.hist.undo(w.table);
    EXPECT_EQ(w.table.at(2).text, "room");
    EXPECT_EQ(w.table.at(2).labelPosition, 2);
    // The first record of the table is a text like any other, and 0 is a label position.
    w.table.at(0) = w.table.at(2);
    EXPECT_TRUE(editor.changeText(0, "first", 0));
    EXPECT_EQ(w.table.at(0).text, "first");
    EXPECT_EQ(w.table.at(0).labelPosition, 0);
    EXPECT_FALSE(editor.changeText(-1, "x", 2));
    EXPECT_FALSE(editor.changeText(0, "x", -1));
}

TEST_F(Selection, UndoEndsDrawingAndDropsObjectsThatAreGone) {
    editor.startFreeSegment();
    click(100, 600);
    click(200, 650);  // one segment, index 5
    ASSERT_EQ(w.table.count(), 6);
    editor.beforeHistoryMove();
    EXPECT_EQ(editor.segmentState(), 0) << "the running segment ends before the table moves";
    editor.startSelect();
    editor.selectAll();
    EXPECT_EQ(editor.selection(), (std::vector<int>{0, 1, 2, 5}));
    editor.beforeHistoryMove();
    w.hist.undo(w.table);
    editor.afterHistoryMove();
    EXPECT_EQ(editor.selection(), (std::vector<int>{0, 1, 2}));
    EXPECT_TRUE(editor.selectMode());
}

TEST_F(Selection, EraseAndDeleteKeyInTheEraseCommandAreOneStep) {
    editor.startErase();
    click(200, 100);
    click(400, 200);
    ASSERT_TRUE(editor.deleteSelected());
    EXPECT_EQ(w.table.at(0).kind, kDeleted);
    EXPECT_EQ(w.table.at(1).kind, kDeleted);
    EXPECT_EQ(w.hist.steps(), 1u);
    w.hist.undo(w.table);
    EXPECT_EQ(w.table.at(0).kind, kLineBothMarkers);
    EXPECT_EQ(w.table.at(1).kind, kLineBothMarkers);
}

}  // namespace
