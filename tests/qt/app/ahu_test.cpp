// The air-handling unit designer in the window: its menu item, the defaults computed and drawn
// on the design layer, a rerun replacing the drawing as one step, a field that is no number
// refused by name, values typed in IP units, and the report's copy. Expected states are hand
// arithmetic on the typed values or the library's plain functions at 760 mmHg.
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QPrinter>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <algorithm>
#include <cstdio>

#include "app/ahu_dialog.h"
#include "app/ahu_report_window.h"
#include "app/coil_report_window.h"
#include "moistek/moistek.h"
#include "window_fixture.h"

using namespace humidraw;
using namespace humidraw::app;
using namespace humidraw::app::fixture;
using P = design::Property;

namespace {

const design::Point* pointNamed(const design::Design& d, const std::string& name) {
    const auto it = std::find_if(d.points.begin(), d.points.end(),
                                 [&](const design::Point& p) { return p.name == name; });
    return it == d.points.end() ? nullptr : &*it;
}

std::size_t countPrefixed(const design::Design& d, const char* prefix) {
    return std::count_if(d.points.begin(), d.points.end(),
                         [&](const design::Point& p) { return p.name.rfind(prefix, 0) == 0; });
}

AhuDialog& shownDialog(TFmIX& w) {
    w.action(Command::AhuDialog)->trigger();
    EXPECT_TRUE(w.ahuDialog() && w.ahuDialog()->isVisible());
    return *w.ahuDialog();
}

// What a command prints on its standard output; empty when it cannot be run.
std::string runText(const std::string& command) {
    std::string out;
    if (FILE* p = popen((command + " 2>/dev/null").c_str(), "r")) {
        char b[4096];
        for (size_t n; (n = fread(b, 1, sizeof b, p)) > 0;) out.append(b, n);
        pclose(p);
    }
    return out;
}

std::string lastSaid(const std::vector<Said>& said) {
    return said.empty() ? "" : said.back().text;
}

}  // namespace

// The defaults drawn: the total heat exchanger at εt = 0.6 leaves the outdoor side at
// 34 + 0.6 × (26 − 34) = 29.2 °C in summer and 0 + 0.6 × (22 − 0) = 13.2 °C in winter; the
// return air is the room, 26 °C / 50 % and 22 °C / 40 %.
TEST_F(Window, AhuDialogDrawsTheDefaultUnit) {
    TFmIX& w = open();
    QMenu* menu = w.findChild<QMenu*>("Draw2");
    ASSERT_TRUE(menu);
    QStringList items;
    for (QAction* a : menu->actions()) items << a->text();
    EXPECT_TRUE(items.contains("空調機設計(&U)...")) << items.join("|").toStdString();
    AhuDialog& dlg = shownDialog(w);
    EXPECT_EQ(dlg.summer.outdoor1Value->text(), "34");
    EXPECT_EQ(dlg.summer.outdoor2->currentData().toInt(), static_cast<int>(P::WB));
    EXPECT_EQ(dlg.winter.room2Value->text(), "40");
    EXPECT_EQ(dlg.summer.eh->text(), "0.6");
    EXPECT_EQ(dlg.summer.coilRH->text(), "95");
    dlg.drawButton->click();
    EXPECT_TRUE(said.empty()) << lastSaid(said);
    EXPECT_FALSE(dlg.isVisible());
    const design::Design& d = w.session().design();
    EXPECT_GT(countPrefixed(d, "S:"), 4u);
    EXPECT_GT(countPrefixed(d, "W:"), 4u);
    EXPECT_FALSE(d.processes.empty());
    struct Case {
        const char* name;
        double DB, x;
    };
    const double summerOutdoorX = V_DBWB2AH(34, 27);
    for (const Case& c : {Case{"S:OA", 34, summerOutdoorX}, Case{"S:RA", 26, V_DBRH2AH(26, 50)},
                          Case{"W:OA", 0, V_DBRH2AH(0, 40)}, Case{"W:RA", 22, V_DBRH2AH(22, 40)}}) {
        const design::Point* p = pointNamed(d, c.name);
        ASSERT_TRUE(p) << c.name;
        EXPECT_EQ(p->first.kind, P::DB) << c.name;
        EXPECT_NEAR(p->first.value, c.DB, 1e-6) << c.name;
        EXPECT_EQ(p->second.kind, P::X) << c.name;
        EXPECT_NEAR(p->second.value, c.x, 1e-5) << c.name;
    }
    for (const Case& c : {Case{"S:HX", 29.2, 0}, Case{"W:HX", 13.2, 0}}) {
        const design::Point* p = pointNamed(d, c.name);
        ASSERT_TRUE(p) << c.name;
        EXPECT_NEAR(p->first.value, c.DB, 1e-6) << c.name;
    }
    ASSERT_TRUE(dlg.report() && dlg.report()->isVisible());
    EXPECT_EQ(dlg.report()->tsv().find("注意"), std::string::npos) << dlg.report()->tsv();

    // A coil leaving at 12 °C dries the air past what the room needs: drawn, the warning in
    // the report and no prompt.
    shownDialog(w);
    dlg.summer.coilDB->setText("12");
    dlg.drawButton->click();
    EXPECT_TRUE(said.empty()) << lastSaid(said);
    EXPECT_FALSE(dlg.isVisible());
    const std::string& tsv = dlg.report()->tsv();
    const std::size_t warnings = tsv.find("\n注意\n");
    ASSERT_NE(warnings, std::string::npos) << tsv;
    EXPECT_NE(tsv.find("夏", warnings), std::string::npos) << tsv;
}

// 記入 again replaces the unit's drawing, leaving the user's own point; each run one step.
TEST_F(Window, AhuRerunReplacesTheDrawingAsOneStep) {
    TFmIX& w = open();
    design::Design mine;
    mine.points = {{"P1", {P::DB, 20}, {P::RH, 50}, {}}};
    w.takeDesign(mine);
    shownDialog(w).drawButton->click();
    const design::Design first = w.session().design();
    ASSERT_GT(first.points.size(), 10u);
    ASSERT_TRUE(pointNamed(first, "P1"));
    // Changed and drawn again by Enter in a field: as many points, the summer's room warmer.
    AhuDialog& dlg = shownDialog(w);
    dlg.summer.room1Value->setText("27");
    QTest::keyClick(dlg.summer.room1Value, Qt::Key_Return);
    EXPECT_FALSE(dlg.isVisible());
    const design::Design second = w.session().design();
    EXPECT_EQ(second.points.size(), first.points.size());
    EXPECT_EQ(second.processes.size(), first.processes.size());
    ASSERT_TRUE(pointNamed(second, "S:RA") && pointNamed(second, "P1"));
    EXPECT_NEAR(pointNamed(second, "S:RA")->first.value, 27, 1e-9);
    // Esc cancels: nothing drawn.
    shownDialog(w);
    QTest::keyClick(dlg.summer.sensible, Qt::Key_Escape);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(w.session().design(), second);
    w.Undo();
    EXPECT_EQ(w.session().design(), first);
    w.Undo();
    EXPECT_EQ(w.session().design(), mine);
}

// A field that is no number is told naming the season and the field; the dialog stays open
// with what was typed and nothing is drawn.
TEST_F(Window, AhuDialogRefusesATextThatIsNoNumber) {
    TFmIX& w = open();
    AhuDialog& dlg = shownDialog(w);
    struct Case {
        QLineEdit* edit;
        const char* text;
        const char* named;
    };
    for (const Case& c :
         {Case{dlg.summer.sensible, "abc", "夏期 顕熱負荷 [kcal/h]: 数値ではありません: 'abc'"},
          Case{dlg.winter.outdoor1Value, "1O", "冬期 乾球温度 DB [°C]: 数値ではありません: '1O'"},
          Case{dlg.winter.efficiency, "", "冬期 飽和効率 η: 数値ではありません: ''"}}) {
        said.clear();
        const QString kept = c.edit->text();
        c.edit->setText(c.text);
        EXPECT_FALSE(dlg.run(true)) << c.named;
        ASSERT_EQ(said.size(), 1u) << c.named;
        EXPECT_EQ(said[0].caption, "空調機設計");
        EXPECT_EQ(said[0].text, c.named);
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(c.edit->text(), c.text);
        EXPECT_TRUE(w.session().design().empty());
        c.edit->setText(kept);
    }
    // A state that cannot be: told with the reason, nothing drawn, the dialog open.
    said.clear();
    dlg.summer.room2Value->setText("150");
    EXPECT_FALSE(dlg.run(true));
    ASSERT_EQ(said.size(), 1u);
    EXPECT_FALSE(said[0].text.empty());
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_TRUE(w.session().design().empty());
    dlg.summer.room2Value->setText("50");
    // Neither season: told, nothing drawn.
    said.clear();
    dlg.summer.column->setChecked(false);
    dlg.winter.column->setChecked(false);
    EXPECT_FALSE(dlg.run(true));
    EXPECT_EQ(said.size(), 1u);
    EXPECT_TRUE(w.session().design().empty());
    // The summer only: its points and no winter's.
    dlg.summer.column->setChecked(true);
    EXPECT_TRUE(dlg.run(true)) << lastSaid(said);
    EXPECT_GT(countPrefixed(w.session().design(), "S:"), 0u);
    EXPECT_EQ(countPrefixed(w.session().design(), "W:"), 0u);
}

// On an IP chart the defaults are shown in °F and Btu/h: 26 °C = 26 × 1.8 + 32 = 78.8 °F,
// 25000 kcal/h × 3.968321 Btu/kcal = 99208.0 Btu/h; what is typed is kept in °C.
TEST_F(Window, AhuDialogInIP) {
    TFmIX& w = open();
    Settings ip = w.settings();
    ip.units = UnitSystem::IP;
    ASSERT_TRUE(w.applySettings(ip));
    AhuDialog& dlg = shownDialog(w);
    EXPECT_EQ(dlg.summer.room1Value->text(), "78.8");
    EXPECT_EQ(dlg.summer.room1->currentText(), "乾球温度 DB [°F]");
    EXPECT_NEAR(dlg.summer.sensible->text().toDouble(), 99208.0, 0.1);
    EXPECT_EQ(dlg.winter.outdoor1Value->text(), "32");
    dlg.summer.room1Value->setText("80.6");  // (80.6 − 32) / 1.8 = 27 °C
    dlg.drawButton->click();
    EXPECT_TRUE(said.empty()) << lastSaid(said);
    const design::Point* ra = pointNamed(w.session().design(), "S:RA");
    ASSERT_TRUE(ra);
    EXPECT_NEAR(ra->first.value, 27, 1e-9);
    const std::string& tsv = dlg.report()->tsv();
    EXPECT_NE(tsv.find("DB [°F]"), std::string::npos) << tsv;
    EXPECT_NE(tsv.find("[Btu/h]"), std::string::npos) << tsv;
    EXPECT_NE(tsv.find("全熱 [ton]"), std::string::npos) << tsv;
    EXPECT_NE(tsv.find("S:RA\t80.6\t"), std::string::npos) << tsv;
}

// The report copied as text and HTML, by its button and by Ctrl+C: both seasons' states, the
// summer's outdoor air at 34 °C DB and 27 °C WB, the room at 26 °C / 50 %.
TEST_F(Window, AhuReportCopiesTheStates) {
    TFmIX& w = open();
    AhuDialog& dlg = shownDialog(w);
    ASSERT_TRUE(dlg.run(false)) << lastSaid(said);
    EXPECT_TRUE(dlg.isVisible()) << "計算 keeps the dialog";
    EXPECT_TRUE(w.session().design().empty()) << "計算 draws nothing";
    AhuReportWindow* r = dlg.report();
    ASSERT_TRUE(r && r->isVisible());
    QApplication::clipboard()->clear();
    r->copyButton->click();
    const QMimeData* m = QApplication::clipboard()->mimeData();
    ASSERT_TRUE(m);
    const std::string text = m->text().toStdString();
    EXPECT_EQ(text, r->tsv());
    EXPECT_EQ(text.rfind("夏期\n状態\tDB [°C]\tWB [°C]\tDP [°C]\tRH [%]\tx [kg/kg(DA)]\t", 0), 0u)
        << text;
    EXPECT_NE(text.find("\nS:OA\t34.0\t27.0\t"), std::string::npos) << text;
    EXPECT_NE(text.find("\nS:RA\t26.0\t"), std::string::npos) << text;
    EXPECT_NE(text.find("\t50.0\t"), std::string::npos) << text;
    EXPECT_NE(text.find("\n冬期\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nW:OA\t0.0\t"), std::string::npos) << text;
    EXPECT_NE(text.find("冷却コイル\t"), std::string::npos) << text;
    EXPECT_NE(text.find("合計\t"), std::string::npos) << text;
    EXPECT_TRUE(m->html().contains("<table"));
    QApplication::clipboard()->clear();
    QTest::keyClick(r, Qt::Key_C, Qt::ControlModifier);
    ASSERT_TRUE(QApplication::clipboard()->mimeData());
    EXPECT_EQ(QApplication::clipboard()->mimeData()->text().toStdString(), r->tsv());
    QTest::keyClick(r, Qt::Key_Escape);
    EXPECT_FALSE(r->isVisible());
}

// Each choice's own fields read into the unit in engineering units, typed on an IP chart:
// 18 °F of difference = 18 / 1.8 = 10 K; 55.4 °F = (55.4 − 32) / 1.8 = 13 °C; 1 °F of rise
// = 0.5556 K; 59 °F = 15 °C; 5000 cfm = 5000 × 1.699011 = 8495.05 m³/h; percentages, factors
// and kW the same in every system.
TEST_F(Window, AhuDialogReadsEachChoiceInEngineeringUnits) {
    TFmIX& w = open();
    Settings ip = w.settings();
    ip.units = UnitSystem::IP;
    ASSERT_TRUE(w.applySettings(ip));
    AhuDialog& dlg = shownDialog(w);
    AhuSeasonFields& s = dlg.summer;
    s.outdoorBy->setCurrentIndex(1);
    s.outdoorFraction->setText("30");
    s.supplyBy->setCurrentIndex(1);
    s.supplyDifference->setText("18");
    s.recoveryKind->setCurrentIndex(0);
    s.et->setText("0.7");
    s.coilMode->setCurrentIndex(1);
    s.adp->setText("55.4");
    s.bf->setText("0.15");
    s.fanMode->setCurrentIndex(1);
    s.fanPower->setText("2.5");
    AhuSeasonFields& wi = dlg.winter;
    wi.supplyFlow->setText("5000");
    wi.preheat->setChecked(true);
    wi.preheatDB->setText("59");
    wi.humidifierKind->setCurrentIndex(1);
    wi.fanRise->setText("1");
    EXPECT_FALSE(s.outdoorFlow->isEnabled());
    EXPECT_TRUE(s.outdoorFraction->isEnabled());
    EXPECT_FALSE(s.coilDB->isEnabled());
    // The season and the part switched off and on again: still only the chosen fields.
    s.column->setChecked(false);
    s.coil->setChecked(false);
    EXPECT_FALSE(s.adp->isEnabled());
    s.column->setChecked(true);
    s.coil->setChecked(true);
    EXPECT_FALSE(s.outdoorFlow->isEnabled());
    EXPECT_FALSE(s.coilDB->isEnabled());
    EXPECT_TRUE(s.adp->isEnabled());
    const std::optional<ahu::Unit> u = dlg.unit();
    ASSERT_TRUE(u) << lastSaid(said);
    const ahu::Season& su = u->summer;
    EXPECT_EQ(su.outdoorBy, ahu::OutdoorBy::Fraction);
    EXPECT_DOUBLE_EQ(su.outdoorFraction, 0.3);
    EXPECT_EQ(su.supplyBy, ahu::SupplyBy::TemperatureDifference);
    EXPECT_NEAR(su.supplyDifference, 10, 1e-9);
    EXPECT_EQ(su.recovery.kind, ahu::RecoveryKind::Sensible);
    EXPECT_DOUBLE_EQ(su.recovery.temperatureEffectiveness, 0.7);
    EXPECT_EQ(su.coil.mode, ahu::CoilMode::AdpBf);
    EXPECT_NEAR(su.coil.adp, 13, 1e-9);
    EXPECT_DOUBLE_EQ(su.coil.bf, 0.15);
    EXPECT_EQ(su.fan.mode, ahu::FanMode::Power);
    EXPECT_DOUBLE_EQ(su.fan.powerKW, 2.5);
    EXPECT_NEAR(su.sensibleLoad, 25000, 0.01);  // shown in Btu/h, kept in kcal/h
    const ahu::Season& wn = u->winter;
    EXPECT_NEAR(wn.supplyFlow, 8495.05, 0.01);
    EXPECT_TRUE(wn.preheat.on);
    EXPECT_NEAR(wn.preheat.DB, 15, 1e-9);
    EXPECT_EQ(wn.humidifier.kind, ahu::HumidifierKind::Spray);
    EXPECT_NEAR(wn.fan.rise, 1 / 1.8, 1e-9);
    EXPECT_FALSE(wn.coil.on);
}

// The unit drawn is the document's: it reopens in the dialog as it was drawn (what was typed
// since and not drawn gives way to it), and its report prints on one page of a PDF that
// another program reads back.
TEST_F(Window, AhuUnitReopensAsDrawnAndItsReportPrints) {
    TFmIX& w = open();
    AhuDialog& dlg = shownDialog(w);
    dlg.summer.supplyFlow->setText("12000");
    dlg.drawButton->click();
    ASSERT_TRUE(w.session().unit().has_value());
    EXPECT_EQ(w.session().unit()->summer.supplyFlow, 12000);
    shownDialog(w);
    dlg.summer.supplyFlow->setText("9000");
    dlg.cancelButton->click();
    shownDialog(w);
    EXPECT_EQ(dlg.summer.supplyFlow->text(), "12000");
    const auto again = dlg.unit();
    ASSERT_TRUE(again.has_value());
    EXPECT_TRUE(*again == *w.session().unit()) << "every field shown as the unit holds it";
    ASSERT_TRUE(dlg.report());

    const std::string pdf = (QDir::tempPath() + "/ahu-report-" +
                             QString::number(QCoreApplication::applicationPid()) + ".pdf")
                                .toStdString();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf));
    ASSERT_TRUE(printReportHtml(printer, dlg.report()->html(), dlg.report()->view->font()));
    const std::string text = runText("pdftotext " + pdf + " -");
    std::remove(pdf.c_str());
    if (text.empty()) GTEST_SKIP() << "no pdftotext";
    EXPECT_NE(text.find("S:OA"), std::string::npos) << text;
    EXPECT_NE(text.find("W:RA"), std::string::npos) << text;
    dlg.cancelButton->click();
}
