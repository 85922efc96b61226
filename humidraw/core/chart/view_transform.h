#pragma once
// The view transform: how chart units (the 640 × 480 chart area the frame maps air states onto)
// become pixels of what is drawn on, by a zoom factor and a shift. The frame keeps the chart's
// own mapping; this is the one place the two are put together.
#include "chart/frame.h"

namespace humidraw {

struct ViewTransform {
    double zoom = 1.0;    // pixels per chart unit
    double offsetX = 0;   // pixels; centres the chart on printed pages
    double offsetY = 0;   // pixels

    // Chart units → pixels.
    ChartPoint toScreen(ChartPoint c) const { return {offsetX + c.x * zoom, offsetY + c.y * zoom}; }
    // Pixels → chart units.
    ChartPoint toChart(ChartPoint p) const { return {(p.x - offsetX) / zoom, (p.y - offsetY) / zoom}; }
    // The same zoom without the shift: what lines are cut in before they are shifted into place.
    ViewTransform unshifted() const { return {zoom, 0, 0}; }
};

// Air state (h, x) → pixels: the frame's mapping, then the view's.
inline ChartPoint stateToScreen(const ChartFrame& f, const ViewTransform& v, double h, double x) {
    return v.toScreen(f.map(h, x));
}

// Pixels → air state (h, x): the view's inverse, then the frame's.
inline StatePoint stateAtScreen(const ChartFrame& f, const ViewTransform& v, double X, double Y) {
    const ChartPoint c = v.toChart({X, Y});
    return f.inverse(c.x, c.y);
}

}  // namespace humidraw
