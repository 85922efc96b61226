// The view: repainting the picture, zooming and scrolling, and the host side of the interaction
// layer.
#include <QScrollBar>
#include <QToolButton>

#include "app/main_window.h"
#include "app/main_window_p.h"
#include "app/paint_box.h"
#include "document/paint.h"
#include "render/qt_canvas.h"

namespace humidraw::app {

Viewport TFmIX::viewport() const {
    Viewport p;
    p.clientWidth = d->scroll->viewport()->width();
    p.clientHeight = d->scroll->viewport()->height();
    p.outerWidth = d->scroll->width();
    p.outerHeight = d->scroll->height();
    return p;
}

void TFmIX::applyView() {
    d->fitted = false;
    d->box->resize(d->view.boxWidth, d->view.boxHeight);
    d->scroll->horizontalScrollBar()->setValue(d->view.scrollX);
    d->scroll->verticalScrollBar()->setValue(d->view.scrollY);
}

void TFmIX::ViewIx() {
    // The picture ends at 3600 × 2700: a larger paint box shows paper beyond.
    d->picture.setGeometry(QSize(std::min(d->view.boxWidth, LayeredPicture::kLargestWidth),
                                 std::min(d->view.boxHeight, LayeredPicture::kLargestHeight)),
                           d->box->devicePixelRatioF());
    const auto key = std::make_tuple(d->view.zoom, d->settings.fontName, d->settings.fontSize,
                                     d->settings.view, d->chartBuild);
    // The overlay's fills lie under the chart's lines, so a new overlay is a new chart layer. The
    // one last painted is held, so its address cannot come back as another one's.
    if (key != d->chartKey || d->session.objects().overlay != d->chartOverlay) {
        d->chartKey = key;
        d->chartOverlay = d->session.objects().overlay;
        d->picture.chartChanged();
    } else {
        d->picture.objectsChanged();
    }
    d->editor.repainted();  // a running command's marks come back over the fresh picture
    d->box->update();
}

void TFmIX::paintChartLayer(QPainter& p) {
    QtCanvas k(p, 96);
    k.setSmooth(true);
    k.setVisibleArea(p.clipBoundingRect());
    k.setPenMode(PenMode::Copy);
    k.setPenStyle(PenStyle::Solid);
    k.setPenColour(kPaperColour);
    k.setBrushSolid(kPaperColour);
    k.fillRect(0, 0, d->view.boxWidth, d->view.boxHeight);
    k.setPenColour(kChartColour);
    k.setBrushClear();
    k.setFontColour(kChartColour);
    humidraw::paintChartLayer(k, d->frame, d->chart, d->session.objects().overlay.get(),
                              d->settings, screen());
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
    paintObjects(k, d->frame, d->chart, d->session.objects(), d->settings, screen());
}

namespace {
QWidget* buttonFor(QToolBar* bar, QAction* a) {
    return bar ? bar->widgetForAction(a) : nullptr;
}
}  // namespace

bool TFmIX::zoomInEnabled() const {
    QWidget* b = buttonFor(d->commandBar, action(Command::ZoomIn));
    return b && b->isEnabled();
}

bool TFmIX::zoomOutEnabled() const {
    QWidget* b = buttonFor(d->commandBar, action(Command::ZoomOut));
    return b && b->isEnabled();
}

void TFmIX::zoomStep(bool in, bool atPointer) {
    const Viewport port = viewport();
    takeScrollPositions();
    ZoomAnchor anchor{atPointer, d->editor.pointerX(), d->editor.pointerY()};
    QWidget* up = buttonFor(d->commandBar, action(Command::ZoomIn));
    QWidget* down = buttonFor(d->commandBar, action(Command::ZoomOut));
    if (!humidraw::zoomStep(d->view, in, port, anchor)) {
        if (QWidget* b = in ? up : down) b->setEnabled(false);
        return;
    }
    d->box->resize(d->view.boxWidth, d->view.boxHeight);
    // The scroll bars know the new size only now: set the positions after the resize.
    d->scroll->horizontalScrollBar()->setRange(0, std::max(0, d->view.boxWidth - port.clientWidth));
    d->scroll->verticalScrollBar()->setRange(0, std::max(0, d->view.boxHeight - port.clientHeight));
    d->scroll->horizontalScrollBar()->setValue(d->view.scrollX);
    d->scroll->verticalScrollBar()->setValue(d->view.scrollY);
    d->fitted = false;
    d->editor.viewChanged();
    ViewIx();
    if (QWidget* other = in ? down : up) other->setEnabled(true);
}

void TFmIX::ZoomIn() {
    zoomStep(true, d->editor.zoomMode());
}
void TFmIX::ZoomOut() {
    zoomStep(false, d->editor.zoomMode());
}

void TFmIX::ZoomAll() {
    d->timer2.stop();
    d->editor.commandEnd();
    humidraw::zoomAll(d->view, viewport());
    applyView();
    d->fitted = true;
    ViewIx();
    if (QWidget* up = buttonFor(d->commandBar, action(Command::ZoomIn))) up->setEnabled(true);
}

void TFmIX::keepFitted() {
    if (!d->fitted || d->ending) return;
    ViewState fit = d->view;
    humidraw::zoomAll(fit, viewport());
    if (fit.zoom == d->view.zoom && fit.boxWidth == d->view.boxWidth &&
        fit.boxHeight == d->view.boxHeight)
        return;
    // A running command goes on: its marks follow the new zoom as after a zoom step.
    d->view = fit;
    applyView();
    d->fitted = true;
    d->editor.viewChanged();
    ViewIx();
    if (QWidget* up = buttonFor(d->commandBar, action(Command::ZoomIn))) up->setEnabled(true);
}

void TFmIX::ZoomOrg() {
    d->editor.commandEnd();
    humidraw::zoomOriginal(d->view, viewport());
    applyView();
    ViewIx();
}

void TFmIX::takeScrollPositions() {
    d->view.scrollX = d->scroll->horizontalScrollBar()->value();
    d->view.scrollY = d->scroll->verticalScrollBar()->value();
}

void TFmIX::setStatus(int panel, const std::string& text) {
    (panel == 0 ? d->panel0 : d->panel1)->setText(QString::fromStdString(text));
}

void TFmIX::setCursor(Cursor c) {
    d->box->setCursor(d->cursors[c]);
}

void TFmIX::scrollBy(int dx, int dy) {
    d->scroll->horizontalScrollBar()->setValue(d->scroll->horizontalScrollBar()->value() + dx);
    d->scroll->verticalScrollBar()->setValue(d->scroll->verticalScrollBar()->value() + dy);
}

}  // namespace humidraw::app
