// The heat balance of a clothed body in the steady state (Fanger), in W per m² of body surface:
// what the body makes, less the work it does, against what it loses through the skin by
// diffusion and sweating, by breathing, and from the clothing by radiation and convection. The
// PMV is that imbalance weighed by how much it is felt at the metabolic rate.
#include "comfort/comfort.h"

#include <algorithm>
#include <cmath>

#include "lang/language.h"
#include "text/number_format.h"

namespace humidraw::comfort {

namespace {

constexpr double kWattsPerMet = 58.15;      // W/m²
constexpr double kM2KPerWattClo = 0.155;    // m²·K/W
constexpr double kKelvinAtZero = 273;       // the heat balance's own rounding of 273.15
constexpr double kRadiation = 3.96e-8;      // σ·ε·(effective radiating share of the body), W/(m²·K⁴)
// The clothing's surface temperature is iterated in units of 100 K until two rounds agree this
// closely; a state that does not settle within kMaxRounds has no PMV.
constexpr double kSurfaceTolerance = 0.00015;
constexpr int kMaxRounds = 150;

bool finite(double v) { return std::isfinite(v); }

}  // namespace

std::string inputsProblem(const ComfortInputs& in) {
    if (!finite(in.met) || !(in.met > 0))
        return translate("Comfort", "代謝量は正の数です");
    if (!finite(in.clo) || in.clo < 0)
        return translate("Comfort", "着衣量は 0 以上の数です");
    if (!finite(in.airSpeed) || in.airSpeed < 0)
        return translate("Comfort", "気流速度は 0 以上の数です");
    if (!finite(in.mrtOffset))
        return translate("Comfort", "平均放射温度の差は数です");
    if (!finite(in.externalWork) || in.externalWork < 0 || in.externalWork > in.met)
        return translate("Comfort", "外部仕事は 0 以上、代謝量以下の数です");
    return {};
}

std::string pmvReadout(const MoistAir& air, double DB, double x,
                       const std::vector<ComfortInputs>& each) {
    if (each.empty()) return {};
    std::string pmvs, ppds;
    for (size_t i = 0; i < each.size(); ++i) {
        const PmvResult r = pmvAt(air, DB, x, each[i]);
        const std::string sep = i ? "/" : "";
        if (!r.ok) {
            pmvs += sep + "—";
            ppds += sep + "—";
            continue;
        }
        const std::string p = formatFixed(r.pmv, 2);
        pmvs += sep + (p[0] != '-' && p != "0.00" ? "+" : "") + p;
        ppds += sep + formatFixed(r.ppd, 1);
    }
    return " PMV:" + pmvs + " PPD:" + ppds;
}

double ppd(double pmv) {
    const double p2 = pmv * pmv;
    return 100 - 95 * std::exp(-0.03353 * p2 * p2 - 0.2179 * p2);
}

PmvResult pmv(double DB_C, double vapourPressurePa, const ComfortInputs& in) {
    PmvResult r;
    if (!inputsProblem(in).empty()) return r;
    const double ta = DB_C, pa = vapourPressurePa;
    if (!finite(ta) || !finite(pa) || pa < 0) return r;
    // Below absolute zero neither air nor radiant temperature means anything.
    const double tr = ta + in.mrtOffset;
    if (ta <= -kKelvinAtZero || tr <= -kKelvinAtZero) return r;

    const double M = in.met * kWattsPerMet;
    const double MW = M - in.externalWork * kWattsPerMet;  // the heat the body must lose
    const double Icl = in.clo * kM2KPerWattClo;
    // The clothed body's surface over the naked body's.
    const double fcl = Icl <= 0.078 ? 1 + 1.29 * Icl : 1.05 + 0.645 * Icl;
    const double hcForced = 12.1 * std::sqrt(in.airSpeed);
    const double Tr4 = std::pow(tr + kKelvinAtZero, 4);

    // tcl = 35.7 − 0.028·(M−W) − Icl·{3.96·10⁻⁸·fcl·[(tcl+273)⁴ − (tr+273)⁴] + fcl·hc·(tcl − ta)}:
    // each round takes the radiation and hc at the last estimate, solves the rest (linear in
    // tcl) and moves halfway there, which keeps the rounds from swinging.
    const double core = 35.7 - 0.028 * MW;
    auto hcAt = [&](double tcl) {
        return std::max(2.38 * std::pow(std::fabs(tcl - ta), 0.25), hcForced);
    };
    double tcl = ta + (35.5 - ta) / (3.5 * Icl + 0.1);  // a first guess between air and skin
    bool settled = false;
    for (int round = 0; round < kMaxRounds; ++round) {
        const double hc = hcAt(tcl);
        const double radiation = kRadiation * fcl * (std::pow(tcl + kKelvinAtZero, 4) - Tr4);
        const double next = (core + Icl * fcl * hc * ta - Icl * radiation) / (1 + Icl * fcl * hc);
        if (!finite(next)) return r;
        if (std::fabs(next - tcl) / 100 < kSurfaceTolerance) {
            tcl = next;
            settled = true;
            break;
        }
        tcl = (tcl + next) / 2;
    }
    if (!settled) return r;
    const double hc = hcAt(tcl);

    const double skinDiffusion = 3.05e-3 * (5733 - 6.99 * MW - pa);
    // Sweating for comfort only above the resting rate; no sweat is no loss, never a gain.
    const double sweating = MW > kWattsPerMet ? 0.42 * (MW - kWattsPerMet) : 0.0;
    const double latentBreathing = 1.7e-5 * M * (5867 - pa);
    const double dryBreathing = 0.0014 * M * (34 - ta);
    const double radiation = kRadiation * fcl * (std::pow(tcl + kKelvinAtZero, 4) - Tr4);
    const double convection = fcl * hc * (tcl - ta);
    const double load = MW - skinDiffusion - sweating - latentBreathing - dryBreathing - radiation -
                        convection;
    const double vote = (0.303 * std::exp(-0.036 * M) + 0.028) * load;
    if (!finite(vote)) return r;
    r.pmv = vote;
    r.ppd = ppd(vote);
    r.ok = true;
    return r;
}

PmvResult pmvAt(const MoistAir& air, double DB, double x, const ComfortInputs& in) {
    if (!finite(x) || x < 0) return {};
    double PA = air.pressureMmHg(), AH = x, PW = 0;
    if (air.library().F_PAAH2PW(PA, AH, PW) < 0 || !finite(PW)) return {};
    return pmv(DB, PW * kKPaPerMmHg * 1000, in);
}

namespace {

// The point in [a, b] where `below` turns from true (at a) to false (at b), to within the
// boundary tolerance; none when it cannot be told at some point between.
template <typename Below>
std::optional<double> turning(double a, double b, Below below) {
    while (b - a > kBoundaryToleranceK) {
        const double mid = (a + b) / 2;
        const std::optional<bool> m = below(mid);
        if (!m) return std::nullopt;
        (*m ? a : b) = mid;
    }
    return (a + b) / 2;
}

// Whether the PMV at a dry bulb on the line of x is below `limit`; none where it cannot be
// computed. The PMV rises with the dry bulb, so the edge at `limit` is where this turns.
auto pmvBelow(const MoistAir& air, const ComfortInputs& in, double x, double limit) {
    return [&air, &in, x, limit](double DB) -> std::optional<bool> {
        const PmvResult r = pmvAt(air, DB, x, in);
        if (!r.ok) return std::nullopt;
        return r.pmv < limit;
    };
}

// The dry bulb between kBoundaryMinDB and kBoundaryMaxDB where the PMV at x is `target`, by
// halving; none when the PMV at the ends does not straddle it or cannot be computed.
std::optional<double> dryBulbAt(const MoistAir& air, const ComfortInputs& in, double x,
                                double target) {
    if (!finite(target)) return std::nullopt;
    const double lo = kBoundaryMinDB, hi = kBoundaryMaxDB;
    const PmvResult atLo = pmvAt(air, lo, x, in), atHi = pmvAt(air, hi, x, in);
    if (!atLo.ok || !atHi.ok || atLo.pmv > target || atHi.pmv < target) return std::nullopt;
    const auto DB = turning(lo, hi, pmvBelow(air, in, x, target));
    if (!DB) return std::nullopt;
    // Air cannot hold x below its dew point: that part of the line is off the chart.
    const double saturated = air.saturationRatio(*DB);
    if (!(saturated > 0) || x > saturated) return std::nullopt;
    return DB;
}

}  // namespace

std::vector<BoundaryPoint> comfortBoundary(const MoistAir& air, const ComfortInputs& in,
                                           double pmvLow, double pmvHigh, double maxX,
                                           std::vector<double> xs) {
    std::vector<BoundaryPoint> out;
    out.reserve(xs.size());
    for (const double x : xs) {
        BoundaryPoint p;
        p.x = x;
        if (finite(x) && x >= 0 && !(x > maxX)) {
            p.lowDB = dryBulbAt(air, in, x, pmvLow);
            p.highDB = dryBulbAt(air, in, x, pmvHigh);
        }
        out.push_back(p);
    }
    return out;
}

std::optional<ZoneRow> zoneRow(const MoistAir& air, const ComfortInputs& in, double pmvLow,
                               double pmvHigh, double x, double dbMin, double dbMax) {
    if (!finite(x) || x < 0 || !finite(dbMin) || !finite(dbMax) || !(dbMin <= dbMax) ||
        !finite(pmvLow) || !finite(pmvHigh) || pmvLow > pmvHigh)
        return std::nullopt;
    // The lowest dry bulb of the range where the air can hold x: the dew point, when above it.
    double start = dbMin;
    if (!(air.saturationRatio(dbMin) >= x)) {
        if (!(air.saturationRatio(dbMax) >= x)) return std::nullopt;
        const auto dew = turning(dbMin, dbMax, [&](double DB) -> std::optional<bool> {
            return air.saturationRatio(DB) < x;
        });
        if (!dew) return std::nullopt;
        // Just above the halving's last step, where the air certainly holds x.
        start = std::min(dbMax, *dew + kBoundaryToleranceK / 2);
    }
    const PmvResult atStart = pmvAt(air, start, x, in), atEnd = pmvAt(air, dbMax, x, in);
    if (!atStart.ok || !atEnd.ok || atStart.pmv > pmvHigh || atEnd.pmv < pmvLow)
        return std::nullopt;
    std::optional<double> high = dbMax, low = start;
    if (atEnd.pmv > pmvHigh) high = turning(start, dbMax, pmvBelow(air, in, x, pmvHigh));
    if (atStart.pmv < pmvLow && high) low = turning(start, *high, pmvBelow(air, in, x, pmvLow));
    if (!high || !low) return std::nullopt;
    return ZoneRow{*low, *high};
}

double adaptiveComfortTemperature(double prevailingMean) {
    return 0.31 * prevailingMean + 17.8;
}

double adaptiveHalfWidth(int acceptability) {
    return acceptability == 80 ? 3.5 : acceptability == 90 ? 2.5 : 0.0;
}

}  // namespace humidraw::comfort
