// The main window's side of measured data: the menu, the window and its questions (the session
// keeps the data and its companion file).
#include <QCoreApplication>
#include <QMenuBar>
#include <filesystem>

#include "app/main_window.h"
#include "app/main_window_p.h"

namespace humidraw::app {
namespace {

QString ui(const char* source) {
    return QCoreApplication::translate("MeasuredDataWindow", source);
}

}  // namespace

void TFmIX::createDataMenu() {
    auto* menu = new QMenu(ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "測定データ(&M)")), this);
    menu->setObjectName("A_Data1");
    auto* show =
        menu->addAction(ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "測定データとゾーン(&Z)...")));
    show->setObjectName("MeasuredData");
    d->actions[static_cast<int>(Command::MeasuredData)] = show;
    connect(show, &QAction::triggered, this, [this] { showMeasuredData(); });
    // Before the last menu (help), after the drawing and option menus.
    const auto menus = menuBar()->actions();
    if (menus.isEmpty())
        menuBar()->addMenu(menu);
    else
        menuBar()->insertMenu(menus.back(), menu);
}

void TFmIX::showMeasuredData() {
    d->editor.commandEnd();
    if (!d->dataWindow) d->dataWindow = new MeasuredDataWindow(*this, this);
    d->dataWindow->refresh();
    d->dataWindow->show();
    d->dataWindow->raise();
}

MeasuredData TFmIX::measuredData() const {
    return d->session.measuredData();
}

void TFmIX::changeMeasuredData(MeasuredData data) {
    d->session.changeMeasuredData(std::move(data));
    documentChanged();
    ViewIx();
}

Prompts& TFmIX::dataPrompts() {
    return *d->prompts;
}

void TFmIX::tellData(const std::string& caption, const std::string& text) {
    d->prompts->tell(caption, text, PromptIcon::Information);
}

std::optional<std::string> TFmIX::chooseDataFile(const std::string& caption,
                                                 const std::string& filters, bool save) {
    // Where the document's dialogs open; choosing a data file does not move it.
    if (!save) return d->prompts->chooseOpenFile(d->settings.currentDir, filters, caption);
    const auto path = d->prompts->chooseSaveFile(d->settings.currentDir, filters, caption);
    // An export replaces a file of the user's only when asked: unlike a document, the file
    // chosen may be any spreadsheet of theirs.
    std::error_code e;
    if (path && std::filesystem::exists(*path, e) &&
        d->prompts->ask(
            caption,
            tr("%1 は既にあります。\n置き換えますか?")
                .arg(QString::fromStdString(std::filesystem::path(*path).filename().string()))
                .toStdString(),
            PromptIcon::Warning, false, true) != Answer::Yes)
        return std::nullopt;
    return path;
}

}  // namespace humidraw::app
