"""NumPy arguments through the library's array forms give what one call per element gave:
the same doubles bit for bit, NaN in the same places, the same errors, shapes and masks."""

import contextlib
import unittest

import moistek
from moistek import _functions

try:
    import numpy
except ImportError:
    numpy = None

NAN, INF = float("nan"), float("inf")
# Dry bulbs and humidity ratios with the failures each relation has: 400 °C (no saturation
# pressure, so no RH), negative and enormous humidity ratios (no wet bulb at -2, no dew point
# at 5), saturated and supersaturated air at 20 °C (about 0.01475 kg/kg(DA)), the ice side, a
# wet bulb above 10000 kg/kg(DA), infinity and NaN.
DB = [20.0, 400.0, 20.0, 20.0, 20.0, 20.0, -20.0, 50.0, 120.0, NAN, 20.0, -300.0, 0.0, -0.0,
      45.0, -10.0]
AH = [0.0072630, 0.01, -0.001, -2.0, 0.0147, 0.0148, 0.0005, 10001.0, 0.5, 0.01, INF, 0.0,
      5.0, 0.003, 0.03, 1e-9]
ALIASES = ["wet_bulb", "relative_humidity", "enthalpy", "specific_volume"]


@contextlib.contextmanager
def per_element():
    """The package as it was: one call of the plain function per element."""
    _functions.use_array_forms = False
    try:
        yield
    finally:
        _functions.use_array_forms = True


def both(call):
    """CALL() through the array forms and one element at a time: (result or exception) each."""
    def run():
        try:
            return call()
        except (ValueError, TypeError) as error:
            return error
    fast = run()
    with per_element():
        slow = run()
    return fast, slow


@unittest.skipIf(numpy is None, "NumPy is not installed (python3-numpy)")
class SameAsOneCallPerElement(unittest.TestCase):
    def assertSame(self, fast, slow):
        if isinstance(slow, Exception):
            self.assertIsInstance(fast, type(slow))
            self.assertEqual(str(fast), str(slow))
            return
        if isinstance(slow, dict):
            self.assertEqual(list(fast), list(slow))
            for name in slow:
                with self.subTest(column=name):
                    self.assertSame(fast[name], slow[name])
            return
        self.assertIs(type(fast), type(slow))
        self.assertEqual(fast.shape, slow.shape)
        self.assertEqual(fast.dtype, slow.dtype)
        self.assertTrue(numpy.array_equal(numpy.ma.getdata(fast).view(numpy.int64),
                                          numpy.ma.getdata(slow).view(numpy.int64)),
                        (fast, slow))
        self.assertTrue(numpy.array_equal(numpy.ma.getmaskarray(fast),
                                          numpy.ma.getmaskarray(slow)))

    def check(self, call):
        fast, slow = both(call)
        self.assertSame(fast, slow)
        return fast

    def test_every_relation_over_the_failing_table(self):
        db, ah = numpy.array(DB), numpy.array(AH)
        for alias in ALIASES:
            f = getattr(moistek, alias)
            with self.subTest(alias=alias):
                out = self.check(lambda: f(db, ah, errors="nan"))
                self.assertTrue(numpy.isnan(out).any() and not numpy.isnan(out).all())
                # The first failing element raises, with its index and reason.
                self.assertIsInstance(self.check(lambda: f(db, ah)), ValueError)
                # Each element alone fails or not as it does in the whole array.
                for i in range(len(DB)):
                    self.check(lambda: f(db[i:i + 1], ah[i:i + 1]))
        out = self.check(lambda: moistek.dew_point(numpy.array(AH), errors="nan"))
        self.assertTrue(numpy.isnan(out[12]))  # 5 kg/kg(DA)
        self.check(lambda: moistek.dew_point(numpy.array(AH)))

    def test_a_few_thousand_states_and_the_states_of_db_and_rh(self):
        rng = numpy.random.default_rng(29)
        db = rng.uniform(-60.0, 120.0, 5000)
        rh = rng.uniform(-5.0, 105.0, 5000)
        db[::97] = 400.0
        rh[::89] = NAN
        ah = moistek.humidity_ratio_from_db_rh(db, rh, errors="nan")
        ah[::53] = -ah[::53]
        for alias in ALIASES:
            with self.subTest(alias=alias):
                self.check(lambda: getattr(moistek, alias)(db, ah, errors="nan"))
        self.check(lambda: moistek.dew_point(ah, errors="nan"))
        for units in ("kcal", "si"):
            with self.subTest(units=units):
                self.check(lambda: moistek.states(DB=db, RH=rh, errors="nan", units=units))
                self.check(lambda: moistek.states(RH=rh, DB=db, units=units))  # raises
        self.check(lambda: moistek.states(DB=db[:600], RH=50.0))  # 400 °C raises at row 0

    def test_broadcasting_scalars_and_zero_dimensional_arrays(self):
        db = numpy.array([[10.0], [20.0], [400.0]])
        ah = numpy.array([0.002, 0.004, -3.0, 0.008])
        for alias in ALIASES:
            f = getattr(moistek, alias)
            with self.subTest(alias=alias):
                self.assertEqual(self.check(lambda: f(db, ah, errors="nan")).shape, (3, 4))
                self.check(lambda: f(20.0, ah, errors="nan"))
                self.check(lambda: f(numpy.array(20.0), numpy.array(0.01)))
                self.check(lambda: f(db, numpy.float32(0.01), errors="nan"))
        self.check(lambda: moistek.states(DB=db, RH=numpy.array([10.0, 50.0, 90.0, 100.0]),
                                          errors="nan"))

    def test_empty_arrays(self):
        for alias in ALIASES:
            f = getattr(moistek, alias)
            with self.subTest(alias=alias):
                self.assertEqual(self.check(lambda: f(numpy.zeros(0), numpy.zeros(0))).shape,
                                 (0,))
                self.assertEqual(self.check(lambda: f(numpy.zeros((0, 3)), 0.01)).shape, (0, 3))
        self.check(lambda: moistek.dew_point(numpy.zeros(0)))
        self.check(lambda: moistek.states(DB=numpy.zeros(0), RH=numpy.zeros(0)))

    def test_strided_reordered_and_foreign_layouts_and_other_types(self):
        base = numpy.linspace(-20.0, 60.0, 3 * 4 * 5).reshape(3, 4, 5)
        ahs = numpy.linspace(0.0, 0.03, 3 * 4 * 5).reshape(3, 4, 5)
        record = numpy.zeros(60, dtype=[("flag", "i1"), ("db", "<f8")])  # unaligned doubles
        record["db"] = base.ravel()
        layouts = [
            (base[:, ::2, ::-1], ahs[:, ::2, ::-1]),         # strided, reversed
            (base.T, ahs.T),                                  # Fortran order
            (numpy.asfortranarray(base), ahs),                # one of each
            (base.astype(">f8"), ahs.astype(">f8")),          # big-endian
            (base.astype(numpy.float32), ahs),
            (numpy.round(base).astype(numpy.int64), ahs),     # integers
            (numpy.arange(60, dtype=numpy.uint8).reshape(3, 4, 5), ahs),
            (base.astype(object), ahs.astype(str)),           # numbers as objects, texts
            (record["db"].reshape(3, 4, 5), ahs),
        ]
        for db, ah in layouts:
            for alias in ALIASES:
                with self.subTest(alias=alias, dtype=db.dtype):
                    self.check(lambda: getattr(moistek, alias)(db, ah, errors="nan"))
            with self.subTest(dew_point=ah.dtype):
                self.check(lambda: moistek.dew_point(ah, errors="nan"))
            with self.subTest(states=db.dtype):
                self.check(lambda: moistek.states(DB=db, RH=50, errors="nan"))
        # A text that is not a number beside a failing element: the same element is reported.
        self.check(lambda: moistek.wet_bulb(numpy.array(["20", "x"]), numpy.array([-2.0, 0.01])))
        self.check(lambda: moistek.wet_bulb(numpy.array(["20", "x"]), numpy.array([0.01, -2.0])))

    def test_masked_arrays(self):
        db = numpy.ma.masked_invalid([20.0, NAN, 400.0, 25.0, INF])
        db[2] = numpy.ma.masked  # 400 °C under the mask fails nowhere
        ah = numpy.ma.array([0.0072630, 0.01, 0.01, -2.0, 0.01], mask=[0, 0, 0, 0, 0])
        for alias in ALIASES:
            f = getattr(moistek, alias)
            with self.subTest(alias=alias):
                out = self.check(lambda: f(db, ah, errors="nan"))
                self.assertEqual(out.mask.tolist(), [False, True, True, False, True])
                self.check(lambda: f(db, ah))
        self.check(lambda: moistek.states(DB=db, RH=numpy.array([50.0] * 5), errors="nan"))
        self.check(lambda: moistek.states(DB=db, RH=numpy.array([50.0] * 5)))

    def test_infinity_or_nan_under_a_mask_is_no_failure(self):
        # Masked elements are not computed, so what lies under the mask cannot fail the call.
        db = numpy.ma.masked_invalid([20.0, NAN, -INF])
        for call, first in [(lambda: moistek.wet_bulb(db, 0.0072630),
                             moistek.V_DBAH2WB(20, 0.0072630)),
                            (lambda: moistek.saturation_pressure(db), moistek.V_DB2PWS(20))]:
            fast, slow = both(call)
            self.assertSame(fast, slow)
            self.assertEqual(fast.mask.tolist(), [False, True, True])
            self.assertEqual(fast[0], first)

    def test_long_arrays_go_to_the_library_a_block_at_a_time(self):
        f = _functions.FUNCTIONS["V_DBAH2WB"]
        calls = []
        real = f.array

        def counted(*args):
            calls.append(args[-1])
            return real(*args)

        f.array = counted
        try:
            db = numpy.linspace(-10.0, 45.0, 10000)
            out = moistek.wet_bulb(db, 0.004)
        finally:
            f.array = real
        self.assertEqual(calls, [4096, 4096, 1808])
        with per_element():
            self.assertEqual(out.tolist(), moistek.wet_bulb(db, 0.004).tolist())


if __name__ == "__main__":
    unittest.main()
