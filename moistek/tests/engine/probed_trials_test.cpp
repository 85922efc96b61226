// What one probe near a root proves (ProbedTrials::straddle): with the root estimated a little
// off, on either side of 0 °C, every trial point it claims below lies truly at or below the
// target and every one it claims over truly above it, the unproven gap between them is no
// wider than the rounding bound makes it, and estimates beyond its reach or whose interval
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
        double root, offset;  // the estimate is root + offset
        bool proves;          // lo and hi both set by the straddle
    } cases[] = {
        {15.3, 0, true},     {15.3, 1e-7, true},  {15.3, -1e-7, true},  {15.3, 9e-7, true},
        {15.3, -9e-7, true}, {-20.2, 3e-7, true}, {-20.2, -3e-7, true}, {-99.5, 2e-7, true},
        {60.0, -5e-7, true}, {15.3, 2e-6, false}, {15.3, -2e-6, false},  // beyond its reach
        {3e-10, 0, false},   {-3e-10, 0, false},  // the gap would cross 0 °C
        {-100.5, 0, false},                       // below −100 °C
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
        // Whatever is claimed holds: q at the last point claimed below is not over the
        // target, at the first claimed over it is.
        if (std::isfinite(lo)) {
            EXPECT_LE(Parabola::q(lo), r.DB);
        }
        if (std::isfinite(hi)) {
            EXPECT_GT(Parabola::q(hi), r.DB);
        }
        if (!c.proves) continue;
        // And the gap left is the rounding bound's either side, 2·δ/q' with 1e-4 to spare, or
        // where the estimate itself proves one side, from there to δ/q' past the root.
        const double slope = 1 + 2 * Parabola::c * root;
        EXPECT_LT(hi - lo, 2 * Parabola::kDelta / slope * 1.001 + std::fabs(c.offset));
        EXPECT_GT(hi - lo, 2 * Parabola::kDelta / slope * 0.999);
        EXPECT_LE(lo, root);
        EXPECT_GE(hi, root);
    }
}
