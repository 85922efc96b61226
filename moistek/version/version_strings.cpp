#include "version/version_strings.h"

#include <strings.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "version/elf_section.h"

namespace humidraw {
namespace {

constexpr char kMagic[] = "VERSTR1";
constexpr unsigned kDefaultTranslation = 0x041103A4;  // Japanese, code page 932

bool exists(const std::string& path) {
    return access(path.c_str(), F_OK) == 0;
}

std::string runningProgramFolder() {
    char buf[4096];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return {};
    std::string path(buf, static_cast<size_t>(n));
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// Copies `text` into a 260-byte field, cutting at 259 bytes on a UTF-8 character boundary.
void copyField(char (&field)[260], const std::string& text) {
    size_t n = std::min<size_t>(text.size(), sizeof field - 1);
    if (n < text.size()) {
        while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
    }
    std::memcpy(field, text.data(), n);
    field[n] = '\0';
}

}  // namespace

Status VersionInfo::load(const std::string& path) {
    const auto section = readElfSection(path, ".verstrings");
    if (!section) return section.failure();
    const std::string content(section->begin(), section->end());
    if (content.compare(0, sizeof kMagic, std::string(kMagic, sizeof kMagic)) != 0)
        return failure(Reason::Damaged, path + ": version information has an unknown layout");
    block_ = content.substr(sizeof kMagic);
    return {};
}

std::optional<std::string> VersionInfo::query(const std::string& key) const {
    size_t pos = 0;
    while (pos < block_.size()) {
        const size_t keyEnd = block_.find('\0', pos);
        if (keyEnd == std::string::npos) break;
        const size_t valueEnd = block_.find('\0', keyEnd + 1);
        if (valueEnd == std::string::npos) break;
        if (keyEnd - pos == key.size() &&
            strncasecmp(block_.data() + pos, key.data(), key.size()) == 0)
            return block_.substr(keyEnd + 1, valueEnd - keyEnd - 1);
        pos = valueEnd + 1;
        while (pos < block_.size() && block_[pos] == '\0') ++pos;  // padding between objects
    }
    return std::nullopt;
}

unsigned VersionInfo::translation() const {
    const auto text = query("\\VarFileInfo\\Translation");
    if (!text || text->size() != 8) return kDefaultTranslation;
    char* end = nullptr;
    const unsigned long code = std::strtoul(text->c_str(), &end, 16);
    return (*end == '\0') ? static_cast<unsigned>(code) : kDefaultTranslation;
}

std::string resolveLikeLoader(const std::string& fileName) {
    if (fileName.empty()) return {};
    if (fileName.find('/') != std::string::npos) return exists(fileName) ? fileName : "";
    const std::string own = runningProgramFolder();
    if (!own.empty() && exists(own + "/" + fileName)) return own + "/" + fileName;
    const char* path = std::getenv("PATH");
    if (!path) return {};
    const std::string dirs(path);
    size_t start = 0;
    while (start <= dirs.size()) {
        size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        const std::string dir = end > start ? dirs.substr(start, end - start) : ".";
        if (exists(dir + "/" + fileName)) return dir + "/" + fileName;
        start = end + 1;
    }
    return {};
}

}  // namespace humidraw

int ReadVersionStrings(VersionStrings& record, const char* fileName) {
    using humidraw::VersionInfo;
    if (!fileName) return 0;
    const std::string path = humidraw::resolveLikeLoader(fileName);
    if (path.empty()) return 0;
    VersionInfo info;
    if (!info.load(path)) return 0;

    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "\\StringFileInfo\\%08X\\", info.translation());
    struct Field {
        const char* name;
        char (*field)[260];
    } const fields[] = {
        {"CompanyName", &record.CompanyName},       {"FileDescription", &record.FileDescription},
        {"FileVersion", &record.FileVersion},       {"InternalName", &record.InternalName},
        {"LegalCopyright", &record.LegalCopyright}, {"OriginalFilename", &record.OriginalFilename},
        {"ProductName", &record.ProductName},       {"ProductVersion", &record.ProductVersion},
    };
    for (const Field& f : fields) {
        const auto value = info.query(std::string(prefix) + f.name);
        humidraw::copyField(*f.field, value.value_or(std::string()));
    }
    return 1;
}
