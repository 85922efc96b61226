// Zoom geometry and the interaction layer, without a window.
#include <gtest/gtest.h>

#include <vector>

#include "document/editor.h"
#include "document/view_zoom.h"

using namespace humidraw;

TEST(ZoomSteps, InAndOutSequencesAndLimits) {
    const Viewport port{700, 500, 700, 500};
    ViewState v;
    ZoomAnchor centre;
    std::vector<int> widths;
    while (zoomStep(v, true, port, centre)) widths.push_back(v.boxWidth);
    EXPECT_EQ(widths, (std::vector<int>{768, 921, 1105, 1327, 1592, 1911, 2293, 2751, 3302}));
    ViewState w;
    widths.clear();
    while (zoomStep(w, false, port, centre)) widths.push_back(w.boxWidth);
    EXPECT_EQ(widths, (std::vector<int>{581, 528, 480, 437, 397, 361, 328, 298}));
    // In and out by the same count do not meet again.
    ViewState u;
    for (int i = 0; i < 3; ++i) zoomStep(u, true, port, centre);
    for (int i = 0; i < 3; ++i) zoomStep(u, false, port, centre);
    EXPECT_NE(u.zoom, 1.0);
}

TEST(ZoomSteps, PointerAnchorKeepsTheChartPointUnderThePointer) {
    const Viewport port{600, 400, 620, 420};
    ViewState v;
    v.zoom = 2;
    v.boxWidth = 1280;
    v.boxHeight = 960;
    v.scrollX = 300;
    v.scrollY = 200;
    ZoomAnchor a{true, 700, 450};  // paint-box pixels; 400, 250 in the window
    ASSERT_TRUE(zoomStep(v, true, port, a));
    EXPECT_EQ(a.x, 840);
    EXPECT_EQ(a.y, 540);
    EXPECT_NEAR(a.x - v.scrollX, 400, 2);
    EXPECT_NEAR(a.y - v.scrollY, 250, 2);
}

TEST(ZoomSteps, FitsAndCentres) {
    ViewState v;
    zoomAll(v, Viewport{800, 500, 820, 520});
    EXPECT_DOUBLE_EQ(v.zoom, 520.0 / 480);
    EXPECT_EQ(v.boxWidth, 693);
    EXPECT_EQ(v.boxLeft, (800 - 693) / 2) << "centred when narrower than the client";
    zoomOriginal(v, Viewport{800, 500, 820, 520});
    EXPECT_EQ(v.boxWidth, 1280);
    EXPECT_EQ(v.boxHeight, 960);
    EXPECT_EQ(v.boxLeft, 0);
}

namespace {

struct FakeHost : EditorHost {
    std::vector<std::string> status{"", ""};
    Cursor cursor = kCursorCross;
    std::vector<bool> zooms, anchored;
    int scrolledX = 0, scrolledY = 0;
    void setStatus(int panel, const std::string& t) override { status[panel] = t; }
    void setCursor(Cursor c) override { cursor = c; }
    void zoomStep(bool in, bool atPointer) override {
        zooms.push_back(in);
        anchored.push_back(atPointer);
    }
    void scrollBy(int dx, int dy) override {
        scrolledX += dx;
        scrolledY += dy;
    }
};

}  // namespace

TEST(EditorModes, ZoomModeClicksAndEscape) {
    FakeHost host;
    Editor e(host);
    e.startZoomMode();
    EXPECT_EQ(host.cursor, kCursorZoom);
    EXPECT_EQ(host.status[1], "拡大[左ｸﾘｯｸ],縮小[右ｸﾘｯｸ],中止[ESC]");
    EXPECT_EQ(e.lastCommand(), 7);
    e.mouseDown(MouseButton::Left, 10, 10);
    e.mouseDown(MouseButton::Right, 10, 10);
    EXPECT_EQ(host.zooms, (std::vector<bool>{true, false}));
    EXPECT_EQ(host.anchored, (std::vector<bool>{true, true}));
    e.escape();
    EXPECT_FALSE(e.zoomMode());
    EXPECT_EQ(host.cursor, kCursorCross);
    EXPECT_EQ(host.status[1], "");
}

TEST(EditorModes, WheelZoomsAtThePointerAndLeavesZoomModeOff) {
    FakeHost host;
    Editor e(host);
    e.startZoomMode();
    EXPECT_TRUE(e.wheel(true));
    EXPECT_FALSE(e.zoomMode()) << "off afterwards even though the Zoom command had set it";
    EXPECT_EQ(host.anchored.back(), true);
    e.mouseDown(MouseButton::Middle, 5, 5);
    EXPECT_FALSE(e.wheel(false)) << "not during a middle-button drag";
}

TEST(EditorModes, PanningDragsInPairsOfMoves) {
    FakeHost host;
    Editor e(host);
    e.startPanningMode();
    EXPECT_EQ(host.cursor, kCursorPan);
    EXPECT_EQ(e.lastCommand(), 8);
    e.mouseDown(MouseButton::Left, 100, 100);
    e.mouseMove(true, false, 100, 100);  // records
    e.mouseMove(true, false, 110, 95);   // scrolls by −2 × the difference
    EXPECT_EQ(host.scrolledX, -20);
    EXPECT_EQ(host.scrolledY, 10);
    e.mouseMove(false, false, 150, 150);  // button up: no drag
    EXPECT_EQ(host.scrolledX, -20);
    e.mouseDown(MouseButton::Right, 0, 0);
    EXPECT_FALSE(e.panningMode());
    EXPECT_EQ(host.cursor, kCursorCross);
    // The middle button drags anywhere.
    e.mouseDown(MouseButton::Middle, 0, 0);
    EXPECT_EQ(host.cursor, kCursorPan);
    e.mouseMove(false, true, 0, 0);
    e.mouseMove(false, true, -5, 0);
    EXPECT_EQ(host.scrolledX, -10);
    e.mouseUp(MouseButton::Middle, 0, 0);
    EXPECT_EQ(host.cursor, kCursorCross);
}
