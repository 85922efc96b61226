// The PMV and PPD against ISO 7730's published table of worked cases, the PPD against its
// formula worked by hand, and the comfort zone's edges against the PMV they are meant to reach.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "comfort/comfort.h"

using namespace humidraw;
using namespace humidraw::comfort;

namespace {

struct Case {
    double ta, tr, v, rh, met, clo;
    double pmv, ppd;
};

ComfortInputs inputs(double met, double clo, double v, double mrtOffset = 0) {
    ComfortInputs in;
    in.met = met;
    in.clo = clo;
    in.airSpeed = v;
    in.mrtOffset = mrtOffset;
    return in;
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

}  // namespace

TEST(Pmv, IsoWorkedCases) {
    // ISO 7730:2005, Annex D, Table D.1: the standard's published PMV (two decimals) and PPD
    // (whole %), for air and mean radiant temperature ta, tr (°C), relative air speed v (m/s),
    // RH (%), metabolic rate (met), clothing (clo), no external work. The humidity is given
    // here as the library's humidity ratio at RH and 760 mmHg.
    const Case cases[] = {
        {22.0, 22.0, 0.10, 60, 1.2, 0.5, -0.75, 17},
        {27.0, 27.0, 0.10, 60, 1.2, 0.5, 0.77, 17},
        {27.0, 27.0, 0.30, 60, 1.2, 0.5, 0.44, 9},
        {23.5, 25.5, 0.10, 60, 1.2, 0.5, -0.01, 5},
        {23.5, 25.5, 0.30, 60, 1.2, 0.5, -0.55, 11},
        {19.0, 19.0, 0.10, 40, 1.2, 1.0, -0.60, 13},
        {23.5, 23.5, 0.30, 40, 1.2, 1.0, 0.12, 5},
        {23.0, 21.0, 0.10, 40, 1.2, 1.0, 0.05, 5},
        {23.0, 21.0, 0.30, 40, 1.2, 1.0, -0.16, 6},
        {22.0, 22.0, 0.10, 60, 1.6, 0.5, 0.05, 5},
        {27.0, 27.0, 0.10, 60, 1.6, 0.5, 1.17, 34},
        {27.0, 27.0, 0.30, 60, 1.6, 0.5, 0.95, 24},
    };
    const MoistAir air;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "ta " << c.ta << " tr " << c.tr << " v " << c.v << " RH "
                                        << c.rh << " " << c.met << " met " << c.clo << " clo");
        const double x = air.DBRH2AH(c.ta, c.rh);
        ASSERT_GT(x, 0);
        const PmvResult r = pmvAt(air, c.ta, x, inputs(c.met, c.clo, c.v, c.tr - c.ta));
        ASSERT_TRUE(r.ok);
        EXPECT_NEAR(r.pmv, c.pmv, 0.01);
        EXPECT_NEAR(r.ppd, c.ppd, 1.0);
    }
}

TEST(Pmv, PpdOfVotes) {
    // 100 − 95·exp(−0.03353·PMV⁴ − 0.2179·PMV²), worked by hand:
    //   0   → 100 − 95·1                         = 5 (exactly)
    //   0.2 → 100 − 95·exp(−0.0000537 − 0.008716) = 5.8295
    //   0.5 → 100 − 95·exp(−0.0020956 − 0.054475) = 10.2250
    //   0.7 → 100 − 95·exp(−0.0080506 − 0.106771) = 15.3051
    //   1   → 100 − 95·exp(−0.25143)              = 26.1197
    //   2   → 100 − 95·exp(−0.53648 − 0.8716)     = 76.7618
    struct { double pmv, ppd; } const votes[] = {
        {0, 5}, {0.2, 5.8295}, {0.5, 10.2250}, {0.7, 15.3051}, {1, 26.1197}, {2, 76.7618}};
    EXPECT_EQ(ppd(0), 5.0);
    for (const auto& v : votes) {
        SCOPED_TRACE(v.pmv);
        EXPECT_NEAR(ppd(v.pmv), v.ppd, 1e-4);
        EXPECT_EQ(ppd(-v.pmv), ppd(v.pmv));
    }
}

TEST(Pmv, BadInputsHaveNoVote) {
    const double pa = 1500;  // Pa, about 22 °C and 56 %
    struct { const char* what; double DB, pa; ComfortInputs in; } const bad[] = {
        {"negative met", 22, pa, inputs(-1, 0.5, 0.1)},
        {"zero met", 22, pa, inputs(0, 0.5, 0.1)},
        {"negative clo", 22, pa, inputs(1.1, -0.5, 0.1)},
        {"negative air speed", 22, pa, inputs(1.1, 0.5, -0.1)},
        {"NaN met", 22, pa, inputs(kNaN, 0.5, 0.1)},
        {"infinite clo", 22, pa, inputs(1.1, kInf, 0.1)},
        {"NaN air speed", 22, pa, inputs(1.1, 0.5, kNaN)},
        {"NaN radiant offset", 22, pa, inputs(1.1, 0.5, 0.1, kNaN)},
        {"infinite radiant offset", 22, pa, inputs(1.1, 0.5, 0.1, kInf)},
        {"radiant below absolute zero", 22, pa, inputs(1.1, 0.5, 0.1, -400)},
        {"NaN dry bulb", kNaN, pa, inputs(1.1, 0.5, 0.1)},
        {"infinite dry bulb", kInf, pa, inputs(1.1, 0.5, 0.1)},
        {"dry bulb below absolute zero", -300, pa, inputs(1.1, 0.5, 0.1)},
        {"negative vapour pressure", 22, -1, inputs(1.1, 0.5, 0.1)},
        {"NaN vapour pressure", 22, kNaN, inputs(1.1, 0.5, 0.1)},
    };
    for (const auto& b : bad) {
        SCOPED_TRACE(b.what);
        EXPECT_FALSE(pmv(b.DB, b.pa, b.in).ok);
    }
    ComfortInputs work = inputs(1.1, 0.5, 0.1);
    work.externalWork = -0.1;
    EXPECT_FALSE(pmv(22, pa, work).ok);
    work.externalWork = 2;  // more work than the body's whole metabolic rate
    EXPECT_FALSE(pmv(22, pa, work).ok);
    EXPECT_FALSE(inputsProblem(work).empty());
    EXPECT_TRUE(inputsProblem(ComfortInputs{}).empty());

    const MoistAir air;
    EXPECT_FALSE(pmvAt(air, 22, -0.001, ComfortInputs{}).ok);
    EXPECT_FALSE(pmvAt(air, 22, kNaN, ComfortInputs{}).ok);
    // Extreme but finite inputs end with a vote or without one, never a hang.
    const PmvResult hot = pmv(1e6, pa, inputs(1e3, 1e3, 1e3));
    EXPECT_TRUE(!hot.ok || std::isfinite(hot.pmv));
}

TEST(ComfortBoundary, EdgesReachTheLimits) {
    // Each edge returned is where the PMV at its humidity ratio is the limit; the zone lies
    // between them, the cold edge first.
    struct { const char* what; ComfortInputs in; double pressure; } const zones[] = {
        {"summer", inputs(1.1, 0.5, 0.1), 760},
        {"winter", inputs(1.1, 1.0, 0.1), 760},
        {"summer, warm walls, moving air", inputs(1.2, 0.5, 0.3, 2), 760},
        {"winter, high site", inputs(1.0, 1.0, 0.1), 600},
    };
    const std::vector<double> xs = {0.0, 0.002, 0.005, 0.008, 0.010, 0.012};
    for (const auto& z : zones) {
        SCOPED_TRACE(z.what);
        const MoistAir air(z.pressure);
        const auto edge = comfortBoundary(air, z.in, -0.5, 0.5, 0.012, xs);
        ASSERT_EQ(edge.size(), xs.size());
        for (size_t i = 0; i < xs.size(); ++i) {
            SCOPED_TRACE(xs[i]);
            EXPECT_EQ(edge[i].x, xs[i]);
            ASSERT_TRUE(edge[i].lowDB && edge[i].highDB);
            const PmvResult lo = pmvAt(air, *edge[i].lowDB, xs[i], z.in);
            const PmvResult hi = pmvAt(air, *edge[i].highDB, xs[i], z.in);
            ASSERT_TRUE(lo.ok && hi.ok);
            EXPECT_NEAR(lo.pmv, -0.5, 0.005);
            EXPECT_NEAR(hi.pmv, 0.5, 0.005);
            EXPECT_LT(*edge[i].lowDB, *edge[i].highDB);
            // Moister air is felt warmer, so the zone leans to cooler dry bulbs as x rises.
            if (i > 0) {
                EXPECT_LT(*edge[i].lowDB, *edge[i - 1].lowDB);
            }
        }
    }
}

TEST(ComfortBoundary, NoEdgeWhereThereIsNone) {
    const MoistAir air;
    const ComfortInputs summer = inputs(1.1, 0.5, 0.1);
    struct { const char* what; double low, high, maxX, x; bool hasLow, hasHigh; } const cases[] = {
        // Above the zone's humidity limit.
        {"above the humidity limit", -0.5, 0.5, 0.012, 0.013, false, false},
        {"negative x", -0.5, 0.5, 0.012, -0.001, false, false},
        {"NaN x", -0.5, 0.5, 0.012, kNaN, false, false},
        // Saturated at x = 0.025 near a dew point of 28.5 °C (pws ≈ 3.89 kPa:
        // 0.622 × 3.89 / (101.325 − 3.89) = 0.0248), above where a summer PMV is ±0.5.
        {"above saturation", -0.5, 0.5, 0.03, 0.025, false, false},
        // A vote of −20 is far colder than any dry bulb down to −10 °C; +20 far hotter than 50 °C.
        {"not reached", -20, 20, 0.012, 0.008, false, false},
        {"only the warm limit reached", -20, 0.5, 0.012, 0.008, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto edge = comfortBoundary(air, summer, c.low, c.high, c.maxX, {c.x});
        ASSERT_EQ(edge.size(), 1u);
        EXPECT_EQ(edge[0].lowDB.has_value(), c.hasLow);
        EXPECT_EQ(edge[0].highDB.has_value(), c.hasHigh);
    }
    // Bad inputs give no edges rather than stopping.
    const auto none = comfortBoundary(air, inputs(-1, 0.5, 0.1), -0.5, 0.5, 0.012, {0.008});
    ASSERT_EQ(none.size(), 1u);
    EXPECT_FALSE(none[0].lowDB || none[0].highDB);
    EXPECT_TRUE(comfortBoundary(air, summer, -0.5, 0.5, 0.012, {}).empty());
}

// The readout's PMV and PPD at the pointer: ISO 7730's first and second worked cases (22 °C and
// 27 °C at RH 60 %, 1.2 met, 0.5 clo, 0.1 m/s: PMV −0.75 and +0.77, PPD 17 % each), for one
// zone and for a summer and a winter zone at once; inputs that cannot be computed with read "—".
TEST(Pmv, ReadoutOfTheZonesShown) {
    const MoistAir air;
    const ComfortInputs annex = inputs(1.2, 0.5, 0.1), broken = inputs(-1, 0.5, 0.1);
    EXPECT_EQ(pmvReadout(air, 22, air.DBRH2AH(22, 60), {}), "");
    // " PMV:a/b PPD:c/d" split into its numbers, "—" as NaN.
    const auto numbers = [](const std::string& text, std::string& pmvs, std::string& ppds) {
        const size_t p = text.find(" PMV:"), q = text.find(" PPD:");
        EXPECT_EQ(p, 0u) << text;
        EXPECT_NE(q, std::string::npos) << text;
        pmvs = text.substr(5, q - 5);
        ppds = text.substr(q + 5);
    };
    std::string pmvs, ppds;
    numbers(pmvReadout(air, 22, air.DBRH2AH(22, 60), {annex}), pmvs, ppds);
    // The published value to ±0.01, and the readout's rounding to two decimals besides.
    EXPECT_NEAR(std::stod(pmvs), -0.75, 0.015);
    EXPECT_EQ(pmvs.size(), 5u) << pmvs;  // "-0.75": two decimals
    EXPECT_NEAR(std::stod(ppds), 17, 1);
    EXPECT_EQ(ppds.find('.'), ppds.size() - 2) << ppds;  // one decimal

    numbers(pmvReadout(air, 27, air.DBRH2AH(27, 60), {annex, broken, annex}), pmvs, ppds);
    ASSERT_EQ(pmvs.find('/'), 5u) << pmvs;
    EXPECT_EQ(pmvs.substr(0, 1), "+") << "a warm vote is signed";
    EXPECT_NEAR(std::stod(pmvs.substr(1, 4)), 0.77, 0.015);
    EXPECT_EQ(pmvs.substr(5), "/—/" + pmvs.substr(0, 5));
    EXPECT_EQ(ppds.substr(ppds.find('/')), "/—/" + ppds.substr(0, ppds.find('/')));
}
