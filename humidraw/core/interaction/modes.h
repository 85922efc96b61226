#pragma once
// The editor's modes, one class each. A command mode takes the clicks on the chart (free
// segments, erase, select); a view mode (zoom, pan) takes them before it while it is on; the text
// placement runs beside both, its outline following the pointer until a click. The Editor
// (editor.h) holds the modes and hands each event to the one it belongs to.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "design/design.h"
#include "interaction/editor_host.h"

namespace humidraw {

// The paint-box pixel of a chart point.
PixelPoint pixelOf(const EditorView& v, const StatePoint& p);

// Runs a change of the object table as one step of the history; false when nothing changed.
template <typename F>
bool recordStep(EditorHost& host, F change) {
    const EditorDocument d = host.document();
    d.history.begin(d.objects);
    change(d.objects);
    if (!d.history.commit(d.objects)) return false;
    host.changed(Change::Document);
    return true;
}

// What every mode reaches: the window, and the chart's pixels.
class ModeBase {
  public:
    explicit ModeBase(EditorHost& host) : host_(host) {}
    virtual ~ModeBase() = default;
    ModeBase(const ModeBase&) = delete;
    ModeBase& operator=(const ModeBase&) = delete;

  protected:
    PixelPoint pixelOf(const StatePoint& p) const {
        return humidraw::pixelOf(host_.chartView(), p);
    }
    // The circle of a segment end at the current zoom.
    int markerRadius() const;
    // The object under a paint-box pixel, or -1 (hitTest).
    int pick(PixelPoint at);
    void highlightAll(const std::vector<int>& picks);
    template <typename F>
    bool recordStep(F change) {
        return humidraw::recordStep(host_, change);
    }

    EditorHost& host_;
};

struct Press {
    MouseButton button;
    bool shift;
    PixelPoint at;
};

// A command mode. `finish` and `cancel` run once the editor has let the mode go, so that the
// repaint they make draws none of its marks again.
class CommandMode : public ModeBase {
  public:
    using ModeBase::ModeBase;
    virtual Command command() const = 0;
    // A click; false when it ends the command (the editor then calls `finish`).
    virtual bool press(const Press& p) = 0;
    // The pointer moved to `at`, the chart's state there is `s`.
    virtual void move(PixelPoint /*at*/, const CurrentState& /*s*/, bool /*leftHeld*/) {}
    virtual void release(MouseButton /*b*/, PixelPoint /*at*/) {}
    // Esc; false when it ends the command.
    virtual bool escape() { return false; }
    // Enter while the command runs (under a view mode or not); false when it ends the command.
    virtual bool enter(bool /*underViewMode*/) { return true; }
    // The mode ended by its own click or key.
    virtual void finish() {}
    // The mode ended from outside (another command, Esc, コマンド終了).
    virtual void cancel() = 0;
    // The picture was rebuilt from the table, which removed every mark: they are drawn again.
    virtual void marksAgain() {}
    // After a zoom step, before its repaint: the marks follow their chart points.
    virtual void viewChanged() {}
    // Clicks go here rather than to pan mode (erase picks on under pan mode).
    virtual bool clicksBeforePanning() const { return false; }
    // The picked objects of erase and select.
    virtual const std::vector<int>* picks() const { return nullptr; }
};

// 線分記入: a chain of segments, each end clicked or typed in the point dialog.
class FreeSegmentMode : public CommandMode {
  public:
    enum class Status {
        Start,        // the next point starts the chain
        End,          // a start point is set, the rubber band follows the pointer
        TypingStart,  // the point dialog is open for the start point
        TypingEnd,    // the point dialog is open for the end point
    };
    explicit FreeSegmentMode(EditorHost& host);
    Command command() const override { return Command::FreeSegment; }
    Status status() const { return status_; }
    bool typing() const { return status_ == Status::TypingStart || status_ == Status::TypingEnd; }

    // A point of the chain, clicked (at the click's pixel) or typed (at its own pixel): it starts
    // the chain, or ends a segment and starts the next.
    void onCoordinateEvent(const StatePoint& point, PixelPoint at);
    // The dialog closed without a point: the mouse gives the same point again.
    void abandonTyping();

    bool press(const Press& p) override;
    void move(PixelPoint at, const CurrentState& s, bool leftHeld) override;
    void finish() override;
    void cancel() override;
    void marksAgain() override;
    void viewChanged() override;

  private:
    void showBand(PixelPoint to, const StatePoint& toChart);
    void hideBand();
    // A segment from the chain's start to `end`; false (with a message) when the table is full.
    bool appendSegment(const StatePoint& end);

    Status status_ = Status::Start;
    PixelPoint start_;
    StatePoint startChart_;
    PixelPoint bandEnd_;
    StatePoint bandEndChart_;
    bool bandShown_ = false;
    bool ownStartMark_ = false;  // the start circle is a mark, not part of an object
};

// 図形削除: clicks pick objects, a right click or Enter erases them in one step.
class EraseMode : public CommandMode {
  public:
    explicit EraseMode(EditorHost& host);
    Command command() const override { return Command::Erase; }
    bool press(const Press& p) override;
    bool enter(bool) override { return false; }
    void finish() override;
    void cancel() override;
    void marksAgain() override { highlightAll(picks_); }
    bool clicksBeforePanning() const override { return true; }
    const std::vector<int>* picks() const override { return &picks_; }

  private:
    std::vector<int> picks_;
};

// What a picker of the line-property bar changes on the selected objects.
enum class LineAttribute { Colour, Width, Style };

// 選択: clicks pick lines and texts to change, move or delete; a text is dragged to a new place.
class SelectMode : public CommandMode {
  public:
    enum class Status {
        Picking,        // no button held on a text or a design point
        Pressed,        // the left button went down on a text, not moved beyond the play yet
        Dragging,       // the text's outline follows the pointer
        PointPressed,   // the left button went down on a design point
        PointDragging,  // the point follows the pointer, its processes with it
    };
    explicit SelectMode(EditorHost& host);
    Command command() const override { return Command::Select; }
    Status status() const { return status_; }
    const std::vector<int>& selection() const { return selection_; }
    // The selection replaced; the repaint takes the old highlights away and draws the new ones.
    void setSelection(std::vector<int> picked);
    void selectAll();
    // Each change one step of the history; false when nothing changed.
    bool deleteSelected();
    bool changeSelected(LineAttribute p, int value);
    bool selectionAttributes(const CurrentAttributes& current, CurrentAttributes& shown) const;
    // Before an undo or redo: a drag is dropped. After it: objects that are gone leave.
    void dropDrag();
    void keepLiveObjects();
    // The button is no longer held on a text (its outline is taken off by the repaint to come).
    void letGo() { status_ = Status::Picking; }

    bool press(const Press& p) override;
    void move(PixelPoint at, const CurrentState& s, bool leftHeld) override;
    void release(MouseButton b, PixelPoint at) override;
    bool escape() override;
    bool enter(bool underViewMode) override;
    void cancel() override;
    void marksAgain() override;
    void viewChanged() override;
    const std::vector<int>* picks() const override { return &selection_; }

  private:
    Outline textOutline(const ObjectRecord& r, int dx, int dy);
    void hideOutline();
    // The design point under a pixel, its index among the design's points.
    std::optional<size_t> designPointAt(PixelPoint at);
    void dragPoint(PixelPoint at);
    // The design as it was when the point was taken, put back.
    void dropPoint();

    Status status_ = Status::Picking;
    std::vector<int> selection_;
    int held_ = 0;  // the text under the button while Pressed or Dragging
    PixelPoint from_;       // where the button went down, on the screen as it is now
    CurrentState fromAt_;   // the same place on the chart, which a zoom step keeps
    Outline outline_{};     // while Dragging, on the picture when outlineShown_
    bool outlineShown_ = false;
    // While PointPressed or PointDragging: the point, whether Shift keeps its first property,
    // and the design layer before the drag (the history's).
    size_t point_ = 0;
    bool keepFirst_ = false;
    std::shared_ptr<const PaintOverlay> designBefore_;
};

// 状態点を置く: each click puts a design point at the chart's place (its dry bulb and humidity
// ratio there), one step of the history each; a right click or Esc ends it.
class DesignPointMode : public CommandMode {
  public:
    explicit DesignPointMode(EditorHost& host);
    Command command() const override { return Command::DesignPoint; }
    bool press(const Press& p) override;
    bool escape() override { return false; }
    void cancel() override;
    void finish() override;
};

// The design of a document's design layer, empty when it has none.
const design::Design& designOf(const ObjectTable& t);
// The design layer of a changed design at the chart's pressure (none for an empty design).
std::shared_ptr<const PaintOverlay> designLayer(design::Design d, const ChartFrame& frame);

// Dragging the chart, in pan mode or with the middle button held anywhere: moves alternate
// between setting the anchor and scrolling by twice the way from it.
class Panner {
  public:
    enum class Step { SetAnchor, Scroll };
    void grab(PixelPoint at) {
        anchor_ = at;
        step_ = Step::Scroll;
    }
    void move(EditorHost& host, PixelPoint at);

  private:
    Step step_ = Step::SetAnchor;
    PixelPoint anchor_;
};

// A view mode: takes the clicks before the command underneath, which waits for it to end.
class ViewMode : public ModeBase {
  public:
    using ModeBase::ModeBase;
    virtual Command command() const = 0;
    virtual Cursor cursor() const = 0;
    // A click; false when it ends the mode.
    virtual bool press(MouseButton b, PixelPoint at) = 0;
    // The wheel and the middle button end zoom mode, not pan mode.
    virtual bool endsOnWheel() const = 0;
    // Esc during a free segment ends zoom mode, not pan mode.
    virtual bool endsOnEscapeUnderSegment() const = 0;
};

// ズーム: left click zooms in at the pointer, right click zooms out.
class ZoomMode : public ViewMode {
  public:
    explicit ZoomMode(EditorHost& host);
    Command command() const override { return Command::ZoomMode; }
    Cursor cursor() const override { return kCursorZoom; }
    bool press(MouseButton b, PixelPoint at) override;
    bool endsOnWheel() const override { return true; }
    bool endsOnEscapeUnderSegment() const override { return true; }
};

// 画面移動: a left drag scrolls the chart, a right click ends the mode.
class PanMode : public ViewMode {
  public:
    PanMode(EditorHost& host, Panner& panner);
    Command command() const override { return Command::PanMode; }
    Cursor cursor() const override { return kCursorPan; }
    bool press(MouseButton b, PixelPoint at) override;
    bool endsOnWheel() const override { return false; }
    bool endsOnEscapeUnderSegment() const override { return false; }

  private:
    Panner& panner_;
};

// 文字記入: the outline of the text follows the pointer; a left click places it there, a right
// click cancels.
class TextMode : public ModeBase {
  public:
    enum class Status {
        Waiting,  // no outline drawn (none yet, or the view changed under it)
        Shown,    // the outline is drawn where the pointer last was
    };
    TextMode(EditorHost& host, std::string text);
    Status status() const { return status_; }
    void move(PixelPoint at);
    // The click that ends the placement: the outline off, the text placed on a left click.
    void place(MouseButton b, PixelPoint at);
    void hideOutline();
    void marksAgain();
    void viewChanged();

  private:
    Status status_ = Status::Waiting;
    std::string text_;
    Outline outline_{};
};

}  // namespace humidraw
