#!/usr/bin/env bash
# The command lines of both programs: --help, -h, --version, unknown options
# and the exit statuses, vxc32-keys --strict, a failed save, the interactive
# session's hint and key list. vxc32 is run without any display.
#
#   cli_test.sh VERSION VXC32_KEYS [VXC32]
set -u

version=${1:?version} keys=${2:?vxc32-keys} window=${3:-}
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
work=$(mktemp -d "${TMPDIR:-/tmp}/vxc-cli.XXXXXX")
trap 'rm -rf "$work"' EXIT

# run PROGRAM ARGS...: sets rc, out, err (standard input empty)
run() {
  "$@" </dev/null >"$work/out" 2>"$work/err"
  rc=$?
  out=$(cat "$work/out") err=$(cat "$work/err")
}
expect() {  # expect WHAT RC STDOUT-PATTERN STDERR-PATTERN ("" for empty)
  local what=$1 want_rc=$2 out_re=$3 err_re=$4
  [ "$rc" = "$want_rc" ] || fail "$what: exit status $rc, expected $want_rc"
  if [ -z "$out_re" ]; then [ -z "$out" ] || fail "$what: unexpected standard output: $out"
  else [[ $out =~ $out_re ]] || fail "$what: standard output does not match '$out_re': $out"; fi
  if [ -z "$err_re" ]; then [ -z "$err" ] || fail "$what: unexpected standard error: $err"
  else [[ $err =~ $err_re ]] || fail "$what: standard error does not match '$err_re': $err"; fi
}

check_options() {  # check_options NAME PROGRAM...
  local name=$1; shift
  for help in --help -h; do
    run "$@" "$help"; expect "$name $help" 0 "^usage: $name " ""
  done
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
run "$keys" --strict 5 ENTER BOGUS; expect "--strict, unknown key: stops before any key" 2 "" "unknown key 'BOGUS'"
printf '1 ENTER 0 /\n' | "$keys" --strict >/dev/null 2>&1; rc=$?
[ "$rc" = 1 ] || fail "--strict from standard input ending on an error: exit status $rc"
printf '1 ENTER 0 /\nCLX\n' | "$keys" --strict >/dev/null 2>&1; rc=$?
[ "$rc" = 0 ] || fail "--strict from standard input ending without an error: exit status $rc"

# A save that fails (a regular file where the folder should be) says why.
echo x >"$work/plain"
run "$keys" --settings "$work/plain/VXC.INI" 7
expect "failed save" 0 "X +7" "settings not saved: .*plain/VXC\.INI: Not a directory"
run "$keys" --strict --settings "$work/plain/VXC.INI" 7
expect "failed save, --strict" 1 "X +7" "settings not saved"
run "$keys" --strict --settings "$work/ok.ini" 7; expect "saved, --strict" 0 "X +7" ""
grep -q '^BASE=0' "$work/ok.ini" || fail "the save with --strict wrote no file"

# The interactive session: a hint, and `help` or `?` lists the key names.
if command -v script >/dev/null; then
  for ask in help '?'; do
    session=$(printf '%s\n1 ENTER 0 /\n' "$ask" | timeout 20 script -qec "'$keys' --strict" /dev/null); rc=$?
    [ "$rc" = 1 ] || fail "interactive --strict ending on an error: exit status $rc"
    grep -q "'help' lists the key names" <<<"$session" || fail "interactive: no hint: $session"
    grep -q 'ENTER CLX' <<<"$session" && grep -q 'BASE=REAL|DEC|HEX|OCT|BIN' <<<"$session" ||
      fail "interactive '$ask' did not list the key names: $session"
  done
  grep -q 'lists the key names' <<<"$(printf 'help\n' | "$keys" 2>&1)" &&
    fail "a script's standard input got the interactive hint"
else
  fail "script (Debian package bsdutils) is missing"
fi

# --- vxc32: no display at all for the options
if [ -n "$window" ]; then
  check_options vxc32 env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$window"
fi

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
echo "command-line checks passed"
