#include "app/icons.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "document/attributes.h"

namespace humidraw::app {
namespace {

const QColor kInk(40, 56, 80);
const QColor kAccent(30, 120, 200);
const QColor kWarm(210, 80, 50);

// Draws one image on a 32-unit grid at the pixmap's size.
QPixmap picture(int size, int image) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    QPen ink(kInk, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(ink);
    p.setBrush(Qt::NoBrush);
    const auto page = [&](QColor fill) {
        QPainterPath path;
        path.moveTo(7, 3);
        path.lineTo(20, 3);
        path.lineTo(26, 9);
        path.lineTo(26, 29);
        path.lineTo(7, 29);
        path.closeSubpath();
        p.setBrush(fill);
        p.drawPath(path);
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({{20, 3}, {20, 9}, {26, 9}}));
    };
    const auto magnifier = [&]() {
        p.setBrush(QColor(230, 242, 255));
        p.drawEllipse(QPointF(13, 13), 8, 8);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(kInk, 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(19, 19), QPointF(28, 28));
        p.setPen(ink);
    };
    switch (image) {
        case 6:  // new
            page(Qt::white);
            p.setPen(QPen(kAccent, 2.6, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(12, 19), QPointF(21, 19));
            p.drawLine(QPointF(16.5, 14.5), QPointF(16.5, 23.5));
            break;
        case 7:  // open
            p.setBrush(QColor(250, 215, 120));
            p.drawPolygon(QPolygonF({{3, 8}, {12, 8}, {15, 11}, {27, 11}, {27, 26}, {3, 26}}));
            p.setBrush(QColor(255, 235, 160));
            p.drawPolygon(QPolygonF({{3, 26}, {8, 15}, {30, 15}, {27, 26}}));
            break;
        case 8:  // save
            p.setBrush(kAccent);
            p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
            p.setBrush(Qt::white);
            p.drawRect(QRectF(9, 4, 14, 9));
            p.drawRect(QRectF(8, 18, 16, 10));
            break;
        case 10:  // clipboard
            p.setBrush(QColor(235, 200, 150));
            p.drawRoundedRect(QRectF(6, 5, 20, 24), 2, 2);
            p.setBrush(Qt::white);
            p.drawRect(QRectF(11, 3, 10, 5));
            p.drawLine(QPointF(10, 15), QPointF(22, 15));
            p.drawLine(QPointF(10, 20), QPointF(22, 20));
            break;
        case 12:  // zoom mode
            magnifier();
            p.drawLine(QPointF(9, 13), QPointF(17, 13));
            break;
        case 14:  // print
            p.setBrush(Qt::white);
            p.drawRect(QRectF(9, 3, 14, 10));
            p.setBrush(QColor(200, 210, 225));
            p.drawRoundedRect(QRectF(3, 12, 26, 11), 2, 2);
            p.setBrush(Qt::white);
            p.drawRect(QRectF(9, 19, 14, 10));
            break;
        case 17:  // pan
            p.drawLine(QPointF(16, 3), QPointF(16, 29));
            p.drawLine(QPointF(3, 16), QPointF(29, 16));
            p.setBrush(kInk);
            p.drawPolygon(QPolygonF({{16, 2}, {12, 7}, {20, 7}}));
            p.drawPolygon(QPolygonF({{16, 30}, {12, 25}, {20, 25}}));
            p.drawPolygon(QPolygonF({{2, 16}, {7, 12}, {7, 20}}));
            p.drawPolygon(QPolygonF({{30, 16}, {25, 12}, {25, 20}}));
            break;
        case 23:  // OK
            p.setPen(QPen(QColor(40, 150, 70), 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawPolyline(QPolygonF({{6, 17}, {13, 24}, {26, 8}}));
            break;
        case 25: {  // text
            QFont f("DejaVu Sans");
            f.setPixelSize(22);
            f.setBold(true);
            p.setFont(f);
            p.setPen(kInk);
            p.drawText(QRectF(2, 2, 28, 28), Qt::AlignCenter, "A");
            break;
        }
        case 26:  // zoom in
            magnifier();
            p.drawLine(QPointF(9, 13), QPointF(17, 13));
            p.drawLine(QPointF(13, 9), QPointF(13, 17));
            break;
        case 27:  // zoom out
            magnifier();
            p.drawLine(QPointF(9, 13), QPointF(17, 13));
            break;
        case 29:  // fit
            p.drawRect(QRectF(8, 9, 16, 14));
            p.setBrush(kInk);
            for (auto [x, y, dx, dy] :
                 {std::tuple{3, 3, 1, 1}, {29, 3, -1, 1}, {3, 29, 1, -1}, {29, 29, -1, -1}}) {
                p.drawPolygon(QPolygonF({{qreal(x), qreal(y)},
                                         {qreal(x + 6 * dx), qreal(y)},
                                         {qreal(x), qreal(y + 6 * dy)}}));
            }
            break;
        case 30:  // erase
            p.setBrush(QColor(240, 160, 170));
            p.drawPolygon(QPolygonF({{4, 20}, {16, 8}, {27, 19}, {18, 28}, {11, 28}}));
            p.drawLine(QPointF(10, 14), QPointF(21, 25));
            break;
        case 31:  // exit
            p.drawRect(QRectF(5, 4, 13, 24));
            p.setPen(QPen(kWarm, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawLine(QPointF(13, 16), QPointF(28, 16));
            p.drawPolyline(QPolygonF({{23, 11}, {28, 16}, {23, 21}}));
            break;
        case 32:  // free segment
            p.setPen(QPen(kAccent, 2.6, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(6, 26), QPointF(26, 6));
            p.setPen(ink);
            p.setBrush(Qt::white);
            p.drawEllipse(QPointF(6, 26), 3.5, 3.5);
            p.drawEllipse(QPointF(26, 6), 3.5, 3.5);
            break;
        case 34:  // state-change line
            p.setPen(QPen(QColor(150, 150, 150), 1.2));
            for (int i = 0; i < 4; ++i) p.drawLine(QPointF(4, 28 - 7 * i), QPointF(28, 24 - 7 * i));
            p.setPen(QPen(kWarm, 2.6, Qt::DashLine, Qt::RoundCap));
            p.drawLine(QPointF(7, 24), QPointF(25, 8));
            p.setPen(ink);
            p.setBrush(Qt::white);
            p.drawEllipse(QPointF(7, 24), 3, 3);
            p.drawEllipse(QPointF(25, 8), 3, 3);
            break;
        case 40:  // undo: an arrow bending back to the left
        case 41:  // redo: the same arrow to the right
            if (image == 41) {
                p.translate(32, 0);
                p.scale(-1, 1);
            }
            p.setPen(QPen(kAccent, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            {
                QPainterPath path;
                path.moveTo(8, 13);
                path.lineTo(19, 13);
                path.cubicTo(29, 13, 29, 27, 19, 27);
                path.lineTo(13, 27);
                p.drawPath(path);
            }
            p.drawPolyline(QPolygonF({{13, 7}, {7, 13}, {13, 19}}));
            break;
        case 42:  // select: the pointer's arrow
            p.setBrush(Qt::white);
            p.drawPolygon(
                QPolygonF({{8, 4}, {8, 25}, {13, 20}, {17, 29}, {21, 27}, {17, 19}, {24, 19}}));
            break;
        default:
            p.drawRect(QRectF(6, 6, 20, 20));
            break;
    }
    return pm;
}

}  // namespace

QIcon commandIcon(int image) {
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48}) icon.addPixmap(picture(size, image));
    return icon;
}

QPixmap programPixmap(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    p.setPen(QPen(QColor(40, 56, 80), 2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(3, 3, 58, 58), 8, 8);
    p.setPen(QPen(QColor(170, 180, 195), 1.2));
    for (int i = 1; i < 6; ++i) p.drawLine(QPointF(8 + 9 * i, 56), QPointF(8 + 9 * i - 2, 14));
    p.setPen(QPen(QColor(30, 120, 200), 3, Qt::SolidLine, Qt::RoundCap));
    QPainterPath sat;
    sat.moveTo(8, 55);
    sat.cubicTo(30, 52, 44, 38, 54, 10);
    p.drawPath(sat);
    p.setPen(QPen(QColor(210, 80, 50), 2.5, Qt::DashLine, Qt::RoundCap));
    p.drawLine(QPointF(22, 46), QPointF(42, 30));
    return pm;
}

QIcon programIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128}) icon.addPixmap(programPixmap(size));
    return icon;
}

QCursor programCursor(int number) {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing, number == 2 || number == 4);
    const auto outlined = [&](auto draw) {
        p.setPen(QPen(Qt::white, 3));
        draw();
        p.setPen(QPen(Qt::black, 1));
        draw();
    };
    int hotX = 15, hotY = 15;
    switch (number) {
        case 2:  // zoom: a magnifier whose lens centre is the hot spot
            hotX = 12, hotY = 12;
            outlined([&] {
                p.drawEllipse(QPointF(12, 12), 8, 8);
                p.drawLine(QPointF(18, 18), QPointF(27, 27));
                p.drawLine(QPointF(8, 12), QPointF(16, 12));
                p.drawLine(QPointF(12, 8), QPointF(12, 16));
            });
            break;
        case 3:  // pick box
            outlined([&] {
                p.drawRect(QRect(11, 11, 8, 8));
                p.drawLine(15, 2, 15, 9);
                p.drawLine(15, 21, 15, 28);
                p.drawLine(2, 15, 9, 15);
                p.drawLine(21, 15, 28, 15);
            });
            break;
        case 4:  // pan: four arrows
            outlined([&] {
                p.drawLine(15, 3, 15, 27);
                p.drawLine(3, 15, 27, 15);
                p.drawPolyline(QPolygon({{11, 7}, {15, 3}, {19, 7}}));
                p.drawPolyline(QPolygon({{11, 23}, {15, 27}, {19, 23}}));
                p.drawPolyline(QPolygon({{7, 11}, {3, 15}, {7, 19}}));
                p.drawPolyline(QPolygon({{23, 11}, {27, 15}, {23, 19}}));
            });
            break;
        default:  // cross
            outlined([&] {
                p.drawLine(15, 1, 15, 12);
                p.drawLine(15, 18, 15, 29);
                p.drawLine(1, 15, 12, 15);
                p.drawLine(18, 15, 29, 15);
            });
            break;
    }
    return QCursor(pm, hotX, hotY);
}

void drawSwatch(QPainter& p, const QRect& r, const QColor& c) {
    p.setPen(Qt::black);
    p.setBrush(c);
    p.drawRect(r.adjusted(0, 0, -1, -1));
}

void drawWidthSample(QPainter& p, const QRect& r, int widthIndex) {
    // The pen at zoom 2, so every index is told apart.
    const int w = std::max(1, penWidthFor(widthIndex, 2.0));
    p.setPen(QPen(Qt::black, w, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(r.left(), r.center().y(), r.right(), r.center().y());
}

void drawStyleSample(QPainter& p, const QRect& r, int styleIndex) {
    const std::vector<int> pattern = stylePattern(styleIndex, 1.0);
    p.setPen(QPen(Qt::black, 1));
    const int y = r.center().y();
    if (pattern.empty()) {
        p.drawLine(r.left(), y, r.right(), y);
        return;
    }
    int x = r.left();
    size_t k = 0;
    while (x <= r.right()) {
        const int len = std::max(1, pattern[k % pattern.size()]);
        if (k % 2 == 0) p.drawLine(x, y, std::min(x + len - 1, r.right()), y);
        x += len;
        ++k;
    }
}

}  // namespace humidraw::app
