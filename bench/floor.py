"""CPU time of vxc32-keys beside the MPFR floor, per key: bench/peers.sh --floor.

    floor.py KEYS_BINARY FLOOR_BINARY ROUNDS WORK_DIR [COMPARISONS]

Each work is a script of one key line per result, long enough that its
second half costs the floor about 60 ms (a short script drowns in the
noise of starting a process). vxc32-keys and the floor (and, on the
functions bc -l has, bc -l) run it in turns, ROUNDS times, each run
followed by a run of its first half and one of an empty script. The CPU
time is the operating system's account of the finished process (user +
system), and the least of the rounds counts:
  per key   the whole script less its first half, per line of the second
            half: what a key costs once the process runs (start-up, the
            first pages of memory and code, the undo history filling up
            all fall in the first half);
  from start  the whole script less the empty one, per line.
The whole comparison is made COMPARISONS times (3), and a last table gives
the median of each figure.
"""
import os
import random
import shutil
import statistics
import subprocess
import sys

keys_bin, floor_bin, rounds, work = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4]
comparisons = int(sys.argv[5]) if len(sys.argv) > 5 else 3
HALF_MS, MAX_OPS, BC_OPS, BC_ROUNDS = 60, 60000, 200, 3
A = "3.1415926535897932384626433832795"
B = "0.99999999999999999999999999999987"

# The REAL function keys, and bc -l's form of those it has. The calculator
# works in degrees unless told otherwise, and so do the floor and bc here.
FUNCTIONS = [
    ("SIN", "s(&/180*p)"), ("LN", "l(&)"), ("EXP", "e(&)"), ("SQRT", "sqrt(&)"),
    ("COS", None), ("TAN", None), ("ASIN", None), ("ACOS", None), ("ATAN", None),
    ("LOG", None), ("TENX", None), ("SINH", None), ("COSH", None), ("TANH", None),
    ("ASINH", None), ("ACOSH", None), ("ATANH", None), ("XROOT", None),
]


def known(key):
    return subprocess.run([keys_bin, key], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0


def write(name, lines):
    path = os.path.join(work, name)
    with open(path, "w") as f:
        f.write("".join(line + "\n" for line in lines))
    return path


random.seed(27)
# 32-digit arguments in (0, 1), the same for every program; ACOSH's are in (1, 2).
args = ["0." + "".join(random.choice("0123456789") for _ in range(31)) + random.choice("123456789")
        for _ in range(MAX_OPS)]
ini = write("vxc.ini", ["[Memory]", "RM0=" + A, "RM1=" + B])


def cpu_ms(command, script):
    if command[-1].endswith(".run"):  # the chain starts from the same registers each time
        shutil.copyfile(ini, command[-1])
    with open(script, "rb") as stdin, open(os.path.join(work, "out"), "wb") as out:
        p = subprocess.Popen(command, stdin=stdin, stdout=out, stderr=subprocess.STDOUT)
        _, status, ru = os.wait4(p.pid, 0)
        p.returncode = status
    return (ru.ru_utime + ru.ru_stime) * 1000


def script(name, lines, head=()):
    """The script, its first half and the head alone (set-up lines that every run has)."""
    half = len(lines) // 2
    return (write(name, list(head) + lines), write(name + ".half", list(head) + lines[:half]),
            write(name + ".empty", list(head)))


def sized(name, floor_command, floor_line):
    """How many lines make the floor's second half last about HALF_MS."""
    probe = write(name + ".probe", [floor_line(i) for i in range(2000)])
    ms = min(cpu_ms(floor_command, probe) for _ in range(3))
    return max(2000, min(MAX_OPS, int(2000 * 2 * HALF_MS / max(ms, 1)) // 2 * 2))


works = []  # (name, ops, {program: (command, script, first half, empty script)})

floor_chain = [floor_bin, "CHAIN", A, B]
n = sized("chain", floor_chain, lambda i: "+" if i % 2 == 0 else "*")
ops = ["+" if i % 2 == 0 else "*" for i in range(n)]
works.append(("chain", n, {
    "vxc": ([keys_bin, "--settings", ini + ".run"],
            *script("chain.vxc", ["MEM=0 RCL +" if o == "+" else "MEM=1 RCL *" for o in ops])),
    "floor": (floor_chain, *script("chain.floor", ops)),
    "bc": (["bc", "-l"], *script("chain.bc", ["x=x+a;x" if o == "+" else "x=x*b;x" for o in ops],
                                 ["scale=32", "a=" + A, "b=" + B, "x=0"])),
}))
for key, bc in FUNCTIONS:
    if not known(key):
        continue
    every = ["1." + x[2:] for x in args] if key == "ACOSH" else args
    n = sized(key, [floor_bin, key], lambda i: every[i])
    a = every[:n]
    line = "PASTE=%s ENTER 3 XROOT" if key == "XROOT" else "PASTE=%s " + key
    progs = {
        "vxc": ([keys_bin], *script(key + ".vxc", [line % x for x in a])),
        "floor": ([floor_bin, key], *script(key + ".floor", a)),
    }
    if bc and shutil.which("bc"):
        progs["bc"] = (["bc", "-l"], *script(key + ".bc", [bc.replace("&", x) for x in a[:BC_OPS]],
                                             ["scale=32", "p=4*a(1)"]))
    works.append((key, n, progs))


def compare():
    """One comparison: {work: (per key vxc, floor, bc or None, from start vxc, floor)} in us."""
    least = {}
    for r in range(-1, rounds):  # round -1 warms the file cache and counts nothing
        for name, n, progs in works:
            for prog, (command, *scripts) in progs.items():
                if prog == "bc" and r >= BC_ROUNDS:
                    continue
                times = [cpu_ms(command, s) for s in scripts]  # whole, first half, empty
                if r >= 0:
                    least[(name, prog)] = [min(t) for t in zip(times, least.get((name, prog), times))]
    figures = {}
    for name, n, progs in works:
        key, start = {}, {}
        for prog in progs:
            whole, half, empty = least[(name, prog)]
            m = BC_OPS if prog == "bc" and name != "chain" else n
            key[prog] = max(whole - half, 0) * 1000 / (m - m // 2)
            start[prog] = max(whole - empty, 0) * 1000 / m
        figures[name] = (key["vxc"], key["floor"], key.get("bc"), start["vxc"], start["floor"])
    return figures


def ratio(a, b):
    return a / b if b > 0 else float("nan")


def show(title, figures, ratios=None):
    print(title)
    print(f"{'work':<7} {'lines':>6} {'VXC32':>8} {'floor':>8} {'ratio':>7} {'bc -l':>9}"
          f"   {'from start: VXC32':>17} {'floor':>8} {'ratio':>7}")
    for name, n, _ in works:
        vxc, floor, bc, vxc0, floor0 = figures[name]
        r, r0 = ratios[name] if ratios else (ratio(vxc, floor), ratio(vxc0, floor0))
        bc = "-" if bc is None else f"{bc:.1f}"
        print(f"{name:<7} {n:6d} {vxc:8.2f} {floor:8.2f} {r:6.2f}x {bc:>9}   "
              f"{vxc0:17.2f} {floor0:8.2f} {r0:6.2f}x")
    sys.stdout.flush()


runs = []
for c in range(comparisons):
    runs.append(compare())
    show(f"Comparison {c + 1} of {comparisons}: CPU time per key line (us), least of {rounds} rounds;"
         " per key: the second half of the script, from start: the whole script less an empty one", runs[-1])
if comparisons > 1:
    median, ratios = {}, {}
    for name, _, _ in works:
        columns = list(zip(*(r[name] for r in runs)))
        median[name] = tuple(None if None in c else statistics.median(c) for c in columns)
        ratios[name] = (statistics.median(ratio(r[name][0], r[name][1]) for r in runs),
                        statistics.median(ratio(r[name][3], r[name][4]) for r in runs))
    show(f"Median of the {comparisons} comparisons (each figure and each ratio)", median, ratios)
