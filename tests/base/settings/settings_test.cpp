#include "settings/settings.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/other_user.h"

using namespace humidraw;
namespace fs = std::filesystem;

class SettingsFile : public testing::Test {
  protected:
    void SetUp() override {
        path_ = (fs::temp_directory_path() /
                 ("settings-" + std::to_string(getpid()) + "-" +
                  testing::UnitTest::GetInstance()->current_test_info()->name() + ".ini"))
                    .string();
        fs::remove(path_);
    }
    void TearDown() override { fs::remove(path_); }
    void write(const std::string& bytes) { std::ofstream(path_, std::ios::binary) << bytes; }
    std::string read() const {
        std::ifstream in(path_, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::string path_;
};

TEST_F(SettingsFile, MissingFileGivesDefaultsAndCreatesNothing) {
    const Settings s = loadSettings(IniFile(path_), "/opt/humidraw");
    EXPECT_EQ(s.pressureMmHg, 760);
    EXPECT_EQ(s.dbMin, -5);
    EXPECT_EQ(s.dbMax, 45);
    EXPECT_EQ(s.fontSize, 6);
    EXPECT_EQ(s.fontName, "ＭＳ Ｐゴシック");
    EXPECT_EQ(s.view, (std::array<bool, 9>{1, 1, 1, 1, 1, 1, 0, 0, 0}));
    EXPECT_FALSE(s.isSI());
    EXPECT_EQ(s.currentDir, "/opt/humidraw");
    EXPECT_FALSE(fs::exists(path_));
}

TEST_F(SettingsFile, EveryViewFlagFromItsOwnKey) {
    // Each flag set to the opposite of its default (the first six shown, the last three not).
    write(
        "[View]\nCB_DB=0\nCB_RH=0\nCB_AH=0\nCB_EN=0\nCB_WB=0\nCB_SV=0\nCB_SHF=1\nCB_NE=1\n"
        "CB_OP=1\n");
    const Settings s = loadSettings(IniFile(path_), "/x");
    for (int i = 0; i < kViewFlagCount; ++i) EXPECT_EQ(s.view[i], i >= CB_SHF) << i;
}

TEST_F(SettingsFile, EncodingsAndBadValues) {
    write(
        "[setting]\r\nCSdbmin=-5.5\r\nCSdbmax = 40 \r\nCSpa=abc\r\nSiUnit=1x\r\n"
        "[View]\r\nCB_RH=yes\r\nCB_DB=\r\nCB_OP=1\r\ncb_op=0\r\n[Font]\r\nCSFontSize=abc\r\n"
        "CSFontName=\x82\x6c\x82\x72 \x96\xbe\x92\xa9\r\n");
    const Settings s = loadSettings(IniFile(path_), "/x");
    EXPECT_EQ(s.dbMin, -5.5);
    EXPECT_EQ(s.dbMax, 40);
    EXPECT_EQ(s.pressureMmHg, 760) << "unconvertible: default";
    EXPECT_TRUE(s.isSI()) << "only the first character counts";
    EXPECT_FALSE(s.view[CB_RH]) << "'yes' is not '1'";
    EXPECT_TRUE(s.view[CB_DB]) << "empty: default";
    EXPECT_TRUE(s.view[CB_OP]) << "the first match wins";
    EXPECT_EQ(s.fontSize, 6);
    EXPECT_EQ(s.fontName, "ＭＳ 明朝");
}

TEST_F(SettingsFile, InvalidCp932ValueGivesDefault) {
    write("[Font]\nCSFontName=\x82\n");
    EXPECT_EQ(loadSettings(IniFile(path_), "/x").fontName, "ＭＳ Ｐゴシック");
}

TEST_F(SettingsFile, SaveWritesKeysInOrderAndKeepsOtherLines) {
    write("; kept comment\r\n[Setting]\r\nCurrentDir=/home/a\r\n[Form]\r\nLeft=10\r\n");
    IniFile ini(path_);
    Settings s;
    s.dbMin = -5.5;
    s.units = UnitSystem::SI;
    s.view[CB_OP] = true;
    ASSERT_TRUE(saveSettings(ini, s));
    const std::string text = read();
    EXPECT_EQ(text.find("; kept comment\r\n"), 0u);
    EXPECT_NE(text.find("CurrentDir=/home/a\r\n"), std::string::npos);
    EXPECT_NE(text.find("Left=10\r\n"), std::string::npos);
    EXPECT_NE(text.find("CSdbmin=-5\r\n"), std::string::npos) << "whole numbers";
    EXPECT_NE(text.find("SiUnit=1"), std::string::npos);
    EXPECT_NE(text.find("[Font]\r\nCSFontSize=6\r\nCSFontName=\x82\x6c\x82\x72 \x82\x6f"),
              std::string::npos)
        << "a new section, and the name in CP932";
    EXPECT_LT(text.find("CSpa="), text.find("CSdbmin=")) << "the order of the writes";
    const Settings back = loadSettings(ini, "/x");
    EXPECT_EQ(back.dbMin, -5);
    EXPECT_TRUE(back.view[CB_OP]);
    EXPECT_EQ(back.currentDir, "/home/a");
    ASSERT_TRUE(saveClosingState(ini, "/srv/charts", {1, 2, 3, 4}));
    EXPECT_EQ(loadSettings(ini, "/x").currentDir, "/srv/charts");
    EXPECT_EQ(loadWindowBounds(ini).height, 4);
}

// The unit system: Units by name, SiUnit beside it for every version; under IP units the range
// in whole °F in keys of its own, the °C keys left with the range the other units had.
TEST_F(SettingsFile, UnitsAndTheIpRangeAreKeptBesideTheOtherKeys) {
    const struct {
        const char* file;
        UnitSystem units;
        double dbMin, dbMax;  // °C
    } reads[] = {
        {"", UnitSystem::Engineering, -5, 45},
        {"[Setting]\nSiUnit=1\n", UnitSystem::SI, -5, 45},
        {"[Setting]\nSiUnit=1\nUnits=kcal\n", UnitSystem::Engineering, -5, 45},
        // A name no version writes: SiUnit decides.
        {"[Setting]\nSiUnit=1\nUnits=metric\n", UnitSystem::SI, -5, 45},
        // The IP default 25 … 115 °F: (25 − 32) / 1.8 = −3.888… °C, (115 − 32) / 1.8 = 46.111… °C.
        {"[Setting]\nUnits=ip\nCSdbmin=0\n", UnitSystem::IP, -7 / 1.8, 83 / 1.8},
        {"[Setting]\nUnits=ip\nCSdbminF=32\nCSdbmaxF=104\n", UnitSystem::IP, 0, 40},
    };
    for (const auto& c : reads) {
        SCOPED_TRACE(c.file);
        write(c.file);
        const Settings s = loadSettings(IniFile(path_), "/x");
        EXPECT_EQ(s.units, c.units);
        EXPECT_NEAR(s.dbMin, c.dbMin, 1e-12);
        EXPECT_NEAR(s.dbMax, c.dbMax, 1e-12);
    }
    write("[Setting]\r\nCSdbmin=-10\r\nCSdbmax=40\r\n");
    IniFile ini(path_);
    Settings s;
    s.units = UnitSystem::IP;
    s.dbMin = (14 - 32) / 1.8;
    s.dbMax = (100 - 32) / 1.8;
    ASSERT_TRUE(saveSettings(ini, s));
    const std::string text = read();
    for (const char* key : {"CSdbminF=14\r\n", "CSdbmaxF=100\r\n", "CSdbmin=-10\r\n",
                            "CSdbmax=40\r\n", "SiUnit=0\r\n", "Units=ip\r\n"})
        EXPECT_NE(text.find(key), std::string::npos) << key << "\n" << text;
    const Settings back = loadSettings(ini, "/x");
    EXPECT_EQ(back.units, UnitSystem::IP);
    EXPECT_NEAR(back.dbMin, -10, 1e-12);  // 14 °F
    EXPECT_NEAR(back.dbMax, 37.777777777777779, 1e-12);  // 100 °F
    // Back to engineering units: the °C range as it was.
    s.units = UnitSystem::Engineering;
    s.dbMin = -10;
    s.dbMax = 40;
    ASSERT_TRUE(saveSettings(ini, s));
    EXPECT_EQ(loadSettings(ini, "/x").units, UnitSystem::Engineering);
    EXPECT_NE(read().find("Units=kcal\r\n"), std::string::npos);
}

// Choosing units keeps the range's temperatures; the default range of the °C scale and that of
// IP units are taken for one another.
TEST(ChooseUnits, TheDefaultRangesAreTakenForOneAnother) {
    const struct {
        UnitSystem from, to;
        double lo, hi, wantLo, wantHi;
    } cases[] = {
        {UnitSystem::Engineering, UnitSystem::IP, -5, 45, -7 / 1.8, 83 / 1.8},
        {UnitSystem::SI, UnitSystem::IP, 0, 40, 0, 40},
        {UnitSystem::IP, UnitSystem::Engineering, -7 / 1.8, 83 / 1.8, -5, 45},
        {UnitSystem::IP, UnitSystem::SI, 0, 40, 0, 40},
        {UnitSystem::Engineering, UnitSystem::SI, -5, 45, -5, 45},
    };
    for (const auto& c : cases) {
        ChartSettings s;
        s.units = c.from;
        s.dbMin = c.lo;
        s.dbMax = c.hi;
        chooseUnits(s, c.to);
        EXPECT_EQ(s.units, c.to);
        EXPECT_NEAR(s.dbMin, c.wantLo, 1e-12);
        EXPECT_NEAR(s.dbMax, c.wantHi, 1e-12);
    }
}

TEST_F(SettingsFile, UnwritableFolderFailsAndKeepsNothingHalfWritten) {
    IniFile ini("/nonexistent-folder/humidraw.ini");
    EXPECT_EQ(saveSettings(ini, Settings{}).failure(),
              (Failure{Reason::Unwritable, "フォルダがありません"}))
        << "the first write's reason";
    IniFile here(path_);
    // EILSEQ is 84 on Linux.
    EXPECT_EQ(here.writeString("Font", "CSFontName", "😀").failure(),
              (Failure{Reason::Unwritable, "書き込めませんでした（エラー番号 84）"}))
        << "not storable in CP932";
    EXPECT_FALSE(fs::exists(path_));
}

TEST_F(SettingsFile, LimitsBeyondAWholeNumberAreWrittenAtItsEnds) {
    // A damaged settings file may hold any finite number; the limits and the pressure are
    // written as an int holds them: 2^31 - 1 and -2^31 at the ends, the whole part otherwise.
    Settings s;
    s.pressureMmHg = 1e12;
    s.dbMin = -1e300;
    s.dbMax = 45.9;
    IniFile ini(path_);
    ASSERT_TRUE(saveSettings(ini, s));
    const std::string text = read();
    EXPECT_NE(text.find("CSpa=2147483647\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("CSdbmin=-2147483648\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("CSdbmax=45\r\n"), std::string::npos) << text;
}

TEST_F(SettingsFile, AltitudeRoundTripsAndNoneWritesAnEmptyValue) {
    // 1600 m by the standard atmosphere: 101.325 × (1 − 2.25577e−5 × 1600)^5.2559
    // = 101.325 × 0.824311 = 83.523 kPa; × 7.50062 = 626.48 → 626 mmHg.
    IniFile ini(path_);
    Settings s;
    s.pressureMmHg = 626;
    s.altitudeM = 1600;
    ASSERT_TRUE(saveSettings(ini, s));
    EXPECT_NE(read().find("CSpa=626\r\nCSalt=1600\r\nCSdbmin="), std::string::npos)
        << "after the pressure, as a whole number";
    Settings back = loadSettings(ini, "/x");
    EXPECT_EQ(back.pressureMmHg, 626);
    EXPECT_EQ(back.altitudeM, 1600);
    // None over one written before: empty, which reads as none.
    back.pressureMmHg = 700;
    back.altitudeM.reset();
    ASSERT_TRUE(saveSettings(ini, back));
    EXPECT_NE(read().find("CSpa=700\r\nCSalt=\r\n"), std::string::npos) << read();
    EXPECT_EQ(read().find("1600"), std::string::npos);
    EXPECT_EQ(loadSettings(ini, "/x").altitudeM, std::nullopt);
    EXPECT_EQ(loadSettings(ini, "/x").pressureMmHg, 700);
}

TEST_F(SettingsFile, PressureAndAltitudeAsTheFileHoldsThem) {
    // 5000 m: 101.325 × (1 − 0.1127885)^5.2559 = 54.020 kPa = 405.18 mmHg → 405;
    // −400 m: 101.325 × 1.00902308^5.2559 = 106.223 kPa = 796.74 mmHg → 797.
    struct Case {
        const char* lines;
        double pressure;
        std::optional<double> altitude;
    };
    const Case cases[] = {
        {"CSpa=626\nCSalt=1600\n", 626, 1600},
        {"CSpa=405\nCSalt=5000\n", 405, 5000},
        {"CSpa=797\nCSalt=-400\n", 797, -400},
        {"CSpa=760\nCSalt=0\n", 760, 0},
        {"CSpa=626\n", 626, std::nullopt},
        {"CSpa=626\nCSalt=\n", 626, std::nullopt},
        {"CSpa=626\nCSalt=abc\n", 626, std::nullopt},
        {"CSpa=626\nCSalt=1600m\n", 626, std::nullopt},
        {"CSpa=626\nCSalt=1600.5\n", 626, std::nullopt},
        // An altitude that does not give the pressure (the pressure edited by hand).
        {"CSpa=700\nCSalt=1600\n", 700, std::nullopt},
        // Altitudes the dialog does not take: 5001 m and −401 m give 405 and 797 mmHg too.
        {"CSpa=405\nCSalt=5001\n", 405, std::nullopt},
        {"CSpa=797\nCSalt=-401\n", 797, std::nullopt},
        // Pressures a chart is drawn at, whole or not.
        {"CSpa=400\n", 400, std::nullopt},
        {"CSpa=800\n", 800, std::nullopt},
        {"CSpa=626.5\n", 626.5, std::nullopt},
        // A damaged file: the standard atmosphere, and no altitude beside it.
        {"CSpa=399.9\n", 760, std::nullopt},
        {"CSpa=800.1\n", 760, std::nullopt},
        {"CSpa=0\n", 760, std::nullopt},
        {"CSpa=-760\n", 760, std::nullopt},
        {"CSpa=100000\nCSalt=1600\n", 760, std::nullopt},
        {"CSpa=1e400\n", 760, std::nullopt},
        {"CSpa=nan\n", 760, std::nullopt},
        {"CSpa=inf\n", 760, std::nullopt},
    };
    for (const Case& c : cases) {
        write(std::string("[Setting]\n") + c.lines);
        const Settings s = loadSettings(IniFile(path_), "/x");
        EXPECT_EQ(s.pressureMmHg, c.pressure) << c.lines;
        EXPECT_EQ(s.altitudeM, c.altitude) << c.lines;
    }
}

TEST(SettingsFileAccess, FileThatCannotBeReadIsNeverReplaced) {
    // Writable but not readable, in a folder anyone may write: only the read can stop it.
    const fs::path dir =
        fs::temp_directory_path() / ("settings-unreadable-" + std::to_string(getpid()));
    fs::create_directories(dir);
    fs::permissions(dir, fs::perms::all);
    const fs::path path = dir / "humidraw.ini";
    const std::string kept = "[Setting]\r\nCSpa=700\r\n[View]\r\nCB_DB=0\r\n";
    std::ofstream(path, std::ios::binary) << kept;
    fs::permissions(path,
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write);
    const int wrote = humidraw_test::asOtherUser([&] {
        IniFile ini(path.string());
        const Status st = saveClosingState(ini, "/home/a", {1, 2, 3, 4});
        if (st) return 1;
        return st.failure() == Failure{Reason::Unwritable,
                                       "ファイルを読み込めないため、書き換えません"}
                   ? 0
                   : 2;
    });
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    fs::remove_all(dir);
    EXPECT_EQ(wrote, 0) << "closing writes nothing";
    EXPECT_EQ(text.str(), kept);
}

TEST(SettingsPath, BesideTheProgram) {
    EXPECT_EQ(settingsPathFor("/opt/h/bin/humidraw"), "/opt/h/bin/humidraw.ini");
    EXPECT_EQ(settingsPathFor("/opt/h.d/humidraw.exe"), "/opt/h.d/humidraw.ini");
    EXPECT_EQ(folderOf("/opt/h/bin/humidraw"), "/opt/h/bin");
    EXPECT_EQ(folderOf("/humidraw"), "/");
}
