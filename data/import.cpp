#include "data/import.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string_view>

namespace humidraw {
namespace {

constexpr size_t kReportedRows = 5;
constexpr long kProgressEvery = 1 << 16;

std::string_view trim(std::string_view s) {
    while (!s.empty() &&
           (s.front() == ' ' || s.front() == '\t' || s.front() == '\r' || s.front() == '\n'))
        s.remove_prefix(1);
    while (!s.empty() &&
           (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n'))
        s.remove_suffix(1);
    return s;
}

// The fields of a line, up to `count` of them; quoted fields may hold the separator.
void splitLine(std::string_view line, char sep, size_t count, std::vector<std::string_view>& out) {
    out.clear();
    size_t i = 0;
    while (out.size() < count && i <= line.size()) {
        size_t end;
        if (i < line.size() && line[i] == '"') {
            const size_t close = line.find('"', i + 1);
            end = close == std::string_view::npos ? line.size() : line.find(sep, close);
            if (end == std::string_view::npos) end = line.size();
            std::string_view f = line.substr(i, end - i);
            f = trim(f);
            if (f.size() >= 2 && f.back() == '"') f = f.substr(1, f.size() - 2);
            out.push_back(f);
        } else {
            end = line.find(sep, i);
            if (end == std::string_view::npos) end = line.size();
            out.push_back(trim(line.substr(i, end - i)));
        }
        i = end + 1;
    }
}

bool parseNumber(std::string_view s, bool decimalComma, double& v) {
    s = trim(s);
    if (s.empty() || s.size() > 64) return false;
    char buffer[65];
    std::memcpy(buffer, s.data(), s.size());
    if (decimalComma)
        for (size_t i = 0; i < s.size(); ++i)
            if (buffer[i] == ',') buffer[i] = '.';
    const char* first = buffer + (buffer[0] == '+' ? 1 : 0);
    const auto [end, ec] = std::from_chars(first, buffer + s.size(), v);
    return ec == std::errc() && end == buffer + s.size();
}

std::string lowered(std::string_view s) {
    std::string r(s);
    for (char& c : r) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return r;
}

// The 0-based column `wanted` names: a 1-based number or a header name, also followed by a unit
// ("DB [°C]", "RH (%)"); -1 when none.
int findColumn(const std::string& wanted, const std::vector<std::string>& header) {
    if (!wanted.empty() && wanted.find_first_not_of("0123456789") == std::string::npos) {
        const long n = std::strtol(wanted.c_str(), nullptr, 10);
        return n >= 1 && n <= static_cast<long>(header.size()) ? static_cast<int>(n - 1) : -1;
    }
    const std::string w = lowered(wanted);
    for (size_t i = 0; i < header.size(); ++i)
        if (lowered(header[i]) == w) return static_cast<int>(i);
    for (size_t i = 0; i < header.size(); ++i) {
        const std::string h = lowered(header[i]);
        if (h.size() > w.size() && h.compare(0, w.size(), w) == 0 &&
            std::strchr(" [(_", h[w.size()]))
            return static_cast<int>(i);
    }
    return -1;
}

// Walks the lines of `text` from `from`, calling f(lineNumber, line); stops when progress says so.
template <typename F>
bool forEachLine(const std::string& text, size_t from, long firstLine,
                 const ImportProgress& progress, F f) {
    long n = firstLine;
    size_t pos = from;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        f(n, std::string_view(text).substr(pos, end - pos));
        pos = end + 1;
        if (progress && (n - firstLine) % kProgressEvery == kProgressEvery - 1 &&
            !progress(static_cast<double>(pos) / text.size()))
            return false;
        ++n;
    }
    return true;
}

void skip(ImportReport& r, long line, std::string reason) {
    ++r.skipped;
    if (r.firstSkipped.size() < kReportedRows) r.firstSkipped.push_back({line, std::move(reason)});
}

size_t afterLine(const std::string& text, size_t pos) {
    const size_t end = text.find('\n', pos);
    return end == std::string::npos ? text.size() : end + 1;
}

Result<Imported> finished(Imported im, bool whole) {
    if (!whole) return failure("cancelled");
    if (im.report.used == 0) {
        std::string why = "no row gives an air state (" + std::to_string(im.report.rows) + " rows";
        if (!im.report.firstSkipped.empty())
            why += "; line " + std::to_string(im.report.firstSkipped[0].line) + ": " +
                   im.report.firstSkipped[0].reason;
        return failure(why + ")");
    }
    return im;
}

}  // namespace

char detectSeparator(const std::string& headerLine) {
    if (headerLine.find('\t') != std::string::npos) return '\t';
    if (headerLine.find(';') != std::string::npos) return ';';
    return ',';
}

std::vector<std::string> csvHeader(const std::string& text) {
    size_t start = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    const std::string line = text.substr(start, afterLine(text, start) - start);
    std::vector<std::string_view> fields;
    splitLine(line, detectSeparator(line), 10000, fields);
    std::vector<std::string> names;
    for (std::string_view f : fields) names.emplace_back(trim(f));
    if (names.size() == 1 && names[0].empty()) names.clear();
    return names;
}

Result<Imported> importCsvText(const std::string& text, const CsvChoice& choice,
                               const ImportProgress& progress) {
    const size_t start = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    const std::vector<std::string> header = csvHeader(text);
    if (header.empty()) return failure("the file has no header row");
    const char sep = detectSeparator(text.substr(start, afterLine(text, start) - start));
    const int a = findColumn(choice.first.column, header);
    const int b = findColumn(choice.second.column, header);
    if (a < 0) return failure("no column '" + choice.first.column + "' in the header row");
    if (b < 0) return failure("no column '" + choice.second.column + "' in the header row");
    if (a == b) return failure("the two properties must come from different columns");
    const CsvColumn* cols[] = {&choice.first, &choice.second};
    for (const CsvColumn* c : cols)
        if (!unitFits(c->quantity, c->unit))
            return failure(quantityName(c->quantity) + " cannot be given in " + unitName(c->unit));
    int t = -1;
    if (!choice.timeColumn.empty() && (t = findColumn(choice.timeColumn, header)) < 0)
        return failure("no column '" + choice.timeColumn + "' in the header row");
    const size_t need = static_cast<size_t>(std::max({a, b, t})) + 1;
    const bool decimalComma = sep == ';';
    StateCalculator calc(choice.pressureMmHg);
    Imported im;
    std::vector<std::string_view> fields;
    const bool whole =
        forEachLine(text, afterLine(text, start), 2, progress, [&](long n, std::string_view line) {
            if (trim(line).empty()) return;
            ++im.report.rows;
            splitLine(line, sep, need, fields);
            if (fields.size() < need) return skip(im.report, n, "missing field");
            double va, vb;
            if (!parseNumber(fields[a], decimalComma, va))
                return skip(im.report, n,
                            "not a number: '" + std::string(fields[a].substr(0, 20)) + "'");
            if (!parseNumber(fields[b], decimalComma, vb))
                return skip(im.report, n,
                            "not a number: '" + std::string(fields[b].substr(0, 20)) + "'");
            const PointOutcome o =
                calc.state(choice.first.quantity, toEngineering(va, choice.first.unit),
                           choice.second.quantity, toEngineering(vb, choice.second.unit));
            if (!o.point) return skip(im.report, n, o.reason);
            ++im.report.used;
            im.set.points.push_back(*o.point);
            if (t >= 0) im.set.times.emplace_back(fields[t]);
        });
    return finished(std::move(im), whole);
}

Result<Imported> importEpwText(const std::string& text, double pressureMmHg,
                               const ImportProgress& progress) {
    const size_t start = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    if (text.compare(start, 9, "LOCATION,") != 0)
        return failure("not an EPW weather file (no LOCATION line)");
    std::vector<std::string_view> fields;
    splitLine(std::string_view(text).substr(start, afterLine(text, start) - start), ',', 4, fields);
    Imported im;
    im.set.name = std::string(fields.size() > 1 ? fields[1] : "EPW");
    if (fields.size() > 3 && !fields[3].empty()) im.set.name += ", " + std::string(fields[3]);
    size_t pos = start;
    for (int i = 0; i < 8 && pos < text.size(); ++i) pos = afterLine(text, pos);
    StateCalculator calc(pressureMmHg);
    const bool whole = forEachLine(text, pos, 9, progress, [&](long n, std::string_view line) {
        if (trim(line).empty()) return;
        ++im.report.rows;
        splitLine(line, ',', 9, fields);
        if (fields.size() < 9) return skip(im.report, n, "missing field");
        double date[4], DB, RH;
        for (int i = 0; i < 4; ++i)
            // Far beyond any calendar, a value is no date (nor a whole number to print).
            if (!parseNumber(fields[i], false, date[i]) || !(std::fabs(date[i]) < 1e6))
                return skip(im.report, n, "not a date and hour");
        if (!parseNumber(fields[6], false, DB) || !parseNumber(fields[8], false, RH))
            return skip(im.report, n, "not a number");
        const PointOutcome o = calc.state(Quantity::DB, DB, Quantity::RH, RH);
        if (!o.point) return skip(im.report, n, o.reason);
        ++im.report.used;
        im.set.points.push_back(*o.point);
        char time[48];
        // The hour ending at the given hour (1–24), as the weather file counts them.
        std::snprintf(time, sizeof time, "%04d-%02d-%02d %02d:00", static_cast<int>(date[0]),
                      static_cast<int>(date[1]), static_cast<int>(date[2]),
                      static_cast<int>(date[3]));
        im.set.times.emplace_back(time);
    });
    return finished(std::move(im), whole);
}

Result<std::string> readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return failure(path + ": cannot be read");
    std::ostringstream s;
    s << in.rdbuf();
    if (in.bad()) return failure(path + ": cannot be read");
    return s.str();
}

Result<Imported> importFile(const std::string& path, const CsvChoice& choice,
                            const ImportProgress& progress) {
    const auto text = readWholeFile(path);
    if (!text) return failure(text.error());
    std::string lower = lowered(path);
    const bool epw = lower.size() > 4 && lower.compare(lower.size() - 4, 4, ".epw") == 0;
    auto r = epw ? importEpwText(*text, choice.pressureMmHg, progress)
                 : importCsvText(*text, choice, progress);
    if (!r) return failure(path + ": " + r.error());
    if (!epw) {
        const size_t slash = path.find_last_of('/');
        r->set.name = path.substr(slash == std::string::npos ? 0 : slash + 1);
    }
    return r;
}

}  // namespace humidraw
