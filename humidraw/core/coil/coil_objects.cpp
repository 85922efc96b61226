#include "coil/coil_objects.h"

#include "document/state_line.h"

namespace humidraw::coil {
namespace {

ObjectRecord text(const std::string& label, const AirState& s, int position) {
    return labelRecord(label, s.h, s.x, position);
}

ObjectRecord line(const AirState& a, const AirState& b, const CurrentAttributes& attr) {
    ObjectRecord r;
    r.kind = kLineBothMarkers;
    r.colour = attr.colour;
    r.width = attr.width;
    r.style = attr.style;
    r.h1 = a.h;
    r.x1 = a.x;
    r.h2 = b.h;
    r.x2 = b.x;
    return r;
}

ObjectRecord row(const std::string& rowText) {
    return tableRowRecord(rowText);
}

ObjectRecord stateRow(const MoistAir& air, const std::string& label, const AirState& s) {
    return row(valueRow(air, label, s.DB, s.RH, s.x, s.h));
}

}  // namespace

void appendCoolingObjects(const MoistAir& air, std::vector<ObjectRecord>& o, const Season& c, bool withOA,
                          const CurrentAttributes& attr) {
    if (withOA) {
        o.push_back(text("C:OA", c.OA, 4));
        o.push_back(line(c.OA, c.RA, attr));
    }
    o.push_back(text("C:RA", c.RA, 0));
    o.push_back(line(c.RA, c.SA, attr));
    o.push_back(text("C:SA", c.SA, 0));
    o.push_back(line(c.SA, c.CA, attr));
    o.push_back(text("C:CA", c.CA, 6));
    if (withOA) {
        o.push_back(line(c.CA, c.MA, attr));
        o.push_back(text("C:MA", c.MA, 0));
        o.push_back(stateRow(air, "C:OA", c.OA));
    }
    o.push_back(stateRow(air, "C:RA", c.RA));
    o.push_back(stateRow(air, "C:SA", c.SA));
    // The coil leaves at 95 %: the row says so whatever the outlet search came to.
    o.push_back(row(valueRow(air, "C:CA", c.CA.DB, 95, c.CA.x, c.CA.h)));
    if (withOA) o.push_back(stateRow(air, "C:MA", c.MA));
}

void appendHeatingObjects(const MoistAir& air, std::vector<ObjectRecord>& o, const Season& w, bool withOA,
                          const CurrentAttributes& attr) {
    if (withOA) {
        o.push_back(text("H:OA", w.OA, 0));
        o.push_back(line(w.OA, w.RA, attr));
    }
    o.push_back(text("H:RA", w.RA, 0));
    o.push_back(line(w.RA, w.SA, attr));
    o.push_back(text("H:SA", w.SA, 2));
    if (withOA) {
        o.push_back(line(w.SA, w.CA, attr));
        o.push_back(text("H:CA", w.CA, 0));
        o.push_back(line(w.CA, w.MA, attr));
        o.push_back(text("H:MA", w.MA, 0));
    }
    o.push_back(row(" "));
    if (withOA) o.push_back(stateRow(air, "H:OA", w.OA));
    o.push_back(stateRow(air, "H:RA", w.RA));
    o.push_back(stateRow(air, "H:SA", w.SA));
    if (withOA) {
        o.push_back(stateRow(air, "H:CA", w.CA));
        o.push_back(stateRow(air, "H:MA", w.MA));
    }
}

}  // namespace humidraw::coil
