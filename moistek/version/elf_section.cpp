#include "version/elf_section.h"

#include <cstdint>
#include <cstring>
#include <fstream>

namespace humidraw {
namespace {

struct SectionHeader {
    uint32_t name = 0;
    uint32_t type = 0;
    uint64_t offset = 0;
    uint64_t size = 0;
};

constexpr uint32_t kSectionNoBits = 8;  // SHT_NOBITS: occupies no space in the file

class FileBytes {
  public:
    explicit FileBytes(const std::string& path) : in_(path, std::ios::binary) {
        if (in_) {
            in_.seekg(0, std::ios::end);
            size_ = static_cast<uint64_t>(in_.tellg());
        }
    }
    bool isOpen() const { return static_cast<bool>(in_); }
    uint64_t size() const { return size_; }
    bool read(uint64_t offset, void* out, uint64_t count) {
        if (offset > size_ || count > size_ - offset) return false;
        in_.clear();
        in_.seekg(static_cast<std::streamoff>(offset));
        in_.read(static_cast<char*>(out), static_cast<std::streamsize>(count));
        return static_cast<uint64_t>(in_.gcount()) == count;
    }

  private:
    std::ifstream in_;
    uint64_t size_ = 0;
};

template <typename T>
T little(const unsigned char* p) {
    T v = 0;
    for (size_t i = sizeof(T); i-- > 0;) v = static_cast<T>((v << 8) | p[i]);
    return v;
}

bool readHeader(FileBytes& file, bool wide, uint64_t tableOffset, uint64_t entrySize,
                uint64_t index, SectionHeader& out) {
    unsigned char raw[64];
    const uint64_t need = wide ? 64 : 40;
    if (entrySize < need) return false;
    if (tableOffset > file.size() || index * entrySize > file.size() - tableOffset) return false;
    if (!file.read(tableOffset + index * entrySize, raw, need)) return false;
    out.name = little<uint32_t>(raw);
    out.type = little<uint32_t>(raw + 4);
    if (wide) {
        out.offset = little<uint64_t>(raw + 24);
        out.size = little<uint64_t>(raw + 32);
    } else {
        out.offset = little<uint32_t>(raw + 16);
        out.size = little<uint32_t>(raw + 20);
    }
    return true;
}

}  // namespace

Result<std::vector<char>> readElfSection(const std::string& path, const std::string& sectionName) {
    FileBytes file(path);
    if (!file.isOpen()) {
        return failure(Reason::Unreadable, "cannot open " + path);
    }
    unsigned char ident[64] = {};
    if (!file.read(0, ident, 52) || std::memcmp(ident,
                                                "\x7f"
                                                "ELF",
                                                4) != 0) {
        return failure(Reason::Damaged, path + " is not an ELF file");
    }
    const bool wide = ident[4] == 2;
    if ((ident[4] != 1 && ident[4] != 2) || ident[5] != 1) {
        return failure(Reason::Damaged, path + ": unsupported ELF class or byte order");
    }
    if (wide && !file.read(0, ident, 64)) {
        return failure(Reason::Damaged, path + ": ELF header cut short");
    }
    const uint64_t tableOffset = wide ? little<uint64_t>(ident + 40) : little<uint32_t>(ident + 32);
    const uint64_t entrySize = little<uint16_t>(ident + (wide ? 58 : 46));
    const uint64_t count = little<uint16_t>(ident + (wide ? 60 : 48));
    const uint64_t namesIndex = little<uint16_t>(ident + (wide ? 62 : 50));

    SectionHeader names;
    if (count == 0 || namesIndex >= count ||
        !readHeader(file, wide, tableOffset, entrySize, namesIndex, names) ||
        names.offset > file.size() || names.size > file.size() - names.offset) {
        return failure(Reason::Damaged, path + ": no readable section table");
    }
    std::vector<char> nameTable(names.size);
    if (!file.read(names.offset, nameTable.data(), names.size)) {
        return failure(Reason::Damaged, path + ": section names cut short");
    }
    for (uint64_t i = 0; i < count; ++i) {
        SectionHeader h;
        if (!readHeader(file, wide, tableOffset, entrySize, i, h)) break;
        if (h.name >= nameTable.size()) continue;
        const char* name = nameTable.data() + h.name;
        const size_t room = nameTable.size() - h.name;
        if (strnlen(name, room) != sectionName.size() ||
            std::memcmp(name, sectionName.data(), sectionName.size()) != 0)
            continue;
        if (h.type == kSectionNoBits || h.offset > file.size() || h.size > file.size() - h.offset) {
            return failure(Reason::Damaged, path + ": section " + sectionName + " lies outside the file");
        }
        std::vector<char> content(h.size);
        if (!file.read(h.offset, content.data(), h.size))
            return failure(Reason::Damaged, path + ": section " + sectionName + " cut short");
        return content;
    }
    return failure(Reason::Damaged, path + " has no section " + sectionName);
}

}  // namespace humidraw
