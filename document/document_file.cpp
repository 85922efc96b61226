#include "document/document_file.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>

#include "common/cp932.h"

namespace humidraw {
namespace {

// Little-endian reads over a byte range, each checked against what is left.
class Reader {
  public:
    explicit Reader(std::string_view bytes) : b_(bytes) {}
    size_t offset() const { return pos_; }
    size_t left() const { return b_.size() - pos_; }
    bool atEnd() const { return pos_ >= b_.size(); }
    bool i32(int32_t& v) { return raw(&v, 4); }
    bool f64(double& v) { return raw(&v, 8); }
    bool u8(uint8_t& v) { return raw(&v, 1); }
    bool bytes(size_t n, std::string_view& out) {
        if (n > left()) return false;
        out = b_.substr(pos_, n);
        pos_ += n;
        return true;
    }
    bool skip(size_t n) {
        if (n > left()) return false;
        pos_ += n;
        return true;
    }

  private:
    bool raw(void* out, size_t n) {
        if (n > left()) return false;
        std::memcpy(out, b_.data() + pos_, n);  // the file is little-endian, like this machine
        pos_ += n;
        return true;
    }
    std::string_view b_;
    size_t pos_ = 0;
};

std::string at(const std::string& what, size_t offset) {
    return what + " at byte " + std::to_string(offset);
}

// A CP932 string of `length` bytes including its terminating zero, cut at the first zero.
bool readText(Reader& r, int32_t length, std::string& out, std::string& error, const char* what) {
    const size_t start = r.offset();
    if (length < 1) {
        error = at(std::string(what) + " has an invalid length " + std::to_string(length), start);
        return false;
    }
    std::string_view raw;
    if (!r.bytes(static_cast<size_t>(length), raw)) {
        error = at(std::string(what) + " of " + std::to_string(length) +
                       " bytes runs past the end of the file",
                   start);
        return false;
    }
    const auto text = cp932ToUtf8(raw.substr(0, raw.find('\0')));
    if (!text) {
        error = at(std::string(what) + " is not valid CP932 text", start);
        return false;
    }
    out = *text;
    return true;
}

bool readHeader(Reader& r, DocumentHeader& h, std::string& error) {
    int32_t zero, nameLength;
    if (!r.i32(zero) || !r.i32(h.format) || !r.f64(h.pressureMmHg) || !r.f64(h.dbMin) ||
        !r.f64(h.dbMax) || !r.i32(h.fontSize) || !r.i32(nameLength)) {
        error = at("the header is cut short", r.offset());
        return false;
    }
    if (!readText(r, nameLength, h.fontName, error, "the font name")) return false;
    for (int i = 0; i < kViewFlagCount; ++i) {
        uint8_t flag;
        if (!r.u8(flag)) {
            error = at("the header is cut short", r.offset());
            return false;
        }
        h.view[i] = flag != 0;
    }
    uint8_t si;
    if (!r.u8(si) || !r.i32(h.colourItem) || !r.i32(h.widthItem) || !r.i32(h.styleItem) ||
        !r.f64(h.zoom) || !r.f64(h.boxHeight) || !r.f64(h.boxWidth) || !r.i32(h.horzScroll) ||
        !r.i32(h.vertScroll)) {
        error = at("the header is cut short", r.offset());
        return false;
    }
    h.si = si != 0;
    return true;
}

// One record; `keep` false only checks and skips it (records beyond the table's capacity).
bool readRecord(Reader& r, ObjectRecord& o, bool keep, std::string& error) {
    const size_t start = r.offset();
    int32_t length;
    const bool fixed = r.i32(o.kind) && r.i32(o.colour) && r.i32(o.width) && r.i32(o.style) &&
                       r.f64(o.h1) && r.f64(o.x1) && r.f64(o.h2) && r.f64(o.x2) &&
                       r.f64(o.reserved) && r.i32(o.labelPosition) && r.i32(o.reserved2) &&
                       r.i32(length);
    if (!fixed) {
        error = at("an object record is cut short", start);
        return false;
    }
    if (!keep) {
        if (length < 1 || !r.skip(static_cast<size_t>(length))) {
            error = at("an object's text runs past the end of the file", start);
            return false;
        }
        return true;
    }
    return readText(r, length, o.text, error, "an object's text");
}

void put(std::string& out, const void* p, size_t n) {
    out.append(static_cast<const char*>(p), n);
}
void putI32(std::string& out, int32_t v) {
    put(out, &v, 4);
}
void putF64(std::string& out, double v) {
    put(out, &v, 8);
}
void putText(std::string& out, const std::string& cp932) {
    putI32(out, static_cast<int32_t>(cp932.size() + 1));
    out += cp932;
    out.push_back('\0');
}

}  // namespace

DocumentRead parseDocument(std::string_view bytes) {
    DocumentRead result;
    Reader r(bytes);
    int32_t first, format;
    if (!r.i32(first) || !r.i32(format)) {
        if (bytes.empty()) {
            result.ok = true;  // an empty file of the earlier format: no objects
            return result;
        }
        result.error = at("the file is cut short", 0);
        return result;
    }
    Reader records(bytes);
    if (format > 100) {
        DocumentHeader h;
        Reader hr(bytes);
        if (!readHeader(hr, h, result.error)) return result;
        result.contents.header = h;
        records = hr;
    }
    while (!records.atEnd()) {
        ObjectRecord o;
        const bool keep = result.contents.records.size() < ObjectTable::kCapacity;
        std::string error;
        if (!readRecord(records, o, keep, error)) {
            if (keep) {
                DocumentRead failed;
                failed.error = error;
                return failed;
            }
            break;  // damage past the records taken: those already counted stay left out
        }
        if (keep)
            result.contents.records.push_back(std::move(o));
        else
            ++result.contents.leftOut;
    }
    result.ok = true;
    return result;
}

DocumentRead readDocumentFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    DocumentRead result;
    if (!in) {
        result.error = "cannot open " + path;
        return result;
    }
    std::string bytes;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0) {
        result.error = "cannot read " + path;
        return result;
    }
    in.seekg(0);
    bytes.resize(static_cast<size_t>(size));
    if (!in.read(bytes.data(), size)) {
        result.error = "cannot read " + path;
        return result;
    }
    return parseDocument(bytes);
}

std::vector<ObjectRecord> liveRecords(const ObjectTable& table) {
    std::vector<ObjectRecord> out;
    table.walk([&](int, const ObjectRecord& r) { out.push_back(r); });
    return out;
}

std::optional<std::string> serializeDocument(const std::optional<DocumentHeader>& header,
                                             const std::vector<ObjectRecord>& records,
                                             std::string* error) {
    std::string out;
    if (header) {
        const DocumentHeader& h = *header;
        const auto name = utf8ToCp932(h.fontName);
        if (!name || name->find('\0') != std::string::npos) {
            if (error) *error = "the font name cannot be stored in CP932: " + h.fontName;
            return std::nullopt;
        }
        putI32(out, 0);
        putI32(out, h.format);
        putF64(out, h.pressureMmHg);
        putF64(out, h.dbMin);
        putF64(out, h.dbMax);
        putI32(out, h.fontSize);
        putText(out, *name);
        for (bool flag : h.view) out.push_back(flag ? 1 : 0);
        out.push_back(h.si ? 1 : 0);
        putI32(out, h.colourItem);
        putI32(out, h.widthItem);
        putI32(out, h.styleItem);
        putF64(out, h.zoom);
        putF64(out, h.boxHeight);
        putF64(out, h.boxWidth);
        putI32(out, h.horzScroll);
        putI32(out, h.vertScroll);
    }
    for (const ObjectRecord& o : records) {
        if (o.kind <= 0 || o.kind == kDeleted) continue;
        const auto text = utf8ToCp932(o.text);
        if (!text || text->find('\0') != std::string::npos) {
            if (error) *error = "a text cannot be stored in CP932: " + o.text;
            return std::nullopt;
        }
        putI32(out, o.kind);
        putI32(out, o.colour);
        putI32(out, o.width);
        putI32(out, o.style);
        putF64(out, o.h1);
        putF64(out, o.x1);
        putF64(out, o.h2);
        putF64(out, o.x2);
        putF64(out, o.reserved);
        putI32(out, o.labelPosition);
        putI32(out, o.reserved2);
        putText(out, *text);
    }
    return out;
}

std::string writeFileAtomically(const std::string& path, const std::string& bytes) {
    const std::string temp = folderOf(path) + "/.~" + path.substr(path.rfind('/') + 1) + "." +
                             std::to_string(getpid()) + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return "cannot create " + path;
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            std::remove(temp.c_str());
            return "cannot write " + path;
        }
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        return "cannot write " + path;
    }
    return {};
}

DocumentHeader headerFrom(const Settings& s, int colour, int width, int style, double zoom,
                          double boxHeight, double boxWidth, int horzScroll, int vertScroll) {
    DocumentHeader h;
    h.pressureMmHg = s.pressureMmHg;
    h.dbMin = s.dbMin;
    h.dbMax = s.dbMax;
    h.fontSize = s.fontSize;
    h.fontName = s.fontName;
    h.view = s.view;
    h.si = s.si;
    h.colourItem = colour - 1;
    h.widthItem = width;
    h.styleItem = style;
    h.zoom = zoom;
    h.boxHeight = boxHeight;
    h.boxWidth = boxWidth;
    h.horzScroll = horzScroll;
    h.vertScroll = vertScroll;
    return h;
}

void applyHeader(const DocumentHeader& h, Settings& s) {
    s.pressureMmHg = h.pressureMmHg;
    s.dbMin = h.dbMin;
    s.dbMax = h.dbMax;
    s.fontSize = h.fontSize;
    s.fontName = h.fontName;
    s.view = h.view;
    s.si = h.si;
}

DocumentName documentNameFor(const std::string& chosen, const std::string& initialFolder) {
    DocumentName n;
    std::string p = chosen;
    const size_t slash = p.rfind('/');
    if (slash != std::string::npos) {
        n.title = p.substr(slash + 1);
    } else {
        n.title = p;
        // The dialog's folder is kept without a trailing separator: join with one.
        p = initialFolder.empty()         ? p
            : initialFolder.back() == '/' ? initialFolder + p
                                          : initialFolder + "/" + p;
    }
    const size_t dot = n.title.rfind('.');
    if (dot == std::string::npos)
        p += ".hdw";
    else
        n.title = n.title.substr(0, dot);
    n.path = p;
    n.folder = folderOf(p);
    return n;
}

}  // namespace humidraw
