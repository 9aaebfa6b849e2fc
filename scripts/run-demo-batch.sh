#!/usr/bin/env bash
# make demo-batch: the demonstration project from the command line, on a working copy so the
# shipped demo stays clean.
# Runs the batch road (build the project, add German, write the German script) and shows it.
set -euo pipefail
build_dir=${1:-build}
qmk32="$build_dir/qmk32"
work="$build_dir/demo-batch"

rm -rf "$work"
mkdir -p "$work"
cp demo/demo.rc demo/resource.h demo/options.dlg demo/usa.bmp "$work/"
export QMK32_INI="$work/qmk32.ini"

run() { echo "\$ qmk32 $*"; "$qmk32" "$@"; echo; }

run -C "$work/demo.rc"
run -A "$work/demo_rc.mdb" German "$work/demo-German.rc"
run -L "$work/demo_rc.mdb" German
run -T "$work/demo_rc.mdb" German || true
run -RC "$work/demo_rc.mdb" German "$work/demo-German.rc"
echo "---- $work/demo-German.rc ----"
cat "$work/demo-German.rc"
echo

# The script changes: the project notices, and the update keeps the German translation.
sleep 1
sed -i 's/"Ready"/"Ready to write"/' "$work/demo.rc"
run -D "$work/demo_rc.mdb" || true
run -U "$work/demo_rc.mdb"
run -D "$work/demo_rc.mdb"
