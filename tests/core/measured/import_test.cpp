// Importing CSV and EPW files. Expected humidity ratios are hand computed from published
// saturation pressures (Sonntag / WMO tables: 23.39 hPa at 20 °C, 12.28 hPa at 10 °C) with
// x = 0.622 pw / (P − pw) at P = 1013.25 hPa (760 mmHg); the library's own curve differs from
// the tables in the fourth figure, hence the tolerances.
#include "measured/import.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>

#include "text/number_format.h"

using namespace humidraw;

namespace {

CsvChoice dbRh(std::string first = "DB", std::string second = "RH") {
    CsvChoice c;
    c.first = {first, Quantity::DB, Unit::Celsius};
    c.second = {second, Quantity::RH, Unit::Percent};
    return c;
}

}  // namespace

TEST(DataImport, SeparatorsAndDecimalComma) {
    // 20 °C 50 %: pw = 11.695 hPa, x = 0.622 × 11.695 / 1001.555 = 0.007263.
    for (const char* text : {"DB,RH\n20,50\n", "DB;RH\n20,0;50\n", "DB\tRH\n20.0\t50\n",
                             "\xEF\xBB\xBF\"DB\",\"RH\"\r\n\"20\",\"50\"\r\n"}) {
        const auto r = importCsvText(text, dbRh());
        ASSERT_TRUE(r) << text << ": " << r.error();
        ASSERT_EQ(r->set.points.size(), 1u) << text;
        EXPECT_NEAR(r->set.points[0].DB, 20, 1e-12);
        EXPECT_NEAR(r->set.points[0].x, 0.007263, 0.000005) << text;
        // h = 0.24 × 20 + (597.5 + 0.441 × 20) × 0.007263 = 4.8 + 4.4037 = 9.2037 kcal/kg.
        EXPECT_NEAR(r->set.points[0].h, 9.2037, 0.004) << text;
    }
}

TEST(DataImport, ColumnsByNameWithUnitNumberAndTime) {
    const std::string text =
        "time,temp (C),x [g/kg],other\n2026-01-01 00:00,20,7.263,a\n2026-01-01 01:00,10,5,b\n";
    CsvChoice c;
    c.first = {"temp", Quantity::DB, Unit::Celsius};
    c.second = {"3", Quantity::X, Unit::GPerKg};
    c.timeColumn = "time";
    const auto r = importCsvText(text, c);
    ASSERT_TRUE(r) << r.error();
    ASSERT_EQ(r->set.points.size(), 2u);
    EXPECT_DOUBLE_EQ(r->set.points[1].x, 0.005);
    EXPECT_EQ(r->set.times[1], "2026-01-01 01:00");
    // The same state from kg/kg and from the dew point: 10 °C dew point gives
    // x = 0.622 × 12.28 / 1000.97 = 0.007631.
    const auto dp = importCsvText("DB,DP\n20,10\n", [] {
        CsvChoice d;
        d.first = {"DB", Quantity::DB, Unit::Celsius};
        d.second = {"DP", Quantity::DP, Unit::Celsius};
        return d;
    }());
    ASSERT_TRUE(dp) << dp.error();
    EXPECT_NEAR(dp->set.points[0].x, 0.007631, 0.000006);
}

TEST(DataImport, EnthalpyUnitsGiveTheSameState) {
    // 9.2037 kcal/kg = 38.528 kJ/kg (× 4.18605, the chart's factor); with x = 7.263 g/kg the
    // dry bulb is (9.2037 − 597.5 × 0.007263) / (0.24 + 0.441 × 0.007263) = 20.0 °C.
    CsvChoice c;
    c.first = {"h", Quantity::H, Unit::KcalPerKg};
    c.second = {"x", Quantity::X, Unit::GPerKg};
    const auto kcal = importCsvText("h,x\n9.2037,7.263\n", c);
    c.first.unit = Unit::KJPerKg;
    const auto kj = importCsvText("h,x\n38.5275,7.263\n", c);
    ASSERT_TRUE(kcal && kj);
    EXPECT_NEAR(kcal->set.points[0].DB, 20.0, 0.01);
    EXPECT_NEAR(kj->set.points[0].DB, kcal->set.points[0].DB, 0.001);
}

TEST(DataImport, BadRowsAreSkippedWithLineAndReason) {
    const std::string text =
        "DB,RH\n"
        "20,50\n"    // 2 used
        "21\n"       // 3 missing field
        "abc,50\n"   // 4 not a number
        "\n"         // blank: not a row
        "22,101\n"   // 6 RH above 100
        "-300,50\n"  // 7 outside the library's range
        "23,60\n"    // 8 used
        "24,-1\n";   // 9 RH below 0
    const auto r = importCsvText(text, dbRh());
    ASSERT_TRUE(r) << r.error();
    EXPECT_EQ(r->report.rows, 7);
    EXPECT_EQ(r->report.used, 2);
    EXPECT_EQ(r->report.skipped, 5);
    ASSERT_EQ(r->report.firstSkipped.size(), 5u);
    const long lines[] = {3, 4, 6, 7, 9};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(r->report.firstSkipped[i].line, lines[i]);
    // The program's own language: the tests run in Japanese.
    EXPECT_EQ(r->report.firstSkipped[0].reason, "項目が足りません");
    EXPECT_EQ(r->report.firstSkipped[1].reason, "数値ではありません: 'abc'");
    EXPECT_EQ(r->report.firstSkipped[2].reason, "相対湿度が 0～100 % の外です");
    EXPECT_EQ(r->report.firstSkipped[3].reason, "ライブラリの範囲外です");
}

TEST(DataImport, EachRefusalHasItsReasonAndText) {
    const auto never = [](double) { return false; };
    std::string many = "DB,RH\n";  // past the first progress call, at 65 536 rows
    for (int i = 0; i < 70000; ++i) many += "20,50\n";
    const struct {
        const char* what;
        Result<Imported> got;
        Failure expected;
    } cases[] = {
        {"empty text", importCsvText("", dbRh()), {Reason::Invalid, "見出し行がありません"}},
        {"no row", importCsvText("DB,RH\n", dbRh()),
         {Reason::Invalid, "空気の状態を与える行がありません（0 行）"}},
        {"no row gives a state", importCsvText("DB,RH\nx,y\n", dbRh()),
         {Reason::Invalid, "空気の状態を与える行がありません（1 行。2 行目: 数値ではありません: 'x'）"}},
        {"no such column", importCsvText("A,B\n20,50\n", dbRh()),
         {Reason::Invalid, "見出し行に列「DB」がありません"}},
        {"one column twice", importCsvText("DB,RH\n20,50\n", dbRh("DB", "DB")),
         {Reason::Invalid, "2つの量は別々の列から取ってください"}},
        {"a column number past the header", importCsvText("DB,RH\n20,50\n", dbRh("DB", "9")),
         {Reason::Invalid, "見出し行に列「9」がありません"}},
        {"not a weather file", importEpwText("DB,RH\n20,50\n"),
         {Reason::Invalid, "EPW 気象ファイルではありません（LOCATION の行がありません）"}},
        {"a header past the line limit",
         importCsvText(std::string(kImportLineLimit + 1, 'c') + "\n20,50\n", dbRh()),
         {Reason::TooLarge, "見出し行が長すぎます（1048576 バイトまで）"}},
        {"stopped by the progress", importCsvText(many, dbRh(), never),
         {Reason::Cancelled, ""}},
        {"a missing file", importFile("/nonexistent/folder/data.csv", dbRh()),
         {Reason::Unreadable, "/nonexistent/folder/data.csv: ファイルが見つかりません"}},
        {"a folder", importFile("/tmp", dbRh()),
         {Reason::Unreadable, "/tmp: フォルダです。ファイルを指定して下さい"}},
        // The first read fails (the kernel answers EIO at offset 0).
        {"an unreadable file", importFile("/proc/self/mem", dbRh()),
         {Reason::Unreadable, "/proc/self/mem: ファイルを読み込めません"}},
    };
    for (const auto& c : cases) {
        ASSERT_FALSE(c.got) << c.what;
        EXPECT_EQ(c.got.failure(), c.expected) << c.what;
    }
}

TEST(DataImport, DamagedFilesGiveAReasonAndNothingElse) {
    std::string garbage(5000, '\0');
    for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>(i * 37 % 256);
    EXPECT_FALSE(importCsvText(garbage, dbRh()));
    EXPECT_FALSE(importEpwText(garbage));
    EXPECT_FALSE(importEpwText("DB,RH\n20,50\n"));
    EXPECT_FALSE(importFile("/nonexistent/folder/data.csv", dbRh()));
    // A field far too long to be a number.
    const auto r = importCsvText("DB,RH\n" + std::string(100000, '1') + ",50\n20,50\n", dbRh());
    ASSERT_TRUE(r);
    EXPECT_EQ(r->report.skipped, 1);
}

TEST(DataImport, ProgressCanCancel) {
    std::string text = "DB,RH\n";
    for (int i = 0; i < 200000; ++i) text += "20,50\n";
    int calls = 0;
    const auto whole = importCsvText(text, dbRh(), [&](double done) {
        EXPECT_GT(done, 0);
        EXPECT_LE(done, 1);
        return ++calls > 0;
    });
    ASSERT_TRUE(whole);
    EXPECT_GE(calls, 3);
    const auto stopped = importCsvText(text, dbRh(), [](double) { return false; });
    ASSERT_FALSE(stopped);
    EXPECT_EQ(stopped.failure(), failure(Reason::Cancelled, ""));
}

namespace {

// A generated weather year: the hour's dry bulb cycles 0..29 °C and the RH 20..95 %, the
// hour of day 1..24; hour 100 has the missing-value mark 999 for RH.
std::string generatedEpw() {
    std::string t = "LOCATION,Testville,TK,Nowhere,GEN,000000,35.0,139.0,9.0,10.0\n";
    const char* headers[] = {"DESIGN CONDITIONS,0",
                             "TYPICAL/EXTREME PERIODS,0",
                             "GROUND TEMPERATURES,0",
                             "HOLIDAYS/DAYLIGHT SAVINGS,No,0,0,0",
                             "COMMENTS 1,generated",
                             "COMMENTS 2,",
                             "DATA PERIODS,1,1,Data,Sunday,1/1,12/31"};
    for (const char* h : headers) t += std::string(h) + "\n";
    char line[200];
    for (int i = 0; i < 8760; ++i) {
        const int rh = i == 99 ? 999 : 20 + i % 76;
        std::snprintf(line, sizeof line, "2026,%d,%d,%d,60,A7A7,%d.0,0.0,%d,101325,0,0\n",
                      1 + i / 744, 1 + (i / 24) % 31, 1 + i % 24, i % 30, rh);
        t += line;
    }
    return t;
}

}  // namespace

TEST(DataImport, GeneratedEpwYear) {
    const auto r = importEpwText(generatedEpw());
    ASSERT_TRUE(r) << r.error();
    EXPECT_EQ(r->set.name, "Testville, Nowhere");
    EXPECT_EQ(r->report.rows, 8760);
    EXPECT_EQ(r->report.used, 8759);
    ASSERT_EQ(r->report.skipped, 1);
    EXPECT_EQ(r->report.firstSkipped[0].line, 9 + 99);  // eight header lines, then hour 100
    ASSERT_EQ(r->set.times.size(), 8759u);
    EXPECT_EQ(r->set.times[0], "2026-01-01 01:00");
    EXPECT_EQ(r->set.times[23], "2026-01-01 24:00");
    // The 30th hour (i = 29) has 29 °C.
    EXPECT_DOUBLE_EQ(r->set.points[29].DB, 29.0);
}

TEST(DataImport, EpwDateFieldsOutsideTheirRangesAreSkipped) {
    // Each bad row once among good hours; a year of 8.9e58 does not fit an int at all.
    std::string t = generatedEpw();
    t.resize(t.find("2026,1,1,3,"));  // two good hours, lines 9 and 10
    const char* bad[] = {"8.9e58,1,1,3", "2026,13,1,3", "2026,0,1,3", "2026,1,32,3",
                         "2026,1,0,3",   "2026,1,1,25", "2026,1,1,0", "2026,1,1,2.5",
                         "-1e300,1,1,3", "2026,nan,1,3"};
    for (const char* b : bad) t += std::string(b) + ",60,A7A7,20.0,0.0,50,101325,0,0\n";
    t += "2026,12,31,24,60,A7A7,20.0,0.0,50,101325,0,0\n";
    const auto r = importEpwText(t);
    ASSERT_TRUE(r) << r.error();
    EXPECT_EQ(r->report.rows, 13);
    EXPECT_EQ(r->report.used, 3);
    EXPECT_EQ(r->report.skipped, 10);
    const char* reasons[] = {"年が 1～9999 の外です", "月が 1～12 の外です", "月が 1～12 の外です",
                             "日が 1～31 の外です", "日が 1～31 の外です"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(r->report.firstSkipped[i].line, 11 + i);
        EXPECT_EQ(r->report.firstSkipped[i].reason, reasons[i]);
    }
    EXPECT_EQ(r->set.times.back(), "2026-12-31 24:00");
}

namespace {

// `text` in a temporary file, removed when the value goes.
struct TempFile {
    std::string path;
    explicit TempFile(const std::string& text, const char* name = "import.csv")
        : path("/tmp/humidraw-import-" + std::to_string(getpid()) + "-" + name) {
        std::ofstream(path, std::ios::binary) << text;
    }
    ~TempFile() { std::remove(path.c_str()); }
};

}  // namespace

TEST(DataImport, FileReadInPiecesGivesTheTextsPointsBitForBit) {
    // Over 64 KiB pieces and lines of every length across their ends, CRLF, no final line end.
    std::string text = "\xEF\xBB\xBFtime;DB;RH\r\n";
    for (int i = 0; i < 30000; ++i)
        text += std::to_string(i) + std::string(i % 97, ' ') + ";" + std::to_string(i % 40 - 5) +
                "," + std::to_string(i % 10) + ";" + std::to_string(i % 101) + "\r\n";
    text += "last;20,5;50";
    CsvChoice c = dbRh();
    c.timeColumn = "time";
    const TempFile file(text);
    const auto fromText = importCsvText(text, c);
    const auto fromFile = importFile(file.path, c);
    ASSERT_TRUE(fromText && fromFile) << fromText.error() << fromFile.error();
    EXPECT_EQ(fromFile->report.rows, 30001);
    EXPECT_EQ(fromFile->report.used, fromText->report.used);
    ASSERT_EQ(fromFile->set.points.size(), fromText->set.points.size());
    EXPECT_EQ(std::memcmp(fromFile->set.points.data(), fromText->set.points.data(),
                          fromText->set.points.size() * sizeof(MeasuredPoint)),
              0);
    EXPECT_EQ(fromFile->set.times, fromText->set.times);
    EXPECT_EQ(fromFile->set.times.back(), "last");
}

TEST(DataImport, ACancelledFileImportIsCancelledWithoutTheFileName) {
    std::string text = "DB,RH\n";
    for (int i = 0; i < 70000; ++i) text += "20,50\n";
    const TempFile file(text);
    const auto r = importFile(file.path, dbRh(), [](double) { return false; });
    ASSERT_FALSE(r);
    EXPECT_EQ(r.failure(), failure(Reason::Cancelled, ""));
}

TEST(DataImport, WhatIsNoRegularFileOrCannotBeReadFails) {
    const std::string fifo = "/tmp/humidraw-import-fifo-" + std::to_string(getpid()) + ".csv";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    // Refused at once, not waiting for a writer.
    const auto r = importFile(fifo, dbRh());
    std::remove(fifo.c_str());
    ASSERT_FALSE(r);
    EXPECT_EQ(r.error(), fifo + ": 通常のファイルではありません");
    // A regular file whose first read fails (the kernel answers EIO at offset 0): a failure,
    // not an empty file.
    const auto mem = importFile("/proc/self/mem", dbRh());
    ASSERT_FALSE(mem);
    EXPECT_EQ(mem.error(), "/proc/self/mem: ファイルを読み込めません");
    const auto header = csvFileHeader("/nonexistent/folder/data.csv");
    ASSERT_FALSE(header);
    EXPECT_EQ(header.error(), "/nonexistent/folder/data.csv: ファイルが見つかりません");
    // The whole texts still read whole (zone files, the companion file) are read the same way.
    const auto whole = readWholeFile("/proc/self/mem");
    ASSERT_FALSE(whole);
    EXPECT_EQ(whole.error(), "/proc/self/mem: ファイルを読み込めません");
}

TEST(DataImport, HeaderOfAnyWidthAndLinesPastTheLimit) {
    // 20 000 columns before DB and RH.
    std::string header, row;
    for (int i = 0; i < 20000; ++i) {
        header += "c" + std::to_string(i) + ",";
        row += "0,";
    }
    const std::string wide = header + "DB,RH\n" + row + "20,50\n";
    const auto r = importCsvText(wide, dbRh());
    ASSERT_TRUE(r) << r.error();
    EXPECT_EQ(r->report.used, 1);
    EXPECT_EQ(csvHeader(wide).size(), 20002u);
    ASSERT_EQ(proposeCsvColumns(csvHeader(wide))->first.column, "20001");

    // A row one byte past the limit is skipped, one at the limit read; the same from a file.
    const std::string longest = "20,50" + std::string(kImportLineLimit - 5, ' ');
    const std::string text = "DB,RH\n" + longest + " \n" + longest + "\n20,40\n";
    const TempFile file(text);
    for (const auto& got : {importCsvText(text, dbRh()), importFile(file.path, dbRh())}) {
        ASSERT_TRUE(got) << got.error();
        EXPECT_EQ(got->report.rows, 3);
        EXPECT_EQ(got->report.used, 2);
        ASSERT_EQ(got->report.skipped, 1);
        EXPECT_EQ(got->report.firstSkipped[0].line, 2);
        EXPECT_EQ(got->report.firstSkipped[0].reason, "行が長すぎます（1048576 バイトまで）");
    }
    // A header past the limit is refused, saying so.
    const auto tooWide =
        importCsvText(std::string(kImportLineLimit + 1, 'c') + "\n20,50\n", dbRh());
    ASSERT_FALSE(tooWide);
    EXPECT_EQ(tooWide.error(), "見出し行が長すぎます（1048576 バイトまで）");
}

TEST(DataImport, RowLimitStopsTheImportWithAMessage) {
    const std::string text = "DB,RH\n20,50\n\n21,50\nbad\n";  // three rows, the blank line none
    TextLines three(text);
    EXPECT_TRUE(importCsv(three, dbRh(), {}, 3));
    TextLines two(text);
    const auto r = importCsv(two, dbRh(), {}, 2);
    ASSERT_FALSE(r);
    EXPECT_EQ(r.failure(), failure(Reason::TooLarge, "データの行が多すぎます（2 行まで）"));
    EXPECT_EQ(kImportRowLimit, 50000000);
}

#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
namespace {

// In a child: the import with room for 40 MB more; exits 0 when it failed for want of memory.
[[noreturn]] void importWithLittleMemory(const std::string& text) {
    long pages = 0;
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (!statm || std::fscanf(statm, "%ld", &pages) != 1) std::_Exit(2);
    std::fclose(statm);
    const rlim_t room = static_cast<rlim_t>(pages) * sysconf(_SC_PAGESIZE) + (40 << 20);
    const rlimit limit{room, room};
    if (setrlimit(RLIMIT_AS, &limit) != 0) std::_Exit(3);
    const auto r = importCsvText(text, dbRh());
    std::_Exit(!r && r.error() == "メモリが足りません" ? 0 : 1);
}

}  // namespace

TEST(DataImport, RunningOutOfMemoryIsAFailure) {
    // 3·10⁶ rows need 72 MB of points.
    std::string text = "DB,RH\n";
    for (int i = 0; i < 3000000; ++i) text += "20,50\n";
    EXPECT_EXIT(importWithLittleMemory(text), testing::ExitedWithCode(0), "");
}
#endif

TEST(DataImport, ColumnsProposedByTheHeader) {
    struct Case {
        std::vector<std::string> header;
        // "COLUMN QUANTITY UNIT" of both, then the time column; empty: no proposal.
        const char *first, *second, *time;
    } cases[] = {
        {{"DB", "RH"}, "1 DB °C", "2 RH %", ""},
        {{"time", "RH", "DB"}, "3 DB °C", "2 RH %", "1"},
        {{"Date/Time", "Temperature [°C]", "Relative Humidity (%)"}, "2 DB °C", "3 RH %", "1"},
        {{"timestamp", "x [g/kg(DA)]", "db"}, "3 DB °C", "2 x g/kg", "1"},
        {{"日時", "乾球温度", "相対湿度"}, "2 DB °C", "3 RH %", "1"},
        {{"DB", "WB", "RH"}, "1 DB °C", "3 RH %", ""},                // RH before WB
        {{"hour", "dew point", "temp_C"}, "3 DB °C", "2 DP °C", ""},  // "hour" names no time
        {{"humidity ratio", "h (kcal/kg)"}, "1 x kg/kg", "2 h kcal/kg", ""},
        {{"DP", "x", "WB"}, "1 DP °C", "3 WB °C", ""},               // DP and x are one property
        {{"h [kJ/kg]", "WB", "SV"}, "1 h kJ/kg", "3 SV m3/kg", ""},  // as are h and WB
        {{"DB [°F]", "RH"}, "1 DB °F", "2 RH %", ""},
        {{"temp_F", "x (gr/lb(DA))"}, "1 DB °F", "2 x gr/lb", ""},
        {{"h [Btu/lb]", "SV [ft3/lb]"}, "1 h Btu/lb", "2 SV ft3/lb", ""},
        {{"DP (degF)", "DB [°C]"}, "2 DB °C", "1 DP °F", ""},
        {{"DB [K]", "RH"}, "", "", ""},      // a unit not of the dry bulb
        {{"DB", "RH [gr/lb]"}, "", "", ""},  // nor of the relative humidity
        {{"DB"}, "", "", ""},
        {{"A", "B", "C"}, "", "", ""},
        {{}, "", "", ""},
    };
    const auto describe = [](const CsvColumn& c) {
        return c.column + " " + quantityName(c.quantity) + " " + unitName(c.unit);
    };
    for (const Case& c : cases) {
        std::string name;
        for (const std::string& h : c.header) name += h + "|";
        const auto p = proposeCsvColumns(c.header);
        if (!*c.first) {
            ASSERT_FALSE(p) << name;
            EXPECT_EQ(p.error(),
                      "見出し行に量（DB, RH, x, h, WB, SV, DP）を名前とする列が2つありません");
            continue;
        }
        ASSERT_TRUE(p) << name;
        EXPECT_EQ(describe(p->first), c.first) << name;
        EXPECT_EQ(describe(p->second), c.second) << name;
        EXPECT_EQ(p->timeColumn, c.time) << name;
    }
}

TEST(DataImport, EpwDatesBeyondAnyCalendarAreSkipped) {
    std::string t = generatedEpw();
    t = t.substr(0, t.find("2026,1,1,2,"));  // the eight header lines and the first hour
    t += "2e39,1,1,2,60,A7A7,20.0,0.0,50,101325,0,0\n";
    t += "2026,1,-1e300,3,60,A7A7,20.0,0.0,50,101325,0,0\n";
    const auto r = importEpwText(t);
    ASSERT_TRUE(r) << r.error();
    EXPECT_EQ(r->report.rows, 3);
    EXPECT_EQ(r->report.used, 1);
    ASSERT_EQ(r->report.firstSkipped.size(), 2u);
    EXPECT_EQ(r->report.firstSkipped[0].reason, "年が 1～9999 の外です");
    EXPECT_EQ(r->report.firstSkipped[1].line, 11);
    EXPECT_EQ(r->report.firstSkipped[1].reason, "日が 1～31 の外です");
}

// Columns chosen by number count from 1 in decimal, beyond nine too.
TEST(DataImport, ColumnNumbersBeyondNine) {
    std::string text;
    for (int i = 1; i <= 12; ++i) text += (i > 1 ? "," : "") + std::string("c") + std::to_string(i);
    text += "\n1,2,3,4,5,6,7,8,9,21.5,30,40\n";
    CsvChoice c;
    c.first = {"10", Quantity::DB, Unit::Celsius};
    c.second = {"12", Quantity::RH, Unit::Percent};
    const auto r = importCsvText(text, c);
    ASSERT_TRUE(r) << r.error();
    ASSERT_EQ(r->set.points.size(), 1u);
    EXPECT_EQ(r->set.points[0].DB, 21.5);
}

// The import asks whether to go on once every 65536 lines, not at every line: a short file
// is read without asking, and one of 70000 rows asks once.
TEST(DataImport, ProgressIsAskedEvery65536Lines) {
    CsvChoice c = dbRh();
    int asked = 0;
    const auto counting = [&](double) {
        ++asked;
        return true;
    };
    const auto shortFile = importCsvText("DB,RH\n20,50\n21,50\n22,50\n", c, counting);
    ASSERT_TRUE(shortFile) << shortFile.error();
    EXPECT_EQ(asked, 0);
    std::string text = "DB,RH\n";
    for (int i = 0; i < 70000; ++i) text += "20,50\n";
    asked = 0;
    const auto longFile = importCsvText(text, c, counting);
    ASSERT_TRUE(longFile) << longFile.error();
    EXPECT_EQ(longFile->set.points.size(), 70000u);
    EXPECT_EQ(asked, 1);
}

// IP units: the conversion of each (°F = 1.8 °C + 32; 7000 gr to the lb; ft³/lb = 16.01846 ×
// m³/kg; Btu/lb = 1.8 kcal/kg + 32 × 0.24 on the IP datum), their names, and imports in them
// giving the same states as the engineering values.
TEST(DataImport, IpUnits) {
    const double kIpDatum = 32 * static_cast<double>(0.24f);
    const struct {
        double v;
        Unit u;
        double engineering;
    } conversions[] = {
        {77, Unit::Fahrenheit, 25},  // (77 − 32) / 1.8
        {32, Unit::Fahrenheit, 0},
        {-40, Unit::Fahrenheit, -40},
        {70, Unit::GrPerLb, 0.01},  // 70 / 7000
        {0, Unit::GrPerLb, 0},
        // (30.68 − 7.68) / 1.8 = 12.7778; the IP datum puts dry air at 0 °C at 32 × Cpa
        // = 7.68 Btu/lb, Cpa the library's 0.24 as a float (7.6799998 exactly).
        {30.68, Unit::BtuPerLb, (30.68 - kIpDatum) / 1.8},
        {kIpDatum, Unit::BtuPerLb, 0},
        {13.7, Unit::Ft3PerLb, 13.7 / 16.01846},  // 0.855263 m³/kg
    };
    for (const auto& c : conversions)
        EXPECT_NEAR(toEngineering(c.v, c.u), c.engineering, 1e-12) << c.v << " " << unitName(c.u);

    const struct {
        const char* text;
        std::optional<Unit> unit;
    } names[] = {{"F", Unit::Fahrenheit},    {"°F", Unit::Fahrenheit},   {"degF", Unit::Fahrenheit},
                 {"gr/lb", Unit::GrPerLb},   {"GR/LB", Unit::GrPerLb},   {"Btu/lb", Unit::BtuPerLb},
                 {"BTU/LB", Unit::BtuPerLb}, {"ft3/lb", Unit::Ft3PerLb}, {"ft³/lb", Unit::Ft3PerLb},
                 {"C", Unit::Celsius},       {"gr", std::nullopt},       {"lb", std::nullopt},
                 {"K", std::nullopt}};
    for (const auto& n : names) EXPECT_EQ(parseUnit(n.text), n.unit) << n.text;
    for (Unit u : {Unit::Fahrenheit, Unit::GrPerLb, Unit::BtuPerLb, Unit::Ft3PerLb})
        EXPECT_EQ(parseUnit(unitName(u)), u) << unitName(u);
    EXPECT_EQ(unitName(Unit::Fahrenheit), "°F");
    EXPECT_EQ(unitName(Unit::Ft3PerLb), "ft3/lb");
    for (Quantity q : {Quantity::DB, Quantity::WB, Quantity::DP})
        EXPECT_TRUE(unitFits(q, Unit::Fahrenheit));
    EXPECT_FALSE(unitFits(Quantity::RH, Unit::Fahrenheit));
    EXPECT_TRUE(unitFits(Quantity::X, Unit::GrPerLb));
    EXPECT_FALSE(unitFits(Quantity::H, Unit::GrPerLb));
    EXPECT_TRUE(unitFits(Quantity::H, Unit::BtuPerLb));
    EXPECT_TRUE(unitFits(Quantity::SV, Unit::Ft3PerLb));
    EXPECT_FALSE(unitFits(Quantity::DB, Unit::Ft3PerLb));

    // 77 °F, 70 gr/lb is 25 °C, 0.01 kg/kg; the dry bulb and enthalpy pair of the same air.
    CsvChoice ip;
    ip.first = {"DB", Quantity::DB, Unit::Fahrenheit};
    ip.second = {"x", Quantity::X, Unit::GrPerLb};
    const auto r = importCsvText("DB,x\n77,70\n", ip);
    ASSERT_TRUE(r) << r.error();
    ASSERT_EQ(r->set.points.size(), 1u);
    EXPECT_NEAR(r->set.points[0].DB, 25, 1e-12);
    EXPECT_NEAR(r->set.points[0].x, 0.01, 1e-15);
    // h = 0.24 × 25 + (597.5 + 0.441 × 25) × 0.01 = 6 + 6.0853 = 12.0853 kcal/kg.
    EXPECT_NEAR(r->set.points[0].h, 12.0853, 0.005);
    // The same air by its enthalpy in Btu/lb: 1.8 h + 7.68, and back to 77 °F, 70 gr/lb.
    CsvChoice byH;
    byH.first = {"h", Quantity::H, Unit::BtuPerLb};
    byH.second = {"x", Quantity::X, Unit::GrPerLb};
    const double btu = 1.8 * r->set.points[0].h + kIpDatum;
    const auto h = importCsvText("h,x\n" + formatExact(btu) + ",70\n", byH);
    ASSERT_TRUE(h) << h.error();
    EXPECT_NEAR(h->set.points[0].DB, 25, 1e-9);
    // The specific volume in ft³/lb: that of 25 °C, 0.01 kg/kg at 760 mmHg,
    // (29.27 + 47.06 × 0.01) × 298.15 / 10332.27 = 0.858201 m³/kg = 13.7471 ft³/lb.
    CsvChoice bySv;
    bySv.first = {"DB", Quantity::DB, Unit::Fahrenheit};
    bySv.second = {"SV", Quantity::SV, Unit::Ft3PerLb};
    const auto sv = importCsvText("DB,SV\n77,13.7471\n", bySv);
    ASSERT_TRUE(sv) << sv.error();
    EXPECT_NEAR(sv->set.points[0].x, 0.01, 0.00005);
    // A header naming the units is read in them without being told.
    const auto proposed = proposeCsvColumns({"DB [°F]", "x [gr/lb]"});
    ASSERT_TRUE(proposed) << proposed.error();
    const auto named = importCsvText("DB [°F],x [gr/lb]\n77,70\n", *proposed);
    ASSERT_TRUE(named) << named.error();
    EXPECT_NEAR(named->set.points[0].DB, 25, 1e-12);
    EXPECT_NEAR(named->set.points[0].x, 0.01, 1e-15);
}
