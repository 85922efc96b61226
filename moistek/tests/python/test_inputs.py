"""What the package takes as a number, masked arrays, long columns and the memory a call holds."""

import decimal
import fractions
import math
import tracemalloc
import unittest

import moistek

try:
    import numpy
except ImportError:
    numpy = None

PWS_20 = moistek.V_DB2PWS(20.0)


class Numbers(unittest.TestCase):
    def test_what_is_not_a_real_number_is_refused(self):
        # (argument, exception): as a number, as an element of a list, and as an array where one
        # can be made of it.
        cases = [
            (True, TypeError), (b"20", TypeError), (None, TypeError), (20 + 5j, TypeError),
            ({20}, TypeError), ({"DB": 20}, TypeError), (bytearray(b"20"), TypeError),
            ("\uff12\uff10", ValueError),  # full-width "20"
            ("\u0662\u0660", ValueError),  # Arabic-Indic "20"
            ("inf", ValueError), ("nan", ValueError), ("1e999", ValueError),
            ("1e-400", ValueError), ("1_000", ValueError), ("0x14", ValueError), ("", ValueError),
            (10 ** 400, ValueError), (fractions.Fraction(10 ** 400), ValueError),
            (math.inf, ValueError), (-math.inf, ValueError),
        ]
        for value, error in cases:
            with self.subTest(value=value):
                with self.assertRaises(error):
                    moistek.V_DB2PWS(value)
                with self.assertRaises(error):
                    moistek.saturation_pressure(value)
                if not isinstance(value, (set, dict)):
                    with self.assertRaisesRegex(error, "element 1"):
                        moistek.saturation_pressure([20, value])
        with self.assertRaises(TypeError):
            moistek.wet_bulb({20, 25}, [0.01, 0.01])

    def test_real_numbers_of_every_kind_give_the_same_double(self):
        values = ["20", " 20", "+20", "2e1", "20.000", decimal.Decimal("20"),
                  fractions.Fraction(40, 2), 20]
        if numpy is not None:
            values += [numpy.int64(20), numpy.float32(20), numpy.str_("20")]
        for value in values:
            with self.subTest(value=value):
                self.assertEqual(moistek.V_DB2PWS(value).hex(), PWS_20.hex())
                self.assertEqual(moistek.saturation_pressure([value])[0].hex(), PWS_20.hex())
        # Subnormal numbers are numbers, as in the `moistek` command.
        self.assertEqual(moistek.V_DBAH2EN("20", "1e-320"), moistek.V_DBAH2EN(20, 1e-320))

    def test_infinity_in_a_column_is_an_element_without_a_result(self):
        with self.assertRaisesRegex(ValueError, r"DB=inf .*not a finite number \(element 1\)"):
            moistek.saturation_pressure([20, math.inf])
        out = moistek.wet_bulb([20, math.inf, 20], [0.0072630, 0.01, math.nan], errors="nan")
        self.assertEqual(out[0], moistek.V_DBAH2WB(20, 0.0072630))
        self.assertTrue(math.isnan(out[1]) and math.isnan(out[2]))

    def test_si_is_a_truth_value(self):
        for si in ("no", "yes", 1, 0, None):
            with self.subTest(si=si):
                with self.assertRaisesRegex(TypeError, "si must be True or False"):
                    moistek.State(si=si, DB=20, RH=50)
                with self.assertRaisesRegex(TypeError, "si must be True or False"):
                    moistek.states(si=si, DB=[20], RH=[50])
        with self.assertRaises(TypeError):
            moistek.State(DB=True, RH=50)
        self.assertFalse(moistek.State(si=False, DB=20, RH=50).si)

    def test_the_index_of_a_failing_element_past_the_first_rows(self):
        # Elements are computed in chunks; the index is the element's own in the whole column.
        db = [20.0] * 10000
        db[9001] = 400.0
        with self.assertRaisesRegex(ValueError, r"DB=400.0 .*\(element 9001\)"):
            moistek.saturation_pressure(db)
        out = moistek.saturation_pressure(db, errors="nan")
        self.assertTrue(math.isnan(out[9001]))
        self.assertEqual(out[:9001] + out[9002:], [PWS_20] * 9999)


@unittest.skipIf(numpy is None, "NumPy is not installed (python3-numpy)")
class ArraysOfOtherTypes(unittest.TestCase):
    def test_arrays_that_are_not_real_numbers_are_refused(self):
        for array, error in [
            (numpy.array([True, False]), TypeError),
            (numpy.array([20 + 5j]), TypeError),
            (numpy.array([20 + 0j]), TypeError),
            (numpy.array([b"20"]), TypeError),
            (numpy.array(["20", "\uff12\uff10"]), ValueError),
            (numpy.array([20, True], dtype=object), TypeError),
            (numpy.array(["2020-01-01"], dtype="datetime64[D]"), TypeError),
        ]:
            with self.subTest(array=array):
                with self.assertRaises(error):
                    moistek.saturation_pressure(array)
                with self.assertRaises(error):
                    moistek.states(DB=array, RH=50)
        with self.assertRaises(TypeError):  # a list beside an array
            moistek.wet_bulb(numpy.array([20.0, 25.0]), [0.01, True])

    def test_integer_float32_and_object_arrays_give_the_doubles_of_their_values(self):
        want = [PWS_20, moistek.V_DB2PWS(25.0)]
        for array in [numpy.array([20, 25]), numpy.array([20, 25], dtype=numpy.uint8),
                      numpy.array([20, 25], dtype=numpy.float32),
                      numpy.array([20, 25.0], dtype=object), numpy.array(["20", "25"])]:
            with self.subTest(array=array):
                self.assertEqual(moistek.saturation_pressure(array).tolist(), want)

    def test_a_long_broadcast_array_is_every_element_of_the_plain_function(self):
        db = numpy.linspace(-10.0, 45.0, 9000)
        ah = numpy.array([[0.002], [0.01]])
        out = moistek.enthalpy(db, ah)
        self.assertEqual(out.shape, (2, 9000))
        for row, a in enumerate((0.002, 0.01)):
            self.assertEqual(out[row].tolist(), [moistek.V_DBAH2EN(d, a) for d in db.tolist()])


@unittest.skipIf(numpy is None, "NumPy is not installed (python3-numpy)")
class MaskedArrays(unittest.TestCase):
    def test_masked_elements_are_not_computed_and_stay_masked(self):
        # 400 °C has no saturation pressure: under the mask it raises nothing.
        db = numpy.ma.array([20.0, 400.0, 25.0], mask=[False, True, False])
        out = moistek.saturation_pressure(db)
        self.assertIsInstance(out, numpy.ma.MaskedArray)
        self.assertEqual(out.mask.tolist(), [False, True, False])
        self.assertEqual(out.compressed().tolist(), [PWS_20, moistek.V_DB2PWS(25.0)])

    def test_masks_of_broadcast_arguments_add_up(self):
        db = numpy.ma.array([[20.0], [-500.0]], mask=[[False], [True]])
        ah = numpy.ma.array([0.0072630, 0.01, 0.02], mask=[False, False, True])
        out = moistek.wet_bulb(db, ah)
        self.assertEqual(out.mask.tolist(), [[False, False, True], [True, True, True]])
        self.assertEqual(out[0, :2].tolist(), [moistek.V_DBAH2WB(20, 0.0072630),
                                               moistek.V_DBAH2WB(20, 0.01)])
        plain = moistek.wet_bulb(numpy.ma.array([20.0]), 0.0072630)  # nothing masked
        self.assertIsInstance(plain, numpy.ma.MaskedArray)
        self.assertFalse(numpy.ma.is_masked(plain))

    def test_a_masked_row_of_states_is_masked_in_every_position(self):
        db = numpy.ma.array([20.0, 20.0, 25.0], mask=[False, True, False])
        out = moistek.states(DB=db, EN=numpy.array([9.2037, 100.0, 12.0]))
        for name, column in out.items():
            with self.subTest(name=name):
                self.assertEqual(column.mask.tolist(), [False, True, False])
                self.assertEqual(column[2], getattr(moistek.State(DB=25, EN=12.0), name))


@unittest.skipIf(numpy is None, "NumPy is not installed (python3-numpy)")
class Memory(unittest.TestCase):
    """A call holds its inputs, its output and a bounded amount more: at most twice its inputs
    and its output (traced by tracemalloc, to which NumPy reports its arrays)."""

    def peak(self, call):
        tracemalloc.start()
        try:
            before = tracemalloc.get_traced_memory()[0]
            out = call()
            return tracemalloc.get_traced_memory()[1] - before, out
        finally:
            tracemalloc.stop()

    def test_a_function_over_arrays(self):
        db = numpy.linspace(-10.0, 45.0, 200_000)
        ah = numpy.linspace(0.001, 0.02, 200_000)
        extra, out = self.peak(lambda: moistek.enthalpy(db, ah))
        self.assertLessEqual(extra, 2 * (db.nbytes + ah.nbytes) + out.nbytes)

    def test_states_over_arrays(self):
        db = numpy.linspace(-10.0, 45.0, 20_000)
        ah = numpy.linspace(0.001, 0.02, 20_000)
        extra, out = self.peak(lambda: moistek.states(DB=db, AH=ah))
        outputs = sum(c.nbytes for c in out.values())
        self.assertLessEqual(extra, 2 * (db.nbytes + ah.nbytes) + outputs)


if __name__ == "__main__":
    unittest.main()
