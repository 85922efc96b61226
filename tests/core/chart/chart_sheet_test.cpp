// The chart on its 640 × 480 sheet for every dry-bulb range the options dialog allows, and the
// geometry of the ranges that always fitted, frozen bit for bit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <utility>
#include <vector>

#include "chart/construction.h"
#include "chart/sheet_fit.h"
#include "core/chart/outline_faults.h"

using namespace humidraw;

namespace {

// FNV-1a over the exact bits of every element: any change of a coordinate, kind or text shows.
class ElementHash {
  public:
    void add(const void* p, size_t n) {
        const auto* b = static_cast<const unsigned char*>(p);
        for (size_t i = 0; i < n; ++i) h_ = (h_ ^ b[i]) * 0x100000001B3ULL;
    }
    void add(const ChartTable& t) {
        for (const ChartElement& e : t.elements()) {
            add(&e.kind, sizeof e.kind);
            for (double c : {e.c1, e.c2, e.c3, e.c4}) {
                uint64_t bits;
                std::memcpy(&bits, &c, sizeof bits);
                add(&bits, sizeof bits);
            }
            const uint64_t n = e.text.size();
            add(&n, sizeof n);
            add(e.text.data(), e.text.size());
        }
    }
    uint64_t value() const { return h_; }
    static uint64_t of(const ChartTable& t) {
        ElementHash h;
        h.add(t);
        return h.value();
    }

  private:
    uint64_t h_ = 0xCBF29CE484222325ULL;
};

ChartTable chartFor(int lo, int hi, bool si, ChartLayout layout = ChartLayout::OnSheet,
                    ChartFrame* frame = nullptr, double pressureMmHg = 760) {
    ChartSettings s;
    s.dbMin = lo;
    s.dbMax = hi;
    s.units = si ? UnitSystem::SI : UnitSystem::Engineering;
    s.pressureMmHg = pressureMmHg;
    FakeTextMetrics m;
    ChartFrame f;
    ChartTable t;
    EXPECT_TRUE(constructChart(s, m, f, t, layout).ok()) << lo << " " << hi;
    if (frame) *frame = f;
    return t;
}

const std::string kRhTitle = "相対湿度RH[%]";

// Whether the relative-humidity curves of a chart from `lo` to `hi` °C had their title
// before every chart got one: only with an upper limit of 45 °C or more, and when the 20 %
// curve reaches 3 °C below it (its segments, between the labels "10" and "20", one per step
// and one of no length at its start).
bool hadRhTitle(const ChartTable& t, int lo, int hi) {
    int segments = 0, labels = 0;
    for (const ChartElement& e : t.elements()) {
        if (e.kind == kRelativeHumidityText && (e.text == "10" || e.text == "20")) ++labels;
        if (e.kind == kRelativeHumidityLine && labels == 1) ++segments;
    }
    return hi >= 45 && segments >= hi - lo - 3 + 1;
}

// The table without the relative-humidity title.
ChartTable withoutRhTitle(const ChartTable& t) {
    ChartTable out;
    for (const ChartElement& e : t.elements())
        if (e.text != kRhTitle) out.append(e);
    return out;
}

}  // namespace

// Hashes recorded from the construction as it stood before charts were made to fit the sheet:
// one per lower limit −20 … 19 °C, over every upper limit 30 … 80 °C in traditional and SI
// units, with the fixed test metrics. The scale fitting's layout must stay as it was, bit for
// bit, apart from the relative-humidity title that upper limits below 45 °C now get.
TEST(ChartOnSheet, FittedLayoutKeepsItsGeometry) {
    const uint64_t golden[40] = {
        0xCCDD28E486699B87ULL, 0xF5ABA89D3CB6C90CULL, 0xD8102A244371EFF8ULL, 0xC132598BDB2C9669ULL,
        0x9DAAAFFE3192B3DDULL, 0xCBFDF7F84EF13407ULL, 0xE470B7C61C9957CBULL, 0xDEA5B0D732EA12E9ULL,
        0x762AF04A6BC4333DULL, 0x456511544854AAE2ULL, 0xD207F2BDEC4C6822ULL, 0x38545D24227DA3A8ULL,
        0x451D49426F18631FULL, 0x312CEE981580F1FDULL, 0x237ABB4BD8E885C0ULL, 0xE75F18490E17EA20ULL,
        0x8E5ADD394F046F9EULL, 0x3F6154DCDD39E13FULL, 0x12CBE6367025B731ULL, 0x1E1F8ACD9A2F276CULL,
        0x002A8577EF5F8B70ULL, 0xEEF0B0016518A635ULL, 0x187F31202E63D7EDULL, 0xC9A7F6B39789538DULL,
        0x212D92E755789FE2ULL, 0x9F6B1F31DAD1D0FEULL, 0x30420FC189149151ULL, 0xB13230810506BE32ULL,
        0xC038E59C4E3A3464ULL, 0x3536D9CA40DF7E76ULL, 0xB609F00288FC9250ULL, 0x834E7DC509C62898ULL,
        0xD405404F1BB570F5ULL, 0xCE065CD56E99ABC0ULL, 0x1CA0687DB518F724ULL, 0x8000ED21D8518922ULL,
        0x8E4B7562D84A39B5ULL, 0x139D3CBD47A02CA5ULL, 0x4D3291DF9E463CBFULL, 0xBC0049CCAE8CB941ULL,
    };
    for (int lo = -20; lo < 20; ++lo) {
        ElementHash h;
        for (int hi = 30; hi <= 80; ++hi)
            for (bool si : {false, true}) {
                const ChartTable t = chartFor(lo, hi, si, ChartLayout::AsFitted);
                h.add(hadRhTitle(t, lo, hi) ? t : withoutRhTitle(t));
            }
        EXPECT_EQ(h.value(), golden[lo + 20]) << "lower limit " << lo;
    }
}

namespace {

// Elements reaching outside the 640 × 480 sheet (a hundredth of a unit of rounding allowed).
std::vector<ChartElement> offSheet(const ChartTable& t, int fontSize) {
    std::vector<ChartElement> out;
    FakeTextMetrics m;
    m.setFont("", fontSize);
    const auto& e = t.elements();
    for (size_t i = 0; i < e.size(); ++i) {
        const ChartElement* next = i + 1 < e.size() ? &e[i + 1] : nullptr;
        for (const ChartPoint& p : elementExtent(e[i], next, m))
            if (p.x < -0.01 || p.x > 640.01 || p.y < -0.01 || p.y > 480.01) {
                out.push_back(e[i]);
                break;
            }
        if (chartPartOf(e[i].kind) == kArc) ++i;  // the next record holds the arc's ends
    }
    return out;
}

// A line of the dry-bulb … specific-volume families (kinds 10, 20, … 60).
bool ofTheSixFamilies(const ChartElement& e) {
    const int family = chartFamilyOf(e.kind);
    return family >= kDryBulbFamily && family <= kSpecificVolumeFamily &&
           chartPartOf(e.kind) == kLine;
}

// Half the width of the SHF arc's box.
double protractorRadius(const ChartTable& t) {
    for (const ChartElement& e : t.elements())
        if (e.kind == kShfArc) return (e.c3 - e.c1) / 2;
    return 0;
}

bool hasText(const ChartTable& t, const std::string& s) {
    for (const ChartElement& e : t.elements())
        if (e.text == s) return true;
    return false;
}

}  // namespace

// Every range the options dialog allows (lower limit −20 … 60 °C, upper 30 … 80 °C, lower
// below upper) keeps every element on the sheet, with its scales, protractors and titles, its
// grid lines within the chart's outline and no title over another; the
// relative-humidity curves get their title in every range. A chart the fitting already lays
// out on the sheet keeps its scale and origin. At every allowed pressure as well: at 400 mmHg
// the saturation humidity ratio is about twice that at 760.
void sweepAllowedRanges(bool si, double p = 760, int loStep = 1) {
    SCOPED_TRACE(testing::Message() << p << " mmHg");
    int kept = 0;
    const double highest = highestUpperLimit(p);
    // With a coarser step the ends and the default lower limit (−5 °C) are still swept.
    for (int lo = -20; lo <= 60; lo += (lo == -20 || lo >= 59) ? 1 : loStep)
        for (int hi = std::max(30, lo + 1); hi <= highest; ++hi) {
            ChartFrame tf, ff;
            const ChartTable t = chartFor(lo, hi, si, ChartLayout::OnSheet, &tf, p);
            const ChartTable fitted = chartFor(lo, hi, si, ChartLayout::AsFitted, &ff, p);
            const auto fittedOutside = offSheet(fitted, 6);
            // Only lines of the six families reaching out: the chart stays as fitted (the
            // drawing cuts those lines at the edge); anything else off the sheet makes it smaller.
            const bool onlyGridLines =
                std::all_of(fittedOutside.begin(), fittedOutside.end(),
                            [](const ChartElement& e) { return ofTheSixFamilies(e); });
            auto outside = offSheet(t, 6);
            if (onlyGridLines) {
                ++kept;
                // The scale and origin as fitted, to the bit (its grid lines are cut at the
                // chart's outline, its titles kept apart).
                EXPECT_TRUE(tf.k1 == ff.k1 && tf.k2 == ff.k2 && tf.OX == ff.OX) << lo << "–" << hi;
                std::erase_if(outside, [](const ChartElement& e) { return ofTheSixFamilies(e); });
            }
            std::string kinds;
            for (const ChartElement& e : outside) kinds += " " + std::to_string(e.kind);
            EXPECT_TRUE(outside.empty())
                << lo << "–" << hi << ": " << outside.size() << " off the sheet, kinds" << kinds;
            EXPECT_TRUE(hasText(t, kRhTitle)) << lo << "–" << hi;
            // A chart made smaller to fit keeps protractors of a usable size: an SHF arc of at
            // least five text heights (40 with the fixed metrics at 6 points).
            if (!onlyGridLines) {
                EXPECT_GE(protractorRadius(t), 40.0) << lo << "–" << hi;
            }
            // Within its outline and its titles apart; the default chart keeps its two lines at
            // the lower left (chart_outline_test).
            const auto faults = outlineFaults(tf, t);
            if (lo == -5 && hi == 45 && p == 760) {
                EXPECT_EQ(faults.size(), 2u);
            } else {
                std::string all;
                for (const auto& f : faults) all += "\n  " + f;
                EXPECT_TRUE(faults.empty()) << lo << "–" << hi << (si ? " SI" : "") << all;
            }
        }
    // At least every range with a lower limit of −20 … 5 °C fits as fitted: 26 × 51 ranges.
    if (p == 760) {
        EXPECT_GE(kept, 26 * 51);
    }
}

TEST(ChartOnSheet, EveryAllowedRangeLiesOnTheSheet) {
    sweepAllowedRanges(false);
}

TEST(ChartOnSheet, EveryAllowedRangeLiesOnTheSheetInSiUnits) {
    sweepAllowedRanges(true);
}

// Every other lower limit, every upper limit the pressure allows.
TEST(ChartOnSheet, EveryAllowedRangeLiesOnTheSheetAtTheLowestPressure) {
    sweepAllowedRanges(false, 400, 2);
}

TEST(ChartOnSheet, EveryAllowedRangeLiesOnTheSheetAtOtherPressures) {
    sweepAllowedRanges(true, 500, 2);
    sweepAllowedRanges(false, 600, 2);
    sweepAllowedRanges(false, 800, 2);
}

// IP units: every range the options dialog allows in °F (lower −4 … 140, upper 86 … 176, the
// °C bounds converted) lies on the sheet with its scales, protractors and titles, its grid lines
// within the outline, its titles apart.
TEST(ChartOnSheet, EveryAllowedRangeLiesOnTheSheetInIpUnits) {
    for (int lo = -4; lo <= 140; lo += (lo >= 137 ? 1 : 3))
        for (int hi = std::max(86, lo + 1); hi <= 176; hi += (hi >= 170 ? 1 : 2)) {
            ChartSettings s;
            s.units = UnitSystem::IP;
            s.dbMin = (lo - 32) / 1.8;
            s.dbMax = (hi - 32) / 1.8;
            FakeTextMetrics m;
            ChartFrame f;
            ChartTable t;
            ASSERT_TRUE(constructChart(s, m, f, t).ok()) << lo << "–" << hi << " °F";
            auto outside = offSheet(t, 6);
            std::erase_if(outside, [](const ChartElement& e) { return ofTheSixFamilies(e); });
            std::string kinds;
            for (const ChartElement& e : outside) kinds += " " + std::to_string(e.kind);
            EXPECT_TRUE(outside.empty())
                << lo << "–" << hi << " °F: " << outside.size() << " off the sheet, kinds" << kinds;
            EXPECT_TRUE(hasText(t, kRhTitle)) << lo << "–" << hi << " °F";
            std::string all;
            for (const auto& fault : outlineFaults(f, t)) all += "\n  " + fault;
            EXPECT_TRUE(all.empty()) << lo << "–" << hi << " °F" << all;
        }
}

// Texts so large that no smaller scale brings the chart onto the sheet (a document or settings
// file may ask for any font size): at 60 points a text is 80 units high and the protractors
// would need a radius of 5 × 80 = 400, more than half the sheet's 480 height. The chart is then
// drawn as fitted, at once.
TEST(ChartOnSheet, TextsTooLargeForAnyScaleLeaveTheChartAsFitted) {
    for (const auto& [lo, hi] : {std::pair{-5, 45}, std::pair{40, 80}, std::pair{59, 60}}) {
        ChartSettings s;
        s.dbMin = lo;
        s.dbMax = hi;
        s.fontSize = 60;
        FakeTextMetrics m;
        ChartFrame placed, fitted;
        ChartTable t;
        ASSERT_TRUE(constructChart(s, m, placed, t, ChartLayout::OnSheet).ok()) << lo << "–" << hi;
        ASSERT_TRUE(constructChart(s, m, fitted, t, ChartLayout::AsFitted).ok());
        EXPECT_FALSE(onSheet(t, m, false)) << "off the sheet as fitted: " << lo << "–" << hi;
        EXPECT_EQ(placed.k1, fitted.k1) << lo << "–" << hi;
        EXPECT_EQ(placed.k2, fitted.k2) << lo << "–" << hi;
        EXPECT_EQ(placed.OX, fitted.OX) << lo << "–" << hi;
    }
}

TEST(ElementExtent, ArcPointsEveryDegreeCounterClockwise) {
    FakeTextMetrics m;
    // The circle of radius 50 about (50, 50); the arc from the ray towards (100, 50), 0°, to the
    // ray towards (50, 0), 90° counter-clockwise on the screen: the upper right quarter.
    ChartElement box{54, 0, 0, 100, 100, ""}, ends{54, 100, 50, 50, 0, ""};
    const auto p = elementExtent(box, &ends, m);
    ASSERT_EQ(p.size(), 91u);
    EXPECT_NEAR(p.front().x, 100, 1e-9);
    EXPECT_NEAR(p.front().y, 50, 1e-9);
    EXPECT_NEAR(p[45].x, 50 + 50 * std::sqrt(0.5), 1e-9);
    EXPECT_NEAR(p[45].y, 50 - 50 * std::sqrt(0.5), 1e-9);
    EXPECT_NEAR(p.back().x, 50, 1e-9);
    EXPECT_NEAR(p.back().y, 0, 1e-9);
    // From 90° round past 180° to 0°: three quarters, the end ray taken a turn later.
    ChartElement back{54, 50, 0, 100, 50, ""};
    const auto q = elementExtent(box, &back, m);
    ASSERT_EQ(q.size(), 271u);
    EXPECT_NEAR(q[90].x, 0, 1e-9) << "180°";
    EXPECT_NEAR(q[90].y, 50, 1e-9);
    EXPECT_NEAR(q.back().x, 100, 1e-9);
}

// What the sweep above measures each element by, against corners worked by hand. The fixed
// metrics at 6 points: H = trunc(6 × 4 / 3) = 8 high, 4 wide per narrow character. A text's
// corners come as (0, 0), (0, H), (W, 0), (W, H) along and down its baseline from (c1, c2),
// turned by c3 tenths of a degree counter-clockwise on the screen (Y down).
TEST(ElementExtent, LinesCirclesAndTurnedTextsByHand) {
    FakeTextMetrics m;
    m.setFont("", 6);
    const double r = std::sqrt(0.5);
    // Plain fields, made into an element for each case (an array of elements with their texts
    // in it has GCC warn of an uninitialised string).
    struct Case {
        int32_t kind;
        double c1, c2, c3, c4;
        const char* text;
        std::vector<ChartPoint> corners;
    };
    const std::vector<Case> cases = {
        // A line and a circle's box: their two points as they are.
        {kDryBulbLine, 1.5, 2.5, 630, 470, "", {{1.5, 2.5}, {630, 470}}},
        {kShfCircle, 20, 30, 60, 70, "", {{20, 30}, {60, 70}}},
        // An arc without the record of its ends, and an ends record read alone: nothing.
        {kMoistureRatioArc, 20, 30, 60, 70, "", {}},
        {kMoistureRatioArcEnds, 20, 30, 60, 70, "", {}},
        // "10" level at (100, 200): 8 × 8, down is +y.
        {kChartTitleText, 100, 200, 0, 0, "10", {{100, 200}, {100, 208}, {108, 200}, {108, 208}}},
        // Turned 90°: along is (0, −1), down is (1, 0).
        {kChartTitleText, 100, 200, 900, 0, "10", {{100, 200}, {108, 200}, {100, 192}, {108, 192}}},
        // "abc" (12 wide) turned 45°: along (√½, −√½), down (√½, √½); the far corner is
        // (100 + 12√½ + 8√½, 200 − 12√½ + 8√½) = (100 + 20√½, 200 − 4√½).
        {kChartTitleText,
         100,
         200,
         450,
         0,
         "abc",
         {{100, 200},
          {100 + 8 * r, 200 + 8 * r},
          {100 + 12 * r, 200 - 12 * r},
          {100 + 20 * r, 200 - 4 * r}}},
        // A wide character is H wide: "空" turned 180° reaches left and up, (92, 192).
        {kChartTitleText,
         100,
         200,
         1800,
         0,
         "\xe7\xa9\xba",
         {{100, 200}, {100, 192}, {92, 200}, {92, 192}}},
    };
    for (const Case& c : cases) {
        const ChartElement e{c.kind, c.c1, c.c2, c.c3, c.c4, c.text};
        const auto p = elementExtent(e, nullptr, m);
        ASSERT_EQ(p.size(), c.corners.size()) << c.kind << " " << c.text;
        for (size_t i = 0; i < p.size(); ++i) {
            EXPECT_NEAR(p[i].x, c.corners[i].x, 1e-9) << c.text << " corner " << i;
            EXPECT_NEAR(p[i].y, c.corners[i].y, 1e-9) << c.text << " corner " << i;
        }
    }
}

TEST(CutGridLines, CutAtTheEdgeWhateverTheLineSlope) {
    // A line one unit wide and a hundred high crossing the right edge at half its width, and one
    // a unit high crossing the bottom edge: each is cut where it crosses, at (640, 50) and
    // (50, 480), not merely pushed onto the edge at its end.
    ChartTable t;
    t.append({10, 639.5, 0, 640.5, 100, ""});
    t.append({20, 0, 479.5, 100, 480.5, ""});
    const ChartTable cut = cutGridLinesAtSheet(t);
    ASSERT_EQ(cut.elements().size(), 2u);
    const ChartElement& a = cut.elements()[0];
    EXPECT_DOUBLE_EQ(a.c1, 639.5);
    EXPECT_DOUBLE_EQ(a.c3, 640);
    EXPECT_DOUBLE_EQ(a.c4, 50);
    const ChartElement& b = cut.elements()[1];
    EXPECT_DOUBLE_EQ(b.c3, 50);
    EXPECT_DOUBLE_EQ(b.c4, 480);
    // Half a unit wide: it leaves the sheet at 0.2 / 0.5 = 0.4 of its length, (640, 40).
    ChartTable narrow;
    narrow.append({10, 639.8, 0, 640.3, 100, ""});
    const ChartElement c = cutGridLinesAtSheet(narrow).elements().at(0);
    EXPECT_DOUBLE_EQ(c.c1, 639.8);
    EXPECT_DOUBLE_EQ(c.c2, 0);
    EXPECT_DOUBLE_EQ(c.c3, 640);
    EXPECT_NEAR(c.c4, 40, 1e-9);
}

TEST(ElementExtent, AnArcFirstOrLastInTheTableIsChecked) {
    // A half circle about (20, 20) of radius 50 reaches 30 units beyond the top edge.
    FakeTextMetrics m;
    ChartTable t;
    t.append({54, -30, -30, 70, 70, ""});
    t.append({54, 70, 20, -30, 20, ""});  // from 0° to 180°: the upper half
    EXPECT_FALSE(onSheet(t, m, true));
    ChartTable lower;
    lower.append({10, 0, 0, 10, 10, ""});
    lower.append({54, 0, 50, 100, 150, ""});  // about (50, 100), radius 50: on the sheet
    lower.append({54, 100, 100, 0, 100, ""});
    EXPECT_TRUE(onSheet(lower, m, true));
    // An arc's ends are the record after it, not the one before: the upper right quarter about
    // (20, 20) of radius 50 reaches y = −30; the line before it would make it the lower right.
    ChartTable upper;
    upper.append({10, 20, 200, 70, 20, ""});
    upper.append({54, -30, -30, 70, 70, ""});
    upper.append({54, 70, 20, 20, -30, ""});
    EXPECT_FALSE(onSheet(upper, m, true));
}

namespace {

// The square 0 … 10 × 0 … 10 as an outline: each edge a point on it and its inward normal.
const std::vector<OutlineEdge> kSquare = {
    {{0, 0}, {1, 0}}, {{10, 0}, {-1, 0}}, {{0, 0}, {0, 1}}, {{0, 10}, {0, -1}}};

}  // namespace

TEST(ClipToOutline, TheSegmentsPartWithinBySquareCases) {
    struct Case {
        ChartPoint a, b;
        bool any;
        ChartPoint ca, cb;  // the part within, by hand
    } cases[] = {
        // Within: both ends as they were.
        {{1, 2}, {9, 8}, true, {1, 2}, {9, 8}},
        // Out through the right edge: y = 5 + (10 − 5) × (9 − 5) / (15 − 5) = 7 at x = 10.
        {{5, 5}, {15, 9}, true, {5, 5}, {10, 7}},
        // In through the left edge and out through the top: the line y = x + 3 from (−3, 0)
        // to (13, 16) meets x = 0 at y = 3 and y = 10 at x = 7.
        {{-3, 0}, {13, 16}, true, {0, 3}, {7, 10}},
        // Along the bottom edge, one end beyond each side edge.
        {{-5, 0}, {20, 0}, true, {0, 0}, {10, 0}},
        // Wholly outside: beyond one edge, and past a corner (y = −x + 25 stays above x + y = 20).
        {{11, 1}, {12, 9}, false, {11, 1}, {12, 9}},
        {{5, 20}, {20, 5}, false, {5, 20}, {20, 5}},
        // Touching the corner only: no part to draw.
        {{10, 10}, {12, 12}, false, {10, 10}, {12, 12}},
    };
    for (const Case& c : cases) {
        ChartPoint a = c.a, b = c.b;
        EXPECT_EQ(clipToOutline(kSquare, a, b), c.any) << c.a.x << "," << c.a.y;
        EXPECT_DOUBLE_EQ(a.x, c.ca.x) << c.a.x << "," << c.a.y;
        EXPECT_DOUBLE_EQ(a.y, c.ca.y) << c.a.x << "," << c.a.y;
        EXPECT_DOUBLE_EQ(b.x, c.cb.x) << c.a.x << "," << c.a.y;
        EXPECT_DOUBLE_EQ(b.y, c.cb.y) << c.a.x << "," << c.a.y;
    }
}

TEST(ClipToOutline, AFarEndCostsNoPrecisionAtTheEdge) {
    // From (5, 5) towards (1e300, 5 + 1e300 / 2): it leaves through x = 10 at y = 7.5, worked
    // from the near end; from the far end the product would keep nothing of the 2.5.
    ChartPoint a = {5, 5}, b = {1e300, 5 + 1e300 / 2};
    ASSERT_TRUE(clipToOutline(kSquare, a, b));
    EXPECT_EQ(a.x, 5);
    EXPECT_EQ(b.x, 10);
    EXPECT_NEAR(b.y, 7.5, 1e-12);
    // The same with the far end first: the near end is the one moved onto the edge.
    ChartPoint c = {-1e300, 5}, d = {5, 5};
    ASSERT_TRUE(clipToOutline(kSquare, c, d));
    EXPECT_EQ(c.x, 0);
    EXPECT_EQ(c.y, 5);
    ChartPoint e = {5, 5}, f = {std::numeric_limits<double>::infinity(), 5};
    EXPECT_FALSE(clipToOutline(kSquare, e, f)) << "not a finite number";
    ChartPoint g = {5, 5}, h = {5, std::numeric_limits<double>::quiet_NaN()};
    EXPECT_FALSE(clipToOutline(kSquare, g, h)) << "not a number";
}

// The default chart's outline by hand (−5 … 45 °C, kcal: X = (h − 617.345 x) × 10.4 / 0.24 +
// 104, Y = 408 − 10400 x, see chart_golden_test). A state at 60 °C, x = 0.01 is off the chart;
// one at 26 °C, x = 0.01 on it; 46 °C, one step above the upper limit, is the right border.
TEST(ChartOutline, StatesOnAndOffTheDefaultChart) {
    FakeTextMetrics m;
    ChartFrame f;
    ChartTable t;
    ASSERT_TRUE(constructChart(ChartSettings{}, m, f, t).ok());
    // h = 0.24 t + x (597.5 + 0.441 t): along x = 0.01, X = (0.24441 t − 0.19845) × 43.333 + 104.
    const auto at = [&](double t, double x) {
        return f.map(0.24 * t + x * (597.5 + 0.441 * t), x);
    };
    EXPECT_TRUE(onChart(f, at(26, 0.01)));
    EXPECT_TRUE(onChart(f, at(45.9, 0.01)));
    EXPECT_FALSE(onChart(f, at(46.1, 0.01)));
    EXPECT_FALSE(onChart(f, at(60, 0.01)));
    // Above the top border (x above (408 − 30) / 10400 = 0.036346) and below the base.
    EXPECT_FALSE(onChart(f, at(40, 0.037)));
    EXPECT_FALSE(onChart(f, at(20, -0.0001)));
    // Left of the vertical through the saturation point of −5 °C, X = 49.63 (chart_golden_test):
    // x = 0 at −6 °C is X = −6 × 0.24 × 43.333 + 104 = 41.6.
    EXPECT_FALSE(onChart(f, at(-6, 0)));
    EXPECT_TRUE(onChart(f, at(-5, 0)));
    // 26 → 60 °C along x = 0.01 is cut where 46 °C lies: X = (0.24441 × 46 − 0.19845) × 43.333
    // + 104 = 11.04441 × 43.333 + 104 = 582.591, Y = 408 − 104 = 304.
    ChartPoint a = at(26, 0.01), b = at(60, 0.01);
    const ChartPoint start = a;
    ASSERT_TRUE(clipToOutline(chartOutline(f), a, b));
    EXPECT_EQ(a.x, start.x);
    EXPECT_EQ(a.y, start.y);
    EXPECT_NEAR(b.x, 582.591, 1e-3);
    EXPECT_NEAR(b.y, 304, 1e-9);
    // At zoom 2 the outline is twice as far out: (1165.182, 608).
    const ViewTransform zoom2{2};
    ChartPoint c = zoom2.toScreen(at(26, 0.01)), d = zoom2.toScreen(at(60, 0.01));
    ASSERT_TRUE(clipToOutline(chartOutline(f, zoom2), c, d));
    EXPECT_NEAR(d.x, 1165.182, 2e-3);
    EXPECT_NEAR(d.y, 608, 1e-9);
}

// Titles by hand with the fixed metrics (8 units high, a narrow character 4 wide): A, "AB", at
// (100, 100) unturned covers 100 … 108 both ways. B, "CD", at (104, 100) turned 30° lies over it
// and moves along its own baseline (cos 30°, −sin 30°) = (0.8660, −0.5) in steps of 4 until a
// quarter height (2) clear: one step leaves its left edge at 104 + 3.464 = 107.46, under the
// 110 needed (and no other axis separates them); two steps at 104 + 6.928 = 110.93 clear it:
// B at (110.928, 96). A value label over a title is never moved, and titles apart stay.
TEST(SeparateTitles, AMovedTitleStepsAlongItsBaselineUntilClear) {
    FakeTextMetrics m;
    ChartTable t;
    t.append({22, 100, 100, 0, 0, "AB"});
    t.append({62, 104, 100, 300, 0, "CD"});
    t.append({62, 102, 102, 0, 0, "0.88"});
    t.append({12, 300, 300, 0, 0, "EF"});
    const ChartTable s = separateTitles(t, m);
    ASSERT_EQ(s.elements().size(), 4u);
    const auto& e = s.elements();
    EXPECT_EQ(e[0].c1, 100);
    EXPECT_EQ(e[0].c2, 100);
    EXPECT_NEAR(e[1].c1, 104 + 8 * std::sqrt(3.0) / 2, 1e-9);
    EXPECT_NEAR(e[1].c2, 96, 1e-9);
    EXPECT_EQ(e[1].c3, 300) << "turned as before";
    EXPECT_EQ(e[2].c1, 102) << "a number is a value label, not a title";
    EXPECT_EQ(e[3].c1, 300);
    EXPECT_EQ(e[3].c2, 300);
    // B against the sheet's right edge (632 … 640), touching A (624 … 632): it cannot move
    // right, and left it needs its right end a quarter height short of 624: four steps leave
    // it at 616 … 624, five at 612 … 620.
    ChartTable edge;
    edge.append({22, 624, 100, 0, 0, "AB"});
    edge.append({62, 632, 100, 0, 0, "CD"});
    const ChartElement moved = separateTitles(edge, m).elements()[1];
    EXPECT_EQ(moved.c1, 612);
    EXPECT_EQ(moved.c2, 100);
}
