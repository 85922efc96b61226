#pragma once
// The default chart, constructed with the fixed text metrics, and a document painted onto a
// recording canvas over it as every output paints it.
#include <gtest/gtest.h>

#include "chart/construction.h"
#include "chart/text_metrics.h"
#include "document/paint.h"
#include "support/recording_canvas.h"

namespace humidraw::testing_support {

struct DefaultChart {
    ChartFrame frame;
    ChartTable table;
    ChartSettings settings;
    DefaultChart() {
        FakeTextMetrics metrics;
        EXPECT_TRUE(constructChart(settings, metrics, frame, table).ok());
    }
    RecordingCanvas paint(const ObjectTable& objects) {
        RecordingCanvas k;
        EXPECT_TRUE(paintChart(k, frame, table, objects, settings, ViewTransform{1.0}));
        return k;
    }
};

}  // namespace humidraw::testing_support
