#include "render/qt_canvas.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>
#include <QPainter>

#include "render/qt_text.h"

using namespace humidraw;

namespace {

QImage whitePicture() {
    QImage image(200, 120, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

int countColour(const QImage& image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == colour;
    return n;
}

}  // namespace

TEST(QtCanvas, NotXorTwiceRestoresEveryPixel) {
    QImage image = whitePicture();
    {
        QPainter p(&image);
        QtCanvas k(p, 96);
        k.setPenColour(0x0000FF);
        k.moveTo(10, 10);
        k.lineTo(150, 90);  // something under the marks
    }
    const QImage before = image.copy();
    {
        QPainter p(&image);
        QtCanvas k(p, 96);
        k.setPenMode(PenMode::NotXor);
        k.setPenColour(0x000000);
        for (int pass = 0; pass < 2; ++pass) {
            k.moveTo(5, 100);
            k.lineTo(190, 20);
            k.ellipse(40, 40, 80, 80);
        }
    }
    EXPECT_EQ(image, before);
}

TEST(QtCanvas, ColoursAreBgrAndBlackModePrintsBlack) {
    QImage image = whitePicture();
    {
        QPainter p(&image);
        QtCanvas k(p, 96);
        k.setPenColour(0x0000FF);  // red
        k.moveTo(0, 10);
        k.lineTo(199, 10);
        k.setPenMode(PenMode::Black);
        k.setPenColour(0x00FF00);
        k.moveTo(0, 50);
        k.lineTo(199, 50);
    }
    EXPECT_EQ(image.pixel(100, 10), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(100, 50), qRgb(0, 0, 0));
}

// A printed page: lines black whatever their colour, texts (labels, table rows) in theirs.
TEST(QtCanvas, BlackModeLeavesTextsInTheirColour) {
    QImage image = whitePicture();
    {
        QPainter p(&image);
        QtCanvas k(p, 96);
        k.setPenMode(PenMode::Black);
        k.setPenColour(0x0000FF);
        k.setFont("ＭＳ Ｐゴシック", 24, 0);
        k.setFontColour(0xFF0000);  // blue
        k.textOut(10, 10, "乾球温度");
    }
    int blue = 0, black = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            blue += qBlue(c) > 200 && qRed(c) < 60 && qGreen(c) < 60;
            black += qBlue(c) < 60 && qRed(c) < 60 && qGreen(c) < 60;
        }
    EXPECT_GT(blue, 40);
    EXPECT_EQ(black, 0);
}

TEST(QtCanvas, TextInFontColourAndRotation) {
    QImage image = whitePicture();
    {
        QPainter p(&image);
        QtCanvas k(p, 96);
        k.setFont("ＭＳ Ｐゴシック", 16, 0);
        k.setFontColour(0xFF0000);  // blue
        k.textOut(10, 10, "乾球温度");
        const TextExtent e = k.textExtent("乾球温度");
        EXPECT_GT(e.width, 40);
        EXPECT_GE(e.height, 16);
        // Turned 90° counter-clockwise: the text runs upwards from its corner.
        k.setFont(k.fontFace(), 16, 900);
        k.textOut(150, 110, "ABC");
    }
    int blueTop = 0, blueRight = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 100; ++x)
            blueTop += qBlue(image.pixel(x, y)) > 200 && qRed(image.pixel(x, y)) < 100;
    for (int y = 60; y < 112; ++y)
        for (int x = 140; x < 180; ++x) blueRight += qRed(image.pixel(x, y)) < 100;
    EXPECT_GT(blueTop, 20);
    EXPECT_GT(blueRight, 20);
}

TEST(QtCanvas, ArcRunsCounterClockwise) {
    QImage image = whitePicture();
    {
        QPainter p(&image);
        QtCanvas k(p, 96);
        k.setPenColour(0x000000);
        // From the ray to the west to the ray to the south-west: the lower-left eighth.
        k.arc(50, 10, 150, 110, 50, 60, 50, 110);
    }
    EXPECT_GT(countColour(image.copy(50, 60, 30, 40), qRgb(0, 0, 0)), 10);
    EXPECT_EQ(countColour(image.copy(50, 10, 50, 48), qRgb(0, 0, 0)), 0) << "not the upper half";
    EXPECT_EQ(countColour(image.copy(101, 10, 50, 101), qRgb(0, 0, 0)), 0) << "not the right";
}

TEST(ChartFont, JapaneseFaceMapsToAnInstalledFont) {
    const QFont f = chartFont("ＭＳ Ｐゴシック", 6);
    EXPECT_EQ(f.pixelSize(), 8);
    const QString family = QFontInfo(f).family();
    EXPECT_TRUE(family.contains("IPA") || family.contains("Noto")) << family.toStdString();
    QtTextMetrics m;
    m.setFont("ＭＳ Ｐゴシック", 6);
    EXPECT_GE(m.height(), 8);
    EXPECT_GT(m.width("乾球温度"), m.width("0000"));
}
