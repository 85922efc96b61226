#pragma once
// What painting needs of a drawing surface. Backends: the Qt canvas (screen picture, printer,
// SVG), the metafile writers, and a recording canvas for tests. Coordinates are device pixels,
// Y growing downwards; colours are 0x00BBGGRR; text is UTF-8.
#include <cstdint>
#include <string>

namespace humidraw {

using Colour = uint32_t;

enum class PenStyle { Solid, Dot, DashDot };
enum class PenMode {
    Copy,    // the pen colour
    NotXor,  // inverts where the pen colour is black: drawing twice restores the pixels
    Black,   // always black (printing)
};

struct PixelPoint {
    int x = 0, y = 0;
};

struct TextExtent {
    int width = 0, height = 0;
};

class Canvas {
  public:
    virtual ~Canvas() = default;

    virtual void setPenColour(Colour c) = 0;
    virtual void setPenWidth(int pixels) = 0;
    virtual void setPenStyle(PenStyle s) = 0;
    virtual void setPenMode(PenMode m) = 0;
    virtual void setBrushClear() = 0;
    virtual void setBrushSolid(Colour c) = 0;
    // Character height in pixels and escapement in tenths of a degree, counter-clockwise.
    virtual void setFont(const std::string& face, int height, int escapement) = 0;
    virtual void setFontColour(Colour c) = 0;
    virtual int fontHeight() const = 0;
    virtual std::string fontFace() const = 0;

    virtual void moveTo(int x, int y) = 0;
    virtual void lineTo(int x, int y) = 0;
    virtual PixelPoint penPosition() const = 0;
    // Outline (and fill with a solid brush) of the ellipse inside the box.
    virtual void ellipse(int left, int top, int right, int bottom) = 0;
    // Counter-clockwise arc of the ellipse in the box, from the ray towards (x1, y1) to the ray
    // towards (x2, y2).
    virtual void arc(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2) = 0;
    // Text with the top-left corner of its cell at (x, y), turned by the font's escapement
    // about that corner, drawn with a clear background.
    virtual void textOut(int x, int y, const std::string& text) = 0;
    virtual TextExtent textExtent(const std::string& text) = 0;
    virtual int pixelsPerInch() const = 0;
    // Fills the rectangle with the brush colour.
    virtual void fillRect(int left, int top, int right, int bottom) = 0;
    // Fills the polygon (closed, even-odd) with the brush colour, without an outline. Surfaces
    // without a polygon of their own get it as pixel rows of fillRect.
    virtual void fillPolygon(const PixelPoint* points, int count);
};

// The character height of a font of `points` on a canvas of `dpi` (rounded to the nearest).
int pointsToPixels(int points, int dpi = 96);

}  // namespace humidraw
