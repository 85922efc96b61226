#include <gtest/gtest.h>

#include <filesystem>

#include "command_runner.h"

namespace fs = std::filesystem;

namespace {

CommandRun cli(const std::string& args) {
    return runCommand(HUMIDRAW_CLI, args);
}

size_t count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
    return n;
}

}  // namespace

TEST(HumidrawCliElements, FakeMetricsJsonIsCompleteAndRepeatable) {
    const CommandRun a = cli("elements --json --metrics fake");
    ASSERT_EQ(a.status, 0) << a.err;
    EXPECT_EQ(a.out.rfind("{\"frame\": {\"DBmin\": -5, \"DBmax\": 45, \"DBstep\": 1,", 0), 0u);
    for (const char* field :
         {"\"nDB\": 50", "\"nRH\": 10", "\"AHmax\": 0.065", "\"OY\": 408", "\"Ytop\": 30",
          "\"theta\": 0.665", "\"k2\": -10.39999999999999", "\"OX\": 104"})
        EXPECT_NE(a.out.find(field), std::string::npos) << field;
    EXPECT_EQ(count(a.out, "\"kind\": 10,"), 51u);
    EXPECT_NE(a.out.find("\"text\": \"乾球温度 DB [℃]\""), std::string::npos);
    EXPECT_EQ(a.out.substr(a.out.size() - 4), "\n]}\n");
    EXPECT_EQ(cli("elements --json --metrics fake").out, a.out) << "the same on every run";

    const CommandRun si = cli("elements --json --metrics fake --si --dbmin 0 --dbmax 40");
    ASSERT_EQ(si.status, 0);
    EXPECT_NE(si.out.find("\"ENstep\": 5"), std::string::npos);
    EXPECT_NE(si.out.find("101.325kPa"), std::string::npos);
    EXPECT_EQ(count(si.out, "\"kind\": 10,"), 41u);
}

TEST(HumidrawCliElements, SettingsFileAndRefusals) {
    const fs::path ini = fs::temp_directory_path() / ("cli-" + std::to_string(getpid()) + ".ini");
    { std::ofstream(ini) << "[Setting]\nCSdbmin=10\nCSdbmax=35\nSiUnit=1\n"; }
    const CommandRun r = cli("elements --json --metrics fake --settings " + ini.string());
    fs::remove(ini);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"DBmin\": 10, \"DBmax\": 35"), std::string::npos);
    EXPECT_NE(r.out.find("\"ENstep\": 5"), std::string::npos);

    const struct {
        const char* args;
        int status;
        const char* says;
    } cases[] = {
        {"elements --dbmin 40 --dbmax 30", 1, "below the upper limit"},
        {"elements --dbmin -20 --dbmax 0", 1, "above 0"},
        {"elements --settings /nonexistent/h.ini", 1, "cannot read the settings file"},
        {"elements --metrics good", 2, "qt or fake"},
        {"elements --dbmin warm", 2, "is not a number"},
        {"elements --frobnicate", 2, "unknown option"},
        {"paint", 2, "unknown command"},
        {"render", 2, "needs -o"},
        {"render -o chart.bmp", 2, "unknown output format"},
    };
    for (const auto& c : cases) {
        const CommandRun run = cli(c.args);
        EXPECT_EQ(run.status, c.status) << c.args;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << c.args << ": " << run.err;
    }
}

TEST(HumidrawCliRender, WritesEachFormat) {
    const fs::path dir = fs::temp_directory_path() / ("cli-render-" + std::to_string(getpid()));
    fs::create_directories(dir);
    for (const char* name : {"chart.png", "chart.svg", "chart.pdf"}) {
        const CommandRun r = cli("render -o " + (dir / name).string());
        EXPECT_EQ(r.status, 0) << name << r.err;
        EXPECT_GT(fs::file_size(dir / name), 1000u) << name;
    }
    const std::string png = slurp((dir / "chart.png").string());
    EXPECT_EQ(png.substr(1, 3), "PNG");
    EXPECT_EQ(cli("render --zoom 1 -o " + (dir / "small.png").string()).status, 0);
    EXPECT_LT(fs::file_size(dir / "small.png"), fs::file_size(dir / "chart.png"));
    EXPECT_EQ(cli("render -o " + (dir / "no" / "chart.png").string()).status, 1);
    fs::remove_all(dir);
}
