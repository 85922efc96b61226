#include "render/export.h"

#include <QBuffer>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cmath>

#include "document/attributes.h"
#include "document/paint.h"
#include "files/safe_replace.h"
#include "lang/language.h"
#include "render/qt_canvas.h"
#include "text/number_format.h"

namespace humidraw {

ExportFormat formatForPath(const std::string& path) {
    const QString p = QString::fromStdString(path).toLower();
    if (p.endsWith(".png")) return ExportFormat::Png;
    if (p.endsWith(".svg")) return ExportFormat::Svg;
    if (p.endsWith(".pdf")) return ExportFormat::Pdf;
    return ExportFormat::Unknown;
}

namespace {

bool paintOn(QPainter& painter, int dpi, const Drawing& d, double zoom, int w, int h) {
    QtCanvas k(painter, dpi);
    k.setBrushSolid(kPaperColour);
    k.fillRect(0, 0, w, h);
    k.setPenColour(kChartColour);
    k.setBrushClear();
    k.setFontColour(kChartColour);
    return paintChart(k, d.frame, d.chart, d.objects, d.settings, ViewTransform{zoom});
}

}  // namespace

Status exportDrawing(const Drawing& d, double zoom, const std::string& path) {
    const ExportFormat format = formatForPath(path);
    if (format == ExportFormat::Unknown)
        return failure(Reason::Invalid, "unknown output format (use .png, .svg or .pdf): " + path);
    if (!(zoom > 0) || zoom > 20) return failure(Reason::Invalid, "zoom must lie between 0 and 20");
    const int w = wholeNumber(640 * zoom);
    const int h = wholeNumber(480 * zoom);
    // Painted into memory first: the file is replaced only by a whole drawing.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    bool painted = false;
    if (format == ExportFormat::Png) {
        QImage image(w, h, QImage::Format_RGB32);
        image.setDotsPerMeterX(3780);  // 96 dpi
        image.setDotsPerMeterY(3780);
        {
            QPainter painter(&image);
            painted = paintOn(painter, 96, d, zoom, w, h);
        }
        painted = painted && image.save(&buffer, "PNG");
    } else if (format == ExportFormat::Svg) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(QSize(w, h));
        svg.setViewBox(QRect(0, 0, w, h));
        svg.setResolution(96);
        svg.setTitle("Humidraw");
        QPainter painter;
        if (painter.begin(&svg)) {
            painted = paintOn(painter, 96, d, zoom, w, h);
            painted = painter.end() && painted;
        }
    } else {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(96);
        pdf.setPageSize(QPageSize(QSizeF(w / 96.0, h / 96.0), QPageSize::Inch, "Humidraw"));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setTitle("Humidraw");
        QPainter painter;
        if (painter.begin(&pdf)) {
            painted = paintOn(painter, 96, d, zoom, w, h);
            painted = painter.end() && painted;
        }
    }
    buffer.close();
    if (!painted || bytes.isEmpty())
        return failure(Reason::Internal, path + translate("Render", ": 図を描けませんでした"));
    return writeOutcome(
        path,
        replaceFile(path, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()))));
}

}  // namespace humidraw
