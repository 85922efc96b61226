// `moistek state` and `moistek batch`: the complete state from any supported pair of properties.
#include <cctype>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <utility>

#include "callables.h"
#include "commands.h"
#include "files/standard_streams.h"
#include "moistek_internal/ip_units.h"
#include "numbers.h"
#include "text/number_format.h"

namespace moistek_cli {
namespace {

constexpr const char* kNames[7] = {"DB", "RH", "AH", "EN", "SV", "WB", "DP"};
constexpr int kRelativeHumidity = 1, kHumidity = 2, kEnthalpy = 3, kVolume = 4, kDewPoint = 6;

int propertyIndex(std::string_view name) {
    for (int i = 0; i < 7; ++i)
        if (name.size() == 2 && std::toupper(name[0]) == kNames[i][0] &&
            std::toupper(name[1]) == kNames[i][1])
            return i;
    return -1;
}

// The complete-state method reading properties a and b (either order); null when none does.
// The dew point fixes the humidity ratio, so a pair with it is read by the method of the
// humidity ratio and the other property.
const Callable* methodFor(int a, int b) {
    if (a == kDewPoint) a = kHumidity;
    if (b == kDewPoint) b = kHumidity;
    for (const char* name : kCompleteNames) {
        const int first = propertyIndex(std::string_view(name + 2, 2));
        const int second = propertyIndex(std::string_view(name + 4, 2));
        if ((first == a && second == b) || (first == b && second == a)) return findCallable(name);
    }
    return nullptr;
}

// The units values are given and printed in: the library's own (kcal/kg(DA), mmHg), SI
// (kJ/kg(DA), hPa) or inch-pound (°F, gr/lb(DA), Btu/lb(DA), ft³/lb(DA), psia).
enum class Units { Engineering, Si, Ip };

struct StateRequest {
    int a = -1, b = -1;
    double va = 0, vb = 0;
    Units units = Units::Engineering;
    bool hasPa = false;
    double pa = 760;
};

struct State {
    std::string method;
    int result = 0;
    double p[7] = {};
};

std::string checkPair(const StateRequest& r) {
    if (r.a < 0 || r.b < 0) return "give two properties, such as DB=20 RH=50";
    if (r.a == r.b) return std::string("the same property twice: ") + kNames[r.a];
    if ((r.a == kDewPoint && r.b == kHumidity) || (r.a == kHumidity && r.b == kDewPoint))
        return "the humidity ratio fixes the dew point, so DP and AH are one property: give "
               "DP or AH with one of DB RH EN SV WB";
    const Callable* c = methodFor(r.a, r.b);
    if (!c || std::strcmp(c->name, "C_ENWB") == 0)
        return std::string("the pair ") + kNames[r.a] + ", " + kNames[r.b] +
               " does not fix a state in this library";
    return {};
}

// Property INDEX's value V in the library's units, from the units of R.
double toEngineering(const StateRequest& r, const MoistekClass& m, int index, double v) {
    if (r.units == Units::Si) return index == kEnthalpy ? v / m.KcalKJ : v;
    if (r.units != Units::Ip) return v;
    switch (index) {
        case kRelativeHumidity:
            return v;  // % in every system
        case kHumidity:
            return v / humidraw::kGrainsPerPound;
        case kEnthalpy:
            return humidraw::kcalPerKgFromBtuPerLb(v);
        case kVolume:
            return v / humidraw::kCubicFeetPerPoundPerCubicMetrePerKg;
        default:
            return humidraw::celsiusFromFahrenheit(v);  // DB, WB, DP
    }
}

// The library's value V of property INDEX in the units of R.
double fromEngineering(const StateRequest& r, const MoistekClass& m, int index, double v) {
    if (r.units == Units::Si) return index == kEnthalpy ? v * m.KcalKJ : v;
    if (r.units != Units::Ip) return v;
    switch (index) {
        case kRelativeHumidity:
            return v;
        case kHumidity:
            return v * humidraw::kGrainsPerPound;
        case kEnthalpy:
            return humidraw::btuPerLbFromKcalPerKg(v);
        case kVolume:
            return v * humidraw::kCubicFeetPerPoundPerCubicMetrePerKg;
        default:
            return humidraw::fahrenheitFromCelsius(v);
    }
}

// The total pressure in mmHg from the units of R: hPa with --si, psia with --ip.
double pressureMmHg(const StateRequest& r, const MoistekClass& m) {
    if (r.units == Units::Si) return r.pa * m.HPaMmHg;
    if (r.units == Units::Ip) return r.pa / humidraw::kPsiPerMmHg;
    return r.pa;
}

// The state is always computed in engineering units (kcal/kg(DA), mmHg), the physics the
// library defines; with --si the enthalpy given is converted from kJ/kg(DA) and the pressure
// from hPa on the way in, and the enthalpy back to kJ/kg(DA) on the way out, each with the
// library's own conversion constant. With --ip every value but RH is converted both ways, and
// the pressure from psia, with the inch-pound factors (the enthalpy on the IP datum).
//
// A dew point gives the humidity ratio in closed form: the vapour pressure is the saturation
// pressure at the dew point (F_DB2PWS), the humidity ratio that of this vapour pressure at the
// total pressure (F_PW2AH); the method of the humidity ratio and the other property does the
// rest, along that constant humidity ratio. The dew point is shown as given.
State solve(const StateRequest& r) {
    const Callable* c = methodFor(r.a, r.b);
    MoistekClass m;
    if (r.hasPa) m.PA = pressureMmHg(r, m);
    State s;
    s.method = c->name;
    s.p[r.a] = toEngineering(r, m, r.a, r.va);
    s.p[r.b] = toEngineering(r, m, r.b, r.vb);
    const bool dewPoint = r.a == kDewPoint || r.b == kDewPoint;
    if (dewPoint) {
        s.method = std::string("F_DB2PWS+F_PW2AH+") + c->name;
        double dp = s.p[kDewPoint], pw = 0;
        s.result = m.F_DB2PWS(dp, pw);
        if (s.result == 1) s.result = m.F_PW2AH(pw, s.p[kHumidity]);
        if (s.result != 1) s.p[kHumidity] = 0;
    }
    if (!dewPoint || s.result == 1)
        s.result = (m.*c->complete)(s.p[0], s.p[1], s.p[2], s.p[3], s.p[4], s.p[5], s.p[6]);
    // A failed state keeps the library's zeros, its sign of failure, unconverted: 32 °F or
    // 7.68 Btu/lb would read as values.
    if (s.result == 1)
        for (int i = 0; i < 7; ++i) s.p[i] = fromEngineering(r, m, i, s.p[i]);
    // A value converted on the way in is shown as given, not after a conversion there and back
    // (in SI the enthalpy, in IP all but RH); a dew point always so.
    for (const auto& [index, given] : {std::pair(r.a, r.va), std::pair(r.b, r.vb)})
        if (index == kDewPoint || (r.units == Units::Si && index == kEnthalpy) ||
            (r.units == Units::Ip && index != kRelativeHumidity))
            s.p[index] = given;
    return s;
}

void printText(const State& s, Units system) {
    const char* metric[7] = {"°C", "%", "kg/kg(DA)", "kcal/kg(DA)", "m³/kg(DA)", "°C", "°C"};
    const char* ip[7] = {"°F", "%", "gr/lb(DA)", "Btu/lb(DA)", "ft³/lb(DA)", "°F", "°F"};
    const char* const* units = system == Units::Ip ? ip : metric;
    const char* enthalpy = system == Units::Si ? "kJ/kg(DA)" : units[kEnthalpy];
    if (s.result == 1)
        std::printf("%s: result 1\n", s.method.c_str());
    else
        std::printf("%s: result %d, no state for these values; what the method left:\n",
                    s.method.c_str(), s.result);
    for (int i = 0; i < 7; ++i)
        std::printf("%s  %s %s\n", kNames[i],
                    humidraw::formatPrintfGeneral(s.p[i], 10, -22).c_str(),
                    i == kEnthalpy ? enthalpy : units[i]);
}

// The units last, as the name of their system: "kcal", "si" or "ip".
void printJson(const State& s, Units system) {
    std::printf("{\"method\": \"%s\", \"result\": %d", s.method.c_str(), s.result);
    for (int i = 0; i < 7; ++i) std::printf(", \"%s\": %s", kNames[i], exact(s.p[i]).c_str());
    std::printf(", \"units\": \"%s\"}\n", system == Units::Ip   ? "ip"
                                          : system == Units::Si ? "si"
                                                                : "kcal");
}

// Reads --si, --ip and --pa; returns an error text or "".
std::string takeUnitOptions(const std::vector<std::string>& args, size_t& i, StateRequest& r) {
    if (args[i] == "--si" || args[i] == "--ip") {
        const Units units = args[i] == "--si" ? Units::Si : Units::Ip;
        if (r.units == units) return "option " + args[i] + " is given twice";
        if (r.units != Units::Engineering)
            return "options --si and --ip do not go together: give one system of units";
        r.units = units;
        return {};
    }
    if (args[i] == "--pa") {
        if (r.hasPa) return "option --pa is given twice";
        if (i + 1 >= args.size()) return "option --pa needs a value";
        const auto v = parseNumber(args[++i]);
        if (!v) return quoted(args[i]) + " is not a number (--pa)";
        r.hasPa = true;
        r.pa = *v;
        return {};
    }
    return "unknown option '" + args[i] + "'";
}

}  // namespace

int stateCommand(const std::vector<std::string>& args) {
    StateRequest r;
    bool json = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& w = args[i];
        std::string error;
        if (w == "--json") {
            if (json) error = "option --json is given twice";
            json = true;
        } else if (w.rfind("--", 0) == 0) {
            error = takeUnitOptions(args, i, r);
        } else {
            const size_t eq = w.find('=');
            const int index = eq == std::string::npos ? -1 : propertyIndex(w.substr(0, eq));
            const auto v = eq == std::string::npos ? std::nullopt : parseNumber(w.substr(eq + 1));
            if (index < 0)
                error = quoted(w) + " is not NAME=VALUE with NAME one of DB RH AH EN SV WB DP";
            else if (!v)
                error = quoted(w.substr(eq + 1)) + " is not a number (" + w.substr(0, eq) + ")";
            else if (r.b >= 0)
                error = "more than two properties given";
            else
                (r.a < 0 ? (r.a = index, r.va = *v) : (r.b = index, r.vb = *v));
        }
        if (!error.empty()) {
            std::fprintf(stderr, "moistek state: %s\n", error.c_str());
            return 2;
        }
    }
    if (const std::string e = checkPair(r); !e.empty()) {
        std::fprintf(stderr, "moistek state: %s\n", e.c_str());
        return 2;
    }
    const State s = solve(r);
    json ? printJson(s, r.units) : printText(s, r.units);
    return s.result == 1 ? 0 : 1;
}

namespace {

std::string trimField(std::string f) {
    while (!f.empty() && (f.back() == ' ' || f.back() == '\t' || f.back() == '\r')) f.pop_back();
    size_t start = 0;
    while (start < f.size() && (f[start] == ' ' || f[start] == '\t')) ++start;
    f = f.substr(start);
    if (f.size() >= 2 && f.front() == '"' && f.back() == '"') f = f.substr(1, f.size() - 2);
    return f;
}

std::vector<std::string> splitCsv(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    while (true) {
        const size_t comma = line.find(',', start);
        fields.push_back(trimField(line.substr(start, comma - start)));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return fields;
}

}  // namespace

int csvBatchCommand(const std::vector<std::string>& args) {
    StateRequest r;
    std::string error;
    for (size_t i = 0; i < args.size() && error.empty(); ++i) {
        if (args[i].rfind("--", 0) == 0) {
            error = takeUnitOptions(args, i, r);
        } else if (r.a >= 0) {
            error = "one column pair only, such as DB,RH";
        } else {
            const auto names = splitCsv(args[i]);
            if (names.size() != 2) {
                error = quoted(args[i]) + " is not two property names, such as DB,RH";
            } else {
                r.a = propertyIndex(names[0]);
                r.b = propertyIndex(names[1]);
                if (r.a < 0 || r.b < 0) error = "unknown property in '" + args[i] + "'";
            }
        }
    }
    if (error.empty()) error = checkPair(r);
    if (!error.empty()) {
        std::fprintf(stderr, "moistek batch: %s\n", error.c_str());
        return 2;
    }
    std::string line;
    long lineNo = 0;
    bool anyFailed = false;
    std::printf("DB,RH,AH,EN,SV,WB,DP,result\n");
    humidraw::LineReader input(stdin);
    while (input.next(line)) {
        if (++lineNo == 1) continue;  // the header row
        if (trimField(line).empty()) continue;
        const auto fields = splitCsv(line);
        std::optional<double> a, b;
        if (fields.size() == 2) {
            a = parseNumber(fields[0]);
            b = parseNumber(fields[1]);
        }
        if (!a || !b) {
            anyFailed = true;
            std::fprintf(stderr, "moistek batch: line %ld: %s\n", lineNo,
                         fields.size() != 2 ? "not two columns" : "not two numbers");
            std::printf(",,,,,,,error\n");
            continue;
        }
        r.va = *a;
        r.vb = *b;
        const State s = solve(r);
        if (s.result != 1) {
            anyFailed = true;
            std::fprintf(stderr, "moistek batch: line %ld: no state for %s=%s %s=%s\n", lineNo,
                         kNames[r.a], fields[0].c_str(), kNames[r.b], fields[1].c_str());
        }
        for (double v : s.p) std::printf("%s,", exact(v).c_str());
        std::printf("%d\n", s.result);
    }
    if (!input.error().empty()) {
        std::fprintf(stderr, "moistek batch: standard input: %s\n", input.error().c_str());
        return 1;
    }
    return anyFailed ? 1 : 0;
}

}  // namespace moistek_cli
