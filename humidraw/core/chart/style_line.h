#pragma once
// Draws lines of any pen width solid or dashed on a canvas, walking the dash pattern itself and
// carrying it across consecutive line-to calls, so a polyline keeps one continuous pattern.
#include <optional>
#include <vector>

#include "chart/canvas.h"

namespace humidraw {

// A rectangle of device pixels, edges included.
struct PixelArea {
    double left = 0, top = 0, right = 0, bottom = 0;
};

// The part of a segment inside an area: its ends, and how far its start lies from the start of
// the whole segment.
struct ClippedSegment {
    double x0, y0, x1, y1;
    double skipped;  // pixels
};

// The part of the segment (x0, y0)–(x1, y1) inside `a`; none when no part is inside or a
// coordinate is not finite. Each end on an edge is computed from the edge and the nearer end
// of the segment, so one end at 1e300 costs no precision at the other.
std::optional<ClippedSegment> clipSegment(const PixelArea& a, double x0, double y0, double x1,
                                          double y1);

// A line drawer with the program's own dash patterns (width, style, phase kept across segments).
class TStyleLine {
  public:
    Canvas* canvas = nullptr;  // the target; not owned

    void setWidth(int w) { width_ = w <= 0 ? 1 : w; }
    int width() const { return width_; }
    // 1 solid; 2 to 5 the built-in patterns scaled by the canvas resolution; any other value
    // walks the current pattern.
    void setStyle(int style);
    // Lengths in 96-dpi pixels, alternately drawn and skipped, up to the first 0 entry.
    void setPattern(const std::vector<int>& lengths96);

    void moveTo(int x, int y);
    void lineTo(int x, int y);
    // A move to (x0, y0) and a line to (x1, y1), in real pixels truncated as the canvas takes
    // them, drawn only within `area`: the parts outside are never walked, so the work is bounded
    // by the area whatever the coordinates, and the pattern keeps the phase it has from (x0, y0).
    // A segment wholly inside is drawn exactly as moveTo and lineTo draw it.
    void drawWithin(const PixelArea& area, double x0, double y0, double x1, double y1);

    const std::vector<int>& pattern() const { return pattern_; }
    int segmentIndex() const { return segmentIndex_; }
    int segmentOffset() const { return segmentOffset_; }

  private:
    void step(double& px, double& py, double length, double ux, double uy, bool draw);
    void finish(int x, int y, bool draw);
    // Advances the pattern state by `length` pixels without drawing.
    void skip(double length);

    int width_ = 1;
    int style_ = 0;
    std::vector<int> pattern_ = {20, 20};
    int period_ = 40;
    int segmentIndex_ = 1;   // 1-based entry where the next piece starts
    int segmentOffset_ = 1;  // 1-based position inside that entry
};

}  // namespace humidraw
