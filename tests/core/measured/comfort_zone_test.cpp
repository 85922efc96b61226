// Comfort zones as zones: the date texts whose month they read, the adaptive band worked by
// hand, the PMV zone's outline against the PMV it stands for, counts of hand-made data sets,
// the command-line text and the companion file.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "air/air.h"
#include "measured/companion.h"
#include "measured/zone.h"

using namespace humidraw;

TEST(DataZones, MonthOfDateTexts) {
    const struct { const char* text; int month; } cases[] = {
        {"2023-07-01 13:00", 7}, {"2023/7/1", 7},     {"2023.12.31 24:00", 12},
        {"2023年1月5日", 1},     {" 2024-02-29", 2},  {"2023-13-01", 0},
        {"2023-00-01", 0},       {"23-07-01", 0},     {"07/01/2023", 0},
        {"2023-07", 0},          {"2023-123-1", 0},   {"", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        // 0: no month (a month of 0 is not one).
        EXPECT_EQ(monthOfTime(c.text), c.month ? std::optional<int>(c.month) : std::nullopt);
    }
}

TEST(DataZones, AdaptiveBandAndItsMonthsHours) {
    // t_comf = 0.31 × 25 + 17.8 = 25.55 °C: 80 % from 22.05 to 29.05, 90 % from 23.05 to 28.05.
    AdaptiveBand b;
    b.month = 7, b.prevailingMean = 25;
    const ZoneRange r80 = adaptiveRange(b);
    EXPECT_NEAR(*r80.low, 22.05, 1e-12);
    EXPECT_NEAR(*r80.high, 29.05, 1e-12);
    b.acceptability = 90;
    const ZoneRange r90 = adaptiveRange(b);
    EXPECT_NEAR(*r90.low, 23.05, 1e-12);
    EXPECT_NEAR(*r90.high, 28.05, 1e-12);
    b.acceptability = 80;

    // July's means: (20 + 30) / 2 = 25; August has one hour at 28.
    DataSet weather;
    weather.points = {{20, 0.008, 0}, {30, 0.010, 0}, {28, 0.012, 0}, {5, 0.003, 0}};
    weather.times = {"2023-07-01 01:00", "2023-07-01 02:00", "2023-08-01 01:00", "no date"};
    const auto means = monthlyMeanDB(weather);
    EXPECT_EQ(means[6].value_or(-1), 25);
    EXPECT_EQ(means[7].value_or(-1), 28);
    EXPECT_FALSE(means[0]);

    // Only July's two hours count: 20 °C too cold, 30 °C too hot.
    StateCalculator calc;
    const ZoneCount c = countInZone(adaptiveZone(b), weather, calc);
    EXPECT_EQ(c.total, 2);
    EXPECT_EQ(c.tooCold, 1);
    EXPECT_EQ(c.tooHot, 1);

    std::string error;
    Zone open = adaptiveZone(b);
    open.adaptive->prevailingMean = NAN;
    const auto filled = withPrevailingMean(open, weather, error);
    ASSERT_TRUE(filled) << error;
    EXPECT_EQ(filled->adaptive->prevailingMean, 25);
    open.adaptive->month = 3;
    EXPECT_FALSE(withPrevailingMean(open, weather, error));
    EXPECT_FALSE(error.empty());
    // Outside 10–33.5 °C the model does not apply.
    b.prevailingMean = 9.9;
    EXPECT_FALSE(zoneProblem(adaptiveZone(b)).empty());
}

TEST(DataZones, PmvOutlineLiesOnTheLimits) {
    for (const double pressure : {760.0, 600.0}) {
        SCOPED_TRACE(pressure);
        PmvBounds b;
        const Zone z = pmvZone(b);
        const auto outline = comfortOutline(z, -5, 45, pressure);
        ASSERT_GT(outline.size(), 40u);
        const MoistAir air(pressure);
        // The second point is the upper-left corner, on the 12 g/kg(DA) limit.
        EXPECT_NEAR(outline[1].x, 0.012, 1e-12);
        for (const ZonePoint& p : outline) {
            const comfort::PmvResult r = comfort::pmvAt(air, p.DB, p.x, b.inputs);
            ASSERT_TRUE(r.ok);
            EXPECT_NEAR(std::fabs(r.pmv), 0.5, 0.005) << p.DB << " " << p.x;
        }
    }
    // Without a humidity limit at 1.6 met the cool edge meets saturation and the zone closes
    // where the dew point reaches its warm edge: every point within the limits, none above
    // saturation.
    PmvBounds active;
    active.inputs.met = 1.6;
    const auto open = comfortOutline(pmvZone(active, std::nullopt), -5, 45, 760);
    ASSERT_FALSE(open.empty());
    const MoistAir air;
    for (const ZonePoint& p : open) {
        const comfort::PmvResult r = comfort::pmvAt(air, p.DB, p.x, active.inputs);
        ASSERT_TRUE(r.ok);
        EXPECT_GE(r.pmv, -0.5 - 0.005);
        EXPECT_LE(r.pmv, 0.5 + 0.005);
        EXPECT_LE(p.x, air.saturationRatio(p.DB + 1e-3));
    }
}

TEST(DataZones, ZeroWidthPmvRowIsOneDryBulb) {
    // Limits equal: the row closes to the one dry bulb where the PMV is 0, both edges within
    // the halving's tolerance of it.
    const MoistAir air;
    const auto row = comfort::zoneRow(air, comfort::ComfortInputs{}, 0, 0, 0.008);
    ASSERT_TRUE(row);
    EXPECT_NEAR(row->lowDB, row->highDB, 2 * comfort::kBoundaryToleranceK);
    EXPECT_NEAR(comfort::pmvAt(air, row->highDB, 0.008, comfort::ComfortInputs{}).pmv, 0, 0.005);
    EXPECT_FALSE(comfort::zoneRow(air, comfort::ComfortInputs{}, 0.1, 0, 0.008));
}

TEST(DataZones, PmvCountsOfAHandMadeSet) {
    // Summer clothing, 1.1 met, 0.1 m/s: the zone at 50 % lies near 24.5–27.5 °C (the drawn
    // outline), so 26 °C is inside, 31 °C too hot, 20 °C too cold, and 26 °C at 0.016 above
    // the 12 g/kg(DA) limit too humid.
    DataSet set;
    set.points = {{26, 0.0105, 0}, {31, 0.0140, 0}, {20, 0.0073, 0}, {26, 0.0160, 0}};
    StateCalculator calc;
    const ZoneCount c = countInZone(pmvZone(PmvBounds{}), set, calc);
    EXPECT_EQ(c.total, 4);
    EXPECT_EQ(c.inside, 1);
    EXPECT_EQ(c.tooHot, 1);
    EXPECT_EQ(c.tooCold, 1);
    EXPECT_EQ(c.tooHumid, 1);
}

TEST(DataZones, ComfortZoneTexts) {
    std::string error;
    const auto winter = comfortZoneFromText("pmv:clo=1.0,met=1.2,v=0.2,category=A", error);
    ASSERT_TRUE(winter) << error;
    EXPECT_EQ(winter->pmv->inputs.clo, 1.0);
    EXPECT_EQ(winter->pmv->inputs.met, 1.2);
    EXPECT_EQ(winter->pmv->low, -0.2);
    EXPECT_EQ(winter->pmv->high, 0.2);
    EXPECT_EQ(winter->ranges[kZoneX].high, kComfortMaxXg);
    const auto open = comfortZoneFromText("pmv:x=none,low=-0.7,high=0.5", error);
    ASSERT_TRUE(open) << error;
    EXPECT_FALSE(open->ranges[kZoneX].high);
    EXPECT_EQ(open->pmv->low, -0.7);
    // An adaptive zone waiting for its weather file's mean is a zone, checked but for the mean.
    const auto waiting = comfortZoneFromText("adaptive:month=7,acceptability=90", error);
    ASSERT_TRUE(waiting) << error;
    EXPECT_TRUE(std::isnan(waiting->adaptive->prevailingMean));
    EXPECT_EQ(waiting->adaptive->acceptability, 90);
    // Summer and winter, 80 % and 90 %, are told apart on the chart.
    EXPECT_NE(pmvZone(PmvBounds{}).colour, winter->colour);
    AdaptiveBand a80, a90;
    a90.acceptability = 90;
    EXPECT_NE(adaptiveZone(a80).colour, adaptiveZone(a90).colour);
    EXPECT_FALSE(comfortZoneFromText("building-hygiene", error));
    EXPECT_TRUE(error.empty());
    for (const char* bad : {"pmv:met=-1", "pmv:met", "pmv:met=1,met=2", "pmv:speed=1",
                            "pmv:low=1,high=0", "pmv:category=D", "adaptive",
                            "adaptive:month=13,mean=25", "adaptive:month=7,acceptability=70",
                            "adaptive:month=7,mean=40", "adaptive:month=7.5"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(comfortZoneFromText(bad, error));
        EXPECT_FALSE(error.empty());
    }
}

TEST(DataCompanion, ComfortZonesComeBackWhole) {
    PmvBounds b;
    b.inputs = {1.2, 0.61, 0.15, 1.0 / 3, 0.1};
    b.low = -0.7, b.high = 0.2;
    AdaptiveBand a;
    a.month = 8, a.prevailingMean = 26.0 + 1.0 / 7, a.acceptability = 90;
    MeasuredData d;
    d.zones = {pmvZone(b), pmvZone(PmvBounds{}, std::nullopt), adaptiveZone(a)};
    const auto back = readCompanionText(companionText(d));
    ASSERT_TRUE(back) << back.error();
    ASSERT_EQ(back->data.zones.size(), 3u);
    for (size_t i = 0; i < 3; ++i) EXPECT_TRUE(back->data.zones[i] == d.zones[i]) << i;
    // A comfort zone with a dry-bulb range is damage, not a zone.
    std::string text = companionText(d);
    text.insert(text.find("range x"), "range DB 18 28\n");
    EXPECT_FALSE(readCompanionText(text));
}
