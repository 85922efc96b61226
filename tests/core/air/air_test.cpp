// Moist air at the site's pressure: the standard atmosphere against its published table, the
// relations at 760 mmHg against the library's own plain functions, and the saturation humidity
// ratio at altitude against the ideal-gas relation worked by hand.
#include <gtest/gtest.h>

#include <cmath>

#include "air/air.h"

using namespace humidraw;

TEST(StandardAtmosphere, PressureAtAltitudeAsTabulated) {
    // ASHRAE Fundamentals, the standard atmosphere's table: Z in m, p in kPa.
    const struct {
        double metres, kPa;
    } table[] = {{0, 101.325}, {1500, 84.556}, {3000, 70.108}, {-300, 104.981}, {5000, 54.020}};
    for (const auto& row : table) {
        EXPECT_NEAR(pressureAtAltitudeMmHg(row.metres) / kMmHgPerKPa, row.kPa, 0.0015)
            << row.metres << " m";
        EXPECT_NEAR(altitudeAtPressure(pressureAtAltitudeMmHg(row.metres)), row.metres, 1e-6);
    }
    // Sea level is the 760 mmHg of every chart drawn before, and 101.325 kPa.
    EXPECT_NEAR(pressureAtAltitudeMmHg(0), 760, 1e-12);
    EXPECT_NEAR(760 * kKPaPerMmHg, 101.325, 1e-12);
    EXPECT_NEAR(kMmHgPerKPa, 7.50062, 5e-6);
}

TEST(StandardAtmosphere, AllowedPressures) {
    for (double p : {400.0, 600.0, 760.0, 800.0}) EXPECT_TRUE(pressureAllowed(p)) << p;
    for (double p : {399.9, 800.1, 0.0, -760.0, double(NAN), double(INFINITY)}) EXPECT_FALSE(pressureAllowed(p)) << p;
}

TEST(MoistAirAtPressure, AtTheStandardAtmosphereEveryRelationIsTheLibrarysPlainOne) {
    const MoistAir air;
    EXPECT_TRUE(air.standard());
    for (double db = -20; db <= 60; db += 7.3) {
        for (double x = 0.0005; x < 0.03; x += 0.0041) {
            SCOPED_TRACE(testing::Message() << db << " °C, " << x);
            const double h = V_DBAH2EN(db, x), wb = V_DBAH2WB(db, x), sv = V_DBAH2SV(db, x),
                         rh = V_DBAH2RH(db, x);
            EXPECT_EQ(air.DBAH2EN(db, x), h);
            EXPECT_EQ(air.DBAH2WB(db, x), wb);
            EXPECT_EQ(air.DBAH2SV(db, x), sv);
            EXPECT_EQ(air.DBAH2RH(db, x), rh);
            EXPECT_EQ(air.DBAH2RV(db, x), V_DBAH2RV(db, x));
            EXPECT_EQ(air.ENAH2DB(h, x), V_ENAH2DB(h, x));
            EXPECT_EQ(air.WBAH2DB(wb, x), V_WBAH2DB(wb, x));
            EXPECT_EQ(air.SVAH2DB(sv, x), V_SVAH2DB(sv, x));
            EXPECT_EQ(air.RHAH2DB(rh, x), V_RHAH2DB(rh, x));
            EXPECT_EQ(air.ENDB2AH(h, db), V_ENDB2AH(h, db));
            EXPECT_EQ(air.DBWB2AH(db, wb), V_DBWB2AH(db, wb));
            EXPECT_EQ(air.DBSV2AH(db, sv), V_DBSV2AH(db, sv));
            EXPECT_EQ(air.SVWB2AH(sv, wb), V_SVWB2AH(sv, wb));
            EXPECT_EQ(air.DBRH2AH(db, rh), V_DBRH2AH(db, rh));
            EXPECT_EQ(air.RHEN2DB(rh, h), V_RHEN2DB(rh, h));
            EXPECT_EQ(air.RHWB2DB(rh, wb), V_RHWB2DB(rh, wb));
            EXPECT_EQ(air.RHSV2DB(rh, sv), V_RHSV2DB(rh, sv));
            EXPECT_EQ(air.SVEN2DB(sv, h), V_SVEN2DB(sv, h));
            EXPECT_EQ(air.AH2DP(x), V_AH2DP(x));
        }
        EXPECT_EQ(air.DB2PWS(db), V_DB2PWS(db));
        EXPECT_EQ(air.saturationRatio(db), V_PW2AH(V_DB2PWS(db)));
    }
}

TEST(MoistAirAtPressure, SaturationAtAltitudeFollowsTheIdealGasRelation) {
    // At 1,500 m (84.556 kPa = 634.22 mmHg): x_s = 0.62194 · p_ws / (p − p_ws), with the
    // library's own saturation pressure; e.g. at 20 °C p_ws = 17.54 mmHg and
    // x_s = 0.62194 × 17.54 / (634.22 − 17.54) = 0.01769 kg/kg.
    const double p = 84.556 * kMmHgPerKPa;
    const MoistAir air(p);
    EXPECT_FALSE(air.standard());
    for (double db : {0.0, 10.0, 20.0, 30.0, 40.0}) {
        const double pws = air.DB2PWS(db);
        const double expected = 0.62194 * pws / (p - pws);
        EXPECT_NEAR(air.saturationRatio(db) / expected, 1.0, 2e-4) << db << " °C";
    }
    EXPECT_NEAR(air.saturationRatio(20), 0.01769, 0.00002);
    // About 1,600 m above the sea the saturation humidity ratio is about 23 % higher.
    const MoistAir site(pressureAtAltitudeMmHg(1600));
    EXPECT_NEAR(site.saturationRatio(25) / MoistAir().saturationRatio(25), 1.23, 0.01);
}

TEST(MoistAirAtPressure, DensityOfTheMoistAir) {
    // 20 °C, x = 0.0073 at 760 mmHg (101,325 Pa), ideal gas:
    // SV = 287.042 × 293.15 × (1 + 1.6078 × 0.0073) / 101325 = 0.8402 m³/kg(DA), and
    // ρ = (1 + x) / SV = 1.0073 / 0.8402 = 1.1989 kg/m³.
    EXPECT_NEAR(MoistAir().density(20, 0.0073), 1.1989, 0.0005);
    // At 600 mmHg the volume is 760/600 as large: ρ = 1.1989 × 600 / 760 = 0.9465.
    EXPECT_NEAR(MoistAir(600).density(20, 0.0073), 0.9465, 0.0005);
}
