#pragma once
// How the design's values are shown and typed in each unit system (units/units.h). The design
// keeps engineering units (kcal/kg(DA), kcal/h, mmHg, m³/h).
#include <string>

#include "design/properties.h"
#include "units/units.h"

namespace humidraw::design {

using UnitSystem = humidraw::UnitSystem;

// The quantity a property is.
units::Quantity quantityOf(Property p);

double shownValue(Property p, double stored, UnitSystem u);
double storedValue(Property p, double shown, UnitSystem u);
double shownLoad(double kcalPerHour, UnitSystem u);
double storedLoad(double shown, UnitSystem u);
double shownPressure(double mmHg, UnitSystem u);
// The unit a property is shown in: "°C", "%", "kg/kg(DA)", "kcal/kg(DA)", "kJ/kg(DA)", "gr/lb(DA)", ….
std::string propertyUnit(Property p, UnitSystem u);
std::string loadUnit(UnitSystem u);      // "kcal/h", "kW" or "Btu/h"
std::string pressureUnit(UnitSystem u);  // "mmHg", "kPa" or "psia"

}  // namespace humidraw::design
