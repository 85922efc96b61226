// `moistek call --batch` over 150 000 seeded lines: every method and plain function, numbers
// written in every accepted form and some that are not numbers, options on a line, wrong
// argument counts, unknown names, blank and ragged lines, a NUL byte and a last line without
// its newline. The whole output is hashed and compared with a record of the program's text
// taken before its batch reading and writing were reworked (reviewed once): the text must not
// change in a single character.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "command_runner.h"

namespace {

class Random {
  public:
    explicit Random(uint64_t seed) : s_(seed) {}
    uint64_t next() {
        uint64_t z = (s_ += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<uint64_t>(n)); }
    double between(double a, double b) {
        return a + (b - a) * static_cast<double>(next() >> 11) * 0x1.0p-53;
    }

  private:
    uint64_t s_;
};

struct Name {
    const char* name;
    int args;
};

// Everything but the searches of searches, which get a few ordinary lines of their own.
const Name kNames[] = {
    {"F_DB2PWS", 1},  {"F_PW2AH", 1},   {"F_AH2DP", 1},   {"F_PAPW2AH", 2}, {"F_PAAH2PW", 2},
    {"F_DBRH2AH", 2}, {"F_DBAH2EN", 2}, {"F_ENDB2AH", 2}, {"F_ENAH2DB", 2}, {"F_DBAH2SV", 2},
    {"F_SVAH2DB", 2}, {"F_WBAH2DB", 2}, {"F_DBAH2WB", 2}, {"F_DBAH2RH", 2}, {"F_DBAH2RV", 2},
    {"F_DBWB2RH", 2}, {"F_DBSV2AH", 2}, {"F_RHAH2DB", 2}, {"F_RHEN2DB", 2}, {"F_RHSV2DB", 2},
    {"F_SVEN2DB", 2}, {"C_DBRH", 7},    {"C_DBAH", 7},    {"C_DBEN", 7},    {"C_DBSV", 7},
    {"C_RHAH", 7},    {"C_RHEN", 7},    {"C_RHSV", 7},    {"C_AHEN", 7},    {"C_AHWB", 7},
    {"C_AHSV", 7},    {"C_ENWB", 7},    {"C_ENSV", 7},    {"V_DB2PWS", 1},  {"V_PW2AH", 1},
    {"V_ENDB2AH", 2}, {"V_DBSV2AH", 2}, {"V_DBRH2AH", 2}, {"V_DBAH2EN", 2}, {"V_DBAH2WB", 2},
    {"V_DBAH2SV", 2}, {"V_WBAH2DB", 2}, {"V_SVAH2DB", 2}, {"V_ENAH2DB", 2}, {"V_RHAH2DB", 2},
    {"V_RHEN2DB", 2}, {"V_RHSV2DB", 2}, {"V_SVEN2DB", 2}, {"V_DBAH2RH", 2}, {"V_DBAH2RV", 2},
    {"V_AH2DP", 1},   {"V_Ver", 0},
};

// Numbers as text whatever the test's locale.
std::string chars(double v, std::chars_format format, int precision) {
    char buf[64];
    const auto end = std::to_chars(buf, buf + sizeof buf, v, format, precision).ptr;
    return std::string(buf, end);
}

std::string number(Random& r) {
    switch (r.below(12)) {
        case 0:
            return std::to_string(r.below(200) - 50);
        case 1:
            return chars(r.between(0, 0.05), std::chars_format::general, 17);
        case 2:
            return chars(r.between(-40, 110), std::chars_format::fixed, 4);
        case 3: {
            const char* forms[] = {"+5",   ".5",       "-.25", "-0",  "1e-310", "1E5",
                                   "0x10", "1e999",    "inf",  "nan", "12abc",  "+-1",
                                   "--si", "4.9e-324", "1.",   "e5"};
            return forms[r.below(16)];
        }
        case 4:
            return chars(r.between(-1e6, 1e6), std::chars_format::scientific, 6);
        default:
            return chars(r.between(-50, 120), std::chars_format::general, 6);
    }
}

std::string blank(Random& r) {
    const char* b[] = {" ", " ", " ", "  ", "\t", " \t "};
    return b[r.below(6)];
}

std::string line(Random& r) {
    const int u = r.below(100);
    if (u == 0) return "";
    if (u == 1) return " \t \r";
    std::string s;
    if (u < 4) s = r.below(2) ? "--si " : "--pa 700 ";
    if (u == 4) s = "--init 3 ";
    const Name& n = u == 5 ? Name{"F_NOPE", 1} : kNames[r.below(sizeof kNames / sizeof *kNames)];
    s += n.name;
    int count = n.args;
    if (u == 6) count += r.below(2) ? 1 : -1;
    for (int i = 0; i < count; ++i) s += blank(r) + number(r);
    if (u == 7) s += "\r";
    return s;
}

uint64_t fnv(const std::string& text) {
    uint64_t h = 0xcbf29ce484222325ULL;
    for (unsigned char c : text) h = (h ^ c) * 0x100000001b3ULL;
    return h;
}

}  // namespace

TEST(MoistekBatchText, RecordedOutputOfASeededRun) {
    Random r(20261208);
    std::string input;
    for (int i = 0; i < 150000; ++i) input += line(r) + "\n";
    input += "F_DBWB2AH 20 13.78\nF_SVWB2AH 0.84 13.78\nF_RHWB2DB 50 13.78\n";
    input += "C_DBWB 20 0 0 0 0 13.78 0\nC_RHWB 0 50 0 0 0 13.78 0\nC_WBSV 0 0 0 0 0.84 13.78 0\n";
    input += "V_DBWB2AH 20 13.78\nV_SVWB2AH 0.84 13.78\nV_RHWB2DB 50 13.78\n";
    input += std::string("F_DB2PWS 2\0 0\n", 14);
    input += "F_DB2PWS 20";  // no newline at the end
    const struct {
        const char* args;
        const char* hash;
    } runs[] = {{"call --batch", "0x8e4a7c9ad138b8e1"},
                {"call --batch --si --init 2", "0xce3d9ec1722a85ae"}};
    for (const auto& c : runs) {
        const CommandRun run = runCommand(MOISTEK_COMMAND, c.args, input);
        EXPECT_EQ(run.status, 1) << c.args;  // some lines are errors
        EXPECT_EQ(run.err, "") << c.args;
        char text[32];
        std::snprintf(text, sizeof text, "0x%016" PRIx64, fnv(run.out));
        EXPECT_EQ(std::string(text), c.hash) << c.args;
    }
}
