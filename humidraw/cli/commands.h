#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli_options.h"
#include "document/object_table.h"
#include "measured/overlay.h"

namespace humidraw_cli {

// Prints the message on standard error and returns `status`.
int fail(int status, const std::string& message);

int elementsCommand(const ChartOptions& o);
// Draws the data files and zones of `data` too.
struct DataOptions;
int renderCommand(const ChartOptions& o, const DataOptions& data);
// Why `command` cannot render into `path` (none given, or a format it does not know), if so.
std::optional<std::string> renderFormatProblem(const std::string& command,
                                               const std::string& path);
bool isMetafilePath(const std::string& path);  // .emf or .wmf, in any letter case
// Draws `objects` over the chart of `settings` into o.output at o.zoom, with `data` and the
// data and zones of `dataOptions` (read at the settings' pressure); the exit status.
int renderObjects(const ChartOptions& o, const humidraw::Settings& settings,
                  humidraw::ObjectTable& objects, std::shared_ptr<humidraw::MeasuredData> data,
                  const DataOptions& dataOptions);
// `design DESIGN.json`: the design's points and processes, its document or its rendering.
int designCommand(const ChartOptions& o, const DataOptions& data);
// `ahu UNIT.json`: the unit's seasons, states and components, and its document.
int ahuCommand(const ChartOptions& o);
int dumpCommand(const std::vector<std::string>& args);
int packCommand(const std::vector<std::string>& args);
int coilCommand(const std::vector<std::string>& args);
int zonesCommand(const std::vector<std::string>& args);
// `comfort --DB T --RH R|--x G ...`: the PMV and PPD of one state.
int comfortCommand(const std::vector<std::string>& args);

}  // namespace humidraw_cli
