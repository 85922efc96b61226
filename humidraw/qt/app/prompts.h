#pragma once
// The program's prompts in Qt: message boxes, file and print dialogs (session/prompts.h holds
// what the core asks through them).
#include <memory>
#include <optional>
#include <string>

#include "session/prompts.h"

class QFileDialog;
class QFont;
class QPrinter;
class QString;
class QWidget;

namespace humidraw::app {

// Qt's own texts (standard buttons, file and print dialogs) in Japanese, whatever the
// language of the system; false when Qt's translations are not installed.
bool installQtJapanese();

// The width a window needs for the window manager to show its whole caption.
int captionRoom(const QString& caption, const QFont& font);

// The program's file dialog in `folder` (the home folder when that is not a folder), with no
// history of visited folders; `save` chooses a file to write.
std::unique_ptr<QFileDialog> makeFileDialog(QWidget* parent, const std::string& folder,
                                            const std::string& filters, bool save);

// The program's prompts: the core's questions and messages, and the print dialog.
class UserPrompts : public Prompts {
  public:
    // The print dialog: false when cancelled.
    virtual bool setUpPrinter(QPrinter& printer) = 0;
};

class QtPrompts : public UserPrompts {
  public:
    explicit QtPrompts(QWidget* parent) : parent_(parent) {}
    void tell(const std::string& caption, const std::string& text, PromptIcon icon) override;
    Answer ask(const std::string& caption, const std::string& text, PromptIcon icon,
               bool withCancel, bool defaultNo) override;
    std::optional<std::string> chooseOpenFile(const std::string& folder, const std::string& filters,
                                              const std::string& caption) override;
    std::optional<std::string> chooseSaveFile(const std::string& folder, const std::string& filters,
                                              const std::string& caption) override;
    bool setUpPrinter(QPrinter& printer) override;

  private:
    // The window a message belongs to: it opens centred over it and above it.
    QWidget* raiser() const;
    QWidget* parent_;
};

}  // namespace humidraw::app
