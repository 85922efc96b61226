#pragma once
// The paint box: shows the off-screen picture, copying back only the exposed rectangle, and
// hands pointer events to the window.
#include <QImage>
#include <QWidget>
#include <functional>

namespace humidraw::app {

class PaintBox : public QWidget {
  public:
    PaintBox(const QImage& picture, QWidget* parent);

    std::function<void(QMouseEvent*)> onPress, onMove, onRelease, onDoubleClick;

  protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

  private:
    const QImage& picture_;
};

}  // namespace humidraw::app
