#!/usr/bin/env bash
# Draws the information window's logo: four overlapping turquoise spheres, like the main
# window's skin, beside the name "Pelorine" in a turquoise gradient with a soft shadow.
# 200 x 54, 256 colours, a palette bitmap the resource compiler stores as it is.
set -euo pipefail
out=${1:-"$(dirname "$0")/../forms/Logo.bmp"}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One shaded sphere of the given diameter, lit from the upper left.
sphere() {
  local d=$1 file=$2
  convert -size "$((2 * d))x$((2 * d))" radial-gradient:'#e0ffff'-'#00a0a8' \
    -crop "${d}x${d}+$((2 * d / 3))+$((2 * d / 3))" +repage \
    \( -size "${d}x${d}" xc:black -fill white -draw "circle $((d / 2)),$((d / 2)) $((d / 2)),1" \) \
    -alpha off -compose copy_opacity -composite "$file"
}
sphere 24 "$work/big.png"
sphere 20 "$work/small.png"

# The name: a vertical turquoise gradient cut out by the lettering.
font=DejaVu-Sans-Bold
convert -size 150x44 xc:black -font "$font" -pointsize 31 -fill white -gravity west -annotate +2+0 Pelorine \
  "$work/mask.png"
convert -size 150x44 gradient:'#5ff0e8'-'#00707c' "$work/mask.png" -alpha off -compose copy_opacity -composite \
  "$work/name.png"
convert "$work/mask.png" -background black -alpha shape -channel A -evaluate multiply 0.45 +channel \
  -fill '#406060' -colorize 100 -blur 0x1.5 "$work/shadow.png"

convert -size 200x54 xc:white \
  "$work/small.png" -geometry +2+22 -compose over -composite \
  "$work/big.png" -geometry +12+6 -compose over -composite \
  "$work/small.png" -geometry +26+20 -compose over -composite \
  "$work/small.png" -geometry +14+26 -compose over -composite \
  "$work/shadow.png" -geometry +48+3 -compose over -composite \
  "$work/name.png" -geometry +46+1 -compose over -composite \
  -alpha off -dither None -colors 256 -type Palette -compress None "BMP3:$out"
