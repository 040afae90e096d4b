#!/usr/bin/env python3
"""Start-up benchmark: times short runs (the example session piped in) of two
builds of the program in alternating pairs, so that both see the same machine,
and prints the median time of each and their ratio. Not part of the tests.

    bench/startup_bench.py [path/to/ballast [path/to/other-ballast]] [--pairs N]

With no paths it compares build/ballast (the runtime linked in) with
build-dynamic/ballast (configured with -DBALLAST_STATIC_RUNTIME=OFF).
"""
import argparse
import os
import statistics
import subprocess
import tempfile
import time

ANSWERS = b"120\n1.2\n60\n4\n2\n1\n2000\n0.05\n1\n0.1\n0\n"


def one_run(program, folder):
    start = time.perf_counter_ns()
    subprocess.run([program], input=ANSWERS, stdout=subprocess.DEVNULL, cwd=folder, check=True)
    return time.perf_counter_ns() - start


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("first", nargs="?", default="build/ballast")
    parser.add_argument("second", nargs="?", default="build-dynamic/ballast")
    parser.add_argument("--pairs", type=int, default=400)
    args = parser.parse_args()
    programs = [os.path.realpath(args.first), os.path.realpath(args.second)]
    times = [[], []]
    with tempfile.TemporaryDirectory() as folder:
        for _ in range(20):  # warm the caches
            for program in programs:
                one_run(program, folder)
        for i in range(args.pairs):
            order = (0, 1) if i % 2 == 0 else (1, 0)
            for which in order:
                times[which].append(one_run(programs[which], folder))
    medians = [statistics.median(t) / 1000 for t in times]
    for program, median in zip(programs, medians):
        print(f"{program}: median {median:.0f} us per run over {args.pairs} runs")
    print(f"ratio first/second: {medians[0] / medians[1]:.3f}")


if __name__ == "__main__":
    main()
