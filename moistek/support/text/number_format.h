#pragma once
// Numbers as users read them: fixed decimals rounded the way people round, and decimal text
// read back. Everything here is independent of the C library's locale: the decimal separator
// written and read is always '.', whatever LC_NUMERIC says; only parseTypedDecimal, for what a
// user types, also takes the locale's own separator.
#include <optional>
#include <string>
#include <string_view>

namespace humidraw {

// `v` with `decimals` digits after the point: first rounded to 15 significant digits, then half
// away from zero; a value that rounds to zero has no minus sign ("0", never "-0").
std::string formatFixed(double v, int decimals);

// What printf("%*.*f") writes in the "C" locale: `decimals` digits after the point, rounded
// exactly; padded with blanks to `width` on the left (on the right when `width` is negative).
std::string formatPrintfFixed(double v, int decimals, int width = 0);

// What printf("%*.*g") writes in the "C" locale, padded as formatPrintfFixed pads.
std::string formatPrintfGeneral(double v, int precision, int width = 0);

// Seventeen significant digits ("%.17g"): reads back to the same double.
std::string formatExact(double v);

// The shortest text that reads back to the same double ("0.1", "1e+300"), as the program's own
// text files write numbers.
std::string formatShortest(double v);
// A finite number written as formatShortest writes one: the whole text, no blanks, no sign
// but a minus; nothing otherwise.
std::optional<double> parseShortest(std::string_view text);

// A finite number taking the whole text (blanks around it allowed); nothing otherwise.
// Subnormal numbers are numbers; text beyond the range of a double is not.
std::optional<double> parseDecimal(std::string_view text);

// A number a user typed: as parseDecimal, but the decimal separator may also be
// `localeSeparator` (one of the two, once). The one-argument form takes the separator of the C
// library's current LC_NUMERIC locale, which the program sets from the environment at start.
std::optional<double> parseTypedDecimal(std::string_view text, std::string_view localeSeparator);
std::optional<double> parseTypedDecimal(std::string_view text);

// A whole number in decimal taking the whole text; nothing otherwise or when out of range.
std::optional<int> parseInteger(std::string_view text);

// The bound wholeNumber keeps pixel coordinates within unless told otherwise: far from the
// limits of an int, so that sums and differences of a few of them still fit.
constexpr int kWholeLimit = 1000000000;

// `v` rounded toward zero as an int, held within [lo, hi]; NaN gives 0. Casting a double
// beyond an int's range is undefined, so every conversion of a double to a whole number of
// pixels, characters or settings units goes through here.
int wholeNumber(double v, int lo = -kWholeLimit, int hi = kWholeLimit);

}  // namespace humidraw
