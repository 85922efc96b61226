#include "app/paint_box.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>

namespace humidraw::app {

PaintBox::PaintBox(LayeredPicture& picture, QWidget* parent) : QWidget(parent), picture_(picture) {
    setObjectName("PBox");
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PaintBox::paintEvent(QPaintEvent* e) {
    // Before the first repaint there is no picture to paint again (the box shows paper).
    if (!picture_.size().isEmpty() && devicePixelRatioF() != picture_.devicePixelRatio() &&
        onDensityChange)
        onDensityChange();
    const QRect r = e->rect();
    if (r.isEmpty()) return;
    QPainter p(this);
    const QRect inside = r & QRect(QPoint(0, 0), picture_.size());
    if (!inside.isEmpty()) {
        const QImage& image = picture_.ensure(inside);
        // Device pixels one to one: the source is given in the picture's pixels.
        const QRect source = picture_.toDevice(inside);
        const qreal d = picture_.devicePixelRatio();
        p.drawImage(QRectF(source.x() / d, source.y() / d, source.width() / d, source.height() / d),
                    image, QRectF(source));
    }
    // Beyond the picture (a paint box larger than 3600 × 2700): paper.
    for (const QRect& outside : QRegion(r).subtracted(QRegion(inside)))
        p.fillRect(outside, Qt::white);
}

void PaintBox::mousePressEvent(QMouseEvent* e) {
    if (onPress) onPress(e);
}
void PaintBox::mouseMoveEvent(QMouseEvent* e) {
    if (onMove) onMove(e);
}
void PaintBox::mouseReleaseEvent(QMouseEvent* e) {
    if (onRelease) onRelease(e);
}
void PaintBox::mouseDoubleClickEvent(QMouseEvent* e) {
    // The second press of a double click is still a press for the running command.
    if (onPress) onPress(e);
    if (onDoubleClick && e->button() == Qt::LeftButton) onDoubleClick(e);
}

}  // namespace humidraw::app
