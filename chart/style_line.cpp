#include "chart/style_line.h"

#include <cmath>
#include <numeric>

namespace humidraw {
namespace {
int nearest(double v) {
    return static_cast<int>(std::lround(v));
}
}  // namespace

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

}  // namespace humidraw
