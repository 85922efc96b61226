#pragma once
// A state-change line between two states given by values: the objects it appends (label text,
// value-table row, the line) and the messages a user sees on the way.
#include <string>
#include <vector>

#include "chart/frame.h"
#include "document/attributes.h"
#include "document/object_table.h"
#include "document/state.h"
#include "result/result.h"

namespace humidraw {

struct StateSpec {
    int first = kDB, second = kRH;  // property selector indexes
    double a = 26, b = 50;          // their values
    std::string label;              // empty: no text and no row
    int labelPosition = 0;
    bool marked = true;  // a circle at this end
};

struct StateLine {
    // Failed: nothing is appended (caption "線分作成"); Full when the objects would not fit.
    Status status;
    std::vector<std::string> notices;   // pair messages (caption "ポイント作成")
    std::vector<ObjectRecord> objects;  // start text, start row, end text, end row, line
};

// A value-table row "label,DB,RH,WB,h,x" (WB of DB and x; h in kcal/kg(DA) in every unit
// mode): DB, RH and WB with one decimal, h with two, x with four. WB at the air's pressure.
std::string valueRow(const MoistAir& air, const std::string& label, double DB, double RH, double x,
                     double h);

// The row of a state given by h and x: DB and RH from them (DB written back into the state).
std::string tableRow(const MoistAir& air, const std::string& label, CurrentState& s);

// The records a labelled state adds: its label at (h, x) with a label position, and a row of
// the value table; both in the label colour.
ObjectRecord labelRecord(const std::string& label, double h, double x, int labelPosition);
ObjectRecord tableRowRecord(const std::string& rowText);

// Computes both states in `state` and the objects to append; refuses when they would not fit
// into `room` free records. The line is drawn within the chart (kDrawnWithinChart). Every
// property at the air's pressure.
StateLine stateChangeLine(const MoistAir& air, const StateSpec& start, const StateSpec& end,
                          const CurrentAttributes& attributes, int room, CurrentState& state);

// What the status bar says after a state-change line (`line`, its end at (h1, x1), its start at
// (h2, x2)) whose start, end or both lie outside the chart `frame` shows; empty when both lie
// on it.
std::string outsideChartNotice(const ChartFrame& frame, const ObjectRecord& line);

}  // namespace humidraw
