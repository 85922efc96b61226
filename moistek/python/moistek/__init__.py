"""Moistek: properties of moist air, over the installed libmoistek.so.1.

Units: temperatures °C, RH %, AH (humidity ratio) kg/kg(DA), EN (enthalpy) kcal/kg(DA),
SV (specific volume) m³/kg(DA), pressures mmHg; at 760 mmHg. State and states also take and give
SI (units="si") and inch-pound units (units="ip": °F, gr/lb(DA), Btu/lb(DA), ft³/lb(DA), psia).

    >>> import moistek
    >>> moistek.V_DBAH2WB(20, 0.0072630)        # the library's plain function
    >>> moistek.wet_bulb([20, 25], [0.0072630, 0.01])  # the same, over sequences or arrays
    >>> moistek.State(DB=20, RH=50).WB            # the complete state from two properties
    >>> moistek.State(DB=75, RH=50, units="ip").EN  # 28.11 Btu/lb(DA)

Failures raise ValueError with the reason.
"""

from ._functions import ALIASES as _ALIASES
from ._functions import FUNCTIONS as _FUNCTIONS
from ._functions import V_Ver
from ._state import State, states

globals().update(_FUNCTIONS)
globals().update(_ALIASES)


def version():
    """The library's FileVersion text."""
    return V_Ver()


__all__ = sorted(_FUNCTIONS) + sorted(_ALIASES) + ["V_Ver", "version", "State", "states"]
