// What the user waits for in the window: a zoom step (button), a wheel step and a pan step,
// each with its repaint, at zoom factors from the smallest to the largest.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QScrollBar>
#include <cstdlib>
#include <filesystem>

#include "app/main_window.h"
#include "app/paint_box.h"
#include "render/qt_text.h"

using namespace humidraw::app;

namespace {

TFmIX* window() {
    static TFmIX* w = [] {
        const auto dir = std::filesystem::temp_directory_path();
        auto* win = new TFmIX((dir / "humidraw-bench.ini").string(), dir.string());
        win->show();
        QApplication::processEvents();
        return win;
    }();
    return w;
}

// From the fitted view, eight steps out, then `steps` in.
void zoomTo(TFmIX* w, int steps) {
    w->ZoomAll();
    for (int i = 0; i < 8; ++i) w->ZoomOut();
    for (int i = 0; i < steps; ++i) w->ZoomIn();
}

void BM_ZoomStep(benchmark::State& state) {
    TFmIX* w = window();
    zoomTo(w, static_cast<int>(state.range(0)));
    state.SetLabel("paint box " + std::to_string(w->view().boxWidth) + " px wide");
    bool in = true;
    for (auto _ : state) {
        in ? w->ZoomIn() : w->ZoomOut();  // alternate to stay at the same factor
        w->paintBox()->repaint();
        in = !in;
    }
}
BENCHMARK(BM_ZoomStep)->Arg(0)->Arg(4)->Arg(8)->Arg(12)->Arg(16)->Unit(benchmark::kMillisecond);

void BM_WheelStep(benchmark::State& state) {
    TFmIX* w = window();
    zoomTo(w, static_cast<int>(state.range(0)));
    bool up = true;
    for (auto _ : state) {
        w->editor().wheel(up);
        w->paintBox()->repaint();
        up = !up;
    }
}
BENCHMARK(BM_WheelStep)->Arg(0)->Arg(8)->Arg(16)->Unit(benchmark::kMillisecond);

void BM_PanStep(benchmark::State& state) {
    TFmIX* w = window();
    zoomTo(w, static_cast<int>(state.range(0)));
    int d = 20;
    for (auto _ : state) {
        w->scrollBy(d, d);
        w->scrollBox()->viewport()->repaint();
        d = -d;
    }
}
BENCHMARK(BM_PanStep)->Arg(8)->Arg(16)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    humidraw::installFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
