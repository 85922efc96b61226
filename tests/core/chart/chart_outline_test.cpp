// The chart within its own outline and its titles apart: what a chart breaks of either, checked
// over every dry-bulb range the options dialog allows by the sweep of chart_sheet_test, and here
// for the ranges where it was seen.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "chart/construction.h"
#include "core/chart/outline_faults.h"
#include "moistek/moistek.h"

using namespace humidraw;

namespace {

constexpr double kSlack = 0.01;  // a hundredth of a unit: rounding, not drawing

// The chart's outline, worked out here from the frame alone, as the half-planes whose common
// part it is: above the base (zero humidity), below the top border, right of the vertical
// through the saturation point of the lower limit (where the humidity-ratio lines begin) and
// left of the isotherm one dry-bulb step above the upper limit (where they end; straight on
// the chart, the enthalpy being linear in x along it). Each half-plane is a point a on its edge
// and the edge's inward unit normal n.
struct HalfPlane {
    ChartPoint a, n;
};

std::vector<HalfPlane> outline(const ChartFrame& f) {
    const double xs = f.air.saturationRatio(f.DBmin);
    const ChartPoint S = f.map(f.air.DBAH2EN(f.DBmin, xs), xs);
    const double t = f.DBmax + f.DBstep;
    const ChartPoint foot = f.map(f.air.DBAH2EN(t, 0), 0), up = f.map(f.air.DBAH2EN(t, 0.02), 0.02);
    const double len = std::hypot(up.x - foot.x, up.y - foot.y);
    // foot → up runs up the chart; its left-hand normal on the screen is (dy, −dx).
    return {{{0, f.OY}, {0, -1}},
            {{0, f.Ytop}, {0, 1}},
            {S, {1, 0}},
            {foot, {(up.y - foot.y) / len, (foot.x - up.x) / len}}};
}

// How far p lies outside the outline (0 inside).
double outside(const std::vector<HalfPlane>& planes, ChartPoint p) {
    double worst = 0;
    for (const HalfPlane& h : planes)
        worst = std::max(worst, -((p.x - h.a.x) * h.n.x + (p.y - h.a.y) * h.n.y));
    return worst;
}

// A text's four corners with the fixed metrics, turned by its angle about its top-left corner.
std::vector<ChartPoint> corners(const ChartElement& e) {
    FakeTextMetrics m;
    m.setFont("", 6);
    const double w = m.width(e.text), h = m.height();
    const double a = e.c3 / 1800 * kPi;
    const ChartPoint along = {std::cos(a), -std::sin(a)}, down = {std::sin(a), std::cos(a)};
    return {{e.c1, e.c2},
            {e.c1 + along.x * w, e.c2 + along.y * w},
            {e.c1 + along.x * w + down.x * h, e.c2 + along.y * w + down.y * h},
            {e.c1 + down.x * h, e.c2 + down.y * h}};
}

// Whether two convex quadrilaterals overlap by more than the slack: no separating axis among
// their edges' normals.
bool overlap(const std::vector<ChartPoint>& p, const std::vector<ChartPoint>& q) {
    for (const auto* poly : {&p, &q})
        for (size_t i = 0; i < poly->size(); ++i) {
            const ChartPoint a = (*poly)[i], b = (*poly)[(i + 1) % poly->size()];
            const double nx = a.y - b.y, ny = b.x - a.x, n = std::hypot(nx, ny);
            if (n == 0) continue;
            double pMin = 1e300, pMax = -1e300, qMin = 1e300, qMax = -1e300;
            for (ChartPoint c : p) {
                const double d = (c.x * nx + c.y * ny) / n;
                pMin = std::min(pMin, d), pMax = std::max(pMax, d);
            }
            for (ChartPoint c : q) {
                const double d = (c.x * nx + c.y * ny) / n;
                qMin = std::min(qMin, d), qMax = std::max(qMax, d);
            }
            if (pMax <= qMin + kSlack || qMax <= pMin + kSlack) return false;
        }
    return true;
}

// A title is a text that is not a number (every value label is one).
bool isTitle(const ChartElement& e) {
    if (chartPartOf(e.kind) != kText || e.text.empty()) return false;
    return e.text.find_first_not_of("-0123456789.") != std::string::npos;
}

bool isGridLine(const ChartElement& e) {
    return e.kind >= kDryBulbLine && e.kind <= kSpecificVolumeLine && chartPartOf(e.kind) == kLine;
}

}  // namespace

std::vector<std::string> humidraw::outlineFaults(const ChartFrame& frame, const ChartTable& table) {
    std::vector<std::string> out;
    const auto poly = outline(frame);
    for (const ChartElement& e : table.elements()) {
        if (!isGridLine(e)) continue;
        if (e.kind == kSpecificVolumeLine && e.c2 > frame.OY + kSlack && e.c4 > frame.OY + kSlack) {
            // A label tick under the base: its volume line meets the base within the chart.
            const double X = e.c1 + (e.c3 - e.c1) * (frame.OY - e.c2) / (e.c4 - e.c2);
            const double d = outside(poly, {X, frame.OY});
            if (d > kSlack) out.push_back("kind 60 tick " + std::to_string(d) + " outside");
            continue;
        }
        const double d = std::max(outside(poly, {e.c1, e.c2}), outside(poly, {e.c3, e.c4}));
        if (d > kSlack)
            out.push_back("kind " + std::to_string(e.kind) + " line " + std::to_string(d) +
                          " outside");
    }
    std::vector<ChartElement> titles;
    for (const ChartElement& e : table.elements())
        if (isTitle(e)) titles.push_back(e);
    for (size_t i = 0; i < titles.size(); ++i)
        for (size_t j = i + 1; j < titles.size(); ++j)
            if (overlap(corners(titles[i]), corners(titles[j])))
                out.push_back("\"" + titles[i].text + "\" over \"" + titles[j].text + "\"");
    return out;
}

namespace {

ChartFrame chartFor(int lo, int hi, bool si, ChartTable& t) {
    ChartSettings s;
    s.dbMin = lo;
    s.dbMax = hi;
    s.units = si ? UnitSystem::SI : UnitSystem::Engineering;
    FakeTextMetrics m;
    ChartFrame f;
    EXPECT_TRUE(constructChart(s, m, f, t).ok()) << lo << " " << hi;
    return f;
}

}  // namespace

// 15 … 35 °C had a volume line wholly left of the chart, and the relative-humidity and
// specific-volume titles over one another; 0 … 30 °C in SI units a volume line, its tick and
// label left of the chart, and the protractors' titles over one another.
TEST(ChartOutline, RangesWhereLinesRanOutOrTitlesMet) {
    for (auto [lo, hi] : {std::pair{15, 35}, {0, 30}, {40, 57}, {23, 34}})
        for (bool si : {false, true}) {
            ChartTable t;
            const ChartFrame f = chartFor(lo, hi, si, t);
            std::string all;
            for (const auto& s : outlineFaults(f, t)) all += "\n  " + s;
            EXPECT_EQ(all, "") << lo << "–" << hi << (si ? " SI" : "");
        }
}

// The default chart is kept element for element as it has always been drawn: at its lower left
// corner the −10 °C wet-bulb line dips below the base and the 0.76 m³/kg volume line runs past
// the left border, and nothing else.
TEST(ChartOutline, TheDefaultChartKeepsItsTwoLinesAtTheLowerLeft) {
    for (bool si : {false, true}) {
        ChartTable t;
        const ChartFrame f = chartFor(-5, 45, si, t);
        const auto faults = outlineFaults(f, t);
        ASSERT_EQ(faults.size(), 2u);
        EXPECT_EQ(faults[0].rfind("kind 50 line", 0), 0u) << faults[0];
        EXPECT_EQ(faults[1].rfind("kind 60 line", 0), 0u) << faults[1];
    }
}
