#!/usr/bin/env bash
# Checks each file the image edit test saved with ImageMagick, against the manifest the test
# wrote beside them: "name format width height type colourspace max-colours same-pixels-as".
set -u
dir=${1:?folder of saved files}
manifest="$dir/manifest.txt"
[ -s "$manifest" ] || { echo "no manifest in $dir"; exit 1; }
command -v identify >/dev/null || { echo "ImageMagick identify is missing"; exit 1; }

passed=0 failed=0
while read -r name format width height type space colours reference; do
  got=$(identify -format '%m %w %h %[type] %[colorspace] %k %z' "$dir/$name" 2>&1)
  read -r gformat gwidth gheight gtype gspace gcolours _ <<<"$got"
  problem=""
  case "$got" in *identify*) problem+=" warning" ;; esac
  case "$gformat" in "$format"*) ;; *) problem+=" format" ;; esac
  [ "$gwidth $gheight" = "$width $height" ] || problem+=" size"
  [ "$gtype" = "$type" ] || problem+=" type"
  [ "$gspace" = "$space" ] || problem+=" colourspace"
  if [ "$colours" -gt 0 ] && ! [ "$gcolours" -le "$colours" ] 2>/dev/null; then problem+=" colours"; fi
  if [ "$reference" != "-" ]; then
    # A hair of tolerance: some encoders store 8-bit palettes in 16-bit TIFF slots as v << 8.
    diff=$(compare -metric AE -fuzz 0.5% "$dir/$name" "$dir/$reference" null: 2>&1)
    [ "$diff" = "0" ] || problem+=" pixels($diff differ from $reference)"
  fi
  if [ -n "$problem" ]; then
    echo "FAIL $name:$problem (identify: $got; wanted $format $width $height $type $space <=$colours)"
    failed=$((failed + 1))
  else
    echo "ok   $name: $got"
    passed=$((passed + 1))
  fi
done < <(tr -d '\r' <"$manifest")
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
