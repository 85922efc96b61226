// The coil report window headless: opened beside the dialog by 記入, updated by every run,
// copied as a table and printed on one page.
#include "app/coil_report_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QScreen>
#include <QTest>
#include <fstream>
#include <regex>
#include <sstream>

#include "app/coil_dialog.h"
#include "qt/app/window_fixture.h"

using namespace humidraw;
using namespace humidraw::app;
using namespace humidraw::app::fixture;

namespace {

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Page objects of a PDF ("/Type /Page", not the "/Type /Pages" tree).
int pdfPages(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    const std::string bytes = s.str();
    const std::regex page("/Type\\s*/Page[^s]");
    return static_cast<int>(
        std::distance(std::sregex_iterator(bytes.begin(), bytes.end(), page), {}));
}

}  // namespace

TEST_F(Window, CoilReportOpensBesideTheDialogAndFollowsEveryRun) {
    TFmIX& w = open();
    EXPECT_EQ(w.coilReport(), nullptr) << "no report before a run";
    w.A_Ahu1G();
    TAhu1* d = w.coilDialog();
    const QRect dialog = d->frameGeometry();
    d->Button1->click();
    CoilReportWindow* r = w.coilReport();
    ASSERT_NE(r, nullptr);
    EXPECT_TRUE(r->isVisible());
    EXPECT_FALSE(r->isModal());
    // Where the offscreen screen has room for it (on a desktop: tests/gui/coil_report.sh).
    const QRect report = r->frameGeometry();
    const QSize margins = report.size() - r->size();
    EXPECT_EQ(report, placeBeside(dialog, QSize(560, r->height()) + margins,
                                  r->screen()->availableGeometry(),
                                  std::max(360, r->minimumSizeHint().width()) + margins.width()));
    // The defaults' cooling coil, worked by hand in tests/coil/coil_report_test.cpp.
    EXPECT_TRUE(has(r->tsv(), "冷却コイル 全熱負荷\t111154\tkcal/h\t129.25\tkW\n")) << r->tsv();
    EXPECT_TRUE(has(r->view->toPlainText().toStdString(), "冷却コイル 全熱負荷"));

    // A second run with half the winter load: the same window, where the user left it, with
    // the new figures (room load 25000 kcal/h = 29.07 kW).
    r->move(report.topLeft() + QPoint(30, 40));
    const QPoint moved = r->pos();
    w.A_Ahu1G();
    d->HEQS->setText("25000");
    d->Button1->click();
    EXPECT_EQ(w.coilReport(), r);
    EXPECT_EQ(r->pos(), moved);
    EXPECT_TRUE(has(r->tsv(),
                    "\n暖房時\n給気風量\t17400\tm³/h\t20880\tkg/h\n導入外気量\t5000\t"
                    "m³/h\t6000\tkg/h\n室内顕熱負荷\t25000\tkcal/h\t29.07\tkW\n"))
        << r->tsv();

    // A refused run leaves the last report as it was.
    const std::string before = r->tsv();
    w.A_Ahu1G();
    d->CB2->setCurrentIndex(0);
    d->Button1->click();
    EXPECT_EQ(r->tsv(), before);
}

TEST(CoilReportPlace, RightOfTheDialogElseLeftElseNarrowedBesideElseInside) {
    const QRect screen(0, 0, 1280, 1024);
    const QSize report(560, 660);
    struct Case {
        QRect dialog, area;
        QRect expected;
    } cases[] = {
        // Dialog 0..434 × 100..507: right of it, 8 px apart, tops aligned.
        {QRect(0, 100, 435, 408), screen, QRect(443, 100, 560, 660)},
        // Dialog 700..1134: 1143 + 560 > 1280, so left of it: 700 − 8 − 560 = 132.
        {QRect(700, 100, 435, 408), screen, QRect(132, 100, 560, 660)},
        // Dialog 423..857, centred on the 1280 px screen: the right has 1280 − 866 = 414, the
        // left 423 − 8 = 415: narrowed to 415 against the left edge, its right 8 px before the
        // dialog.
        {QRect(423, 100, 435, 408), screen, QRect(0, 100, 415, 660)},
        // Dialog 400..834: the right has 1280 − 843 = 437 against the left's 392: right of it.
        {QRect(400, 100, 435, 408), screen, QRect(843, 100, 437, 660)},
        // Dialog 300..734 on a 1000 px screen: the right has 257, the left 292, both under
        // 360: against the left edge at full width; a top at 500 would leave the screen
        // (1024 − 660 = 364).
        {QRect(300, 500, 435, 408), QRect(0, 0, 1000, 1024), QRect(0, 364, 560, 660)},
        // Dialog 200..634: the right has 357, the left 192: against the right edge, 1000 − 560.
        {QRect(200, 100, 435, 408), QRect(0, 0, 1000, 1024), QRect(440, 100, 560, 660)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(placeBeside(c.dialog, report, c.area, 360), c.expected) << c.dialog.x();
}

TEST_F(Window, CoilReportClosesWithEscape) {
    TFmIX& w = open();
    w.show();
    w.A_Ahu1G();
    w.coilDialog()->Button1->click();
    CoilReportWindow* r = w.coilReport();
    ASSERT_NE(r, nullptr);
    r->activateWindow();
    QApplication::processEvents();
    ASSERT_TRUE(r->isVisible());
    QTest::keyClick(r->view, Qt::Key_Escape);
    EXPECT_FALSE(r->isVisible()) << "Esc closes the report as 閉じる does";
    EXPECT_TRUE(w.isVisible());
}

TEST_F(Window, CoilReportCopiesTabsAndHtmlAndPrintsOnePage) {
    TFmIX& w = open();
    w.A_Ahu1G();
    w.coilDialog()->Button1->click();
    CoilReportWindow* r = w.coilReport();
    ASSERT_NE(r, nullptr);
    QApplication::clipboard()->clear();
    r->copyButton->click();
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->text().toStdString(), r->tsv());
    EXPECT_TRUE(has(data->text().toStdString(), "C:OA\t34.0\t60.0\t27.3\t20.56\t0.0203\n"));
    ASSERT_TRUE(data->hasHtml());
    EXPECT_TRUE(has(data->html().toStdString(), "<td>冷却コイル 全熱負荷</td>"));

    const std::string pdf = (dir / "report.pdf").string();
    script.printTo = pdf;
    script.orientation = QPageLayout::Portrait;
    r->printButton->click();
    EXPECT_EQ(pdfPages(pdf), 1);
    // Cancelled: nothing printed, nothing said.
    script.printTo.clear();
    const size_t told = said.size();
    r->printButton->click();
    EXPECT_EQ(said.size(), told);
}

TEST_F(Window, CoilReportInSiUnitsHasKilowattsOnly) {
    TFmIX& w = open();
    Settings si = w.settings();
    si.units = UnitSystem::SI;
    ASSERT_TRUE(w.applySettings(si));
    w.A_Ahu1G();
    w.coilDialog()->Button1->click();
    ASSERT_NE(w.coilReport(), nullptr);
    const std::string tsv = w.coilReport()->tsv();
    EXPECT_FALSE(has(tsv, "kcal/h")) << tsv;
    // 113319.74 kcal/h / 860 (tests/coil/coil_report_test.cpp).
    EXPECT_TRUE(has(tsv, "冷却コイル 全熱負荷\t131.77\tkW\n")) << tsv;
}
