#!/usr/bin/env python3
"""Writes a made-up log of velmora and tessik runs, for timing sortlog.

usage: synthetic_log.py RUNS OUT_FILE [FAILURE_RATE]

Each run is the 18-size series with plausible times; about FAILURE_RATE of
the trials (default 0.001) are failure records of either program, and one
run in 50 stops early.
"""
import random
import sys

RESULT = "\nSize = %d \nSequential time = %f \nParallel time = %f \nSpeedup of parallelism is %f"
FAILURES = [
    "\n \n \n \n Error: Serial sort is not correct starting at location %d \n \n \n \n",
    "\n \n \n \n Error: Parallel sort is not correct starting at location %d \n \n \n \n",
    "\n\nError: Serial sort is not correct starting at location %d \n",
    "\n\nError: Parallel sort is not correct starting at location %d \n",
]


def series():
    n, sizes = 10000, []
    while n < 10000000:
        sizes.append(n)
        n += n // 2
    return sizes


def main():
    runs = int(sys.argv[1])
    failure_rate = float(sys.argv[3]) if len(sys.argv) > 3 else 0.001
    rng = random.Random(1)
    sizes = series()
    out = []
    for _ in range(runs):
        length = rng.randint(1, len(sizes)) if rng.random() < 0.02 else len(sizes)
        for n in sizes[:length]:
            if rng.random() < failure_rate:
                out.append(rng.choice(FAILURES) % rng.randrange(n))
                continue
            sequential = n * 8.5e-8 * rng.uniform(0.9, 1.1)
            speedup = min(1.95, 0.6 + n / 4e5) * rng.uniform(0.85, 1.05)
            parallel = sequential / speedup
            out.append(RESULT % (n, sequential, parallel, sequential / parallel))
    with open(sys.argv[2], "w") as f:
        f.write("".join(out))


if __name__ == "__main__":
    main()
