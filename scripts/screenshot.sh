#!/usr/bin/env bash
# Starts Sharpwell under Wine and Xvfb at a given DPI (Wine's LogPixels) and saves a
# screenshot of the screen: scripts/screenshot.sh [DPI=96] [BUILD_DIR=build/win64] [OUT]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-loader.sh
dpi=${1:-96}
build=${2:-build/win64}
out=${3:-$build/sharpwell-$dpi-dpi.png}
[ -f "$build/Sharpwell.exe" ] || { echo "no $build/Sharpwell.exe: build it first" >&2; exit 1; }

export WINEPREFIX="$PWD/$build/shot-prefix-$dpi" WINEDEBUG=-all
[ -d "$WINEPREFIX" ] || wineboot -i >/dev/null 2>&1
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
wine reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
  /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
wineserver -w

xvfb-run -a -s "-screen 0 1400x1000x24" bash -c '
  source scripts/wine-loader.sh  # functions do not pass through xvfb-run
  wine "$1" & pid=$!
  sleep "${SHARPWELL_SHOT_WAIT:-15}"
  import -window root "$2"
  kill $pid 2>/dev/null; wineserver -k 2>/dev/null; true
' _ "$build/Sharpwell.exe" "$out"
echo "screenshot at $dpi DPI: $out"
