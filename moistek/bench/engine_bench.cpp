// Timings of the engine's hot paths: the relations chart construction and the pointer read-out
// call thousands of times, and the complete states a point dialog runs once per point.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "moistek/moistek.h"

namespace {

using M = MoistekClass;

// 2048 states spread over dry bulb 0–40 °C and relative humidity 10–90 % at 760 mmHg: 64 dry
// bulbs by 32 humidities, with the humidity ratio of each.
struct States {
    std::vector<double> db, rh, ah;
    States() {
        M m;
        for (int i = 0; i < 2048; ++i) {
            double t = 40.0 * (i % 64) / 63, r = 10 + 80.0 * (i / 64) / 31, x = 0;
            m.F_DBRH2AH(t, r, x);
            db.push_back(t);
            rh.push_back(r);
            ah.push_back(x);
        }
    }
};
const States& states() {
    static const States s;
    return s;
}

// One relation per iteration, cycling through the 2048 states.
void BM_States_SaturationPressure(benchmark::State& state) {
    M m;
    const States& s = states();
    size_t i = 0;
    for (auto _ : state) {
        double db = s.db[i], pws;
        m.F_DB2PWS(db, pws);
        benchmark::DoNotOptimize(pws);
        i = (i + 1) & 2047;
    }
}
BENCHMARK(BM_States_SaturationPressure);

void BM_States_WetBulbFromDBAH(benchmark::State& state) {
    M m;
    const States& s = states();
    size_t i = 0;
    for (auto _ : state) {
        double db = s.db[i], ah = s.ah[i], wb;
        m.F_DBAH2WB(db, ah, wb);
        benchmark::DoNotOptimize(wb);
        i = (i + 1) & 2047;
    }
}
BENCHMARK(BM_States_WetBulbFromDBAH);

void BM_States_DewPointFromAH(benchmark::State& state) {
    M m;
    const States& s = states();
    size_t i = 0;
    for (auto _ : state) {
        double ah = s.ah[i], dp;
        m.F_AH2DP(ah, dp);
        benchmark::DoNotOptimize(dp);
        i = (i + 1) & 2047;
    }
}
BENCHMARK(BM_States_DewPointFromAH);

void BM_States_CompleteFromDBRH(benchmark::State& state) {
    M m;
    const States& s = states();
    size_t i = 0;
    for (auto _ : state) {
        double p[7] = {s.db[i], s.rh[i], 0, 0, 0, 0, 0};
        m.C_DBRH(p[0], p[1], p[2], p[3], p[4], p[5], p[6]);
        benchmark::DoNotOptimize(p);
        i = (i + 1) & 2047;
    }
}
BENCHMARK(BM_States_CompleteFromDBRH);

// The array forms over the same 2048 states, one call per iteration; the time per state is
// the items' rate.
void BM_States_WetBulbArray(benchmark::State& state) {
    const States& s = states();
    std::vector<double> wb(2048);
    std::vector<int8_t> ok(2048);
    for (auto _ : state) {
        VA_DBAH2WB(s.db.data(), s.ah.data(), wb.data(), ok.data(), 2048);
        benchmark::DoNotOptimize(wb.data());
    }
    state.SetItemsProcessed(state.iterations() * 2048);
}
BENCHMARK(BM_States_WetBulbArray)->Unit(benchmark::kMicrosecond);

void BM_States_CompleteFromDBRHArray(benchmark::State& state) {
    const States& s = states();
    std::vector<double> ah(2048), en(2048), sv(2048), wb(2048), dp(2048);
    std::vector<int8_t> ok(2048);
    for (auto _ : state) {
        VA_DBRH(s.db.data(), s.rh.data(), ah.data(), en.data(), sv.data(), wb.data(), dp.data(),
                ok.data(), 2048);
        benchmark::DoNotOptimize(wb.data());
    }
    state.SetItemsProcessed(state.iterations() * 2048);
}
BENCHMARK(BM_States_CompleteFromDBRHArray)->Unit(benchmark::kMicrosecond);

void BM_F_DB2PWS(benchmark::State& state) {
    M m;
    double db = 20, pws;
    for (auto _ : state) {
        m.F_DB2PWS(db, pws);
        benchmark::DoNotOptimize(pws);
        db = db == 20 ? -5 : 20;  // both branches
    }
}
BENCHMARK(BM_F_DB2PWS);

void BM_F_DBAH2WB(benchmark::State& state) {
    M m;
    double db = 20, ah = 0.0072630, wb;
    for (auto _ : state) {
        m.F_DBAH2WB(db, ah, wb);
        benchmark::DoNotOptimize(wb);
    }
}
BENCHMARK(BM_F_DBAH2WB);

template <int (M::*Method)(double&, double&, double&, double&, double&, double&, double&)>
void completeState(benchmark::State& state, double db, double rh, double ah, double en, double sv,
                   double wb) {
    for (auto _ : state) {
        M m;  // a fresh instance per point, as the chart program does
        double p[7] = {db, rh, ah, en, sv, wb, 0};
        (m.*Method)(p[0], p[1], p[2], p[3], p[4], p[5], p[6]);
        benchmark::DoNotOptimize(p);
    }
}

void BM_C_DBRH(benchmark::State& s) {
    completeState<&M::C_DBRH>(s, 20, 50, 0, 0, 0, 0);
}
void BM_C_DBWB(benchmark::State& s) {
    completeState<&M::C_DBWB>(s, 20, 0, 0, 0, 0, 13.78);
}
void BM_C_RHWB(benchmark::State& s) {
    completeState<&M::C_RHWB>(s, 0, 50, 0, 0, 0, 13.78);
}
void BM_C_WBSV(benchmark::State& s) {
    completeState<&M::C_WBSV>(s, 0, 0, 0, 0, 0.84, 13.78);
}
BENCHMARK(BM_C_DBRH);
BENCHMARK(BM_C_DBWB);
BENCHMARK(BM_C_RHWB)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_C_WBSV)->Unit(benchmark::kMicrosecond);

// The plain functions chart construction uses.
void BM_V_ChartRelations(benchmark::State& state) {
    double sink = 0;
    for (auto _ : state) {
        sink += V_DB2PWS(25);
        sink += V_PW2AH(12.5);
        sink += V_DBAH2EN(25, 0.01);
        sink += V_DBAH2SV(25, 0.01);
        sink += V_SVAH2DB(0.86, 0.01);
        sink += V_ENAH2DB(12, 0.01);
        sink += V_WBAH2DB(18, 0.01);
        benchmark::DoNotOptimize(sink);
    }
}
BENCHMARK(BM_V_ChartRelations);

void BM_V_DBAH2WB(benchmark::State& state) {
    double sink = 0;
    for (auto _ : state) {
        sink += V_DBAH2WB(25, 0.01);
        benchmark::DoNotOptimize(sink);
    }
}
BENCHMARK(BM_V_DBAH2WB);

}  // namespace

BENCHMARK_MAIN();
