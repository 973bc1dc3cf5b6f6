#!/usr/bin/env bash
# Release checks: builds the release twice (the archives must agree to the byte), checks what
# the archive holds against the exe the end-to-end suites ran, then unpacks it into a picture
# folder as a user would and runs Add against the stand-in under Wine.
# Ends with "release: N passed, M failed".
set -uo pipefail
source "$(dirname "$0")/e2e_env.sh"
cd "$E2E_ROOT"

dir=$E2E_ROOT/build/e2e/release
tested=$(find "$E2E_BUILD" -name Pimbrel.exe -print -quit 2>/dev/null)
standin=$(find "$E2E_BUILD" -name MessengerStandIn.exe -print -quit 2>/dev/null)
driver=$(find "$E2E_BUILD" -name e2e_driver.exe -print -quit 2>/dev/null)
passed=0
failed=0
pids=()

drive() { timeout 60 wine "$driver" "$@" 2>/dev/null | tr -d '\r'; }

# check NAME COMMAND...: one named check; the command's success is the verdict.
check() {
  local name=$1; shift
  if "$@"; then passed=$((passed + 1)); echo "PASS $name"
  else failed=$((failed + 1)); echo "FAIL $name"; fi
}

finish() {
  for pid in "${pids[@]}"; do kill -0 "$pid" 2>/dev/null && kill "$pid" 2>/dev/null; done
  e2e_stop_display
  echo "release: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
}

if [ -z "$tested" ] || [ -z "$standin" ] || [ -z "$driver" ]; then
  echo "missing in $E2E_BUILD: build the windows preset first"
  failed=1
  finish
fi

archive_sum() { sha256sum dist/Pimbrel-*.zip 2>/dev/null | cut -d' ' -f1; }
same() { [ -n "$1" ] && [ "$1" = "$2" ]; }
check release-builds bash scripts/release.sh
first=$(archive_sum)
check release-builds-again bash scripts/release.sh
check reproducible same "$first" "$(archive_sum)"
[ -n "$first" ] || finish

out=$(python3 tests/e2e/release_contents.py "$E2E_ROOT" "$tested")
echo "$out"
passed=$((passed + $(grep -c '^PASS' <<<"$out")))
failed=$((failed + $(grep -c '^FAIL' <<<"$out")))

# A user's picture folder, named as in the help text's example. The help text also lies there
# as Readme.txt, as if a user had renamed it: its example must give no picture a shortcut.
rm -rf "$dir"
mkdir -p "$dir/pics"
for f in smile.gif Wink.png; do
  convert -size 19x19 xc:gold -fill black -draw 'circle 9,9 9,3' "$dir/pics/$f"
done
python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' \
  dist/Pimbrel-*.zip "$dir/pics"
cp "$dir/pics/Pimbrel-Help.txt" "$dir/pics/Readme.txt"
: >"$dir/store.txt"

e2e_start_display || finish
e2e_prepare_prefix || finish
(cd "$dir" && exec wine "$standin" --store store.txt --journal journal.txt --ready ready.txt \
    >/dev/null 2>&1) &
pids+=($!)
e2e_wait_for 20 test -s "$dir/ready.txt" || echo "the stand-in did not start"
(cd "$dir/pics" && exec wine Pimbrel.exe >/dev/null 2>&1) &
pids+=($!)
[ "$(drive wait-program 20000)" != timeout ] || echo "the unpacked program did not show its window"
drive click Add >/dev/null
box=$(drive box 30000 dismiss)
echo "message box: $box"
succeeded() { [[ $1 == "Pimbrel|The emoticons are added"* ]]; }
check unpacked-add-succeeds succeeded "$box"
stored=$(tr -d '\r' <"$dir/store.txt" | cut -f1-3 | tr '\t' '|')
want="(smile)|smile|$(e2e_winpath "$dir/pics/smile.gif")
(Wink)|Wink|$(e2e_winpath "$dir/pics/Wink.png")"
echo "stored:"$'\n'"$stored"
check unpacked-automatic-shortcuts same "$stored" "$want"
drive close-program 10000 >/dev/null
drive quit-standin 5000 >/dev/null
finish
