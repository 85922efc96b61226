// Everyday editing in the window: undo and redo, the select command and what it changes, the
// keys of the commands, the document's name in the caption, recent files and dropped files.
#include <sys/stat.h>

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenuBar>
#include <QMimeData>
#include <QUrl>

#include "app/command_dialogs.h"
#include "app/design_panel.h"
#include "app/main_window.h"
#include "app/main_window_p.h"
#include "app/pickers.h"
#include "settings/recent_files.h"
#include "text/visible_text.h"

namespace humidraw::app {
namespace {

// A local file that looks like a document by its name, as the bytes of its name (taken from the
// URL's escapes, so that a name that is not UTF-8 still opens).
std::string droppedDocument(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().size() != 1) return {};
    const QUrl url = data->urls().first();
    if (!url.isLocalFile() || !(url.host().isEmpty() || url.host() == "localhost")) return {};
    const std::string path =
        QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
    const bool document = path.size() > 4 && path.find('\0') == std::string::npos &&
                          strcasecmp(path.c_str() + path.size() - 4, ".hdw") == 0;
    return document ? path : std::string();
}

// A file name as text: control characters and bytes that are not UTF-8 shown as \xNN.
QString shownFileName(const std::string& path) {
    return QString::fromStdString(visibleText(path));
}

bool isFile(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

void TFmIX::createEditingKeys() {
    const auto keys = [this](Command c, std::initializer_list<QKeySequence> k) {
        action(c)->setShortcuts(QList<QKeySequence>(k));
    };
    keys(Command::New, {QKeySequence(Qt::CTRL | Qt::Key_N)});
    keys(Command::Open, {QKeySequence(Qt::CTRL | Qt::Key_O)});
    keys(Command::Save, {QKeySequence(Qt::CTRL | Qt::Key_S)});
    keys(Command::SaveAs, {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)});
    keys(Command::Print, {QKeySequence(Qt::CTRL | Qt::Key_P)});
    keys(Command::Undo, {QKeySequence(Qt::CTRL | Qt::Key_Z)});
    keys(Command::Redo,
         {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    keys(Command::SelectAll, {QKeySequence(Qt::CTRL | Qt::Key_A)});
    keys(Command::DeleteSelected, {QKeySequence(Qt::Key_Delete)});
    // Ctrl++ wherever '+' is, and Ctrl+= where '+' needs the shift key.
    keys(Command::ZoomIn,
         {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    keys(Command::ZoomOut, {QKeySequence(Qt::CTRL | Qt::Key_Minus)});
    keys(Command::ZoomAll, {QKeySequence(Qt::CTRL | Qt::Key_0)});
    keys(Command::About, {QKeySequence(Qt::Key_F1)});
    // Ctrl+Q closes as the close box does (the save question, the closing steps); the menu's
    // Humidrawの終了 keeps its own way of ending. The key belongs to the chart area, which is
    // disabled while a dialog is open, like the menus.
    auto* quit = new QAction(this);
    quit->setObjectName("Quit");
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    quit->setShortcutContext(Qt::WindowShortcut);
    connect(quit, &QAction::triggered, this, [this] { close(); });
    centralWidget()->addAction(quit);
    d->actions[static_cast<int>(Command::Quit)] = quit;
    historyMoved();
}

QString TFmIX::documentCaption() const {
    const QString program = QString::fromStdString(d->caption);
    if (d->session.path().empty()) return program;
    const QString name = shownFileName(d->session.path().substr(d->session.path().rfind('/') + 1));
    return program + " - " + (modified() ? "*" : "") + name;
}

void TFmIX::historyMoved() {
    setWindowTitle(documentCaption());
    action(Command::Undo)->setEnabled(d->session.history().canUndo());
    action(Command::Redo)->setEnabled(d->session.history().canRedo());
    if (d->dataWindow && d->dataWindow->isVisible()) d->dataWindow->refresh();
    if (d->designPanel && !d->designPanel->isHidden()) d->designPanel->refresh();
}

void TFmIX::documentChanged() {
    historyMoved();
}

void TFmIX::changed(Change what) {
    if (what == Change::Document) documentChanged();
    if (what == Change::Selection) selectionChanged();
}

void TFmIX::Undo() {
    d->editor.beforeHistoryMove();
    if (!d->session.history().undo(d->session.objects())) return;
    d->editor.afterHistoryMove();
    historyMoved();
    ViewIx();
}

void TFmIX::Redo() {
    d->editor.beforeHistoryMove();
    if (!d->session.history().redo(d->session.objects())) return;
    d->editor.afterHistoryMove();
    historyMoved();
    ViewIx();
}

void TFmIX::Select() {
    d->editor.startSelect();
}

void TFmIX::selectionChanged() {
    CurrentAttributes shown;
    if (!d->editor.selectionAttributes(d->attributes, shown)) shown = d->attributes;
    // The pickers show the selection without taking it as the attributes of new objects.
    for (GlyphComboBox* picker : {d->colourPicker, d->widthPicker, d->stylePicker})
        picker->blockSignals(true);
    d->colourPicker->setCurrentIndex(shown.colour - 1);
    d->widthPicker->setCurrentIndex(shown.width);
    d->stylePicker->setCurrentIndex(shown.style);
    for (GlyphComboBox* picker : {d->colourPicker, d->widthPicker, d->stylePicker})
        picker->blockSignals(false);
}

void TFmIX::pickerChanged(LineAttribute p, int value) {
    CurrentAttributes shown;
    if (d->editor.selectionAttributes(d->attributes, shown)) {
        d->editor.changeSelected(p, value);
        return;
    }
    (p == LineAttribute::Colour  ? d->attributes.colour
     : p == LineAttribute::Width ? d->attributes.width
                                 : d->attributes.style) = value;
}

void TFmIX::editText(int index) {
    const ObjectRecord& r = d->session.objects().at(index);
    d->editedText = index;
    d->textDialog->forPlacedText(QString::fromStdString(r.text), r.labelPosition);
    showDialog(d->textDialog);
    d->textDialog->EdTextData->setFocus();
}

void TFmIX::rememberFile(const std::string& path) {
    // Merged with what other windows wrote meanwhile. The list is a convenience: a settings file
    // that cannot be written keeps the old list.
    d->recentFiles = rememberRecentFile(d->ini, d->recentFiles, path);
    // The submenu is enabled only with entries: it is filled now, not only when it opens.
    fillRecentMenu();
}

void TFmIX::openingRecentMenu() {
    // What other windows remembered since shows too.
    d->recentFiles = mergedRecentFiles(loadRecentFiles(d->ini), d->recentFiles);
    fillRecentMenu();
}

void TFmIX::fillRecentMenu() {
    d->recentMenu->clear();
    int n = 0;
    for (const std::string& path : d->recentFiles) {
        // The name as text, '&' doubled so that it shows rather than marking an access key.
        const QString file = shownFileName(path).replace('&', "&&");
        auto* item = d->recentMenu->addAction(QString("&%1 %2").arg(++n).arg(file));
        item->setObjectName(QString("Recent%1").arg(n));
        // A document that is gone stays in the list, shown disabled.
        item->setEnabled(isFile(path));
        connect(item, &QAction::triggered, this, [this, path] { openGiven(path); });
    }
    d->recentMenu->setEnabled(!d->recentFiles.empty());
}

bool TFmIX::openGiven(const std::string& path) {
    d->editor.commandEnd();
    d->editor.setLastCommand(Command::None);
    return d->session.openGiven(path);
}

void TFmIX::dragEnterEvent(QDragEnterEvent* e) {
    if (menuBar()->isEnabled() && !droppedDocument(e->mimeData()).empty())
        e->acceptProposedAction();
}

void TFmIX::dropEvent(QDropEvent* e) {
    const std::string path = droppedDocument(e->mimeData());
    if (path.empty() || !menuBar()->isEnabled()) return;
    e->acceptProposedAction();
    openGiven(path);
}

}  // namespace humidraw::app
