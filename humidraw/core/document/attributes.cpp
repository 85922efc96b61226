#include "document/attributes.h"

#include <cmath>

#include "lang/language.h"
#include "text/number_format.h"

namespace humidraw {

const Colour kPalette[kPaletteSize] = {
    0xFFFFFF,  // white
    0x0000FF,  // red
    0x00FFFF,  // yellow
    0x00FF00,  // lime
    0xFFFF00,  // aqua
    0xFF0000,  // blue
    0xFF00FF,  // fuchsia
    0x000000,  // black
    0x000080,  // maroon
    0x008080,  // olive
    0x008000,  // green
    0x808000,  // teal
    0x800000,  // navy
    0x800080,  // purple
};

const char* const kStyleNames[5] = {
    HUMIDRAW_TEXT_NOOP("Document", "実　　線"), HUMIDRAW_TEXT_NOOP("Document", "破　　線"),
    HUMIDRAW_TEXT_NOOP("Document", "点　　線"), HUMIDRAW_TEXT_NOOP("Document", "一点鎖線"),
    HUMIDRAW_TEXT_NOOP("Document", "二点鎖線")};
const char* const kLabelPositionNames[8] = {
    HUMIDRAW_TEXT_NOOP("Document", "左・上"), HUMIDRAW_TEXT_NOOP("Document", "左・中"),
    HUMIDRAW_TEXT_NOOP("Document", "左・下"), HUMIDRAW_TEXT_NOOP("Document", "中・下"),
    HUMIDRAW_TEXT_NOOP("Document", "右・下"), HUMIDRAW_TEXT_NOOP("Document", "右・中"),
    HUMIDRAW_TEXT_NOOP("Document", "右・上"), HUMIDRAW_TEXT_NOOP("Document", "中・上"),
};

Colour paletteColour(int index) {
    return (index >= 0 && index < kPaletteSize) ? kPalette[index] : 0x000000;
}

std::vector<int> stylePattern(int styleIndex, double zoom) {
    const auto z = [zoom](double f) { return wholeNumber(f * zoom); };
    switch (styleIndex) {
        case 1:
            return {z(8), z(4)};
        case 2:
            return {3, z(3)};
        case 3:
            return {z(8), z(4), z(2), z(4)};
        case 4:
            return {z(8), z(4), z(2), z(4), z(2), z(4)};
        case kHighlightStyle:
            return {1, z(3)};
        default:
            return {};
    }
}

void applyStyle(TStyleLine& drawer, int styleIndex, double zoom) {
    const std::vector<int> pattern = stylePattern(styleIndex, zoom);
    if (pattern.empty()) {
        drawer.setStyle(1);
        return;
    }
    drawer.setStyle(0);
    drawer.setPattern(pattern);
}

int penWidthFor(int widthIndex, double zoom) {
    return wholeNumber(widthIndex * zoom * 0.5);
}

void labelTopLeft(int code, double X, double Y, double w, double t, double& left, double& top) {
    const double g = t / 2;
    switch (code) {
        case 0:
            left = X + g, top = Y + g;
            break;
        case 1:
            left = X + g, top = Y - g;
            break;
        case 2:
            left = X + g, top = Y - 3 * g;
            break;
        case 3:
            left = X - w / 2, top = Y - 3 * g;
            break;
        case 4:
            left = X - w - g, top = Y - 3 * g;
            break;
        case 5:
            left = X - w - g, top = Y - g;
            break;
        case 6:
            left = X - w - g, top = Y + g;
            break;
        default:
            left = X - w / 2, top = Y + g;
            break;
    }
}

}  // namespace humidraw
