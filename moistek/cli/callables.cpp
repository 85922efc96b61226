#include "callables.h"

#include <unordered_map>

namespace moistek_cli {
namespace {

using M = MoistekClass;

Callable unary(const char* n, Unary f) {
    return {n, Kind::Unary, f};
}
Callable binary(const char* n, Binary f) {
    return {n, Kind::Binary, nullptr, f};
}
Callable complete(const char* n, Complete f) {
    return {n, Kind::Complete, nullptr, nullptr, f};
}
Callable plain1(const char* n, Plain1 f) {
    return {n, Kind::Plain1, nullptr, nullptr, nullptr, f};
}
Callable plain2(const char* n, Plain2 f) {
    return {n, Kind::Plain2, nullptr, nullptr, nullptr, nullptr, f};
}

const Callable kAll[] = {
    unary("F_DB2PWS", &M::F_DB2PWS),    binary("F_PAPW2AH", &M::F_PAPW2AH),
    unary("F_PW2AH", &M::F_PW2AH),      binary("F_PAAH2PW", &M::F_PAAH2PW),
    binary("F_DBRH2AH", &M::F_DBRH2AH), unary("F_AH2DP", &M::F_AH2DP),
    binary("F_DBAH2EN", &M::F_DBAH2EN), binary("F_ENDB2AH", &M::F_ENDB2AH),
    binary("F_ENAH2DB", &M::F_ENAH2DB), binary("F_DBAH2SV", &M::F_DBAH2SV),
    binary("F_SVAH2DB", &M::F_SVAH2DB), binary("F_WBAH2DB", &M::F_WBAH2DB),
    binary("F_DBAH2WB", &M::F_DBAH2WB), binary("F_DBAH2RH", &M::F_DBAH2RH),
    binary("F_DBAH2RV", &M::F_DBAH2RV), binary("F_DBWB2RH", &M::F_DBWB2RH),
    binary("F_DBWB2AH", &M::F_DBWB2AH), binary("F_DBSV2AH", &M::F_DBSV2AH),
    binary("F_SVWB2AH", &M::F_SVWB2AH), binary("F_RHAH2DB", &M::F_RHAH2DB),
    binary("F_RHEN2DB", &M::F_RHEN2DB), binary("F_RHWB2DB", &M::F_RHWB2DB),
    binary("F_RHSV2DB", &M::F_RHSV2DB), binary("F_SVEN2DB", &M::F_SVEN2DB),
    complete("C_DBRH", &M::C_DBRH),     complete("C_DBAH", &M::C_DBAH),
    complete("C_DBEN", &M::C_DBEN),     complete("C_DBWB", &M::C_DBWB),
    complete("C_DBSV", &M::C_DBSV),     complete("C_RHAH", &M::C_RHAH),
    complete("C_RHEN", &M::C_RHEN),     complete("C_RHWB", &M::C_RHWB),
    complete("C_RHSV", &M::C_RHSV),     complete("C_AHEN", &M::C_AHEN),
    complete("C_AHWB", &M::C_AHWB),     complete("C_AHSV", &M::C_AHSV),
    complete("C_ENWB", &M::C_ENWB),     complete("C_ENSV", &M::C_ENSV),
    complete("C_WBSV", &M::C_WBSV),     plain1("V_DB2PWS", &V_DB2PWS),
    plain1("V_PW2AH", &V_PW2AH),        plain2("V_ENDB2AH", &V_ENDB2AH),
    plain2("V_DBWB2AH", &V_DBWB2AH),    plain2("V_DBSV2AH", &V_DBSV2AH),
    plain2("V_SVWB2AH", &V_SVWB2AH),    plain2("V_DBRH2AH", &V_DBRH2AH),
    plain2("V_DBAH2EN", &V_DBAH2EN),    plain2("V_DBAH2WB", &V_DBAH2WB),
    plain2("V_DBAH2SV", &V_DBAH2SV),    plain2("V_WBAH2DB", &V_WBAH2DB),
    plain2("V_SVAH2DB", &V_SVAH2DB),    plain2("V_ENAH2DB", &V_ENAH2DB),
    plain2("V_RHAH2DB", &V_RHAH2DB),    plain2("V_RHEN2DB", &V_RHEN2DB),
    plain2("V_RHWB2DB", &V_RHWB2DB),    plain2("V_RHSV2DB", &V_RHSV2DB),
    plain2("V_SVEN2DB", &V_SVEN2DB),    plain2("V_DBAH2RH", &V_DBAH2RH),
    plain2("V_DBAH2RV", &V_DBAH2RV),    plain1("V_AH2DP", &V_AH2DP),
    {"V_Ver", Kind::Version},
};

}  // namespace

const char* const kCompleteNames[15] = {"C_DBRH", "C_DBAH", "C_DBEN", "C_DBWB", "C_DBSV",
                                        "C_RHAH", "C_RHEN", "C_RHWB", "C_RHSV", "C_AHEN",
                                        "C_AHWB", "C_AHSV", "C_ENWB", "C_ENSV", "C_WBSV"};

int Callable::inputCount() const {
    switch (kind) {
        case Kind::Unary:
        case Kind::Plain1:
            return 1;
        case Kind::Binary:
        case Kind::Plain2:
            return 2;
        case Kind::Complete:
            return 7;
        case Kind::Version:
            return 0;
    }
    return 0;
}

const Callable* findCallable(std::string_view name) {
    static const std::unordered_map<std::string_view, const Callable*> byName = [] {
        std::unordered_map<std::string_view, const Callable*> map;
        for (const Callable& c : kAll) map.emplace(c.name, &c);
        return map;
    }();
    const auto it = byName.find(name);
    return it == byName.end() ? nullptr : it->second;
}

}  // namespace moistek_cli
