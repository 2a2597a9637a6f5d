#!/bin/bash
# vxc32 --keymap: runs with no display and no Qt platform named, exits 0,
# prints "SHORTCUT<tab>KEY" lines, and vxc32-keys takes every KEY.
#   keymap_cli_test.sh VXC32 VXC32_KEYS
set -u
vxc32=$1 keys=$2
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 20 "$vxc32" --keymap 2>/tmp/keymap_err.$$); rc=$?
err=$(cat /tmp/keymap_err.$$); rm -f /tmp/keymap_err.$$
[ "$rc" = 0 ] || fail "vxc32 --keymap exit status $rc: $err"
[ -z "$err" ] || fail "vxc32 --keymap wrote to standard error: $err"
[ "$(wc -l <<<"$out")" -ge 100 ] || fail "only $(wc -l <<<"$out") lines"
bad=$(awk -F'\t' 'NF != 2 || $1 == "" || $2 == "" || $2 ~ / /' <<<"$out")
[ -z "$bad" ] || fail "lines not SHORTCUT<tab>KEY: $bad"
for want in $'Ctrl+Z\tUNDO' $'Ctrl+Y\tREDO' $'Ctrl+Shift+Z\tREDO' $'Ctrl+Shift+C\tCOPYFULL' $'F1\tKEYS' \
            $'S\tSIN' $'F5\tBASE=HEX' $'Alt+3\tMEM=3' $'Home\tCLX'; do
  grep -qxF "$want" <<<"$out" || fail "no line '${want/$'\t'/<tab>}'"
done
mapfile -t tokens < <(cut -f2 <<<"$out" | sort -u)
"$keys" "${tokens[@]}" >/dev/null || fail "vxc32-keys refused a key of the map"

[ "$failures" = 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "keymap: ${#tokens[@]} keys, all taken by vxc32-keys"
