#include "data_options.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <cstdio>
#include <set>

#include "json.h"
#include "lang/language.h"
#include "text/number_format.h"
#include "text/visible_text.h"
#include "units/unit_system.h"

using namespace humidraw;

namespace humidraw_cli {
namespace {

std::vector<std::string> splitCommas(const std::string& s) {
    std::vector<std::string> parts;
    size_t from = 0;
    for (;;) {
        const size_t comma = s.find(',', from);
        parts.push_back(s.substr(from, comma - from));
        if (comma == std::string::npos) return parts;
        from = comma + 1;
    }
}

// "DB" or "DB=column": the property and where it is (by default a column named like it).
std::optional<std::string> parseColumn(const std::string& item, CsvColumn& c) {
    const size_t eq = item.find('=');
    const std::string name = item.substr(0, eq);
    const auto q = parseQuantity(name);
    if (!q) return "unknown property '" + name + "' (DB, RH, x, h, WB, SV, DP)";
    c.quantity = *q;
    c.unit = unitsFor(*q).front();
    c.column = eq == std::string::npos ? name : item.substr(eq + 1);
    return std::nullopt;
}

std::optional<std::string> zoneArgument(const std::string& v, DataOptions& o) {
    if (const auto preset = presetZone(v)) {
        o.zones.push_back(*preset);
        return std::nullopt;
    }
    std::string comfortError;
    if (const auto comfortZone = comfortZoneFromText(v, comfortError)) {
        o.zones.push_back(*comfortZone);
        return std::nullopt;
    }
    if (!comfortError.empty()) return "--zone " + v + ": " + comfortError;
    const auto text = readWholeFile(v);
    if (!text)
        return "'" + v +
               "' is neither a zone preset (building-hygiene, tc99-recommended, "
               "tc99-a1), a comfort zone (pmv[:...], adaptive:month=M[,...]) nor a readable "
               "file";
    std::string error;
    const auto zone = zoneFromJson(*text, error);
    if (!zone) return v + ": " + error;
    o.zones.push_back(*zone);
    return std::nullopt;
}

}  // namespace

std::optional<std::string> takeDataOptions(std::vector<std::string>& args, DataOptions& o) {
    std::vector<std::string> rest;
    o.choice.first = {"DB", Quantity::DB, Unit::Celsius};
    o.choice.second = {"RH", Quantity::RH, Unit::Percent};
    std::vector<std::string> units;
    std::set<std::string> seen;  // the options given at most once
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--") {  // what follows is not ours
            rest.insert(rest.end(), args.begin() + i, args.end());
            break;
        }
        // `--units kcal|si|ip` is the chart's unit system, not the columns' units.
        const bool chartUnits = a == "--units" && i + 1 < args.size() &&
                                humidraw::unitSystemNamed(args[i + 1]).has_value();
        if ((a != "--data" && a != "--columns" && a != "--units" && a != "--zone" &&
             a != "--time" && a != "--density") ||
            chartUnits) {
            rest.push_back(a);
            if (chartUnits) rest.push_back(args[++i]);
            continue;
        }
        if (a != "--data" && a != "--zone" && !seen.insert(a).second)
            return "option " + a + " is given twice";
        if (a == "--density") {
            o.density = true;
            continue;
        }
        if (i + 1 >= args.size()) return "option " + a + " needs a value";
        const std::string v = args[++i];
        if (a == "--data") {
            o.files.push_back(v);
        } else if (a == "--time") {
            o.choice.timeColumn = v;
        } else if (a == "--units") {
            units = splitCommas(v);
            o.columnsGiven = true;
        } else if (a == "--zone") {
            if (auto e = zoneArgument(v, o)) return e;
        } else {
            o.columnsGiven = true;
            const auto items = splitCommas(v);
            if (items.size() != 2) return "--columns takes two properties, e.g. DB,RH";
            if (auto e = parseColumn(items[0], o.choice.first)) return e;
            if (auto e = parseColumn(items[1], o.choice.second)) return e;
        }
    }
    if (!units.empty()) {
        if (units.size() != 2) return "--units takes two units, e.g. C,g/kg";
        CsvColumn* cols[] = {&o.choice.first, &o.choice.second};
        for (int k = 0; k < 2; ++k) {
            const auto u = parseUnit(units[k]);
            if (!u || !unitFits(cols[k]->quantity, *u))
                return "'" + units[k] + "' is not a unit of " + quantityName(cols[k]->quantity);
            cols[k]->unit = *u;
        }
    }
    args = rest;
    return std::nullopt;
}

namespace {

std::optional<Colour32> parseColour(const QString& s) {
    // '#' and six hexadecimal digits, nothing else (no sign, no blank).
    if (s.size() != 7 || !s.startsWith('#')) return std::nullopt;
    uint rgb = 0;
    for (qsizetype i = 1; i < 7; ++i) {
        const int d = QStringView(u"0123456789abcdef").indexOf(s[i].toLower());
        if (d < 0) return std::nullopt;
        rgb = rgb * 16 + static_cast<uint>(d);
    }
    return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

}  // namespace

std::optional<Zone> zoneFromJson(const std::string& json, std::string& error) {
    QJsonParseError parse;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(json), &parse);
    if (!doc.isObject()) {
        error = "not a JSON object (" + parse.errorString().toStdString() + ")";
        return std::nullopt;
    }
    if (const auto repeated = firstRepeatedKey(json)) {
        error = "the key '" + repeated->key + "' is given twice";
        return std::nullopt;
    }
    const QJsonObject o = doc.object();
    if (o.contains("colour") && o.contains("color")) {
        error = "the colour is given twice (colour and color)";
        return std::nullopt;
    }
    Zone z;
    for (auto it = o.begin(); it != o.end(); ++it) {
        const std::string key = it.key().toStdString();
        if (key == "name") {
            if (!it->isString()) {
                error = "name takes a text";
                return std::nullopt;
            }
            z.name = it->toString().toStdString();
        } else if (key == "fill") {
            if (!it->isBool()) {
                error = "fill takes true or false";
                return std::nullopt;
            }
            z.filled = it->toBool();
        } else if (key == "colour" || key == "color") {
            const auto c = it->isString() ? parseColour(it->toString()) : std::nullopt;
            if (!c) {
                error = "the colour must be #RRGGBB";
                return std::nullopt;
            }
            z.colour = *c;
        } else if (key == "pmv" || key == "adaptive") {
            if (!it->isObject()) {
                error = key + " takes an object, e.g. {\"met\": 1.1, \"clo\": 0.5}";
                return std::nullopt;
            }
            // The same names as --zone takes, as text, and the zone of them.
            std::string zoneText = key;
            const QJsonObject fields = it->toObject();
            for (auto f = fields.begin(); f != fields.end(); ++f) {
                const std::string value =
                    f->isDouble()   ? formatShortest(f->toDouble())
                    : f->isString() ? f->toString().toStdString()
                    : f->isNull()   ? std::string("none")
                                    : std::string("?");
                zoneText += (f == fields.begin() ? ":" : ",") + f.key().toStdString() + "=" + value;
            }
            const auto comfortZone = comfortZoneFromText(zoneText, error);
            if (!comfortZone) {
                error = key + ": " + error;
                return std::nullopt;
            }
            if (z.pmv || z.adaptive) {
                error = "a zone is either pmv or adaptive";
                return std::nullopt;
            }
            z.pmv = comfortZone->pmv;
            z.adaptive = comfortZone->adaptive;
            // Its ranges (its humidity limit, an adaptive band) unless the file gives its own,
            // whichever key comes first.
            for (int i = 0; i < kZonePropertyCount; ++i)
                if (!z.ranges[i].low && !z.ranges[i].high) z.ranges[i] = comfortZone->ranges[i];
            if (!o.contains("name")) z.name = comfortZone->name;
            if (!o.contains("colour") && !o.contains("color")) z.colour = comfortZone->colour;
            if (!o.contains("fill")) z.filled = comfortZone->filled;
        } else if (const auto p = parseZoneProperty(key)) {
            const QJsonArray range = it->toArray();
            if (!it->isArray() || range.size() != 2 ||
                !(range[0].isDouble() || range[0].isNull()) ||
                !(range[1].isDouble() || range[1].isNull())) {
                error = key + " takes [low, high], a number or null each";
                return std::nullopt;
            }
            if (range[0].isDouble()) z.ranges[*p].low = range[0].toDouble();
            if (range[1].isDouble()) z.ranges[*p].high = range[1].toDouble();
        } else {
            error = "unknown key '" + key +
                    "' (name, DB, RH, x, DP, WB, h, pmv, adaptive, colour, fill)";
            return std::nullopt;
        }
    }
    if (z.name.empty()) z.name = "zone";
    // An adaptive zone's mean may come from the data file: checked once it is known.
    if (z.adaptive && std::isnan(z.adaptive->prevailingMean)) return z;
    error = zoneProblem(z);
    if (!error.empty()) return std::nullopt;
    return z;
}

std::optional<std::string> loadData(const DataOptions& o, double pressureMmHg, MeasuredData& data,
                                    std::vector<ImportReport>& reports) {
    static const Colour32 colours[] = {0x00B05000, 0x000050D0, 0x00008000, 0x00800080};
    CsvChoice choice = o.choice;
    choice.pressureMmHg = pressureMmHg;
    for (const std::string& file : o.files) {
        if (!o.columnsGiven &&
            !QString::fromStdString(file).endsWith(".epw", Qt::CaseInsensitive)) {
            const auto header = csvFileHeader(file);
            if (!header) return header.error();
            const auto proposal = proposeCsvColumns(*header);
            if (!proposal) return file + ": " + proposal.error();
            choice.first = proposal->first;
            choice.second = proposal->second;
            // The date-time column only with --time: no output of the command shows it.
        }
        auto r = importFile(file, choice);
        if (!r) return r.error();
        const ImportReport& rep = r->report;
        if (rep.skipped > 0) {
            // In the language of the messages, as the reasons themselves are.
            const std::string summary = withArguments(
                translate("HumidrawCli", "%1: %2 行のうち %3 行を飛ばしました"),
                {visibleText(file), std::to_string(rep.rows), std::to_string(rep.skipped)});
            std::fprintf(stderr, "humidraw-cli: %s\n", summary.c_str());
            for (const SkippedRow& s : rep.firstSkipped)
                std::fprintf(stderr, "  %s\n",
                             withArguments(translate("HumidrawCli", "%1 行目: %2"),
                                           {std::to_string(s.line), visibleText(s.reason)})
                                 .c_str());
        }
        r->set.density = o.density;
        r->set.colour = colours[data.sets.size() % 4];
        reports.push_back(rep);
        data.sets.push_back(std::move(r->set));
    }
    data.zones = o.zones;
    // Adaptive zones without their mean take it from the first data file, the weather file.
    for (Zone& z : data.zones) {
        if (!z.adaptive || !std::isnan(z.adaptive->prevailingMean)) continue;
        if (data.sets.empty())
            return z.name + ": " +
                   translate("HumidrawCli",
                             "代表外気温度 (mean=) か、時刻のある気象データ (--data) が要ります");
        std::string error;
        const auto filled = withPrevailingMean(z, data.sets.front(), error);
        if (!filled) return z.name + ": " + error;
        z = *filled;
    }
    return std::nullopt;
}

}  // namespace humidraw_cli
