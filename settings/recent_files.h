#pragma once
// The documents opened or saved last, newest first, kept in the settings file so that the
// ﾌｧｲﾙ menu offers them again after a restart.
#include <string>
#include <vector>

#include "settings/ini_file.h"

namespace humidraw {

constexpr int kRecentFileCount = 8;

// The stored list: empty entries and repeats left out, at most kRecentFileCount.
std::vector<std::string> loadRecentFiles(const IniFile& ini);
// Writes the whole list (missing places written empty); false when a write failed.
bool saveRecentFiles(IniFile& ini, const std::vector<std::string>& files);
// The list with `path` at its head: an earlier place of the same path is dropped, and the
// oldest falls off the end.
std::vector<std::string> withRecentFile(std::vector<std::string> files, const std::string& path);

}  // namespace humidraw
