// The coil report window headless: opened beside the dialog by 記入, updated by every run,
// copied as a table and printed on one page.
#include "app/coil_report_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QScreen>
#include <fstream>
#include <regex>
#include <sstream>

#include "app/coil_dialog.h"
#include "tests/app/window_fixture.h"

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
    EXPECT_EQ(report.topLeft(),
              placeBeside(dialog, report.size(), r->screen()->availableGeometry()));
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

TEST(CoilReportPlace, RightOfTheDialogElseLeftElseInside) {
    const QRect screen(0, 0, 1280, 1024);
    const QSize report(560, 660);
    // Dialog 0..434 × 100..507: right of it, 8 px apart, tops aligned.
    EXPECT_EQ(placeBeside(QRect(0, 100, 435, 408), report, screen), QPoint(443, 100));
    // Dialog 700..1134: 1143 + 560 > 1280, so left of it: 700 − 8 − 560 = 132.
    EXPECT_EQ(placeBeside(QRect(700, 100, 435, 408), report, screen), QPoint(132, 100));
    // Dialog 300..734 on a 1000 px screen: no side has 568 px; the right has 265, the left
    // 300: against the left edge; a top at 500 would leave the screen (1024 − 660 = 364).
    EXPECT_EQ(placeBeside(QRect(300, 500, 435, 408), report, QRect(0, 0, 1000, 1024)),
              QPoint(0, 364));
    // Dialog 200..634: the right has 365, the left 200: against the right edge, 1000 − 560.
    EXPECT_EQ(placeBeside(QRect(200, 100, 435, 408), report, QRect(0, 0, 1000, 1024)),
              QPoint(440, 100));
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
    si.si = true;
    ASSERT_TRUE(w.applySettings(si));
    w.A_Ahu1G();
    w.coilDialog()->Button1->click();
    ASSERT_NE(w.coilReport(), nullptr);
    const std::string tsv = w.coilReport()->tsv();
    EXPECT_FALSE(has(tsv, "kcal/h")) << tsv;
    // 113319.74 kcal/h / 860 (tests/coil/coil_report_test.cpp).
    EXPECT_TRUE(has(tsv, "冷却コイル 全熱負荷\t131.77\tkW\n")) << tsv;
}
