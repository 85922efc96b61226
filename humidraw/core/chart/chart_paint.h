#pragma once
// Painting the chart element table onto a canvas, scaled by the zoom factor.
#include <array>

#include "chart/canvas.h"
#include "chart/element.h"
#include "chart/chart_settings.h"
#include "chart/view_transform.h"

namespace humidraw {

// Draws every element whose family's view flag is on, with the family's pen style; pen colour
// and mode are the caller's. The canvas font must be the chart font at this zoom.
void paintElements(Canvas& k, const ChartTable& table, const std::array<bool, kViewFlagCount>& view,
                   const ViewTransform& o);

// The pen style the canvas is left with by paintElements, starting from `before`: that of the
// last family drawn that sets one.
PenStyle penStyleAfterElements(const ChartTable& table,
                               const std::array<bool, kViewFlagCount>& view, PenStyle before);

// Text turned by `angleTenths` with its top-left corner at (x, y), in the canvas font's face and
// height, on a clear background.
void drawRotatedText(Canvas& k, int x, int y, int angleTenths, const std::string& text);

}  // namespace humidraw
