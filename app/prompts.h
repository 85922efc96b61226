#pragma once
// Every question and message the program puts to the user goes through UserPrompts: message
// boxes in the program, scripted answers in tests.
#include <string>

class QWidget;

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
};

class QtPrompts : public UserPrompts {
  public:
    explicit QtPrompts(QWidget* parent) : parent_(parent) {}
    void tell(const std::string& caption, const std::string& text, PromptIcon icon) override;
    Answer ask(const std::string& caption, const std::string& text, PromptIcon icon,
               bool withCancel, bool defaultNo) override;

  private:
    QWidget* parent_;
};

}  // namespace humidraw::app
