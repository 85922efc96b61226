#include "chart/sheet_fit.h"

#include <algorithm>
#include <cmath>

namespace humidraw {
namespace {

constexpr double kPi = 3.14159265358979323846;
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

}  // namespace

std::vector<ChartPoint> elementExtent(const ChartElement& e, const ChartElement* next,
                                      const TextMetrics& metrics) {
    switch (e.kind % 10) {
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
    return e.kind >= 10 && e.kind <= 60 && e.kind % 10 == kLine;
}

bool onSheet(const ChartTable& t, const TextMetrics& metrics, bool gridLinesToo) {
    const auto& e = t.elements();
    for (size_t i = 0; i < e.size(); ++i) {
        const ChartElement* next = i + 1 < e.size() ? &e[i + 1] : nullptr;
        if (gridLinesToo || !isGridLine(e[i]))
            for (const ChartPoint& p : elementExtent(e[i], next, metrics))
                if (!inside(p)) return false;
        if (e[i].kind % 10 == kArc) ++i;  // the next record holds the arc's ends
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
