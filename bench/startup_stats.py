"""Summarises bench/startup's alternating runs: startup_stats.py <tarnwick file> <minimal file>.

Each file has one line per run, "<milliseconds> <peak kB>", and line i of one
was measured right after line i of the other, so the ratio of a pair sees the
same load on the machine. Prints the median of each, and the median of the
pairs' ratios with a bootstrap 95% interval.
"""
import random
import statistics
import sys


def read(path):
    with open(path) as lines:
        return [tuple(float(v) for v in line.split()) for line in lines if line.strip()]


def interval(ratios, rounds=4000):
    rng = random.Random(1)  # the same interval for the same runs
    medians = sorted(statistics.median(rng.choices(ratios, k=len(ratios))) for _ in range(rounds))
    return medians[int(0.025 * rounds)], medians[int(0.975 * rounds) - 1]


def summary(what, unit, tarnwick, minimal):
    """One line: the medians of the two, and the median of the pairs' ratios with its interval."""
    ratios = [t / m for t, m in zip(tarnwick, minimal)]
    low, high = interval(ratios)
    return (f"{what + ':':22} tarnwick {statistics.median(tarnwick):.1f} {unit}, "
            f"minimal {statistics.median(minimal):.1f} {unit}, "
            f"ratio {statistics.median(ratios):.3f} (95% interval {low:.3f} to {high:.3f})")


if __name__ == "__main__":
    tarnwick, minimal = read(sys.argv[1]), read(sys.argv[2])
    print(f"runs each:             {len(tarnwick)}")
    for column, what, unit in ((0, "time to window mapped", "ms"), (1, "peak resident memory", "kB")):
        print(summary(what, unit, [t[column] for t in tarnwick], [m[column] for m in minimal]))
