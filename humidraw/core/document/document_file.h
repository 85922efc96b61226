#pragma once
// The document file (.hdw): a header with the document's chart settings and view, then the
// object records to the end of the file. Little-endian, no padding, CP932 text. Files without
// the header (records from offset 0) come from earlier versions and are read too.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chart/chart_settings.h"
#include "document/attributes.h"
#include "document/object_table.h"
#include "files/read_file.h"
#include "result/result.h"

namespace humidraw {

constexpr int32_t kDocumentFormat = 320;
// The int32 at offset 4 is this or less in a file without a header: the first record's colour.
constexpr int32_t kLastHeaderlessFormat = 100;

struct DocumentHeader {
    int32_t format = kDocumentFormat;  // above 100: the header is present
    double pressureMmHg = 760;         // CSpa
    double dbMin = -5, dbMax = 45;     // CSdbmin, CSdbmax
    int32_t fontSize = 6;
    std::string fontName = kDefaultFontName;
    std::array<bool, kViewFlagCount> view = {true, true,  true,  true, true,
                                             true, false, false, false};
    bool si = false;
    int32_t colourItem = kDefaultAttributes.colour - 1;  // ColorCB item: colour index − 1
    int32_t widthItem = kDefaultAttributes.width;        // LineWidth item
    int32_t styleItem = kDefaultAttributes.style;        // LineStyle item
    double zoom = 1.0;
    double boxHeight = 480, boxWidth = 640;  // paint box, pixels
    int32_t horzScroll = 0, vertScroll = 0;
    bool operator==(const DocumentHeader&) const = default;
};

struct DocumentContents {
    std::optional<DocumentHeader> header;  // none in the earlier format
    std::vector<ObjectRecord> records;     // at most 640
    long leftOut = 0;                      // records beyond the 640th
};

// Why a document cannot be read.
enum class ReadProblem {
    None,
    NotFound,        // no such file or folder
    NoPermission,    // the file may not be read
    IsFolder,        // a folder was given
    CannotRead,      // reading failed
    NotRegular,      // a FIFO, a device or a socket: not read at all
    TooLarge,        // larger than any document
    OutOfMemory,     // the bytes do not fit in memory
    FileCutShort,    // shorter than the format number
    HeaderCutShort,  // the header ends early
    BadTextLength,   // a text's stored length is below 1 (value: the length)
    TextPastEnd,     // a text runs past the end of the file (value: its length)
    TextNotCp932,    // a text's bytes are not CP932
    RecordCutShort,  // an object record ends early
    BadKind,         // an object record's kind is 0 or below (value: the kind)
    NotANumber,      // a coordinate or header value is infinite or not a number
};

// A read document, or the reason it could not be read (in `status`) with the detail of where the
// damage lies.
struct DocumentRead {
    Status status;  // failed with the reason in the program's language (readProblemText)
    ReadProblem problem = ReadProblem::None;
    size_t offset = 0;        // byte where the damaged part starts
    long value = 0;           // the offending length or kind
    bool inFontName = false;  // a text problem in the header's font name, not an object's text
    DocumentContents contents;
    ContentIdentity identity;  // of the bytes read (readDocumentFile)
};

// Reads a whole document; on failure nothing partial is returned.
DocumentRead readDocumentFile(const std::string& path);
DocumentRead parseDocument(std::string_view bytes);

// The reason a read failed, in the program's language, with the byte where it was found.
std::string readProblemText(const DocumentRead& r);
// The kind of failure a read problem is: Unreadable, TooLarge, OutOfMemory, or Damaged for the
// contents themselves.
Reason readProblemReason(ReadProblem p);

// The bytes of a document: the header (when given) and every live object in table order.
// Fails when a text cannot be stored in CP932 or a coordinate is not a finite number.
Result<std::string> serializeDocument(const std::optional<DocumentHeader>& header,
                                      const std::vector<ObjectRecord>& records);
std::vector<ObjectRecord> liveRecords(const ObjectTable& table);

// The header for the present settings, attributes and view.
DocumentHeader headerFrom(const ChartSettings& s, int colour, int width, int style, double zoom,
                          double boxHeight, double boxWidth, int horzScroll, int vertScroll);
// Puts a header's chart settings into the settings record.
void applyHeader(const DocumentHeader& h, ChartSettings& s);

// The document's name after choosing `chosen` in a file dialog whose folder is `initialFolder`:
// the title (file name without its extension), the path (".hdw" added when the name has no
// extension) and the folder (without a trailing '/', except the root).
struct DocumentName {
    std::string title, path, folder;
};
DocumentName documentNameFor(const std::string& chosen, const std::string& initialFolder);

}  // namespace humidraw
