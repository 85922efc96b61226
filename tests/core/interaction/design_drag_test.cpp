// Design points in the editor: put by clicks, dragged in 選択 with their kinds kept (Shift keeps
// the first), the processes following, one step of the history a drag; Esc and an undo put the
// point back. The expected states come from the library's plain functions at the pixels.
#include <gtest/gtest.h>

#include "core/interaction/fake_host.h"
#include "design/design_overlay.h"
#include "interaction/editor.h"
#include "interaction/modes.h"

using namespace humidraw;
using humidraw::testing_support::FakeHost;
using design::Design;
using design::DesignOverlay;
using design::DesignResult;
using design::Point;
using design::Process;

namespace {

class DesignDrag : public testing::Test {
  protected:
    DesignDrag() {
        w.editor = &editor;
        Design d;
        d.points = {{"A", {design::Property::DB, 20}, {design::Property::RH, 50}, {}}};
        Process heat;
        heat.kind = design::ProcessKind::Sensible;
        heat.from = {"A"};
        heat.to = "B";
        heat.leaving = {{design::Property::DB, 35}};
        d.processes = {heat};
        w.table.design = designLayer(d, w.frame());
    }
    const Design& design() { return designOf(w.table); }
    const DesignResult& result() {
        return static_cast<const DesignOverlay&>(*w.table.design).result();
    }
    void drag(PixelPoint from, PixelPoint to, bool shift = false) {
        editor.mouseDown(MouseButton::Left, shift, from.x, from.y);
        editor.mouseMove(true, false, (from.x + to.x) / 2, (from.y + to.y) / 2);
        editor.mouseMove(true, false, to.x, to.y);
        editor.mouseUp(MouseButton::Left, to.x, to.y);
    }
    // The state the chart shows at a pixel: its dry bulb and humidity ratio there.
    CurrentState stateAtPixel(PixelPoint p) { return screenToState(w.frame(), w.view, p.x, p.y); }
    FakeHost w;
    Editor editor{w};
};

}  // namespace

TEST_F(DesignDrag, APointDraggedKeepsItsKindsAndItsProcessFollows) {
    editor.startSelect();
    const PixelPoint from = w.at(20, 50), to = w.at(26, 40);
    drag(from, to);
    const CurrentState s = stateAtPixel(to);
    const Point& a = design().points[0];
    EXPECT_EQ(a.first.kind, design::Property::DB);
    EXPECT_EQ(a.second.kind, design::Property::RH);
    EXPECT_NEAR(a.first.value, s.DB, 1e-9);
    EXPECT_NEAR(a.second.value, V_DBAH2RH(s.DB, s.x), 1e-6);
    // B is A heated to 35 °C: it takes A's new humidity ratio.
    EXPECT_NEAR(result().points[result().find("B")].air.x, s.x, 2e-5);
    // One step: an undo puts A back at 20 °C, 50 %.
    EXPECT_EQ(w.hist.steps(), 1u);
    ASSERT_TRUE(w.hist.undo(w.table));
    EXPECT_EQ(design().points[0].first.value, 20);
    EXPECT_EQ(design().points[0].second.value, 50);
}

TEST_F(DesignDrag, ShiftKeepsTheFirstPropertyAndEscPutsThePointBack) {
    editor.startSelect();
    const PixelPoint from = w.at(20, 50), to = w.at(26, 40);
    drag(from, to, true);
    // Along the 20 °C line: only the RH takes the pointer's value.
    const CurrentState s = stateAtPixel(to);
    EXPECT_EQ(design().points[0].first.value, 20);
    EXPECT_NEAR(design().points[0].second.value, V_DBAH2RH(s.DB, s.x), 1e-6);

    const Design before = design();
    editor.mouseDown(MouseButton::Left, false, w.at(20, 50).x, w.at(20, 50).y);
    // The point is where the first drag left it: pressing at its old place takes nothing.
    editor.mouseUp(MouseButton::Left, w.at(20, 50).x, w.at(20, 50).y);
    const PixelPoint now = w.at(20, design().points[0].second.value);
    editor.mouseDown(MouseButton::Left, false, now.x, now.y);
    editor.mouseMove(true, false, now.x + 40, now.y - 30);
    EXPECT_FALSE(design() == before);  // shown while dragged
    editor.escapeKey();
    editor.mouseUp(MouseButton::Left, now.x + 40, now.y - 30);
    EXPECT_TRUE(design() == before);
    EXPECT_EQ(w.hist.steps(), 1u);
}

TEST_F(DesignDrag, APlaceTheProcessCannotFollowIsNotTaken) {
    // A steam humidifier from A to x = 0.012: A dragged to 30 °C, 60 % (x ≈ 0.016) would have
    // it dry the air. A stays at the last place it could take, the midway move's.
    Design d = design();
    design::Process steam;
    steam.kind = design::ProcessKind::Steam;
    steam.from = {"A"};
    steam.to = "S";
    steam.leaving = {{design::Property::X, 0.012}};
    d.processes.push_back(steam);
    w.table.design = designLayer(d, w.frame());
    editor.startSelect();
    const PixelPoint from = w.at(20, 50), to = w.at(30, 60);
    drag(from, to);
    const CurrentState mid = stateAtPixel({(from.x + to.x) / 2, (from.y + to.y) / 2});
    ASSERT_LT(mid.x, 0.012);
    EXPECT_NEAR(design().points[0].first.value, mid.DB, 1e-9);
    EXPECT_TRUE(result().status.ok());
}

TEST_F(DesignDrag, ClicksPutPointsByDryBulbAndHumidityRatio) {
    editor.startDesignPoint();
    const PixelPoint p = w.at(24, 60);
    editor.mouseDown(MouseButton::Left, false, p.x, p.y);
    editor.mouseUp(MouseButton::Left, p.x, p.y);
    editor.mouseDown(MouseButton::Left, false, p.x + 50, p.y);
    editor.mouseUp(MouseButton::Left, p.x + 50, p.y);
    ASSERT_EQ(design().points.size(), 3u);
    const CurrentState s = stateAtPixel(p);
    // "A" was there; the clicked ones are P1 and P2, by DB and x at the click.
    EXPECT_EQ(design().points[1], (Point{"P1", {design::Property::DB, s.DB}, {design::Property::X, s.x}, {7, 3, 0}}));
    EXPECT_EQ(design().points[2].name, "P2");
    EXPECT_EQ(w.hist.steps(), 2u);
    // A right click ends the command.
    editor.mouseDown(MouseButton::Right, false, p.x, p.y);
    editor.mouseUp(MouseButton::Right, p.x, p.y);
    editor.mouseDown(MouseButton::Left, false, p.x, p.y + 30);
    editor.mouseUp(MouseButton::Left, p.x, p.y + 30);
    EXPECT_EQ(design().points.size(), 3u);
}
