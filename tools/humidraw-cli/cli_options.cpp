#include "cli_options.h"

#include <fstream>

#include "text/number_format.h"

namespace humidraw_cli {

std::optional<std::string> parseChartOptions(const std::vector<std::string>& args, ChartOptions& o,
                                             int& status, bool takesDocument) {
    status = 2;
    std::optional<double> dbMin, dbMax;
    std::optional<std::string> settingsFile;
    bool si = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const auto value = [&](std::string& out) -> std::optional<std::string> {
            if (i + 1 >= args.size()) return "option " + a + " needs a value";
            out = args[++i];
            return std::nullopt;
        };
        std::string v;
        if (a == "--si") {
            si = true;
        } else if (a == "--json") {
            o.json = true;
        } else if (a == "--settings" || a == "--metrics" || a == "--dbmin" || a == "--dbmax" ||
                   a == "--zoom" || a == "-o") {
            if (auto e = value(v)) return e;
            if (a == "--settings") {
                settingsFile = v;
            } else if (a == "--metrics") {
                if (v != "qt" && v != "fake") return "--metrics takes qt or fake, not " + v;
                o.fakeMetrics = v == "fake";
            } else if (a == "-o") {
                o.output = v;
            } else {
                const auto n = humidraw::parseDecimal(v);
                if (!n) return "'" + v + "' is not a number (" + a + ")";
                if (a == "--dbmin")
                    dbMin = *n;
                else if (a == "--dbmax")
                    dbMax = *n;
                else
                    o.zoom = *n;
            }
        } else if (takesDocument && o.document.empty() && !a.empty() && a[0] != '-') {
            o.document = a;
        } else {
            return "unknown option '" + a + "'";
        }
    }
    if (settingsFile) {
        std::ifstream probe(*settingsFile);
        if (!probe) {
            status = 1;
            return "cannot read the settings file " + *settingsFile;
        }
        o.settings = humidraw::loadSettings(humidraw::IniFile(*settingsFile),
                                            humidraw::folderOf(*settingsFile));
    }
    o.forceSi = si;
    o.dbMinOverride = dbMin;
    o.dbMaxOverride = dbMax;
    if (si) o.settings.si = true;
    if (dbMin) o.settings.dbMin = *dbMin;
    if (dbMax) o.settings.dbMax = *dbMax;
    return std::nullopt;
}

}  // namespace humidraw_cli
