#include "data/overlay.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "engine/moistek.h"

namespace humidraw {
namespace {

constexpr int kMostCells = 1000;  // along each side: a grid of damaged data stays small
constexpr int kLevels = 5;

int whole(double v) {
    return static_cast<int>(std::lround(std::clamp(v, -1e9, 1e9)));
}

PixelPoint pixel(const ChartFrame& f, const PaintOptions& o, double DB, double x) {
    const ChartPoint p = f.map(V_DBAH2EN(DB, x), x);
    return {whole(o.offsetX + p.x), whole(p.y)};
}

}  // namespace

DensityGrid densityGrid(const DataSet& set) {
    DensityGrid g;
    if (set.points.empty()) return g;
    double dbLo = 1e300, dbHi = -1e300, xLo = 1e300, xHi = -1e300;
    for (const MeasuredPoint& p : set.points) {
        dbLo = std::min(dbLo, p.DB), dbHi = std::max(dbHi, p.DB);
        xLo = std::min(xLo, p.x * 1000), xHi = std::max(xHi, p.x * 1000);
    }
    g.dbFirst = static_cast<int>(std::floor(dbLo));
    g.xFirst = static_cast<int>(std::floor(xLo));
    g.columns = std::min(kMostCells, static_cast<int>(std::floor(dbHi)) - g.dbFirst + 1);
    g.rows = std::min(kMostCells, static_cast<int>(std::floor(xHi)) - g.xFirst + 1);
    g.counts.assign(static_cast<size_t>(g.columns) * g.rows, 0);
    for (const MeasuredPoint& p : set.points) {
        const int c = static_cast<int>(std::floor(p.DB)) - g.dbFirst;
        const int r = static_cast<int>(std::floor(p.x * 1000)) - g.xFirst;
        if (c >= g.columns || r >= g.rows) continue;
        uint32_t& n = g.counts[static_cast<size_t>(r) * g.columns + c];
        g.most = std::max(g.most, ++n);
    }
    return g;
}

int densityLevel(uint32_t count, uint32_t most) {
    if (count == 0 || most == 0) return 0;
    return std::clamp(static_cast<int>(std::ceil(kLevels * static_cast<double>(count) / most)), 1,
                      kLevels);
}

Colour32 tint(Colour32 c, double share) {
    Colour32 out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const double channel = (c >> shift) & 0xFF;
        out |= static_cast<Colour32>(std::lround(255 - (255 - channel) * share)) << shift;
    }
    return out;
}

DataOverlay::DataOverlay(std::shared_ptr<const MeasuredData> data, double pressureMmHg)
    : data_(std::move(data)), pressure_(pressureMmHg) {
    for (const DataSet& s : data_->sets)
        grids_.push_back(s.density ? densityGrid(s) : DensityGrid{});
}

const std::vector<ZonePoint>& DataOverlay::outline(size_t zone, const ChartFrame& f) const {
    if (outlineMin_ != f.DBmin || outlineMax_ != f.DBmax ||
        outlines_.size() != data_->zones.size()) {
        StateCalculator calc(pressure_);
        outlines_.clear();
        for (const Zone& z : data_->zones)
            outlines_.push_back(zoneBoundary(z, f.DBmin, f.DBmax, calc));
        outlineMin_ = f.DBmin;
        outlineMax_ = f.DBmax;
    }
    return outlines_[zone];
}

void DataOverlay::paintUnder(Canvas& k, const ChartFrame& f, const PaintOptions& o) const {
    for (size_t i = 0; i < data_->zones.size(); ++i) {
        const Zone& z = data_->zones[i];
        if (!z.filled) continue;
        std::vector<PixelPoint> polygon;
        for (const ZonePoint& p : outline(i, f)) polygon.push_back(pixel(f, o, p.DB, p.x));
        k.setBrushSolid(tint(z.colour, 0.18));
        k.fillPolygon(polygon.data(), static_cast<int>(polygon.size()));
    }
    for (size_t i = 0; i < data_->sets.size(); ++i)
        if (data_->sets[i].visible && data_->sets[i].density) paintDensity(k, i, f, o);
    k.setBrushClear();
}

void DataOverlay::paintDensity(Canvas& k, size_t index, const ChartFrame& f,
                               const PaintOptions& o) const {
    const DensityGrid& g = grids_[index];
    const Colour32 colour = data_->sets[index].colour;
    for (int r = 0; r < g.rows; ++r) {
        const double x0 = (g.xFirst + r) * 0.001, x1 = (g.xFirst + r + 1) * 0.001;
        for (int c = 0; c < g.columns; ++c) {
            const int level = densityLevel(g.at(c, r), g.most);
            if (level == 0) continue;
            const double db0 = g.dbFirst + c, db1 = db0 + 1;
            const PixelPoint cell[] = {pixel(f, o, db0, x0), pixel(f, o, db1, x0),
                                       pixel(f, o, db1, x1), pixel(f, o, db0, x1)};
            k.setBrushSolid(tint(colour, static_cast<double>(level) / kLevels));
            k.fillPolygon(cell, 4);
        }
    }
}

void DataOverlay::paintDots(Canvas& k, const DataSet& set, const ChartFrame& f,
                            const PaintOptions& o) const {
    const int size = std::max(2, whole(1.6 * o.zoom));
    const int half = size / 2;
    const int width = whole(640 * o.zoom), height = whole(480 * o.zoom);
    // A dot already drawn on a pixel is not drawn again: a year of hours has many repeats.
    std::vector<bool> drawn(static_cast<size_t>(width) * height);
    k.setBrushSolid(set.colour);
    for (const MeasuredPoint& p : set.points) {
        const ChartPoint c = f.map(p.h, p.x);
        const int X = whole(c.x), Y = whole(c.y);
        if (X < 0 || Y < 0 || X >= width || Y >= height) continue;
        const size_t at = static_cast<size_t>(Y) * width + X;
        if (drawn[at]) continue;
        drawn[at] = true;
        const int left = whole(o.offsetX) + X - half;
        k.fillRect(left, Y - half, left + size, Y - half + size);
    }
}

void DataOverlay::paintOver(Canvas& k, const ChartFrame& f, const PaintOptions& o) const {
    for (const DataSet& s : data_->sets)
        if (s.visible && !s.density) paintDots(k, s, f, o);
    k.setPenStyle(PenStyle::Solid);
    k.setPenWidth(std::max(1, whole(o.zoom)));
    for (size_t i = 0; i < data_->zones.size(); ++i) {
        const std::vector<ZonePoint>& line = outline(i, f);
        if (line.empty()) continue;
        const Zone& z = data_->zones[i];
        k.setPenColour(z.colour);
        const PixelPoint first = pixel(f, o, line[0].DB, line[0].x);
        k.moveTo(first.x, first.y);
        for (size_t j = 1; j < line.size(); ++j) {
            const PixelPoint p = pixel(f, o, line[j].DB, line[j].x);
            k.lineTo(p.x, p.y);
        }
        k.lineTo(first.x, first.y);
        // The name above the outline's upper-left corner.
        const PixelPoint corner = pixel(f, o, line[1].DB, line[1].x);
        k.setFont(k.fontFace(), k.fontHeight(), 0);
        k.setFontColour(z.colour);
        k.textOut(corner.x + 2, corner.y - k.fontHeight() - 2, z.name);
    }
    paintLegend(k, f, o);
    k.setBrushClear();
}

void DataOverlay::paintLegend(Canvas& k, const ChartFrame& f, const PaintOptions& o) const {
    const int H = std::max(1, k.fontHeight());
    int X = whole(o.offsetX + 60 * o.zoom), Y = whole((f.Ytop + 6) * o.zoom);
    k.setFont(k.fontFace(), H, 0);
    k.setFontColour(0);
    for (size_t i = 0; i < data_->sets.size(); ++i) {
        const DataSet& s = data_->sets[i];
        if (!s.visible) continue;
        k.setBrushSolid(s.colour);
        k.fillRect(X, Y + H / 4, X + H / 2, Y + H / 4 + H / 2);
        k.textOut(X + H, Y, s.name + " (" + std::to_string(s.points.size()) + ")");
        Y += H + H / 4;
        if (!s.density || grids_[i].most == 0) continue;
        // Each shade with the hours per cell it stands for.
        const uint32_t most = grids_[i].most;
        uint32_t from = 1;
        for (int level = 1; level <= kLevels; ++level) {
            const uint32_t to = static_cast<uint32_t>(std::floor(most * level / double(kLevels)));
            if (to < from) continue;
            k.setBrushSolid(tint(s.colour, static_cast<double>(level) / kLevels));
            k.fillRect(X + H, Y, X + 2 * H, Y + H);
            k.textOut(X + 2 * H + H / 2, Y,
                      std::to_string(from) + (to > from ? "–" + std::to_string(to) : "") +
                          " 時間/(1 °C × 0.001 kg/kg(DA))");
            from = to + 1;
            Y += H + H / 4;
        }
    }
}

}  // namespace humidraw
