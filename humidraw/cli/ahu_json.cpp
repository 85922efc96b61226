#include "ahu_json.h"

#include <QJsonDocument>
#include <QJsonObject>

#include "design_json.h"
#include "json.h"
#include "units/units.h"

using namespace humidraw;
using namespace humidraw::ahu;
using design::Property;
using design::UnitSystem;

namespace humidraw_cli {
namespace {

// The object at `key`, refused when it is something else.
QJsonObject objectAt(const QJsonObject& o, const QString& key, const std::string& who) {
    if (!o.value(key).isObject()) refuse(who, quoted(key) + " must be an object");
    return o.value(key).toObject();
}

bool flagAt(const QJsonObject& o, const QString& key, const std::string& who) {
    if (!o.value(key).isBool()) refuse(who, quoted(key) + " must be true or false");
    return o.value(key).toBool();
}

// Exactly one of two keys; true for the first.
bool eitherOf(const QJsonObject& o, const char* first, const char* second, const std::string& who) {
    if (o.contains(first) == o.contains(second))
        refuse(who, std::string(o.contains(first) ? "takes one of " : "needs ") + "\"" + first +
                        "\" or \"" + second + "\"" + (o.contains(first) ? ", not both" : ""));
    return o.contains(first);
}

// A word among names, as its index; refused naming them.
template <size_t N>
int choiceAt(const QJsonObject& o, const QString& key, const char* const (&names)[N],
             const std::string& who) {
    const QJsonValue v = o.value(key);
    std::string list;
    for (size_t i = 0; i < N; ++i) {
        if (v.isString() && v.toString().toStdString() == names[i]) return static_cast<int>(i);
        list += std::string(i == 0 ? "" : i + 1 == N ? " or " : ", ") + "\"" + names[i] + "\"";
    }
    refuse(who, quoted(key) + " must be " + list);
}

constexpr const char* kRecoveryKinds[] = {"sensible", "total"};
constexpr const char* kHumidifierKinds[] = {"steam", "spray", "vaporising"};

double temperature(double v, UnitSystem u) {
    return design::storedValue(Property::DB, v, u);
}

// A part of a season given as an object; none when the season does not have it.
std::optional<QJsonObject> partAt(const QJsonObject& season, const char* key,
                                  const std::string& who) {
    if (!season.contains(key)) return std::nullopt;
    return objectAt(season, key, who);
}

Season readSeason(const QJsonObject& s, const std::string& season, UnitSystem u) {
    using units::Quantity;
    onlyKeys(s, {"outdoor", "room", "supply", "recovery", "mixing", "preheat", "coil", "reheat",
                 "humidifier", "fan"},
             season);
    const auto part = [&](const char* key) { return season + ", \"" + key + "\""; };
    const auto require = [&](const char* key) {
        if (!s.contains(key)) refuse(season, std::string("needs \"") + key + "\"");
        return objectAt(s, key, season);
    };
    Season r;
    r.on = true;
    r.mixing.on = s.contains("mixing") && flagAt(s, "mixing", season);
    r.reheat.on = s.contains("reheat") && flagAt(s, "reheat", season);

    const QJsonObject outdoor = require("outdoor");
    onlyKeys(outdoor, {"flow", "fraction"}, part("outdoor"), true);
    std::tie(r.outdoor1, r.outdoor2) = twoProperties(outdoor, part("outdoor"), u);
    // Without mixing the unit takes all its air from outdoors: no share of it is asked for.
    if (r.mixing.on || outdoor.contains("flow") || outdoor.contains("fraction")) {
        if (eitherOf(outdoor, "flow", "fraction", part("outdoor"))) {
            r.outdoorBy = OutdoorBy::Flow;
            r.outdoorFlow = units::stored(Quantity::AirFlow, number(outdoor, "flow", part("outdoor")), u);
        } else {
            r.outdoorBy = OutdoorBy::Fraction;
            r.outdoorFraction = number(outdoor, "fraction", part("outdoor"));
        }
    }

    const QJsonObject room = require("room");
    onlyKeys(room, {"sensible", "latent"}, part("room"), true);
    std::tie(r.room1, r.room2) = twoProperties(room, part("room"), u);
    for (const char* key : {"sensible", "latent"})
        if (!room.contains(key)) refuse(part("room"), std::string("needs \"") + key + "\"");
    r.sensibleLoad = design::storedLoad(number(room, "sensible", part("room")), u);
    r.latentLoad = design::storedLoad(number(room, "latent", part("room")), u);

    const QJsonObject supply = require("supply");
    onlyKeys(supply, {"flow", "difference"}, part("supply"));
    if (eitherOf(supply, "flow", "difference", part("supply"))) {
        r.supplyBy = SupplyBy::Flow;
        r.supplyFlow = units::stored(Quantity::AirFlow, number(supply, "flow", part("supply")), u);
    } else {
        r.supplyBy = SupplyBy::TemperatureDifference;
        r.supplyDifference = units::stored(Quantity::TemperatureDifference,
                                           number(supply, "difference", part("supply")), u);
    }

    if (const auto o = partAt(s, "recovery", season)) {
        const std::string who = part("recovery");
        if (!o->contains("kind")) refuse(who, "needs \"kind\"");
        r.recovery.on = true;
        r.recovery.kind = static_cast<RecoveryKind>(choiceAt(*o, "kind", kRecoveryKinds, who));
        const bool total = r.recovery.kind == RecoveryKind::Total;
        onlyKeys(*o, total ? std::vector<QString>{"kind", "et", "eh"}
                           : std::vector<QString>{"kind", "et"},
                 who);
        if (!o->contains("et")) refuse(who, "needs \"et\"");
        if (total && !o->contains("eh")) refuse(who, "needs \"eh\"");
        r.recovery.temperatureEffectiveness = number(*o, "et", who);
        if (total) r.recovery.enthalpyEffectiveness = number(*o, "eh", who);
    }
    if (const auto o = partAt(s, "preheat", season)) {
        onlyKeys(*o, {"DB"}, part("preheat"));
        if (!o->contains("DB")) refuse(part("preheat"), "needs \"DB\"");
        r.preheat = {true, temperature(number(*o, "DB", part("preheat")), u)};
    }
    if (const auto o = partAt(s, "coil", season)) {
        const std::string who = part("coil");
        onlyKeys(*o, {"leaving", "adp", "bf", "DB", "RH"}, who);
        CoolingCoil& c = r.coil;
        c.on = true;
        const bool leaving = o->contains("leaving");
        const bool adp = o->contains("adp") || o->contains("bf");
        const bool rh = o->contains("DB") || o->contains("RH");
        if (leaving + adp + rh != 1)
            refuse(who, "takes one of \"leaving\", \"adp\" and \"bf\", or \"DB\" and \"RH\"");
        if (leaving) {
            c.mode = CoilMode::Leaving;
            const std::string in = who + ", \"leaving\"";
            const QJsonObject l = objectAt(*o, "leaving", who);
            onlyKeys(l, {}, in, true);
            std::tie(c.first, c.second) = twoProperties(l, in, u);
        } else {
            const char* a = adp ? "adp" : "DB";
            const char* b = adp ? "bf" : "RH";
            for (const char* key : {a, b})
                if (!o->contains(key)) refuse(who, std::string("needs \"") + key + "\"");
            if (adp) {
                c.mode = CoilMode::AdpBf;
                c.adp = temperature(number(*o, "adp", who), u);
                c.bf = number(*o, "bf", who);
            } else {
                c.mode = CoilMode::DbAtRh;
                c.DB = temperature(number(*o, "DB", who), u);
                c.RH = number(*o, "RH", who);
            }
        }
    }
    if (const auto o = partAt(s, "humidifier", season)) {
        const std::string who = part("humidifier");
        if (!o->contains("kind")) refuse(who, "needs \"kind\"");
        r.humidifier.on = true;
        r.humidifier.kind =
            static_cast<HumidifierKind>(choiceAt(*o, "kind", kHumidifierKinds, who));
        const bool vaporising = r.humidifier.kind == HumidifierKind::Vaporising;
        onlyKeys(*o, vaporising ? std::vector<QString>{"kind", "efficiency"}
                                : std::vector<QString>{"kind"},
                 who);
        if (vaporising) {
            if (!o->contains("efficiency")) refuse(who, "needs \"efficiency\"");
            r.humidifier.efficiency = number(*o, "efficiency", who);
        }
    }
    if (const auto o = partAt(s, "fan", season)) {
        const std::string who = part("fan");
        onlyKeys(*o, {"rise", "power"}, who);
        r.fan.on = true;
        if (eitherOf(*o, "rise", "power", who)) {
            r.fan.mode = FanMode::Rise;
            r.fan.rise = units::stored(Quantity::TemperatureDifference, number(*o, "rise", who), u);
        } else {
            r.fan.mode = FanMode::Power;
            r.fan.powerKW = number(*o, "power", who);  // kW in every unit system
        }
    }
    return r;
}

}  // namespace

std::optional<UnitFile> unitFromJson(const std::string& json, std::string& error) {
    QJsonParseError parse;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(json), &parse);
    if (!doc.isObject()) {
        error = parse.error == QJsonParseError::NoError
                    ? "a unit file holds one JSON object"
                    : "not JSON (" + parse.errorString().toStdString() + " at byte " +
                          std::to_string(parse.offset) + ")";
        return std::nullopt;
    }
    if (const auto repeated = firstRepeatedKey(json)) {
        std::string where;
        for (const std::string& k : repeated->path) where += (where.empty() ? "" : ", ") + k;
        error = (where.empty() ? "" : where + ": ") + "the key \"" + repeated->key +
                "\" is given twice";
        return std::nullopt;
    }
    const QJsonObject top = doc.object();
    try {
        onlyKeys(top, {"pressure_mmHg", "units", "air", "summer", "winter"}, "");
        UnitFile f;
        readFileTop(top, f.pressureMmHg, f.units, f.unit.basis);
        if (!top.contains("summer") && !top.contains("winter"))
            refuse("", "needs \"summer\" or \"winter\", or both");
        f.unit.summer.on = f.unit.winter.on = false;
        if (top.contains("summer"))
            f.unit.summer = readSeason(objectAt(top, "summer", ""), "summer", f.units);
        if (top.contains("winter"))
            f.unit.winter = readSeason(objectAt(top, "winter", ""), "winter", f.units);
        return f;
    } catch (const Refused& r) {
        error = r.message;
        return std::nullopt;
    }
}

}  // namespace humidraw_cli
