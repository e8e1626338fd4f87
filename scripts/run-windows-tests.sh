#!/usr/bin/env bash
# Runs a Windows build's test program (BUILD_DIR/sharpwell-wintests.exe) under Wine, in
# a prefix of its own (BUILD_DIR/wineprefix), under Xvfb when there is no display.
# Arguments after BUILD_DIR go to the test program (for example --gtest_filter=...).
# Exit status: the test program's. A 32-bit build on a machine where 32-bit Wine cannot
# run (scripts/install-wine32.sh installs it; some kernels cannot run it at all) fails,
# unless SHARPWELL_WITHOUT_WINE32=1 asks to skip it: then one line says so and the
# status is 0.
set -uo pipefail
source "$(dirname "$0")/wine-loader.sh"

if [ $# -lt 1 ]; then
  echo "usage: $0 BUILD_DIR [test arguments...]" >&2
  exit 2
fi
build_dir=$(cd "$1" 2>/dev/null && pwd) || { echo "$0: no such build folder: $1" >&2; exit 2; }
shift
program="$build_dir/sharpwell-wintests.exe"
if [ ! -f "$program" ]; then
  echo "$0: $program not found; build it first" >&2
  exit 2
fi

# The machine field of the PE header: 014c for a 32-bit program, 8664 for a 64-bit one.
pe_machine() {
  local lfanew
  lfanew=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
  od -An -tx2 -j$((lfanew + 4)) -N2 "$1" | tr -d ' '
}

if [ "$(pe_machine "$program")" = "014c" ] && ! wine32_runs; then
  reason=$(wine32_missing_reason)
  if [ "${SHARPWELL_WITHOUT_WINE32:-0}" = 1 ]; then
    echo "32-bit Windows tests skipped (SHARPWELL_WITHOUT_WINE32=1): $reason"
    exit 0
  fi
  echo "$reason: the 32-bit build's tests cannot run (scripts/install-wine32.sh installs" >&2
  echo "32-bit Wine); set SHARPWELL_WITHOUT_WINE32=1 to skip them" >&2
  exit 1
fi

# Without a display, the whole run (prefix creation included) happens inside one Xvfb
# session: this script runs itself again under xvfb-run.
if [ -z "${DISPLAY:-}" ]; then
  exec env SHARPWELL_OWN_XVFB=1 xvfb-run -a "$0" "$build_dir" "$@"
fi

export WINEPREFIX="$build_dir/wineprefix"
export WINEARCH=win64  # a 64-bit prefix runs both 32-bit and 64-bit programs
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko installer prompts

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Creating Wine prefix $WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wineserver -w
fi
(cd "$build_dir" && wine "$program" "$@")
status=$?
# The prefix's server goes with the Xvfb display this script started, so that the
# next run does not meet a server tied to a display that is gone.
if [ -n "${SHARPWELL_OWN_XVFB:-}" ]; then
  wineserver -k 2>/dev/null
fi
exit $status
