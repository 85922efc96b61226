#pragma once
// The screen's picture in two layers: the chart's own drawing on paper, which changes only with
// the settings and the zoom, and the picture shown, that layer with the document's objects over
// it. Both are painted only where the screen asks for them and kept until what they show changes,
// so a scroll paints the uncovered strip and an edit repaints the objects over the kept chart.
// Both are held at the screen's pixel density: the painters draw in the paint box's pixels and
// the scale to the device's pixels is set on their painter.
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <functional>

namespace humidraw {

class LayeredPicture {
  public:
    // Each draws in the paint box's pixels onto a painter already clipped to what is missing.
    using Painter = std::function<void(QPainter&)>;
    Painter paintChart;    // paper and chart
    Painter paintObjects;  // the document's objects (and whatever else goes over the chart)

    // The area in the paint box's pixels (at most the largest picture) and the device pixels per
    // pixel. A change of either drops both layers. The images always have the largest picture's
    // size, so that a line running off the area is drawn with the same pixels at every size;
    // they are allocated once for each pixel ratio, never filled, and pages never painted cost
    // no memory.
    void setGeometry(QSize size, qreal devicePixelRatio);
    static constexpr int kLargestWidth = 3600, kLargestHeight = 2700;
    void chartChanged();    // both layers are painted again
    void objectsChanged();  // the chart layer is kept
    // Paints what is missing of `area` (paint box pixels) and answers the picture.
    QImage& ensure(const QRect& area);
    // Everything painted: for looking at the whole picture.
    QImage& ensureAll() { return ensure(QRect(QPoint(0, 0), size_)); }

    QSize size() const { return size_; }
    qreal devicePixelRatio() const { return dpr_; }
    // The device pixels covering an area of paint box pixels, within the picture.
    QRect toDevice(const QRect& area) const;
    const QImage& picture() const { return picture_; }
    // What is painted already (device pixels), for tests.
    const QRegion& paintedRegion() const { return pictureValid_; }

  private:
    void begin(QPainter& p, QImage& image, const QRegion& clip) const;

    QSize size_;
    qreal dpr_ = 1;
    QImage chart_, picture_;
    QRegion chartValid_, pictureValid_;
};

}  // namespace humidraw
