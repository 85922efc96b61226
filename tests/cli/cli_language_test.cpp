// humidraw-cli speaks the language --lang names, else the locale's: the chart's titles in the
// files it draws and the messages it writes.
#include <gtest/gtest.h>

#include <filesystem>

#include "command_runner.h"

namespace fs = std::filesystem;

namespace {

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The texts of an SVG's text elements, run together in their order: Qt writes a title whose
// scripts differ ("乾球温度 " and "DB [℃]") as one element per run.
std::string svgText(const std::string& svg) {
    std::string text;
    for (size_t at = svg.find("<text"); at != std::string::npos; at = svg.find("<text", at)) {
        const size_t open = svg.find('>', at), close = svg.find("</text>", at);
        if (open == std::string::npos || close == std::string::npos) break;
        text += svg.substr(open + 1, close - open - 1);
        at = close;
    }
    return text;
}

class CliLanguage : public testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("cli-language-" + std::to_string(getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    // The SVG the render command draws with `environment` (variables set with env) and `args`.
    std::string render(const std::string& environment, const std::string& args) {
        const std::string out = (dir / "chart.svg").string();
        fs::remove(out);
        const CommandRun r =
            runCommand("env -u LC_ALL -u LC_MESSAGES -u LANG " + environment + " " + HUMIDRAW_CLI,
                       "render " + args + " -o " + out);
        EXPECT_EQ(r.status, 0) << environment << " " << args << ": " << r.err;
        return slurp(out);
    }
    fs::path dir;
};

// The chart's titles as ASHRAE and CIBSE name the quantities, units as the chart writes them;
// the two titles inside the chart shortened so as not to run into each other.
const char* const kEnglishTitles[] = {
    "Dry-bulb temperature DB [°C]", "Psychrometric chart h-x (total pressure P = 760 mmHg)",
    "Humidity ratio x [kg/kg(DA)]", "Specific enthalpy h [kcal/kg(DA)]",
    "Wet-bulb temperature WB [°C]", "Rel. humidity [%]",
    "Sp. vol. v [m^3/kg(DA)]",
};
const char* const kJapaneseTitles[] = {
    "乾球温度 DB [℃]",        "湿り空気 h-x 線図(全圧力P=760mmHg)",
    "絶対湿度 x [kg/kg(DA)]", "比エンタルピ h [kcal/kg(DA)]",
    "湿球温度WB[℃]",          "相対湿度RH[%]",
    "比容積 v [m^3/kg(DA)]",
};

}  // namespace

TEST_F(CliLanguage, EnglishChartCarriesEveryTitleInEnglish) {
    const std::string en = svgText(render("", "--lang en"));
    for (const char* title : kEnglishTitles) EXPECT_TRUE(has(en, title)) << title;
    for (const char* title : kJapaneseTitles) EXPECT_FALSE(has(en, title)) << title;
    // SI units: kJ and the pressure in kPa (760 mmHg × 0.133322368 = 101.325 kPa).
    const std::string si = svgText(render("", "--lang en --si"));
    EXPECT_TRUE(has(si, "Specific enthalpy h [kJ/kg(DA)]"));
    EXPECT_TRUE(has(si, "Psychrometric chart h-x (total pressure P = 101.325 kPa)"));
}

TEST_F(CliLanguage, JapaneseChartIsTheSameAsWithoutALanguage) {
    const std::string plain = render("LC_ALL=C", "");
    for (const char* title : kJapaneseTitles) EXPECT_TRUE(has(svgText(plain), title)) << title;
    EXPECT_TRUE(render("LC_ALL=de_DE.UTF-8", "--lang ja") == plain);
    EXPECT_TRUE(render("", "--lang ja") == plain);
}

TEST_F(CliLanguage, LocaleChoosesTheLanguageAndTheOptionOverridesIt) {
    const std::string english = "Dry-bulb temperature DB [°C]", japanese = "乾球温度 DB [℃]";
    const struct {
        const char* environment;
        const char* args;
        bool english;
    } cases[] = {
        {"", "", false},  // no locale at all
        {"LANG=C", "", false},
        {"LANG=POSIX", "", false},
        {"LANG=C.UTF-8", "", false},
        {"LANG=ja_JP.UTF-8", "", false},
        {"LANG=en_US.UTF-8", "", true},
        {"LANG=en_GB", "", true},
        {"LANG=de_DE.UTF-8", "", true},  // no German translation: English
        {"LANG=ja_JP.UTF-8 LC_MESSAGES=en_US.UTF-8", "", true},
        {"LC_MESSAGES=en_US.UTF-8 LC_ALL=ja_JP.UTF-8", "", false},
        {"LANG=ja_JP.UTF-8", "--lang en", true},
        {"LANG=en_US.UTF-8", "--lang ja", false},
    };
    for (const auto& c : cases) {
        const std::string drawn = svgText(render(c.environment, c.args));
        EXPECT_EQ(has(drawn, english), c.english) << c.environment << " " << c.args;
        EXPECT_EQ(has(drawn, japanese), !c.english) << c.environment << " " << c.args;
    }
}

TEST_F(CliLanguage, MessagesFollowTheLanguageAndBadValuesAreRefused) {
    const CommandRun en = runCommand(HUMIDRAW_CLI, "coil --lang en EOA=-1");
    EXPECT_EQ(en.status, 1);
    EXPECT_TRUE(has(en.err, "Cooling: The outdoor air volume (EOA) is negative")) << en.err;
    const CommandRun ja = runCommand(HUMIDRAW_CLI, "coil --lang ja EOA=-1");
    EXPECT_TRUE(has(ja.err, "冷房時：導入外気量(EOA)が負の値です")) << ja.err;

    for (const char* args :
         {"render --lang fr -o x.svg", "elements --lang", "--lang EN elements"}) {
        const CommandRun r = runCommand(HUMIDRAW_CLI, args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_TRUE(has(r.err, "--lang")) << args << ": " << r.err;
    }
}
