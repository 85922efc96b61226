// The companion file of a document's data, and the history of data changes.
#include "measured/companion.h"

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "document/edit_history.h"
#include "lang/language.h"
#include "support/other_user.h"

using namespace humidraw;
namespace fs = std::filesystem;

namespace {

MeasuredData sample() {
    MeasuredData d;
    DataSet s;
    s.name = "Tokyo, JPN\nsecond line";
    s.colour = 0x00123456;
    s.density = true;
    s.points = {{20.25, 0.0072630000000000001, 0}, {-3.5, 0.0012, 0}};
    s.times = {"2026-01-01 01:00", "2026-01-01 02:00"};
    d.sets.push_back(s);
    DataSet plain;
    plain.name = "log";
    plain.visible = false;
    plain.points = {{0.1, 0.003, 0}};
    d.sets.push_back(plain);
    Zone z = *presetZone("tc99-a1");
    z.filled = true;
    d.zones.push_back(z);
    return d;
}

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct Folder {
    fs::path path = fs::temp_directory_path() / ("companion-" + std::to_string(getpid()));
    Folder() { fs::create_directories(path); }
    ~Folder() { fs::remove_all(path); }
};

}  // namespace

TEST(DataCompanion, TextKeepsEverythingExactly) {
    const auto back = parseCompanion(companionText(sample()));
    ASSERT_TRUE(back) << back.error();
    ASSERT_EQ(back->sets.size(), 2u);
    const DataSet& s = back->sets[0];
    EXPECT_EQ(s.name, "Tokyo, JPN second line");  // a name stays on its line
    EXPECT_EQ(s.colour, 0x00123456u);
    EXPECT_TRUE(s.density);
    ASSERT_EQ(s.points.size(), 2u);
    EXPECT_EQ(s.points[0].DB, 20.25);
    EXPECT_EQ(s.points[0].x, 0.0072630000000000001);
    // h = 0.24 × 20.25 + (597.5 + 0.441 × 20.25) × 0.007263 = 4.86 + 4.40459 = 9.26459.
    EXPECT_NEAR(s.points[0].h, 9.26459, 1e-4);
    EXPECT_EQ(s.times[1], "2026-01-01 02:00");
    EXPECT_FALSE(back->sets[1].visible);
    EXPECT_TRUE(back->sets[1].times.empty());
    ASSERT_EQ(back->zones.size(), 1u);
    EXPECT_TRUE(back->zones[0] == sample().zones[0]);
    EXPECT_EQ(*back->zones[0].ranges[kZoneDP].low, -12.0);  // not two defaults alike
}

// Zones come back whole: every bound of every property, open ends, colour, filling and name.
TEST(DataCompanion, ZonesComeBackWhole) {
    Zone every;
    every.name = "every bound, 1/3 included";
    every.colour = 0x00ABCDEF;
    every.filled = true;
    for (int i = 0; i < kZonePropertyCount; ++i)
        every.ranges[i] = {-1.0 / 3 - i, 2.0 / 3 + 10 * i + 1e-9};
    Zone dryBulbOnly;
    dryBulbOnly.name = "DB";
    dryBulbOnly.ranges[kZoneDB] = {18.5, 26.25};
    Zone openEnds;
    openEnds.name = "open ends";
    openEnds.ranges[kZoneDB].low = -5;
    openEnds.ranges[kZoneH].high = 1e-300;
    openEnds.ranges[kZoneWB].low = 0.1;
    std::vector<Zone> zones = {every, dryBulbOnly, openEnds};
    for (const ZonePreset& p : zonePresets()) zones.push_back(p.zone);
    MeasuredData d;
    d.zones = zones;
    const auto back = parseCompanion(companionText(d));
    ASSERT_TRUE(back) << back.error();
    ASSERT_EQ(back->zones.size(), zones.size());
    for (size_t i = 0; i < zones.size(); ++i)
        EXPECT_TRUE(back->zones[i] == zones[i]) << zones[i].name;
}

TEST(DataCompanion, ThePressureTheObjectsWereComputedAt) {
    // Written after the document line, read back exactly; none in the files of earlier versions.
    const std::string text = companionText(MeasuredData{}, contentIdentity("d"), 626.5);
    EXPECT_NE(text.find("\npressure 626.5\n"), std::string::npos) << text;
    const auto back = readCompanionText(text);
    ASSERT_TRUE(back) << back.error();
    EXPECT_EQ(back->pressureMmHg, 626.5);
    EXPECT_EQ(readCompanionText(companionText(sample()))->pressureMmHg, std::nullopt);
    // A pressure no chart is drawn at, twice, or after the data: damage, told by its line.
    for (const char* bad : {"pressure 0\n", "pressure 900\n", "pressure x\n", "pressure nan\n",
                            "pressure 600\npressure 600\n"}) {
        const auto r = readCompanionText(std::string("humidraw-data 1\n") + bad + "end\n");
        EXPECT_FALSE(r) << bad;
        if (!r) {
            EXPECT_EQ(r.reason(), Reason::Damaged) << bad;
        }
    }
    const std::string late = companionText(sample());
    EXPECT_FALSE(readCompanionText(late.substr(0, late.size() - 4) + "pressure 600\nend\n"));
}

// The design's basis is kept even before the design has a point: standard air written as its
// own line and read back, the default (actual air) writing nothing.
TEST(DataCompanion, TheDesignsBasisComesBackWithoutPoints) {
    for (const auto basis : {design::AirBasis::Standard, design::AirBasis::Actual}) {
        design::Design plan;
        plan.basis = basis;
        const std::string text = companionText(sample(), contentIdentity("d"), 626.5, plan);
        EXPECT_EQ(text.find("\ndesign standard\n") != std::string::npos,
                  basis == design::AirBasis::Standard)
            << text;
        const auto back = readCompanionText(text);
        ASSERT_TRUE(back) << back.error();
        EXPECT_TRUE(back->design == plan);
    }
}

// The units line: IP said where the document's header cannot; read back by name; none in the
// files of earlier versions; damage when unknown, twice, or after the data.
TEST(DataCompanion, TheUnitsTheDocumentIsShownIn) {
    const std::string text =
        companionText(MeasuredData{}, contentIdentity("d"), 626.5, design::Design{}, UnitSystem::IP);
    EXPECT_NE(text.find("\npressure 626.5\nunits ip\n"), std::string::npos) << text;
    const auto back = readCompanionText(text);
    ASSERT_TRUE(back) << back.error();
    EXPECT_EQ(back->units, UnitSystem::IP);
    EXPECT_EQ(readCompanionText(companionText(sample()))->units, std::nullopt);
    for (const char* bad : {"units IP\n", "units\n", "units ip ip\n", "units ip\nunits ip\n"}) {
        const auto r = readCompanionText(std::string("humidraw-data 1\n") + bad + "end\n");
        EXPECT_FALSE(r) << bad;
    }
    const std::string late = companionText(sample());
    EXPECT_FALSE(readCompanionText(late.substr(0, late.size() - 4) + "units ip\nend\n"));
}

TEST(DataCompanion, APressureAloneKeepsACompanionWithoutData) {
    Folder f;
    const std::string doc = (f.path / "a.hdw").string();
    ASSERT_TRUE(saveDocumentWithCompanion(doc, "drawing A", MeasuredData{}, false, 600.0));
    const CompanionLoad loaded = loadCompanion(doc, contentIdentity("drawing A"));
    ASSERT_EQ(loaded.found, CompanionFound::Read) << loaded.status.error();
    EXPECT_EQ(loaded.pressureMmHg, 600.0);
    EXPECT_TRUE(loaded.data.empty());
    // Saved again at 760 mmHg without data: no companion is left.
    ASSERT_TRUE(saveDocumentWithCompanion(doc, "drawing A", MeasuredData{}, false));
    EXPECT_FALSE(fs::exists(f.path / "a.hdw.data"));
}

TEST(DataCompanion, DamagedTextIsRefused) {
    const std::string good = companionText(sample());
    EXPECT_FALSE(parseCompanion(""));
    EXPECT_FALSE(parseCompanion("humidraw-data 2\nend\n"));
    EXPECT_FALSE(parseCompanion(good.substr(0, good.size() / 2)));  // cut short
    EXPECT_FALSE(parseCompanion("humidraw-data 1\nset 1 0 000000 99999999999 0\nname a\nend\n"));
    EXPECT_FALSE(parseCompanion("humidraw-data 1\nset 1 0 000000 1 0\nname a\n1 nan\nend\n"));
    EXPECT_FALSE(parseCompanion("humidraw-data 1\nzone 0 000000\nname z\nrange DB 30 20\nend\n"));
    EXPECT_FALSE(parseCompanion("humidraw-data 1\nrange DB 1 2\nend\n"));
    EXPECT_FALSE(parseCompanion("humidraw-data 1\nzone 0 00000G\nname z\nend\n"));
    // Every cut of the text either reads or is refused; none crashes.
    for (size_t n = 0; n < good.size(); n += 7) parseCompanion(good.substr(0, n));
}

TEST(DataCompanion, TheDamageIsToldInTheProgramsLanguage) {
    const std::string head = "humidraw-data 1\n";
    const struct {
        std::string text, japanese, english;
    } cases[] = {
        {"", "Humidraw のデータファイルではありません", "not a Humidraw data file"},
        {head, "ファイルが途中で終わっています（end の行がありません）",
         "the file ends early (no end line)"},
        {head + "set 1 0 000000 2 0\nname a\n20 0.01\n", "4 行目: 点が途中で終わっています",
         "line 4: the points end early"},
        {head + "set 1 0 000000 1 0\nname a\n20 nan\nend\n", "4 行目: 点ではありません",
         "line 4: not a point"},
        {head + "zone 0 00000G\nname z\nend\n", "2 行目: ゾーンの色が壊れています",
         "line 2: a zone's colour is damaged"},
        {head + "zone 0 000000\nname z\nrange QQ 1 2\nend\n", "4 行目: 知らない量 QQ",
         "line 4: unknown property QQ"},
        {head + "zone 0 000000\nname z\nrange DB 30 20\nend\n",
         "4 行目: DB: 下限が上限より大きくなっています",
         "line 4: DB: the lower bound is above the upper"},
        {head + "what\nend\n", "2 行目: 知らない行です", "line 2: unknown line"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseCompanion(c.text).error(), c.japanese) << c.text;
        setLanguage(Language::English);
        EXPECT_EQ(parseCompanion(c.text).error(), c.english) << c.text;
        setLanguage(Language::Japanese);
    }
}

TEST(DataCompanion, SavedBesideTheDocumentAndRemovedWithoutData) {
    Folder f;
    const std::string doc = (f.path / "a.hdw").string();
    const ContentIdentity bytesA = contentIdentity("drawing A");
    EXPECT_EQ(loadCompanion(doc, bytesA).found, CompanionFound::None);
    ASSERT_TRUE(saveDocumentWithCompanion(doc, "drawing A", sample(), false));
    EXPECT_EQ(slurp(f.path / "a.hdw"), "drawing A");
    const CompanionLoad loaded = loadCompanion(doc, bytesA);
    ASSERT_EQ(loaded.found, CompanionFound::Read) << loaded.status.error();
    EXPECT_EQ(loaded.data.sets.size(), 2u);
    ASSERT_TRUE(saveDocumentWithCompanion(doc, "drawing A", MeasuredData{}, false));
    EXPECT_FALSE(fs::exists(f.path / "a.hdw.data"));
    // A damaged companion is reported, not taken for no data.
    std::ofstream(f.path / "a.hdw.data") << "humidraw-data 1\nset";
    EXPECT_EQ(loadCompanion(doc, bytesA).found, CompanionFound::Unreadable);
    // A folder that cannot be written keeps the old files and says why.
    if (getuid() != 0) {
        fs::remove(f.path / "a.hdw.data");
        fs::permissions(f.path, fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_FALSE(saveDocumentWithCompanion(doc, "drawing B", sample(), false));
        fs::permissions(f.path, fs::perms::owner_all);
        EXPECT_EQ(slurp(f.path / "a.hdw"), "drawing A");
    }
    EXPECT_FALSE(saveDocumentWithCompanion("/nonexistent/folder/a.hdw", "x", sample(), false));
}

TEST(DataCompanion, ThePairIsToldApartFromOtherDocuments) {
    Folder f;
    const std::string doc = (f.path / "a.hdw").string();
    ASSERT_TRUE(saveDocumentWithCompanion(doc, "drawing A", sample(), false));
    // The companion names the bytes saved with it: 9 bytes, and FNV-1a 64 of "drawing A".
    const std::string text = slurp(f.path / "a.hdw.data");
    const ContentIdentity a = contentIdentity("drawing A");
    char line[64];
    std::snprintf(line, sizeof line, "humidraw-data 1\ndocument 9 %016llx\n",
                  static_cast<unsigned long long>(a.hash));
    EXPECT_EQ(text.substr(0, std::strlen(line)), line);
    struct Case {
        const char* what;
        std::string document;  // what the document file holds when it is opened
        CompanionFound found;
    } cases[] = {
        {"the pair as saved", "drawing A", CompanionFound::Read},
        {"the drawing saved again without its data (a crash between the two)", "drawing B",
         CompanionFound::OtherDocument},
        {"another document of the same length", "drawing C", CompanionFound::OtherDocument},
        {"an empty document", "", CompanionFound::OtherDocument},
    };
    for (const Case& c : cases) {
        std::ofstream(doc, std::ios::binary | std::ios::trunc) << c.document;
        const CompanionLoad load = loadCompanion(doc, contentIdentity(slurp(doc)));
        EXPECT_EQ(load.found, c.found) << c.what;
        if (c.found == CompanionFound::OtherDocument) {
            EXPECT_NE(load.status.error().find("a.hdw.data"), std::string::npos) << c.what;
            EXPECT_EQ(load.data.sets.size(), 2u) << c.what << ": the data is there to choose";
        }
    }
    // A companion of the earlier format names no document: it goes with any.
    std::ofstream(f.path / "a.hdw.data") << companionText(sample());
    EXPECT_EQ(loadCompanion(doc, contentIdentity("anything")).found, CompanionFound::Read);
    // A damaged identity is damage.
    for (const char* bad : {"document 9\n", "document x 0123456789abcdef\n",
                            "document 9 0123456789abcdeg\n", "document 9 123\n"}) {
        EXPECT_FALSE(readCompanionText(std::string("humidraw-data 1\n") + bad + "end\n")) << bad;
    }
}

TEST(DataCompanion, AFullDiskLeavesTheOldPairAsItWas) {
    if (geteuid() != 0) GTEST_SKIP() << "mounting a small file system needs root";
    Folder f;
    const fs::path small = f.path / "small";
    fs::create_directories(small);
    if (mount("tmpfs", small.c_str(), "tmpfs", 0, "size=300k") != 0)
        GTEST_SKIP() << "tmpfs cannot be mounted here";
    const std::string doc = (small / "a.hdw").string();
    ASSERT_TRUE(saveDocumentWithCompanion(doc, "drawing A", sample(), false));
    const std::string companion = slurp(small / "a.hdw.data");
    // Data that does not fit, then a drawing that does not fit: neither file changes.
    MeasuredData big = sample();
    for (int i = 0; i < 20000; ++i) big.sets[1].points.push_back({20.0 + i * 1e-4, 0.0071, 0});
    EXPECT_FALSE(saveDocumentWithCompanion(doc, "drawing B", big, false));
    EXPECT_EQ(slurp(doc), "drawing A");
    EXPECT_EQ(slurp(small / "a.hdw.data"), companion);
    EXPECT_FALSE(saveDocumentWithCompanion(doc, std::string(400 << 10, 'B'), sample(), false));
    EXPECT_EQ(slurp(doc), "drawing A");
    EXPECT_EQ(slurp(small / "a.hdw.data"), companion);
    EXPECT_EQ(loadCompanion(doc, contentIdentity("drawing A")).found, CompanionFound::Read);
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(small)) ++entries;
    EXPECT_EQ(entries, 2) << "no temporary file is left";
    umount(small.c_str());
}

TEST(DataCompanion, WhatWasNotUnderstoodIsNeverDeleted) {
    Folder f;
    const std::string doc = (f.path / "a.hdw").string();
    const fs::path companion = f.path / "a.hdw.data";
    const std::string future = "humidraw-data 2\nsomething new\nend\n";
    // Saving without data keeps it; saving with data puts it aside first.
    std::ofstream(companion) << future;
    ASSERT_TRUE(saveDocumentWithCompanion(doc, "drawing", MeasuredData{}, true));
    EXPECT_EQ(slurp(companion), future);
    const auto saved = saveDocumentWithCompanion(doc, "drawing", sample(), true);
    ASSERT_TRUE(saved) << saved.error();
    EXPECT_EQ(saved->keptAs, companion.string() + ".unread");
    EXPECT_EQ(slurp(companion.string() + ".unread"), future);
    EXPECT_EQ(loadCompanion(doc, contentIdentity("drawing")).found, CompanionFound::Read);
    // A second file put aside takes the next free name.
    std::ofstream(companion, std::ios::trunc) << future;
    const auto again = saveDocumentWithCompanion(doc, "drawing", sample(), true);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->keptAs, companion.string() + ".unread2");
}

TEST(DataCompanion, ALinkAtTheCompanionsNameIsNeverFollowed) {
    Folder f;
    const std::string doc = (f.path / "a.hdw").string();
    const fs::path secret = f.path / "private";
    std::ofstream(secret) << "private bytes";
    fs::permissions(secret, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink(secret, f.path / "a.hdw.data");
    std::ofstream(doc) << "old drawing";
    const auto saved = saveDocumentWithCompanion(doc, "new drawing", sample(), false);
    ASSERT_FALSE(saved);
    EXPECT_NE(saved.error().find("a.hdw.data"), std::string::npos);
    EXPECT_EQ(slurp(secret), "private bytes");
    EXPECT_EQ(slurp(doc), "old drawing") << "nothing is half saved";
    // Without data it is left alone too, and it is not read through.
    ASSERT_TRUE(saveDocumentWithCompanion(doc, "new drawing", MeasuredData{}, false));
    EXPECT_TRUE(fs::is_symlink(f.path / "a.hdw.data"));
    std::ofstream(secret, std::ios::trunc) << companionText(sample());
    EXPECT_EQ(loadCompanion(doc, contentIdentity("new drawing")).found, CompanionFound::Unreadable);
    // The document's own name is the user's: a link there is kept and its file written.
    fs::remove(f.path / "a.hdw.data");
    fs::rename(doc, f.path / "real.hdw");
    fs::create_symlink(f.path / "real.hdw", doc);
    ASSERT_TRUE(saveDocumentWithCompanion(doc, "through the link", sample(), false));
    EXPECT_TRUE(fs::is_symlink(doc));
    EXPECT_EQ(slurp(f.path / "real.hdw"), "through the link");
}

TEST(DataCompanion, OnlyARegularFileIsRead) {
    Folder f;
    const std::string doc = (f.path / "a.hdw").string();
    ASSERT_EQ(mkfifo((f.path / "a.hdw.data").c_str(), 0600), 0);
    // A FIFO without a writer is refused at once rather than waited on.
    const CompanionLoad fifo = loadCompanion(doc, {});
    EXPECT_EQ(fifo.found, CompanionFound::Unreadable);
    EXPECT_NE(fifo.status.error().find("a.hdw.data"), std::string::npos);
    fs::remove(f.path / "a.hdw.data");
    fs::create_directory(f.path / "a.hdw.data");
    EXPECT_EQ(loadCompanion(doc, {}).found, CompanionFound::Unreadable);
    // Mode 000: unreadable to its owner (as root, to another user).
    fs::remove(f.path / "a.hdw.data");
    std::ofstream(f.path / "a.hdw.data") << companionText(sample());
    fs::permissions(f.path / "a.hdw.data", fs::perms::none);
    fs::permissions(f.path, fs::perms::all);
    EXPECT_EQ(humidraw_test::asOtherUser([&] {
                  const CompanionLoad l = loadCompanion(doc, {});
                  return l.found == CompanionFound::Unreadable &&
                                 l.status.error().find("読み込みの権限がありません") != std::string::npos
                             ? 0
                             : 1;
              }),
              0);
}

TEST(DataCompanion, CountsBeyondTheLimitsAreRefusedBeforeReading) {
    const auto sets = [](int n, const std::string& each) {
        std::string t = "humidraw-data 1\n";
        for (int i = 0; i < n; ++i) t += each;
        return t + "end\n";
    };
    const std::string twoPoints = "set 1 1 0050B0 2 0\nname a\n-499 0\n499 0.999\n";
    const std::string zone = "zone 0 208020\nname z\nrange DB 18 28\n";
    EXPECT_TRUE(readCompanionText(sets(1000, twoPoints)));
    EXPECT_FALSE(readCompanionText(sets(1001, twoPoints)));
    EXPECT_TRUE(readCompanionText(sets(32, zone)));
    EXPECT_FALSE(readCompanionText(sets(33, zone)));
    // The memory the points would take, told from the headings: 24 bytes a point (DB, x, h),
    // at most 160 MB = 167 772 160 bytes for a file this small. 6 990 506 × 24 = 167 772 144
    // passes (and is then refused as longer than the text); 6 990 507 × 24 = 167 772 168 not.
    const auto asking = [](const char* count) {
        return readCompanionText(std::string("humidraw-data 1\nset 1 0 000000 ") + count +
                                 " 0\nname a\nend\n");
    };
    const auto within = asking("6990506");
    ASSERT_FALSE(within);
    EXPECT_NE(within.error().find("データセットの見出しが壊れています"), std::string::npos) << within.error();
    const auto beyond = asking("6990507");
    ASSERT_FALSE(beyond);
    EXPECT_NE(beyond.error().find("160 MB"), std::string::npos) << beyond.error();
    // A file of zero bytes is no companion.
    EXPECT_FALSE(readCompanionText(std::string(1 << 20, '\0')));
    // A heading word that is not 0 or 1, or a point with a time it did not announce.
    EXPECT_FALSE(readCompanionText("humidraw-data 1\nset 2 0 000000 0 0\nname a\nend\n"));
    EXPECT_FALSE(readCompanionText("humidraw-data 1\nset 1 0 000000 1 0\nname a\n1 0 t\nend\n"));
    EXPECT_FALSE(readCompanionText("humidraw-data 1\nset 1 0 000000 1 1\nname a\n1 0\nend\n"));
}

TEST(DataCompanion, DamageAndExcessHaveTheirReasons) {
    const auto sets = [](int n, const std::string& each) {
        std::string t = "humidraw-data 1\n";
        for (int i = 0; i < n; ++i) t += each;
        return t + "end\n";
    };
    const struct {
        std::string text;
        Failure expected;
    } cases[] = {
        {"", {Reason::Damaged, "Humidraw のデータファイルではありません"}},
        {"humidraw-data 2\nend\n", {Reason::Damaged, "Humidraw のデータファイルではありません"}},
        {"humidraw-data 1\nset 1 0 000000 1 0\nname a\n1 0\n",
         {Reason::Damaged, "ファイルが途中で終わっています（end の行がありません）"}},
        {"humidraw-data 1\nset 1 0 000000 1 0\nname a\n1 nan\nend\n",
         {Reason::Damaged, "4 行目: 点ではありません"}},
        {"humidraw-data 1\nbogus\nend\n", {Reason::Damaged, "2 行目: 知らない行です"}},
        {sets(1001, "set 1 1 0050B0 1 0\nname a\n1 0\n"),
         {Reason::TooLarge, "データセットが 1000 を超えています"}},
        {sets(33, "zone 0 208020\nname z\n"), {Reason::TooLarge, "ゾーンが 32 を超えています"}},
        // 6 990 507 points of 24 bytes are 167 772 168 bytes, past 160 MB.
        {"humidraw-data 1\nset 1 0 000000 6990507 0\nname a\nend\n",
         {Reason::TooLarge, "点が多すぎます（160 MB を超えるメモリが要ります）"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readCompanionText(c.text).failure(), c.expected) << c.text.substr(0, 60);
}

TEST(DataCompanion, AnUnreadableOrForeignCompanionSaysWhy) {
    Folder f;
    const std::string doc = (f.path / "a.hdw").string();
    const std::string data = doc + ".data";
    fs::create_directory(data);
    EXPECT_EQ(loadCompanion(doc, {}).status.failure(),
              failure(Reason::Unreadable, data + ": フォルダです。ファイルを指定して下さい"));
    fs::remove(data);
    std::ofstream(data) << companionText(sample(), contentIdentity("drawing A"));
    const CompanionLoad other = loadCompanion(doc, contentIdentity("drawing B"));
    EXPECT_EQ(other.found, CompanionFound::OtherDocument);
    EXPECT_EQ(other.status.failure(),
              failure(Reason::Invalid,
                      data + ": この図面を保存したときのものではありません（図面が別に保存されたか、"
                             "他の図面のものです）"));
    EXPECT_FALSE(other.data.empty()) << "the data are still handed over";
}

TEST(DataCompanion, CopiesOfADataSetShareTheirPoints) {
    DataSet s = sample().sets[0];
    const DataSet copy = s;
    EXPECT_TRUE(copy.points.sharesWith(s.points));
    EXPECT_TRUE(copy.times.sharesWith(s.times));
    EXPECT_EQ(&copy.points[0], &s.points[0]);
    // A change to one gives it points of its own; the other is as it was.
    s.points.push_back({30, 0.01, 0});
    s.times.push_back("later");
    EXPECT_FALSE(copy.points.sharesWith(s.points));
    EXPECT_EQ(copy.points.size(), 2u);
    EXPECT_EQ(copy.times.size(), 2u);
    EXPECT_EQ(s.points.size(), 3u);
    EXPECT_EQ(s.points[0].DB, 20.25);
    EXPECT_EQ(copy.points[1].DB, -3.5);
}

TEST(DataHistory, ImportRemoveAndZoneChangesAreSteps) {
    ObjectTable table;
    EditHistory history;
    const auto withData = [](MeasuredData d) {
        return std::make_shared<DataOverlay>(std::make_shared<MeasuredData>(std::move(d)));
    };
    // An object, then an import, then a zone change, then removing the data set.
    history.begin(table);
    ObjectRecord r;
    r.kind = kTextObject;
    r.text = "A";
    table.append(r);
    ASSERT_TRUE(history.commit(table));
    MeasuredData d = sample();
    history.begin(table);
    table.overlay = withData(d);
    ASSERT_TRUE(history.commit(table));
    const auto imported = table.overlay;
    d.zones[0].ranges[kZoneDB].high = 30.0;
    history.begin(table);
    table.overlay = withData(d);
    ASSERT_TRUE(history.commit(table));
    const auto zoned = table.overlay;
    history.begin(table);
    table.overlay = nullptr;
    ASSERT_TRUE(history.commit(table));
    // Nothing changed: no step.
    history.begin(table);
    EXPECT_FALSE(history.commit(table));
    EXPECT_EQ(history.steps(), 4u);

    ASSERT_TRUE(history.undo(table));
    EXPECT_EQ(table.overlay, zoned);
    ASSERT_TRUE(history.undo(table));
    EXPECT_EQ(table.overlay, imported);
    ASSERT_TRUE(history.undo(table));
    EXPECT_EQ(table.overlay, nullptr);
    EXPECT_EQ(table.count(), 1);  // the object's step is untouched
    ASSERT_TRUE(history.redo(table));
    ASSERT_TRUE(history.redo(table));
    EXPECT_EQ(table.overlay, zoned);
    EXPECT_EQ(*static_cast<const DataOverlay&>(*table.overlay).data().zones[0].ranges[kZoneDB].high,
              30.0);
    ASSERT_TRUE(history.redo(table));
    EXPECT_EQ(table.overlay, nullptr);
    EXPECT_TRUE(history.modified());
}

// A set announcing more points than the rest of the text can hold (each takes at least four
// bytes) is damage told as such, before any point is read.
TEST(DataCompanion, ASetAnnouncingMorePointsThanTheTextHoldsIsRefused) {
    MeasuredData d;
    DataSet s;
    s.name = "two";
    s.points = {{20, 0.007, 0}, {21, 0.008, 0}};
    d.sets.push_back(s);
    const std::string text = companionText(d);
    const size_t at = text.find("\nset ") + 1, end = text.find('\n', at);
    ASSERT_NE(end, std::string::npos);
    // "set VISIBLE DENSITY COLOUR COUNT TIMES": the fifth word is the count.
    std::vector<std::string> w;
    for (size_t from = at; from < end;) {
        const size_t space = std::min(text.find(' ', from), end);
        w.push_back(text.substr(from, space - from));
        from = space + 1;
    }
    ASSERT_EQ(w.size(), 6u);
    ASSERT_EQ(w[4], "2");
    const uint64_t left = text.size() - end - 1;  // what the reading has left after the line
    for (uint64_t count : {left / 4 + 1, left, 4 * left}) {
        w[4] = std::to_string(count);
        std::string line = w[0];
        for (size_t i = 1; i < w.size(); ++i) line += " " + w[i];
        const std::string damaged = text.substr(0, at) + line + text.substr(end);
        const auto r = parseCompanion(damaged);
        ASSERT_FALSE(r) << count;
        EXPECT_NE(r.error().find("データセットの見出しが壊れています"), std::string::npos)
            << count << ": " << r.error();
    }
}
