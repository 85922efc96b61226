#include "lang/language.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>

#include "lang/catalogue.h"

namespace humidraw {

namespace {

std::atomic<Language> current{Language::Japanese};

int compare(std::string_view a, std::string_view b) {
    return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

}  // namespace

Language languageOfLocale(std::string_view locale) {
    if (locale.empty() || locale == "C" || locale == "POSIX" || locale.starts_with("C.") ||
        locale.starts_with("POSIX."))
        return Language::Japanese;
    if (locale == "ja" || locale.starts_with("ja_") || locale.starts_with("ja.") ||
        locale.starts_with("ja@"))
        return Language::Japanese;
    return Language::English;
}

Language languageFromEnvironment() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* v = std::getenv(name);
        if (v && *v) return languageOfLocale(v);
    }
    return Language::Japanese;
}

std::optional<Language> parseLanguage(std::string_view name) {
    if (name == "ja") return Language::Japanese;
    if (name == "en") return Language::English;
    return std::nullopt;
}

const char* languageCode(Language language) {
    return language == Language::English ? "en" : "ja";
}

void setLanguage(Language language) {
    current = language;
}

Language currentLanguage() {
    return current;
}

const char* englishText(std::string_view context, std::string_view source) {
    const CatalogueEntry* end = kCatalogue + kCatalogueSize;
    const CatalogueEntry* e =
        std::lower_bound(kCatalogue, end, 0, [&](const CatalogueEntry& x, int) {
            const int c = compare(x.context, context);
            return c < 0 || (c == 0 && compare(x.source, source) < 0);
        });
    if (e == end || context != e->context || source != e->source) return nullptr;
    return e->english;
}

std::string translate(const char* context, const char* source) {
    if (current == Language::English) {
        if (const char* english = englishText(context, source)) return english;
    }
    return source;
}

std::string withArguments(std::string_view text, std::initializer_list<std::string> args) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            const size_t n = static_cast<size_t>(text[i + 1] - '1');
            if (n < args.size()) {
                out += args.begin()[n];
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

}  // namespace humidraw
