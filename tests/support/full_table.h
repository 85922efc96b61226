#pragma once
// A full object table for the painting tests and benchmarks: 640 objects spread over the chart
// (h 0–25 kcal/kg, x 0–0.03 kg/kg): lines of every kind, colour, width and style, texts at every
// label position and value-table rows.
#include <string>

#include "document/object_table.h"

namespace humidraw::testing_support {

inline void fillFullTable(ObjectTable& t) {
    t.clear();
    for (int i = 0; !t.full(); ++i) {
        ObjectRecord r;
        const double u = (i * 37 % 101) / 100.0, v = (i * 53 % 97) / 96.0;
        r.colour = i % 14;
        r.width = i % 5;
        r.style = i / 5 % 5;
        r.h1 = 1 + 22 * u;
        r.x1 = 0.002 + 0.025 * v;
        r.h2 = r.h1 + 1.5;
        r.x2 = r.x1 + 0.002;
        if (i % 8 < 5) {
            r.kind = kLineBothMarkers + i % 4;
        } else if (i % 8 < 7) {
            r.kind = kTextObject;
            r.labelPosition = i % 8;
            r.text = "点" + std::to_string(i) + " 25.0℃ 50%";
        } else {
            r.kind = kTableRow;
            r.h1 = i / 8 % 12;
            r.x1 = 0;
            r.text = std::to_string(i) + ",25.0,50,17.9,12.1,0.0099";
        }
        t.append(r);
    }
}

}  // namespace humidraw::testing_support
