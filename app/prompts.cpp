#include "app/prompts.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

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
}  // namespace

void QtPrompts::tell(const std::string& caption, const std::string& text, PromptIcon icon) {
    QMessageBox box(iconOf(icon), QString::fromStdString(caption), QString::fromStdString(text),
                    QMessageBox::Ok, parent_);
    box.exec();
}

Answer QtPrompts::ask(const std::string& caption, const std::string& text, PromptIcon icon,
                      bool withCancel, bool defaultNo) {
    auto buttons = QMessageBox::Yes | QMessageBox::No;
    if (withCancel) buttons |= QMessageBox::Cancel;
    QMessageBox box(iconOf(icon), QString::fromStdString(caption), QString::fromStdString(text),
                    buttons, parent_);
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

std::optional<std::string> QtPrompts::chooseOpenFile(const std::string& folder,
                                                     const std::string& filters) {
    const QString f = QFileDialog::getOpenFileName(
        parent_, QString(), QString::fromStdString(folder), QString::fromStdString(filters));
    if (f.isEmpty()) return std::nullopt;
    return f.toStdString();
}

std::optional<std::string> QtPrompts::chooseSaveFile(const std::string& folder,
                                                     const std::string& filters) {
    QFileDialog dialog(parent_, QString(), QString::fromStdString(folder),
                       QString::fromStdString(filters));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);  // the program overwrites by design
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

bool QtPrompts::setUpPrinter(QPrinter& printer) {
    QPrintDialog dialog(&printer, parent_);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace humidraw::app
