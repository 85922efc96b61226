// Numbers written and read the same in every locale; typed numbers with either separator.
#include "text/number_format.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

using namespace humidraw;

namespace {

// Runs the test body with LC_NUMERIC switched to a locale whose decimal separator is a comma,
// as Qt leaves it at start-up for a German user; restores the locale afterwards.
class CommaLocale : public testing::Test {
  protected:
    void SetUp() override {
        saved_ = std::setlocale(LC_NUMERIC, nullptr);
        if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
            GTEST_FAIL() << "de_DE.UTF-8 is missing: run scripts/install-deps";
    }
    void TearDown() override { std::setlocale(LC_NUMERIC, saved_.c_str()); }

  private:
    std::string saved_;
};

}  // namespace

TEST(PrintfForms, AsTheCLocaleWritesThem) {
    EXPECT_EQ(formatPrintfFixed(2.5, 1, 5), "  2.5");
    EXPECT_EQ(formatPrintfFixed(0.0072630, 4, 7), " 0.0073");
    EXPECT_EQ(formatPrintfFixed(-0.00004, 4), "-0.0000");
    EXPECT_EQ(formatPrintfFixed(0.125, 2), "0.12");  // 0.125 is exact: ties go to even
    EXPECT_EQ(formatPrintfFixed(123456.75, 1, 3), "123456.8");
    EXPECT_EQ(formatPrintfGeneral(20, 10, -8), "20      ");
    EXPECT_EQ(formatPrintfGeneral(0.00001234, 6), "1.234e-05");
    EXPECT_EQ(formatPrintfGeneral(-1e308, 3), "-1e+308");
    EXPECT_EQ(formatExact(0.1), "0.10000000000000001");
    EXPECT_EQ(formatExact(17.545811307037027), "17.545811307037027");
    EXPECT_EQ(formatExact(-2.5000000000007655e-06), "-2.5000000000007655e-06");
    // 1e-320 is held as 2024 × 2^-1074 = 2024 × 4.9406564584124654e-324 = 9.99988867…e-321.
    EXPECT_EQ(formatExact(1e-320), "9.9998886718268301e-321");
}

TEST(ParseDecimalRange, AtMost400Characters) {
    // "1." and then zeros: 400 characters read (as 1), 401 refused.
    const std::string of400 = "1." + std::string(398, '0');
    ASSERT_EQ(of400.size(), 400u);
    EXPECT_EQ(parseDecimal(of400), 1.0);
    EXPECT_EQ(parseDecimal("0" + of400), std::nullopt);
    EXPECT_EQ(parseDecimal("  " + of400 + " "), parseDecimal(of400)) << "blanks do not count";
}

TEST(ParseDecimalRange, SubnormalsAreNumbersOverflowIsNot) {
    EXPECT_EQ(parseDecimal("1e+308"), 1e308);
    EXPECT_EQ(parseDecimal("1e-308"), 1e-308);  // below the smallest normal, 2.2e-308
    EXPECT_GT(parseDecimal("1e-320").value_or(0), 0);
    EXPECT_GT(parseDecimal("4.9e-324").value_or(0), 0);
    EXPECT_EQ(parseDecimal("+5"), 5);
    EXPECT_EQ(parseDecimal("-0.5"), -0.5);
    EXPECT_EQ(parseDecimal(".5"), 0.5);
    for (const char* refused : {"1e309", "-1e309", "1e-400", "inf", "-inf", "nan", "infinity",
                                "0x10", "1.5e", "++5", "+-5", "1 2", "5,5"})
        EXPECT_FALSE(parseDecimal(refused)) << refused;
}

TEST(TypedDecimal, EitherSeparatorOnce) {
    EXPECT_EQ(parseTypedDecimal("26,5", ","), 26.5);
    EXPECT_EQ(parseTypedDecimal("26.5", ","), 26.5);
    EXPECT_EQ(parseTypedDecimal(" -0,25 ", ","), -0.25);
    EXPECT_EQ(parseTypedDecimal("1e3", ","), 1000);
    EXPECT_FALSE(parseTypedDecimal("1.234,5", ","));
    EXPECT_FALSE(parseTypedDecimal("1,2,3", ","));
    EXPECT_FALSE(parseTypedDecimal("26,5", "."));
    // A separator of more than one byte (U+066B, the Arabic decimal separator).
    EXPECT_EQ(parseTypedDecimal("3\u066B5", "\u066B"), 3.5);
}

TEST_F(CommaLocale, WrittenAndReadWithAPoint) {
    EXPECT_EQ(formatFixed(-5, 1), "-5.0");
    EXPECT_EQ(formatFixed(0.0652, 3), "0.065");
    EXPECT_EQ(formatPrintfFixed(13.78, 1, 5), " 13.8");
    EXPECT_EQ(formatExact(0.1), "0.10000000000000001");
    EXPECT_EQ(parseDecimal("-5.0"), -5.0);
    EXPECT_EQ(parseDecimal("0.0072630"), 0.0072630);
    EXPECT_FALSE(parseDecimal("0,5"));
    // What the user types takes the locale's comma as well as the point.
    EXPECT_EQ(parseTypedDecimal("0,5"), 0.5);
    EXPECT_EQ(parseTypedDecimal("0.5"), 0.5);
}

TEST(TypedDecimal, CLocaleTakesThePointOnly) {
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(parseTypedDecimal("0.5"), 0.5);
    EXPECT_FALSE(parseTypedDecimal("0,5"));
    std::setlocale(LC_NUMERIC, saved.c_str());
}

// Whole numbers: toward zero, held within the bounds (±1e9 unless told), NaN as 0.
TEST(WholeNumber, TowardZeroClampedNaNAsZero) {
    EXPECT_EQ(wholeNumber(2.999), 2);
    EXPECT_EQ(wholeNumber(-2.999), -2);
    EXPECT_EQ(wholeNumber(-0.5), 0);
    EXPECT_EQ(wholeNumber(999999999.9), 999999999);
    EXPECT_EQ(wholeNumber(-999999999.9), -999999999);
    EXPECT_EQ(wholeNumber(1000000000.5), 1000000000);
    EXPECT_EQ(wholeNumber(5e9), 1000000000);
    EXPECT_EQ(wholeNumber(-1e300), -1000000000);
    EXPECT_EQ(wholeNumber(INFINITY), 1000000000);
    EXPECT_EQ(wholeNumber(-INFINITY), -1000000000);
    EXPECT_EQ(wholeNumber(NAN), 0);
    EXPECT_EQ(wholeNumber(7.9, 0, 5), 5);
    EXPECT_EQ(wholeNumber(-3.2, 0, 5), 0);
    // Over an int's whole range, its two ends included (2^31 - 1 and -2^31).
    constexpr int lo = std::numeric_limits<int>::min(), hi = std::numeric_limits<int>::max();
    EXPECT_EQ(wholeNumber(2147483646.9, lo, hi), 2147483646);
    EXPECT_EQ(wholeNumber(3e9, lo, hi), 2147483647);
    EXPECT_EQ(wholeNumber(-2147483648.7, lo, hi), -2147483647 - 1);
    EXPECT_EQ(wholeNumber(-3e9, lo, hi), -2147483647 - 1);
}

TEST(FormatFixed, RoundsAsUsersReadDecimals) {
    struct Case {
        double v;
        int decimals;
        const char* text;
    } const cases[] = {
        {23.65, 1, "23.7"},
        {1.5, 14, "1.50000000000000"},    // exactly the fifteen digits kept: nothing rounded
        {1.5, 16, "1.5000000000000000"},  // beyond them: zeros
        {-23.65, 1, "-23.7"},
        {0.5, 0, "1"},
        {-0.5, 0, "-1"},
        {2.5, 0, "3"},
        {-0.0001, 0, "0"},
        {-0.04, 1, "0.0"},
        {0.0, 3, "0.000"},
        {0.065, 3, "0.065"},
        {0.0652, 3, "0.065"},
        {0.0655, 3, "0.066"},
        {760, 0, "760"},
        {101.325, 3, "101.325"},
        {1e-20, 2, "0.00"},
        {123456789, 0, "123456789"},
        {9.9996, 3, "10.000"},
        {-5, 0, "-5"},
        {0.84015, 2, "0.84"},
        {1.005, 2, "1.01"},
        {12345.678, 1, "12345.7"},
    };
    for (const Case& c : cases) EXPECT_EQ(formatFixed(c.v, c.decimals), c.text) << c.v;
}

TEST(ParseNumbers, WholeTextOnly) {
    EXPECT_EQ(parseDecimal(" -5.5 "), -5.5);
    EXPECT_FALSE(parseDecimal("5,5"));
    EXPECT_FALSE(parseDecimal("abc"));
    EXPECT_FALSE(parseDecimal("nan"));
    EXPECT_FALSE(parseDecimal("0x10"));
    EXPECT_FALSE(parseDecimal(""));
    EXPECT_EQ(parseInteger("12"), 12);
    EXPECT_FALSE(parseInteger("12.5"));
    EXPECT_FALSE(parseInteger("99999999999"));
}

TEST(ParseNumbers, APlusSignOnlyWhereAMinusCouldBe) {
    EXPECT_EQ(parseDecimal("+5"), 5.0);
    EXPECT_EQ(parseDecimal(" +.5"), 0.5);
    EXPECT_FALSE(parseDecimal("++5"));
    EXPECT_FALSE(parseDecimal("+-5"));
    EXPECT_FALSE(parseDecimal("+"));
    EXPECT_EQ(parseInteger("+7"), 7);
    EXPECT_FALSE(parseInteger("++7"));
    // A view of the first two characters of a longer text: what follows it is not read.
    const std::string_view longer = "+5+6";
    EXPECT_EQ(parseDecimal(longer.substr(0, 2)), 5.0);
    EXPECT_EQ(parseInteger(longer.substr(0, 2)), 5);
}

// The shortest form of the program's text files: read back bit for bit, and read only as written.
TEST(ShortestNumbers, WrittenShortAndReadOnlyAsWritten) {
    const struct {
        double v;
        const char* text;
    } written[] = {{0.1, "0.1"}, {-2.5, "-2.5"}, {760, "760"}, {1e300, "1e+300"}, {0.000125, "0.000125"}};
    for (const auto& w : written) {
        EXPECT_EQ(formatShortest(w.v), w.text);
        EXPECT_EQ(parseShortest(w.text), w.v) << w.text;
    }
    const double third = 1.0 / 3;
    EXPECT_EQ(parseShortest(formatShortest(third)), third);
    for (const char* text : {"", " 1", "1 ", "+1", "1,5", "nan", "inf", "1e999", "0x10", "1.5x"})
        EXPECT_FALSE(parseShortest(text).has_value()) << '"' << text << '"';
}
