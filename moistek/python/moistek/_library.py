"""Loads libmoistek.so.1 and declares its exported functions and class members for ctypes."""

import ctypes
import os
import threading

from . import _paths

# The members of MoistekClass in declaration order: the class is created by the caller, so its
# layout is part of the library's binary interface.
_MEMBERS = [("Mode", ctypes.c_int32)] + [
    (name, ctypes.c_double)
    for name in ("AtMmHg", "T0", "Ma", "Mw", "Ra", "Rw", "Cpa", "Cpv", "Cw", "Ci", "R0", "Lf",
                 "Pstd", "PA", "KcalKJ", "HPaMmHg", "TolT", "TolX")
]


class Instance(ctypes.Structure):
    """Storage for one MoistekClass object; construct it with new_instance()."""

    _fields_ = _MEMBERS


def _candidates():
    here = os.path.dirname(os.path.abspath(__file__))
    yield os.path.normpath(os.path.join(here, _paths.LIBRARY_DIR, "libmoistek.so.1"))
    yield "libmoistek.so.1"  # the loader's own search: LD_LIBRARY_PATH, ld.so.cache


def _load():
    reasons = []
    for path in _candidates():
        if os.path.isabs(path) and not os.path.exists(path):
            reasons.append(path + ": no such file")
            continue
        try:
            return ctypes.CDLL(path)
        except OSError as error:
            reasons.append(str(error))
    raise ImportError("libmoistek.so.1 cannot be loaded: " + "; ".join(reasons))


lib = _load()
_libc = ctypes.CDLL(None)
_libc.free.argtypes = [ctypes.c_void_p]
_libc.free.restype = None

_double_ref = ctypes.POINTER(ctypes.c_double)
_instance_ref = ctypes.POINTER(Instance)


def plain(name, arity):
    """The plain exported function NAME taking ARITY doubles."""
    f = getattr(lib, name)
    f.argtypes = [ctypes.c_double] * arity
    f.restype = ctypes.c_double
    return f


def array_form(name, arrays):
    """The array form NAME of a plain function taking ARRAYS pointers (inputs, outputs, status;
    passed as addresses) and the element count; it returns the number of failed elements, or -1
    for unusable arguments."""
    f = getattr(lib, name)
    f.argtypes = [ctypes.c_void_p] * arrays + [ctypes.c_int64]
    f.restype = ctypes.c_int64
    return f


def method(name, references):
    """The member NAME of MoistekClass taking REFERENCES references to double."""
    # Itanium C++ ABI: MoistekClass::NAME(double&, ...) is a plain function taking `this` first.
    mangled = "_ZN12MoistekClass%d%sERd%s" % (len(name), name, "S0_" * (references - 1))
    f = getattr(lib, mangled)
    f.argtypes = [_instance_ref] + [_double_ref] * references
    f.restype = ctypes.c_int
    return f


_construct = lib._ZN12MoistekClassC1Ev
_construct.argtypes = [_instance_ref]
_construct.restype = None

V_Ver = lib.V_Ver
V_Ver.argtypes = []
V_Ver.restype = ctypes.c_void_p

# The plain functions share one instance inside the library, which two of them change during the
# call; ctypes lets other Python threads run meanwhile, so calls go through this lock.
plain_lock = threading.Lock()


def new_instance():
    """A MoistekClass object at the constructor's defaults (engineering mode, 760 mmHg)."""
    instance = Instance()
    _construct(ctypes.byref(instance))
    return instance


def version_text():
    """The library's FileVersion text, or None when its version information cannot be read."""
    with plain_lock:
        address = V_Ver()
    if not address:
        return None
    try:
        return ctypes.string_at(address).decode("utf-8", "replace")
    finally:
        _libc.free(address)
