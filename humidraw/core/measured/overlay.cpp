#include "measured/overlay.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <string>

#include "chart/sheet_fit.h"
#include "lang/language.h"
#include "moistek/moistek.h"
#include "text/number_format.h"
#include "units/units.h"

namespace humidraw {
namespace {

constexpr double kFarthest = 1000;  // °C and g/kg(DA) either side of 0 a density cell may be
constexpr int kLevels = 5;

int whole(double v) {
    return static_cast<int>(std::lround(std::clamp(v, -1e9, 1e9)));
}

PixelPoint pixel(const ChartFrame& f, const ViewTransform& o, double DB, double x) {
    const ChartPoint p = stateToScreen(f, o, f.air.DBAH2EN(DB, x), x);
    return {whole(p.x), whole(p.y)};
}

}  // namespace

DensityGrid densityGrid(const DataSet& set) {
    DensityGrid g;
    // Each point's cell from the far corner (−1000 °C, −1000 g/kg), or none when it lies off
    // every chart.
    const auto cellOf = [](const MeasuredPoint& p, int& c, int& r) {
        const double x = p.x * 1000;
        if (!(p.DB >= -kFarthest && p.DB < kFarthest && x >= -kFarthest && x < kFarthest))
            return false;
        c = static_cast<int>(std::floor(p.DB) + kFarthest);
        r = static_cast<int>(std::floor(x) + kFarthest);
        return true;
    };
    int cLo = INT_MAX, cHi = INT_MIN, rLo = INT_MAX, rHi = INT_MIN;
    size_t n = 0;
    for (const MeasuredPoint& p : set.points) {
        int c = 0, r = 0;
        if (!cellOf(p, c, r)) continue;
        cLo = std::min(cLo, c), cHi = std::max(cHi, c), rLo = std::min(rLo, r),
        rHi = std::max(rHi, r);
        ++n;
    }
    if (n == 0) return g;
    g.dbFirst = cLo - static_cast<int>(kFarthest);
    g.xFirst = rLo - static_cast<int>(kFarthest);
    g.columns = cHi - cLo + 1;
    g.rows = rHi - rLo + 1;
    const auto add = [&g](int column, int row, size_t count) {
        const auto k = static_cast<uint32_t>(std::min<size_t>(count, UINT32_MAX));
        g.cells.push_back({column, row, k});
        g.most = std::max(g.most, k);
    };
    const size_t area = static_cast<size_t>(g.columns) * static_cast<size_t>(g.rows);
    if (area * sizeof(uint32_t) <= n * sizeof(uint64_t)) {
        // Many points on few cells: counted in place, 4 bytes a cell (at most 16 MB).
        std::vector<uint32_t> counts(area);
        for (const MeasuredPoint& p : set.points) {
            int c = 0, r = 0;
            if (!cellOf(p, c, r)) continue;
            uint32_t& k = counts[static_cast<size_t>(r - rLo) * g.columns + (c - cLo)];
            if (k < UINT32_MAX) ++k;
        }
        for (size_t i = 0; i < area; ++i)
            if (counts[i] > 0)
                add(static_cast<int>(i % g.columns), static_cast<int>(i / g.columns), counts[i]);
        return g;
    }
    // Few points spread wide: their cells sorted, 8 bytes a point; equal keys are one cell.
    std::vector<uint64_t> keys;
    keys.reserve(n);
    for (const MeasuredPoint& p : set.points) {
        int c = 0, r = 0;
        if (cellOf(p, c, r))
            keys.push_back(static_cast<uint64_t>(r - rLo) << 32 | static_cast<uint64_t>(c - cLo));
    }
    std::sort(keys.begin(), keys.end());
    for (size_t i = 0; i < keys.size();) {
        size_t j = i;
        while (j < keys.size() && keys[j] == keys[i]) ++j;
        add(static_cast<int>(keys[i] & 0xFFFFFFFF), static_cast<int>(keys[i] >> 32), j - i);
        i = j;
    }
    return g;
}

uint32_t DensityGrid::at(int column, int row) const {
    const auto before = [](const Cell& a, const Cell& b) {
        return a.row != b.row ? a.row < b.row : a.column < b.column;
    };
    const Cell key{column, row, 0};
    const auto it = std::lower_bound(cells.begin(), cells.end(), key, before);
    return it != cells.end() && it->column == column && it->row == row ? it->count : 0;
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

void DataOverlay::paintUnder(Canvas& k, const ChartFrame& f, const ViewTransform& o) const {
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
                               const ViewTransform& o) const {
    const DensityGrid& g = grids_[index];
    const Colour32 colour = data_->sets[index].colour;
    for (const DensityGrid::Cell& cell : g.cells) {
        const int level = densityLevel(cell.count, g.most);
        const double x0 = (g.xFirst + cell.row) * 0.001, x1 = (g.xFirst + cell.row + 1) * 0.001;
        const double db0 = g.dbFirst + cell.column, db1 = db0 + 1;
        const PixelPoint corners[] = {pixel(f, o, db0, x0), pixel(f, o, db1, x0),
                                      pixel(f, o, db1, x1), pixel(f, o, db0, x1)};
        k.setBrushSolid(tint(colour, static_cast<double>(level) / kLevels));
        k.fillPolygon(corners, 4);
    }
}

LabelBox clearOf(const std::vector<LabelBox>& placed, LabelBox wanted) {
    const auto overlaps = [](const LabelBox& a, const LabelBox& b) {
        return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
               b.top < a.top + a.height;
    };
    // Each move goes above the name it hit, and names only move up, so no name is hit twice:
    // after as many moves as there are names, none is left to hit.
    for (size_t moves = 0; moves < placed.size(); ++moves) {
        const auto hit = std::find_if(placed.begin(), placed.end(),
                                      [&](const LabelBox& b) { return overlaps(wanted, b); });
        if (hit == placed.end()) break;
        wanted.top = hit->top - wanted.height - 2;
    }
    return wanted;
}

void DataOverlay::paintDots(Canvas& k, const DataSet& set, const ChartFrame& f,
                            const ViewTransform& o) const {
    const int size = std::max(2, whole(1.6 * o.zoom));
    const int half = size / 2;
    const int width = whole(kSheetWidth * o.zoom), height = whole(kSheetHeight * o.zoom);
    // A dot already drawn on a pixel is not drawn again: a year of hours has many repeats.
    std::vector<bool> drawn(static_cast<size_t>(width) * height);
    k.setBrushSolid(set.colour);
    for (const MeasuredPoint& p : set.points) {
        const ChartPoint c = stateToScreen(f, o.unshifted(), p.h, p.x);
        const int X = whole(c.x), Y = whole(c.y);
        if (X < 0 || Y < 0 || X >= width || Y >= height) continue;
        const size_t at = static_cast<size_t>(Y) * width + X;
        if (drawn[at]) continue;
        drawn[at] = true;
        const int left = whole(o.offsetX) + X - half;
        k.fillRect(left, Y - half, left + size, Y - half + size);
    }
}

void DataOverlay::paintOver(Canvas& k, const ChartFrame& f, const ViewTransform& o) const {
    for (const DataSet& s : data_->sets)
        if (s.visible && !s.density) paintDots(k, s, f, o);
    k.setPenStyle(PenStyle::Solid);
    k.setPenWidth(std::max(1, whole(o.zoom)));
    // The names drawn so far: a name that would cover one is moved up a line until it is clear
    // (a summer and a winter comfort zone share their upper edge, x = 12 g/kg(DA)).
    std::vector<LabelBox> names;
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
        const TextExtent e = k.textExtent(z.name);
        const LabelBox box = clearOf(
            names, {corner.x + 2, corner.y - k.fontHeight() - 2, e.width, k.fontHeight()});
        names.push_back(box);
        k.textOut(box.left, box.top, z.name);
    }
    paintLegend(k, f, o);
    k.setBrushClear();
}

namespace {

// The hours a shade stands for per cell of 1 °C × 1 g/kg(DA), the cell written in the chart's
// humidity unit: kg/kg(DA), on an IP chart 1.8 °F × 7 gr/lb(DA).
std::string cellLegend(const std::string& hours, UnitSystem u) {
    if (u != UnitSystem::IP)
        return withArguments(translate("Data", "%1 時間/(1 °C × 0.001 kg/kg(DA))"), {hours});
    using units::Quantity;
    return withArguments(
        translate("Data", "%1 時間/(%2 °F × %3 gr/lb(DA))"),
        {hours, formatPrintfGeneral(units::shown(Quantity::TemperatureDifference, 1, u), 6),
         formatPrintfGeneral(units::shown(Quantity::HumidityRatio, 0.001, u), 6)});
}

}  // namespace

void DataOverlay::paintLegend(Canvas& k, const ChartFrame& f, const ViewTransform& o) const {
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
            const std::string hours =
                std::to_string(from) + (to > from ? "–" + std::to_string(to) : "");
            k.textOut(X + 2 * H + H / 2, Y, cellLegend(hours, f.units));
            from = to + 1;
            Y += H + H / 4;
        }
    }
}

}  // namespace humidraw
