#!/usr/bin/env bash
# Runs the DPI test at 150 % and 200 % on a virtual display of its own, large enough for the
# 200 % window (2560 × 1600). Wine reads its DPI (LogPixels) when its server starts, so each
# scale has a prefix of its own. Usage: dpi.sh <e2e_dpi.exe> (PELORINE_BUILD: the build folder).
set -uo pipefail
test_exe=${1:?test program}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

server=
cleanup() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1
  [ -n "$server" ] && kill "$server" 2>/dev/null
  wait 2>/dev/null
}
trap cleanup EXIT

number_file=$(mktemp)
Xvfb -screen 0 2560x1600x24 -nolisten tcp -displayfd 3 3>"$number_file" >/dev/null 2>&1 &
server=$!
for _ in $(seq 100); do [ -s "$number_file" ] && break; sleep 0.1; done
number=$(cat "$number_file")
rm -f "$number_file"
[ -n "$number" ] || { echo "dpi: Xvfb did not start"; exit 1; }
export PELORINE_DISPLAY=":$number"

status=0
for dpi in 144 192; do
  export WINEPREFIX="${PELORINE_BUILD:?}/wineprefix-dpi$dpi"
  source "$root/scripts/test-env.sh"
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  wineserver -w
  echo "dpi: $dpi"
  # Ends inside CTest's own limit, which would kill this script before it could clean up.
  PELORINE_EXPECT_DPI=$dpi timeout -k 5 100 wine "$test_exe" --gtest_color=no || status=1
  wineserver -k >/dev/null 2>&1
  wineserver -w
done
exit $status
