#include "chart/style_line.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "support/recording_canvas.h"

using namespace humidraw;

namespace {

struct Piece {
    int x0, x1;
};

std::vector<Piece> drawnPieces(const RecordingCanvas& k) {
    std::vector<Piece> out;
    for (const auto& op : k.of(RecordedOp::Line)) out.push_back({op.v[0], op.v[2]});
    return out;
}

}  // namespace

TEST(StyleLine, SolidIsOneLinePerCall) {
    RecordingCanvas k;
    TStyleLine s;
    s.canvas = &k;
    s.setStyle(1);
    s.moveTo(0, 0);
    s.lineTo(100, 50);
    s.lineTo(0, 0);
    ASSERT_EQ(k.of(RecordedOp::Line).size(), 2u);
}

TEST(StyleLine, PatternCarriesAcrossLineTo) {
    RecordingCanvas k;
    TStyleLine s;
    s.canvas = &k;
    s.setPattern({8, 4, 0});
    s.moveTo(0, 0);
    s.lineTo(30, 0);
    auto pieces = drawnPieces(k);
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0].x0, 0);
    EXPECT_EQ(pieces[0].x1, 8);
    EXPECT_EQ(pieces[1].x0, 12);
    EXPECT_EQ(pieces[1].x1, 20);
    EXPECT_EQ(pieces[2].x0, 24);
    EXPECT_EQ(pieces[2].x1, 30);
    EXPECT_EQ(s.segmentIndex(), 1);
    EXPECT_EQ(s.segmentOffset(), 7);
    // 2 more pixels of dash, a gap of 4, then 4 of the next dash.
    s.lineTo(40, 0);
    pieces = drawnPieces(k);
    ASSERT_EQ(pieces.size(), 5u);
    EXPECT_EQ(pieces[3].x0, 30);
    EXPECT_EQ(pieces[3].x1, 32);
    EXPECT_EQ(pieces[4].x0, 36);
    EXPECT_EQ(pieces[4].x1, 40);
    // Move to restarts with a drawn entry.
    s.moveTo(0, 10);
    EXPECT_EQ(s.segmentIndex(), 1);
    EXPECT_EQ(s.segmentOffset(), 1);
    s.lineTo(5, 10);
    EXPECT_EQ(drawnPieces(k).back().x0, 0);
}

TEST(StyleLine, PatternScaledByResolution) {
    RecordingCanvas k(600);
    TStyleLine s;
    s.canvas = &k;
    s.setPattern({1, 3, 0});
    EXPECT_EQ(s.pattern(), (std::vector<int>{6, 19}));
    s.setPattern({5, 2, 7, 0, 9});
    EXPECT_EQ(s.pattern(), (std::vector<int>{31, 13})) << "odd count rounded down to even";
    RecordingCanvas screen(96);
    TStyleLine t;
    t.canvas = &screen;
    t.setWidth(2);
    t.setStyle(2);
    EXPECT_EQ(t.pattern(), (std::vector<int>{5, 7}));  // 4 × 96/72, 5 × 96/72
    t.setStyle(5);
    EXPECT_EQ(t.pattern().size(), 6u);
}

TEST(StyleLine, EveryBuiltInPatternAtTwoResolutions) {
    // Lengths in points turned into pixels (× dpi / 72, rounded): 4, 12 and 24 points, and the
    // pen width plus 3 or plus 7 points.
    RecordingCanvas screen(96);  // 96 / 72 = 1.333… pixels a point
    TStyleLine t;
    t.canvas = &screen;
    t.setWidth(2);  // 2 + 3 = 5 pt → 6.67 → 7 px; 2 + 7 = 9 pt → 12 px
    t.setStyle(3);  // 24 pt → 32 px
    EXPECT_EQ(t.pattern(), (std::vector<int>{32, 12}));
    t.setStyle(4);  // 12 pt → 16 px, 4 pt → 5.33 → 5 px
    EXPECT_EQ(t.pattern(), (std::vector<int>{16, 12, 5, 12}));
    t.setStyle(5);
    EXPECT_EQ(t.pattern(), (std::vector<int>{16, 7, 5, 7, 5, 7}));
    RecordingCanvas printer(600);  // 600 / 72 = 8.333… pixels a point
    TStyleLine p;
    p.canvas = &printer;
    p.setWidth(1);  // 1 + 3 = 4 pt → 33.3 → 33 px; 1 + 7 = 8 pt → 66.7 → 67 px
    p.setStyle(2);
    EXPECT_EQ(p.pattern(), (std::vector<int>{33, 33}));
    p.setStyle(3);  // 24 pt → 200 px
    EXPECT_EQ(p.pattern(), (std::vector<int>{200, 67}));
    p.setStyle(4);  // 12 pt → 100 px
    EXPECT_EQ(p.pattern(), (std::vector<int>{100, 67, 33, 67}));
}

TEST(StyleLine, ZeroLengthAndWidthsAndPenState) {
    RecordingCanvas k;
    TStyleLine s;
    s.canvas = &k;
    s.setWidth(0);
    EXPECT_EQ(s.width(), 1);
    s.setWidth(3);
    s.setPattern({8, 4, 0});
    s.moveTo(5, 5);
    s.lineTo(5, 5);
    EXPECT_TRUE(k.of(RecordedOp::Line).empty());
    s.lineTo(5, 30);
    const auto lines = k.of(RecordedOp::Line);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0].penWidth, 3);
    EXPECT_EQ(lines[0].penStyle, PenStyle::Solid);
    // Diagonal: pieces end on rounded points along the line.
    RecordingCanvas d;
    TStyleLine u;
    u.canvas = &d;
    u.setPattern({10, 10, 0});
    u.moveTo(0, 0);
    u.lineTo(30, 40);  // length 50
    const auto diag = d.of(RecordedOp::Line);
    ASSERT_EQ(diag.size(), 3u);
    EXPECT_EQ(diag[0].v[2], 6);
    EXPECT_EQ(diag[0].v[3], 8);
    EXPECT_EQ(diag[2].v[2], 30);
    EXPECT_EQ(diag[2].v[3], 40);
}

TEST(ClipSegment, PartsInsideAnArea) {
    const PixelArea a{0, 0, 100, 50};
    struct Case {
        double x0, y0, x1, y1;
        bool any;
        double cx0, cy0, cx1, cy1, skipped;
    } const cases[] = {
        {10, 10, 20, 20, true, 10, 10, 20, 20, 0},               // inside: unchanged
        {-50, 25, 150, 25, true, 0, 25, 100, 25, 50},            // across, both edges
        {-100, -100, 200, 200, true, 0, 0, 50, 50, 141.421356},  // corner in, bottom out: 100√2
        {-10, -10, -5, 60, false, 0, 0, 0, 0, 0},                // left of the area
        {10, 10, -1e300, 5, true, 10, 10, 0, 10, 0},             // slope 5e-300: y stays 10
        {-1e300, 25, 1e300, 25, true, 0, 25, 100, 25, 1e300},    // both ends far
        {50, 25, 50, 1e300, true, 50, 25, 50, 50, 0},
        {0, 10, 0, 40, true, 0, 10, 0, 40, 0},          // along the left edge: on it, inside
        {10, 50, 90, 50, true, 10, 50, 90, 50, 0},      // along the bottom edge
        {10, 0.5, 90, 0.5, true, 10, 0.5, 90, 0.5, 0},  // half a pixel below the top edge
    };
    for (const Case& c : cases) {
        const auto part = clipSegment(a, c.x0, c.y0, c.x1, c.y1);
        ASSERT_EQ(part.has_value(), c.any) << c.x0 << " " << c.y0;
        if (!part) continue;
        EXPECT_NEAR(part->x0, c.cx0, 1e-9);
        EXPECT_NEAR(part->y0, c.cy0, 1e-9);
        EXPECT_NEAR(part->x1, c.cx1, 1e-9);
        EXPECT_NEAR(part->y1, c.cy1, 1e-9);
        EXPECT_NEAR(part->skipped, c.skipped, 1e-6 * std::max(1.0, c.skipped));
    }
    const double nan = std::nan(""), inf = HUGE_VAL;
    EXPECT_FALSE(clipSegment(a, nan, 10, 20, 20));
    EXPECT_FALSE(clipSegment(a, 10, 10, 20, inf));
}

TEST(StyleLine, DrawnWithinAnAreaKeepingThePhase) {
    // Inside the area: exactly what moveTo and lineTo draw.
    RecordingCanvas plain, within;
    plain.recordMoves = within.recordMoves = true;
    for (RecordingCanvas* k : {&plain, &within}) {
        TStyleLine s;
        s.canvas = k;
        s.setPattern({8, 4, 0});
        if (k == &plain) {
            s.moveTo(3, 7);
            s.lineTo(90, 41);
        } else {
            s.drawWithin({0, 0, 100, 50}, 3.9, 7.2, 90.5, 41.99);
        }
    }
    ASSERT_EQ(plain.ops.size(), within.ops.size());
    for (size_t i = 0; i < plain.ops.size(); ++i)
        EXPECT_TRUE(std::equal(plain.ops[i].v, plain.ops[i].v + 4, within.ops[i].v)) << i;

    // From x = -1000 with dashes of 8 and gaps of 4: 1000 = 83 × 12 + 4, so at x = 0 the walk
    // is 4 pixels into a dash: dashes 0–4, 8–16, 20–28, then a gap to 30.
    RecordingCanvas k;
    TStyleLine s;
    s.canvas = &k;
    s.setPattern({8, 4, 0});
    s.drawWithin({0, -10, 100, 10}, -1000, 0, 30, 0);
    const auto pieces = drawnPieces(k);
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0].x0, 0);
    EXPECT_EQ(pieces[0].x1, 4);
    EXPECT_EQ(pieces[1].x0, 8);
    EXPECT_EQ(pieces[1].x1, 16);
    EXPECT_EQ(pieces[2].x0, 20);
    EXPECT_EQ(pieces[2].x1, 28);
}

TEST(StyleLine, WorkBoundedByTheAreaWhateverTheCoordinates) {
    // Dashes of 1 and gaps of 3 across a 640-pixel area: at most 640 / 4 = 160 dashes, plus
    // the start of one more at the edge, however far the ends lie.
    for (double far : {1e4, 1e9, 1e300}) {
        RecordingCanvas k;
        k.recordMoves = true;
        TStyleLine s;
        s.canvas = &k;
        s.setPattern({1, 3, 0});
        s.drawWithin({0, 0, 640, 480}, 320, 240, -far, 240);
        s.drawWithin({0, 0, 640, 480}, -far, 240, far, 240);
        EXPECT_LE(k.of(RecordedOp::Line).size(), 80u + 1 + 160 + 1) << far;
        EXPECT_GE(k.of(RecordedOp::Line).size(), 80u + 160) << far;
    }
    RecordingCanvas k;
    TStyleLine s;
    s.canvas = &k;
    s.setPattern({1, 3, 0});
    s.drawWithin({0, 0, 640, 480}, 320, 240, std::nan(""), 240);
    EXPECT_TRUE(k.ops.empty()) << "a point that is no number draws nothing";
}

TEST(StyleLine, LinesShorterThanTheRestOfAnEntryKeepThePattern) {
    // Pattern 8 drawn, 4 skipped, walked by short line-to calls along y = 0.
    RecordingCanvas k;
    TStyleLine s;
    s.canvas = &k;
    s.setPattern({8, 4, 0});
    s.moveTo(0, 0);
    s.lineTo(3, 0);  // 3 of the dash: 5 left
    EXPECT_EQ(s.segmentIndex(), 1);
    EXPECT_EQ(s.segmentOffset(), 4);
    s.lineTo(5, 0);  // 2 more, shorter than the 5 left: 3 left
    EXPECT_EQ(s.segmentIndex(), 1);
    EXPECT_EQ(s.segmentOffset(), 6);
    s.lineTo(10, 0);  // the dash's last 3 (to 8), then 2 of the gap
    EXPECT_EQ(s.segmentIndex(), 2);
    EXPECT_EQ(s.segmentOffset(), 3);
    s.lineTo(11, 0);  // 1 of the gap's last 2: nothing drawn
    EXPECT_EQ(s.segmentIndex(), 2);
    EXPECT_EQ(s.segmentOffset(), 4);
    s.lineTo(15, 0);  // the gap's last 1 (to 12), then 3 of the next dash
    EXPECT_EQ(s.segmentIndex(), 1);
    EXPECT_EQ(s.segmentOffset(), 4);
    s.lineTo(30, 0);  // 5 of dash (to 20), gap to 24, 6 of the third dash
    const auto pieces = drawnPieces(k);
    std::vector<std::pair<int, int>> got;
    for (const Piece& p : pieces) got.push_back({p.x0, p.x1});
    EXPECT_EQ(got, (std::vector<std::pair<int, int>>{
                       {0, 3}, {3, 5}, {5, 8}, {12, 15}, {15, 20}, {24, 30}}));
}

TEST(StyleLine, BuiltInStylesWalkTheWholeLine) {
    // On a 96-dpi canvas with a pen of 1: 4 pt = 5.33 → 5, (1 + 3) pt = 5, 12 pt = 16 pixels.
    RecordingCanvas k;
    TStyleLine s;
    s.canvas = &k;
    s.setPattern({20, 20, 0});  // a pattern of another period before
    s.setStyle(5);              // 16 drawn, then 5 skipped and 5 drawn twice: a period of 41
    EXPECT_EQ(s.pattern(), (std::vector<int>{16, 5, 5, 5, 5, 5}));
    s.moveTo(0, 0);
    s.lineTo(100, 0);
    std::vector<std::pair<int, int>> got;
    for (const Piece& p : drawnPieces(k)) got.push_back({p.x0, p.x1});
    EXPECT_EQ(got, (std::vector<std::pair<int, int>>{
                       {0, 16}, {21, 26}, {31, 36}, {41, 57}, {62, 67}, {72, 77}, {82, 98}}));
    RecordingCanvas k2;
    s.canvas = &k2;
    s.setStyle(2);  // 5 drawn, 5 skipped: nine periods, a dash and 2 of a gap
    s.moveTo(0, 0);
    s.lineTo(97, 0);
    const auto pieces = drawnPieces(k2);
    ASSERT_EQ(pieces.size(), 10u);
    EXPECT_EQ(pieces.back().x0, 90);
    EXPECT_EQ(pieces.back().x1, 95);
}
