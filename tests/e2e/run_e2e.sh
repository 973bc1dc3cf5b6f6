#!/usr/bin/env bash
# End-to-end suite: the real Pimbrel.exe beside the Messenger stand-in under 32-bit Wine and
# Xvfb. Each scenario builds a fresh picture folder, copies the exe in, starts the stand-in
# and the exe, presses Add, reads and dismisses every message box, then checks the stand-in's
# store and journal. Ends with "e2e: N passed, M failed".
set -uo pipefail
source "$(dirname "$0")/e2e_env.sh"
export LANG=C.UTF-8 LC_ALL=C.UTF-8

work=$E2E_ROOT/build/e2e/scenarios
exe=$(find "$E2E_BUILD" -name Pimbrel.exe -print -quit 2>/dev/null)
standin=$(find "$E2E_BUILD" -name MessengerStandIn.exe -print -quit 2>/dev/null)
driver=$(find "$E2E_BUILD" -name e2e_driver.exe -print -quit 2>/dev/null)
probe_exe=$(find "$E2E_BUILD" -name probe.exe -print -quit 2>/dev/null)
only=${1:-}  # a scenario name to run alone

passed=0
failed=0
failures=()
standin_pid=""
program_pid=""
other_pid=""  # a second program, where a scenario runs two

# The locale that a scenario's Windows programs run in: Wine takes the ANSI code page from
# LANG, process by process (one prefix serves every locale). Texts in files are in $code_page.
locale_name=C.UTF-8
code_page=CP1252
in_locale() { LANG=$locale_name LC_ALL=$locale_name "$@"; }

drive() { in_locale timeout 60 wine "$driver" "$@" 2>/dev/null | tr -d '\r'; }
probe() { in_locale timeout 60 wine "$probe_exe" "$@" 2>/dev/null | tr -d '\r'; }

# --- one scenario's parts -------------------------------------------------------------

# new_scenario NAME: a fresh folder $dir with pics/ (the picture folder) and the exe in it.
new_scenario() {
  name=$1
  dir=$work/$name
  rm -rf "$dir"
  mkdir -p "$dir/pics"
  : >"$dir/store.txt"
  problems=()
  locale_name=C.UTF-8
  code_page=CP1252
  e2e_log "scenario $name"
}

# picture FILE: a small real picture of the file's type (template made once per run).
picture() {
  local ext=${1##*.}
  ext=${ext,,}
  [ "$ext" = jpe ] || [ "$ext" = jpeg ] && ext=jpg
  cp "$work/templates/t.$ext" "$dir/pics/$1"
}

# store_line SHORTCUT NAME PATH: pre-fills the stand-in's store.
store_line() { printf '%s\t%s\t%s\r\n' "$1" "$2" "$3" >>"$dir/store.txt"; }

# The list file is ANSI text, as a Windows editor would save it in the scenario's code page.
readme() { printf '%s' "$1" | sed 's/$/\r/' | iconv -f UTF-8 -t "$code_page" >"$dir/pics/Readme.txt"; }

start_standin() {
  rm -f "$dir/ready.txt"
  (cd "$dir" && exec env LANG="$locale_name" LC_ALL="$locale_name" wine "$standin" \
      --store store.txt --journal journal.txt \
      --ready ready.txt "$@" >/dev/null 2>&1) &
  standin_pid=$!
  e2e_wait_for 20 test -s "$dir/ready.txt" || problems+=("the stand-in did not start")
}

start_program() {
  cp "$exe" "$dir/pics/Pimbrel.exe"
  (cd "$dir/pics" && exec env LANG="$locale_name" LC_ALL="$locale_name" wine Pimbrel.exe \
      >/dev/null 2>&1) &
  program_pid=$!
  [ "$(drive wait-program 20000)" != timeout ] || problems+=("the program window did not show")
}

press_add() { drive click Add >/dev/null; }

# Presses Add with a real mouse click on the button's centre.
click_add() {
  local x y w h
  read -r x y w h < <(drive rect Add)
  [ -n "${h:-}" ] || { problems+=("no Add button to click"); return; }
  xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
}

# expect_box TIMEOUT_MS "TITLE|TEXT": the next message box of the program, then dismissed.
expect_box() {
  local got
  got=$(drive box "$1" dismiss)
  [ "$got" = "$2" ] || problems+=("message box: wanted '$2', got '$got'")
}

expect_state() {
  local got
  got=$(drive state)
  [ "$got" = "$1" ] || problems+=("controls: wanted '$1', got '$got'")
}

expect_exit() {
  [ -z "$program_pid" ] && return
  e2e_wait_for "$1" bash -c "! kill -0 $program_pid 2>/dev/null" ||
    problems+=("the program did not end within $1 s")
}

# store_lines: the stand-in's store, a line an emoticon, as "shortcut|name|path" in UTF-8.
store_lines() { tr -d '\r' <"$dir/store.txt" | iconv -f "$code_page" -t UTF-8 | cut -f1-3 | tr '\t' '|'; }

# journal_texts ROLE: the texts that the stand-in's Edit of that role received, in UTF-8, a
# line each, a text sent again at once (a fill pass repeated) counted once.
journal_texts() {
  tr -d '\r' <"$dir/journal.txt" 2>/dev/null | awk -F'\t' -v r="$1" '$1 == r && $2 == 12 { print $5 }' |
    iconv -f "$code_page" -t UTF-8 | uniq
}

# expect_store LINE...: the store, in order, as store_lines gives it.
expect_store() {
  local want got
  want=$(printf '%s\n' "$@")
  got=$(store_lines)
  [ "$got" = "$want" ] || problems+=("store:"$'\n'"wanted:"$'\n'"$want"$'\n'"got:"$'\n'"$got")
}

# Saves the program's main window as main-window.png in the scenario's folder.
screenshot_main_window() {
  local x y w h
  read -r x y w h < <(drive rect)
  [ -n "${h:-}" ] && import -window root -crop "${w}x${h}+${x}+${y}" "$dir/main-window.png" 2>/dev/null
}

# count_journal PATTERN: lines of the journal matching the extended regex.
count_journal() { grep -cE "$1" "$dir/journal.txt" 2>/dev/null || true; }

expect_journal_count() {
  local got
  got=$(count_journal "$2")
  [ "$got" = "$1" ] || problems+=("journal: wanted $1 lines like '$2', got $got")
}

end_scenario() {
  drive quit-standin 5000 >/dev/null
  for pid in $program_pid $other_pid $standin_pid; do
    kill -0 "$pid" 2>/dev/null && kill -9 "$pid" 2>/dev/null
  done
  wait $program_pid $other_pid $standin_pid 2>/dev/null
  program_pid=""
  other_pid=""
  standin_pid=""
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

wanted() { [ -z "$only" ] || [ "$only" = "$1" ]; }

win() { e2e_winpath "$dir/pics/$1"; }

# --- scenarios ------------------------------------------------------------------------

guard_box="Fatal Error: Infinite Loop|Infinite loop detected, application will now shut down."
success_box="Pimbrel|The emoticons are added succesfully."

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

# The stand-in alone, driven with the contract's commands: what every other scenario trusts.
scenario_standin_contract() {
  new_scenario "standin-contract-$1"
  picture a.png
  printf 'not a picture' >"$dir/pics/fake.png"
  store_line "(old)" old 'C:\old.gif'
  start_standin --client "$1" --create-delay 50 --edits-delay 30 --prompt-delay 30
  local got
  got=$(drive enter "$(win a.png)" "(a)" a none 5000)
  [ "$got" = stored ] || problems+=("fresh shortcut: $got")
  got=$(drive enter "$(win a.png)" "(old)" new yes 5000)
  [ "$got" = "prompt 2" ] || problems+=("same shortcut: $got")
  got=$(drive enter "$(win a.png)" ":)" smile "dismiss=:)2" 5000 | tr '\n' ' ')
  [ "$got" = "prompt 1 stored " ] || problems+=("built-in shortcut: $got")
  got=$(drive enter "$(win fake.png)" "(f)" f "dismiss=(f)" 5000 | head -1)
  [ "$got" = "prompt 1" ] || problems+=("not a picture: $got")
  drive close-emoticons >/dev/null
  sleep 0.3
  expect_store "(old)|new|$(win a.png)" "(a)|a|$(win a.png)" ":)2|smile|$(win a.png)"
  end_scenario
}

# Colliding names and a list file; one picture deselected; Add pressed with a real click.
scenario_collisions() {
  new_scenario "collisions-$1"
  for f in cool.bmp smile.gif smile.jpg smile.png wink.gif; do picture "$f"; done
  readme $'Some words before the list.\n---List---\nwink.gif - ;-]\ncool.bmp - B-)\n---\n'
  start_standin --client "$1"
  start_program
  drive select 3 0 >/dev/null  # smile.png
  if [ "$1" = older ]; then click_add; else press_add; fi
  expect_box 30000 "Pimbrel|The emoticons are added succesfully."
  expect_state "add=1 overwrite=1 list=1 checked=0"
  expect_store "B-)|cool|$(win cool.bmp)" "(smile)|smile|$(win smile.gif)" \
               "(smil2)|smile|$(win smile.jpg)" ";-]|wink|$(win wink.gif)"
  expect_journal_count 0 "$(printf 'PathEdit\t12\t256\t0\t.*smile\\.png')"
  [ "$1" = older ] && screenshot_main_window
  end_scenario
}

# Prompts made as the dialog manager makes them, a control every GAP ms: seen half made, each
# must get the answer its complete form calls for. An existing emoticon with the same
# shortcut is kept with Overwrite clear and replaced when ticked (never stored as "(smile2"),
# and a refused listed shortcut goes in under its replacement.
scenario_prompts() {
  local client=$1 gap=$2 tick=$3
  new_scenario "prompts-$client-$gap-$tick"
  picture grin.png
  picture happy.gif
  picture smile.gif
  readme $'---List---\ngrin.png - :D\n'
  store_line "(smile)" old 'C:\old.gif'
  start_standin --client "$client" --build-gap "$gap"
  start_program
  drive overwrite "$tick" >/dev/null || problems+=("could not set Overwrite")
  press_add
  if [ "$tick" = 1 ]; then
    expect_box 30000 "$(account "$(refused_group "grin.png: :D refused, added as :D2")" \
                                 "$(replaced_group "smile.gif: the emoticon with (smile)")")"
  else
    expect_box 30000 "$(account "$(refused_group "grin.png: :D refused, added as :D2")" \
                                 "$(left_out_group "smile.gif: an emoticon has (smile)")")"
  fi
  if [ "$tick" = 1 ]; then
    expect_store "(smile)|smile|$(win smile.gif)" ":D2|grin|$(win grin.png)" \
                 "(happy)|happy|$(win happy.gif)"
    expect_journal_count 1 "^Prompt	273	1	1968352"
  else
    expect_store "(smile)|old|C:\\old.gif" ":D2|grin|$(win grin.png)" \
                 "(happy)|happy|$(win happy.gif)"
    expect_journal_count 1 "^Prompt	273	2	3082306"
    expect_journal_count 1 "^Create	273	2	854760"
  fi
  expect_journal_count 1 "^Prompt	273	2	264158"
  end_scenario
}

# A client that hides its create dialog after each entry and shows it again, emptied, for the
# next one (its dialogs made a control every GAP ms): every picture goes in, through prompts
# as well.
scenario_reuse() {
  local client=$1 gap=$2
  new_scenario "reuse-$client-$gap"
  for f in a b c d; do picture "$f.gif"; done
  readme $'---List---\nb.gif - :)\n'
  store_line "(d)" old 'C:\old.gif'
  start_standin --client "$client" --reuse-create --build-gap "$gap"
  start_program
  drive overwrite 1 >/dev/null || problems+=("could not set Overwrite")
  press_add
  expect_box 30000 "$(account "$(refused_group "b.gif: :) refused, added as :)2")" \
                               "$(replaced_group "d.gif: the emoticon with (d)")")"
  expect_store "(d)|d|$(win d.gif)" "(a)|a|$(win a.gif)" ":)2|b|$(win b.gif)" "(c)|c|$(win c.gif)"
  end_scenario
}

# Messenger minimised: its dialogs are made (a control every 3 ms) and never shown. The
# program learns that each is complete from Messenger's answer to a ping.
scenario_minimised() {
  local client=$1
  new_scenario "minimised-$client"
  picture grin.png
  picture happy.gif
  picture smile.gif
  readme $'---List---\ngrin.png - :D\n'
  store_line "(smile)" old 'C:\old.gif'
  start_standin --client "$client" --minimised --build-gap 3
  start_program
  drive overwrite 1 >/dev/null || problems+=("could not set Overwrite")
  press_add
  expect_box 30000 "$(account "$(refused_group "grin.png: :D refused, added as :D2")" \
                               "$(replaced_group "smile.gif: the emoticon with (smile)")")"
  expect_store "(smile)|smile|$(win smile.gif)" ":D2|grin|$(win grin.png)" \
               "(happy)|happy|$(win happy.gif)"
  expect_journal_count 1 "^Prompt	273	2	264158"
  end_scenario
}

# 170 pictures, the sixth deleted after the program listed them: Messenger refuses it under
# its shortcut and under the replacement; it is left out and every other picture goes in.
scenario_deleted_picture() {
  new_scenario deleted-picture
  local i want=()
  for i in $(seq -f '%03g' 1 170); do picture "p$i.gif"; done
  start_standin
  start_program
  rm "$dir/pics/p006.gif"
  press_add
  expect_box 120000 "$(account "$(not_added_group "p006.gif: (p006) and (p006)2 refused")")"
  for i in $(seq -f '%03g' 1 170); do
    [ "$i" = 006 ] || want+=("(p$i)|p$i|$(win "p$i.gif")")
  done
  expect_store "${want[@]}"
  expect_journal_count 2 "^Prompt	273	2	264158"
  expect_journal_count 1 "^Create	273	2	854760"
  end_scenario
}

scenario_no_messenger() {
  new_scenario no-messenger
  picture smile.gif
  start_program
  press_add
  expect_box 20000 "Pimbrel|Please open your MSN Messenger main screen first."
  sleep 0.3
  expect_state "add=1 overwrite=1 list=1 checked=0"
  end_scenario
}

# The emoticon dialog comes after the first run's budget (1100 passes of at least 1 ms):
# one silent retry, then success.
scenario_slow_dialog() {
  new_scenario "slow-dialog-$1"
  picture smile.gif
  start_standin --client "$1" --emoticon-delay 3000
  start_program
  local start=$SECONDS
  press_add
  expect_box 40000 "Pimbrel|The emoticons are added succesfully."
  e2e_log "  success after $((SECONDS - start)) s"
  expect_store "(smile)|smile|$(win smile.gif)"
  expect_journal_count 2 "^Main	273	(4294942017|4294942110)	0"
  end_scenario
}

scenario_never_opens() {
  new_scenario never-opens
  picture smile.gif
  start_standin --never-open
  start_program
  press_add
  expect_box 40000 "Fatal Error: Infinite Loop|Infinite loop detected, application will now shut down."
  expect_exit 15
  expect_journal_count 2 "^Main	273	4294942017	0"
  end_scenario
}

# Messenger goes away after the first emoticon: the guard ends the program; nothing hangs.
scenario_messenger_closes() {
  new_scenario messenger-closes
  for f in a1.gif b2.gif c3.gif; do picture "$f"; done
  store_line "(keep)" keep 'C:\keep.gif'
  start_standin --quit-after 1
  start_program
  press_add
  expect_box 40000 "Fatal Error: Infinite Loop|Infinite loop detected, application will now shut down."
  expect_exit 15
  expect_store "(keep)|keep|C:\keep.gif" "(a1)|a1|$(win a1.gif)"
  end_scenario
}

# A name in the code page arrives as it is; one outside it arrives as a path the client opens.
scenario_names() {
  new_scenario "names-$1"
  picture café.png
  picture смайл.png
  readme $'---List---\ncafé.png - (cafe)\n'
  start_standin --client "$1"
  start_program
  press_add
  expect_box 30000 "Pimbrel|The emoticons are added succesfully."
  local got
  got=$(store_lines)
  grep -qxF "(cafe)|café|$(win café.png)" <<<"$got" || problems+=("accented: $got")
  [ "$(wc -l <<<"$got")" = 2 ] || problems+=("wanted two emoticons, got: $got")
  expect_journal_count 0 "^Prompt"
  end_scenario
}

# Japanese (932) or Simplified Chinese (936) Windows: every shortcut rule counts characters,
# the texts go out in the code page, and a name that the code page cannot hold goes as its
# 8.3 path, with one "?" a character in the texts (a surrogate pair too). Rows:
# file|shortcut stored|name stored|path (8.3 when short).
# A listed shortcut of one character is not used; one of eight is refused once and replaced by
# its first six characters and "2".
scenario_cjk() {
  local cp=$1 client=$2 rows=() list=""
  new_scenario "cjk-$cp-$client"
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
  local row file shortcut emoticon where want=() sent=() refused refused_line=""
  refused=$(sed -n 's/.* - \(.\{8,\}\)$/\1/p' <<<"$list")
  for row in "${rows[@]}"; do
    IFS='|' read -r file shortcut emoticon where <<<"$row"
    picture "$file"
    [ "$shortcut" = "${refused:0:6}2" ] && refused_line="$file: $refused refused, added as $shortcut"
  done
  readme "$list"
  start_standin --client "$client"
  start_program
  press_add
  # The box names the picture as the file system spells it, whatever the code page.
  expect_box 30000 "$(account "$(refused_group "$refused_line")")"
  local got=() i
  mapfile -t got < <(store_lines)
  [ ${#got[@]} = ${#rows[@]} ] || problems+=("wanted ${#rows[@]} emoticons, got ${#got[@]}:"$'\n'"$(store_lines)")
  for i in "${!rows[@]}"; do
    IFS='|' read -r file shortcut emoticon where <<<"${rows[i]}"
    local line=${got[i]:-} path
    path=${line##*|}
    if [ "$where" = short ]; then
      # the folder is ASCII; only the name takes its 8.3 form
      [[ $path == "$(win '')"* && $path != *"$file" && ${path##*\\} == *~* ]] ||
        problems+=("$file: wanted its 8.3 path, got '$path'")
    else
      [ "$path" = "$(win "$file")" ] || problems+=("$file: path '$path'")
    fi
    [ "${line%|*}" = "$shortcut|$emoticon" ] || problems+=("$file: wanted '$shortcut|$emoticon', got '${line%|*}'")
    sent+=("$shortcut")
  done
  # What the shortcut Edit received, in order: each shortcut, and before the replacement
  # the listed one that was refused.
  want=()
  for shortcut in "${sent[@]}"; do
    [ "$shortcut" = "${refused:0:6}2" ] && want+=("$refused")
    want+=("$shortcut")
  done
  local texts
  texts=$(journal_texts ShortcutEdit)
  [ "$texts" = "$(printf '%s\n' "${want[@]}")" ] ||
    problems+=("shortcut texts:"$'\n'"wanted:"$'\n'"$(printf '%s\n' "${want[@]}")"$'\n'"got:"$'\n'"$texts")
  expect_journal_count 1 "^Prompt	273	2	264158"
  [ "$client" = older ] && screenshot_main_window
  end_scenario
}

# A run slowed by a create dialog that comes 300 ms late, read from outside: the caption
# counts the pictures being entered and reads "Pimbrel" again before the success box, which
# gives the account of a refused listed shortcut and of the emoticons replaced, one of them
# for a picture whose name the code page cannot hold and the box shows in full; afterwards
# each entry's tool tip says what became of its picture. The unselected one is not counted.
scenario_progress() {
  new_scenario progress
  for f in смайл.png grin.png happy.gif left.gif smile.gif; do picture "$f"; done
  readme $'---List---\ngrin.png - :D\n'
  store_line "(?????)" old 'C:\old.png'
  store_line "(smile)" old 'C:\old.gif'
  start_standin --create-delay 300
  start_program
  drive select 3 0 >/dev/null  # left.gif
  drive overwrite 1 >/dev/null || problems+=("could not set Overwrite")
  press_add
  local captions want
  captions=$(drive watch-caption 30000 | sed '/^Pimbrel - adding/,$!d')
  want=$(printf '%s\n' "Pimbrel - adding 1 of 4" "Pimbrel - adding 2 of 4" \
                       "Pimbrel - adding 3 of 4" "Pimbrel - adding 4 of 4" "Pimbrel" "box: Pimbrel")
  [ "$captions" = "$want" ] || problems+=("captions:"$'\n'"$captions")
  expect_box 5000 "$(account "$(refused_group "grin.png: :D refused, added as :D2")" \
                             "$(replaced_group "смайл.png: the emoticon with (?????)" \
                                               "smile.gif: the emoticon with (smile)")")"
  local index tip x y
  want=("Added as (?????), replacing the emoticon that had it"
        "Messenger refused :D; added as :D2" "Added as (happy)" "Shortcut: (left)"
        "Added as (smile), replacing the emoticon that had it")
  for index in "${!want[@]}"; do
    read -r x y < <(probe item-point "$index")
    [[ ${y:-} =~ ^[0-9]+$ ]] || { problems+=("entry $index not in view"); continue; }
    xdotool mousemove "$x" "$y" sleep 0.2 mousemove $((x + 1)) "$y"
    e2e_wait_for 5 bash -c "wine '$probe_exe' controls 2>/dev/null | grep -q '^tooltip shown text=.'"
    tip=$(probe controls | sed -n 's/^tooltip shown text=//p')
    [ "$tip" = "${want[index]}" ] || problems+=("tool tip of entry $index: '$tip'")
  done
  xdotool mousemove 0 0
  end_scenario
}

# --- faults: a slow client, a prompt without Buttons, crowded desktops ------------------


# timed_add: presses Add and waits for the next box; sets $run_ms and $run_box, box dismissed.
timed_add() {
  local got
  got=$(drive timed-add 120000)
  run_ms=${got%% *}
  run_box=${got#*|}
  [ "$got" != "${got#*|}" ] || { problems+=("no message box after Add: $got"); run_ms=0; }
}

# expect_outcome BUDGET PICTURE...: the store holds what it held before the run, unchanged and
# first, then the pictures in order: all of them after the success box, or those entered
# before the guard ended the run, which it may only do once BUDGET passes of at least a
# millisecond each have gone by. Anything else stored is a wrong emoticon.
expect_outcome() {
  local budget=$1; shift
  local lines=() want=() i
  mapfile -t lines < <(store_lines)
  for i in "${!kept[@]}"; do
    [ "${lines[i]:-}" = "${kept[i]}" ] || problems+=("emoticon stored before the run: wanted '${kept[i]}', got '${lines[i]:-}'")
  done
  for i in "$@"; do want+=("($i)|$i|$(win "$i.gif")"); done
  local added=("${lines[@]:${#kept[@]}}")
  for i in "${!added[@]}"; do
    [ "${added[i]}" = "${want[i]:-}" ] || problems+=("wrong emoticon: '${added[i]}', wanted '${want[i]:-nothing}'")
  done
  case $run_box in
    "${success_text:-$success_box}")
      [ ${#added[@]} = ${#want[@]} ] || problems+=("success after ${#added[@]} of ${#want[@]} pictures") ;;
    "$guard_box")
      awk -v ms="$run_ms" -v b="$budget" 'BEGIN { exit !(ms >= b) }' ||
        problems+=("the guard fired after $run_ms ms, before $budget passes could have passed")
      expect_exit 15 ;;
    *) problems+=("unexpected box: $run_box") ;;
  esac
  local outcome=success
  [ "$run_box" = "$guard_box" ] && outcome=guard
  e2e_log "  $outcome after $run_ms ms, ${#added[@]} of ${#want[@]} pictures stored, earlier emoticons kept"
  last_outcome=$outcome
}

# Five pictures, one colliding with an emoticon stored before; every window of KIND (or of
# all kinds) comes MS late. 50 ms delays leave the budget (1500 passes) ample, and an answer
# within the settling pause costs no budget (the pause is not counted): those must succeed.
# An answer later than the pause is waited for, counted, and must never go astray.
scenario_delay() {
  local kind=$1 ms=$2 client=$3
  new_scenario "delay-$kind-$ms-$client"
  for f in a b c d e; do picture "$f.gif"; done
  kept=("(keep)|keep|C:\\keep.gif" "(c)|old|C:\\old.gif")
  store_line "(keep)" keep 'C:\keep.gif'
  store_line "(c)" old 'C:\old.gif'
  local success_text
  success_text=$(account "$(left_out_group "c.gif: an emoticon has (c)")")
  local args=() k
  for k in emoticon create edits prompt; do
    { [ "$kind" = all ] || [ "$kind" = "$k" ]; } && args+=("--$k-delay" "$ms")
  done
  start_standin --client "$client" "${args[@]}"
  start_program
  timed_add
  expect_outcome 1500 a b d e
  if [ "$ms" = 50 ] || { [ "$kind" = prompt ] && [ "$ms" -le 500 ]; }; then
    [ "$last_outcome" = success ] || problems+=("wanted success with $kind windows $ms ms late")
  fi
  end_scenario
}

# The prompt over the colliding picture never gets a Button: only the guard ends the wait.
scenario_buttonless_prompt() {
  new_scenario buttonless-prompt
  picture a.gif
  picture c.gif
  kept=("(c)|old|C:\\old.gif")
  store_line "(c)" old 'C:\old.gif'
  start_standin --buttonless-prompts
  start_program
  timed_add
  [ "$run_box" = "$guard_box" ] || problems+=("wanted the guard, got: $run_box")
  expect_outcome 1200 a
  end_scenario
}

# A thousand idle top-level windows on the desktop: every waiting pass looks past them.
scenario_idle_windows() {
  new_scenario "idle-windows-$1"
  for f in a b c; do picture "$f.gif"; done
  kept=("(keep)|keep|C:\\keep.gif")
  store_line "(keep)" keep 'C:\keep.gif'
  start_standin --client "$1" --idle-windows 1000
  start_program
  timed_add
  [ "$run_box" = "$success_box" ] || problems+=("wanted success, got: $run_box")
  expect_outcome 1300 a b c
  end_scenario
}

# --- a Messenger that stops answering; two programs at once ------------------------------

# Messenger stops answering for 3 s while it handles the first picture's shortcut. The
# program's window goes on taking input meanwhile (a scroll of its list, posted 1 s after Add),
# and the program waits in counted passes (30 pictures give a budget of 4000, more than 3 s of
# passes of at least 1 ms each) before it enters every picture, each text once.
scenario_hang_short() {
  new_scenario hang-3s
  local i want=() start run_ms
  for i in $(seq -f '%02g' 1 30); do
    picture "p$i.gif"
    want+=("(p$i)|p$i|$(win "p$i.gif")")
  done
  start_standin --hang-at-text 2 --hang-ms 3000
  start_program
  start=$(date +%s%N)
  press_add
  sleep 1
  [ "$(drive responds 500)" = responds ] ||
    problems+=("the window took no input while Messenger hung")
  expect_box 30000 "$success_box"
  run_ms=$(( ($(date +%s%N) - start) / 1000000 ))
  [ "$run_ms" -ge 3000 ] || problems+=("the run took $run_ms ms: Messenger did not stop answering")
  e2e_log "  success after $run_ms ms"
  expect_store "${want[@]}"
  expect_journal_count 1 "^ShortcutEdit	12	256	0	\\(p01\\)$"
  end_scenario
}

# Messenger stops answering for a minute while it handles the second picture's path. Closing
# the program's window 2 s into that ends the program at once; only the first picture is
# stored. The program held the run lock when it ended: the next program takes it and adds
# the rest. The stand-in is ended as soon as the program has gone, not a minute later.
scenario_hang_close() {
  new_scenario hang-60s-close
  for f in a b c; do picture "$f.gif"; done
  start_standin --hang-at-text 4 --hang-ms 60000
  start_program
  press_add
  e2e_wait_for 20 grep -q "^PathEdit	12	256	0	.*b\.gif$" "$dir/journal.txt" ||
    problems+=("Messenger never got the second picture's path")
  sleep 2
  [ "$(drive close-program 2000)" != timeout ] ||
    problems+=("the program did not end within 2 s of closing")
  expect_exit 2
  kill -9 "$standin_pid" 2>/dev/null
  wait "$standin_pid" 2>/dev/null
  expect_store "(a)|a|$(win a.gif)"
  start_standin
  start_program
  press_add
  expect_box 30000 "$(account "$(left_out_group "a.gif: an emoticon has (a)")")"
  expect_store "(a)|a|$(win a.gif)" "(b)|b|$(win b.gif)" "(c)|c|$(win c.gif)"
  end_scenario
}

# Two programs in two folders beside one slow Messenger: the second one's Add, pressed while
# the first one runs, says so, gives its controls back and sends nothing; the first run
# stores all its pictures and nothing else is stored.
scenario_two_programs() {
  new_scenario two-programs
  local f first second got want=()
  for f in a b c d e; do
    picture "$f.gif"
    want+=("($f)|$f|$(win "$f.gif")")
  done
  mkdir -p "$dir/pics2"
  cp "$work/templates/t.gif" "$dir/pics2/x.gif"
  start_standin --prompt-delay 300
  start_program
  first=$(drive wait-program 20000)
  cp "$exe" "$dir/pics2/Pimbrel.exe"
  (cd "$dir/pics2" && exec wine Pimbrel.exe >/dev/null 2>&1) &
  other_pid=$!
  second=$(E2E_OTHER_PROGRAM=$first drive wait-program 20000)
  [ "$second" != timeout ] || problems+=("the second program's window did not show")
  E2E_PROGRAM=$first press_add
  e2e_wait_for 20 grep -q "^PathEdit" "$dir/journal.txt" || problems+=("the first run sent no text")
  E2E_PROGRAM=$second press_add
  E2E_PROGRAM=$second expect_box 10000 \
    "Pimbrel|Another Pimbrel window is adding emoticons. Press Add again when it has finished."
  sleep 0.3
  E2E_PROGRAM=$second expect_state "add=1 overwrite=1 list=1 checked=0"
  E2E_PROGRAM=$first expect_box 30000 "$success_box"
  expect_store "${want[@]}"
  expect_journal_count 1 "^Main	273	4294942017	0"
  expect_journal_count 0 "x\.gif"
  end_scenario
}

# --- run ------------------------------------------------------------------------------

main() {
  local missing=()
  [ -n "$standin" ] || missing+=(MessengerStandIn.exe)
  [ -n "$driver" ] || missing+=(e2e_driver.exe)
  [ -n "$probe_exe" ] || missing+=(probe.exe)
  if [ ${#missing[@]} -gt 0 ]; then
    echo "missing in $E2E_BUILD: ${missing[*]} (cmake --preset windows && cmake --build --preset windows)"
    echo "e2e: 0 passed, 1 failed"
    return 1
  fi
  e2e_start_display || { echo "e2e: 0 passed, 1 failed"; return 1; }
  trap e2e_stop_display EXIT
  e2e_prepare_prefix || { echo "e2e: 0 passed, 1 failed"; return 1; }
  mkdir -p "$work/templates"
  for ext in png gif bmp jpg; do
    [ -f "$work/templates/t.$ext" ] || convert -size 19x19 xc:gold -fill black \
      -draw 'circle 9,9 9,3' "$work/templates/t.$ext"
  done
  local start=$SECONDS
  for client in older newer; do
    wanted "standin-contract-$client" && scenario_standin_contract $client
  done
  if [ -z "$exe" ]; then
    echo "FAIL program: no Pimbrel.exe in $E2E_BUILD"
    failed=$((failed + 1))
  else
    for client in older newer; do
      wanted "collisions-$client" && scenario_collisions $client
      for gap in 1 3 10; do
        for tick in 0 1; do
          wanted "prompts-$client-$gap-$tick" && scenario_prompts $client $gap $tick
        done
      done
      for gap in 0 3; do wanted "reuse-$client-$gap" && scenario_reuse $client $gap; done
      wanted "minimised-$client" && scenario_minimised $client
      wanted "slow-dialog-$client" && scenario_slow_dialog $client
      wanted "names-$client" && scenario_names $client
      for cp in 932 936; do wanted "cjk-$cp-$client" && scenario_cjk $cp $client; done
    done
    wanted progress && scenario_progress
    wanted no-messenger && scenario_no_messenger
    wanted never-opens && scenario_never_opens
    wanted messenger-closes && scenario_messenger_closes
    wanted deleted-picture && scenario_deleted_picture
    local kind ms
    for kind in emoticon create edits prompt; do
      for ms in 50 200 500; do wanted "delay-$kind-$ms-older" && scenario_delay $kind $ms older; done
    done
    # Answers that come after the settling pause is over.
    wanted delay-prompt-2000-older && scenario_delay prompt 2000 older
    for ms in 50 200 500; do wanted "delay-all-$ms-newer" && scenario_delay all $ms newer; done
    wanted buttonless-prompt && scenario_buttonless_prompt
    for client in older newer; do wanted "idle-windows-$client" && scenario_idle_windows $client; done
    # DLLs and programs planted beside the exe: none of them may run.
    wanted planted-files && source "$(dirname "$0")/planted_files.sh" && scenario_planted_files
    wanted hang-3s && scenario_hang_short
    wanted hang-60s-close && scenario_hang_close
    wanted two-programs && scenario_two_programs
  fi
  e2e_log "suite took $((SECONDS - start)) s"
  [ ${#failures[@]} -gt 0 ] && echo "failed: ${failures[*]}"
  echo "e2e: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}

main
