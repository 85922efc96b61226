#include "common/number_format.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace humidraw {

std::string formatFixed(double v, int decimals) {
    if (!std::isfinite(v)) return std::isnan(v) ? "NAN" : (v > 0 ? "INF" : "-INF");
    if (decimals < 0) decimals = 0;
    // Fifteen significant digits: d.dddddddddddddde±XX
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(v));
    std::string digits;
    digits.push_back(buf[0]);
    digits.append(buf + 2, 14);
    const int exponent = std::atoi(buf + 17);
    // digits[k] has the place value 10^(exponent - k); keep those down to 10^-decimals.
    const int keep = exponent + 1 + decimals;  // how many leading digits survive
    std::string kept;
    int pointPos = exponent + 1;  // digits before the decimal point in `kept`
    if (keep < 0) {
        kept = "0";
        pointPos = 1;
    } else {
        kept = digits.substr(0, std::min<size_t>(keep, digits.size()));
        while (static_cast<int>(kept.size()) < keep) kept.push_back('0');
        const bool roundUp = keep < static_cast<int>(digits.size()) && digits[keep] >= '5';
        if (roundUp) {
            int i = static_cast<int>(kept.size()) - 1;
            while (i >= 0 && kept[i] == '9') kept[i--] = '0';
            if (i >= 0) {
                kept[i]++;
            } else {
                kept.insert(kept.begin(), '1');
                ++pointPos;
            }
        }
        if (kept.empty()) {
            kept = "0";
            pointPos = 1;
        }
    }
    // Place the decimal point, padding with zeros on either side.
    std::string intPart, fracPart;
    if (pointPos <= 0) {
        intPart = "0";
        fracPart = std::string(-pointPos, '0') + kept;
    } else if (pointPos >= static_cast<int>(kept.size())) {
        intPart = kept + std::string(pointPos - kept.size(), '0');
    } else {
        intPart = kept.substr(0, pointPos);
        fracPart = kept.substr(pointPos);
    }
    while (static_cast<int>(fracPart.size()) < decimals) fracPart.push_back('0');
    fracPart.resize(decimals);
    size_t firstNonZero = intPart.find_first_not_of('0');
    intPart = firstNonZero == std::string::npos ? "0" : intPart.substr(firstNonZero);
    const bool zero = intPart == "0" && fracPart.find_first_not_of('0') == std::string::npos;
    std::string out = (v < 0 && !zero) ? "-" : "";
    out += intPart;
    if (decimals > 0) out += "." + fracPart;
    return out;
}

namespace {
std::string_view trimmed(std::string_view t) {
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t' || t.back() == '\r'))
        t.remove_suffix(1);
    return t;
}
}  // namespace

std::optional<double> parseDecimal(std::string_view text) {
    text = trimmed(text);
    if (text.empty() || text.size() > 400) return std::nullopt;
    const std::string copy(text);
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(copy.c_str(), &end);
    if (end != copy.c_str() + copy.size() || errno == ERANGE || !std::isfinite(v))
        return std::nullopt;
    // Hexadecimal forms are not decimal text.
    if (copy.find_first_of("xXpP") != std::string::npos) return std::nullopt;
    return v;
}

std::optional<int> parseInteger(std::string_view text) {
    text = trimmed(text);
    if (text.empty() || text.size() > 64) return std::nullopt;
    const std::string copy(text);
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(copy.c_str(), &end, 10);
    if (end != copy.c_str() + copy.size() || errno == ERANGE || v < INT32_MIN || v > INT32_MAX)
        return std::nullopt;
    return static_cast<int>(v);
}

}  // namespace humidraw
