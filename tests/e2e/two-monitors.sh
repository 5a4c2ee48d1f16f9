#!/usr/bin/env bash
# Runs the two-monitor test on a display of two screens: Xephyr with Xinerama (and without
# RandR, so that Wine reads the monitors from Xinerama) inside a virtual display large enough
# to hold it. Wine learns the monitors when its server starts, so the run has a prefix of its
# own. Usage: two-monitors.sh <e2e_monitors.exe> (PELORINE_BUILD: the build folder).
set -uo pipefail
test_exe=${1:?test program}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

pids=()
cleanup() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null; done
  wait 2>/dev/null
}
trap cleanup EXIT

# Starts an X server that picks a free display number; sets the named variable to that number
# once the server is ready.
start_server() {
  local -n number=$1
  shift
  local number_file
  number_file=$(mktemp)
  "$@" -displayfd 3 3>"$number_file" >/dev/null 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do [ -s "$number_file" ] && break; sleep 0.1; done
  number=$(cat "$number_file")
  rm -f "$number_file"
  [ -n "$number" ]
}

start_server outer Xvfb -screen 0 2400x1100x24 -nolisten tcp || { echo "two-monitors: Xvfb did not start"; exit 1; }
DISPLAY=":$outer" start_server inner Xephyr +xinerama -extension RANDR -nolisten tcp \
  -screen 1280x1024 -screen 1024x768 || { echo "two-monitors: Xephyr did not start"; exit 1; }

export PELORINE_DISPLAY=":$inner"
export WINEPREFIX="${PELORINE_BUILD:?}/wineprefix-monitors"
source "$root/scripts/test-env.sh"
# Ends inside CTest's own limit, which would kill this script before it could clean up.
timeout -k 5 100 wine "$test_exe" --gtest_color=no
