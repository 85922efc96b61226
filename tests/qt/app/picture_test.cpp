// The screen picture painted in parts (the chart kept as a layer, objects over it, only what the
// paint box asks for) against the picture of one whole painting, as the screen was painted
// before the layers: chart and objects in one pass onto white paper, pixel for pixel.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>

#include "app/main_window.h"
#include "app/paint_box.h"
#include "document/attributes.h"
#include "document/paint.h"
#include "render/qt_canvas.h"
#include "qt/app/window_fixture.h"
#include "support/full_table.h"

using namespace humidraw;
using namespace humidraw::app;
using namespace humidraw::app::fixture;

namespace {

// The whole picture as one painting of chart and objects into a 3600 × 2700 image, cut to the
// paint box.
QImage onePass(TFmIX& w, bool smooth = true) {
    QImage image(3600, 2700, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    QtCanvas k(p, 96);
    k.setSmooth(smooth);  // as the screen draws
    k.setPenMode(PenMode::Copy);
    k.setPenStyle(PenStyle::Solid);
    k.setPenColour(kPaperColour);
    k.setBrushSolid(kPaperColour);
    k.fillRect(0, 0, w.view().boxWidth, w.view().boxHeight);
    k.setPenColour(kChartColour);
    k.setBrushClear();
    k.setFontColour(kChartColour);
    paintChart(k, w.frame(), w.chart(), w.documentObjects(), w.settings(),
               ViewTransform{w.view().zoom});
    p.end();
    return image.copy(0, 0, std::min(w.view().boxWidth, 3600), std::min(w.view().boxHeight, 2700));
}

// The picture as far as the paint box shows it.
QImage shown(TFmIX& w) {
    return w.picture().copy(0, 0, std::min(w.view().boxWidth, 3600),
                            std::min(w.view().boxHeight, 2700));
}

// Pixels that differ, with the first one in the message.
::testing::AssertionResult samePixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return ::testing::AssertionFailure() << "size " << a.width() << "×" << a.height()
                                             << " against " << b.width() << "×" << b.height();
    int differ = 0, fx = -1, fy = -1;
    for (int y = 0; y < a.height(); ++y) {
        const QRgb* p = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const QRgb* q = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x)
            if ((p[x] & 0xFFFFFF) != (q[x] & 0xFFFFFF) && differ++ == 0) fx = x, fy = y;
    }
    if (differ == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << differ << " pixels differ, the first at (" << fx << ", " << fy << ")";
}

// Shows the window and walks the view over the picture in scroll steps, so that it is painted in
// the strips a user's scrolling asks for.
void scrollAround(TFmIX& w) {
    QApplication::processEvents();
    for (int i = 0; i < 6; ++i) {
        w.scrollBy(173, 97);
        w.scrollBox()->viewport()->repaint();
    }
    w.scrollBy(-400, 35);
    w.scrollBox()->viewport()->repaint();
}

class Picture : public Window {
  protected:
    TFmIX& openFull() {
        TFmIX& w = open();
        w.resize(724, 584);
        w.show();
        QApplication::processEvents();
        humidraw::testing_support::fillFullTable(w.objects());
        w.ZoomAll();
        return w;
    }
};

}  // namespace

TEST_F(Picture, PaintedInPartsAsInOnePassAtEveryZoom) {
    TFmIX& w = openFull();
    for (int i = 0; i < 8; ++i) w.ZoomOut();
    int steps = 0;
    do {
        scrollAround(w);
        ASSERT_TRUE(samePixels(shown(w), onePass(w))) << "zoom " << w.view().zoom;
        ++steps;
        w.ZoomIn();
    } while (w.zoomInEnabled());
    scrollAround(w);
    EXPECT_TRUE(samePixels(shown(w), onePass(w))) << "the largest zoom, " << w.view().zoom;
    EXPECT_GE(steps, 10);
}

TEST_F(Picture, EditsRepaintTheObjectsOverTheKeptChart) {
    TFmIX& w = openFull();
    for (int i = 0; i < 4; ++i) w.ZoomIn();
    scrollAround(w);
    for (int i = 0; i < 640; i += 3) w.objects().markDeleted(i);
    w.ViewIx();
    scrollAround(w);
    EXPECT_TRUE(samePixels(shown(w), onePass(w))) << "a third of the objects erased";
    w.objects().clear();
    w.ViewIx();
    EXPECT_TRUE(samePixels(shown(w), onePass(w))) << "the chart alone";
    // The view flags change the chart at the same zoom: its layer is painted again.
    Settings s = w.settings();
    s.view[CB_RH] = false;
    s.view[CB_OP] = false;
    ASSERT_TRUE(w.applySettings(s));
    humidraw::testing_support::fillFullTable(w.objects());
    w.ViewIx();
    EXPECT_TRUE(samePixels(shown(w), onePass(w))) << "relative humidity hidden";
}

TEST_F(Picture, ARubberBandLeavesNothingBehindOnPartsPaintedLater) {
    TFmIX& w = openFull();
    for (int i = 0; i < 6; ++i) w.ZoomIn();
    w.M_Free();
    Editor& e = w.editor();
    const int x0 = w.view().scrollX + 40, y0 = w.view().scrollY + 40;
    e.mouseMove(false, false, x0, y0);
    e.mouseDown(MouseButton::Left, false, x0, y0);
    for (int i = 0; i < 12; ++i) {
        // The band reaches far beyond the part shown, then the view follows it.
        e.mouseMove(false, false, x0 + 150 * i, y0 + 90 * i);
        if (i % 3 == 0) scrollAround(w);
    }
    const QImage banded = shown(w);
    e.escapeKey();
    EXPECT_FALSE(samePixels(banded, onePass(w))) << "the band and the start circle were shown";
    EXPECT_TRUE(samePixels(shown(w), onePass(w)));
}

// The screen draws its lines smoothly on the pixels plain drawing gives them: a slanted line
// shades the paper beside it, a horizontal one (the humidity-ratio lines, the frame) keeps exactly
// its pixels, and hardly a pixel plain drawing inks is left as paper. Marks stay plain (the
// rubber band above leaves nothing).
TEST_F(Picture, LinesAreSmoothOnThePixelsOfPlainDrawing) {
    TFmIX& w = open();
    w.resize(724, 584);
    w.show();
    QApplication::processEvents();
    w.ZoomAll();
    drawLineAB(w);
    const QImage screen = shown(w), plain = onePass(w, false);
    ASSERT_EQ(screen.size(), plain.size());
    const auto at = [](const QImage& i, int x, int y) { return i.pixel(x, y) | 0xFF000000; };
    const QRgb paper = qRgb(255, 255, 255), grey = qRgb(128, 128, 128);
    int ink = 0, shaded = 0, lost = 0, straight = 0, straightKept = 0;
    for (int y = 0; y < plain.height(); ++y) {
        int run = 0;  // the chart's grey so far along the row in plain drawing
        for (int x = 0; x <= plain.width(); ++x) {
            const bool greyHere = x < plain.width() && at(plain, x, y) == grey;
            if (greyHere) {
                ++run;
            } else {
                // A run of 200 pixels or more is a horizontal line: the same pixels on screen
                // (but at its ends, which smoothing rounds).
                if (run >= 200)
                    for (int i = x - run + 1; i < x - 1; ++i) {
                        ++straight;
                        straightKept += at(screen, i, y) == grey;
                    }
                run = 0;
            }
            if (x == plain.width()) break;
            const QRgb p = at(plain, x, y), s = at(screen, x, y);
            ink += p != paper;
            shaded += p == paper && s != paper;
            lost += p != paper && s == paper;
        }
    }
    EXPECT_GT(shaded, ink / 4) << "slanted lines shade their neighbours (" << ink << " inked)";
    EXPECT_LT(lost, ink / 50) << "inked pixels left as paper";
    EXPECT_GT(straight, 2000);
    // Where a label or the drawn line crosses one, a pixel may take their colour.
    EXPECT_GE(straightKept, straight - straight / 1000) << "horizontal lines on their own pixels";
}
