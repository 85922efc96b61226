#include "measured/import.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>

#include "files/read_file.h"
#include "lang/language.h"

namespace humidraw {
namespace {

constexpr size_t kReportedRows = 5;
constexpr long kProgressEvery = 1 << 16;
constexpr size_t kReadPiece = size_t{1} << 16;
// readWholeFile: texts still read whole (zone files, the companion file of a document).
constexpr uint64_t kWholeFileLimit = uint64_t{4} << 30;

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

// `name` is `word` alone or followed by a unit: " [°C]", "(%)", "_C".
bool namesWord(const std::string& name, std::string_view word, std::string_view& rest) {
    if (name.size() < word.size() || name.compare(0, word.size(), word) != 0) return false;
    rest = std::string_view(name).substr(word.size());
    return rest.empty() || std::string_view(" [(_").find(rest.front()) != std::string_view::npos;
}

// The 0-based column `wanted` names: a 1-based number or a header name, also followed by a unit
// ("DB [°C]", "RH (%)"); -1 when none.
int findColumn(const std::string& wanted, const std::vector<std::string>& header) {
    if (!wanted.empty() && wanted.find_first_not_of("0123456789") == std::string::npos) {
        if (wanted.size() > 9) return -1;
        const long n = std::strtol(wanted.c_str(), nullptr, 10);
        return n >= 1 && n <= static_cast<long>(header.size()) ? static_cast<int>(n - 1) : -1;
    }
    const std::string w = lowered(wanted);
    for (size_t i = 0; i < header.size(); ++i)
        if (lowered(header[i]) == w) return static_cast<int>(i);
    std::string_view rest;
    for (size_t i = 0; i < header.size(); ++i)
        if (lowered(header[i]).size() > w.size() && namesWord(lowered(header[i]), w, rest))
            return static_cast<int>(i);
    return -1;
}

// A skipped row; `reason()` gives its reason, asked only for the first few that are reported.
template <typename Reason>
void skip(ImportReport& r, long line, Reason reason) {
    ++r.skipped;
    if (r.firstSkipped.size() < kReportedRows) r.firstSkipped.push_back({line, reason()});
}

std::string lineTooLong() {
    return withArguments(translate("Data", "行が長すぎます（%1 バイトまで）"),
                         {std::to_string(kImportLineLimit)});
}

std::string tooManyRows(long limit) {
    return withArguments(translate("Data", "データの行が多すぎます（%1 行まで）"),
                         {std::to_string(limit)});
}

// Walks the data lines, counting each that is not blank as a row and calling f(lineNumber, line)
// for it; a line too long is skipped. False when the progress stopped it, the row limit was
// passed or a read failed (`why` then says which).
template <typename F>
bool forEachRow(LineSource& lines, long firstLine, long rowLimit, ImportReport& report,
                const ImportProgress& progress, std::optional<Failure>& why, F f) {
    std::string_view line;
    bool tooLong = false;
    for (long n = firstLine;; ++n) {
        if (!lines.next(line, tooLong)) {
            why = lines.readFailure();
            return !why;
        }
        if (tooLong || !trim(line).empty()) {
            if (++report.rows > rowLimit) {
                why = failure(Reason::TooLarge, tooManyRows(rowLimit));
                return false;
            }
            if (tooLong)
                skip(report, n, lineTooLong);
            else
                f(n, line);
        }
        if (progress && (n - firstLine) % kProgressEvery == kProgressEvery - 1 &&
            !progress(lines.share())) {
            why = failure(Reason::Cancelled, {});
            return false;
        }
    }
}

Result<Imported> finished(Imported im) {
    if (im.report.used == 0) {
        const std::string rows = std::to_string(im.report.rows);
        if (im.report.firstSkipped.empty())
            return failure(Reason::Invalid,
                           withArguments(translate("Data", "空気の状態を与える行がありません（%1 行）"),
                                         {rows}));
        return failure(Reason::Invalid, withArguments(
            translate("Data", "空気の状態を与える行がありません（%1 行。%2 行目: %3）"),
            {rows, std::to_string(im.report.firstSkipped[0].line),
             im.report.firstSkipped[0].reason}));
    }
    return im;
}

// The first line without a byte-order mark; false with `why` when there is none to be had.
bool firstLine(LineSource& lines, std::string_view& line, std::optional<Failure>& why) {
    bool tooLong = false;
    if (!lines.next(line, tooLong)) {
        why = lines.readFailure();
        line = {};
        return !why;
    }
    if (tooLong) {
        why = failure(Reason::TooLarge,
                      withArguments(translate("Data", "見出し行が長すぎます（%1 バイトまで）"),
                                    {std::to_string(kImportLineLimit)}));
        return false;
    }
    if (line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);
    return true;
}

std::vector<std::string> headerNames(std::string_view line) {
    std::vector<std::string_view> fields;
    splitLine(line, detectSeparator(std::string(line)), line.size() + 1, fields);
    std::vector<std::string> names;
    names.reserve(fields.size());
    for (std::string_view f : fields) names.emplace_back(trim(f));
    if (names.size() == 1 && names[0].empty()) names.clear();
    return names;
}

Failure outOfMemory() {
    return fileFailure(FileProblem::OutOfMemory);
}

Result<Imported> readCsv(LineSource& lines, const CsvChoice& choice, const ImportProgress& progress,
                         long rowLimit) {
    std::string_view headerLine;
    std::optional<Failure> why;
    if (!firstLine(lines, headerLine, why)) return *why;
    const std::vector<std::string> header = headerNames(headerLine);
    if (header.empty()) return failure(Reason::Invalid, translate("Data", "見出し行がありません"));
    const char sep = detectSeparator(std::string(headerLine));
    const auto noColumn = [](const std::string& c) {
        return failure(Reason::Invalid,
                       withArguments(translate("Data", "見出し行に列「%1」がありません"), {c}));
    };
    const int a = findColumn(choice.first.column, header);
    const int b = findColumn(choice.second.column, header);
    if (a < 0) return noColumn(choice.first.column);
    if (b < 0) return noColumn(choice.second.column);
    if (a == b)
        return failure(Reason::Invalid, translate("Data", "2つの量は別々の列から取ってください"));
    const CsvColumn* cols[] = {&choice.first, &choice.second};
    for (const CsvColumn* c : cols)
        if (!unitFits(c->quantity, c->unit))
            return failure(Reason::Invalid,
                           withArguments(translate("Data", "%1 は %2 では与えられません"),
                                         {quantityName(c->quantity), unitName(c->unit)}));
    int t = -1;
    if (!choice.timeColumn.empty() && (t = findColumn(choice.timeColumn, header)) < 0)
        return noColumn(choice.timeColumn);
    const size_t need = static_cast<size_t>(std::max({a, b, t})) + 1;
    const bool decimalComma = sep == ';';
    StateCalculator calc(choice.pressureMmHg);
    Imported im;
    std::vector<std::string_view> fields;
    const auto notANumber = [](std::string_view f) {
        return withArguments(translate("Data", "数値ではありません: '%1'"),
                             {std::string(f.substr(0, 20))});
    };
    const bool whole = forEachRow(
        lines, 2, rowLimit, im.report, progress, why, [&](long n, std::string_view line) {
            splitLine(line, sep, need, fields);
            if (fields.size() < need)
                return skip(im.report, n, [&] { return translate("Data", "項目が足りません"); });
            double va, vb;
            if (!parseNumber(fields[a], decimalComma, va))
                return skip(im.report, n, [&] { return notANumber(fields[a]); });
            if (!parseNumber(fields[b], decimalComma, vb))
                return skip(im.report, n, [&] { return notANumber(fields[b]); });
            if (t >= 0 && fields[t].size() > kImportTimeLimit)
                return skip(im.report, n, [&] {
                    return withArguments(translate("Data", "日時が長すぎます（%1 バイトまで）"),
                                         {std::to_string(kImportTimeLimit)});
                });
            const PointOutcome o =
                calc.state(choice.first.quantity, toEngineering(va, choice.first.unit),
                           choice.second.quantity, toEngineering(vb, choice.second.unit));
            if (!o.point) return skip(im.report, n, [&] { return translate("Data", o.reason); });
            ++im.report.used;
            im.set.points.push_back(*o.point);
            if (t >= 0) im.set.times.emplace_back(fields[t]);
        });
    if (!whole) return *why;
    return finished(std::move(im));
}

// The date fields of a weather file's row, each a whole number within its range.
const struct {
    int low, high;
    const char* reason;
} kEpwDate[] = {
    {1, 9999, HUMIDRAW_TEXT_NOOP("Data", "年が 1～9999 の外です")},
    {1, 12, HUMIDRAW_TEXT_NOOP("Data", "月が 1～12 の外です")},
    {1, 31, HUMIDRAW_TEXT_NOOP("Data", "日が 1～31 の外です")},
    {1, 24, HUMIDRAW_TEXT_NOOP("Data", "時が 1～24 の外です")},
};

Result<Imported> readEpw(LineSource& lines, double pressureMmHg, const ImportProgress& progress,
                         long rowLimit) {
    std::string_view location;
    std::optional<Failure> why;
    if (!firstLine(lines, location, why)) return *why;
    if (location.substr(0, 9) != "LOCATION,")
        return failure(
            Reason::Invalid, translate("Data", "EPW 気象ファイルではありません（LOCATION の行がありません）"));
    std::vector<std::string_view> fields;
    splitLine(location, ',', 4, fields);
    Imported im;
    im.set.name = std::string(fields.size() > 1 ? fields[1] : "EPW");
    if (fields.size() > 3 && !fields[3].empty()) im.set.name += ", " + std::string(fields[3]);
    // Seven more lines of header before the hours.
    std::string_view line;
    bool tooLong = false;
    for (int i = 0; i < 7; ++i)
        if (!lines.next(line, tooLong)) {
            if (lines.readFailure()) return *lines.readFailure();
            break;
        }
    StateCalculator calc(pressureMmHg);
    const bool whole = forEachRow(
        lines, 9, rowLimit, im.report, progress, why, [&](long n, std::string_view line) {
            splitLine(line, ',', 9, fields);
            if (fields.size() < 9)
                return skip(im.report, n, [&] { return translate("Data", "項目が足りません"); });
            int date[4];
            for (int i = 0; i < 4; ++i) {
                double v;
                if (!parseNumber(fields[i], false, v) || v != std::floor(v))
                    return skip(im.report, n,
                                [&] { return translate("Data", "日付と時刻ではありません"); });
                if (!(v >= kEpwDate[i].low && v <= kEpwDate[i].high))
                    return skip(im.report, n,
                                [&] { return translate("Data", kEpwDate[i].reason); });
                date[i] = static_cast<int>(v);
            }
            double DB, RH;
            if (!parseNumber(fields[6], false, DB) || !parseNumber(fields[8], false, RH))
                return skip(im.report, n, [&] { return translate("Data", "数値ではありません"); });
            const PointOutcome o = calc.state(Quantity::DB, DB, Quantity::RH, RH);
            if (!o.point) return skip(im.report, n, [&] { return translate("Data", o.reason); });
            ++im.report.used;
            im.set.points.push_back(*o.point);
            char time[32];
            // The hour ending at the given hour (1–24), as the weather file counts them.
            std::snprintf(time, sizeof time, "%04d-%02d-%02d %02d:00", date[0], date[1], date[2],
                          date[3]);
            im.set.times.emplace_back(time);
        });
    if (!whole) return *why;
    return finished(std::move(im));
}

}  // namespace

bool TextLines::next(std::string_view& line, bool& tooLong) {
    if (pos_ >= text_.size()) return false;
    size_t end = text_.find('\n', pos_);
    if (end == std::string_view::npos) end = text_.size();
    line = text_.substr(pos_, end - pos_);
    pos_ = end + 1;
    tooLong = line.size() > kImportLineLimit;
    if (tooLong) line = {};
    return true;
}

double TextLines::share() const {
    return text_.empty() ? 1 : std::min(1.0, static_cast<double>(pos_) / text_.size());
}

FileLines::FileLines(const std::string& path) : file_(std::make_unique<InputFile>(path)) {
    if (!file_->ok()) {
        failed_ = fileFailure(file_->problem());
        atEnd_ = true;
        return;
    }
    buffer_.resize(kImportLineLimit + 2 * kReadPiece);
}

FileLines::~FileLines() = default;

bool FileLines::fill() {
    const size_t room = std::min(kReadPiece, buffer_.size() - end_);
    const long n = file_->read(buffer_.data() + end_, room);
    if (n < 0) {
        failed_ = fileFailure(file_->problem());
        return false;
    }
    if (n == 0) atEnd_ = true;
    end_ += static_cast<size_t>(n);
    return true;
}

bool FileLines::next(std::string_view& line, bool& tooLong) {
    tooLong = false;
    if (failed_) return false;
    size_t scanned = begin_;
    for (;;) {
        const void* nl = std::memchr(buffer_.data() + scanned, '\n', end_ - scanned);
        if (nl || (atEnd_ && end_ > begin_)) {
            const size_t stop = nl ? static_cast<const char*>(nl) - buffer_.data() : end_;
            line = std::string_view(buffer_.data() + begin_, stop - begin_);
            begin_ = std::min(stop + 1, end_);
            consumed_ += line.size() + (nl ? 1 : 0);
            tooLong = line.size() > kImportLineLimit;
            if (tooLong) line = {};
            return true;
        }
        if (atEnd_) return false;
        if (end_ - begin_ > kImportLineLimit) {
            // Too long to keep: the rest of the line is read past.
            consumed_ += end_ - begin_;
            begin_ = end_ = 0;
            for (;;) {
                if (!fill()) return false;
                const void* p = std::memchr(buffer_.data(), '\n', end_);
                const size_t upTo = p ? static_cast<const char*>(p) - buffer_.data() + 1 : end_;
                consumed_ += upTo;
                if (p || atEnd_) {
                    begin_ = upTo;
                    tooLong = true;
                    line = {};
                    return true;
                }
                end_ = 0;
            }
        }
        if (begin_ > 0) {
            std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
            end_ -= begin_;
            begin_ = 0;
        }
        scanned = end_;
        if (!fill()) return false;
    }
}

double FileLines::share() const {
    const uint64_t size = file_->size();
    return size == 0 ? 1 : std::min(1.0, static_cast<double>(consumed_) / size);
}

char detectSeparator(const std::string& headerLine) {
    if (headerLine.find('\t') != std::string::npos) return '\t';
    if (headerLine.find(';') != std::string::npos) return ';';
    return ',';
}

std::vector<std::string> csvHeader(const std::string& text) {
    TextLines lines(text);
    std::string_view line;
    std::optional<Failure> why;
    if (!firstLine(lines, line, why)) return {};
    return headerNames(line);
}

Result<std::vector<std::string>> csvFileHeader(const std::string& path) {
    try {
        FileLines lines(path);
        std::string_view line;
        std::optional<Failure> why;
        if (!firstLine(lines, line, why)) return named(path, *why);
        return headerNames(line);
    } catch (const std::bad_alloc&) {
        return named(path, outOfMemory());
    }
}

namespace {

// Words a header may use for a property, lower case.
const struct {
    const char* word;
    Quantity q;
} kPropertyWords[] = {
    {"db", Quantity::DB},
    {"rh", Quantity::RH},
    {"x", Quantity::X},
    {"ah", Quantity::X},
    {"h", Quantity::H},
    {"wb", Quantity::WB},
    {"sv", Quantity::SV},
    {"dp", Quantity::DP},
    {"dry bulb temperature", Quantity::DB},
    {"dry bulb", Quantity::DB},
    {"dry-bulb temperature", Quantity::DB},
    {"dry-bulb", Quantity::DB},
    {"temperature", Quantity::DB},
    {"temp", Quantity::DB},
    {"relative humidity", Quantity::RH},
    {"humidity ratio", Quantity::X},
    {"absolute humidity", Quantity::X},
    {"humidity", Quantity::RH},
    {"enthalpy", Quantity::H},
    {"specific enthalpy", Quantity::H},
    {"wet bulb temperature", Quantity::WB},
    {"wet bulb", Quantity::WB},
    {"wet-bulb temperature", Quantity::WB},
    {"wet-bulb", Quantity::WB},
    {"specific volume", Quantity::SV},
    {"dew point temperature", Quantity::DP},
    {"dew point", Quantity::DP},
    {"dew-point temperature", Quantity::DP},
    {"dew-point", Quantity::DP},
    {"dewpoint", Quantity::DP},
    {"乾球温度", Quantity::DB},
    {"温度", Quantity::DB},
    {"相対湿度", Quantity::RH},
    {"湿度", Quantity::RH},
    {"絶対湿度", Quantity::X},
    {"比エンタルピ", Quantity::H},
    {"比エンタルピー", Quantity::H},
    {"エンタルピ", Quantity::H},
    {"エンタルピー", Quantity::H},
    {"湿球温度", Quantity::WB},
    {"比容積", Quantity::SV},
    {"露点温度", Quantity::DP},
    {"露点", Quantity::DP},
};

const char* const kTimeWords[] = {"time",      "date", "datetime", "date time", "date/time",
                                  "timestamp", "日時", "日付",     "時刻"};

struct NamedColumn {
    int column;  // 0-based
    Quantity q;
    Unit unit;
};

// The unit a header gives after its name ("[g/kg]", "(g/kg(DA))", "_C"), else the property's
// first unit; empty when the brackets hold anything but one of the property's units ("DB [°F]"),
// so that such a column is never read in the wrong unit.
std::optional<Unit> headerUnit(std::string_view rest, Quantity q) {
    const std::string_view given = trim(rest);
    const bool bracketed = !given.empty() && (given.front() == '[' || given.front() == '(');
    std::string u(given);
    if (!u.empty() && (u.front() == '[' || u.front() == '(' || u.front() == '_')) u.erase(0, 1);
    if (!u.empty() && (u.back() == ']' || u.back() == ')')) u.pop_back();
    if (u.size() > 4 && u.compare(u.size() - 4, 4, "(da)") == 0) u.erase(u.size() - 4);
    const auto unit = parseUnit(std::string(trim(u)));
    if (unit && unitFits(q, *unit)) return unit;
    if (bracketed || unit) return std::nullopt;
    return unitsFor(q).front();
}

bool fixesState(Quantity a, Quantity b) {
    const auto pair = [&](Quantity p, Quantity q) {
        return (a == p && b == q) || (a == q && b == p);
    };
    return a != b && !pair(Quantity::DP, Quantity::X) && !pair(Quantity::H, Quantity::WB);
}

}  // namespace

Result<CsvChoice> proposeCsvColumns(const std::vector<std::string>& header) {
    std::vector<NamedColumn> named;
    int time = -1;
    for (size_t i = 0; i < header.size(); ++i) {
        const std::string name = lowered(trim(header[i]));
        std::string_view rest;
        // The longest word that names the column: "humidity ratio" rather than "humidity".
        const char* best = nullptr;
        Quantity q = Quantity::DB;
        for (const auto& w : kPropertyWords)
            if (namesWord(name, w.word, rest) &&
                (!best || std::strlen(w.word) > std::strlen(best))) {
                best = w.word;
                q = w.q;
            }
        if (best) {
            namesWord(name, best, rest);
            if (const auto unit = headerUnit(rest, q))
                named.push_back({static_cast<int>(i), q, *unit});
            continue;
        }
        if (time < 0)
            for (const char* w : kTimeWords)
                if (namesWord(name, w, rest)) time = static_cast<int>(i);
    }
    const NamedColumn* first = nullptr;
    const NamedColumn* second = nullptr;
    for (const NamedColumn& c : named)
        if (c.q == Quantity::DB) {
            first = &c;
            break;
        }
    if (first) {
        for (Quantity q :
             {Quantity::RH, Quantity::X, Quantity::DP, Quantity::H, Quantity::WB, Quantity::SV}) {
            for (const NamedColumn& c : named)
                if (c.q == q) {
                    second = &c;
                    break;
                }
            if (second) break;
        }
    } else {
        for (size_t i = 0; i < named.size() && !second; ++i)
            for (size_t j = i + 1; j < named.size() && !second; ++j)
                if (fixesState(named[i].q, named[j].q)) {
                    first = &named[i];
                    second = &named[j];
                }
    }
    if (!first || !second)
        return failure(Reason::Invalid, translate(
            "Data", "見出し行に量（DB, RH, x, h, WB, SV, DP）を名前とする列が2つありません"));
    CsvChoice c;
    c.first = {std::to_string(first->column + 1), first->q, first->unit};
    c.second = {std::to_string(second->column + 1), second->q, second->unit};
    if (time >= 0) c.timeColumn = std::to_string(time + 1);
    return c;
}

Result<Imported> importCsv(LineSource& lines, const CsvChoice& choice,
                           const ImportProgress& progress, long rowLimit) {
    try {
        return readCsv(lines, choice, progress, rowLimit);
    } catch (const std::bad_alloc&) {
        return outOfMemory();
    }
}

Result<Imported> importEpw(LineSource& lines, double pressureMmHg, const ImportProgress& progress,
                           long rowLimit) {
    try {
        return readEpw(lines, pressureMmHg, progress, rowLimit);
    } catch (const std::bad_alloc&) {
        return outOfMemory();
    }
}

Result<Imported> importCsvText(const std::string& text, const CsvChoice& choice,
                               const ImportProgress& progress) {
    TextLines lines(text);
    return importCsv(lines, choice, progress);
}

Result<Imported> importEpwText(const std::string& text, double pressureMmHg,
                               const ImportProgress& progress) {
    TextLines lines(text);
    return importEpw(lines, pressureMmHg, progress);
}

Result<std::string> readWholeFile(const std::string& path) {
    return readRegularFile(path, kWholeFileLimit);
}

Result<Imported> importFile(const std::string& path, const CsvChoice& choice,
                            const ImportProgress& progress) {
    std::string lower = lowered(path);
    const bool epw = lower.size() > 4 && lower.compare(lower.size() - 4, 4, ".epw") == 0;
    try {
        FileLines lines(path);
        auto r = epw ? importEpw(lines, choice.pressureMmHg, progress)
                     : importCsv(lines, choice, progress);
        if (!r) return r.reason() == Reason::Cancelled ? r.failure() : named(path, r.failure());
        if (!epw) {
            const size_t slash = path.find_last_of('/');
            r->set.name = path.substr(slash == std::string::npos ? 0 : slash + 1);
        }
        return r;
    } catch (const std::bad_alloc&) {
        return named(path, outOfMemory());
    }
}

}  // namespace humidraw
