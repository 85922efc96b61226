#pragma once
// Zones: the region of the chart where every range on the properties holds (bounds included),
// the presets, counting the points of a data set inside, and the zone's boundary on the chart.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "comfort/comfort.h"
#include "measured/measured.h"
#include "units/unit_system.h"

namespace humidraw {

struct ZoneRange {
    std::optional<double> low, high;
    bool operator==(const ZoneRange&) const = default;
};

// A comfort zone's PMV limits and the occupant's inputs: the states whose PMV lies within
// [low, high]. ISO 7730's categories are A ±0.2, B ±0.5 and C ±0.7.
struct PmvBounds {
    comfort::ComfortInputs inputs;
    double low = -0.5, high = 0.5;
    bool operator==(const PmvBounds&) const = default;
};

// An adaptive zone: the acceptable operative temperatures of a naturally ventilated space for
// one month's prevailing mean outdoor temperature. The operative temperature is taken as the
// dry bulb (the mean radiant temperature equal to it), so the band is a dry-bulb range.
struct AdaptiveBand {
    int month = 7;                // 1–12: the month it is for, and whose hours it counts
    double prevailingMean = 25;   // °C
    int acceptability = 80;       // % of occupants: 80 or 90
    bool operator==(const AdaptiveBand&) const = default;
};

struct Zone {
    std::string name;
    // By ZoneProperty, in zone units: °C, %, g/kg(DA), °C, °C, kJ/kg(DA).
    std::array<ZoneRange, kZonePropertyCount> ranges{};
    Colour32 colour = 0x00208020;
    bool filled = false;
    // A comfort zone: its region is where the PMV is within the bounds, and its ranges may
    // bound only the humidity ratio (ASHRAE 55's upper limit of 12 g/kg(DA)).
    std::optional<PmvBounds> pmv;
    // An adaptive zone: its dry-bulb range is the band, and no other range is bounded.
    std::optional<AdaptiveBand> adaptive;
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

// ASHRAE 55's upper limit of the humidity ratio for the comfort zone, g/kg(DA).
inline constexpr double kComfortMaxXg = 12;
// A comfort zone of the bounds, bounded to kComfortMaxXg unless `maxXg` says otherwise (none:
// up to saturation), named by its limits and inputs.
Zone pmvZone(const PmvBounds& b, std::optional<double> maxXg = kComfortMaxXg);
// "快適域 PMV ±0.5 (1.1 met, 0.5 clo, 0.1 m/s)"; unequal limits as "PMV -0.7～+0.5".
std::string pmvZoneName(const PmvBounds& b);
// The adaptive zone of a band, its range made from it: "適応快適域 7 月 80 %".
Zone adaptiveZone(const AdaptiveBand& b);
// The dry-bulb band of an adaptive zone (°C).
ZoneRange adaptiveRange(const AdaptiveBand& b);

// A comfort zone written as the command line takes it:
//   pmv[:met=1.1,clo=0.5,v=0.1,mrt=0,work=0,pmv=0.5|low=-0.5,high=0.5|category=A|B|C,x=12|none]
//   adaptive:month=7[,acceptability=80|90][,mean=25.3]
// (mrt is the mean radiant temperature less the dry bulb, K; x the upper humidity limit,
// g/kg(DA)). An adaptive zone without mean has its prevailingMean NaN until it is taken from a
// weather file (withPrevailingMean). Empty, with `error` set in English, when the text is not
// one or the zone cannot be used; also empty, without error, when the text names no comfort
// zone at all.
std::optional<Zone> comfortZoneFromText(const std::string& text, std::string& error);
// The adaptive zone `z` with its month's mean dry bulb of `weather` as the prevailing mean;
// empty, with `error` set, when the set has no hours of that month.
std::optional<Zone> withPrevailingMean(const Zone& z, const DataSet& weather, std::string& error);

// The month (1–12) of a point's date-time text when it starts with the date year first: "2023-07-01
// 13:00", "2023/7/1", "2023.07.01", "2023年7月1日" (as a weather file's hours are written).
std::optional<int> monthOfTime(std::string_view time);
// The mean dry bulb (°C) of each month's points of a data set with date-times: January first,
// empty for a month without points. ASHRAE 55 allows the monthly mean of the outdoor
// temperature as the prevailing mean.
std::array<std::optional<double>, 12> monthlyMeanDB(const DataSet& set);

// Why a zone cannot be used (a low bound above its high bound, an unbounded zone, a number that
// is not finite); empty when it can.
std::string zoneProblem(const Zone& z);

enum class ZoneVerdict { Inside, TooHot, TooCold, TooHumid, TooDry };

// Where a point lies for the zone. Outside, the first failing bound decides, in the order DB,
// then the moisture bounds (RH, x, DP: above is too humid, below too dry), then WB and h (above
// is too hot, below too cold). Bounds are met within a millionth of their unit. In a comfort
// zone the PMV (at the total pressure given) decides first: above its upper limit is too hot,
// below its lower one too cold; a point whose PMV cannot be computed is too cold.
ZoneVerdict classify(const Zone& z, const PointProperties& p, double pressureMmHg = 760);

struct ZoneCount {
    long total = 0, inside = 0, tooHot = 0, tooCold = 0, tooHumid = 0, tooDry = 0;
    double share() const { return total > 0 ? static_cast<double>(inside) / total : 0; }
};

// The points of a set by their verdicts. An adaptive zone counts only the points of its month
// when the set has date-times (the points whose month cannot be read are left out).
ZoneCount countInZone(const Zone& z, const DataSet& set, StateCalculator& calc);

// The counts of every zone (rows) for every data set as CSV with a header row.
struct ZoneCountRow {
    std::string zone, dataSet;
    ZoneCount count;
};
std::string countsCsv(const std::vector<ZoneCountRow>& rows);

// The boundary of the zone as (DB, x kg/kg(DA)) points, counter-clockwise from its lower-left
// corner: the upper edge left to right, then the lower edge right to left (a comfort zone's
// from the point below its upper-left corner, that corner second, on around clockwise). Along RH, WB, DP and
// h bounds the points lie on the library's lines; the dry-bulb range is cut to [dbMin, dbMax]
// and the region to between zero humidity and saturation. Empty when nothing of it is left.
struct ZonePoint {
    double DB = 0, x = 0;
};
std::vector<ZonePoint> zoneBoundary(const Zone& z, double dbMin, double dbMax,
                                    StateCalculator& calc);
// The outline of a comfort zone (empty for any other): its edges on 49 lines of constant
// humidity ratio from its lower limit (or zero) to its upper one, or to where its edges meet.
std::vector<ZonePoint> comfortOutline(const Zone& z, double dbMin, double dbMax,
                                      double pressureMmHg);

}  // namespace humidraw
