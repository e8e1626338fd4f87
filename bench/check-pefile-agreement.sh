#!/usr/bin/env bash
# Compares sharpwell-cli's bits and subsystem with pefile's for every file of the
# benchmark's list (every PE file under Debian's Wine library folders, or the paths
# listed in the file given as $1). Exits non-zero on any disagreement; differing DPI
# verdicts are listed too, for information.
# SHARPWELL_CLI names another sharpwell-cli (default build/native/sharpwell-cli).
set -uo pipefail
source "$(dirname "$0")/common.sh"

list=$work/agreement-files.txt
"$here/pe-files.sh" "$@" > "$list" || exit 1
[ -s "$list" ] || { echo "no files to compare" >&2; exit 1; }
"$cli" inspect - < "$list" > "$work/agreement-cli.txt"
/usr/bin/python3 "$here/pefile_verdict.py" --compare "$work/agreement-cli.txt"
