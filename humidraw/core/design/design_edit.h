#pragma once
// Changes of a design as the user makes them: a point dragged to a place of the chart, a defining
// value typed in the table, a point added or removed. Each gives the new design (the caller
// records it as one step of the history) or why it cannot be made.
#include <optional>
#include <string>

#include "design/design.h"

namespace humidraw::design {

// The point `index` moved to the state `at`: its two defining properties keep their kinds and
// take their values there. With `keep` (0 or 1), that property keeps its value and the other
// takes the value at `at`: the point moves along the line where the kept one is constant.
Result<Design> movedPoint(const MoistAir& air, const Design& d, size_t index,
                          const AirProperties& at, std::optional<int> keep = std::nullopt);
// The defining value `which` (0 first, 1 second) of point `index` set to `value`; refused when
// the two then fix no state.
Result<Design> withDefiningValue(const MoistAir& air, const Design& d, size_t index, int which,
                                 double value);
// The design with one point more; refused for a name in use, a name that may not be one, or a
// pair that fixes no state.
Result<Design> withPoint(const MoistAir& air, const Design& d, const Point& p);
// The first of "P1", "P2", … no point has.
std::string freePointName(const Design& d);
// The design without point `index` and every process that uses it or the points those made.
Design withoutPoint(const Design& d, size_t index);
// The design with one process more; refused when it cannot be computed (the reason given).
Result<Design> withProcess(const MoistAir& air, const Design& d, const Process& p);
Design withoutProcess(const Design& d, size_t index);

}  // namespace humidraw::design
