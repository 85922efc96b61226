// The plain functions over the library's own instance, and the version queries.
#if defined(_WIN32)
#define NOMINMAX
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
// after windows.h, whose types it uses
#include <oleauto.h>
// windows.h's 16-bit pointer words, which would rename the engine's own names
#undef near
#undef far
#else
#include <dlfcn.h>
#endif

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <new>
#include <string>

#include "moistek/moistek.h"
#include "moistek_internal/relations.h"
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

// The array forms: arrays of COUNT elements, every pointer non-null unless COUNT is 0, and no
// more elements than an array of doubles can hold.
bool usableArrays(int64_t count, std::initializer_list<const void*> arrays) {
    constexpr int64_t kMostElements = PTRDIFF_MAX / static_cast<int64_t>(sizeof(double));
    if (count < 0 || count > kMostElements) return false;
    if (count == 0) return true;
    for (const void* a : arrays)
        if (!a) return false;
    return true;
}

// Element i of OUT is what plain(f, IN[i]...) gives, through the same method on the same
// instance; STATUS[i] is 1 where the method succeeded, 0 where it failed (OUT[i] is then 0.0).
// The inputs of an element are read before its outputs are written, so an output may be one of
// the input arrays. The number of failed elements, or -1 for unusable arguments.
int64_t plainArray(Unary f, const double* a, double* out, int8_t* status, int64_t count) {
    if (!usableArrays(count, {a, out, status})) return -1;
    int64_t failed = 0;
    for (int64_t i = 0; i < count; ++i) {
        double x = a[i], r;
        const bool ok = (shared.*f)(x, r) >= 0;
        out[i] = ok ? r : 0.0;
        status[i] = ok ? 1 : 0;
        failed += ok ? 0 : 1;
    }
    return failed;
}
int64_t plainArray(Binary f, const double* a, const double* b, double* out, int8_t* status,
                   int64_t count) {
    if (!usableArrays(count, {a, b, out, status})) return -1;
    int64_t failed = 0;
    for (int64_t i = 0; i < count; ++i) {
        double x = a[i], y = b[i], r;
        const bool ok = (shared.*f)(x, y, r) >= 0;
        out[i] = ok ? r : 0.0;
        status[i] = ok ? 1 : 0;
        failed += ok ? 0 : 1;
    }
    return failed;
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

// Two elements at a time, their searches side by side (moistek::wetBulbPair), each what
// F_DBAH2WB on the shared instance gives; a pair with a humidity ratio above 10000 kg/kg(DA),
// whose wet bulb the method sets to 100 °C without a search, goes through the method.
int64_t VA_DBAH2WB(const double* DB, const double* AH, double* WB, int8_t* status, int64_t count) {
    if (!usableArrays(count, {DB, AH, WB, status})) return -1;
    int64_t failed = 0, i = 0;
    for (; i + 1 < count; i += 2) {
        double db[2] = {DB[i], DB[i + 1]}, ah[2] = {AH[i], AH[i + 1]}, wb[2] = {0, 0};
        int result[2];
        if (ah[0] > 10000 || ah[1] > 10000) {
            for (int j = 0; j < 2; ++j) result[j] = shared.F_DBAH2WB(db[j], ah[j], wb[j]);
        } else {
            moistek::wetBulbPair(shared, db, ah, wb, result);
        }
        for (int j = 0; j < 2; ++j) {
            const bool ok = result[j] >= 0;
            WB[i + j] = ok ? wb[j] : 0.0;
            status[i + j] = ok ? 1 : 0;
            failed += ok ? 0 : 1;
        }
    }
    if (i < count)
        failed +=
            plainArray(&MoistekClass::F_DBAH2WB, DB + i, AH + i, WB + i, status + i, count - i);
    return failed;
}
int64_t VA_AH2DP(const double* AH, double* DP, int8_t* status, int64_t count) {
    return plainArray(&MoistekClass::F_AH2DP, AH, DP, status, count);
}
int64_t VA_DBAH2RH(const double* DB, const double* AH, double* RH, int8_t* status, int64_t count) {
    return plainArray(&MoistekClass::F_DBAH2RH, DB, AH, RH, status, count);
}
int64_t VA_DBAH2EN(const double* DB, const double* AH, double* EN, int8_t* status, int64_t count) {
    return plainArray(&MoistekClass::F_DBAH2EN, DB, AH, EN, status, count);
}
int64_t VA_DBAH2SV(const double* DB, const double* AH, double* SV, int8_t* status, int64_t count) {
    return plainArray(&MoistekClass::F_DBAH2SV, DB, AH, SV, status, count);
}

// C_DBRH on the shared instance, which is at the constructor's defaults; a failed state is 0.0
// in all five outputs, whatever steps of the method had delivered.
int64_t VA_DBRH(const double* DB, const double* RH, double* AH, double* EN, double* SV, double* WB,
                double* DP, int8_t* status, int64_t count) {
    if (!usableArrays(count, {DB, RH, AH, EN, SV, WB, DP, status})) return -1;
    int64_t failed = 0;
    for (int64_t i = 0; i < count; ++i) {
        double p[7] = {DB[i], RH[i], 0, 0, 0, 0, 0};
        const bool ok = shared.C_DBRH(p[0], p[1], p[2], p[3], p[4], p[5], p[6]) >= 0;
        AH[i] = ok ? p[2] : 0.0;
        EN[i] = ok ? p[3] : 0.0;
        SV[i] = ok ? p[4] : 0.0;
        WB[i] = ok ? p[5] : 0.0;
        DP[i] = ok ? p[6] : 0.0;
        status[i] = ok ? 1 : 0;
        failed += ok ? 0 : 1;
    }
    return failed;
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
