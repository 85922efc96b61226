#include "settings/path_value.h"

#include <strings.h>

#include "text/cp932.h"

namespace humidraw {
namespace {

constexpr char kPrefix[] = "file://";
constexpr size_t kPrefixSize = sizeof kPrefix - 1;
// The longest name the system takes (4096 bytes), every byte escaped, with the prefix.
constexpr size_t kMaxValueBytes = 3 * 4096 + kPrefixSize;

// The bytes a file URI's path carries as they are: letters, digits, "-._~", the sub-delimiters,
// ':', '@' and '/'.
bool plainInUri(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
    for (const char* p = "-._~!$&'()*+,;=:@/"; *p; ++p)
        if (c == static_cast<unsigned char>(*p)) return true;
    return false;
}

// Whether reading the plain value gives `path` back exactly.
bool plainFormKeeps(const std::string& path) {
    if (path.empty() || path.size() > kMaxValueBytes) return false;
    for (unsigned char c : path)
        if (c < 0x20 || c == 0x7F) return false;
    const char first = path.front(), last = path.back();
    if (first == ' ' || last == ' ') return false;
    if (path.size() >= 2 && (first == '"' || first == '\'') && last == first) return false;
    if (strncasecmp(path.c_str(), "file:", 5) == 0) return false;
    const auto bytes = utf8ToCp932(path);
    if (!bytes) return false;
    // CP932 maps some characters to the same bytes (NEC and IBM duplicates): only a name that
    // comes back the same is kept in the plain form.
    const auto back = cp932ToUtf8(*bytes);
    return back && *back == path;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

std::string pathSettingValue(const std::string& path) {
    if (path.empty() || plainFormKeeps(path)) return path;
    static const char digits[] = "0123456789ABCDEF";
    std::string out = kPrefix;
    for (unsigned char c : path) {
        if (plainInUri(c)) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += digits[c >> 4];
            out += digits[c & 15];
        }
    }
    return out;
}

std::optional<std::string> pathFromSettingValue(const std::string& value) {
    if (value.compare(0, kPrefixSize, kPrefix) != 0) return value;
    std::string path;
    for (size_t i = kPrefixSize; i < value.size(); ++i) {
        if (value[i] != '%') {
            path += value[i];
            continue;
        }
        const int hi = i + 2 < value.size() ? hexValue(value[i + 1]) : -1;
        const int lo = hi >= 0 ? hexValue(value[i + 2]) : -1;
        if (lo < 0 || (hi == 0 && lo == 0)) return std::nullopt;
        path += static_cast<char>(hi * 16 + lo);
        i += 2;
    }
    return path;
}

std::string readPathSetting(const IniFile& ini, const std::string& section, const std::string& key,
                            const std::string& fallback) {
    const auto path = pathFromSettingValue(ini.readString(section, key, "", kMaxValueBytes));
    return path && !path->empty() ? *path : fallback;
}

Status writePathSetting(IniFile& ini, const std::string& section, const std::string& key,
                      const std::string& path) {
    return ini.writeString(section, key, pathSettingValue(path));
}

}  // namespace humidraw
