#include "chart/style_line.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "text/number_format.h"

namespace humidraw {
namespace {
int nearest(double v) {
    return static_cast<int>(std::lround(v));
}

}  // namespace

namespace {

enum Edge { kNoEdge = -1, kLeft, kRight, kTop, kBottom };

// The point where the segment meets `edge` (or its end when no edge limits it), from the end
// nearer to that point.
void pointOn(const PixelArea& a, Edge edge, double t, double x0, double y0, double x1, double y1,
             double& x, double& y) {
    const bool fromStart = t <= 0.5;
    const double nx = fromStart ? x0 : x1, ny = fromStart ? y0 : y1;
    if (edge == kNoEdge) {
        x = nx, y = ny;
    } else if (edge == kLeft || edge == kRight) {
        x = edge == kLeft ? a.left : a.right;
        y = ny + (x - nx) * ((y1 - y0) / (x1 - x0));
    } else {
        y = edge == kTop ? a.top : a.bottom;
        x = nx + (y - ny) * ((x1 - x0) / (y1 - y0));
    }
}

bool within(const PixelArea& a, double x, double y) {
    const double slack = 1;  // pixels of rounding in a point computed on an edge
    return x >= a.left - slack && x <= a.right + slack && y >= a.top - slack &&
           y <= a.bottom + slack;
}

}  // namespace

std::optional<ClippedSegment> clipSegment(const PixelArea& a, double x0, double y0, double x1,
                                          double y1) {
    if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(x1) || !std::isfinite(y1))
        return std::nullopt;
    // Liang–Barsky: each edge limits the parameter t along the segment from one side.
    const double dx = x1 - x0, dy = y1 - y0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - a.left, a.right - x0, y0 - a.top, a.bottom - y0};
    double t0 = 0, t1 = 1;
    Edge e0 = kNoEdge, e1 = kNoEdge;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return std::nullopt;  // parallel to this edge and outside it
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0 && t > t0) t0 = t, e0 = static_cast<Edge>(i);
        if (p[i] > 0 && t < t1) t1 = t, e1 = static_cast<Edge>(i);
    }
    // Far ends leave t too coarse to order the crossings exactly: the points decide.
    if (t0 > t1 + 1e-9) return std::nullopt;
    ClippedSegment c;
    pointOn(a, e0, t0, x0, y0, x1, y1, c.x0, c.y0);
    pointOn(a, e1, t1, x0, y0, x1, y1, c.x1, c.y1);
    if (!within(a, c.x0, c.y0) || !within(a, c.x1, c.y1)) return std::nullopt;
    c.x0 = std::clamp(c.x0, a.left, a.right), c.y0 = std::clamp(c.y0, a.top, a.bottom);
    c.x1 = std::clamp(c.x1, a.left, a.right), c.y1 = std::clamp(c.y1, a.top, a.bottom);
    c.skipped = e0 == kNoEdge ? 0 : std::hypot(c.x0 - x0, c.y0 - y0);
    return c;
}

int pointsToPixels(int points, int dpi) {
    const long long p = static_cast<long long>(std::abs(points)) * dpi;
    return static_cast<int>((p + 36) / 72);
}

void TStyleLine::setStyle(int style) {
    style_ = style;
    if (style >= 2 && style <= 5 && canvas) {
        const double b = canvas->pixelsPerInch() / 72.0;  // pixels per point
        const int c = nearest(b * (width_ + 3)), d = nearest(b * (width_ + 7));
        const int b4 = nearest(4 * b), b12 = nearest(12 * b), b24 = nearest(24 * b);
        switch (style) {
            case 2:
                pattern_ = {b4, c};
                break;
            case 3:
                pattern_ = {b24, d};
                break;
            case 4:
                pattern_ = {b12, d, b4, d};
                break;
            case 5:
                pattern_ = {b12, c, b4, c, b4, c};
                break;
        }
    }
    period_ = std::accumulate(pattern_.begin(), pattern_.end(), 0);
}

void TStyleLine::setPattern(const std::vector<int>& lengths96) {
    const double scale = (canvas ? canvas->pixelsPerInch() : 96) / 96.0;
    std::vector<int> taken;
    for (int len : lengths96) {
        if (len == 0) break;
        taken.push_back(nearest(len * scale));
    }
    period_ = std::accumulate(taken.begin(), taken.end(), 0);
    taken.resize(taken.size() / 2 * 2);
    pattern_ = taken;
}

void TStyleLine::moveTo(int x, int y) {
    if (!canvas) return;
    canvas->moveTo(x, y);
    canvas->setPenStyle(PenStyle::Solid);
    canvas->setPenWidth(width_);
    segmentIndex_ = 1;
    segmentOffset_ = 1;
}

void TStyleLine::step(double& px, double& py, double length, double ux, double uy, bool draw) {
    px += length * ux;
    py += length * uy;
    if (draw)
        canvas->lineTo(nearest(px), nearest(py));
    else
        canvas->moveTo(nearest(px), nearest(py));
}

void TStyleLine::finish(int x, int y, bool draw) {
    if (draw)
        canvas->lineTo(x, y);
    else
        canvas->moveTo(x, y);
}

void TStyleLine::lineTo(int x, int y) {
    if (!canvas) return;
    if (style_ == 1 || pattern_.empty() || period_ <= 0) {
        canvas->lineTo(x, y);
        return;
    }
    const PixelPoint from = canvas->penPosition();
    const double dx = x - from.x, dy = y - from.y;
    double L = std::sqrt(dx * dx + dy * dy);
    if (L == 0) return;
    const double ux = dx / L, uy = dy / L;
    double px = from.x, py = from.y;
    const int count = static_cast<int>(pattern_.size());

    // Finish the period a previous line-to started.
    if (segmentIndex_ > 1 || segmentOffset_ > 1) {
        for (int k = segmentIndex_; k <= count; ++k) {
            const double r = pattern_[k - 1] - (k == segmentIndex_ ? segmentOffset_ - 1 : 0);
            if (r > L) {
                finish(x, y, k % 2 == 1);
                segmentOffset_ = segmentOffset_ + nearest(L);
                segmentIndex_ = k;
                return;
            }
            step(px, py, r, ux, uy, k % 2 == 1);
            L -= r;
            segmentOffset_ = 1;
        }
        segmentIndex_ = 1;
    }
    // Whole periods.
    const long n = static_cast<long>(L / period_);
    for (long i = 0; i < n; ++i)
        for (int k = 0; k + 1 < count; k += 2) {
            step(px, py, pattern_[k], ux, uy, true);
            step(px, py, pattern_[k + 1], ux, uy, false);
        }
    L -= static_cast<double>(n) * period_;
    // The tail.
    for (int k = 1; k <= count; ++k) {
        if (pattern_[k - 1] > L) {
            finish(x, y, k % 2 == 1);
            segmentOffset_ = nearest(L) + 1;
            segmentIndex_ = k;
            return;
        }
        step(px, py, pattern_[k - 1], ux, uy, k % 2 == 1);
        L -= pattern_[k - 1];
    }
    segmentIndex_ = 1;
    segmentOffset_ = 1;
}

void TStyleLine::skip(double length) {
    if (style_ == 1 || pattern_.empty() || period_ <= 0 || !(length > 0)) return;
    double rest = std::fmod(length, static_cast<double>(period_));
    for (int k = 1; k <= static_cast<int>(pattern_.size()); ++k) {
        if (pattern_[k - 1] > rest) {
            segmentIndex_ = k;
            segmentOffset_ = nearest(rest) + 1;
            return;
        }
        rest -= pattern_[k - 1];
    }
    segmentIndex_ = 1;
    segmentOffset_ = 1;
}

void TStyleLine::drawWithin(const PixelArea& area, double x0, double y0, double x1, double y1) {
    if (!canvas) return;
    const auto part = clipSegment(area, x0, y0, x1, y1);
    if (!part) return;
    if (part->x0 == x0 && part->y0 == y0 && part->x1 == x1 && part->y1 == y1) {
        moveTo(wholeNumber(x0), wholeNumber(y0));
        lineTo(wholeNumber(x1), wholeNumber(y1));
        return;
    }
    moveTo(wholeNumber(part->x0), wholeNumber(part->y0));
    skip(part->skipped);
    lineTo(wholeNumber(part->x1), wholeNumber(part->y1));
}

}  // namespace humidraw
