#pragma once
// What the chart is drawn from: pressure, limits, font, view flags and units. The program's
// settings (settings/settings.h) add to it what the chart does not need and keep it in the
// settings file.
#include <array>
#include <cstdint>
#include <string>

#include "units/unit_system.h"

namespace humidraw {

// The chart's typeface unless the settings name another.
inline constexpr const char* kDefaultFontName = "ＭＳ Ｐゴシック";

// View flags, in the order the settings file and documents keep them.
enum ViewFlag { CB_DB, CB_RH, CB_AH, CB_EN, CB_WB, CB_SV, CB_SHF, CB_NE, CB_OP, kViewFlagCount };

// The dry-bulb range under IP units when the settings file has none, °F.
inline constexpr double kDefaultIpDbMinF = 25;
inline constexpr double kDefaultIpDbMaxF = 115;

struct ChartSettings {
    double pressureMmHg = 760;  // CSpa, mmHg: every line family and state is computed at it
    double dbMin = -5;          // CSdbmin, °C
    double dbMax = 45;          // CSdbmax, °C
    int32_t fontSize = 6;       // CSFontSize, points
    std::string fontName = kDefaultFontName;
    std::array<bool, kViewFlagCount> view = {true, true,  true,  true, true,
                                             true, false, false, false};
    // SiUnit and Units: the units shown and typed. The chart is laid out on round values of
    // them; its mapping from air states is the same in all three.
    UnitSystem units = UnitSystem::Engineering;
    bool isSI() const { return units == UnitSystem::SI; }
    bool isIP() const { return units == UnitSystem::IP; }
};

}  // namespace humidraw
