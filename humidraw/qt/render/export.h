#pragma once
// The chart and document rendered to image and vector files, from the one painting routine.
#include <string>

#include "chart/element.h"
#include "chart/frame.h"
#include "document/object_table.h"
#include "result/result.h"
#include "settings/settings.h"

namespace humidraw {

struct Drawing {
    const ChartFrame& frame;
    const ChartTable& chart;
    const ObjectTable& objects;
    const Settings& settings;
};

enum class ExportFormat { Png, Svg, Pdf, Unknown };

// The format a file name asks for, by its extension in any letter case.
ExportFormat formatForPath(const std::string& path);

// Renders at `zoom` (640 × 480 chart units → pixels) into memory, then replaces `path` with it
// (replaceFile), so a failed write keeps the previous file. Fails with what went wrong
// ("PATH: reason" when the file could not be written).
Status exportDrawing(const Drawing& d, double zoom, const std::string& path);

}  // namespace humidraw
