// The measured-data window in the program: import, zones and counts, undo and redo, and the
// companion file saved and opened with the document while the document file stays as it was.
#include <QApplication>
#include <QMenuBar>
#include <QTimer>

#include "window_fixture.h"

using namespace humidraw;
using namespace humidraw::app;
using namespace humidraw::app::fixture;

namespace {

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

CsvChoice dbRh() {
    CsvChoice c;
    c.first = {"DB", Quantity::DB, Unit::Celsius};
    c.second = {"RH", Quantity::RH, Unit::Percent};
    return c;
}

// Building hygiene (18–28 °C, 40–70 %): 23/55 and 18/40 inside, 30/50 too hot, 23/80 too humid;
// one bad row.
const char kRoom[] = "DB,RH\n23,55\n18,40\n30,50\n23,80\nbad,1\n";

}  // namespace

TEST_F(Window, MeasuredDataImportZonesUndoAndCounts) {
    TFmIX& w = open();
    QMenu* menu = w.findChild<QMenu*>("A_Data1");
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->title(), "測定データ(&M)");
    w.action("MeasuredData")->trigger();
    MeasuredDataWindow* d = w.measuredDataWindow();
    ASSERT_TRUE(d && d->isVisible());
    std::ofstream(dir / "room.csv") << kRoom;
    ASSERT_TRUE(d->importPath((dir / "room.csv").string(), dbRh()));
    EXPECT_NE(d->lastReport.indexOf("5 行を読み、4 行を使い、1 行を飛ばしました"), -1)
        << d->lastReport.toStdString();
    ASSERT_EQ(d->sets->count(), 1);
    EXPECT_TRUE(w.modified());
    d->putZone(*presetZone("building-hygiene"));
    ASSERT_EQ(d->counts->rowCount(), 1);
    EXPECT_EQ(d->counts->item(0, 2)->text(), "2");
    EXPECT_EQ(d->counts->item(0, 4)->text(), "50.0 %");
    EXPECT_EQ(d->countsText(),
              "zone,data set,inside,total,share,too hot,too cold,too humid,too dry\n"
              "建築物衛生法の管理基準,room.csv,2,4,0.5000,1,0,1,0\n");

    // Hiding the set takes it out of the table; each change is one step.
    d->sets->item(0)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(d->counts->rowCount(), 0);
    EXPECT_FALSE(w.measuredData().sets[0].visible);
    w.Undo();  // shown again
    EXPECT_EQ(d->counts->rowCount(), 1);
    w.Undo();  // the zone
    EXPECT_EQ(d->zones->count(), 0);
    w.Undo();  // the import
    EXPECT_EQ(d->sets->count(), 0);
    EXPECT_FALSE(w.modified());
    w.Redo();
    w.Redo();
    EXPECT_EQ(d->counts->rowCount(), 1);
}

TEST_F(Window, MeasuredDataKeptBesideTheUnchangedDocument) {
    TFmIX& w = open();
    drawLineAB(w);
    script.files = {(dir / "plain").string()};
    ASSERT_TRUE(w.Fsave());
    EXPECT_FALSE(fs::exists(dir / "plain.hdw.data")) << "no data, no companion";
    const std::string plainBytes = slurp(dir / "plain.hdw");

    w.showMeasuredData();
    std::ofstream(dir / "room.csv") << kRoom;
    ASSERT_TRUE(w.measuredDataWindow()->importPath((dir / "room.csv").string(), dbRh()));
    w.measuredDataWindow()->putZone(*presetZone("tc99-a1"));
    ASSERT_TRUE(w.Fsave());
    EXPECT_EQ(slurp(dir / "plain.hdw"), plainBytes) << "the document file is as before";
    ASSERT_TRUE(fs::exists(dir / "plain.hdw.data"));
    EXPECT_FALSE(w.modified());

    TFmIX& again = open();
    ASSERT_TRUE(again.openDocument((dir / "plain.hdw").string()));
    const MeasuredData kept = again.measuredData();
    ASSERT_EQ(kept.sets.size(), 1u);
    EXPECT_EQ(kept.sets[0].points.size(), 4u);
    ASSERT_EQ(kept.zones.size(), 1u);
    EXPECT_FALSE(again.modified());

    // Removing all data removes the companion on the next save.
    again.showMeasuredData();
    MeasuredDataWindow* d = again.measuredDataWindow();
    d->sets->setCurrentRow(0);
    d->removeSetButton->click();
    d->zones->setCurrentRow(0);
    d->removeZoneButton->click();
    ASSERT_TRUE(again.Fsave());
    EXPECT_FALSE(fs::exists(dir / "plain.hdw.data"));

    // A damaged companion: the document opens, the user is told, no data.
    std::ofstream(dir / "plain.hdw.data") << "humidraw-data 1\nset 1";
    TFmIX& third = open();
    said.clear();
    ASSERT_TRUE(third.openDocument((dir / "plain.hdw").string()));
    EXPECT_TRUE(third.measuredData().empty());
    ASSERT_FALSE(said.empty());
    EXPECT_NE(said.back().text.find("plain.hdw.data"), std::string::npos);
}

TEST_F(Window, MeasuredDataUndoStepsShareThePoints) {
    TFmIX& w = open();
    w.showMeasuredData();
    MeasuredDataWindow* d = w.measuredDataWindow();
    std::ofstream(dir / "room.csv") << kRoom;
    ASSERT_TRUE(d->importPath((dir / "room.csv").string(), dbRh()));
    const MeasuredData first = w.measuredData();
    // Six changes of the check box: six steps, all with the points of the import.
    for (int i = 0; i < 6; ++i)
        d->sets->item(0)->setCheckState(i % 2 == 0 ? Qt::Unchecked : Qt::Checked);
    EXPECT_TRUE(w.measuredData().sets[0].points.sharesWith(first.sets[0].points));
    for (int i = 0; i < 6; ++i) w.Undo();
    EXPECT_TRUE(w.measuredData().sets[0].visible);
    EXPECT_TRUE(w.measuredData().sets[0].points.sharesWith(first.sets[0].points));
}

TEST_F(Window, MeasuredDataNotUnderstoodIsKeptBySaving) {
    TFmIX& w = open();
    drawLineAB(w);
    script.files = {(dir / "plain").string()};
    ASSERT_TRUE(w.Fsave());
    const fs::path companion = dir / "plain.hdw.data";
    struct Case {
        const char* what;
        std::string text;
    } cases[] = {
        {"a later format", "humidraw-data 2\nnew things\nend\n"},
        {"a damaged line", "humidraw-data 1\nset 1 0 0050B0 1 0\nname a\n20 x\nend\n"},
        {"a companion of other bytes of the drawing",
         "humidraw-data 1\ndocument 3 0123456789abcdef\nend\n"},
    };
    for (const Case& c : cases) {
        std::ofstream(companion, std::ios::trunc) << c.text;
        TFmIX& again = open();
        said.clear();
        ASSERT_TRUE(again.openDocument((dir / "plain.hdw").string())) << c.what;
        EXPECT_TRUE(again.measuredData().empty()) << c.what;
        ASSERT_FALSE(said.empty()) << c.what << ": the user is told";
        EXPECT_NE(said.back().text.find("plain.hdw.data"), std::string::npos) << c.what;
        // A plain save (the drawing changed, no data) leaves the file as it was.
        drawLineAB(again);
        ASSERT_TRUE(again.Fsave()) << c.what;
        EXPECT_EQ(slurp(companion), c.text) << c.what;
        fs::remove(companion.string() + ".unread");
    }
    // Data saved over one puts it aside first, and says where.
    std::ofstream(companion, std::ios::trunc) << cases[0].text;
    TFmIX& withData = open();
    ASSERT_TRUE(withData.openDocument((dir / "plain.hdw").string()));
    withData.showMeasuredData();
    std::ofstream(dir / "room.csv") << kRoom;
    ASSERT_TRUE(withData.measuredDataWindow()->importPath((dir / "room.csv").string(), dbRh()));
    said.clear();
    ASSERT_TRUE(withData.Fsave());
    EXPECT_EQ(slurp(companion.string() + ".unread"), cases[0].text);
    ASSERT_FALSE(said.empty());
    EXPECT_NE(said.back().text.find("plain.hdw.data.unread"), std::string::npos);
}

TEST_F(Window, MeasuredDataOfAnotherDrawingOnlyWhenTheUserSays) {
    TFmIX& w = open();
    drawLineAB(w);
    w.showMeasuredData();
    std::ofstream(dir / "room.csv") << kRoom;
    ASSERT_TRUE(w.measuredDataWindow()->importPath((dir / "room.csv").string(), dbRh()));
    script.files = {(dir / "a").string()};
    ASSERT_TRUE(w.Fsave());
    // Another drawing saved over a.hdw without its companion (another program, or a crash
    // between the two files).
    TFmIX& other = open();
    drawLineAB(other);
    drawLineAB(other);
    script.files = {(dir / "b").string()};
    ASSERT_TRUE(other.Fsave());
    fs::copy_file(dir / "b.hdw", dir / "a.hdw", fs::copy_options::overwrite_existing);
    TFmIX& no = open();
    script.answers = {Answer::No};
    said.clear();
    ASSERT_TRUE(no.openDocument((dir / "a.hdw").string()));
    EXPECT_TRUE(no.measuredData().empty());
    ASSERT_EQ(said.size(), 1u);
    EXPECT_NE(said[0].text.find("a.hdw.data"), std::string::npos);
    TFmIX& yes = open();
    script.answers = {Answer::Yes};
    ASSERT_TRUE(yes.openDocument((dir / "a.hdw").string()));
    EXPECT_EQ(yes.measuredData().sets.size(), 1u);
}

TEST_F(Window, SavingAskBeforeOverwritingAChangedFile) {
    TFmIX& w = open();
    drawLineAB(w);
    script.files = {(dir / "a").string()};
    ASSERT_TRUE(w.Fsave());
    drawLineAB(w);
    said.clear();
    ASSERT_TRUE(w.Fsave()) << "unchanged on disk: no question";
    EXPECT_TRUE(said.empty());
    std::ofstream(dir / "a.hdw", std::ios::binary | std::ios::trunc) << "changed elsewhere";
    drawLineAB(w);
    script.answers = {Answer::No};
    EXPECT_FALSE(w.Fsave());
    ASSERT_EQ(said.size(), 1u);
    EXPECT_NE(said[0].text.find("変更されています"), std::string::npos);
    EXPECT_EQ(slurp(dir / "a.hdw"), "changed elsewhere");
    script.answers = {Answer::Yes};
    ASSERT_TRUE(w.Fsave());
    EXPECT_NE(slurp(dir / "a.hdw"), "changed elsewhere");
}
