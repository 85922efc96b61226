#pragma once
// The interaction layer: what pointer and key events on the chart do. The Editor holds the
// running modes (modes.h) — a command (free segments, erase, select), a view mode over it (zoom,
// pan) and the text placement — hands each event to the mode it belongs to, keeps the command
// that Enter or a right click on the idle chart repeats, and shows the readout of the air state
// under the pointer. It sees the window only through EditorHost, so it runs and is tested without
// a display.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "interaction/editor_host.h"
#include "interaction/modes.h"

namespace humidraw {

// The index of the object at a paint-box pixel, or -1. The table is searched from its first
// record and the first object within reach is taken; the search stops at the first empty
// record. Lines count within 5 pixels of their segment; texts inside their box; rows and erased
// objects never.
int hitTest(const ObjectTable& objects, const ChartFrame& frame, const ViewTransform& view,
            double X, double Y, const std::function<TextExtent(const std::string&)>& measure);

// The readout of a state: "DB:%5.1f RH:%5.1f WB:%5.1f H:%5.1f X:%7.4f SV:%6.3f".
std::string readoutText(const CurrentState& s, UnitSystem u);

class Editor {
  public:
    explicit Editor(EditorHost& host);
    ~Editor();

    // コマンド終了: the command and the view mode end (the text placement goes on).
    void commandEnd();
    void startFreeSegment();                           // 線分記入
    void startErase();                                 // 図形削除
    void startZoomMode();                              // ズーム
    void startPanningMode();                           // 画面移動
    void startTextPlacement(const std::string& text);  // 文字記入, after its dialog
    void startSelect();                                // 選択
    void startDesignPoint();                           // 状態点を置く

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

    // A typed point arrived in the current-state record (the point dialog's O K); false when no
    // free segment waits for one. It goes where a click there would.
    bool acceptTypedPoint();
    // Typed entry ended without a point: the segment goes back to the state it had.
    void abandonTypedPoint();
    // After a zoom step, before its repaint: the marks follow their chart points.
    void viewChanged();
    // The picture was rebuilt from the table, which removed every mark: the running modes'
    // marks (segment start, rubber band, picks, text outline) are drawn again.
    void repainted();

    void mouseDown(MouseButton b, bool shift, int x, int y);
    void mouseMove(bool leftHeld, bool middleHeld, int x, int y);
    void mouseUp(MouseButton b, int x, int y);
    void doubleClick(int x, int y);
    bool wheel(bool up);
    void escapeKey();
    void enterKey();

    bool zoomMode() const { return viewIs(Command::ZoomMode); }
    bool panningMode() const { return viewIs(Command::PanMode); }
    // Picking objects, and the erase that a right click or Enter then makes: one state.
    bool selecting() const { return commandIs(Command::Erase); }
    bool erasePending() const { return commandIs(Command::Erase); }
    bool placingText() const { return placement_ != nullptr; }
    bool selectMode() const { return commandIs(Command::Select); }
    // The free segment's status; none without the command.
    std::optional<FreeSegmentMode::Status> segmentStatus() const;
    // The same as a number: 0 none, 1 end point by mouse, 2 start point by mouse, 3 end point
    // typed, 4 start point typed.
    int segmentState() const;
    const std::vector<int>& selection() const;
    int pointerX() const { return pointer_.x; }
    int pointerY() const { return pointer_.y; }
    Command lastCommand() const { return lastCommand_; }
    void setLastCommand(Command c) { lastCommand_ = c; }

  private:
    bool commandIs(Command c) const { return command_ && command_->command() == c; }
    bool viewIs(Command c) const { return view_ && view_->command() == c; }
    FreeSegmentMode* segment() const;
    SelectMode* select() const;
    // The command's click; when it ends the command, the command leaves before it finishes.
    void pressCommand(const Press& p);
    void finishCommand();

    EditorHost& host_;
    PixelPoint pointer_;
    std::unique_ptr<CommandMode> command_;
    std::unique_ptr<ViewMode> view_;
    std::unique_ptr<TextMode> placement_;
    Panner panner_;
    bool middleDrag_ = false;  // the middle button drags the chart in every mode
    Command lastCommand_ = Command::None;
};

}  // namespace humidraw
