#!/usr/bin/env bash
# vxc32-keys buffers what it prints into a pipe or a file and writes it all
# at the end, but shows each line at once on a terminal.
#
#   output_buffer_test.sh VXC32_KEYS
set -u
keys=${1:?vxc32-keys binary}
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
work=$(mktemp -d "${TMPDIR:-/tmp}/vxc-buffer.XXXXXX")
trap 'rm -rf "$work"' EXIT

# Into a file: nothing is written while standard input stays open, all of
# it once input ends.
{
  echo "1 ENTER"
  sleep 0.5
  wc -c <"$work/out" >"$work/while_open"
  echo "2 +"
} | "$keys" >"$work/out"
[ "$(cat "$work/while_open")" = 0 ] || fail "output written before the end: $(cat "$work/while_open") bytes"
grep -q "^X  *3.00$" "$work/out" || fail "the last display is missing: $(cat "$work/out")"
[ "$(grep -c '^X ' "$work/out")" = 2 ] || fail "expected two displays"

# Keys on the command line: written on exit.
out=$("$keys" 7 ENTER 2 -)
grep -q "^X  *5.00$" <<<"$out" || fail "keys as arguments print nothing: $out"

# On a terminal each line shows before the next one is read (script(1)
# gives the program a terminal).
if command -v script >/dev/null; then
  {
    echo "4 ENTER"
    for _ in $(seq 100); do
      grep -q "4.00" "$work/tty" 2>/dev/null && break
      sleep 0.1
    done
    grep -q "4.00" "$work/tty" || echo "not shown" >"$work/tty_late"
    echo "5 +"
  } | script -qfc "$keys" /dev/null >"$work/tty"
  [ -e "$work/tty_late" ] && fail "a terminal did not see the line before the next read"
  grep -q "9.00" "$work/tty" || fail "the terminal missed the last display"
fi

[ "$failures" = 0 ] && echo "output buffering: all checks passed"
exit $((failures > 0))
