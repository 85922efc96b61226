#include "render/qt_text.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QStringList>

#include "chart/canvas.h"
#include "chart/chart_settings.h"

namespace humidraw {

void installFontSubstitutions() {
    const QStringList proportional = {"IPAPGothic", "IPAexGothic", "Noto Sans CJK JP"};
    const QStringList fixed = {"IPAGothic", "Noto Sans Mono CJK JP"};
    QFont::insertSubstitutions(QString::fromUtf8(kDefaultFontName), proportional);
    QFont::insertSubstitutions("MS PGothic", proportional);
    QFont::insertSubstitutions(QString::fromUtf8("ＭＳ ゴシック"), fixed);
    QFont::insertSubstitutions("MS Gothic", fixed);
}

QFont chartFont(const std::string& face, int pointSize) {
    QFont f(QString::fromStdString(face));
    f.setPixelSize(std::max(1, pointsToPixels(pointSize)));
    return f;
}

TextExtent screenTextExtent(const std::string& face, int height, const std::string& text) {
    QFont f(QString::fromStdString(face));
    f.setPixelSize(std::max(1, height));
    const QFontMetrics m(f);
    return {m.horizontalAdvance(QString::fromStdString(text)), m.height()};
}

std::vector<double> screenCharAdvances(const std::string& face, int height,
                                       const std::string& text) {
    QFont f(QString::fromStdString(face));
    f.setPixelSize(std::max(1, height));
    const QFontMetricsF m(f);
    std::vector<double> out;
    for (char32_t c : decodeUtf8(text))
        out.push_back(m.horizontalAdvance(QString::fromUcs4(&c, 1)));
    return out;
}

void QtTextMetrics::setFont(const std::string& face, int pointSize) {
    if (metrics_ && face == face_ && pointSize == pointSize_) return;  // font look-up is slow
    face_ = face;
    pointSize_ = pointSize;
    font_ = chartFont(face, pointSize);
}

int QtTextMetrics::height() const {
    return QFontMetrics(font_).height();
}

int QtTextMetrics::width(std::string_view utf8) const {
    return QFontMetrics(font_).horizontalAdvance(
        QString::fromUtf8(utf8.data(), static_cast<int>(utf8.size())));
}

}  // namespace humidraw
