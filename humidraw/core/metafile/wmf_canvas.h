#pragma once
// Placeable Windows metafile (WMF): the 22-byte placeable header (96 units per inch), 16-bit
// records, CP932 text. Coordinates beyond the 16-bit range are clamped.
#include "metafile/metafile_canvas.h"

namespace humidraw {

class WmfCanvas : public MetafileCanvas {
  public:
    WmfCanvas(int width, int height, TextMeasure measure);
    std::string finish() override;

    enum : uint16_t {
        META_EOF = 0x0000,
        META_SETBKMODE = 0x0102,
        META_SETROP2 = 0x0104,
        META_SETTEXTALIGN = 0x012E,
        META_SELECTOBJECT = 0x012D,
        META_DELETEOBJECT = 0x01F0,
        META_SETTEXTCOLOR = 0x0209,
        META_SETWINDOWORG = 0x020B,
        META_SETWINDOWEXT = 0x020C,
        META_LINETO = 0x0213,
        META_MOVETO = 0x0214,
        META_CREATEPENINDIRECT = 0x02FA,
        META_CREATEFONTINDIRECT = 0x02FB,
        META_CREATEBRUSHINDIRECT = 0x02FC,
        META_ELLIPSE = 0x0418,
        META_RECTANGLE = 0x041B,
        META_TEXTOUT = 0x0521,
        META_ARC = 0x0817,
    };
    static constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;

  protected:
    void emitPen(const Pen& p) override;
    void emitBrush(const Brush& b) override;
    void emitFont(const Font& f) override;
    void emitTextColour(Colour c) override;
    void emitRop(PenMode m) override;
    void emitMoveTo(int x, int y) override;
    void emitLineTo(int x, int y) override;
    void emitEllipse(int l, int t, int r, int b) override;
    void emitArc(int l, int t, int r, int b, int x1, int y1, int x2, int y2) override;
    void emitRectangle(int l, int t, int r, int b) override;
    void emitText(int x, int y, const std::string& text, const TextExtent& extent) override;

  private:
    void record(uint16_t function, const RecordBytes& params);
    void record(uint16_t function, std::initializer_list<int> values);
    // Object-table index a new object takes (the lowest free), and its replacement of the
    // previous object of the same kind.
    void replaceObject(int kind, uint16_t createFunction, const RecordBytes& params);

    RecordBytes out_;
    uint32_t maxRecordWords_ = 0;
    bool used_[6] = {};
    int current_[3] = {-1, -1, -1};
    bool finished_ = false;
};

}  // namespace humidraw
