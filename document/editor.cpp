#include "document/editor.h"

#include <algorithm>
#include <cmath>

#include "engine/air_constants.h"
#include "text/number_format.h"

namespace humidraw {
namespace {

bool between(double v, double a, double b) {
    return v >= std::min(a, b) && v <= std::max(a, b);
}

}  // namespace

std::string readoutText(const CurrentState& s, bool si) {
    return "DB:" + formatPrintfFixed(s.DB, 1, 5) + " RH:" + formatPrintfFixed(s.RH, 1, 5) +
           " WB:" + formatPrintfFixed(s.WB, 1, 5) +
           " H:" + formatPrintfFixed(si ? s.h * kKJPerKcal : s.h, 1, 5) +
           " X:" + formatPrintfFixed(s.x, 4, 7) + " SV:" + formatPrintfFixed(s.SV, 3, 6);
}

int hitTest(const ObjectTable& objects, const ChartFrame& frame, double X, double Y,
            const std::function<TextExtent(const std::string&)>& measure) {
    int found = -1;
    for (int i = 0; i < ObjectTable::kCapacity && found < 0; ++i) {
        const ObjectRecord& r = objects.at(i);
        if (r.kind <= 0) break;
        if (isLineObject(r.kind)) {
            // Distances from the line where it is drawn: its ends at whole pixels.
            const ChartPoint a = frame.map(r.h1, r.x1), b = frame.map(r.h2, r.x2);
            const ChartPoint A{static_cast<double>(wholeNumber(a.x)),
                               static_cast<double>(wholeNumber(a.y))};
            const ChartPoint B{static_cast<double>(wholeNumber(b.x)),
                               static_cast<double>(wholeNumber(b.y))};
            double fx, fy;
            if (std::fabs(A.x - B.x) <= 1) {
                fx = A.x, fy = Y;
            } else if (std::fabs(A.y - B.y) <= 1) {
                fx = X, fy = A.y;
            } else {
                const double m = (A.y - B.y) / (A.x - B.x), c = A.y - m * A.x;
                fx = (X / m + Y - c) / (m + 1 / m);
                fy = m * fx + c;
            }
            if (between(fx, A.x, B.x) && between(fy, A.y, B.y) && std::hypot(X - fx, Y - fy) < 5)
                found = i;
        } else if (r.kind == kTextObject) {
            const ChartPoint P = frame.map(r.h1, r.x1);
            const TextExtent e = measure(r.text);
            double left, top;
            labelTopLeft(r.labelPosition, P.x, P.y, e.width, e.height, left, top);
            if (X >= left && X <= left + e.width && Y >= top && Y <= top + e.height) found = i;
        }
    }
    return found;
}

int Editor::markerRadius() const {
    return wholeNumber(-0.3 * host_.frame().k2 * host_.frame().zoom);
}

PixelPoint Editor::pixelOf(const StatePoint& p) const {
    const ChartPoint c = host_.frame().map(p.h, p.x);
    return {wholeNumber(c.x), wholeNumber(c.y)};
}

void Editor::commandEnd() {
    host_.setCursor(kCursorCross);
    host_.setStatus(1, "");
    zoomMode_ = false;
    panningMode_ = false;
    if (segmentState_ > 0) {
        segmentState_ = 0;
        bandDrawn_ = false;
        host_.repaint();
    }
    if (selecting_) {
        selecting_ = false;
        erasePending_ = false;
        selection_.clear();
        host_.repaint();
    }
    if (host_.pointDialogVisible()) host_.hidePointDialog();
}

void Editor::startFreeSegment() {
    host_.setModified();
    commandEnd();
    segmentState_ = 2;
    bandDrawn_ = false;
    host_.prepareSegmentPen();
    host_.setStatus(1, "始点を指示([SHIFT]+[右ｸﾘｯｸ]で数値入力)：");
    lastCommand_ = kFreeSegment;
}

void Editor::startErase() {
    commandEnd();
    erasePending_ = true;
    selecting_ = true;
    selection_.clear();
    host_.setStatus(1, "削除する図形を選択：");
    host_.setCursor(kCursorPick);
    lastCommand_ = kErase;
}

void Editor::startZoomMode() {
    zoomMode_ = true;
    panningMode_ = false;
    host_.setCursor(kCursorZoom);
    host_.setStatus(1, "拡大[左ｸﾘｯｸ],縮小[右ｸﾘｯｸ],中止[ESC]");
    if (segmentState_ == 0 && !placing_) lastCommand_ = kZoomMode;
}

void Editor::startPanningMode() {
    panningMode_ = true;
    zoomMode_ = false;
    host_.setCursor(kCursorPan);
    host_.setStatus(1, "[左ｸﾘｯｸ]でﾄﾞﾗｯｸﾞ、[右ｸﾘｯｸ]で解除");
    if (segmentState_ == 0 && !placing_) lastCommand_ = kPanMode;
}

void Editor::startTextPlacement(const std::string& text) {
    pendingText_ = text;
    if (text.empty()) return;
    placing_ = true;
    outlineDrawn_ = false;
    host_.setStatus(1, "文字記入位置を指示：");
}

void Editor::setPromptForEnd() {
    host_.setStatus(1, "終点を指示([SHIFT]+[右ｸﾘｯｸ]:数値入力,[ESC]or[右ｸﾘｯｸ]:ｺﾏﾝﾄﾞ終了)：");
}

bool Editor::acceptTypedPoint() {
    if (segmentState_ < 3) return false;
    const CurrentState& s = host_.state();
    const PixelPoint P = pixelOf({s.h, s.x});
    host_.drawMarker(P, markerRadius());
    ownStartMark_ = true;
    if (segmentState_ - 2 == 1) {
        if (appendSegment({s.h, s.x})) {
            host_.drawBand(segmentStart_, P);
            ownStartMark_ = false;  // the new object draws it
        }
    } else {
        setPromptForEnd();
    }
    segmentState_ = 1;
    segmentStart_ = bandEnd_ = P;
    bandDrawn_ = false;
    segmentStartChart_ = bandEndChart_ = {s.h, s.x};
    return true;
}

bool Editor::appendSegment(const StatePoint& end) {
    if (host_.objects().full()) {
        host_.tell("線分作成", "図形の数が上限(640)に達しているため追加できません");
        return false;
    }
    ObjectRecord r;
    r.kind = kLineBothMarkers;
    r.colour = host_.attributes().colour;
    r.width = host_.attributes().width;
    r.style = host_.attributes().style;
    r.h1 = segmentStartChart_.h;
    r.x1 = segmentStartChart_.x;
    r.h2 = end.h;
    r.x2 = end.x;
    host_.objects().append(r);
    return true;
}

void Editor::abandonTypedPoint() {
    if (segmentState_ >= 3) segmentState_ -= 2;
}

void Editor::viewChanged() {
    if (segmentState_ == 1 || segmentState_ == 3) {
        segmentStart_ = pixelOf(segmentStartChart_);
        bandEnd_ = pixelOf(bandEndChart_);
    }
    outlineDrawn_ = false;  // it follows the pointer: the next move draws it
}

void Editor::repainted() {
    if ((segmentState_ == 1 || segmentState_ == 3) && ownStartMark_)
        host_.drawMarker(segmentStart_, markerRadius());
    if (segmentState_ == 1 && bandDrawn_) host_.drawBand(segmentStart_, bandEnd_);
    if (selecting_)
        for (int index : selection_) {
            const ObjectRecord& r = host_.objects().at(index);
            if (isLineObject(r.kind))
                host_.highlightLine(r);
            else
                host_.highlightText(r);
        }
    if (placing_ && outlineDrawn_) host_.drawOutline(outline_);
}

void Editor::mouseMove(bool leftHeld, bool middleHeld, int x, int y) {
    pointer_ = {x, y};
    if (host_.pointDialogVisible()) return;
    const CurrentState s = screenToState(host_.frame(), x, y);
    host_.state() = s;
    if (s.x >= 0 && s.RH <= 100) host_.setStatus(0, readoutText(s, host_.siUnits()));
    if (segmentState_ == 1) {
        if (bandDrawn_) host_.drawBand(segmentStart_, bandEnd_);
        host_.drawBand(segmentStart_, pointer_);
        bandEnd_ = pointer_;
        bandEndChart_ = {s.h, s.x};
        bandDrawn_ = true;
    }
    if ((panningMode_ && leftHeld) || (middleDrag_ && middleHeld)) {
        if (panStep_) {
            host_.scrollBy(-2 * (x - panAnchor_.x), -2 * (y - panAnchor_.y));
            panStep_ = false;
        } else {
            panStep_ = true;
            panAnchor_ = pointer_;
        }
    }
    if (placing_) {
        if (outlineDrawn_) host_.drawOutline(outline_);
        const TextExtent e = host_.textExtent(pendingText_);
        outline_ = {PixelPoint{x, y},
                    {x + e.width, y},
                    {x + e.width, y - e.height},
                    {x, y - e.height},
                    {x, y}};
        host_.drawOutline(outline_);
        outlineDrawn_ = true;
    }
}

void Editor::freeSegmentClick(MouseButton b, bool shift, int x, int y) {
    if (shift && b == MouseButton::Right) {
        stateBeforeTyping_ = segmentState_;
        segmentState_ += 2;
        if (segmentState_ == 3 && bandDrawn_) {
            host_.drawBand(segmentStart_, bandEnd_);
            bandDrawn_ = false;
        }
        host_.showPointDialog(stateBeforeTyping_ == 2 ? "始点の状態値を入力"
                                                      : "終点の状態値を入力");
        return;
    }
    if (b == MouseButton::Right) {
        segmentState_ = 0;
        bandDrawn_ = false;
        host_.repaint();
        host_.setStatus(1, "");
        return;
    }
    if (b != MouseButton::Left || segmentState_ > 2) return;
    const CurrentState& s = host_.state();
    if (segmentState_ == 1) {
        if (!appendSegment({s.h, s.x})) return;
        host_.drawMarker({x, y}, markerRadius());
        ownStartMark_ = false;  // the new object draws it
    } else {
        host_.drawMarker({x, y}, markerRadius());
        ownStartMark_ = true;
        segmentState_ = 1;
        setPromptForEnd();
    }
    // The band now starts at the click: the old one stays drawn as the segment.
    segmentStart_ = bandEnd_ = {x, y};
    bandDrawn_ = false;
    segmentStartChart_ = bandEndChart_ = {s.h, s.x};
}

void Editor::mouseDown(MouseButton b, bool shift, int x, int y) {
    pointer_ = {x, y};
    if (b == MouseButton::Middle) {
        middleDrag_ = true;
        panStep_ = true;
        zoomMode_ = false;
        host_.setCursor(kCursorPan);
        panAnchor_ = pointer_;
        return;
    }
    const bool idle = segmentState_ == 0 && !panningMode_ && !selecting_ && !zoomMode_;
    if (idle && !placing_ && b == MouseButton::Right) {
        host_.runCommand(lastCommand_);
        return;
    }
    if (segmentState_ > 0 && !zoomMode_ && !panningMode_) {
        freeSegmentClick(b, shift, x, y);
        return;
    }
    if (zoomMode_) {
        host_.zoomStep(b == MouseButton::Left, true);
        return;
    }
    if (selecting_) {
        if (b == MouseButton::Left) {
            const int hit = hitTest(host_.objects(), host_.frame(), x, y,
                                    [this](const std::string& t) { return host_.textExtent(t); });
            if (hit >= 0 &&
                std::find(selection_.begin(), selection_.end(), hit) == selection_.end()) {
                const ObjectRecord& r = host_.objects().at(hit);
                if (isLineObject(r.kind))
                    host_.highlightLine(r);
                else
                    host_.highlightText(r);
                selection_.push_back(hit);
            }
        } else if (b == MouseButton::Right) {
            confirmErase();
        }
        return;
    }
    if (panningMode_) {
        if (b == MouseButton::Right) {
            panningMode_ = false;
            host_.setCursor(kCursorCross);
            host_.setStatus(1, "");
        } else {
            panAnchor_ = pointer_;
            panStep_ = true;
        }
        return;
    }
    if (placing_) placeText(b, x, y);
}

void Editor::placeText(MouseButton b, int x, int y) {
    if (outlineDrawn_) host_.drawOutline(outline_);  // off the paint box and the picture
    outlineDrawn_ = false;
    placing_ = false;
    host_.setStatus(1, "");
    if (b == MouseButton::Right) return;
    if (host_.objects().full()) {
        host_.tell("Humidraw", "図形の数が上限(640)に達しているため追加できません");
        return;
    }
    // The text's bottom-left corner at the click; label position 2 keeps it there.
    const TextExtent e = host_.textExtent(pendingText_);
    const CurrentState s = screenToState(host_.frame(), x - e.height / 2.0, y + e.height / 2.0);
    host_.state() = s;
    ObjectRecord r;
    r.kind = kTextObject;
    r.colour = host_.attributes().colour;
    r.h1 = s.h;
    r.x1 = s.x;
    r.labelPosition = 2;
    r.text = pendingText_;
    host_.objects().append(r);
    host_.repaint();
}

void Editor::confirmErase() {
    selecting_ = false;
    host_.setStatus(1, "");
    host_.setCursor(kCursorCross);
    if (!erasePending_) return;
    for (int index : selection_) host_.objects().markDeleted(index);
    if (!selection_.empty()) host_.setModified();
    selection_.clear();
    host_.repaint();
    erasePending_ = false;
}

void Editor::mouseUp(MouseButton b, int x, int y) {
    pointer_ = {x, y};
    if (b == MouseButton::Middle && middleDrag_) {
        middleDrag_ = false;
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

void Editor::escapeKey() {
    if (segmentState_ <= 0 || !(zoomMode_ || panningMode_)) {
        commandEnd();
        return;
    }
    zoomMode_ = false;
    host_.setCursor(kCursorCross);
}

void Editor::enterKey() {
    if (segmentState_ != 0 || panningMode_ || selecting_ || zoomMode_) {
        if (erasePending_) confirmErase();
        return;
    }
    host_.runCommand(lastCommand_);
}

}  // namespace humidraw
