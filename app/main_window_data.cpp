// The main window's side of measured data: the menu, the window, the history steps of data
// changes, and the companion file beside the document.
#include <QCoreApplication>
#include <QMenuBar>

#include "app/main_window.h"
#include "data/companion.h"

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
    actions_["MeasuredData"] = show;
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

bool TFmIX::loadCompanionOf(const std::string& path) {
    const auto kept = loadCompanion(path);
    if (!kept) {
        prompts_->tell(
            "Humidraw ｴﾗｰﾒｯｾｰｼﾞ",
            ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "測定データのファイルを読込できません.\n"))
                    .toStdString() +
                kept.error(),
            PromptIcon::Warning);
        return false;
    }
    if (*kept && !(*kept)->empty())
        objects_.overlay = std::make_shared<DataOverlay>(
            std::make_shared<const MeasuredData>(std::move(**kept)), settings_.pressureMmHg);
    return true;
}

bool TFmIX::saveCompanionOf(const std::string& path) {
    const Status written = saveCompanion(path, measuredData());
    if (written) return true;
    prompts_->tell(
        "Humidraw ｴﾗｰﾒｯｾｰｼﾞ",
        ui(QT_TRANSLATE_NOOP("MeasuredDataWindow", "測定データのファイルを作成出来ません．\n"))
                .toStdString() +
            written.error(),
        PromptIcon::Warning);
    return false;
}

}  // namespace humidraw::app
