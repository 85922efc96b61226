#pragma once
#include <optional>
#include <string>
#include <vector>

namespace humidraw_cli {

// A JSON string literal of UTF-8 text (bytes that are not UTF-8 written as U+FFFD).
std::string jsonString(const std::string& text);
// A number with 17 significant digits ("null" for what JSON cannot hold).
std::string jsonNumber(double v);

// A key some object of a JSON text holds twice (the parser keeps only the last), the first one:
// the key, and the path of keys and array indexes to the object that holds it (empty for the
// top-level object). `json` must be valid JSON.
struct RepeatedKey {
    std::vector<std::string> path;
    std::string key;
};
std::optional<RepeatedKey> firstRepeatedKey(const std::string& json);

}  // namespace humidraw_cli
