#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "command_runner.h"

namespace fs = std::filesystem;

namespace {

// In Japanese, the language of the messages these tests read, whatever the locale of the run.
CommandRun cli(const std::string& args) {
    return runCommand(HUMIDRAW_CLI, "--lang ja " + args);
}

size_t count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
    return n;
}

// The number after "NAME": in the frame of `elements --json`, NaN when there is none.
double frameNumber(const std::string& json, const std::string& name) {
    const size_t at = json.find("\"" + name + "\": ");
    double v = std::nan("");
    if (at != std::string::npos && at < json.find("\"elements\""))  // '.' in every locale
        std::from_chars(json.data() + at + name.size() + 4, json.data() + json.size(), v);
    return v;
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

TEST(HumidrawCliElements, TotalPressureAndAltitude) {
    const std::string chart = "elements --json --metrics fake";
    const CommandRun standard = cli(chart);
    const CommandRun low = cli(chart + " --pressure 600");
    ASSERT_EQ(low.status, 0) << low.err;
    EXPECT_NE(low.out, standard.out);
    // The top of the humidity-ratio range is the saturation ratio at 45 °C to 3 decimals,
    // x_s = 0.62194 p_ws / (p − p_ws) with p_ws(45 °C) = 71.97 mmHg:
    // 760 mmHg: 44.763 / 688.03 = 0.06506 → 0.065; 600 mmHg: 44.763 / 528.03 = 0.08477 → 0.085.
    EXPECT_EQ(frameNumber(standard.out, "AHmax"), 0.065);
    EXPECT_EQ(frameNumber(low.out, "AHmax"), 0.085);
    EXPECT_EQ(frameNumber(low.out, "nAH"), 85) << "a line every 0.001";
    EXPECT_NE(standard.out.find("(全圧力P=760mmHg)"), std::string::npos);
    EXPECT_NE(low.out.find("(全圧力P=600mmHg)"), std::string::npos);
    // 600 × 101.325 / 760 = 79.9934 kPa.
    EXPECT_NE(cli(chart + " --si --pressure 600").out.find("(全圧力P=79.993kPa)"),
              std::string::npos);

    // The standard atmosphere at 1600 m: 101.325 kPa × (1 − 2.25577e-5 × 1600)^5.2559
    // = 101.325 × 0.963908^5.2559 = 101.325 × 0.824312 = 83.5235 kPa = 626.48 mmHg; taken as it
    // is, so the chart is not the one of 626 mmHg though both titles say 626.
    char digits[40];
    const double p1600 = 101.325 * std::pow(1 - 2.25577e-5 * 1600, 5.2559) * (760 / 101.325);
    const std::string exact(digits, std::to_chars(digits, digits + sizeof digits, p1600).ptr);
    ASSERT_EQ(exact.substr(0, 6), "626.47");
    const CommandRun high = cli(chart + " --altitude 1600");
    ASSERT_EQ(high.status, 0) << high.err;
    EXPECT_EQ(high.out, cli(chart + " --pressure " + exact).out);
    const CommandRun rounded = cli(chart + " --pressure 626");
    EXPECT_NE(high.out, rounded.out);
    EXPECT_NE(high.out.find("(全圧力P=626mmHg)"), std::string::npos);
    EXPECT_NE(rounded.out.find("(全圧力P=626mmHg)"), std::string::npos);

    // The ends of the range, and the altitudes of 800 and 400 mmHg: (1 − (p / 760)^(1 / 5.2559))
    // / 2.25577e-5 = −434.7 and 5096.2 m.
    for (const char* fine :
         {"--pressure 400", "--pressure 800", "--altitude -434", "--altitude 5096"})
        EXPECT_EQ(cli(chart + " " + fine).status, 0) << fine;
    EXPECT_EQ(cli(chart + " --altitude 0").out, standard.out) << "sea level: 760 mmHg";

    const fs::path ini =
        fs::temp_directory_path() / ("cli-pa-" + std::to_string(getpid()) + ".ini");
    { std::ofstream(ini) << "[Setting]\nCSpa=600\n"; }
    const CommandRun fromFile = cli(chart + " --settings " + ini.string());
    const CommandRun overridden = cli(chart + " --settings " + ini.string() + " --pressure 700");
    fs::remove(ini);
    EXPECT_EQ(fromFile.out, low.out);
    EXPECT_NE(overridden.out.find("(全圧力P=700mmHg)"), std::string::npos);

    const struct {
        const char* args;
        const char* says;
    } refused[] = {
        {"elements --pressure 800.5", "--pressure takes a total pressure from 400 to 800 mmHg"},
        {"elements --pressure 399.9", "from 400 to 800 mmHg, not 399.9"},
        {"elements --pressure 0", "from 400 to 800 mmHg"},
        {"elements --pressure low", "'low' is not a number (--pressure)"},
        {"elements --pressure", "option --pressure needs a value"},
        {"elements --pressure 700 --pressure 700", "given twice"},
        {"elements --altitude 5097", "--altitude takes an altitude from -434 to 5096 m"},
        {"elements --altitude -435", "from -434 to 5096 m"},
        {"elements --altitude 100000", "from -434 to 5096 m"},  // beyond the atmosphere's top
        {"elements --pressure 700 --altitude 100", "cannot both be given"},
        {"render --altitude 100 --pressure 700 -o c.png", "cannot both be given"},
        {"render --pressure 900 -o c.png", "from 400 to 800 mmHg"},
        {"coil --pressure 700 --altitude 100", "cannot both be given"},
        {"coil --altitude 6000", "from -434 to 5096 m"},
        {"coil --pressure 1013", "from 400 to 800 mmHg"},
        {"dump --pressure 700", "usage: humidraw-cli dump"},
    };
    for (const auto& r : refused) {
        const CommandRun run = cli(r.args);
        EXPECT_EQ(run.status, 2) << r.args;
        EXPECT_NE(run.err.find(r.says), std::string::npos) << r.args << ": " << run.err;
        EXPECT_EQ(run.out, "") << r.args;
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

namespace {

const char kDocumentJson[] =
    R"({"header": {"format": 320, "CSpa": 760, "CSdbmin": -5, "CSdbmax": 45,
 "CSFontSize": 6, "CSFontName": "ＭＳ Ｐゴシック", "CB_DB": true, "CB_RH": true, "CB_AH": true,
 "CB_EN": true, "CB_WB": true, "CB_SV": true, "CB_SHF": false, "CB_NE": false, "CB_OP": true,
 "SiUnit": false, "ColorCB": 6, "LineWidth": 3, "LineStyle": 0, "zoom": 1.5, "PBoxHeight": 720,
 "PBoxWidth": 960, "HorzScroll": 10, "VertScroll": 20},
 "records": [
  {"kind": 10, "colour": 1, "width": 3, "style": 1, "h1": 20.5, "x1": 0.0203, "h2": 12.0,
   "x2": 0.0105, "reserved1": 0, "label_position": 0, "reserved2": 0, "text": ""},
  {"kind": 30, "colour": 7, "width": 0, "style": 0, "h1": 20.5, "x1": 0.0203, "h2": 0, "x2": 0,
   "reserved1": 0, "label_position": 0, "reserved2": 0, "text": "OA 外気"},
  {"kind": 40, "colour": 7, "width": 0, "style": 0, "h1": 0, "x1": 0, "h2": 0, "x2": 0,
   "reserved1": 0, "label_position": 0, "reserved2": 0, "text": "OA,33.0,63.0,27.2,20.51,0.0203"}
]})";

class CliDocuments : public testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("cli-doc-" + std::to_string(getpid()));
        fs::create_directories(dir);
        std::ofstream(dir / "doc.json") << kDocumentJson;
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string p(const char* name) const { return (dir / name).string(); }
    fs::path dir;
};

}  // namespace

TEST_F(CliDocuments, DumpThenPackIsByteIdentical) {
    ASSERT_EQ(cli("pack " + p("doc.json") + " -o " + p("a.hdw")).status, 0);
    const CommandRun dump = cli("dump " + p("a.hdw"));
    ASSERT_EQ(dump.status, 0) << dump.err;
    EXPECT_NE(dump.out.find("\"text\": \"OA 外気\""), std::string::npos);
    EXPECT_NE(dump.out.find("\"HorzScroll\": 10"), std::string::npos);
    std::ofstream(dir / "b.json") << dump.out;
    ASSERT_EQ(cli("pack " + p("b.json") + " -o " + p("b.hdw")).status, 0);
    EXPECT_EQ(slurp(p("a.hdw")), slurp(p("b.hdw")));
}

TEST_F(CliDocuments, RenderWithTheDocumentInEveryFormat) {
    ASSERT_EQ(cli("pack " + p("doc.json") + " -o " + p("a.hdw")).status, 0);
    for (const char* out : {"c.png", "c.svg", "c.pdf", "c.emf", "c.wmf", "c.EMF"}) {
        const CommandRun r = cli("render " + p("a.hdw") + " -o " + p(out));
        EXPECT_EQ(r.status, 0) << out << r.err;
        EXPECT_GT(fs::file_size(dir / out), 1000u) << out;
    }
    EXPECT_EQ(slurp(p("c.emf")).substr(40, 4), " EMF");
    EXPECT_EQ(slurp(p("c.EMF")).substr(40, 4), " EMF");
    EXPECT_EQ(slurp(p("c.wmf")).substr(0, 4), "\xD7\xCD\xC6\x9A");
}

TEST_F(CliDocuments, PressureOptionTakesThePlaceOfTheDocuments) {
    // The same document at 760 and at 600 mmHg: the option sets the pressure a document's header
    // would, the rest of the header as it is.
    std::string at600 = kDocumentJson;
    at600.replace(at600.find("\"CSpa\": 760"), 11, "\"CSpa\": 600");
    std::ofstream(dir / "600.json") << at600;
    ASSERT_EQ(cli("pack " + p("doc.json") + " -o " + p("760.hdw")).status, 0);
    ASSERT_EQ(cli("pack " + p("600.json") + " -o " + p("600.hdw")).status, 0);
    const struct {
        const char* args;
        const char* out;
    } runs[] = {
        {"render 760.hdw -o ", "760.svg"},
        {"render 600.hdw -o ", "600.svg"},
        {"render 760.hdw --pressure 600 -o ", "760-as-600.svg"},
        {"render 600.hdw --pressure 760 -o ", "600-as-760.svg"},
        {"render 600.hdw --altitude 0 -o ", "600-at-sea-level.svg"},
    };
    for (const auto& r : runs) {
        const CommandRun run = cli(std::string(r.args).insert(7, dir.string() + "/") + p(r.out));
        ASSERT_EQ(run.status, 0) << r.args << run.err;
    }
    const std::string standard = slurp(p("760.svg")), low = slurp(p("600.svg"));
    EXPECT_NE(standard, low);
    EXPECT_NE(low.find("600mmHg"), std::string::npos);
    EXPECT_EQ(slurp(p("760-as-600.svg")), low);
    EXPECT_EQ(slurp(p("600-as-760.svg")), standard);
    EXPECT_EQ(slurp(p("600-at-sea-level.svg")), standard);
}

TEST_F(CliDocuments, DamagedFilesAndBadJson) {
    ASSERT_EQ(cli("pack " + p("doc.json") + " -o " + p("a.hdw")).status, 0);
    const std::string good = slurp(p("a.hdw"));
    std::ofstream(dir / "cut.hdw", std::ios::binary) << good.substr(0, good.size() - 3);
    const CommandRun cut = cli("dump " + p("cut.hdw"));
    EXPECT_EQ(cut.status, 1);
    EXPECT_NE(cut.err.find("バイト目"), std::string::npos) << cut.err;
    EXPECT_EQ(cli("render " + p("cut.hdw") + " -o " + p("x.png")).status, 1);
    EXPECT_FALSE(fs::exists(dir / "x.png"));
    EXPECT_EQ(cli("dump " + p("missing.hdw")).status, 1);
    EXPECT_EQ(cli("dump").status, 2);

    const struct {
        const char* json;
        const char* says;
    } bad[] = {
        {"{\"header\": null, \"records\": [", "not valid JSON"},
        {"[]", "must be an object"},
        {"{\"header\": null, \"records\": [{\"kind\": 10}]}", "\"colour\" must be"},
        {"{\"header\": null, \"records\": [{\"kind\": 100, \"colour\": 1, \"width\": 0, \"style\": "
         "0, \"h1\": 0, \"x1\": 0, \"h2\": 0, \"x2\": 0, \"reserved1\": 0, \"label_position\": 0,"
         " \"reserved2\": 0, \"text\": \"\"}]}",
         "cannot be stored"},
        {"{\"header\": {\"format\": 5}, \"records\": []}", "\"CSpa\" must be"},
        {"{\"header\": null, \"records\": [{\"kind\": 10, \"colour\": 1.5}]}", "whole number"},
    };
    for (const auto& b : bad) {
        std::ofstream(dir / "bad.json", std::ios::trunc) << b.json;
        const CommandRun r = cli("pack " + p("bad.json") + " -o " + p("bad.hdw"));
        EXPECT_EQ(r.status, 1) << b.json;
        EXPECT_NE(r.err.find(b.says), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(dir / "bad.hdw"));
    }
}

TEST_F(CliDocuments, HugeFileOpensItsFirst640) {
    // 200 000 records of the earlier format: the first 640 are taken, the rest counted.
    std::string record(68 + 1, '\0');
    const int32_t kind = 11, length = 1;
    std::memcpy(record.data(), &kind, 4);
    std::memcpy(record.data() + 64, &length, 4);
    {
        std::ofstream out(dir / "huge.hdw", std::ios::binary);
        for (int i = 0; i < 200000; ++i) out << record;
    }
    const CommandRun r = cli("dump " + p("huge.hdw"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("199360 objects beyond the first 640"), std::string::npos) << r.err;
    EXPECT_EQ(count(r.out, "\"kind\": 11"), 640u);
}

TEST_F(CliDocuments, FolderOrKindZeroIsRefusedWithAReason) {
    ASSERT_EQ(cli("pack " + p("doc.json") + " -o " + p("a.hdw")).status, 0);
    for (const char* command : {"dump ", "render "}) {
        const CommandRun r =
            cli(command + dir.string() + (command[0] == 'r' ? " -o " + p("x.png") : ""));
        EXPECT_EQ(r.status, 1) << command << r.err;
        EXPECT_NE(r.err.find("フォルダです"), std::string::npos) << r.err;
    }
    // The second record's kind set to 0: the file is damaged, not a table that ends early. The
    // font name "ＭＳ Ｐゴシック" is 7 double-byte characters, a space and the zero: 16 bytes;
    // the first record holds an empty text: 69 bytes. 94 + 16 + 69 = 179.
    std::string bytes = slurp(p("a.hdw"));
    const int32_t zero = 0;
    std::memcpy(bytes.data() + 179, &zero, 4);
    std::ofstream(dir / "kind0.hdw", std::ios::binary) << bytes;
    const CommandRun r = cli("dump " + p("kind0.hdw"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("図形の種類 0 が正しくありません（179バイト目）"), std::string::npos)
        << r.err;
}

TEST_F(CliDocuments, ExportOnAFullDiskKeepsThePreviousFile) {
    if (geteuid() != 0) GTEST_SKIP() << "mounting a small file system needs root";
    const fs::path small = dir / "small";
    fs::create_directories(small);
    if (std::system(("mount -t tmpfs -o size=300k tmpfs " + small.string()).c_str()) != 0)
        GTEST_SKIP() << "tmpfs cannot be mounted here";
    ASSERT_EQ(cli("pack " + p("doc.json") + " -o " + p("a.hdw")).status, 0);
    // 300 kB: one rendering fits, a second beside it (the temporary file) does not.
    const std::string out = (small / "c.svg").string();
    ASSERT_EQ(cli("render " + p("a.hdw") + " -o " + out).status, 0);
    const std::string before = slurp(out);
    ASSERT_GT(before.size(), 150u * 1024) << "the test needs an SVG of more than half the disk";
    const CommandRun r = cli("render " + p("a.hdw") + " -o " + out + " --zoom 2");
    const std::string after = slurp(out);
    const auto left = std::distance(fs::directory_iterator(small), fs::directory_iterator{});
    std::system(("umount " + small.string()).c_str());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("ディスクの空き容量が足りません"), std::string::npos) << r.err;
    EXPECT_EQ(after, before);
    EXPECT_EQ(left, 1) << "no temporary file left";
}
