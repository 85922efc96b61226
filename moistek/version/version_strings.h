#pragma once
// The eight standard version strings of a file, as both deliverables read them from the
// ".verstrings" section their build embeds (see cmake/VersionInfo.cmake).

#include <optional>
#include <string>

#include "result/result.h"

struct VersionStrings {
    char CompanyName[260];
    char FileDescription[260];
    char FileVersion[260];
    char InternalName[260];
    char LegalCopyright[260];
    char OriginalFilename[260];
    char ProductName[260];
    char ProductVersion[260];
};

// Fills `record` from the version information of `fileName` and returns 1; returns 0 and leaves
// the record untouched when the file or its version information cannot be read. A string the
// file does not carry gives an empty field; a longer one is cut to 259 bytes (never inside a
// UTF-8 character). A name without a folder is looked for as a loader would: in the running
// program's folder, then along PATH.
int ReadVersionStrings(VersionStrings& record, const char* fileName);

namespace humidraw {

// The version information of one file: answers queries by path, such as
// "\StringFileInfo\041103A4\FileVersion" or "\VarFileInfo\Translation".
class VersionInfo {
  public:
    // Loads the information; fails with the reason when it cannot be read at all.
    Status load(const std::string& path);
    // The value stored under `key` (compared without regard to ASCII case).
    std::optional<std::string> query(const std::string& key) const;
    // The translation code, language in the high word and code page in the low one.
    unsigned translation() const;

  private:
    std::string block_;  // pairs of zero-terminated key and value texts
};

// Where a bare file name is found: the running program's folder, then each PATH entry; a name
// with a folder is taken as it is. Empty when nothing exists under the name.
std::string resolveLikeLoader(const std::string& fileName);

}  // namespace humidraw
