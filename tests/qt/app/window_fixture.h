#pragma once
// The main window with scripted answers to its questions, in a scratch folder of its own.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QPrinter>
#include <deque>
#include <functional>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/command_dialogs.h"
#include "app/main_window.h"

namespace humidraw::app::fixture {

namespace fs = std::filesystem;

struct Said {
    std::string caption, text;
};

// Scripted answers: questions take the next answer (No when none is left), file dialogs the
// next path (cancelled when none is left).
struct Script {
    std::vector<Said> said;
    std::deque<Answer> answers;
    std::deque<std::string> files;
    std::vector<std::string> folders;  // where each file dialog opened
    std::string printTo;  // empty: the print dialog is cancelled
    // What the user picks in the print dialog; none: what the dialog proposed.
    std::optional<QPageLayout::Orientation> orientation = QPageLayout::Landscape;
    std::optional<QPageLayout::Orientation> proposed;  // what the print dialog was offered
    std::function<void(const Said&)> onTell;  // looks at the program while a message shows
};

class ScriptedPrompts : public UserPrompts {
  public:
    explicit ScriptedPrompts(Script& s) : s_(s) {}
    void tell(const std::string& caption, const std::string& text, PromptIcon) override {
        s_.said.push_back({caption, text});
        if (s_.onTell) s_.onTell(s_.said.back());
    }
    Answer ask(const std::string& caption, const std::string& text, PromptIcon, bool,
               bool) override {
        s_.said.push_back({caption, text});
        if (s_.answers.empty()) return Answer::No;
        const Answer a = s_.answers.front();
        s_.answers.pop_front();
        return a;
    }
    std::optional<std::string> chooseOpenFile(const std::string& folder, const std::string&,
                                              const std::string&) override {
        s_.folders.push_back(folder);
        return next();
    }
    std::optional<std::string> chooseSaveFile(const std::string& folder, const std::string&,
                                              const std::string&) override {
        s_.folders.push_back(folder);
        return next();
    }
    bool setUpPrinter(QPrinter& printer) override {
        s_.proposed = printer.pageLayout().orientation();
        if (s_.printTo.empty()) return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(s_.printTo));
        printer.setPageSize(QPageSize(QPageSize::A4));
        if (s_.orientation) printer.setPageOrientation(*s_.orientation);
        return true;
    }

  private:
    std::optional<std::string> next() {
        if (s_.files.empty()) return std::nullopt;
        std::string f = s_.files.front();
        s_.files.pop_front();
        return f;
    }
    Script& s_;
};

class Window : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("window-" + std::to_string(getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
        ini = (dir / "humidraw.ini").string();
    }
    void TearDown() override {
        window.reset();
        fs::remove_all(dir);
    }
    TFmIX& open() {
        window =
            std::make_unique<TFmIX>(ini, dir.string(), std::make_unique<ScriptedPrompts>(script));
        return *window;
    }
    std::string iniText() const {
        std::ifstream in(ini, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    fs::path dir;
    std::string ini;
    Script script;
    std::vector<Said>& said = script.said;
    std::unique_ptr<TFmIX> window;
};

// A state-change line from DB 26 / RH 50 (A) to DB 14 / RH 95 (B) through its dialog: two
// labels, two rows and the line, five objects in one step.
inline void drawLineAB(TFmIX& w) {
    w.M_LineG();
    TMk_Line* d = w.lineDialog();
    d->X1->setText("26");
    d->X2->setText("50");
    d->X10->setText("14");
    d->X20->setText("95");
    d->PTX1->setText("A");
    d->PTX2->setText("B");
    d->Button1->click();
}

}  // namespace humidraw::app::fixture
