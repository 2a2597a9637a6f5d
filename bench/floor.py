"""CPU time of vxc32-keys beside the MPFR floor, per key: bench/peers.sh --floor.

    floor.py KEYS_BINARY FLOOR_BINARY ROUNDS WORK_DIR

Each work is a script of one key line per result. vxc32-keys and the floor
(and, on the issue's rows, bc -l) run it in turns, ROUNDS times, each run
followed by a run of its first half and one of an empty script. The CPU
time is the operating system's account of the finished process (user +
system), and the least of the rounds counts:
  per key   the whole script less its first half, per line of the second
            half: what a key costs once the process runs (start-up, the
            first pages of memory and code, the undo history filling up
            all fall in the first half);
  from start  the whole script less the empty one, per line.
"""
import os
import random
import shutil
import subprocess
import sys

keys_bin, floor_bin, rounds, work = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4]
FN_OPS, CHAIN_OPS, BC_OPS, BC_ROUNDS = 2000, 20000, 200, 3
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
        for _ in range(FN_OPS)]
ini = write("vxc.ini", ["[Memory]", "RM0=" + A, "RM1=" + B])

works = []  # (name, ops, {program: (command, script, first half, empty script)})


def script(name, lines, head=()):
    """The script, its first half and the head alone (set-up lines that every run has)."""
    half = len(lines) // 2
    return (write(name, list(head) + lines), write(name + ".half", list(head) + lines[:half]),
            write(name + ".empty", list(head)))


ops = ["+" if i % 2 == 0 else "*" for i in range(CHAIN_OPS)]
works.append(("chain", CHAIN_OPS, {
    "vxc": ([keys_bin, "--settings", ini + ".run"],
            *script("chain.vxc", ["MEM=0 RCL +" if o == "+" else "MEM=1 RCL *" for o in ops])),
    "floor": ([floor_bin, "CHAIN", A, B], *script("chain.floor", ops)),
    "bc": (["bc", "-l"], *script("chain.bc", ["x=x+a;x" if o == "+" else "x=x*b;x" for o in ops],
                                 ["scale=32", "a=" + A, "b=" + B, "x=0"])),
}))
for key, bc in FUNCTIONS:
    if not known(key):
        continue
    a = ["1." + x[2:] for x in args] if key == "ACOSH" else args
    line = "PASTE=%s ENTER 3 XROOT" if key == "XROOT" else "PASTE=%s " + key
    progs = {
        "vxc": ([keys_bin], *script(key + ".vxc", [line % x for x in a])),
        "floor": ([floor_bin, key], *script(key + ".floor", a)),
    }
    if bc and shutil.which("bc"):
        progs["bc"] = (["bc", "-l"], *script(key + ".bc", [bc.replace("&", x) for x in a[:BC_OPS]],
                                             ["scale=32", "p=4*a(1)"]))
    works.append((key, FN_OPS, progs))


def cpu_ms(command, script):
    if command[-1].endswith(".run"):  # the chain starts from the same registers each time
        shutil.copyfile(ini, command[-1])
    with open(script, "rb") as stdin, open(os.path.join(work, "out"), "wb") as out:
        p = subprocess.Popen(command, stdin=stdin, stdout=out, stderr=subprocess.STDOUT)
        _, status, ru = os.wait4(p.pid, 0)
        p.returncode = status
    return (ru.ru_utime + ru.ru_stime) * 1000


least = {}
for r in range(-1, rounds):  # round -1 warms the file cache and counts nothing
    for name, n, progs in works:
        for prog, (command, *scripts) in progs.items():
            if prog == "bc" and r >= BC_ROUNDS:
                continue
            times = [cpu_ms(command, s) for s in scripts]  # whole, first half, empty
            if r >= 0:
                least[(name, prog)] = [min(t) for t in zip(times, least.get((name, prog), times))]

print(f"CPU time per key line (us), least of {rounds} rounds; per key: the second half of the script,")
print("from start: the whole script less an empty one")
print(f"{'work':<7} {'VXC32':>8} {'floor':>8} {'ratio':>7} {'bc -l':>9}   {'from start: VXC32':>17} {'floor':>8} {'ratio':>7}")
for name, n, progs in works:
    key, start = {}, {}
    for prog in progs:
        whole, half, empty = least[(name, prog)]
        m = BC_OPS if prog == "bc" and name != "chain" else n
        key[prog] = max(whole - half, 0) * 1000 / (m - m // 2)
        start[prog] = max(whole - empty, 0) * 1000 / m
    ratio = key["vxc"] / key["floor"] if key["floor"] > 0 else float("nan")
    ratio0 = start["vxc"] / start["floor"] if start["floor"] > 0 else float("nan")
    bc = f"{key['bc']:.1f}" if "bc" in key else "-"
    print(f"{name:<7} {key['vxc']:8.2f} {key['floor']:8.2f} {ratio:6.2f}x {bc:>9}   "
          f"{start['vxc']:17.2f} {start['floor']:8.2f} {ratio0:6.2f}x")
