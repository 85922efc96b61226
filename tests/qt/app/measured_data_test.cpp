// The measured-data window in the program: import, zones and counts, undo and redo, and the
// companion file saved and opened with the document while the document file stays as it was.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QTimer>
#include <functional>

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
    ASSERT_EQ(d->importPath((dir / "room.csv").string(), dbRh()), ImportOutcome::Added);
    EXPECT_NE(d->lastReport.indexOf("5 行を読み、4 行を使い、1 行を飛ばしました"), -1)
        << d->lastReport.toStdString();
    ASSERT_EQ(d->sets->count(), 1);
    EXPECT_TRUE(w.modified());
    d->putZone(*presetZone("building-hygiene"));
    ASSERT_EQ(d->counts->rowCount(), 1);
    EXPECT_EQ(d->counts->item(0, 2)->text(), "2");
    EXPECT_EQ(d->counts->item(0, 4)->text(), "50.0 %");
    // Written for spreadsheets: UTF-8 behind its byte-order mark EF BB BF.
    const std::string csv =
        "\xEF\xBB\xBFzone,data set,inside,total,share,too hot,too cold,too humid,too dry\n"
        "建築物衛生法の管理基準,room.csv,2,4,0.5000,1,0,1,0\n";
    EXPECT_EQ(d->countsText(), csv);
    ASSERT_TRUE(d->writeCounts((dir / "counts.csv").string()));
    {
        std::ifstream in(dir / "counts.csv", std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        EXPECT_EQ(bytes.str(), csv);
    }
    said.clear();
    EXPECT_FALSE(d->writeCounts((dir / "gone" / "counts.csv").string()));
    ASSERT_EQ(said.size(), 1u);
    EXPECT_EQ(said[0].caption, "CSV書き出し");

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
    ASSERT_EQ(w.measuredDataWindow()->importPath((dir / "room.csv").string(), dbRh()),
              ImportOutcome::Added);
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

namespace {

// Works the zone dialog once it is open: its row labels and bound fields (low, high by row).
struct ZoneDialogView {
    QStringList labels;
    std::vector<QLineEdit*> bounds;
};
void onZoneDialog(std::function<void(ZoneDialogView&)> work) {
    QTimer::singleShot(0, [work] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->objectName() != "ZoneDialog" || !top->isVisible()) continue;
            ZoneDialogView v;
            for (QLabel* l : top->findChildren<QLabel*>()) v.labels << l->text();
            const auto edits = top->findChildren<QLineEdit*>();
            v.bounds.assign(edits.begin() + 1, edits.end());  // after the name
            work(v);
            top->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
            return;
        }
        ADD_FAILURE() << "no zone dialog";
    });
}

}  // namespace

bool sameRanges(const Zone& a, const Zone& b) {
    for (int i = 0; i < kZonePropertyCount; ++i)
        if (a.ranges[i].low != b.ranges[i].low || a.ranges[i].high != b.ranges[i].high)
            return false;
    return true;
}

// Bounds are typed and shown in the chart's units: x in kg/kg(DA), h in kcal/kg(DA) or on an
// SI chart kJ/kg(DA); the zone keeps g/kg(DA) and kJ/kg(DA), a bound left as shown exactly.
TEST_F(Window, ZoneDialogFollowsTheChartsUnits) {
    TFmIX& w = open();
    w.action("MeasuredData")->trigger();
    MeasuredDataWindow* d = w.measuredDataWindow();
    ASSERT_TRUE(d);
    enum { kXLow = 4, kXHigh = 5, kHHigh = 11 };  // row × 2 + side
    onZoneDialog([](ZoneDialogView& v) {
        EXPECT_TRUE(v.labels.contains("絶対湿度 x [kg/kg(DA)]"))
            << v.labels.join("|").toStdString();
        EXPECT_TRUE(v.labels.contains("比エンタルピ h [kcal/kg(DA)]"));
        v.bounds[kXLow]->setText("0.006");
        v.bounds[kXHigh]->setText("0.012");
        v.bounds[kHHigh]->setText("12");
    });
    d->addZoneButton->click();
    ASSERT_EQ(w.measuredData().zones.size(), 1u);
    const Zone typed = w.measuredData().zones[0];
    EXPECT_EQ(typed.ranges[kZoneDB].low, 18.0) << "the preset's bound as it was";
    EXPECT_DOUBLE_EQ(*typed.ranges[kZoneX].low, 6.0);    // 0.006 kg/kg = 6 g/kg
    EXPECT_DOUBLE_EQ(*typed.ranges[kZoneX].high, 12.0);  // 0.012 kg/kg = 12 g/kg
    // 12 kcal/kg × 4.18605 kJ/kcal (the chart's factor) = 50.2326 kJ/kg.
    EXPECT_DOUBLE_EQ(*typed.ranges[kZoneH].high, 50.2326);

    // On the SI chart the same zone reads 50.2326 kJ/kg(DA); left as shown, it stays the same.
    Settings si = w.settings();
    si.units = UnitSystem::SI;
    ASSERT_TRUE(w.applySettings(si));
    d->zones->setCurrentRow(0);
    onZoneDialog([](ZoneDialogView& v) {
        EXPECT_TRUE(v.labels.contains("比エンタルピ h [kJ/kg(DA)]"));
        EXPECT_TRUE(v.labels.contains("絶対湿度 x [kg/kg(DA)]"));
        EXPECT_EQ(v.bounds[kHHigh]->text(), "50.2326");
        EXPECT_EQ(v.bounds[kXLow]->text(), "0.006");
    });
    d->editZoneButton->click();
    EXPECT_TRUE(sameRanges(w.measuredData().zones[0], typed));

    // Back on the engineering chart: 12 kcal/kg(DA) again, and untouched bounds stay exact.
    si.units = UnitSystem::Engineering;
    ASSERT_TRUE(w.applySettings(si));
    onZoneDialog([](ZoneDialogView& v) { EXPECT_EQ(v.bounds[kHHigh]->text(), "12"); });
    d->editZoneButton->click();
    EXPECT_TRUE(sameRanges(w.measuredData().zones[0], typed));
}

// On an IP chart the bounds are °F, gr/lb(DA) and Btu/lb(DA): the preset's 18–28 °C reads
// 64.4–82.4 °F; 42 and 84 gr/lb are 6 and 12 g/kg (÷ 7000 × 1000); 29.28 Btu/lb is
// (29.28 − 7.68) / 1.8 = 12 kcal/kg = 50.2326 kJ/kg. The zone keeps its own units.
TEST_F(Window, ZoneDialogInIpUnits) {
    TFmIX& w = open();
    Settings ip = w.settings();
    ip.units = UnitSystem::IP;
    ASSERT_TRUE(w.applySettings(ip));
    w.action("MeasuredData")->trigger();
    MeasuredDataWindow* d = w.measuredDataWindow();
    ASSERT_TRUE(d);
    enum { kDBLow = 0, kDBHigh = 1, kXLow = 4, kXHigh = 5, kDPLow = 6, kHHigh = 11 };
    onZoneDialog([](ZoneDialogView& v) {
        for (const char* label :
             {"乾球温度 DB [°F]", "相対湿度 RH [%]", "絶対湿度 x [gr/lb(DA)]", "露点温度 DP [°F]",
              "湿球温度 WB [°F]", "比エンタルピ h [Btu/lb(DA)]"})
            EXPECT_TRUE(v.labels.contains(QString::fromUtf8(label)))
                << label << " in " << v.labels.join("|").toStdString();
        EXPECT_EQ(v.bounds[kDBLow]->text(), "64.4");
        EXPECT_EQ(v.bounds[kDBHigh]->text(), "82.4");
        v.bounds[kXLow]->setText("42");
        v.bounds[kXHigh]->setText("84");
        v.bounds[kDPLow]->setText("32");
        v.bounds[kHHigh]->setText("29.28");
    });
    d->addZoneButton->click();
    ASSERT_EQ(w.measuredData().zones.size(), 1u);
    const Zone typed = w.measuredData().zones[0];
    EXPECT_EQ(typed.ranges[kZoneDB].low, 18.0) << "the preset's bound as it was";
    EXPECT_EQ(typed.ranges[kZoneDB].high, 28.0);
    EXPECT_NEAR(*typed.ranges[kZoneX].low, 6.0, 1e-12);
    EXPECT_NEAR(*typed.ranges[kZoneX].high, 12.0, 1e-12);
    EXPECT_NEAR(*typed.ranges[kZoneDP].low, 0.0, 1e-12);
    EXPECT_NEAR(*typed.ranges[kZoneH].high, 50.2326, 1e-5);

    // Opened again in IP it reads as typed; left as shown, it stays the same zone.
    d->zones->setCurrentRow(0);
    onZoneDialog([](ZoneDialogView& v) {
        EXPECT_EQ(v.bounds[kXLow]->text(), "42");
        EXPECT_EQ(v.bounds[kXHigh]->text(), "84");
        EXPECT_EQ(v.bounds[kDPLow]->text(), "32");
        EXPECT_EQ(v.bounds[kHHigh]->text(), "29.28");
        EXPECT_EQ(v.bounds[kDBLow]->text(), "64.4");
    });
    d->editZoneButton->click();
    EXPECT_TRUE(sameRanges(w.measuredData().zones[0], typed));

    // On the engineering chart the same zone reads in kg/kg(DA) and °C.
    Settings kcal = w.settings();
    kcal.units = UnitSystem::Engineering;
    ASSERT_TRUE(w.applySettings(kcal));
    onZoneDialog([](ZoneDialogView& v) {
        EXPECT_EQ(v.bounds[kXLow]->text(), "0.006");
        EXPECT_EQ(v.bounds[kDBLow]->text(), "18");
    });
    d->editZoneButton->click();
    EXPECT_TRUE(sameRanges(w.measuredData().zones[0], typed));
}

// The zone dialog tells what it cannot take through the program's prompts and stays open; a
// cancelled column dialog is a cancelled import, not a failed one.
TEST_F(Window, DataDialogsAskThroughThePrompts) {
    TFmIX& w = open();
    w.action("MeasuredData")->trigger();
    MeasuredDataWindow* d = w.measuredDataWindow();
    ASSERT_TRUE(d);
    bool stayedOpen = false;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_TRUE(dialog && dialog->objectName() == "ZoneDialog");
        const auto edits = dialog->findChildren<QLineEdit*>();
        edits[1]->setText("abc");  // the first bound, after the name
        auto* buttons = dialog->findChild<QDialogButtonBox*>();
        buttons->button(QDialogButtonBox::Ok)->click();
        stayedOpen = dialog->isVisible();
        buttons->button(QDialogButtonBox::Cancel)->click();
    });
    d->addZoneButton->click();
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(said.size(), 1u);
    EXPECT_EQ(said[0].caption, "ゾーン");
    EXPECT_EQ(said[0].text, "数値ではありません: abc");
    EXPECT_TRUE(w.measuredData().empty());

    std::ofstream(dir / "room.csv") << "DB,RH\n26,50\n";
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    EXPECT_EQ(d->importPath((dir / "room.csv").string()), ImportOutcome::Cancelled);
    EXPECT_EQ(said.size(), 1u) << "a cancelled import says nothing";
    EXPECT_EQ(d->importPath((dir / "gone.csv").string(), dbRh()), ImportOutcome::Failed);
    EXPECT_EQ(said.size(), 2u);
    EXPECT_TRUE(w.measuredData().empty());
}

TEST_F(Window, CsvColumnsProposedByTheHeader) {
    TFmIX& w = open();
    w.action("MeasuredData")->trigger();
    MeasuredDataWindow* d = w.measuredDataWindow();
    ASSERT_TRUE(d);
    // The dry bulb last, RH before it: the dialog proposes them by name, as humidraw-cli does.
    std::ofstream(dir / "swapped.csv") << "time,RH,DB\nt1,55,23\nt2,40,18\nt3,bad,20\n";
    bool seen = false;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_TRUE(dialog && dialog->objectName() == "CsvColumnsDialog");
        const auto boxes = dialog->findChildren<QComboBox*>();
        ASSERT_EQ(boxes.size(), 5);  // first column, its property, second, its property, time
        EXPECT_EQ(boxes[0]->currentText(), "DB");
        EXPECT_EQ(boxes[1]->currentText(), "乾球温度 DB [°C]");
        EXPECT_EQ(boxes[2]->currentText(), "RH");
        EXPECT_EQ(boxes[3]->currentText(), "相対湿度 RH [%]");
        EXPECT_EQ(boxes[4]->currentText(), "time");
        seen = true;
        qobject_cast<QDialog*>(dialog)->accept();
    });
    ASSERT_EQ(d->importPath((dir / "swapped.csv").string()), ImportOutcome::Added);
    EXPECT_TRUE(seen);
    const DataSet set = w.measuredData().sets.at(0);
    ASSERT_EQ(set.points.size(), 2u);
    EXPECT_EQ(set.points[0].DB, 23);
    EXPECT_EQ(set.times, (SharedTexts{"t1", "t2"}));
    // The skipped row's reason in the program's language.
    EXPECT_NE(d->lastReport.indexOf("4 行目: 数値ではありません: 'bad'"), -1)
        << d->lastReport.toStdString();
}

TEST_F(Window, MeasuredDataUndoStepsShareThePoints) {
    TFmIX& w = open();
    w.showMeasuredData();
    MeasuredDataWindow* d = w.measuredDataWindow();
    std::ofstream(dir / "room.csv") << kRoom;
    ASSERT_EQ(d->importPath((dir / "room.csv").string(), dbRh()), ImportOutcome::Added);
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
    ASSERT_EQ(withData.measuredDataWindow()->importPath((dir / "room.csv").string(), dbRh()),
              ImportOutcome::Added);
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
    ASSERT_EQ(w.measuredDataWindow()->importPath((dir / "room.csv").string(), dbRh()),
              ImportOutcome::Added);
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

TEST_F(Window, MeasuredDataFileDialogsOpenWhereTheDocumentsDo) {
    // A dialog the program opened on its own would wait for a user: closed, the test fails
    // instead of hanging.
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            modal->reject();
    });
    guard.start(200);
    const fs::path remembered = dir / "remembered";
    fs::create_directories(remembered);
    const struct {
        std::string ini, folder;
    } cases[] = {
        {"[Setting]\nCurrentDir=" + remembered.string() + "\n", remembered.string()},
        {"", documentsFolder()},  // before any document was opened or saved
    };
    for (const auto& c : cases) {
        window.reset();
        fs::remove(ini);
        if (!c.ini.empty()) std::ofstream(ini) << c.ini;
        script.folders.clear();
        TFmIX& w = open();
        w.action("MeasuredData")->trigger();
        MeasuredDataWindow* d = w.measuredDataWindow();
        ASSERT_TRUE(d);
        d->importButton->click();  // cancelled: no file given
        const fs::path out = dir / "counts.csv";
        fs::remove(out);
        script.files = {out.string()};
        d->exportButton->click();
        EXPECT_EQ(script.folders, (std::vector<std::string>{c.folder, c.folder})) << c.ini;
        EXPECT_EQ(slurp(out), d->countsText()) << c.ini;
    }
    // A file that is there is replaced only when the user says Yes.
    window.reset();
    TFmIX& w = open();
    w.action("MeasuredData")->trigger();
    MeasuredDataWindow* d = w.measuredDataWindow();
    ASSERT_TRUE(d);
    const fs::path mine = dir / "mine.csv";
    for (const Answer a : {Answer::No, Answer::Yes}) {
        std::ofstream(mine) << "a spreadsheet of the user's\n";
        script.files = {mine.string()};
        script.answers = {a};
        said.clear();
        d->exportButton->click();
        ASSERT_EQ(said.size(), 1u);
        EXPECT_EQ(said[0].text, "mine.csv は既にあります。\n置き換えますか?");
        EXPECT_EQ(slurp(mine) == d->countsText(), a == Answer::Yes);
    }
}

namespace {

// Works the comfort-zone dialog once it is open, then presses OK.
void onComfortDialog(std::function<void(QDialog&)> work) {
    QTimer::singleShot(0, [work] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QDialog*>(top);
            if (!dialog || top->objectName() != "ComfortZoneDialog" || !top->isVisible()) continue;
            work(*dialog);
            top->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
            return;
        }
        ADD_FAILURE() << "no comfort-zone dialog";
    });
}

}  // namespace

// 快適域追加 adds a summer and a winter PMV zone in one step; 変更 on a comfort zone opens the
// comfort dialog again, so the zone stays a comfort zone with its inputs changed; an adaptive
// zone takes its month's mean from a data set's hours exactly; the readout then gives PMV and
// PPD at the pointer for both PMV zones.
TEST_F(Window, ComfortZonesAddedChangedAndReadOut) {
    TFmIX& w = open();
    w.show();
    QApplication::processEvents();
    w.action("MeasuredData")->trigger();
    MeasuredDataWindow* d = w.measuredDataWindow();
    ASSERT_TRUE(d);
    onComfortDialog([](QDialog& dialog) {
        EXPECT_TRUE(dialog.findChild<QCheckBox*>("winterToo")->isChecked());
        EXPECT_EQ(dialog.findChild<QLineEdit*>("maxX")->text(), "0.012");  // kg/kg(DA)
        EXPECT_EQ(dialog.findChild<QLineEdit*>("pmvHigh")->text(), "0.5");  // category B
    });
    d->addComfortButton->click();
    std::vector<Zone> zones = w.measuredData().zones;
    ASSERT_EQ(zones.size(), 2u);
    ASSERT_TRUE(zones[0].pmv && zones[1].pmv);
    EXPECT_EQ(zones[0].pmv->inputs.clo, 0.5);
    EXPECT_EQ(zones[1].pmv->inputs.clo, 1.0);
    EXPECT_EQ(zones[0].ranges[kZoneX].high, 12.0);
    EXPECT_EQ(zones[0].name, "快適域 PMV ±0.5 (1.1 met, 0.5 clo, 0.1 m/s)");
    EXPECT_EQ(zones[1].name, "快適域 PMV ±0.5 (1.1 met, 1 clo, 0.1 m/s)");
    w.Undo();
    EXPECT_TRUE(w.measuredData().zones.empty()) << "both zones were one step";
    w.Redo();
    ASSERT_EQ(w.measuredData().zones.size(), 2u);

    // Category C and 0.6 clo for the summer zone: its limits, name and humidity limit follow,
    // and it stays a comfort zone drawn as before.
    d->refresh();
    d->zones->setCurrentRow(0);
    onComfortDialog([](QDialog& dialog) {
        EXPECT_FALSE(dialog.findChild<QCheckBox*>("winterToo")->isVisible());
        EXPECT_FALSE(dialog.findChild<QComboBox*>("kind")->isEnabled());
        dialog.findChild<QLineEdit*>("cloSummer")->setText("0.6");
        dialog.findChild<QComboBox*>("category")->setCurrentIndex(2);
    });
    d->editZoneButton->click();
    zones = w.measuredData().zones;
    ASSERT_EQ(zones.size(), 2u);
    ASSERT_TRUE(zones[0].pmv);
    EXPECT_EQ(zones[0].pmv->inputs.clo, 0.6);
    EXPECT_EQ(zones[0].pmv->low, -0.7);
    EXPECT_EQ(zones[0].pmv->high, 0.7);
    EXPECT_EQ(zones[0].ranges[kZoneX].high, 12.0);
    EXPECT_EQ(zones[0].name, "快適域 PMV ±0.7 (1.1 met, 0.6 clo, 0.1 m/s)");

    // July's hours 24, 25 and 27.5 °C: the mean 76.5 / 3 = 25.5 °C exactly, the band
    // 0.31 × 25.5 + 17.8 ± 2.5 = 25.705 ± 2.5 = 23.205 to 28.205 °C at 90 %, shown to two
    // decimals rounded half away from zero.
    std::ofstream(dir / "weather.csv") << "time,DB,RH\n"
                                          "2023-06-30 23:00,10,50\n"
                                          "2023-07-01 00:00,24,50\n"
                                          "2023-07-01 01:00,25,50\n"
                                          "2023-07-31 23:00,27.5,50\n";
    CsvChoice timed = dbRh();
    timed.timeColumn = "time";
    ASSERT_EQ(d->importPath((dir / "weather.csv").string(), timed), ImportOutcome::Added);
    onComfortDialog([](QDialog& dialog) {
        dialog.findChild<QComboBox*>("kind")->setCurrentIndex(1);
        dialog.findChild<QComboBox*>("month")->setCurrentIndex(6);
        dialog.findChild<QComboBox*>("acceptability")->setCurrentIndex(1);
        dialog.findChild<QComboBox*>("meanSource")->setCurrentIndex(1);
        EXPECT_EQ(dialog.findChild<QLineEdit*>("mean")->text(), "25.50");
        EXPECT_EQ(dialog.findChild<QLabel*>("band")->text(), "23.21 – 28.21 °C");
    });
    d->addComfortButton->click();
    zones = w.measuredData().zones;
    ASSERT_EQ(zones.size(), 3u);
    ASSERT_TRUE(zones[2].adaptive);
    EXPECT_EQ(zones[2].adaptive->month, 7);
    EXPECT_EQ(zones[2].adaptive->acceptability, 90);
    EXPECT_EQ(zones[2].adaptive->prevailingMean, 25.5);
    EXPECT_EQ(zones[2].name, "適応快適域 7 月 90 %");

    // The readout at the pointer: a PMV for each of the two PMV zones.
    w.editor().mouseMove(false, false, 400, 300);
    const std::string readout = w.statusPanel(0)->text().toStdString();
    EXPECT_NE(readout.find("DB:"), std::string::npos) << readout;
    const size_t pmv = readout.find(" PMV:");
    ASSERT_NE(pmv, std::string::npos) << readout;
    EXPECT_NE(readout.find('/', pmv), std::string::npos) << readout;
    EXPECT_NE(readout.find(" PPD:", pmv), std::string::npos) << readout;
}
