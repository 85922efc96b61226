#pragma once
// Colours, line widths and styles of document objects, and the label positions of texts.
#include <string>
#include <vector>

#include "chart/canvas.h"
#include "chart/style_line.h"

namespace humidraw {

constexpr Colour kPaperColour = 0xFFFFFF;
constexpr Colour kChartColour = 0x808080;
constexpr int kPaletteSize = 14;
constexpr int kLabelColour = 7;  // black: state labels and value-table rows
extern const Colour kPalette[kPaletteSize];

// The colour of a palette index; an index outside the palette gives black.
Colour paletteColour(int index);

constexpr int kHighlightStyle = 5;  // dotted, for picked lines only

// Dash lengths of a style index at a zoom factor (empty for solid), each cut to whole pixels.
std::vector<int> stylePattern(int styleIndex, double zoom);
// Style 0 makes the drawer draw solid lines; 1–4 and the highlight set their pattern.
void applyStyle(TStyleLine& drawer, int styleIndex, double zoom);

// Pen width in pixels of a width index at a zoom factor.
int penWidthFor(int widthIndex, double zoom);

// The items of the colour, width and style pickers.
struct CurrentAttributes {
    int colour = 7;  // palette index 1–13
    int width = 3;   // 0–4
    int style = 0;   // 0–4
};
// What a new document draws with (black, width 3, solid), and what a document without a header
// is saved with.
inline constexpr CurrentAttributes kDefaultAttributes{};

extern const char* const kStyleNames[5];
extern const char* const kLabelPositionNames[8];

// Top-left corner of a text of width w and height t whose label position code puts the given
// corner at (X, Y), keeping a gap of t/2.
void labelTopLeft(int code, double X, double Y, double w, double t, double& left, double& top);

}  // namespace humidraw
