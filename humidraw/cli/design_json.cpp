#include "design_json.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <charconv>
#include <cmath>
#include <set>
#include <vector>

#include "json.h"

using namespace humidraw;
using namespace humidraw::design;

namespace humidraw_cli {

[[noreturn]] void refuse(const std::string& who, const std::string& what) {
    throw Refused{who.empty() ? what : who + ": " + what};
}

std::string quoted(const QString& key) { return "\"" + key.toStdString() + "\""; }

double number(const QJsonObject& o, const QString& key, const std::string& who) {
    const QJsonValue v = o.value(key);
    if (!v.isDouble() || !std::isfinite(v.toDouble())) refuse(who, quoted(key) + " must be a number");
    return v.toDouble();
}

std::optional<double> optionalNumber(const QJsonObject& o, const QString& key,
                                     const std::string& who) {
    if (!o.contains(key)) return std::nullopt;
    return number(o, key, who);
}

void onlyKeys(const QJsonObject& o, const std::vector<QString>& allowed, const std::string& who,
              bool properties) {
    for (auto it = o.begin(); it != o.end(); ++it) {
        if (properties && parseProperty(it.key().toStdString())) continue;
        bool known = false;
        for (const QString& a : allowed) known = known || a == it.key();
        if (known) continue;
        std::string list;
        for (const QString& a : allowed) list += (list.empty() ? "" : ", ") + a.toStdString();
        if (properties) list += ", and two of DB, WB, DP, RH, x, h, SV";
        refuse(who, "unknown key " + quoted(it.key()) + " (it takes " + list + ")");
    }
}

// The two defining properties among the keys of `o`, in the order of kProperties (DB first,
// SV last) whatever the file's order.
std::pair<Given, Given> twoProperties(const QJsonObject& o, const std::string& who,
                                      UnitSystem units) {
    std::vector<Given> given;
    for (const Property wanted : kProperties)
        for (auto it = o.begin(); it != o.end(); ++it)
            if (parseProperty(it.key().toStdString()) == wanted)
                given.push_back({wanted, storedValue(wanted, number(o, it.key(), who), units)});
    if (given.size() != 2)
        refuse(who, "needs exactly two properties (of DB, WB, DP, RH, x, h, SV), not " +
                        std::to_string(given.size()));
    return {given[0], given[1]};
}

namespace {

// "point 2 (RA)", "process 3 (coil)": 1-based, with the name or kind when the file gives one.
std::string pointLabel(size_t i, const QJsonValue& v) {
    std::string s = "point " + std::to_string(i + 1);
    const QJsonValue name = v.toObject().value("name");
    if (name.isString()) s += " (" + name.toString().toStdString() + ")";
    return s;
}

std::string processLabel(size_t i, const QJsonValue& v) {
    std::string s = "process " + std::to_string(i + 1);
    const QJsonValue kind = v.toObject().value("kind");
    if (kind.isString()) s += " (" + kind.toString().toStdString() + ")";
    return s;
}

// Where a path of keys and indexes inside the file lies, in the words of the messages: a point,
// a process (or an object inside one), else nothing (the design itself).
std::string placeOf(const std::vector<std::string>& path, const QJsonObject& top) {
    if (path.size() < 2 || (path[0] != "points" && path[0] != "processes")) return "";
    const QJsonValue list = top.value(QString::fromStdString(path[0]));
    size_t i = 0;
    const auto [end, ec] = std::from_chars(path[1].data(), path[1].data() + path[1].size(), i);
    if (!list.isArray() || ec != std::errc() || end != path[1].data() + path[1].size()) return "";
    const QJsonValue item = list.toArray().at(static_cast<qsizetype>(i));
    std::string s = path[0] == "points" ? pointLabel(i, item) : processLabel(i, item);
    if (path.size() > 2) s += ", \"" + path[2] + "\"";
    return s;
}

// The first key some object of `json` (valid JSON) holds twice, with where it lies.
std::optional<std::string> repeatedKey(const std::string& json, const QJsonObject& top) {
    const auto repeated = firstRepeatedKey(json);
    if (!repeated) return std::nullopt;
    const std::string where = placeOf(repeated->path, top);
    return (where.empty() ? "" : where + ": ") + "the key " +
           quoted(QString::fromStdString(repeated->key)) + " is given twice";
}

std::string pointName(const QJsonValue& v, const std::string& what, const std::string& who) {
    if (!v.isString()) refuse(who, what + " must be a point's name (a text)");
    const std::string name = v.toString().toStdString();
    if (!validPointName(name))
        refuse(who, what + " \"" + name + "\" cannot name a point (1 to " +
                        std::to_string(kMostNameBytes) +
                        " bytes, no control character, no space at either end)");
    return name;
}

// A palette colour, a width or a style index: a whole number in its range.
int lookIndex(const QJsonObject& o, const QString& key, int high, const std::string& who) {
    const QJsonValue v = o.value(key);
    const double d = v.toDouble();
    if (!v.isDouble() || d != std::floor(d) || d < 0 || d > high)
        refuse(who, quoted(key) + " must be a whole number from 0 to " + std::to_string(high));
    return static_cast<int>(d);
}

Look lookOf(const QJsonObject& o, const std::string& who) {
    Look look;
    if (o.contains("colour")) look.colour = lookIndex(o, "colour", 13, who);
    if (o.contains("width")) look.width = lookIndex(o, "width", 4, who);
    if (o.contains("style")) look.style = lookIndex(o, "style", 4, who);
    return look;
}

Point readPoint(const QJsonValue& v, size_t i, UnitSystem units) {
    const std::string who = pointLabel(i, v);
    if (!v.isObject()) refuse(who, "must be an object");
    const QJsonObject o = v.toObject();
    onlyKeys(o, {"name", "colour", "width", "style"}, who, true);
    if (!o.contains("name")) refuse(who, "needs a \"name\"");
    Point p;
    p.name = pointName(o.value("name"), "\"name\"", who);
    std::tie(p.first, p.second) = twoProperties(o, who, units);
    p.look = lookOf(o, who);
    return p;
}

Process readProcess(const QJsonValue& v, size_t i, UnitSystem units) {
    std::string who = processLabel(i, v);
    if (!v.isObject()) refuse(who, "must be an object");
    const QJsonObject o = v.toObject();
    if (!o.contains("kind")) refuse(who, "needs a \"kind\"");
    const QJsonValue kindValue = o.value("kind");
    const auto kind = kindValue.isString()
                          ? parseProcessKind(kindValue.toString().toStdString())
                          : std::nullopt;
    if (!kind)
        refuse(who,
               "\"kind\" must be one of line, sensible, coil, steam, spray, mixing, supply, shf");
    Process p;
    p.kind = *kind;
    std::vector<QString> allowed = {"kind", "colour", "width", "style", "label"};
    const auto add = [&](std::initializer_list<const char*> keys) {
        for (const char* k : keys) allowed.push_back(k);
    };
    const bool room = p.kind == ProcessKind::Supply || p.kind == ProcessKind::Shf;
    add({room ? "room" : "from"});
    if (p.kind != ProcessKind::Shf) add({"to"});
    if (p.kind == ProcessKind::Mixing) add({"flows"});
    else if (p.kind != ProcessKind::Shf) add({"flow"});
    switch (p.kind) {
        case ProcessKind::Sensible: add({"DB", "load"}); break;
        case ProcessKind::Coil: add({"adp", "bf", "leaving"}); break;
        case ProcessKind::Steam: add({"x", "RH"}); break;
        case ProcessKind::Spray: add({"x", "RH", "efficiency"}); break;
        case ProcessKind::Supply: add({"sensible", "latent"}); break;
        case ProcessKind::Shf: add({"shf", "sensible", "latent"}); break;
        default: break;
    }
    onlyKeys(o, allowed, who);
    const auto require = [&](const char* key) {
        if (!o.contains(key)) refuse(who, std::string("needs \"") + key + "\"");
    };

    // Where it starts: one point, a room, or the streams of a mixing.
    const char* fromKey = room ? "room" : "from";
    require(fromKey);
    if (p.kind == ProcessKind::Mixing) {
        require("flows");
        const QJsonValue from = o.value("from"), flows = o.value("flows");
        if (!from.isArray() || from.toArray().size() < 2 ||
            from.toArray().size() > static_cast<qsizetype>(kMostStreams))
            refuse(who, "\"from\" must be a list of 2 to " + std::to_string(kMostStreams) +
                            " point names");
        if (!flows.isArray() || flows.toArray().size() != from.toArray().size())
            refuse(who, "\"flows\" must be a list of as many air flows as \"from\" has points");
        for (qsizetype k = 0; k < from.toArray().size(); ++k)
            p.from.push_back(pointName(from.toArray()[k],
                                       "\"from\" item " + std::to_string(k + 1), who));
        for (qsizetype k = 0; k < flows.toArray().size(); ++k) {
            const QJsonValue f = flows.toArray()[k];
            if (!f.isDouble() || !std::isfinite(f.toDouble()))
                refuse(who, "\"flows\" item " + std::to_string(k + 1) + " must be a number");
            p.flows.push_back(units::stored(units::Quantity::AirFlow, f.toDouble(), units));
        }
    } else {
        p.from.push_back(pointName(o.value(fromKey), quoted(fromKey), who));
        if (const auto flow = optionalNumber(o, "flow", who))
            p.flows.push_back(units::stored(units::Quantity::AirFlow, *flow, units));
    }
    if (p.kind != ProcessKind::Shf) {
        require("to");
        p.to = pointName(o.value("to"), "\"to\"", who);
    }

    // What says where it goes: exactly one way for each kind.
    const auto oneOf = [&](std::initializer_list<const char*> keys) {
        int given = 0;
        std::string list;
        for (const char* k : keys) {
            given += o.contains(k);
            list += std::string(list.empty() ? "" : " or ") + "\"" + k + "\"";
        }
        if (given != 1) refuse(who, given ? "takes one of " + list + ", not more"
                                          : "needs " + list);
    };
    switch (p.kind) {
        case ProcessKind::Sensible:
            oneOf({"DB", "load"});
            if (const auto db = optionalNumber(o, "DB", who))
                p.leaving.push_back({Property::DB, storedValue(Property::DB, *db, units)});
            if (const auto q = optionalNumber(o, "load", who)) p.load = storedLoad(*q, units);
            break;
        case ProcessKind::Coil: {
            const bool byLeaving = o.contains("leaving");
            if (byLeaving == (o.contains("adp") || o.contains("bf")))
                refuse(who, "takes either \"leaving\" or \"adp\" and \"bf\"");
            if (byLeaving) {
                const QJsonValue leaving = o.value("leaving");
                if (!leaving.isObject())
                    refuse(who, "\"leaving\" must be an object of two properties");
                const std::string in = who + ", \"leaving\"";
                onlyKeys(leaving.toObject(), {}, in, true);
                const auto [a, b] = twoProperties(leaving.toObject(), in, units);
                p.leaving = {a, b};
            } else {
                require("adp");
                require("bf");
                p.adp = storedValue(Property::DB, number(o, "adp", who), units);
                p.bf = number(o, "bf", who);
            }
            break;
        }
        case ProcessKind::Steam:
        case ProcessKind::Spray:
            if (p.kind == ProcessKind::Steam) oneOf({"x", "RH"});
            else oneOf({"x", "RH", "efficiency"});
            if (const auto x = optionalNumber(o, "x", who))
                p.leaving.push_back({Property::X, storedValue(Property::X, *x, units)});
            if (const auto rh = optionalNumber(o, "RH", who))
                p.leaving.push_back({Property::RH, storedValue(Property::RH, *rh, units)});
            p.efficiency = optionalNumber(o, "efficiency", who);
            break;
        case ProcessKind::Supply:
        case ProcessKind::Shf:
            if (p.kind == ProcessKind::Shf) {
                p.shf = optionalNumber(o, "shf", who);
                if (p.shf && (o.contains("sensible") || o.contains("latent")))
                    refuse(who, "takes \"shf\" or the room's \"sensible\" and \"latent\" loads, "
                                "not both");
                if (!p.shf && !o.contains("sensible") && !o.contains("latent"))
                    refuse(who, "needs \"shf\" or the room's \"sensible\" and \"latent\" loads");
            }
            if (const auto q = optionalNumber(o, "sensible", who)) p.sensibleLoad = storedLoad(*q, units);
            if (const auto q = optionalNumber(o, "latent", who)) p.latentLoad = storedLoad(*q, units);
            break;
        default:
            break;
    }
    p.look = lookOf(o, who);
    if (o.contains("label")) {
        if (!o.value("label").isBool()) refuse(who, "\"label\" must be true or false");
        p.loadLabel = o.value("label").toBool();
    }
    return p;
}

}  // namespace

void readFileTop(const QJsonObject& top, std::optional<double>& pressureMmHg, UnitSystem& units,
                 AirBasis& basis) {
    if (top.contains("pressure_mmHg")) {
        const QJsonValue v = top.value("pressure_mmHg");
        if (!v.isDouble() || !pressureAllowed(v.toDouble()))
            refuse("", "\"pressure_mmHg\" must be a total pressure from " +
                           std::to_string(static_cast<int>(kMinPressureMmHg)) + " to " +
                           std::to_string(static_cast<int>(kMaxPressureMmHg)) + " mmHg");
        pressureMmHg = v.toDouble();
    }
    if (top.contains("units")) {
        const QJsonValue v = top.value("units");
        const auto u = v.isString() ? unitSystemNamed(v.toString().toStdString()) : std::nullopt;
        if (!u) refuse("", "\"units\" must be \"kcal\", \"si\" or \"ip\"");
        units = *u;
    }
    if (top.contains("air")) {
        const QJsonValue v = top.value("air");
        if (v != QJsonValue("actual") && v != QJsonValue("standard"))
            refuse("", "\"air\" must be \"actual\" or \"standard\"");
        basis = v == QJsonValue("standard") ? AirBasis::Standard : AirBasis::Actual;
    }
}

std::optional<DesignFile> designFromJson(const std::string& json, std::string& error) {
    QJsonParseError parse;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(json), &parse);
    if (!doc.isObject()) {
        error = parse.error == QJsonParseError::NoError
                    ? "a design file holds one JSON object"
                    : "not JSON (" + parse.errorString().toStdString() + " at byte " +
                          std::to_string(parse.offset) + ")";
        return std::nullopt;
    }
    const QJsonObject top = doc.object();
    if (const auto key = repeatedKey(json, top)) {
        error = *key;
        return std::nullopt;
    }
    try {
        onlyKeys(top, {"pressure_mmHg", "units", "air", "points", "processes"}, "");
        DesignFile f;
        readFileTop(top, f.pressureMmHg, f.units, f.design.basis);
        if (!top.value("points").isArray() || top.value("points").toArray().isEmpty())
            refuse("", "\"points\" must be a list of one point or more");
        if (top.contains("processes") && !top.value("processes").isArray())
            refuse("", "\"processes\" must be a list");
        const QJsonArray points = top.value("points").toArray();
        const QJsonArray processes = top.value("processes").toArray();
        if (static_cast<size_t>(points.size()) > kMostPoints)
            refuse("", "a design holds at most " + std::to_string(kMostPoints) + " points, not " +
                           std::to_string(points.size()));
        if (static_cast<size_t>(processes.size()) > kMostProcesses)
            refuse("", "a design holds at most " + std::to_string(kMostProcesses) +
                           " processes, not " + std::to_string(processes.size()));
        std::set<std::string> names;
        for (qsizetype i = 0; i < points.size(); ++i) {
            f.design.points.push_back(readPoint(points[i], static_cast<size_t>(i), f.units));
            if (!names.insert(f.design.points.back().name).second)
                refuse(pointLabel(static_cast<size_t>(i), points[i]),
                       "another point has this name");
        }
        for (qsizetype i = 0; i < processes.size(); ++i)
            f.design.processes.push_back(
                readProcess(processes[i], static_cast<size_t>(i), f.units));
        return f;
    } catch (const Refused& r) {
        error = r.message;
        return std::nullopt;
    }
}

}  // namespace humidraw_cli
