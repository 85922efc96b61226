#include "coil/coil.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "moistek/moistek.h"

using namespace humidraw;
using namespace humidraw::coil;

namespace {

CoilRun run(const CoilInputs& in, bool si = false, int room = 640) {
    CurrentState s;
    return runCoil(MoistAir(), in, si ? UnitSystem::SI : UnitSystem::Engineering, -5, 45,
                   CurrentAttributes{}, room, s);
}

double x95ForTest(double t) {
    return V_PW2AH(V_DB2PWS(t) * 0.95);
}

std::string exact(double v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

std::vector<std::string> labelsAndKinds(const CoilRun& r) {
    std::vector<std::string> out;
    for (const ObjectRecord& o : r.objects)
        out.push_back(o.kind == kLineBothMarkers ? "line"
                      : o.kind == kTextObject    ? o.text
                                                 : "row " + o.text.substr(0, o.text.find(',')));
    return out;
}

}  // namespace

TEST(Coil, DefaultsPlotBothSeasonsInOrder) {
    const CoilRun r = run(CoilInputs{});
    ASSERT_TRUE(r.status.ok()) << r.status.error();
    EXPECT_TRUE(r.complete);
    EXPECT_EQ(
        labelsAndKinds(r),
        (std::vector<std::string>{
            "C:OA",     "line",     "C:RA",     "line",     "C:SA",     "line",     "C:CA", "line",
            "C:MA",     "row C:OA", "row C:RA", "row C:SA", "row C:CA", "row C:MA", "H:OA", "line",
            "H:RA",     "line",     "H:SA",     "line",     "H:CA",     "line",     "H:MA", "row  ",
            "row H:OA", "row H:RA", "row H:SA", "row H:CA", "row H:MA"}));
    EXPECT_EQ(r.fields.ESA, "17400") << "50000 / (0.288 × 10) = 17361.1, up to the next hundred";
    EXPECT_EQ(r.fields.HESA, "17400") << "the heating volume taken from the cooling one";
    EXPECT_DOUBLE_EQ(r.cooling.SA.DB, r.cooling.RA.DB - 10);
    EXPECT_NEAR(r.cooling.SA.x, r.cooling.RA.x - 5000.0 / 17400 / (597.5 + 4.41), 1e-15);
    const double ratio = 5000.0 / 17400;
    EXPECT_NEAR(r.cooling.MA.h, r.cooling.RA.h + (r.cooling.OA.h - r.cooling.RA.h) * ratio, 1e-12);
    // Labels: positions per state; lines in the current attributes from start to end state.
    EXPECT_EQ(r.objects[0].labelPosition, 4);
    EXPECT_EQ(r.objects[6].labelPosition, 6);
    EXPECT_EQ(r.objects[18].labelPosition, 2);
    EXPECT_EQ(r.objects[1].h1, r.cooling.OA.h);
    EXPECT_EQ(r.objects[1].h2, r.cooling.RA.h);
    EXPECT_EQ(r.objects[1].colour, 7);
    EXPECT_EQ(r.objects[1].width, 3);
    // The coil outlet at 95 %, shown as 95.0 whatever the search found.
    // Within the search's tolerance of 0.0001 kg/kg(DA) of the 95 % curve.
    EXPECT_NEAR(x95ForTest(r.cooling.CA.DB), r.cooling.CA.x, 1e-4);
    EXPECT_EQ(r.objects[12].text.rfind("C:CA,", 0), 0u);
    EXPECT_NE(r.objects[12].text.find(",95.0,"), std::string::npos);
}

TEST(Coil, SupplyVolumeRoundingAndDerivedDifference) {
    CoilInputs in;
    in.EQS = std::to_string(17300.5 * 2.88);  // raw volume 17300.5 at DT 10
    EXPECT_EQ(run(in).fields.ESA, "17300");
    in.EQS = std::to_string(17301 * 2.88);
    EXPECT_EQ(run(in).fields.ESA, "17400");
    CoilInputs derived;
    derived.EDT = "0";
    derived.ESA = "20000";
    const CoilRun d = run(derived);
    EXPECT_EQ(d.fields.EDT, "8.7");
    EXPECT_DOUBLE_EQ(d.cooling.SA.DB, d.cooling.RA.DB - 8.7);
    EXPECT_NEAR(d.cooling.SA.x, d.cooling.RA.x - 5000.0 / 20000 / (597.5 + 0.441 * 8.7), 1e-15);
}

TEST(Coil, SupersaturatedSupplyPutsTheCoilOutletOnThe95Curve) {
    CoilInputs in;
    in.EQL = "0";
    in.EDT = "14";  // 12 °C supply from a humid room: above 95 %
    in.X20 = "70";
    const CoilRun r = run(in);
    ASSERT_TRUE(r.status.ok());
    ASSERT_GT(r.cooling.SA.RH, 95);
    EXPECT_EQ(r.cooling.CA.DB, r.cooling.SA.DB);
    EXPECT_LT(r.cooling.CA.x, r.cooling.SA.x);
}

TEST(Coil, NoOutdoorAir) {
    CoilInputs in;
    in.EOA = "0";
    const CoilRun r = run(in);
    const auto k = labelsAndKinds(r);
    EXPECT_EQ(std::vector<std::string>(k.begin(), k.begin() + 8),
              (std::vector<std::string>{"C:RA", "line", "C:SA", "line", "C:CA", "row C:RA",
                                        "row C:SA", "row C:CA"}));
    EXPECT_FALSE(r.cooling.MA.exists);
    EXPECT_EQ(r.objects.size(), 8u + 15u);
    CoilInputs h;
    h.HEOA = "";
    const CoilRun hr = run(h);
    const auto hk = labelsAndKinds(hr);
    EXPECT_EQ(std::vector<std::string>(hk.begin() + 14, hk.end()),
              (std::vector<std::string>{"H:RA", "line", "H:SA", "row  ", "row H:RA", "row H:SA"}));
    EXPECT_FALSE(hr.heating.CA.exists);
}

TEST(Coil, SteamHumidifierAndHeatingVolume) {
    CoilInputs in;
    in.Kasitu = 2;
    in.HESA = "20000";
    const CoilRun r = run(in);
    EXPECT_EQ(r.heating.CA.DB, r.heating.SA.DB) << "steam: along constant temperature";
    EXPECT_EQ(r.fields.HESA, "20000");
    EXPECT_NEAR(r.heating.SA.DB, r.heating.RA.DB + 50000 / (0.288 * 20000), 1e-9);
    CoilInputs water;
    const CoilRun w = run(water);
    EXPECT_NEAR(V_DBAH2WB(w.heating.CA.DB, w.heating.CA.x),
                V_DBAH2WB(w.heating.SA.DB, w.heating.SA.x), 1e-6)
        << "water spray: along the supply's wet-bulb line";
}

TEST(Coil, SiInputsMatchTraditionalOnes) {
    CoilInputs kcal;
    kcal.CB2 = 3;
    kcal.X2 = "20.5";  // outdoor enthalpy, kcal/kg
    CoilInputs kj = defaultInputs(UnitSystem::SI);
    kj.CB2 = 3;
    kj.X2 = exact(20.5 * 4.18605);
    kj.EQS = exact(50000.0 / 860);
    kj.EQL = exact(5000.0 / 860);
    kj.HEQS = exact(50000.0 / 860);
    const CoilRun a = run(kcal), b = run(kj, true);
    EXPECT_NEAR(a.cooling.OA.h, b.cooling.OA.h, 1e-9);
    EXPECT_NEAR(a.cooling.SA.x, b.cooling.SA.x, 1e-12);
    EXPECT_EQ(a.fields.ESA, b.fields.ESA);
    EXPECT_EQ(defaultInputs(UnitSystem::SI).EQS, "60");
    EXPECT_EQ(defaultInputs(UnitSystem::SI).EQL, "6");
}

TEST(Coil, RefusalsNameTheProblem) {
    CoilInputs same;
    same.CB2 = 0;
    EXPECT_EQ(run(same).status.error(), "始点：違う種類のデータを入力して下さい");
    EXPECT_EQ(run(same).errorCaption, "線分作成");
    EXPECT_TRUE(run(same).objects.empty());
    CoilInputs bad;
    bad.X10 = "2 6";
    EXPECT_EQ(run(bad).status.error(), "'2 6' は浮動小数点数ではありません");
    CoilInputs blank;
    blank.CB20 = 6;
    EXPECT_NE(run(blank).status.error().find("項目が選ばれていません"), std::string::npos);
    CoilInputs zero;
    zero.EDT = "0";
    zero.ESA = "0";
    EXPECT_NE(run(zero).status.error().find("ESA"), std::string::npos);
    CoilInputs noLoad;
    noLoad.EQS = "0";
    EXPECT_NE(run(noLoad).status.error().find("EQS"), std::string::npos);
    // The heating half stops: nothing of the run is plotted.
    CoilInputs heatSame;
    heatSame.HCB20 = 0;
    heatSame.HCB10 = 0;
    const CoilRun h = run(heatSame);
    EXPECT_EQ(h.status.error(), "終点：違う種類のデータを入力して下さい");
    EXPECT_TRUE(h.objects.empty());
    EXPECT_FALSE(h.complete);
    // Not enough room: nothing at all.
    const CoilRun full = run(CoilInputs{}, false, 28);
    EXPECT_TRUE(full.objects.empty());
    EXPECT_EQ(full.status.failure(),
              failure(Reason::Full, "図形の数が上限(640)を超えるため記入できません"));
    EXPECT_EQ(run(same).status.reason(), Reason::Invalid);
}
