#pragma once
// Constants of moist air that the chart, the plotted objects and the coil write as decimal
// doubles. The engine keeps its own members (moistek.h): Cpa and Cpv there are the float values
// 0.24f and 0.441f widened, and KcalKJ is 4.1868f widened, so they differ from these in the
// last bits and are not to be replaced by them (nor these by them): every result depends on
// exactly which value each place uses.

namespace humidraw {

// Latent heat of vaporisation at 0 °C, kcal/kg; the engine's R0 is this value.
constexpr double kLatentHeat0 = 597.5;
// Specific heat of dry air and of water vapour, kcal/(kg·K), as decimal doubles.
constexpr double kDryAirSpecificHeat = 0.24;
constexpr double kVapourSpecificHeat = 0.441;
// kJ per kcal for the enthalpies the chart and the objects show in SI units.
constexpr double kKJPerKcal = 4.18605;
// Its inverse, correctly rounded (the double nearest 0.2388886898149807).
constexpr double kKcalPerKJ = 1 / kKJPerKcal;
// kcal/h in 1 kW, for the loads shown and typed in SI units.
constexpr double kKcalHPerKW = 860;

}  // namespace humidraw
