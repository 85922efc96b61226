#pragma once
// What a constructed chart breaks of its outline and titles, for the chart tests.
#include <string>
#include <vector>

#include "chart/element.h"
#include "chart/frame.h"

namespace humidraw {

// One line for each grid line reaching outside the chart's outline (worked out from the frame
// alone; a specific-volume label tick below the base counts by where its line meets the base)
// and each pair of titles over one another (fixed text metrics, 6 points); empty for a chart
// that breaks neither.
std::vector<std::string> outlineFaults(const ChartFrame& frame, const ChartTable& table);

}  // namespace humidraw
