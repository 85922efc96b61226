// 選択: picking lines and texts to change their attributes, edit a text, move it or delete them,
// each change one step of the history.
#include <algorithm>
#include <cstdlib>

#include "interaction/editor.h"
#include "lang/language.h"
#include "text/number_format.h"

namespace humidraw {

void Editor::startSelect() {
    commandEnd();
    state_ = EditState::Selecting;
    selection_.clear();
    dragIndex_ = -1;
    host_.setStatus(1, translate("Editor", "図形を選択([SHIFT]+[左ｸﾘｯｸ]で追加, [ESC]で解除)："));
    host_.setCursor(kCursorPick);
    host_.selectionChanged();
}

int Editor::pick(int x, int y) {
    return hitTest(host_.objects(), host_.frame(), host_.screen(), x, y,
                   [this](const std::string& t) { return host_.textExtent(t); });
}

void Editor::setSelection(std::vector<int> picked) {
    selection_ = std::move(picked);
    // The repaint takes the old highlights away and draws the new ones.
    host_.repaint();
    host_.selectionChanged();
}

void Editor::selectClick(bool shift, int x, int y) {
    const int hit = pick(x, y);
    const bool held =
        hit >= 0 && std::find(selection_.begin(), selection_.end(), hit) != selection_.end();
    if (shift) {
        if (hit < 0 || held) return;
        std::vector<int> more = selection_;
        more.push_back(hit);
        setSelection(std::move(more));
        return;
    }
    if (!held) setSelection(hit < 0 ? std::vector<int>{} : std::vector<int>{hit});
    // A text under the button can be dragged to a new place.
    if (hit >= 0 && host_.objects().at(hit).kind == kTextObject) {
        dragIndex_ = hit;
        dragFrom_ = {x, y};
        dragging_ = dragOutlineShown_ = false;
    }
}

void Editor::selectAll() {
    if (state_ != EditState::Selecting) return;
    std::vector<int> all;
    host_.objects().walk([&all](int i, const ObjectRecord& r) {
        if (isLineObject(r.kind) || r.kind == kTextObject) all.push_back(i);
    });
    setSelection(std::move(all));
}

bool Editor::deleteSelected() {
    if (state_ == EditState::Picking) {
        const bool any = !selection_.empty();
        confirmErase();
        return any;
    }
    if (state_ != EditState::Selecting || selection_.empty()) return false;
    recordStep([this](ObjectTable& t) {
        for (int index : selection_) t.markDeleted(index);
    });
    dragIndex_ = -1;
    setSelection({});
    return true;
}

bool Editor::changeSelected(LineAttribute p, int value) {
    if (state_ != EditState::Selecting || selection_.empty()) return false;
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

bool Editor::changeText(int index, const std::string& text, int labelPosition) {
    if (index < 0 || index >= host_.objects().count() ||
        host_.objects().at(index).kind != kTextObject || text.empty() || labelPosition < 0 ||
        labelPosition > 7)
        return false;
    const bool changed = recordStep([&](ObjectTable& t) {
        t.at(index).text = text;
        t.at(index).labelPosition = labelPosition;
    });
    if (changed) host_.repaint();
    return changed;
}

bool Editor::selectionAttributes(const CurrentAttributes& current, CurrentAttributes& shown) const {
    if (state_ != EditState::Selecting || selection_.empty()) return false;
    shown = current;
    shown.colour = host_.objects().at(selection_[0]).colour;
    for (int index : selection_) {
        const ObjectRecord& r = host_.objects().at(index);
        if (isLineObject(r.kind)) {
            shown = {r.colour, r.width, r.style};
            break;
        }
    }
    return true;
}

Outline Editor::textOutline(const ObjectRecord& r, int dx, int dy) {
    const ChartPoint P = stateToScreen(host_.frame(), host_.screen(), r.h1, r.x1);
    const TextExtent e = host_.textExtent(r.text);
    double left, top;
    labelTopLeft(r.labelPosition, P.x + dx, P.y + dy, e.width, e.height, left, top);
    const int l = wholeNumber(left), t = wholeNumber(top);
    return {
        PixelPoint{l, t}, {l + e.width, t}, {l + e.width, t + e.height}, {l, t + e.height}, {l, t}};
}

void Editor::dragTo(int x, int y) {
    // A few pixels of play, so that a click is not a move.
    if (!dragging_ && std::abs(x - dragFrom_.x) < 3 && std::abs(y - dragFrom_.y) < 3) return;
    dragging_ = true;
    if (dragOutlineShown_) host_.drawOutline(dragOutline_);
    dragOutline_ = textOutline(host_.objects().at(dragIndex_), x - dragFrom_.x, y - dragFrom_.y);
    host_.drawOutline(dragOutline_);
    dragOutlineShown_ = true;
}

void Editor::dropText(int x, int y) {
    const int index = dragIndex_;
    dragIndex_ = -1;
    if (!dragging_) return;
    dragging_ = false;
    if (dragOutlineShown_) host_.drawOutline(dragOutline_);
    dragOutlineShown_ = false;
    // The text's anchor moves with the pointer; its label position keeps the same corner there.
    const ObjectRecord& r = host_.objects().at(index);
    const ChartPoint P = stateToScreen(host_.frame(), host_.screen(), r.h1, r.x1);
    const CurrentState s =
        screenToState(host_.frame(), host_.screen(), P.x + (x - dragFrom_.x), P.y + (y - dragFrom_.y));
    recordStep([&](ObjectTable& t) {
        t.at(index).h1 = s.h;
        t.at(index).x1 = s.x;
    });
    host_.repaint();
}

void Editor::doubleClick(int x, int y) {
    if (view_ != ViewMode::None || placement_ != Placement::Off ||
        (state_ != EditState::Idle && state_ != EditState::Selecting))
        return;
    const int hit = pick(x, y);
    if (hit < 0 || host_.objects().at(hit).kind != kTextObject) return;
    dragIndex_ = -1;
    if (state_ != EditState::Selecting) startSelect();
    setSelection({hit});
    host_.editText(hit);
}

void Editor::beforeHistoryMove() {
    if (state_ == EditState::Selecting) {
        if (dragOutlineShown_) host_.drawOutline(dragOutline_);
        dragIndex_ = -1;
        dragging_ = dragOutlineShown_ = false;
        return;
    }
    if (state_ != EditState::Idle || placement_ != Placement::Off) {
        if (placement_ == Placement::Shown) host_.drawOutline(outline_);
        placement_ = Placement::Off;
        commandEnd();
    }
}

void Editor::afterHistoryMove() {
    if (state_ != EditState::Selecting) return;
    std::vector<int> kept;
    for (int index : selection_) {
        const int32_t kind = host_.objects().at(index).kind;
        if (isLineObject(kind) || kind == kTextObject) kept.push_back(index);
    }
    selection_ = std::move(kept);
    host_.selectionChanged();
}

}  // namespace humidraw
