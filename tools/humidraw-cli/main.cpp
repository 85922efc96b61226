// humidraw-cli: the chart without a window — its elements as JSON, and renderings to files.
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "chart/construction.h"
#include "cli_options.h"
#include "json.h"
#include "render/export.h"
#include "render/qt_text.h"

using namespace humidraw;
using humidraw_cli::jsonNumber;
using humidraw_cli::jsonString;

namespace {

const char kUsage[] =
    "usage:\n"
    "  humidraw-cli elements [--settings FILE.ini] [--si] [--dbmin T] [--dbmax T]\n"
    "                        [--metrics qt|fake] [--json]\n"
    "      the chart frame and its element table (JSON with --json).\n"
    "  humidraw-cli render [--settings FILE.ini] [--si] [--dbmin T] [--dbmax T] [--zoom Z]\n"
    "                      -o OUT.png|OUT.svg|OUT.pdf\n"
    "      renders the chart; zoom 1.875 (1200 x 900) unless told otherwise.\n"
    "Exit status: 0 done, 1 the chart or a file could not be made, 2 a usage error.\n";

int fail(int status, const std::string& message) {
    std::fprintf(stderr, "humidraw-cli: %s\n", message.c_str());
    return status;
}

std::string englishReason(FrameStatus st, const Settings& s) {
    const std::string range =
        " (" + std::to_string(s.dbMin) + " to " + std::to_string(s.dbMax) + " °C)";
    switch (st) {
        case FrameStatus::ReversedLimits:
            return "the dry-bulb lower limit must be below the upper limit" + range;
        case FrameStatus::UpperNotAboveZero:
            return "the dry-bulb upper limit must be above 0 °C" + range;
        default:
            return "no chart can be made for this dry-bulb range" + range;
    }
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

int elements(const humidraw_cli::ChartOptions& o) {
    FakeTextMetrics fake;
    QtTextMetrics qt;
    TextMetrics& metrics = o.fakeMetrics ? static_cast<TextMetrics&>(fake) : qt;
    ChartFrame frame;
    ChartTable table;
    const FrameStatus st = constructChart(o.settings, metrics, frame, table);
    if (st != FrameStatus::Ok) return fail(1, englishReason(st, o.settings));
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
    std::printf("theta %.6f k1 %.6f k2 %.6f OX %g OY %g Ytop %g; %zu elements\n", frame.theta,
                frame.k1, frame.k2, frame.OX, frame.OY, frame.Ytop, table.elements().size());
    for (const ChartElement& e : table.elements())
        std::printf("%3d %12.4f %12.4f %12.4f %12.4f %s\n", e.kind, e.c1, e.c2, e.c3, e.c4,
                    e.text.c_str());
    return 0;
}

int render(const humidraw_cli::ChartOptions& o) {
    if (o.output.empty()) return fail(2, "render needs -o OUT.png, OUT.svg or OUT.pdf");
    if (formatForPath(o.output) == ExportFormat::Unknown)
        return fail(2, "unknown output format (use .png, .svg or .pdf): " + o.output);
    QtTextMetrics metrics;
    ChartFrame frame;
    ChartTable table;
    const FrameStatus st = constructChart(o.settings, metrics, frame, table);
    if (st != FrameStatus::Ok) return fail(1, englishReason(st, o.settings));
    ObjectTable objects;
    const std::string error = exportDrawing({frame, table, objects, o.settings}, o.zoom, o.output);
    if (!error.empty()) return fail(1, error);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        std::fputs(kUsage, args.empty() ? stderr : stdout);
        return args.empty() ? 2 : 0;
    }
    const std::string command = args[0];
    if (command != "elements" && command != "render")
        return fail(2, "unknown command '" + command + "'\n" + kUsage);
    humidraw_cli::ChartOptions o;
    int status = 0;
    if (auto error = humidraw_cli::parseChartOptions({args.begin() + 1, args.end()}, o, status))
        return fail(status, *error);
    QGuiApplication app(argc, argv);
    installFontSubstitutions();
    return command == "elements" ? elements(o) : render(o);
}
