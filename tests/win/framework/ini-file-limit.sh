#!/usr/bin/env bash
# Runs the settings-file tests whose files cannot be written whole: the test program may write
# files of at most 32 KiB, and with the signal for going past that ignored, a write beyond it
# comes back short, as on a full disk.
# Usage: ini-file-limit.sh <test program> <gtest filter>
set -uo pipefail
test_exe=${1:?test program}
filter=${2:?gtest filter}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
source "$root/scripts/test-env.sh"
# Wine's server writes the registry: it must be running before the limit, not start under it.
wineserver -p5 >/dev/null 2>&1 || true
log=$(
  trap '' XFSZ
  ulimit -f 32
  PELORINE_FILE_LIMIT=32768 "$root/scripts/wine-run.sh" "$test_exe" --gtest_color=no \
    --gtest_filter="$filter" 2>&1
)
status=$?
echo "$log"
# A skip would pass unnoticed.
grep -q '^\[       OK \]' <<<"$log" && ! grep -q '^\[  SKIPPED \]' <<<"$log" && [ "$status" -eq 0 ]
