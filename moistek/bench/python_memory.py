#!/usr/bin/env python3
"""Peak memory of moistek.enthalpy and moistek.states over NumPy arrays (10^7 states unless
told otherwise), against what the call must hold: its input and output arrays.

usage: PYTHONPATH=build/python /usr/bin/python3 moistek/bench/python_memory.py [COUNT] [--rss]

The peak is what the call allocates above what was allocated before it (tracemalloc, which
NumPy reports its arrays to). tracemalloc's own records of each Python object make the process
larger than the call: for the process's maximum resident size run with --rss (only the enthalpy,
untraced) under /usr/bin/time -v.
"""

import sys
import tracemalloc

import numpy

import moistek


def peak(call):
    tracemalloc.start()
    before = tracemalloc.get_traced_memory()[0]
    result = call()
    extra = tracemalloc.get_traced_memory()[1] - before
    tracemalloc.stop()
    return extra, result


def main():
    count = int(sys.argv[1]) if len(sys.argv) > 1 and sys.argv[1] != "--rss" else 10_000_000
    db = numpy.linspace(-10.0, 45.0, count)  # °C
    ah = numpy.linspace(0.001, 0.02, count)  # kg/kg(DA)
    inputs = db.nbytes + ah.nbytes
    mb = 1e6
    if "--rss" in sys.argv:
        out = moistek.enthalpy(db, ah)
        print("enthalpy, %d values: inputs %.0f MB, output %.0f MB"
              % (count, inputs / mb, out.nbytes / mb))
        return
    extra, out = peak(lambda: moistek.enthalpy(db, ah))
    print("enthalpy, %d values: peak %.0f MB above the inputs (%.0f MB); output %.0f MB; "
          "%.2f x the inputs" % (count, extra / mb, inputs / mb, out.nbytes / mb, extra / inputs))
    del out
    small = count // 10
    extra, out = peak(lambda: moistek.states(DB=db[:small], AH=ah[:small]))
    outputs = sum(v.nbytes for v in out.values())
    print("states, %d rows: peak %.0f MB above the inputs (%.0f MB); outputs %.0f MB"
          % (small, extra / mb, inputs / 10 / mb, outputs / mb))


if __name__ == "__main__":
    main()
