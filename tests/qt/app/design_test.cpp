// The design layer in the window: the point and process dialogs, the panel's tables in the
// chart's units, its copy (text and HTML), CSV, typed defining values and removals, each change
// one step of the history. Expected states come from the library's plain functions at 760 mmHg
// (independent of the design code), checked against hand arithmetic.
#include <QApplication>
#include <QClipboard>
#include <QFormLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QTest>

#include "app/design_dialogs.h"
#include "app/design_panel.h"
#include "app/pickers.h"
#include "moistek/moistek.h"
#include "text/number_format.h"
#include "window_fixture.h"

using namespace humidraw;
using namespace humidraw::app;
using namespace humidraw::app::fixture;
using P = design::Property;

namespace {

QString f(double v, int decimals) {
    return QString::fromStdString(formatFixed(v, decimals));
}

// A state by its dry bulb and relative humidity at 760 mmHg, as the points table shows it in
// engineering units: name, DB, WB, DP, RH, x, h, SV, PW, density, μ.
QStringList pointCells(const QString& name, double DB, double RH) {
    const double x = V_DBRH2AH(DB, RH);
    const double SV = V_DBAH2SV(DB, x);
    return {name,
            f(DB, 1),
            f(V_DBAH2WB(DB, x), 1),
            f(V_AH2DP(x), 1),
            f(RH, 1),
            f(x, 4),
            f(V_DBAH2EN(DB, x), 2),
            f(SV, 3),
            f(V_DB2PWS(DB) * RH / 100, 2),  // the vapour pressure: RH of the saturation's
            f((1 + x) / SV, 3),              // moist air: (1 + x) kg in SV m³
            f(V_DBAH2RV(DB, x), 1)};
}

QStringList rowOf(const QTableWidget* t, int row) {
    QStringList cells;
    for (int c = 0; c < t->columnCount(); ++c)
        cells << (t->item(row, c) ? t->item(row, c)->text() : QString());
    return cells;
}

QStringList headerOf(const QTableWidget* t) {
    QStringList cells;
    for (int c = 0; c < t->columnCount(); ++c) cells << t->horizontalHeaderItem(c)->text();
    return cells;
}

design::Point point(const std::string& name, double DB, double RH) {
    return {name, {P::DB, DB}, {P::RH, RH}, {}};
}

// Two points: P1 10 °C / 50 % (outdoor air in winter) and P2 26 °C / 50 % (the room).
design::Design twoPoints() {
    design::Design d;
    d.points = {point("P1", 10, 50), point("P2", 26, 50)};
    return d;
}

// P1 heated at constant x to 30 °C (making P3), 1000 m³/h of it.
design::Process heating() {
    design::Process p;
    p.kind = design::ProcessKind::Sensible;
    p.from = {"P1"};
    p.to = "P3";
    p.flows = {1000};
    p.leaving = {{P::DB, 30}};
    return p;
}

DesignPanel* shownPanel(TFmIX& w) {
    w.action(Command::DesignPanel)->trigger();
    DesignPanel* p = w.designPanel();
    EXPECT_TRUE(p && !p->isHidden());
    return p;
}

}  // namespace

// The states the tables are checked against, by hand at 760 mmHg:
//   10 °C: PWS = 9.21 mmHg, PW = 4.60 mmHg, x = 0.622 × 4.60 / (760 − 4.60) = 0.00379,
//          h = 0.24 × 10 + 0.00379 × (597.3 + 0.441 × 10) = 4.68 kcal/kg(DA),
//          SV = 287.05 J/(kg·K) × 283.15 K / (101325 − 613) Pa = 0.807 m³/kg(DA);
//   26 °C: PWS = 25.2 mmHg, PW = 12.6 mmHg, x = 0.622 × 12.6 / 747.4 = 0.0105,
//          h = 6.24 + 0.0105 × 608.8 = 12.63 kcal/kg(DA).
TEST(DesignStates, LibraryAgreesWithTheHandValues) {
    EXPECT_NEAR(V_DBRH2AH(10, 50), 0.00379, 0.00002);
    EXPECT_NEAR(V_DBAH2EN(10, V_DBRH2AH(10, 50)), 4.68, 0.02);
    EXPECT_NEAR(V_DBAH2SV(10, V_DBRH2AH(10, 50)), 0.807, 0.002);
    EXPECT_NEAR(V_DBRH2AH(26, 50), 0.0105, 0.0001);
    EXPECT_NEAR(V_DBAH2EN(26, V_DBRH2AH(26, 50)), 12.63, 0.03);
}

TEST_F(Window, DesignMenuOpensTheDialogsAndThePanel) {
    TFmIX& w = open();
    QMenu* menu = w.findChild<QMenu*>("Design1");
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->title(), "設計(&S)");
    EXPECT_TRUE(w.designPanel()->isHidden()) << "hidden the first time";
    EXPECT_FALSE(w.action(Command::DesignPanel)->isChecked());
    w.action(Command::DesignPointDialog)->trigger();
    ASSERT_TRUE(w.designPointDialog() && w.designPointDialog()->isVisible());
    EXPECT_EQ(w.designPointDialog()->name->text(), "P1");
    w.designPointDialog()->reject();
    w.action(Command::DesignProcess)->trigger();
    ASSERT_TRUE(w.designProcessDialog() && w.designProcessDialog()->isVisible());
    w.designProcessDialog()->reject();
    shownPanel(w);
    EXPECT_TRUE(w.action(Command::DesignPanel)->isChecked());
    // Its close box unchecks the item; the window remembers it shown or hidden.
    w.designPanel()->close();
    EXPECT_FALSE(w.action(Command::DesignPanel)->isChecked());
    w.action(Command::DesignPanel)->trigger();
    w.close();
    EXPECT_NE(iniText().find("DesignPanel=1"), std::string::npos) << iniText();
}

TEST_F(Window, DesignPointDialogAddsAPointOrKeepsWhatWasTyped) {
    TFmIX& w = open();
    w.showDesignPointDialog();
    DesignPointDialog* p = w.designPointDialog();
    p->name->setText("OA");
    p->first->setCurrentIndex(static_cast<int>(P::DB));
    p->firstValue->setText("33");
    p->second->setCurrentIndex(static_cast<int>(P::WB));
    p->secondValue->setText("27");
    w.colourPicker()->setCurrentIndex(3);  // colour 4
    ASSERT_TRUE(p->confirm());
    EXPECT_FALSE(p->isVisible());
    ASSERT_EQ(w.session().design().points.size(), 1u);
    const design::Point& oa = w.session().design().points[0];
    EXPECT_EQ(oa.name, "OA");
    EXPECT_EQ(oa.first, (design::Given{P::DB, 33}));
    EXPECT_EQ(oa.second, (design::Given{P::WB, 27}));
    EXPECT_EQ(oa.look.colour, 4);
    EXPECT_TRUE(w.modified());

    // Refused: a name in use, a text that is no number, a pair above saturation. Each is told
    // over the dialog, which keeps what was typed; the design stays as it was.
    struct Case {
        const char *name, *first, *second;
    };
    for (const Case& c : {Case{"OA", "20", "15"}, Case{"B", "2O", "15"}, Case{"B", "20", "25"}}) {
        said.clear();
        w.showDesignPointDialog();
        p->name->setText(c.name);
        p->firstValue->setText(c.first);
        p->secondValue->setText(c.second);
        EXPECT_FALSE(p->confirm()) << c.name << " " << c.first << " " << c.second;
        ASSERT_EQ(said.size(), 1u);
        EXPECT_EQ(said[0].caption, "状態点の入力");
        EXPECT_TRUE(p->isVisible());
        EXPECT_EQ(p->name->text(), c.name);
        EXPECT_EQ(p->firstValue->text(), c.first);
        EXPECT_EQ(w.session().design().points.size(), 1u);
        p->reject();
    }
    // Enter in a field confirms; Esc cancels and leaves the design as it was.
    w.showDesignPointDialog();
    EXPECT_EQ(p->name->text(), "P1");
    p->firstValue->setText("20");
    p->secondValue->setText("15");
    QTest::keyClick(p->secondValue, Qt::Key_Return);
    EXPECT_FALSE(p->isVisible());
    ASSERT_EQ(w.session().design().points.size(), 2u);
    EXPECT_EQ(w.session().design().points[1].name, "P1");
    w.showDesignPointDialog();
    EXPECT_EQ(p->name->text(), "P2");
    QTest::keyClick(p->name, Qt::Key_Escape);
    EXPECT_FALSE(p->isVisible());
    EXPECT_EQ(w.session().design().points.size(), 2u);

    // Each point one step: undone twice, the design is empty again.
    w.Undo();
    EXPECT_EQ(w.session().design().points.size(), 1u);
    w.Undo();
    EXPECT_TRUE(w.session().design().empty());
}

// On an SI chart, enthalpy is typed in kJ/kg(DA): 50.2326 kJ/kg ÷ 4.18605 kJ/kcal = 12 kcal/kg.
TEST_F(Window, DesignPointDialogTakesTheChartsUnits) {
    TFmIX& w = open();
    Settings si = w.settings();
    si.units = UnitSystem::SI;
    ASSERT_TRUE(w.applySettings(si));
    w.showDesignPointDialog();
    DesignPointDialog* p = w.designPointDialog();
    p->first->setCurrentIndex(static_cast<int>(P::DB));
    p->firstValue->setText("26");
    p->second->setCurrentIndex(static_cast<int>(P::H));
    EXPECT_EQ(p->second->currentText(), "比エンタルピ h [kJ/kg(DA)]");
    p->secondValue->setText("50.2326");
    ASSERT_TRUE(p->confirm()) << (said.empty() ? "" : said.back().text);
    const design::Given h = w.session().design().points[0].second;
    EXPECT_EQ(h.kind, P::H);
    EXPECT_NEAR(h.value, 12.0, 1e-9);
}

TEST_F(Window, DesignProcessDialogAddsEachKindOfProcess) {
    TFmIX& w = open();
    w.takeDesign(twoPoints());
    w.showDesignProcessDialog();
    DesignProcessDialog* p = w.designProcessDialog();
    EXPECT_EQ(p->toName->text(), "P3");
    p->setKind(design::ProcessKind::Sensible);
    p->from->setCurrentText("P1");
    p->flow->setText("1000");
    p->sensibleBy->setCurrentIndex(0);  // to a dry bulb
    p->sensibleValue->setText("30");
    ASSERT_TRUE(p->confirm()) << (said.empty() ? "" : said.back().text);
    ASSERT_EQ(w.session().design().processes.size(), 1u);
    design::Process want = heating();
    EXPECT_EQ(w.session().design().processes[0], want);
    EXPECT_EQ(w.session().design().basis, design::AirBasis::Actual);

    // A mixing of P1 and P2, 1000 and 3000 m³/h, on the standard air, its load written.
    w.showDesignProcessDialog();
    p->setKind(design::ProcessKind::Mixing);
    p->setStreamCount(2);
    static_cast<QComboBox*>(p->streams->cellWidget(0, 0))->setCurrentText("P1");
    static_cast<QLineEdit*>(p->streams->cellWidget(0, 1))->setText("1000");
    static_cast<QComboBox*>(p->streams->cellWidget(1, 0))->setCurrentText("P2");
    static_cast<QLineEdit*>(p->streams->cellWidget(1, 1))->setText("3000");
    EXPECT_EQ(p->toName->text(), "P4");
    p->standardAir->setChecked(true);
    ASSERT_TRUE(p->confirm()) << (said.empty() ? "" : said.back().text);
    const design::Design& d = w.session().design();
    ASSERT_EQ(d.processes.size(), 2u);
    EXPECT_EQ(d.processes[1].kind, design::ProcessKind::Mixing);
    EXPECT_EQ(d.processes[1].from, (std::vector<std::string>{"P1", "P2"}));
    EXPECT_EQ(d.processes[1].flows, (std::vector<double>{1000, 3000}));
    EXPECT_EQ(d.processes[1].to, "P4");
    EXPECT_EQ(d.basis, design::AirBasis::Standard) << "the whole design's";

    // Refused: the state made named as a point that is there; a flow that is no number.
    for (const auto& [name, flow] : {std::pair{"P2", "1000"}, std::pair{"P5", "1.000,0"}}) {
        said.clear();
        w.showDesignProcessDialog();
        p->setKind(design::ProcessKind::Sensible);
        p->toName->setText(name);
        p->flow->setText(flow);
        EXPECT_FALSE(p->confirm()) << name;
        EXPECT_EQ(said.size(), 1u) << name;
        EXPECT_TRUE(p->isVisible());
        EXPECT_EQ(p->toName->text(), name);
        EXPECT_EQ(w.session().design().processes.size(), 2u);
        p->reject();
    }
}

// Loads are typed in kcal/h, or in kW on an SI chart: 10 kW × 860 = 8600 kcal/h, 2 kW 1720.
TEST_F(Window, DesignProcessDialogTakesLoadsInTheChartsUnits) {
    TFmIX& w = open();
    Settings si = w.settings();
    si.units = UnitSystem::SI;
    ASSERT_TRUE(w.applySettings(si));
    w.takeDesign(twoPoints());
    w.showDesignProcessDialog();
    DesignProcessDialog* p = w.designProcessDialog();
    p->setKind(design::ProcessKind::Supply);
    p->from->setCurrentText("P2");
    p->flow->setText("5000");
    p->supplySensible->setText("10");
    p->supplyLatent->setText("2");
    ASSERT_TRUE(p->confirm()) << (said.empty() ? "" : said.back().text);
    const design::Process& s = w.session().design().processes.at(0);
    EXPECT_EQ(s.kind, design::ProcessKind::Supply);
    EXPECT_EQ(s.from, (std::vector<std::string>{"P2"}));
    EXPECT_NEAR(*s.sensibleLoad, 8600, 1e-9);
    EXPECT_NEAR(*s.latentLoad, 1720, 1e-9);
}

TEST_F(Window, DesignPanelShowsPointsAndProcessesInTheChartsUnits) {
    TFmIX& w = open();
    DesignPanel* panel = shownPanel(w);
    design::Design d = twoPoints();
    d.processes = {heating()};
    w.takeDesign(d);
    EXPECT_EQ(headerOf(panel->points),
              (QStringList{"名前", "DB [°C]", "WB [°C]", "DP [°C]", "RH [%]", "x [kg/kg(DA)]",
                           "h [kcal/kg(DA)]", "SV [m³/kg(DA)]", "PW [mmHg]", "密度 [kg/m³]",
                           "飽和度 μ [%]"}));
    ASSERT_EQ(panel->points->rowCount(), 3);
    EXPECT_EQ(rowOf(panel->points, 0), pointCells("P1", 10, 50));
    EXPECT_EQ(rowOf(panel->points, 1), pointCells("P2", 26, 50));
    // P3: P1's humidity ratio at 30 °C.
    const double x1 = V_DBRH2AH(10, 50);
    EXPECT_EQ(rowOf(panel->points, 2), pointCells("P3", 30, V_DBAH2RH(30, x1)));
    // Only the defining values of the defined points can be typed over.
    const auto editable = [&](int row, int column) {
        return bool(panel->points->item(row, column)->flags() & Qt::ItemIsEditable);
    };
    EXPECT_TRUE(editable(0, 1) && editable(0, 4));
    EXPECT_FALSE(editable(0, 0) || editable(0, 2) || editable(0, 5));
    for (int c = 0; c < panel->points->columnCount(); ++c) EXPECT_FALSE(editable(2, c)) << c;

    // Heating 1000 m³/h of P1 to 30 °C: G = 1000 / SV(P1) ≈ 1000 / 0.807 = 1239 kg/h; the load
    // G × (h(30 °C) − h(10 °C)) ≈ 1239 × (0.24 + 0.441 × 0.00379) × 20 ≈ 5990 kcal/h, all of it
    // sensible.
    const double G = 1000 / V_DBAH2SV(10, x1);
    const double Q = G * (V_DBAH2EN(30, x1) - V_DBAH2EN(10, x1));
    EXPECT_NEAR(G, 1240, 3);
    EXPECT_NEAR(Q, 5990, 15);
    EXPECT_EQ(headerOf(panel->processes),
              (QStringList{"種類", "入口", "出口", "風量 [m³/h]", "G [kg/h]", "全熱 [kcal/h]",
                           "顕熱 [kcal/h]", "潜熱 [kcal/h]", "SHF", "水分 [kg/h]", "ADP [°C]",
                           "BF"}));
    ASSERT_EQ(panel->processes->rowCount(), 1);
    // At constant x nothing is latent (SHF 1) and no water is taken up; no ADP or BF.
    EXPECT_EQ(rowOf(panel->processes, 0),
              (QStringList{"顕熱", "P1", "P3", "1000", f(G, 1), f(Q, 0), f(Q, 0), "0", "1.00",
                           "0.00", "", ""}));

    // In SI: h in kJ/kg(DA) (× 4.18605), PW in kPa (× 101.325/760), loads in kW (÷ 860).
    Settings si = w.settings();
    si.units = UnitSystem::SI;
    ASSERT_TRUE(w.applySettings(si));
    EXPECT_EQ(panel->points->horizontalHeaderItem(6)->text(), "h [kJ/kg(DA)]");
    EXPECT_EQ(panel->points->horizontalHeaderItem(8)->text(), "PW [kPa]");
    EXPECT_EQ(panel->points->item(0, 6)->text(), f(V_DBAH2EN(10, x1) * 4.18605, 2));
    EXPECT_EQ(panel->points->item(0, 8)->text(), f(V_DB2PWS(10) * 0.5 * 101.325 / 760, 3));
    EXPECT_EQ(panel->processes->horizontalHeaderItem(5)->text(), "全熱 [kW]");
    EXPECT_EQ(panel->processes->item(0, 5)->text(), f(Q / 860, 2));

    // At 700 mmHg the same RH holds more water: x = 0.622 × 4.60 / (700 − 4.60) = 0.00412.
    si.units = UnitSystem::Engineering;
    si.pressureMmHg = 700;
    ASSERT_TRUE(w.applySettings(si));
    const double x700 = MoistAir(700).DBRH2AH(10, 50);
    EXPECT_NEAR(x700, 0.00412, 0.00002);
    EXPECT_EQ(panel->points->item(0, 5)->text(), f(x700, 4));
    EXPECT_EQ(panel->processes->item(0, 4)->text(),
              f(1000 / MoistAir(700).DBAH2SV(10, x700), 1));
    si.pressureMmHg = 760;
    ASSERT_TRUE(w.applySettings(si));

    // Undone, the tables follow the history.
    w.Undo();
    EXPECT_EQ(panel->points->rowCount(), 0);
    EXPECT_EQ(panel->processes->rowCount(), 0);
    w.Redo();
    EXPECT_EQ(panel->points->rowCount(), 3);
    // A new document has no design.
    w.Fnew();
    EXPECT_EQ(panel->points->rowCount(), 0);
}

TEST_F(Window, DesignPanelCopiesTextAndHtmlAndWritesCsv) {
    TFmIX& w = open();
    DesignPanel* panel = shownPanel(w);
    design::Design d = twoPoints();
    d.points[1].name = "R&D, <2>";  // a name the HTML has to escape and the CSV to quote
    w.takeDesign(d);
    const QStringList p1 = pointCells("P1", 10, 50), p2 = pointCells("R&D, <2>", 26, 50);
    const QStringList head = headerOf(panel->points);

    // Nothing selected: every row; the header first.
    panel->copyRows(panel->points);
    const QMimeData* clip = QApplication::clipboard()->mimeData();
    ASSERT_TRUE(clip);
    EXPECT_EQ(clip->text(), head.join('\t') + "\n" + p1.join('\t') + "\n" + p2.join('\t') + "\n");
    // The second row selected, copied by Ctrl+C.
    panel->points->selectRow(1);
    QTest::keyClick(panel->points, Qt::Key_C, Qt::ControlModifier);
    clip = QApplication::clipboard()->mimeData();
    EXPECT_EQ(clip->text(), head.join('\t') + "\n" + p2.join('\t') + "\n");
    ASSERT_TRUE(clip->hasHtml());
    QString html = "<table>\n<tr>";
    for (const QString& h : head) html += "<th>" + h + "</th>";
    html += "</tr>\n<tr><td>R&amp;D, &lt;2&gt;</td>";
    for (int c = 1; c < p2.size(); ++c) html += "<td>" + p2[c] + "</td>";
    html += "</tr>\n</table>\n";
    EXPECT_EQ(clip->html(), html);

    // CSV: UTF-8 behind its byte-order mark EF BB BF; the name with a comma quoted.
    const std::string csv = "\xEF\xBB\xBF" + head.join(',').toStdString() + "\n" +
                            p1.join(',').toStdString() + "\n\"R&D, <2>\"," +
                            p2.mid(1).join(',').toStdString() + "\n";
    EXPECT_EQ(panel->csvText(panel->points), csv);
    ASSERT_TRUE(panel->writeCsv(panel->points, (dir / "points.csv").string()));
    std::ifstream in(dir / "points.csv", std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    EXPECT_EQ(bytes.str(), csv);
    said.clear();
    EXPECT_FALSE(panel->writeCsv(panel->points, (dir / "gone" / "points.csv").string()));
    ASSERT_EQ(said.size(), 1u);
    EXPECT_EQ(said[0].caption, "CSV書き出し");
}

TEST_F(Window, DesignPanelTakesTypedDefiningValuesAsOneStep) {
    TFmIX& w = open();
    DesignPanel* panel = shownPanel(w);
    w.takeDesign(twoPoints());
    const auto type = [&](int row, int column, const char* text) {
        panel->points->item(row, column)->setText(text);
        // The edit is taken once the table is done with it: the panel's own queued call.
        QCoreApplication::sendPostedEvents(panel, QEvent::MetaCall);
    };
    // P1's dry bulb typed as 12.
    type(0, 1, "12");
    EXPECT_EQ(w.session().design().points[0].first, (design::Given{P::DB, 12}));
    EXPECT_EQ(rowOf(panel->points, 0), pointCells("P1", 12, 50));
    // Refused: above saturation, and no number; the cell shows the value again.
    for (const char* text : {"120", "abc"}) {
        said.clear();
        type(0, 4, text);
        EXPECT_EQ(said.size(), 1u) << text;
        EXPECT_EQ(panel->points->item(0, 4)->text(), "50.0") << text;
        EXPECT_EQ(w.session().design().points[0].second, (design::Given{P::RH, 50}));
    }
    w.Undo();
    EXPECT_EQ(w.session().design().points[0].first, (design::Given{P::DB, 10}));
    EXPECT_EQ(panel->points->item(0, 1)->text(), "10.0");

    // A defining value reads as typed up to two decimals more than its column's; a point put
    // by a click reads at the column's decimals, and the text it shows, typed back, is no change.
    design::Design d = twoPoints();
    d.points[0].first.value = 10.25;
    d.points[1].first.value = 21.1133245;
    w.takeDesign(d);
    EXPECT_EQ(panel->points->item(0, 1)->text(), "10.25");
    EXPECT_EQ(panel->points->item(1, 1)->text(), "21.1");
    type(1, 1, "21.1");
    EXPECT_EQ(w.session().design(), d);
}

// The panel follows a point while it is dragged in 選択, and the drag is one step.
TEST_F(Window, DesignPanelFollowsADraggedPoint) {
    TFmIX& w = open();
    DesignPanel* panel = shownPanel(w);
    w.takeDesign(twoPoints());
    w.Select();
    const size_t steps = w.session().history().steps();
    const EditorView v = w.chartView();
    const auto& p1 = w.session().designResult().points[0].air;
    const ChartPoint at = stateToScreen(v.frame, v.screen, p1.h, p1.x);
    const int x = static_cast<int>(at.x), y = static_cast<int>(at.y);
    Editor& e = w.editor();
    e.mouseDown(MouseButton::Left, false, x, y);
    e.mouseMove(true, false, x + 30, y);
    const QString moving = panel->points->item(0, 1)->text();
    EXPECT_NE(moving, "10.0");  // warmer to the right, shown before the button is let go
    e.mouseUp(MouseButton::Left, x + 30, y);
    EXPECT_EQ(panel->points->item(0, 1)->text(), moving);
    EXPECT_EQ(w.session().history().steps(), steps + 1);
}

TEST_F(Window, DesignPanelRemovesTheSelectionWithTheDeleteKey) {
    TFmIX& w = open();
    w.show();
    DesignPanel* panel = shownPanel(w);
    design::Design d = twoPoints();
    d.processes = {heating()};
    w.takeDesign(d);
    const int drawn = w.documentObjects().count();
    // The process: P3 goes with it; the drawn objects stay (the window's Delete is theirs).
    panel->processes->setFocus();
    panel->processes->selectRow(0);
    QTest::keyClick(panel->processes, Qt::Key_Delete);
    EXPECT_TRUE(w.session().design().processes.empty());
    EXPECT_EQ(panel->points->rowCount(), 2);
    EXPECT_EQ(w.documentObjects().count(), drawn);
    // Both points at once, as one step.
    panel->points->selectAll();
    QTest::keyClick(panel->points, Qt::Key_Delete);
    EXPECT_TRUE(w.session().design().empty());
    w.Undo();
    EXPECT_EQ(w.session().design().points.size(), 2u);
    EXPECT_TRUE(w.session().design().processes.empty());
    w.Undo();
    EXPECT_EQ(w.session().design(), d);
}

// A coil by its apparatus dew point and bypass factor through the dialog: 2000 m³/h of the room
// P2 (26 °C, 50 %) over a coil of ADP 12 °C and BF 0.15. The leaving state mixes 0.15 of the
// inlet with 0.85 of the saturated air at 12 °C, in h and x:
//   xs = 0.00873, hs = 0.24 × 12 + 0.00873 × (597.3 + 0.441 × 12) = 8.14 kcal/kg(DA);
//   x = 0.00873 + 0.15 × (0.0105 − 0.00873) = 0.00900, h = 8.14 + 0.15 × (12.63 − 8.14) = 8.81;
//   DB = (8.81 − 597.3 × 0.00900) / (0.24 + 0.441 × 0.00900) = 14.1 °C.
TEST_F(Window, DesignPanelShowsACoilAndWhatCannotBeComputed) {
    TFmIX& w = open();
    DesignPanel* panel = shownPanel(w);
    w.takeDesign(twoPoints());
    w.showDesignProcessDialog();
    DesignProcessDialog* p = w.designProcessDialog();
    p->setKind(design::ProcessKind::Coil);
    p->from->setCurrentText("P2");
    p->flow->setText("2000");
    p->coilBy->setCurrentIndex(1);
    p->adp->setText("12");
    p->bf->setText("0.15");
    ASSERT_TRUE(p->confirm()) << (said.empty() ? "" : said.back().text);

    const double xs = V_DBRH2AH(12, 100), hs = V_DBAH2EN(12, xs);
    const double x2 = V_DBRH2AH(26, 50), h2 = V_DBAH2EN(26, x2);
    const double x = xs + 0.15 * (x2 - xs), h = hs + 0.15 * (h2 - hs);
    const double DB = V_ENAH2DB(h, x);
    EXPECT_NEAR(xs, 0.00873, 0.00002);
    EXPECT_NEAR(DB, 14.1, 0.05);
    ASSERT_EQ(panel->points->rowCount(), 3);
    EXPECT_EQ(rowOf(panel->points, 2), pointCells("P3", DB, V_DBAH2RH(DB, x)));
    // Cooled and dried: the loads and the water taken out are negative.
    const double G = 2000 / V_DBAH2SV(26, x2);
    const double total = G * (h - h2), sensible = G * (V_DBAH2EN(DB, x2) - h2);
    EXPECT_NEAR(total, -2000 / 0.86 * (12.63 - 8.81), 150);  // SV(P2) ≈ 0.86 m³/kg(DA)
    EXPECT_EQ(rowOf(panel->processes, 0),
              (QStringList{"コイル", "P2", "P3", "2000", f(G, 1), f(total, 0), f(sensible, 0),
                           f(total - sensible, 0), f(sensible / total, 2),
                           f(G * (x - x2), 2), "12.0", "0.15"}));
    EXPECT_TRUE(panel->status->isHidden());

    // A design the core cannot compute in full (steam to 150 %): what it could is shown, and
    // why the rest is not.
    design::Design d = twoPoints();
    design::Process steam;
    steam.kind = design::ProcessKind::Steam;
    steam.from = {"P1"};
    steam.to = "P3";
    steam.leaving = {{P::RH, 150}};
    d.processes = {steam};
    w.takeDesign(d);
    EXPECT_EQ(panel->points->rowCount(), 2);
    EXPECT_EQ(panel->processes->rowCount(), 1);
    EXPECT_EQ(rowOf(panel->processes, 0).mid(0, 4), (QStringList{"蒸気加湿", "P1", "P3", ""}));
    EXPECT_FALSE(panel->status->isHidden());
    EXPECT_TRUE(panel->status->text().startsWith("状態変化 1 (steam): "))
        << panel->status->text().toStdString();
}

// ---- IP units ----------------------------------------------------------------------------------
// The factors written out here, as the IP tables define them: °F = 1.8 × °C + 32; 7000 gr a lb;
// 1 m³/kg = 16.01846 ft³/lb; 1 mmHg = 0.0193368 psi; 1 kg/m³ = 0.06242796 lb/ft³; 1 kg = 2.2046226
// lb; 1 cfm = 0.02831685 m³/min = 1.699011 m³/h; 1 kcal/h = 3.968321 Btu/h; a ton 12,000 Btu/h;
// the enthalpy on the IP datum h [Btu/lb] = 1.8 × h [kcal/kg] + 32 × 0.24.
namespace {

double fahrenheit(double c) {
    return 1.8 * c + 32;
}

// A state by its dry bulb in °F and relative humidity at 760 mmHg (14.696 psia), as the points
// table shows it in IP units: name, DB, WB, DP (°F, 0.1), RH, x (gr/lb, 0.1), h (Btu/lb, 0.01),
// SV (ft³/lb, 0.01), PW (psia, 0.0001), density (lb/ft³, 0.0001), μ.
QStringList ipPointCells(const QString& name, double DBF, double RH) {
    const double DB = (DBF - 32) / 1.8;
    const double x = V_DBRH2AH(DB, RH);
    const double SV = V_DBAH2SV(DB, x);
    return {name,
            f(DBF, 1),
            f(fahrenheit(V_DBAH2WB(DB, x)), 1),
            f(fahrenheit(V_AH2DP(x)), 1),
            f(RH, 1),
            f(x * 7000, 1),
            f(1.8 * V_DBAH2EN(DB, x) + 32 * 0.24, 2),
            f(SV * 16.01846, 2),
            f(V_DB2PWS(DB) * RH / 100 * 0.0193368, 4),
            f((1 + x) / SV * 0.06242796, 4),
            f(V_DBAH2RV(DB, x), 1)};
}

TFmIX& inIP(TFmIX& w) {
    Settings ip = w.settings();
    ip.units = UnitSystem::IP;
    EXPECT_TRUE(w.applySettings(ip));
    return w;
}

}  // namespace

// 75 °F, 50 % at 14.696 psia, by hand: 75 °F = 23.889 °C, PWS = 22.24 mmHg, PW = 11.12 mmHg,
// x = 0.622 × 11.12 / (760 − 11.12) = 0.009236 kg/kg(DA) (the library 0.009238: its saturation
// pressure) = 64.7 gr/lb(DA); h = 0.24 × 23.889 + 0.009238 × (597.3 + 0.441 × 23.889)
// = 11.348 kcal/kg(DA) = 1.8 × 11.348 + 7.68 = 28.11 Btu/lb(DA) (ASHRAE's table 28.1);
// SV = 287.05 × 297.04 / (101325 − 1483) = 0.8540 m³/kg(DA) = 13.68 ft³/lb(DA).
TEST_F(Window, DesignPointTypedInIPShowsInIP) {
    TFmIX& w = inIP(open());
    DesignPanel* panel = shownPanel(w);
    w.showDesignPointDialog();
    DesignPointDialog* p = w.designPointDialog();
    EXPECT_EQ(p->first->currentText(), "乾球温度 DB [°F]");
    EXPECT_EQ(p->first->itemText(static_cast<int>(P::X)), "絶対湿度 x [gr/lb(DA)]");
    p->firstValue->setText("75");
    p->secondValue->setText("50");
    ASSERT_TRUE(p->confirm()) << (said.empty() ? "" : said.back().text);
    const design::Point& typed = w.session().design().points.at(0);
    EXPECT_EQ(typed.first.kind, P::DB);
    EXPECT_NEAR(typed.first.value, 23.8888888889, 1e-9);  // (75 − 32) / 1.8
    EXPECT_EQ(typed.second, (design::Given{P::RH, 50}));

    EXPECT_EQ(headerOf(panel->points),
              (QStringList{"名前", "DB [°F]", "WB [°F]", "DP [°F]", "RH [%]", "x [gr/lb(DA)]",
                           "h [Btu/lb(DA)]", "SV [ft³/lb(DA)]", "PW [psia]", "密度 [lb/ft³]",
                           "飽和度 μ [%]"}));
    const QStringList row = rowOf(panel->points, 0);
    EXPECT_EQ(row, ipPointCells("P1", 75, 50));
    EXPECT_EQ(row.mid(0, 2), (QStringList{"P1", "75.0"}));
    EXPECT_EQ(row[5], "64.7");
    EXPECT_NEAR(row[6].toDouble(), 28.11, 0.01);
    EXPECT_EQ(row[7], "13.68");

    // A point typed by its humidity ratio in gr/lb: 70 gr/lb = 0.01 kg/kg(DA).
    w.showDesignPointDialog();
    p->first->setCurrentIndex(static_cast<int>(P::DB));
    p->firstValue->setText("80");
    p->second->setCurrentIndex(static_cast<int>(P::X));
    p->secondValue->setText("70");
    ASSERT_TRUE(p->confirm()) << (said.empty() ? "" : said.back().text);
    const design::Given x = w.session().design().points.at(1).second;
    EXPECT_EQ(x.kind, P::X);
    EXPECT_NEAR(x.value, 0.01, 1e-12);
    EXPECT_EQ(panel->points->item(1, 5)->text(), "70.0");
}

// Heating 1000 cfm = 1699.011 m³/h of P1 (10 °C, 50 %) to 86 °F = (86 − 32) / 1.8 = 30 °C: by
// hand G = 1699.011 / 0.807 = 2105 kg/h = 4641 lb/h, Q = 2105 × 0.2417 × 20 = 10177 kcal/h
// = 10177 × 3.968321 = 40385 Btu/h = 3.37 tons.
TEST_F(Window, DesignProcessTypedInIPStoresEngineeringUnits) {
    TFmIX& w = inIP(open());
    DesignPanel* panel = shownPanel(w);
    w.takeDesign(twoPoints());
    w.showDesignProcessDialog();
    DesignProcessDialog* p = w.designProcessDialog();
    p->setKind(design::ProcessKind::Sensible);
    p->from->setCurrentText("P1");
    p->flow->setText("1000");
    p->sensibleBy->setCurrentIndex(0);
    EXPECT_EQ(p->sensibleBy->currentText(), "乾球温度 DB [°F]");
    p->sensibleValue->setText("86");
    ASSERT_TRUE(p->confirm()) << (said.empty() ? "" : said.back().text);
    const design::Process& s = w.session().design().processes.at(0);
    ASSERT_EQ(s.flows.size(), 1u);
    EXPECT_NEAR(s.flows[0], 1699.011, 1e-9);
    ASSERT_EQ(s.leaving.size(), 1u);
    EXPECT_EQ(s.leaving[0].kind, P::DB);
    EXPECT_NEAR(s.leaving[0].value, 30, 1e-9);

    const double x1 = V_DBRH2AH(10, 50);
    const double G = 1699.011 / V_DBAH2SV(10, x1);
    const double Q = G * (V_DBAH2EN(30, x1) - V_DBAH2EN(10, x1));
    EXPECT_NEAR(G * 2.2046226, 4641, 10);
    EXPECT_NEAR(Q * 3.968321, 40385, 100);
    EXPECT_EQ(headerOf(panel->processes),
              (QStringList{"種類", "入口", "出口", "風量 [cfm]", "G [lb/h]", "全熱 [Btu/h]",
                           "顕熱 [Btu/h]", "潜熱 [Btu/h]", "SHF", "水分 [lb/h]", "ADP [°F]", "BF",
                           "全熱 [tons]"}));
    EXPECT_EQ(
        rowOf(panel->processes, 0),
        (QStringList{"顕熱", "P1", "P3", "1000", f(G * 2.2046226, 1), f(Q * 3.968321, 0),
                     f(Q * 3.968321, 0), "0", "1.00", "0.00", "", "", f(Q * 3.968321 / 12000, 2)}));
    // P3 at 86 °F: the points table in °F.
    EXPECT_EQ(panel->points->item(2, 1)->text(), "86.0");

    // A mixing of 1000 and 3000 cfm: 1699.011 and 5097.033 m³/h.
    w.showDesignProcessDialog();
    p->setKind(design::ProcessKind::Mixing);
    EXPECT_EQ(p->streams->horizontalHeaderItem(1)->text(), "風量 [cfm]");
    static_cast<QComboBox*>(p->streams->cellWidget(0, 0))->setCurrentText("P1");
    static_cast<QLineEdit*>(p->streams->cellWidget(0, 1))->setText("1000");
    static_cast<QComboBox*>(p->streams->cellWidget(1, 0))->setCurrentText("P2");
    static_cast<QLineEdit*>(p->streams->cellWidget(1, 1))->setText("3000");
    ASSERT_TRUE(p->confirm()) << (said.empty() ? "" : said.back().text);
    const design::Process& m = w.session().design().processes.at(1);
    ASSERT_EQ(m.flows.size(), 2u);
    EXPECT_NEAR(m.flows[0], 1699.011, 1e-9);
    EXPECT_NEAR(m.flows[1], 5097.033, 1e-9);
    EXPECT_EQ(panel->processes->item(1, 3)->text(), "1000 + 3000");

    // Back in engineering units the same process reads in m³/h and kcal/h, without the tons.
    Settings e = w.settings();
    e.units = UnitSystem::Engineering;
    ASSERT_TRUE(w.applySettings(e));
    EXPECT_EQ(panel->processes->columnCount(), 12);
    EXPECT_EQ(panel->processes->item(0, 3)->text(), "1699.01");
    EXPECT_EQ(panel->processes->item(0, 5)->text(), f(Q, 0));
}

// Loads typed in Btu/h: 34000 / 3.968321 = 8567.9 kcal/h, 6000 / 3.968321 = 1512.0 kcal/h.
TEST_F(Window, DesignProcessDialogTakesLoadsInBtuPerHour) {
    TFmIX& w = inIP(open());
    w.takeDesign(twoPoints());
    w.showDesignProcessDialog();
    DesignProcessDialog* p = w.designProcessDialog();
    p->setKind(design::ProcessKind::Supply);
    p->from->setCurrentText("P2");
    p->flow->setText("3000");
    p->supplySensible->setText("34000");
    p->supplyLatent->setText("6000");
    ASSERT_TRUE(p->confirm()) << (said.empty() ? "" : said.back().text);
    const design::Process& s = w.session().design().processes.at(0);
    EXPECT_NEAR(*s.sensibleLoad, 8567.85, 0.01);
    EXPECT_NEAR(*s.latentLoad, 1511.97, 0.01);
    EXPECT_NEAR(s.flows.at(0), 5097.033, 1e-9);
}

// A coil by ADP 53.6 °F = (53.6 − 32) / 1.8 = 12 °C and BF 0.15, 2000 cfm = 3398.022 m³/h of P2:
// the leaving state as in DesignPanelShowsACoilAndWhatCannotBeComputed (14.1 °C = 57.4 °F), the
// water taken out G × Δx in lb/h: 3398 / 0.86 × (−0.0015) ≈ −5.9 kg/h ≈ −13 lb/h.
TEST_F(Window, DesignCoilByADPInIP) {
    TFmIX& w = inIP(open());
    DesignPanel* panel = shownPanel(w);
    w.takeDesign(twoPoints());
    w.showDesignProcessDialog();
    DesignProcessDialog* p = w.designProcessDialog();
    p->setKind(design::ProcessKind::Coil);
    p->from->setCurrentText("P2");
    p->flow->setText("2000");
    p->coilBy->setCurrentIndex(1);
    p->adp->setText("53.6");
    p->bf->setText("0.15");
    ASSERT_TRUE(p->confirm()) << (said.empty() ? "" : said.back().text);
    const design::Process& c = w.session().design().processes.at(0);
    EXPECT_NEAR(*c.adp, 12, 1e-9);
    EXPECT_NEAR(c.flows.at(0), 3398.022, 1e-9);

    const double xs = V_DBRH2AH(12, 100), hs = V_DBAH2EN(12, xs);
    const double x2 = V_DBRH2AH(26, 50), h2 = V_DBAH2EN(26, x2);
    const double x = xs + 0.15 * (x2 - xs), h = hs + 0.15 * (h2 - hs);
    const double DB = V_ENAH2DB(h, x);
    const double G = 3398.022 / V_DBAH2SV(26, x2);
    const double total = G * (h - h2), sensible = G * (V_DBAH2EN(DB, x2) - h2);
    EXPECT_NEAR(G * (x - x2) * 2.2046226, -13, 1);
    EXPECT_EQ(
        rowOf(panel->processes, 0),
        (QStringList{"コイル", "P2", "P3", "2000", f(G * 2.2046226, 1), f(total * 3.968321, 0),
                     f(sensible * 3.968321, 0), f((total - sensible) * 3.968321, 0),
                     f(sensible / total, 2), f(G * (x - x2) * 2.2046226, 2), "53.6", "0.15",
                     f(total * 3.968321 / 12000, 2)}));
    EXPECT_EQ(panel->points->item(2, 1)->text(), f(fahrenheit(DB), 1));
}

// A defining value typed over in °F: 68 °F = (68 − 32) / 1.8 = 20 °C; 14 °F = −10 °C.
TEST_F(Window, DesignPanelTakesTypedValuesInIP) {
    TFmIX& w = inIP(open());
    DesignPanel* panel = shownPanel(w);
    w.takeDesign(twoPoints());
    const auto type = [&](int row, int column, const char* text) {
        panel->points->item(row, column)->setText(text);
        QCoreApplication::sendPostedEvents(panel, QEvent::MetaCall);
    };
    EXPECT_EQ(panel->points->item(0, 1)->text(), "50.0");  // 10 °C
    // The cell reads as typed, to two decimals more than the column's 0.1 °F.
    struct Case {
        const char *typed, *shown;
        double celsius;
    };
    for (const Case& c :
         {Case{"68", "68.0", 20}, Case{"14", "14.0", -10}, Case{"50.45", "50.45", 10.25}}) {
        type(0, 1, c.typed);
        const design::Given db = w.session().design().points[0].first;
        EXPECT_EQ(db.kind, P::DB) << c.typed;
        EXPECT_NEAR(db.value, c.celsius, 1e-9) << c.typed;
        const QStringList row = rowOf(panel->points, 0);
        EXPECT_EQ(row[1], c.shown);
        EXPECT_EQ(row.mid(2), ipPointCells("P1", fahrenheit(c.celsius), 50).mid(2)) << c.typed;
    }
    // Refused: no number; the cell shows the value again, in °F.
    said.clear();
    type(0, 1, "abc");
    EXPECT_EQ(said.size(), 1u);
    EXPECT_EQ(panel->points->item(0, 1)->text(), "50.45");
}

// The copy and the CSV carry what the tables show, under the IP headers.
TEST_F(Window, DesignPanelCopiesAndWritesIP) {
    TFmIX& w = inIP(open());
    DesignPanel* panel = shownPanel(w);
    design::Design d = twoPoints();
    d.processes = {heating()};
    w.takeDesign(d);
    const QStringList head = headerOf(panel->processes), row = rowOf(panel->processes, 0);
    ASSERT_EQ(head.size(), 13);
    EXPECT_EQ(head[3], "風量 [cfm]");
    // 1000 m³/h ÷ 1.699011 = 588.58 cfm.
    EXPECT_EQ(row[3], "588.58");
    panel->copyRows(panel->processes);
    EXPECT_EQ(QApplication::clipboard()->mimeData()->text(),
              head.join('\t') + "\n" + row.join('\t') + "\n");
    EXPECT_EQ(panel->csvText(panel->processes), "\xEF\xBB\xBF" + head.join(',').toStdString() +
                                                    "\n" + row.join(',').toStdString() + "\n");
}

// The values the dialogs keep from their last use are written again when the chart's units
// change: 26 °C = 78.8 °F, 15 °C = 59 °F, 12 °C = 53.6 °F; RH and BF as they were. The
// captions name the units: cfm, °F, and the standard air 1.2 × 0.06242796 = 0.0749 lb/ft³.
TEST_F(Window, DesignDialogsKeepTheirValuesAcrossUnits) {
    TFmIX& w = open();
    w.takeDesign(twoPoints());
    w.showDesignPointDialog();
    DesignPointDialog* p = w.designPointDialog();
    EXPECT_EQ(p->firstValue->text(), "26");
    p->reject();
    w.showDesignProcessDialog();
    DesignProcessDialog* c = w.designProcessDialog();
    EXPECT_EQ(c->standardAir->text(), "標準空気（1.2 kg/m³）で風量を質量流量にする(&S)");
    c->flow->setText("1699.011");
    c->reject();

    inIP(w);
    w.showDesignPointDialog();
    EXPECT_EQ(p->firstValue->text(), "78.8");
    EXPECT_EQ(p->secondValue->text(), "50");
    p->reject();
    w.showDesignProcessDialog();
    c->setKind(design::ProcessKind::Coil);
    EXPECT_EQ(c->flow->text(), "1000");
    EXPECT_EQ(c->coilFirstValue->text(), "59");
    EXPECT_EQ(c->coilSecondValue->text(), "95");
    EXPECT_EQ(c->adp->text(), "53.6");
    EXPECT_EQ(c->bf->text(), "0.15");
    EXPECT_EQ(c->standardAir->text(), "標準空気（0.0749 lb/ft³）で風量を質量流量にする(&S)");
    const auto label = [&](QWidget* field) {
        for (QLabel* l : c->findChildren<QLabel*>())
            if (l->buddy() == field) return l->text();
        auto* form = qobject_cast<QFormLayout*>(field->parentWidget()->layout());
        if (form)
            if (auto* l = qobject_cast<QLabel*>(form->labelForField(field))) return l->text();
        return QString();
    };
    EXPECT_EQ(label(c->flow), "風量 [cfm](&F)：");
    EXPECT_EQ(label(c->adp), "ADP [°F]：");
    c->setKind(design::ProcessKind::Supply);
    EXPECT_EQ(label(c->supplySensible), "室内顕熱負荷 [Btu/h]：");
    c->reject();

    // Back again: as they were typed.
    Settings e = w.settings();
    e.units = UnitSystem::Engineering;
    ASSERT_TRUE(w.applySettings(e));
    w.showDesignPointDialog();
    EXPECT_EQ(p->firstValue->text(), "26");
    p->reject();
    w.showDesignProcessDialog();
    EXPECT_EQ(c->flow->text(), "1699.011");
    EXPECT_EQ(c->adp->text(), "12");
    EXPECT_EQ(label(c->flow), "風量 [m³/h](&F)：");
    EXPECT_EQ(label(c->adp), "ADP [°C]：");
}
