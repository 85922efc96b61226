#include "render/layered_picture.h"

#include <cmath>

namespace humidraw {

void LayeredPicture::setGeometry(QSize size, qreal devicePixelRatio) {
    if (size == size_ && devicePixelRatio == dpr_ && !picture_.isNull()) return;
    size_ = size;
    chartChanged();
    if (devicePixelRatio == dpr_ && !picture_.isNull()) return;
    dpr_ = devicePixelRatio;
    const QSize device(static_cast<int>(std::ceil(kLargestWidth * dpr_)),
                       static_cast<int>(std::ceil(kLargestHeight * dpr_)));
    chart_ = QImage(device, QImage::Format_RGB32);
    picture_ = QImage(device, QImage::Format_RGB32);
}

void LayeredPicture::chartChanged() {
    chartValid_ = QRegion();
    pictureValid_ = QRegion();
}

void LayeredPicture::objectsChanged() {
    pictureValid_ = QRegion();
}

QRect LayeredPicture::toDevice(const QRect& area) const {
    const int left = static_cast<int>(std::floor(area.left() * dpr_));
    const int top = static_cast<int>(std::floor(area.top() * dpr_));
    const int right = static_cast<int>(std::ceil((area.left() + area.width()) * dpr_));
    const int bottom = static_cast<int>(std::ceil((area.top() + area.height()) * dpr_));
    const QRect whole(0, 0, static_cast<int>(std::ceil(size_.width() * dpr_)),
                      static_cast<int>(std::ceil(size_.height() * dpr_)));
    return QRect(left, top, right - left, bottom - top) & whole & picture_.rect();
}

// The clip is set in device pixels, before the scale, so that neighbouring parts painted at
// different times meet without a gap or an overlap at any pixel ratio.
void LayeredPicture::begin(QPainter& p, QImage& image, const QRegion& clip) const {
    p.begin(&image);
    p.setClipRegion(clip);
    p.scale(dpr_, dpr_);
}

QImage& LayeredPicture::ensure(const QRect& area) {
    const QRegion missing = QRegion(toDevice(area)).subtracted(pictureValid_);
    if (missing.isEmpty()) return picture_;
    const QRegion chartMissing = missing.subtracted(chartValid_);
    if (!chartMissing.isEmpty()) {
        QPainter p;
        begin(p, chart_, chartMissing);
        if (paintChart) paintChart(p);
        p.end();
        chartValid_ += chartMissing;
    }
    QPainter p;
    begin(p, picture_, missing);
    p.save();
    p.resetTransform();
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(missing.boundingRect().topLeft(), chart_, missing.boundingRect());
    p.restore();
    if (paintObjects) paintObjects(p);
    p.end();
    pictureValid_ += missing;
    return picture_;
}

}  // namespace humidraw
