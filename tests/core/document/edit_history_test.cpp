// The history of the object table: steps recorded by comparing the table before and after a
// command, undone and redone in order, and the modified flag measured against the saved table.
#include "document/edit_history.h"

#include <gtest/gtest.h>

using namespace humidraw;

namespace {

ObjectRecord segment(double h) {
    ObjectRecord r;
    r.kind = kLineBothMarkers;
    r.colour = 7;
    r.width = 3;
    r.h1 = h;
    r.x1 = 0.01;
    r.h2 = h + 1;
    r.x2 = 0.012;
    return r;
}

ObjectRecord text(const std::string& s) {
    ObjectRecord r;
    r.kind = kTextObject;
    r.text = s;
    r.labelPosition = 2;
    return r;
}

class History : public testing::Test {
  protected:
    // One command: the change runs between begin and commit.
    template <typename F>
    bool step(F change) {
        h.begin(t);
        change(t);
        return h.commit(t);
    }
    std::vector<int> kinds() const {
        std::vector<int> out;
        for (int i = 0; i < t.count(); ++i) out.push_back(t.at(i).kind);
        return out;
    }
    ObjectTable t;
    EditHistory h;
};

TEST_F(History, EveryKindOfCommandUndoesAndRedoesAsOneStep) {
    // A segment, a state-change line (two labels and two rows with it), a text, an erase of two
    // objects, a property change and a text change: six steps.
    ASSERT_TRUE(step([](ObjectTable& t) { t.append(segment(10)); }));
    ASSERT_TRUE(step([](ObjectTable& t) {
        t.append(segment(12));
        for (int i = 0; i < 2; ++i) t.append(text("A"));
        ObjectRecord row = text("A,26.5,50.0");
        row.kind = kTableRow;
        t.append(row);
        t.append(row);
    }));
    ASSERT_TRUE(step([](ObjectTable& t) { t.append(text("room")); }));
    ASSERT_TRUE(step([](ObjectTable& t) {
        t.markDeleted(0);
        t.markDeleted(6);
    }));
    ASSERT_TRUE(step([](ObjectTable& t) { t.at(1).colour = 2; }));
    ASSERT_TRUE(step([](ObjectTable& t) { t.at(2).text = "B"; }));
    const std::vector<int> full = {kDeleted,  kLineBothMarkers, kTextObject, kTextObject,
                                   kTableRow, kTableRow,        kDeleted};
    EXPECT_EQ(kinds(), full);
    EXPECT_EQ(h.steps(), 6u);

    ASSERT_TRUE(h.undo(t));  // the text change
    EXPECT_EQ(t.at(2).text, "A");
    ASSERT_TRUE(h.undo(t));  // the colour
    EXPECT_EQ(t.at(1).colour, 7);
    ASSERT_TRUE(h.undo(t));  // the erase: both objects come back
    EXPECT_EQ(t.at(0).kind, kLineBothMarkers);
    EXPECT_EQ(t.at(6).kind, kTextObject);
    ASSERT_TRUE(h.undo(t));  // the text
    EXPECT_EQ(t.count(), 6);
    ASSERT_TRUE(h.undo(t));  // the whole state-change line
    EXPECT_EQ(t.count(), 1);
    EXPECT_EQ(t.at(1).kind, 0) << "the freed records are empty again, so walks stop there";
    ASSERT_TRUE(h.undo(t));
    EXPECT_EQ(t.count(), 0);
    EXPECT_FALSE(h.undo(t)) << "nothing before the first step";
    EXPECT_FALSE(h.canUndo());

    for (int i = 0; i < 6; ++i) ASSERT_TRUE(h.redo(t));
    EXPECT_FALSE(h.redo(t));
    EXPECT_EQ(kinds(), full);
    EXPECT_EQ(t.at(1).colour, 2);
    EXPECT_EQ(t.at(2).text, "B");
    EXPECT_EQ(t.at(6).text, "room") << "an erased object keeps its fields";
}

TEST_F(History, ACommandThatChangesNothingIsNoStep) {
    EXPECT_FALSE(step([](ObjectTable&) {}));
    EXPECT_FALSE(step([](ObjectTable& t) { t.markDeleted(3); })) << "no such object";
    EXPECT_FALSE(h.commit(t)) << "commit without begin";
    ASSERT_TRUE(step([](ObjectTable& t) { t.append(segment(1)); }));
    EXPECT_FALSE(step([](ObjectTable& t) { t.at(0).colour = 7; })) << "the same colour again";
    EXPECT_EQ(h.steps(), 1u);
    EXPECT_FALSE(h.canRedo());
}

TEST_F(History, ANewStepDropsTheStepsThatWereUndone) {
    step([](ObjectTable& t) { t.append(segment(1)); });
    step([](ObjectTable& t) { t.append(segment(2)); });
    h.undo(t);
    ASSERT_TRUE(h.canRedo());
    step([](ObjectTable& t) { t.append(text("new")); });
    EXPECT_FALSE(h.canRedo());
    EXPECT_EQ(h.steps(), 2u);
    h.undo(t);
    h.undo(t);
    EXPECT_EQ(t.count(), 0);
    h.redo(t);
    h.redo(t);
    EXPECT_EQ(kinds(), (std::vector<int>{kLineBothMarkers, kTextObject}));
}

TEST_F(History, ModifiedFollowsTheSavedTable) {
    EXPECT_FALSE(h.modified()) << "a new document";
    step([](ObjectTable& t) { t.append(segment(1)); });
    EXPECT_TRUE(h.modified());
    h.undo(t);
    EXPECT_FALSE(h.modified()) << "back to what the file holds";
    h.redo(t);
    step([](ObjectTable& t) { t.append(segment(2)); });
    h.markSaved();
    EXPECT_FALSE(h.modified());
    h.undo(t);
    EXPECT_TRUE(h.modified()) << "undoing past the save";
    h.redo(t);
    EXPECT_FALSE(h.modified());
    // The saved table is among the steps a new command drops: no way back leads to it.
    h.undo(t);
    step([](ObjectTable& t) { t.append(text("other")); });
    EXPECT_TRUE(h.modified());
    h.undo(t);
    EXPECT_TRUE(h.modified());
    h.undo(t);
    EXPECT_TRUE(h.modified());
    // Opening or starting a document: no history, and what is there counts as saved.
    h.clear();
    EXPECT_FALSE(h.modified());
    EXPECT_FALSE(h.canUndo());
    EXPECT_FALSE(h.canRedo());
}

TEST_F(History, TheFullTableAndAClearOfIt) {
    // 640 segments one by one, then 全消去 as one step, then every step back and forth.
    for (int i = 0; i < ObjectTable::kCapacity; ++i)
        ASSERT_TRUE(step([i](ObjectTable& t) { t.append(segment(i)); }));
    EXPECT_TRUE(t.full());
    EXPECT_FALSE(step([](ObjectTable& t) { t.append(segment(-1)); })) << "the full table refuses";
    ASSERT_TRUE(step([](ObjectTable& t) { t.clear(); }));
    EXPECT_EQ(t.count(), 0);
    ASSERT_TRUE(h.undo(t));
    EXPECT_EQ(t.count(), ObjectTable::kCapacity);
    EXPECT_EQ(t.at(639).h1, 639);
    EXPECT_FALSE(t.append(segment(-1))) << "the count came back with the records";
    for (int i = 0; i < ObjectTable::kCapacity; ++i) ASSERT_TRUE(h.undo(t));
    EXPECT_EQ(t.count(), 0);
    EXPECT_TRUE(t.append(segment(5)));
    t.clear();
    for (int i = 0; i <= ObjectTable::kCapacity; ++i) ASSERT_TRUE(h.redo(t));
    EXPECT_EQ(t.count(), 0) << "the clear is the last step";
    EXPECT_EQ(h.steps(), 641u);
}

}  // namespace
