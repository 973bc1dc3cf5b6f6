#!/usr/bin/env bash
# End-to-end suite: the real Pimbrel.exe under 32-bit Wine and Xvfb, beside the Messenger
# stand-in where a scenario needs one, worked from outside by tools/e2e_driver and by real
# clicks. A scenario a behaviour; each starts from a fresh folder under build/e2e/scenarios,
# where its screenshots stay, and checks the window, the message boxes and what the stand-in
# stored and was sent. `run_e2e.sh NAME...` runs the scenarios named. E2E_WINEARCH=win64 runs
# them in a 64-bit prefix. Ends with "e2e: N passed, M failed".
set -uo pipefail
source "$(dirname "$0")/e2e_env.sh"
source "$(dirname "$0")/debian_packs.sh"

success_box="Pimbrel|The emoticons are added succesfully."
not_open_box="Pimbrel|Please open your MSN Messenger main screen first."

# account GROUP...: the success box with the account of the pictures that went otherwise,
# each group a heading and its lines (made by the *_group functions, a line an argument).
account() {
  local text=$success_box group
  for group; do text+=$'\n\n'$group; done
  printf '%s' "$text"
}
refused_group() { printf 'Added under another shortcut:'; printf '\n%s' "$@"; }
left_out_group() { printf 'Left out (Overwrite is not ticked):'; printf '\n%s' "$@"; }
replaced_group() { printf 'Replaced (Overwrite is ticked):'; printf '\n%s' "$@"; }
not_added_group() { printf 'Not added (Messenger refused them twice):'; printf '\n%s' "$@"; }

# field LINE NAME: NAME's value in a line of the driver's `controls`.
field() { sed -nE "s/.* $2=([^ ]*).*/\\1/p" <<<"$1" | head -n1; }
# caption: the main window's caption.
caption() { drive controls | sed -nE 's/^window class=[^ ]* text=(.*) client=.*/\1/p'; }
# add_watching_captions: Add pressed while the driver watches the caption, each change a line
# of $dir/captions.txt until the run's box shows. The watch starts first: on a busy machine a
# driver started after the click may come too late for the first picture's caption.
add_watching_captions() {
  drive watch-caption 40000 >"$dir/captions.txt" &
  local watcher=$!
  sleep 2
  drive click Add
  wait "$watcher"
}
# control CONTROLS CLASS TEXT: the line of the child with that class and text.
control() { grep -E "^control .*class=$2 .*text=$3\$" <<<"$1" | head -n1; }
selected() { drive items | grep -vE '^item [0-9]+ 0 '; }
# all_read: true once every row of the list shows its picture or a placeholder (20 s at most).
all_read() { drive wait-pictures 20000 >/dev/null; }

# click_item I [KEY]: a real click on the list's entry I, with KEY (ctrl, shift) held on
# request.
click_item() { local x y; at_item "$1" && xdotool mousemove "$x" "$y" ${2:+keydown $2} click 1 ${2:+keyup $2} && sleep 0.5; }

# --- the window ---------------------------------------------------------------------------

# A folder of pictures and other files: the window's layout at 96 DPI (15 twips a pixel), the
# list's order and selection, real clicks in it, the tool tips, and Add without Messenger.
# The Cyrillic name does not fit code page 1252: it is listed as it is spelt and sorted by its
# form in the code page, "?????.gif".
scenario_window() {
  local f controls
  mkdir "$dir/pics/folder.png"
  for f in b.PNG a.jpg C.Gif d.jpeg e.jpe f.bmp Zeta.png смайл.gif icon.ico photo.tif; do
    printf x >"$dir/pics/$f"
  done
  printf 'list\r\n' >"$dir/pics/Readme.txt"
  start_program
  expect_eq "a message box with pictures" "$(drive box 500)" timeout
  # The table's layout, at the window's smallest size, which it cannot be made smaller than
  # (the size it opens with: the opening scenario). The mouse is kept off the list, whose
  # tips would cover it.
  xdotool mousemove 1200 1000
  expect_eq "the smallest client area" "$(drive resize 100 60)" 265x151
  controls=$(drive controls)
  printf '%s\n' "$controls" >"$dir/controls.txt"
  expect "caption, and a frame that can be sized" grep -q \
    '^window class=PimbrelMain text=Pimbrel client=265x151 sizable=1 maximizebox=1 minimizebox=1 ' <<<"$controls"
  local name class text rect tab line
  while IFS='|' read -r name class text rect tab; do
    line=$(control "$controls" "$class" "$text")
    expect_eq "$name: rectangle, tab stop, enabled" \
      "$(field "$line" rect) $(field "$line" tabstop) $(field "$line" enabled)" "$rect $tab 1"
  done <<'EOF'
File1|SysListView32||8,48,137,97|1
cmdAdd|Button|Add|152,56,105,25|1
cmdChoose|Button|Choose folder\.\.\.|152,96,105,25|1
chkOverwrite|Button|Overwrite|152,128,105,17|1
lblSite|Static|pimbrel.net|184,80,73,13|0
EOF
  # The two pictures: static bitmaps, the logo in front of (above) the strip.
  local logo back
  logo=$(field "$(grep -E '^control .*class=Static .*rect=40,0,174,40 ' <<<"$controls")" z)
  back=$(field "$(grep -E '^control .*class=Static .*rect=0,0,265,40 ' <<<"$controls")" z)
  expect "imgLogo at 40,0,174,40 in front of imgBack at 0,0,265,40" test "${logo:-9}" -lt "${back:--1}"
  expect_eq "tab order" "$(grep 'visible=1 tabstop=1' <<<"$controls" | sed -nE 's/.*text=(.*)$/\1/p' | tr '\n' '|')" \
    "|Add|Choose folder...|Overwrite|"
  expect "focus in File1" grep -qE '^control .*class=SysListView32 .*focus=1 ' <<<"$controls"
  local check style list
  check=$(control "$controls" Button Overwrite)
  style=$(field "$check" style)
  list=$(field "$(control "$controls" SysListView32 '')" style)
  expect_eq "chkOverwrite: not ticked, an auto check box" "$(field "$check" checked) $(( ${style:-0} & 0xF ))" "0 3"
  # Report view (1), several entries selectable (no 4), no sorting (no 0x30), not even by a
  # click on a heading (0x8000).
  expect_eq "File1: report view, extended selection, not sorted" "$(( ${list:-0} & 0x8037 ))" $((0x8001))
  expect "lblSite has its tool tip" grep -qE '^tooltips [1-9]' <<<"$controls"
  expect_eq "list" "$(drive items)" "count 8 selected 8$(printf '\nitem %s' "0 1 смайл.gif" \
    "1 1 a.jpg" "2 1 b.PNG" "3 1 C.Gif" "4 1 d.jpeg" "5 1 e.jpe" "6 1 f.bmp" "7 1 Zeta.png")"
  screenshot pictures.png
  # Real clicks: a plain one leaves one entry selected; a Ctrl click adds one, another removes it.
  click_item 2 && expect_eq "plain click" "$(selected)" $'count 8 selected 1\nitem 2 1 b.PNG'
  click_item 4 ctrl && expect_eq "Ctrl click" "$(selected)" $'count 8 selected 2\nitem 2 1 b.PNG\nitem 4 1 d.jpeg'
  click_item 2 ctrl && expect_eq "Ctrl click on a selected entry" "$(selected)" $'count 8 selected 1\nitem 4 1 d.jpeg'
  # Shift: the range from the entry last clicked (the one just taken out) to this one.
  click_item 6 shift && expect_eq "Shift click" "$(selected)" \
    $'count 8 selected 5\nitem 2 1 b.PNG\nitem 3 1 C.Gif\nitem 4 1 d.jpeg\nitem 5 1 e.jpe\nitem 6 1 f.bmp'
  # Ctrl+A after a plain click selects every entry again.
  click_item 3 && expect_eq "plain click" "$(selected)" $'count 8 selected 1\nitem 3 1 C.Gif'
  xdotool key ctrl+a && sleep 0.5
  expect_eq "Ctrl+A" "$(selected | head -n1)" "count 8 selected 8"
  # A letter selects the next entry whose name begins with it, and that one alone.
  xdotool key z && sleep 0.5
  expect_eq "a letter typed" "$(selected)" $'count 8 selected 1\nitem 7 1 Zeta.png'
  click_item 4 && expect_eq "plain click" "$(selected)" $'count 8 selected 1\nitem 4 1 d.jpeg'
  # Each row's shortcut, which the window works out once it shows; files that are no
  # pictures, each with its placeholder and its result before a run.
  expect "every row shows its picture or a placeholder" all_read
  local unreadable="Not a picture that Windows can read"
  expect_eq "the rows" "$(drive rows | sed -nE 's/^item ([0-9]+) [01] /\1 /p')" \
    "$(printf "%s|$unreadable\n" "0 placeholder смайл.gif|(?????)" "1 placeholder a.jpg|(a)" \
       "2 placeholder b.PNG|(b)" "3 placeholder C.Gif|(C)" "4 placeholder d.jpeg|(d)" \
       "5 placeholder e.jpe|(e)" "6 placeholder f.bmp|(f)" "7 placeholder Zeta.png|(Zeta)")"
  # The window grows from its smallest size.
  xdotool mousemove 900 900
  expect_eq "a larger client area" "$(drive resize 500 400)" 500x400
  controls=$(drive controls)
  expect_eq "File1 takes the room gained" "$(field "$(control "$controls" SysListView32 '')" rect)" 8,48,372,346
  expect_eq "cmdAdd against the right edge" "$(field "$(control "$controls" Button Add)" rect)" 387,56,105,25
  expect_eq "cmdChoose against the right edge" \
    "$(field "$(control "$controls" Button 'Choose folder\.\.\.')" rect)" 387,96,105,25
  expect_eq "lblSite against the right edge" "$(field "$(control "$controls" Static pimbrel.net)" rect)" 419,80,73,13
  expect_eq "chkOverwrite against the right edge" "$(field "$(control "$controls" Button Overwrite)" rect)" 387,128,105,17
  expect "imgBack across the window, imgLogo where it was" grep -qE '^control .*class=Static .*rect=0,0,500,40 ' <<<"$controls"
  expect "imgLogo where it was" grep -qE '^control .*class=Static .*rect=40,0,174,40 ' <<<"$controls"
  screenshot larger.png $(drive rect)
  # The site label's tool tip, and an entry's: the shortcut the next Add sends.
  local x y
  centre_of pimbrel.net && expect_eq "site tool tip" "$(tip_at "$x" "$y")" \
    "Download emoticons for this application or other tools created by me."
  screenshot site-tooltip.png
  expect_eq "entry tool tip" "$(entry_tip 1)" "Shortcut: (a)"
  screenshot entry-tooltip.png
  xdotool mousemove 600 600
  # Add without Messenger: the box, then the controls enabled again and the selection kept.
  expect "Add clicked" drive click Add
  expect_box 20000 "$not_open_box"
  sleep 0.3
  expect_state "add=1 choose=1 overwrite=1 list=1 checked=0"
  expect_eq "selection after the run" "$(selected)" $'count 8 selected 1\nitem 4 1 d.jpeg'
  expect "the program ends on close" drive close-program 15000
}

# A folder without pictures: the box that says so, before the window shows; then the window
# with an empty list.
scenario_empty_folder() {
  local box="Pimbrel|Please put this program in the same directory of your emoticons."
  printf 'list\r\n' >"$dir/pics/Readme.txt"
  launch_program
  expect_eq "message box" "$(drive box 30000)" "$box"
  expect_eq "the window before the box is dismissed" "$(drive wait-program 0)" timeout
  screenshot box.png
  expect_box 2000 "$box"
  expect "the window shows after the box" drive wait-program 20000
  expect_eq "list" "$(drive items)" "count 0 selected 0"
  screenshot empty.png
  expect "the program ends on close" drive close-program 15000
}

# --- picture folders from anywhere -------------------------------------------------------

# start_program_on FOLDER: the program, alone in a folder of its own ($dir/program), started
# with FOLDER on its command line; sets $program, its window.
start_program_on() {
  mkdir -p "$dir/program"
  cp "$exe" "$dir/program/Pimbrel.exe"
  spawn "$dir" "$dir/program/Pimbrel.exe" "$(winpath "$1")"
  program=$(drive wait-program 30000)
}

# The program alone in a folder of its own, started elsewhere with a pack on its command line
# (quoted by Wine, as Explorer quotes a folder dropped on the icon: its name has a blank): it
# lists the pack and adds every picture beside the stand-in; the caption names the pack, and
# does again after the run's progress. A file of a pack, relative to the current folder,
# opens its folder. A folder that does not exist is named in a box, and the program's own
# folder follows (empty: its box, and the window says in its list what to do).
scenario_command_line() {
  local f name want=() own=$dir/program pack="$dir/pics/maya pack"
  mkdir -p "$pack"
  for f in grin.png smile.gif wink.gif; do
    cp "$E2E_TEMPLATES/t.${f##*.}" "$pack/$f"
    name=${f%.*}
    want+=("($name)|$name|$(winpath "$pack/$f")")
  done
  start_standin --create-delay 300
  start_program_on "$pack"
  expect_eq "caption and list" "$(caption)|$(drive items | head -n1)" \
    "Pimbrel - maya pack|count 3 selected 3"
  add_watching_captions
  expect_eq captions "$(sed '/^Pimbrel - adding/,$!d' "$dir/captions.txt")" \
    "$(printf 'Pimbrel - adding %s of 3\n' 1 2 3)"$'\nPimbrel - maya pack\nbox: Pimbrel - maya pack'
  expect_box 5000 "$success_box"
  expect_store "${want[@]}"
  expect "the program ends on close" drive close-program 15000
  spawn "$dir/pics" "$own/Pimbrel.exe" "maya pack\\smile.gif"
  program=$(drive wait-program 30000)
  expect_eq "a file given: its folder" "$(caption)|$(drive items | head -n1)" \
    "Pimbrel - maya pack|count 3 selected 3"
  expect "the program ends on close" drive close-program 15000
  spawn "$dir" "$own/Pimbrel.exe" "$(winpath "$dir/nobody")"
  expect_box 30000 "(icon) Pimbrel|The folder $(winpath "$dir/nobody") does not exist."
  expect_box 10000 "Pimbrel|Please put this program in the same directory of your emoticons."
  program=$(drive wait-program 20000)
  expect_eq "then the program's own folder" "$(caption)|$(drive items)" \
    "Pimbrel|count 0 selected 0"
  screenshot empty-list.png $(drive rect)
}

# Japanese Windows (code page 932), and a pack whose folder name it cannot hold whole, given
# on the command line: Messenger gets the pictures' paths through the folder's 8.3 form
# (the whole path's, as for the program's own folder), with no "?" in them.
scenario_command_line_cjk() {
  local pack="$dir/pics/그림 表" line
  locale_name=ja_JP.UTF-8 code_page=CP932
  mkdir -p "$pack"
  cp "$E2E_TEMPLATES/t.gif" "$pack/smile.gif"
  start_standin
  start_program_on "$pack"
  expect_eq "list" "$(drive items)" $'count 1 selected 1\nitem 0 1 smile.gif'
  drive click Add
  expect_box 30000 "$success_box"
  line=$(store_lines)
  local path=${line##*|}
  expect_eq "stored" "${line%|*}" "(smile)|smile"
  [[ $path == "Z:\\"*"~"*"\\smile.gif" && $path != *"?"* ]] ||
    problems+=("the path Messenger got does not go through the folder's 8.3 form: $path")
}

# drop PATH: PATH dragged from another X client and dropped on the middle of the list; what
# the drop tool says (dropped, refused, timeout).
drop() {
  local x y w h
  read -r x y w h < <(drive rect)
  /usr/bin/python3 "$E2E_ROOT/tests/e2e/xdnd_drop.py" $((x + w / 3)) $((y + h / 2)) "$1" 2>&1
}

# Folders dropped on the window by a real drag and drop (XDND, which Wine turns into
# WM_DROPFILES) and chosen with Choose folder...: each loads its pictures afresh. A drop in
# the middle of a run changes nothing, and the run ends with its own list. A chosen folder
# without pictures: the box, then the empty list says what to do.
scenario_open_folders() {
  local f
  picture a.gif b.gif
  mkdir -p "$dir/dropped" "$dir/filed" "$dir/empty"
  for f in x.png y.png; do cp "$E2E_TEMPLATES/t.png" "$dir/dropped/$f"; done
  cp "$E2E_TEMPLATES/t.gif" "$dir/filed/z.gif"
  start_standin --create-delay 500
  start_program
  xdotool mousemove 1200 1000
  expect_eq "a folder dropped" "$(drop "$dir/dropped")" dropped
  sleep 0.5
  expect "its pictures are read" all_read
  expect_eq "the dropped folder's list" "$(caption)|$(drive rows | cut -d'|' -f1)" \
    "Pimbrel - dropped|count 2 selected 2"$'\nitem 0 1 picture x.png\nitem 1 1 picture y.png'
  expect_eq "a file dropped" "$(drop "$dir/filed/z.gif")" dropped
  sleep 0.5
  expect_eq "the file's folder" "$(caption)|$(drive items)" \
    "Pimbrel - filed|count 1 selected 1"$'\nitem 0 1 z.gif'
  drive click Add
  expect "Messenger got the path" \
    e2e_wait_for 20 grep -q $'^PathEdit\t12\t256\t0\t.*z\\.gif$' "$dir/journal.txt"
  expect_state "add=0 choose=0 overwrite=0 list=0 checked=0"
  drop "$dir/dropped" >/dev/null
  expect_box 30000 "$success_box"
  expect_store "(z)|z|$(winpath "$dir/filed/z.gif")"
  expect_eq "the list after a drop during the run" "$(drive items)" \
    $'count 1 selected 1\nitem 0 1 z.gif'
  drive click "Choose folder..."
  expect_eq "the folder picker" "$(drive pick-folder 20000 "$(winpath "$dir/empty")")" \
    "Choose the folder of your emoticons"
  expect_box 20000 "Pimbrel|Please put this program in the same directory of your emoticons."
  expect_eq "the chosen folder's list" "$(caption)|$(drive items)" \
    "Pimbrel - empty|count 0 selected 0"
  screenshot chosen-empty.png $(drive rect)
  expect "the program ends on close" drive close-program 15000
}

# The window as it opens on a screen of 1024 x 768 at 100, 150 and 200 % (a display of its
# own, and the scaled prefix): eight whole rows of a pack of 30 and all three columns in
# view without sideways scrolling, within the screen.
scenario_opening() {
  local i n x y w h dpi line view columns list_width frame shared=$WINEPREFIX display=$DISPLAY
  for i in $(seq -w 1 30); do picture "p$i.png"; done
  for n in $(seq 121 150); do [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] || break; done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  pids+=($!)
  e2e_wait_for 10 test -e "/tmp/.X11-unix/X$n" || problems+=("the 1024 x 768 display did not start")
  export DISPLAY=":$n" WINEPREFIX=${E2E_SCALED_WINEPREFIX:-$WINEPREFIX-scaled}
  e2e_prepare_prefix || problems+=("the scaled prefix was not made")
  for dpi in 96 144 192; do
    set_dpi "$dpi"
    start_program
    xdotool mousemove 1023 767
    sleep 0.5
    line=$(drive list-view)
    read -r _ list_width _ _ view _ columns _ <<<"${line/x/ }"
    expect "$dpi DPI: eight whole rows in view ($line)" test "${view:-0}" -ge 8
    [[ $columns =~ ^[0-9]+,[0-9]+,[0-9]+$ ]] || columns=99999,0,0
    expect "$dpi DPI: all three columns in view ($line)" \
      test "$(( ${columns//,/+} ))" -le "${list_width:-0}" -a "${line##* }" = 0
    frame=$(drive controls | sed -n 's/^window .* frame=//p')
    IFS=, read -r x y w h <<<"$frame"
    expect "$dpi DPI: within the screen ($frame)" \
      test "${x:--1}" -ge 0 -a "${y:--1}" -ge 0 -a $((x + w)) -le 1024 -a $((y + h)) -le 768
    screenshot "opening-$dpi.png"
    expect "$dpi DPI: the program ends on close" drive close-program 15000
  done
  wineserver -k 2>/dev/null
  export DISPLAY=$display WINEPREFIX=$shared
}

# set_dpi DPI: the display's scale for the programs started next in the prefix; the DPI is
# read as the server and the program start.
set_dpi() {
  timeout 60 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
    >/dev/null 2>&1
  wineserver -k 2>/dev/null; sleep 0.5
}

# scaled_prefix DPI: the programs started next run in the prefix kept for other scales (the
# shared one keeps 96 DPI), at DPI; shared_prefix: back in the shared one.
scaled_prefix() {
  shared_prefix=$WINEPREFIX
  export WINEPREFIX=${E2E_SCALED_WINEPREFIX:-$WINEPREFIX-scaled}
  e2e_prepare_prefix || problems+=("the scaled prefix was not made")
  set_dpi "$1"
}
shared_prefix() {
  wineserver -k 2>/dev/null
  export WINEPREFIX=$shared_prefix
}

# Twips to pixels at a DPI, halves rounded up, as the program rounds them.
px() { echo $(( ($1 * $2 + 720) / 1440 )); }

# The window at 125, 150, 175 and 200 %, in a prefix of its own (the shared one keeps 96 DPI):
# its smallest client area and banner, the logo filling its control at the scale's size (drawn for
# that scale, or at 175 % scaled from the 200 % drawing).
scenario_scaled() {
  local f dpi controls width height strip shared=$WINEPREFIX
  for f in a.gif b.gif c.png; do printf x >"$dir/pics/$f"; done
  export WINEPREFIX=${E2E_SCALED_WINEPREFIX:-$WINEPREFIX-scaled}
  e2e_prepare_prefix || problems+=("the scaled prefix was not made")
  for dpi in 120 144 168 192; do
    set_dpi "$dpi"
    start_program
    sleep 0.5
    drive resize 1 1 >/dev/null  # the smallest size is the table's
    controls=$(drive controls)
    width=$(px 3975 "$dpi"); height=$(px 2265 "$dpi"); strip=$(px 600 "$dpi")
    expect "$dpi DPI: client area ${width}x$height" grep -qE "^window .* client=${width}x$height " <<<"$controls"
    expect "$dpi DPI: logo at $strip,0,$(px 2610 "$dpi"),$strip" \
      grep -qE "^control .*class=Static .*rect=$strip,0,$(px 2610 "$dpi"),$strip " <<<"$controls"
    expect "$dpi DPI: strip at 0,0,$width,$strip" grep -qE "^control .*class=Static .*rect=0,0,$width,$strip " <<<"$controls"
    screenshot "dpi-$dpi.png" $(drive rect)
    expect "$dpi DPI: the program ends on close" drive close-program 15000
  done
  wineserver -k 2>/dev/null
  export WINEPREFIX=$shared
}

# Files of every kind a picture folder may hold, read from outside once every row shows its
# picture or a placeholder (IMAGE is picture, placeholder or loading), then added beside the
# stand-in with every picture selected: Messenger refuses the two that are no pictures at
# all. Screenshots at 96 DPI, larger, and at 144 DPI.
scenario_pictures() {
  local p=$dir/pics
  convert -size 40x30 xc:none -fill red -draw 'circle 20,15 20,2' -fill none -stroke black \
    -draw 'rectangle 0,0 39,29' "$p/good.png"
  convert -size 24x24 -delay 20 xc:blue xc:yellow -loop 0 "$p/animated.gif"
  convert -size 48x36 gradient:green-white "$p/photo.jpg"
  convert -size 20x28 xc:orange -fill purple -draw 'rectangle 4,4 15,23' BMP3:"$p/bitmap.bmp"
  convert -size 64x64 -seed 1 plasma:fractal "$dir/whole.png"
  head -c "$(( $(stat -c %s "$dir/whole.png") / 2 ))" "$dir/whole.png" >"$p/truncated.png"
  : >"$p/empty.gif"
  printf 'Not a picture at all.\r\n' >"$p/notes.jpg"
  # A valid signature and header chunk (with its CRC) that claim 20,000 x 20,000, then junk.
  python3 -c '
import struct, sys, zlib
header = b"IHDR" + struct.pack(">IIBBBBB", 20000, 20000, 8, 6, 0, 0, 0)
png = b"\x89PNG\r\n\x1a\n" + struct.pack(">I", 13) + header + struct.pack(">I", zlib.crc32(header))
open(sys.argv[1], "wb").write(png + bytes(range(256)) * 64)
' "$p/huge.png"
  local before=("0 1 picture animated.gif|(anima)|" "1 1 picture bitmap.bmp|(bitma)|"
                "2 1 placeholder empty.gif|(empty)|Not a picture that Windows can read"
                "3 1 picture good.png|(good)|"
                "4 1 placeholder huge.png|(huge)|Too large to show here"
                "5 1 placeholder notes.jpg|(notes)|Not a picture that Windows can read"
                "6 1 picture photo.jpg|(photo)|"
                "7 1 placeholder truncated.png|(trunc)|Not a picture that Windows can read")
  start_standin
  start_program
  expect "every row shows its picture or a placeholder" all_read
  expect_eq "rows before Add" "$(drive rows | sed 1d | sed 's/^item //')" "$(printf '%s\n' "${before[@]}")"
  screenshot pictures-96.png $(drive rect)
  drive click Add
  expect_box 30000 "$(account "$(not_added_group "empty.gif: (empty) and (empty2 refused" \
                                                 "notes.jpg: (notes) and (notes2 refused")")"
  local name stored=()
  for name in animated.gif bitmap.bmp good.png huge.png photo.jpg truncated.png; do
    stored+=("($(head -c 5 <<<"${name%.*}"))|${name%.*}|$(win "$name")")
  done
  expect_store "${stored[@]}"
  expect_eq "results after Add" "$(drive rows | sed 1d | cut -d'|' -f3)" "$(printf '%s\n' \
    "Added as (anima)" "Added as (bitma)" "Not added: Messenger refused (empty) and (empty2" \
    "Added as (good)" "Added as (huge)" "Not added: Messenger refused (notes) and (notes2" \
    "Added as (photo)" "Added as (trunc)")"
  # Larger: the list takes the room, the buttons and the link keep to the right edge.
  local controls
  expect_eq "resized" "$(drive resize 700 420)" 700x420
  controls=$(drive controls)
  expect_eq "File1 grown" "$(field "$(control "$controls" SysListView32 '')" rect)" 8,48,572,366
  expect_eq "cmdAdd at the right edge" "$(field "$(control "$controls" Button Add)" rect)" 587,56,105,25
  expect_eq "chkOverwrite at the right edge" "$(field "$(control "$controls" Button Overwrite)" rect)" 587,128,105,17
  expect_eq "lblSite at the right edge" "$(field "$(control "$controls" Static pimbrel.net)" rect)" 619,80,73,13
  screenshot pictures-larger.png $(drive rect)
  # Maximised, the same on the screen's whole width; restored, the size it had.
  local maximised width
  maximised=$(drive maximise 1)
  width=${maximised%x*}
  controls=$(drive controls)
  expect "maximised: wider than before" test "${width:-0}" -gt 700
  screenshot pictures-maximised.png $(drive rect)
  expect_eq "maximised: File1 and cmdAdd" \
    "$(field "$(control "$controls" SysListView32 '')" rect | cut -d, -f3) $(field "$(control "$controls" Button Add)" rect | cut -d, -f1)" \
    "$((width - 128)) $((width - 113))"
  expect_eq "restored" "$(drive maximise 0)" 700x420
  expect "the program ends on close" drive close-program 15000
  # Closed while it reads a hundred large pictures: the program ends at once all the same.
  local i
  mkdir -p "$dir/many"
  convert -size 1600x1600 -seed 2 plasma:fractal -quality 95 "$dir/many/p000.jpg"
  for i in $(seq -f '%03g' 1 99); do cp "$dir/many/p000.jpg" "$dir/many/p$i.jpg"; done
  start_program "$dir/many"
  expect "closed while reading: pictures still being read" grep -q '^timeout' <<<"$(drive wait-pictures 0)"
  expect "closed while reading: the program ends within 2 s" drive close-program 2000
  # 150 %: pictures of 48 pixels, in a prefix of its own (see scenario_scaled).
  scaled_prefix 144
  start_program
  expect "144 DPI: every row shows its picture or a placeholder" all_read
  expect_eq "144 DPI: images" "$(drive rows | sed 1d | cut -d' ' -f4)" \
    "$(printf '%s\n' "${before[@]}" | cut -d' ' -f3)"
  screenshot pictures-144.png $(drive rect)
  expect "144 DPI: the program ends on close" drive close-program 15000
  shared_prefix
}

# --- adding pictures ----------------------------------------------------------------------

# Either client: colliding names numbered, a list file, one picture deselected; Add pressed
# with a real click (older) or a posted one (newer).
scenario_collisions() {
  picture cool.bmp smile.gif smile.jpg smile.png wink.gif
  readme $'Some words before the list.\n---List---\nwink.gif - ;-]\ncool.bmp - B-)\n---\n'
  start_standin --client "$1"
  start_program
  drive select 3 0 >/dev/null  # smile.png
  if [ "$1" = older ]; then click_at Add; else drive click Add; fi
  expect_box 30000 "$success_box"
  expect_state "add=1 choose=1 overwrite=1 list=1 checked=0"
  expect_store "B-)|cool|$(win cool.bmp)" "(smile)|smile|$(win smile.gif)" \
               "(smil2)|smile|$(win smile.jpg)" ";-]|wink|$(win wink.gif)"
  expect_journal 0 $'PathEdit\t12\t256\t0\t.*smile\\.png'
  [ "$1" = older ] && screenshot main-window.png $(drive rect)
}

# Prompts made as the dialog manager makes them, a control every few ms: seen half made, each
# gets the answer its complete form calls for. The emoticon with the same shortcut is kept
# with Overwrite clear (TICK 0) and replaced when it is ticked, and the refused listed
# shortcut goes in under its replacement. STAND-IN ARGUMENTS give the client and how it makes
# its dialogs: minimised, it never shows them (the program learns from its answer to a ping
# that each is complete); reusing, it hides its create dialog after each entry and shows it
# again, emptied.
scenario_prompts() {
  local tick=$1; shift
  picture grin.png happy.gif smile.gif
  readme $'---List---\ngrin.png - :D\n'
  store_line "(smile)" old 'C:\old.gif'
  start_standin "$@"
  start_program
  expect "Overwrite set" drive overwrite "$tick"
  drive click Add
  local refused
  refused=$(refused_group "grin.png: :D refused, added as :D2")
  if [ "$tick" = 1 ]; then
    expect_box 30000 "$(account "$refused" "$(replaced_group "smile.gif: the emoticon with (smile)")")"
    expect_store "(smile)|smile|$(win smile.gif)" ":D2|grin|$(win grin.png)" "(happy)|happy|$(win happy.gif)"
    expect_journal 1 $'^Prompt\t273\t1\t1968352'
  else
    expect_box 30000 "$(account "$refused" "$(left_out_group "smile.gif: an emoticon has (smile)")")"
    expect_store "(smile)|old|C:\\old.gif" ":D2|grin|$(win grin.png)" "(happy)|happy|$(win happy.gif)"
    expect_journal 1 $'^Prompt\t273\t2\t3082306'
    expect_journal 1 $'^Create\t273\t2\t854760'
  fi
  expect_journal 1 $'^Prompt\t273\t2\t264158'
}

# Japanese (932) or Simplified Chinese (936) Windows: every shortcut rule counts characters,
# the texts go out in the code page, and a name that the code page cannot hold goes as its
# 8.3 path, with one "?" a character in the texts (a surrogate pair too). Rows:
# file|shortcut stored|name stored|path (8.3 when short).
# A listed shortcut of one character is not used; one of eight is refused once and replaced by
# its first six characters and "2".
scenario_cjk() {
  local cp=$1 rows=() list=""
  case $cp in
    932)
      locale_name=ja_JP.UTF-8
      rows=("한국.png|(??)|??|short" "😀笑.png|(?笑)|?笑|short" "café.png|(caf?)|caf?|short"
            "スマイル.png|：）|スマイル|"
            "ソフト_猫.png|(ソ猫)|ソフト_猫|" "ハートハートハート.gif|ハートハート2|ハートハートハート|"
            "笑顔 大きい.jpg|(笑大)|笑顔 大きい|" "表.gif|(表)|表|")
      list=$'---List---\nスマイル.png - ：）\nハートハートハート.gif - ハートハートハート\n表.gif - 表\n'
      ;;
    936)
      locale_name=zh_CN.UTF-8
      rows=("한국.png|(??)|??|short" "café.png|(café)|café|" "スマイル.png|(スマイル)|スマイル|"
            "大 笑.gif|(大笑)|大 笑|" "开心笑脸开心.png|(开心笑脸开)|开心笑脸开心|"
            "哭_脸.jpg|(哭脸)|哭_脸|" "笑脸.gif|笑脸笑脸笑脸2|笑脸|")
      list=$'---List---\n哭_脸.jpg - 哭\n笑脸.gif - 笑脸笑脸笑脸笑脸\n'
      ;;
  esac
  code_page=CP$cp
  # Without the locale Wine would quietly run in code page 1252.
  locale -a 2>/dev/null | grep -qix "${locale_name%.UTF-8}.utf8" ||
    problems+=("the locale $locale_name is missing (scripts/install_deps.sh makes it)")
  local row file shortcut emoticon where stored=() texts=() refused refused_line=""
  refused=$(sed -n 's/.* - \(.\{8,\}\)$/\1/p' <<<"$list")
  for row in "${rows[@]}"; do
    IFS='|' read -r file shortcut emoticon where <<<"$row"
    picture "$file"
    stored+=("$shortcut|$emoticon|${where:-$(win "$file")}")
    # What the shortcut Edit receives, in order: each shortcut, and before the replacement
    # the listed one that was refused.
    if [ "$shortcut" = "${refused:0:6}2" ]; then
      refused_line="$file: $refused refused, added as $shortcut"
      texts+=("$refused")
    fi
    texts+=("$shortcut")
  done
  readme "$list"
  start_standin --client "$2"
  start_program
  drive click Add
  # The box names the picture as the file system spells it, whatever the code page.
  expect_box 30000 "$(account "$(refused_group "$refused_line")")"
  # The folder is ASCII: only a name takes its 8.3 form, shown here as "short".
  expect_eq store "$(store_lines | folder="$(win '')\\" awk -F'|' -v OFS='|' \
    'index($3, ENVIRON["folder"]) == 1 && substr($3, length(ENVIRON["folder"]) + 1) ~ /~/ { $3 = "short" } 1')" \
    "$(printf '%s\n' "${stored[@]}")"
  expect_eq "shortcut texts" "$(journal_texts ShortcutEdit)" "$(printf '%s\n' "${texts[@]}")"
  expect_journal 1 $'^Prompt\t273\t2\t264158'
  screenshot main-window.png $(drive rect)
}

# journal_texts ROLE: the texts that the stand-in's Edit of that role received, in UTF-8, a
# line each, a text sent again at once (a fill pass repeated) counted once.
journal_texts() {
  tr -d '\r' <"$dir/journal.txt" | awk -F'\t' -v r="$1" '$1 == r && $2 == 12 { print $5 }' |
    iconv -f "$code_page" -t UTF-8 | uniq
}

# A run slowed by a create dialog that comes 300 ms late, read from outside: the caption
# counts the pictures being entered and reads "Pimbrel" again before the success box, which
# gives the account of a refused listed shortcut and of the emoticons replaced, one of them
# for a picture whose name the code page cannot hold and the box shows in full; afterwards
# each entry's tool tip says what became of its picture. The unselected one is not counted.
scenario_progress() {
  picture смайл.png grin.png happy.gif left.gif smile.gif
  readme $'---List---\ngrin.png - :D\n'
  store_line "(?????)" old 'C:\old.png'
  store_line "(smile)" old 'C:\old.gif'
  start_standin --create-delay 300
  start_program
  drive select 3 0 >/dev/null  # left.gif
  expect "Overwrite set" drive overwrite 1
  add_watching_captions
  expect_eq captions "$(sed '/^Pimbrel - adding/,$!d' "$dir/captions.txt")" \
    "$(printf 'Pimbrel - adding %s of 4\n' 1 2 3 4)"$'\nPimbrel\nbox: Pimbrel'
  expect_box 5000 "$(account "$(refused_group "grin.png: :D refused, added as :D2")" \
                             "$(replaced_group "смайл.png: the emoticon with (?????)" \
                                               "smile.gif: the emoticon with (smile)")")"
  local index want=("Added as (?????), replacing the emoticon that had it"
                    "Messenger refused :D; added as :D2" "Added as (happy)" "Shortcut: (left)"
                    "Added as (smile), replacing the emoticon that had it")
  for index in "${!want[@]}"; do
    expect_eq "tool tip of entry $index" "$(entry_tip "$index")" "${want[index]}"
  done
  xdotool mousemove 600 600
  # The same in the Result column, beside the shortcut the next Add sends.
  want[3]=""
  expect_eq "Shortcut and Result columns" "$(drive rows | sed 1d | cut -d'|' -f2-)" \
    "$(paste -d'|' <(printf '%s\n' "(?????)" ":D  (from Readme.txt)" "(happy)" "(left)" "(smile)") \
                   <(printf '%s\n' "${want[@]}"))"
}

# --- a pack as people download it ---------------------------------------------------------

# Debian's pidgin-themes, its dmogdotorg theme as it ships (278 pictures and a theme file),
# fetched once into build/: a pack that cannot be had fails the scenario. Many of its names
# share a prefix (msn_car.gif, msn_cat.png, ...), so their shortcuts are numbered well past
# ten. Every picture is stored, none left out or refused, each under the shortcut, with the
# name and path, that the program's own code predicts natively (tests/e2e/predicted_store).
scenario_real_pack() {
  local pack predictor predicted
  pack=$(pack_folder pidgin-themes dmogdotorg) ||
    { problems+=("the pack pidgin-themes could not be had"); return; }
  predictor=$(find "$E2E_ROOT/build/native" -name predicted_store -type f -print -quit 2>/dev/null)
  [ -n "$predictor" ] || { problems+=("predicted_store is not built (native preset)"); return; }
  cp -r "$pack/." "$dir/pics/"
  predicted=$("$predictor" "$(winpath "$dir/pics")")
  expect_eq "pictures predicted" "$(grep -c . <<<"$predicted")" 278
  start_standin
  start_program
  drive click Add
  expect_box 180000 "$success_box"
  expect_eq store "$(store_lines)" "$predicted"
}

# --- following and stopping a run ---------------------------------------------------------

stopped_after_3_of_8="Pimbrel|Adding was stopped after 3 of the 8 selected pictures."

# slow_pictures COUNT MS: r01.gif, r02.gif ... beside a Messenger that opens each create
# dialog MS late.
slow_pictures() {
  local i
  for i in $(seq -w 1 "$1"); do picture "r$i.gif"; done
  start_standin --create-delay "$2"
}
# result_of I: the Result cell of the list's row I.
result_of() { drive rows | sed -n "$(($1 + 2))p" | cut -d'|' -f3; }
in_hand() { [ "$(result_of "$1")" = "Adding..." ]; }
# after_three: the store after a run of eight stopped while the third picture was in hand: it
# went in whole, nothing more did, and the emoticon dialog was closed (the stand-in saves its
# store only then).
after_three() {
  expect_store "(r1)|r1|$(win r1.gif)" "(r2)|r2|$(win r2.gif)" "(r3)|r3|$(win r3.gif)"
  expect_journal 3 $'^Emoticon\t273\t1420\t1311244'
  expect_journal 3 $'^Create\t273\t1\t1837380'
  expect_journal 1 $'^Emoticon\t273\t1\t2622856'
}

# The run read from outside as it goes (drive watch-run), with more pictures than the window
# shows rows as it opens: the row in hand reads "Adding...", has the list's focus and is in
# view; the rows before it say what became of their pictures before the run ends, the rows
# after it are empty.
scenario_follow() {
  local count=14
  slow_pictures "$count" 700
  start_program
  drive click Add
  drive watch-run 60000 >"$dir/watched.txt" &
  local watcher=$!
  expect "the eleventh picture in hand" e2e_wait_for 30 in_hand 10
  screenshot following.png $(drive rect)
  wait "$watcher"
  expect_box 5000 "$success_box"
  local verdicts
  verdicts=$(tr -d '\r' <"$dir/watched.txt" | awk -F'|' -v count="$count" '
    /^focus=/ {
      split($1, f, /[ =]/); focus = f[2]; top = f[4]; page = f[6]; hand = -1
      for (i = 2; i <= NF; i++) if ($i == "Adding...") hand = i - 2
      if (hand < 0) next
      seen[hand] = 1
      if (hand != focus || hand < top || hand >= top + page) print "row " hand " not followed: " $0
      for (i = 2; i <= NF; i++)
        if ((i - 2 < hand && $i != sprintf("Added as (r%02d)", i - 1)) || (i - 2 > hand && $i != ""))
          print "row " i - 2 " while " hand " is in hand: " $0
      if (page >= count) print "the list shows every row: " $0
    }
    END { for (i = 0; i < count; i++) if (!(i in seen)) print "row " i " never seen in hand" }')
  expect_eq "the rows as the run went" "$verdicts" ""
  expect_eq "the rows after the run" "$(drive rows | sed 1d | cut -d'|' -f3)" \
    "$(printf 'Added as (r%s)\n' $(seq -w 1 "$count"))"
}

# Stop pressed while the third of eight pictures is in hand, with a real click on the button
# that has taken Add's place, or with Esc; at DPI (96, or 144 in the prefix kept for other
# scales). The pack is given on the command line, so that the caption names it: the picture
# in hand goes in whole, the box says how far the run came over the pack's caption, and Add is
# back in its place with the controls enabled.
scenario_stop() {
  local dpi=$2 controls add stop choose
  [ "$dpi" = 96 ] || scaled_prefix "$dpi"
  slow_pictures 8 1500
  start_program_on "$dir/pics"
  click_at Add
  expect "the second picture in hand" e2e_wait_for 30 in_hand 1
  controls=$(drive controls)
  add=$(control "$controls" Button Add)
  stop=$(control "$controls" Button Stop)
  choose=$(control "$controls" Button 'Choose folder\.\.\.')
  expect_eq "Stop in Add's place, shown, enabled, with the focus; Add hidden" \
    "$(field "$stop" rect) $(field "$stop" enabled)$(field "$stop" visible)$(field "$stop" focus) $(field "$add" visible)" \
    "$(field "$add" rect) 111 0"
  expect_eq "Choose folder... shown and disabled" "$(field "$choose" visible)$(field "$choose" enabled)" 10
  expect_eq "the tab order during the run" \
    "$(grep 'enabled=1 visible=1 tabstop=1' <<<"$controls" | sed -nE 's/.*text=(.*)$/\1/p')" Stop
  screenshot "stopping-$dpi.png" $(drive rect)
  expect "the third picture in hand" e2e_wait_for 30 in_hand 2
  if [ "$1" = esc ]; then xdotool key Escape; else click_at Stop; fi
  expect_eq "the box" "$(drive box 20000)" "$stopped_after_3_of_8"
  expect_eq "the caption behind it" "$(caption)" "Pimbrel - pics"
  screenshot "stopped-$dpi.png"
  drive box 2000 dismiss >/dev/null
  after_three
  sleep 0.3
  expect_state "add=1 choose=1 overwrite=1 list=1 checked=0"
  controls=$(drive controls)
  expect "Stop hidden again" grep -qE '^control .* visible=0 .*text=Stop$' <<<"$controls"
  expect "Add has the focus again" grep -qE '^control .* focus=1 .*text=Add$' <<<"$controls"
  expect_eq "the rows" "$(drive rows | sed 1d | cut -d'|' -f3 | tr '\n' ,)" \
    "Added as (r1),Added as (r2),Added as (r3),,,,,,"
  [ "$dpi" = 96 ] || { stop_all; shared_prefix; }
}

# The window of a pack given on the command line closed while the third picture is in hand:
# the run stops as Stop stops it, with no box, and the program ends once that picture is in.
# Closed while Messenger never opens its emoticon dialog, so that the run cannot stop before
# its wait ends: it ends 5 s later.
scenario_close_during_run() {
  slow_pictures 8 1500
  start_program_on "$dir/pics"
  drive click Add
  expect "the third picture in hand" e2e_wait_for 30 in_hand 2
  expect "the program ends within 3 s of closing, with no box" drive close-program 3000
  kill_started
  after_three
  : >"$dir/store.txt"
  start_standin --never-open
  start_program
  drive click Add
  sleep 1
  local start ms
  start=$(date +%s%N)
  expect "the program ends after closing" drive close-program 15000
  ms=$(( ($(date +%s%N) - start) / 1000000 ))
  expect "it ended $ms ms after closing: about 5 s" test "$ms" -ge 4000 -a "$ms" -le 9000
}

# --- a Messenger that is late, goes away or stops answering; two programs at once ----------

# Messenger never opens its emoticon dialog. The waits grow patient (passes of 1 ms at
# first, of 15 ms once a wait goes on), so a one-picture folder's budget of 1100 passes is
# spent only after more than 11 s: then one silent retry a second later, a second run that
# waits as long, and the guard's box with its stop icon, within a minute of the click; the
# program ends.
scenario_never_opens() {
  local start ms
  picture a.gif
  start_standin --never-open
  start_program
  start=$(date +%s%N)
  drive click Add
  expect_box 70000 "(icon) Fatal Error: Infinite Loop|Infinite loop detected, application will now shut down."
  ms=$(( ($(date +%s%N) - start) / 1000000 ))
  e2e_log "  the guard's box came $ms ms after the click"
  expect "the guard came after $ms ms: more than two runs of 11 s and within a minute" \
    test "$ms" -ge 23000 -a "$ms" -le 60000
  expect "the program ends after the guard's box" e2e_wait_for 15 gone "$program_pid"
  expect_journal 2 $'^Main\t273\t4294942017\t0'
  expect_store
}

# Messenger busy for MS at the first text (signing in, loading its pictures, being scanned),
# with COUNT pictures: the caption says after a second that the program waits for Messenger
# (its window lives on: hang-60s-close closes it in such a wait), and counts again
# once Messenger has taken the text (it then answers each confirm 0.3 s late, so that the
# driver's look at the caption sees it), and every picture goes in, each text once. A text
# that Messenger has not taken costs no pass, so even one picture's budget waits it out.
scenario_busy() {
  local count=$1 ms=$2 i want=() start run_ms
  for i in $(seq 1 "$count"); do
    picture "p$i.gif"
    want+=("(p$i)|p$i|$(win "p$i.gif")")
  done
  start_standin --hang-at-text 1 --hang-ms "$ms" --prompt-delay 300
  start_program
  start=$(date +%s%N)
  drive click Add
  drive watch-caption $((ms + 30000)) >"$dir/captions.txt"
  expect_eq "the caption as Messenger keeps the first text waiting, and takes it" \
    "$(grep -B1 -A1 -m1 '^Pimbrel - waiting for MSN Messenger$' "$dir/captions.txt")" \
    "Pimbrel - adding 1 of $count"$'\n'"Pimbrel - waiting for MSN Messenger"$'\n'"Pimbrel - adding 1 of $count"
  expect_eq "the caption at the end" "$(tail -n 2 "$dir/captions.txt")" $'Pimbrel\nbox: Pimbrel'
  expect_box 5000 "$success_box"
  run_ms=$(( ($(date +%s%N) - start) / 1000000 ))
  expect "the run took $run_ms ms: Messenger was not busy" test "$run_ms" -ge "$ms"
  expect_store "${want[@]}"
  expect_journal 1 $'^PathEdit\t12\t256\t0\t.*p1\\.gif$'
}

# Messenger slow with every create dialog, as STAND-IN ARGUMENTS say (opened 0.4 s or 1 s
# late, or a second of its own start-up with the client's thread busy): all twelve pictures go
# in. The waits grow patient instead of spending the budget of 2200 passes on the first few
# dialogs.
scenario_slow_dialogs() {
  local i want=()
  for i in $(seq -f '%02g' 1 12); do
    picture "s$i.gif"
    want+=("(s$i)|s$i|$(win "s$i.gif")")
  done
  start_standin "$@"
  start_program
  drive click Add
  expect_box 60000 "$success_box"
  expect_store "${want[@]}"
}

# Messenger stops answering for a minute while it handles the second picture's path. Closing
# the program's window 2 s into that ends the program at once; only the first picture is
# stored. The program held the run lock when it ended: the next program takes it and adds
# the rest. The stand-in is ended as soon as the program has gone, not a minute later.
scenario_hang_close() {
  picture a.gif b.gif c.gif
  start_standin --hang-at-text 4 --hang-ms 60000
  start_program
  drive click Add
  expect "Messenger got the second picture's path" \
    e2e_wait_for 20 grep -q $'^PathEdit\t12\t256\t0\t.*b\\.gif$' "$dir/journal.txt"
  sleep 2
  expect "the program ends within 2 s of closing" drive close-program 2000
  kill_started
  expect_store "(a)|a|$(win a.gif)"
  start_standin
  start_program
  drive click Add
  expect_box 30000 "$(account "$(left_out_group "a.gif: an emoticon has (a)")")"
  expect_store "(a)|a|$(win a.gif)" "(b)|b|$(win b.gif)" "(c)|c|$(win c.gif)"
}

# Two programs in two folders beside one slow Messenger: the second one's Add, pressed while
# the first one runs, says so, gives its controls back and sends nothing; the first run
# stores all its pictures and nothing else is stored.
scenario_two_programs() {
  local f first want=()
  for f in a b c d e; do
    picture "$f.gif"
    want+=("($f)|$f|$(win "$f.gif")")
  done
  mkdir -p "$dir/pics2"
  cp "$E2E_TEMPLATES/t.gif" "$dir/pics2/x.gif"
  start_standin --prompt-delay 300
  start_program
  first=$program
  E2E_OTHER_PROGRAM=$first start_program "$dir/pics2"
  E2E_PROGRAM=$first drive click Add
  expect "the first run sent a text" e2e_wait_for 20 grep -q "^PathEdit" "$dir/journal.txt"
  E2E_PROGRAM=$program drive click Add
  E2E_PROGRAM=$program expect_box 10000 \
    "Pimbrel|Another Pimbrel window is adding emoticons. Press Add again when it has finished."
  sleep 0.3
  E2E_PROGRAM=$program expect_state "add=1 choose=1 overwrite=1 list=1 checked=0"
  E2E_PROGRAM=$first expect_box 30000 "$success_box"
  expect_store "${want[@]}"
  expect_journal 1 $'^Main\t273\t4294942017\t0'
  expect_journal 0 'x\.gif'
}

# --- a planted folder ---------------------------------------------------------------------

# The picture folder also holds a DLL of the name of every DLL the program imports or loads,
# and an EXPLORER.EXE, each leaving a mark when Windows loads or starts it (planted/planted.c).
# With Windows' search order forced, the program starts, adds a picture and opens the site;
# no mark may appear, and the site link must start the Windows folder's explorer.exe.
# DLLs loaded at run time: by the program (comctl32 through the manifest, winmm and what it
# imports, and the taskbar's object for the run's progress, which COM loads), by the system as
# it draws (themes, blending), and the one DLL name the runtime asks for (only when it is
# loaded already). COM itself (ole32) is a Known DLL, as are the DLLs it imports. Then the
# picture loader's GDI+, and what is loaded as it decodes (under Wine: the imaging component
# and two DLLs that it and Wine's GDI+ ask for). Not planted: ucrtbase, zlib1 and version,
# which Wine's own kernel32, msvcrt and advapi32 import as any program starts (before its
# first instruction, from its folder first: Wine has no Known DLLs), and Windows' do not.
planted_run_time_dlls=(comctl32 winmm msacm32 explorerframe uxtheme msimg32 libgcc_s_dw2-1
                       gdiplus windowscodecs propsys shcore)

# plant_files: the planted files in $dir/pics; sets $planted_overrides for WINEDLLOVERRIDES.
plant_files() {
  local source=$E2E_ROOT/tests/e2e/planted/planted.c out=$E2E_WORK/planted
  local flags=(-Os -fno-tree-loop-distribute-patterns -fno-builtin -nostdlib -nostartfiles
               -Wno-array-bounds)
  mkdir -p "$out"
  if [ ! "$out/planted.dll" -nt "$source" ] || [ ! "$out/planted.exe" -nt "$source" ]; then
    i686-w64-mingw32-gcc "${flags[@]}" -DPLANTED_DLL -shared -Wl,-e,_PlantedDllMain@12 \
        -o "$out/planted.dll" "$source" -lntdll &&
      i686-w64-mingw32-gcc "${flags[@]}" -mwindows -Wl,-e,_PlantedStart@0 \
        -o "$out/planted.exe" "$source" -lntdll ||
      { problems+=("the planted files did not build"); return 1; }
  fi
  cp "$out/planted.exe" "$dir/pics/EXPLORER.EXE"
  # The allowed imports are Known DLLs, which Windows takes from the system folder alone;
  # Wine 8 has no Known DLLs and would take ours, so those keep Wine's own ("b") as Windows
  # keeps its own. Every other name is looked for beside the program first ("n,b").
  local known imports name native=() builtin=()
  known=$(allowed_imports)
  imports=$(imports_of "$exe")
  [ -n "$imports" ] || { problems+=("no imports read from $exe"); return 1; }
  for name in $imports "${planted_run_time_dlls[@]/%/.dll}"; do
    cp "$out/planted.dll" "$dir/pics/$name"
    if grep -qxF "$name" <<<"$known"; then builtin+=("${name%.dll}"); else native+=("${name%.dll}"); fi
  done
  planted_overrides="$(IFS=,; echo "${native[*]}")=n,b;$(IFS=,; echo "${builtin[*]}")=b"
}

scenario_planted_files() {
  picture smile.gif
  plant_files || return
  e2e_log "  WINEDLLOVERRIDES for the program: $planted_overrides"
  start_standin --client older
  WINEDLLOVERRIDES="$WINEDLLOVERRIDES;$planted_overrides" start_program
  drive click Add
  expect_box 30000 "$success_box"
  expect_store "(smile)|smile|$(win smile.gif)"
  # A real click on the site label, while a watch reports every explorer.exe that starts:
  # the Windows folder's, in that folder, minimised with the focus, with the browser command.
  local watcher
  timeout 60 wine "$driver" starts explorer.exe 20000 1 >"$dir/starts.txt" 2>/dev/null &
  watcher=$!
  expect "the process watch started" e2e_wait_for 20 grep -q '^watching' "$dir/starts.txt"
  click_at pimbrel.net
  wait "$watcher"
  expect_eq "the site link started" "$(tr -d '\r' <"$dir/starts.txt" | grep -v '^watching$' |
    awk -F'|' -v OFS='|' '{ $1 = tolower($1); $2 = tolower($2); print }')" \
    'c:\windows\explorer.exe|c:\windows\|2|EXPLORER "http://pimbrel.net?fromapp=pimbrel"'
  # The picture loader, run from the planted folder by the probe (as the window runs it) over
  # every kind of file: the system's GDI+ decodes each format.
  cp "$probe" "$dir/pics/picture_probe.exe"
  mkdir "$dir/kinds" "$dir/drawn"
  picture_kinds "$dir/kinds"
  local lines
  lines=$(cd "$dir/pics" && WINEDLLOVERRIDES="$WINEDLLOVERRIDES;$planted_overrides" in_locale \
    timeout 120 wine picture_probe.exe "$(winpath "$dir/kinds")" 32 "$(winpath "$dir/drawn")" \
    2>/dev/null | tr -d '\r')
  expect_eq "GDI+ beside the planted files" "$(head -n1 <<<"$lines" | tr 'A-Z' 'a-z')" \
    'gdiplus|system folder|c:\windows\system32\gdiplus.dll'
  expect_eq "the pictures decoded beside them" "$(tail -n +2 <<<"$lines")" "$(picture_kinds_states)"
  expect "a picture drawn" grep -qE '^32x32 drawn=6,6,19x19 .*premultiplied=yes$' \
    <<<"$(drawn "$dir/drawn" 7)"
  local marks
  marks=$(cd "$dir/pics" && ls -- *.mark 2>/dev/null)
  [ -z "$marks" ] || problems+=("code from the picture folder ran: $(echo $marks)")
}

# --- the pictures themselves ---------------------------------------------------------------

# probe_pictures FOLDER SIDE OUT [OPTION...]: the picture probe's lines (tools/picture_probe:
# the loader over FOLDER's pictures, as the window runs it), its bitmaps left in OUT.
probe_pictures() {
  mkdir -p "$3"
  in_locale timeout 120 wine "$probe" "$(winpath "$1")" "$2" "$(winpath "$3")" "${@:4}" \
    2>>"$dir/probe-errors.txt" | tr -d '\r'
}

# drawn OUT INDEX: the bitmap the probe drew for that picture, described (drawn_picture.py),
# and kept as a PNG to look at.
drawn() { python3 "$E2E_ROOT/tests/e2e/drawn_picture.py" "$1/$2.bmp" --png "$1/$2.png" 2>&1; }

# Every kind of file a pack may hold (picture_kinds), through the loader at 100, 150 and
# 200 %: the pictures shown at the display's scale or shrunk to fit the square, proportions
# kept, centred, transparent around them and premultiplied, the first frame of the GIF; the
# rest not decoded or not readable, without a stall. GDI+ comes from the system folder, and can be had the way
# Windows XP finds it: from the side-by-side store, through the exe's manifest for it.
scenario_picture_decoding() {
  picture_kinds "$dir/pics"
  [ -n "$probe" ] || { problems+=("picture_probe.exe is not built"); return; }
  local lines out
  lines=$(probe_pictures "$dir/pics" 32 "$dir/drawn-32")
  expect_eq "GDI+ at 100 %" "$(head -n1 <<<"$lines" | tr 'A-Z' 'a-z')" \
    'gdiplus|system folder|c:\windows\system32\gdiplus.dll'
  expect_eq "states" "$(tail -n +2 <<<"$lines")" "$(picture_kinds_states)"
  out=$dir/drawn-32
  expect_eq "the GIF's first frame" "$(drawn "$out" 0)" \
    "32x32 drawn=6,6,19x19 centre=255,0,0,255 premultiplied=yes"
  expect_eq "the BMP" "$(drawn "$out" 7)" \
    "32x32 drawn=6,6,19x19 centre=255,255,255,255 premultiplied=yes"
  expect "the JPEG shrunk to 32 x 19" grep -qE \
    '^32x32 drawn=0,6,32x19 centre=[0-9]+,[0-9]+,[0-9]+,255 premultiplied=yes$' \
    <<<"$(drawn "$out" 6)"
  local index
  for index in 3 9; do
    expect "the PNG's circle $index, gold in the clear" grep -qE \
      '^32x32 drawn=[5-7],[5-7],(19|2[01])x(19|2[01]) centre=255,215,0,255 premultiplied=yes$' \
      <<<"$(drawn "$out" "$index")"
  done
  # At 200 %, twice the size, each pixel of a small picture two; the PNG, 40 pixels wide, is
  # shrunk to fit. At 150 %, one and a half times, resampled. (Wine's GDI+ leaves the first
  # row or column of a resampled picture clear: 38 rows at 13 show as 37 at 14.)
  probe_pictures "$dir/pics" 64 "$dir/drawn-64" >/dev/null
  out=$dir/drawn-64
  expect_eq "the GIF at 200 %" "$(drawn "$out" 0)" \
    "64x64 drawn=13,13,38x38 centre=255,0,0,255 premultiplied=yes"
  expect_eq "the BMP at 200 %" "$(drawn "$out" 7)" \
    "64x64 drawn=13,13,38x38 centre=255,255,255,255 premultiplied=yes"
  expect "the JPEG at 200 %" grep -qE '^64x64 drawn=0,1[34],64x3[78] ' <<<"$(drawn "$out" 6)"
  expect "the PNG at 200 %, shrunk to 64 x 48" \
    grep -qE '^64x64 drawn=1[1-3],1[1-3],(39|4[0-3])x(39|4[0-3]) centre=255,215,0,255 ' \
    <<<"$(drawn "$out" 3)"
  probe_pictures "$dir/pics" 48 "$dir/drawn-48" >/dev/null
  expect "the BMP at 150 %" \
    grep -qE '^48x48 drawn=(9|10),(9|10),2[89]x2[89] centre=255,255,255,255 ' \
    <<<"$(drawn "$dir/drawn-48" 7)"
  # Every picture shown, at each scale, in one picture to look at.
  local bmp
  for bmp in "$dir"/drawn-{32,48,64}/*.bmp; do
    drawn "${bmp%/*}" "$(basename "$bmp" .bmp)" >/dev/null
  done
  montage "$dir"/drawn-{32,48,64}/*.png -tile 5x -geometry +4+4 -background '#c0c0c0' \
    "$dir/drawn.png" 2>/dev/null
  # A GIF's transparent colour stays clear: only its disc is drawn.
  mkdir "$dir/clear" &&
    convert -size 19x19 xc:none -fill red -draw 'circle 9,9 9,3' "$dir/clear/disc.gif"
  probe_pictures "$dir/clear" 32 "$dir/drawn-clear" >/dev/null
  expect "the GIF's disc alone" grep -qE '^32x32 drawn=[89],[89],1[345]x1[345] centre=255,0,0,255 ' \
    <<<"$(drawn "$dir/drawn-clear" 0)"
  # Windows XP's way, taken alone.
  mkdir "$dir/one" && cp "$dir/pics/good.png" "$dir/one/"
  lines=$(probe_pictures "$dir/one" 32 "$dir/drawn-sxs" --side-by-side)
  expect "GDI+ from the side-by-side store" grep -qiE '^gdiplus\|side by side\|c:\\windows\\winsxs\\'\
'x86_microsoft\.windows\.gdiplus_6595b64144ccf1df_1\.0\.' <<<"$lines"
  expect_eq "decoded by it" "$(tail -n +2 <<<"$lines")" "0|Shown|good.png"
  # Pictures of the largest size decoded, three of them: the loader ended after the first,
  # with the second in hand, returns at once (well within the first one's time) and nothing
  # comes from it afterwards.
  mkdir "$dir/largest" &&
    convert -size 4096x4096 gradient:red-blue -depth 8 "$dir/largest/a.png" &&
    cp "$dir/largest/a.png" "$dir/largest/b.png" && cp "$dir/largest/a.png" "$dir/largest/c.png"
  local end took late
  IFS='|' read -r _ end took late < <(probe_pictures "$dir/largest" 32 "$dir/drawn-largest" \
    --stop-after 1 | grep '^stopped|')
  expect "the loader ended at once: $end ms, the first picture took $took ms" \
    test "${end:-999}" -lt $(( ${took:-0} / 2 ))
  expect_eq "messages after the loader's end" "${late:-none}" 0
}

# --- the list file ----------------------------------------------------------------------

# keep FOLDER PICTURE TEXT: keeps TEXT as the picture's shortcut through the Win32 file system
# and code page, in the scenario's locale; prints what became of it.
keep() {
  in_locale timeout 60 wine "$(built list_probe.exe)" "$(winpath "$1")" "$2" "$3" 2>/dev/null |
    tr -d '\r'
}
# expect_bytes WHAT FILE TEXT: FILE holds exactly TEXT, in the scenario's code page.
expect_bytes() {
  expect_eq "$1" "$(od -An -c "$2")" "$(printf '%s' "$3" | iconv -t "$code_page" | od -An -c)"
}

# A disk that fills up while the new file is written beside the old one, then the same disk
# read-only: the old file stays as it was and nothing is left beside it. Needs a small disk of
# its own (a tmpfs mounted as root).
small_disk() {
  local tiny=$dir/tiny i
  umount "$tiny" 2>/dev/null  # left mounted by a run that was stopped
  mkdir -p "$tiny"
  if ! mount -t tmpfs -o size=64k tmpfs "$tiny" 2>/dev/null; then
    e2e_log "no small disk can be mounted here: the full-disk check is left out"
    return
  fi
  cp "$E2E_TEMPLATES/t.gif" "$tiny/a.gif"
  { printf -- '---List---\r\n'; for i in $(seq 1 1500); do printf 'p%d.gif - (p%d)\r\n' "$i" "$i"; done; } \
    >"$tiny/Readme.txt"
  cp "$tiny/Readme.txt" "$dir/full.txt"
  # Fill the disk, then free two pages: the copy of about 30 KB stops after 8 KB.
  dd if=/dev/zero of="$tiny/filler" bs=4k 2>/dev/null
  truncate -s -8k "$tiny/filler"
  expect_eq "full disk" "$(keep "$tiny" a.gif '(a)')" \
    "NotWritten|Readme.txt could not be written. The disk is full."
  expect "the file on the full disk as it was" cmp -s "$dir/full.txt" "$tiny/Readme.txt"
  expect_eq "nothing left on the full disk" "$(ls "$tiny" | tr '\n' ' ')" "Readme.txt a.gif filler "
  # The same disk read-only: as root nothing else makes a folder refuse a new file.
  mount -o remount,ro "$tiny"
  expect_eq "read-only folder" "$(keep "$tiny" a.gif '(a)')" \
    "NotWritten|Readme.txt could not be written. Windows does not let files be written in the folder: it is read-only, or you lack the rights."
  umount "$tiny"
}

# A typed shortcut kept in Readme.txt, replaced whole: only the picture's entry changes (the
# text before and after the list, a lone LF in it, stay); a hidden file stays hidden; a
# folder without one gets one; a read-only file, or one on a disk that fills up or is read-only, stays as it was, nothing left
# beside it; in code page 932, a name the code page cannot hold is refused and trail bytes that
# read as "\" stay halves of characters.
scenario_list_file() {
  local before=$'My pack\r\n---List---\r\nwink.png - ;)\r\n---\r\nafter\nthe list\r\n'
  picture smile.gif wink.png
  printf '%s' "$before" >"$dir/pics/Readme.txt"
  expect_eq "kept" "$(keep "$dir/pics" smile.gif ':-D')" Kept
  expect_bytes "the entry added" "$dir/pics/Readme.txt" "${before/;)$'\r\n'/;)$'\r\n'smile.gif - :-D$'\r\n'}"
  expect_eq "back to automatic" "$(keep "$dir/pics" wink.png '')" Kept
  expect_bytes "the entry removed" "$dir/pics/Readme.txt" \
    $'My pack\r\n---List---\r\nsmile.gif - :-D\r\n---\r\nafter\nthe list\r\n'
  cp "$dir/pics/Readme.txt" "$dir/kept.txt"
  chmod a-w "$dir/pics/Readme.txt"
  expect_eq "read-only" "$(keep "$dir/pics" smile.gif '(sm)')" \
    "NotWritten|Readme.txt could not be written. The file is read-only."
  expect "the read-only file as it was" cmp -s "$dir/kept.txt" "$dir/pics/Readme.txt"
  chmod u+w "$dir/pics/Readme.txt"
  expect_eq "nothing left beside it" "$(ls "$dir/pics" | tr '\n' ' ')" "Readme.txt smile.gif wink.png "
  (cd "$dir/pics" && timeout 60 wine cmd /c attrib +h Readme.txt >/dev/null 2>&1)
  expect_eq "kept in a hidden file" "$(keep "$dir/pics" smile.gif '(sd)')" Kept
  expect_eq "the file still hidden" "$(cd "$dir/pics" && timeout 60 wine cmd /c attrib Readme.txt 2>/dev/null | cut -c1-11 | tr -d ' ')" AH

  small_disk

  mkdir "$dir/new" && cp "$E2E_TEMPLATES/t.gif" "$dir/new/a.gif"
  expect_eq "kept without a file" "$(keep "$dir/new" a.gif '(a)')" Kept
  expect_bytes "a new file" "$dir/new/Readme.txt" $'---List---\r\na.gif - (a)\r\n---\r\n'

  locale_name=ja_JP.UTF-8 code_page=CP932
  mkdir "$dir/ja" && cp "$E2E_TEMPLATES/t.gif" "$dir/ja/ソフト.gif" && cp "$E2E_TEMPLATES/t.gif" "$dir/ja/한.gif"
  printf '一覧\r\n---List---\r\nソフト.gif - x\r\n' | iconv -t CP932 >"$dir/ja/Readme.txt"
  expect_eq "kept in 932" "$(keep "$dir/ja" ソフト.gif '(表)')" Kept
  expect_bytes "the entry in 932" "$dir/ja/Readme.txt" $'一覧\r\n---List---\r\nソフト.gif - (表)\r\n'
  expect_eq "a name 932 cannot hold" "$(keep "$dir/ja" 한.gif '(a)')" \
    "Refused|Readme.txt cannot list this picture: the system's code page lacks characters of its name."
}

# --- shortcuts typed in the list -----------------------------------------------------------

# edit_row I: F2 on the list's entry I, clicked first; cell_box: the box over a Shortcut cell, as
# "row=R text=TEXT focus=0|1", or "none".
edit_row() { click_item "$1" && xdotool mousemove 1200 1000 key F2 && sleep 0.5; }
cell_box() { drive cell-edit | sed 's/^edit //'; }
# type_over TEXT: the box's text replaced by TEXT, as typed, and Enter. Characters beyond
# the keyboard's go in as an input method gives them.
type_over() {
  xdotool key ctrl+a
  if LC_ALL=C grep -q '^[ -~]*$' <<<"$1"; then xdotool type "$1"; else drive type-in-box "$1"; fi
  sleep 0.3
  xdotool key Return && sleep 0.5
}
# shortcut_of I: entry I's Shortcut column.
shortcut_of() { drive rows | sed -n "s/^item $1 .*|\(.*\)|.*/\1/p"; }

# A shortcut typed in the list, as a user would: F2, a refusal read beside the box, the
# correction kept in Readme.txt at once (everything else in it stays), a double click on
# another row's cell and Esc, a refusal left with a click elsewhere, the next start reading
# the file, a read-only file whose shortcut holds for this window alone, and Add, pressed
# while a box is open, storing what the rows and the box show. At 96 DPI, then at 144 DPI in
# a prefix of its own (see scenario_scaled), with screenshots of the box and a refusal.
scenario_typed_shortcuts() {
  local before=$'My pack\r\n---List---\r\nwink.png - (wk)\r\n---\r\nafter\r\n'
  picture grin.png smile.gif wink.png
  printf '%s' "$before" >"$dir/pics/Readme.txt"
  start_standin
  start_program
  edit_row 1
  expect_eq "F2: the box over the row's shortcut" "$(cell_box)" "row=1 text=(smile) focus=1"
  screenshot box-96.png $(drive rect)
  type_over '(smiley)'
  expect_eq "too long: the box stays" "$(cell_box)" "row=1 text=(smiley) focus=1"
  expect_eq "the reason beside it" "$(tip_shown)" "Messenger takes at most 7 characters."
  screenshot refusal-96.png $(drive rect)
  expect_bytes "nothing written" "$dir/pics/Readme.txt" "$before"
  type_over '[sm]'
  expect_eq "kept: the box closes" "$(cell_box)" none
  expect_eq "the row" "$(shortcut_of 1)" "[sm]  (from Readme.txt)"
  expect_bytes "the entry after the last one" "$dir/pics/Readme.txt" \
    $'My pack\r\n---List---\r\nwink.png - (wk)\r\nsmile.gif - [sm]\r\n---\r\nafter\r\n'
  local x y
  read -r x y < <(drive item-point 0 1)
  xdotool mousemove "$x" "$y" click --repeat 2 --delay 80 1 && sleep 0.7
  expect_eq "a double click on a Shortcut cell" "$(cell_box)" "row=0 text=(grin) focus=1"
  xdotool key Escape && sleep 0.3
  expect_eq "Esc: closed" "$(cell_box)|$(shortcut_of 0)" "none|(grin)"
  # Left with a click in the list's empty part: refused, closed, and the reason at the cell.
  local w h
  xdotool mousemove "$x" "$y" click --repeat 2 --delay 80 1 && sleep 0.7
  xdotool key ctrl+a type '[sm]'
  read -r x y w h < <(drive rect)
  xdotool mousemove $((x + 100)) $((y + h - 40)) click 1 mousemove 1200 1000 && sleep 0.5
  expect_eq "clicked elsewhere" "$(cell_box)|$(shortcut_of 0)" "none|(grin)"
  expect_eq "the reason at the cell" "$(tip_shown)" "smile.gif has this shortcut already."
  expect "the program ends on close" drive close-program 15000

  start_program
  expect_eq "started again" "$(shortcut_of 1)" "[sm]  (from Readme.txt)"
  cp "$dir/pics/Readme.txt" "$dir/kept.txt"
  chmod a-w "$dir/pics/Readme.txt"
  edit_row 0
  type_over '[gr]'
  expect_box 5000 "(icon) Pimbrel|Readme.txt could not be written. The file is read-only."$'\n\n'"grin.png has the shortcut [gr] in this window only, until another folder is opened. Readme.txt is as it was."
  expect_eq "not saved" "$(shortcut_of 0)" "[gr]  (not saved)"
  expect "the read-only file as it was" cmp -s "$dir/kept.txt" "$dir/pics/Readme.txt"
  chmod u+w "$dir/pics/Readme.txt"
  # Add pressed from the keyboard while a box is open (Tab to it, Space): the box keeps its
  # text first, and the run sends it.
  edit_row 2
  xdotool key ctrl+a type '(wi)'
  drive select 0 1 && drive select 1 1
  xdotool key Tab space
  expect_box 30000 "$success_box"
  expect_store "[gr]|grin|$(win grin.png)" "[sm]|smile|$(win smile.gif)" "(wi)|wink|$(win wink.png)"
  expect_eq "the box kept its text" "$(cell_box)|$(shortcut_of 2)" "none|(wi)  (from Readme.txt)"
  expect "the program ends on close" drive close-program 15000

  scaled_prefix 144
  start_program
  edit_row 2
  expect_eq "144 DPI: the box" "$(cell_box)" "row=2 text=(wi) focus=1"
  screenshot box-144.png $(drive rect)
  type_over '[sm]'
  expect_eq "144 DPI: the reason" "$(tip_shown)" "smile.gif has this shortcut already."
  screenshot refusal-144.png $(drive rect)
  expect "144 DPI: the program ends on close" drive close-program 15000
  shared_prefix
}

# Japanese Windows (code page 932): a double-byte shortcut typed in the list goes into
# Readme.txt in the code page, and Add stores it; a duplicate's reason names its picture.
scenario_typed_shortcuts_cjk() {
  locale_name=ja_JP.UTF-8 code_page=CP932
  picture smile.gif ソフト.gif 表.gif
  readme $'一覧\n---List---\n表.gif - (表)\n'
  start_standin
  start_program
  edit_row 1
  expect_eq "the box" "$(cell_box)" "row=1 text=(ソフト) focus=1"
  type_over '（笑）'
  expect_eq "kept" "$(cell_box)|$(shortcut_of 1)" "none|（笑）  (from Readme.txt)"
  expect_bytes "the entry in 932" "$dir/pics/Readme.txt" \
    $'一覧\r\n---List---\r\n表.gif - (表)\r\nソフト.gif - （笑）\r\n'
  edit_row 0
  type_over '(表)'
  expect_eq "a duplicate" "$(tip_shown)" "表.gif has this shortcut already."
  xdotool key Escape && sleep 0.3
  xdotool key ctrl+a && sleep 0.3
  drive click Add
  expect_box 30000 "$success_box"
  expect_store "(smile)|smile|$(win smile.gif)" "（笑）|ソフト|$(win ソフト.gif)" "(表)|表|$(win 表.gif)"
}

# --- run ------------------------------------------------------------------------------

main() {
  e2e_begin || { echo "e2e: 0 passed, 1 failed"; return 1; }
  local start=$SECONDS name call
  # name, then the scenario function and its arguments
  while read -r -u 3 name call; do
    [ $# -eq 0 ] || [[ " $* " == *" $name "* ]] || continue
    new_scenario "$name"
    $call
    end_scenario
  done 3<<'EOF'
window scenario_window
empty-folder scenario_empty_folder
command-line scenario_command_line
command-line-cjk scenario_command_line_cjk
open-folders scenario_open_folders
opening scenario_opening
collisions-older scenario_collisions older
collisions-newer scenario_collisions newer
prompts-older-keep scenario_prompts 0 --client older --build-gap 1
prompts-newer-replace scenario_prompts 1 --client newer --build-gap 10
prompts-minimised scenario_prompts 1 --client older --minimised --build-gap 3
prompts-reused-keep scenario_prompts 0 --client newer --reuse-create --build-gap 3
cjk-932 scenario_cjk 932 older
cjk-936 scenario_cjk 936 newer
progress scenario_progress
real-pack scenario_real_pack
follow scenario_follow
stop-click scenario_stop click 96
stop-esc-144 scenario_stop esc 144
close-during-run scenario_close_during_run
never-opens scenario_never_opens
busy-1-3s scenario_busy 1 3000
busy-4-3s scenario_busy 4 3000
busy-1-10s scenario_busy 1 10000
busy-4-10s scenario_busy 4 10000
slow-create-400ms scenario_slow_dialogs --create-delay 400
slow-create-1s scenario_slow_dialogs --create-delay 1000
slow-start-1s scenario_slow_dialogs --client newer --edits-delay 1000 --build-gap 1
hang-60s-close scenario_hang_close
two-programs scenario_two_programs
planted-files scenario_planted_files
scaled scenario_scaled
pictures scenario_pictures
picture-decoding scenario_picture_decoding
typed-shortcuts scenario_typed_shortcuts
typed-shortcuts-932 scenario_typed_shortcuts_cjk
list-file scenario_list_file
EOF
  e2e_log "suite took $((SECONDS - start)) s"
  e2e_summary e2e
}

main "$@"
