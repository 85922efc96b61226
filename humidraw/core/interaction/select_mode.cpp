// 選択: picking lines and texts to change their attributes, edit a text, move it or delete them,
// each change one step of the history.
#include <algorithm>
#include <cstdlib>

#include "design/design_edit.h"
#include "design/design_overlay.h"
#include "document/paint.h"
#include "interaction/modes.h"
#include "lang/language.h"
#include "text/number_format.h"

namespace humidraw {

SelectMode::SelectMode(EditorHost& host) : CommandMode(host) {
    host_.prompt().setStatus(
        1, translate("Editor", "図形を選択([SHIFT]+[左ｸﾘｯｸ]で追加, [ESC]で解除)："));
    host_.prompt().setCursor(kCursorPick);
}

void SelectMode::setSelection(std::vector<int> picked) {
    selection_ = std::move(picked);
    // The repaint takes the old highlights away and draws the new ones.
    host_.repaint();
    host_.changed(Change::Selection);
}

std::optional<size_t> SelectMode::designPointAt(PixelPoint at) {
    const auto* layer =
        dynamic_cast<const design::DesignOverlay*>(host_.document().objects.design.get());
    if (!layer) return std::nullopt;
    const EditorView v = host_.chartView();
    // The marker and a few pixels round it.
    return layer->pointAt(v.frame, v.screen, at.x, at.y, markerRadius() + 4);
}

bool SelectMode::press(const Press& p) {
    if (p.button != MouseButton::Left) return true;
    // A design point lies over the objects: it is taken first.
    if (const auto point = designPointAt(p.at)) {
        status_ = Status::PointPressed;
        point_ = *point;
        keepFirst_ = p.shift;
        from_ = p.at;
        designBefore_ = host_.document().objects.design;
        return true;
    }
    const int hit = pick(p.at);
    const bool held =
        hit >= 0 && std::find(selection_.begin(), selection_.end(), hit) != selection_.end();
    if (p.shift) {
        if (hit < 0 || held) return true;
        std::vector<int> more = selection_;
        more.push_back(hit);
        setSelection(std::move(more));
        return true;
    }
    if (!held) setSelection(hit < 0 ? std::vector<int>{} : std::vector<int>{hit});
    // A text under the button can be dragged to a new place.
    if (hit >= 0 && host_.document().objects.at(hit).kind == kTextObject) {
        status_ = Status::Pressed;
        held_ = hit;
        from_ = p.at;
        const EditorView v = host_.chartView();
        fromAt_ = screenToState(v.frame, v.screen, p.at.x, p.at.y);
    }
    return true;
}

void SelectMode::selectAll() {
    std::vector<int> all;
    host_.document().objects.walk([&all](int i, const ObjectRecord& r) {
        if (isLineObject(r.kind) || r.kind == kTextObject) all.push_back(i);
    });
    setSelection(std::move(all));
}

bool SelectMode::deleteSelected() {
    if (selection_.empty()) return false;
    recordStep([this](ObjectTable& t) {
        for (int index : selection_) t.markDeleted(index);
    });
    status_ = Status::Picking;
    setSelection({});
    return true;
}

bool SelectMode::changeSelected(LineAttribute p, int value) {
    if (selection_.empty()) return false;
    const bool changed = recordStep([this, p, value](ObjectTable& t) {
        for (int index : selection_) {
            ObjectRecord& r = t.at(index);
            // A text has a colour only.
            if (p == LineAttribute::Colour)
                r.colour = value;
            else if (isLineObject(r.kind))
                (p == LineAttribute::Width ? r.width : r.style) = value;
        }
    });
    if (changed) host_.repaint();
    return changed;
}

bool SelectMode::selectionAttributes(const CurrentAttributes& current,
                                     CurrentAttributes& shown) const {
    if (selection_.empty()) return false;
    const ObjectTable& objects = host_.document().objects;
    shown = current;
    shown.colour = objects.at(selection_[0]).colour;
    for (int index : selection_) {
        const ObjectRecord& r = objects.at(index);
        if (isLineObject(r.kind)) {
            shown = {r.colour, r.width, r.style};
            break;
        }
    }
    return true;
}

Outline SelectMode::textOutline(const ObjectRecord& r, int dx, int dy) {
    const EditorView v = host_.chartView();
    const ChartPoint P = stateToScreen(v.frame, v.screen, r.h1, r.x1);
    const TextExtent e = host_.marks().textExtent(r.text);
    double left, top;
    labelTopLeft(r.labelPosition, P.x + dx, P.y + dy, e.width, e.height, left, top);
    const int l = wholeNumber(left), t = wholeNumber(top);
    return {
        PixelPoint{l, t}, {l + e.width, t}, {l + e.width, t + e.height}, {l, t + e.height}, {l, t}};
}

void SelectMode::dragPoint(PixelPoint at) {
    const EditorView v = host_.chartView();
    const auto* before = dynamic_cast<const design::DesignOverlay*>(designBefore_.get());
    if (!before) return;
    const CurrentState s = screenToState(v.frame, v.screen, at.x, at.y);
    const MoistAir& air = v.frame.air;
    const auto there = design::stateAt(air, s.DB, s.x);
    if (!there) return;  // off the chart's air: the point stays where it last was
    const auto moved = design::movedPoint(air, before->design(), point_, *there,
                                          keepFirst_ ? std::optional<int>(0) : std::nullopt);
    // A place where the design cannot be computed (a process that cannot follow) is not taken.
    if (!moved) return;
    host_.document().objects.design = designLayer(std::move(*moved), v.frame);
    host_.repaint();
}

void SelectMode::dropPoint() {
    if (status_ == Status::PointDragging) {
        host_.document().objects.design = designBefore_;
        host_.repaint();
    }
    designBefore_.reset();
    status_ = Status::Picking;
}

void SelectMode::move(PixelPoint at, const CurrentState&, bool leftHeld) {
    if (!leftHeld || status_ == Status::Picking) return;
    const bool inPlay = std::abs(at.x - from_.x) < 3 && std::abs(at.y - from_.y) < 3;
    if (status_ == Status::PointPressed || status_ == Status::PointDragging) {
        if (status_ == Status::PointPressed && inPlay) return;
        status_ = Status::PointDragging;
        dragPoint(at);
        return;
    }
    // A few pixels of play, so that a click is not a move.
    if (status_ == Status::Pressed && inPlay) return;
    hideOutline();
    status_ = Status::Dragging;
    outline_ = textOutline(host_.document().objects.at(held_), at.x - from_.x, at.y - from_.y);
    host_.marks().drawOutline(outline_);
    outlineShown_ = true;
}

void SelectMode::hideOutline() {
    if (status_ == Status::Dragging && outlineShown_) host_.marks().drawOutline(outline_);
    outlineShown_ = false;
}

void SelectMode::marksAgain() {
    highlightAll(selection_);
    // A repaint during a drag took the outline off the picture with everything else.
    if (status_ == Status::Dragging && outlineShown_) host_.marks().drawOutline(outline_);
}

void SelectMode::viewChanged() {
    if (status_ == Status::Picking || status_ == Status::PointPressed ||
        status_ == Status::PointDragging)
        return;
    // The repaint to come takes the outline; the next move draws it at the new scale, measured
    // from where the button went down as that place now shows.
    outlineShown_ = false;
    const EditorView v = host_.chartView();
    const ChartPoint p = stateToScreen(v.frame, v.screen, fromAt_.h, fromAt_.x);
    from_ = {wholeNumber(p.x), wholeNumber(p.y)};
}

void SelectMode::release(MouseButton b, PixelPoint at) {
    if (b != MouseButton::Left || status_ == Status::Picking) return;
    if (status_ == Status::PointPressed || status_ == Status::PointDragging) {
        const bool moved = status_ == Status::PointDragging;
        const std::shared_ptr<const PaintOverlay> last = host_.document().objects.design;
        host_.document().objects.design = designBefore_;
        designBefore_.reset();
        status_ = Status::Picking;
        // The whole drag is one step: from the design before it to where it was let go.
        if (moved) recordStep([&](ObjectTable& t) { t.design = last; });
        host_.repaint();
        return;
    }
    const bool moved = status_ == Status::Dragging;
    hideOutline();
    status_ = Status::Picking;
    if (!moved) return;
    // The text's anchor moves with the pointer; its label position keeps the same corner there.
    const EditorView v = host_.chartView();
    const ObjectRecord& r = host_.document().objects.at(held_);
    const ChartPoint P = stateToScreen(v.frame, v.screen, r.h1, r.x1);
    const CurrentState s =
        screenToState(v.frame, v.screen, P.x + (at.x - from_.x), P.y + (at.y - from_.y));
    const int index = held_;
    recordStep([&](ObjectTable& t) {
        t.at(index).h1 = s.h;
        t.at(index).x1 = s.x;
    });
    host_.repaint();
}

bool SelectMode::escape() {
    if (status_ == Status::PointPressed || status_ == Status::PointDragging) {
        dropPoint();  // the point goes back where it was
        return true;
    }
    status_ = Status::Picking;
    if (selection_.empty()) return false;
    setSelection({});
    return true;
}

bool SelectMode::enter(bool underViewMode) {
    const ObjectTable& objects = host_.document().objects;
    if (!underViewMode && selection_.size() == 1 && objects.at(selection_[0]).kind == kTextObject)
        host_.prompt().editText(selection_[0]);
    return true;
}

void SelectMode::cancel() {
    if (status_ == Status::PointPressed || status_ == Status::PointDragging) dropPoint();
    selection_.clear();
    status_ = Status::Picking;
    host_.repaint();
    host_.changed(Change::Selection);
}

void SelectMode::dropDrag() {
    if (status_ == Status::PointPressed || status_ == Status::PointDragging) {
        dropPoint();
        return;
    }
    hideOutline();
    status_ = Status::Picking;
}

void SelectMode::keepLiveObjects() {
    const ObjectTable& objects = host_.document().objects;
    std::vector<int> kept;
    for (int index : selection_) {
        const int32_t kind = objects.at(index).kind;
        if (isLineObject(kind) || kind == kTextObject) kept.push_back(index);
    }
    selection_ = std::move(kept);
    host_.changed(Change::Selection);
}

}  // namespace humidraw
