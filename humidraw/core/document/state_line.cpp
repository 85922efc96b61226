#include "document/state_line.h"

#include <utility>

#include "chart/sheet_fit.h"
#include "lang/language.h"
#include "text/number_format.h"

namespace humidraw {

std::string valueRow(const MoistAir& air, const std::string& label, double DB, double RH, double x,
                     double h) {
    const double wb = air.DBAH2WB(DB, x);
    return label + "," + formatFixed(DB, 1) + "," + formatFixed(RH, 1) + "," + formatFixed(wb, 1) +
           "," + formatFixed(h, 2) + "," + formatFixed(x, 4);
}

std::string tableRow(const MoistAir& air, const std::string& label, CurrentState& s) {
    s.DB = air.ENAH2DB(s.h, s.x);
    return valueRow(air, label, s.DB, air.DBAH2RH(s.DB, s.x), s.x, s.h);
}

namespace {

void labelObjects(const MoistAir& air, const StateSpec& given, CurrentState& s, std::vector<ObjectRecord>& out) {
    if (given.label.empty()) return;
    out.push_back(labelRecord(given.label, s.h, s.x, given.labelPosition));
    out.push_back(tableRowRecord(tableRow(air, given.label, s)));
}

void computeState(const MoistAir& air, const StateSpec& given, CurrentState& s, std::vector<std::string>& notices) {
    int i = given.first, j = given.second;
    double a = given.a, b = given.b;
    if (j < i) {
        std::swap(i, j);
        std::swap(a, b);
    }
    if (pairState(air, pairCode(i, j), a, b, s) == PairResult::NotComputable)
        notices.push_back(translate("Document", "この組み合わせでは計算できません"));
}

}  // namespace

ObjectRecord labelRecord(const std::string& label, double h, double x, int labelPosition) {
    ObjectRecord r;
    r.kind = kTextObject;
    r.colour = kLabelColour;
    r.h1 = h;
    r.x1 = x;
    r.labelPosition = labelPosition;
    r.text = label;
    return r;
}

ObjectRecord tableRowRecord(const std::string& rowText) {
    ObjectRecord r;
    r.kind = kTableRow;
    r.colour = kLabelColour;
    r.text = rowText;
    return r;
}

StateLine stateChangeLine(const MoistAir& air, const StateSpec& start, const StateSpec& end,
                          const CurrentAttributes& attributes, int room, CurrentState& state) {
    StateLine result;
    if (start.first == start.second) {
        result.status = failure(Reason::Invalid, translate("Document", "始点：違う種類のデータを入力して下さい"));
        return result;
    }
    if (end.first == end.second) {
        result.status = failure(Reason::Invalid, translate("Document", "終点：違う種類のデータを入力して下さい"));
        return result;
    }
    const int needed = 1 + (start.label.empty() ? 0 : 2) + (end.label.empty() ? 0 : 2);
    if (needed > room) {
        result.status = failure(Reason::Full, ObjectTable::fullMessage());
        return result;
    }
    computeState(air, start, state, result.notices);
    labelObjects(air, start, state, result.objects);
    const StatePoint from{state.h, state.x};
    computeState(air, end, state, result.notices);
    labelObjects(air, end, state, result.objects);
    ObjectRecord line;
    line.kind = start.marked ? (end.marked ? kLineBothMarkers : kLineMarkerAtSecond)
                             : (end.marked ? kLineMarkerAtFirst : kLineNoMarker);
    line.colour = attributes.colour;
    line.width = attributes.width;
    line.style = attributes.style;
    line.h1 = state.h;  // the end state
    line.x1 = state.x;
    line.h2 = from.h;  // the start state
    line.x2 = from.x;
    line.reserved2 = kDrawnWithinChart;
    result.objects.push_back(line);
    return result;
}

std::string outsideChartNotice(const ChartFrame& frame, const ObjectRecord& line) {
    const bool start = onChart(frame, frame.map(line.h2, line.x2));
    const bool end = onChart(frame, frame.map(line.h1, line.x1));
    if (start && end) return {};
    if (!start && !end)
        return translate("Document",
                         "始点と終点が線図の範囲外にあります。線図の内側だけを描きます");
    return start ? translate("Document", "終点が線図の範囲外にあります。線図の内側だけを描きます")
                 : translate("Document", "始点が線図の範囲外にあります。線図の内側だけを描きます");
}

}  // namespace humidraw
