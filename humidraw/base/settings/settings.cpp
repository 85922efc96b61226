#include "settings/settings.h"

#include <cmath>
#include <functional>
#include <limits>
#include <vector>

#include "air/air.h"
#include "moistek_internal/ip_units.h"
#include "settings/path_value.h"
#include "text/number_format.h"

namespace humidraw {

const char* const kViewFlagKeys[kViewFlagCount] = {"CB_DB", "CB_RH",  "CB_AH", "CB_EN", "CB_WB",
                                                   "CB_SV", "CB_SHF", "CB_NE", "CB_OP"};

std::string settingsPathFor(const std::string& programPath) {
    const size_t slash = programPath.rfind('/');
    const size_t dot = programPath.rfind('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
        return programPath.substr(0, dot) + ".ini";
    return programPath + ".ini";
}

double readProfileFloat(const IniFile& ini, const std::string& section, const std::string& key,
                        double fallback) {
    const auto v = parseDecimal(ini.readString(section, key, "", 63));
    return v ? *v : fallback;
}

int readProfileInt(const IniFile& ini, const std::string& section, const std::string& key,
                   int fallback) {
    const auto v = parseInteger(ini.readString(section, key, "", 63));
    return v ? *v : fallback;
}

bool readProfileBool(const IniFile& ini, const std::string& section, const std::string& key,
                     bool fallback) {
    const std::string v = ini.readString(section, key, "", 63);
    if (v.empty()) return fallback;
    return v[0] == '1';
}

Status writeProfileInt(IniFile& ini, const std::string& section, const std::string& key, int v) {
    return ini.writeString(section, key, std::to_string(v));
}

Status writeProfileBool(IniFile& ini, const std::string& section, const std::string& key, bool v) {
    return ini.writeString(section, key, v ? "1" : "0");
}

double pressureForAltitude(double metres) {
    return std::round(pressureAtAltitudeMmHg(metres));
}

std::optional<double> matchingAltitude(const Settings& s) {
    const std::optional<double>& z = s.altitudeM;
    if (!z || !std::isfinite(*z) || *z != std::round(*z) || *z < kMinAltitudeM ||
        *z > kMaxAltitudeM || pressureForAltitude(*z) != s.pressureMmHg)
        return std::nullopt;
    return z;
}

void chooseUnits(ChartSettings& s, UnitSystem u) {
    const ChartSettings defaults;
    const double ipMin = celsiusFromFahrenheit(kDefaultIpDbMinF);
    const double ipMax = celsiusFromFahrenheit(kDefaultIpDbMaxF);
    if (u == UnitSystem::IP && !s.isIP() && s.dbMin == defaults.dbMin && s.dbMax == defaults.dbMax) {
        s.dbMin = ipMin;
        s.dbMax = ipMax;
    } else if (u != UnitSystem::IP && s.isIP() && s.dbMin == ipMin && s.dbMax == ipMax) {
        s.dbMin = defaults.dbMin;
        s.dbMax = defaults.dbMax;
    }
    s.units = u;
}

Settings loadSettings(const IniFile& ini, const std::string& programFolder) {
    Settings s;
    // A damaged file's pressure stays out of the chart: the standard atmosphere instead.
    s.pressureMmHg = readProfileFloat(ini, "Setting", "CSpa", kStandardPressureMmHg);
    if (!pressureAllowed(s.pressureMmHg)) s.pressureMmHg = kStandardPressureMmHg;
    s.altitudeM = parseDecimal(ini.readString("Setting", "CSalt", "", 63));
    s.altitudeM = matchingAltitude(s);
    s.dbMin = readProfileFloat(ini, "Setting", "CSdbmin", -5);
    s.dbMax = readProfileFloat(ini, "Setting", "CSdbmax", 45);
    s.fontSize = readProfileInt(ini, "Font", "CSFontSize", 6);
    s.fontName = ini.readString("Font", "CSFontName", kDefaultFontName, 512);
    if (s.fontName.empty()) s.fontName = kDefaultFontName;
    for (int i = 0; i < kViewFlagCount; ++i)
        s.view[i] = readProfileBool(ini, "View", kViewFlagKeys[i], i < CB_SHF);
    // Units names the unit system; a file without it (or with a name no program knows) has
    // only SiUnit, which every version writes.
    const bool si = readProfileBool(ini, "Setting", "SiUnit", false);
    s.units = unitSystemNamed(ini.readString("Setting", "Units", "", 63))
                  .value_or(si ? UnitSystem::SI : UnitSystem::Engineering);
    if (s.isIP()) {
        // Under IP units the range is kept in whole °F, beside the °C range of the others.
        s.dbMin = celsiusFromFahrenheit(readProfileFloat(ini, "Setting", "CSdbminF", kDefaultIpDbMinF));
        s.dbMax = celsiusFromFahrenheit(readProfileFloat(ini, "Setting", "CSdbmaxF", kDefaultIpDbMaxF));
    }
    s.currentDir = readPathSetting(ini, "Setting", "CurrentDir", programFolder);
    s.language = ini.readString("Setting", "Language", "", 63);
    if (s.language != "ja" && s.language != "en") s.language.clear();
    return s;
}

WindowBounds loadWindowBounds(const IniFile& ini) {
    WindowBounds b;
    b.left = readProfileInt(ini, "Form", "Left", 0);
    b.width = readProfileInt(ini, "Form", "Width", 0);
    b.top = readProfileInt(ini, "Form", "Top", 0);
    b.height = readProfileInt(ini, "Form", "Height", 0);
    return b;
}

namespace {
// Limits, pressure and altitude are written as the whole numbers a spin edit holds, over an
// int's range.
constexpr int kIntMin = std::numeric_limits<int>::min();
constexpr int kIntMax = std::numeric_limits<int>::max();
}  // namespace

Status saveSettings(IniFile& ini, const Settings& s) {
    const auto whole = [](double v) { return wholeNumber(v, kIntMin, kIntMax); };
    std::vector<std::function<Status()>> writes = {
        [&] { return writeProfileInt(ini, "Setting", "CSpa", whole(s.pressureMmHg)); },
        // Empty when there is none, which reads back as none.
        [&] {
            return s.altitudeM ? writeProfileInt(ini, "Setting", "CSalt", whole(*s.altitudeM))
                               : ini.writeString("Setting", "CSalt", "");
        },
        // Under IP units the °F keys take the range and the °C keys keep the range the other
        // units had.
        [&] {
            return s.isIP() ? writeProfileInt(ini, "Setting", "CSdbminF", whole(std::round(fahrenheitFromCelsius(s.dbMin))))
                            : writeProfileInt(ini, "Setting", "CSdbmin", whole(s.dbMin));
        },
        [&] {
            return s.isIP() ? writeProfileInt(ini, "Setting", "CSdbmaxF", whole(std::round(fahrenheitFromCelsius(s.dbMax))))
                            : writeProfileInt(ini, "Setting", "CSdbmax", whole(s.dbMax));
        },
        [&] { return writeProfileInt(ini, "Font", "CSFontSize", s.fontSize); },
        [&] { return ini.writeString("Font", "CSFontName", s.fontName); },
    };
    for (int i = 0; i < kViewFlagCount; ++i)
        writes.push_back(
            [&, i] { return writeProfileBool(ini, "View", kViewFlagKeys[i], s.view[i]); });
    writes.push_back([&] { return writeProfileBool(ini, "Setting", "SiUnit", s.isSI()); });
    writes.push_back([&] {
        return ini.writeString("Setting", "Language", s.language.empty() ? "auto" : s.language);
    });
    // The unit system by name, last: SiUnit stays as every version reads it.
    writes.push_back([&] { return ini.writeString("Setting", "Units", unitSystemName(s.units)); });
    for (const auto& write : writes)
        if (Status st = write(); !st) return st;
    return {};
}

Status saveClosingState(IniFile& ini, const std::string& currentDir, const WindowBounds& b) {
    // Each key on its own: a folder that cannot be written still lets the place be written.
    Status written[] = {writePathSetting(ini, "Setting", "CurrentDir", currentDir),
                        writeProfileInt(ini, "Form", "Left", b.left),
                        writeProfileInt(ini, "Form", "Width", b.width),
                        writeProfileInt(ini, "Form", "Top", b.top),
                        writeProfileInt(ini, "Form", "Height", b.height)};
    for (Status& st : written)
        if (!st) return std::move(st);
    return {};
}

}  // namespace humidraw
