#include "measured/companion.h"

#include "ahu/ahu_text.h"
#include "design/design_text.h"
#include "text/number_format.h"

#include "air/air.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>
#include <string_view>

#include "moistek/moistek.h"
#include "files/read_file.h"
#include "files/safe_replace.h"
#include "lang/language.h"

namespace humidraw {
namespace {

constexpr const char* kMagic = "humidraw-data 1";

std::string number(double v) {
    return formatShortest(v);
}

std::string hexColour(Colour32 c) {
    char buffer[8];
    // Stored as RRGGBB, the way colours are written for people.
    std::snprintf(buffer, sizeof buffer, "%02X%02X%02X", c & 0xFF, (c >> 8) & 0xFF,
                  (c >> 16) & 0xFF);
    return buffer;
}

std::optional<Colour32> parseColour(const std::string& s) {
    if (s.size() != 6 || s.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        return std::nullopt;
    const unsigned long rgb = std::strtoul(s.c_str(), nullptr, 16);
    return static_cast<Colour32>(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF));
}

// Names and times stay on their line.
std::string oneLine(std::string s) {
    for (char& c : s)
        if (c == '\n' || c == '\r') c = ' ';
    return s;
}

std::string bound(const std::optional<double>& b) {
    return b ? number(*b) : "-";
}

}  // namespace

std::string companionPath(const std::string& documentPath) {
    return documentPath + ".data";
}

std::string companionText(const MeasuredData& data,
                          const std::optional<ContentIdentity>& document,
                          std::optional<double> pressureMmHg, const design::Design& design,
                          std::optional<UnitSystem> units,
                          const std::optional<ahu::Unit>& unit) {
    std::string out = std::string(kMagic) + "\n";
    if (document) {
        char hash[20];
        std::snprintf(hash, sizeof hash, "%016llx",
                      static_cast<unsigned long long>(document->hash));
        out += "document " + std::to_string(document->length) + " " + hash + "\n";
    }
    if (pressureMmHg) out += "pressure " + number(*pressureMmHg) + "\n";
    if (units) out += std::string("units ") + unitSystemName(*units) + "\n";
    for (const DataSet& s : data.sets) {
        const bool times = s.times.size() == s.points.size() && !s.times.empty();
        out += "set " + std::string(s.visible ? "1" : "0") + (s.density ? " 1 " : " 0 ") +
               hexColour(s.colour) + " " + std::to_string(s.points.size()) + (times ? " 1" : " 0") +
               "\nname " + oneLine(s.name) + "\n";
        for (size_t i = 0; i < s.points.size(); ++i) {
            out += number(s.points[i].DB) + " " + number(s.points[i].x);
            if (times) out += " " + oneLine(std::string(s.times[i]));
            out += "\n";
        }
    }
    for (const Zone& z : data.zones) {
        out += "zone " + std::string(z.filled ? "1 " : "0 ") + hexColour(z.colour) + "\nname " +
               oneLine(z.name) + "\n";
        if (z.pmv) {
            const comfort::ComfortInputs& in = z.pmv->inputs;
            out += "pmv " + number(in.met) + " " + number(in.clo) + " " + number(in.airSpeed) +
                   " " + number(in.mrtOffset) + " " + number(in.externalWork) + " " +
                   number(z.pmv->low) + " " + number(z.pmv->high) + "\n";
        }
        // An adaptive zone's band is made again from its mean when read.
        if (z.adaptive)
            out += "adaptive " + std::to_string(z.adaptive->month) + " " +
                   number(z.adaptive->prevailingMean) + " " +
                   std::to_string(z.adaptive->acceptability) + "\n";
        for (int i = 0; i < kZonePropertyCount; ++i) {
            const ZoneRange& r = z.ranges[i];
            if ((r.low || r.high) && !(z.adaptive && i == kZoneDB))
                out += "range " + zonePropertyName(static_cast<ZoneProperty>(i)) + " " +
                       bound(r.low) + " " + bound(r.high) + "\n";
        }
    }
    out += design::designText(design);
    if (unit) out += ahu::unitText(*unit);
    return out + "end\n";
}

namespace {

constexpr size_t kLongestLine = 1 << 20;  // far beyond any name or time
constexpr uint64_t kPointBytes = sizeof(MeasuredPoint);
constexpr uint64_t kTimeBytes = sizeof(size_t) + 16;  // its end in the store, and its text

// Lines as views, valid until the next line is asked for; from a text or read from a file in
// pieces, so a companion never needs its whole text in memory at once.
class Lines {
  public:
    virtual ~Lines() = default;
    virtual bool next(std::string_view& line) = 0;
    long number() const { return number_; }
    // Bytes not read yet.
    virtual uint64_t left() const = 0;

  protected:
    long number_ = 0;
};

class TextLines : public Lines {
  public:
    explicit TextLines(std::string_view text) : text_(text) {}
    bool next(std::string_view& line) override {
        if (pos_ >= text_.size()) return false;
        size_t end = text_.find('\n', pos_);
        if (end == std::string_view::npos) end = text_.size();
        line = text_.substr(pos_, end - pos_);
        pos_ = end + 1;
        ++number_;
        return true;
    }
    uint64_t left() const override { return pos_ < text_.size() ? text_.size() - pos_ : 0; }

  private:
    std::string_view text_;
    size_t pos_ = 0;
};

class FileLines : public Lines {
  public:
    explicit FileLines(InputFile& in) : in_(in) {}
    bool next(std::string_view& line) override {
        size_t searched = pos_;
        for (;;) {
            const size_t end = buffer_.find('\n', searched);
            if (end != std::string::npos || (atEnd_ && pos_ < buffer_.size())) {
                const size_t stop = end == std::string::npos ? buffer_.size() : end;
                line = std::string_view(buffer_).substr(pos_, stop - pos_);
                read_ += stop + 1 - pos_;
                pos_ = stop + 1;
                ++number_;
                return true;
            }
            if (atEnd_ || failed_) return false;
            buffer_.erase(0, pos_);
            pos_ = 0;
            searched = buffer_.size();
            // A line longer than any the program writes ends the reading: it is damage.
            if (buffer_.size() > kLongestLine) return false;
            const size_t had = buffer_.size();
            buffer_.resize(had + kPiece);
            const long n = in_.read(buffer_.data() + had, kPiece);
            buffer_.resize(had + static_cast<size_t>(std::max(0L, n)));
            if (n < 0) failed_ = true;
            if (n == 0) atEnd_ = true;
        }
    }
    uint64_t left() const override { return in_.size() > read_ ? in_.size() - read_ : 0; }
    bool failed() const { return failed_; }

  private:
    static constexpr size_t kPiece = 1 << 16;
    InputFile& in_;
    std::string buffer_;
    size_t pos_ = 0;
    uint64_t read_ = 0;
    bool atEnd_ = false, failed_ = false;
};

// At most `most` words split at single spaces, the last one taking the rest of the line.
std::vector<std::string_view> words(std::string_view line, size_t most) {
    std::vector<std::string_view> w;
    size_t i = 0;
    while (i < line.size() && w.size() + 1 < most) {
        const size_t space = line.find(' ', i);
        if (space == std::string_view::npos) break;
        w.push_back(line.substr(i, space - i));
        i = space + 1;
    }
    w.push_back(line.substr(i));
    return w;
}

std::optional<double> numberOf(std::string_view s) {
    return parseShortest(s);
}

std::optional<uint64_t> wholeOf(std::string_view s, int base = 10) {
    uint64_t v = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v, base);
    if (s.empty() || r.ec != std::errc() || r.ptr != s.data() + s.size()) return std::nullopt;
    return v;
}

Failure damaged(const Lines& lines, const std::string& why) {
    return failure(Reason::Damaged, withArguments(translate("Data", "%1 行目: %2"),
                                                  {std::to_string(lines.number()), why}));
}

bool readName(Lines& lines, std::string& name) {
    std::string_view line;
    if (!lines.next(line) || line.substr(0, 5) != "name ") return false;
    name = std::string(line.substr(5));
    return true;
}

// The sets, zones and points the headings announce, counted before anything is kept: a file
// asking for more than the limits is refused whole, before its points take memory.
Status withinLimits(Lines& lines, uint64_t length) {
    uint64_t sets = 0, zones = 0, points = 0, memory = 0;
    const uint64_t budget =
        std::max(kMostCompanionMemory, length / 2 * 3);  // 1.5 times a large file's length
    std::string_view line;
    while (lines.next(line)) {
        if (line.substr(0, 4) == "set ") {
            ++sets;
            const auto w = words(line, 6);
            const auto n = w.size() == 6 ? wholeOf(w[4]) : std::nullopt;
            if (n) {
                const uint64_t count = std::min<uint64_t>(*n, kMostCompanionPoints + 1);
                points += count;
                memory += count * (kPointBytes + (w[5] == "1" ? kTimeBytes : 0));
            }
        } else if (line.substr(0, 5) == "zone ") {
            ++zones;
        }
        if (sets > kMostCompanionSets)
            return failure(Reason::TooLarge, withArguments(translate("Data", "データセットが %1 を超えています"),
                                         {std::to_string(kMostCompanionSets)}));
        if (zones > kMostCompanionZones)
            return failure(Reason::TooLarge, withArguments(translate("Data", "ゾーンが %1 を超えています"),
                                         {std::to_string(kMostCompanionZones)}));
        if (points > kMostCompanionPoints)
            return failure(Reason::TooLarge, withArguments(translate("Data", "点が合わせて %1 を超えています"),
                                         {std::to_string(kMostCompanionPoints)}));
        if (memory > budget)
            return failure(
                Reason::TooLarge,
                withArguments(translate("Data", "点が多すぎます（%1 MB を超えるメモリが要ります）"),
                              {std::to_string(budget >> 20)}));
    }
    return {};
}

// One point line: "DB x" or "DB x TIME".
bool readPoint(std::string_view line, bool times, DataSet& s) {
    const size_t first = line.find(' ');
    if (first == std::string_view::npos) return false;
    size_t second = line.find(' ', first + 1);
    if (times != (second != std::string_view::npos)) return false;
    if (second == std::string_view::npos) second = line.size();
    const auto DB = numberOf(line.substr(0, first));
    const auto x = numberOf(line.substr(first + 1, second - first - 1));
    if (!DB || !x) return false;
    s.points.push_back({*DB, *x, V_DBAH2EN(*DB, *x)});
    if (times) s.times.push_back(line.substr(second + 1));
    return true;
}

// The companion's lines after the first, which has been checked.
Result<CompanionContents> readBody(Lines& lines) {
    std::string_view line;
    CompanionContents contents;
    MeasuredData& data = contents.data;
    design::DesignReader design;
    ahu::UnitReader unit;
    bool inDesign = false;
    bool first = true;
    while (lines.next(line)) {
        if (line == "end") {
            if (const std::string why = design.finish(); !why.empty()) return damaged(lines, why);
            if (const std::string why = unit.finish(); !why.empty()) return damaged(lines, why);
            contents.design = std::move(design.design());
            if (unit.started()) contents.unit = unit.unit();
            return contents;
        }
        // A comfort zone's line has eight words, every other at most six.
        const auto w = words(line, line.substr(0, 4) == "pmv " ? 8 : 6);
        // The unit's lines come after the design's, last of all.
        if (ahu::UnitReader::takes(w[0])) {
            if (const std::string why = unit.take(line); !why.empty()) return damaged(lines, why);
            first = false;
            continue;
        }
        if (unit.started()) return damaged(lines, translate("Data", "知らない行です"));
        // The design's lines come last; a name line among them is a point's.
        if (design::DesignReader::takes(w[0]) || (inDesign && w[0] == "name")) {
            inDesign = true;
            if (const std::string why = design.take(line); !why.empty()) return damaged(lines, why);
            first = false;
            continue;
        }
        if (inDesign) return damaged(lines, translate("Data", "知らない行です"));
        if (first && w[0] == "document" && w.size() == 3) {
            const auto length = wholeOf(w[1]);
            const auto hash = w[2].size() == 16 ? wholeOf(w[2], 16) : std::nullopt;
            if (!length || !hash) return damaged(lines, translate("Data", "図面との対応の行が壊れています"));
            contents.document = ContentIdentity{*length, *hash};
        } else if (w[0] == "units" && w.size() == 2 && !contents.units && data.sets.empty() &&
                   data.zones.empty()) {
            contents.units = unitSystemNamed(w[1]);
            if (!contents.units) return damaged(lines, translate("Data", "単位の行が壊れています"));
        } else if (w[0] == "pressure" && w.size() == 2 && !contents.pressureMmHg &&
                   data.sets.empty() && data.zones.empty()) {
            const auto p = numberOf(w[1]);
            if (!p || !pressureAllowed(*p))
                return damaged(lines, translate("Data", "大気圧の行が壊れています"));
            contents.pressureMmHg = *p;
        } else if (w[0] == "set" && w.size() == 6) {
            DataSet s;
            const auto colour = parseColour(std::string(w[3]));
            const auto count = wholeOf(w[4]);
            // Each point takes at least four bytes of the text: a count beyond it is damage.
            if (!colour || !count || *count > lines.left() / 4 || (w[1] != "0" && w[1] != "1") ||
                (w[2] != "0" && w[2] != "1") || (w[5] != "0" && w[5] != "1"))
                return damaged(lines, translate("Data", "データセットの見出しが壊れています"));
            s.visible = w[1] == "1", s.density = w[2] == "1", s.colour = *colour;
            const bool times = w[5] == "1";
            if (!readName(lines, s.name)) return damaged(lines, translate("Data", "データセットに名前がありません"));
            try {
                s.points.reserve(*count);
                if (times) s.times.reserve(*count, *count * 16);
                for (uint64_t i = 0; i < *count; ++i) {
                    if (!lines.next(line)) return damaged(lines, translate("Data", "点が途中で終わっています"));
                    if (!readPoint(line, times, s)) return damaged(lines, translate("Data", "点ではありません"));
                }
                data.sets.push_back(std::move(s));
            } catch (const std::bad_alloc&) {
                return fileFailure(FileProblem::OutOfMemory);
            }
        } else if (w[0] == "zone" && w.size() == 3) {
            Zone z;
            const auto colour = parseColour(std::string(w[2]));
            if (!colour) return damaged(lines, translate("Data", "ゾーンの色が壊れています"));
            z.filled = w[1] == "1", z.colour = *colour;
            if (!readName(lines, z.name)) return damaged(lines, translate("Data", "ゾーンに名前がありません"));
            data.zones.push_back(std::move(z));
        } else if (w[0] == "pmv" && w.size() == 8 && !data.zones.empty() &&
                   !data.zones.back().pmv && !data.zones.back().adaptive) {
            double v[7];
            for (int k = 0; k < 7; ++k) {
                const auto n = numberOf(w[1 + k]);
                if (!n) return damaged(lines, translate("Data", "快適域の行が壊れています"));
                v[k] = *n;
            }
            data.zones.back().pmv = PmvBounds{{v[0], v[1], v[2], v[3], v[4]}, v[5], v[6]};
            if (!zoneProblem(data.zones.back()).empty())
                return damaged(lines, zoneProblem(data.zones.back()));
        } else if (w[0] == "adaptive" && w.size() == 4 && !data.zones.empty() &&
                   !data.zones.back().pmv && !data.zones.back().adaptive) {
            const auto month = wholeOf(w[1]), accept = wholeOf(w[3]);
            const auto mean = numberOf(w[2]);
            if (!month || !accept || !mean || *month > 12 || *accept > 100)
                return damaged(lines, translate("Data", "適応快適域の行が壊れています"));
            Zone& z = data.zones.back();
            z.adaptive = AdaptiveBand{static_cast<int>(*month), *mean, static_cast<int>(*accept)};
            z.ranges[kZoneDB] = adaptiveRange(*z.adaptive);
            if (!zoneProblem(z).empty()) return damaged(lines, zoneProblem(z));
        } else if (w[0] == "range" && w.size() == 4 && !data.zones.empty()) {
            const auto q = parseZoneProperty(std::string(w[1]));
            if (!q) return damaged(lines, withArguments(translate("Data", "知らない量 %1"), {std::string(w[1])}));
            ZoneRange& r = data.zones.back().ranges[*q];
            for (int k = 0; k < 2; ++k) {
                if (w[2 + k] == "-") continue;
                const auto v = numberOf(w[2 + k]);
                if (!v) return damaged(lines, translate("Data", "範囲の端が数値ではありません"));
                (k == 0 ? r.low : r.high) = *v;
            }
            if (!zoneProblem(data.zones.back()).empty())
                return damaged(lines, zoneProblem(data.zones.back()));
        } else {
            return damaged(lines, translate("Data", "知らない行です"));
        }
        first = false;
    }
    return failure(Reason::Damaged, translate("Data", "ファイルが途中で終わっています（end の行がありません）"));
}

bool magicLine(Lines& lines) {
    std::string_view line;
    return lines.next(line) && line == kMagic;
}

}  // namespace

Result<CompanionContents> readCompanionText(std::string_view text) {
    TextLines lines(text);
    if (!magicLine(lines))
        return failure(Reason::Damaged, translate("Data", "Humidraw のデータファイルではありません"));
    TextLines counted(text);
    if (const Status limits = withinLimits(counted, text.size()); !limits)
        return limits.failure();
    return readBody(lines);
}

Result<MeasuredData> parseCompanion(const std::string& text) {
    auto contents = readCompanionText(text);
    if (!contents) return contents.failure();
    return std::move(contents->data);
}

CompanionLoad loadCompanion(const std::string& documentPath, const ContentIdentity& document) {
    const std::string path = companionPath(documentPath);
    CompanionLoad load;
    struct stat st;
    if (lstat(path.c_str(), &st) != 0 && (errno == ENOENT || errno == ENOTDIR)) return load;
    load.found = CompanionFound::Unreadable;
    // The program chose this name, not the user: a link there is not followed.
    if (S_ISLNK(st.st_mode)) {
        load.status = failure(Reason::Unreadable,
                              path + ": " +
                                  translate("Data", "シンボリックリンクのため、読み込みません"));
        return load;
    }
    const auto refused = [&](const Failure& why) {
        load.status = named(path, why);
        return std::move(load);
    };
    // Read twice in pieces: the headings counted against the limits, then the data.
    InputFile in(path);
    if (!in.ok()) return refused(fileFailure(in.problem()));
    if (in.size() > kMostCompanionBytes) return refused(fileFailure(FileProblem::TooLarge));
    FileLines lines(in);
    if (!magicLine(lines)) {
        return refused(lines.failed() ? fileFailure(in.problem())
                                      : failure(Reason::Damaged, "not a Humidraw data file"));
    }
    {
        InputFile again(path);
        if (!again.ok()) return refused(fileFailure(again.problem()));
        FileLines counted(again);
        const Status limits = withinLimits(counted, again.size());
        if (counted.failed()) return refused(fileFailure(again.problem()));
        if (!limits) return refused(limits.failure());
    }
    auto contents = readBody(lines);
    if (lines.failed()) return refused(fileFailure(in.problem()));
    if (!contents) return refused(contents.failure());
    load.data = std::move(contents->data);
    load.pressureMmHg = contents->pressureMmHg;
    load.units = contents->units;
    load.design = std::move(contents->design);
    load.unit = std::move(contents->unit);
    if (contents->document && *contents->document != document) {
        load.found = CompanionFound::OtherDocument;
        load.status = failure(
            Reason::Invalid,
            path + ": " +
            translate("Data",
                      "この図面を保存したときのものではありません（図面が別に保存されたか、"
                      "他の図面のものです）"));
        return load;
    }
    load.found = CompanionFound::Read;
    return load;
}

namespace {

// A name beside `path` nothing has: PATH.unread, PATH.unread2, … (empty when none is free).
std::string keepAside(const std::string& path) {
    for (int n = 1; n <= 99; ++n) {
        const std::string aside = path + ".unread" + (n > 1 ? std::to_string(n) : "");
        // link() never replaces a name, and never follows a link it is given.
        if (link(path.c_str(), aside.c_str()) == 0) return aside;
        if (errno != EEXIST) return {};
    }
    return {};
}

}  // namespace

Result<SavedPair> saveDocumentWithCompanion(const std::string& documentPath,
                                            std::string_view documentBytes,
                                            const MeasuredData& data, bool keepCompanion,
                                            std::optional<double> pressureMmHg,
                                            const design::Design& design,
                                            std::optional<UnitSystem> units,
                                            const std::optional<ahu::Unit>& unit) {
    const std::string path = companionPath(documentPath);
    const bool written = !data.empty() || pressureMmHg.has_value() || !design.empty() ||
                         units.has_value() || unit.has_value();
    SavedPair saved;
    struct stat st;
    const bool present = lstat(path.c_str(), &st) == 0;
    // The companion's new bytes and the document's, both whole on disk before either is put in
    // place; then the companion and the document go in back to back. A crash between the two
    // leaves a companion that names the other document, which opening notices.
    PendingReplace companion;
    if (written) {
        std::string text;
        try {
            text = companionText(data, contentIdentity(documentBytes), pressureMmHg, design, units,
                                 unit);
        } catch (const std::bad_alloc&) {
            return named(path, fileFailure(FileProblem::OutOfMemory));
        }
        companion = prepareReplace(path, text, NameChoice::Program);
        if (!companion.ok()) return named(path, writeFailure(companion.result()));
    }
    PendingReplace document = prepareReplace(documentPath, documentBytes, NameChoice::User);
    if (!document.ok()) return named(documentPath, writeFailure(document.result()));
    if (present && keepCompanion && written) {
        saved.keptAs = keepAside(path);
        if (saved.keptAs.empty())
            return failure(Reason::Unwritable,
                           path + ": " +
                               translate("Data", "読めなかったファイルを残せないため、書き換えません"));
    }
    if (written) {
        const WriteResult r = companion.commit();
        if (!r.ok()) return named(path, writeFailure(r));
    }
    const WriteResult r = document.commit();
    if (!r.ok()) return named(documentPath, writeFailure(r));
    // Without data or pressure no companion is left, but one the program did not understand, or a link or
    // anything not a regular file at the name: what was not understood is never deleted.
    if (!written && present && !keepCompanion && S_ISREG(st.st_mode) &&
        unlink(path.c_str()) != 0 && errno != ENOENT)
        return failure(Reason::Unwritable, path + ": " + std::strerror(errno));
    return saved;
}

}  // namespace humidraw
