#!/usr/bin/env bash
# Fuzzes the executable reader for SECONDS (default 60), then the manifest reader and
# the registry-file reader for a quarter of that each: builds the "fuzz" preset
# (clang, libFuzzer, ASan, UBSan) in build/fuzz, seeds a corpus with the generated
# test executables and with images made by the tests' PE builder (the manifests of the
# test executables for the manifest reader), and runs the fuzz targets. Exits non-zero when it finds a crash, a leak or a timeout; the input that
# caused it is left in build/fuzz/findings/ for a regression test.
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=build/fuzz

cmake --preset fuzz -G Ninja >/dev/null || exit 1
cmake --build --preset fuzz --target fuzz_exe_reader fuzz_manifest_awareness fuzz_reg_file \
  fuzz_make_seeds || exit 1

corpus=$build/corpus
findings=$build/findings
mkdir -p "$corpus" "$findings"
"$build/fuzz_make_seeds" "$corpus/built" || exit 1
fixtures=${SHARPWELL_FIXTURES:-build/native/fixtures}  # the generated test executables
if [ -d "$fixtures" ]; then
  mkdir -p "$corpus/fixtures"
  find "$fixtures" -name '*.exe' -type f -exec cp -f {} "$corpus/fixtures/" \;
fi

# Inputs are at most 24 KB: the largest generated test program is 23 KB, every path of
# the reader is reached in a few kilobytes, and a longer input only runs slower.
# Memory stays bounded: no single allocation may reach 1 MB (what the reader allocates
# at once is bounded by the file: one read, or a listing of at most one entry per
# 8 bytes of it), and the process stays under 512 MB.
# The fuzzer mutates fast inputs more often than slow ones (thousands of directory
# entries): less than half the time for the same number of inputs.
# ASan keeps freed memory aside for the last 16 MB of frees rather than 256 MB: ample
# to catch a use after free within one input, and reused memory costs fewer page faults.
export ASAN_OPTIONS="quarantine_size_mb=16${ASAN_OPTIONS:+:$ASAN_OPTIONS}"

# The corpus grows in corpus/found; the seed folders are only read.
mkdir -p "$corpus/found"
echo "fuzzing the executable reader for $seconds s"
"$build/fuzz_exe_reader" "$corpus/found" "$corpus/built" $( [ -d "$corpus/fixtures" ] && echo "$corpus/fixtures") \
  -max_total_time="$seconds" -malloc_limit_mb=1 -rss_limit_mb=512 -timeout=5 -max_len=24576 \
  -entropic_scale_per_exec_time=1 -artifact_prefix="$findings/" -print_final_stats=1 2>"$build/fuzz.log"
status=$?
tail -n 15 "$build/fuzz.log"

# The two text readers, each from its own corpus; their inputs are small texts.
for target in fuzz_manifest_awareness fuzz_reg_file; do
  [ $status -eq 0 ] || break
  mkdir -p "$corpus/$target"
  seeds=()
  [ $target = fuzz_manifest_awareness ] && seeds=(tests/fixtures/manifests)
  echo "fuzzing $target for $((seconds / 4)) s"
  "$build/$target" "$corpus/$target" "${seeds[@]}" -max_total_time=$((seconds / 4)) \
    -malloc_limit_mb=4 -rss_limit_mb=512 -timeout=5 -max_len=16384 \
    -artifact_prefix="$findings/" -print_final_stats=1 2>"$build/$target.log"
  status=$?
  tail -n 4 "$build/$target.log"
done
if [ $status -ne 0 ]; then
  echo "the fuzzer found a failure (exit status $status); inputs in $findings:" >&2
  ls -l "$findings" >&2
fi
exit $status
