#pragma once
// The language the programs speak: Japanese, their own, or English from the translation
// catalogue. Texts are looked up by their Japanese source and a context naming where they are
// shown; a text the catalogue lacks is shown in Japanese.
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

// Marks a Japanese text for the translation tools where it is only stored (a table of names);
// translate() looks it up where it is shown.
#define HUMIDRAW_TEXT_NOOP(context, source) source

namespace humidraw {

enum class Language { Japanese, English };

// The language of a locale name as the C library reads it ("ja_JP.UTF-8", "en_GB", "C"):
// Japanese for ja_*, C, POSIX and an empty name, English for every other one.
Language languageOfLocale(std::string_view locale);

// The language of the user's messages locale: LC_ALL, else LC_MESSAGES, else LANG.
Language languageFromEnvironment();

// "ja" or "en" as given on a command line or kept in the settings file.
std::optional<Language> parseLanguage(std::string_view name);
const char* languageCode(Language language);

// The language translate() answers in; Japanese until a program sets another.
void setLanguage(Language language);
Language currentLanguage();

// `source` in the current language: the catalogue's English text under `context`, else
// `source` itself.
std::string translate(const char* context, const char* source);

// The English text of `source` under `context`, or nothing when the catalogue lacks it.
const char* englishText(std::string_view context, std::string_view source);

// `text` with %1 … %9 replaced by the arguments in order; a marker without an argument stays.
std::string withArguments(std::string_view text, std::initializer_list<std::string> args);

}  // namespace humidraw
