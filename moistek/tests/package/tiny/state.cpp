// The complete state from dry bulb and relative humidity, through the class and a plain function.
#include <moistek/moistek.h>

#include <cstdio>

int main() {
    MoistekClass m;
    double db = 20, rh = 50, ah = 0, en = 0, sv = 0, wb = 0, dp = 0;
    if (m.C_DBRH(db, rh, ah, en, sv, wb, dp) != 1) return 1;
    std::printf("%.17g %.17g %.17g\n", ah, wb, V_DBAH2RH(db, ah));
    return 0;
}
