// `humidraw-cli design`: a design file's figures against the library's own functions, its
// refusals, and the document and rendering it writes, as a script sees them.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>

#include "command_runner.h"
#include "moistek/moistek.h"

namespace fs = std::filesystem;

namespace {

struct Folder {
    fs::path path = fs::temp_directory_path() / ("cli-design-" + std::to_string(getpid()));
    Folder() { fs::create_directories(path); }
    ~Folder() { fs::remove_all(path); }
    std::string write(const std::string& name, const std::string& text) const {
        std::ofstream(path / name) << text;
        return (path / name).string();
    }
    std::string at(const std::string& name) const { return (path / name).string(); }
};

// A number as JSON takes it, every digit kept.
std::string formatG17(double v) {
    char b[40];
    const auto end = std::to_chars(b, b + sizeof b, v).ptr;  // the shortest exact form, any locale
    return std::string(b, end);
}

CommandRun design(const std::string& args) {
    return runCommand(HUMIDRAW_CLI, "--lang en design " + args);
}

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The line of the JSON output that holds `part` (each point and process is one line).
std::string lineWith(const std::string& out, const std::string& part) {
    const size_t at = out.find(part);
    if (at == std::string::npos) return "";
    const size_t start = out.rfind('\n', at) + 1;
    return out.substr(start, out.find('\n', at) - start);
}

// The number after "KEY": in `line`; none for null or when there is none.
std::optional<double> field(const std::string& line, const std::string& key) {
    const std::string tag = "\"" + key + "\": ";
    const size_t at = line.find(tag);
    double v = 0;
    if (at == std::string::npos) return std::nullopt;
    const char* from = line.data() + at + tag.size();
    if (std::from_chars(from, line.data() + line.size(), v).ec != std::errc()) return std::nullopt;
    return v;
}

double pointField(const std::string& out, const std::string& name, const std::string& key) {
    return field(lineWith(out, "{\"name\": \"" + name + "\","), key).value_or(std::nan(""));
}

// The line of the process that makes `to` ("\"to\": \"MA\"").
std::string processLine(const std::string& out, const std::string& to) {
    return lineWith(out, "\"to\": \"" + to + "\"");
}

const char kExample[] = R"({"pressure_mmHg": 760, "units": "kcal", "air": "actual",
 "points": [{"name": "OA", "DB": 34, "WB": 27}, {"name": "RA", "DB": 26, "RH": 50},
            {"name": "W", "DB": 20, "DP": 10}],
 "processes": [
   {"kind": "mixing", "from": ["OA", "RA"], "flows": [5000, 12400], "to": "MA"},
   {"kind": "coil", "from": "MA", "adp": 12.0, "bf": 0.1, "flow": 17400, "to": "CA"},
   {"kind": "coil", "from": "MA", "leaving": {"DB": 14, "RH": 95}, "flow": 17400, "to": "CB"},
   {"kind": "sensible", "from": "CA", "DB": 16, "flow": 17400, "to": "SA"},
   {"kind": "sensible", "from": "CA", "load": 20000, "flow": 17400, "to": "SB"},
   {"kind": "steam", "from": "W", "x": 0.009, "flow": 3000, "to": "S1"},
   {"kind": "spray", "from": "W", "efficiency": 0.8, "flow": 3000, "to": "S2"},
   {"kind": "spray", "from": "W", "RH": 90, "flow": 3000, "to": "S3"},
   {"kind": "supply", "room": "RA", "sensible": 50000, "latent": 5000, "flow": 17400, "to": "SP"},
   {"kind": "shf", "room": "RA", "shf": 0.8},
   {"kind": "line", "from": "OA", "to": "RA", "colour": 3, "width": 1, "style": 2,
    "label": true}]})";

}  // namespace

TEST(HumidrawCliDesign, ExampleFiguresAgreeWithTheLibrary) {
    Folder f;
    const CommandRun r = design(f.write("example.json", kExample) + " --json");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    // The defined points in their order, then each made one in the order of its process.
    size_t last = 0;
    for (const char* name : {"OA", "RA", "W", "MA", "CA", "CB", "SA", "SB", "S1", "S2", "S3",
                             "SP"}) {
        const size_t at = r.out.find("{\"name\": \"" + std::string(name) + "\",");
        ASSERT_NE(at, std::string::npos) << name << " missing in " << r.out;
        EXPECT_GT(at, last) << name;
        last = at;
    }

    // The library's own functions at 760 mmHg (kcal/kg(DA), kg/kg(DA), m³/kg(DA)).
    const double xOA = V_DBWB2AH(34, 27), hOA = V_DBAH2EN(34, xOA), svOA = V_DBAH2SV(34, xOA);
    const double xRA = V_DBRH2AH(26, 50), hRA = V_DBAH2EN(26, xRA), svRA = V_DBAH2SV(26, xRA);
    EXPECT_NEAR(pointField(r.out, "OA", "x"), xOA, 1e-9);
    EXPECT_NEAR(pointField(r.out, "OA", "h"), hOA, 1e-6);
    EXPECT_NEAR(pointField(r.out, "OA", "SV"), svOA, 1e-6);
    EXPECT_NEAR(pointField(r.out, "RA", "WB"), V_DBAH2WB(26, xRA), 1e-4);
    // W at a dew point of 10 °C: the vapour pressure of saturation at 10 °C, 9.21 mmHg.
    const double pwW = V_DB2PWS(10), xW = V_PW2AH(pwW);
    EXPECT_NEAR(pointField(r.out, "W", "PW"), pwW, 1e-4);
    EXPECT_NEAR(pointField(r.out, "W", "x"), xW, 1e-9);

    // Mixing by dry-air mass: G_i = flow_i / SV_i (5000 / 0.89 ≈ 5620 and 12400 / 0.86 ≈ 14420
    // kg/h), h = Σ G_i h_i / Σ G_i, x likewise.
    const double g1 = 5000 / svOA, g2 = 12400 / svRA;
    const double hMA = (g1 * hOA + g2 * hRA) / (g1 + g2), xMA = (g1 * xOA + g2 * xRA) / (g1 + g2);
    const std::string mixing = processLine(r.out, "MA");
    EXPECT_TRUE(has(mixing, "\"kind\": \"mixing\", \"from\": [\"OA\", \"RA\"]")) << mixing;
    EXPECT_NEAR(field(mixing, "G").value_or(0), g1 + g2, 1e-6 * (g1 + g2));
    EXPECT_NEAR(pointField(r.out, "MA", "h"), hMA, 1e-6);
    EXPECT_NEAR(pointField(r.out, "MA", "x"), xMA, 1e-9);

    // The coil by ADP 12 °C and BF 0.1: the leaving state is 0.1 of the way from the saturated
    // state at 12 °C to MA, in h and x; its load G (h_CA − h_MA) with G = 17400 / SV_MA,
    // negative (heat taken away).
    const double dbMA = pointField(r.out, "MA", "DB");
    const double svMA = V_DBAH2SV(dbMA, xMA), gCoil = 17400 / svMA;
    const double xADP = V_DBRH2AH(12, 100), hADP = V_DBAH2EN(12, xADP);
    const double hCA = hADP + 0.1 * (hMA - hADP), xCA = xADP + 0.1 * (xMA - xADP);
    EXPECT_NEAR(pointField(r.out, "CA", "h"), hCA, 1e-4);
    EXPECT_NEAR(pointField(r.out, "CA", "x"), xCA, 1e-7);
    const std::string coil = processLine(r.out, "CA");
    EXPECT_NEAR(field(coil, "G").value_or(0), gCoil, 1e-3);
    EXPECT_NEAR(field(coil, "total").value_or(0), gCoil * (hCA - hMA), 1);
    EXPECT_NEAR(field(coil, "adp").value_or(0), 12, 1e-6);
    EXPECT_NEAR(field(coil, "bf").value_or(0), 0.1, 1e-9);
    // The water it takes out, G (x_MA − x_CA) kg/h (the sign is that of the humidifying).
    EXPECT_NEAR(std::abs(field(coil, "water").value_or(0)), gCoil * (xMA - xCA), 1e-3);
    // The coil to a leaving state: that state, 14 °C 95 %.
    EXPECT_NEAR(pointField(r.out, "CB", "x"), V_DBRH2AH(14, 95), 1e-9);
    EXPECT_NEAR(pointField(r.out, "CB", "RH"), 95, 1e-6);

    // Sensible heating of CA to 16 °C at its x; by 20000 kcal/h: h rises by 20000 / G.
    const double dbCA = pointField(r.out, "CA", "DB");
    const double gCA = 17400 / V_DBAH2SV(dbCA, xCA);
    const double hSA = V_DBAH2EN(16, xCA);
    EXPECT_NEAR(pointField(r.out, "SA", "h"), hSA, 1e-4);
    const std::string heating = processLine(r.out, "SA");
    EXPECT_NEAR(field(heating, "total").value_or(0), gCA * (hSA - hCA), 1);
    EXPECT_NEAR(field(heating, "sensible").value_or(0), gCA * (hSA - hCA), 1);
    EXPECT_NEAR(field(heating, "latent").value_or(1), 0, 1e-6);
    EXPECT_NEAR(pointField(r.out, "SB", "h"), hCA + 20000 / gCA, 1e-4);
    EXPECT_NEAR(pointField(r.out, "SB", "x"), xCA, 1e-9);
    EXPECT_NEAR(field(processLine(r.out, "SB"), "total").value_or(0), 20000, 1e-6);

    // Steam to x 0.009 at W's 20 °C: 3000 / SV_W × (0.009 − x_W) kg/h of steam.
    const double gW = 3000 / V_DBAH2SV(20, xW);
    EXPECT_NEAR(pointField(r.out, "S1", "DB"), 20, 1e-6);
    EXPECT_NEAR(pointField(r.out, "S1", "x"), 0.009, 1e-12);
    EXPECT_NEAR(field(processLine(r.out, "S1"), "water").value_or(0), gW * (0.009 - xW), 1e-3);
    // Sprays keep W's wet bulb, the second to 90 %.
    const double wbW = V_DBAH2WB(20, xW);
    EXPECT_NEAR(pointField(r.out, "S2", "WB"), wbW, 0.02);
    EXPECT_GT(pointField(r.out, "S2", "x"), xW);
    EXPECT_NEAR(pointField(r.out, "S3", "WB"), wbW, 0.02);
    EXPECT_NEAR(pointField(r.out, "S3", "RH"), 90, 1e-3);

    // The supply state carries the room's 55000 kcal/h away, SHF 50000 / 55000 = 0.909.
    const std::string supply = processLine(r.out, "SP");
    EXPECT_NEAR(std::abs(field(supply, "total").value_or(0)), 55000, 1);
    EXPECT_NEAR(field(supply, "shf").value_or(0), 50000.0 / 55000, 1e-6);
    EXPECT_LT(pointField(r.out, "SP", "h"), hRA);
    // The SHF line makes no point; a line carries no figures.
    const std::string shf = lineWith(r.out, "\"kind\": \"shf\"");
    EXPECT_TRUE(has(shf, "\"from\": \"RA\", \"to\": null,")) << shf;
    EXPECT_NEAR(field(shf, "shf").value_or(0), 0.8, 1e-12);
    EXPECT_EQ(lineWith(r.out, "\"kind\": \"line\""),
              "  {\"kind\": \"line\", \"from\": \"OA\", \"to\": \"RA\", \"G\": null, "
              "\"total\": null, \"sensible\": null, \"latent\": null, \"shf\": null, "
              "\"water\": null, \"adp\": null, \"bf\": null}");

    // The table says the same, rounded.
    const CommandRun t = design(f.at("example.json"));
    ASSERT_EQ(t.status, 0) << t.err;
    EXPECT_TRUE(has(t.out, "\nOA     34.0   27.0 ")) << t.out;
    EXPECT_TRUE(has(t.out, "\nmixing    OA + RA -> MA ")) << t.out;
    EXPECT_TRUE(has(t.out, "\nshf       RA ")) << t.out;
}

TEST(HumidrawCliDesign, SiUnitsAndStandardAir) {
    Folder f;
    // h in kJ/kg(DA): 12.63 kcal/kg(DA) × 4.18605 = 52.8698 kJ/kg(DA) at 26 °C; loads in kW
    // (860 kcal/h each): 20 kW = 17200 kcal/h over G = 10000 × 1.2 = 12000 kg/h of standard air
    // raise h by 1.43333 kcal/kg(DA) = 6.0000 kJ/kg(DA).
    const std::string file = f.write("si.json", R"({"units": "si", "air": "standard",
        "points": [{"name": "室", "DB": 26, "h": 52.8698115}],
        "processes": [{"kind": "sensible", "from": "室", "load": 20, "flow": 10000, "to": "B"},
                      {"kind": "mixing", "from": ["室", "B"], "flows": [1000, 3000], "to": "M"}]})");
    const CommandRun r = design(file + " --json");
    ASSERT_EQ(r.status, 0) << r.err;
    const double xA = V_ENDB2AH(12.63, 26);
    EXPECT_NEAR(pointField(r.out, "室", "x"), xA, 1e-8);
    EXPECT_NEAR(pointField(r.out, "室", "h"), 52.8698115, 1e-6);
    // The vapour pressure in kPa: that of saturation at the dew point, mmHg × 101.325 / 760.
    EXPECT_NEAR(pointField(r.out, "室", "PW"), V_DB2PWS(V_AH2DP(xA)) * 101.325 / 760, 1e-5);
    EXPECT_NEAR(pointField(r.out, "B", "h"), 52.8698115 + 6.0, 1e-3);
    const std::string heating = processLine(r.out, "B");
    EXPECT_NEAR(field(heating, "G").value_or(0), 12000, 1e-9);
    EXPECT_NEAR(field(heating, "total").value_or(0), 20, 1e-9);
    // Standard air: (1000 + 3000) × 1.2 = 4800 kg/h whatever the states' volumes.
    EXPECT_NEAR(field(processLine(r.out, "M"), "G").value_or(0), 4800, 1e-9);
    EXPECT_NEAR(pointField(r.out, "M", "h"), 52.8698115 + 0.75 * 6.0, 1e-3);

    const CommandRun t = design(file);
    ASSERT_EQ(t.status, 0) << t.err;
    EXPECT_TRUE(has(t.out, "h kJ/kg(DA)") && has(t.out, "PW kPa") && has(t.out, "loads kW"))
        << t.out;
    // The name column as wide as "name": the wide 室 takes two of its four columns.
    EXPECT_TRUE(has(t.out, "\n室     26.0 ")) << t.out;
}

// The example typed in IP units (every value converted by hand with the published factors:
// °F = 1.8 °C + 32, 7000 gr/lb, 1.699011 m³/h a cfm, 3.968321 Btu/h a kcal/h) computes the same
// design: each figure is the engineering one converted, to 1e-9.
TEST(HumidrawCliDesign, IpUnitsGiveTheEngineeringDesignConverted) {
    Folder f;
    const auto cfm = [](double m3h) { return formatG17(m3h / 1.699011); };
    const auto btuh = [](double kcalh) { return formatG17(kcalh * 3.968321); };
    const std::string ip = std::string(R"({"pressure_mmHg": 760, "units": "ip", "air": "actual",
 "points": [{"name": "OA", "DB": 93.2, "WB": 80.6}, {"name": "RA", "DB": 78.8, "RH": 50},
            {"name": "W", "DB": 68, "DP": 50}],
 "processes": [
   {"kind": "mixing", "from": ["OA", "RA"], "flows": [)") + cfm(5000) + ", " + cfm(12400) +
                           R"(], "to": "MA"},
   {"kind": "coil", "from": "MA", "adp": 53.6, "bf": 0.1, "flow": )" + cfm(17400) + R"(, "to": "CA"},
   {"kind": "coil", "from": "MA", "leaving": {"DB": 57.2, "RH": 95}, "flow": )" + cfm(17400) +
                           R"(, "to": "CB"},
   {"kind": "sensible", "from": "CA", "DB": 60.8, "flow": )" + cfm(17400) + R"(, "to": "SA"},
   {"kind": "sensible", "from": "CA", "load": )" + btuh(20000) + ", \"flow\": " + cfm(17400) +
                           R"(, "to": "SB"},
   {"kind": "steam", "from": "W", "x": 63, "flow": )" + cfm(3000) + R"(, "to": "S1"},
   {"kind": "spray", "from": "W", "efficiency": 0.8, "flow": )" + cfm(3000) + R"(, "to": "S2"},
   {"kind": "spray", "from": "W", "RH": 90, "flow": )" + cfm(3000) + R"(, "to": "S3"},
   {"kind": "supply", "room": "RA", "sensible": )" + btuh(50000) + ", \"latent\": " + btuh(5000) +
                           ", \"flow\": " + cfm(17400) + R"(, "to": "SP"},
   {"kind": "shf", "room": "RA", "shf": 0.8}]})";
    const CommandRun e = design(f.write("kcal.json", kExample) + " --json");
    const CommandRun r = design(f.write("ip.json", ip) + " --json");
    ASSERT_EQ(e.status, 0) << e.err;
    ASSERT_EQ(r.status, 0) << r.err;
    // Enthalpy on the IP datum: 1.8 h + 32 Cpa, Cpa the library's own (the float 0.24 widened).
    const double cpa = MoistekClass().Cpa;
    const auto F = [](double c) { return 1.8 * c + 32; };
    const struct {
        const char* key;
        std::function<double(double)> convert;
    } properties[] = {
        {"DB", F}, {"WB", F}, {"DP", F}, {"RH", [](double v) { return v; }},
        {"x", [](double v) { return v * 7000; }},
        {"h", [&](double v) { return 1.8 * v + 32 * cpa; }},
        {"SV", [](double v) { return v * 16.01846; }},
        {"PW", [](double v) { return v * 0.0193368; }},
        {"density", [](double v) { return v * 0.06242796; }},
    };
    const auto near = [](double ip, double expected) {
        return std::fabs(ip - expected) <= 1e-9 * std::max(1.0, std::fabs(expected));
    };
    for (const char* name : {"OA", "RA", "W", "MA", "CA", "CB", "SA", "SB", "S1", "S2", "S3", "SP"})
        for (const auto& p : properties) {
            const double kcal = pointField(e.out, name, p.key), inIp = pointField(r.out, name, p.key);
            EXPECT_TRUE(near(inIp, p.convert(kcal))) << name << " " << p.key << ": " << inIp
                                                     << " vs " << p.convert(kcal);
        }
    const struct {
        const char* key;
        double factor;
    } figures[] = {{"G", 2.2046226}, {"total", 3.968321}, {"sensible", 3.968321},
                   {"latent", 3.968321}, {"water", 2.2046226}, {"shf", 1}, {"bf", 1}};
    for (const char* to : {"MA", "CA", "CB", "SA", "SB", "S1", "S2", "S3", "SP"})
        for (const auto& g : figures) {
            const auto kcal = field(processLine(e.out, to), g.key);
            const auto inIp = field(processLine(r.out, to), g.key);
            ASSERT_EQ(kcal.has_value(), inIp.has_value()) << to << " " << g.key;
            if (kcal) {
                EXPECT_TRUE(near(*inIp, *kcal * g.factor)) << to << " " << g.key;
            }
        }
    const auto adp = field(processLine(r.out, "CB"), "adp");
    ASSERT_TRUE(adp.has_value());
    EXPECT_TRUE(near(*adp, F(*field(processLine(e.out, "CB"), "adp"))));

    const CommandRun t = design(f.at("ip.json"));
    ASSERT_EQ(t.status, 0) << t.err;
    EXPECT_TRUE(has(t.out, "DB WB DP °F") && has(t.out, "x gr/lb(DA)") &&
                has(t.out, "h Btu/lb(DA)") && has(t.out, "SV ft³/lb(DA)") &&
                has(t.out, "PW psia") && has(t.out, "loads Btu/h") && has(t.out, "G lb/h"))
        << t.out;
    // 26 °C, 50 % at 760 mmHg reads 78.8 °F.
    EXPECT_TRUE(has(t.out, "\nRA     78.8 ")) << t.out;
}

TEST(HumidrawCliDesign, RefusalsNameWhatIsWrongAndWriteNothing) {
    Folder f;
    const std::string doc = f.at("d.hdw");
    const std::string oa = R"({"name": "OA", "DB": 34, "WB": 27})";
    const std::string ra = R"({"name": "RA", "DB": 26, "RH": 50})";
    const std::string mix =
        R"({"kind": "mixing", "from": ["OA", "RA"], "flows": [5000, 12400], "to": "MA"})";
    const auto points = [&](const std::string& p) { return "{\"points\": [" + p + "]}"; };
    const auto processes = [&](const std::string& p) {
        return "{\"points\": [" + oa + ", " + ra + "], \"processes\": [" + p + "]}";
    };
    const struct {
        std::string json;
        std::string message;
    } cases[] = {
        {"[1, 2]", "a design file holds one JSON object"},
        {"{\"points\": [", "not JSON ("},
        {"{\"points\": []}", "\"points\" must be a list of one point or more"},
        {"{\"points\": [" + oa + "], \"units\": \"SI\"}", "\"units\" must be \"kcal\", \"si\" or \"ip\""},
        {"{\"points\": [" + oa + "], \"air\": 1}", "\"air\" must be \"actual\" or \"standard\""},
        {"{\"points\": [" + oa + "], \"pressure_mmHg\": 900}",
         "\"pressure_mmHg\" must be a total pressure from 400 to 800 mmHg"},
        {"{\"points\": [" + oa + "], \"units\": \"si\", \"units\": \"kcal\"}",
         "the key \"units\" is given twice"},
        {"{\"points\": [" + oa + "], \"colours\": 1}", "unknown key \"colours\""},
        {points(R"({"name": "OA", "DB": 34})"),
         "point 1 (OA): needs exactly two properties (of DB, WB, DP, RH, x, h, SV), not 1"},
        {points(R"({"name": "OA", "DB": 34, "WB": 27, "RH": 50})"), "point 1 (OA): needs exactly "
                                                                    "two properties (of DB, WB, "
                                                                    "DP, RH, x, h, SV), not 3"},
        {points(oa + R"(, {"name": "RA", "DB": "26", "RH": 50})"),
         "point 2 (RA): \"DB\" must be a number"},
        {points(R"({"name": "OA", "DB": 34, "WB": 27, "T": 3})"), "point 1 (OA): unknown key \"T\""},
        {points(R"({"DB": 34, "WB": 27})"), "point 1: needs a \"name\""},
        {points(R"({"name": " OA", "DB": 34, "WB": 27})"), "point 1 ( OA): \"name\" \" OA\" cannot "
                                                           "name a point"},
        {points(oa + ", " + oa), "point 2 (OA): another point has this name"},
        {points(R"({"name": "OA", "DB": 34, "DB": 30, "WB": 27})"),
         "point 1 (OA): the key \"DB\" is given twice"},
        {points(R"({"name": "OA", "DB": 34, "WB": 27, "colour": 14})"),
         "point 1 (OA): \"colour\" must be a whole number from 0 to 13"},
        {points(R"({"name": "OA", "DB": 34, "WB": 27, "width": 2.5})"),
         "point 1 (OA): \"width\" must be a whole number from 0 to 4"},
        {points(R"({"name": "OA", "DB": 34, "WB": 27, "style": -1})"),
         "point 1 (OA): \"style\" must be a whole number from 0 to 4"},
        // JSON holds no number beyond the largest double: the parser refuses it.
        {points(R"({"name": "OA", "DB": 1e999, "WB": 27})"), "not JSON (illegal number"},
        {processes(mix + R"(, {"kind": "coil", "from": "MA", "adp": 12, "bf": "0.1", "to": "CA"})"),
         "process 2 (coil): \"bf\" must be a number"},
        {processes(R"({"kind": "coil", "from": "OA", "adp": 12, "to": "CA"})"),
         "process 1 (coil): needs \"bf\""},
        {processes(R"({"kind": "coil", "from": "OA", "adp": 12, "bf": 0.1, "leaving": {"DB": 14,
           "RH": 95}, "to": "CA"})"),
         "process 1 (coil): takes either \"leaving\" or \"adp\" and \"bf\""},
        {processes(R"({"kind": "coil", "from": "OA", "leaving": {"DB": 14, "DB": 15, "RH": 95},
           "to": "CA"})"),
         "process 1 (coil), \"leaving\": the key \"DB\" is given twice"},
        {processes(R"({"kind": "coil", "from": "OA", "leaving": {"DB": 14}, "to": "CA"})"),
         "process 1 (coil), \"leaving\": needs exactly two properties"},
        {processes(R"({"kind": "heater", "from": "OA", "to": "CA"})"),
         "process 1 (heater): \"kind\" must be one of line, sensible, coil, steam, spray, "
         "mixing, supply, shf"},
        {processes(R"({"from": "OA", "to": "CA"})"), "process 1: needs a \"kind\""},
        {processes(R"({"kind": "mixing", "from": "OA", "flows": [1], "to": "MA"})"),
         "process 1 (mixing): \"from\" must be a list of 2 to 16 point names"},
        {processes(R"({"kind": "mixing", "from": ["OA", "RA"], "flows": [1], "to": "MA"})"),
         "process 1 (mixing): \"flows\" must be a list of as many air flows as \"from\" has "
         "points"},
        {processes(R"({"kind": "mixing", "from": ["OA", "RA"], "flows": [1, "2"], "to": "MA"})"),
         "process 1 (mixing): \"flows\" item 2 must be a number"},
        {processes(R"({"kind": "mixing", "from": ["OA", "RA"], "flows": [1, 2]})"),
         "process 1 (mixing): needs \"to\""},
        {processes(R"({"kind": "sensible", "from": "OA", "DB": 16, "load": 5, "to": "SA"})"),
         "process 1 (sensible): takes one of \"DB\" or \"load\", not more"},
        {processes(R"({"kind": "sensible", "from": "OA", "to": "SA"})"),
         "process 1 (sensible): needs \"DB\" or \"load\""},
        {processes(R"({"kind": "spray", "from": "OA", "to": "SA"})"),
         "process 1 (spray): needs \"x\" or \"RH\" or \"efficiency\""},
        {processes(R"({"kind": "steam", "from": "OA", "to": "SA", "efficiency": 1})"),
         "process 1 (steam): unknown key \"efficiency\""},
        {processes(R"({"kind": "shf", "room": "RA", "shf": 0.8, "to": "X"})"),
         "process 1 (shf): unknown key \"to\""},
        {processes(R"({"kind": "shf", "room": "RA"})"),
         "process 1 (shf): needs \"shf\" or the room's \"sensible\" and \"latent\" loads"},
        {processes(R"({"kind": "supply", "from": "RA", "to": "SP"})"),
         "process 1 (supply): unknown key \"from\""},
        {processes(R"({"kind": "line", "from": "OA", "to": 3})"),
         "process 1 (line): \"to\" must be a point's name (a text)"},
        {processes(R"({"kind": "line", "from": "OA", "to": "RA", "label": 1})"),
         "process 1 (line): \"label\" must be true or false"},
        {processes(R"({"kind": "line", "from": "OA", "to": "RA", "flow": null})"),
         "process 1 (line): \"flow\" must be a number"},
    };
    for (const auto& c : cases) {
        const std::string file = f.write("bad.json", c.json);
        const CommandRun r = design(file + " -o " + doc);
        EXPECT_EQ(r.status, 1) << c.json;
        EXPECT_EQ(r.err.rfind("humidraw-cli: " + file + ": " + c.message, 0), 0u)
            << c.json << "\n"
            << r.err;
        EXPECT_EQ(r.out, "") << c.json;
        EXPECT_FALSE(fs::exists(doc) || fs::exists(doc + ".data")) << c.json;
        const CommandRun j = design(file + " --json");
        EXPECT_EQ(j.out.rfind("{\"error\": \"", 0), 0u) << j.out;
    }

    // What the core cannot compute: the message names the point or the process (in the words of
    // the run's language), and no document is written; one already there stays as it was.
    std::ofstream(doc) << "kept";
    const struct {
        std::string json;
        std::string names;
    } uncomputable[] = {
        {points(R"({"name": "Hot", "DB": 20, "RH": 150})"), " Hot: "},
        {processes(R"({"kind": "line", "from": "OA", "to": "ZZ"})"), " 1 (line): "},
        {processes(mix + R"(, {"kind": "coil", "from": "NONE", "adp": 12, "bf": 0.1,
            "to": "CA"})"),
         " 2 (coil): "},
    };
    for (const auto& c : uncomputable) {
        const std::string file = f.write("bad.json", c.json);
        const CommandRun r = design(file + " -o " + doc);
        EXPECT_EQ(r.status, 1) << c.json;
        EXPECT_EQ(r.err.rfind("humidraw-cli: " + file + ": ", 0), 0u) << r.err;
        EXPECT_TRUE(has(r.err, c.names)) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(slurp(doc), "kept");
        EXPECT_FALSE(fs::exists(doc + ".data"));
    }

    // Usage errors: status 2, before the file is read.
    const std::string good = f.write("good.json", points(oa));
    const struct {
        std::string args;
        std::string message;
    } usage[] = {
        {"", "design needs a design file (DESIGN.json)"},
        {good + " " + good, "design takes one design file; '" + good + "' is a second"},
        {good + " -o " + f.at("out.txt"), "unknown output format"},
        {good + " --zoom 2 -o " + doc, "--zoom applies to a rendering, not to a .hdw document"},
        {good + " --zone building-hygiene", "--data and --zone need -o"},
        {good + " --metrics fake", "design does not take --metrics"},
        {good + " --pressure 300", "--pressure takes a total pressure from 400 to 800 mmHg"},
    };
    for (const auto& c : usage) {
        const CommandRun r = design(c.args);
        EXPECT_EQ(r.status, 2) << c.args;
        EXPECT_TRUE(has(r.err, c.message)) << c.args << ": " << r.err;
    }
    EXPECT_EQ(design(f.at("none.json")).status, 1);
}

TEST(HumidrawCliDesign, DocumentKeepsTheDesignAndRendersIt) {
    Folder f;
    const std::string file = f.write("example.json", kExample);
    const std::string doc = f.at("plan.hdw");
    const CommandRun r = design(file + " --pressure 700 --json -o " + doc);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("{\"points\": [", 0), 0u) << "the figures are printed too";
    // The companion: its pressure, the design's basis, and the points as defined, in order.
    const std::string companion = slurp(doc + ".data");
    EXPECT_TRUE(has(companion, "\npressure 700\n")) << companion;
    EXPECT_TRUE(has(companion, "\ndesign actual\n")) << companion;
    const size_t oa = companion.find("\nname OA\n"), w = companion.find("\nname W\n");
    EXPECT_NE(oa, std::string::npos) << companion;
    EXPECT_LT(oa, w) << companion;
    EXPECT_TRUE(has(companion, "\npoint DB 34")) << companion;
    EXPECT_TRUE(has(companion, "\nprocess mixing ")) << companion;
    EXPECT_TRUE(has(companion, "\nprocess line 3 1 2 1\n")) << "the line's look and label";
    // The document's header has the pressure.
    const CommandRun dump = runCommand(HUMIDRAW_CLI, "dump " + doc);
    ASSERT_EQ(dump.status, 0) << dump.err;
    EXPECT_TRUE(has(dump.out, "\"CSpa\": 700,")) << dump.out.substr(0, 300);

    // Rendered directly and from the document: the same drawing, names and all.
    const std::string direct = f.at("direct.svg"), again = f.at("again.svg");
    ASSERT_EQ(design(file + " --pressure 700 -o " + direct).status, 0);
    ASSERT_EQ(runCommand(HUMIDRAW_CLI, "--lang en render " + doc + " -o " + again).status, 0);
    const std::string svg = slurp(direct);
    EXPECT_TRUE(has(svg, ">MA</text>") && has(svg, ">SP</text>")) << "the points are named";
    EXPECT_TRUE(svg == slurp(again)) << "the document draws as the design file does";
    const std::string plain = f.at("plain.svg");
    ASSERT_EQ(runCommand(HUMIDRAW_CLI, "--lang en render --pressure 700 -o " + plain).status, 0);
    EXPECT_TRUE(slurp(plain) != svg) << "the design is drawn over the chart";

    // At 760 mmHg the companion names no pressure but still carries the design.
    ASSERT_EQ(design(file + " -o " + doc).status, 0);
    const std::string standard = slurp(doc + ".data");
    EXPECT_FALSE(has(standard, "\npressure ")) << standard;
    EXPECT_TRUE(has(standard, "\ndesign actual\n")) << standard;
}
