#pragma once
// The chart's elements against the 640 × 480 sheet they are drawn on: what each element covers,
// and the cutting of grid lines at the sheet's edges.
#include <vector>

#include "chart/element.h"
#include "chart/frame.h"
#include "chart/text_metrics.h"
#include "chart/view_transform.h"

namespace humidraw {

constexpr double kSheetWidth = 640, kSheetHeight = 480;

// The points that bound what an element draws: a line's ends, a text's four corners (its width
// and line height in `metrics`, turned by its angle about the top-left corner), a circle's box,
// points every degree along an arc (`next` the arc's second record).
std::vector<ChartPoint> elementExtent(const ChartElement& e, const ChartElement* next,
                                      const TextMetrics& metrics);

// The lines of the six line families (kDryBulbLine … kSpecificVolumeLine, kinds 10 … 60); everything else (texts, scales,
// protractors) must be seen whole.
bool isGridLine(const ChartElement& e);

// True when every element — or every element but the grid lines — lies on the sheet.
bool onSheet(const ChartTable& t, const TextMetrics& metrics, bool gridLinesToo);

// The table with each grid line cut to its part on the sheet (dropped when it has none).
ChartTable cutGridLinesAtSheet(const ChartTable& t);

// A title is a text that is not a number (every value label is one).
bool isTitle(const ChartElement& e);

// The table with each title that lies over an earlier one moved along its own baseline (or,
// failing that, across it) by half text heights to the nearest place on the sheet a quarter of
// a text height clear of the earlier titles. Titles clear of one another stay where they are.
ChartTable separateTitles(const ChartTable& t, const TextMetrics& metrics);

// The chart's outline: the part of the plane above the base (zero humidity), below the top
// border, right of the vertical through the saturation point of the lower limit and left of
// the isotherm one step above the upper limit, where the humidity-ratio lines end. Each edge is
// a point on it and its inward unit normal, in chart units, or in the pixels of a view.
struct OutlineEdge {
    ChartPoint at, inward;
};
std::vector<OutlineEdge> chartOutline(const ChartFrame& f);
std::vector<OutlineEdge> chartOutline(const ChartFrame& f, const ViewTransform& view);

// Whether p lies within the outline, or at most `slack` outside it.
bool insideOutline(const std::vector<OutlineEdge>& edges, ChartPoint p, double slack);

// The part of a → b within the outline, in a and b; false (a and b unchanged) when no part of
// it is, or a coordinate is not finite. An end within stays bit for bit; an end moved onto an
// edge is worked from the nearer end of the segment, so a far end costs no precision.
bool clipToOutline(const std::vector<OutlineEdge>& edges, ChartPoint& a, ChartPoint& b);

// Whether a point in chart units lies on the chart, within its outline (never one
// that is not a finite number).
bool onChart(const ChartFrame& f, ChartPoint p);

// The table with each grid line cut to its part within the outline; a line with no part within
// is left out with the value label (and the specific-volume label tick) that follow it. The
// ticks of the lines kept stay below the base as they are.
ChartTable cutGridLinesAtOutline(const ChartTable& t, const ChartFrame& f);

}  // namespace humidraw
