#include "text/number_format.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <string>

namespace humidraw {

std::string formatFixed(double v, int decimals) {
    if (!std::isfinite(v)) return std::isnan(v) ? "NAN" : (v > 0 ? "INF" : "-INF");
    if (decimals < 0) decimals = 0;
    // Fifteen significant digits: d.dddddddddddddde±XX
    char buf[64];
    const auto written =
        std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific, 14);
    const std::string_view sci(buf, written.ptr - buf);
    std::string digits;
    digits.push_back(sci[0]);
    digits.append(sci.substr(2, 14));
    const int exponent = parseInteger(sci.substr(sci.find('e') + 1)).value_or(0);
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

std::string padded(std::string text, int width) {
    const size_t w = static_cast<size_t>(width < 0 ? -width : width);
    if (text.size() >= w) return text;
    return width < 0 ? text + std::string(w - text.size(), ' ')
                     : std::string(w - text.size(), ' ') + text;
}

std::string charsOf(double v, std::chars_format format, int precision) {
    char buf[400];  // "%.Nf" of the largest double needs 309 digits before the point
    const auto r = std::to_chars(buf, buf + sizeof buf, v, format, precision);
    return r.ec == std::errc{} ? std::string(buf, r.ptr) : std::string();
}

std::string_view trimmed(std::string_view t) {
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t' || t.back() == '\r'))
        t.remove_suffix(1);
    return t;
}

// A '+' sign is allowed where a '-' is ("+5", "+.5"), as people write it.
std::string_view withoutPlus(std::string_view t) {
    if (t.size() > 1 && t[0] == '+' && t[1] != '-' && t[1] != '+') t.remove_prefix(1);
    return t;
}

}  // namespace

std::string formatPrintfFixed(double v, int decimals, int width) {
    return padded(charsOf(v, std::chars_format::fixed, decimals < 0 ? 0 : decimals), width);
}

std::string formatPrintfGeneral(double v, int precision, int width) {
    return padded(charsOf(v, std::chars_format::general, precision < 1 ? 1 : precision), width);
}

std::string formatExact(double v) {
    return charsOf(v, std::chars_format::general, 17);
}

std::string formatShortest(double v) {
    char buf[40];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

std::optional<double> parseShortest(std::string_view text) {
    double v = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || r.ec != std::errc() || r.ptr != text.data() + text.size() ||
        !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<double> parseDecimal(std::string_view text) {
    text = withoutPlus(trimmed(text));
    if (text.empty() || text.size() > 400) return std::nullopt;
    double v = 0;
    const auto r =
        std::from_chars(text.data(), text.data() + text.size(), v, std::chars_format::general);
    if (r.ec != std::errc{} || r.ptr != text.data() + text.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<double> parseTypedDecimal(std::string_view text, std::string_view localeSeparator) {
    if (localeSeparator.empty() || localeSeparator == ".") return parseDecimal(text);
    const size_t at = text.find(localeSeparator);
    if (at == std::string_view::npos) return parseDecimal(text);
    if (text.find('.') != std::string_view::npos ||
        text.find(localeSeparator, at + localeSeparator.size()) != std::string_view::npos)
        return std::nullopt;
    std::string copy(text);
    copy.replace(at, localeSeparator.size(), ".");
    return parseDecimal(copy);
}

std::optional<double> parseTypedDecimal(std::string_view text) {
    const std::lconv* conventions = std::localeconv();
    return parseTypedDecimal(text, conventions && conventions->decimal_point
                                       ? std::string_view(conventions->decimal_point)
                                       : std::string_view("."));
}

std::optional<int> parseInteger(std::string_view text) {
    text = withoutPlus(trimmed(text));
    if (text.empty() || text.size() > 64) return std::nullopt;
    int v = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
    if (r.ec != std::errc{} || r.ptr != text.data() + text.size()) return std::nullopt;
    return v;
}

int wholeNumber(double v, int lo, int hi) {
    if (std::isnan(v)) return 0;
    const double t = std::trunc(v);
    if (t <= lo) return lo;
    if (t >= hi) return hi;
    return static_cast<int>(t);
}

}  // namespace humidraw
