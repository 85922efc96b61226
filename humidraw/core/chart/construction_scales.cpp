// The two protractor scales: sensible heat factor (SHF) and moisture-enthalpy ratio.
#include <initializer_list>
#include <utility>

#include "chart/construction_context.h"
#include "moistek_internal/air_constants.h"
#include "moistek_internal/ip_units.h"
#include "lang/language.h"
#include "text/number_format.h"

namespace humidraw::construction {

void appendProtractorCentre(Context& c) {
    const ChartPoint M = midpoint(c.diagonalA, c.diagonalB);
    const double s = c.ht / 2;
    const ChartPoint C = {M.x - std::sin(kPi / 4) * 8 * s, M.y - std::cos(kPi / 4) * 8 * s};
    c.centre = C;
    for (ChartFamily family : {kShfFamily, kMoistureRatioFamily}) {
        c.line(chartKind(family, kLine), {C.x - s, C.y}, {C.x + s, C.y});
        c.line(chartKind(family, kLine), {C.x, C.y - s}, {C.x, C.y + s});
        c.record(chartKind(family, kCircle), C.x - s, C.y - s, C.x + s, C.y + s);
    }
    // A 45° arc at the lower left.
    c.R = 0.7 * (C.x - c.S0.x);
    const double R = c.R;
    c.record(kShfArc, C.x - R, C.y - R, C.x + R, C.y + R);
    c.record(kShfArcEnds, C.x - R, C.y, C.x - R, C.y + R);
}

namespace {

// The shaft with its arrow wings along direction π − α, and the scale's title centred on it.
void shaftAndTitle(Context& c, ChartFamily family, double a, double shaftEnd,
                   const std::string& title) {
    const ChartPoint C = c.centre;
    const double s = c.ht / 2, d = c.ht / 2;
    const ChartPoint A = polar(C, kPi - a, s);
    const ChartPoint B = polar(C, kPi - a, shaftEnd);
    const ChartPoint wing2 = polar(B, kPi / 10 - a, d);
    c.line(chartKind(family, kLine), A, B);
    c.line(chartKind(family, kLine), B, polar(B, -a - kPi / 10, d));
    c.line(chartKind(family, kLine), B, wing2);
    const ChartPoint G = midpoint(A, wing2);
    const ChartPoint T = polar(G, kPi - a, c.w(title) / 2);
    c.text(chartKind(family, kText), polar(T, 3 * kPi / 2 - a, c.ht), tenths(a), title);
}

}  // namespace

void appendShfScale(Context& c) {
    const double h0 = 12.0, x0 = 0.01;  // reference state, kcal/kg(DA) and kg/kg(DA)
    const double t0 = c.f.air.ENAH2DB(h0, x0);
    const ChartPoint Pr = c.map(h0, x0);
    const double d = c.ht / 2, R = c.R;
    for (double q = 1.0; q >= 0.3; q = q - 0.1) {
        const ChartPoint Q =
            (q == 1) ? c.map(h0 - 2, x0) : c.map(h0 - (h0 - enthalpy(t0, 0.009)) / (1 - q), 0.009);
        const double a = std::atan((Q.y - Pr.y) / (Pr.x - Q.x));
        const ChartPoint O = polar(c.centre, kPi - a, R);
        const ChartPoint I = polar(c.centre, kPi - a, R - 2 * d);
        c.line(kShfLine, O, I);
        c.text(kShfText, polar(I, 3 * kPi / 2 - a, d), tenths(a), formatFixed(q, 1));
        if (std::trunc(q * 10) == 5)
            shaftAndTitle(c, kShfFamily, a, R - 2 * d - c.w("0.00"),
                          translate("Chart", "顕熱比SHF"));
    }
}

namespace {

struct ScaleRun {
    double first, last;
    bool down;
    double step;
    std::initializer_list<std::pair<double, double>> stepChanges;  // after a value past the first
    std::initializer_list<double> majors;                          // empty: every `every`
    int every;
};

}  // namespace

void appendMoistureRatioScale(Context& c) {
    const ChartFrame& f = c.f;
    const ChartPoint C = c.centre;
    const double R2 = 0.9 * (C.x - c.S0.x);
    c.record(kMoistureRatioArc, C.x - R2, C.y - R2, C.x + R2, C.y + R2);
    c.record(kMoistureRatioArcEnds, C.x + R2, C.y - R2, C.x - R2,
             C.y + R2);  // the upper-left half circle

    const double h0 = 12.63, x0 = 0.01049, x1 = 0.01549;
    const ChartPoint Pr = c.map(h0, x0);
    // u in kJ/kg with SI, in Btu/lb with IP, else kcal/kg.
    const double g = f.isSI() ? kKcalPerKJ : f.isIP() ? 1 / kBtuPerLbPerKcalPerKg : 1;
    const double d = c.ht / 2;
    const std::string& title = c.grids.moistureRatioTitle;

    const ScaleRun si[] = {
        {3600, 0, true, 50, {{1000, 100}}, {}, 400},
        {3600,
         20000,
         false,
         100,
         {{4999, 200}, {6999, 500}, {9999, 5000}},
         {3800, 4200, 5000, 7000, 10000, 20000},
         0},
        {-200,
         -20000,
         true,
         200,
         {{-1000, 500}, {-2000, 1000}, {-5000, 5000}, {-10000, 10000}},
         {-1000, -2000, -5000, -10000, -20000},
         0},
    };
    const ScaleRun traditional[] = {
        {850, 0, true, 10, {{400, 20}, {100, 50}}, {}, 100},
        {860,
         5000,
         false,
         20,
         {{999, 50}, {1499, 100}, {1999, 500}, {2999, 1000}},
         {900, 1000, 1200, 1500, 2000, 3000, 5000},
         0},
        {-50,
         -5000,
         true,
         50,
         {{-100, 100}, {-400, 200}, {-1000, 1000}, {-2000, 3000}},
         {-100, -400, -1000, -2000, -5000},
         0},
    };
    // Btu/lb are 1.8 kcal/kg: the traditional runs on round values about 1.8 times theirs.
    const ScaleRun ip[] = {
        {1500, 0, true, 20, {{600, 50}, {200, 100}}, {}, 200},
        {1550,
         9000,
         false,
         50,
         {{1999, 100}, {2999, 500}, {3999, 1000}, {4999, 4000}},
         {1600, 1800, 2000, 2500, 3000, 4000, 5000, 9000},
         0},
        {-100,
         -9000,
         true,
         100,
         {{-200, 200}, {-800, 400}, {-2000, 2000}, {-4000, 5000}},
         {-200, -800, -2000, -4000, -9000},
         0},
    };
    const ScaleRun* runs = f.isSI() ? si : f.isIP() ? ip : traditional;
    for (int r = 0; r < 3; ++r) {
        const ScaleRun& run = runs[r];
        double step = run.step;
        for (double u = run.first; run.down ? u >= run.last : u <= run.last;
             u = run.down ? u - step : u + step) {
            const ChartPoint Q = c.map(h0 + u * g * (x1 - x0), x1);
            double a = std::atan((Q.y - Pr.y) / (Pr.x - Q.x));
            if (r == 0 && Pr.x <= Q.x) a = kPi - std::atan((Q.y - Pr.y) / (Q.x - Pr.x));
            bool major = false;
            if (run.every > 0) major = static_cast<long>(u) % run.every == 0;
            for (double m : run.majors) major = major || u == m;
            const ChartPoint outer = polar(C, kPi - a, R2);
            const ChartPoint inner = polar(C, kPi - a, R2 - (major ? 2 * d : d));
            c.line(kMoistureRatioLine, outer, inner);
            if (major)
                c.text(kMoistureRatioText, polar(inner, 3 * kPi / 2 - a, d), tenths(a),
                       formatFixed(u, 0));
            if (u == 0) shaftAndTitle(c, kMoistureRatioFamily, a, R2 - 2 * d - c.w("0 "), title);
            for (const auto& [threshold, next] : run.stepChanges)
                if (run.down ? u <= threshold : u > threshold) step = next;
        }
    }
}

}  // namespace humidraw::construction
