// The plain functions over the library's own instance, and the version queries.
#if defined(_WIN32)
#define NOMINMAX
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <oleauto.h>
#else
#include <dlfcn.h>
#endif

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "moistek/moistek.h"
#include "version/version_strings.h"

namespace {

// Constructed during the library's static initialisation, before any export can be called.
MoistekClass shared;

using Unary = int (MoistekClass::*)(double&, double&);
using Binary = int (MoistekClass::*)(double&, double&, double&);

double plain(Unary f, double a) {
    double out;
    return (shared.*f)(a, out) < 0 ? 0.0 : out;
}
double plain(Binary f, double a, double b) {
    double out;
    return (shared.*f)(a, b, out) < 0 ? 0.0 : out;
}

#if defined(_WIN32)
// The library's own file, by its name alone: the version functions find it as the loader does.
std::string ownFile() {
    return "Moistek.dll";
}
#else
// The path this library was loaded from.
std::string ownFile() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&V_Ver), &info) == 0 || !info.dli_fname) return {};
    return info.dli_fname;
}
#endif

// The FileVersion text, read once; null when the version information cannot be read.
const char* fileVersion() {
    static const std::string* const text = []() -> const std::string* {
        try {
            VersionStrings record;
            const std::string path = ownFile();
            if (path.empty() || ReadVersionStrings(record, path.c_str()) != 1) return nullptr;
            return new std::string(record.FileVersion);
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
    }();
    return text ? text->c_str() : nullptr;
}

}  // namespace

const char* MoistekClass::Verinfo() {
    return fileVersion();
}

extern "C" {

double MOISTEK_CALL V_DB2PWS(double DB) {
    return plain(&MoistekClass::F_DB2PWS, DB);
}
double MOISTEK_CALL V_PW2AH(double PW) {
    return plain(&MoistekClass::F_PW2AH, PW);
}
double MOISTEK_CALL V_ENDB2AH(double EN, double DB) {
    return plain(&MoistekClass::F_ENDB2AH, EN, DB);
}
double MOISTEK_CALL V_DBWB2AH(double DB, double WB) {
    return plain(&MoistekClass::F_DBWB2AH, DB, WB);
}
double MOISTEK_CALL V_DBSV2AH(double DB, double SV) {
    return plain(&MoistekClass::F_DBSV2AH, DB, SV);
}
double MOISTEK_CALL V_SVWB2AH(double SV, double WB) {
    return plain(&MoistekClass::F_SVWB2AH, SV, WB);
}
double MOISTEK_CALL V_DBRH2AH(double DB, double RH) {
    return plain(&MoistekClass::F_DBRH2AH, DB, RH);
}
double MOISTEK_CALL V_DBAH2EN(double DB, double AH) {
    return plain(&MoistekClass::F_DBAH2EN, DB, AH);
}
double MOISTEK_CALL V_DBAH2WB(double DB, double AH) {
    return plain(&MoistekClass::F_DBAH2WB, DB, AH);
}
double MOISTEK_CALL V_DBAH2SV(double DB, double AH) {
    return plain(&MoistekClass::F_DBAH2SV, DB, AH);
}
double MOISTEK_CALL V_WBAH2DB(double WB, double AH) {
    return plain(&MoistekClass::F_WBAH2DB, WB, AH);
}
double MOISTEK_CALL V_SVAH2DB(double SV, double AH) {
    return plain(&MoistekClass::F_SVAH2DB, SV, AH);
}
double MOISTEK_CALL V_ENAH2DB(double EN, double AH) {
    return plain(&MoistekClass::F_ENAH2DB, EN, AH);
}
double MOISTEK_CALL V_RHAH2DB(double RH, double AH) {
    return plain(&MoistekClass::F_RHAH2DB, RH, AH);
}
double MOISTEK_CALL V_RHEN2DB(double RH, double EN) {
    return plain(&MoistekClass::F_RHEN2DB, RH, EN);
}
double MOISTEK_CALL V_RHWB2DB(double RH, double WB) {
    return plain(&MoistekClass::F_RHWB2DB, RH, WB);
}
double MOISTEK_CALL V_RHSV2DB(double RH, double SV) {
    return plain(&MoistekClass::F_RHSV2DB, RH, SV);
}
double MOISTEK_CALL V_SVEN2DB(double SV, double EN) {
    return plain(&MoistekClass::F_SVEN2DB, SV, EN);
}
double MOISTEK_CALL V_DBAH2RH(double DB, double AH) {
    return plain(&MoistekClass::F_DBAH2RH, DB, AH);
}
double MOISTEK_CALL V_DBAH2RV(double DB, double AH) {
    return plain(&MoistekClass::F_DBAH2RV, DB, AH);
}
double MOISTEK_CALL V_AH2DP(double AH) {
    return plain(&MoistekClass::F_AH2DP, AH);
}

#if defined(_WIN32)
// An automation string holding the text's bytes (no terminator counted), as spreadsheet macros
// take a string from a library function.
BSTR MOISTEK_CALL V_Ver() {
    const char* text = fileVersion();
    if (!text) return nullptr;
    return SysAllocStringByteLen(text, static_cast<UINT>(std::strlen(text)));
}
#else
char* V_Ver() {
    const char* text = fileVersion();
    if (!text) return nullptr;
    const size_t n = std::strlen(text);
    char* copy = static_cast<char*>(std::malloc(n + 1));
    if (copy) std::memcpy(copy, text, n + 1);
    return copy;
}
#endif

}  // extern "C"
