#pragma once
// Numbers as users read them: fixed decimals rounded the way people round, and decimal text
// read back. The program runs in the C locale, so the decimal separator is '.'.
#include <optional>
#include <string>
#include <string_view>

namespace humidraw {

// `v` with `decimals` digits after the point: first rounded to 15 significant digits, then half
// away from zero; a value that rounds to zero has no minus sign ("0", never "-0").
std::string formatFixed(double v, int decimals);

// A finite number taking the whole text (blanks around it allowed); nothing otherwise.
std::optional<double> parseDecimal(std::string_view text);

// A whole number in decimal taking the whole text; nothing otherwise or when out of range.
std::optional<int> parseInteger(std::string_view text);

}  // namespace humidraw
