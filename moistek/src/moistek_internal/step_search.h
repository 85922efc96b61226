#pragma once
// The step-refinement search shared by every iterative method: step the sought value upward
// until the evaluated quantity passes its target, back off one step, divide the step by ten
// (as a multiplication by 0.1, so the steps carry its rounding) and go on while the step is
// above the tolerance. One counter limits the non-overshooting trials over all levels.
//
// Arithmetic faults are detected where they can arise: a value that became infinite or NaN is
// a fault. Checking results instead of the floating-point status flags gives the same outcome
// for finite inputs at a fraction of the cost.

#include <cmath>
#include <cstdint>
#include <cstring>

namespace moistek {

inline bool isFinite(double v) {
    return std::isfinite(v);
}

enum class Trial { Below, Over, Failed, Fault };
enum class SearchEnd { Found, Failed, Fault, Stopped };

constexpr int kMaxTrials = 100000;

// `trial(v)` evaluates the trial value v; `stop(v)` is asked after each non-overshooting trial
// that passed the counter check and ends the search early when it answers true.
template <typename TrialFn, typename StopFn>
inline SearchEnd stepSearch(double& v, double start, double step, double tolerance, TrialFn trial,
                            StopFn stop) {
    v = start;
    double s = step;
    int n = 0;
    while (s > tolerance) {
        v = v + s;
        switch (trial(v)) {
            case Trial::Failed:
                return SearchEnd::Failed;
            case Trial::Fault:
                return SearchEnd::Fault;
            case Trial::Over:
                v = v - s;
                s = s * 0.1;
                continue;
            case Trial::Below:
                break;
        }
        n = n + 1;
        if (n > kMaxTrials) return SearchEnd::Failed;
        if (stop(v)) return SearchEnd::Stopped;
    }
    return SearchEnd::Found;
}

template <typename TrialFn>
inline SearchEnd stepSearch(double& v, double start, double step, double tolerance, TrialFn trial) {
    return stepSearch(v, start, step, tolerance, trial, [](double) { return false; });
}

// The same search when `provenBelow(v)` answers, for some trial points, that trial(v) would
// be Trial::Below: runs of such trials go through a tight loop that does, trial for trial,
// exactly what the loop above does with a trial below the target.
template <typename ProvenFn, typename TrialFn, typename StopFn>
inline SearchEnd stepSearch(double& v, double start, double step, double tolerance,
                            ProvenFn provenBelow, TrialFn trial, StopFn stop) {
    v = start;
    double s = step;
    int n = 0;
    while (s > tolerance) {
        double next = v + s;
        while (provenBelow(next)) {
            v = next;
            n = n + 1;
            if (n > kMaxTrials) return SearchEnd::Failed;
            if (stop(v)) return SearchEnd::Stopped;
            next = v + s;
        }
        v = next;
        switch (trial(v)) {
            case Trial::Failed:
                return SearchEnd::Failed;
            case Trial::Fault:
                return SearchEnd::Fault;
            case Trial::Over:
                v = v - s;
                s = s * 0.1;
                continue;
            case Trial::Below:
                break;
        }
        n = n + 1;
        if (n > kMaxTrials) return SearchEnd::Failed;
        if (stop(v)) return SearchEnd::Stopped;
    }
    return SearchEnd::Found;
}

// The same search when every trial point at or below `lo` is known to be below the target and
// `stop` answers false for each of them: a run of such trials is its additions and the counter
// alone, one compare a trial, so the run is as long as its chain of additions.
template <typename TrialFn, typename StopFn>
inline SearchEnd stepSearchAbove(double& v, double start, double step, double tolerance, double lo,
                                 TrialFn trial, StopFn stop) {
    v = start;
    double s = step;
    int n = 0;
    while (s > tolerance) {
        double next = v + s;
        while (next <= lo) {
            v = next;
            n = n + 1;
            if (n > kMaxTrials) return SearchEnd::Failed;
            next = v + s;
        }
        v = next;
        switch (trial(v)) {
            case Trial::Failed:
                return SearchEnd::Failed;
            case Trial::Fault:
                return SearchEnd::Fault;
            case Trial::Over:
                v = v - s;
                s = s * 0.1;
                continue;
            case Trial::Below:
                break;
        }
        n = n + 1;
        if (n > kMaxTrials) return SearchEnd::Failed;
        if (stop(v)) return SearchEnd::Stopped;
    }
    return SearchEnd::Found;
}

// Runs of proven trials counted at once. A search forms its trial points by repeated addition,
// v, v + s, (v + s) + s, ...; where those additions can be shown to give v + j·d for a fixed d,
// the points are found without the chain of additions, and the number of them up to a limit
// without a branch per point. Two cases:
// - s and v whole numbers well inside the range where doubles hold every integer: each
//   addition is exact, d = s;
// - otherwise, with 0 < s <= |v|: every double of the binade of v (the doubles of its exponent)
//   is a multiple of its spacing u, so while a sum v_j + s stays inside that binade it rounds
//   to v_j + d with d = round(s / u)·u, the same d for every j unless s / u lies exactly halfway
//   between two integers (then the rounding goes to even and depends on v_j: not counted).
//   d = fl(v + s) − v exactly (v + s − v with |s| <= |v| loses nothing), and so is s − d.
//   The points counted keep every sum inside the binade: for v > 0 each point at most
//   2^(e+1) − u (a sum then lies below 2^(e+1) − u/2), for v < 0 at most −2^e − u (a sum then
//   lies at or below −2^e, where the spacing is still u). v + j·d is then exact, j·d being a
//   multiple of u below 2^e.
// Returns how many of the points after v (j = 1, 2, ... up to kRunCount) are at most `lim`,
// every one of them the point the additions give, and sets `last` to the last one (v when
// none); 0 where neither case holds.
constexpr int kRunCount = 10;

inline int wholeRunUpTo(double v, double s, double lim, double& last) {
    const double x = (lim - v) / s;  // within one of the count
    int k = x < 4096 ? static_cast<int>(x) : 4096;
    if (k < 0) k = 0;
    while (k > 0 && v + k * s > lim) --k;
    while (k < 4096 && v + (k + 1) * s <= lim) ++k;
    last = v + k * s;
    return k;
}

inline int provenRunUpTo(double v, double s, double lim, double& last) {
    last = v;
    if (!(v + s <= lim)) return 0;
    if (s >= 1 && s <= 1024 && std::fabs(v) <= 1e9 &&
        s == static_cast<double>(static_cast<int64_t>(s)) &&
        v == static_cast<double>(static_cast<int64_t>(v)))
        return wholeRunUpTo(v, s, lim, last);
    const double a = std::fabs(v);
    if (!(s > 0 && s <= a && a < 1e300)) return 0;
    uint64_t bits;
    std::memcpy(&bits, &a, sizeof bits);
    bits &= 0x7ff0000000000000ULL;  // 2^e, the bottom of v's binade
    if (bits == 0) return 0;        // subnormal
    double bottom;
    std::memcpy(&bottom, &bits, sizeof bits);
    const double u = bottom * 0x1p-52;
    const double d = (v + s) - v;
    if (std::fabs(s - d) == 0.5 * u) return 0;
    const double top = v > 0 ? 2 * bottom - u : -bottom - u;
    const double limit = lim < top ? lim : top;
    int k = 0;
    for (int j = 1; j <= kRunCount; ++j) k += (v + j * d <= limit) ? 1 : 0;
    last = v + k * d;
    return k;
}

// The same search when the trial points proven below are those below 0 at or below
// `iceBelow` (which is below 0) and those at or above 0 at or below `waterBelow`, and `stop`
// answers false for all of them. Every trial point, the counter and the outcome are those of
// the search above.
//
// `near` is a point near the root, in the binade where the search's points end up. A level
// whose step s is below that binade's bottom and not halfway between two of its multiples
// forms its points there as v + j·d (see provenRunUpTo), d and its multiples worked out before
// the level's points are: its run of proven trials is counted at once, the point after it is
// last + d, and backing off from it gives last again (last + d − s lies within u/2 of last, on
// the grid of spacing u, as long as v lies above the binade's bottom in magnitude). Other levels count what provenRunUpTo can and go point by point
// otherwise.
template <typename TrialFn>
inline SearchEnd stepSearchSides(double& v, double start, double step, double tolerance,
                                 double iceBelow, double waterBelow, double near, TrialFn trial) {
    constexpr uint64_t kSignExponent = 0xfff0000000000000ULL;
    uint64_t nearBits;
    std::memcpy(&nearBits, &near, sizeof nearBits);
    uint64_t bottomBits = nearBits & 0x7ff0000000000000ULL;
    double bottom;
    std::memcpy(&bottom, &bottomBits, sizeof bottom);
    const bool usable = bottomBits != 0 && std::fabs(near) < 1e300;
    const double u = bottom * 0x1p-52;
    const double top = near > 0 ? 2 * bottom - u : -bottom - u;
    const double sideBelow = near < 0 ? iceBelow : waterBelow;
    const double limit = sideBelow < top ? sideBelow : top;

    v = start;
    double s = step;
    int n = 0;
    while (s > tolerance) {
        const double d = (bottom + s) - bottom;  // exact: bottom + s < 2·bottom when s < bottom
        if (usable && s < bottom && std::fabs(s - d) != 0.5 * u && n < kMaxTrials - kRunCount) {
            uint64_t vBits;
            std::memcpy(&vBits, &v, sizeof vBits);
            // v strictly inside: backing off to last must not cross the binade's bottom, below
            // which the spacing halves.
            if ((vBits & kSignExponent) == (nearBits & kSignExponent) && std::fabs(v) > bottom) {
                int k = 0;
                for (int j = 1; j <= kRunCount; ++j) k += (v + j * d <= limit) ? 1 : 0;
                const double last = v + k * d;
                const double next = last + d;  // fl(last + s), the run's end, when next <= top
                if (k < kRunCount && next <= top) {
                    n = n + k;
                    switch (trial(next)) {
                        case Trial::Failed:
                            return SearchEnd::Failed;
                        case Trial::Fault:
                            v = next;
                            return SearchEnd::Fault;
                        case Trial::Over:
                            v = last;  // fl(next - s)
                            s = s * 0.1;
                            continue;
                        case Trial::Below:
                            break;
                    }
                    v = next;
                    n = n + 1;
                    continue;
                }
            }
        }
        double next = v + s;
        for (;;) {
            // Points below 0 are proven up to iceBelow (< 0), so a run below 0 stays below 0;
            // one from 0 up stays at or above it.
            const double lim = next < 0 ? iceBelow : waterBelow;
            if (!(next <= lim)) break;
            double last;
            const int k = provenRunUpTo(v, s, lim, last);
            if (k > 0 && n + k <= kMaxTrials) {
                v = last;
                n = n + k;
            } else {
                v = next;
                n = n + 1;
                if (n > kMaxTrials) return SearchEnd::Failed;
            }
            next = v + s;
        }
        v = next;
        switch (trial(v)) {
            case Trial::Failed:
                return SearchEnd::Failed;
            case Trial::Fault:
                return SearchEnd::Fault;
            case Trial::Over:
                v = v - s;
                s = s * 0.1;
                continue;
            case Trial::Below:
                break;
        }
        n = n + 1;
        if (n > kMaxTrials) return SearchEnd::Failed;
    }
    return SearchEnd::Found;
}

// Compares a trial's quantity with the target; a NaN target cannot be compared (a fault).
inline Trial above(double q, double target) {
    if (std::isnan(target)) return Trial::Fault;
    return q > target ? Trial::Over : Trial::Below;
}
inline Trial below(double q, double target) {
    if (std::isnan(target)) return Trial::Fault;
    return q < target ? Trial::Over : Trial::Below;
}

// Temperature search: −270 °C upward in steps of 10 °C down to the tolerance.
constexpr double kTempStart = -270.0;
constexpr double kTempStep = 10.0;
// Humidity search: from −TolX upward in steps of 0.01 kg/kg(DA) down to TolX.
constexpr double kHumStep = 0.01;

}  // namespace moistek
