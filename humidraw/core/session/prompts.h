#pragma once
// Every question and message the program puts to the user goes through Prompts: message boxes in
// the program, scripted answers in tests. Never Qt.
#include <optional>
#include <string>

namespace humidraw {

enum class PromptIcon { Information, Warning, Error, Question };
enum class Answer { Ok, Yes, No, Cancel };

class Prompts {
  public:
    virtual ~Prompts() = default;
    virtual void tell(const std::string& caption, const std::string& text, PromptIcon icon) = 0;
    // Yes / No / Cancel; `defaultNo` makes No the preselected button.
    virtual Answer ask(const std::string& caption, const std::string& text, PromptIcon icon,
                       bool withCancel, bool defaultNo) = 0;
    // A file to open or to save to (filters as "Name (*.ext)" joined by ";;"), in a dialog
    // with `caption` (the toolkit's own when empty); nothing when the user cancels.
    virtual std::optional<std::string> chooseOpenFile(const std::string& folder,
                                                      const std::string& filters,
                                                      const std::string& caption = {}) = 0;
    virtual std::optional<std::string> chooseSaveFile(const std::string& folder,
                                                      const std::string& filters,
                                                      const std::string& caption = {}) = 0;
};

}  // namespace humidraw
