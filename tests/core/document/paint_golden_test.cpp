// The document's objects as painted, against a golden file written once and reviewed: line
// objects of every kind, colour, width and style with their markers, texts at every label
// position, and value-table rows, at two zooms and in both unit systems. The chart's own
// elements are left out (an empty element table) so the file holds only the objects.
#include <gtest/gtest.h>

#include "chart/construction.h"
#include "support/recording_canvas.h"
#include "document/attributes.h"
#include "document/paint.h"
#include "golden.h"

using namespace humidraw;
using humidraw::testing::goldenLine;
using humidraw::testing::goldenNumber;

namespace {

ObjectTable everyKindOfObject() {
    ObjectTable t;
    for (int i = 0; i < 14; ++i) {
        ObjectRecord r;
        r.kind = kLineBothMarkers + i % 4;
        r.colour = i;
        r.width = i % 5;
        r.style = (i / 2) % 5;
        r.h1 = 4 + i, r.x1 = 0.004 + 0.0005 * i;
        r.h2 = 9 + 1.5 * i, r.x2 = 0.012 - 0.0003 * i;
        t.append(r);
    }
    for (int position = 0; position < 8; ++position) {
        ObjectRecord r;
        r.kind = kTextObject;
        r.colour = position + 1;
        r.labelPosition = position;
        r.h1 = 12 + position, r.x1 = 0.008;
        r.text = "P" + std::to_string(position) + "乾";
        t.append(r);
    }
    for (const char* row : {"A,26.0,50.0,18.7,12.63,0.0105", "B,-1.0,60.0,-3.2,1.00,0.0021",
                            "C,32.0,27.8,18.9,,0.0082"}) {
        ObjectRecord r;
        r.kind = kTableRow;
        r.colour = kLabelColour;
        r.text = row;
        t.append(r);
    }
    return t;
}

std::string opLine(const RecordedOp& op) {
    std::vector<std::string> f = {std::to_string(static_cast<int>(op.kind))};
    for (int v : op.v) f.push_back(std::to_string(v));
    for (long v : {static_cast<long>(op.penColour), static_cast<long>(op.fontColour),
                   static_cast<long>(op.brushColour), static_cast<long>(op.brushSolid),
                   static_cast<long>(op.penWidth), static_cast<long>(op.penStyle),
                   static_cast<long>(op.penMode), static_cast<long>(op.fontHeight),
                   static_cast<long>(op.escapement)})
        f.push_back(std::to_string(v));
    f.push_back(op.text);
    return goldenLine(f);
}

std::string painted(bool si, double zoom, double offset) {
    ChartSettings s;
    s.units = si ? UnitSystem::SI : UnitSystem::Engineering;
    s.view[CB_OP] = true;
    FakeTextMetrics m;
    ChartFrame frame;
    ChartTable chart;
    EXPECT_TRUE(constructChart(s, m, frame, chart).ok());
    RecordingCanvas k;
    EXPECT_TRUE(
        paintChart(k, frame, ChartTable{}, everyKindOfObject(), s, ViewTransform{zoom, offset}));
    std::string out =
        goldenLine({"painted", si ? "si" : "kcal", goldenNumber(zoom), goldenNumber(offset)});
    for (const RecordedOp& op : k.ops) out += opLine(op);
    return out;
}

}  // namespace

// Reviewed by hand: the first object runs from (h, x) = (4, 0.004) to (9, 0.012). In the
// default frame (k1 = 34.090, θ = 38.123°, k1 / cos θ = 43.333, k2 = −10.4, OX = 104, OY = 408)
// its ends are X = (4 − 617.345 × 0.004) × 43.333 + 104 = 170.33, Y = 408 − 4 × 10.4 = 366.4
// and X = (9 − 617.345 × 0.012) × 43.333 + 104 = 172.98, Y = 408 − 12 × 10.4 = 283.2: the file's
// first line, 172 283 to 170 366, truncated to whole pixels.
TEST(PaintGolden, EveryKindOfObject) {
    std::string out = painted(false, 1.0, 0) + painted(false, 1.875, 10) + painted(true, 2.5, 0);
    humidraw::testing::expectMatchesGolden("core/document/golden/painted_objects.txt", out);
}

// The palette by the named colours of HTML and CSS, as 0x00BBGGRR.
TEST(PaintGolden, PaletteIsTheNamedColours) {
    const Colour named[14] = {
        0xFFFFFF,  // white   #FFFFFF
        0x0000FF,  // red     #FF0000
        0x00FFFF,  // yellow  #FFFF00
        0x00FF00,  // lime    #00FF00
        0xFFFF00,  // aqua    #00FFFF
        0xFF0000,  // blue    #0000FF
        0xFF00FF,  // fuchsia #FF00FF
        0x000000,  // black   #000000
        0x000080,  // maroon  #800000
        0x008080,  // olive   #808000
        0x008000,  // green   #008000
        0x808000,  // teal    #008080
        0x800000,  // navy    #000080
        0x800080,  // purple  #800080
    };
    for (int i = 0; i < 14; ++i) EXPECT_EQ(paletteColour(i), named[i]) << i;
    EXPECT_EQ(paletteColour(-1), 0u);
    EXPECT_EQ(paletteColour(14), 0u);
}

// The chart's last texts are turned (the protractor's, the scales'); the document's texts after
// them are drawn unturned.
TEST(PaintGolden, ObjectTextsUnturnedAfterTheChartsTurnedTexts) {
    ChartSettings s;
    FakeTextMetrics m;
    ChartFrame frame;
    ChartTable chart;
    ASSERT_TRUE(constructChart(s, m, frame, chart).ok());
    ObjectTable objects;
    ObjectRecord r;
    r.kind = kTextObject;
    r.h1 = 12, r.x1 = 0.008;
    r.text = "label";
    objects.append(r);
    RecordingCanvas k;
    ASSERT_TRUE(paintChart(k, frame, chart, objects, s, ViewTransform{1.0}));
    const auto texts = k.of(RecordedOp::Text);
    ASSERT_FALSE(texts.empty());
    ASSERT_GE(texts.size(), 2u);
    EXPECT_NE(texts[texts.size() - 2].escapement, 0) << "the chart's last text is turned";
    EXPECT_EQ(texts.back().text, "label");
    EXPECT_EQ(texts.back().escapement, 0);
}
