// Comfort zones: the PMV zone of a clothed occupant and the adaptive band of a naturally
// ventilated space, their names, the months of a weather file's hours, and the PMV zone's outline
// from its edges along lines of constant humidity ratio.
#include <algorithm>
#include <cctype>
#include <cmath>

#include "air/air.h"
#include "lang/language.h"
#include "measured/zone.h"
#include "text/number_format.h"

namespace humidraw {

namespace {

// A limit as the name writes it: "+0.5", "-0.7", "0".
std::string signedLimit(double v) {
    const std::string s = formatShortest(v);
    return v > 0 ? "+" + s : s;
}

}  // namespace

std::string pmvZoneName(const PmvBounds& b) {
    const std::string limits = b.low == -b.high && b.high > 0
                                   ? "±" + formatShortest(b.high)
                                   : signedLimit(b.low) + "～" + signedLimit(b.high);
    return withArguments(translate("Data", "快適域 PMV %1 (%2 met, %3 clo, %4 m/s)"),
                         {limits, formatShortest(b.inputs.met), formatShortest(b.inputs.clo),
                          formatShortest(b.inputs.airSpeed)});
}

Zone pmvZone(const PmvBounds& b, std::optional<double> maxXg) {
    Zone z;
    z.name = pmvZoneName(b);
    // Summer's light clothing in warm orange, winter's in blue, as the handbooks draw them.
    z.colour = b.inputs.clo < 0.75 ? 0x002070D0 : 0x00C05010;
    z.filled = true;
    z.pmv = b;
    z.ranges[kZoneX].high = maxXg;
    return z;
}

ZoneRange adaptiveRange(const AdaptiveBand& b) {
    const double t = comfort::adaptiveComfortTemperature(b.prevailingMean);
    const double d = comfort::adaptiveHalfWidth(b.acceptability);
    return {t - d, t + d};
}

Zone adaptiveZone(const AdaptiveBand& b) {
    Zone z;
    z.name = withArguments(translate("Data", "適応快適域 %1 月 %2 %"),
                           {std::to_string(b.month), std::to_string(b.acceptability)});
    z.colour = b.acceptability == 90 ? 0x00008060 : 0x0040A040;
    z.filled = true;
    z.adaptive = b;
    z.ranges[kZoneDB] = adaptiveRange(b);
    return z;
}

std::optional<int> monthOfTime(std::string_view t) {
    size_t i = 0;
    while (i < t.size() && t[i] == ' ') ++i;
    const size_t yearFrom = i;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i;
    if (i - yearFrom != 4) return std::nullopt;
    // The separator: '-', '/', '.' or "年" (three bytes in UTF-8).
    if (t.substr(i, 3) == "年")
        i += 3;
    else if (i < t.size() && (t[i] == '-' || t[i] == '/' || t[i] == '.'))
        ++i;
    else
        return std::nullopt;
    int month = 0, digits = 0;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i])) && digits < 3)
        month = month * 10 + (t[i++] - '0'), ++digits;
    // A month of one or two digits followed by the day's separator.
    if (digits < 1 || digits > 2 || month < 1 || month > 12 || i >= t.size()) return std::nullopt;
    if (t.substr(i, 3) != "月" && t[i] != '-' && t[i] != '/' && t[i] != '.') return std::nullopt;
    return month;
}

std::array<std::optional<double>, 12> monthlyMeanDB(const DataSet& set) {
    std::array<double, 12> sum{};
    std::array<long, 12> count{};
    if (set.times.size() == set.points.size())
        for (size_t i = 0; i < set.points.size(); ++i)
            if (const auto m = monthOfTime(set.times[i]); m && std::isfinite(set.points[i].DB)) {
                sum[*m - 1] += set.points[i].DB;
                ++count[*m - 1];
            }
    std::array<std::optional<double>, 12> means;
    for (int m = 0; m < 12; ++m)
        if (count[m] > 0) means[m] = sum[m] / count[m];
    return means;
}

namespace {

// "key=value" pairs after the colon; empty pairs are refused.
bool pairsOf(const std::string& text, std::vector<std::pair<std::string, std::string>>& out,
             std::string& error) {
    size_t from = 0;
    while (from <= text.size()) {
        const size_t comma = std::min(text.find(',', from), text.size());
        const std::string item = text.substr(from, comma - from);
        const size_t eq = item.find('=');
        if (eq == std::string::npos || eq == 0 || eq + 1 == item.size()) {
            error = "'" + item + "' is not NAME=VALUE";
            return false;
        }
        const std::string key = item.substr(0, eq);
        for (const auto& [k, v] : out)
            if (k == key) {
                error = key + " is given twice";
                return false;
            }
        out.emplace_back(key, item.substr(eq + 1));
        from = comma + 1;
    }
    return true;
}

std::optional<double> numberIn(const std::string& key, const std::string& v, std::string& error) {
    const auto n = parseDecimal(v);
    if (!n) error = key + " takes a number, not '" + v + "'";
    return n;
}

}  // namespace

std::optional<Zone> comfortZoneFromText(const std::string& text, std::string& error) {
    error.clear();
    const size_t colon = text.find(':');
    const std::string kind = text.substr(0, colon);
    if (kind != "pmv" && kind != "adaptive") return std::nullopt;
    std::vector<std::pair<std::string, std::string>> pairs;
    if (colon != std::string::npos && !pairsOf(text.substr(colon + 1), pairs, error))
        return std::nullopt;
    Zone z;
    if (kind == "pmv") {
        PmvBounds b;
        std::optional<double> maxX = kComfortMaxXg;
        bool limitsGiven = false;
        for (const auto& [key, v] : pairs) {
            if (key == "category") {
                static const std::pair<const char*, double> categories[] = {
                    {"A", 0.2}, {"B", 0.5}, {"C", 0.7}};
                bool known = false;
                for (const auto& [name, limit] : categories)
                    if (v == name || (v.size() == 1 && std::toupper(v[0]) == name[0]))
                        b.low = -limit, b.high = limit, known = true;
                if (!known) {
                    error = "category takes A, B or C, not '" + v + "'";
                    return std::nullopt;
                }
                if (limitsGiven) {
                    error = "the PMV limits are given twice";
                    return std::nullopt;
                }
                limitsGiven = true;
                continue;
            }
            if (key == "x" && v == "none") {
                maxX.reset();
                continue;
            }
            const auto n = numberIn(key, v, error);
            if (!n) return std::nullopt;
            if (key == "met") b.inputs.met = *n;
            else if (key == "clo") b.inputs.clo = *n;
            else if (key == "v") b.inputs.airSpeed = *n;
            else if (key == "mrt") b.inputs.mrtOffset = *n;
            else if (key == "work") b.inputs.externalWork = *n;
            else if (key == "x") maxX = *n;
            else if (key == "pmv" || key == "low" || key == "high") {
                if (key == "pmv") b.low = -std::fabs(*n), b.high = std::fabs(*n);
                else (key == "low" ? b.low : b.high) = *n;
                if (limitsGiven && key == "pmv") {
                    error = "the PMV limits are given twice";
                    return std::nullopt;
                }
                limitsGiven = limitsGiven || key == "pmv";
            } else {
                error = "unknown name '" + key +
                        "' (met, clo, v, mrt, work, pmv, low, high, category, x)";
                return std::nullopt;
            }
        }
        z = pmvZone(b, maxX);
    } else {
        AdaptiveBand b;
        b.prevailingMean = NAN;
        bool month = false;
        for (const auto& [key, v] : pairs) {
            const auto n = numberIn(key, v, error);
            if (!n) return std::nullopt;
            if (key == "month" || key == "acceptability") {
                if (*n != std::floor(*n) || std::fabs(*n) > 1000) {
                    error = key + " takes a whole number, not '" + v + "'";
                    return std::nullopt;
                }
                (key == "month" ? b.month : b.acceptability) = static_cast<int>(*n);
                month = month || key == "month";
            } else if (key == "mean") {
                b.prevailingMean = *n;
            } else {
                error = "unknown name '" + key + "' (month, acceptability, mean)";
                return std::nullopt;
            }
        }
        if (!month) {
            error = "adaptive needs month=1..12";
            return std::nullopt;
        }
        z = adaptiveZone(b);
        if (std::isnan(b.prevailingMean)) {
            // Checked once the mean is known; the rest now.
            Zone probe = z;
            probe.adaptive->prevailingMean = 20;
            probe.ranges[kZoneDB] = adaptiveRange(*probe.adaptive);
            error = zoneProblem(probe);
            if (!error.empty()) return std::nullopt;
            return z;
        }
    }
    error = zoneProblem(z);
    if (!error.empty()) return std::nullopt;
    return z;
}

std::optional<Zone> withPrevailingMean(const Zone& z, const DataSet& weather, std::string& error) {
    if (!z.adaptive) return z;
    const auto mean = monthlyMeanDB(weather)[z.adaptive->month - 1];
    if (!mean) {
        error = withArguments(translate("Data", "%1 に %2 月の時刻の点がなく、代表外気温度が求められません"),
                              {weather.name, std::to_string(z.adaptive->month)});
        return std::nullopt;
    }
    AdaptiveBand b = *z.adaptive;
    b.prevailingMean = *mean;
    Zone out = adaptiveZone(b);
    out.colour = z.colour, out.filled = z.filled;
    if (z.name != adaptiveZone(*z.adaptive).name) out.name = z.name;
    error = zoneProblem(out);
    if (!error.empty()) return std::nullopt;
    return out;
}

namespace {

constexpr int kRows = 48;  // lines of constant humidity ratio across the zone

struct Row {
    double x;
    comfort::ZoneRow edges;
};

std::optional<comfort::ZoneRow> rowAt(const MoistAir& air, const PmvBounds& b, double x,
                                      double dbMin, double dbMax) {
    return comfort::zoneRow(air, b.inputs, b.low, b.high, x, std::max(dbMin, comfort::kBoundaryMinDB),
                            std::min(dbMax, comfort::kBoundaryMaxDB));
}

}  // namespace

// The rows from the zone's lowest humidity ratio up to its highest: its upper limit when the
// zone is still open there, else where its edges meet (the dew point reaching the upper edge),
// found by halving on x.
std::vector<ZonePoint> comfortOutline(const Zone& z, double dbMin, double dbMax,
                                      double pressureMmHg) {
    if (!z.pmv) return {};
    const MoistAir air(pressureMmHg);
    const PmvBounds& b = *z.pmv;
    const double xLow = z.ranges[kZoneX].low.value_or(0) / 1000;
    double xHigh = z.ranges[kZoneX].high ? *z.ranges[kZoneX].high / 1000
                                         : air.saturationRatio(comfort::kBoundaryMaxDB);
    if (!(xHigh >= xLow) || !std::isfinite(xHigh)) return {};
    // Close the top where the zone ends below the upper limit.
    if (!rowAt(air, b, xHigh, dbMin, dbMax)) {
        double open = xLow, closed = xHigh;
        if (!rowAt(air, b, open, dbMin, dbMax)) return {};
        for (int i = 0; i < 40 && closed - open > 1e-9; ++i) {
            const double mid = (open + closed) / 2;
            (rowAt(air, b, mid, dbMin, dbMax) ? open : closed) = mid;
        }
        xHigh = open;
    }
    std::vector<Row> rows;
    for (int i = 0; i <= kRows; ++i) {
        const double x = xLow + (xHigh - xLow) * i / kRows;
        if (const auto r = rowAt(air, b, x, dbMin, dbMax)) rows.push_back({x, *r});
    }
    if (rows.size() < 2) return {};
    const size_t n = rows.size();
    std::vector<ZonePoint> outline{{rows[n - 2].edges.lowDB, rows[n - 2].x},
                                   {rows[n - 1].edges.lowDB, rows[n - 1].x}};
    for (size_t i = n; i-- > 0;) outline.push_back({rows[i].edges.highDB, rows[i].x});
    for (size_t i = 0; i + 2 < n; ++i) outline.push_back({rows[i].edges.lowDB, rows[i].x});
    return outline;
}

}  // namespace humidraw
