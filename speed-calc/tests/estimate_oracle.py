#!/usr/bin/env python3
"""Prints the expected estimates for headroom_estimate_test.cpp.

Follows the estimate's steps with each operation rounded on its own, but takes
its logarithms and powers from 60-digit decimal arithmetic, rounded once to a
double, so that the expected bits do not come from the code under test.

    python3 speed-calc/tests/estimate_oracle.py 50 50 10   # D M C
"""
import struct
import sys
from decimal import Decimal, getcontext

getcontext().prec = 60


def single(x):
    return struct.unpack("f", struct.pack("f", x))[0]


def ln(x):
    return float(Decimal(x).ln())


def estimate(ds_margin, min_margin, current_speed):
    d, m, c = single(ds_margin), single(min_margin), single(current_speed)
    log2_speed = ln(c) / ln(2.0)
    total = single(log2_speed * 6.0 + d)
    q = (total - m) / 6.0
    return single(float((Decimal(q) * Decimal(2).ln()).exp()))


if __name__ == "__main__":
    d, m, c = (float(arg) for arg in sys.argv[1:4])
    s = estimate(d, m, c)
    verdict = "Equal" if s == single(c) else ("Higher" if s > single(c) else "Lower")
    print(s.hex(), repr(s), verdict)
