#!/usr/bin/env bash
# Installs the Debian packages Quillmark needs to build, test and run.
# Only packages that are missing are installed; nothing is fetched from outside Debian's archive.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev adwaita-icon-theme fonts-dejavu-core
  libsqlite3-dev libxlsxwriter-dev libzip-dev libpugixml-dev libicu-dev libxxhash-dev
  libpq-dev postgresql postgresql-contrib libxml2-utils
  libhunspell-dev hunspell-en-us hunspell-de-de hunspell-fr hunspell-es hunspell-it hunspell-ru
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  xvfb xauth
  binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev gcc-mingw-w64-x86-64-win32
  zlib1g-dev
  desktop-file-utils appstream dpkg-dev file help2man
  gettext translate-toolkit
)

# "fuzz": the compiler and runtime of the fuzz targets, needed by make fuzz only.
if [ "${1:-}" = "fuzz" ]; then
  PACKAGES=(clang libclang-rt-14-dev)
fi
# "package-check": what judges the Debian package (make package-check, make package-repro).
if [ "${1:-}" = "package-check" ]; then
  PACKAGES=(lintian diffoscope-minimal appstream desktop-file-utils man-db)
fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
