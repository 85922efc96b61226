#pragma once
#include <string>

namespace humidraw_cli {

// A JSON string literal of UTF-8 text (bytes that are not UTF-8 written as U+FFFD).
std::string jsonString(const std::string& text);
// A number with 17 significant digits ("null" for what JSON cannot hold).
std::string jsonNumber(double v);

}  // namespace humidraw_cli
