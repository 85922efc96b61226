// `ahu UNIT.json`: an air-handling unit's seasons computed, printed as a table or JSON in the
// file's units, and written as a document whose companion keeps the unit and its drawing.
#include <cstdio>

#include "ahu/ahu.h"
#include "ahu_json.h"
#include "commands.h"
#include "design/units.h"
#include "document/document_file.h"
#include "json.h"
#include "measured/companion.h"
#include "measured/import.h"
#include "text/number_format.h"
#include "units/units.h"

using namespace humidraw;
using namespace humidraw::ahu;
using design::UnitSystem;
using Q = humidraw::units::Quantity;

namespace humidraw_cli {
namespace {

struct Shown {
    UnitSystem u;
    double operator()(Q q, double v) const { return units::shown(q, v, u); }
    double load(double kcalPerHour) const { return design::shownLoad(kcalPerHour, u); }
};

void printSeasonJson(const SeasonResult& r, const Shown& v) {
    std::printf("{\"states\": [");
    for (size_t i = 0; i < r.states.size(); ++i) {
        const design::AirProperties& a = r.states[i].air;
        std::printf("%s\n   {\"name\": %s, \"DB\": %s, \"WB\": %s, \"DP\": %s, \"RH\": %s, "
                    "\"x\": %s, \"h\": %s, \"SV\": %s}",
                    i ? "," : "", jsonString(r.states[i].name).c_str(),
                    jsonNumber(v(Q::Temperature, a.DB)).c_str(),
                    jsonNumber(v(Q::Temperature, a.WB)).c_str(),
                    jsonNumber(v(Q::Temperature, a.DP)).c_str(), jsonNumber(a.RH).c_str(),
                    jsonNumber(v(Q::HumidityRatio, a.x)).c_str(),
                    jsonNumber(v(Q::Enthalpy, a.h)).c_str(),
                    jsonNumber(v(Q::Volume, a.SV)).c_str());
    }
    std::printf("],\n  \"components\": [");
    for (size_t i = 0; i < r.components.size(); ++i) {
        const Component& c = r.components[i];
        std::printf("%s\n   {\"kind\": %s, \"name\": %s, \"G\": %s, \"total\": %s, "
                    "\"sensible\": %s, \"latent\": %s, \"water\": %s, \"adp\": %s, \"bf\": %s}",
                    i ? "," : "", jsonString(std::string(partName(c.kind))).c_str(),
                    jsonString(c.name).c_str(), jsonNumber(v(Q::MassFlow, c.G)).c_str(),
                    jsonNumber(v.load(c.total)).c_str(), jsonNumber(v.load(c.sensible)).c_str(),
                    jsonNumber(v.load(c.latent)).c_str(),
                    jsonNumber(v(Q::MassFlow, c.water)).c_str(),
                    c.adp ? jsonNumber(v(Q::Temperature, *c.adp)).c_str() : "null",
                    c.bf ? jsonNumber(*c.bf).c_str() : "null");
    }
    std::printf("],\n  \"sum\": {\"total\": %s, \"sensible\": %s, \"latent\": %s, \"water\": %s},"
                "\n  \"supply_flow\": %s, \"supply_G\": %s, \"outdoor_G\": %s}",
                jsonNumber(v.load(r.sum.total)).c_str(), jsonNumber(v.load(r.sum.sensible)).c_str(),
                jsonNumber(v.load(r.sum.latent)).c_str(),
                jsonNumber(v(Q::MassFlow, r.sum.water)).c_str(),
                jsonNumber(v(Q::AirFlow, r.supplyFlow)).c_str(),
                jsonNumber(v(Q::MassFlow, r.supplyG)).c_str(),
                jsonNumber(v(Q::MassFlow, r.outdoorG)).c_str());
}

void printJson(const UnitResult& r, UnitSystem u, double pressureMmHg) {
    const Shown v{u};
    std::printf("{\"pressure_mmHg\": %s, \"units\": %s,\n \"summer\": ",
                jsonNumber(pressureMmHg).c_str(), jsonString(unitSystemName(u)).c_str());
    if (r.summer.computed) printSeasonJson(r.summer, v);
    else std::printf("null");
    std::printf(",\n \"winter\": ");
    if (r.winter.computed) printSeasonJson(r.winter, v);
    else std::printf("null");
    std::printf(",\n \"warnings\": [");
    for (size_t i = 0; i < r.warnings.size(); ++i)
        std::printf("%s%s", i ? ", " : "", jsonString(r.warnings[i]).c_str());
    std::printf("]}\n");
}

void printSeasonTable(const char* title, const SeasonResult& r, UnitSystem u) {
    const Shown v{u};
    const bool si = u == UnitSystem::SI, ip = u == UnitSystem::IP;
    const auto unit = [u](Q q) { return units::unitText(q, u); };
    std::printf("%s: supply %s %s, G %s %s (outdoor %s)\n", title,
                formatFixed(v(Q::AirFlow, r.supplyFlow), 0).c_str(),
                unit(Q::AirFlow).c_str(), formatFixed(v(Q::MassFlow, r.supplyG), 0).c_str(),
                unit(Q::MassFlow).c_str(),
                formatFixed(v(Q::MassFlow, r.outdoorG), 0).c_str());
    std::printf("state     DB     WB     DP     RH        x       h     SV\n");
    for (const NamedState& s : r.states) {
        const design::AirProperties& a = s.air;
        std::printf("%-5s %6s %6s %6s %6s %8s %7s %6s\n", s.name.c_str(),
                    formatFixed(v(Q::Temperature, a.DB), 1).c_str(),
                    formatFixed(v(Q::Temperature, a.WB), 1).c_str(),
                    formatFixed(v(Q::Temperature, a.DP), 1).c_str(),
                    formatFixed(a.RH, 1).c_str(),
                    formatFixed(v(Q::HumidityRatio, a.x), ip ? 2 : 5).c_str(),
                    formatFixed(v(Q::Enthalpy, a.h), 2).c_str(),
                    formatFixed(v(Q::Volume, a.SV), ip ? 2 : 3).c_str());
    }
    const int decimals = si ? 2 : 0;
    std::printf("component        total   sensible     latent   water   ADP     BF\n");
    const auto row = [&](const std::string& kind, double total, double sensible, double latent,
                         double water, const std::optional<double>& adp,
                         const std::optional<double>& bf) {
        std::printf("%-10s %10s %10s %10s %7s %5s %6s\n", kind.c_str(),
                    formatFixed(v.load(total), decimals).c_str(),
                    formatFixed(v.load(sensible), decimals).c_str(),
                    formatFixed(v.load(latent), decimals).c_str(),
                    formatFixed(v(Q::MassFlow, water), 2).c_str(),
                    adp ? formatFixed(v(Q::Temperature, *adp), 1).c_str() : "-",
                    bf ? formatFixed(*bf, 3).c_str() : "-");
    };
    for (const Component& c : r.components)
        row(std::string(partName(c.kind)), c.total, c.sensible, c.latent, c.water, c.adp, c.bf);
    row("sum", r.sum.total, r.sum.sensible, r.sum.latent, r.sum.water, std::nullopt, std::nullopt);
}

void printTable(const UnitResult& r, UnitSystem u, double pressureMmHg) {
    const auto unit = [u](Q q) { return units::unitText(q, u); };
    std::printf("at %s mmHg: DB WB DP %s, RH %%, x %s, h %s, SV %s, loads %s (positive: heat or "
                "water added to the air), water %s\n",
                formatPrintfGeneral(pressureMmHg, 6).c_str(), unit(Q::Temperature).c_str(),
                unit(Q::HumidityRatio).c_str(), unit(Q::Enthalpy).c_str(),
                unit(Q::Volume).c_str(), design::loadUnit(u).c_str(),
                unit(Q::MassFlow).c_str());
    if (r.summer.computed) printSeasonTable("\nsummer", r.summer, u);
    if (r.winter.computed) printSeasonTable("\nwinter", r.winter, u);
    for (const std::string& w : r.warnings) std::printf("\nwarning: %s", w.c_str());
    if (!r.warnings.empty()) std::printf("\n");
}

}  // namespace

int ahuCommand(const ChartOptions& o) {
    if (o.document.empty()) return fail(2, "ahu needs a unit file (UNIT.json)");
    std::string lower = o.output;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (!o.output.empty() && !lower.ends_with(".hdw"))
        return fail(2, "ahu writes a document: -o takes a file ending in .hdw");

    // A refusal as the message on standard error, and with --json as {"error": …} too.
    const auto refused = [&](const std::string& message) {
        if (o.json) std::printf("{\"error\": %s}\n", jsonString(message).c_str());
        return fail(1, message);
    };
    const auto text = readWholeFile(o.document);
    if (!text) return refused(text.error());
    std::string error;
    const auto file = unitFromJson(*text, error);
    if (!file) return refused(o.document + ": " + error);

    // The command line's pressure, else the file's, else the settings file's (760 mmHg without);
    // the command line's units, else the file's.
    Settings settings = o.settings;
    if (!o.pressureOverride && file->pressureMmHg) settings.pressureMmHg = *file->pressureMmHg;
    const double pressure = settings.pressureMmHg;
    const UnitSystem shownIn = o.forceUnits ? *o.forceUnits : file->units;
    chooseUnits(settings, shownIn);
    const UnitResult result = computeUnit(MoistAir(pressure), file->unit);
    if (!result.status) return refused(o.document + ": " + result.status.error());

    if (!o.output.empty()) {
        const auto bytes = serializeDocument(
            headerFrom(settings, kDefaultAttributes.colour, kDefaultAttributes.width,
                       kDefaultAttributes.style, 1, 480, 640, 0, 0),
            {});
        if (!bytes) return fail(1, "cannot encode the document: " + bytes.error());
        design::Design drawing;
        drawing.basis = file->unit.basis;
        replaceUnitDrawing(drawing, unitDesign(file->unit, result));
        // Away from 760 mmHg the companion says at what pressure the unit was computed; IP,
        // which the header's SI flag cannot say, is said by the companion.
        const auto saved = saveDocumentWithCompanion(
            o.output, *bytes, MeasuredData{}, false,
            pressure == kStandardPressureMmHg ? std::nullopt : std::optional<double>(pressure),
            drawing, shownIn == UnitSystem::IP ? std::optional<UnitSystem>(UnitSystem::IP) : std::nullopt,
            file->unit);
        if (!saved) return fail(1, saved.error());
    }
    if (o.json) printJson(result, shownIn, pressure);
    else printTable(result, shownIn, pressure);
    return 0;
}

}  // namespace humidraw_cli
