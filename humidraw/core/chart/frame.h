#pragma once
// The chart frame: grid steps and ranges of the six line families, the enthalpy skew angle, the
// scale factors fitted to the 640 × 480 chart area, and the mapping between air states (h, x)
// and chart coordinates.
#include <string>

#include "air/air.h"
#include "chart/chart_settings.h"
#include "result/result.h"

namespace humidraw {

// The fitting of the chart to its 640 × 480 area, in chart units: it starts from the origin
// (kFitStartOX, kFitOY) and steps k2 by kFitStep and OX by one until the saturation curve spans
// kFitLeft to kFitRight; the chart's top edge lies at kChartTop.
constexpr double kFitStartOX = 320;
constexpr double kFitOY = 408;
constexpr double kChartTop = 30;
constexpr double kFitLeft = 50;
constexpr double kFitRight = 570;
constexpr double kFitStep = 0.2;

constexpr double kPi = 3.14159265358979323846;

struct ChartPoint {
    double x = 0;
    double y = 0;
};

struct StatePoint {
    double h = 0;  // kcal/kg(DA)
    double x = 0;  // kg/kg(DA)
};

struct ChartFrame {
    double DBmin = -5, DBmax = 45;  // °C
    double DBstep = 1.0, AHstep = 0.001, RHstep = 10.0, ENstep = 1.0, WBstep = 1.0, SVstep = 0.01;
    double AHmin = 0, AHmax = 0;  // kg/kg(DA)
    double RHmin = 0, RHmax = 100;
    double ENmin = 0, ENmax = 0;                                  // kcal/kg(DA)
    double WBmin = 0, WBmax = 0;                                  // °C
    double SVmin = 0, SVmax = 0;                                  // m³/kg(DA)
    double nDB = 0, nAH = 0, nRH = 0, nEN = 0, nWB = 0, nSV = 0;  // whole numbers
    double theta = 0;                                             // enthalpy skew, radians
    double k1 = 0, k2 = 0;  // scale factors; k2 < 0 once fitted
    double OX = kFitStartOX, OY = kFitOY, Ytop = kChartTop;
    UnitSystem units = UnitSystem::Engineering;  // the labels' units
    bool isSI() const { return units == UnitSystem::SI; }
    bool isIP() const { return units == UnitSystem::IP; }
    // The air at the chart's total pressure, which every line family is computed with.
    MoistAir air;

    // (h, x) → chart units; pixels come from a ViewTransform (chart/view_transform.h).
    ChartPoint map(double h, double x) const;
    // Chart units → (h, x).
    StatePoint inverse(double X, double Y) const;
};

// (cx + cos a × r, cy + sin a × r); a in radians, device orientation (Y down).
ChartPoint polar(ChartPoint centre, double a, double r);

// The dry-bulb limits no chart can be fitted to, told apart: both finite and the lower at or
// above the upper; both finite, in order, and the upper at or below 0 °C.
bool limitsReversed(const ChartSettings& s);
bool upperLimitNotAboveZero(const ChartSettings& s);

// Why no chart can be made for `s` after its construction failed: the limits checkLimits refuses,
// or else the range that cannot be computed. Never empty.
std::string noChartMessage(const ChartSettings& s);

// A dry-bulb limit as the messages about the range show it: one decimal, or, for a value no
// chart could have (a damaged settings file), a short exponent form rather than 300 digits.
std::string rangeLimitText(double v);

// The steps below fail as Invalid with the reason in the program's language, naming the range:
// reversed limits, an upper limit not above 0 °C, or a range, count or fitting that cannot be
// computed.
// Refuses a pressure outside 400–800 mmHg and limits no chart can be fitted to, before anything
// is computed.
Status checkLimits(const ChartSettings& s);

// The limits the options dialog takes (°C): the lower from −20 to 60, the upper from 30 to 80.
constexpr double kLowestLowerLimit = -20;
constexpr double kHighestLowerLimit = 60;
constexpr double kLowestUpperLimit = 30;
constexpr double kHighestUpperLimit = 80;
// The most humidity ratio at saturation (kg/kg(DA)) a chart's upper limit may have: near the
// boiling point at a low pressure it grows without bound and leaves the scales and protractors
// no room on the sheet (at 400 mmHg it is 1.63 at 75 °C, 1.91 at 76 °C; at 760 mmHg 0.55 at
// 80 °C).
constexpr double kMostSaturationRatio = 1.7;
// The highest whole upper limit (°C, at most kHighestUpperLimit) whose saturation humidity ratio
// at the pressure is at most kMostSaturationRatio: 80 °C from about 460 mmHg up.
double highestUpperLimit(double pressureMmHg);
// Steps, ranges, counts and θ from the settings; k1 = k2 = 0.
Status computeRanges(ChartFrame& f, const ChartSettings& s);
// Fits k1, k2 and OX so that the saturation curve spans X = kFitLeft (50) to kFitRight (570).
Status fitScale(ChartFrame& f);
// Sets the vertical scale k2 (k1 with it) and OX so that the saturation curve lies centred
// between kFitLeft and kFitRight, the span the fitting gives it.
Status centreAtScale(ChartFrame& f, double k2);

}  // namespace humidraw
