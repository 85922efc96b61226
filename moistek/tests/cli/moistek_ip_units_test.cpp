// `moistek state --ip` and `moistek batch --ip`: the library's state, given and printed in
// inch-pound units.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>

#include "command_runner.h"
#include "moistek_internal/ip_units.h"

namespace {

CommandRun moistek(const std::string& args, const std::string& input = "") {
    return runCommand(MOISTEK_COMMAND, args, input);
}

// The value after "\"NAME\": " in a line of JSON.
double field(const std::string& json, const std::string& name) {
    const size_t at = json.find("\"" + name + "\": ");
    if (at == std::string::npos) return -1e9;
    const char* begin = json.c_str() + at + name.size() + 4;
    double v = -1e9;
    std::from_chars(begin, json.c_str() + json.size(), v);
    return v;
}

// Seventeen digits in every locale, so the command reads back the same double.
std::string digits(double v) {
    char buffer[40];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
    return std::string(buffer, end);
}

constexpr const char* kNames[7] = {"DB", "RH", "AH", "EN", "SV", "WB", "DP"};

// A value of property NAME from IP units to the library's, and back.
double toLibrary(const std::string& name, double v) {
    using namespace humidraw;
    if (name == "RH") return v;
    if (name == "AH") return v / kGrainsPerPound;
    if (name == "EN") return kcalPerKgFromBtuPerLb(v);
    if (name == "SV") return v / kCubicFeetPerPoundPerCubicMetrePerKg;
    return celsiusFromFahrenheit(v);
}
double fromLibrary(const std::string& name, double v) {
    using namespace humidraw;
    if (name == "RH") return v;
    if (name == "AH") return v * kGrainsPerPound;
    if (name == "EN") return btuPerLbFromKcalPerKg(v);
    if (name == "SV") return v * kCubicFeetPerPoundPerCubicMetrePerKg;
    return fahrenheitFromCelsius(v);
}

}  // namespace

// 75 °F, 50 % at 14.696 psia, by hand with the library's relations:
//   t = (75 − 32)/1.8 = 23.888889 °C, T = 297.03889 K; saturation (Sonntag 1990, over water)
//   ln e = −6096.9385/T + 16.635794 − 0.02711193·T + 0.00001673952·T² + 2.433502·ln T
//   gives e = 29.658886 hPa = 29.658886 × 0.75006168 = 22.245994 mmHg, pw = 11.122997 mmHg;
//   P = 14.696/0.0193368 = 760.00165 mmHg;
//   W = (18.015/28.966) × 11.122997/(760.00165 − 11.122997) = 0.0092375353 lb/lb
//     = 64.662747 gr/lb;
//   h = 0.24 × 75 + W × (1075.5 + 0.441 × 43) = 18 + 0.0092375353 × 1094.463 = 28.110141 Btu/lb
//     (1.8 × 597.5 = 1075.5, 1.8 × 0.441 × 23.888889 = 0.441 × 43);
//   v = (W × 47.06 + 29.27)/P × 735.5593 × 1e−4 × 297.03889 = 0.85396860 m³/kg
//     = 0.85396860 × 16.01846 = 13.679262 ft³/lb.
// The library's float constants (18.015f, 28.966f, 0.24f) move these in the eighth digit.
// ASHRAE's table values there: W = 0.00929 lb/lb (65.03 gr/lb; the library has no enhancement
// factor, so it is 0.6 % lower), h = 28.1 Btu/lb.
TEST(MoistekStateIp, AshraeStateAt14696Psia) {
    const CommandRun r = moistek("state DB=75 RH=50 --ip --pa 14.696 --json");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(field(r.out, "DB"), 75);
    EXPECT_EQ(field(r.out, "RH"), 50);
    EXPECT_NEAR(field(r.out, "AH"), 64.662747, 2e-5);
    EXPECT_NEAR(field(r.out, "EN"), 28.110141, 2e-6);
    EXPECT_NEAR(field(r.out, "SV"), 13.679262, 2e-6);
    EXPECT_NEAR(field(r.out, "AH") / 7000, 0.00929, 0.01 * 0.00929);
    EXPECT_NEAR(field(r.out, "EN"), 28.1, 0.01 * 28.1);
    EXPECT_NE(r.out.find("\"units\": \"ip\"}"), std::string::npos) << r.out;

    // The same state from its enthalpy and humidity ratio, and from its dew point.
    const CommandRun back = moistek("state EN=28.110141 AH=64.662747 --ip --pa 14.696 --json");
    EXPECT_NEAR(field(back.out, "DB"), 75, 1e-5);
    EXPECT_NEAR(field(back.out, "RH"), 50, 1e-5);
    const double dp = field(r.out, "DP");
    const CommandRun fromDp = moistek("state DB=75 DP=" + digits(dp) + " --ip --pa 14.696 --json");
    EXPECT_NEAR(field(fromDp.out, "RH"), 50, 1e-6) << fromDp.out;
    EXPECT_EQ(field(fromDp.out, "DP"), dp);
}

// Each pair given in IP units is the state given in the library's units with the same values
// converted, and prints that state converted: the same doubles go to the same method.
TEST(MoistekStateIp, SameStateAsInTheLibrarysUnits) {
    const struct {
        const char* a;
        double va;
        const char* b;
        double vb;
        double psia;  // 0 for the library's 760 mmHg
    } cases[] = {
        {"DB", 75, "RH", 50, 0},      {"DB", 95, "WB", 75, 0},      {"AH", 64.66, "DB", 75, 0},
        {"EN", 28.11, "DB", 75, 0},   {"SV", 13.68, "RH", 50, 0},   {"DP", 55, "DB", 75, 0},
        {"DP", 55, "EN", 30, 0},      {"DB", 14, "RH", 80, 0},      {"EN", 30, "SV", 13.9, 0},
        {"WB", 62.5, "SV", 13.68, 0}, {"RH", 60, "AH", 80, 0},      {"DB", 75, "RH", 50, 14.696},
        {"DB", 75, "RH", 50, 12.228}, {"DP", 40, "WB", 50, 12.228},
    };
    for (const auto& c : cases) {
        std::string ip = std::string("state ") + c.a + "=" + digits(c.va) + " " + c.b + "=" +
                         digits(c.vb) + " --json";
        std::string lib = std::string("state ") + c.a + "=" + digits(toLibrary(c.a, c.va)) + " " +
                          c.b + "=" + digits(toLibrary(c.b, c.vb)) + " --json";
        if (c.psia > 0) {
            ip += " --pa " + digits(c.psia);
            lib += " --pa " + digits(c.psia / humidraw::kPsiPerMmHg);
        }
        const CommandRun inIp = moistek(ip + " --ip");
        const CommandRun inLib = moistek(lib);
        SCOPED_TRACE(ip);
        ASSERT_EQ(inLib.status, 0) << inLib.err;
        ASSERT_EQ(inIp.status, 0) << inIp.err;
        EXPECT_EQ(inIp.out.substr(0, inIp.out.find(", \"DB\"")),
                  inLib.out.substr(0, inLib.out.find(", \"DB\"")));  // method and result
        for (const char* name : kNames) {
            const double expected = name == std::string(c.a) ? c.va
                                    : name == std::string(c.b)
                                        ? c.vb
                                        : fromLibrary(name, field(inLib.out, name));
            EXPECT_NEAR(field(inIp.out, name), expected, 1e-12 * std::fabs(expected)) << name;
        }
        // The values given come back as given.
        EXPECT_EQ(field(inIp.out, c.a), c.va);
        EXPECT_EQ(field(inIp.out, c.b), c.vb);
    }
}

TEST(MoistekStateIp, TextNamesTheUnits) {
    const CommandRun r = moistek("state DB=75 RH=50 --ip");
    ASSERT_EQ(r.status, 0) << r.err;
    // The layout of the engineering table, line for line, with IP values and units.
    for (const char* line : {"C_DBRH: result 1\n", "\nDB  75                     °F\n",
                             "\nRH  50                     %\n", "gr/lb(DA)\n", "Btu/lb(DA)\n",
                             "ft³/lb(DA)\n", "\nWB  62.5516", "\nDP  55.1219"})
        EXPECT_NE(r.out.find(line), std::string::npos) << line << " in\n" << r.out;
    EXPECT_EQ(r.out.find("°C"), std::string::npos) << r.out;
    // The other systems say theirs in JSON too.
    EXPECT_NE(moistek("state DB=20 RH=50 --json").out.find(", \"units\": \"kcal\"}"),
              std::string::npos);
    EXPECT_NE(moistek("state DB=20 RH=50 --si --json").out.find(", \"units\": \"si\"}"),
              std::string::npos);
}

TEST(MoistekStateIp, BatchRowsAreTheStatesInIp) {
    const CommandRun b = moistek("batch DB,RH --ip --pa 14.696", "DB,RH\n75,50\n14,80\n1000,50\n");
    EXPECT_EQ(b.status, 1);  // 1000 °F (538 °C) has no state at 14.696 psia
    std::istringstream lines(b.out);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "DB,RH,AH,EN,SV,WB,DP,result");
    for (const char* pair : {"DB=75 RH=50", "DB=14 RH=80"}) {
        std::getline(lines, line);
        const CommandRun s = moistek(std::string("state ") + pair + " --ip --pa 14.696 --json");
        std::string row;
        for (const char* name : kNames) {
            const size_t at = s.out.find(std::string("\"") + name + "\": ") + std::strlen(name) + 4;
            row += s.out.substr(at, s.out.find_first_of(",}", at) - at) + ",";
        }
        EXPECT_EQ(line, row + "1") << pair;
    }
    std::getline(lines, line);
    EXPECT_EQ(line.substr(0, 8), "1000,50,");
    EXPECT_EQ(line.substr(line.size() - 3), ",-1");
    EXPECT_NE(b.err.find("line 4: no state for DB=1000 RH=50"), std::string::npos) << b.err;
}

TEST(MoistekStateIp, UsageErrors) {
    const struct {
        const char* args;
        const char* says;
    } cases[] = {
        {"state DB=75 RH=50 --si --ip", "options --si and --ip do not go together"},
        {"state DB=75 RH=50 --ip --si", "options --si and --ip do not go together"},
        {"state DB=75 RH=50 --ip --ip", "option --ip is given twice"},
        {"state DB=75 RH=50 --ip --pa", "option --pa needs a value"},
        {"state DB=75 RH=50 --ip --pa 14,7", "'14,7' is not a number (--pa)"},
        {"state DB=75F RH=50 --ip", "'75F' is not a number (DB)"},
        {"state AH=64 DP=55 --ip", "DP and AH are one property"},
        {"state EN=28 WB=62 --ip", "does not fix a state"},
        {"state DB=75 --ip", "give two properties"},
        {"state DB=75 RH=50 --IP", "unknown option '--IP'"},
        {"batch DB,RH --ip --si", "options --si and --ip do not go together"},
        {"batch DB,RH --ip --ip", "option --ip is given twice"},
    };
    for (const auto& c : cases) {
        const CommandRun r = moistek(c.args);
        EXPECT_EQ(r.status, 2) << c.args;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << c.args << ": " << r.err;
        EXPECT_EQ(r.out, "") << c.args;
    }
    // Values far outside air give no state, not a crash; the values given stay as given.
    for (const char* args :
         {"state DB=1e308 RH=50 --ip --json", "state AH=1e308 DB=75 --ip --json",
          "state EN=-1e308 SV=13 --ip --json", "state DB=-1e308 RH=50 --ip --json",
          "state DB=75 RH=50 --ip --pa 0 --json"}) {
        const CommandRun r = moistek(args);
        EXPECT_EQ(r.status, 1) << args << ": " << r.out;
        EXPECT_NE(r.out.find("\"result\": -1"), std::string::npos) << args << ": " << r.out;
        EXPECT_EQ(r.out.find("inf"), std::string::npos) << args << ": " << r.out;
        EXPECT_EQ(r.out.find("nan"), std::string::npos) << args << ": " << r.out;
    }
    // A failed state's other values are the library's zeros, not 0 °C read as 32 °F.
    const CommandRun failed = moistek("state DB=1e308 RH=50 --ip --json");
    EXPECT_NE(failed.out.find("\"WB\": 0,"), std::string::npos) << failed.out;
    EXPECT_NE(failed.out.find("\"EN\": 0,"), std::string::npos) << failed.out;
}
