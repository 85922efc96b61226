#include "document/edit_history.h"

namespace humidraw {
EditHistory::EditHistory() = default;
EditHistory::~EditHistory() = default;

void EditHistory::begin(const ObjectTable& table) {
    if (!before_) before_ = std::make_unique<ObjectTable>();
    *before_ = table;
}

bool EditHistory::commit(const ObjectTable& table) {
    if (!before_) return false;
    Step step;
    step.countBefore = before_->count();
    step.countAfter = table.count();
    for (int i = 0; i < ObjectTable::kCapacity; ++i)
        if (!(before_->at(i) == table.at(i)))
            step.changes.push_back({i, before_->at(i), table.at(i)});
    if (before_->overlay != table.overlay) {
        step.overlayChanged = true;
        step.overlayBefore = before_->overlay;
        step.overlayAfter = table.overlay;
    }
    if (before_->design != table.design) {
        step.designChanged = true;
        step.designBefore = before_->design;
        step.designAfter = table.design;
    }
    if (before_->attachment != table.attachment) {
        step.attachmentChanged = true;
        step.attachmentBefore = before_->attachment;
        step.attachmentAfter = table.attachment;
    }
    before_.reset();
    if (step.changes.empty() && step.countBefore == step.countAfter && !step.overlayChanged &&
        !step.designChanged && !step.attachmentChanged)
        return false;
    // A new step replaces the ones that were undone; if the saved table was among them, no
    // sequence of undo and redo leads back to it.
    if (saved_ && *saved_ > position_) saved_.reset();
    steps_.resize(position_);
    steps_.push_back(std::move(step));
    ++position_;
    return true;
}

bool EditHistory::undo(ObjectTable& table) {
    if (!canUndo()) return false;
    const Step& step = steps_[--position_];
    for (const Change& c : step.changes) table.at(c.index) = c.before;
    table.setCount(step.countBefore);
    if (step.overlayChanged) table.overlay = step.overlayBefore;
    if (step.designChanged) table.design = step.designBefore;
    if (step.attachmentChanged) table.attachment = step.attachmentBefore;
    return true;
}

bool EditHistory::redo(ObjectTable& table) {
    if (!canRedo()) return false;
    const Step& step = steps_[position_++];
    for (const Change& c : step.changes) table.at(c.index) = c.after;
    table.setCount(step.countAfter);
    if (step.overlayChanged) table.overlay = step.overlayAfter;
    if (step.designChanged) table.design = step.designAfter;
    if (step.attachmentChanged) table.attachment = step.attachmentAfter;
    return true;
}

void EditHistory::clear() {
    steps_.clear();
    position_ = 0;
    saved_ = 0;
    before_.reset();
}

}  // namespace humidraw
