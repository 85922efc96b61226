// 線分記入: every point of the chain, clicked or typed, goes through onCoordinateEvent.
#include "interaction/modes.h"
#include "lang/language.h"

namespace humidraw {

FreeSegmentMode::FreeSegmentMode(EditorHost& host) : CommandMode(host) {
    host_.marks().prepareSegmentPen();
    host_.prompt().setStatus(1, translate("Editor", "始点を指示([SHIFT]+[右ｸﾘｯｸ]で数値入力)："));
}

void FreeSegmentMode::showBand(PixelPoint to, const StatePoint& toChart) {
    hideBand();
    host_.marks().drawBand(start_, to);
    bandEnd_ = to;
    bandEndChart_ = toChart;
    bandShown_ = true;
}

void FreeSegmentMode::hideBand() {
    if (!bandShown_) return;
    host_.marks().drawBand(start_, bandEnd_);
    bandShown_ = false;
}

void FreeSegmentMode::onCoordinateEvent(const StatePoint& point, PixelPoint at) {
    if (status_ == Status::Start || status_ == Status::TypingStart) {
        host_.marks().drawMarker(at, markerRadius());
        ownStartMark_ = true;
        host_.prompt().setStatus(
            1, translate("Editor",
                         "終点を指示([SHIFT]+[右ｸﾘｯｸ]:数値入力,[ESC]or[右ｸﾘｯｸ]:ｺﾏﾝﾄﾞ終了)："));
    } else {
        // The band to the point is the new segment's line until the next repaint.
        if (!bandShown_ || bandEnd_.x != at.x || bandEnd_.y != at.y) showBand(at, point);
        if (!appendSegment(point)) {
            // Refused: the band goes on following the pointer from the same start.
            status_ = Status::End;
            return;
        }
        host_.marks().drawMarker(at, markerRadius());
        ownStartMark_ = false;  // the new object draws it
    }
    // The point starts the next segment.
    status_ = Status::End;
    start_ = bandEnd_ = at;
    startChart_ = bandEndChart_ = point;
    bandShown_ = false;
}

bool FreeSegmentMode::appendSegment(const StatePoint& end) {
    const EditorDocument d = host_.document();
    if (d.objects.full()) {
        host_.prompt().tell(translate("Editor", "線分作成"), ObjectTable::fullMessage());
        return false;
    }
    ObjectRecord r;
    r.kind = kLineBothMarkers;
    r.colour = d.attributes.colour;
    r.width = d.attributes.width;
    r.style = d.attributes.style;
    r.h1 = startChart_.h;
    r.x1 = startChart_.x;
    r.h2 = end.h;
    r.x2 = end.x;
    recordStep([&r](ObjectTable& t) { t.append(r); });
    return true;
}

void FreeSegmentMode::abandonTyping() {
    if (status_ == Status::TypingStart) status_ = Status::Start;
    if (status_ == Status::TypingEnd) status_ = Status::End;
}

bool FreeSegmentMode::press(const Press& p) {
    if (p.shift && p.button == MouseButton::Right) {
        // Shift + right click: the point dialog opens for the point the segment waits for.
        hideBand();
        if (status_ == Status::Start) status_ = Status::TypingStart;
        if (status_ == Status::End) status_ = Status::TypingEnd;
        host_.prompt().showPointDialog(status_ == Status::TypingStart
                                           ? translate("Editor", "始点の状態値を入力")
                                           : translate("Editor", "終点の状態値を入力"));
        return true;
    }
    if (p.button == MouseButton::Right) return false;
    if (p.button != MouseButton::Left || typing()) return true;
    // The clicked point is the state read off the chart where the pointer last moved.
    const CurrentState& s = host_.document().state;
    onCoordinateEvent({s.h, s.x}, p.at);
    return true;
}

void FreeSegmentMode::move(PixelPoint at, const CurrentState& s, bool) {
    if (status_ == Status::End) showBand(at, {s.h, s.x});
}

void FreeSegmentMode::finish() {
    bandShown_ = false;
    host_.repaint();
    host_.prompt().setStatus(1, "");
}

void FreeSegmentMode::cancel() {
    bandShown_ = false;
    host_.repaint();
}

void FreeSegmentMode::marksAgain() {
    const bool started = status_ == Status::End || status_ == Status::TypingEnd;
    if (started && ownStartMark_) host_.marks().drawMarker(start_, markerRadius());
    if (status_ == Status::End && bandShown_) host_.marks().drawBand(start_, bandEnd_);
}

void FreeSegmentMode::viewChanged() {
    if (status_ != Status::End && status_ != Status::TypingEnd) return;
    start_ = pixelOf(startChart_);
    bandEnd_ = pixelOf(bandEndChart_);
}

}  // namespace humidraw
