#pragma once
// Reading measured data: CSV files with a header row and EnergyPlus weather (EPW) files. A row
// that cannot be read or gives no state is skipped and counted; a file that cannot be read at
// all gives a failure and no data set. Files are read line by line in a bounded buffer, so
// memory grows only with the points kept.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "measured/measured.h"
#include "result/result.h"

namespace humidraw {

class InputFile;

// The longest line a data file may have (1 MiB): a longer data row is skipped, a longer header
// refused. The header may have as many columns as fit in it.
constexpr size_t kImportLineLimit = size_t{1} << 20;
// The most data rows one file may have (5·10⁷); the import stops with a message past it.
constexpr long kImportRowLimit = 50'000'000;
// The longest date-time text a point keeps; a row with a longer one is skipped.
constexpr size_t kImportTimeLimit = 64;

struct SkippedRow {
    long line = 0;  // 1-based line of the file
    std::string reason;
};

struct ImportReport {
    long rows = 0, used = 0, skipped = 0;  // data rows (the header and blank lines not counted)
    std::vector<SkippedRow> firstSkipped;  // the first few, in file order
};

struct Imported {
    DataSet set;
    ImportReport report;
};

// Called now and then with the share of the file read (0–1); returning false stops the import,
// which then fails with Reason::Cancelled (and no text: the caller tells it in its own words)
// and gives nothing.
using ImportProgress = std::function<bool(double done)>;

struct CsvColumn {
    std::string column;  // a header name (any letter case), or a 1-based column number
    Quantity quantity = Quantity::DB;
    Unit unit = Unit::Celsius;
};

struct CsvChoice {
    CsvColumn first, second;
    std::string timeColumn;  // empty: none
    double pressureMmHg = 760;
};

// The lines of a data file one after another: the text in memory or a file read in pieces.
class LineSource {
  public:
    virtual ~LineSource() = default;
    // The next line without its '\n'; false at the end and when reading failed (readFailure()
    // then says why). A line longer than kImportLineLimit comes as `tooLong` with an empty
    // `line`.
    virtual bool next(std::string_view& line, bool& tooLong) = 0;
    // The share of the whole read so far, 0–1.
    virtual double share() const = 0;
    // Why reading failed; nothing while it goes well.
    const std::optional<Failure>& readFailure() const { return failed_; }

  protected:
    std::optional<Failure> failed_;
};

class TextLines final : public LineSource {
  public:
    explicit TextLines(std::string_view text) : text_(text) {}
    bool next(std::string_view& line, bool& tooLong) override;
    double share() const override;

  private:
    std::string_view text_;
    size_t pos_ = 0;
};

// A regular file (files/read_file.h), every read checked.
class FileLines final : public LineSource {
  public:
    explicit FileLines(const std::string& path);
    ~FileLines() override;
    bool next(std::string_view& line, bool& tooLong) override;
    double share() const override;

  private:
    bool fill();
    std::unique_ptr<InputFile> file_;
    std::vector<char> buffer_;
    size_t begin_ = 0, end_ = 0;
    uint64_t consumed_ = 0;
    bool atEnd_ = false;
};

// The separator a header line uses: tab, then semicolon, then comma, whichever it holds.
char detectSeparator(const std::string& headerLine);
// The header names of a CSV text (its first line), unquoted and trimmed, however many.
std::vector<std::string> csvHeader(const std::string& text);
// The header names of a CSV file, reading only its first line.
Result<std::vector<std::string>> csvFileHeader(const std::string& path);

// The columns a header names: each name is read as a property when it is one of the property
// names ("DB", "RH", "x" or "AH", "h", "WB", "SV", "DP") or one of a few words for them
// ("temperature", "humidity", "dew point", "乾球温度", "相対湿度", …), in any letter case, alone or
// followed by a unit ("DB [°C]", "x (g/kg)", "temp_C"); the unit is taken from it when it is
// one of the property's, else the property's first unit. The dry bulb is paired with the first
// of RH, x, DP, h, WB, SV the header has; without a dry bulb the first two named properties that
// fix a state are taken, in column order. The date-time column is the first named "time",
// "date", "datetime", "timestamp", "日時", "日付" or "時刻". Columns are given by 1-based numbers;
// a failure saying so when no two columns name properties.
Result<CsvChoice> proposeCsvColumns(const std::vector<std::string>& header);

// From CSV lines (the header first). Decimal commas are read when the separator is a semicolon.
Result<Imported> importCsv(LineSource& lines, const CsvChoice& choice,
                           const ImportProgress& progress = {}, long rowLimit = kImportRowLimit);
// From EPW lines: dry bulb and RH of each hour; the site from the LOCATION line.
Result<Imported> importEpw(LineSource& lines, double pressureMmHg = 760,
                           const ImportProgress& progress = {}, long rowLimit = kImportRowLimit);

// The same from the text of a whole file.
Result<Imported> importCsvText(const std::string& text, const CsvChoice& choice,
                               const ImportProgress& progress = {});
Result<Imported> importEpwText(const std::string& text, double pressureMmHg = 760,
                               const ImportProgress& progress = {});

// The bytes of a regular file of at most 64 MiB; a failure "PATH: reason" otherwise.
Result<std::string> readWholeFile(const std::string& path);
// By the file's extension (.epw in any letter case, else CSV), read as it goes; the set is named
// after the file (an EPW file after its site).
Result<Imported> importFile(const std::string& path, const CsvChoice& choice,
                            const ImportProgress& progress = {});

}  // namespace humidraw
