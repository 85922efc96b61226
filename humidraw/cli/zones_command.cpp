// `zones`: the share of a data file's points inside each zone.
#include <cstdio>

#include "commands.h"
#include "data_options.h"
#include "json.h"
#include "text/number_format.h"

using namespace humidraw;

namespace humidraw_cli {
namespace {

void printJson(const DataSet& set, const ImportReport& rep, const std::vector<Zone>& zones,
               const std::vector<ZoneCount>& counts) {
    std::printf(
        "{\"data\": %s,\n \"import\": {\"rows\": %ld, \"used\": %ld, \"skipped\": %ld, "
        "\"first_skipped\": [",
        jsonString(set.name).c_str(), rep.rows, rep.used, rep.skipped);
    for (size_t i = 0; i < rep.firstSkipped.size(); ++i)
        std::printf("%s{\"line\": %ld, \"reason\": %s}", i ? ", " : "", rep.firstSkipped[i].line,
                    jsonString(rep.firstSkipped[i].reason).c_str());
    std::printf("]},\n \"zones\": [");
    for (size_t i = 0; i < zones.size(); ++i) {
        const ZoneCount& c = counts[i];
        std::printf(
            "%s\n  {\"name\": %s, \"inside\": %ld, \"total\": %ld, \"share\": %s, "
            "\"too_hot\": %ld, \"too_cold\": %ld, \"too_humid\": %ld, \"too_dry\": %ld}",
            i ? "," : "", jsonString(zones[i].name).c_str(), c.inside, c.total,
            jsonNumber(c.share()).c_str(), c.tooHot, c.tooCold, c.tooHumid, c.tooDry);
    }
    std::printf("\n]}\n");
}

}  // namespace

int zonesCommand(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    DataOptions d;
    if (auto e = takeDataOptions(args, d)) return fail(2, *e);
    ChartOptions o;
    int status = 0;
    if (auto e = parseChartOptions(args, o, status, "zones")) return fail(status, *e);
    if (d.density) return fail(2, "zones does not take --density (it counts, it draws nothing)");
    if (d.files.size() != 1) return fail(2, "zones needs one --data FILE");
    if (d.zones.empty())
        for (const ZonePreset& p : zonePresets()) d.zones.push_back(p.zone);
    MeasuredData data;
    std::vector<ImportReport> reports;
    if (auto e = loadData(d, o.settings.pressureMmHg, data, reports)) return fail(1, *e);
    StateCalculator calc(o.settings.pressureMmHg);
    std::vector<ZoneCount> counts;
    for (const Zone& z : data.zones) counts.push_back(countInZone(z, data.sets[0], calc));
    if (o.json) {
        printJson(data.sets[0], reports[0], data.zones, counts);
        return 0;
    }
    std::vector<ZoneCountRow> rows;
    for (size_t i = 0; i < counts.size(); ++i)
        rows.push_back({data.zones[i].name, data.sets[0].name, counts[i]});
    std::fputs(countsCsv(rows).c_str(), stdout);
    return 0;
}

}  // namespace humidraw_cli
