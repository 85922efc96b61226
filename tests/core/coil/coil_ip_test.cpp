// The single coil in IP units: the fields typed in °F, gr/lb, Btu/lb, ft³/lb, Btu/h and cfm give
// the engineering run of the same air, and the report shows Btu/h, tons, cfm, lb/h and °F.
// The IP inputs are converted here by hand from the engineering ones, with the definitions of
// the units: °F = 1.8 °C + 32; gr/lb = 7000 kg/kg; Btu/lb = 1.8 kcal/kg + 32 × 0.24 (the IP
// datum, 0.24 the library's dry-air specific heat as a float); ft³/lb = 16.01846 m³/kg;
// cfm = m³/h ÷ 1.699011; Btu/h = kcal/h × 3.968321; lb = 2.2046226 kg; a ton 12,000 Btu/h.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "coil/coil.h"
#include "coil/coil_report.h"
#include "coil/report_table.h"
#include "text/number_format.h"

using namespace humidraw;
using namespace humidraw::coil;

namespace {

constexpr double kBtuH = 3.968321, kCfm = 1.699011, kLb = 2.2046226;
const double kDatum = 32 * static_cast<double>(0.24f);

std::string f(double v) {
    return formatShortest(v);
}
std::string fahrenheit(double c) {
    return f(1.8 * c + 32);
}
std::string cfm(double m3h) {
    return f(m3h / kCfm);
}
std::string btuh(double kcalh) {
    return f(kcalh * kBtuH);
}

CoilRun run(const CoilInputs& in, UnitSystem u) {
    CurrentState s;
    return runCoil(MoistAir(), in, u, -5, 45, CurrentAttributes{}, 640, s);
}

// Two runs computed the same air when every state and flow agrees to 1e-9 (relative, or
// absolute below 1).
void expectSameRun(const CoilRun& ip, const CoilRun& e, const std::string& what) {
    ASSERT_TRUE(e.complete) << what << ": " << e.status.error();
    ASSERT_TRUE(ip.complete) << what << ": " << ip.status.error();
    const auto near = [&](double a, double b, const char* name) {
        EXPECT_LE(std::abs(a - b), 1e-9 * std::max(1.0, std::abs(b))) << what << " " << name;
    };
    const std::pair<const Season*, const Season*> seasons[] = {{&ip.cooling, &e.cooling},
                                                               {&ip.heating, &e.heating}};
    for (const auto& [a, b] : seasons) {
        const std::pair<const AirState*, const AirState*> states[] = {{&a->OA, &b->OA},
                                                                      {&a->RA, &b->RA},
                                                                      {&a->MA, &b->MA},
                                                                      {&a->CA, &b->CA},
                                                                      {&a->SA, &b->SA}};
        for (const auto& [p, q] : states) {
            EXPECT_EQ(p->exists, q->exists) << what;
            near(p->DB, q->DB, "DB");
            near(p->RH, q->RH, "RH");
            near(p->x, q->x, "x");
            near(p->h, q->h, "h");
        }
        near(a->flows.outdoorVolume, b->flows.outdoorVolume, "outdoor volume");
        near(a->flows.supplyVolume, b->flows.supplyVolume, "supply volume");
        near(a->flows.sensibleLoad, b->flows.sensibleLoad, "sensible load");
        near(a->flows.latentLoad, b->flows.latentLoad, "latent load");
    }
    EXPECT_EQ(ip.objects.size(), e.objects.size()) << what;
    EXPECT_EQ(ip.warnings, e.warnings) << what;
}

// The engineering defaults written in IP.
CoilInputs ipOfDefaults() {
    CoilInputs in;
    in.X1 = fahrenheit(34);
    in.X10 = fahrenheit(26);
    in.HX1 = fahrenheit(-1);
    in.HX10 = fahrenheit(22);
    in.EOA = in.HEOA = cfm(5000);
    in.EQS = in.HEQS = btuh(50000);
    in.EQL = btuh(5000);
    in.EDT = f(10 * 1.8);
    return in;
}

// The cells of the row of `sections` whose first cell is `label`.
std::vector<std::string> rowOf(const std::vector<ReportSection>& sections, size_t section,
                               const std::string& label) {
    for (const auto& row : sections.at(section).rows)
        if (!row.empty() && row[0] == label) return row;
    return {};
}

}  // namespace

TEST(CoilIp, RunsAsTheEngineeringRunOfTheConvertedValues) {
    // The defaults, by dry bulb and relative humidity.
    expectSameRun(run(ipOfDefaults(), UnitSystem::IP), run(CoilInputs{}, UnitSystem::Engineering),
                  "defaults");

    // Every other property: the summer outdoor air by enthalpy and humidity ratio, the room by
    // wet bulb and specific volume; the supply volume given and the difference derived; the
    // winter outdoor air by dry bulb and humidity ratio, a steam humidifier, the winter supply
    // volume taken from summer.
    CoilInputs e;
    e.CB1 = kEN, e.X1 = "20", e.CB2 = kAH, e.X2 = "0.018";
    e.CB10 = kWB, e.X10 = "19", e.CB20 = kSV, e.X20 = "0.86";
    e.EDT = "0", e.ESA = "17000";
    e.HCB2 = kAH, e.HX2 = "0.002";
    e.Kasitu = 2;
    CoilInputs ip = e;
    ip.X1 = f(1.8 * 20 + kDatum);
    ip.X2 = f(0.018 * 7000);
    ip.X10 = fahrenheit(19);
    ip.X20 = f(0.86 * 16.01846);
    ip.EOA = ip.HEOA = cfm(5000);
    ip.EQS = ip.HEQS = btuh(50000);
    ip.EQL = btuh(5000);
    ip.ESA = cfm(17000);
    ip.HX1 = fahrenheit(-1);
    ip.HX2 = f(0.002 * 7000);
    ip.HX10 = fahrenheit(22);
    const CoilRun eRun = run(e, UnitSystem::Engineering);
    const CoilRun ipRun = run(ip, UnitSystem::IP);
    expectSameRun(ipRun, eRun, "other properties");
    // The rewritten fields in IP: the difference the run used (a tenth of a kelvin) in °F with
    // two decimals, the winter volume (the summer one, 17000 m³/h = 10005.8 cfm) in whole cfm.
    ASSERT_NE(eRun.fields.EDT, "0");
    EXPECT_EQ(ipRun.fields.EDT, formatFixed(*parseDecimal(eRun.fields.EDT) * 1.8, 2));
    EXPECT_EQ(ipRun.fields.ESA, ip.ESA) << "typed, not rewritten";
    EXPECT_EQ(ipRun.fields.HESA, "10006");
}

TEST(CoilIp, RewrittenFieldsReadBackAsTheRunUsedThem) {
    // 10,000 cfm of supply air = 16990.11 m³/h; 198,416.05 Btu/h = 50,000 kcal/h:
    // dt = 50000 / (16990.11 × 1.2 × 0.24) = 10.218 → 10.2 K = 18.36 °F. Winter takes the
    // summer volume: 16990 m³/h as written = 9999.94 → 10000 cfm.
    CoilInputs in = defaultInputs(UnitSystem::IP);
    in.EQS = "198416.05";
    in.EDT = "0";
    in.ESA = "10000";
    const CoilRun r = run(in, UnitSystem::IP);
    ASSERT_TRUE(r.complete) << r.status.error();
    EXPECT_EQ(r.fields.EDT, "18.36");
    EXPECT_EQ(r.fields.ESA, "10000");
    EXPECT_EQ(r.fields.HESA, "10000");
    // Run again with the rewritten difference: the supply volume derived from 18.36 °F = 10.2 K,
    // 50000 / 10.2 / 0.288 = 17020.4 → 17100 m³/h = 10064.68 → 10065 cfm; the difference stays.
    const CoilRun again = run(r.fields, UnitSystem::IP);
    ASSERT_TRUE(again.complete) << again.status.error();
    EXPECT_EQ(again.fields.EDT, "18.36");
    EXPECT_EQ(again.fields.ESA, "10065");
    EXPECT_DOUBLE_EQ(again.cooling.flows.supplyVolume, 17100);
}

TEST(CoilIp, DefaultsAreRoundIpValues) {
    const CoilInputs d = defaultInputs(UnitSystem::IP);
    const std::vector<std::string> got = {d.X1,   d.X2,   d.EOA,  d.X10, d.X20, d.EQS,
                                          d.EQL,  d.EDT,  d.ESA,  d.HX1, d.HX2, d.HEOA,
                                          d.HX10, d.HX20, d.HEQS, d.HESA};
    const std::vector<std::string> want = {"93",    "60",   "3000",   "79", "50", "200000",
                                           "20000", "18.0", "0",      "30", "60", "3000",
                                           "72",    "50",   "200000", "0"};
    EXPECT_EQ(got, want);
    const CoilRun r = run(d, UnitSystem::IP);
    EXPECT_TRUE(r.complete) << r.status.error();
    EXPECT_TRUE(r.warnings.empty());
}

TEST(CoilIp, RefusalsKeepTheTypedTexts) {
    CoilInputs in = defaultInputs(UnitSystem::IP);
    in.X1 = "93x";
    in.EDT = "0";
    in.ESA = "5000";
    const CoilRun r = run(in, UnitSystem::IP);
    EXPECT_FALSE(r.status);
    EXPECT_NE(r.status.error().find("'93x'"), std::string::npos) << r.status.error();
    EXPECT_EQ(r.fields.X1, "93x");
    EXPECT_EQ(r.fields.EDT, "0");
    EXPECT_EQ(r.fields.ESA, "5000");
    // A winter outdoor air above saturation in IP as in engineering units.
    CoilInputs wet = defaultInputs(UnitSystem::IP);
    wet.HX2 = "150";
    EXPECT_FALSE(run(wet, UnitSystem::IP).status);
}

TEST(CoilIp, ReportInBtuHTonsCfmAndPounds) {
    const CoilRun ipRun = run(ipOfDefaults(), UnitSystem::IP);
    const CoilRun eRun = run(CoilInputs{}, UnitSystem::Engineering);
    ASSERT_TRUE(ipRun.complete && eRun.complete);
    const auto ip = reportSections(ipRun, coilReport(ipRun, -5, 45), UnitSystem::IP);
    const CoilReport e = coilReport(eRun, -5, 45);
    ASSERT_EQ(ip.size(), 3u);
    // Hand-converted figures of the defaults (tests/core/coil/coil_report_test.cpp):
    //   supply 17400 m³/h / 1.699011 = 10241.25 cfm, its dry air 20880 kg/h × 2.2046226
    //   = 46032.52 lb/h; outdoor air 5000 m³/h = 2942.89 cfm, 6000 kg/h = 13227.74 lb/h;
    //   room loads 50000 and 5000 kcal/h × 3.968321 = 198416.05 and 19841.61 Btu/h;
    //   the cooling coil 111153.94 kcal/h = 441094.51 Btu/h = 36.76 tons; the heating coil
    //   105700.23 kcal/h = 419452.44 Btu/h; the winter outdoor air −55640.08 = −220797.70.
    using Row = std::vector<std::string>;
    EXPECT_EQ(rowOf(ip, 1, "給気風量"), (Row{"給気風量", "10241", "cfm", "46033", "lb/h"}));
    EXPECT_EQ(rowOf(ip, 1, "導入外気量"), (Row{"導入外気量", "2943", "cfm", "13228", "lb/h"}));
    EXPECT_EQ(rowOf(ip, 1, "室内顕熱負荷"), (Row{"室内顕熱負荷", "198416", "Btu/h"}));
    EXPECT_EQ(rowOf(ip, 1, "室内潜熱負荷"), (Row{"室内潜熱負荷", "19842", "Btu/h"}));
    EXPECT_EQ(rowOf(ip, 1, "冷却コイル 全熱負荷"),
              (Row{"冷却コイル 全熱負荷", "441095", "Btu/h", "36.76", "冷凍トン"}));
    EXPECT_EQ(rowOf(ip, 2, "加熱コイル負荷"), (Row{"加熱コイル負荷", "419452", "Btu/h"}));
    EXPECT_EQ(rowOf(ip, 2, "外気負荷"), (Row{"外気負荷", "-220798", "Btu/h"}));
    // The water and the dew point: the engineering run's figures converted.
    EXPECT_EQ(rowOf(ip, 1, "除湿量(凝縮水)"),
              (Row{"除湿量(凝縮水)", formatFixed(e.cooling.water * kLb, 1), "lb/h"}));
    ASSERT_TRUE(e.cooling.adp);
    EXPECT_EQ(rowOf(ip, 1, "装置露点温度 ADP"),
              (Row{"装置露点温度 ADP", formatFixed(*e.cooling.adp * 1.8 + 32, 1), "°F"}));
    EXPECT_EQ(rowOf(ip, 2, "加湿量(水加湿)"),
              (Row{"加湿量(水加湿)", formatFixed(e.heating.humidifier * kLb, 1), "lb/h"}));

    // The states as the chart's value table shows them in IP; the rows stay engineering
    // (C:OA 34.0 °C, WB 27.3, h 20.56 kcal/kg, x 0.0203): 93.2 °F, 81.1 °F,
    // 1.8 × 20.56 + 7.68 = 44.69 → 44.7 Btu/lb, 0.0203 × 7000 = 142.1 gr/lb.
    EXPECT_EQ(ip[0].rows.at(0), (Row{"", "DB[°F]", "RH[%]", "WB[°F]", "h[Btu/lb]", "x[gr/lb']"}));
    EXPECT_EQ(rowOf(ip, 0, "C:OA"), (Row{"C:OA", "93.2", "60.0", "81.1", "44.7", "142.1"}));
}

TEST(CoilIp, SiteDensityInPoundsPerCubicFoot) {
    // At 626 mmHg the supply's density is told in lb/ft³ beside the 1.2 kg/m³ = 0.0749 lb/ft³
    // the mass flows are reckoned with.
    CurrentState s;
    const CoilRun r =
        runCoil(MoistAir(626), defaultInputs(UnitSystem::IP), UnitSystem::IP, -5, 45, {}, 640, s);
    ASSERT_TRUE(r.complete) << r.status.error();
    const CoilReport rep = coilReport(r, -5, 45);
    ASSERT_TRUE(rep.cooling.siteDensity);
    const auto sections = reportSections(r, rep, UnitSystem::IP);
    const auto row = rowOf(sections, 1, "給気の空気密度(現地の大気圧)");
    ASSERT_EQ(row.size(), 4u);
    EXPECT_EQ(row[1], formatFixed(*rep.cooling.siteDensity * 0.06242796, 4));
    EXPECT_EQ(row[2], "lb/ft³");
    EXPECT_EQ(row[3], "質量流量は 0.0749 lb/ft³ で換算");
}
