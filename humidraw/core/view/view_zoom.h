#pragma once
// The view of the chart: zoom factor, paint-box size and place inside the scroll box, and the
// scroll positions; the zoom steps and fits that change them.
namespace humidraw {

struct ViewState {
    double zoom = 1.0;  // pixels per chart unit
    int boxWidth = 640, boxHeight = 480;
    int boxLeft = 0, boxTop = 0;  // inside the scroll box
    int scrollX = 0, scrollY = 0;
};

// The scroll box: its client area and its outer size.
struct Viewport {
    int clientWidth = 640, clientHeight = 480;
    int outerWidth = 640, outerHeight = 480;
};

constexpr double kZoomInFactor = 1.2, kZoomOutFactor = 1.1;
constexpr int kZoomInLimit = 3000;  // no zooming in from this paint-box width on
constexpr int kZoomOutLimit = 300;  // no zooming out below this width

// Where a zoom step keeps its fixed point: the view centre, or the pointer (updated to where
// the same chart point lies after the step).
struct ZoomAnchor {
    bool atPointer = false;
    int x = 0, y = 0;  // pointer, paint-box pixels
};

// One step in or out. False (nothing changed) at the limit.
bool zoomStep(ViewState& v, bool in, const Viewport& port, ZoomAnchor& anchor);
// Fits the whole chart into the scroll box.
void zoomAll(ViewState& v, const Viewport& port);
// Zoom factor 2.0.
void zoomOriginal(ViewState& v, const Viewport& port);
// Paint-box size for the zoom factor, centred when smaller than the client area.
void layoutBox(ViewState& v, const Viewport& port);
// Scroll positions kept within what the paint box allows.
void clampScroll(ViewState& v, const Viewport& port);

}  // namespace humidraw
