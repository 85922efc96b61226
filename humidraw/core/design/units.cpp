#include "design/units.h"

#include "air/air.h"
#include "moistek_internal/air_constants.h"

namespace humidraw::design {

double shownValue(Property p, double stored, UnitSystem u) {
    return p == Property::H && u == UnitSystem::SI ? stored * kKJPerKcal : stored;
}

double storedValue(Property p, double shown, UnitSystem u) {
    return p == Property::H && u == UnitSystem::SI ? shown / kKJPerKcal : shown;
}

double shownLoad(double kcalPerHour, UnitSystem u) {
    return u == UnitSystem::SI ? kcalPerHour / kKcalHPerKW : kcalPerHour;
}

double storedLoad(double shown, UnitSystem u) {
    return u == UnitSystem::SI ? shown * kKcalHPerKW : shown;
}

double shownPressure(double mmHg, UnitSystem u) {
    return u == UnitSystem::SI ? mmHg * kKPaPerMmHg : mmHg;
}

std::string propertyUnit(Property p, UnitSystem u) {
    switch (p) {
        case Property::DB:
        case Property::WB:
        case Property::DP: return "°C";
        case Property::RH: return "%";
        case Property::X: return "kg/kg(DA)";
        case Property::H: return u == UnitSystem::SI ? "kJ/kg(DA)" : "kcal/kg(DA)";
        case Property::SV: return "m³/kg(DA)";
    }
    return "";
}

std::string loadUnit(UnitSystem u) {
    return u == UnitSystem::SI ? "kW" : "kcal/h";
}

std::string pressureUnit(UnitSystem u) {
    return u == UnitSystem::SI ? "kPa" : "mmHg";
}

}  // namespace humidraw::design
