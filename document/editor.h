#pragma once
// The interaction layer: what pointer and key events on the chart do in each command mode. It
// sees the window only through EditorHost, so it runs and is tested without a display.
#include <string>

namespace humidraw {

enum class MouseButton { Left, Right, Middle };

enum Cursor { kCursorCross = 1, kCursorZoom = 2, kCursorPick = 3, kCursorPan = 4 };

class EditorHost {
  public:
    virtual ~EditorHost() = default;
    virtual void setStatus(int panel, const std::string& text) = 0;
    virtual void setCursor(Cursor c) = 0;
    // One zoom step; anchored at the pointer when `atPointer`.
    virtual void zoomStep(bool in, bool atPointer) = 0;
    // Moves both scroll positions by the given pixels.
    virtual void scrollBy(int dx, int dy) = 0;
};

class Editor {
  public:
    explicit Editor(EditorHost& host) : host_(host) {}

    // Ends whatever mode runs: zoom and panning modes off, cursor and prompt back.
    void commandEnd();
    void startZoomMode();
    void startPanningMode();

    void mouseDown(MouseButton b, int x, int y);
    void mouseMove(bool leftHeld, bool middleHeld, int x, int y);
    void mouseUp(MouseButton b, int x, int y);
    // One wheel step at the pointer; false while a middle-button drag runs (not handled).
    bool wheel(bool up);
    void escape() { commandEnd(); }

    bool zoomMode() const { return zoomMode_; }
    bool panningMode() const { return panningMode_; }
    int pointerX() const { return pointerX_; }
    int pointerY() const { return pointerY_; }
    // The command Enter or an idle right click repeats (0 none).
    int lastCommand() const { return lastCommand_; }
    void setLastCommand(int code) { lastCommand_ = code; }

  private:
    EditorHost& host_;
    bool zoomMode_ = false;
    bool panningMode_ = false;
    bool middleDrag_ = false;
    bool pairStarted_ = false;  // pointer moves of a drag are taken in pairs
    int pairX_ = 0, pairY_ = 0;
    int pointerX_ = 0, pointerY_ = 0;
    int lastCommand_ = 0;
};

}  // namespace humidraw
