// The interaction layer driven by scripted pointer and key events, with a fake window.
#include "interaction/editor.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/interaction/fake_host.h"

using namespace humidraw;
using humidraw::testing_support::FakeHost;

namespace {

class Interaction : public testing::Test {
  protected:
    void click(PixelPoint p, MouseButton b = MouseButton::Left, bool shift = false) {
        editor.mouseMove(false, false, p.x, p.y);
        editor.mouseDown(b, shift, p.x, p.y);
        editor.mouseUp(b, p.x, p.y);
    }
    std::vector<int> live() const {
        std::vector<int> out;
        w.table.walk([&](int i, const ObjectRecord&) { out.push_back(i); });
        return out;
    }
    FakeHost w;
    Editor editor{w};
};

}  // namespace

TEST_F(Interaction, FreeSegmentsChainUntilRightClick) {
    editor.startFreeSegment();
    EXPECT_FALSE(w.modified) << "starting the command changes nothing yet";
    EXPECT_EQ(w.status[1], "始点を指示([SHIFT]+[右ｸﾘｯｸ]で数値入力)：");
    const PixelPoint p1 = w.at(20, 30), p2 = w.at(25, 50), p3 = w.at(30, 40);
    click(p1);
    EXPECT_EQ(editor.segmentState(), 1);
    const CurrentState s1 = w.current;
    editor.mouseMove(false, false, p2.x - 10, p2.y);  // the rubber band follows
    click(p2);
    const CurrentState s2 = w.current;
    click(p3);
    const int repaints = w.repaints;
    click(p3, MouseButton::Right);
    EXPECT_EQ(editor.segmentState(), 0);
    EXPECT_GT(w.repaints, repaints);
    ASSERT_EQ(w.table.count(), 2);
    const ObjectRecord& a = w.table.at(0);
    EXPECT_EQ(a.kind, kLineBothMarkers);
    EXPECT_EQ(a.h1, s1.h) << "first point: the segment start";
    EXPECT_EQ(a.h2, s2.h) << "second point: the click";
    EXPECT_EQ(w.table.at(1).h1, s2.h) << "the chain goes on from the last click";
    EXPECT_EQ(a.colour, 7);
    EXPECT_EQ(a.width, 3);
    EXPECT_EQ(w.markers, 3);
    EXPECT_GT(w.bands, 0);
    EXPECT_TRUE(w.modified);
    EXPECT_EQ(w.hist.steps(), 2u) << "each segment is a step of its own";
}

TEST_F(Interaction, EscapeAfterOneClickLeavesNothing) {
    editor.startFreeSegment();
    click(w.at(20, 50));
    const int repaints = w.repaints;
    editor.escapeKey();
    EXPECT_EQ(editor.segmentState(), 0);
    EXPECT_EQ(w.table.count(), 0);
    EXPECT_EQ(w.repaints, repaints + 1) << "the repaint removes the marker";
}

TEST_F(Interaction, EraseLineAndTextWithEnter) {
    editor.startFreeSegment();
    click(w.at(20, 30));
    click(w.at(30, 30));
    click(w.at(30, 30), MouseButton::Right);
    ObjectRecord text;
    text.kind = kTextObject;
    text.text = "OA";
    const ChartPoint tp = w.frame().map(12, 0.015);
    text.h1 = 12;
    text.x1 = 0.015;
    w.table.append(text);
    w.modified = false;
    editor.startErase();
    EXPECT_EQ(w.cursor, kCursorPick);
    EXPECT_EQ(w.status[1], "削除する図形を選択：");
    const PixelPoint mid = w.at(25, 30);
    click(mid);
    click({static_cast<int>(tp.x) + 6, static_cast<int>(tp.y) + 6});  // inside the text box
    EXPECT_EQ(editor.selection(), (std::vector<int>{0, 1}));
    editor.enterKey();
    EXPECT_EQ(w.table.at(0).kind, kDeleted);
    EXPECT_EQ(w.table.at(1).kind, kDeleted);
    EXPECT_EQ(w.table.count(), 2) << "the count stays";
    EXPECT_TRUE(w.modified);
    EXPECT_FALSE(editor.selecting());
    EXPECT_EQ(w.status[1], "") << "the prompt goes with the command";
    EXPECT_EQ(w.cursor, kCursorCross);
}

TEST_F(Interaction, EraseCancelledAndPickedTwice) {
    editor.startFreeSegment();
    click(w.at(20, 30));
    click(w.at(30, 30));
    click(w.at(30, 30), MouseButton::Right);
    editor.startErase();
    click(w.at(25, 30));
    click(w.at(25, 30));
    EXPECT_EQ(editor.selection().size(), 1u) << "picked twice, listed once";
    editor.escapeKey();
    EXPECT_EQ(w.table.at(0).kind, kLineBothMarkers) << "Esc erases nothing";
    editor.startErase();
    click(w.at(25, 30));
    click(w.at(25, 30));
    click({0, 0}, MouseButton::Right);
    EXPECT_EQ(w.table.at(0).kind, kDeleted);
}

TEST_F(Interaction, HitTestDistancesAndProlongation) {
    const auto measure = [](const std::string& t) {
        return TextExtent{static_cast<int>(t.size()) * 4, 8};
    };
    // A horizontal line object from pixel x 100 to 300 at y 200, and a vertical one.
    ObjectTable t;
    ObjectRecord h;
    h.kind = kLineNoMarker;
    const StatePoint a = w.frame().inverse(100, 200), b = w.frame().inverse(300, 200);
    h.h1 = a.h, h.x1 = a.x, h.h2 = b.h, h.x2 = b.x;
    t.append(h);
    ObjectRecord v;
    v.kind = kLineNoMarker;
    const StatePoint c = w.frame().inverse(400, 100), d = w.frame().inverse(400, 250);
    v.h1 = c.h, v.x1 = c.x, v.h2 = d.h, v.x2 = d.x;
    t.append(v);
    EXPECT_EQ(hitTest(t, w.frame(), w.view, 200, 204, measure), 0) << "4 pixels beside";
    EXPECT_EQ(hitTest(t, w.frame(), w.view, 200, 205, measure), -1) << "5 pixels beside";
    EXPECT_EQ(hitTest(t, w.frame(), w.view, 403, 180, measure), 1);
    EXPECT_EQ(hitTest(t, w.frame(), w.view, 400, 260, measure), -1) << "on the prolongation";
    EXPECT_EQ(hitTest(t, w.frame(), w.view, 310, 200, measure), -1) << "beyond the end";
    t.markDeleted(0);
    EXPECT_EQ(hitTest(t, w.frame(), w.view, 200, 200, measure), -1) << "erased objects are never hit";
}

TEST_F(Interaction, LinesTwoPixelsOffTheAxesAreMeasuredAlongTheirSlope) {
    // From pixel (100, 100) to (102, 200): slope 50, Y = 50 X − 4900. The click (106, 198) has
    // its foot at X = (106/50 + 198 + 4900)/(50 + 1/50) = 101.96, Y = 198.08, 4.04 pixels away:
    // a hit; measured from the vertical through the first end it would be 6 pixels away.
    const auto measure = [](const std::string&) { return TextExtent{0, 0}; };
    ObjectTable t;
    ObjectRecord r;
    r.kind = kLineNoMarker;
    const StatePoint a = w.frame().inverse(100.5, 100.5), b = w.frame().inverse(102.5, 200.5);
    r.h1 = a.h, r.x1 = a.x, r.h2 = b.h, r.x2 = b.x;
    t.append(r);
    EXPECT_EQ(hitTest(t, w.frame(), w.view, 106, 198, measure), 0);
    EXPECT_EQ(hitTest(t, w.frame(), w.view, 107, 198, measure), -1) << "5.04 pixels away";
    // The same turned on its side: from (300, 100) to (400, 102), the click (398, 106).
    ObjectTable u;
    const StatePoint c = w.frame().inverse(300.5, 100.5), d = w.frame().inverse(400.5, 102.5);
    r.h1 = c.h, r.x1 = c.x, r.h2 = d.h, r.x2 = d.x;
    u.append(r);
    EXPECT_EQ(hitTest(u, w.frame(), w.view, 398, 106, measure), 0);
    EXPECT_EQ(hitTest(u, w.frame(), w.view, 398, 107, measure), -1);
}

TEST_F(Interaction, NearlyVerticalAndHorizontalLinesPickAlikeOnBothSides) {
    const auto measure = [](const std::string&) { return TextExtent{0, 0}; };
    // A vertical line at x 400.4 and a horizontal one at y 300.6 (chart pixels, zoom 1): both
    // are drawn at the whole pixel, 400 and 300, so 4 pixels from there pick and 5 do not.
    ObjectTable t;
    const auto line = [&](double ax, double ay, double bx, double by) {
        ObjectRecord r;
        r.kind = kLineNoMarker;
        const StatePoint a = w.frame().inverse(ax, ay), b = w.frame().inverse(bx, by);
        r.h1 = a.h, r.x1 = a.x, r.h2 = b.h, r.x2 = b.x;
        t.append(r);
    };
    line(400.4, 100, 400.4, 250);
    line(100, 300.6, 300, 300.6);
    for (int dx : {-4, 4}) EXPECT_EQ(hitTest(t, w.frame(), w.view, 400 + dx, 180, measure), 0) << dx;
    for (int dx : {-5, 5}) EXPECT_EQ(hitTest(t, w.frame(), w.view, 400 + dx, 180, measure), -1) << dx;
    for (int dy : {-4, 4}) EXPECT_EQ(hitTest(t, w.frame(), w.view, 200, 300 + dy, measure), 1) << dy;
    for (int dy : {-5, 5}) EXPECT_EQ(hitTest(t, w.frame(), w.view, 200, 300 + dy, measure), -1) << dy;
}

TEST_F(Interaction, MarksOfTheRunningCommandComeBackAfterARepaint) {
    editor.startFreeSegment();
    const PixelPoint p1 = w.at(20, 30), p2 = w.at(28, 50);
    click(p1);
    const CurrentState start = w.current;
    editor.mouseMove(false, false, p2.x, p2.y);
    const CurrentState end = w.current;
    // A zoom step: the marks follow their chart points into the repainted picture.
    w.view.zoom = 2;
    editor.viewChanged();
    const int markers = w.markers, bands = w.bands;
    editor.repainted();
    const ChartPoint s2 = stateToScreen(w.frame(), w.view, start.h, start.x),
                     e2 = stateToScreen(w.frame(), w.view, end.h, end.x);
    EXPECT_EQ(w.markers, markers + 1) << "the start circle";
    EXPECT_EQ(w.markerAt.x, static_cast<int>(s2.x));
    EXPECT_EQ(w.markerAt.y, static_cast<int>(s2.y));
    EXPECT_EQ(w.bands, bands + 1) << "the rubber band";
    EXPECT_EQ(w.bandFrom.x, static_cast<int>(s2.x));
    EXPECT_EQ(w.bandTo.x, static_cast<int>(e2.x));
    EXPECT_EQ(w.bandTo.y, static_cast<int>(e2.y));
    // Once a segment ends there, its object draws the circle: no second one.
    click(w.at(28, 50));
    editor.repainted();
    EXPECT_EQ(w.markers, markers + 2) << "only the click's own circle";
    // Ended: nothing comes back.
    editor.escapeKey();
    const int after = w.markers + w.bands;
    editor.repainted();
    EXPECT_EQ(w.markers + w.bands, after);
    // The picks of an erase come back highlighted.
    editor.startErase();
    const ObjectRecord& segment = w.table.at(0);
    const ChartPoint a = stateToScreen(w.frame(), w.view, segment.h1, segment.x1);
    const ChartPoint b = stateToScreen(w.frame(), w.view, segment.h2, segment.x2);
    click({static_cast<int>((a.x + b.x) / 2), static_cast<int>((a.y + b.y) / 2)});
    ASSERT_EQ(editor.selection().size(), 1u);
    const int highlights = w.highlights;
    editor.repainted();
    EXPECT_EQ(w.highlights, highlights + 1);
}

TEST_F(Interaction, RightClickAndEnterRepeatTheLastCommand) {
    editor.startFreeSegment();
    click(w.at(20, 30), MouseButton::Right);
    EXPECT_EQ(editor.segmentState(), 0);
    click(w.at(20, 30), MouseButton::Right);
    editor.enterKey();
    EXPECT_EQ(w.commands, (std::vector<Command>{Command::FreeSegment, Command::FreeSegment}));
}

TEST_F(Interaction, ReadoutKeepsItsTextOverTheSupersaturatedRegion) {
    const PixelPoint p = w.at(20, 50);
    editor.mouseMove(false, false, p.x, p.y);
    const std::string text = w.status[0];
    EXPECT_EQ(text.rfind("DB: 20.0 RH: 5", 0), 0u) << text;
    editor.mouseMove(false, false, w.at(10, 100).x, w.at(10, 100).y - 60);  // far above saturation
    EXPECT_EQ(w.status[0], text);
    EXPECT_EQ(readoutText(CurrentState{0.0072630, 9.2037, 20, 50, 13.78, 0.8402}, UnitSystem::SI),
              "DB: 20.0 RH: 50.0 WB: 13.8 H: 38.5 X: 0.0073 SV: 0.840");
    // IP: 20 °C = 68.0 °F, 13.78 °C = 56.804 °F, 9.2037 kcal/kg = 1.8 × 9.2037 + 7.68 = 24.247
    // Btu/lb, 0.007263 × 7000 = 50.84 gr/lb, 0.8402 × 16.01846 = 13.459 ft³/lb.
    EXPECT_EQ(readoutText(CurrentState{0.0072630, 9.2037, 20, 50, 13.78, 0.8402}, UnitSystem::IP),
              "DB: 68.0 RH: 50.0 WB: 56.8 H: 24.2 X:   50.8 SV: 13.46");
}

TEST_F(Interaction, TypedPointsStartAndEndSegments) {
    editor.startFreeSegment();
    const PixelPoint p = w.at(20, 50);
    editor.mouseMove(false, false, p.x, p.y);
    editor.mouseDown(MouseButton::Right, true, p.x, p.y);
    EXPECT_EQ(editor.segmentState(), 4);
    EXPECT_TRUE(w.dialogVisible);
    EXPECT_EQ(w.dialogCaption, "始点の状態値を入力");
    w.dialogVisible = false;
    pairState(MoistAir(), pairCode(kDB, kRH), 26, 50, w.current);
    const CurrentState start = w.current;
    ASSERT_TRUE(editor.acceptTypedPoint());
    EXPECT_EQ(editor.segmentState(), 1);
    EXPECT_EQ(w.table.count(), 0);
    editor.mouseDown(MouseButton::Right, true, p.x, p.y);
    EXPECT_EQ(editor.segmentState(), 3);
    EXPECT_EQ(w.dialogCaption, "終点の状態値を入力");
    editor.abandonTypedPoint();  // same property twice, say
    EXPECT_EQ(editor.segmentState(), 1) << "back to waiting for the end point";
    editor.mouseDown(MouseButton::Right, true, p.x, p.y);
    pairState(MoistAir(), pairCode(kDB, kRH), 14, 95, w.current);
    editor.acceptTypedPoint();
    pairState(MoistAir(), pairCode(kDB, kRH), 30, 40, w.current);
    editor.mouseDown(MouseButton::Right, true, p.x, p.y);
    editor.acceptTypedPoint();
    ASSERT_EQ(w.table.count(), 2) << "two typed end points chain two segments";
    EXPECT_EQ(w.table.at(0).h1, start.h) << "the first object starts at the typed start";
    EXPECT_EQ(w.table.at(1).h1, w.table.at(0).h2);
}

// The window disables the chart while the point dialog is open; should a second Shift + right
// click arrive anyway, the dialog still asks for the same point and its answer is that point.
TEST_F(Interaction, SecondTypingClickAsksForTheSamePoint) {
    editor.startFreeSegment();
    const PixelPoint p = w.at(20, 50);
    editor.mouseDown(MouseButton::Right, true, p.x, p.y);
    editor.mouseDown(MouseButton::Right, true, p.x, p.y);
    EXPECT_EQ(w.dialogCaption, "始点の状態値を入力");
    EXPECT_EQ(editor.segmentState(), 4) << "typing the start point";
    editor.abandonTypedPoint();
    EXPECT_EQ(editor.segmentState(), 2) << "one cancel: the start point by mouse again";

    editor.mouseDown(MouseButton::Right, true, p.x, p.y);
    pairState(MoistAir(), pairCode(kDB, kRH), 26, 50, w.current);
    ASSERT_TRUE(editor.acceptTypedPoint());
    editor.mouseDown(MouseButton::Right, true, p.x, p.y);
    editor.mouseDown(MouseButton::Right, true, p.x, p.y);
    EXPECT_EQ(w.dialogCaption, "終点の状態値を入力");
    pairState(MoistAir(), pairCode(kDB, kRH), 30, 40, w.current);
    ASSERT_TRUE(editor.acceptTypedPoint());
    EXPECT_EQ(w.table.count(), 1) << "the typed end point ends a segment";
}

TEST_F(Interaction, TextPlacementAndCancel) {
    w.attrs.colour = 3;
    editor.startTextPlacement("");
    EXPECT_FALSE(editor.placingText()) << "an empty text places nothing";
    editor.startTextPlacement("A");
    EXPECT_EQ(w.status[1], "文字記入位置を指示：");
    editor.mouseMove(false, false, 200, 200);
    editor.mouseMove(false, false, 210, 220);
    editor.mouseDown(MouseButton::Left, false, 210, 220);
    EXPECT_EQ(w.status[1], "") << "the prompt ends with the placement";
    EXPECT_EQ(w.outlines % 2, 0) << "every outline drawn is removed again";
    ASSERT_EQ(w.table.count(), 1);
    const ObjectRecord& r = w.table.at(0);
    EXPECT_EQ(r.kind, kTextObject);
    EXPECT_EQ(r.colour, 3);
    EXPECT_EQ(r.labelPosition, 2);
    const ChartPoint at = w.frame().map(r.h1, r.x1);
    EXPECT_NEAR(at.x, 210 - 4, 1e-6);
    EXPECT_NEAR(at.y, 220 + 4, 1e-6);
    // A click before any move places at the click; a right click cancels.
    editor.startTextPlacement("B");
    editor.mouseDown(MouseButton::Left, false, 50, 60);
    EXPECT_EQ(w.table.count(), 2);
    editor.startTextPlacement("C");
    editor.mouseMove(false, false, 70, 80);
    editor.mouseDown(MouseButton::Right, false, 70, 80);
    EXPECT_EQ(w.table.count(), 2);
    EXPECT_FALSE(editor.placingText());
    EXPECT_TRUE(w.commands.empty()) << "the right click cancels, it does not repeat";
}

TEST_F(Interaction, FullTableRefusesTheSegment) {
    for (int i = 0; i < ObjectTable::kCapacity; ++i) {
        ObjectRecord r;
        r.kind = kTableRow;
        w.table.append(r);
    }
    editor.startFreeSegment();
    click(w.at(20, 30));
    click(w.at(25, 30));
    EXPECT_EQ(w.table.count(), 640);
    ASSERT_EQ(w.told.size(), 1u);
    EXPECT_NE(w.told[0].find("640"), std::string::npos);
}

TEST_F(Interaction, ZoomModeDuringASegmentAndEscape) {
    editor.startFreeSegment();
    click(w.at(20, 30));
    editor.startZoomMode();
    editor.mouseDown(MouseButton::Left, false, 10, 10);
    EXPECT_EQ(w.zooms, (std::vector<bool>{true}));
    EXPECT_EQ(editor.segmentState(), 1);
    editor.escapeKey();
    EXPECT_FALSE(editor.zoomMode());
    EXPECT_EQ(editor.segmentState(), 1) << "Esc ends only the zoom mode here";
    w.view.zoom = 2;
    editor.viewChanged();
    click(w.at(25, 30));
    ASSERT_EQ(w.table.count(), 1);
    EXPECT_NEAR(w.table.at(0).h2, w.current.h, 0);
    editor.escapeKey();
    EXPECT_EQ(editor.segmentState(), 0);
}

TEST_F(Interaction, ViewModesSayWhichButtonDoesWhat) {
    editor.startZoomMode();
    EXPECT_EQ(w.status[1], "拡大[左ｸﾘｯｸ],縮小[右ｸﾘｯｸ],中止[ESC]");
    editor.escapeKey();
    editor.startPanningMode();
    EXPECT_EQ(w.status[1], "[左ｸﾘｯｸ]でﾄﾞﾗｯｸﾞ、[右ｸﾘｯｸ]で解除");
}

TEST_F(Interaction, PanningDragsOnEverySecondMove) {
    editor.startPanningMode();
    EXPECT_EQ(editor.lastCommand(), Command::PanMode);
    editor.mouseDown(MouseButton::Left, false, 100, 100);
    editor.mouseMove(true, false, 110, 95);
    EXPECT_EQ(w.scrolledX, -20);
    EXPECT_EQ(w.scrolledY, 10);
    editor.mouseMove(true, false, 120, 95);
    EXPECT_EQ(w.scrolledX, -20) << "this move sets the anchor";
    editor.mouseDown(MouseButton::Right, false, 0, 0);
    EXPECT_FALSE(editor.panningMode());
    EXPECT_TRUE(editor.wheel(true));
    EXPECT_FALSE(editor.zoomMode());
    editor.mouseDown(MouseButton::Middle, false, 0, 0);
    EXPECT_EQ(w.cursor, kCursorPan) << "the middle button shows the panning hand at once";
    EXPECT_FALSE(editor.wheel(true)) << "no wheel zoom during a middle drag";
    editor.mouseUp(MouseButton::Middle, 0, 0);
    EXPECT_EQ(w.cursor, kCursorCross) << "and gives the cross back";
}

// A state-change line is picked only where it is drawn, within the chart; a free segment along
// the same states wherever it runs. Both along x = 0.01 (Y = 408 − 104 = 304 on the default
// chart) from 26 °C (h = 0.24 × 26 + 0.01 × (597.5 + 0.441 × 26) = 12.32966) to 60 °C
// (h = 14.4 + 0.01 × 623.96 = 20.6396); the chart ends at 46 °C, X = 582.59 (chart_sheet_test).
TEST_F(Interaction, LinesDrawnWithinTheChartArePickedOnlyThere) {
    const auto measure = [](const std::string&) { return TextExtent{0, 0}; };
    ObjectRecord line;
    line.kind = kLineNoMarker;
    line.h1 = 20.6396, line.x1 = 0.01, line.h2 = 12.32966, line.x2 = 0.01;
    ObjectTable within, whole;
    ObjectRecord cut = line;
    cut.reserved2 = kDrawnWithinChart;
    within.append(cut);
    whole.append(line);
    for (double X : {380.0, 500.0, 580.0}) {
        EXPECT_EQ(hitTest(within, w.frame(), w.view, X, 304, measure), 0) << X;
        EXPECT_EQ(hitTest(whole, w.frame(), w.view, X, 304, measure), 0) << X;
    }
    for (double X : {590.0, 650.0, 725.0}) {
        EXPECT_EQ(hitTest(within, w.frame(), w.view, X, 304, measure), -1) << X;
        EXPECT_EQ(hitTest(whole, w.frame(), w.view, X, 304, measure), 0) << X;
    }
}
