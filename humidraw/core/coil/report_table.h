#pragma once
// The single-coil report as text: the states of both seasons as the value table shows them, then
// each figure with its unit, in the unit system of the chart (kcal/h beside kW; kW alone with SI
// units; Btu/h, the cooling coil's total also in tons, cfm, lb/h and °F with IP units). Laid out
// once as cells, written as tab-separated lines or as an HTML table.
#include <string>
#include <vector>

#include "coil/coil_report.h"
#include "units/unit_system.h"

namespace humidraw::coil {

struct ReportSection {
    std::string title;
    std::vector<std::vector<std::string>> rows;  // cells; numbers carry no unit of their own
};

// The states (a header row, then one row per plotted state, in the units as the chart's value
// table shows them) and one section of figures per season. Only for a complete run.
std::vector<ReportSection> reportSections(const CoilRun& run, const CoilReport& report,
                                          UnitSystem units);

// One line per row, cells joined by tabs, each section led by its title and followed by an empty
// line: pasted into a spreadsheet it is a table.
std::string reportTsv(const std::vector<ReportSection>& sections);

// A heading and a table per section, text escaped.
std::string reportHtml(const std::vector<ReportSection>& sections);

}  // namespace humidraw::coil
