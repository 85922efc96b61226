/* The vendored code is compiled for SSE2 arithmetic (FLT_EVAL_METHOD 0) on both Windows
   targets, where every double operation already rounds to double: nothing to narrow.  */
#ifndef MOISTEK_GLIBC_MATH_NARROW_EVAL_H
#define MOISTEK_GLIBC_MATH_NARROW_EVAL_H
#include <float.h>
#if !defined __FLT_EVAL_METHOD__ || __FLT_EVAL_METHOD__ != 0
# error "glibc's exp, log and pow are built here for SSE2 arithmetic only"
#endif
#define math_narrow_eval(x) (x)
#endif
