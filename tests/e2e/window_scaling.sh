#!/usr/bin/env bash
# The window at the screen scales other than 100 %: the real Pimbrel.exe under Wine, in a
# Wine prefix of its own whose LogPixels is set to 120, 144, 168 and 192 DPI in turn (125,
# 150, 175 and 200 %). At each, the probe reads the client area and the banner's two
# pictures: the layout scales with the DPI and the logo fills its control at the scale's
# size (drawn for that scale, or at 175 % scaled from the 200 % drawing). Saves a screenshot
# of the window at each DPI in build/e2e/window_scaling/.
# Ends with "window_scaling: N passed, M failed".
set -uo pipefail
E2E_WINEPREFIX=${E2E_SCALED_WINEPREFIX:-$(cd "$(dirname "$0")/../.." && pwd)/build/e2e/wineprefix-scaled}
source "$(dirname "$0")/e2e_env.sh"

out=$E2E_ROOT/build/e2e/window_scaling
exe=$(find "$E2E_BUILD" -name Pimbrel.exe -path '*win32*' -print -quit 2>/dev/null)
probe_exe=$(find "$E2E_BUILD" -name probe.exe -print -quit 2>/dev/null)
passed=0
failed=0

probe() { timeout 60 wine "$probe_exe" "$@" 2>/dev/null | tr -d '\r'; }

check() {
  local name=$1; shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $name" >&2; fi
}

# Twips to pixels at a DPI, halves rounded up, as the program rounds them.
px() { echo $(( ($1 * $2 + 720) / 1440 )); }

# at_dpi DPI: sets the prefix's DPI, starts the program in a folder of pictures, checks.
at_dpi() {
  local dpi=$1 dir=$out/folder controls
  timeout 60 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  wineserver -k 2>/dev/null; sleep 0.5  # the DPI is read as the server and the program start
  (cd "$dir" && exec wine Pimbrel.exe >/dev/null 2>&1) &
  local pid=$!
  check "$dpi DPI: the window shows" bash -c "wine '$probe_exe' wait-main 30000 >/dev/null 2>&1"
  sleep 0.5
  controls=$(probe controls)
  printf '%s\n' "$controls" >"$out/dpi-$dpi.controls.txt"
  local width height left strip logo
  width=$(px 3975 "$dpi"); height=$(px 2265 "$dpi"); left=$(px 600 "$dpi"); strip=$(px 600 "$dpi")
  logo=$(px 2610 "$dpi")
  check "$dpi DPI: client area ${width}x$height" \
    grep -qE "^window class=PimbrelMain .* client=${width}x$height " <<<"$controls"
  check "$dpi DPI: logo at $left,0,$logo,$strip" \
    grep -qE "^control .*class=Static .*rect=$left,0,$logo,$strip " <<<"$controls"
  check "$dpi DPI: strip at 0,0,$width,$strip" \
    grep -qE "^control .*class=Static .*rect=0,0,$width,$strip " <<<"$controls"
  local x y w h
  IFS=, read -r x y w h < <(sed -nE 's/^window .* frame=([-0-9,]+)$/\1/p' <<<"$controls")
  [ -n "${h:-}" ] && import -window root -crop "${w}x${h}+${x}+${y}" "$out/dpi-$dpi.png" 2>/dev/null
  probe close >/dev/null
  e2e_wait_for 15 bash -c "! kill -0 $pid 2>/dev/null" || kill "$pid" 2>/dev/null
}

main() {
  if [ -z "$exe" ] || [ -z "$probe_exe" ]; then
    echo "window_scaling: build the windows preset first (Pimbrel.exe, probe.exe)" >&2
    echo "window_scaling: 0 passed, 1 failed"
    exit 1
  fi
  mkdir -p "$out"
  e2e_start_display || { echo "window_scaling: 0 passed, 1 failed"; exit 1; }
  trap 'e2e_stop_display' EXIT
  e2e_prepare_prefix || { echo "window_scaling: 0 passed, 1 failed"; exit 1; }
  rm -rf "$out/folder"; mkdir -p "$out/folder"
  local f
  for f in a.gif b.gif c.png; do printf 'x' >"$out/folder/$f"; done
  cp "$exe" "$out/folder/Pimbrel.exe"
  local dpi
  for dpi in 120 144 168 192; do at_dpi "$dpi"; done
  wineserver -k 2>/dev/null
  echo "window_scaling: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}

main "$@"
