#!/usr/bin/env python3
"""Times moistek.wet_bulb over NumPy arrays (10^6 states unless told otherwise).

usage: PYTHONPATH=build/python /usr/bin/python3 moistek/bench/python_wetbulb.py [COUNT]
"""

import sys
import time

import numpy

import moistek


def main():
    count = int(sys.argv[1]) if len(sys.argv) > 1 else 1_000_000
    rng = numpy.random.default_rng(1)
    db = rng.uniform(-10.0, 45.0, count)  # °C
    rh = rng.uniform(10.0, 95.0, count)  # %
    ah = moistek.humidity_ratio_from_db_rh(db, rh)  # kg/kg(DA)
    # Wall-clock and processor time: on a shared machine the first includes waiting for a core.
    wall = cpu = float("inf")
    for _ in range(3):
        start, start_cpu = time.perf_counter(), time.process_time()
        wb = moistek.wet_bulb(db, ah)
        wall = min(wall, time.perf_counter() - start)
        cpu = min(cpu, time.process_time() - start_cpu)
    assert wb.shape == db.shape and not numpy.isnan(wb).any()
    print("%d wet bulbs from arrays: %.2f s wall-clock, %.2f s processor time (best of 3)"
          % (count, wall, cpu))


if __name__ == "__main__":
    main()
