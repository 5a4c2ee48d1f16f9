#!/usr/bin/env bash
# Photographs the real Pelorine.exe for the README: a fresh copy with default settings, on a
# Wine desktop of its own (a calm blue) on a virtual display, so the shape of the window shows;
# optionally with the system set to another scale (Wine's LogPixels, in a prefix of its own).
# Usage: bash scripts/screenshot.sh [percent] [out.png]
#   (default 100 and docs/pelorine.png; another percent writes docs/pelorine-<percent>.png)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
percent=100
if [[ "${1:-}" =~ ^[0-9]+$ ]]; then
  percent=$1
  shift
fi
default_out=$root/docs/pelorine.png
[ "$percent" = 100 ] || default_out=$root/docs/pelorine-$percent.png
out=$(realpath -m "${1:-$default_out}")
cd "$root"
bash scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target Pelorine

export PELORINE_DISPLAY=${PELORINE_DISPLAY:-:96}
# The window sits at its default place (20, 20), 361 x 553 at 100 % (lengths round half up): a
# desktop 40 pixels larger leaves a margin round it. A new virtual screen is made at least as large.
width=$(((361 * percent + 50) / 100 + 40))
height=$(((553 * percent + 50) / 100 + 40))
export PELORINE_SCREEN=$((width > 1280 ? width : 1280))x$((height > 1024 ? height : 1024))
export WINEPREFIX="$root/build/win/wineprefix-screenshot"
[ "$percent" = 100 ] || WINEPREFIX+="-$percent"
source scripts/test-env.sh
wine reg add 'HKCU\Control Panel\Colors' /v Background /t REG_SZ /d "96 128 160" /f >/dev/null 2>&1
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d $((96 * percent / 100)) /f >/dev/null 2>&1
wineserver -w
folder="$WINEPREFIX/drive_c/Pelorine"
rm -rf "$folder"
mkdir -p "$folder"
cp build/win/Pelorine.exe build/win/Readme.txt "$folder/"
# A user's choices, so the lists show what they hold: PNG files, at full colour, unturned.
printf '[SET1]\r\nC1_01=4\r\nC1_03=4\r\nC1_04=0\r\nC1_05=0\r\n' >"$folder/Pelorine.ini"
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT

read -r screen_w screen_h < <(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1], d[2] }')
if ((screen_w < width || screen_h < height)); then
  echo "Display $DISPLAY is ${screen_w}x$screen_h; the picture needs ${width}x$height: use another PELORINE_DISPLAY" >&2
  exit 1
fi
wine explorer /desktop=Pelorine,${width}x$height 'C:\Pelorine\Pelorine.exe' >/dev/null 2>&1 &
for _ in $(seq 150); do
  xwininfo -root -tree 2>/dev/null | grep -q '"Pelorine": ("pelorine.exe"' && break
  sleep 0.2
done
sleep 3 # the first paint of every control
mkdir -p "$(dirname "$out")"
import -window root -crop "${width}x$height+0+0" +repage "$out"
echo "Wrote $out"
