// moistek state and batch from the dew point and one other property.
#include <gtest/gtest.h>

#include <charconv>

#include "command_runner.h"

namespace {

CommandRun moistek(const std::string& args, const std::string& input = "") {
    return runCommand(MOISTEK_COMMAND, args, input);
}

// The text after "\"NAME\": " in a line of JSON, up to the next comma or brace.
std::string text(const std::string& json, const std::string& name) {
    const size_t at = json.find("\"" + name + "\": ");
    if (at == std::string::npos) return "(no " + name + ")";
    const size_t begin = at + name.size() + 4;
    return json.substr(begin, json.find_first_of(",}", begin) - begin);
}

double field(const std::string& json, const std::string& name) {
    const std::string t = text(json, name);
    double v = -1e9;
    std::from_chars(t.data(), t.data() + t.size(), v);
    return v;
}

}  // namespace

// 20 °C with its dew point at 10 °C, 760 mmHg. Saturation pressure over water (Sonntag 1990),
// T = 283.15 K: ln e = −6096.9385/283.15 + 16.635794 − 0.02711193 × 283.15
//   + 0.00001673952 × 283.15² + 2.433502 ln 283.15
//   = −21.532539 + 16.635794 − 7.676743 + 1.342073 + 13.739496 = 2.508081, e = 12.281334 hPa
// = 12.281334 × 0.75006168 = 9.2117578 mmHg; at 293.15 K likewise e = 23.392491 hPa.
// x = (18.015/28.966) × 9.2117578 / (760 − 9.2117578) = 0.62193606 × 0.012269481 = 0.0076308126
// RH = e(10 °C)/e(20 °C) = 12.281334/23.392491 = 52.501179 %
// h = 0.24 × 20 + (597.5 + 0.441 × 20) × 0.0076308126 = 4.8 + 606.32 × 0.0076308126 = 9.4267143
// (the library's constants are the single-precision numbers nearest to these decimals, which
// moves x and h by about 2e-8 of their value).
TEST(MoistekDewPoint, DryBulbAndDewPointByHand) {
    const CommandRun r = moistek("state DB=20 DP=10 --json");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(text(r.out, "method"), "\"F_DB2PWS+F_PW2AH+C_DBAH\"");
    EXPECT_NEAR(field(r.out, "AH"), 0.0076308126, 3e-10);
    EXPECT_NEAR(field(r.out, "RH"), 52.501179, 1e-6);
    EXPECT_NEAR(field(r.out, "EN"), 9.4267143, 1e-6);
    EXPECT_EQ(text(r.out, "DP"), "10");  // as given
    EXPECT_EQ(moistek("state DP=10 DB=20 --json").out, r.out);

    // Below 0 °C over ice: ln e = −6024.5282/T + 24.7219 + 0.010613868 T − 0.000013198825 T²
    // − 0.49382577 ln T gives 2.5989288 hPa at −10 °C and 4.0176495 hPa at −5 °C:
    // RH = 2.5989288/4.0176495 = 64.687793 %.
    EXPECT_NEAR(field(moistek("state DB=-5 DP=-10 --json").out, "RH"), 64.687793, 1e-6);

    // 700 mmHg: x = 0.62193606 × 9.2117578 / (700 − 9.2117578) = 0.0082936044.
    EXPECT_NEAR(field(moistek("state DB=20 DP=10 --pa 700 --json").out, "AH"), 0.0082936044,
                3e-10);
    // --si reads --pa in hPa: 1013.25 hPa is 760 mmHg; h = 9.4267143 × 4.1868 = 39.467767 kJ.
    const CommandRun si = moistek("state DB=20 DP=10 --si --pa 1013.25 --json");
    EXPECT_NEAR(field(si.out, "AH"), 0.0076308126, 3e-10);
    EXPECT_NEAR(field(si.out, "EN"), 39.467767, 2e-6);
}

// The other properties of that state with the same dew point give it back along its constant
// humidity ratio: the same x to the bit, the dry bulb within the searches' tolerance.
TEST(MoistekDewPoint, EveryOtherPropertyAlongConstantHumidityRatio) {
    const std::string state = moistek("state DB=20 DP=10 --json").out;
    const std::string x = text(state, "AH");
    const struct {
        const char* name;
        const char* method;
    } pairs[] = {{"RH", "C_RHAH"}, {"WB", "C_AHWB"}, {"EN", "C_AHEN"}, {"SV", "C_AHSV"}};
    for (const auto& p : pairs) {
        const std::string given = std::string(p.name) + "=" + text(state, p.name);
        for (const std::string& args : {"state DP=10 " + given, "state " + given + " DP=10"}) {
            const CommandRun r = moistek(args + " --json");
            EXPECT_EQ(r.status, 0) << args << ": " << r.err;
            EXPECT_EQ(text(r.out, "method"), std::string("\"F_DB2PWS+F_PW2AH+") + p.method + "\"");
            EXPECT_EQ(text(r.out, "AH"), x) << args;
            EXPECT_NEAR(field(r.out, "DB"), 20, 1e-7) << args;
            EXPECT_EQ(text(r.out, "DP"), "10") << args;
        }
    }
    const CommandRun shown = moistek("state DP=10 WB=14.126658219999987");
    EXPECT_NE(shown.out.find("F_DB2PWS+F_PW2AH+C_AHWB: result 1"), std::string::npos) << shown.out;
    EXPECT_NE(shown.out.find("DP  10 "), std::string::npos) << shown.out;
}

TEST(MoistekDewPoint, HumidityRatioWithDewPointIsRefusedAndBadValuesHaveNoState) {
    for (const char* args : {"state DP=10 AH=0.0076", "state AH=0.0076 DP=10", "batch DP,AH",
                             "batch AH,DP"}) {
        const CommandRun r = moistek(args, "");
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_NE(r.err.find("the humidity ratio fixes the dew point"), std::string::npos)
            << args << ": " << r.err;
        EXPECT_EQ(r.out, "") << args;
    }
    EXPECT_NE(moistek("state DP=10 dp=3").err.find("the same property twice: DP"),
              std::string::npos);
    // At 150 °C the saturation pressure (4.76 bar) exceeds 760 mmHg: no humidity ratio; below
    // absolute zero no saturation pressure at all.
    for (const char* dp : {"150", "-300"}) {
        const CommandRun r = moistek(std::string("state DB=20 DP=") + dp + " --json");
        EXPECT_EQ(r.status, 1) << dp;
        EXPECT_EQ(text(r.out, "result"), "-1") << dp;
    }
}

TEST(MoistekDewPoint, BatchColumns) {
    const CommandRun r = moistek("batch DP,DB", "DP,DB\n10,20\n150,20\n");
    EXPECT_EQ(r.status, 1);
    const std::string x = text(moistek("state DB=20 DP=10 --json").out, "AH");
    EXPECT_NE(r.out.find("\n20,52.501179020538835," + x + ","), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(",10,1\n20,0,0,0,0,0,150,-1\n"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("line 3: no state for DP=150 DB=20"), std::string::npos) << r.err;
}
