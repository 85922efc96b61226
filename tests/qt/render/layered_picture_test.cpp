// The layered picture painted in parts against one painting of the whole, and the canvas leaving
// out what lies outside its visible area without changing a pixel inside it.
#include "render/layered_picture.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "render/qt_canvas.h"
#include "render/qt_text.h"

using namespace humidraw;

namespace {

// Thin and wide lines at many slopes, circles, arcs and texts turned several ways, over the
// whole area and past its edges.
void drawScene(QtCanvas& k, int shift) {
    k.setFont("ＭＳ Ｐゴシック", 13, 0);
    for (int i = 0; i < 40; ++i) {
        k.setPenColour(0x101010 * (i % 12));
        k.setPenWidth(i % 4);
        k.setPenStyle(i % 3 == 0 ? PenStyle::Dot : PenStyle::Solid);
        k.moveTo(-30 + 17 * i + shift, -20 + 7 * i);
        k.lineTo(420 - 9 * i, 330 - 13 * i + shift);
        k.ellipse(11 * i, 8 * i, 11 * i + 25, 8 * i + 25);
        k.arc(300 - 5 * i, 7 * i, 340 - 5 * i, 7 * i + 40, 0, 0, 400, 300);
        k.setFont("ＭＳ Ｐゴシック", 13, (i % 4) * 450);
        k.setFontColour(0x0000C0 + i);
        k.textOut(13 * i - 20, 9 * i - 15, "湿り空気 h=" + std::to_string(i + shift));
    }
}

// On an image of the largest picture's size, as the layers are: where a line is cut at the
// image's edge decides some of its pixels.
QImage onePainting(int shift) {
    QImage image(3600, 2700, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    QtCanvas k(p, 96);
    drawScene(k, shift);
    return image;
}

struct Scene {
    int shift = 0;
    int chartPaints = 0;
    LayeredPicture picture;
    Scene() {
        picture.paintChart = [this](QPainter& p) {
            ++chartPaints;
            p.fillRect(QRect(0, 0, 400, 300), Qt::white);
        };
        picture.paintObjects = [this](QPainter& p) {
            QtCanvas k(p, 96);
            k.setVisibleArea(p.clipBoundingRect());
            drawScene(k, shift);
        };
    }
};

// The first image against all of the second.
::testing::AssertionResult same(const QImage& a, const QImage& b) {
    int differ = 0;
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x) differ += (a.pixel(x, y) ^ b.pixel(x, y)) & 0xFFFFFF;
    if (differ == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixels differ";
}

}  // namespace

TEST(LayeredPicture, PartsInAnyOrderMakeTheOnePainting) {
    Scene s;
    s.picture.setGeometry(QSize(400, 300), 1.0);
    for (const QRect& r : {QRect(50, 40, 100, 30), QRect(0, 0, 60, 300), QRect(120, 10, 7, 250),
                           QRect(30, 200, 370, 100), QRect(380, 0, 50, 50)})
        s.picture.ensure(r);
    EXPECT_TRUE(same(s.picture.ensureAll(), onePainting(0).copy(0, 0, 400, 300)));
    EXPECT_EQ(s.chartPaints, 6);
    // The objects change, the chart layer stays: only the object painter runs again.
    s.shift = 3;
    s.picture.objectsChanged();
    s.picture.ensure(QRect(10, 10, 100, 100));
    EXPECT_TRUE(same(s.picture.ensureAll(), onePainting(3).copy(0, 0, 400, 300)));
    EXPECT_EQ(s.chartPaints, 6);
    EXPECT_EQ(s.picture.paintedRegion(), QRegion(0, 0, 400, 300));
}

TEST(LayeredPicture, PartsMeetWithoutGapsAtOneAndAHalfDevicePixels) {
    Scene s;
    s.picture.setGeometry(QSize(400, 300), 1.5);
    EXPECT_EQ(s.picture.toDevice(QRect(1, 1, 1, 1)), QRect(1, 1, 2, 2)) << "1.5 to 3 covered";
    // Odd edges fall inside device pixels: each part covers them whole.
    for (int x = 0; x < 400; x += 37) s.picture.ensure(QRect(x, 0, 37, 151));
    s.picture.ensure(QRect(0, 151, 400, 149));
    QImage whole(5400, 4050, QImage::Format_RGB32);
    whole.fill(Qt::white);
    {
        QPainter p(&whole);
        p.scale(1.5, 1.5);
        QtCanvas k(p, 96);
        drawScene(k, 0);
    }
    EXPECT_TRUE(same(s.picture.picture(), whole.copy(0, 0, 600, 450)));
}

TEST(QtCanvas, LeavesOutOnlyWhatLiesOutsideTheVisibleArea) {
    const QRect area(90, 70, 120, 90);
    QImage clipped(400, 300, QImage::Format_RGB32), culled(400, 300, QImage::Format_RGB32);
    clipped.fill(Qt::white);
    culled.fill(Qt::white);
    {
        QPainter p(&clipped);
        p.setClipRect(area);
        QtCanvas k(p, 96);
        drawScene(k, 0);
    }
    {
        QPainter p(&culled);
        p.setClipRect(area);
        QtCanvas k(p, 96);
        k.setVisibleArea(p.clipBoundingRect());
        drawScene(k, 0);
        k.moveTo(500, 500);
        k.lineTo(600, 650);  // wholly outside: left out, but the pen moves on
        EXPECT_EQ(k.penPosition().x, 600);
        EXPECT_EQ(k.penPosition().y, 650);
    }
    EXPECT_TRUE(same(culled, clipped));
}
