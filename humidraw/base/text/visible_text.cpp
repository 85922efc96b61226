#include "text/visible_text.h"

#include <cstdio>

namespace humidraw {

size_t utf8SequenceLength(std::string_view s) {
    if (s.empty()) return 0;
    const auto b = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char c = b(0);
    if (c < 0x80) return 1;
    size_t n;
    unsigned char lo = 0x80, hi = 0xBF;  // the allowed range of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        if (c == 0xE0) lo = 0xA0;  // no overlong forms
        if (c == 0xED) hi = 0x9F;  // no surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        if (c == 0xF0) lo = 0x90;
        if (c == 0xF4) hi = 0x8F;  // nothing past U+10FFFF
    } else {
        return 0;
    }
    if (s.size() < n || b(1) < lo || b(1) > hi) return 0;
    for (size_t i = 2; i < n; ++i)
        if (b(i) < 0x80 || b(i) > 0xBF) return 0;
    return n;
}

std::string visibleText(std::string_view bytes, bool keepLineBreaks) {
    std::string out;
    out.reserve(bytes.size());
    const auto escape = [&](unsigned code) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "\\x%02x", code);
        out += buf;
    };
    for (size_t i = 0; i < bytes.size();) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        const size_t n = utf8SequenceLength(bytes.substr(i));
        if (n == 0) {
            escape(c);
            ++i;
        } else if (n == 1 && (c < 0x20 || c == 0x7F)) {
            if (keepLineBreaks && (c == '\n' || c == '\t'))
                out += static_cast<char>(c);
            else
                escape(c);
            ++i;
        } else if (n == 2 && c == 0xC2 && static_cast<unsigned char>(bytes[i + 1]) < 0xA0) {
            escape(static_cast<unsigned char>(bytes[i + 1]));  // U+0080 … U+009F
            i += 2;
        } else {
            out.append(bytes.substr(i, n));
            i += n;
        }
    }
    return out;
}

}  // namespace humidraw
