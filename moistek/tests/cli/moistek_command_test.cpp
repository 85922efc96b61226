// The moistek command as a user runs it: arguments, standard input, output and exit status.
#include <gtest/gtest.h>

#include <sstream>

#include "command_runner.h"

namespace {

CommandRun moistek(const std::string& args, const std::string& input = "") {
    return runCommand(MOISTEK_COMMAND, args, input);
}

}  // namespace

TEST(MoistekCall, MethodsPrintResultAndExactOutput) {
    EXPECT_EQ(moistek("call F_DB2PWS 20").out, "1 17.545811307037027\n");
    EXPECT_EQ(moistek("call --si F_DB2PWS 20").out, "1 23.392491277566705\n");
    EXPECT_EQ(moistek("call F_DBWB2AH 20 5").out, "1 -2.5000000000007655e-06\n");
    EXPECT_EQ(moistek("call F_DB2PWS 400").out, "-1 0\n");
    // --init is what the output holds before the call: a failed psychrometer call keeps it.
    EXPECT_EQ(moistek("call --init 5 F_DBWB2RH 400 10").out, "-1 5\n");
    // --pa moves the total pressure: above the boiling pressure the dew point reaches 100.
    EXPECT_EQ(moistek("call --pa 800 F_AH2DP 20").out, "1 100\n");
}

TEST(MoistekCall, CompleteStatesAndPlainFunctions) {
    EXPECT_EQ(moistek("call C_DBRH 20 50 0 0 0 0 0").out,
              "1 20 50 0.0072630318233924216 9.2037213499835353 0.84015379325052064 "
              "13.780122529999993 9.2736532399999927\n");
    EXPECT_EQ(moistek("call C_ENWB 1 2 3 4 5 6 7").out, "-1 1 2 3 4 5 6 7\n");
    EXPECT_EQ(moistek("call V_DBAH2WB 20 0.0072630").out, "13.780092339999992\n");
    EXPECT_EQ(moistek("call V_DB2PWS 400").out, "0\n");
    EXPECT_EQ(moistek("call V_Ver").out, "1.0.1.14\n");
    EXPECT_EQ(moistek("--version").out, "1.0.1.14\n");
}

TEST(MoistekCall, UsageErrorsNameTheProblem) {
    const struct {
        const char* args;
        const char* says;
    } cases[] = {
        {"call F_NOPE 1", "unknown name 'F_NOPE'"},
        {"call F_DB2PWS", "takes 1 argument"},
        {"call F_DB2PWS 1 2", "not 2"},
        {"call C_DBRH 20 50", "takes 7 values"},
        {"call F_DB2PWS abc", "'abc' is not a number"},
        {"call F_DB2PWS nan", "'nan' is not a number"},
        {"call F_DB2PWS 1e999", "'1e999' is not a number"},
        {"call --pa x F_AH2DP 1", "'x' is not a number"},
        {"call --si V_DB2PWS 20", "do not apply"},
        {"call --frobnicate F_DB2PWS 1", "unknown option"},
        {"frobnicate", "unknown command"},
        {"call --pa 700 --pa 760 F_AH2DP 1", "option --pa is given twice"},
        {"call --si --si F_DB2PWS 20", "option --si is given twice"},
        {"call --init 1 --init 2 F_DB2PWS 20", "option --init is given twice"},
        {"call --batch --batch", "option --batch is given twice"},
        {"state DB=20 RH=50 --pa 700 --pa 760", "option --pa is given twice"},
        {"state DB=20 RH=50 --si --si", "option --si is given twice"},
        {"state DB=20 RH=50 --json --json", "option --json is given twice"},
        {"batch DB,RH --pa 700 --pa 760", "option --pa is given twice"},
    };
    for (const auto& c : cases) {
        const CommandRun r = moistek(c.args);
        EXPECT_EQ(r.status, 2) << c.args;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << c.args << ": " << r.err;
        EXPECT_EQ(r.out, "") << c.args;
    }
}

TEST(MoistekBatch, OneLinePerInputAndErrorsInPlace) {
    const CommandRun ok =
        moistek("call --batch", "F_DB2PWS 20\nV_DBAH2RH 20 0.0072630\n--si F_DB2PWS 20\n");
    EXPECT_EQ(ok.status, 0);
    EXPECT_EQ(ok.out, "1 17.545811307037027\n49.999783450989135\n1 23.392491277566705\n");

    const CommandRun mixed =
        moistek("call --batch", "F_DB2PWS 20\nF_BAD 1\n\nF_DB2PWS x\nF_AH2DP 0\n");
    EXPECT_EQ(mixed.status, 1);
    EXPECT_EQ(mixed.out,
              "1 17.545811307037027\nerror: unknown name 'F_BAD'\nerror: no name given\n"
              "error: 'x' is not a number\n1 -273.14999389648438\n");

    // Options given to --batch hold for every line.
    EXPECT_EQ(moistek("call --batch --si", "F_DB2PWS 20\n").out, "1 23.392491277566705\n");
}

TEST(MoistekState, AnyPairInEitherOrder) {
    const CommandRun text = moistek("state RH=50 DB=20");
    EXPECT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("C_DBRH: result 1"), std::string::npos);
    EXPECT_NE(text.out.find("WB  13.78012253"), std::string::npos) << text.out;

    const CommandRun json = moistek("state SV=0.84015379325052064 WB=13.780122529999993 --json");
    EXPECT_EQ(json.status, 0);
    EXPECT_NE(json.out.find("\"method\": \"C_WBSV\", \"result\": 1"), std::string::npos);
    EXPECT_NE(json.out.find("\"AH\": 0.0072574999999999975"), std::string::npos) << json.out;

    const CommandRun failed = moistek("state DB=50 EN=9.2037 --json");
    EXPECT_EQ(failed.status, 1);
    EXPECT_NE(failed.out.find("\"result\": -1"), std::string::npos);

    EXPECT_EQ(moistek("state EN=9 WB=13").status, 2);
    EXPECT_EQ(moistek("state DB=20").status, 2);
    EXPECT_EQ(moistek("state DB=20 DB=30").status, 2);
    EXPECT_EQ(moistek("state DB=20 XX=30").status, 2);
    EXPECT_EQ(moistek("state DB=20 RH=5O").status, 2);
}

TEST(MoistekCsvBatch, BadRowsReportedAndMarked) {
    const CommandRun r =
        moistek("batch DB,RH", "DB,RH\n20,50\n\n20,abc\n400,50\n 25 , \"60\" \r\n1,2,3\n");
    EXPECT_EQ(r.status, 1);
    std::istringstream lines(r.out);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "DB,RH,AH,EN,SV,WB,DP,result");
    std::getline(lines, line);
    EXPECT_EQ(line.substr(0, 29), "20,50,0.0072630318233924216,9");
    EXPECT_EQ(line.substr(line.size() - 2), ",1");
    std::getline(lines, line);
    EXPECT_EQ(line, ",,,,,,,error");
    std::getline(lines, line);
    EXPECT_EQ(line, "400,50,0,0,0,0,0,-1");
    std::getline(lines, line);
    EXPECT_EQ(line.substr(0, 6), "25,60,");
    std::getline(lines, line);
    EXPECT_EQ(line, ",,,,,,,error");
    EXPECT_NE(r.err.find("line 4:"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("line 5: no state"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("line 7:"), std::string::npos) << r.err;

    EXPECT_EQ(moistek("batch DB,XX", "").status, 2);
    EXPECT_EQ(moistek("batch EN,WB", "").status, 2);
    const CommandRun good = moistek("batch AH,DB", "AH,DB\n0.0072630318233924216,20\n");
    EXPECT_EQ(good.status, 0);
    EXPECT_NE(good.out.find("\n20,50"), std::string::npos) << good.out;
}
