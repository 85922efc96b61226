#include "view/view_zoom.h"

#include <algorithm>
#include <cmath>

#include "text/number_format.h"

namespace humidraw {
void clampScroll(ViewState& v, const Viewport& port) {
    v.scrollX = std::clamp(v.scrollX, 0, std::max(0, v.boxWidth - port.clientWidth));
    v.scrollY = std::clamp(v.scrollY, 0, std::max(0, v.boxHeight - port.clientHeight));
}

void layoutBox(ViewState& v, const Viewport& port) {
    v.boxWidth = wholeNumber(640 * v.zoom);
    v.boxHeight = wholeNumber(480 * v.zoom);
    if (v.boxWidth < port.clientWidth) {
        v.boxLeft = wholeNumber((port.clientWidth - v.boxWidth) / 2.0);
    } else {
        v.scrollX = 0;
        v.boxLeft = 0;
    }
    if (v.boxHeight < port.clientHeight) {
        v.boxTop = wholeNumber((port.clientHeight - v.boxHeight) / 2.0);
    } else {
        v.scrollY = 0;
        v.boxTop = 0;
    }
}

bool zoomStep(ViewState& v, bool in, const Viewport& port, ZoomAnchor& anchor) {
    if (in ? v.boxWidth >= kZoomInLimit : v.boxWidth < kZoomOutLimit) return false;
    const double F = in ? kZoomInFactor : kZoomOutFactor;
    const double Vx = port.clientWidth / 2.0 + v.scrollX;
    const double Vy = port.clientHeight / 2.0 + v.scrollY;
    int cx, cy;
    if (anchor.atPointer) {
        const double mx = anchor.x, my = anchor.y;
        if (in) {
            cx = wholeNumber(mx - (mx - Vx) / F);
            cy = wholeNumber(my - (my - Vy) / F);
            anchor.x = wholeNumber(mx * F);
            anchor.y = wholeNumber(my * F);
        } else {
            cx = wholeNumber(mx - (mx - Vx) * F);
            cy = wholeNumber(my - (my - Vy) * F);
            anchor.x = wholeNumber(mx / F);
            anchor.y = wholeNumber(my / F);
        }
    } else {
        cx = wholeNumber(Vx);
        cy = wholeNumber(Vy);
    }
    const double W0 = v.boxWidth, H0 = v.boxHeight;
    v.zoom = in ? v.zoom * F : v.zoom / F;
    layoutBox(v, port);
    v.scrollX = wholeNumber(cx / W0 * v.boxWidth - port.clientWidth / 2.0);
    v.scrollY = wholeNumber(cy / H0 * v.boxHeight - port.clientHeight / 2.0);
    clampScroll(v, port);
    return true;
}

void zoomAll(ViewState& v, const Viewport& port) {
    v.zoom = std::min(port.outerWidth / 640.0, port.outerHeight / 480.0);
    if (!(v.zoom > 0)) v.zoom = 1.0;
    v.scrollX = v.scrollY = 0;
    v.boxLeft = v.boxTop = 0;
    layoutBox(v, port);
}

void zoomOriginal(ViewState& v, const Viewport& port) {
    v.zoom = 2.0;
    layoutBox(v, port);
    clampScroll(v, port);
}

}  // namespace humidraw
