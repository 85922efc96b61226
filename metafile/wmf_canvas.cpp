#include "metafile/wmf_canvas.h"

#include <algorithm>

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

// CP932 bytes of the text; a character CP932 cannot hold becomes '?'.
std::string toCp932(const std::string& utf8) {
    if (auto whole = utf8ToCp932(utf8)) return *whole;
    std::string out;
    size_t i = 0;
    while (i < utf8.size()) {
        size_t len = 1;
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c >= 0xF0)
            len = 4;
        else if (c >= 0xE0)
            len = 3;
        else if (c >= 0xC0)
            len = 2;
        const auto one = utf8ToCp932(utf8.substr(i, len));
        out += one ? *one : "?";
        i += len;
    }
    return out;
}

// The face name as the font record holds it. The Japanese system faces are also registered
// under ASCII names; those are used, since some readers take face bytes for UTF-8.
std::string faceName(const std::string& face) {
    static const std::pair<const char*, const char*> aliases[] = {
        {"ＭＳ Ｐゴシック", "MS PGothic"},
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
