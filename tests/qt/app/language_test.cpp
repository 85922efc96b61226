// The program in English: its menus, dialogs, prompts and messages from the translation file,
// nothing cut in either language, the language item of the options dialog, and the start-up
// choice of the language.
#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTranslator>
#include <cstdlib>

#include "app/about_box.h"
#include "app/coil_dialog.h"
#include "app/design_dialogs.h"
#include "app/command_dialogs.h"
#include "app/language_choice.h"
#include "app/prompts.h"
#include "window_fixture.h"

namespace humidraw::app {
namespace {

using fixture::Window;

// The window in English, as `humidraw --lang en` starts it.
class English : public Window {
  protected:
    void SetUp() override {
        Window::SetUp();
        ASSERT_TRUE(english.load(QStringLiteral(":/i18n/humidraw_en.qm")));
        QCoreApplication::installTranslator(&english);
        setLanguage(Language::English);
    }
    void TearDown() override {
        Window::TearDown();
        QCoreApplication::removeTranslator(&english);
        setLanguage(Language::Japanese);
    }
    QTranslator english;
};

// The width a control needs to show its whole text: labels, check boxes and radio buttons
// as their size hint says; a button's, a group's title and a selector's shown entry as the text
// is wide with the room the style leaves beside it.
int neededWidth(QWidget* c, QString& text) {
    const QFontMetrics m(c->font());
    if (auto* l = qobject_cast<QLabel*>(c)) {
        text = l->text();
        return l->sizeHint().width();
    }
    if (auto* b = qobject_cast<QPushButton*>(c)) {
        text = b->text();
        return m.horizontalAdvance(QString(text).remove('&')) + 6;
    }
    if (auto* b = qobject_cast<QAbstractButton*>(c)) {
        text = b->text();
        return b->sizeHint().width();
    }
    if (auto* g = qobject_cast<QGroupBox*>(c)) {
        text = g->title();
        return m.horizontalAdvance(text) + 8;
    }
    if (auto* k = qobject_cast<QComboBox*>(c)) {
        text = k->currentText();
        return m.horizontalAdvance(text) + 24;
    }
    return 0;
}

// The controls of `dialog` whose text does not fit them or that stand partly outside it.
std::vector<std::string> cutControls(QWidget* dialog) {
    std::vector<std::string> cut;
    for (QWidget* c : dialog->findChildren<QWidget*>()) {
        if (!c->isVisibleTo(dialog) || c->objectName() == "FontCB") continue;
        QString text;
        const int needed = neededWidth(c, text);
        if (needed == 0) continue;
        const QRect r(c->mapTo(dialog, QPoint(0, 0)), c->size());
        if (c->width() < needed || !dialog->rect().contains(r))
            cut.push_back(text.toStdString() + " (" + std::to_string(c->width()) + " < " +
                          std::to_string(needed) + ")");
    }
    if (dialog->width() < captionRoom(dialog->windowTitle(), dialog->font()))
        cut.push_back("caption " + dialog->windowTitle().toStdString());
    return cut;
}

// Opens every dialog of the window and collects what is cut.
std::vector<std::string> cutInEveryDialog(TFmIX& w) {
    w.show();
    w.M_TextG();
    w.editor().mouseDown(MouseButton::Left, false, 200, 200);  // the text dialog
    std::vector<std::string> all;
    const auto look = [&](QWidget* d) {
        d->show();
        QCoreApplication::processEvents();
        for (const std::string& c : cutControls(d))
            all.push_back(d->windowTitle().toStdString() + ": " + c);
        d->hide();
    };
    look(w.textDialog());
    w.M_Free();
    w.editor().mouseDown(MouseButton::Right, true, 200, 200);  // the point dialog
    look(w.pointDialog());
    for (QWidget* d : std::initializer_list<QWidget*>{w.lineDialog(), w.coilDialog(),
                                                      w.optionsDialog(), w.aboutBox()})
        look(d);
    w.showDesignPointDialog();
    look(w.designPointDialog());
    w.showDesignProcessDialog();
    for (int k = 0; k < design::kProcessKindCount; ++k) {
        w.designProcessDialog()->setKind(static_cast<design::ProcessKind>(k));
        look(w.designProcessDialog());
    }
    return all;
}

std::vector<std::string> menuCaptions(TFmIX& w) {
    std::vector<std::string> captions;
    for (QAction* a : w.menuBar()->actions()) captions.push_back(a->text().toStdString());
    return captions;
}

}  // namespace

TEST_F(English, MenusDialogsPromptsAndMessagesReadEnglish) {
    TFmIX& w = open();
    EXPECT_EQ(menuCaptions(w),
              (std::vector<std::string>{"&File", "&Edit", "&View", "&Draw", "&Automatic Drawing",
                                        "De&sign", "&Options", "&Measured Data", "&Help"}));
    EXPECT_EQ(w.findChild<QAction*>("Fsaveas")->text().toStdString(), "Save &As");
    EXPECT_EQ(w.findChild<QAction*>("ZoomIn")->toolTip().toStdString(), "Zoom In");
    EXPECT_EQ(w.optionsDialog()->windowTitle().toStdString(), "Humidraw Options");
    EXPECT_EQ(w.coilDialog()->windowTitle().toStdString(), "Humidraw Single Coil System");
    EXPECT_EQ(w.lineDialog()->windowTitle().toStdString(), "Humidraw State Change Line");
    EXPECT_EQ(w.textDialog()->windowTitle().toStdString(), "Humidraw Text");
    EXPECT_EQ(w.pointDialog()->windowTitle().toStdString(), "Humidraw Create Point");
    EXPECT_EQ(w.coilDialog()->Button2->text().toStdString(), "Cancel");
    EXPECT_EQ(w.lineDialog()->CB1->itemText(0).toStdString(), "Dry-bulb temperature DB [°C]");
    // A prompt from the editor and a message from the coil process, both without Qt.
    w.M_Free();
    EXPECT_EQ(w.statusPanel(1)->text().toStdString(),
              "Pick the start point ([SHIFT]+[right click] to type values):");
    w.coilDialog()->EOA->setText("-1");
    w.coilDialog()->Button1->click();
    ASSERT_FALSE(said.empty());
    EXPECT_EQ(said.back().text, "Cooling: The outdoor air volume (EOA) is negative");
    // The units switch keeps the English entry.
    w.coilDialog()->applyUnits(UnitSystem::SI);
    EXPECT_EQ(w.coilDialog()->CB1->itemText(3).toStdString(), "Specific enthalpy h [kJ/kg]");
}

TEST_F(English, NothingIsCutInEnglish) {
    const std::vector<std::string> cut = cutInEveryDialog(open());
    EXPECT_TRUE(cut.empty()) << testing::PrintToString(cut);
}

TEST_F(Window, NothingIsCutInJapanese) {
    const std::vector<std::string> cut = cutInEveryDialog(open());
    EXPECT_TRUE(cut.empty()) << testing::PrintToString(cut);
    EXPECT_EQ(menuCaptions(*window)[0], "ﾌｧｲﾙ(&F)");
}

TEST_F(Window, LanguageItemIsKeptAndTellsThatARestartSwitchesIt) {
    // The locale says Japanese; the program runs in Japanese.
    const char* saved = std::getenv("LC_ALL");
    const std::string before = saved ? saved : "";
    setenv("LC_ALL", "ja_JP.UTF-8", 1);
    TFmIX& w = open();
    TFOption* o = w.optionsDialog();
    o->show();
    EXPECT_EQ(o->LanguageCB->currentIndex(), 0);  // no key in the settings file: automatic
    EXPECT_EQ(o->LanguageCB->itemText(2).toStdString(), "English");
    o->LanguageCB->setCurrentIndex(2);
    o->apply();
    ASSERT_EQ(said.size(), 1u);
    EXPECT_NE(said[0].text.find("再起動"), std::string::npos) << said[0].text;
    o->apply();  // no change since: nothing more to tell
    EXPECT_EQ(said.size(), 1u);
    o->save();
    EXPECT_NE(iniText().find("Language=en"), std::string::npos) << iniText();
    // Back to the language running: automatic (Japanese here) or Japanese itself says nothing.
    const size_t told = said.size();
    o->LanguageCB->setCurrentIndex(0);
    o->apply();
    o->LanguageCB->setCurrentIndex(1);
    o->apply();
    EXPECT_EQ(said.size(), told);
    o->hide();
    saved ? setenv("LC_ALL", before.c_str(), 1) : unsetenv("LC_ALL");
}

TEST(LanguageChoice, CommandLineThenSettingsThenLocale) {
    const auto taken = [](QStringList args) {
        const auto a = takeLanguageArgument(args);
        return std::make_tuple(a ? *a : std::nullopt, a.ok(), args.join(' ').toStdString());
    };
    EXPECT_EQ(
        taken({"humidraw", "--lang", "en", "a.hdw"}),
        std::make_tuple(std::optional(Language::English), true, std::string("humidraw a.hdw")));
    EXPECT_EQ(taken({"humidraw", "--lang=ja"}),
              std::make_tuple(std::optional(Language::Japanese), true, std::string("humidraw")));
    EXPECT_EQ(taken({"humidraw"}),
              std::make_tuple(std::optional<Language>(), true, std::string("humidraw")));
    const struct {
        QStringList args;
        Failure refused;
    } refusals[] = {
        {{"humidraw", "--lang", "de"}, {Reason::Invalid, "--lang takes ja or en, not de"}},
        {{"humidraw", "--lang"}, {Reason::Invalid, "option --lang needs a value (ja or en)"}},
        {{"humidraw", "--lang=", "x"}, {Reason::Invalid, "--lang takes ja or en, not "}},
        // A later good value does not hide an earlier bad one.
        {{"humidraw", "--lang", "de", "--lang", "en"},
         {Reason::Invalid, "--lang takes ja or en, not de"}},
    };
    for (const auto& c : refusals) {
        QStringList args = c.args;
        EXPECT_EQ(takeLanguageArgument(args).failure(), c.refused) << c.args.join(' ').toStdString();
    }
    // The program's own name is never read as an option.
    EXPECT_EQ(std::get<2>(taken({"--lang", "x"})), "--lang x");

    EXPECT_EQ(startLanguage(Language::English, "ja"), Language::English);
    EXPECT_EQ(startLanguage(std::nullopt, "en"), Language::English);
    EXPECT_EQ(startLanguage(std::nullopt, "ja"), Language::Japanese);
    const char* saved = std::getenv("LC_ALL");
    const std::string before = saved ? saved : "";
    setenv("LC_ALL", "en_US.UTF-8", 1);
    EXPECT_EQ(startLanguage(std::nullopt, ""), Language::English);
    setenv("LC_ALL", "ja_JP.UTF-8", 1);
    EXPECT_EQ(startLanguage(std::nullopt, ""), Language::Japanese);
    saved ? setenv("LC_ALL", before.c_str(), 1) : unsetenv("LC_ALL");
}

}  // namespace humidraw::app
