// The coil report's figures against hand computation from the states each run plotted (the h and
// x of the golden file tests/coil/golden/coil_seasons.txt, reviewed). Arithmetic:
//   G = 1.2 kg/m³ × supply volume; DB(h, x) = (h − 597.5 x) / (0.24 + 0.441 x);
//   h(DB, x) = 0.24 DB + (597.5 + 0.441 DB) x.
// The apparatus dew points come from the Hyland–Wexler saturation pressure over water (ASHRAE
// Fundamentals) at 101325 Pa with x = 0.622 pws / (P − pws), solved on the line MA → CA with a
// pocket calculator's bisection: an independent saturation curve, hence the looser tolerance.
#include "coil/coil_report.h"

#include <gtest/gtest.h>

#include "coil/report_table.h"

using namespace humidraw;
using namespace humidraw::coil;

namespace {

CoilRun run(const CoilInputs& in, bool si = false, double dbMin = -5) {
    CurrentState s;
    return runCoil(MoistAir(), in, si ? UnitSystem::SI : UnitSystem::Engineering, dbMin, 45,
                   CurrentAttributes{}, 640, s);
}

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

}  // namespace

TEST(CoilReport, DefaultsBothSeasons) {
    const CoilRun r = run(CoilInputs{});
    ASSERT_TRUE(r.complete) << r.status.error();
    const CoilReport rep = coilReport(r, -5, 45);
    const CoolingReport& c = rep.cooling;
    // ESA 17400 m³/h: G = 20880 kg/h; EOA 5000: G_OA = 6000 kg/h.
    EXPECT_EQ(c.dryAir, 20880);
    EXPECT_EQ(c.outdoorDryAir, 6000);
    ASSERT_TRUE(c.coil);
    // MA h 14.9117700 x 0.0133004409, CA h 9.5883055 x 0.0100206440:
    // Qt = 20880 × (14.9117700 − 9.5883055) = 20880 × 5.3234644 = 111153.94 kcal/h.
    EXPECT_NEAR(c.total, 111153.94, 0.05);
    // DB_MA = (14.9117700 − 597.5 × 0.0133004409) / (0.24 + 0.441 × 0.0133004409) = 28.327507;
    // h(28.327507, 0.0100206440) = 6.798602 + 609.992431 × 0.0100206440 = 12.911119;
    // Qs = 20880 × (12.911119 − 9.588306) = 69380.34; Ql = 20880 × (14.911770 − 12.911119)
    // = 41773.60; SHF = 69380.34 / 111153.94 = 0.62418.
    EXPECT_NEAR(c.sensible, 69380.34, 0.05);
    EXPECT_NEAR(c.latent, 41773.60, 0.05);
    ASSERT_TRUE(c.shf);
    EXPECT_NEAR(*c.shf, 0.62418, 1e-5);
    // Water 20880 × (0.0133004409 − 0.0100206440) = 20880 × 0.0032797969 = 68.482 kg/h.
    EXPECT_NEAR(c.water, 68.482, 0.001);
    // ADP 13.694 °C (see the head of the file); BF = (14.7328 − 13.694) / (28.3275 − 13.694)
    // = 0.0710.
    ASSERT_TRUE(c.adp);
    EXPECT_NEAR(*c.adp, 13.694, 0.02);
    ASSERT_TRUE(c.bypass);
    EXPECT_NEAR(*c.bypass, 0.0710, 0.002);
    // SA 16 °C is warmer than CA 14.7 °C: 20880 × (9.8980404 − 9.5883055) = 6467.26.
    EXPECT_NEAR(c.reheat, 6467.26, 0.05);
    // OA h 20.5632279, RA h 12.6329563: 6000 × 7.9302716 = 47581.63.
    EXPECT_NEAR(c.outdoorAir, 47581.63, 0.05);
    EXPECT_EQ(c.roomSensible, 50000);
    EXPECT_EQ(c.roomLatent, 5000);
    const HeatingReport& h = rep.heating;
    ASSERT_TRUE(h.coil);
    EXPECT_FALSE(h.steam);
    // H:MA h 7.6099698 → H:CA h 12.6722415: 20880 × 5.0622716 = 105700.23 kcal/h.
    EXPECT_NEAR(h.coilLoad, 105700.23, 0.05);
    // x 0.0064595256 → 0.0082258044: 20880 × 0.0017662788 = 36.880 kg/h, the water the
    // outdoor air lacks: 6000 × (0.0082258044 − 0.0020791541) = 36.880.
    EXPECT_NEAR(h.humidifier, 36.880, 0.001);
    // 6000 × (1.0013776 − 10.2747248) = −55640.08.
    EXPECT_NEAR(h.outdoorAir, -55640.08, 0.05);
}

TEST(CoilReport, SteamHumidifierWithItsOwnVolume) {
    CoilInputs in;
    in.Kasitu = 2;
    in.HESA = "20000";
    const CoilRun r = run(in);
    ASSERT_TRUE(r.complete) << r.status.error();
    const HeatingReport h = coilReport(r, -5, 45).heating;
    EXPECT_TRUE(h.steam);
    EXPECT_EQ(h.dryAir, 24000);  // 1.2 × 20000
    // H:MA h 7.9563880 → H:CA h 11.4506003: 24000 × 3.4942123 = 83861.10 kcal/h.
    EXPECT_NEAR(h.coilLoad, 83861.10, 0.05);
    // 24000 × (0.0082258044 − 0.0066891418) = 24000 × 0.0015366626 = 36.880 kg/h: the same
    // outdoor air lacks the same water.
    EXPECT_NEAR(h.humidifier, 36.880, 0.001);
    const std::string tsv =
        reportTsv(reportSections(r, coilReport(r, -5, 45), UnitSystem::Engineering));
    EXPECT_TRUE(has(tsv, "加湿量(蒸気加湿)\t36.9\tkg/h\n")) << tsv;
    EXPECT_TRUE(has(tsv, "加熱コイル負荷\t83861\tkcal/h\t97.51\tkW\n")) << tsv;  // / 860
}

TEST(CoilReport, SiUnitsShowKilowattsOnly) {
    const CoilRun r = run(defaultInputs(UnitSystem::SI), true);
    ASSERT_TRUE(r.complete) << r.status.error();
    const CoilReport rep = coilReport(r, -5, 45);
    // 60 kW = 51600 kcal/h over 2.88: 17916.7, up to ESA 18000 m³/h; G = 21600 kg/h.
    EXPECT_EQ(rep.cooling.dryAir, 21600);
    EXPECT_EQ(rep.cooling.roomSensible, 51600);
    // MA h 14.8358095 x 0.0132070279, CA h 9.5895253 x 0.0100217898:
    // Qt = 21600 × 5.2462842 = 113319.74 kcal/h = 131.767 kW; DB_MA = 28.250301,
    // h(28.250301, 0.0100217898) = 12.892947: Qs = 21600 × 3.3034215 = 71353.90 kcal/h
    // = 82.970 kW, Ql = 48.797 kW.
    EXPECT_NEAR(rep.cooling.total / 860, 131.767, 0.001);
    EXPECT_NEAR(rep.cooling.sensible / 860, 82.970, 0.001);
    EXPECT_NEAR(rep.cooling.latent / 860, 48.797, 0.001);
    ASSERT_TRUE(rep.cooling.adp);
    EXPECT_NEAR(*rep.cooling.adp, 13.709, 0.02);
    // H:MA h 7.6987950 → H:CA 12.6675312: 21600 × 4.9687362 / 860 = 124.796 kW.
    EXPECT_NEAR(rep.heating.coilLoad / 860, 124.796, 0.001);
    const std::string tsv = reportTsv(reportSections(r, rep, UnitSystem::SI));
    EXPECT_TRUE(has(tsv, "冷却コイル 全熱負荷\t131.77\tkW\n")) << tsv;
    EXPECT_TRUE(has(tsv, "室内顕熱負荷\t60.00\tkW\n")) << tsv;
    EXPECT_TRUE(has(tsv, "加熱コイル負荷\t124.80\tkW\n")) << tsv;
    EXPECT_TRUE(has(tsv, "給気風量\t18000\tm³/h\t21600\tkg/h\n")) << tsv;
    EXPECT_FALSE(has(tsv, "kcal/h")) << tsv;
    // The state rows as the chart's table shows them: h 20.56 kcal/kg × 4.18605 = 86.07 kJ/kg.
    EXPECT_TRUE(has(tsv, "\th[kJ/kg]\t")) << tsv;
    EXPECT_TRUE(has(tsv, "C:OA\t34.0\t60.0\t27.3\t86.1\t0.0203\n")) << tsv;
}

TEST(CoilReport, EngineeringUnitsShowKcalBesideKilowatts) {
    const CoilRun r = run(CoilInputs{});
    const std::string tsv =
        reportTsv(reportSections(r, coilReport(r, -5, 45), UnitSystem::Engineering));
    // 111153.94 kcal/h / 860 = 129.249 kW; 6467.26 / 860 = 7.520.
    EXPECT_TRUE(has(tsv, "冷却コイル 全熱負荷\t111154\tkcal/h\t129.25\tkW\n")) << tsv;
    EXPECT_TRUE(has(tsv, "CA→SA\t6467\tkcal/h\t7.52\tkW\n")) << tsv;
    EXPECT_TRUE(has(tsv, "装置露点温度 ADP\t13.7\t℃\n")) << tsv;
    EXPECT_TRUE(has(tsv, "除湿量(凝縮水)\t68.5\tkg/h\n")) << tsv;
    EXPECT_TRUE(has(tsv, "C:CA\t14.7\t95.0\t14.3\t9.59\t0.0100\n")) << tsv;
    const std::string html =
        reportHtml(reportSections(r, coilReport(r, -5, 45), UnitSystem::Engineering));
    EXPECT_TRUE(has(html, "<td>冷却コイル 全熱負荷</td><td align=\"right\">111154</td>")) << html;
}

TEST(CoilReport, CoilLineMissingTheSaturationCurveHasNoDewPoint) {
    // All outdoor air at 5 °C 60 % (EOA = ESA): MA = OA, h 3.1371037 x 0.0032300943, below
    // and left of CA (h 9.5883055 x 0.0100206440); the line beyond CA rises less steeply than
    // the saturation curve there and never reaches it up to 45 °C.
    CoilInputs cold;
    cold.X1 = "5";
    cold.EOA = "17400";
    const CoilRun r = run(cold);
    ASSERT_TRUE(r.complete) << r.status.error();
    const CoilReport rep = coilReport(r, -5, 45);
    EXPECT_FALSE(rep.cooling.adp);
    EXPECT_FALSE(rep.cooling.bypass);
    // The coil heats: 20880 × (3.1371037 − 9.5883055) = −134701.09 kcal/h.
    EXPECT_NEAR(rep.cooling.total, -134701.09, 0.05);
    const std::string tsv = reportTsv(reportSections(r, rep, UnitSystem::Engineering));
    EXPECT_TRUE(has(tsv, "装置露点温度 ADP\tコイルの線は図の範囲内で飽和曲線と交わりません\n"))
        << tsv;
    EXPECT_TRUE(has(tsv, "バイパスファクタ BF\t—\n")) << tsv;

    // The defaults meet the curve at 13.69 °C: outside a chart that starts at 14 °C.
    const CoilRun high = run(CoilInputs{}, false, 14);
    ASSERT_TRUE(high.complete) << high.status.error();
    EXPECT_FALSE(coilReport(high, 14, 45).cooling.adp);
    EXPECT_TRUE(coilReport(high, 13, 45).cooling.adp);
}

TEST(CoilReport, WithoutOutdoorAirThereIsNoCoilToReport) {
    CoilInputs in;
    in.EOA = "0";
    in.HEOA = "0";
    const CoilRun r = run(in);
    ASSERT_TRUE(r.complete) << r.status.error();
    const CoilReport rep = coilReport(r, -5, 45);
    EXPECT_FALSE(rep.cooling.coil);
    EXPECT_FALSE(rep.heating.coil);
    EXPECT_EQ(rep.cooling.outdoorAir, 0);
    EXPECT_NEAR(rep.cooling.reheat, 6467.26, 0.05);  // as with the defaults: SA and CA alike
    const std::string tsv = reportTsv(reportSections(r, rep, UnitSystem::Engineering));
    EXPECT_TRUE(has(tsv, "冷却コイル\t導入外気量が0のため")) << tsv;
    EXPECT_TRUE(has(tsv, "加熱コイル・加湿器\t導入外気量が0のため")) << tsv;
    EXPECT_FALSE(has(tsv, "C:MA")) << tsv;
}

TEST(CoilReport, SupplyAtCoilTemperatureHasNoReheat) {
    // Supply above 95 %: CA is put at the supply's temperature on the 95 % curve.
    CoilInputs wet;
    wet.EQL = "0";
    wet.EDT = "14";
    wet.X20 = "70";
    const CoilRun r = run(wet);
    ASSERT_TRUE(r.complete) << r.status.error();
    EXPECT_EQ(coilReport(r, -5, 45).cooling.reheat, 0);
}

TEST(CoilReport, DewPointLineDegenerate) {
    AirState a{true, 20, 50, 0.0073, 9.1};
    EXPECT_FALSE(apparatusDewPoint(MoistAir(), a, a, -5, 45));
    AirState b = a;
    b.h = 8;
    EXPECT_FALSE(apparatusDewPoint(MoistAir(), a, b, 45, -5));
    EXPECT_FALSE(apparatusDewPoint(MoistAir(), a, b, -1e308, 1e308)) << "a range no chart has";
    // A wider range than the chart's finds the same crossing (13.694 °C, see the file's head).
    const CoilRun r = run(CoilInputs{});
    EXPECT_NEAR(apparatusDewPoint(MoistAir(), r.cooling.MA, r.cooling.CA, -40, 60).value_or(0), 13.694, 0.02);
}

TEST(CoilReport, AtAnotherPressureTheStatesMoveAndTheSiteDensityIsTold) {
    // The same inputs at 626 mmHg (about 1,600 m): the outdoor and room states are typed by DB
    // and RH, so their humidity ratios are those of the site, x = 0.62194 φ p_ws / (p − φ p_ws).
    // Room 26 °C / 50 %, p_ws = 3.3629 kPa = 25.224 mmHg (ASHRAE's table):
    // x = 0.62194 × 12.612 / (626 − 12.612) = 0.012788 (at 760 mmHg: 0.62194 × 12.612 / 747.388
    // = 0.010495); the library's own saturation pressure and ratio of molar masses differ in the
    // fourth figure.
    CurrentState s;
    const CoilRun site =
        runCoil(MoistAir(626), CoilInputs{}, UnitSystem::Engineering, -5, 45, {}, 640, s);
    const CoilRun sea = run(CoilInputs{});
    ASSERT_TRUE(site.complete) << site.status.error();
    EXPECT_NEAR(site.cooling.RA.x, 0.012788, 1e-5);
    EXPECT_NEAR(sea.cooling.RA.x, 0.010495, 1e-5);
    EXPECT_EQ(site.pressureMmHg, 626);

    const CoilReport atSite = coilReport(site, -5, 45), atSea = coilReport(sea, -5, 45);
    EXPECT_FALSE(atSea.cooling.siteDensity) << "not told at the standard atmosphere";
    EXPECT_FALSE(atSea.heating.siteDensity);
    // The supply air's density by the ideal gas: ρ = p (1 + x) / (R_a T (1 + 1.6078 x)),
    // p = 626 × 133.322 Pa, R_a = 287.042 J/(kg K).
    for (const auto& [season, report] :
         {std::pair{&site.cooling, &atSite.cooling.siteDensity},
          std::pair{&site.heating, &atSite.heating.siteDensity}}) {
        const double T = season->SA.DB + 273.15, x = season->SA.x;
        const double rho = 626 * 133.322 * (1 + x) / (287.042 * T * (1 + 1.6078 * x));
        ASSERT_TRUE(report->has_value());
        EXPECT_NEAR(**report, rho, 0.002);
    }
    // The mass flows keep 1.2 kg/m³: ESA 17400 m³/h is still 20880 kg/h.
    EXPECT_EQ(atSite.cooling.dryAir, atSea.cooling.dryAir);
    EXPECT_EQ(atSea.cooling.dryAir, 20880);
}
