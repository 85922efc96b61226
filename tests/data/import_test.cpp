// Importing CSV and EPW files. Expected humidity ratios are hand computed from published
// saturation pressures (Sonntag / WMO tables: 23.39 hPa at 20 °C, 12.28 hPa at 10 °C) with
// x = 0.622 pw / (P − pw) at P = 1013.25 hPa (760 mmHg); the library's own curve differs from
// the tables in the fourth figure, hence the tolerances.
#include "data/import.h"

#include <gtest/gtest.h>

#include <cstdio>

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
    EXPECT_EQ(r->report.firstSkipped[0].reason, "missing field");
    EXPECT_NE(r->report.firstSkipped[1].reason.find("not a number"), std::string::npos);
    EXPECT_NE(r->report.firstSkipped[2].reason.find("RH"), std::string::npos);
}

TEST(DataImport, DamagedFilesGiveAReasonAndNothingElse) {
    EXPECT_FALSE(importCsvText("", dbRh()));
    EXPECT_FALSE(importCsvText("DB,RH\n", dbRh()));       // no row
    EXPECT_FALSE(importCsvText("DB,RH\nx,y\n", dbRh()));  // no row gives a state
    EXPECT_FALSE(importCsvText("A,B\n20,50\n", dbRh()));  // no such column
    EXPECT_FALSE(importCsvText("DB,RH\n20,50\n", dbRh("DB", "DB")));
    EXPECT_FALSE(importCsvText("DB,RH\n20,50\n", dbRh("DB", "9")));
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
    EXPECT_EQ(stopped.error(), "cancelled");
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
    EXPECT_EQ(r->report.firstSkipped[0].reason, "not a date and hour");
    EXPECT_EQ(r->report.firstSkipped[1].line, 11);
}
