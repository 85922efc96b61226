// `humidraw-cli coil`: the rows of a valid run, refusals and warnings as a script sees them.
#include <gtest/gtest.h>

#include <filesystem>

#include "command_runner.h"

namespace fs = std::filesystem;

namespace {

CommandRun coil(const std::string& args) {
    // In Japanese, the language of the messages these tests read, whatever the locale.
    return runCommand(HUMIDRAW_CLI, "--lang ja coil " + args);
}

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

}  // namespace

TEST(HumidrawCliCoil, DefaultRowsStayAsTheyAre) {
    // Reviewed by hand against the moist-air relations at 760 mmHg:
    // C:OA 34 °C 60 %: pws 39.9 mmHg, x = 0.622 × 23.95 / 736.05 = 0.0202; h = 0.24 × 34 +
    //   (597.5 + 0.441 × 34) × 0.02025 = 8.16 + 12.40 = 20.56.
    // C:RA 26 °C 50 %: x = 0.622 × 12.61 / 747.4 = 0.0105; h = 6.24 + 608.97 × 0.010498 = 12.63.
    // C:SA 16 °C: x = 0.010498 − 5000 / 17400 / 601.91 = 0.010021; h = 3.84 + 604.56 × 0.010021
    //   = 9.90; pw = 0.010021 × 760 / 0.632 = 12.05 mmHg of 13.64 at 16 °C: 88.3 %.
    // H:SA 22 + 50000 / (0.288 × 17400) = 31.98 °C at the room's x 0.0082.
    const CommandRun r = coil("");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              "fields: ESA=17400 EDT=10.0 HESA=17400\n"
              "C:OA,34.0,60.0,27.3,20.56,0.0203\n"
              "C:RA,26.0,50.0,18.7,12.63,0.0105\n"
              "C:SA,16.0,88.3,14.8,9.90,0.0100\n"
              "C:CA,14.7,95.0,14.3,9.59,0.0100\n"
              "C:MA,28.3,55.0,21.5,14.91,0.0133\n"
              " \n"
              "H:OA,-1.0,60.0,-3.2,1.00,0.0021\n"
              "H:RA,22.0,50.0,15.4,10.27,0.0082\n"
              "H:SA,32.0,27.8,18.9,12.71,0.0082\n"
              "H:CA,36.3,17.2,18.9,12.67,0.0065\n"
              "H:MA,15.4,59.3,11.1,7.61,0.0065\n");
    const CommandRun j = coil("--json");
    ASSERT_EQ(j.status, 0);
    EXPECT_TRUE(
        has(j.out, "\n \"warnings\": [],\n \"rows\": [\"C:OA,34.0,60.0,27.3,20.56,0.0203\""))
        << j.out.substr(0, 600);
}

TEST(HumidrawCliCoil, RefusalsNameSeasonAndFieldAndWriteNothing) {
    const fs::path doc = fs::temp_directory_path() / ("coil-" + std::to_string(getpid()) + ".hdw");
    const struct {
        const char* args;
        const char* season;
        const char* field;
    } cases[] = {
        {"HESA=-100", "暖房時", "HESA"},
        {"EQS=-50000", "冷房時", "EQS"},
        {"EOA=-1", "冷房時", "EOA"},
        {"X1=200", "冷房時", "X1"},
        {"X2=1063", "冷房時", "1063.0%"},
        {"CB1=3 CB2=4 X1=20 X2=15", "冷房時", "比ｴﾝﾀﾙﾋﾟと湿球温度"},
        {"HCB10=3 HCB20=4 HX10=10 HX20=15", "暖房時", "HX10"},
        {"EQL=120000", "冷房時", "EQL"},
        {"HX2=150", "暖房時", "HX2"},  // after a complete cooling half
    };
    for (const auto& c : cases) {
        const CommandRun r = coil(std::string(c.args) + " --json -o " + doc.string());
        EXPECT_EQ(r.status, 1) << c.args;
        EXPECT_EQ(r.out.rfind("{\"error\": \"", 0), 0u) << c.args << ": " << r.out;
        EXPECT_EQ(r.out.find("rows"), std::string::npos) << c.args;
        EXPECT_TRUE(has(r.out, c.season) && has(r.out, c.field)) << c.args << ": " << r.out;
        EXPECT_TRUE(has(r.err, c.season)) << c.args << ": " << r.err;
        EXPECT_FALSE(fs::exists(doc)) << c.args << ": a refused run writes no document";
        fs::remove(doc);
    }
}

TEST(HumidrawCliCoil, SupersaturatedSupplyIsListedAsAWarning) {
    // Room 26 °C 70 %, supply 14 K below it with no latent load: 12 °C at the room's humidity
    // ratio, 17.65 / 10.52 mmHg = 168 % relative humidity.
    const CommandRun j = coil("EQL=0 EDT=14 X20=70 --json");
    ASSERT_EQ(j.status, 0) << j.err;
    const size_t w = j.out.find("\"warnings\": [\"");
    ASSERT_NE(w, std::string::npos) << j.out.substr(0, 800);
    const std::string warning = j.out.substr(w, j.out.find("]", w) - w);
    for (const char* part : {"冷房時", "EDT", "ESA", "100%"})
        EXPECT_TRUE(has(warning, part)) << part << " missing in " << warning;
    EXPECT_TRUE(has(j.out, "\"C:SA,12.0,")) << "the supply row is still there";
    EXPECT_TRUE(has(j.out, "\"H:MA,")) << "and so is the heating half";

    const CommandRun t = coil("EQL=0 EDT=14 X20=70");
    ASSERT_EQ(t.status, 0);
    EXPECT_TRUE(has(t.err, "warning") && has(t.err, "EDT")) << t.err;
    EXPECT_TRUE(has(t.out, "\nC:SA,12.0,")) << t.out;
}
