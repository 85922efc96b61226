#pragma once
// The program's pictures, drawn in code so they stay sharp at any size: command images, the
// four cursors, the picker glyphs and the program icon.
#include <QCursor>
#include <QIcon>
#include <QPixmap>

namespace humidraw::app {

// A command image by its number in the command table (6 new, 7 open, 8 save, 10 clipboard,
// 12 zoom, 14 print, 17 pan, 23 OK, 25 text, 26 zoom in, 27 zoom out, 29 fit, 30 erase,
// 31 exit, 32 segment, 34 state line).
QIcon commandIcon(int image);
QIcon programIcon();
QPixmap programPixmap(int size);

// Cursors 1 to 4: cross, zoom, pick box, pan.
QCursor programCursor(int number);

// Picker glyphs: a colour swatch, a width sample, a pattern sample.
void drawSwatch(QPainter& p, const QRect& r, const QColor& c);
void drawWidthSample(QPainter& p, const QRect& r, int widthIndex);
void drawStyleSample(QPainter& p, const QRect& r, int styleIndex);

}  // namespace humidraw::app
