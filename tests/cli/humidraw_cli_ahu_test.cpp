// `humidraw-cli ahu`: a summer season against hand computation, the same unit typed in IP units,
// its refusals, and the document it writes, as a script sees them.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>

#include "command_runner.h"

namespace fs = std::filesystem;

namespace {

struct Folder {
    fs::path path = fs::temp_directory_path() / ("cli-ahu-" + std::to_string(getpid()));
    Folder() { fs::create_directories(path); }
    ~Folder() { fs::remove_all(path); }
    std::string write(const std::string& name, const std::string& text) const {
        std::ofstream(path / name) << text;
        return (path / name).string();
    }
    std::string at(const std::string& name) const { return (path / name).string(); }
};

std::string formatG17(double v) {
    char b[40];
    const auto end = std::to_chars(b, b + sizeof b, v).ptr;
    return std::string(b, end);
}

CommandRun ahu(const std::string& args) {
    return runCommand(HUMIDRAW_CLI, "--lang en ahu " + args);
}

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The line of the JSON output that holds `part` (each state and component is one line).
std::string lineWith(const std::string& out, const std::string& part) {
    const size_t at = out.find(part);
    if (at == std::string::npos) return "";
    const size_t start = out.rfind('\n', at) + 1;
    return out.substr(start, out.find('\n', at) - start);
}

std::optional<double> field(const std::string& line, const std::string& key) {
    const std::string tag = "\"" + key + "\": ";
    const size_t at = line.find(tag);
    double v = 0;
    if (at == std::string::npos) return std::nullopt;
    const char* from = line.data() + at + tag.size();
    if (std::from_chars(from, line.data() + line.size(), v).ec != std::errc()) return std::nullopt;
    return v;
}

double state(const std::string& out, const std::string& name, const std::string& key) {
    return field(lineWith(out, "{\"name\": \"" + name + "\","), key).value_or(std::nan(""));
}

double component(const std::string& out, const std::string& kind, const std::string& key) {
    return field(lineWith(out, "{\"kind\": \"" + kind + "\","), key).value_or(std::nan(""));
}

// h = 0.24·t + x·(597.5 + 0.441·t) kcal/kg(DA), and x back from h at a DB.
double enthalpy(double t, double x) {
    return 0.24 * t + x * (597.5 + 0.441 * t);
}
double ratio(double h, double t) {
    return (h - 0.24 * t) / (597.5 + 0.441 * t);
}
double dryBulb(double h, double x) {
    return (h - 597.5 * x) / (0.24 + 0.441 * x);
}

// Summer, standard air (1.2 kg/m³): 10000 m³/h supply (G 12000 kg/h) with 3000 m³/h outdoor air
// (3600 kg/h); OA 34 °C, x 0.020; RA 26 °C, x 0.0105; a total heat exchanger at εt = εh = 0.6,
// mixing, a coil leaving at 14 °C, x 0.0095, and a fan of 1 K. The states are given by DB and x
// so that every figure follows from the enthalpy alone.
const char kSummer[] = R"({"pressure_mmHg": 760, "units": "kcal", "air": "standard",
 "summer": {"outdoor": {"DB": 34, "x": 0.020, "flow": 3000},
            "room": {"DB": 26, "x": 0.0105, "sensible": 25000, "latent": 3000},
            "supply": {"flow": 10000},
            "recovery": {"kind": "total", "et": 0.6, "eh": 0.6}, "mixing": true,
            "coil": {"leaving": {"DB": 14, "x": 0.0095}}, "fan": {"rise": 1}}})";

}  // namespace

TEST(HumidrawCliAhu, SummerWithATotalHeatExchangerByHand) {
    Folder f;
    const CommandRun r = ahu(f.write("summer.json", kSummer) + " --json");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto near = [](double got, double expected, double tolerance) {
        return std::fabs(got - expected) <= tolerance;
    };
    // h_OA = 0.24·34 + 0.020·(597.5 + 14.994) = 20.40988; h_RA = 6.24 + 0.0105·608.966 = 12.634143.
    const double hOA = enthalpy(34, 0.020), hRA = enthalpy(26, 0.0105);
    EXPECT_NEAR(hOA, 20.40988, 1e-9);
    EXPECT_NEAR(hRA, 12.634143, 1e-9);
    // HX: DB = 34 − 0.6·(34 − 26) = 29.2; h = 20.40988 − 0.6·7.775737 = 15.7444378;
    // x = (15.7444378 − 7.008) / (597.5 + 12.8772) = 0.0143131.
    const double hHX = hOA - 0.6 * (hOA - hRA), xHX = ratio(hHX, 29.2);
    EXPECT_NEAR(xHX, 0.0143131, 1e-7);
    // MA: 3600 kg/h of HX with 8400 of RA by mass: h = 0.3·15.7444378 + 0.7·12.634143.
    const double hMA = 0.3 * hHX + 0.7 * hRA, xMA = 0.3 * xHX + 0.7 * 0.0105;
    // CC: 14 °C, x 0.0095: h = 3.36 + 0.0095·603.674 = 9.094903.
    const double hCC = enthalpy(14, 0.0095);
    const struct {
        const char* name;
        double DB, x, h;
    } states[] = {
        {"S:OA", 34, 0.020, hOA},
        {"S:HX", 29.2, xHX, hHX},
        {"S:MA", dryBulb(hMA, xMA), xMA, hMA},
        {"S:CC", 14, 0.0095, hCC},
        {"S:FN", 15, 0.0095, enthalpy(15, 0.0095)},  // the fan's 1 K at constant x
        {"S:RA", 26, 0.0105, hRA},
    };
    for (const auto& s : states) {
        EXPECT_TRUE(near(state(r.out, s.name, "DB"), s.DB, 1e-6)) << s.name << "\n" << r.out;
        EXPECT_TRUE(near(state(r.out, s.name, "x"), s.x, 1e-9)) << s.name;
        EXPECT_TRUE(near(state(r.out, s.name, "h"), s.h, 1e-6)) << s.name;
    }
    // Recovery on the outdoor air: 3600·(15.7444378 − 20.40988) = −16795.59 kcal/h, water
    // 3600·(0.0143131 − 0.020) = −20.473 kg/h.
    EXPECT_NEAR(component(r.out, "recovery", "total"), 3600 * (hHX - hOA), 1e-2);
    EXPECT_NEAR(component(r.out, "recovery", "total"), -16795.59, 1e-1);
    EXPECT_NEAR(component(r.out, "recovery", "water"), 3600 * (xHX - 0.020), 1e-5);
    // The coil on all 12000 kg/h: total 12000·(h_CC − h_MA), water 12000·(0.0095 − x_MA).
    EXPECT_NEAR(component(r.out, "coil", "total"), 12000 * (hCC - hMA), 1e-2);
    EXPECT_NEAR(component(r.out, "coil", "water"), 12000 * (0.0095 - xMA), 1e-5);
    EXPECT_NEAR(component(r.out, "coil", "G"), 12000, 1e-9);
    // The sum is the plant's: the coil and the fan, not the heat recovered.
    const double sum = component(r.out, "coil", "total") + component(r.out, "fan", "total");
    const std::string sumLine = lineWith(r.out, "\"sum\": ");
    EXPECT_NEAR(*field(sumLine, "total"), sum, 1e-6) << sumLine;
    EXPECT_TRUE(has(r.out, "\"winter\": null")) << r.out;
    EXPECT_TRUE(has(r.out, "\"warnings\": [")) << r.out;

    // The table: the states in air-flow order, the components and their sum.
    const CommandRun t = ahu(f.at("summer.json"));
    ASSERT_EQ(t.status, 0) << t.err;
    EXPECT_TRUE(has(t.out, "\nS:HX    29.2 ")) << t.out;
    EXPECT_TRUE(t.out.find("\nS:OA ") < t.out.find("\nS:HX ") &&
                t.out.find("\nS:HX ") < t.out.find("\nS:MA ") &&
                t.out.find("\nS:MA ") < t.out.find("\nS:CC "))
        << t.out;
    EXPECT_TRUE(has(t.out, "\nrecovery ") && has(t.out, "\ncoil ") && has(t.out, "\nsum "))
        << t.out;
}

TEST(HumidrawCliAhu, IpUnitsGiveTheEngineeringRunConverted) {
    Folder f;
    const auto cfm = [](double m3h) { return formatG17(m3h / 1.699011); };
    const auto btuh = [](double kcalh) { return formatG17(kcalh * 3.968321); };
    // 34 °C = 93.2 °F, 26 °C = 78.8 °F, 14 °C = 57.2 °F; x·7000 gr/lb; 1 K = 1.8 °F.
    const std::string ip = R"({"pressure_mmHg": 760, "units": "ip", "air": "standard",
 "summer": {"outdoor": {"DB": 93.2, "x": 140, "flow": )" + cfm(3000) + R"(},
            "room": {"DB": 78.8, "x": 73.5, "sensible": )" + btuh(25000) + R"(, "latent": )" +
                           btuh(3000) + R"(},
            "supply": {"flow": )" + cfm(10000) + R"(},
            "recovery": {"kind": "total", "et": 0.6, "eh": 0.6}, "mixing": true,
            "coil": {"leaving": {"DB": 57.2, "x": 66.5}}, "fan": {"rise": 1.8}}})";
    const CommandRun e = ahu(f.write("kcal.json", kSummer) + " --json");
    const CommandRun r = ahu(f.write("ip.json", ip) + " --json");
    ASSERT_EQ(e.status, 0) << e.err;
    ASSERT_EQ(r.status, 0) << r.err;
    const auto near = [](double got, double expected) {
        return std::fabs(got - expected) <= 1e-9 * std::max(1.0, std::fabs(expected));
    };
    // Enthalpy on the IP datum: 1.8 h + 32 Cpa, Cpa the library's (the float 0.24 widened).
    const double cpa = static_cast<double>(0.24f);
    const auto F = [](double c) { return 1.8 * c + 32; };
    const struct {
        const char* key;
        std::function<double(double)> convert;
    } properties[] = {
        {"DB", F}, {"WB", F}, {"DP", F}, {"RH", [](double v) { return v; }},
        {"x", [](double v) { return v * 7000; }},
        {"h", [&](double v) { return 1.8 * v + 32 * cpa; }},
        {"SV", [](double v) { return v * 16.01846; }},
    };
    for (const char* name : {"S:OA", "S:HX", "S:MA", "S:CC", "S:FN", "S:SA", "S:RA"})
        for (const auto& p : properties) {
            const double kcal = state(e.out, name, p.key), inIp = state(r.out, name, p.key);
            EXPECT_TRUE(near(inIp, p.convert(kcal)))
                << name << " " << p.key << ": " << inIp << " vs " << p.convert(kcal);
        }
    const struct {
        const char* key;
        double factor;
    } figures[] = {{"G", 2.2046226}, {"total", 3.968321}, {"sensible", 3.968321},
                   {"latent", 3.968321}, {"water", 2.2046226}};
    for (const char* kind : {"recovery", "mixing", "coil", "fan"})
        for (const auto& g : figures) {
            const double kcal = component(e.out, kind, g.key), inIp = component(r.out, kind, g.key);
            EXPECT_TRUE(near(inIp, kcal * g.factor)) << kind << " " << g.key << ": " << inIp;
        }
    // --units shows the engineering run in IP: the same figures as the IP file's.
    const CommandRun shown = ahu(f.at("kcal.json") + " --units ip --json");
    ASSERT_EQ(shown.status, 0) << shown.err;
    EXPECT_TRUE(has(shown.out, "\"units\": \"ip\"")) << shown.out;
    EXPECT_TRUE(near(state(shown.out, "S:MA", "DB"), state(r.out, "S:MA", "DB")));
    const CommandRun t = ahu(f.at("ip.json"));
    ASSERT_EQ(t.status, 0) << t.err;
    EXPECT_TRUE(has(t.out, "DB WB DP °F") && has(t.out, "loads Btu/h")) << t.out;
    EXPECT_TRUE(has(t.out, "\nS:RA    78.8 ")) << t.out;
}

TEST(HumidrawCliAhu, RefusalsNameWhereAndWriteNothing) {
    Folder f;
    const std::string doc = f.at("d.hdw");
    // Each case: the summer season's text in place of the good one, and what the message says.
    const std::string outdoor = R"("outdoor": {"DB": 34, "x": 0.020, "flow": 3000})";
    const std::string room = R"("room": {"DB": 26, "RH": 50, "sensible": 25000, "latent": 3000})";
    const std::string supply = R"("supply": {"flow": 10000})";
    const std::string base = outdoor + ", " + room + ", " + supply;
    const struct {
        std::string summer;
        std::string message;
    } cases[] = {
        {base + R"(, "boiler": true)", "summer: unknown key \"boiler\""},
        {room + ", " + supply, "summer: needs \"outdoor\""},
        {R"("outdoor": {"DB": 34, "flow": 3000}, )" + room + ", " + supply,
         "summer, \"outdoor\": needs exactly two properties"},
        {R"("outdoor": {"DB": 34, "x": 0.02, "flow": 3000, "fraction": 0.3}, "mixing": true, )" +
             room + ", " + supply,
         "summer, \"outdoor\": takes one of \"flow\" or \"fraction\", not both"},
        {outdoor + R"(, "room": {"DB": 26, "RH": 50, "sensible": 25000}, )" + supply,
         "summer, \"room\": needs \"latent\""},
        {outdoor + ", " + room + R"(, "supply": {})", "summer, \"supply\": needs \"flow\" or \"difference\""},
        {base + R"(, "recovery": {"kind": "latent", "et": 0.6})",
         "summer, \"recovery\": \"kind\" must be \"sensible\" or \"total\""},
        {base + R"(, "recovery": {"kind": "sensible", "et": 0.6, "eh": 0.6})",
         "summer, \"recovery\": unknown key \"eh\""},
        {base + R"(, "recovery": {"kind": "total", "et": 0.6})", "summer, \"recovery\": needs \"eh\""},
        {base + R"(, "mixing": "yes")", "summer: \"mixing\" must be true or false"},
        {base + R"(, "preheat": {"DB": "warm"})", "summer, \"preheat\": \"DB\" must be a number"},
        {base + R"(, "coil": {"adp": 12, "bf": 0.1, "DB": 14, "RH": 95})",
         "summer, \"coil\": takes one of \"leaving\", \"adp\" and \"bf\", or \"DB\" and \"RH\""},
        {base + R"(, "coil": {"adp": 12})", "summer, \"coil\": needs \"bf\""},
        {base + R"(, "coil": {"leaving": {"DB": 14}})",
         "summer, \"coil\", \"leaving\": needs exactly two properties"},
        {base + R"(, "humidifier": {"kind": "mist"})",
         "summer, \"humidifier\": \"kind\" must be \"steam\", \"spray\" or \"vaporising\""},
        {base + R"(, "humidifier": {"kind": "vaporising"})",
         "summer, \"humidifier\": needs \"efficiency\""},
        {base + R"(, "fan": {"rise": 1, "power": 3})",
         "summer, \"fan\": takes one of \"rise\" or \"power\", not both"},
        {base + R"(, "reheat": 1)", "summer: \"reheat\" must be true or false"},
    };
    for (const auto& c : cases) {
        const std::string file = f.write("u.json", "{\"summer\": {" + c.summer + "}}");
        const CommandRun r = ahu(file + " -o " + doc);
        EXPECT_EQ(r.status, 1) << c.summer;
        EXPECT_TRUE(has(r.err, c.message)) << c.summer << "\n" << r.err;
        EXPECT_FALSE(fs::exists(doc)) << c.summer;
    }
    const struct {
        std::string text;
        std::string message;
    } files[] = {
        {"{}", "needs \"summer\" or \"winter\", or both"},
        {R"({"units": "imperial", "summer": {}})", "\"units\" must be \"kcal\", \"si\" or \"ip\""},
        {R"({"pressure_mmHg": 1000, "summer": {}})", "\"pressure_mmHg\" must be a total pressure"},
        {R"({"summer": {}, "spring": {}})", "unknown key \"spring\""},
        {R"({"summer": []})", "\"summer\" must be an object"},
        {R"({"summer": {"room": {}, "room": {}}})", "summer: the key \"room\" is given twice"},
        {"[1", "not JSON"},
        // Read, but not computable: the room at 150 % (the season and part named before it).
        {"{\"summer\": {" + outdoor +
             R"(, "room": {"DB": 26, "RH": 150, "sensible": 1, "latent": 0}, )" + supply + "}}",
         ": no air state has these two values"},
    };
    for (const auto& c : files) {
        const CommandRun r = ahu(f.write("u.json", c.text) + " --json -o " + doc);
        EXPECT_EQ(r.status, 1) << c.text;
        EXPECT_TRUE(has(r.err, c.message)) << c.text << "\n" << r.err;
        EXPECT_EQ(r.out.rfind("{\"error\": ", 0), 0u) << r.out;
        EXPECT_FALSE(fs::exists(doc)) << c.text;
    }
    // Usage errors: another output than a document, an option ahu does not take, no file.
    const std::string good = f.write("good.json", kSummer);
    EXPECT_EQ(ahu(good + " -o " + f.at("u.png")).status, 2);
    EXPECT_EQ(ahu(good + " --zoom 2").status, 2);
    EXPECT_EQ(ahu("").status, 2);
    EXPECT_EQ(ahu(f.at("missing.json")).status, 1);
}

TEST(HumidrawCliAhu, DocumentKeepsTheUnitAndItsDrawing) {
    Folder f;
    const std::string doc = f.at("unit.hdw");
    const CommandRun r = ahu(f.write("summer.json", kSummer) + " --pressure 700 --json -o " + doc);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("{\"pressure_mmHg\": 700,", 0), 0u) << r.out.substr(0, 100);
    const std::string companion = slurp(doc + ".data");
    EXPECT_TRUE(has(companion, "\npressure 700\n")) << companion;
    // The drawing: the states as design points, then the unit as the file defined it.
    EXPECT_TRUE(has(companion, "\ndesign standard\n")) << companion;
    EXPECT_TRUE(has(companion, "\nname S:OA\n") && has(companion, "\nname S:CC\n")) << companion;
    const std::string unit =
        "\nunit standard\nseason summer 1\noutdoor DB 34 x 0.02 flow 3000 0\n"
        "room DB 26 x 0.0105 25000 3000\nsupply flow 10000 0\nrecovery 1 total 0.6 0.6\n"
        "mixing 1\npreheat 0 0\ncoil 1 leaving DB 14 x 0.0095 12 0.1 15 95\nreheat 0\n"
        "humidifier 0 steam 0.6\nfan 1 rise 1 0\nseason winter 0\n";
    EXPECT_TRUE(has(companion, unit)) << companion;
    EXPECT_GT(companion.find("\nunit "), companion.find("\nname S:RA\n")) << "after the design";
    EXPECT_EQ(companion.substr(companion.size() - 4), "end\n");
    // The document opens: its header has the pressure, and it draws.
    const CommandRun dump = runCommand(HUMIDRAW_CLI, "dump " + doc);
    ASSERT_EQ(dump.status, 0) << dump.err;
    EXPECT_TRUE(has(dump.out, "\"CSpa\": 700,")) << dump.out.substr(0, 300);
    const std::string svg = f.at("unit.svg");
    ASSERT_EQ(runCommand(HUMIDRAW_CLI, "--lang en render " + doc + " -o " + svg).status, 0);
    EXPECT_TRUE(has(slurp(svg), ">S:MA</text>")) << "the states are named on the chart";
    // Run again at 760 mmHg over it: one drawing, no pressure line.
    ASSERT_EQ(ahu(f.at("summer.json") + " -o " + doc).status, 0);
    const std::string again = slurp(doc + ".data");
    EXPECT_FALSE(has(again, "\npressure ")) << again;
    EXPECT_EQ(again.find("\nname S:OA\n"), again.rfind("\nname S:OA\n")) << again;
    EXPECT_TRUE(has(again, unit)) << again;
}
