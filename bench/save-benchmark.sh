#!/usr/bin/env bash
# Save-to-file speed on the 1280 × 1024 virtual display: Pelorine's F10 (press to finished file)
# for PNG, JPEG and BMP beside ImageMagick's import and scrot taking the same screen in the same
# run; F10 to a BMP at full colour and at 256 colours of a screen full of photograph-like
# colours; each step of a save timed inside a Win32 program; and the colour reductions of a
# 1920 × 1080 photograph-like picture beside ImageMagick's, each with its mean error.
# Usage: bench/save-benchmark.sh [windows build folder]   (save_bench and Pelorine built there)
# PELORINE_DISPLAY picks the X display (default :98; give each concurrent user their own);
# PELORINE_WINE_MANAGED=Y runs in a prefix of its own where Wine manages its windows, as it does
# on a prefix without the test environment's setting.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build/win}" && pwd)
runs=${RUNS:-7}
export PELORINE_DISPLAY=${PELORINE_DISPLAY:-:98}
if [ "${PELORINE_WINE_MANAGED:-}" = Y ]; then
  export WINEPREFIX=${WINEPREFIX:-$build/wineprefix-managed}
else
  export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
fi
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
ratio() { awk -v p="$1" -v q="$2" 'BEGIN { if (q > 0) printf "%.2f", p / q; else print "n/a" }'; }

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

echo "# Load average at the start: $(cut -d' ' -f1-3 /proc/loadavg); Wine windows managed: $(grep -qs '^"Managed"="N"' "$WINEPREFIX/user.reg" && echo N || echo Y)"
echo
echo "F10 to the finished file, 1280 x 1024 x 24 desktop with the tray icon present, median of $runs runs (ms)"
printf '| %-6s | %9s | %9s | %9s | %12s | %12s | %9s |\n' format Pelorine import scrot 'P / import' 'P / scrot' 'first F10'
printf '| %-6s | %9s | %9s | %9s | %12s | %12s | %9s |\n' --- ---: ---: ---: ---: ---: ---:
for format in png jpeg bmp; do
  ext=${format/jpeg/jpg}
  mapfile -t times < <(wine "$build/bench/save_bench.exe" hotkey "$format" "$runs" 2>/dev/null | tr -d '\r' | awk '/^F10/ { print $3 }')
  [ ${#times[@]} -gt 1 ] || { echo "$format: Pelorine produced no timings"; continue; }
  # The first F10 has no tray icon to take away yet; the others show what a user sees.
  pelorine=$(printf '%s\n' "${times[@]:1}" | median)
  import=$(peer_median import "$ext")
  scrot=$(peer_median scrot "$ext")
  printf '| %-6s | %9s | %9s | %9s | %12s | %12s | %9s |\n' "$format" "$pelorine" "${import:-n/a}" "${scrot:-n/a}" \
    "$(ratio "$pelorine" "$import")" "$(ratio "$pelorine" "$scrot")" "${times[0]}"
done
echo

# The colour reduction inside a save: F10 to a BMP at full colour and at 256 colours while a
# photograph-like picture covers the screen, beside import taking the same screen as it is and
# reduced to 256 colours with Floyd–Steinberg.
echo "F10 to a BMP of a screen full of photograph-like colours, median of $runs runs (ms)"
printf '| %-12s | %9s | %9s | %12s |\n' depth Pelorine import 'P / import'
printf '| %-12s | %9s | %9s | %12s |\n' --- ---: ---: ---:
wine "$build/bench/save_bench.exe" photo 600 >/dev/null 2>&1 &
photo=$!
sleep 3
declare -A photo_ms
for depth in 4 2; do
  mapfile -t times < <(wine "$build/bench/save_bench.exe" hotkey bmp "$runs" "$depth" photo 2>/dev/null | tr -d '\r' | awk '/^F10/ { print $3 }')
  [ ${#times[@]} -gt 1 ] || { echo "depth item $depth: Pelorine produced no timings"; continue; }
  photo_ms[$depth]=$(printf '%s\n' "${times[@]:1}" | median)
done
full_im=$(for i in $(seq "$runs"); do time_ms import -window root "$work/photo$i.bmp"; done | grep -v failed | median)
reduced_im=$(for i in $(seq "$runs"); do time_ms import -window root -dither FloydSteinberg -colors 256 "$work/photo$i.bmp"; done | grep -v failed | median)
kill "$photo" 2>/dev/null || true
printf '| %-12s | %9s | %9s | %12s |\n' 'full colour' "${photo_ms[4]:-n/a}" "$full_im" "$(ratio "${photo_ms[4]:-0}" "$full_im")"
printf '| %-12s | %9s | %9s | %12s |\n' '256 colours' "${photo_ms[2]:-n/a}" "$reduced_im" "$(ratio "${photo_ms[2]:-0}" "$reduced_im")"
printf '| %-12s | %9s | %9s | %12s |\n' 'increase' \
  "$(awk -v a="${photo_ms[2]:-0}" -v b="${photo_ms[4]:-0}" 'BEGIN { printf "%+.1f", a - b }')" \
  "$(awk -v a="$reduced_im" -v b="$full_im" 'BEGIN { printf "%+.1f", a - b }')" ''
echo
wine "$build/bench/save_bench.exe" stages "$runs" "$(winepath -w "$work/picture.bmp")" 2>/dev/null | tr -d '\r' >"$work/stages.txt"
sed -n '1,/^$/p' "$work/stages.txt"

# ImageMagick reducing the same picture: Floyd–Steinberg to 256, 16 and 2 colours and to grey,
# file to file, with its mean error per channel on the same 0-255 scale.
echo "Colour reduction, 1920 x 1080 photograph-like picture (ms, median of $runs; mean error per channel, 0-255)"
printf '| %-22s | %9s | %9s | %12s | %13s | %13s |\n' reduction Pelorine ImageMagick 'P / IM' 'P mean error' 'IM mean error'
printf '| %-22s | %9s | %9s | %12s | %13s | %13s |\n' --- ---: ---: ---: ---: ---:
sed -n '/^colour reduction/,$p' "$work/stages.txt" | tail -n +2 | while read -r line; do
  name=${line%%  *}
  read -r ms _ err <<<"${line#"$name"}"
  case $name in
    greyscale) args=(-colorspace Gray) ;;
    *) args=(-dither FloydSteinberg -colors "${name%% *}") ;;
  esac
  im=$(for i in $(seq "$runs"); do time_ms convert "$work/picture.bmp" "${args[@]}" "$work/im.bmp"; done | grep -v failed | median)
  convert "$work/picture.bmp" "${args[@]}" "$work/im.bmp"
  # compare exits with 1 when the pictures differ, which they do.
  im_err=$({ compare -metric MAE "$work/picture.bmp" "$work/im.bmp" null: 2>&1 || true; } |
    sed -n 's/.*(\([0-9.e+-]*\)).*/\1/p' | awk '{ printf "%.2f", $1 * 255 }')
  printf '| %-22s | %9s | %9s | %12s | %13s | %13s |\n' "$name" "$ms" "$im" "$(ratio "$ms" "$im")" "$err" "${im_err:-n/a}"
done
