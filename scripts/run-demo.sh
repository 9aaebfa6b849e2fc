#!/usr/bin/env bash
# make run: Quillmark's window on the demonstration project, on a working copy so the shipped
# demo stays clean. The build made the project with its German, French, Greek and Russian
# translations in <build>/demoproj; the copy keeps the files' times, so the project opens
# without asking to update.
set -euo pipefail
build_dir=${1:-build}
qmk32="$build_dir/qmk32"
work="$build_dir/demo-run"
export QMK32_INI="$work/qmk32.ini"

if [ ! -f "$work/demo_rc.mdb" ]; then
  rm -rf "$work"
  if [ -f "$build_dir/demoproj/demo_rc.mdb" ]; then
    cp -a "$build_dir/demoproj" "$work"
  else
    # A build without the demonstration projects: the script alone, with German added.
    mkdir -p "$work"
    cp demo/demo.rc demo/resource.h demo/options.dlg demo/usa.bmp "$work/"
    "$qmk32" -C "$work/demo.rc" >/dev/null
    "$qmk32" -A "$work/demo_rc.mdb" German "$work/demo-German.rc" >/dev/null
  fi
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: starting Quillmark under Xvfb (screen :99); 'make demo-batch' shows the"
  echo "command-line road instead."
  Xvfb :99 -screen 0 1280x800x24 >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill $xvfb 2>/dev/null || true' EXIT
  export DISPLAY=:99
  sleep 1
fi
echo "Quillmark on $work/demo.rc (translations are kept between runs; delete $work to start over)"
exec "$qmk32" "$work/demo.rc"
