#!/usr/bin/env python3
"""Times moistek.wet_bulb over NumPy arrays (10^6 states unless told otherwise): through the
library's array form (one call per 4096 elements, as the package does it) and, in the same run,
one call of the plain function per element (as it did before); the two give the same doubles.

usage: PYTHONPATH=build/python /usr/bin/python3 moistek/bench/python_wetbulb.py [COUNT]
"""

import sys
import time

import numpy

import moistek
from moistek import _functions


def main():
    count = int(sys.argv[1]) if len(sys.argv) > 1 else 1_000_000
    rng = numpy.random.default_rng(1)
    db = rng.uniform(-10.0, 45.0, count)  # °C
    rh = rng.uniform(10.0, 95.0, count)  # %
    ah = moistek.humidity_ratio_from_db_rh(db, rh)  # kg/kg(DA)
    # Wall-clock and processor time: on a shared machine the first includes waiting for a core.
    # The two paths take turns, best of 3 each.
    best = {True: [float("inf")] * 2, False: [float("inf")] * 2}
    results = {}
    for _ in range(3):
        for arrays in (True, False):
            _functions.use_array_forms = arrays
            start, start_cpu = time.perf_counter(), time.process_time()
            results[arrays] = moistek.wet_bulb(db, ah)
            wall, cpu = time.perf_counter() - start, time.process_time() - start_cpu
            best[arrays] = [min(best[arrays][0], wall), min(best[arrays][1], cpu)]
    _functions.use_array_forms = True
    wb = results[True]
    assert wb.shape == db.shape and not numpy.isnan(wb).any()
    assert (wb.view(numpy.int64) == results[False].view(numpy.int64)).all()
    for arrays, what in ((True, "array form"), (False, "one call an element")):
        print("%d wet bulbs from arrays, %s: %.2f s wall-clock, %.2f s processor time (best of 3)"
              % ((count, what) + tuple(best[arrays])))
    print("processor time, array form / one call an element: %.2f"
          % (best[True][1] / best[False][1]))

if __name__ == "__main__":
    main()
