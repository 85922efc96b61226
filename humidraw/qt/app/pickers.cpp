#include "app/pickers.h"

#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <algorithm>

namespace humidraw::app {
namespace {

class GlyphDelegate : public QStyledItemDelegate {
  public:
    explicit GlyphDelegate(const GlyphComboBox* box) : box_(box) {}
    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        box_->drawItem(*p, option.rect, index.row(), option.state & QStyle::State_Selected);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        s.setHeight(std::max(s.height(), 18));
        return s;
    }

  private:
    const GlyphComboBox* box_;
};

}  // namespace

GlyphComboBox::GlyphComboBox(GlyphPainter glyph, int width, int rows, QWidget* parent)
    : QComboBox(parent), glyph_(std::move(glyph)) {
    setItemDelegate(new GlyphDelegate(this));
    setFixedWidth(width);
    setMaxVisibleItems(rows);
    setFocusPolicy(Qt::ClickFocus);  // skipped by the Tab key
}

void GlyphComboBox::drawItem(QPainter& p, const QRect& r, int item, bool selected) const {
    p.save();
    p.fillRect(r, selected ? palette().highlight() : QBrush(Qt::white));
    p.setPen(selected ? palette().highlightedText().color() : QColor(Qt::black));
    const QRect textRect = r.adjusted(3, 0, -3, 0);
    p.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, itemText(item));
    // The glyph fills what the text leaves, up to half the width.
    const int textWidth = p.fontMetrics().horizontalAdvance(itemText(item));
    const int glyphWidth = std::clamp(r.width() - 3 - textWidth - 6 - 3, 8, r.width() / 2);
    const int glyphHeight = std::min(10, r.height() - 4);
    const QRect glyphRect(r.right() - 3 - glyphWidth, r.center().y() - glyphHeight / 2 + 1,
                          glyphWidth, glyphHeight);
    p.setBackgroundMode(Qt::TransparentMode);
    glyph_(p, glyphRect, item);
    p.restore();
}

void GlyphComboBox::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    p.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    if (currentIndex() >= 0) drawItem(p, field, currentIndex(), false);
}

void PickerLabel::mousePressEvent(QMouseEvent*) {
    if (buddy_) buddy_->setFocus(Qt::MouseFocusReason);
}

}  // namespace humidraw::app
