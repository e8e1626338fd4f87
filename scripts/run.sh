#!/usr/bin/env bash
# Builds Sharpwell and starts it. On Windows (Git Bash / MSYS) the program is simply
# started; on Linux it runs under Wine in a prefix of its own, on the current display
# or, when there is none, under Xvfb (a screenshot of the window is then saved).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
source scripts/wine-loader.sh

# The release build is 32-bit; where Wine cannot run 32-bit programs the 64-bit build
# is started instead.
preset=win32
if [ "$(uname -s)" = Linux ] && ! wine32_runs; then
  echo "$(wine32_missing_reason): starting the 64-bit build."
  preset=win64
fi
# Only the program itself is built, not the tests and fixtures of the preset.
cmake --preset "$preset" -G Ninja >/dev/null
cmake --build --preset "$preset" --target Sharpwell
exe="build/$preset/Sharpwell.exe"

case "$(uname -s)" in
  MINGW*|MSYS*|CYGWIN*) exec "$exe" "$@" ;;
esac

export WINEPREFIX="$PWD/build/$preset/run-prefix" WINEDEBUG=-all
[ -d "$WINEPREFIX" ] || { wineboot -i >/dev/null 2>&1; wineserver -w; }

if [ -n "${DISPLAY:-}" ]; then
  wine "$exe" "$@"
  exit
fi
shot="$PWD/build/$preset/sharpwell-screenshot.png"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  source scripts/wine-loader.sh  # functions do not pass through xvfb-run
  wine "$1" "${@:3}" & pid=$!
  # Wait (up to a minute, a new prefix starts slowly) for the window to be shown.
  for _ in $(seq 60); do
    kill -0 $pid 2>/dev/null || { wait $pid; echo "Sharpwell ended (status $?)"; exit 1; }
    xwininfo -root -tree 2>/dev/null | grep -q "\"Sharpwell\"" && break
    sleep 1
  done
  sleep 3  # the start-up discovery fills the lists
  import -window root "$2" && echo "Sharpwell is running under Xvfb; screenshot saved to $2"
  echo "Press Ctrl+C to end it."
  wait $pid
' _ "$exe" "$shot" "$@"
