/* What glibc's internal headers give the vendored exp, log and pow, for a build outside glibc
   (MinGW-w64): the symbol attribute its libraries use and the branch hint of <sys/cdefs.h>.
   The functions are linked into Moistek.dll only and never exported, so the hidden
   attribute has nothing to hide there.  */
#ifndef MOISTEK_GLIBC_MATH_PRIVATE_H
#define MOISTEK_GLIBC_MATH_PRIVATE_H
#define attribute_hidden
#ifndef __glibc_unlikely
# define __glibc_unlikely(cond) __builtin_expect ((cond), 0)
# define __glibc_likely(cond) __builtin_expect ((cond), 1)
#endif
#endif
