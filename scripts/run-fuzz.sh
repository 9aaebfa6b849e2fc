#!/usr/bin/env bash
# Runs each fuzz target for the given time and prints libFuzzer's closing figures. The reader
# and the load are seeded with the scripts of the shared corpus; the exchange readers with
# those scripts exported as XLIFF, PO and workbooks, and with files nested 60,000 deep (inputs
# up to FUZZ_MAX_LEN bytes, 1 MiB unless given). Exits non-zero when a target found a
# crash, a hang or a sanitizer report (the input is left in the build folder as crash-*,
# timeout-* or leak-*).
set -euo pipefail
build="${1:-build-fuzz}"
seconds="${2:-600}"
corpus="$(cd "$(dirname "$0")/.." && pwd)/../shared"
seeds="$build/fuzz-seeds"
status=0

# The corpus scripts, links followed; numbered copies keep scripts of the same name apart.
mkdir -p "$seeds/scripts"
scripts=()
if [ -d "$corpus" ]; then
  n=0
  while IFS= read -r -d '' script; do
    n=$((n + 1))
    cp "$script" "$seeds/scripts/$n-$(basename "$script")"
    scripts+=("$script")
  done < <(find -L "$corpus" -name '*.rc' -size -64k -print0 2>/dev/null)
fi
# With no corpus, only the deep seeds (files nested 60,000 deep) are made.
"$build/fuzz/fuzz_seeds" "$seeds" "${scripts[@]}" || true

# Inputs up to this size: a file nesting 60,000 elements is about half a megabyte, and a reader
# that recurses over its nesting must be caught. The script readers keep libFuzzer's own limit.
max_len="${FUZZ_MAX_LEN:-1048576}"

run_target() {
  local target="$1" seed="$2" length="${3:-}"
  local work="$build/fuzz-$target"
  mkdir -p "$work/corpus"
  [ -d "$seed" ] && cp -n "$seed"/* "$work/corpus/" 2>/dev/null || true
  echo "== $target for $seconds s"
  if ! (cd "$work" && "../fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
        ${length:+-max_len="$length"} -print_final_stats=1 corpus > log.txt 2>&1); then
    status=1
  fi
  grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)|ERROR|SUMMARY' "$work/log.txt" || true
}

run_target fuzz_reader "$seeds/scripts"
run_target fuzz_load "$seeds/scripts"
run_target fuzz_xliff "$seeds/xliff" "$max_len"
run_target fuzz_po "$seeds/po" "$max_len"
run_target fuzz_workbook "$seeds/workbook" "$max_len"
mkdir -p "$seeds/tmx"
printf '<?xml version="1.0"?>\n<tmx version="1.4"><header srclang="en-US"/><body><tu><tuv xml:lang="en-US"><seg>Open</seg></tuv><tuv xml:lang="de-DE"><seg>&amp;Öffnen</seg></tuv></tu></body></tmx>\n' > "$seeds/tmx/seed.tmx"
run_target fuzz_tmx "$seeds/tmx" "$max_len"
mkdir -p "$seeds/tbx"
printf '<?xml version="1.0"?>\n<martif type="TBX-Basic" xml:lang="en"><text><body><termEntry><langSet xml:lang="en"><tig><term>Bookmark</term></tig></langSet><langSet xml:lang="de"><tig><term>Lesezeichen</term></tig><tig><term>Buchzeichen</term><termNote type="administrativeStatus">forbidden</termNote></tig></langSet></termEntry></body></text></martif>\n' > "$seeds/tbx/seed.tbx"
run_target fuzz_tbx "$seeds/tbx" "$max_len"
mkdir -p "$seeds/settings"
for ini in "$HOME/.config/qmk32/qmk32.ini" "$(dirname "$0")/../tests/data"/*.ini; do
  [ -f "$ini" ] && cp "$ini" "$seeds/settings/" 2>/dev/null || true
done
run_target fuzz_settings "$seeds/settings"
exit $status
