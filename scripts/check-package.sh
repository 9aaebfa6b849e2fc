#!/usr/bin/env bash
# Judges the Debian package the way Debian does.
#   check-package.sh lint <folder>            lintian (fails on errors and warnings; info and
#                                             pedantic tags are shown), then the AppStream and
#                                             desktop validators on the files as installed
#   check-package.sh same <folder> <folder>   the packages built in the two folders are the
#                                             same bytes; diffoscope shows where they are not
set -euo pipefail

# The package a folder's last "cpack -G DEB" wrote.
package_in() {
  local deb
  deb=$(ls -t "$1"/qmk32_*.deb 2>/dev/null | head -n 1)
  if [ -z "$deb" ]; then
    echo "no qmk32 package in $1" >&2
    exit 1
  fi
  echo "$deb"
}

lint() {
  local deb unpacked status=0
  deb=$(package_in "$1")
  echo "lintian $deb"
  lintian --fail-on error,warning --display-info --pedantic "$deb" || status=1

  unpacked=$(mktemp -d)
  trap 'rm -rf "$unpacked"' RETURN
  dpkg-deb -x "$deb" "$unpacked"
  for metainfo in "$unpacked"/usr/share/metainfo/*.xml; do
    appstreamcli validate --no-net --explain "$metainfo" || status=1
  done
  for desktop in "$unpacked"/usr/share/applications/*.desktop; do
    desktop-file-validate "$desktop" || status=1
  done
  [ "$status" -eq 0 ] && echo "$deb: no errors or warnings"
  return "$status"
}

same() {
  local first second
  first=$(package_in "$1")
  second=$(package_in "$2")
  if cmp -s "$first" "$second"; then
    echo "$first and $second are the same bytes"
    return 0
  fi
  echo "$first and $second differ" >&2
  if command -v diffoscope >/dev/null; then
    diffoscope "$first" "$second" >&2 || true
  fi
  return 1
}

case "${1:-}" in
  lint) lint "$2" ;;
  same) same "$2" "$3" ;;
  *) echo "usage: $0 lint <folder> | same <folder> <folder>" >&2; exit 2 ;;
esac
