#!/usr/bin/env bash
# The main job: build Pimbrel.exe, start the Messenger stand-in (older client) and the exe
# under Wine on the bundled samples, press Add, answer the success message, print what the
# stand-in stored and save a screenshot of the main window, with the tool tip of an entry
# saying what became of its picture. Uses Xvfb when there is no display.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

bash scripts/install_deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j2

source tests/e2e/e2e_env.sh
out=$root/build/main_job
exe=$(find "$E2E_BUILD" -name Pimbrel.exe -print -quit)
standin=$(find "$E2E_BUILD" -name MessengerStandIn.exe -print -quit)
driver=$(find "$E2E_BUILD" -name e2e_driver.exe -print -quit)
probe_exe=$(find "$E2E_BUILD" -name probe.exe -print -quit)
for f in "$exe" "$standin" "$driver" "$probe_exe"; do
  [ -n "$f" ] || { echo "main job: the Windows build did not produce every program" >&2; exit 1; }
done
drive() { timeout 60 wine "$driver" "$@" 2>/dev/null | tr -d '\r'; }

rm -rf "$out"
mkdir -p "$out/pictures"
cp samples/* "$out/pictures/"
cp "$exe" "$out/pictures/Pimbrel.exe"
: >"$out/store.txt"

e2e_start_display
e2e_prepare_prefix

pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill -0 "$pid" 2>/dev/null && kill "$pid" 2>/dev/null; done
  e2e_stop_display
}
trap cleanup EXIT

(cd "$out" && exec wine "$standin" --client older --store store.txt --journal journal.txt \
    --ready ready.txt >/dev/null 2>&1) &
pids+=($!)
e2e_wait_for 30 test -s "$out/ready.txt" || { echo "the stand-in did not start" >&2; exit 1; }

(cd "$out/pictures" && exec wine Pimbrel.exe >/dev/null 2>&1) &
pids+=($!)
[ "$(drive wait-program 30000)" != timeout ] || { echo "Pimbrel did not show its window" >&2; exit 1; }

read -r x y w h < <(drive rect Add)
if command -v xdotool >/dev/null; then
  xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
else
  drive click Add >/dev/null
fi
box=$(drive box 60000 dismiss)
echo "message: ${box#*|}"
sleep 0.5

# The mouse on the third entry (heart.jpg): its tool tip says what the run did with it.
if command -v xdotool >/dev/null && read -r x y < <(timeout 60 wine "$probe_exe" item-point 2 2>/dev/null | tr -d '\r') &&
   [[ ${y:-} =~ ^[0-9]+$ ]]; then
  xdotool mousemove "$x" "$y" sleep 0.2 mousemove $((x + 1)) "$y"
  e2e_wait_for 5 bash -c "wine '$probe_exe' controls 2>/dev/null | grep -q '^tooltip shown text=.'" || true
fi

read -r x y w h < <(drive rect)
import -window root -crop "${w}x${h}+${x}+${y}" "$out/screenshot.png"

echo
echo "Emoticons stored by the stand-in ($out/store.txt):"
{
  printf 'SHORTCUT\tNAME\tPICTURE\n'
  tr -d '\r' <"$out/store.txt" | iconv -f CP1252 -t UTF-8
} | column -t -s $'\t'
echo
echo "screenshot: $out/screenshot.png"

drive close-program 10000 >/dev/null || true
drive quit-standin 10000 >/dev/null || true
[ "${box#*|}" = "The emoticons are added succesfully." ]
