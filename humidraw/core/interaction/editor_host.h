#pragma once
// What the editor asks of the window it runs in: the document, the chart's view, the marks drawn
// over the picture, the prompts, and the few things only the window can do (zoom, scroll,
// repaint, run a command).
#include <array>
#include <string>
#include <vector>

#include "chart/canvas.h"
#include "chart/frame.h"
#include "chart/view_transform.h"
#include "comfort/comfort.h"
#include "document/attributes.h"
#include "document/edit_history.h"
#include "document/object_table.h"
#include "document/state.h"
#include "interaction/command.h"

namespace humidraw {

enum class MouseButton { Left, Right, Middle };

enum Cursor { kCursorCross = 1, kCursorZoom = 2, kCursorPick = 3, kCursorPan = 4 };

using Outline = std::array<PixelPoint, 5>;

// Marks on the paint box and the picture, drawn NotXor: drawing one a second time removes it, and
// the full repaint removes every one.
class EditorMarks {
  public:
    virtual ~EditorMarks() = default;
    // The segment pen: the current colour, width and style at the current zoom.
    virtual void prepareSegmentPen() = 0;
    virtual void drawBand(PixelPoint from, PixelPoint to) = 0;   // with the segment pen
    virtual void drawMarker(PixelPoint centre, int radius) = 0;  // with the segment pen
    virtual void drawOutline(const Outline& o) = 0;              // black
    virtual void highlight(const ObjectRecord& r) = 0;           // a picked line or text
    // A text's size in the document's font at the current zoom.
    virtual TextExtent textExtent(const std::string& text) = 0;
};

// What the user is told and asked: the status bar, the cursor, messages and the dialogs the
// editor opens.
class EditorPrompt {
  public:
    virtual ~EditorPrompt() = default;
    virtual void setStatus(int panel, const std::string& text) = 0;
    virtual void setCursor(Cursor c) = 0;
    virtual void tell(const std::string& caption, const std::string& text) = 0;
    // The point dialog of typed segment ends.
    virtual bool pointDialogVisible() const = 0;
    virtual void showPointDialog(const std::string& caption) = 0;
    virtual void hidePointDialog() = 0;
    // A text of the selection is to be edited in the text dialog.
    virtual void editText(int /*index*/) {}
};

// The document the editor changes. Every change of the objects goes through the history, one
// step per command; `state` is the current air state (the readout, or a typed point).
struct EditorDocument {
    ObjectTable& objects;
    EditHistory& history;
    CurrentState& state;
    const CurrentAttributes& attributes;
};

// The chart as the paint box shows it: pixels are screen.toScreen(frame.map(h, x)).
struct EditorView {
    const ChartFrame& frame;
    ViewTransform screen;
    UnitSystem units;  // the readout's
    // The inputs of the comfort zones shown, each once: the readout adds their PMV and PPD,
    // computed at the chart's total pressure.
    std::vector<comfort::ComfortInputs> comfort = {};
    double pressureMmHg = 760;
};

enum class Change {
    Document,   // a step was recorded: the caption, the undo buttons and the save question follow
    Selection,  // the selection of 選択 changed: the line-property bar shows its attributes
};

class EditorHost {
  public:
    virtual ~EditorHost() = default;
    virtual EditorDocument document() = 0;
    virtual EditorView chartView() const = 0;
    virtual EditorMarks& marks() = 0;
    virtual EditorPrompt& prompt() = 0;
    virtual void zoomAtPointer(bool in) = 0;  // one zoom step
    virtual void scrollBy(int dx, int dy) = 0;
    virtual void repaint() = 0;  // the full repaint, which removes every mark
    virtual void runCommand(Command c) = 0;
    virtual void changed(Change what) = 0;
};

}  // namespace humidraw
