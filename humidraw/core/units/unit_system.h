#pragma once
// The unit systems the chart and every value typed or shown can be in. The engine computes in
// its own (engineering) units whatever the choice: SI and IP are conversions and chart layout.
#include <optional>
#include <string_view>

namespace humidraw {

enum class UnitSystem {
    Engineering,  // °C, kg/kg(DA), kcal/kg(DA), m³/kg(DA), mmHg, kcal/h, m³/h
    SI,           // the same with kJ/kg(DA), kPa and kW
    IP,           // °F, gr/lb(DA), Btu/lb(DA), ft³/lb(DA), psia, Btu/h, cfm
};

// The names the settings file, the companion file and the command lines use: "kcal", "si", "ip".
constexpr const char* unitSystemName(UnitSystem u) {
    return u == UnitSystem::SI ? "si" : u == UnitSystem::IP ? "ip" : "kcal";
}
inline std::optional<UnitSystem> unitSystemNamed(std::string_view name) {
    for (UnitSystem u : {UnitSystem::Engineering, UnitSystem::SI, UnitSystem::IP})
        if (name == unitSystemName(u)) return u;
    return std::nullopt;
}

}  // namespace humidraw
