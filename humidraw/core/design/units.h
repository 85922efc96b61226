#pragma once
// How the design's values are shown and typed in each unit system. The design keeps engineering
// units (kcal/kg(DA), kcal/h, mmHg); SI shows enthalpy in kJ/kg(DA) (4.18605 kJ/kcal, as the
// chart's scales), loads in kW (860 kcal/h a kW, as the coil report) and the vapour pressure in
// kPa. Every other property reads the same in both.
#include <string>

#include "design/properties.h"

namespace humidraw::design {

enum class UnitSystem { Engineering, SI };

double shownValue(Property p, double stored, UnitSystem u);
double storedValue(Property p, double shown, UnitSystem u);
double shownLoad(double kcalPerHour, UnitSystem u);
double storedLoad(double shown, UnitSystem u);
double shownPressure(double mmHg, UnitSystem u);
// The unit a property is shown in: "°C", "%", "kg/kg(DA)", "kcal/kg(DA)", "kJ/kg(DA)", "m³/kg(DA)".
std::string propertyUnit(Property p, UnitSystem u);
std::string loadUnit(UnitSystem u);      // "kcal/h" or "kW"
std::string pressureUnit(UnitSystem u);  // "mmHg" or "kPa"

}  // namespace humidraw::design
