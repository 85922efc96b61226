#pragma once
// The design layer as the document draws it, over its objects on every output: each process a
// line in its look (a mixing from each stream to the mixed state, an SHF line across the chart),
// each point a marker with its name placed where no other label lies, and the loads written
// beside a process that asks for them.
#include <memory>
#include <optional>

#include "design/design.h"
#include "design/units.h"
#include "document/paint.h"

namespace humidraw::design {

// Painting computes the design again when the chart is drawn at another pressure than the last
// one, and writes its labels in the chart's units.
class DesignOverlay : public PaintOverlay {
  public:
    // Computes the design at the pressure.
    DesignOverlay(std::shared_ptr<const Design> design, double pressureMmHg);
    void paintUnder(Canvas&, const ChartFrame&, const ViewTransform&) const override {}
    void paintOver(Canvas& k, const ChartFrame& frame, const ViewTransform& o) const override;

    const Design& design() const { return *design_; }
    std::shared_ptr<const Design> shared() const { return design_; }
    // As last computed, and as computed at a pressure (again when it is another one).
    const DesignResult& result() const { return result_; }
    const DesignResult& resultAt(double pressureMmHg) const;
    double pressureMmHg() const { return pressure_; }

    // The defined point (its index among the design's points) whose marker is within `radius`
    // pixels of (X, Y) in the view `o`, the nearest; none when none is. As last computed.
    std::optional<size_t> pointAt(const ChartFrame& frame, const ViewTransform& o, double X,
                                  double Y, double radius) const;

  private:
    std::shared_ptr<const Design> design_;
    mutable double pressure_;
    mutable DesignResult result_;
};

// The layer a document draws for a design computed at a pressure; none for an empty design
// (no points, no processes), which a document does not keep.
std::shared_ptr<const PaintOverlay> designLayer(Design d, double pressureMmHg);

// The text of a process's load label: "Q=-85.6 kW" in SI, "Q=-73,600 kcal/h (-85.6 kW)" else;
// empty when it carries no load.
std::string loadLabel(const ProcessFigures& f, UnitSystem u);

}  // namespace humidraw::design
