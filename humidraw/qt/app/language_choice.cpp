#include "app/language_choice.h"

#include <QCoreApplication>
#include <QTranslator>

#include "app/prompts.h"

namespace humidraw::app {

Result<std::optional<Language>> takeLanguageArgument(QStringList& arguments) {
    std::optional<Language> language;
    std::optional<Failure> refused;
    for (qsizetype i = 1; i < arguments.size();) {
        QString value;
        if (arguments[i] == QLatin1String("--lang") && i + 1 < arguments.size()) {
            value = arguments[i + 1];
            arguments.remove(i, 2);
        } else if (arguments[i].startsWith(QLatin1String("--lang="))) {
            value = arguments[i].mid(7);
            arguments.remove(i);
        } else if (arguments[i] == QLatin1String("--lang")) {
            refused = failure(Reason::Invalid, "option --lang needs a value (ja or en)");
            arguments.remove(i);
            continue;
        } else {
            ++i;
            continue;
        }
        language = parseLanguage(value.toStdString());
        if (!language)
            refused = failure(Reason::Invalid, "--lang takes ja or en, not " + value.toStdString());
    }
    if (refused) return *refused;
    return language;
}

namespace {

// `path` (absolute) with its "." and ".." steps and empty steps removed, as QDir::cleanPath does.
std::string cleanPath(const std::string& path) {
    std::vector<std::string> steps;
    size_t from = 0;
    while (from <= path.size()) {
        size_t slash = path.find('/', from);
        if (slash == std::string::npos) slash = path.size();
        const std::string step = path.substr(from, slash - from);
        if (step == "..") {
            if (!steps.empty()) steps.pop_back();
        } else if (!step.empty() && step != ".") {
            steps.push_back(step);
        }
        from = slash + 1;
    }
    std::string out;
    for (const std::string& step : steps) out += "/" + step;
    return out.empty() ? "/" : out;
}

}  // namespace

std::string documentArgument(const std::vector<std::string>& arguments,
                             const std::string& currentFolder) {
    std::string given;
    for (size_t i = 1; i < arguments.size() && given.empty(); ++i) {
        const std::string& a = arguments[i];
        if (a == "--") {
            if (i + 1 < arguments.size()) given = arguments[i + 1];
            break;
        }
        if (a == "--lang") {
            ++i;  // its value
            continue;
        }
        if (!a.empty() && a[0] != '-') given = a;
    }
    if (given.empty()) return {};
    return cleanPath(given[0] == '/' ? given : currentFolder + "/" + given);
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
