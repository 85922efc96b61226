// What the user waits for in the window: a zoom step (button), a wheel step and a pan step,
// each with its repaint, at zoom factors from the smallest to the largest; and with a full
// document of 640 objects: a zoom step, the repaint after a command and a rubber-band move.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QScrollBar>
#include <cstdlib>
#include <filesystem>

#include "app/main_window.h"
#include "app/paint_box.h"
#include "render/qt_text.h"
#include "design/design_overlay.h"
#include "interaction/modes.h"
#include "support/full_table.h"

using namespace humidraw;
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

void zoomToLargest(TFmIX* w) {
    w->ZoomAll();
    for (int i = 0; i < 64 && w->zoomInEnabled(); ++i) w->ZoomIn();
}

// The window with an empty document, and with the full one.
TFmIX* emptyWindow() {
    TFmIX* w = window();
    if (w->documentObjects().count() > 0) {
        w->objects().clear();
        w->ViewIx();
    }
    return w;
}
TFmIX* documentWindow() {
    TFmIX* w = window();
    if (w->documentObjects().count() < ObjectTable::kCapacity)
        humidraw::testing_support::fillFullTable(w->objects());
    return w;
}

// A repaint after a command (the document changed) at the largest zoom, up to the paint box
// showing it.
void BM_RepaintLargestZoom640(benchmark::State& state) {
    TFmIX* w = documentWindow();
    zoomToLargest(w);
    state.SetLabel("paint box " + std::to_string(w->view().boxWidth) + " px wide");
    for (auto _ : state) {
        w->ViewIx();
        w->paintBox()->repaint();
    }
}
BENCHMARK(BM_RepaintLargestZoom640)->Unit(benchmark::kMillisecond);

// The whole picture at the largest zoom after a command, shown or not: what scrolling over all
// of it paints, once.
void BM_WholePictureLargestZoom640(benchmark::State& state) {
    TFmIX* w = documentWindow();
    zoomToLargest(w);
    for (auto _ : state) {
        w->ViewIx();
        benchmark::DoNotOptimize(w->picture().constBits());
    }
}
BENCHMARK(BM_WholePictureLargestZoom640)->Unit(benchmark::kMillisecond);

void BM_ZoomStep640(benchmark::State& state) {
    TFmIX* w = documentWindow();
    zoomTo(w, static_cast<int>(state.range(0)));
    if (state.range(0) < 0) zoomToLargest(w);
    state.SetLabel("paint box " + std::to_string(w->view().boxWidth) + " px wide");
    bool in = state.range(0) >= 0;
    for (auto _ : state) {
        in ? w->ZoomIn() : w->ZoomOut();  // alternate to stay at the same factor
        w->paintBox()->repaint();
        in = !in;
    }
}
// -1: from the largest zoom, one step out and back in.
BENCHMARK(BM_ZoomStep640)->Arg(0)->Arg(8)->Arg(-1)->Unit(benchmark::kMillisecond);

void BM_PanStep640(benchmark::State& state) {
    TFmIX* w = documentWindow();
    zoomToLargest(w);
    int d = 20;
    for (auto _ : state) {
        w->scrollBy(d, d);
        w->scrollBox()->viewport()->repaint();
        d = -d;
    }
}
BENCHMARK(BM_PanStep640)->Unit(benchmark::kMillisecond);

// The rubber band of a segment following the pointer at the largest zoom.
void BM_BandMove640(benchmark::State& state) {
    TFmIX* w = documentWindow();
    zoomToLargest(w);
    w->M_Free();
    Editor& e = w->editor();
    const int x0 = w->view().scrollX + 100, y0 = w->view().scrollY + 100;
    e.mouseMove(false, false, x0, y0);
    e.mouseDown(MouseButton::Left, false, x0, y0);
    int d = 0;
    for (auto _ : state) {
        e.mouseMove(false, false, x0 + 200 + d, y0 + 150 - d);
        w->paintBox()->repaint();
        d = (d + 7) % 60;
    }
    e.escapeKey();
}
BENCHMARK(BM_BandMove640)->Unit(benchmark::kMillisecond);

// A design point dragged at the fitted zoom, in a design of 100 points and 100 processes (each
// point heated to a point of its own, 200 markers with their names): each move computes the
// design at the new place and repaints the objects over the kept chart layer.
void BM_DesignPointDrag100(benchmark::State& state) {
    TFmIX* w = emptyWindow();
    w->ZoomAll();
    design::Design d;
    for (int i = 0; i < 100; ++i) {
        const double db = 5 + (i % 10) * 3, rh = 20 + (i / 10) * 7;
        d.points.push_back({"P" + std::to_string(i), {design::Property::DB, db},
                            {design::Property::RH, rh}, {}});
        design::Process heat;
        heat.kind = design::ProcessKind::Sensible;
        heat.from = {"P" + std::to_string(i)};
        heat.to = "H" + std::to_string(i);
        heat.leaving = {{design::Property::DB, db + 10}};
        heat.flows = {1000};
        heat.loadLabel = true;
        d.processes.push_back(heat);
    }
    w->session().changeDesign(d);
    w->ViewIx();
    w->Select();
    Editor& e = w->editor();
    const EditorView v = w->chartView();
    const auto& first = static_cast<const design::DesignOverlay&>(*w->documentObjects().design)
                            .result()
                            .points[0]
                            .air;
    const ChartPoint p = stateToScreen(v.frame, v.screen, first.h, first.x);
    const int x0 = static_cast<int>(p.x), y0 = static_cast<int>(p.y);
    e.mouseMove(false, false, x0, y0);
    e.mouseDown(MouseButton::Left, false, x0, y0);
    int dx = 10;
    for (auto _ : state) {
        e.mouseMove(true, false, x0 + dx, y0 - dx);
        w->paintBox()->repaint();
        dx = dx == 10 ? 20 : 10;
    }
    e.escapeKey();
    e.mouseUp(MouseButton::Left, x0 + dx, y0 - dx);
    w->session().changeDesign({});
}
BENCHMARK(BM_DesignPointDrag100)->Unit(benchmark::kMillisecond);

// Erasing a line at the largest zoom: picked (highlighted), erased on the right button, the
// picture repainted; the line comes back between rounds, untimed.
void BM_Erase640(benchmark::State& state) {
    TFmIX* w = documentWindow();
    zoomToLargest(w);
    const QWidget* port = w->scrollBox()->viewport();
    const QRect shown(w->view().scrollX, w->view().scrollY, port->width(), port->height());
    int index = -1;
    QPoint at;
    w->documentObjects().walk([&](int i, const ObjectRecord& r) {
        const ChartPoint A = w->frame().map(r.h1, r.x1), B = w->frame().map(r.h2, r.x2);
        const QPoint middle(static_cast<int>((A.x + B.x) / 2), static_cast<int>((A.y + B.y) / 2));
        if (index < 0 && r.kind == kLineNoMarker &&
            shown.adjusted(50, 50, -50, -50).contains(middle))
            index = i, at = middle;
    });
    if (index < 0) return state.SkipWithError("no line in view");
    Editor& e = w->editor();
    for (auto _ : state) {
        w->SsErase();
        e.mouseMove(false, false, at.x(), at.y());
        e.mouseDown(MouseButton::Left, false, at.x(), at.y());
        w->paintBox()->repaint();
        e.mouseDown(MouseButton::Right, false, at.x(), at.y());
        w->paintBox()->repaint();
        state.PauseTiming();
        if (w->documentObjects().at(index).kind != kDeleted) {
            state.SkipWithError("the line was not erased");
            break;
        }
        w->objects().at(index).kind = kLineNoMarker;
        w->ViewIx();
        w->paintBox()->repaint();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Erase640)->Unit(benchmark::kMillisecond);

void BM_ZoomStep(benchmark::State& state) {
    TFmIX* w = emptyWindow();
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
    TFmIX* w = emptyWindow();
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
    TFmIX* w = emptyWindow();
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
