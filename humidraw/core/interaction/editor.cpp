#include "interaction/editor.h"

#include <algorithm>
#include <cmath>

#include "document/paint.h"
#include "lang/language.h"
#include "moistek_internal/air_constants.h"
#include "units/units.h"
#include "text/number_format.h"

namespace humidraw {
namespace {

bool between(double v, double a, double b) {
    return v >= std::min(a, b) && v <= std::max(a, b);
}

}  // namespace

std::string readoutText(const CurrentState& s, UnitSystem u) {
    using units::Quantity;
    const auto v = [u](Quantity q, double value) { return units::shown(q, value, u); };
    // Under IP units the humidity ratio in gr/lb and the volume in ft³/lb take one decimal
    // fewer and one more place: the same room in the status bar.
    const bool ip = u == UnitSystem::IP;
    return "DB:" + formatPrintfFixed(v(Quantity::Temperature, s.DB), 1, 5) +
           " RH:" + formatPrintfFixed(s.RH, 1, 5) +
           " WB:" + formatPrintfFixed(v(Quantity::Temperature, s.WB), 1, 5) +
           " H:" + formatPrintfFixed(v(Quantity::Enthalpy, s.h), 1, 5) +
           " X:" + formatPrintfFixed(v(Quantity::HumidityRatio, s.x), ip ? 1 : 4, 7) +
           " SV:" + formatPrintfFixed(v(Quantity::Volume, s.SV), ip ? 2 : 3, 6);
}

int hitTest(const ObjectTable& objects, const ChartFrame& frame, const ViewTransform& view,
            double X, double Y, const std::function<TextExtent(const std::string&)>& measure) {
    int found = -1;
    for (int i = 0; i < ObjectTable::kCapacity && found < 0; ++i) {
        const ObjectRecord& r = objects.at(i);
        if (r.kind <= 0) break;
        if (isLineObject(r.kind)) {
            // Distances from the line where it is drawn: its ends at whole pixels (a line drawn
            // within the chart cut at its outline).
            ChartPoint a, b;
            if (!lineOnChart(frame, view, r, a, b)) continue;
            const ChartPoint A{static_cast<double>(wholeNumber(a.x)),
                               static_cast<double>(wholeNumber(a.y))};
            const ChartPoint B{static_cast<double>(wholeNumber(b.x)),
                               static_cast<double>(wholeNumber(b.y))};
            double fx, fy;
            if (std::fabs(A.x - B.x) <= 1) {
                fx = A.x, fy = Y;
            } else if (std::fabs(A.y - B.y) <= 1) {
                fx = X, fy = A.y;
            } else {
                const double m = (A.y - B.y) / (A.x - B.x), c = A.y - m * A.x;
                fx = (X / m + Y - c) / (m + 1 / m);
                fy = m * fx + c;
            }
            if (between(fx, A.x, B.x) && between(fy, A.y, B.y) && std::hypot(X - fx, Y - fy) < 5)
                found = i;
        } else if (r.kind == kTextObject) {
            const ChartPoint P = stateToScreen(frame, view, r.h1, r.x1);
            const TextExtent e = measure(r.text);
            double left, top;
            labelTopLeft(r.labelPosition, P.x, P.y, e.width, e.height, left, top);
            if (X >= left && X <= left + e.width && Y >= top && Y <= top + e.height) found = i;
        }
    }
    return found;
}

Editor::Editor(EditorHost& host) : host_(host) {}
Editor::~Editor() = default;

FreeSegmentMode* Editor::segment() const {
    return commandIs(Command::FreeSegment) ? static_cast<FreeSegmentMode*>(command_.get())
                                           : nullptr;
}

SelectMode* Editor::select() const {
    return commandIs(Command::Select) ? static_cast<SelectMode*>(command_.get()) : nullptr;
}

std::optional<FreeSegmentMode::Status> Editor::segmentStatus() const {
    if (const FreeSegmentMode* s = segment()) return s->status();
    return std::nullopt;
}

int Editor::segmentState() const {
    const auto s = segmentStatus();
    if (!s) return 0;
    switch (*s) {
        case FreeSegmentMode::Status::End:
            return 1;
        case FreeSegmentMode::Status::Start:
            return 2;
        case FreeSegmentMode::Status::TypingEnd:
            return 3;
        case FreeSegmentMode::Status::TypingStart:
            return 4;
    }
    return 0;
}

const std::vector<int>& Editor::selection() const {
    static const std::vector<int> none;
    const std::vector<int>* picks = command_ ? command_->picks() : nullptr;
    return picks ? *picks : none;
}

void Editor::commandEnd() {
    EditorPrompt& prompt = host_.prompt();
    prompt.setCursor(kCursorCross);
    prompt.setStatus(1, "");
    view_.reset();
    if (command_) {
        const std::unique_ptr<CommandMode> ending = std::move(command_);
        ending->cancel();
    }
    if (prompt.pointDialogVisible()) prompt.hidePointDialog();
}

void Editor::finishCommand() {
    const std::unique_ptr<CommandMode> ending = std::move(command_);
    ending->finish();
}

void Editor::pressCommand(const Press& p) {
    if (!command_->press(p)) finishCommand();
}

void Editor::startFreeSegment() {
    commandEnd();
    command_ = std::make_unique<FreeSegmentMode>(host_);
    lastCommand_ = Command::FreeSegment;
}

void Editor::startErase() {
    commandEnd();
    command_ = std::make_unique<EraseMode>(host_);
    lastCommand_ = Command::Erase;
}

void Editor::startSelect() {
    commandEnd();
    command_ = std::make_unique<SelectMode>(host_);
    host_.changed(Change::Selection);
}

void Editor::startDesignPoint() {
    commandEnd();
    command_ = std::make_unique<DesignPointMode>(host_);
    lastCommand_ = Command::DesignPoint;
}

void Editor::startZoomMode() {
    view_ = std::make_unique<ZoomMode>(host_);
    // A view mode entered during a segment or a placement is not what Enter repeats.
    if (!segment() && !placement_) lastCommand_ = Command::ZoomMode;
}

void Editor::startPanningMode() {
    view_ = std::make_unique<PanMode>(host_, panner_);
    if (!segment() && !placement_) lastCommand_ = Command::PanMode;
}

void Editor::startTextPlacement(const std::string& text) {
    if (text.empty()) return;
    placement_ = std::make_unique<TextMode>(host_, text);
}

void Editor::selectAll() {
    if (SelectMode* s = select()) s->selectAll();
}

bool Editor::deleteSelected() {
    if (commandIs(Command::Erase)) {
        const bool any = !selection().empty();
        finishCommand();
        return any;
    }
    SelectMode* s = select();
    return s && s->deleteSelected();
}

bool Editor::changeSelected(LineAttribute p, int value) {
    SelectMode* s = select();
    return s && s->changeSelected(p, value);
}

bool Editor::changeText(int index, const std::string& text, int labelPosition) {
    ObjectTable& objects = host_.document().objects;
    if (index < 0 || index >= objects.count() || objects.at(index).kind != kTextObject ||
        text.empty() || labelPosition < 0 || labelPosition > 7)
        return false;
    const bool changed = recordStep(host_, [&](ObjectTable& t) {
        t.at(index).text = text;
        t.at(index).labelPosition = labelPosition;
    });
    if (changed) host_.repaint();
    return changed;
}

bool Editor::selectionAttributes(const CurrentAttributes& current, CurrentAttributes& shown) const {
    const SelectMode* s = select();
    return s && s->selectionAttributes(current, shown);
}

void Editor::beforeHistoryMove() {
    if (SelectMode* s = select()) {
        s->dropDrag();
        return;
    }
    if (command_ || placement_) {
        if (placement_) placement_->hideOutline();
        placement_.reset();
        commandEnd();
    }
}

void Editor::afterHistoryMove() {
    if (SelectMode* s = select()) s->keepLiveObjects();
}

bool Editor::acceptTypedPoint() {
    FreeSegmentMode* s = segment();
    if (!s || !s->typing()) return false;
    const CurrentState& typed = host_.document().state;
    const StatePoint point{typed.h, typed.x};
    s->onCoordinateEvent(point, pixelOf(host_.chartView(), point));
    return true;
}

void Editor::abandonTypedPoint() {
    if (FreeSegmentMode* s = segment()) s->abandonTyping();
}

void Editor::viewChanged() {
    if (command_) command_->viewChanged();
    if (placement_) placement_->viewChanged();
}

void Editor::repainted() {
    if (command_) command_->marksAgain();
    if (placement_) placement_->marksAgain();
}

void Editor::mouseMove(bool leftHeld, bool middleHeld, int x, int y) {
    pointer_ = {x, y};
    if (host_.prompt().pointDialogVisible()) return;
    const EditorView v = host_.chartView();
    const CurrentState s = screenToState(v.frame, v.screen, x, y);
    host_.document().state = s;
    if (s.x >= 0 && s.RH <= 100)
        host_.prompt().setStatus(
            0, readoutText(s, v.units) +
                   comfort::pmvReadout(MoistAir(v.pressureMmHg), s.DB, s.x, v.comfort));
    if (command_) command_->move(pointer_, s, leftHeld);
    if ((panningMode() && leftHeld) || (middleDrag_ && middleHeld)) panner_.move(host_, pointer_);
    if (placement_) placement_->move(pointer_);
}

void Editor::mouseDown(MouseButton b, bool shift, int x, int y) {
    pointer_ = {x, y};
    if (b == MouseButton::Middle) {
        // A middle drag pans in every mode; it ends zoom mode, not pan mode.
        middleDrag_ = true;
        panner_.grab(pointer_);
        if (view_ && view_->endsOnWheel()) view_.reset();
        host_.prompt().setCursor(kCursorPan);
        return;
    }
    if (!command_ && !view_ && !placement_ && b == MouseButton::Right) {
        host_.runCommand(lastCommand_);
        return;
    }
    const Press p{b, shift, pointer_};
    if (!view_) {
        if (command_) {
            pressCommand(p);
        } else if (placement_) {
            const std::unique_ptr<TextMode> placing = std::move(placement_);
            placing->place(b, pointer_);
        }
    } else if (command_ && command_->clicksBeforePanning() && panningMode()) {
        pressCommand(p);
    } else if (!view_->press(b, pointer_)) {
        view_.reset();
    }
}

void Editor::mouseUp(MouseButton b, int x, int y) {
    pointer_ = {x, y};
    if (command_) command_->release(b, pointer_);
    if (b == MouseButton::Middle && middleDrag_) {
        middleDrag_ = false;
        host_.prompt().setCursor(view_ ? view_->cursor() : kCursorCross);
    }
}

void Editor::doubleClick(int x, int y) {
    if (view_ || placement_ || (command_ && !select())) return;
    const EditorView v = host_.chartView();
    const int hit = hitTest(host_.document().objects, v.frame, v.screen, x, y,
                            [this](const std::string& t) { return host_.marks().textExtent(t); });
    if (hit < 0 || host_.document().objects.at(hit).kind != kTextObject) return;
    if (!select()) startSelect();
    select()->letGo();
    select()->setSelection({hit});
    host_.prompt().editText(hit);
}

bool Editor::wheel(bool up) {
    if (middleDrag_) return false;
    // Always a step at the pointer. It ends zoom mode (the cursor stays) and keeps pan mode.
    if (view_ && view_->endsOnWheel()) view_.reset();
    host_.zoomAtPointer(up);
    return true;
}

void Editor::escapeKey() {
    // 選択: the first Esc drops the selection, the next one ends the command.
    if (command_ && !view_ && command_->escape()) return;
    // During a free segment Esc first leaves the view mode: zoom mode ends, pan mode stays.
    if (segment() && view_) {
        if (view_->endsOnEscapeUnderSegment()) view_.reset();
        host_.prompt().setCursor(kCursorCross);
        return;
    }
    commandEnd();
}

void Editor::enterKey() {
    if (command_ || view_) {
        if (command_ && !command_->enter(view_ != nullptr)) finishCommand();
        return;
    }
    host_.runCommand(lastCommand_);
}

}  // namespace humidraw
