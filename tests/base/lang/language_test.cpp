// The language choice from locales, the catalogue built from the translation file, and the
// filling of numbered arguments.
#include "lang/language.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "lang/catalogue.h"

using humidraw::Language;

namespace {

// Sets the locale variables for one test and puts them back after it.
class LocaleVariables {
  public:
    LocaleVariables() {
        for (int i = 0; i < 3; ++i) {
            const char* v = std::getenv(kNames[i]);
            if (v) saved_[i] = v;
            unsetenv(kNames[i]);
        }
    }
    ~LocaleVariables() {
        for (int i = 0; i < 3; ++i) {
            if (saved_[i])
                setenv(kNames[i], saved_[i]->c_str(), 1);
            else
                unsetenv(kNames[i]);
        }
    }
    static constexpr const char* kNames[3] = {"LC_ALL", "LC_MESSAGES", "LANG"};

  private:
    std::optional<std::string> saved_[3];
};

// Restores the Japanese the libraries start in.
struct EnglishForOneTest {
    EnglishForOneTest() { humidraw::setLanguage(Language::English); }
    ~EnglishForOneTest() { humidraw::setLanguage(Language::Japanese); }
};

}  // namespace

TEST(Language, LocaleNamesGiveJapaneseOnlyForJapaneseAndTheNeutralLocales) {
    for (const char* ja : {"", "C", "POSIX", "C.UTF-8", "C.utf8", "POSIX.UTF-8", "ja", "ja_JP",
                           "ja_JP.UTF-8", "ja_JP.eucJP", "ja.UTF-8", "ja@cjknarrow"})
        EXPECT_EQ(humidraw::languageOfLocale(ja), Language::Japanese) << ja;
    // jam_JM (Jamaican) starts with "ja" but is not Japanese; no other language is translated.
    for (const char* en : {"en", "en_US.UTF-8", "en_GB", "de_DE.UTF-8", "fr_FR", "jam_JM", "Ja_JP",
                           "CC", "zh_CN.UTF-8"})
        EXPECT_EQ(humidraw::languageOfLocale(en), Language::English) << en;
}

TEST(Language, EnvironmentIsReadInThePrecedenceOfMessages) {
    LocaleVariables clean;
    EXPECT_EQ(humidraw::languageFromEnvironment(), Language::Japanese);  // nothing set
    setenv("LANG", "en_US.UTF-8", 1);
    EXPECT_EQ(humidraw::languageFromEnvironment(), Language::English);
    setenv("LC_MESSAGES", "ja_JP.UTF-8", 1);
    EXPECT_EQ(humidraw::languageFromEnvironment(), Language::Japanese);
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    EXPECT_EQ(humidraw::languageFromEnvironment(), Language::English);
    setenv("LC_ALL", "", 1);  // empty counts as unset
    EXPECT_EQ(humidraw::languageFromEnvironment(), Language::Japanese);
}

TEST(Language, NamesOnTheCommandLineAndInSettings) {
    EXPECT_EQ(humidraw::parseLanguage("ja"), Language::Japanese);
    EXPECT_EQ(humidraw::parseLanguage("en"), Language::English);
    for (const char* bad : {"", "EN", "english", "en_US", "auto", "ja "})
        EXPECT_FALSE(humidraw::parseLanguage(bad).has_value()) << bad;
    EXPECT_STREQ(humidraw::languageCode(Language::Japanese), "ja");
    EXPECT_STREQ(humidraw::languageCode(Language::English), "en");
}

TEST(Language, TranslateAnswersInTheCurrentLanguage) {
    EXPECT_EQ(humidraw::currentLanguage(), Language::Japanese);
    EXPECT_EQ(humidraw::translate("Chart", "乾球温度 DB [℃]"), "乾球温度 DB [℃]");
    EnglishForOneTest english;
    // The translation file's own entries.
    EXPECT_EQ(humidraw::translate("Chart", "乾球温度 DB [℃]"), "Dry-bulb temperature DB [°C]");
    EXPECT_EQ(humidraw::translate("Coil", "冷房時"), "Cooling");
    // A text the catalogue lacks, or lacks under that context, stays Japanese.
    EXPECT_EQ(humidraw::translate("Chart", "未翻訳の文字列"), "未翻訳の文字列");
    EXPECT_EQ(humidraw::translate("Coil", "乾球温度 DB [℃]"), "乾球温度 DB [℃]");
    EXPECT_EQ(humidraw::translate("Chart", ""), "");
}

TEST(Language, EveryCatalogueEntryIsFoundByItsContextAndSource) {
    // The search halves a sorted table: an entry out of order would be missed.
    ASSERT_GT(humidraw::kCatalogueSize, 100u);
    for (std::size_t i = 0; i < humidraw::kCatalogueSize; ++i) {
        const humidraw::CatalogueEntry& e = humidraw::kCatalogue[i];
        EXPECT_STREQ(humidraw::englishText(e.context, e.source), e.english)
            << e.context << " " << e.source;
        EXPECT_NE(std::string(e.english), "") << e.source;
    }
    EXPECT_EQ(humidraw::englishText("", ""), nullptr);
    EXPECT_EQ(humidraw::englishText("ZZZ", "\xff"), nullptr);  // past the last entry
}

TEST(Language, NumberedArgumentsAreFilledInOrderOfTheirNumbers) {
    EXPECT_EQ(humidraw::withArguments("%1：%2", {"冷房時", "理由"}), "冷房時：理由");
    EXPECT_EQ(humidraw::withArguments("%2 after %1", {"a", "b"}), "b after a");
    EXPECT_EQ(humidraw::withArguments("%1 %1", {"x"}), "x x");
    // A percent sign that is not a marker, and a marker without its argument, stay as written.
    EXPECT_EQ(humidraw::withArguments("100%を超えます (%1%)", {"101.5"}),
              "100%を超えます (101.5%)");
    EXPECT_EQ(humidraw::withArguments("%1 and %3", {"a", "b"}), "a and %3");
    EXPECT_EQ(humidraw::withArguments("%", {"a"}), "%");
    // An argument holding a marker is not filled again.
    EXPECT_EQ(humidraw::withArguments("%1-%2", {"%2", "b"}), "%2-b");
}
