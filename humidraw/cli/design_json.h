#pragma once
// A design file of `humidraw-cli design`: named air states and the processes between them as a
// JSON object (the README's "Design files" tells its keys), read into the core's design.
#include <QJsonObject>
#include <optional>
#include <string>
#include <utility>
#include <vector>

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

// What the JSON files of the commands share: a refusal naming where it lies ("WHO: WHAT"), and
// the values of an object's keys.
struct Refused {
    std::string message;
};
[[noreturn]] void refuse(const std::string& who, const std::string& what);
std::string quoted(const QString& key);
// A finite number at `key`, else refused.
double number(const QJsonObject& o, const QString& key, const std::string& who);
std::optional<double> optionalNumber(const QJsonObject& o, const QString& key,
                                     const std::string& who);
// Refuses a key not in `allowed` (nor a property name, with `properties`), listing them.
void onlyKeys(const QJsonObject& o, const std::vector<QString>& allowed, const std::string& who,
              bool properties = false);
// The keys a design and a unit file share at their top: "pressure_mmHg", "units" and "air",
// each refused when wrong; what is not given keeps what the caller put there.
void readFileTop(const QJsonObject& top, std::optional<double>& pressureMmHg,
                 humidraw::design::UnitSystem& units, humidraw::design::AirBasis& basis);
// The two defining properties among the keys of `o`, in the order of kProperties (DB first,
// SV last) whatever the file's order, each taken from `units`.
std::pair<humidraw::design::Given, humidraw::design::Given> twoProperties(
    const QJsonObject& o, const std::string& who, humidraw::design::UnitSystem units);

}  // namespace humidraw_cli
