#include "chart/frame.h"

#include <cmath>

#include "moistek_internal/air_constants.h"
#include "lang/language.h"
#include "text/number_format.h"

namespace humidraw {
namespace {

// Safety bounds: counts and the fitting end long before these for any chart worth drawing.
constexpr double kMaxCount = 100000;
constexpr long kMaxFittingRounds = 10000000;

// Rounded to `decimals` as the chart's text would show it, and read back.
bool rounded(double v, int decimals, double& out) {
    const auto back = parseDecimal(formatFixed(v, decimals));
    if (!back) return false;
    out = *back;
    return true;
}

// The smallest whole n ≥ 1 with lo + step × n ≥ hi.
bool familyCount(double lo, double hi, double step, double& n) {
    n = 0;
    do {
        n = n + 1;
        if (n > kMaxCount) return false;
    } while (!(lo + step * n >= hi));
    return true;
}

}  // namespace

ChartPoint ChartFrame::map(double h, double x) const {
    const double X = (h / ENstep - std::sin(theta) * x / AHstep) * k1 / std::cos(theta) + OX;
    const double Y = k2 * x / AHstep + OY;
    return {X, Y};
}

StatePoint ChartFrame::inverse(double X, double Y) const {
    const double dx = X - OX;
    const double dy = Y - OY;
    StatePoint p;
    p.x = dy * AHstep / k2;
    p.h = ENstep * (std::sin(theta) * dy / k2 + std::cos(theta) * dx / k1);
    return p;
}

ChartPoint polar(ChartPoint c, double a, double r) {
    return {c.x + std::cos(a) * r, c.y + std::sin(a) * r};
}

namespace {

bool finiteLimits(double lo, double hi) {
    return std::isfinite(lo) && std::isfinite(hi);
}

std::string rangeText(double lo, double hi) {
    return withArguments(translate("Chart", "(%1～%2℃)"), {rangeLimitText(lo), rangeLimitText(hi)});
}

Failure notComputable(double lo, double hi) {
    return failure(Reason::Invalid,
                   translate("Chart", "この乾球温度の範囲では線図を作成できません ") +
                       rangeText(lo, hi));
}

}  // namespace

bool limitsReversed(const ChartSettings& s) {
    return finiteLimits(s.dbMin, s.dbMax) && s.dbMin >= s.dbMax;
}

bool upperLimitNotAboveZero(const ChartSettings& s) {
    return finiteLimits(s.dbMin, s.dbMax) && s.dbMin < s.dbMax && s.dbMax <= 0;
}

Status checkLimits(const ChartSettings& s) {
    if (!pressureAllowed(s.pressureMmHg))
        return failure(Reason::Invalid,
                       translate("Chart", "大気圧は400〜800mmHgの範囲で指定してください"));
    if (limitsReversed(s))
        return failure(Reason::Invalid,
                       translate("Chart", "乾球温度の下限は上限より低くしてください ") +
                           rangeText(s.dbMin, s.dbMax));
    if (upperLimitNotAboveZero(s))
        return failure(Reason::Invalid,
                       translate("Chart", "乾球温度の上限は0℃より高くしてください ") +
                           rangeText(s.dbMin, s.dbMax));
    if (!finiteLimits(s.dbMin, s.dbMax)) return notComputable(s.dbMin, s.dbMax);
    if (const auto highest = highestUpperLimit(s.pressureMmHg); s.dbMax > highest)
        return failure(Reason::Invalid,
                       withArguments(translate("Chart", "大気圧 %1mmHg では乾球温度の上限を%2℃以下にしてください"),
                                     {formatFixed(s.pressureMmHg, 0), formatFixed(highest, 0)}));
    return {};
}

double highestUpperLimit(double pressureMmHg) {
    const MoistAir air(pressureMmHg);
    // Whole degrees down from the highest upper limit the options dialog takes; the humidity
    // ratio at saturation climbs steeply towards the boiling point.
    double t = kHighestUpperLimit;
    while (t > 0) {
        const double xs = air.saturationRatio(t);
        if (xs > 0 && xs <= kMostSaturationRatio) break;
        t -= 1;
    }
    return t;
}

std::string rangeLimitText(double v) {
    return std::fabs(v) < 1e6 ? formatFixed(v, 1) : formatPrintfGeneral(v, 3);
}

std::string noChartMessage(const ChartSettings& s) {
    const Status st = checkLimits(s);
    return st ? notComputable(s.dbMin, s.dbMax).message : st.error();
}

Status computeRanges(ChartFrame& f, const ChartSettings& s) {
    if (Status st = checkLimits(s); !st) return st;
    f.air = MoistAir(s.pressureMmHg);
    f.units = s.units;
    f.DBmin = s.dbMin;
    f.DBmax = s.dbMax;
    f.DBstep = 1.0;
    f.AHstep = 0.001;
    f.RHstep = 10.0;
    f.ENstep = s.isSI() ? 5.0 : 1.0;
    f.WBstep = f.DBstep;
    f.SVstep = 0.01;
    bool ok = familyCount(f.DBmin, f.DBmax, f.DBstep, f.nDB);
    f.AHmin = 0;
    ok = ok && rounded(f.air.saturationRatio(f.DBmax), 3, f.AHmax) &&
         familyCount(f.AHmin, f.AHmax, f.AHstep, f.nAH);
    f.RHmin = 0;
    f.RHmax = 100;
    ok = ok && familyCount(f.RHmin, f.RHmax, f.RHstep, f.nRH);
    ok = ok && rounded(f.air.DBAH2EN(f.DBmin, f.AHmin), 0, f.ENmin) &&
         rounded(f.air.DBAH2EN(f.DBmax, f.AHmax), 0, f.ENmax);
    if (ok) {
        // The enthalpy count is taken in the units the labels show.
        ok = s.isSI() ? familyCount(f.ENmin * kKJPerKcal, f.ENmax * kKJPerKcal, 5.0, f.nEN)
                  : familyCount(f.ENmin, f.ENmax, 1.0, f.nEN);
    }
    ok = ok && rounded(f.air.DBAH2WB(f.DBmin, f.AHmin), 0, f.WBmin) &&
         rounded(f.air.DBAH2WB(f.DBmax, f.AHmax), 0, f.WBmax) &&
         familyCount(f.WBmin, f.WBmax, f.WBstep, f.nWB);
    ok = ok && rounded(f.air.DBAH2SV(f.DBmin, f.AHmin), 2, f.SVmin) &&
         rounded(f.air.DBAH2SV(f.DBmax, f.AHmax), 2, f.SVmax) &&
         familyCount(f.SVmin, f.SVmax, f.SVstep, f.nSV);
    if (!ok) return notComputable(f.DBmin, f.DBmax);
    const double B =
        ((f.DBmax / f.DBstep) * kVapourSpecificHeat + kLatentHeat0) * f.AHstep / f.ENstep;
    f.theta = std::atan(B / std::sqrt(1 - B * B));
    if (!std::isfinite(f.theta)) return notComputable(f.DBmin, f.DBmax);
    f.k1 = 0;
    f.k2 = 0;
    return {};
}

Status fitScale(ChartFrame& f) {
    f.OX = kFitStartOX;
    f.OY = kFitOY;
    f.Ytop = kChartTop;
    f.k1 = 0;
    f.k2 = 0;
    const double xsMax = f.air.saturationRatio(f.DBmax);
    const double xsMin = f.air.saturationRatio(f.DBmin);
    const double hMax = f.air.DBAH2EN(f.DBmax, xsMax);
    const double hMin = f.air.DBAH2EN(f.DBmin, xsMin);
    for (long round = 0; round < kMaxFittingRounds; ++round) {
        const ChartPoint A = f.map(hMax, xsMax);
        const ChartPoint B = f.map(hMin, xsMin);
        const bool wide = A.x > kFitRight;
        const bool left = B.x < kFitLeft;
        if (!wide) {
            f.k2 = f.k2 - kFitStep;
            f.k1 = -std::cos(f.theta) * f.k2 * f.ENstep / (f.DBstep * kDryAirSpecificHeat);
        }
        if (!left) f.OX = f.OX - 1;
        if (wide && left) return {};
    }
    return notComputable(f.DBmin, f.DBmax);
}

Status centreAtScale(ChartFrame& f, double k2) {
    f.k2 = k2;
    f.k1 = -std::cos(f.theta) * f.k2 * f.ENstep / (f.DBstep * kDryAirSpecificHeat);
    f.OX = 0;
    const double xsMax = f.air.saturationRatio(f.DBmax), xsMin = f.air.saturationRatio(f.DBmin);
    const double ends =
        f.map(f.air.DBAH2EN(f.DBmax, xsMax), xsMax).x + f.map(f.air.DBAH2EN(f.DBmin, xsMin), xsMin).x;
    f.OX = (kFitLeft + kFitRight) / 2.0 - ends / 2;  // X grows with OX one for one
    if (!std::isfinite(f.OX)) return notComputable(f.DBmin, f.DBmax);
    return {};
}

}  // namespace humidraw
