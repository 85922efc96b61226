#pragma once
// An air-handling unit: for a summer and a winter season, the outdoor and room states, the room
// loads and the supply air, and the components the air passes in order (heat recovery against
// the exhaust at the room state, mixing with the return air, preheat, cooling coil, reheat,
// humidifier, fan). Computed with the design layer at the chart's pressure; engineering units
// throughout: °C, kg/kg(DA), kcal/kg(DA), kcal/h, m³/h, kg/h.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "design/design.h"

namespace humidraw::ahu {

using design::Given;
using design::Property;

// Sensible: the outdoor side's DB moves toward the room's by εt, x kept. Total: its DB by εt and
// its enthalpy by εh.
enum class RecoveryKind { Sensible, Total };
struct HeatRecovery {
    bool on = false;
    RecoveryKind kind = RecoveryKind::Total;
    double temperatureEffectiveness = 0.6;  // εt
    double enthalpyEffectiveness = 0.6;     // εh
    bool operator==(const HeatRecovery&) const = default;
};

// With the return air at the room state; when off, the unit supplies outdoor air only and the
// outdoor flow is not used.
struct Mixing {
    bool on = true;
    bool operator==(const Mixing&) const = default;
};

// Heats at constant x to a DB.
struct Preheat {
    bool on = false;
    double DB = 0;
    bool operator==(const Preheat&) const = default;
};

// The leaving state by two properties; by the apparatus dew point and bypass factor; or by a
// leaving DB at a leaving RH (the state of exactly that DB and RH).
enum class CoilMode { Leaving, AdpBf, DbAtRh };
struct CoolingCoil {
    bool on = false;
    CoilMode mode = CoilMode::DbAtRh;
    Given first{Property::DB, 15}, second{Property::RH, 95};  // Leaving
    double adp = 12, bf = 0.1;                                // AdpBf
    double DB = 15, RH = 95;                                  // DbAtRh
    bool operator==(const CoolingCoil&) const = default;
};

// Heats at constant x to the DB that leaves the unit at the supply DB (what the fan adds taken
// off; along the wet-bulb line of a spray or vaporising humidifier after it).
struct Reheat {
    bool on = false;
    bool operator==(const Reheat&) const = default;
};

// To the supply x: steam at constant DB; water spray along the inlet's wet-bulb line; vaporising
// along it too, as far as its saturation efficiency lets it (DB_out ≥ DB − η·(DB − WB)).
enum class HumidifierKind { Steam, Spray, Vaporising };
struct Humidifier {
    bool on = false;
    HumidifierKind kind = HumidifierKind::Steam;
    double efficiency = 0.6;  // η, vaporising
    bool operator==(const Humidifier&) const = default;
};

// The air's temperature rise through the fan: given in K, or from the fan's power,
// ΔT = P·860 / (G·(0.24 + 0.441x)).
enum class FanMode { Rise, Power };
struct Fan {
    bool on = false;
    FanMode mode = FanMode::Rise;
    double rise = 0;     // K
    double powerKW = 0;  // kW
    bool operator==(const Fan&) const = default;
};

enum class OutdoorBy { Flow, Fraction };
enum class SupplyBy { Flow, TemperatureDifference };

struct Season {
    bool on = true;
    Given outdoor1{Property::DB, 34}, outdoor2{Property::WB, 27};
    OutdoorBy outdoorBy = OutdoorBy::Flow;
    double outdoorFlow = 0;      // m³/h
    double outdoorFraction = 0;  // of the supply volume
    Given room1{Property::DB, 26}, room2{Property::RH, 50};
    double sensibleLoad = 0, latentLoad = 0;  // kcal/h the room gains (negative: loses)
    SupplyBy supplyBy = SupplyBy::Flow;
    double supplyFlow = 0;        // m³/h
    double supplyDifference = 0;  // K between the room's DB and the supply's
    HeatRecovery recovery;
    Mixing mixing;
    Preheat preheat;
    CoolingCoil coil;
    Reheat reheat;
    Humidifier humidifier;
    Fan fan;
    bool operator==(const Season&) const = default;
};

struct Unit {
    Season summer, winter;
    design::AirBasis basis = design::AirBasis::Actual;
    bool operator==(const Unit&) const = default;
};

enum class Part { Recovery, Mixing, Preheat, Coil, Reheat, Humidifier, Fan };
// "recovery", "mixing", "preheat", "coil", "reheat", "humidifier", "fan".
std::string_view partName(Part p);

struct NamedState {
    std::string name;  // "S:OA", "W:MA", …
    design::AirProperties air;
};

// A component's figures: loads positive heating or humidifying, kcal/h; water kg/h.
struct Component {
    Part kind = Part::Mixing;
    std::string name;  // the state it leaves at
    double G = 0;      // dry air, kg/h
    double total = 0, sensible = 0, latent = 0, water = 0;
    std::optional<double> adp, bf;  // the cooling coil
};

struct Sum {
    double total = 0, sensible = 0, latent = 0, water = 0;
};

struct SeasonResult {
    bool computed = false;
    // In air-flow order: OA, HX, MA, PH, CC, RH, HU, FN (those on), then SA and RA.
    std::vector<NamedState> states;
    std::vector<Component> components;
    // The plant's share: preheat, coil, reheat, humidifier and fan (not the heat recovered).
    Sum sum;
    double supplyG = 0, outdoorG = 0;  // kg/h
    double supplyFlow = 0;             // m³/h
    const NamedState* find(std::string_view name) const;
    const Component* component(Part p) const;
};

struct UnitResult {
    SeasonResult summer, winter;
    // Targets not reached, each naming its season and part; the unit is still computed.
    std::vector<std::string> warnings;
    // Failed when a season cannot be computed at all, naming the season and part.
    Status status;
};

UnitResult computeUnit(const MoistAir& air, const Unit& unit);

// The computed seasons as design points (each by its DB and x) and the lines between
// consecutive states (the mixing from both streams), named as the states.
design::Design unitDesign(const Unit& unit, const UnitResult& result);

// Whether a point's name is one a unit's drawing uses ("S:…" or "W:…").
bool unitName(std::string_view name);
// The design with any earlier unit's points and lines taken out and `drawing`'s added.
void replaceUnitDrawing(design::Design& d, const design::Design& drawing);

}  // namespace humidraw::ahu
