// exp, log and pow of the Windows build: glibc 2.36's own (windows_libm/), which the Linux build
// gets from its C library, so that Moistek.dll's results equal the Linux build's to the last bit.
// MinGW-w64's functions round differently in about one argument in a thousand (pow in one in
// six), and the relations built on the saturation pressure magnify that ulp tenfold or more.
//
// glibc on x86_64 runs one of three builds of each function, chosen once by the processor: the
// one compiled with FMA and AVX2 where both are usable, else the FMA4 one where that is usable,
// else the generic one. Fused multiply-adds round differently from a multiply and an add, so the
// DLL makes the same choice by the same tests (glibc's sysdeps/x86/cpu-features.c), and on any
// one machine computes what glibc computes there. Defined here, these take the place of the
// C runtime's functions for the whole DLL.
#include <cpuid.h>

#include <atomic>
#include <cmath>
#include <cstdint>

extern "C" {
double moistek_glibc_exp_generic(double), moistek_glibc_exp_fma(double),
    moistek_glibc_exp_fma4(double);
double moistek_glibc_log_generic(double), moistek_glibc_log_fma(double),
    moistek_glibc_log_fma4(double);
double moistek_glibc_pow_generic(double, double), moistek_glibc_pow_fma(double, double),
    moistek_glibc_pow_fma4(double, double);
}

namespace {

enum Variant : int { kUnknown, kGeneric, kFma, kFma4 };

// The build glibc's ifunc selectors of exp, log and pow pick on this processor.
Variant glibc_variant() {
    unsigned max_leaf = 0, vendor_b = 0, vendor_c = 0, vendor_d = 0;
    if (!__get_cpuid(0, &max_leaf, &vendor_b, &vendor_c, &vendor_d)) return kGeneric;
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    __cpuid(1, eax, ebx, ecx, edx);
    const unsigned signature = eax, features1 = ecx;
    // AVX (and with it AVX2, FMA, FMA4) is usable only where the system saves the YMM state:
    // XGETBV's XCR0 must have the XMM and YMM bits, which OSXSAVE says may be read.
    bool avx = false;
    if ((features1 & bit_OSXSAVE) != 0) {
        unsigned xcr0_low = 0, xcr0_high = 0;
        __asm__("xgetbv" : "=a"(xcr0_low), "=d"(xcr0_high) : "c"(0));
        avx = (xcr0_low & 6) == 6 && (features1 & bit_AVX) != 0;
    }
    bool avx2 = false;
    if (avx && max_leaf >= 7) {
        __cpuid_count(7, 0, eax, ebx, ecx, edx);
        avx2 = (ebx & bit_AVX2) != 0;
    }
    const bool fma = avx && (features1 & bit_FMA) != 0;
    // "AuthenticAMD" and "HygonGenuine": only there does glibc look at FMA4.
    const bool amd = (vendor_b == 0x68747541 && vendor_c == 0x444d4163 && vendor_d == 0x69746e65) ||
                     (vendor_b == 0x6f677948 && vendor_c == 0x656e6975 && vendor_d == 0x6e65476e);
    bool fma4 = false;
    unsigned max_extended = 0;
    if (amd && avx && __get_cpuid(0x80000000, &max_extended, &ebx, &ecx, &edx) &&
        max_extended >= 0x80000001) {
        __cpuid(0x80000001, eax, ebx, ecx, edx);
        fma4 = (ecx & bit_FMA4) != 0;
    }
    // "CentaurHauls" and "  Shanghai  ": glibc turns AVX2 off on four Zhaoxin models.
    const bool zhaoxin =
        (vendor_b == 0x746e6543 && vendor_c == 0x736c7561 && vendor_d == 0x48727561) ||
        (vendor_b == 0x68532020 && vendor_c == 0x20206961 && vendor_d == 0x68676e61);
    if (zhaoxin) {
        const unsigned family = (signature >> 8) & 0x0f;
        const unsigned model = ((signature >> 4) & 0x0f) + ((signature >> 12) & 0xf0);
        if ((family == 6 && (model == 0x0f || model == 0x19)) ||
            (family == 7 && (model == 0x1b || model == 0x3b)))
            avx2 = false;
    }
    if (fma && avx2) return kFma;
    if (fma4) return kFma4;
    return kGeneric;
}

// Chosen on the first call, as the processor does not change under a running program; racing
// first calls compute the same answer.
std::atomic<int> chosen{kUnknown};

Variant variant() {
    int v = chosen.load(std::memory_order_relaxed);
    if (v == kUnknown) {
        v = glibc_variant();
        chosen.store(v, std::memory_order_relaxed);
    }
    return static_cast<Variant>(v);
}

}  // namespace

extern "C" double exp(double x) {
    switch (variant()) {
    case kFma: return moistek_glibc_exp_fma(x);
    case kFma4: return moistek_glibc_exp_fma4(x);
    default: return moistek_glibc_exp_generic(x);
    }
}

extern "C" double log(double x) {
    switch (variant()) {
    case kFma: return moistek_glibc_log_fma(x);
    case kFma4: return moistek_glibc_log_fma4(x);
    default: return moistek_glibc_log_generic(x);
    }
}

extern "C" double pow(double x, double y) {
    switch (variant()) {
    case kFma: return moistek_glibc_pow_fma(x, y);
    case kFma4: return moistek_glibc_pow_fma4(x, y);
    default: return moistek_glibc_pow_generic(x, y);
    }
}
