#!/usr/bin/env bash
# vxc32-keys built with -DVXC_LIBEDIT=OFF (through ccache, in BUILD_DIR): it links no libedit, prints
# from a pipe what VXC32_KEYS prints, and on a terminal reads plain lines.
#   keys_plain_test.sh SOURCE_DIR BUILD_DIR VXC32_KEYS
set -u
fail() { echo "FAIL: $*" >&2; exit 1; }
cache=(); command -v ccache >/dev/null && cache=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
log=$(cmake -S "$1" -B "$2" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVXC_LIBEDIT=OFF -DVXC_BUILD_UI=OFF -DVXC_BUILD_TESTS=OFF \
  -DVXC_BUILD_BENCH=OFF "${cache[@]}" 2>&1 && cmake --build "$2" --target vxc32-keys 2>&1) || fail "the build failed: $log"
plain=$2/tools/vxc32-keys/vxc32-keys
ldd "$plain" | grep -q libedit && fail "the build without libedit links it"
input=$'7 ENTER 2 -\n# a comment\nBASE=HEX FF NOPE\n\x1b[A\nhelp\n1 +\n'
want=$(printf '%s' "$input" | "$3" --dump 2>&1) got=$(printf '%s' "$input" | "$plain" --dump 2>&1)
[ "$got" = "$want" ] || fail "from a pipe the output differs: $(diff <(echo "$want") <(echo "$got"))"
[[ $got == *"unknown key '\\x1b[A'"* ]] || fail "the unknown key is not shown escaped: $got"
session=$(printf '7 ENTER 2 -\n' | timeout 20 script -qec "'$plain'" /dev/null)
[[ $session == *"; Ctrl-D ends."* && $session != *"Tab completes"* && $session == *"> "* ]] || fail "not the plain reader: $session"
echo "the build without libedit passed"
