#pragma once
// The canvas on a QPainter: the screen picture (QImage), PDF and SVG.
#include <QFont>
#include <QPainter>

#include "chart/canvas.h"

namespace humidraw {

class QtCanvas : public Canvas {
  public:
    // `painter` must stay active while the canvas is used; `dpi` is the device's resolution.
    QtCanvas(QPainter& painter, int dpi);

    void setPenColour(Colour c) override;
    void setPenWidth(int pixels) override;
    void setPenStyle(PenStyle s) override;
    void setPenMode(PenMode m) override;
    void setBrushClear() override;
    void setBrushSolid(Colour c) override;
    void setFont(const std::string& face, int height, int escapement) override;
    void setFontColour(Colour c) override { fontColour_ = c; }
    int fontHeight() const override { return fontHeight_; }
    std::string fontFace() const override { return face_; }
    void moveTo(int x, int y) override { pen_ = {x, y}; }
    void lineTo(int x, int y) override;
    PixelPoint penPosition() const override { return pen_; }
    void ellipse(int left, int top, int right, int bottom) override;
    void arc(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2) override;
    void textOut(int x, int y, const std::string& text) override;
    TextExtent textExtent(const std::string& text) override;
    int pixelsPerInch() const override { return dpi_; }
    void fillRect(int left, int top, int right, int bottom) override;
    void fillPolygon(const PixelPoint* points, int count) override;

    // Lines, circles, arcs and texts lying wholly outside `area` (the painter's clip, in its
    // pixels) are left out without being laid out; an empty area leaves nothing out.
    void setVisibleArea(const QRectF& area) { visible_ = area; }
    // Lines, circles and arcs drawn smoothly (antialiased), placed on the same device pixels as
    // when drawn plainly: a thin line through whole pixel coordinates covers exactly the pixels
    // it covers without smoothing, a slanted one shades its neighbours. Texts are always smooth.
    void setSmooth(bool smooth);

  private:
    bool outside(double left, double top, double right, double bottom) const;
    void applyPen();
    // Where a stroke of the current pen goes for its middle to meet the pixels' middles.
    double strokeOffset() const;
    QPainter& p_;
    int dpi_;
    Colour penColour_ = 0, brushColour_ = 0xFFFFFF, fontColour_ = 0;
    int penWidth_ = 0;
    PenStyle penStyle_ = PenStyle::Solid;
    PenMode penMode_ = PenMode::Copy;
    bool brushSolid_ = false;
    std::string face_;
    int fontHeight_ = 8, escapement_ = 0;
    QFont font_;
    double glyphReach_ = 0;  // no glyph of the font reaches further from where it is drawn
    QRectF visible_;
    PixelPoint pen_;
    bool smooth_ = false;
    double deviceRatio_ = 1;  // device pixels per canvas pixel
};

// 0x00BBGGRR to a QColor.
QColor toQColor(Colour c);

}  // namespace humidraw
