#pragma once
// The measured-data options of render and zones: --data, --columns, --units, --time, --zone,
// --density.
#include <optional>
#include <string>
#include <vector>

#include "measured/import.h"
#include "measured/overlay.h"

namespace humidraw_cli {

struct DataOptions {
    std::vector<std::string> files;
    humidraw::CsvChoice choice;
    // Without --columns and --units each CSV file's columns are those its header names
    // (humidraw::proposeCsvColumns, as the window proposes them).
    bool columnsGiven = false;
    std::vector<humidraw::Zone> zones;
    bool density = false;
};

// Takes the data options out of `args` (leaving the others) into `o`; the message of the first
// wrong one, if any.
std::optional<std::string> takeDataOptions(std::vector<std::string>& args, DataOptions& o);

// A zone from a JSON object {"name": "…", "DB": [18, 28], "RH": [40, null], …, "colour":
// "#RRGGBB", "fill": true}: the ranges in °C, %, g/kg(DA), °C, °C, kJ/kg(DA).
std::optional<humidraw::Zone> zoneFromJson(const std::string& json, std::string& error);

// Imports every --data file at `pressureMmHg`, reporting skipped rows on standard error; the
// message of the first file that cannot be used, if any.
std::optional<std::string> loadData(const DataOptions& o, double pressureMmHg,
                                    humidraw::MeasuredData& data,
                                    std::vector<humidraw::ImportReport>& reports);

}  // namespace humidraw_cli
