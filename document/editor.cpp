#include "document/editor.h"

namespace humidraw {

void Editor::commandEnd() {
    zoomMode_ = false;
    panningMode_ = false;
    pairStarted_ = false;
    host_.setCursor(kCursorCross);
    host_.setStatus(1, "");
}

void Editor::startZoomMode() {
    commandEnd();
    zoomMode_ = true;
    host_.setCursor(kCursorZoom);
    host_.setStatus(1, "拡大[左ｸﾘｯｸ],縮小[右ｸﾘｯｸ],中止[ESC]");
    lastCommand_ = 7;
}

void Editor::startPanningMode() {
    commandEnd();
    panningMode_ = true;
    host_.setCursor(kCursorPan);
    host_.setStatus(1, "[左ｸﾘｯｸ]でﾄﾞﾗｯｸﾞ、[右ｸﾘｯｸ]で解除");
    lastCommand_ = 8;
}

void Editor::mouseDown(MouseButton b, int x, int y) {
    pointerX_ = x;
    pointerY_ = y;
    if (b == MouseButton::Middle) {
        middleDrag_ = true;
        pairStarted_ = false;
        host_.setCursor(kCursorPan);
        return;
    }
    if (zoomMode_) {
        host_.zoomStep(b == MouseButton::Left, true);
        return;
    }
    if (panningMode_) {
        if (b == MouseButton::Right) {
            panningMode_ = false;
            host_.setCursor(kCursorCross);
            host_.setStatus(1, "");
        } else {
            pairStarted_ = false;
        }
    }
}

void Editor::mouseMove(bool leftHeld, bool middleHeld, int x, int y) {
    pointerX_ = x;
    pointerY_ = y;
    const bool dragging = (panningMode_ && leftHeld) || (middleDrag_ && middleHeld);
    if (!dragging) return;
    if (!pairStarted_) {
        pairX_ = x;
        pairY_ = y;
        pairStarted_ = true;
    } else {
        host_.scrollBy(-2 * (x - pairX_), -2 * (y - pairY_));
        pairStarted_ = false;
    }
}

void Editor::mouseUp(MouseButton b, int x, int y) {
    pointerX_ = x;
    pointerY_ = y;
    if (b == MouseButton::Middle && middleDrag_) {
        middleDrag_ = false;
        pairStarted_ = false;
        host_.setCursor(panningMode_ ? kCursorPan : zoomMode_ ? kCursorZoom : kCursorCross);
    }
}

bool Editor::wheel(bool up) {
    if (middleDrag_) return false;
    zoomMode_ = true;
    host_.zoomStep(up, true);
    zoomMode_ = false;
    return true;
}

}  // namespace humidraw
