// The design layer's own share of a drag step: computing 100 points and 100 processes, and
// painting them (200 markers with their names placed clear of each other) onto a recording
// canvas, without the window.
#include <benchmark/benchmark.h>

#include "chart/construction.h"
#include "chart/text_metrics.h"
#include "design/design_overlay.h"
#include "support/recording_canvas.h"

using namespace humidraw;
using namespace humidraw::design;

namespace {

Design hundred() {
    Design d;
    for (int i = 0; i < 100; ++i) {
        const double db = 5 + (i % 10) * 3, rh = 20 + (i / 10) * 7;
        d.points.push_back({"P" + std::to_string(i), {Property::DB, db}, {Property::RH, rh}, {}});
        Process heat;
        heat.kind = ProcessKind::Sensible;
        heat.from = {"P" + std::to_string(i)};
        heat.to = "H" + std::to_string(i);
        heat.leaving = {{Property::DB, db + 10}};
        heat.flows = {1000};
        heat.loadLabel = true;
        d.processes.push_back(heat);
    }
    return d;
}

void BM_ComputeDesign100(benchmark::State& state) {
    const Design d = hundred();
    const MoistAir air;
    for (auto _ : state) benchmark::DoNotOptimize(computeDesign(air, d));
}
BENCHMARK(BM_ComputeDesign100)->Unit(benchmark::kMillisecond);

void BM_PaintDesign100(benchmark::State& state) {
    ChartFrame frame;
    ChartTable table;
    FakeTextMetrics metrics;
    constructChart(ChartSettings{}, metrics, frame, table);
    const DesignOverlay layer(std::make_shared<const Design>(hundred()), 760);
    for (auto _ : state) {
        RecordingCanvas k;
        k.setFont("IPAGothic", 12, 0);
        layer.paintOver(k, frame, ViewTransform{1.0});
        benchmark::DoNotOptimize(k.ops.size());
    }
}
BENCHMARK(BM_PaintDesign100)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
