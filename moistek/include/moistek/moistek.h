#pragma once
// Moistek: properties of moist air. One declaration of the calculation class serves the library
// and every program that links it; programs create instances themselves, so the members and
// their order are part of the library's binary interface.
//
// Every method takes its inputs and then its output(s) as references to double and returns 1 on
// success or -1 on failure. Temperatures in °C, RH in %, AH in kg/kg(DA), SV in m³/kg(DA);
// EN in kcal/kg(DA) and pressures in mmHg in engineering mode (Mode != 1), kJ/kg(DA) and hPa
// in SI mode (Mode == 1).
//
// From C, only the plain functions at the end are declared.

// MOISTEK_API marks what the library exports: on Windows every function so marked is in the
// DLL's export table (and imported by its callers), elsewhere it has default visibility.
// MOISTEK_CALL is the calling convention of the plain functions: __stdcall on Windows, which
// 32-bit spreadsheet macros require (the names are exported without the @N decoration), and
// the ordinary one elsewhere.
#if defined(_WIN32)
#if defined(MOISTEK_BUILDING_LIBRARY)
#define MOISTEK_API __declspec(dllexport)
#else
#define MOISTEK_API __declspec(dllimport)
#endif
#define MOISTEK_CALL __stdcall
#include <stddef.h>  // wchar_t, of the automation string V_Ver returns there
#else
#define MOISTEK_API __attribute__((visibility("default")))
#define MOISTEK_CALL
#endif

#ifdef __cplusplus
#include <cstdint>

class MoistekClass {
  public:
    MOISTEK_API MoistekClass();

    int32_t Mode;    // exactly 1 selects SI mode
    double AtMmHg;   // mmHg per kgf/cm²
    double T0;       // K at 0 °C
    double Ma;       // kg/kmol, dry air
    double Mw;       // kg/kmol, water
    double Ra;       // kgf·m/(kg·K), dry air
    double Rw;       // kgf·m/(kg·K), water vapour
    double Cpa;      // kcal/(kg·K), dry air
    double Cpv;      // kcal/(kg·K), water vapour
    double Cw;       // kcal/(kg·K), liquid water
    double Ci;       // kcal/(kg·K), ice
    double R0;       // kcal/kg, latent heat of vaporisation at 0 °C
    double Lf;       // kcal/kg, latent heat of fusion
    double Pstd;     // mmHg, standard atmosphere (read by nothing)
    double PA;       // mmHg, total pressure of the methods without a pressure argument
    double KcalKJ;   // kJ/kcal
    double HPaMmHg;  // mmHg/hPa
    double TolT;     // °C, finest step of the temperature searches
    double TolX;     // kg/kg(DA), finest step and start offset of the humidity searches

    // Saturation and vapour pressure relations.
    MOISTEK_API int F_DB2PWS(double& DB, double& PWS);
    MOISTEK_API int F_PAPW2AH(double& PA, double& PW, double& AH);
    MOISTEK_API int F_PW2AH(double& PW, double& AH);
    MOISTEK_API int F_PAAH2PW(double& PA, double& AH, double& PW);
    MOISTEK_API int F_DBRH2AH(double& DB, double& RH, double& AH);
    MOISTEK_API int F_AH2DP(double& AH, double& DP);

    // Forward relations and humidity-ratio searches.
    MOISTEK_API int F_DBAH2EN(double& DB, double& AH, double& EN);
    MOISTEK_API int F_ENDB2AH(double& EN, double& DB, double& AH);
    MOISTEK_API int F_ENAH2DB(double& EN, double& AH, double& DB);
    MOISTEK_API int F_DBAH2SV(double& DB, double& AH, double& SV);
    MOISTEK_API int F_SVAH2DB(double& SV, double& AH, double& DB);
    MOISTEK_API int F_WBAH2DB(double& WB, double& AH, double& DB);
    MOISTEK_API int F_DBAH2WB(double& DB, double& AH, double& WB);
    MOISTEK_API int F_DBAH2RH(double& DB, double& AH, double& RH);
    MOISTEK_API int F_DBAH2RV(double& DB, double& AH, double& RV);
    MOISTEK_API int F_DBWB2RH(double& DB, double& WB, double& RH);
    MOISTEK_API int F_DBWB2AH(double& DB, double& WB, double& AH);
    MOISTEK_API int F_DBSV2AH(double& DB, double& SV, double& AH);
    MOISTEK_API int F_SVWB2AH(double& SV, double& WB, double& AH);

    // Dry-bulb searches.
    MOISTEK_API int F_RHAH2DB(double& RH, double& AH, double& DB);
    MOISTEK_API int F_RHEN2DB(double& RH, double& EN, double& DB);
    MOISTEK_API int F_RHWB2DB(double& RH, double& WB, double& DB);
    MOISTEK_API int F_RHSV2DB(double& RH, double& SV, double& DB);
    MOISTEK_API int F_SVEN2DB(double& SV, double& EN, double& DB);

    // Complete states: positions DB, RH, AH, EN, SV, WB, DP; the two named are read.
    MOISTEK_API int C_DBRH(double& DB, double& RH, double& AH, double& EN, double& SV, double& WB,
                           double& DP);
    MOISTEK_API int C_DBAH(double& DB, double& RH, double& AH, double& EN, double& SV, double& WB,
                           double& DP);
    MOISTEK_API int C_DBEN(double& DB, double& RH, double& AH, double& EN, double& SV, double& WB,
                           double& DP);
    MOISTEK_API int C_DBWB(double& DB, double& RH, double& AH, double& EN, double& SV, double& WB,
                           double& DP);
    MOISTEK_API int C_DBSV(double& DB, double& RH, double& AH, double& EN, double& SV, double& WB,
                           double& DP);
    MOISTEK_API int C_RHAH(double& DB, double& RH, double& AH, double& EN, double& SV, double& WB,
                           double& DP);
    MOISTEK_API int C_RHEN(double& DB, double& RH, double& AH, double& EN, double& SV, double& WB,
                           double& DP);
    MOISTEK_API int C_RHWB(double& DB, double& RH, double& AH, double& EN, double& SV, double& WB,
                           double& DP);
    MOISTEK_API int C_RHSV(double& DB, double& RH, double& AH, double& EN, double& SV, double& WB,
                           double& DP);
    MOISTEK_API int C_AHEN(double& DB, double& RH, double& AH, double& EN, double& SV, double& WB,
                           double& DP);
    MOISTEK_API int C_AHWB(double& DB, double& RH, double& AH, double& EN, double& SV, double& WB,
                           double& DP);
    MOISTEK_API int C_AHSV(double& DB, double& RH, double& AH, double& EN, double& SV, double& WB,
                           double& DP);
    MOISTEK_API int C_ENWB(double& DB, double& RH, double& AH, double& EN, double& SV, double& WB,
                           double& DP);
    MOISTEK_API int C_ENSV(double& DB, double& RH, double& AH, double& EN, double& SV, double& WB,
                           double& DP);
    MOISTEK_API int C_WBSV(double& DB, double& RH, double& AH, double& EN, double& SV, double& WB,
                           double& DP);

    // The library's FileVersion text, valid for the life of the library; null when unreadable.
    MOISTEK_API const char* Verinfo();
};
#endif

// Plain functions over the library's own instance (engineering mode, 760 mmHg). Each returns
// the method's output, or 0.0 when the method fails.
#include <stdint.h>
#ifdef __cplusplus
extern "C" {
#endif
MOISTEK_API double MOISTEK_CALL V_DB2PWS(double DB);
MOISTEK_API double MOISTEK_CALL V_PW2AH(double PW);
MOISTEK_API double MOISTEK_CALL V_ENDB2AH(double EN, double DB);
MOISTEK_API double MOISTEK_CALL V_DBWB2AH(double DB, double WB);
MOISTEK_API double MOISTEK_CALL V_DBSV2AH(double DB, double SV);
MOISTEK_API double MOISTEK_CALL V_SVWB2AH(double SV, double WB);
MOISTEK_API double MOISTEK_CALL V_DBRH2AH(double DB, double RH);
MOISTEK_API double MOISTEK_CALL V_DBAH2EN(double DB, double AH);
MOISTEK_API double MOISTEK_CALL V_DBAH2WB(double DB, double AH);
MOISTEK_API double MOISTEK_CALL V_DBAH2SV(double DB, double AH);
MOISTEK_API double MOISTEK_CALL V_WBAH2DB(double WB, double AH);
MOISTEK_API double MOISTEK_CALL V_SVAH2DB(double SV, double AH);
MOISTEK_API double MOISTEK_CALL V_ENAH2DB(double EN, double AH);
MOISTEK_API double MOISTEK_CALL V_RHAH2DB(double RH, double AH);
MOISTEK_API double MOISTEK_CALL V_RHEN2DB(double RH, double EN);
MOISTEK_API double MOISTEK_CALL V_RHWB2DB(double RH, double WB);
MOISTEK_API double MOISTEK_CALL V_RHSV2DB(double RH, double SV);
MOISTEK_API double MOISTEK_CALL V_SVEN2DB(double SV, double EN);
MOISTEK_API double MOISTEK_CALL V_DBAH2RH(double DB, double AH);
MOISTEK_API double MOISTEK_CALL V_DBAH2RV(double DB, double AH);
MOISTEK_API double MOISTEK_CALL V_AH2DP(double AH);
// Array forms of the most used plain functions, over the same instance: inputs in the order of
// the name, then the output array(s), the status array and the element count. Element i of each
// output is exactly what the plain function gives for element i of the inputs (0.0 where it
// fails); status[i] is 1 where the method succeeded and 0 where it failed. An output may be
// the same array as an input. They return the number of failed elements, or -1 without writing
// anything when count is negative or beyond what an array of doubles can hold, or a pointer is
// null while count > 0; a count of 0 returns 0 and reads no pointer.
MOISTEK_API int64_t VA_DBAH2WB(const double* DB, const double* AH, double* WB, int8_t* status,
                               int64_t count);
MOISTEK_API int64_t VA_AH2DP(const double* AH, double* DP, int8_t* status, int64_t count);
MOISTEK_API int64_t VA_DBAH2RH(const double* DB, const double* AH, double* RH, int8_t* status,
                               int64_t count);
MOISTEK_API int64_t VA_DBAH2EN(const double* DB, const double* AH, double* EN, int8_t* status,
                               int64_t count);
MOISTEK_API int64_t VA_DBAH2SV(const double* DB, const double* AH, double* SV, int8_t* status,
                               int64_t count);
// The complete state from DB and RH, as MoistekClass::C_DBRH gives it at the constructor's
// defaults (engineering mode, 760 mmHg); a failed state is 0.0 in all five outputs.
MOISTEK_API int64_t VA_DBRH(const double* DB, const double* RH, double* AH, double* EN,
                            double* SV, double* WB, double* DP, int8_t* status, int64_t count);
// The library's FileVersion text, newly allocated and owned by the caller; null when the version
// information cannot be read. On Windows an automation string (BSTR) holding the text's bytes,
// freed with SysFreeString; elsewhere a malloc'ed, zero-terminated copy, freed with free().
#if defined(_WIN32)
MOISTEK_API wchar_t* MOISTEK_CALL V_Ver(void);
#else
MOISTEK_API char* V_Ver(void);
#endif
#ifdef __cplusplus
}
#endif
