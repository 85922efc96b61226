// `coil`: the single-coil process from the dialog's fields, as a table or JSON, or a document.
#include <sys/stat.h>

#include <cstdio>
#include <map>
#include <set>

#include "coil/coil.h"
#include "coil/coil_report.h"
#include "coil/report_table.h"
#include "commands.h"
#include "document/document_file.h"
#include "document/paint.h"
#include "document_json.h"
#include "files/safe_replace.h"
#include "json.h"
#include "measured/companion.h"
#include "moistek/moistek.h"
#include "text/number_format.h"
#include "units/units.h"

using namespace humidraw;

namespace humidraw_cli {
namespace {

// Sets one dialog field by its control name; false for an unknown name or a bad selector.
bool setField(coil::CoilInputs& in, const std::string& name, const std::string& value,
              std::string& error) {
    std::map<std::string, int*> selectors = {
        {"CB1", &in.CB1},     {"CB2", &in.CB2},     {"CB10", &in.CB10},
        {"CB20", &in.CB20},   {"HCB1", &in.HCB1},   {"HCB2", &in.HCB2},
        {"HCB10", &in.HCB10}, {"HCB20", &in.HCB20}, {"Kasitu", &in.Kasitu}};
    std::map<std::string, std::string*> texts = {
        {"X1", &in.X1},     {"X2", &in.X2},     {"EOA", &in.EOA},   {"X10", &in.X10},
        {"X20", &in.X20},   {"EQS", &in.EQS},   {"EQL", &in.EQL},   {"EDT", &in.EDT},
        {"ESA", &in.ESA},   {"HX1", &in.HX1},   {"HX2", &in.HX2},   {"HEOA", &in.HEOA},
        {"HX10", &in.HX10}, {"HX20", &in.HX20}, {"HEQS", &in.HEQS}, {"HESA", &in.HESA}};
    if (auto t = texts.find(name); t != texts.end()) {
        *t->second = value;
        return true;
    }
    if (auto s = selectors.find(name); s != selectors.end()) {
        const auto v = parseInteger(value);
        const int hi = name == "Kasitu" ? 2 : name == "CB1" ? 7 : 6;
        const int lo = name == "Kasitu" ? 1 : 0;
        if (!v || *v < lo || *v > hi) {
            error = name + " takes a whole number from " + std::to_string(lo) + " to " +
                    std::to_string(hi) + ", not '" + value + "'";
            return false;
        }
        *s->second = *v;
        return true;
    }
    error = "unknown field '" + name + "'";
    return false;
}

// The document a run wrote. Its objects were computed at the pressure of its header: away from
// 760 mmHg a companion says so, that opening it tells nothing of an earlier version's 760 mmHg.
// A companion already at that name (another drawing's data) is left as it is.
Status writeCoilDocument(const std::string& path, const std::string& bytes, double pressureMmHg) {
    struct stat st;
    if (pressureMmHg == kStandardPressureMmHg || lstat(companionPath(path).c_str(), &st) == 0)
        return writeOutcome(path, replaceFile(path, bytes));
    const auto saved = saveDocumentWithCompanion(path, bytes, MeasuredData{}, false, pressureMmHg);
    if (!saved) return saved.failure();
    return {};
}

using units::Quantity;

// The JSON's numbers in the engine's units, or in IP with --units ip (SI keeps the engine's).
struct JsonUnits {
    UnitSystem u = UnitSystem::Engineering;
    std::string operator()(Quantity q, double v) const { return jsonNumber(units::shown(q, v, u)); }
    std::string operator()(Quantity q, const std::optional<double>& v) const {
        return v ? (*this)(q, *v) : "null";
    }
};

// The unit of each kind of figure the JSON has, named beside them.
std::string unitsJson(const JsonUnits& ju) {
    const auto unit = [&](Quantity q) { return jsonString(units::unitText(q, ju.u)); };
    return "{\"system\": " + jsonString(unitSystemName(ju.u)) +
           ", \"temperature\": " + unit(Quantity::Temperature) +
           ", \"relative_humidity\": " + unit(Quantity::RelativeHumidity) +
           ", \"humidity_ratio\": " + unit(Quantity::HumidityRatio) +
           ", \"enthalpy\": " + unit(Quantity::Enthalpy) + ", \"load\": " + unit(Quantity::Load) +
           ", \"air_volume\": " + unit(Quantity::AirFlow) +
           ", \"mass_flow\": " + unit(Quantity::MassFlow) +
           ", \"density\": " + unit(Quantity::Density) + "}";
}

std::string stateJson(const MoistAir& air, const coil::AirState& s, const JsonUnits& ju) {
    return "{\"DB\": " + ju(Quantity::Temperature, s.DB) + ", \"RH\": " + jsonNumber(s.RH) +
           ", \"x\": " + ju(Quantity::HumidityRatio, s.x) +
           ", \"h\": " + ju(Quantity::Enthalpy, s.h) +
           ", \"WB\": " + ju(Quantity::Temperature, air.DBAH2WB(s.DB, s.x)) + "}";
}

std::string seasonJson(const MoistAir& air, const coil::Season& s, const JsonUnits& ju) {
    std::string out = "{";
    const std::pair<const char*, const coil::AirState*> states[] = {
        {"OA", &s.OA}, {"RA", &s.RA}, {"MA", &s.MA}, {"CA", &s.CA}, {"SA", &s.SA}};
    bool first = true;
    for (const auto& [name, st] : states) {
        if (!st->exists) continue;
        out += std::string(first ? "" : ", ") + "\"" + name + "\": " + stateJson(air, *st, ju);
        first = false;
    }
    return out + "}";
}

std::string optionalJson(const std::optional<double>& v) {
    return v ? jsonNumber(*v) : "null";
}

// The supply air's density at the site, only when the chart is not at 760 mmHg.
std::string siteDensityJson(const std::optional<double>& density, const JsonUnits& ju) {
    return density ? ", \"site_density\": " + ju(Quantity::Density, *density) : std::string();
}

// The figures in kcal/h, kg/h, m³/h and °C (in Btu/h, lb/h, cfm and °F with IP units, and the
// cooling coil's total also in tons); a figure the run cannot give (no mixed air without outdoor
// air, a coil line that misses the saturation curve) is null.
std::string reportJson(const coil::CoilReport& r, const JsonUnits& ju) {
    const coil::CoolingReport& c = r.cooling;
    const coil::HeatingReport& h = r.heating;
    const auto coolCoil = [&](Quantity q, double v) { return c.coil ? ju(q, v) : "null"; };
    const auto heatCoil = [&](Quantity q, double v) { return h.coil ? ju(q, v) : "null"; };
    const std::string tons =
        ju.u != UnitSystem::IP
            ? std::string()
            : ", \"total_tons\": " + (c.coil ? jsonNumber(units::tons(c.total)) : "null");
    const Quantity L = Quantity::Load, F = Quantity::AirFlow, M = Quantity::MassFlow;
    return "{\"cooling\": {\"total\": " + coolCoil(L, c.total) + tons +
           ", \"sensible\": " + coolCoil(L, c.sensible) + ", \"latent\": " + coolCoil(L, c.latent) +
           ", \"water\": " + coolCoil(M, c.water) + ", \"shf\": " + optionalJson(c.shf) +
           ", \"adp\": " + ju(Quantity::Temperature, c.adp) +
           ", \"bypass\": " + optionalJson(c.bypass) + ", \"reheat\": " + ju(L, c.reheat) +
           ", \"supply_air\": " + ju(F, c.supplyVolume) + ", \"dry_air\": " + ju(M, c.dryAir) +
           siteDensityJson(c.siteDensity, ju) + ", \"room_sensible\": " + ju(L, c.roomSensible) +
           ", \"room_latent\": " + ju(L, c.roomLatent) +
           "},\n  \"heating\": {\"coil\": " + heatCoil(L, h.coilLoad) +
           ", \"humidifier\": " + heatCoil(M, h.humidifier) +
           ", \"humidifier_kind\": " + jsonString(h.steam ? "steam" : "water") +
           ", \"supply_air\": " + ju(F, h.supplyVolume) + ", \"dry_air\": " + ju(M, h.dryAir) +
           siteDensityJson(h.siteDensity, ju) + ", \"room_sensible\": " + ju(L, h.roomSensible) +
           "},\n  \"outdoor_air\": {\"cooling\": " + ju(L, c.outdoorAir) +
           ", \"heating\": " + ju(L, h.outdoorAir) + "}}";
}

// A value-table row as the chart shows it in `u` (the record keeps the engine's units).
std::string shownRow(const std::string& text, UnitSystem u) {
    if (u != UnitSystem::IP) return text;
    std::string out;
    size_t start = 0;
    for (int i = 0;; ++i) {
        const size_t comma = text.find(',', start);
        out += shownTableCell(text.substr(start, comma - start), i, u);
        if (comma == std::string::npos) return out;
        out += ',';
        start = comma + 1;
    }
}

}  // namespace

int coilCommand(const std::vector<std::string>& args) {
    bool si = false, json = false;
    std::optional<UnitSystem> unitsOption;
    std::optional<double> dbMin, dbMax, pressure;
    std::string output;
    std::vector<std::pair<std::string, std::string>> fields;
    std::set<std::string> seen;  // options and fields, each given once
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool pressureOrAltitude = a == "--pressure" || a == "--altitude";
        if ((a == "--si" || a == "--units" || a == "--json" || a == "--dbmin" || a == "--dbmax" ||
             a == "-o" || pressureOrAltitude) &&
            !seen.insert(a).second)
            return fail(2, "option " + a + " is given twice");
        if (seen.count("--pressure") && seen.count("--altitude"))
            return fail(2, kPressureAndAltitude);
        if (a == "--si") {
            si = true;
        } else if (a == "--json") {
            json = true;
        } else if (a == "--units" || a == "--dbmin" || a == "--dbmax" || a == "-o" ||
                   pressureOrAltitude) {
            if (i + 1 >= args.size()) return fail(2, "option " + a + " needs a value");
            const std::string v = args[++i];
            if (a == "--units") {
                unitsOption = unitSystemNamed(v);
                if (!unitsOption) return fail(2, "--units takes kcal, si or ip, not " + v);
                continue;
            }
            if (a == "-o") {
                output = v;
                continue;
            }
            if (pressureOrAltitude) {
                double mmHg;
                if (auto e = pressureOption(a, v, mmHg)) return fail(2, *e);
                pressure = mmHg;
                continue;
            }
            const auto n = parseDecimal(v);
            if (!n) return fail(2, "'" + v + "' is not a number (" + a + ")");
            (a == "--dbmin" ? dbMin : dbMax) = *n;
        } else if (const size_t eq = a.find('='); eq != std::string::npos && a[0] != '-') {
            if (!seen.insert(a.substr(0, eq)).second)
                return fail(2, "field " + a.substr(0, eq) + " is given twice");
            fields.emplace_back(a.substr(0, eq), a.substr(eq + 1));
        } else {
            return fail(2, "unknown option '" + a + "'");
        }
    }
    if (si && unitsOption && *unitsOption != UnitSystem::SI)
        return fail(2, "--si and --units " + std::string(unitSystemName(*unitsOption)) +
                           " say different units");
    const UnitSystem units = si ? UnitSystem::SI : unitsOption.value_or(UnitSystem::Engineering);
    // The JSON keeps the engine's units with SI, as it always has; IP is in IP throughout.
    const JsonUnits ju{units == UnitSystem::IP ? UnitSystem::IP : UnitSystem::Engineering};
    coil::CoilInputs in = coil::defaultInputs(units);
    for (const auto& [name, value] : fields) {
        std::string error;
        if (!setField(in, name, value, error)) return fail(2, error);
    }
    Settings settings;
    settings.units = units;
    // The chart's limits are typed in the units' temperature (°F with IP).
    if (dbMin) settings.dbMin = units::stored(Quantity::Temperature, *dbMin, units);
    if (dbMax) settings.dbMax = units::stored(Quantity::Temperature, *dbMax, units);
    if (pressure) settings.pressureMmHg = *pressure;
    CurrentState state;
    const MoistAir air(settings.pressureMmHg);
    const coil::CoilRun run = coil::runCoil(air, in, units, settings.dbMin, settings.dbMax,
                                            CurrentAttributes{}, ObjectTable::kCapacity, state);
    if (!run.status) {
        if (json) std::printf("{\"error\": %s}\n", jsonString(run.status.error()).c_str());
        return fail(1, run.status.error());
    }
    if (!output.empty()) {
        const auto bytes = serializeDocument(
            headerFrom(settings, kDefaultAttributes.colour, kDefaultAttributes.width,
                       kDefaultAttributes.style, 1, 480, 640, 0, 0),
            run.objects);
        if (!bytes) return fail(1, "cannot encode");
        if (const Status written = writeCoilDocument(output, *bytes, settings.pressureMmHg); !written)
            return fail(1, written.error());
    }
    const coil::CoilReport report = coil::coilReport(run, settings.dbMin, settings.dbMax);
    std::vector<std::string> rows;
    for (const ObjectRecord& r : run.objects)
        if (r.kind == kTableRow) rows.push_back(shownRow(r.text, units));
    if (json) {
        std::printf("{\"cooling\": %s,\n \"heating\": %s,\n",
                    seasonJson(air, run.cooling, ju).c_str(),
                    seasonJson(air, run.heating, ju).c_str());
        std::printf(" \"fields\": {\"ESA\": %s, \"EDT\": %s, \"HESA\": %s},\n \"warnings\": [",
                    jsonString(run.fields.ESA).c_str(), jsonString(run.fields.EDT).c_str(),
                    jsonString(run.fields.HESA).c_str());
        for (size_t i = 0; i < run.warnings.size(); ++i)
            std::printf("%s%s", i ? ", " : "", jsonString(run.warnings[i]).c_str());
        std::printf("],\n \"rows\": [");
        for (size_t i = 0; i < rows.size(); ++i)
            std::printf("%s%s", i ? ", " : "", jsonString(rows[i]).c_str());
        DocumentContents contents;
        contents.records = run.objects;
        std::string objects = documentToJson(contents);
        objects = objects.substr(objects.find('['));  // the records array
        objects = objects.substr(0, objects.rfind(']') + 1);
        std::printf("],\n \"units\": %s,\n \"report\": %s,\n \"objects\": %s}\n",
                    unitsJson(ju).c_str(), reportJson(report, ju).c_str(), objects.c_str());
        return 0;
    }
    for (const std::string& w : run.warnings)
        std::fprintf(stderr, "humidraw-cli: warning: %s\n", w.c_str());
    std::printf("fields: ESA=%s EDT=%s HESA=%s\n", run.fields.ESA.c_str(), run.fields.EDT.c_str(),
                run.fields.HESA.c_str());
    for (const std::string& r : rows) std::printf("%s\n", r.c_str());
    // The figures after the rows (which are the report's state table already).
    std::vector<coil::ReportSection> sections = coil::reportSections(run, report, units);
    sections.erase(sections.begin());
    std::printf("\n%s", coil::reportTsv(sections).c_str());
    return 0;
}

}  // namespace humidraw_cli
