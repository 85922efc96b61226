#pragma once
// Enhanced metafile (EMF): 32-bit records, UTF-16 text, the frame in 0.01 mm at 96 dpi.
#include <vector>

#include "metafile/metafile_canvas.h"

namespace humidraw {

class EmfCanvas : public MetafileCanvas {
  public:
    EmfCanvas(int width, int height, TextMeasure measure, CharAdvanceMeasure advances = {});
    std::string finish() override;

    // Record types written.
    enum : uint32_t {
        EMR_HEADER = 1,
        EMR_EOF = 14,
        EMR_SETMAPMODE = 17,
        EMR_SETBKMODE = 18,
        EMR_SETROP2 = 20,
        EMR_SETTEXTALIGN = 22,
        EMR_SETTEXTCOLOR = 24,
        EMR_MOVETOEX = 27,
        EMR_SELECTOBJECT = 37,
        EMR_CREATEPEN = 38,
        EMR_CREATEBRUSHINDIRECT = 39,
        EMR_DELETEOBJECT = 40,
        EMR_ELLIPSE = 42,
        EMR_RECTANGLE = 43,
        EMR_ARC = 45,
        EMR_LINETO = 54,
        EMR_EXTCREATEFONTINDIRECTW = 82,
        EMR_EXTTEXTOUTW = 84,
    };

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
    void record(uint32_t type, const RecordBytes& body);
    void record(uint32_t type, std::initializer_list<int32_t> values);
    // Creates an object in the free one of its two handles, selects it, deletes the other.
    uint32_t swapHandle(int kind);

    RecordBytes out_;
    uint32_t records_ = 0;
    int current_[3] = {0, 0, 0};  // handle in use per kind (pen, brush, font); 0 none
    bool finished_ = false;
};

}  // namespace humidraw
