#include "metafile_walk.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <tuple>

namespace humidraw::testing {
namespace {

enum Kind { kPen, kBrush, kFont, kKinds };

template <typename T>
T at(const std::string& b, size_t offset) {
    T v{};
    if (offset + sizeof v <= b.size()) std::memcpy(&v, b.data() + offset, sizeof v);
    return v;
}

// Played-back device state shared by both formats.
struct Device {
    std::map<uint32_t, Kind> live;  // created objects by handle or table index
    std::map<uint32_t, WalkedPen> pens;
    std::map<uint32_t, std::pair<bool, uint32_t>> brushes;
    std::map<uint32_t, WalkedFont> fonts;
    bool selected[kKinds] = {false, false, false};  // one of ours selected
    uint32_t current[kKinds] = {0, 0, 0};
    uint32_t rop = 0, textColour = 0;
    Walk* walk = nullptr;
    int record = 0;

    void error(const std::string& what) {
        walk->errors.push_back("record " + std::to_string(record) + ": " + what);
    }
    void create(uint32_t h, Kind k) {
        if (live.count(h)) error("object " + std::to_string(h) + " created over a live one");
        live[h] = k;
        ++walk->created;
        walk->maxLive = std::max(walk->maxLive, static_cast<int>(live.size()));
    }
    void select(uint32_t h) {
        const auto it = live.find(h);
        if (it == live.end()) return error("selects object " + std::to_string(h) + " not alive");
        selected[it->second] = true;
        current[it->second] = h;
    }
    void selectStock(Kind k) {
        selected[k] = false;
        current[k] = 0;
    }
    // A Windows metafile cannot select stock objects: its objects are deleted selected at the
    // end, and nothing may be drawn with them afterwards.
    void remove(uint32_t h, bool selectedMayGo) {
        const auto it = live.find(h);
        if (it == live.end()) return error("deletes object " + std::to_string(h) + " not alive");
        if (selected[it->second] && current[it->second] == h) {
            if (!selectedMayGo) error("deletes object " + std::to_string(h) + " while selected");
            selected[it->second] = false;
        }
        live.erase(it);
    }
    Drawn drawn(const std::string& what, std::vector<int32_t> coordinates, bool needsPen,
                bool needsBrush, bool needsFont) {
        if (needsPen && !selected[kPen]) error(what + " without a pen of ours selected");
        if (needsBrush && !selected[kBrush]) error(what + " without a brush of ours selected");
        if (needsFont && !selected[kFont]) error(what + " without a font of ours selected");
        Drawn d;
        d.what = what;
        d.at = std::move(coordinates);
        d.rop = rop;
        if (selected[kPen]) d.pen = pens[current[kPen]];
        if (selected[kBrush]) std::tie(d.brushSolid, d.brushColour) = brushes[current[kBrush]];
        if (selected[kFont]) d.font = fonts[current[kFont]];
        d.textColour = textColour;
        return d;
    }
    // A COLORREF's fourth byte is reserved and 0.
    uint32_t colour(uint32_t c) {
        if (c >> 24) error("colour with its reserved byte set");
        return c;
    }
    void setRop(uint32_t r) {
        if (r < 1 || r > 16) error("raster operation " + std::to_string(r) + " does not exist");
        rop = r;
    }
    void finish() {
        if (!live.empty()) error(std::to_string(live.size()) + " objects never deleted");
    }
};

std::vector<int32_t> i32s(const std::string& body, size_t n) {
    std::vector<int32_t> v;
    for (size_t k = 0; k < n; ++k) v.push_back(at<int32_t>(body, 4 * k));
    return v;
}

std::vector<int32_t> i16s(const std::string& body, size_t n) {
    std::vector<int32_t> v;
    for (size_t k = 0; k < n; ++k) v.push_back(at<int16_t>(body, 2 * k));
    return v;
}

// Stock objects by index (ENHMETA_STOCK_OBJECT cleared): brushes 0–5, pens 6–8, fonts 10–17.
bool stockKind(uint32_t index, Kind& k) {
    if (index <= 5) return k = kBrush, true;
    if (index <= 8) return k = kPen, true;
    if (index >= 10 && index <= 17 && index != 15) return k = kFont, true;
    return false;
}

// The fixed size of each EMF record type used here; 0 for records of their own layout.
uint32_t emfSize(uint32_t type) {
    switch (type) {
        case 17:
        case 18:
        case 20:
        case 22:
        case 24:
        case 37:
        case 40:  // one 32-bit value
            return 12;
        case 27:
        case 54:  // a point
            return 16;
        case 14:
            return 20;  // EOF without palette
        case 38:
            return 28;  // ihPen + LOGPEN
        case 39:
        case 42:
        case 43:
            return 24;  // ihBrush + LOGBRUSH; a rectangle
        case 45:
            return 40;  // box and two points
        default:
            return 0;
    }
}

void emfText(Device& d, const std::string& body, uint32_t size, Walk& w) {
    const uint32_t n = at<uint32_t>(body, 36), offString = at<uint32_t>(body, 40);
    const uint32_t offDx = at<uint32_t>(body, 64);
    if (offString < 76 || offString % 4 || offString + 2 * n > size)
        return d.error("text string outside its record");
    if (offDx < offString + 2 * n || offDx % 4 || offDx + 4ull * n != size)
        return d.error("text advances outside their place or record size wrong");
    Drawn t = d.drawn("text", i32s(body.substr(28), 2), false, false, true);
    for (uint32_t k = 0; k < n; ++k) t.text.push_back(at<char16_t>(body, offString - 8 + 2 * k));
    for (uint32_t k = 0; k < n; ++k) t.dx.push_back(at<int32_t>(body, offDx - 8 + 4 * k));
    for (int k = 0; k < 4; ++k) t.bounds[k] = at<int32_t>(body, 4 * k);
    t.graphicsMode = at<uint32_t>(body, 16);
    t.scale[0] = at<float>(body, 20);
    t.scale[1] = at<float>(body, 24);
    w.drawn.push_back(t);
}

void emfFont(Device& d, const std::string& body, uint32_t size) {
    // ihFont and a LOGFONTW (92 bytes), or a LOGFONTPANOSE (320 bytes).
    if (size != 12 + 92 && size != 12 + 320) return d.error("font record of a wrong size");
    const uint32_t h = at<uint32_t>(body, 0);
    WalkedFont f;
    f.height = at<int32_t>(body, 4);
    f.escapement = at<int32_t>(body, 12);
    f.orientation = at<int32_t>(body, 16);
    f.weight = at<int32_t>(body, 20);
    f.charset = at<uint8_t>(body, 27);
    for (int k = 0; k < 32; ++k) {
        const char16_t c = at<char16_t>(body, 32 + 2 * k);
        if (!c) break;
        f.face.push_back(c);
        if (k == 31) d.error("face name without its terminating zero");
    }
    d.create(h, kFont);
    d.fonts[h] = f;
}

// One EMF record at a time; false to stop.
bool emfRecord(Device& d, uint32_t type, const std::string& body, uint32_t size, uint32_t handles,
               Walk& w) {
    if (const uint32_t want = emfSize(type); want && size != want)
        d.error("type " + std::to_string(type) + " of " + std::to_string(size) + " bytes, not " +
                std::to_string(want));
    const uint32_t v = at<uint32_t>(body, 0);
    const auto createdHandle = [&] {
        if (v == 0 || v >= handles) d.error("handle " + std::to_string(v) + " outside the table");
    };
    switch (type) {
        case 17:
            w.mapMode = static_cast<int32_t>(v);
            return true;
        case 18:
            w.backgroundMode = static_cast<int32_t>(v);
            return true;
        case 22:
            w.textAlign = static_cast<int32_t>(v);
            return true;
        case 20:
            d.setRop(v);
            return true;
        case 24:
            d.textColour = d.colour(v);
            return true;
        case 27:
            w.drawn.push_back(d.drawn("move", i32s(body, 2), false, false, false));
            return true;
        case 54:
            w.drawn.push_back(d.drawn("line", i32s(body, 2), true, false, false));
            return true;
        case 42:
            w.drawn.push_back(d.drawn("ellipse", i32s(body, 4), true, true, false));
            return true;
        case 43:
            w.drawn.push_back(d.drawn("rectangle", i32s(body, 4), true, true, false));
            return true;
        case 45:
            w.drawn.push_back(d.drawn("arc", i32s(body, 8), true, true, false));
            return true;
        case 37: {
            Kind k;
            if (!(v & 0x80000000u))
                d.select(v);
            else if (stockKind(v & 0x7FFFFFFFu, k))
                d.selectStock(k);
            else
                d.error("selects an unknown stock object");
            return true;
        }
        case 38:
            createdHandle();
            d.create(v, kPen);
            d.pens[v] = {at<uint32_t>(body, 4), at<int32_t>(body, 8),
                         d.colour(at<uint32_t>(body, 16))};
            return true;
        case 39: {
            createdHandle();
            const uint32_t style = at<uint32_t>(body, 4);
            if (style != 0 && style != 1) d.error("brush style neither BS_SOLID nor BS_NULL");
            d.create(v, kBrush);
            d.brushes[v] = {style == 0, d.colour(at<uint32_t>(body, 8))};
            return true;
        }
        case 40:
            d.remove(v, false);
            return true;
        case 82:
            createdHandle();
            emfFont(d, body, size);
            return true;
        case 84:
            emfText(d, body, size, w);
            return true;
        case 14:
            if (at<uint32_t>(body, 8) != 20) d.error("EOF's last size not 20");
            return false;
        default:
            d.error("unknown record type " + std::to_string(type));
            return true;
    }
}

}  // namespace

Walk walkEmf(const std::string& b) {
    Walk w;
    Device d;
    d.walk = &w;
    if (b.size() < 108 || at<uint32_t>(b, 0) != 1 || at<uint32_t>(b, 40) != 0x464D4520u) {
        w.errors.push_back("no enhanced metafile header");
        return w;
    }
    const uint32_t headerSize = at<uint32_t>(b, 4), handles = at<uint16_t>(b, 56);
    if (headerSize != 108) d.error("header of " + std::to_string(headerSize) + " bytes, not 108");
    if (at<uint32_t>(b, 44) != 0x10000) d.error("version not 0x10000");
    if (at<uint32_t>(b, 48) != b.size()) d.error("header's byte count is not the file size");
    size_t pos = headerSize;
    w.records = 1;
    bool ended = false;
    while (pos < b.size()) {
        d.record = w.records;
        const uint32_t type = at<uint32_t>(b, pos), size = at<uint32_t>(b, pos + 4);
        if (size < 8 || size % 4 || pos + size > b.size()) {
            d.error("record size " + std::to_string(size) + " impossible");
            return w;
        }
        ++w.records;
        if (ended) d.error("record after EOF");
        ended = !emfRecord(d, type, b.substr(pos + 8, size - 8), size, handles, w) || ended;
        pos += size;
    }
    if (!ended) d.error("no EOF record");
    if (at<uint32_t>(b, 52) != static_cast<uint32_t>(w.records))
        d.error("header's record count is not the number of records");
    d.finish();
    return w;
}

namespace {

// Words of each WMF record used here; 0 for records of their own layout.
uint32_t wmfWords(uint16_t function) {
    switch (function) {
        case 0x0000:
            return 3;  // META_EOF
        case 0x012D:
        case 0x01F0:
            return 4;  // select, delete: an index
        case 0x0104:
        case 0x0209:
        case 0x020B:
        case 0x020C:  // ROP2, text colour, window
        case 0x0213:
        case 0x0214:
            return 5;  // line, move
        case 0x02FC:
            return 7;  // LogBrush
        case 0x0418:
        case 0x041B:
            return 7;  // ellipse, rectangle
        case 0x02FA:
            return 8;  // LogPen
        case 0x0817:
            return 11;  // arc
        default:
            return 0;
    }
}

// The lowest free index of the object table, as playback fills it.
uint32_t freeIndex(const Device& d) {
    uint32_t i = 0;
    while (d.live.count(i)) ++i;
    return i;
}

void wmfText(Device& d, const std::string& body, uint32_t words, Walk& w) {
    const int16_t length = at<int16_t>(body, 0);
    const uint32_t padded = (static_cast<uint32_t>(std::max<int16_t>(length, 0)) + 1) / 2 * 2;
    if (length < 0 || words != 3 + 1 + padded / 2 + 2) return d.error("text record size wrong");
    Drawn t = d.drawn("text", i16s(body.substr(2 + padded), 2), false, false, true);
    for (int16_t k = 0; k < length; ++k) t.text.push_back(at<uint8_t>(body, 2 + k));
    w.drawn.push_back(t);
}

void wmfFont(Device& d, const std::string& body, uint32_t words, uint16_t objects) {
    if (words < 3 + 9 + 1 || words > 3 + 9 + 16) return d.error("font record size wrong");
    WalkedFont f;
    f.height = at<int16_t>(body, 0);
    f.escapement = at<int16_t>(body, 4);
    f.orientation = at<int16_t>(body, 6);
    f.weight = at<int16_t>(body, 8);
    f.charset = at<uint8_t>(body, 13);
    const size_t faceBytes = 2 * words - 6 - 18;
    size_t k = 0;
    for (; k < faceBytes && body[18 + k]; ++k) f.face.push_back(at<uint8_t>(body, 18 + k));
    if (k == faceBytes) d.error("face name without its terminating zero");
    const uint32_t i = freeIndex(d);
    if (i >= objects) d.error("object table larger than the header says");
    d.create(i, kFont);
    d.fonts[i] = f;
}

bool wmfRecord(Device& d, uint16_t function, const std::string& body, uint32_t words,
               uint16_t objects, Walk& w) {
    if (const uint32_t want = wmfWords(function); want && words != want)
        d.error("function " + std::to_string(function) + " of " + std::to_string(words) +
                " words, not " + std::to_string(want));
    const uint16_t v = at<uint16_t>(body, 0);
    const auto created = [&](Kind k) {
        const uint32_t i = freeIndex(d);
        if (i >= objects) d.error("object table larger than the header says");
        d.create(i, k);
        return i;
    };
    switch (function) {
        case 0x0102:
        case 0x012E:  // background mode, text alignment: 4 or 5 words
            if (words != 4 && words != 5) d.error("mode record size wrong");
            (function == 0x0102 ? w.backgroundMode : w.textAlign) = v;
            return true;
        case 0x020B:
        case 0x020C: {  // window origin, extent: y first
            int32_t* to = function == 0x020B ? w.windowOrg : w.windowExt;
            to[0] = at<int16_t>(body, 2), to[1] = at<int16_t>(body, 0);
            return true;
        }
        case 0x0104:
            d.setRop(v);
            return true;
        case 0x0209:
            d.textColour = d.colour(at<uint32_t>(body, 0));
            return true;
        case 0x0214:
            w.drawn.push_back(d.drawn("move", i16s(body, 2), false, false, false));
            return true;
        case 0x0213:
            w.drawn.push_back(d.drawn("line", i16s(body, 2), true, false, false));
            return true;
        case 0x0418:
            w.drawn.push_back(d.drawn("ellipse", i16s(body, 4), true, true, false));
            return true;
        case 0x041B:
            w.drawn.push_back(d.drawn("rectangle", i16s(body, 4), true, true, false));
            return true;
        case 0x0817:
            w.drawn.push_back(d.drawn("arc", i16s(body, 8), true, true, false));
            return true;
        case 0x012D:
            d.select(v);
            return true;
        case 0x01F0:
            d.remove(v, true);
            return true;
        case 0x02FA: {
            const uint32_t i = created(kPen);
            d.pens[i] = {at<uint16_t>(body, 0), at<int16_t>(body, 2),
                         d.colour(at<uint32_t>(body, 6))};
            return true;
        }
        case 0x02FC: {
            const uint16_t style = at<uint16_t>(body, 0);
            if (style != 0 && style != 1) d.error("brush style neither BS_SOLID nor BS_NULL");
            d.brushes[created(kBrush)] = {style == 0, d.colour(at<uint32_t>(body, 2))};
            return true;
        }
        case 0x02FB:
            wmfFont(d, body, words, objects);
            return true;
        case 0x0521:
            wmfText(d, body, words, w);
            return true;
        case 0x0000:
            return false;
        default:
            d.error("unknown function " + std::to_string(function));
            return true;
    }
}

}  // namespace

Walk walkWmf(const std::string& b) {
    Walk w;
    Device d;
    d.walk = &w;
    if (b.size() < 40 || at<uint32_t>(b, 0) != 0x9AC6CDD7u) {
        w.errors.push_back("no placeable header");
        return w;
    }
    uint16_t sum = 0;
    for (int i = 0; i < 10; ++i) sum ^= at<uint16_t>(b, 2 * i);
    if (at<uint16_t>(b, 20) != sum) d.error("placeable header checksum wrong");
    if (at<uint16_t>(b, 22) != 1 || at<uint16_t>(b, 24) != 9 || at<uint16_t>(b, 26) != 0x0300)
        d.error("header type, size or version wrong");
    if (at<uint32_t>(b, 28) * 2 != b.size() - 22) d.error("header's size is not the file's");
    const uint16_t objects = at<uint16_t>(b, 32);
    uint32_t maxWords = 0;
    size_t pos = 40;
    bool ended = false;
    while (pos < b.size()) {
        d.record = w.records;
        const uint32_t words = at<uint32_t>(b, pos);
        if (words < 3 || pos + 2ull * words > b.size()) {
            d.error("record size " + std::to_string(words) + " impossible");
            return w;
        }
        ++w.records;
        maxWords = std::max(maxWords, words);
        if (ended) d.error("record after EOF");
        const uint16_t function = at<uint16_t>(b, pos + 4);
        ended =
            !wmfRecord(d, function, b.substr(pos + 6, 2 * words - 6), words, objects, w) || ended;
        pos += 2ull * words;
    }
    if (!ended) d.error("no EOF record");
    if (at<uint32_t>(b, 34) != maxWords) d.error("header's largest record is not the largest");
    d.finish();
    return w;
}

}  // namespace humidraw::testing
