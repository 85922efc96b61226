#include "interaction/editor.h"

#include <algorithm>
#include <cmath>

#include "document/paint.h"
#include "moistek_internal/air_constants.h"
#include "lang/language.h"
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

int hitTest(const ObjectTable& objects, const ChartFrame& frame, const ViewTransform& view, double X,
            double Y, const std::function<TextExtent(const std::string&)>& measure) {
    int found = -1;
    for (int i = 0; i < ObjectTable::kCapacity && found < 0; ++i) {
        const ObjectRecord& r = objects.at(i);
        if (r.kind <= 0) break;
        if (isLineObject(r.kind)) {
            // Distances from the line where it is drawn: its ends at whole pixels (a line drawn
            // within the chart cut at its outline).
            ChartPoint a, b;
            if (!lineOnChart(frame, view, r, a, b)) continue;
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
            const ChartPoint P = stateToScreen(frame, view, r.h1, r.x1);
            const TextExtent e = measure(r.text);
            double left, top;
            labelTopLeft(r.labelPosition, P.x, P.y, e.width, e.height, left, top);
            if (X >= left && X <= left + e.width && Y >= top && Y <= top + e.height) found = i;
        }
    }
    return found;
}

int Editor::markerRadius() const {
    return wholeNumber(-0.3 * host_.frame().k2 * host_.screen().zoom);
}

PixelPoint Editor::pixelOf(const StatePoint& p) const {
    const ChartPoint c = stateToScreen(host_.frame(), host_.screen(), p.h, p.x);
    return {wholeNumber(c.x), wholeNumber(c.y)};
}

void Editor::commandEnd() {
    host_.setCursor(kCursorCross);
    host_.setStatus(1, "");
    view_ = ViewMode::None;
    if (isFreeSegment(state_)) {
        state_ = EditState::Idle;
        bandDrawn_ = false;
        host_.repaint();
    } else if (state_ == EditState::Picking || state_ == EditState::Selecting) {
        const bool selecting = state_ == EditState::Selecting;
        state_ = EditState::Idle;
        selection_.clear();
        dragIndex_ = -1;
        dragging_ = dragOutlineShown_ = false;
        host_.repaint();
        if (selecting) host_.selectionChanged();
    }
    if (host_.pointDialogVisible()) host_.hidePointDialog();
}

void Editor::startFreeSegment() {
    commandEnd();
    state_ = EditState::SegmentStart;
    bandDrawn_ = false;
    host_.prepareSegmentPen();
    host_.setStatus(1, translate("Editor", "始点を指示([SHIFT]+[右ｸﾘｯｸ]で数値入力)："));
    lastCommand_ = kFreeSegment;
}

void Editor::startErase() {
    commandEnd();
    state_ = EditState::Picking;
    selection_.clear();
    host_.setStatus(1, translate("Editor", "削除する図形を選択："));
    host_.setCursor(kCursorPick);
    lastCommand_ = kErase;
}

void Editor::startZoomMode() {
    view_ = ViewMode::Zoom;
    host_.setCursor(kCursorZoom);
    host_.setStatus(1, translate("Editor", "拡大[左ｸﾘｯｸ],縮小[右ｸﾘｯｸ],中止[ESC]"));
    // A view mode entered during a segment or a placement is not what Enter repeats.
    if (!isFreeSegment(state_) && placement_ == Placement::Off) lastCommand_ = kZoomMode;
}

void Editor::startPanningMode() {
    view_ = ViewMode::Pan;
    host_.setCursor(kCursorPan);
    host_.setStatus(1, translate("Editor", "[左ｸﾘｯｸ]でﾄﾞﾗｯｸﾞ、[右ｸﾘｯｸ]で解除"));
    if (!isFreeSegment(state_) && placement_ == Placement::Off) lastCommand_ = kPanMode;
}

void Editor::startTextPlacement(const std::string& text) {
    pendingText_ = text;
    if (text.empty()) return;
    placement_ = Placement::Waiting;
    host_.setStatus(1, translate("Editor", "文字記入位置を指示："));
}

void Editor::setPromptForEnd() {
    host_.setStatus(
        1,
        translate("Editor", "終点を指示([SHIFT]+[右ｸﾘｯｸ]:数値入力,[ESC]or[右ｸﾘｯｸ]:ｺﾏﾝﾄﾞ終了)："));
}

bool Editor::acceptTypedPoint() {
    if (!isTyping(state_)) return false;
    const CurrentState& s = host_.state();
    const PixelPoint P = pixelOf({s.h, s.x});
    host_.drawMarker(P, markerRadius());
    ownStartMark_ = true;
    if (state_ == EditState::TypingEnd) {
        if (appendSegment({s.h, s.x})) {
            host_.drawBand(segmentStart_, P);
            ownStartMark_ = false;  // the new object draws it
        }
    } else {
        setPromptForEnd();
    }
    // Either way the typed point starts the next segment.
    state_ = EditState::SegmentEnd;
    segmentStart_ = bandEnd_ = P;
    bandDrawn_ = false;
    segmentStartChart_ = bandEndChart_ = {s.h, s.x};
    return true;
}

bool Editor::appendSegment(const StatePoint& end) {
    if (host_.objects().full()) {
        host_.tell(translate("Editor", "線分作成"), ObjectTable::fullMessage());
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
    recordStep([&r](ObjectTable& t) { t.append(r); });
    return true;
}

void Editor::abandonTypedPoint() {
    state_ = stopTyping(state_);
}

void Editor::viewChanged() {
    if (hasSegmentStart(state_)) {
        segmentStart_ = pixelOf(segmentStartChart_);
        bandEnd_ = pixelOf(bandEndChart_);
    }
    // The outline follows the pointer: the next move draws it.
    if (placement_ == Placement::Shown) placement_ = Placement::Waiting;
}

void Editor::repainted() {
    if (hasSegmentStart(state_) && ownStartMark_) host_.drawMarker(segmentStart_, markerRadius());
    if (state_ == EditState::SegmentEnd && bandDrawn_) host_.drawBand(segmentStart_, bandEnd_);
    if (state_ == EditState::Picking || state_ == EditState::Selecting)
        for (int index : selection_) {
            const ObjectRecord& r = host_.objects().at(index);
            if (isLineObject(r.kind))
                host_.highlightLine(r);
            else
                host_.highlightText(r);
        }
    if (placement_ == Placement::Shown) host_.drawOutline(outline_);
}

void Editor::mouseMove(bool leftHeld, bool middleHeld, int x, int y) {
    pointer_ = {x, y};
    if (host_.pointDialogVisible()) return;
    const CurrentState s = screenToState(host_.frame(), host_.screen(), x, y);
    host_.state() = s;
    if (s.x >= 0 && s.RH <= 100) host_.setStatus(0, readoutText(s, host_.siUnits()));
    if (state_ == EditState::SegmentEnd) {
        if (bandDrawn_) host_.drawBand(segmentStart_, bandEnd_);
        host_.drawBand(segmentStart_, pointer_);
        bandEnd_ = pointer_;
        bandEndChart_ = {s.h, s.x};
        bandDrawn_ = true;
    }
    if ((view_ == ViewMode::Pan && leftHeld) || (middleDrag_ && middleHeld)) {
        if (panStep_) {
            host_.scrollBy(-2 * (x - panAnchor_.x), -2 * (y - panAnchor_.y));
            panStep_ = false;
        } else {
            panStep_ = true;
            panAnchor_ = pointer_;
        }
    }
    if (state_ == EditState::Selecting && leftHeld && dragIndex_ >= 0) dragTo(x, y);
    if (placement_ != Placement::Off) {
        if (placement_ == Placement::Shown) host_.drawOutline(outline_);
        const TextExtent e = host_.textExtent(pendingText_);
        outline_ = {PixelPoint{x, y},
                    {x + e.width, y},
                    {x + e.width, y - e.height},
                    {x, y - e.height},
                    {x, y}};
        host_.drawOutline(outline_);
        placement_ = Placement::Shown;
    }
}

void Editor::freeSegmentClick(MouseButton b, bool shift, int x, int y) {
    if (shift && b == MouseButton::Right) {
        if (state_ == EditState::SegmentEnd && bandDrawn_) {
            host_.drawBand(segmentStart_, bandEnd_);
            bandDrawn_ = false;
        }
        state_ = startTyping(state_);
        host_.showPointDialog(state_ == EditState::TypingStart
                                  ? translate("Editor", "始点の状態値を入力")
                                  : translate("Editor", "終点の状態値を入力"));
        return;
    }
    if (b == MouseButton::Right) {
        state_ = EditState::Idle;
        bandDrawn_ = false;
        host_.repaint();
        host_.setStatus(1, "");
        return;
    }
    if (b != MouseButton::Left || isTyping(state_)) return;
    const CurrentState& s = host_.state();
    if (state_ == EditState::SegmentEnd) {
        if (!appendSegment({s.h, s.x})) return;
        host_.drawMarker({x, y}, markerRadius());
        ownStartMark_ = false;  // the new object draws it
    } else {
        host_.drawMarker({x, y}, markerRadius());
        ownStartMark_ = true;
        state_ = EditState::SegmentEnd;
        setPromptForEnd();
    }
    // The band now starts at the click: the old one stays drawn as the segment.
    segmentStart_ = bandEnd_ = {x, y};
    bandDrawn_ = false;
    segmentStartChart_ = bandEndChart_ = {s.h, s.x};
}

void Editor::pickClick(MouseButton b, int x, int y) {
    if (b == MouseButton::Right) {
        confirmErase();
        return;
    }
    if (b != MouseButton::Left) return;
    const int hit = hitTest(host_.objects(), host_.frame(), host_.screen(), x, y,
                            [this](const std::string& t) { return host_.textExtent(t); });
    if (hit < 0 || std::find(selection_.begin(), selection_.end(), hit) != selection_.end()) return;
    const ObjectRecord& r = host_.objects().at(hit);
    if (isLineObject(r.kind))
        host_.highlightLine(r);
    else
        host_.highlightText(r);
    selection_.push_back(hit);
}

void Editor::mouseDown(MouseButton b, bool shift, int x, int y) {
    pointer_ = {x, y};
    if (b == MouseButton::Middle) {
        // A middle drag pans in every mode; it ends zoom mode, not pan mode.
        middleDrag_ = true;
        panStep_ = true;
        if (view_ == ViewMode::Zoom) view_ = ViewMode::None;
        host_.setCursor(kCursorPan);
        panAnchor_ = pointer_;
        return;
    }
    if (state_ == EditState::Idle && view_ == ViewMode::None && placement_ == Placement::Off &&
        b == MouseButton::Right) {
        host_.runCommand(lastCommand_);
        return;
    }
    // The view mode first; under it the free segment, then picking, then the placement.
    if (isFreeSegment(state_) && view_ == ViewMode::None) {
        freeSegmentClick(b, shift, x, y);
    } else if (view_ == ViewMode::Zoom) {
        host_.zoomStep(b == MouseButton::Left, true);
    } else if (state_ == EditState::Picking) {
        pickClick(b, x, y);
    } else if (state_ == EditState::Selecting && view_ == ViewMode::None) {
        if (b == MouseButton::Left) selectClick(shift, x, y);
    } else if (view_ == ViewMode::Pan) {
        if (b == MouseButton::Right) {
            view_ = ViewMode::None;
            host_.setCursor(kCursorCross);
            host_.setStatus(1, "");
        } else {
            panAnchor_ = pointer_;
            panStep_ = true;
        }
    } else if (placement_ != Placement::Off) {
        placeText(b, x, y);
    }
}

void Editor::placeText(MouseButton b, int x, int y) {
    if (placement_ == Placement::Shown) host_.drawOutline(outline_);  // off the box and picture
    placement_ = Placement::Off;
    host_.setStatus(1, "");
    if (b == MouseButton::Right) return;
    if (host_.objects().full()) {
        host_.tell("Humidraw", ObjectTable::fullMessage());
        return;
    }
    // The text's bottom-left corner at the click; label position 2 keeps it there.
    const TextExtent e = host_.textExtent(pendingText_);
    const CurrentState s = screenToState(host_.frame(), host_.screen(), x - e.height / 2.0, y + e.height / 2.0);
    host_.state() = s;
    ObjectRecord r;
    r.kind = kTextObject;
    r.colour = host_.attributes().colour;
    r.h1 = s.h;
    r.x1 = s.x;
    r.labelPosition = 2;
    r.text = pendingText_;
    recordStep([&r](ObjectTable& t) { t.append(r); });
    host_.repaint();
}

void Editor::confirmErase() {
    state_ = EditState::Idle;
    host_.setStatus(1, "");
    host_.setCursor(kCursorCross);
    recordStep([this](ObjectTable& t) {
        for (int index : selection_) t.markDeleted(index);
    });
    selection_.clear();
    host_.repaint();
}

void Editor::mouseUp(MouseButton b, int x, int y) {
    pointer_ = {x, y};
    if (b == MouseButton::Left && dragIndex_ >= 0) dropText(x, y);
    if (b == MouseButton::Middle && middleDrag_) {
        middleDrag_ = false;
        host_.setCursor(view_ == ViewMode::Pan    ? kCursorPan
                        : view_ == ViewMode::Zoom ? kCursorZoom
                                                  : kCursorCross);
    }
}

bool Editor::wheel(bool up) {
    if (middleDrag_) return false;
    // Always a step at the pointer. It ends zoom mode (the cursor stays) and keeps pan mode.
    if (view_ == ViewMode::Zoom) view_ = ViewMode::None;
    host_.zoomStep(up, true);
    return true;
}

void Editor::escapeKey() {
    dragIndex_ = -1;
    if (state_ == EditState::Selecting && view_ == ViewMode::None && !selection_.empty()) {
        // The first Esc drops the selection, the next one ends the command.
        dragging_ = dragOutlineShown_ = false;
        setSelection({});
        return;
    }
    // During a free segment Esc first leaves the view mode: zoom mode ends, pan mode stays.
    if (!isFreeSegment(state_) || view_ == ViewMode::None) {
        commandEnd();
        return;
    }
    if (view_ == ViewMode::Zoom) view_ = ViewMode::None;
    host_.setCursor(kCursorCross);
}

void Editor::enterKey() {
    if (state_ != EditState::Idle || view_ != ViewMode::None) {
        if (state_ == EditState::Picking) confirmErase();
        if (state_ == EditState::Selecting && view_ == ViewMode::None && selection_.size() == 1 &&
            host_.objects().at(selection_[0]).kind == kTextObject)
            host_.editText(selection_[0]);
        return;
    }
    host_.runCommand(lastCommand_);
}

}  // namespace humidraw
