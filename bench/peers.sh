#!/bin/bash
# Whole-process speed of vxc32-keys beside bc, dc and (when installed) qalc,
# on the same work fed to each as a script on standard input, the result
# printed after every line:
#   chain   4,000 chained + and x from memory registers ("MEM=0 RCL +" and
#           "MEM=1 RCL *" a line), 32-digit operands (not qalc: see below);
#   sin ln exp sqrt
#           500 arguments of 32 digits, one function a line ("PASTE=... SIN").
# The programs take turns, run after run, so a busy moment hits them all.
# Times are CPU seconds (user + system) of the whole process: qalc sleeps
# about 20 ms after each line, so its wall time says nothing about its
# arithmetic, and it runs at most 3 times, on the functions only. "per
# op" is the median run less the median run of an empty script (the
# start-up), divided by the number of operations; the ratio is vxc32-keys
# over the peer.
#
#   bench/peers.sh [--qalc] [BUILD_DIR] [RUNS]
#   bench/peers.sh --floor [BUILD_DIR] [ROUNDS] [COMPARISONS]
#
# --floor compares vxc32-keys with the MPFR floor (bench/mpfr_floor.c: the
# same MPFR function on the same arguments, 76 digits printed) on every
# REAL function key vxc32-keys knows and on the chain x = (x + a) * b, the
# two taking turns for ROUNDS rounds (9); the least CPU time of each counts.
# Per key: the whole script less its first half; from start: less an empty
# script (see bench/floor.py). bc -l adds a column where it has the
# function (fewer arguments, 3 rounds). The comparison is made COMPARISONS
# times (3), and a last table gives the medians.
#
# bc and dc are installed when missing; --qalc installs qalc as well.
# VXC_KEYS names another vxc32-keys binary to time (for before/after).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
mode=peers
with_qalc=0
case "${1:-}" in
  --qalc) with_qalc=1; shift ;;
  --floor) mode=floor; shift ;;
esac
build=${1:-$root/build}
runs=${2:-$([ $mode = floor ] && echo 9 || echo 7)}
comparisons=${3:-3}

# shellcheck source=../scripts/setup.sh
source "$root/scripts/setup.sh"
vxc_install_packages bc dc
[ "$with_qalc" = 1 ] && vxc_install_packages qalc
keys=${VXC_KEYS:-}
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
if [ -z "$keys" ]; then
  cmake --build "$build" --target vxc32-keys >/dev/null
  keys=$build/tools/vxc32-keys/vxc32-keys
fi
have_qalc=0
command -v qalc >/dev/null && have_qalc=1

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config  # qalc keeps its settings there
mkdir -p "$XDG_CONFIG_HOME"

if [ $mode = floor ]; then
  cmake --build "$build" --target mpfr_floor >/dev/null
  python3 "$root/bench/floor.py" "$keys" "$build/bench/mpfr_floor" "$runs" "$work" "$comparisons"
  exit
fi

# ---- the scripts -------------------------------------------------------
chain_ops=4000
a=3.1415926535897932384626433832795
b=0.99999999999999999999999999999987
printf '[Memory]\nRM0=%s\nRM1=%s\n' "$a" "$b" >"$work/vxc.ini"
awk -v n="$chain_ops" -v a="$a" -v b="$b" -v dir="$work" 'BEGIN {
  print "scale=32\na=" a "\nb=" b "\nx=0" > (dir "/chain.bc")
  print "32k " a " sa " b " sb 0" > (dir "/chain.dc")
  for (i = 0; i < n; i++) {
    add = i % 2 == 0
    print (add ? "MEM=0 RCL +" : "MEM=1 RCL *") > (dir "/chain.vxc")
    print (add ? "x=x+a;x" : "x=x*b;x") > (dir "/chain.bc")
    print (add ? "la+p" : "lb*p") > (dir "/chain.dc")
  }
}'

fn_ops=500
# 32-digit arguments in (0, 1), the same ones for every program.
awk -v n="$fn_ops" 'BEGIN {
  srand(16)
  for (i = 0; i < n; i++) {
    s = "0."
    for (d = 0; d < 31; d++) s = s int(rand() * 10)
    print s (1 + int(rand() * 9))
  }
}' >"$work/args"
fn_names=(sin ln exp sqrt)
vxc_keys=(SIN LN EXP SQRT)
bc_names=(s l e sqrt)
for i in "${!fn_names[@]}"; do
  f=${fn_names[$i]}
  { echo "ANGLE=RAD"; sed "s/.*/PASTE=& ${vxc_keys[$i]}/" "$work/args"; } >"$work/$f.vxc"
  { echo "scale=32"; sed "s/.*/${bc_names[$i]}(&)/" "$work/args"; } >"$work/$f.bc"
  sed "s/.*/${f}(&)/" "$work/args" >"$work/$f.qalc"
done
{ echo "32k"; sed 's/.*/& v p/' "$work/args"; } >"$work/sqrt.dc"
: >"$work/empty"

# ---- the programs --------------------------------------------------------
# Each takes its script on standard input; output goes to a file, as into
# any pipe.
# Runs every (workload, program) pair in turn, RUNS times, with its script
# and with an empty script, and prints "workload program net whole start"
# (microseconds per op, start-up milliseconds), from the rusage of each
# finished process.
measure() {
  python3 - "$runs" "$@" <<'PY'
import os, resource, statistics, subprocess, sys
runs = int(sys.argv[1])
jobs = [a.split(":", 3) for a in sys.argv[2:]]  # workload:ops:program:script
commands = {
    "vxc": [os.environ["VXC_BIN"], "--settings", os.environ["VXC_INI"]],
    "bc": ["bc", "-l"],
    "dc": ["dc"],
    "qalc": ["qalc", "-defaults", "-t", "-set", "precision 32", "-set", "color 0"],
}
def cpu_ms(prog, script):
    with open(script, "rb") as stdin, open(os.environ["OUT"], "wb") as out:
        p = subprocess.Popen(commands[prog], stdin=stdin, stdout=out, stderr=subprocess.STDOUT)
        _, status, ru = os.wait4(p.pid, 0)
        p.returncode = status  # reaped here, with its resource use
    return (ru.ru_utime + ru.ru_stime) * 1000
whole, start = {}, {}
for w, n, prog, script in jobs:
    cpu_ms(prog, script)  # warms the file cache
for r in range(runs):
    for w, n, prog, script in jobs:
        if prog == "qalc" and r >= 3:
            continue
        whole.setdefault((w, prog), []).append(cpu_ms(prog, script))
        start.setdefault((w, prog), []).append(cpu_ms(prog, os.environ["EMPTY"]))
for w, n, prog, script in jobs:
    a, s = statistics.median(whole[(w, prog)]), statistics.median(start[(w, prog)])
    print(w, prog, f"{max(a - s, 0) * 1000 / int(n):.2f}", f"{a * 1000 / int(n):.2f}", f"{s:.1f}")
PY
}

export OUT=$work/out EMPTY=$work/empty
export VXC_BIN=$keys VXC_INI=$work/vxc.ini
jobs=("chain:$chain_ops:vxc:$work/chain.vxc" "chain:$chain_ops:bc:$work/chain.bc" "chain:$chain_ops:dc:$work/chain.dc")
for f in "${fn_names[@]}"; do
  jobs+=("$f:$fn_ops:vxc:$work/$f.vxc" "$f:$fn_ops:bc:$work/$f.bc")
  [ "$f" = sqrt ] && jobs+=("$f:$fn_ops:dc:$work/sqrt.dc")
  [ $have_qalc = 1 ] && jobs+=("$f:$fn_ops:qalc:$work/$f.qalc")
done
declare -A result
while read -r name prog net whole start; do
  result[$name:$prog]="$net $whole $start"
done < <(measure "${jobs[@]}")

# ---- the table -----------------------------------------------------------
echo "whole-process CPU time per operation, median of $runs runs (us/op; start-up subtracted)"
printf '%-6s %-10s %12s %12s %12s %10s\n' work program "us/op" "whole us/op" "start-up ms" "vxc/peer"
for name in chain "${fn_names[@]}"; do
  for prog in vxc bc dc qalc; do
    [ -n "${result[$name:$prog]:-}" ] || continue
    read -r net whole start <<<"${result[$name:$prog]}"
    ratio=""
    if [ "$prog" != vxc ]; then
      ratio=$(awk -v v="${result[$name:vxc]%% *}" -v p="$net" 'BEGIN { if (p > 0) printf "%.3f", v / p; else print "-" }')
    fi
    label=$prog
    [ "$prog" = vxc ] && label=vxc32-keys
    printf '%-6s %-10s %12s %12s %12s %10s\n' "$name" "$label" "$net" "$whole" "$start" "$ratio"
  done
done
[ $have_qalc = 1 ] || echo "(qalc is not installed: bench/peers.sh --qalc installs it)"
