// The metafiles the writers produce, played back by walkers written from the published record
// formats: record sizes, the object table's lifetimes, raster operations, pens, brushes, fonts and
// text records as a reader sees them.
#include <gtest/gtest.h>

#include <numeric>

#include "chart/construction.h"
#include "text/cp932.h"
#include "metafile/emf_canvas.h"
#include "metafile/metafile_export.h"
#include "metafile/wmf_canvas.h"
#include "metafile_walk.h"

using namespace humidraw;
using namespace humidraw::testing;

namespace {

std::string errorsOf(const Walk& w) {
    std::string out;
    for (const auto& e : w.errors) out += e + "\n";
    return out;
}

std::vector<Drawn> drawnAs(const Walk& w, const std::string& what) {
    std::vector<Drawn> out;
    for (const Drawn& d : w.drawn)
        if (d.what == what) out.push_back(d);
    return out;
}

// The same drawing on either writer: pen modes, pens, brushes, fonts, texts.
void drawEverything(MetafileCanvas& k) {
    k.setPenColour(0x0000FF);
    k.setPenWidth(2);
    k.moveTo(0, 0);
    k.lineTo(10, 0);  // copy
    k.setPenMode(PenMode::NotXor);
    k.lineTo(10, 10);
    k.setPenMode(PenMode::Black);
    k.lineTo(0, 10);
    k.setPenMode(PenMode::Copy);
    for (Colour c : {0x00FF00u, 0xFF0000u, 0x00FF00u, 0x123456u}) {
        k.setPenColour(c);
        k.setPenStyle(c == 0xFF0000u ? PenStyle::Dot : PenStyle::DashDot);
        k.lineTo(static_cast<int>(c % 97), 20);
    }
    k.setBrushSolid(0x00FFFF);
    k.ellipse(1, 2, 3, 4);
    k.setBrushClear();
    k.arc(10, 20, 30, 40, 10, 30, 20, 40);
    k.fillRect(5, 6, 7, 8);
    for (int height : {12, 15, 12}) {
        k.setFont("ＭＳ Ｐゴシック", height, height == 15 ? 900 : 0);
        k.setFontColour(static_cast<Colour>(height));
        k.textOut(3, height, "h=12");
    }
    k.lineTo(50, 50);  // the line's own pen again after the rectangle's outline
}

}  // namespace

TEST(MetafileWalk, EveryObjectCreatedBeforeUseAndDeletedUnselected) {
    EmfCanvas emf(100, 100, fixedTextMeasure);
    drawEverything(emf);
    const Walk e = walkEmf(emf.finish());
    EXPECT_TRUE(e.errors.empty()) << errorsOf(e);
    // Pens: red, black (black mode), green, blue, green, 0x123456, the rectangle's yellow
    // outline, 0x123456 again; brushes: solid yellow, clear, the rectangle's solid yellow;
    // fonts: 12, 15, 12.
    EXPECT_EQ(e.created, 8 + 3 + 3);
    // One logical unit a pixel (MM_TEXT 1), texts on a clear background (TRANSPARENT 1), placed
    // by their top-left corner and leaving the current position alone (TA_TOP | TA_LEFT |
    // TA_NOUPDATECP, 0).
    EXPECT_EQ(e.mapMode, 1);
    EXPECT_EQ(e.backgroundMode, 1);
    EXPECT_EQ(e.textAlign, 0);
    EXPECT_LE(e.maxLive, 4) << "two of a kind only while one replaces the other";
    WmfCanvas wmf(100, 100, fixedTextMeasure);
    drawEverything(wmf);
    const Walk w = walkWmf(wmf.finish());
    EXPECT_TRUE(w.errors.empty()) << errorsOf(w);
    EXPECT_EQ(w.created, 8 + 3 + 3);
    EXPECT_EQ(w.backgroundMode, 1);
    EXPECT_EQ(w.textAlign, 0);
    EXPECT_LE(w.maxLive, 4);
}

TEST(MetafileWalk, RasterOperationAndPenOfEachLine) {
    EmfCanvas emf(100, 100, fixedTextMeasure);
    drawEverything(emf);
    WmfCanvas wmf(100, 100, fixedTextMeasure);
    drawEverything(wmf);
    for (const Walk& w : {walkEmf(emf.finish()), walkWmf(wmf.finish())}) {
        const auto lines = drawnAs(w, "line");
        ASSERT_EQ(lines.size(), 8u);
        EXPECT_EQ(lines[0].rop, R2_COPYPEN);
        EXPECT_EQ(lines[0].pen.colour, 0x0000FFu);
        EXPECT_EQ(lines[0].pen.width, 2);
        EXPECT_EQ(lines[0].pen.style, 0u) << "PS_SOLID";
        EXPECT_EQ(lines[1].rop, R2_NOTXORPEN);
        EXPECT_EQ(lines[1].pen.colour, 0x0000FFu);
        EXPECT_EQ(lines[2].rop, R2_COPYPEN) << "black mode copies a black pen";
        EXPECT_EQ(lines[2].pen.colour, 0u);
        EXPECT_EQ(lines[3].rop, R2_COPYPEN);
        EXPECT_EQ(lines[3].pen.colour, 0x00FF00u);
        EXPECT_EQ(lines[3].pen.style, 3u) << "PS_DASHDOT";
        EXPECT_EQ(lines[4].pen.colour, 0xFF0000u);
        EXPECT_EQ(lines[4].pen.style, 2u) << "PS_DOT";
        EXPECT_EQ(lines[6].pen.colour, 0x123456u);
    }
}

TEST(MetafileWalk, BrushesOfShapesAndFilledRectangles) {
    EmfCanvas emf(100, 100, fixedTextMeasure);
    drawEverything(emf);
    WmfCanvas wmf(100, 100, fixedTextMeasure);
    drawEverything(wmf);
    for (const Walk& w : {walkEmf(emf.finish()), walkWmf(wmf.finish())}) {
        const auto ellipses = drawnAs(w, "ellipse"), arcs = drawnAs(w, "arc");
        const auto rects = drawnAs(w, "rectangle");
        ASSERT_EQ(ellipses.size(), 1u);
        ASSERT_EQ(arcs.size(), 1u);
        ASSERT_EQ(rects.size(), 1u);
        EXPECT_TRUE(ellipses[0].brushSolid);
        EXPECT_EQ(ellipses[0].brushColour, 0x00FFFFu);
        EXPECT_FALSE(arcs[0].brushSolid);
        // A filled rectangle: solid in the brush colour, outlined in the same colour.
        EXPECT_TRUE(rects[0].brushSolid);
        EXPECT_EQ(rects[0].brushColour, 0x00FFFFu);
        EXPECT_EQ(rects[0].pen.colour, 0x00FFFFu);
        EXPECT_EQ(rects[0].pen.width, 0);
        // The pen comes back afterwards.
        EXPECT_EQ(drawnAs(w, "line").back().pen.colour, 0x123456u);
    }
}

TEST(MetafileWalk, EmfTextRecordsCarryUnitsAdvancesAndFont) {
    EmfCanvas k(200, 100, fixedTextMeasure);
    k.setFont("ＭＳ Ｐゴシック", 15, 450);
    k.setFontColour(0x0000FF);
    // Three wide characters (15 each), a space and a 'v' (7.5 each) and one wide character
    // beyond the BMP (15, two UTF-16 units): 45 + 15 + 15 = 75 pixels.
    k.textOut(7, 9, "比容積 v\U00020BB7");
    const Walk w = walkEmf(k.finish());
    EXPECT_TRUE(w.errors.empty()) << errorsOf(w);
    const auto texts = drawnAs(w, "text");
    ASSERT_EQ(texts.size(), 1u);
    const Drawn& t = texts[0];
    EXPECT_EQ(t.text, u"比容積 v\U00020BB7");
    EXPECT_EQ(t.at, (std::vector<int32_t>{7, 9}));
    EXPECT_EQ(t.bounds[0], 7);
    EXPECT_EQ(t.bounds[1], 9);
    EXPECT_EQ(t.bounds[2], 7 + 75);
    EXPECT_EQ(t.bounds[3], 9 + 15);
    // Each unit's advance between the rounded ends 15, 30, 45, 52.5 → 53, 60, 75; the second
    // unit of the pair advances by nothing.
    EXPECT_EQ(t.dx, (std::vector<int32_t>{15, 15, 15, 8, 7, 15, 0}));
    EXPECT_EQ(t.font.height, -15) << "a character height";
    EXPECT_EQ(t.font.escapement, 450);
    EXPECT_EQ(t.font.orientation, 450);
    EXPECT_EQ(t.font.weight, 400);
    EXPECT_EQ(t.font.charset, 128) << "SHIFTJIS_CHARSET";
    EXPECT_EQ(t.font.face, u"ＭＳ Ｐゴシック");
    EXPECT_EQ(t.textColour, 0x0000FFu);
    EXPECT_EQ(t.graphicsMode, 1u) << "GM_COMPATIBLE";
    // A 96-dpi pixel in 0.01 mm: 25.4 mm / 96 × 100 = 26.4583.
    EXPECT_NEAR(t.scale[0], 26.4583, 1e-4);
    EXPECT_NEAR(t.scale[1], 26.4583, 1e-4);
}

TEST(MetafileWalk, WmfTextRecordsCarryBytesPositionAndFont) {
    WmfCanvas k(200, 100, fixedTextMeasure);
    k.setFont("ＭＳ Ｐゴシック", 15, 900);
    k.setFontColour(0x00FF00);
    k.textOut(5, 6, "WB[%]");
    k.textOut(7, 8, "odd");  // odd length: padded to a whole word
    const Walk w = walkWmf(k.finish());
    EXPECT_TRUE(w.errors.empty()) << errorsOf(w);
    const auto texts = drawnAs(w, "text");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, u"WB[%]");
    EXPECT_EQ(texts[0].at, (std::vector<int32_t>{6, 5})) << "y, x";
    EXPECT_EQ(texts[1].text, u"odd");
    EXPECT_EQ(texts[1].at, (std::vector<int32_t>{8, 7}));
    EXPECT_EQ(texts[0].font.height, -15);
    EXPECT_EQ(texts[0].font.escapement, 900);
    EXPECT_EQ(texts[0].font.weight, 400);
    EXPECT_EQ(texts[0].font.charset, 128);
    EXPECT_EQ(texts[0].font.face, u"MS PGothic");
    EXPECT_EQ(texts[0].textColour, 0x00FF00u);
}

TEST(MetafileWalk, WmfWindowIsTheSheetAndUnencodableCharactersBecomeQuestionMarks) {
    WmfCanvas k(1200, 900, fixedTextMeasure);
    // A Latin letter with an accent and an emoji have no CP932 code; kana and kanji do.
    k.textOut(1, 2, "a\u00E9\U0001F600bあ乾");
    const Walk w = walkWmf(k.finish());
    EXPECT_TRUE(w.errors.empty()) << errorsOf(w);
    EXPECT_EQ(w.windowOrg[0], 0);
    EXPECT_EQ(w.windowOrg[1], 0);
    EXPECT_EQ(w.windowExt[0], 1200);
    EXPECT_EQ(w.windowExt[1], 900);
    const auto texts = drawnAs(w, "text");
    ASSERT_EQ(texts.size(), 1u);
    const auto kana = utf8ToCp932("あ乾");
    ASSERT_TRUE(kana);
    std::u16string expected = u"a??b";
    for (char c : *kana) expected.push_back(static_cast<unsigned char>(c));
    EXPECT_EQ(texts[0].text, expected);
}

TEST(MetafileWalk, WmfTextLongerThanARecordIsCutAtAWholeCharacter) {
    // 20000 double-byte characters are 40000 bytes, more than one record may hold: the record
    // keeps 32000 bytes, 16000 whole characters, a length a 16-bit field holds.
    std::string text;
    for (int i = 0; i < 20000; ++i) text += "あ";
    WmfCanvas k(200, 100, fixedTextMeasure);
    k.textOut(1, 2, text);
    const Walk w = walkWmf(k.finish());
    EXPECT_TRUE(w.errors.empty()) << errorsOf(w);
    const auto texts = drawnAs(w, "text");
    ASSERT_EQ(texts.size(), 1u);
    ASSERT_EQ(texts[0].text.size(), 32000u);
    for (size_t i = 0; i < texts[0].text.size(); i += 2) {
        ASSERT_EQ(texts[0].text[i], 0x82) << i;  // あ is 82 A0 in CP932
        ASSERT_EQ(texts[0].text[i + 1], 0xA0) << i;
    }
}

TEST(MetafileWalk, WholeChartWithObjectsPlaysBackInBothFormats) {
    ChartSettings s;
    FakeTextMetrics m;
    ChartFrame f;
    ChartTable t;
    ASSERT_TRUE(constructChart(s, m, f, t).ok());
    ObjectTable objects;
    for (int style = 0; style < 5; ++style) {
        ObjectRecord line;
        line.kind = kLineBothMarkers + style % 4;
        line.colour = style;
        line.width = style;
        line.style = style;
        line.h1 = 5 + style, line.x1 = 0.005, line.h2 = 15, line.x2 = 0.012;
        objects.append(line);
    }
    ObjectRecord label;
    label.kind = kTextObject;
    label.h1 = 12, label.x1 = 0.01;
    label.text = "A";
    objects.append(label);
    ObjectRecord row;
    row.kind = kTableRow;
    row.text = "A,26.0,50.0,18.7,12.63,0.0105";
    objects.append(row);
    const Walk e = walkEmf(metafileBytes(MetafileFormat::Enhanced, f, t, objects, s,
                                         fixedTextMeasure, fixedCharAdvances));
    EXPECT_TRUE(e.errors.empty()) << errorsOf(e);
    const Walk w =
        walkWmf(metafileBytes(MetafileFormat::Placeable, f, t, objects, s, fixedTextMeasure));
    EXPECT_TRUE(w.errors.empty()) << errorsOf(w);
    for (const Walk* walk : {&e, &w}) {
        const auto texts = drawnAs(*walk, "text");
        EXPECT_GT(texts.size(), 150u);
        bool labelSeen = false;
        for (const Drawn& d : texts) labelSeen = labelSeen || d.text == u"A";
        EXPECT_TRUE(labelSeen);
        for (const Drawn& d : walk->drawn) EXPECT_EQ(d.rop, R2_COPYPEN) << d.what;
    }
    for (const Drawn& d : drawnAs(e, "text")) {
        ASSERT_EQ(d.dx.size(), d.text.size());
        EXPECT_EQ(std::accumulate(d.dx.begin(), d.dx.end(), 0), d.bounds[2] - d.bounds[0]);
    }
}
