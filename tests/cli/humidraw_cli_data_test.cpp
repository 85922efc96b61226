// `humidraw-cli zones` and `render --data`: counts of a hand-made file, the zone options and the
// refusals as a script sees them.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "command_runner.h"

namespace fs = std::filesystem;

namespace {

struct Folder {
    fs::path path = fs::temp_directory_path() / ("cli-data-" + std::to_string(getpid()));
    Folder() { fs::create_directories(path); }
    ~Folder() { fs::remove_all(path); }
    std::string write(const std::string& name, const std::string& text) const {
        std::ofstream(path / name) << text;
        return (path / name).string();
    }
};

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

}  // namespace

TEST(HumidrawCliData, ZonesJsonOfAHandMadeFile) {
    Folder f;
    // Building hygiene (18–28 °C, 40–70 %): 2 inside (one on a corner), 1 too hot, 1 too cold,
    // 1 too humid, 1 too dry; the semicolon file with decimal commas and a bad row.
    const std::string data = f.write("room.csv",
                                     "Zeit;Temp;Feuchte\n"
                                     "1;18,0;40,0\n"
                                     "2;23;55\n"
                                     "3;29;50\n"
                                     "4;17;50\n"
                                     "5;23;80\n"
                                     "6;23;30\n"
                                     "7;23;\n");
    const CommandRun r = runCommand(HUMIDRAW_CLI, "zones --lang en --data " + data +
                                                      " --columns DB=Temp,RH=3 --zone "
                                                      "building-hygiene --json");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(has(r.out, "\"rows\": 7, \"used\": 6, \"skipped\": 1")) << r.out;
    EXPECT_TRUE(has(r.out, "{\"line\": 8, \"reason\": \"missing field\"}") ||
                has(r.out, "{\"line\": 8, \"reason\": \"not a number: ''\"}"))
        << r.out;
    EXPECT_TRUE(has(r.out,
                    "\"inside\": 2, \"total\": 6, \"share\": 0.33333333333333331, "
                    "\"too_hot\": 1, \"too_cold\": 1, \"too_humid\": 1, \"too_dry\": 1"))
        << r.out;
    EXPECT_TRUE(has(r.err, "line 8")) << r.err;
}

TEST(HumidrawCliData, UserZoneFromJsonAndCsvOutput) {
    Folder f;
    const std::string data = f.write("x.csv", "DB,x\n20,5\n20,9\n30,5\n");
    const std::string zone =
        f.write("zone.json", "{\"name\": \"dry\", \"x\": [null, 8], \"DB\": [null, 25]}");
    const CommandRun r = runCommand(
        HUMIDRAW_CLI, "zones --data " + data + " --columns DB,x --units C,g/kg --zone " + zone);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "zone,data set,inside,total,share,too hot,too cold,too humid,too dry\n"
              "dry,x.csv,1,3,0.3333,1,0,1,0\n");
}

TEST(HumidrawCliData, ComfortZonesByOptionJsonAndWeatherFile) {
    Folder f;
    // Summer 0.5 clo, 1.1 met at 50 %: 26 °C inside, 31 °C too hot, 20 °C too cold; 26 °C at
    // 16 g/kg(DA) above the 12 g/kg(DA) limit too humid (or above the file's 14 too).
    const std::string data = f.write("r.csv",
                                     "time,DB,x\n"
                                     "2023-07-01 01:00,26,10.5\n"
                                     "2023-07-01 02:00,31,14\n"
                                     "2023-07-01 03:00,20,7.3\n"
                                     "2023-08-01 01:00,26,16\n");
    const std::string base = "zones --lang en --data " + data + " --columns DB,x --units C,g/kg";
    const std::string header = "zone,data set,inside,total,share,too hot,too cold,too humid,too dry\n";
    const std::string summer = "\"Comfort zone PMV ±0.5 (1.1 met, 0.5 clo, 0.1 m/s)\",r.csv,1,4,0.2500,1,1,1,0\n";
    const CommandRun option = runCommand(HUMIDRAW_CLI, base + " --zone pmv");
    ASSERT_EQ(option.status, 0) << option.err;
    EXPECT_EQ(option.out, header + summer);
    // The file's own humidity limit stands whether it comes before or after the "pmv" key.
    for (const char* json : {"{\"name\": \"s\", \"x\": [null, 14], \"pmv\": {\"clo\": 0.5}}",
                             "{\"name\": \"s\", \"pmv\": {\"clo\": 0.5}, \"x\": [null, 14]}"}) {
        const CommandRun r = runCommand(HUMIDRAW_CLI, base + " --zone " + f.write("z.json", json));
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, header + "s,r.csv,1,4,0.2500,1,1,1,0\n") << json;
    }
    // July's mean from the file's July hours: (26 + 31 + 20) / 3 = 25.667 °C, so the 80 % band is
    // 0.31 × 25.667 + 17.8 ± 3.5 = 22.257 to 29.257 °C: 26 inside, 31 too hot, 20 too cold; the
    // August hour is not counted.
    const CommandRun adaptive =
        runCommand(HUMIDRAW_CLI, base + " --time time --zone adaptive:month=7");
    ASSERT_EQ(adaptive.status, 0) << adaptive.err;
    EXPECT_EQ(adaptive.out, header + "\"Adaptive comfort, month 7, 80 %\",r.csv,1,3,0.3333,1,1,0,0\n");
    // No hours of March: the mean cannot be found.
    const CommandRun march = runCommand(HUMIDRAW_CLI, base + " --time time --zone adaptive:month=3");
    EXPECT_EQ(march.status, 1) << march.out;  // what the file holds, not a usage error
    EXPECT_TRUE(has(march.err, "month 3")) << march.err;
}

// The same points in IP units: 68 °F = 20 °C, 86 °F = 30 °C; 35 gr/lb = 5 g/kg, 63 gr/lb
// = 9 g/kg (÷ 7000); a header naming °F and gr/lb is read in them without --units.
TEST(HumidrawCliData, IpUnitsOfTheColumns) {
    Folder f;
    const std::string zone =
        f.write("zone.json", "{\"name\": \"dry\", \"x\": [null, 8], \"DB\": [null, 25]}");
    const std::string want =
        "zone,data set,inside,total,share,too hot,too cold,too humid,too dry\n"
        "dry,x.csv,1,3,0.3333,1,0,1,0\n";
    const std::string data = f.write("x.csv", "DB,x\n68,35\n68,63\n86,35\n");
    const CommandRun r = runCommand(
        HUMIDRAW_CLI, "zones --data " + data + " --columns DB,x --units F,gr/lb --zone " + zone);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, want);
    f.write("x.csv", "DB [°F],x [gr/lb(DA)]\n68,35\n68,63\n86,35\n");
    const CommandRun named = runCommand(HUMIDRAW_CLI, "zones --data " + data + " --zone " + zone);
    ASSERT_EQ(named.status, 0) << named.err;
    EXPECT_EQ(named.out, want);
    // A unit of another property is refused.
    const CommandRun wrong = runCommand(
        HUMIDRAW_CLI, "zones --data " + data + " --columns DB,x --units gr/lb,F --zone " + zone);
    EXPECT_EQ(wrong.status, 2);
    EXPECT_TRUE(has(wrong.err, "'gr/lb' is not a unit of DB")) << wrong.err;
}

TEST(HumidrawCliData, ZonesReadTheDataAtTheGivenPressure) {
    Folder f;
    // 25 °C 50 %, p_ws(25 °C) = 23.776 mmHg, φ p_ws = 11.888: x = 0.62194 × 11.888 / (p − 11.888)
    // = 7.3937 / 748.11 = 0.00988 at 760 mmHg, 7.3937 / 614.11 = 0.01204 at 626 and
    // 7.3937 / 614.59 = 0.01203 at 626.48 (1600 m): only at the lower pressures inside
    // 11.5–12.5 g/kg.
    const std::string data = f.write("site.csv", "DB,RH\n25,50\n");
    const std::string zone = f.write("z.json", "{\"name\": \"z\", \"x\": [11.5, 12.5]}");
    const std::string ini = f.write("site.ini", "[Setting]\nCSpa=626\n");
    const std::string zones = "zones --data " + data + " --zone " + zone;
    const std::string header =
        "zone,data set,inside,total,share,too hot,too cold,too humid,too dry\n";
    const struct {
        std::string args;
        std::string row;
    } cases[] = {
        {"", "z,site.csv,0,1,0.0000,0,0,0,1\n"},
        {" --pressure 626", "z,site.csv,1,1,1.0000,0,0,0,0\n"},
        {" --altitude 1600", "z,site.csv,1,1,1.0000,0,0,0,0\n"},
        {" --settings " + ini, "z,site.csv,1,1,1.0000,0,0,0,0\n"},
        {" --settings " + ini + " --pressure 760", "z,site.csv,0,1,0.0000,0,0,0,1\n"},
    };
    for (const auto& c : cases) {
        const CommandRun r = runCommand(HUMIDRAW_CLI, zones + c.args);
        ASSERT_EQ(r.status, 0) << c.args << "\n" << r.err;
        EXPECT_EQ(r.out, header + c.row) << c.args;
    }
    const CommandRun both =
        runCommand(HUMIDRAW_CLI, zones + " --lang en --pressure 626 --altitude 1600");
    EXPECT_EQ(both.status, 2);
    EXPECT_TRUE(has(both.err, "--pressure and --altitude cannot both be given")) << both.err;
}

TEST(HumidrawCliData, Refusals) {
    Folder f;
    const std::string data = f.write("d.csv", "DB,RH\n20,50\n");
    const std::string bad = f.write("bad.json", "{\"name\": \"b\", \"DB\": [30, 20]}");
    const std::string unknown = f.write("unknown.json", "{\"XX\": [1, 2]}");
    const std::string notJson = f.write("not.json", "[1, 2");
    struct Case {
        std::string args;
        int status;
        std::string says;
    } cases[] = {
        {"zones", 2, "one --data"},
        {"zones --data " + data + " --zone nowhere", 2, "neither a zone preset"},
        {"zones --lang ja --data " + data + " --zone " + bad, 2,
         "DB: 下限が上限より大きくなっています"},
        {"zones --lang en --data " + data + " --zone " + bad, 2,
         "DB: the lower bound is above the upper"},
        {"zones --data " + data + " --zone " + unknown, 2, "unknown key"},
        {"zones --data " + data + " --zone " + notJson, 2, "not a JSON object"},
        {"zones --data " + data + " --columns DB", 2, "two properties"},
        {"zones --data " + data + " --columns DB,QQ", 2, "unknown property"},
        {"zones --data " + data + " --units C,kg/kg", 2, "not a unit of RH"},
        {"zones --lang en --data /nonexistent/d.csv", 1,
         "/nonexistent/d.csv: The file is not found"},
        {"zones --lang en --data " + f.write("e.csv", "DB,RH\nx,y\n"), 1,
         "no row gives an air state (1 rows; line 2: not a number: 'x')"},
        {"render --data " + data + " --zone", 2, "needs a value"},
    };
    for (const Case& c : cases) {
        const CommandRun r = runCommand(HUMIDRAW_CLI, c.args);
        EXPECT_EQ(r.status, c.status) << c.args << "\n" << r.err;
        EXPECT_TRUE(has(r.err, c.says)) << c.args << "\n" << r.err;
    }
}

TEST(HumidrawCliData, RenderDrawsDataAndZones) {
    Folder f;
    std::string text = "DB,RH\n";
    for (int i = 0; i < 200; ++i)
        text += std::to_string(10 + i % 20) + "," + std::to_string(30 + i % 60) + "\n";
    const std::string data = f.write("d.csv", text);
    const std::string plain = (f.path / "plain.svg").string();
    const std::string with = (f.path / "with.svg").string();
    const std::string dense = (f.path / "dense.svg").string();
    ASSERT_EQ(runCommand(HUMIDRAW_CLI, "render -o " + plain).status, 0);
    const CommandRun r =
        runCommand(HUMIDRAW_CLI, "render --data " + data + " --zone tc99-a1 -o " + with);
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(runCommand(HUMIDRAW_CLI, "render --lang ja --data " + data + " --density -o " + dense)
                  .status,
              0);
    const std::string a = slurp(plain), b = slurp(with), c = slurp(dense);
    EXPECT_GT(b.size(), a.size() + 1000);
    EXPECT_TRUE(has(b, ">ASHRAE TC 9.9 "));
    EXPECT_TRUE(has(c, " 時間/(1 °"));  // the legend of the shades
    EXPECT_FALSE(has(a, "d.csv"));
    EXPECT_TRUE(has(b, "d.csv (200)"));
}

TEST(HumidrawCliData, RenderDrawsTheDocumentsCompanionData) {
    Folder f;
    // A document with a header and no objects, beside its data.
    const std::string doc = (f.path / "d.hdw").string();
    fs::copy_file(HUMIDRAW_TESTS_SOURCE "/fuzz/corpus/header-only.hdw", doc);
    const std::string out = (f.path / "d.svg").string();
    f.write("d.hdw.data",
            "humidraw-data 1\nset 1 0 0050B0 1 0\nname kept set\n20 0.007\n"
            "zone 0 208020\nname kept zone\nrange DB 18 28\nend\n");
    const CommandRun r = runCommand(HUMIDRAW_CLI, "render " + doc + " -o " + out);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(has(slurp(out), "kept set (1)"));
    EXPECT_TRUE(has(slurp(out), ">kept zone<"));
    f.write("d.hdw.data", "humidraw-data 1\nset 1");
    const CommandRun damaged = runCommand(HUMIDRAW_CLI, "render " + doc + " -o " + out);
    EXPECT_EQ(damaged.status, 1);
    EXPECT_TRUE(has(damaged.err, "d.hdw.data")) << damaged.err;
    // A companion saved with other bytes of the document is not drawn with it.
    f.write("d.hdw.data",
            "humidraw-data 1\ndocument 1 0000000000000000\nset 1 0 0050B0 1 0\nname other\n"
            "20 0.007\nend\n");
    const CommandRun other = runCommand(HUMIDRAW_CLI, "render " + doc + " -o " + out);
    EXPECT_EQ(other.status, 1);
    EXPECT_TRUE(has(other.err, "d.hdw.data")) << other.err;
}

TEST(HumidrawCliData, WhatSitsAtTheNamesIsReadOnlyWhenItIsAFile) {
    Folder f;
    const std::string doc = (f.path / "d.hdw").string();
    fs::copy_file(HUMIDRAW_TESTS_SOURCE "/fuzz/corpus/header-only.hdw", doc);
    const std::string out = (f.path / "d.svg").string();
    // A density set whose DB spans 4·10⁹ °C: drawn (its far points left out), no abort.
    f.write("d.hdw.data",
            "humidraw-data 1\nset 1 1 0050B0 2 0\nname a\n2e9 0.01\n-2e9 0.01\nend\n");
    const CommandRun wide = runCommand(HUMIDRAW_CLI, "render " + doc + " -o " + out);
    EXPECT_EQ(wide.status, 0) << wide.err;
    EXPECT_TRUE(has(slurp(out), "a (2)"));
    // A FIFO at the companion's name, then at the document's: refused at once, not waited on.
    fs::remove(f.path / "d.hdw.data");
    ASSERT_EQ(mkfifo((f.path / "d.hdw.data").c_str(), 0600), 0);
    const CommandRun fifo = runCommand(HUMIDRAW_CLI, "render " + doc + " -o " + out);
    EXPECT_EQ(fifo.status, 1);
    EXPECT_TRUE(has(fifo.err, "d.hdw.data")) << fifo.err;
    fs::remove(f.path / "d.hdw.data");
    const std::string pipe = (f.path / "p.hdw").string();
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    for (const std::string& command : {"dump " + pipe, "render " + pipe + " -o " + out}) {
        const CommandRun r = runCommand(HUMIDRAW_CLI, command);
        EXPECT_EQ(r.status, 1) << command;
        EXPECT_TRUE(has(r.err, "p.hdw")) << r.err;
    }
    fs::create_symlink("/dev/zero", f.path / "z.hdw");
    EXPECT_EQ(runCommand(HUMIDRAW_CLI, "dump " + (f.path / "z.hdw").string()).status, 1);
}

TEST(HumidrawCliData, RepeatedContradictoryOrMistypedOptionsAreUsageErrors) {
    Folder f;
    const std::string data = f.write("d.csv", "DB,RH\n20,50\n");
    const std::string zones = "zones --data " + data;
    const std::string out = (f.path / "o.png").string();
    const auto zone = [&](const std::string& name, const std::string& json) {
        return zones + " --zone " + f.write(name, json);
    };
    struct Case {
        std::string args, says;
    } cases[] = {
        {"render -o " + out + " -o b.svg", "option -o is given twice"},
        {"render --zoom 2 --zoom 3 -o " + out, "option --zoom is given twice"},
        {"render --si --si -o " + out, "option --si is given twice"},
        {"elements --dbmax 40 --dbmax 45", "option --dbmax is given twice"},
        {"render a.hdw b.hdw -o " + out, "'b.hdw' is a second"},
        {zones + " --columns DB,RH --columns DB,x", "option --columns is given twice"},
        {zones + " --units C,% --units C,%", "option --units is given twice"},
        {zones + " --density", "zones does not take --density"},
        {zones + " -o " + out, "zones does not take -o"},
        {zones + " --zoom 2", "zones does not take --zoom"},
        {"elements -o " + out, "elements does not take -o"},
        {"render --json -o " + out, "render does not take --json"},
        {"pack a.json -o x.hdw -o y.hdw", "option -o is given twice"},
        {"coil -o a.hdw -o b.hdw", "option -o is given twice"},
        {"coil X1=30 X1=31", "field X1 is given twice"},
        {"elements --settings /", "/ is a folder"},
        // 480 × 1e-300 rounds to no pixel at all; 20 is the largest the export draws.
        {"render --zoom 1e-300 -o " + out, "--zoom takes a number from 1/480"},
        {"render --zoom 0.002 -o " + out, "--zoom takes a number from 1/480"},
        {"render --zoom 20.5 -o " + out, "--zoom takes a number from 1/480"},
        {"render --zoom 2 -o " + (f.path / "o.emf").string(), "--zoom does not apply to .emf"},
        {zone("twice.json", "{\"name\": \"a\", \"DB\": [18, 28], \"name\": \"b\"}"),
         "the key 'name' is given twice"},
        {zone("esc.json", "{\"DB\": [18, 28], \"\\u0044B\": [1, 2]}"),
         "the key 'DB' is given twice"},
        {zone("both.json", "{\"colour\": \"#102030\", \"color\": \"#102030\"}"),
         "colour is given twice"},
        {zone("name5.json", "{\"name\": 5, \"DB\": [18, 28]}"), "name takes a text"},
        {zone("fill.json", "{\"fill\": \"yes\", \"DB\": [18, 28]}"), "fill takes true or false"},
        {zone("plus.json", "{\"colour\": \"#+FFFFF\", \"DB\": [18, 28]}"), "#RRGGBB"},
        {zone("blank.json", "{\"colour\": \"# FFFFF\", \"DB\": [18, 28]}"), "#RRGGBB"},
        {zone("number.json", "{\"colour\": 255, \"DB\": [18, 28]}"), "#RRGGBB"},
        {"dump -x.hdw", "usage: humidraw-cli dump"},
        {"dump a.hdw b.hdw", "usage: humidraw-cli dump"},
    };
    for (const Case& c : cases) {
        const CommandRun r = runCommand(HUMIDRAW_CLI, c.args);
        EXPECT_EQ(r.status, 2) << c.args << "\n" << r.err;
        EXPECT_TRUE(has(r.err, c.says)) << c.args << "\n" << r.err;
        EXPECT_FALSE(has(r.err, "QPainter")) << c.args << "\n" << r.err;
    }
    EXPECT_FALSE(fs::exists(out)) << "nothing drawn";
    // The ones still taken: a nested key that repeats a top-level one, a colour in capitals,
    // "--" before a name beginning with '-'.
    const CommandRun nested = runCommand(
        HUMIDRAW_CLI, zone("ok.json", "{\"name\": \"n\", \"DB\": [18, null], \"colour\": \"#A0b0C0\","
                                      " \"fill\": false}"));
    EXPECT_EQ(nested.status, 0) << nested.err;
    fs::copy_file(HUMIDRAW_TESTS_SOURCE "/fuzz/corpus/header-only.hdw", f.path / "-dash.hdw");
    const CommandRun dash =
        runCommand("cd " + f.path.string() + " && " + std::string(HUMIDRAW_CLI), "dump -- -dash.hdw");
    EXPECT_EQ(dash.status, 0) << dash.err;
    EXPECT_TRUE(has(dash.out, "\"format\": 320")) << dash.out;
}

TEST(HumidrawCliData, FileNamesOfAnyBytesStayJsonAndReachTheTerminalVisibly) {
    Folder f;
    const std::string bad = f.write("bad\xff.csv", "DB,RH\n20,50\n");
    const CommandRun r = runCommand(HUMIDRAW_CLI, "zones --json --data '" + bad + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    // FF cannot be in JSON text: it becomes U+FFFD, written as its escape.
    EXPECT_TRUE(has(r.out, "{\"data\": \"bad\\ufffd.csv\",")) << r.out;
    EXPECT_FALSE(has(r.out, "\xff"));
    // A name holding a terminal's colour sequence (ESC [ 3 1 m) and a missing file: the message
    // shows the sequence as text.
    const std::string esc = (f.path / "red\x1b[31m.csv").string();
    const CommandRun missing = runCommand(HUMIDRAW_CLI, "zones --data '" + esc + "'");
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(has(missing.err, "red\\x1b[31m.csv")) << missing.err;
    EXPECT_FALSE(has(missing.err, "\x1b"));
    const CommandRun option = runCommand(HUMIDRAW_CLI, "elements \"$(printf -- '--\\033]2;x\\007')\"");
    EXPECT_EQ(option.status, 2);
    EXPECT_TRUE(has(option.err, "unknown option '--\\x1b]2;x\\x07'")) << option.err;
}

TEST(HumidrawCliData, ColumnsFromTheHeaderAndMessagesInTheChosenLanguage) {
    Folder f;
    // No --columns: the header names DB (third) and x in g/kg (second), as the window proposes.
    const std::string data =
        f.write("h.csv", "Date,x [g/kg],DB\n1,5,20\n2,9,20\n3,5,30\n4,bad,20\n");
    const std::string zone =
        f.write("zone.json", "{\"name\": \"dry\", \"x\": [null, 8], \"DB\": [null, 25]}");
    const struct {
        const char* lang;
        std::string skipped, refusal;
    } languages[] = {
        {"ja",
         "humidraw-cli: " + data +
             ": 4 行のうち 1 行を飛ばしました\n"
             "  5 行目: 数値ではありません: 'bad'\n",
         "見出し行に量（DB, RH, x, h, WB, SV, DP）を名前とする列が2つありません"},
        {"en",
         "humidraw-cli: " + data +
             ": 1 of 4 rows skipped\n"
             "  line 5: not a number: 'bad'\n",
         "the header row does not name two properties (DB, RH, x, h, WB, SV, DP)"},
    };
    for (const auto& l : languages) {
        const CommandRun r = runCommand(HUMIDRAW_CLI, std::string("zones --lang ") + l.lang +
                                                          " --data " + data + " --zone " + zone);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out,
                  "zone,data set,inside,total,share,too hot,too cold,too humid,too dry\n"
                  "dry,h.csv,1,3,0.3333,1,0,1,0\n");
        EXPECT_EQ(r.err, l.skipped);
        const CommandRun none =
            runCommand(HUMIDRAW_CLI, std::string("zones --lang ") + l.lang + " --data " +
                                         f.write("n.csv", "a,b\n1,2\n"));
        EXPECT_EQ(none.status, 1);
        EXPECT_TRUE(has(none.err, "n.csv: " + l.refusal)) << none.err;
    }
}

namespace {

// The number after "key": in a JSON object printed on a few lines.
double jsonField(const std::string& json, const std::string& key) {
    const size_t at = json.find("\"" + key + "\": ");
    EXPECT_NE(at, std::string::npos) << key << " in " << json;
    if (at == std::string::npos) return NAN;
    // Read as JSON writes it, whatever the test's locale.
    double v = NAN;
    const char* from = json.c_str() + at + key.size() + 4;
    std::from_chars(from, json.c_str() + json.size(), v);
    return v;
}

}  // namespace

// `comfort` against ISO 7730's worked cases (Annex D, Table D.1: PMV to ±0.01, PPD to ±1 %),
// the mean radiant temperature given either way, and the humidity as RH or as x.
TEST(HumidrawCliComfort, IsoWorkedCasesAndRefusals) {
    struct Case {
        const char* args;
        double pmv, ppd;
    };
    const Case cases[] = {
        {"--DB 22 --RH 60 --met 1.2 --clo 0.5 --v 0.1", -0.75, 17},
        {"--DB 27 --RH 60 --met 1.2 --clo 0.5 --v 0.3", 0.44, 9},
        {"--DB 23.5 --RH 60 --mrt 25.5 --met 1.2 --clo 0.5 --v 0.1", -0.01, 5},
        {"--DB 23.5 --RH 60 --mrt-offset 2 --met 1.2 --clo 0.5 --v 0.3", -0.55, 11},
        {"--DB 19 --RH 40 --met 1.2 --clo 1.0 --v 0.1", -0.60, 13},
        {"--DB 27 --RH 60 --met 1.6 --clo 0.5", 1.17, 34},  // 0.1 m/s unless told
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        const CommandRun r = runCommand(HUMIDRAW_CLI, std::string("comfort --lang en --json ") + c.args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_NEAR(jsonField(r.out, "pmv"), c.pmv, 0.01) << r.out;
        EXPECT_NEAR(jsonField(r.out, "ppd"), c.ppd, 1.0) << r.out;
    }
    // The same air as x: 22 °C at 60 % is 9.9 g/kg(DA) (0.622 × 0.6 × 19.83 / (760 − 0.6 ×
    // 19.83) mmHg ≈ 0.00990), which gives back 60 % and the same vote to the second decimal.
    const CommandRun x = runCommand(HUMIDRAW_CLI, "comfort --lang en --DB 22 --x 9.9 --met 1.2");
    ASSERT_EQ(x.status, 0) << x.err;
    EXPECT_TRUE(has(x.out, "RH 60.0 %")) << x.out;
    EXPECT_TRUE(has(x.out, "PMV -0.7")) << x.out;
    EXPECT_TRUE(has(x.out, "\nPPD ")) << x.out;

    struct Refusal {
        const char* args;
        const char* message;
    };
    const Refusal refusals[] = {
        {"--RH 50", "needs --DB"},
        {"--DB 25", "one of --RH"},
        {"--DB 25 --RH 50 --x 10", "one of --RH"},
        {"--DB 25 --RH 120", "0 to 100"},
        {"--DB 25 --RH fifty", "not a number"},
        {"--DB 25 --RH 50 --RH 50", "given twice"},
        {"--DB 25 --RH 50 --met 0", "metabolic"},
        {"--DB 25 --RH 50 --clo -1", "clothing"},
        {"--DB 25 --RH 50 --mrt 30 --mrt-offset 2", "cannot both"},
        {"--DB 25 --x 40", "above saturation"},
        {"--DB 25 --RH 50 --zoom 2", "does not take --zoom"},
        {"--DB 25 --RH 50 --met", "needs a value"},
    };
    for (const Refusal& f : refusals) {
        SCOPED_TRACE(f.args);
        const CommandRun r = runCommand(HUMIDRAW_CLI, std::string("comfort --lang en ") + f.args);
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(has(r.err, f.message)) << r.err;
        EXPECT_EQ(r.out, "");
    }
}
