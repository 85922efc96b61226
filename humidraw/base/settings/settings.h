#pragma once
// The program's settings record and its settings file.
#include <optional>
#include <string>

#include "chart/chart_settings.h"
#include "files/folder.h"
#include "settings/ini_file.h"

namespace humidraw {

extern const char* const kViewFlagKeys[kViewFlagCount];

// The altitudes the options dialog sets the pressure from, in whole metres.
inline constexpr int kMinAltitudeM = -400;
inline constexpr int kMaxAltitudeM = 5000;

// The chart's record and what only the program keeps: the last folder, the language and the
// altitude the pressure was set from.
struct Settings : ChartSettings {
    std::string currentDir;
    // Language: "ja" or "en" as chosen in the options dialog, empty to follow the locale.
    std::string language;
    // CSalt: the site's altitude in whole metres when the pressure was set from it; none when
    // the pressure was given as such.
    std::optional<double> altitudeM;
};

// The pressure the options dialog sets for an altitude: the standard atmosphere's, rounded to
// the whole mmHg the settings file keeps.
double pressureForAltitude(double metres);
// The record's altitude when it is a whole number of metres the dialog allows and gives the
// record's pressure; none otherwise (a pressure typed by hand, or one a document brought).
std::optional<double> matchingAltitude(const Settings& s);

// Shows the chart in `u`. The range stays the same temperatures, except that the default range of
// the °C scale (−5 to 45 °C) and that of IP units (25 to 115 °F) are taken for one another.
void chooseUnits(ChartSettings& s, UnitSystem u);

struct WindowBounds {
    int left = 0, width = 0, top = 0, height = 0;
};

// The settings file of a program: its path with the extension replaced by ".ini".
std::string settingsPathFor(const std::string& programPath);

// Reads every key of the record; a missing, empty or unconvertible value gives its default. A
// pressure no chart can be drawn at (outside kMinPressureMmHg..kMaxPressureMmHg) gives the
// standard atmosphere's, and an altitude is kept only as matchingAltitude keeps it.
Settings loadSettings(const IniFile& ini, const std::string& programFolder);
WindowBounds loadWindowBounds(const IniFile& ini);

// The keys "設定保存" writes, in order (limits, pressure and altitude as whole numbers; the
// altitude empty when there is none). Stops at the first write that fails, with its reason;
// the keys written before it stay written.
Status saveSettings(IniFile& ini, const Settings& s);
// What closing the main window writes; failed with the first write that failed.
Status saveClosingState(IniFile& ini, const std::string& currentDir, const WindowBounds& b);

// Profile operations with the settings file's encodings.
double readProfileFloat(const IniFile& ini, const std::string& section, const std::string& key,
                        double fallback);
int readProfileInt(const IniFile& ini, const std::string& section, const std::string& key,
                   int fallback);
bool readProfileBool(const IniFile& ini, const std::string& section, const std::string& key,
                     bool fallback);
Status writeProfileInt(IniFile& ini, const std::string& section, const std::string& key, int v);
Status writeProfileBool(IniFile& ini, const std::string& section, const std::string& key, bool v);

}  // namespace humidraw
