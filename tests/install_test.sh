#!/usr/bin/env bash
# Installs a build into a staging folder and checks what a desktop gets:
# the programs, the launcher entry, the metainfo, the icons and the manual
# page, and that the manual page lists what vxc32-keys really accepts (which
# also runs the installed program).
#
#   install_test.sh BUILD_DIR WINDOW_BUILT(0|1)
set -u

build=${1:?build folder}
window_built=${2:-0}
app_id=org.ostrano.VXC32
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
for tool in desktop-file-validate:desktop-file-utils appstreamcli:appstream groff:groff-base; do
  command -v "${tool%%:*}" >/dev/null || { echo "FAIL: ${tool%%:*} is missing (Debian package ${tool#*:})" >&2; exit 1; }
done

stage=$(mktemp -d "${TMPDIR:-/tmp}/vxc-install.XXXXXX")
trap 'rm -rf "$stage"' EXIT
log=$(cmake --install "$build" --prefix "$stage" 2>&1) || { echo "$log" >&2; echo "FAIL: cmake --install" >&2; exit 1; }
share=$stage/share keys=$stage/bin/vxc32-keys icons=$stage/share/icons/hicolor
desktop=$share/applications/$app_id.desktop metainfo=$share/metainfo/$app_id.metainfo.xml
manpage=$share/man/man1/vxc32-keys.1
for f in "$desktop" "$metainfo" "$manpage" "$icons/scalable/apps/$app_id.svg"; do [ -f "$f" ] || fail "$f not installed"; done
[ -x "$keys" ] || { fail "$keys not installed"; keys=false; }
if [ "$window_built" = 1 ]; then
  [ -x "$stage/bin/vxc32" ] && [ -f "$share/man/man1/vxc32.1" ] || fail "vxc32 or its manual page is not installed"
fi

# --- launcher entry (hints pass; warnings and errors do not) and metainfo
report=$(desktop-file-validate "$desktop" 2>&1) && ! grep -qE '(warning|error):' <<<"$report" ||
  fail "desktop-file-validate: $report"
grep -qx 'Exec=vxc32' "$desktop" && grep -qx "Icon=$app_id" "$desktop" || fail "the launcher's Exec or Icon is wrong"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate $metainfo"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
  fail "the metainfo does not name the installed launcher"

# --- bitmap icons: width and height from the PNG header
for size in 16 32 48 64 128 256; do
  png=$icons/${size}x${size}/apps/$app_id.png
  read -r width height < <(od -An -tu4 --endian=big -j16 -N8 "$png" 2>/dev/null)
  [ "${width:-0}x${height:-0}" = "${size}x${size}" ] || fail "$png is missing or not ${size}x${size}"
done

# --- manual page: renders without a warning, names only keys the tool takes, describes every --dump field
warnings=$(groff -man -Tutf8 -ww -z "$manpage" 2>&1)
[ -z "$warnings" ] || fail "groff warns about the manual page: $warnings"
# vxc32-keys reads every key before it presses any, and names one it does not know.
mapfile -t words < <(sed -n '/^\.SH KEYS/,/^\.SH /p' "$manpage" | awk '
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
[ "${#words[@]}" -ge 60 ] || fail "only ${#words[@]} key names found in the manual page"
rejected=$("$keys" "${words[@]}" 2>&1 </dev/null >/dev/null) || fail "the manual page names keys vxc32-keys rejects: $rejected"
rendered=$(groff -man -Tutf8 "$manpage" 2>/dev/null | sed 's/.\x08//g')
while IFS='=' read -r name _; do  # numbered registers by their first and last
  [[ $name =~ ^(real|int)Memory[1-8]$ ]] || grep -qF -- "$name=" <<<"$rendered" ||
    fail "--dump prints '$name=', which the manual page does not describe"
done < <("$keys" --dump CLX </dev/null)

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
echo "install checks passed (${#words[@]} key names of the manual page tried)"
