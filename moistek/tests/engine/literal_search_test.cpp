// The wet-bulb and dew-point searches against the search written out literally in the test:
// from −270 °C upward in steps of 10, back off one step at the first trial that passes the
// target, the step times 0.1, on while the step exceeds TolT, at most 100000 trials below the
// target, every trial evaluated through the exported closed-form relation. The engine leaves
// out evaluations whose outcome it has proven; here every state where that proof is tight is
// compared bit for bit: roots just either side of 0 °C (where the ice constants make the
// wet-bulb relation step), deep on the ice side, at 100 °C, with changed constants, refused and
// non-finite inputs, and tolerances that run into the trial limit.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "engine_test_support.h"

using M = MoistekClass;

namespace {

enum class Step { Below, Over, Fail };

// The literal search; 1 with the last trial point below the target, or -1.
template <typename TrialFn, typename StopFn>
int literalSearch(double tol, double& v, TrialFn trial, StopFn stop) {
    v = -270;
    double s = 10;
    int n = 0;
    while (s > tol) {
        v = v + s;
        const Step t = trial(v);
        if (t == Step::Fail) return -1;
        if (t == Step::Over) {
            v = v - s;
            s = s * 0.1;
            continue;
        }
        if (++n > 100000) return -1;
        if (stop(v)) return 2;
    }
    return 1;
}

Outcome literalWetBulb(M& m, double DB, double AH) {
    if (AH > 10000) return {1, 100};
    double v;
    const int r = literalSearch(
        m.TolT, v,
        [&](double t) {
            double db;
            if (m.F_WBAH2DB(t, AH, db) != 1 || std::isnan(DB)) return Step::Fail;
            return db > DB ? Step::Over : Step::Below;
        },
        [](double) { return false; });
    return r == 1 ? Outcome{1, v} : Outcome{-1, 0};
}

Outcome literalDewPoint(M& m, double AH) {
    if (AH > 10000) return {1, 99.99999};
    double v;
    const int r = literalSearch(
        m.TolT, v,
        [&](double t) {
            double hundred = 100, xs;
            if (m.F_DBRH2AH(t, hundred, xs) != 1 || std::isnan(AH)) return Step::Fail;
            return xs > AH ? Step::Over : Step::Below;
        },
        [](double t) { return t >= 100; });
    if (r == 2) return {1, 100};
    if (r != 1) return {-1, 0};
    return {1, v < -200 ? -m.T0 : v};
}

bool sameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

void expectLiteral(M& m, double DB, double AH) {
    const Outcome wb = call(m, &M::F_DBAH2WB, DB, AH, 7);
    const Outcome wbRef = literalWetBulb(m, DB, AH);
    EXPECT_EQ(wb.result, wbRef.result) << "wet bulb of DB " << DB << " AH " << AH;
    EXPECT_TRUE(sameBits(wb.value, wbRef.value))
        << "wet bulb of DB " << DB << " AH " << AH << ": " << wb.value << " vs " << wbRef.value;
    const Outcome dp = call(m, &M::F_AH2DP, AH, 7);
    const Outcome dpRef = literalDewPoint(m, AH);
    EXPECT_EQ(dp.result, dpRef.result) << "dew point of AH " << AH;
    EXPECT_TRUE(sameBits(dp.value, dpRef.value))
        << "dew point of AH " << AH << ": " << dp.value << " vs " << dpRef.value;
}

// Neighbours of x a few ulps either way, and x itself.
std::vector<double> around(double x) {
    std::vector<double> v{x};
    double up = x, down = x;
    for (int i = 0; i < 3; ++i) {
        up = std::nextafter(up, HUGE_VAL);
        down = std::nextafter(down, -HUGE_VAL);
        v.push_back(up);
        v.push_back(down);
    }
    return v;
}

// States whose wet bulb and dew point are `t`: the saturated humidity ratio at t (dew point
// t) and dry bulbs on the wet-bulb line of t for a few humidity ratios, each with neighbours.
void expectStatesAt(M& m, double t) {
    double hundred = 100, xs = 0;
    if (m.F_DBRH2AH(t, hundred, xs) == 1)
        for (double ah : around(xs)) expectLiteral(m, t, ah);
    for (double ah : {0.0, 0.0005, 0.002, 0.01, 0.05}) {
        double db = 0, wb = t;
        if (m.F_WBAH2DB(wb, ah, db) != 1) continue;
        for (double d : around(db)) expectLiteral(m, d, ah);
    }
}

const double kRootsNearZero[] = {0,     -0.0,  1e-9,   -1e-9,        1e-7,
                                 -1e-7, 1e-12, -1e-12, 4.9999999e-9, -4.9999999e-9,
                                 0.5,   -0.5,  5e-324, -5e-324,      std::nextafter(0.0, 1.0) * 4,
                                 -2e-8};

}  // namespace

TEST(LiteralSearch, RootsEitherSideOfZero) {
    M m;
    for (double t : kRootsNearZero) expectStatesAt(m, t);
    m.Mode = 1;  // the same in SI units
    m.PA = 1013.25;
    for (double t : kRootsNearZero) expectStatesAt(m, t);
}

TEST(LiteralSearch, IceSideAndNearTheStart) {
    M m;
    for (double t : {-9.99999999, -10.0, -10.00000001, -40.0, -100.0, -150.0, -200.00000001,
                     -229.99999, -250.0, -259.999999, -260.0, -265.5, -269.99})
        expectStatesAt(m, t);
}

TEST(LiteralSearch, AtHundredDegrees) {
    // A total pressure above a saturation pressure at 100 °C keeps the humidity finite there.
    M m;
    m.PA = 1200;
    for (double t :
         {89.99999999, 90.0, 95.0, 99.9, 99.99999, 99.99999999, 100.0, 100.00000001, 105.0, 110.0})
        expectStatesAt(m, t);
    for (double db : {99.0, 100.0, 150.0, 400.0})
        for (double ah : {0.5, 1.0, 5.0, 9999.0}) expectLiteral(m, db, ah);
}

TEST(LiteralSearch, ChangedConstantsAndPressures) {
    // The proofs assume the standard constants: instances with others must still agree.
    for (int k = 0; k < 5; ++k) {
        M m;
        if (k == 0) m.Cpv = 0.6;
        if (k == 1) m.Ci = 2.0;
        if (k == 2) m.Mw = 40;
        if (k == 3) m.PA = 30;  // saturation reached at a few tens of degrees
        if (k == 4) m.PA = 1e-3;
        for (double t : {-30.0, -1e-9, 0.0, 5.0, 20.0, 45.0}) expectStatesAt(m, t);
    }
}

TEST(LiteralSearch, RootsAtTheEdgesOfTheOneProbeProof) {
    // One probe at the wet bulb and its slope prove the trials either side from −100 °C up,
    // with the vapour pressure's share of the total at most 0.3: roots either side of −100 °C
    // and of 99 °C, and pressures that put the share near 0.3 at the root (about 21 mmHg at
    // 20 °C saturated: 0.3 of 70 mmHg) or beyond it.
    for (double pa : {760.0, 70.0, 58.0, 50.0, 45.0}) {
        M m;
        m.PA = pa;
        for (double t : {-100.0000001, -100.0, -99.9999999, -60.0, 10.0, 15.0, 20.0, 25.0})
            expectStatesAt(m, t);
    }
    M hot;
    hot.PA = 1200;
    for (double t : {98.9999999, 99.0, 99.0000001}) expectStatesAt(hot, t);
}

TEST(LiteralSearch, RefusedAndNonFiniteInputs) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double values[] = {nan, inf, -inf, 1e308, -1e308, 0, -0.0, -1, 1e-300, 10000, 10001};
    for (double pa : {760.0, 0.0, -5.0, nan, inf}) {
        M m;
        m.PA = pa;
        for (double db : values)
            for (double ah : values) expectLiteral(m, db, ah);
        expectLiteral(m, 20, 0.0072630318233924216);
    }
}

TEST(LiteralSearch, TolerancesUpToTheTrialLimit) {
    // With a tolerance far below the spacing of doubles near the root, trials stop moving and
    // the 100001st trial below the target fails the search; coarser tolerances end earlier.
    for (double tol : {1e-20, 1e-16, 1e-13, 1e-4, 0.5, 10.0, 0.0, std::nan("")}) {
        M m;
        m.TolT = tol;
        expectLiteral(m, 20, 0.0072630318233924216);
        expectLiteral(m, -20, 0.0003);
        expectLiteral(m, 0.5, 0.0037);
    }
    M m;
    m.TolT = 1e-20;
    EXPECT_EQ(call(m, &M::F_DBAH2WB, 20, 0.0072630318233924216).result, -1);
    EXPECT_EQ(call(m, &M::F_AH2DP, 0.0072630318233924216).result, -1);
}

TEST(LiteralSearch, HumidityAtTheIceBoundOfZeroDegrees) {
    // Below 0 °C the saturation pressure (ice formula) stays under 6.1115366 hPa; humidity
    // ratios whose vapour pressure lies just either side of that value, and of the water
    // formula's 6.1121283 hPa at 0 °C, with dry bulbs just above 0 °C.
    M m;
    for (double e : {6.1110, 6.11153, 6.1115366, 6.11154, 6.1116, 6.11161, 6.1121283, 6.1122}) {
        const double pw = e * 0.75006168;             // mmHg
        const double ah = 0.62198 * pw / (760 - pw);  // kg/kg(DA), near 0.00377
        for (double db : {0.0, 1e-9, 0.001, 0.5, 1.0, 5.0}) expectLiteral(m, db, ah);
    }
}

namespace {

void expectDewPointLiteral(M& m, double AH) {
    const Outcome dp = call(m, &M::F_AH2DP, AH, 7);
    const Outcome ref = literalDewPoint(m, AH);
    EXPECT_EQ(dp.result, ref.result) << "dew point of AH " << AH << " at " << m.PA;
    EXPECT_TRUE(sameBits(dp.value, ref.value))
        << "dew point of AH " << AH << " at " << m.PA << ": " << dp.value << " vs " << ref.value;
}

// The saturated humidity ratio at t and its neighbours.
void expectDewPointsAt(M& m, double t) {
    double hundred = 100, xs = 0;
    if (m.F_DBRH2AH(t, hundred, xs) != 1) return;
    for (double ah : around(xs)) expectDewPointLiteral(m, ah);
}

}  // namespace

TEST(LiteralSearch, DewPointRangesFromTheLogarithm) {
    // Where the proven ranges come straight from the saturation formula's logarithm: the ends
    // of the range it covers (−99 and 99 °C), roots just above 0 °C where the range below must
    // stay on the water side, and humidity ratios either side of the vapour pressure's share
    // of 0.3/2.15 (AH near 0.1007 kg/kg(DA)).
    for (int k = 0; k < 4; ++k) {
        M m;
        if (k == 1) m.PA = 200;
        if (k == 2) m.PA = 1500;
        if (k == 3) {
            m.Mode = 1;
            m.PA = 1013.25;
        }
        for (double t : {-99.5, -99.0, -98.99999999, -60.0, -1e-6, 1e-10, 1e-8, 1e-6, 1e-4, 0.01,
                         37.3, 98.99999999, 99.0, 99.5})
            expectDewPointsAt(m, t);
        for (double ah : {0.05, 0.1, 0.1006, 0.1007, 0.1008, 0.101, 0.2, 1.0})
            for (double a : around(ah)) expectDewPointLiteral(m, a);
    }
}

TEST(LiteralSearch, DewPointSeededSweep) {
    // 3000 roots spread over −105…105 °C at pressures from 100 to 2000 mmHg (and hPa), each
    // humidity ratio with its neighbours: a wrong bound shows as a last-digit difference.
    uint64_t s = 0x5eed;
    const auto unit = [&s] {
        s = s * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(s >> 11) * 0x1.0p-53;
    };
    for (int i = 0; i < 3000; ++i) {
        M m;
        m.Mode = i % 2;
        m.PA = 100 + 1900 * unit();
        expectDewPointsAt(m, -105 + 210 * unit());
    }
}
