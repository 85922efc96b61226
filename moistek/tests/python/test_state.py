"""The complete state from two properties, against `moistek state`."""

import json
import unittest

try:
    import numpy
except ImportError:
    numpy = None

import moistek
from support import run_cli, same_bits

# Pairs across every complete-state method the library accepts (20 °C, 50 % and its properties,
# and a cold and a warm state), in both orders.
PAIRS = [
    {"DB": 20, "RH": 50}, {"RH": 50, "DB": 20}, {"DB": 20, "AH": 0.0072630},
    {"DB": 20, "EN": 9.2037}, {"DB": 20, "WB": 13.7801}, {"DB": 20, "SV": 0.84015},
    {"RH": 50, "AH": 0.0072630}, {"RH": 50, "EN": 9.2037}, {"RH": 50, "WB": 13.7801},
    {"RH": 50, "SV": 0.84015}, {"AH": 0.0072630, "EN": 9.2037}, {"AH": 0.0072630, "WB": 13.7801},
    {"AH": 0.0072630, "SV": 0.84015}, {"EN": 9.2037, "SV": 0.84015},
    {"WB": 13.7801, "SV": 0.84015}, {"DB": -10, "RH": 80}, {"DB": 35, "WB": 27},
    # The dew point with each property but the humidity ratio (20 °C with its dew point at 10 °C).
    {"DB": 20, "DP": 10}, {"DP": 10, "DB": 20}, {"DP": 10, "RH": 52.501179},
    {"WB": 14.126658, "DP": 10}, {"DP": 10, "EN": 9.4267141}, {"DP": 10, "SV": 0.84064485},
    {"DB": -5, "DP": -10},
]


def cli_state(pair, *options):
    words = ["%s=%r" % kv for kv in pair.items()]
    return run_cli("state", *words, "--json", *options)


class States(unittest.TestCase):
    def assert_same_as_cli(self, state, out):
        expected = json.loads(out)
        self.assertEqual(state.method, expected["method"])
        for name in ("DB", "RH", "AH", "EN", "SV", "WB", "DP"):
            self.assertTrue(same_bits(getattr(state, name), expected[name]),
                            "%s: %r against %r" % (name, getattr(state, name), expected[name]))

    def test_every_pair_gives_the_state_moistek_state_gives(self):
        for pair in PAIRS:
            with self.subTest(pair=pair):
                status, out, _ = cli_state(pair)
                self.assertEqual(status, 0)
                self.assert_same_as_cli(moistek.State(**pair), out)

    def test_si_and_total_pressure(self):
        for pair, options in [({"DB": 20, "RH": 50}, ["--si"]),
                              ({"DB": 20, "EN": 38.534}, ["--si"]),
                              ({"DB": 20, "RH": 50}, ["--pa", "700"]),
                              ({"DB": 25, "WB": 18}, ["--si", "--pa", "1000"]),
                              ({"DB": 20, "DP": 10}, ["--si", "--pa", "1013.25"]),
                              ({"DP": 10, "EN": 39.4677}, ["--si"]),
                              ({"DP": 10, "RH": 50}, ["--pa", "700"])]:
            with self.subTest(pair=pair, options=options):
                status, out, _ = cli_state(pair, *options)
                self.assertEqual(status, 0)
                pa = float(options[-1]) if "--pa" in options else None
                self.assert_same_as_cli(moistek.State(si="--si" in options, pa=pa, **pair), out)

    def test_names_long_and_in_either_case(self):
        a = moistek.State(dry_bulb=20, relative_humidity=50)
        b = moistek.State(db=20, Rh=50)
        self.assertEqual(a.as_dict(), b.as_dict())
        self.assertEqual(a.wet_bulb, a.WB)
        self.assertEqual(a.humidity_ratio, moistek.V_DBRH2AH(20, 50))

    def test_refusals_are_those_of_moistek_state(self):
        for kwargs, words in [
            ({"DB": 20}, ["DB=20"]),
            ({"DB": 20, "RH": 50, "AH": 0.01}, ["DB=20", "RH=50", "AH=0.01"]),
            ({"DB": 20, "db": 30}, ["DB=20", "db=30"]),
            ({"EN": 9, "WB": 13}, ["EN=9", "WB=13"]),
            ({"WB": 13, "EN": 9}, ["WB=13", "EN=9"]),
            ({"DP": 10, "AH": 0.0076}, ["DP=10", "AH=0.0076"]),
            ({"humidity_ratio": 0.0076, "dew_point": 10}, ["AH=0.0076", "DP=10"]),
            ({"dew_point": 10, "DP": 3}, ["DP=10", "DP=3"]),
        ]:
            with self.subTest(kwargs=kwargs):
                status, _, err = run_cli("state", *words)
                self.assertEqual(status, 2)
                with self.assertRaises(ValueError) as raised:
                    moistek.State(**kwargs)
                self.assertEqual("moistek state: %s\n" % raised.exception, err)

    def test_dew_point_and_dry_bulb_by_hand(self):
        # 20 °C, dew point 10 °C, 760 mmHg: the saturation pressure (Sonntag 1990) at 10 °C is
        # 12.281334 hPa = 9.2117578 mmHg, at 20 °C 23.392491 hPa;
        # x = (18.015/28.966) × 9.2117578/(760 − 9.2117578) = 0.0076308126 kg/kg(DA),
        # RH = 12.281334/23.392491 = 52.501179 %; the dew point is the one given.
        s = moistek.State(dry_bulb=20, dew_point=10)
        self.assertAlmostEqual(s.AH, 0.0076308126, delta=3e-10)
        self.assertAlmostEqual(s.RH, 52.501179, delta=1e-6)
        self.assertEqual(s.dew_point, 10.0)
        # 150 °C: 4.76 bar of vapour is more than the whole 760 mmHg.
        with self.assertRaisesRegex(ValueError, "no state for DB=20.0 DP=150.0"):
            moistek.State(DB=20, DP=150)
        out = moistek.states(DB=[20, 20], DP=[10, 150], errors="nan")
        self.assertEqual(out["AH"][0], s.AH)
        self.assertTrue(out["AH"][1] != out["AH"][1])

    def test_values_without_a_state(self):
        # The enthalpy line of 9.2037 kcal/kg(DA) reaches x = 0 near 38.36 °C: nothing at 50 °C.
        status, _, _ = run_cli("state", "DB=50", "EN=9.2037")
        self.assertEqual(status, 1)
        with self.assertRaisesRegex(ValueError, "C_DBEN: no state for DB=50.0 EN=9.2037"):
            moistek.State(DB=50, EN=9.2037)
        with self.assertRaisesRegex(ValueError, "is not one of DB RH AH EN SV WB DP"):
            moistek.State(DB=20, XY=3)


class StateColumns(unittest.TestCase):
    def test_columns_give_the_state_of_every_row(self):
        db, rh = [20, -10, 35], [50, 80, 40]
        columns = moistek.states(DB=db, RH=rh)
        for i, (d, r) in enumerate(zip(db, rh)):
            row = moistek.State(DB=d, RH=r).as_dict()
            self.assertEqual({k: v[i] for k, v in columns.items()}, row)

    def test_numbers_give_numbers_and_arrays_give_arrays(self):
        self.assertEqual(moistek.states(DB=20, RH=50), moistek.State(DB=20, RH=50).as_dict())
        if numpy is not None:
            out = moistek.states(DB=numpy.array([[20.0, 25.0]]), RH=50)
            self.assertEqual(out["WB"].shape, (1, 2))
            self.assertEqual(out["WB"][0, 1], moistek.State(DB=25, RH=50).WB)

    def test_a_row_without_a_state(self):
        with self.assertRaisesRegex(ValueError, r"\(row 1\)"):
            moistek.states(DB=[20, 50], EN=[9.2037, 9.2037])
        out = moistek.states(DB=[20, 50], EN=[9.2037, 9.2037], errors="nan")
        self.assertEqual(out["AH"][0], moistek.State(DB=20, EN=9.2037).AH)
        self.assertTrue(all(v[1] != v[1] for v in out.values()))  # NaN in every position
        with self.assertRaisesRegex(ValueError, "does not fix a state"):
            moistek.states(EN=[9], WB=[13])


if __name__ == "__main__":
    unittest.main()
