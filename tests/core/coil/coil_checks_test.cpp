// What the single-coil process refuses, what it plots but warns about, and that a refused run
// leaves nothing behind.
#include <gtest/gtest.h>

#include <functional>

#include "coil/coil.h"

using namespace humidraw;
using namespace humidraw::coil;

namespace {

CoilRun run(const CoilInputs& in) {
    CurrentState s;
    return runCoil(MoistAir(), in, UnitSystem::Engineering, -5, 45, CurrentAttributes{}, 640, s);
}

bool says(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

struct Refusal {
    const char* what;
    std::function<void(CoilInputs&)> set;
    const char* season;
    std::vector<std::string> named;  // fields and words the message must hold
};

// A refused run appends nothing, completes nothing and rewrites no field.
void expectRefused(const Refusal& c) {
    CoilInputs in;
    c.set(in);
    const CoilRun r = run(in);
    EXPECT_TRUE(says(r.status.error(), std::string(c.season) + "："))
        << c.what << ": season missing in '" << r.status.error() << "'";
    for (const std::string& part : c.named)
        EXPECT_TRUE(says(r.status.error(), part))
            << c.what << ": '" << part << "' missing in '" << r.status.error() << "'";
    EXPECT_TRUE(r.objects.empty()) << c.what;
    EXPECT_FALSE(r.complete) << c.what;
    EXPECT_TRUE(r.warnings.empty()) << c.what;
    EXPECT_EQ(r.fields.ESA, in.ESA) << c.what;
    EXPECT_EQ(r.fields.EDT, in.EDT) << c.what;
    EXPECT_EQ(r.fields.HESA, in.HESA) << c.what;
}

}  // namespace

TEST(CoilRefusals, NegativeVolumesAndLoads) {
    const Refusal cases[] = {
        {"negative outdoor volume", [](CoilInputs& i) { i.EOA = "-1"; }, "冷房時", {"EOA", "負"}},
        // With DT 10: SA = −50000 / 2.88 < 0, a mixing ratio 5000 / SA below 0.
        {"negative sensible load", [](CoilInputs& i) { i.EQS = "-50000"; }, "冷房時", {"EQS"}},
        {"negative supply volume",
         [](CoilInputs& i) {
             i.EDT = "0";
             i.ESA = "-20000";
         },
         "冷房時",
         {"ESA", "負"}},
        {"negative winter outdoor volume",
         [](CoilInputs& i) { i.HEOA = "-5"; },
         "暖房時",
         {"HEOA"}},
        // 22 + 50000 / (0.288 × −100) = 22 − 1736.1 = −1714 °C: below absolute zero.
        {"negative winter supply volume",
         [](CoilInputs& i) { i.HESA = "-100"; },
         "暖房時",
         {"HESA", "負"}},
    };
    for (const Refusal& c : cases) expectRefused(c);
}

TEST(CoilRefusals, StatesTheLibraryCannotGive) {
    const Refusal cases[] = {
        // Saturation pressure at 200 °C is about 15.5 bar, far above the 1.013 bar total:
        // no humidity ratio exists.
        {"outdoor 200 °C", [](CoilInputs& i) { i.X1 = "200"; }, "冷房時", {"X1", "X2"}},
        {"enthalpy with wet bulb",
         [](CoilInputs& i) {
             i.CB1 = 3;
             i.CB2 = 4;
             i.X1 = "20";
             i.X2 = "15";
         },
         "冷房時",
         {"X1", "比ｴﾝﾀﾙﾋﾟと湿球温度"}},
        {"winter room enthalpy with wet bulb",
         [](CoilInputs& i) {
             i.HCB10 = 4;
             i.HCB20 = 3;
             i.HX10 = "15";
             i.HX20 = "10";
         },
         "暖房時",
         {"HX10", "HX20", "比ｴﾝﾀﾙﾋﾟと湿球温度"}},
        {"relative humidity 1063 %",
         [](CoilInputs& i) { i.X2 = "1063"; },
         "冷房時",
         {"X2", "100%", "1063.0%"}},
        // Saturation at 26 °C: pws 25.2 mmHg, x = 0.622 × 25.2 / (760 − 25.2) = 0.0213.
        {"room humidity ratio above saturation",
         [](CoilInputs& i) {
             i.CB20 = 2;
             i.X20 = "0.022";
         },
         "冷房時",
         {"X10", "X20", "100%"}},
        {"negative relative humidity",
         [](CoilInputs& i) { i.HX2 = "-5"; },
         "暖房時",
         {"HX2", "絶対湿度が負"}},
        // x_SA = x_RA − 120000 / 17400 / (597.5 + 4.41) = 0.0105 − 0.0115 < 0.
        {"latent load beyond the room's moisture",
         [](CoilInputs& i) { i.EQL = "120000"; },
         "冷房時",
         {"EQL", "ESA"}},
        // 26 − 300 = −274 °C, below absolute zero (latent load 0 keeps x_SA = x_RA > 0).
        {"supply below absolute zero",
         [](CoilInputs& i) {
             i.EDT = "300";
             i.EQL = "0";
         },
         "冷房時",
         {"EDT", "ESA", "給気"}},
        // Supply 10000 / 2.88 = 3472 → 3500 m³/h, winter too, with 5000 of outdoor air:
        // r = 1.43; x_RA = 0.622 × 9.92 / 750.1 = 0.00822 (22 °C, 50 %), x_OA = 0.622 × 2.53 /
        // 757.5 = 0.00208 (−1 °C, 60 %); x_MA = 0.00822 − 0.00614 × 1.43 = −0.0005.
        {"winter mixed air drier than dry",
         [](CoilInputs& i) { i.EQS = "10000"; },
         "暖房時",
         {"HEOA", "HESA", "絶対湿度が負"}},
        // 22 + 5e9 / (0.288 × 17400) ≈ 1.0e6 °C: no saturation pressure above the critical
        // point (374 °C).
        {"winter supply beyond the library's range",
         [](CoilInputs& i) { i.HEQS = "5e9"; },
         "暖房時",
         {"HEQS", "HESA", "給気"}},
    };
    for (const Refusal& c : cases) expectRefused(c);
}

TEST(CoilRefusals, KeptInputsThatMayBeMeant) {
    // On the saturation curve, bone-dry outdoor air, a room that dries the supply air (negative
    // latent load), a winter room with more gains than losses (negative heating load), no load.
    for (const auto& set : std::vector<std::function<void(CoilInputs&)>>{
             [](CoilInputs& i) { i.X20 = "100"; }, [](CoilInputs& i) { i.X2 = "0"; },
             [](CoilInputs& i) { i.EQL = "-1000"; }, [](CoilInputs& i) { i.HEQS = "-10000"; },
             [](CoilInputs& i) { i.HEQS = "0"; },
             [](CoilInputs& i) {
                 i.EQS = "0";
                 i.EDT = "0";
                 i.ESA = "10000";
             }}) {
        CoilInputs in;
        set(in);
        const CoilRun r = run(in);
        EXPECT_TRUE(r.status.ok()) << r.status.error();
        EXPECT_EQ(r.objects.size(), 29u);
    }
}

TEST(CoilRefusals, AHeatingRefusalDropsTheCoolingHalfToo) {
    CoilInputs in;
    in.HX2 = "150";  // winter outdoor air at 150 %
    const CoilRun r = run(in);
    EXPECT_TRUE(says(r.status.error(), "暖房時：外気条件(HX1, HX2)")) << r.status.error();
    EXPECT_TRUE(r.objects.empty()) << "the cooling objects go with the refused run";
    EXPECT_EQ(r.fields.ESA, "0") << "the supply volume the cooling half found is not kept";
    EXPECT_EQ(r.fields.HESA, "0");
}

TEST(CoilWarnings, SupersaturatedSupplyIsPlottedAndTold) {
    CoilInputs in;
    in.EQL = "0";
    in.EDT = "14";
    in.X20 = "70";
    const CoilRun r = run(in);
    ASSERT_TRUE(r.status.ok()) << r.status.error();
    EXPECT_EQ(r.objects.size(), 29u) << "plotted as computed";
    // The supply keeps the room's vapour pressure, 0.70 × 25.21 = 17.65 mmHg (26 °C), at 12 °C
    // where saturation is 10.52 mmHg: 17.65 / 10.52 = 167.8 %.
    EXPECT_NEAR(r.cooling.SA.RH, 167.8, 0.3);
    ASSERT_EQ(r.warnings.size(), 1u);
    for (const char* part : {"冷房時", "EDT", "ESA", "100%"})
        EXPECT_TRUE(says(r.warnings[0], part)) << part << " missing in " << r.warnings[0];

    // Winter: 22 − 500000 / (0.288 × 17400) = −77.8 °C at the room's humidity ratio.
    CoilInputs winter;
    winter.HEQS = "-500000";
    const CoilRun w = run(winter);
    ASSERT_TRUE(w.status.ok()) << w.status.error();
    EXPECT_NEAR(w.heating.SA.DB, 22 - 500000 / (0.288 * 17400), 1e-6);
    ASSERT_EQ(w.warnings.size(), 1u);
    EXPECT_TRUE(says(w.warnings[0], "暖房時") && says(w.warnings[0], "HEQS") &&
                says(w.warnings[0], "HESA"))
        << w.warnings[0];

    // The defaults: supply at 16 °C and 88 %, nothing to say.
    EXPECT_TRUE(run(CoilInputs{}).warnings.empty());
}

TEST(CoilWarnings, MoreOutdoorAirThanSupplyAir) {
    CoilInputs in;
    in.EOA = "20000";  // supply 17400: the mixing ratio is 20000 / 17400 = 1.15
    const CoilRun r = run(in);
    ASSERT_TRUE(r.status.ok()) << r.status.error();
    EXPECT_EQ(r.objects.size(), 29u);
    EXPECT_GT(r.cooling.MA.h, r.cooling.OA.h) << "beyond OA on the OA–RA line";
    ASSERT_EQ(r.warnings.size(), 1u) << "winter takes 5000 of 17400";
    EXPECT_TRUE(says(r.warnings[0], "冷房時") && says(r.warnings[0], "EOA")) << r.warnings[0];
    in.HEOA = "17401";
    const CoilRun both = run(in);
    ASSERT_EQ(both.warnings.size(), 2u);
    EXPECT_TRUE(says(both.warnings[1], "暖房時") && says(both.warnings[1], "HEOA"));
}

TEST(CoilChecks, AHeatingVolumeBelowOneIsNotCalledNegative) {
    CoilInputs in = defaultInputs(UnitSystem::Engineering);
    in.HESA = "0.5";
    CurrentState s;
    const CoilRun r =
        runCoil(MoistAir(), in, UnitSystem::Engineering, -5, 45, CurrentAttributes{}, 640, s);
    // The default load through half a cubic metre an hour would heat the supply by thousands of
    // degrees: refused as a supply that cannot be computed, not as a negative volume.
    EXPECT_EQ(r.status.error().find("負の値"), std::string::npos) << r.status.error();
    EXPECT_NE(r.status.error().find("給気の状態を計算できません"), std::string::npos) << r.status.error();
}
