# Emoticon packs that no one here made: Debian's packages of smiley themes, fetched with
# apt-get from the system's package archive and unpacked under build/, where they stay for
# the next run (never in the repository). Source it after e2e_env.sh.

E2E_PACKS=${E2E_PACKS:-$E2E_ROOT/build/e2e/packs}

# unpacked_package PACKAGE: prints the folder that PACKAGE is unpacked in, fetching and
# unpacking it the first time; fails, saying why on stderr, when it cannot be had.
unpacked_package() {
  local package=$1 into=$E2E_PACKS/$1 sudo="" deb
  if [ ! -f "$into/.unpacked" ]; then
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    rm -rf "$into" && mkdir -p "$E2E_PACKS" || return 1
    rm -f "$E2E_PACKS/${package}"_*.deb
    # A package list older than the archive names a version that the archive no longer has.
    (cd "$E2E_PACKS" && { apt-get download -q "$package" ||
                          { $sudo apt-get update -q && apt-get download -q "$package"; }; }) >&2 ||
      { echo "$package could not be downloaded" >&2; return 1; }
    deb=$(ls "$E2E_PACKS/${package}"_*.deb 2>/dev/null | head -n1)
    [ -n "$deb" ] && dpkg-deb -x "$deb" "$into" && touch "$into/.unpacked" ||
      { echo "$package could not be unpacked" >&2; return 1; }
  fi
  echo "$into"
}

# pack_folder PACKAGE NAME: prints the folder called NAME inside the package (fetched when
# need be); fails when there is none.
pack_folder() {
  local root
  root=$(unpacked_package "$1") || return 1
  find "$root" -type d -name "$2" -print -quit | grep . ||
    { echo "$1 has no folder $2" >&2; return 1; }
}
