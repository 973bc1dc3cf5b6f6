#!/usr/bin/env bash
# Reads the import tables of the built exe (and of its benchmark variant) and fails on any DLL
# outside src/platform/win32/allowed_imports.txt, and on any delay-loaded DLL (found by bare
# name at first use). Ends with "imports: N passed, M failed".
set -uo pipefail
source "$(dirname "$0")/../e2e/e2e_env.sh"
allowed=$(allowed_imports)

for name in Pimbrel.exe PimbrelFullPause.exe; do
  program=$(built "$name")
  problems=()
  dir=$E2E_BUILD
  if [ -z "$program" ] || ! imports=$(imports_of "$program") || [ -z "$imports" ]; then
    problems+=("no import table read from '$program' in $E2E_BUILD")
  else
    for dll in $imports; do
      grep -qxF "$dll" <<<"$allowed" || problems+=("imports $dll, which Windows would look for beside it")
    done
    [[ $(i686-w64-mingw32-objdump -p "$program" | grep -E '^Entry d ') == "Entry d 00000000 00000000 "* ]] ||
      problems+=("has delay-loaded DLLs")
    echo "$name imports: $(echo $imports)"
  fi
  verdict
done
e2e_summary imports
