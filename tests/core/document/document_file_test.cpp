#include "document/document_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>

using namespace humidraw;
namespace fs = std::filesystem;

namespace {

ObjectRecord record(int kind, const std::string& text = "") {
    ObjectRecord r;
    r.kind = kind;
    r.colour = 5;
    r.width = 2;
    r.style = 3;
    r.h1 = 12.345678901234567;
    r.x1 = 0.0105;
    r.h2 = -1.5e-300;
    r.x2 = 1e300;
    r.reserved = 0;
    r.labelPosition = 6;
    r.reserved2 = 0;
    r.text = text;
    return r;
}

DocumentHeader header() {
    DocumentHeader h;
    h.pressureMmHg = 745.5;
    h.dbMin = -10;
    h.dbMax = 50;
    h.fontSize = 9;
    h.fontName = "IPAPGothic";
    h.view = {true, false, true, false, true, false, true, false, true};
    h.si = true;
    h.colourItem = 12;
    h.widthItem = 4;
    h.styleItem = 2;
    h.zoom = 2.25;
    h.boxHeight = 1080;
    h.boxWidth = 1440;
    h.horzScroll = 123;
    h.vertScroll = 456;
    return h;
}

std::string bytesOf(const std::optional<DocumentHeader>& h, const std::vector<ObjectRecord>& r) {
    const auto b = serializeDocument(h, r);
    EXPECT_TRUE(b) << b.error();
    return b ? *b : std::string();
}

}  // namespace

TEST(DocumentFile, LayoutOfHeaderAndRecords) {
    DocumentHeader h;  // "ＭＳ Ｐゴシック" is 15 bytes of CP932: n = 16
    const std::string b = bytesOf(h, {record(30, "OA")});
    int32_t v;
    std::memcpy(&v, b.data(), 4);
    EXPECT_EQ(v, 0);
    std::memcpy(&v, b.data() + 4, 4);
    EXPECT_EQ(v, 320);
    std::memcpy(&v, b.data() + 36, 4);
    EXPECT_EQ(v, 16);
    EXPECT_EQ(b[40 + 15], '\0');
    EXPECT_EQ(b[40 + 16], 1) << "CB_DB";
    EXPECT_EQ(b[49 + 16], 0) << "SiUnit";
    const size_t first = 94 + 16;
    std::memcpy(&v, b.data() + first, 4);
    EXPECT_EQ(v, 30);
    std::memcpy(&v, b.data() + first + 64, 4);
    EXPECT_EQ(v, 3) << "text length with its zero byte";
    EXPECT_EQ(b.size(), first + 68 + 3);
    EXPECT_EQ(b.substr(first + 68), std::string("OA\0", 3));
}

TEST(DocumentFile, RoundTripOfEveryField) {
    std::vector<ObjectRecord> records = {record(10),
                                         record(11),
                                         record(12),
                                         record(13),
                                         record(30, "外気 ﾃｽﾄ～①"),
                                         record(40, "A,1,2,3,4,5")};
    // The reserved fields no object uses are kept as they were read, like every other.
    records[1].reserved = 0.1, records[1].reserved2 = -7;
    records[5].reserved = -2.5e-310, records[5].reserved2 = 2147483647;
    const DocumentRead r = parseDocument(bytesOf(header(), records));
    ASSERT_TRUE(r.status.ok()) << r.status.error();
    ASSERT_TRUE(r.contents.header);
    EXPECT_TRUE(*r.contents.header == header());
    ASSERT_EQ(r.contents.records.size(), records.size());
    for (size_t i = 0; i < records.size(); ++i)
        EXPECT_TRUE(r.contents.records[i] == records[i]) << "record " << i;
    EXPECT_EQ(bytesOf(r.contents.header, r.contents.records), bytesOf(header(), records));
}

TEST(DocumentFile, EmptyDocumentIsTheHeaderAlone) {
    const std::string b = bytesOf(header(), {});
    EXPECT_EQ(b.size(), 94u + 11);
    const DocumentRead r = parseDocument(b);
    ASSERT_TRUE(r.status.ok());
    EXPECT_TRUE(r.contents.records.empty());
    EXPECT_EQ(r.contents.header->zoom, 2.25);
}

TEST(DocumentFile, ErasedObjectsAreNotWritten) {
    ObjectTable t;
    t.append(record(10));
    t.append(record(30, "x"));
    t.append(record(11));
    t.markDeleted(1);
    const DocumentRead r = parseDocument(bytesOf(std::nullopt, liveRecords(t)));
    ASSERT_TRUE(r.status.ok());
    ASSERT_EQ(r.contents.records.size(), 2u);
    EXPECT_EQ(r.contents.records[1].kind, 11) << "the table is compacted";
}

TEST(DocumentFile, EarlierFormatHasNoHeader) {
    const DocumentRead r = parseDocument(bytesOf(std::nullopt, {record(10), record(30, "b")}));
    ASSERT_TRUE(r.status.ok());
    EXPECT_FALSE(r.contents.header);
    EXPECT_EQ(r.contents.records.size(), 2u);
    EXPECT_TRUE(parseDocument("").status.ok()) << "an empty file holds no objects";
}

TEST(DocumentFile, DamageIsReportedWithItsOffset) {
    const std::string good = bytesOf(header(), {record(10), record(30, "text")});
    // The header of header() is 94 bytes plus the 11-byte font name "IPAPGothic": records start
    // at byte 105, the second at 105 + 68 + 1 = 174.
    struct Case {
        std::string bytes;
        ReadProblem problem;
        size_t offset;
        const char* says;
    };
    std::string hugeLength = good;
    const int32_t huge = 0x7fffffff;
    std::memcpy(hugeLength.data() + 36, &huge, 4);
    std::string negative = good;
    const int32_t minus = -5;
    std::memcpy(negative.data() + 36, &minus, 4);
    std::string badText = good;
    badText[badText.size() - 3] = '\x82';  // a lead byte followed by 't'… then '\x80'
    badText[badText.size() - 2] = '\x7f';
    std::string kindZero = good, kindNegative = good;
    const int32_t zero = 0, minusOne = -1;
    std::memcpy(kindZero.data() + 174, &zero, 4);
    std::memcpy(kindNegative.data() + 105, &minusOne, 4);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    std::string nanX2 = good, infH1 = good, nanZoom = good;
    std::memcpy(nanX2.data() + 174 + 40, &nan, 8);
    std::memcpy(infH1.data() + 105 + 16, &inf, 8);
    std::memcpy(nanZoom.data() + 62 + 11, &nan, 8);
    const Case cases[] = {
        {good.substr(0, 6), ReadProblem::FileCutShort, 0,
         "ファイルが途中で切れています（0バイト目）"},
        // 40 + 11 bytes of font name, 9 view flags: the SI flag at byte 60 is missing.
        {good.substr(0, 60), ReadProblem::HeaderCutShort, 60, "ヘッダが途中で切れています"},
        {good.substr(0, good.size() - 1), ReadProblem::TextPastEnd, 174 + 68, "ファイルの終わり"},
        {good.substr(0, good.size() - 10), ReadProblem::RecordCutShort, 174, "図形のレコード"},
        {good.substr(0, 105 + 30), ReadProblem::RecordCutShort, 105, "（105バイト目）"},
        {hugeLength, ReadProblem::TextPastEnd, 40, "フォント名（2147483647バイト）"},
        {negative, ReadProblem::BadTextLength, 40, "フォント名の長さ -5 が正しくありません"},
        {badText, ReadProblem::TextNotCp932, 174 + 68, "図形の文字列が CP932 の文字ではありません"},
        {kindZero, ReadProblem::BadKind, 174, "図形の種類 0 が正しくありません（174バイト目）"},
        {kindNegative, ReadProblem::BadKind, 105, "図形の種類 -1"},
        {nanX2, ReadProblem::NotANumber, 174 + 16, "数値でない値"},
        {infH1, ReadProblem::NotANumber, 105 + 16, "数値でない値"},
        {nanZoom, ReadProblem::NotANumber, 62 + 11, "数値でない値"},
    };
    for (const Case& c : cases) {
        const DocumentRead r = parseDocument(c.bytes);
        EXPECT_FALSE(r.status.ok());
        EXPECT_EQ(r.problem, c.problem) << r.status.error();
        EXPECT_EQ(r.offset, c.offset) << r.status.error();
        EXPECT_NE(r.status.error().find(c.says), std::string::npos) << r.status.error();
        EXPECT_TRUE(r.contents.records.empty()) << "nothing partial is handed out";
        EXPECT_EQ(r.status.reason(), Reason::Damaged) << r.status.error();
    }
}

TEST(DocumentFile, CutAtEveryOffsetNeverCrashes) {
    const std::string good = bytesOf(header(), {record(10), record(30, "外気"), record(40, "a,b")});
    int failures = 0;
    for (size_t n = 0; n < good.size(); ++n) failures += !parseDocument(good.substr(0, n)).status;
    EXPECT_GT(failures, static_cast<int>(good.size()) - 5);
    // Random damage: any outcome but a crash, and a failure always says where.
    std::mt19937 rng(42);
    for (int i = 0; i < 5000; ++i) {
        std::string b = good;
        const int flips = 1 + static_cast<int>(rng() % 6);
        for (int k = 0; k < flips; ++k) b[rng() % b.size()] = static_cast<char>(rng());
        if (rng() % 4 == 0) b.resize(rng() % b.size());
        const DocumentRead r = parseDocument(b);
        if (!r.status.ok()) {
            EXPECT_NE(r.status.error().find("バイト目"), std::string::npos) << r.status.error();
        }
        EXPECT_LE(r.contents.records.size(), 640u);
    }
}

TEST(DocumentFile, MoreThan640RecordsTakesTheFirst) {
    std::vector<ObjectRecord> many(1000, record(11));
    many[639].text = "last";
    many[640].text = "first left out";
    const std::string b = bytesOf(header(), many);
    const DocumentRead r = parseDocument(b);
    ASSERT_TRUE(r.status.ok());
    EXPECT_EQ(r.contents.records.size(), 640u);
    EXPECT_EQ(r.contents.records.back().text, "last");
    EXPECT_EQ(r.contents.leftOut, 360);
}

TEST(DocumentFile, TextsCp932CannotHoldAreRefused) {
    const auto text = serializeDocument(std::nullopt, {record(30, "😀")});
    EXPECT_FALSE(text);
    EXPECT_EQ(text.error(), "文字列を CP932 で保存できません: 😀");
    DocumentHeader h;
    h.fontName = "Font 😀";
    const auto font = serializeDocument(h, {});
    EXPECT_FALSE(font);
    EXPECT_EQ(font.error(), "フォント名を CP932 で保存できません: Font 😀");
}

// A file without a header is told from one with a header by the int32 at offset 4: the first
// record's colour there, the format number (above 100) in a header. A file that would be read
// back as the other kind is refused when written, never written to open as something else.
TEST(DocumentFile, WritesThatWouldReadBackAsTheOtherKindAreRefused) {
    ObjectRecord erased = record(kDeleted), wide = record(30, "a"), edge = record(30, "b");
    wide.colour = 131077;  // a colour no palette has, as a damaged or foreign file may hold
    edge.colour = 100;
    struct Case {
        const char* what;
        std::optional<DocumentHeader> header;
        std::vector<ObjectRecord> records;
        std::string error;  // empty: written, and read back the same
    } cases[] = {
        {"colour 131077 first",
         std::nullopt,
         {wide},
         "ヘッダのない形式では先頭の記号の色番号を 131077 にできません"},
        {"first once the erased one is left out",
         std::nullopt,
         {erased, wide},
         "ヘッダのない形式では先頭の記号の色番号を 131077 にできません"},
        {"colour 100 first", std::nullopt, {edge, wide}, ""},
        {"colour 131077 second", std::nullopt, {record(11), wide}, ""},
        {"colour 131077 after a header", header(), {wide}, ""},
        {"format 100 in a header",
         [] {
             auto h = header();
             h.format = 100;
             return h;
         }(),
         {},
         "ヘッダの形式番号 100 は 100 を超えなければなりません"},
        {"format 101 in a header",
         [] {
             auto h = header();
             h.format = 101;
             return h;
         }(),
         {edge},
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto bytes = serializeDocument(c.header, c.records);
        if (!c.error.empty()) {
            ASSERT_FALSE(bytes);
            EXPECT_EQ(bytes.failure(), failure(Reason::Invalid, c.error));
            continue;
        }
        ASSERT_TRUE(bytes) << bytes.error();
        const DocumentRead back = parseDocument(*bytes);
        ASSERT_TRUE(back.status.ok()) << back.status.error();
        EXPECT_EQ(back.contents.header, c.header);
        std::vector<ObjectRecord> live;
        for (const ObjectRecord& r : c.records)
            if (r.kind != kDeleted) live.push_back(r);
        EXPECT_EQ(back.contents.records, live);
    }
}

TEST(DocumentFile, FoldersAndMissingFilesAreRefusedWithTheirReason) {
    const fs::path dir = fs::temp_directory_path() / ("docfile-" + std::to_string(getpid()));
    fs::create_directories(dir / "plans.hdw");
    const DocumentRead folder = readDocumentFile((dir / "plans.hdw").string());
    EXPECT_EQ(folder.problem, ReadProblem::IsFolder);
    EXPECT_EQ(folder.status.failure(),
              failure(Reason::Unreadable, "フォルダです。ファイルを指定して下さい"));
    const DocumentRead missing = readDocumentFile((dir / "missing.hdw").string());
    EXPECT_EQ(missing.problem, ReadProblem::NotFound);
    EXPECT_EQ(missing.status.failure(), failure(Reason::Unreadable, "ファイルが見つかりません"));
    // A FIFO without a writer and a link to an endless device are refused at once, unread.
    ASSERT_EQ(mkfifo((dir / "pipe.hdw").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", dir / "zero.hdw");
    for (const char* name : {"pipe.hdw", "zero.hdw"}) {
        const DocumentRead r = readDocumentFile((dir / name).string());
        EXPECT_EQ(r.problem, ReadProblem::NotRegular) << name;
        EXPECT_EQ(r.status.failure(), failure(Reason::Unreadable, "通常のファイルではありません"))
            << name;
    }
    // The bytes read are told by their identity: FNV-1a 64 of the empty file is its offset
    // basis 0xcbf29ce484222325.
    std::ofstream(dir / "empty.hdw").close();
    const DocumentRead empty = readDocumentFile((dir / "empty.hdw").string());
    EXPECT_EQ(empty.identity.length, 0u);
    EXPECT_EQ(empty.identity.hash, 0xcbf29ce484222325u);
    fs::remove_all(dir);
}

TEST(DocumentFile, CoordinatesThatAreNoNumbersAreNeverWritten) {
    ObjectRecord r = record(10);
    r.h2 = std::numeric_limits<double>::quiet_NaN();
    const auto coordinate = serializeDocument(std::nullopt, {r});
    EXPECT_FALSE(coordinate);
    EXPECT_EQ(coordinate.error(), "座標が数値ではありません（無限大・NaN）");
    DocumentHeader h = header();
    h.zoom = std::numeric_limits<double>::infinity();
    const auto zoom = serializeDocument(h, {});
    EXPECT_FALSE(zoom);
    EXPECT_EQ(zoom.error(), "ヘッダに数値でない値（無限大・NaN）があります");
    r.h2 = -1e300;  // finite, however far: a document may hold it
    EXPECT_TRUE(serializeDocument(std::nullopt, {r}));
}

TEST(DocumentName, TitlePathAndFolder) {
    struct Case {
        const char* chosen;
        const char* folder;
        const char* title;
        const char* path;
        const char* newFolder;
    } const cases[] = {
        {"/home/u/plan", "/x", "plan", "/home/u/plan.hdw", "/home/u"},
        {"/home/u/plan.txt", "/x", "plan", "/home/u/plan.txt", "/home/u"},
        {"/home/u/a.b.hdw", "/x", "a.b", "/home/u/a.b.hdw", "/home/u"},
        {"plan", "/srv/charts", "plan", "/srv/charts/plan.hdw", "/srv/charts"},
        {"plan.hdw", "/", "plan", "/plan.hdw", "/"},
        {"/plan.HDW", "/x", "plan", "/plan.HDW", "/"},
    };
    for (const Case& c : cases) {
        const DocumentName n = documentNameFor(c.chosen, c.folder);
        EXPECT_EQ(n.title, c.title) << c.chosen;
        EXPECT_EQ(n.path, c.path) << c.chosen;
        EXPECT_EQ(n.folder, c.newFolder) << c.chosen;
    }
}

TEST(DocumentHeaderSettings, HeaderCarriesTheChartSettings) {
    ChartSettings s;
    s.dbMax = 40;
    s.units = UnitSystem::SI;
    s.view[CB_OP] = true;
    const DocumentHeader h = headerFrom(s, 7, 3, 0, 1.5, 720, 960, 5, 6);
    EXPECT_EQ(h.colourItem, 6);
    ChartSettings back;
    applyHeader(h, back);
    EXPECT_EQ(back.dbMax, 40);
    EXPECT_TRUE(back.isSI());
    EXPECT_TRUE(back.view[CB_OP]);
}
