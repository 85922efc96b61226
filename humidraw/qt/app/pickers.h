#pragma once
// The line-property pickers: drop-down lists whose items show their text and a glyph (colour
// swatch, width sample, pattern sample), on a white background.
#include <QComboBox>
#include <QLabel>
#include <QStyledItemDelegate>
#include <functional>

namespace humidraw::app {

using GlyphPainter = std::function<void(QPainter&, const QRect&, int item)>;

class GlyphComboBox : public QComboBox {
  public:
    GlyphComboBox(GlyphPainter glyph, int width, int rows, QWidget* parent = nullptr);
    // Draws one item: the text 3 pixels from the left, the glyph right-aligned 3 pixels from the
    // right, both centred vertically, on the cleared rectangle.
    void drawItem(QPainter& p, const QRect& r, int item, bool selected) const;

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    GlyphPainter glyph_;
};

// A label that moves the focus to its picker when clicked.
class PickerLabel : public QLabel {
  public:
    PickerLabel(const QString& text, QWidget* buddy, QWidget* parent = nullptr)
        : QLabel(text, parent), buddy_(buddy) {}

  protected:
    void mousePressEvent(QMouseEvent*) override;

  private:
    QWidget* buddy_;
};

}  // namespace humidraw::app
