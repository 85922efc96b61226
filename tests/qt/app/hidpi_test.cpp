// The window on a screen with 1.5 device pixels per pixel: the picture, its marks and the
// rubber band are drawn at the device's density and copied to the screen one to one; the
// clipboard's image does not change with the screen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QScrollArea>
#include <cstdlib>

#include "app/main_window.h"
#include "app/paint_box.h"
#include "document/attributes.h"
#include "document/paint.h"
#include "metafile/metafile_export.h"
#include "render/qt_canvas.h"
#include "render/qt_text.h"
#include "qt/app/window_fixture.h"

using namespace humidraw;
using namespace humidraw::app;
using namespace humidraw::app::fixture;

namespace {

constexpr QRgb kGrey = qRgb(128, 128, 128);

// Of the chart's grey pixels, the share lying in a 2 × 2 square of grey. A line of one device
// pixel never fills such a square (save where two lines cross); a picture drawn at one pixel
// per pixel and enlarged 1.5 times doubles every other row and column of its lines and fills
// many.
double greySquareShare(const QImage& image) {
    long grey = 0, squares = 0;
    const auto isGrey = [&](int x, int y) {
        return (image.pixel(x, y) & 0xFFFFFF) == (kGrey & 0xFFFFFF);
    };
    for (int y = 0; y + 1 < image.height(); ++y)
        for (int x = 0; x + 1 < image.width(); ++x) {
            if (!isGrey(x, y)) continue;
            ++grey;
            squares += isGrey(x + 1, y) && isGrey(x, y + 1) && isGrey(x + 1, y + 1);
        }
    return grey == 0 ? 1.0 : double(squares) / grey;
}

// What the paint box shows, in device pixels.
QImage onScreen(TFmIX& w) {
    QWidget* port = w.scrollBox()->viewport();
    const QRect shown(w.paintBox()->mapFrom(port, QPoint(0, 0)), port->size());
    return w.paintBox()->grab(shown & w.paintBox()->rect()).toImage();
}

class Dense : public Window {
  protected:
    TFmIX& openShown() {
        TFmIX& w = open();
        w.resize(724, 584);
        w.show();
        QApplication::processEvents();
        w.ZoomAll();
        w.ZoomIn();
        w.paintBox()->repaint();
        return w;
    }
};

}  // namespace

TEST_F(Dense, ChartIsDrawnAtTheDevicesDensity) {
    TFmIX& w = openShown();
    ASSERT_EQ(w.paintBox()->devicePixelRatioF(), 1.5) << "QT_SCALE_FACTOR=1.5 in the environment";
    const QImage screen = onScreen(w);
    QWidget* port = w.scrollBox()->viewport();
    EXPECT_EQ(screen.width(), qRound(1.5 * std::min(port->width(), w.paintBox()->width())));
    EXPECT_LT(greySquareShare(screen), 0.1);  // 3 % here, from the texts' strokes

    // The same chart at one pixel per pixel, enlarged as the screen did it before.
    QImage plain(w.view().boxWidth, w.view().boxHeight, QImage::Format_RGB32);
    plain.fill(Qt::white);
    {
        QPainter p(&plain);
        QtCanvas k(p, 96);
        k.setPenColour(kChartColour);
        k.setFontColour(kChartColour);
        paintChart(k, w.frame(), w.chart(), w.documentObjects(), w.settings(),
                   ViewTransform{w.view().zoom});
    }
    const QImage enlarged = plain.scaled(plain.size() * 1.5);
    EXPECT_GT(greySquareShare(enlarged), 0.2) << "the measure tells the two apart (34 % here)";
}

TEST_F(Dense, ScreenShowsThePictureOneToOne) {
    TFmIX& w = openShown();
    w.scrollBy(37, 23);  // an odd offset: half device pixels if the copy were scaled
    w.scrollBox()->viewport()->repaint();
    QWidget* port = w.scrollBox()->viewport();
    const QPoint at = w.paintBox()->mapFrom(port, QPoint(0, 0));
    const QImage screen = onScreen(w);
    const QImage& picture = w.picture();
    // An odd offset starts half way into a device pixel: the copy lands on the nearest.
    int fewest = screen.width() * screen.height();
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const QPoint device(int(at.x() * 1.5) + dx, int(at.y() * 1.5) + dy);
            const QImage part = picture.copy(QRect(device, screen.size()));
            int differ = 0;
            for (int y = 0; y < screen.height(); ++y)
                for (int x = 0; x < screen.width(); ++x)
                    differ += (screen.pixel(x, y) & 0xFFFFFF) != (part.pixel(x, y) & 0xFFFFFF);
            fewest = std::min(fewest, differ);
        }
    EXPECT_EQ(fewest, 0);
}

TEST_F(Dense, RubberBandIsDrawnAtTheDevicesDensityAndLeavesNothing) {
    TFmIX& w = openShown();
    const QImage before = w.picture().copy();
    w.M_Free();
    Editor& e = w.editor();
    const int x0 = w.view().scrollX + 50, y0 = w.view().scrollY + 60;
    e.mouseMove(false, false, x0, y0);
    e.mouseDown(MouseButton::Left, false, x0, y0);
    e.mouseMove(false, false, x0 + 201, y0 + 67);
    // Along the band, in device pixels: points at 1.5 times the box's pixels differ from before.
    const QImage& banded = w.picture();
    int changed = 0;
    for (int i = 10; i <= 190; i += 10) {
        const int x = qRound((x0 + i) * 1.5), y = qRound((y0 + i / 3.0) * 1.5);
        bool near = false;
        for (int dy = -2; dy <= 2; ++dy) near |= banded.pixel(x, y + dy) != before.pixel(x, y + dy);
        changed += near;
    }
    EXPECT_GE(changed, 18);
    e.escapeKey();
    EXPECT_TRUE(w.picture() == before) << "the band and the start circle are gone";
}

TEST_F(Dense, ClipboardImageKeepsItsSize) {
    TFmIX& w = openShown();
    w.ToClip();
    const QImage image = qvariant_cast<QImage>(QApplication::clipboard()->mimeData()->imageData());
    EXPECT_EQ(image.size(), QSize(kMetafileWidth, kMetafileHeight));
    EXPECT_EQ(image.devicePixelRatio(), 1.0);
}

int main(int argc, char** argv) {
    setenv("QT_SCALE_FACTOR", "1.5", 1);
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    installFontSubstitutions();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
