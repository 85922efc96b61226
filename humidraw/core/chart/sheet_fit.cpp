#include "chart/sheet_fit.h"

#include <algorithm>
#include <cmath>


namespace humidraw {
namespace {

constexpr double kSlack = 0.01;  // a hundredth of a pixel: rounding, not drawing

bool inside(ChartPoint p) {
    return p.x >= -kSlack && p.x <= kSheetWidth + kSlack && p.y >= -kSlack &&
           p.y <= kSheetHeight + kSlack;
}

std::vector<ChartPoint> arcPoints(const ChartElement& box, const ChartElement& ends) {
    const ChartPoint c = {(box.c1 + box.c3) / 2, (box.c2 + box.c4) / 2};
    const double rx = (box.c3 - box.c1) / 2, ry = (box.c4 - box.c2) / 2;
    // Degrees counter-clockwise on the screen (Y up) from the start ray to the end ray.
    const double from = std::atan2(c.y - ends.c2, ends.c1 - c.x) * 180 / kPi;
    double to = std::atan2(c.y - ends.c4, ends.c3 - c.x) * 180 / kPi;
    while (to <= from) to += 360;
    std::vector<ChartPoint> out;
    for (double d = from;; d = std::min(d + 1, to)) {
        out.push_back({c.x + rx * std::cos(d * kPi / 180), c.y - ry * std::sin(d * kPi / 180)});
        if (d >= to) break;
    }
    return out;
}

// Liang–Barsky: the part of a → b inside the sheet; false when there is none.
bool clipToSheet(ChartPoint& a, ChartPoint& b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x, kSheetWidth - a.x, a.y, kSheetHeight - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, r);
        else
            t1 = std::min(t1, r);
        if (t0 > t1) return false;
    }
    const ChartPoint from = a;
    if (t0 > 0) a = {from.x + t0 * dx, from.y + t0 * dy};
    if (t1 < 1) b = {from.x + t1 * dx, from.y + t1 * dy};
    // Onto the edge exactly, whatever the rounding of the products above.
    for (ChartPoint* q : {&a, &b}) {
        q->x = std::clamp(q->x, 0.0, kSheetWidth);
        q->y = std::clamp(q->y, 0.0, kSheetHeight);
    }
    return true;
}

// Whether two convex polygons come closer than `gap` along every edge's normal: no edge of
// either separates them by that much.
bool overlap(const std::vector<ChartPoint>& p, const std::vector<ChartPoint>& q, double gap) {
    for (const auto* poly : {&p, &q})
        for (size_t i = 0; i < poly->size(); ++i) {
            const ChartPoint a = (*poly)[i], b = (*poly)[(i + 1) % poly->size()];
            const double nx = a.y - b.y, ny = b.x - a.x, n = std::hypot(nx, ny);
            if (n == 0) continue;
            double pLo = HUGE_VAL, pHi = -HUGE_VAL, qLo = HUGE_VAL, qHi = -HUGE_VAL;
            for (ChartPoint c : p) {
                const double d = (c.x * nx + c.y * ny) / n;
                pLo = std::min(pLo, d), pHi = std::max(pHi, d);
            }
            for (ChartPoint c : q) {
                const double d = (c.x * nx + c.y * ny) / n;
                qLo = std::min(qLo, d), qHi = std::max(qHi, d);
            }
            if (pHi + gap <= qLo || qHi + gap <= pLo) return false;
        }
    return true;
}

// A text's corners in order round it (elementExtent gives them by rows).
std::vector<ChartPoint> textBox(const ChartElement& e, const TextMetrics& metrics) {
    const std::vector<ChartPoint> c = elementExtent(e, nullptr, metrics);
    return {c[0], c[2], c[3], c[1]};
}

}  // namespace

bool isTitle(const ChartElement& e) {
    return chartPartOf(e.kind) == kText &&
           e.text.find_first_not_of("-0123456789.") != std::string::npos;
}

ChartTable separateTitles(const ChartTable& t, const TextMetrics& metrics) {
    std::vector<ChartElement> e = t.elements();
    std::vector<std::vector<ChartPoint>> placed;
    const double step = metrics.height() / 2.0;
    const double gap = metrics.height() / 4.0;  // a moved title keeps this far from the others
    // Far enough for any title to pass any other on the sheet.
    const int most = static_cast<int>(std::hypot(kSheetWidth, kSheetHeight) / std::max(step, 1.0));
    for (ChartElement& title : e) {
        if (!isTitle(title)) continue;
        const auto clear = [&](const ChartElement& at, double apart) {
            const auto box = textBox(at, metrics);
            for (ChartPoint p : box)
                if (!inside(p)) return false;
            for (const auto& other : placed)
                if (overlap(box, other, apart)) return false;
            return true;
        };
        if (!clear(title, kSlack)) {
            const double a = title.c3 * kPi / 1800;
            const ChartPoint ways[2] = {{std::cos(a), -std::sin(a)}, {std::sin(a), std::cos(a)}};
            bool moved = false;
            for (int way = 0; way < 2 && !moved; ++way)
                for (int k = 1; k <= most && !moved; ++k)
                    for (int sign : {1, -1}) {
                        ChartElement at = title;
                        at.c1 += sign * k * step * ways[way].x;
                        at.c2 += sign * k * step * ways[way].y;
                        if (clear(at, gap)) {
                            title = at;
                            moved = true;
                            break;
                        }
                    }
        }
        placed.push_back(textBox(title, metrics));
    }
    ChartTable out;
    for (ChartElement& x : e) out.append(std::move(x));
    return out;
}

std::vector<OutlineEdge> chartOutline(const ChartFrame& f) {
    return chartOutline(f, {});
}

std::vector<OutlineEdge> chartOutline(const ChartFrame& f, const ViewTransform& v) {
    const double xs = f.air.saturationRatio(f.DBmin);
    const ChartPoint left = stateToScreen(f, v, f.air.DBAH2EN(f.DBmin, xs), xs);
    // An isotherm is straight on the chart: the enthalpy is linear in x along it.
    const double t = f.DBmax + f.DBstep;
    const ChartPoint foot = stateToScreen(f, v, f.air.DBAH2EN(t, 0), 0),
                     up = stateToScreen(f, v, f.air.DBAH2EN(t, 0.01), 0.01);
    const double dx = up.x - foot.x, dy = up.y - foot.y;
    const double len = std::hypot(dx, dy);
    return {{v.toScreen({0, f.OY}), {0, -1}},
            {v.toScreen({0, f.Ytop}), {0, 1}},
            {{left.x, 0}, {1, 0}},
            {foot, {dy / len, -dx / len}}};
}

namespace {

double distanceInside(const OutlineEdge& e, ChartPoint p) {
    return (p.x - e.at.x) * e.inward.x + (p.y - e.at.y) * e.inward.y;
}

// The point where a → b crosses an edge, da and db the ends' distances inside it (of opposite
// signs), worked from the nearer end so that a far end costs no precision at the other.
ChartPoint crossing(ChartPoint a, ChartPoint b, double da, double db) {
    if (std::fabs(da) <= std::fabs(db)) {
        const double t = da / (da - db);
        return {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
    }
    const double u = db / (db - da);
    return {b.x + u * (a.x - b.x), b.y + u * (a.y - b.y)};
}

}  // namespace

bool insideOutline(const std::vector<OutlineEdge>& edges, ChartPoint p, double slack) {
    for (const OutlineEdge& e : edges)
        if (distanceInside(e, p) < -slack) return false;
    return true;
}

namespace {

// A place along a → b: t from a (0 at a) and u = 1 − t from b, each worked from its own end,
// so that places near either end keep their precision.
struct Along {
    double t, u;
};

bool before(Along p, Along q) {
    if (p.t > 0.5 && q.t > 0.5) return p.u > q.u;
    return p.t < q.t;
}

}  // namespace

bool clipToOutline(const std::vector<OutlineEdge>& edges, ChartPoint& a, ChartPoint& b) {
    if (!std::isfinite(a.x) || !std::isfinite(a.y) || !std::isfinite(b.x) || !std::isfinite(b.y))
        return false;
    // Cyrus–Beck: each edge an end lies outside of moves the entry on or the exit back.
    Along in = {0, 1}, out = {1, 0};
    const OutlineEdge *entry = nullptr, *exit = nullptr;
    for (const OutlineEdge& e : edges) {
        const double da = distanceInside(e, a), db = distanceInside(e, b);
        if (da >= 0 && db >= 0) continue;
        if (da < 0 && db < 0) return false;
        const Along at = {da / (da - db), db / (db - da)};
        if (da < 0 && before(in, at)) in = at, entry = &e;
        if (db < 0 && before(at, out)) out = at, exit = &e;
    }
    if (!before(in, out)) return false;
    const ChartPoint from = a, to = b;
    if (entry) a = crossing(from, to, distanceInside(*entry, from), distanceInside(*entry, to));
    if (exit) b = crossing(from, to, distanceInside(*exit, from), distanceInside(*exit, to));
    return true;
}

bool onChart(const ChartFrame& f, ChartPoint p) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) return false;
    return insideOutline(chartOutline(f), p, 0);
}

ChartTable cutGridLinesAtOutline(const ChartTable& t, const ChartFrame& f) {
    const std::vector<OutlineEdge> edges = chartOutline(f);
    ChartTable out;
    int dropped = 0;  // the family of a line left out, whose tick and label go with it
    for (ChartElement e : t.elements()) {
        const int family = chartFamilyOf(e.kind);
        if (isGridLine(e)) {
            ChartPoint a = {e.c1, e.c2}, b = {e.c3, e.c4};
            const bool tick =
                e.kind == kSpecificVolumeLine && a.y > f.OY + kSlack && b.y > f.OY + kSlack;
            if (tick && dropped == family) continue;
            dropped = 0;
            if (!tick && !(insideOutline(edges, a, kSlack) && insideOutline(edges, b, kSlack))) {
                if (!clipToOutline(edges, a, b)) {
                    dropped = family;
                    continue;
                }
                e.c1 = a.x, e.c2 = a.y, e.c3 = b.x, e.c4 = b.y;
            }
        } else if (chartPartOf(e.kind) == kText && dropped == family && !isTitle(e)) {
            continue;  // the value label of the line left out
        } else {
            dropped = 0;
        }
        out.append(e);
    }
    return out;
}

std::vector<ChartPoint> elementExtent(const ChartElement& e, const ChartElement* next,
                                      const TextMetrics& metrics) {
    switch (chartPartOf(e.kind)) {
        case kLine:
        case kCircle:
            return {{e.c1, e.c2}, {e.c3, e.c4}};
        case kText: {
            const double w = metrics.width(e.text), h = metrics.height();
            const double a = e.c3 * kPi / 1800;
            const ChartPoint along = {std::cos(a), -std::sin(a)}, down = {std::sin(a), std::cos(a)};
            std::vector<ChartPoint> corners;
            for (double u : {0.0, w})
                for (double v : {0.0, h})
                    corners.push_back(
                        {e.c1 + along.x * u + down.x * v, e.c2 + along.y * u + down.y * v});
            return corners;
        }
        case kArc:
            if (next) return arcPoints(e, *next);
            return {};
        default:
            return {};
    }
}

bool isGridLine(const ChartElement& e) {
    return e.kind >= kDryBulbLine && e.kind <= kSpecificVolumeLine && chartPartOf(e.kind) == kLine;
}

bool onSheet(const ChartTable& t, const TextMetrics& metrics, bool gridLinesToo) {
    const auto& e = t.elements();
    for (size_t i = 0; i < e.size(); ++i) {
        const ChartElement* next = i + 1 < e.size() ? &e[i + 1] : nullptr;
        if (gridLinesToo || !isGridLine(e[i]))
            for (const ChartPoint& p : elementExtent(e[i], next, metrics))
                if (!inside(p)) return false;
        if (chartPartOf(e[i].kind) == kArc) ++i;  // the next record holds the arc's ends
    }
    return true;
}

ChartTable cutGridLinesAtSheet(const ChartTable& t) {
    ChartTable out;
    for (ChartElement e : t.elements()) {
        if (isGridLine(e)) {
            ChartPoint a = {e.c1, e.c2}, b = {e.c3, e.c4};
            if (inside(a) && inside(b)) {
                out.append(e);
                continue;
            }
            if (!clipToSheet(a, b)) continue;
            e.c1 = a.x, e.c2 = a.y, e.c3 = b.x, e.c4 = b.y;
        }
        out.append(e);
    }
    return out;
}

}  // namespace humidraw
