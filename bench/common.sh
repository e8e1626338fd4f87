# Shared by the reader's benchmark scripts: the folders, and the CLI they time (built
# natively when missing). SHARPWELL_CLI names another sharpwell-cli.
here=$(cd "$(dirname "${BASH_SOURCE[1]}")" && pwd)
root=$(dirname "$here")
cli=${SHARPWELL_CLI:-$root/build/native/sharpwell-cli}
work=$root/build/bench
mkdir -p "$work"
if [ ! -x "$cli" ]; then
  (cd "$root" && cmake --preset native -G Ninja >/dev/null && cmake --build --preset native --target sharpwell-cli) || exit 1
fi
