#include "metafile/emf_canvas.h"

#include "chart/text_metrics.h"

namespace humidraw {
namespace {

constexpr uint32_t kSignature = 0x464D4520;  // " EMF"
constexpr int kHeaderSize = 108;
// The reference device: a 96-dpi screen of 1920 × 1080 pixels.
constexpr int kDeviceWidth = 1920, kDeviceHeight = 1080;
constexpr int kDeviceWidthMm = 508, kDeviceHeightMm = 286;

uint32_t penStyleOf(PenStyle s) {
    switch (s) {
        case PenStyle::Dot:
            return 2;  // PS_DOT
        case PenStyle::DashDot:
            return 3;  // PS_DASHDOT
        default:
            return 0;  // PS_SOLID
    }
}

std::u16string utf16(const std::string& utf8) {
    std::u16string out;
    for (char32_t c : decodeUtf8(utf8)) {
        if (c >= 0x10000) {
            c -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
    }
    return out;
}

// 0.01 mm of a length in 96-dpi pixels.
int32_t hundredthsMm(int pixels) {
    return static_cast<int32_t>(pixels * 2540LL / 96);
}

}  // namespace

EmfCanvas::EmfCanvas(int width, int height, TextMeasure measure, CharAdvanceMeasure advances)
    : MetafileCanvas(width, height, std::move(measure), std::move(advances)) {
    out_.data.resize(kHeaderSize);  // written by finish()
    records_ = 1;
    record(EMR_SETMAPMODE, {1});    // MM_TEXT: one logical unit is one pixel
    record(EMR_SETBKMODE, {1});     // TRANSPARENT
    record(EMR_SETTEXTALIGN, {0});  // TA_LEFT | TA_TOP | TA_NOUPDATECP
}

void EmfCanvas::record(uint32_t type, const RecordBytes& body) {
    RecordBytes r;
    r.u32(type);
    r.u32(static_cast<uint32_t>(8 + body.data.size()));
    r.bytes(body.data);
    out_.bytes(r.data);
    ++records_;
}

void EmfCanvas::record(uint32_t type, std::initializer_list<int32_t> values) {
    RecordBytes b;
    for (int32_t v : values) b.i32(v);
    record(type, b);
}

uint32_t EmfCanvas::swapHandle(int kind) {
    // Handles 1–2 pens, 3–4 brushes, 5–6 fonts.
    const int first = 1 + 2 * kind;
    const int previous = current_[kind];
    const int next = previous == first ? first + 1 : first;
    current_[kind] = next;
    return static_cast<uint32_t>(next);
}

void EmfCanvas::emitPen(const Pen& p) {
    const int previous = current_[0];
    const uint32_t h = swapHandle(0);
    RecordBytes b;
    b.u32(h);
    b.u32(penStyleOf(p.style));
    b.i32(p.width);  // 0: one pixel
    b.i32(0);
    b.u32(p.colour);
    record(EMR_CREATEPEN, b);
    record(EMR_SELECTOBJECT, {static_cast<int32_t>(h)});
    if (previous) record(EMR_DELETEOBJECT, {previous});
}

void EmfCanvas::emitBrush(const Brush& br) {
    const int previous = current_[1];
    const uint32_t h = swapHandle(1);
    RecordBytes b;
    b.u32(h);
    b.u32(br.solid ? 0 : 1);  // BS_SOLID, BS_NULL
    b.u32(br.colour);
    b.u32(0);
    record(EMR_CREATEBRUSHINDIRECT, b);
    record(EMR_SELECTOBJECT, {static_cast<int32_t>(h)});
    if (previous) record(EMR_DELETEOBJECT, {previous});
}

void EmfCanvas::emitFont(const Font& f) {
    const int previous = current_[2];
    const uint32_t h = swapHandle(2);
    RecordBytes b;
    b.u32(h);
    // LOGFONTW
    b.i32(-f.height);  // character height
    b.i32(0);
    b.i32(f.escapement);
    b.i32(f.escapement);
    b.i32(400);  // FW_NORMAL
    b.u8(0);     // italic
    b.u8(0);     // underline
    b.u8(0);     // strike-out
    b.u8(128);   // SHIFTJIS_CHARSET
    b.u8(0);     // OUT_DEFAULT_PRECIS
    b.u8(0);     // CLIP_DEFAULT_PRECIS
    b.u8(0);     // DEFAULT_QUALITY
    b.u8(0);     // DEFAULT_PITCH | FF_DONTCARE
    std::u16string face = utf16(f.face).substr(0, 31);
    face.resize(32, u'\0');
    b.raw(face.data(), 64);
    // The rest of a LogFontPanose: full name, style, version fields and PANOSE, all empty.
    b.data.append(320 - 92, '\0');
    record(EMR_EXTCREATEFONTINDIRECTW, b);
    record(EMR_SELECTOBJECT, {static_cast<int32_t>(h)});
    if (previous) record(EMR_DELETEOBJECT, {previous});
}

void EmfCanvas::emitTextColour(Colour c) {
    record(EMR_SETTEXTCOLOR, {static_cast<int32_t>(c)});
}

void EmfCanvas::emitRop(PenMode m) {
    record(EMR_SETROP2, {m == PenMode::NotXor ? 10 : 13});  // R2_NOTXORPEN, R2_COPYPEN
}

void EmfCanvas::emitMoveTo(int x, int y) {
    record(EMR_MOVETOEX, {x, y});
}
void EmfCanvas::emitLineTo(int x, int y) {
    record(EMR_LINETO, {x, y});
}
void EmfCanvas::emitEllipse(int l, int t, int r, int b) {
    record(EMR_ELLIPSE, {l, t, r, b});
}
void EmfCanvas::emitRectangle(int l, int t, int r, int b) {
    record(EMR_RECTANGLE, {l, t, r, b});
}
void EmfCanvas::emitArc(int l, int t, int r, int b, int x1, int y1, int x2, int y2) {
    record(EMR_ARC, {l, t, r, b, x1, y1, x2, y2});
}

void EmfCanvas::emitText(int x, int y, const std::string& text, const TextExtent& extent) {
    const std::u16string s = utf16(text);
    const uint32_t n = static_cast<uint32_t>(s.size());
    const uint32_t stringBytes = (n * 2 + 3) / 4 * 4;
    const uint32_t offString = 76, offDx = offString + stringBytes;
    RecordBytes b;
    b.i32(x);  // bounds
    b.i32(y);
    b.i32(x + extent.width);
    b.i32(y + extent.height);
    b.u32(1);             // GM_COMPATIBLE
    b.f32(2540.0f / 96);  // page units to 0.01 mm
    b.f32(2540.0f / 96);
    b.i32(x);  // reference point: top-left with TA_TOP | TA_LEFT
    b.i32(y);
    b.u32(n);
    b.u32(offString);
    b.u32(0);  // options
    b.i32(0), b.i32(0), b.i32(0), b.i32(0);
    b.u32(offDx);
    b.raw(s.data(), n * 2);
    b.pad(4);
    // Each character's own advance, the whole adding up to the measured width: readers place
    // every character by this array.
    for (int32_t dx : textAdvances(text, extent)) b.i32(dx);
    record(EMR_EXTTEXTOUTW, b);
}

std::string EmfCanvas::finish() {
    if (finished_) return out_.data;
    finished_ = true;
    for (int kind = 0; kind < 3; ++kind)
        if (current_[kind]) {
            // Back to stock objects before deleting ours: BLACK_PEN, NULL_BRUSH, SYSTEM_FONT.
            const uint32_t stock[3] = {0x80000007u, 0x80000005u, 0x8000000Du};
            record(EMR_SELECTOBJECT, {static_cast<int32_t>(stock[kind])});
            record(EMR_DELETEOBJECT, {current_[kind]});
        }
    record(EMR_EOF, {0, 16, 20});  // no palette; the size of this record last
    RecordBytes h;
    h.u32(EMR_HEADER);
    h.u32(kHeaderSize);
    h.i32(0), h.i32(0), h.i32(width_ - 1), h.i32(height_ - 1);  // bounds, pixels, inclusive
    h.i32(0), h.i32(0), h.i32(hundredthsMm(width_)), h.i32(hundredthsMm(height_));  // frame
    h.u32(kSignature);
    h.u32(0x10000);
    h.u32(static_cast<uint32_t>(out_.data.size()));
    h.u32(records_);
    h.u16(7);  // handles 0–6
    h.u16(0);
    h.u32(0), h.u32(0);  // no description
    h.u32(0);            // no palette
    h.i32(kDeviceWidth), h.i32(kDeviceHeight);
    h.i32(kDeviceWidthMm), h.i32(kDeviceHeightMm);
    h.u32(0), h.u32(0), h.u32(0);  // no pixel format, no OpenGL
    h.i32(kDeviceWidthMm * 1000), h.i32(kDeviceHeightMm * 1000);
    out_.data.replace(0, kHeaderSize, h.data);
    return out_.data;
}

}  // namespace humidraw
