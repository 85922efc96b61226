#include "coil/coil_report.h"

#include <algorithm>
#include <cmath>


namespace humidraw::coil {
namespace {

// The saturation curve is sampled at this dry-bulb step (K) for crossings of the coil line, each
// then narrowed by bisection; at most kMaxSamples samples over the chart's range.
constexpr double kSampleStep = 0.05;
constexpr int kMaxSamples = 20000;
constexpr int kBisections = 60;
// Humidity ratio in g/kg against enthalpy in kcal/kg: the two axes of the chart in like units,
// so that "beyond the outlet" is measured along the line as drawn.
constexpr double kGramsPerKg = 1000;

struct Saturated {
    double h = NAN, x = NAN;  // kcal/kg(DA), kg/kg(DA)
};

Saturated saturated(const MoistAir& air, double t) {
    Saturated s;
    s.x = air.saturationRatio(t);
    s.h = air.DBAH2EN(t, s.x);
    return s;
}

// The line through `a` with direction (dh, dx·1000): which side of it a point lies on, and how
// far along it the point's foot is (0 at `a`, 1 at the outlet).
struct CoilLine {
    double h0, x0, dh, dx;
    double side(const Saturated& p) const {
        return dh * (p.x - x0) * kGramsPerKg - dx * (p.h - h0);
    }
    double along(const Saturated& p) const {
        return (dh * (p.h - h0) + dx * (p.x - x0) * kGramsPerKg) / (dh * dh + dx * dx);
    }
};

// The crossing between two sampled temperatures whose sides differ in sign.
double bisect(const MoistAir& air, const CoilLine& line, double lo, double hi) {
    const double sideLo = line.side(saturated(air, lo));
    for (int i = 0; i < kBisections; ++i) {
        const double mid = (lo + hi) / 2;
        const double s = line.side(saturated(air, mid));
        if (!std::isfinite(s)) break;
        if ((s < 0) == (sideLo < 0))
            lo = mid;
        else
            hi = mid;
    }
    return (lo + hi) / 2;
}

}  // namespace

std::optional<double> apparatusDewPoint(const MoistAir& air, const AirState& inlet, const AirState& outlet, double dbMin,
                                        double dbMax) {
    const CoilLine line{inlet.h, inlet.x, outlet.h - inlet.h, (outlet.x - inlet.x) * kGramsPerKg};
    if (!(dbMax > dbMin) || !std::isfinite(dbMax - dbMin) || !std::isfinite(line.dh) ||
        !std::isfinite(line.dx) || (line.dh == 0 && line.dx == 0))
        return std::nullopt;
    const int samples = static_cast<int>(
        std::clamp(std::ceil((dbMax - dbMin) / kSampleStep), 1.0, double(kMaxSamples)));
    std::optional<double> best;
    double bestAlong = INFINITY;
    double tPrev = dbMin, sidePrev = line.side(saturated(air, dbMin));
    for (int i = 1; i <= samples; ++i) {
        const double t = dbMin + (dbMax - dbMin) * i / samples;
        const double s = line.side(saturated(air, t));
        if (std::isfinite(s) && std::isfinite(sidePrev) && (s == 0 || (s < 0) != (sidePrev < 0))) {
            const double root = s == 0 ? t : bisect(air, line, tPrev, t);
            const double a = line.along(saturated(air, root));
            // Beyond the outlet in the coil's direction; the nearest crossing there is the one
            // the line reaches first.
            if (a >= 1 && a < bestAlong) {
                bestAlong = a;
                best = root;
            }
        }
        tPrev = t;
        sidePrev = s;
    }
    return best;
}

namespace {

// The density of the supply air at the site, told beside the flows reckoned at kAirDensity when
// the chart is not at the standard atmosphere.
std::optional<double> siteDensity(const MoistAir& air, const AirState& supply) {
    if (air.standard() || !supply.exists) return std::nullopt;
    const double rho = air.density(supply.DB, supply.x);
    return rho > 0 && std::isfinite(rho) ? std::optional<double>(rho) : std::nullopt;
}

CoolingReport coolingReport(const MoistAir& air, const Season& c, double dbMin, double dbMax) {
    CoolingReport r;
    r.supplyVolume = c.flows.supplyVolume;
    r.outdoorVolume = c.flows.outdoorVolume;
    r.dryAir = kAirDensity * r.supplyVolume;
    r.outdoorDryAir = kAirDensity * r.outdoorVolume;
    r.roomSensible = c.flows.sensibleLoad;
    r.roomLatent = c.flows.latentLoad;
    const double G = r.dryAir;
    if (c.MA.exists) {
        r.coil = true;
        // The coil's path split at the inlet temperature and the outlet's humidity ratio.
        const double hSplit = air.DBAH2EN(c.MA.DB, c.CA.x);
        r.total = G * (c.MA.h - c.CA.h);
        r.sensible = G * (hSplit - c.CA.h);
        r.latent = G * (c.MA.h - hSplit);
        r.water = G * (c.MA.x - c.CA.x);
        if (r.total != 0) r.shf = r.sensible / r.total;
        r.adp = apparatusDewPoint(air, c.MA, c.CA, dbMin, dbMax);
        if (r.adp && c.MA.DB != *r.adp) r.bypass = (c.CA.DB - *r.adp) / (c.MA.DB - *r.adp);
    }
    if (c.SA.DB > c.CA.DB) r.reheat = G * (c.SA.h - c.CA.h);
    if (c.OA.exists) r.outdoorAir = r.outdoorDryAir * (c.OA.h - c.RA.h);
    r.siteDensity = siteDensity(air, c.SA);
    return r;
}

HeatingReport heatingReport(const MoistAir& air, const Season& w, bool steam) {
    HeatingReport r;
    r.supplyVolume = w.flows.supplyVolume;
    r.outdoorVolume = w.flows.outdoorVolume;
    r.dryAir = kAirDensity * r.supplyVolume;
    r.outdoorDryAir = kAirDensity * r.outdoorVolume;
    r.roomSensible = w.flows.sensibleLoad;
    r.steam = steam;
    if (w.MA.exists && w.CA.exists) {
        r.coil = true;
        r.coilLoad = r.dryAir * (w.CA.h - w.MA.h);
        r.humidifier = r.dryAir * (w.SA.x - w.CA.x);
    }
    if (w.OA.exists) r.outdoorAir = r.outdoorDryAir * (w.OA.h - w.RA.h);
    r.siteDensity = siteDensity(air, w.SA);
    return r;
}

}  // namespace

CoilReport coilReport(const CoilRun& run, double dbMin, double dbMax) {
    CoilReport r;
    const MoistAir air(run.pressureMmHg);
    r.pressureMmHg = run.pressureMmHg;
    if (run.cooling.computed) r.cooling = coolingReport(air, run.cooling, dbMin, dbMax);
    if (run.heating.computed) r.heating = heatingReport(air, run.heating, run.fields.Kasitu == 2);
    return r;
}

}  // namespace humidraw::coil
