#!/bin/bash
# Start-up time (process start to the window's first paint), resident
# memory and its private part (RssAnon) at that moment: vxc32 against a
# plain Qt window with about as many widgets (minimal_qt). Medians of RUNS
# runs each; the targets are 1.1x for the time and 1.15x for the private
# memory.
#
#   bench/startup.sh [--x11] [BUILD_DIR] [RUNS]
#
# Runs headless (QT_QPA_PLATFORM=offscreen) unless QT_QPA_PLATFORM is set;
# --x11 runs both on a virtual X server (Xvfb, through xvfb-run), where the
# window meets a real display: fonts rendered for it, a backing store, the
# server's visuals. The settings file goes to a temporary folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ "${1:-}" = "--x11" ]; then
  shift
  # shellcheck source=../scripts/setup.sh
  source "$root/scripts/setup.sh"
  vxc_install_packages xvfb xauth
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" env QT_QPA_PLATFORM=xcb "$0" "$@"
fi
build=${1:-$root/build-ui}
runs=${2:-21}

if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DVXC_BUILD_UI=ON >/dev/null
fi
cmake --build "$build" --target vxc32 minimal_qt -j2 >/dev/null
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
XDG_CONFIG_HOME=$(mktemp -d)
export XDG_CONFIG_HOME
trap 'rm -rf "$XDG_CONFIG_HOME"' EXIT

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One run: prints "<ms from process start to first paint> <resident kB> <private kB>".
run_once() {
  local start out shown kb anon
  start=${EPOCHREALTIME/[.,]/}  # microseconds, taken just before the process starts
  out=$("$1" --exit-when-shown 2>/dev/null)
  shown=$(sed -n 's/.*shown_ns=\([0-9]*\).*/\1/p' <<<"$out")
  kb=$(sed -n 's/.*rss_kb=\([0-9]*\).*/\1/p' <<<"$out")
  anon=$(sed -n 's/.*anon_kb=\([0-9]*\).*/\1/p' <<<"$out")
  [ -n "$shown" ] || { echo "startup.sh: $1 reported nothing" >&2; exit 1; }
  awk -v s="$shown" -v b="$start" -v k="$kb" -v a="$anon" 'BEGIN { printf "%.2f %d %d\n", (s / 1000 - b) / 1000, k, a }'
}

calc=$build/ui/vxc32
base=$build/bench/minimal_qt
run_once "$calc" >/dev/null  # warm the file cache
run_once "$base" >/dev/null
# The two programs take turns, so a busy moment of the machine hits both.
calc_runs=() base_runs=()
for ((i = 0; i < runs; i++)); do
  calc_runs+=("$(run_once "$calc")")
  base_runs+=("$(run_once "$base")")
done
calc_ms=$(printf '%s\n' "${calc_runs[@]}" | cut -d' ' -f1 | median)
calc_kb=$(printf '%s\n' "${calc_runs[@]}" | cut -d' ' -f2 | median)
calc_anon=$(printf '%s\n' "${calc_runs[@]}" | cut -d' ' -f3 | median)
base_anon=$(printf '%s\n' "${base_runs[@]}" | cut -d' ' -f3 | median)
base_ms=$(printf '%s\n' "${base_runs[@]}" | cut -d' ' -f1 | median)
base_kb=$(printf '%s\n' "${base_runs[@]}" | cut -d' ' -f2 | median)

awk -v cm="$calc_ms" -v ck="$calc_kb" -v ca="$calc_anon" -v bm="$base_ms" -v bk="$base_kb" -v ba="$base_anon" \
  -v runs="$runs" -v qpa="$QT_QPA_PLATFORM" 'BEGIN {
  tr = cm / bm; mr = ck / bk; ar = ca / ba
  printf "start-up to first paint and memory then, median of %d runs (QT_QPA_PLATFORM=%s)\n", runs, qpa
  printf "%-12s %12s %12s %12s\n", "program", "start-up ms", "RSS MiB", "private MiB"
  printf "%-12s %12.1f %12.1f %12.2f\n", "vxc32", cm, ck / 1024, ca / 1024
  printf "%-12s %12.1f %12.1f %12.2f\n", "minimal_qt", bm, bk / 1024, ba / 1024
  printf "%-12s %11.2fx %11.2fx %11.2fx   (targets 1.10x for the time, 1.15x for the private memory)\n", "ratio", tr, mr, ar
  exit (tr > 1.1 || ar > 1.15) ? 1 : 0
}'
