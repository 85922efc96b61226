#include "settings/ini_file.h"

#include <fcntl.h>
#include <strings.h>
#include <unistd.h>

#include <cerrno>

#include "files/safe_replace.h"
#include "text/cp932.h"

namespace humidraw {
namespace {

constexpr size_t kMaxIniBytes = 16u << 20;  // far beyond any settings file

std::string trim(const std::string& s) {
    const size_t a = s.find_first_not_of(" \t");
    if (a == std::string::npos) return {};
    const size_t b = s.find_last_not_of(" \t");
    return s.substr(a, b - a + 1);
}

bool sameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && strncasecmp(a.c_str(), b.c_str(), a.size()) == 0;
}

// The section a "[name]" line opens, or nothing for other lines.
bool sectionOf(const std::string& line, std::string& name) {
    const std::string t = trim(line);
    if (t.size() < 2 || t.front() != '[') return false;
    const size_t close = t.find(']');
    if (close == std::string::npos) return false;
    name = trim(t.substr(1, close - 1));
    return true;
}

// The key and raw value of a "key=value" line.
bool entryOf(const std::string& line, std::string& key, std::string& value) {
    const size_t eq = line.find('=');
    if (eq == std::string::npos) return false;
    key = trim(line.substr(0, eq));
    if (key.empty() || key[0] == ';') return false;
    value = trim(line.substr(eq + 1));
    return true;
}

}  // namespace

bool IniFile::load(std::vector<std::string>& lines, std::string& newline, int* error) const {
    std::string text;
    const int fd = open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (error) *error = errno;
        return errno == ENOENT;  // a missing file reads as an empty one
    }
    char buffer[8192];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 || text.size() > kMaxIniBytes) {
            if (error) *error = n < 0 ? errno : EFBIG;
            close(fd);
            return false;
        }
        if (n == 0) break;
        text.append(buffer, static_cast<size_t>(n));
    }
    close(fd);
    newline = text.find("\r\n") != std::string::npos || text.find('\n') == std::string::npos
                  ? "\r\n"
                  : "\n";
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return true;
}

std::string IniFile::readString(const std::string& section, const std::string& key,
                                const std::string& fallback, size_t maxBytes) const {
    std::vector<std::string> lines;
    std::string newline;
    if (!load(lines, newline)) return fallback;
    const auto wantSection = utf8ToCp932(section);
    const auto wantKey = utf8ToCp932(key);
    if (!wantSection || !wantKey) return fallback;
    bool inSection = false;
    for (const std::string& line : lines) {
        std::string name, k, v;
        if (sectionOf(line, name)) {
            inSection = sameName(name, *wantSection);
            continue;
        }
        if (!inSection || !entryOf(line, k, v) || !sameName(k, *wantKey)) continue;
        if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
            v = v.substr(1, v.size() - 2);
        const auto text = cp932ToUtf8(cutCp932(v, maxBytes));
        return text ? *text : fallback;
    }
    return fallback;
}

Status IniFile::writeString(const std::string& section, const std::string& key,
                          const std::string& text) {
    const auto s = utf8ToCp932(section);
    const auto k = utf8ToCp932(key);
    const auto v = utf8ToCp932(text);
    if (!s || !k || !v || text.find_first_of("\r\n") != std::string::npos) {
        return writeFailure({WriteProblem::Other, EILSEQ});
    }
    std::vector<std::string> lines;
    std::string newline = "\r\n";
    // A file that is there but cannot be read is never replaced by one holding this key alone.
    int error = 0;
    if (!load(lines, newline, &error)) {
        return writeFailure(
            {error == EISDIR ? WriteProblem::IsFolder : WriteProblem::Unreadable, error});
    }
    const std::string entry = *k + "=" + *v;

    int sectionLine = -1, lastEntry = -1, keyLine = -1;
    bool inSection = false;
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        std::string name, lk, lv;
        if (sectionOf(lines[i], name)) {
            if (inSection) break;  // the first matching section is the one written
            inSection = sameName(name, *s);
            if (inSection) sectionLine = lastEntry = i;
            continue;
        }
        if (!inSection) continue;
        if (entryOf(lines[i], lk, lv)) {
            lastEntry = i;
            if (sameName(lk, *k)) {
                keyLine = i;
                break;
            }
        }
    }
    if (keyLine >= 0)
        lines[keyLine] = entry;
    else if (sectionLine >= 0)
        lines.insert(lines.begin() + lastEntry + 1, entry);
    else {
        lines.push_back("[" + *s + "]");
        lines.push_back(entry);
    }

    std::string out;
    for (const std::string& line : lines) out += line + newline;
    const WriteResult written = replaceFile(path_, out);
    if (!written.ok()) return writeFailure(written);
    return {};
}

}  // namespace humidraw
