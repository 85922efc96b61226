/* A C program built against the installed Moistek through pkg-config. */
#include <moistek/moistek.h>
#include <stdio.h>
#include <stdlib.h>

int main(void) {
    char* version = V_Ver();
    if (!version) return 1;
    /* 20 °C at 0.0072630 kg/kg(DA): about 13.78 °C wet bulb; 400 °C has no saturation pressure. */
    printf("%.17g %.17g %s\n", V_DBAH2WB(20, 0.0072630), V_DB2PWS(400), version);
    free(version);
    return 0;
}
