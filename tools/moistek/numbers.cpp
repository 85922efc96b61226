#include "numbers.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace moistek_cli {

std::optional<double> parseNumber(std::string_view text) {
    if (text.empty() || text.size() > 400) return std::nullopt;
    const std::string copy(text);
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(copy.c_str(), &end);
    if (end != copy.c_str() + copy.size() || errno == ERANGE || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::string exact(double v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

std::string quoted(std::string_view text) {
    std::string s("'");
    s.append(text);
    s.push_back('\'');
    return s;
}

std::vector<std::string> splitWords(std::string_view line) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
        size_t j = i;
        while (j < line.size() && line[j] != ' ' && line[j] != '\t' && line[j] != '\r') ++j;
        if (j > i) words.emplace_back(line.substr(i, j - i));
        i = j;
    }
    return words;
}

}  // namespace moistek_cli
