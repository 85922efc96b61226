#pragma once
// Chart construction: the frame's families, scales and texts as a flat element table.
#include "chart/element.h"
#include "chart/frame.h"
#include "chart/text_metrics.h"
#include "chart/chart_settings.h"

namespace humidraw {

// How the chart is laid out: as the scale fitting places it, or on the sheet (a chart whose
// scales, protractors or texts the fitting leaves partly off the 640 × 480 sheet is made
// smaller, and its grid lines are cut at the sheet's edges).
enum class ChartLayout { AsFitted, OnSheet };

// Builds the chart for `settings` at zoom 1.0 with the text sizes of `metrics` (set to the
// chart font here). On success `frame` and `table` hold the new chart; otherwise both keep the
// previous one and the failure (Invalid) says why, as checkLimits and the steps of chart/frame.h.
Status constructChart(const ChartSettings& settings, TextMetrics& metrics, ChartFrame& frame,
                      ChartTable& table, ChartLayout layout = ChartLayout::OnSheet);

}  // namespace humidraw
