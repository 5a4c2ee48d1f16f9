#!/usr/bin/env bash
# Reads the pages that the print test left behind (<name>.pdf, with the captured picture's
# size in pixels in <name>.size) as a person would look at paper: the header "ヘッダー テスト"
# and the footer "フッター 1" just inside the top and bottom margins from the left margin,
# in the embedded Japanese font, and the picture inside the margins (top 20, bottom 15,
# left 25, right 10 mm) at 96 pixels an inch or shrunk to the width between them, centred.
# Usage: check-e2e-pdf.sh <folder>. Exit 77: the test had no PDF printer and left nothing
# (a failure with PELORINE_REQUIRE_CUPS set).
set -uo pipefail
dir=${1:?folder of printed pages}
shopt -s nullglob
pdfs=("$dir"/*.pdf)
[ ${#pdfs[@]} -gt 0 ] || {
  echo "no printed pages in $dir"
  exit "$([ -n "${PELORINE_REQUIRE_CUPS:-}" ] && echo 1 || echo 77)"
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
font=$(fc-match IPAPGothic --format='%{file}')

# 127 dpi: 5 pixels a millimetre; A4 is 1050 x 1485.
mm=5 pageW=1050 pageH=1485
top=$((20 * mm)) bottom=$(((297 - 15) * mm)) left=$((25 * mm)) right=$(((210 - 10) * mm))
header="ヘッダー テスト" footer="フッター 1"

failures=0
check() { # description, condition...
  local what=$1; shift
  if "$@"; then echo "ok:   $what"; else echo "FAIL: $what"; failures=$((failures + 1)); fi
}
near() { [ $(( $1 > $2 ? $1 - $2 : $2 - $1 )) -le "$3" ]; }
bounds() { # image, ImageMagick options... -> "left top right bottom" of what is not white
  local w h x y
  IFS='x+' read -r w h x y < <(convert "$@" -format '%@' info:)
  echo "$x $y $((x + w)) $((y + h))"
}
# Text is black: the dark pixels in rows first..last of the page.
text() {
  local l t r b
  read -r l t r b < <(bounds "$page" -crop "${pageW}x$(($2 - $1))+0+$1" +repage -colorspace gray -threshold 60%)
  echo "$l $((t + $1)) $r $((b + $1))"
}
# Width in pixels of a line set in the header font at 9 pt, as the printer should show it.
typeset_width() { convert -font "$font" -pointsize 9 -density 127 label:"$1" -trim -format '%w' info:; }

for pdf in "${pdfs[@]}"; do
  name=$(basename "$pdf" .pdf)
  echo "== $name"
  check "$name: the header font is embedded" grep -qE 'IPAPGothic +TrueType.* yes ' <(pdffonts "$pdf")
  pdftoppm -r 127 -singlefile "$pdf" "$work/$name"
  page="$work/$name.ppm"

  # Between the text bands: the picture, whatever its colours.
  read -r pl pt pr pb < <(bounds "$page" -crop "${pageW}x$((bottom - top - 12 * mm))+0+$((top + 6 * mm))" +repage \
    -fuzz 5% -fill black +opaque white)
  pt=$((pt + top + 6 * mm)) pb=$((pb + top + 6 * mm))

  read -r hl ht hr hb < <(text 0 "$pt")
  check "$name: header in the top margin's first line from the left margin: rows $ht-$hb, columns $hl-$hr" \
    eval '[ "$ht" -ge $((top - 1)) ] && [ "$hb" -le $((top + 5 * mm)) ] && near "$hl" "$left" $((2 * mm))'
  check "$name: header is \"$header\" by its width: $((hr - hl))" near $((hr - hl)) "$(typeset_width "$header")" "$mm"
  read -r fl ft fr fb < <(text "$pb" "$pageH")
  check "$name: footer in the bottom margin's last line from the left margin: rows $ft-$fb, columns $fl-$fr" \
    eval '[ "$fb" -le $((bottom + 1)) ] && [ "$ft" -ge $((bottom - 5 * mm)) ] && near "$fl" "$left" $((2 * mm))'
  check "$name: footer is \"$footer\" by its width: $((fr - fl))" near $((fr - fl)) "$(typeset_width "$footer")" "$mm"

  # The pictures of this test are limited by the width between the margins, never by the height.
  read -r w h < "$dir/$name.size"
  read -r wantW wantH < <(awk -v w="$w" -v h="$h" -v room=$((right - left)) 'BEGIN {
    f = 127 / 96; if (w * f > room) f = room / w; printf "%d %d\n", w * f + 0.5, h * f + 0.5 }')
  check "$name: picture $((pr - pl)) x $((pb - pt)), wanted $wantW x $wantH" \
    eval 'near $((pr - pl)) "$wantW" "$mm" && near $((pb - pt)) "$wantH" "$mm"'
  check "$name: picture between the text lines and the side margins: $pl,$pt-$pr,$pb" \
    eval '[ "$pl" -ge $((left - 1)) ] && [ "$pr" -le $((right + 1)) ] && [ "$pt" -gt "$hb" ] && [ "$pb" -lt "$ft" ]'
  check "$name: picture centred between the side margins" near $((pl - left)) $((right - pr)) "$mm"
  check "$name: picture centred between header and footer" near $((pt - top)) $((bottom - pb)) "$mm"
done
[ "$failures" -eq 0 ]
