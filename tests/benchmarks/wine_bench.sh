#!/usr/bin/env bash
# Speed figures of the real Pimbrel.exe under Wine beside the Messenger stand-in, printed as
# plain lines (nothing here passes or fails on time):
#   - per picture, 20 and 100 pictures, both clients: the program beside the scripted client
#     that sends the same messages with no pauses of its own, and their ratio; and the same
#     program built without its progress in the caption and on the taskbar;
#   - the program's CPU time over those runs divided by their wall time, and over a run
#     where every window comes late, so that the program mostly waits;
#   - the same 20 pictures with the whole settling pause, to show what ending it early saves;
#   - one window-lookup pass with 50, 500 and 1,000 idle top-level windows;
#   - start-up to a shown window with 1 and with 1,000 pictures in the folder, alternating,
#     and the ratio of their medians.
# It stops with an error when a run does not store what it should. Arguments pick parts:
#   wine_bench.sh [entry] [pause] [waiting] [lookup] [startup]      (default: all)
# Build first: cmake --preset windows && cmake --build --preset windows
set -uo pipefail
source "$(dirname "$0")/../e2e/e2e_env.sh"

work=$E2E_ROOT/build/bench
find_exe() { find "$E2E_BUILD" -name "$1" -print -quit 2>/dev/null; }
exe=$(find_exe Pimbrel.exe)
full_exe=$(find_exe PimbrelFullPause.exe)
quiet_exe=$(find_exe PimbrelNoProgress.exe)
standin=$(find_exe MessengerStandIn.exe)
driver=$(find_exe e2e_driver.exe)
scripted=$(find_exe scripted_client.exe)
lookup=$(find_exe lookup_bench.exe)
for tool in "$exe" "$full_exe" "$quiet_exe" "$standin" "$driver" "$scripted" "$lookup"; do
  [ -n "$tool" ] || { echo "wine_bench: build the windows preset first" >&2; exit 2; }
done

drive() { timeout 120 wine "$driver" "$@" 2>/dev/null | tr -d '\r'; }
die() { echo "wine_bench: $*" >&2; exit 1; }
standin_pid=""

# start_standin DIR ARGS...: the stand-in with an empty store in DIR.
start_standin() {
  local dir=$1; shift
  rm -f "$dir/ready.txt"; : >"$dir/store.txt"
  (cd "$dir" && exec wine "$standin" --store store.txt --ready ready.txt "$@" >/dev/null 2>&1) &
  standin_pid=$!
  e2e_wait_for 30 test -s "$dir/ready.txt" || die "the stand-in did not start"
}

stop_standin() {
  drive quit-standin 10000 >/dev/null
  wait "$standin_pid" 2>/dev/null
}

stored_count() { grep -c . "$1/store.txt" 2>/dev/null || true; }

# pictures DIR COUNT: DIR/pics with p000.gif ... (one small real picture, copied).
pictures() {
  rm -rf "$1/pics"; mkdir -p "$1/pics"
  local i
  for ((i = 0; i < $2; i++)); do cp "$work/t.gif" "$(printf '%s/pics/p%03d.gif' "$1" "$i")"; done
}

# program_run DIR EXE CLIENT COUNT STANDIN_ARGS...: the program (EXE) started in DIR/pics,
# Add pressed; sets $wall and $cpu (milliseconds) after checking that all COUNT were stored.
program_run() {
  local dir=$1 program=$2 client=$3 count=$4; shift 4
  start_standin "$dir" --client "$client" "$@"
  cp "$program" "$dir/pics/Pimbrel.exe"
  (cd "$dir/pics" && exec wine Pimbrel.exe >/dev/null 2>&1) &
  local program_pid=$!
  [ "$(drive wait-program 30000)" != timeout ] || die "the program window did not show"
  local result; result=$(drive timed-add 600000)
  drive close-program 10000 >/dev/null
  wait "$program_pid" 2>/dev/null
  stop_standin
  [ "${result#*|}" = "Pimbrel|The emoticons are added succesfully." ] ||
    die "$(basename "$program"), $client, $count: $result"
  [ "$(stored_count "$dir")" = "$count" ] || die "$client, $count: stored $(stored_count "$dir")"
  read -r wall cpu <<<"${result%%|*}"
}

# The newer client's fixed sleeps: 10 ms a picture and 250 ms before closing the dialog.
fixed_sleeps() { [ "$1" = newer ] && echo $((10 * $2 + 250)) || echo 0; }

# entry CLIENT COUNT: one scripted run and two program runs (with and without the progress
# display) on fresh stores; prints a line.
entry() {
  local client=$1 count=$2 dir=$work/entry-$1-$2
  mkdir -p "$dir"; pictures "$dir" "$count"
  start_standin "$dir" --client "$client"
  local line; line=$(timeout 120 wine "$scripted" "$(e2e_winpath "$dir/pics")" "$count" 2>/dev/null | tr -d '\r')
  stop_standin
  [ "$(stored_count "$dir")" = "$count" ] || die "scripted client, $client, $count: $line"
  local floor; floor=$(sed -n 's/.*: \([0-9.]*\) ms, .*/\1/p' <<<"$line")
  local wall cpu quiet
  program_run "$dir" "$quiet_exe" "$client" "$count"
  quiet=$wall
  program_run "$dir" "$exe" "$client" "$count"
  awk -v c="$client" -v n="$count" -v f="$floor" -v w="$wall" -v q="$quiet" -v u="$cpu" -v s="$(fixed_sleeps "$client" "$count")" 'BEGIN {
    printf "entry %-5s %3d pictures: program %6.2f ms a picture (%6.2f without progress), scripted %6.2f ms, ratio %4.2f", c, n, w / n, q / n, f / n, w / f
    if (s > 0) printf " (%.2f without the client'"'"'s fixed sleeps of %d ms)", (w - s) / f, s
    if (u < 0) printf "; program CPU not reported\n"
    else printf "; program CPU %.0f ms of %.0f ms wall, %.1f %% of a core\n", u, w, 100 * u / w }'
}

# full_pause CLIENT COUNT: the same run with the whole settling pause after every picture.
full_pause() {
  local client=$1 count=$2 dir=$work/full-pause-$1-$2
  mkdir -p "$dir"; pictures "$dir" "$count"
  local wall cpu
  program_run "$dir" "$full_exe" "$client" "$count"
  awk -v c="$client" -v n="$count" -v w="$wall" 'BEGIN {
    printf "full settling pause, %-5s %3d pictures: %7.2f ms a picture\n", c, n, w / n }'
}

# waiting CLIENT COUNT DELAY: every window of the stand-in comes DELAY ms late, so the program
# spends the run waiting; prints its share of a core.
waiting() {
  local client=$1 count=$2 delay=$3 dir=$work/waiting-$1-$2
  mkdir -p "$dir"; pictures "$dir" "$count"
  local wall cpu
  program_run "$dir" "$exe" "$client" "$count" --emoticon-delay "$delay" \
    --create-delay "$delay" --edits-delay "$delay" --prompt-delay "$delay"
  awk -v c="$client" -v n="$count" -v d="$delay" -v w="$wall" -v u="$cpu" 'BEGIN {
    printf "waiting, %-5s %d pictures, windows %d ms late: %.0f ms wall, program CPU %.0f ms, %.1f %% of a core\n", c, n, d, w, u, 100 * u / w }'
}

# lookup COUNT: the stand-in with COUNT idle windows, then one lookup pass measured.
lookup() {
  local dir=$work/lookup-$1
  mkdir -p "$dir"
  start_standin "$dir" --idle-windows "$1" --preexisting-dialog-buttons 2
  echo "lookup, $1 idle windows:"
  timeout 300 wine "$lookup" 200 2>/dev/null | tr -d '\r' | sed 's/^/  /'
  [ "${PIPESTATUS[0]}" = 0 ] || die "lookup_bench failed"
  stop_standin
}

# start_once DIR: the program started in DIR/pics, until its window shows; prints the ms.
start_once() {
  # To a file: the program inherits the driver's output, and a pipe would stay open with it.
  timeout 120 wine "$driver" timed-start "$(e2e_winpath "$1/pics")" 60000 >"$1/start.txt" 2>/dev/null
  local ms; ms=$(tr -d '\r' <"$1/start.txt")
  drive close-program 10000 >/dev/null
  [[ $ms =~ ^[0-9.]+$ ]] || die "start-up in $1: $ms"
  echo "$ms"
}

median() { tr ' ' '\n' | grep . | sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

# startup ROUNDS: start-up to a shown window with 1 and with 1,000 pictures, side by side.
# Under Wine a start costs about 100 ms more when the folder was written a moment before or
# when Wine has been idle for a few seconds, whatever the program does; so both folders are
# made first and the starts follow one another, alternating, and the medians are compared.
startup() {
  local rounds=$1 count dir one=() many=() r
  for count in 1 1000; do
    dir=$work/startup-$count
    mkdir -p "$dir"
    [ "$(ls "$dir/pics" 2>/dev/null | grep -c '\.gif$')" = "$count" ] || pictures "$dir" "$count"
    cp "$exe" "$dir/pics/Pimbrel.exe"
  done
  sync
  start_once "$work/startup-1" >/dev/null  # the first start after the folders were made
  for ((r = 0; r < rounds; r++)); do
    one+=("$(start_once "$work/startup-1")")
    many+=("$(start_once "$work/startup-1000")")
  done
  local a b
  a=$(median <<<"${one[*]}")
  b=$(median <<<"${many[*]}")
  echo "start-up, 1 picture:     window shown after $a ms (median of $rounds: ${one[*]})"
  echo "start-up, 1000 pictures: window shown after $b ms (median of $rounds: ${many[*]})"
  awk -v a="$a" -v b="$b" 'BEGIN { printf "start-up, 1000 pictures against 1: %.2f times\n", b / a }'
}

main() {
  e2e_start_display || exit 1
  trap e2e_stop_display EXIT
  e2e_prepare_prefix || exit 1
  mkdir -p "$work"
  [ -f "$work/t.gif" ] || convert -size 19x19 xc:gold -fill black -draw 'circle 9,9 9,3' "$work/t.gif"
  echo "machine: $(nproc) cores, $(wine --version 2>/dev/null), $(date -u +%Y-%m-%d)"
  local parts=${*:-entry pause waiting lookup startup} client count
  for part in $parts; do
    case $part in
      entry) for client in older newer; do for count in 20 100; do entry "$client" "$count"; done; done ;;
      pause) for client in older newer; do full_pause "$client" 20; done ;;
      waiting) waiting older 10 100 ;;
      lookup) for count in 50 500 1000; do lookup "$count"; done ;;
      startup) startup 7 ;;
      *) die "unknown part $part (entry pause waiting lookup startup)" ;;
    esac
  done
}

main "$@"
