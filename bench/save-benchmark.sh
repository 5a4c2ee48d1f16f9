#!/usr/bin/env bash
# Save-to-file speed on the 1280 × 1024 virtual display: Pelorine's F10 (press to finished file)
# for PNG, JPEG and BMP beside ImageMagick's import and scrot taking the same screen in the same
# run, then each step of a save timed inside a Win32 program.
# Usage: bench/save-benchmark.sh [windows build folder]   (save_bench and Pelorine built there)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build/win}" && pwd)
runs=${RUNS:-7}
export PELORINE_DISPLAY=${PELORINE_DISPLAY:-:98}
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
export PELORINE_BUILD=$build
# shellcheck source=/dev/null
source "$root/scripts/test-env.sh" >/dev/null 2>&1

install() { apt-get update -qq && apt-get install -y -qq --no-install-recommends "$1" >/dev/null; }
command -v import >/dev/null || install imagemagick
command -v scrot >/dev/null || install scrot
[ -f "$build/bench/save_bench.exe" ] || cmake --build "$build" --target save_bench Pelorine >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

median() { sort -n | awk '{ v[NR] = $1 } END { printf "%.1f", NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Milliseconds of one run of a command, ns clock.
time_ms() {
  local start end
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1 || { echo "failed"; return; }
  end=$(date +%s%N)
  awk -v d=$((end - start)) 'BEGIN { printf "%.1f\n", d / 1e6 }'
}

peer_median() {  # tool extension
  local i
  for i in $(seq "$runs"); do
    case $1 in
      import) time_ms import -window root "$work/import$i.$2" ;;
      scrot) time_ms scrot -o "$work/scrot$i.$2" ;;
    esac
  done | grep -v failed | median
}

echo "Save to file, 1280 x 1024 x 24 desktop, median of $runs runs (ms); ratio = Pelorine / peer"
printf '%-6s %10s %10s %10s %14s %14s %14s\n' format Pelorine import scrot 'P/import' 'P/scrot' 'first F10'
for format in png jpeg bmp; do
  ext=${format/jpeg/jpg}
  mapfile -t times < <(wine "$build/bench/save_bench.exe" hotkey "$format" "$runs" 2>/dev/null | tr -d '\r' | awk '/^F10/ { print $3 }')
  [ ${#times[@]} -gt 0 ] || { echo "$format: Pelorine produced no timings"; continue; }
  pelorine=$(printf '%s\n' "${times[@]}" | median)
  import=$(peer_median import "$ext")
  scrot=$(peer_median scrot "$ext")
  printf '%-6s %10s %10s %10s %14s %14s %14s\n' "$format" "$pelorine" "${import:-n/a}" "${scrot:-n/a}" \
    "$(awk -v p="$pelorine" -v q="$import" 'BEGIN { if (q > 0) printf "%.1f", p / q; else print "n/a" }')" \
    "$(awk -v p="$pelorine" -v q="$scrot" 'BEGIN { if (q > 0) printf "%.1f", p / q; else print "n/a" }')" \
    "${times[0]}"
done
echo "(first F10: the tray icon is not shown yet, so there is none to take away)"
echo
wine "$build/bench/save_bench.exe" stages "$runs" 2>/dev/null | tr -d '\r'
