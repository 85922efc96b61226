#pragma once
// Canvases that record Windows metafiles from the documented record formats: the enhanced
// metafile (EMF) and the placeable Windows metafile (WMF). Both keep the GDI state the painting
// sets (pen, brush, font, text colour, raster operation) and emit objects only when they change,
// always selecting a pen before the first line. Text widths come from the screen's metrics.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "chart/canvas.h"
#include "chart/chart_settings.h"

namespace humidraw {

// Measures text in a font face at a character height (pixels), as the screen would.
using TextMeasure =
    std::function<TextExtent(const std::string& face, int height, const std::string& text)>;

// Advance of each character (code point) of a text in a face at a character height, in pixels
// with their fractions, as the screen lays the text out.
using CharAdvanceMeasure = std::function<std::vector<double>(const std::string& face, int height,
                                                             const std::string& text)>;

// Fixed metrics for tests and machines without fonts: half the height per narrow character, the
// whole height per East Asian wide one.
TextExtent fixedTextMeasure(const std::string& face, int height, const std::string& text);
std::vector<double> fixedCharAdvances(const std::string& face, int height, const std::string& text);

// Whole-pixel advances of the UTF-16 units of a text that add up to `width`: each character's
// share of the width follows its own advance (`advances`, one per code point); the second unit of
// a surrogate pair advances by 0.
std::vector<int32_t> spreadAdvances(const std::string& text, const std::vector<double>& advances,
                                    int width);

class MetafileCanvas : public Canvas {
  public:
    MetafileCanvas(int width, int height, TextMeasure measure, CharAdvanceMeasure advances = {});

    void setPenColour(Colour c) override { pen_.colour = c; }
    void setPenWidth(int pixels) override { pen_.width = pixels; }
    void setPenStyle(PenStyle s) override { pen_.style = s; }
    void setPenMode(PenMode m) override { mode_ = m; }
    void setBrushClear() override { brush_ = {false, brush_.colour}; }
    void setBrushSolid(Colour c) override { brush_ = {true, c}; }
    void setFont(const std::string& face, int height, int escapement) override {
        font_ = {face, height, escapement};
    }
    void setFontColour(Colour c) override { fontColour_ = c; }
    int fontHeight() const override { return font_.height; }
    std::string fontFace() const override { return font_.face; }
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    PixelPoint penPosition() const override { return position_; }
    void ellipse(int left, int top, int right, int bottom) override;
    void arc(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2) override;
    void textOut(int x, int y, const std::string& text) override;
    TextExtent textExtent(const std::string& text) override;
    int pixelsPerInch() const override { return 96; }
    void fillRect(int left, int top, int right, int bottom) override;

    // The complete file; the canvas records nothing after this.
    virtual std::string finish() = 0;

  protected:
    struct Pen {
        Colour colour = 0;
        int width = 0;
        PenStyle style = PenStyle::Solid;
        bool operator==(const Pen&) const = default;
    };
    struct Brush {
        bool solid = false;
        Colour colour = 0xFFFFFF;
        bool operator==(const Brush&) const = default;
    };
    struct Font {
        std::string face = kDefaultFontName;
        int height = 8;
        int escapement = 0;
        bool operator==(const Font&) const = default;
    };

    // Emitters of the concrete format.
    virtual void emitPen(const Pen& p) = 0;  // create, select, delete the previous one
    virtual void emitBrush(const Brush& b) = 0;
    virtual void emitFont(const Font& f) = 0;
    virtual void emitTextColour(Colour c) = 0;
    virtual void emitRop(PenMode m) = 0;
    virtual void emitMoveTo(int x, int y) = 0;
    virtual void emitLineTo(int x, int y) = 0;
    virtual void emitEllipse(int l, int t, int r, int b) = 0;
    virtual void emitArc(int l, int t, int r, int b, int x1, int y1, int x2, int y2) = 0;
    virtual void emitRectangle(int l, int t, int r, int b) = 0;
    virtual void emitText(int x, int y, const std::string& text, const TextExtent& extent) = 0;

    // Brings the selected objects up to the state drawing needs.
    void preparePen();
    void prepareShape();
    void prepareText();

    // Advances of the UTF-16 units of a text in the current font, adding up to its width.
    std::vector<int32_t> textAdvances(const std::string& text, const TextExtent& extent) const;

    int width_, height_;
    TextMeasure measure_;
    CharAdvanceMeasure advances_;

  private:
    Pen pen_;
    Brush brush_;
    Font font_;
    Colour fontColour_ = 0;
    PenMode mode_ = PenMode::Copy;
    PixelPoint position_;
    bool penEmitted_ = false, brushEmitted_ = false, fontEmitted_ = false;
    bool textColourEmitted_ = false, modeEmitted_ = false, positionEmitted_ = false;
    Pen lastPen_;
    Brush lastBrush_;
    Font lastFont_;
    Colour lastTextColour_ = 0;
    PenMode lastMode_ = PenMode::Copy;
    PixelPoint lastPosition_;
};

// Little-endian record bytes.
class RecordBytes {
  public:
    void u8(uint8_t v) { data.push_back(static_cast<char>(v)); }
    void u16(uint16_t v) { raw(&v, 2); }
    void i16(int16_t v) { raw(&v, 2); }
    void u32(uint32_t v) { raw(&v, 4); }
    void i32(int32_t v) { raw(&v, 4); }
    void f32(float v) { raw(&v, 4); }
    void bytes(const std::string& s) { data += s; }
    void pad(size_t multiple) {
        while (data.size() % multiple) data.push_back('\0');
    }
    void raw(const void* p, size_t n) { data.append(static_cast<const char*>(p), n); }
    std::string data;
};

}  // namespace humidraw
