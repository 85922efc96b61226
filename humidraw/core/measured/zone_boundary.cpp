// The outline of a zone. At a given dry bulb every bound but the dry bulb's is a bound on the
// humidity ratio (RH, DP, WB and h all grow with x there), so the zone is the band between the
// highest lower line and the lowest upper line over its dry-bulb range.
#include <algorithm>
#include <cmath>

#include "measured/zone.h"

namespace humidraw {
namespace {

constexpr int kSamples = 240;

struct Envelope {
    double lower = 0, upper = 0;
    int lowerLine = -1,
        upperLine = -1;  // the property whose line is the edge; -1 zero or saturation
    bool ok = false;
};

class ZoneEdges {
  public:
    ZoneEdges(const Zone& z, StateCalculator& calc) : z_(z), calc_(calc) {}

    Envelope at(double DB) const {
        Envelope e;
        const auto xs = calc_.saturation(DB);
        if (!xs) return e;
        e.upper = *xs;
        for (int i = kZoneRH; i < kZonePropertyCount; ++i) {
            const ZoneRange& r = z_.ranges[i];
            if (r.low) {
                const auto x = calc_.ratioOnLine(static_cast<ZoneProperty>(i), *r.low, DB);
                if (!x) return e;
                if (*x > e.lower) e.lower = *x, e.lowerLine = i;
            }
            if (r.high) {
                const auto x = calc_.ratioOnLine(static_cast<ZoneProperty>(i), *r.high, DB);
                if (!x) return e;
                if (*x < e.upper) e.upper = *x, e.upperLine = i;
            }
        }
        e.ok = true;
        return e;
    }
    bool open(double DB) const {
        const Envelope e = at(DB);
        return e.ok && e.lower <= e.upper;
    }
    double upperOf(int line, double DB) const { return edge(line, DB, false); }
    double lowerOf(int line, double DB) const { return edge(line, DB, true); }

  private:
    double edge(int line, double DB, bool low) const {
        if (line < 0) return low ? 0.0 : calc_.saturation(DB).value_or(NAN);
        const ZoneRange& r = z_.ranges[line];
        return calc_.ratioOnLine(static_cast<ZoneProperty>(line), low ? *r.low : *r.high, DB)
            .value_or(NAN);
    }
    const Zone& z_;
    StateCalculator& calc_;
};

// The dry bulb between a and b where pred changes, by halving.
template <typename Pred>
double crossing(double a, double b, Pred pred) {
    const bool atA = pred(a);
    for (int i = 0; i < 60; ++i) {
        const double m = 0.5 * (a + b);
        (pred(m) == atA ? a : b) = m;
    }
    return 0.5 * (a + b);
}

}  // namespace

std::vector<ZonePoint> zoneBoundary(const Zone& z, double dbMin, double dbMax,
                                    StateCalculator& calc) {
    if (!zoneProblem(z).empty()) return {};
    if (z.pmv) return comfortOutline(z, dbMin, dbMax, calc.pressureMmHg());
    double lo = dbMin, hi = dbMax;
    if (z.ranges[kZoneDB].low) lo = std::max(lo, *z.ranges[kZoneDB].low);
    if (z.ranges[kZoneDB].high) hi = std::min(hi, *z.ranges[kZoneDB].high);
    if (!zoneProblem(z).empty() || !(lo <= hi)) return {};
    const ZoneEdges edges(z, calc);
    std::vector<double> dbs;
    for (int i = 0; i <= kSamples; ++i) dbs.push_back(lo + (hi - lo) * i / kSamples);
    // Where the band opens and closes, and where its edges change from one line to another.
    std::vector<double> cuts;
    for (int i = 0; i < kSamples; ++i) {
        const double a = dbs[i], b = dbs[i + 1];
        const bool oa = edges.open(a), ob = edges.open(b);
        if (oa != ob) {
            cuts.push_back(crossing(a, b, [&](double t) { return edges.open(t); }));
            continue;
        }
        if (!oa) continue;
        const Envelope ea = edges.at(a), eb = edges.at(b);
        if (ea.upperLine != eb.upperLine)
            cuts.push_back(crossing(a, b, [&](double t) {
                return edges.upperOf(ea.upperLine, t) < edges.upperOf(eb.upperLine, t);
            }));
        if (ea.lowerLine != eb.lowerLine)
            cuts.push_back(crossing(a, b, [&](double t) {
                return edges.lowerOf(ea.lowerLine, t) > edges.lowerOf(eb.lowerLine, t);
            }));
    }
    dbs.insert(dbs.end(), cuts.begin(), cuts.end());
    std::sort(dbs.begin(), dbs.end());
    std::vector<ZonePoint> upper, lower;
    for (double DB : dbs) {
        Envelope e = edges.at(DB);
        if (!e.ok) continue;
        if (e.lower > e.upper) {
            // A cut where the band closes: within the halving's last step of open.
            if (e.lower - e.upper > 1e-9) continue;
            e.lower = e.upper;
        }
        upper.push_back({DB, e.upper});
        lower.push_back({DB, e.lower});
    }
    if (upper.empty()) return {};
    std::vector<ZonePoint> outline(lower.begin(), lower.begin() + 1);
    outline.insert(outline.end(), upper.begin(), upper.end());
    outline.insert(outline.end(), lower.rbegin(), lower.rend() - 1);
    return outline;
}

}  // namespace humidraw
