// Output: printing, the metafile command and the clipboard, each from the one painting routine
// at a zoom factor of its own; the view on the screen is left as it was.
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <QSvgGenerator>

#include "app/main_window.h"
#include "app/main_window_p.h"
#include "document/paint.h"
#include "files/safe_replace.h"
#include "metafile/metafile_export.h"
#include "render/export.h"
#include "render/qt_canvas.h"

namespace humidraw::app {
namespace {

const char kMetafileFilter[] = QT_TRANSLATE_NOOP(
    "TFmIX",
    "Windowsﾒﾀﾌｧｲﾙ (*.wmf);;ｴﾝﾊﾝｽﾄﾞﾒﾀﾌｧｲﾙ (*.emf);;全てのﾌｧｲﾙ (*);;SVG (*.svg);;PDF (*.pdf);;"
    "PNG (*.png)");

}  // namespace

bool TFmIX::printOn(QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const double w = page.width(), h = page.height();
    // Fill the page in one direction, keeping the proportions; centred across.
    const double z = (w / 640 > h / 480) ? h / 480 : w / 640;
    const double a = std::trunc((w - 640 * z) / 2);
    QtCanvas k(painter, printer.resolution());
    k.setPenMode(PenMode::Black);
    k.setPenStyle(PenStyle::Solid);
    k.setPenColour(0x000000);
    k.setFontColour(0x000000);
    const bool ok =
        paintChart(k, d->frame, d->chart, d->session.objects(), d->settings, ViewTransform{z, a});
    painter.end();
    return ok;
}

void TFmIX::PrintIx() {
    d->editor.commandEnd();
    QPrinter printer(QPrinter::HighResolution);
    // The chart is wider than high: landscape is proposed, the user may still choose portrait.
    printer.setPageOrientation(QPageLayout::Landscape);
    if (d->prompts->setUpPrinter(printer)) {
        const bool ok = printOn(printer);
        if (ok)
            d->prompts->tell(tr("湿り空気線図").toStdString(),
                             tr("印刷処理が終了しました").toStdString(), PromptIcon::Information);
        else
            d->prompts->tell(tr("湿り空気線図").toStdString(),
                             tr("印刷処理が中断されました").toStdString(), PromptIcon::Error);
    }
    ViewIx();
    d->editor.setLastCommand(Command::Print);
}

Status TFmIX::exportTo(const std::string& path) {
    const std::string lower = QString::fromStdString(path).toLower().toStdString();
    if (formatForPath(path) != ExportFormat::Unknown)
        return exportDrawing({d->frame, d->chart, d->session.objects(), d->settings},
                             static_cast<double>(kMetafileWidth) / 640, path);
    const std::string bytes =
        metafileBytes(metafileFormatFor(path), d->frame, d->chart, d->session.objects(),
                      d->settings, screenTextExtent, screenCharAdvances);
    return writeOutcome(path, replaceFile(path, bytes));
}

void TFmIX::MetaSave() {
    d->editor.commandEnd();
    if (auto chosen =
            d->prompts->chooseSaveFile(d->settings.currentDir, tr(kMetafileFilter).toStdString())) {
        std::string path = *chosen;
        const size_t slash = path.rfind('/');
        if (path.find('.', slash == std::string::npos ? 0 : slash) == std::string::npos)
            path += ".wmf";  // the default extension
        const Status exported = exportTo(path);
        if (!exported)
            d->prompts->tell(tr(kErrorCaption).toStdString(),
                             tr("ファイルを作成出来ません．\n").toStdString() + exported.error(),
                             PromptIcon::Warning);
    }
    d->editor.setLastCommand(Command::Metafile);
}

void TFmIX::ToClip() {
    d->editor.commandEnd();
    const double z = static_cast<double>(kMetafileWidth) / 640;
    auto* data = new QMimeData;
    const std::string emf =
        metafileBytes(MetafileFormat::Enhanced, d->frame, d->chart, d->session.objects(),
                      d->settings, screenTextExtent, screenCharAdvances);
    data->setData("image/x-emf", QByteArray(emf.data(), static_cast<int>(emf.size())));
    // SVG and PNG of the same drawing, for programs that do not read metafiles.
    QByteArray svg;
    {
        QBuffer buffer(&svg);
        buffer.open(QIODevice::WriteOnly);
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(QSize(kMetafileWidth, kMetafileHeight));
        generator.setViewBox(QRect(0, 0, kMetafileWidth, kMetafileHeight));
        generator.setResolution(96);
        QPainter p(&generator);
        QtCanvas k(p, 96);
        k.setBrushSolid(kPaperColour);
        k.fillRect(0, 0, kMetafileWidth, kMetafileHeight);
        k.setBrushClear();
        paintChart(k, d->frame, d->chart, d->session.objects(), d->settings, ViewTransform{z});
    }
    data->setData("image/svg+xml", svg);
    QImage image(kMetafileWidth, kMetafileHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        QtCanvas k(p, 96);
        k.setBrushClear();
        paintChart(k, d->frame, d->chart, d->session.objects(), d->settings, ViewTransform{z});
    }
    data->setImageData(image);
    QApplication::clipboard()->setMimeData(data);
    d->prompts->tell("Humidraw",
                     tr("他のｱﾌﾟﾘｹｰｼｮﾝ側で貼り付け(Ctrl+V)して下さい。\n"
                        "グラフを複写することができます.\n"
                        "但し、ｱﾌﾟﾘｹｰｼｮﾝによっては、正常にコピーできません.")
                         .toStdString(),
                     PromptIcon::Information);
}

}  // namespace humidraw::app
