#include "metafile/metafile_export.h"

#include <cctype>
#include <memory>

#include "chart/sheet_fit.h"
#include "document/paint.h"
#include "metafile/emf_canvas.h"
#include "metafile/wmf_canvas.h"

namespace humidraw {

MetafileFormat metafileFormatFor(const std::string& path) {
    const size_t slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos) return MetafileFormat::Placeable;
    std::string ext = name.substr(dot);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".emf" ? MetafileFormat::Enhanced : MetafileFormat::Placeable;
}

std::string metafileBytes(MetafileFormat format, const ChartFrame& frame, const ChartTable& chart,
                          const ObjectTable& objects, const ChartSettings& settings,
                          const TextMeasure& measure, const CharAdvanceMeasure& advances) {
    std::unique_ptr<MetafileCanvas> k;
    if (format == MetafileFormat::Enhanced)
        k = std::make_unique<EmfCanvas>(kMetafileWidth, kMetafileHeight, measure, advances);
    else
        k = std::make_unique<WmfCanvas>(kMetafileWidth, kMetafileHeight, measure);
    const double zoom = static_cast<double>(kMetafileWidth) / kSheetWidth;
    paintChart(*k, frame, chart, objects, settings, ViewTransform{zoom});
    return k->finish();
}

}  // namespace humidraw
