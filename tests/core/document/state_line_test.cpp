#include "document/state_line.h"

#include <gtest/gtest.h>

#include "chart/construction.h"
#include "moistek/moistek.h"

using namespace humidraw;

TEST(StateLine, LabelledStatesGiveFiveObjectsInOrder) {
    CurrentState s;
    StateSpec start{kDB, kRH, 26, 50, "S", 0, true};
    StateSpec end{kDB, kRH, 14, 95, "E", 3, true};
    const StateLine line = stateChangeLine(MoistAir(), start, end, CurrentAttributes{}, 640, s);
    ASSERT_TRUE(line.status.ok());
    ASSERT_EQ(line.objects.size(), 5u);
    EXPECT_EQ(line.objects[0].kind, kTextObject);
    EXPECT_EQ(line.objects[0].text, "S");
    EXPECT_EQ(line.objects[1].kind, kTableRow);
    EXPECT_EQ(line.objects[1].text.rfind("S,26.0,50.0,", 0), 0u) << line.objects[1].text;
    EXPECT_EQ(line.objects[2].text, "E");
    EXPECT_EQ(line.objects[3].text.rfind("E,14.0,95.0,", 0), 0u) << line.objects[3].text;
    EXPECT_EQ(line.objects[3].colour, 7);
    EXPECT_EQ(line.objects[2].labelPosition, 3);
    const ObjectRecord& l = line.objects[4];
    EXPECT_EQ(l.kind, kLineBothMarkers);
    // The states to the last bit: the library's complete state of each pair.
    MoistekClass m;
    double p[7] = {26, 50, 0, 0, 0, 0, 0};
    m.C_DBRH(p[0], p[1], p[2], p[3], p[4], p[5], p[6]);
    EXPECT_EQ(l.h2, p[3]) << "second point: the start state";
    EXPECT_EQ(l.x2, p[2]);
    EXPECT_EQ(line.objects[0].h1, p[3]);
    EXPECT_EQ(line.objects[0].x1, p[2]) << "the label at the state";
    EXPECT_EQ(line.objects[0].colour, 7) << "labels and rows in black";
    EXPECT_EQ(line.objects[1].colour, 7);
    double q[7] = {14, 95, 0, 0, 0, 0, 0};
    m.C_DBRH(q[0], q[1], q[2], q[3], q[4], q[5], q[6]);
    EXPECT_EQ(l.h1, q[3]) << "first point: the end state";
    EXPECT_EQ(l.x1, q[2]);
}

TEST(StateLine, KindsMessagesAndOrderOfPairs) {
    CurrentState s;
    StateSpec a{kDB, kRH, 26, 50, "", 0, true}, b{kRH, kDB, 95, 14, "", 0, false};
    StateLine line = stateChangeLine(MoistAir(), a, b, CurrentAttributes{}, 640, s);
    ASSERT_EQ(line.objects.size(), 1u) << "no labels: only the line";
    EXPECT_EQ(line.objects[0].kind, kLineMarkerAtSecond) << "a circle only at the start";
    CurrentState t;
    StateLine same =
        stateChangeLine(MoistAir(), a, StateSpec{kDB, kRH, 14, 95, "", 0, false}, CurrentAttributes{}, 640, t);
    EXPECT_EQ(line.objects[0].h1, same.objects[0].h1) << "(RH, DB) is the same state as (DB, RH)";
    EXPECT_EQ(stateChangeLine(MoistAir(), {kDB, kDB, 1, 2, "", 0, true}, b, {}, 640, s).status.failure(),
              failure(Reason::Invalid, "始点：違う種類のデータを入力して下さい"));
    EXPECT_EQ(stateChangeLine(MoistAir(), a, {kWB, kWB, 1, 2, "", 0, true}, {}, 640, s).status.failure(),
              failure(Reason::Invalid, "終点：違う種類のデータを入力して下さい"));
    const StateLine en = stateChangeLine(MoistAir(), a, {kEN, kWB, 12, 15, "", 0, true}, {}, 640, s);
    ASSERT_EQ(en.notices.size(), 1u);
    EXPECT_EQ(en.notices[0], "この組み合わせでは計算できません");
    EXPECT_EQ(en.objects.size(), 1u) << "the line is still appended";
    // The line, and a label and a table row for each labelled end: all or nothing.
    const struct {
        const char *start, *end;
        int room;
        size_t objects;  // 0: refused as full
    } rooms[] = {{"A", "", 3, 3}, {"A", "", 2, 0}, {"", "B", 3, 3}, {"", "B", 2, 0},
                 {"A", "B", 5, 5}, {"A", "B", 4, 0}, {"", "", 1, 1},  {"", "", 0, 0}};
    for (const auto& r : rooms) {
        const StateLine l = stateChangeLine(MoistAir(), {kDB, kRH, 26, 50, r.start, 0, true},
                                            {kDB, kRH, 14, 95, r.end, 0, false}, {}, r.room, s);
        EXPECT_EQ(l.objects.size(), r.objects) << r.start << "/" << r.end << " in " << r.room;
        if (r.objects == 0) {
            EXPECT_EQ(l.status.failure(),
                      failure(Reason::Full, "図形の数が上限(640)に達しているため追加できません"));
        }
    }
}

TEST(StateLine, EnthalpyAndWetBulbAreKeptAsTyped) {
    // The pair the library cannot complete: both values are stored, nothing else computed.
    CurrentState s;
    EXPECT_EQ(pairState(MoistAir(), pairCode(kEN, kWB), 12.5, 15.25, s), PairResult::NotComputable);
    EXPECT_EQ(s.h, 12.5);
    EXPECT_EQ(s.WB, 15.25);
    EXPECT_EQ(s.RH, 0);
    EXPECT_EQ(s.SV, 0);
}

// On the default chart (−5 … 45 °C; its outline ends at the 46 °C isotherm on the right and at
// the vertical through the saturation point of −5 °C on the left): which end of a state-change
// line lies off the chart, as the status bar says it. The line keeps both states as typed and
// is drawn within the chart.
TEST(StateLine, StatesOffTheChartAreNamedAndKeptAsTyped) {
    FakeTextMetrics m;
    ChartFrame f;
    ChartTable t;
    ASSERT_TRUE(constructChart(ChartSettings{}, m, f, t).ok());
    const std::string tail = "が線図の範囲外にあります。線図の内側だけを描きます";
    struct Case {
        double db1, x1, db2, x2;
        std::string notice;
    } cases[] = {
        {26, 0.01, 14, 0.008, ""},
        {26, 0.01, 45, 0.02, ""},
        {26, 0.01, 60, 0.01, "終点" + tail},
        {60, 0.01, 26, 0.01, "始点" + tail},
        {-10, 0.001, 26, 0.01, "始点" + tail},
        {60, 0.01, 70, 0.005, "始点と終点" + tail},
    };
    for (const Case& c : cases) {
        CurrentState s;
        const StateLine line = stateChangeLine(MoistAir(), {kDB, kAH, c.db1, c.x1, "", 0, true},
                                               {kDB, kAH, c.db2, c.x2, "", 0, true}, {}, 640, s);
        ASSERT_EQ(line.objects.size(), 1u);
        const ObjectRecord& l = line.objects[0];
        EXPECT_EQ(outsideChartNotice(f, l), c.notice) << c.db1 << " → " << c.db2;
        EXPECT_EQ(l.reserved2, kDrawnWithinChart);
        // h = 0.24 t + x (597.5 + 0.441 t): the end state as typed, not where it is cut.
        EXPECT_NEAR(l.h1, 0.24 * c.db2 + c.x2 * (597.5 + 0.441 * c.db2), 1e-3);
        EXPECT_EQ(l.x1, c.x2);
    }
}
