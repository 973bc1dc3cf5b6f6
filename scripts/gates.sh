#!/usr/bin/env bash
# Bounded robustness gates: the native suites under ASan and UBSan, the fuzz targets for a
# fixed number of inputs, and the list-file reader on huge files with its peak memory.
set -uo pipefail
cd "$(dirname "$0")/.."

passed=0
failed=0
gate() {  # gate NAME COMMAND...
  local name=$1; shift
  local start=$SECONDS
  if "$@"; then passed=$((passed + 1)); r=ok; else failed=$((failed + 1)); r=FAILED; fi
  echo "-- gate $name: $r ($((SECONDS - start)) s)"
}

sanitized() {
  cmake --preset native-asan >/dev/null && cmake --build --preset native-asan -j2 &&
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --preset native-asan
}

fuzzed() {
  cmake --preset fuzz >/dev/null && cmake --build --preset fuzz -j2 --target fuzz_make_shortcut fuzz_list_file fuzz_list_writer || return 1
  local target corpus work rc=0
  for target in fuzz_make_shortcut fuzz_list_file fuzz_list_writer; do
    corpus=tests/fuzz/corpus/$target
    work=$(mktemp -d)
    cp -r "$corpus"/. "$work"/ 2>/dev/null
    build/fuzz/tests/fuzz/$target -runs=200000 -max_len=4096 -seed=1 "$work" >"build/fuzz/$target.log" 2>&1 ||
      { rc=1; tail -30 "build/fuzz/$target.log"; }
    tail -2 "build/fuzz/$target.log"
    rm -rf "$work"
  done
  return $rc
}

huge_list_files() {
  cmake --preset native-release >/dev/null && cmake --build --preset native-release -j2 --target shortcuts_list_bench &&
    build/native-release/tests/benchmarks/shortcuts_list_bench
}

gate sanitizers sanitized
gate fuzz fuzzed
gate huge-list-files huge_list_files

echo "gates: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
