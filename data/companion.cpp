#include "data/companion.h"

#include <sys/stat.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <sstream>

#include "data/import.h"
#include "engine/moistek.h"
#include "files/safe_replace.h"

namespace humidraw {
namespace {

constexpr const char* kMagic = "humidraw-data 1";

std::string number(double v) {
    char buffer[40];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, v);
    return std::string(buffer, r.ptr);
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

std::optional<double> parseNumber(const std::string& s) {
    double v = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
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

std::string companionText(const MeasuredData& data) {
    std::string out = std::string(kMagic) + "\n";
    for (const DataSet& s : data.sets) {
        const bool times = s.times.size() == s.points.size() && !s.times.empty();
        out += "set " + std::string(s.visible ? "1" : "0") + (s.density ? " 1 " : " 0 ") +
               hexColour(s.colour) + " " + std::to_string(s.points.size()) + (times ? " 1" : " 0") +
               "\nname " + oneLine(s.name) + "\n";
        for (size_t i = 0; i < s.points.size(); ++i) {
            out += number(s.points[i].DB) + " " + number(s.points[i].x);
            if (times) out += " " + oneLine(s.times[i]);
            out += "\n";
        }
    }
    for (const Zone& z : data.zones) {
        out += "zone " + std::string(z.filled ? "1 " : "0 ") + hexColour(z.colour) + "\nname " +
               oneLine(z.name) + "\n";
        for (int i = 0; i < kZonePropertyCount; ++i) {
            const ZoneRange& r = z.ranges[i];
            if (r.low || r.high)
                out += "range " + zonePropertyName(static_cast<ZoneProperty>(i)) + " " +
                       bound(r.low) + " " + bound(r.high) + "\n";
        }
    }
    return out + "end\n";
}

namespace {

class Lines {
  public:
    explicit Lines(const std::string& text) : text_(text) {}
    bool next(std::string& line) {
        if (pos_ >= text_.size()) return false;
        size_t end = text_.find('\n', pos_);
        if (end == std::string::npos) end = text_.size();
        line = text_.substr(pos_, end - pos_);
        pos_ = end + 1;
        ++number_;
        return true;
    }
    long number() const { return number_; }

  private:
    const std::string& text_;
    size_t pos_ = 0;
    long number_ = 0;
};

std::vector<std::string> words(const std::string& line, size_t most) {
    std::vector<std::string> w;
    size_t i = 0;
    while (i < line.size() && w.size() + 1 < most) {
        const size_t space = line.find(' ', i);
        if (space == std::string::npos) break;
        w.push_back(line.substr(i, space - i));
        i = space + 1;
    }
    w.push_back(line.substr(i));
    return w;
}

Failure damaged(const Lines& lines, const std::string& why) {
    return failure("line " + std::to_string(lines.number()) + ": " + why);
}

bool readName(Lines& lines, std::string& name) {
    std::string line;
    if (!lines.next(line) || line.compare(0, 5, "name ") != 0) return false;
    name = line.substr(5);
    return true;
}

}  // namespace

Result<MeasuredData> parseCompanion(const std::string& text) {
    Lines lines(text);
    std::string line;
    if (!lines.next(line) || line != kMagic) return failure("not a Humidraw data file");
    MeasuredData data;
    while (lines.next(line)) {
        if (line == "end") return data;
        const auto w = words(line, 6);
        if (w[0] == "set" && w.size() == 6) {
            DataSet s;
            const auto colour = parseColour(w[3]);
            const auto count = parseNumber(w[4]);
            // Each point takes at least four bytes of the text: a count beyond it is damage.
            if (!colour || !count || *count < 0 || *count > static_cast<double>(text.size()) / 4)
                return damaged(lines, "a data set's heading is damaged");
            s.visible = w[1] == "1", s.density = w[2] == "1", s.colour = *colour;
            const bool times = w[5] == "1";
            if (!readName(lines, s.name)) return damaged(lines, "a data set has no name");
            const long n = static_cast<long>(*count);
            s.points.reserve(n);
            for (long i = 0; i < n; ++i) {
                if (!lines.next(line)) return damaged(lines, "the points end early");
                const auto p = words(line, times ? 3 : 2);
                const auto DB = parseNumber(p[0]);
                const auto x = p.size() > 1 ? parseNumber(p[1]) : std::nullopt;
                if (!DB || !x || p.size() < (times ? 3u : 2u)) return damaged(lines, "not a point");
                s.points.push_back({*DB, *x, V_DBAH2EN(*DB, *x)});
                if (times) s.times.push_back(p[2]);
            }
            data.sets.push_back(std::move(s));
        } else if (w[0] == "zone" && w.size() == 3) {
            Zone z;
            const auto colour = parseColour(w[2]);
            if (!colour) return damaged(lines, "a zone's colour is damaged");
            z.filled = w[1] == "1", z.colour = *colour;
            if (!readName(lines, z.name)) return damaged(lines, "a zone has no name");
            data.zones.push_back(std::move(z));
        } else if (w[0] == "range" && w.size() == 4 && !data.zones.empty()) {
            const auto q = parseZoneProperty(w[1]);
            if (!q) return damaged(lines, "unknown property " + w[1]);
            ZoneRange& r = data.zones.back().ranges[*q];
            for (int k = 0; k < 2; ++k) {
                if (w[2 + k] == "-") continue;
                const auto v = parseNumber(w[2 + k]);
                if (!v) return damaged(lines, "a bound is not a number");
                (k == 0 ? r.low : r.high) = *v;
            }
            if (!zoneProblem(data.zones.back()).empty())
                return damaged(lines, zoneProblem(data.zones.back()));
        } else {
            return damaged(lines, "unknown line");
        }
    }
    return failure("the file ends early (no end line)");
}

Status saveCompanion(const std::string& documentPath, const MeasuredData& data) {
    const std::string path = companionPath(documentPath);
    if (data.empty()) {
        if (std::remove(path.c_str()) != 0 && errno != ENOENT)
            return failure(path + ": " + std::strerror(errno));
        return {};
    }
    const WriteResult r = replaceFile(path, companionText(data));
    if (!r.ok()) return failure(path + ": " + writeProblemText(r));
    return {};
}

Result<std::optional<MeasuredData>> loadCompanion(const std::string& documentPath) {
    const std::string path = companionPath(documentPath);
    struct stat st;
    if (stat(path.c_str(), &st) != 0 && errno == ENOENT) return std::optional<MeasuredData>{};
    const auto text = readWholeFile(path);
    if (!text) return failure(text.error());
    auto data = parseCompanion(*text);
    if (!data) return failure(path + ": " + data.error());
    return std::optional<MeasuredData>(std::move(*data));
}

}  // namespace humidraw
