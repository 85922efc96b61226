// Measured data: importing a million rows of DB + RH must take under a second; on a repaint a
// year of hourly points may add at most 5 ms and a million points shown as density 20 ms
// (compare BM_RepaintWithData/0, the chart alone, with /1 and /2).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "chart/construction.h"
#include "measured/import.h"
#include "measured/overlay.h"
#include "document/attributes.h"
#include "document/edit_history.h"
#include "render/qt_canvas.h"
#include "render/qt_text.h"

using namespace humidraw;

namespace {

// Rows of a plausible climate: a yearly and a daily swing of the dry bulb, RH against it.
std::string csvRows(long n) {
    std::string text = "time,DB,RH\n";
    text.reserve(static_cast<size_t>(n) * 32);
    char line[64];
    for (long i = 0; i < n; ++i) {
        const double db = 15 - 12 * std::cos(i * 2 * M_PI / 8760) + 4 * std::sin(i * 2 * M_PI / 24);
        const double rh = 60 + 25 * std::sin(i * 0.37);
        std::snprintf(line, sizeof line, "%ld,%.1f,%.1f\n", i, db, rh);
        text += line;
    }
    return text;
}

CsvChoice dbRh() {
    CsvChoice c;
    c.first = {"DB", Quantity::DB, Unit::Celsius};
    c.second = {"RH", Quantity::RH, Unit::Percent};
    return c;
}

// A million rows from a file, as the program reads them.
void BM_ImportMillionRows(benchmark::State& state) {
    char path[] = "/tmp/humidraw-bench-XXXXXX.csv";
    const int fd = mkstemps(path, 4);
    if (fd < 0) return state.SkipWithError("no temporary file");
    const std::string text = csvRows(1000000);
    const bool written = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    close(fd);
    if (!written) return state.SkipWithError("temporary file not written");
    for (auto _ : state) {
        const auto r = importFile(path, dbRh());
        if (!r || r->report.used != 1000000) state.SkipWithError("import failed");
    }
    unlink(path);
}
BENCHMARK(BM_ImportMillionRows)->Unit(benchmark::kMillisecond);

std::shared_ptr<const MeasuredData> dataOf(long n, bool density) {
    auto data = std::make_shared<MeasuredData>();
    auto r = importCsvText(csvRows(n), dbRh());
    r->set.density = density;
    data->sets.push_back(std::move(r->set));
    return data;
}

// The picture the window paints at its usual size (1200 × 900).
void BM_RepaintWithData(benchmark::State& state) {
    ChartSettings settings;
    ChartFrame frame;
    ChartTable table;
    QtTextMetrics metrics;
    constructChart(settings, metrics, frame, table);
    ObjectTable objects;
    if (state.range(0) == 1) objects.overlay = std::make_shared<DataOverlay>(dataOf(8760, false));
    if (state.range(0) == 2) objects.overlay = std::make_shared<DataOverlay>(dataOf(1000000, true));
    const double zoom = 1.875;
    QImage picture(1200, 900, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&picture);
        QtCanvas k(painter, 96);
        k.setBrushSolid(kPaperColour);
        k.fillRect(0, 0, 1200, 900);
        k.setPenColour(kChartColour);
        k.setBrushClear();
        k.setFontColour(kChartColour);
        paintChart(k, frame, table, objects, settings, ViewTransform{zoom});
    }
}
BENCHMARK(BM_RepaintWithData)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace

// Six changes of a 10⁷-point set's check box, each a step of the history as the window makes
// it (the data copied, one flag changed, a new overlay): the memory the steps add, from the
// process's resident set (`added_MB`; the points alone are 229 MB).
long residentKB() {
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

void BM_UndoStepsOfALargeSet(benchmark::State& state) {
    DataSet big;
    big.points.reserve(10'000'000);
    for (long i = 0; i < 10'000'000; ++i) big.points.push_back({20 + (i % 200) * 0.05, 0.008, 9.0});
    for (auto _ : state) {
        ObjectTable table;
        EditHistory history;
        MeasuredData d;
        d.sets.push_back(big);
        table.overlay = std::make_shared<DataOverlay>(std::make_shared<const MeasuredData>(d));
        const long before = residentKB();
        for (int step = 0; step < 6; ++step) {
            MeasuredData next = static_cast<const DataOverlay&>(*table.overlay).data();
            next.sets[0].visible = !next.sets[0].visible;
            history.begin(table);
            table.overlay = std::make_shared<DataOverlay>(
                std::make_shared<const MeasuredData>(std::move(next)));
            history.commit(table);
        }
        state.counters["added_MB"] = (residentKB() - before) / 1024.0;
    }
}
BENCHMARK(BM_UndoStepsOfALargeSet)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    installFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
