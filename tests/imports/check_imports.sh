#!/usr/bin/env bash
# Reads the import tables of the built exe (and of its benchmark variant) and fails on any DLL
# outside src/platform/win32/allowed_imports.txt, and on any delay-loaded DLL (found by bare
# name at first use). Ends with "imports: N passed, M failed".
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${E2E_BUILD:-$root/build/windows}
allowed=$(sed 's/#.*//' "$root/src/platform/win32/allowed_imports.txt" | awk 'NF { print tolower($1) }')
passed=0
failed=0

for name in Pimbrel.exe PimbrelFullPause.exe; do
  exe=$(find "$build" -name "$name" -path '*win32*' -print -quit 2>/dev/null)
  problems=()
  if [ -z "$exe" ]; then
    problems+=("not built in $build")
  elif ! headers=$(i686-w64-mingw32-objdump -p "$exe"); then
    problems+=("objdump cannot read it")
  else
    imports=$(sed -nE 's/^[[:space:]]*DLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z')
    [ -n "$imports" ] || problems+=("no import table found")
    for dll in $imports; do
      grep -qxF "$dll" <<<"$allowed" || problems+=("imports $dll, which Windows would look for beside it")
    done
    [[ $(grep -E '^Entry d ' <<<"$headers") == "Entry d 00000000 00000000 "* ]] ||
      problems+=("has delay-loaded DLLs")
    echo "$name imports: $(echo $imports)"
  fi
  if [ ${#problems[@]} -eq 0 ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    printf 'FAIL %s: %s\n' "$name" "${problems[@]}"
  fi
done
echo "imports: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
