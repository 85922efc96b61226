#include "settings/recent_files.h"

#include <algorithm>

#include "settings/path_value.h"

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
        const std::string path = readPathSetting(ini, kSection, keyOf(i), "");
        if (!path.empty() && std::find(files.begin(), files.end(), path) == files.end())
            files.push_back(path);
    }
    return files;
}

Status saveRecentFiles(IniFile& ini, const std::vector<std::string>& files) {
    Status first;
    for (int i = 0; i < kRecentFileCount; ++i) {
        const std::string path = i < static_cast<int>(files.size()) ? files[i] : std::string();
        if (ini.readString(kSection, keyOf(i), "", 1 << 16) == pathSettingValue(path)) continue;
        Status written = writePathSetting(ini, kSection, keyOf(i), path);
        if (first && !written) first = std::move(written);
    }
    return first;
}

std::vector<std::string> withRecentFile(std::vector<std::string> files, const std::string& path) {
    if (path.empty()) return files;
    files.erase(std::remove(files.begin(), files.end(), path), files.end());
    files.insert(files.begin(), path);
    if (files.size() > static_cast<size_t>(kRecentFileCount)) files.resize(kRecentFileCount);
    return files;
}

std::vector<std::string> mergedRecentFiles(std::vector<std::string> stored,
                                           const std::vector<std::string>& own) {
    for (const std::string& path : own)
        if (!path.empty() && std::find(stored.begin(), stored.end(), path) == stored.end())
            stored.push_back(path);
    if (stored.size() > static_cast<size_t>(kRecentFileCount)) stored.resize(kRecentFileCount);
    return stored;
}

std::vector<std::string> rememberRecentFile(IniFile& ini, const std::vector<std::string>& own,
                                            const std::string& path, Status* written) {
    const std::vector<std::string> files =
        withRecentFile(mergedRecentFiles(loadRecentFiles(ini), own), path);
    Status ok = saveRecentFiles(ini, files);
    if (written) *written = std::move(ok);
    return files;
}

}  // namespace humidraw
