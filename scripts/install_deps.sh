#!/usr/bin/env bash
# Installs what building and testing need on a Debian machine, and the locales that the
# end-to-end suite runs Wine in; does nothing when all is there.
set -euo pipefail

# locales: Wine takes the ANSI code page from LANG (ja_JP.UTF-8 gives 932, zh_CN.UTF-8 936).
# fonts-wqy-microhei: Chinese, Japanese and Korean glyphs for the screenshots.
# python3-xlib: the end-to-end suite's drag and drop from another X client.
packages=(cmake ninja-build g++ clang libgtest-dev libgmock-dev libbenchmark-dev
          g++-mingw-w64-i686 binutils-mingw-w64-i686 mingw-w64-i686-dev
          wine wine32:i386 wine64 xvfb xauth xdotool imagemagick python3 python3-xlib locales
          fonts-wqy-microhei)
locales=(ja_JP.UTF-8 zh_CN.UTF-8)

sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  $sudo dpkg --add-architecture i386
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# `locale -a` spells them ja_JP.utf8.
generate=()
for l in "${locales[@]}"; do
  locale -a 2>/dev/null | grep -qix "${l%.UTF-8}.utf8" || generate+=("$l")
done
if [ ${#generate[@]} -gt 0 ]; then
  echo "generating locales: ${generate[*]}"
  for l in "${generate[@]}"; do
    grep -qx "$l UTF-8" /etc/locale.gen 2>/dev/null ||
      echo "$l UTF-8" | $sudo tee -a /etc/locale.gen >/dev/null
  done
  $sudo locale-gen
fi
