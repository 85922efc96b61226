#pragma once
// The measured data and zones of a document, kept in a file beside it ("NAME.hdw" has
// "NAME.hdw.data") so the document file itself stays as every version of the program reads it.
// A document without data has no such file, unless it is drawn at a pressure other than 760 mmHg:
// the file then says that its objects were computed at that pressure.
//
// The file is UTF-8 text, one item a line, numbers written in full precision with a decimal
// point whatever the locale:
//   humidraw-data 1
//   document LENGTH HASH                      (the document saved with it; contentIdentity)
//   pressure MMHG                              (the total pressure the document's lines,
//                                               points and rows were computed at)
//   set VISIBLE DENSITY RRGGBB COUNT TIMES     (VISIBLE, DENSITY, TIMES 0 or 1)
//   name NAME
//   DB x [TIME]                                (COUNT lines; °C, kg/kg(DA))
//   zone FILLED RRGGBB
//   name NAME
//   range PROPERTY LOW HIGH                    (a bound or "-" for none; zone units)
//   design …, point …, process …               (the design layer: design/design_text.h)
//   unit …, season …, outdoor …                (the air-handling unit: ahu/ahu_text.h)
//   end
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ahu/ahu.h"
#include "design/design.h"
#include "measured/overlay.h"
#include "files/read_file.h"
#include "result/result.h"

namespace humidraw {

std::string companionPath(const std::string& documentPath);

// What a companion may hold: more is refused before it is read.
constexpr uint64_t kMostCompanionBytes = 1ull << 30;
constexpr uint64_t kMostCompanionSets = 1000;
constexpr uint64_t kMostCompanionZones = 32;           // the slowest outlines take some 0.16 s each
constexpr uint64_t kMostCompanionPoints = 20'000'000;  // all sets together
// The memory the points and times of a companion may take: 160 MB, or 1.5 times the file's
// length when that is more (a file the program wrote holds 20 bytes or more a point).
constexpr uint64_t kMostCompanionMemory = 160ull << 20;

struct CompanionContents {
    MeasuredData data;
    // The document it was saved with; none in the files of earlier versions.
    std::optional<ContentIdentity> document;
    // The pressure the document's objects were computed at, mmHg; none in the files of earlier
    // versions, which computed everything at 760 mmHg.
    std::optional<double> pressureMmHg;
    // The design layer's points and processes; empty in the files of earlier versions.
    design::Design design;
    // The units the document is shown in, when the header's SI flag cannot say it (IP); none in
    // the files of earlier versions.
    std::optional<UnitSystem> units;
    // The air-handling unit the design's unit drawing was computed from; none in the files of
    // earlier versions.
    std::optional<ahu::Unit> unit;
};

// The text of a companion, naming the document bytes it goes with when given.
std::string companionText(const MeasuredData& data,
                          const std::optional<ContentIdentity>& document = std::nullopt,
                          std::optional<double> pressureMmHg = std::nullopt,
                          const design::Design& design = design::Design{},
                          std::optional<UnitSystem> units = std::nullopt,
                          const std::optional<ahu::Unit>& unit = std::nullopt);
// What a companion's text holds; a failure naming the line when it is damaged or asks for more
// than the limits above.
Result<CompanionContents> readCompanionText(std::string_view text);
Result<MeasuredData> parseCompanion(const std::string& text);

enum class CompanionFound {
    None,           // no companion: the document has no data
    Read,           // read, and saved with this document (or by an earlier version)
    Unreadable,     // there, but cannot be read or understood
    OtherDocument,  // read, but saved with other bytes of the document than those opened
};
struct CompanionLoad {
    CompanionFound found = CompanionFound::None;
    MeasuredData data;  // Read and OtherDocument
    std::optional<double> pressureMmHg;  // Read and OtherDocument, when the file says it
    design::Design design;               // Read and OtherDocument
    std::optional<UnitSystem> units;     // Read and OtherDocument, when the file says them
    std::optional<ahu::Unit> unit;       // Read and OtherDocument, when the file has one
    Status status;      // Unreadable and OtherDocument: failed with "PATH: reason"
};
// The companion beside `documentPath`, whose opened bytes had the identity `document`. Only a
// regular file is read (a link at the companion's name is not followed), at most
// kMostCompanionBytes, in pieces: its text is never held whole.
CompanionLoad loadCompanion(const std::string& documentPath, const ContentIdentity& document);

struct SavedPair {
    std::string keptAs;  // where a companion that was kept went, when one was
};
// Saves the document's bytes and its data as one: both files are written whole to temporary
// files, then put in place back to back, the companion first; the companion names the document
// bytes it was saved with. Without data the companion is removed after the document is in
// place. `keepCompanion`: the companion beside it was not understood when the document was
// opened; it is never removed, and new data puts it aside as NAME.hdw.data.unread first.
// `pressureMmHg`, when given, is written as the pressure the objects were computed at, with or
// without data; a design that is not empty is written too, and `units` and `unit` when given (a
// companion is then written whatever else it holds).
Result<SavedPair> saveDocumentWithCompanion(const std::string& documentPath,
                                            std::string_view documentBytes,
                                            const MeasuredData& data, bool keepCompanion,
                                            std::optional<double> pressureMmHg = std::nullopt,
                                            const design::Design& design = design::Design{},
                                            std::optional<UnitSystem> units = std::nullopt,
                                            const std::optional<ahu::Unit>& unit = std::nullopt);

}  // namespace humidraw
