#!/usr/bin/env bash
# Release checks: builds the release twice (the archives must agree to the byte), checks what
# the archive holds against the exe the end-to-end suite ran, then unpacks it into a picture
# folder as a user would and runs Add against the stand-in under Wine.
# Ends with "release: N passed, M failed".
set -uo pipefail
source "$(dirname "$0")/e2e_env.sh"
cd "$E2E_ROOT"

archive_sum() { sha256sum dist/Pimbrel-*.zip 2>/dev/null | cut -d' ' -f1; }

new_scenario release-builds-alike
expect "the release builds" bash scripts/release.sh
first=$(archive_sum)
expect "the release builds again" bash scripts/release.sh
expect_eq "the second archive" "$(archive_sum)" "${first:-no archive}"
verdict

out=$(python3 tests/e2e/release_contents.py "$E2E_ROOT" "$exe")
status=$?
echo "$out"
passed=$((passed + $(grep -c '^PASS' <<<"$out")))
failed=$((failed + $(grep -c '^FAIL' <<<"$out")))
# A check that stopped half way has printed no FAIL for what it did not get to.
[ "$status" -eq 0 ] || grep -q '^FAIL' <<<"$out" ||
  { echo "FAIL release-contents (the checks stopped with status $status)"; failed=$((failed + 1)); }

# A user's picture folder, named as in the help text's example. The help text also lies there
# as Readme.txt, as if a user had renamed it: its example must give no picture a shortcut.
new_scenario release-unpacked
if e2e_begin && [ -n "$first" ]; then
  picture smile.gif Wink.png
  python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' \
    dist/Pimbrel-*.zip "$dir/pics"
  cp "$dir/pics/Pimbrel-Help.txt" "$dir/pics/Readme.txt"
  start_standin
  start_program "$dir/pics" "$dir/pics/Pimbrel.exe"
  drive click Add
  expect_box 30000 "Pimbrel|The emoticons are added succesfully."
  expect_store "(smile)|smile|$(win smile.gif)" "(Wink)|Wink|$(win Wink.png)"
else
  problems+=("nothing to unpack, or no Wine to run it in")
fi
end_scenario
e2e_summary release
