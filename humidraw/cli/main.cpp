// humidraw-cli: the chart and documents without a window — elements and documents as JSON,
// documents packed from JSON, renderings to image, vector and metafile files.
#include <sys/stat.h>
#include <unistd.h>

#include <QGuiApplication>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "commands.h"
#include "data_options.h"
#include "files/standard_streams.h"
#include "lang/language.h"
#include "render/qt_text.h"

namespace {

const char kUsage[] =
    "usage:\n"
    "  humidraw-cli elements [--settings FILE.ini] [--si | --units kcal|si|ip] [--dbmin T] [--dbmax T]\n"
    "                        [PRESSURE] [--metrics qt|fake] [--json]\n"
    "      the chart frame and its element table (JSON with --json).\n"
    "  humidraw-cli render [DOC.hdw] [--settings FILE.ini] [--si | --units kcal|si|ip] [--dbmin T] [--dbmax T]\n"
    "                      [PRESSURE] [--zoom Z] [DATA OPTIONS]\n"
    "                      -o OUT.png|.svg|.pdf|.emf|.wmf\n"
    "      renders the chart with the document's objects and its own settings; zoom 1.875\n"
    "      (1200 x 900) unless told otherwise; .emf and .wmf are always 1200 x 900.\n"
    "  humidraw-cli design DESIGN.json [--settings FILE.ini] [--si | --units kcal|si|ip] [--dbmin T] [--dbmax T]\n"
    "                      [PRESSURE] [--zoom Z] [DATA OPTIONS] [--json]\n"
    "                      [-o DOC.hdw|OUT.png|.svg|.pdf|.emf|.wmf]\n"
    "      the design file's named air states and processes: every point's properties and\n"
    "      every process's figures (JSON with --json); -o ending in .hdw writes a document\n"
    "      whose companion DOC.hdw.data keeps the design (and the data), any other -o draws\n"
    "      them as render does.\n"
    "  humidraw-cli ahu UNIT.json [--settings FILE.ini] [--units kcal|si|ip] [PRESSURE] [--json]\n"
    "                   [-o DOC.hdw]\n"
    "      the air-handling unit's summer and winter seasons: every state's properties,\n"
    "      every component's loads and water, their sum and the targets not reached (JSON\n"
    "      with --json), in the file's units unless --units says others; -o writes a\n"
    "      document whose companion DOC.hdw.data keeps the unit and its drawing.\n"
    "  humidraw-cli zones --data FILE [DATA OPTIONS] [--settings FILE.ini] [PRESSURE]\n"
    "                     [--json]\n"
    "      the points of the file inside each zone (the presets unless --zone is given), and\n"
    "      too hot, too cold, too humid or too dry outside it; CSV unless --json.\n"
    "  humidraw-cli comfort --DB T (--RH R | --x G) [--met M] [--clo C] [--v V]\n"
    "                       [--mrt T | --mrt-offset K] [--work W] [--settings FILE.ini] [PRESSURE] [--json]\n"
    "      the PMV and PPD (ISO 7730) of the state: dry bulb °C, RH % or x g/kg(DA) at the\n"
    "      chart's pressure; 1.1 met, 0.5 clo, 0.1 m/s, mean radiant temperature the dry bulb,\n"
    "      no external work unless told otherwise.\n"
    "  DATA OPTIONS: --data FILE.csv|FILE.epw (repeatable), --columns P1[=COL],P2[=COL]\n"
    "      (properties DB RH x h WB SV DP; default: the columns the header names;\n"
    "      COL a header name or number),\n"
    "      --units U1,U2 (C % kg/kg g/kg kJ/kg kcal/kg m3/kg, IP: F gr/lb Btu/lb ft3/lb),\n"
    "      --time COL,\n"
    "      --zone building-hygiene|tc99-recommended|tc99-a1|ZONE.json (repeatable),\n"
    "      --zone pmv[:met=M,clo=C,v=V,mrt=K,work=W,pmv=P|low=L,high=H|category=A|B|C,x=G|none]\n"
    "             (the PMV comfort zone), --zone adaptive:month=M[,acceptability=80|90,mean=T]\n"
    "             (the adaptive band; without mean=, the month's mean of the first --data),\n"
    "      --density (hours per 1 °C x 1 g/kg cell rather than dots).\n"
    "  humidraw-cli dump [--] DOC.hdw\n"
    "      the document as JSON.\n"
    "  humidraw-cli pack DOC.json -o DOC.hdw\n"
    "      the document written from JSON as dump prints it.\n"
    "  humidraw-cli coil [--si | --units kcal|si|ip] [--dbmin T] [--dbmax T] [PRESSURE]\n"
    "                    [NAME=VALUE ...] [--json] [-o DOC.hdw]\n"
    "      the single-coil process; NAME is a field of the dialog (CB1, X1, ..., EOA, ESA,\n"
    "      EDT, EQS, EQL, HCB1, HX1, ..., HEOA, HESA, HEQS, Kasitu=1|2), typed in the units\n"
    "      (ip: °F, gr/lb, Btu/lb, ft3/lb, Btu/h, cfm); the report and --json in them too\n"
    "      (--json names them; with kcal and si it keeps kcal/h, m3/h and °C).\n"
    "  PRESSURE: --pressure MMHG (400 to 800) or --altitude M (the standard atmosphere's\n"
    "      pressure there, -434 to 5096 m): the chart's total pressure, at which every state,\n"
    "      line and data point is computed; else the settings file's or the document's,\n"
    "      760 mmHg without either.\n"
    "Each option is given once (--data and --zone may repeat), only to the commands that\n"
    "list it; \"--\" ends the options before a document whose name begins with '-'.\n"
    "Every command takes --lang ja|en: the language of the chart's texts and of the messages\n"
    "(else the locale's: Japanese for ja_*, C and POSIX, English for the others).\n"
    "Exit status: 0 done, 1 a file could not be read or written or no chart can be made,\n"
    "2 a usage error.\n";

// Removes `--lang ja|en` from the arguments and sets the language it names, else the locale's.
std::optional<std::string> takeLanguage(std::vector<std::string>& args) {
    humidraw::setLanguage(humidraw::languageFromEnvironment());
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--lang") continue;
        if (i + 1 >= args.size()) return "option --lang needs a value";
        const auto language = humidraw::parseLanguage(args[i + 1]);
        if (!language) return "--lang takes ja or en, not " + args[i + 1];
        humidraw::setLanguage(*language);
        args.erase(args.begin() + i, args.begin() + i + 2);
        --i;
    }
    return std::nullopt;
}

int run(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (!std::getenv("XDG_RUNTIME_DIR")) {
        // A private runtime folder, as Qt would make it, without its warning on every run.
        const std::string runtime = "/tmp/runtime-" + std::to_string(getuid());
        mkdir(runtime.c_str(), 0700);
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    }
    std::vector<std::string> args(argv + 1, argv + argc);
    if (auto error = takeLanguage(args)) return humidraw_cli::fail(2, *error);
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        std::fputs(kUsage, args.empty() ? stderr : stdout);
        return args.empty() ? 2 : 0;
    }
    const std::string command = args[0];
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (command == "dump") return humidraw_cli::dumpCommand(rest);
    if (command == "pack") return humidraw_cli::packCommand(rest);
    if (command == "coil") return humidraw_cli::coilCommand(rest);
    if (command == "zones") return humidraw_cli::zonesCommand(rest);
    if (command == "comfort") return humidraw_cli::comfortCommand(rest);
    if (command != "elements" && command != "render" && command != "design" && command != "ahu")
        return humidraw_cli::fail(2, "unknown command '" + command + "'\n" + kUsage);
    humidraw_cli::ChartOptions o;
    humidraw_cli::DataOptions data;
    std::vector<std::string> chartArgs = rest;
    if (command == "render" || command == "design") {
        if (auto error = humidraw_cli::takeDataOptions(chartArgs, data))
            return humidraw_cli::fail(2, *error);
    }
    int status = 0;
    if (auto error = humidraw_cli::parseChartOptions(chartArgs, o, status, command))
        return humidraw_cli::fail(status, *error);
    QGuiApplication app(argc, argv);
    humidraw::installFontSubstitutions();
    if (command == "design") return humidraw_cli::designCommand(o, data);
    if (command == "ahu") return humidraw_cli::ahuCommand(o);
    return command == "elements" ? humidraw_cli::elementsCommand(o)
                                 : humidraw_cli::renderCommand(o, data);
}

}  // namespace

int main(int argc, char** argv) {
    // Every command in the user's locale, as the render commands have it through Qt; numbers are
    // written the same in all.
    std::setlocale(LC_ALL, "");
    return humidraw::withOutputChecked(run(argc, argv), "humidraw-cli");
}
