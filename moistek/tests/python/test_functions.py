"""The plain functions under their exported names and their aliases, against `moistek call`."""

import unittest

import moistek
from support import call_batch, same_bits

# Inputs for every plain function: states across the chart, the edges of the searches, and inputs
# where the method fails (the plain function then gives 0.0, the Python one raises).
ROWS = {
    "V_DB2PWS": [(20,), (0,), (-0.01,), (99.9,), (-40,), (400,), (-300,)],
    "V_PW2AH": [(17.535,), (0,), (4.579,), (760,), (800,)],
    "V_ENDB2AH": [(9.2037, 20), (0, 0), (-5, 40), (30, 35)],
    "V_DBWB2AH": [(20, 13.7801), (35, 25), (20, 25), (20, 5), (0, -3)],
    "V_DBSV2AH": [(20, 0.84015), (20, 0.5), (40, 0.91)],
    "V_SVWB2AH": [(0.84015, 13.7801), (0.5, 10), (0.9, 30)],
    "V_DBRH2AH": [(20, 50), (20, 0), (-10, 80), (60, 100), (400, 50)],
    "V_DBAH2EN": [(20, 0.0072630), (-10, 0.001), (1e308, 1e308)],
    "V_DBAH2WB": [(20, 0.0072630), (20, -0.01), (-5, 0.002), (45, 0.03)],
    "V_DBAH2SV": [(20, 0.0072630), (0, 0), (1e308, 1e308)],
    "V_WBAH2DB": [(13.7801, 0.0072630), (-2, 0.002), (400, 0.01)],
    "V_SVAH2DB": [(0.84015, 0.0072630), (-1, 0.01)],
    "V_ENAH2DB": [(9.2037, 0.0072630), (9.2, -0.5), (0, 0)],
    "V_RHAH2DB": [(50, 0.0072630), (0, 0.01), (150, 0.01), (100, 0.0005)],
    "V_RHEN2DB": [(50, 9.2037), (50, -100), (90, 20)],
    "V_RHWB2DB": [(50, 13.7801), (50, 200), (100, 5)],
    "V_RHSV2DB": [(50, 0.84015), (50, 0.1), (30, 0.9)],
    "V_SVEN2DB": [(0.84015, 9.2037), (0.1, 9), (0.88, 15)],
    "V_DBAH2RH": [(20, 0.0072630), (-300, 0.01), (-10, 0.0015), (80, 0.3)],
    "V_DBAH2RV": [(20, 0.0072630), (400, 0.01), (5, 0.004)],
    "V_AH2DP": [(0.0072630,), (0,), (-1,), (0.03,)],
}

ALIASES = {
    "saturation_pressure": "V_DB2PWS", "humidity_ratio_from_pw": "V_PW2AH",
    "humidity_ratio_from_en_db": "V_ENDB2AH", "humidity_ratio_from_db_wb": "V_DBWB2AH",
    "humidity_ratio_from_db_sv": "V_DBSV2AH", "humidity_ratio_from_sv_wb": "V_SVWB2AH",
    "humidity_ratio_from_db_rh": "V_DBRH2AH", "enthalpy": "V_DBAH2EN", "wet_bulb": "V_DBAH2WB",
    "specific_volume": "V_DBAH2SV", "dry_bulb_from_wb_ah": "V_WBAH2DB",
    "dry_bulb_from_sv_ah": "V_SVAH2DB", "dry_bulb_from_en_ah": "V_ENAH2DB",
    "dry_bulb_from_rh_ah": "V_RHAH2DB", "dry_bulb_from_rh_en": "V_RHEN2DB",
    "dry_bulb_from_rh_wb": "V_RHWB2DB", "dry_bulb_from_rh_sv": "V_RHSV2DB",
    "dry_bulb_from_sv_en": "V_SVEN2DB", "relative_humidity": "V_DBAH2RH",
    "degree_of_saturation": "V_DBAH2RV", "dew_point": "V_AH2DP",
}


def expected_rows():
    """(name, args, plain value text, method result) for every row, from one `moistek` run."""
    cases = [(name, args) for name, rows in ROWS.items() for args in rows]
    words = [" ".join(map(repr, args)) for _, args in cases]
    plain = call_batch(["%s %s" % (n, w) for (n, _), w in zip(cases, words)])
    method = call_batch(["F_%s %s" % (n[2:], w) for (n, _), w in zip(cases, words)])
    return [(n, a, p, int(m.split()[0])) for (n, a), p, m in zip(cases, plain, method)]


class PlainFunctions(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.rows = expected_rows()

    def test_every_exported_function_is_there_under_its_name(self):
        self.assertEqual(sorted(ROWS), sorted(n for n in dir(moistek) if n.startswith("V_")
                                              and n != "V_Ver"))

    def test_values_are_those_of_moistek_call_bit_for_bit(self):
        for name, args, text, result in self.rows:
            if result != 1:
                continue
            with self.subTest(name=name, args=args):
                self.assertTrue(same_bits(getattr(moistek, name)(*args), float(text)),
                                "%r against %s" % (getattr(moistek, name)(*args), text))

    def test_a_failing_method_raises_with_the_reason_instead_of_giving_zero(self):
        failures = [(n, a, t) for n, a, t, r in self.rows if r != 1]
        self.assertGreaterEqual(len(failures), 12)
        for name, args, text in failures:
            with self.subTest(name=name, args=args):
                self.assertEqual(float(text), 0.0)  # the C function's only sign of failure
                with self.assertRaises(ValueError) as raised:
                    getattr(moistek, name)(*args)
                self.assertIn(name, str(raised.exception))
                self.assertIn("%s=%r" % (name[2:4], float(args[0])), str(raised.exception))

    def test_a_true_zero_is_a_value(self):
        # No water vapour at 20 °C and 0 %: the humidity ratio is 0 exactly.
        self.assertEqual(moistek.V_DBRH2AH(20, 0), 0.0)
        self.assertEqual(moistek.V_PW2AH(0), 0.0)

    def test_reference_values(self):
        # 20 °C, 50 %: x = 0.0072630 kg/kg(DA), t' = 13.7801 °C (published chart values, the
        # library's own tables at 760 mmHg).
        self.assertAlmostEqual(moistek.V_DBAH2RH(20, 0.0072630), 50.00, delta=0.005)
        self.assertAlmostEqual(moistek.V_DBAH2WB(20, 0.0072630), 13.7801, delta=0.0001)
        # h = 0.24 t + (597.5 + 0.441 t) x = 4.8 + 606.32 × 0.0072630 = 9.20370 kcal/kg(DA)
        self.assertAlmostEqual(moistek.V_DBAH2EN(20, 0.0072630), 9.20370, delta=0.00001)

    def test_version(self):
        self.assertEqual(moistek.V_Ver(), "1.0.1.14")
        self.assertEqual(moistek.version(), "1.0.1.14")

    def test_arguments_that_are_not_numbers(self):
        with self.assertRaisesRegex(ValueError, "'warm' is not a number"):
            moistek.V_DBAH2WB("warm", 0.01)
        with self.assertRaisesRegex(TypeError, "takes 2 argument"):
            moistek.V_DBAH2WB(20)
        with self.assertRaises(ValueError):
            moistek.V_DB2PWS(float("nan"))
        self.assertEqual(moistek.V_DB2PWS("20"), moistek.V_DB2PWS(20))


class Aliases(unittest.TestCase):
    def test_each_alias_is_its_plain_function(self):
        self.assertEqual(sorted(ALIASES.values()), sorted(ROWS))
        for alias, name in ALIASES.items():
            args = ROWS[name][0]
            with self.subTest(alias=alias):
                self.assertTrue(same_bits(getattr(moistek, alias)(*args),
                                          getattr(moistek, name)(*args)))

    def test_an_alias_raises_as_its_plain_function(self):
        with self.assertRaisesRegex(ValueError, "V_DB2PWS: no saturation vapour pressure"):
            moistek.saturation_pressure(400)


if __name__ == "__main__":
    unittest.main()
