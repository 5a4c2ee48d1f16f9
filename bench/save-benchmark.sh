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
runs=${RUNS:-11}
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

run_peer() {  # name, output file
  case $1 in
    import) import -window root "$2" ;;
    import256) import -window root -dither FloydSteinberg -colors 256 "$2" ;;
    scrot) scrot -o "$2" ;;
  esac
}

# Pelorine's F10 runs, with the peers taking the same screen after each press while Pelorine
# waits for the next, so that all of them meet the machine in the same state (how fast scrot
# runs here changed by half between a quiet machine and one running Wine). Prints "name ms"
# lines, Pelorine's in the order of the presses.
interleaved() {  # format, extension, save_bench options, peers...
  local format=$1 ext=$2 options=$3 step out pid i peer
  shift 3
  step=$(mktemp -d -p "$work")
  out=$step/pelorine.txt
  : >"$out"
  # shellcheck disable=SC2086
  wine "$build/bench/save_bench.exe" hotkey "$format" "$runs" $options step="$(winepath -w "$step")" >"$out" 2>/dev/null &
  pid=$!
  for i in $(seq 0 $((runs - 1))); do
    touch "$step/go$i"
    for _ in $(seq 600); do
      [ "$(grep -c '^F10' "$out")" -gt "$i" ] && break
      sleep 0.1
    done
    sleep 0.7 # the command finishes its clipboard and the window settles
    for peer in "$@"; do echo "$peer $(time_ms run_peer "$peer" "$work/$peer$i.$ext")"; done
  done
  wait "$pid" || true
  tr -d '\r' <"$out" | awk '/^F10/ { print "pelorine", $3 }'
}

# The median of one name's times; Pelorine's first press (no tray icon to take away yet) apart.
of() { awk -v n="$1" '$1 == n && $2 != "failed" { print $2 }' "$2" | if [ "$1" = pelorine ]; then tail -n +2; else cat; fi | median; }
first() { awk '$1 == "pelorine" { print $2; exit }' "$1"; }

echo "# Load average at the start: $(cut -d' ' -f1-3 /proc/loadavg); Wine windows managed: $(grep -qs '^"Managed"="N"' "$WINEPREFIX/user.reg" && echo N || echo Y)"
echo
echo "F10 to the finished file, 1280 x 1024 x 24 desktop with the tray icon present, median of $runs runs (ms)"
printf '| %-6s | %9s | %9s | %9s | %12s | %12s | %9s |\n' format Pelorine import scrot 'P / import' 'P / scrot' 'first F10'
printf '| %-6s | %9s | %9s | %9s | %12s | %12s | %9s |\n' --- ---: ---: ---: ---: ---: ---:
for format in png jpeg bmp; do
  interleaved "$format" "${format/jpeg/jpg}" "" import scrot >"$work/times.txt"
  pelorine=$(of pelorine "$work/times.txt") import=$(of import "$work/times.txt") scrot=$(of scrot "$work/times.txt")
  printf '| %-6s | %9s | %9s | %9s | %12s | %12s | %9s |\n' "$format" "${pelorine:-n/a}" "${import:-n/a}" "${scrot:-n/a}" \
    "$(ratio "$pelorine" "$import")" "$(ratio "$pelorine" "$scrot")" "$(first "$work/times.txt")"
done
echo

# The colour reduction inside a save: F10 to a BMP at full colour and at 256 colours while a
# photograph-like picture covers the screen, beside import taking the same screen as it is and
# reduced to 256 colours with Floyd–Steinberg.
echo "F10 to a BMP of a screen full of photograph-like colours, median of $runs runs (ms)"
printf '| %-12s | %9s | %9s | %12s |\n' depth Pelorine import 'P / import'
printf '| %-12s | %9s | %9s | %12s |\n' --- ---: ---: ---:
interleaved bmp bmp "depth=4 photo" import >"$work/full.txt"
interleaved bmp bmp "depth=2 photo" import256 >"$work/reduced.txt"
full=$(of pelorine "$work/full.txt") full_im=$(of import "$work/full.txt")
reduced=$(of pelorine "$work/reduced.txt") reduced_im=$(of import256 "$work/reduced.txt")
printf '| %-12s | %9s | %9s | %12s |\n' 'full colour' "$full" "$full_im" "$(ratio "$full" "$full_im")"
printf '| %-12s | %9s | %9s | %12s |\n' '256 colours' "$reduced" "$reduced_im" "$(ratio "$reduced" "$reduced_im")"
printf '| %-12s | %9s | %9s | %12s |\n' 'increase' "$(awk -v a="$reduced" -v b="$full" 'BEGIN { printf "%+.1f", a - b }')" \
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
