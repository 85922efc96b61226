// `comfort`: the PMV and PPD of one state of the air for an occupant's activity and clothing.
#include <cmath>
#include <cstdio>
#include <map>

#include "air/air.h"
#include "comfort/comfort.h"
#include "commands.h"
#include "json.h"
#include "text/number_format.h"

using namespace humidraw;

namespace humidraw_cli {
namespace {

// The options this command reads itself, each with a value; the rest go to parseChartOptions.
const std::map<std::string, const char*> kComfortOptions = {
    {"--DB", "dry bulb, °C"},
    {"--RH", "relative humidity, %"},
    {"--x", "humidity ratio, g/kg(DA)"},
    {"--met", "metabolic rate, met"},
    {"--clo", "clothing, clo"},
    {"--v", "air speed, m/s"},
    {"--mrt", "mean radiant temperature, °C"},
    {"--mrt-offset", "mean radiant temperature less the dry bulb, K"},
    {"--work", "external work, met"},
};

}  // namespace

int comfortCommand(const std::vector<std::string>& arguments) {
    std::map<std::string, double> given;
    std::vector<std::string> rest;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (!kComfortOptions.count(a)) {
            rest.push_back(a);
            continue;
        }
        if (i + 1 >= arguments.size()) return fail(2, "option " + a + " needs a value");
        if (given.count(a)) return fail(2, "option " + a + " is given twice");
        const std::string& v = arguments[++i];
        const auto n = parseDecimal(v);
        if (!n || !std::isfinite(*n))
            return fail(2, "'" + v + "' is not a number (" + a + ", " + kComfortOptions.at(a) + ")");
        given[a] = *n;
    }
    ChartOptions o;
    int status = 0;
    if (auto e = parseChartOptions(rest, o, status, "comfort")) return fail(status, *e);
    if (!given.count("--DB")) return fail(2, "comfort needs --DB (the dry bulb, °C)");
    if (given.count("--RH") == given.count("--x"))
        return fail(2, "comfort needs one of --RH (%) and --x (g/kg(DA))");
    if (given.count("--mrt") && given.count("--mrt-offset"))
        return fail(2, "--mrt and --mrt-offset cannot both be given");

    const double DB = given["--DB"];
    comfort::ComfortInputs in;
    if (given.count("--met")) in.met = given["--met"];
    if (given.count("--clo")) in.clo = given["--clo"];
    if (given.count("--v")) in.airSpeed = given["--v"];
    if (given.count("--work")) in.externalWork = given["--work"];
    if (given.count("--mrt-offset")) in.mrtOffset = given["--mrt-offset"];
    if (given.count("--mrt")) in.mrtOffset = given["--mrt"] - DB;
    if (const std::string problem = comfort::inputsProblem(in); !problem.empty())
        return fail(2, problem);

    const MoistAir air(o.settings.pressureMmHg);
    double pws = 0;
    {
        double t = DB;
        if (air.library().F_DB2PWS(t, pws) < 0)
            return fail(2, "--DB " + formatShortest(DB) +
                               " °C is outside the range of the saturation pressure");
    }
    // The vapour pressure (mmHg) from the humidity as given: RH of the saturation pressure, or
    // that of the humidity ratio at the chart's total pressure.
    double pw = 0, RH = 0, x = 0;
    if (given.count("--RH")) {
        RH = given["--RH"];
        if (RH < 0 || RH > 100) return fail(2, "--RH takes 0 to 100 %, not " + formatShortest(RH));
        pw = RH / 100 * pws;
        x = air.DBRH2AH(DB, RH);
    } else {
        x = given["--x"] / 1000;
        double P = air.pressureMmHg(), X = x;
        if (x < 0 || air.library().F_PAAH2PW(P, X, pw) < 0 || pw > pws)
            return fail(2, "--x " + formatShortest(given["--x"]) +
                               " g/kg(DA) is not a humidity of air at " + formatShortest(DB) +
                               " °C (below zero or above saturation)");
        RH = 100 * pw / pws;
    }
    const comfort::PmvResult r = comfort::pmv(DB, pw * kKPaPerMmHg * 1000, in);
    if (!r.ok)
        return fail(1, "no PMV at these conditions: the clothing's surface temperature does "
                       "not settle");
    const double mrt = DB + in.mrtOffset;
    if (o.json) {
        std::printf(
            "{\"DB\": %s, \"RH\": %s, \"x\": %s, \"pressure_mmHg\": %s, \"vapour_pressure_Pa\": %s,\n"
            " \"met\": %s, \"clo\": %s, \"v\": %s, \"mrt\": %s, \"work\": %s,\n"
            " \"pmv\": %s, \"ppd\": %s}\n",
            jsonNumber(DB).c_str(), jsonNumber(RH).c_str(), jsonNumber(x).c_str(),
            jsonNumber(air.pressureMmHg()).c_str(), jsonNumber(pw * kKPaPerMmHg * 1000).c_str(),
            jsonNumber(in.met).c_str(), jsonNumber(in.clo).c_str(),
            jsonNumber(in.airSpeed).c_str(), jsonNumber(mrt).c_str(),
            jsonNumber(in.externalWork).c_str(), jsonNumber(r.pmv).c_str(),
            jsonNumber(r.ppd).c_str());
        return 0;
    }
    std::printf("DB %s °C, RH %s %%, x %s g/kg(DA), at %s mmHg\n", formatFixed(DB, 1).c_str(),
                formatFixed(RH, 1).c_str(), formatFixed(x * 1000, 2).c_str(),
                formatFixed(air.pressureMmHg(), 1).c_str());
    std::printf("%s met, %s clo, %s m/s, MRT %s °C\n", formatShortest(in.met).c_str(),
                formatShortest(in.clo).c_str(), formatShortest(in.airSpeed).c_str(),
                formatFixed(mrt, 1).c_str());
    std::printf("PMV %s\nPPD %s %%\n", formatFixed(r.pmv, 2).c_str(), formatFixed(r.ppd, 1).c_str());
    return 0;
}

}  // namespace humidraw_cli
