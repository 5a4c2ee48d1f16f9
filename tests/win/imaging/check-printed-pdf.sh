#!/usr/bin/env bash
# Prints the test page of the Wine test (red picture 1600 x 400, header and footer, margins
# top 10, bottom 10, left 20, right 15 mm) to the CUPS PDF queue and checks the PDF: the
# Japanese font reached the printer, the header and footer sit inside their margins, and
# the picture fills the width between the margins to within a millimetre.
# Usage: check-printed-pdf.sh <win_print.exe>. Exit 77: no printer to test with
# (a failure with PELORINE_REQUIRE_CUPS set).
set -euo pipefail
test_exe=$1
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
source "$root/scripts/test-env.sh"
source "$root/scripts/cups-env.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
pdf="$PELORINE_PDF_DIR/Pelorine.pdf" # cups-pdf names the file after the document title
touch "$work/stamp"
sleep 0.01

"$root/scripts/wine-run.sh" "$test_exe" --gtest_color=no \
  --gtest_filter=ImagePrint.PrintsOnTheDefaultPrinter >"$work/log" 2>&1 || { cat "$work/log"; exit 1; }
grep -q '^\[  SKIPPED \]' "$work/log" && pelorine_no_printer "no default printer"

# The job reaches cups-pdf after Wine's spooler and Ghostscript: about a second here.
started=$(date +%s%N)
for _ in $(seq 300); do
  [ "$pdf" -nt "$work/stamp" ] && [ -z "$(lpstat -o PDF 2>/dev/null)" ] && pdfinfo "$pdf" >/dev/null 2>&1 && break
  sleep 0.1
done
[ "$pdf" -nt "$work/stamp" ] || { echo "FAIL: no new $pdf after 30 s"; exit 1; }
echo "PDF ready $(( ($(date +%s%N) - started) / 1000000 )) ms after the print returned"

failures=0
check() { # description, condition...
  local what=$1; shift
  if "$@"; then echo "ok: $what"; else echo "FAIL: $what"; failures=$((failures + 1)); fi
}
near() { [ $(( $1 > $2 ? $1 - $2 : $2 - $1 )) -le "$3" ]; }

check "the header font is embedded" grep -q IPAPGothic <(pdffonts "$pdf")

# 127 dpi: 5 pixels a millimetre; A4 is 1050 x 1485.
pdftoppm -r 127 -singlefile "$pdf" "$work/page"
page="$work/page.ppm"
bounds() { # image, ImageMagick options... -> "left top right bottom" of what is not white
  local geometry w h x y
  geometry=$(convert "$@" -format '%@' info:)
  IFS='x+' read -r w h x y <<<"$geometry"
  echo "$x $y $((x + w)) $((y + h))"
}
read -r left top right bottom < <(bounds "$page" -fuzz 25% -fill white +opaque red)
mm=5
check "picture at the left margin (20 mm): $left" near "$left" $((20 * mm)) "$mm"
check "picture at the right margin (15 mm): $right" near "$right" $(((210 - 15) * mm)) "$mm"
check "picture 4 times as wide as high: ${right}-${left} x ${bottom}-${top}" \
  near $(((right - left) / 4)) $((bottom - top)) 2
check "picture centred between top and bottom margins" \
  near $((top - 10 * mm)) $(((297 - 10) * mm - bottom)) "$mm"

text() { # first row, rows -> bounds of dark pixels in that band, in page coordinates
  local l t r b
  read -r l t r b < <(bounds "$page" -crop "1050x$2+0+$1" +repage -colorspace gray -threshold 60%)
  echo "$l $((t + $1)) $r $((b + $1))"
}
read -r hl ht hr hb < <(text 0 "$top")
check "header line inside the top margin: rows $ht-$hb, from column $hl" \
  eval '[ "$ht" -ge $((10 * mm - 1)) ] && [ "$hb" -le $((16 * mm)) ] && [ "$hl" -ge $((20 * mm - 1)) ] && [ "$hr" -gt "$hl" ]'
read -r fl ft fr fb < <(text "$bottom" $((1485 - bottom)))
check "footer line inside the bottom margin: rows $ft-$fb, from column $fl" \
  eval '[ "$fb" -le $(((297 - 10) * mm + 1)) ] && [ "$ft" -ge $(((297 - 16) * mm)) ] && [ "$fl" -ge $((20 * mm - 1)) ] && [ "$fr" -gt "$fl" ]'

[ "$failures" -eq 0 ]
