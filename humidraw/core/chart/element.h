#pragma once
// The chart element table: every line, text, circle and arc of the chart, in chart units at
// zoom 1.0, each with its kind (see below).
#include <cstdint>
#include <string>
#include <vector>

namespace humidraw {

struct ChartElement {
    int32_t kind = 0;
    double c1 = 0, c2 = 0, c3 = 0, c4 = 0;
    std::string text;  // UTF-8
};

// An element's kind is 10 × family + part. The family (the tens) says which line family or
// protractor scale it belongs to, and so which view flag shows it and which pen draws it; the
// part (the units) says what it is. The values are the ones the chart dumps and the golden
// files hold: keep them.
enum ChartFamily : int32_t {
    kTitleFamily = 0,  // the chart's title, always drawn
    kDryBulbFamily = 1,
    kRelativeHumidityFamily = 2,
    kHumidityRatioFamily = 3,
    kEnthalpyFamily = 4,
    kWetBulbFamily = 5,
    kSpecificVolumeFamily = 6,
    kShfFamily = 7,            // the sensible heat factor protractor
    kMoistureRatioFamily = 8,  // the moisture-enthalpy ratio protractor
};

// The parts. An arc takes two records: the first (part kArc) holds the box of its circle, the
// next one the points its start and end rays pass through; readers take the second with the
// first, whatever its kind says.
enum ChartPrimitive : int32_t { kLine = 0, kText = 2, kCircle = 3, kArc = 4, kArcEnds = 5 };

constexpr int32_t chartKind(ChartFamily family, ChartPrimitive part) {
    return 10 * family + part;
}
constexpr int chartFamilyOf(int32_t kind) {
    return kind / 10;
}
constexpr int chartPartOf(int32_t kind) {
    return kind % 10;
}

// Every kind the construction makes.
constexpr int32_t kChartTitleText = chartKind(kTitleFamily, kText);  // 2
constexpr int32_t kDryBulbLine = chartKind(kDryBulbFamily, kLine);   // 10
constexpr int32_t kDryBulbText = chartKind(kDryBulbFamily, kText);   // 12: values and title
constexpr int32_t kRelativeHumidityLine = chartKind(kRelativeHumidityFamily, kLine);  // 20
constexpr int32_t kRelativeHumidityText = chartKind(kRelativeHumidityFamily, kText);  // 22
constexpr int32_t kHumidityRatioLine = chartKind(kHumidityRatioFamily, kLine);        // 30
constexpr int32_t kHumidityRatioText = chartKind(kHumidityRatioFamily, kText);        // 32
// The enthalpy family's lines include the diagonal its values stand at.
constexpr int32_t kEnthalpyLine = chartKind(kEnthalpyFamily, kLine);  // 40
constexpr int32_t kEnthalpyText = chartKind(kEnthalpyFamily, kText);  // 42
constexpr int32_t kWetBulbLine = chartKind(kWetBulbFamily, kLine);    // 50
constexpr int32_t kWetBulbText = chartKind(kWetBulbFamily, kText);    // 52
// The specific-volume family's lines include the short ticks its values stand at, below the
// base line.
constexpr int32_t kSpecificVolumeLine = chartKind(kSpecificVolumeFamily, kLine);  // 60
constexpr int32_t kSpecificVolumeText = chartKind(kSpecificVolumeFamily, kText);  // 62
// A protractor's lines are its centre cross, its ticks, its shaft and the shaft's arrow wings;
// its circle marks the centre.
constexpr int32_t kShfLine = chartKind(kShfFamily, kLine);      // 70
constexpr int32_t kShfText = chartKind(kShfFamily, kText);      // 72
constexpr int32_t kShfCircle = chartKind(kShfFamily, kCircle);  // 73
constexpr int32_t kShfArc = chartKind(kShfFamily, kArc);        // 74
// The SHF arc's second record repeats the arc's kind.
constexpr int32_t kShfArcEnds = kShfArc;                                            // 74
constexpr int32_t kMoistureRatioLine = chartKind(kMoistureRatioFamily, kLine);      // 80
constexpr int32_t kMoistureRatioText = chartKind(kMoistureRatioFamily, kText);      // 82
constexpr int32_t kMoistureRatioCircle = chartKind(kMoistureRatioFamily, kCircle);  // 83
constexpr int32_t kMoistureRatioArc = chartKind(kMoistureRatioFamily, kArc);        // 84
// The moisture-ratio arc's second record has a part of its own.
constexpr int32_t kMoistureRatioArcEnds = chartKind(kMoistureRatioFamily, kArcEnds);  // 85

class ChartTable {
  public:
    static constexpr int kCapacity = 6000;

    void clear() {
        elements_.clear();
        refused_ = 0;
    }
    // Appends unless the table is full or a coordinate is not a finite number.
    bool append(ChartElement e);
    const std::vector<ChartElement>& elements() const { return elements_; }
    // How many elements did not fit or had no finite position.
    int refused() const { return refused_; }

  private:
    std::vector<ChartElement> elements_;
    int refused_ = 0;
};

}  // namespace humidraw
