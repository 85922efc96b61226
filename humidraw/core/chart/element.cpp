#include "chart/element.h"

#include <cmath>

namespace humidraw {

bool ChartTable::append(ChartElement e) {
    const bool finite =
        std::isfinite(e.c1) && std::isfinite(e.c2) && std::isfinite(e.c3) && std::isfinite(e.c4);
    if (!finite || static_cast<int>(elements_.size()) >= kCapacity) {
        ++refused_;
        return false;
    }
    elements_.push_back(std::move(e));
    return true;
}

}  // namespace humidraw
