#pragma once
// A window for the interaction layer's tests: it records what the editor asks of it and keeps
// a real chart frame, object table and history.
#include <string>
#include <vector>

#include "chart/construction.h"
#include "interaction/editor.h"

namespace humidraw::testing_support {

class FakeWindow : public EditorHost {
  public:
    FakeWindow() {
        FakeTextMetrics m;
        constructChart(ChartSettings{}, m, frame_, chart_);
    }
    std::string status[2];
    Cursor cursor = kCursorCross;
    int repaints = 0, bands = 0, markers = 0, outlines = 0, highlights = 0;
    std::vector<int> commands;
    std::vector<std::string> told;
    std::vector<bool> zooms;
    int scrolledX = 0, scrolledY = 0;
    bool dialogVisible = false;
    std::string dialogCaption;
    bool modified = false;
    ObjectTable table;
    CurrentState current;
    CurrentAttributes attrs;

    void setStatus(int panel, const std::string& t) override { status[panel] = t; }
    void setCursor(Cursor c) override { cursor = c; }
    void zoomStep(bool in, bool) override { zooms.push_back(in); }
    void scrollBy(int dx, int dy) override {
        scrolledX += dx;
        scrolledY += dy;
    }
    ObjectTable& objects() override { return table; }
    const ChartFrame& frame() const override { return frame_; }
    ViewTransform screen() const override { return view; }
    ViewTransform view;  // the paint box's zoom, as the window's view gives it
    CurrentState& state() override { return current; }
    const CurrentAttributes& attributes() const override { return attrs; }
    bool siUnits() const override { return false; }
    EditHistory hist;
    EditHistory& history() override { return hist; }
    void documentChanged() override { modified = true; }
    void repaint() override { ++repaints; }
    void runCommand(int code) override { commands.push_back(code); }
    void tell(const std::string&, const std::string& t) override { told.push_back(t); }
    void prepareSegmentPen() override {}
    void drawBand(PixelPoint from, PixelPoint to) override {
        ++bands;
        bandFrom = from;
        bandTo = to;
    }
    void drawMarker(PixelPoint c, int) override {
        ++markers;
        markerAt = c;
    }
    PixelPoint bandFrom, bandTo, markerAt;
    void drawOutline(const Outline&) override { ++outlines; }
    void highlightLine(const ObjectRecord&) override { ++highlights; }
    void highlightText(const ObjectRecord&) override { ++highlights; }
    TextExtent textExtent(const std::string& t) override {
        return {static_cast<int>(t.size()) * 4, 8};
    }
    bool pointDialogVisible() const override { return dialogVisible; }
    void showPointDialog(const std::string& caption) override {
        dialogVisible = true;
        dialogCaption = caption;
    }
    void hidePointDialog() override { dialogVisible = false; }
    int selectionChanges = 0;
    std::vector<int> editedTexts;
    void selectionChanged() override { ++selectionChanges; }
    void editText(int index) override { editedTexts.push_back(index); }

    // The pixel of a state given by DB and RH.
    PixelPoint at(double db, double rh) {
        CurrentState s;
        pairState(pairCode(kDB, kRH), db, rh, s);
        const ChartPoint p = stateToScreen(frame_, view, s.h, s.x);
        return {static_cast<int>(p.x), static_cast<int>(p.y)};
    }

  private:
    ChartFrame frame_;
    ChartTable chart_;
};

}  // namespace humidraw::testing_support
