#pragma once
// The chart element table: every line, text, circle and arc of the chart, in chart units at
// zoom 1.0. Kind = 10 × family + primitive (0 line, 2 text, 3 circle, 4 arc whose next record
// holds the start and end points).
#include <cstdint>
#include <string>
#include <vector>

namespace humidraw {

struct ChartElement {
    int32_t kind = 0;
    double c1 = 0, c2 = 0, c3 = 0, c4 = 0;
    std::string text;  // UTF-8
};

enum ChartPrimitive { kLine = 0, kText = 2, kCircle = 3, kArc = 4 };

class ChartTable {
  public:
    static constexpr int kCapacity = 6000;

    void clear() {
        elements_.clear();
        refused_ = 0;
    }
    // Appends unless the table is full or a coordinate is not a finite number.
    bool append(ChartElement e);
    const std::vector<ChartElement>& elements() const { return elements_; }
    // How many elements did not fit or had no finite position.
    int refused() const { return refused_; }

  private:
    std::vector<ChartElement> elements_;
    int refused_ = 0;
};

}  // namespace humidraw
