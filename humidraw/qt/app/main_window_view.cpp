// The view: repainting the picture, zooming and scrolling, and the host side of the interaction
// layer.
#include <QScrollBar>
#include <QToolButton>

#include "app/main_window.h"
#include "app/paint_box.h"
#include "document/paint.h"
#include "render/qt_canvas.h"

namespace humidraw::app {

Viewport TFmIX::viewport() const {
    Viewport p;
    p.clientWidth = scroll_->viewport()->width();
    p.clientHeight = scroll_->viewport()->height();
    p.outerWidth = scroll_->width();
    p.outerHeight = scroll_->height();
    return p;
}

void TFmIX::applyView() {
    fitted_ = false;
    box_->resize(view_.boxWidth, view_.boxHeight);
    scroll_->horizontalScrollBar()->setValue(view_.scrollX);
    scroll_->verticalScrollBar()->setValue(view_.scrollY);
}

void TFmIX::ViewIx() {
    // The picture ends at 3600 × 2700: a larger paint box shows paper beyond.
    picture_.setGeometry(QSize(std::min(view_.boxWidth, LayeredPicture::kLargestWidth),
                               std::min(view_.boxHeight, LayeredPicture::kLargestHeight)),
                         box_->devicePixelRatioF());
    const auto key = std::make_tuple(view_.zoom, settings_.fontName, settings_.fontSize,
                                     settings_.view, chartBuild_);
    // The overlay's fills lie under the chart's lines, so a new overlay is a new chart layer. The
    // one last painted is held, so its address cannot come back as another one's.
    if (key != chartKey_ || objects_.overlay != chartOverlay_) {
        chartKey_ = key;
        chartOverlay_ = objects_.overlay;
        picture_.chartChanged();
    } else {
        picture_.objectsChanged();
    }
    editor_.repainted();  // a running command's marks come back over the fresh picture
    box_->update();
}

void TFmIX::paintChartLayer(QPainter& p) {
    QtCanvas k(p, 96);
    k.setSmooth(true);
    k.setVisibleArea(p.clipBoundingRect());
    k.setPenMode(PenMode::Copy);
    k.setPenStyle(PenStyle::Solid);
    k.setPenColour(kPaperColour);
    k.setBrushSolid(kPaperColour);
    k.fillRect(0, 0, view_.boxWidth, view_.boxHeight);
    k.setPenColour(kChartColour);
    k.setBrushClear();
    k.setFontColour(kChartColour);
    humidraw::paintChartLayer(k, frame_, chart_, objects_.overlay.get(), settings_,
                              screen());
}

// The one place the document's objects are drawn on the screen: over the chart layer, in the
// state the chart's drawing leaves the canvas in.
void TFmIX::paintObjectLayer(QPainter& p) {
    QtCanvas k(p, 96);
    k.setSmooth(true);
    k.setVisibleArea(p.clipBoundingRect());
    k.setPenMode(PenMode::Copy);
    k.setPenColour(kChartColour);
    k.setBrushClear();
    k.setFontColour(kChartColour);
    paintObjects(k, frame_, chart_, objects_, settings_, screen());
}

namespace {
QWidget* buttonFor(QToolBar* bar, QAction* a) {
    return bar ? bar->widgetForAction(a) : nullptr;
}
}  // namespace

bool TFmIX::zoomInEnabled() const {
    QWidget* b = buttonFor(commandBar_, action(Command::ZoomIn));
    return b && b->isEnabled();
}

bool TFmIX::zoomOutEnabled() const {
    QWidget* b = buttonFor(commandBar_, action(Command::ZoomOut));
    return b && b->isEnabled();
}

void TFmIX::zoomStep(bool in, bool atPointer) {
    const Viewport port = viewport();
    takeScrollPositions();
    ZoomAnchor anchor{atPointer, editor_.pointerX(), editor_.pointerY()};
    QWidget* up = buttonFor(commandBar_, action(Command::ZoomIn));
    QWidget* down = buttonFor(commandBar_, action(Command::ZoomOut));
    if (!humidraw::zoomStep(view_, in, port, anchor)) {
        if (QWidget* b = in ? up : down) b->setEnabled(false);
        return;
    }
    box_->resize(view_.boxWidth, view_.boxHeight);
    // The scroll bars know the new size only now: set the positions after the resize.
    scroll_->horizontalScrollBar()->setRange(0, std::max(0, view_.boxWidth - port.clientWidth));
    scroll_->verticalScrollBar()->setRange(0, std::max(0, view_.boxHeight - port.clientHeight));
    scroll_->horizontalScrollBar()->setValue(view_.scrollX);
    scroll_->verticalScrollBar()->setValue(view_.scrollY);
    fitted_ = false;
    editor_.viewChanged();
    ViewIx();
    if (QWidget* other = in ? down : up) other->setEnabled(true);
}

void TFmIX::ZoomIn() {
    zoomStep(true, editor_.zoomMode());
}
void TFmIX::ZoomOut() {
    zoomStep(false, editor_.zoomMode());
}

void TFmIX::ZoomAll() {
    timer2_.stop();
    editor_.commandEnd();
    humidraw::zoomAll(view_, viewport());
    applyView();
    fitted_ = true;
    ViewIx();
    if (QWidget* up = buttonFor(commandBar_, action(Command::ZoomIn))) up->setEnabled(true);
}

void TFmIX::keepFitted() {
    if (!fitted_ || ending_) return;
    ViewState fit = view_;
    humidraw::zoomAll(fit, viewport());
    if (fit.zoom == view_.zoom && fit.boxWidth == view_.boxWidth &&
        fit.boxHeight == view_.boxHeight)
        return;
    // A running command goes on: its marks follow the new zoom as after a zoom step.
    view_ = fit;
    applyView();
    fitted_ = true;
    editor_.viewChanged();
    ViewIx();
    if (QWidget* up = buttonFor(commandBar_, action(Command::ZoomIn))) up->setEnabled(true);
}

void TFmIX::ZoomOrg() {
    editor_.commandEnd();
    humidraw::zoomOriginal(view_, viewport());
    applyView();
    ViewIx();
}

void TFmIX::takeScrollPositions() {
    view_.scrollX = scroll_->horizontalScrollBar()->value();
    view_.scrollY = scroll_->verticalScrollBar()->value();
}

void TFmIX::setStatus(int panel, const std::string& text) {
    (panel == 0 ? panel0_ : panel1_)->setText(QString::fromStdString(text));
}

void TFmIX::setCursor(Cursor c) {
    box_->setCursor(cursors_[c]);
}

void TFmIX::scrollBy(int dx, int dy) {
    scroll_->horizontalScrollBar()->setValue(scroll_->horizontalScrollBar()->value() + dx);
    scroll_->verticalScrollBar()->setValue(scroll_->verticalScrollBar()->value() + dy);
}

}  // namespace humidraw::app
