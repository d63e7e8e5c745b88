#!/usr/bin/env bash
# Side-by-side speed of velmora-convert and GNU FriBidi's command on three generated corpora of
# about 7 million characters each: the mixed corpus (lines of 40 to 200 characters, also as
# RTF), mostly Hebrew paragraphs of 2 to 5 KB (laid out with --wrap 80) and short lines thick
# with numbers and punctuation. Medians of RUNS runs (default 5): seconds, MB/s, peak memory,
# the throughput ratios, and how close each run comes to `cat INPUT > /dev/null`.
#   bench/compare_fribidi.sh [BUILD_DIR] [REFERENCE_VELMORA_CONVERT]
# With a reference binary (say, one built from an earlier commit), every output of every mode
# on every corpus is compared with the reference's by checksum, and the script fails on a change.
set -euo pipefail
build=${1:-build}
reference=${2:-}
runs=${RUNS:-5}
chars=${CHARS:-7000000}
convert="$build/tools/convert/velmora-convert"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for kind in mixed long short; do
  "$build/bench/make-corpus" "$chars" "$work/$kind.txt" "$work/$kind.rtf" "$kind"
done
megabytes() { awk -v b="$(stat -c %s "$1")" 'BEGIN{printf "%.2f", b/1e6}'; }
echo "corpora: mixed $(megabytes "$work/mixed.txt") MB plain / $(megabytes "$work/mixed.rtf") MB RTF," \
     "long $(megabytes "$work/long.txt") MB, short $(megabytes "$work/short.txt") MB (CP1255)"
echo "load: $(uptime | sed 's/.*load average/load average/')"

# measure LABEL INPUT_FILE STDIN_FILE COMMAND...: the median wall-clock and processor (user +
# system) times of RUNS runs and the largest peak resident memory. STDIN_FILE is given to the
# command as standard input ("-": none). On a busy machine the processor time is the steadier.
measure() {
  local label=$1 input=$2 stdin=$3; shift 3
  local walls=() cpus=() peak=0 kb real user sys
  [[ $stdin == - ]] && stdin=/dev/null
  for ((r = 0; r < runs; r++)); do
    { TIMEFORMAT='%3R %3U %3S'; time /usr/bin/time -f "%M" -o "$work/peak" "$@" > "$work/out" 2> /dev/null < "$stdin"; } 2> "$work/time"
    read -r real user sys < "$work/time"
    walls+=("$real")
    cpus+=("$(awk -v u="$user" -v s="$sys" 'BEGIN{printf "%.3f", u + s}')")
    kb=$(tail -n 1 "$work/peak")
    ((kb > peak)) && peak=$kb
  done
  local wall cpu mb
  wall=$(median "${walls[@]}")
  cpu=$(median "${cpus[@]}")
  mb=$(megabytes "$input")
  printf '  %-22s %7.3f s %8.1f MB/s   cpu %7.3f s %8.1f MB/s   peak %5d MiB\n' "$label" \
    "$wall" "$(awk -v m="$mb" -v s="$wall" 'BEGIN{printf "%.1f", (s > 0) ? m / s : 0}')" \
    "$cpu" "$(awk -v m="$mb" -v s="$cpu" 'BEGIN{printf "%.1f", (s > 0) ? m / s : 0}')" $((peak / 1024))
  echo "$wall" > "$work/$label.wall"
  echo "$cpu" > "$work/$label.cpu"
}
median() { printf '%s\n' "$@" | sort -g | awk '{a[NR]=$1} END{print a[int((NR+1)/2)]}'; }
# ratio A B: A's time over B's, by wall clock and by processor time ("wall/cpu").
ratio() {
  local w c
  w=$(awk -v a="$(cat "$work/$1.wall")" -v b="$(cat "$work/$2.wall")" 'BEGIN{printf "%.2f", (b > 0) ? a / b : 0}')
  c=$(awk -v a="$(cat "$work/$1.cpu")" -v b="$(cat "$work/$2.cpu")" 'BEGIN{printf "%.2f", (b > 0) ? a / b : 0}')
  echo "$w/$c"
}

plain_options() { if [[ $1 == long ]]; then echo "--wrap 80 --line-length 80"; else echo "--line-length 80"; fi; }
for kind in mixed long short; do
  txt="$work/$kind.txt"
  echo "$kind:"
  measure "$kind cat" "$txt" - cat "$txt"
  measure "$kind fribidi" "$txt" - fribidi --charset CP1255 --width 80 --nopad "$txt"
  measure "$kind fribidi stdin" "$txt" "$txt" fribidi --charset CP1255 --width 80 --nopad
  # shellcheck disable=SC2046
  measure "$kind plain" "$txt" - "$convert" --plain $(plain_options "$kind") --encoding cp1255 "$txt"
  # shellcheck disable=SC2046
  measure "$kind plain stdin" "$txt" "$txt" "$convert" --plain $(plain_options "$kind") --encoding cp1255
  if [[ $kind == mixed ]]; then
    # The Unicode order does the same work as FriBidi's command (each line in the order of the
    # Unicode Bidirectional Algorithm), cut into lines by Velmora's rules.
    measure "$kind plain unicode" "$txt" - "$convert" --plain --order unicode --line-length 80 --encoding cp1255 "$txt"
    measure "$kind html rtf" "$work/$kind.rtf" - "$convert" --html --line-length 80 --encoding cp1255 "$work/$kind.rtf"
    measure "$kind text rtf" "$work/$kind.rtf" - "$convert" --text --encoding cp1255 "$work/$kind.rtf"
  fi
  echo "  (ratios as wall/cpu)"
  printf '  plain is %sx fribidi'"'"'s throughput from a file, %sx from standard input;' \
    "$(ratio "$kind fribidi" "$kind plain")" "$(ratio "$kind fribidi stdin" "$kind plain stdin")"
  printf ' %s of cat'"'"'s\n' "$(ratio "$kind cat" "$kind plain")"
  if [[ $kind == mixed ]]; then
    printf '  plain --order unicode is %sx fribidi'"'"'s throughput\n' "$(ratio "$kind fribidi" "$kind plain unicode")"
    measure "$kind cat rtf" "$work/$kind.rtf" - cat "$work/$kind.rtf"
    printf '  html from RTF is %sx fribidi'"'"'s throughput on the same text; %s of cat'"'"'s on the RTF\n' \
      "$(ratio "$kind fribidi" "$kind html rtf")" "$(ratio "$kind cat rtf" "$kind html rtf")"
  fi
done

# Every mode's output on every corpus, as checksums; compared with the reference binary's.
[[ -n $reference ]] || exit 0
echo "outputs against $reference:"
changed=0
for kind in mixed long short; do
  for input in "$work/$kind.txt" "$work/$kind.rtf"; do
    for mode in "--html" "--plain" "--text" "--html --wrap 80" "--plain --wrap 80 --line-length 60" "--to-logical"; do
      [[ $mode == --to-logical && $input == *.rtf ]] && continue
      # shellcheck disable=SC2086
      after=$("$convert" $mode --encoding cp1255 "$input" | sha256sum | cut -c1-16)
      # shellcheck disable=SC2086
      before=$("$reference" $mode --encoding cp1255 "$input" | sha256sum | cut -c1-16)
      # shellcheck disable=SC2086
      stdin_after=$("$convert" $mode --encoding cp1255 < "$input" | sha256sum | cut -c1-16)
      verdict=same
      [[ $after == "$before" && $stdin_after == "$before" ]] || { verdict=CHANGED; changed=1; }
      printf '  %-44s %s %s\n' "$(basename "$input") $mode" "$after" "$verdict"
    done
  done
done
exit $changed
