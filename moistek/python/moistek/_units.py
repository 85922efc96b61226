"""The systems of units a state is given and shown in, and the inch-pound conversions.

The library computes in its own units ("kcal": °C, kg/kg(DA), kcal/kg(DA), m³/kg(DA), mmHg);
"si" differs in the enthalpy (kJ/kg(DA)) and the pressure (hPa), converted with the library's
own constants; "ip" gives temperatures in °F, the humidity ratio in gr/lb(DA), the enthalpy in
Btu/lb(DA) on the datum of the inch-pound tables (dry air at 0 °F, liquid water at 32 °F), the
specific volume in ft³/lb(DA) and the pressure in psia.

The factors are those of the C++ header moistek/src/moistek_internal/ip_units.h, under the same
names without the k and in capitals; a test reads the header and compares, and the arithmetic of
each conversion is the header's, operation for operation, so the doubles are those of
`moistek state --ip`.
"""

import struct

SYSTEMS = ("kcal", "si", "ip")

FAHRENHEIT_PER_KELVIN = 1.8
FAHRENHEIT_AT_ZERO_C = 32.0
GRAINS_PER_POUND = 7000.0
CUBIC_FEET_PER_POUND_PER_CUBIC_METRE_PER_KG = 16.01846
PSI_PER_MM_HG = 0.0193368
BTU_PER_LB_PER_KCAL_PER_KG = 1.8
# The library's specific heat of dry air, the float 0.24 widened (MoistekClass::Cpa).
LIBRARY_DRY_AIR_SPECIFIC_HEAT = struct.unpack("<f", struct.pack("<f", 0.24))[0]
IP_ENTHALPY_OFFSET = FAHRENHEIT_AT_ZERO_C * LIBRARY_DRY_AIR_SPECIFIC_HEAT


def fahrenheit_from_celsius(c):
    return FAHRENHEIT_PER_KELVIN * c + FAHRENHEIT_AT_ZERO_C


def celsius_from_fahrenheit(f):
    return (f - FAHRENHEIT_AT_ZERO_C) / FAHRENHEIT_PER_KELVIN


def btu_per_lb_from_kcal_per_kg(h):
    return BTU_PER_LB_PER_KCAL_PER_KG * h + IP_ENTHALPY_OFFSET


def kcal_per_kg_from_btu_per_lb(h):
    return (h - IP_ENTHALPY_OFFSET) / BTU_PER_LB_PER_KCAL_PER_KG


def system(units, si):
    """The system named by UNITS ("kcal", "si", "ip" or None) and the older flag SI (a truth
    value already checked): units=None takes it from si; si=True with another system is a
    contradiction."""
    if units is None:
        return "si" if si else "kcal"
    if not isinstance(units, str):
        raise TypeError("units must be 'kcal', 'si' or 'ip', not %r" % (units,))
    if units not in SYSTEMS:
        raise ValueError("units must be 'kcal', 'si' or 'ip', not %r" % (units,))
    if si and units != "si":
        raise ValueError("si=True and units=%r do not go together: give one system of units"
                         % (units,))
    return units


def to_library(units, name, value, instance):
    """VALUE of position NAME in UNITS, in the library's units."""
    if units == "si":
        return value / instance.KcalKJ if name == "EN" else value
    if units != "ip" or name == "RH":
        return value
    if name == "AH":
        return value / GRAINS_PER_POUND
    if name == "EN":
        return kcal_per_kg_from_btu_per_lb(value)
    if name == "SV":
        return value / CUBIC_FEET_PER_POUND_PER_CUBIC_METRE_PER_KG
    return celsius_from_fahrenheit(value)  # DB, WB, DP


def from_library(units, name, value, instance):
    """The library's VALUE of position NAME, in UNITS."""
    if units == "si":
        return value * instance.KcalKJ if name == "EN" else value
    if units != "ip" or name == "RH":
        return value
    if name == "AH":
        return value * GRAINS_PER_POUND
    if name == "EN":
        return btu_per_lb_from_kcal_per_kg(value)
    if name == "SV":
        return value * CUBIC_FEET_PER_POUND_PER_CUBIC_METRE_PER_KG
    return fahrenheit_from_celsius(value)


def pressure_mmhg(units, pa, instance):
    """The total pressure PA given in UNITS (mmHg, hPa or psia), in mmHg."""
    if units == "si":
        return pa * instance.HPaMmHg
    if units == "ip":
        return pa / PSI_PER_MM_HG
    return pa


def converted(units, name):
    """Whether a value of NAME given in UNITS is converted on the way in (and so is shown as
    given, not converted there and back)."""
    return (units == "si" and name == "EN") or (units == "ip" and name != "RH")
