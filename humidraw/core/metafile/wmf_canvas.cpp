#include "metafile/wmf_canvas.h"

#include <algorithm>
#include <iterator>
#include <optional>

#include "chart/chart_settings.h"
#include "chart/text_metrics.h"
#include "text/cp932.h"

namespace humidraw {
namespace {

constexpr size_t kPlaceableSize = 22, kHeaderSize = 18;

int16_t clamp16(int v) {
    return static_cast<int16_t>(std::clamp(v, -32768, 32767));
}

uint16_t penStyleOf(PenStyle s) {
    switch (s) {
        case PenStyle::Dot:
            return 2;
        case PenStyle::DashDot:
            return 3;
        default:
            return 0;
    }
}

// What a character CP932 lacks is written as: the nearest text CP932 holds, as a reader shows
// it (dashes as '-', superscript digits as digits, spaces as a blank), sorted by code point.
struct Substitute {
    char32_t from;
    const char* to;
};
constexpr Substitute kSubstitutes[] = {
    {U'\u00A0', " "},        // no-break space
    {U'\u00A6', "|"},        // broken bar
    {U'\u00A9', "(C)"},      // copyright sign
    {U'\u00AB', "\u226A"},   // « as ≪
    {U'\u00AD', ""},         // soft hyphen: shown only where a line breaks
    {U'\u00AE', "(R)"},      // registered sign
    {U'\u00AF', "\uFFE3"},   // macron as the full-width one
    {U'\u00B2', "2"},        // superscript two (m²)
    {U'\u00B3', "3"},        // superscript three (m³)
    {U'\u00B5', "\u03BC"},   // micro sign as the Greek letter
    {U'\u00B7', "\u30FB"},   // middle dot as the katakana middle dot
    {U'\u00B8', ","},        // cedilla
    {U'\u00B9', "1"},        // superscript one
    {U'\u00BB', "\u226B"},   // » as ≫
    {U'\u2002', " "},        // en space … hair space
    {U'\u2003', " "},
    {U'\u2004', " "},
    {U'\u2005', " "},
    {U'\u2006', " "},
    {U'\u2007', " "},
    {U'\u2008', " "},
    {U'\u2009', " "},
    {U'\u200A', " "},
    {U'\u200B', ""},         // zero-width space
    {U'\u2011', "-"},        // non-breaking hyphen
    {U'\u2012', "-"},        // figure dash
    {U'\u2013', "-"},        // en dash, as in the range "1–29"
    {U'\u201A', ","},        // single low quotation mark
    {U'\u201E', "\""},       // double low quotation mark
    {U'\u2022', "\u30FB"},   // bullet
    {U'\u2027', "\u30FB"},   // hyphenation point
    {U'\u202F', " "},        // narrow no-break space
    {U'\u2039', "<"},        // single angle quotation marks
    {U'\u203A', ">"},
    {U'\u2043', "-"},        // hyphen bullet
    {U'\u2044', "/"},        // fraction slash
    {U'\u205F', " "},        // medium mathematical space
    {U'\u2070', "0"},        // superscript and subscript digits
    {U'\u2074', "4"},
    {U'\u2075', "5"},
    {U'\u2076', "6"},
    {U'\u2077', "7"},
    {U'\u2078', "8"},
    {U'\u2079', "9"},
    {U'\u2080', "0"},
    {U'\u2081', "1"},
    {U'\u2082', "2"},
    {U'\u2083', "3"},
    {U'\u2084', "4"},
    {U'\u2085', "5"},
    {U'\u2086', "6"},
    {U'\u2087', "7"},
    {U'\u2088', "8"},
    {U'\u2089', "9"},
    {U'\u2122', "TM"},       // trade mark sign
    {U'\u2215', "/"},        // division slash
    {U'\u2219', "\u30FB"},   // bullet operator
    {U'\u2236', ":"},        // ratio
    {U'\u223C', "\uFF5E"},   // tilde operator as the full-width tilde
    {U'\u2248', "\u2252"},   // ≈ as ≒, as Japanese writes "about equal"
    {U'\u2264', "\u2266"},   // ≤ as ≦
    {U'\u2265', "\u2267"},   // ≥ as ≧
    {U'\u22EF', "\u2026"},   // midline ellipsis
    {U'\uFE63', "-"},        // small hyphen-minus
    {U'\uFEFF', ""},         // zero-width no-break space
};

constexpr bool sortedByCodePoint() {
    for (size_t i = 1; i < std::size(kSubstitutes); ++i)
        if (kSubstitutes[i - 1].from >= kSubstitutes[i].from) return false;
    return true;
}
static_assert(sortedByCodePoint(), "the look-up is a binary search");

std::string utf8Of(char32_t c) {
    std::string s;
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (c >> 18));
        s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
    return s;
}

// CP932 bytes of the text: readers of a Windows metafile read its texts in the code page of
// their font's character set (CP932 for SHIFTJIS_CHARSET), so no other bytes may appear. A
// character CP932 cannot hold becomes its substitute, or '?' when it has none (as does a byte
// that is not UTF-8).
std::string toCp932(const std::string& utf8) {
    if (auto whole = utf8ToCp932(utf8)) return *whole;
    std::string out;
    for (const char32_t c : decodeUtf8(utf8)) {
        if (const auto one = c == U'\uFFFD' ? std::nullopt : utf8ToCp932(utf8Of(c))) {
            out += *one;
            continue;
        }
        const auto* s = std::lower_bound(
            std::begin(kSubstitutes), std::end(kSubstitutes), c,
            [](const Substitute& a, char32_t b) { return a.from < b; });
        const auto bytes = s != std::end(kSubstitutes) && s->from == c
                               ? utf8ToCp932(s->to)
                               : std::optional<std::string>();
        out += bytes ? *bytes : "?";
    }
    return out;
}

// The face name as the font record holds it. The Japanese system faces are also registered
// under ASCII names; those are used, since some readers take face bytes for UTF-8.
std::string faceName(const std::string& face) {
    static const std::pair<const char*, const char*> aliases[] = {
        {kDefaultFontName, "MS PGothic"},
        {"ＭＳ ゴシック", "MS Gothic"},
        {"ＭＳ Ｐ明朝", "MS PMincho"},
        {"ＭＳ 明朝", "MS Mincho"},
        {"メイリオ", "Meiryo"},
        {"ＭＳ ＵＩ Ｇｏｔｈｉｃ", "MS UI Gothic"},
    };
    for (const auto& [japanese, ascii] : aliases)
        if (face == japanese) return ascii;
    return cutCp932(toCp932(face), 31);
}

}  // namespace

WmfCanvas::WmfCanvas(int width, int height, TextMeasure measure)
    : MetafileCanvas(width, height, std::move(measure)) {
    out_.data.resize(kPlaceableSize + kHeaderSize);  // written by finish()
    record(META_SETWINDOWORG, {0, 0});
    record(META_SETWINDOWEXT, {height, width});  // y extent first
    record(META_SETBKMODE, {1});                 // TRANSPARENT
    record(META_SETTEXTALIGN, {0});              // TA_LEFT | TA_TOP
}

void WmfCanvas::record(uint16_t function, const RecordBytes& params) {
    RecordBytes r;
    const uint32_t words = static_cast<uint32_t>(3 + params.data.size() / 2);
    r.u32(words);
    r.u16(function);
    r.bytes(params.data);
    out_.bytes(r.data);
    maxRecordWords_ = std::max(maxRecordWords_, words);
}

void WmfCanvas::record(uint16_t function, std::initializer_list<int> values) {
    RecordBytes p;
    for (int v : values) p.i16(clamp16(v));
    record(function, p);
}

void WmfCanvas::replaceObject(int kind, uint16_t createFunction, const RecordBytes& params) {
    int index = 0;
    while (used_[index]) ++index;  // at most three live objects, two per kind while swapping
    used_[index] = true;
    record(createFunction, params);
    record(META_SELECTOBJECT, {index});
    if (current_[kind] >= 0) {
        record(META_DELETEOBJECT, {current_[kind]});
        used_[current_[kind]] = false;
    }
    current_[kind] = index;
}

void WmfCanvas::emitPen(const Pen& p) {
    RecordBytes b;
    b.u16(penStyleOf(p.style));
    b.i16(clamp16(p.width));
    b.i16(0);
    b.u32(p.colour);
    replaceObject(0, META_CREATEPENINDIRECT, b);
}

void WmfCanvas::emitBrush(const Brush& br) {
    RecordBytes b;
    b.u16(br.solid ? 0 : 1);  // BS_SOLID, BS_NULL
    b.u32(br.colour);
    b.u16(0);
    replaceObject(1, META_CREATEBRUSHINDIRECT, b);
}

void WmfCanvas::emitFont(const Font& f) {
    RecordBytes b;
    b.i16(clamp16(-f.height));
    b.i16(0);
    b.i16(clamp16(f.escapement));
    b.i16(clamp16(f.escapement));
    b.i16(400);
    b.u8(0), b.u8(0), b.u8(0);
    b.u8(128);  // SHIFTJIS_CHARSET
    b.u8(0), b.u8(0), b.u8(0), b.u8(0);
    std::string face = faceName(f.face);
    face.resize(32, '\0');
    b.bytes(face);
    replaceObject(2, META_CREATEFONTINDIRECT, b);
}

void WmfCanvas::emitTextColour(Colour c) {
    RecordBytes b;
    b.u32(c);
    record(META_SETTEXTCOLOR, b);
}

void WmfCanvas::emitRop(PenMode m) {
    record(META_SETROP2, {m == PenMode::NotXor ? 10 : 13, 0});
}

void WmfCanvas::emitMoveTo(int x, int y) {
    record(META_MOVETO, {y, x});
}
void WmfCanvas::emitLineTo(int x, int y) {
    record(META_LINETO, {y, x});
}
void WmfCanvas::emitEllipse(int l, int t, int r, int b) {
    record(META_ELLIPSE, {b, r, t, l});
}
void WmfCanvas::emitRectangle(int l, int t, int r, int b) {
    record(META_RECTANGLE, {b, r, t, l});
}
void WmfCanvas::emitArc(int l, int t, int r, int b, int x1, int y1, int x2, int y2) {
    record(META_ARC, {y2, x2, y1, x1, b, r, t, l});
}

void WmfCanvas::emitText(int x, int y, const std::string& text, const TextExtent&) {
    const std::string bytes = toCp932(text).substr(0, 32000);
    RecordBytes p;
    p.i16(static_cast<int16_t>(bytes.size()));
    p.bytes(bytes);
    p.pad(2);
    p.i16(clamp16(y));
    p.i16(clamp16(x));
    record(META_TEXTOUT, p);
}

std::string WmfCanvas::finish() {
    if (finished_) return out_.data;
    finished_ = true;
    for (int kind = 0; kind < 3; ++kind)
        if (current_[kind] >= 0) record(META_DELETEOBJECT, {current_[kind]});
    record(META_EOF, RecordBytes{});

    RecordBytes placeable;
    placeable.u32(kPlaceableKey);
    placeable.u16(0);  // handle
    placeable.i16(0), placeable.i16(0);
    placeable.i16(clamp16(width_)), placeable.i16(clamp16(height_));
    placeable.u16(96);  // units per inch: one unit is one pixel of the screen
    placeable.u32(0);
    uint16_t sum = 0;
    for (size_t i = 0; i < 20; i += 2)
        sum ^= static_cast<uint16_t>(static_cast<unsigned char>(placeable.data[i]) |
                                     static_cast<unsigned char>(placeable.data[i + 1]) << 8);
    placeable.u16(sum);

    RecordBytes header;
    header.u16(1);  // memory metafile
    header.u16(9);  // header words
    header.u16(0x0300);
    header.u32(static_cast<uint32_t>((out_.data.size() - kPlaceableSize) / 2));
    header.u16(6);  // object table entries
    header.u32(maxRecordWords_);
    header.u16(0);
    out_.data.replace(0, kPlaceableSize + kHeaderSize, placeable.data + header.data);
    return out_.data;
}

}  // namespace humidraw
