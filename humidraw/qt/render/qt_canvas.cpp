#include "render/qt_canvas.h"

#include <QFontMetrics>
#include <QPen>
#include <cmath>

#include "chart/chart_settings.h"

namespace humidraw {

QColor toQColor(Colour c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

QtCanvas::QtCanvas(QPainter& painter, int dpi) : p_(painter), dpi_(dpi) {
    p_.setRenderHint(QPainter::Antialiasing, false);
    // The painter's scale to the device (the picture's layers scale by the pixel ratio).
    const double scale = std::abs(p_.deviceTransform().m11());
    if (scale > 0) deviceRatio_ = scale;
    p_.setRenderHint(QPainter::TextAntialiasing, true);
    setFont(kDefaultFontName, 8, 0);
    applyPen();
    setBrushClear();
}

void QtCanvas::applyPen() {
    const Qt::PenStyle style = penStyle_ == PenStyle::Dot       ? Qt::DotLine
                               : penStyle_ == PenStyle::DashDot ? Qt::DashDotLine
                                                                : Qt::SolidLine;
    const Colour colour = penMode_ == PenMode::Black ? 0x000000 : penColour_;
    QPen pen(toQColor(colour), penWidth_ <= 1 ? 0 : penWidth_, style, Qt::RoundCap, Qt::RoundJoin);
    pen.setCosmetic(penWidth_ <= 1);
    // A thin pen's dots and dashes are device pixels long: on a printer's 600 or 1200 dpi they
    // would close up into a solid line. They keep the length they have at 96 dpi.
    if (penWidth_ <= 1 && style != Qt::SolidLine && dpi_ > 96) {
        QList<qreal> pattern = pen.dashPattern();
        for (qreal& d : pattern) d *= dpi_ / 96.0;
        pen.setDashPattern(pattern);
    }
    p_.setPen(pen);
    p_.setCompositionMode(penMode_ == PenMode::NotXor ? QPainter::RasterOp_NotSourceXorDestination
                                                      : QPainter::CompositionMode_SourceOver);
}

void QtCanvas::setSmooth(bool smooth) {
    smooth_ = smooth;
    p_.setRenderHint(QPainter::Antialiasing, smooth);
}

double QtCanvas::strokeOffset() const {
    if (!smooth_) return 0;
    // Plain drawing puts a one-pixel stroke through (x, y) on pixel (x, y), whose middle is half
    // a device pixel further; a stroke of an odd number of device pixels is centred the same way,
    // an even one lies on the pixel edge already.
    const long devicePixels = penWidth_ <= 1 ? 1 : std::lround(penWidth_ * deviceRatio_);
    return devicePixels % 2 ? 0.5 / deviceRatio_ : 0;
}

void QtCanvas::setPenColour(Colour c) {
    penColour_ = c;
    applyPen();
}
void QtCanvas::setPenWidth(int pixels) {
    penWidth_ = pixels;
    applyPen();
}
void QtCanvas::setPenStyle(PenStyle s) {
    penStyle_ = s;
    applyPen();
}
void QtCanvas::setPenMode(PenMode m) {
    penMode_ = m;
    applyPen();
}
void QtCanvas::setBrushClear() {
    brushSolid_ = false;
    p_.setBrush(Qt::NoBrush);
}
void QtCanvas::setBrushSolid(Colour c) {
    brushSolid_ = true;
    brushColour_ = c;
    p_.setBrush(toQColor(c));
}

void QtCanvas::setFont(const std::string& face, int height, int escapement) {
    escapement_ = escapement;
    // Rotation is applied when the text is drawn: the same face and height keep their font.
    if (face == face_ && height == fontHeight_ && !face_.empty()) return;
    face_ = face;
    fontHeight_ = height;
    escapement_ = escapement;
    font_ = QFont(QString::fromStdString(face));
    font_.setPixelSize(std::max(1, height));
    font_.setWeight(QFont::Normal);
    font_.setItalic(false);
    p_.setFont(font_);
    // Twice the height covers the widest glyph of any face, fallbacks included.
    glyphReach_ = std::max<double>(QFontMetrics(font_).maxWidth(), 2.0 * font_.pixelSize());
}

bool QtCanvas::outside(double left, double top, double right, double bottom) const {
    if (visible_.isEmpty()) return false;
    return right < visible_.left() || left > visible_.right() || bottom < visible_.top() ||
           top > visible_.bottom();
}

void QtCanvas::lineTo(int x, int y) {
    const int w = penWidth_ + 1;
    if (!outside(std::min(pen_.x, x) - w, std::min(pen_.y, y) - w, std::max(pen_.x, x) + w,
                 std::max(pen_.y, y) + w))
    {
        if (smooth_) {
            const double o = strokeOffset();
            p_.drawLine(QPointF(pen_.x + o, pen_.y + o), QPointF(x + o, y + o));
        } else {
            p_.drawLine(pen_.x, pen_.y, x, y);
        }
    }
    pen_ = {x, y};
}

void QtCanvas::ellipse(int left, int top, int right, int bottom) {
    const int w = penWidth_ + 1;
    if (outside(std::min(left, right) - w, std::min(top, bottom) - w, std::max(left, right) + w,
                std::max(top, bottom) + w))
        return;
    if (smooth_) {
        const double o = strokeOffset();
        p_.drawEllipse(QRectF(left + o, top + o, right - left, bottom - top));
    } else {
        p_.drawEllipse(QRect(left, top, right - left, bottom - top));
    }
}

void QtCanvas::arc(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2) {
    const int w = penWidth_ + 1;
    if (outside(std::min(left, right) - w, std::min(top, bottom) - w, std::max(left, right) + w,
                std::max(top, bottom) + w))
        return;
    const double cx = (left + right) / 2.0, cy = (top + bottom) / 2.0;
    const double a1 = std::atan2(-(y1 - cy), x1 - cx) * 180 / M_PI;
    const double a2 = std::atan2(-(y2 - cy), x2 - cx) * 180 / M_PI;
    double span = a2 - a1;
    while (span <= 0) span += 360;
    const double o = strokeOffset();
    p_.drawArc(QRectF(left + o, top + o, right - left, bottom - top), static_cast<int>(a1 * 16),
               static_cast<int>(span * 16));
}

void QtCanvas::textOut(int x, int y, const std::string& text) {
    // Turned any way, the text lies within its length in glyphs (at most its bytes) around the
    // corner it is drawn from.
    const double reach = (static_cast<double>(text.size()) + 2) * glyphReach_;
    if (outside(x - reach, y - reach, x + reach, y + reach)) return;
    const QString s = QString::fromStdString(text);
    const QFontMetrics m(font_, p_.device());
    p_.save();
    p_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p_.setPen(toQColor(fontColour_));  // pen mode Black blackens lines only: texts keep colours
    p_.translate(x, y);
    if (escapement_ != 0) p_.rotate(-escapement_ / 10.0);
    p_.drawText(0, m.ascent(), s);
    p_.restore();
}

TextExtent QtCanvas::textExtent(const std::string& text) {
    const QFontMetrics m(font_, p_.device());
    return {m.horizontalAdvance(QString::fromStdString(text)), m.height()};
}

void QtCanvas::fillRect(int left, int top, int right, int bottom) {
    p_.fillRect(QRect(left, top, right - left, bottom - top), toQColor(brushColour_));
}

void QtCanvas::fillPolygon(const PixelPoint* points, int count) {
    if (count < 3) return;
    QPolygon polygon(count);
    for (int i = 0; i < count; ++i) polygon.setPoint(i, points[i].x, points[i].y);
    const QPen pen = p_.pen();
    const QBrush brush = p_.brush();
    p_.setPen(Qt::NoPen);
    p_.setBrush(toQColor(brushColour_));
    p_.drawPolygon(polygon, Qt::OddEvenFill);
    p_.setPen(pen);
    p_.setBrush(brush);
}

}  // namespace humidraw
