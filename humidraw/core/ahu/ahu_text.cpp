#include "ahu/ahu_text.h"

#include <optional>
#include <vector>

#include "lang/language.h"
#include "text/number_format.h"

namespace humidraw::ahu {

namespace {

// The line kinds of a season, in their order, and what a damaged one is called.
struct Kind {
    const char* word;
    const char* damaged;
};
constexpr Kind kKinds[] = {
    {"season", HUMIDRAW_TEXT_NOOP("Ahu", "空調機の季節の行が壊れています")},
    {"outdoor", HUMIDRAW_TEXT_NOOP("Ahu", "空調機の外気の行が壊れています")},
    {"room", HUMIDRAW_TEXT_NOOP("Ahu", "空調機の室内の行が壊れています")},
    {"supply", HUMIDRAW_TEXT_NOOP("Ahu", "空調機の給気の行が壊れています")},
    {"recovery", HUMIDRAW_TEXT_NOOP("Ahu", "空調機の熱回収の行が壊れています")},
    {"mixing", HUMIDRAW_TEXT_NOOP("Ahu", "空調機の混合の行が壊れています")},
    {"preheat", HUMIDRAW_TEXT_NOOP("Ahu", "空調機の予熱の行が壊れています")},
    {"coil", HUMIDRAW_TEXT_NOOP("Ahu", "空調機の冷却コイルの行が壊れています")},
    {"reheat", HUMIDRAW_TEXT_NOOP("Ahu", "空調機の再熱の行が壊れています")},
    {"humidifier", HUMIDRAW_TEXT_NOOP("Ahu", "空調機の加湿器の行が壊れています")},
    {"fan", HUMIDRAW_TEXT_NOOP("Ahu", "空調機の送風機の行が壊れています")},
};
constexpr int kKindCount = sizeof kKinds / sizeof kKinds[0];
// The unit line, then each season's lines.
constexpr int kLineCount = 1 + 2 * kKindCount;

std::string number(double v) {
    return formatShortest(v);
}

std::vector<std::string_view> words(std::string_view line) {
    std::vector<std::string_view> w;
    size_t i = 0;
    while (true) {
        const size_t space = line.find(' ', i);
        w.push_back(line.substr(i, space == std::string_view::npos ? std::string_view::npos
                                                                     : space - i));
        if (space == std::string_view::npos) return w;
        i = space + 1;
    }
}

std::string on(bool b) {
    return b ? "1" : "0";
}

std::optional<bool> onOf(std::string_view s) {
    if (s == "1") return true;
    if (s == "0") return false;
    return std::nullopt;
}

std::string given(const Given& g) {
    return std::string(design::propertyName(g.kind)) + " " + number(g.value);
}

// A property as the design's lines give one: by its own name, never a second name of it.
std::optional<Given> givenOf(std::string_view k, std::string_view v) {
    const auto kind = design::parseProperty(k);
    const auto value = parseShortest(v);
    if (!kind || !value || k == "AH" || k == "EN") return std::nullopt;
    return Given{*kind, *value};
}

// A word among names, as its index.
template <size_t N>
std::optional<int> choiceOf(std::string_view s, const char* const (&names)[N]) {
    for (size_t i = 0; i < N; ++i)
        if (s == names[i]) return static_cast<int>(i);
    return std::nullopt;
}

constexpr const char* kSeasons[] = {"summer", "winter"};
constexpr const char* kOutdoorBy[] = {"flow", "fraction"};
constexpr const char* kSupplyBy[] = {"flow", "difference"};
constexpr const char* kRecoveryKinds[] = {"sensible", "total"};
constexpr const char* kCoilModes[] = {"leaving", "adp", "rh"};
constexpr const char* kHumidifierKinds[] = {"steam", "spray", "vaporising"};
constexpr const char* kFanModes[] = {"rise", "power"};

std::string seasonText(const char* name, const Season& s) {
    std::string out = std::string("season ") + name + " " + on(s.on) + "\n";
    out += "outdoor " + given(s.outdoor1) + " " + given(s.outdoor2) + " " +
           kOutdoorBy[static_cast<int>(s.outdoorBy)] + " " + number(s.outdoorFlow) + " " +
           number(s.outdoorFraction) + "\n";
    out += "room " + given(s.room1) + " " + given(s.room2) + " " + number(s.sensibleLoad) + " " +
           number(s.latentLoad) + "\n";
    out += std::string("supply ") + kSupplyBy[static_cast<int>(s.supplyBy)] + " " +
           number(s.supplyFlow) + " " + number(s.supplyDifference) + "\n";
    const HeatRecovery& r = s.recovery;
    out += "recovery " + on(r.on) + " " + kRecoveryKinds[static_cast<int>(r.kind)] + " " +
           number(r.temperatureEffectiveness) + " " + number(r.enthalpyEffectiveness) + "\n";
    out += "mixing " + on(s.mixing.on) + "\n";
    out += "preheat " + on(s.preheat.on) + " " + number(s.preheat.DB) + "\n";
    const CoolingCoil& c = s.coil;
    out += "coil " + on(c.on) + " " + kCoilModes[static_cast<int>(c.mode)] + " " + given(c.first) +
           " " + given(c.second) + " " + number(c.adp) + " " + number(c.bf) + " " + number(c.DB) +
           " " + number(c.RH) + "\n";
    out += "reheat " + on(s.reheat.on) + "\n";
    const Humidifier& h = s.humidifier;
    out += "humidifier " + on(h.on) + " " + kHumidifierKinds[static_cast<int>(h.kind)] + " " +
           number(h.efficiency) + "\n";
    const Fan& f = s.fan;
    out += "fan " + on(f.on) + " " + kFanModes[static_cast<int>(f.mode)] + " " + number(f.rise) +
           " " + number(f.powerKW) + "\n";
    return out;
}

// One line of a season (its first word `kind`, checked); false when it is damaged.
bool takeSeasonLine(int kind, int season, const std::vector<std::string_view>& w, Season& s) {
    const auto n = [&](size_t i) { return i < w.size() ? parseShortest(w[i]) : std::nullopt; };
    const auto g = [&](size_t i) {
        return i + 1 < w.size() ? givenOf(w[i], w[i + 1]) : std::nullopt;
    };
    const auto flag = [&](size_t i) { return i < w.size() ? onOf(w[i]) : std::nullopt; };
    switch (kind) {
        case 0: {  // season NAME ON
            const auto name = w.size() == 3 ? choiceOf(w[1], kSeasons) : std::nullopt;
            if (!name || *name != season || !flag(2)) return false;
            s.on = *flag(2);
            return true;
        }
        case 1: {  // outdoor K V K V BY FLOW FRACTION
            const auto by = w.size() == 8 ? choiceOf(w[5], kOutdoorBy) : std::nullopt;
            if (!by || !g(1) || !g(3) || !n(6) || !n(7)) return false;
            s.outdoor1 = *g(1), s.outdoor2 = *g(3);
            s.outdoorBy = static_cast<OutdoorBy>(*by);
            s.outdoorFlow = *n(6), s.outdoorFraction = *n(7);
            return true;
        }
        case 2:  // room K V K V SENSIBLE LATENT
            if (w.size() != 7 || !g(1) || !g(3) || !n(5) || !n(6)) return false;
            s.room1 = *g(1), s.room2 = *g(3);
            s.sensibleLoad = *n(5), s.latentLoad = *n(6);
            return true;
        case 3: {  // supply BY FLOW DIFFERENCE
            const auto by = w.size() == 4 ? choiceOf(w[1], kSupplyBy) : std::nullopt;
            if (!by || !n(2) || !n(3)) return false;
            s.supplyBy = static_cast<SupplyBy>(*by);
            s.supplyFlow = *n(2), s.supplyDifference = *n(3);
            return true;
        }
        case 4: {  // recovery ON KIND ET EH
            const auto k = w.size() == 5 ? choiceOf(w[2], kRecoveryKinds) : std::nullopt;
            if (!k || !flag(1) || !n(3) || !n(4)) return false;
            s.recovery = {*flag(1), static_cast<RecoveryKind>(*k), *n(3), *n(4)};
            return true;
        }
        case 5:  // mixing ON
            if (w.size() != 2 || !flag(1)) return false;
            s.mixing.on = *flag(1);
            return true;
        case 6:  // preheat ON DB
            if (w.size() != 3 || !flag(1) || !n(2)) return false;
            s.preheat = {*flag(1), *n(2)};
            return true;
        case 7: {  // coil ON MODE K V K V ADP BF DB RH
            const auto m = w.size() == 11 ? choiceOf(w[2], kCoilModes) : std::nullopt;
            if (!m || !flag(1) || !g(3) || !g(5) || !n(7) || !n(8) || !n(9) || !n(10))
                return false;
            CoolingCoil& c = s.coil;
            c.on = *flag(1), c.mode = static_cast<CoilMode>(*m);
            c.first = *g(3), c.second = *g(5);
            c.adp = *n(7), c.bf = *n(8), c.DB = *n(9), c.RH = *n(10);
            return true;
        }
        case 8:  // reheat ON
            if (w.size() != 2 || !flag(1)) return false;
            s.reheat.on = *flag(1);
            return true;
        case 9: {  // humidifier ON KIND EFFICIENCY
            const auto k = w.size() == 4 ? choiceOf(w[2], kHumidifierKinds) : std::nullopt;
            if (!k || !flag(1) || !n(3)) return false;
            s.humidifier = {*flag(1), static_cast<HumidifierKind>(*k), *n(3)};
            return true;
        }
        case 10: {  // fan ON MODE RISE POWER
            const auto m = w.size() == 5 ? choiceOf(w[2], kFanModes) : std::nullopt;
            if (!m || !flag(1) || !n(3) || !n(4)) return false;
            s.fan = {*flag(1), static_cast<FanMode>(*m), *n(3), *n(4)};
            return true;
        }
    }
    return false;
}

}  // namespace

std::string unitText(const Unit& u) {
    return std::string("unit ") + (u.basis == design::AirBasis::Standard ? "standard" : "actual") +
           "\n" + seasonText("summer", u.summer) + seasonText("winter", u.winter);
}

bool UnitReader::takes(std::string_view w) {
    if (w == "unit") return true;
    for (const Kind& k : kKinds)
        if (w == k.word) return true;
    return false;
}

std::string UnitReader::take(std::string_view line) {
    const auto w = words(line);
    if (w[0] == "unit") {
        if (next_ != 0 || w.size() != 2 || (w[1] != "actual" && w[1] != "standard"))
            return translate("Ahu", "空調機の行が壊れています");
        unit_.basis = w[1] == "standard" ? design::AirBasis::Standard : design::AirBasis::Actual;
        next_ = 1;
        return {};
    }
    if (next_ == 0 || next_ >= kLineCount) return translate("Ahu", "空調機の行の順序が違います");
    const int season = (next_ - 1) / kKindCount, kind = (next_ - 1) % kKindCount;
    if (w[0] != kKinds[kind].word) return translate("Ahu", "空調機の行の順序が違います");
    if (!takeSeasonLine(kind, season, w, season == 0 ? unit_.summer : unit_.winter))
        return translate("Ahu", kKinds[kind].damaged);
    ++next_;
    return {};
}

std::string UnitReader::finish() const {
    if (next_ != 0 && next_ != kLineCount) return translate("Ahu", "空調機の行が途中で終わっています");
    return {};
}

}  // namespace humidraw::ahu
