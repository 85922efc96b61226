"""The aliases over sequences and NumPy arrays, and the package without NumPy."""

import math
import os
import subprocess
import sys
import unittest

import moistek
from support import call_batch, same_bits

try:
    import numpy
except ImportError:
    numpy = None

DB = [20.0, -5.0, 35.0, 0.0]
AH = [0.0072630, 0.002, 0.02, 0.0035]


def wet_bulbs_from_cli(dbs, ahs):
    return [float(v) for v in call_batch(["V_DBAH2WB %r %r" % p for p in zip(dbs, ahs)])]


class Sequences(unittest.TestCase):
    def test_lists_give_a_list_of_the_plain_values(self):
        out = moistek.wet_bulb(DB, AH)
        self.assertIsInstance(out, list)
        expected = wet_bulbs_from_cli(DB, AH)
        self.assertEqual(len(out), len(expected))
        for got, want in zip(out, expected):
            self.assertTrue(same_bits(got, want), (got, want))

    def test_a_number_goes_with_every_element(self):
        self.assertEqual(moistek.wet_bulb(20, AH), [moistek.V_DBAH2WB(20, a) for a in AH])
        self.assertEqual(moistek.dew_point(tuple(AH)), [moistek.V_AH2DP(a) for a in AH])

    def test_sequences_of_different_lengths_are_refused(self):
        with self.assertRaisesRegex(ValueError, "different lengths: 2, 4"):
            moistek.wet_bulb(DB[:2], AH)

    def test_a_failing_element_raises_with_its_index(self):
        reason = r"V_WBAH2DB: no dry-bulb temperature for WB=400.0 .*\(element 2\)"
        with self.assertRaisesRegex(ValueError, reason):
            moistek.dry_bulb_from_wb_ah([13.7801, 10, 400], [0.0072630, 0.005, 0.01])

    def test_errors_nan_puts_nan_where_an_element_fails(self):
        out = moistek.saturation_pressure([20, 400, -300, 0], errors="nan")
        self.assertTrue(math.isnan(out[1]) and math.isnan(out[2]))
        self.assertEqual([out[0], out[3]], [moistek.V_DB2PWS(20), moistek.V_DB2PWS(0)])
        # A true zero stays a zero.
        self.assertEqual(moistek.humidity_ratio_from_db_rh([20, 20], [0, 50], errors="nan")[0],
                         0.0)
        with self.assertRaisesRegex(ValueError, "errors must be"):
            moistek.wet_bulb(DB, AH, errors="ignore")

    def test_an_element_that_is_not_a_number(self):
        with self.assertRaisesRegex(ValueError, "element 1"):
            moistek.wet_bulb(DB[:2], [0.01, "wet"])


@unittest.skipIf(numpy is None, "NumPy is not installed (python3-numpy)")
class Arrays(unittest.TestCase):
    def test_an_array_gives_an_array_of_the_plain_values(self):
        out = moistek.wet_bulb(numpy.array(DB), numpy.array(AH))
        self.assertIsInstance(out, numpy.ndarray)
        self.assertEqual(out.dtype, numpy.float64)
        for got, want in zip(out.tolist(), wet_bulbs_from_cli(DB, AH)):
            self.assertTrue(same_bits(got, want), (got, want))

    def test_arrays_broadcast_and_keep_their_shape(self):
        db = numpy.array([[10.0], [20.0], [30.0]])
        ah = numpy.array([0.002, 0.004, 0.006, 0.008])
        out = moistek.enthalpy(db, ah)
        self.assertEqual(out.shape, (3, 4))
        self.assertEqual(out[1, 2], moistek.V_DBAH2EN(20, 0.006))
        self.assertEqual(moistek.enthalpy(numpy.array(DB), 0.01).shape, (4,))

    def test_a_numpy_number_is_a_number(self):
        out = moistek.wet_bulb(numpy.float64(20), numpy.array(AH)[0])
        self.assertIs(type(out), float)
        self.assertEqual(out, moistek.V_DBAH2WB(20, AH[0]))

    def test_a_failing_element_of_an_array(self):
        db = numpy.array([20.0, 400.0])
        with self.assertRaisesRegex(ValueError, r"\(element 1\)"):
            moistek.saturation_pressure(db)
        out = moistek.saturation_pressure(db, errors="nan")
        self.assertTrue(math.isnan(out[1]))

    def test_arrays_that_do_not_broadcast(self):
        with self.assertRaises(ValueError):
            moistek.wet_bulb(numpy.zeros(3), numpy.zeros(4))


class WithoutNumpy(unittest.TestCase):
    def test_the_package_works_on_sequences_when_numpy_cannot_be_imported(self):
        script = ("import sys; sys.modules['numpy'] = None\n"
                  "import moistek\n"
                  "assert moistek._functions.numpy is None\n"
                  "print(repr(moistek.wet_bulb([20, 25], [0.007263, 0.01])))\n"
                  "print(repr(moistek.states(DB=[20], RH=[50])['WB']))\n")
        out = subprocess.run([sys.executable, "-c", script], capture_output=True, text=True,
                             env=os.environ, check=True).stdout.splitlines()
        self.assertEqual(out[0], repr(moistek.wet_bulb([20, 25], [0.007263, 0.01])))
        self.assertEqual(out[1], repr([moistek.State(DB=20, RH=50).WB]))


if __name__ == "__main__":
    unittest.main()
