"""The complete state of moist air from any two of its properties, as `moistek state` gives it."""

import ctypes
import math

from . import _functions, _library, _units

PROPERTIES = ("DB", "RH", "AH", "EN", "SV", "WB", "DP")
POSITIONS = PROPERTIES
LONG_NAMES = {
    "dry_bulb": "DB", "relative_humidity": "RH", "humidity_ratio": "AH", "enthalpy": "EN",
    "specific_volume": "SV", "wet_bulb": "WB", "dew_point": "DP",
}
_HUMIDITY = POSITIONS.index("AH")
_DEW_POINT = POSITIONS.index("DP")
# A pair with the dew point: its humidity ratio from the saturation pressure at the dew point,
# then the method of the humidity ratio and the other property.
_FROM_DEW_POINT = "F_DB2PWS+F_PW2AH+"

# The complete-state methods, named for the two properties they read.
_METHODS = ("C_DBRH", "C_DBAH", "C_DBEN", "C_DBWB", "C_DBSV", "C_RHAH", "C_RHEN", "C_RHWB",
            "C_RHSV", "C_AHEN", "C_AHWB", "C_AHSV", "C_ENWB", "C_ENSV", "C_WBSV")
_BY_PAIR = {frozenset((m[2:4], m[4:6])): m for m in _METHODS}
_CALLS = {}


def _complete(name):
    if name not in _CALLS:
        _CALLS[name] = _library.method(name, 7)
    return _CALLS[name]


def _relation(name):
    if name not in _CALLS:
        _CALLS[name] = _library.method(name, 2)
    return _CALLS[name]


def _property(key):
    if key in LONG_NAMES:
        return LONG_NAMES[key]
    upper = key.upper()
    if upper in PROPERTIES:
        return upper
    raise ValueError("%r is not one of DB RH AH EN SV WB DP (or dry_bulb, relative_humidity, "
                     "humidity_ratio, enthalpy, specific_volume, wet_bulb, dew_point)" % (key,))


def choose_method(given):
    """The complete-state method for the properties GIVEN (a list of (name, value)), or
    ValueError with the same refusals as `moistek state`."""
    if len(given) > 2:
        raise ValueError("more than two properties given")
    if len(given) < 2:
        raise ValueError("give two properties, such as DB=20 RH=50")
    (a, _), (b, _) = given
    if a == b:
        raise ValueError("the same property twice: " + a)
    if {a, b} == {"DP", "AH"}:
        raise ValueError("the humidity ratio fixes the dew point, so DP and AH are one property: "
                         "give DP or AH with one of DB RH EN SV WB")
    if "DP" in (a, b):
        return _FROM_DEW_POINT + _BY_PAIR[frozenset((b if a == "DP" else a, "AH"))]
    method = _BY_PAIR.get(frozenset((a, b)))
    if method is None or method == "C_ENWB":
        raise ValueError("the pair %s, %s does not fix a state in this library" % (a, b))
    return method


def solve(given, method, units, pa):
    """The seven positions and the method's result. The state is computed in engineering units;
    with UNITS "si" an enthalpy given is in kJ/kg(DA) and PA in hPa, and the enthalpy comes back
    in kJ/kg(DA), each converted with the library's own constants; with "ip" every value but RH
    is converted both ways and PA is in psia (see _units). A value converted on the way in is
    shown as given. A dew point gives the humidity ratio of the saturation pressure at it
    (F_DB2PWS, F_PW2AH) and is shown as given. UNITS True and False are "si" and "kcal"."""
    if isinstance(units, bool):
        units = "si" if units else "kcal"
    instance = _library.new_instance()
    if pa is not None:
        instance.PA = _units.pressure_mmhg(units, pa, instance)
    p = [ctypes.c_double(0.0) for _ in POSITIONS]
    for name, value in given:
        p[POSITIONS.index(name)].value = _units.to_library(units, name, value, instance)
    result = 1
    if method.startswith(_FROM_DEW_POINT):
        pw = ctypes.c_double(0.0)
        result = _relation("F_DB2PWS")(ctypes.byref(instance), ctypes.byref(p[_DEW_POINT]),
                                       ctypes.byref(pw))
        if result == 1:
            result = _relation("F_PW2AH")(ctypes.byref(instance), ctypes.byref(pw),
                                          ctypes.byref(p[_HUMIDITY]))
        if result != 1:
            p[_HUMIDITY].value = 0.0
    if result == 1:
        result = _complete(method.split("+")[-1])(ctypes.byref(instance),
                                                  *[ctypes.byref(x) for x in p])
    # A failed state keeps the library's zeros, its sign of failure, unconverted.
    values = [_units.from_library(units, name, x.value, instance) if result == 1 else x.value
              for name, x in zip(POSITIONS, p)]
    for name, value in given:
        if _units.converted(units, name) or name == "DP":
            values[POSITIONS.index(name)] = value  # not converted there and back
    return values, result


class State:
    """The complete state from two properties given by keyword, such as State(DB=20, RH=50).

    Keywords: DB RH AH EN SV WB DP in either case, or dry_bulb, relative_humidity,
    humidity_ratio, enthalpy, specific_volume, wet_bulb, dew_point; the dew point goes with any
    other but the humidity ratio (which fixes it). pa is the total pressure (760 mmHg unless
    given). units chooses the units values are given and kept in: "kcal" (the library's:
    °C, %, kg/kg(DA), kcal/kg(DA), m³/kg(DA), pa in mmHg), "si" (the enthalpy in kJ/kg(DA), pa in
    hPa) or "ip" (°F, %, gr/lb(DA), Btu/lb(DA) with dry air at 0 °F and water at 32 °F,
    ft³/lb(DA), pa in psia); si=True is units="si". The attributes DB RH AH EN SV WB DP (and
    their long names) hold the state, `units` its system; `method` names the library method
    used. A pair the library does not accept, or values without a state, raise ValueError.
    """

    __slots__ = POSITIONS + ("method", "si", "units")

    def __init__(self, si=False, pa=None, units=None, **properties):
        units = _units.system(units, _switch(si, "si"))
        given = [(_property(k), _functions._number(v, k)) for k, v in properties.items()]
        self.method = choose_method(given)
        if pa is not None:
            pa = _functions._number(pa, "pa")
        values, result = solve(given, self.method, units, pa)
        if result != 1:
            raise ValueError("%s: no state for %s" % (
                self.method, " ".join("%s=%r" % (n, v) for n, v in given)))
        for name, value in zip(POSITIONS, values):
            setattr(self, name, value)
        self.units = units
        self.si = units == "si"

    def __getattr__(self, name):
        if name in LONG_NAMES:
            return getattr(self, LONG_NAMES[name])
        raise AttributeError(name)

    def as_dict(self):
        """The seven positions by their short names."""
        return {name: getattr(self, name) for name in POSITIONS}

    def __repr__(self):
        return "State(%s)" % ", ".join("%s=%r" % kv for kv in self.as_dict().items())


# Rows of states computed at a time: each holds seven values until they are stored.
_ROWS = 512


def _switch(value, name):
    """VALUE as True or False: a text such as "no" is not a truth value."""
    if isinstance(value, bool) or (_functions.numpy is not None
                                   and isinstance(value, _functions.numpy.bool_)):
        return bool(value)
    raise TypeError("%s must be True or False, not %r" % (name, value))


def states(si=False, pa=None, errors="raise", units=None, **columns):
    """Complete states for columns of two properties (numbers, sequences or NumPy arrays, as the
    aliases take them): a dict of the seven positions, each a list or an array, in UNITS as for
    State. A row without a state raises ValueError, or with errors='nan' gives NaN in all seven
    positions; a row masked in a masked array is not computed and is masked in all seven."""
    _functions.check_errors(errors)
    units = _units.system(units, _switch(si, "si"))
    names = [_property(k) for k in columns]
    method = choose_method([(n, 0.0) for n in names])
    if pa is not None:
        pa = _functions._number(pa, "pa")
    data = _functions.Columns(list(columns.values()))
    if (set(names) == {"DB", "RH"} and pa is None and units in ("kcal", "si")
            and _functions.use_array_forms and data.shape not in (None, _functions.SCALAR)):
        return _from_db_rh_arrays(names, data, units, errors)
    out = [data.output() for _ in POSITIONS]
    nan = [math.nan] * len(POSITIONS)
    for start in range(0, data.size, _ROWS):
        stop = min(start + _ROWS, data.size)
        chunk = data.chunk(start, stop)
        masked = set(data.masked_rows(start, stop))
        bad = set(_functions.non_finite_rows(chunk))
        rows = []
        for i, row in enumerate(zip(*chunk)):
            if i in masked:
                rows.append(nan)
                continue
            given = list(zip(names, row))
            values, result = (None, 0) if i in bad else solve(given, method, units, pa)
            if result != 1:
                if errors == "raise":
                    raise ValueError("%s: no state for %s (row %d)" % (
                        method, " ".join("%s=%r" % g for g in given), start + i))
                values = nan
            rows.append(values)
        for position, column in enumerate(out):
            _functions._store(column, start, [r[position] for r in rows])
    return {n: data.shaped(c) for n, c in zip(POSITIONS, out)}


_DB_RH_ARRAYS = None


def _from_db_rh_arrays(names, data, units, errors):
    """states() for arrays of DB and RH at 760 mmHg through the library's array form of C_DBRH
    (on its own instance, at the defaults as a new instance is): one call per _ROWS rows, the
    same values, NaN and errors as one state a row. In SI units the enthalpy is converted as
    solve() converts it."""
    global _DB_RH_ARRAYS
    if _DB_RH_ARRAYS is None:
        _DB_RH_ARRAYS = _library.array_form("VA_DBRH", 8)
    numpy = _functions.numpy
    kcal_kj = _library.new_instance().KcalKJ
    out = {name: data.output() for name in POSITIONS}
    computed = [out[name] for name in POSITIONS[2:]]  # AH EN SV WB DP
    status = numpy.empty(min(_ROWS, data.size), dtype=numpy.int8)
    db_at, rh_at = names.index("DB"), names.index("RH")
    for start in range(0, data.size, _ROWS):
        stop = min(start + _ROWS, data.size)
        n = stop - start
        columns = data.block(start, stop)
        db, rh = columns[db_at], columns[rh_at]
        targets = [c[start:stop] for c in computed]
        with _library.plain_lock:
            _DB_RH_ARRAYS(db.ctypes.data, rh.ctypes.data, *[t.ctypes.data for t in targets],
                          status.ctypes.data, n)
        out["DB"][start:stop] = db
        out["RH"][start:stop] = rh
        if units == "si":
            out["EN"][start:stop] *= kcal_kj
        failed = (status[:n] == 0) | ~numpy.isfinite(db) | ~numpy.isfinite(rh)
        rows = [c[start:stop] for c in out.values()]
        if data.mask is not None:
            masked = data.mask[start:stop]
            failed &= ~masked
            for r in rows:
                r[masked] = math.nan
        if not failed.any():
            continue
        if errors == "raise":
            i = int(numpy.flatnonzero(failed)[0])
            given = [(name, float(columns[j][i])) for j, name in enumerate(names)]
            raise ValueError("C_DBRH: no state for %s (row %d)"
                             % (" ".join("%s=%r" % g for g in given), start + i))
        for r in rows:
            r[failed] = math.nan
    return {name: data.shaped(out[name]) for name in POSITIONS}
