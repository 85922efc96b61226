#pragma once
// Every value the program shows or takes, in each unit system: the conversion from the units
// the engine and the files keep (°C, kg/kg(DA), kcal/kg(DA), m³/kg(DA), mmHg, kcal/h, m³/h,
// kg/h, kg/m³, m) and the unit's text. SI changes the enthalpy (kJ/kg, 4.18605 kJ/kcal as the
// chart's scales), loads (kW, 860 kcal/h each) and pressures (kPa); IP changes all of them, the
// enthalpy on the IP tables' datum (moistek_internal/ip_units.h).
#include <string>

#include "units/unit_system.h"

namespace humidraw::units {

enum class Quantity {
    Temperature,            // °C | °C | °F
    TemperatureDifference,  // K | K | °F (a difference: no offset)
    RelativeHumidity,       // % in all
    HumidityRatio,          // kg/kg(DA) | kg/kg(DA) | gr/lb(DA)
    Enthalpy,               // kcal/kg(DA) | kJ/kg(DA) | Btu/lb(DA) on the IP datum
    EnthalpyDifference,     // kcal/kg(DA) | kJ/kg(DA) | Btu/lb(DA) (no datum)
    MoistureRatio,          // Δh/Δx: kcal/kg | kJ/kg | Btu/lb
    Volume,                 // m³/kg(DA) | m³/kg(DA) | ft³/lb(DA)
    Density,                // kg/m³ | kg/m³ | lb/ft³
    Pressure,               // mmHg | kPa | psia
    Load,                   // kcal/h | kW | Btu/h
    AirFlow,                // m³/h | m³/h | cfm
    MassFlow,               // kg/h | kg/h | lb/h (dry air, water, steam)
    Length,                 // m | m | ft (altitude)
};

double shown(Quantity q, double stored, UnitSystem u);
double stored(Quantity q, double shown, UnitSystem u);
// The unit as the tables and dialogs write it: "°C", "kg/kg(DA)", "gr/lb(DA)", "Btu/lb(DA)", ….
std::string unitText(Quantity q, UnitSystem u);

// Tons of refrigeration for a load in kcal/h (12,000 Btu/h a ton), shown beside Btu/h.
double tons(double kcalPerHour);

}  // namespace humidraw::units
