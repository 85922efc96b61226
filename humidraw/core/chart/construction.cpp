#include "chart/construction.h"

#include <algorithm>
#include <cmath>

#include "chart/construction_context.h"
#include "chart/sheet_fit.h"

namespace humidraw {
namespace {

// The families, scales and texts at the frame's scale.
ChartTable build(const TextMetrics& metrics, ChartFrame& f) {
    ChartTable t;
    construction::Context c(f, t, metrics);
    c.ht = metrics.height();
    c.grids = f.isIP() ? construction::ipGrids(f, metrics) : construction::engineeringGrids(f);
    construction::appendDryBulbAndTitles(c);
    construction::appendRelativeHumidity(c);
    construction::appendHumidityRatio(c);
    construction::appendEnthalpy(c);
    construction::appendWetBulb(c);
    construction::appendSpecificVolume(c);
    construction::appendProtractorCentre(c);
    construction::appendShfScale(c);
    construction::appendMoistureRatioScale(c);
    return t;
}

// The chart `steps` scale steps smaller than the fitted frame `fitted`, centred where the
// fitted one spans; false when no such scale is left or it cannot be placed.
bool buildSmaller(const TextMetrics& metrics, const ChartFrame& fitted, int steps, ChartFrame& f,
                  ChartTable& t) {
    const double k2 = fitted.k2 + steps * kFitStep;
    if (!(k2 < 0)) return false;
    f = fitted;
    if (!centreAtScale(f, k2)) return false;
    t = build(metrics, f);
    return true;
}

// A smaller chart must also leave its protractors room: their radius grows with the room
// between the saturation point of the lower limit and the top border, which the fitting of a
// warm range all but closes.
constexpr double kLeastProtractorRadius = 5;  // text heights

bool fitsSheet(const ChartTable& t, const TextMetrics& metrics) {
    double radius = 0;
    for (const ChartElement& e : t.elements())
        if (e.kind == kShfArc) {
            radius = (e.c3 - e.c1) / 2;
            break;
        }
    return radius >= kLeastProtractorRadius * metrics.height() && onSheet(t, metrics, false);
}

// Makes a chart whose scales, protractors or texts reach beyond the sheet smaller, by whole
// steps of the fitting, until they lie on it: the first fitting scale of a coarse walk towards
// zero, then the fewest steps within that stride by halving. False when no smaller chart fits.
bool shrinkOntoSheet(const TextMetrics& metrics, ChartFrame& f, ChartTable& t) {
    const ChartFrame fitted = f;
    // The smallest scale is one step above zero (the fitted k2 is a whole number of steps).
    const int most = static_cast<int>(std::floor(-fitted.k2 / kFitStep + 1e-6)) - 1;
    const int stride = std::max(1, most / 8);
    int bad = 0, good = 0;
    ChartFrame gf;
    ChartTable gt;
    for (int steps = std::min(stride, most); steps > 0 && !good;
         steps = steps == most ? 0 : std::min(steps + stride, most)) {
        if (buildSmaller(metrics, fitted, steps, gf, gt) && fitsSheet(gt, metrics))
            good = steps;
        else
            bad = steps;
    }
    if (!good) return false;
    while (good - bad > 1) {
        const int mid = bad + (good - bad) / 2;
        ChartFrame mf;
        ChartTable mt;
        if (buildSmaller(metrics, fitted, mid, mf, mt) && fitsSheet(mt, metrics)) {
            good = mid, gf = mf, gt = std::move(mt);
        } else {
            bad = mid;
        }
    }
    f = gf;
    t = std::move(gt);
    return true;
}

// The default chart: the default range at the standard atmosphere.
bool isDefaultRange(const ChartSettings& s) {
    const ChartSettings defaults;
    return s.dbMin == defaults.dbMin && s.dbMax == defaults.dbMax &&
           s.pressureMmHg == defaults.pressureMmHg;
}

}  // namespace

Status constructChart(const ChartSettings& settings, TextMetrics& metrics, ChartFrame& frame,
                      ChartTable& table, ChartLayout layout) {
    metrics.setFont(settings.fontName, settings.fontSize);
    // Built in a frame and table of its own: a refusal leaves the caller's chart.
    ChartFrame f;
    if (Status st = computeRanges(f, settings); !st) return st;
    if (Status st = fitScale(f); !st) return st;
    const ChartFrame ranges = f;  // the construction changes some ranges (SI enthalpy)
    ChartTable t = build(metrics, f);

    // The fitting spans the saturation curve across the sheet; with a warm lower limit the
    // scales and protractors above it would then leave the sheet. Such a chart is made smaller,
    // and grid lines still crossing an edge of it are cut there. A chart whose scales, texts and
    // protractors all lie on the sheet is kept exactly as fitted: a grid line reaching past an
    // edge is only cut by the drawing.
    if (layout == ChartLayout::OnSheet && !onSheet(t, metrics, false)) {
        ChartFrame smaller = ranges;
        ChartTable st;
        if (shrinkOntoSheet(metrics, smaller, st)) {
            f = smaller;
            t = cutGridLinesAtSheet(st);
        }
    }

    // Grid lines reaching beyond the chart's outline are cut at it, and titles laid over one
    // another are moved apart. The default range keeps the drawing it has always had, element
    // for element (its titles are apart already; two lines at its lower left corner, the
    // −10 °C wet bulb and the 0.76 m³/kg volume, reach a little past the outline).
    if (layout == ChartLayout::OnSheet) {
        if (!isDefaultRange(settings)) t = cutGridLinesAtOutline(t, f);
        t = separateTitles(t, metrics);
    }

    frame = f;
    table = std::move(t);
    return {};
}

}  // namespace humidraw
