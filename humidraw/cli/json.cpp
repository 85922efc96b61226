#include "json.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QString>
#include <cmath>
#include <cstdio>
#include <set>

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

std::optional<RepeatedKey> firstRepeatedKey(const std::string& json) {
    struct Frame {
        bool object;
        std::set<QString> keys;
        std::string lastKey;
        size_t index = 0;
        std::vector<std::string> path;
    };
    std::vector<Frame> stack;
    for (size_t i = 0; i < json.size(); ++i) {
        const char c = json[i];
        if (c == '{' || c == '[') {
            std::vector<std::string> path;
            if (!stack.empty()) {
                path = stack.back().path;
                path.push_back(stack.back().object ? stack.back().lastKey
                                                   : std::to_string(stack.back().index));
            }
            stack.push_back({c == '{', {}, {}, 0, std::move(path)});
        } else if (c == '}' || c == ']') {
            if (!stack.empty()) stack.pop_back();
        } else if (c == ',') {
            if (!stack.empty() && !stack.back().object) ++stack.back().index;
        } else if (c == '"') {
            const size_t start = i;
            for (++i; i < json.size() && json[i] != '"'; ++i)
                if (json[i] == '\\') ++i;
            if (stack.empty() || !stack.back().object) continue;
            const size_t next = json.find_first_not_of(" \t\r\n", i + 1);
            if (next == std::string::npos || json[next] != ':') continue;
            // The key's text with its escapes read, as the parser reads it.
            const QJsonArray one =
                QJsonDocument::fromJson(
                    QByteArray::fromStdString("[" + json.substr(start, i - start + 1) + "]"))
                    .array();
            const QString key = one.isEmpty() ? QString() : one[0].toString();
            Frame& f = stack.back();
            if (!f.keys.insert(key).second) return RepeatedKey{f.path, key.toStdString()};
            f.lastKey = key.toStdString();
        }
    }
    return std::nullopt;
}

}  // namespace humidraw_cli
