# End-to-end scenario "planted-files", sourced by run_e2e.sh and run with its helpers: the
# picture folder also holds a DLL of the name of every DLL the program imports or loads, and
# an EXPLORER.EXE, each leaving a mark when Windows loads or starts it (planted/planted.c).
# With Windows' search order forced, the program starts, adds a picture and opens the site;
# no mark may appear, and the site link must start the Windows folder's explorer.exe.

# DLLs loaded at run time: by the program (comctl32 through the manifest, winmm and what it
# imports, and the taskbar's object for the run's progress, which COM loads), by the system as
# it draws (themes, blending), and the one DLL name the runtime asks for (only when it is
# loaded already). COM itself (ole32) is a Known DLL, as are the DLLs it imports.
planted_run_time_dlls=(comctl32 winmm msacm32 explorerframe uxtheme msimg32 libgcc_s_dw2-1)

# plant_files: the planted files in $dir/pics; sets $planted_overrides for WINEDLLOVERRIDES.
plant_files() {
  local source=$E2E_ROOT/tests/e2e/planted/planted.c out=$work/planted
  local flags=(-Os -fno-tree-loop-distribute-patterns -fno-builtin -nostdlib -nostartfiles
               -Wno-array-bounds)
  mkdir -p "$out"
  if [ ! "$out/planted.dll" -nt "$source" ] || [ ! "$out/planted.exe" -nt "$source" ]; then
    i686-w64-mingw32-gcc "${flags[@]}" -DPLANTED_DLL -shared -Wl,-e,_PlantedDllMain@12 \
        -o "$out/planted.dll" "$source" -lntdll &&
      i686-w64-mingw32-gcc "${flags[@]}" -mwindows -Wl,-e,_PlantedStart@0 \
        -o "$out/planted.exe" "$source" -lntdll ||
      { problems+=("the planted files did not build"); return 1; }
  fi
  cp "$out/planted.exe" "$dir/pics/EXPLORER.EXE"
  # The allowed imports are Known DLLs, which Windows takes from the system folder alone;
  # Wine 8 has no Known DLLs and would take ours, so those keep Wine's own ("b") as Windows
  # keeps its own. Every other name is looked for beside the program first ("n,b").
  local known imports name native=() builtin=()
  known=$(sed 's/#.*//' "$E2E_ROOT/src/platform/win32/allowed_imports.txt" | awk 'NF { print tolower($1) }')
  imports=$(i686-w64-mingw32-objdump -p "$exe" | sed -nE 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z')
  [ -n "$imports" ] || { problems+=("no imports read from $exe"); return 1; }
  for name in $imports "${planted_run_time_dlls[@]/%/.dll}"; do
    cp "$out/planted.dll" "$dir/pics/$name"
    if grep -qxF "$name" <<<"$known"; then builtin+=("${name%.dll}"); else native+=("${name%.dll}"); fi
  done
  planted_overrides="$(IFS=,; echo "${native[*]}")=n,b;$(IFS=,; echo "${builtin[*]}")=b"
}

scenario_planted_files() {
  new_scenario planted-files
  picture smile.gif
  plant_files || { end_scenario; return; }
  e2e_log "  WINEDLLOVERRIDES for the program: $planted_overrides"
  start_standin --client older
  WINEDLLOVERRIDES="$WINEDLLOVERRIDES;$planted_overrides" start_program
  press_add
  expect_box 30000 "Pimbrel|The emoticons are added succesfully."
  expect_store "(smile)|smile|$(win smile.gif)"

  # A real click on the site label, while a watch reports every explorer.exe that starts.
  local x y w h watcher started
  timeout 60 wine "$driver" starts explorer.exe 20000 1 >"$dir/starts.txt" 2>/dev/null &
  watcher=$!
  e2e_wait_for 20 grep -q '^watching' "$dir/starts.txt" || problems+=("the process watch did not start")
  if read -r x y w h < <(drive rect pimbrel.net) && [ -n "${h:-}" ]; then
    xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
  else
    problems+=("no site label to click")
  fi
  wait "$watcher"
  # The Windows folder's explorer, in that folder, minimised with the focus, with the
  # browser command.
  started=$(tr -d '\r' <"$dir/starts.txt" | grep -v '^watching$')
  local image folder show line
  IFS='|' read -r image folder show line <<<"$started"
  [ "${image,,}" = 'c:\windows\explorer.exe' ] && [ "${folder,,}" = 'c:\windows\' ] &&
    [ "$show" = 2 ] && [ "$line" = 'EXPLORER "http://pimbrel.net?fromapp=pimbrel"' ] ||
    problems+=("the site link started: '$started'")

  local marks
  marks=$(cd "$dir/pics" && ls -- *.mark 2>/dev/null)
  [ -z "$marks" ] || problems+=("code from the picture folder ran: $(echo $marks)")
  end_scenario
}
