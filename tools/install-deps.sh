#!/usr/bin/env bash
# Installs what building, running and testing QuarnSoft needs on Debian.
# Only missing packages are installed; run as root or with sudo available.
set -euo pipefail

packages=(
  cmake make g++ pkg-config
  qt6-base-dev
  libftdi1-dev
  nlohmann-json3-dev
  libcli11-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fontconfig fonts-dejavu-core fonts-liberation2 fonts-comic-neue
  poppler-utils
  xvfb xauth xdotool openbox
  librsvg2-bin
)
# The Debian package (cpack: dpkg-shlibdeps, file) and its checks in
# tools/package-test.sh.
packages+=(dpkg-dev file desktop-file-utils appstream groff-base lintian)
if [ "${QUARN_WITH_FUZZ:-0}" = "1" ]; then
  packages+=(clang libclang-rt-14-dev)
fi
# The Windows build of the command-line tool: MinGW-w64, and Wine to run it.
if [ "${QUARN_WITH_WINDOWS:-0}" = "1" ]; then
  packages+=(g++-mingw-w64-x86-64-posix wine wine64)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
