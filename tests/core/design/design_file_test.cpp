// The design kept in the companion file, read back whole, and damaged design lines refused with
// the line named; the design drawn with the document, its labels clear of each other.
#include <gtest/gtest.h>

#include "chart/construction.h"
#include "chart/text_metrics.h"
#include "document/attributes.h"
#include "design/design_overlay.h"
#include "design/design_text.h"
#include "measured/companion.h"
#include "support/default_chart.h"
#include "support/recording_canvas.h"

using namespace humidraw;
using namespace humidraw::design;

namespace {

Design sample() {
    Design d;
    d.basis = AirBasis::Standard;
    d.points = {{"OA", {Property::DB, 34}, {Property::WB, 27}, {2, 1, 0}},
                {"室内 RA", {Property::DB, 26}, {Property::RH, 50}, {}}};
    Process mix;
    mix.kind = ProcessKind::Mixing;
    mix.from = {"OA", "室内 RA"};
    mix.flows = {5000, 12400.5};
    mix.to = "MA";
    mix.loadLabel = true;
    Process coil;
    coil.kind = ProcessKind::Coil;
    coil.from = {"MA"};
    coil.to = "CA";
    coil.flows = {17400};
    coil.adp = 12.000000000000002;  // full precision survives
    coil.bf = 0.1;
    coil.look = {5, 4, 2};
    Process leaving = coil;
    leaving.adp.reset(), leaving.bf.reset();
    leaving.to = "CB";
    leaving.leaving = {{Property::DB, 14}, {Property::RH, 95}};
    Process shf;
    shf.kind = ProcessKind::Shf;
    shf.from = {"室内 RA"};
    shf.sensibleLoad = 50000;
    shf.latentLoad = 5000;
    d.processes = {mix, coil, leaving, shf};
    return d;
}

}  // namespace

TEST(DesignFile, WrittenAndReadBackWhole) {
    const Design d = sample();
    const std::string text = companionText(MeasuredData{}, std::nullopt, std::nullopt, d);
    const auto back = readCompanionText(text);
    ASSERT_TRUE(back.ok()) << back.error();
    EXPECT_TRUE(back->design == d);
    // A companion without a design reads an empty one, as the files of earlier versions.
    const auto none = readCompanionText(companionText(MeasuredData{}));
    ASSERT_TRUE(none.ok());
    EXPECT_TRUE(none->design.empty());
}

TEST(DesignFile, DamagedLinesAreRefusedWithTheirLine) {
    const struct {
        const char* body;
        int line;  // the line named in the message
    } cases[] = {
        {"point DB 20 RH 50 7 3 0\nname A\n", 2},              // no design line first
        {"design sideways\n", 2},                               // an unknown basis
        {"design actual\ndesign actual\n", 3},                  // twice
        {"design actual\npoint DB 20 RH 50 7 3\nname A\n", 3},  // a word short
        {"design actual\npoint DB 20 RH nan 7 3 0\nname A\n", 3},
        {"design actual\npoint DB 20 RH 50 14 3 0\nname A\n", 3},  // no such colour
        {"design actual\npoint DB 20 RH 50 7 3 0\nend\n", 4},      // no name
        {"design actual\npoint DB 20 RH 50 7 3 0\nname \n", 4},    // an empty name
        {"design actual\nprocess warp 7 3 0 0\n", 3},
        {"design actual\nflow 100\n", 3},                          // a value before a process
        {"design actual\nprocess line 7 3 0 0\nparam bf 0.1\nparam bf 0.2\n", 5},
        {"design actual\nprocess line 7 3 0 0\nto A\nto B\n", 5},
        {"design actual\nprocess line 7 3 0 0\nleaving DB 1\nleaving RH 2\nleaving x 3\n", 6},
        {"design actual\nprocess line 7 3 0 0\nparam colour 3\n", 4},
        {"design actual\npoint DB 20 RH 50 7 3 0\nname A\nset 1 0 000000 0 0\n", 5},
    };
    for (const auto& c : cases) {
        const std::string text = std::string("humidraw-data 1\n") + c.body +
                                 (std::string(c.body).find("end\n") == std::string::npos ? "end\n" : "");
        const auto r = readCompanionText(text);
        ASSERT_FALSE(r.ok()) << c.body;
        EXPECT_EQ(r.reason(), Reason::Damaged) << c.body;
        EXPECT_EQ(r.error().rfind(std::to_string(c.line) + " 行目: ", 0), 0u) << c.body << r.error();
    }
}

TEST(DesignFile, MoreThanTheLimitsIsRefused) {
    std::string text = "humidraw-data 1\ndesign actual\n";
    for (size_t i = 0; i <= kMostPoints; ++i)
        text += "point DB 20 RH 50 7 3 0\nname P" + std::to_string(i) + "\n";
    EXPECT_FALSE(readCompanionText(text + "end\n").ok());
    std::string streams = "humidraw-data 1\ndesign actual\nprocess mixing 7 3 0 0\n";
    for (size_t i = 0; i <= kMostStreams; ++i) streams += "from A\n";
    EXPECT_FALSE(readCompanionText(streams + "end\n").ok());
}

namespace {

struct Chart : testing_support::DefaultChart {
    RecordingCanvas paint(const Design& d) {
        ObjectTable objects;
        objects.design = std::make_shared<DesignOverlay>(std::make_shared<const Design>(d), 760);
        return DefaultChart::paint(objects);
    }
};

}  // namespace

TEST(DesignDrawing, MarkersAndNamesThatDoNotSitOnEachOther) {
    Chart chart;
    Design d;
    // Two states a hair apart: their names would print over each other as "CASA".
    d.points = {{"CA", {Property::DB, 15}, {Property::RH, 90}, {3, 3, 0}},
                {"SA", {Property::DB, 15.2}, {Property::RH, 89}, {3, 3, 0}}};
    const RecordingCanvas k = chart.paint(d);
    std::vector<RecordedOp> names;
    for (const RecordedOp& op : k.of(RecordedOp::Text))
        if (op.text == "CA" || op.text == "SA") names.push_back(op);
    ASSERT_EQ(names.size(), 2u);
    // The fake metrics: a character half the font height wide, a line the height tall.
    const int h = names[0].fontHeight, w = h;  // two characters
    const bool apart = names[0].v[0] + w <= names[1].v[0] || names[1].v[0] + w <= names[0].v[0] ||
                       names[0].v[1] + h <= names[1].v[1] || names[1].v[1] + h <= names[0].v[1];
    EXPECT_TRUE(apart) << names[0].v[0] << "," << names[0].v[1] << " " << names[1].v[0] << ","
                       << names[1].v[1];
    // Each a marker in its colour at its state's place.
    int markers = 0;
    for (const RecordedOp& op : k.of(RecordedOp::Ellipse))
        if (op.penColour == paletteColour(3)) ++markers;
    EXPECT_EQ(markers, 2);
}

TEST(DesignDrawing, ProcessesAndTheirLoadLabel) {
    Chart chart;
    Design d;
    d.basis = AirBasis::Standard;
    d.points = {{"A", {Property::DB, 10}, {Property::X, 0.005}, {}}};
    Process heat;
    heat.kind = ProcessKind::Sensible;
    heat.from = {"A"};
    heat.to = "B";
    heat.flows = {5000};
    heat.load = 14400;
    heat.loadLabel = true;
    heat.look = {4, 3, 0};
    d.points.push_back({"C", {Property::DB, 30}, {Property::RH, 40}, {}});
    Process shf;
    shf.kind = ProcessKind::Shf;
    shf.from = {"C"};
    shf.shf = 0.7;
    shf.look = {6, 3, 0};
    d.processes = {heat, shf};
    const RecordingCanvas k = chart.paint(d);
    // 14400 kcal/h is 14400 / 860 = 16.744 kW.
    bool label = false;
    for (const RecordedOp& op : k.of(RecordedOp::Text))
        label |= op.text == "Q=14,400 kcal/h (16.7 kW)";
    EXPECT_TRUE(label);
    int heating = 0, shfLine = 0;
    for (const RecordedOp& op : k.of(RecordedOp::Line)) {
        heating += op.penColour == paletteColour(4);
        shfLine += op.penColour == paletteColour(6);
    }
    EXPECT_GT(heating, 0);
    EXPECT_GT(shfLine, 0);
}

TEST(DesignDrawing, AMixingOfTwoIsOneLineFromStreamToStream) {
    Chart chart;
    Design d;
    d.points = {{"OA", {Property::DB, 34}, {Property::RH, 60}, {}},
                {"RA", {Property::DB, 26}, {Property::RH, 50}, {}}};
    Process mix;
    mix.kind = ProcessKind::Mixing;
    mix.from = {"OA", "RA"};
    mix.flows = {1000, 3000};
    mix.to = "MA";
    mix.look = {9, 3, 0};
    d.processes = {mix};
    const RecordingCanvas k = chart.paint(d);
    std::vector<RecordedOp> lines;
    for (const RecordedOp& op : k.of(RecordedOp::Line))
        if (op.penColour == paletteColour(9)) lines.push_back(op);
    // The mixed state lies on it: one line, OA to RA, not two meeting at MA.
    ASSERT_EQ(lines.size(), 1u);
    const ChartPoint oa = stateToScreen(chart.frame, ViewTransform{1.0}, V_DBAH2EN(34, V_DBRH2AH(34, 60)),
                                        V_DBRH2AH(34, 60));
    const ChartPoint ra = stateToScreen(chart.frame, ViewTransform{1.0}, V_DBAH2EN(26, V_DBRH2AH(26, 50)),
                                        V_DBRH2AH(26, 50));
    const auto near = [](int a, double b) { return std::abs(a - b) <= 1; };
    const RecordedOp& l = lines[0];
    const bool oaToRa = near(l.v[0], oa.x) && near(l.v[1], oa.y) && near(l.v[2], ra.x) && near(l.v[3], ra.y);
    const bool raToOa = near(l.v[0], ra.x) && near(l.v[1], ra.y) && near(l.v[2], oa.x) && near(l.v[3], oa.y);
    EXPECT_TRUE(oaToRa || raToOa) << l.v[0] << "," << l.v[1] << " " << l.v[2] << "," << l.v[3];
}
