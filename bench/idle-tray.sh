#!/usr/bin/env bash
# What the tray-resident program costs while idle: starts BUILD_DIR/Sharpwell.exe with
# " /s" (hidden, monitoring on) and Wine's notepad beside it in one Wine session, waits
# until Sharpwell's start-up discovery has run (30 s after its start) and both have
# settled, then reads from /proc, before and after one idle minute, each process's CPU
# time (utime + stime) and memory (Private and Rss of smaps_rollup).
#   bench/idle-tray.sh BUILD_DIR [IDLE_SECONDS=60] [SETTLE_SECONDS=45]
# Uses a prefix of its own (BUILD_DIR/idle-prefix) and Xvfb when there is no display.
set -uo pipefail
source "$(dirname "$0")/../scripts/wine-loader.sh"

if [ $# -lt 1 ]; then
  echo "usage: $0 BUILD_DIR [IDLE_SECONDS] [SETTLE_SECONDS]" >&2
  exit 2
fi
build_dir=$(cd "$1" 2>/dev/null && pwd) || { echo "$0: no such build folder: $1" >&2; exit 2; }
idle=${2:-60}
settle=${3:-45}
exe="$build_dir/Sharpwell.exe"
[ -f "$exe" ] || { echo "$0: $exe not found; build it first" >&2; exit 2; }
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a "$0" "$build_dir" "$idle" "$settle"
fi

export WINEPREFIX="$build_dir/idle-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >/dev/null 2>&1
  wineserver -w
fi

# The Linux process of the Windows program whose command line begins with $1, in
# this prefix.
find_pid() {
  local pid
  for pid in $(pgrep -f "$1"); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" &&
      tr '\0' ' ' <"/proc/$pid/cmdline" | grep -q "^[^ ]*$1" && { echo "$pid"; return; }
  done
}
# CPU seconds (utime + stime), Private and Rss (KiB) of a process.
sample() {
  local ticks
  ticks=$(awk '{print $14 + $15}' "/proc/$1/stat")
  awk -v t="$ticks" -v hz="$(getconf CLK_TCK)" '
    /^Rss:/ {rss = $2} /^Private_(Clean|Dirty):/ {private += $2}
    END {printf "%.2f %d %d\n", t / hz, private, rss}' "/proc/$1/smaps_rollup"
}

wine "$exe" /s >/dev/null 2>&1 &
wine notepad >/dev/null 2>&1 &
sleep "$settle"
tray=$(find_pid Sharpwell.exe)
notepad=$(find_pid notepad.exe)
if [ -z "$tray" ] || [ -z "$notepad" ]; then
  echo "$0: Sharpwell.exe or notepad is not running" >&2
  wineserver -k
  exit 1
fi
read -r tray_cpu0 tray_private0 tray_rss0 < <(sample "$tray")
read -r note_cpu0 note_private0 note_rss0 < <(sample "$notepad")
sleep "$idle"
read -r tray_cpu1 tray_private1 tray_rss1 < <(sample "$tray")
read -r note_cpu1 note_private1 note_rss1 < <(sample "$notepad")
wineserver -k

echo "idle ${idle} s after ${settle} s of start-up ($(basename "$build_dir")); pids $tray, $notepad"
printf '%-18s %12s %12s %18s %18s\n' process "CPU start-up" "CPU idle" "Private (KiB)" "Rss (KiB)"
row() {  # name cpu0 cpu1 private0 private1 rss0 rss1
  printf '%-18s %11.2fs %11.2fs %8d -> %6d %8d -> %6d\n' "$1" "$2" \
    "$(awk -v a="$2" -v b="$3" 'BEGIN {print b - a}')" "$4" "$5" "$6" "$7"
}
row "Sharpwell.exe /s" "$tray_cpu0" "$tray_cpu1" "$tray_private0" "$tray_private1" "$tray_rss0" "$tray_rss1"
row "notepad" "$note_cpu0" "$note_cpu1" "$note_private0" "$note_private1" "$note_rss0" "$note_rss1"
