#pragma once
// The one window of the interaction layer's tests: a real chart frame, object table and history,
// and a record of everything the editor asks of it. The marks drawn are recorded in order as
// text, with the repaints that remove them, so that a test compares them whole and can ask which
// marks are still on the picture.
#include <map>
#include <string>
#include <vector>

#include "chart/construction.h"
#include "interaction/editor.h"

namespace humidraw::testing_support {

class FakeHost : public EditorHost, public EditorMarks, public EditorPrompt {
  public:
    FakeHost() {
        FakeTextMetrics m;
        constructChart(ChartSettings{}, m, frame_, chart_);
    }

    // EditorHost
    EditorDocument document() override { return {table, hist, current, attrs}; }
    EditorView chartView() const override { return {frame_, view, UnitSystem::Engineering}; }
    EditorMarks& marks() override { return *this; }
    EditorPrompt& prompt() override { return *this; }
    void zoomAtPointer(bool in) override { zooms.push_back(in); }
    void scrollBy(int dx, int dy) override {
        scrolledX += dx;
        scrolledY += dy;
    }
    // As the window's, the repaint has the editor draw its modes' marks again once it is told
    // which editor that is.
    void repaint() override {
        ++repaints;
        log.push_back("repaint");
        if (editor) editor->repainted();
    }
    Editor* editor = nullptr;
    void runCommand(Command c) override { commands.push_back(c); }
    void changed(Change what) override {
        if (what == Change::Document) modified = true;
        if (what == Change::Selection) ++selectionChanges;
    }

    // EditorMarks: "band x,y x,y", "marker x,y", "outline x,y x,y" (first and opposite corner),
    // "highlight i" (the object's index in the table).
    void prepareSegmentPen() override {}
    void drawBand(PixelPoint from, PixelPoint to) override {
        ++bands;
        bandFrom = from;
        bandTo = to;
        log.push_back("band " + xy(from) + " " + xy(to));
    }
    void drawMarker(PixelPoint c, int) override {
        ++markers;
        markerAt = c;
        log.push_back("marker " + xy(c));
    }
    void drawOutline(const Outline& o) override {
        ++outlines;
        log.push_back("outline " + xy(o[0]) + " " + xy(o[2]));
    }
    void highlight(const ObjectRecord& r) override {
        ++highlights;
        int index = -1;
        for (int i = 0; i < ObjectTable::kCapacity; ++i)
            if (&table.at(i) == &r) index = i;
        log.push_back("highlight " + std::to_string(index));
    }
    // 4 pixels a byte, 8 high.
    TextExtent textExtent(const std::string& t) override {
        return {static_cast<int>(t.size()) * 4, 8};
    }

    // EditorPrompt
    void setStatus(int panel, const std::string& t) override { status[panel] = t; }
    void setCursor(Cursor c) override { cursor = c; }
    void tell(const std::string&, const std::string& t) override { told.push_back(t); }
    bool pointDialogVisible() const override { return dialogVisible; }
    void showPointDialog(const std::string& caption) override {
        dialogVisible = true;
        dialogCaption = caption;
    }
    void hidePointDialog() override { dialogVisible = false; }
    void editText(int index) override { editedTexts.push_back(index); }

    // The marks still on the picture: drawn an odd number of times since the last repaint.
    std::vector<std::string> onPicture() const {
        std::map<std::string, int> times;
        std::vector<std::string> order;
        for (const std::string& m : log) {
            if (m == "repaint") {
                times.clear();
                order.clear();
                continue;
            }
            if (times[m]++ == 0) order.push_back(m);
        }
        std::vector<std::string> out;
        for (const std::string& m : order)
            if (times[m] % 2) out.push_back(m);
        return out;
    }
    // The record since the last call.
    std::vector<std::string> takeLog() {
        std::vector<std::string> out = log;
        log.clear();
        return out;
    }

    // The pixel of a state given by DB and RH.
    PixelPoint at(double db, double rh) {
        CurrentState s;
        pairState(MoistAir(), pairCode(kDB, kRH), db, rh, s);
        const ChartPoint p = stateToScreen(frame_, view, s.h, s.x);
        return {static_cast<int>(p.x), static_cast<int>(p.y)};
    }
    // Fills the table up to `free` free records.
    void leaveFree(int free) {
        while (table.room() > free) {
            ObjectRecord r;
            r.kind = kTableRow;
            table.append(r);
        }
    }
    const ChartFrame& frame() const { return frame_; }

    static std::string xy(PixelPoint p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

    std::string status[2];
    Cursor cursor = kCursorCross;
    int repaints = 0, bands = 0, markers = 0, outlines = 0, highlights = 0;
    PixelPoint bandFrom, bandTo, markerAt;
    std::vector<std::string> log;
    std::vector<Command> commands;
    std::vector<std::string> told;
    std::vector<bool> zooms;
    int scrolledX = 0, scrolledY = 0;
    bool dialogVisible = false;
    std::string dialogCaption;
    bool modified = false;
    int selectionChanges = 0;
    std::vector<int> editedTexts;
    ObjectTable table;
    CurrentState current;
    CurrentAttributes attrs;
    EditHistory hist;
    ViewTransform view;  // the paint box's zoom, as the window's view gives it

  private:
    ChartFrame frame_;
    ChartTable chart_;
};

}  // namespace humidraw::testing_support
