#pragma once
// Zones: the region of the chart where every range on the properties holds (bounds included),
// the presets, counting the points of a data set inside, and the zone's boundary on the chart.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "measured/measured.h"
#include "units/unit_system.h"

namespace humidraw {

struct ZoneRange {
    std::optional<double> low, high;
    bool operator==(const ZoneRange&) const = default;
};

struct Zone {
    std::string name;
    // By ZoneProperty, in zone units: °C, %, g/kg(DA), °C, °C, kJ/kg(DA).
    std::array<ZoneRange, kZonePropertyCount> ranges{};
    Colour32 colour = 0x00208020;
    bool filled = false;
    // Every field the same (a zone as it was saved and read back).
    bool operator==(const Zone&) const = default;
};

// A bound as the zone dialog shows and takes it in a unit system, from and to the zone units
// above: the temperatures in °C (°F with IP), x in kg/kg(DA) (gr/lb(DA)), h in kcal/kg(DA)
// (kJ/kg(DA) with SI, Btu/lb(DA) on the IP datum with IP), RH in % in all.
double zoneBoundShown(ZoneProperty p, double zoneValue, UnitSystem units);
double zoneBoundStored(ZoneProperty p, double shown, UnitSystem units);

// "DB", "RH", "x", "DP", "WB", "h"; parsing takes any letter case.
std::string zonePropertyName(ZoneProperty p);
std::optional<ZoneProperty> parseZoneProperty(const std::string& name);

// The presets and their command-line names ("building-hygiene", "tc99-recommended", "tc99-a1").
struct ZonePreset {
    const char* key;
    Zone zone;
};
const std::vector<ZonePreset>& zonePresets();
std::optional<Zone> presetZone(const std::string& key);

// Why a zone cannot be used (a low bound above its high bound, an unbounded zone, a number that
// is not finite); empty when it can.
std::string zoneProblem(const Zone& z);

enum class ZoneVerdict { Inside, TooHot, TooCold, TooHumid, TooDry };

// Where a point lies for the zone. Outside, the first failing bound decides, in the order DB,
// then the moisture bounds (RH, x, DP: above is too humid, below too dry), then WB and h (above
// is too hot, below too cold). Bounds are met within a millionth of their unit.
ZoneVerdict classify(const Zone& z, const PointProperties& p);

struct ZoneCount {
    long total = 0, inside = 0, tooHot = 0, tooCold = 0, tooHumid = 0, tooDry = 0;
    double share() const { return total > 0 ? static_cast<double>(inside) / total : 0; }
};

ZoneCount countInZone(const Zone& z, const DataSet& set, StateCalculator& calc);

// The counts of every zone (rows) for every data set as CSV with a header row.
struct ZoneCountRow {
    std::string zone, dataSet;
    ZoneCount count;
};
std::string countsCsv(const std::vector<ZoneCountRow>& rows);

// The boundary of the zone as (DB, x kg/kg(DA)) points, counter-clockwise from its lower-left
// corner: the upper edge left to right, then the lower edge right to left. Along RH, WB, DP and
// h bounds the points lie on the library's lines; the dry-bulb range is cut to [dbMin, dbMax]
// and the region to between zero humidity and saturation. Empty when nothing of it is left.
struct ZonePoint {
    double DB = 0, x = 0;
};
std::vector<ZonePoint> zoneBoundary(const Zone& z, double dbMin, double dbMax,
                                    StateCalculator& calc);

}  // namespace humidraw
