#pragma once
// The design layer of a document: named air states and the processes between them, kept as the
// user defined them and computed again whenever they or the air's pressure change. A point is
// defined by two properties, or made by a process ("to"); a process leads from one point (a
// mixing from two or more) to the point it makes, with an optional air flow and the loads it
// carries. Values in engineering units (properties.h); air flows in m³/h, loads in kcal/h
// (positive heating or humidifying), water in kg/h.
#include <optional>
#include <string>
#include <vector>

#include "design/properties.h"

namespace humidraw::design {

// How a process's dry-air mass flow follows from its air flow: by the specific volume of its
// inlet state (actual), or at the standard air's 1.2 kg/m³.
enum class AirBasis { Actual, Standard };
constexpr double kStandardAirDensity = 1.2;  // kg/m³

// How a point or process is drawn: palette colour, width and style indexes of the objects.
struct Look {
    int colour = 7;
    int width = 3;
    int style = 0;
    bool operator==(const Look&) const = default;
};

struct Point {
    std::string name;
    Given first, second;
    Look look;
    bool operator==(const Point&) const = default;
};

enum class ProcessKind {
    Line,      // a straight change between two points
    Sensible,  // heating or cooling at constant x: to a DB, or by a load
    Coil,      // cooling and dehumidifying: to a leaving state, or by ADP and BF
    Steam,     // steam humidification at constant DB: to an x or an RH
    Spray,     // along the inlet's wet-bulb line: to an x or an RH, or by a saturation efficiency
    Mixing,    // two or more streams by flow
    Supply,    // the supply state from a room point and its loads
    Shf,       // the line of a sensible heat factor through a room point
};
constexpr int kProcessKindCount = 8;
// "line", "sensible", "coil", "steam", "spray", "mixing", "supply", "shf".
std::string_view processKindName(ProcessKind k);
std::optional<ProcessKind> parseProcessKind(std::string_view name);

struct Process {
    ProcessKind kind = ProcessKind::Line;
    // The inlet point (the room for supply and shf); the streams of a mixing.
    std::vector<std::string> from;
    // The point it makes; for a line, the point it leads to; none for shf.
    std::string to;
    // m³/h: one a stream for a mixing, else none or one (the inlet's).
    std::vector<double> flows;
    // The leaving state's properties: sensible DB; steam x or RH; spray x or RH; coil two.
    std::vector<Given> leaving;
    std::optional<double> load;          // sensible, kcal/h
    std::optional<double> adp, bf;       // coil, °C and a fraction
    std::optional<double> efficiency;    // spray, a fraction
    std::optional<double> shf;           // shf
    std::optional<double> sensibleLoad;  // supply and shf, kcal/h (positive: heat the room gains)
    std::optional<double> latentLoad;    // supply and shf, kcal/h
    Look look;
    bool loadLabel = false;  // the total load written beside the line
    bool operator==(const Process&) const = default;
};

struct Design {
    AirBasis basis = AirBasis::Actual;
    std::vector<Point> points;
    std::vector<Process> processes;
    bool empty() const { return points.empty() && processes.empty(); }
    bool operator==(const Design&) const = default;
};

// What may be in one design: more is refused when it is read.
constexpr size_t kMostPoints = 1000;
constexpr size_t kMostProcesses = 1000;
constexpr size_t kMostStreams = 16;
constexpr size_t kMostNameBytes = 64;

// A computed point: every property, and what made it.
struct PointState {
    std::string name;
    AirProperties air;
    int definedAs = -1;  // its index among the design's points, or -1
    int madeBy = -1;     // the process that made it, or -1
};

// A computed process. A figure that does not apply is empty (no flow: no loads).
struct ProcessFigures {
    std::vector<int> from;  // indexes of the computed points
    int to = -1;            // -1 for shf
    std::optional<double> G;  // dry-air mass flow, kg/h (a mixing: all streams)
    std::optional<double> total, sensible, latent, shf;  // kcal/h; a fraction
    std::optional<double> water;                         // kg/h
    std::optional<double> adp, bf;  // coil: the apparatus dew point, °C, and the bypass factor
    bool adpMet = true;             // coil: false when the line meets no saturated state
    // shf: the line's direction on the chart, dh/dx in kcal/kg(DA) per kg/kg(DA); none for a
    // line of constant x (SHF 1).
    std::optional<double> slope;
};

struct DesignResult {
    // The defined points in their order, then each made one in the order of its process.
    std::vector<PointState> points;
    std::vector<ProcessFigures> processes;
    // Failed at the first point or process that could not be computed: its name ("point OA: …",
    // "process 3 (coil): …") and the reason. What came before it is computed and drawn.
    Status status;
    // The index of a point by name, or -1.
    int find(std::string_view name) const;
};

// Computes every point, then every process in order, at the air's pressure.
DesignResult computeDesign(const MoistAir& air, const Design& d);

// Whether a name may name a point: 1 to kMostNameBytes bytes of UTF-8, no control character,
// no leading or trailing space.
bool validPointName(std::string_view name);

}  // namespace humidraw::design
