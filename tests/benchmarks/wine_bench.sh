#!/usr/bin/env bash
# Speed figures of the real Pimbrel.exe under Wine beside the Messenger stand-in, printed as
# plain lines (nothing here passes or fails on time):
#   - per picture, 20 and 100 pictures, both clients: the program beside the driver's scripted
#     client, which sends the same messages with no pauses of its own, and their ratio; and the
#     same program built without its progress in the caption and on the taskbar;
#   - per picture, the same beside the scripted client for a real pack of 278 pictures as it
#     ships (Debian's pidgin-themes, its dmogdotorg theme), both clients;
#   - the program's CPU time over those runs divided by their wall time, and over runs where
#     each create dialog comes a second late, or every window 100 ms late, so that the
#     program mostly waits;
#   - the same 20 pictures with the whole settling pause, to show what ending it early saves;
#   - one window-lookup pass with 50, 500 and 1,000 idle top-level windows;
#   - start-up to a shown window with 1 and with 1,000 pictures in the folder, alternating,
#     and the ratio of their medians;
#   - the picture loader alone (through tools/picture_probe): the time until 1,000 emoticons
#     are drawn, and the time and peak memory for 1 and 30 pictures of the largest size it
#     decodes (4096 x 4096), whose memory must not add up.
# It stops with an error when a run does not store what it should. Arguments pick parts:
#   wine_bench.sh [entry] [pack] [pause] [waiting] [lookup] [startup] [decode]  (default: all)
# WINE_BENCH_ENTRY_COUNTS="20 100 1624" sets the entry runs' sizes (default: 20 and 100).
# Build first: cmake --preset windows && cmake --build --preset windows
set -uo pipefail
E2E_WORK=$(cd "$(dirname "$0")/../.." && pwd)/build/bench
E2E_JOURNAL=  # the stand-in's journal would slow it down
source "$(dirname "$0")/../e2e/e2e_env.sh"
source "$(dirname "$0")/../e2e/debian_packs.sh"
full_exe=$(built PimbrelFullPause.exe)
quiet_exe=$(built PimbrelNoProgress.exe)
lookup=$(built lookup_bench.exe)
die() { echo "wine_bench: $*" >&2; exit 1; }

# folder NAME [COUNT]: $dir, kept from run to run, with COUNT pictures p000.gif... in pics/.
folder() {
  dir=$E2E_WORK/$1
  problems=()
  [ -d "$dir/pics" ] && [ "$(ls "$dir/pics" | grep -c '\.gif$')" = "${2:-0}" ] && return
  rm -rf "$dir/pics"
  mkdir -p "$dir/pics"
  picture $(seq -f 'p%03g.gif' 0 $((${2:-0} - 1)))
}

# stand_in ARGS...: the stand-in with an empty store in $dir.
stand_in() {
  : >"$dir/store.txt"
  start_standin "$@"
  [ ${#problems[@]} -eq 0 ] || die "${problems[*]}"
}
stored() { grep -c . "$dir/store.txt"; }

# cpu_ms PID: the CPU time, user and system, that the kernel has counted for the process and
# all its threads. (Wine's GetProcessTimes of another process says ten times as much here.)
cpu_ms() { awk -v hz="$(getconf CLK_TCK)" '{ print int(($14 + $15) * 1000 / hz) }' "/proc/$1/stat"; }

# program_run EXE CLIENT COUNT STANDIN_ARGS...: EXE started in $dir/pics beside the stand-in
# and Add pressed; sets $wall and $cpu (milliseconds) once every picture is stored.
program_run() {
  local program=$1 client=$2 count=$3 result before; shift 3
  stand_in --client "$client" "$@"
  start_program "$dir/pics" "$program"
  before=$(cpu_ms "$program_pid")
  result=$(drive timed-add 600000)
  cpu=$(( $(cpu_ms "$program_pid") - before ))
  drive close-program 10000 >/dev/null
  stop_all
  [ ${#problems[@]} -eq 0 ] && [ "${result#*|}" = "Pimbrel|The emoticons are added succesfully." ] &&
    [ "$(stored)" = "$count" ] || die "$(basename "$program"), $client, $count: ${problems[*]} $result"
  wall=${result%%|*}
}

# entry CLIENT COUNT: one scripted run and two program runs (with and without the progress
# display) on fresh stores; prints a line.
entry() {
  local client=$1 count=$2 line floor wall cpu quiet
  folder "entry-$1-$2" "$2"
  stand_in --client "$client"
  line=$(drive script "$(winpath "$dir/pics")" "$count")
  stop_all
  [ "$(stored)" = "$count" ] || die "scripted client, $client, $count: $line"
  floor=$(sed -n 's/.*: \([0-9.]*\) ms, .*/\1/p' <<<"$line")
  program_run "$quiet_exe" "$client" "$count"
  quiet=$wall
  program_run "$exe" "$client" "$count"
  beside_script entry "$client" "$count" "$floor" "$quiet"
}

# beside_script WHAT CLIENT COUNT FLOOR [QUIET]: the line for a program run ($wall, $cpu)
# beside the scripted client's FLOOR ms (and the program without progress, QUIET ms).
beside_script() {
  awk -v what="$1" -v c="$2" -v n="$3" -v f="$4" -v q="${5:-}" -v w="$wall" -v u="$cpu" 'BEGIN {
    s = c == "newer" ? 10 * n + 250 : 0  # the newer client sleeps 10 ms a picture, 250 ms at the end
    printf "%s %-5s %3d pictures: program %6.2f ms a picture", what, c, n, w / n
    if (q != "") printf " (%6.2f without progress)", q / n
    printf ", scripted %6.2f ms, ratio %4.2f", f / n, w / f
    if (s > 0) printf " (%.2f without the client'"'"'s fixed sleeps of %d ms)", (w - s) / f, s
    printf "; program CPU %.0f ms of %.0f ms wall, %.1f %% of a core\n", u, w, 100 * u / w }'
}

# pack CLIENT: a pack as people download it (pidgin-themes' dmogdotorg, 278 pictures, many
# names sharing a prefix), fetched once into build/; the scripted client enters the very
# texts that the program's own code predicts for it (tests/e2e/predicted_store).
pack() {
  local client=$1 shipped predictor count line floor wall cpu
  shipped=$(pack_folder pidgin-themes dmogdotorg) || die "the pack pidgin-themes could not be had"
  predictor=$(find "$E2E_ROOT/build/native" -name predicted_store -type f -print -quit 2>/dev/null)
  [ -n "$predictor" ] || die "build the native preset first (predicted_store)"
  dir=$E2E_WORK/pack-$client
  problems=()
  rm -rf "$dir" && mkdir -p "$dir/pics" && cp -r "$shipped/." "$dir/pics/" || die "no copy of the pack"
  "$predictor" "$(winpath "$dir/pics")" | iconv -f UTF-8 -t CP1252 >"$dir/entries.txt" ||
    die "no prediction for the pack"
  count=$(grep -c . "$dir/entries.txt")
  stand_in --client "$client"
  line=$(drive script-listed "$(winpath "$dir/entries.txt")")
  stop_all
  [ "$(stored)" = "$count" ] || die "scripted client, pack, $client: $line"
  floor=$(sed -n 's/.*: \([0-9.]*\) ms, .*/\1/p' <<<"$line")
  program_run "$exe" "$client" "$count"
  beside_script "pack dmogdotorg" "$client" "$count" "$floor"
}

# full_pause CLIENT COUNT: the same run with the whole settling pause after every picture.
full_pause() {
  local wall cpu
  folder "full-pause-$1-$2" "$2"
  program_run "$full_exe" "$1" "$2"
  awk -v c="$1" -v n="$2" -v w="$wall" 'BEGIN {
    printf "full settling pause, %-5s %3d pictures: %7.2f ms a picture\n", c, n, w / n }'
}

# waiting CLIENT COUNT WHAT STAND-IN ARGUMENTS...: a stand-in slow as its arguments say
# (WHAT says how, for the line), so that the program spends the run waiting; prints its share
# of a core.
waiting() {
  local client=$1 count=$2 what=$3 wall cpu
  shift 3
  folder "waiting-$client-$count" "$count"
  program_run "$exe" "$client" "$count" "$@"
  awk -v c="$client" -v n="$count" -v d="$what" -v w="$wall" -v u="$cpu" 'BEGIN {
    printf "waiting, %-5s %d pictures, %s: %.0f ms wall, program CPU %.0f ms, %.1f %% of a core\n", c, n, d, w, u, 100 * u / w }'
}

# lookup COUNT: the stand-in with COUNT idle windows, then one lookup pass measured.
lookup() {
  folder "lookup-$1"
  stand_in --idle-windows "$1" --preexisting-dialog-buttons 2
  echo "lookup, $1 idle windows:"
  timeout 300 wine "$lookup" 200 2>/dev/null | tr -d '\r' | sed 's/^/  /'
  [ "${PIPESTATUS[0]}" = 0 ] || die "lookup_bench failed"
  stop_all
}

# start_once NAME: the program started in that folder's pics/, until its window shows and
# until every row shows its picture; prints both, in milliseconds.
start_once() {
  local times
  # To a file: the program inherits the driver's output, and a pipe would stay open with it.
  timeout 120 wine "$driver" timed-start "$(winpath "$E2E_WORK/$1/pics")" 60000 drawn >"$E2E_WORK/$1/start.txt" 2>/dev/null
  times=$(tr -d '\r' <"$E2E_WORK/$1/start.txt")
  drive close-program 10000 >/dev/null
  [[ $times =~ ^[0-9.]+\ [0-9.]+$ ]] || die "start-up in $1: $times"
  echo "$times"
}

median() { tr ' ' '\n' | grep . | sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

# startup ROUNDS: start-up to a shown window with 1 and with 1,000 pictures, side by side.
# Under Wine a start costs about 100 ms more when the folder was written a moment before or
# when Wine has been idle for a few seconds, whatever the program does; so both folders are
# made first and the starts follow one another, alternating, and the medians are compared.
startup() {
  local rounds=$1 count one=() many=() drawn=() r a b times
  for count in 1 1000; do
    folder "startup-$count" "$count"
    cp "$exe" "$dir/pics/Pimbrel.exe"
  done
  sync
  # start_once dies in a subshell here: its status ends the benchmark.
  start_once startup-1 >/dev/null || exit 1  # the first start after the folders were made
  for ((r = 0; r < rounds; r++)); do
    times=$(start_once startup-1) || exit 1
    one+=("${times% *}")
    times=$(start_once startup-1000) || exit 1
    many+=("${times% *}")
    drawn+=("${times#* }")
  done
  a=$(median <<<"${one[*]}")
  b=$(median <<<"${many[*]}")
  echo "start-up, 1 picture:     window shown after $a ms (median of $rounds: ${one[*]})"
  echo "start-up, 1000 pictures: window shown after $b ms (median of $rounds: ${many[*]})"
  awk -v a="$a" -v b="$b" 'BEGIN { printf "start-up, 1000 pictures against 1: %.2f times\n", b / a }'
  echo "start-up, 1000 pictures: every picture drawn after $(median <<<"${drawn[*]}") ms (median of $rounds: ${drawn[*]})"
}

# decode_run NAME: the loader over that folder's pics/ at 32 pixels; prints its figures.
decode_run() {
  local figures rc
  mkdir -p "$E2E_WORK/$1/drawn"
  # To a file, as in start_once: a program that Wine starts beside the probe would hold a pipe.
  timeout 600 wine "$probe" "$(winpath "$E2E_WORK/$1/pics")" 32 \
    "$(winpath "$E2E_WORK/$1/drawn")" 2>"$E2E_WORK/$1/figures.txt" >/dev/null
  rc=$?
  figures=$(tr -d '\r' <"$E2E_WORK/$1/figures.txt")
  [ "$rc" = 0 ] || die "the loader did not draw every picture in $1: $figures"
  echo "decode, $(sed -n 's/ pictures in / pictures drawn in /p' <<<"$figures");" \
    "$(grep '^peak working set' <<<"$figures")"
}

# decode: the loader over 1,000 emoticons, and over 1 and 30 of the largest pictures.
decode() {
  local count
  folder decode-1000 1000
  decode_run decode-1000
  for count in 1 30; do
    dir=$E2E_WORK/decode-largest-$count
    if [ "$(ls "$dir/pics" 2>/dev/null | grep -c '\.png$')" != "$count" ]; then
      rm -rf "$dir" && mkdir -p "$dir/pics"
      convert -size 4096x4096 gradient:red-blue -depth 8 "$dir/pics/p1.png" || die "convert failed"
      for ((i = 2; i <= count; i++)); do cp "$dir/pics/p1.png" "$dir/pics/p$i.png"; done
    fi
    decode_run "decode-largest-$count"
  done
}

main() {
  [ -n "$full_exe" ] && [ -n "$quiet_exe" ] && [ -n "$lookup" ] && [ -n "$probe" ] && e2e_begin ||
    die "build the windows preset first"
  echo "machine: $(nproc) cores, $(wine --version 2>/dev/null), $(date -u +%Y-%m-%d)"
  local parts=${*:-entry pack pause waiting lookup startup decode} client count
  for part in $parts; do
    case $part in
      entry)
        for client in older newer; do
          for count in ${WINE_BENCH_ENTRY_COUNTS:-20 100}; do entry "$client" "$count"; done
        done
        waiting older 10 "each create dialog 1 s late" --create-delay 1000 ;;
      pack) for client in older newer; do pack "$client"; done ;;
      pause) for client in older newer; do full_pause "$client" 20; done ;;
      waiting) waiting older 10 "every window 100 ms late" --emoticon-delay 100 --create-delay 100 \
                 --edits-delay 100 --prompt-delay 100 ;;
      lookup) for count in 50 500 1000; do lookup "$count"; done ;;
      startup) startup 7 ;;
      decode) decode ;;
      *) die "unknown part $part (entry pack pause waiting lookup startup decode)" ;;
    esac
  done
}

main "$@"
