#pragma once
// Seeded inputs for the recorded sweep of every engine method: ordinary states, the edges where
// the relations change branch (0 °C, 100 °C, the ice side, saturation, the critical point), values
// the engine refuses, and values that overflow or are not numbers. The generator uses only
// integer arithmetic of its own and fixed formulas, so the same seed gives the same inputs with
// any standard library and any engine.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace sweep {

// splitmix64: the same sequence on every platform.
class Random {
  public:
    explicit Random(uint64_t seed) : s_(seed) {}
    uint64_t next() {
        uint64_t z = (s_ += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }  // [0, 1)
    double between(double a, double b) { return a + (b - a) * unit(); }
    int below(int n) { return static_cast<int>(next() % static_cast<uint64_t>(n)); }
    template <size_t N>
    double pick(const double (&v)[N]) {
        return v[below(static_cast<int>(N))];
    }

  private:
    uint64_t s_;
};

// The kinds of quantity a method reads.
enum class Kind { DB, RH, AH, EN, SV, WB, PW, PA, Any };

inline bool isTemperature(Kind k) {
    return k == Kind::DB || k == Kind::WB;
}

// A rough saturation humidity ratio at 760 mmHg (Magnus over water, hPa), only to place inputs
// near saturation; never used as an expected value.
inline double roughSaturatedRatio(double t) {
    const double e = 6.112 * std::exp(17.62 * t / (243.12 + t)) * 0.75006;
    return e < 700 ? 0.622 * e / (760 - e) : 1.0;
}

inline double special(Random& r) {
    const double inf = std::numeric_limits<double>::infinity();
    const double v[] = {std::numeric_limits<double>::quiet_NaN(),
                        inf,
                        -inf,
                        1e308,
                        -1e308,
                        std::numeric_limits<double>::denorm_min(),
                        -std::numeric_limits<double>::denorm_min(),
                        std::numeric_limits<double>::min(),
                        -0.0,
                        0.0,
                        1e300,
                        -1e300,
                        1e-300};
    return r.pick(v);
}

inline double randomBits(Random& r) {
    const uint64_t b = r.next();
    double v;
    std::memcpy(&v, &b, sizeof v);
    return v;
}

inline double wide(Random& r) {
    if (r.below(2)) return r.between(-1000, 1000);
    const double magnitude = std::pow(10.0, r.between(-300, 300));
    return r.below(2) ? magnitude : -magnitude;
}

// Values at and around the places where a relation changes form or refuses.
inline double edge(Random& r, Kind k) {
    switch (k) {
        case Kind::DB:
        case Kind::WB: {
            const double v[] = {0,       -0.0,      100,      std::nextafter(0.0, -1.0),
                                1e-9,    -1e-9,     99.99999, std::nextafter(100.0, 0.0),
                                100.001, 373.946,   373.9459, std::nextafter(373.946, 0.0),
                                -273.15, -273.1499, -270,     -260,
                                0.01,    -0.01,     -100,     99.9999999};
            const double base = r.pick(v);
            return r.below(3) ? base : base + r.between(-1e-6, 1e-6);
        }
        case Kind::RH: {
            const double v[] = {0, 100, 100.0000001, 99.9999, -1e-9, 1000, 1e-12, 50};
            return r.pick(v);
        }
        case Kind::AH: {
            const double v[] = {0,      -0.0000025, 0.0000025, 1e-12,      10000, 10000.0001,
                                9999.9, -0.001,     0.622,     0.00000249, 1,     100};
            return r.pick(v);
        }
        case Kind::EN: {
            const double v[] = {0, -1e-9, 1e-9, 597.5, -597.5, 1e5, -60, 1000};
            return r.pick(v);
        }
        case Kind::SV: {
            const double v[] = {0, 1e-9, -1e-9, 0.7, 1.0, 1.3, 10, -0.8};
            return r.pick(v);
        }
        case Kind::PW:
        case Kind::PA: {
            const double v[] = {0, 760, 759.99999, 1013.25, 1013.2499, 1e-9, -1, 760.00001};
            return r.pick(v);
        }
        case Kind::Any:
            break;
    }
    return r.between(-1, 1);
}

inline double ordinary(Random& r, Kind k) {
    switch (k) {
        case Kind::DB:
            return r.between(-40, 110);
        case Kind::WB:
            return r.between(-40, 90);
        case Kind::RH:
            return r.between(0, 100);
        case Kind::AH:
            return r.below(4) ? r.between(0, 0.04) : r.between(0, 0.5);
        case Kind::EN:
            return r.below(2) ? r.between(-15, 60) : r.between(-60, 250);  // kcal or kJ
        case Kind::SV:
            return r.between(0.65, 1.2);
        case Kind::PW:
            return r.between(0, 900);
        case Kind::PA:
            return r.between(400, 1200);
        case Kind::Any:
            break;
    }
    return r.between(-100, 100);
}

// One input of the given kind: mostly ordinary, then edges, wide magnitudes, specials and
// arbitrary bit patterns.
inline double draw(Random& r, Kind k) {
    const int u = r.below(100);
    if (u < 68) return ordinary(r, k);
    if (u < 84) return edge(r, k);
    if (u < 92) return wide(r);
    if (u < 97) return special(r);
    return randomBits(r);
}

// A second input tied to the first so that pairs land at or near saturation.
inline bool nearSaturation(Random& r, Kind first, Kind second, double a, double& b) {
    if (r.below(100) >= 12) return false;
    if (isTemperature(first) && isTemperature(second)) {
        const double d[] = {0, 1e-9, 1e-3, 0.05, -1e-9, -1e-3};
        b = a - r.pick(d);
        return true;
    }
    if (isTemperature(first) && second == Kind::AH && a > -60 && a < 99) {
        b = roughSaturatedRatio(a) * (1 + r.between(-0.02, 0.02));
        return true;
    }
    if (first == Kind::RH && second == Kind::AH) {
        b = roughSaturatedRatio(r.between(-30, 60)) * r.unit();
        return true;
    }
    return false;
}

}  // namespace sweep
