#include "support/recording_canvas.h"

#include "chart/text_metrics.h"

namespace humidraw {

RecordedOp RecordingCanvas::make(RecordedOp::Kind kind) const {
    RecordedOp op = state_;
    op.kind = kind;
    return op;
}

void RecordingCanvas::moveTo(int x, int y) {
    if (recordMoves) {
        RecordedOp op = make(RecordedOp::Move);
        op.v[0] = x;
        op.v[1] = y;
        ops.push_back(op);
    }
    pen_ = {x, y};
}

void RecordingCanvas::lineTo(int x, int y) {
    RecordedOp op = make(RecordedOp::Line);
    op.v[0] = pen_.x;
    op.v[1] = pen_.y;
    op.v[2] = x;
    op.v[3] = y;
    ops.push_back(op);
    pen_ = {x, y};
}

void RecordingCanvas::ellipse(int l, int t, int r, int b) {
    RecordedOp op = make(RecordedOp::Ellipse);
    op.v[0] = l, op.v[1] = t, op.v[2] = r, op.v[3] = b;
    ops.push_back(op);
}

void RecordingCanvas::arc(int l, int t, int r, int b, int x1, int y1, int x2, int y2) {
    RecordedOp op = make(RecordedOp::Arc);
    const int v[8] = {l, t, r, b, x1, y1, x2, y2};
    for (int i = 0; i < 8; ++i) op.v[i] = v[i];
    ops.push_back(op);
}

void RecordingCanvas::textOut(int x, int y, const std::string& text) {
    RecordedOp op = make(RecordedOp::Text);
    op.v[0] = x, op.v[1] = y;
    op.text = text;
    ops.push_back(op);
}

TextExtent RecordingCanvas::textExtent(const std::string& text) {
    double w = 0;
    for (char32_t c : decodeUtf8(text))
        w += isWideCodePoint(c) ? state_.fontHeight : state_.fontHeight / 2.0;
    return {static_cast<int>(w), state_.fontHeight};
}

void RecordingCanvas::fillRect(int l, int t, int r, int b) {
    RecordedOp op = make(RecordedOp::Fill);
    op.v[0] = l, op.v[1] = t, op.v[2] = r, op.v[3] = b;
    ops.push_back(op);
}

std::vector<RecordedOp> RecordingCanvas::of(RecordedOp::Kind kind) const {
    std::vector<RecordedOp> out;
    for (const auto& op : ops)
        if (op.kind == kind) out.push_back(op);
    return out;
}

}  // namespace humidraw
