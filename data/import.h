#pragma once
// Reading measured data: CSV files with a header row and EnergyPlus weather (EPW) files. A row
// that cannot be read or gives no state is skipped and counted; a file that cannot be read at
// all gives a failure and no data set.
#include <functional>
#include <string>
#include <vector>

#include "data/measured.h"
#include "result/result.h"

namespace humidraw {

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
// which then fails with "cancelled" and gives nothing.
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

// The separator a header line uses: tab, then semicolon, then comma, whichever it holds.
char detectSeparator(const std::string& headerLine);
// The header names of a CSV text (its first line), unquoted and trimmed.
std::vector<std::string> csvHeader(const std::string& text);

// From the text of a CSV file. Decimal commas are read when the separator is a semicolon.
Result<Imported> importCsvText(const std::string& text, const CsvChoice& choice,
                               const ImportProgress& progress = {});
// From the text of an EPW file: dry bulb and RH of each hour; the site from the LOCATION line.
Result<Imported> importEpwText(const std::string& text, double pressureMmHg = 760,
                               const ImportProgress& progress = {});

// The file's bytes; a failure with the reason when it cannot be read.
Result<std::string> readWholeFile(const std::string& path);
// By the file's extension (.epw in any letter case, else CSV); the set is named after the file
// (an EPW file after its site).
Result<Imported> importFile(const std::string& path, const CsvChoice& choice,
                            const ImportProgress& progress = {});

}  // namespace humidraw
