#include "json.h"

#include <cmath>
#include <cstdio>

#include "text/number_format.h"
#include "text/visible_text.h"

namespace humidraw_cli {

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            // UTF-8 as it is; a byte outside a valid sequence (a file name that is not UTF-8)
            // becomes U+FFFD, so the output stays JSON.
            const size_t n = humidraw::utf8SequenceLength(std::string_view(text).substr(i));
            if (n == 0) {
                out += "\\ufffd";
            } else {
                out.append(text, i, n);
                i += n - 1;
            }
            continue;
        }
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

std::string jsonNumber(double v) {
    if (!std::isfinite(v)) return "null";
    return humidraw::formatExact(v);
}

}  // namespace humidraw_cli
