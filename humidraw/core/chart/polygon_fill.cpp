// The polygon fill of surfaces that only fill rectangles: one rectangle per run of pixels on
// every pixel row, the rows sampled at their centres.
#include <algorithm>
#include <cmath>
#include <vector>

#include "chart/canvas.h"

namespace humidraw {

void Canvas::fillPolygon(const PixelPoint* points, int count) {
    if (count < 3) return;
    int top = points[0].y, bottom = points[0].y;
    for (int i = 1; i < count; ++i) {
        top = std::min(top, points[i].y);
        bottom = std::max(bottom, points[i].y);
    }
    std::vector<double> crossings;
    for (int y = top; y < bottom; ++y) {
        const double cy = y + 0.5;
        crossings.clear();
        for (int i = 0; i < count; ++i) {
            const PixelPoint& a = points[i];
            const PixelPoint& b = points[(i + 1) % count];
            if ((a.y <= cy) == (b.y <= cy)) continue;
            crossings.push_back(a.x + (cy - a.y) * (b.x - a.x) / static_cast<double>(b.y - a.y));
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
            const int left = static_cast<int>(std::lround(crossings[i]));
            const int right = static_cast<int>(std::lround(crossings[i + 1]));
            if (right > left) fillRect(left, y, right, y + 1);
        }
    }
}

}  // namespace humidraw
