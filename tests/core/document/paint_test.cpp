#include "document/paint.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "chart/construction.h"
#include "support/recording_canvas.h"
#include "document/attributes.h"

using namespace humidraw;

namespace {

class Painting : public testing::Test {
  protected:
    void SetUp() override {
        FakeTextMetrics m;
        ASSERT_TRUE(constructChart(settings, m, frame, chart).ok());
    }
    RecordingCanvas paint(double zoom = 1.0, double offset = 0) {
        RecordingCanvas k;
        EXPECT_TRUE(paintChart(k, frame, chart, objects, settings, ViewTransform{zoom, offset}));
        return k;
    }
    static bool hasText(const RecordingCanvas& k, const std::string& t) {
        const auto texts = k.of(RecordedOp::Text);
        return std::any_of(texts.begin(), texts.end(), [&](auto& op) { return op.text == t; });
    }
    ChartSettings settings;
    ChartFrame frame;
    ChartTable chart;
    ObjectTable objects;
};

ObjectRecord lineObject(int kind, double h1, double x1, double h2, double x2) {
    ObjectRecord r;
    r.kind = kind;
    r.colour = 1;
    r.width = 3;
    r.style = 0;
    r.h1 = h1, r.x1 = x1, r.h2 = h2, r.x2 = x2;
    return r;
}

}  // namespace

TEST_F(Painting, ViewFlagsHideWholeFamilies) {
    const RecordingCanvas all = paint();
    EXPECT_TRUE(hasText(all, "乾球温度 DB [℃]"));
    EXPECT_FALSE(hasText(all, "顕熱比SHF")) << "SHF scale is off by default";
    settings.view.fill(false);
    const RecordingCanvas none = paint();
    const auto texts = none.of(RecordedOp::Text);
    ASSERT_EQ(texts.size(), 1u) << "only the chart title";
    EXPECT_EQ(texts[0].text, "湿り空気 h-x 線図(全圧力P=760mmHg)");
    EXPECT_TRUE(none.of(RecordedOp::Line).empty());
    // The NE crosshair stays with CB_NE when the SHF scale is off.
    settings.view[CB_NE] = true;
    const RecordingCanvas ne = paint();
    EXPECT_EQ(ne.of(RecordedOp::Ellipse).size(), 1u);
    EXPECT_EQ(ne.of(RecordedOp::Arc).size(), 1u);
    EXPECT_TRUE(hasText(ne, "熱水分比[kcal/kg]"));
}

TEST_F(Painting, FamilyPenStylesAndScaledFont) {
    const RecordingCanvas k = paint(2.0);
    bool dotted = false, dashDot = false;
    for (const auto& op : k.of(RecordedOp::Line)) {
        dotted = dotted || op.penStyle == PenStyle::Dot;
        dashDot = dashDot || op.penStyle == PenStyle::DashDot;
    }
    EXPECT_TRUE(dotted && dashDot);
    const auto texts = k.of(RecordedOp::Text);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0].fontHeight, 16) << "8 px chart font at zoom 2";
    EXPECT_EQ(texts[0].fontFace, "ＭＳ Ｐゴシック");
}

TEST_F(Painting, CoordinatesTruncatedWithOffset) {
    const auto first = chart.elements().front();
    const RecordingCanvas k = paint(1.875, 10.5);
    const auto line = k.of(RecordedOp::Line).front();
    EXPECT_EQ(line.v[0], static_cast<int>(10.5 + first.c1 * 1.875));
    EXPECT_EQ(line.v[1], static_cast<int>(first.c2 * 1.875));
}

TEST_F(Painting, MarkersByKind) {
    settings.view.fill(false);
    for (int kind : {10, 11, 12, 13}) {
        objects.clear();
        objects.append(lineObject(kind, 10, 0.01, 20, 0.015));
        const RecordingCanvas k = paint();
        const auto ellipses = k.of(RecordedOp::Ellipse);
        const size_t expected = kind == 10 ? 2 : kind == 11 ? 0 : 1;
        ASSERT_EQ(ellipses.size(), expected) << kind;
        const int r = static_cast<int>(-0.3 * frame.k2);
        const ChartPoint first = frame.map(10, 0.01), second = frame.map(20, 0.015);
        if (kind == 12 || kind == 13) {
            const double marked = kind == 12 ? second.x : first.x;
            EXPECT_EQ(ellipses[0].v[0], static_cast<int>(marked - r));
        }
        const auto lines = k.of(RecordedOp::Line);
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0].v[0], static_cast<int>(second.x)) << "drawn from the second point";
        EXPECT_EQ(lines[0].penColour, kPalette[1]);
    }
}

TEST_F(Painting, TableRowsOnlyWithFlagHeaderOnce) {
    ObjectRecord row;
    row.kind = kTableRow;
    row.colour = 7;
    row.text = "OA,33.0,63.0,27.2,20.51,0.0203";
    objects.append(row);
    objects.append(row);
    EXPECT_FALSE(hasText(paint(), "DB")) << "rows need CB_OP";
    settings.view[CB_OP] = true;
    const RecordingCanvas k = paint();
    const auto texts = k.of(RecordedOp::Text);
    EXPECT_EQ(std::count_if(texts.begin(), texts.end(), [](auto& t) { return t.text == "DB"; }), 1);
    EXPECT_EQ(std::count_if(texts.begin(), texts.end(), [](auto& t) { return t.text == "OA"; }), 2);
    EXPECT_TRUE(hasText(k, "20.51"));
    settings.units = UnitSystem::SI;
    const RecordingCanvas si = paint();
    EXPECT_TRUE(hasText(si, "85.9")) << "20.51 kcal/kg × 4.18605";
    EXPECT_FALSE(hasText(si, "20.51"));
    // IP: 33.0 °C = 1.8 × 33 + 32 = 91.4 °F; 27.2 °C = 80.96 → 81.0 °F; 20.51 kcal/kg =
    // 1.8 × 20.51 + 32 × 0.24f = 36.918 + 7.68 = 44.598 → 44.6 Btu/lb; 0.0203 × 7000 = 142.1
    // gr/lb; RH and the name as they are.
    settings.units = UnitSystem::IP;
    const RecordingCanvas ip = paint();
    for (const char* cell : {"OA", "91.4", "63.0", "81.0", "44.6", "142.1"})
        EXPECT_TRUE(hasText(ip, cell)) << cell;
    EXPECT_FALSE(hasText(ip, "33.0"));
    // No rows: no header.
    objects.clear();
    EXPECT_FALSE(hasText(paint(), "DB"));
}

TEST_F(Painting, BlankEnthalpyCellStaysBlankInSi) {
    settings.units = UnitSystem::SI;
    settings.view.fill(false);
    RecordingCanvas k;
    k.setFont("f", 8, 0);
    drawTableRow(k, 0, 0, 1, "A, , , , ,", UnitSystem::SI);
    const auto texts = k.of(RecordedOp::Text);
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(texts[4].text, " ");
    EXPECT_EQ(k.of(RecordedOp::Line).size(), 6u) << "the rule and five cell borders";
}

TEST_F(Painting, TextObjectsAnchored) {
    settings.view.fill(false);
    ObjectRecord t;
    t.kind = kTextObject;
    t.colour = 5;
    t.h1 = 10;
    t.x1 = 0.01;
    t.labelPosition = 0;
    t.text = "OA";
    objects.append(t);
    const RecordingCanvas k = paint();
    const auto texts = k.of(RecordedOp::Text);
    ASSERT_EQ(texts.size(), 2u);
    const ChartPoint p = frame.map(10, 0.01);
    EXPECT_EQ(texts[1].v[0], static_cast<int>(p.x + 4));
    EXPECT_EQ(texts[1].v[1], static_cast<int>(p.y + 4));
    EXPECT_EQ(texts[1].fontColour, kPalette[5]);
    EXPECT_EQ(texts[1].escapement, 0);
}

TEST_F(Painting, FarOrBrokenEndsCostNoMoreThanALineAcrossTheSheet) {
    settings.view.fill(false);
    // Style 2 at zoom 1: dashes of 3, gaps of 3. Lines are drawn within the sheet and a margin
    // of 64 pixels: 768 × 608, diagonal √(768² + 608²) = 979.5, so at most 979.5 / 6 = 163.3
    // periods, 164 dashes and a piece at the end.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (double far : {-1e4, -1e300}) {
        objects.clear();
        ObjectRecord r = lineObject(10, 10, 0.01, far, 0.01);
        r.style = 2;
        objects.append(r);
        const RecordingCanvas k = paint();
        ASSERT_LE(k.of(RecordedOp::Line).size(), 165u) << far;
        EXPECT_GT(k.of(RecordedOp::Line).size(), 10u) << "the visible part is drawn";
        EXPECT_EQ(k.of(RecordedOp::Ellipse).size(), 1u) << "no marker off the sheet";
    }
    for (ObjectRecord r : {lineObject(10, 10, 0.01, nan, 0.01), lineObject(10, nan, 0.01, 5, 0)}) {
        objects.clear();
        r.style = 2;
        objects.append(r);
        ObjectRecord text = r;
        text.kind = kTextObject;
        text.h1 = nan;
        text.text = "nowhere";
        objects.append(text);
        const RecordingCanvas k = paint();
        EXPECT_TRUE(k.of(RecordedOp::Line).empty());
        EXPECT_FALSE(hasText(k, "nowhere"));
    }
}

// The screen keeps the chart as a layer and draws the objects over it on a canvas of their own:
// the two halves must draw what the one painting draws, operation by operation, with the same
// pens and fonts, whichever families are shown (the last one shown leaves its pen style to the
// objects: a line with no second point draws its first marker with it).
TEST_F(Painting, ChartLayerAndObjectsDrawWhatTheOnePaintingDraws) {
    objects.append(
        lineObject(kLineBothMarkers, 10, 0.01, std::numeric_limits<double>::quiet_NaN(), 0.01));
    objects.append(lineObject(kLineMarkerAtFirst, 5, 0.005, 15, 0.012));
    ObjectRecord text;
    text.kind = kTextObject;
    text.colour = 4;
    text.h1 = 12, text.x1 = 0.008;
    text.text = "A";
    objects.append(text);
    ObjectRecord row = text;
    row.kind = kTableRow;
    row.h1 = 0, row.x1 = 0;
    row.text = "A,26.0,50,18.9,12.9,0.0105";
    objects.append(row);
    const auto start = [](RecordingCanvas& k) {
        k.setPenColour(kChartColour);
        k.setFontColour(kChartColour);
    };
    const auto same = [](const RecordedOp& a, const RecordedOp& b) {
        return a.kind == b.kind && std::equal(a.v, a.v + 8, b.v) && a.text == b.text &&
               a.penColour == b.penColour && a.fontColour == b.fontColour &&
               a.brushSolid == b.brushSolid && a.penWidth == b.penWidth &&
               a.penStyle == b.penStyle && a.penMode == b.penMode && a.fontHeight == b.fontHeight &&
               a.fontFace == b.fontFace &&
               // the angle of the chart's last text stays with the canvas; only texts use it
               (a.kind != RecordedOp::Text || a.escapement == b.escapement);
    };
    // All families, each one hidden, each one alone.
    for (int c = -1; c < 2 * kViewFlagCount; ++c) {
        settings.view.fill(c < kViewFlagCount);
        if (c >= 0) settings.view[c % kViewFlagCount] = c >= kViewFlagCount;
        RecordingCanvas one, chartLayer, objectLayer;
        start(one);
        ASSERT_TRUE(paintChart(one, frame, chart, objects, settings, ViewTransform{1.7}));
        start(chartLayer);
        ASSERT_TRUE(paintChartLayer(chartLayer, frame, chart, nullptr, settings, ViewTransform{1.7}));
        start(objectLayer);
        ASSERT_TRUE(
            paintObjects(objectLayer, frame, chart, objects, settings, ViewTransform{1.7}));
        std::vector<RecordedOp> two = chartLayer.ops;
        two.insert(two.end(), objectLayer.ops.begin(), objectLayer.ops.end());
        ASSERT_EQ(two.size(), one.ops.size()) << "case " << c;
        for (size_t i = 0; i < two.size(); ++i)
            ASSERT_TRUE(same(two[i], one.ops[i])) << "operation " << i << ", case " << c;
    }
}

// A state-change line to a state off the chart is drawn to the chart's outline only, with the
// marker of the state on it; a free segment along the same states is drawn whole. Along
// x = 0.01 on the default chart, Y = 408 − 104 = 304: 26 °C at X = (0.24441 × 26 − 0.19845) ×
// 43.333 + 104 = 370.77, 50 °C at (0.24441 × 50 − 0.19845) × 43.333 + 104 = 624.96 (on the
// sheet), the chart's right border (46 °C, one step past the upper limit) at 582.59.
TEST_F(Painting, LinesDrawnWithinTheChartAreCutAtItsOutline) {
    settings.view.fill(false);
    // h = 0.24 t + x (597.5 + 0.441 t).
    ObjectRecord typed = lineObject(kLineBothMarkers, 18.1955, 0.01, 12.32966, 0.01);
    for (bool within : {true, false}) {
        objects.clear();
        ObjectRecord r = typed;
        r.reserved2 = within ? kDrawnWithinChart : 0;
        objects.append(r);
        for (double zoom : {1.0, 2.0}) {
            const RecordingCanvas k = paint(zoom);
            const auto lines = k.of(RecordedOp::Line);
            ASSERT_FALSE(lines.empty());
            // Drawn from the second state (26 °C) to the first.
            EXPECT_EQ(lines.front().v[0], static_cast<int>(370.77 * zoom)) << zoom;
            EXPECT_EQ(lines.front().v[1], static_cast<int>(304 * zoom));
            EXPECT_EQ(lines.back().v[2], static_cast<int>((within ? 582.59 : 624.96) * zoom))
                << within << " " << zoom;
            EXPECT_EQ(lines.back().v[3], static_cast<int>(304 * zoom));
            // Markers: the start's, and the end's only where the end is drawn.
            EXPECT_EQ(k.of(RecordedOp::Ellipse).size(), within ? 1u : 2u) << zoom;
        }
    }
    // Wholly off the chart (50 → 60 °C, h = 14.4 + 0.01 × 623.96): nothing at all.
    objects.clear();
    ObjectRecord off = lineObject(kLineBothMarkers, 18.1955, 0.01, 20.6396, 0.01);
    off.reserved2 = kDrawnWithinChart;
    objects.append(off);
    const RecordingCanvas k = paint();
    EXPECT_TRUE(k.of(RecordedOp::Line).empty());
    EXPECT_TRUE(k.of(RecordedOp::Ellipse).empty());
}
