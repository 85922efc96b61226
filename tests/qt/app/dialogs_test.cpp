// The window's dialogs and view headless: messages over the dialog that raised them, the keys of
// every dialog, the options dialog's spin edits, the wheel, the marks of a running command
// after a repaint, and what a save takes from the view and the folder.
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <functional>

#include "app/about_box.h"
#include "app/coil_dialog.h"
#include "app/command_dialogs.h"
#include "app/options_dialog.h"
#include "app/paint_box.h"
#include "document/document_file.h"
#include "qt/app/window_fixture.h"

using namespace humidraw;
using namespace humidraw::app;
using namespace humidraw::app::fixture;

namespace {

// The window with Qt's own message boxes: the one test that looks at where they open.
class RealMessages : public Window {
  protected:
    TFmIX& openReal() {
        // A test of Fend asked the application to end, which stops every modal loop from then
        // on; a run of the main loop clears that.
        QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
        QCoreApplication::exec();
        window = std::make_unique<TFmIX>(ini, dir.string());
        window->show();
        QApplication::processEvents();
        return *window;
    }
    // Runs `act`, which opens a message box; `look` sees the box, which is then closed.
    void whileMessageShows(const std::function<void()>& act,
                           const std::function<void(QMessageBox*)>& look) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr) << "no message box";
            seen = true;
            look(box);
            box->done(QMessageBox::Ok);
        });
        act();
        EXPECT_TRUE(seen);
    }
};

QPoint centre(const QWidget* w) {
    return w->frameGeometry().center();
}

void press(QWidget* w, int key) {
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &down);
}

}  // namespace

TEST_F(RealMessages, OpenCentredOverTheDialogThatRaisedThem) {
    TFmIX& w = openReal();
    w.action("Options")->trigger();
    TFOption* o = w.optionsDialog();
    ASSERT_TRUE(o->isVisible());
    whileMessageShows([&] { o->save(); },
                      [&](QMessageBox* box) {
                          EXPECT_EQ(box->text().toStdString(), "設定を保存しました.");
                          EXPECT_EQ(box->parentWidget(), o) << "over the options dialog";
                          EXPECT_TRUE(box->windowFlags() & Qt::WindowStaysOnTopHint)
                              << "above a dialog that stays on top";
                          EXPECT_LE((centre(box) - centre(o)).manhattanLength(), 2);
                          EXPECT_GE(box->width(), captionRoom(box->windowTitle(), box->font()))
                              << "wide enough for its whole caption";
                      });
    o->CSdbmin->setValue(35);
    o->CSdbmax->setValue(30);
    whileMessageShows([&] { o->apply(); },
                      [&](QMessageBox* box) { EXPECT_EQ(box->parentWidget(), o); });
    EXPECT_TRUE(o->isVisible());
    EXPECT_EQ(o->CSdbmin->value(), 35) << "coming back from the message keeps what was typed";
    o->hide();
    // The coil dialog: a refused run.
    w.A_Ahu1G();
    TAhu1* coil = w.coilDialog();
    coil->CB2->setCurrentIndex(0);
    whileMessageShows([&] { coil->Button1->click(); },
                      [&](QMessageBox* box) {
                          EXPECT_EQ(box->parentWidget(), coil);
                          EXPECT_TRUE(coil->isVisible())
                              << "the dialog stays in view under its message";
                      });
    coil->hide();
    // The point dialog: the same property twice; the dialog is hidden after the message.
    w.M_Free();
    w.editor().mouseDown(MouseButton::Right, true, 200, 200);
    TID_Point* point = w.pointDialog();
    ASSERT_TRUE(point->isVisible());
    point->CB2->setCurrentIndex(0);
    whileMessageShows([&] { point->Button1->click(); },
                      [&](QMessageBox* box) {
                          EXPECT_EQ(box->parentWidget(), point);
                          EXPECT_EQ(box->text().toStdString(), "違う種類のデータを入力して下さい");
                      });
    EXPECT_FALSE(point->isVisible());
    point->CB2->setCurrentIndex(1);
    // The line dialog: a value that is no number.
    w.M_LineG();
    w.lineDialog()->X1->setText("2x6");
    whileMessageShows([&] { w.lineDialog()->Button1->click(); },
                      [&](QMessageBox* box) { EXPECT_EQ(box->parentWidget(), w.lineDialog()); });
    w.lineDialog()->hide();
    // Without a dialog, the main window.
    whileMessageShows([&] { w.ToClip(); },
                      [&](QMessageBox* box) { EXPECT_EQ(box->parentWidget(), &w); });
}

TEST_F(RealMessages, StandardButtonsAndDialogsReadJapanese) {
    ASSERT_TRUE(installQtJapanese()) << "Qt's translations (qt6-translations-l10n)";
    QMessageBox box(QMessageBox::Question, "Humidraw", "?",
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text().toStdString(), "キャンセル");
    EXPECT_TRUE(box.button(QMessageBox::Yes)->text().startsWith(QString::fromUtf8("はい")))
        << box.button(QMessageBox::Yes)->text().toStdString();
    const auto open = makeFileDialog(nullptr, "/tmp", "All (*)", false);
    const auto save = makeFileDialog(nullptr, "/tmp", "All (*)", true);
    EXPECT_EQ(open->windowTitle().toStdString(), "開く");
    EXPECT_EQ(save->windowTitle().toStdString(), "名前を付けて保存");
    EXPECT_EQ(open->labelText(QFileDialog::Reject).toStdString(), "キャンセル");
}

TEST_F(Window, EscapeClosesEveryDialogAndFreesTheWindow) {
    TFmIX& w = open();
    w.show();
    w.action("Options")->trigger();
    EXPECT_FALSE(w.menuBar()->isEnabled());
    press(w.optionsDialog()->CSdbmin, Qt::Key_Escape);
    EXPECT_FALSE(w.optionsDialog()->isVisible()) << "Esc: 閉じる";
    EXPECT_TRUE(w.menuBar()->isEnabled());
    w.action("Humidrawabout")->trigger();
    press(w.aboutBox(), Qt::Key_Escape);
    EXPECT_FALSE(w.aboutBox()->isVisible());
    w.action("Humidrawabout")->trigger();
    press(w.aboutBox(), Qt::Key_Return);
    EXPECT_FALSE(w.aboutBox()->isVisible()) << "Enter closes the about box too";
    w.M_TextG();
    press(w.textDialog()->EdTextData, Qt::Key_Escape);
    EXPECT_FALSE(w.textDialog()->isVisible());
    EXPECT_FALSE(w.editor().placingText()) << "nothing to place";
    w.A_Ahu1G();
    press(w.coilDialog()->CB1, Qt::Key_Escape);
    EXPECT_FALSE(w.coilDialog()->isVisible());
    w.M_LineG();
    press(w.lineDialog()->X10, Qt::Key_Escape);
    EXPECT_FALSE(w.lineDialog()->isVisible());
    // The point dialog as ｷｬﾝｾﾙ: the segment waits for its start again.
    w.M_Free();
    w.editor().mouseDown(MouseButton::Right, true, 200, 200);
    EXPECT_EQ(w.editor().segmentState(), 4);
    press(w.pointDialog()->X1, Qt::Key_Escape);
    EXPECT_FALSE(w.pointDialog()->isVisible());
    EXPECT_EQ(w.editor().segmentState(), 2);
    EXPECT_TRUE(w.menuBar()->isEnabled());
    EXPECT_EQ(w.documentObjects().count(), 0);
}

TEST_F(Window, EnterConfirmsFromAnyControl) {
    TFmIX& w = open();
    w.show();
    TMk_Line* d = w.lineDialog();
    d->X10->setText("14");
    d->X20->setText("95");
    int count = 0;
    const auto drawn = [&] {  // objects appended since the last look
        const int before = count;
        count = w.documentObjects().count();
        return count - before;
    };
    w.M_LineG();
    press(d->CB1, Qt::Key_Return);  // the first selector
    EXPECT_EQ(drawn(), 1) << "the line was drawn";
    EXPECT_FALSE(d->isVisible());
    w.M_LineG();
    press(d->HB1, Qt::Key_Enter);  // a check box, keypad Enter
    EXPECT_EQ(drawn(), 1);
    w.M_LineG();
    press(d->X1, Qt::Key_Return);  // a field: once, not twice
    EXPECT_EQ(drawn(), 1);
    // Enter on a focused button presses that button.
    w.M_LineG();
    d->Button2->setFocus();
    press(d->Button2, Qt::Key_Return);
    EXPECT_EQ(drawn(), 0) << "ｷｬﾝｾﾙ, not O K";
    EXPECT_FALSE(d->isVisible());
    // The coil dialog from a selector, the text dialog from its field.
    w.A_Ahu1G();
    press(w.coilDialog()->HCB10, Qt::Key_Return);
    EXPECT_EQ(drawn(), 29);
    w.M_TextG();
    w.textDialog()->EdTextData->setText("OA");
    press(w.textDialog()->EdTextData, Qt::Key_Return);
    EXPECT_TRUE(w.editor().placingText());
}

TEST_F(Window, OptionsSpinEditsTakeTheNearestBoundAndSaveWhatTheyShow) {
    TFmIX& w = open();
    w.show();
    w.action("Options")->trigger();
    TFOption* o = w.optionsDialog();
    o->activateWindow();
    o->CSdbmin->setFocus();
    o->CSdbmin->selectAll();
    QTest::keyClicks(o->CSdbmin, "-30");
    EXPECT_EQ(o->CSdbmin->text().toStdString(), "-30") << "no key is dropped";
    QTest::keyClick(o->CSdbmin, Qt::Key_Return);
    EXPECT_EQ(o->CSdbmin->value(), -20) << "the nearest bound";
    EXPECT_EQ(o->focusWidget(), o->CSdbmax) << "Enter moves to the next control";
    o->CSdbmax->selectAll();
    QTest::keyClicks(o->CSdbmax, "100");
    EXPECT_EQ(o->CSdbmax->text().toStdString(), "100");
    QTest::keyClick(o->CSdbmax, Qt::Key_Return);
    EXPECT_EQ(o->CSdbmax->value(), 80);
    // Typed, not yet confirmed, then a late activation: Save takes what the dialog shows.
    o->CSdbmax->setFocus();
    o->CSdbmax->selectAll();
    QTest::keyClicks(o->CSdbmax, "41");
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(o, &activate);
    EXPECT_EQ(o->CSdbmax->text().toStdString(), "41");
    o->save();
    EXPECT_EQ(w.settings().dbMin, -20);
    EXPECT_EQ(w.settings().dbMax, 41);
    EXPECT_NE(iniText().find("CSdbmax=41"), std::string::npos) << iniText();
    o->CSdbmax->selectAll();
    QTest::keyClicks(o->CSdbmax, "38");
    o->apply();
    EXPECT_EQ(w.settings().dbMax, 38) << "Apply too";
    // A text that is no number reads as the lower bound.
    o->CSdbmin->selectAll();
    QTest::keyClicks(o->CSdbmin, "-");
    o->apply();
    EXPECT_EQ(o->CSdbmin->value(), -20);
    o->hide();
}

namespace {
// Replaces the field's text as typed keys would, without confirming it.
void typeInto(QAbstractSpinBox* field, const char* text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
}
}  // namespace

TEST_F(Window, OptionsPressureFromTheAltitudeOrTypedInEitherUnit) {
    TFmIX& w = open();
    w.show();
    w.action("Options")->trigger();
    TFOption* o = w.optionsDialog();
    o->activateWindow();
    const auto label = [&] {
        for (const QLabel* l : o->findChildren<QLabel*>())
            if (l->buddy() == o->CSpa) return l->text().toStdString();
        return std::string("no label");
    };
    EXPECT_TRUE(o->CSpa->isEnabled());
    EXPECT_EQ(o->CSpa->text().toStdString(), "760");
    EXPECT_EQ(o->CSalt->text().toStdString(), "—") << "no altitude in a new settings file";
    EXPECT_EQ(label(), "大気圧(mmHg)：");
    // 1600 m: 101.325 × (1 − 2.25577e−5 × 1600)^5.2559 = 101.325 × 0.96390768^5.2559
    // = 101.325 × 0.824311 = 83.523 kPa; × 7.50062 = 626.48 → 626 mmHg.
    typeInto(o->CSalt, "1600");
    QTest::keyClick(o->CSalt, Qt::Key_Return);
    EXPECT_EQ(o->CSpa->text().toStdString(), "626");
    EXPECT_EQ(o->focusWidget(), o->CSdbmin) << "Enter moves on; the rows are the tab order";
    o->save();
    EXPECT_EQ(w.settings().pressureMmHg, 626);
    EXPECT_EQ(w.settings().altitudeM, 1600);
    EXPECT_NE(iniText().find("CSpa=626\r\nCSalt=1600\r\n"), std::string::npos) << iniText();
    // SI: 626 / 7.50062 = 83.45977 kPa; the record keeps mmHg, and back it is 626 again.
    o->siItem->setChecked(true);
    EXPECT_EQ(label(), "大気圧(kPa)：");
    EXPECT_EQ(o->CSpa->text().toStdString(), "83.460");
    EXPECT_EQ(o->CSalt->text().toStdString(), "1600") << "converting is not typing";
    o->apply();
    EXPECT_EQ(w.settings().pressureMmHg, 626);
    EXPECT_TRUE(w.settings().isSI());
    o->traditionalItem->setChecked(true);
    EXPECT_EQ(o->CSpa->text().toStdString(), "626");
    // A pressure typed by hand: the altitude goes at the first key.
    typeInto(o->CSpa, "7");
    EXPECT_EQ(o->CSalt->text().toStdString(), "—");
    QTest::keyClicks(o->CSpa, "00");
    o->save();
    EXPECT_EQ(w.settings().pressureMmHg, 700);
    EXPECT_EQ(w.settings().altitudeM, std::nullopt);
    EXPECT_NE(iniText().find("CSpa=700\r\nCSalt=\r\n"), std::string::npos) << iniText();
    // In kPa, a comma for the point too; held as the nearest whole mmHg and shown as that
    // once confirmed: 90 × 7.50062 = 675.06 → 675; 675 / 7.50062 = 89.9926.
    o->siItem->setChecked(true);
    EXPECT_EQ(o->CSpa->text().toStdString(), "93.326") << "700 / 7.50062 = 93.32562";
    typeInto(o->CSpa, "90,0");
    QTest::keyClick(o->CSpa, Qt::Key_Return);
    EXPECT_EQ(o->CSpa->text().toStdString(), "89.993");
    o->apply();
    EXPECT_EQ(w.settings().pressureMmHg, 675);
    // A step in kPa is one mmHg: 676 / 7.50062 = 90.1259.
    o->CSpa->stepBy(1);
    EXPECT_EQ(o->CSpa->text().toStdString(), "90.126");
    o->apply();
    EXPECT_EQ(w.settings().pressureMmHg, 676);
    o->hide();
}

// IP units in the options dialog: the range in whole °F (the default ranges taken for one
// another, others converted), the pressure in psia, both kept in the settings file.
TEST_F(Window, OptionsInIpUnits) {
    TFmIX& w = open();
    w.show();
    w.action("Options")->trigger();
    TFOption* o = w.optionsDialog();
    o->activateWindow();
    EXPECT_EQ(o->CSdbmin->value(), -5);
    o->ipItem->setChecked(true);
    // The default −5 … 45 °C becomes the IP default 25 … 115 °F; 760 × 0.0193368 = 14.696 psia.
    EXPECT_EQ(o->CSdbmin->value(), 25);
    EXPECT_EQ(o->CSdbmax->value(), 115);
    EXPECT_EQ(o->CSpa->text().toStdString(), "14.696");
    // The bounds are the °C ones converted: −20 … 60 °C is −4 … 140 °F, 30 … 80 °C 86 … 176 °F.
    EXPECT_EQ(o->CSdbmin->minimum(), -4);
    EXPECT_EQ(o->CSdbmin->maximum(), 140);
    EXPECT_EQ(o->CSdbmax->minimum(), 86);
    EXPECT_EQ(o->CSdbmax->maximum(), 176);
    typeInto(o->CSdbmin, "32");
    typeInto(o->CSdbmax, "104");
    // 12 psia: 12 / 0.0193368 = 620.58 → 621 mmHg, shown back as 621 × 0.0193368 = 12.008.
    typeInto(o->CSpa, "12");
    QTest::keyClick(o->CSpa, Qt::Key_Return);
    EXPECT_EQ(o->CSpa->text().toStdString(), "12.008");
    o->save();
    const Settings& s = w.settings();
    EXPECT_EQ(s.units, UnitSystem::IP);
    EXPECT_NEAR(s.dbMin, 0, 1e-12);   // 32 °F
    EXPECT_NEAR(s.dbMax, 40, 1e-12);  // 104 °F
    EXPECT_EQ(s.pressureMmHg, 621);
    for (const char* key : {"CSdbminF=32\r\n", "CSdbmaxF=104\r\n", "Units=ip\r\n", "CSpa=621\r\n"})
        EXPECT_NE(iniText().find(key), std::string::npos) << key << iniText();
    // Back to the °C scale: 32 … 104 °F is 0 … 40 °C.
    o->traditionalItem->setChecked(true);
    EXPECT_EQ(o->CSdbmin->value(), 0);
    EXPECT_EQ(o->CSdbmax->value(), 40);
    EXPECT_EQ(o->CSpa->text().toStdString(), "621");
    o->hide();
}

TEST_F(Window, OptionsPressureAndAltitudeTakeTheNearestBound) {
    TFmIX& w = open();
    w.show();
    w.action("Options")->trigger();
    TFOption* o = w.optionsDialog();
    o->activateWindow();
    struct Case {
        bool si;
        QAbstractSpinBox* field;
        const char* typed;
        const char* pressure;  // the pressure field after Enter
        const char* altitude;  // the altitude field after Enter
        double held;           // mmHg applied
    };
    // 800 / 7.50062 = 106.65785 and 400 / 7.50062 = 53.32892 kPa, shown to three decimals.
    // 5000 m: 101.325 × (1 − 0.1127885)^5.2559 = 101.325 × 0.533133 = 54.020 kPa = 405.18 mmHg,
    // held as 405.
    // −400 m: 101.325 × 1.00902308^5.2559 = 101.325 × 1.048344 = 106.223 kPa = 796.74 mmHg.
    const Case cases[] = {
        {false, o->CSpa, "900", "800", "—", 800},
        {false, o->CSpa, "12", "400", "—", 400},
        {true, o->CSpa, "120", "106.658", "—", 800},
        {true, o->CSpa, "20.5", "53.329", "—", 400},
        {false, o->CSalt, "9000", "405", "5000", 405},
        {true, o->CSalt, "9000", "53.996", "5000", 405},  // 405 / 7.50062 = 53.9955
        {false, o->CSalt, "-999", "797", "-400", 797},
        // An emptied altitude is none, and the pressure stays as the last altitude left it.
        {false, o->CSalt, "", "797", "—", 797},
    };
    for (const Case& c : cases) {
        (c.si ? o->siItem : o->traditionalItem)->setChecked(true);
        typeInto(c.field, c.typed);
        if (!*c.typed) QTest::keyClick(c.field, Qt::Key_Delete);
        EXPECT_EQ(c.field->text().toStdString(), c.typed) << "no key is dropped";
        QTest::keyClick(c.field, Qt::Key_Return);
        EXPECT_EQ(o->CSpa->text().toStdString(), c.pressure) << c.typed;
        EXPECT_EQ(o->CSalt->text().toStdString(), c.altitude) << c.typed;
        o->apply();
        EXPECT_EQ(w.settings().pressureMmHg, c.held) << c.typed;
    }
    EXPECT_TRUE(said.empty()) << "every bound is a chart";
    // A record from a damaged document: the pressure as the field shows it, and an altitude
    // that does not give it left out.
    Settings odd = w.settings();
    odd.pressureMmHg = 5000;
    odd.altitudeM = 1600;
    o->toControls(odd);
    EXPECT_EQ(o->CSpa->text().toStdString(), "800");
    EXPECT_EQ(o->CSalt->text().toStdString(), "—");
    const Settings taken = o->fromControls(odd);
    EXPECT_EQ(taken.pressureMmHg, 800);
    EXPECT_EQ(taken.altitudeM, std::nullopt);
    o->hide();
}

TEST_F(Window, WheelZoomsAtThePointerWhateverTheScrollBars) {
    TFmIX& w = open();
    w.show();
    QApplication::processEvents();
    w.ZoomAll();
    w.ZoomIn();
    w.ZoomIn();
    QScrollBar* bar = w.scrollBox()->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0) << "the chart has scroll bars now";
    bar->setValue(bar->maximum() / 2);
    const double zoom = w.view().zoom;
    const QPoint at(200, 150);  // in the paint box
    QWheelEvent turn(QPointF(at), QPointF(w.paintBox()->mapToGlobal(at)), QPoint(), QPoint(0, 120),
                     Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w.scrollBox()->viewport(), &turn);
    EXPECT_TRUE(turn.isAccepted());
    EXPECT_DOUBLE_EQ(w.view().zoom, zoom * 1.2) << "one zoom step in";
    EXPECT_FALSE(w.editor().zoomMode());
    QWheelEvent back(QPointF(at), QPointF(w.paintBox()->mapToGlobal(at)), QPoint(), QPoint(0, -120),
                     Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w.scrollBox()->viewport(), &back);
    EXPECT_DOUBLE_EQ(w.view().zoom, zoom * 1.2 / 1.1) << "one zoom step out";
}

TEST_F(Window, SegmentStartStaysMarkedThroughAZoom) {
    TFmIX& w = open();
    w.show();
    QApplication::processEvents();
    w.ZoomAll();
    w.M_Free();
    Editor& e = w.editor();
    e.mouseMove(false, false, 300, 200);
    e.mouseDown(MouseButton::Left, false, 300, 200);
    const CurrentState start = w.currentState();
    e.mouseMove(false, false, 360, 260);
    w.ZoomIn();
    ASSERT_EQ(e.segmentState(), 1);
    // The circle around the start's new pixel, in the segment colour (black lines and grey
    // chart aside).
    const ChartPoint p = stateToScreen(w.frame(), w.screen(), start.h, start.x);
    const Colour c = paletteColour(w.attributes().colour);
    const QRgb pen = qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    const int r = static_cast<int>(-0.3 * w.frame().k2 * w.view().zoom) + 3;
    int marked = 0;
    for (int y = static_cast<int>(p.y) - r; y <= static_cast<int>(p.y) + r; ++y)
        for (int x = static_cast<int>(p.x) - r; x <= static_cast<int>(p.x) + r; ++x)
            marked += w.picture().pixel(x, y) == pen;
    EXPECT_GT(marked, 10) << "the start circle after the zoom's repaint";
    // Ending the command removes it.
    e.escapeKey();
    marked = 0;
    for (int y = static_cast<int>(p.y) - r; y <= static_cast<int>(p.y) + r; ++y)
        for (int x = static_cast<int>(p.x) - r; x <= static_cast<int>(p.x) + r; ++x)
            marked += w.picture().pixel(x, y) == pen;
    EXPECT_EQ(marked, 0);
}

TEST_F(Window, SaveTakesTheScrollBarsAndKeepsTheLastGoodFolder) {
    TFmIX& w = open();
    w.show();
    QApplication::processEvents();
    w.ZoomAll();
    for (int i = 0; i < 3; ++i) w.ZoomIn();
    // Scrolled by the bars after the last zoom step.
    w.scrollBox()->horizontalScrollBar()->setValue(123);
    w.scrollBox()->verticalScrollBar()->setValue(45);
    script.files = {(dir / "view").string()};
    ASSERT_TRUE(w.Fsaveas());
    const DocumentRead doc = readDocumentFile((dir / "view.hdw").string());
    ASSERT_TRUE(doc.status && doc.contents.header);
    EXPECT_EQ(doc.contents.header->horzScroll, 123);
    EXPECT_EQ(doc.contents.header->vertScroll, 45);
    EXPECT_EQ(w.settings().currentDir, dir.string());
    // A save into a folder that cannot be written keeps the folder that worked.
    script.files = {"/proc/plan.hdw"};
    EXPECT_FALSE(w.Fsaveas());
    EXPECT_EQ(w.settings().currentDir, dir.string());
    script.files = {(dir / "gone" / "plan.hdw").string()};
    EXPECT_FALSE(w.Fsaveas());
    EXPECT_EQ(w.settings().currentDir, dir.string());
}

TEST_F(Window, FileDialogsOpenInTheGivenFolderWithoutQtsHistory) {
    // Qt's own record of visited folders, kept in a scratch settings folder: a dialog that
    // was in `elsewhere` records it when it closes.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(dir));
    const fs::path elsewhere = dir / "elsewhere";
    fs::create_directories(elsewhere);
    {
        QFileDialog visited(nullptr, QString(), QString::fromStdString(elsewhere.string()));
        visited.setOption(QFileDialog::DontUseNativeDialog);
        visited.show();
        QApplication::processEvents();
        static_cast<QDialog&>(visited).reject();
    }
    for (bool save : {false, true}) {
        const auto d = makeFileDialog(nullptr, dir.string(), "All (*)", save);
        const QStringList history = d->history();
        EXPECT_FALSE(history.contains(QString::fromStdString(elsewhere.string())))
            << history.join(",").toStdString();
        EXPECT_EQ(d->directory().absolutePath().toStdString(), dir.string());
        EXPECT_EQ(d->acceptMode(), save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    }
    const auto d = makeFileDialog(nullptr, (dir / "gone").string(), "All (*)", false);
    EXPECT_EQ(d->directory().absolutePath(), QDir::homePath()) << "not a remembered folder";
}

TEST_F(Window, SmallDialogsShowTheirWholeCaption) {
    TFmIX& w = open();
    w.show();
    w.M_TextG();
    w.M_Free();
    w.editor().mouseDown(MouseButton::Right, true, 200, 200);
    for (QWidget* d : std::initializer_list<QWidget*>{w.pointDialog(), w.textDialog()}) {
        EXPECT_GE(d->width(), captionRoom(d->windowTitle(), d->font()))
            << d->windowTitle().toStdString();
        const Qt::WindowFlags f = d->windowFlags();
        EXPECT_EQ(f & Qt::WindowType_Mask, Qt::Tool) << "a tool window";
        EXPECT_FALSE(f & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
        EXPECT_TRUE(f & Qt::CustomizeWindowHint) << "only the buttons asked for";
        EXPECT_EQ(d->minimumSize(), d->maximumSize()) << "fixed: nothing to maximise";
    }
    w.pointDialog()->hide();
    w.textDialog()->hide();
}
