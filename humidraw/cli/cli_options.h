#pragma once
// Options shared by the sub-commands: where the settings come from and what overrides them.
#include <optional>
#include <string>
#include <vector>

#include "settings/settings.h"

namespace humidraw_cli {

struct ChartOptions {
    humidraw::Settings settings;
    bool fakeMetrics = false;
    bool json = false;
    double zoom = 1.875;
    bool zoomGiven = false;
    std::string output;
    std::string document;  // the one positional argument, where a command takes it
    // What the command line said, to apply again over a document's own settings.
    std::optional<humidraw::UnitSystem> forceUnits;
    std::optional<double> dbMinOverride, dbMaxOverride;
    // The total pressure of --pressure or --altitude, in mmHg.
    std::optional<double> pressureOverride;
};

// The total pressure `--pressure MMHG` (option "--pressure") or `--altitude M` ("--altitude", by
// the standard atmosphere, unrounded) gives, or the message why `value` gives none.
std::optional<std::string> pressureOption(const std::string& option, const std::string& value,
                                          double& mmHg);
// Each says the same pressure: one is enough.
inline constexpr char kPressureAndAltitude[] = "--pressure and --altitude cannot both be given";

// Parses the arguments of `command` (elements, render, zones, design, ahu: each takes its own
// options, each once; render one document, design one design file and ahu one unit file, after
// "--" when its name begins
// with '-'); on failure returns the
// message and sets `status` (2 usage, 1 unreadable file).
std::optional<std::string> parseChartOptions(const std::vector<std::string>& args, ChartOptions& o,
                                             int& status, const std::string& command);

}  // namespace humidraw_cli
