#pragma once
// Inch-pound units: the factors from the library's units (°C, kg/kg(DA), kcal/kg(DA), m³/kg(DA),
// mmHg, kcal/h, m³/h, kg/h, m) to the units US engineers and ASHRAE's tables use, and the
// enthalpy datum of those tables. Every program built on the library converts through these;
// the library itself computes in its own units only.

namespace humidraw {

// °F = kFahrenheitPerKelvin × °C + kFahrenheitAtZeroC.
constexpr double kFahrenheitPerKelvin = 1.8;
constexpr double kFahrenheitAtZeroC = 32;
// Grains in a pound: a humidity ratio in gr/lb(DA) is kg/kg(DA) × 7000.
constexpr double kGrainsPerPound = 7000;
// ft³/lb(DA) in one m³/kg(DA).
constexpr double kCubicFeetPerPoundPerCubicMetrePerKg = 16.01846;
// psi in one mmHg, and mmHg in one inch of mercury.
constexpr double kPsiPerMmHg = 0.0193368;
constexpr double kMmHgPerInHg = 25.4;
// m³/h in one cfm (ft³/min).
constexpr double kCubicMetresPerHourPerCfm = 1.699011;
// Btu/h in one kcal/h, and in one ton of refrigeration.
constexpr double kBtuHPerKcalH = 3.968321;
constexpr double kBtuHPerTon = 12000;
// Pounds in one kilogram, feet in metres, lb/ft³ in one kg/m³.
constexpr double kPoundsPerKg = 2.2046226;
constexpr double kMetresPerFoot = 0.3048;
constexpr double kLbPerFt3PerKgPerM3 = 0.06242796;
// Btu/lb in one kcal/kg: an enthalpy difference or a moisture-enthalpy ratio (1 Btu/lb·°F is
// 1 kcal/kg·K, so the factor is that of the degree).
constexpr double kBtuPerLbPerKcalPerKg = 1.8;
// The enthalpy datum of the IP tables: dry air at 0 °F and liquid water at 32 °F, where the
// library's lies at 0 °C for both. h [Btu/lb] = 1.8 × h [kcal/kg] + 32 × Cpa, Cpa the library's
// own specific heat of dry air (MoistekClass::Cpa, the float 0.24 widened): dry air at t °F then
// holds Cpa × t, as in the tables.
constexpr double kLibraryDryAirSpecificHeat = static_cast<double>(0.24f);
constexpr double kIpEnthalpyOffset = kFahrenheitAtZeroC * kLibraryDryAirSpecificHeat;

constexpr double fahrenheitFromCelsius(double c) {
    return kFahrenheitPerKelvin * c + kFahrenheitAtZeroC;
}
constexpr double celsiusFromFahrenheit(double f) {
    return (f - kFahrenheitAtZeroC) / kFahrenheitPerKelvin;
}
constexpr double btuPerLbFromKcalPerKg(double h) {
    return kBtuPerLbPerKcalPerKg * h + kIpEnthalpyOffset;
}
constexpr double kcalPerKgFromBtuPerLb(double h) {
    return (h - kIpEnthalpyOffset) / kBtuPerLbPerKcalPerKg;
}

}  // namespace humidraw
