#include <gtest/gtest.h>

#include <cmath>

#include "chart/view_transform.h"

namespace humidraw {
namespace {

// A frame with round numbers: no skew, 10 chart units per kcal/kg, −8 per g/kg, origin (100, 400).
// Its mapping by hand: X = 10 h + 100, Y = 400 − 8000 x.
ChartFrame squareFrame() {
    ChartFrame f;
    f.ENstep = 1;
    f.AHstep = 0.001;
    f.theta = 0;
    f.k1 = 10;
    f.k2 = -8;
    f.OX = 100;
    f.OY = 400;
    return f;
}

struct Case {
    ViewTransform view;
    double h, x;  // the state
    double X, Y;  // its pixel, by hand
};

TEST(ViewTransform, StatesToPixelsByHand) {
    const ChartFrame f = squareFrame();
    const Case cases[] = {
        // chart (150, 320) at zoom 1: the chart units are the pixels.
        {{1, 0, 0}, 5, 0.01, 150, 320},
        // chart (150, 320) × 2 = (300, 640), shifted by (30, −10).
        {{2, 30, -10}, 5, 0.01, 330, 630},
        // chart (100, 400) × 0.5.
        {{0.5, 0, 0}, 0, 0, 50, 200},
        // chart (−20 + 100, 400 − 40) = (80, 360) × 1.875 = (150, 675), shifted by (−12.5, 4).
        {{1.875, -12.5, 4}, -2, 0.005, 137.5, 679},
    };
    for (const Case& c : cases) {
        const ChartPoint p = stateToScreen(f, c.view, c.h, c.x);
        EXPECT_NEAR(p.x, c.X, 1e-9) << c.view.zoom << " " << c.h;
        EXPECT_NEAR(p.y, c.Y, 1e-9) << c.view.zoom << " " << c.h;
        const StatePoint back = stateAtScreen(f, c.view, c.X, c.Y);
        EXPECT_NEAR(back.h, c.h, 1e-12) << c.view.zoom;
        EXPECT_NEAR(back.x, c.x, 1e-15) << c.view.zoom;
    }
}

TEST(ViewTransform, SkewedFrameByHand) {
    // θ = 30°: X = (h − sin θ · x / 0.001) · k1 / cos θ + OX. For h = 4, x = 0.002:
    // (4 − 0.5 · 2) · 10 / (√3 / 2) + 100 = 60 / √3 + 100 = 134.6410162; Y = 400 − 16 = 384.
    ChartFrame f = squareFrame();
    f.theta = std::acos(-1.0) / 6;
    const ChartPoint at1 = stateToScreen(f, {1, 0, 0}, 4, 0.002);
    EXPECT_NEAR(at1.x, 134.6410162, 1e-7);
    EXPECT_NEAR(at1.y, 384, 1e-9);
    // At zoom 3 shifted by (−50, 25): (403.9230485 − 50, 1152 + 25).
    const ChartPoint at3 = stateToScreen(f, {3, -50, 25}, 4, 0.002);
    EXPECT_NEAR(at3.x, 353.9230485, 1e-7);
    EXPECT_NEAR(at3.y, 1177, 1e-9);
}

// Without a shift the pixels are the chart units times the zoom, bit for bit: the screen, the
// exports and the golden files were drawn from exactly these numbers.
TEST(ViewTransform, UnshiftedIsTheChartTimesTheZoomExactly) {
    ChartFrame f = squareFrame();
    f.theta = 0.3;
    f.k1 = 10.4;
    f.k2 = -10.4;
    for (double zoom : {0.46875, 1.0, 1.2, 1.875, 5.625})
        for (double h : {-3.7, 0.0, 12.25, 31.1})
            for (double x : {0.0, 0.0043, 0.0271}) {
                const ChartPoint c = f.map(h, x);
                const ChartPoint p = stateToScreen(f, ViewTransform{zoom, 7, 9}.unshifted(), h, x);
                EXPECT_EQ(p.x, c.x * zoom) << zoom << " " << h << " " << x;
                EXPECT_EQ(p.y, c.y * zoom) << zoom << " " << h << " " << x;
            }
}

TEST(ViewTransform, ScreenAndChartRoundTrips) {
    ChartFrame f = squareFrame();
    f.theta = 0.3;
    const ViewTransform views[] = {{1, 0, 0}, {0.3, 0, 0}, {1.875, 120, 0}, {5.6, -333.5, 48.25}};
    for (const ViewTransform& v : views) {
        // Pixels → chart → pixels.
        for (const ChartPoint p : {ChartPoint{0, 0}, ChartPoint{640.5, 479.5}, ChartPoint{-17, 3000}}) {
            const ChartPoint back = v.toScreen(v.toChart(p));
            EXPECT_NEAR(back.x, p.x, 1e-9) << v.zoom;
            EXPECT_NEAR(back.y, p.y, 1e-9) << v.zoom;
        }
        // State → pixels → state.
        for (double h : {-1.0, 9.2, 30.0})
            for (double x : {0.0, 0.0072, 0.03}) {
                const ChartPoint p = stateToScreen(f, v, h, x);
                const StatePoint back = stateAtScreen(f, v, p.x, p.y);
                EXPECT_NEAR(back.h, h, 1e-9) << v.zoom;
                EXPECT_NEAR(back.x, x, 1e-12) << v.zoom;
            }
    }
}

}  // namespace
}  // namespace humidraw
