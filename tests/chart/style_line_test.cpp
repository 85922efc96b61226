#include "chart/style_line.h"

#include <gtest/gtest.h>

#include "chart/recording_canvas.h"

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
