#!/usr/bin/env bash
# Builds Pelorine.exe and runs it under Wine, on $DISPLAY or on a virtual display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target Pelorine
if [ -z "${DISPLAY:-}" ]; then
  echo "No \$DISPLAY: Pelorine runs on a virtual Xvfb display (:97, 1280x1024)."
fi
source scripts/test-env.sh
echo "Running build/win/Pelorine.exe (DISPLAY=$DISPLAY)"
exec wine build/win/Pelorine.exe
