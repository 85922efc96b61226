#pragma once
// Reads the contents of one named section from an ELF file (32- or 64-bit, little-endian).
// Every offset and size taken from the file is checked against the file's size, so a damaged
// or foreign file gives an error, never a read past the end or an allocation it cannot justify.

#include <string>
#include <vector>

#include "result/result.h"

namespace humidraw {

// The section's bytes, or why they could not be read.
Result<std::vector<char>> readElfSection(const std::string& path, const std::string& sectionName);

}  // namespace humidraw
