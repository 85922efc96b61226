// The line families of the chart with their labels and titles, in the order they are appended.
#include <algorithm>
#include <array>
#include <vector>

#include "chart/construction_context.h"
#include "moistek_internal/air_constants.h"
#include "lang/language.h"
#include "text/number_format.h"

namespace humidraw::construction {
namespace {

constexpr int kMaxWalk = 200000;  // bound of the small search loops below

int whole(double n) {
    return static_cast<int>(n);
}

}  // namespace

namespace {

// The title of the relative-humidity curves, on the 20 % curve: centred on the fourth dry-bulb
// step below the upper limit (of `steps`); on the fourth step before the curve leaves through
// the top border when it leaves before that step; on its first step when it has fewer.
void appendRelativeHumidityTitle(Context& c, const std::vector<ChartPoint>& curve, int steps) {
    if (curve.size() < 2) return;
    const int last = static_cast<int>(curve.size()) - 1;
    const int back = c.grids.rhTitleStepsBack;
    const int q1 = std::max(0, (last >= steps - (back - 1) ? steps : last) - back);
    const ChartPoint Q1 = curve[q1], Q2 = curve[q1 + 1];
    if (!(Q2.x - Q1.x > 0)) return;
    const std::string title = translate("Chart", "相対湿度RH[%]");  // the same in every unit
    const double D = 1.1 * c.ht, E = c.w(title) / 2;
    const ChartPoint M = midpoint(Q1, Q2);
    const double a = std::atan((Q1.y - Q2.y) / (Q2.x - Q1.x));
    c.text(kRelativeHumidityText,
           {M.x - std::sin(a) * D - std::cos(a) * E, M.y - std::cos(a) * D + std::sin(a) * E},
           tenths(a), title);
}

}  // namespace

void appendDryBulbAndTitles(Context& c) {
    ChartFrame& f = c.f;
    const std::vector<GridLine>& lines = c.grids.dryBulb;
    for (size_t i = 0; i < lines.size(); ++i) {
        const double t = lines[i].value;
        const ChartPoint P1 = c.map(enthalpy(t, f.AHmin), f.AHmin);
        const double xs = f.air.saturationRatio(t);
        ChartPoint P2 = c.map(enthalpy(t, xs), xs);
        if (P2.y < f.Ytop) P2 = atHeight(P1, P2, f.Ytop);
        c.line(kDryBulbLine, P1, P2);
        const std::string& s = lines[i].label;
        if (!s.empty()) c.text(kDryBulbText, {P1.x - c.w(s) / 2, P1.y}, 0, s);
        if (i == 0) c.XL = P1.x;
        if (i + 1 == lines.size()) c.XR = P1.x;
    }
    if (f.isIP()) {
        // Whole °F need not reach the ends of the range: the border is the range's own.
        c.XL = c.map(enthalpy(f.DBmin, f.AHmin), f.AHmin).x;
        c.XR = c.map(enthalpy(f.DBmax, f.AHmin), f.AHmin).x;
    }
    const double Xm = (c.XL + c.XR) / 2;
    const std::string& title = c.grids.dryBulbTitle;
    c.text(kDryBulbText, {Xm - c.w(title) / 2, f.OY + 1.1 * c.ht}, 0, title);
    const std::string& chartTitle = c.grids.chartTitle;
    c.text(kChartTitleText, {Xm - c.w(chartTitle) / 2, f.OY + 5 * c.ht}, 0, chartTitle);
    if (const std::string& note = c.grids.datumNote; !note.empty())
        c.text(kChartTitleText, {Xm - c.w(note) / 2, f.OY + 6.2 * c.ht}, 0, note);
}

void appendRelativeHumidity(Context& c) {
    ChartFrame& f = c.f;
    // The curves are traced at the dry-bulb lines, and on to the upper limit where the lines
    // stop short of it (whole °F in a range that is not).
    std::vector<double> steps;
    for (const GridLine& g : c.grids.dryBulb) steps.push_back(g.value);
    if (f.isIP() && !steps.empty() && steps.back() < f.DBmax) steps.push_back(f.DBmax);
    if (f.isIP() && !steps.empty() && steps.front() > f.DBmin) steps.insert(steps.begin(), f.DBmin);
    const int nDB = static_cast<int>(steps.size()) - 1;
    const int nRH = whole(f.nRH);
    for (int i = 0; i <= nRH; ++i) {
        const double r = f.RHmin + i * f.RHstep;
        ChartPoint prev, C;
        std::vector<ChartPoint> points;  // the curve's points, one per dry-bulb step
        for (int j = 0; j <= nDB; ++j) {
            const double t = steps[j];
            const double x = f.air.PW2AH(f.air.DB2PWS(t) * r * 0.01);
            C = c.map(enthalpy(t, x), x);
            if (j == 0) prev = C;
            bool ends = false;
            if (C.y < f.Ytop) {
                // A curve that starts above the top border has no segment to clip along: it
                // is reduced to its start on the border.
                C = (j == 0) ? ChartPoint{C.x, f.Ytop} : atHeight(prev, C, f.Ytop);
                if (j == 0) prev = C;
                ends = true;
            }
            c.line(kRelativeHumidityLine, prev, C);
            if (r == 100 && j == 0) c.S0 = C;
            points.push_back(C);
            if (ends) break;
            if (j < nDB) prev = C;
        }
        if (r > 0 && r <= 100) {
            const ChartPoint M = midpoint(prev, C);
            const double a = (C.x == prev.x) ? kPi / 2 : std::atan((prev.y - C.y) / (C.x - prev.x));
            c.text(kRelativeHumidityText, {M.x - std::sin(a) * c.ht, M.y - std::cos(a) * c.ht},
                   tenths(a), formatFixed(r, 0));
        }
        if (r == 20) appendRelativeHumidityTitle(c, points, nDB);
    }
}

void appendHumidityRatio(Context& c) {
    ChartFrame& f = c.f;
    const double c0 = c.S0.x + c.S0.y;  // the 45° diagonal through S0
    const double xsMax = f.air.saturationRatio(f.DBmax);
    bool any = false;
    ChartPoint last;
    for (const GridLine& g : c.grids.humidity) {
        const double x = g.value;
        if (x >= xsMax) continue;
        const ChartPoint P1 = c.map(enthalpy(f.DBmin, x), x);
        if (P1.y < f.Ytop) break;
        const ChartPoint P2 = c.map(enthalpy(f.DBmax + 1, x), x);
        const Line ln = Line::through(P1, P2);
        ChartPoint L = ln.onDiagonal(c0);
        if (L.x < c.S0.x) L = {c.S0.x, ln.yAt(c.S0.x)};
        c.line(kHumidityRatioLine, L, P2);
        if (!g.label.empty()) c.text(kHumidityRatioText, {P2.x + c.ht / 2, P2.y - c.ht / 2}, 0, g.label);
        last = P2;
        any = true;
    }
    if (!any) return;
    const std::string& title = c.grids.humidityTitle;
    c.text(kHumidityRatioText, {last.x + c.w("0.00000"), (f.OY + last.y) / 2 + c.w(title) / 2}, 900,
           title);
}

namespace {

// A line of constant enthalpy or wet bulb from P1 on the base to P2 towards the diagonal
// X + Y = diagonal: cut at the right border, stopped at the top border or at the saturation
// point S0. False when the family ends here (P1 above the top border).
bool diagonalLine(Context& c, ChartPoint& P1, ChartPoint& P2, double diagonal, bool& labelled) {
    const Line ln = Line::through(P1, P2);
    P2 = ln.onDiagonal(diagonal);
    if (P1.x > c.XR) P1 = {c.XR, ln.yAt(c.XR)};
    if (P1.y < c.f.Ytop) return false;
    labelled = true;
    if (P2.y < c.f.Ytop) {
        P2 = {ln.xAt(c.f.Ytop), c.f.Ytop};
        labelled = false;
    }
    if (P2.x < c.S0.x) {
        P2 = {c.S0.x, ln.yAt(c.S0.x)};
        labelled = false;
    }
    return true;
}

// A value label at 45° ending at the diagonal.
void diagonalLabel(Context& c, int kind, ChartPoint P2, const std::string& s) {
    const double E = c.ht, D = c.w(s) / 2;
    const double q = std::sin(kPi / 4);
    c.text(kind, {P2.x - q * (D + E), P2.y + q * (D - E)}, 450, s);
}

}  // namespace

void appendEnthalpy(Context& c) {
    ChartFrame& f = c.f;
    double x = f.AHmax;
    for (int k = 0; k < kMaxWalk && !(enthalpy(f.DBmax, x) > f.ENmax); ++k) x = x + f.AHstep;
    const double xh = x - f.AHstep;

    const double diagonal = c.S0.x + c.S0.y + 3 * f.k2;
    c.diagonalA = {c.S0.x, diagonal - c.S0.x};
    c.diagonalB = {diagonal - f.Ytop, f.Ytop};
    c.line(kEnthalpyLine, c.diagonalA, c.diagonalB);
    const std::string& title = c.grids.enthalpyTitle;
    const ChartPoint M = midpoint(c.diagonalA, c.diagonalB);
    const double D = 2.5 * c.ht, E = c.w(title) / 2, a = kPi / 4;
    c.text(kEnthalpyText,
           {M.x - std::sin(a) * D - std::cos(a) * E, M.y - std::cos(a) * D + std::sin(a) * E}, 450,
           title);

    for (const GridLine& g : c.grids.enthalpy) {
        const double h = g.value;
        ChartPoint P1 = c.map(h, f.AHmin), P2 = c.map(h, xh);
        bool labelled = false;
        if (!diagonalLine(c, P1, P2, diagonal, labelled)) break;
        c.line(kEnthalpyLine, P1, P2);
        if (labelled && !g.label.empty()) diagonalLabel(c, kEnthalpyText, P2, g.label);
    }
}

void appendWetBulb(Context& c) {
    ChartFrame& f = c.f;
    const double diagonal = c.S0.x + c.S0.y + 0.5 * f.k2;
    for (const GridLine& g : c.grids.wetBulb) {
        const double w = g.value;
        const double t1 = f.air.WBAH2DB(w, f.AHmin);
        ChartPoint P1 = c.map(enthalpy(t1, f.AHmin), f.AHmin);
        const double xs = f.air.saturationRatio(w);
        ChartPoint P2 = c.map(enthalpy(w, xs), xs);
        bool labelled = false;
        if (!diagonalLine(c, P1, P2, diagonal, labelled)) break;
        c.line(kWetBulbLine, P1, P2);
        if (labelled && !g.label.empty()) diagonalLabel(c, kWetBulbText, P2, g.label);
        if (g.title) {
            const std::string& title = c.grids.wetBulbTitle;
            const double D = 1.1 * c.ht, E = c.w(title) / 2;
            const double a = std::atan((P2.x - P1.x) / (P2.y - P1.y));
            c.text(kWetBulbText,
                   {P2.x + std::sin(a) * E + std::cos(a) * D,
                    P2.y + std::cos(a) * E - std::sin(a) * D},
                   tenths(a + 3 * kPi / 2), title);
        }
    }
}

namespace {

// From t1 down in steps of 0.01 K (each step subtracted from the last, as the walk has always
// gone) to the first temperature whose saturated air has a volume below v, or to the walk's
// bound. Where the saturation humidity ratio exists (one span of temperatures, below the
// boiling point) the saturated volume grows with the temperature: a stride within that span
// whose far end is still above v is passed whole, and the stride holding the end is halved to
// it. A stride reaching beyond the span is walked step by step. The same end as a walk step by
// step, with far fewer evaluations where the line is long (low pressures).
double walkToSaturation(const MoistAir& air, double t1, double v) {
    constexpr int kStride = 256;
    struct Probe {
        bool saturates, above;
    };
    const auto probe = [&](double t) {
        const double xs = air.saturationRatio(t);
        return Probe{xs > 0, air.DBAH2SV(t, xs) >= v};
    };
    Probe start = probe(t1);
    if (!start.above) return t1;
    std::array<double, kStride + 1> steps;
    steps[0] = t1;
    for (int k = 0;;) {
        int j = 0;
        for (; j < kStride && k + j < kMaxWalk; ++j) steps[j + 1] = steps[j] - 0.01;
        const bool bound = k + j >= kMaxWalk;
        const Probe end = probe(steps[j]);
        if (start.saturates && end.saturates) {
            if (!end.above) {
                int lo = 0, hi = j;  // steps[lo] above, steps[hi] not
                while (hi - lo > 1) {
                    const int mid = (lo + hi) / 2;
                    (probe(steps[mid]).above ? lo : hi) = mid;
                }
                return steps[hi];
            }
        } else {
            for (int i = 1; i < j; ++i)
                if (!probe(steps[i]).above) return steps[i];
            if (!end.above) return steps[j];
        }
        if (bound) return steps[j];
        steps[0] = steps[j];
        start = end;
        k += j;
    }
}

}  // namespace

void appendSpecificVolume(Context& c) {
    ChartFrame& f = c.f;
    bool haveReference = false;
    ChartPoint refP1;
    double refAlpha = 0;
    for (const GridLine& g : c.grids.volume) {
        const double v = g.value;
        const double t1 = f.air.SVAH2DB(v, f.AHmin);
        ChartPoint P1 = c.map(enthalpy(t1, f.AHmin), f.AHmin);
        // The upper end: just past where the volume line meets the saturation curve.
        double t = walkToSaturation(f.air, t1, v);
        t = t + 0.05;
        const double xu = f.air.saturationRatio(t);
        const double t2 = f.air.SVAH2DB(v, xu);
        ChartPoint P2 = c.map(enthalpy(t2, xu), xu);
        const double s = (P2.x == P1.x) ? 1e8 : (P2.y - P1.y) / (P2.x - P1.x);
        const double b = P2.y - s * P2.x;
        bool cut = false;
        if (P1.x > c.XR) {
            const double X = c.XR - 0.5 * f.k2;
            P1 = {X, s * X + b};
            cut = true;
        }
        if (P1.y < f.Ytop) break;
        if (P2.y < f.Ytop) P2 = {(f.Ytop - b) / s, f.Ytop};
        const double a = std::atan((P1.y - P2.y) / (P1.x - P2.x));
        if (P2.x > c.XR) break;
        c.line(kSpecificVolumeLine, P1, P2);
        ChartPoint A = P1;
        if (!cut) {
            haveReference = true;
            refP1 = P1;
            refAlpha = a;
            const double yLow = f.OY + 3 * c.ht, yHigh = f.OY + 2 * c.ht;
            A = {(yLow - b) / s, yLow};
            c.line(kSpecificVolumeLine, A, {(yHigh - b) / s, yHigh});
        }
        const double d = c.ht / 2;
        c.text(kSpecificVolumeText,
               {A.x + std::cos(kPi / 2 - a) * d, A.y - std::sin(kPi / 2 - a) * d},
               tenths(2 * kPi - a), g.label);
    }
    if (!haveReference) return;
    const std::string& title = c.grids.volumeTitle;
    const double D = 1.1 * c.ht, E = 1.2 * c.w(title), a = refAlpha;
    c.text(
        kSpecificVolumeText,
        {refP1.x - std::cos(a) * E + std::sin(a) * D, refP1.y - std::sin(a) * E - std::cos(a) * D},
        tenths(2 * kPi - a), title);
}

}  // namespace humidraw::construction
