#include "numbers.h"

#include "text/number_format.h"

namespace moistek_cli {

std::optional<double> parseNumber(std::string_view text) {
    return humidraw::parseDecimal(text);
}

std::string exact(double v) {
    return humidraw::formatExact(v);
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
