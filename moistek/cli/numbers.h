#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace moistek_cli {

// A finite decimal number taking the whole text, subnormal ones included, or nothing ("inf",
// "nan", "1e999", "1e-400", "12abc" and "" are not numbers here).
std::optional<double> parseNumber(std::string_view text);

// Seventeen significant digits: reads back to the same double.
std::string exact(double v);

// The text between single quotes, for messages.
std::string quoted(std::string_view text);

// Splits on blanks and tabs.
std::vector<std::string> splitWords(std::string_view line);

}  // namespace moistek_cli
