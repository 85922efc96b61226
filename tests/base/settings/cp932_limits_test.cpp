// Byte limits on CP932 text: which bytes open a double-byte character, where a cut may fall,
// and the limits the settings file reads its values with.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "text/cp932.h"
#include "settings/ini_file.h"
#include "settings/settings.h"

using humidraw::cutCp932;
namespace fs = std::filesystem;

TEST(Cp932Cut, LeadBytesAreTheTwoRangesOfTheCodePage) {
    // Lead bytes of CP932 are 81–9F and E0–FC; 80, A0–DF (half-width katakana) and FD–FF are
    // characters of one byte. Each pair below is "byte, then a trail byte 40": with a limit of
    // one byte a lead byte must not stay alone.
    struct Case {
        unsigned char first;
        bool lead;
    } const cases[] = {{0x7F, false}, {0x80, false}, {0x81, true},  {0x9F, true},
                       {0xA0, false}, {0xDF, false}, {0xE0, true},  {0xFC, true},
                       {0xFD, false}, {0xFF, false}, {0x40, false}, {0x00, false}};
    for (const Case& c : cases) {
        const std::string pair{static_cast<char>(c.first), '\x40'};
        EXPECT_EQ(cutCp932(pair, 1), c.lead ? "" : pair.substr(0, 1)) << int(c.first);
        EXPECT_EQ(cutCp932(pair, 2), pair) << int(c.first);
    }
}

TEST(Cp932Cut, LimitCountsWholeCharacters) {
    const std::string text = "ab\x82\xa0\x82\xa2";  // "abあい": 2 + 2 + 2 bytes
    EXPECT_EQ(cutCp932(text, 0), "");
    EXPECT_EQ(cutCp932(text, 2), "ab");
    EXPECT_EQ(cutCp932(text, 3), "ab") << "あ needs bytes 3 and 4";
    EXPECT_EQ(cutCp932(text, 4), "ab\x82\xa0") << "a character ending exactly at the limit";
    EXPECT_EQ(cutCp932(text, 5), "ab\x82\xa0");
    EXPECT_EQ(cutCp932(text, 6), text);
    EXPECT_EQ(cutCp932(text, 1000), text);
    // A lead byte that ends the text is kept when the limit has room for its pair.
    EXPECT_EQ(cutCp932("a\x82", 10), "a\x82");
    EXPECT_EQ(cutCp932("a\x82", 2), "a");
}

namespace {
class IniLimits : public testing::Test {
  protected:
    void SetUp() override {
        path_ = (fs::temp_directory_path() /
                 ("inilimit-" + std::to_string(getpid()) + "-" +
                  testing::UnitTest::GetInstance()->current_test_info()->name() + ".ini"))
                    .string();
    }
    void TearDown() override { fs::remove(path_); }
    void write(const std::string& bytes) { std::ofstream(path_, std::ios::binary) << bytes; }
    std::string path_;
};
}  // namespace

TEST_F(IniLimits, ValuesAreCutInBytesOnDisk) {
    // 40 × あ (82 A0) = 80 bytes of CP932.
    std::string value;
    for (int i = 0; i < 40; ++i) value += "\x82\xa0";
    std::string utf8;
    for (int i = 0; i < 40; ++i) utf8 += "あ";
    write("[Font]\r\nCSFontName=" + value + "\r\n[Setting]\r\nCurrentDir=" + value + "\r\n");
    const humidraw::IniFile ini(path_);
    // Read with a limit of 63 bytes: 31 characters (62 bytes), never half of the 32nd.
    EXPECT_EQ(ini.readString("Font", "CSFontName", "", 63), utf8.substr(0, 31 * 3));
    EXPECT_EQ(ini.readString("Font", "CSFontName", "", 64), utf8.substr(0, 32 * 3));
    EXPECT_EQ(ini.readString("Font", "CSFontName", ""), utf8) << "512 bytes by default";
    const humidraw::Settings s = humidraw::loadSettings(ini, "/prog");
    EXPECT_EQ(s.fontName, utf8);
    EXPECT_EQ(s.currentDir, utf8);
}

TEST_F(IniLimits, NumbersAreReadFromTheirFirst63Bytes) {
    // A number followed by blanks up to byte 63 still reads; one reaching byte 64 is cut.
    const std::string pad62 = "5" + std::string(61, '0');  // 62 digits
    write("[Setting]\r\nCSdbmin=-" + pad62 + "\r\nCSdbmax=1" + pad62 +
          "\r\nCSpa=" + std::string(62, ' ') + "7\r\n");
    const humidraw::IniFile ini(path_);
    // "-5000…0": 63 bytes, read whole: −5·10^61.
    EXPECT_DOUBLE_EQ(humidraw::readProfileFloat(ini, "Setting", "CSdbmin", 1), -5e61);
    // "15000…0": 63 bytes as well.
    EXPECT_DOUBLE_EQ(humidraw::readProfileFloat(ini, "Setting", "CSdbmax", 1), 1.5e62);
    // Blanks around a value are removed before the limit applies.
    EXPECT_DOUBLE_EQ(humidraw::readProfileFloat(ini, "Setting", "CSpa", 1), 7);
    write("[Setting]\r\nCSdbmin=1" + pad62 + "9\r\n");
    // 64 digits: the last one is cut off, leaving 1.5·10^62.
    EXPECT_DOUBLE_EQ(humidraw::readProfileFloat(humidraw::IniFile(path_), "Setting", "CSdbmin", 1),
                     1.5e62);
}
