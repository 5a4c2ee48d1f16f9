#!/usr/bin/env bash
# Runs the endurance test on a 640 × 480 virtual screen of its own. A desktop capture costs in
# proportion to the screen's area; on the small screen four thousand captures take minutes,
# and whatever a capture leaves behind still adds up over a thousand of them. Wine's desktop
# stays on the display its server started with, so the run has its own prefix as well.
# Usage: endurance.sh <e2e_endurance.exe> (PELORINE_BUILD: the build folder).
set -uo pipefail
test_exe=${1:?test program}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# Xvfb picks a free display number and writes it to the descriptor once it is ready.
number_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
for _ in $(seq 100); do [ -s "$number_file" ] && break; sleep 0.1; done
number=$(cat "$number_file")
rm -f "$number_file"
if [ -z "$number" ]; then
  echo "endurance: Xvfb did not start"
  exit 1
fi

export PELORINE_DISPLAY=":$number"
export WINEPREFIX="${PELORINE_BUILD:?}/wineprefix-endurance"
trap 'wineserver -k >/dev/null 2>&1; kill $xvfb 2>/dev/null' EXIT
source "$root/scripts/test-env.sh"
# Ends inside CTest's own limit, which would kill this script before it could clean up.
timeout -k 5 840 wine "$test_exe" --gtest_color=no
