#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests (also under ASan and
# UBSan), the Windows-side tests under Wine for each Windows build that Wine can run,
# a bounded fuzz run of the executable reader, and the reader's agreement with pefile.
# Exits non-zero when any step fails.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh || exit 1
# The shipped build is the 32-bit one: its tests need 32-bit Wine, unless the person
# running them opts out with SHARPWELL_WITHOUT_WINE32=1.
if [ "${SHARPWELL_WITHOUT_WINE32:-0}" != 1 ]; then
  scripts/install-wine32.sh
fi

passed=0
failed=()
step() {
  local name=$1
  shift
  echo "== $name"
  local start=$SECONDS
  if "$@"; then
    passed=$((passed + 1))
    echo "-- $name: ok ($((SECONDS - start)) s)"
  else
    failed+=("$name")
    echo "-- $name: FAILED ($((SECONDS - start)) s)"
  fi
}
build() { cmake --preset "$1" -G Ninja >/dev/null && cmake --build --preset "$1"; }

step "native build" build native
step "native tests" ctest --preset native -j2
step "sanitizer build" build sanitize
step "native tests under ASan and UBSan" ctest --preset sanitize -j2
step "win64 build" build win64
step "win64 tests under Wine" scripts/run-windows-tests.sh build/win64
step "win32 build" build win32
step "win32 tests under Wine" scripts/run-windows-tests.sh build/win32
step "fuzzing the executable reader" scripts/run-fuzz.sh "${SHARPWELL_FUZZ_SECONDS:-60}"
step "agreement with pefile over Wine's executables" bench/check-pefile-agreement.sh

echo
if [ ${#failed[@]} -gt 0 ]; then
  echo "failed steps: ${failed[*]}"
fi
echo "$passed passed, ${#failed[@]} failed"
[ ${#failed[@]} -eq 0 ]
