#pragma once
// A private-profile (ini) file: sections and keys compared without regard to ASCII case, the
// first match wins, writing one key keeps every other line as it was, and the file is current
// on disk after every write (written whole to a temporary file and renamed over the old one).
// Text is CP932 on disk and UTF-8 here. A file of more than 16 MiB (16 × 2^20 bytes) is taken
// for no settings file: it is read as one that cannot be read, and never replaced.
#include <string>
#include <vector>

#include "files/safe_replace.h"

namespace humidraw {

class IniFile {
  public:
    explicit IniFile(std::string path) : path_(std::move(path)) {}
    const std::string& path() const { return path_; }

    // The stored value (surrounding blanks and one pair of quotes removed), cut to `maxBytes`
    // bytes on disk; `fallback` when the file, section or key is missing or the bytes are not
    // CP932.
    std::string readString(const std::string& section, const std::string& key,
                           const std::string& fallback, size_t maxBytes = 512) const;

    // Writes one key; failed (the file unchanged) when it cannot be read or written or the text
    // cannot be stored in CP932, with the reason in the program's language.
    Status writeString(const std::string& section, const std::string& key, const std::string& text);

  private:
    // False when the file exists but cannot be read; a missing file gives no lines.
    bool load(std::vector<std::string>& lines, std::string& newline, int* error = nullptr) const;
    std::string path_;
};

}  // namespace humidraw
