#include "design/design_overlay.h"

#include <algorithm>
#include <cmath>

#include "document/attributes.h"
#include "text/number_format.h"

namespace humidraw::design {

namespace {

// Thousands grouped with commas: "-73,600".
std::string grouped(double v) {
    std::string s = formatFixed(v, 0);
    const size_t digits = s[0] == '-' ? 1 : 0;
    for (long i = static_cast<long>(s.size()) - 3; i > static_cast<long>(digits); i -= 3)
        s.insert(static_cast<size_t>(i), ",");
    return s;
}

ObjectRecord lineRecord(const Look& look, const AirProperties& a, const AirProperties& b) {
    ObjectRecord r;
    r.kind = kLineNoMarker;
    r.colour = look.colour, r.width = look.width, r.style = look.style;
    r.h1 = a.h, r.x1 = a.x, r.h2 = b.h, r.x2 = b.x;
    r.reserved2 = kDrawnWithinChart;
    return r;
}

struct Box {
    double left, top, right, bottom;
    bool meets(const Box& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
    double overlap(const Box& o) const {
        const double w = std::min(right, o.right) - std::max(left, o.left);
        const double h = std::min(bottom, o.bottom) - std::max(top, o.top);
        return w > 0 && h > 0 ? w * h : 0;
    }
};

}  // namespace

std::string loadLabel(const ProcessFigures& f, UnitSystem u) {
    if (!f.total) return {};
    const double kw = shownLoad(*f.total, UnitSystem::SI);
    if (u == UnitSystem::SI) return "Q=" + formatFixed(kw, 1) + " kW";
    if (u == UnitSystem::IP)
        return "Q=" + grouped(shownLoad(*f.total, u)) + " Btu/h (" + formatFixed(units::tons(*f.total), 2) +
               " tons)";
    return "Q=" + grouped(*f.total) + " kcal/h (" + formatFixed(kw, 1) + " kW)";
}

DesignOverlay::DesignOverlay(std::shared_ptr<const Design> design, double pressureMmHg)
    : design_(std::move(design)), pressure_(pressureMmHg),
      result_(computeDesign(MoistAir(pressureMmHg), *design_)) {}

std::shared_ptr<const PaintOverlay> designLayer(Design d, double pressureMmHg) {
    if (d.empty()) return nullptr;
    return std::make_shared<DesignOverlay>(std::make_shared<const Design>(std::move(d)), pressureMmHg);
}

const DesignResult& DesignOverlay::resultAt(double pressureMmHg) const {
    if (pressureMmHg != pressure_) {
        result_ = computeDesign(MoistAir(pressureMmHg), *design_);
        pressure_ = pressureMmHg;
    }
    return result_;
}

void DesignOverlay::paintOver(Canvas& k, const ChartFrame& frame, const ViewTransform& o) const {
    const Design& d = *design_;
    const DesignResult& r = resultAt(frame.air.pressureMmHg());
    const UnitSystem units = frame.units;
    // The processes' lines first, the points' markers and names over them.
    std::vector<ObjectRecord> lines;
    const auto state = [&](int i) -> const AirProperties& { return r.points[i].air; };
    for (size_t i = 0; i < r.processes.size(); ++i) {
        const ProcessFigures& f = r.processes[i];
        const Process& p = d.processes[i];
        if (p.kind == ProcessKind::Shf) {
            // Across the whole chart: the drawing cuts it at the outline.
            const AirProperties& room = state(f.from[0]);
            AirProperties a = room, b = room;
            if (f.slope) {
                const double dx = 1.0;
                a.x -= dx, a.h -= *f.slope * dx;
                b.x += dx, b.h += *f.slope * dx;
            } else {
                a.h -= 1000, b.h += 1000;
            }
            lines.push_back(lineRecord(p.look, a, b));
        } else if (p.kind == ProcessKind::Mixing && f.from.size() == 2) {
            lines.push_back(lineRecord(p.look, state(f.from[0]), state(f.from[1])));
        } else if (p.kind == ProcessKind::Supply) {
            lines.push_back(lineRecord(p.look, state(f.to), state(f.from[0])));
        } else {
            for (int from : f.from) lines.push_back(lineRecord(p.look, state(from), state(f.to)));
        }
    }
    paintLines(k, frame, lines, o);

    const ViewTransform v = o.unshifted();
    const double a = o.offsetX, z = o.zoom;
    const int radius = wholeNumber(-0.3 * frame.k2 * z);
    k.setFont(k.fontFace(), k.fontHeight(), 0);
    k.setPenStyle(PenStyle::Solid);
    std::vector<Box> taken;
    struct Placed {
        std::string text;
        Colour colour;
        double X, Y;
        int position;
    };
    std::vector<Placed> labels;
    const auto lookOf = [&](const PointState& s) -> const Look& {
        if (s.definedAs >= 0) return d.points[s.definedAs].look;
        return d.processes[s.madeBy].look;
    };
    // Markers, each keeping its own place free of labels.
    std::vector<ChartPoint> at(r.points.size());
    for (size_t i = 0; i < r.points.size(); ++i) {
        const ChartPoint P = stateToScreen(frame, v, r.points[i].air.h, r.points[i].air.x);
        at[i] = {a + P.x, P.y};
        if (!std::isfinite(at[i].x) || !std::isfinite(at[i].y)) continue;
        const Look& l = lookOf(r.points[i]);
        k.setPenColour(paletteColour(l.colour));
        k.setPenWidth(penWidthFor(l.width, z));
        k.setBrushSolid(paletteColour(l.colour));
        k.ellipse(wholeNumber(at[i].x - radius), wholeNumber(at[i].y - radius),
                  wholeNumber(at[i].x + radius), wholeNumber(at[i].y + radius));
        taken.push_back({at[i].x - radius, at[i].y - radius, at[i].x + radius, at[i].y + radius});
    }
    k.setBrushClear();
    // Each name at the first of the eight places round its marker where it meets no other
    // label or marker; where every place does, the one it meets least.
    for (size_t i = 0; i < r.points.size(); ++i) {
        if (!std::isfinite(at[i].x) || !std::isfinite(at[i].y)) continue;
        const TextExtent e = k.textExtent(r.points[i].name);
        int best = 0;
        double least = -1;
        Box bestBox{};
        for (int position : {1, 0, 2, 3, 5, 4, 6, 7}) {
            double left, top;
            labelTopLeft(position, at[i].x, at[i].y, e.width, e.height, left, top);
            const Box b{left, top, left + e.width, top + e.height};
            double met = 0;
            for (const Box& t : taken) met += b.overlap(t);
            if (least < 0 || met < least) least = met, best = position, bestBox = b;
            if (met == 0) break;
        }
        taken.push_back(bestBox);
        labels.push_back({r.points[i].name, paletteColour(lookOf(r.points[i]).colour), at[i].x,
                          at[i].y, best});
    }
    for (const Placed& l : labels) {
        k.setFontColour(l.colour);
        drawAnchoredText(k, l.text, l.position, l.X, l.Y);
    }
    // The loads beside the middle of their lines.
    for (size_t i = 0; i < r.processes.size(); ++i) {
        const ProcessFigures& f = r.processes[i];
        if (!d.processes[i].loadLabel || f.to < 0) continue;
        const std::string text = loadLabel(f, units);
        if (text.empty()) continue;
        const ChartPoint A = at[f.from[0]], B = at[f.to];
        k.setFontColour(paletteColour(d.processes[i].look.colour));
        drawAnchoredText(k, text, 1, (A.x + B.x) / 2, (A.y + B.y) / 2);
    }
}

std::optional<size_t> DesignOverlay::pointAt(const ChartFrame& frame, const ViewTransform& o,
                                             double X, double Y, double radius) const {
    std::optional<size_t> found;
    double nearest = radius;
    for (const PointState& s : result_.points) {
        if (s.definedAs < 0) continue;
        const ChartPoint P = stateToScreen(frame, o, s.air.h, s.air.x);
        const double dist = std::hypot(P.x - X, P.y - Y);
        if (dist <= nearest) nearest = dist, found = static_cast<size_t>(s.definedAs);
    }
    return found;
}

}  // namespace humidraw::design
