#include "document/paint.h"

#include <cmath>
#include <exception>
#include <optional>

#include "chart/sheet_fit.h"
#include "chart/style_line.h"
#include "document/attributes.h"
#include "moistek_internal/air_constants.h"
#include "units/units.h"
#include "text/number_format.h"

namespace humidraw {
namespace {

// Lines are drawn only within the sheet and a margin of a tenth of its width around it, so a
// line reaching a little past the sheet is drawn as before and one reaching far (or to an
// enormous coordinate) costs no more than one crossing the sheet.
PixelArea drawingArea(const ViewTransform& o) {
    const double margin = kSheetWidth / 10 * o.zoom;
    return {o.offsetX - margin, -margin, o.offsetX + kSheetWidth * o.zoom + margin,
            kSheetHeight * o.zoom + margin};
}

bool inside(const PixelArea& area, double x, double y) {
    return x >= area.left && x <= area.right && y >= area.top && y <= area.bottom;
}

// The line's ends in the frame's coordinates, cut at the outline; false when none of it is on
// the chart (ends that are not finite numbers are given as they are).
bool cutAtOutline(const std::vector<OutlineEdge>& outline, const ChartFrame& f,
                  const ViewTransform& v, const ObjectRecord& r, ChartPoint& A, ChartPoint& B) {
    A = stateToScreen(f, v, r.h1, r.x1);
    B = stateToScreen(f, v, r.h2, r.x2);
    if (r.reserved2 != kDrawnWithinChart) return true;
    for (double c : {A.x, A.y, B.x, B.y})
        if (!std::isfinite(c)) return true;
    return clipToOutline(outline, A, B);
}

void paintLineObject(Canvas& k, TStyleLine& drawer, const ChartFrame& f,
                     const std::vector<OutlineEdge>& outline, const ObjectRecord& r,
                     const ViewTransform& o, int markerRadius) {
    const double a = o.offsetX, z = o.zoom;
    applyStyle(drawer, r.style, z);
    k.setPenColour(paletteColour(r.colour));
    drawer.setWidth(penWidthFor(r.width, z));
    // Mapped and cut unshifted, then shifted into place.
    const ViewTransform v = o.unshifted();
    const ChartPoint endA = stateToScreen(f, v, r.h1, r.x1), endB = stateToScreen(f, v, r.h2, r.x2);
    ChartPoint A = endA, B = endB;
    // Wholly off the chart: neither the line nor its markers.
    if (!cutAtOutline(outline, f, v, r, A, B)) return;
    const PixelArea area = drawingArea(o);
    // Drawn from the second point to the first, so a dash pattern starts at the second.
    drawer.drawWithin(area, a + B.x, B.y, a + A.x, A.y);
    if (r.kind == kLineNoMarker) return;
    k.setPenWidth(penWidthFor(r.width, z));
    // A marker shows a state on the chart; an end the chart's outline cut off has none.
    const auto marker = [&](ChartPoint at, ChartPoint end) {
        const double cx = a + at.x, cy = at.y;
        if (at.x != end.x || at.y != end.y) return;
        if (!inside(area, cx, cy)) return;  // not on the sheet: nothing to see
        k.ellipse(wholeNumber(cx - markerRadius), wholeNumber(cy - markerRadius),
                  wholeNumber(cx + markerRadius), wholeNumber(cy + markerRadius));
    };
    if (r.kind != kLineMarkerAtFirst) marker(B, endB);
    if (r.kind != kLineMarkerAtSecond) marker(A, endA);
}

}  // namespace

void paintLines(Canvas& k, const ChartFrame& f, const std::vector<ObjectRecord>& lines,
                const ViewTransform& o) {
    TStyleLine drawer;
    drawer.canvas = &k;
    const int markerRadius = wholeNumber(-0.3 * f.k2 * o.zoom);
    const std::vector<OutlineEdge> outline = chartOutline(f, o.unshifted());
    for (const ObjectRecord& r : lines)
        if (isLineObject(r.kind)) paintLineObject(k, drawer, f, outline, r, o, markerRadius);
    k.setPenStyle(PenStyle::Solid);
}

bool lineOnChart(const ChartFrame& f, const ViewTransform& v, const ObjectRecord& r, ChartPoint& A,
                 ChartPoint& B) {
    return cutAtOutline(chartOutline(f, v), f, v, r, A, B);
}

void drawAnchoredText(Canvas& k, const std::string& text, int labelPosition, double X, double Y) {
    k.setFont(k.fontFace(), k.fontHeight(), 0);
    const TextExtent e = k.textExtent(text);
    double left, top;
    labelTopLeft(labelPosition, X, Y, e.width, e.height, left, top);
    k.setBrushClear();
    k.textOut(wholeNumber(left), wholeNumber(top), text);
}

std::string shownTableCell(const std::string& cell, int i, UnitSystem units) {
    using units::Quantity;
    if (units == UnitSystem::Engineering || cell == " ") return cell;
    const auto v = parseDecimal(cell);
    if (!v) return cell;
    if (units == UnitSystem::SI) return i == 4 ? formatFixed(*v * kKJPerKcal, 1) : cell;
    static const std::optional<Quantity> column[6] = {std::nullopt, Quantity::Temperature,
                                                      std::nullopt, Quantity::Temperature,
                                                      Quantity::Enthalpy, Quantity::HumidityRatio};
    return i >= 0 && i < 6 && column[i] ? formatFixed(units::shown(*column[i], *v, units), 1)
                                        : cell;
}

void drawTableRow(Canvas& k, double X0, double Y0, int n, const std::string& text, UnitSystem units) {
    k.setFont(k.fontFace(), k.fontHeight(), 0);
    const double cw = k.textExtent("0000000").width;
    const double H = k.textExtent("0").height;
    const double rh = 1.2 * H, pad = 0.1 * H;
    k.moveTo(wholeNumber(X0), wholeNumber((n + 1) * rh + Y0));
    k.lineTo(wholeNumber(X0 + 6 * cw), wholeNumber((n + 1) * rh + Y0));
    std::string rest = text;
    for (int i = 0; i < 6; ++i) {
        const size_t comma = rest.find(',');
        std::string cell = rest.substr(0, comma);
        if (n != 0) cell = shownTableCell(cell, i, units);
        if (i > 0) {
            k.moveTo(wholeNumber(X0 + i * cw), wholeNumber(n * rh + Y0));
            k.lineTo(wholeNumber(X0 + i * cw), wholeNumber(n * rh + Y0 + rh));
        }
        const double w = k.textExtent(cell).width;
        k.textOut(wholeNumber(X0 + i * cw + pad + cw / 2 - w / 2), wholeNumber(n * rh + Y0 + pad),
                  cell);
        rest = comma == std::string::npos ? std::string() : rest.substr(comma + 1);
    }
}

namespace {

// The objects in table order, onto the canvas as the chart's drawing leaves it.
void walkObjects(Canvas& k, const ChartFrame& frame, const ObjectTable& objects,
                 const ChartSettings& settings, const ViewTransform& o) {
    const double a = o.offsetX, z = o.zoom;
    const ChartFrame& f = frame;
    TStyleLine drawer;
    drawer.canvas = &k;
    const int markerRadius = wholeNumber(-0.3 * f.k2 * z);
    const double tableScale = settings.isSI() ? f.k1 * 0.16393442622950820627 : f.k1;
    const std::vector<OutlineEdge> outline = chartOutline(f, o.unshifted());
    int row = 0;
    objects.walk([&](int, const ObjectRecord& r) {
        if (isLineObject(r.kind)) {
            paintLineObject(k, drawer, f, outline, r, o, markerRadius);
        } else if (!std::isfinite(r.h1) || !std::isfinite(r.x1)) {
            return;  // a text or row with no place on the chart
        } else if (r.kind == kTextObject) {
            k.setFontColour(paletteColour(r.colour));
            const ChartPoint P = stateToScreen(f, o.unshifted(), r.h1, r.x1);
            drawAnchoredText(k, r.text, r.labelPosition, a + P.x, P.y);
        } else if (r.kind == kTableRow && settings.view[CB_OP]) {
            k.setPenStyle(PenStyle::Solid);
            k.setPenColour(paletteColour(r.colour));
            k.setFontColour(paletteColour(r.colour));
            k.setPenWidth(0);
            if (row == 0)
                drawTableRow(k, a + z * tableScale, z * f.Ytop, 0, ",DB,RH,WB,H,X", settings.units);
            ++row;
            drawTableRow(k, a + z * ((r.h1 + 1) * tableScale), z * (r.x1 * tableScale + f.Ytop),
                         row, r.text, settings.units);
        }
    });
}

void setChartFont(Canvas& k, const ChartSettings& settings, const ViewTransform& o) {
    k.setFont(settings.fontName, wholeNumber(pointsToPixels(settings.fontSize) * o.zoom), 0);
    k.setBrushClear();
    k.setPenWidth(0);
}

// What the document draws besides its objects: fills under the chart's lines (the brush and
// pen width back as the chart expects them), the rest over the objects (the font back after).
void paintUnderlay(Canvas& k, const ChartFrame& frame, const PaintOverlay* overlay,
                   const ViewTransform& o) {
    if (!overlay) return;
    overlay->paintUnder(k, frame, o);
    k.setBrushClear();
    k.setPenWidth(0);
}

void paintOverlay(Canvas& k, const ChartFrame& frame, const PaintOverlay* overlay,
                  const ChartSettings& settings, const ViewTransform& o) {
    if (!overlay) return;
    overlay->paintOver(k, frame, o);
    k.setFont(settings.fontName, wholeNumber(pointsToPixels(settings.fontSize) * o.zoom), 0);
}

}  // namespace

bool paintChartLayer(Canvas& k, const ChartFrame& frame, const ChartTable& chart,
                     const PaintOverlay* overlay, const ChartSettings& settings, const ViewTransform& o) {
    try {
        setChartFont(k, settings, o);
        paintUnderlay(k, frame, overlay, o);
        paintElements(k, chart, settings.view, o);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool paintObjects(Canvas& k, const ChartFrame& frame, const ChartTable& chart,
                  const ObjectTable& objects, const ChartSettings& settings, const ViewTransform& o) {
    try {
        setChartFont(k, settings, o);
        k.setPenStyle(penStyleAfterElements(chart, settings.view, PenStyle::Solid));
        walkObjects(k, frame, objects, settings, o);
        paintOverlay(k, frame, objects.overlay.get(), settings, o);
        paintOverlay(k, frame, objects.design.get(), settings, o);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool paintChart(Canvas& k, const ChartFrame& frame, const ChartTable& chart,
                const ObjectTable& objects, const ChartSettings& settings, const ViewTransform& o) {
    try {
        setChartFont(k, settings, o);
        paintUnderlay(k, frame, objects.overlay.get(), o);
        paintElements(k, chart, settings.view, o);
        walkObjects(k, frame, objects, settings, o);
        paintOverlay(k, frame, objects.overlay.get(), settings, o);
        paintOverlay(k, frame, objects.design.get(), settings, o);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace humidraw
