#pragma once
// The paint box: shows the layered picture, painting and copying back only the exposed
// rectangle at the screen's pixel density, and hands pointer events to the window.
#include <QWidget>
#include <functional>

#include "render/layered_picture.h"

namespace humidraw::app {

class PaintBox : public QWidget {
  public:
    PaintBox(LayeredPicture& picture, QWidget* parent);

    std::function<void(QMouseEvent*)> onPress, onMove, onRelease, onDoubleClick;
    // The screen's pixel density differs from the picture's (the window moved to another
    // screen): the window paints the picture again.
    std::function<void()> onDensityChange;

  protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

  private:
    LayeredPicture& picture_;
};

}  // namespace humidraw::app
