#pragma once
// The document's measured data and zones, and how they are drawn over the chart: data sets as
// dots or as hours per cell of 1 °C × 1 g/kg(DA) with a legend, zones as their outline (lightly
// filled when asked) with their name.
#include <memory>
#include <vector>

#include "measured/zone.h"
#include "document/paint.h"

namespace humidraw {

struct MeasuredData {
    std::vector<DataSet> sets;
    std::vector<Zone> zones;
    bool empty() const { return sets.empty() && zones.empty(); }
};

// Points per cell of 1 °C × 1 g/kg(DA), the cells on whole degrees and grams. Only the cells
// that hold points are kept, so the grid never outgrows its set whatever the points' spread;
// points outside −1000 to 1000 °C and −1000 to 1000 g/kg(DA) (no chart reaches there) are left
// out.
struct DensityGrid {
    struct Cell {
        int column, row;  // from the first cell, along DB and along x
        uint32_t count;
    };
    int dbFirst = 0, xFirst = 0;  // °C and g/kg(DA) of the first cell's lower corner
    int columns = 0, rows = 0;    // the extent along DB and along x
    std::vector<Cell> cells;      // the cells holding points, by row, then column
    uint32_t most = 0;
    uint32_t at(int column, int row) const;
};
DensityGrid densityGrid(const DataSet& set);

// The shade step (1–5) of a cell holding `count` of at most `most` points; 0 for an empty cell.
int densityLevel(uint32_t count, uint32_t most);
// `c` mixed with white: `share` 0 white, 1 the colour itself.
Colour32 tint(Colour32 c, double share);

// A zone's name as drawn: its top-left pixel and extent.
struct LabelBox {
    int left = 0, top = 0, width = 0, height = 0;
};
// Where a name wanted at `wanted` is drawn so that it covers none of `placed`: moved up, to 2
// pixels above each name it would cover, as far as it takes.
LabelBox clearOf(const std::vector<LabelBox>& placed, LabelBox wanted);

class DataOverlay : public PaintOverlay {
  public:
    DataOverlay(std::shared_ptr<const MeasuredData> data, double pressureMmHg = 760);
    void paintUnder(Canvas& k, const ChartFrame& frame, const ViewTransform& o) const override;
    void paintOver(Canvas& k, const ChartFrame& frame, const ViewTransform& o) const override;
    const MeasuredData& data() const { return *data_; }

  private:
    const std::vector<ZonePoint>& outline(size_t zone, const ChartFrame& frame) const;
    void paintDots(Canvas& k, const DataSet& set, const ChartFrame& frame,
                   const ViewTransform& o) const;
    void paintDensity(Canvas& k, size_t set, const ChartFrame& frame, const ViewTransform& o) const;
    void paintLegend(Canvas& k, const ChartFrame& frame, const ViewTransform& o) const;

    std::shared_ptr<const MeasuredData> data_;
    double pressure_;
    std::vector<DensityGrid> grids_;
    // Outlines for the dry-bulb range they were made for: the chart's range changes seldom.
    mutable double outlineMin_ = 0, outlineMax_ = -1;
    mutable std::vector<std::vector<ZonePoint>> outlines_;
};

}  // namespace humidraw
