#include "measured/measured.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "lang/language.h"
#include "moistek/moistek.h"
#include "moistek_internal/air_constants.h"
#include "units/units.h"

namespace humidraw {

std::string quantityName(Quantity q) {
    static const char* const names[] = {"DB", "RH", "x", "h", "WB", "SV", "DP"};
    return names[static_cast<int>(q)];
}

namespace {

// Why two values give no state, in Japanese; the import translates them where it reports them.
constexpr const char* kNoState = HUMIDRAW_TEXT_NOOP("Data", "ライブラリの範囲外です");
constexpr const char* kSamePair = HUMIDRAW_TEXT_NOOP("Data", "2つの量では状態が決まりません");
constexpr const char* kNotANumber = HUMIDRAW_TEXT_NOOP("Data", "数値ではありません");
constexpr const char* kRhOutside = HUMIDRAW_TEXT_NOOP("Data", "相対湿度が 0～100 % の外です");
constexpr const char* kBelowZero = HUMIDRAW_TEXT_NOOP("Data", "絶対湿度が 0 未満です");
constexpr const char* kAboveSaturation = HUMIDRAW_TEXT_NOOP("Data", "飽和を超えています");

std::string lowered(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace

std::optional<Quantity> parseQuantity(const std::string& name) {
    const std::string n = lowered(name);
    if (n == "ah") return Quantity::X;
    for (int i = 0; i <= static_cast<int>(Quantity::DP); ++i) {
        const auto q = static_cast<Quantity>(i);
        if (lowered(quantityName(q)) == n) return q;
    }
    return std::nullopt;
}

std::string unitName(Unit u) {
    static const char* const names[] = {"°C",    "%",  "kg/kg", "g/kg",   "kJ/kg", "kcal/kg",
                                        "m3/kg", "°F", "gr/lb", "Btu/lb", "ft3/lb"};
    return names[static_cast<int>(u)];
}

std::optional<Unit> parseUnit(const std::string& name) {
    const std::string n = lowered(name);
    if (n == "c" || n == "degc" || n == "°c") return Unit::Celsius;
    if (n == "f" || n == "degf" || n == "°f") return Unit::Fahrenheit;
    if (n == "m³/kg") return Unit::M3PerKg;
    if (n == "ft³/lb") return Unit::Ft3PerLb;
    for (int i = 0; i <= static_cast<int>(Unit::Ft3PerLb); ++i) {
        const auto u = static_cast<Unit>(i);
        if (lowered(unitName(u)) == n) return u;
    }
    return std::nullopt;
}

std::vector<Unit> unitsFor(Quantity q) {
    switch (q) {
        case Quantity::RH:
            return {Unit::Percent};
        case Quantity::X:
            return {Unit::KgPerKg, Unit::GPerKg, Unit::GrPerLb};
        case Quantity::H:
            return {Unit::KJPerKg, Unit::KcalPerKg, Unit::BtuPerLb};
        case Quantity::SV:
            return {Unit::M3PerKg, Unit::Ft3PerLb};
        default:
            return {Unit::Celsius, Unit::Fahrenheit};
    }
}

bool unitFits(Quantity q, Unit u) {
    const auto units = unitsFor(q);
    return std::find(units.begin(), units.end(), u) != units.end();
}

double toEngineering(double v, Unit u) {
    switch (u) {
        case Unit::GPerKg:
            return v * 0.001;
        case Unit::KJPerKg:
            return v * kKcalPerKJ;
        case Unit::Fahrenheit:
            return units::stored(units::Quantity::Temperature, v, UnitSystem::IP);
        case Unit::GrPerLb:
            return units::stored(units::Quantity::HumidityRatio, v, UnitSystem::IP);
        case Unit::BtuPerLb:
            return units::stored(units::Quantity::Enthalpy, v, UnitSystem::IP);
        case Unit::Ft3PerLb:
            return units::stored(units::Quantity::Volume, v, UnitSystem::IP);
        default:
            return v;
    }
}

struct StateCalculator::Engine {
    MoistekClass m;
};

StateCalculator::StateCalculator(double pressureMmHg) : m_(new Engine) {
    m_->m.PA = pressureMmHg;
}

double StateCalculator::pressureMmHg() const {
    return m_->m.PA;
}

StateCalculator::~StateCalculator() {
    delete m_;
}

std::optional<double> StateCalculator::saturation(double DB) {
    double rh = 100, x = 0;
    if (m_->m.F_DBRH2AH(DB, rh, x) != 1) return std::nullopt;
    return x;
}

std::optional<double> StateCalculator::ratioFromDewPoint(double DP) {
    double pws = 0, x = 0;
    if (m_->m.F_DB2PWS(DP, pws) != 1 || m_->m.F_PW2AH(pws, x) != 1) return std::nullopt;
    return x;
}

PointOutcome StateCalculator::fromDbAndRatio(double DB, double x) {
    if (!std::isfinite(DB) || !std::isfinite(x)) return {std::nullopt, kNoState};
    if (x < 0) return {std::nullopt, kBelowZero};
    const auto xs = saturation(DB);
    if (!xs) return {std::nullopt, kNoState};
    // A point computed from RH = 100 % may land a rounding above the curve.
    if (x > *xs * (1 + 1e-9)) return {std::nullopt, kAboveSaturation};
    double h = 0;
    if (m_->m.F_DBAH2EN(DB, x, h) != 1) return {std::nullopt, kNoState};
    return {MeasuredPoint{DB, x, h}, ""};
}

namespace {

// The humidity ratio from the dry bulb and a second property, where that takes no search but
// for the wet bulb.
int ratioWithDryBulb(MoistekClass& m, double DB, Quantity q, double v, double& x) {
    switch (q) {
        case Quantity::RH:
            return m.F_DBRH2AH(DB, v, x);
        case Quantity::X:
            x = v;
            return 1;
        case Quantity::H:
            return m.F_ENDB2AH(v, DB, x);
        case Quantity::SV: {
            // The library's specific volume (F_DBAH2SV), SV = (x Rw + Ra) / PA × AtMmHg × 10⁻⁴
            // × (T0 + DB), solved for x, with its own members. Not the library's F_DBSV2AH: that
            // one searches x in steps of TolX (2.5e-6 kg/kg(DA)) and stops a step short, 0.0104975
            // for the volume of x = 0.0105 at 20 °C, where this gives x back to the last digits.
            const double d = m.AtMmHg * 0.0001 * (m.T0 + DB) * m.Rw;
            if (d == 0 || !std::isfinite(d)) return -1;
            x = (v * m.PA - m.Ra * m.AtMmHg * 0.0001 * (m.T0 + DB)) / d;
            return std::isfinite(x) ? 1 : -1;
        }
        case Quantity::WB:
            return m.F_DBWB2AH(DB, v, x);
        default:
            return -1;
    }
}

// The dry bulb from the humidity ratio and a second property.
int dryBulbWithRatio(MoistekClass& m, double x, Quantity q, double v, double& DB) {
    switch (q) {
        case Quantity::H:
            return m.F_ENAH2DB(v, x, DB);
        case Quantity::SV:
            return m.F_SVAH2DB(v, x, DB);
        case Quantity::WB:
            return m.F_WBAH2DB(v, x, DB);
        case Quantity::RH:
            return m.F_RHAH2DB(v, x, DB);
        default:
            return -1;
    }
}

}  // namespace

PointOutcome StateCalculator::state(Quantity a, double va, Quantity b, double vb) {
    if (!std::isfinite(va) || !std::isfinite(vb)) return {std::nullopt, kNotANumber};
    if ((a == Quantity::RH && (va < 0 || va > 100)) || (b == Quantity::RH && (vb < 0 || vb > 100)))
        return {std::nullopt, kRhOutside};
    if (a == b) return {std::nullopt, kSamePair};
    MoistekClass& m = m_->m;
    // The dew point is a humidity ratio.
    if (a == Quantity::DP || b == Quantity::DP) {
        if (a == Quantity::X || b == Quantity::X) return {std::nullopt, kSamePair};
        const auto x = ratioFromDewPoint(a == Quantity::DP ? va : vb);
        if (!x) return {std::nullopt, kNoState};
        return state(Quantity::X, *x, a == Quantity::DP ? b : a, a == Quantity::DP ? vb : va);
    }
    if (b == Quantity::DB || (b == Quantity::X && a != Quantity::DB)) {
        std::swap(a, b);
        std::swap(va, vb);
    }
    if (a == Quantity::DB) {
        double x = 0;
        if (ratioWithDryBulb(m, va, b, vb, x) != 1) return {std::nullopt, kNoState};
        return fromDbAndRatio(va, x);
    }
    if (a == Quantity::X) {
        double DB = 0;
        if (dryBulbWithRatio(m, va, b, vb, DB) != 1) return {std::nullopt, kNoState};
        return fromDbAndRatio(DB, va);
    }
    // Neither the dry bulb nor the humidity ratio: the library's complete-state searches.
    double s[7] = {0, 0, 0, 0, 0, 0, 0};  // DB, RH, AH, EN, SV, WB, DP
    const auto slot = [](Quantity q) {
        return q == Quantity::RH ? 1 : q == Quantity::H ? 3 : q == Quantity::SV ? 4 : 5;
    };
    s[slot(a)] = va;
    s[slot(b)] = vb;
    const int pair = slot(a) < slot(b) ? 10 * slot(a) + slot(b) : 10 * slot(b) + slot(a);
    int done = -1;
    if (pair == 13) done = m.C_RHEN(s[0], s[1], s[2], s[3], s[4], s[5], s[6]);
    if (pair == 14) done = m.C_RHSV(s[0], s[1], s[2], s[3], s[4], s[5], s[6]);
    if (pair == 15) done = m.C_RHWB(s[0], s[1], s[2], s[3], s[4], s[5], s[6]);
    if (pair == 34) done = m.C_ENSV(s[0], s[1], s[2], s[3], s[4], s[5], s[6]);
    if (pair == 45) done = m.C_WBSV(s[0], s[1], s[2], s[3], s[4], s[5], s[6]);
    if (pair == 35) return {std::nullopt, kSamePair};  // enthalpy and wet bulb: nearly one line
    if (done != 1) return {std::nullopt, kNoState};
    return fromDbAndRatio(s[0], s[2]);
}

PointProperties StateCalculator::properties(const MeasuredPoint& p, bool full) {
    PointProperties r;
    r.DB = property(p, kZoneDB);
    r.x = property(p, kZoneX);
    r.h = property(p, kZoneH);
    r.RH = property(p, kZoneRH);
    if (full) {
        r.DP = property(p, kZoneDP);
        r.WB = property(p, kZoneWB);
    }
    return r;
}

double StateCalculator::property(const MeasuredPoint& p, ZoneProperty q) {
    MoistekClass& m = m_->m;
    double DB = p.DB, x = p.x, v = 0;
    switch (q) {
        case kZoneDB:
            return DB;
        case kZoneX:
            return x * 1000;
        case kZoneH:
            return p.h * kKJPerKcal;
        case kZoneRH:
            return m.F_DBAH2RH(DB, x, v) == 1 ? v : NAN;
        case kZoneDP:
            return m.F_AH2DP(x, v) == 1 ? v : NAN;
        case kZoneWB:
            return m.F_DBAH2WB(DB, x, v) == 1 ? v : NAN;
        default:
            return NAN;
    }
}

std::optional<double> StateCalculator::ratioOnLine(ZoneProperty q, double v, double DB) {
    MoistekClass& m = m_->m;
    double x = 0;
    switch (q) {
        case kZoneRH:
            if (m.F_DBRH2AH(DB, v, x) != 1) return std::nullopt;
            return x;
        case kZoneX:
            return v * 0.001;
        case kZoneDP:
            return ratioFromDewPoint(v);
        case kZoneWB:
            if (m.F_DBWB2AH(DB, v, x) != 1) return std::nullopt;
            return x;
        case kZoneH: {
            double kcal = v * kKcalPerKJ;
            if (m.F_ENDB2AH(kcal, DB, x) != 1) return std::nullopt;
            return x;
        }
        default:
            return std::nullopt;
    }
}

}  // namespace humidraw
