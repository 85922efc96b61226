#include "design/units.h"

namespace humidraw::design {

using units::Quantity;

Quantity quantityOf(Property p) {
    switch (p) {
        case Property::DB:
        case Property::WB:
        case Property::DP: return Quantity::Temperature;
        case Property::RH: return Quantity::RelativeHumidity;
        case Property::X: return Quantity::HumidityRatio;
        case Property::H: return Quantity::Enthalpy;
        case Property::SV: return Quantity::Volume;
    }
    return Quantity::RelativeHumidity;
}

double shownValue(Property p, double stored, UnitSystem u) {
    return units::shown(quantityOf(p), stored, u);
}

double storedValue(Property p, double shown, UnitSystem u) {
    return units::stored(quantityOf(p), shown, u);
}

double shownLoad(double kcalPerHour, UnitSystem u) {
    return units::shown(Quantity::Load, kcalPerHour, u);
}

double storedLoad(double shown, UnitSystem u) {
    return units::stored(Quantity::Load, shown, u);
}

double shownPressure(double mmHg, UnitSystem u) {
    return units::shown(Quantity::Pressure, mmHg, u);
}

std::string propertyUnit(Property p, UnitSystem u) {
    return units::unitText(quantityOf(p), u);
}

std::string loadUnit(UnitSystem u) {
    return units::unitText(Quantity::Load, u);
}

std::string pressureUnit(UnitSystem u) {
    return units::unitText(Quantity::Pressure, u);
}

}  // namespace humidraw::design
