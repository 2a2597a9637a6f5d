#!/usr/bin/env bash
# The command lines of both programs: --help, -h, --version, unknown options
# and the exit statuses, vxc32-keys --strict, a failed save, the interactive
# session's hint and key list, output buffering, vxc32 --keymap. vxc32 is run
# without any display.
#
#   cli_test.sh VERSION VXC32_KEYS [VXC32]
set -u

version=${1:?version} keys=${2:?vxc32-keys} window=${3:-}
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
work=$(mktemp -d "${TMPDIR:-/tmp}/vxc-cli.XXXXXX")
trap 'rm -rf "$work"' EXIT

# run PROGRAM ARGS...: sets rc, out, err; standard input is $input (empty unless set)
run() {
  printf '%b' "${input:-}" | "$@" >"$work/out" 2>"$work/err"
  rc=$? out=$(<"$work/out") err=$(<"$work/err")
}
matches() { if [ -z "$2" ]; then [ -z "$1" ]; else [[ $1 =~ $2 ]]; fi; }
expect() {  # expect WHAT RC STDOUT-PATTERN STDERR-PATTERN ("" for empty)
  [ "$rc" = "$2" ] || fail "$1: exit status $rc, expected $2"
  matches "$out" "$3" || fail "$1: standard output does not match '$3': $out"
  matches "$err" "$4" || fail "$1: standard error does not match '$4': $err"
}

check_options() {  # check_options NAME PROGRAM...
  local name=$1; shift
  for help in --help -h; do run "$@" "$help"; expect "$name $help" 0 "^usage: $name " ""; done
  run "$@" --version; expect "$name --version" 0 "^$name $version\$" ""
  for bad in --bogus -x --HELP; do
    run "$@" "$bad"; expect "$name $bad" 2 "" "unknown option '$bad'.*usage: $name "
  done
}

# --- vxc32-keys
check_options vxc32-keys "$keys"
run "$keys" --settings; expect "--settings without a file" 2 "" "usage:"
run "$keys" 1 ENTER 0 /; expect "an error shown, not strict" 0 "Devide by zero !" ""
run "$keys" --strict 1 ENTER 0 /; expect "--strict, an error shown" 1 "Devide by zero !" ""
run "$keys" --strict 1 ENTER 0 / CLX; expect "--strict, error cleared" 0 "X +1\.00" ""
run "$keys" 1 ENTER 2 / --strict; expect "--strict after the keys" 0 "X +0\.50" ""
# Unknown keys (no such token, MEM past 9, no such choice, a near name, a letter past F) stop before any key.
for bad in BOGUS MEM=10 BASE=DUO RANGE= UNDOX G; do
  run "$keys" --strict 5 ENTER "$bad"; expect "--strict, unknown key $bad" 2 "" "unknown key '$bad'"
done
input='1 ENTER 0 /\n' run "$keys" --strict; expect "--strict, standard input ending on an error" 1 "Devide" ""
input='1 ENTER 0 /\nCLX\n' run "$keys" --strict; expect "--strict, standard input ending without an error" 0 "X +1" ""

# Failures end with status 1: output that cannot be written, input that cannot be read, an unknown key.
for args in 1 "--strict 1" --help --version; do
  "$keys" $args >/dev/full 2>"$work/err"; rc=$?
  [ "$rc" = 1 ] && grep -q "cannot write" "$work/err" || fail "vxc32-keys $args >/dev/full: exit status $rc"
done
"$keys" --strict <"$work" >/dev/null 2>"$work/err"; rc=$?
[ "$rc" = 1 ] && grep -q "cannot read" "$work/err" || fail "vxc32-keys reading a folder: exit status $rc"
input='1 BOGUS\n2\n' run "$keys" --strict; expect "--strict, an unknown key on standard input" 1 "X +2" "unknown key 'BOGUS'"

# A save that fails (a regular file where the folder should be) says why.
echo x >"$work/plain"
run "$keys" --settings "$work/plain/VXC.INI" 7
expect "failed save" 0 "X +7" "settings not saved: .*plain/VXC\.INI: Not a directory"
run "$keys" --strict --settings "$work/plain/VXC.INI" 7; expect "failed save, --strict" 1 "X +7" "settings not saved"
run "$keys" --strict --settings "$work/ok.ini" 7; expect "saved, --strict" 0 "X +7" ""
grep -q '^BASE=0' "$work/ok.ini" || fail "the save with --strict wrote no file"

# The tape file: kept from run to run; a failed save is told like the settings'.
run "$keys" --tape "$work/tape/tape.txt" 7 ENTER 2 -; expect "tape saved" 0 "X +5" ""
run "$keys" --dump --tape "$work/tape/tape.txt" 1 +; expect "tape read again" 0 "tape.lines=5" ""
[ "$(cat "$work/tape/tape.txt")" = $'7.00 ENTER\n2.00 -\n5.00 ***\n1.00 +\n1.00 ***' ] || fail "tape file: $(cat "$work/tape/tape.txt")"
run "$keys" --strict --tape "$work/plain/tape.txt" 7 ENTER; expect "failed tape save, --strict" 1 "X +7" "tape not saved: .*Not a directory"

# The interactive session: a hint, and `help` or `?` lists the key names.
command -v script >/dev/null || fail "script (Debian package bsdutils) is missing"
for ask in help '?'; do
  session=$(printf '%s\n1 ENTER 0 /\n' "$ask" | timeout 20 script -qec "'$keys' --strict" /dev/null); rc=$?
  [ "$rc" = 1 ] || fail "interactive --strict ending on an error: exit status $rc"
  [[ $session == *"'help' lists the key names"* ]] || fail "interactive: no hint: $session"
  [[ $session == *'ENTER CLX'* && $session == *'BASE=REAL|DEC|HEX|OCT|BIN'* ]] ||
    fail "interactive '$ask' did not list the key names: $session"
done
input='help\n' run "$keys"
[[ $out$err == *'lists the key names'* ]] && fail "a script's standard input got the interactive hint"

# --- vxc32-keys output: buffered into a pipe or a file and written at the end (nothing while standard
# input stays open), but each line at once on a terminal (script(1) gives the program one).
{ echo "1 ENTER"; sleep 0.5; wc -c <"$work/out" >"$work/while_open"; echo "2 +"; } | "$keys" >"$work/out"
[ "$(cat "$work/while_open")" = 0 ] || fail "output written before the end: $(cat "$work/while_open") bytes"
[ "$(grep -c '^X ' "$work/out")" = 2 ] && grep -q "^X  *3.00$" "$work/out" ||
  fail "expected two displays, the last X 3.00: $(cat "$work/out")"
{
  echo "4 ENTER"
  for _ in $(seq 100); do grep -q "4.00" "$work/tty" 2>/dev/null && break; sleep 0.1; done
  grep -q "4.00" "$work/tty" || echo "not shown" >"$work/tty_late"
  echo "5 +"
} | script -qfc "$keys" /dev/null >"$work/tty"
[ -e "$work/tty_late" ] && fail "a terminal did not see the line before the next read"
grep -q "9.00" "$work/tty" || fail "the terminal missed the last display"

# --- vxc32: no display at all for the options, nor for --keymap (its SHORTCUT<tab>KEY lines: keymap_test
# checks each against the map, command_names_test that vxc32-keys reads every KEY).
if [ -n "$window" ]; then
  headless=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 20 "$window")
  check_options vxc32 "${headless[@]}"
  run "${headless[@]}"; expect "vxc32 without a display" 1 "" "^vxc32: no display[^"$'\n'"]*vxc32-keys[^"$'\n'"]*$"
  for args in --keymap --help; do
    "${headless[@]}" $args >/dev/full 2>/dev/null; rc=$?; [ "$rc" = 1 ] || fail "vxc32 $args >/dev/full: exit status $rc"
  done
  run "${headless[@]}" --keymap; expect "vxc32 --keymap" 0 $'(^|\n)Ctrl\\+Shift\\+Z\tREDO(\n|$)' ""
  [ "$(wc -l <<<"$out")" -ge 100 ] || fail "vxc32 --keymap: only $(wc -l <<<"$out") lines"
fi

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
echo "command-line checks passed"
