// Calls every export of the Moistek library as another program would, for the comparison of the
// Windows DLL (run under Wine) with the Linux build: the same program is built for both.
//
//   export_calls cases [COUNT]  seeded cases for every export, one per line (the Linux build
//                               writes them, so that both builds read the same bits)
//   export_calls run            reads cases from standard input and prints each with its result
//   export_calls version        the version texts, as V_Ver, Verinfo and the platform give them
//
// The plain functions are looked up by name in the library loaded by its bare name, as a
// spreadsheet macro's declaration does; the class is used as a C++ caller uses it, through the
// library's import (the ctor and methods linked), and each member's name is looked up too.
// Every double is written as its 16 hexadecimal bit pattern digits.
#if defined(_WIN32)
#define NOMINMAX
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <oleauto.h>
#else
#include <dlfcn.h>
#endif

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "moistek/moistek.h"
#include "sweep_inputs.h"

namespace {

using sweep::Kind;
using sweep::Random;

#if defined(_WIN32)
const char kLibrary[] = "Moistek.dll";
using Library = HMODULE;
Library openLibrary() {
    return LoadLibraryA(kLibrary);
}
void* lookUp(Library lib, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(lib, name));
}
#else
const char kLibrary[] = "libmoistek.so.1";
using Library = void*;
Library openLibrary() {
    return dlopen(kLibrary, RTLD_NOW);
}
void* lookUp(Library lib, const char* name) {
    return dlsym(lib, name);
}
#endif

using PlainUnary = double(MOISTEK_CALL*)(double);
using PlainBinary = double(MOISTEK_CALL*)(double, double);
using Unary = int (MoistekClass::*)(double&, double&);
using Binary = int (MoistekClass::*)(double&, double&, double&);
using Complete = int (MoistekClass::*)(double&, double&, double&, double&, double&, double&,
                                       double&);

struct Method {
    const char* name;
    Unary unary;
    Binary binary;
    Complete complete;
};

#define UNARY(n) {#n, &MoistekClass::n, nullptr, nullptr}
#define BINARY(n) {#n, nullptr, &MoistekClass::n, nullptr}
#define COMPLETE(n) {#n, nullptr, nullptr, &MoistekClass::n}
const Method kMethods[] = {
    UNARY(F_DB2PWS),    BINARY(F_PAPW2AH),  UNARY(F_PW2AH),     BINARY(F_PAAH2PW),
    BINARY(F_ENDB2AH),  BINARY(F_DBWB2AH),  BINARY(F_DBSV2AH),  BINARY(F_SVWB2AH),
    BINARY(F_DBRH2AH),  BINARY(F_DBAH2EN),  BINARY(F_DBAH2WB),  BINARY(F_DBAH2SV),
    BINARY(F_WBAH2DB),  BINARY(F_SVAH2DB),  BINARY(F_ENAH2DB),  BINARY(F_RHAH2DB),
    BINARY(F_RHEN2DB),  BINARY(F_RHWB2DB),  BINARY(F_RHSV2DB),  BINARY(F_SVEN2DB),
    BINARY(F_DBAH2RH),  BINARY(F_DBWB2RH),  BINARY(F_DBAH2RV),  UNARY(F_AH2DP),
    COMPLETE(C_DBRH),   COMPLETE(C_DBAH),   COMPLETE(C_DBEN),   COMPLETE(C_DBWB),
    COMPLETE(C_DBSV),   COMPLETE(C_RHAH),   COMPLETE(C_RHEN),   COMPLETE(C_RHWB),
    COMPLETE(C_RHSV),   COMPLETE(C_AHEN),   COMPLETE(C_AHWB),   COMPLETE(C_AHSV),
    COMPLETE(C_ENWB),   COMPLETE(C_ENSV),   COMPLETE(C_WBSV),
};
#undef UNARY
#undef BINARY
#undef COMPLETE

// The plain functions, with their addresses as the program's import binds them.
struct Plain {
    const char* name;
    PlainUnary unary;
    PlainBinary binary;
};
#define UNARY(n) {#n, &n, nullptr}
#define BINARY(n) {#n, nullptr, &n}
const Plain kPlainFunctions[] = {
    UNARY(V_DB2PWS),   UNARY(V_PW2AH),    BINARY(V_ENDB2AH), BINARY(V_DBWB2AH), BINARY(V_DBSV2AH),
    BINARY(V_SVWB2AH), BINARY(V_DBRH2AH), BINARY(V_DBAH2EN), BINARY(V_DBAH2WB), BINARY(V_DBAH2SV),
    BINARY(V_WBAH2DB), BINARY(V_SVAH2DB), BINARY(V_ENAH2DB), BINARY(V_RHAH2DB), BINARY(V_RHEN2DB),
    BINARY(V_RHWB2DB), BINARY(V_RHSV2DB), BINARY(V_SVEN2DB), BINARY(V_DBAH2RH), BINARY(V_DBAH2RV),
    UNARY(V_AH2DP),
};
#undef UNARY
#undef BINARY

// The quantities a name reads: the two-letter abbreviations between "F_" or "V_" and "2", or
// the two after "C_".
std::vector<Kind> inputsOf(const std::string& name) {
    const size_t end = name[0] == 'C' ? name.size() : name.find('2');
    std::vector<Kind> kinds;
    for (size_t i = 2; i + 1 < end; i += 2) {
        const std::string a = name.substr(i, 2);
        kinds.push_back(a == "DB"   ? Kind::DB
                        : a == "WB" ? Kind::WB
                        : a == "RH" ? Kind::RH
                        : a == "AH" ? Kind::AH
                        : a == "EN" ? Kind::EN
                        : a == "SV" ? Kind::SV
                        : a == "PW" ? Kind::PW
                        : a == "PA" ? Kind::PA
                                    : Kind::Any);
    }
    return kinds;
}

// The position of an abbreviation in a complete state: DB RH AH EN SV WB DP.
int positionOf(const std::string& a) {
    const char* const order[] = {"DB", "RH", "AH", "EN", "SV", "WB", "DP"};
    for (int i = 0; i < 7; ++i)
        if (a == order[i]) return i;
    return -1;
}

uint64_t bitsOf(double v) {
    uint64_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}
double fromBits(uint64_t b) {
    double v;
    std::memcpy(&v, &b, sizeof v);
    return v;
}
void put(double v) {
    std::printf(" %016" PRIx64, bitsOf(v));
}

// The Itanium C++ ABI name of a member (both compilers use it): MoistekClass::F_DBAH2WB with
// three references to double is _ZN12MoistekClass9F_DBAH2WBERdS0_S0_.
std::string mangled(const std::string& member, int references) {
    std::string s = "_ZN12MoistekClass" + std::to_string(member.size()) + member + "ERd";
    for (int i = 1; i < references; ++i) s += "S0_";
    return s;
}

// A seed of each export's own (FNV-1a of its name).
uint64_t seedOf(const char* name) {
    uint64_t h = 0xcbf29ce484222325ULL;
    for (const char* c = name; *c; ++c) h = (h ^ static_cast<unsigned char>(*c)) * 0x100000001b3ULL;
    return h;
}

// Cases: "NAME a [b]" for a plain function; "NAME mode pa v0 ... vN" for a member, whose
// argument slots hold the inputs and some earlier contents in the outputs.
int writeCases(int count) {
    for (const Plain& p : kPlainFunctions) {
        const char* const name = p.name;
        const std::vector<Kind> kinds = inputsOf(name);
        Random r(seedOf(name));
        for (int i = 0; i < count; ++i) {
            std::printf("%s", name);
            double a = sweep::draw(r, kinds[0]), b = 0;
            put(a);
            if (kinds.size() == 2) {
                if (!sweep::nearSaturation(r, kinds[0], kinds[1], a, b)) b = sweep::draw(r, kinds[1]);
                put(b);
            }
            std::printf("\n");
        }
    }
    for (const Method& m : kMethods) {
        const std::string name = m.name;
        Random r(seedOf(m.name));
        for (int i = 0; i < count; ++i) {
            const int mode = r.below(10) < 7 ? 0 : 1;
            const double pa = r.below(5) == 0 ? sweep::ordinary(r, Kind::PA) : 760.0;
            std::printf("%s %d", m.name, mode);
            put(pa);
            if (m.complete) {
                double slot[7];
                for (double& s : slot) s = r.below(2) ? 0.0 : sweep::draw(r, Kind::Any);
                const int p = positionOf(name.substr(2, 2)), q = positionOf(name.substr(4, 2));
                const std::vector<Kind> kinds = inputsOf(name);
                slot[p] = sweep::draw(r, kinds[0]);
                if (!sweep::nearSaturation(r, kinds[0], kinds[1], slot[p], slot[q]))
                    slot[q] = sweep::draw(r, kinds[1]);
                for (double s : slot) put(s);
            } else {
                const std::vector<Kind> kinds = inputsOf(name);
                double a = sweep::draw(r, kinds[0]);
                put(a);
                if (m.binary) {
                    double b;
                    if (!sweep::nearSaturation(r, kinds[0], kinds[1], a, b))
                        b = sweep::draw(r, kinds[1]);
                    put(b);
                }
                put(r.below(2) ? 0.0 : sweep::draw(r, Kind::Any));  // the output's earlier contents
            }
            std::printf("\n");
        }
    }
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
}

// Reads the hexadecimal bit patterns that follow the name on a case line.
std::vector<double> numbersOf(const char* text) {
    std::vector<double> values;
    while (*text) {
        char* end = nullptr;
        const unsigned long long b = std::strtoull(text, &end, 16);
        if (end == text) break;
        values.push_back(fromBits(b));
        text = end;
    }
    return values;
}

const Method* methodNamed(const std::string& name) {
    for (const Method& m : kMethods)
        if (name == m.name) return &m;
    return nullptr;
}

// Every case of standard input with what the library gives: "NAME inputs = result" for a plain
// function, "NAME mode pa slots = code slots mode" for a member.
int runCases(Library lib) {
    char line[512];
    int bad = 0;
    while (std::fgets(line, sizeof line, stdin)) {
        char name[32];
        int used = 0;
        if (std::sscanf(line, "%31s%n", name, &used) != 1) continue;
        const std::string n = name;
        if (n.compare(0, 2, "V_") == 0) {
            const std::vector<double> in = numbersOf(line + used);
            void* f = lookUp(lib, name);
            if (!f || in.empty() || in.size() > 2) {
                std::printf("%s unusable case or missing export\n", name);
                ++bad;
                continue;
            }
            const double result = in.size() == 1
                                      ? reinterpret_cast<PlainUnary>(f)(in[0])
                                      : reinterpret_cast<PlainBinary>(f)(in[0], in[1]);
            std::printf("%s", name);
            for (double v : in) put(v);
            std::printf(" =");
            put(result);
            std::printf("\n");
            continue;
        }
        const Method* m = methodNamed(n);
        int mode = 0;
        int more = 0;
        if (!m || std::sscanf(line + used, "%d%n", &mode, &more) != 1) {
            std::printf("%s unusable case\n", name);
            ++bad;
            continue;
        }
        std::vector<double> v = numbersOf(line + used + more);
        const size_t slots = m->complete ? 7 : m->binary ? 3 : 2;
        if (v.size() != slots + 1) {
            std::printf("%s unusable case\n", name);
            ++bad;
            continue;
        }
        MoistekClass instance;
        instance.Mode = mode;
        instance.PA = v[0];
        double* s = v.data() + 1;
        int code;
        if (m->complete)
            code = (instance.*(m->complete))(s[0], s[1], s[2], s[3], s[4], s[5], s[6]);
        else if (m->binary)
            code = (instance.*(m->binary))(s[0], s[1], s[2]);
        else
            code = (instance.*(m->unary))(s[0], s[1]);
        std::printf("%s %d", name, mode);
        put(v[0]);
        std::printf(" = %d", code);
        for (size_t i = 0; i < slots; ++i) put(s[i]);
        std::printf(" %d\n", static_cast<int>(instance.Mode));
    }
    // Each plain function called as the program's import binds it (on 32-bit Windows through
    // the decorated names of the import library) gives what the export found by name gives.
    for (const Plain& p : kPlainFunctions) {
        const double a = 20, b = p.unary ? 0 : 0.0072630;
        void* f = lookUp(lib, p.name);
        if (!f) continue;  // reported above
        const double linked = p.unary ? p.unary(a) : p.binary(a, b);
        const double found = p.unary ? reinterpret_cast<PlainUnary>(f)(a)
                                     : reinterpret_cast<PlainBinary>(f)(a, b);
        std::printf("linked %s", p.name);
        put(linked);
        std::printf("\n");
        if (bitsOf(linked) != bitsOf(found)) {
            std::printf("%s through the import differs from the export\n", p.name);
            ++bad;
        }
    }
    // Every member is found by its name as well as through the import.
    for (const Method& m : kMethods) {
        const std::string symbol = mangled(m.name, m.complete ? 7 : m.binary ? 3 : 2);
        if (!lookUp(lib, symbol.c_str())) {
            std::printf("missing export %s\n", symbol.c_str());
            ++bad;
        }
    }
    for (const char* symbol : {"_ZN12MoistekClassC1Ev", "_ZN12MoistekClass7VerinfoEv"})
        if (!lookUp(lib, symbol)) {
            std::printf("missing export %s\n", symbol);
            ++bad;
        }
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) return 1;
    return bad == 0 ? 0 : 1;
}

// "V_Ver TEXT BYTES", "Verinfo TEXT" and, on Windows, what the version resource of the DLL
// holds as the platform reads it.
int printVersion(Library lib) {
    MoistekClass instance;
    const char* info = instance.Verinfo();
#if defined(_WIN32)
    using Ver = BSTR(MOISTEK_CALL*)();
    const auto ver = reinterpret_cast<Ver>(lookUp(lib, "V_Ver"));
    if (!ver) return 1;
    const BSTR text = ver();
    if (text) {
        const UINT bytes = SysStringByteLen(text);
        std::printf("V_Ver %.*s %u\n", static_cast<int>(bytes), reinterpret_cast<const char*>(text),
                    bytes);
        SysFreeString(text);
    } else {
        std::printf("V_Ver null\n");
    }
    std::printf("Verinfo %s\n", info ? info : "null");

    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(lib, path, sizeof path);
    if (length == 0 || length >= sizeof path) return 1;
    DWORD unused = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &unused);
    std::vector<char> block(size);
    if (size == 0 || !GetFileVersionInfoA(path, 0, size, block.data())) {
        std::printf("resource none\n");
        return 0;
    }
    void* value = nullptr;
    UINT n = 0;
    if (VerQueryValueA(block.data(), "\\", &value, &n) && n >= sizeof(VS_FIXEDFILEINFO)) {
        const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
        std::printf("resource numbers %lu.%lu.%lu.%lu %lu.%lu.%lu.%lu\n",
                    fixed->dwFileVersionMS >> 16, fixed->dwFileVersionMS & 0xffff,
                    fixed->dwFileVersionLS >> 16, fixed->dwFileVersionLS & 0xffff,
                    fixed->dwProductVersionMS >> 16, fixed->dwProductVersionMS & 0xffff,
                    fixed->dwProductVersionLS >> 16, fixed->dwProductVersionLS & 0xffff);
    }
    if (VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &n) && n >= 4) {
        const WORD* w = static_cast<const WORD*>(value);
        std::printf("resource translation %04X%04X\n", w[0], w[1]);
    }
    for (const char* field : {"FileVersion", "ProductVersion", "InternalName", "OriginalFilename",
                              "CompanyName", "FileDescription", "ProductName"}) {
        const std::string key = std::string("\\StringFileInfo\\041103A4\\") + field;
        if (VerQueryValueA(block.data(), key.c_str(), &value, &n) && value)
            std::printf("resource %s \"%s\"\n", field, static_cast<const char*>(value));
        else
            std::printf("resource %s missing\n", field);
    }
#else
    using Ver = char* (*)();
    const auto ver = reinterpret_cast<Ver>(lookUp(lib, "V_Ver"));
    if (!ver) return 1;
    char* text = ver();
    if (text)
        std::printf("V_Ver %s %zu\n", text, std::strlen(text));
    else
        std::printf("V_Ver null\n");
    std::free(text);
    std::printf("Verinfo %s\n", info ? info : "null");
#endif
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "cases") {
        const int count = argc > 2 ? std::atoi(argv[2]) : 200;
        if (count <= 0 || count > 1000000) return 2;
        return writeCases(count);
    }
    if (command != "run" && command != "version") {
        std::fprintf(stderr, "usage: export_calls cases [COUNT] | run | version\n");
        return 2;
    }
    const Library lib = openLibrary();
    if (!lib) {
        std::printf("cannot load %s\n", kLibrary);
        return 1;
    }
    return command == "run" ? runCases(lib) : printVersion(lib);
}
