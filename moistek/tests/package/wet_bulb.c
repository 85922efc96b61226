/* A C program built against the installed Moistek through pkg-config. */
#include <moistek/moistek.h>
#include <stdio.h>
#include <stdlib.h>

int main(void) {
    const double db[2] = {20, 400}, ah[2] = {0.0072630, 0.01};
    double rh[2];
    int8_t status[2];
    char* version;
    /* The array form: element for element the plain function; 400 °C has no RH. */
    if (VA_DBAH2RH(db, ah, rh, status, 2) != 1 || status[0] != 1 || status[1] != 0 ||
        rh[0] != V_DBAH2RH(20, 0.0072630) || rh[1] != 0.0)
        return 2;
    version = V_Ver();
    if (!version) return 1;
    /* 20 °C at 0.0072630 kg/kg(DA): about 13.78 °C wet bulb; 400 °C has no saturation pressure. */
    printf("%.17g %.17g %s\n", V_DBAH2WB(20, 0.0072630), V_DB2PWS(400), version);
    free(version);
    return 0;
}
