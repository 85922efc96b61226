#pragma once
// An air-handling unit as lines of the document's companion file, after the design's:
//   unit BASIS                          ("actual" or "standard"; opens the unit)
// then for the summer season, then the winter one, these lines in this order:
//   season NAME ON                      (NAME "summer" or "winter"; ON 0 or 1, as every ON)
//   outdoor K V K V BY FLOW FRACTION    (BY "flow" or "fraction")
//   room K V K V SENSIBLE LATENT
//   supply BY FLOW DIFFERENCE           (BY "flow" or "difference")
//   recovery ON KIND ET EH              (KIND "sensible" or "total")
//   mixing ON
//   preheat ON DB
//   coil ON MODE K V K V ADP BF DB RH   (MODE "leaving", "adp" or "rh")
//   reheat ON
//   humidifier ON KIND EFFICIENCY       (KIND "steam", "spray" or "vaporising")
//   fan ON MODE RISE POWER              (MODE "rise" or "power")
// K a property name, V and every number in the unit's engineering units (ahu.h), written as the
// design's are, so that the unit read back is the one written. A component that is off keeps its
// values, so that turning it on again finds them.
#include <string>
#include <string_view>

#include "ahu/ahu.h"

namespace humidraw::ahu {

std::string unitText(const Unit& u);

// Reads the unit's lines one at a time, in order.
class UnitReader {
  public:
    // Whether a line's first word is one of the unit's.
    static bool takes(std::string_view firstWord);
    // Takes one line; an empty text when taken, else why it is damaged.
    std::string take(std::string_view line);
    // Whether a unit's lines began.
    bool started() const { return next_ > 0; }
    // An empty text when no unit was read or all of it was, else why it ends unfinished.
    std::string finish() const;
    const Unit& unit() const { return unit_; }

  private:
    Unit unit_;
    int next_ = 0;  // the index of the line kind wanted next; 0 before the unit line
};

}  // namespace humidraw::ahu
