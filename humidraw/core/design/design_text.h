#pragma once
// The design as lines of the document's companion file, after its data sets and zones:
//   design BASIS                           ("actual" or "standard")
//   point K1 V1 K2 V2 COLOUR WIDTH STYLE   (K a property name, V in engineering units)
//   name NAME
//   process KIND COLOUR WIDTH STYLE LABEL  (LABEL 0 or 1)
//   from NAME                               (one a stream, in order)
//   to NAME
//   flow M3H                                (one a stream, in order)
//   leaving K V
//   param NAME V                            (load, adp, bf, efficiency, shf, sensible, latent)
// Numbers in full precision with a decimal point. Lines a file names more of than the limits in
// design.h, or a value that is not a finite number, make the file damaged.
#include <string>
#include <string_view>

#include "design/design.h"

namespace humidraw::design {

std::string designText(const Design& d);

// Reads the design's lines one at a time, in order.
class DesignReader {
  public:
    // Whether a line's first word is one of the design's.
    static bool takes(std::string_view firstWord);
    // Takes one line; an empty text when taken, else why it is damaged.
    std::string take(std::string_view line);
    // The design read; an empty text, or why it ends unfinished (a point without its name).
    std::string finish();
    const Design& design() const { return design_; }
    Design& design() { return design_; }

  private:
    Design design_;
    bool basisRead_ = false;
    bool wantName_ = false;
};

}  // namespace humidraw::design
