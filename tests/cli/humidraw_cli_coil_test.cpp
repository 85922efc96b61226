// `humidraw-cli coil`: the rows of a valid run, refusals and warnings as a script sees them.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

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
    // The rows as they have always been; the report follows them.
    EXPECT_EQ(r.out.substr(0, r.out.find("\n\n") + 1),
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

TEST(HumidrawCliCoil, ReportFollowsTheRows) {
    // Figures of the defaults, worked by hand in tests/coil/coil_report_test.cpp: the cooling
    // coil 111153.94 kcal/h (/ 860 = 129.25 kW), the heating coil 105700.23 (122.91 kW), the
    // winter outdoor air 6000 × (1.0013776 − 10.2747248) = −55640.08 (−64.70 kW).
    const CommandRun r = coil("");
    ASSERT_EQ(r.status, 0) << r.err;
    const size_t report = r.out.find("\n\n冷房時\n");
    ASSERT_NE(report, std::string::npos) << r.out;
    EXPECT_LT(r.out.find("H:MA,"), report);
    for (const char* line : {"\n冷却コイル 全熱負荷\t111154\tkcal/h\t129.25\tkW\n",
                             "\n暖房時\n給気風量\t17400\tm³/h\t20880\tkg/h\n",
                             "\n加熱コイル負荷\t105700\tkcal/h\t122.91\tkW\n",
                             "\n外気負荷\t-55640\tkcal/h\t-64.70\tkW\n"})
        EXPECT_TRUE(has(r.out.substr(report), line)) << line << " missing in " << r.out;

    // JSON in kcal/h whatever the unit setting: SI 60 kW of room load is 51600 kcal/h;
    // the coil 113319.74 kcal/h (tests/coil/coil_report_test.cpp); reheat 21600 × (9.8987331 −
    // 9.5895253) = 6678.89; heating coil 21600 × (12.6675312 − 7.6987950) = 107324.70.
    const CommandRun j = coil("--si --json");
    ASSERT_EQ(j.status, 0) << j.err;
    const size_t at = j.out.find("\n \"report\": {\"cooling\": {\"total\": 113319.7");
    ASSERT_NE(at, std::string::npos) << j.out.substr(0, 2000);
    const std::string rep = j.out.substr(at, j.out.find("\n \"objects\"") - at);
    for (const char* key :
         {"\"sensible\": ", "\"latent\": ", "\"water\": ", "\"shf\": 0.6", "\"adp\": 13.7",
          "\"bypass\": 0.07", "\"reheat\": 6678.8", "\"room_sensible\": 51600,",
          "\"heating\": {\"coil\": 107324.", "\"humidifier\": 36.8",
          "\"humidifier_kind\": \"water\"", "\"outdoor_air\": {\"cooling\": 47581.6"})
        EXPECT_TRUE(has(rep, key)) << key << " missing in " << rep;

    // No outdoor air: no mixed air, no coil figures.
    const CommandRun none = coil("EOA=0 HEOA=0 --json");
    ASSERT_EQ(none.status, 0) << none.err;
    EXPECT_TRUE(has(none.out, "{\"total\": null, \"sensible\": null")) << none.out;
    EXPECT_TRUE(has(none.out, "{\"coil\": null, \"humidifier\": null")) << none.out;
}

namespace {

// A figure of the first state `name` (the cooling season's) in `coil --json`.
double stateFigure(const std::string& json, const std::string& name, const std::string& figure) {
    const size_t state = json.find("\"" + name + "\": {");
    const size_t at = json.find("\"" + figure + "\": ", state);
    double v = std::nan("");
    if (state != std::string::npos && at != std::string::npos)  // '.' in every locale
        std::from_chars(json.data() + at + figure.size() + 4, json.data() + json.size(), v);
    return v;
}

}  // namespace

TEST(HumidrawCliCoil, StatesAtTheGivenPressure) {
    const CommandRun standard = coil("--json");
    const CommandRun site = coil("--pressure 626 --json");
    ASSERT_EQ(site.status, 0) << site.err;
    // The room, 26 °C 50 %, p_ws = 25.231 mmHg: x = 0.62194 × 12.6156 / (626 − 12.6156)
    // = 0.0127915; the supply 10 K below it carries the latent load away: x = 0.0127915 − 5000 /
    // 17400 / 601.91 = 0.0127915 − 0.0004774 = 0.0123141 (0.010021 at 760 mmHg).
    EXPECT_NEAR(stateFigure(site.out, "SA", "x"), 0.0123141, 2e-7);
    EXPECT_NEAR(stateFigure(site.out, "SA", "DB"), 16, 1e-9);
    // Its wet bulb at 626 mmHg, by the adiabatic saturation balance
    // 0.24 DB + (597.5 + 0.441 DB) x + (x_s − x) WB = 0.24 WB + (597.5 + 0.441 WB) x_s:
    // h = 3.84 + 604.56 × 0.012314 = 11.2845; at WB 14.806, p_ws ≈ 11.993 + 0.806 × (12.794 −
    // 11.993) = 12.639 mmHg (1.5990 and 1.7057 kPa at 14 and 15 °C, linearly), x_s = 0.62194 ×
    // 12.639 / 613.36 = 0.012816; left 11.2845 + 0.000502 × 14.806 = 11.2919, right 3.5534 +
    // 604.03 × 0.012816 = 11.2947: balanced within 0.0028 / 0.72 (the right side's slope per K)
    // = 0.004 K. At 760 mmHg this state would lie above saturation (x_s(16 °C) = 0.62194 ×
    // 13.637 / 746.36 = 0.01136), its wet bulb above 16 °C.
    const double wb = stateFigure(site.out, "SA", "WB");
    EXPECT_NEAR(wb, 14.806, 0.01);
    EXPECT_NE(wb, stateFigure(standard.out, "SA", "WB"));

    // The rows too: the room's h = 6.24 + 608.97 × 0.012792 = 14.03 and wet bulb 18.3 (18.7 at
    // 760 mmHg); the document keeps the pressure.
    const fs::path doc =
        fs::temp_directory_path() / ("coil-pa-" + std::to_string(getpid()) + ".hdw");
    const CommandRun rows = coil("--pressure 626 -o " + doc.string());
    ASSERT_EQ(rows.status, 0) << rows.err;
    EXPECT_TRUE(has(rows.out, "\nC:RA,26.0,50.0,18.3,14.03,0.0128\n")) << rows.out;
    const CommandRun dump = runCommand(HUMIDRAW_CLI, "dump " + doc.string());
    // Beside it, a companion saying that its objects were computed at 626 mmHg (so that opening
    // it does not take it for a document of an earlier version computed at 760 mmHg).
    std::ifstream companion(doc.string() + ".data");
    const std::string kept((std::istreambuf_iterator<char>(companion)), {});
    EXPECT_TRUE(has(kept, "\npressure 626\n")) << kept;
    fs::remove(doc);
    fs::remove(doc.string() + ".data");
    EXPECT_TRUE(has(dump.out, "\"CSpa\": 626,")) << dump.out.substr(0, 200);
    // At 760 mmHg no companion is written.
    ASSERT_EQ(coil("-o " + doc.string()).status, 0);
    EXPECT_FALSE(fs::exists(doc.string() + ".data"));
    fs::remove(doc);
    EXPECT_EQ(coil("--altitude 0 --json").out, standard.out) << "sea level: 760 mmHg";
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

TEST(HumidrawCliCoil, IpUnitsInTheFieldsTheReportAndTheJson) {
    // The IP defaults: 200,000 Btu/h = 50,399.13 kcal/h over 18 °F = 10 K gives
    // 50399.13 / 10 / 0.288 = 17499.7 → 17500 m³/h = 10300.11 cfm; its dry air 21000 kg/h
    // × 2.2046226 = 46297.07 lb/h; the outdoor air 3000 cfm.
    const CommandRun r = coil("--units ip");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(has(r.out, "fields: ESA=10300 EDT=18.0 HESA=10300\n")) << r.out;
    // The outdoor air as typed: 93 °F, 60 %.
    EXPECT_TRUE(has(r.out, "\nC:OA,93.0,60.0,")) << r.out;
    for (const char* line : {"\n給気風量\t10300\tcfm\t46297\tlb/h\n", "\n導入外気量\t3000\tcfm\t",
                             "\n室内顕熱負荷\t200000\tBtu/h\n", "\n室内潜熱負荷\t20000\tBtu/h\n"})
        EXPECT_TRUE(has(r.out, line)) << line << " missing in " << r.out;
    EXPECT_TRUE(has(r.out, "\tBtu/h\t36.")) << "tons beside the coil's total: " << r.out;

    const CommandRun j = coil("--units ip --json");
    ASSERT_EQ(j.status, 0) << j.err;
    for (const char* key : {"\"OA\": {\"DB\": 93, ", "\"room_sensible\": 200000,",
                            "\"dry_air\": 46297.07", "\"system\": \"ip\"", "\"load\": \"Btu/h\"",
                            "\"air_volume\": \"cfm\"", "\"total_tons\": 36."})
        EXPECT_TRUE(has(j.out, key)) << key << " missing in " << j.out.substr(0, 3000);
    // The engineering JSON names its units too and keeps them with SI.
    const CommandRun si = coil("--si --json");
    ASSERT_EQ(si.status, 0) << si.err;
    EXPECT_TRUE(has(si.out, "\"system\": \"kcal\"")) << si.out.substr(0, 3000);
    EXPECT_TRUE(has(si.out, "\"room_sensible\": 51600,"));

    // The limits in °F: 23 °F to 113 °F is the default −5 to 45 °C.
    const CommandRun limits = coil("--units ip --dbmin 23 --dbmax 113");
    EXPECT_EQ(limits.out, r.out);

    // Two unit systems, or none the program knows, are usage errors.
    const CommandRun both = coil("--si --units ip");
    EXPECT_EQ(both.status, 2);
    EXPECT_TRUE(has(both.err, "--si and --units ip say different units")) << both.err;
    EXPECT_EQ(coil("--si --units si").status, 0);
    EXPECT_EQ(coil("--units metric").status, 2);
    EXPECT_EQ(coil("--units ip --units ip").status, 2);
}
