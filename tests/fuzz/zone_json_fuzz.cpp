// libFuzzer target for the zone files of humidraw-cli: any bytes give a zone or a message,
// without a crash or undefined behaviour, and a zone given has an outline of bounded length.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "data_options.h"

using namespace humidraw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string error;
    const auto zone =
        humidraw_cli::zoneFromJson(std::string(reinterpret_cast<const char*>(data), size), error);
    if (!zone) {
        if (error.empty()) std::abort();
        return 0;
    }
    if (!zoneProblem(*zone).empty()) std::abort();  // a zone given is one the program takes
    // Over a few degrees only: the outline of a wet-bulb bound takes searches that are slow
    // under the sanitizers, and their cost is not the reader's.
    static StateCalculator calc;
    const auto outline = zoneBoundary(*zone, 20, 25, calc);
    if (outline.size() > 100000) std::abort();
    return 0;
}
