#pragma once
// What the construction steps share while they append the chart's elements.
#include <cmath>
#include <string>
#include <vector>

#include "chart/element.h"
#include "chart/frame.h"
#include "chart/text_metrics.h"
#include "moistek/moistek.h"

namespace humidraw::construction {

// Radians to the tenths of a degree text angles are kept in.
inline double tenths(double radians) {
    return radians * 1800 / kPi;
}

// The straight line through two points, Y = slope × X + intercept.
struct Line {
    double slope, intercept;
    static Line through(ChartPoint a, ChartPoint b) {
        const double s = (b.y - a.y) / (b.x - a.x);
        return {s, b.y - s * b.x};
    }
    double yAt(double x) const { return slope * x + intercept; }
    double xAt(double y) const { return (y - intercept) / slope; }
    // Where the line meets the diagonal X + Y = c.
    ChartPoint onDiagonal(double c) const {
        const double x = (c - intercept) / (slope + 1);
        return {x, slope * x + intercept};
    }
};

// The point of the line through a and b at height y.
inline ChartPoint atHeight(ChartPoint a, ChartPoint b, double y) {
    if (b.y == a.y) return {b.x, y};  // a segment of no height: straight up or down
    return {a.x + (b.x - a.x) * (y - a.y) / (b.y - a.y), y};
}

inline ChartPoint midpoint(ChartPoint a, ChartPoint b) {
    return {(a.x + b.x) / 2, (a.y + b.y) / 2};
}

// One line of a family: its value in the engine's units, its label (none when empty) and
// whether it carries the family's title.
struct GridLine {
    double value = 0;
    std::string label;
    bool title = false;
};

// What the families are drawn at and labelled with, in the chart's units: the engineering and SI
// charts on whole °C, 0.001 kg/kg(DA), whole kcal/kg or 5 kJ/kg, 0.01 m³/kg(DA); the IP chart
// on whole °F, 10 gr/lb(DA), whole Btu/lb(DA), 0.5 ft³/lb(DA).
struct Grids {
    std::vector<GridLine> dryBulb;   // °C; the relative-humidity curves are traced at them too
    std::vector<GridLine> humidity;  // kg/kg(DA)
    std::vector<GridLine> enthalpy;  // kcal/kg(DA), within the range
    std::vector<GridLine> wetBulb;   // °C
    std::vector<GridLine> volume;    // m³/kg(DA)
    int rhTitleStepsBack = 4;        // dry-bulb steps below the upper limit of the RH title
    std::string dryBulbTitle, chartTitle, datumNote, humidityTitle, enthalpyTitle, wetBulbTitle,
        volumeTitle, moistureRatioTitle;
};

struct Context {
    Context(ChartFrame& frame, ChartTable& t, const TextMetrics& m)
        : f(frame), table(t), metrics(m) {}

    ChartFrame& f;
    ChartTable& table;
    const TextMetrics& metrics;
    double ht = 0;                    // text height
    ChartPoint S0;                    // left end of the 100 % curve
    double XL = 0, XR = 0;            // lowest X of the first and of the last dry-bulb line
    ChartPoint diagonalA, diagonalB;  // the enthalpy diagonal
    ChartPoint centre;                // protractor centre
    double R = 0;                     // SHF arc radius
    Grids grids;

    double w(const std::string& s) const { return metrics.width(s); }
    ChartPoint map(double h, double x) const { return f.map(h, x); }
    void line(int kind, ChartPoint a, ChartPoint b) {
        table.append({kind, a.x, a.y, b.x, b.y, {}});
    }
    void text(int kind, ChartPoint at, double angleTenths, std::string s) {
        table.append({kind, at.x, at.y, angleTenths, 0, std::move(s)});
    }
    void record(int kind, double c1, double c2, double c3, double c4) {
        table.append({kind, c1, c2, c3, c4, {}});
    }
};

// The enthalpy depends on the dry bulb and the humidity ratio alone, not on the pressure.
inline double enthalpy(double t, double x) {
    return V_DBAH2EN(t, x);
}

// The families' values, labels and titles for the frame's units; the IP ones need the fitted
// scale and the text sizes (labels that would touch are thinned).
Grids engineeringGrids(ChartFrame& f);
Grids ipGrids(const ChartFrame& f, const TextMetrics& metrics);

void appendDryBulbAndTitles(Context& c);
void appendRelativeHumidity(Context& c);
void appendHumidityRatio(Context& c);
void appendEnthalpy(Context& c);
void appendWetBulb(Context& c);
void appendSpecificVolume(Context& c);
void appendProtractorCentre(Context& c);
void appendShfScale(Context& c);
void appendMoistureRatioScale(Context& c);

}  // namespace humidraw::construction
