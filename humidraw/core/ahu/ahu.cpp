#include "ahu/ahu.h"

#include <cmath>
#include <cstdio>

#include "lang/language.h"
#include "moistek_internal/air_constants.h"

namespace humidraw::ahu {

using design::AirProperties;
using design::Design;
using design::Process;
using design::ProcessKind;

std::string_view partName(Part p) {
    switch (p) {
        case Part::Recovery: return "recovery";
        case Part::Mixing: return "mixing";
        case Part::Preheat: return "preheat";
        case Part::Coil: return "coil";
        case Part::Reheat: return "reheat";
        case Part::Humidifier: return "humidifier";
        case Part::Fan: return "fan";
    }
    return "";
}

const NamedState* SeasonResult::find(std::string_view name) const {
    for (const NamedState& s : states)
        if (s.name == name) return &s;
    return nullptr;
}

const Component* SeasonResult::component(Part p) const {
    for (const Component& c : components)
        if (c.kind == p) return &c;
    return nullptr;
}

namespace {

std::string number(double v, int decimals) {
    char b[64];
    std::snprintf(b, sizeof b, "%.*f", decimals, v);
    return b;
}

Failure invalid(const std::string& why) {
    return failure(Reason::Invalid, why);
}

bool finite(std::initializer_list<double> vs) {
    for (double v : vs)
        if (!std::isfinite(v)) return false;
    return true;
}

// The heat a kilogram of dry air at x takes per kelvin, kcal/(kg·K).
double humidHeat(double x) {
    return kDryAirSpecificHeat + kVapourSpecificHeat * x;
}

class SeasonComputer {
  public:
    SeasonComputer(const MoistAir& air, const Season& s, design::AirBasis basis, bool summer,
                   std::vector<std::string>& warnings)
        : air_(air), s_(s), basis_(basis), prefix_(summer ? "S:" : "W:"),
          season_(summer ? translate("Ahu", "夏") : translate("Ahu", "冬")), warnings_(warnings) {}

    Result<SeasonResult> run() {
        part_ = translate("Ahu", "室内");
        const auto ra = design::stateFrom(air_, s_.room1, s_.room2);
        if (!ra) return fail(ra.failure());
        part_ = translate("Ahu", "外気");
        const auto oa = design::stateFrom(air_, s_.outdoor1, s_.outdoor2);
        if (!oa) return fail(oa.failure());
        part_ = translate("Ahu", "給気");
        const auto sa = supply(*ra);
        if (!sa) return fail(sa.failure());
        supply_ = *sa;
        // Without mixing the unit takes all its supply from outdoors.
        r_.outdoorG = r_.supplyG;
        if (s_.mixing.on) {
            part_ = translate("Ahu", "外気");
            const auto gOA = outdoorFlow(*oa);
            if (!gOA) return fail(gOA.failure());
            r_.outdoorG = *gOA;
        }

        r_.states.push_back({prefix_ + "OA", *oa});
        const Status chain = components(*ra);
        if (!chain) return fail(chain.failure());
        const AirProperties& last = r_.states.back().air;
        if (std::abs(last.DB - supply_.DB) > 0.05 || std::abs(last.x - supply_.x) > 5e-5)
            warn(translate("Ahu", "給気"),
                 withArguments(translate("Ahu", "装置の出口が給気の状態に届きません（乾球温度 %1 °C、絶対湿度 %2 kg/kg(DA)、給気は %3 °C、%4 kg/kg(DA)）"),
                               {number(last.DB, 2), number(last.x, 5), number(supply_.DB, 2),
                                number(supply_.x, 5)}));
        r_.states.push_back({prefix_ + "SA", supply_});
        r_.states.push_back({prefix_ + "RA", *ra});
        for (const Component& c : r_.components) {
            if (c.kind == Part::Recovery || c.kind == Part::Mixing) continue;
            r_.sum.total += c.total, r_.sum.sensible += c.sensible;
            r_.sum.latent += c.latent, r_.sum.water += c.water;
        }
        r_.computed = true;
        return std::move(r_);
    }

  private:
    Failure fail(const Failure& f) const {
        return named(withArguments(translate("Ahu", "%1・%2"), {season_, part_}), f);
    }

    void warn(const std::string& part, const std::string& what) {
        warnings_.push_back(withArguments(translate("Ahu", "%1・%2"), {season_, part}) + ": " + what);
    }

    double massFlow(double flow, const AirProperties& at) const {
        return basis_ == design::AirBasis::Standard ? flow * design::kStandardAirDensity : flow / at.SV;
    }

    // The supply state from the room's loads, by the design layer's supply process; a supply
    // given by its temperature difference first gives the flow that makes that difference.
    Result<AirProperties> supply(const AirProperties& ra) {
        if (!finite({s_.sensibleLoad, s_.latentLoad}))
            return invalid(translate("Ahu", "負荷が数値ではありません"));
        double flow = s_.supplyFlow;
        if (s_.supplyBy == SupplyBy::TemperatureDifference) {
            const double d = s_.supplyDifference;
            if (!finite({d}) || d <= 0) return invalid(translate("Ahu", "吹出温度差は正の数です"));
            if (s_.sensibleLoad == 0)
                return invalid(translate("Ahu", "顕熱負荷が 0 では吹出温度差から給気量が決まりません"));
            // The supply is colder than the room by d when the room gains heat, warmer when it
            // loses it. With h = 0.24t + x(R0 + Cpv·t) and the supply's x = x_RA − ql/(G·L)
            // (L = R0 + Cpv·t_RA), qs = G·(0.24 + Cpv·x_SA)·Δt solves for G.
            const double dt = s_.sensibleLoad > 0 ? d : -d;
            const double L = kLatentHeat0 + kVapourSpecificHeat * ra.DB;
            const double G = (s_.sensibleLoad + kVapourSpecificHeat * dt * s_.latentLoad / L) /
                             (humidHeat(ra.x) * dt);
            if (!finite({G}) || G <= 0)
                return invalid(translate("Ahu", "吹出温度差と負荷から給気量が決まりません"));
            flow = basis_ == design::AirBasis::Standard ? G / design::kStandardAirDensity : G * ra.SV;
        }
        Design d;
        d.basis = basis_;
        d.points.push_back({"RA", s_.room1, s_.room2, {}});
        Process p;
        p.kind = ProcessKind::Supply;
        p.from = {"RA"};
        p.to = "SA";
        p.flows = {flow};
        p.sensibleLoad = s_.sensibleLoad;
        p.latentLoad = s_.latentLoad;
        d.processes.push_back(p);
        const design::DesignResult r = design::computeDesign(air_, d);
        if (!r.status) {
            // The design layer's message names its own process; the reason is what is told.
            const std::string& m = r.status.error();
            const size_t colon = m.rfind(": ");
            return invalid(colon == std::string::npos ? m : m.substr(colon + 2));
        }
        r_.supplyG = *r.processes[0].G;
        r_.supplyFlow = flow;
        return r.points[r.processes[0].to].air;
    }

    Result<double> outdoorFlow(const AirProperties& oa) {
        double flow = 0;
        if (s_.outdoorBy == OutdoorBy::Fraction) {
            const double f = s_.outdoorFraction;
            if (!finite({f}) || f <= 0 || f > 1)
                return invalid(translate("Ahu", "外気量の割合は 0 より大きく 1 以下です"));
            flow = f * r_.supplyFlow;
        } else {
            flow = s_.outdoorFlow;
            if (!finite({flow}) || flow <= 0) return invalid(translate("Ahu", "外気量は正の数です"));
        }
        const double G = massFlow(flow, oa);
        if (G > r_.supplyG * (1 + 1e-9))
            return invalid(translate("Ahu", "外気量が給気量を超えます"));
        return std::min(G, r_.supplyG);
    }

    const AirProperties& current() const { return r_.states.back().air; }

    // A component's leaving state and its loads as the design layer's processes carry them.
    void add(Part kind, const std::string& tag, double G, const AirProperties& out,
             std::optional<double> adp = {}, std::optional<double> bf = {}) {
        const AirProperties in = current();
        Component c;
        c.kind = kind;
        c.name = prefix_ + tag;
        c.G = G;
        c.total = G * (out.h - in.h);
        c.sensible = G * (air_.DBAH2EN(out.DB, in.x) - in.h);
        c.latent = c.total - c.sensible;
        c.water = G * (out.x - in.x);
        c.adp = adp, c.bf = bf;
        r_.components.push_back(c);
        r_.states.push_back({c.name, out});
    }

    Result<AirProperties> at(double DB, double x) const {
        const auto s = design::stateAt(air_, DB, x);
        if (!s) return invalid(translate("Ahu", "出口の状態がありません"));
        return *s;
    }

    // The fan's rise at a flow G through air of humidity x.
    double fanRise(double G, double x) const {
        if (!s_.fan.on) return 0;
        if (s_.fan.mode == FanMode::Rise) return s_.fan.rise;
        return s_.fan.powerKW * kKcalHPerKW / (G * humidHeat(x));
    }

    Status components(const AirProperties& ra) {
        const double G = r_.supplyG;
        if (s_.recovery.on) {
            part_ = translate("Ahu", "熱交換器");
            const Status st = recovery(ra);
            if (!st) return st;
        }
        if (s_.mixing.on) {
            part_ = translate("Ahu", "混合");
            const AirProperties in = current();
            const double gRA = G - r_.outdoorG;
            const double h = (r_.outdoorG * in.h + gRA * ra.h) / G;
            const double x = (r_.outdoorG * in.x + gRA * ra.x) / G;
            const auto out = design::stateFrom(air_, {Property::H, h}, {Property::X, x});
            if (!out) return invalid(translate("Ahu", "混合した状態が飽和を超えます"));
            Component c;
            c.kind = Part::Mixing;
            c.name = prefix_ + "MA";
            c.G = G;
            r_.components.push_back(c);
            r_.states.push_back({c.name, *out});
        }
        if (s_.preheat.on) {
            part_ = translate("Ahu", "予熱コイル");
            const auto st = heater(Part::Preheat, "PH", s_.preheat.DB);
            if (!st) return st;
        }
        if (s_.coil.on) {
            part_ = translate("Ahu", "冷却コイル");
            const Status st = coil();
            if (!st) return st;
        }
        if (s_.fan.on) {
            part_ = translate("Ahu", "送風機");
            if (!finite({s_.fan.rise, s_.fan.powerKW}) || s_.fan.rise < 0 || s_.fan.powerKW < 0)
                return invalid(translate("Ahu", "温度上昇と動力は 0 以上の数です"));
        }
        if (s_.reheat.on) {
            part_ = translate("Ahu", "再熱コイル");
            const Status st = reheat();
            if (!st) return st;
        }
        if (s_.humidifier.on) {
            part_ = translate("Ahu", "加湿器");
            const Status st = humidifier();
            if (!st) return st;
        }
        if (s_.fan.on) {
            part_ = translate("Ahu", "送風機");
            const AirProperties in = current();
            const auto out = at(in.DB + fanRise(G, in.x), in.x);
            if (!out) return out.failure();
            add(Part::Fan, "FN", G, *out);
        }
        return {};
    }

    Status recovery(const AirProperties& ra) {
        const HeatRecovery& hx = s_.recovery;
        const double et = hx.temperatureEffectiveness, eh = hx.enthalpyEffectiveness;
        if (!finite({et, eh}) || et < 0 || et > 1 || (hx.kind == RecoveryKind::Total && (eh < 0 || eh > 1)))
            return invalid(translate("Ahu", "効率は 0 から 1 です"));
        const AirProperties in = current();
        const double DB = in.DB + et * (ra.DB - in.DB);
        Result<AirProperties> out = invalid("");
        if (hx.kind == RecoveryKind::Sensible) {
            out = design::stateAt(air_, DB, in.x);
        } else {
            const double h = in.h + eh * (ra.h - in.h);
            out = design::stateFrom(air_, {Property::DB, DB}, {Property::H, h});
            if (!out) {
                // More water than the air holds at that DB: it condenses, the air leaves saturated
                // at the enthalpy.
                out = design::stateFrom(air_, {Property::H, h}, {Property::RH, 100});
                if (out)
                    warn(part_, translate("Ahu", "出口が飽和を超えるため、飽和した状態としました"));
            }
        }
        if (!out) return invalid(translate("Ahu", "出口の状態がありません"));
        add(Part::Recovery, "HX", r_.outdoorG, *out);
        return {};
    }

    Status heater(Part kind, const char* tag, double DB) {
        if (!finite({DB})) return invalid(translate("Ahu", "値が数値ではありません"));
        const AirProperties in = current();
        double target = DB;
        if (target < in.DB) {
            warn(part_, withArguments(translate("Ahu", "目標の乾球温度 %1 °C が入口の %2 °C より低く、加熱しません"),
                                      {number(DB, 2), number(in.DB, 2)}));
            target = in.DB;
        }
        const auto out = at(target, in.x);
        if (!out) return out.failure();
        add(kind, tag, r_.supplyG, *out);
        return {};
    }

    // What the humidifier must deliver: the supply state less the fan's rise.
    double beforeFanDB() const { return supply_.DB - fanRise(r_.supplyG, supply_.x); }

    Status reheat() {
        double DB = beforeFanDB();
        if (s_.humidifier.on && s_.humidifier.kind != HumidifierKind::Steam) {
            // The humidifier after it follows a wet-bulb line: heat to that line at this x.
            const double wb = air_.DBAH2WB(DB, supply_.x);
            const auto onLine = design::stateFrom(air_, {Property::WB, wb}, {Property::X, current().x});
            if (onLine) DB = onLine->DB;
        }
        return heater(Part::Reheat, "RH", DB);
    }

    // The saturated state with the given property, when a target lies past saturation.
    Result<AirProperties> saturated(Given g) {
        const auto s = design::stateFrom(air_, g, {Property::RH, 100});
        if (!s) return invalid(translate("Ahu", "出口の状態がありません"));
        warn(part_, translate("Ahu", "給気の絶対湿度では飽和を超えるため、飽和した状態としました"));
        return *s;
    }

    Status humidifier() {
        const Humidifier& hu = s_.humidifier;
        const AirProperties in = current();
        const double x = std::max(supply_.x, in.x);
        Result<AirProperties> out = invalid("");
        if (hu.kind == HumidifierKind::Steam) {
            out = design::stateFrom(air_, {Property::DB, in.DB}, {Property::X, x});
            if (!out) out = saturated({Property::DB, in.DB});
        } else {
            if (hu.kind == HumidifierKind::Vaporising &&
                (!finite({hu.efficiency}) || hu.efficiency <= 0 || hu.efficiency > 1))
                return invalid(translate("Ahu", "飽和効率は 0 より大きく 1 以下です"));
            out = design::stateFrom(air_, {Property::WB, in.WB}, {Property::X, x});
            if (!out) out = saturated({Property::WB, in.WB});
            if (out && hu.kind == HumidifierKind::Vaporising) {
                const double least = in.DB - hu.efficiency * (in.DB - in.WB);
                if (out->DB < least - 1e-9) {
                    warn(part_, withArguments(translate("Ahu", "飽和効率 %1 では給気の絶対湿度まで加湿できません"),
                                              {number(hu.efficiency, 2)}));
                    out = design::stateFrom(air_, {Property::DB, least}, {Property::WB, in.WB});
                }
            }
        }
        if (!out) return invalid(translate("Ahu", "出口の状態がありません"));
        add(Part::Humidifier, "HU", r_.supplyG, *out);
        return {};
    }

    // The coil by the design layer's coil process from the current state, or its reason.
    Result<design::DesignResult> designCoil(Process p) {
        const AirProperties in = current();
        Design d;
        d.points.push_back({"in", {Property::DB, in.DB}, {Property::X, in.x}, {}});
        p.kind = ProcessKind::Coil;
        p.from = {"in"};
        p.to = "out";
        d.processes.push_back(p);
        design::DesignResult r = design::computeDesign(air_, d);
        if (!r.status) {
            const std::string& m = r.status.error();
            const size_t colon = m.rfind(": ");
            return invalid(colon == std::string::npos ? m : m.substr(colon + 2));
        }
        return r;
    }

    Status coil() {
        const CoolingCoil& cc = s_.coil;
        const AirProperties in = current();
        const double G = r_.supplyG;
        if (cc.mode == CoilMode::AdpBf) {
            if (!finite({cc.adp, cc.bf}) || cc.bf < 0 || cc.bf >= 1)
                return invalid(translate("Ahu", "バイパスファクタは 0 以上 1 未満です"));
            const auto sat = design::stateFrom(air_, {Property::DB, cc.adp}, {Property::RH, 100});
            if (!sat) return invalid(translate("Ahu", "装置露点の飽和状態がありません"));
            if (cc.adp >= in.DB)
                return invalid(translate("Ahu", "装置露点が入口の乾球温度以上で、冷却しません"));
            if (sat->x >= in.x) {
                // A dry coil: the surface stays above the air's dew point, the air cools at its x.
                warn(part_, translate("Ahu", "装置露点が入口の露点以上のため除湿せず、顕熱だけの冷却としました"));
                const auto out = at(cc.adp + cc.bf * (in.DB - cc.adp), in.x);
                if (!out) return out.failure();
                add(Part::Coil, "CC", G, *out, cc.adp, cc.bf);
                return {};
            }
            Process p;
            p.adp = cc.adp, p.bf = cc.bf;
            const auto r = designCoil(p);
            if (!r) return r.failure();
            add(Part::Coil, "CC", G, r->points[1].air, r->processes[0].adp, r->processes[0].bf);
            return {};
        }
        Given a = cc.first, b = cc.second;
        if (cc.mode == CoilMode::DbAtRh) a = {Property::DB, cc.DB}, b = {Property::RH, cc.RH};
        const auto target = design::stateFrom(air_, a, b);
        if (!target) return target.failure();
        if (target->h > in.h) {
            warn(part_, translate("Ahu", "出口のエンタルピーが入口より高く、冷却しません"));
            add(Part::Coil, "CC", G, in);
            return {};
        }
        if (target->x > in.x) {
            // The air is drier than the target: the coil cools it dry to the target's DB.
            warn(part_, translate("Ahu", "入口の絶対湿度が出口の目標より低いため除湿せず、出口の乾球温度まで顕熱だけの冷却としました"));
            const auto out = at(std::min(target->DB, in.DB), in.x);
            if (!out) return out.failure();
            add(Part::Coil, "CC", G, *out);
            return {};
        }
        Process p;
        p.leaving = {a, b};
        const auto r = designCoil(p);
        if (!r) return r.failure();
        const design::ProcessFigures& f = r->processes[0];
        const AirProperties& out = r->points[1].air;
        const bool belowAdp = !f.adpMet || !f.adp || (f.bf && *f.bf < 0) || out.DB < *f.adp - 1e-9;
        if (belowAdp && target->RH < 100 - 1e-9)
            warn(part_, translate("Ahu", "出口が装置露点より下になり、冷却コイルでは届きません（入口と出口を結ぶ線が飽和線と交わりません）"));
        add(Part::Coil, "CC", G, out, f.adpMet ? f.adp : std::nullopt, f.adpMet ? f.bf : std::nullopt);
        return {};
    }

    const MoistAir& air_;
    const Season& s_;
    design::AirBasis basis_;
    std::string prefix_, season_, part_;
    std::vector<std::string>& warnings_;
    SeasonResult r_;
    AirProperties supply_;
};

}  // namespace

UnitResult computeUnit(const MoistAir& air, const Unit& unit) {
    UnitResult r;
    for (bool summer : {true, false}) {
        const Season& s = summer ? unit.summer : unit.winter;
        if (!s.on) continue;
        auto season = SeasonComputer(air, s, unit.basis, summer, r.warnings).run();
        if (!season) {
            r.status = season.failure();
            return r;
        }
        (summer ? r.summer : r.winter) = std::move(*season);
    }
    return r;
}

bool unitName(std::string_view name) {
    return name.size() > 2 && (name.substr(0, 2) == "S:" || name.substr(0, 2) == "W:");
}

design::Design unitDesign(const Unit& unit, const UnitResult& result) {
    Design d;
    d.basis = unit.basis;
    const auto line = [&](const std::string& a, const std::string& b) {
        Process p;
        p.kind = ProcessKind::Line;
        p.from = {a};
        p.to = b;
        d.processes.push_back(p);
    };
    for (const SeasonResult* s : {&result.summer, &result.winter}) {
        if (!s->computed) continue;
        for (const NamedState& st : s->states)
            d.points.push_back({st.name, {Property::DB, st.air.DB}, {Property::X, st.air.x}, {}});
        // The states run OA … SA, RA: each line leads on to the next; the supply to the room.
        const size_t n = s->states.size();
        const std::string& ra = s->states[n - 1].name;
        for (size_t i = 0; i + 2 < n; ++i) {
            line(s->states[i].name, s->states[i + 1].name);
            const Component* mix = s->component(Part::Mixing);
            if (mix && s->states[i + 1].name == mix->name) line(ra, mix->name);
        }
        line(s->states[n - 2].name, ra);
    }
    return d;
}

void replaceUnitDrawing(design::Design& d, const design::Design& drawing) {
    std::erase_if(d.points, [](const design::Point& p) { return unitName(p.name); });
    std::erase_if(d.processes, [](const Process& p) {
        if (unitName(p.to)) return true;
        for (const std::string& f : p.from)
            if (unitName(f)) return true;
        return false;
    });
    d.points.insert(d.points.end(), drawing.points.begin(), drawing.points.end());
    d.processes.insert(d.processes.end(), drawing.processes.begin(), drawing.processes.end());
}

}  // namespace humidraw::ahu
