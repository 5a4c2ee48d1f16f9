#!/usr/bin/env bash
# Save-to-file speed on the 1280 × 1024 virtual display: Pelorine's F10 (press to finished file)
# for PNG, JPEG and BMP beside ImageMagick's import and scrot taking the same screen in the same
# run; F10 to a BMP at full colour and at 256 colours of a screen full of photograph-like
# colours; each step of a save timed inside a Win32 program, with our PNG writer beside the
# platform's encoder; and the colour reductions of a 1920 × 1080 photograph-like picture beside
# ImageMagick's, each with its mean error. Then the same display is started anew at 3840 × 2160
# and 7680 × 4320: F10 of a photograph-like screen to PNG and JPEG beside scrot and import, and
# to a 256-colour BMP; Pelorine's peak memory in screen buffers (of the banded screen read that
# only Wine takes); and the stages
# at 3840 × 2160. Then F10 of a photograph with noise in every channel at 1280 × 1024 and
# 3840 × 2160 (NOISY_SIZES) to PNG, JPEG and BMP at full and at 256 colours, beside the peers,
# and the stages of a save at 3840 × 2160 with that photograph over the screen.
# BIG=N skips those; RUNS_BIG (default 5) sets their runs, BIG_SIZES (WxH ...) their screens;
# SMALL=N skips the 1280 × 1024 tables.
# Usage: bench/save-benchmark.sh [windows build folder]   (save_bench and Pelorine built there)
# PELORINE_DISPLAY picks the X display (default :98; give each concurrent user their own: its X
# server is restarted at other sizes and left at 1280 × 1024);
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
    import75) import -window root -quality 75 "$2" ;;
    import256) import -window root -dither FloydSteinberg -colors 256 "$2" ;;
    scrot) scrot -o "$2" ;;
  esac
}

# The Pelorine.exe of this prefix (other users of the machine run their own).
pelorine_pid() {
  local p
  for p in $(pgrep -f 'Pelorine\.exe'); do
    tr '\0' '\n' 2>/dev/null <"/proc/$p/environ" | grep -qx "WINEPREFIX=$WINEPREFIX" && { echo "$p"; return; }
  done 2>/dev/null
}
status_kb() { awk -v k="$2:" '$1 == k { print $2 }' "/proc/$1/status" 2>/dev/null; }

# Pelorine's F10 runs, with the peers taking the same screen after each press while Pelorine
# waits for the next, so that all of them meet the machine in the same state (how fast scrot
# runs here changed by half between a quiet machine and one running Wine). Prints "name ms"
# lines, Pelorine's in the order of the presses, then "memory <idle KB> <peak KB>" (resident
# before the first press, and the most it held by the last) and "step <folder>" (where the
# last saved file was copied as last.<ext>).
interleaved() {  # format, extension, save_bench options, peers...
  local format=$1 ext=$2 options=$3 step out pid i peer
  shift 3
  # The last run's program has ended: its memory is not this run's.
  for _ in $(seq 100); do [ -z "$(pelorine_pid)" ] && break; sleep 0.1; done
  step=$(mktemp -d -p "$work")
  out=$step/pelorine.txt
  : >"$out"
  # shellcheck disable=SC2086
  wine "$build/bench/save_bench.exe" hotkey "$format" "$runs" $options step="$(winepath -w "$step")" >"$out" 2>/dev/null &
  pid=$!
  local app="" idle="" peak=""
  for _ in $(seq 300); do app=$(pelorine_pid) && [ -n "$app" ] && break; sleep 0.1; done
  sleep 2 # started and settled, with the photograph-like screen shown
  [ -n "$app" ] && idle=$(status_kb "$app" VmRSS)
  for i in $(seq 0 $((runs - 1))); do
    touch "$step/go$i"
    for _ in $(seq 2000); do
      [ "$(grep -c '^F10' "$out")" -gt "$i" ] && break
      sleep 0.1
    done
    sleep 0.7 # the command finishes its clipboard and the window settles
    [ -n "$app" ] && peak=$(status_kb "$app" VmHWM)
    for peer in "$@"; do echo "$peer $(time_ms run_peer "$peer" "$work/$peer$i.$ext")"; done
  done
  touch "$step/go$runs" # the program and its screen may go now
  wait "$pid" || true
  tr -d '\r' <"$out" | awk '/^F10/ { print "pelorine", $3 }'
  echo "memory ${idle:-0} ${peak:-0}"
  echo "step $step"
}

# The median of one name's times; Pelorine's first press (no tray icon to take away yet) apart.
of() { awk -v n="$1" '$1 == n && $2 != "failed" { print $2 }' "$2" | if [ "$1" = pelorine ]; then tail -n +2; else cat; fi | median; }
first() { awk '$1 == "pelorine" { print $2; exit }' "$1"; }

echo "# Load average at the start: $(cut -d' ' -f1-3 /proc/loadavg); Wine windows managed: $(grep -qs '^"Managed"="N"' "$WINEPREFIX/user.reg" && echo N || echo Y)"
echo
if [ "${SMALL:-Y}" != N ]; then
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
wine "$build/bench/save_bench.exe" stages "$runs" "$(winepath -w "$work/picture.bmp")" \
  "$(winepath -w "$root/docs/pelorine.png")" 2>/dev/null | tr -d '\r' >"$work/stages.txt"
sed -n '/^colour reduction/q;p' "$work/stages.txt"

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
fi

[ "${BIG:-Y}" = N ] && exit 0

# The benchmark's display, started anew with a screen of another size; Wine's server of the
# prefix ends first, so that the next Wine program sees the new screen.
screen_size() {  # WxH
  local lock=/tmp/.X${PELORINE_DISPLAY#:}-lock xpid
  wineserver -k 2>/dev/null || true
  if [ -f "$lock" ]; then
    xpid=$(tr -d ' ' <"$lock")
    kill "$xpid" 2>/dev/null || true
    for _ in $(seq 100); do kill -0 "$xpid" 2>/dev/null || break; sleep 0.1; done
  fi
  Xvfb "$PELORINE_DISPLAY" -screen 0 "${1}x24" -nolisten tcp >/dev/null 2>&1 &
  for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
}
trap 'screen_size 1280x1024; rm -rf "$work"' EXIT

mb() { awk -v k="$1" 'BEGIN { printf "%.0f", k / 1024 }'; }
# F10 of a photograph-like screen beside peers, with memory and a check of the file.
big_row() {  # WxH, label, format, ext, save_bench options, peers...
  local size=$1 label=$2 format=$3 ext=$4 options=$5 peer=${6:-} w h idle peak buffers step check p ms
  shift 5
  w=${size%x*} h=${size#*x}
  runs=$big_runs interleaved "$format" "$ext" "$options" "$@" >"$work/big.txt"
  p=$(of pelorine "$work/big.txt")
  read -r _ idle peak <<<"$(grep '^memory' "$work/big.txt")"
  step=$(awk '$1 == "step" { print $2 }' "$work/big.txt")
  buffers=$(awk -v i="$idle" -v p="$peak" -v s=$((w * h * 4)) 'BEGIN { printf "%.1f", (p - i) * 1024 / s }')
  # The file: its size and depth, and for PNG its pixels against scrot's picture of the same screen.
  check=$(identify -format '%wx%h %k colours' "$step/last.$ext" 2>/dev/null || echo "no file")
  if [ "$ext" = png ] && [ -f "$work/scrot$((big_runs - 1)).png" ]; then
    check+=", $({ compare -metric AE "$step/last.png" "$work/scrot$((big_runs - 1)).png" null: 2>&1 || true; } | head -c 20) px differ from scrot"
  fi
  local cells=""
  for peer in "$@"; do
    ms=$(of "$peer" "$work/big.txt")
    cells+=" $peer ${ms:-n/a} ms ($(ratio "$p" "$ms"));"
  done
  printf '| %-9s | %-12s | %9s | %-34s | %7s | %7s | %7s | %s |\n' "$size" "$label" "${p:-n/a}" "${cells:- }" \
    "$(mb "$idle")" "$(mb "$peak")" "$buffers" "$check"
}

big_runs=${RUNS_BIG:-5}
echo
echo "F10 of a photograph-like screen to the finished file, median of $big_runs runs (ms; P / peer in brackets)."
echo "Memory: Pelorine's resident size before the first press and at its peak; buffers = (peak - idle) / (width x height x 4)."
echo "The memory rows measure the path taken under Wine, where the screen is read in bands of about 1 MB (Windows reads it in one blit)."
printf '| %-9s | %-12s | %9s | %-34s | %7s | %7s | %7s | %s |\n' screen save Pelorine peers 'idle MB' 'peak MB' buffers file
printf '| %-9s | %-12s | %9s | %-34s | %7s | %7s | %7s | %s |\n' --- --- ---: --- ---: ---: ---: ---
for size in ${BIG_SIZES:-3840x2160 7680x4320}; do
  screen_size "$size"
  big_row "$size" PNG png png "photo" scrot $([ "$size" = 3840x2160 ] && echo import)
  big_row "$size" JPEG jpeg jpg "photo" import75
  big_row "$size" 'BMP 256' bmp bmp "depth=2 photo"
  if [ "$size" = 3840x2160 ]; then
    wine "$build/bench/save_bench.exe" stages "$big_runs" "" "$(winepath -w "$root/docs/pelorine.png")" 2>/dev/null |
      tr -d '\r' >"$work/stages4k.txt"
  fi
done
echo
if [ -f "$work/stages4k.txt" ]; then sed -n '/^colour reduction/q;p' "$work/stages4k.txt"; fi

# The same saves of a photograph with sensor noise in every channel (gradients, each channel of
# each pixel off by up to ±16), which leaves the encoders and the colour reduction nothing to
# spare; the BMP at full colour gives the reduction's cost as the difference.
echo
echo "F10 of a noisy photograph (±16 in each channel) to the finished file, median of $big_runs runs (ms; P / peer in brackets)."
printf '| %-9s | %-12s | %9s | %-34s | %7s | %7s | %7s | %s |\n' screen save Pelorine peers 'idle MB' 'peak MB' buffers file
printf '| %-9s | %-12s | %9s | %-34s | %7s | %7s | %7s | %s |\n' --- --- ---: --- ---: ---: ---: ---
for size in ${NOISY_SIZES:-1280x1024 3840x2160}; do
  screen_size "$size"
  big_row "$size" PNG png png "noisy" scrot import
  big_row "$size" JPEG jpeg jpg "noisy" import75
  big_row "$size" 'BMP full' bmp bmp "depth=4 noisy" import
  big_row "$size" 'BMP 256' bmp bmp "depth=2 noisy" import256
  if [ "$size" = 3840x2160 ]; then
    wine "$build/bench/save_bench.exe" stages "$big_runs" "" "" noisy 2>/dev/null | tr -d '\r' |
      sed -n '/^PNG of/q;p' >"$work/stages4k-noisy.txt"
  fi
done
if [ -f "$work/stages4k-noisy.txt" ]; then
  echo
  echo "The stages of a save at 3840 x 2160 with the noisy photograph over the screen:"
  cat "$work/stages4k-noisy.txt"
fi
