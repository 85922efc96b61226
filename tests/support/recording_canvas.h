#pragma once
// A canvas that keeps what was drawn, with the pen and font state of each operation, so tests
// and benchmarks can check painting with no display. Text is measured with fixed metrics: a
// character is half the font height wide (a whole height for East Asian wide characters).
#include <string>
#include <vector>

#include "chart/canvas.h"

namespace humidraw {

struct RecordedOp {
    enum Kind { Line, Move, Ellipse, Arc, Text, Fill } kind = Line;
    int v[8] = {};  // line: x0 y0 x1 y1; ellipse/fill: box; arc: box and two points; text: x y
    std::string text;
    Colour penColour = 0, fontColour = 0, brushColour = 0;
    bool brushSolid = false;
    int penWidth = 0;
    PenStyle penStyle = PenStyle::Solid;
    PenMode penMode = PenMode::Copy;
    int fontHeight = 0, escapement = 0;
    std::string fontFace;
};

class RecordingCanvas : public Canvas {
  public:
    explicit RecordingCanvas(int dpi = 96) : dpi_(dpi) {}

    std::vector<RecordedOp> ops;
    bool recordMoves = false;

    void setPenColour(Colour c) override { state_.penColour = c; }
    void setPenWidth(int w) override { state_.penWidth = w; }
    void setPenStyle(PenStyle s) override { state_.penStyle = s; }
    void setPenMode(PenMode m) override { state_.penMode = m; }
    void setBrushClear() override { state_.brushSolid = false; }
    void setBrushSolid(Colour c) override {
        state_.brushSolid = true;
        state_.brushColour = c;
    }
    void setFont(const std::string& face, int height, int escapement) override {
        state_.fontFace = face;
        state_.fontHeight = height;
        state_.escapement = escapement;
    }
    void setFontColour(Colour c) override { state_.fontColour = c; }
    int fontHeight() const override { return state_.fontHeight; }
    std::string fontFace() const override { return state_.fontFace; }
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    PixelPoint penPosition() const override { return pen_; }
    void ellipse(int l, int t, int r, int b) override;
    void arc(int l, int t, int r, int b, int x1, int y1, int x2, int y2) override;
    void textOut(int x, int y, const std::string& text) override;
    TextExtent textExtent(const std::string& text) override;
    int pixelsPerInch() const override { return dpi_; }
    void fillRect(int l, int t, int r, int b) override;

    // Only the operations of one kind.
    std::vector<RecordedOp> of(RecordedOp::Kind kind) const;

  private:
    RecordedOp make(RecordedOp::Kind kind) const;
    RecordedOp state_;
    PixelPoint pen_;
    int dpi_;
};

}  // namespace humidraw
