// The main window's side of measured data: the menu, the window, the history steps of data
// changes, and the companion file beside the document.
#include <QCoreApplication>
#include <QMenuBar>

#include <filesystem>

#include "app/main_window.h"
#include "measured/companion.h"

namespace humidraw::app {
namespace {

constexpr uint64_t kMostDocumentBytes = 256u << 20;  // as the document reader takes

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
    actions_[static_cast<int>(Command::MeasuredData)] = show;
    connect(show, &QAction::triggered, this, [this] { showMeasuredData(); });
    // Before the last menu (help), after the drawing and option menus.
    const auto menus = menuBar()->actions();
    if (menus.isEmpty())
        menuBar()->addMenu(menu);
    else
        menuBar()->insertMenu(menus.back(), menu);
}

void TFmIX::showMeasuredData() {
    editor_.commandEnd();
    if (!dataWindow_) dataWindow_ = new MeasuredDataWindow(*this, this);
    dataWindow_->refresh();
    dataWindow_->show();
    dataWindow_->raise();
}

MeasuredData TFmIX::measuredData() const {
    const auto* overlay = dynamic_cast<const DataOverlay*>(objects_.overlay.get());
    return overlay ? overlay->data() : MeasuredData{};
}

void TFmIX::changeMeasuredData(MeasuredData data) {
    history_.begin(objects_);
    if (data.empty())
        objects_.overlay.reset();
    else
        objects_.overlay = std::make_shared<DataOverlay>(
            std::make_shared<const MeasuredData>(std::move(data)), settings_.pressureMmHg);
    history_.commit(objects_);
    documentChanged();
    ViewIx();
}

void TFmIX::tellData(const std::string& caption, const std::string& text) {
    prompts_->tell(caption, text, PromptIcon::Information);
}

std::optional<std::string> TFmIX::chooseDataFile(const std::string& caption,
                                                 const std::string& filters, bool save) {
    // Where the document's dialogs open; choosing a data file does not move it.
    if (!save) return prompts_->chooseOpenFile(settings_.currentDir, filters, caption);
    const auto path = prompts_->chooseSaveFile(settings_.currentDir, filters, caption);
    // An export replaces a file of the user's only when asked: unlike a document, the file
    // chosen may be any spreadsheet of theirs.
    std::error_code e;
    if (path && std::filesystem::exists(*path, e) &&
        prompts_->ask(caption,
                      tr("%1 は既にあります。\n置き換えますか?")
                          .arg(QString::fromStdString(std::filesystem::path(*path).filename().string()))
                          .toStdString(),
                      PromptIcon::Warning, false, true) != Answer::Yes)
        return std::nullopt;
    return path;
}

void TFmIX::loadCompanionOf(const std::string& path, const ContentIdentity& identity) {
    CompanionLoad kept = loadCompanion(path, identity);
    companionKept_ = false;
    if (kept.found == CompanionFound::Unreadable) {
        // Kept as it is: a later save without data leaves it, one with data puts it aside.
        companionKept_ = true;
        prompts_->tell(
            kErrorCaption,
            ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "測定データのファイルを読込できません.\n"))
                    .toStdString() +
                kept.status.error() +
                ui(QT_TRANSLATE_NOOP(
                       "MeasuredDataWindow",
                       "\n図面は測定データなしで開きます。このファイルは消さずに残します。"))
                    .toStdString(),
            PromptIcon::Warning);
        return;
    }
    if (kept.found == CompanionFound::OtherDocument) {
        const Answer a = prompts_->ask(
            "Humidraw",
            kept.status.error() + ui(QT_TRANSLATE_NOOP(
                                "MeasuredDataWindow",
                                "\nこの測定データを図面に読み込みますか？\n"
                                "［いいえ］では測定データなしで開き、このファイルは残します。"))
                             .toStdString(),
            PromptIcon::Warning, false, true);
        if (a != Answer::Yes) {
            companionKept_ = true;
            return;
        }
    }
    if (!kept.data.empty())
        objects_.overlay = std::make_shared<DataOverlay>(
            std::make_shared<const MeasuredData>(std::move(kept.data)), settings_.pressureMmHg);
}

bool TFmIX::overwriteChangedFile() {
    if (onDiskPath_.empty() || onDiskPath_ != documentPath_) return true;
    std::string now;
    // A document that is gone, or cannot be read, has nothing to lose to the save.
    if (readRegularFile(documentPath_, kMostDocumentBytes, now) != FileProblem::None) return true;
    if (contentIdentity(now) == onDisk_) return true;
    const Answer a = prompts_->ask(
        "Humidraw",
        documentPath_ + ui(QT_TRANSLATE_NOOP("MeasuredDataWindow",
                                             "\nこのファイルは開いた後に他で変更されています。"
                                             "上書きしますか？"))
                            .toStdString(),
        PromptIcon::Warning, false, true);
    return a == Answer::Yes;
}

bool TFmIX::saveWithCompanion(const std::string& bytes) {
    const bool keep = companionKept_ && onDiskPath_ == documentPath_;
    const auto saved = saveDocumentWithCompanion(documentPath_, bytes, measuredData(), keep);
    if (!saved) {
        prompts_->tell(
            kErrorCaption,
            QCoreApplication::translate("TFmIX", "ファイルを作成出来ません．\n").toStdString() +
                saved.error(),
            PromptIcon::Warning);
        return false;
    }
    onDiskPath_ = documentPath_;
    onDisk_ = contentIdentity(bytes);
    // Kept until data is saved over it (it is then put aside, and the file at the name is
    // ours); a save under another name leaves it behind.
    companionKept_ = keep && measuredData().empty();
    if (!saved->keptAs.empty())
        prompts_->tell(
            "Humidraw",
            ui(QT_TRANSLATE_NOOP("MeasuredDataWindow",
                                 "読み込めなかった測定データのファイルは %1 として残しました"))
                .arg(QString::fromStdString(saved->keptAs))
                .toStdString(),
            PromptIcon::Information);
    return true;
}

}  // namespace humidraw::app
