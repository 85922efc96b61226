/* The exp, log and pow Moistek.dll carries (glibc 2.36's, src/windows_libm), against the Linux
   build's C library: every result must be the same bit pattern, for the arguments the library's
   relations take (log of temperatures, pressures and ratios, exp of the saturation sums, pow of
   1 - T/Tc to the exponents above 100 °C) and for random bit patterns and special values.

     libm_match compare VARIANT COUNT     (Linux)
         the vendored build VARIANT (generic or fma), compiled natively, against the C library,
         which must have made the same choice (the driver sets GLIBC_TUNABLES for generic);
         prints the first differences.
     libm_match digest IMPL COUNT
         for the Windows build under Wine and the Linux C library: a digest of every result of
         IMPL (generic, fma, or the C library's: libc), to be compared between the two.
   COUNT rounds of arguments (13 calls each). Exit status 0 when all agree, 1 on a difference,
   77 when it cannot be run here. */
#include <math.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#ifdef __GLIBC__
#include <gnu/libc-version.h>
#endif

double moistek_glibc_exp_generic(double), moistek_glibc_log_generic(double),
    moistek_glibc_pow_generic(double, double), moistek_glibc_exp_fma(double),
    moistek_glibc_log_fma(double), moistek_glibc_pow_fma(double, double);

static double libc_exp(double x) { return exp(x); }
static double libc_log(double x) { return log(x); }
static double libc_pow(double x, double y) { return pow(x, y); }

struct impl {
    double (*exp)(double), (*log)(double), (*pow)(double, double);
};

static uint64_t state = 0x9e3779b97f4a7c15u;

static uint64_t next(void) { /* xorshift64 */
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return state;
}

static double uniform(double lo, double hi) { return lo + (hi - lo) * ((next() >> 11) * 0x1p-53); }

static double bits(uint64_t u) {
    double d;
    memcpy(&d, &u, sizeof d);
    return d;
}

static uint64_t pattern(double d) {
    uint64_t u;
    memcpy(&u, &d, sizeof u);
    return u;
}

/* One function's results: compared with a reference, or folded into a digest. NaNs count as
   one pattern, whatever their payload. */
struct tally {
    const char *name;
    long calls, differ;
    uint64_t digest;
};

static void check(struct tally *t, double mine, double ref, double x, double y) {
    ++t->calls;
    const uint64_t u = isnan(mine) ? 0x7ff8000000000000u : pattern(mine);
    t->digest = (t->digest ^ u) * 0x100000001b3u; /* FNV-1a over whole words */
    if (u == pattern(ref) || (isnan(mine) && isnan(ref))) return;
    if (++t->differ <= 5)
        fprintf(stderr, "%s(%a, %a): %a here, %a in the C library\n", t->name, x, y, mine, ref);
}

static void run(const struct impl *mine, const struct impl *ref, long count, struct tally *e,
                struct tally *l, struct tally *p) {
    static const double exponents[] = {1.5, 3.0, 3.5, 4.0, 7.5};
    static const double special[] = {0.0, -0.0, 1.0, -1.0, 2.0, 0.5, INFINITY, -INFINITY, NAN,
                                     0x1p-1074, 0x1p-1022, 0x1.fffffffffffffp1023, 709.782712893384,
                                     709.7827128933841, -745.1332191019411, -745.1332191019412,
                                     -708.3964185322641, 1 - 0x1p-53, 1 + 0x1p-52, -2.5, 3.0};
    const size_t nspecial = sizeof special / sizeof special[0];
    for (size_t i = 0; i < nspecial; ++i) {
        check(e, mine->exp(special[i]), ref->exp(special[i]), special[i], 0);
        check(l, mine->log(special[i]), ref->log(special[i]), special[i], 0);
        for (size_t j = 0; j < nspecial; ++j)
            check(p, mine->pow(special[i], special[j]), ref->pow(special[i], special[j]),
                  special[i], special[j]);
    }
    for (long i = 0; i < count; ++i) {
        double x;
        /* exp: the saturation sums ln e (-100 to 10), and the whole range */
        x = uniform(-100, 10);
        check(e, mine->exp(x), ref->exp(x), x, 0);
        x = uniform(-745, 710);
        check(e, mine->exp(x), ref->exp(x), x, 0);
        /* log: temperatures 3-703 K, ratios and pressures from 1e-12 to 1e7, and near 1 */
        x = uniform(3, 703);
        check(l, mine->log(x), ref->log(x), x, 0);
        x = bits(pattern(1e-12) + next() % (pattern(1e7) - pattern(1e-12)));
        check(l, mine->log(x), ref->log(x), x, 0);
        x = uniform(0.9, 1.1);
        check(l, mine->log(x), ref->log(x), x, 0);
        /* pow: tau = 1 - T/Tc of 373-647 K to the saturation exponents, and any x and y */
        x = uniform(0, 0.43);
        const double y = exponents[next() % 5];
        check(p, mine->pow(x, y), ref->pow(x, y), x, y);
        const double xa = uniform(0, 4), ya = uniform(-60, 60);
        check(p, mine->pow(xa, ya), ref->pow(xa, ya), xa, ya);
        /* random bit patterns: every range, subnormals, NaNs and infinities */
        x = bits(next());
        check(e, mine->exp(x), ref->exp(x), x, 0);
        check(l, mine->log(x), ref->log(x), x, 0);
        const double yb = bits(next());
        check(p, mine->pow(x, yb), ref->pow(x, yb), x, yb);
        const double yi = (double)(int)(next() % 41) - 20; /* negative x to whole powers */
        check(p, mine->pow(-xa, yi), ref->pow(-xa, yi), -xa, yi);
        check(e, mine->exp(-x), ref->exp(-x), -x, 0);
        check(l, mine->log(xa), ref->log(xa), xa, 0);
    }
}

int main(int argc, char **argv) {
    static const struct impl generic = {moistek_glibc_exp_generic, moistek_glibc_log_generic,
                                        moistek_glibc_pow_generic};
    static const struct impl fma = {moistek_glibc_exp_fma, moistek_glibc_log_fma,
                                    moistek_glibc_pow_fma};
    static const struct impl libc = {libc_exp, libc_log, libc_pow};
    const char *mode = argc == 4 ? argv[1] : "", *which = argc == 4 ? argv[2] : "";
    const int compare = !strcmp(mode, "compare");
    const struct impl *mine = !strcmp(which, "generic") ? &generic
                              : !strcmp(which, "fma")   ? &fma
                              : !strcmp(which, "libc") && !compare ? &libc : NULL;
    const long count = argc == 4 ? atol(argv[3]) : 0;
    if ((!compare && strcmp(mode, "digest")) || !mine || count < 0) {
        fprintf(stderr, "usage: libm_match compare generic|fma COUNT\n"
                        "       libm_match digest generic|fma|libc COUNT\n");
        return 2;
    }
    if (mine == &fma && !(__builtin_cpu_supports("fma") && __builtin_cpu_supports("avx2"))) {
        printf("this processor has no FMA and AVX2\n");
        return 77;
    }
    if (compare) {
#ifdef __GLIBC__
        if (strcmp(gnu_get_libc_version(), "2.36")) {
            printf("the C library is glibc %s, not 2.36\n", gnu_get_libc_version());
            return 77;
        }
#else
        printf("compare needs glibc\n");
        return 77;
#endif
    }
    struct tally e = {"exp", 0, 0, 0xcbf29ce484222325u}, l = {"log", 0, 0, 0xcbf29ce484222325u},
                 p = {"pow", 0, 0, 0xcbf29ce484222325u};
    run(mine, compare ? &libc : mine, count, &e, &l, &p);
    const struct tally *all[] = {&e, &l, &p};
    int failed = 0;
    for (int i = 0; i < 3; ++i) {
        if (compare)
            printf("%s (%s): %ld calls, %ld differ from the C library\n", all[i]->name, which,
                   all[i]->calls, all[i]->differ);
        else
            printf("%s %ld %016llx\n", all[i]->name, all[i]->calls,
                   (unsigned long long)all[i]->digest);
        failed |= all[i]->differ != 0;
    }
    return failed;
}
