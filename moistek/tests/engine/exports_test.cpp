#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

#include "engine_test_support.h"

using M = MoistekClass;

TEST(PlainFunctions, ReferenceValuesAndFailures) {
    EXPECT_NEAR(V_DBAH2RH(20, 0.0072630), 50.00, 1e-3);
    EXPECT_NEAR(V_DBAH2WB(20, 0.0072630), 13.7801, 1e-4);
    EXPECT_EQ(V_DB2PWS(400), 0.0);
    EXPECT_EQ(V_PW2AH(760), 0.0);
    EXPECT_EQ(V_AH2DP(5), 0.0);
}

TEST(PlainFunctions, SameAsMethodOnFreshInstance) {
    struct Pair {
        double (*plain)(double, double);
        BinaryMethod method;
    } const pairs[] = {
        {V_ENDB2AH, &M::F_ENDB2AH}, {V_DBWB2AH, &M::F_DBWB2AH}, {V_DBSV2AH, &M::F_DBSV2AH},
        {V_SVWB2AH, &M::F_SVWB2AH}, {V_DBRH2AH, &M::F_DBRH2AH}, {V_DBAH2EN, &M::F_DBAH2EN},
        {V_DBAH2WB, &M::F_DBAH2WB}, {V_DBAH2SV, &M::F_DBAH2SV}, {V_WBAH2DB, &M::F_WBAH2DB},
        {V_SVAH2DB, &M::F_SVAH2DB}, {V_ENAH2DB, &M::F_ENAH2DB}, {V_RHAH2DB, &M::F_RHAH2DB},
        {V_RHEN2DB, &M::F_RHEN2DB}, {V_RHWB2DB, &M::F_RHWB2DB}, {V_RHSV2DB, &M::F_RHSV2DB},
        {V_SVEN2DB, &M::F_SVEN2DB}, {V_DBAH2RH, &M::F_DBAH2RH}, {V_DBAH2RV, &M::F_DBAH2RV},
    };
    const double inputs[][2] = {{20, 0.0072630}, {0.85, 15}, {50, 9.2}, {-10, 0.001},
                                {400, 0.01},     {20, -2},   {120, 0.5}};
    for (const Pair& p : pairs)
        for (const auto& in : inputs) {
            M fresh;
            const Outcome o = call(fresh, p.method, in[0], in[1]);
            const double expected = o.result < 0 ? 0.0 : o.value;
            EXPECT_EQ(p.plain(in[0], in[1]), expected) << in[0] << " " << in[1];
        }
    for (double v : {-300.0, -20.0, 0.0, 20.0, 150.0, 380.0}) {
        M fresh;
        const Outcome o = call(fresh, &M::F_DB2PWS, v);
        EXPECT_EQ(V_DB2PWS(v), o.result < 0 ? 0.0 : o.value);
    }
    for (double v : {0.0, 8.7, 760.0, 900.0}) {
        M fresh;
        EXPECT_EQ(V_PW2AH(v), call(fresh, &M::F_PW2AH, v).value);
    }
}

TEST(Version, LibraryCarriesItsFileVersion) {
    char* v = V_Ver();
    ASSERT_NE(v, nullptr);
    EXPECT_STREQ(v, "1.0.1.14");
    std::free(v);
    M m;
    const char* first = m.Verinfo();
    ASSERT_NE(first, nullptr);
    EXPECT_STREQ(first, "1.0.1.14");
    EXPECT_STREQ(m.Verinfo(), first) << "the text stays valid after the call";
}

TEST(Exports, ExactlyTheLibraryInterface) {
    const std::string command =
        std::string("nm -D --defined-only ") + MOISTEK_LIBRARY_FILE + " | c++filt";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::set<std::string> names;
    char line[512];
    while (std::fgets(line, sizeof line, pipe)) {
        std::string s(line);
        s.erase(s.find_last_not_of("\r\n") + 1);
        const size_t space = s.find(' ', s.find(' ') + 1);
        names.insert(s.substr(space + 1));
    }
    ASSERT_EQ(pclose(pipe), 0);

    std::set<std::string> expected = {"MoistekClass::MoistekClass()", "MoistekClass::Verinfo()"};
    for (const char* f : {"F_DB2PWS", "F_PW2AH", "F_AH2DP"})
        expected.insert(std::string("MoistekClass::") + f + "(double&, double&)");
    for (const char* f :
         {"F_PAPW2AH", "F_PAAH2PW", "F_ENDB2AH", "F_DBWB2AH", "F_DBSV2AH", "F_SVWB2AH",
          "F_DBRH2AH", "F_DBAH2EN", "F_DBAH2WB", "F_DBAH2SV", "F_WBAH2DB", "F_SVAH2DB",
          "F_ENAH2DB", "F_RHAH2DB", "F_RHEN2DB", "F_RHWB2DB", "F_RHSV2DB", "F_SVEN2DB",
          "F_DBAH2RH", "F_DBWB2RH", "F_DBAH2RV"})
        expected.insert(std::string("MoistekClass::") + f + "(double&, double&, double&)");
    for (const char* f :
         {"C_DBRH", "C_DBAH", "C_DBEN", "C_DBWB", "C_DBSV", "C_RHAH", "C_RHEN", "C_RHWB", "C_RHSV",
          "C_AHEN", "C_AHWB", "C_AHSV", "C_ENWB", "C_ENSV", "C_WBSV"})
        expected.insert(std::string("MoistekClass::") + f +
                        "(double&, double&, double&, double&, double&, double&, double&)");
    for (const char* f :
         {"V_DB2PWS",  "V_PW2AH",   "V_ENDB2AH", "V_DBWB2AH", "V_DBSV2AH", "V_SVWB2AH",
          "V_DBRH2AH", "V_DBAH2EN", "V_DBAH2WB", "V_DBAH2SV", "V_WBAH2DB", "V_SVAH2DB",
          "V_ENAH2DB", "V_RHAH2DB", "V_RHEN2DB", "V_RHWB2DB", "V_RHSV2DB", "V_SVEN2DB",
          "V_DBAH2RH", "V_DBAH2RV", "V_AH2DP",   "V_Ver",     "VA_DBAH2WB", "VA_AH2DP",
          "VA_DBAH2RH", "VA_DBAH2EN", "VA_DBAH2SV", "VA_DBRH"})
        expected.insert(f);
    EXPECT_EQ(names, expected);
}

TEST(Exports, ForeignProgramCanLoadAndCall) {
    void* lib = dlopen(MOISTEK_LIBRARY_FILE, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(lib, nullptr) << dlerror();
    using Fn = double (*)(double, double);
    auto wb = reinterpret_cast<Fn>(dlsym(lib, "V_DBAH2WB"));
    ASSERT_NE(wb, nullptr);
    EXPECT_NEAR(wb(20, 0.0072630), 13.7801, 1e-4);
    dlclose(lib);
}
