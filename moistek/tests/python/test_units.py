"""States in inch-pound units (units="ip"), the units switch, and the package's IP factors
against the C++ header the `moistek` command is built with."""

import json
import os
import re
import struct
import unittest

import moistek
from moistek import _units
from support import run_cli, same_bits

HEADER = os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, os.pardir, "src",
                      "moistek_internal", "ip_units.h")
POSITIONS = ("DB", "RH", "AH", "EN", "SV", "WB", "DP")


def header_constants():
    """NAME: value of every `constexpr double kNAME = ...;` in ip_units.h, NAME in the
    package's spelling (kCubicFeetPer... is CUBIC_FEET_PER...): a decimal, a float literal
    widened, or a product of constants defined before it."""
    with open(HEADER, encoding="utf-8") as f:
        text = f.read()
    found = {}
    for name, expression in re.findall(r"constexpr double k(\w+) = ([^;]+);", text):
        python_name = re.sub(r"(?<!^)(?=[A-Z])", "_", name).upper()
        float_literal = re.fullmatch(r"static_cast<double>\(([0-9.]+)f\)", expression)
        product = re.fullmatch(r"k(\w+) \* k(\w+)", expression)
        if float_literal:
            value = struct.unpack("<f", struct.pack("<f", float(float_literal.group(1))))[0]
        elif product:
            a, b = (re.sub(r"(?<!^)(?=[A-Z])", "_", n).upper() for n in product.groups())
            value = found[a] * found[b]
        else:
            value = float(expression)
        found[python_name] = value
    return found, text


class Factors(unittest.TestCase):
    def test_every_factor_is_the_headers(self):
        header, _ = header_constants()
        self.assertIn("GRAINS_PER_POUND", header)  # the header was read
        ours = {n: v for n, v in vars(_units).items() if n.isupper() and isinstance(v, float)}
        self.assertEqual(len(ours), 8)
        for name, value in ours.items():
            with self.subTest(name=name):
                self.assertIn(name, header, "a factor the header does not have")
                self.assertTrue(same_bits(value, header[name]), "%r against %r in ip_units.h"
                                % (value, header[name]))

    def test_the_conversions_are_the_headers(self):
        # The header's arithmetic, operation for operation, so the doubles are the command's.
        _, text = header_constants()
        for body in ("return kFahrenheitPerKelvin * c + kFahrenheitAtZeroC;",
                     "return (f - kFahrenheitAtZeroC) / kFahrenheitPerKelvin;",
                     "return kBtuPerLbPerKcalPerKg * h + kIpEnthalpyOffset;",
                     "return (h - kIpEnthalpyOffset) / kBtuPerLbPerKcalPerKg;"):
            self.assertIn(body, text)

    def test_the_datum_uses_the_librarys_own_specific_heat(self):
        instance = moistek._library.new_instance()
        self.assertEqual(_units.LIBRARY_DRY_AIR_SPECIFIC_HEAT, instance.Cpa)
        # 32 × 0.24f = 32 × 0.23999999463558197 = 7.679999828338623, exact in a double.
        self.assertEqual(_units.IP_ENTHALPY_OFFSET, 7.679999828338623)

    def test_conversions_by_hand(self):
        for f, expected, value in [
            (_units.fahrenheit_from_celsius, 212, 100), (_units.fahrenheit_from_celsius, -40, -40),
            (_units.fahrenheit_from_celsius, 32, 0), (_units.celsius_from_fahrenheit, 37, 98.6),
            (_units.celsius_from_fahrenheit, -17.77777777777778, 0),
            # 0 kcal/kg(DA) (dry air at 0 °C) is 0.24f × 32 on the IP datum; 10 kcal is 18 more.
            (_units.btu_per_lb_from_kcal_per_kg, 7.679999828338623, 0),
            (_units.btu_per_lb_from_kcal_per_kg, 25.679999828338623, 10),
            (_units.kcal_per_kg_from_btu_per_lb, 10, 25.679999828338623),
        ]:
            with self.subTest(f=f.__name__, value=value):
                self.assertAlmostEqual(f(value), expected, delta=1e-12 * max(1, abs(expected)))


# Pairs in IP units across the methods: 75 °F, 50 % and its properties, a cold and a hot state.
IP_PAIRS = [
    {"DB": 75, "RH": 50}, {"DB": 75, "AH": 64.66}, {"EN": 28.11, "DB": 75},
    {"DB": 95, "WB": 75}, {"SV": 13.68, "DB": 75}, {"RH": 50, "WB": 62.55},
    {"AH": 64.66, "EN": 28.11}, {"EN": 28.11, "SV": 13.68}, {"WB": 62.55, "SV": 13.68},
    {"DB": 75, "DP": 55}, {"DP": 55, "EN": 30}, {"DB": 14, "RH": 80}, {"DB": 110, "RH": 20},
]


class IpStates(unittest.TestCase):
    def test_the_same_doubles_as_moistek_state_ip(self):
        for pair in IP_PAIRS:
            for pa in (None, 14.696, 12.228):
                with self.subTest(pair=pair, pa=pa):
                    words = ["%s=%r" % kv for kv in pair.items()] + ["--json", "--ip"]
                    status, out, err = run_cli("state", *words,
                                               *(["--pa", repr(pa)] if pa else []))
                    self.assertEqual(status, 0, err)
                    expected = json.loads(out)
                    self.assertEqual(expected["units"], "ip")
                    state = moistek.State(units="ip", pa=pa, **pair)
                    self.assertEqual(state.method, expected["method"])
                    for name in POSITIONS:
                        self.assertTrue(same_bits(getattr(state, name), expected[name]),
                                        "%s: %r against %r" % (name, getattr(state, name),
                                                               expected[name]))

    def test_the_library_state_converted(self):
        for pair in IP_PAIRS:
            with self.subTest(pair=pair):
                ip = moistek.State(units="ip", **pair)
                lib = moistek.State(**{n: _units.to_library("ip", n, v, None)
                                       for n, v in pair.items()})
                for name in POSITIONS:
                    expected = pair.get(name, _units.from_library("ip", name,
                                                                  getattr(lib, name), None))
                    self.assertAlmostEqual(getattr(ip, name), expected,
                                           delta=1e-12 * abs(expected))
                self.assertEqual((ip.units, ip.si), ("ip", False))
        # The library's state at (75 − 32)/1.8 °C is the one of 75 °F.
        self.assertAlmostEqual(moistek.State(units="ip", DB=75, RH=50).AH,
                               moistek.State(DB=(75 - 32) / 1.8, RH=50).AH * 7000, delta=1e-10)

    def test_ashrae_state_at_14696_psia(self):
        # 75 °F, 50 %, 14.696 psia by hand (the library's relations): saturation at 23.888889 °C
        # (Sonntag 1990) 29.658886 hPa = 22.245994 mmHg, pw = 11.122997 mmHg;
        # P = 14.696/0.0193368 = 760.00165 mmHg;
        # W = 0.62193 × 11.122997/(760.00165 − 11.122997) = 0.0092375353 = 64.662747 gr/lb;
        # h = 0.24 × 75 + W × (1075.5 + 0.441 × 43) = 28.110141 Btu/lb;
        # v = (W × 47.06 + 29.27)/P × 0.07355593 × 297.03889 = 0.85396860 m³/kg
        #   × 16.01846 = 13.679262 ft³/lb.
        # ASHRAE's tables: W = 0.00929 lb/lb (no enhancement factor here: 0.6 % lower), 28.1.
        s = moistek.State(DB=75, RH=50, pa=14.696, units="ip")
        self.assertEqual((s.DB, s.RH), (75, 50))
        self.assertAlmostEqual(s.AH, 64.662747, delta=2e-5)
        self.assertAlmostEqual(s.EN, 28.110141, delta=2e-6)
        self.assertAlmostEqual(s.SV, 13.679262, delta=2e-6)
        self.assertAlmostEqual(s.AH / 7000, 0.00929, delta=0.01 * 0.00929)
        self.assertAlmostEqual(s.enthalpy, 28.1, delta=0.01 * 28.1)

    def test_columns_in_ip(self):
        db, rh = [75, 14, 110], [50, 80, 20]
        columns = moistek.states(DB=db, RH=rh, units="ip", pa=14.696)
        for i, (d, r) in enumerate(zip(db, rh)):
            row = moistek.State(DB=d, RH=r, units="ip", pa=14.696).as_dict()
            self.assertEqual({k: v[i] for k, v in columns.items()}, row)
        # 1000 °F has no state at 14.696 psia.
        out = moistek.states(DB=[75, 1000], RH=[50, 50], units="ip", errors="nan")
        self.assertTrue(out["AH"][1] != out["AH"][1])
        with self.assertRaisesRegex(ValueError, r"no state for DB=1000.0 RH=50.0 \(row 1\)"):
            moistek.states(DB=[75, 1000], RH=[50, 50], units="ip")


class UnitsSwitch(unittest.TestCase):
    def test_si_flag_and_units_name_the_same_systems(self):
        for old, new in [({}, {"units": "kcal"}), ({"si": False}, {}),
                         ({"si": True}, {"units": "si"}), ({"si": True}, {"si": True, "units": "si"}),
                         ({"si": False}, {"si": False, "units": "kcal"})]:
            with self.subTest(old=old, new=new):
                a = moistek.State(DB=20, EN=38.534, **old)
                b = moistek.State(DB=20, EN=38.534, **new)
                self.assertEqual(a.as_dict(), b.as_dict())
                self.assertEqual((a.si, a.units), (b.si, b.units))
                self.assertEqual(moistek.states(DB=[20], EN=[38.534], **old),
                                 moistek.states(DB=[20], EN=[38.534], **new))
        self.assertEqual(moistek.State(DB=20, RH=50, units="si").si, True)

    def test_refused_units(self):
        for kwargs, error, says in [
            ({"units": "IP"}, ValueError, "units must be 'kcal', 'si' or 'ip', not 'IP'"),
            ({"units": "SI"}, ValueError, "not 'SI'"),
            ({"units": ""}, ValueError, "not ''"),
            ({"units": 1}, TypeError, "units must be 'kcal', 'si' or 'ip', not 1"),
            ({"units": b"ip"}, TypeError, "not b'ip'"),
            ({"si": True, "units": "ip"}, ValueError, "si=True and units='ip' do not go together"),
            ({"si": True, "units": "kcal"}, ValueError, "do not go together"),
            ({"si": "yes", "units": "ip"}, TypeError, "si must be True or False"),
        ]:
            for call in (lambda: moistek.State(DB=75, RH=50, **kwargs),
                         lambda: moistek.states(DB=[75], RH=[50], **kwargs)):
                with self.subTest(kwargs=kwargs):
                    with self.assertRaises(error) as raised:
                        call()
                    self.assertIn(says, str(raised.exception))

    def test_refusals_in_ip_are_those_of_moistek_state_ip(self):
        for kwargs, words in [({"DP": 55, "AH": 64}, ["DP=55", "AH=64"]),
                              ({"EN": 28, "WB": 62}, ["EN=28", "WB=62"]),
                              ({"DB": 75}, ["DB=75"])]:
            with self.subTest(kwargs=kwargs):
                status, _, err = run_cli("state", *words, "--ip")
                self.assertEqual(status, 2)
                with self.assertRaises(ValueError) as raised:
                    moistek.State(units="ip", **kwargs)
                self.assertEqual("moistek state: %s\n" % raised.exception, err)


if __name__ == "__main__":
    unittest.main()
