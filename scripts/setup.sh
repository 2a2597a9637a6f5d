# Shared set-up of scripts/run and scripts/test: installs the Debian packages
# a fresh machine lacks, then configures and builds in build/.
# Sourced, not run: it sets ROOT and BUILD.

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${VXC_BUILD_DIR:-$ROOT/build}"

VXC_PACKAGES=(
  g++ cmake ninja-build pkg-config
  libmpfr-dev libgmp-dev libedit-dev
  libgtest-dev libbenchmark-dev
  qt6-base-dev libgl-dev
  fonts-dejavu-core fonts-wqy-zenhei fonts-wine
  desktop-file-utils appstream groff-base librsvg2-bin
  dpkg-dev file ccache
  xvfb xauth
)

vxc_missing_packages() {
  local pkg
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}\n' "$pkg" 2>/dev/null | grep -q '^install ok installed$' || echo "$pkg"
  done
}

vxc_install_packages() {
  local missing
  missing=$(vxc_missing_packages "$@")
  [ -z "$missing" ] && return 0
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  echo "Installing: $(echo $missing | tr '\n' ' ')"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  # shellcheck disable=SC2086
  $sudo apt-get install -y -qq --no-install-recommends $missing
}

vxc_build() {
  local jobs
  jobs=$(nproc 2>/dev/null || echo 2)
  # ccache, when present, makes a rebuild in a second checkout cheap.
  local launcher=()
  if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache); fi
  cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" "$@"
  cmake --build "$BUILD" -j "$jobs"
}
