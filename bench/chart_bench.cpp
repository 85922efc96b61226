// Chart construction and a full painting of the default chart: each must stay well inside one
// 60 Hz frame (16 ms), since options, zoom and every edit repaint.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>

#include "chart/construction.h"
#include "support/recording_canvas.h"
#include "document/attributes.h"
#include "document/paint.h"
#include "render/qt_canvas.h"
#include "render/qt_text.h"

using namespace humidraw;

namespace {

struct DefaultChart {
    ChartSettings settings;
    ChartFrame frame;
    ChartTable table;
    ObjectTable objects;
    DefaultChart() {
        settings.view.fill(true);
        QtTextMetrics metrics;
        constructChart(settings, metrics, frame, table);
    }
};

// Builds the chart of `settings` once an iteration.
void constructEachIteration(benchmark::State& state, const ChartSettings& settings) {
    QtTextMetrics metrics;
    for (auto _ : state) {
        ChartFrame frame;
        ChartTable table;
        constructChart(settings, metrics, frame, table);
        benchmark::DoNotOptimize(table.elements().data());
    }
}

void BM_ConstructDefaultChart(benchmark::State& state) {
    constructEachIteration(state, ChartSettings{});
}
BENCHMARK(BM_ConstructDefaultChart)->Unit(benchmark::kMillisecond);

// The default range at a site's pressure (mmHg): 760 is the default chart; 600 (about 2,000 m)
// should cost no more than 1.2 times as much.
void BM_ConstructChartAtPressure(benchmark::State& state) {
    ChartSettings settings;
    settings.pressureMmHg = static_cast<double>(state.range(0));
    constructEachIteration(state, settings);
}
BENCHMARK(BM_ConstructChartAtPressure)->Arg(760)->Arg(600)->Arg(400)->Unit(benchmark::kMillisecond);

// A warm range the fitting leaves partly off the sheet: the chart is built again at smaller
// scales until it lies on it (about a dozen builds). Runs only when the options are applied or
// a document is opened, never on a repaint: it must stay under 100 ms (about 10 ms today).
void BM_ConstructWarmChart(benchmark::State& state) {
    ChartSettings settings;
    settings.dbMin = 20;
    settings.dbMax = static_cast<double>(state.range(0));
    constructEachIteration(state, settings);
}
BENCHMARK(BM_ConstructWarmChart)->Arg(30)->Arg(35)->Arg(80)->Unit(benchmark::kMillisecond);

// Painting onto the 3600 × 2700 picture at zoom 1 and at the largest zoom it holds.
void BM_PaintPicture(benchmark::State& state) {
    static DefaultChart chart;
    const double zoom = state.range(0) == 0 ? 1.0 : 3600.0 / 640.0;
    QImage picture(3600, 2700, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&picture);
        QtCanvas k(painter, 96);
        k.setBrushSolid(kPaperColour);
        k.fillRect(0, 0, static_cast<int>(640 * zoom), static_cast<int>(480 * zoom));
        k.setPenColour(kChartColour);
        k.setBrushClear();
        k.setFontColour(kChartColour);
        paintChart(k, chart.frame, chart.table, chart.objects, chart.settings,
                   ViewTransform{zoom});
    }
}
BENCHMARK(BM_PaintPicture)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The painting routine alone, on a canvas that only records.
void BM_PaintRecording(benchmark::State& state) {
    static DefaultChart chart;
    for (auto _ : state) {
        RecordingCanvas k;
        paintChart(k, chart.frame, chart.table, chart.objects, chart.settings, ViewTransform{});
        benchmark::DoNotOptimize(k.ops.data());
    }
}
BENCHMARK(BM_PaintRecording)->Unit(benchmark::kMillisecond);

// A full document of the finest dashed lines, each from the chart to an end 1e300 away, on
// the picture at the largest zoom: the lines are walked only within the sheet, so this stays
// far below one second (the target for any document), like any full document.
void BM_PaintFarDashedLines(benchmark::State& state) {
    static DefaultChart chart;
    ObjectTable objects;
    for (int i = 0; i < ObjectTable::kCapacity; ++i) {
        ObjectRecord r;
        r.kind = kLineBothMarkers;
        r.colour = 1;
        r.width = 3;
        r.style = 2;
        r.h1 = 5 + i % 20, r.x1 = 0.002 + 0.0005 * (i % 30);
        r.h2 = i % 2 ? -1e300 : 1e300, r.x2 = i % 3 ? r.x1 : -1e300;
        objects.append(r);
    }
    const double zoom = 3600.0 / 640.0;
    QImage picture(3600, 2700, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&picture);
        QtCanvas k(painter, 96);
        k.setBrushClear();
        paintChart(k, chart.frame, chart.table, objects, chart.settings, ViewTransform{zoom});
    }
}
BENCHMARK(BM_PaintFarDashedLines)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    installFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
