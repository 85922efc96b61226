// libFuzzer target for the document reader: any bytes are read without a crash, undefined
// behaviour or a runaway; a document that is accepted writes back to the same bytes' meaning
// and paints with work bounded by the sheet, whatever its coordinates.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "chart/construction.h"
#include "support/recording_canvas.h"
#include "document/document_file.h"
#include "document/paint.h"

using namespace humidraw;

namespace {

struct Chart {
    ChartSettings settings;
    ChartFrame frame;
    ChartTable elements;  // left empty: only the document's objects are painted
    Chart() {
        FakeTextMetrics metrics;
        ChartTable full;
        if (!constructChart(settings, metrics, frame, full)) std::abort();
        settings.view[CB_OP] = true;  // the value-table rows too
    }
};

// A line across the 1200 × 900 sheet and its margin is some 1900 pixels; the finest pattern
// repeats every 4 pixels: about 500 pieces, a marker or two, and the texts of a table row.
constexpr size_t kMostOpsPerObject = 1000;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const Chart chart;
    const DocumentRead read =
        parseDocument(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!read.status) {
        if (read.status.error().empty()) std::abort();  // every refusal says why
        return 0;
    }
    const auto bytes = serializeDocument(read.contents.header, read.contents.records);
    if (bytes) {
        const DocumentRead again = parseDocument(*bytes);
        size_t kept = 0;  // erased records (kind 100) are never written
        for (const ObjectRecord& r : read.contents.records) kept += r.kind != kDeleted;
        if (!again.status || again.contents.records.size() != kept) std::abort();
    }
    ObjectTable objects;
    for (const ObjectRecord& r : read.contents.records) objects.append(r);
    RecordingCanvas k;
    k.recordMoves = true;
    paintChart(k, chart.frame, chart.elements, objects, chart.settings, ViewTransform{1.875});
    if (k.ops.size() > kMostOpsPerObject * (read.contents.records.size() + 1)) std::abort();
    return 0;
}
