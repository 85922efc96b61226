#pragma once
// The interaction layer: what pointer and key events on the chart do in each command — free
// segments, picking and erasing, text placement, zoom and panning modes, the repeat of the last
// command and the readout of the air state under the pointer. It sees the window only through
// EditorHost, so it runs and is tested without a display.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "chart/canvas.h"
#include "chart/frame.h"
#include "chart/view_transform.h"
#include "document/attributes.h"
#include "document/edit_history.h"
#include "document/object_table.h"
#include "document/state.h"
#include "interaction/edit_state.h"

namespace humidraw {

enum class MouseButton { Left, Right, Middle };

enum Cursor { kCursorCross = 1, kCursorZoom = 2, kCursorPick = 3, kCursorPan = 4 };

// Last-command codes: what Enter or a right click on the idle chart repeats.
enum CommandCode {
    kNoCommand = 0,
    kFreeSegment = 1,
    kStateLine = 2,
    kErase = 3,
    kPrint = 4,
    kMetafile = 5,
    kOptions = 6,
    kZoomMode = 7,
    kPanMode = 8,
    kTextCommand = 9,
};

// What a picker of the line-property bar changes on the selected objects.
enum class LineAttribute { Colour, Width, Style };

using Outline = std::array<PixelPoint, 5>;

class EditorHost {
  public:
    virtual ~EditorHost() = default;
    virtual void setStatus(int panel, const std::string& text) = 0;
    virtual void setCursor(Cursor c) = 0;
    virtual void zoomStep(bool in, bool atPointer) = 0;
    virtual void scrollBy(int dx, int dy) = 0;

    // The document, the chart and the view of it: pixels of the paint box are
    // screen().toScreen(frame().map(h, x)).
    virtual ObjectTable& objects() = 0;
    virtual const ChartFrame& frame() const = 0;
    virtual ViewTransform screen() const = 0;
    virtual CurrentState& state() = 0;
    virtual const CurrentAttributes& attributes() const = 0;
    virtual bool siUnits() const = 0;
    // Every change of the document goes through the history, one step per command.
    virtual EditHistory& history() = 0;
    // A step was recorded: the caption, the undo buttons and the save question follow.
    virtual void documentChanged() = 0;
    // The selection of 選択 changed (the line-property bar shows its attributes).
    virtual void selectionChanged() {}
    // A text of the selection is to be edited in the text dialog.
    virtual void editText(int /*index*/) {}
    virtual void repaint() = 0;  // the full repaint, which removes every mark
    virtual void runCommand(int code) = 0;
    virtual void tell(const std::string& caption, const std::string& text) = 0;

    // Marks on the paint box and the picture. The segment pen (current colour, width and
    // style, NotXor) is set by prepareSegmentPen; drawing a band or a marker twice removes it.
    virtual void prepareSegmentPen() = 0;
    virtual void drawBand(PixelPoint from, PixelPoint to) = 0;
    virtual void drawMarker(PixelPoint centre, int radius) = 0;
    virtual void drawOutline(const Outline& o) = 0;  // black, NotXor
    virtual void highlightLine(const ObjectRecord& r) = 0;
    virtual void highlightText(const ObjectRecord& r) = 0;
    // A text's size in the document's font at the current zoom.
    virtual TextExtent textExtent(const std::string& text) = 0;

    // The point dialog of typed segment ends.
    virtual bool pointDialogVisible() const = 0;
    virtual void showPointDialog(const std::string& caption) = 0;
    virtual void hidePointDialog() = 0;
};

// The index of the object at a paint-box pixel, or -1. Lines count within 5 pixels of their
// segment; texts inside their box; rows and erased objects never.
int hitTest(const ObjectTable& objects, const ChartFrame& frame, const ViewTransform& view, double X,
            double Y, const std::function<TextExtent(const std::string&)>& measure);

// The readout of a state: "DB:%5.1f RH:%5.1f WB:%5.1f H:%5.1f X:%7.4f SV:%6.3f".
std::string readoutText(const CurrentState& s, bool si);

class Editor {
  public:
    explicit Editor(EditorHost& host) : host_(host) {}

    void commandEnd();
    void startFreeSegment();                           // M_Free
    void startErase();                                 // SsErase
    void startZoomMode();                              // Zoom
    void startPanningMode();                           // Panning
    void startTextPlacement(const std::string& text);  // M_Text
    void startSelect();                                // 選択

    // Select and change. Each change is one step of the history; false when nothing changed.
    void selectAll();
    bool deleteSelected();
    bool changeSelected(LineAttribute p, int value);
    bool changeText(int index, const std::string& text, int labelPosition);
    // The attributes the line-property bar shows for the selection: the first selected line's
    // (or a text's colour over `current`); none without a selection.
    bool selectionAttributes(const CurrentAttributes& current, CurrentAttributes& shown) const;
    // Before an undo or redo: a command that is drawing marks ends, a drag is dropped.
    void beforeHistoryMove();
    // After an undo or redo: objects that are no longer there leave the selection.
    void afterHistoryMove();

    // A typed point arrived in the current-state record (M_Point); false when no free segment
    // waits for one.
    bool acceptTypedPoint();
    // Typed entry ended without a point: the segment goes back to the state it had.
    void abandonTypedPoint();
    // After a zoom step, before its repaint: the marks follow their chart points.
    void viewChanged();
    // The picture was rebuilt from the table, which removed every mark: the running command's
    // marks (segment start, rubber band, picks, text outline) are drawn again.
    void repainted();

    void mouseDown(MouseButton b, bool shift, int x, int y);
    void mouseMove(bool leftHeld, bool middleHeld, int x, int y);
    void mouseUp(MouseButton b, int x, int y);
    void doubleClick(int x, int y);
    bool wheel(bool up);
    void escapeKey();
    void enterKey();

    bool zoomMode() const { return view_ == ViewMode::Zoom; }
    bool panningMode() const { return view_ == ViewMode::Pan; }
    // Picking objects, and the erase that a right click or Enter then makes: one state.
    bool selecting() const { return state_ == EditState::Picking; }
    bool erasePending() const { return state_ == EditState::Picking; }
    bool placingText() const { return placement_ != Placement::Off; }
    bool selectMode() const { return state_ == EditState::Selecting; }
    int segmentState() const { return segmentStepNumber(state_); }  // 0 to 4, see there
    const std::vector<int>& selection() const { return selection_; }
    int pointerX() const { return pointer_.x; }
    int pointerY() const { return pointer_.y; }
    int lastCommand() const { return lastCommand_; }
    void setLastCommand(int code) { lastCommand_ = code; }

  private:
    void freeSegmentClick(MouseButton b, bool shift, int x, int y);
    void pickClick(MouseButton b, int x, int y);
    void confirmErase();
    void selectClick(bool shift, int x, int y);
    void dragTo(int x, int y);
    void dropText(int x, int y);
    Outline textOutline(const ObjectRecord& r, int dx, int dy);
    void setSelection(std::vector<int> picked);
    int pick(int x, int y);
    // Runs a change of the object table as one step of the history.
    template <typename F>
    bool recordStep(F change);
    void placeText(MouseButton b, int x, int y);
    void setPromptForEnd();
    // A segment from the segment start to `end`; false (with a message) when the table is full.
    bool appendSegment(const StatePoint& end);
    int markerRadius() const;
    PixelPoint pixelOf(const StatePoint& p) const;

    EditorHost& host_;
    PixelPoint pointer_;
    EditState state_ = EditState::Idle;
    ViewMode view_ = ViewMode::None;
    Placement placement_ = Placement::Off;
    // free segments: the start point and the rubber band's end, on the paint box and the chart
    PixelPoint segmentStart_;
    StatePoint segmentStartChart_;
    PixelPoint bandEnd_;
    StatePoint bandEndChart_;
    bool bandDrawn_ = false;
    bool ownStartMark_ = false;  // the start circle is a mark, not part of an object
    // erase and select: the picked objects
    std::vector<int> selection_;
    // select: a text held by the left button, moved by dragging
    int dragIndex_ = -1;
    PixelPoint dragFrom_;
    bool dragging_ = false;
    bool dragOutlineShown_ = false;
    Outline dragOutline_{};
    // Dragging the chart, in pan mode or with the middle button held anywhere: moves alternate
    // between setting the anchor and scrolling by twice the way from it.
    bool middleDrag_ = false;
    bool panStep_ = false;  // the next move scrolls from the anchor
    PixelPoint panAnchor_;
    // text placement
    std::string pendingText_;
    Outline outline_{};

    int lastCommand_ = kNoCommand;
};

template <typename F>
bool Editor::recordStep(F change) {
    EditHistory& history = host_.history();
    history.begin(host_.objects());
    change(host_.objects());
    if (!history.commit(host_.objects())) return false;
    host_.documentChanged();
    return true;
}

}  // namespace humidraw
