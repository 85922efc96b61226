// The companion file of a document's data, and the history of data changes.
#include "data/companion.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "document/edit_history.h"

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
    EXPECT_EQ(back->zones[0].name, sample().zones[0].name);
    EXPECT_EQ(*back->zones[0].ranges[kZoneDP].low, -12.0);
    EXPECT_EQ(*back->zones[0].ranges[kZoneRH].high, 80.0);
    EXPECT_FALSE(back->zones[0].ranges[kZoneX].low);
    EXPECT_TRUE(back->zones[0].filled);
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

TEST(DataCompanion, SavedBesideTheDocumentAndRemovedWithoutData) {
    Folder f;
    const std::string doc = (f.path / "a.hdw").string();
    const auto none = loadCompanion(doc);
    ASSERT_TRUE(none);
    EXPECT_FALSE(*none);
    ASSERT_TRUE(saveCompanion(doc, sample()));
    EXPECT_TRUE(fs::exists(f.path / "a.hdw.data"));
    const auto loaded = loadCompanion(doc);
    ASSERT_TRUE(loaded && *loaded) << loaded.error();
    EXPECT_EQ((*loaded)->sets.size(), 2u);
    ASSERT_TRUE(saveCompanion(doc, MeasuredData{}));
    EXPECT_FALSE(fs::exists(f.path / "a.hdw.data"));
    // A damaged companion is reported, not taken for no data.
    std::ofstream(f.path / "a.hdw.data") << "humidraw-data 1\nset";
    EXPECT_FALSE(loadCompanion(doc));
    // A folder that cannot be written keeps the old file and says why.
    if (getuid() != 0) {
        fs::remove(f.path / "a.hdw.data");
        fs::permissions(f.path, fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_FALSE(saveCompanion(doc, sample()));
        fs::permissions(f.path, fs::perms::owner_all);
    }
    EXPECT_FALSE(saveCompanion("/nonexistent/folder/a.hdw", sample()));
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
