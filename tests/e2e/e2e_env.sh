# Shared by the Wine suites, the Wine benchmark and the main job: a private Wine prefix and a
# display, the programs built for Windows and the driver that works them, and one
# scenario's folder, problems and verdict. Source it. Every wait is bounded.

E2E_ROOT=${E2E_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
E2E_BUILD=${E2E_BUILD:-$E2E_ROOT/build/windows}
E2E_WORK=${E2E_WORK:-$E2E_ROOT/build/e2e/scenarios}
E2E_TEMPLATES=$E2E_ROOT/build/e2e/templates
E2E_JOURNAL=${E2E_JOURNAL-journal.txt}
# A 32-bit prefix, or with E2E_WINEARCH=win64 a 64-bit one, as most users' Windows is: there
# the 32-bit program runs with the system's 32-bit DLLs from syswow64.
export WINEARCH=${E2E_WINEARCH:-win32}
case $WINEARCH in
  win32) export WINEPREFIX=${E2E_WINEPREFIX:-$E2E_ROOT/build/e2e/wineprefix} ;;
  win64) export WINEPREFIX=${E2E_WINEPREFIX:-$E2E_ROOT/build/e2e/wineprefix64} ;;
  *) echo "E2E_WINEARCH must be win32 or win64" >&2; return 1 ;;
esac
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export LANG=C.UTF-8 LC_ALL=C.UTF-8

built() { find "$E2E_BUILD" -name "$1" -print -quit 2>/dev/null; }
exe=$(built Pimbrel.exe)
standin=$(built MessengerStandIn.exe)
driver=$(built e2e_driver.exe)
probe=$(built picture_probe.exe)

# The locale that a scenario's Windows programs run in: Wine takes the ANSI code page from
# LANG, process by process (one prefix serves every locale). Its files' texts are in $code_page.
locale_name=C.UTF-8
code_page=CP1252
in_locale() { LANG=$locale_name LC_ALL=$locale_name "$@"; }
drive() { in_locale timeout 120 wine "$driver" "$@" 2>/dev/null | tr -d '\r'; }

e2e_log() { echo "[$(date +%H:%M:%S)] $*" >&2; }

# e2e_wait_for SECONDS COMMAND...: polls every 0.1 s until COMMAND succeeds.
e2e_wait_for() {
  local deadline=$(( $(date +%s%N) + $1 * 1000000000 )); shift
  until "$@"; do
    [ "$(date +%s%N)" -ge "$deadline" ] && return 1
    sleep 0.1
  done
}
gone() { ! kill -0 "$1" 2>/dev/null; }

# e2e_begin: the programs, a display (Xvfb when there is none, or E2E_XVFB=1), the prefix and
# the picture templates. What it and the scenarios start ends with the script.
e2e_begin() {
  trap 'kill_started; [ -z "${e2e_xvfb_pid:-}" ] || kill "$e2e_xvfb_pid" 2>/dev/null' EXIT
  [ -n "$exe" ] && [ -n "$standin" ] && [ -n "$driver" ] ||
    { echo "build the windows preset first: Pimbrel.exe, MessengerStandIn.exe, e2e_driver.exe" >&2; return 1; }
  if [ -z "${DISPLAY:-}" ] || [ "${E2E_XVFB:-0}" = 1 ]; then
    local n
    for n in $(seq 91 120); do [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] || break; done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    e2e_xvfb_pid=$!
    export DISPLAY=":$n"
    e2e_wait_for 10 test -e "/tmp/.X11-unix/X$n" || { echo "Xvfb did not start" >&2; return 1; }
  fi
  e2e_prepare_prefix || return 1
  mkdir -p "$E2E_TEMPLATES"
  local ext
  for ext in png gif bmp jpg; do
    [ -f "$E2E_TEMPLATES/t.$ext" ] ||
      convert -size 19x19 xc:gold -fill black -draw 'circle 9,9 9,3' "$E2E_TEMPLATES/t.$ext"
  done
}

# Creates $WINEPREFIX once, with the settings the suites rely on; anew when it was made for
# the other architecture.
e2e_prepare_prefix() {
  if [ "$(cat "$WINEPREFIX/.e2e-ready" 2>/dev/null)" != "$WINEARCH" ]; then
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    e2e_log "creating the Wine prefix $WINEPREFIX"
    # Only the 64-bit loader makes a 64-bit prefix; both run the 32-bit programs in it.
    local loader=wine
    [ "$WINEARCH" = win64 ] && loader=/usr/lib/wine/wine64
    timeout 180 "$loader" wineboot -i >/dev/null 2>&1 || { echo "wineboot failed" >&2; return 1; }
    # Dot files listed as on Windows; no 2 s stall on hiding captioned windows without a WM.
    timeout 60 wine reg add 'HKCU\Software\Wine' /v ShowDotFiles /d Y /f >/dev/null 2>&1
    timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    timeout 60 wineserver -w
    echo "$WINEARCH" >"$WINEPREFIX/.e2e-ready"
  fi
  wineserver -p 30 2>/dev/null || true  # keep the server up between the scenarios
}

# allowed_imports: the DLLs that the program may import, Known DLLs all, lower case.
allowed_imports() { sed 's/#.*//' "$E2E_ROOT/src/platform/win32/allowed_imports.txt" | awk 'NF { print tolower($1) }'; }
# imports_of EXE: the DLLs that EXE imports, lower case.
imports_of() { i686-w64-mingw32-objdump -p "$1" | sed -nE 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z'; }

# --- one scenario ----------------------------------------------------------------------

passed=0
failed=0
failures=()
pids=()

# new_scenario NAME: a fresh folder $dir with pics/, the picture folder, and an empty store.
new_scenario() {
  name=$1
  dir=$E2E_WORK/$name
  rm -rf "$dir"
  mkdir -p "$dir/pics"
  : >"$dir/store.txt"
  problems=()
  standin_started=0
  locale_name=C.UTF-8
  code_page=CP1252
  e2e_log "scenario $name"
}

# expect WHAT COMMAND...: a problem, WHAT, unless the command succeeds.
expect() { local what=$1; shift; "$@" || problems+=("$what"); }
# expect_eq WHAT GOT WANT
expect_eq() { [ "$2" = "$3" ] || problems+=("$1:"$'\n'"wanted:"$'\n'"$3"$'\n'"got:"$'\n'"$2"); }

# picture FILE...: in $dir/pics, a small real picture of each file's type.
picture() {
  local file ext
  for file; do
    ext=${file##*.}
    ext=${ext,,}
    case $ext in jpe|jpeg) ext=jpg ;; esac
    cp "$E2E_TEMPLATES/t.$ext" "$dir/pics/$file"
  done
}

# picture_kinds FOLDER: every kind of file a pack may hold, in FOLDER: pictures of each format
# (a PNG with transparency, wider than high, also under a name no code page holds; a GIF of
# two frames, red then blue; a JPEG; a BMP), and files not to be decoded: a truncated PNG,
# an empty GIF, a text named .jpg, a PNG whose header claims 20,000 x 20,000 and a 5 MB file.
picture_kinds() {
  local folder=$1
  convert -size 40x30 xc:none -fill gold -draw 'circle 20,15 20,3' "$folder/good.png" &&
    cp "$folder/good.png" "$folder/смайл.png" &&
    convert -size 19x19 xc:red \( -size 19x19 xc:blue \) -set delay 50 -loop 0 "$folder/anim.gif" &&
    convert -size 100x60 gradient:navy-orange "$folder/photo.jpg" &&
    convert -size 19x19 xc:green -fill white -draw 'rectangle 5,5 13,13' "BMP3:$folder/plain.bmp" &&
    convert -size 64x64 plasma:fractal "$folder/full.png" || problems+=("the pictures were not made")
  head -c 300 "$folder/full.png" >"$folder/truncated.png"
  rm -f "$folder/full.png"
  : >"$folder/empty.gif"
  echo "These are not the pictures you are looking for." >"$folder/notes.jpg"
  python3 - "$folder/huge.png" <<'PY'
import struct, sys, zlib
header = b"IHDR" + struct.pack(">IIBBBBB", 20000, 20000, 8, 6, 0, 0, 0)
chunk = struct.pack(">I", 13) + header + struct.pack(">I", zlib.crc32(header))
open(sys.argv[1], "wb").write(b"\x89PNG\r\n\x1a\n" + chunk + b"junk" * 1000)
PY
  head -c 5000000 /dev/urandom >"$folder/big.jpg"
}
# What the picture loader makes of them, in the probe's words and order (by name).
picture_kinds_states() {
  printf '%s\n' '0|Shown|anim.gif' '1|TooLarge|big.jpg' '2|Unreadable|empty.gif' \
    '3|Shown|good.png' '4|TooLarge|huge.png' '5|Unreadable|notes.jpg' '6|Shown|photo.jpg' \
    '7|Shown|plain.bmp' '8|Unreadable|truncated.png' '9|Shown|смайл.png'
}

# winpath PATH: the file's Wine path (drive Z: is the root); win FILE: a picture's, as
# Messenger gets it.
winpath() { local p; p=$(realpath -m "$1"); echo "Z:${p//\//\\}"; }
win() { winpath "$dir/pics/$1"; }

# store_line SHORTCUT NAME PATH: an emoticon that the stand-in holds from the start.
store_line() { printf '%s\t%s\t%s\r\n' "$1" "$2" "$3" | iconv -f UTF-8 -t "$code_page" >>"$dir/store.txt"; }

# The list file is ANSI text, as a Windows editor would save it in the scenario's code page.
readme() { printf '%s' "$1" | sed 's/$/\r/' | iconv -f UTF-8 -t "$code_page" >"$dir/pics/Readme.txt"; }

# spawn FOLDER PROGRAM ARGS...: PROGRAM under Wine in the background, in FOLDER and the
# scenario's locale, ended with the script at the latest; sets $spawned, its pid.
spawn() {
  (cd "$1" && shift && exec env LANG="$locale_name" LC_ALL="$locale_name" wine "$@" >/dev/null 2>&1) &
  spawned=$! pids+=($!)
}

# start_standin ARGS...: the stand-in in $dir, keeping store.txt there, and its journal in
# $E2E_JOURNAL (journal.txt; none when set empty).
start_standin() {
  rm -f "$dir/ready.txt"
  spawn "$dir" "$standin" --store store.txt ${E2E_JOURNAL:+--journal "$E2E_JOURNAL"} \
    --ready ready.txt "$@"
  standin_started=1
  e2e_wait_for 30 test -s "$dir/ready.txt" || problems+=("the stand-in did not start")
}

# launch_program [FOLDER [EXE]]: EXE (the program built) as FOLDER/Pimbrel.exe ($dir/pics),
# started there; sets $program_pid.
launch_program() {
  local folder=${1:-$dir/pics} program=${2:-$exe}
  [ "$program" -ef "$folder/Pimbrel.exe" ] || cp "$program" "$folder/Pimbrel.exe"
  spawn "$folder" Pimbrel.exe
  program_pid=$spawned
}

# start_program [FOLDER [EXE]]: launched, and its window shown; sets $program, its handle.
start_program() {
  launch_program "$@"
  program=$(drive wait-program 30000)
  [ "$program" != timeout ] || problems+=("the program window did not show")
}

# expect_box TIMEOUT_MS "TITLE|TEXT": the program's next message box, dismissed.
expect_box() { expect_eq "message box" "$(drive box "$1" dismiss)" "$2"; }
expect_state() { expect_eq controls "$(drive state)" "$1"; }

# store_lines: the stand-in's store, an emoticon a line, as "shortcut|name|path" in UTF-8.
store_lines() { tr -d '\r' <"$dir/store.txt" | iconv -f "$code_page" -t UTF-8 | cut -f1-3 | tr '\t' '|'; }
expect_store() { expect_eq store "$(store_lines)" "$(printf '%s\n' "$@")"; }

# expect_journal COUNT PATTERN: COUNT lines of the stand-in's journal match the extended regex.
expect_journal() {
  local got
  got=$(grep -cE "$2" "$dir/journal.txt" 2>/dev/null)
  [ "$got" = "$1" ] || problems+=("journal: wanted $1 lines like '$2', got $got")
}

# centre_of TEXT: $x and $y, the screen point at the centre of the main window's control with
# that text; click_at TEXT: a real mouse click there.
centre_of() {
  local w h
  read -r x y w h < <(drive rect "$1")
  [[ ${h:-} =~ ^[0-9]+$ ]] || { problems+=("no control '$1'"); return 1; }
  x=$((x + w / 2)) y=$((y + h / 2))
}
click_at() { local x y; centre_of "$1" && xdotool mousemove "$x" "$y" click 1; }

# at_item I: $x and $y, a screen point inside the list's entry I.
at_item() {
  read -r x y < <(drive item-point "$1")
  [[ ${y:-} =~ ^[0-9]+$ ]] || { problems+=("entry $1 not in view"); return 1; }
}

# tip_at X Y: the tool tip that shows when the mouse comes to rest at the point (nothing when
# none shows within 5 s); the mouse stays there. Only the look that finds a tip prints it.
tip_at() {
  xdotool mousemove 600 600 mousemove "$1" "$2" sleep 0.3 mousemove $(($1 + 1)) "$2"
  e2e_wait_for 5 tip_shown
}
tip_shown() { drive controls | sed -n 's/^tooltip shown text=//p' | grep .; }
# entry_tip I: the tool tip of the list's entry I.
entry_tip() { local x y; at_item "$1" && tip_at "$x" "$y"; }

# screenshot FILE [X Y W H]: the screen, or that part of it, as FILE in $dir.
screenshot() { import -window root ${2:+-crop "${4}x${5}+${2}+${3}"} "$dir/$1" 2>/dev/null; }

# stop_all: the stand-in, if the scenario started one, asked to quit, then whatever the
# scenario started ended.
stop_all() {
  [ "${standin_started:-0}" = 0 ] || drive quit-standin 5000 >/dev/null
  kill_started
}
kill_started() {
  local pid
  for pid in "${pids[@]}"; do
    gone "$pid" || kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  pids=()
}

# end_scenario: ends what the scenario started and gives its verdict.
end_scenario() {
  stop_all
  verdict
}
verdict() {
  if [ ${#problems[@]} -eq 0 ]; then
    passed=$((passed + 1))
    echo "PASS $name"
  else
    failed=$((failed + 1))
    failures+=("$name")
    echo "FAIL $name"
    printf '  %s\n' "${problems[@]}"
    [ -f "$dir/journal.txt" ] && sed 's/^/  journal: /' "$dir/journal.txt" | tail -20
  fi
}

# e2e_summary SUITE: the closing line, "SUITE: N passed, M failed", and a matching status.
e2e_summary() {
  [ ${#failures[@]} -eq 0 ] || echo "failed: ${failures[*]}"
  echo "$1: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}
