#pragma once
// Draws lines of any pen width solid or dashed on a canvas, walking the dash pattern itself and
// carrying it across consecutive line-to calls, so a polyline keeps one continuous pattern.
#include <vector>

#include "chart/canvas.h"

namespace humidraw {

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

    const std::vector<int>& pattern() const { return pattern_; }
    int segmentIndex() const { return segmentIndex_; }
    int segmentOffset() const { return segmentOffset_; }

  private:
    void step(double& px, double& py, double length, double ux, double uy, bool draw);
    void finish(int x, int y, bool draw);

    int width_ = 1;
    int style_ = 0;
    std::vector<int> pattern_ = {20, 20};
    int period_ = 40;
    int segmentIndex_ = 1;   // 1-based entry where the next piece starts
    int segmentOffset_ = 1;  // 1-based position inside that entry
};

}  // namespace humidraw
