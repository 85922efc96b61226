#pragma once
// The properties of one air state and the state that two of them fix, with the library at the
// air's total pressure. Engineering units throughout: °C, %, kg/kg(DA), kcal/kg(DA),
// m³/kg(DA), mmHg; the SI units are a matter of display (units.h).
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "air/air.h"
#include "result/result.h"

namespace humidraw::design {

// The properties a state may be defined by.
enum class Property { DB, WB, DP, RH, X, H, SV };
constexpr int kPropertyCount = 7;
constexpr std::array<Property, kPropertyCount> kProperties = {
    Property::DB, Property::WB, Property::DP, Property::RH,
    Property::X,  Property::H,  Property::SV};

// "DB", "WB", "DP", "RH", "x", "h", "SV": the names the files and the command line use.
std::string_view propertyName(Property p);
// A name above; "AH" and "EN" (the library's names) are taken for x and h too.
std::optional<Property> parseProperty(std::string_view name);

// One defining property and its value.
struct Given {
    Property kind = Property::DB;
    double value = 0;
    bool operator==(const Given&) const = default;
};

// Every property of a state.
struct AirProperties {
    double DB = 0, WB = 0, DP = 0, RH = 0;
    double x = 0;        // kg/kg(DA)
    double h = 0;        // kcal/kg(DA)
    double SV = 0;       // m³/kg(DA)
    double PW = 0;       // vapour pressure, mmHg
    double density = 0;  // moist air, kg/m³
    double mu = 0;       // degree of saturation, %
    double value(Property p) const;
};

// Why two properties fix no state, or empty when they do (both different; not DP with x,
// which both give the humidity ratio; not h with WB, whose lines run almost together).
std::optional<std::string> pairRefusal(Property a, Property b);

// The state two properties fix, every property from the library; the defining values are kept
// as given. A failure says why (no such pair, or a state the library cannot reach: above
// saturation, a negative humidity, out of its range).
Result<AirProperties> stateFrom(const MoistAir& air, Given a, Given b);
// The state at a dry bulb and a humidity ratio (a place on the chart).
Result<AirProperties> stateAt(const MoistAir& air, double DB, double x);

}  // namespace humidraw::design
