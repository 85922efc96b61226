#pragma once
// Reads the contents of one named section from an ELF file (32- or 64-bit, little-endian).
// Every offset and size taken from the file is checked against the file's size, so a damaged
// or foreign file gives an error, never a read past the end or an allocation it cannot justify.

#include <optional>
#include <string>
#include <vector>

namespace humidraw {

struct SectionRead {
    bool ok = false;
    std::string error;          // why the section could not be read, when !ok
    std::vector<char> content;  // the section's bytes, when ok
};

SectionRead readElfSection(const std::string& path, const std::string& sectionName);

}  // namespace humidraw
