#!/usr/bin/env bash
# Packs the build with CPack (as scripts/package does) and checks the .deb:
# Depends (from dpkg-shlibdeps) names the MPFR, GMP, libedit and Qt 6 libraries and the
# Qt platform plugins, Recommends the Tahoma font, and what it installs lies
# under /usr.
#
#   package_test.sh BUILD_DIR WINDOW_BUILT(0|1) LIBEDIT_BUILT(0|1)
set -u

build=${1:?build folder}
window_built=${2:-0}
libedit_built=${3:-1}
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
for tool in cpack dpkg-deb dpkg-shlibdeps file; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/setup.sh installs it)" >&2; exit 1; }
done

out=$(mktemp -d "${TMPDIR:-/tmp}/vxc-package.XXXXXX")
trap 'rm -rf "$out"' EXIT
log=$(cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" 2>&1)
deb=$(ls "$out"/*.deb 2>/dev/null | head -1)
[ -f "$deb" ] || { echo "$log" >&2; echo "FAIL: cpack made no .deb" >&2; exit 1; }

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = vxc32 ] || fail "Package is '$(field Package)'"
needed=(libmpfr6 libgmp10 libstdc++6)
[ "$libedit_built" = 1 ] && needed+=(libedit2)
[ "$window_built" = 1 ] && needed+=(libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins)
depends=$(field Depends)
for lib in "${needed[@]}"; do
  tr ',' '\n' <<<"$depends" | sed 's/ *(.*//; s/^ *//' | grep -qxF "$lib" || fail "Depends does not name $lib: $depends"
done
grep -qw fonts-wine <<<"$(field Recommends)" || fail "Recommends does not name fonts-wine"

files=$(dpkg-deb -c "$deb" | awk '{print $6}')
want=(bin/vxc32-keys share/man/man1/vxc32-keys.1 share/applications/org.ostrano.VXC32.desktop
      share/metainfo/org.ostrano.VXC32.metainfo.xml share/icons/hicolor/scalable/apps/org.ostrano.VXC32.svg)
[ "$window_built" = 1 ] && want+=(bin/vxc32 share/man/man1/vxc32.1)
for f in "${want[@]}"; do grep -qxF "./usr/$f" <<<"$files" || fail "the package lacks /usr/$f"; done
grep -q '^\./usr/local' <<<"$files" && fail "the package installs under /usr/local"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
echo "package checks passed: $(basename "$deb"); Depends: $depends"
