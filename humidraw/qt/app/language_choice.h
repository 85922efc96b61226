#pragma once
// The language the program starts in and the translations that make it speak it.
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

#include "lang/language.h"
#include "result/result.h"

namespace humidraw::app {

// The value of `--lang` among the arguments (taken out of them all), nothing when not given;
// Invalid when one has no value or a value other than "ja" or "en" (the last such is told).
Result<std::optional<Language>> takeLanguageArgument(QStringList& arguments);

// The document named on the command line (`arguments` as the system gave them, bytes, after
// Qt took its own): the first argument that is neither an option nor `--lang`'s value, or the
// one after "--"; made absolute from `currentFolder` with "." and ".." steps and doubled
// slashes taken out. Empty when none is given.
std::string documentArgument(const std::vector<std::string>& arguments,
                             const std::string& currentFolder);

// The language to start in: the command line's, else the settings file's ("ja", "en"),
// else the locale's.
Language startLanguage(std::optional<Language> commandLine, const std::string& setting);

// Makes the program, its libraries and Qt's own dialogs speak `language`: the program's
// English translation, or Qt's Japanese texts. False when a translation file is missing.
bool installLanguage(Language language);

}  // namespace humidraw::app
