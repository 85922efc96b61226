#include "session/session.h"

#include <algorithm>
#include <filesystem>
#include <memory>

#include "measured/companion.h"
#include "measured/overlay.h"
#include "text/number_format.h"

namespace humidraw {
namespace {

constexpr uint64_t kMostDocumentBytes = 256u << 20;  // as the document reader takes

// The air-handling unit beside the design, as the table keeps it.
class UnitAttachment : public TableAttachment {
  public:
    explicit UnitAttachment(ahu::Unit u) : unit(std::move(u)) {}
    const std::optional<ahu::Unit> unit;
};

std::shared_ptr<const TableAttachment> unitAttachment(ahu::Unit u) {
    return std::make_shared<const UnitAttachment>(std::move(u));
}

std::string dataText(const char* source) {
    return translate("MeasuredDataWindow", source);
}

}  // namespace

HeaderView headerView(const DocumentHeader& h, const ViewState& current) {
    HeaderView v;
    // The pickers hold colours 1–13 (the header keeps the item, colour − 1), widths and styles
    // 0–4.
    v.attributes = {std::clamp(h.colourItem + 1, 1, 13), std::clamp(h.widthItem, 0, 4),
                    std::clamp(h.styleItem, 0, 4)};
    v.view = current;
    if (h.zoom > 0 && h.zoom < 100) v.view.zoom = h.zoom;
    v.view.boxHeight = wholeNumber(std::clamp(h.boxHeight, 1.0, 100000.0));
    v.view.boxWidth = wholeNumber(std::clamp(h.boxWidth, 1.0, 100000.0));
    v.view.scrollX = h.horzScroll;
    v.view.scrollY = h.vertScroll;
    return v;
}

// ---- the document and its file -----------------------------------------------------------

void Session::clear() {
    objects_.clear();
    objects_.overlay.reset();
    objects_.design.reset();
    objects_.attachment.reset();
    state_ = CurrentState{};
    title_ = "Project";
    path_.clear();
    named_ = false;
    onDiskPath_.clear();
    companionKept_ = false;
    history_.clear();
}

Leaving Session::askToLeave(PromptIcon icon) {
    if (!modified()) return Leaving::Go;
    switch (prompts_.ask("Humidraw", translate("TFmIX", "現在編集中の図面を保存しますか？"), icon,
                         true, true)) {
        case Answer::Yes:
            // A cancelled or failed save stops the command.
            return save(false) ? Leaving::Saved : Leaving::Stay;
        case Answer::No:
            return Leaving::Go;
        default:
            return Leaving::Stay;
    }
}

bool Session::save(bool saveAs) {
    // The folder offered next is the last one a save worked in.
    std::string folder = host_.fileFolder();
    if (saveAs || !named_) {
        const auto chosen = prompts_.chooseSaveFile(folder, translate("TFmIX", kDocumentFilter));
        if (!chosen) return false;
        const DocumentName n = documentNameFor(*chosen, folder);
        title_ = n.title;
        path_ = n.path;
        named_ = true;
        folder = n.folder;
    }
    const auto bytes = serializeDocument(host_.headerToSave(), liveRecords(objects_));
    if (!bytes) {
        tell(translate("TFmIX", kErrorCaption),
             translate("TFmIX", "ファイルを作成出来ません．\n") + bytes.error(),
             PromptIcon::Warning);
        return false;
    }
    if (!overwriteChangedFile() || !saveWithCompanion(*bytes)) return false;
    host_.setFileFolder(folder);
    history_.markSaved();
    host_.documentSaved(path_);
    return true;
}

bool Session::open(const std::string& path) {
    const DocumentRead doc = readDocumentFile(path);
    if (!doc.status) {
        tell(translate("TFmIX", kErrorCaption),
             translate("TFmIX", "データファイルを読込できません.\n") + doc.status.error(),
             PromptIcon::Warning);
        return false;
    }
    // The companion is read before the header is taken: units it names (IP, which the header's
    // SI flag cannot say) are the chart's.
    CompanionLoad kept = loadCompanion(path, doc.identity);
    if (doc.contents.header) {
        const std::optional<UnitSystem> units =
            kept.found == CompanionFound::Read ? kept.units : std::nullopt;
        if (const std::string why = host_.takeHeader(*doc.contents.header, units); !why.empty()) {
            tell(translate("TFmIX", kErrorCaption),
                 translate("TFmIX", "データファイルを読込できません.\n") + why,
                 PromptIcon::Warning);
            return false;
        }
    }
    objects_.clear();
    objects_.overlay.reset();
    objects_.design.reset();
    objects_.attachment.reset();
    state_ = CurrentState{};
    for (const ObjectRecord& r : doc.contents.records) objects_.append(r);
    const DocumentName n = documentNameFor(path, host_.fileFolder());
    onDiskPath_ = n.path;
    onDisk_ = doc.identity;
    const std::optional<double> computedAt = takeCompanion(std::move(kept));
    title_ = n.title;
    path_ = n.path;
    named_ = true;
    host_.setFileFolder(n.folder);
    history_.clear();
    host_.documentOpened(path_);
    if (doc.contents.header) tellPressure(doc.contents.header->pressureMmHg, computedAt);
    if (doc.contents.leftOut > 0)
        tell("Humidraw",
             withArguments(translate("TFmIX",
                                     "図形が%1を超えているため、最初の%1個だけを読み込みました（%"
                                     "2個は読み込まれません）"),
                           {std::to_string(ObjectTable::kCapacity),
                            std::to_string(doc.contents.leftOut)}),
             PromptIcon::Information);
    return true;
}

bool Session::openChosen() {
    if (askToLeave(PromptIcon::Warning) != Leaving::Go) return false;
    const std::string folder = host_.fileFolder();
    const auto chosen = prompts_.chooseOpenFile(folder, translate("TFmIX", kDocumentFilter));
    if (!chosen) return false;
    std::error_code e;
    if (!std::filesystem::exists(*chosen, e)) {
        tell(translate("TFmIX", "エラーメッセージ"), translate("TFmIX", "ファイルが見つかりません"),
             PromptIcon::Warning);
        return false;
    }
    return open(documentNameFor(*chosen, folder).path);
}

bool Session::openGiven(const std::string& path) {
    if (askToLeave(PromptIcon::Warning) != Leaving::Go) return false;
    return open(path);
}

void Session::tellPressure(double stored, std::optional<double> computedAt) {
    if (!pressureAllowed(stored)) {
        tell("Humidraw",
             withArguments(translate("TFmIX", "図面の大気圧 %1mmHg は範囲外のため、760mmHg で描きます"),
                           {formatFixed(stored, 0)}),
             PromptIcon::Warning);
        return;
    }
    // Documents of earlier versions were computed at 760 mmHg whatever their header said; the
    // objects stay where they are and the user is told once, on opening.
    if (stored == kStandardPressureMmHg || computedAt == stored) return;
    tell("Humidraw",
         withArguments(translate("TFmIX",
                                 "この図面の線・点・表の値は 760mmHg で計算されています。"
                                 "図は図面の大気圧 %1mmHg で描きます。"),
                       {formatFixed(stored, 0)}),
         PromptIcon::Information);
}

// ---- the companion file beside the document -----------------------------------------------

std::optional<double> Session::takeCompanion(CompanionLoad kept) {
    companionKept_ = false;
    if (kept.found == CompanionFound::Unreadable) {
        // Kept as it is: a later save without data leaves it, one with data puts it aside.
        companionKept_ = true;
        tell(translate("TFmIX", kErrorCaption),
             dataText(HUMIDRAW_TEXT_NOOP("MeasuredDataWindow",
                                         "測定データのファイルを読込できません.\n")) +
                 kept.status.error() +
                 dataText(HUMIDRAW_TEXT_NOOP(
                     "MeasuredDataWindow",
                     "\n図面は測定データなしで開きます。このファイルは消さずに残します。")),
             PromptIcon::Warning);
        return std::nullopt;
    }
    if (kept.found == CompanionFound::OtherDocument) {
        const Answer a = prompts_.ask(
            "Humidraw",
            kept.status.error() + dataText(HUMIDRAW_TEXT_NOOP(
                             "MeasuredDataWindow",
                             "\nこの測定データを図面に読み込みますか？\n"
                             "［いいえ］では測定データなしで開き、このファイルは残します。")),
            PromptIcon::Warning, false, true);
        if (a != Answer::Yes) {
            companionKept_ = true;
            return std::nullopt;
        }
    }
    if (!kept.data.empty())
        objects_.overlay = std::make_shared<DataOverlay>(
            std::make_shared<const MeasuredData>(std::move(kept.data)), host_.chartPressure());
    if (!kept.design.empty()) {
        objects_.design = design::designLayer(std::move(kept.design), host_.chartPressure());
        // Kept as defined even when it cannot all be computed: the user is told what stops it.
        if (const Status& s = designResult().status; !s)
            tell("Humidraw",
                 translate("Design", "設計の一部を計算できません:\n") + s.error(),
                 PromptIcon::Warning);
    }
    if (kept.unit) objects_.attachment = unitAttachment(std::move(*kept.unit));
    return kept.pressureMmHg;
}

bool Session::overwriteChangedFile() {
    if (onDiskPath_.empty() || onDiskPath_ != path_) return true;
    std::string now;
    // A document that is gone, or cannot be read, has nothing to lose to the save.
    if (readRegularFile(path_, kMostDocumentBytes, now) != FileProblem::None) return true;
    if (contentIdentity(now) == onDisk_) return true;
    const Answer a = prompts_.ask(
        "Humidraw",
        path_ + dataText(HUMIDRAW_TEXT_NOOP("MeasuredDataWindow",
                                            "\nこのファイルは開いた後に他で変更されています。"
                                            "上書きしますか？")),
        PromptIcon::Warning, false, true);
    return a == Answer::Yes;
}

bool Session::saveWithCompanion(const std::string& bytes) {
    const bool keep = companionKept_ && onDiskPath_ == path_;
    // The pressure is written when it is not the standard one, so that opening knows the
    // objects were computed at it.
    const double p = host_.chartPressure();
    const auto saved = saveDocumentWithCompanion(
        path_, bytes, measuredData(), keep,
        p == kStandardPressureMmHg ? std::nullopt : std::optional<double>(p), design(),
        // The header's SI flag says the engineering and SI units; the companion says IP.
        host_.chartUnits() == UnitSystem::IP ? std::optional<UnitSystem>(UnitSystem::IP)
                                             : std::nullopt,
        unit());
    if (!saved) {
        tell(translate("TFmIX", kErrorCaption),
             translate("TFmIX", "ファイルを作成出来ません．\n") + saved.error(),
             PromptIcon::Warning);
        return false;
    }
    onDiskPath_ = path_;
    onDisk_ = contentIdentity(bytes);
    // Kept until data is saved over it (it is then put aside, and the file at the name is
    // ours); a save under another name leaves it behind.
    companionKept_ = keep && measuredData().empty();
    if (!saved->keptAs.empty())
        tell("Humidraw",
             withArguments(dataText(HUMIDRAW_TEXT_NOOP(
                               "MeasuredDataWindow",
                               "読み込めなかった測定データのファイルは %1 として残しました")),
                           {saved->keptAs}),
             PromptIcon::Information);
    return true;
}

// ---- typed values ------------------------------------------------------------------------

std::optional<double> Session::typedNumber(const std::string& text) {
    const auto v = parseTypedDecimal(text);
    if (!v)
        tell("Humidraw",
             withArguments(translate("TFmIX", "'%1' は浮動小数点数ではありません"), {text}),
             PromptIcon::Error);
    return v;
}

bool Session::typedPoint(int first, int second, const std::string& firstText,
                         const std::string& secondText) {
    auto a = typedNumber(firstText);
    if (!a) return false;
    auto b = typedNumber(secondText);
    if (!b) return false;
    if (first == second) {
        tell(translate("TFmIX", "ポイント作成"),
             translate("TFmIX", "違う種類のデータを入力して下さい"), PromptIcon::Information);
        return false;
    }
    *a = typedInEngineering(first, *a, host_.chartUnits());
    *b = typedInEngineering(second, *b, host_.chartUnits());
    orderPair(first, second, *a, *b);
    if (pairState(MoistAir(host_.chartPressure()), pairCode(first, second), *a, *b, state_) ==
        PairResult::NotComputable)
        tell(translate("TFmIX", "ポイント作成"),
             translate("TFmIX", "この組み合わせでは計算できません"), PromptIcon::Information);
    return true;
}

// ---- measured data -----------------------------------------------------------------------

MeasuredData Session::measuredData() const {
    const auto* overlay = dynamic_cast<const DataOverlay*>(objects_.overlay.get());
    return overlay ? overlay->data() : MeasuredData{};
}

std::vector<comfort::ComfortInputs> Session::comfortInputs() const {
    std::vector<comfort::ComfortInputs> each;
    const auto* overlay = dynamic_cast<const DataOverlay*>(objects_.overlay.get());
    if (!overlay) return each;
    for (const Zone& z : overlay->data().zones)
        if (z.pmv && std::find(each.begin(), each.end(), z.pmv->inputs) == each.end())
            each.push_back(z.pmv->inputs);
    return each;
}

void Session::pressureChanged() {
    const auto* overlay = dynamic_cast<const DataOverlay*>(objects_.overlay.get());
    if (objects_.design) designResult();  // computed again at the new pressure
    if (!overlay) return;
    objects_.overlay = std::make_shared<DataOverlay>(
        std::make_shared<const MeasuredData>(overlay->data()), host_.chartPressure());
}

void Session::changeMeasuredData(MeasuredData data) {
    history_.begin(objects_);
    if (data.empty())
        objects_.overlay.reset();
    else
        objects_.overlay = std::make_shared<DataOverlay>(
            std::make_shared<const MeasuredData>(std::move(data)), host_.chartPressure());
    history_.commit(objects_);
}

// ---- the design layer ---------------------------------------------------------------------

namespace {

const design::DesignOverlay* designOf(const ObjectTable& t) {
    return dynamic_cast<const design::DesignOverlay*>(t.design.get());
}

}  // namespace

const design::Design& Session::design() const {
    static const design::Design none;
    const auto* d = designOf(objects_);
    return d ? d->design() : none;
}

const design::DesignResult& Session::designResult() const {
    static const design::DesignResult none;
    const auto* d = designOf(objects_);
    return d ? d->resultAt(host_.chartPressure()) : none;
}

bool Session::changeDesign(design::Design d) {
    if (d == design()) return false;
    history_.begin(objects_);
    objects_.design = design::designLayer(std::move(d), host_.chartPressure());
    return history_.commit(objects_);
}

const std::optional<ahu::Unit>& Session::unit() const {
    static const std::optional<ahu::Unit> none;
    const auto* a = dynamic_cast<const UnitAttachment*>(objects_.attachment.get());
    return a ? a->unit : none;
}

bool Session::changeUnit(ahu::Unit u) {
    const ahu::UnitResult result = ahu::computeUnit(MoistAir(host_.chartPressure()), u);
    if (!result.status) {
        tell("Humidraw", translate("Ahu", "空調機を計算できません:\n") + result.status.error(),
             PromptIcon::Warning);
        return false;
    }
    design::Design d = design();
    ahu::replaceUnitDrawing(d, ahu::unitDesign(u, result));
    const bool sameUnit = unit() && *unit() == u;
    if (sameUnit && d == design()) return false;
    history_.begin(objects_);
    if (d != design()) objects_.design = design::designLayer(std::move(d), host_.chartPressure());
    if (!sameUnit) objects_.attachment = unitAttachment(std::move(u));
    return history_.commit(objects_);
}

}  // namespace humidraw
