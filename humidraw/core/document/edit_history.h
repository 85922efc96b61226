#pragma once
// The document's history: every change the user makes to the object table is one step that can
// be taken back and made again. A step is recorded by remembering the table before a command
// and keeping, after it, only the records that differ, so any command — one segment, a whole
// state-change line with its labels and rows, an erase, a coil run — is one step without knowing
// what it changed. The table's overlay (the measured data and zones drawn with the objects) is
// kept whole, and so are the design layer and what is attached to it: a command that replaces
// one carries it before and after in its step.
// The history also knows whether the table is what was last saved.
#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

#include "document/object_table.h"

namespace humidraw {

class EditHistory {
  public:
    EditHistory();
    ~EditHistory();

    // Remembers the table before a command changes it. A second begin before commit starts over.
    void begin(const ObjectTable& table);
    // Ends the command: the records that changed since begin become one step, and the steps
    // that were undone are dropped. False (no step) when nothing changed or begin was not called.
    bool commit(const ObjectTable& table);

    bool canUndo() const { return position_ > 0; }
    bool canRedo() const { return position_ < steps_.size(); }
    // Puts the records of the last step back as they were before it; false when there is none.
    bool undo(ObjectTable& table);
    bool redo(ObjectTable& table);

    // A new or opened document: no steps, and the table as it is counts as saved.
    void clear();
    // The table as it is now was written to the document's file.
    void markSaved() { saved_ = position_; }
    // The table differs from what was last saved (or opened, or started empty).
    bool modified() const { return saved_ != position_; }
    std::size_t steps() const { return steps_.size(); }

  private:
    struct Change {
        int index;
        ObjectRecord before, after;
    };
    struct Step {
        int countBefore = 0, countAfter = 0;
        std::vector<Change> changes;
        bool overlayChanged = false;
        std::shared_ptr<const PaintOverlay> overlayBefore, overlayAfter;
        bool designChanged = false;
        std::shared_ptr<const PaintOverlay> designBefore, designAfter;
        bool attachmentChanged = false;
        std::shared_ptr<const TableAttachment> attachmentBefore, attachmentAfter;
    };

    std::vector<Step> steps_;
    std::size_t position_ = 0;              // steps before this one are applied
    std::optional<std::size_t> saved_ = 0;  // none: the saved table can no longer be reached
    std::unique_ptr<ObjectTable> before_;   // the table at begin, while a command runs
};

}  // namespace humidraw
