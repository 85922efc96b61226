// Texts of the chart drawn turned: the font keeps its face and height and takes the angle, and the
// text is drawn on a clear background whatever brush was set before.
#include "chart/chart_paint.h"

#include <gtest/gtest.h>

#include "chart/recording_canvas.h"

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
