# Shared by the end-to-end scripts: a private 32-bit Wine prefix and a display.
# Source it; it defines E2E_* variables and the functions below. Every wait is bounded.

E2E_ROOT=${E2E_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
E2E_BUILD=${E2E_BUILD:-$E2E_ROOT/build/windows}
export WINEARCH=win32
export WINEPREFIX=${E2E_WINEPREFIX:-$E2E_ROOT/build/e2e/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
# The ANSI code page of the prefix: cp1252 under an English UTF-8 locale.
export LANG=C.UTF-8 LC_ALL=C.UTF-8

e2e_xvfb_pid=""

# e2e_log MESSAGE...
e2e_log() { echo "[$(date +%H:%M:%S)] $*" >&2; }

# e2e_wait_for SECONDS COMMAND...: polls every 0.1 s until COMMAND succeeds.
e2e_wait_for() {
  local deadline=$(( $(date +%s%N) + $1 * 1000000000 )); shift
  until "$@"; do
    [ "$(date +%s%N)" -ge "$deadline" ] && return 1
    sleep 0.1
  done
}

# Starts Xvfb when there is no display (or E2E_XVFB=1).
e2e_start_display() {
  if [ -n "${DISPLAY:-}" ] && [ "${E2E_XVFB:-0}" != 1 ]; then return 0; fi
  local n
  for n in $(seq 91 120); do
    [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] || break
  done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  e2e_xvfb_pid=$!
  export DISPLAY=":$n"
  e2e_wait_for 10 test -e "/tmp/.X11-unix/X$n" || { echo "Xvfb did not start" >&2; return 1; }
}

e2e_stop_display() {
  [ -n "$e2e_xvfb_pid" ] && kill "$e2e_xvfb_pid" 2>/dev/null
  e2e_xvfb_pid=""
}

# Creates the prefix once, with the settings the suites rely on.
e2e_prepare_prefix() {
  if [ ! -f "$WINEPREFIX/.e2e-ready" ]; then
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    e2e_log "creating the Wine prefix $WINEPREFIX"
    timeout 180 wineboot -i >/dev/null 2>&1 || { echo "wineboot failed" >&2; return 1; }
    # Dot files listed as on Windows; no 2 s stall on hiding captioned windows without a WM.
    timeout 60 wine reg add 'HKCU\Software\Wine' /v ShowDotFiles /d Y /f >/dev/null 2>&1
    timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    timeout 60 wineserver -w
    touch "$WINEPREFIX/.e2e-ready"
  fi
  wineserver -p 30 2>/dev/null || true  # keep the server up between the scenarios
}

# e2e_winpath UNIXPATH: the same file as a Wine path (drive Z: is the root).
e2e_winpath() { local p; p=$(realpath -m "$1"); echo "Z:${p//\//\\}"; }
