// libFuzzer target for CSV and EPW import: any text is imported or refused without a crash,
// undefined behaviour or a runaway, and the counts of the report add up. The first byte picks
// the file kind and the columns' properties and units.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "measured/import.h"

using namespace humidraw;

namespace {

void checkReport(const Result<Imported>& r) {
    if (!r) {
        if (r.error().empty()) std::abort();
        return;
    }
    const ImportReport& report = r->report;
    if (report.used + report.skipped != report.rows || report.used < 0 ||
        static_cast<long>(r->set.points.size()) != report.used ||
        (!r->set.times.empty() && r->set.times.size() != r->set.points.size()))
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const unsigned pick = data[0];
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (pick & 1) {
        checkReport(importEpwText(text));
        return 0;
    }
    // Two properties of the seven, each in one of its units, by column number or by name.
    const Quantity quantities[] = {Quantity::DB, Quantity::RH, Quantity::X, Quantity::H,
                                   Quantity::WB, Quantity::SV, Quantity::DP};
    const Quantity a = quantities[(pick >> 1) % 7];
    Quantity b = quantities[(pick >> 4) % 7];
    if (b == a) b = a == Quantity::DB ? Quantity::RH : Quantity::DB;
    const auto unitOf = [&](Quantity q, unsigned k) {
        const auto units = unitsFor(q);
        return units[k % units.size()];
    };
    CsvChoice choice;
    choice.first = {(pick & 0x80) ? "1" : quantityName(a), a, unitOf(a, pick >> 3)};
    choice.second = {(pick & 0x80) ? "2" : quantityName(b), b, unitOf(b, pick >> 5)};
    if (pick & 0x40) choice.timeColumn = "3";
    checkReport(importCsvText(text, choice));
    return 0;
}
