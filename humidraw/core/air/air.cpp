#include "air/air.h"

#include <cmath>

namespace humidraw {

namespace {
constexpr double kSeaLevelKPa = 101.325;
constexpr double kLapse = 2.25577e-5;  // per m
constexpr double kExponent = 5.2559;
}  // namespace

double pressureAtAltitudeMmHg(double metres) {
    return kSeaLevelKPa * std::pow(1 - kLapse * metres, kExponent) * kMmHgPerKPa;
}

double altitudeAtPressure(double mmHg) {
    return (1 - std::pow(mmHg / kMmHgPerKPa / kSeaLevelKPa, 1 / kExponent)) / kLapse;
}

bool pressureAllowed(double mmHg) {
    return std::isfinite(mmHg) && mmHg >= kMinPressureMmHg && mmHg <= kMaxPressureMmHg;
}

double MoistAir::density(double DB, double AH) const {
    const double sv = DBAH2SV(DB, AH);
    return sv > 0 ? (1 + AH) / sv : 0.0;
}

}  // namespace humidraw
