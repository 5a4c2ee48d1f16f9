#!/usr/bin/env bash
# Runs the print test's refused-job case while the default queue rejects jobs: under Wine
# that is what makes a print fail (EndDoc reports it), whereas a stopped queue holds the
# job and a default printer written into the prefix's registry is overwritten from CUPS.
# The queue takes jobs again however this ends.
# Usage: print-refused.sh <e2e_print.exe>. Exit 77: no PDF queue to refuse with
# (a failure with PELORINE_REQUIRE_CUPS set).
set -uo pipefail
test_exe=${1:?test program}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$root/scripts/test-env.sh"
if ! command -v cupsreject >/dev/null || [ "$(lpstat -d 2>/dev/null)" != "system default destination: PDF" ]; then
  pelorine_no_printer "no default PDF queue"
fi

if lpstat -a PDF 2>/dev/null | grep -q '^PDF accepting'; then
  trap 'cupsaccept PDF' EXIT
  trap 'exit 1' INT TERM HUP
fi
cupsreject -r "print test: refused on purpose" PDF || pelorine_no_printer "cannot make the queue refuse jobs"
# Ends well inside CTest's own limit, which would kill this script before it could clean up.
log=$(PELORINE_PRINTER_REFUSES=1 timeout -k 5 120 "$root/scripts/wine-run.sh" "$test_exe" --gtest_color=no \
  --gtest_filter='PrintRefusedTest.*' 2>&1)
status=$?
echo "$log"
# A skip would pass unnoticed.
grep -q '^\[       OK \] PrintRefusedTest\.' <<<"$log" && [ "$status" -eq 0 ]
