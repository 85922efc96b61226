#include "metafile/metafile_canvas.h"

#include <cmath>

#include "chart/text_metrics.h"

namespace humidraw {

TextExtent fixedTextMeasure(const std::string&, int height, const std::string& text) {
    double w = 0;
    for (char32_t c : decodeUtf8(text)) w += isWideCodePoint(c) ? height : height / 2.0;
    return {static_cast<int>(w), height};
}

std::vector<double> fixedCharAdvances(const std::string&, int height, const std::string& text) {
    std::vector<double> out;
    for (char32_t c : decodeUtf8(text)) out.push_back(isWideCodePoint(c) ? height : height / 2.0);
    return out;
}

std::vector<int32_t> spreadAdvances(const std::string& text, const std::vector<double>& advances,
                                    int width) {
    const std::u32string chars = decodeUtf8(text);
    double total = 0;
    bool usable = advances.size() == chars.size();
    for (size_t i = 0; usable && i < advances.size(); ++i) {
        usable = std::isfinite(advances[i]) && advances[i] >= 0;
        if (usable) total += advances[i];
    }
    std::vector<int32_t> out;
    double before = 0;  // advance of the characters before this one
    int32_t placed = 0;
    for (size_t i = 0; i < chars.size(); ++i) {
        before += (usable && total > 0) ? advances[i] / total : 1.0 / chars.size();
        // Rounded positions of the characters' ends: the advances add up to the width exactly.
        const int32_t end =
            i + 1 == chars.size() ? width : static_cast<int32_t>(std::lround(before * width));
        out.push_back(end - placed);
        placed = end;
        if (chars[i] >= 0x10000) out.push_back(0);
    }
    return out;
}

MetafileCanvas::MetafileCanvas(int width, int height, TextMeasure measure,
                               CharAdvanceMeasure advances)
    : width_(width), height_(height), measure_(std::move(measure)), advances_(std::move(advances)) {
    if (!measure_) measure_ = fixedTextMeasure;
    if (!advances_) advances_ = fixedCharAdvances;
}

std::vector<int32_t> MetafileCanvas::textAdvances(const std::string& text,
                                                  const TextExtent& extent) const {
    return spreadAdvances(text, advances_(font_.face, font_.height, text), extent.width);
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
