// ズーム and 画面移動, and the dragging of the chart that pan mode shares with the middle button.
#include "interaction/modes.h"
#include "lang/language.h"

namespace humidraw {

void Panner::move(EditorHost& host, PixelPoint at) {
    if (step_ == Step::Scroll) {
        host.scrollBy(-2 * (at.x - anchor_.x), -2 * (at.y - anchor_.y));
        step_ = Step::SetAnchor;
    } else {
        anchor_ = at;
        step_ = Step::Scroll;
    }
}

ZoomMode::ZoomMode(EditorHost& host) : ViewMode(host) {
    host_.prompt().setCursor(kCursorZoom);
    host_.prompt().setStatus(1, translate("Editor", "拡大[左ｸﾘｯｸ],縮小[右ｸﾘｯｸ],中止[ESC]"));
}

bool ZoomMode::press(MouseButton b, PixelPoint) {
    host_.zoomAtPointer(b == MouseButton::Left);
    return true;
}

PanMode::PanMode(EditorHost& host, Panner& panner) : ViewMode(host), panner_(panner) {
    host_.prompt().setCursor(kCursorPan);
    host_.prompt().setStatus(1, translate("Editor", "[左ｸﾘｯｸ]でﾄﾞﾗｯｸﾞ、[右ｸﾘｯｸ]で解除"));
}

bool PanMode::press(MouseButton b, PixelPoint at) {
    if (b == MouseButton::Right) {
        host_.prompt().setCursor(kCursorCross);
        host_.prompt().setStatus(1, "");
        return false;
    }
    panner_.grab(at);
    return true;
}

}  // namespace humidraw
