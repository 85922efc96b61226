// One whole air-handling unit computed: both seasons with every component on (the summer's
// preheat and humidifier and the winter's coil have nothing to do and warn), as the dialog
// recomputes it on each change.
#include <benchmark/benchmark.h>

#include "ahu/ahu.h"

using namespace humidraw;
using namespace humidraw::ahu;

namespace {

Unit everything() {
    Unit u;
    for (Season* s : {&u.summer, &u.winter}) {
        s->outdoorBy = OutdoorBy::Fraction, s->outdoorFraction = 0.3;
        s->supplyBy = SupplyBy::Flow, s->supplyFlow = 10000;
        s->recovery = {true, RecoveryKind::Total, 0.6, 0.6};
        s->mixing.on = true;
        s->coil.on = true, s->coil.mode = CoilMode::DbAtRh, s->coil.DB = 14, s->coil.RH = 95;
        s->reheat.on = true;
        s->fan = {true, FanMode::Power, 0, 3};
    }
    Season& su = u.summer;
    su.outdoor1 = {design::Property::DB, 34}, su.outdoor2 = {design::Property::WB, 27};
    su.room1 = {design::Property::DB, 26}, su.room2 = {design::Property::RH, 50};
    su.sensibleLoad = 25000, su.latentLoad = 5000;
    su.preheat = {true, 20};
    su.humidifier = {true, HumidifierKind::Steam, 0};
    Season& wi = u.winter;
    wi.outdoor1 = {design::Property::DB, 0}, wi.outdoor2 = {design::Property::RH, 50};
    wi.room1 = {design::Property::DB, 22}, wi.room2 = {design::Property::RH, 40};
    wi.sensibleLoad = -30000, wi.latentLoad = 2000;
    wi.preheat = {true, 30};
    wi.humidifier = {true, HumidifierKind::Vaporising, 0.8};
    return u;
}

void BM_ComputeUnit(benchmark::State& state) {
    const Unit u = everything();
    const MoistAir air;
    const UnitResult once = computeUnit(air, u);
    if (!once.status.ok() || !once.summer.computed || !once.winter.computed) {
        state.SkipWithError(once.status.error().c_str());
        return;
    }
    state.counters["warnings"] = static_cast<double>(once.warnings.size());
    state.counters["states"] = static_cast<double>(once.summer.states.size() + once.winter.states.size());
    for (auto _ : state) benchmark::DoNotOptimize(computeUnit(air, u));
}
BENCHMARK(BM_ComputeUnit)->Unit(benchmark::kMillisecond);

void BM_ComputeAndDrawUnit(benchmark::State& state) {
    const Unit u = everything();
    const MoistAir air;
    for (auto _ : state) {
        const UnitResult r = computeUnit(air, u);
        benchmark::DoNotOptimize(design::computeDesign(air, unitDesign(u, r)));
    }
}
BENCHMARK(BM_ComputeAndDrawUnit)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
