#!/usr/bin/env bash
# Runs the real velmora-convert binary on every case of the conversion corpus and compares the
# bytes it writes with the expected ones.
set -u
convert=$1
dir=$2/convert
[ -d "$dir" ] || { echo "no corpus at $dir; skipped"; exit 77; }
passed=0 failed=0
for args in "$dir"/*.args; do
  name=${args%.args}
  input=$name.rtf
  [ -f "$input" ] || input=$name.txt
  # shellcheck disable=SC2046
  if "$convert" $(cat "$args") "$input" | cmp -s - "$name.expected"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $(basename "$name")"
  fi
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
