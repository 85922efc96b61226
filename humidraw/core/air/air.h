#pragma once
// Moist air at the site's total pressure: the library's relations through one instance whose PA
// is that pressure, each as the library's plain function of the same name gives it at 760 mmHg
// (the output, or 0.0 when the relation fails). At 760 mmHg every value is the plain function's,
// bit for bit. Engineering units: °C, %, kg/kg(DA), kcal/kg(DA), m³/kg(DA), mmHg.
#include "moistek/moistek.h"

namespace humidraw {

// The standard atmosphere at sea level, the pressure of every document written before the
// pressure could be set.
inline constexpr double kStandardPressureMmHg = 760;
// The pressures a chart may be drawn at: about 5,000 m above to 400 m below sea level.
inline constexpr double kMinPressureMmHg = 400;
inline constexpr double kMaxPressureMmHg = 800;
// kPa per mmHg: the standard atmosphere is 101.325 kPa and 760 mmHg.
inline constexpr double kKPaPerMmHg = 101.325 / 760;  // 0.133322368…
inline constexpr double kMmHgPerKPa = 760 / 101.325;  // 7.50062…

// The total pressure at an altitude by the standard atmosphere (ASHRAE Fundamentals):
// p = 101.325 kPa × (1 − 2.25577·10⁻⁵ × Z)^5.2559, Z in m; in mmHg.
double pressureAtAltitudeMmHg(double metres);
// The altitude of that pressure, the inverse of the above; in m.
double altitudeAtPressure(double mmHg);
// True for a finite pressure within kMinPressureMmHg..kMaxPressureMmHg.
bool pressureAllowed(double mmHg);

class MoistAir {
  public:
    explicit MoistAir(double pressureMmHg = kStandardPressureMmHg) { m_.PA = pressureMmHg; }
    double pressureMmHg() const { return m_.PA; }
    // True at the standard atmosphere, where the library's plain functions give the same values.
    bool standard() const { return m_.PA == kStandardPressureMmHg; }

    double DB2PWS(double DB) const { return call(&MoistekClass::F_DB2PWS, DB); }
    double PW2AH(double PW) const { return call(&MoistekClass::F_PW2AH, PW); }
    double ENDB2AH(double EN, double DB) const { return call(&MoistekClass::F_ENDB2AH, EN, DB); }
    double DBWB2AH(double DB, double WB) const { return call(&MoistekClass::F_DBWB2AH, DB, WB); }
    double DBSV2AH(double DB, double SV) const { return call(&MoistekClass::F_DBSV2AH, DB, SV); }
    double SVWB2AH(double SV, double WB) const { return call(&MoistekClass::F_SVWB2AH, SV, WB); }
    double DBRH2AH(double DB, double RH) const { return call(&MoistekClass::F_DBRH2AH, DB, RH); }
    double DBAH2EN(double DB, double AH) const { return call(&MoistekClass::F_DBAH2EN, DB, AH); }
    double DBAH2WB(double DB, double AH) const { return call(&MoistekClass::F_DBAH2WB, DB, AH); }
    double DBAH2SV(double DB, double AH) const { return call(&MoistekClass::F_DBAH2SV, DB, AH); }
    double WBAH2DB(double WB, double AH) const { return call(&MoistekClass::F_WBAH2DB, WB, AH); }
    double SVAH2DB(double SV, double AH) const { return call(&MoistekClass::F_SVAH2DB, SV, AH); }
    double ENAH2DB(double EN, double AH) const { return call(&MoistekClass::F_ENAH2DB, EN, AH); }
    double RHAH2DB(double RH, double AH) const { return call(&MoistekClass::F_RHAH2DB, RH, AH); }
    double RHEN2DB(double RH, double EN) const { return call(&MoistekClass::F_RHEN2DB, RH, EN); }
    double RHWB2DB(double RH, double WB) const { return call(&MoistekClass::F_RHWB2DB, RH, WB); }
    double RHSV2DB(double RH, double SV) const { return call(&MoistekClass::F_RHSV2DB, RH, SV); }
    double SVEN2DB(double SV, double EN) const { return call(&MoistekClass::F_SVEN2DB, SV, EN); }
    double DBAH2RH(double DB, double AH) const { return call(&MoistekClass::F_DBAH2RH, DB, AH); }
    double DBAH2RV(double DB, double AH) const { return call(&MoistekClass::F_DBAH2RV, DB, AH); }
    double AH2DP(double AH) const { return call(&MoistekClass::F_AH2DP, AH); }

    // The saturation humidity ratio at a dry bulb.
    double saturationRatio(double DB) const { return PW2AH(DB2PWS(DB)); }
    // The density of the moist air, kg of moist air per m³: (1 + x) / SV.
    double density(double DB, double AH) const;

    // The instance itself, for the complete states and for searches whose status is wanted.
    MoistekClass& library() const { return m_; }

  private:
    using Unary = int (MoistekClass::*)(double&, double&);
    using Binary = int (MoistekClass::*)(double&, double&, double&);
    double call(Unary f, double a) const {
        double out;
        return (m_.*f)(a, out) < 0 ? 0.0 : out;
    }
    double call(Binary f, double a, double b) const {
        double out;
        return (m_.*f)(a, b, out) < 0 ? 0.0 : out;
    }
    // The library's methods are not const; they change nothing but their outputs.
    mutable MoistekClass m_;
};

}  // namespace humidraw
