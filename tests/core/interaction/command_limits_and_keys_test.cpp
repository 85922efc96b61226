// The chart commands at the edges: the object table's last free record taken by a segment, a
// typed point or a text and the next one refused; Esc, Enter and right clicks in panning and zoom
// mode, alone and during a free segment.
#include <gtest/gtest.h>

#include "core/interaction/fake_host.h"
#include "interaction/editor.h"

using namespace humidraw;
using humidraw::testing_support::FakeHost;

namespace {

class Commands : public testing::Test {
  protected:
    void click(int x, int y, MouseButton b = MouseButton::Left, bool shift = false) {
        editor.mouseMove(false, false, x, y);
        editor.mouseDown(b, shift, x, y);
        editor.mouseUp(b, x, y);
    }
    FakeHost w;
    Editor editor{w};
};

}  // namespace

TEST_F(Commands, SegmentTakesTheLastFreeRecordAndTheNextIsRefused) {
    w.leaveFree(1);
    editor.startFreeSegment();
    click(200, 300);
    click(260, 300);
    EXPECT_EQ(w.table.count(), ObjectTable::kCapacity) << "the 640th object is a segment";
    EXPECT_TRUE(w.told.empty());
    EXPECT_EQ(w.table.at(ObjectTable::kCapacity - 1).kind, kLineBothMarkers);
    click(300, 250);
    EXPECT_EQ(w.table.count(), ObjectTable::kCapacity);
    ASSERT_EQ(w.told.size(), 1u);
    EXPECT_NE(w.told[0].find("640"), std::string::npos);
}

TEST_F(Commands, TypedEndTakesTheLastFreeRecordAndTheNextIsRefused) {
    w.leaveFree(1);
    editor.startFreeSegment();
    click(200, 300);
    click(0, 0, MouseButton::Right, true);  // the point dialog for the end
    ASSERT_TRUE(w.dialogVisible);
    pairState(MoistAir(), pairCode(kDB, kRH), 25, 50, w.current);
    ASSERT_TRUE(editor.acceptTypedPoint());
    EXPECT_EQ(w.table.count(), ObjectTable::kCapacity);
    EXPECT_EQ(w.table.at(ObjectTable::kCapacity - 1).h2, w.current.h);
    EXPECT_TRUE(w.told.empty());
    click(0, 0, MouseButton::Right, true);
    pairState(MoistAir(), pairCode(kDB, kRH), 30, 50, w.current);
    ASSERT_TRUE(editor.acceptTypedPoint());
    EXPECT_EQ(w.told.size(), 1u);
}

TEST_F(Commands, TextTakesTheLastFreeRecordAndTheNextIsRefused) {
    w.leaveFree(1);
    editor.startTextPlacement("A");
    click(200, 300);
    EXPECT_EQ(w.table.count(), ObjectTable::kCapacity);
    EXPECT_EQ(w.table.at(ObjectTable::kCapacity - 1).text, "A");
    EXPECT_TRUE(w.told.empty());
    editor.startTextPlacement("B");
    click(220, 300);
    ASSERT_EQ(w.told.size(), 1u);
    EXPECT_NE(w.told[0].find("640"), std::string::npos);
}

TEST_F(Commands, EscEndsPanningModeWhenNoSegmentRuns) {
    editor.startPanningMode();
    ASSERT_EQ(w.cursor, kCursorPan);
    editor.escapeKey();
    EXPECT_FALSE(editor.panningMode());
    EXPECT_EQ(w.cursor, kCursorCross);
    EXPECT_EQ(w.status[1], "");
    EXPECT_EQ(editor.lastCommand(), Command::PanMode) << "Enter repeats it";
    editor.enterKey();
    EXPECT_EQ(w.commands, (std::vector<Command>{Command::PanMode}));
}

TEST_F(Commands, EscDuringASegmentInPanningModeKeepsBoth) {
    editor.startFreeSegment();
    click(200, 300);
    editor.startPanningMode();
    EXPECT_EQ(editor.lastCommand(), Command::FreeSegment) << "not replaced while a segment runs";
    editor.escapeKey();
    EXPECT_EQ(editor.segmentState(), 1) << "the segment goes on";
    EXPECT_TRUE(editor.panningMode()) << "Esc switches only zoom mode off here";
    EXPECT_EQ(w.cursor, kCursorCross);
    EXPECT_EQ(w.table.count(), 0);
    // Enter does nothing while a mode is on; a right click ends panning mode, not the segment.
    editor.enterKey();
    EXPECT_TRUE(w.commands.empty());
    click(0, 0, MouseButton::Right);
    EXPECT_FALSE(editor.panningMode());
    EXPECT_EQ(editor.segmentState(), 1);
    click(260, 300);
    EXPECT_EQ(w.table.count(), 1);
    editor.escapeKey();
    EXPECT_EQ(editor.segmentState(), 0);
}

TEST_F(Commands, EscInZoomModeEndsItAndAnIdleRightClickRepeats) {
    editor.startZoomMode();
    EXPECT_EQ(editor.lastCommand(), Command::ZoomMode);
    click(100, 100, MouseButton::Right);
    EXPECT_TRUE(w.commands.empty()) << "a right click zooms out in zoom mode";
    editor.escapeKey();
    EXPECT_FALSE(editor.zoomMode());
    EXPECT_EQ(w.cursor, kCursorCross);
    click(100, 100, MouseButton::Right);
    EXPECT_EQ(w.commands, (std::vector<Command>{Command::ZoomMode}));
}

TEST_F(Commands, PointerFollowsEveryEvent) {
    editor.mouseMove(false, false, 11, 12);
    EXPECT_EQ(editor.pointerX(), 11);
    editor.mouseDown(MouseButton::Middle, false, 21, 22);
    EXPECT_EQ(editor.pointerY(), 22);
    editor.mouseUp(MouseButton::Middle, 31, 32);
    EXPECT_EQ(editor.pointerX(), 31);
    EXPECT_EQ(editor.pointerY(), 32);
}

TEST_F(Commands, ANewTextStartsWithoutAnOutlineOnTheChart) {
    // The text comes from a dialog over the chart, whose closing repaints it: a new placement
    // has no outline to take off, and its first move only draws one.
    editor.startTextPlacement("A");
    editor.mouseMove(false, false, 100, 100);
    EXPECT_EQ(w.outlines, 1);
    editor.mouseMove(false, false, 110, 100);
    EXPECT_EQ(w.outlines, 3) << "the old outline off, the new one on";
    editor.startTextPlacement("BB");
    editor.mouseMove(false, false, 120, 100);
    EXPECT_EQ(w.outlines, 4);
}
