#pragma once
// A design file of `humidraw-cli design`: named air states and the processes between them as a
// JSON object (the README's "Design files" tells its keys), read into the core's design.
#include <optional>
#include <string>

#include "design/design.h"
#include "design/units.h"

namespace humidraw_cli {

struct DesignFile {
    humidraw::design::Design design;  // in engineering units, as the core keeps it
    humidraw::design::UnitSystem units = humidraw::design::UnitSystem::Engineering;
    std::optional<double> pressureMmHg;  // "pressure_mmHg", when the file gives it
};

// The design `json` holds, or why it holds none: "point 2 (RA): …", "process 3 (coil): …" for
// what is wrong inside a point or a process.
std::optional<DesignFile> designFromJson(const std::string& json, std::string& error);

}  // namespace humidraw_cli
