// Drawing data sets and zones with the document: every output paints through paintChart, so the
// recording canvas stands for all of them.
#include "measured/overlay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "chart/construction.h"
#include "support/default_chart.h"
#include "support/recording_canvas.h"
#include "chart/text_metrics.h"
#include "moistek/moistek.h"
#include "lang/language.h"

using namespace humidraw;

TEST(DataDrawing, PolygonFillOfRectangleSurfaces) {
    // A right triangle with legs of 4 px: rows sampled at y + 0.5 cross the hypotenuse
    // x = 4 − y at 3.5, 2.5, 1.5, 0.5, rounded (halves away from zero) to 4, 3, 2, 1.
    RecordingCanvas k;
    k.setBrushSolid(0x123456);
    const PixelPoint triangle[] = {{0, 0}, {4, 4}, {0, 4}};
    const PixelPoint flipped[] = {{0, 0}, {4, 0}, {0, 4}};
    k.fillPolygon(flipped, 3);
    const auto fills = k.of(RecordedOp::Fill);
    ASSERT_EQ(fills.size(), 4u);
    const int rights[] = {4, 3, 2, 1};
    for (int y = 0; y < 4; ++y) {
        EXPECT_EQ(fills[y].v[0], 0);
        EXPECT_EQ(fills[y].v[1], y);
        EXPECT_EQ(fills[y].v[2], rights[y]);
        EXPECT_EQ(fills[y].v[3], y + 1);
        EXPECT_EQ(fills[y].brushColour, 0x123456u);
    }
    RecordingCanvas degenerate;
    degenerate.fillPolygon(triangle, 2);
    EXPECT_TRUE(degenerate.ops.empty());
}

TEST(DataDrawing, DensityGridAndShades) {
    DataSet s;
    // Three points in the cell 20 °C / 7 g/kg, one in 22 °C / 9 g/kg.
    for (double db : {20.1, 20.5, 20.9}) s.points.push_back({db, 0.0075, 0});
    s.points.push_back({22.0, 0.009, 0});
    const DensityGrid g = densityGrid(s);
    EXPECT_EQ(g.dbFirst, 20);
    EXPECT_EQ(g.xFirst, 7);
    EXPECT_EQ(g.columns, 3);
    EXPECT_EQ(g.rows, 3);
    EXPECT_EQ(g.at(0, 0), 3u);
    EXPECT_EQ(g.at(2, 2), 1u);
    EXPECT_EQ(g.most, 3u);
    // ceil(5 × 1 / 3) = 2, ceil(5 × 3 / 3) = 5.
    EXPECT_EQ(densityLevel(1, 3), 2);
    EXPECT_EQ(densityLevel(3, 3), 5);
    EXPECT_EQ(densityLevel(0, 3), 0);
    EXPECT_EQ(tint(0x000000FF, 0.2), 0x00CCCCFFu);  // 255 − 255 × 0.2 = 204 = 0xCC
}

TEST(DataDrawing, DensityGridOfAnySpreadStaysWithItsPoints) {
    struct Case {
        const char* what;
        std::vector<MeasuredPoint> points;
        int dbFirst, xFirst, columns, rows;
        size_t cells;
    } cases[] = {
        // DB ±2·10⁹ spans more than an int: those points are far off any chart and left out.
        {"beyond the int range",
         {{2e9, 0.01, 0}, {-2e9, 0.01, 0}, {20.5, 0.0075, 0}},
         20,
         7,
         1,
         1,
         1},
        {"x beyond it", {{20, 2e6, 0}, {20, -2e6, 0}}, 0, 0, 0, 0, 0},
        // Two points 999 °C and 999 g/kg apart: a grid of 1000 × 1000 cells, two held.
        {"far apart", {{-499.5, 0, 0}, {499.5, 0.9995, 0}}, -500, 0, 1000, 1000, 2},
        {"none", {}, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        DataSet s;
        for (const MeasuredPoint& p : c.points) s.points.push_back(p);
        const DensityGrid g = densityGrid(s);
        EXPECT_EQ(g.dbFirst, c.dbFirst) << c.what;
        EXPECT_EQ(g.xFirst, c.xFirst) << c.what;
        EXPECT_EQ(g.columns, c.columns) << c.what;
        EXPECT_EQ(g.rows, c.rows) << c.what;
        EXPECT_EQ(g.cells.size(), c.cells) << c.what;
    }
    DataSet s;
    s.points = {{-499.5, 0, 0}, {499.5, 0.9995, 0}};
    const DensityGrid g = densityGrid(s);
    EXPECT_EQ(g.at(0, 0), 1u);
    EXPECT_EQ(g.at(999, 999), 1u);
    EXPECT_EQ(g.at(500, 500), 0u);
}

namespace {

struct Chart : testing_support::DefaultChart {
    RecordingCanvas paint(std::shared_ptr<const MeasuredData> data) {
        ObjectTable objects;
        objects.overlay = std::make_shared<DataOverlay>(std::move(data));
        return DefaultChart::paint(objects);
    }
};

std::vector<RecordedOp> withBrush(const RecordingCanvas& k, Colour c) {
    std::vector<RecordedOp> out;
    for (const RecordedOp& op : k.of(RecordedOp::Fill))
        if (op.brushColour == c) out.push_back(op);
    return out;
}

}  // namespace

TEST(DataDrawing, DotsAtTheirChartPlaceAndHiddenSetsNot) {
    Chart chart;
    auto data = std::make_shared<MeasuredData>();
    DataSet s;
    s.name = "room";
    s.colour = 0x00112233;
    const double h = V_DBAH2EN(20, 0.0073);
    s.points = {{20, 0.0073, h}, {20, 0.0073, h}, {100, 0.0073, V_DBAH2EN(100, 0.0073)}};
    data->sets.push_back(s);
    const RecordingCanvas k = chart.paint(data);
    // One dot for the two equal points, none for the one beyond the chart, one legend swatch.
    const auto dots = withBrush(k, 0x00112233);
    ASSERT_EQ(dots.size(), 2u);
    const ChartPoint p = chart.frame.map(h, 0.0073);
    EXPECT_EQ((dots[0].v[0] + dots[0].v[2]) / 2, static_cast<int>(std::lround(p.x)));
    EXPECT_EQ((dots[0].v[1] + dots[0].v[3]) / 2, static_cast<int>(std::lround(p.y)));
    data->sets[0].visible = false;
    EXPECT_TRUE(withBrush(chart.paint(data), 0x00112233).empty());
}

TEST(DataDrawing, DensityLegendInTheChartsHumidityUnit) {
    Chart chart;
    auto data = std::make_shared<MeasuredData>();
    DataSet s;
    s.name = "room";
    s.density = true;
    const double h = V_DBAH2EN(20, 0.0073);
    s.points = std::vector<MeasuredPoint>(3, {20, 0.0073, h});
    data->sets.push_back(s);
    // Three hours in the one cell, five shades: each shade up to floor(3 × level / 5) hours,
    // 0 1 1 2 3, so the shades of 1, 2 and 3 hours; the cell is 1 g/kg(DA), written in the
    // chart's kg/kg(DA). In English the unit reads in English, the numbers as they are.
    const struct {
        Language language;
        std::string unit;
    } cases[] = {{Language::Japanese, " 時間/(1 °C × 0.001 kg/kg(DA))"},
                 {Language::English, " hours/(1 °C × 0.001 kg/kg(DA))"}};
    for (const auto& c : cases) {
        setLanguage(c.language);
        std::vector<std::string> legend;
        for (const RecordedOp& op : chart.paint(data).of(RecordedOp::Text))
            if (op.text.find("kg/kg(DA))") != std::string::npos) legend.push_back(op.text);
        setLanguage(Language::Japanese);
        EXPECT_EQ(legend, (std::vector<std::string>{"1" + c.unit, "2" + c.unit, "3" + c.unit}));
    }
    // On an IP chart the same cell is 1.8 °F × 7 gr/lb(DA) (1 K = 1.8 °F, 0.001 × 7000).
    Chart ip;
    ip.settings.units = UnitSystem::IP;
    FakeTextMetrics metrics;
    ASSERT_TRUE(constructChart(ip.settings, metrics, ip.frame, ip.table).ok());
    std::vector<std::string> legend;
    for (const RecordedOp& op : ip.paint(data).of(RecordedOp::Text))
        if (op.text.find("gr/lb(DA))") != std::string::npos) legend.push_back(op.text);
    const std::string unit = " 時間/(1.8 °F × 7 gr/lb(DA))";
    EXPECT_EQ(legend, (std::vector<std::string>{"1" + unit, "2" + unit, "3" + unit}));
}

TEST(DataDrawing, ZoneOutlineAndFillDrawnWithTheChart) {
    Chart chart;
    auto data = std::make_shared<MeasuredData>();
    Zone z = *presetZone("building-hygiene");
    z.colour = 0x00445566;
    z.filled = true;
    data->zones.push_back(z);
    const RecordingCanvas k = chart.paint(data);
    // The fill comes before the chart's lines, the outline after them.
    size_t firstFill = k.ops.size(), lastFill = 0, firstOutline = k.ops.size(),
           firstChartLine = k.ops.size();
    for (size_t i = 0; i < k.ops.size(); ++i) {
        const RecordedOp& op = k.ops[i];
        if (op.kind == RecordedOp::Fill && op.brushColour == tint(0x00445566, 0.18))
            firstFill = std::min(firstFill, i), lastFill = i;
        if (op.kind == RecordedOp::Line && op.penColour == 0x00445566)
            firstOutline = std::min(firstOutline, i);
        else if (op.kind == RecordedOp::Line)
            firstChartLine = std::min(firstChartLine, i);
    }
    ASSERT_LT(firstFill, k.ops.size());
    EXPECT_LT(lastFill, firstChartLine);
    ASSERT_LT(firstOutline, k.ops.size());
    EXPECT_GT(firstOutline, firstChartLine);
    // The outline passes through the 70 % point at 23 °C (on the upper edge): some outline
    // segment comes within a pixel of it.
    double rh = 70, db = 23, x = 0;
    MoistekClass m;
    ASSERT_EQ(m.F_DBRH2AH(db, rh, x), 1);
    const ChartPoint top = chart.frame.map(V_DBAH2EN(23, x), x);
    double nearest = 1e9;
    for (const RecordedOp& op : k.of(RecordedOp::Line)) {
        if (op.penColour != 0x00445566) continue;
        for (int end = 0; end < 2; ++end)
            nearest =
                std::min(nearest, std::hypot(op.v[2 * end] - top.x, op.v[2 * end + 1] - top.y));
    }
    EXPECT_LT(nearest, 2.0);
    // The name is written in the zone's colour.
    bool named = false;
    for (const RecordedOp& op : k.of(RecordedOp::Text))
        named = named || (op.text == z.name && op.fontColour == 0x00445566);
    EXPECT_TRUE(named);
}

// Zone names are moved up clear of the names drawn before them: one above the other when they
// would overlap, left where they are when they only touch or lie apart.
TEST(DataDrawing, ZoneNamesKeptApart) {
    struct Case {
        const char* what;
        std::vector<LabelBox> placed;
        LabelBox wanted;
        int top;  // where it is drawn
    };
    const Case cases[] = {
        {"nothing drawn yet", {}, {100, 200, 80, 12}, 200},
        {"the same place: 2 px above the other", {{100, 200, 80, 12}}, {100, 200, 80, 12}, 186},
        {"half a line lower: still above it", {{100, 200, 80, 12}}, {150, 206, 80, 12}, 186},
        {"touching on the right", {{100, 200, 80, 12}}, {180, 200, 40, 12}, 200},
        {"touching below", {{100, 200, 80, 12}}, {100, 212, 80, 12}, 212},
        // Out of the first into the second, then above both.
        {"two stacked", {{100, 200, 80, 12}, {100, 186, 80, 12}}, {120, 200, 30, 12}, 172},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const LabelBox b = clearOf(c.placed, c.wanted);
        EXPECT_EQ(b.top, c.top);
        EXPECT_EQ(b.left, c.wanted.left);
        EXPECT_EQ(b.width, c.wanted.width);
    }
}
