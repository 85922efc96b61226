// moistek's SI switch for whole states, the numbers it reads, and what it does when standard
// input or output fails.
#include <gtest/gtest.h>

#include <charconv>
#include <cstdlib>

#include "command_runner.h"

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

// Standard output is /dev/full (a disk with no room), standard error a file read back.
CommandRun toFullDisk(const std::string& program, const std::string& args,
                      const std::string& input = "") {
    const std::string base = "/tmp/full-test-" + std::to_string(getpid());
    std::ofstream(base + ".in") << input;
    const std::string command =
        program + " " + args + " < " + base + ".in > /dev/full 2> " + base + ".err";
    const int raw = std::system(command.c_str());
    CommandRun r{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, "", slurp(base + ".err")};
    std::remove((base + ".in").c_str());
    std::remove((base + ".err").c_str());
    return r;
}

}  // namespace

// The reference state 20 °C, 50 % at 760 mmHg: x = 0.0072630 kg/kg(DA), h = 9.2037 kcal/kg(DA),
// which is 9.2037 × 4.1868 = 38.534 kJ/kg(DA) (published values of this library's chart).
TEST(MoistekStateSi, SameStateInSiUnits) {
    const CommandRun eng = moistek("state DB=20 RH=50 --json");
    const CommandRun si = moistek("state DB=20 RH=50 --si --json");
    ASSERT_EQ(si.status, 0) << si.err;
    EXPECT_NEAR(field(si.out, "AH"), 0.0072630, 5e-7);
    EXPECT_NEAR(field(si.out, "EN"), 38.534, 0.001);
    EXPECT_NEAR(field(si.out, "EN"), field(eng.out, "EN") * 4.1868, 1e-5);
    for (const char* same : {"DB", "RH", "AH", "SV", "WB", "DP"})
        EXPECT_EQ(field(si.out, same), field(eng.out, same)) << same;

    // An enthalpy given in kJ/kg(DA) is read as such: 38.534 kJ at 20 °C is the same state.
    const CommandRun fromEn = moistek("state EN=38.534 DB=20 --si --json");
    EXPECT_NEAR(field(fromEn.out, "AH"), 0.0072630, 5e-7);
    EXPECT_EQ(field(fromEn.out, "EN"), 38.534);
    EXPECT_NE(moistek("state DB=20 RH=50 --si").out.find("kJ/kg(DA)"), std::string::npos);

    // --pa in hPa with --si: 1013.25 hPa is 760 mmHg; 1013.25 mmHg would be another state.
    const CommandRun atm = moistek("state DB=20 RH=50 --si --pa 1013.25 --json");
    EXPECT_NEAR(field(atm.out, "AH"), 0.0072630, 5e-7);
    EXPECT_NEAR(field(moistek("state DB=20 RH=50 --pa 1013.25 --json").out, "AH"),
                0.0072630 * 760 / 1013.25, 2e-5);
}

TEST(MoistekStateSi, BatchRowsInSiUnits) {
    const CommandRun eng = moistek("batch DB,RH", "DB,RH\n20,50\n");
    const CommandRun si = moistek("batch DB,RH --si", "DB,RH\n20,50\n");
    ASSERT_EQ(si.status, 0) << si.err;
    // The rows differ in the enthalpy column only, 9.2037… against 38.534….
    const size_t row = si.out.find('\n') + 1;
    EXPECT_EQ(si.out.substr(row, 27), eng.out.substr(row, 27));
    EXPECT_NE(si.out.find(",38.53"), std::string::npos) << si.out;
    EXPECT_NE(eng.out.find(",9.2037"), std::string::npos) << eng.out;
    // The method call stays the library's own SI mode, PA member untouched.
    EXPECT_EQ(moistek("call --si F_DB2PWS 20").out, "1 23.392491277566705\n");
}

TEST(MoistekNumbers, EveryFiniteDecimalIsANumber) {
    // 1e-308 and 1e-320 lie below the smallest normal double (2.2e-308): subnormal, finite.
    for (const char* args : {"call F_PAPW2AH 1e+308 1e-308", "call F_PAPW2AH 1e+308 1e-320",
                             "call F_DB2PWS 4.9e-324", "call V_DB2PWS -1.7976931348623157e308"}) {
        const CommandRun r = moistek(args);
        EXPECT_EQ(r.status, 0) << args << ": " << r.err;
        EXPECT_EQ(r.err.find("not a number"), std::string::npos) << args;
    }
    for (const char* refused : {"1e309", "1e-400", "inf", "-inf", "nan", "0x10", "1,5"}) {
        const CommandRun r = moistek(std::string("call F_DB2PWS ") + refused);
        EXPECT_EQ(r.status, 2) << refused;
        EXPECT_NE(r.err.find("not a number"), std::string::npos) << refused << ": " << r.err;
    }
}

TEST(MoistekStreams, FullOutputFailsWithAMessage) {
    const struct {
        const char* args;
        const char* input;
    } cases[] = {
        {"state DB=20 RH=50", ""},
        {"state DB=20 RH=50 --json", ""},
        {"batch DB,RH", "DB,RH\n20,50\n"},
        {"call F_DB2PWS 20", ""},
        {"call --batch", "F_DB2PWS 20\n"},
        {"--version", ""},
        {"--help", ""},
    };
    for (const auto& c : cases) {
        const CommandRun r = toFullDisk(MOISTEK_COMMAND, c.args, c.input);
        EXPECT_EQ(r.status, 1) << c.args;
        EXPECT_NE(r.err.find("standard output"), std::string::npos) << c.args << ": " << r.err;
    }
}

TEST(MoistekStreams, UnreadableInputFails) {
    for (const char* args : {"call --batch", "batch DB,RH"}) {
        const std::string command = std::string(MOISTEK_COMMAND) + " " + args + " < /tmp";
        const CommandRun r = runCommand("sh -c", "'" + command + "'");
        EXPECT_EQ(r.status, 1) << args;
        EXPECT_NE(r.err.find("standard input"), std::string::npos) << args << ": " << r.err;
    }
}
