// The session without a window: a fake host stands for the main window and scripted prompts for
// the user.
#include "session/session.h"

#include "lang/language.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace humidraw {
namespace {

namespace fs = std::filesystem;

struct Said {
    std::string caption, text;
};

// Questions take the next answer (No when none is left), file dialogs the next path (cancelled
// when none is left).
class ScriptedPrompts : public Prompts {
  public:
    void tell(const std::string& caption, const std::string& text, PromptIcon) override {
        said.push_back({caption, text});
    }
    Answer ask(const std::string& caption, const std::string& text, PromptIcon, bool,
               bool) override {
        said.push_back({caption, text});
        ++questions;
        if (answers.empty()) return Answer::No;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<std::string> chooseOpenFile(const std::string& folder, const std::string&,
                                              const std::string&) override {
        return next(folder);
    }
    std::optional<std::string> chooseSaveFile(const std::string& folder, const std::string&,
                                              const std::string&) override {
        return next(folder);
    }

    std::vector<Said> said;
    std::deque<Answer> answers;
    std::deque<std::string> files;
    std::vector<std::string> dialogFolders;  // where each file dialog opened
    int questions = 0;

  private:
    std::optional<std::string> next(const std::string& folder) {
        dialogFolders.push_back(folder);
        if (files.empty()) return std::nullopt;
        std::string f = files.front();
        files.pop_front();
        return f;
    }
};

class FakeHost : public SessionHost {
  public:
    std::string fileFolder() const override { return folder; }
    void setFileFolder(const std::string& f) override { folder = f; }
    DocumentHeader headerToSave() override { return header; }
    std::string takeHeader(const DocumentHeader& h, std::optional<UnitSystem> u) override {
        if (!refuseHeader.empty()) return refuseHeader;
        taken = h;
        takenUnits = u;
        // As the window does: a pressure no chart is drawn at leaves 760 mmHg.
        ChartSettings s;
        applyHeader(h, s);
        pressure = s.pressureMmHg;
        return {};
    }
    double chartPressure() const override { return pressure; }
    UnitSystem chartUnits() const override { return units; }
    void documentSaved(const std::string& path) override { saved.push_back(path); }
    void documentOpened(const std::string& path) override { opened.push_back(path); }

    std::string folder;
    DocumentHeader header;
    std::string refuseHeader;
    double pressure = 760;
    UnitSystem units = UnitSystem::Engineering;
    std::optional<DocumentHeader> taken;
    std::optional<UnitSystem> takenUnits;
    std::vector<std::string> saved, opened;
};

ObjectRecord text(const std::string& t) {
    ObjectRecord r;
    r.kind = kTextObject;
    r.colour = 7;
    r.h1 = 12;
    r.x1 = 0.01;
    r.text = t;
    return r;
}

class SessionFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("session-" + std::to_string(getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
        host.folder = dir.string();
    }
    void TearDown() override { fs::remove_all(dir); }
    // One text placed as a step of the history.
    void draw(const std::string& t) {
        session.record([&] { session.objects().append(text(t)); });
    }
    std::string path(const std::string& name) const { return (dir / name).string(); }

    fs::path dir;
    FakeHost host;
    ScriptedPrompts prompts;
    Session session{host, prompts};
};

TEST_F(SessionFiles, SaveAsksForANameOnlyWhileTheDocumentHasNone) {
    // Unnamed: the save dialog, in the host's folder.
    draw("A");
    EXPECT_EQ(session.title(), "Project");
    EXPECT_FALSE(session.named());
    EXPECT_FALSE(session.save(false)) << "dialog cancelled";
    EXPECT_EQ(prompts.dialogFolders.size(), 1u);
    EXPECT_FALSE(fs::exists(path("Project.hdw")));
    EXPECT_TRUE(session.modified());
    // Named "Project" by the user: the title reads as an unnamed one's, yet the next save
    // writes in place.
    prompts.files = {path("Project")};
    ASSERT_TRUE(session.save(false));
    EXPECT_EQ(session.title(), "Project");
    EXPECT_EQ(session.path(), path("Project.hdw"));
    EXPECT_TRUE(session.named());
    EXPECT_TRUE(fs::exists(path("Project.hdw")));
    EXPECT_FALSE(session.modified());
    EXPECT_EQ(host.saved, std::vector<std::string>{path("Project.hdw")});
    draw("B");
    ASSERT_TRUE(session.save(false));
    EXPECT_EQ(prompts.dialogFolders.size(), 2u) << "no dialog for a named document";
    // Save as: the dialog again, and the new name from then on.
    prompts.files = {path("other.hdw")};
    ASSERT_TRUE(session.save(true));
    EXPECT_EQ(prompts.dialogFolders.size(), 3u);
    EXPECT_EQ(session.title(), "other");
    EXPECT_EQ(host.saved.back(), path("other.hdw"));
    // After a new document: unnamed again.
    session.clear();
    EXPECT_FALSE(session.named());
    EXPECT_EQ(session.title(), "Project");
    EXPECT_EQ(session.path(), "");
    EXPECT_EQ(session.objects().count(), 0);
    draw("C");
    EXPECT_FALSE(session.save(false));
    EXPECT_EQ(prompts.dialogFolders.size(), 4u);
}

TEST_F(SessionFiles, SaveQuestionBeforeTheDocumentIsLeft) {
    // Unchanged: no question.
    EXPECT_EQ(session.askToLeave(PromptIcon::Warning), Leaving::Go);
    EXPECT_EQ(prompts.questions, 0);
    struct Case {
        std::deque<Answer> answers;
        std::deque<std::string> files;  // the save dialog after Yes
        Leaving expected;
        bool stillModified;
    };
    const Case cases[] = {
        {{Answer::No}, {}, Leaving::Go, true},
        {{Answer::Cancel}, {}, Leaving::Stay, true},
        {{Answer::Yes}, {}, Leaving::Stay, true},  // the save dialog cancelled
        {{Answer::Yes}, {"kept"}, Leaving::Saved, false},
    };
    for (const Case& c : cases) {
        session.clear();
        draw("A");
        prompts.answers = c.answers;
        prompts.files.clear();
        for (const std::string& f : c.files) prompts.files.push_back(path(f));
        const int asked = prompts.questions;
        EXPECT_EQ(session.askToLeave(PromptIcon::Warning), c.expected);
        EXPECT_EQ(prompts.questions, asked + 1);
        EXPECT_EQ(prompts.said.back().text, "現在編集中の図面を保存しますか？");
        EXPECT_EQ(session.modified(), c.stillModified);
    }
    EXPECT_TRUE(fs::exists(path("kept.hdw")));
}

TEST_F(SessionFiles, OpenTakesTheWholeFileOrNothing) {
    draw("A");
    draw("B");
    host.header.zoom = 2;
    host.header.colourItem = 3;
    prompts.files = {path("plan")};
    ASSERT_TRUE(session.save(false));
    session.clear();
    draw("unsaved");
    host.folder = "/elsewhere";

    // Open with the save question: No, then the file's objects, name, folder and header.
    prompts.answers = {Answer::No};
    ASSERT_TRUE(session.openGiven(path("plan.hdw")));
    EXPECT_EQ(session.objects().count(), 2);
    EXPECT_EQ(session.objects().at(1).text, "B");
    EXPECT_EQ(session.title(), "plan");
    EXPECT_TRUE(session.named());
    EXPECT_FALSE(session.modified());
    EXPECT_FALSE(session.history().canUndo());
    EXPECT_EQ(host.folder, dir.string());
    ASSERT_TRUE(host.taken);
    EXPECT_EQ(host.taken->zoom, 2);
    EXPECT_EQ(host.taken->colourItem, 3);
    EXPECT_EQ(host.opened, std::vector<std::string>{path("plan.hdw")});

    // A file that is not a document: told, and the document stays.
    { std::ofstream(path("bad.hdw")) << "not a document"; }
    const size_t told = prompts.said.size();
    EXPECT_FALSE(session.open(path("bad.hdw")));
    ASSERT_EQ(prompts.said.size(), told + 1);
    EXPECT_EQ(prompts.said.back().caption, "Humidraw ｴﾗｰﾒｯｾｰｼﾞ");
    EXPECT_EQ(prompts.said.back().text.rfind("データファイルを読込できません.\n", 0), 0u);
    EXPECT_EQ(session.title(), "plan");
    EXPECT_EQ(session.objects().count(), 2);

    // A header whose chart cannot be drawn: told why, nothing taken.
    host.refuseHeader = "no chart";
    session.clear();
    EXPECT_FALSE(session.open(path("plan.hdw")));
    EXPECT_EQ(prompts.said.back().text, "データファイルを読込できません.\nno chart");
    EXPECT_EQ(session.objects().count(), 0);
    EXPECT_FALSE(session.named());

    // The open dialog: a file that is gone is told, a cancelled dialog opens nothing.
    host.refuseHeader.clear();
    prompts.files = {path("gone.hdw")};
    EXPECT_FALSE(session.openChosen());
    EXPECT_EQ(prompts.said.back().text, "ファイルが見つかりません");
    EXPECT_FALSE(session.openChosen());
    prompts.files = {path("plan.hdw")};
    EXPECT_TRUE(session.openChosen());
    EXPECT_EQ(session.objects().count(), 2);
}

// The pressure a document is drawn at, and whether its objects were computed at it: documents
// of earlier versions were computed at 760 mmHg whatever their header says.
TEST_F(SessionFiles, ADocumentOfAnotherPressureIsToldOnceWhenItsObjectsWereNotComputedAtIt) {
    const std::string earlier =
        "この図面の線・点・表の値は 760mmHg で計算されています。図は図面の大気圧 626mmHg で描きます。";
    const struct {
        const char* what;
        double header, chartAtSave;
        bool companion;                // a companion file is left beside the document
        std::vector<std::string> told;  // on opening
        double drawnAt;
    } cases[] = {
        {"760 mmHg: nothing told, no companion", 760, 760, false, {}, 760},
        {"saved by an earlier version at 626", 626, 760, false, {earlier}, 626},
        {"saved at its own pressure", 626, 626, true, {}, 626},
        {"a damaged pressure", 0, 760, false, {"図面の大気圧 0mmHg は範囲外のため、760mmHg で描きます"}, 760},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        session.clear();
        draw("A");
        host.header.pressureMmHg = c.header;
        host.pressure = c.chartAtSave;
        const std::string doc = path(std::string("p") + std::to_string(int(c.header)) +
                                     std::to_string(int(c.chartAtSave)) + ".hdw");
        prompts.files = {doc};
        ASSERT_TRUE(session.save(true));
        EXPECT_EQ(fs::exists(doc + ".data"), c.companion);
        host.pressure = 760;
        const size_t before = prompts.said.size();
        ASSERT_TRUE(session.open(doc));
        std::vector<std::string> told;
        for (size_t i = before; i < prompts.said.size(); ++i) told.push_back(prompts.said[i].text);
        EXPECT_EQ(told, c.told);
        EXPECT_EQ(host.pressure, c.drawnAt);
        EXPECT_EQ(session.objects().count(), 1) << "the objects stay as they were";
    }
}

// The units a document is shown in: the header's SI flag says the engineering and SI units, and
// only IP needs the companion, which opening hands to the window with the header.
TEST_F(SessionFiles, IpUnitsAreKeptBesideTheDocumentAndTakenWithItsHeader) {
    const struct {
        UnitSystem atSave;
        bool companion;
        std::optional<UnitSystem> taken;
    } cases[] = {
        {UnitSystem::Engineering, false, std::nullopt},
        {UnitSystem::SI, false, std::nullopt},
        {UnitSystem::IP, true, UnitSystem::IP},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(unitSystemName(c.atSave));
        session.clear();
        draw("A");
        host.units = c.atSave;
        const std::string doc = path(std::string("u-") + unitSystemName(c.atSave) + ".hdw");
        prompts.files = {doc};
        ASSERT_TRUE(session.save(true));
        ASSERT_EQ(fs::exists(doc + ".data"), c.companion);
        if (c.companion) {
            std::ifstream in(doc + ".data");
            const std::string text((std::istreambuf_iterator<char>(in)), {});
            EXPECT_NE(text.find("\nunits ip\n"), std::string::npos);
        }
        host.units = UnitSystem::Engineering;
        host.takenUnits = UnitSystem::SI;  // replaced by what opening hands over
        ASSERT_TRUE(session.open(doc));
        EXPECT_EQ(host.takenUnits, c.taken);
    }
}

// The design layer is saved in the companion (the document's bytes as without it), read back on
// opening, computed at the chart's pressure, and each change is one step of the history.
TEST_F(SessionFiles, TheDesignIsKeptBesideTheDocumentAndComputedAtTheChartsPressure) {
    using design::Design;
    Design d;
    d.points = {{"RA", {design::Property::DB, 26}, {design::Property::RH, 50}, {}}};
    ASSERT_TRUE(session.changeDesign(d));
    EXPECT_FALSE(session.changeDesign(d));  // the same: no step
    EXPECT_TRUE(session.modified());
    const std::string doc = path("design.hdw");
    prompts.files = {doc};
    ASSERT_TRUE(session.save(true));
    ASSERT_TRUE(fs::exists(doc + ".data"));
    session.clear();
    EXPECT_TRUE(session.design().empty());
    ASSERT_TRUE(session.open(doc));
    EXPECT_TRUE(session.design() == d);
    // x at 26 °C, 50 % at 760 mmHg, then at 600 mmHg after the chart's pressure changed:
    // x = 0.622 pw / (P − pw) grows as P falls.
    EXPECT_EQ(session.designResult().points[0].air.x, V_DBRH2AH(26, 50));
    host.pressure = 600;
    session.pressureChanged();
    EXPECT_NEAR(session.designResult().points[0].air.x, MoistAir(600).DBRH2AH(26, 50), 1e-15);
    EXPECT_GT(session.designResult().points[0].air.x, V_DBRH2AH(26, 50) * 1.2);
    // A design that cannot all be computed (its process names a point that is not there) is
    // kept as it was defined, and opening says which process stops it.
    Design broken = d;
    design::Process heat;
    heat.kind = design::ProcessKind::Sensible;
    heat.from = {"XX"};
    heat.to = "SA";
    heat.leaving = {{design::Property::DB, 30}};
    broken.processes = {heat};
    host.pressure = 760;
    ASSERT_TRUE(session.changeDesign(broken));
    ASSERT_TRUE(session.save(false));
    session.clear();
    const size_t said = prompts.said.size();
    ASSERT_TRUE(session.open(doc));
    EXPECT_TRUE(session.design() == broken);
    ASSERT_EQ(prompts.said.size(), said + 1);
    EXPECT_EQ(prompts.said.back().text,
              "設計の一部を計算できません:\n状態変化 1 (sensible): これより前に状態点 XX がありません");
    EXPECT_EQ(session.designResult().points.size(), 1u);  // RA is still drawn
    ASSERT_TRUE(session.changeDesign(d));
    // Emptied: one step, undone back to the point.
    ASSERT_TRUE(session.changeDesign(Design{}));
    EXPECT_EQ(session.objects().design, nullptr);
    ASSERT_TRUE(session.history().undo(session.objects()));
    EXPECT_TRUE(session.design() == d);
}


// A summer-only unit: OA 34 °C / WB 27 °C, 3000 m³/h; RA 26 °C / 50 %; 10000 m³/h supply; mixing,
// a coil to 14 °C at 95 % and reheat.
ahu::Unit summerUnit(double outdoorFlow) {
    ahu::Unit u;
    ahu::Season& s = u.summer;
    s.outdoor1 = {design::Property::DB, 34}, s.outdoor2 = {design::Property::WB, 27};
    s.outdoorFlow = outdoorFlow;
    s.room1 = {design::Property::DB, 26}, s.room2 = {design::Property::RH, 50};
    s.sensibleLoad = 25000, s.latentLoad = 3000;
    s.supplyFlow = 10000;
    s.coil.on = true, s.coil.DB = 14, s.coil.RH = 95;
    s.reheat.on = true;
    u.winter.on = false;
    return u;
}

std::vector<std::string> pointNames(const design::Design& d) {
    std::vector<std::string> names;
    for (const design::Point& p : d.points) names.push_back(p.name);
    return names;
}

TEST_F(SessionFiles, TheUnitIsKeptBesideTheDocumentAndItsDrawingReplacedInOneStep) {
    // A point of the user's own stays through every run of the unit.
    design::Design mine;
    mine.points = {{"P1", {design::Property::DB, 20}, {design::Property::RH, 40}, {}}};
    ASSERT_TRUE(session.changeDesign(mine));
    EXPECT_FALSE(session.unit().has_value());
    const ahu::Unit first = summerUnit(3000);
    ASSERT_TRUE(session.changeUnit(first));
    EXPECT_FALSE(session.changeUnit(first));  // the same unit, drawn the same: no step
    ASSERT_TRUE(session.unit().has_value());
    EXPECT_TRUE(*session.unit() == first);
    // OA, MA, CC, RH, then SA and RA; drawn after the user's point.
    const std::vector<std::string> drawn = {"P1", "S:OA", "S:MA", "S:CC", "S:RH", "S:SA", "S:RA"};
    EXPECT_EQ(pointNames(session.design()), drawn);
    const design::Design firstDrawing = session.design();

    // Run again with more outdoor air: the drawing is replaced, not added to, and one undo puts
    // back both the unit and its drawing.
    const size_t steps = session.history().steps();
    const ahu::Unit second = summerUnit(5000);
    ASSERT_TRUE(session.changeUnit(second));
    EXPECT_EQ(session.history().steps(), steps + 1);
    EXPECT_EQ(pointNames(session.design()), drawn);
    EXPECT_FALSE(session.design() == firstDrawing);  // the mixed state moved
    EXPECT_TRUE(*session.unit() == second);
    ASSERT_TRUE(session.history().undo(session.objects()));
    EXPECT_TRUE(*session.unit() == first);
    EXPECT_TRUE(session.design() == firstDrawing);
    ASSERT_TRUE(session.history().redo(session.objects()));
    EXPECT_TRUE(*session.unit() == second);

    // Saved and opened again: the unit as it was defined, and its drawing.
    const design::Design secondDrawing = session.design();
    const std::string doc = path("unit.hdw");
    prompts.files = {doc};
    ASSERT_TRUE(session.save(true));
    session.clear();
    EXPECT_FALSE(session.unit().has_value());
    ASSERT_TRUE(session.open(doc));
    ASSERT_TRUE(session.unit().has_value());
    EXPECT_TRUE(*session.unit() == second);
    EXPECT_TRUE(session.design() == secondDrawing);
    EXPECT_FALSE(session.modified());

    // A unit that cannot be computed (the room at 150 %) is told and changes nothing.
    ahu::Unit broken = second;
    broken.summer.room2.value = 150;
    const size_t said = prompts.said.size();
    EXPECT_FALSE(session.changeUnit(broken));
    ASSERT_EQ(prompts.said.size(), said + 1);
    EXPECT_EQ(prompts.said.back().text.rfind("空調機を計算できません:\n", 0), 0u)
        << prompts.said.back().text;
    EXPECT_TRUE(*session.unit() == second);
    EXPECT_FALSE(session.modified());
}

// The folder the next file dialog opens in is the one the last save worked in: a save as into
// another folder moves it there, a save that is cancelled or cannot be written leaves it.
TEST_F(SessionFiles, TheNextDialogOpensWhereTheLastSaveWorked) {
    fs::create_directories(dir / "sub");
    const std::string sub = (dir / "sub").string();
    const struct {
        const char* what;
        std::deque<std::string> files;  // the save dialog's answer, none for cancelled
        bool saved;
        std::string folderAfter;
    } cases[] = {
        {"cancelled", {}, false, dir.string()},
        {"into a folder that is not there", {path("no-such-folder/plan")}, false, dir.string()},
        {"into the sub-folder", {(dir / "sub" / "plan").string()}, true, sub},
        {"back into the first folder", {path("plan")}, true, dir.string()},
    };
    draw("A");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        prompts.files = c.files;
        EXPECT_EQ(session.save(true), c.saved);
        EXPECT_EQ(host.folder, c.folderAfter);
    }
}

// A document changed by another program since it was opened is overwritten only when the user
// says so; one that is gone meanwhile is saved without a question.
TEST_F(SessionFiles, AFileChangedSinceOpeningIsOverwrittenOnlyWhenTheUserSaysSo) {
    const std::string question =
        path("plan.hdw") + "\nこのファイルは開いた後に他で変更されています。上書きしますか？";
    const struct {
        const char* what;
        const char* outside;  // what another program leaves at the name; null: removed
        std::deque<Answer> answers;
        bool asked, saved;
    } cases[] = {
        {"unchanged", "", {}, false, true},
        {"changed, kept", "changed elsewhere", {Answer::No}, true, false},
        {"changed, overwritten", "changed elsewhere", {Answer::Yes}, true, true},
        {"removed", nullptr, {}, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        session.clear();
        draw("A");
        prompts.files = {path("plan")};
        ASSERT_TRUE(session.save(false));
        ASSERT_TRUE(session.open(path("plan.hdw")));
        if (!c.outside) {
            fs::remove(path("plan.hdw"));
        } else if (*c.outside) {
            std::ofstream(path("plan.hdw"), std::ios::binary) << c.outside;
        }
        draw("B");
        prompts.answers = c.answers;
        const size_t before = prompts.said.size();
        EXPECT_EQ(session.save(false), c.saved);
        std::vector<std::string> said;
        for (size_t i = before; i < prompts.said.size(); ++i) said.push_back(prompts.said[i].text);
        EXPECT_EQ(said, c.asked ? std::vector<std::string>{question} : std::vector<std::string>{});
        std::ifstream in(path("plan.hdw"), std::ios::binary);
        const std::string now((std::istreambuf_iterator<char>(in)), {});
        if (c.saved) {
            const DocumentRead back = readDocumentFile(path("plan.hdw"));
            ASSERT_TRUE(back.status.ok());
            ASSERT_EQ(back.contents.records.size(), 2u);
            EXPECT_EQ(back.contents.records[1].text, "B");
        } else {
            EXPECT_EQ(now, c.outside) << "the other program's file stays";
            EXPECT_TRUE(session.modified());
        }
    }
}

// A document of more objects than the table holds: the first 640 are taken and the user is told
// how many were left out, even when it is a single one.
TEST_F(SessionFiles, ObjectsBeyondTheTableAreToldWhenOpening) {
    const struct {
        int inFile;
        int taken;
        std::vector<std::string> told;
    } cases[] = {
        {640, 640, {}},
        {641, 640,
         {"図形が640を超えているため、最初の640個だけを読み込みました（1個は読み込まれません）"}},
        {700, 640,
         {"図形が640を超えているため、最初の640個だけを読み込みました（60個は読み込まれません）"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.inFile);
        const auto bytes =
            serializeDocument(std::nullopt, std::vector<ObjectRecord>(c.inFile, text("A")));
        ASSERT_TRUE(bytes);
        std::ofstream(path("many.hdw"), std::ios::binary) << *bytes;
        const size_t before = prompts.said.size();
        ASSERT_TRUE(session.open(path("many.hdw")));
        std::vector<std::string> told;
        for (size_t i = before; i < prompts.said.size(); ++i) told.push_back(prompts.said[i].text);
        EXPECT_EQ(told, c.told);
        EXPECT_EQ(session.objects().count(), c.taken);
    }
}

// A companion that could not be read is kept through the saves of its own document only: once
// another document is opened, that one's companion is written over as usual, never put aside.
TEST_F(SessionFiles, AnUnreadCompanionIsKeptForItsOwnDocumentOnly) {
    MeasuredData data;
    Zone office;
    office.name = "office";
    office.ranges[kZoneDB] = {20.0, 26.0};
    data.zones.push_back(office);
    session.changeMeasuredData(data);
    prompts.files = {path("b")};
    ASSERT_TRUE(session.save(false));
    ASSERT_TRUE(fs::exists(path("b.hdw.data")));
    session.clear();
    draw("A");
    prompts.files = {path("a")};
    ASSERT_TRUE(session.save(false));
    { std::ofstream(path("a.hdw.data")) << "not measured data"; }

    ASSERT_TRUE(session.open(path("a.hdw")));
    EXPECT_EQ(prompts.said.back().text.rfind("測定データのファイルを読込できません.\n", 0), 0u);
    ASSERT_TRUE(session.open(path("b.hdw")));
    ASSERT_EQ(session.measuredData().zones.size(), 1u);
    const size_t before = prompts.said.size();
    ASSERT_TRUE(session.save(false));
    EXPECT_EQ(prompts.said.size(), before) << "nothing put aside, nothing told";
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"a.hdw", "a.hdw.data", "b.hdw", "b.hdw.data"}));
    std::ifstream in(path("a.hdw.data"));
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(in)), {}), "not measured data");
}

// A save that cannot be written is told under the error caption in the language running.
TEST_F(SessionFiles, FailedSaveIsToldInTheLanguageRunning) {
    draw("A");
    for (const Language language : {Language::Japanese, Language::English}) {
        setLanguage(language);
        prompts.files = {path("no-such-folder/plan")};
        EXPECT_FALSE(session.save(true));
        setLanguage(Language::Japanese);
        ASSERT_FALSE(prompts.said.empty());
        EXPECT_EQ(prompts.said.back().caption, language == Language::English
                                                   ? "Humidraw Error Message"
                                                   : "Humidraw ｴﾗｰﾒｯｾｰｼﾞ");
        EXPECT_TRUE(session.modified());
    }
}

TEST(SessionHeader, HeaderValuesAreBroughtIntoTheWindowsRange) {
    ViewState current;
    current.zoom = 1.5;
    current.boxLeft = 7;
    struct Case {
        int colour, width, style;
        double zoom, boxWidth, boxHeight;
        CurrentAttributes attributes;
        double shownZoom;
        int shownWidth, shownHeight;
    };
    // Colour items 0–12 are colours 1–13; widths and styles 0–4; zoom only inside (0, 100);
    // the paint box 1–100000 pixels, cut to whole pixels.
    const Case cases[] = {
        {6, 3, 0, 2.0, 640, 480, {7, 3, 0}, 2.0, 640, 480},
        {-5, -1, -2, 0.0, 0.2, -4, {1, 0, 0}, 1.5, 1, 1},
        {20, 9, 7, 100.0, 1e9, 2e5, {13, 4, 4}, 1.5, 100000, 100000},
        {12, 4, 4, 99.5, 640.9, 480.4, {13, 4, 4}, 99.5, 640, 480},
        {0, 0, 0, -1.0, 1, 100000, {1, 0, 0}, 1.5, 1, 100000},
    };
    for (const Case& c : cases) {
        DocumentHeader h;
        h.colourItem = c.colour;
        h.widthItem = c.width;
        h.styleItem = c.style;
        h.zoom = c.zoom;
        h.boxWidth = c.boxWidth;
        h.boxHeight = c.boxHeight;
        h.horzScroll = 30;
        h.vertScroll = -4;
        const HeaderView v = headerView(h, current);
        EXPECT_EQ(v.attributes.colour, c.attributes.colour) << c.colour;
        EXPECT_EQ(v.attributes.width, c.attributes.width) << c.width;
        EXPECT_EQ(v.attributes.style, c.attributes.style) << c.style;
        EXPECT_EQ(v.view.zoom, c.shownZoom) << c.zoom;
        EXPECT_EQ(v.view.boxWidth, c.shownWidth) << c.boxWidth;
        EXPECT_EQ(v.view.boxHeight, c.shownHeight) << c.boxHeight;
        EXPECT_EQ(v.view.scrollX, 30);
        EXPECT_EQ(v.view.scrollY, -4);
        EXPECT_EQ(v.view.boxLeft, 7) << "the rest of the view stays";
    }
}

TEST(SessionDefaults, NewDocumentsDrawBlackWidthThreeSolid) {
    EXPECT_EQ(kDefaultAttributes.colour, 7);
    EXPECT_EQ(kDefaultAttributes.width, 3);
    EXPECT_EQ(kDefaultAttributes.style, 0);
    const DocumentHeader h;  // what a document without a header is saved with
    EXPECT_EQ(h.colourItem, 6);
    EXPECT_EQ(h.widthItem, 3);
    EXPECT_EQ(h.styleItem, 0);
}

class SessionTyped : public ::testing::Test {
  protected:
    FakeHost host;
    ScriptedPrompts prompts;
    Session session{host, prompts};
};

TEST_F(SessionTyped, PointsFromTwoTypedProperties) {
    struct Case {
        int first, second;
        std::string a, b;
        bool taken;
        std::string told;  // the message, empty for none
        double DB, RH;     // the state's after the point (0 when untouched)
    };
    const Case cases[] = {
        {kDB, kRH, "26", "50", true, "", 26, 50},
        // The pair in either order, each value with its property.
        {kRH, kDB, "50", "26", true, "", 26, 50},
        {kDB, kRH, "26.5", "40", true, "", 26.5, 40},
        {kDB, kDB, "26", "20", false, "違う種類のデータを入力して下さい", 0, 0},
        {kDB, kRH, "abc", "50", false, "'abc' は浮動小数点数ではありません", 0, 0},
        {kDB, kRH, "26", "", false, "'' は浮動小数点数ではありません", 0, 0},
        // Enthalpy with wet bulb: stored as typed, told it cannot be computed.
        {kEN, kWB, "12", "18", true, "この組み合わせでは計算できません", 0, 0},
        {kWB, kEN, "18", "12", true, "この組み合わせでは計算できません", 0, 0},
        // No second property: taken, the state unchanged.
        {kDB, kNoProperty, "26", "50", true, "", 0, 0},
    };
    for (const Case& c : cases) {
        session.state() = CurrentState{};
        prompts.said.clear();
        EXPECT_EQ(session.typedPoint(c.first, c.second, c.a, c.b), c.taken) << c.a << " " << c.b;
        if (c.told.empty()) {
            EXPECT_TRUE(prompts.said.empty()) << c.a << " " << c.b;
        } else {
            ASSERT_EQ(prompts.said.size(), 1u) << c.a << " " << c.b;
            EXPECT_EQ(prompts.said[0].text, c.told);
        }
        EXPECT_DOUBLE_EQ(session.state().DB, c.DB) << c.a << " " << c.b;
        EXPECT_DOUBLE_EQ(session.state().RH, c.RH) << c.a << " " << c.b;
    }
    // h 12 kcal/kg(DA) and WB 18 °C kept as typed.
    session.state() = CurrentState{};
    session.typedPoint(kWB, kEN, "18", "12");
    EXPECT_EQ(session.state().h, 12);
    EXPECT_EQ(session.state().WB, 18);
}

// Under IP units a point is typed in °F, gr/lb(DA), Btu/lb(DA) and ft³/lb(DA); the state keeps
// engineering units. Under SI the dialog takes engineering units, as it always has.
TEST_F(SessionTyped, PointsTypedInIpUnits) {
    const struct {
        UnitSystem units;
        int first, second;
        const char *a, *b;
        double DB, x;
    } cases[] = {
        // 77 °F = (77 − 32) / 1.8 = 25 °C; 70 gr/lb = 70 / 7000 = 0.01 kg/kg(DA).
        {UnitSystem::IP, kDB, kAH, "77", "70", 25, 0.01},
        {UnitSystem::IP, kAH, kDB, "70", "77", 25, 0.01},
        {UnitSystem::SI, kDB, kAH, "25", "0.01", 25, 0.01},
        // 25.68 Btu/lb = (25.68 − 32 × 0.24f) / 1.8 = 10.0000001 kcal/kg(DA) at 0.01 kg/kg:
        // DB = (10 − 5.975) / (0.24 + 0.00441) = 16.4 °C (the library's own search to 1e-4).
        {UnitSystem::IP, kEN, kAH, "25.68", "70", (10.0000000954 - 5.975) / 0.24441, 0.01},
    };
    for (const auto& c : cases) {
        host.units = c.units;
        session.state() = CurrentState{};
        EXPECT_TRUE(session.typedPoint(c.first, c.second, c.a, c.b));
        EXPECT_NEAR(session.state().DB, c.DB, 1e-3) << c.a << " " << c.b;
        EXPECT_NEAR(session.state().x, c.x, 1e-12) << c.a << " " << c.b;
    }
    EXPECT_EQ(typedInEngineering(kRH, 50, UnitSystem::IP), 50);
    // 13.5 ft³/lb ÷ 16.01846 = 0.842777 m³/kg(DA); 68 °F wet bulb is 20 °C.
    EXPECT_NEAR(typedInEngineering(kSV, 13.5, UnitSystem::IP), 0.8427776, 1e-7);
    EXPECT_NEAR(typedInEngineering(kWB, 68, UnitSystem::IP), 20, 1e-12);
    EXPECT_EQ(typedInEngineering(kEN, 41.86, UnitSystem::SI), 41.86);
}

TEST_F(SessionTyped, TypedNumbers) {
    EXPECT_EQ(session.typedNumber("0.5"), 0.5);
    EXPECT_EQ(session.typedNumber("-3.25"), -3.25);
    EXPECT_TRUE(prompts.said.empty());
    EXPECT_EQ(session.typedNumber("1..2"), std::nullopt);
    ASSERT_EQ(prompts.said.size(), 1u);
    EXPECT_EQ(prompts.said[0].caption, "Humidraw");
    EXPECT_EQ(prompts.said[0].text, "'1..2' は浮動小数点数ではありません");
}

TEST(SessionData, MeasuredDataChangesAreStepsOfTheHistory) {
    FakeHost host;
    ScriptedPrompts prompts;
    Session session(host, prompts);
    EXPECT_TRUE(session.measuredData().empty());
    MeasuredData data;
    Zone office;
    office.name = "office";
    data.zones.push_back(office);
    session.changeMeasuredData(data);
    EXPECT_TRUE(session.modified());
    ASSERT_EQ(session.measuredData().zones.size(), 1u);
    EXPECT_EQ(session.measuredData().zones[0].name, "office");
    // A second zone, then every zone removed: the overlay goes.
    Zone store;
    store.name = "store";
    data.zones.push_back(store);
    session.changeMeasuredData(data);
    EXPECT_EQ(session.measuredData().zones.size(), 2u);
    session.changeMeasuredData(MeasuredData{});
    EXPECT_TRUE(session.measuredData().empty());
    EXPECT_EQ(session.objects().overlay, nullptr);
    // Undone one by one.
    ASSERT_TRUE(session.history().undo(session.objects()));
    EXPECT_EQ(session.measuredData().zones.size(), 2u);
    ASSERT_TRUE(session.history().undo(session.objects()));
    EXPECT_EQ(session.measuredData().zones.size(), 1u);
    ASSERT_TRUE(session.history().undo(session.objects()));
    EXPECT_TRUE(session.measuredData().empty());
    EXPECT_FALSE(session.modified());
}

}  // namespace
}  // namespace humidraw
