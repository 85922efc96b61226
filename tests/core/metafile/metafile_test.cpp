// The metafiles we write, parsed back record by record: readers that rescale the drawing cannot
// tell a right position from a wrong one, so positions, pens, fonts and text bytes are checked
// here.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <vector>

#include "chart/construction.h"
#include "metafile/emf_canvas.h"
#include "metafile/metafile_export.h"
#include "metafile/wmf_canvas.h"
#include "text/cp932.h"

using namespace humidraw;

namespace {

template <typename T>
T at(const std::string& b, size_t offset) {
    T v;
    std::memcpy(&v, b.data() + offset, sizeof v);
    return v;
}

struct Record {
    uint32_t type;
    std::string body;  // after type and size (EMF) or size and function (WMF)
    int32_t i32(size_t k) const { return at<int32_t>(body, 4 * k); }
    int16_t i16(size_t k) const { return at<int16_t>(body, 2 * k); }
};

std::vector<Record> emfRecords(const std::string& b) {
    std::vector<Record> out;
    size_t pos = 0;
    while (pos + 8 <= b.size()) {
        const uint32_t type = at<uint32_t>(b, pos), size = at<uint32_t>(b, pos + 4);
        EXPECT_GE(size, 8u);
        EXPECT_EQ(size % 4, 0u);
        if (size < 8 || pos + size > b.size()) break;
        out.push_back({type, b.substr(pos + 8, size - 8)});
        pos += size;
    }
    EXPECT_EQ(pos, b.size());
    return out;
}

std::vector<Record> wmfRecords(const std::string& b) {
    std::vector<Record> out;
    size_t pos = 22 + 18;
    while (pos + 6 <= b.size()) {
        const uint32_t words = at<uint32_t>(b, pos);
        const uint16_t function = at<uint16_t>(b, pos + 4);
        if (words < 3 || pos + 2 * words > b.size()) break;
        out.push_back({function, b.substr(pos + 6, 2 * words - 6)});
        pos += 2 * words;
    }
    EXPECT_EQ(pos, b.size());
    return out;
}

std::u16string utf16Of(const std::string& utf8) {
    std::u16string s;
    for (char32_t c : decodeUtf8(utf8)) s.push_back(static_cast<char16_t>(c));
    return s;
}

}  // namespace

TEST(EmfCanvas, HeaderBoundsFrameAndCounts) {
    EmfCanvas k(1200, 900, fixedTextMeasure);
    k.moveTo(10, 20);
    k.lineTo(30, 40);
    const std::string b = k.finish();
    const auto records = emfRecords(b);
    ASSERT_FALSE(records.empty());
    const Record& h = records.front();
    EXPECT_EQ(h.type, EmfCanvas::EMR_HEADER);
    EXPECT_EQ(h.i32(0), 0);
    EXPECT_EQ(h.i32(2), 1199) << "bounds, inclusive";
    EXPECT_EQ(h.i32(3), 899);
    EXPECT_EQ(h.i32(6), 31750) << "frame: 1200 px at 96 dpi in 0.01 mm";
    EXPECT_EQ(h.i32(7), 23812);
    EXPECT_EQ(at<uint32_t>(b, 40), 0x464D4520u);
    EXPECT_EQ(at<uint32_t>(b, 48), b.size());
    EXPECT_EQ(at<uint32_t>(b, 52), records.size());
    EXPECT_EQ(records.back().type, EmfCanvas::EMR_EOF);
}

TEST(EmfCanvas, PenSelectedBeforeTheFirstLine) {
    EmfCanvas k(100, 100, fixedTextMeasure);
    k.setPenColour(0x0000FF);
    k.setPenWidth(3);
    k.setPenStyle(PenStyle::Dot);
    k.moveTo(1, 2);
    k.lineTo(3, 4);
    k.lineTo(5, 6);  // continues from the pen position: no second move
    const auto r = emfRecords(k.finish());
    std::vector<uint32_t> types;
    for (const auto& x : r) types.push_back(x.type);
    const auto find = [&](uint32_t t) {
        return std::find(types.begin(), types.end(), t) - types.begin();
    };
    const auto pen = find(EmfCanvas::EMR_CREATEPEN);
    ASSERT_LT(pen, find(EmfCanvas::EMR_SELECTOBJECT));
    ASSERT_LT(find(EmfCanvas::EMR_SELECTOBJECT), find(EmfCanvas::EMR_LINETO));
    EXPECT_EQ(r[pen].i32(1), 2) << "PS_DOT";
    EXPECT_EQ(r[pen].i32(2), 3) << "width";
    EXPECT_EQ(r[pen].i32(4), 0x0000FF);
    EXPECT_EQ(std::count(types.begin(), types.end(), EmfCanvas::EMR_MOVETOEX), 1);
    EXPECT_EQ(std::count(types.begin(), types.end(), EmfCanvas::EMR_LINETO), 2);
    const Record& move = r[find(EmfCanvas::EMR_MOVETOEX)];
    EXPECT_EQ(move.i32(0), 1);
    EXPECT_EQ(move.i32(1), 2);
}

TEST(EmfCanvas, FontAndUtf16Text) {
    EmfCanvas k(100, 100, fixedTextMeasure);
    k.setFont("ＭＳ Ｐゴシック", 15, 450);
    k.setFontColour(0x0000FF);
    k.textOut(7, 9, "比容積 v");
    const auto r = emfRecords(k.finish());
    const Record* font = nullptr;
    const Record* text = nullptr;
    for (const auto& x : r) {
        if (x.type == EmfCanvas::EMR_EXTCREATEFONTINDIRECTW) font = &x;
        if (x.type == EmfCanvas::EMR_EXTTEXTOUTW) text = &x;
    }
    ASSERT_TRUE(font && text);
    EXPECT_EQ(font->i32(1), -15);
    EXPECT_EQ(font->i32(3), 450) << "escapement";
    EXPECT_EQ(static_cast<uint8_t>(font->body[4 + 23]), 128) << "SHIFTJIS_CHARSET";
    const std::u16string face(reinterpret_cast<const char16_t*>(font->body.data() + 4 + 28), 8);
    EXPECT_EQ(face.substr(0, 8), utf16Of("ＭＳ Ｐゴシック"));
    EXPECT_EQ(text->i32(7), 7) << "reference x";
    EXPECT_EQ(text->i32(8), 9);
    const uint32_t n = static_cast<uint32_t>(text->i32(9));
    ASSERT_EQ(n, 5u);
    const uint32_t off = static_cast<uint32_t>(text->i32(10)) - 8;
    const std::u16string s(reinterpret_cast<const char16_t*>(text->body.data() + off), n);
    EXPECT_EQ(s, utf16Of("比容積 v"));
}

namespace {

// The spacing array of the first text record.
std::vector<int32_t> firstTextAdvances(const std::string& emf) {
    for (const Record& x : emfRecords(emf))
        if (x.type == EmfCanvas::EMR_EXTTEXTOUTW) {
            const uint32_t n = static_cast<uint32_t>(x.i32(9));
            const uint32_t offDx = static_cast<uint32_t>(x.i32(16)) - 8;
            std::vector<int32_t> dx(n);
            if (offDx + 4 * n <= x.body.size())
                std::memcpy(dx.data(), x.body.data() + offDx, 4 * n);
            return dx;
        }
    return {};
}

}  // namespace

TEST(EmfCanvas, EachCharacterAdvancesByItsOwnWidth) {
    {
        // Fixed metrics at 16 px: 16 per kanji, 8 per narrow character ("℃" is narrow); the
        // array adds up to the text's width, 4 × 16 + 7 × 8 = 120.
        EmfCanvas k(200, 100, fixedTextMeasure);
        k.setFont("ＭＳ Ｐゴシック", 16, 0);
        k.textOut(0, 0, "乾球温度 DB [℃]");
        const std::vector<int32_t> expected = {16, 16, 16, 16, 8, 8, 8, 8, 8, 8, 8};
        EXPECT_EQ(firstTextAdvances(k.finish()), expected);
    }
    {
        // A character beyond the basic plane is two UTF-16 units: its advance on the first.
        EmfCanvas k(200, 100, fixedTextMeasure);
        k.setFont("ＭＳ Ｐゴシック", 16, 0);
        k.textOut(0, 0,
                  "\U00020BB7"
                  "1");
        const std::vector<int32_t> expected = {16, 0, 8};
        EXPECT_EQ(firstTextAdvances(k.finish()), expected);
    }
    {
        // A proportional font: digits 8.9, the period 4.45 (40.05 in all) measured 40 wide as a
        // whole. The ends of the characters at 40/40.05 of 8.9, 13.35, 22.25, 31.15 round to
        // 9, 13, 22, 31, and the last ends at 40.
        const auto measure = [](const std::string&, int h, const std::string&) {
            return TextExtent{40, h};
        };
        const auto advances = [](const std::string&, int, const std::string& text) {
            std::vector<double> out;
            for (char c : text) out.push_back(c == '.' ? 4.45 : 8.9);
            return out;
        };
        EmfCanvas k(200, 100, measure, advances);
        k.textOut(0, 0, "0.000");
        const std::vector<int32_t> expected = {9, 4, 9, 9, 9};
        EXPECT_EQ(firstTextAdvances(k.finish()), expected);
    }
}

TEST(WmfCanvas, PlaceableHeaderAndChecksum) {
    WmfCanvas k(1200, 900, fixedTextMeasure);
    k.moveTo(0, 0);
    k.lineTo(1199, 899);
    const std::string b = k.finish();
    EXPECT_EQ(at<uint32_t>(b, 0), WmfCanvas::kPlaceableKey);
    EXPECT_EQ(at<int16_t>(b, 10), 1200);
    EXPECT_EQ(at<int16_t>(b, 12), 900);
    EXPECT_EQ(at<uint16_t>(b, 14), 96);
    uint16_t sum = 0;
    for (int i = 0; i < 10; ++i) sum ^= at<uint16_t>(b, 2 * i);
    EXPECT_EQ(at<uint16_t>(b, 20), sum);
    EXPECT_EQ(at<uint32_t>(b, 22 + 6) * 2, b.size() - 22) << "size in words";
    const auto r = wmfRecords(b);
    EXPECT_EQ(r.back().type, WmfCanvas::META_EOF);
    EXPECT_EQ(r[1].type, WmfCanvas::META_SETWINDOWEXT);
    EXPECT_EQ(r[1].i16(0), 900);
    EXPECT_EQ(r[1].i16(1), 1200);
}

TEST(WmfCanvas, ShapesTextAndClamping) {
    WmfCanvas k(1200, 900, fixedTextMeasure);
    k.setFont("ＭＳ Ｐゴシック", 15, 900);
    k.setFontColour(0x00FF00);
    k.textOut(5, 6, "湿球温度WB[℃]");
    k.textOut(5, 6, "");
    k.ellipse(1, 2, 3, 4);
    k.arc(10, 20, 30, 40, 10, 30, 20, 40);
    k.moveTo(-100000, 5);
    k.lineTo(100000, 5);
    std::map<uint32_t, std::vector<Record>> by;
    for (const auto& x : wmfRecords(k.finish())) by[x.type].push_back(x);
    ASSERT_EQ(by[WmfCanvas::META_TEXTOUT].size(), 1u) << "empty text is not written";
    const Record& t = by[WmfCanvas::META_TEXTOUT][0];
    const int len = t.i16(0);
    const auto expected = utf8ToCp932("湿球温度WB[℃]");
    ASSERT_TRUE(expected);
    EXPECT_EQ(t.body.substr(2, len), *expected) << "CP932 bytes";
    const size_t after = 2 + (len + 1) / 2 * 2;
    EXPECT_EQ(at<int16_t>(t.body, after), 6) << "y first";
    EXPECT_EQ(at<int16_t>(t.body, after + 2), 5);
    const Record& font = by[WmfCanvas::META_CREATEFONTINDIRECT][0];
    EXPECT_EQ(font.i16(0), -15);
    EXPECT_EQ(font.i16(2), 900);
    EXPECT_EQ(static_cast<uint8_t>(font.body[13]), 128);
    EXPECT_EQ(font.body.substr(18, 10), "MS PGothic");
    const Record& e = by[WmfCanvas::META_ELLIPSE][0];
    EXPECT_EQ(e.i16(0), 4) << "bottom, right, top, left";
    EXPECT_EQ(e.i16(3), 1);
    const Record& a = by[WmfCanvas::META_ARC][0];
    EXPECT_EQ(a.i16(0), 40) << "end y first";
    EXPECT_EQ(a.i16(7), 10);
    EXPECT_EQ(by[WmfCanvas::META_MOVETO][0].i16(1), -32768);
    EXPECT_EQ(by[WmfCanvas::META_LINETO][0].i16(1), 32767);
    EXPECT_GE(by[WmfCanvas::META_CREATEPENINDIRECT].size(), 1u);
}

TEST(MetafileExport, FormatByExtensionAndWholeChart) {
    EXPECT_EQ(metafileFormatFor("a.EMF"), MetafileFormat::Enhanced);
    EXPECT_EQ(metafileFormatFor("/x/a.emf"), MetafileFormat::Enhanced);
    EXPECT_EQ(metafileFormatFor("a.wmf"), MetafileFormat::Placeable);
    EXPECT_EQ(metafileFormatFor("a.txt"), MetafileFormat::Placeable);
    EXPECT_EQ(metafileFormatFor("/x.emf/a"), MetafileFormat::Placeable);

    ChartSettings s;
    FakeTextMetrics m;
    ChartFrame f;
    ChartTable t;
    ASSERT_TRUE(constructChart(s, m, f, t).ok());
    ObjectTable objects;
    ObjectRecord line;
    line.kind = kLineBothMarkers;
    line.colour = 1;
    line.width = 3;
    line.h1 = 20.5, line.x1 = 0.02, line.h2 = 12, line.x2 = 0.01;
    objects.append(line);
    const std::string emf =
        metafileBytes(MetafileFormat::Enhanced, f, t, objects, s, fixedTextMeasure);
    const auto r = emfRecords(emf);
    int texts = 0, ellipses = 0;
    bool redPen = false;
    for (const auto& x : r) {
        texts += x.type == EmfCanvas::EMR_EXTTEXTOUTW;
        ellipses += x.type == EmfCanvas::EMR_ELLIPSE;
        redPen = redPen || (x.type == EmfCanvas::EMR_CREATEPEN && x.i32(4) == 0x0000FF);
    }
    EXPECT_GT(texts, 150);
    EXPECT_EQ(ellipses, 2) << "the line object's markers";
    EXPECT_TRUE(redPen);
    // The first dry-bulb line at zoom 1.875.
    const ChartElement& first = t.elements().front();
    for (const auto& x : r)
        if (x.type == EmfCanvas::EMR_MOVETOEX) {
            EXPECT_EQ(x.i32(0), static_cast<int>(first.c1 * 1.875));
            EXPECT_EQ(x.i32(1), static_cast<int>(first.c2 * 1.875));
            break;
        }
    const std::string wmf =
        metafileBytes(MetafileFormat::Placeable, f, t, objects, s, fixedTextMeasure);
    EXPECT_EQ(at<uint32_t>(wmf, 0), WmfCanvas::kPlaceableKey);
    EXPECT_GT(wmfRecords(wmf).size(), 1000u);
}

TEST(MetafileExport, FarEndsGiveAnOrdinarySizedFile) {
    // A dashed line from the chart to h = -100 kcal/kg already leaves the sheet; taking its end
    // to -1e4 or -1e300 draws the same on the sheet and must write no more.
    ChartSettings s;
    FakeTextMetrics m;
    ChartFrame f;
    ChartTable t;
    ASSERT_TRUE(constructChart(s, m, f, t).ok());
    const auto bytesWithLineTo = [&](double h) {
        ObjectTable objects;
        ObjectRecord line;
        line.kind = kLineBothMarkers;
        line.colour = 1;
        line.width = 3;
        line.style = 2;
        line.h1 = 10, line.x1 = 0.01, line.h2 = h, line.x2 = 0.01;
        objects.append(line);
        return metafileBytes(MetafileFormat::Enhanced, f, t, objects, s, fixedTextMeasure).size();
    };
    const size_t ordinary = bytesWithLineTo(-100);
    for (double far : {-1e4, -1e300}) ASSERT_LE(bytesWithLineTo(far), ordinary + 64) << far;
}

TEST(EmfCanvas, HeaderHasNoDescriptionOrPaletteAndNamesTheReferenceScreen) {
    EmfCanvas k(640, 480, fixedTextMeasure);
    k.moveTo(1, 1);
    k.lineTo(2, 2);
    const std::string b = k.finish();
    ASSERT_GE(b.size(), 108u);
    EXPECT_EQ(at<uint16_t>(b, 56), 7u) << "handles: the table's 0 and six objects";
    EXPECT_EQ(at<uint16_t>(b, 58), 0u) << "reserved";
    EXPECT_EQ(at<uint32_t>(b, 60), 0u) << "description length";
    EXPECT_EQ(at<uint32_t>(b, 64), 0u) << "description offset: none";
    EXPECT_EQ(at<uint32_t>(b, 68), 0u) << "palette entries";
    EXPECT_EQ(at<int32_t>(b, 72), 1920) << "reference screen, pixels";
    EXPECT_EQ(at<int32_t>(b, 76), 1080);
    // 1920 px / 96 dpi × 25.4 = 508.0 mm; 1080 px / 96 dpi × 25.4 = 285.75, rounded to 286 mm.
    EXPECT_EQ(at<int32_t>(b, 80), 508);
    EXPECT_EQ(at<int32_t>(b, 84), 286);
    EXPECT_EQ(at<uint32_t>(b, 88), 0u) << "no pixel format";
    EXPECT_EQ(at<uint32_t>(b, 96), 0u) << "no OpenGL";
    EXPECT_EQ(at<int32_t>(b, 100), 508000) << "the same in micrometres";
    EXPECT_EQ(at<int32_t>(b, 104), 286000);
}

TEST(WmfCanvas, PenRecordHoldsStyleWidthAnUnusedHeightAndColour) {
    WmfCanvas k(100, 100, fixedTextMeasure);
    k.setPenColour(0x00123456);
    k.setPenWidth(3);
    k.setPenStyle(PenStyle::Dot);
    k.moveTo(1, 2);
    k.lineTo(3, 4);
    std::vector<Record> pens;
    for (const auto& x : wmfRecords(k.finish()))
        if (x.type == WmfCanvas::META_CREATEPENINDIRECT) pens.push_back(x);
    ASSERT_FALSE(pens.empty());
    const Record& p = pens.back();  // the pen the line is drawn with
    ASSERT_EQ(p.body.size(), 10u) << "style, width (x, y), colour";
    EXPECT_EQ(p.i16(0), 2) << "PS_DOT";
    EXPECT_EQ(p.i16(1), 3) << "width";
    EXPECT_EQ(p.i16(2), 0) << "the height of the width is not used and written as 0";
    EXPECT_EQ(at<uint32_t>(p.body, 6), 0x00123456u);
}

namespace {

// The bytes of every text record of a Windows metafile, in order.
std::vector<std::string> wmfTexts(const std::string& wmf) {
    std::vector<std::string> texts;
    for (const Record& x : wmfRecords(wmf))
        if (x.type == WmfCanvas::META_TEXTOUT)
            texts.push_back(x.body.substr(2, static_cast<size_t>(x.i16(0))));
    return texts;
}

}  // namespace

// A Windows metafile's texts are read in the code page of the font's character set (CP932):
// what CP932 lacks is written as its nearest CP932 text, never as '?' when one exists. The
// expected bytes are from the published Shift_JIS (CP932) table: 時 8E9E, 間 8AD4, ° 818B,
// × 817E, ≦ 8185, ≧ 8186, μ 83CA, ・ 8145, ≒ 81E0, ≪ 81E1, ～ 8160, … 8163, ― 815C.
TEST(WmfCanvas, TextsHoldOnlyWhatCp932Holds) {
    const struct {
        const char* utf8;
        std::string cp932;
    } cases[] = {
        // The density legend: en dash between the hours, degree sign and multiplication sign.
        {"1–29 時間/(1 °C × 1 g/kg)", "1-29 \x8E\x9E\x8A\xD4/(1 \x81\x8B" "C \x81\x7E 1 g/kg)"},
        {"m³/kg(DA), 10²", "m3/kg(DA), 102"},
        {"x₂ ≤ 5 ≥ 3 ≈ 4", "x2 \x81\x85 5 \x81\x86 3 \x81\xE0 4"},
        {"5 µm · 2 • 3", "5 \x83\xCAm \x81\x45 2 \x81\x45 3"},
        {"a\u00A0b\u2009c\u202Fd", "a b c d"},     // no-break, thin and narrow spaces
        {"a\u00ADb\u200Bc", "abc"},                 // soft hyphen, zero-width space
        {"‒‑⁃﹣", "----"},                          // dashes CP932 lacks
        {"—", "\x81\x5C"},                          // an em dash CP932 holds (as ―) stays
        {"«x» ‹y› „z“ ⋯ ∼", "\x81\xE1x\x81\xE2 <y> \"z\x81\x67 \x81\x63 \x81\x60"},
        {"© ® ™ ⁄", "(C) (R) TM /"},
        {"✓ x", "? x"},       // no equivalent
        {"a\xFF" "b", "a?b"},  // not UTF-8
    };
    for (const auto& c : cases) {
        WmfCanvas k(100, 100, fixedTextMeasure);
        k.textOut(1, 1, c.utf8);
        const auto texts = wmfTexts(k.finish());
        ASSERT_EQ(texts.size(), 1u) << c.utf8;
        EXPECT_EQ(texts[0], c.cp932) << c.utf8;
        EXPECT_TRUE(cp932ToUtf8(texts[0])) << c.utf8 << ": bytes that are not CP932";
    }
    // The enhanced metafile's texts are UTF-16 and keep every character.
    EmfCanvas e(100, 100, fixedTextMeasure);
    e.textOut(1, 1, "1–29 m³");
    for (const auto& x : emfRecords(e.finish()))
        if (x.type == EmfCanvas::EMR_EXTTEXTOUTW) {
            const uint32_t n = static_cast<uint32_t>(x.i32(9));
            const uint32_t off = static_cast<uint32_t>(x.i32(10)) - 8;
            EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(x.body.data() + off), n),
                      u"1\u201329 m\u00B3");
        }
}
