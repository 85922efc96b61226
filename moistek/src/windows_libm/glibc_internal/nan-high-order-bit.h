/* x86: a NaN whose high-order mantissa bit is set is quiet, as in IEEE 754-2008.  */
#ifndef MOISTEK_GLIBC_NAN_HIGH_ORDER_BIT_H
#define MOISTEK_GLIBC_NAN_HIGH_ORDER_BIT_H
#define HIGH_ORDER_BIT_IS_SET_FOR_SNAN 0
#endif
