#!/usr/bin/env bash
# Draws the application icon's 32 x 32, 256-colour image: a shaded turquoise sphere. The other
# sizes are drawn by make_icon (tools/make_icon.cpp), which keeps this image as it is; run it
# after this script: make_icon forms/Pelorine.ico.
set -euo pipefail
out=${1:-"$(dirname "$0")/../forms/Pelorine.ico"}
convert -size 32x32 xc:none \
  \( -size 30x30 radial-gradient:'#b0ffff'-'#008080' -gravity northwest \) \
  -geometry +1+1 -compose over -composite \
  \( -size 32x32 xc:black -fill white -draw 'circle 15.5,15.5 15.5,1' \) \
  -alpha off -compose copy_opacity -composite -colors 255 "$out"
