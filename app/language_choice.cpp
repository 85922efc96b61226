#include "app/language_choice.h"

#include <QCoreApplication>
#include <QTranslator>

#include "app/prompts.h"

namespace humidraw::app {

LanguageArgument takeLanguageArgument(QStringList& arguments) {
    LanguageArgument result;
    for (qsizetype i = 1; i < arguments.size();) {
        QString value;
        if (arguments[i] == QLatin1String("--lang") && i + 1 < arguments.size()) {
            value = arguments[i + 1];
            arguments.remove(i, 2);
        } else if (arguments[i].startsWith(QLatin1String("--lang="))) {
            value = arguments[i].mid(7);
            arguments.remove(i);
        } else if (arguments[i] == QLatin1String("--lang")) {
            result.error = "option --lang needs a value (ja or en)";
            arguments.remove(i);
            continue;
        } else {
            ++i;
            continue;
        }
        result.language = parseLanguage(value.toStdString());
        if (!result.language) result.error = "--lang takes ja or en, not " + value.toStdString();
    }
    return result;
}

Language startLanguage(std::optional<Language> commandLine, const std::string& setting) {
    if (commandLine) return *commandLine;
    if (const auto chosen = parseLanguage(setting)) return *chosen;
    return languageFromEnvironment();
}

bool installLanguage(Language language) {
    setLanguage(language);
    if (language == Language::Japanese) return installQtJapanese();
    auto* english = new QTranslator(QCoreApplication::instance());
    if (!english->load(QStringLiteral(":/i18n/humidraw_en.qm"))) {
        delete english;
        return false;
    }
    QCoreApplication::installTranslator(english);
    return true;
}

}  // namespace humidraw::app
