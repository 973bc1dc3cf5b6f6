#!/usr/bin/env bash
# The main job: build Pimbrel.exe, start the Messenger stand-in (older client) and the exe
# under Wine from a folder of its own with a copy of the bundled samples on its command line,
# press Add, answer the success message, print what the stand-in stored and save a
# screenshot of the main window after the run, at the size it opens with, with the tool tip
# of an entry saying what became of its picture. Uses Xvfb when there is no display.
set -uo pipefail
cd "$(dirname "$0")/.."

bash scripts/install_deps.sh || exit 1
cmake --preset windows >/dev/null && cmake --build --preset windows -j2 || exit 1

E2E_WORK=$PWD/build
source tests/e2e/e2e_env.sh
e2e_begin || exit 1
new_scenario main_job
pack="$dir/My emoticons"
mkdir -p "$pack" "$dir/program"
cp samples/* "$pack/"
cp "$exe" "$dir/program/Pimbrel.exe"
start_standin --client older
spawn "$dir" "$dir/program/Pimbrel.exe" "$(winpath "$pack")"
program=$(drive wait-program 30000)
[ "$program" != timeout ] || problems+=("the program window did not show")
[ ${#problems[@]} -eq 0 ] || { printf 'main job: %s\n' "${problems[@]}" >&2; exit 1; }

click_at Add
box=$(drive box 60000 dismiss)
echo "message: ${box#*|}"
sleep 0.5
# The mouse on the third entry (heart.jpg): its tool tip says what the run did with it, as
# its Result does.
entry_tip 2 >/dev/null
screenshot screenshot.png $(drive rect)

echo
echo "Emoticons stored by the stand-in ($dir/store.txt):"
{ printf 'SHORTCUT\tNAME\tPICTURE\n'; tr -d '\r' <"$dir/store.txt" | iconv -f CP1252 -t UTF-8; } |
  column -t -s $'\t'
echo
echo "screenshot: $dir/screenshot.png"

drive close-program 10000 >/dev/null
stop_all
[ "$box" = "Pimbrel|The emoticons are added succesfully." ]
