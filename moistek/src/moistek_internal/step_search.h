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
