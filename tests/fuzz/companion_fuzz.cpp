// libFuzzer target for the companion reader: any bytes are read or refused without a crash,
// undefined behaviour or a runaway; what is read writes back to text that reads the same, and
// its density grids stay within their points; a design read computes without a crash and writes
// back to the same design.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "measured/companion.h"

using namespace humidraw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto read = readCompanionText(text);
    if (!read) {
        if (read.error().empty()) std::abort();  // every refusal says why
        return 0;
    }
    const MeasuredData& d = read->data;
    if (d.sets.size() > kMostCompanionSets || d.zones.size() > kMostCompanionZones) std::abort();
    size_t points = 0;
    for (const DataSet& s : d.sets) {
        points += s.points.size();
        const DensityGrid g = densityGrid(s);
        if (g.cells.size() > s.points.size()) std::abort();
        for (const DensityGrid::Cell& c : g.cells)
            if (c.column < 0 || c.row < 0 || c.column >= g.columns || c.row >= g.rows) std::abort();
    }
    if (points > kMostCompanionPoints || points > size / 4) std::abort();
    const design::Design& plan = read->design;
    if (plan.points.size() > design::kMostPoints || plan.processes.size() > design::kMostProcesses)
        std::abort();
    const design::DesignResult computed = design::computeDesign(MoistAir(), plan);
    if (!computed.status && computed.status.error().empty()) std::abort();
    const auto again =
        readCompanionText(companionText(d, read->document, read->pressureMmHg, plan));
    if (!again || !(again->design == plan)) std::abort();
    if (!again || again->data.sets.size() != d.sets.size() ||
        again->data.zones.size() != d.zones.size() || again->document != read->document)
        std::abort();
    for (size_t i = 0; i < d.sets.size(); ++i) {
        const DataSet &a = d.sets[i], &b = again->data.sets[i];
        if (a.points.size() != b.points.size() || a.visible != b.visible ||
            a.density != b.density || a.colour != b.colour)
            std::abort();
        for (size_t j = 0; j < a.points.size(); ++j)
            if (a.points[j].DB != b.points[j].DB || a.points[j].x != b.points[j].x) std::abort();
    }
    return 0;
}
