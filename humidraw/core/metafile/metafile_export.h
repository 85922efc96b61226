#pragma once
// The chart and document as a metafile of 1200 × 900 (zoom 1.875): enhanced for ".emf" in any
// letter case, placeable WMF for any other name.
#include <string>

#include "chart/element.h"
#include "chart/frame.h"
#include "document/object_table.h"
#include "metafile/metafile_canvas.h"
#include "chart/chart_settings.h"

namespace humidraw {

constexpr int kMetafileWidth = 1200, kMetafileHeight = 900;

enum class MetafileFormat { Enhanced, Placeable };

MetafileFormat metafileFormatFor(const std::string& path);

// The metafile's bytes: painted with black pen and font (the canvas defaults), texts and rows
// in their palette colours. Text widths come from `measure`, the spacing of their characters
// in the enhanced format from `advances`.
std::string metafileBytes(MetafileFormat format, const ChartFrame& frame, const ChartTable& chart,
                          const ObjectTable& objects, const ChartSettings& settings,
                          const TextMeasure& measure, const CharAdvanceMeasure& advances = {});

}  // namespace humidraw
