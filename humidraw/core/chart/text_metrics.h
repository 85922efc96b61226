#pragma once
// Text measurement for laying out the chart's labels: the height of a line of text and the
// width of a string, in pixels of the 96-dpi picture, for the chart font.
#include <string>
#include <string_view>

namespace humidraw {

class TextMetrics {
  public:
    virtual ~TextMetrics() = default;
    virtual void setFont(const std::string& face, int pointSize) = 0;
    virtual int height() const = 0;
    virtual int width(std::string_view utf8) const = 0;
};

// Fixed metrics, the same on every machine: a font of S points is H = trunc(S × 4 / 3) pixels
// high; a text is H/2 wide per narrow character and H per wide one (East Asian width W or F),
// the total truncated to a whole pixel.
class FakeTextMetrics : public TextMetrics {
  public:
    void setFont(const std::string&, int pointSize) override { height_ = pointSize * 4 / 3; }
    int height() const override { return height_; }
    int width(std::string_view utf8) const override;

  private:
    int height_ = 8;
};

// True for code points of East Asian width W or F.
bool isWideCodePoint(char32_t c);

// Decodes UTF-8, replacing malformed bytes with U+FFFD.
std::u32string decodeUtf8(std::string_view utf8);

}  // namespace humidraw
