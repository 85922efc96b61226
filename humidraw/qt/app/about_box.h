#pragma once
// The about box: the program's icon, its name with the version, a one-line notice.
#include <QCoreApplication>
#include <QLabel>
#include <QWidget>
#include <functional>

namespace humidraw::app {

// The about box (ﾍﾙﾌﾟ): the program and its version; Enter and Esc close it.
class THumidrawAbout : public QWidget {
    Q_DECLARE_TR_FUNCTIONS(THumidrawAbout)

  public:
    // `caption` gives the main window's caption when the box is activated.
    THumidrawAbout(std::function<QString()> caption, std::function<void(bool)> setMainEnabled,
                   QWidget* parent);
    QLabel* Label1;

  protected:
    bool event(QEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;  // Enter and Esc close the box

  private:
    std::function<QString()> caption_;
    std::function<void(bool)> setMainEnabled_;
};

}  // namespace humidraw::app
