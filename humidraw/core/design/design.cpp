#include "design/design.h"

#include <cmath>

#include "lang/language.h"
#include "moistek_internal/air_constants.h"

namespace humidraw::design {

namespace {

constexpr const char* kKindNames[kProcessKindCount] = {"line",  "sensible", "coil",   "steam",
                                                        "spray", "mixing",   "supply", "shf"};

}  // namespace

std::string_view processKindName(ProcessKind k) {
    return kKindNames[static_cast<int>(k)];
}

std::optional<ProcessKind> parseProcessKind(std::string_view name) {
    for (int i = 0; i < kProcessKindCount; ++i)
        if (name == kKindNames[i]) return static_cast<ProcessKind>(i);
    return std::nullopt;
}

bool validPointName(std::string_view name) {
    if (name.empty() || name.size() > kMostNameBytes) return false;
    if (name.front() == ' ' || name.back() == ' ') return false;
    for (unsigned char c : name)
        if (c < 0x20 || c == 0x7F) return false;
    // Well-formed UTF-8: each lead byte followed by its continuation bytes.
    for (size_t i = 0; i < name.size();) {
        const unsigned char c = name[i];
        const int more = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        if (more < 0) return false;
        for (int k = 1; k <= more; ++k)
            if (i + k >= name.size() || (static_cast<unsigned char>(name[i + k]) >> 6) != 2)
                return false;
        i += more + 1;
    }
    return true;
}

int DesignResult::find(std::string_view name) const {
    for (size_t i = 0; i < points.size(); ++i)
        if (points[i].name == name) return static_cast<int>(i);
    return -1;
}

namespace {

Failure invalid(const std::string& why) {
    return failure(Reason::Invalid, why);
}

class Computer {
  public:
    Computer(const MoistAir& air, const Design& d) : air_(air), d_(d) {}

    DesignResult run() {
        for (size_t i = 0; i < d_.points.size(); ++i) {
            const Point& p = d_.points[i];
            const auto s = definedPoint(p);
            if (!s) {
                r_.status = named(withArguments(translate("Design", "状態点 %1"), {p.name}),
                                  s.failure());
                return std::move(r_);
            }
            r_.points.push_back({p.name, *s, static_cast<int>(i), -1});
        }
        for (size_t i = 0; i < d_.processes.size(); ++i) {
            const Process& p = d_.processes[i];
            index_ = static_cast<int>(i);
            const auto f = process(p);
            if (!f) {
                r_.status = named(withArguments(translate("Design", "状態変化 %1 (%2)"),
                                                {std::to_string(i + 1),
                                                 std::string(processKindName(p.kind))}),
                                  f.failure());
                r_.processes.resize(i);
                return std::move(r_);
            }
            r_.processes.push_back(*f);
        }
        return std::move(r_);
    }

  private:
    Result<AirProperties> definedPoint(const Point& p) {
        if (!validPointName(p.name))
            return invalid(translate("Design", "名前は 1〜64 バイトの、制御文字を含まない文字列です"));
        if (r_.find(p.name) >= 0) return invalid(translate("Design", "同じ名前の状態点がすでにあります"));
        return stateFrom(air_, p.first, p.second);
    }

    Result<int> point(const std::string& name) {
        const int i = r_.find(name);
        if (i < 0)
            return invalid(withArguments(translate("Design", "これより前に状態点 %1 がありません"),
                                         {name}));
        return i;
    }

    // The point a process makes, appended to the points.
    Result<int> made(const std::string& name, Result<AirProperties> s, const std::string& why) {
        if (!validPointName(name))
            return invalid(translate("Design", "出口の状態点の名前がないか、名前にできない文字列です"));
        if (r_.find(name) >= 0)
            return invalid(withArguments(translate("Design", "状態点 %1 はすでにあります"), {name}));
        if (!s) return invalid(why.empty() ? s.error() : why);
        r_.points.push_back({name, *s, -1, index_});
        return static_cast<int>(r_.points.size()) - 1;
    }

    const AirProperties& at(int i) const { return r_.points[i].air; }

    // The dry-air mass flow of a volume flow through a state, kg/h.
    Result<double> massFlow(double flow, const AirProperties& inlet) {
        if (!std::isfinite(flow) || flow <= 0)
            return invalid(translate("Design", "風量は正の数です"));
        return d_.basis == AirBasis::Standard ? flow * kStandardAirDensity : flow / inlet.SV;
    }

    // The process's one flow, when it has one.
    Result<std::optional<double>> oneFlow(const Process& p, const AirProperties& inlet) {
        if (p.flows.empty()) return std::optional<double>();
        if (p.flows.size() > 1) return invalid(translate("Design", "風量が二つ以上あります"));
        const auto G = massFlow(p.flows[0], inlet);
        if (!G) return G.failure();
        return std::optional<double>(*G);
    }

    // The loads of a flow G from `in` to `out`.
    void loads(ProcessFigures& f, double G, const AirProperties& in, const AirProperties& out) {
        f.G = G;
        f.total = G * (out.h - in.h);
        f.sensible = G * (air_.DBAH2EN(out.DB, in.x) - in.h);
        f.latent = *f.total - *f.sensible;
        if (*f.total != 0) f.shf = *f.sensible / *f.total;
        f.water = G * (out.x - in.x);
    }

    Result<ProcessFigures> process(const Process& p) {
        switch (p.kind) {
            case ProcessKind::Mixing: return mixing(p);
            case ProcessKind::Supply: return supply(p);
            case ProcessKind::Shf: return shfLine(p);
            default: break;
        }
        if (p.from.size() != 1) return invalid(translate("Design", "入口の状態点は一つです"));
        const auto in = point(p.from[0]);
        if (!in) return in.failure();
        const AirProperties inlet = at(*in);
        const auto G = oneFlow(p, inlet);
        if (!G) return G.failure();
        ProcessFigures f;
        f.from = {*in};
        Result<int> out = -1;
        switch (p.kind) {
            case ProcessKind::Line: out = point(p.to); break;
            case ProcessKind::Sensible: out = sensible(p, inlet, *G); break;
            case ProcessKind::Coil: out = coil(p, inlet, f); break;
            case ProcessKind::Steam: out = steam(p, inlet); break;
            default: out = spray(p, inlet); break;
        }
        if (!out) return out.failure();
        f.to = *out;
        if (*G) loads(f, **G, inlet, at(*out));
        return f;
    }

    std::optional<Given> leaving(const Process& p, std::initializer_list<Property> kinds) {
        if (p.leaving.size() != 1) return std::nullopt;
        for (Property k : kinds)
            if (p.leaving[0].kind == k) return p.leaving[0];
        return std::nullopt;
    }

    Result<int> sensible(const Process& p, const AirProperties& in, std::optional<double> G) {
        const auto db = leaving(p, {Property::DB});
        const std::string condense =
            translate("Design", "出口が露点より低くなります（結露するため、冷却コイルで表してください）");
        if (db && !p.load) return made(p.to, stateAt(air_, db->value, in.x), condense);
        if (p.load && p.leaving.empty()) {
            if (!G) return invalid(translate("Design", "負荷で与えるには風量が要ります"));
            if (!std::isfinite(*p.load)) return invalid(translate("Design", "負荷が数値ではありません"));
            return made(p.to, stateFrom(air_, {Property::H, in.h + *p.load / *G}, {Property::X, in.x}),
                        condense);
        }
        return invalid(translate("Design", "出口の乾球温度か負荷の一方を与えてください"));
    }

    Result<int> coil(const Process& p, const AirProperties& in, ProcessFigures& f) {
        const std::string beyond = translate("Design", "出口の状態がありません");
        if (p.adp || p.bf) {
            if (!p.adp || !p.bf || !p.leaving.empty())
                return invalid(translate("Design", "装置露点とバイパスファクタは二つとも与え、出口の状態とは別にしてください"));
            const double adp = *p.adp, bf = *p.bf;
            if (!std::isfinite(adp) || !std::isfinite(bf) || bf < 0 || bf >= 1)
                return invalid(translate("Design", "バイパスファクタは 0 以上 1 未満です"));
            const auto sat = stateFrom(air_, {Property::DB, adp}, {Property::RH, 100});
            if (!sat) return invalid(translate("Design", "装置露点の飽和状態がありません"));
            if (sat->x > in.x || adp >= in.DB)
                return invalid(translate("Design", "装置露点が入口の露点より高く、除湿しません"));
            const double h = sat->h + bf * (in.h - sat->h), x = sat->x + bf * (in.x - sat->x);
            f.adp = adp;
            f.bf = bf;
            return made(p.to, stateFrom(air_, {Property::H, h}, {Property::X, x}), beyond);
        }
        if (p.leaving.size() != 2)
            return invalid(translate("Design", "出口の状態を二つの量で、または装置露点とバイパスファクタで与えてください"));
        const auto out = stateFrom(air_, p.leaving[0], p.leaving[1]);
        if (out && (out->x > in.x || out->h > in.h))
            return invalid(translate("Design", "冷却コイルの出口は入口よりエンタルピーも絶対湿度も高くなれません"));
        const auto i = made(p.to, out, "");
        if (!i) return i;
        apparatusDewPoint(in, at(*i), f);
        return i;
    }

    // Where the straight h–x line from the inlet through the leaving state, extended past the
    // leaving state, meets saturation, and the bypassed share of that mixing.
    void apparatusDewPoint(const AirProperties& in, const AirProperties& out, ProcessFigures& f) {
        const double dh = out.h - in.h, dx = out.x - in.x;
        // Below zero: short of saturation; the dry bulb at the place, or none off the library.
        const auto excess = [&](double t, double& db) -> std::optional<double> {
            const double h = out.h + t * dh, x = out.x + t * dx;
            if (x <= 0) return std::nullopt;
            double xx = x, hh = h, d = 0;
            if (air_.library().F_ENAH2DB(hh, xx, d) != 1 || d < -50) return std::nullopt;
            const double xs = air_.saturationRatio(d);
            if (xs <= 0) return std::nullopt;
            db = d;
            return x - xs;
        };
        f.adpMet = false;
        if (dh == 0 && dx == 0) return;
        double lo = 0, hi = 0, dbLo = out.DB, dbHi = out.DB;
        const auto start = excess(0, dbLo);
        if (!start) return;
        if (*start < 0) {
            bool met = false;
            for (double t = 0.25; t < 1e6; t *= 2) {
                double db = 0;
                const auto e = excess(t, db);
                if (!e) return;
                if (*e >= 0) {
                    hi = t, dbHi = db, met = true;
                    break;
                }
                lo = t, dbLo = db;
            }
            if (!met) return;
            for (int n = 0; n < 200 && std::abs(dbHi - dbLo) > 1e-7; ++n) {
                const double mid = (lo + hi) / 2;
                double db = 0;
                const auto e = excess(mid, db);
                if (!e) return;
                (*e >= 0 ? hi : lo) = mid;
                (*e >= 0 ? dbHi : dbLo) = db;
            }
        }
        const double t = (lo + hi) / 2;
        const double hAdp = out.h + t * dh;
        f.adpMet = true;
        f.adp = (dbLo + dbHi) / 2;
        if (in.h != hAdp) f.bf = (out.h - hAdp) / (in.h - hAdp);
    }

    Result<int> steam(const Process& p, const AirProperties& in) {
        const auto g = leaving(p, {Property::X, Property::RH});
        if (!g || p.efficiency)
            return invalid(translate("Design", "出口の絶対湿度か相対湿度の一方を与えてください"));
        const auto out = stateFrom(air_, {Property::DB, in.DB}, *g);
        if (out && out->x < in.x)
            return invalid(translate("Design", "加湿で絶対湿度は下がりません"));
        return made(p.to, out, translate("Design", "出口が飽和を超えます"));
    }

    Result<int> spray(const Process& p, const AirProperties& in) {
        Result<AirProperties> out = invalid("");
        if (p.efficiency && p.leaving.empty()) {
            const double e = *p.efficiency;
            if (!std::isfinite(e) || e < 0 || e > 1)
                return invalid(translate("Design", "飽和効率は 0 から 1 です"));
            out = stateFrom(air_, {Property::DB, in.DB - e * (in.DB - in.WB)}, {Property::WB, in.WB});
        } else if (const auto g = leaving(p, {Property::X, Property::RH}); g && !p.efficiency) {
            out = stateFrom(air_, {Property::WB, in.WB}, *g);
        } else {
            return invalid(translate("Design", "出口の絶対湿度か相対湿度か飽和効率の一つを与えてください"));
        }
        if (out && out->x < in.x)
            return invalid(translate("Design", "加湿で絶対湿度は下がりません"));
        return made(p.to, out, translate("Design", "出口が飽和を超えます"));
    }

    Result<ProcessFigures> mixing(const Process& p) {
        if (p.from.size() < 2 || p.from.size() > kMostStreams)
            return invalid(translate("Design", "混合は 2〜16 の流れです"));
        if (p.flows.size() != p.from.size())
            return invalid(translate("Design", "流れごとに風量が一つ要ります"));
        ProcessFigures f;
        double G = 0, Gh = 0, Gx = 0;
        for (size_t i = 0; i < p.from.size(); ++i) {
            const auto s = point(p.from[i]);
            if (!s) return s.failure();
            const auto g = massFlow(p.flows[i], at(*s));
            if (!g) return g.failure();
            f.from.push_back(*s);
            G += *g, Gh += *g * at(*s).h, Gx += *g * at(*s).x;
        }
        const auto out = made(p.to, stateFrom(air_, {Property::H, Gh / G}, {Property::X, Gx / G}),
                              translate("Design", "混合した状態が飽和を超えます（霧になります）"));
        if (!out) return out.failure();
        f.to = *out;
        f.G = G;
        return f;
    }

    struct RoomLoads {
        int room;
        double qs, ql;
    };
    Result<RoomLoads> room(const Process& p, bool loadsNeeded) {
        if (p.from.size() != 1) return invalid(translate("Design", "室内の状態点は一つです"));
        const auto r = point(p.from[0]);
        if (!r) return r.failure();
        if (loadsNeeded && (!p.sensibleLoad || !p.latentLoad))
            return invalid(translate("Design", "室内の顕熱負荷と潜熱負荷を与えてください"));
        const double qs = p.sensibleLoad.value_or(0), ql = p.latentLoad.value_or(0);
        if (!std::isfinite(qs) || !std::isfinite(ql))
            return invalid(translate("Design", "負荷が数値ではありません"));
        return RoomLoads{*r, qs, ql};
    }

    Result<ProcessFigures> supply(const Process& p) {
        const auto r = room(p, true);
        if (!r) return r.failure();
        const AirProperties ra = at(r->room);
        if (p.flows.size() != 1) return invalid(translate("Design", "給気の風量が要ります"));
        const auto G = massFlow(p.flows[0], ra);
        if (!G) return G.failure();
        // The latent load takes up water at the latent heat of the room's dry bulb.
        const double x = ra.x - r->ql / (*G * (kLatentHeat0 + kVapourSpecificHeat * ra.DB));
        const double h = ra.h - (r->qs + r->ql) / *G;
        const auto out = made(p.to, stateFrom(air_, {Property::H, h}, {Property::X, x}),
                              translate("Design", "給気の状態がありません（風量が少なすぎます）"));
        if (!out) return out.failure();
        ProcessFigures f;
        f.from = {r->room};
        f.to = *out;
        f.G = *G;
        f.sensible = r->qs, f.latent = r->ql, f.total = r->qs + r->ql;
        if (*f.total != 0) f.shf = r->qs / *f.total;
        f.water = *G * (ra.x - at(*out).x);
        return f;
    }

    Result<ProcessFigures> shfLine(const Process& p) {
        const auto r = room(p, false);
        if (!r) return r.failure();
        double shf = 0;
        if (p.shf && !p.sensibleLoad && !p.latentLoad) {
            shf = *p.shf;
        } else if (!p.shf && p.sensibleLoad && p.latentLoad && r->qs + r->ql != 0) {
            shf = r->qs / (r->qs + r->ql);
        } else {
            return invalid(translate("Design", "顕熱比か、顕熱負荷と潜熱負荷を与えてください"));
        }
        if (!std::isfinite(shf)) return invalid(translate("Design", "顕熱比が数値ではありません"));
        ProcessFigures f;
        f.from = {r->room};
        f.shf = shf;
        if (p.sensibleLoad) f.sensible = r->qs, f.latent = r->ql, f.total = r->qs + r->ql;
        // As the protractor: a latent change of Δx takes (R0 + Cpv·DB)·Δx, and the whole change
        // is that over (1 − SHF).
        if (shf != 1) f.slope = (kLatentHeat0 + kVapourSpecificHeat * at(r->room).DB) / (1 - shf);
        return f;
    }

    const MoistAir& air_;
    const Design& d_;
    DesignResult r_;
    int index_ = 0;
};

}  // namespace

DesignResult computeDesign(const MoistAir& air, const Design& d) {
    return Computer(air, d).run();
}

}  // namespace humidraw::design
