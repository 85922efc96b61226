// Where a zoom step leaves the view: the chart point at the centre of the scroll box stays at
// the centre (to a whole pixel), from the default view and from a scrolled one.
#include <gtest/gtest.h>

#include "view/view_zoom.h"

using namespace humidraw;

TEST(ZoomAnchor, FirstStepFromTheDefaultViewKeepsTheCentre) {
    // 640 × 480 client, default box 640 × 480: the centre (320, 240) becomes (384, 288) in a box
    // of 768 × 576, so the scroll is 384 − 320 = 64 and 288 − 240 = 48.
    const Viewport port{640, 480, 640, 480};
    ViewState v;
    ZoomAnchor centre;
    ASSERT_TRUE(zoomStep(v, true, port, centre));
    EXPECT_EQ(v.boxWidth, 768);
    EXPECT_EQ(v.boxHeight, 576);
    EXPECT_EQ(v.scrollX, 64);
    EXPECT_EQ(v.scrollY, 48);
}

TEST(ZoomAnchor, StepsFromAScrolledViewKeepTheCentre) {
    // Zoom 2 (1280 × 960) in a 600 × 400 client scrolled to (300, 200): the centre is the box
    // point (600, 400). In by 1.2: box 1536 × 1152, the point at (720, 480), scroll (420, 280).
    const Viewport port{600, 400, 620, 420};
    ViewState v;
    v.zoom = 2;
    v.boxWidth = 1280, v.boxHeight = 960;
    v.scrollX = 300, v.scrollY = 200;
    ZoomAnchor centre;
    ASSERT_TRUE(zoomStep(v, true, port, centre));
    EXPECT_EQ(v.scrollX, 420);
    EXPECT_EQ(v.scrollY, 280);
    // Out by 1.1 from there: box 1396 × 1047 (2.4 / 1.1 = 2.1818), the centre (720, 480) at
    // (654.4, 436.3): scroll (354, 236).
    ASSERT_TRUE(zoomStep(v, false, port, centre));
    EXPECT_EQ(v.boxWidth, 1396);
    EXPECT_EQ(v.boxHeight, 1047);
    EXPECT_EQ(v.scrollX, 354);
    EXPECT_EQ(v.scrollY, 236);
}

TEST(ZoomAnchor, ScrollKeptWithinTheBox) {
    const Viewport port{600, 400, 620, 420};
    ViewState v;
    v.boxWidth = 1000, v.boxHeight = 300;
    v.scrollX = 900, v.scrollY = 50;
    clampScroll(v, port);
    EXPECT_EQ(v.scrollX, 400) << "1000 − 600";
    EXPECT_EQ(v.scrollY, 0) << "a box lower than the client does not scroll";
    v.scrollX = -5;
    clampScroll(v, port);
    EXPECT_EQ(v.scrollX, 0);
}
