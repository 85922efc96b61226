#pragma once
// The objects that plot one season of the single-coil process: labels, lines in process order
// and value-table rows.
#include <vector>

#include "coil/coil.h"

namespace humidraw::coil {

// Appends the summer objects; `withOutdoorAir` adds OA, MA and the cooling-coil line.
void appendCoolingObjects(const MoistAir& air, std::vector<ObjectRecord>& objects, const Season& c, bool withOutdoorAir,
                          const CurrentAttributes& attributes);

// Appends the winter objects, led by the blank row that separates them from the summer rows.
void appendHeatingObjects(const MoistAir& air, std::vector<ObjectRecord>& objects, const Season& w, bool withOutdoorAir,
                          const CurrentAttributes& attributes);

}  // namespace humidraw::coil
