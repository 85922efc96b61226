#include "design/design_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

#include "lang/language.h"
#include "text/number_format.h"

namespace humidraw::design {

namespace {

std::string number(double v) {
    return formatShortest(v);
}

std::optional<double> numberOf(std::string_view s) {
    return parseShortest(s);
}

std::optional<int> indexOf(std::string_view s, int most) {
    int v = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || r.ec != std::errc() || r.ptr != s.data() + s.size() || v < 0 || v > most)
        return std::nullopt;
    return v;
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

std::string look(const Look& l) {
    return std::to_string(l.colour) + " " + std::to_string(l.width) + " " + std::to_string(l.style);
}

std::optional<Look> lookOf(std::string_view c, std::string_view w, std::string_view s) {
    const auto colour = indexOf(c, 13), width = indexOf(w, 4), style = indexOf(s, 4);
    if (!colour || !width || !style) return std::nullopt;
    return Look{*colour, *width, *style};
}

std::string given(const Given& g) {
    return std::string(propertyName(g.kind)) + " " + number(g.value);
}

std::optional<Given> givenOf(std::string_view k, std::string_view v) {
    const auto kind = parseProperty(k);
    const auto value = numberOf(v);
    if (!kind || !value || k == "AH" || k == "EN") return std::nullopt;
    return Given{*kind, *value};
}

struct Param {
    const char* name;
    std::optional<double> Process::*field;
};
constexpr Param kParams[] = {
    {"load", &Process::load},         {"adp", &Process::adp},
    {"bf", &Process::bf},             {"efficiency", &Process::efficiency},
    {"shf", &Process::shf},           {"sensible", &Process::sensibleLoad},
    {"latent", &Process::latentLoad},
};

}  // namespace

std::string designText(const Design& d) {
    // A design with nothing in it yet still keeps a basis other than the default.
    if (d.empty() && d.basis == AirBasis::Actual) return {};
    std::string out = std::string("design ") +
                      (d.basis == AirBasis::Standard ? "standard" : "actual") + "\n";
    for (const Point& p : d.points)
        out += "point " + given(p.first) + " " + given(p.second) + " " + look(p.look) + "\nname " +
               p.name + "\n";
    for (const Process& p : d.processes) {
        out += "process " + std::string(processKindName(p.kind)) + " " + look(p.look) +
               (p.loadLabel ? " 1\n" : " 0\n");
        for (const std::string& f : p.from) out += "from " + f + "\n";
        if (!p.to.empty()) out += "to " + p.to + "\n";
        for (double f : p.flows) out += "flow " + number(f) + "\n";
        for (const Given& g : p.leaving) out += "leaving " + given(g) + "\n";
        for (const Param& q : kParams)
            if (p.*q.field) out += std::string("param ") + q.name + " " + number(*(p.*q.field)) + "\n";
    }
    return out;
}

bool DesignReader::takes(std::string_view w) {
    return w == "design" || w == "point" || w == "process" || w == "from" || w == "to" ||
           w == "flow" || w == "leaving" || w == "param";
}

std::string DesignReader::take(std::string_view line) {
    if (wantName_) {
        wantName_ = false;
        if (line.substr(0, 5) != "name ") return translate("Design", "状態点に名前がありません");
        const std::string name(line.substr(5));
        if (!validPointName(name)) return translate("Design", "状態点の名前が壊れています");
        design_.points.back().name = name;
        return {};
    }
    const auto w = words(line);
    if (w[0] == "design") {
        if (basisRead_ || w.size() != 2 || (w[1] != "actual" && w[1] != "standard"))
            return translate("Design", "設計の行が壊れています");
        basisRead_ = true;
        design_.basis = w[1] == "standard" ? AirBasis::Standard : AirBasis::Actual;
        return {};
    }
    if (!basisRead_) return translate("Design", "設計の行の前に状態点や状態変化があります");
    if (w[0] == "point") {
        if (design_.points.size() >= kMostPoints) return translate("Design", "状態点が多すぎます");
        if (w.size() != 8) return translate("Design", "状態点の行が壊れています");
        const auto a = givenOf(w[1], w[2]), b = givenOf(w[3], w[4]);
        const auto l = lookOf(w[5], w[6], w[7]);
        if (!a || !b || !l) return translate("Design", "状態点の行が壊れています");
        design_.points.push_back({"", *a, *b, *l});
        wantName_ = true;
        return {};
    }
    if (w[0] == "process") {
        if (design_.processes.size() >= kMostProcesses) return translate("Design", "状態変化が多すぎます");
        const auto kind = w.size() == 6 ? parseProcessKind(w[1]) : std::nullopt;
        const auto l = w.size() == 6 ? lookOf(w[2], w[3], w[4]) : std::nullopt;
        if (!kind || !l || (w[5] != "0" && w[5] != "1")) return translate("Design", "状態変化の行が壊れています");
        Process p;
        p.kind = *kind;
        p.look = *l;
        p.loadLabel = w[5] == "1";
        design_.processes.push_back(std::move(p));
        return {};
    }
    if (design_.processes.empty()) return translate("Design", "状態変化の前にその値があります");
    Process& p = design_.processes.back();
    const std::string rest = line.find(' ') == std::string_view::npos
                                 ? std::string()
                                 : std::string(line.substr(line.find(' ') + 1));
    if (w[0] == "from") {
        if (p.from.size() >= kMostStreams || !validPointName(rest)) return translate("Design", "入口の行が壊れています");
        p.from.push_back(rest);
    } else if (w[0] == "to") {
        if (!p.to.empty() || !validPointName(rest)) return translate("Design", "出口の行が壊れています");
        p.to = rest;
    } else if (w[0] == "flow") {
        const auto v = w.size() == 2 ? numberOf(w[1]) : std::nullopt;
        if (!v || p.flows.size() >= kMostStreams) return translate("Design", "風量の行が壊れています");
        p.flows.push_back(*v);
    } else if (w[0] == "leaving") {
        const auto g = w.size() == 3 ? givenOf(w[1], w[2]) : std::nullopt;
        if (!g || p.leaving.size() >= 2) return translate("Design", "出口の状態の行が壊れています");
        p.leaving.push_back(*g);
    } else if (w[0] == "param") {
        const auto v = w.size() == 3 ? numberOf(w[2]) : std::nullopt;
        for (const Param& q : kParams) {
            if (w.size() == 3 && w[1] == q.name && v && !(p.*q.field)) {
                p.*q.field = *v;
                return {};
            }
        }
        return translate("Design", "状態変化の値の行が壊れています");
    } else {
        return translate("Design", "知らない行です");
    }
    return {};
}

std::string DesignReader::finish() {
    if (wantName_) return translate("Design", "状態点に名前がありません");
    return {};
}

}  // namespace humidraw::design
