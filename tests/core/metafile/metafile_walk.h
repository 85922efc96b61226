#pragma once
// Record walkers for the metafiles the writers produce, written from the published record
// formats (enhanced metafile: MS-EMF; Windows metafile: MS-WMF) rather than from the writers:
// each record's size is checked against its documented layout, the GDI object table is played
// back (a handle is created before it is selected, never deleted while selected — a Windows
// metafile, which cannot select stock objects, deletes its last objects selected, after which
// nothing may use them — every one deleted by the end), and the drawing records are returned with
// the state they are drawn in.
#include <cstdint>
#include <string>
#include <vector>

namespace humidraw::testing {

// Documented raster operations.
constexpr uint32_t R2_BLACK = 1, R2_NOTXORPEN = 10, R2_COPYPEN = 13;

struct WalkedPen {
    uint32_t style = 0;
    int32_t width = 0;
    uint32_t colour = 0;
};

struct WalkedFont {
    int32_t height = 0, escapement = 0, orientation = 0, weight = 0;
    uint8_t charset = 0;
    std::u16string face;  // WMF: the face bytes widened one by one
};

// One drawing record and the state it was drawn in.
struct Drawn {
    std::string what;         // "move", "line", "ellipse", "rectangle", "arc", "text"
    std::vector<int32_t> at;  // its coordinates, in the record's order
    uint32_t rop = 0;         // raster operation; 0 when none was set
    WalkedPen pen;            // the selected pen
    bool brushSolid = false;  // the selected brush
    uint32_t brushColour = 0;
    WalkedFont font;  // the selected font (texts)
    uint32_t textColour = 0;
    std::u16string text;               // EMF: the UTF-16 units; WMF: the bytes widened one by one
    std::vector<int32_t> dx;           // EMF: the advance of each unit
    int32_t bounds[4] = {0, 0, 0, 0};  // EMF texts
    uint32_t graphicsMode = 0;         // EMF texts
    float scale[2] = {0, 0};           // EMF texts: page units to 0.01 mm
};

struct Walk {
    std::vector<std::string> errors;  // every breach of the format, with its record number
    std::vector<Drawn> drawn;
    int records = 0;
    int created = 0;                                            // objects created
    int maxLive = 0;                                            // most objects alive at once
    int32_t windowOrg[2] = {-1, -1}, windowExt[2] = {-1, -1};   // WMF: x, y as set
    int32_t mapMode = -1, backgroundMode = -1, textAlign = -1;  // as last set; EMF map mode
};

Walk walkEmf(const std::string& bytes);
Walk walkWmf(const std::string& bytes);

}  // namespace humidraw::testing
