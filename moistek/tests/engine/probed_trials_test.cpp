// What one probe near a root proves (ProbedTrials::straddle): with the probe a little off the
// root, on either side of 0 °C, every trial point it claims below lies truly below the target
// by the rounding bound and every one it claims over above it by as much, the unproven gap
// between them is no wider than that bound makes it, and probes beyond its reach or whose gap
// would cross 0 °C prove nothing beyond what the probe itself proves.
#include <gtest/gtest.h>

#include <cmath>

#include "moistek_internal/probed_search.h"

namespace {

// A relation rising with v above −500 °C, q = v + c·v², exact to far below its rounding bound;
// the slope changes by 2c = 0.002 per K, within what the proof allows. xs is small and fixed.
struct Parabola {
    double DB;
    static constexpr double c = 0.001, kDelta = 1e-9, kXs = 0.001;
    static double q(double v) { return v + c * v * v; }
    bool evaluate(double v, double& out, double& xs) const {
        out = q(v);
        xs = kXs;
        return true;
    }
    double target() const { return DB; }
    double delta(double, double) const { return kDelta; }
    bool provenBelow(double value, double) const { return value <= DB - kDelta; }
    bool provenOver(double value, double) const { return value >= DB + kDelta; }
    double margin(double) const { return kDelta; }
    double slope(double v, double, double) const { return 1 + 2 * c * v; }
    double curvature(double, double, double) const { return 2 * c; }
    double ratio() const { return 0.622; }
};

// The root of q(v) = DB.
double rootOf(double DB) {
    return (-1 + std::sqrt(1 + 4 * Parabola::c * DB)) / (2 * Parabola::c);
}

}  // namespace

TEST(ProbedTrials, OneProbeProvesBothSidesOfTheRootAndNoMore) {
    struct Case {
        double root, offset;  // the probe is at root + offset
        bool proves;          // lo and hi both set by the straddle
    } cases[] = {
        {15.3, 0, true},       {15.3, 1e-7, true},     {15.3, -1e-7, true},   {15.3, 9e-7, true},
        {15.3, -9e-7, true},   {15.3, 5e-5, true},     {15.3, -9.5e-5, true}, {-20.2, 3e-7, true},
        {-20.2, -3e-5, true},  {-99.5, 2e-7, true},    {60.0, -5e-7, true},   {60.0, 8e-5, true},
        {15.3, 1.1e-4, false}, {15.3, -1.1e-4, false},  // beyond its reach
        {3e-10, 0, false},     {-3e-10, 0, false},      // the gap would cross 0 °C
        {-100.5, 0, false},                             // below −100 °C
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "root " << c.root << " offset " << c.offset);
        const Parabola r{Parabola::q(c.root)};
        const double root = rootOf(r.DB);
        ASSERT_NEAR(root, c.root, 1e-12);
        moistek::ProbedTrials<Parabola> trials(r, true);
        const bool done = trials.straddle(root + c.offset);
        const auto known = trials.known();
        const bool ice = root < 0;
        const double lo = ice ? known.iceBelow : known.waterBelow;
        const double hi = ice ? known.iceOver : known.waterOver;
        EXPECT_EQ(done, c.proves);
        // Whatever is claimed holds with the rounding bound δ to spare (this relation rounds
        // far less): q at the last point claimed below is at most the target − δ, at the first
        // claimed over at least the target + δ.
        const double d = Parabola::kDelta;
        if (std::isfinite(lo)) {
            EXPECT_LE(Parabola::q(lo), r.DB - 0.99 * d);
        }
        if (std::isfinite(hi)) {
            EXPECT_GE(Parabola::q(hi), r.DB + 0.99 * d);
        }
        if (!c.proves) continue;
        // And the gap left is that bound's either side, 2·δ/q', widened by the bounds on the
        // slope over the probe's distance from the root e by about e² (e in K).
        const double slope = 1 + 2 * Parabola::c * root, e2 = c.offset * c.offset;
        EXPECT_LT(hi - lo, 2 * d / slope * 1.001 + 3 * e2);
        EXPECT_GT(hi - lo, 2 * d / slope * 0.999);
        EXPECT_LE(lo, root);
        EXPECT_GE(hi, root);
    }
}
