#pragma once
// A unit file of `humidraw-cli ahu`: an air-handling unit's seasons and components as a JSON
// object (the README's "Air-handling unit files" tells its keys), read into the core's unit.
#include <optional>
#include <string>

#include "ahu/ahu.h"
#include "design/units.h"

namespace humidraw_cli {

struct UnitFile {
    humidraw::ahu::Unit unit;  // in engineering units, as the core keeps it
    humidraw::design::UnitSystem units = humidraw::design::UnitSystem::Engineering;
    std::optional<double> pressureMmHg;  // "pressure_mmHg", when the file gives it
};

// The unit `json` holds, or why it holds none: "summer, \"coil\": …" for what is wrong inside a
// season or one of its parts.
std::optional<UnitFile> unitFromJson(const std::string& json, std::string& error);

}  // namespace humidraw_cli
