#!/usr/bin/env bash
# Installs a build into a staging folder and checks what a desktop gets:
# the programs, the launcher entry, the metainfo, the icons and the manual
# page, and that the manual page lists what vxc32-keys really accepts.
#
#   install_test.sh BUILD_DIR WINDOW_BUILT(0|1)
set -u

build=${1:?build folder}
window_built=${2:-0}
app_id=org.ostrano.VXC32

stage=$(mktemp -d "${TMPDIR:-/tmp}/vxc-install.XXXXXX")
trap 'rm -rf "$stage"' EXIT

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
need() {
  command -v "$1" >/dev/null 2>&1 || { echo "FAIL: $1 is missing (Debian package $2)" >&2; exit 1; }
}
need desktop-file-validate desktop-file-utils
need appstreamcli appstream
need groff groff-base

if ! cmake --install "$build" --prefix "$stage" >"$stage.log" 2>&1; then
  cat "$stage.log" >&2
  rm -f "$stage.log"
  echo "FAIL: cmake --install" >&2
  exit 1
fi
rm -f "$stage.log"

bin=$stage/bin
share=$stage/share

# --- programs
keys=$bin/vxc32-keys
if [ -x "$keys" ]; then
  out=$(echo "7 ENTER 2 -" | "$keys")
  [[ $out =~ X\ +5\.00 ]] || fail "vxc32-keys from standard input printed: $out"
  out=$("$keys" --dump 7 ENTER 2 -)
  grep -qx 'X=5.00' <<<"$out" || fail "vxc32-keys --dump did not give X=5.00"
else
  fail "$keys not installed"
fi
if [ "$window_built" = 1 ]; then
  [ -x "$bin/vxc32" ] || fail "$bin/vxc32 not installed"
else
  echo "note: the window is not built; vxc32 not checked"
fi

# --- launcher entry
desktop=$share/applications/$app_id.desktop
if [ -f "$desktop" ]; then
  # Hints pass; warnings and errors do not.
  report=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $report"
  grep -qE '(warning|error):' <<<"$report" && fail "desktop-file-validate: $report"
  grep -qx 'Exec=vxc32' "$desktop" || fail "the launcher does not start vxc32"
  grep -qx "Icon=$app_id" "$desktop" || fail "the launcher's icon is not $app_id"
else
  fail "$desktop not installed"
fi

# --- AppStream metainfo
metainfo=$share/metainfo/$app_id.metainfo.xml
if [ -f "$metainfo" ]; then
  appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate $metainfo"
  grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not name the installed launcher"
else
  fail "$metainfo not installed"
fi

# --- icons: the SVG and each bitmap at its size (width and height from the PNG header)
icons=$share/icons/hicolor
[ -f "$icons/scalable/apps/$app_id.svg" ] || fail "scalable icon not installed"
for size in 16 32 48 64 128 256; do
  png=$icons/${size}x${size}/apps/$app_id.png
  if [ ! -f "$png" ]; then
    fail "$png not installed"
    continue
  fi
  read -r w1 w2 w3 w4 h1 h2 h3 h4 < <(od -An -tu1 -j16 -N8 "$png")
  width=$(( (w1 << 24) | (w2 << 16) | (w3 << 8) | w4 ))
  height=$(( (h1 << 24) | (h2 << 16) | (h3 << 8) | h4 ))
  [ "$width" = "$size" ] && [ "$height" = "$size" ] || fail "$png is ${width}x${height}"
done

# --- manual page: renders without a warning
manpage=$share/man/man1/vxc32-keys.1
if [ -f "$manpage" ]; then
  warnings=$(groff -man -Tutf8 -ww -z "$manpage" 2>&1)
  [ -z "$warnings" ] || fail "groff warns about the manual page: $warnings"
  if command -v man >/dev/null 2>&1; then
    text=$(MANWIDTH=80 man -l "$manpage" 2>/dev/null)
    grep -q 'vxc32-keys' <<<"$text" || fail "man -l $manpage renders nothing"
  fi
else
  fail "$manpage not installed"
fi

# --- the manual page against the tool
if [ -f "$manpage" ] && [ -x "$keys" ]; then
  # Every key the KEYS section names is accepted.
  tried=0
  while read -r word; do
    tried=$((tried + 1))
    "$keys" "$word" </dev/null >/dev/null 2>&1 || fail "the manual page names key '$word', which vxc32-keys rejects"
  done < <(sed -n '/^\.SH KEYS/,/^\.SH /p' "$manpage" | awk '
      prev == ".TP" || prev == ".TQ" {
        line = $0; gsub(/\\-/, "-", line)
        n = split(line, w, " ")
        if (w[1] == ".B") { for (i = 2; i <= n; ++i) print w[i] }
        else if (w[1] == ".BR" && w[2] ~ /=$/) {
          for (i = 3; i <= n; ++i) if (w[i] !~ /^([{}|]|\.\.)$/) print w[2] w[i]
        }
        else if (w[1] == ".BR") {
          for (i = 2; i <= n; ++i) if (w[i] ~ /^([-+*\/]|[0-9A-F])$/) print w[i]
        }
      }
      { prev = $1 }')
  [ "$tried" -ge 60 ] || fail "only $tried key names found in the manual page"
  echo "$tried key names of the manual page tried on vxc32-keys"

  # Every field --dump prints is described (numbered registers by their first and last).
  rendered=$(groff -man -Tutf8 "$manpage" 2>/dev/null | sed 's/.\x08//g')
  while IFS='=' read -r name _; do
    case $name in
      realMemory[1-8] | intMemory[1-8]) continue ;;
    esac
    grep -qF -- "$name=" <<<"$rendered" || fail "--dump prints '$name=', which the manual page does not describe"
  done < <("$keys" --dump CLX </dev/null)
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "install checks passed"
