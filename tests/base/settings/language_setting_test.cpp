// The display language chosen in the options dialog, kept in the settings file: older files
// lack the key and follow the locale; only "ja" and "en" are taken.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "settings/settings.h"

using namespace humidraw;
namespace fs = std::filesystem;

namespace {

class LanguageSetting : public testing::Test {
  protected:
    void SetUp() override {
        path =
            (fs::temp_directory_path() / ("language-setting-" + std::to_string(getpid()) + ".ini"))
                .string();
        fs::remove(path);
    }
    void TearDown() override { fs::remove(path); }
    std::string readBack(const std::string& ini) {
        std::ofstream(path, std::ios::binary) << ini;
        return loadSettings(IniFile(path), "/x").language;
    }
    std::string path;
};

}  // namespace

TEST_F(LanguageSetting, OnlyTheTwoLanguagesAreTaken) {
    EXPECT_EQ(readBack("[Setting]\r\nSiUnit=1\r\n"), "") << "an older file: the locale's";
    EXPECT_EQ(readBack("[Setting]\r\nLanguage=ja\r\n"), "ja");
    EXPECT_EQ(readBack("[Setting]\r\nLanguage=en\r\n"), "en");
    for (const char* other : {"auto", "EN", "de", "en_US", "", "ja\x82"})
        EXPECT_EQ(readBack(std::string("[Setting]\r\nLanguage=") + other + "\r\n"), "") << other;
    EXPECT_EQ(readBack("[View]\r\nLanguage=en\r\n"), "") << "another section's key";
}

TEST_F(LanguageSetting, SavedAfterTheOtherKeysAndReadBack) {
    IniFile ini(path);
    Settings s;
    ASSERT_TRUE(saveSettings(ini, s));
    std::stringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    EXPECT_NE(text.str().find("SiUnit=0\r\nLanguage=auto\r\n"), std::string::npos) << text.str();
    s.language = "en";
    ASSERT_TRUE(saveSettings(ini, s));
    EXPECT_EQ(loadSettings(ini, "/x").language, "en");
}
