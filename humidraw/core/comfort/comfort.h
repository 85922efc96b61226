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

}  // namespace humidraw::comfort
