#include "app/paint_box.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>

namespace humidraw::app {

PaintBox::PaintBox(const QImage& picture, QWidget* parent) : QWidget(parent), picture_(picture) {
    setObjectName("PBox");
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PaintBox::paintEvent(QPaintEvent* e) {
    const QRect r = e->rect();
    if (r.isEmpty()) return;
    QPainter p(this);
    p.drawImage(r.topLeft(), picture_, r);
    // Beyond the picture (a paint box larger than 3600 × 2700): paper.
    const QRect outside =
        QRegion(r).subtracted(QRegion(0, 0, picture_.width(), picture_.height())).boundingRect();
    if (!outside.isEmpty()) p.fillRect(outside, Qt::white);
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
