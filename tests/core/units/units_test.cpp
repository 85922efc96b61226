// The values shown and typed in each unit system: hand-computed conversions, their round trips,
// the unit texts, and ASHRAE's inch-pound table values against the library's physics.
#include <gtest/gtest.h>

#include <cmath>

#include "air/air.h"
#include "moistek/moistek.h"
#include "units/units.h"

using namespace humidraw;
using units::Quantity;

namespace {

struct Case {
    Quantity q;
    UnitSystem u;
    double stored, shown;
    const char* unit;
};

// Each shown value worked by hand from the stored one.
const Case kCases[] = {
    // 25 °C: 1.8 × 25 + 32 = 77 °F; −40 °C is −40 °F; a difference of 10 K is 18 °F.
    {Quantity::Temperature, UnitSystem::IP, 25, 77, "°F"},
    {Quantity::Temperature, UnitSystem::IP, -40, -40, "°F"},
    {Quantity::Temperature, UnitSystem::SI, 25, 25, "°C"},
    {Quantity::TemperatureDifference, UnitSystem::IP, 10, 18, "°F"},
    {Quantity::RelativeHumidity, UnitSystem::IP, 50, 50, "%"},
    // 0.01 kg/kg(DA) × 7000 gr/lb = 70 gr/lb(DA).
    {Quantity::HumidityRatio, UnitSystem::IP, 0.01, 70, "gr/lb(DA)"},
    {Quantity::HumidityRatio, UnitSystem::SI, 0.01, 0.01, "kg/kg(DA)"},
    // 10 kcal/kg(DA): 1.8 × 10 + 32 × 0.23999999463558197 (the library's Cpa, 0.24f) = 25.67999983
    // Btu/lb(DA); 10 × 4.18605 = 41.8605 kJ/kg(DA).
    {Quantity::Enthalpy, UnitSystem::IP, 10, 25.679999828338623, "Btu/lb(DA)"},
    {Quantity::Enthalpy, UnitSystem::SI, 10, 41.8605, "kJ/kg(DA)"},
    {Quantity::Enthalpy, UnitSystem::Engineering, 10, 10, "kcal/kg(DA)"},
    {Quantity::EnthalpyDifference, UnitSystem::IP, 10, 18, "Btu/lb(DA)"},
    {Quantity::MoistureRatio, UnitSystem::IP, 600, 1080, "Btu/lb"},
    // 0.85 m³/kg × 16.01846 = 13.615691 ft³/lb.
    {Quantity::Volume, UnitSystem::IP, 0.85, 13.615691, "ft³/lb(DA)"},
    // 1.2 kg/m³ × 0.06242796 = 0.074913552 lb/ft³.
    {Quantity::Density, UnitSystem::IP, 1.2, 0.074913552, "lb/ft³"},
    // 760 mmHg × 0.0193368 = 14.695968 psia; × 101.325 / 760 = 101.325 kPa.
    {Quantity::Pressure, UnitSystem::IP, 760, 14.695968, "psia"},
    {Quantity::Pressure, UnitSystem::SI, 760, 101.325, "kPa"},
    {Quantity::Pressure, UnitSystem::Engineering, 760, 760, "mmHg"},
    // 10000 kcal/h × 3.968321 = 39683.21 Btu/h; ÷ 860 = 11.627907 kW.
    {Quantity::Load, UnitSystem::IP, 10000, 39683.21, "Btu/h"},
    {Quantity::Load, UnitSystem::SI, 8600, 10, "kW"},
    // 1699.011 m³/h is 1000 cfm.
    {Quantity::AirFlow, UnitSystem::IP, 1699.011, 1000, "cfm"},
    {Quantity::AirFlow, UnitSystem::SI, 1000, 1000, "m³/h"},
    // 100 kg/h × 2.2046226 = 220.46226 lb/h; 304.8 m is 1000 ft.
    {Quantity::MassFlow, UnitSystem::IP, 100, 220.46226, "lb/h"},
    {Quantity::Length, UnitSystem::IP, 304.8, 1000, "ft"},
    {Quantity::Length, UnitSystem::Engineering, 304.8, 304.8, "m"},
};

}  // namespace

TEST(Units, EachQuantityIsShownAsWorkedByHandAndTypedBack) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(std::string(unitSystemName(c.u)) + " " + c.unit);
        const double shown = units::shown(c.q, c.stored, c.u);
        EXPECT_NEAR(shown, c.shown, 1e-12 * std::max(1.0, std::fabs(c.shown)));
        EXPECT_NEAR(units::stored(c.q, shown, c.u), c.stored,
                    1e-13 * std::max(1.0, std::fabs(c.stored)));
        EXPECT_EQ(units::unitText(c.q, c.u), c.unit);
    }
    // 12,000 Btu/h a ton: 3023.9 kcal/h × 3.968321 = 11904.963 + 94.8428719 = 11999.8058719 Btu/h.
    EXPECT_NEAR(units::tons(3023.9), 11999.8058719 / 12000, 1e-12);
}

TEST(Units, NamesOfTheSystemsReadBack) {
    for (UnitSystem u : {UnitSystem::Engineering, UnitSystem::SI, UnitSystem::IP})
        EXPECT_EQ(unitSystemNamed(unitSystemName(u)), u);
    for (const char* bad : {"", "IP", "SI", "kJ", "ip "}) EXPECT_FALSE(unitSystemNamed(bad)) << bad;
}

// ASHRAE's IP table at 14.696 psia, 75 °F, 50 %: W ≈ 0.00929 lb/lb, h ≈ 28.1 Btu/lb. The library
// has no enhancement factor, by design: its W lies 0.6 % lower (0.009238), within 1 %.
TEST(Units, AshraeIpValuesWithinTheLibrarysPhysics) {
    const double mmHg = units::stored(Quantity::Pressure, 14.696, UnitSystem::IP);
    EXPECT_NEAR(mmHg, 760.0, 0.01);
    const MoistAir air(mmHg);
    const double t = units::stored(Quantity::Temperature, 75, UnitSystem::IP);
    EXPECT_NEAR(t, 23.888888888888889, 1e-12);  // (75 − 32) / 1.8
    const double x = air.DBRH2AH(t, 50);
    EXPECT_NEAR(x, 0.00929, 0.01 * 0.00929);
    EXPECT_NEAR(x, 0.009238, 0.000001);
    const double h = units::shown(Quantity::Enthalpy, air.DBAH2EN(t, x), UnitSystem::IP);
    EXPECT_NEAR(h, 28.1, 0.01 * 28.1);
    // By hand: 0.24 × 75 + W (1075.5 + 0.441 × (75 − 32)) = 18.0 + 0.009238 × 1094.463 = 28.11.
    EXPECT_NEAR(h, 18.0 + x * (1075.5 + 0.441 * 43), 1e-5);
    // Dry air at 0 °F holds no enthalpy on the IP datum.
    const double t0 = units::stored(Quantity::Temperature, 0, UnitSystem::IP);
    EXPECT_NEAR(units::shown(Quantity::Enthalpy, air.DBAH2EN(t0, 0), UnitSystem::IP), 0, 1e-12);
}
