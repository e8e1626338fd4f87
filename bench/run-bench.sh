#!/usr/bin/env bash
# Times the executable reader over one list of files (default: every PE file under
# Debian's Wine library folders; or the paths listed in the file given as $1):
#   (a) sharpwell-cli inspect -   fed the list
#   (b) the same verdicts computed with pefile (bench/pefile_verdict.py)
#   (c) the I/O floor: open, one 4 KB read, close per file (bench/io_floor.cpp)
# with a warm page cache (one untimed pass first). Each reader gets the list
# SHARPWELL_BENCH_REPEAT times over (default 5) in one process, so that start-up costs
# do not decide the ratios; (a) and (c) take the best of three runs, (b) one.
# Prints the three times and the ratios cli/floor and pefile/cli.
# SHARPWELL_CLI names another sharpwell-cli (default build/native/sharpwell-cli).
set -uo pipefail
source "$(dirname "$0")/common.sh"

g++ -std=c++20 -O2 -Wall -Wextra -o "$work/io_floor" "$here/io_floor.cpp" || exit 1

files=$work/files.txt
"$here/pe-files.sh" "$@" > "$files" || exit 1
count=$(wc -l < "$files")
[ "$count" -gt 0 ] || { echo "no files to read" >&2; exit 1; }
repeat=${SHARPWELL_BENCH_REPEAT:-5}
list=$work/files-repeated.txt
for _ in $(seq "$repeat"); do cat "$files"; done > "$list"

# Seconds taken by "$@" with the list on standard input, output discarded.
elapsed() {
  local start end
  start=$(date +%s.%N)
  "$@" < "$list" > /dev/null || echo "warning: $1 exited non-zero" >&2
  end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.6f", b - a }' 
}
best_of_three() {
  local best="" t
  for _ in 1 2 3; do
    t=$(elapsed "$@")
    if [ -z "$best" ] || awk -v t="$t" -v b="$best" 'BEGIN { exit !(t < b) }'; then best=$t; fi
  done
  echo "$best"
}

# Warm-up: every file once through each reader, untimed.
xargs -d '\n' cat < "$files" > /dev/null
"$cli" inspect - < "$list" > /dev/null
"$work/io_floor" < "$list" > /dev/null

floor=$(best_of_three "$work/io_floor")
cli_time=$(best_of_three "$cli" inspect -)
pefile_time=$(elapsed /usr/bin/python3 "$here/pefile_verdict.py")

printf 'files:             %d, each read %d times\n' "$count" "$repeat"
printf 'I/O floor:         %8.3f s\n' "$floor"
printf 'sharpwell-cli:     %8.3f s\n' "$cli_time"
printf 'pefile:            %8.3f s\n' "$pefile_time"
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.6f", a / b }'; }
cli_floor=$(ratio "$cli_time" "$floor")
pefile_cli=$(ratio "$pefile_time" "$cli_time")
printf 'cli / floor:       %8.2f   (target: at most 2)\n' "$cli_floor"
printf 'pefile / cli:      %8.2f   (target: at least 30)\n' "$pefile_cli"
