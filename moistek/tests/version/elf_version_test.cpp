// The ELF section reader and the version strings on files built here byte by byte, laid out
// as the ELF format describes them (32- and 64-bit, little-endian), so every offset the reader
// takes from a header is checked against a known layout instead of whatever the compiler made.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "version/elf_section.h"
#include "version/version_strings.h"

namespace fs = std::filesystem;

namespace {

void put(std::string& b, size_t at, uint64_t v, int bytes) {
    if (b.size() < at + bytes) b.resize(at + bytes, '\0');
    for (int i = 0; i < bytes; ++i) b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

struct Section {
    std::string name;
    uint32_t type;  // 1 PROGBITS, 3 STRTAB, 8 NOBITS
    std::string content;
};

// An ELF file: header, the sections' contents, then the section table (a null entry first, the
// name table last). `entrySize` 0 means the format's own size (40 or 64).
struct ElfImage {
    bool wide = true;
    std::vector<Section> sections;
    unsigned entrySize = 0;
    int namesIndexShift = 0;  // added to the name table's index in the header

    std::string bytes() const {
        const size_t header = wide ? 64 : 52;
        const unsigned entry = wide ? 64 : 40;
        std::string names(1, '\0');
        std::vector<Section> all = sections;
        all.push_back({".shstrtab", 3, {}});
        std::vector<size_t> nameAt;
        for (const Section& s : all) {
            nameAt.push_back(names.size());
            names += s.name + '\0';
        }
        all.back().content = names;
        std::string b(header, '\0');
        std::vector<size_t> offsetAt;
        for (const Section& s : all) {
            offsetAt.push_back(b.size());
            if (s.type != 8) b += s.content;
        }
        const size_t table = b.size();
        const unsigned stride = entrySize ? entrySize : entry;
        const size_t count = all.size() + 1;
        b.resize(table + count * stride, '\0');
        for (size_t i = 0; i < all.size(); ++i) {
            const size_t e = table + (i + 1) * stride;
            put(b, e + 0, nameAt[i], 4);
            put(b, e + 4, all[i].type, 4);
            put(b, e + (wide ? 24 : 16), offsetAt[i], wide ? 8 : 4);
            put(b, e + (wide ? 32 : 20), all[i].content.size(), wide ? 8 : 4);
        }
        b[0] = 0x7f, b[1] = 'E', b[2] = 'L', b[3] = 'F';
        b[4] = wide ? 2 : 1;                                                       // class
        b[5] = 1;                                                                  // little-endian
        b[6] = 1;                                                                  // version
        put(b, wide ? 40 : 32, table, wide ? 8 : 4);                               // e_shoff
        put(b, wide ? 58 : 46, stride, 2);                                         // e_shentsize
        put(b, wide ? 60 : 48, count, 2);                                          // e_shnum
        put(b, wide ? 62 : 50, static_cast<int>(count) - 1 + namesIndexShift, 2);  // e_shstrndx
        return b;
    }
};

// The body of a ".verstrings" section: the layout tag, then zero-terminated key and value pairs.
std::string verstrings(std::initializer_list<std::pair<std::string, std::string>> pairs,
                       size_t padding = 0) {
    std::string s("VERSTR1\0", 8);
    for (const auto& [k, v] : pairs) {
        s += k + '\0' + v + '\0';
        s += std::string(padding, '\0');
    }
    return s;
}

const std::string kJa = "\\StringFileInfo\\041103A4\\";

class ElfFiles : public testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("elfver-" + std::to_string(getpid()) + "-" +
                testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string write(const std::string& name, const std::string& bytes) {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
        return (dir_ / name).string();
    }
    std::string image(const std::string& name, const std::string& body, bool wide = true) {
        ElfImage e;
        e.wide = wide;
        e.sections = {{".text", 1, "code"}, {".verstrings", 1, body}};
        return write(name, e.bytes());
    }
    fs::path dir_;
};

}  // namespace

TEST_F(ElfFiles, BothClassesGiveTheSectionBytes) {
    for (bool wide : {false, true}) {
        ElfImage e;
        e.wide = wide;
        e.sections = {{".data", 1, "first"}, {".wanted", 1, std::string("a\0b", 3)}};
        const auto read = humidraw::readElfSection(write("f", e.bytes()), ".wanted");
        ASSERT_TRUE(read.ok()) << wide << " " << read.error();
        EXPECT_EQ(std::string(read->begin(), read->end()), std::string("a\0b", 3));
        // A name that only starts like a section's is another section.
        EXPECT_FALSE(humidraw::readElfSection(write("f", e.bytes()), ".want").ok());
        EXPECT_FALSE(humidraw::readElfSection(write("f", e.bytes()), ".wanted2").ok());
    }
}

TEST_F(ElfFiles, DamagedHeadersAndTablesAreRefused) {
    ElfImage good;
    good.sections = {{".wanted", 1, "x"}};
    const std::string bytes = good.bytes();
    ASSERT_TRUE(humidraw::readElfSection(write("good", bytes), ".wanted").ok());
    auto refused = [&](std::string b, const char* why) {
        const auto read = humidraw::readElfSection(write("bad", b), ".wanted");
        EXPECT_FALSE(read.ok()) << why;
        EXPECT_FALSE(read.error().empty()) << why;
    };
    const auto missing = humidraw::readElfSection((dir_ / "missing").string(), ".wanted");
    EXPECT_FALSE(missing.ok());
    EXPECT_NE(missing.error().find((dir_ / "missing").string()), std::string::npos);
    std::string b = bytes;
    b[4] = 3;
    refused(b, "unknown class");
    b = bytes;
    b[4] = 0;
    refused(b, "class none");
    b = bytes;
    b[5] = 2;
    refused(b, "big-endian");
    b = bytes;
    b[3] = 'G';
    refused(b, "not the magic");
    refused(bytes.substr(0, 60), "64-bit header cut inside its last fields");
    b = bytes;
    put(b, 60, 0, 2);
    refused(b, "no sections");
    ElfImage e = good;
    e.namesIndexShift = 1;  // the name table's index equals the count
    refused(e.bytes(), "name table index past the table");
    e = good;
    e.entrySize = 63;
    refused(e.bytes(), "entries smaller than a 64-bit section header");
    e.wide = false;
    e.entrySize = 39;
    refused(e.bytes(), "entries smaller than a 32-bit section header");
    e = good;
    e.sections = {{".wanted", 8, "xyz"}};
    refused(e.bytes(), "a section without bytes in the file");
    // The section's size reaching one byte past the end of the file.
    b = bytes;
    const size_t entry1 = b.size() - 2 * 64;
    put(b, entry1 + 32, b.size() - 64 + 1, 8);
    refused(b, "section past the end");
}

TEST_F(ElfFiles, LargerEntriesAndOversizedNamesAreWalkedOver) {
    ElfImage e;
    e.sections = {{".wanted", 1, "found"}};
    e.entrySize = 80;  // entries may be larger than the format's own header
    auto read = humidraw::readElfSection(write("wide", e.bytes()), ".wanted");
    ASSERT_TRUE(read.ok()) << read.error();
    EXPECT_EQ(std::string(read->begin(), read->end()), "found");
    // A first section whose name index lies beyond the name table is skipped, not fatal.
    e = {};
    e.sections = {{".zzz", 1, "skip"}, {".wanted", 1, "second"}};
    std::string b = e.bytes();
    const size_t table = b.size() - 4 * 64;
    put(b, table + 64, 100000, 4);
    read = humidraw::readElfSection(write("names", b), ".wanted");
    ASSERT_TRUE(read.ok()) << read.error();
    EXPECT_EQ(std::string(read->begin(), read->end()), "second");
}

TEST_F(ElfFiles, VersionStringsFromBothClasses) {
    const std::string body = verstrings({{kJa + "FileVersion", "1.2.3.4"},
                                         {kJa + "ProductName", "空気線図"},
                                         {kJa + "FileVersionExtra", "not this"}},
                                        3);
    for (bool wide : {false, true}) {
        VersionStrings r;
        std::memset(&r, '#', sizeof r);
        ASSERT_EQ(ReadVersionStrings(r, image("v", body, wide).c_str()), 1) << wide;
        EXPECT_STREQ(r.FileVersion, "1.2.3.4");
        EXPECT_STREQ(r.ProductName, "空気線図");
        EXPECT_STREQ(r.CompanyName, "");
    }
    // A section that does not start with the layout tag is not version information.
    std::string other = body;
    other[6] = '2';
    humidraw::VersionInfo info;
    const humidraw::Status loaded = info.load(image("other", other));
    EXPECT_FALSE(loaded.ok());
    EXPECT_NE(loaded.error().find("unknown layout"), std::string::npos) << loaded.error();
}

TEST_F(ElfFiles, LongTextsCutOnCharacterBoundaries) {
    auto field = [&](const std::string& text) {
        VersionStrings r;
        const std::string path = image("long", verstrings({{kJa + "LegalCopyright", text}}));
        EXPECT_EQ(ReadVersionStrings(r, path.c_str()), 1);
        return std::string(r.LegalCopyright);
    };
    std::string kanji;  // 空 is E7 A9 BA: three bytes
    for (int i = 0; i < 100; ++i) kanji += "空";
    // 300 bytes; the 259-byte limit falls in the middle of the 87th character (bytes 258-260),
    // so 86 characters = 258 bytes stay.
    EXPECT_EQ(field(kanji), kanji.substr(0, 258));
    // One ASCII byte first: the 87th character then starts exactly at byte 259, 1 + 86·3 = 259.
    EXPECT_EQ(field("a" + kanji), ("a" + kanji).substr(0, 259));
    // Two-byte characters (é is C3 A9): byte 259 is a second byte, cut to 258.
    std::string accents;
    for (int i = 0; i < 150; ++i) accents += "é";
    EXPECT_EQ(field(accents), accents.substr(0, 258));
    // Exactly 259 bytes ending in a whole character: nothing is cut.
    const std::string fits = std::string(256, 'a') + "空";
    EXPECT_EQ(field(fits), fits);
}

TEST_F(ElfFiles, TranslationPicksTheTable) {
    const std::string en = "\\StringFileInfo\\040904B0\\";
    auto version = [&](const std::string& translation) {
        VersionStrings r;
        const std::string path = image("t", verstrings({{"\\VarFileInfo\\Translation", translation},
                                                        {en + "FileVersion", "english"},
                                                        {kJa + "FileVersion", "japanese"}}));
        EXPECT_EQ(ReadVersionStrings(r, path.c_str()), 1);
        return std::string(r.FileVersion);
    };
    EXPECT_EQ(version("040904B0"), "english");
    EXPECT_EQ(version("040904b0"), "english");
    // Not eight hexadecimal digits: the default table (Japanese, code page 932).
    EXPECT_EQ(version("040904B"), "japanese");
    EXPECT_EQ(version("040904B00"), "japanese");
    EXPECT_EQ(version("0409X4B0"), "japanese");
}

TEST_F(ElfFiles, EmptyPathEntryIsTheCurrentFolder) {
    const std::string carrier = image("carrier", verstrings({{kJa + "FileVersion", "5"}}));
    const fs::path before = fs::current_path();
    const char* old = std::getenv("PATH");
    const std::string saved = old ? old : "";
    fs::current_path(dir_);
    setenv("PATH", "/nonexistent::/also-missing", 1);
    const std::string found = humidraw::resolveLikeLoader("carrier");
    setenv("PATH", "/nonexistent", 1);
    const std::string missing = humidraw::resolveLikeLoader("carrier");
    setenv("PATH", saved.c_str(), 1);
    fs::current_path(before);
    EXPECT_EQ(found, "./carrier");
    EXPECT_EQ(missing, "");
    EXPECT_EQ(humidraw::resolveLikeLoader(carrier), carrier) << "a name with a folder";
    EXPECT_EQ(humidraw::resolveLikeLoader(""), "");
}

TEST_F(ElfFiles, SectionsMayEndAtTheEndOfTheFile) {
    // The last section's bytes point at the file's last five bytes, or at nothing right at
    // its end: both lie inside the file.
    ElfImage e;
    e.sections = {{".wanted", 1, "x"}};
    std::string b = e.bytes();
    const size_t entry1 = b.size() - 2 * 64;
    put(b, entry1 + 24, b.size() - 5, 8);
    put(b, entry1 + 32, 5, 8);
    auto read = humidraw::readElfSection(write("end", b), ".wanted");
    ASSERT_TRUE(read.ok()) << read.error();
    EXPECT_EQ(std::string(read->begin(), read->end()), b.substr(b.size() - 5));
    put(b, entry1 + 24, b.size(), 8);
    put(b, entry1 + 32, 0, 8);
    read = humidraw::readElfSection(write("empty", b), ".wanted");
    ASSERT_TRUE(read.ok()) << read.error();
    EXPECT_TRUE(read->empty());
}

TEST_F(ElfFiles, AnEntryPastTheCountedTableIsNoSection) {
    // Entries: none, .wanted, the name table. Swapped to none, names, .wanted and counted as
    // two, the .wanted entry lies just past the table.
    ElfImage e;
    e.sections = {{".wanted", 1, "x"}};
    std::string b = e.bytes();
    const size_t table = b.size() - 3 * 64;
    const std::string wanted = b.substr(table + 64, 64), names = b.substr(table + 128, 64);
    b.replace(table + 64, 64, names);
    b.replace(table + 128, 64, wanted);
    put(b, 62, 1, 2);  // e_shstrndx
    std::string three = b;
    put(three, 60, 3, 2);  // e_shnum
    ASSERT_TRUE(humidraw::readElfSection(write("three", three), ".wanted").ok());
    put(b, 60, 2, 2);
    EXPECT_FALSE(humidraw::readElfSection(write("two", b), ".wanted").ok());
}
