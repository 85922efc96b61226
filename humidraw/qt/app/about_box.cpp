#include "app/about_box.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <algorithm>

#include "app/icons.h"

namespace humidraw::app {

THumidrawAbout::THumidrawAbout(std::function<QString()> caption,
                               std::function<void(bool)> setMainEnabled, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint),
      caption_(std::move(caption)),
      setMainEnabled_(std::move(setMainEnabled)) {
    setObjectName("HumidrawAbout");
    setWindowTitle("Humidraw");
    setWindowModality(Qt::ApplicationModal);
    auto* image = new QLabel(this);
    image->setPixmap(programPixmap(32));
    image->setGeometry(12, 16, 32, 32);
    Label1 = new QLabel("Humidraw ver0.00", this);
    Label1->setObjectName("Label1");
    Label1->setGeometry(68, 28, 250, 18);
    auto* notice = new QLabel(tr("© Humidraw developers. 空気線図作成ソフト"), this);
    // The notice on one line: a longer translation widens the box rather than being cut.
    const int noticeWidth = std::max(310, notice->sizeHint().width());
    notice->setGeometry(12, 60, noticeWidth, 18);
    setFixedSize(noticeWidth + 18, 121);
    auto* ok = new QPushButton("O K", this);
    ok->setObjectName("Button1");
    ok->setGeometry(width() - 76, 96, 69, 21);
    connect(ok, &QPushButton::clicked, this, [this] { hide(); });
}

bool THumidrawAbout::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) {
        Label1->setText(caption_());
        setMainEnabled_(false);
    }
    return QWidget::event(e);
}

void THumidrawAbout::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QWidget::keyPressEvent(e);
}

void THumidrawAbout::hideEvent(QHideEvent* e) {
    setMainEnabled_(true);
    QWidget::hideEvent(e);
}

}  // namespace humidraw::app
