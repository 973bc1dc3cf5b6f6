#!/usr/bin/env bash
# Window smoke test: starts the real Pimbrel.exe under 32-bit Wine and Xvfb, once in a folder of
# pictures and once in an empty one, and checks from outside (tools/probe) the window's
# controls, the picture list and its selection, real clicks in the list, the tool tips, the
# message boxes and the Add button without Messenger. Then, in a Wine prefix of its own set to
# 120, 144, 168 and 192 DPI in turn, the window's scaled layout and banner. Saves screenshots
# in build/e2e/window_smoke/.
# Ends with "window_smoke: N passed, M failed" and a non-zero status on any failure.
set -uo pipefail
source "$(dirname "$0")/e2e_env.sh"

out=$E2E_ROOT/build/e2e/window_smoke
exe=$(find "$E2E_BUILD" -name Pimbrel.exe -path '*win32*' -print -quit 2>/dev/null)
probe_exe=$(find "$E2E_BUILD" -name probe.exe -print -quit 2>/dev/null)
passed=0
failed=0
program_pid=""

if [ -z "$exe" ] || [ -z "$probe_exe" ]; then
  echo "window_smoke: build the windows preset first (Pimbrel.exe, probe.exe)" >&2
  echo "window_smoke: 0 passed, 1 failed"
  exit 1
fi

probe() { timeout 60 wine "$probe_exe" "$@" 2>/dev/null | tr -d '\r'; }

# check NAME COMMAND...: one named check; the command's success is the verdict.
check() {
  local name=$1; shift
  if "$@"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAIL: $name" >&2
  fi
}

# has TEXT LINE...: the text holds the exact line.
has() { grep -qxF -- "$2" <<<"$1"; }
# has_re TEXT REGEX: some line of the text matches the extended regular expression.
has_re() { grep -qE -- "$2" <<<"$1"; }

start_program() {
  cp "$exe" "$dir/Pimbrel.exe"
  (cd "$dir" && exec wine Pimbrel.exe >/dev/null 2>&1) &
  program_pid=$!
}

stop_program() {
  probe close >/dev/null
  e2e_wait_for 15 bash -c "! kill -0 $program_pid 2>/dev/null" ||
    { echo "the program did not end on WM_CLOSE" >&2; kill "$program_pid" 2>/dev/null; return 1; }
  program_pid=""
}

screenshot() { import -window root "$out/$1.png" 2>/dev/null; }

# control_line CONTROLS CLASS TEXT: the probe's line of the child with that class and text.
control_line() { grep -E "^control .*class=$2 .*text=$3\$" <<<"$1" | head -n1; }

field() { sed -nE "s/.* $2=([^ ]*).*/\\1/p" <<<"$1"; }

# --- the layout at the display's DPI (Xvfb under Wine: 96, so 15 twips a pixel) ----------

check_layout() {
  local controls=$1 line
  check "caption and fixed client area" has_re "$controls" \
    '^window class=PimbrelMain text=Pimbrel client=265x151 sizable=0 maximizebox=0 minimizebox=1 '
  # (The icons cannot be read from another process under Wine: see the screenshots.)
  # name class text rect tabstop
  while read -r name class text rect tabstop; do
    [ "$text" = "-" ] && text=""
    line=$(control_line "$controls" "$class" "$text")
    check "$name exists" test -n "$line"
    check "$name at $rect" test "$(field "$line" rect)" = "$rect"
    check "$name tab stop $tabstop" test "$(field "$line" tabstop)" = "$tabstop"
    check "$name enabled" test "$(field "$line" enabled)" = 1
  done <<'EOF'
File1 ListBox - 8,48,137,97 1
cmdAdd Button Add 152,56,105,25 1
chkOverwrite Button Overwrite 152,128,105,17 1
lblSite Static pimbrel.net 184,80,73,13 0
EOF
  # The two pictures: static bitmaps, the logo in front of (above) the strip.
  local logo back
  logo=$(grep -E '^control .*class=Static .*rect=40,0,174,40 ' <<<"$controls" | head -n1)
  back=$(grep -E '^control .*class=Static .*rect=0,0,265,40 ' <<<"$controls" | head -n1)
  check "imgLogo at 40,0,174,40" test -n "$logo"
  check "imgBack at 0,0,265,40" test -n "$back"
  check "imgLogo in front of imgBack" test "$(field "$logo" z)" -lt "$(field "$back" z)"
  # Tab order: File1, cmdAdd, chkOverwrite in z-order among the tab stops.
  local order
  order=$(grep -E 'tabstop=1' <<<"$controls" | sed -nE 's/.*text=(.*)$/\1/p' | tr '\n' '|')
  check "tab order File1, cmdAdd, chkOverwrite" test "$order" = "|Add|Overwrite|"
  check "focus in File1" has_re "$controls" '^control .*class=ListBox .*focus=1 '
  check "chkOverwrite not ticked" test "$(field "$(control_line "$controls" Button Overwrite)" checked)" = 0
  check "chkOverwrite is an auto check box" \
    has_re "$(control_line "$controls" Button Overwrite)" 'style=0x[0-9A-F]{7}3 '
  check "File1 has extended selection, no sorting" \
    bash -c '[ $(( $1 & 0x0800 )) -ne 0 ] && [ $(( $1 & 0x0002 )) -eq 0 ]' _ \
    "$(field "$(control_line "$controls" ListBox '')" style)"
  check "lblSite has its tool tip" has_re "$controls" '^tooltips [1-9]'
}

# --- folder with pictures ------------------------------------------------------------------

scenario_pictures() {
  dir=$out/pictures
  rm -rf "$dir"; mkdir -p "$dir/folder.png"
  local f
  # The Cyrillic name does not fit code page 1252: it is still listed as it is spelt, and
  # sorted by its form in the code page, "?????.gif".
  for f in b.PNG a.jpg C.Gif d.jpeg e.jpe f.bmp Zeta.png смайл.gif; do printf 'x' >"$dir/$f"; done
  printf 'x' >"$dir/icon.ico"; printf 'x' >"$dir/photo.tif"; printf 'list\r\n' >"$dir/Readme.txt"
  start_program
  check "main window shows" e2e_wait_for 30 bash -c "wine '$probe_exe' wait-main 1000 >/dev/null 2>&1"
  check "no message box with pictures" bash -c "wine '$probe_exe' no-box 500 >/dev/null 2>&1"

  local controls items
  controls=$(probe controls)
  printf '%s\n' "$controls" >"$out/pictures.controls.txt"
  check_layout "$controls"
  items=$(probe items)
  printf '%s\n' "$items" >"$out/pictures.items.txt"
  check "eight pictures, all selected" has "$items" "count 8 selected 8"
  check "sorted ignoring case, other files left out" test \
    "$(sed -nE 's/^item [0-9]+ [01] //p' <<<"$items" | tr '\n' ' ')" \
    = "смайл.gif a.jpg b.PNG C.Gif d.jpeg e.jpe f.bmp Zeta.png "
  screenshot pictures

  # Real clicks: a plain click leaves one entry selected, a Ctrl click adds one.
  local x y
  if read -r x y < <(probe item-point 2) && [[ ${y:-} =~ ^[0-9]+$ ]]; then
    xdotool mousemove "$x" "$y" click 1
    sleep 0.5
    items=$(probe items)
    printf '%s\n' "$items" >"$out/pictures.click.txt"
    check "plain click selects one entry" has "$items" "count 8 selected 1"
    check "the clicked entry is selected" has "$items" "item 2 1 b.PNG"
  else
    check "entry 2 in view" false
  fi
  if read -r x y < <(probe item-point 4) && [[ ${y:-} =~ ^[0-9]+$ ]]; then
    xdotool mousemove "$x" "$y" keydown ctrl click 1 keyup ctrl
    sleep 0.5
    items=$(probe items)
    check "Ctrl click adds an entry" has "$items" "count 8 selected 2"
    check "Ctrl click entry selected" has "$items" "item 4 1 d.jpeg"
    read -r x y < <(probe item-point 2)
    xdotool mousemove "$x" "$y" keydown ctrl click 1 keyup ctrl
    sleep 0.5
    items=$(probe items)
    check "Ctrl click on a selected entry removes it" has "$items" "count 8 selected 1"
    check "only the other entry stays selected" has "$items" "item 4 1 d.jpeg"
  else
    check "entry 4 in view" false
  fi

  # The label's tool tip shows when the mouse rests on it.
  if read -r x y < <(probe label-point) && [[ ${y:-} =~ ^[0-9]+$ ]]; then
    xdotool mousemove "$x" "$y"
    sleep 0.3
    xdotool mousemove $((x + 1)) "$y"
    e2e_wait_for 5 bash -c "wine '$probe_exe' controls 2>/dev/null | grep -q '^tooltip shown'"
    local tip
    tip=$(probe controls | grep '^tooltip shown')
    screenshot tooltip
    check "site tool tip text" test "$tip" = \
      "tooltip shown text=Download emoticons for this application or other tools created by me."
    xdotool mousemove 600 600
  else
    check "label readable" false
  fi

  # An entry's tool tip: the shortcut the next Add sends (the list file lists none here).
  if read -r x y < <(probe item-point 1) && [[ ${y:-} =~ ^[0-9]+$ ]]; then
    xdotool mousemove "$x" "$y" sleep 0.3 mousemove $((x + 1)) "$y"
    e2e_wait_for 5 bash -c "wine '$probe_exe' controls 2>/dev/null | grep -q '^tooltip shown text=Shortcut'"
    screenshot entry-tooltip
    check "entry tool tip text" has "$(probe controls)" "tooltip shown text=Shortcut: (a)"
    xdotool mousemove 600 600
  else
    check "entry 1 in view" false
  fi

  # Add without Messenger: the not-open box under the program title, controls enabled after.
  check "Add clicked" has "$(probe click Add)" "clicked Add"
  local box
  box=$(probe box 20000 dismiss)
  printf '%s\n' "$box" >"$out/pictures.add-box.txt"
  check "not-open message" has "$box" "box text=Please open your MSN Messenger main screen first."
  check "not-open title" has "$box" "box title=Pimbrel"
  check "not-open box has no icon" has "$box" "box icon=0"
  check "not-open box dismissed" has "$box" "box dismissed=1"
  sleep 0.3
  controls=$(probe controls)
  check "cmdAdd enabled again" test "$(field "$(control_line "$controls" Button Add)" enabled)" = 1
  check "File1 enabled again" test "$(field "$(control_line "$controls" ListBox '')" enabled)" = 1
  check "selection kept after the run" has "$(probe items)" "count 8 selected 1"
  check "program ends on close" stop_program
}

# --- empty folder ------------------------------------------------------------------------

scenario_empty() {
  dir=$out/empty
  rm -rf "$dir"; mkdir -p "$dir"
  printf 'list\r\n' >"$dir/Readme.txt"
  start_program
  local box
  box=$(probe box 30000)
  screenshot empty-box
  box=$box$'\n'$(probe box 2000 dismiss)
  printf '%s\n' "$box" >"$out/empty.box.txt"
  check "empty folder message" has "$box" \
    "box text=Please put this program in the same directory of your emoticons."
  check "empty folder title" has "$box" "box title=Pimbrel"
  check "empty folder box has no icon" has "$box" "box icon=0"
  check "box comes before the window" has "$box" "box main_visible=0"
  check "empty folder box dismissed" has "$box" "box dismissed=1"
  check "window opens after the box" e2e_wait_for 20 bash -c "wine '$probe_exe' wait-main 1000 >/dev/null 2>&1"
  check "empty list" has "$(probe items)" "count 0 selected 0"
  screenshot empty
  check "Add clicked in the empty folder" has "$(probe click Add)" "clicked Add"
  box=$(probe box 20000 dismiss)
  check "not-open message with no pictures" has "$box" \
    "box text=Please open your MSN Messenger main screen first."
  check "program ends on close (empty)" stop_program
}

# --- the window at other scales of the screen ------------------------------------------------

# Twips to pixels at a DPI, halves rounded up, as the program rounds them.
px() { echo $(( ($1 * $2 + 720) / 1440 )); }

# at_dpi DPI: sets the prefix's DPI, starts the program in $dir, checks the client area and
# the banner: the logo fills its control at the scale's size (drawn for that scale, or at
# 175 % scaled from the 200 % drawing).
at_dpi() {
  local dpi=$1 controls
  timeout 60 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  wineserver -k 2>/dev/null; sleep 0.5  # the DPI is read as the server and the program start
  start_program
  check "$dpi DPI: the window shows" e2e_wait_for 30 bash -c "wine '$probe_exe' wait-main 1000 >/dev/null 2>&1"
  sleep 0.5
  controls=$(probe controls)
  printf '%s\n' "$controls" >"$out/dpi-$dpi.controls.txt"
  local width height left strip logo
  width=$(px 3975 "$dpi"); height=$(px 2265 "$dpi"); left=$(px 600 "$dpi"); strip=$(px 600 "$dpi")
  logo=$(px 2610 "$dpi")
  check "$dpi DPI: client area ${width}x$height" has_re "$controls" \
    "^window class=PimbrelMain .* client=${width}x$height "
  check "$dpi DPI: logo at $left,0,$logo,$strip" has_re "$controls" \
    "^control .*class=Static .*rect=$left,0,$logo,$strip "
  check "$dpi DPI: strip at 0,0,$width,$strip" has_re "$controls" \
    "^control .*class=Static .*rect=0,0,$width,$strip "
  local x y w h
  IFS=, read -r x y w h < <(sed -nE 's/^window .* frame=([-0-9,]+)$/\1/p' <<<"$controls")
  [ -n "${h:-}" ] && import -window root -crop "${w}x${h}+${x}+${y}" "$out/dpi-$dpi.png" 2>/dev/null
  check "$dpi DPI: program ends on close" stop_program
}

# In a prefix of its own: the shared one keeps 96 DPI for every other suite.
scenario_scaled() {
  dir=$out/scaled
  rm -rf "$dir"; mkdir -p "$dir"
  local f dpi
  for f in a.gif b.gif c.png; do printf 'x' >"$dir/$f"; done
  export WINEPREFIX=${E2E_SCALED_WINEPREFIX:-$E2E_ROOT/build/e2e/wineprefix-scaled}
  e2e_prepare_prefix || { check "the scaled prefix is made" false; return; }
  for dpi in 120 144 168 192; do at_dpi "$dpi"; done
  wineserver -k 2>/dev/null
}

main() {
  mkdir -p "$out"
  e2e_start_display || { echo "window_smoke: 0 passed, 1 failed"; exit 1; }
  trap 'e2e_stop_display' EXIT
  e2e_prepare_prefix || { echo "window_smoke: 0 passed, 1 failed"; exit 1; }
  scenario_pictures
  scenario_empty
  scenario_scaled
  echo "window_smoke: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}

main "$@"
