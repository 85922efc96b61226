#pragma once
// The documents opened or saved last, newest first, kept in the settings file so that the
// ﾌｧｲﾙ menu offers them again after a restart. Several programs may run at once: each merges
// its own list with the file's when it writes, so none drops what another wrote meanwhile.
#include <string>
#include <vector>

#include "settings/ini_file.h"

namespace humidraw {

constexpr int kRecentFileCount = 8;

// The stored list: empty entries and repeats left out, at most kRecentFileCount.
std::vector<std::string> loadRecentFiles(const IniFile& ini);
// Writes the whole list (missing places written empty); failed with the first write that failed
// (the places after it are still written).
Status saveRecentFiles(IniFile& ini, const std::vector<std::string>& files);
// The list with `path` at its head: an earlier place of the same path is dropped, and the
// oldest falls off the end.
std::vector<std::string> withRecentFile(std::vector<std::string> files, const std::string& path);
// The list in the settings file (`stored`) followed by the entries of `own` it lacks, cut to
// kRecentFileCount.
std::vector<std::string> mergedRecentFiles(std::vector<std::string> stored,
                                           const std::vector<std::string>& own);
// Reads the file's list, merges `own` into it, puts `path` at its head and writes it; the list
// written (or that would have been: `written` tells how the write went).
std::vector<std::string> rememberRecentFile(IniFile& ini, const std::vector<std::string>& own,
                                            const std::string& path, Status* written = nullptr);

}  // namespace humidraw
