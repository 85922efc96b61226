#include "document/document_file.h"

#include "air/air.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <initializer_list>

#include "files/folder.h"
#include "lang/language.h"
#include "text/cp932.h"

namespace humidraw {
namespace {

// Far beyond any document (640 records of a few hundred bytes, plus those left out).
constexpr size_t kMaxDocumentBytes = 256u << 20;

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

// Where and why reading stopped.
struct Damage {
    ReadProblem problem = ReadProblem::None;
    size_t offset = 0;
    long value = 0;
    bool inFontName = false;
};

bool damaged(Damage& d, ReadProblem problem, size_t offset, long value = 0) {
    d.problem = problem;
    d.offset = offset;
    d.value = value;
    return false;
}

// A CP932 string of `length` bytes including its terminating zero, cut at the first zero.
bool readText(Reader& r, int32_t length, std::string& out, Damage& d) {
    const size_t start = r.offset();
    if (length < 1) return damaged(d, ReadProblem::BadTextLength, start, length);
    std::string_view raw;
    if (!r.bytes(static_cast<size_t>(length), raw))
        return damaged(d, ReadProblem::TextPastEnd, start, length);
    const auto text = cp932ToUtf8(raw.substr(0, raw.find('\0')));
    if (!text) return damaged(d, ReadProblem::TextNotCp932, start);
    out = *text;
    return true;
}

bool allFinite(std::initializer_list<double> values) {
    for (double v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

bool readHeader(Reader& r, DocumentHeader& h, Damage& d) {
    int32_t zero, nameLength;
    if (!r.i32(zero) || !r.i32(h.format) || !r.f64(h.pressureMmHg) || !r.f64(h.dbMin) ||
        !r.f64(h.dbMax) || !r.i32(h.fontSize) || !r.i32(nameLength))
        return damaged(d, ReadProblem::HeaderCutShort, r.offset());
    if (!allFinite({h.pressureMmHg, h.dbMin, h.dbMax}))
        return damaged(d, ReadProblem::NotANumber, 8);
    d.inFontName = true;
    if (!readText(r, nameLength, h.fontName, d)) return false;
    d.inFontName = false;
    for (int i = 0; i < kViewFlagCount; ++i) {
        uint8_t flag;
        if (!r.u8(flag)) return damaged(d, ReadProblem::HeaderCutShort, r.offset());
        h.view[i] = flag != 0;
    }
    uint8_t si;
    if (!r.u8(si) || !r.i32(h.colourItem) || !r.i32(h.widthItem) || !r.i32(h.styleItem))
        return damaged(d, ReadProblem::HeaderCutShort, r.offset());
    const size_t view = r.offset();
    if (!r.f64(h.zoom) || !r.f64(h.boxHeight) || !r.f64(h.boxWidth) || !r.i32(h.horzScroll) ||
        !r.i32(h.vertScroll))
        return damaged(d, ReadProblem::HeaderCutShort, r.offset());
    if (!allFinite({h.zoom, h.boxHeight, h.boxWidth}))
        return damaged(d, ReadProblem::NotANumber, view);
    h.si = si != 0;
    return true;
}

// One record; `keep` false only checks and skips it (records beyond the table's capacity).
bool readRecord(Reader& r, ObjectRecord& o, bool keep, Damage& d) {
    const size_t start = r.offset();
    int32_t length;
    const bool fixed = r.i32(o.kind) && r.i32(o.colour) && r.i32(o.width) && r.i32(o.style) &&
                       r.f64(o.h1) && r.f64(o.x1) && r.f64(o.h2) && r.f64(o.x2) &&
                       r.f64(o.reserved) && r.i32(o.labelPosition) && r.i32(o.reserved2) &&
                       r.i32(length);
    if (!fixed) return damaged(d, ReadProblem::RecordCutShort, start);
    // A kind of 0 or below ends the table: every later record would be lost unseen.
    if (o.kind <= 0) return damaged(d, ReadProblem::BadKind, start, o.kind);
    if (!allFinite({o.h1, o.x1, o.h2, o.x2}))
        return damaged(d, ReadProblem::NotANumber, start + 16);
    if (!keep) {
        if (length < 1 || !r.skip(static_cast<size_t>(length)))
            return damaged(d, ReadProblem::TextPastEnd, start + 68, length);
        return true;
    }
    return readText(r, length, o.text, d);
}

DocumentRead refused(const Damage& d) {
    DocumentRead r;
    r.problem = d.problem;
    r.offset = d.offset;
    r.value = d.value;
    r.inFontName = d.inFontName;
    r.status = humidraw::failure(readProblemReason(d.problem), readProblemText(r));
    return r;
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
    Damage d;
    if (!r.i32(first) || !r.i32(format)) {
        if (bytes.empty()) {
            // An empty file of the earlier format: no objects.
            return result;
        }
        damaged(d, ReadProblem::FileCutShort, 0);
        return refused(d);
    }
    Reader records(bytes);
    if (format > kLastHeaderlessFormat) {
        DocumentHeader h;
        Reader hr(bytes);
        if (!readHeader(hr, h, d)) return refused(d);
        result.contents.header = h;
        records = hr;
    }
    while (!records.atEnd()) {
        ObjectRecord o;
        const bool keep = result.contents.records.size() < ObjectTable::kCapacity;
        if (!readRecord(records, o, keep, d)) {
            if (keep) return refused(d);
            break;  // damage past the records taken: those already counted stay left out
        }
        if (keep)
            result.contents.records.push_back(std::move(o));
        else
            ++result.contents.leftOut;
    }
    return result;
}

DocumentRead readDocumentFile(const std::string& path) {
    Damage d;
    // A regular file only (a FIFO or device is refused at once), never past any document's size.
    std::string bytes;
    const FileProblem p = readRegularFile(path, kMaxDocumentBytes, bytes);
    if (p != FileProblem::None) {
        damaged(d,
                p == FileProblem::NotFound       ? ReadProblem::NotFound
                : p == FileProblem::NoPermission ? ReadProblem::NoPermission
                : p == FileProblem::IsFolder     ? ReadProblem::IsFolder
                : p == FileProblem::NotRegular   ? ReadProblem::NotRegular
                : p == FileProblem::TooLarge     ? ReadProblem::TooLarge
                : p == FileProblem::OutOfMemory  ? ReadProblem::OutOfMemory
                                                 : ReadProblem::CannotRead,
                0);
        return refused(d);
    }
    DocumentRead read = parseDocument(bytes);
    read.identity = contentIdentity(bytes);
    return read;
}

Reason readProblemReason(ReadProblem p) {
    switch (p) {
        case ReadProblem::NotFound:
        case ReadProblem::NoPermission:
        case ReadProblem::IsFolder:
        case ReadProblem::CannotRead:
        case ReadProblem::NotRegular:
            return Reason::Unreadable;
        case ReadProblem::TooLarge:
            return Reason::TooLarge;
        case ReadProblem::OutOfMemory:
            return Reason::OutOfMemory;
        default:
            return Reason::Damaged;
    }
}

std::string readProblemText(const DocumentRead& r) {
    const std::string where =
        withArguments(translate("Document", "（%1バイト目）"), {std::to_string(r.offset)});
    const std::string text =
        r.inFontName ? translate("Document", "フォント名") : translate("Document", "図形の文字列");
    const std::string value = std::to_string(r.value);
    switch (r.problem) {
        case ReadProblem::None:
            return {};
        case ReadProblem::NotFound:
            return translate("Document", "ファイルが見つかりません");
        case ReadProblem::NoPermission:
            return translate("Document", "読み込みの権限がありません");
        case ReadProblem::IsFolder:
            return translate("Document", "フォルダです。ファイルを指定して下さい");
        case ReadProblem::CannotRead:
            return translate("Document", "ファイルを読み込めません") + where;
        case ReadProblem::NotRegular:
            return fileProblemText(FileProblem::NotRegular);
        case ReadProblem::TooLarge:
            return fileProblemText(FileProblem::TooLarge);
        case ReadProblem::OutOfMemory:
            return fileProblemText(FileProblem::OutOfMemory);
        case ReadProblem::FileCutShort:
            return translate("Document", "ファイルが途中で切れています") + where;
        case ReadProblem::HeaderCutShort:
            return translate("Document", "ヘッダが途中で切れています") + where;
        case ReadProblem::BadTextLength:
            return withArguments(translate("Document", "%1の長さ %2 が正しくありません%3"),
                                 {text, value, where});
        case ReadProblem::TextPastEnd:
            return withArguments(
                translate("Document", "%1（%2バイト）がファイルの終わりを越えています%3"),
                {text, value, where});
        case ReadProblem::TextNotCp932:
            return withArguments(translate("Document", "%1が CP932 の文字ではありません%2"),
                                 {text, where});
        case ReadProblem::RecordCutShort:
            return translate("Document", "図形のレコードが途中で切れています") + where;
        case ReadProblem::BadKind:
            return withArguments(translate("Document", "図形の種類 %1 が正しくありません%2"),
                                 {value, where});
        case ReadProblem::NotANumber:
            return translate("Document", "数値でない値（無限大・NaN）があります") + where;
    }
    return {};
}

std::vector<ObjectRecord> liveRecords(const ObjectTable& table) {
    std::vector<ObjectRecord> out;
    table.walk([&](int, const ObjectRecord& r) { out.push_back(r); });
    return out;
}

Result<std::string> serializeDocument(const std::optional<DocumentHeader>& header,
                                      const std::vector<ObjectRecord>& records) {
    std::string out;
    if (header) {
        const DocumentHeader& h = *header;
        const auto name = utf8ToCp932(h.fontName);
        if (!name || name->find('\0') != std::string::npos) {
            return failure(Reason::Invalid,
                           translate("Document", "フォント名を CP932 で保存できません: ") +
                               h.fontName);
        }
        if (!allFinite({h.pressureMmHg, h.dbMin, h.dbMax, h.zoom, h.boxHeight, h.boxWidth})) {
            return failure(Reason::Invalid,
                           translate("Document", "ヘッダに数値でない値（無限大・NaN）があります"));
        }
        if (h.format <= kLastHeaderlessFormat) {
            return failure(
                Reason::Invalid,
                withArguments(
                    translate("Document", "ヘッダの形式番号 %1 は 100 を超えなければなりません"),
                    {std::to_string(h.format)}));
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
        if (!allFinite({o.h1, o.x1, o.h2, o.x2})) {
            return failure(Reason::Invalid,
                           translate("Document", "座標が数値ではありません（無限大・NaN）"));
        }
        // Without a header the reader takes a first record's colour above 100 for the format
        // number of a header, and the file would open as something else.
        if (!header && out.empty() && o.colour > kLastHeaderlessFormat) {
            return failure(
                Reason::Invalid,
                withArguments(translate("Document",
                                        "ヘッダのない形式では先頭の記号の色番号を %1 にできません"),
                              {std::to_string(o.colour)}));
        }
        const auto text = utf8ToCp932(o.text);
        if (!text || text->find('\0') != std::string::npos) {
            return failure(Reason::Invalid,
                           translate("Document", "文字列を CP932 で保存できません: ") + o.text);
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

DocumentHeader headerFrom(const ChartSettings& s, int colour, int width, int style, double zoom,
                          double boxHeight, double boxWidth, int horzScroll, int vertScroll) {
    DocumentHeader h;
    h.pressureMmHg = s.pressureMmHg;
    h.dbMin = s.dbMin;
    h.dbMax = s.dbMax;
    h.fontSize = s.fontSize;
    h.fontName = s.fontName;
    h.view = s.view;
    h.si = s.isSI();
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

void applyHeader(const DocumentHeader& h, ChartSettings& s) {
    // A pressure no chart is drawn at (a damaged header) leaves the standard atmosphere.
    s.pressureMmHg = pressureAllowed(h.pressureMmHg) ? h.pressureMmHg : kStandardPressureMmHg;
    s.dbMin = h.dbMin;
    s.dbMax = h.dbMax;
    s.fontSize = h.fontSize;
    s.fontName = h.fontName;
    s.view = h.view;
    s.units = h.si ? UnitSystem::SI : UnitSystem::Engineering;
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
