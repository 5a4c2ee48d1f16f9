#!/usr/bin/env bash
# Prepares a CUPS server whose default printer "PDF" turns every job into a PDF file, so
# that printing can be tested without paper; source it (as root). Idempotent: a running
# scheduler and an existing queue are reused. Exports PELORINE_PDF_DIR, the folder where
# the PDF files of this user's jobs appear, named after the document title ("Pelorine.pdf",
# replaced by the next job of the same title).

# A printing test that finds no printer exits 77, which CTest counts as skipped; with
# PELORINE_REQUIRE_CUPS set (scripts/test.sh sets it) it fails instead.
pelorine_no_printer() {
  echo "$1"
  [ -n "${PELORINE_REQUIRE_CUPS:-}" ] && { echo "FAIL: PELORINE_REQUIRE_CUPS is set"; exit 1; }
  exit 77
}

if ! command -v cupsd >/dev/null || ! command -v lpadmin >/dev/null; then
  echo "cups-env: CUPS is not installed (scripts/install-deps.sh); printing tests will skip (fail with PELORINE_REQUIRE_CUPS set)" >&2
  return 0
fi

# cups-pdf must run as root to write into the user's own folder; CUPS runs a backend as
# root only when nobody but root may execute it.
if [ "$(id -u)" -eq 0 ] && [ -f /usr/lib/cups/backend/cups-pdf ]; then
  chmod 0700 /usr/lib/cups/backend/cups-pdf
fi

# lpstat -r exits 0 either way; only its text tells.
if ! lpstat -r 2>/dev/null | grep -q '^scheduler is running'; then
  cupsd
  for _ in $(seq 100); do
    lpstat -r 2>/dev/null | grep -q '^scheduler is running' && break
    sleep 0.1
  done
fi

if ! lpstat -p PDF >/dev/null 2>&1; then
  lpadmin -p PDF -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_noopt.ppd 2>/dev/null ||
    echo "cups-env: cannot create the PDF queue" >&2
fi
# Both: lpoptions sets this user's default (which Wine reads through libcups), lpadmin the
# server's default (for lp and every other user).
if [ "$(lpstat -d 2>/dev/null)" != "system default destination: PDF" ]; then
  lpadmin -d PDF || true
fi
lpoptions -d PDF >/dev/null || true

# cups-pdf.conf: "Out ${HOME}/PDF" of the job's owner.
PELORINE_PDF_DIR="$(getent passwd "$(id -un)" | cut -d: -f6)/PDF"
export PELORINE_PDF_DIR
