#!/usr/bin/env bash
# Prepares the test environment; source it. Idempotent: an existing prefix, display or
# print queue is reused. Sets DISPLAY, WINEPREFIX, WINEDEBUG and WINEDLLOVERRIDES.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$root/build/win/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

# PELORINE_DISPLAY picks a virtual display of its own (tests that press keys and read the
# clipboard must not share one); otherwise a working $DISPLAY is used, else :97.
if [ -n "${PELORINE_DISPLAY:-}" ]; then
  export DISPLAY=$PELORINE_DISPLAY
elif [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  export DISPLAY=:97
fi
if ! xdpyinfo >/dev/null 2>&1; then
  Xvfb "$DISPLAY" -screen 0 "${PELORINE_SCREEN:-1280x1024}x24" -nolisten tcp >/dev/null 2>&1 &
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
fi

if [ ! -f "$WINEPREFIX/.pelorine-ready" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  # Map the Japanese UI face onto the installed IPA fonts.
  for face in "ＭＳ Ｐゴシック" "MS PGothic" "ＭＳ ゴシック" "MS Gothic" "MS UI Gothic"; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /t REG_SZ /d IPAPGothic /f >/dev/null 2>&1
  done
  wineserver -w
  touch "$WINEPREFIX/.pelorine-ready"
fi
# The logo's face (Verdana, which Windows installs) drawn by the look-alike the bench has.
if ! grep -qs '^"Verdana"="DejaVu Sans"' "$WINEPREFIX/user.reg"; then
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Verdana /t REG_SZ /d "DejaVu Sans" /f >/dev/null 2>&1
  wineserver -w
fi
# With no window manager on the display, Wine waits two seconds for one whenever it hides a
# window it leaves a window manager to manage: every desktop capture took that long, for the
# tray window that goes with the last tray icon. Unmanaged windows are hidden at once. On a
# desktop that has a window manager, Wine's windows stay managed as usual. The setting holds
# from the next start of the prefix's server.
# PELORINE_WINE_MANAGED=Y keeps them managed anyway (the benchmark measures the stall that way).
managed=N
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && managed=Y
managed=${PELORINE_WINE_MANAGED:-$managed}
if ! grep -qs "^\"Managed\"=\"$managed\"" "$WINEPREFIX/user.reg"; then
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d $managed /f >/dev/null 2>&1
  wineserver -w
fi
source "$root/scripts/cups-env.sh"
