#include "cli_options.h"

#include <sys/stat.h>

#include <cmath>
#include <fstream>
#include <set>

#include "air/air.h"
#include "moistek_internal/ip_units.h"
#include "text/number_format.h"

namespace humidraw_cli {
namespace {

// The options of parseChartOptions each command takes.
bool commandTakes(const std::string& command, const std::string& option) {
    static const std::set<std::string> common = {"--settings", "--pressure", "--altitude"};
    if (common.count(option)) return true;
    if (command == "elements")
        return option == "--si" || option == "--units" || option == "--dbmin" || option == "--dbmax" ||
               option == "--metrics" || option == "--json";
    if (command == "render" || command == "design")
        return option == "--si" || option == "--units" || option == "--dbmin" || option == "--dbmax" ||
               option == "--zoom" || option == "-o" || (command == "design" && option == "--json");
    if (command == "zones" || command == "comfort") return option == "--json";
    if (command == "ahu") return option == "--units" || option == "--json" || option == "-o";
    return false;
}

bool isChartOption(const std::string& a) {
    return a == "--si" || a == "--units" || a == "--json" || a == "--settings" || a == "--metrics" ||
           a == "--dbmin" || a == "--dbmax" || a == "--zoom" || a == "-o" || a == "--pressure" ||
           a == "--altitude";
}

}  // namespace

std::optional<std::string> pressureOption(const std::string& option, const std::string& value,
                                          double& mmHg) {
    const auto n = humidraw::parseDecimal(value);
    if (!n) return "'" + value + "' is not a number (" + option + ")";
    const auto whole = [](double v) { return std::to_string(static_cast<long>(v)); };
    const std::string range =
        whole(humidraw::kMinPressureMmHg) + " to " + whole(humidraw::kMaxPressureMmHg) + " mmHg";
    if (option == "--pressure") {
        if (!humidraw::pressureAllowed(*n))
            return "--pressure takes a total pressure from " + range + ", not " + value;
        mmHg = *n;
        return std::nullopt;
    }
    const double p = humidraw::pressureAtAltitudeMmHg(*n);
    if (!humidraw::pressureAllowed(p)) {
        // The whole metres whose pressures lie inside the range.
        const double low = std::ceil(humidraw::altitudeAtPressure(humidraw::kMaxPressureMmHg));
        const double high = std::floor(humidraw::altitudeAtPressure(humidraw::kMinPressureMmHg));
        return "--altitude takes an altitude from " + whole(low) + " to " + whole(high) + " m (" +
               range + " by the standard atmosphere), not " + value;
    }
    mmHg = p;
    return std::nullopt;
}

std::optional<std::string> parseChartOptions(const std::vector<std::string>& args, ChartOptions& o,
                                             int& status, const std::string& command) {
    status = 2;
    const bool takesDocument = command == "render" || command == "design" || command == "ahu";
    const std::string file = command == "design" ? "design file"
                             : command == "ahu"  ? "unit file"
                                                 : "document";
    std::optional<double> dbMin, dbMax, pressure;
    std::optional<std::string> settingsFile;
    std::set<std::string> seen;
    bool si = false, zoomGiven = false, documentGiven = false;
    std::optional<humidraw::UnitSystem> units;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--") {  // the end of the options: the document, whatever its name
            if (!takesDocument || documentGiven || i + 2 != args.size())
                return command + (takesDocument ? " takes one " + file + " after --"
                                                : std::string(" takes no document"));
            o.document = args[i + 1];
            break;
        }
        if (!isChartOption(a)) {
            if (takesDocument && !documentGiven && !a.empty() && a[0] != '-') {
                o.document = a;
                documentGiven = true;
                continue;
            }
            if (takesDocument && documentGiven && !a.empty() && a[0] != '-')
                return command + " takes one " + file + "; '" + a + "' is a second";
            return "unknown option '" + a + "'";
        }
        if (!commandTakes(command, a)) return command + " does not take " + a;
        if (!seen.insert(a).second) return "option " + a + " is given twice";
        if (seen.count("--pressure") && seen.count("--altitude")) return kPressureAndAltitude;
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
        } else {
            if (auto e = value(v)) return e;
            if (a == "--settings") {
                settingsFile = v;
            } else if (a == "--metrics") {
                if (v != "qt" && v != "fake") return "--metrics takes qt or fake, not " + v;
                o.fakeMetrics = v == "fake";
            } else if (a == "--units") {
                const auto u = humidraw::unitSystemNamed(v);
                if (!u) return "--units takes kcal, si or ip, not " + v;
                units = *u;
            } else if (a == "-o") {
                o.output = v;
            } else if (a == "--pressure" || a == "--altitude") {
                double mmHg;
                if (auto e = pressureOption(a, v, mmHg)) return e;
                pressure = mmHg;
            } else {
                const auto n = humidraw::parseDecimal(v);
                if (!n) return "'" + v + "' is not a number (" + a + ")";
                if (a == "--dbmin") {
                    dbMin = *n;
                } else if (a == "--dbmax") {
                    dbMax = *n;
                } else {
                    // At least one pixel high (480 chart units), at most what the export takes.
                    if (!(humidraw::wholeNumber(480 * *n) >= 1 && *n <= 20))
                        return "--zoom takes a number from 1/480 (one pixel high) to 20, not " + v;
                    o.zoom = *n;
                    zoomGiven = true;
                }
            }
        }
    }
    o.zoomGiven = zoomGiven;
    if (zoomGiven && !o.output.empty()) {
        std::string lower = o.output;
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (lower.ends_with(".emf") || lower.ends_with(".wmf"))
            return "--zoom does not apply to .emf and .wmf output (always 1200 x 900)";
    }
    if (settingsFile) {
        struct stat st;
        if (stat(settingsFile->c_str(), &st) == 0 && S_ISDIR(st.st_mode))
            return "--settings takes a settings file; " + *settingsFile + " is a folder";
        std::ifstream probe(*settingsFile);
        if (!probe) {
            status = 1;
            return "cannot read the settings file " + *settingsFile;
        }
        o.settings = humidraw::loadSettings(humidraw::IniFile(*settingsFile),
                                            humidraw::folderOf(*settingsFile));
    }
    if (si && units && *units != humidraw::UnitSystem::SI) return "--si and --units " + std::string(humidraw::unitSystemName(*units)) + " say different units";
    if (si) units = humidraw::UnitSystem::SI;
    o.forceUnits = units;
    o.dbMinOverride = dbMin;
    o.dbMaxOverride = dbMax;
    o.pressureOverride = pressure;
    if (pressure) o.settings.pressureMmHg = *pressure;
    if (units) humidraw::chooseUnits(o.settings, *units);
    // Under IP units the limits are typed in °F.
    const auto celsius = [&](double v) {
        return o.settings.isIP() ? humidraw::celsiusFromFahrenheit(v) : v;
    };
    if (dbMin) o.dbMinOverride = o.settings.dbMin = celsius(*dbMin);
    if (dbMax) o.dbMaxOverride = o.settings.dbMax = celsius(*dbMax);
    return std::nullopt;
}

}  // namespace humidraw_cli
