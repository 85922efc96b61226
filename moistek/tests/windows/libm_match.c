/* The exp, log and pow Moistek.dll carries (glibc 2.36's, src/windows_libm), built natively here
   with the same options, against the C library this build links: every result must be the same
   bit pattern, for the arguments the library's relations take (log of temperatures, pressures
   and ratios, exp of the saturation sums, pow of 1 - T/Tc to the exponents above 100 °C) and for
   random bit patterns and special values.

     libm_match VARIANT COUNT
         VARIANT generic or fma: the build compared. The C library must have made the same
         choice (the driver sets GLIBC_TUNABLES for generic).
   Exit status 0 when all agree, 1 on a difference, 77 when it cannot be run here. */
#include <gnu/libc-version.h>
#include <math.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>

double moistek_glibc_exp_generic(double), moistek_glibc_log_generic(double),
    moistek_glibc_pow_generic(double, double), moistek_glibc_exp_fma(double),
    moistek_glibc_log_fma(double), moistek_glibc_pow_fma(double, double);

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

struct tally {
    const char *name;
    long calls, differ;
};

/* NaNs agree when both are NaN (their payloads are the same anyway on x86; this keeps a
   different quiet NaN from counting as a wrong result). */
static void check(struct tally *t, double mine, double libc, double x, double y) {
    ++t->calls;
    if (pattern(mine) == pattern(libc) || (isnan(mine) && isnan(libc))) return;
    if (++t->differ <= 5)
        fprintf(stderr, "%s(%a, %a): %a here, %a in the C library\n", t->name, x, y, mine, libc);
}

int main(int argc, char **argv) {
    if (argc != 3 || (strcmp(argv[1], "generic") && strcmp(argv[1], "fma"))) {
        fprintf(stderr, "usage: libm_match generic|fma COUNT\n");
        return 2;
    }
    if (strcmp(gnu_get_libc_version(), "2.36")) {
        printf("the C library is glibc %s, not the 2.36 the DLL carries\n", gnu_get_libc_version());
        return 77;
    }
    const int fma = !strcmp(argv[1], "fma");
    if (fma && !(__builtin_cpu_supports("fma") && __builtin_cpu_supports("avx2"))) {
        printf("this processor has no FMA and AVX2\n");
        return 77;
    }
    double (*my_exp)(double) = fma ? moistek_glibc_exp_fma : moistek_glibc_exp_generic;
    double (*my_log)(double) = fma ? moistek_glibc_log_fma : moistek_glibc_log_generic;
    double (*my_pow)(double, double) = fma ? moistek_glibc_pow_fma : moistek_glibc_pow_generic;
    const long count = atol(argv[2]);
    struct tally e = {"exp", 0, 0}, l = {"log", 0, 0}, p = {"pow", 0, 0};
    static const double exponents[] = {1.5, 3.0, 3.5, 4.0, 7.5};
    static const double special[] = {0.0, -0.0, 1.0, -1.0, 2.0, 0.5, INFINITY, -INFINITY, NAN,
                                     0x1p-1074, 0x1p-1022, 0x1.fffffffffffffp1023, 709.782712893384,
                                     709.7827128933841, -745.1332191019411, -745.1332191019412,
                                     -708.3964185322641, 1 - 0x1p-53, 1 + 0x1p-52, -2.5, 3.0};
    const size_t nspecial = sizeof special / sizeof special[0];
    for (size_t i = 0; i < nspecial; ++i) {
        check(&e, my_exp(special[i]), exp(special[i]), special[i], 0);
        check(&l, my_log(special[i]), log(special[i]), special[i], 0);
        for (size_t j = 0; j < nspecial; ++j)
            check(&p, my_pow(special[i], special[j]), pow(special[i], special[j]), special[i],
                  special[j]);
    }
    for (long i = 0; i < count; ++i) {
        double x;
        /* exp: the saturation sums ln e (-100 to 10) and the ice guess 10·(...) */
        x = uniform(-100, 10);
        check(&e, my_exp(x), exp(x), x, 0);
        x = uniform(-700, 700);
        check(&e, my_exp(x), exp(x), x, 0);
        /* log: temperatures 3-703 K, and ratios and pressures from 1e-12 to 1e7 */
        x = uniform(3, 703);
        check(&l, my_log(x), log(x), x, 0);
        x = exp(uniform(-27.6, 16.2));
        check(&l, my_log(x), log(x), x, 0);
        x = uniform(0.9, 1.1);
        check(&l, my_log(x), log(x), x, 0);
        /* pow: tau = 1 - T/Tc of 373-647 K to the saturation exponents, and any x, y */
        x = uniform(0, 0.43);
        const double y = exponents[next() % 5];
        check(&p, my_pow(x, y), pow(x, y), x, y);
        const double xa = uniform(0, 4), ya = uniform(-60, 60);
        check(&p, my_pow(xa, ya), pow(xa, ya), xa, ya);
        /* random bit patterns: every range, subnormals, NaNs and infinities */
        x = bits(next());
        check(&e, my_exp(x), exp(x), x, 0);
        check(&l, my_log(x), log(x), x, 0);
        const double yb = bits(next());
        check(&p, my_pow(x, yb), pow(x, yb), x, yb);
    }
    const struct tally *all[] = {&e, &l, &p};
    int failed = 0;
    for (int i = 0; i < 3; ++i) {
        printf("%s (%s): %ld calls, %ld differ from the C library\n", all[i]->name, argv[1],
               all[i]->calls, all[i]->differ);
        failed |= all[i]->differ != 0;
    }
    return failed;
}
