#!/usr/bin/env bash
# vxc32-keys built with -DVXC_LIBEDIT=OFF: it links no libedit, prints what
# the normal build prints from a pipe, and on a terminal reads plain lines.
#
#   keys_plain_test.sh SOURCE_DIR BUILD_DIR VXC32_KEYS
set -u
source_dir=${1:?source} build=${2:?build folder} keys=${3:?vxc32-keys}
fail() { echo "FAIL: $*" >&2; exit 1; }
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
log=$(cmake -S "$source_dir" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVXC_LIBEDIT=OFF -DVXC_BUILD_UI=OFF \
  -DVXC_BUILD_TESTS=OFF -DVXC_BUILD_BENCH=OFF "${launcher[@]}" 2>&1 && cmake --build "$build" --target vxc32-keys 2>&1) ||
  { echo "$log" >&2; fail "the build without libedit failed"; }
plain=$build/tools/vxc32-keys/vxc32-keys
ldd "$plain" | grep -q libedit && fail "the build without libedit links it"

input=$'7 ENTER 2 -\n# a comment\nBASE=HEX FF NOPE\n\x1b[A\nhelp\n1 +\n'
want=$(printf '%s' "$input" | "$keys" --dump 2>&1)
got=$(printf '%s' "$input" | "$plain" --dump 2>&1)
[ "$got" = "$want" ] || fail "from a pipe the output differs: $(diff <(echo "$want") <(echo "$got"))"
[[ $got == *"unknown key '\\x1b[A'"* ]] || fail "the unknown key is not shown escaped: $got"

session=$(printf '7 ENTER 2 -\n' | timeout 20 script -qec "'$plain'" /dev/null)
[[ $session == *"Ctrl-D ends."* && $session != *"Tab completes"* && $session == *"> "* ]] ||
  fail "on a terminal: not the plain reader's hint and prompt: $session"
echo "the build without libedit passed"
