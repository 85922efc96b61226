#pragma once
// Thermal comfort of a state of the air: the predicted mean vote (PMV) of the heat balance of a
// clothed body, after Fanger as ISO 7730 gives it, and the predicted percentage dissatisfied
// (PPD); and where along a line of constant humidity ratio the PMV reaches given limits, the
// edges of the comfort zone the chart draws.
#include <optional>
#include <string>
#include <vector>

#include "air/air.h"

namespace humidraw::comfort {

// What the occupant does and wears and the air around them, besides its dry bulb and humidity.
struct ComfortInputs {
    double met = 1.1;          // metabolic rate, met (1 met = 58.15 W/m²)
    double clo = 0.5;          // clothing insulation, clo (1 clo = 0.155 m²·K/W)
    double airSpeed = 0.1;     // relative air speed, m/s
    double mrtOffset = 0;      // K: the mean radiant temperature is the dry bulb plus this
    double externalWork = 0;   // met, the part of the metabolic rate done as work
    bool operator==(const ComfortInputs&) const = default;
};

struct PmvResult {
    double pmv = 0;
    double ppd = 0;  // %
    bool ok = false;
};

// Empty when the inputs can be computed with, else why not, in the program's language.
std::string inputsProblem(const ComfortInputs& in);

// The PPD of a PMV, %: 100 − 95·exp(−0.03353·PMV⁴ − 0.2179·PMV²); 5 % at PMV 0.
double ppd(double pmv);

// PMV and PPD at a dry bulb DB_C (°C) and a partial pressure of water vapour (Pa). ok is false,
// with nothing else trusted, for inputs that are negative or not finite, and when the clothing's
// surface temperature does not settle.
PmvResult pmv(double DB_C, double vapourPressurePa, const ComfortInputs& in);

// The same at a state of the air: the vapour pressure of humidity ratio x (kg/kg(DA)) at the
// air's total pressure.
PmvResult pmvAt(const MoistAir& air, double DB, double x, const ComfortInputs& in);

// The dry bulbs along one humidity ratio where the PMV is the lower and the upper limit; either
// is empty when that PMV is not reached between kBoundaryMinDB and kBoundaryMaxDB, or is reached
// only above saturation, or x is above the zone's humidity limit.
struct BoundaryPoint {
    double x = 0;
    std::optional<double> lowDB;
    std::optional<double> highDB;
};

inline constexpr double kBoundaryMinDB = -10;
inline constexpr double kBoundaryMaxDB = 50;
// The dry bulbs are found by halving to within this, K.
inline constexpr double kBoundaryToleranceK = 1e-4;

// One point for each x in xs, in their order. The PMV rises with the dry bulb at a given x.
std::vector<BoundaryPoint> comfortBoundary(const MoistAir& air, const ComfortInputs& in,
                                           double pmvLow, double pmvHigh, double maxX,
                                           std::vector<double> xs);

// The edges of the comfort zone along one humidity ratio, where a state can be: its dry bulbs
// from the lower to the upper PMV limit, the lower edge raised to the dew point of x where the
// air would be saturated below it, and both cut to [dbMin, dbMax]. Empty where no dry bulb
// of the line is in the zone. Each edge is found by halving to kBoundaryToleranceK.
struct ZoneRow {
    double lowDB = 0, highDB = 0;
};
std::optional<ZoneRow> zoneRow(const MoistAir& air, const ComfortInputs& in, double pmvLow,
                               double pmvHigh, double x, double dbMin = kBoundaryMinDB,
                               double dbMax = kBoundaryMaxDB);

// The readout's PMV and PPD at a state (DB °C, x kg/kg(DA)) for each comfort zone's inputs:
// " PMV:-0.45 PPD:9.2", for two zones " PMV:-0.45/+0.12 PPD:9.2/5.3" (in their order, a PMV that
// cannot be computed as "—"); empty for no inputs.
std::string pmvReadout(const MoistAir& air, double DB, double x,
                       const std::vector<ComfortInputs>& each);

// ASHRAE 55's adaptive model for naturally ventilated spaces: the comfort operative temperature
// 0.31·t + 17.8 °C for a prevailing mean outdoor temperature t, which applies for t from
// kAdaptiveMinMean to kAdaptiveMaxMean; the acceptable band is ±3.5 K about it for 80 %
// acceptability and ±2.5 K for 90 %.
inline constexpr double kAdaptiveMinMean = 10;
inline constexpr double kAdaptiveMaxMean = 33.5;
double adaptiveComfortTemperature(double prevailingMean);
// The half width of the band, K, for 80 or 90 (% acceptability); 0 for any other.
double adaptiveHalfWidth(int acceptability);

}  // namespace humidraw::comfort
