#!/usr/bin/env bash
# Prints the benchmark's file list: the files given as a list file in $1, or else every
# PE file (first two bytes "MZ") under Debian's Wine library folders.
set -uo pipefail
if [ $# -ge 1 ]; then
  grep -v '^$' "$1"
  exit 0
fi
folders=()
for folder in /usr/lib/x86_64-linux-gnu/wine /usr/lib/i386-linux-gnu/wine; do
  [ -d "$folder" ] && folders+=("$folder")
done
[ ${#folders[@]} -gt 0 ] || exit 0
find "${folders[@]}" -type f -size +63c -print0 | sort -z | /usr/bin/python3 -c '
import sys
for path in sys.stdin.buffer.read().split(b"\0"):
    if path:
        with open(path, "rb") as f:
            if f.read(2) == b"MZ":
                sys.stdout.buffer.write(path + b"\n")
'
