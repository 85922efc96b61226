#pragma once
// The single-coil air-handling unit: from outdoor and room conditions, loads and air volumes, the
// summer process (mixing, cooling coil to 95 %, reheat, supply) and the winter process (mixing,
// heating coil, water-spray or steam humidifier, supply), and the objects that plot them.
// Enthalpies in kcal/kg(DA), loads in kcal/h, volumes in m³/h; with SI units the typed
// enthalpies are kJ/kg and the loads kW; with IP units every typed value is in IP (°F, gr/lb,
// Btu/lb, ft³/lb, Btu/h, cfm) and converted to the engine's units before the run.
#include <optional>
#include <string>
#include <vector>

#include "air/air.h"
#include "document/attributes.h"
#include "document/object_table.h"
#include "document/state.h"
#include "moistek_internal/air_constants.h"
#include "result/result.h"
#include "units/unit_system.h"

namespace humidraw::coil {

// Loads given in kW (SI) are converted with kKcalHPerKW, and the report shows kW with it.

// The dialog's fields as typed: selector indexes and texts.
struct CoilInputs {
    // cooling
    int CB1 = 0, CB2 = 1;
    std::string X1 = "34", X2 = "60", EOA = "5000";
    int CB10 = 0, CB20 = 1;
    std::string X10 = "26", X20 = "50", EQS = "50000", EQL = "5000", EDT = "10.0", ESA = "0";
    // heating
    int HCB1 = 0, HCB2 = 1;
    std::string HX1 = "-1", HX2 = "60", HEOA = "5000";
    int HCB10 = 0, HCB20 = 1;
    std::string HX10 = "22", HX20 = "50", HEQS = "50000", HESA = "0";
    int Kasitu = 1;  // 1 water spray, 2 steam
};

// The fields' defaults in a unit system: the engineering ones as they are, with SI the loads
// in kW, with IP every value converted and rounded to a round IP figure.
CoilInputs defaultInputs(UnitSystem units);

struct AirState {
    bool exists = false;
    double DB = 0, RH = 0, x = 0, h = 0;
};

// The air volumes and room loads one season was computed with, in kcal/h whatever the unit
// setting (the report's mass flows and loads start from them).
struct SeasonFlows {
    double outdoorVolume = 0;  // m³/h
    double supplyVolume = 0;   // m³/h, as rewritten into ESA / HESA
    double sensibleLoad = 0;   // kcal/h
    double latentLoad = 0;     // kcal/h (cooling only)
};

struct Season {
    bool computed = false;
    AirState OA, RA, MA, CA, SA;
    SeasonFlows flows;
};

struct CoilRun {
    // Why the run was refused (with its caption): a refused run appends nothing and rewrites
    // no field, whichever half stopped it. Messages name the season, the fields and the reason;
    // Full when the objects would not fit into the table, Invalid for everything else.
    Status status;
    std::string errorCaption;
    // Things a completed run plotted but the user should know (caption "Humidraw"): a supply
    // state above saturation, more outdoor air than supply air.
    std::vector<std::string> warnings;
    Season cooling, heating;
    double pressureMmHg = kStandardPressureMmHg;  // the air's the run was computed with
    CoilInputs fields;  // the inputs with ESA, EDT and HESA as rewritten, in the run's units
    std::vector<ObjectRecord> objects;  // cooling objects, then heating objects
    bool complete = false;              // both halves done: repaint and hide the dialog
};

// Runs both halves, all or nothing, with the air at the chart's pressure, the fields typed in
// `units`. `state` is the current-state record the pair-state calculation works in; `room` the
// free records of the object table (a run that would not fit adds nothing). The seasons, flows
// and objects are in the engine's units whatever `units` is; only the fields are in `units`.
CoilRun runCoil(const MoistAir& air, const CoilInputs& in, UnitSystem units, double dbMin,
                double dbMax, const CurrentAttributes& attributes, int room, CurrentState& state);

}  // namespace humidraw::coil
