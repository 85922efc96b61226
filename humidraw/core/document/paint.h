#pragma once
// The one painting routine: the chart's elements, then the document's objects, onto any canvas.
#include <vector>

#include "chart/canvas.h"
#include "chart/chart_paint.h"
#include "chart/element.h"
#include "chart/frame.h"
#include "document/object_table.h"
#include "chart/chart_settings.h"

namespace humidraw {

// Something the document draws besides its objects: `under` before the chart's lines (fills),
// `over` after the objects. Each sets the pens and brushes it uses and leaves the brush clear.
class PaintOverlay {
  public:
    virtual ~PaintOverlay() = default;
    virtual void paintUnder(Canvas& k, const ChartFrame& frame, const ViewTransform& o) const = 0;
    virtual void paintOver(Canvas& k, const ChartFrame& frame, const ViewTransform& o) const = 0;
};

// Paints at zoom o.zoom with every X shifted by o.offsetX. Pen colour and mode of the chart are
// the caller's (grey on screen, black when printing). False when painting failed.
bool paintChart(Canvas& k, const ChartFrame& frame, const ChartTable& chart,
                const ObjectTable& objects, const ChartSettings& settings, const ViewTransform& o);

// The two halves of paintChart, for a screen that keeps the chart's own drawing as a layer of
// its own: the chart alone with the overlay's fills under it (font, brush and pen width set as
// paintChart sets them), and the objects alone with the rest of the overlay onto a canvas in the
// state the chart leaves it in (pen mode, pen and font colour the caller's, as for paintChart).
// False when painting failed.
bool paintChartLayer(Canvas& k, const ChartFrame& frame, const ChartTable& chart,
                     const PaintOverlay* overlay, const ChartSettings& settings, const ViewTransform& o);
bool paintObjects(Canvas& k, const ChartFrame& frame, const ChartTable& chart,
                  const ObjectTable& objects, const ChartSettings& settings, const ViewTransform& o);

// The part of a line object that is drawn: its ends (h1, x1) → A and (h2, x2) → B in the
// pixels of the view `v`; for a line drawn within the chart (kDrawnWithinChart) cut at
// the chart's outline (an end on the chart stays bit for bit), false when no part of it lies on
// the chart. Ends of a coordinate that is not a finite number are given as they are, for the
// drawing to refuse.
bool lineOnChart(const ChartFrame& f, const ViewTransform& v, const ObjectRecord& r, ChartPoint& A,
                 ChartPoint& B);

// Line records (kinds 10–13) drawn as the document draws its line objects, in their order; the
// pen style is solid after.
void paintLines(Canvas& k, const ChartFrame& f, const std::vector<ObjectRecord>& lines,
                const ViewTransform& o);

// Text unrotated at the corner its label position code gives, with a gap of half its height.
void drawAnchoredText(Canvas& k, const std::string& text, int labelPosition, double X, double Y);

// Row n of the value table (0 the header) at (X0, Y0): six centred cells under a rule; with
// `units` SI the enthalpy column of data rows is converted from kcal/kg to kJ/kg; with IP the
// dry and wet bulbs to °F, the enthalpy to Btu/lb and the humidity ratio to gr/lb, one decimal
// each. The rows keep engineering values whatever is shown.
void drawTableRow(Canvas& k, double X0, double Y0, int n, const std::string& text, UnitSystem units);

// A data cell of column i (0 the label, then DB, RH, WB, h, x) of a value-table row as
// drawTableRow shows it in `units`; unchanged when it is no number.
std::string shownTableCell(const std::string& cell, int column, UnitSystem units);

}  // namespace humidraw
