// Both seasons of the air-handling unit against a golden file: every object a run plots (labels,
// lines, value rows) and the rewritten fields, for the defaults and the variants that take other
// paths (SI units, steam, a derived temperature difference, a supply above 95 %, given states in
// other properties). The file was written once and reviewed against the hand computation below.
#include <gtest/gtest.h>

#include "coil/coil.h"
#include "moistek/moistek.h"
#include "golden.h"

using namespace humidraw;
using namespace humidraw::coil;
using humidraw::testing::goldenLine;
using humidraw::testing::goldenNumber;

namespace {

CoilRun run(const CoilInputs& in, bool si = false) {
    CurrentState s;
    return runCoil(MoistAir(), in, si ? UnitSystem::SI : UnitSystem::Engineering, -5, 45,
                   CurrentAttributes{}, 640, s);
}

std::string dump(const std::string& name, const CoilRun& r) {
    std::string out = goldenLine({"case", name, r.status.error(), r.fields.ESA, r.fields.EDT, r.fields.HESA,
                                  std::to_string(r.warnings.size())});
    for (const std::string& warning : r.warnings) out += goldenLine({"warning", warning});
    for (const ObjectRecord& o : r.objects)
        out += goldenLine({std::to_string(o.kind), std::to_string(o.colour),
                           std::to_string(o.width), std::to_string(o.style),
                           std::to_string(o.labelPosition), goldenNumber(o.h1), goldenNumber(o.x1),
                           goldenNumber(o.h2), goldenNumber(o.x2), o.text});
    return out;
}

std::string allCases() {
    std::string out = dump("defaults", run(CoilInputs{}));
    out += dump("si defaults", run(defaultInputs(UnitSystem::SI), true));
    CoilInputs siEnthalpy =
        defaultInputs(UnitSystem::SI);  // outdoor and winter room by enthalpy, kJ/kg
    siEnthalpy.CB2 = kEN, siEnthalpy.X2 = "86";
    siEnthalpy.HCB10 = kEN, siEnthalpy.HX10 = "43";
    out += dump("si enthalpies", run(siEnthalpy, true));
    CoilInputs siVolume =
        defaultInputs(UnitSystem::SI);  // room by enthalpy (kJ/kg) and specific volume
    siVolume.CB10 = kEN, siVolume.X10 = "52.88", siVolume.CB20 = kSV, siVolume.X20 = "0.8616";
    out += dump("si enthalpy with volume", run(siVolume, true));
    CoilInputs steam;
    steam.Kasitu = 2;
    steam.HESA = "20000";
    out += dump("steam, own heating volume", run(steam));
    CoilInputs derived;
    derived.EDT = "0";
    derived.ESA = "20000";
    out += dump("temperature difference from the volume", run(derived));
    CoilInputs wet;
    wet.EQL = "0";
    wet.EDT = "14";
    wet.X20 = "70";
    out += dump("supply above 95 %", run(wet));
    CoilInputs other;  // outdoor by DB and WB, room by h and x; heating outdoor by x and RH
    other.CB1 = kDB, other.CB2 = kWB, other.X1 = "33", other.X2 = "27";
    other.CB10 = kAH, other.CB20 = kEN, other.X10 = "0.0105", other.X20 = "12.4";
    other.HCB1 = kRH, other.HCB2 = kAH, other.HX1 = "40", other.HX2 = "0.002";
    other.HEOA = "20000";  // more outdoor air than supply air
    out += dump("other properties", run(other));
    CoilInputs swapped;  // the same states with their selectors the other way round
    swapped.CB1 = kRH, swapped.X1 = "60", swapped.CB2 = kDB, swapped.X2 = "34";
    swapped.HCB10 = kRH, swapped.HX10 = "50", swapped.HCB20 = kDB, swapped.HX20 = "22";
    out += dump("selectors swapped", run(swapped));
    CoilInputs mixRefused;  // so much outdoor air that the winter mixed air has x below 0
    mixRefused.HEOA = "25000";
    out += dump("winter mixed air refused", run(mixRefused));
    CoilInputs supplyRefused;  // a heating load no supply state can carry
    supplyRefused.HEQS = "1e9";
    out += dump("winter supply refused", run(supplyRefused));
    CoilInputs outletRefused;  // a supply near the library's limit, dried further by mixing
    outletRefused.HEQS = "1700000";
    outletRefused.HEOA = "20000";
    out += dump("winter coil outlet refused", run(outletRefused));
    return out;
}

// Moist-air enthalpy by hand, kcal/kg(DA): 0.24 t + x (597.5 + 0.441 t).
double handEnthalpy(double t, double x) {
    return 0.24 * t + x * (597.5 + 0.441 * t);
}

}  // namespace

TEST(CoilGolden, BothSeasonsOfEveryVariant) {
    humidraw::testing::expectMatchesGolden("core/coil/golden/coil_seasons.txt", allCases());
}

// The review of the default run, by hand from published saturation pressures (ASHRAE
// Fundamentals, 101.325 kPa): the golden values agree to the precision of the tables.
TEST(CoilGolden, DefaultRunAgreesWithHandComputation) {
    const CoilRun r = run(CoilInputs{});
    ASSERT_TRUE(r.status.ok()) << r.status.error();
    // Room 26 °C 50 %: pws = 3.3638 kPa, pw = 1.6819, x = 0.622 × 1.6819 / 99.643 = 0.010499.
    EXPECT_NEAR(r.cooling.RA.x, 0.010499, 2e-5);
    EXPECT_NEAR(r.cooling.RA.h, handEnthalpy(26, 0.010499), 0.02);  // 6.24 + 6.394 = 12.634
    // Outdoor 34 °C 60 %: pws = 5.3251 kPa, pw = 3.1951, x = 0.622 × 3.1951 / 98.130 = 0.020252.
    EXPECT_NEAR(r.cooling.OA.x, 0.020252, 4e-5);
    // Supply volume 17400 m³/h (50000 / 0.288 / 10 = 17361 up to the next hundred):
    // SA x = 0.010499 − 5000 / 17400 / (597.5 + 4.41) = 0.010499 − 0.0004774 = 0.010022.
    EXPECT_NEAR(r.cooling.SA.x, 0.010022, 2e-5);
    EXPECT_NEAR(r.cooling.SA.DB, 16.0, 1e-9);
    // Mixed air, outdoor share 5000 / 17400 = 0.28736:
    // x = 0.010499 + (0.020252 − 0.010499) × 0.28736 = 0.013302.
    EXPECT_NEAR(r.cooling.MA.x, 0.013302, 3e-5);
    EXPECT_NEAR(r.cooling.MA.h, r.cooling.RA.h + (r.cooling.OA.h - r.cooling.RA.h) * 0.28736, 1e-4);

    // Winter room 22 °C 50 %: pws = 2.6448 kPa, pw = 1.3224, x = 0.622 × 1.3224 / 100.003
    // = 0.008225; h = 5.28 + 0.008225 × 607.20 = 10.274.
    EXPECT_NEAR(r.heating.RA.x, 0.008225, 2e-5);
    EXPECT_NEAR(r.heating.RA.h, 10.274, 0.02);
    // Outdoor −1 °C 60 % (over ice, pws = 0.5627 kPa; over water 0.5680): pw ≈ 0.3376,
    // x ≈ 0.622 × 0.3376 / 100.99 = 0.002079; h = −0.24 + 0.002079 × 597.06 = 1.001.
    EXPECT_NEAR(r.heating.OA.x, 0.002079, 2e-5);
    EXPECT_NEAR(r.heating.OA.h, 1.001, 0.02);
    // Supply: 22 + 50000 / 17400 / 0.288 = 22 + 9.978 = 31.978 °C at the room's x.
    EXPECT_NEAR(r.heating.SA.DB, 31.978, 1e-3);
    EXPECT_EQ(r.heating.SA.x, r.heating.RA.x);
    // Winter mixed air lies between room and outdoor, 28.7 % of the way to the outdoor:
    // h = 10.274 − (10.274 − 1.001) × 0.28736 = 7.609; x = 0.008225 − 0.006146 × 0.28736
    // = 0.006459.
    EXPECT_NEAR(r.heating.MA.h, 7.609, 0.03);
    EXPECT_NEAR(r.heating.MA.x, 0.006459, 2e-5);
    // The heating coil heats at constant x from the mixed air; water spray then humidifies
    // along the supply's wet bulb up to the room's x.
    EXPECT_TRUE(r.heating.CA.exists);
    EXPECT_EQ(r.heating.CA.x, r.heating.MA.x);
    EXPECT_GT(r.heating.CA.DB, r.heating.SA.DB);
}

// Selectors given either way round name the same state.
TEST(CoilGolden, SwappedSelectorsGiveTheSameStates) {
    CoilInputs swapped;
    swapped.CB1 = kRH, swapped.X1 = "60", swapped.CB2 = kDB, swapped.X2 = "34";
    const CoilRun a = run(CoilInputs{}), b = run(swapped);
    ASSERT_TRUE(b.status.ok()) << b.status.error();
    EXPECT_EQ(a.cooling.OA.h, b.cooling.OA.h);
    EXPECT_EQ(a.cooling.OA.x, b.cooling.OA.x);
}

// Outdoor air equal to the supply air mixes to the outdoor state itself: nothing to warn of.
TEST(CoilGolden, OutdoorAirEqualToSupplyAirIsNoExcess) {
    CoilInputs in;
    in.EOA = "17400";
    in.HEOA = "17400";
    const CoilRun r = run(in);
    ASSERT_TRUE(r.status.ok()) << r.status.error();
    EXPECT_TRUE(r.warnings.empty());
    EXPECT_NEAR(r.cooling.MA.h, r.cooling.OA.h, 1e-12);
    EXPECT_NEAR(r.heating.MA.x, r.heating.OA.x, 1e-15);
    in.EOA = "17500";
    EXPECT_EQ(run(in).warnings.size(), 1u);
}

// The cooling-coil outlet lies on the 95 % curve to a tenth of the chart's humidity-ratio step
// (0.0001 kg/kg(DA)) whatever the supply's humidity ratio, on either side of 0 °C.
TEST(CoilGolden, CoilOutletOnThe95CurveForEveryLatentLoad) {
    for (int latent = 0; latent <= 70000; latent += 2500) {
        CoilInputs in;
        in.EQL = std::to_string(latent);
        const CoilRun r = run(in);
        if (!r.status.ok()) continue;
        ASSERT_LE(r.cooling.SA.RH, 95) << latent;
        EXPECT_EQ(r.cooling.CA.x, r.cooling.SA.x) << latent;
        EXPECT_NEAR(V_PW2AH(V_DB2PWS(r.cooling.CA.DB) * 0.95), r.cooling.CA.x, 1e-4) << latent;
    }
}
