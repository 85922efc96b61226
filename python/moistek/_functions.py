"""The library's plain functions under their exported names, and Pythonic aliases over them.

The exported names take and return single numbers exactly as the C functions do, except that a
failure raises ValueError instead of returning 0.0. The aliases also take sequences (a list in
gives a list out) and NumPy arrays (broadcast together, an array of the broadcast shape out).
"""

import itertools
import math

from . import _library

UNITS = {
    "DB": "°C", "WB": "°C", "DP": "°C", "RH": "%", "RV": "%", "AH": "kg/kg(DA)",
    "EN": "kcal/kg(DA)", "SV": "m³/kg(DA)", "PW": "mmHg", "PWS": "mmHg",
}

# Exported name, Pythonic alias, inputs in order, what the result is.
TABLE = [
    ("V_DB2PWS", "saturation_pressure", ("DB",), "saturation vapour pressure"),
    ("V_PW2AH", "humidity_ratio_from_pw", ("PW",), "humidity ratio"),
    ("V_ENDB2AH", "humidity_ratio_from_en_db", ("EN", "DB"), "humidity ratio"),
    ("V_DBWB2AH", "humidity_ratio_from_db_wb", ("DB", "WB"), "humidity ratio"),
    ("V_DBSV2AH", "humidity_ratio_from_db_sv", ("DB", "SV"), "humidity ratio"),
    ("V_SVWB2AH", "humidity_ratio_from_sv_wb", ("SV", "WB"), "humidity ratio"),
    ("V_DBRH2AH", "humidity_ratio_from_db_rh", ("DB", "RH"), "humidity ratio"),
    ("V_DBAH2EN", "enthalpy", ("DB", "AH"), "enthalpy"),
    ("V_DBAH2WB", "wet_bulb", ("DB", "AH"), "wet-bulb temperature"),
    ("V_DBAH2SV", "specific_volume", ("DB", "AH"), "specific volume"),
    ("V_WBAH2DB", "dry_bulb_from_wb_ah", ("WB", "AH"), "dry-bulb temperature"),
    ("V_SVAH2DB", "dry_bulb_from_sv_ah", ("SV", "AH"), "dry-bulb temperature"),
    ("V_ENAH2DB", "dry_bulb_from_en_ah", ("EN", "AH"), "dry-bulb temperature"),
    ("V_RHAH2DB", "dry_bulb_from_rh_ah", ("RH", "AH"), "dry-bulb temperature"),
    ("V_RHEN2DB", "dry_bulb_from_rh_en", ("RH", "EN"), "dry-bulb temperature"),
    ("V_RHWB2DB", "dry_bulb_from_rh_wb", ("RH", "WB"), "dry-bulb temperature"),
    ("V_RHSV2DB", "dry_bulb_from_rh_sv", ("RH", "SV"), "dry-bulb temperature"),
    ("V_SVEN2DB", "dry_bulb_from_sv_en", ("SV", "EN"), "dry-bulb temperature"),
    ("V_DBAH2RH", "relative_humidity", ("DB", "AH"), "relative humidity"),
    ("V_DBAH2RV", "degree_of_saturation", ("DB", "AH"), "degree of saturation"),
    ("V_AH2DP", "dew_point", ("AH",), "dew-point temperature"),
]


def describe(inputs, values):
    return ", ".join("%s=%r %s" % (n, v, UNITS[n]) for n, v in zip(inputs, values))


class _Function:
    """One plain function: the C function, and the method of the same name that tells whether a
    result of 0.0 is a value or the plain function's sign of failure."""

    def __init__(self, name, inputs, what):
        self.name = name
        self.inputs = inputs
        self.what = what
        self.plain = _library.plain(name, len(inputs))
        self._method = _library.method("F_" + name[2:], len(inputs) + 1)
        self._instance = _library.new_instance()
        output = name[2:].split("2")[1]
        self.__doc__ = "%s(%s): the %s in %s, from %s. ValueError where the method fails." % (
            name, ", ".join(inputs), what, UNITS[output],
            ", ".join("%s in %s" % (n, UNITS[n]) for n in inputs))

    def failed(self, args):
        """True when the method fails for ARGS (the plain function then gave 0.0)."""
        refs = [_library.ctypes.c_double(a) for a in args] + [_library.ctypes.c_double(0.0)]
        with _library.plain_lock:
            result = self._method(_library.ctypes.byref(self._instance),
                                  *[_library.ctypes.byref(r) for r in refs])
        return result < 0

    def reason(self, args):
        return "%s: no %s for %s" % (self.name, self.what, describe(self.inputs, args))

    def __call__(self, *args):
        if len(args) != len(self.inputs):
            raise TypeError("%s takes %d argument(s) (%s), not %d"
                            % (self.name, len(self.inputs), " ".join(self.inputs), len(args)))
        args = tuple(_number(a, n) for a, n in zip(args, self.inputs))
        with _library.plain_lock:
            value = self.plain(*args)
        if value == 0.0 and self.failed(args):
            raise ValueError(self.reason(args))
        return value


def _number(value, name):
    try:
        return float(value)
    except (TypeError, ValueError):
        raise ValueError("%s: %r is not a number" % (name, value)) from None


try:
    import numpy
except ImportError:
    numpy = None


def _is_array(value):
    # NumPy arrays and whatever converts to one (a pandas Series or column); a NumPy number such
    # as numpy.float64 counts as a number.
    if numpy is None or isinstance(value, numpy.generic):
        return False
    return isinstance(value, numpy.ndarray) or hasattr(value, "__array__")


# The shape _columns gives when every argument is a single number.
SCALAR = "scalar"


def _columns(args):
    """The arguments as equally long lists of floats, and how to shape the result: None for
    lists, SCALAR for single numbers, else the shape of the broadcast arrays."""
    if any(_is_array(a) for a in args):
        arrays = numpy.broadcast_arrays(*[numpy.asarray(a, dtype=float) for a in args])
        return [a.ravel().tolist() for a in arrays], arrays[0].shape
    lengths = {len(a) for a in args if not _scalar(a)}
    if not lengths:
        return [[_number(a, "argument %d" % i)] for i, a in enumerate(args)], SCALAR
    if len(lengths) > 1:
        raise ValueError("sequences of different lengths: %s"
                         % ", ".join(str(n) for n in sorted(lengths)))
    n = lengths.pop()
    columns = []
    for a in args:
        column = list(itertools.repeat(a, n)) if _scalar(a) else list(a)
        columns.append([_number(v, "element %d" % i) if not isinstance(v, float) else v
                        for i, v in enumerate(column)])
    return columns, None


def _scalar(value):
    return not hasattr(value, "__len__") or isinstance(value, (str, bytes))


def _vectorised(f, args, errors):
    """F over every element of ARGS; failures raise ValueError (or become NaN with errors='nan')."""
    if errors not in ("raise", "nan"):
        raise ValueError("errors must be 'raise' or 'nan', not %r" % (errors,))
    columns, shape = _columns(args)
    with _library.plain_lock:
        out = list(map(f.plain, *columns))
    if 0.0 in out:
        for i, v in enumerate(out):
            row = [c[i] for c in columns]
            if v == 0.0 and f.failed(row):
                if errors == "raise":
                    raise ValueError("%s (element %d)" % (f.reason(row), i))
                out[i] = math.nan
    if shape is None:
        return out
    return numpy.array(out, dtype=float).reshape(shape)


def _make_alias(f, alias):
    names = [n.lower() for n in f.inputs]

    def function(*args, errors="raise"):
        if len(args) != len(names):
            raise TypeError("%s takes %d argument(s) (%s), not %d"
                            % (alias, len(names), ", ".join(names), len(args)))
        if all(_scalar(a) and not _is_array(a) for a in args):
            return f(*args)
        return _vectorised(f, args, errors)

    function.__name__ = alias
    function.__qualname__ = alias
    function.__doc__ = (
        "%s(%s): the %s (%s), as %s.\n\nEach argument is a number, a sequence or a NumPy array "
        "(%s). Numbers give a number; sequences a list; arrays an array of their broadcast "
        "shape. A failure raises ValueError, or with errors='nan' gives NaN in its place."
        % (alias, ", ".join(names), f.what, UNITS.get(f.name[2:].split("2")[1], ""),
           f.name, ", ".join("%s in %s" % (n, UNITS[n]) for n in f.inputs)))
    return function


FUNCTIONS = {}
ALIASES = {}
for _name, _alias, _inputs, _what in TABLE:
    FUNCTIONS[_name] = _Function(_name, _inputs, _what)
    ALIASES[_alias] = _make_alias(FUNCTIONS[_name], _alias)


def V_Ver():
    """The library's FileVersion text ("1.0.1.14"); ValueError when it cannot be read."""
    text = _library.version_text()
    if text is None:
        raise ValueError("V_Ver: the library's version information cannot be read")
    return text
