// Zoom geometry: steps, anchors, limits and fits.
#include "view/view_zoom.h"

#include <gtest/gtest.h>

#include <vector>

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

TEST(ZoomSteps, OriginalSizeStartsFromTheTopLeftCorner) {
    // From a view scrolled into a chart wider and taller than the window, zoom 2 shows the
    // 1280 × 960 box from its top-left corner.
    ViewState v;
    v.zoom = 1.5;
    v.boxWidth = 960, v.boxHeight = 720;
    v.scrollX = 300, v.scrollY = 200;
    zoomOriginal(v, Viewport{500, 400, 520, 420});
    EXPECT_EQ(v.boxWidth, 1280);
    EXPECT_EQ(v.boxHeight, 960);
    EXPECT_EQ(v.scrollX, 0);
    EXPECT_EQ(v.scrollY, 0);
    EXPECT_EQ(v.boxLeft, 0);
    EXPECT_EQ(v.boxTop, 0);
}

TEST(ZoomSteps, OutwardAtThePointer) {
    // Window 400 × 300 scrolled to (100, 50): its centre is box pixel (300, 200). Out by 1.1
    // around the pointer at box pixel (350, 260):
    //   centre x 350 − (350 − 300) · 1.1 = 295, centre y 260 − (260 − 200) · 1.1 = 194;
    //   the pointer's pixel becomes 350 / 1.1 = 318.2 → 318 and 260 / 1.1 = 236.4 → 236;
    //   box 640 / 1.1 = 581.8 → 581 by 480 / 1.1 = 436.4 → 436;
    //   scroll 295 / 640 · 581 − 200 = 67.8 → 67 and 194 / 480 · 436 − 150 = 26.2 → 26.
    const Viewport port{400, 300, 420, 320};
    ViewState v;
    v.scrollX = 100;
    v.scrollY = 50;
    ZoomAnchor a{true, 350, 260};
    ASSERT_TRUE(zoomStep(v, false, port, a));
    EXPECT_EQ(a.x, 318);
    EXPECT_EQ(a.y, 236);
    EXPECT_EQ(v.boxWidth, 581);
    EXPECT_EQ(v.boxHeight, 436);
    EXPECT_EQ(v.scrollX, 67);
    EXPECT_EQ(v.scrollY, 26);
}

TEST(ZoomSteps, WholeChartStartsUnscrolled) {
    // Outer 820 × 520: the fit is 520 / 480, a box of 693 × 520 in a client area of 800 × 500,
    // narrower than the window (centred, nothing to scroll) and taller (scrolled to the top).
    ViewState v;
    v.scrollX = 40;
    v.scrollY = 30;
    zoomAll(v, Viewport{800, 500, 820, 520});
    EXPECT_EQ(v.boxWidth, 693);
    EXPECT_EQ(v.scrollX, 0);
    EXPECT_EQ(v.scrollY, 0);
}

TEST(ZoomSteps, OutwardFromExactlyTheSmallestWidthOnce) {
    // Zooming out stops below 300 pixels of width: 300 itself still steps, to 300 / 1.1.
    const Viewport port{700, 500, 700, 500};
    ZoomAnchor centre;
    ViewState v;
    v.zoom = 300.0 / 640;
    v.boxWidth = 300, v.boxHeight = 225;
    ASSERT_TRUE(zoomStep(v, false, port, centre));
    EXPECT_EQ(v.boxWidth, 272);  // 640 · 300/640 / 1.1 = 272.7
    EXPECT_FALSE(zoomStep(v, false, port, centre));
}

TEST(ZoomSteps, OriginalSizeInALargerWindowIsCentredUnscrolled) {
    // A window larger than the 1280 × 960 box: centred, (1500 − 1280)/2 = 110 and
    // (1100 − 960)/2 = 70, with nothing to scroll.
    ViewState v;
    v.scrollX = 100, v.scrollY = 80;
    zoomOriginal(v, Viewport{1500, 1100, 1520, 1120});
    EXPECT_EQ(v.boxLeft, 110);
    EXPECT_EQ(v.boxTop, 70);
    EXPECT_EQ(v.scrollX, 0);
    EXPECT_EQ(v.scrollY, 0);
}
