#pragma once
// The document's objects: line objects, texts and value-table rows in chart coordinates
// (h kcal/kg(DA), x kg/kg(DA)), in creation order, in a table of fixed size.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace humidraw {

class PaintOverlay;

enum ObjectKind : int32_t {
    kLineBothMarkers = 10,
    kLineNoMarker = 11,
    kLineMarkerAtSecond = 12,
    kLineMarkerAtFirst = 13,
    kTextObject = 30,
    kTableRow = 40,
    kDeleted = 100,
};

// reserved2 of a line object that is drawn only where it lies on the chart, cut at the chart's
// outline (a state-change line; its record keeps both states as typed). Other lines, and those
// of documents written before, have 0 there and are drawn whole.
constexpr int32_t kDrawnWithinChart = 1;

inline bool isLineObject(int32_t kind) {
    return kind >= 10 && kind <= 13;
}

struct ObjectRecord {
    int32_t kind = 0;
    int32_t colour = 0;  // palette index 0–13
    int32_t width = 0;   // width index 0–4
    int32_t style = 0;   // style index 0–4
    double h1 = 0, x1 = 0, h2 = 0, x2 = 0;
    double reserved = 0;
    int32_t labelPosition = 0;  // 0–7, texts
    int32_t reserved2 = 0;
    std::string text;  // UTF-8
    // Every field the same, the reserved ones too.
    bool operator==(const ObjectRecord&) const = default;
};

// Something the document keeps beside its table that the table does not know, kept by the
// history as the table's layers are.
class TableAttachment {
  public:
    virtual ~TableAttachment() = default;
};

class ObjectTable {
  public:
    static constexpr int kCapacity = 640;
    // What the user is told when no object can be added to a full table.
    static std::string fullMessage();

    void clear();
    // Fills the record at index count; false (nothing appended) when the table is full.
    bool append(const ObjectRecord& r);
    int count() const { return count_; }
    int room() const { return kCapacity - count_; }
    bool full() const { return count_ >= kCapacity; }
    const ObjectRecord& at(int i) const { return records_[i]; }
    ObjectRecord& at(int i) { return records_[i]; }
    // The kind becomes the deletion marker; the other fields stay.
    bool markDeleted(int index);
    // The number of records in use, when a step of the history puts records back (the records
    // beyond it are empty again by then).
    void setCount(int n) { count_ = n < 0 ? 0 : n > kCapacity ? kCapacity : n; }

    // Calls f(index, record) for every live object, in table order.
    template <typename F>
    void walk(F f) const {
        for (int i = 0; i < kCapacity && records_[i].kind > 0; ++i)
            if (records_[i].kind != kDeleted) f(i, records_[i]);
    }

    // What the document draws besides its objects (measured data and zones), painted with them
    // on every output; none for most documents. Not part of the table's records or its file.
    std::shared_ptr<const PaintOverlay> overlay;
    // The design layer (named air states and processes), painted over the objects and the
    // overlay; none when the document has no design. Kept whole by the history, as the overlay.
    std::shared_ptr<const PaintOverlay> design;
    // What the design was drawn from that the design does not hold (the air-handling unit its
    // unit drawing was computed from), known to the session only; none for most documents. Kept
    // whole by the history, as the design.
    std::shared_ptr<const TableAttachment> attachment;

  private:
    std::array<ObjectRecord, kCapacity> records_{};
    int count_ = 0;
};

}  // namespace humidraw
