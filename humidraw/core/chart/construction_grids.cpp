// The values the line families are drawn at, their labels and the titles, per unit system.
#include <algorithm>
#include <cmath>

#include "chart/construction_context.h"
#include "lang/language.h"
#include "moistek_internal/air_constants.h"
#include "moistek_internal/ip_units.h"
#include "text/number_format.h"
#include "units/units.h"

namespace humidraw::construction {
namespace {

int whole(double n) {
    return static_cast<int>(n);
}

std::string pressureTitle(const ChartFrame& f) {
    const double mmHg = f.air.pressureMmHg();
    if (f.isSI())
        return withArguments(translate("Chart", "湿り空気 h-x 線図(全圧力P=%1kPa)"),
                             {formatFixed(mmHg * kKPaPerMmHg, 3)});
    if (f.isIP())
        return withArguments(translate("Chart", "湿り空気 h-x 線図(全圧力P=%1psia)"),
                             {formatFixed(mmHg * kPsiPerMmHg, 3)});
    return withArguments(translate("Chart", "湿り空気 h-x 線図(全圧力P=%1mmHg)"),
                         {formatFixed(mmHg, 0)});
}

}  // namespace

Grids engineeringGrids(ChartFrame& f) {
    Grids g;
    for (int i = 0; i <= whole(f.nDB); ++i) {
        const double t = f.DBmin + i * f.DBstep;
        g.dryBulb.push_back({t, formatFixed(t, 0)});
    }
    for (int i = 0; i <= whole(f.nAH); ++i) {
        const double x = f.AHmin + i * f.AHstep;
        g.humidity.push_back({x, formatFixed(x, 3)});
    }
    // SI labels lie on multiples of 5 kJ/kg: the lower end is taken down to one.
    if (f.isSI()) f.ENmin = f.ENstep * std::trunc(f.ENmin / f.ENstep);
    const double factor = f.isSI() ? kKJPerKcal : 1;  // kJ per kcal on the labels
    for (int i = 0; i <= whole(f.nEN); ++i) {
        const double u = f.ENmin * factor + f.ENstep * i;
        if (!(f.ENmin * factor < u && u < f.ENmax * factor)) continue;
        g.enthalpy.push_back({u / factor, formatFixed(u, 0)});
    }
    bool zeroDone = false;
    for (int i = 0; i <= whole(f.nWB);) {
        double w = f.WBmin + i * f.WBstep;
        bool repeat = false;
        if (!zeroDone && w == 0) {
            // 0 °C gets two lines: first one just on the ice side, then the water one, which
            // is not labelled.
            w = -0.0001;
            f.nWB = f.nWB + 1;
            zeroDone = repeat = true;
        }
        g.wetBulb.push_back({w, w != 0 ? formatFixed(w, 0) : std::string(), std::trunc(w) == 18});
        if (!repeat) ++i;
    }
    for (int i = 0; i <= whole(f.nSV); ++i) {
        const double v = f.SVmin + i * f.SVstep;
        g.volume.push_back({v, formatFixed(v, 2)});
    }
    g.dryBulbTitle = translate("Chart", "乾球温度 DB [℃]");
    g.chartTitle = pressureTitle(f);
    g.humidityTitle = translate("Chart", "絶対湿度 x [kg/kg(DA)]");
    g.enthalpyTitle = f.isSI() ? translate("Chart", "比エンタルピ h [kJ/kg(DA)]")
                               : translate("Chart", "比エンタルピ h [kcal/kg(DA)]");
    g.wetBulbTitle = translate("Chart", "湿球温度WB[℃]");
    g.volumeTitle = translate("Chart", "比容積 v [m^3/kg(DA)]");
    g.moistureRatioTitle =
        f.isSI() ? translate("Chart", "熱水分比[kJ/kg]") : translate("Chart", "熱水分比[kcal/kg]");
    return g;
}

namespace {

using units::Quantity;

constexpr double kIpEps = 1e-9;  // whole values at the ends of a range are taken

// The whole multiples of `step` (shown units) strictly or not strictly inside lo..hi.
std::vector<double> multiples(double lo, double hi, double step, bool strict) {
    std::vector<double> out;
    const double first = std::ceil(lo / step - kIpEps), last = std::floor(hi / step + kIpEps);
    for (double k = first; k <= last && out.size() < 100000; ++k) {
        const double v = k * step;
        if (strict && !(lo < v && v < hi)) continue;
        out.push_back(v);
    }
    return out;
}

// The least of `choices` (in shown units) whose labels, `spacing` chart units apart for each
// shown unit, leave `room` between them; the last when none does.
double labelEvery(double spacing, double room, std::initializer_list<double> choices) {
    for (double every : choices)
        if (every * spacing >= room) return every;
    return *(choices.end() - 1);
}

bool multipleOf(double v, double every) {
    const double q = v / every;
    return std::fabs(q - std::round(q)) < 1e-6;
}

}  // namespace

Grids ipGrids(const ChartFrame& f, const TextMetrics& metrics) {
    constexpr UnitSystem ip = UnitSystem::IP;
    const auto shown = [](Quantity q, double v) { return units::shown(q, v, ip); };
    const auto stored = [](Quantity q, double v) { return units::stored(q, v, ip); };
    const double ht = metrics.height();
    const double unitK = -f.k2;  // chart units in one °C along the base, and in 0.001 kg/kg(DA)
    Grids g;

    // Dry bulb every 1 °F; labels every 5 °F (or 10 °F) where whole degrees would touch.
    const double fMin = shown(Quantity::Temperature, f.DBmin), fMax = shown(Quantity::Temperature, f.DBmax);
    const double dbEvery =
        labelEvery(unitK / (f.DBstep * kFahrenheitPerKelvin), metrics.width("000") + ht / 2, {1, 5, 10});
    for (double tF : multiples(fMin, fMax, 1, false))
        g.dryBulb.push_back({stored(Quantity::Temperature, tF),
                             multipleOf(tF, dbEvery) ? formatFixed(tF, 0) : std::string()});

    // Humidity ratio every 10 gr/lb(DA) up to saturation at the upper limit.
    const double xsMax = f.air.saturationRatio(f.DBmax);
    const double grEvery =
        labelEvery(unitK / (f.AHstep * kGrainsPerPound), 1.2 * ht, {10, 20, 50, 100});
    for (double gr : multiples(0, shown(Quantity::HumidityRatio, xsMax), 10, false))
        g.humidity.push_back({stored(Quantity::HumidityRatio, gr),
                              multipleOf(gr, grEvery) ? formatFixed(gr, 0) : std::string()});

    // Enthalpy every 1 Btu/lb(DA), labelled every 5, inside the chart's enthalpy range.
    for (double u : multiples(shown(Quantity::Enthalpy, f.ENmin), shown(Quantity::Enthalpy, f.ENmax),
                              1, true))
        g.enthalpy.push_back(
            {stored(Quantity::Enthalpy, u), multipleOf(u, 5) ? formatFixed(u, 0) : std::string()});

    // Wet bulb every 1 °F, labelled as the dry bulb; 32 °F gets a line just on the ice side
    // (labelled) and the water one (not), as 0 °C does on the other charts.
    constexpr double kTitleF = 65;  // the line carrying the title, near 18 °C
    for (double wF : multiples(shown(Quantity::Temperature, f.WBmin),
                               shown(Quantity::Temperature, f.WBmax), 1, false)) {
        const bool label = multipleOf(wF, dbEvery);
        if (wF == kFahrenheitAtZeroC) {
            g.wetBulb.push_back({-0.0001, label ? formatFixed(wF, 0) : std::string()});
            g.wetBulb.push_back({0, std::string()});
            continue;
        }
        g.wetBulb.push_back({stored(Quantity::Temperature, wF),
                             label ? formatFixed(wF, 0) : std::string(), wF == kTitleF});
    }

    // Specific volume every 0.5 ft³/lb(DA).
    for (double v : multiples(shown(Quantity::Volume, f.SVmin), shown(Quantity::Volume, f.SVmax), 0.5,
                              false))
        g.volume.push_back({stored(Quantity::Volume, v), formatFixed(v, 1)});

    g.rhTitleStepsBack = 7;  // about the four °C of the other charts
    g.dryBulbTitle = translate("Chart", "乾球温度 DB [°F]");
    g.chartTitle = pressureTitle(f);
    g.datumNote = translate("Chart", "比エンタルピの基準: 乾き空気 0°F, 水 32°F");
    g.humidityTitle = translate("Chart", "絶対湿度 x [gr/lb(DA)]");
    g.enthalpyTitle = translate("Chart", "比エンタルピ h [Btu/lb(DA)]");
    g.wetBulbTitle = translate("Chart", "湿球温度WB[°F]");
    g.volumeTitle = translate("Chart", "比容積 v [ft^3/lb(DA)]");
    g.moistureRatioTitle = translate("Chart", "熱水分比[Btu/lb]");
    return g;
}

}  // namespace humidraw::construction
