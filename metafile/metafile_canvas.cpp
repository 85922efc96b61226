#include "metafile/metafile_canvas.h"

#include "chart/text_metrics.h"

namespace humidraw {

TextExtent fixedTextMeasure(const std::string&, int height, const std::string& text) {
    double w = 0;
    for (char32_t c : decodeUtf8(text)) w += isWideCodePoint(c) ? height : height / 2.0;
    return {static_cast<int>(w), height};
}

MetafileCanvas::MetafileCanvas(int width, int height, TextMeasure measure)
    : width_(width), height_(height), measure_(std::move(measure)) {
    if (!measure_) measure_ = fixedTextMeasure;
}

void MetafileCanvas::preparePen() {
    if (!modeEmitted_ || mode_ != lastMode_) {
        emitRop(mode_);
        lastMode_ = mode_;
        modeEmitted_ = true;
    }
    Pen wanted = pen_;
    if (mode_ == PenMode::Black) wanted.colour = 0x000000;
    if (!penEmitted_ || !(wanted == lastPen_)) {
        emitPen(wanted);
        lastPen_ = wanted;
        penEmitted_ = true;
    }
}

void MetafileCanvas::prepareShape() {
    preparePen();
    if (!brushEmitted_ || !(brush_ == lastBrush_)) {
        emitBrush(brush_);
        lastBrush_ = brush_;
        brushEmitted_ = true;
    }
}

void MetafileCanvas::prepareText() {
    if (!fontEmitted_ || !(font_ == lastFont_)) {
        emitFont(font_);
        lastFont_ = font_;
        fontEmitted_ = true;
    }
    if (!textColourEmitted_ || fontColour_ != lastTextColour_) {
        emitTextColour(fontColour_);
        lastTextColour_ = fontColour_;
        textColourEmitted_ = true;
    }
}

void MetafileCanvas::moveTo(int x, int y) {
    position_ = {x, y};
}

void MetafileCanvas::lineTo(int x, int y) {
    preparePen();
    if (!positionEmitted_ || lastPosition_.x != position_.x || lastPosition_.y != position_.y)
        emitMoveTo(position_.x, position_.y);
    emitLineTo(x, y);
    position_ = lastPosition_ = {x, y};
    positionEmitted_ = true;
}

void MetafileCanvas::ellipse(int left, int top, int right, int bottom) {
    prepareShape();
    emitEllipse(left, top, right, bottom);
}

void MetafileCanvas::arc(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2) {
    prepareShape();
    emitArc(left, top, right, bottom, x1, y1, x2, y2);
}

void MetafileCanvas::textOut(int x, int y, const std::string& text) {
    if (text.empty()) return;  // nothing to draw; some readers mis-read empty text records
    prepareText();
    emitText(x, y, text, textExtent(text));
}

TextExtent MetafileCanvas::textExtent(const std::string& text) {
    return measure_(font_.face, font_.height, text);
}

void MetafileCanvas::fillRect(int left, int top, int right, int bottom) {
    // A rectangle with the brush and an invisible (paper-coloured) outline of the same area.
    const Pen saved = pen_;
    pen_ = {brush_.colour, 0, PenStyle::Solid};
    const bool solid = brush_.solid;
    brush_.solid = true;
    prepareShape();
    emitRectangle(left, top, right, bottom);
    pen_ = saved;
    brush_.solid = solid;
}

}  // namespace humidraw
