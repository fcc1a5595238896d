#!/usr/bin/env bash
# Installs the Debian packages that Kalvoro needs. Usage: setup.sh [build|test]
# "build" brings what the program needs to build and run; "test" adds the test tools.
set -euo pipefail
what=${1:-build}

build_pkgs=(cmake g++ make pkg-config qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite
  libgl-dev libsndfile1-dev libsdl2-dev libxlsxwriter-dev libzip-dev libfreexl-dev
  fonts-dejavu-core fonts-noto-cjk)
test_pkgs=(googletest libgtest-dev libgmock-dev libbenchmark-dev poppler-utils sqlite3 xvfb
  xdotool imagemagick x11-utils clang-format desktop-file-utils)
if [ "$what" = test ] && [ "${KALVORO_NO_OFFICE:-0}" != 1 ]; then
    test_pkgs+=(libreoffice-calc-nogui)
fi

pkgs=("${build_pkgs[@]}")
[ "$what" = test ] && pkgs+=("${test_pkgs[@]}")

missing=()
for p in "${pkgs[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo -E)
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
