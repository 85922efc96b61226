#pragma once
// Text measurement with Qt fonts, and the chart's Japanese font mapped to what is installed.
#include <QFont>
#include <QFontMetrics>
#include <optional>
#include <vector>

#include "chart/canvas.h"
#include "chart/text_metrics.h"

namespace humidraw {

// Maps "ＭＳ Ｐゴシック" and its kin to the IPA and Noto faces. Call once after the application
// object exists.
void installFontSubstitutions();

// The chart font at a point size on the 96-dpi picture.
QFont chartFont(const std::string& face, int pointSize);

// Text size in a face at a character height in pixels, as the screen measures it.
TextExtent screenTextExtent(const std::string& face, int height, const std::string& text);
// The advance of each character (code point) of the text in that font, with its fractions.
std::vector<double> screenCharAdvances(const std::string& face, int height,
                                       const std::string& text);

class QtTextMetrics : public TextMetrics {
  public:
    void setFont(const std::string& face, int pointSize) override;
    int height() const override;
    int width(std::string_view utf8) const override;

  private:
    std::string face_;
    int pointSize_ = 0;
    QFont font_;
    std::optional<QFontMetrics> metrics_;  // measured with for every label of a construction
};

}  // namespace humidraw
