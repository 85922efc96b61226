// The document side of the window: drawing commands, marks for the interaction layer, the file
// commands with their questions.
#include <strings.h>

#include <QApplication>
#include <QCursor>
#include <QFileInfo>
#include <algorithm>
#include <cmath>

#include "app/coil_dialog.h"
#include "app/coil_report_window.h"
#include "app/command_dialogs.h"
#include "app/main_window.h"
#include "app/paint_box.h"
#include "app/pickers.h"
#include "chart/construction.h"
#include "chart/style_line.h"
#include "coil/coil.h"
#include "coil/coil_report.h"
#include "document/attributes.h"
#include "document/document_file.h"
#include "document/paint.h"
#include "document/state_line.h"
#include "files/safe_replace.h"
#include "render/qt_canvas.h"
#include "text/number_format.h"

namespace humidraw::app {
namespace {

const char kDocumentFilter[] =
    QT_TRANSLATE_NOOP("TFmIX", "Humidrawのﾃﾞｰﾀ (*.hdw *.HDW);;全てのﾌｧｲﾙ (*)");

std::string notANumber(const QString& text) {
    return TFmIX::tr("'%1' は浮動小数点数ではありません").arg(text).toStdString();
}

}  // namespace

template <typename F>
void TFmIX::recordCommand(F change) {
    history_.begin(objects_);
    change();
    if (history_.commit(objects_)) documentChanged();
}

// ---- marks -------------------------------------------------------------------------------

void TFmIX::tell(const std::string& caption, const std::string& text) {
    prompts_->tell(caption, text, PromptIcon::Information);
}

void TFmIX::prepareSegmentPen() {
    segmentColour_ = paletteColour(attributes_.colour);
    segmentWidth_ = penWidthFor(attributes_.width, view_.zoom);
    segmentStyle_ = attributes_.style;
}

void TFmIX::drawMark(QRect area, const std::function<void(QtCanvas&)>& draw) {
    area = area.normalized() & QRect(QPoint(0, 0), picture_.size());
    if (area.isEmpty()) return;
    QPainter p(&picture_.ensure(area));
    // Only where the picture is painted: the rest is painted later, and without the mark.
    p.setClipRect(picture_.toDevice(area));
    p.scale(picture_.devicePixelRatio(), picture_.devicePixelRatio());
    QtCanvas k(p, 96);
    draw(k);
    p.end();
    box_->update(area);
}

namespace {
// The rectangle around two points, widened by a pen's width and a pixel of rounding each side.
QRect around(double x1, double y1, double x2, double y2, int width) {
    const double m = width + 2;
    const auto clamp = [](double v) { return std::clamp(v, -1e6, 1e6); };
    return QRect(QPoint(int(std::floor(clamp(std::min(x1, x2) - m))),
                        int(std::floor(clamp(std::min(y1, y2) - m)))),
                 QPoint(int(std::ceil(clamp(std::max(x1, x2) + m))),
                        int(std::ceil(clamp(std::max(y1, y2) + m)))));
}
}  // namespace

void TFmIX::drawBand(PixelPoint from, PixelPoint to) {
    drawMark(around(from.x, from.y, to.x, to.y, segmentWidth_), [&](QtCanvas& k) {
        k.setPenMode(PenMode::NotXor);
        k.setPenColour(segmentColour_);
        k.setBrushClear();
        TStyleLine drawer;
        drawer.canvas = &k;
        applyStyle(drawer, segmentStyle_, view_.zoom);
        drawer.setWidth(segmentWidth_);
        // A typed point can lie anywhere: only the part on the paint box is walked.
        drawer.drawWithin(PixelArea{0, 0, double(view_.boxWidth), double(view_.boxHeight)}, from.x,
                          from.y, to.x, to.y);
    });
}

void TFmIX::drawMarker(PixelPoint c, int r) {
    drawMark(around(c.x - r, c.y - r, c.x + r, c.y + r, segmentWidth_), [&](QtCanvas& k) {
        k.setPenMode(PenMode::NotXor);
        k.setPenColour(segmentColour_);
        k.setPenWidth(segmentWidth_);
        k.setBrushSolid(kPaperColour);
        k.ellipse(c.x - r, c.y - r, c.x + r, c.y + r);
    });
}

void TFmIX::drawOutline(const Outline& o) {
    QRect area;
    for (int i = 0; i < 5; ++i) area |= around(o[i].x, o[i].y, o[i].x, o[i].y, 1);
    drawMark(area, [&](QtCanvas& k) {
        k.setPenMode(PenMode::NotXor);
        k.setPenColour(0x000000);
        k.setPenWidth(0);
        k.moveTo(o[0].x, o[0].y);
        for (int i = 1; i < 5; ++i) k.lineTo(o[i].x, o[i].y);
    });
}

void TFmIX::highlight(const ObjectRecord& r) {
    if (isLineObject(r.kind))
        highlightLine(r);
    else
        highlightText(r);
}

void TFmIX::highlightLine(const ObjectRecord& r) {
    const int width = penWidthFor(r.width, view_.zoom);
    ChartPoint A, B;
    if (!lineOnChart(frame_, screen(), r, A, B)) return;  // drawn only on the chart, and none of it is
    drawMark(around(A.x, A.y, B.x, B.y, width), [&](QtCanvas& k) {
        k.setPenColour(kPaperColour);
        TStyleLine drawer;
        drawer.canvas = &k;
        applyStyle(drawer, kHighlightStyle, view_.zoom);
        drawer.setWidth(width);
        drawer.drawWithin(PixelArea{0, 0, double(view_.boxWidth), double(view_.boxHeight)}, B.x,
                          B.y, A.x, A.y);
    });
}

void TFmIX::highlightText(const ObjectRecord& r) {
    const TextExtent e = textExtent(r.text);
    const ChartPoint P = stateToScreen(frame_, screen(), r.h1, r.x1);
    double left, top;
    labelTopLeft(r.labelPosition, P.x, P.y, e.width, e.height, left, top);
    const int l = wholeNumber(left), t = wholeNumber(top), rr = l + e.width, b = t + e.height;
    const int width = wholeNumber(2 * view_.zoom);
    drawMark(around(l, t, rr, b, width), [&](QtCanvas& k) {
        k.setPenColour(0x0000FF);
        k.setPenWidth(width);
        const int corners[4][2] = {{l, t}, {rr, t}, {l, b}, {rr, b}};
        for (const auto& c : corners) {
            const int dx = c[0] == l ? 3 : -3, dy = c[1] == t ? 3 : -3;
            k.moveTo(c[0] + dx, c[1]);
            k.lineTo(c[0], c[1]);
            k.lineTo(c[0], c[1] + dy);
        }
    });
}

TextExtent TFmIX::textExtent(const std::string& text) {
    return screenTextExtent(settings_.fontName,
                            wholeNumber(pointsToPixels(settings_.fontSize) * view_.zoom), text);
}

bool TFmIX::pointDialogVisible() const {
    return pointDialog_ && pointDialog_->isVisible();
}

void TFmIX::showPointDialog(const std::string& caption) {
    pointDialog_->setCaption(QString::fromStdString(caption));
    pointDialog_->move(QCursor::pos());
    pointDialog_->show();
    pointDialog_->raise();
    pointDialog_->activateWindow();
}

void TFmIX::hidePointDialog() {
    pointDialog_->hide();
}

void TFmIX::runCommand(Command c) {
    if (QAction* a = c == Command::None ? nullptr : action(c)) a->trigger();
}

// ---- drawing commands ----------------------------------------------------------------------

void TFmIX::M_Free() {
    editor_.startFreeSegment();
}
void TFmIX::SsErase() {
    editor_.startErase();
}

void TFmIX::M_LineG() {
    editor_.commandEnd();
    for (auto [box, item] : {std::pair{lineDialog_->CB1, 0},
                             {lineDialog_->CB2, 1},
                             {lineDialog_->CB10, 0},
                             {lineDialog_->CB20, 1}})
        if (box->currentIndex() < 0) box->setCurrentIndex(item);
    showDialog(lineDialog_);
    editor_.setLastCommand(Command::StateLine);
}

void TFmIX::M_Line() {
    TMk_Line* d = lineDialog_;
    double values[4];
    QLineEdit* edits[4] = {d->X1, d->X2, d->X10, d->X20};
    for (int i = 0; i < 4; ++i) {
        const auto v = parseTypedDecimal(edits[i]->text().toStdString());
        if (!v) {
            prompts_->tell("Humidraw", notANumber(edits[i]->text()), PromptIcon::Error);
            return;
        }
        values[i] = *v;
    }
    StateSpec start{
        d->CB1->currentIndex(),        d->CB2->currentIndex(),  values[0],          values[1],
        d->PTX1->text().toStdString(), d->TXP1->currentIndex(), d->HB1->isChecked()};
    StateSpec end{
        d->CB10->currentIndex(),       d->CB20->currentIndex(), values[2],           values[3],
        d->PTX2->text().toStdString(), d->TXP2->currentIndex(), d->HB10->isChecked()};
    const StateLine line = stateChangeLine(start, end, attributes_, objects_.room(), state_);
    if (!line.status) {
        prompts_->tell(tr("線分作成").toStdString(), line.status.error(), PromptIcon::Information);
        return;
    }
    for (const std::string& notice : line.notices)
        prompts_->tell(tr("ポイント作成").toStdString(), notice, PromptIcon::Information);
    recordCommand([&] {
        for (const ObjectRecord& r : line.objects) objects_.append(r);
    });
    d->hide();
    ViewIx();
    if (const std::string notice = outsideChartNotice(frame_, line.objects.back()); !notice.empty())
        setStatus(1, notice);
}

void TFmIX::M_TextG() {
    editor_.commandEnd();
    editedText_ = -1;
    textDialog_->forNewText();
    editor_.setLastCommand(Command::Text);
    showDialog(textDialog_);
    textDialog_->EdTextData->setFocus();
}

void TFmIX::M_Text() {
    const std::string text = textDialog_->EdTextData->text().toStdString();
    const int edited = editedText_;
    editedText_ = -1;
    textDialog_->hide();
    if (edited >= 0)
        editor_.changeText(edited, text, textDialog_->TXP->currentIndex());
    else
        editor_.startTextPlacement(text);
}

void TFmIX::M_Point() {
    TID_Point* d = pointDialog_;
    // A message opens over the dialog; the dialog is hidden once the point is read.
    int i = d->CB1->currentIndex(), j = d->CB2->currentIndex();
    const auto a = parseTypedDecimal(d->X1->text().toStdString());
    const auto b = parseTypedDecimal(d->X2->text().toStdString());
    if (!a || !b) {
        prompts_->tell("Humidraw", notANumber(!a ? d->X1->text() : d->X2->text()),
                       PromptIcon::Error);
        d->hide();
        editor_.abandonTypedPoint();
        return;
    }
    double first = *a, second = *b;
    if (i == j) {
        prompts_->tell(tr("ポイント作成").toStdString(),
                       tr("違う種類のデータを入力して下さい").toStdString(),
                       PromptIcon::Information);
        d->hide();
        editor_.abandonTypedPoint();
        return;
    }
    if (j < i) {
        std::swap(i, j);
        std::swap(first, second);
    }
    if (pairState(pairCode(i, j), first, second, state_) == PairResult::NotComputable)
        prompts_->tell(tr("ポイント作成").toStdString(),
                       tr("この組み合わせでは計算できません").toStdString(),
                       PromptIcon::Information);
    d->hide();
    editor_.acceptTypedPoint();
}

void TFmIX::DataClear() {
    editor_.commandEnd();
    if (prompts_->ask("Humidraw", tr("全データを消去します。").toStdString(),
                      PromptIcon::Information, false, false) == Answer::No)
        return;
    recordCommand([this] { objects_.clear(); });
    ViewIx();
}

void TFmIX::A_Ahu1G() {
    ViewIx();
    editor_.commandEnd();
    coilDialog_->selectDefaults();
    coilDialog_->applyUnits(settings_.si);
    showDialog(coilDialog_);
}

void TFmIX::A_Ahu1() {
    const coil::CoilRun run = coil::runCoil(coilDialog_->inputs(), settings_.si, settings_.dbMin,
                                            settings_.dbMax, attributes_, objects_.room(), state_);
    if (!run.status) {
        prompts_->tell(run.errorCaption, run.status.error(), PromptIcon::Information);
        return;  // nothing appended; the dialog stays open for correction
    }
    coilDialog_->showFields(run.fields);
    recordCommand([&] {
        for (const ObjectRecord& r : run.objects) objects_.append(r);
    });
    ViewIx();
    // Told over the dialog, with the plot already in view behind it.
    for (const std::string& w : run.warnings) prompts_->tell("Humidraw", w, PromptIcon::Warning);
    if (!coilReport_) coilReport_ = new CoilReportWindow(*prompts_, this);
    coilReport_->showReport(run, coil::coilReport(run, settings_.dbMin, settings_.dbMax),
                            settings_.si, *coilDialog_);
    coilDialog_->hide();
}

// ---- file commands -------------------------------------------------------------------------

bool TFmIX::askToSave(PromptIcon icon, bool& saved) {
    saved = false;
    switch (prompts_->ask("Humidraw", tr("現在編集中の図面を保存しますか？").toStdString(), icon,
                          true, true)) {
        case Answer::Yes:
            saved = saveRoutine(false);
            return saved;  // a cancelled or failed save stops the command
        case Answer::No:
            return true;
        default:
            return false;
    }
}

bool TFmIX::saveRoutine(bool saveAs) {
    // The folder offered next is the last one a save worked in.
    std::string folder = settings_.currentDir;
    if (saveAs || strcasecmp(documentTitle_.c_str(), "Project") == 0) {
        const auto chosen =
            prompts_->chooseSaveFile(settings_.currentDir, tr(kDocumentFilter).toStdString());
        if (!chosen) return false;
        const DocumentName n = documentNameFor(*chosen, settings_.currentDir);
        documentTitle_ = n.title;
        documentPath_ = n.path;
        folder = n.folder;
    }
    takeScrollPositions();
    const DocumentHeader h =
        headerFrom(settings_, attributes_.colour, attributes_.width, attributes_.style, view_.zoom,
                   view_.boxHeight, view_.boxWidth, view_.scrollX, view_.scrollY);
    const auto bytes = serializeDocument(h, liveRecords(objects_));
    if (!bytes) {
        prompts_->tell(tr(kErrorCaption).toStdString(),
                       tr("ファイルを作成出来ません．\n").toStdString() + bytes.error(),
                       PromptIcon::Warning);
        return false;
    }
    if (!overwriteChangedFile() || !saveWithCompanion(*bytes)) return false;
    settings_.currentDir = folder;
    history_.markSaved();
    rememberFile(documentPath_);
    historyMoved();
    return true;
}

bool TFmIX::Fsave() {
    editor_.commandEnd();
    editor_.setLastCommand(Command::None);
    return saveRoutine(false);
}

bool TFmIX::Fsaveas() {
    editor_.commandEnd();
    editor_.setLastCommand(Command::None);
    return saveRoutine(true);
}

void TFmIX::setPickers(int colour, int width, int style) {
    colourPicker_->setCurrentIndex(colour - 1);
    widthPicker_->setCurrentIndex(width);
    stylePicker_->setCurrentIndex(style);
    attributes_ = {colour, width, style};
}

void TFmIX::clearDocument() {
    objects_.clear();
    objects_.overlay.reset();
    state_ = CurrentState{};
}

void TFmIX::Fnew() {
    editor_.commandEnd();
    editor_.setLastCommand(Command::None);
    if (modified()) {
        bool saved = false;
        if (!askToSave(PromptIcon::Warning, saved) || saved) return;
    }
    Settings fresh = loadSettings(ini_, documentsFolder());
    clearDocument();
    setPickers(7, 3, 0);
    if (!rebuildChart(fresh)) {
        prompts_->tell("Humidraw", noChartMessage(fresh), PromptIcon::Warning);
        fresh.dbMin = settings_.dbMin;
        fresh.dbMax = settings_.dbMax;
        rebuildChart(fresh);
    }
    settings_ = fresh;
    view_ = ViewState{};
    ZoomAll();
    documentTitle_ = "Project";
    documentPath_.clear();
    onDiskPath_.clear();
    companionKept_ = false;
    history_.clear();
    historyMoved();
}

bool TFmIX::openDocument(const std::string& path) {
    const DocumentRead doc = readDocumentFile(path);
    if (!doc.status) {
        prompts_->tell(tr(kErrorCaption).toStdString(),
                       tr("データファイルを読込できません.\n").toStdString() + doc.status.error(),
                       PromptIcon::Warning);
        return false;
    }
    Settings s = settings_;
    if (doc.contents.header) {
        applyHeader(*doc.contents.header, s);
        if (!rebuildChart(s)) {
            prompts_->tell(
                tr(kErrorCaption).toStdString(),
                tr("データファイルを読込できません.\n").toStdString() + noChartMessage(s),
                PromptIcon::Warning);
            return false;
        }
        settings_ = s;
        const DocumentHeader& h = *doc.contents.header;
        setPickers(std::clamp(h.colourItem + 1, 1, 13), std::clamp(h.widthItem, 0, 4),
                   std::clamp(h.styleItem, 0, 4));
        if (h.zoom > 0 && h.zoom < 100) view_.zoom = h.zoom;
        view_.boxHeight = wholeNumber(std::clamp(h.boxHeight, 1.0, 100000.0));
        view_.boxWidth = wholeNumber(std::clamp(h.boxWidth, 1.0, 100000.0));
        view_.scrollX = h.horzScroll;
        view_.scrollY = h.vertScroll;
        applyView();
    }
    clearDocument();
    for (const ObjectRecord& r : doc.contents.records) objects_.append(r);
    const DocumentName n = documentNameFor(path, settings_.currentDir);
    onDiskPath_ = n.path;
    onDisk_ = doc.identity;
    loadCompanionOf(path, doc.identity);
    documentTitle_ = n.title;
    documentPath_ = n.path;
    settings_.currentDir = n.folder;
    ViewIx();
    history_.clear();
    rememberFile(documentPath_);
    historyMoved();
    if (doc.contents.leftOut > 0)
        prompts_->tell("Humidraw",
                       tr("図形が%1を超えているため、最初の%1個だけを読み込みました（%"
                          "2個は読み込まれません）")
                           .arg(ObjectTable::kCapacity)
                           .arg(doc.contents.leftOut)
                           .toStdString(),
                       PromptIcon::Information);
    return true;
}

void TFmIX::Fopen() {
    editor_.commandEnd();
    if (modified()) {
        bool saved = false;
        if (!askToSave(PromptIcon::Warning, saved) || saved) return;
    }
    const auto chosen =
        prompts_->chooseOpenFile(settings_.currentDir, tr(kDocumentFilter).toStdString());
    if (!chosen) return;
    if (!QFileInfo::exists(QString::fromStdString(*chosen))) {
        prompts_->tell(tr("エラーメッセージ").toStdString(),
                       tr("ファイルが見つかりません").toStdString(), PromptIcon::Warning);
        return;
    }
    openDocument(documentNameFor(*chosen, settings_.currentDir).path);
}

}  // namespace humidraw::app
