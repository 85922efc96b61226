#include "app/coil_report_window.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <QKeyEvent>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>

#include "coil/report_table.h"

namespace humidraw::app {
namespace {

constexpr int kGap = 8;                     // px between the dialog's frame and the report's
constexpr int kWidth = 560, kHeight = 700;  // px: both seasons without scrolling
constexpr int kNarrowest = 280;  // px: narrower than this the report no longer reads

// The window's texts, each marked where it is written with QT_TRANSLATE_NOOP in this context.
QString text(const char* source) {
    return QCoreApplication::translate("CoilReportWindow", source);
}

}  // namespace

CoilReportWindow::CoilReportWindow(UserPrompts& prompts, QWidget* parent)
    : QWidget(parent, Qt::Window), prompts_(prompts) {
    setObjectName("CoilReport");
    setWindowTitle(text(QT_TRANSLATE_NOOP("CoilReportWindow", "Humidraw ｼﾝｸﾞﾙｺｲﾙ方式 計算結果")));
    view = new QTextBrowser(this);
    view->setObjectName("ReportView");
    copyButton = new QPushButton(text(QT_TRANSLATE_NOOP("CoilReportWindow", "コピー(&C)")), this);
    copyButton->setObjectName("CopyButton");
    printButton = new QPushButton(text(QT_TRANSLATE_NOOP("CoilReportWindow", "印刷(&P)")), this);
    printButton->setObjectName("PrintButton");
    closeButton = new QPushButton(text(QT_TRANSLATE_NOOP("CoilReportWindow", "閉じる")), this);
    closeButton->setObjectName("CloseButton");
    connect(copyButton, &QPushButton::clicked, this, [this] { copy(); });
    connect(printButton, &QPushButton::clicked, this, [this] { print(); });
    connect(closeButton, &QPushButton::clicked, this, [this] { hide(); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(copyButton);
    buttons->addWidget(printButton);
    buttons->addWidget(closeButton);
    auto* all = new QVBoxLayout(this);
    all->addWidget(view);
    all->addLayout(buttons);
    resize(kWidth, kHeight);
}

// A window of its own, not a dialog: Esc closes it as 閉じる does.
void CoilReportWindow::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        hide();
        e->accept();
        return;
    }
    QWidget::keyPressEvent(e);
}

void CoilReportWindow::showReport(const coil::CoilRun& run, const coil::CoilReport& report,
                                  UnitSystem units, const QWidget& dialog) {
    const auto sections = coil::reportSections(run, report, units);
    tsv_ = coil::reportTsv(sections);
    html_ = coil::reportHtml(sections);
    view->setHtml(QString::fromStdString(html_));
    if (!isVisible()) placeBeside(dialog);
    show();
    raise();
}

QRect placeBeside(const QRect& dialogFrame, const QSize& frameSize, const QRect& area,
                  int narrowest) {
    const int right = dialogFrame.right() + 1 + kGap;
    const int roomRight = area.right() + 1 - right;
    const int roomLeft = dialogFrame.left() - kGap - area.left();
    int width = frameSize.width();
    int x = right;
    if (roomRight < width) {
        if (roomLeft >= width)
            x = dialogFrame.left() - kGap - width;
        else if (std::max(roomRight, roomLeft) >= narrowest) {
            // Narrowed to the side with more room, still beside the dialog.
            width = std::max(roomRight, roomLeft);
            x = roomRight >= roomLeft ? right : area.left();
        } else if (roomRight >= roomLeft)
            x = std::max(area.left(), area.right() + 1 - width);
        else
            x = area.left();  // against the edge with more room: over as little of it as can be
    }
    const int y = std::clamp(dialogFrame.top(), area.top(),
                             std::max(area.top(), area.bottom() + 1 - frameSize.height()));
    return {x, y, width, frameSize.height()};
}

void CoilReportWindow::placeBeside(const QWidget& dialog) {
    const QRect frame = dialog.frameGeometry();
    const QScreen* s = QGuiApplication::screenAt(frame.center());
    // The frame the window manager adds is not known before the first showing: this window's
    // will be as wide and as tall as the dialog's.
    const QSize margins = frame.size() - dialog.size();
    const QRect area = (s ? s : screen())->availableGeometry();
    // No taller than the screen has room for: the view scrolls instead.
    const QRect place = app::placeBeside(
        frame, QSize(kWidth, std::min(kHeight, area.height() - margins.height())) + margins, area,
        std::max(kNarrowest, minimumSizeHint().width()) + margins.width());
    resize(place.size() - margins);
    move(place.topLeft());
}

void CoilReportWindow::copy() {
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(tsv_));
    data->setHtml(QString::fromStdString(html_));
    QApplication::clipboard()->setMimeData(data);
}

void CoilReportWindow::print() {
    QPrinter printer(QPrinter::HighResolution);
    if (!prompts_.setUpPrinter(printer)) return;
    if (!printOn(printer))
        prompts_.tell(
            "Humidraw",
            text(QT_TRANSLATE_NOOP("CoilReportWindow", "印刷処理が中断されました")).toStdString(),
            PromptIcon::Error);
}

bool CoilReportWindow::printOn(QPrinter& printer) const {
    return printReportHtml(printer, html_, view->font());
}

bool printReportHtml(QPrinter& printer, const std::string& html, const QFont& font) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    // Laid out with the printer's own metrics across the page, shrunk when taller than it.
    QTextDocument doc;
    doc.documentLayout()->setPaintDevice(&printer);
    doc.setDefaultFont(font);
    doc.setHtml(QString::fromStdString(html));
    doc.setTextWidth(page.width());
    const double tall = doc.size().height();
    if (tall > page.height()) {
        const double scale = page.height() / tall;
        painter.scale(scale, scale);
    }
    doc.drawContents(&painter);
    return painter.end();
}

}  // namespace humidraw::app
