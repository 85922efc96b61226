// `design DESIGN.json`: a design file's points and processes computed, printed as a table or
// JSON, and written as a document (its companion carrying the design) or rendered.
#include <cstdio>

#include "commands.h"
#include "data_options.h"
#include "design/design.h"
#include "design/design_overlay.h"
#include "design/units.h"
#include "design_json.h"
#include "document/document_file.h"
#include "json.h"
#include "measured/companion.h"
#include "measured/import.h"
#include "text/number_format.h"

using namespace humidraw;
using namespace humidraw::design;

namespace humidraw_cli {
namespace {

bool isDocumentPath(const std::string& path) {
    std::string lower = path;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower.ends_with(".hdw");
}

// The columns a text takes on a terminal: East Asian wide characters two, the others one.
size_t columns(const std::string& text) {
    size_t n = 0;
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const size_t len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        char32_t cp = len == 1 ? c : c & (0x7F >> len);
        for (size_t k = 1; k < len && i + k < text.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        const bool wide = (cp >= 0x1100 && cp <= 0x115F) || (cp >= 0x2E80 && cp <= 0xA4CF) ||
                          (cp >= 0xAC00 && cp <= 0xD7A3) || (cp >= 0xF900 && cp <= 0xFAFF) ||
                          (cp >= 0xFE30 && cp <= 0xFE4F) || (cp >= 0xFF00 && cp <= 0xFF60) ||
                          (cp >= 0xFFE0 && cp <= 0xFFE6) || cp >= 0x20000;
        n += wide ? 2 : 1;
        i += len;
    }
    return n;
}

std::string padded(const std::string& text, size_t width) {
    const size_t w = columns(text);
    return text + std::string(w < width ? width - w : 0, ' ');
}

std::string optionalJson(const std::optional<double>& v) { return v ? jsonNumber(*v) : "null"; }

std::string fromJson(const Process& p) {
    if (p.kind != ProcessKind::Mixing) return jsonString(p.from.empty() ? "" : p.from[0]);
    std::string s = "[";
    for (size_t i = 0; i < p.from.size(); ++i) s += (i ? ", " : "") + jsonString(p.from[i]);
    return s + "]";
}

void printJson(const Design& d, const DesignResult& r, UnitSystem u) {
    using units::Quantity;
    const auto v = [u](Quantity q, double value) { return units::shown(q, value, u); };
    const auto optional = [&](Quantity q, const std::optional<double>& value) {
        return value ? jsonNumber(v(q, *value)) : std::string("null");
    };
    std::printf("{\"points\": [");
    for (size_t i = 0; i < r.points.size(); ++i) {
        const AirProperties& a = r.points[i].air;
        std::printf("%s\n  {\"name\": %s, \"DB\": %s, \"WB\": %s, \"DP\": %s, \"RH\": %s, "
                    "\"x\": %s, \"h\": %s, \"SV\": %s, \"PW\": %s, \"density\": %s}",
                    i ? "," : "", jsonString(r.points[i].name).c_str(),
                    jsonNumber(v(Quantity::Temperature, a.DB)).c_str(),
                    jsonNumber(v(Quantity::Temperature, a.WB)).c_str(),
                    jsonNumber(v(Quantity::Temperature, a.DP)).c_str(), jsonNumber(a.RH).c_str(),
                    jsonNumber(v(Quantity::HumidityRatio, a.x)).c_str(),
                    jsonNumber(v(Quantity::Enthalpy, a.h)).c_str(),
                    jsonNumber(v(Quantity::Volume, a.SV)).c_str(),
                    jsonNumber(v(Quantity::Pressure, a.PW)).c_str(),
                    jsonNumber(v(Quantity::Density, a.density)).c_str());
    }
    std::printf("],\n \"processes\": [");
    const auto load = [&](const std::optional<double>& q) {
        return q ? jsonNumber(shownLoad(*q, u)) : "null";
    };
    for (size_t i = 0; i < r.processes.size() && i < d.processes.size(); ++i) {
        const Process& p = d.processes[i];
        const ProcessFigures& f = r.processes[i];
        const std::string to = p.kind == ProcessKind::Shf ? "null" : jsonString(p.to);
        std::printf("%s\n  {\"kind\": %s, \"from\": %s, \"to\": %s, \"G\": %s, \"total\": %s, "
                    "\"sensible\": %s, \"latent\": %s, \"shf\": %s, \"water\": %s, \"adp\": %s, "
                    "\"bf\": %s}",
                    i ? "," : "", jsonString(std::string(processKindName(p.kind))).c_str(),
                    fromJson(p).c_str(), to.c_str(), optional(Quantity::MassFlow, f.G).c_str(),
                    load(f.total).c_str(), load(f.sensible).c_str(), load(f.latent).c_str(),
                    optionalJson(f.shf).c_str(), optional(Quantity::MassFlow, f.water).c_str(),
                    optional(Quantity::Temperature, f.adp).c_str(), optionalJson(f.bf).c_str());
    }
    std::printf("\n]}\n");
}

void printTable(const Design& d, const DesignResult& r, UnitSystem u, double pressureMmHg) {
    using units::Quantity;
    const bool si = u == UnitSystem::SI, ip = u == UnitSystem::IP;
    const auto v = [u](Quantity q, double value) { return units::shown(q, value, u); };
    const auto unit = [u](Quantity q) { return units::unitText(q, u); };
    size_t nameWidth = 4;
    for (const PointState& s : r.points) nameWidth = std::max(nameWidth, columns(s.name));
    std::printf("points at %s mmHg: DB WB DP %s, RH %%, x %s, h %s, SV %s, PW %s, density %s\n",
                formatPrintfGeneral(pressureMmHg, 6).c_str(), unit(Quantity::Temperature).c_str(),
                unit(Quantity::HumidityRatio).c_str(), unit(Quantity::Enthalpy).c_str(),
                unit(Quantity::Volume).c_str(), unit(Quantity::Pressure).c_str(),
                unit(Quantity::Density).c_str());
    std::printf("%s     DB     WB     DP     RH        x       h     SV      PW  density\n",
                padded("name", nameWidth).c_str());
    for (const PointState& s : r.points) {
        const AirProperties& a = s.air;
        std::printf("%s %6s %6s %6s %6s %8s %7s %6s %7s %8s\n", padded(s.name, nameWidth).c_str(),
                    formatFixed(v(Quantity::Temperature, a.DB), 1).c_str(),
                    formatFixed(v(Quantity::Temperature, a.WB), 1).c_str(),
                    formatFixed(v(Quantity::Temperature, a.DP), 1).c_str(),
                    formatFixed(a.RH, 1).c_str(),
                    formatFixed(v(Quantity::HumidityRatio, a.x), ip ? 2 : 5).c_str(),
                    formatFixed(v(Quantity::Enthalpy, a.h), 2).c_str(),
                    formatFixed(v(Quantity::Volume, a.SV), ip ? 2 : 3).c_str(),
                    formatFixed(v(Quantity::Pressure, a.PW), si || ip ? 3 : 2).c_str(),
                    formatFixed(v(Quantity::Density, a.density), ip ? 4 : 3).c_str());
    }
    if (d.processes.empty()) return;
    // Each process on one line: what it joins, then its figures, "-" where one does not apply.
    std::printf("\nprocesses: G %s, loads %s (positive: heat added to the air, or gained by the "
                "room of a supply), water %s, ADP %s\n",
                unit(Quantity::MassFlow).c_str(), loadUnit(u).c_str(),
                unit(Quantity::MassFlow).c_str(), unit(Quantity::Temperature).c_str());
    std::vector<std::string> joins;
    size_t joinWidth = 5;
    for (const Process& p : d.processes) {
        std::string from;
        for (size_t k = 0; k < p.from.size(); ++k) from += (k ? " + " : "") + p.from[k];
        joins.push_back(p.kind == ProcessKind::Shf ? from : from + " -> " + p.to);
        joinWidth = std::max(joinWidth, columns(joins.back()));
    }
    std::printf("kind      %s         G      total   sensible     latent    SHF   water   ADP"
                "     BF\n",
                padded("joins", joinWidth).c_str());
    const auto shownOf = [&](Quantity q, const std::optional<double>& value) {
        return value ? std::optional<double>(v(q, *value)) : std::nullopt;
    };
    const auto figure = [](const std::optional<double>& v, int decimals) {
        return v ? formatFixed(*v, decimals) : std::string("-");
    };
    const auto load = [&](const std::optional<double>& q) {
        return q ? formatFixed(shownLoad(*q, u), si ? 2 : 0) : std::string("-");
    };
    for (size_t i = 0; i < r.processes.size() && i < d.processes.size(); ++i) {
        const ProcessFigures& f = r.processes[i];
        std::printf("%-8s  %s %9s %10s %10s %10s %6s %7s %5s %6s\n",
                    std::string(processKindName(d.processes[i].kind)).c_str(),
                    padded(joins[i], joinWidth).c_str(), figure(shownOf(Quantity::MassFlow, f.G), 0).c_str(),
                    load(f.total).c_str(), load(f.sensible).c_str(), load(f.latent).c_str(),
                    figure(f.shf, 2).c_str(), figure(shownOf(Quantity::MassFlow, f.water), 2).c_str(),
                    figure(shownOf(Quantity::Temperature, f.adp), 1).c_str(), figure(f.bf, 3).c_str());
    }
}

}  // namespace

int designCommand(const ChartOptions& o, const DataOptions& dataOptions) {
    if (o.document.empty()) return fail(2, "design needs a design file (DESIGN.json)");
    const bool toDocument = isDocumentPath(o.output);
    if (!o.output.empty() && !toDocument) {
        if (auto problem = renderFormatProblem("design", o.output))
            return fail(2, *problem + " or .hdw");
    }
    if (toDocument && o.zoomGiven)
        return fail(2, "--zoom applies to a rendering, not to a .hdw document");
    if (o.output.empty() && (!dataOptions.files.empty() || !dataOptions.zones.empty()))
        return fail(2, "--data and --zone need -o (a document or a rendering to put them in)");

    // A refusal as the message on standard error, and with --json as {"error": …} too.
    const auto refused = [&](const std::string& message) {
        if (o.json) std::printf("{\"error\": %s}\n", jsonString(message).c_str());
        return fail(1, message);
    };
    const auto text = readWholeFile(o.document);
    if (!text) return refused(text.error());
    std::string error;
    const auto file = designFromJson(*text, error);
    if (!file) return refused(o.document + ": " + error);

    // The command line's pressure, else the file's, else the settings file's (760 mmHg without).
    Settings settings = o.settings;
    if (!o.pressureOverride && file->pressureMmHg) settings.pressureMmHg = *file->pressureMmHg;
    const double pressure = settings.pressureMmHg;
    if (file->units != UnitSystem::Engineering) chooseUnits(settings, file->units);
    const auto design = std::make_shared<const Design>(file->design);
    const DesignResult result = computeDesign(MoistAir(pressure), *design);
    if (!result.status) return refused(o.document + ": " + result.status.error());

    if (toDocument) {
        MeasuredData data;
        std::vector<ImportReport> reports;
        if (auto e = loadData(dataOptions, pressure, data, reports)) return fail(1, *e);
        const auto bytes = serializeDocument(
            headerFrom(settings, kDefaultAttributes.colour, kDefaultAttributes.width,
                       kDefaultAttributes.style, 1, 480, 640, 0, 0),
            {});
        if (!bytes) return fail(1, "cannot encode the document: " + bytes.error());
        // Away from 760 mmHg the companion says at what pressure the design was computed.
        const auto saved = saveDocumentWithCompanion(
            o.output, *bytes, data, false,
            pressure == kStandardPressureMmHg ? std::nullopt : std::optional<double>(pressure),
            *design);
        if (!saved) return fail(1, saved.error());
    } else if (!o.output.empty()) {
        ObjectTable objects;
        objects.design = std::make_shared<DesignOverlay>(design, pressure);
        if (const int status = renderObjects(o, settings, objects,
                                             std::make_shared<MeasuredData>(), dataOptions))
            return status;
    }
    if (o.json) {
        printJson(*design, result, file->units);
    } else {
        printTable(*design, result, file->units, pressure);
    }
    return 0;
}

}  // namespace humidraw_cli
