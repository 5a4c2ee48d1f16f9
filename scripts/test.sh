#!/usr/bin/env bash
# Builds and runs every test: portable logic natively (sanitizers on), then the Win32
# units and the end-to-end tests under Wine, and last the endurance run of the captures.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
# Every printing test runs: one that finds no PDF printer fails instead of skipping.
export PELORINE_REQUIRE_CUPS=1
bash scripts/install-deps.sh
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native
cmake --preset windows >/dev/null
cmake --build --preset windows
source scripts/test-env.sh
# Wine's server and desktop outlive the tests otherwise.
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
ctest --preset windows
# A thousand captures of each kind, on a screen of their own: a few minutes.
ctest --preset endurance
