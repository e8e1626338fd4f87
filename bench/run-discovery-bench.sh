#!/usr/bin/env bash
# Runs the discovery benchmark of a Windows build under Wine and prints its figures:
#   bench/run-discovery-bench.sh BUILD_DIR [COUNT] [FIXTURE]
# COUNT programs (default 1000) are copies of fixtures/x64/FIXTURE (default
# gui_icon.exe, a window program with an icon). The run uses the build's own Wine
# prefix (BUILD_DIR/wineprefix, as the Windows tests do) and Xvfb when there is no
# display. Exit status: the benchmark's (non-zero when a run did not list every program).
set -uo pipefail
source "$(dirname "$0")/../scripts/wine-loader.sh"

if [ $# -lt 1 ]; then
  echo "usage: $0 BUILD_DIR [COUNT] [FIXTURE]" >&2
  exit 2
fi
build_dir=$(cd "$1" 2>/dev/null && pwd) || { echo "$0: no such build folder: $1" >&2; exit 2; }
count=${2:-1000}
fixture=${3:-gui_icon.exe}
program="$build_dir/sharpwell-discovery-bench.exe"
source_exe="$build_dir/fixtures/x64/$fixture"
for file in "$program" "$source_exe"; do
  [ -f "$file" ] || { echo "$0: $file not found; build the Windows build first" >&2; exit 2; }
done

if [ -z "${DISPLAY:-}" ]; then
  exec env SHARPWELL_OWN_XVFB=1 xvfb-run -a "$0" "$build_dir" "$count" "$fixture"
fi

export WINEPREFIX="$build_dir/wineprefix"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Creating Wine prefix $WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wineserver -w
fi
# The host file as the Windows side sees it, through drive Z:.
windows_source="Z:${source_exe//\//\\}"
(cd "$build_dir" && wine "$program" "$windows_source" "$count")
status=$?
if [ -n "${SHARPWELL_OWN_XVFB:-}" ]; then
  wineserver -k 2>/dev/null
fi
exit $status
