// humidraw-cli writes the same bytes whatever the user's locale, and fails when its standard
// output cannot take what it writes.
#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <fstream>

#include "command_runner.h"

namespace fs = std::filesystem;

namespace {

class CliLocales : public testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("cli-locale-" + std::to_string(getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    // The command's output (or the file it wrote, `file` relative to the folder) in `locale`,
    // in one language: the locale would otherwise choose it.
    std::string outputIn(const std::string& locale, const std::string& args,
                         const std::string& file = "") {
        const CommandRun r =
            runCommand("env LC_ALL=" + locale + " " + HUMIDRAW_CLI, "--lang ja " + args);
        EXPECT_EQ(r.status, 0) << locale << " " << args << ": " << r.err;
        return file.empty() ? r.out : slurp((dir / file).string());
    }
    fs::path dir;
};

const char* const kLocales[] = {"ja_JP.UTF-8", "de_DE.UTF-8"};

// Whether the C library can switch to `locale`; a missing one would silently run as "C".
bool installed(const char* locale) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    const bool ok = std::setlocale(LC_ALL, locale) != nullptr;
    std::setlocale(LC_ALL, saved.c_str());
    return ok;
}

}  // namespace

TEST_F(CliLocales, ChartAndCoilRowsAreTheSameInEveryLocale) {
    for (const char* locale : kLocales)
        ASSERT_TRUE(installed(locale)) << locale << " is missing: run scripts/install-deps";
    const std::string png = (dir / "chart.png").string();
    const std::string svg = (dir / "chart.svg").string();
    const std::pair<std::string, std::string> runs[] = {
        {"elements --json", ""},
        {"elements", ""},
        {"elements --si --dbmin -10 --dbmax 40 --json", ""},
        {"coil", ""},
        {"coil --si --json", ""},
        {"render --zoom 1 -o " + png, "chart.png"},
        {"render --zoom 1 -o " + svg, "chart.svg"},
    };
    for (const auto& [args, file] : runs) {
        const std::string c = outputIn("C", args, file);
        ASSERT_FALSE(c.empty()) << args;
        for (const char* locale : kLocales)
            EXPECT_TRUE(outputIn(locale, args, file) == c) << args << " differs in " << locale;
    }
}

TEST_F(CliLocales, FullStandardOutputFails) {
    std::ofstream(dir / "doc.json")
        << R"({"header": null, "records": [{"kind": 30, "colour": 7, "width": 0, "style": 0,
        "h1": 20.5, "x1": 0.0203, "h2": 0, "x2": 0, "reserved1": 0, "label_position": 0,
        "reserved2": 0, "text": "OA"}]})";
    const std::string doc = (dir / "doc.hdw").string();
    ASSERT_EQ(runCommand(HUMIDRAW_CLI, "pack " + (dir / "doc.json").string() + " -o " + doc).status,
              0);
    for (const std::string& args :
         {"dump " + doc, std::string("elements --json"), std::string("elements"),
          std::string("coil --json"), std::string("coil"), std::string("--help")}) {
        const CommandRun r =
            runCommand("sh -c", "'" + std::string(HUMIDRAW_CLI) + " " + args + " > /dev/full'");
        EXPECT_EQ(r.status, 1) << args;
        EXPECT_NE(r.err.find("standard output"), std::string::npos) << args << ": " << r.err;
    }
}
