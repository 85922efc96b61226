#include "settings/recent_files.h"

#include <algorithm>

namespace humidraw {
namespace {

const char kSection[] = "Recent";

std::string keyOf(int i) {
    return "File" + std::to_string(i + 1);
}

}  // namespace

std::vector<std::string> loadRecentFiles(const IniFile& ini) {
    std::vector<std::string> files;
    for (int i = 0; i < kRecentFileCount; ++i) {
        // A path may be as long as the system allows.
        const std::string path = ini.readString(kSection, keyOf(i), "", 4096);
        if (!path.empty() && std::find(files.begin(), files.end(), path) == files.end())
            files.push_back(path);
    }
    return files;
}

bool saveRecentFiles(IniFile& ini, const std::vector<std::string>& files) {
    bool ok = true;
    for (int i = 0; i < kRecentFileCount; ++i) {
        const std::string path = i < static_cast<int>(files.size()) ? files[i] : std::string();
        if (ini.readString(kSection, keyOf(i), "", 4096) == path) continue;
        ok = ini.writeString(kSection, keyOf(i), path) && ok;
    }
    return ok;
}

std::vector<std::string> withRecentFile(std::vector<std::string> files, const std::string& path) {
    // A line break in a name would split the settings file's line: such a name is not kept.
    if (path.empty() || path.find_first_of("\r\n") != std::string::npos) return files;
    files.erase(std::remove(files.begin(), files.end(), path), files.end());
    files.insert(files.begin(), path);
    if (files.size() > static_cast<size_t>(kRecentFileCount)) files.resize(kRecentFileCount);
    return files;
}

}  // namespace humidraw
