#include "units/units.h"

#include "air/air.h"
#include "moistek_internal/air_constants.h"
#include "moistek_internal/ip_units.h"

namespace humidraw::units {
namespace {

// shown = stored × factor + offset.
struct Linear {
    double factor = 1, offset = 0;
};

Linear conversion(Quantity q, UnitSystem u) {
    const bool si = u == UnitSystem::SI, ip = u == UnitSystem::IP;
    switch (q) {
        case Quantity::Temperature:
            return ip ? Linear{kFahrenheitPerKelvin, kFahrenheitAtZeroC} : Linear{};
        case Quantity::TemperatureDifference: return ip ? Linear{kFahrenheitPerKelvin} : Linear{};
        case Quantity::RelativeHumidity: return {};
        case Quantity::HumidityRatio: return ip ? Linear{kGrainsPerPound} : Linear{};
        case Quantity::Enthalpy:
            return ip ? Linear{kBtuPerLbPerKcalPerKg, kIpEnthalpyOffset}
                      : si ? Linear{kKJPerKcal} : Linear{};
        case Quantity::EnthalpyDifference:
        case Quantity::MoistureRatio:
            return ip ? Linear{kBtuPerLbPerKcalPerKg} : si ? Linear{kKJPerKcal} : Linear{};
        case Quantity::Volume: return ip ? Linear{kCubicFeetPerPoundPerCubicMetrePerKg} : Linear{};
        case Quantity::Density: return ip ? Linear{kLbPerFt3PerKgPerM3} : Linear{};
        case Quantity::Pressure:
            return ip ? Linear{kPsiPerMmHg} : si ? Linear{kKPaPerMmHg} : Linear{};
        case Quantity::Load:
            return ip ? Linear{kBtuHPerKcalH} : si ? Linear{1 / kKcalHPerKW} : Linear{};
        case Quantity::AirFlow: return ip ? Linear{1 / kCubicMetresPerHourPerCfm} : Linear{};
        case Quantity::MassFlow: return ip ? Linear{kPoundsPerKg} : Linear{};
        case Quantity::Length: return ip ? Linear{1 / kMetresPerFoot} : Linear{};
    }
    return {};
}

}  // namespace

double shown(Quantity q, double v, UnitSystem u) {
    // kW and cfm divide by the constant they are defined with, as they always have: a product
    // with its rounded inverse could differ in the last bit.
    if (q == Quantity::Load && u == UnitSystem::SI) return v / kKcalHPerKW;
    if (q == Quantity::AirFlow && u == UnitSystem::IP) return v / kCubicMetresPerHourPerCfm;
    if (q == Quantity::Length && u == UnitSystem::IP) return v / kMetresPerFoot;
    const Linear c = conversion(q, u);
    if (c.factor == 1 && c.offset == 0) return v;
    return v * c.factor + c.offset;
}

double stored(Quantity q, double v, UnitSystem u) {
    if (q == Quantity::Load && u == UnitSystem::SI) return v * kKcalHPerKW;
    if (q == Quantity::AirFlow && u == UnitSystem::IP) return v * kCubicMetresPerHourPerCfm;
    if (q == Quantity::Length && u == UnitSystem::IP) return v * kMetresPerFoot;
    const Linear c = conversion(q, u);
    if (c.factor == 1 && c.offset == 0) return v;
    return (v - c.offset) / c.factor;
}

std::string unitText(Quantity q, UnitSystem u) {
    const bool si = u == UnitSystem::SI, ip = u == UnitSystem::IP;
    switch (q) {
        case Quantity::Temperature: return ip ? "°F" : "°C";
        case Quantity::TemperatureDifference: return ip ? "°F" : "K";
        case Quantity::RelativeHumidity: return "%";
        case Quantity::HumidityRatio: return ip ? "gr/lb(DA)" : "kg/kg(DA)";
        case Quantity::Enthalpy:
        case Quantity::EnthalpyDifference:
            return ip ? "Btu/lb(DA)" : si ? "kJ/kg(DA)" : "kcal/kg(DA)";
        case Quantity::MoistureRatio: return ip ? "Btu/lb" : si ? "kJ/kg" : "kcal/kg";
        case Quantity::Volume: return ip ? "ft³/lb(DA)" : "m³/kg(DA)";
        case Quantity::Density: return ip ? "lb/ft³" : "kg/m³";
        case Quantity::Pressure: return ip ? "psia" : si ? "kPa" : "mmHg";
        case Quantity::Load: return ip ? "Btu/h" : si ? "kW" : "kcal/h";
        case Quantity::AirFlow: return ip ? "cfm" : "m³/h";
        case Quantity::MassFlow: return ip ? "lb/h" : "kg/h";
        case Quantity::Length: return ip ? "ft" : "m";
    }
    return "";
}

double tons(double kcalPerHour) {
    return kcalPerHour * kBtuHPerKcalH / kBtuHPerTon;
}

}  // namespace humidraw::units
