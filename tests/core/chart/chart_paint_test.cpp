// Texts of the chart drawn turned: the font keeps its face and height and takes the angle, and the
// text is drawn on a clear background whatever brush was set before.
#include "chart/chart_paint.h"

#include <gtest/gtest.h>

#include "chart/construction.h"
#include "support/recording_canvas.h"

using namespace humidraw;

TEST(ChartPaint, RotatedTextKeepsTheFontOnAClearBackground) {
    RecordingCanvas k;
    k.setFont("F", 11, 0);
    k.setBrushSolid(0x0000FF);
    drawRotatedText(k, 3, 4, 900, "RH");
    const auto texts = k.of(RecordedOp::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_FALSE(texts[0].brushSolid);
    EXPECT_EQ(texts[0].escapement, 900);
    EXPECT_EQ(texts[0].fontHeight, 11);
    EXPECT_EQ(texts[0].fontFace, "F");
    EXPECT_EQ(texts[0].v[0], 3);
    EXPECT_EQ(texts[0].v[1], 4);
}

TEST(RecordingCanvas, FilledRectangleKeepsItsEdgesInOrderAndTheBrush) {
    RecordingCanvas k;
    k.setBrushSolid(0x00FF00);
    k.fillRect(5, 6, 70, 80);
    const auto fills = k.of(RecordedOp::Fill);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].v[0], 5) << "left";
    EXPECT_EQ(fills[0].v[1], 6) << "top";
    EXPECT_EQ(fills[0].v[2], 70) << "right";
    EXPECT_EQ(fills[0].v[3], 80) << "bottom";
    EXPECT_TRUE(fills[0].brushSolid);
    EXPECT_EQ(fills[0].brushColour, 0x00FF00u);
}

// The pen style the chart leaves behind, read by drawing one more line after it, for every
// family shown, each one hidden and each one alone.
TEST(ChartPaint, PenStyleAfterTheElementsIsTheOneTheCanvasIsLeftWith) {
    ChartSettings s;
    FakeTextMetrics m;
    ChartFrame frame;
    ChartTable chart;
    ASSERT_TRUE(constructChart(s, m, frame, chart).ok());
    int notSolid = 0;
    for (int c = -1; c < 2 * kViewFlagCount; ++c) {
        s.view.fill(c < kViewFlagCount);
        if (c >= 0) s.view[c % kViewFlagCount] = c >= kViewFlagCount;
        for (PenStyle before : {PenStyle::Solid, PenStyle::DashDot}) {
            RecordingCanvas k;
            k.setPenStyle(before);
            paintElements(k, chart, s.view, ViewTransform{1.0});
            k.lineTo(1, 1);
            EXPECT_EQ(k.ops.back().penStyle, penStyleAfterElements(chart, s.view, before))
                << "case " << c;
            notSolid += k.ops.back().penStyle != PenStyle::Solid;
        }
    }
    EXPECT_GE(notSolid, 4) << "the dotted and dash-dotted families alone, and nothing shown";
}

// An arc's second record holds its ends, whatever its kind says: it sets no pen style.
TEST(ChartPaint, PenStyleAfterAnArcIgnoresItsSecondRecord) {
    ChartTable t;
    ChartElement arc;
    arc.kind = kShfArc;  // solid
    arc.c3 = arc.c4 = 10;
    ChartElement ends = arc;
    ends.kind =
        chartKind(kWetBulbFamily, kArc);  // read as a wet-bulb line it would leave a dotted pen
    ASSERT_TRUE(t.append(arc));
    ASSERT_TRUE(t.append(ends));
    std::array<bool, kViewFlagCount> view;
    view.fill(true);
    RecordingCanvas k;
    k.setPenStyle(PenStyle::DashDot);
    paintElements(k, t, view, ViewTransform{});
    k.lineTo(1, 1);
    EXPECT_EQ(k.ops.back().penStyle, PenStyle::Solid);
    EXPECT_EQ(penStyleAfterElements(t, view, PenStyle::DashDot), PenStyle::Solid);
}
