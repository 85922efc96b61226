#include "chart/construction.h"

#include "chart/construction_context.h"

namespace humidraw {

FrameStatus constructChart(const Settings& settings, TextMetrics& metrics, ChartFrame& frame,
                           ChartTable& table) {
    metrics.setFont(settings.fontName, settings.fontSize);
    // Built at zoom 1.0 in a frame and table of its own: a refusal leaves the caller's chart.
    ChartFrame f;
    f.zoom = 1.0;
    if (FrameStatus st = computeRanges(f, settings); st != FrameStatus::Ok) return st;
    if (FrameStatus st = fitScale(f); st != FrameStatus::Ok) return st;

    ChartTable t;
    construction::Context c(f, t, metrics);
    c.ht = metrics.height();
    construction::appendDryBulbAndTitles(c, settings.pressureMmHg);
    construction::appendRelativeHumidity(c);
    construction::appendHumidityRatio(c);
    construction::appendEnthalpy(c);
    construction::appendWetBulb(c);
    construction::appendSpecificVolume(c);
    construction::appendProtractorCentre(c);
    construction::appendShfScale(c);
    construction::appendMoistureRatioScale(c);

    f.zoom = frame.zoom;
    frame = f;
    table = std::move(t);
    return FrameStatus::Ok;
}

}  // namespace humidraw
