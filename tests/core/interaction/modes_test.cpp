// The editor's modes through their gestures, with the marks the fake host records compared whole:
// every mark drawn NotXor is taken off again (or by a repaint) when its gesture ends. Typed and
// clicked points give the same objects and marks; the hit test takes the first object near the
// click and stops at the first empty record; each command names what Enter repeats.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "core/interaction/fake_host.h"
#include "interaction/editor.h"

using namespace humidraw;
using humidraw::testing_support::FakeHost;

namespace {

using Marks = std::vector<std::string>;

class Modes : public testing::Test {
  protected:
    Modes() { w.editor = &editor; }
    void move(int x, int y, bool left = false) { editor.mouseMove(left, false, x, y); }
    void press(int x, int y, MouseButton b = MouseButton::Left, bool shift = false) {
        editor.mouseDown(b, shift, x, y);
        editor.mouseUp(b, x, y);
    }
    void line(double ax, double ay, double bx, double by, int kind = kLineBothMarkers) {
        ObjectRecord r;
        r.kind = kind;
        const StatePoint a = w.frame().inverse(ax, ay), b = w.frame().inverse(bx, by);
        r.h1 = a.h, r.x1 = a.x, r.h2 = b.h, r.x2 = b.x;
        w.table.append(r);
    }
    // "room" anchored at chart pixel (500.5, 400.5), label position 2: with 4 pixels a byte and
    // 8 high its box is left = X + 4, top = Y − 12, so x 504.5–520.5, y 388.5–396.5.
    void roomText() {
        ObjectRecord t;
        t.kind = kTextObject;
        const StatePoint p = w.frame().inverse(500.5, 400.5);
        t.h1 = p.h, t.x1 = p.x;
        t.labelPosition = 2;
        t.text = "room";
        w.table.append(t);
    }
    FakeHost w;
    Editor editor{w};
};

// Runs each gesture on a fresh editor; exposes the fixture's helpers to the tables.
class GestureRun : public Modes {
  public:
    using Modes::line;
    using Modes::move;
    using Modes::press;
    using Modes::roomText;
    using Modes::w;
    Editor& e() { return editor; }
    void TestBody() override {}
};

struct Gesture {
    const char* name;
    std::function<void(GestureRun&)> setUp;  // before the record starts
    std::function<void(GestureRun&)> run;
    Marks record;  // the marks and repaints, in order
    Marks left;    // what stays on the picture at the end
};

void runTable(const std::vector<Gesture>& gestures) {
    for (const Gesture& g : gestures) {
        GestureRun m;
        if (g.setUp) g.setUp(m);
        m.w.takeLog();
        g.run(m);
        EXPECT_EQ(m.w.log, g.record) << g.name;
        EXPECT_EQ(m.w.onPicture(), g.left) << g.name;
    }
}

}  // namespace

// Free segments at raw pixels: the band runs from the last point to the pointer, each move takes
// the old band off before drawing the new one.
TEST(ModeGestures, FreeSegment) {
    const auto start = [](GestureRun& m) { m.e().startFreeSegment(); };
    runTable({
        {"two segments, ended by a right click",
         start,
         [](GestureRun& m) {
             m.move(200, 300);
             m.press(200, 300);
             m.move(260, 300);
             m.press(260, 300);
             m.move(300, 250);
             m.press(300, 250, MouseButton::Right);
         },
         {"marker 200,300", "band 200,300 260,300", "marker 260,300", "band 260,300 300,250",
          "repaint"},
         {}},
        {"Esc with the band out",
         start,
         [](GestureRun& m) {
             m.move(200, 300);
             m.press(200, 300);
             m.move(250, 320);
             m.move(240, 330);
             m.e().escapeKey();
         },
         {"marker 200,300", "band 200,300 250,320", "band 200,300 250,320", "band 200,300 240,330",
          "repaint"},
         {}},
        {"the point dialog takes the band off",
         start,
         [](GestureRun& m) {
             m.move(200, 300);
             m.press(200, 300);
             m.move(250, 320);
             m.press(250, 320, MouseButton::Right, true);
             m.move(255, 320);           // the chart is disabled, but should a move come: no band
             m.w.dialogVisible = false;  // closed without a point
             m.e().abandonTypedPoint();
             m.move(260, 320);
         },
         {"marker 200,300", "band 200,300 250,320", "band 200,300 250,320", "band 200,300 260,320"},
         {"marker 200,300", "band 200,300 260,320"}},
        {"zoom mode over the segment: the band goes on, Esc ends zoom then the segment",
         start,
         [](GestureRun& m) {
             m.move(200, 300);
             m.press(200, 300);
             m.e().startZoomMode();
             m.move(250, 300);
             m.press(250, 300);  // zooms, draws nothing
             m.e().escapeKey();
             m.move(260, 310);
             m.e().escapeKey();
         },
         {"marker 200,300", "band 200,300 250,300", "band 200,300 250,300", "band 200,300 260,310",
          "repaint"},
         {}},
        {"コマンド終了 from outside",
         start,
         [](GestureRun& m) {
             m.move(200, 300);
             m.press(200, 300);
             m.move(210, 300);
             m.e().commandEnd();
         },
         {"marker 200,300", "band 200,300 210,300", "repaint"},
         {}},
    });
}

TEST(ModeGestures, TextPlacement) {
    // "A": 4 × 8 pixels, its outline from the pointer up and to the right.
    const auto start = [](GestureRun& m) { m.e().startTextPlacement("A"); };
    runTable({
        {"right click cancels: the outline off, nothing repainted",
         start,
         [](GestureRun& m) {
             m.move(200, 200);
             m.move(210, 220);
             m.press(210, 220, MouseButton::Right);
         },
         {"outline 200,200 204,192", "outline 200,200 204,192", "outline 210,220 214,212",
          "outline 210,220 214,212"},
         {}},
        {"left click places it",
         start,
         [](GestureRun& m) {
             m.move(210, 220);
             m.press(210, 220);
         },
         {"outline 210,220 214,212", "outline 210,220 214,212", "repaint"},
         {}},
        {"a zoom step: the repaint took the outline, the next move only draws",
         start,
         [](GestureRun& m) {
             m.move(210, 220);
             m.e().viewChanged();
             m.w.repaint();
             m.move(230, 240);
             m.press(230, 240, MouseButton::Right);
         },
         {"outline 210,220 214,212", "repaint", "outline 230,240 234,232",
          "outline 230,240 234,232"},
         {}},
    });
}

TEST(ModeGestures, SelectAndErase) {
    const auto objects = [](GestureRun& m) {
        m.line(100.5, 100.5, 300.5, 100.5);
        m.line(100.5, 200.5, 300.5, 200.5);
        m.roomText();
    };
    runTable({
        {"a text dragged: outlines follow and are taken off at the drop",
         [&](GestureRun& m) {
             objects(m);
             m.e().startSelect();
         },
         [](GestureRun& m) {
             m.e().mouseDown(MouseButton::Left, false, 510, 392);
             m.move(512, 391, true);  // within the play
             m.move(540, 382, true);  // by (30, −10): the box from (534, 378)
             m.move(560, 372, true);  // by (50, −20): from (554, 368)
             m.e().mouseUp(MouseButton::Left, 560, 372);
         },
         {"repaint", "highlight 2", "outline 534,378 550,386", "outline 534,378 550,386",
          "outline 554,368 570,376", "outline 554,368 570,376", "repaint", "highlight 2"},
         {"highlight 2"}},
        {"a zoom step during a drag: the repaint took the outline, the next move only draws",
         [&](GestureRun& m) {
             objects(m);
             m.e().startSelect();
         },
         [](GestureRun& m) {
             m.e().mouseDown(MouseButton::Left, false, 510, 392);
             m.move(540, 382, true);
             m.e().viewChanged();  // the view is the same here: the grab point stays
             m.w.repaint();
             m.move(560, 372, true);
             m.e().mouseUp(MouseButton::Left, 560, 372);
         },
         {"repaint", "highlight 2", "outline 534,378 550,386", "repaint", "highlight 2",
          "outline 554,368 570,376", "outline 554,368 570,376", "repaint", "highlight 2"},
         {"highlight 2"}},
        {"a window repaint during a drag draws the outline again",
         [&](GestureRun& m) {
             objects(m);
             m.e().startSelect();
         },
         [](GestureRun& m) {
             m.e().mouseDown(MouseButton::Left, false, 510, 392);
             m.move(540, 382, true);
             m.w.repaint();
             m.move(560, 372, true);
         },
         {"repaint", "highlight 2", "outline 534,378 550,386", "repaint", "highlight 2",
          "outline 534,378 550,386", "outline 534,378 550,386", "outline 554,368 570,376"},
         {"highlight 2", "outline 554,368 570,376"}},
        {"Esc during a drag: the selection and the outline go with the repaint",
         [&](GestureRun& m) {
             objects(m);
             m.e().startSelect();
         },
         [](GestureRun& m) {
             m.e().mouseDown(MouseButton::Left, false, 510, 392);
             m.move(540, 382, true);
             m.e().escapeKey();
             m.e().mouseUp(MouseButton::Left, 540, 382);
         },
         {"repaint", "highlight 2", "outline 534,378 550,386", "repaint"},
         {}},
        {"an undo during a drag takes the outline off first",
         [&](GestureRun& m) {
             objects(m);
             m.e().startSelect();
         },
         [](GestureRun& m) {
             m.e().mouseDown(MouseButton::Left, false, 510, 392);
             m.move(540, 382, true);
             m.e().beforeHistoryMove();
             m.e().mouseUp(MouseButton::Left, 540, 382);
         },
         {"repaint", "highlight 2", "outline 534,378 550,386", "outline 534,378 550,386"},
         {"highlight 2"}},
        {"erase: picks highlighted once each, erased by Enter",
         [&](GestureRun& m) {
             objects(m);
             m.e().startErase();
         },
         [](GestureRun& m) {
             m.press(200, 203);
             m.press(200, 203);
             m.press(200, 197);
             m.press(510, 392);
             m.press(700, 700);  // paper
             m.e().enterKey();
         },
         {"highlight 1", "highlight 2", "repaint"},
         {}},
        {"erase cancelled by Esc",
         [&](GestureRun& m) {
             objects(m);
             m.e().startErase();
         },
         [](GestureRun& m) {
             m.press(200, 103);
             m.e().escapeKey();
         },
         {"highlight 0", "repaint"},
         {}},
    });
}

// Pan mode and the middle button scroll and draw nothing.
TEST(ModeGestures, PanningDrawsNoMarks) {
    GestureRun m;
    m.e().startFreeSegment();
    m.move(200, 300);
    m.press(200, 300);
    m.w.takeLog();
    m.e().startPanningMode();
    m.e().mouseDown(MouseButton::Left, false, 100, 100);
    m.move(110, 90, true);  // the band follows, and the chart scrolls by twice (10, −10)
    m.e().mouseUp(MouseButton::Left, 110, 90);
    EXPECT_EQ(m.w.scrolledX, -20);
    EXPECT_EQ(m.w.scrolledY, 20);
    EXPECT_EQ(m.w.log, (Marks{"band 200,300 110,90"}));
    EXPECT_EQ(m.e().segmentStatus(), FreeSegmentMode::Status::End);
}

namespace {

enum class Source { Click, Typed };

// A chain of points, each clicked at its pixel with its state under the pointer, or typed in the
// point dialog; the states given by DB and RH.
struct Chain {
    FakeHost w;
    Editor editor{w};
    void point(Source how, double db, double rh) {
        CurrentState s;
        pairState(MoistAir(), pairCode(kDB, kRH), db, rh, s);
        const ChartPoint c = stateToScreen(w.frame(), w.view, s.h, s.x);
        const PixelPoint p{static_cast<int>(c.x), static_cast<int>(c.y)};
        if (how == Source::Click) {
            editor.mouseMove(false, false, p.x, p.y);
            w.current = s;  // the state the readout gave there
            editor.mouseDown(MouseButton::Left, false, p.x, p.y);
            editor.mouseUp(MouseButton::Left, p.x, p.y);
        } else {
            editor.mouseDown(MouseButton::Right, true, 20, 20);
            w.dialogVisible = false;
            w.current = s;
            ASSERT_TRUE(editor.acceptTypedPoint());
        }
    }
    Marks left() const {
        Marks m = w.onPicture();
        std::sort(m.begin(), m.end());
        return m;
    }
};

}  // namespace

TEST(TypedAndClicked, GiveTheSameObjectsAndMarks) {
    const double points[3][2] = {{20, 30}, {26, 50}, {30, 40}};
    const std::vector<std::vector<Source>> ways = {
        {Source::Click, Source::Click, Source::Click},
        {Source::Typed, Source::Typed, Source::Typed},
        {Source::Click, Source::Typed, Source::Click},
        {Source::Typed, Source::Click, Source::Typed},
    };
    Chain clicked;
    clicked.editor.startFreeSegment();
    for (const auto& p : points) clicked.point(Source::Click, p[0], p[1]);
    for (size_t k = 0; k < ways.size(); ++k) {
        Chain c;
        c.w.attrs = {3, 2, 1};
        c.editor.startFreeSegment();
        for (int i = 0; i < 3; ++i) c.point(ways[k][i], points[i][0], points[i][1]);
        ASSERT_EQ(c.w.table.count(), 2) << k;
        for (int i = 0; i < 2; ++i) {
            CurrentState a, b;
            pairState(MoistAir(), pairCode(kDB, kRH), points[i][0], points[i][1], a);
            pairState(MoistAir(), pairCode(kDB, kRH), points[i + 1][0], points[i + 1][1], b);
            const ObjectRecord& r = c.w.table.at(i);
            EXPECT_EQ(r.kind, kLineBothMarkers);
            EXPECT_EQ((std::vector<double>{r.h1, r.x1, r.h2, r.x2}),
                      (std::vector<double>{a.h, a.x, b.h, b.x}))
                << k << " segment " << i;
            EXPECT_EQ((std::vector<int>{r.colour, r.width, r.style}), (std::vector<int>{3, 2, 1}));
        }
        EXPECT_EQ(c.w.hist.steps(), 2u) << k;
        // Three circles and the two segments' lines, however the points came.
        EXPECT_EQ(c.left(), clicked.left()) << k;
        EXPECT_EQ(c.left().size(), 5u) << k;
        EXPECT_EQ(c.editor.segmentStatus(), FreeSegmentMode::Status::End) << k;
        EXPECT_EQ(c.w.status[1], clicked.w.status[1]) << k;
    }
}

// A full table refuses a typed end as it refuses a clicked one: told once, nothing appended, and
// the chain still waits for an end from the same start.
TEST(TypedAndClicked, AreRefusedAlikeByAFullTable) {
    for (Source how : {Source::Click, Source::Typed}) {
        Chain c;
        c.w.leaveFree(0);
        c.editor.startFreeSegment();
        c.point(Source::Click, 20, 30);
        c.point(how, 26, 50);
        EXPECT_EQ(c.w.told.size(), 1u);
        EXPECT_EQ(c.w.hist.steps(), 0u);
        EXPECT_EQ(c.editor.segmentStatus(), FreeSegmentMode::Status::End);
        // On the picture: the start circle and the band to the refused point, which the next
        // move takes off.
        EXPECT_EQ(c.w.onPicture().size(), 2u) << (how == Source::Typed);
        EXPECT_EQ(c.w.onPicture()[0].rfind("marker", 0), 0u);
        EXPECT_EQ(c.w.onPicture()[1].rfind("band", 0), 0u);
    }
}

// Objects placed at known pixels (zoom 1); the click is at (200, 102) unless told.
TEST(HitTest, FirstObjectWithinReachAndTheSearchStopsAtAnEmptyRecord) {
    FakeHost w;
    const auto measure = [](const std::string& t) {
        return TextExtent{static_cast<int>(t.size()) * 4, 8};
    };
    struct Placed {
        int kind;
        double y;  // a horizontal line from x 100 to 300 at this pixel row; for a text, its
                   // anchor's row at x 195.5 ("ab": 8 × 8 from X + 4, Y − 12)
    };
    struct Case {
        const char* name;
        std::vector<Placed> objects;
        int expected;
    };
    const Case cases[] = {
        {"the first of two lines, though the second is nearer",
         {{kLineNoMarker, 99.5}, {kLineNoMarker, 102.5}},
         0},
        {"the same the other way round", {{kLineNoMarker, 102.5}, {kLineNoMarker, 99.5}}, 0},
        {"a line out of reach, then one in reach",
         {{kLineNoMarker, 108.5}, {kLineNoMarker, 103.5}},
         1},
        {"a text before a line", {{kTextObject, 110.5}, {kLineNoMarker, 102.5}}, 0},
        {"a line before a text", {{kLineNoMarker, 102.5}, {kTextObject, 110.5}}, 0},
        {"rows and erased objects are passed over",
         {{kTableRow, 0}, {kDeleted, 102.5}, {kLineNoMarker, 101.5}},
         2},
        {"the search stops at the first empty record",
         {{kTableRow, 0}, {0, 0}, {kLineNoMarker, 102.5}},
         -1},
        {"nothing near", {{kLineNoMarker, 200.5}}, -1},
    };
    for (const Case& c : cases) {
        ObjectTable t;
        for (const Placed& p : c.objects) {
            ObjectRecord r;
            r.kind = p.kind == kDeleted ? kLineNoMarker : p.kind;
            if (p.kind == kTextObject) {
                const StatePoint a = w.frame().inverse(195.5, p.y);
                r.h1 = a.h, r.x1 = a.x;
                r.labelPosition = 2;
                r.text = "ab";  // box x 199.5–207.5, y 98.5–106.5 for the row 110.5
            } else if (isLineObject(r.kind)) {
                const StatePoint a = w.frame().inverse(100.5, p.y),
                                 b = w.frame().inverse(300.5, p.y);
                r.h1 = a.h, r.x1 = a.x, r.h2 = b.h, r.x2 = b.x;
            }
            t.append(r);
            if (p.kind == kDeleted) t.markDeleted(t.count() - 1);
        }
        EXPECT_EQ(hitTest(t, w.frame(), w.view, 200, 102, measure), c.expected) << c.name;
    }
}

// Through the modes: erase and select pick the first object in the table under the click.
TEST_F(Modes, ClicksPickTheFirstObjectInTheTable) {
    line(100.5, 99.5, 300.5, 99.5);    // drawn at row 99: 2 pixels from the click
    line(100.5, 102.5, 300.5, 102.5);  // row 102: 1 pixel
    editor.startErase();
    press(200, 101);
    EXPECT_EQ(editor.selection(), (std::vector<int>{0})) << "the first in the table";
    editor.commandEnd();
    editor.startSelect();
    press(200, 101);
    EXPECT_EQ(editor.selection(), (std::vector<int>{0}));
}

// What each command start leaves for Enter and an idle right click to repeat.
TEST_F(Modes, EachCommandNamesWhatIsRepeated) {
    struct Case {
        const char* name;
        std::function<void(Editor&)> start;
        Command repeated;
    };
    const Case cases[] = {
        {"線分記入", [](Editor& e) { e.startFreeSegment(); }, Command::FreeSegment},
        {"図形削除", [](Editor& e) { e.startErase(); }, Command::Erase},
        {"ズーム", [](Editor& e) { e.startZoomMode(); }, Command::ZoomMode},
        {"画面移動", [](Editor& e) { e.startPanningMode(); }, Command::PanMode},
        {"選択 is not repeated", [](Editor& e) { e.startSelect(); }, Command::Print},
        {"a view mode over a segment is not repeated",
         [](Editor& e) {
             e.startFreeSegment();
             e.startZoomMode();
             e.startPanningMode();
         },
         Command::FreeSegment},
    };
    for (const Case& c : cases) {
        editor.commandEnd();
        editor.setLastCommand(Command::Print);
        w.commands.clear();
        c.start(editor);
        EXPECT_EQ(editor.lastCommand(), c.repeated) << c.name;
        editor.commandEnd();
        editor.enterKey();
        press(10, 10, MouseButton::Right);
        EXPECT_EQ(w.commands, (std::vector<Command>{c.repeated, c.repeated})) << c.name;
    }
}
