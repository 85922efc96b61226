#pragma once
// The program's settings record and its settings file.
#include <array>
#include <cstdint>
#include <string>

#include "settings/ini_file.h"

namespace humidraw {

// View flags, in the order the settings file and documents keep them.
enum ViewFlag { CB_DB, CB_RH, CB_AH, CB_EN, CB_WB, CB_SV, CB_SHF, CB_NE, CB_OP, kViewFlagCount };

extern const char* const kViewFlagKeys[kViewFlagCount];

struct Settings {
    double pressureMmHg = 760;  // CSpa; shown in the chart title only
    double dbMin = -5;          // CSdbmin, °C
    double dbMax = 45;          // CSdbmax, °C
    int32_t fontSize = 6;       // CSFontSize, points
    std::string fontName = "ＭＳ Ｐゴシック";
    std::array<bool, kViewFlagCount> view = {true, true,  true,  true, true,
                                             true, false, false, false};
    bool si = false;  // SiUnit: SI units shown (kJ/kg, kW)
    std::string currentDir;
    // Language: "ja" or "en" as chosen in the options dialog, empty to follow the locale.
    std::string language;
};

struct WindowBounds {
    int left = 0, width = 0, top = 0, height = 0;
};

// The settings file of a program: its path with the extension replaced by ".ini".
std::string settingsPathFor(const std::string& programPath);

// The folder of a file, without a trailing '/' (except for the root).
std::string folderOf(const std::string& path);

// Reads every key of the record; a missing, empty or unconvertible value gives its default.
Settings loadSettings(const IniFile& ini, const std::string& programFolder);
WindowBounds loadWindowBounds(const IniFile& ini);

// The keys "設定保存" writes, in order (limits and pressure as whole numbers). False when a
// write failed; the keys written before it stay written.
bool saveSettings(IniFile& ini, const Settings& s);
// What closing the main window writes.
bool saveClosingState(IniFile& ini, const std::string& currentDir, const WindowBounds& b);

// Profile operations with the settings file's encodings.
double readProfileFloat(const IniFile& ini, const std::string& section, const std::string& key,
                        double fallback);
int readProfileInt(const IniFile& ini, const std::string& section, const std::string& key,
                   int fallback);
bool readProfileBool(const IniFile& ini, const std::string& section, const std::string& key,
                     bool fallback);
bool writeProfileInt(IniFile& ini, const std::string& section, const std::string& key, int v);
bool writeProfileBool(IniFile& ini, const std::string& section, const std::string& key, bool v);

}  // namespace humidraw
