#include "measured/zone.h"

#include <cctype>
#include <cmath>

#include "air/air.h"
#include "lang/language.h"
#include "moistek_internal/air_constants.h"
#include "units/units.h"

namespace humidraw {

std::string zonePropertyName(ZoneProperty p) {
    static const char* const names[] = {"DB", "RH", "x", "DP", "WB", "h"};
    return names[p];
}

std::optional<ZoneProperty> parseZoneProperty(const std::string& name) {
    for (int i = 0; i < kZonePropertyCount; ++i) {
        const std::string n = zonePropertyName(static_cast<ZoneProperty>(i));
        if (n.size() != name.size()) continue;
        bool same = true;
        for (size_t k = 0; k < n.size(); ++k)
            same = same && std::tolower(static_cast<unsigned char>(n[k])) ==
                               std::tolower(static_cast<unsigned char>(name[k]));
        if (same) return static_cast<ZoneProperty>(i);
    }
    return std::nullopt;
}

namespace {

// Zone units per shown unit in the engineering and SI dialogs: g/kg(DA) per kg/kg(DA),
// kJ/kg(DA) per kcal/kg(DA) (an SI dialog shows kJ/kg(DA) as the zone keeps it).
double zoneUnitsPerShown(ZoneProperty p, UnitSystem units) {
    if (p == kZoneX) return 1000;
    if (p == kZoneH && units != UnitSystem::SI) return kKJPerKcal;
    return 1;
}

// What an IP bound is: a temperature, a humidity ratio or an enthalpy; RH is shown as kept.
std::optional<units::Quantity> ipQuantity(ZoneProperty p) {
    switch (p) {
        case kZoneDB:
        case kZoneDP:
        case kZoneWB:
            return units::Quantity::Temperature;
        case kZoneX:
            return units::Quantity::HumidityRatio;
        case kZoneH:
            return units::Quantity::Enthalpy;
        default:
            return std::nullopt;
    }
}

}  // namespace

// With IP units the zone's value goes to the engine's units (kg/kg, kcal/kg) first, and from
// there to IP; the others divide or multiply by one factor as the dialog always has.
double zoneBoundShown(ZoneProperty p, double v, UnitSystem units) {
    const double engine = v / zoneUnitsPerShown(p, units);
    if (units != UnitSystem::IP) return engine;
    const auto q = ipQuantity(p);
    return q ? units::shown(*q, engine, units) : engine;
}

double zoneBoundStored(ZoneProperty p, double shown, UnitSystem units) {
    const auto q = ipQuantity(p);
    const double engine = units == UnitSystem::IP && q ? units::stored(*q, shown, units) : shown;
    return engine * zoneUnitsPerShown(p, units);
}

namespace {

Zone makeZone(const char* name, Colour32 colour) {
    Zone z;
    z.name = name;
    z.colour = colour;
    return z;
}

std::vector<ZonePreset> buildPresets() {
    Zone hygiene = makeZone("建築物衛生法の管理基準", 0x00308030);
    hygiene.ranges[kZoneDB] = {18.0, 28.0};
    hygiene.ranges[kZoneRH] = {40.0, 70.0};
    Zone recommended = makeZone("ASHRAE TC 9.9 推奨範囲 (2015)", 0x00A06000);
    recommended.ranges[kZoneDB] = {18.0, 27.0};
    recommended.ranges[kZoneDP] = {-9.0, 15.0};
    recommended.ranges[kZoneRH] = {std::nullopt, 60.0};
    Zone a1 = makeZone("ASHRAE TC 9.9 許容範囲 A1 (2015)", 0x000060C0);
    a1.ranges[kZoneDB] = {15.0, 32.0};
    a1.ranges[kZoneDP] = {-12.0, 17.0};
    a1.ranges[kZoneRH] = {8.0, 80.0};
    return {{"building-hygiene", hygiene}, {"tc99-recommended", recommended}, {"tc99-a1", a1}};
}

}  // namespace

const std::vector<ZonePreset>& zonePresets() {
    static const std::vector<ZonePreset> presets = buildPresets();
    return presets;
}

std::optional<Zone> presetZone(const std::string& key) {
    for (const ZonePreset& p : zonePresets())
        if (key == p.key) return p.zone;
    return std::nullopt;
}

namespace {

std::string comfortProblem(const Zone& z) {
    if (z.pmv && z.adaptive)
        return translate("Data", "快適域と適応快適域を一つのゾーンにはできません");
    for (int i = 0; i < kZonePropertyCount; ++i) {
        const ZoneRange& r = z.ranges[i];
        const bool allowed = (z.pmv && i == kZoneX) || (z.adaptive && i == kZoneDB);
        if ((r.low || r.high) && !allowed)
            return z.pmv ? translate("Data", "快適域が限れるのは PMV と絶対湿度 x だけです")
                         : translate("Data", "適応快適域が限れるのは乾球温度だけです");
    }
    if (z.pmv) {
        if (std::string why = comfort::inputsProblem(z.pmv->inputs); !why.empty()) return why;
        if (!std::isfinite(z.pmv->low) || !std::isfinite(z.pmv->high) || z.pmv->low > z.pmv->high)
            return translate("Data", "PMV の下限は上限以下の数です");
    }
    if (z.adaptive) {
        const AdaptiveBand& b = *z.adaptive;
        if (b.month < 1 || b.month > 12) return translate("Data", "月は 1 から 12 です");
        if (b.acceptability != 80 && b.acceptability != 90)
            return translate("Data", "許容率は 80 % か 90 % です");
        if (!(b.prevailingMean >= comfort::kAdaptiveMinMean &&
              b.prevailingMean <= comfort::kAdaptiveMaxMean))
            return translate("Data", "代表外気温度が 10～33.5 °C になく、適応モデルは使えません");
        if (z.ranges[kZoneDB] != adaptiveRange(b))
            return translate("Data", "適応快適域の乾球温度の範囲が代表外気温度と合いません");
    }
    return {};
}

}  // namespace

std::string zoneProblem(const Zone& z) {
    if (z.pmv || z.adaptive) {
        if (std::string why = comfortProblem(z); !why.empty()) return why;
    }
    bool bounded = z.pmv.has_value();
    for (int i = 0; i < kZonePropertyCount; ++i) {
        const ZoneRange& r = z.ranges[i];
        const std::string name = zonePropertyName(static_cast<ZoneProperty>(i));
        if ((r.low && !std::isfinite(*r.low)) || (r.high && !std::isfinite(*r.high)))
            return withArguments(translate("Data", "%1: 範囲の端が有限の数ではありません"), {name});
        if (r.low && r.high && *r.low > *r.high)
            return withArguments(translate("Data", "%1: 下限が上限より大きくなっています"), {name});
        bounded = bounded || r.low || r.high;
    }
    return bounded ? std::string() : translate("Data", "ゾーンがどの量の範囲も限っていません");
}

namespace {

constexpr double kBoundTolerance = 1e-6;

double value(const PointProperties& p, int i) {
    const double v[] = {p.DB, p.RH, p.x, p.DP, p.WB, p.h};
    return v[i];
}

}  // namespace

// The verdict by the properties in the order below; `value(q)` is asked only for the bounded
// properties reached, so a point too hot never has its dew point searched for.
template <typename Value>
ZoneVerdict classifyBy(const Zone& z, Value value, const std::optional<double>& pmv) {
    if (z.pmv) {
        if (!pmv || !(*pmv >= z.pmv->low - kBoundTolerance)) return ZoneVerdict::TooCold;
        if (!(*pmv <= z.pmv->high + kBoundTolerance)) return ZoneVerdict::TooHot;
    }
    static const struct {
        ZoneProperty q;
        ZoneVerdict above, below;
    } order[] = {
        {kZoneDB, ZoneVerdict::TooHot, ZoneVerdict::TooCold},
        {kZoneRH, ZoneVerdict::TooHumid, ZoneVerdict::TooDry},
        {kZoneX, ZoneVerdict::TooHumid, ZoneVerdict::TooDry},
        {kZoneDP, ZoneVerdict::TooHumid, ZoneVerdict::TooDry},
        {kZoneWB, ZoneVerdict::TooHot, ZoneVerdict::TooCold},
        {kZoneH, ZoneVerdict::TooHot, ZoneVerdict::TooCold},
    };
    for (const auto& o : order) {
        const ZoneRange& r = z.ranges[o.q];
        if (!r.low && !r.high) continue;
        const double v = value(o.q);
        // A property the library could not give counts as failing its bound.
        if (r.low && !(v >= *r.low - kBoundTolerance)) return o.below;
        if (r.high && !(v <= *r.high + kBoundTolerance)) return o.above;
    }
    return ZoneVerdict::Inside;
}

namespace {

std::optional<double> pmvOf(const Zone& z, const MoistAir& air, double DB, double x) {
    if (!z.pmv) return std::nullopt;
    const comfort::PmvResult r = comfort::pmvAt(air, DB, x, z.pmv->inputs);
    return r.ok ? std::optional<double>(r.pmv) : std::nullopt;
}

}  // namespace

ZoneVerdict classify(const Zone& z, const PointProperties& p, double pressureMmHg) {
    const MoistAir air(pressureMmHg);
    return classifyBy(z, [&p](ZoneProperty q) { return value(p, q); },
                      pmvOf(z, air, p.DB, p.x / 1000));
}

ZoneCount countInZone(const Zone& z, const DataSet& set, StateCalculator& calc) {
    ZoneCount c;
    const MoistAir air(calc.pressureMmHg());
    const bool byMonth = z.adaptive && !set.times.empty() && set.times.size() == set.points.size();
    for (size_t i = 0; i < set.points.size(); ++i) {
        const MeasuredPoint& p = set.points[i];
        if (byMonth && monthOfTime(set.times[i]) != z.adaptive->month) continue;
        ++c.total;
        switch (classifyBy(z, [&](ZoneProperty q) { return calc.property(p, q); },
                           pmvOf(z, air, p.DB, p.x))) {
            case ZoneVerdict::Inside:
                ++c.inside;
                break;
            case ZoneVerdict::TooHot:
                ++c.tooHot;
                break;
            case ZoneVerdict::TooCold:
                ++c.tooCold;
                break;
            case ZoneVerdict::TooHumid:
                ++c.tooHumid;
                break;
            case ZoneVerdict::TooDry:
                ++c.tooDry;
                break;
        }
    }
    return c;
}

namespace {

std::string csvField(const std::string& s) {
    if (s.find_first_of(",\"\n\r") == std::string::npos) return s;
    std::string q = "\"";
    for (char c : s) q += c == '"' ? std::string("\"\"") : std::string(1, c);
    return q + "\"";
}

}  // namespace

std::string countsCsv(const std::vector<ZoneCountRow>& rows) {
    std::string out = "zone,data set,inside,total,share,too hot,too cold,too humid,too dry\n";
    for (const ZoneCountRow& r : rows) {
        const ZoneCount& c = r.count;
        char share[32];
        std::snprintf(share, sizeof share, "%.4f", c.share());
        for (char& ch : share)
            if (ch == ',') ch = '.';  // whatever the locale's decimal separator
        out += csvField(r.zone) + "," + csvField(r.dataSet) + "," + std::to_string(c.inside) + "," +
               std::to_string(c.total) + "," + share + "," + std::to_string(c.tooHot) + "," +
               std::to_string(c.tooCold) + "," + std::to_string(c.tooHumid) + "," +
               std::to_string(c.tooDry) + "\n";
    }
    return out;
}

}  // namespace humidraw
