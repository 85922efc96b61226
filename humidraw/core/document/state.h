#pragma once
// The current air state: read off the chart at a pixel, or computed from two properties.
#include <utility>

#include "chart/frame.h"
#include "units/unit_system.h"
#include "chart/view_transform.h"

namespace humidraw {

struct CurrentState {
    double x = 0;   // kg/kg(DA)
    double h = 0;   // kcal/kg(DA)
    double DB = 0;  // °C
    double RH = 0;  // %
    double WB = 0;  // °C
    double SV = 0;  // m³/kg(DA)
};

// The state at a paint-box pixel; properties the library cannot compute read 0.
CurrentState screenToState(const ChartFrame& frame, const ViewTransform& view, double X, double Y);

// Property selector indexes; 6 is the empty item.
enum Property { kDB = 0, kRH = 1, kAH = 2, kEN = 3, kWB = 4, kSV = 5, kNoProperty = 6 };

enum class PairResult {
    Computed,       // the library completed the state
    Failed,         // the library stopped part way; the state holds what it left
    NotComputable,  // enthalpy with wet bulb: the two values are stored, nothing computed
    UnknownPair,    // not a pair of two different properties: nothing changes
};

// 10 × i + j for property indexes i < j.
inline int pairCode(int i, int j) {
    return 10 * i + j;
}

// A pair in selector order, the lower property index first, each value with its property.
inline void orderPair(int& i, int& j, double& first, double& second) {
    if (j < i) {
        std::swap(i, j);
        std::swap(first, second);
    }
}

// A value typed for `property` (a selector index) in the engine's units. Under IP units the point
// and line dialogs take °F, gr/lb(DA), Btu/lb(DA) and ft³/lb(DA); under the others they take
// engineering units, as they always have (SI included).
double typedInEngineering(int property, double typed, UnitSystem units);

// Stores the two values into the state and completes it with the air at the chart's pressure.
PairResult pairState(const MoistAir& air, int code, double first, double second,
                     CurrentState& s);

}  // namespace humidraw
