#!/usr/bin/env bash
# Reads every file the save test left behind with ImageMagick, a decoder of its own, and holds
# it against what the test expected: format, size, at most so many colours, colour space.
set -u
dir=${1:?folder of saved files}
shopt -s nullglob
expects=("$dir"/*.expect)
[ ${#expects[@]} -gt 0 ] || { echo "no saved files in $dir"; exit 1; }
failed=0
for expect in "${expects[@]}"; do
  read -r ext width height format maxColours space < <(tr -d '\r' < "$expect")
  file=${expect%.expect}$ext
  got=$(identify -format '%m %w %h %k %[colorspace]' "$file[0]" 2>&1) || { echo "FAIL $file: $got"; failed=1; continue; }
  read -r gotFormat gotWidth gotHeight gotColours gotSpace <<< "$got"
  problem=""
  [ "$gotFormat $gotWidth $gotHeight" = "$format $width $height" ] || problem="is $gotFormat $gotWidth x $gotHeight"
  [ "$maxColours" -eq 0 ] || [ "$gotColours" -le "$maxColours" ] || problem+=" has $gotColours colours"
  [ "$space" = "-" ] || [ "$gotSpace" = "$space" ] || problem+=" is in $gotSpace"
  if [ -n "$problem" ]; then
    echo "FAIL $(basename "$file") (want $format $width x $height, <= $maxColours colours, $space):$problem"
    failed=1
  else
    echo "ok   $(basename "$file"): $got"
  fi
done
exit $failed
