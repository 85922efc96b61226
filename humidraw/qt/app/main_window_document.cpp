// The document side of the window: drawing commands, marks for the interaction layer, the file
// commands with their questions.

#include <QApplication>
#include <QCursor>
#include <algorithm>
#include <cmath>

#include "app/coil_dialog.h"
#include "app/coil_report_window.h"
#include "app/command_dialogs.h"
#include "app/main_window.h"
#include "app/main_window_p.h"
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
template <typename F>
void TFmIX::recordCommand(F change) {
    if (d->session.record(change)) documentChanged();
}

// ---- marks -------------------------------------------------------------------------------

void TFmIX::tell(const std::string& caption, const std::string& text) {
    d->prompts->tell(caption, text, PromptIcon::Information);
}

void TFmIX::prepareSegmentPen() {
    d->segmentColour = paletteColour(d->attributes.colour);
    d->segmentWidth = penWidthFor(d->attributes.width, d->view.zoom);
    d->segmentStyle = d->attributes.style;
}

void TFmIX::drawMark(QRect area, const std::function<void(QtCanvas&)>& draw) {
    area = area.normalized() & QRect(QPoint(0, 0), d->picture.size());
    if (area.isEmpty()) return;
    QPainter p(&d->picture.ensure(area));
    // Only where the picture is painted: the rest is painted later, and without the mark.
    p.setClipRect(d->picture.toDevice(area));
    p.scale(d->picture.devicePixelRatio(), d->picture.devicePixelRatio());
    QtCanvas k(p, 96);
    draw(k);
    p.end();
    d->box->update(area);
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
    drawMark(around(from.x, from.y, to.x, to.y, d->segmentWidth), [&](QtCanvas& k) {
        k.setPenMode(PenMode::NotXor);
        k.setPenColour(d->segmentColour);
        k.setBrushClear();
        TStyleLine drawer;
        drawer.canvas = &k;
        applyStyle(drawer, d->segmentStyle, d->view.zoom);
        drawer.setWidth(d->segmentWidth);
        // A typed point can lie anywhere: only the part on the paint box is walked.
        drawer.drawWithin(PixelArea{0, 0, double(d->view.boxWidth), double(d->view.boxHeight)},
                          from.x, from.y, to.x, to.y);
    });
}

void TFmIX::drawMarker(PixelPoint c, int r) {
    drawMark(around(c.x - r, c.y - r, c.x + r, c.y + r, d->segmentWidth), [&](QtCanvas& k) {
        k.setPenMode(PenMode::NotXor);
        k.setPenColour(d->segmentColour);
        k.setPenWidth(d->segmentWidth);
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
    const int width = penWidthFor(r.width, d->view.zoom);
    ChartPoint A, B;
    if (!lineOnChart(d->frame, screen(), r, A, B))
        return;  // drawn only on the chart, and none of it is
    drawMark(around(A.x, A.y, B.x, B.y, width), [&](QtCanvas& k) {
        k.setPenColour(kPaperColour);
        TStyleLine drawer;
        drawer.canvas = &k;
        applyStyle(drawer, kHighlightStyle, d->view.zoom);
        drawer.setWidth(width);
        drawer.drawWithin(PixelArea{0, 0, double(d->view.boxWidth), double(d->view.boxHeight)}, B.x,
                          B.y, A.x, A.y);
    });
}

void TFmIX::highlightText(const ObjectRecord& r) {
    const TextExtent e = textExtent(r.text);
    const ChartPoint P = stateToScreen(d->frame, screen(), r.h1, r.x1);
    double left, top;
    labelTopLeft(r.labelPosition, P.x, P.y, e.width, e.height, left, top);
    const int l = wholeNumber(left), t = wholeNumber(top), rr = l + e.width, b = t + e.height;
    const int width = wholeNumber(2 * d->view.zoom);
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
    return screenTextExtent(d->settings.fontName,
                            wholeNumber(pointsToPixels(d->settings.fontSize) * d->view.zoom), text);
}

bool TFmIX::pointDialogVisible() const {
    return d->pointDialog && d->pointDialog->isVisible();
}

void TFmIX::showPointDialog(const std::string& caption) {
    d->pointDialog->setCaption(QString::fromStdString(caption));
    // The point and line dialogs take engineering units under SI, as they always have.
    const UnitSystem typed = d->settings.isIP() ? UnitSystem::IP : UnitSystem::Engineering;
    setPropertyUnits(d->pointDialog->CB1, typed);
    setPropertyUnits(d->pointDialog->CB2, typed);
    d->pointDialog->move(QCursor::pos());
    d->pointDialog->show();
    d->pointDialog->raise();
    d->pointDialog->activateWindow();
}

void TFmIX::hidePointDialog() {
    d->pointDialog->hide();
}

void TFmIX::runCommand(Command c) {
    if (QAction* a = c == Command::None ? nullptr : action(c)) a->trigger();
}

// ---- drawing commands ----------------------------------------------------------------------

void TFmIX::M_Free() {
    d->editor.startFreeSegment();
}
void TFmIX::SsErase() {
    d->editor.startErase();
}

void TFmIX::M_LineG() {
    d->editor.commandEnd();
    for (auto [box, item] : {std::pair{d->lineDialog->CB1, 0},
                             {d->lineDialog->CB2, 1},
                             {d->lineDialog->CB10, 0},
                             {d->lineDialog->CB20, 1}})
        if (box->currentIndex() < 0) box->setCurrentIndex(item);
    for (QComboBox* box : {d->lineDialog->CB1, d->lineDialog->CB2, d->lineDialog->CB10,
                           d->lineDialog->CB20})
        setPropertyUnits(box, d->settings.isIP() ? UnitSystem::IP : UnitSystem::Engineering);
    showDialog(d->lineDialog);
    d->editor.setLastCommand(Command::StateLine);
}

void TFmIX::M_Line() {
    TMk_Line* dialog = d->lineDialog;
    double values[4];
    QLineEdit* edits[4] = {dialog->X1, dialog->X2, dialog->X10, dialog->X20};
    QComboBox* selectors[4] = {dialog->CB1, dialog->CB2, dialog->CB10, dialog->CB20};
    for (int i = 0; i < 4; ++i) {
        const auto v = d->session.typedNumber(edits[i]->text().toStdString());
        if (!v) return;
        values[i] = typedInEngineering(selectors[i]->currentIndex(), *v, d->settings.units);
    }
    StateSpec start{dialog->CB1->currentIndex(),
                    dialog->CB2->currentIndex(),
                    values[0],
                    values[1],
                    dialog->PTX1->text().toStdString(),
                    dialog->TXP1->currentIndex(),
                    dialog->HB1->isChecked()};
    StateSpec end{dialog->CB10->currentIndex(),
                  dialog->CB20->currentIndex(),
                  values[2],
                  values[3],
                  dialog->PTX2->text().toStdString(),
                  dialog->TXP2->currentIndex(),
                  dialog->HB10->isChecked()};
    const StateLine line =
        stateChangeLine(d->frame.air, start, end, d->attributes, d->session.objects().room(),
                        d->session.state());
    if (!line.status) {
        d->prompts->tell(tr("線分作成").toStdString(), line.status.error(), PromptIcon::Information);
        return;
    }
    for (const std::string& notice : line.notices)
        d->prompts->tell(tr("ポイント作成").toStdString(), notice, PromptIcon::Information);
    recordCommand([&] {
        for (const ObjectRecord& r : line.objects) d->session.objects().append(r);
    });
    dialog->hide();
    ViewIx();
    if (const std::string notice = outsideChartNotice(d->frame, line.objects.back());
        !notice.empty())
        setStatus(1, notice);
}

void TFmIX::M_TextG() {
    d->editor.commandEnd();
    d->editedText = -1;
    d->textDialog->forNewText();
    d->editor.setLastCommand(Command::Text);
    showDialog(d->textDialog);
    d->textDialog->EdTextData->setFocus();
}

void TFmIX::M_Text() {
    const std::string text = d->textDialog->EdTextData->text().toStdString();
    const int edited = d->editedText;
    d->editedText = -1;
    d->textDialog->hide();
    if (edited >= 0)
        d->editor.changeText(edited, text, d->textDialog->TXP->currentIndex());
    else
        d->editor.startTextPlacement(text);
}

void TFmIX::M_Point() {
    TID_Point* dialog = d->pointDialog;
    // A message opens over the dialog; the dialog is hidden once the point is read.
    const bool taken =
        d->session.typedPoint(dialog->CB1->currentIndex(), dialog->CB2->currentIndex(),
                              dialog->X1->text().toStdString(), dialog->X2->text().toStdString());
    dialog->hide();
    if (taken)
        d->editor.acceptTypedPoint();
    else
        d->editor.abandonTypedPoint();
}

void TFmIX::DataClear() {
    d->editor.commandEnd();
    if (d->prompts->ask("Humidraw", tr("全データを消去します。").toStdString(),
                        PromptIcon::Information, false, false) == Answer::No)
        return;
    recordCommand([this] { d->session.objects().clear(); });
    ViewIx();
}

void TFmIX::A_Ahu1G() {
    ViewIx();
    d->editor.commandEnd();
    d->coilDialog->selectDefaults();
    d->coilDialog->applyUnits(d->settings.units);
    showDialog(d->coilDialog);
}

void TFmIX::A_Ahu1() {
    const coil::CoilRun run = coil::runCoil(
        d->frame.air, d->coilDialog->inputs(), d->settings.units, d->settings.dbMin,
        d->settings.dbMax, d->attributes, d->session.objects().room(), d->session.state());
    if (!run.status) {
        d->prompts->tell(run.errorCaption, run.status.error(), PromptIcon::Information);
        return;  // nothing appended; the dialog stays open for correction
    }
    d->coilDialog->showFields(run.fields);
    recordCommand([&] {
        for (const ObjectRecord& r : run.objects) d->session.objects().append(r);
    });
    ViewIx();
    // Told over the dialog, with the plot already in view behind it.
    for (const std::string& w : run.warnings) d->prompts->tell("Humidraw", w, PromptIcon::Warning);
    if (!d->coilReport) d->coilReport = new CoilReportWindow(*d->prompts, this);
    d->coilReport->showReport(run, coil::coilReport(run, d->settings.dbMin, d->settings.dbMax),
                              d->settings.units, *d->coilDialog);
    d->coilDialog->hide();
}

// ---- file commands -------------------------------------------------------------------------

DocumentHeader TFmIX::headerToSave() {
    takeScrollPositions();
    return headerFrom(d->settings, d->attributes.colour, d->attributes.width, d->attributes.style,
                      d->view.zoom, d->view.boxHeight, d->view.boxWidth, d->view.scrollX,
                      d->view.scrollY);
}

std::string TFmIX::takeHeader(const DocumentHeader& h, std::optional<UnitSystem> units) {
    Settings s = d->settings;
    applyHeader(h, s);
    if (units) s.units = *units;
    // The document's pressure replaces the one the altitude gave, unless it is that one.
    s.altitudeM = matchingAltitude(s);
    if (!rebuildChart(s)) return noChartMessage(s);
    d->settings = s;
    const HeaderView shown = headerView(h, d->view);
    setPickers(shown.attributes.colour, shown.attributes.width, shown.attributes.style);
    d->view = shown.view;
    applyView();
    return {};
}

bool TFmIX::Fsave() {
    d->editor.commandEnd();
    d->editor.setLastCommand(Command::None);
    return d->session.save(false);
}

bool TFmIX::Fsaveas() {
    d->editor.commandEnd();
    d->editor.setLastCommand(Command::None);
    return d->session.save(true);
}

void TFmIX::setPickers(int colour, int width, int style) {
    d->colourPicker->setCurrentIndex(colour - 1);
    d->widthPicker->setCurrentIndex(width);
    d->stylePicker->setCurrentIndex(style);
    d->attributes = {colour, width, style};
}

void TFmIX::Fnew() {
    d->editor.commandEnd();
    d->editor.setLastCommand(Command::None);
    if (d->session.askToLeave(PromptIcon::Warning) != Leaving::Go) return;
    Settings fresh = loadSettings(d->ini, documentsFolder());
    d->session.clear();
    setPickers(kDefaultAttributes.colour, kDefaultAttributes.width, kDefaultAttributes.style);
    if (!rebuildChart(fresh)) {
        d->prompts->tell("Humidraw", noChartMessage(fresh), PromptIcon::Warning);
        fresh.dbMin = d->settings.dbMin;
        fresh.dbMax = d->settings.dbMax;
        rebuildChart(fresh);
    }
    d->settings = fresh;
    d->view = ViewState{};
    ZoomAll();
    historyMoved();
}

bool TFmIX::openDocument(const std::string& path) {
    return d->session.open(path);
}

void TFmIX::Fopen() {
    d->editor.commandEnd();
    d->session.openChosen();
}

}  // namespace humidraw::app
