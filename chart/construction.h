#pragma once
// Chart construction: the frame's families, scales and texts as a flat element table.
#include "chart/element.h"
#include "chart/frame.h"
#include "chart/text_metrics.h"
#include "common/settings.h"

namespace humidraw {

// Builds the chart for `settings` at zoom 1.0 with the text sizes of `metrics` (set to the
// chart font here). On success `frame` and `table` hold the new chart; otherwise both keep the
// previous one and the status says why.
FrameStatus constructChart(const Settings& settings, TextMetrics& metrics, ChartFrame& frame,
                           ChartTable& table);

}  // namespace humidraw
