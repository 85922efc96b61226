#pragma once
// What the chart is drawn from: pressure, limits, font, view flags and units. The program's
// settings (settings/settings.h) add to it what the chart does not need and keep it in the
// settings file.
#include <array>
#include <cstdint>
#include <string>

namespace humidraw {

// The chart's typeface unless the settings name another.
inline constexpr const char* kDefaultFontName = "ＭＳ Ｐゴシック";

// View flags, in the order the settings file and documents keep them.
enum ViewFlag { CB_DB, CB_RH, CB_AH, CB_EN, CB_WB, CB_SV, CB_SHF, CB_NE, CB_OP, kViewFlagCount };

struct ChartSettings {
    double pressureMmHg = 760;  // CSpa, mmHg: every line family and state is computed at it
    double dbMin = -5;          // CSdbmin, °C
    double dbMax = 45;          // CSdbmax, °C
    int32_t fontSize = 6;       // CSFontSize, points
    std::string fontName = kDefaultFontName;
    std::array<bool, kViewFlagCount> view = {true, true,  true,  true, true,
                                             true, false, false, false};
    bool si = false;  // SiUnit: SI units shown (kJ/kg, kW)
};

}  // namespace humidraw
