#pragma once
// Every question and message the program puts to the user goes through UserPrompts: message
// boxes in the program, scripted answers in tests.
#include <optional>
#include <string>

class QWidget;
class QPrinter;

namespace humidraw::app {

enum class PromptIcon { Information, Warning, Error, Question };
enum class Answer { Ok, Yes, No, Cancel };

class UserPrompts {
  public:
    virtual ~UserPrompts() = default;
    virtual void tell(const std::string& caption, const std::string& text, PromptIcon icon) = 0;
    // Yes / No / Cancel; `defaultNo` makes No the preselected button.
    virtual Answer ask(const std::string& caption, const std::string& text, PromptIcon icon,
                       bool withCancel, bool defaultNo) = 0;
    // A file to open or to save to (filters as "Name (*.ext)" joined by ";;"); nothing when
    // the user cancels.
    virtual std::optional<std::string> chooseOpenFile(const std::string& folder,
                                                      const std::string& filters) = 0;
    virtual std::optional<std::string> chooseSaveFile(const std::string& folder,
                                                      const std::string& filters) = 0;
    // The print dialog: false when cancelled.
    virtual bool setUpPrinter(QPrinter& printer) = 0;
};

class QtPrompts : public UserPrompts {
  public:
    explicit QtPrompts(QWidget* parent) : parent_(parent) {}
    void tell(const std::string& caption, const std::string& text, PromptIcon icon) override;
    Answer ask(const std::string& caption, const std::string& text, PromptIcon icon,
               bool withCancel, bool defaultNo) override;
    std::optional<std::string> chooseOpenFile(const std::string& folder,
                                              const std::string& filters) override;
    std::optional<std::string> chooseSaveFile(const std::string& folder,
                                              const std::string& filters) override;
    bool setUpPrinter(QPrinter& printer) override;

  private:
    QWidget* parent_;
};

}  // namespace humidraw::app
