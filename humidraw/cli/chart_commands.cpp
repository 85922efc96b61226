// `elements` and `render`.
#include <cstdio>

#include "chart/construction.h"
#include "commands.h"
#include "measured/companion.h"
#include "data_options.h"
#include "design/design_overlay.h"
#include "document/document_file.h"
#include "files/safe_replace.h"
#include "json.h"
#include "metafile/metafile_export.h"
#include "render/export.h"
#include "render/qt_text.h"
#include "text/number_format.h"
#include "text/visible_text.h"

using namespace humidraw;

namespace humidraw_cli {

int fail(int status, const std::string& message) {
    // Names in the message (files, arguments) may hold anything: a terminal gets no control
    // characters from them.
    std::fprintf(stderr, "humidraw-cli: %s\n", humidraw::visibleText(message, true).c_str());
    return status;
}

namespace {

// Why no chart can be made for `s`, in the command line's English.
std::string englishReason(const Settings& s) {
    const std::string range =
        " (" + rangeLimitText(s.dbMin) + " to " + rangeLimitText(s.dbMax) + " °C)";
    if (limitsReversed(s)) return "the dry-bulb lower limit must be below the upper limit" + range;
    if (upperLimitNotAboveZero(s)) return "the dry-bulb upper limit must be above 0 °C" + range;
    return "no chart can be made for this dry-bulb range" + range;
}

void printFrameJson(const ChartFrame& f) {
    const std::pair<const char*, double> fields[] = {
        {"DBmin", f.DBmin},   {"DBmax", f.DBmax},   {"DBstep", f.DBstep}, {"AHstep", f.AHstep},
        {"RHstep", f.RHstep}, {"ENstep", f.ENstep}, {"WBstep", f.WBstep}, {"SVstep", f.SVstep},
        {"AHmin", f.AHmin},   {"AHmax", f.AHmax},   {"RHmin", f.RHmin},   {"RHmax", f.RHmax},
        {"ENmin", f.ENmin},   {"ENmax", f.ENmax},   {"WBmin", f.WBmin},   {"WBmax", f.WBmax},
        {"SVmin", f.SVmin},   {"SVmax", f.SVmax},   {"nDB", f.nDB},       {"nAH", f.nAH},
        {"nRH", f.nRH},       {"nEN", f.nEN},       {"nWB", f.nWB},       {"nSV", f.nSV},
        {"theta", f.theta},   {"k1", f.k1},         {"k2", f.k2},         {"OX", f.OX},
        {"OY", f.OY},         {"Ytop", f.Ytop},
    };
    std::printf("{\"frame\": {");
    bool first = true;
    for (const auto& [name, v] : fields) {
        std::printf("%s\"%s\": %s", first ? "" : ", ", name, jsonNumber(v).c_str());
        first = false;
    }
    std::printf("},\n \"elements\": [");
}

}  // namespace

int elementsCommand(const ChartOptions& o) {
    FakeTextMetrics fake;
    QtTextMetrics qt;
    TextMetrics& metrics = o.fakeMetrics ? static_cast<TextMetrics&>(fake) : qt;
    ChartFrame frame;
    ChartTable table;
    if (!constructChart(o.settings, metrics, frame, table)) return fail(1, englishReason(o.settings));
    if (o.json) {
        printFrameJson(frame);
        bool first = true;
        for (const ChartElement& e : table.elements()) {
            std::printf(
                "%s\n  {\"kind\": %d, \"c1\": %s, \"c2\": %s, \"c3\": %s, \"c4\": %s, "
                "\"text\": %s}",
                first ? "" : ",", e.kind, jsonNumber(e.c1).c_str(), jsonNumber(e.c2).c_str(),
                jsonNumber(e.c3).c_str(), jsonNumber(e.c4).c_str(), jsonString(e.text).c_str());
            first = false;
        }
        std::printf("\n]}\n");
        return 0;
    }
    std::printf("theta %s k1 %s k2 %s OX %s OY %s Ytop %s; %zu elements\n",
                formatPrintfFixed(frame.theta, 6).c_str(), formatPrintfFixed(frame.k1, 6).c_str(),
                formatPrintfFixed(frame.k2, 6).c_str(), formatPrintfGeneral(frame.OX, 6).c_str(),
                formatPrintfGeneral(frame.OY, 6).c_str(),
                formatPrintfGeneral(frame.Ytop, 6).c_str(), table.elements().size());
    for (const ChartElement& e : table.elements()) {
        std::string row;
        for (double c : {e.c1, e.c2, e.c3, e.c4}) row += " " + formatPrintfFixed(c, 4, 12);
        std::printf("%3d%s %s\n", e.kind, row.c_str(), e.text.c_str());
    }
    return 0;
}

std::optional<std::string> renderFormatProblem(const std::string& command,
                                               const std::string& path) {
    if (path.empty()) return command + " needs -o OUT.png, .svg, .pdf, .emf or .wmf";
    if (!isMetafilePath(path) && formatForPath(path) == ExportFormat::Unknown)
        return "unknown output format (use .png, .svg, .pdf, .emf or .wmf): " + path;
    return std::nullopt;
}

bool isMetafilePath(const std::string& path) {
    std::string lower = path;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower.ends_with(".emf") || lower.ends_with(".wmf");
}

int renderObjects(const ChartOptions& o, const Settings& settings, ObjectTable& objects,
                  std::shared_ptr<MeasuredData> data, const DataOptions& dataOptions) {
    MeasuredData given;
    std::vector<ImportReport> reports;
    if (auto e = loadData(dataOptions, settings.pressureMmHg, given, reports)) return fail(1, *e);
    for (DataSet& s : given.sets) data->sets.push_back(std::move(s));
    for (Zone& z : given.zones) data->zones.push_back(std::move(z));
    if (!data->empty())
        objects.overlay = std::make_shared<DataOverlay>(data, settings.pressureMmHg);
    QtTextMetrics metrics;
    ChartFrame frame;
    ChartTable table;
    if (!constructChart(settings, metrics, frame, table)) return fail(1, englishReason(settings));
    Status written;
    if (isMetafilePath(o.output)) {
        const std::string bytes = metafileBytes(metafileFormatFor(o.output), frame, table, objects,
                                                settings, screenTextExtent, screenCharAdvances);
        written = writeOutcome(o.output, replaceFile(o.output, bytes));
    } else {
        written = exportDrawing({frame, table, objects, settings}, o.zoom, o.output);
    }
    return written ? 0 : fail(1, written.error());
}

int renderCommand(const ChartOptions& o, const DataOptions& dataOptions) {
    if (auto problem = renderFormatProblem("render", o.output)) return fail(2, *problem);

    Settings settings = o.settings;
    ObjectTable objects;
    CompanionLoad kept;
    if (!o.document.empty()) {
        const DocumentRead doc = readDocumentFile(o.document);
        if (!doc.status) return fail(1, o.document + ": " + doc.status.error());
        // The document's own data, zones, design and units (its companion file).
        kept = loadCompanion(o.document, doc.identity);
        if (!kept.status) return fail(1, kept.status.error());
        if (doc.contents.header) applyHeader(*doc.contents.header, settings);
        if (doc.contents.header && kept.units) settings.units = *kept.units;
        if (o.forceUnits) settings.units = *o.forceUnits;  // the document keeps its range
        if (o.dbMinOverride) settings.dbMin = *o.dbMinOverride;
        if (o.dbMaxOverride) settings.dbMax = *o.dbMaxOverride;
        if (o.pressureOverride) settings.pressureMmHg = *o.pressureOverride;
        for (const ObjectRecord& r : doc.contents.records) objects.append(r);
        if (doc.contents.leftOut > 0)
            std::fprintf(stderr, "humidraw-cli: %s: %ld objects beyond the first %d left out\n",
                         visibleText(o.document).c_str(), doc.contents.leftOut,
                         ObjectTable::kCapacity);
    }
    // The document's own data, zones and design, then the data and zones of the command line.
    auto data = std::make_shared<MeasuredData>();
    if (!o.document.empty()) {
        *data = std::move(kept.data);
        if (!kept.design.empty())
            objects.design = std::make_shared<design::DesignOverlay>(
                std::make_shared<const design::Design>(std::move(kept.design)),
                settings.pressureMmHg);
    }
    return renderObjects(o, settings, objects, data, dataOptions);
}

}  // namespace humidraw_cli
