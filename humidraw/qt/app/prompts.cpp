#include "app/prompts.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QTranslator>

namespace humidraw::app {
namespace {
QMessageBox::Icon iconOf(PromptIcon i) {
    switch (i) {
        case PromptIcon::Warning:
            return QMessageBox::Warning;
        case PromptIcon::Error:
            return QMessageBox::Critical;
        case PromptIcon::Question:
            return QMessageBox::Question;
        default:
            return QMessageBox::Information;
    }
}
// A message box wide enough for its whole caption, kept above a raiser that stays on top.
void prepare(QMessageBox& box, const QWidget* raiser) {
    if (raiser && (raiser->windowFlags() & Qt::WindowStaysOnTopHint))
        box.setWindowFlags(box.windowFlags() | Qt::WindowStaysOnTopHint);
    // The box sizes itself from its layout: a spacer across the bottom row sets the width.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(captionRoom(box.windowTitle(), box.font()), 0,
                                      QSizePolicy::Minimum, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
}

}  // namespace

bool installQtJapanese() {
    auto* qt = new QTranslator(QCoreApplication::instance());
    if (!qt->load(QStringLiteral("qtbase_ja"),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete qt;
        return false;
    }
    QCoreApplication::installTranslator(qt);
    return true;
}

int captionRoom(const QString& caption, const QFont& font) {
    // Title bars use a bold face, often larger than the dialog's; the rest holds the window
    // manager's icon and buttons.
    QFont title = font;
    title.setBold(true);
    if (title.pointSizeF() > 0) title.setPointSizeF(std::max(title.pointSizeF(), 10.0));
    return QFontMetrics(title).horizontalAdvance(caption) * 5 / 4 + 120;
}

QWidget* QtPrompts::raiser() const {
    // The dialog that holds the user (the program's modal window on top), else the main window.
    QWidget* modal = QApplication::activeModalWidget();
    return modal && modal->isVisible() ? modal : parent_;
}

void QtPrompts::tell(const std::string& caption, const std::string& text, PromptIcon icon) {
    QWidget* over = raiser();
    QMessageBox box(iconOf(icon), QString::fromStdString(caption), QString::fromStdString(text),
                    QMessageBox::Ok, over);
    prepare(box, over);
    box.exec();
}

Answer QtPrompts::ask(const std::string& caption, const std::string& text, PromptIcon icon,
                      bool withCancel, bool defaultNo) {
    auto buttons = QMessageBox::Yes | QMessageBox::No;
    if (withCancel) buttons |= QMessageBox::Cancel;
    QWidget* over = raiser();
    QMessageBox box(iconOf(icon), QString::fromStdString(caption), QString::fromStdString(text),
                    buttons, over);
    prepare(box, over);
    box.setDefaultButton(defaultNo ? QMessageBox::No : QMessageBox::Yes);
    switch (box.exec()) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            return Answer::Cancel;
    }
}

std::unique_ptr<QFileDialog> makeFileDialog(QWidget* parent, const std::string& folder,
                                            const std::string& filters, bool save) {
    // A folder that is gone would let the dialog fall back to one it remembers from elsewhere.
    QString start = QString::fromStdString(folder);
    if (!QFileInfo(start).isDir()) start = QDir::homePath();
    auto dialog =
        std::make_unique<QFileDialog>(parent, QString(), start, QString::fromStdString(filters));
    // Only the folder the program gives: Qt's list of visited folders may hold places that
    // block when listed (special file systems, vanished mounts).
    dialog->setHistory({});
    if (save) {
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setOption(QFileDialog::DontConfirmOverwrite);  // the program overwrites by design
    } else {
        dialog->setFileMode(QFileDialog::ExistingFile);
    }
    return dialog;
}

namespace {
std::optional<std::string> runFileDialog(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}
}  // namespace

std::optional<std::string> QtPrompts::chooseOpenFile(const std::string& folder,
                                                     const std::string& filters,
                                                     const std::string& caption) {
    const auto dialog = makeFileDialog(raiser(), folder, filters, false);
    if (!caption.empty()) dialog->setWindowTitle(QString::fromStdString(caption));
    return runFileDialog(*dialog);
}

std::optional<std::string> QtPrompts::chooseSaveFile(const std::string& folder,
                                                     const std::string& filters,
                                                     const std::string& caption) {
    const auto dialog = makeFileDialog(raiser(), folder, filters, true);
    if (!caption.empty()) dialog->setWindowTitle(QString::fromStdString(caption));
    return runFileDialog(*dialog);
}

bool QtPrompts::setUpPrinter(QPrinter& printer) {
    QPrintDialog dialog(&printer, raiser());
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace humidraw::app
