// Runs of proven trials counted at once (provenRunUpTo): the points it counts are, bit for bit,
// those the chain of additions forms, all of them at most the limit, and it counts the whole run
// where the run stays inside one binade and within its cap. Steps are those a temperature
// search forms (10, then times 0.1 each level); start points near binade edges, zero, whole
// numbers and ties included.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "moistek_internal/step_search.h"
#include "sweep_inputs.h"

namespace {

struct Literal {
    int run;      // points v + s, (v + s) + s, ... at most lim, up to 64
    double at[65];  // at[j]: the j-th point (at[0] = v)
};

Literal literal(double v, double s, double lim) {
    Literal l{0, {v}};
    double x = v;
    for (int j = 1; j <= 64; ++j) {
        x = x + s;
        l.at[j] = x;
        if (x <= lim && l.run == j - 1) l.run = j;
    }
    return l;
}

}  // namespace

TEST(ProvenRun, CountsExactlyThePointsTheAdditionsForm) {
    double steps[10];
    steps[0] = 10;
    for (int i = 1; i < 10; ++i) steps[i] = steps[i - 1] * 0.1;
    sweep::Random r(2029);
    const double edges[] = {-270, -256, -128, -64, -32, -16, -8, -4, -2, -1, -0.5, 0.5,
                            1,    2,    4,    8,   16,  32,  64, 100, 13.78, -5.3, 0.1, -0.1};
    int counted = 0, cases = 0, whole = 0;
    for (int i = 0; i < 200000; ++i) {
        const double s = steps[r.below(10)];
        double v;
        switch (r.below(4)) {
            case 0:  // near a binade edge or a typical root, on the search's grid of that step
                v = r.pick(edges) + s * (r.below(40) - 20);
                break;
            case 1:
                v = std::round(r.between(-270, 100));
                break;
            case 2:
                v = r.between(-270, 100);
                break;
            default:  // a value and its neighbours in ulps, so that halfway sums occur
                v = std::nextafter(r.pick(edges), r.below(2) ? 1e9 : -1e9) * (1 + r.below(3));
                break;
        }
        const Literal l = literal(v, s, 0);
        const int target = r.below(16);
        // Limits at, just below and just above the points.
        double lim = l.at[target];
        if (r.below(3) == 0) lim = std::nextafter(lim, -1e9);
        if (r.below(3) == 0) lim = std::nextafter(lim, 1e9);
        if (r.below(20) == 0) lim = -std::numeric_limits<double>::infinity();
        const Literal want = literal(v, s, lim);
        double last = std::nan("");
        const int k = moistek::provenRunUpTo(v, s, lim, last);
        ++cases;
        ASSERT_GE(k, 0);
        ASSERT_LE(k, want.run) << v << " " << s << " " << lim;
        ASSERT_EQ(std::bit_cast<uint64_t>(last), std::bit_cast<uint64_t>(want.at[k]))
            << v << " " << s << " " << lim << " k " << k;
        if (k > 0) ++counted;
        if (k > 0 && s >= 1) ++whole;
        // Whole numbers, or a run inside v's binade away from halfway sums and within the
        // cap: the whole run counts.
        const bool wholeNumbers = s >= 1 && v == std::round(v);
        bool sameBinade = v != 0 && std::fabs(v) >= s;
        const int e = sameBinade ? std::ilogb(v) : 0;
        for (int j = 1; j <= want.run && sameBinade; ++j)
            sameBinade = (want.at[j] > 0) == (v > 0) && std::ilogb(want.at[j]) == e &&
                         (v > 0 || std::fabs(want.at[j]) != std::ldexp(1.0, e));
        const double d = (v + s) - v, u = std::ldexp(1.0, e - 52);
        if (wholeNumbers ||
            (sameBinade && want.run <= moistek::kRunCount && std::fabs(s - d) != 0.5 * u)) {
            ASSERT_EQ(k, want.run) << v << " " << s << " " << lim;
        }
    }
    // The sweep reaches both cases and counts most runs.
    EXPECT_GT(whole, 5000);
    EXPECT_GT(counted, cases / 3);
}

// The search over proven sides against the general search with the same proven ranges: the
// same trial points asked in the same order and the same end, for roots at and around the
// binades' edges (±2^k), near 0 °C and anywhere, proven ranges tight or loose on either side.
TEST(ProvenRun, SearchOverSidesAsksWhatTheGeneralSearchAsks) {
    sweep::Random r(2030);
    const double inf = std::numeric_limits<double>::infinity();
    int fastCases = 0;
    for (int i = 0; i < 20000; ++i) {
        double root;
        switch (r.below(3)) {
            case 0: {
                const double edge = std::ldexp(1.0, r.below(8) - 1) * (r.below(2) ? 1 : -1);
                root = edge + r.between(-1e-3, 1e-3) * std::pow(10.0, -r.below(6));
                break;
            }
            case 1:
                root = r.between(-1, 1) * std::pow(10.0, -r.below(8));
                break;
            default:
                root = r.between(-100, 99);
                break;
        }
        const double lo = root - r.between(0, 1e-6) * (r.below(4) ? 1 : 1e4);
        double iceBelow = -inf, waterBelow = -inf;
        if (lo < 0) {
            iceBelow = lo;
        } else {
            waterBelow = lo;
            const double ice[] = {-inf, -std::numeric_limits<double>::denorm_min(), -5, -0.3};
            iceBelow = r.pick(ice);
        }
        const double overFrom = root + r.between(0, 1e-6);
        std::vector<double> asked, askedSides;
        const auto trialInto = [&](std::vector<double>& log) {
            return [&, overFrom](double t) {
                log.push_back(t);
                if (t >= overFrom && t < overFrom + 10) return moistek::Trial::Over;
                return t > root ? moistek::Trial::Over : moistek::Trial::Below;
            };
        };
        double v = 0, w = 0;
        const auto end = moistek::stepSearch(
            v, moistek::kTempStart, moistek::kTempStep, 1e-8,
            [&](double t) { return t <= iceBelow || (t >= 0 && t <= waterBelow); },
            trialInto(asked), [](double) { return false; });
        const double near = lo < 0 ? (lo < -1e-300 ? lo : 0) : lo;
        const auto endSides = moistek::stepSearchSides(w, moistek::kTempStart, moistek::kTempStep,
                                                       1e-8, iceBelow, waterBelow, near,
                                                       trialInto(askedSides));
        ASSERT_EQ(end, endSides) << root;
        ASSERT_EQ(std::bit_cast<uint64_t>(v), std::bit_cast<uint64_t>(w)) << root << " " << v;
        ASSERT_EQ(asked.size(), askedSides.size()) << root;
        for (size_t j = 0; j < asked.size(); ++j)
            ASSERT_EQ(std::bit_cast<uint64_t>(asked[j]), std::bit_cast<uint64_t>(askedSides[j]))
                << root << " trial " << j;
        if (asked.size() < 30) ++fastCases;
    }
    EXPECT_GT(fastCases, 10000);  // most searches ask a few trials, the rest being proven
}
