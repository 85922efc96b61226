"""The library's plain functions under their exported names, and Pythonic aliases over them.

The exported names take and return single numbers exactly as the C functions do, except that a
failure raises ValueError instead of returning 0.0. The aliases also take sequences (a list in
gives a list out) and NumPy arrays (broadcast together, an array of the broadcast shape out).
"""

import collections.abc
import decimal
import math
import numbers
import re

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


# The plain functions the library also offers over arrays, and the name of that form.
ARRAY_FORMS = {"V_DBAH2WB": "VA_DBAH2WB", "V_AH2DP": "VA_AH2DP", "V_DBAH2RH": "VA_DBAH2RH",
               "V_DBAH2EN": "VA_DBAH2EN", "V_DBAH2SV": "VA_DBAH2SV"}

# Whether NumPy arguments go to the array forms (one call per CHUNK rows) rather than to the
# plain function one element at a time; both give the same doubles. Tests and the benchmark
# compare the two.
use_array_forms = True


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
        self.array = (_library.array_form(ARRAY_FORMS[name], len(inputs) + 2)
                      if name in ARRAY_FORMS else None)
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


# A decimal number as the `moistek` command reads one: ASCII digits, an optional sign, point and
# exponent, blanks around it; no "inf", "nan", "1_000", hexadecimal or other scripts' digits.
_DECIMAL = re.compile(r"[ \t]*[+-]?(?:[0-9]+\.?[0-9]*|\.[0-9]+)(?:[eE][+-]?[0-9]+)?[ \t\r]*",
                      re.ASCII)
_ZERO_DIGITS = re.compile(r"[ \t]*[+-]?[0.]*(?:[eE].*)?[ \t\r]*")


def _real(value, name):
    """VALUE as a float, which may be infinite or NaN when VALUE is a float: TypeError for what is
    not a real number (truth values, bytes, complex numbers, None, containers), ValueError for a
    text that is not a decimal and a value beyond the range of a double."""
    if isinstance(value, str):
        if not _DECIMAL.fullmatch(value):
            raise ValueError("%s: %r is not a number" % (name, value))
        v = float(value)
        # A decimal that reads as infinity or as zero from non-zero digits is out of range.
        if math.isinf(v) or (v == 0.0 and not _ZERO_DIGITS.fullmatch(value)):
            raise ValueError("%s: %r is beyond the range of a double" % (name, value))
        return v
    if isinstance(value, bool) or (numpy is not None and isinstance(value, numpy.bool_)):
        raise TypeError("%s: %r is a truth value, not a number" % (name, value))
    if not isinstance(value, (numbers.Real, decimal.Decimal)):
        raise TypeError("%s: %r (%s) is not a real number" % (name, value, type(value).__name__))
    try:
        return float(value)
    except OverflowError:
        raise ValueError("%s: %s is beyond the range of a double" % (name, _short(value))) from None
    except (TypeError, ValueError):
        raise TypeError("%s: %r is not a real number" % (name, value)) from None


def _short(value):
    text = repr(value)
    return text if len(text) <= 40 else text[:20] + "..." + text[-10:]


def _number(value, name):
    """VALUE as a finite float; TypeError or ValueError (see _real) otherwise."""
    v = _real(value, name)
    if not math.isfinite(v):
        raise ValueError("%s: %r is not a finite number" % (name, v))
    return v


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


def _scalar(value):
    return not hasattr(value, "__len__") or isinstance(value, (str, bytes))


# The shape Columns gives when every argument is a single number.
SCALAR = "scalar"

# Rows read, computed and written at a time: the arguments are never copied whole into Python
# floats, so a call holds its inputs, its output and one chunk.
CHUNK = 4096


def _sequence(value, name):
    if not isinstance(value, collections.abc.Sequence) or isinstance(
            value, (bytes, bytearray, memoryview)):
        raise TypeError("%s: a %s is not a number, a sequence or an array"
                        % (name, type(value).__name__))
    return value if isinstance(value, (list, tuple)) else list(value)


def _float_list(values, offset):
    return [v if type(v) is float else _real(v, "element %d" % (offset + i))
            for i, v in enumerate(values)]


def _numeric_array(value, name):
    """VALUE (an array, or what converts to one) as an array of real numbers and its mask (None
    when nothing is masked)."""
    mask = None
    if numpy.ma.isMaskedArray(value):
        if value.mask is not numpy.ma.nomask:
            mask = numpy.ma.getmaskarray(value)
        a = numpy.ma.getdata(value)
    elif _is_array(value):
        a = numpy.asarray(value)
    elif _scalar(value):
        return numpy.float64(_real(value, name)), None
    else:
        a = numpy.array(_float_list(_sequence(value, name), 0), dtype=float)
    kind = a.dtype.kind
    if kind == "b":
        raise TypeError("%s: an array of truth values is not numbers" % name)
    if kind == "c":
        raise TypeError("%s: an array of complex numbers is not real numbers" % name)
    if kind not in "fiuOU":
        raise TypeError("%s: an array of %s is not numbers" % (name, a.dtype))
    return a, mask


class Columns:
    """The arguments, read CHUNK rows at a time as equally long lists of floats. `shape` is None
    for lists, SCALAR for single numbers, else the shape of the broadcast arrays; `mask` is None
    or the rows masked in any masked array (flat), which are not computed."""

    def __init__(self, args):
        self.mask = None
        self.masked = False
        if any(_is_array(a) for a in args):
            named = [_numeric_array(a, "argument %d" % i) for i, a in enumerate(args)]
            arrays = numpy.broadcast_arrays(*[a for a, _ in named])
            self.shape = arrays[0].shape
            self.size = arrays[0].size
            self._arrays = arrays
            self.masked = any(numpy.ma.isMaskedArray(a) for a in args)
            masks = [m for _, m in named if m is not None]
            if masks:
                self.mask = numpy.zeros(self.shape, dtype=bool)
                for m in masks:
                    self.mask |= numpy.broadcast_to(m, self.shape)
                self.mask = self.mask.reshape(-1)
            return
        self._arrays = None
        lengths = {len(a) for a in args if not _scalar(a)}
        if not lengths:
            self.shape, self.size = SCALAR, 1
            self._lists = [[_number(a, "argument %d" % i)] for i, a in enumerate(args)]
            return
        if len(lengths) > 1:
            raise ValueError("sequences of different lengths: %s"
                             % ", ".join(str(n) for n in sorted(lengths)))
        self.shape, self.size = None, lengths.pop()
        self._lists = [_real(a, "argument %d" % i) if _scalar(a)
                       else _sequence(a, "argument %d" % i) for i, a in enumerate(args)]

    def chunk(self, start, stop):
        """Rows START to STOP as one list of floats for each argument."""
        if self._arrays is not None:
            out = []
            for a in self._arrays:
                part = a.flat[start:stop]
                if part.dtype.kind in "OU":
                    out.append(_float_list(part.tolist(), start))
                else:
                    out.append(part.astype(float, copy=False).tolist())
            return out
        return [[a] * (stop - start) if isinstance(a, float) else _float_list(a[start:stop], start)
                for a in self._lists]

    def block(self, start, stop):
        """Rows START to STOP of each array argument as a contiguous, aligned array of doubles:
        a view of the argument where it is one already, else a copy of those rows (numbers as
        chunk() reads them)."""
        out = []
        for a in self._arrays:
            if a.dtype == numpy.float64 and a.flags.c_contiguous and a.flags.aligned:
                out.append(a.reshape(-1)[start:stop])
                continue
            part = a.flat[start:stop]
            if part.dtype.kind in "OU":
                part = numpy.array(_float_list(part.tolist(), start), dtype=numpy.float64)
            out.append(numpy.ascontiguousarray(part, dtype=numpy.float64))
        return out

    def masked_rows(self, start, stop):
        """The rows from START to STOP not to compute (a list of offsets from START)."""
        if self.mask is None:
            return []
        return numpy.flatnonzero(self.mask[start:stop]).tolist()

    def output(self):
        """Storage for one result per row: a list, or a flat float array."""
        if self.shape is None or self.shape is SCALAR:
            return []
        return numpy.empty(self.size, dtype=float)

    def shaped(self, out):
        """OUT as the result: a number, a list, or an array of the broadcast shape (masked where
        an argument is)."""
        if self.shape is SCALAR:
            return out[0]
        if self.shape is None:
            return out
        out = out.reshape(self.shape)
        if self.masked:
            mask = self.mask.reshape(self.shape) if self.mask is not None else numpy.ma.nomask
            return numpy.ma.MaskedArray(out, mask=mask)
        return out


def _store(out, start, values):
    if isinstance(out, list):
        out.extend(values)
    else:
        out[start:start + len(values)] = values


def non_finite_rows(columns):
    """Offsets of the rows holding infinity or NaN (no sum of finite floats is NaN)."""
    rows = set()
    for c in columns:
        if not math.isfinite(sum(c)):
            rows.update(i for i, v in enumerate(c) if not math.isfinite(v))
    return sorted(rows)


def check_errors(errors):
    if errors not in ("raise", "nan"):
        raise ValueError("errors must be 'raise' or 'nan', not %r" % (errors,))


def _vectorised(f, args, errors):
    """F over every element of ARGS; failures raise ValueError (or become NaN with errors='nan').
    Masked elements are not computed; they stay masked (NaN under the mask)."""
    check_errors(errors)
    data = Columns(args)
    if f.array is not None and use_array_forms and data._arrays is not None:
        return _over_arrays(f, data, errors)
    out = data.output()
    for start in range(0, data.size, CHUNK):
        stop = min(start + CHUNK, data.size)
        columns = data.chunk(start, stop)
        masked = data.masked_rows(start, stop)
        # A masked element is not computed, so infinity or NaN under the mask is no failure.
        bad = sorted(set(non_finite_rows(columns)) - set(masked))
        skip = sorted(set(masked) | set(bad))
        if skip:
            keep = sorted(set(range(stop - start)) - set(skip))
            live = [[c[i] for i in keep] for c in columns]
        else:
            keep, live = None, columns
        with _library.plain_lock:
            values = list(map(f.plain, *live))
        failed = [i for i, v in zip(keep or range(len(values)), values)
                  if v == 0.0 and f.failed([c[i] for c in columns])] if 0.0 in values else []
        if keep is not None:
            full = [math.nan] * (stop - start)
            for i, v in zip(keep, values):
                full[i] = v
            values = full
        failed = sorted(failed + bad)
        if failed and errors == "raise":
            i = failed[0]
            row = [c[i] for c in columns]
            if i in bad:
                raise ValueError("%s: %s is not a finite number (element %d)"
                                 % (f.name, describe(f.inputs, row), start + i))
            raise ValueError("%s (element %d)" % (f.reason(row), start + i))
        for i in failed:
            values[i] = math.nan
        _store(out, start, values)
    return data.shaped(out)


def _over_arrays(f, data, errors):
    """_vectorised for arrays through the array form of F: one call per CHUNK rows, the results
    written straight into the output; the same values, NaN and errors as one call per element."""
    out = data.output()
    status = numpy.empty(min(CHUNK, data.size), dtype=numpy.int8)
    for start in range(0, data.size, CHUNK):
        stop = min(start + CHUNK, data.size)
        n = stop - start
        columns = data.block(start, stop)
        target = out[start:stop]
        with _library.plain_lock:
            failures = f.array(*[c.ctypes.data for c in columns], target.ctypes.data,
                               status.ctypes.data, n)
        if failures < 0:
            raise RuntimeError("%s: the library refused %d rows" % (f.array.__name__, n))
        bad = numpy.zeros(n, dtype=bool)
        for c in columns:
            bad |= ~numpy.isfinite(c)
        failed = (status[:n] == 0) | bad
        if data.mask is not None:
            masked = data.mask[start:stop]
            failed &= ~masked
            bad &= ~masked
            target[masked] = math.nan
        if not failed.any():
            continue
        if errors == "raise":
            i = int(numpy.flatnonzero(failed)[0])
            row = [float(c[i]) for c in columns]
            if bad[i]:
                raise ValueError("%s: %s is not a finite number (element %d)"
                                 % (f.name, describe(f.inputs, row), start + i))
            raise ValueError("%s (element %d)" % (f.reason(row), start + i))
        target[failed] = math.nan
    return data.shaped(out)


def _make_alias(f, alias):
    names = [n.lower() for n in f.inputs]

    def function(*args, errors="raise"):
        if len(args) != len(names):
            raise TypeError("%s takes %d argument(s) (%s), not %d"
                            % (alias, len(names), ", ".join(names), len(args)))
        if all(_scalar(a) and not _is_array(a) for a in args):
            check_errors(errors)
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
