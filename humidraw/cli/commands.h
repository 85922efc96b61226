#pragma once
#include <string>
#include <vector>

#include "cli_options.h"

namespace humidraw_cli {

// Prints the message on standard error and returns `status`.
int fail(int status, const std::string& message);

int elementsCommand(const ChartOptions& o);
// Draws the data files and zones of `data` too.
struct DataOptions;
int renderCommand(const ChartOptions& o, const DataOptions& data);
int dumpCommand(const std::vector<std::string>& args);
int packCommand(const std::vector<std::string>& args);
int coilCommand(const std::vector<std::string>& args);
int zonesCommand(const std::vector<std::string>& args);

}  // namespace humidraw_cli
