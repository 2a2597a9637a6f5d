#!/usr/bin/env python3
"""Two builds' benchmarks side by side: is any key slower than before?

    bench/before_after.py BEFORE_BUILD AFTER_BUILD [BENCHES] [FILTER] [ROUNDS]

BENCHES is a comma-separated list of bench/ programs (default: the key
benchmarks, bench_keys and bench_real), FILTER a --benchmark_filter (".")
and ROUNDS the number of turns (15). The two builds take turns, round after
round, with short runs, so that a busy moment on the machine hits both; the
least CPU time of each benchmark counts. A benchmark the before build lacks
is left out. Rows more than 5% slower are marked.

Build the before side in a worktree of the old commit, e.g.
    git worktree add /tmp/before <commit> && cmake -S /tmp/before -B /tmp/before/build \\
        -G Ninja -DCMAKE_BUILD_TYPE=Release && cmake --build /tmp/before/build
"""
import csv
import io
import subprocess
import sys

before, after = sys.argv[1], sys.argv[2]
benches = (sys.argv[3] if len(sys.argv) > 3 else "bench_keys,bench_real").split(",")
pattern = sys.argv[4] if len(sys.argv) > 4 else "."
rounds = int(sys.argv[5]) if len(sys.argv) > 5 else 15

least = {}  # (program, benchmark, side) -> CPU time in the benchmark's unit
units = {}
for _ in range(rounds):
    for side, build in (("before", before), ("after", after)):
        for bench in benches:
            out = subprocess.run([f"{build}/bench/{bench}", f"--benchmark_filter={pattern}",
                                  "--benchmark_format=csv", "--benchmark_min_time=0.05"],
                                 capture_output=True, text=True, check=False).stdout
            table = "\n".join(line for line in out.splitlines() if line.startswith(("name,", '"')))
            for row in csv.DictReader(io.StringIO(table)):
                if not row.get("cpu_time"):
                    continue
                key = (bench, row["name"], side)
                least[key] = min(float(row["cpu_time"]), least.get(key, float("inf")))
                units[(bench, row["name"])] = row["time_unit"]

slower = 0
print(f"least CPU time of {rounds} rounds; before and after in each benchmark's unit")
for bench, name in sorted(units):
    old, new = least.get((bench, name, "before")), least.get((bench, name, "after"))
    if old is None or new is None or old <= 0:
        continue
    mark = "  slower" if new > old * 1.05 else ""
    slower += bool(mark)
    print(f"{bench:<18} {name:<44} {old:10.1f} {new:10.1f} {units[(bench, name)]:>3} {new / old:6.2f}x{mark}")
print(f"more than 5% slower: {slower}")
