#pragma once
// What an engineer sizing the unit reads off a single-coil run: the coil loads, the condensed
// and the humidifier's water, the outdoor-air load, the cooling coil's apparatus dew point and
// bypass factor. Loads in kcal/h, mass flows of dry air and water in kg/h, temperatures in °C.
#include <optional>

#include "coil/coil.h"

namespace humidraw::coil {

constexpr double kAirDensity = 1.2;     // kg/m³, the density the sensible load is reckoned with

struct CoolingReport {
    double supplyVolume = 0, outdoorVolume = 0;  // m³/h
    double dryAir = 0, outdoorDryAir = 0;        // kg/h of dry air
    double roomSensible = 0, roomLatent = 0;     // kcal/h, as given
    // The coil from MA to CA; absent without outdoor air, which leaves no mixed air.
    bool coil = false;
    double total = 0, sensible = 0, latent = 0;  // kcal/h
    double water = 0;                            // kg/h condensed
    std::optional<double> shf;                   // none for a coil of no total load
    // °C; none when the line from MA through CA meets the saturation curve nowhere within the
    // chart's dry-bulb range.
    std::optional<double> adp;
    std::optional<double> bypass;
    // CA → SA when SA is warmer than CA: the reheater or the fan and duct gain; else 0.
    double reheat = 0;      // kcal/h
    double outdoorAir = 0;  // kcal/h, G_OA × (h_OA − h_RA): positive takes heat into the unit
    // kg/m³, the supply air's density at the site's pressure; only when that is not 760 mmHg.
    std::optional<double> siteDensity;
};

struct HeatingReport {
    double supplyVolume = 0, outdoorVolume = 0;  // m³/h
    double dryAir = 0, outdoorDryAir = 0;        // kg/h of dry air
    double roomSensible = 0;                     // kcal/h, as given
    bool steam = false;                          // the humidifier's kind (else water spray)
    // The heating coil (MA → CA) and the humidifier (CA → SA); absent without outdoor air.
    bool coil = false;
    double coilLoad = 0;    // kcal/h
    double humidifier = 0;  // kg/h of water or steam
    double outdoorAir = 0;  // kcal/h, G_OA × (h_OA − h_RA): negative takes heat out of the unit
    // kg/m³, the supply air's density at the site's pressure; only when that is not 760 mmHg.
    std::optional<double> siteDensity;
};

struct CoilReport {
    double pressureMmHg = kStandardPressureMmHg;  // the chart's, which the run was computed at
    CoolingReport cooling;
    HeatingReport heating;
};

// The figures of a complete run; `dbMin`, `dbMax` the chart's dry-bulb range (°C) within which
// the apparatus dew point is looked for.
CoilReport coilReport(const CoilRun& run, double dbMin, double dbMax);

// Where the straight line in (h, x) from `inlet` through `outlet` meets the saturation curve
// beyond the outlet, as a dry-bulb temperature (°C) within [dbMin, dbMax]; nothing when it does
// not.
std::optional<double> apparatusDewPoint(const MoistAir& air, const AirState& inlet, const AirState& outlet, double dbMin,
                                        double dbMax);

}  // namespace humidraw::coil
