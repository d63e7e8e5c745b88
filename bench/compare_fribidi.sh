#!/usr/bin/env bash
# Side-by-side speed of velmora-convert and GNU FriBidi's command on one generated corpus of
# about 7 million characters: MB/s, the ratio, and peak memory.
#   bench/compare_fribidi.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/make-corpus" 7000000 "$work/corpus.txt" "$work/corpus.rtf"
plain_mb=$(awk -v b="$(stat -c %s "$work/corpus.txt")" 'BEGIN{printf "%.1f", b/1e6}')
rtf_mb=$(awk -v b="$(stat -c %s "$work/corpus.rtf")" 'BEGIN{printf "%.1f", b/1e6}')
echo "corpus: $plain_mb MB plain CP1255, $rtf_mb MB RTF"

# Best of three wall-clock runs, and the peak resident memory of the last, per command.
measure() {
  local label=$1 input_mb=$2; shift 2
  local best=999999 peak=0
  for _ in 1 2 3; do
    /usr/bin/time -f "%e %M" -o "$work/time" "$@" > "$work/out" 2> /dev/null
    read -r secs kb < "$work/time"
    best=$(awk -v a="$best" -v b="$secs" 'BEGIN{print (b < a) ? b : a}')
    peak=$kb
  done
  local rate
  rate=$(awk -v mb="$input_mb" -v s="$best" 'BEGIN{printf "%.1f", (s > 0) ? mb / s : 0}')
  printf '%-44s %6.2f s  %7s MB/s  peak %6d MB\n' "$label" "$best" "$rate" $((peak / 1024))
  echo "$best" > "$work/$label.secs"
}

measure fribidi "$plain_mb" fribidi --charset CP1255 --width 80 --nopad "$work/corpus.txt"
measure plain "$plain_mb" "$build/tools/convert/velmora-convert" --plain --line-length 80 --encoding cp1255 "$work/corpus.txt"
measure html "$rtf_mb" "$build/tools/convert/velmora-convert" --html --line-length 80 "$work/corpus.rtf"
awk -v f="$(cat "$work/fribidi.secs")" -v p="$(cat "$work/plain.secs")" -v h="$(cat "$work/html.secs")" \
  'BEGIN{printf "plain is %.1fx as fast as fribidi; html takes %.2fx fribidi'"'"'s time\n", f/p, h/f}'

# The Unicode order does the same work as FriBidi's command (each line in the order of the
# Unicode Bidirectional Algorithm), cut into lines by Velmora's rules and by FriBidi's algorithm.
measure plain-unicode "$plain_mb" "$build/tools/convert/velmora-convert" --plain --order unicode --line-length 80 --encoding cp1255 "$work/corpus.txt"
awk -v f="$(cat "$work/fribidi.secs")" -v u="$(cat "$work/plain-unicode.secs")" \
  'BEGIN{printf "plain --order unicode is %.2fx as fast as fribidi\n", f/u}'
